// The EtherNet/IP mapping dialog over the running Corvel: opening states and the project note, Assign with
// its notes, Undo and Cancel, the message page's status rows, Delete on a page, the connection keys; its
// screenshot.
#include "corvel/mapping/eip_plc_map_dlg.h"

#include "corvel/document/main_doc.h"
#include "corvel/resources/resource.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../app/corvel_app_environment.h"
#include "../controls/grid_list_fixture.h"
#include "support/message_box_recorder.h"
#include "support/window_screenshot.h"

namespace {

using namespace Corvel::Mapping;
using Corvel::Records::_TAGS;

class EipPlcMapDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = CorvelAppEnvironment::Doc();
        ASSERT_NE(nullptr, doc);
        doc->modified = false;
        doc->OnFileNew();
        SetIedsInUse(2);
    }
    void TearDown() override
    {
        Close();
        doc->modified = false;
        doc->OnFileNew();
    }

    void SetIedsInUse(int count)
    {
        int i = 0;
        for (POSITION pos = doc->project.iedDevices.GetHeadPosition(); pos != nullptr; ++i)
            doc->project.iedDevices.GetNext(pos)->state =
                i < count ? Corvel::Records::kSlotInUse : Corvel::Records::kSlotFree;
        while (i < count) {
            auto device = std::make_unique<Corvel::Records::_IED_DEVICE>();
            device->state = Corvel::Records::kSlotInUse;
            doc->project.iedDevices.AddTail(device.release());
            ++i;
        }
    }
    _TAGS* AddTag(const CString& name, LPCSTR dataType, LPCSTR access, LPCSTR path = nullptr)
    {
        auto tag = std::make_unique<_TAGS>();
        tag->tagName = name;
        tag->tagPath = path != nullptr ? CString(path) : "relay/GGIO1$ST$" + name;
        tag->dataType = dataType;
        tag->Access = access;
        doc->project.tags.AddTail(tag.get());
        return tag.release();
    }
    void Open()
    {
        dialog = std::make_unique<CEIPPLCMapDlg>(CorvelAppEnvironment::Frame());
        dialog->SetDocument(doc);
        ASSERT_TRUE(dialog->Create(IDD_EIP_PLC_MAPPING, CorvelAppEnvironment::Frame()));
        dialog->ShowWindow(SW_SHOWNA);
        PumpMessages();
    }
    void Close()
    {
        if (dialog && dialog->m_hWnd != nullptr)
            dialog->DestroyWindow();
        dialog.reset();
        PumpMessages();
    }
    bool Enabled(UINT id) { return dialog->GetDlgItem(id)->IsWindowEnabled() != FALSE; }
    // Selects the tag list's rows with these names.
    void SelectTags(const std::vector<CString>& names)
    {
        CEIPMapListCtrl& list = dialog->GetTagList();
        for (int row = 0; row < list.GetItemCount(); ++row) {
            bool wanted = false;
            for (const CString& name : names)
                wanted |= list.GetRowTag(row)->tagName == name;
            list.SetItemState(row, wanted ? LVIS_SELECTED : 0, LVIS_SELECTED);
        }
    }
    static std::vector<std::string> Names(const Corvel::Records::CVQNTagsList& list)
    {
        std::vector<std::string> names;
        for (INT_PTR i = 0; i < list.GetCount(); ++i) {
            const _TAGS& tag = *list.GetAt(i);
            names.push_back(std::string(tag.tagName) + "@" + std::to_string(tag.Conn) + ":" +
                            std::to_string(tag.StartAddr));
        }
        return names;
    }
    std::vector<std::string> PageColumn(int tab, int col)
    {
        CEIPMapListPage& page = dialog->GetTabs().GetPage(tab);
        std::vector<std::string> texts;
        for (int row = 0; row < page.GetItemCount(); ++row)
            texts.push_back(std::string(page.GetItemText(row, col)));
        return texts;
    }

    CMainDoc* doc = nullptr;
    std::unique_ptr<CEIPPLCMapDlg> dialog;
};

TEST_F(EipPlcMapDialogTest, EditingButtonsNeedTagsAndIedsWithinTheLimit)
{
    struct Case {
        const char* name;
        int ports;
        int ieds;
        bool tags;
        bool enabled;
        const char* note;
    };
    const Case cases[] = {
        {"no tags", 2, 2, false, false, "Project is configured for a TWO PORTS gateway with 2 IEDs. RPI limit: 10 mSec."},
        {"no IED", 2, 0, true, false, "Project is configured for a TWO PORTS gateway with 0 IEDs. RPI limit: 10 mSec."},
        {"two IEDs", 2, 2, true, true, "Project is configured for a TWO PORTS gateway with 2 IEDs. RPI limit: 10 mSec."},
        {"21 on one port", 1, 21, true, false,
         "NOTE: A ONE PORT gateway has a limit of 20 IEDs. You must remove 1 IED from the project before proceeding."},
        {"23 on one port", 1, 23, true, false,
         "NOTE: A ONE PORT gateway has a limit of 20 IEDs. You must remove 3 IEDs from the project before proceeding."},
    };
    for (const Case& c : cases) {
        doc->OnFileNew();
        doc->project.numPorts = c.ports;
        SetIedsInUse(c.ieds);
        if (c.tags)
            AddTag("val", "INT32", "R");
        Open();
        for (UINT id : {IDC_EIP_ASSIGN, IDC_EIP_AUTO_ASSIGN, IDC_EIP_UNDO, IDC_EIP_RESET_ALL})
            EXPECT_EQ(c.enabled, Enabled(id)) << c.name << " " << id;
        EXPECT_EQ(CString(c.note), dialog->GetStatusNote()) << c.name;
        CString shown;
        dialog->GetDlgItemText(IDC_EIP_STATUS, shown);
        EXPECT_EQ(CString(c.note), shown);
        EXPECT_EQ(c.ports != 1, dialog->GetDlgItem(IDC_EIP_RANGE)->IsWindowVisible() != FALSE) << c.name;
        Close();
    }
}

TEST_F(EipPlcMapDialogTest, AssignUndoAndCancel)
{
    AddTag("cmd_a", "BOOLEAN", "W");
    AddTag("cmd_b", "INT32", "W");
    AddTag("val_c", "INT32", "R");
    AddTag("val_d", "INT16", "R");
    _TAGS* committed = AddTag("old", "INT32", "R");
    committed->Assigned = true;
    _TAGS copy = *committed;
    copy.Conn = 0;
    copy.StartAddr = 0;
    doc->tagsINP.AddTag(copy);
    Open();
    EXPECT_EQ(4, dialog->GetTagList().GetItemCount());
    const std::vector<std::string> opened = Names(doc->tagsINP);

    MessageBoxRecorder boxes;
    dialog->OnUndo();
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(CString("Nothing to 'Undo'"), boxes.Last().text);
    boxes.Clear();

    // Two write tags on the input page go to the outputs, with one note.
    SelectTags({"cmd_a", "cmd_b"});
    dialog->OnAssign();
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(CString("Some tags could not be assigned to INPUTs as they\nare of type 'write' and were assigned as "
                      "OUTPUTs."),
              boxes.Last().text);
    EXPECT_EQ((std::vector<std::string>{"cmd_a@0:0", "cmd_b@0:1"}), Names(doc->tagsOUT));
    EXPECT_EQ(2, dialog->GetTagList().GetItemCount());

    dialog->SetSelectedConnection(4);
    SelectTags({"val_c"});
    dialog->OnAssign();
    EXPECT_EQ((std::vector<std::string>{"old@0:0", "val_c@4:0"}), Names(doc->tagsINP));
    EXPECT_EQ((std::vector<std::string>{"val_c"}), PageColumn(0, 1));

    dialog->OnUndo();
    EXPECT_EQ(opened, Names(doc->tagsINP));
    EXPECT_EQ(2, dialog->GetTagList().GetItemCount());
    EXPECT_EQ(2, doc->tagsOUT.GetCount());

    dialog->OnCancel();
    EXPECT_EQ(opened, Names(doc->tagsINP));
    EXPECT_EQ(0, doc->tagsOUT.GetCount());
    EXPECT_EQ(0, doc->tagsMSG.GetCount());
    EXPECT_FALSE(doc->modified);
}

// What the connection lists note during an action is shown by the dialog right after it, before the action's
// own notes.
TEST_F(EipPlcMapDialogTest, WhatTheListsNoteIsShownAfterTheAction)
{
    const struct {
        const char* access;
        std::vector<CString> texts;
    } cases[] = {
        {"R", {"ERROR: Unsupported data type: 'NoSuchType'"}},
        {"W",
         {"ERROR: Unsupported data type: 'NoSuchType'",
          "Some tags could not be assigned to INPUTs as they\nare of type 'write' and were assigned as OUTPUTs."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.access);
        doc->OnFileNew();
        SetIedsInUse(2);
        AddTag("odd", "NoSuchType", c.access);
        Open();
        MessageBoxRecorder boxes;
        SelectTags({"odd"});
        dialog->OnAssign();
        std::vector<CString> shown;
        for (const MessageBoxRecorder::Call& call : boxes.Calls())
            shown.push_back(call.text);
        EXPECT_EQ(c.texts, shown);
        ASSERT_FALSE(boxes.Calls().empty());
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes.Calls()[0].type & MB_ICONMASK);
        EXPECT_EQ(0, doc->tagsINP.GetCount() + doc->tagsOUT.GetCount());
        EXPECT_EQ(1, dialog->GetTagList().GetItemCount());
        Close();
    }
}

TEST_F(EipPlcMapDialogTest, OkCommitsAndMarksTheProjectChanged)
{
    AddTag("val_a", "INT32", "R");
    AddTag("val_b", "INT32", "R");
    Open();
    dialog->OnAutoAssign();
    EXPECT_EQ(0, dialog->GetTagList().GetItemCount());
    dialog->OnOK();
    EXPECT_TRUE(doc->modified);
    ASSERT_EQ(2, doc->tagsINP.GetCount());
    EXPECT_EQ(0, doc->tagsINP.GetAt(0)->SeqNum);

    // A later session's Cancel keeps what was committed.
    Close();
    Open();
    dialog->OnCancel();
    EXPECT_EQ(2, doc->tagsINP.GetCount());
}

TEST_F(EipPlcMapDialogTest, MessagePageAndItsStatusRows)
{
    AddTag("in_a", "INT32", "R");
    AddTag("in_b", "INT32", "R");
    AddTag("out_c", "INT32", "W");
    AddTag("text_d", "VisString64", "R");
    AddTag("text_e", "VisString64", "W");
    Open();
    MessageBoxRecorder boxes;
    for (int conn = 0; conn < 3; ++conn) {
        dialog->SetSelectedConnection(conn);
        SelectTags({conn == 0 ? "in_a" : (conn == 1 ? "out_c" : "in_b")});
        dialog->OnAssign();
    }
    dialog->SelectTab(Corvel::Records::kEipMessageTab);
    SelectTags({"text_d", "text_e"});
    dialog->OnAssign();

    const std::vector<std::string> names = PageColumn(2, 1);
    ASSERT_GE(names.size(), 9u);
    EXPECT_EQ("text_d", names[0]);
    EXPECT_EQ("text_e", names[1]);
    EXPECT_EQ("EIPS_Connection_Status", names[2]);
    EXPECT_EQ("     StatusEIPS_ReconnectionCount_02", names[5]);
    const std::vector<std::string> attribs = PageColumn(2, 3);
    EXPECT_EQ((std::vector<std::string>{"0x1", "0x2", "0xfde8", "", "", ""}),
              std::vector<std::string>(attribs.begin(), attribs.begin() + 6));
    EXPECT_EQ("6", PageColumn(2, 5)[2]);
    const std::vector<std::string> indices = PageColumn(2, 4);
    EXPECT_EQ((std::vector<std::string>{"0", "2", "4"}), std::vector<std::string>(indices.begin() + 3, indices.begin() + 6));
    EXPECT_EQ("     StatusIEC61850CNode_eth0_01", names[8]);

    // Undo on a status row refuses it; Delete on a tag row takes it out of the project's list.
    CEIPMapListPage& page = dialog->GetTabs().GetPage(2);
    boxes.Clear();
    page.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    dialog->OnUndo();
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(CString("Diagnostic tags cannot be deleted."), boxes.Last().text);
    EXPECT_EQ(2, doc->tagsMSG.GetCount());

    page.SetItemState(-1, 0, LVIS_SELECTED);
    page.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    page.SendMessage(WM_KEYDOWN, VK_DELETE, 0x00530001);
    EXPECT_EQ(1, doc->tagsMSG.GetCount());
    EXPECT_EQ("text_e", PageColumn(2, 1)[0]);
    EXPECT_EQ("0x1", PageColumn(2, 3)[0]);
    EXPECT_EQ(1, dialog->GetTagList().GetItemCount());
}

// The page's row menu offers Delete alone; Delete, from the menu or the key, is Undo with those rows selected.
TEST_F(EipPlcMapDialogTest, DeleteOnAPageTakesTheTagsOutOfTheProject)
{
    AddTag("val_a", "INT32", "R");
    AddTag("val_b", "INT32", "R");
    AddTag("val_c", "INT32", "R");
    Open();
    SelectTags({"val_a", "val_b", "val_c"});
    dialog->OnAssign();
    CEIPMapListPage& page = dialog->GetTabs().GetPage(Corvel::Records::kEipInputTab);
    ASSERT_EQ(3, page.GetItemCount());

    page.SelectRow(-1, false);
    page.SelectRow(1, true);
    CRect row;
    page.GetItemRect(1, &row, LVIR_BOUNDS);
    {
        MenuCatcher menu;
        menu.Choose(ID_GRID_DELETE);
        PostRightClick(page, row.CenterPoint());
        EXPECT_EQ((std::vector<UINT>{ID_GRID_DELETE}), menu.Ids());
    }
    EXPECT_EQ((std::vector<std::string>{"val_a@0:0", "val_c@0:4"}), Names(doc->tagsINP));
    EXPECT_EQ((std::vector<std::string>{"val_a", "val_c"}), PageColumn(0, 1));
    ASSERT_EQ(1, dialog->GetTagList().GetItemCount());
    EXPECT_EQ(CString("val_b"), dialog->GetTagList().GetRowTag(0)->tagName);
    EXPECT_FALSE(dialog->GetTagList().GetRowTag(0)->Assigned);

    page.SelectRow(-1, false);
    page.SelectRow(0, true);
    page.SetFocus();
    PostKey(page.m_hWnd, VK_DELETE);
    EXPECT_EQ((std::vector<std::string>{"val_c@0:0"}), Names(doc->tagsINP));
    EXPECT_EQ(2, dialog->GetTagList().GetItemCount());
}

// Cancel takes back the stamped assignments only: committed tags removed by Delete or Reset All stay removed.
TEST_F(EipPlcMapDialogTest, CancelDoesNotBringBackRemovedTags)
{
    for (const char* name : {"old_a", "old_b"}) {
        _TAGS* committed = AddTag(name, "INT32", "R");
        committed->Assigned = true;
        _TAGS copy = *committed;
        copy.Conn = 0;
        copy.StartAddr = name[4] == 'a' ? 0 : 4;
        doc->tagsINP.AddTag(copy);
    }
    Open();
    CEIPMapListPage& page = dialog->GetTabs().GetPage(Corvel::Records::kEipInputTab);
    page.SelectRow(0, true);
    page.SetFocus();
    PostKey(page.m_hWnd, VK_DELETE);
    dialog->OnCancel();
    EXPECT_EQ((std::vector<std::string>{"old_b@0:0"}), Names(doc->tagsINP));

    Close();
    Open();
    MessageBoxRecorder boxes;
    boxes.QueueAnswer(IDYES);
    dialog->OnResetAll();
    EXPECT_EQ(CString("Are you sure that you want to remove all tags that have been assigned?"), boxes.Last().text);
    dialog->OnCancel();
    EXPECT_EQ(0, doc->tagsINP.GetCount());
}

// A drag of the tag list's selection: the list's begin-drag notification, then the mouse, captured by the
// dialog, moved and released over a window of the dialog. A drop on a list assigns as the Assign button does.
TEST_F(EipPlcMapDialogTest, DroppingTagsOnAListAssignsThem)
{
    for (const char* name : {"val_a", "val_b", "val_c", "val_d"})
        AddTag(name, "INT32", "R");
    Open();
    CEIPMapListCtrl& tags = dialog->GetTagList();
    const struct {
        const char* target;
        CWnd* window;
        bool assigns;
    } cases[] = {
        {"input page", &dialog->GetTabs().GetPage(Corvel::Records::kEipInputTab), true},
        {"status line", dialog->GetDlgItem(IDC_EIP_STATUS), false},
        {"tag list", &tags, true},
        {"connection strip", &dialog->GetSlider(), false},
    };
    int assigned = 0;
    for (const auto& c : cases) {
        ASSERT_GT(tags.GetItemCount(), 0);
        const CString dragged = tags.GetRowTag(0)->tagName;
        SelectTags({dragged});
        CRect row;
        tags.GetItemRect(0, &row, LVIR_BOUNDS);
        NMLISTVIEW begin = {};
        begin.hdr.hwndFrom = tags.m_hWnd;
        begin.hdr.idFrom = CEIPPLCMapDlg::kTagListId;
        begin.hdr.code = LVN_BEGINDRAG;
        begin.iItem = 0;
        begin.ptAction = row.CenterPoint();
        dialog->SendMessage(WM_NOTIFY, CEIPPLCMapDlg::kTagListId, reinterpret_cast<LPARAM>(&begin));
        EXPECT_TRUE(dialog->IsDragging()) << c.target;
        EXPECT_EQ(dialog->m_hWnd, ::GetCapture()) << c.target;
        ASSERT_NE(nullptr, dialog->GetDragCursor());
        EXPECT_EQ(dialog->GetDragCursor(), ::GetCursor()) << c.target;
        POINT hotSpot = {};
        EXPECT_NE(nullptr, ::ImageList_GetDragImage(nullptr, &hotSpot)) << c.target;
        EXPECT_EQ(CPoint(-10, -14), CPoint(hotSpot)) << c.target;

        CRect place;
        c.window->GetWindowRect(&place);
        CPoint point = place.CenterPoint();
        dialog->ScreenToClient(&point);
        dialog->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        dialog->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        EXPECT_FALSE(dialog->IsDragging()) << c.target;
        EXPECT_EQ(nullptr, ::GetCapture()) << c.target;
        EXPECT_EQ(nullptr, ::ImageList_GetDragImage(nullptr, nullptr)) << c.target;
        EXPECT_EQ(::LoadCursor(nullptr, IDC_ARROW), ::GetCursor()) << c.target;
        assigned += c.assigns ? 1 : 0;
        EXPECT_EQ(assigned, doc->tagsINP.GetCount()) << c.target;
        EXPECT_EQ(c.assigns, doc->tagsINP.ContainsTag(dragged)) << c.target;
    }
    EXPECT_EQ(2, tags.GetItemCount());
    EXPECT_EQ((std::vector<std::string>{"val_a", "val_b"}), PageColumn(0, 1));

    // The mouse taken by another window ends the drag without a drop.
    SelectTags({"val_c"});
    NMLISTVIEW begin = {};
    begin.hdr = {tags.m_hWnd, CEIPPLCMapDlg::kTagListId, LVN_BEGINDRAG};
    dialog->SendMessage(WM_NOTIFY, CEIPPLCMapDlg::kTagListId, reinterpret_cast<LPARAM>(&begin));
    tags.SetCapture();
    EXPECT_FALSE(dialog->IsDragging());
    ::ReleaseCapture();
    EXPECT_EQ(2, doc->tagsINP.GetCount());
}

TEST_F(EipPlcMapDialogTest, ConnectionKeys)
{
    AddTag("val", "INT32", "R");
    Open();
    HWND list = dialog->GetTagList().m_hWnd;
    auto send = [&](UINT message, WPARAM key, LPARAM lParam) {
        MSG msg = {list, message, key, lParam, 0, {}};
        return dialog->PreTranslateMessage(&msg) != FALSE;
    };
    EXPECT_TRUE(send(WM_KEYDOWN, VK_UP, 0x00480001));
    EXPECT_EQ(0, dialog->GetSelectedConnection());
    dialog->SetSelectedConnection(9);
    EXPECT_TRUE(send(WM_KEYDOWN, VK_NEXT, 0x00510001));
    EXPECT_EQ(9, dialog->GetSelectedConnection());
    EXPECT_TRUE(send(WM_KEYDOWN, VK_PRIOR, 0x00490001));
    EXPECT_EQ(8, dialog->GetSelectedConnection());
    // A mouse move whose lParam looks like a key moves nothing.
    EXPECT_FALSE(send(WM_MOUSEMOVE, 0, 0x00500001));
    EXPECT_EQ(8, dialog->GetSelectedConnection());

    dialog->OnRange();
    EXPECT_EQ(10, dialog->GetSelectedConnection());
    CString caption;
    dialog->GetDlgItemText(IDC_EIP_RANGE, caption);
    EXPECT_EQ(CString("Operate To View Connections 0 thru 9"), caption);
    dialog->SetSelectedConnection(19);
    EXPECT_TRUE(send(WM_KEYDOWN, VK_DOWN, 0x00500001));
    EXPECT_EQ(19, dialog->GetSelectedConnection());
    dialog->OnRange();
    EXPECT_EQ(0, dialog->GetSelectedConnection());
}

TEST_F(EipPlcMapDialogTest, Screenshot)
{
    doc->project.numPorts = 2;
    for (int i = 0; i < 6; ++i)
        AddTag("feeder_current_" + CString(char('a' + i)), "FLOAT32", "R");
    AddTag("breaker_open", "BOOLEAN", "W", "relay/CSWI1$CO$Pos$Oper$ctlVal");
    AddTag("goose_trip", "BOOLEAN", "R", "relay/LLN0$GOOSE1/PTRC1$ST$Tr$general");
    AddTag("report_mag", "FLOAT32", "R", "relay/LLN0.BR/brcb01/MMXU1$MX$TotW$mag$f");
    AddTag("device_name", "VisString64", "R");
    std::vector<CString> energy;
    for (int i = 0; i < 60; ++i) {
        CString name;
        name.Format("energy_%02d", i);
        AddTag(name, "FLOAT32", "R");
        energy.push_back(name);
    }
    for (int i = 0; i < 8; ++i)
        AddTag("spare_" + CString(char('a' + i)), "INT16", "R");
    Open();
    MessageBoxRecorder boxes;
    SelectTags({"feeder_current_a", "feeder_current_b", "goose_trip", "report_mag"});
    dialog->OnAssign();
    dialog->SetSelectedConnection(1);
    SelectTags({"feeder_current_c", "feeder_current_d", "feeder_current_e"});
    dialog->OnAssign();
    dialog->SetSelectedConnection(2);
    SelectTags(energy);
    dialog->OnAssign();
    dialog->SetSelectedConnection(0);
    PumpMessages();
    EXPECT_EQ("", SaveWindowScreenshot(dialog->m_hWnd, "plc-mapping"));
}

} // namespace
