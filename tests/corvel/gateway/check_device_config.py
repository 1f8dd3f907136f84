#!/usr/bin/env python3
"""Checks the sample project's module configurations with Python's own XML parser.

Usage: check_device_config.py SAMPLE_FOLDER

SAMPLE_FOLDER holds in-process.xml (written by test_corvel_gateway_sample from the project it built) and
sample.xml (written by cfggen from the saved sample.prj). Both must be well-formed, hold the elements the
project maps, in the module's order, with every mapped tag declared in the tag database; they must be the
same but for the attachments, which in sample.xml must give the project's files back byte for byte.
Exits 1, naming every failed check, when one fails.
"""
import base64
import io
import os
import sys
import xml.etree.ElementTree as ET
import zipfile

failures = []


def check(condition, text):
    if not condition:
        failures.append(text)
    return condition


def linux_path(windows_path):
    """Z:\\a\\b as Wine sees the Linux root."""
    assert windows_path[:2].upper() == "Z:", windows_path
    return windows_path[2:].replace("\\", "/")


def attributes(element):
    return list(element.attrib.items())


def names(elements):
    return [e.tag for e in elements]


def check_configuration(root, label):
    check(root.tag == "DeviceConfig", f"{label}: root is {root.tag}")
    check(names(root) == ["TagDB", "Resources", "Attachments"], f"{label}: sections {names(root)}")
    check([k for k, _ in attributes(root)] == ["moduleName", "productName", "DriverAutoRestart"],
          f"{label}: root attributes {attributes(root)}")
    check(root.get("moduleName") == "Sample Substation", f"{label}: moduleName {root.get('moduleName')}")

    tags = root.findall("./TagDB/tags/tag")
    declared = [t.get("name") for t in tags]
    check(len(declared) == len(set(declared)), f"{label}: tag names repeat")
    for t in tags:
        check([k for k, _ in attributes(t)] == ["comment", "datatype", "dim0", "name"],
              f"{label}: tag attributes {attributes(t)}")
    # 38 mapped rows, the base and node status, connection 00, four driver tags and _tempTag.
    check(len(tags) == 38 + 2 + 1 + 4 + 1, f"{label}: {len(tags)} tags")
    fixed = declared[38:]
    check(fixed == ["StatusIEC61850CBase_eth0", "StatusIEC61850CNode_eth0_00", "StatusEIPS_ReconnectionCount_00",
                    "SNTP_Status", "EIPS_Status", "IEC61850c_Status", "Reboot_Module", "_tempTag"],
          f"{label}: status tags {fixed}")
    known = set(declared)

    resource = root.find("./Resources/Resource")
    check([d.get("id") for d in resource.findall("Driver")] == ["SNTP", "EIPS", "IEC61850C"],
          f"{label}: driver ids")
    connections = resource.findall("./Driver/Implicit/Connection")
    check([attributes(c) for c in connections] == [[("No", "00"), ("ReconnCnt", "StatusEIPS_ReconnectionCount_00")]],
          f"{label}: connections {[attributes(c) for c in connections]}")
    inputs = resource.findall("./Driver/Implicit/Connection/Input/Map")
    outputs = resource.findall("./Driver/Implicit/Connection/Output/Map")
    check(len(inputs) == 34 and len(outputs) == 4, f"{label}: {len(inputs)} input and {len(outputs)} output maps")
    for m in inputs + outputs:
        check(m.get("Tag") in known, f"{label}: connection map of undeclared tag {m.get('Tag')}")

    remote = resource.find("./Driver/RemoteAddressList/RemoteAddress")
    check(names(remote) == ["AR_Name", "AP_Title", "AE_Qualifier", "Psel", "Ssel", "Tsel", "IscanDly", "MMSping",
                            "IPADDR", "Commands", "Reports", "Geese"], f"{label}: remote address {names(remote)}")
    check(remote.findtext("AR_Name") == "simpleIO", f"{label}: AR_Name")
    check(remote.find("IPADDR").get("Type") == "NetAddr", f"{label}: IPADDR type")

    tag_maps = remote.findall("./Commands/TagMap")
    check(len(tag_maps) == 22 + 4, f"{label}: {len(tag_maps)} tag maps")
    for tag_map in tag_maps:
        check([k for k, _ in attributes(tag_map)] == ["domname", "datapath", "sbopath", "access", "ctltype"],
              f"{label}: tag map attributes {attributes(tag_map)}")
        for data in tag_map.findall("TagMapData"):
            check(data.get("tagname") in known, f"{label}: tag map of undeclared tag {data.get('tagname')}")
    commands = [m for m in tag_maps if m.get("access") == "W"]
    check(sorted(m.get("datapath") for m in commands) == [f"GGIO1$CO$SPCSO{i}" for i in range(1, 5)],
          f"{label}: command paths {[m.get('datapath') for m in commands]}")
    check(all(m.find("TagMapData").get("dataname") == "Oper$ctlVal" for m in commands), f"{label}: command data")

    reports = remote.findall("./Reports/Report")
    check(sorted(r.get("rptid") for r in reports) == ["AnalogValues", "Events"], f"{label}: reports")
    for report in reports:
        check([k for k, _ in attributes(report)] ==
              ["domname", "datapath", "rptid", "enable", "intpd", "confrev", "buffered", "bufferedReport",
               "trgopdchg", "trgopqchg", "trgopdupd", "trgopintpd", "trgopgi"], f"{label}: report attributes")
        members = report.findall("RptDataSet")
        expected = 4 if report.get("rptid") == "Events" else 12
        check(len(members) == expected, f"{label}: report {report.get('rptid')} has {len(members)} members")
        for member in members:
            check(member.get("tagname") in known, f"{label}: report member {member.get('tagname')}")
    analog = [r for r in reports if r.get("rptid") == "AnalogValues"]
    if analog:
        offsets = [m.get("rptgrpoff") for m in analog[0].findall("RptDataSet")]
        check(offsets == [str(i // 3) for i in range(12)], f"{label}: report groups {offsets}")
        mapped = [m.get("tagname") != "_tempTag" for m in analog[0].findall("RptDataSet")]
        check(mapped == [i % 3 == 0 for i in range(12)], f"{label}: mapped analog members {mapped}")

    geese = remote.findall("./Geese/Goose")
    check(len(geese) == 1 and geese[0].get("gcref") == "simpleIOGenericIO/LLN0$GO$gcbEvents",
          f"{label}: GOOSE blocks")
    if geese:
        goose = geese[0]
        check(goose.get("mcmacaddr") == "01 0c cd 01 00 01", f"{label}: GOOSE MAC {goose.get('mcmacaddr')}")
        data_set = goose.findall("GooseDataSet")
        # Eight members, the last one a placeholder that is not written.
        check(len(data_set) == 7, f"{label}: {len(data_set)} GOOSE data-set entries")
        elements = goose.findall("./GooseFCDA/GooseFCDAElm")
        check(len(elements) == 4, f"{label}: {len(elements)} GOOSE FCDA elements")
        for element in data_set + elements:
            check(element.get("tagname") in known, f"{label}: GOOSE member {element.get('tagname')}")
        check([f.get("datapath") for f in goose.findall("GooseFCDA")] ==
              [f"GGIO1$ST$SPCSO{i}$stVal" for i in range(1, 5)], f"{label}: GOOSE FCDA keys")


def same_but_attachments(first, second, path="DeviceConfig"):
    if first.tag == "Attachments":
        return
    check(first.tag == second.tag and attributes(first) == attributes(second)
          and (first.text or "").strip() == (second.text or "").strip(),
          f"{path}: {first.tag} {attributes(first)} differs from {second.tag} {attributes(second)}")
    check(len(first) == len(second), f"{path}: {len(first)} and {len(second)} children")
    for index, (a, b) in enumerate(zip(first, second)):
        same_but_attachments(a, b, f"{path}/{a.tag}[{index}]")


def check_attachments(root, folder):
    files = root.findall("./Attachments/File")
    check([f.get("Type") for f in files] == ["cid", "prj", "prx"], f"attachment types {[f.get('Type') for f in files]}")
    for f in files:
        check([k for k, _ in attributes(f)] == ["Type", "Name", "Encoding"] and f.get("Encoding") == "BASE64_ZIP",
              f"attachment attributes {attributes(f)}")
        path = linux_path(f.get("Name"))
        check(os.path.dirname(path) in (folder, os.path.join(folder, "SCLFiles")), f"attachment folder {path}")
        archive = zipfile.ZipFile(io.BytesIO(base64.b64decode("".join(f.text.split()))))
        check(archive.namelist() == ["testFile"], f"{path}: archive items {archive.namelist()}")
        with open(path, "rb") as original:
            check(archive.read("testFile") == original.read(), f"{path}: embedded bytes differ")


def main():
    folder = os.path.abspath(sys.argv[1])
    roots = {}
    for name in ("in-process.xml", "sample.xml"):
        try:
            roots[name] = ET.parse(os.path.join(folder, name)).getroot()
        except ET.ParseError as error:
            failures.append(f"{name} is not well-formed: {error}")
            continue
        check_configuration(roots[name], name)
    if len(roots) == 2:
        same_but_attachments(roots["in-process.xml"], roots["sample.xml"])
        check_attachments(roots["sample.xml"], folder)
    for failure in failures:
        print("FAILED:", failure, file=sys.stderr)
    if failures:
        return 1
    print("device configuration: well-formed, complete and the same after the project's round trip")
    return 0


if __name__ == "__main__":
    sys.exit(main())
