// The owner-drawn node button and the connection selector strip, in a window of the test: what they draw in
// each state (pixel probes), their labels, images and clicks.
#include "corvel/controls/custom_slider.h"
#include "corvel/controls/image_button.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "support/canvas.h"
#include "support/message_pump.h"
#include "support/window_pixels.h"

namespace {

constexpr UINT kButtonId = 4200;
constexpr UINT kTabId = 4201;
constexpr UINT kSliderId = 4202;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr DWORD kWhitePixel = 0xFFFFFF;

DWORD Pixel(COLORREF colour)
{
    return (static_cast<DWORD>(GetRValue(colour)) << 16) | (static_cast<DWORD>(GetGValue(colour)) << 8) |
           GetBValue(colour);
}

// A 16 x 16 red picture whose top-left 4 x 4 corner has the transparent colour.
HBITMAP RedPicture()
{
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 16, 16);
    HDC dc = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    RECT all = {0, 0, 16, 16};
    RECT corner = {0, 0, 4, 4};
    ::SetBkColor(dc, kRed);
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    ::SetBkColor(dc, kMagenta);
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &corner, nullptr, 0, nullptr);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return bitmap;
}

// A top-most window of the test holding the controls.
class Host : public CWnd {
public:
    Host()
    {
        CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW),
                                                    reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)),
                 "Node controls", WS_POPUP | WS_VISIBLE | WS_CAPTION, 100, 100, 400, 560, nullptr, nullptr);
    }
    ~Host() override
    {
        if (GetSafeHwnd() != nullptr)
            DestroyWindow();
    }
};

// A button that counts its clicks.
class CountingButton : public CImageButton {
public:
    int clicks = 0;
    void OnClicked() { ++clicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CountingButton, CImageButton)
    ON_CONTROL_REFLECT(BN_CLICKED, &CountingButton::OnClicked)
END_MESSAGE_MAP()

class ImageButton : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The mouse away from the button: it starts without hover.
        ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
        ASSERT_NE(nullptr, host.GetSafeHwnd());
        ASSERT_TRUE(button.Create("10.0.0.1", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(20, 20, 120, 110), &host,
                                  kButtonId));
        ASSERT_EQ(0u, button.SetBitmaps(RedPicture(), kMagenta, nullptr, 0));
        button.SetImageAlignment(CImageButton::kAlignTop);
        PumpMessages();
    }

    // The button drawn in the given item state into a bitmap of its size.
    std::vector<DWORD> Draw(UINT itemState)
    {
        Canvas canvas(kWidth, kHeight, RGB(0, 0, 0));
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_BUTTON;
        item.CtlID = kButtonId;
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = itemState;
        item.hwndItem = button.m_hWnd;
        item.hDC = canvas.dc.m_hDC;
        item.rcItem = {0, 0, kWidth, kHeight};
        button.DrawItem(&item);
        std::vector<DWORD> pixels;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                pixels.push_back(Pixel(canvas.Pixel(x, y)));
        return pixels;
    }
    static DWORD At(const std::vector<DWORD>& pixels, int x, int y) { return pixels[y * kWidth + x]; }

    static constexpr int kWidth = 100;
    static constexpr int kHeight = 90;
    // The picture, centred above the caption: 16 wide, 3 from the top.
    static constexpr int kImageLeft = (kWidth - 16) / 2;
    static constexpr int kImageTop = 3;
    Host host;
    CountingButton button;
};

TEST_F(ImageButton, IsOwnerDrawnAndRefusesUnknownSettings)
{
    EXPECT_EQ(static_cast<DWORD>(BS_OWNERDRAW), button.GetStyle() & 0x0F);
    EXPECT_EQ(CImageButton::kInvalidAlignment, button.SetImageAlignment(5));
    EXPECT_EQ(CImageButton::kAlignTop, button.GetImageAlignment());
    EXPECT_EQ(CImageButton::kInvalidPressedStyle, button.SetPressedOffsetStyle(2));
    EXPECT_EQ(CImageButton::kInvalidBitmap, button.SetBitmaps(reinterpret_cast<HBITMAP>(::GetStockObject(WHITE_PEN)),
                                                              kMagenta, nullptr, 0));
}

TEST_F(ImageButton, LongLabelsAreShortenedToEightCharactersAndStaySo)
{
    const struct {
        const char* label;
        const char* shown;
    } cases[] = {
        {"Transformer_1", "Transfor ..."},
        {"Transformer12", "Transfor ..."},
        {"Transformer1", "Transformer1"},
        {"Bay", "Bay"},
        {"", ""},
    };
    for (const auto& c : cases) {
        button.label = c.label;
        Draw(0);
        EXPECT_STREQ(c.shown, button.label) << c.label;
        Draw(0);
        EXPECT_STREQ(c.shown, button.label) << c.label;
    }
}

TEST_F(ImageButton, NormalHotPressedAndDisabledDrawDifferently)
{
    const DWORD red = Pixel(kRed);
    const DWORD shadow = Pixel(::GetSysColor(COLOR_BTNSHADOW));

    const std::vector<DWORD> normal = Draw(0);
    EXPECT_EQ(kWhitePixel, At(normal, kWidth - 1, kHeight - 1)) << "no frame while not hovered";
    EXPECT_EQ(red, At(normal, kImageLeft + 8, kImageTop + 8));
    EXPECT_EQ(kWhitePixel, At(normal, kImageLeft + 1, kImageTop + 1)) << "transparent pixels show the face";
    EXPECT_EQ(kWhitePixel, At(normal, kImageLeft + 8, kImageTop + 17));

    // Hot: the mouse over the button gives it a raised frame.
    CRect screen;
    button.GetWindowRect(&screen);
    ::SetCursorPos(screen.CenterPoint().x, screen.CenterPoint().y);
    button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(50, 45));
    ASSERT_TRUE(button.IsHovered());
    const std::vector<DWORD> hot = Draw(0);
    EXPECT_EQ(shadow, At(hot, kWidth - 1, kHeight - 1));
    EXPECT_EQ(shadow, At(hot, kWidth - 1, 10));
    button.SendMessage(WM_MOUSELEAVE);
    EXPECT_FALSE(button.IsHovered());

    // Pressed: a sunken frame and the picture one pixel down and right.
    const std::vector<DWORD> pressed = Draw(ODS_SELECTED);
    EXPECT_EQ(shadow, At(pressed, 0, 0));
    EXPECT_EQ(shadow, At(pressed, 10, 0));
    EXPECT_EQ(kWhitePixel, At(pressed, kImageLeft, kImageTop + 8));
    EXPECT_EQ(red, At(pressed, kImageLeft + 16, kImageTop + 16));
    EXPECT_EQ(kWhitePixel, At(normal, kImageLeft + 16, kImageTop + 16));
    EXPECT_EQ(kWhitePixel, At(pressed, kImageLeft + 4, kImageTop + 4)) << "the corner moved with the picture";

    // Disabled: the picture is drawn greyed, not red.
    const std::vector<DWORD> disabled = Draw(ODS_DISABLED);
    EXPECT_NE(red, At(disabled, kImageLeft + 8, kImageTop + 8));
    EXPECT_NE(normal, disabled);
    EXPECT_NE(normal, pressed);
    EXPECT_NE(normal, hot);
}

TEST_F(ImageButton, OutImagesMadeFromTheInImageShowWhileNotHovered)
{
    const struct {
        INT_PTR out;
        COLORREF shown;
    } cases[] = {
        {CImageButton::kGreyOutImage, RGB(76, 76, 76)},
        {CImageButton::kDarkerOutImage, RGB(191, 0, 0)},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(0u, button.SetBitmaps(RedPicture(), kMagenta, reinterpret_cast<HBITMAP>(c.out), 0));
        ASSERT_FALSE(button.IsHovered());
        const std::vector<DWORD> normal = Draw(0);
        EXPECT_EQ(Pixel(c.shown), At(normal, kImageLeft + 8, kImageTop + 8)) << c.out;
        EXPECT_EQ(kWhitePixel, At(normal, kImageLeft + 1, kImageTop + 1)) << c.out;
        // Pressed shows the in image.
        EXPECT_EQ(Pixel(kRed), At(Draw(ODS_SELECTED), kImageLeft + 9, kImageTop + 9)) << c.out;
    }
}

TEST_F(ImageButton, DoubleClickCountsAsASecondClick)
{
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 45));
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(50, 45));
    button.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(50, 45));
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(50, 45));
    PumpMessages();
    EXPECT_EQ(2, button.clicks);
}

// The strip in a host with the owner's tab control and the range button.
class ConnectionStrip : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 30), &host, kTabId));
        tabs.InsertItem(0, "Inputs");
        tabs.InsertItem(1, "Outputs");
        tabs.InsertItem(2, "Messages");
        ASSERT_TRUE(rangeButton.Create("Operate To View Connections 10 thru 19", WS_CHILD | WS_VISIBLE,
                                       CRect(200, 0, 390, 24), &host, CCustomSlider::kRangeButtonId));
        ASSERT_TRUE(strip.CreateEx(0, CCustomSlider::kClassName, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 10, 10,
                                   host.m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kSliderId))));
        strip.Setup(&tabs);
        strip.MoveWindow(10, 40, 40, 461);
        strip.usedSize = [this](int tab, int conn) {
            const auto found = sizes.find({tab, conn});
            return found != sizes.end() ? found->second : 0;
        };
        strip.refreshLists = [this] { ++refreshes; };
    }
    std::vector<DWORD> Paint()
    {
        strip.Invalidate();
        strip.UpdateWindow();
        return CopyPixels(strip.GetBufferDC(), 0, 0, 40, 461);
    }
    static DWORD At(const std::vector<DWORD>& pixels, int x, int y) { return pixels[y * 40 + x]; }
    void Click(int y)
    {
        strip.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, y));
        strip.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(20, y));
    }

    Host host;
    CTabCtrl tabs;
    CButton rangeButton;
    CCustomSlider strip;
    std::map<std::pair<int, int>, int> sizes;
    int refreshes = 0;
};

TEST_F(ConnectionStrip, GaugesShowHowFullEachConnectionIs)
{
    const DWORD green = 0xC3F9B0;
    const struct {
        int size;
        int bar;
    } cases[] = {{500, 46}, {499, 44}, {491, 44}, {250, 22}, {11, 1}, {10, 0}, {0, 0}};
    for (int i = 0; i < static_cast<int>(std::size(cases)); ++i)
        sizes[{CCustomSlider::kInputTab, i}] = cases[i].size;
    strip.SetSelectedConnection(9);
    const std::vector<DWORD> pixels = Paint();
    ASSERT_EQ(40u * 461u, pixels.size());
    for (int i = 0; i < static_cast<int>(std::size(cases)); ++i) {
        const int top = CCustomSlider::kCellHeight * i;
        if (cases[i].bar > 0)
            EXPECT_EQ(green, At(pixels, 30, top + cases[i].bar - 1)) << cases[i].size;
        if (cases[i].bar < CCustomSlider::kCellHeight)
            EXPECT_NE(green, At(pixels, 30, top + std::max(cases[i].bar, 1))) << cases[i].size;
    }

    // A number the gauge reaches into stays readable: darker than the light grey of the others.
    auto countIn = [&pixels](int cell, DWORD colour) {
        int count = 0;
        for (int y = CCustomSlider::kCellHeight * cell + 2; y < CCustomSlider::kCellHeight * (cell + 1) - 2; ++y) {
            for (int x = 7; x < 33; ++x)
                count += At(pixels, x, y) == colour ? 1 : 0;
        }
        return count;
    };
    const DWORD lightGrey = 0xC0C0C0;
    const DWORD darkGrey = 0x606060;
    for (int cell : {0, 1, 2, 3}) {
        EXPECT_GT(countIn(cell, darkGrey), 0) << "number over the gauge of cell " << cell;
        EXPECT_EQ(0, countIn(cell, lightGrey)) << cell;
    }
    for (int cell : {4, 5, 6}) {
        EXPECT_GT(countIn(cell, lightGrey), 0) << "number on white in cell " << cell;
        EXPECT_EQ(0, countIn(cell, darkGrey)) << cell;
    }

    // The output tab shows the output connections' gauges.
    tabs.SetCurSel(CCustomSlider::kOutputTab);
    EXPECT_NE(green, At(Paint(), 30, 10));
    sizes[{CCustomSlider::kOutputTab, 0}] = 500;
    EXPECT_EQ(green, At(Paint(), 30, 10));

    // The message tab: no gauges, no selection frame.
    tabs.SetCurSel(CCustomSlider::kMessageTab);
    const std::vector<DWORD> inactive = Paint();
    for (int y = 2; y < 455; y += 3)
        EXPECT_NE(green, At(inactive, 30, y)) << y;
}

TEST_F(ConnectionStrip, ClicksChooseTheCellUnderTheMouse)
{
    const struct {
        int y;
        const char* range;
        int selected;
    } cases[] = {
        {46, "Operate To View Connections 10 thru 19", 0},
        {47, "Operate To View Connections 10 thru 19", 1},
        {460, "Operate To View Connections 10 thru 19", 9},
        {46, "Operate To View Connections 0 thru 9", 10},
        {47, "Operate To View Connections 0 thru 9", 11},
    };
    int expectedRefreshes = 0;
    for (const auto& c : cases) {
        rangeButton.SetWindowText(c.range);
        Click(c.y);
        EXPECT_EQ(c.selected, strip.GetSelectedConnection()) << c.y << " " << c.range;
        EXPECT_EQ(++expectedRefreshes, refreshes);
    }

    tabs.SetCurSel(CCustomSlider::kMessageTab);
    Click(200);
    EXPECT_EQ(11, strip.GetSelectedConnection());
    EXPECT_EQ(expectedRefreshes, refreshes);
}

TEST_F(ConnectionStrip, StepsStayWithinTheShownRange)
{
    rangeButton.SetWindowText("Operate To View Connections 10 thru 19");
    strip.SetSelectedConnection(8);
    for (int step = 0; step < 3; ++step)
        strip.SetPositionFromButtonText(1);
    EXPECT_EQ(9, strip.GetSelectedConnection());
    rangeButton.SetWindowText("Operate To View Connections 0 thru 9");
    for (int step = 0; step < 15; ++step)
        strip.SetPositionFromButtonText(1);
    EXPECT_EQ(19, strip.GetSelectedConnection());
    strip.SetSelectedConnection(1);
    for (int step = 0; step < 3; ++step)
        strip.SetPositionFromButtonText(0);
    EXPECT_EQ(0, strip.GetSelectedConnection());
}

} // namespace
