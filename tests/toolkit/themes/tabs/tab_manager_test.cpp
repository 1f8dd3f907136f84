// The tab strip's model: selection and deletion, header offset, automatic colours,
// tooltips, keys and the click loop, driven through a strip with no drawing.
#include "toolkit/common/tooltip_context.h"
#include "toolkit/themes/tabs/tab_manager.h"
#include "toolkit/themes/tabs/tab_paint_manager.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

namespace {

// A strip that counts layouts and records clicks instead of drawing.
class TestStrip : public CKitTabManager {
public:
    explicit TestStrip(CKitTabPaintManager* pPaintManager) : m_pPaintManager(pPaintManager) {}

    void Reposition() override { ++m_nRepositions; }
    CKitTabPaintManager* GetPaintManager() const override { return m_pPaintManager; }
    void RedrawControl(const RECT*, BOOL) override {}
    BOOL DrawIcon(CDC*, CPoint, CKitTabManagerItem*, BOOL, CSize&) override { return FALSE; }
    void OnItemClick(CKitTabManagerItem* pItem) override
    {
        m_arrClicked.push_back(pItem);
        CKitTabManager::OnItemClick(pItem);
    }

    void OnSwapItems(CKitTabManagerItem* pItem, CKitTabManagerItem* pOther) override
    {
        m_arrSwaps.push_back({pItem->GetIndex(), pOther->GetIndex()});
    }
    void OnItemReordered(CKitTabManagerItem*, int nOldIndex, int nNewIndex) override
    {
        m_arrReordered.push_back({nOldIndex, nNewIndex});
    }
    void OnNavigateButtonClick(UINT nID) override { m_arrButtonClicks.push_back(nID); }
    using CKitTabManager::OnNavigateButtonClick;

    // Adds n items laid out side by side, each 50 wide in a 20-high header.
    void AddRow(int nCount)
    {
        for (int i = 0; i < nCount; ++i)
            AddItem(-1)->SetRect(CRect(i * 50, 0, i * 50 + 50, 20));
        SetRects(CRect(0, 0, nCount * 50, 20), CRect(0, 0, nCount * 50, 100), CRect(0, 20, nCount * 50, 100));
    }

    CKitTabPaintManager* m_pPaintManager;
    int m_nRepositions = 0;
    std::vector<CKitTabManagerItem*> m_arrClicked;
    std::vector<std::pair<int, int>> m_arrSwaps;
    std::vector<std::pair<int, int>> m_arrReordered;
    std::vector<UINT> m_arrButtonClicks;
};

// A shown top-level window for the loops that capture the mouse.
class StripWindow {
public:
    explicit StripWindow(DWORD dwExStyle = 0)
    {
        m_hWnd = ::CreateWindowExA(dwExStyle, "STATIC", "Tabs", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                   nullptr, ::GetModuleHandleA(nullptr), nullptr);
    }
    ~StripWindow() { ::DestroyWindow(m_hWnd); }
    HWND m_hWnd;
};

}  // namespace

TEST(KitTabManager, AnEmptyStripTakesNoKeyHitsNothingAndSelectsNothing)
{
    CKitTabPaintManager paintManager;
    TestStrip strip(&paintManager);
    EXPECT_FALSE(strip.PerformKeyDown(nullptr, VK_HOME));
    EXPECT_EQ(nullptr, strip.HitTest(CPoint(5, 5)));
    EXPECT_EQ(-1, strip.GetCurSel());
    strip.SetCurSel(3);
    EXPECT_EQ(nullptr, strip.GetSelectedItem());
    EXPECT_FALSE(strip.DeleteItem(0));
}

TEST(KitTabManager, DeletingTheSelectedItemSelectsTheOneNowAtItsIndex)
{
    struct Case {
        const char* name;
        int nSelected;
        int nDeleted;
        int nExpectedOldIndex;  // the item that ends selected, by its index before the delete; -1 none
    };
    const Case cases[] = {
        {"selected last", 3, 3, 2},
        {"selected middle", 1, 1, 2},
        {"selected first", 0, 0, 1},
        {"another item", 1, 3, 1},
        {"out of range", 1, 4, 1},
    };
    for (const Case& c : cases) {
        CKitTabPaintManager paintManager;
        TestStrip strip(&paintManager);
        strip.AddRow(4);
        std::vector<CKitTabManagerItem*> items;
        for (int i = 0; i < 4; ++i)
            items.push_back(strip.GetItem(i));
        strip.SetCurSel(c.nSelected);
        EXPECT_EQ(c.nDeleted < 4, strip.DeleteItem(c.nDeleted)) << c.name;
        EXPECT_EQ(items[c.nExpectedOldIndex], strip.GetSelectedItem()) << c.name;
        for (int i = 0; i < strip.GetItemCount(); ++i)
            EXPECT_EQ(i, strip.GetItem(i)->GetIndex()) << c.name;
    }

    CKitTabPaintManager paintManager;
    TestStrip strip(&paintManager);
    strip.AddRow(1);
    strip.SetCurSel(0);
    strip.DeleteItem(0);
    EXPECT_EQ(nullptr, strip.GetSelectedItem());
    EXPECT_EQ(-1, strip.GetCurSel());
}

TEST(KitTabManager, TheHeaderOffsetNeverTurnsPositiveAndOnlyAChangeLaysOut)
{
    CKitTabPaintManager paintManager;
    TestStrip strip(&paintManager);
    strip.SetHeaderOffset(15);
    EXPECT_EQ(0, strip.GetHeaderOffset());
    strip.ScrollHeader(FALSE);
    EXPECT_EQ(0, strip.GetHeaderOffset());
    EXPECT_EQ(0, strip.m_nRepositions);
    strip.ScrollHeader(TRUE);
    EXPECT_EQ(-20, strip.GetHeaderOffset());
    EXPECT_EQ(1, strip.m_nRepositions);
    strip.ScrollHeader(FALSE);
    EXPECT_EQ(0, strip.GetHeaderOffset());

    // Selecting an item cut off at either end scrolls it into the header, past the
    // property-page set's leading margin of 2.
    strip.AddRow(3);
    strip.SetRects(CRect(0, 0, 100, 20), CRect(0, 0, 100, 100), CRect(0, 20, 100, 100));
    strip.SetHeaderOffset(-100);
    strip.GetItem(0)->SetRect(CRect(-50, 0, 0, 20));
    strip.SetCurSel(0);
    EXPECT_EQ(-48, strip.GetHeaderOffset());
    strip.GetItem(2)->SetRect(CRect(100, 0, 150, 20));
    strip.SetCurSel(2);
    EXPECT_EQ(-100, strip.GetHeaderOffset());
    strip.SetHeaderOffset(-10);
    strip.GetItem(0)->SetRect(CRect(-50, 0, 0, 20));
    strip.SetCurSel(0);
    EXPECT_EQ(0, strip.GetHeaderOffset());
}

TEST(KitTabManager, AddedItemsTakeTheAutomaticColoursInTurnAcrossStripsOfOnePaintManager)
{
    CKitTabPaintManager paintManager;
    TestStrip first(&paintManager);
    TestStrip second(&paintManager);
    std::vector<COLORREF> colours;
    for (int i = 0; i < 9; ++i) {
        TestStrip& strip = (i % 2) ? second : first;
        colours.push_back(strip.AddItem(-1)->GetRawColor());
    }
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(0x1000000u + i, colours[i]) << i;
    EXPECT_EQ(0x1000000u, colours[8]);

    // An automatic index reads as its real colour; any other value as it is.
    CKitTabManagerItem* pItem = first.GetItem(0);
    pItem->SetColor(0x1000001);
    EXPECT_EQ(RGB(255, 219, 117), pItem->GetColor());
    pItem->SetColor(0x1000007);
    EXPECT_EQ(RGB(216, 171, 192), pItem->GetColor());
    pItem->SetColor(RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), pItem->GetColor());
    pItem->SetColor(0x1000008);
    EXPECT_EQ(0x1000008u, pItem->GetColor());

    // New items go where asked, or at the end for an index out of range.
    CKitTabManagerItem* pFront = first.AddItem(0);
    CKitTabManagerItem* pEnd = first.AddItem(99);
    EXPECT_EQ(0, pFront->GetIndex());
    EXPECT_EQ(first.GetItemCount() - 1, pEnd->GetIndex());
    EXPECT_EQ(&first, pEnd->GetTabManager());
}

TEST(KitTabManager, ItemTooltipsFollowTheModeTheLengthAndTheText)
{
    struct Case {
        const char* name;
        int nMode;
        int nLength;
        int nFullLength;
        const char* tooltip;
        INT_PTR nExpected;
    };
    const Case cases[] = {
        {"mode 2, full length", 2, 50, 50, "Tip", -1},
        {"mode 2, shortened", 2, 40, 50, "Tip", 1},
        {"mode 2, shortened, no text", 2, 40, 50, "", -1},
        {"mode 0", 0, 40, 50, "Tip", -1},
        {"mode 1, full length", 1, 50, 50, "Tip", 1},
    };
    for (const Case& c : cases) {
        CKitTabPaintManager paintManager;
        paintManager.m_nToolTipMode = c.nMode;
        TestStrip strip(&paintManager);
        strip.AddRow(2);
        CKitTabManagerItem* pItem = strip.GetItem(1);
        pItem->SetCaption("Caption");
        pItem->SetTooltip(c.tooltip);
        pItem->SetLengths(c.nLength, c.nFullLength);

        KIT_TOOLINFO_EXTRA extra = {};
        TOOLINFOA ti = {};
        ti.cbSize = TTTOOLINFOA_V2_SIZE;
        ti.lParam = reinterpret_cast<LPARAM>(&extra);
        EXPECT_EQ(c.nExpected, strip.OnToolHitTest(nullptr, CPoint(60, 10), &ti)) << c.name;
        if (c.nExpected >= 0) {
            EXPECT_STREQ(c.tooltip, ti.lpszText) << c.name;
            EXPECT_STREQ("Caption", extra.lpszTitle) << c.name;
            EXPECT_STREQ(c.tooltip, extra.lpszDescription) << c.name;
            EXPECT_EQ(CRect(50, 0, 100, 20), CRect(ti.rect)) << c.name;
        }
        std::free(ti.lpszText);
        std::free(extra.lpszTitle);
        std::free(extra.lpszDescription);
    }
}

TEST(KitTabManager, NavigateButtonsShowByModeAndADisabledOneHidesWhatIsUnderIt)
{
    CKitTabPaintManager paintManager;
    TestStrip strip(&paintManager);
    strip.SetItemCloseButtonMode(CKitTabManagerNavigateButton::kShowAlways);
    strip.AddRow(2);
    CKitTabManagerNavigateButtons& buttons = strip.GetNavigateButtons();
    ASSERT_EQ(3, buttons.GetSize());
    CKitTabManagerNavigateButton* pStripClose = buttons[2];
    CKitTabManagerNavigateButton* pItemClose = strip.GetItem(1)->GetNavigateButtons()[0];
    EXPECT_EQ("Close", pStripClose->GetTooltip());
    EXPECT_TRUE(strip.IsNavigateButtonVisible(buttons[0]));
    EXPECT_FALSE(strip.IsNavigateButtonVisible(pStripClose));
    pStripClose->SetShowMode(CKitTabManagerNavigateButton::kShowAutomatic);
    EXPECT_FALSE(strip.IsNavigateButtonVisible(pStripClose));
    strip.SetCurSel(1);
    EXPECT_TRUE(strip.IsNavigateButtonVisible(pStripClose));
    EXPECT_TRUE(strip.IsNavigateButtonVisible(pItemClose));
    strip.GetItem(1)->SetClosable(FALSE);
    EXPECT_FALSE(strip.IsNavigateButtonVisible(pStripClose));
    EXPECT_FALSE(strip.IsNavigateButtonVisible(pItemClose));

    // The item's own button is found over the item; disabled, it hides the item's too.
    pItemClose->SetRect(CRect(85, 3, 99, 18));
    int nIndex = -1;
    EXPECT_EQ(pItemClose, strip.HitTestNavigateButton(CPoint(90, 10), FALSE, &nIndex));
    EXPECT_EQ(0, nIndex);
    EXPECT_EQ(nullptr, strip.HitTestNavigateButton(CPoint(90, 10), TRUE));
    buttons[0]->SetRect(CRect(80, 0, 100, 20));
    buttons[0]->SetEnabled(FALSE);
    EXPECT_EQ(nullptr, strip.HitTestNavigateButton(CPoint(90, 10), FALSE));

    // A new item rectangle hides the item's buttons until they are placed again.
    strip.GetItem(1)->SetRect(CRect(50, 0, 100, 20));
    EXPECT_TRUE(pItemClose->GetRect().IsRectEmpty());
}

TEST(KitTabManager, KeysMoveOverUsableItemsAndSwapLeftAndRightInRightToLeftWindows)
{
    struct Case {
        const char* name;
        int nPosition;
        BOOL bRightToLeft;
        int nSelected;
        UINT nKey;
        BOOL bHandled;
        int nExpected;
    };
    // Item 2 of five is disabled.
    const Case cases[] = {
        {"right skips the disabled", CKitTabPaintManager::kTop, FALSE, 1, VK_RIGHT, TRUE, 3},
        {"left skips the disabled", CKitTabPaintManager::kTop, FALSE, 3, VK_LEFT, TRUE, 1},
        {"left at the start", CKitTabPaintManager::kTop, FALSE, 0, VK_LEFT, TRUE, 0},
        {"right to left: left is next", CKitTabPaintManager::kTop, TRUE, 0, VK_LEFT, TRUE, 1},
        {"right to left: right is previous", CKitTabPaintManager::kTop, TRUE, 1, VK_RIGHT, TRUE, 0},
        {"down on a top strip", CKitTabPaintManager::kTop, FALSE, 0, VK_DOWN, TRUE, 0},
        {"down on a left strip", CKitTabPaintManager::kLeft, FALSE, 0, VK_DOWN, TRUE, 1},
        {"up on a right strip", CKitTabPaintManager::kRight, FALSE, 4, VK_UP, TRUE, 3},
        {"right on a left strip", CKitTabPaintManager::kLeft, FALSE, 0, VK_RIGHT, TRUE, 0},
        {"end", CKitTabPaintManager::kTop, FALSE, 0, VK_END, TRUE, 4},
        {"home", CKitTabPaintManager::kBottom, FALSE, 4, VK_HOME, TRUE, 0},
        {"other key", CKitTabPaintManager::kTop, FALSE, 0, VK_TAB, FALSE, 0},
    };
    for (const Case& c : cases) {
        CKitTabPaintManager paintManager;
        paintManager.SetPosition(c.nPosition);
        TestStrip strip(&paintManager);
        strip.AddRow(5);
        strip.GetItem(2)->SetEnabled(FALSE);
        strip.SetCurSel(c.nSelected);
        StripWindow window(c.bRightToLeft ? WS_EX_LAYOUTRTL : 0);
        EXPECT_EQ(c.bHandled, strip.PerformKeyDown(window.m_hWnd, c.nKey)) << c.name;
        EXPECT_EQ(c.nExpected, strip.GetCurSel()) << c.name;
    }

    // No selection: an arrow is taken and changes nothing.
    CKitTabPaintManager paintManager;
    TestStrip strip(&paintManager);
    strip.AddRow(2);
    EXPECT_TRUE(strip.PerformKeyDown(nullptr, VK_RIGHT));
    EXPECT_EQ(-1, strip.GetCurSel());
}

TEST(KitTabManager, TheClickLoopSelectsOnlyOnAButtonUpAndAlwaysLetsTheMouseGo)
{
    struct Case {
        const char* name;
        POINT ptMove;  // (-1, -1): no move before the last message
        UINT message;
        WPARAM wParam;
        BOOL bClicked;
    };
    const Case cases[] = {
        {"escape", {-1, -1}, WM_KEYDOWN, VK_ESCAPE, FALSE},
        {"cancel mode", {-1, -1}, WM_CANCELMODE, 0, FALSE},
        {"right button", {-1, -1}, WM_RBUTTONDOWN, 0, FALSE},
        {"button up", {-1, -1}, WM_LBUTTONUP, 0, TRUE},
        {"moved off, then up", {10, 60}, WM_LBUTTONUP, 0, FALSE},
        {"moved within, then up", {70, 15}, WM_LBUTTONUP, 0, TRUE},
        {"other key, then escape", {-1, -1}, WM_KEYDOWN, VK_ESCAPE, FALSE},
    };
    for (const Case& c : cases) {
        CKitTabPaintManager paintManager;
        paintManager.m_bSelectOnButtonDown = FALSE;
        TestStrip strip(&paintManager);
        strip.SetAllowReorder(FALSE);
        strip.AddRow(2);
        StripWindow window;
        if (c.ptMove.x >= 0)
            ::PostMessageA(window.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(c.ptMove.x, c.ptMove.y));
        if (c.message == WM_KEYDOWN)
            ::PostMessageA(window.m_hWnd, WM_KEYDOWN, VK_RIGHT, 0);
        ::PostMessageA(window.m_hWnd, c.message, c.wParam, MAKELPARAM(60, 10));
        EXPECT_TRUE(strip.PerformClick(window.m_hWnd, CPoint(60, 10))) << c.name;
        EXPECT_EQ(c.bClicked ? 1u : 0u, strip.m_arrClicked.size()) << c.name;
        EXPECT_EQ(c.bClicked ? 1 : -1, strip.GetCurSel()) << c.name;
        EXPECT_EQ(nullptr, strip.GetPressedItem()) << c.name;
        EXPECT_EQ(nullptr, ::GetCapture()) << c.name;
    }

    // Selecting on button down needs no loop.
    CKitTabPaintManager paintManager;
    TestStrip strip(&paintManager);
    strip.SetAllowReorder(FALSE);
    strip.AddRow(2);
    EXPECT_TRUE(strip.PerformClick(nullptr, CPoint(10, 10)));
    EXPECT_EQ(0, strip.GetCurSel());
    EXPECT_FALSE(strip.PerformClick(nullptr, CPoint(10, 60)));
}

TEST(KitTabManager, DraggingAnItemWalksItToTheDropPlaceOneSwapAtATime)
{
    struct Case {
        const char* name;
        POINT ptDrop;
        std::vector<int> order;  // original indices in their new order
        std::vector<std::pair<int, int>> swaps;
        std::vector<std::pair<int, int>> reordered;
    };
    const Case cases[] = {
        {"onto the third", {130, 10}, {1, 2, 0, 3}, {{1, 0}, {2, 1}}, {{0, 2}}},
        {"onto itself", {20, 10}, {0, 1, 2, 3}, {}, {}},
        {"outside the strip", {130, 60}, {0, 1, 2, 3}, {}, {}},
    };
    for (const Case& c : cases) {
        CKitTabPaintManager paintManager;
        TestStrip strip(&paintManager);
        strip.AddRow(4);
        std::vector<CKitTabManagerItem*> items;
        for (int i = 0; i < 4; ++i)
            items.push_back(strip.GetItem(i));
        strip.SetCurSel(3);
        StripWindow window;
        ::PostMessageA(window.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(c.ptDrop.x, c.ptDrop.y));
        ::PostMessageA(window.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(c.ptDrop.x, c.ptDrop.y));
        EXPECT_TRUE(strip.PerformClick(window.m_hWnd, CPoint(20, 10))) << c.name;
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(items[c.order[i]], strip.GetItem(i)) << c.name << " " << i;
        EXPECT_EQ(c.swaps, strip.m_arrSwaps) << c.name;
        EXPECT_EQ(c.reordered, strip.m_arrReordered) << c.name;
        // The dragged item ends selected through the normal path.
        ASSERT_EQ(1u, strip.m_arrClicked.size()) << c.name;
        EXPECT_EQ(items[0], strip.m_arrClicked[0]) << c.name;
        EXPECT_EQ(items[0], strip.GetSelectedItem()) << c.name;
        EXPECT_EQ(nullptr, ::GetCapture()) << c.name;
    }
}

TEST(KitTabManager, ScrollArrowsShowOnlyWhenTheItemsOverflowAndTakeTheirRoomFromTheEnd)
{
    struct Case {
        const char* name;
        int nPosition;
        int nLayout;
        int nItems;
        int nOffset;
        CRect rcBack;
        BOOL bBackEnabled;
        CRect rcForward;
        BOOL bForwardEnabled;
        CRect rcHeaderLeft;
    };
    // A 100 x 20 header (20 x 100 for a side strip); items are 50 long; buttons 14 x 15.
    const Case cases[] = {
        {"overflow at the start", CKitTabPaintManager::kTop, CKitTabPaintManager::kLayoutPlain, 3, 0,
         CRect(72, 2, 86, 17), FALSE, CRect(86, 2, 100, 17), TRUE, CRect(0, 0, 72, 20)},
        {"scrolled to the end", CKitTabPaintManager::kTop, CKitTabPaintManager::kLayoutPlain, 3, -80,
         CRect(72, 2, 86, 17), TRUE, CRect(86, 2, 100, 17), FALSE, CRect(0, 0, 72, 20)},
        {"everything fits", CKitTabPaintManager::kTop, CKitTabPaintManager::kLayoutPlain, 2, 0, CRect(), FALSE,
         CRect(), TRUE, CRect(0, 0, 100, 20)},
        {"compressed", CKitTabPaintManager::kTop, CKitTabPaintManager::kLayoutCompressed, 3, 0, CRect(), FALSE,
         CRect(), TRUE, CRect(0, 0, 100, 20)},
        {"multi-row", CKitTabPaintManager::kTop, CKitTabPaintManager::kLayoutMultiRow, 3, 0, CRect(), FALSE,
         CRect(), TRUE, CRect(0, 0, 100, 20)},
        {"left strip", CKitTabPaintManager::kLeft, CKitTabPaintManager::kLayoutPlain, 3, 0, CRect(3, 70, 17, 85),
         FALSE, CRect(3, 85, 17, 100), TRUE, CRect(0, 0, 20, 70)},
    };
    for (const Case& c : cases) {
        CKitTabPaintManager paintManager;
        // A set without header margins, so the items alone decide the overflow.
        paintManager.SetAppearanceSet(new CKitTabPaintManagerAppearanceSet);
        paintManager.SetPosition(c.nPosition);
        paintManager.SetLayout(c.nLayout);
        TestStrip strip(&paintManager);
        for (int i = 0; i < c.nItems; ++i)
            strip.AddItem(-1)->SetLengths(50, 50);
        strip.SetHeaderOffset(c.nOffset);
        CKitTabManagerNavigateButtons& buttons = strip.GetNavigateButtons();
        const BOOL bHorizontal = strip.IsHorizontalPosition();
        CRect rcHeader = bHorizontal ? CRect(0, 0, 100, 20) : CRect(0, 0, 20, 100);
        for (int i = buttons.GetSize() - 1; i >= 0; --i)
            buttons[i]->Reposition(rcHeader);
        EXPECT_TRUE(buttons[2]->GetRect().IsRectEmpty()) << c.name;
        EXPECT_EQ(c.rcForward, buttons[1]->GetRect()) << c.name;
        EXPECT_EQ(c.bForwardEnabled, buttons[1]->IsEnabled()) << c.name;
        EXPECT_EQ(c.rcBack, buttons[0]->GetRect()) << c.name;
        EXPECT_EQ(c.bBackEnabled, buttons[0]->IsEnabled()) << c.name;
        EXPECT_EQ(c.rcHeaderLeft, rcHeader) << c.name;
        EXPECT_EQ(bHorizontal ? "Scroll Left" : "Scroll Up", buttons[0]->GetTooltip()) << c.name;
        EXPECT_EQ(bHorizontal ? "Scroll Right" : "Scroll Down", buttons[1]->GetTooltip()) << c.name;
    }
}

TEST(KitTabManager, ANavigateButtonActsWhenReleasedOverItAndNotWhenDisabled)
{
    struct Case {
        const char* name;
        BOOL bEnabled;
        POINT ptMove;  // (-1, -1): none
        UINT message;
        std::vector<UINT> clicks;
    };
    const Case cases[] = {
        {"released over it", TRUE, {-1, -1}, WM_LBUTTONUP, {CKitTabManagerNavigateButton::kClose}},
        {"released elsewhere", TRUE, {10, 10}, WM_LBUTTONUP, {}},
        {"escape", TRUE, {-1, -1}, WM_KEYDOWN, {}},
        {"disabled", FALSE, {-1, -1}, WM_LBUTTONUP, {}},
    };
    for (const Case& c : cases) {
        CKitTabPaintManager paintManager;
        TestStrip strip(&paintManager);
        strip.AddRow(2);
        strip.SetCurSel(0);
        CKitTabManagerNavigateButton* pClose = strip.GetNavigateButtons()[2];
        pClose->SetRect(CRect(80, 3, 94, 18));
        pClose->SetEnabled(c.bEnabled);
        StripWindow window;
        if (c.ptMove.x >= 0)
            ::PostMessageA(window.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(c.ptMove.x, c.ptMove.y));
        ::PostMessageA(window.m_hWnd, c.message, c.message == WM_KEYDOWN ? VK_ESCAPE : 0, MAKELPARAM(85, 10));
        pClose->PerformClick(window.m_hWnd, CPoint(85, 10));
        EXPECT_EQ(c.clicks, strip.m_arrButtonClicks) << c.name;
        EXPECT_FALSE(pClose->IsPressed()) << c.name;
        EXPECT_EQ(nullptr, ::GetCapture()) << c.name;
        // What the loop left unread goes before the window does.
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE)) {
        }
    }
}
