// The main window with Corvel running in the test process: bars, splitter, closing, placing devices on the
// network view, its bus lines and dropped files, the project options dialog, and the screenshots.
#include "corvel/document/main_doc.h"
#include "corvel/resources/resource.h"
#include "corvel/workspace/buttons.h"
#include "corvel/workspace/dev_tag_view.h"
#include "corvel/workspace/file_view.h"
#include "corvel/workspace/props_dlg.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>
#include <vector>

#include "corvel_app_environment.h"
#include "support/dropped_files.h"
#include "support/message_box_recorder.h"
#include "support/paths.h"
#include "support/scripted_file_dialog.h"
#include "support/canvas.h"
#include "support/window_pixels.h"
#include "support/window_screenshot.h"

namespace {

using Corvel::Records::kSlotFree;
using Corvel::Records::kSlotInUse;

const char kNameTooLong[] = "The IED name is more than 40 characters in length. The IED name must be shortened as "
                            "Rockwell AOI has a 40 character limit.";
const char kInUse[] = "Warning: The device is already in use.";

// An access point of an IED named name, as the SCL header reader hands it out.
CConnectedAP Entry(const CString& name, LPCSTR ip = "10.0.0.1")
{
    CIED ied;
    ied.name = name;
    ied.manufacturer = "Acme";
    return CConnectedAP(ied, ip, "255.255.255.0", "10.0.0.254", "1,3,9999,33", "33", "00000001", "0001", "0001");
}

// An SCL file with one IED, connected with the given address.
std::string SclWithIed(LPCSTR iedName, LPCSTR ip)
{
    CString text;
    text.Format("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SCL xmlns=\"http://www.iec.ch/61850/2003/SCL\">\n"
                "<Communication><SubNetwork name=\"N1\"><ConnectedAP iedName=\"%s\" apName=\"AP1\"><Address>"
                "<P type=\"IP\">%s</P><P type=\"IP-SUBNET\">255.255.255.0</P></Address></ConnectedAP></SubNetwork>"
                "</Communication>\n<IED name=\"%s\" type=\"Relay\" manufacturer=\"Vendor\"><AccessPoint name=\"AP1\">"
                "<Server/></AccessPoint></IED>\n</SCL>\n",
                iedName, ip, iedName);
    return std::string(text);
}

// The network view's drawing, painted into a memory bitmap of the view's client size.
struct NetworkViewAccess : CMainView {
    using CMainView::OnDraw;
    using CMainView::OnDropFiles;
};

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = CorvelAppEnvironment::Frame();
        doc = CorvelAppEnvironment::Doc();
        view = CorvelAppEnvironment::View();
        ASSERT_NE(nullptr, frame);
        ASSERT_NE(nullptr, doc);
        ASSERT_NE(nullptr, view);
        doc->modified = false;
        doc->OnFileNew();
    }
    void TearDown() override
    {
        doc->modified = false;
        doc->OnFileNew();
    }

    CMainDoc::_IED_DEVICE* Slot(int i) const
    {
        POSITION pos = doc->project.iedDevices.FindIndex(i);
        return pos != nullptr ? doc->project.iedDevices.GetAt(pos) : nullptr;
    }

    // Places IEDs named by names in the first free slots.
    void PlaceIeds(const std::vector<CString>& names)
    {
        for (const CString& name : names) {
            const CConnectedAP entry = Entry(name);
            ASSERT_NE(-1, view->AddDevice(CMainDoc::kKindIed, "C:\\scl\\" + name + ".icd", &entry)) << name;
        }
    }

    CMainFrame* frame = nullptr;
    CMainDoc* doc = nullptr;
    CMainView* view = nullptr;
};

TEST_F(MainWindow, StartsWithTheProductCaptionBarsPaneAndTheGatewayAndPlc)
{
    CString caption;
    frame->GetWindowText(caption);
    EXPECT_STREQ("Korvane EIP-Tarnwell", caption);

    // The bars and the pane.
    EXPECT_NE(nullptr, frame->GetMenuBar().GetHMenu());
    EXPECT_EQ(nullptr, ::GetMenu(frame->m_hWnd)) << "the menu shows in the menu bar, not in the window's menu line";
    const UINT toolbar[] = {ID_FILE_NEW, ID_OPEN_PROJECT, ID_FILE_SAVE, ID_SEPARATOR, ID_EDIT_CUT,
                            ID_EDIT_COPY, ID_EDIT_PASTE, ID_SEPARATOR, ID_APP_ABOUT};
    ASSERT_EQ(static_cast<int>(std::size(toolbar)), frame->GetToolBar().GetCount());
    for (int i = 0; i < frame->GetToolBar().GetCount(); ++i)
        EXPECT_EQ(toolbar[i], frame->GetToolBar().GetItemID(i)) << i;
    CString toolbarCaption;
    frame->GetToolBar().GetWindowText(toolbarCaption);
    EXPECT_STREQ("Standard", toolbarCaption);
    EXPECT_STREQ("Customize...", frame->GetToolBar().GetCustomizeText());
    EXPECT_EQ(4, frame->GetStatusBar().GetCount());
    CString paneCaption;
    frame->GetFileView()->GetWindowText(paneCaption);
    EXPECT_STREQ("Device View", paneCaption);
    EXPECT_NE(nullptr, frame->GetFileView()->GetIcon());
    EXPECT_EQ(static_cast<int>(ID_VIEW_FILEVIEW), frame->GetFileView()->GetDlgCtrlID());
    ASSERT_NE(nullptr, frame->GetTagView());
    EXPECT_EQ(CDevTagView::kColumnCount, frame->GetTagView()->GetListCtrl().GetHeaderCtrl()->GetItemCount());

    // The pane sits left of the splitter, the bars above and below it.
    CRect pane, splitter, toolbarRect, status;
    frame->GetFileView()->GetWindowRect(&pane);
    frame->GetSplitter().GetWindowRect(&splitter);
    frame->GetToolBar().GetWindowRect(&toolbarRect);
    frame->GetStatusBar().GetWindowRect(&status);
    EXPECT_EQ(pane.right, splitter.left);
    EXPECT_EQ(toolbarRect.bottom, splitter.top);
    EXPECT_EQ(status.top, splitter.bottom);

    CBridgeButn* gateway = doc->project.bridgeButton;
    ASSERT_NE(nullptr, gateway);
    view->UpdateWindow();
    CRect rect;
    gateway->GetWindowRect(&rect);
    view->ScreenToClient(&rect);
    EXPECT_EQ(CRect(60, 160, 160, 250), rect);
    CString text;
    gateway->GetWindowText(text);
    EXPECT_STREQ("192.168.0.250", text);
    EXPECT_STREQ("Project 1", gateway->label);

    CMainDoc::CPLC_Device* plc = doc->project.plcDevices.GetHead();
    ASSERT_NE(nullptr, plc->button);
    EXPECT_TRUE(plc->button->IsWindowVisible());
    plc->button->GetWindowText(text);
    EXPECT_STREQ("Class 1 and 3", text);
    EXPECT_STREQ("EthernetIP", plc->button->label);
}

TEST_F(MainWindow, StatusBarShowsThePromptOfTheHighlightedMenuItem)
{
    CMFCStatusBar& status = frame->GetStatusBar();
    EXPECT_STREQ("Ready", status.GetPaneText(0));
    HMENU menu = frame->GetMenuBar().GetHMenu();
    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_FILE_SAVE, MF_STRING), reinterpret_cast<LPARAM>(menu));
    EXPECT_STREQ("Save the project", status.GetPaneText(0));
    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, MF_POPUP), reinterpret_cast<LPARAM>(menu));
    EXPECT_STREQ("", status.GetPaneText(0));
    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_STREQ("Ready", status.GetPaneText(0));
}

TEST_F(MainWindow, SplitterRowsShareTheClientHeightAroundTheMiddle)
{
    frame->SetSplitterRows(600);
    EXPECT_EQ(400, frame->GetSplitter().GetIdealRowHeight(0));
    EXPECT_EQ(200, frame->GetSplitter().GetIdealRowHeight(1));
    CRect client;
    frame->GetClientRect(&client);
    frame->SetSplitterRows(client.Height());
}

// View > Split moves the bar between the views from the keyboard: Enter keeps the place, Escape restores it.
TEST_F(MainWindow, SplitCommandMovesTheBarFromTheKeyboard)
{
    CSplitterEx& splitter = frame->GetSplitter();
    auto upperHeight = [&splitter] {
        int current = 0;
        int minimum = 0;
        splitter.GetRowInfo(0, current, minimum);
        return current;
    };
    // Keys go the program's way: the application's filters (the frame's accelerators among them) first.
    auto key = [&splitter](UINT vk, int times = 1) {
        for (int i = 0; i < times; ++i) {
            MSG msg = {splitter.m_hWnd, WM_KEYDOWN, vk, 1, 0, {}};
            if (!CorvelAppEnvironment::App().PreTranslateMessage(&msg))
                ::DispatchMessageA(&msg);
        }
    };
    // The menu item is enabled while no bar is being moved.
    HMENU viewMenu = ::GetSubMenu(frame->GetMenuBar().GetHMenu(), 2);
    auto splitEnabled = [&] {
        frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(viewMenu), 2);
        return (::GetMenuState(viewMenu, ID_VIEW_SPLIT, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
    };
    const int before = upperHeight();
    ASSERT_GT(before, 20);
    EXPECT_TRUE(splitEnabled());
    frame->SendMessage(WM_COMMAND, ID_VIEW_SPLIT);
    ASSERT_TRUE(splitter.IsTracking());
    EXPECT_FALSE(splitEnabled());
    EXPECT_EQ(splitter.m_hWnd, ::GetCapture());
    // The cursor waits in the middle of the bar; the mouse's move there leaves the bar where it is.
    CRect client;
    splitter.GetClientRect(&client);
    const int barMiddle = CSplitterEx::kBorder + before + CSplitterEx::kBarSize / 2;
    splitter.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(client.Width() / 2, barMiddle));
    EXPECT_EQ(before, upperHeight());
    splitter.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(client.Width() / 2, barMiddle + 4));
    EXPECT_EQ(before + 4, upperHeight()) << "the bar follows the mouse";
    splitter.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(client.Width() / 2, barMiddle));
    key(VK_DOWN, 3);
    EXPECT_EQ(before + 12, upperHeight());
    key(VK_LEFT);
    EXPECT_EQ(before + 12, upperHeight()) << "a row bar moves only up and down";
    key(VK_RETURN);
    EXPECT_FALSE(splitter.IsTracking());
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_EQ(before + 12, upperHeight());
    key(VK_UP);
    EXPECT_EQ(before + 12, upperHeight()) << "keys do nothing once the split ended";

    frame->SendMessage(WM_COMMAND, ID_VIEW_SPLIT);
    ASSERT_TRUE(splitter.IsTracking());
    key(VK_UP, 5);
    EXPECT_EQ(before - 8, upperHeight());
    key(VK_ESCAPE);
    EXPECT_FALSE(splitter.IsTracking());
    EXPECT_EQ(before + 12, upperHeight());

    // A click keeps the bar where the keys put it.
    frame->SendMessage(WM_COMMAND, ID_VIEW_SPLIT);
    key(VK_UP, 3);
    splitter.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_FALSE(splitter.IsTracking());
    EXPECT_EQ(before, upperHeight());
    // The split put the pointer on the bar: it goes back to the screen's corner, off the windows of the
    // programs beside this one.
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
}

// F6 and Shift+F6 go from view to view of the splitter, round and round.
TEST_F(MainWindow, NextAndPreviousPaneGoRoundTheViews)
{
    CView* tagView = frame->GetTagView();
    frame->SetActiveView(view);
    frame->SendMessage(WM_COMMAND, ID_NEXT_PANE);
    EXPECT_EQ(tagView, frame->GetActiveView());
    frame->SendMessage(WM_COMMAND, ID_NEXT_PANE);
    EXPECT_EQ(view, frame->GetActiveView());
    frame->SendMessage(WM_COMMAND, ID_PREV_PANE);
    EXPECT_EQ(tagView, frame->GetActiveView());
    frame->SendMessage(WM_COMMAND, ID_PREV_PANE);
    EXPECT_EQ(view, frame->GetActiveView());
}

// The views sit inside a one-pixel sunken frame each, the wide bar between the frames.
TEST_F(MainWindow, SplitterFramesEachViewWithTheBarBetweenThem)
{
    struct SplitterAccess : CSplitterEx {
        using CSplitterEx::DrawAllSplitBars;
    };
    CSplitterEx& splitter = frame->GetSplitter();
    CRect client;
    splitter.GetClientRect(&client);
    auto placeOf = [&splitter](CWnd* pane) {
        CRect rect;
        pane->GetWindowRect(&rect);
        splitter.ScreenToClient(&rect);
        return rect;
    };
    const CRect upper = placeOf(view);
    const CRect lower = placeOf(frame->GetTagView());
    EXPECT_EQ(CRect(1, 1, client.right - 1, upper.bottom), upper);
    EXPECT_EQ(CRect(1, upper.bottom + CSplitterEx::kBarSize, client.right - 1, client.bottom - 1), lower);

    Canvas canvas(client.Width(), client.Height(), RGB(255, 255, 255));
    static_cast<SplitterAccess&>(splitter).DrawAllSplitBars(&canvas.dc, client.Width(), client.Height());
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const struct {
        int x;
        int y;
        COLORREF colour;
    } probes[] = {
        // The upper view's frame, round its window.
        {0, 20, shadow},
        {20, 0, shadow},
        {client.right - 1, 20, highlight},
        {20, upper.bottom, highlight},
        // The lower view's frame, one pixel outside its window.
        {20, lower.top - 1, shadow},
        {0, lower.top + 5, shadow},
        {20, client.bottom - 1, highlight},
        // The bar's face between the frames.
        {client.Width() / 2, upper.bottom + CSplitterEx::kBarSize / 2, ::GetSysColor(COLOR_BTNFACE)},
    };
    for (const auto& probe : probes)
        EXPECT_EQ(probe.colour, canvas.Pixel(probe.x, probe.y)) << probe.x << ", " << probe.y;
}

TEST_F(MainWindow, SplitterLabelIsDrawnOnlyWhereTheBarLeavesRoom)
{
    CSplitterEx& splitter = frame->GetSplitter();
    CRect client;
    splitter.GetClientRect(&client);
    const CRect bar(0, 100, client.Width(), 100 + CSplitterEx::kBarSize);
    const struct {
        const char* label;
        bool drawn;
    } cases[] = {
        {"IED Relay_F1 has 12 Assigned Tags", true},
        {"", false},
        // Wider than the bar: X - 30 is not right of the bar's left edge.
        {"IED 0123456789012345678901234567890123456789 0123456789012345678901234567890123456789 "
         "0123456789012345678901234567890123456789 0123456789012345678901234567890123456789 has 1 Assigned Tags",
         false},
    };
    for (const auto& c : cases) {
        splitter.SetLabelText(c.label);
        EXPECT_STREQ(c.label, splitter.GetLabelText());
        Canvas canvas(client.Width(), 200, RGB(255, 255, 255));
        splitter.OnDrawSplitter(&canvas.dc, CSplitterWnd::splitBar, bar);
        const int black = canvas.Count(CRect(3, bar.top + 3, client.Width() - 3, bar.bottom - 3), RGB(0, 0, 0));
        EXPECT_EQ(c.drawn, black > 0) << c.label;
    }
    splitter.SetLabelText("");
}

// Releasing the project frees every record the network view made and clears the tag map.
TEST_F(MainWindow, ReleasingTheProjectFreesTheNetworkRecordsAndClearsTheTagMap)
{
    PlaceIeds({"Bay1"});
    doc->project.tags.AddTail(new Corvel::Records::_TAGS);
    auto* row = new Corvel::Records::_TAGSMAP;
    row->tagName = "Bay1_Pos";
    doc->project.tagMaps.AddTail(row);
    CDevButton* button = Slot(0)->button;
    ASSERT_TRUE(::IsWindow(button->GetSafeHwnd()));
    const HWND buttonWindow = button->m_hWnd;

    frame->ReleaseProject();
    EXPECT_EQ(nullptr, doc->project.bridgeButton);
    EXPECT_TRUE(doc->project.iedDevices.IsEmpty());
    EXPECT_TRUE(doc->project.plcDevices.IsEmpty());
    EXPECT_TRUE(doc->project.tags.IsEmpty());
    EXPECT_TRUE(doc->project.tagMaps.IsEmpty());
    EXPECT_FALSE(::IsWindow(buttonWindow));
    CString caption;
    frame->GetWindowText(caption);
    EXPECT_STREQ("Korvane EIP-Tarnwell", caption);
}

TEST_F(MainWindow, CloseRestoresAMaximisedWindowAndCancelKeepsItOpen)
{
    frame->ShowWindow(SW_MAXIMIZE);
    doc->modified = true;
    doc->SetProjectName("Kept");
    MessageBoxRecorder boxes;
    boxes.QueueAnswer(IDCANCEL);
    frame->SendMessage(WM_CLOSE);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_NE(-1, boxes.Last().text.Find("Do you want to save changes?")) << boxes.Last().text;
    ASSERT_TRUE(::IsWindow(frame->m_hWnd));
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    ASSERT_TRUE(::GetWindowPlacement(frame->m_hWnd, &placement));
    EXPECT_EQ(static_cast<UINT>(SW_SHOWNORMAL), placement.showCmd);
    EXPECT_FALSE(frame->IsZoomed());
    EXPECT_TRUE(doc->modified);
    EXPECT_STREQ("Kept", doc->GetProjectName());
}

TEST_F(MainWindow, AddDeviceChecksTheNameLengthAndNamesPlacedAnywhere)
{
    const CString forty('N', 40);
    const CString fortyOne('M', 41);
    MessageBoxRecorder boxes;
    const CConnectedAP placedEntry = Entry(forty);
    EXPECT_EQ(1066, view->AddDevice(CMainDoc::kKindIed, "C:\\scl\\a.icd", &placedEntry));
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_EQ(kSlotInUse, Slot(0)->state);
    EXPECT_STREQ(forty, Slot(0)->label);
    EXPECT_STREQ("Acme", Slot(0)->vendor);

    const CConnectedAP longEntry = Entry(fortyOne);
    EXPECT_EQ(-1, view->AddDevice(CMainDoc::kKindIed, "C:\\scl\\b.icd", &longEntry));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ(kNameTooLong, boxes.Last().text);
    EXPECT_EQ(static_cast<UINT>(MB_OK), boxes.Last().type & (MB_TYPEMASK | MB_ICONMASK));
    EXPECT_EQ(kSlotFree, Slot(1)->state);

    // Slots 0 to 2 placed, slot 1 freed: a name of slot 2, after the free slot, is found all the same.
    PlaceIeds({"Bay1", "Bay2"});
    Slot(1)->state = kSlotFree;
    boxes.Clear();
    for (const char* name : {forty.GetString(), "Bay2"}) {
        const CConnectedAP again = Entry(name);
        EXPECT_EQ(-1, view->AddDevice(CMainDoc::kKindIed, "C:\\scl\\c.icd", &again)) << name;
        ASSERT_EQ(1u, boxes.Count()) << name;
        EXPECT_STREQ(kInUse, boxes.Last().text);
        EXPECT_STREQ("Korvane EIP-Tarnwell", boxes.Last().caption);
        EXPECT_EQ(static_cast<UINT>(MB_ICONWARNING), boxes.Last().type & MB_ICONMASK);
        EXPECT_EQ(kSlotFree, Slot(1)->state) << name;
        boxes.Clear();
    }
    const CConnectedAP fresh = Entry("Bay3");
    EXPECT_EQ(1067, view->AddDevice(CMainDoc::kKindIed, "C:\\scl\\d.icd", &fresh));
    EXPECT_EQ(3, view->CountDevices(CMainDoc::kKindIed));
    EXPECT_EQ(1, view->CountDevices(CMainDoc::kKindPlc));
}

TEST_F(MainWindow, PlcKindsTakeOnlyAFreeFirstSlotWithTheirPicture)
{
    MessageBoxRecorder boxes;
    const int firstPlcId = 1066 + CMainView::ReadIedSlotCount();
    for (int kind : {7, 8, 9})
        EXPECT_EQ(-1, view->AddDevice(kind, "", nullptr)) << kind;
    CMainDoc::CPLC_Device* plc = doc->project.plcDevices.GetHead();
    EXPECT_EQ(1, plc->devType);
    plc->state = kSlotFree;
    EXPECT_EQ(firstPlcId, view->AddDevice(7, "", nullptr));
    EXPECT_EQ(kSlotInUse, plc->state);
    EXPECT_EQ(7, plc->devType);
    EXPECT_STREQ("EthernetIP", plc->name);
    EXPECT_EQ(0u, boxes.Count());
}

TEST_F(MainWindow, BusLinesJoinThePlacedIedsAndTheWidthFollowsTheLongerRow)
{
    PlaceIeds({"Bay1", "Bay2", "Bay3"});
    Canvas canvas(400, 400, RGB(255, 255, 255));
    static_cast<NetworkViewAccess*>(view)->OnDraw(&canvas.dc);
    auto at = [&](int x, int y) { return canvas.Pixel(x, y); };
    const COLORREF blue = RGB(0, 0, 255);
    for (int x = 141; x <= 329; x += 4)
        EXPECT_EQ(blue, at(x, 200)) << "bus at x " << x;
    EXPECT_NE(blue, at(334, 200));
    EXPECT_NE(blue, at(136, 200));
    const struct {
        int x;
        int end;
    } drops[] = {{210, 280}, {270, 360}, {330, 280}};
    for (const auto& drop : drops) {
        EXPECT_EQ(blue, at(drop.x, drop.end - 2)) << drop.x;
        EXPECT_NE(blue, at(drop.x, drop.end + 3)) << drop.x;
    }
    // The PLC rises above the bus.
    EXPECT_EQ(blue, at(210, 102));
    EXPECT_NE(blue, at(210, 96));
    EXPECT_EQ(62 * 3 + 180, doc->GetViewSize().cx);

    std::vector<CString> more;
    for (int i = 4; i <= CMainView::kDefaultMaxIeds; ++i) {
        CString name;
        name.Format("Bay%d", i);
        more.push_back(name);
    }
    PlaceIeds(more);
    EXPECT_EQ(1420, doc->GetViewSize().cx);
    // Wider than the window: the view shows the end of the drawing.
    CRect parent;
    view->GetParent()->GetClientRect(&parent);
    ASSERT_LT(parent.Width(), 1420);
    EXPECT_GT(view->GetScrollPosition().x, 0);
}

// Every PLC device placed after the first one, as a project load places them, is a Class 3 device.
TEST_F(MainWindow, OnlyTheFirstPlacedPlcIsCaptionedClassOneAndThree)
{
    CMainDoc::CPLC_Device* second = doc->project.plcDevices.GetAt(doc->project.plcDevices.FindIndex(1));
    second->state = kSlotInUse;
    second->name = "Line 2";
    view->Invalidate();
    view->UpdateWindow();
    CString text;
    doc->project.plcDevices.GetHead()->button->GetWindowText(text);
    EXPECT_STREQ("Class 1 and 3", text);
    ASSERT_NE(nullptr, second->button);
    EXPECT_TRUE(second->button->IsWindowVisible());
    second->button->GetWindowText(text);
    EXPECT_STREQ("Class 3", text);
    EXPECT_STREQ("Line 2", second->button->label);
}

// The caption stays the product's whatever the document is called; the two folders the frame reports.
TEST_F(MainWindow, CaptionIgnoresTheDocumentAndTheFramesFoldersExist)
{
    doc->SetTitle("plant.prj");
    frame->OnUpdateFrameTitle(TRUE);
    frame->UpdateTitle("plant");
    CString caption;
    frame->GetWindowText(caption);
    EXPECT_STREQ("Korvane EIP-Tarnwell", caption);

    char program[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, program, MAX_PATH);
    CString expected(program);
    expected = expected.Left(expected.ReverseFind('\\'));
    EXPECT_STREQ(expected, frame->GetModuleFolder());
    const CString profile = CMainFrame::GetUserProfileFolder();
    ASSERT_FALSE(profile.IsEmpty());
    const DWORD attributes = ::GetFileAttributesA(profile);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, attributes);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY) << profile.GetString();
    EXPECT_EQ(0, frame->SendMessage(WM_APP + 15)) << "the file view's refill request";
}

// Placing a PLC device rebuilds the command rows of every device from the tag map; a paste then holds the
// copied device's rows, each once.
TEST_F(MainWindow, PlacingAPlcRebuildsTheCommandRowsAndAPasteHoldsTheCopiedRows)
{
    using Corvel::Records::ConfiguredRows;
    auto map = [this](LPCSTR name, LPCSTR type, LPCSTR direction) {
        auto record = std::make_unique<CMainDoc::_TAGSMAP>();
        record->tagName = name;
        record->dataType = type;
        record->direction = direction;
        doc->project.tagMaps.AddTail(record.release());
    };
    map("a", "INT32", "MTCP-->");
    map("cmd", "BOOLEAN", "MTCP<--");
    CMainDoc::CPLC_Device* first = doc->project.plcDevices.GetHead();
    CMainDoc::CPLC_Device* second = doc->project.plcDevices.GetAt(doc->project.plcDevices.FindIndex(1));
    for (CMainDoc::CPLC_Device* device : {first, second})
        device->WStartReg = "100";
    first->state = kSlotFree;
    first->configuredRows = {{"Disable", "a", "Write", "77", "500", "9", "Swap Word", "kept"},
                             {"", "gone", "Write", "1", "1", "1", "No Swap", ""}};
    second->configuredRows = {{"", "stale", "Write", "1", "1", "1", "No Swap", ""}};

    ASSERT_EQ(first->devNum, view->AddDevice(9, "", nullptr));
    EXPECT_EQ((ConfiguredRows{{"Disable", "a", "Write", "100", "500", "2", "Swap Word", "kept"}}), first->configuredRows);
    EXPECT_EQ((ConfiguredRows{{"Enable - On Data Change", "a", "Write", "100", "0", "2", "No Swap", ""}}),
              second->configuredRows);
    // A refused placing rebuilds nothing.
    second->configuredRows.clear();
    EXPECT_EQ(-1, view->AddDevice(8, "", nullptr));
    EXPECT_TRUE(second->configuredRows.empty());

    // The copy has a read row of its own, which the tag map does not give.
    first->configuredRows.push_back({"Enable - Continuously", "cmd", "Read", "1", "250", "1", "No Swap", "in"});
    const ConfiguredRows copied = first->configuredRows;
    frame->currentDeviceId = first->devNum;
    doc->CopyDevice(CMainDoc::kKindPlc);
    first->state = kSlotFree;
    first->configuredRows.clear();
    doc->PasteDevice(CMainDoc::kKindPlc);
    EXPECT_EQ(kSlotInUse, first->state);
    EXPECT_EQ(copied, first->configuredRows);
    frame->currentDeviceId = 0;
}

// A document that records what it is asked to open.
class OpenRecorder : public CMainDoc {
public:
    BOOL OpenFileByType(const CString& path, BOOL askFolder) override
    {
        opened.emplace_back(path, askFolder);
        return TRUE;
    }
    std::vector<std::pair<CString, BOOL>> opened;
};

struct ViewOnDocument : CMainView {
    explicit ViewOnDocument(CDocument* document) { m_pDocument = document; }
    ~ViewOnDocument() override { m_pDocument = nullptr; }
    using CMainView::OnDropFiles;
};

TEST(NetworkViewWithoutDocument, PlacesAndCountsNothing)
{
    ViewOnDocument view(nullptr);
    EXPECT_EQ(-1, view.CountDevices(CMainDoc::kKindIed));
    EXPECT_EQ(-1, view.CountDevices(CMainDoc::kKindPlc));
    EXPECT_EQ(-1, view.AddDevice(7, "", nullptr));
}

TEST(NetworkViewDrop, OpensOnlyTheFirstFileAConfigurationAsAnImport)
{
    const struct {
        std::vector<std::string> files;
        const char* opened;
        BOOL import;
    } cases[] = {
        {{"C:\\cfg\\A.CFG"}, "C:\\cfg\\A.CFG", TRUE},
        {{"C:\\cfg\\upload.cfg"}, "C:\\cfg\\upload.cfg", TRUE},
        {{"C:\\p\\plant.prj", "C:\\cfg\\A.CFG", "C:\\scl\\b.icd"}, "C:\\p\\plant.prj", FALSE},
        {{"C:\\scl\\bay.icd"}, "C:\\scl\\bay.icd", FALSE},
    };
    for (const auto& c : cases) {
        OpenRecorder recorder;
        ViewOnDocument dropTarget(&recorder);
        dropTarget.OnDropFiles(MakeDrop(c.files));
        ASSERT_EQ(1u, recorder.opened.size()) << c.opened;
        EXPECT_STREQ(c.opened, recorder.opened[0].first);
        EXPECT_EQ(c.import, recorder.opened[0].second) << c.opened;
    }
}

// The project options dialog, made modeless so that the test can look at it.
class ProjectOptions : public ::testing::Test {
protected:
    void SetUp() override { ClearOptions(); }
    void TearDown() override
    {
        if (dialog.GetSafeHwnd() != nullptr)
            dialog.DestroyWindow();
        ClearOptions();
    }
    static void ClearOptions() { CorvelAppEnvironment::App().WriteProfileString("Props", nullptr, nullptr); }
    void Open()
    {
        ASSERT_TRUE(dialog.Create(IDD_PROPS, CorvelAppEnvironment::Frame()));
        PumpMessages();
    }
    bool Checked() const { return dialog.IsDlgButtonChecked(IDC_PROPS_WARNINGS) == BST_CHECKED; }
    CString Editor() const
    {
        CString text;
        dialog.GetDlgItemText(IDC_PROPS_EDITOR, text);
        return text;
    }
    void Press(int id) { dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

    CWinApp& app = CorvelAppEnvironment::App();
    CProps dialog;
};

TEST_F(ProjectOptions, OpensWithTheDefaultsAndTheProductCaption)
{
    Open();
    CString caption;
    dialog.GetWindowText(caption);
    EXPECT_STREQ("Korvane EIP-Tarnwell", caption);
    EXPECT_TRUE(Checked());
    EXPECT_STREQ("notepad.exe", Editor());
}

TEST_F(ProjectOptions, OkWritesTheWarningsAsZeroOrOneAndTheEditorAsTyped)
{
    app.WriteProfileInt("Props", "Warnings", 2);
    app.WriteProfileString("Props", "Editor", "C:\\tools\\viewer.exe");
    Open();
    EXPECT_FALSE(Checked());
    EXPECT_STREQ("C:\\tools\\viewer.exe", Editor());
    dialog.SetDlgItemText(IDC_PROPS_EDITOR, "no such program");
    Press(IDOK);
    EXPECT_EQ(0u, app.GetProfileInt("Props", "Warnings", 7));
    EXPECT_STREQ("no such program", app.GetProfileString("Props", "Editor", ""));
}

TEST_F(ProjectOptions, SelectKeepsTheLastPathEvenWhenCancelled)
{
    app.WriteProfileString("Props", "LastPath", "C:\\tools");
    Open();
    ScriptedFileDialog files({"C:\\tools\\edit\\scledit.exe"});
    Press(IDC_PROPS_SELECT);
    ASSERT_EQ(1u, files.Requests().size());
    EXPECT_TRUE(files.Request().open);
    EXPECT_STREQ("C:\\tools", files.Request().initialFolder);
    EXPECT_STREQ("", files.Request().filter);
    EXPECT_STREQ("", files.Request().defaultExtension);
    EXPECT_STREQ("C:\\tools\\edit\\scledit.exe", Editor());
    EXPECT_STREQ("C:\\tools\\edit\\scledit.exe", app.GetProfileString("Props", "LastPath", ""));
    Press(IDCANCEL);
    EXPECT_STREQ("C:\\tools\\edit\\scledit.exe", app.GetProfileString("Props", "LastPath", ""));
    EXPECT_STREQ("missing", app.GetProfileString("Props", "Editor", "missing"));
}

TEST_F(ProjectOptions, Screenshot)
{
    Open();
    dialog.ShowWindow(SW_SHOW);
    dialog.UpdateWindow();
    EXPECT_EQ("", SaveWindowScreenshot(dialog.m_hWnd, "options"));
}

// The enabled picture buttons of a toolbar, as it draws them: how many, and how many of their pixels show the grey
// ground of the toolbar bitmaps.
struct ToolBarGround {
    int enabledPictures = 0;
    int groundPixels = 0;
};

ToolBarGround CountToolBarGround(CToolBar& bar)
{
    ToolBarGround found;
    CRect client;
    bar.GetClientRect(&client);
    HDC dc = ::GetDC(bar.m_hWnd);
    const std::vector<DWORD> pixels = CopyPixels(dc, 0, 0, client.Width(), client.Height());
    ::ReleaseDC(bar.m_hWnd, dc);
    if (pixels.empty())
        return found;
    const int count = static_cast<int>(bar.SendMessage(TB_BUTTONCOUNT));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button = {};
        CRect rect;
        if (!bar.SendMessage(TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button)) ||
            (button.fsStyle & BTNS_SEP) != 0 || button.iBitmap < 0 || (button.fsState & TBSTATE_ENABLED) == 0 ||
            !bar.SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rect)))
            continue;
        ++found.enabledPictures;
        rect.IntersectRect(&rect, &client);
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x)
                found.groundPixels += (pixels[static_cast<size_t>(y) * client.Width() + x] & 0xFFFFFF) == 0xC0C0C0;
        }
    }
    return found;
}

// The main window with a project of three IEDs and the PLC, as a user sees it.
TEST_F(MainWindow, Screenshot)
{
    TempFolder folder;
    std::vector<CString> files;
    const char* const ieds[][2] = {{"Feeder_F1", "192.168.0.11"}, {"Feeder_F2", "192.168.0.12"},
                                    {"Transformer_T1", "192.168.0.21"}};
    for (const auto& ied : ieds) {
        const CString path = folder.File(CString(ied[0]) + ".icd");
        WriteBinaryFile(path, SclWithIed(ied[0], ied[1]));
        files.push_back(path);
    }
    {
        ScriptedFileDialog dialog(files);
        MessageBoxRecorder boxes;
        doc->OnAddIed();
        EXPECT_EQ(0u, boxes.Count());
    }
    CViewTree& tree = frame->GetFileView()->GetFileTree();
    int placed = 0;
    for (HTREEITEM item = tree.GetRootItem(); item != nullptr; item = tree.GetNextTreeItem(item)) {
        if (CIedItemData* data = tree.GetIedItemData(item)) {
            EXPECT_NE(-1, view->AddDevice(CMainDoc::kKindIed, data->filePath, data->connectedAP.get()));
            tree.EnsureVisible(item);
            ++placed;
        }
    }
    EXPECT_EQ(3, placed);
    frame->GetSplitter().SetLabelText("IED Feeder_F1 has 0 Assigned Tags");
    frame->ShowWindow(SW_SHOWNORMAL);
    ::SetWindowPos(frame->m_hWnd, HWND_TOP, 0, 0, 960, 720, SWP_SHOWWINDOW);
    PumpMessages();
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    EXPECT_EQ("", SaveWindowScreenshot(frame->m_hWnd, "main-window"));
    // The toolbar's pictures stand on the bar's own face, not on squares of the bitmaps' grey.
    ASSERT_NE(RGB(192, 192, 192), ::GetSysColor(COLOR_BTNFACE)) << "the probe needs another face colour";
    const ToolBarGround ground = CountToolBarGround(frame->GetToolBar());
    EXPECT_GT(ground.enabledPictures, 0);
    EXPECT_EQ(0, ground.groundPixels);
    frame->GetSplitter().SetLabelText("");
}

} // namespace
