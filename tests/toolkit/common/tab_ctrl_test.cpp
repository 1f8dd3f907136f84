// The tab control: adding and deleting tabs, keyboard switching, label shortening, the owner's say on selection, and the themes' drawing.
#include "toolkit/common/tab_ctrl.h"

#include "control_host.h"
#include "toolkit/common/color_manager.h"
#include "toolkit/common/tab_themes.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

constexpr UINT kTabId = 1301;
constexpr COLORREF kPaper = RGB(1, 2, 3);

class KitTabCtrl : public ::testing::Test {
protected:
    KitTabCtrl() { Create(0); }
    ~KitTabCtrl() override
    {
        tabs.reset();
        PumpMessages();
    }

    void Create(DWORD style, CRect rc = CRect(10, 10, 390, 250))
    {
        tabs = std::make_unique<CKitTabCtrl>();
        ASSERT_TRUE(tabs->Create(WS_CHILD | WS_VISIBLE | style, rc, &host, kTabId));
        PumpMessages();
    }
    // A plain child window for a tab.
    CWnd* AddPage(LPCSTR caption, int index = -1, int image = -1)
    {
        auto page = std::make_unique<CWnd>();
        page->Create(nullptr, caption, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &host, 0);
        CWnd* pPage = page.get();
        pages.push_back(std::move(page));
        EXPECT_TRUE(tabs->AddWindow(caption, pPage, index, image));
        return pPage;
    }
    int CurSel() const { return static_cast<int>(tabs->SendMessage(TCM_GETCURSEL)); }
    CString ItemText(int index) const
    {
        char text[256] = {};
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        tabs->SendMessage(TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
        return text;
    }
    int ItemImage(int index) const
    {
        TCITEMA item = {};
        item.mask = TCIF_IMAGE;
        tabs->SendMessage(TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
        return item.iImage;
    }

    // Selecting a tab focuses its window: a hidden host keeps that from
    // taking the activation from the other programs on the display.
    ControlHost host{ControlHost::kHidden};
    std::unique_ptr<CKitTabCtrl> tabs;
    std::vector<std::unique_ptr<CWnd>> pages;
};

TEST_F(KitTabCtrl, AddingSelectsTheNewTabAppendsForMinusOneAndNumbersImagesByPosition)
{
    CWnd* first = AddPage("First");
    EXPECT_EQ(0, CurSel());
    CWnd* second = AddPage("Second");
    EXPECT_EQ(1, CurSel());
    EXPECT_TRUE(HasVisibleStyle(second));
    EXPECT_FALSE(HasVisibleStyle(first));
    EXPECT_FALSE(first->IsWindowEnabled());
    AddPage("Inserted", 0);
    EXPECT_EQ(0, CurSel());
    EXPECT_STREQ("Inserted", ItemText(0));
    EXPECT_STREQ("First", ItemText(1));
    EXPECT_STREQ("Second", ItemText(2));
    // The image index is the position the tab had when it was added.
    EXPECT_EQ(0, ItemImage(0));
    EXPECT_EQ(0, ItemImage(1));
    EXPECT_EQ(1, ItemImage(2));
    AddPage("Own image", -1, 7);
    EXPECT_EQ(7, ItemImage(3));
    EXPECT_EQ(tabs->GetTabWindow(2), second);
    EXPECT_EQ(tabs->GetTabWindow(9), nullptr);
    EXPECT_STREQ("First", tabs->GetTabCaption(1));
    EXPECT_EQ(nullptr, tabs->GetTabCaption(-1));
    EXPECT_FALSE(tabs->AddWindow("None", nullptr));

    // The hosted window fills the pane: the client less the strip and 4 pixels.
    CRect child;
    ASSERT_TRUE(tabs->GetChildRect(child));
    CRect placed;
    tabs->GetActiveTabWindow()->GetWindowRect(&placed);
    tabs->ScreenToClient(&placed);
    EXPECT_EQ(child, placed);
    EXPECT_EQ(4, child.left);
    EXPECT_EQ(380 - 4, child.right);
}

TEST_F(KitTabCtrl, DeletingSelectsTheLeftNeighbourOrTheNewFirstTab)
{
    for (LPCSTR caption : {"A", "B", "C", "D"})
        AddPage(caption);
    tabs->SetActiveTab(3);
    ASSERT_TRUE(tabs->DeleteTab(2));
    EXPECT_EQ(1, CurSel());
    EXPECT_STREQ("B", ItemText(CurSel()));
    tabs->SetActiveTab(2);
    ASSERT_TRUE(tabs->DeleteTab(1));
    EXPECT_EQ(0, CurSel());
    tabs->SetActiveTab(1);
    ASSERT_TRUE(tabs->DeleteTab(0));
    EXPECT_EQ(0, CurSel());
    EXPECT_STREQ("D", ItemText(0));
    EXPECT_FALSE(tabs->DeleteTab(5));
    ASSERT_TRUE(tabs->DeleteTab(0));
    EXPECT_EQ(-1, CurSel());
    EXPECT_EQ(0, tabs->GetTabCount());
    CRect child;
    EXPECT_FALSE(tabs->GetChildRect(child));
    EXPECT_TRUE(child.IsRectEmpty());
}

TEST_F(KitTabCtrl, CtrlShiftTabAndF6WrapAround)
{
    for (LPCSTR caption : {"A", "B", "C"})
        AddPage(caption);
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    const BYTE saved[2] = {keys[VK_CONTROL], keys[VK_SHIFT]};

    tabs->SetActiveTab(0);
    keys[VK_CONTROL] = keys[VK_SHIFT] = 0x80;
    ::SetKeyboardState(keys);
    MSG msg = {tabs->GetSafeHwnd(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_TRUE(tabs->PreTranslateMessage(&msg));
    EXPECT_EQ(2, CurSel());

    keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
    ::SetKeyboardState(keys);
    msg.wParam = VK_F6;
    EXPECT_TRUE(tabs->PreTranslateMessage(&msg));
    EXPECT_EQ(0, CurSel());
    // Tab alone passes on.
    msg.wParam = VK_TAB;
    EXPECT_FALSE(tabs->PreTranslateMessage(&msg));
    EXPECT_EQ(0, CurSel());

    keys[VK_CONTROL] = saved[0];
    keys[VK_SHIFT] = saved[1];
    ::SetKeyboardState(keys);
}

TEST_F(KitTabCtrl, ShorteningNeverGoesBelowThreeCharactersAndOffRestoresTheCaptions)
{
    Create(0, CRect(10, 10, 150, 200));
    const LPCSTR captions[] = {"Connection parameters", "Input assembly", "Output assembly of the device"};
    for (LPCSTR caption : captions)
        AddPage(caption);
    tabs->SetShortenLabels(TRUE);
    bool anyShortened = false;
    for (int i = 0; i < 3; ++i) {
        const CString label = ItemText(i);
        EXPECT_GE(label.GetLength(), 3) << i;
        EXPECT_EQ(label, tabs->GetDisplayedLabel(i));
        if (label.Right(3) == "...")
            anyShortened = true;
    }
    EXPECT_TRUE(anyShortened);

    // In a very narrow control the labels stop at "..." or at the minimum width.
    tabs->MoveWindow(10, 10, 40, 200);
    tabs->SetShortenLabels(TRUE);
    for (int i = 0; i < 3; ++i)
        EXPECT_GE(ItemText(i).GetLength(), 3) << i;

    tabs->SetShortenLabels(FALSE);
    for (int i = 0; i < 3; ++i)
        EXPECT_STREQ(captions[i], ItemText(i));
}

TEST_F(KitTabCtrl, AnOwnerAnsweringNonZeroToTheForwardedSelChangeKeepsTheHostedWindows)
{
    CWnd* first = AddPage("First");
    CWnd* second = AddPage("Second");
    tabs->SetActiveTab(0);
    const UINT forwarded = static_cast<UINT>(TCN_SELCHANGE);
    NMHDR notify = {tabs->GetSafeHwnd(), kTabId, static_cast<UINT>(TCN_SELCHANGE)};

    host.Answer(forwarded, 1);
    tabs->SendMessage(TCM_SETCURSEL, 1);
    host.SendMessage(WM_NOTIFY, kTabId, reinterpret_cast<LPARAM>(&notify));
    EXPECT_TRUE(HasVisibleStyle(first));
    EXPECT_FALSE(HasVisibleStyle(second));
    ASSERT_FALSE(host.records.empty());
    EXPECT_EQ(forwarded, host.records.back().message);
    EXPECT_EQ(static_cast<WPARAM>(kTabId), host.records.back().wParam);

    host.Answer(forwarded, 0);
    host.SendMessage(WM_NOTIFY, kTabId, reinterpret_cast<LPARAM>(&notify));
    EXPECT_FALSE(HasVisibleStyle(first));
    EXPECT_TRUE(HasVisibleStyle(second));
}

// Classic drawing: the strokes of an unselected top tab land on their pixels.
TEST_F(KitTabCtrl, TheClassicTopTabsStrokesLandOnTheirPixels)
{
    CKitTabBaseTheme* theme = tabs->GetTheme();
    ASSERT_FALSE(theme->IsThemed());
    Canvas canvas(80, 40, kPaper);
    const int L = 10;
    const int T = 10;
    const int R = 60;
    const int B = 30;
    theme->DrawTabItem(&canvas.dc, tabs.get(), CRect(L, T, R, B), FALSE);
    CKitColorManager* colors = CKitColorManager::Instance();
    const COLORREF hl = colors->GetColor(COLOR_BTNHIGHLIGHT);
    const COLORREF face = colors->GetColor(COLOR_BTNFACE);
    const COLORREF sh = colors->GetColor(COLOR_BTNSHADOW);
    const COLORREF dk = colors->GetColor(COLOR_3DDKSHADOW);
    struct Probe {
        int x;
        int y;
        COLORREF color;
    };
    const Probe probes[] = {
        {L, T + 2, hl},       {L, B - 1, hl},          {L + 1, T + 2, face}, {L + 1, T + 1, hl},
        {L + 2, T, hl},       {R - 3, T, hl},          {L + 2, T + 1, face}, {R - 1, T + 2, dk},
        {R - 1, B - 1, dk},   {R - 2, T + 2, sh},      {R - 2, T + 1, dk},   {L, T + 1, face},
        {R - 2, T, face},     {L - 1, T + 5, kPaper},  {R, T + 5, kPaper},   {L + 20, B, kPaper},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(p.color, canvas.Pixel(p.x, p.y)) << p.x << "," << p.y;
}

// The selected tab is drawn last: its grown outline lies over its neighbour's edge.
TEST_F(KitTabCtrl, TheSelectedTabIsDrawnLastOverItsNeighbours)
{
    for (LPCSTR caption : {"Alpha", "Beta", "Gamma"})
        AddPage(caption);
    tabs->SetActiveTab(1);
    CRect client;
    tabs->GetClientRect(&client);
    Canvas canvas(client.Width(), client.Height(), kPaper);
    tabs->GetTheme()->DrawTabCtrl(&canvas.dc, tabs.get());
    CRect selected;
    tabs->SendMessage(TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&selected));
    CRect left;
    tabs->SendMessage(TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&left));
    // The selected tab grows 2 pixels to the left, over the first tab's right edge.
    ASSERT_LE(selected.left - 2, left.right - 1);
    EXPECT_EQ(CKitColorManager::Instance()->GetColor(COLOR_BTNHIGHLIGHT),
              canvas.Pixel(selected.left - 2, selected.top + 5));
}

// The strip buttons stand over the native scroll arrows only in the Office themes of a
// single-line horizontal control without shortening.
TEST_F(KitTabCtrl, StripButtonsAppearOnlyWithTheOfficeThemesOnASingleHorizontalLine)
{
    struct Case {
        int theme;
        DWORD style;
        BOOL shorten;
        BOOL shown;
    };
    const Case cases[] = {
        {4, 0, FALSE, TRUE},          {5, 0, FALSE, TRUE},          {0, 0, FALSE, FALSE},
        {7, 0, FALSE, FALSE},         {4, TCS_MULTILINE, FALSE, FALSE}, {5, TCS_VERTICAL, FALSE, FALSE},
        {4, 0, TRUE, FALSE},
    };
    for (const Case& c : cases) {
        Create(c.style);
        for (LPCSTR caption : {"One", "Two", "Three"})
            AddPage(caption);
        tabs->SendMessage(CKitControlTheme::kMsgSetControlTheme, static_cast<WPARAM>(c.theme));
        tabs->SetShortenLabels(c.shorten);
        CRect client;
        tabs->GetClientRect(&client);
        Canvas canvas(client.Width(), client.Height(), kPaper);
        tabs->GetTheme()->DrawTabCtrl(&canvas.dc, tabs.get());
        EXPECT_EQ(c.shown, tabs->GetStripButtons()->IsShown()) << c.theme << " " << c.style << " " << c.shorten;
        if (c.shown) {
            ASSERT_NE(nullptr, tabs->GetStripButtons()->GetSafeHwnd());
            EXPECT_TRUE(HasVisibleStyle(tabs->GetStripButtons()));
        }
        tabs.reset();
        pages.clear();
    }
}

TEST_F(KitTabCtrl, TheThemeMessageCreatesTheTabThemeOfItsId)
{
    tabs->SendMessage(CKitControlTheme::kMsgSetControlTheme, CKitControlTheme::kThemeOffice2003);
    EXPECT_TRUE(tabs->GetTheme()->IsKindOf(RUNTIME_CLASS(CKitTabBaseThemeOffice2003)));
    tabs->SendMessage(CKitControlTheme::kMsgSetControlTheme, CKitControlTheme::kThemeOfficeXP);
    EXPECT_EQ(RUNTIME_CLASS(CKitTabBaseThemeOfficeXP), tabs->GetTheme()->GetRuntimeClass());
    tabs->SendMessage(CKitControlTheme::kMsgSetControlTheme, 2);
    EXPECT_EQ(RUNTIME_CLASS(CKitTabBaseTheme), tabs->GetTheme()->GetRuntimeClass());
}

} // namespace
