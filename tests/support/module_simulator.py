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
                              complete)
  fail http MODE              none | silent | 404 | 500 | crc (reject every CRC16) |
                              close (headers and half the body, then close) | refuse
  fail module noreboot        after a shutdown request the module does not come back
  reply tcp REQUEST HEX       the reply to one exact request text
  reply http TRN HEX          the body of the "200" answer to one trn verb
  set product NAME            the product name of the getprodinfo reply
  set reboot SECONDS          how long a reboot keeps the module away (default 1)
  set config NAME HEX         a stored configuration file
  config NAME                 the stored configuration file as HEX ("-" when none)
  records                     every request received, in order: "tcp HEX" holds all
                              bytes of one text-service connection, "http HEX" one
                              whole HTTP request (request line, headers, body); "-"
                              for no bytes. Waits first until every open text-service
                              connection has been quiet for a moment.
  quit

The text service keeps a connection open after a reply and answers each
piece of data that arrives as one request; another protocol on the same
port (binary frames) plugs in as another reading state of TextConnection.
"""

import argparse
import os
import selectors
import signal
import socket
import subprocess
import sys
import threading
import time
from urllib.parse import parse_qsl

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
DEFAULT_CONFIG = (
    '<?xml version="1.0" encoding="utf-8" standalone="yes"?>\r\n'
    '<DeviceConfig version="1.0">\r\n'
    '  <Network><Eth0 IPaddr="192.168.0.250" IPmask="255.255.255.0" Gateway="0.0.0.0"/></Network>\r\n'
    '</DeviceConfig>\r\n').encode('ascii')


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
            self.failure = {'tcp': 'none', 'http': 'none', 'module': 'none'}
            self.replies = {'tcp': {}, 'http': {}}
            self.product = DEFAULT_PRODUCT
            self.reboot_seconds = 1.0
            self.configs = {'current.xml': DEFAULT_CONFIG}
            self.records = []
            self.down_until = 0.0
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

    def run(self):
        try:
            self.serve()
        except OSError:
            pass
        finally:
            self.finish()


class TextConnection(Connection):
    """Port 8000: every piece of data that arrives is one request."""

    def __init__(self, module, sock):
        super().__init__(module, sock)
        self.last_data = time.monotonic()
        self.record = module.new_record('tcp')
        self.silent = False

    def serve(self):
        while True:
            data = self.sock.recv(65536)
            with self.module.lock:
                self.last_data = time.monotonic()
                self.record[1].extend(data)
                self.module.lock.notify_all()
                failure = self.module.failure['tcp']
            if not data:
                return
            if self.silent or failure == 'silent':
                continue
            if not self.answer(data.decode('latin-1'), failure):
                return

    # False when the connection is to close.
    def answer(self, request, failure):
        reply = self.module.text_reply(request)
        if reply is None:
            if request_fields(request).get('trn') == 'shutdown':
                self.module.reboot(keep=self)
                return False
            return True
        if failure in ('cut', 'close'):
            self.sock.sendall(cut_reply(reply))
            self.silent = True
            return failure == 'cut'
        self.sock.sendall(reply)
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
        head = ('HTTP/1.1 %d %s\r\nContent-Type: text/xml\r\nContent-Length: %d\r\n\r\n'
                % (status, reasons.get(status, 'Error'), len(reply))).encode('ascii')
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
