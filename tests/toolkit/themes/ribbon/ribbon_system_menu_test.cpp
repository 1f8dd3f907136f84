// The system button's menu and recent files, and the backstage view: captions, the rebuilt file items, the pin,
// the view's menu column, its disabled entries and the site windows it hides while open.
#include "toolkit/themes/ribbon/ribbon_backstage_view.h"
#include "framework/ids.h"
#include "toolkit/themes/ribbon/ribbon_bar.h"
#include "toolkit/themes/ribbon/ribbon_system_button.h"
#include "toolkit/themes/ribbon/ribbon_system_popup_bar.h"

#include "support/canvas.h"
#include "support/window_screenshot.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/common/fixtures/image_test_support.h"
#include "toolkit/common/image_manager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

using CFileList = CKitRibbonControlSystemRecentFileList;

// A recent-file list control that reads the test's list instead of the application's.
class CTestRecentFileList : public CKitRibbonControlSystemRecentFileList {
public:
    CRecentFileList* m_pList = nullptr;

protected:
    CRecentFileList* GetRecentFileList() const override { return m_pList; }
};

// A popup bar without a window holding the list control.
struct MenuWithList {
    MenuWithList() : pList(new CTestRecentFileList)
    {
        bar->GetControls()->Add(kitControlButton, 100);
        bar->GetControls()->Add(pList, 200);
    }
    ~MenuWithList() { bar->InternalRelease(); }
    // The controls after the list control.
    int ItemCount() const { return bar->GetControlCount() - 2; }
    CKitControl* Item(int i) const { return bar->GetControl(2 + i); }

    CKitPopupBar* bar = new CKitPopupBar();
    CTestRecentFileList* pList;
};

// Counts its executions instead of sending a command.
template <class Base> class CCountingItem : public Base {
public:
    using Base::Base;
    void OnExecute() override { ++m_nExecuted; }
    int m_nExecuted = 0;
};

TEST(RibbonRecentFiles, CaptionsEscapeAmpersandsAndNumberOnlyOneToNine)
{
    const struct {
        LPCSTR name;
        int number;
        LPCSTR expected;
    } cases[] = {
        {"a&b.txt", 1, "&1 a&&b.txt"}, {"plain.txt", 9, "&9 plain.txt"}, {"ten&.txt", 10, "ten&&.txt"},
        {"x.txt", 11, "x.txt"},        {"&&", 0, "&&&&"},                {"", 3, "&3 "},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(CFileList::FormatRecentFileCaption(c.name, c.number), c.expected) << c.name << " " << c.number;
}

TEST(RibbonRecentFiles, RebuildPutsOneNumberedItemPerFileAfterTheList)
{
    CRecentFileList list(0, "Recent File List", "File%d", 12);
    list[0] = "C:\\projects\\a&b.txt";
    for (int i = 1; i < 10; i++)
        list[i].Format("C:\\projects\\file%d.scd", i + 1);
    MenuWithList menu;
    menu.pList->m_pList = &list;

    menu.pList->RebuildItems();
    menu.pList->RebuildItems();
    ASSERT_EQ(menu.ItemCount(), 10) << "stops at the first empty entry and replaces the old items";
    EXPECT_STREQ(menu.Item(0)->GetCaption(), "&1 a&&b.txt");
    EXPECT_STREQ(menu.Item(8)->GetCaption(), "&9 file9.scd");
    EXPECT_STREQ(menu.Item(9)->GetCaption(), "file10.scd") << "the tenth file gets no number";
    for (int i = 0; i < 10; i++) {
        CKitControl* pItem = menu.Item(i);
        EXPECT_TRUE(pItem->IsKindOf(RUNTIME_CLASS(CFileList::CControlFileItem)));
        EXPECT_EQ(pItem->GetId(), static_cast<UINT>(ID_FILE_MRU_FIRST + i));
        EXPECT_EQ(pItem->GetFlags(), 0x48u);
        EXPECT_TRUE(pItem->IsTemporary());
        EXPECT_STREQ(pItem->GetTooltip(), list[i]);
        EXPECT_STREQ(pItem->GetDescription(), list[i]);
    }

    list.Remove(0);
    menu.pList->RebuildItems();
    EXPECT_EQ(menu.ItemCount(), 9);
    EXPECT_STREQ(menu.Item(0)->GetCaption(), "&1 file2.scd");
}

// Controls that refuse to leave while m_bKeep is set.
class CKeepingControls : public CKitControls {
public:
    BOOL m_bKeep = TRUE;

protected:
    BOOL OnControlRemoving(CKitControl* /*pControl*/) override { return m_bKeep; }
};

class CKeepingBar : public CKitPopupBar {
public:
    CKeepingBar() : m_pKeeping(new CKeepingControls)
    {
        m_pControls->SetParent(nullptr);
        m_pControls->InternalRelease();
        m_pControls = m_pKeeping;
        m_pControls->SetParent(this);
    }
    CKeepingControls* m_pKeeping;
};

// A bar whose controls refuse removal keeps the old items; the rebuild still ends.
TEST(RibbonRecentFiles, RebuildEndsWhenTheOldItemsCannotBeRemoved)
{
    CRecentFileList list(0, "Recent File List", "File%d", 4);
    list[0] = "C:\\a.scd";
    auto* bar = new CKeepingBar();
    auto* pList = new CTestRecentFileList;
    pList->m_pList = &list;
    bar->GetControls()->Add(pList, 200);
    pList->RebuildItems();
    pList->RebuildItems();
    EXPECT_EQ(bar->GetControlCount(), 3);
    bar->m_pKeeping->m_bKeep = FALSE;
    bar->InternalRelease();
}

TEST(RibbonRecentFiles, PinRecordsMakePinableItemsWithTheirStateAndCaption)
{
    CKitPinableRecentFileList list(0, "Recent File List", "File%d", 4);
    list[0] = "C:\\a.scd";
    list[1] = "C:\\b.scd";
    list.CreatePinRecords();
    list.GetPinRecord(1)->bPinned = TRUE;
    list.GetPinRecord(1)->strCaption = "Station & bay";
    MenuWithList menu;
    menu.pList->m_pList = &list;

    menu.pList->RebuildItems();
    ASSERT_EQ(menu.ItemCount(), 2);
    auto* pFirst = dynamic_cast<CFileList::CControlPinableFileItem*>(menu.Item(0));
    auto* pSecond = dynamic_cast<CFileList::CControlPinableFileItem*>(menu.Item(1));
    ASSERT_NE(pFirst, nullptr);
    ASSERT_NE(pSecond, nullptr);
    EXPECT_FALSE(pFirst->IsPinned());
    EXPECT_TRUE(pSecond->IsPinned());
    EXPECT_STREQ(pSecond->GetCaption(), "&2 Station && bay");

    pFirst->SetPinned(TRUE);
    EXPECT_TRUE(list.GetPinRecord(0)->bPinned) << "the pin is kept in the list's record";
}

// Opening a file moves it first and removing one moves the later ones up: pins and captions stay with their files.
TEST(RibbonRecentFiles, PinRecordsMoveWithTheirFilesWhenTheListChanges)
{
    CKitPinableRecentFileList list(0, "Recent File List", "File%d", 4);
    list[0] = "C:\\a.scd";
    list[1] = "C:\\b.scd";
    list[2] = "C:\\c.scd";
    list.CreatePinRecords();
    list.GetPinRecord(1)->bPinned = TRUE;
    list.GetPinRecord(1)->strCaption = "Bay B";
    list.GetPinRecord(2)->nIconId = 7;
    const auto pinnedAt = [&] {
        std::vector<int> pinned;
        for (int i = 0; i < list.GetSize(); i++) {
            if (list.GetPinRecord(i)->bPinned)
                pinned.push_back(i);
        }
        return pinned;
    };

    list.Add("C:\\d.scd");
    ASSERT_STREQ(list[2], "C:\\b.scd");
    EXPECT_EQ(pinnedAt(), std::vector<int>{2});
    EXPECT_STREQ(list.GetPinRecord(2)->strCaption, "Bay B");
    EXPECT_EQ(list.GetPinRecord(3)->nIconId, 7u);
    EXPECT_TRUE(list.GetPinRecord(0)->strCaption.IsEmpty()) << "the new file starts without a record of its own";

    // Opened again in another spelling, the pinned file comes first with its pin.
    list.Add("c:\\B.SCD");
    EXPECT_EQ(pinnedAt(), std::vector<int>{0});
    EXPECT_STREQ(list.GetPinRecord(0)->strCaption, "Bay B");

    list.Remove(0);
    EXPECT_TRUE(pinnedAt().empty());
    ASSERT_STREQ(list[2], "C:\\c.scd");
    EXPECT_EQ(list.GetPinRecord(2)->nIconId, 7u);
    EXPECT_EQ(list.GetPinRecord(3)->nIconId, 0u) << "the emptied last entry has an empty record";

    MenuWithList menu;
    menu.pList->m_pList = &list;
    menu.pList->RebuildItems();
    ASSERT_EQ(menu.ItemCount(), 3);
    EXPECT_STREQ(menu.Item(0)->GetCaption(), "&1 d.scd");
}

TEST(RibbonRecentFiles, PinAreaTogglesWithoutExecutingAndTheTextExecutes)
{
    CKitPinableRecentFileList list(0, "Recent File List", "File%d", 4);
    list[0] = "C:\\a.scd";
    list.CreatePinRecords();
    CKitPopupBar* bar = new CKitPopupBar();
    auto* pItem = new CCountingItem<CFileList::CControlPinableFileItem>(&list, 0);
    bar->GetControls()->Add(pItem, ID_FILE_MRU_FIRST);
    pItem->SetRect(CRect(0, 0, 300, 21));

    const CPoint ptPin(290, 10);
    const CPoint ptText(100, 10);
    pItem->SetSelected(kitSelectedMouse);
    pItem->OnMouseMove(ptPin);
    EXPECT_EQ(pItem->GetSelected(), kitSelectedPin);
    pItem->OnMouseMove(ptText);
    EXPECT_EQ(pItem->GetSelected(), kitSelectedMouse);

    pItem->OnLButtonUp(ptPin);
    EXPECT_TRUE(pItem->IsPinned());
    EXPECT_TRUE(list.GetPinRecord(0)->bPinned);
    pItem->OnLButtonUp(ptPin);
    EXPECT_FALSE(pItem->IsPinned());
    EXPECT_EQ(pItem->m_nExecuted, 0);
    pItem->OnLButtonUp(ptText);
    EXPECT_EQ(pItem->m_nExecuted, 1);
    EXPECT_FALSE(pItem->IsPinned());

    pItem->SetSelected(kitSelectedNone);
    pItem->OnMouseMove(ptPin);
    EXPECT_EQ(pItem->GetSelected(), kitSelectedNone) << "an unselected item ignores the mouse";
    bar->InternalRelease();
}

// The system commands a test frame received.
UINT g_nLastSysCommand = 0;

LRESULT CALLBACK RecordingFrameProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_SYSCOMMAND) {
        g_nLastSysCommand = static_cast<UINT>(wParam);
        return 0;
    }
    return ::DefWindowProcA(hWnd, nMessage, wParam, lParam);
}

LPCSTR RecordingFrameClass()
{
    static const char* const kName = "KitTestRecordingFrame";
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RecordingFrameProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = kName;
    ::RegisterClassA(&wc);
    return kName;
}

TEST(RibbonSystemButton, DoubleClickClosesATopLevelSiteAndRunsTheButtonElsewhere)
{
    HWND hFrame = ::CreateWindowExA(0, RecordingFrameClass(), "Frame", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                                    nullptr, nullptr, nullptr);
    HWND hChild = ::CreateWindowExA(0, RecordingFrameClass(), "", WS_CHILD, 0, 0, 100, 100, hFrame, nullptr,
                                    nullptr, nullptr);
    ASSERT_NE(hChild, nullptr);
    const struct {
        HWND site;
        int style;
        BOOL closeOnDoubleClick;
        UINT sysCommand;
        int executed;
    } cases[] = {
        {hFrame, kitButtonAutomatic, TRUE, 0xF063, 0},
        {hChild, kitButtonAutomatic, TRUE, 0, 1},
        {hFrame, kitButtonCaption, TRUE, 0, 1},
        {hFrame, kitButtonAutomatic, FALSE, 0, 1},
    };
    for (const auto& c : cases) {
        CKitCommandBarManager manager;
        manager.SetSite(CWnd::FromHandle(c.site));
        auto* bar = new CKitPopupBar();
        bar->SetCommandBars(&manager);
        auto* pButton = new CCountingItem<CKitRibbonControlSystemButton>();
        bar->GetControls()->Add(pButton, 1);
        pButton->SetStyle(c.style);
        pButton->SetCloseOnDoubleClick(c.closeOnDoubleClick);
        g_nLastSysCommand = 0;
        pButton->OnLButtonDblClk(CPoint(1, 1));
        EXPECT_EQ(g_nLastSysCommand, c.sysCommand) << "case " << (&c - cases);
        EXPECT_EQ(pButton->m_nExecuted, c.executed) << "case " << (&c - cases);
        bar->InternalRelease();
    }
    ::DestroyWindow(hFrame);
}

TEST(RibbonSystemButton, StyledButtonIsAtLeast56By23)
{
    auto* bar = new CKitPopupBar();
    auto* pButton = new CKitRibbonControlSystemButton();
    auto* pPlain = new CKitControlPopup();
    bar->GetControls()->Add(pButton, 1);
    bar->GetControls()->Add(pPlain, 2);
    Canvas canvas(10, 10, RGB(255, 255, 255));
    for (LPCSTR caption : {"F", "A much longer caption for the file menu"}) {
        for (CKitControl* p : {static_cast<CKitControl*>(pButton), static_cast<CKitControl*>(pPlain)}) {
            p->SetStyle(kitButtonCaption);
            p->SetCaption(caption);
        }
        const CSize plain = pPlain->GetSize(&canvas.dc);
        const CSize size = pButton->GetSize(&canvas.dc);
        EXPECT_EQ(size.cx, std::max<int>(plain.cx, 56)) << caption;
        EXPECT_EQ(size.cy, std::max<int>(plain.cy, 23)) << caption;
    }
    bar->InternalRelease();
}

TEST(RibbonSystemButton, SystemMenuOverlapsTheButtonBelowACaptionBand)
{
    auto* ribbon = new CKitRibbonBar();
    auto* pButton = new CKitRibbonControlSystemButton();
    auto* pPlain = new CKitControlPopup();
    ribbon->GetControls()->Add(pButton, 1);
    ribbon->GetControls()->Add(pPlain, 2);
    ASSERT_TRUE(ribbon->IsCaptionVisible());
    ASSERT_TRUE(ribbon->IsTabsVisible());
    const CRect rcButton(0, 0, 54, 60);
    CRect rcPlain = rcButton;
    pPlain->AdjustExcludeRect(rcPlain, FALSE);

    pButton->SetCommandBar(new CKitRibbonSystemPopupBar());
    CRect rc = rcButton;
    pButton->AdjustExcludeRect(rc, FALSE);
    EXPECT_EQ(rc, CRect(0, 0, 54, 42));

    pButton->SetStyle(kitButtonCaption);
    rc = rcButton;
    pButton->AdjustExcludeRect(rc, FALSE);
    EXPECT_EQ(rc, rcPlain) << "a styled button places its menu as any popup";

    pButton->SetStyle(kitButtonAutomatic);
    pButton->SetCommandBar(new CKitPopupBar());
    rc = rcButton;
    pButton->AdjustExcludeRect(rc, FALSE);
    EXPECT_EQ(rc, rcPlain) << "only the system menu overlaps";
    ribbon->InternalRelease();
}

TEST(RibbonSystemMenu, BottomRowButtonsStandRightAlignedInTheBottomBorder)
{
    auto* menu = new CKitRibbonSystemPopupBar();
    auto* bare = new CKitRibbonSystemPopupBar();
    for (CKitPopupBar* bar : {static_cast<CKitPopupBar*>(menu), static_cast<CKitPopupBar*>(bare)}) {
        bar->GetControls()->Add(kitControlButton, 100)->SetCaption("&New");
        bar->GetControls()->Add(kitControlButton, 101)->SetCaption("&Open");
    }
    EXPECT_EQ(menu->GetBorders(), CRect(6, 18, 6, 29));
    CKitControl* pOptions = menu->GetControls()->Add(new CKitRibbonControlSystemPopupBarButton, 200);
    pOptions->SetCaption("Options");
    CKitControl* pExit = menu->GetControls()->Add(new CKitRibbonControlSystemPopupBarButton, 201);
    pExit->SetCaption("Exit");

    const CSize size = menu->CalcDynamicLayout(-1, 0);
    EXPECT_EQ(size, bare->CalcDynamicLayout(-1, 0)) << "the buttons take no room of their own";
    EXPECT_TRUE(pOptions->IsVisible());
    EXPECT_EQ(pExit->GetRect().right, size.cx - 6 + 1);
    EXPECT_EQ(pExit->GetRect().bottom, size.cy - 3);
    EXPECT_EQ(pExit->GetRect().top, size.cy - 29 + 4);
    EXPECT_EQ(pOptions->GetRect().right, pExit->GetRect().left - 6);
    EXPECT_EQ(pOptions->GetRect().top, pExit->GetRect().top);
    menu->InternalRelease();
    bare->InternalRelease();
}

// The columns of the item that hold text: pixels that differ from the item's top row.
std::vector<int> InkColumns(CKitControl* pItem)
{
    Canvas canvas(300, 21, RGB(1, 150, 1));
    pItem->Draw(&canvas.dc);
    std::vector<int> columns;
    for (int x = 0; x < 300; x++) {
        for (int y = 3; y < 18; y++) {
            if (canvas.Pixel(x, y) != canvas.Pixel(x, 1)) {
                columns.push_back(x);
                break;
            }
        }
    }
    return columns;
}

TEST(RibbonRecentFiles, UnnumberedItemKeepsTheNumberColumnEmpty)
{
    CKitPopupBar* bar = new CKitPopupBar();
    auto* pFirst = new CFileList::CControlFileItem();
    auto* pTenth = new CFileList::CControlFileItem();
    bar->GetControls()->Add(pFirst, 1)->SetCaption(CFileList::FormatRecentFileCaption("a.txt", 1));
    bar->GetControls()->Add(pTenth, 2)->SetCaption(CFileList::FormatRecentFileCaption("a.txt", 10));
    pFirst->SetRect(CRect(0, 0, 300, 21));
    pTenth->SetRect(CRect(0, 0, 300, 21));

    const std::vector<int> first = InkColumns(pFirst);
    const std::vector<int> tenth = InkColumns(pTenth);
    ASSERT_FALSE(tenth.empty());
    ASSERT_FALSE(first.empty());
    EXPECT_GT(tenth.front(), 14) << "the name starts after the number column";
    EXPECT_LT(first.front(), tenth.front()) << "the first item shows its number";
    std::vector<int> firstName;
    for (int x : first) {
        if (x >= tenth.front())
            firstName.push_back(x);
    }
    EXPECT_EQ(firstName, tenth) << "both names start at the same place";
    bar->InternalRelease();
}

TEST(RibbonRecentFiles, PinIsDrawnCentredInThePinAreaForItsState)
{
    CKitPopupBar* bar = new CKitPopupBar();
    auto* pItem = new CKitRibbonControlSystemPopupBarPinableListItem();
    bar->GetControls()->Add(pItem, 1);
    pItem->SetRect(CRect(0, 0, 300, 21));
    ASSERT_NE(pItem->GetPinImage(TRUE), nullptr);
    ASSERT_NE(pItem->GetPinImage(FALSE), nullptr);
    const COLORREF kPaper = RGB(1, 150, 1);
    // The upright needle of the pinned image, below its head, centred in the rightmost 28 pixels.
    const CPoint ptNeedle(286 - 8 + 8, 2 + 12);
    for (BOOL bPinned : {TRUE, FALSE}) {
        pItem->SetPinned(bPinned);
        Canvas canvas(300, 21, kPaper);
        pItem->Draw(&canvas.dc);
        // The item's face on the same row beside the needle (two pixels off: a checked face is dithered).
        const COLORREF clrFace = canvas.Pixel(ptNeedle.x - 2, ptNeedle.y);
        EXPECT_EQ(canvas.Pixel(ptNeedle.x, ptNeedle.y) != clrFace, bPinned) << (bPinned ? "pinned" : "not pinned");
    }
    bar->InternalRelease();
}

// A backstage view whose captions measure what the test says.
class CMeasuredBackstageView : public CKitRibbonBackstageView {
protected:
    int GetCaptionWidth(CDC* /*pDC*/, CKitControl* pEntry) override { return pEntry->GetCaption() == "Long" ? 150 : 40; }
};

using CCountingCommand = CCountingItem<CKitRibbonBackstageCommand>;

TEST(RibbonBackstage, MenuColumnWidensForLongCaptionsAndIcons)
{
    const struct {
        LPCSTR caption;
        BOOL icon;
        int width;
    } cases[] = {{"Open", FALSE, 132}, {"Open", TRUE, 132}, {"Long", FALSE, 183}, {"Long", TRUE, 206}};
    for (const auto& c : cases) {
        auto* view = new CMeasuredBackstageView();
        auto* pImages = new CKitImageManager();
        HICON hIcon = MakeSolidIcon(16, 16, RGB(200, 0, 0));
        pImages->SetIcon(CKitImageManagerIconHandle(hIcon), 77, CSize(0, 0), 0);
        ::DestroyIcon(hIcon);
        view->SetImageManager(pImages);
        view->GetControls()->Add(new CKitRibbonBackstageCommand, 10)->SetCaption("Save");
        CKitControl* pEntry = view->GetControls()->Add(new CKitRibbonBackstageTab, 11);
        pEntry->SetCaption(c.caption);
        pEntry->SetIconId(c.icon ? 77 : 78);
        Canvas canvas(10, 10, RGB(255, 255, 255));
        view->LayoutEntries(&canvas.dc);
        EXPECT_EQ(view->GetMenuWidth(), c.width) << c.caption << (c.icon ? " with icon" : "");
        EXPECT_EQ(pEntry->GetRect().right, c.width) << "a tab spans the column";
        view->InternalRelease();
    }
}

TEST(RibbonBackstage, DisabledEntryIsNeverHotFocusedOrExecuted)
{
    auto* view = new CKitRibbonBackstageView();
    auto* pDisabled = new CCountingCommand();
    auto* pEnabled = new CCountingCommand();
    view->GetControls()->Add(pDisabled, 10)->SetCaption("Print");
    view->GetControls()->Add(pEnabled, 11)->SetCaption("Close");
    pDisabled->SetEnabled(FALSE);
    Canvas canvas(10, 10, RGB(255, 255, 255));
    view->LayoutEntries(&canvas.dc);

    const CPoint ptDisabled = pDisabled->GetRect().CenterPoint();
    view->OnMouseMoveAt(ptDisabled);
    EXPECT_EQ(view->GetHotEntry(), nullptr);
    view->OnLButtonDownAt(ptDisabled);
    EXPECT_EQ(view->GetFocusedEntry(), nullptr);
    view->OnLButtonUpAt(ptDisabled);
    view->SetFocusedEntry(pDisabled);
    view->OnKey(VK_RETURN);
    EXPECT_EQ(pDisabled->m_nExecuted, 0);

    const CPoint ptEnabled = pEnabled->GetRect().CenterPoint();
    view->OnMouseMoveAt(ptEnabled);
    EXPECT_EQ(view->GetHotEntry(), pEnabled);
    view->OnMouseMoveAt(CPoint(-1, -1));
    EXPECT_EQ(view->GetHotEntry(), nullptr);
    view->OnLButtonDownAt(ptEnabled);
    EXPECT_EQ(view->GetFocusedEntry(), pEnabled);
    view->OnLButtonUpAt(ptEnabled);
    EXPECT_EQ(pEnabled->m_nExecuted, 1);
    view->InternalRelease();
}

// A frame with child windows and a command-bar manager sited on it.
struct SiteFrame {
    SiteFrame()
    {
        frame.CreateEx(0, "Static", "Site", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 0);
        const HWND hFrame = frame.GetSafeHwnd();
        auto child = [hFrame](DWORD dwStyle, int nId) {
            return ::CreateWindowExA(0, "Static", "", WS_CHILD | dwStyle, 0, 0, 50, 20, hFrame,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(nId)), nullptr, nullptr);
        };
        hView = child(WS_VISIBLE, 100);
        hStatus = child(WS_VISIBLE, 101);
        hHidden = child(0, 102);
        hDisabled = child(WS_VISIBLE | WS_DISABLED, 103);
        hDockBar = child(WS_VISIBLE, AFX_IDW_DOCKBAR_TOP);
        manager.SetSite(&frame);
    }
    ~SiteFrame()
    {
        if (frame.GetSafeHwnd() != nullptr)
            frame.DestroyWindow();
    }

    CWnd frame;
    CKitCommandBarManager manager;
    HWND hView, hStatus, hHidden, hDisabled, hDockBar;
};

TEST(RibbonBackstage, SystemButtonOpensAndClosesItsView)
{
    SiteFrame site;
    auto* bar = new CKitPopupBar();
    bar->SetCommandBars(&site.manager);
    auto* pButton = new CKitRibbonControlSystemButton();
    bar->GetControls()->Add(pButton, 1);
    auto* view = new CKitRibbonBackstageView();
    pButton->SetCommandBar(view);

    ASSERT_TRUE(pButton->SetPopup(TRUE));
    EXPECT_NE(view->GetSafeHwnd(), nullptr);
    EXPECT_TRUE(pButton->GetPopuped());
    EXPECT_FALSE(::IsWindowVisible(site.hView));
    EXPECT_TRUE(pButton->SetPopup(FALSE));
    EXPECT_EQ(view->GetSafeHwnd(), nullptr);
    EXPECT_FALSE(pButton->GetPopuped());
    EXPECT_TRUE(::IsWindowVisible(site.hView));
    bar->InternalRelease();
}

TEST(RibbonBackstage, EscapeInAMultiLineEditClosesUnlessCancelIsDisabled)
{
    for (BOOL bDisabledCancel : {FALSE, TRUE}) {
        SiteFrame site;
        HWND hPage = ::CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
        HWND hEdit = ::CreateWindowExA(0, "Edit", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 100, 60, hPage,
                                       nullptr, nullptr, nullptr);
        auto* view = new CKitRibbonBackstageView();
        view->SetCommandBars(&site.manager);
        CKitControl* pTab = view->GetControls()->Add(new CKitRibbonBackstageTab(hPage), 10);
        pTab->SetFlags(kitFlagManualUpdate);
        pTab->SetDefaultItem(TRUE);
        CKitRibbonControlSystemButton button;
        ASSERT_TRUE(view->ShowBackstage(&button));
        ASSERT_EQ(view->GetActivePage(), hPage);
        if (bDisabledCancel)
            ::CreateWindowExA(0, "Button", "Cancel", WS_CHILD | WS_DISABLED, 0, 0, 10, 10, view->GetSafeHwnd(),
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDCANCEL)), nullptr, nullptr);

        MSG msg = {hEdit, WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}};
        view->PreTranslateMessage(&msg);
        EXPECT_EQ(view->GetSafeHwnd() != nullptr, bDisabledCancel) << (bDisabledCancel ? "disabled" : "no") << " cancel";
        view->Close();
        view->InternalRelease();
        ::DestroyWindow(hPage);
    }
}

// Keys reach the view from its site and, through the keyboard hook (no window), from any window of the program:
// Escape closes the view, every other key and the wheel are let through to the window with the focus; the site's
// other messages are left to it.
TEST(RibbonBackstage, TheViewLetsKeysThroughAndEscapeClosesIt)
{
    constexpr int kPass = CKitHookManagerHookAble::kStopAsking;
    constexpr int kHandled = CKitHookManagerHookAble::kHandled;
    constexpr int kLeft = CKitHookManagerHookAble::kNotHandled;
    enum Source { kSite, kKeyboardHook, kOtherWindow };
    const struct {
        const char* name;
        Source nSource;
        UINT nMessage;
        WPARAM nKey;
        int nAnswer;
        BOOL bStaysOpen;
    } cases[] = {
        {"Escape from the keyboard hook", kKeyboardHook, WM_KEYDOWN, VK_ESCAPE, kHandled, FALSE},
        {"Escape at the site", kSite, WM_KEYDOWN, VK_ESCAPE, kHandled, FALSE},
        {"Down from the keyboard hook", kKeyboardHook, WM_KEYDOWN, VK_DOWN, kPass, TRUE},
        {"a letter from the keyboard hook", kKeyboardHook, WM_KEYDOWN, 'A', kPass, TRUE},
        {"a letter at another window", kOtherWindow, WM_KEYDOWN, 'A', kPass, TRUE},
        {"a released key", kKeyboardHook, WM_KEYUP, 'A', kPass, TRUE},
        {"the wheel at the site", kSite, WM_MOUSEWHEEL, 0, kPass, TRUE},
        {"another message of the site", kSite, WM_SETTEXT, 0, kLeft, TRUE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SiteFrame site;
        auto* view = new CKitRibbonBackstageView();
        view->SetCommandBars(&site.manager);
        CKitRibbonControlSystemButton button;
        ASSERT_TRUE(view->ShowBackstage(&button));
        const HWND hWnd = c.nSource == kSite ? site.frame.GetSafeHwnd() : c.nSource == kOtherWindow ? site.hStatus
                                                                                                       : nullptr;
        WPARAM wParam = c.nKey;
        LPARAM lParam = 1;
        LRESULT lResult = 0;
        EXPECT_EQ(c.nAnswer, view->OnHookMessage(hWnd, c.nMessage, wParam, lParam, lResult));
        EXPECT_EQ(c.bStaysOpen, view->GetSafeHwnd() != nullptr);
        view->Close();
        view->InternalRelease();
    }
}

// The application may take entries out while the view shows: the view keeps no pointer to them.
TEST(RibbonBackstage, AnEntryTakenOutIsNoLongerHotFocusedOrActive)
{
    SiteFrame site;
    HWND hPage = ::CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    auto* view = new CKitRibbonBackstageView();
    view->SetCommandBars(&site.manager);
    CKitControl* pOpen = view->GetControls()->Add(new CKitRibbonBackstageCommand, 10);
    pOpen->SetCaption("Open");
    pOpen->SetFlags(kitFlagManualUpdate);
    CKitControl* pTab = view->GetControls()->Add(new CKitRibbonBackstageTab(hPage), 11);
    pTab->SetCaption("Info");
    pTab->SetFlags(kitFlagManualUpdate);
    pTab->SetDefaultItem(TRUE);
    CKitRibbonControlSystemButton button;
    ASSERT_TRUE(view->ShowBackstage(&button));
    ASSERT_EQ(view->GetActiveTab(), pTab);
    ASSERT_EQ(view->GetFocusedEntry(), pTab);
    view->OnMouseMoveAt(pOpen->GetRect().CenterPoint());
    ASSERT_EQ(view->GetHotEntry(), pOpen);

    view->GetControls()->Remove(pTab);
    EXPECT_EQ(view->GetActiveTab(), nullptr);
    EXPECT_EQ(view->GetFocusedEntry(), nullptr);
    EXPECT_EQ(view->GetActivePage(), nullptr);
    EXPECT_FALSE(::IsWindowVisible(hPage)) << "the page leaves with its tab";
    EXPECT_NE(::GetParent(hPage), view->GetSafeHwnd());
    view->GetControls()->Remove(pOpen);
    EXPECT_EQ(view->GetHotEntry(), nullptr);

    // Keys and painting go on without them.
    view->OnKey(VK_DOWN);
    view->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    view->Close();
    view->InternalRelease();
    ::DestroyWindow(hPage);
}

TEST(RibbonBackstage, SiteChildrenHideWhileOpenAndShowAgainOnClose)
{
    SiteFrame site;
    ASSERT_NE(site.frame.GetSafeHwnd(), nullptr);
    auto* view = new CKitRibbonBackstageView();
    view->SetCommandBars(&site.manager);
    view->GetControls()->Add(new CKitRibbonBackstageCommand, 10)->SetCaption("Open");
    CKitRibbonControlSystemButton button;

    EXPECT_FALSE(view->ShowBackstage(view->GetControl(0))) << "only the system button opens the view";
    ASSERT_TRUE(view->ShowBackstage(&button));
    EXPECT_TRUE(button.GetPopuped());
    EXPECT_TRUE(::IsWindowVisible(view->GetSafeHwnd()));
    EXPECT_FALSE(::IsWindowVisible(site.hView));
    EXPECT_FALSE(::IsWindowVisible(site.hStatus));
    EXPECT_TRUE(::IsWindowVisible(site.hDisabled)) << "a disabled window is left alone";
    EXPECT_TRUE(::IsWindowVisible(site.hDockBar)) << "the dock bar holding the ribbon stays";

    view->OnKey(VK_ESCAPE);
    EXPECT_EQ(view->GetSafeHwnd(), nullptr);
    EXPECT_FALSE(view->IsTrackingMode());
    EXPECT_FALSE(button.GetPopuped());
    EXPECT_TRUE(::IsWindowVisible(site.hView));
    EXPECT_TRUE(::IsWindowVisible(site.hStatus));
    EXPECT_FALSE(::IsWindowVisible(site.hHidden)) << "a window hidden before stays hidden";

    ASSERT_TRUE(view->ShowBackstage(&button));
    EXPECT_FALSE(::IsWindowVisible(site.hView));
    site.frame.SendMessage(WM_CLOSE);
    EXPECT_EQ(view->GetSafeHwnd(), nullptr) << "the site's close closes the view";
    EXPECT_FALSE(view->IsTrackingMode());
    view->InternalRelease();
}

} // namespace

namespace {

HWND MakeStatic(HWND hParent, DWORD dwStyle, LPCSTR lpszText, const CRect& rc)
{
    HWND hWnd = ::CreateWindowExA(0, "Static", lpszText, dwStyle, rc.left, rc.top, rc.Width(), rc.Height(), hParent,
                                  nullptr, nullptr, nullptr);
    ::SendMessageA(hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return hWnd;
}

TEST(RibbonBackstage, Screenshot)
{
    SiteFrame site;
    site.frame.SetWindowText("Substation.scd - Corvel");
    site.frame.SetWindowPos(nullptr, 40, 40, 640, 420, SWP_NOZORDER);
    // Only the windows the view hides stay: the stand-in dock bar and disabled window would show over it.
    ::DestroyWindow(site.hDockBar);
    ::DestroyWindow(site.hDisabled);
    HWND hPage = MakeStatic(nullptr, WS_POPUP, "", CRect(0, 0, 300, 300));
    MakeStatic(hPage, WS_CHILD | WS_VISIBLE, "Information about Substation.scd", CRect(24, 20, 420, 40));
    MakeStatic(hPage, WS_CHILD | WS_VISIBLE, "Permissions: anyone can open, copy and change this project.",
               CRect(24, 56, 460, 74));
    MakeStatic(hPage, WS_CHILD | WS_VISIBLE, "Prepare for sending: 3 IEDs and 1,204 mapped attributes.",
               CRect(24, 82, 460, 100));
    MakeStatic(hPage, WS_CHILD | WS_VISIBLE, "Versions: saved today at 10:42.", CRect(24, 108, 460, 126));

    auto* view = new CKitRibbonBackstageView();
    view->SetCommandBars(&site.manager);
    CKitControls* pEntries = view->GetControls();
    pEntries->Add(new CKitRibbonBackstageCommand, 10)->SetCaption("&Save");
    pEntries->Add(new CKitRibbonBackstageCommand, 11)->SetCaption("Save &As");
    pEntries->Add(new CKitRibbonBackstageCommand, 12)->SetCaption("&Open");
    pEntries->Add(new CKitRibbonBackstageCommand, 13)->SetCaption("&Close");
    CKitControl* pInfo = pEntries->Add(new CKitRibbonBackstageTab(hPage), 14);
    pInfo->SetCaption("&Info");
    pInfo->SetDefaultItem(TRUE);
    pEntries->Add(new CKitRibbonBackstageTab, 15)->SetCaption("&Recent");
    pEntries->Add(new CKitRibbonBackstageTab, 16)->SetCaption("&New");
    pEntries->Add(new CKitRibbonBackstageCommand, 17)->SetCaption("O&ptions");
    CKitControl* pExit = pEntries->Add(new CKitRibbonBackstageCommand, 18);
    pExit->SetCaption("E&xit");
    pExit->SetEnabled(FALSE);
    // The frame handles none of the commands: the entries keep the state the test gives them.
    for (int i = 0; i < pEntries->GetCount(); i++)
        pEntries->GetAt(i)->SetFlags(kitFlagManualUpdate);
    CKitRibbonControlSystemButton button;

    ASSERT_TRUE(view->ShowBackstage(&button));
    EXPECT_EQ(view->GetActiveTab(), pInfo) << "the default item is focused and, a tab, shown";
    EXPECT_EQ(view->GetActivePage(), hPage);
    EXPECT_EQ(::GetParent(hPage), view->GetSafeHwnd());
    view->OnMouseMoveAt(pEntries->GetAt(1)->GetRect().CenterPoint());
    ::UpdateWindow(site.frame.GetSafeHwnd());
    EXPECT_EQ("", SaveWindowScreenshot(site.frame.GetSafeHwnd(), "ribbon-backstage"));

    view->Close();
    EXPECT_EQ(view->GetActiveTab(), nullptr);
    EXPECT_FALSE(::IsWindowVisible(hPage)) << "the page is hidden and handed back to the site";
    EXPECT_EQ(::GetParent(hPage), site.frame.GetSafeHwnd());
    view->InternalRelease();
}

} // namespace
