#!/usr/bin/env python3
"""Gateway module simulator for the tests.

Serves the module's HTTP web service (port 80, path "/services/nph-ws") and
its TCP text service (port 8000) on a loopback address of its own
(127.0.0.N, the first free one from 100 on), records every request it
receives, and can be told to fail. A control port on the same address takes
one command per connection and answers with lines, then closes.

  module_simulator.py start --state DIR    start in the background; DIR/address
                                           then names the address
  module_simulator.py stop --state DIR
  module_simulator.py serve --state DIR    in the foreground
  module_simulator.py control --state DIR COMMAND ...
                                           sends one command, prints the answer

Control commands ("ok" answers the ones that change something):
  reset                       standard replies, no failure, module up, records emptied
  fail tcp MODE               none | silent (read, never answer) | cut (the reply up to
                              its last closing tag, then silent) | close (the same, then
                              close) | refuse (no listener) | blackhole (connects never
                              complete) | endless (a reply that never ends: an element
                              filled without end; an upload's data frames without end) |
                              trickle (the start of a reply, then one byte every 0.2 s
                              without end) | junk (20 KB of random bytes, then silent) |
                              error (an error document for every request; settagvalue
                              answers result="ERROR") | nomagic (an upload's frames and a
                              download's answers carry magic 0)
  fail http MODE              none | silent | 404 | 500 | crc (reject every CRC16) |
                              close (headers and half the body, then close) | refuse |
                              junk (20 KB of random bytes for the answer, then close) |
                              nostatus (headers and body without the status line, then
                              close) | length (a Content-Length 100 above the body, then
                              close) | endless (status 200 without a length, a body without
                              end) | trickle (the same, one byte every 0.2 s) |
                              chunked-empty (a chunked body of no chunk) | chunked-bad (a
                              chunked body whose chunk size is no number, then close)
  fail module noreboot        after a shutdown request the module does not come back
  reply tcp REQUEST HEX       the reply to one exact request text
  reply http TRN HEX          the body of the "200" answer to one trn verb
  set product NAME            the product name of the getprodinfo reply
  set reboot SECONDS          how long a reboot keeps the module away (default 1)
  set config NAME HEX         a stored configuration file
  set frame BYTES             file bytes per frame of an upload over the text service
                              (default 4096; more gives frames longer than allowed)
  set trickle PIECES SECONDS  every text-service reply (an upload's frames too) goes
                              out in PIECES parts, SECONDS apart (default 1 0)
  set refusal WORDS...        the text of a download refusal
  set value TAG VALUE         the value a tag keeps (as a settagvalue request sets it)
  set values changing|still   tag values move with the seconds, or keep those of second 0
  fail download MODE          none | refuse-request | refuse-data (the first data frame) |
                              refuse-final | nofinal (the last frame gets no answer) |
                              nodata (the data frames get no answer)
  config NAME                 the stored configuration file as HEX ("-" when none)
  records                     every request received, in order: "tcp HEX" holds all
                              bytes of one text-service connection, "http HEX" one
                              whole HTTP request (request line, headers, body); "-"
                              for no bytes. Waits first until every open text-service
                              connection has been quiet for a moment.
  quit

The text service keeps a connection open after a reply and answers each
piece of data that arrives as one request. A configuration travels over it in
frames of an 8-byte header (magic 0xDAFE, total length, type, flag; 16-bit
little-endian each) and at most 4096 bytes of body:
  trn=readconfig&configfile=NAME   the module sends a begin frame (type 1), then
                                   the file in type 2 frames, the last with flag 1
  trn=saveconfig&configfile=NAME&CRC16=XXXX
                                   the module answers with a frame of flag 0 (accepted)
                                   or non-zero (refused, its body the reason), then
                                   takes type 2 frames, answering each, until one with
                                   flag 1; it keeps the file when its CRC-16 matches
Tags are those of the stored "current.xml"; trn=gettagsvalue, gettagvalue and
settagvalue read and write their values, which change every second.
"""

import argparse
import itertools
import math
import os
import selectors
import signal
import socket
import subprocess
import sys
import threading
import time
import xml.etree.ElementTree as ElementTree
import zlib
from urllib.parse import parse_qsl
from xml.sax.saxutils import quoteattr

HTTP_PORT = 80
TCP_PORT = 8000
CONTROL_PORT = 8999
FIRST_HOST = 100
LAST_HOST = 250
# A text-service connection counts as finished when quiet this long.
QUIET_SECONDS = 0.1
RECORDS_WAIT_SECONDS = 2.0
START_WAIT_SECONDS = 10.0
LOOP_SECONDS = 0.05

DECLARATION = '<?xml version="1.0"?>'
DEFAULT_PRODUCT = 'VQN32-EIP-61850'
# A Modbus module's configuration: tags of every kind, an array and a structure, their
# registers and IEC 61850 paths.
DEFAULT_CONFIG = (
    '<?xml version="1.0" encoding="utf-8" standalone="yes"?>\r\n'
    '<DeviceConfig version="1.0" moduleName="Simulated module" productName="VQN32-MTCP-61850">\r\n'
    '  <Network><Eth0 IPaddr="192.168.0.250" IPmask="255.255.255.0" Gateway="0.0.0.0"/></Network>\r\n'
    '  <TagDB>\r\n'
    '    <datatypes>\r\n'
    '      <datatype name="PhaseValues"><member name="phsA" datatype="REAL"/><member name="phsB" datatype="REAL"/>'
    '<member name="phsC" datatype="REAL"/><member name="count" datatype="INT" dim0="2"/></datatype>\r\n'
    '    </datatypes>\r\n'
    '    <tags>\r\n'
    '      <tag name="Feeder1_BreakerClosed" datatype="BOOL" dim0="0" comment="Breaker position"/>\r\n'
    '      <tag name="Feeder1_Mode" datatype="INT" dim0="0" comment="Behaviour"/>\r\n'
    '      <tag name="Feeder1_Trips" datatype="UINT" dim0="0" comment="Trip counter"/>\r\n'
    '      <tag name="Feeder1_ActivePower" datatype="REAL" dim0="0" comment="Total active power"/>\r\n'
    '      <tag name="Feeder1_Energy" datatype="UDINT" dim0="0" comment="Active energy"/>\r\n'
    '      <tag name="Feeder1_Offset" datatype="DINT" dim0="0" comment="Time offset"/>\r\n'
    '      <tag name="Feeder1_Currents" datatype="INT" dim0="3" comment="Phase currents"/>\r\n'
    '      <tag name="Feeder1_Voltages" datatype="PhaseValues" dim0="0" comment="Phase voltages"/>\r\n'
    '      <tag name="Feeder1_Name" datatype="STRING" dim0="0" comment="Bay name"/>\r\n'
    '      <tag name="StatusIEC61850CNode_eth1_01" datatype="STATUSIEC61850CNode" dim0="0" comment=""/>\r\n'
    '      <tag name="StatusIEC61850CBase_eth1" datatype="STATUSIEC61850CBase" dim0="0" comment=""/>\r\n'
    '    </tags>\r\n'
    '  </TagDB>\r\n'
    '  <Resources>\r\n'
    '    <Resource id="eth1">\r\n'
    '      <Driver id="MTCPS">\r\n'
    '        <Maps StartRegister="40001">\r\n'
    '          <Map Tag="Feeder1_BreakerClosed" DataTag="0"/><Map Tag="Feeder1_Mode" DataTag="2"/>'
    '<Map Tag="Feeder1_Trips" DataTag="4"/><Map Tag="Feeder1_ActivePower" DataTag="6"/>'
    '<Map Tag="Feeder1_Energy" DataTag="10"/><Map Tag="Feeder1_Offset" DataTag="14"/>'
    '<Map Tag="Feeder1_Currents" DataTag="18"/><Map Tag="Feeder1_Voltages" DataTag="24"/>\r\n'
    '        </Maps>\r\n'
    '        <Maps StartRegister="41001">\r\n'
    '          <Map Tag="Feeder1_Name" DataTag="0"/><Map Tag="StatusIEC61850CNode_eth1_01.nodeStatus" DataTag="82"/>'
    '<Map Tag="StatusIEC61850CBase_eth1.noReconnects" DataTag="84"/>\r\n'
    '        </Maps>\r\n'
    '      </Driver>\r\n'
    '      <Driver id="IEC61850C">\r\n'
    '        <TagMap domname="Feeder1LD0" datapath="XCBR1$ST$Pos"><TagMapData tagname="Feeder1_BreakerClosed"'
    ' datapath="XCBR1$ST$Pos" dataname="stVal"/></TagMap>\r\n'
    '        <TagMap domname="Feeder1LD0" datapath="LLN0$ST$Beh"><TagMapData tagname="Feeder1_Mode"'
    ' datapath="LLN0$ST$Beh" dataname="stVal"/></TagMap>\r\n'
    '        <TagMap domname="Feeder1LD0" datapath="PTRC1$ST$OpCnt"><TagMapData tagname="Feeder1_Trips"'
    ' datapath="PTRC1$ST$OpCnt" dataname="none"/></TagMap>\r\n'
    '        <TagMap domname="Feeder1LD0" datapath="MMTR1$ST$SupWh"><TagMapData tagname="Feeder1_Energy"'
    ' datapath="MMTR1$ST$SupWh" dataname="actVal"/></TagMap>\r\n'
    '        <TagMap domname="Feeder1LD0" datapath="LPHD1$DC$PhyNam"><TagMapData tagname="Feeder1_Name"'
    ' datapath="LPHD1$DC$PhyNam" dataname="vendor"/></TagMap>\r\n'
    '        <TagMap domname="Feeder1LD0" datapath="GGIO1$MX$AnIn1"><TagMapData tagname="Feeder1_Offset"'
    ' datapath="GGIO1$MX$AnIn1" dataname="mag$i"/></TagMap>\r\n'
    '        <Report domname="Feeder1LD0" datapath="LLN0$BR$brcbMX01">'
    '<RptDataSet tagname="Feeder1_ActivePower" rptgrpoff="0" mmsPath="MMXU1$MX$TotW$mag$f"/>'
    '<RptDataSet tagname="Feeder1_Currents" rptgrpoff="1" mmsPath="MMXU1$MX$A$phsA$cVal$mag$i"/></Report>\r\n'
    '        <Goose domname="Feeder1LD0" datapath="LLN0$GO$gcb01">'
    '<GooseDataSet tagname="Feeder1_Voltages" datapath="MMXU1$MX$PhV"/></Goose>\r\n'
    '      </Driver>\r\n'
    '    </Resource>\r\n'
    '  </Resources>\r\n'
    '</DeviceConfig>\r\n').encode('ascii')
DEFAULT_REFUSAL = 'Download refused by the module'
# Frames of the configuration transfer.
FRAME_MAGIC = 0xDAFE
FRAME_HEADER_BYTES = 8
FRAME_BODY_BYTES = 4096
FRAME_BEGIN = 1
FRAME_DATA = 2
STATUS_SUFFIXES = ('.nodeStatus', '.noReconnects')
# Hostile replies: the pause between the bytes of a trickle, the size of junk, the element an endless reply repeats.
TRICKLE_SECONDS = 0.2
JUNK_BYTES = 20000
ENDLESS_ITEM = b'<tag name="Endless" value="0"/>'
ERROR_REPLY = (DECLARATION + '<error>request failed</error>').encode('ascii')


def crc16(data):
    """CRC-16/ARC: reflected polynomial 0xA001, initial value 0."""
    crc = 0
    for byte in data:
        crc ^= byte
        for _ in range(8):
            crc = (crc >> 1) ^ 0xA001 if crc & 1 else crc >> 1
    return crc


def hex_or_dash(data):
    return data.hex() if data else '-'


def from_hex(text):
    return b'' if text == '-' else bytes.fromhex(text)


def request_fields(text):
    """The key=value fields of a request text or query, in order."""
    return dict(parse_qsl(text, keep_blank_values=True))


def diagnostics_element(code):
    """The element that closes a getdiagnostics reply, as the client expects it."""
    bracket = code.find('[')
    if bracket > 0:
        return code[:bracket]
    if code == 'geteipsstatus':
        return 'getstatus'
    return code


def cut_reply(reply):
    """The reply up to its last closing tag (its first bytes when it has none)."""
    end = reply.rfind(b'</')
    return reply[:end] if end > 0 else reply[:5]


def frame(frame_type, flag, body=b'', magic=FRAME_MAGIC):
    """One frame: its header and body; the length field keeps its low 16 bits."""
    length = (FRAME_HEADER_BYTES + len(body)) & 0xFFFF
    return magic.to_bytes(2, 'little') + length.to_bytes(2, 'little') + frame_type.to_bytes(2, 'little') \
        + flag.to_bytes(2, 'little') + body


def upload_frames(data, frame_bytes, magic=FRAME_MAGIC):
    """A file as the module sends it: a begin frame, then data frames, the last with flag 1."""
    frames = [frame(FRAME_BEGIN, 0, magic=magic)]
    pieces = [data[i:i + frame_bytes] for i in range(0, len(data), frame_bytes)] or [b'']
    for index, piece in enumerate(pieces):
        frames.append(frame(FRAME_DATA, 1 if index == len(pieces) - 1 else 0, piece, magic=magic))
    return b''.join(frames)


def junk_bytes(count):
    """Random bytes, the same every time."""
    state = 12345
    out = bytearray()
    for _ in range(count):
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        out.append(state >> 16 & 0xFF)
    return bytes(out)


def endless_pieces(first):
    """first, then ENDLESS_ITEM without end."""
    yield first
    while True:
        yield ENDLESS_ITEM * 64


def trickled(pieces):
    """The first of pieces whole, then the bytes of the others one at a time, TRICKLE_SECONDS apart."""
    yield next(pieces)
    for piece in pieces:
        for index in range(len(piece)):
            time.sleep(TRICKLE_SECONDS)
            yield piece[index:index + 1]


def split_frame(buffer):
    """(type, flag, body, rest) of the first whole frame in buffer; None while it is incomplete;
    ('bad', ...) for a length below the header's."""
    if len(buffer) < FRAME_HEADER_BYTES:
        return None
    length = int.from_bytes(buffer[2:4], 'little')
    if length < FRAME_HEADER_BYTES:
        return ('bad', 0, b'', b'')
    if len(buffer) < length:
        return None
    return (int.from_bytes(buffer[4:6], 'little'), int.from_bytes(buffer[6:8], 'little'),
            bytes(buffer[FRAME_HEADER_BYTES:length]), bytes(buffer[length:]))


def strip_status_suffix(name):
    for suffix in STATUS_SUFFIXES:
        if name.endswith(suffix):
            return name[:-len(suffix)], True
    return name, False


class TagModel:
    """The tags and structured types of a configuration, for the values the module gives."""

    def __init__(self, config):
        self.tags = {}
        self.structures = {}
        try:
            root = ElementTree.fromstring(config)
        except ElementTree.ParseError:
            return
        for types in root.findall('TagDB/datatypes'):
            for structure in types:
                self.structures[structure.get('name', '')] = {
                    member.get('name', ''): (member.get('datatype', ''), dimension(member)) for member in structure}
        for tags in root.findall('TagDB/tags'):
            for tag in tags:
                self.tags[tag.get('name', '')] = (tag.get('datatype', ''), dimension(tag))

    def shape_of(self, name):
        """(data type, element count) of a tag, of an element (NAME[i]) or of a member (NAME.member); an element
        count above 0 is an array."""
        if name in self.tags:
            return self.tags[name]
        for separator in ('[', '.'):
            cut = name.rfind(separator)
            if cut <= 0:
                continue
            outer, _ = self.shape_of(name[:cut])
            if separator == '[':
                return outer, 0
            return self.structures.get(outer, {}).get(name[cut + 1:], ('', 0))
        return '', 0

    def has_value(self, name):
        """Arrays and structures have values only in their elements and members."""
        data_type, count = self.shape_of(name)
        return count == 0 and data_type not in self.structures


def dimension(element):
    try:
        return int(element.get('dim0', '0') or '0')
    except ValueError:
        return 0


def tag_value(name, data_type, second):
    """The value a tag shows in a second: every tag moves in its own way, by its type."""
    seed = zlib.crc32(name.encode('latin-1'))
    if data_type == 'BOOL':
        return str((seed + second) % 2)
    if data_type in ('BYTE', 'UBYTE'):
        return str((seed + second * 3) % 256)
    if data_type == 'INT':
        return str((seed + second * 7) % 2001 - 1000)
    if data_type == 'UINT':
        return str((seed + second * 13) % 65536)
    if data_type == 'DINT':
        return str((seed * 31 + second * 1009) % 2000001 - 1000000)
    if data_type == 'UDINT':
        return str((seed + second * 4099) % 4294967296)
    if data_type in ('REAL', 'DREAL'):
        return '%.2f' % (230.0 + 5.0 * math.sin((second + seed % 60) / 3.0))
    if data_type == 'STRING':
        return 'Bay %d' % (seed % 90 + 10)
    if data_type == 'DATETIME':
        return time.strftime('%Y-%m-%d %H:%M:%S', time.gmtime(1714557600 + second))
    if data_type.upper().startswith('STATUSIEC61850'):
        return '1'
    return str((seed + second) % 100)


def tags_reply(root, values):
    items = ''.join('<tag name=%s value=%s/>' % (quoteattr(name), quoteattr(value)) for name, value in values)
    return (DECLARATION + '<%s>%s</%s>' % (root, items, root)).encode('latin-1')


class Module:
    """The simulated module: replies, failures, stored files and the record."""

    def __init__(self):
        self.lock = threading.Condition()
        self.connections = set()
        # Set by the server: brings the listeners in line with the failures and the reboot.
        self.reconcile = lambda: None
        self.reset()

    def reset(self):
        with self.lock:
            self.failure = {'tcp': 'none', 'http': 'none', 'module': 'none', 'download': 'none'}
            self.replies = {'tcp': {}, 'http': {}}
            self.product = DEFAULT_PRODUCT
            self.reboot_seconds = 1.0
            self.configs = {'current.xml': DEFAULT_CONFIG}
            self.records = []
            self.down_until = 0.0
            self.frame_bytes = FRAME_BODY_BYTES
            self.trickle = (1, 0.0)
            self.refusal = DEFAULT_REFUSAL
            self.values = {}
            self.values_still = False
            self.started = time.monotonic()
            self.tag_model = (None, None)
            self.lock.notify_all()

    def is_down(self):
        with self.lock:
            return time.monotonic() < self.down_until

    # The module goes away (for good with "noreboot"); keep is the connection
    # that still answers the reboot request.
    def reboot(self, keep=None):
        with self.lock:
            if self.failure['module'] == 'noreboot':
                self.down_until = float('inf')
            else:
                self.down_until = time.monotonic() + self.reboot_seconds
        self.reconcile()
        self.drop_connections(keep)

    # Ends every service connection, so that kept-alive ones meet the new behaviour.
    def drop_connections(self, keep=None):
        with self.lock:
            connections = [c for c in self.connections if not isinstance(c, ControlConnection) and c is not keep]
        for connection in connections:
            connection.drop()

    def new_record(self, service):
        record = [service, bytearray()]
        with self.lock:
            self.records.append(record)
        return record

    def add_record(self, service, data):
        with self.lock:
            self.records.append([service, bytearray(data)])

    def records_text(self):
        deadline = time.monotonic() + RECORDS_WAIT_SECONDS
        with self.lock:
            while time.monotonic() < deadline:
                busy = [c for c in self.connections
                        if isinstance(c, TextConnection) and time.monotonic() - c.last_data < QUIET_SECONDS]
                if not busy:
                    break
                self.lock.wait(QUIET_SECONDS / 2)
            return ''.join('%s %s\n' % (service, hex_or_dash(bytes(data))) for service, data in self.records)

    # The tag model of the stored "current.xml", read again when the file changes.
    def tags(self):
        with self.lock:
            config = self.configs.get('current.xml', b'')
            if self.tag_model[0] is not config:
                self.tag_model = (config, TagModel(config))
            return self.tag_model[1]

    def value_of(self, name):
        plain, _ = strip_status_suffix(name)
        with self.lock:
            if name in self.values:
                return self.values[name]
            second = 0 if self.values_still else int(time.monotonic() - self.started)
        return tag_value(plain, self.tags().shape_of(plain)[0], second)

    # The tags of a request that have a value of their own, with their values.
    def values_of(self, names):
        model = self.tags()
        with self.lock:
            fixed = set(self.values)
        return [(name, self.value_of(name)) for name in names
                if name in fixed or model.has_value(strip_status_suffix(name)[0])]

    def tag_reply(self, verb, fields):
        if verb == 'settagvalue':
            with self.lock:
                self.values[fields.get('tag', '')] = fields.get('value', '')
            return (DECLARATION + '<settagvalue result="OK"/>').encode('ascii')
        if verb == 'gettagvalue':
            return tags_reply('tagsdata', self.values_of([fields.get('tag', '')]))
        try:
            count = int(fields.get('count', '0'))
        except ValueError:
            count = 0
        names = [fields['tag%d' % i] for i in range(count) if 'tag%d' % i in fields]
        return tags_reply('tagsdata', self.values_of(names))

    # Text service replies.
    def text_reply(self, request):
        with self.lock:
            custom = self.replies['tcp'].get(request)
            product = self.product
        if custom is not None:
            return custom
        fields = request_fields(request)
        verb = fields.get('trn', '')
        if verb == 'testconnection':
            return (DECLARATION + '<testconnection/>').encode('ascii')
        if verb == 'getrunningdrivers':
            return (DECLARATION + '<runningdrivers>'
                    '<driver name="MCP" resource="SYSTEM"/>'
                    '<driver name="IEC61850C" resource="ETH1"/>'
                    '</runningdrivers>').encode('ascii')
        if verb == 'getdiagnostics':
            code = fields.get('diagcode', '')
            if code == 'getprodinfo':
                return (DECLARATION + '<getprodinfo>'
                        '<DV id="Product" value="%s"/><DV id="Firmware" value="2.1.0"/>'
                        '</getprodinfo>' % product).encode('ascii')
            if code == 'getindex':
                return (DECLARATION + '<getindex>'
                        '<diagcode code="status[0]" description="Driver status"/>'
                        '<diagcode code="geteipsstatus" description="EtherNet/IP server status"/>'
                        '</getindex>').encode('ascii')
            element = diagnostics_element(code)
            return (DECLARATION + '<%s><DV id="State" value="1" description="Driver state" vdescription="Running"/>'
                    '<counters description="Counters"><DV id="Requests" value="42"/></counters>'
                    '</%s>' % (element, element)).encode('ascii')
        if verb == 'geteventlogcache':
            return (DECLARATION + '<eventLog>'
                    '<messageData dateTime="2024-05-01 10:00:00" eventLevel="INFO" sourceID="MCP"'
                    ' resourceID="SYSTEM" messageID="1" message="Module started"/>'
                    '<messageData dateTime="2024-05-01 10:00:05" eventLevel="ERROR" sourceID="IEC61850C"'
                    ' resourceID="ETH1" messageID="7" message="Server not reachable"/>'
                    '</eventLog>').encode('ascii')
        if verb in ('gettagsvalue', 'gettagvalue', 'settagvalue'):
            return self.tag_reply(verb, fields)
        if verb == 'shutdown':
            return None
        return (DECLARATION + '<error>unknown request</error>').encode('ascii')

    # Web service answers: (status, body, after) where after runs once the answer is out.
    def web_answer(self, method, target, body):
        path, _, query = target.partition('?')
        fields = request_fields(query)
        verb = fields.get('trn', '')
        with self.lock:
            custom = self.replies['http'].get(verb)
            failure = self.failure['http']
        if failure in ('404', '500'):
            return int(failure), b'<html><body>error %s</body></html>' % failure.encode('ascii'), None
        if path != '/services/nph-ws':
            return 404, b'<html><body>not found</body></html>', None
        if custom is not None:
            return 200, custom, None
        if verb in ('testconnection', 'initsaveconfig'):
            return 200, (DECLARATION + '<%s/>' % verb).encode('ascii'), None
        if verb == 'saveconfig' and method == 'POST':
            name = fields.get('configfile', '')
            try:
                expected = int(fields.get('CRC16', ''), 16)
            except ValueError:
                expected = -1
            if failure == 'crc' or expected != crc16(body):
                return 400, b'<html><body>CRC16 mismatch</body></html>', None
            with self.lock:
                self.configs[name.lower()] = bytes(body)
            return 200, (DECLARATION + '<saveconfig result="OK"/>').encode('ascii'), None
        if verb == 'readconfig':
            with self.lock:
                config = self.configs.get(fields.get('configfile', '').lower())
            if config is None:
                return 404, b'<html><body>no such configuration</body></html>', None
            return 200, config, None
        if verb == 'shutdown':
            return 200, (DECLARATION + '<shutdown/>').encode('ascii'), 'reboot'
        return 404, b'<html><body>unknown request</body></html>', None

    def command(self, words):
        if not words:
            return 'error: empty command\n'
        verb, args = words[0], words[1:]
        with self.lock:
            if verb == 'reset':
                self.reset()
            elif verb == 'fail' and len(args) == 2 and args[0] in self.failure:
                self.failure[args[0]] = args[1]
            elif verb == 'reply' and len(args) == 3 and args[0] in self.replies:
                self.replies[args[0]][args[1]] = from_hex(args[2])
            elif verb == 'set' and len(args) == 2 and args[0] == 'product':
                self.product = args[1]
            elif verb == 'set' and len(args) == 2 and args[0] == 'reboot':
                self.reboot_seconds = float(args[1])
            elif verb == 'set' and len(args) == 3 and args[0] == 'config':
                self.configs[args[1].lower()] = from_hex(args[2])
            elif verb == 'set' and len(args) == 2 and args[0] == 'frame' and args[1].isdigit() and int(args[1]) > 0:
                self.frame_bytes = min(int(args[1]), 0xFFFF - FRAME_HEADER_BYTES)
            elif verb == 'set' and len(args) == 3 and args[0] == 'trickle' and args[1].isdigit() and int(args[1]) > 0:
                self.trickle = (int(args[1]), float(args[2]))
            elif verb == 'set' and len(args) >= 2 and args[0] == 'refusal':
                self.refusal = ' '.join(args[1:])
            elif verb == 'set' and len(args) == 3 and args[0] == 'value':
                self.values[args[1]] = args[2]
            elif verb == 'set' and len(args) == 2 and args[0] == 'values' and args[1] in ('changing', 'still'):
                self.values_still = args[1] == 'still'
            elif verb == 'config' and len(args) == 1:
                return hex_or_dash(self.configs.get(args[0].lower(), b'')) + '\n'
            elif verb == 'records':
                pass
            else:
                return 'error: unknown command %s\n' % ' '.join(words)
        if verb == 'records':
            return self.records_text()
        if verb in ('reset', 'fail'):
            self.reconcile()
            self.drop_connections()
        return 'ok\n'


class Connection:
    def __init__(self, module, sock):
        self.module = module
        self.sock = sock
        with module.lock:
            module.connections.add(self)

    def drop(self):
        try:
            self.sock.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass

    def finish(self):
        with self.module.lock:
            self.module.connections.discard(self)
            self.module.lock.notify_all()
        self.sock.close()

    # Sends every piece of a reply that may never end; ends when the client goes.
    def send_all(self, pieces):
        for piece in pieces:
            self.sock.sendall(piece)

    def run(self):
        try:
            self.serve()
        except OSError:
            pass
        finally:
            self.finish()


class TextConnection(Connection):
    """Port 8000: every piece of data that arrives is one request, except while a
    configuration comes in frames."""

    def __init__(self, module, sock):
        super().__init__(module, sock)
        self.last_data = time.monotonic()
        # Recorded from its first data: a connection that sends nothing (one a client left behind, taken
        # from the backlog only after the next test's reset on a loaded machine) is in no test's record.
        self.record = None
        self.silent = False
        # The download being received: its file name, announced CRC and data so far.
        self.download = None
        self.frames = bytearray()

    def serve(self):
        while True:
            data = self.sock.recv(65536)
            with self.module.lock:
                self.last_data = time.monotonic()
                if data and self.record is None:
                    self.record = ['tcp', bytearray()]
                    self.module.records.append(self.record)
                if data:
                    self.record[1].extend(data)
                self.module.lock.notify_all()
                failure = self.module.failure['tcp']
            if not data:
                return
            if self.silent or failure == 'silent':
                continue
            if self.download is not None:
                if not self.receive_frames(data):
                    return
                continue
            if not self.answer(data.decode('latin-1'), failure):
                return

    # Sends data in the trickle's pieces.
    def send(self, data):
        with self.module.lock:
            pieces, seconds = self.module.trickle
        if pieces <= 1 or len(data) < 2:
            self.sock.sendall(data)
            return
        size = -(-len(data) // pieces)
        for start in range(0, len(data), size):
            if start:
                time.sleep(seconds)
            self.sock.sendall(data[start:start + size])

    # An answer to a download's request or frame: accepted, or refused with a reason.
    def answer_frame(self, refused, reason=None):
        with self.module.lock:
            text = reason or self.module.refusal
            magic = 0 if self.module.failure['tcp'] == 'nomagic' else FRAME_MAGIC
        self.sock.sendall(frame(FRAME_DATA, 1, text.encode('latin-1'), magic) if refused
                          else frame(FRAME_DATA, 0, magic=magic))

    # The answer of a hostile module (endless, trickle, junk, error); None for the other failures.
    def hostile_answer(self, request, verb, failure):
        if failure == 'junk':
            self.sock.sendall(junk_bytes(JUNK_BYTES))
            self.silent = True
            return True
        if failure == 'error':
            if verb == 'settagvalue':
                self.sock.sendall((DECLARATION + '<settagvalue result="ERROR"/>').encode('ascii'))
            elif verb == 'saveconfig':
                self.answer_frame(True, 'request failed')
            elif verb != 'shutdown':
                self.sock.sendall(ERROR_REPLY)
            return True
        if failure not in ('endless', 'trickle'):
            return None
        if verb == 'readconfig':
            # A begin frame, then data frames of full length and flag 0 without end.
            data = frame(FRAME_DATA, 0, b' ' * FRAME_BODY_BYTES)
            pieces = itertools.chain([frame(FRAME_BEGIN, 0)], itertools.repeat(data))
        else:
            pieces = endless_pieces((DECLARATION + '<tagsdata>').encode('ascii'))
        self.send_all(trickled(pieces) if failure == 'trickle' else pieces)
        return False

    # False when the connection is to close.
    def answer(self, request, failure):
        fields = request_fields(request)
        verb = fields.get('trn')
        with self.module.lock:
            custom = self.module.replies['tcp'].get(request)
            download_failure = self.module.failure['download']
        hostile = self.hostile_answer(request, verb, failure)
        if hostile is not None:
            return hostile
        magic = 0 if failure == 'nomagic' else FRAME_MAGIC
        if custom is None and verb == 'readconfig':
            with self.module.lock:
                config = self.module.configs.get(fields.get('configfile', '').lower())
                frame_bytes = self.module.frame_bytes
            if config is not None:
                self.send(upload_frames(config, frame_bytes, magic))
            return True
        if custom is None and verb == 'saveconfig':
            if download_failure == 'refuse-request':
                self.answer_frame(True)
                return True
            try:
                crc = int(fields.get('CRC16', ''), 16)
            except ValueError:
                crc = -1
            self.download = {'name': fields.get('configfile', '').lower(), 'crc': crc, 'data': bytearray(),
                             'frames': 0}
            self.frames = bytearray()
            self.answer_frame(False)
            return True
        reply = self.module.text_reply(request)
        if reply is None:
            if verb == 'shutdown':
                self.module.reboot(keep=self)
                return False
            return True
        if failure in ('cut', 'close'):
            self.sock.sendall(cut_reply(reply))
            self.silent = True
            return failure == 'cut'
        self.send(reply)
        return True

    # Takes the frames of a download; False when the connection is to close.
    def receive_frames(self, data):
        self.frames.extend(data)
        with self.module.lock:
            mode = self.module.failure['download']
        while self.download is not None:
            parts = split_frame(self.frames)
            if parts is None:
                return True
            frame_type, flag, body, rest = parts
            if frame_type == 'bad':
                return False
            self.frames = bytearray(rest)
            self.download['data'].extend(body)
            if flag == 0:
                self.download['frames'] += 1
                if mode == 'nodata':
                    continue
                refused = mode == 'refuse-data' and self.download['frames'] == 1
                self.answer_frame(refused)
                if refused:
                    self.download = None
                continue
            download, self.download = self.download, None
            if mode == 'nofinal':
                continue
            if mode == 'refuse-final':
                self.answer_frame(True)
                continue
            if download['crc'] != crc16(download['data']):
                self.answer_frame(True, 'CRC16 mismatch')
                continue
            with self.module.lock:
                self.module.configs[download['name']] = bytes(download['data'])
            self.answer_frame(False)
        return True


class WebConnection(Connection):
    """Port 80: HTTP/1.1 requests, kept alive."""

    def serve(self):
        pending = bytearray()
        while True:
            while b'\r\n\r\n' not in pending:
                data = self.sock.recv(65536)
                if not data:
                    return
                pending.extend(data)
            end = pending.index(b'\r\n\r\n') + 4
            head = bytes(pending[:end])
            lines = head.decode('latin-1').split('\r\n')
            method, target = lines[0].split(' ')[:2]
            length = 0
            for line in lines[1:]:
                name, _, value = line.partition(':')
                if name.strip().lower() == 'content-length':
                    length = int(value.strip())
            while len(pending) < end + length:
                data = self.sock.recv(65536)
                if not data:
                    self.module.add_record('http', pending)
                    return
                pending.extend(data)
            body = bytes(pending[end:end + length])
            del pending[:end + length]
            self.module.add_record('http', head + body)
            if not self.answer(method, target, body):
                return

    def answer(self, method, target, body):
        with self.module.lock:
            failure = self.module.failure['http']
        if failure == 'silent':
            while self.sock.recv(65536):
                pass
            return False
        status, reply, after = self.module.web_answer(method, target, body)
        reasons = {200: 'OK', 400: 'Bad Request', 404: 'Not Found', 500: 'Internal Server Error'}
        status_line = 'HTTP/1.1 %d %s\r\n' % (status, reasons.get(status, 'Error'))
        fields = 'Content-Type: text/xml\r\nContent-Length: %d\r\n\r\n'
        head = (status_line + fields % len(reply)).encode('ascii')
        if self.hostile_answer(failure, status_line, fields, reply):
            return False
        if failure == 'close':
            self.sock.sendall(head + reply[:len(reply) // 2])
            return False
        if after == 'reboot':
            # Away before the answer leaves, so that no request slips in after it.
            self.module.reboot(keep=self)
            self.sock.sendall(head + reply)
            return False
        self.sock.sendall(head + reply)
        return True


    # The answers of a hostile module; False for the other failures.
    def hostile_answer(self, failure, status_line, fields, reply):
        unbounded = 'HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nConnection: close\r\n'
        chunked = 'HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nTransfer-Encoding: chunked\r\n\r\n'
        if failure == 'junk':
            self.sock.sendall(junk_bytes(JUNK_BYTES))
        elif failure == 'nostatus':
            self.sock.sendall((fields % len(reply)).encode('ascii') + reply)
        elif failure == 'length':
            self.sock.sendall((status_line + fields % (len(reply) + 100)).encode('ascii') + reply)
        elif failure in ('endless', 'trickle'):
            pieces = endless_pieces((unbounded + '\r\n' + DECLARATION + '<DeviceConfig>').encode('ascii'))
            self.send_all(trickled(pieces) if failure == 'trickle' else pieces)
        elif failure == 'chunked-empty':
            self.sock.sendall((chunked + '0\r\n\r\n').encode('ascii'))
        elif failure == 'chunked-bad':
            self.sock.sendall((chunked + 'zz\r\n').encode('ascii') + reply)
        else:
            return False
        return True



class ControlConnection(Connection):
    def __init__(self, module, sock, server):
        super().__init__(module, sock)
        self.server = server

    def serve(self):
        data = bytearray()
        while b'\n' not in data:
            piece = self.sock.recv(65536)
            if not piece:
                break
            data.extend(piece)
        words = data.decode('latin-1').split()
        if words == ['quit']:
            self.sock.sendall(b'ok\n')
            self.server.stop()
            return
        self.sock.sendall(self.module.command(words).encode('latin-1'))


def listener(address, port, backlog=16):
    sock = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    sock.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    sock.bind((address, port))
    sock.listen(backlog)
    sock.setblocking(False)
    return sock


class Server:
    def __init__(self, module):
        self.module = module
        self.address = None
        self.control = None
        self.listeners = {}      # port -> (kind, socket, extra sockets)
        self.running = True
        self.listeners_lock = threading.Lock()
        module.reconcile = self.reconcile

    def claim_address(self):
        for host in range(FIRST_HOST, LAST_HOST + 1):
            address = '127.0.0.%d' % host
            opened = []
            try:
                for port in (CONTROL_PORT, HTTP_PORT, TCP_PORT):
                    opened.append(listener(address, port))
            except PermissionError:
                raise OSError('binding port %d needs root (or a lower net.ipv4.ip_unprivileged_port_start)' % HTTP_PORT)
            except OSError:
                for sock in opened:
                    sock.close()
                continue
            self.address = address
            self.control = opened[0]
            self.listeners = {HTTP_PORT: ('open', opened[1], []), TCP_PORT: ('open', opened[2], [])}
            return address
        raise OSError('no free loopback address from 127.0.0.%d to 127.0.0.%d' % (FIRST_HOST, LAST_HOST))

    def wanted(self, port):
        if self.module.is_down():
            return 'closed'
        with self.module.lock:
            failure = self.module.failure['tcp' if port == TCP_PORT else 'http']
        if failure == 'refuse':
            return 'closed'
        if failure == 'blackhole':
            return 'blackhole'
        return 'open'

    def close_listener(self, port):
        kind, sock, extra = self.listeners.pop(port, ('closed', None, []))
        for s in [sock] + extra:
            if s is not None:
                s.close()

    # Opens, closes or fills the listeners as the failures and the reboot ask.
    def reconcile(self):
        with self.listeners_lock:
            self.reconcile_locked()

    def reconcile_locked(self):
        for port in (HTTP_PORT, TCP_PORT):
            want = self.wanted(port)
            have = self.listeners.get(port, ('closed', None, []))[0]
            if want == have:
                continue
            self.close_listener(port)
            if want == 'open':
                self.listeners[port] = ('open', listener(self.address, port), [])
            elif want == 'blackhole':
                # A full accept queue: the system drops every further connect.
                sock = listener(self.address, port, backlog=0)
                filler = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
                filler.settimeout(1)
                try:
                    filler.connect((self.address, port))
                except OSError:
                    pass  # a client came first and fills the queue itself
                self.listeners[port] = ('blackhole', sock, [filler])

    def stop(self):
        self.running = False

    def serve(self):
        handlers = {HTTP_PORT: WebConnection, TCP_PORT: TextConnection}
        while self.running:
            self.reconcile()
            selector = selectors.DefaultSelector()
            selector.register(self.control, selectors.EVENT_READ, None)
            with self.listeners_lock:
                for port, (kind, sock, _) in self.listeners.items():
                    if kind == 'open':
                        selector.register(sock, selectors.EVENT_READ, port)
            for key, _ in selector.select(LOOP_SECONDS):
                try:
                    sock, _ = key.fileobj.accept()
                except OSError:
                    continue
                sock.setblocking(True)
                if key.data is not None and self.module.is_down():
                    sock.close()
                    continue
                if key.data is None:
                    connection = ControlConnection(self.module, sock, self)
                else:
                    connection = handlers[key.data](self.module, sock)
                threading.Thread(target=connection.run, daemon=True).start()
            selector.close()


def state_file(state, name):
    return os.path.join(state, name)


def read_state(state, name):
    try:
        with open(state_file(state, name)) as f:
            return f.read().strip()
    except OSError:
        return ''


def send_command(address, words, timeout=10):
    with socket.create_connection((address, CONTROL_PORT), timeout=timeout) as sock:
        sock.sendall((' '.join(words) + '\n').encode('latin-1'))
        answer = bytearray()
        while True:
            piece = sock.recv(65536)
            if not piece:
                return answer.decode('latin-1')
            answer.extend(piece)


def command_serve(state):
    os.makedirs(state, exist_ok=True)
    server = Server(Module())
    address = server.claim_address()
    signal.signal(signal.SIGTERM, lambda *_: server.stop())
    with open(state_file(state, 'pid'), 'w') as f:
        f.write('%d\n' % os.getpid())
    with open(state_file(state, 'address.tmp'), 'w') as f:
        f.write(address + '\n')
    os.replace(state_file(state, 'address.tmp'), state_file(state, 'address'))
    print('module simulator on %s (ports %d, %d, control %d)' % (address, HTTP_PORT, TCP_PORT, CONTROL_PORT),
          flush=True)
    try:
        server.serve()
    finally:
        for name in ('address', 'pid'):
            try:
                os.remove(state_file(state, name))
            except OSError:
                pass


def command_stop(state):
    address = read_state(state, 'address')
    pid = read_state(state, 'pid')
    if address:
        try:
            send_command(address, ['quit'], timeout=2)
        except OSError:
            pass
    if pid:
        # The simulator removes its pid file as it ends.
        deadline = time.monotonic() + 3
        while read_state(state, 'pid') == pid and time.monotonic() < deadline:
            time.sleep(0.05)
        if read_state(state, 'pid') == pid:
            try:
                os.kill(int(pid), signal.SIGKILL)
            except OSError:
                pass
    for name in ('address', 'pid'):
        try:
            os.remove(state_file(state, name))
        except OSError:
            pass
    return 0


def command_start(state):
    command_stop(state)
    os.makedirs(state, exist_ok=True)
    log_path = state_file(state, 'log')
    with open(log_path, 'w') as log:
        process = subprocess.Popen([sys.executable, os.path.abspath(__file__), 'serve', '--state', state],
                                   stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
                                   start_new_session=True)
    deadline = time.monotonic() + START_WAIT_SECONDS
    while time.monotonic() < deadline:
        address = read_state(state, 'address')
        if address and read_state(state, 'pid') == str(process.pid):
            print('module simulator on %s' % address)
            return 0
        if process.poll() is not None:
            break
        time.sleep(0.05)
    sys.stderr.write('the module simulator did not start:\n')
    with open(log_path) as log:
        sys.stderr.write(log.read())
    if process.poll() is None:
        process.kill()
    return 1


def main():
    parser = argparse.ArgumentParser(description='Gateway module simulator for the tests.')
    parser.add_argument('action', choices=('start', 'stop', 'serve', 'control'))
    parser.add_argument('--state', required=True, help='folder of the address, pid and log files')
    parser.add_argument('words', nargs='*', help='the control command')
    args = parser.parse_intermixed_args()
    if args.action == 'serve':
        command_serve(args.state)
        return 0
    if args.action == 'start':
        return command_start(args.state)
    if args.action == 'stop':
        return command_stop(args.state)
    address = read_state(args.state, 'address')
    if not address:
        sys.stderr.write('no module simulator runs for %s\n' % args.state)
        return 1
    sys.stdout.write(send_command(address, args.words))
    return 0


if __name__ == '__main__':
    sys.exit(main())
