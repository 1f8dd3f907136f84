// Galleries on a toolbar: layout under the automatic scroll bar, row and column keys, the
// selection and preview notifications, the wheel, the drop-down over a gallery and a combo box's gallery
// drop-down; build/screens/commandbar-gallery.png and build/screens/commandbar-gallery-combo.png.
#include "themed_toolbar.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control_action.h"
#include "toolkit/commandbars/control_gallery.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/themes/paint/paint_manager.h"

#include "support/message_pump.h"
#include "support/window_capture.h"
#include "support/window_screenshot.h"

#include "framework/wnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr UINT kGalleryId = 42001;
constexpr UINT kComboId = 42002;

// A frame that records the notification codes and commands it receives.
class CGallerySite : public CWnd {
public:
    CGallerySite()
    {
        CreateEx(0, "STATIC", "Gallery", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 40, 40, 300, 150,
                 nullptr, 0);
    }
    ~CGallerySite() override { DestroyWindow(); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_KIT_CONTROL_NOTIFY) {
            const auto* pRecord = reinterpret_cast<const NMKITCONTROL*>(lParam);
            if (pRecord->hdr.code >= kitGalleryPreviewStart && pRecord->hdr.code <= kitGallerySelectionChange)
                m_events.push_back(static_cast<int>(pRecord->hdr.code));
            else if (pRecord->pControl->GetType() == kitControlComboBox)
                m_comboEvents.push_back(static_cast<int>(pRecord->hdr.code));
            return 0;
        }
        if (message == WM_COMMAND && LOWORD(wParam) == kGalleryId)
            m_events.push_back(0);
        if (message == WM_COMMAND && LOWORD(wParam) == kComboId)
            m_comboEvents.push_back(0);
        return CWnd::WindowProc(message, wParam, lParam);
    }

    // Codes received, 0 standing for the command.
    std::vector<int> m_events;
    // The combo box's codes, 0 standing for its command.
    std::vector<int> m_comboEvents;
};

class GalleryTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_pBar = AddThemedToolBar(m_manager, &m_site, 280, 80);
        m_manager.EnableActions();
        m_pEntries = new CKitControlGalleryEntryList();
        m_pGallery = static_cast<CKitControlGallery*>(m_pBar->GetControls()->Add(kitControlGallery, kGalleryId));
        CKitControlAction* pAction = m_manager.GetActions()->CreateAction(kGalleryId);
        pAction->SetGalleryEntries(m_pEntries);
        m_pEntries->InternalRelease();
        m_pGallery->SetAction(pAction);
    }

    void TearDown() override
    {
        m_manager.RemoveAll();
        PumpMessages();
        CKitPaintManager::Done();
    }

    // n entries of 20 x 20 in a gallery whose entries area is 100 x 40 (no scroll bar yet).
    void Fill(int nCount, BOOL bScrollBar = FALSE)
    {
        m_pEntries->RemoveAll();
        for (int i = 0; i < nCount; i++)
            m_pEntries->AddEntry(100 + i, std::to_string(i + 1).c_str());
        m_pGallery->m_bShowScrollBar = bScrollBar;
        int nBar = bScrollBar ? ::GetSystemMetrics(SM_CXVSCROLL) : 0;
        m_pGallery->SetWidth(100 + nBar);
        m_pGallery->SetHeight(40);
        m_pBar->CalcLayout(280);
        m_pGallery->OnRecalcLayout();
    }

    void Key(UINT nChar) { m_pGallery->OnHookKeyDown(nChar, 0); }
    void SelectInBar() { m_pBar->SetSelected(m_pGallery->GetIndex(), kitSelectMouse); }
    CPoint EntryCentre(int nIndex) { return m_pGallery->GetEntryRect(nIndex).CenterPoint(); }

    CGallerySite m_site;
    CKitCommandBarManager m_manager;
    CKitToolBar* m_pBar = nullptr;
    CKitControlGalleryEntryList* m_pEntries = nullptr;
    CKitControlGallery* m_pGallery = nullptr;
};

} // namespace

TEST_F(GalleryTest, AutomaticScrollBarShowsOnlyWhenTheEntriesOverflow)
{
    struct Case {
        int nCount;
        BOOL bScrollBar;
        int nTotalHeight;
    };
    // Five entries a row, two rows fill the 40 pixels exactly.
    const Case cases[] = {{10, FALSE, 40}, {9, FALSE, 40}, {11, TRUE, 60}, {0, FALSE, 0}};
    for (const Case& c : cases) {
        Fill(c.nCount);
        m_pGallery->m_bAutoScrollBar = TRUE;
        m_pGallery->OnRecalcLayout();
        EXPECT_EQ(c.bScrollBar, m_pGallery->m_bShowScrollBar) << c.nCount;
        if (c.bScrollBar) {
            // The bar narrows the area to four entries a row.
            EXPECT_EQ(100 - ::GetSystemMetrics(SM_CXVSCROLL), m_pGallery->GetEntriesArea().Width());
            EXPECT_FALSE(m_pGallery->GetScrollBarRect().IsRectEmpty());
        } else {
            EXPECT_TRUE(m_pGallery->GetScrollBarRect().IsRectEmpty());
        }
        EXPECT_EQ(c.nTotalHeight, m_pGallery->GetTotalHeight()) << c.nCount;
    }
}

TEST_F(GalleryTest, LabelsSpanTheRowAndHiddenLabelsTakeNoSpace)
{
    Fill(0);
    m_pEntries->AddLabel("Colours");
    m_pEntries->AddEntry(1, "Red");
    m_pEntries->AddEntry(2, "Green");
    m_pGallery->OnRecalcLayout();
    const CRect rcArea = m_pGallery->GetEntriesArea();
    EXPECT_EQ(CRect(rcArea.left, rcArea.top, rcArea.right, rcArea.top + 20), m_pGallery->GetEntryRect(0));
    EXPECT_EQ(rcArea.top + 21, m_pGallery->GetEntryRect(1).top);
    EXPECT_EQ(-1, m_pGallery->HitTestEntry(EntryCentre(0)));
    EXPECT_EQ(1, m_pGallery->GetNextSelectable(-1, 1));

    m_pGallery->m_bShowLabels = FALSE;
    m_pGallery->OnRecalcLayout();
    EXPECT_TRUE(m_pGallery->GetEntryRect(0).IsRectEmpty());
    EXPECT_EQ(rcArea.top, m_pGallery->GetEntryRect(1).top);
    EXPECT_EQ(2, m_pGallery->HitTestEntry(EntryCentre(2)));
}

TEST_F(GalleryTest, LeftAndRightWrapWithinTheRowUpAndDownKeepTheColumn)
{
    Fill(7);
    SelectInBar();
    struct Case {
        int nFrom;
        UINT nKey;
        int nTo;
    };
    // Rows: 0-4 and 5-6.
    const Case cases[] = {
        {0, VK_LEFT, 4}, {4, VK_RIGHT, 0}, {2, VK_RIGHT, 3}, {2, VK_LEFT, 1}, {5, VK_LEFT, 6},
        {6, VK_RIGHT, 5}, {1, VK_DOWN, 6}, {6, VK_UP, 1},   {0, VK_HOME, 0}, {3, VK_END, 6},
        // A page is the 40-pixel area: one row on.
        {1, VK_NEXT, 6}, {6, VK_PRIOR, 0},
    };
    for (const Case& c : cases) {
        m_pGallery->SelectEntry(c.nFrom);
        Key(c.nKey);
        EXPECT_EQ(c.nTo, m_pGallery->GetSelectedEntry()) << c.nFrom << " key " << c.nKey;
    }
    // Down from the bottom row with no other control on the bar wraps to the first entry.
    m_pGallery->SelectEntry(4);
    Key(VK_DOWN);
    EXPECT_EQ(0, m_pGallery->GetSelectedEntry());
}

TEST_F(GalleryTest, FindByTextWrapsFromAfterTheStart)
{
    Fill(0);
    for (const char* caption : {"Blue", "Black", "brown", "Bl"})
        m_pEntries->AddEntry(0, caption);
    m_pGallery->OnRecalcLayout();
    struct Case {
        int nStart;
        const char* text;
        BOOL bExact;
        int nFound;
    };
    const Case cases[] = {{-1, "bl", FALSE, 0}, {0, "bl", FALSE, 1}, {3, "BR", FALSE, 2}, {-1, "bl", TRUE, 3},
                          {3, "BLUE", TRUE, 0}, {-1, "Blues", FALSE, -1}, {-1, "", FALSE, -1}, {9, "brown", TRUE, 2}};
    for (const Case& c : cases)
        EXPECT_EQ(c.nFound, m_pGallery->FindEntryByText(c.nStart, c.text, c.bExact)) << c.nStart << " " << c.text;
    EXPECT_EQ("brown", std::string(m_pGallery->GetEntryText(2)));
    EXPECT_EQ("", std::string(m_pGallery->GetEntryText(7)));
}

TEST_F(GalleryTest, SelectionHoverAndExecuteNotifyInOrder)
{
    Fill(7);
    SelectInBar();
    m_site.m_events.clear();

    m_pGallery->OnMouseMove(EntryCentre(1));
    EXPECT_EQ(std::vector<int>({kitGallerySelectionChange}), m_site.m_events);
    // The same entry again changes nothing.
    m_pGallery->OnMouseMove(EntryCentre(1));
    EXPECT_EQ(1u, m_site.m_events.size());

    m_site.m_events.clear();
    m_pGallery->OnMouseHover();
    EXPECT_EQ(std::vector<int>({kitGalleryPreviewStart, kitGalleryPreviewChange}), m_site.m_events);

    m_site.m_events.clear();
    m_pGallery->OnMouseMove(EntryCentre(2));
    EXPECT_EQ(std::vector<int>({kitGalleryPreviewChange, kitGallerySelectionChange}), m_site.m_events);

    m_site.m_events.clear();
    m_pGallery->OnExecute();
    ASSERT_FALSE(m_site.m_events.empty());
    EXPECT_EQ(kitGalleryPreviewApply, m_site.m_events.front());
    EXPECT_EQ(1, std::count(m_site.m_events.begin(), m_site.m_events.end(), 0));

    // Without a running preview an execute sends no apply.
    m_site.m_events.clear();
    m_pGallery->OnExecute();
    EXPECT_EQ(0, std::count(m_site.m_events.begin(), m_site.m_events.end(), kitGalleryPreviewApply));

    // Keyboard selection previews at once.
    m_site.m_events.clear();
    m_pGallery->SelectEntry(3);
    EXPECT_EQ(std::vector<int>({kitGalleryPreviewStart, kitGalleryPreviewChange, kitGallerySelectionChange}),
              m_site.m_events);

    // New entries cancel the preview and drop the selection.
    m_site.m_events.clear();
    m_pGallery->OnEntriesReset();
    EXPECT_EQ(std::vector<int>({kitGalleryPreviewCancel}), m_site.m_events);
    EXPECT_EQ(-1, m_pGallery->GetSelectedEntry());
}

TEST_F(GalleryTest, TheWheelScrollsThreeEntryHeightsAndStopsAtTheEnds)
{
    Fill(30, TRUE);
    // Six rows, 120 pixels over a 40-pixel area.
    ASSERT_EQ(120, m_pGallery->GetTotalHeight());
    const std::pair<short, int> steps[] = {{-WHEEL_DELTA, 60}, {-WHEEL_DELTA, 80}, {-WHEEL_DELTA, 80},
                                           {WHEEL_DELTA, 20},  {2 * WHEEL_DELTA, 0}, {WHEEL_DELTA, 0}};
    for (const auto& step : steps) {
        EXPECT_TRUE(m_pGallery->OnHookMouseWheel(step.first));
        EXPECT_EQ(step.second, m_pGallery->GetScrollPos()) << step.first;
    }
    m_pEntries->m_cyEntry = 10;
    Fill(60, TRUE);
    m_pGallery->OnHookMouseWheel(-WHEEL_DELTA);
    EXPECT_EQ(30, m_pGallery->GetScrollPos());
    // The wheel a tracking bar offers its selected control scrolls the gallery the same way.
    CKitControl* pControl = m_pGallery;
    EXPECT_TRUE(pControl->OnHookMouseWheel(0, -WHEEL_DELTA, CPoint(0, 0)));
    EXPECT_EQ(60, m_pGallery->GetScrollPos());
}

TEST_F(GalleryTest, ScrollButtonsScrollSmoothlyByOneEntryWithoutOvershoot)
{
    m_pGallery->SetCommandBar(new CKitPopupBar());
    Fill(30, TRUE);
    ASSERT_TRUE(m_pGallery->HasScrollButtons());
    ASSERT_EQ(120, m_pGallery->GetTotalHeight());

    // Runs the animation to its end; the positions it passes.
    auto run = [this] {
        std::vector<int> positions = {m_pGallery->GetScrollPos()};
        while (m_pGallery->IsAnimating() && positions.size() < 50) {
            m_pGallery->OnAnimationStep();
            positions.push_back(m_pGallery->GetScrollPos());
        }
        return positions;
    };
    m_pGallery->DoScroll(kitScrollLineDown, 0);
    std::vector<int> positions = run();
    EXPECT_FALSE(m_pGallery->IsAnimating());
    EXPECT_GT(positions.size(), 2u);
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
    EXPECT_EQ(20, positions.back());
    EXPECT_EQ(20, *std::max_element(positions.begin(), positions.end()));

    // A second line asked while one runs goes on from its target; the end of the press lets it finish.
    m_pGallery->DoScroll(kitScrollLineDown, 0);
    m_pGallery->DoScroll(kitScrollLineDown, 0);
    m_pGallery->DoScroll(kitScrollEnd, 0);
    EXPECT_EQ(60, run().back());
    m_pGallery->DoScroll(kitScrollLineDown, 0);
    m_pGallery->DoScroll(kitScrollLineDown, 0);
    EXPECT_EQ(80, run().back());

    // The column holds up, down and more.
    const CRect rc = m_pGallery->GetScrollBarRect();
    EXPECT_EQ(kitScrollHitUpArrow, m_pGallery->HitTestScrollBar(CPoint(rc.left + 4, rc.top + 5)));
    EXPECT_EQ(kitScrollHitDownArrow, m_pGallery->HitTestScrollBar(CPoint(rc.left + 4, rc.top + 25)));
    EXPECT_EQ(kitScrollHitExtra, m_pGallery->HitTestScrollBar(CPoint(rc.left + 4, rc.top + 39)));
}

TEST_F(GalleryTest, ScreenshotOfAGalleryWithLabelsAndAScrollBar)
{
    Fill(0, TRUE);
    m_pEntries->m_cxEntry = 40;
    m_pEntries->m_cyEntry = 22;
    m_pEntries->AddLabel("Recent");
    for (int i = 0; i < 4; i++)
        m_pEntries->AddEntry(i, (std::string("A") + std::to_string(i + 1)).c_str());
    m_pEntries->AddLabel("All styles");
    for (int i = 0; i < 12; i++)
        m_pEntries->AddEntry(10 + i, (std::string("S") + std::to_string(i + 1)).c_str());
    m_pGallery->m_bShowBorders = TRUE;
    m_pBar->MoveWindow(0, 0, 280, 100);
    m_pGallery->SetWidth(180);
    m_pGallery->SetHeight(90);
    m_pBar->CalcLayout(280);
    m_pGallery->OnRecalcLayout();
    SelectInBar();
    m_pGallery->SelectEntry(2);
    m_pGallery->SetCheckedEntryId(12);
    m_pBar->Invalidate();
    PumpMessages();
    EXPECT_EQ("", SaveWindowScreenshot(m_site.GetSafeHwnd(), "commandbar-gallery"));
}

// A gallery that owns a drop-down opens it over itself: the drop-down's corner is one pixel left of the
// gallery's top-left corner; shown as a button it drops below like any popup.
TEST_F(GalleryTest, TheDropDownOpensOverTheGallery)
{
    CKitPopupBar* pDropDown = CKitPopupBar::CreatePopupBar(&m_manager);
    pDropDown->GetControls()->Add(kitControlButton, 100)->SetCaption("Apply styles...");
    m_pGallery->SetCommandBar(pDropDown);
    Fill(7, TRUE);
    CRect rcExclude = m_pGallery->GetRect();
    m_pGallery->AdjustExcludeRect(rcExclude, FALSE);
    EXPECT_EQ(CRect(m_pGallery->GetRect().left - 1, m_pGallery->GetRect().top, m_pGallery->GetRect().left - 1,
                    m_pGallery->GetRect().top),
              rcExclude);

    ASSERT_TRUE(m_pBar->OpenPopupAt(m_pGallery->GetIndex()));
    CRect rcPopup;
    pDropDown->GetWindowRect(&rcPopup);
    CPoint ptCorner(m_pGallery->GetRect().left - 1, m_pGallery->GetRect().top);
    m_pBar->ClientToScreen(&ptCorner);
    EXPECT_EQ(ptCorner, rcPopup.TopLeft());
    m_pBar->OpenPopupAt(-1);

    m_pGallery->SetStyle(kitButtonIcon);
    rcExclude = m_pGallery->GetRect();
    m_pGallery->AdjustExcludeRect(rcExclude, FALSE);
    EXPECT_FALSE(rcExclude.IsRectEmpty());
}

// A resizable gallery is never narrower than one entry and its borders; in the drop-down of another gallery,
// never narrower than that gallery. The lowest height is one entry, at least 32.
TEST_F(GalleryTest, AResizableGalleryKeepsItsMinimumWidth)
{
    Fill(7);
    m_pEntries->m_cxEntry = 30;
    m_pGallery->SetWidth(10);
    CClientDC dc(m_pBar);
    EXPECT_EQ(10, m_pGallery->GetSize(&dc).cx) << "not resizable";
    m_pGallery->m_bResizable = TRUE;
    m_pGallery->m_bShowBorders = TRUE;
    EXPECT_EQ(30 + 2, m_pGallery->GetSize(&dc).cx);
    EXPECT_EQ(32, m_pGallery->GetCustomizeMinHeight());
    m_pEntries->m_cyEntry = 40;
    EXPECT_EQ(42, m_pGallery->GetCustomizeMinHeight());

    CKitPopupBar* pDropDown = CKitPopupBar::CreatePopupBar(&m_manager);
    m_pGallery->SetCommandBar(pDropDown);
    m_pGallery->SetWidth(150);
    m_pBar->CalcLayout(280);
    auto* pInner = static_cast<CKitControlGallery*>(pDropDown->GetControls()->Add(kitControlGallery, kGalleryId));
    pInner->m_bResizable = TRUE;
    pInner->SetWidth(40);
    pDropDown->SetControlPopup(m_pGallery);
    EXPECT_EQ(m_pGallery->GetRect().Width(), pInner->GetCustomizeMinWidth());
    EXPECT_EQ(m_pGallery->GetRect().Width(), pInner->GetSize(&dc).cx);
    pDropDown->SetControlPopup(nullptr);
}

// The entries are the gallery's accessible children: list items named by their captions without markers (else by
// their tooltips), focused when selected and selected when checked, located and hit where they are drawn.
TEST_F(GalleryTest, EntriesAreAccessibleListItems)
{
    Fill(0);
    m_pEntries->AddEntry(1, "&Red");
    m_pEntries->AddEntry(2, "");
    m_pEntries->GetAt(1)->m_strTooltip = "Green tint";
    m_pEntries->AddEntry(3, "Blue");
    m_pGallery->OnRecalcLayout();
    SelectInBar();
    auto child = [](long nChild) { return CKitAccessible::MakeLong(nChild); };
    long nCount = 0;
    ASSERT_EQ(S_OK, m_pGallery->GetAccessibleChildCount(&nCount));
    EXPECT_EQ(3, nCount);
    const char* names[] = {"Red", "Green tint", "Blue"};
    for (int i = 0; i < 3; i++) {
        BSTR bstrName = nullptr;
        ASSERT_EQ(S_OK, m_pGallery->GetAccessibleName(child(i + 1), &bstrName));
        EXPECT_STREQ(names[i], CString(bstrName)) << i;
        ::SysFreeString(bstrName);
        VARIANT role;
        ASSERT_EQ(S_OK, m_pGallery->GetAccessibleRole(child(i + 1), &role));
        EXPECT_EQ(ROLE_SYSTEM_LISTITEM, role.lVal);
    }
    VARIANT role;
    ASSERT_EQ(S_OK, m_pGallery->GetAccessibleRole(child(CHILDID_SELF), &role));
    EXPECT_EQ(ROLE_SYSTEM_LIST, role.lVal);
    BSTR bstrName = nullptr;
    EXPECT_EQ(E_INVALIDARG, m_pGallery->GetAccessibleName(child(4), &bstrName));

    EXPECT_EQ(S_OK, m_pGallery->AccessibleSelect(SELFLAG_TAKEFOCUS, child(2)));
    EXPECT_EQ(1, m_pGallery->GetSelectedEntry());
    m_pGallery->SetCheckedEntryId(3);
    const long states[] = {STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE,
                           STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSED,
                           STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_SELECTED};
    for (int i = 0; i < 3; i++) {
        VARIANT state;
        ASSERT_EQ(S_OK, m_pGallery->GetAccessibleState(child(i + 1), &state));
        EXPECT_EQ(states[i], state.lVal) << i;
    }

    CRect rcEntry = m_pGallery->GetEntryRect(2);
    m_pBar->ClientToScreen(&rcEntry);
    long x = 0, y = 0, cx = 0, cy = 0;
    ASSERT_EQ(S_OK, m_pGallery->AccessibleLocation(&x, &y, &cx, &cy, child(3)));
    EXPECT_EQ(rcEntry, CRect(CPoint(x, y), CSize(cx, cy)));
    VARIANT hit;
    ASSERT_EQ(S_OK, m_pGallery->AccessibleHitTest(rcEntry.CenterPoint().x, rcEntry.CenterPoint().y, &hit));
    EXPECT_EQ(3, hit.lVal);
    EXPECT_EQ(S_OK, m_pGallery->AccessibleDoDefaultAction(child(1)));
    EXPECT_EQ(0, m_pGallery->GetSelectedEntry());
}

namespace {

// A combo box on the toolbar whose drop-down shows a gallery of the fixture's entries.
class GalleryComboTest : public GalleryTest {
protected:
    void SetUp() override
    {
        GalleryTest::SetUp();
        m_pCombo = static_cast<CKitControlComboBox*>(m_pBar->GetControls()->Add(kitControlComboBox, kComboId));
        m_pCombo->SetWidth(120);
        m_pDropDown = new CKitControlComboBoxGalleryPopupBar();
        m_pDropDown->SetCommandBars(&m_manager);
        m_pCombo->SetCommandBar(m_pDropDown);
        m_pInner = static_cast<CKitControlGallery*>(m_pDropDown->GetControls()->Add(kitControlGallery, kGalleryId));
        m_pInner->SetAction(m_pGallery->GetAction());
        m_pInner->SetWidth(120);
        m_pInner->SetHeight(60);
        m_pGallery->SetHideFlags(kitHideUser);
        Fill(0);
        for (const char* caption : {"Blue", "Black", "brown", "Bl", "Green"})
            m_pEntries->AddEntry(0, caption);
        m_pBar->CalcLayout(280);
    }

    CKitControlComboBox* m_pCombo = nullptr;
    CKitControlComboBoxGalleryPopupBar* m_pDropDown = nullptr;
    CKitControlGallery* m_pInner = nullptr;
};

} // namespace

// The list operations of the drop-down are the gallery's: prefix and exact search from the start index on,
// the entry texts, and the selection.
TEST_F(GalleryComboTest, TheListOperationsWorkOnTheGallery)
{
    ASSERT_EQ(m_pInner, m_pDropDown->GetGallery());
    struct Case {
        int nStart;
        const char* text;
        BOOL bExact;
        int nFound;
    };
    const Case cases[] = {{0, "bl", FALSE, 0}, {1, "bl", FALSE, 1}, {0, "bl", TRUE, 3}, {0, "BROWN", TRUE, 2},
                          {4, "blue", TRUE, 0}, {0, "Red", FALSE, -1}};
    for (const Case& c : cases) {
        const int nFound = c.bExact ? m_pDropDown->FindStringExact(c.nStart, c.text)
                                    : m_pDropDown->FindString(c.nStart, c.text);
        EXPECT_EQ(c.nFound, nFound) << c.nStart << " " << c.text;
    }
    EXPECT_STREQ("Green", m_pDropDown->GetItemText(4));
    EXPECT_STREQ("", m_pDropDown->GetItemText(5));
    m_pCombo->SetCurSel(2);
    EXPECT_EQ(2, m_pInner->GetSelectedEntry());
    EXPECT_EQ(2, m_pCombo->GetCurSel());
    EXPECT_STREQ("brown", m_pCombo->GetListText());
    EXPECT_EQ(std::vector<int>{kitComboNotifySelChange}, m_site.m_comboEvents);
}

// Opening selects the gallery in the drop-down and tells the site 7; a click on an entry makes the combo box
// take it and execute (9, then its command) and closes the drop-down (8); Tab is left to the bar.
TEST_F(GalleryComboTest, AClickOnTheGalleryIsTheComboBoxsChoice)
{
    ASSERT_TRUE(m_pBar->OpenPopupAt(m_pCombo->GetIndex()));
    ASSERT_TRUE(m_pCombo->GetDroppedState());
    EXPECT_EQ(m_pInner->GetIndex(), m_pDropDown->GetSelected());
    EXPECT_EQ(std::vector<int>{kitComboNotifyDropDown}, m_site.m_comboEvents);
    EXPECT_EQ(CKitHookManagerHookAble::kNotHandled, m_pDropDown->OnHookKeyDown(VK_TAB, 0));

    m_site.m_comboEvents.clear();
    m_pInner->OnMouseMove(m_pInner->GetEntryRect(4).CenterPoint());
    ASSERT_EQ(4, m_pInner->GetSelectedEntry());
    m_pInner->OnClick(FALSE, m_pInner->GetEntryRect(4).CenterPoint());
    m_pInner->OnLButtonUp(m_pInner->GetEntryRect(4).CenterPoint());
    PumpMessages();
    EXPECT_EQ(4, m_pCombo->GetCurSel());
    EXPECT_STREQ("Green", m_pCombo->GetListText());
    EXPECT_FALSE(m_pCombo->GetDroppedState());
    const std::vector<int> expected = {kitComboNotifySelChange, kitComboNotifySelEndOk, kitComboNotifyCloseUp,
                                       kitNotifyExecute, 0};
    EXPECT_EQ(expected, m_site.m_comboEvents);
    EXPECT_EQ(0, std::count(m_site.m_events.begin(), m_site.m_events.end(), 0)) << "the gallery ran no command";
}

// Enter on the gallery executes the combo box with the entry the keys chose.
TEST_F(GalleryComboTest, EnterOnTheGalleryExecutesTheComboBox)
{
    ASSERT_TRUE(m_pBar->OpenPopupAt(m_pCombo->GetIndex()));
    m_pInner->SelectEntry(1);
    m_site.m_comboEvents.clear();
    EXPECT_EQ(CKitHookManagerHookAble::kHandled, m_pDropDown->OnHookKeyDown(VK_RETURN, 0));
    PumpMessages();
    EXPECT_EQ(1, m_pCombo->GetCurSel());
    EXPECT_FALSE(m_pCombo->GetDroppedState());
    EXPECT_EQ(1, std::count(m_site.m_comboEvents.begin(), m_site.m_comboEvents.end(), 0));
}

// A combo box with its gallery drop-down open, an entry hot.
TEST_F(GalleryComboTest, Screenshot)
{
    m_pEntries->m_cxEntry = 40;
    m_pEntries->m_cyEntry = 22;
    m_pInner->m_bShowBorders = TRUE;
    m_pInner->SetHeight(3 * 22 + 2);
    m_pCombo->SetCaption("Colour:");
    m_pCombo->SetCurSel(1);
    m_pBar->CalcLayout(280);
    ASSERT_TRUE(m_pBar->OpenPopupAt(m_pCombo->GetIndex()));
    m_pInner->OnMouseMove(m_pInner->GetEntryRect(2).CenterPoint());
    PumpMessages();
    m_pBar->UpdateWindow();
    m_pDropDown->UpdateWindow();
    m_site.UpdateWindow();
    CRect rcShot;
    m_site.GetWindowRect(&rcShot);
    CRect rcDropDown;
    m_pDropDown->GetWindowRect(&rcDropDown);
    rcShot.UnionRect(rcShot, rcDropDown);
    const WindowImage shot = CaptureScreenRect(rcShot);
    EXPECT_EQ("", SaveScreenshot("commandbar-gallery-combo", shot.width, shot.height, shot.pixels));
    m_pBar->OpenPopupAt(-1);
}
