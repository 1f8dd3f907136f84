// The window and recent-file placeholders expanding in a menu, and the grid selector driven as with the
// mouse; build/screens/commandbar-selector.png.
#include "themed_toolbar.h"

#include "support/window_screenshot.h"
#include "toolkit/commandbars/control_extended.h"
#include "toolkit/commandbars/controls.h"

#include "framework/recentfiles.h"

#include <vector>

namespace {

// Adds an MDI client to the frame, its children numbered from the first id.
HWND CreateMDIClient(CWnd* pFrame, UINT nFirstChild)
{
    CLIENTCREATESTRUCT ccs = {nullptr, nFirstChild};
    return ::CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 40, 400, 180,
                             pFrame->GetSafeHwnd(), nullptr, nullptr, &ccs);
}

HWND CreateMDIChild(HWND hClient, LPCSTR lpszTitle)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ::DefMDIChildProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "KitTestMDIChild";
    ::RegisterClassA(&wc);
    MDICREATESTRUCTA mcs = {"KitTestMDIChild", lpszTitle, wc.hInstance, 0, 0, 200, 100, WS_VISIBLE, 0};
    return reinterpret_cast<HWND>(::SendMessageA(hClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
}

class ExtendedControlTest : public ThemedToolBarTest {
protected:
    ExtendedControlTest() : ThemedToolBarTest("Extended controls") {}

    // The captions of the controls after the first one.
    std::vector<CString> CaptionsAfter(int nFirst) const
    {
        std::vector<CString> captions;
        for (int i = nFirst + 1; i < m_pBar->GetControlCount(); i++)
            captions.push_back(m_pBar->GetControl(i)->GetCaption());
        return captions;
    }
};

// A recent-file placeholder over a list the test fills.
class CTestRecentFiles : public CKitControlRecentFileList {
public:
    CTestRecentFiles() : m_list(0, "Recent File List", "File%d", 4) {}
    CRecentFileList* GetRecentFileList() const override { return const_cast<CRecentFileList*>(&m_list); }
    CString GetCurrentFolder() const override { return "C:\\Projects\\"; }
    CRecentFileList m_list;
};

// A selector whose pointer and button the test sets.
class CTestSelector : public CKitControlSelector {
public:
    CPoint GetCursorInBar() const override { return m_ptCursor; }
    BOOL IsLeftButtonDown() const override { return m_bButtonDown; }
    CPoint m_ptCursor;
    BOOL m_bButtonDown = FALSE;
};

} // namespace

// Ampersands of the name are doubled; the number is the mnemonic up to 9, "1&0" for 10, plain above.
TEST(KitControlWindowList, NumberedCaptionsDoubleAmpersandsAndMarkTheNumber)
{
    struct Case {
        LPCSTR lpszName;
        int nNumber;
        LPCSTR lpszCaption;
    };
    const Case cases[] = {
        {"Doc&1", 3, "&3 Doc&&1"}, {"Doc", 10, "1&0 Doc"}, {"Doc", 11, "11 Doc"},
        {"A&&B", 0, "A&&&&B"},     {"Doc", 9, "&9 Doc"},   {"", 1, "&1 "},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.lpszCaption, CKitControlWindowList::FormatNumberedCaption(c.lpszName, c.nNumber)) << c.lpszName;
}

// Twelve open documents give the first nine, numbered 1 to 9, the active one checked; a second expansion
// replaces the items instead of adding to them, and a hidden child is left out.
TEST_F(ExtendedControlTest, AWindowListShowsTheFirstNineChildren)
{
    const HWND hClient = CreateMDIClient(&m_site, 0xFF00);
    std::vector<HWND> children;
    for (int i = 1; i <= 12; i++) {
        CString strTitle;
        strTitle.Format(i == 2 ? "R&D %d" : "Doc %d", i);
        children.push_back(CreateMDIChild(hClient, strTitle));
    }
    ASSERT_NE(nullptr, children.back());
    CKitControlWindowList::s_nFirstMDIChild = 0xFF00;
    auto* pList = new CKitControlWindowList();
    m_pBar->GetControls()->Add(pList, 0);
    pList->SetBeginGroup(TRUE);

    for (int nPass = 0; nPass < 2; nPass++) {
        pList->OnBeforePopup();
        ASSERT_EQ(10, m_pBar->GetControlCount());
        EXPECT_FALSE(pList->IsVisible());
        const std::vector<CString> captions = CaptionsAfter(0);
        EXPECT_STREQ("&1 Doc 1", captions[0]);
        EXPECT_STREQ("&2 R&&D 2", captions[1]);
        EXPECT_STREQ("&9 Doc 9", captions[8]);
        CKitControl* pFirst = m_pBar->GetControl(1);
        EXPECT_EQ(0xFF00u, pFirst->GetId());
        EXPECT_TRUE(pFirst->IsTemporary());
        EXPECT_TRUE(pFirst->GetBeginGroup());
        EXPECT_FALSE(m_pBar->GetControl(2)->GetBeginGroup());
        EXPECT_EQ(CKitControlWindowList::kItemHelpId, pFirst->GetHelpId());
        // The last child created is the active one, and not among the nine.
        for (int i = 1; i < 10; i++)
            EXPECT_EQ(0, m_pBar->GetControl(i)->GetChecked()) << i;
    }

    ::SendMessageA(hClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(children[2]), 0);
    ::ShowWindow(children[0], SW_HIDE);
    pList->OnBeforePopup();
    ASSERT_EQ(10, m_pBar->GetControlCount());
    EXPECT_STREQ("&1 R&&D 2", m_pBar->GetControl(1)->GetCaption());
    EXPECT_EQ(1, m_pBar->GetControl(2)->GetChecked());
    EXPECT_STREQ("&9 Doc 10", m_pBar->GetControl(9)->GetCaption());
}

// Without an MDI client the list adds nothing and stays as it is.
TEST_F(ExtendedControlTest, AWindowListWithoutAnMDIClientAddsNothing)
{
    auto* pList = new CKitControlWindowList();
    m_pBar->GetControls()->Add(pList, 0);
    pList->OnBeforePopup();
    EXPECT_EQ(1, m_pBar->GetControlCount());
    EXPECT_TRUE(pList->IsVisible());
}

// An empty list shows its placeholder, disabled; files show numbered, relative to the current folder,
// with their full paths as parameters; customizing shows the placeholder instead of its items.
TEST_F(ExtendedControlTest, TheRecentFileListShowsFilesOrItsDisabledPlaceholder)
{
    m_pBar->GetControls()->Add(kitControlButton, 100)->SetCaption("Open");
    auto* pRecent = new CTestRecentFiles();
    m_pBar->GetControls()->Add(pRecent, 0);
    pRecent->SetCaption("Recent File");

    pRecent->OnBeforePopup();
    EXPECT_EQ(2, m_pBar->GetControlCount());
    EXPECT_TRUE(pRecent->IsVisible());
    EXPECT_FALSE(pRecent->IsEnabled());

    pRecent->m_list.Add("D:\\Other\\plant.prj");
    pRecent->m_list.Add("C:\\Projects\\Bay 1.prj");
    for (int nPass = 0; nPass < 2; nPass++) {
        pRecent->OnBeforePopup();
        ASSERT_EQ(4, m_pBar->GetControlCount());
        EXPECT_FALSE(pRecent->IsVisible());
        CKitControl* pFirst = m_pBar->GetControl(2);
        EXPECT_STREQ("&1 Bay 1.prj", pFirst->GetCaption());
        EXPECT_EQ(CKitControlRecentFileList::kFirstFileId, pFirst->GetId());
        EXPECT_STREQ("C:\\Projects\\Bay 1.prj", pFirst->GetParameter());
        EXPECT_TRUE(pFirst->GetBeginGroup()) << "the placeholder is not first on its bar";
        EXPECT_STREQ("&2 D:\\Other\\plant.prj", m_pBar->GetControl(3)->GetCaption());
        EXPECT_EQ(CKitControlRecentFileList::kFirstFileId + 1, m_pBar->GetControl(3)->GetId());
    }

    m_manager.SetCustomizeMode(TRUE);
    pRecent->OnBeforePopup();
    EXPECT_EQ(2, m_pBar->GetControlCount());
    EXPECT_TRUE(pRecent->IsVisible());
    EXPECT_TRUE(pRecent->IsEnabled());
    m_manager.SetCustomizeMode(FALSE);
}

// Opening shows the 5 x 4 grid; moving selects the cells before the pointer; leaving it to the right with the
// button held grows it, at most to 12 columns; each change notifies 4102; the release executes the selection.
TEST_F(ExtendedControlTest, ASelectorDraggedRightGrowsUpToItsLargestGrid)
{
    auto* pSelector = new CTestSelector();
    m_pBar->GetControls()->Add(pSelector, 43001);
    pSelector->OnBeforePopup();
    EXPECT_EQ(CSize(5, 4), pSelector->GetGrid());
    CClientDC dc(m_pBar);
    EXPECT_EQ(CSize(140, 112), pSelector->GetSize(&dc));
    m_pBar->CalcLayout(400);
    const CPoint ptOrigin = pSelector->GetRect().TopLeft();
    m_site.m_notified.clear();

    pSelector->OnMouseMove(ptOrigin + CPoint(2 * 28 + 5, 28 + 1));
    EXPECT_EQ(CSize(3, 2), pSelector->GetSelection());
    pSelector->OnMouseMove(ptOrigin + CPoint(2 * 28 + 9, 28 + 3));
    EXPECT_EQ(std::vector<UINT>{kitNotifySelectorChanged}, m_site.m_notified) << "an unchanged selection is quiet";

    m_pBar->SetSelected(0);
    pSelector->m_bButtonDown = TRUE;
    pSelector->m_ptCursor = ptOrigin + CPoint(7 * 28 + 3, 36);
    m_pBar->SetSelected(-1);
    EXPECT_EQ(CSize(8, 4), pSelector->GetGrid());
    EXPECT_EQ(CSize(8, 2), pSelector->GetSelection());
    EXPECT_EQ(CSize(8 * 28, 4 * 28), pSelector->GetRect().Size()) << "the bar laid the grown grid out";

    m_pBar->SetSelected(0);
    pSelector->m_ptCursor = ptOrigin + CPoint(30 * 28, 36);
    m_pBar->SetSelected(-1);
    EXPECT_EQ(CSize(12, 4), pSelector->GetGrid());
    EXPECT_EQ(CSize(12, 2), pSelector->GetSelection());
    EXPECT_GE(m_site.m_notified.size(), 3u);
    for (UINT nCode : m_site.m_notified)
        EXPECT_EQ(static_cast<UINT>(kitNotifySelectorChanged), nCode);

    m_site.m_commands.clear();
    pSelector->OnLButtonUp(CPoint());
    EXPECT_EQ(CSize(12, 2), pSelector->GetLastSelection());
    EXPECT_EQ(std::vector<UINT>{43001}, m_site.m_commands);
}

// Leaving without a grown grid clears the selection; reopening starts from the 5 x 4 grid again.
TEST_F(ExtendedControlTest, ASelectorLeftInsideClearsAndReopensSmall)
{
    auto* pSelector = new CTestSelector();
    m_pBar->GetControls()->Add(pSelector, 43001);
    pSelector->OnBeforePopup();
    pSelector->SetRect(CRect(0, 0, 140, 112));
    pSelector->OnMouseMove(CPoint(30, 30));
    m_pBar->SetSelected(0);
    pSelector->m_bButtonDown = TRUE;
    pSelector->m_ptCursor = CPoint(30, 30);
    m_pBar->SetSelected(-1);
    EXPECT_EQ(CSize(0, 0), pSelector->GetSelection());
    m_site.m_commands.clear();
    pSelector->OnLButtonUp(CPoint());
    EXPECT_TRUE(m_site.m_commands.empty());
}

// A selector in a toolbar with a part of its grid selected.
TEST_F(ExtendedControlTest, SelectorScreenshot)
{
    m_pBar->GetControls()->Add(kitControlButton, 100)->SetCaption("Insert Table");
    auto* pSelector = new CTestSelector();
    m_pBar->GetControls()->Add(pSelector, 43001);
    pSelector->OnBeforePopup();
    m_pBar->CalcLayout(400);
    const CRect rc = pSelector->GetRect();
    pSelector->OnMouseMove(CPoint(rc.left + 3 * 28 - 5, rc.top + 2 * 28 - 5));
    m_pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    m_site.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();
    EXPECT_EQ("", SaveWindowScreenshot(m_site.GetSafeHwnd(), "commandbar-selector"));
}
