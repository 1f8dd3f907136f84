// The IED and PLC buttons of the network view over the running Corvel: clicks told from double clicks, the
// IED menu, configure with a moved SCL file, delete, and the PLC's dialogs.
#include "corvel/model/modbus_mapping.h"
#include "corvel/project/path_utils.h"
#include "corvel/workspace/main_frame.h"

#include <string>
#include <vector>

#include "node_button_fixture.h"
#include "support/scripted_file_dialog.h"

namespace {

using Corvel::Records::kSlotInUse;
using Names = std::vector<std::string>;

const char kMovedFileQuestion[] = "The IED's configuration file cannot be located at the given path. Edit the path "
                                  "to point to a different location?";

using IedButton = NodeButtonTest;
using PlcButton = NodeButtonTest;

TEST_F(IedButton, ASingleClickSelectsAtOnceAndListsTheTagsOnlyAfterTheDoubleClickTime)
{
    PlaceIed("IED_A");
    CMainDoc::_IED_DEVICE* ied = PlaceIed("IED_B");
    ASSERT_NE(nullptr, ied);
    ButtonSeams seams;
    int selectedWhileWaiting = 0;
    size_t fillsWhileWaiting = 0;
    bool waiting = false;
    // On a busy machine the timer may come only after the wait: then only the fill's time tells.
    AfterMs(ButtonSeams::kWaitMs / 3, [&] {
        waiting = ied->button->IsWaitingForSecondClick();
        selectedWhileWaiting = frame->currentDeviceId;
        fillsWhileWaiting = seams.fills.size();
    });

    const DWORD clicked = ::GetTickCount();
    PostClick(*ied->button);
    Pump();

    EXPECT_EQ(ied->devNum, selectedWhileWaiting);
    if (waiting) {
        EXPECT_EQ(0u, fillsWhileWaiting);
    }
    ASSERT_EQ(1u, seams.fills.size());
    EXPECT_GE(seams.fills[0] - clicked, ButtonSeams::kWaitMs * 9 / 10);
    EXPECT_TRUE(seams.dialogs.empty());
    EXPECT_EQ(ied->devNum, frame->currentDeviceId);
    EXPECT_EQ(CMainDoc::kKindIed, frame->currentDeviceKind);
    EXPECT_STREQ("IED_B", doc->currentDeviceName);
    EXPECT_FALSE(ied->button->IsWaitingForSecondClick());
}

TEST_F(IedButton, ADoubleClickOpensTheMappingDialogWithoutTheSingleClickRefresh)
{
    CMainDoc::_IED_DEVICE* ied = PlaceIed("IED_A");
    ASSERT_NE(nullptr, ied);
    ButtonSeams seams;
    PostClick(*ied->button, true);
    Pump();

    ASSERT_EQ(Names{"CIEDMapDlg"}, seams.DialogClasses());
    EXPECT_STREQ(ied->CIDFile, seams.dialogs[0].sclPath);
    // Only the refill that follows the mapping dialog.
    ASSERT_EQ(1u, seams.fills.size());
    EXPECT_GE(seams.fills[0], seams.dialogs[0].at);
    EXPECT_EQ(ied->devNum, frame->currentDeviceId);
    EXPECT_FALSE(ied->button->IsWaitingForSecondClick());
}

TEST_F(IedButton, AClickOnAnotherIedDuringTheWaitIsHandledAtOnceInsideIt)
{
    CMainDoc::_IED_DEVICE* first = PlaceIed("IED_A");
    CMainDoc::_IED_DEVICE* second = PlaceIed("IED_B");
    ASSERT_NE(nullptr, second);
    ButtonSeams seams;
    bool firstWaitingAtSecondsRefill = false;
    seams.afterFill = [&] {
        if (seams.fills.size() == 1)
            firstWaitingAtSecondsRefill =
                first->button->IsWaitingForSecondClick() && frame->currentDeviceId == second->devNum;
    };
    PostClick(*first->button);
    PostClick(*second->button);
    Pump();

    // The second IED's wait ran inside the first one's; both single clicks refill the list, the second first.
    EXPECT_TRUE(firstWaitingAtSecondsRefill);
    EXPECT_EQ(2u, seams.fills.size());
    EXPECT_EQ(second->devNum, frame->currentDeviceId);
    EXPECT_STREQ("IED_B", doc->currentDeviceName);
    EXPECT_FALSE(first->button->IsWaitingForSecondClick());
    EXPECT_FALSE(second->button->IsWaitingForSecondClick());
}

TEST_F(IedButton, AQuitDuringTheWaitEndsItAndIsLeftForTheMessageLoop)
{
    CMainDoc::_IED_DEVICE* ied = PlaceIed("IED_A");
    ASSERT_NE(nullptr, ied);
    ButtonSeams seams;
    PostClick(*ied->button);
    ::PostQuitMessage(7);

    const DWORD start = ::GetTickCount();
    int quitCode = -1;
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quitCode = static_cast<int>(msg.wParam);
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    EXPECT_EQ(7, quitCode);
    EXPECT_LT(::GetTickCount() - start, ButtonSeams::kWaitMs);
    EXPECT_TRUE(seams.fills.empty());
    EXPECT_FALSE(ied->button->IsWaitingForSecondClick());
}

TEST_F(IedButton, AButtonDestroyedWhileItWaitsIsNotTouchedAgain)
{
    CMainDoc::_IED_DEVICE* ied = PlaceIed("IED_A");
    ASSERT_NE(nullptr, ied);
    ButtonSeams seams;
    // New frees every button of the network view and makes new ones.
    AfterMs(1, [this] {
        doc->modified = false;
        doc->OnFileNew();
    });
    PostClick(*ied->button);
    Pump();

    EXPECT_TRUE(seams.fills.empty());
    EXPECT_EQ(0, CorvelAppEnvironment::View()->CountDevices(CMainDoc::kKindIed));
}

TEST_F(IedButton, RightClickSelectsTheIedBeforeItsMenuOfConfigureDeleteAndProperties)
{
    CMainDoc::_IED_DEVICE* first = PlaceIed("IED_A");
    CMainDoc::_IED_DEVICE* second = PlaceIed("IED_B");
    ASSERT_NE(nullptr, second);
    frame->currentDeviceId = first->devNum;
    int selectedWhileOpen = 0;
    Names items;
    const bool opened = WithOpenMenu(
        [&] { second->button->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 20)); },
        [&](HMENU menu, HWND) {
            selectedWhileOpen = frame->currentDeviceId;
            items = MenuItems(menu);
        });
    ASSERT_TRUE(opened);
    EXPECT_EQ(second->devNum, selectedWhileOpen);
    EXPECT_EQ((Names{"Configure", "-", "&Delete", "-", "Properties"}), items);
}

TEST_F(IedButton, AMovedSclFileAsksBeforeTheMappingDialogAndNoChangesNothing)
{
    const struct {
        int answer;
        bool relocated;
    } cases[] = {{IDNO, false}, {IDYES, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer == IDYES ? "yes" : "no");
        doc->modified = false;
        doc->OnFileNew();
        CMainDoc::_IED_DEVICE* ied = PlaceIed("IED_A");
        ASSERT_NE(nullptr, ied);
        const CString moved = ied->CIDFile;
        auto* file = new CMainDoc::_ICD_FILES;
        file->fileName = GetFileNameOfPath(moved);
        file->filePath = moved;
        doc->project.sclFiles.AddTail(file);
        // Found again elsewhere under another name.
        const CString found = folder.File("found\\renamed.icd");
        ::CreateDirectoryA(folder.File("found"), nullptr);
        ASSERT_TRUE(::MoveFileExA(moved, found, MOVEFILE_REPLACE_EXISTING));
        doc->modified = false;

        ButtonSeams seams;
        ScriptedFileDialog locate({found});
        MessageBoxRecorder boxes;
        boxes.QueueAnswer(c.answer);
        ied->button->SendMessage(WM_COMMAND, ID_DEVICE_CONFIGURE);

        ASSERT_EQ(1u, boxes.Count());
        EXPECT_STREQ(kMovedFileQuestion, boxes.Last().text);
        EXPECT_EQ(static_cast<UINT>(MB_YESNO), boxes.Last().type & MB_TYPEMASK);
        if (c.relocated) {
            EXPECT_EQ(1u, locate.Requests().size());
            EXPECT_STREQ(found, ied->CIDFile);
            EXPECT_STREQ(found, ied->button->sclFilePath);
            EXPECT_STREQ(found, file->filePath);
            EXPECT_STREQ("renamed.icd", file->fileName);
            EXPECT_TRUE(doc->modified);
            ASSERT_EQ(Names{"CIEDMapDlg"}, seams.DialogClasses());
            EXPECT_STREQ(found, seams.dialogs[0].sclPath);
        } else {
            EXPECT_TRUE(locate.Requests().empty());
            EXPECT_STREQ(moved, ied->CIDFile);
            EXPECT_STREQ(moved, ied->button->sclFilePath);
            EXPECT_STREQ(moved, file->filePath);
            EXPECT_TRUE(seams.dialogs.empty());
            EXPECT_TRUE(seams.fills.empty());
            EXPECT_FALSE(doc->modified);
        }
        ::MoveFileExA(found, moved, MOVEFILE_REPLACE_EXISTING);
    }
}

TEST_F(IedButton, ConfigureTakesTheProjectFileThatDescribesTheIedWhenItsOwnFileNamesAnother)
{
    CMainDoc::_IED_DEVICE* ied = PlaceIed("IED_A");
    ASSERT_NE(nullptr, ied);
    WriteSclFile(ied->CIDFile, "IED_OTHER");
    const CString describing = folder.File("describing.icd");
    WriteSclFile(describing, "IED_A");
    for (const CString& path : {ied->CIDFile, describing}) {
        auto* file = new CMainDoc::_ICD_FILES;
        file->fileName = GetFileNameOfPath(path);
        file->filePath = path;
        doc->project.sclFiles.AddTail(file);
    }

    ButtonSeams seams;
    ied->button->SendMessage(WM_COMMAND, ID_DEVICE_CONFIGURE);
    ASSERT_EQ(Names{"CIEDMapDlg"}, seams.DialogClasses());
    EXPECT_STREQ(describing, seams.dialogs[0].sclPath);
    EXPECT_STREQ(describing, ied->button->sclFilePath);
    EXPECT_EQ(1u, seams.fills.size());
}

TEST_F(IedButton, DeleteRebuildsTheModbusCommandsWithoutTheDeletedIedsTags)
{
    app->WriteProfileInt("Props", "Warnings", 0);
    CMainDoc::_IED_DEVICE* first = PlaceIed("IED_A");
    CMainDoc::_IED_DEVICE* second = PlaceIed("IED_B");
    ASSERT_NE(nullptr, second);
    first->ConfiguredCache = {{"LD0/MMXU1$MX$A", "A_current", "FLOAT32", "R", "d", "LD0"}};
    second->ConfiguredCache = {{"LD0/MMXU1$MX$V", "B_voltage", "FLOAT32", "R", "d", "LD0"}};
    CMainDoc::CPLC_Device* plc = FirstPlc();
    plc->state = kSlotInUse;
    frame->currentDeviceId = first->devNum;
    doc->RebuildTagMap();
    Corvel::Mapping::RebuildModbusCommands(doc->project);
    ASSERT_EQ(2u, plc->configuredRows.size());

    first->button->SendMessage(WM_COMMAND, ID_DELETE_DEVICE);
    app->WriteProfileInt("Props", "Warnings", 1);

    ASSERT_EQ(1u, plc->configuredRows.size());
    EXPECT_STREQ("B_voltage", plc->configuredRows[0][Corvel::Mapping::kCmdTagName]);
    ASSERT_EQ(1, doc->project.tagMaps.GetCount());
    EXPECT_STREQ("B_voltage", doc->project.tagMaps.GetHead()->tagName);
}

// The delete question answered No deletes nothing: the device and the copy taken of it stay for Paste.
TEST_F(NodeButtonTest, DeleteAnsweredNoKeepsTheDeviceAndItsCopy)
{
    app->WriteProfileInt("Props", "Warnings", 1);
    CMainDoc::_IED_DEVICE* ied = PlaceIed("IED_A");
    ASSERT_NE(nullptr, ied);
    CMainDoc::CPLC_Device* plc = FirstPlc();
    plc->state = kSlotInUse;

    const struct {
        CWnd* button;
        int kind;
        int deviceId;
    } devices[] = {{ied->button, CMainDoc::kKindIed, ied->devNum}, {plc->button, CMainDoc::kKindPlc, plc->devNum}};
    const auto hasCopy = [this](int kind) {
        return kind == CMainDoc::kKindIed ? doc->copiedIedDevice != nullptr : doc->copiedPlcDevice != nullptr;
    };
    for (const auto& d : devices) {
        for (int answer : {IDNO, IDYES}) {
            SCOPED_TRACE(std::to_string(d.kind) + (answer == IDYES ? " yes" : " no"));
            frame->currentDeviceId = d.deviceId;
            doc->CopyDevice(d.kind);
            ASSERT_TRUE(hasCopy(d.kind));
            MessageBoxRecorder boxes;
            boxes.QueueAnswer(answer);
            d.button->SendMessage(WM_COMMAND, ID_DELETE_DEVICE);
            ASSERT_EQ(1u, boxes.Count());
            EXPECT_EQ(answer == IDNO, hasCopy(d.kind));
            EXPECT_EQ(answer == IDNO ? 1 : 0, view->CountDevices(d.kind));
        }
    }
}

TEST_F(PlcButton, RightClickingAPlcShowsNoMenuAndSelectsNothing)
{
    CMainDoc::_IED_DEVICE* ied = PlaceIed("IED_A");
    ASSERT_EQ(kSlotInUse, FirstPlc()->state);
    frame->currentDeviceId = ied->devNum;
    CPLCButton* plc = FirstPlc()->button;
    const bool opened = WithOpenMenu(
        [&] {
            plc->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 20));
            plc->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(20, 20));
        },
        [](HMENU, HWND) {});
    Pump();
    EXPECT_FALSE(opened);
    EXPECT_EQ(ied->devNum, frame->currentDeviceId);
}

TEST_F(PlcButton, ADoubleClickOpensTheEipMappingThenListsTheSelectedIedAgain)
{
    CMainDoc::_IED_DEVICE* ied = PlaceIed("IED_A");
    ASSERT_NE(nullptr, ied);
    ASSERT_EQ(kSlotInUse, FirstPlc()->state);
    CPLCButton* plc = FirstPlc()->button;
    // The selection may name an IED, the PLC itself (no IED record) or nothing.
    const struct {
        int selected;
        size_t fills;
    } cases[] = {{ied->devNum, 1}, {FirstPlc()->devNum, 0}, {0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.selected);
        frame->currentDeviceId = c.selected;
        ButtonSeams seams;
        PostClick(*plc, true);
        Pump();
        EXPECT_EQ(Names{"CEIPPLCMapDlg"}, seams.DialogClasses());
        ASSERT_EQ(c.fills, seams.fills.size());
        if (c.fills > 0) {
            EXPECT_GE(seams.fills[0], seams.dialogs[0].at);
        }
        EXPECT_EQ(c.selected, frame->currentDeviceId);
    }
}

TEST_F(PlcButton, ASingleClickOnAPlcOnlyWaits)
{
    CMainDoc::_IED_DEVICE* ied = PlaceIed("IED_A");
    ASSERT_EQ(kSlotInUse, FirstPlc()->state);
    frame->currentDeviceId = ied->devNum;
    ButtonSeams seams;
    PostClick(*FirstPlc()->button);
    Pump();
    EXPECT_TRUE(seams.dialogs.empty());
    EXPECT_TRUE(seams.fills.empty());
    EXPECT_EQ(ied->devNum, frame->currentDeviceId);
}

// Every command of the buttons' menus opens its own dialog, modally and without a parent window.
TEST_F(NodeButtonTest, EachCommandOpensItsDialog)
{
    CMainDoc::_IED_DEVICE* ied = PlaceIed("IED_A");
    ASSERT_EQ(kSlotInUse, FirstPlc()->state);
    CWnd* gateway = doc->project.bridgeButton;
    CWnd* plc = FirstPlc()->button;
    const struct {
        CWnd* button;
        UINT command;
        const char* dialog;
        bool upload;
    } cases[] = {
        {ied->button, ID_DEVICE_CONFIGURE, "CIEDMapDlg", false},
        {ied->button, ID_DEVICE_PROPERTIES, "CIEDPropsDlg", false},
        {plc, ID_PLC_MAP_VIEW, "CDlgMapView", false},
        {gateway, ID_GATEWAY_DOWNLOAD, "CDlgTransferFile", false},
        {gateway, ID_GATEWAY_UPLOAD, "CDlgTransferFile", true},
        {gateway, ID_MODBUS_CLIENT_MAPPING, "CDlgTransactionView", false},
        {gateway, ID_MODBUS_SERVER_MAPPING, "CDlgTagDBView", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        ButtonSeams seams;
        MessageBoxRecorder boxes;
        const CString projectPath = doc->GetProjectPath();
        c.button->SendMessage(WM_COMMAND, c.command);
        ASSERT_EQ(Names{c.dialog}, seams.DialogClasses());
        EXPECT_EQ(c.upload, seams.dialogs[0].upload);
        // An upload that brought no configuration opens nothing.
        EXPECT_EQ(0u, boxes.Count());
        EXPECT_STREQ(projectPath, doc->GetProjectPath());
    }
}

} // namespace
