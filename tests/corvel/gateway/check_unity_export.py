#!/usr/bin/env python3
"""Checks the Unity exchange files of the sample project with Python's own XML parser.

Usage: check_unity_export.py SAMPLE_FOLDER

SAMPLE_FOLDER holds, for devices 0 (Quantum behind the NOE module in slot 4), 1 (M340) and 2 (another Modbus
PLC), the files in-process-<n>.xsy, .xfm and .csv written by test_corvel_unity_sample and cfggen-<n>.* written
by cfggen from the saved unity.prj. Every file must be well-formed and hold what the project maps; the two
writings must be the same but for their time stamps. For devices 0 and 1 it also holds the files of a
project with that one device and the tag map without its row of another direction: before-prx-<n>.* written
before it was saved, reopened-prx-<n>.* written from the project opened from its unity-prx-<n>.prx, and
cfggen-prx-<n>.* written by cfggen from that .prx; all three must be the same but for their time stamps. Exits 1, naming every failed check, when one fails.
"""
import os
import re
import sys
import xml.etree.ElementTree as ET

failures = []
XSI = "{http://www.w3.org/2001/XMLSchema-instance}"
STAMP = re.compile(r"^(date_and_time|dt)#\d{4}-\d{2}-\d{2}-\d{2}:\d{2}:\d{2}$")

WRITE_TAGS = [f"Setpoint_{i:03d}" for i in range(125)]
READ_TAGS = ["Status", "Feeder<1>___Bus", "Energy"]
CSV_NAMES = ["_Status", "Feeder<1> & Bus", "Eip Only"] + [f"Setpoint-{i:03d}" for i in range(125)] + ["Energy"]

# Per device: the label, the read and write start registers, and the function-module values (None for none).
DEVICES = [
    {"label": "Quantum_Line_1", "read": 1, "write": 401,
     "module": {"family": "Quantum", "routing": "1024", "gateway": [1001, 1101, 1201],
                "controls": [1301, 1310, 1319], "program": 1379}},
    {"label": "M340_Pump", "read": 1, "write": 1001,
     "module": {"family": "Micro Basic", "gateway": [1000, 1100, 1200], "controls": None, "program": 1705}},
    {"label": "Meter_Bank", "read": 3001, "write": 3501, "module": None},
]


def check(condition, text):
    if not condition:
        failures.append(text)
    return condition


def parse(path, label):
    try:
        return ET.parse(path).getroot()
    except (ET.ParseError, OSError) as error:
        failures.append(f"{label}: {error}")
        return None


def without_stamps(element):
    """The element as text, its time stamps blanked."""
    copy = ET.fromstring(ET.tostring(element))
    for node in copy.iter():
        if "dateTime" in node.attrib:
            check(STAMP.match(node.attrib["dateTime"]), f"time stamp {node.attrib['dateTime']}")
            node.attrib["dateTime"] = ""
    return ET.tostring(copy)


def values(element, *names):
    """The value text of the instanceElementDesc reached through names."""
    for name in names:
        element = next((e for e in element.findall("instanceElementDesc") if e.get("name") == name), None)
        if element is None:
            return None
    return element.findtext("value")


def check_variables(root, device, label):
    check(root.tag == "VariablesExchangeFile", f"{label}: root {root.tag}")
    check(root.get(XSI + "noNamespaceSchemaLocation") == "VariablesExchangeFile.xsd",
          f"{label}: schema location in the XML Schema instance namespace {root.attrib}")
    check([e.tag for e in root] == ["FileHeader", "contentHeader", "dataBlock", "DDTSource", "DDTSource"],
          f"{label}: sections {[e.tag for e in root]}")
    check(root.find("contentHeader").get("name") == device["label"], f"{label}: content name")
    located = [(v.get("name"), v.get("typeName"), v.get("topologicalAddress")) for v in root.find("dataBlock")]
    check(located == [(device["label"] + "_StartReadAddress", "StartReadAddressF", f"%MW{device['read']}"),
                      (device["label"] + "_StartWriteAddress", "StartWriteAddressF", f"%MW{device['write']}")],
          f"{label}: located variables {located}")
    read, write = root.findall("DDTSource")
    check([m.get("name") for m in read.find("structure")] == READ_TAGS, f"{label}: read members")
    check([m.get("typeName") for m in read.find("structure")] == ["INT", "ARRAY[0..1] OF REAL", "UDINT"],
          f"{label}: read member types")
    check([m.get("name") for m in write.find("structure")] == WRITE_TAGS, f"{label}: write members")
    check({m.get("typeName") for m in write.find("structure")} == {"ARRAY[0..1] OF INT"}, f"{label}: write types")
    check(all([c.tag for c in m] == ["comment"] for m in write.find("structure")), f"{label}: member comments")


def check_function_module(root, device, label):
    module = device["module"]
    check(root.tag == "FMExchangeFile", f"{label}: root {root.tag}")
    check(root.find("logicConf/resource").get("resName") == module["family"], f"{label}: family")
    blocks = root.findall("program/FBDSource/networkFBD/FFBBlock")
    check([b.get("instanceName") for b in blocks] == ["FBI_FBMessage0", "FBI_FBMessage1", "FBI_FBMessage2"],
          f"{label}: function blocks")
    messages = [v for v in root.find("dataBlock") if v.get("name", "").startswith("ModbusMSG")]
    data = [v.get("topologicalAddress") for v in root.find("dataBlock") if v.get("name", "").startswith("Data")]
    check(data == [f"%MW{device['write'] + 100 * n}" for n in range(3)], f"{label}: data buffers {data}")
    if module["controls"] is not None:
        controls = [v.get("topologicalAddress") for v in root.find("dataBlock")
                    if v.get("name", "").startswith("Control")]
        check(controls == [f"%MW{a}" for a in module["controls"]], f"{label}: control blocks {controls}")
        check([values(m, "Out", "StartMBAddress") for m in messages] == [str(a) for a in module["gateway"]],
              f"{label}: gateway addresses")
        check([values(m, "Out", "RegisterCount") for m in messages] == ["100", "100", "50"], f"{label}: counts")
        check({values(m, "Out", "RoutingRegister") for m in messages} == {module["routing"]}, f"{label}: routing")
        check([values(messages[0], "Out", "IPAddress", f"[{i}]") for i in range(1, 5)] == ["10", "20", "30", "40"],
              f"{label}: IP octets")
    else:
        check([values(m, "Out", "MailBoxData", "StartAddress") for m in messages] == [str(a) for a in module["gateway"]],
              f"{label}: gateway addresses")
        check([values(m, "Out", "MailBoxData", "DataCount") for m in messages] == ["100", "100", "50"],
              f"{label}: counts")
        check(values(messages[0], "Out", "MailBoxData", "DestinationIPAddress") == "{10.20.30.40}TCP.MBS",
              f"{label}: destination")
    program = root.findtext("FBSource/FBProgram/STSource")
    check(program is not None and len(program) == module["program"], f"{label}: program length")


def main():
    folder = sys.argv[1]
    for n, device in enumerate(DEVICES):
        for extension in ("xsy", "xfm", "csv"):
            ours = os.path.join(folder, f"in-process-{n}.{extension}")
            theirs = os.path.join(folder, f"cfggen-{n}.{extension}")
            label = f"device {n} .{extension}"
            expected = extension != "xfm" or device["module"] is not None
            check(os.path.exists(ours) == expected and os.path.exists(theirs) == expected,
                  f"{label}: written {os.path.exists(ours)}, {os.path.exists(theirs)}; expected {expected}")
            if not expected or not os.path.exists(ours) or not os.path.exists(theirs):
                continue
            if extension == "csv":
                with open(ours, "rb") as f:
                    text = f.read()
                check(text == "".join(name + "\r\n" for name in CSV_NAMES).encode(), f"{label}: tag list")
                with open(theirs, "rb") as f:
                    check(f.read() == text, f"{label}: cfggen's tag list differs")
                continue
            roots = [parse(ours, label + " in-process"), parse(theirs, label + " cfggen")]
            if None in roots:
                continue
            (check_variables if extension == "xsy" else check_function_module)(roots[0], device, label)
            check(without_stamps(roots[0]) == without_stamps(roots[1]), f"{label}: cfggen's file differs")
    # The project opened from its .prx gives the files it gave before it was saved.
    for n, device in enumerate(DEVICES[:2]):
        for extension in ("xsy", "xfm", "csv"):
            label = f"device {n} .{extension} from the .prx"
            paths = [os.path.join(folder, f"{kind}-prx-{n}.{extension}") for kind in ("before", "reopened", "cfggen")]
            if not check(all(os.path.exists(path) for path in paths), f"{label}: files {paths}"):
                continue
            if extension == "csv":
                texts = []
                for path in paths:
                    with open(path, "rb") as f:
                        texts.append(f.read())
                check(texts[0] == "".join(name + "\r\n" for name in CSV_NAMES if name != "Eip Only").encode(),
                      f"{label}: tag list")
                check(texts[1] == texts[0] and texts[2] == texts[0], f"{label}: tag lists differ")
                continue
            roots = [parse(path, label) for path in paths]
            if None in roots:
                continue
            (check_variables if extension == "xsy" else check_function_module)(roots[0], device, label)
            check(without_stamps(roots[1]) == without_stamps(roots[0]), f"{label}: the reopened project's file differs")
            check(without_stamps(roots[2]) == without_stamps(roots[0]), f"{label}: cfggen's file differs")
    leftovers = [name for name in os.listdir(folder) if name.lower().endswith(".tmp")]
    check(not leftovers, f"temporary files left: {leftovers}")
    for failure in failures:
        print(failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
