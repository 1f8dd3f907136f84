#!/usr/bin/env python3
"""Checks the AOI files of an export with Python's own XML parser.

Usage: check_aoi_files.py FOLDER [FOLDER ...]

Each FOLDER holds what one export wrote: Current.xml and one <device>_AOI.L5X per remote address of its
IEC 61850 client. Every file must be well-formed and declare what it uses: each rung operand names a
parameter of the instruction, and an operand of the device's data type names one of its members; each
bit names a hidden SINT member before it. Several folders must hold the same files, but for the dates.
Exits 1, naming every failed check, when one fails.
"""
import os
import re
import sys
import xml.etree.ElementTree as ET

failures = []

DATE_ATTRIBUTES = {"TargetLastEdited", "ExportDate", "CreatedDate", "EditedDate"}
STAMP = re.compile(r"^\d{4}-\d{2}-\d{2}T\d{2}:\d{2}:\d{2}\.000Z$")
INSTRUCTIONS = {"XIC", "OTE", "COP"}


def check(condition, text):
    if not condition:
        failures.append(text)
    return condition


def parse(path):
    try:
        return ET.parse(path).getroot()
    except ET.ParseError as error:
        failures.append(f"{path} is not well-formed: {error}")
        return None


def configuration_parts(config):
    """The devices, the connection numbers and the mapped tags of a module configuration."""
    devices = [a.text for a in config.findall("./Resources/Resource/Driver[@id='IEC61850C']/RemoteAddressList/"
                                              "RemoteAddress/AR_Name")]
    connections = config.findall("./Resources/Resource/Driver[@id='EIPS']/Implicit/Connection")
    numbers = [str(int(c.get("No"))) for c in connections]
    maps = [m.get("Tag") for c in connections for m in c.findall("./Input/Map") + c.findall("./Output/Map")]
    return devices, numbers, maps


def check_file(path, device, numbers, maps):
    root = parse(path)
    if root is None:
        return None
    label = os.path.basename(path)
    check(root.tag == "RSLogix5000Content", f"{label}: root {root.tag}")
    check(root.get("TargetName") == device + "_AOI", f"{label}: TargetName {root.get('TargetName')}")
    definition = root.find("./Controller/AddOnInstructionDefinitions/AddOnInstructionDefinition")
    data_type = root.find("./Controller/DataTypes/DataType")
    if not check(definition is not None and data_type is not None, f"{label}: no instruction or data type"):
        return root
    stamps = [root.get("TargetLastEdited"), definition.get("CreatedDate"), definition.get("EditedDate")]
    check(STAMP.match(stamps[0] or "") and len(set(stamps)) == 1, f"{label}: dates {stamps}")
    check(data_type.get("Name") == device, f"{label}: data type {data_type.get('Name')}")

    members = data_type.findall("./Members/Member")
    names = [m.get("Name") for m in members]
    check(len(names) == len(set(names)), f"{label}: member names repeat")
    hidden = set()
    for member in members:
        name = member.get("Name")
        check(0 < len(name) <= 40 and not name[0].isdigit(), f"{label}: member name {name}")
        if member.get("Hidden") == "true":
            check(member.get("DataType") == "SINT", f"{label}: hidden member {name} is {member.get('DataType')}")
            hidden.add(name)
        if member.get("DataType") == "BIT":
            check(member.get("Target") in hidden, f"{label}: bit {name} of undeclared {member.get('Target')}")
            check(member.get("BitNumber") in [str(b) for b in range(8)], f"{label}: bit number of {name}")

    parameters = [p.get("Name") for p in definition.findall("./Parameters/Parameter")]
    expected = ["EnableIn", "EnableOut"] + [f"Connection_{d}{n}" for n in numbers for d in ("Input", "Output")]
    check(parameters == expected + [device], f"{label}: parameters {parameters}")

    rungs = definition.findall("./Routines/Routine/RLLContent/Rung")
    check([r.get("Number") for r in rungs] == [str(i) for i in range(len(rungs))], f"{label}: rung numbers")
    device_maps = [t for t in maps if t.startswith(device)]
    check(len(rungs) == len(device_maps), f"{label}: {len(rungs)} rungs for {len(device_maps)} mapped tags")
    with open(path, "rb") as raw:
        check(raw.read().count(b"<![CDATA[") == len(rungs), f"{label}: rung texts are not all CDATA")
    declared = set(parameters)
    member_names = set(names)
    for rung in rungs:
        text = rung.findtext("Text") or ""
        check(re.fullmatch(r"(XIC\([^()]*\)OTE\([^()]*\)|COP\([^()]*\));", text), f"{label}: rung text {text}")
        for operand in re.split(r"[(),;]", text):
            if not operand or operand in INSTRUCTIONS or operand.isdigit():
                continue
            base = re.split(r"[\[.]", operand)[0]
            check(base in declared, f"{label}: rung operand {operand} names no parameter")
            if base == device:
                member = re.split(r"\[", operand[len(device) + 1:])[0]
                check(member in member_names, f"{label}: rung operand {operand} names no member")
    return root


def without_dates(element):
    """The element as a comparable tree: tag, attributes but the dates, text, children."""
    attributes = [(k, v) for k, v in element.attrib.items() if k not in DATE_ATTRIBUTES]
    return (element.tag, attributes, (element.text or "").strip(), [without_dates(c) for c in element])


def check_folder(folder):
    config = parse(os.path.join(folder, "Current.xml"))
    if config is None:
        return {}
    devices, numbers, maps = configuration_parts(config)
    check(devices, f"{folder}: no devices")
    expected = sorted(f"{d}_AOI.L5X" for d in devices)
    found = sorted(n for n in os.listdir(folder) if n.endswith(".L5X"))
    check(found == expected, f"{folder}: files {found}, expected {expected}")
    check(not [n for n in os.listdir(folder) if n.endswith(".tmp")], f"{folder}: temporary files left")
    trees = {}
    for device in devices:
        root = check_file(os.path.join(folder, f"{device}_AOI.L5X"), device, numbers, maps)
        if root is not None:
            trees[device] = without_dates(root)
    return trees


def main():
    folders = [os.path.abspath(f) for f in sys.argv[1:]]
    results = [check_folder(f) for f in folders]
    for folder, trees in zip(folders[1:], results[1:]):
        check(trees == results[0], f"{folder}: the files differ from those in {folders[0]}")
    for failure in failures:
        print("FAILED:", failure, file=sys.stderr)
    if failures:
        return 1
    print(f"AOI files: well-formed, every rung operand declared, in {len(folders)} folder(s)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
