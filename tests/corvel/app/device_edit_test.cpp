// Deleting, copying and pasting devices on the network view, with Corvel running in the test process.
#include "corvel/document/main_doc.h"
#include "corvel/resources/resource.h"
#include "corvel/model/ied_records.h"
#include "corvel/workspace/buttons.h"

#include <gtest/gtest.h>

#include <vector>

#include "corvel_app_environment.h"
#include "support/enable_recorder.h"
#include "support/message_box_recorder.h"
#include "support/temp_folder.h"

namespace {

using Corvel::Records::ConfiguredRow;
using Corvel::Records::kSlotFree;
using Corvel::Records::kSlotInUse;

const char kDeleteIedQuestion[] = "You are about to delete a configured IED, do you want to continue?";
const char kDeletePlcQuestion[] = "You are about to delete a configured PLC device, do you want to continue?";
const char kRegistersExceeded[] = "The maximum Modbus address of 65535 has been exceeded";
constexpr int kFirstPlcId = 1086;

class DeviceEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = CorvelAppEnvironment::Doc();
        frame = CorvelAppEnvironment::Frame();
        ASSERT_NE(nullptr, doc);
        doc->modified = false;
        doc->OnFileNew();
        SetWarnings(0);
    }
    void TearDown() override
    {
        SetWarnings(1);
        doc->modified = false;
        doc->OnFileNew();
        doc->copiedIedDevice = nullptr;
        doc->copiedPlcDevice = nullptr;
        frame->currentDeviceId = 0;
    }

    static void SetWarnings(int value) { CorvelAppEnvironment::App().WriteProfileInt("Props", "Warnings", value); }

    CMainDoc::_IED_DEVICE* Ied(int position)
    {
        return doc->project.iedDevices.GetAt(doc->project.iedDevices.FindIndex(position));
    }
    CMainDoc::CPLC_Device* Plc(int position)
    {
        return doc->project.plcDevices.GetAt(doc->project.plcDevices.FindIndex(position));
    }

    // Puts the IED of a position in use with every field named after tag and one mapped entry.
    CMainDoc::_IED_DEVICE* PlaceIed(int position, const CString& tag)
    {
        CMainDoc::_IED_DEVICE* ied = Ied(position);
        ied->state = kSlotInUse;
        CString* texts[] = {&ied->name,    &ied->vendor,  &ied->CIDFile,     &ied->IPaddr,      &ied->IPMask,
                            &ied->Gateway, &ied->label,   &ied->comment,     &ied->MSScanDelay, &ied->MMSping,
                            &ied->APTitle, &ied->AEQualifier, &ied->pSel,    &ied->sSel,        &ied->tSel};
        int i = 0;
        for (CString* text : texts)
            text->Format("%s-%d", (LPCSTR)tag, i++);
        ied->ConfiguredCache = {{tag + "LD0/MMXU1$MX$A", tag + "_A", "FLOAT32", "R", "d", "LD0", "Report"}};
        ied->ReportsPath[tag + "LD0/MMXU1$MX$A"].tagName = tag + "_A";
        ied->button->ShowWindow(SW_SHOW);
        return ied;
    }

    CMainDoc* doc = nullptr;
    CMainFrame* frame = nullptr;
};

TEST_F(DeviceEdit, DeleteAsksUnlessWarningsAreOff)
{
    const struct {
        int warnings;
        int kind;
        int answer;
        const char* question; // null: none asked
        bool deleted;
    } cases[] = {
        {1, CMainDoc::kKindIed, IDNO, kDeleteIedQuestion, false},
        {1, CMainDoc::kKindPlc, IDNO, kDeletePlcQuestion, false},
        {1, CMainDoc::kKindIed, IDYES, kDeleteIedQuestion, true},
        {0, CMainDoc::kKindIed, IDNO, nullptr, true},
        {0, CMainDoc::kKindPlc, IDNO, nullptr, true},
    };
    for (const auto& c : cases) {
        doc->modified = false;
        doc->OnFileNew();
        PlaceIed(0, "A");
        doc->modified = false;
        frame->currentDeviceId = c.kind == CMainDoc::kKindIed ? 1066 : kFirstPlcId;
        SetWarnings(c.warnings);
        MessageBoxRecorder boxes;
        boxes.SetDefaultAnswer(c.answer);
        doc->DeleteDevice(c.kind);
        if (c.question == nullptr) {
            EXPECT_EQ(0u, boxes.Count()) << c.warnings;
        } else {
            ASSERT_EQ(1u, boxes.Count());
            EXPECT_STREQ(c.question, boxes.Last().text);
            EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION),
                      boxes.Last().type & (MB_TYPEMASK | MB_ICONMASK));
        }
        const bool inUse = c.kind == CMainDoc::kKindIed ? Ied(0)->state == kSlotInUse : Plc(0)->state == kSlotInUse;
        EXPECT_EQ(!c.deleted, inUse) << c.question;
        EXPECT_EQ(c.deleted, doc->modified) << c.question;
    }
}

TEST_F(DeviceEdit, DeletingTheMiddleIedMovesTheNextOneUpWithEveryField)
{
    PlaceIed(0, "A");
    CMainDoc::_IED_DEVICE* middle = PlaceIed(1, "B");
    PlaceIed(2, "C");
    doc->SetCtlModel(middle->name, "LD0/CSWI1$CO$Pos$Oper", 2);
    frame->GetSplitter().SetLabelText("B");
    frame->currentDeviceId = 1067;
    middle->button->SendMessage(WM_COMMAND, ID_COPY_DEVICE);
    ASSERT_NE(nullptr, doc->copiedIedDevice);

    // Record 2 as it was, to compare with what moved.
    const CMainDoc::_IED_DEVICE third = *Ied(2);
    middle->button->SendMessage(WM_COMMAND, ID_DELETE_DEVICE);

    EXPECT_EQ(2, doc->GetDeviceCount(CMainDoc::kKindIed));
    EXPECT_TRUE(doc->modified);
    EXPECT_STREQ("", frame->GetSplitter().GetLabelText());
    EXPECT_EQ(nullptr, doc->copiedIedDevice);
    EXPECT_TRUE(doc->ctlModelMap.empty());
    EXPECT_STREQ("A-0", Ied(0)->name);
    EXPECT_EQ(1066, Ied(0)->devNum);

    const CMainDoc::_IED_DEVICE& moved = *Ied(1);
    EXPECT_EQ(1067, moved.devNum);
    EXPECT_EQ(kSlotInUse, moved.state);
    for (auto field : {&CMainDoc::_IED_DEVICE::name, &CMainDoc::_IED_DEVICE::vendor, &CMainDoc::_IED_DEVICE::CIDFile,
                       &CMainDoc::_IED_DEVICE::IPaddr, &CMainDoc::_IED_DEVICE::IPMask, &CMainDoc::_IED_DEVICE::Gateway,
                       &CMainDoc::_IED_DEVICE::label, &CMainDoc::_IED_DEVICE::comment,
                       &CMainDoc::_IED_DEVICE::MSScanDelay, &CMainDoc::_IED_DEVICE::MMSping,
                       &CMainDoc::_IED_DEVICE::APTitle, &CMainDoc::_IED_DEVICE::AEQualifier,
                       &CMainDoc::_IED_DEVICE::pSel, &CMainDoc::_IED_DEVICE::sSel, &CMainDoc::_IED_DEVICE::tSel})
        EXPECT_STREQ(third.*field, moved.*field);
    EXPECT_EQ(third.ConfiguredCache, moved.ConfiguredCache);
    EXPECT_EQ(1u, moved.ReportsPath.count("CLD0/MMXU1$MX$A"));
    EXPECT_EQ(1067, moved.button->deviceId);
    EXPECT_TRUE(moved.button->IsWindowVisible());

    const CMainDoc::_IED_DEVICE& freed = *Ied(2);
    EXPECT_EQ(1068, freed.devNum);
    EXPECT_EQ(kSlotFree, freed.state);
    EXPECT_STREQ("Unconfigured", freed.label);
    EXPECT_STREQ("", freed.APTitle);
    EXPECT_STREQ("", freed.vendor);
    EXPECT_TRUE(freed.ConfiguredCache.empty());
    EXPECT_FALSE(freed.button->IsWindowVisible());
}

TEST_F(DeviceEdit, DeletingTheOnlyPlcResetsIt)
{
    CMainDoc::CPLC_Device* plc = Plc(0);
    ASSERT_EQ(kSlotInUse, plc->state);
    plc->devType = 8;
    plc->CmdDelay = "50";
    plc->node = "7";
    plc->configuredRows = {ConfiguredRow(8, "x")};
    plc->secondRows = {ConfiguredRow(2, "y")};
    plc->NOESel = 2;
    frame->currentDeviceId = kFirstPlcId;
    plc->button->SendMessage(WM_COMMAND, ID_DELETE_PLC_DEVICE);

    EXPECT_EQ(kFirstPlcId, plc->devNum);
    EXPECT_EQ(kSlotFree, plc->state);
    EXPECT_EQ(1, plc->devType);
    EXPECT_STREQ("0", plc->CmdDelay);
    EXPECT_STREQ("1", plc->node);
    EXPECT_STREQ("192.168.0.250", plc->IPAddr);
    EXPECT_STREQ("300", plc->ErrDelay);
    EXPECT_TRUE(plc->configuredRows.empty());
    EXPECT_TRUE(plc->secondRows.empty());
    EXPECT_EQ(0, plc->NOESel);
    EXPECT_FALSE(plc->button->IsWindowVisible());
    for (int i = 1; i < doc->project.plcDevices.GetCount(); ++i)
        EXPECT_EQ(kSlotFree, Plc(i)->state) << i;
}

TEST_F(DeviceEdit, PasteWithNothingCopiedDoesNothingAndIsDisabled)
{
    for (UINT command : {static_cast<UINT>(ID_PASTE_IED_DEVICE), static_cast<UINT>(ID_PASTE_MODBUS_DEVICE)}) {
        EnableRecorder state;
        state.m_nID = command;
        state.DoUpdate(frame, FALSE);
        EXPECT_FALSE(state.enabled) << command;
    }
    Plc(0)->state = kSlotFree;
    doc->PasteDevice(CMainDoc::kKindIed);
    doc->PasteDevice(CMainDoc::kKindPlc);
    EXPECT_EQ(0, doc->GetDeviceCount(CMainDoc::kKindIed));
    EXPECT_EQ(kSlotFree, Plc(0)->state);
    EXPECT_FALSE(doc->modified);
}

// Copy keeps what the device held: a delete that moves another device into its slot changes no paste.
TEST_F(DeviceEdit, PasteBuildsTheIedAsItWasCopied)
{
    PlaceIed(0, "A");
    PlaceIed(1, "B");
    frame->currentDeviceId = 1067;
    doc->CopyDevice(CMainDoc::kKindIed);
    frame->currentDeviceId = 1066;
    doc->DeleteDevice(CMainDoc::kKindIed);
    ASSERT_STREQ("B-0", Ied(0)->name);
    ASSERT_EQ(kSlotFree, Ied(1)->state);
    Ied(0)->IPaddr = "changed";
    Ied(0)->ConfiguredCache.clear();

    EnableRecorder state;
    state.m_nID = ID_PASTE_IED_DEVICE;
    state.DoUpdate(frame, FALSE);
    EXPECT_TRUE(state.enabled);
    doc->modified = false;
    frame->SendMessage(WM_COMMAND, ID_PASTE_IED_DEVICE);

    const CMainDoc::_IED_DEVICE& pasted = *Ied(1);
    EXPECT_EQ(kSlotInUse, pasted.state);
    EXPECT_EQ(1067, pasted.devNum);
    const struct {
        CString CMainDoc::_IED_DEVICE::*field;
        const char* value;
    } copied[] = {{&CMainDoc::_IED_DEVICE::vendor, "B-1"},  {&CMainDoc::_IED_DEVICE::CIDFile, "B-2"},
                  {&CMainDoc::_IED_DEVICE::IPaddr, "B-3"},  {&CMainDoc::_IED_DEVICE::IPMask, "B-4"},
                  {&CMainDoc::_IED_DEVICE::Gateway, "B-5"}, {&CMainDoc::_IED_DEVICE::comment, "B-7"},
                  {&CMainDoc::_IED_DEVICE::MSScanDelay, "B-8"}};
    for (const auto& c : copied)
        EXPECT_STREQ(c.value, pasted.*c.field);
    // Not copied: the name, label and OSI addresses.
    EXPECT_STREQ("", pasted.name);
    EXPECT_STREQ("Unconfigured", pasted.label);
    EXPECT_STREQ("", pasted.APTitle);
    const std::vector<ConfiguredRow> entries = {{"BLD0/MMXU1$MX$A", "B_A", "FLOAT32", "R", "d"}};
    EXPECT_EQ(entries, pasted.ConfiguredCache);
    EXPECT_TRUE(pasted.ReportsPath.empty());
    EXPECT_TRUE(pasted.button->IsWindowVisible());
    EXPECT_EQ(1067, pasted.button->deviceId);
    EXPECT_TRUE(doc->modified);
    EXPECT_TRUE(doc->projectReady);
}

TEST_F(DeviceEdit, IedPasteWarnsForEachEntryPastTheRegisterLimit)
{
    // 1282 + 3 strings of 51 registers: 65535 in all before the paste.
    CMainDoc::_IED_DEVICE* big = PlaceIed(0, "A");
    big->ConfiguredCache.assign(1282, ConfiguredRow{"A$ST$S", "A_S", "VisString255", "R", "d"});
    CMainDoc::_IED_DEVICE* source = PlaceIed(1, "B");
    source->ConfiguredCache.assign(3, ConfiguredRow{"B$ST$S", "B_S", "VisString255", "R", "d", "LD0"});
    frame->currentDeviceId = 1067;
    doc->CopyDevice(CMainDoc::kKindIed);

    MessageBoxRecorder boxes;
    doc->PasteDevice(CMainDoc::kKindIed);
    ASSERT_EQ(2u, boxes.Count());
    for (const auto& call : boxes.Calls()) {
        EXPECT_STREQ(kRegistersExceeded, call.text);
        EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), call.type & (MB_TYPEMASK | MB_ICONMASK));
    }
    EXPECT_EQ(3u, Ied(2)->ConfiguredCache.size());
    EXPECT_EQ(5u, Ied(2)->ConfiguredCache[0].size());
}

TEST_F(DeviceEdit, PlcPasteTakesTheFreedSlotWithTheCopiedFields)
{
    CMainDoc::CPLC_Device* plc = Plc(0);
    plc->devType = 7;
    plc->name = "Line 1";
    plc->IPAddr = "10.1.1.1";
    plc->comment = "north";
    plc->CmdDelay = "25";
    plc->Resp = "900";
    plc->Rty = "2";
    plc->ErrDelay = "100";
    plc->node = "4";
    plc->RStartReg = "10";
    plc->WStartReg = "2000";
    ConfiguredRow row;
    for (int i = 0; i < 9; ++i)
        row.push_back(CString(static_cast<char>('a' + i)));
    plc->configuredRows = {row};
    plc->secondRows = {ConfiguredRow(2, "second")};
    plc->NOESel = 3;
    frame->currentDeviceId = kFirstPlcId;
    plc->button->SendMessage(WM_COMMAND, ID_COPY_DEVICE);
    // Deleting through the document keeps the copy.
    doc->DeleteDevice(CMainDoc::kKindPlc);
    ASSERT_NE(nullptr, doc->copiedPlcDevice);
    ASSERT_EQ(kSlotFree, plc->state);

    frame->SendMessage(WM_COMMAND, ID_PASTE_MODBUS_DEVICE);
    // The network view shows placed devices when it paints.
    CorvelAppEnvironment::View()->UpdateWindow();
    EXPECT_EQ(kSlotInUse, plc->state);
    EXPECT_EQ(kFirstPlcId, plc->devNum);
    EXPECT_EQ(7, plc->devType);
    for (auto field : {&CMainDoc::CPLC_Device::name, &CMainDoc::CPLC_Device::IPAddr, &CMainDoc::CPLC_Device::comment,
                       &CMainDoc::CPLC_Device::CmdDelay, &CMainDoc::CPLC_Device::Resp, &CMainDoc::CPLC_Device::Rty,
                       &CMainDoc::CPLC_Device::ErrDelay, &CMainDoc::CPLC_Device::node,
                       &CMainDoc::CPLC_Device::RStartReg, &CMainDoc::CPLC_Device::WStartReg})
        EXPECT_STREQ(doc->copiedPlcDevice->*field, plc->*field);
    ASSERT_EQ(1u, plc->configuredRows.size());
    EXPECT_EQ(ConfiguredRow(row.begin(), row.begin() + 8), plc->configuredRows[0]);
    EXPECT_TRUE(plc->secondRows.empty());
    EXPECT_EQ(0, plc->NOESel);
    EXPECT_TRUE(plc->button->IsWindowVisible());

    // The slot is taken now: a second paste places nothing.
    doc->PasteDevice(CMainDoc::kKindPlc);
    EXPECT_EQ(1u, plc->configuredRows.size());
}

TEST_F(DeviceEdit, AddDevicePlacesAnIedFromItsAccessPoint)
{
    CMainView* view = CorvelAppEnvironment::View();
    ASSERT_NE(nullptr, view);
    const CString name40('N', 40);
    const CConnectedAP entry(CIED(name40, "Acme", "Relay", ""), "10.0.0.5", "255.0.0.0", "10.0.0.1", "1,3", "12",
                             "0001", "0002", "0003");
    MessageBoxRecorder boxes;
    EXPECT_EQ(-1, view->AddDevice(CMainDoc::kKindIed, "C:\\a.icd", nullptr));
    EXPECT_EQ(1066, view->AddDevice(CMainDoc::kKindIed, "C:\\a.icd", &entry));
    EXPECT_EQ(0u, boxes.Count());
    const CMainDoc::_IED_DEVICE& placed = *Ied(0);
    EXPECT_STREQ(name40, placed.label);
    EXPECT_STREQ("Acme", placed.vendor);
    EXPECT_STREQ("10.0.0.5", placed.IPaddr);
    EXPECT_STREQ("0003", placed.tSel);
    EXPECT_STREQ("C:\\a.icd", placed.CIDFile);

    EXPECT_EQ(-1, view->AddDevice(CMainDoc::kKindIed, "C:\\a.icd", &entry));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("Warning: The device is already in use.", boxes.Last().text);
    const CConnectedAP longName(CIED(name40 + "X", "", "", ""), "", "", "", "", "", "", "", "");
    EXPECT_EQ(-1, view->AddDevice(CMainDoc::kKindIed, "C:\\b.icd", &longName));
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_STREQ("The IED name is more than 40 characters in length. The IED name must be shortened as Rockwell AOI "
                 "has a 40 character limit.",
                 boxes.Last().text);
    EXPECT_EQ(1, doc->GetDeviceCount(CMainDoc::kKindIed));
}

// Every button shows its record: a device in use with its id and file, shown; a free slot hidden. The highlight
// stays on the selected IED through a paste, and a delete that moves another IED into its slot highlights none.
TEST_F(DeviceEdit, ButtonsFollowTheRecordsAfterPasteDeleteAndLoad)
{
    auto expectButtonsMatch = [this](const char* step, int highlightedId) {
        for (POSITION pos = doc->project.iedDevices.GetHeadPosition(); pos != nullptr;) {
            const CMainDoc::_IED_DEVICE* ied = doc->project.iedDevices.GetNext(pos);
            ASSERT_NE(nullptr, ied->button) << step;
            const bool inUse = ied->state == kSlotInUse;
            EXPECT_EQ(inUse, ied->button->IsWindowVisible() != FALSE) << step << " " << ied->devNum;
            EXPECT_EQ(inUse && ied->devNum == highlightedId, ied->button->IsHighlighted()) << step << " " << ied->devNum;
            if (inUse) {
                EXPECT_EQ(ied->devNum, ied->button->deviceId) << step;
                EXPECT_STREQ(ied->CIDFile, ied->button->sclFilePath) << step << " " << ied->devNum;
            }
        }
        for (POSITION pos = doc->project.plcDevices.GetHeadPosition(); pos != nullptr;) {
            const CMainDoc::CPLC_Device* plc = doc->project.plcDevices.GetNext(pos);
            EXPECT_EQ(plc->state == kSlotInUse, plc->button->IsWindowVisible() != FALSE) << step << " " << plc->devNum;
        }
    };

    PlaceIed(0, "A");
    PlaceIed(1, "B");
    PlaceIed(2, "C");
    frame->currentDeviceId = 1066;
    doc->CopyDevice(CMainDoc::kKindIed);
    Ied(1)->button->Select();
    ASSERT_EQ(1067, frame->currentDeviceId);
    ASSERT_TRUE(Ied(1)->button->IsHighlighted());

    doc->PasteDevice(CMainDoc::kKindIed);
    ASSERT_EQ(kSlotInUse, Ied(3)->state);
    expectButtonsMatch("paste", 1067);

    doc->DeleteDevice(CMainDoc::kKindIed);
    ASSERT_STREQ("C-0", Ied(1)->name);
    ASSERT_EQ(kSlotFree, Ied(3)->state);
    expectButtonsMatch("delete", 0);
    // The current id now names the IED that moved up: a later paste does not highlight it either.
    doc->PasteDevice(CMainDoc::kKindIed);
    expectButtonsMatch("paste after delete", 0);

    TempFolder folder;
    const CString path = folder.File("plant.prj");
    doc->SetProjectPath(path);
    MessageBoxRecorder boxes;
    ASSERT_TRUE(doc->SaveProject());
    doc->OnFileNew();
    doc->SetOpenKind(1);
    doc->SetProjectPath(path);
    doc->LoadProjectArchive(path);
    // The pasted IEDs have no name: they come back as free slots, whose buttons stay hidden.
    ASSERT_EQ(2, doc->GetDeviceCount(CMainDoc::kKindIed)) << (boxes.Count() > 0 ? boxes.Last().text : "");
    ASSERT_EQ(kSlotFree, Ied(2)->state);
    expectButtonsMatch("load", 0);
}

// One picture per PLC device type wherever a device is placed, pasted, compacted or loaded: type 9 is the
// EtherNet/IP device (388); a type without a picture of its own keeps the shown one.
TEST(DevicePictures, EachPlcTypeHasOnePicture)
{
    const struct {
        int devType;
        int bitmap;
    } cases[] = {{7, 386}, {8, 384}, {9, 388}, {1, 0}, {0, 0}, {10, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(c.bitmap, PlcBitmapOfType(c.devType)) << c.devType;
    EXPECT_EQ(kPlcBitmap, PlcBitmapOfType(9));
}

} // namespace
