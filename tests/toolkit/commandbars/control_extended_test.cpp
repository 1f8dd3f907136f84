// The window, toolbar, verb and recent-file placeholders expanding in a menu, the grid selector driven as with
// the mouse, and the labels, check boxes, markup label, bitmap and hyperlink; build/screens/commandbar-selector.png
// and build/screens/commandbar-extended.png.
#include "themed_toolbar.h"

#include "framework/ids.h"
#include "support/window_screenshot.h"
#include "toolkit/commandbars/control_extended.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/common/upper_services.h"

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

// A verb placeholder whose active item gives the menu the test builds.
class CTestOleItems : public CKitControlOleItems {
public:
    BOOL FillVerbMenu(HMENU hMenu) override
    {
        if (m_nEntries == 0)
            return FALSE;
        for (int i = 0; i < m_nEntries; i++) {
            const HMENU hVerbs = ::CreatePopupMenu();
            ::AppendMenuA(hVerbs, MF_STRING, ID_OLE_VERB_FIRST, "&Edit");
            ::AppendMenuA(hVerbs, MF_STRING, ID_OLE_VERB_FIRST + 1, "&Open");
            ::AppendMenuA(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hVerbs), "Drawing &Object");
        }
        return TRUE;
    }
    int m_nEntries = 0;
};

// A hyperlink that records the addresses it would open.
class CTestHyperlink : public CKitControlHyperlink {
public:
    void OpenLink(const CString& strAddress) override { m_opened.push_back(strAddress); }
    std::vector<CString> m_opened;
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
        EXPECT_EQ(static_cast<UINT>(ID_FILE_MRU_FIRST), pFirst->GetId());
        EXPECT_STREQ("C:\\Projects\\Bay 1.prj", pFirst->GetParameter());
        EXPECT_TRUE(pFirst->GetBeginGroup()) << "the placeholder is not first on its bar";
        EXPECT_STREQ("&2 D:\\Other\\plant.prj", m_pBar->GetControl(3)->GetCaption());
        EXPECT_EQ(static_cast<UINT>(ID_FILE_MRU_FIRST + 1), m_pBar->GetControl(3)->GetId());
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

// The bars that a user may close and that offer themselves in the context menu each get an item, titled with "&"
// doubled and checked while shown; executing an item shows or hides its bar; customizing shows the placeholder.
TEST_F(ExtendedControlTest, TheToolbarsListOffersTheClosableBars)
{
    m_pBar->SetTitle("Standard");
    CKitToolBar* pFormat = m_manager.Add("Format && Style", kitBarTop);
    CKitToolBar* pFixed = m_manager.Add("Fixed", kitBarTop);
    pFixed->SetCloseable(FALSE);
    CKitToolBar* pHidden = m_manager.Add("Drawing", kitBarTop);
    pHidden->SetVisible(FALSE);

    CKitPopupBar* pMenu = CKitPopupBar::CreatePopupBar(&m_manager);
    auto* pList = new CKitControlToolbars();
    pMenu->GetControls()->Add(pList, 0);
    pList->SetBeginGroup(TRUE);
    pMenu->GetControls()->Add(kitControlButton, 200)->SetCaption("Customize...");

    for (int nPass = 0; nPass < 2; nPass++) {
        pList->OnBeforePopup();
        ASSERT_EQ(5, pMenu->GetControlCount());
        EXPECT_FALSE(pList->IsVisible());
        const LPCSTR captions[] = {"Standard", "Format &&&& Style", "Drawing"};
        const int checked[] = {1, 1, 0};
        for (int i = 0; i < 3; i++) {
            CKitControl* pItem = pMenu->GetControl(1 + i);
            EXPECT_STREQ(captions[i], pItem->GetCaption()) << i;
            EXPECT_EQ(checked[i], pItem->GetChecked()) << i;
            EXPECT_STREQ(CKitControlToolbars::kItemParameter, pItem->GetParameter());
            EXPECT_TRUE(pItem->IsTemporary());
            EXPECT_EQ(i == 0, pItem->GetBeginGroup() != FALSE) << i;
        }
        EXPECT_EQ(200u, pMenu->GetControl(4)->GetId()) << "the items stand directly after the placeholder";
    }

    pMenu->GetControl(3)->OnExecute();
    EXPECT_TRUE(pHidden->IsVisible());
    pMenu->GetControl(1)->OnExecute();
    EXPECT_FALSE(m_pBar->IsVisible());
    EXPECT_TRUE(pFormat->IsVisible());

    m_manager.SetCustomizeMode(TRUE);
    pList->OnBeforePopup();
    EXPECT_EQ(2, pMenu->GetControlCount());
    EXPECT_TRUE(pList->IsVisible());
    m_manager.SetCustomizeMode(FALSE);
    pMenu->InternalRelease();
}

// An item whose verb menu is one submenu gives one popup of its verbs, replaced on the next expansion; no item,
// or a menu of more than one entry, adds nothing.
TEST_F(ExtendedControlTest, TheVerbPlaceholderShowsTheActiveItemsVerbs)
{
    CKitPopupBar* pMenu = CKitPopupBar::CreatePopupBar(&m_manager);
    auto* pVerbs = new CTestOleItems();
    pMenu->GetControls()->Add(pVerbs, 0);
    pMenu->GetControls()->Add(kitControlButton, 200)->SetCaption("Links...");

    pVerbs->OnBeforePopup();
    EXPECT_EQ(2, pMenu->GetControlCount());

    pVerbs->m_nEntries = 1;
    for (int nPass = 0; nPass < 2; nPass++) {
        pVerbs->OnBeforePopup();
        ASSERT_EQ(3, pMenu->GetControlCount());
        CKitControl* pPopup = pMenu->GetControl(1);
        EXPECT_EQ(kitControlPopup, pPopup->GetType());
        EXPECT_EQ(0u, pPopup->GetId());
        EXPECT_STREQ("Drawing &Object", pPopup->GetCaption());
        EXPECT_STREQ(CKitControlOleItems::kItemParameter, pPopup->GetParameter());
        ASSERT_NE(nullptr, pPopup->GetCommandBar());
        ASSERT_EQ(2, pPopup->GetCommandBar()->GetControlCount());
        EXPECT_EQ(static_cast<UINT>(ID_OLE_VERB_FIRST + 1), pPopup->GetCommandBar()->GetControl(1)->GetId());
    }

    pVerbs->m_nEntries = 2;
    pVerbs->OnBeforePopup();
    EXPECT_EQ(2, pMenu->GetControlCount());
    pMenu->InternalRelease();
}

// Menu items and buttons of the reserved ids become the placeholders that stand for their lists; the verbs' id
// only with its exact text, and a temporary recent-file button stays a button.
TEST_F(ExtendedControlTest, ReservedIdsBecomePlaceholders)
{
    const HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuA(hMenu, MF_STRING, CKitControls::kIdWindowList, "&Windows");
    ::AppendMenuA(hMenu, MF_STRING, ID_VIEW_TOOLBAR, "&Toolbars");
    ::AppendMenuA(hMenu, MF_STRING, ID_OLE_VERB_FIRST, CKitControls::kOleVerbsPlaceholder);
    ::AppendMenuA(hMenu, MF_STRING, ID_OLE_VERB_FIRST, "&Object");
    ::AppendMenuA(hMenu, MF_STRING, ID_FILE_MRU_FILE1, "Recent File");
    CKitPopupBar* pMenu = CKitPopupBar::CreatePopupBar(&m_manager);
    pMenu->LoadMenu(hMenu);
    ::DestroyMenu(hMenu);
    CRuntimeClass* expected[] = {RUNTIME_CLASS(CKitControlWindowList), RUNTIME_CLASS(CKitControlToolbars),
                                 RUNTIME_CLASS(CKitControlOleItems), RUNTIME_CLASS(CKitControlButton),
                                 RUNTIME_CLASS(CKitControlRecentFileList)};
    ASSERT_EQ(5, pMenu->GetControlCount());
    for (int i = 0; i < 5; i++)
        EXPECT_EQ(expected[i], pMenu->GetControl(i)->GetRuntimeClass()) << i;
    pMenu->InternalRelease();

    CKitControls* pControls = m_pBar->GetControls();
    EXPECT_EQ(RUNTIME_CLASS(CKitControlWindowList),
              pControls->Add(kitControlButton, CKitControls::kIdWindowList)->GetRuntimeClass());
    EXPECT_EQ(RUNTIME_CLASS(CKitControlRecentFileList),
              pControls->Add(kitControlButton, CKitControls::kIdRecentFileList)->GetRuntimeClass());
    EXPECT_EQ(RUNTIME_CLASS(CKitControlButton),
              pControls->Add(kitControlButton, CKitControls::kIdRecentFileList, nullptr, -1, TRUE)->GetRuntimeClass());
    EXPECT_EQ(RUNTIME_CLASS(CKitControlToolbars),
              pControls->Add(kitControlButton, ID_VIEW_TOOLBAR)->GetRuntimeClass());
}

// Labels, check boxes and radio buttons made by type are their own classes; a label is never selected and a
// click leaves it alone; Space clicks a check box as from the keyboard.
TEST_F(ExtendedControlTest, LabelsAndCheckBoxesBehaveByKind)
{
    struct Case {
        int nType;
        CRuntimeClass* pClass;
        DWORD dwFlags;
    };
    const Case cases[] = {
        {kitControlLabel, RUNTIME_CLASS(CKitControlLabel), 26},
        {kitControlCheckBox, RUNTIME_CLASS(CKitControlCheckBox), 0},
        {kitControlRadioButton, RUNTIME_CLASS(CKitControlRadioButton), 0},
    };
    for (const Case& c : cases) {
        CKitControl* pControl = m_pBar->GetControls()->Add(c.nType, 300 + c.nType);
        EXPECT_EQ(c.pClass, pControl->GetRuntimeClass()) << c.nType;
        EXPECT_EQ(c.nType, pControl->GetType());
        EXPECT_EQ(c.dwFlags, pControl->GetFlags()) << c.nType;
    }
    CKitControl* pLabel = m_pBar->GetControl(0);
    pLabel->OnSetSelected(kitSelectedMouse);
    EXPECT_EQ(kitSelectedNone, pLabel->GetSelected());
    pLabel->OnClick(FALSE, CPoint());
    pLabel->OnClick(TRUE, CPoint());

    CKitControl* pCheck = m_pBar->GetControl(1);
    EXPECT_FALSE(pCheck->OnHookKeyDown('A', 0));
    EXPECT_TRUE(m_site.m_commands.empty());
    EXPECT_TRUE(pCheck->OnHookKeyDown(VK_SPACE, 0));
    EXPECT_EQ(std::vector<UINT>{300 + kitControlCheckBox}, m_site.m_commands);
}

// A markup caption is parsed anew on each change and measured in the control font; text that is no markup
// leaves the label measuring as a plain one.
TEST_F(ExtendedControlTest, AMarkupLabelParsesItsCaption)
{
    ASSERT_NE(nullptr, CKitThemeServices::Get());
    auto* pLabel = new CKitControlMarkupLabel();
    m_pBar->GetControls()->Add(pLabel, 0);
    CClientDC dc(m_pBar);

    pLabel->SetCaption("<TextBlock>Hi</TextBlock>");
    CKitMarkupUIElement* pShort = pLabel->GetMarkupElement();
    ASSERT_NE(nullptr, pShort);
    const CSize szShort = pLabel->GetSize(&dc);
    pLabel->SetCaption("<TextBlock>Hi <Bold>there, engineer</Bold></TextBlock>");
    ASSERT_NE(nullptr, pLabel->GetMarkupElement());
    const CSize szLong = pLabel->GetSize(&dc);
    EXPECT_GT(szShort.cx, 0);
    EXPECT_GT(szLong.cx, szShort.cx * 3);
    EXPECT_EQ(szShort.cy, szLong.cy);

    pLabel->SetCaption("<TextBlock>unclosed");
    EXPECT_EQ(nullptr, pLabel->GetMarkupElement());
    EXPECT_GT(pLabel->GetSize(&dc).cx, 0) << "measured as a plain label";
}

// A bitmap control is as large as its image, 0 x 0 without one.
TEST_F(ExtendedControlTest, ABitmapControlTakesItsImagesSize)
{
    auto* pBitmap = new CKitControlBitmap();
    m_pBar->GetControls()->Add(pBitmap, 43010);
    CClientDC dc(m_pBar);
    EXPECT_EQ(CSize(0, 0), pBitmap->GetSize(&dc));

    const HBITMAP hBitmap = ::CreateBitmap(48, 32, 1, 32, nullptr);
    const UINT nId = 43010;
    ASSERT_TRUE(m_pBar->GetImageManager()->SetIconsFromBitmap(hBitmap, &nId, 1, CSize(48, 32), 0, FALSE));
    ::DeleteObject(hBitmap);
    EXPECT_EQ(CSize(48, 32), pBitmap->GetSize(&dc));
}

// A hyperlink measures its caption, is blue, red while selected and grey when disabled; a mouse click opens the
// address held as its tooltip, a keyboard click or a click while customizing does not.
TEST_F(ExtendedControlTest, AHyperlinkOpensItsAddressOnAMouseClick)
{
    auto* pLink = new CTestHyperlink();
    m_pBar->GetControls()->Add(pLink, 43020);
    pLink->SetCaption("Product page");
    pLink->SetTooltip("http://localhost/vqn3x");
    CClientDC dc(m_pBar);
    CFont* pOld = dc.SelectObject(m_pBar->GetPaintManager()->GetControlFont(pLink));
    EXPECT_EQ(dc.GetTextExtent("Product page"), pLink->GetSize(&dc));
    dc.SelectObject(pOld);

    EXPECT_EQ(CKitControlHyperlink::kColorLink, pLink->GetLinkColor());
    pLink->SetSelected(kitSelectedMouse);
    EXPECT_EQ(CKitControlHyperlink::kColorHot, pLink->GetLinkColor());
    pLink->SetEnabled(FALSE);
    EXPECT_EQ(::GetSysColor(COLOR_GRAYTEXT), pLink->GetLinkColor());
    pLink->SetEnabled(TRUE);

    pLink->OnClick(TRUE, CPoint());
    EXPECT_TRUE(pLink->m_opened.empty());
    pLink->OnClick(FALSE, CPoint());
    EXPECT_EQ(std::vector<CString>{"http://localhost/vqn3x"}, pLink->m_opened);
    m_manager.SetCustomizeMode(TRUE);
    pLink->OnClick(FALSE, CPoint());
    EXPECT_EQ(1u, pLink->m_opened.size());
    m_manager.SetCustomizeMode(FALSE);
    EXPECT_TRUE(m_site.m_commands.empty());
}

// A toolbar of a label, a check box, a radio button, a markup label and a hyperlink.
TEST_F(ExtendedControlTest, ExtendedControlsScreenshot)
{
    m_pBar->GetControls()->Add(kitControlLabel, 0)->SetCaption("Module:");
    CKitControl* pCheck = m_pBar->GetControls()->Add(kitControlCheckBox, 43030);
    pCheck->SetCaption("Online");
    pCheck->SetChecked(1);
    m_pBar->GetControls()->Add(kitControlRadioButton, 43031)->SetCaption("EIP");
    auto* pMarkup = new CKitControlMarkupLabel();
    m_pBar->GetControls()->Add(pMarkup, 0);
    pMarkup->SetCaption("<TextBlock VerticalAlignment=\"Center\">Tags: <Bold>128</Bold></TextBlock>");
    auto* pLink = new CTestHyperlink();
    m_pBar->GetControls()->Add(pLink, 43032);
    pLink->SetCaption("Help");
    pLink->SetBeginGroup(TRUE);
    m_pBar->CalcLayout(400);
    m_pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    m_site.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();
    EXPECT_EQ("", SaveWindowScreenshot(m_site.GetSafeHwnd(), "commandbar-extended"));
}
