// Compaction of the device lists after a delete: every field moves, freed records are reset; the lookup by id;
// what a paste gives the slot it fills.
#include "corvel/model/project_records.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using namespace Corvel::Records;

// An IED record in use with every field set to a text of its own.
std::unique_ptr<_IED_DEVICE> FilledIed(const CString& tag, int devNum)
{
    auto ied = std::make_unique<_IED_DEVICE>();
    ied->state = kSlotInUse;
    ied->devNum = devNum;
    ied->reserved1 = 7;
    ied->reserved2 = 9;
    CString* texts[] = {&ied->name,    &ied->vendor,  &ied->CIDFile,     &ied->IPaddr,  &ied->IPMask,
                        &ied->Gateway, &ied->label,   &ied->comment,     &ied->MSScanDelay, &ied->MMSping,
                        &ied->APTitle, &ied->AEQualifier, &ied->pSel,    &ied->sSel,    &ied->tSel};
    int i = 0;
    for (CString* text : texts)
        text->Format("%s-%d", (LPCSTR)tag, i++);
    ied->ConfiguredCache = {{tag + "$MX$A", tag + "_A", "FLOAT32", "R", "d", "LD0"}};
    ied->ReportsPath[tag + "$ST$B"].tagName = tag + "_B";
    return ied;
}

std::unique_ptr<CPLC_Device> FilledPlc(const CString& tag, int devNum, int devType)
{
    auto plc = std::make_unique<CPLC_Device>();
    plc->state = kSlotInUse;
    plc->devNum = devNum;
    plc->devType = devType;
    plc->NOESel = 3;
    plc->NOESlotNum = 4;
    CString* texts[] = {&plc->node,     &plc->IPAddr, &plc->IPMask, &plc->Gateway,   &plc->name,     &plc->comment,
                        &plc->CmdDelay, &plc->Resp,   &plc->Rty,    &plc->ErrDelay, &plc->RStartReg, &plc->WStartReg};
    int i = 0;
    for (CString* text : texts)
        text->Format("%s-%d", (LPCSTR)tag, i++);
    plc->configuredRows = {ConfiguredRow(8, tag + "-row")};
    plc->secondRows = {ConfiguredRow(3, tag + "-second")};
    return plc;
}

void ExpectSameIed(const _IED_DEVICE& expected, const _IED_DEVICE& actual)
{
    EXPECT_STREQ(expected.name, actual.name);
    EXPECT_STREQ(expected.vendor, actual.vendor);
    EXPECT_STREQ(expected.CIDFile, actual.CIDFile);
    EXPECT_STREQ(expected.IPaddr, actual.IPaddr);
    EXPECT_STREQ(expected.IPMask, actual.IPMask);
    EXPECT_STREQ(expected.Gateway, actual.Gateway);
    EXPECT_STREQ(expected.label, actual.label);
    EXPECT_STREQ(expected.comment, actual.comment);
    EXPECT_STREQ(expected.MSScanDelay, actual.MSScanDelay);
    EXPECT_STREQ(expected.MMSping, actual.MMSping);
    EXPECT_STREQ(expected.APTitle, actual.APTitle);
    EXPECT_STREQ(expected.AEQualifier, actual.AEQualifier);
    EXPECT_STREQ(expected.pSel, actual.pSel);
    EXPECT_STREQ(expected.sSel, actual.sSel);
    EXPECT_STREQ(expected.tSel, actual.tSel);
    EXPECT_EQ(expected.ConfiguredCache, actual.ConfiguredCache);
    ASSERT_EQ(expected.ReportsPath.size(), actual.ReportsPath.size());
    EXPECT_STREQ(expected.ReportsPath.begin()->second.tagName, actual.ReportsPath.begin()->second.tagName);
    EXPECT_EQ(expected.reserved2, actual.reserved2);
}

void ExpectSamePlc(const CPLC_Device& expected, const CPLC_Device& actual)
{
    for (auto field : {&CPLC_Device::node, &CPLC_Device::IPAddr, &CPLC_Device::IPMask, &CPLC_Device::Gateway,
                       &CPLC_Device::name, &CPLC_Device::comment, &CPLC_Device::CmdDelay, &CPLC_Device::Resp,
                       &CPLC_Device::Rty, &CPLC_Device::ErrDelay, &CPLC_Device::RStartReg, &CPLC_Device::WStartReg})
        EXPECT_STREQ(expected.*field, actual.*field);
    EXPECT_EQ(expected.devType, actual.devType);
    EXPECT_EQ(expected.configuredRows, actual.configuredRows);
    EXPECT_EQ(expected.secondRows, actual.secondRows);
    EXPECT_EQ(expected.NOESel, actual.NOESel);
    EXPECT_EQ(expected.NOESlotNum, actual.NOESlotNum);
}

template <class T>
class OwnedList {
public:
    ~OwnedList() { DeleteRecords(list); }
    T* Add(std::unique_ptr<T> record)
    {
        list.AddTail(record.get());
        return record.release();
    }
    T* At(int i) { return list.GetAt(list.FindIndex(i)); }

    RecordList<T> list;
};

TEST(DeviceCompaction, IedsInUseMoveToTheFrontWithEveryField)
{
    OwnedList<_IED_DEVICE> ieds;
    ieds.Add(FilledIed("A", 1066));
    ieds.Add(FilledIed("B", 1067))->state = kSlotFree;
    ieds.Add(FilledIed("C", 1068));
    ieds.Add(MakeIedSlot(1069));
    const std::unique_ptr<_IED_DEVICE> expectedA = FilledIed("A", 0);
    const std::unique_ptr<_IED_DEVICE> expectedC = FilledIed("C", 0);

    ASSERT_EQ(2, CompactDevices(ieds.list, 1066));
    const int ids[] = {1066, 1067, 1068, 1069};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(ids[i], ieds.At(i)->devNum) << i;
    ExpectSameIed(*expectedA, *ieds.At(0));
    ExpectSameIed(*expectedC, *ieds.At(1));
    EXPECT_EQ(kSlotInUse, ieds.At(1)->state);
    EXPECT_EQ(0, ieds.At(1)->reserved1);

    for (int i : {2, 3}) {
        const _IED_DEVICE& freed = *ieds.At(i);
        EXPECT_EQ(kSlotFree, freed.state) << i;
        EXPECT_STREQ("Unconfigured", freed.label) << i;
        EXPECT_STREQ("1000", freed.MSScanDelay) << i;
        for (const CString* text : {&freed.name, &freed.vendor, &freed.CIDFile, &freed.IPaddr, &freed.IPMask,
                                    &freed.Gateway, &freed.comment, &freed.MMSping, &freed.APTitle,
                                    &freed.AEQualifier, &freed.pSel, &freed.sSel, &freed.tSel})
            EXPECT_STREQ("", *text) << i;
        EXPECT_TRUE(freed.ConfiguredCache.empty()) << i;
        EXPECT_TRUE(freed.ReportsPath.empty()) << i;
        EXPECT_EQ(0, freed.reserved1) << i;
        EXPECT_EQ(0, freed.reserved2) << i;
    }
}

TEST(DeviceCompaction, PlcsInUseMoveToTheFrontWithEveryField)
{
    OwnedList<CPLC_Device> plcs;
    plcs.Add(FilledPlc("P", 1086, 8))->state = kSlotFree;
    plcs.Add(FilledPlc("Q", 1087, 7));
    plcs.Add(MakePlcSlot(1088, false));
    const std::unique_ptr<CPLC_Device> expectedQ = FilledPlc("Q", 0, 7);

    ASSERT_EQ(1, CompactDevices(plcs.list, 1086));
    EXPECT_EQ(1086, plcs.At(0)->devNum);
    EXPECT_EQ(kSlotInUse, plcs.At(0)->state);
    ExpectSamePlc(*expectedQ, *plcs.At(0));

    for (int i : {1, 2}) {
        const CPLC_Device& freed = *plcs.At(i);
        EXPECT_EQ(1087 + i - 1, freed.devNum) << i;
        EXPECT_EQ(kSlotFree, freed.state) << i;
        EXPECT_STREQ("", freed.name) << i;
        EXPECT_STREQ("", freed.comment) << i;
        const struct {
            CString CPLC_Device::*field;
            const char* value;
        } resets[] = {{&CPLC_Device::IPAddr, "192.168.0.250"}, {&CPLC_Device::IPMask, "255.255.255.0"},
                      {&CPLC_Device::Gateway, "192.168.0.1"},  {&CPLC_Device::node, "1"},
                      {&CPLC_Device::RStartReg, "1"},          {&CPLC_Device::WStartReg, "1001"},
                      {&CPLC_Device::CmdDelay, "0"},           {&CPLC_Device::Resp, "1000"},
                      {&CPLC_Device::Rty, "0"},                {&CPLC_Device::ErrDelay, "300"}};
        for (const auto& reset : resets)
            EXPECT_STREQ(reset.value, freed.*reset.field) << i;
        EXPECT_EQ(1, freed.devType) << i;
        EXPECT_EQ(1, freed.NOESlotNum) << i;
        EXPECT_EQ(0, freed.NOESel) << i;
        EXPECT_TRUE(freed.configuredRows.empty()) << i;
        EXPECT_TRUE(freed.secondRows.empty()) << i;
    }
}

TEST(DeviceCompaction, AListWithoutFreedRecordsOnlyRenumbers)
{
    OwnedList<_IED_DEVICE> ieds;
    ieds.Add(FilledIed("A", 5000));
    ieds.Add(FilledIed("B", 5001));
    const std::unique_ptr<_IED_DEVICE> expectedB = FilledIed("B", 0);
    ASSERT_EQ(2, CompactDevices(ieds.list, 1066));
    EXPECT_EQ(1066, ieds.At(0)->devNum);
    EXPECT_EQ(1067, ieds.At(1)->devNum);
    ExpectSameIed(*expectedB, *ieds.At(1));
}

// Every window that works on one device finds its record by id here: the first record of the id, or none.
TEST(DeviceLookup, FindDeviceGivesTheFirstRecordOfTheId)
{
    RecordList<_IED_DEVICE> ieds;
    for (const int id : {1066, 1067, 1067, 1070}) {
        auto* ied = new _IED_DEVICE;
        ied->devNum = id;
        ieds.AddTail(ied);
    }
    const struct {
        int id;
        int index; // -1: none
    } cases[] = {{1066, 0}, {1067, 1}, {1070, 3}, {1068, -1}, {0, -1}, {-1, -1}};
    const RecordList<_IED_DEVICE>& readOnly = ieds;
    for (const auto& c : cases) {
        const _IED_DEVICE* expected = c.index < 0 ? nullptr : ieds.GetAt(ieds.FindIndex(c.index));
        EXPECT_EQ(expected, FindDevice(ieds, c.id)) << c.id;
        EXPECT_EQ(expected, FindDevice(readOnly, c.id)) << c.id;
    }
    EXPECT_EQ(nullptr, FindDevice(RecordList<CPLC_Device>(), 1066));
    DeleteRecords(ieds);
}

// The network view's counts and its check of a placed name look at the records in use only.
TEST(DeviceCount, CountsAndLabelsTakeTheRecordsInUse)
{
    _PROJECT project;
    for (const int state : {kSlotInUse, kSlotFree, kSlotInUse}) {
        const int index = static_cast<int>(project.iedDevices.GetCount());
        std::unique_ptr<_IED_DEVICE> ied = MakeIedSlot(kFirstDeviceId + index);
        ied->state = state;
        ied->label.Format("IED%d", index);
        project.iedDevices.AddTail(ied.release());
    }
    for (const bool first : {true, false, false})
        project.plcDevices.AddTail(MakePlcSlot(1090, first).release());
    EXPECT_EQ(2, CountIedsInUse(project));
    EXPECT_EQ(1, CountPlcsInUse(project));
    project.plcDevices.GetTail()->state = kSlotInUse;
    EXPECT_EQ(2, CountPlcsInUse(project));

    EXPECT_TRUE(IsIedLabelInUse(project, "IED0"));
    EXPECT_TRUE(IsIedLabelInUse(project, "IED2"));
    EXPECT_FALSE(IsIedLabelInUse(project, "IED1")); // a free slot's
    EXPECT_FALSE(IsIedLabelInUse(project, "ied0"));
    DeleteRecords(project.iedDevices);
    DeleteRecords(project.plcDevices);
}

// The paste fills the first free slot: none in a full or empty list.
TEST(DevicePaste, FindFreeSlotGivesTheFirstFreeRecord)
{
    OwnedList<_IED_DEVICE> ieds;
    EXPECT_EQ(nullptr, FindFreeSlot(ieds.list));
    ieds.Add(FilledIed("A", 1066));
    EXPECT_EQ(nullptr, FindFreeSlot(ieds.list));
    _IED_DEVICE* first = ieds.Add(MakeIedSlot(1067));
    ieds.Add(MakeIedSlot(1068));
    EXPECT_EQ(first, FindFreeSlot(ieds.list));
}

// A pasted IED takes the copy's addresses and file, not its name, label or mapped entries, and is in use;
// each copied entry is added cut to its first five texts.
TEST(DevicePaste, IedTakesTheCopiedSettingsIntoItsSlot)
{
    const std::unique_ptr<_IED_DEVICE> copy = FilledIed("C", 1066);
    const std::unique_ptr<_IED_DEVICE> slot = MakeIedSlot(1070);
    slot->name = "slot name";
    slot->label = "slot label";
    slot->ConfiguredCache = {{"old"}};
    slot->ReportsPath["old$ST$A"].tagName = "old_A";

    PasteDeviceFields(*slot, *copy);
    EXPECT_EQ(kSlotInUse, slot->state);
    EXPECT_EQ(1070, slot->devNum);
    for (auto field : {&_IED_DEVICE::vendor, &_IED_DEVICE::IPaddr, &_IED_DEVICE::IPMask, &_IED_DEVICE::Gateway,
                       &_IED_DEVICE::comment, &_IED_DEVICE::MSScanDelay, &_IED_DEVICE::CIDFile})
        EXPECT_STREQ((*copy).*field, (*slot).*field);
    EXPECT_STREQ("slot name", slot->name);
    EXPECT_STREQ("slot label", slot->label);
    EXPECT_TRUE(slot->ConfiguredCache.empty());
    EXPECT_TRUE(slot->ReportsPath.empty());

    const ConfiguredRow entry = {"a", "b", "c", "d", "e", "f"};
    EXPECT_EQ(ConfiguredRow({"a", "b", "c", "d", "e"}), PastedIedEntry(entry));
    EXPECT_EQ(ConfiguredRow({"a"}), PastedIedEntry({"a"}));
}

// A pasted PLC takes every setting of the copy; the copied rows, cut to eight texts, replace the rows the
// placing built, and a copy without rows leaves them.
TEST(DevicePaste, PlcTakesTheCopiedSettingsAndRows)
{
    const std::unique_ptr<CPLC_Device> copy = FilledPlc("C", 1086, 3);
    copy->configuredRows = {ConfiguredRow(10, "long"), ConfiguredRow(2, "short")};
    const std::unique_ptr<CPLC_Device> placed = FilledPlc("P", 1090, 1);
    PasteDeviceFields(*placed, *copy);
    for (auto field : {&CPLC_Device::node, &CPLC_Device::IPAddr, &CPLC_Device::IPMask, &CPLC_Device::Gateway,
                       &CPLC_Device::name, &CPLC_Device::comment, &CPLC_Device::CmdDelay, &CPLC_Device::Resp,
                       &CPLC_Device::Rty, &CPLC_Device::ErrDelay, &CPLC_Device::RStartReg, &CPLC_Device::WStartReg})
        EXPECT_STREQ((*copy).*field, (*placed).*field);
    EXPECT_EQ(3, placed->devType);
    EXPECT_EQ(1090, placed->devNum);
    EXPECT_EQ(ConfiguredRows({ConfiguredRow(8, "long"), ConfiguredRow(2, "short")}), placed->configuredRows);

    copy->configuredRows.clear();
    const std::unique_ptr<CPLC_Device> kept = FilledPlc("K", 1091, 1);
    PasteDeviceFields(*kept, *copy);
    EXPECT_EQ(ConfiguredRows({ConfiguredRow(8, "K-row")}), kept->configuredRows);
}

} // namespace
