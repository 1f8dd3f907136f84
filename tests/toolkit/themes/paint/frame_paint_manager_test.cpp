// The bitmap frame painter: the window region, caption buttons by width and state, the caption icon, the
// caption text, its colours and font, the frame it draws on a test frame, and which painter a theme makes.
#include "toolkit/themes/paint/frame_paint_manager.h"

#include "framework/ids.h"
#include "resource_theme_support.h"
#include "skinned_frame.h"
#include "test_paint_manager.h"
#include "toolkit/themes/paint/frame_hook.h"
#include "toolkit/themes/paint/resource_theme.h"
#include "toolkit/themes/paint/ribbon_system_frame_theme.h"

#include "support/canvas.h"

#include "framework/frame.h"
#include "framework/wnd.h"

#include <gtest/gtest.h>

#include <memory>

using namespace ThemeModuleColors;

namespace {

constexpr COLORREF kPaper = RGB(1, 150, 1);
// Glyph colours of the module's caption pictures by state, and of the 13 and 23 close glyphs.
constexpr COLORREF kGlyphState[5] = {RGB(60, 60, 60), RGB(31, 31, 31), RGB(0, 0, 0), RGB(141, 141, 141),
                                     RGB(161, 161, 161)};
constexpr COLORREF kCloseSmall = RGB(90, 30, 30);
constexpr COLORREF kCloseLarge = RGB(30, 90, 30);
constexpr COLORREF kButtonHot = RGB(255, 231, 162);
constexpr COLORREF kButtonPressed = RGB(251, 140, 60);
constexpr COLORREF kCloseButtonHot = RGB(232, 90, 80);
constexpr COLORREF kBorderActive[4] = {RGB(59, 90, 130), RGB(170, 200, 240), RGB(185, 212, 250),
                                       RGB(191, 219, 255)};
constexpr COLORREF kBorderInactive[4] = {RGB(140, 150, 165), RGB(200, 208, 218), RGB(210, 216, 225),
                                         RGB(215, 221, 229)};
constexpr COLORREF kCaptionTextActive = RGB(21, 66, 139);
constexpr COLORREF kCaptionTextInactive = RGB(120, 130, 145);
constexpr COLORREF kCaptionTitle = RGB(62, 106, 170);

// A resource theme over the test module, with its bitmap frame painter.
class ResourceFrame {
public:
    explicit ResourceFrame(LPCSTR lpszIni = "Resource.Theme.Ini")
        : m_module(lpszIni), m_pTheme(CKitPaintManager::CreateTheme(CKitResourceTheme::kThemeNumber))
    {
        m_pTheme->RefreshMetrics();
    }
    ~ResourceFrame() { m_pTheme->InternalRelease(); }
    ResourceFrame(const ResourceFrame&) = delete;
    ResourceFrame& operator=(const ResourceFrame&) = delete;
    CKitPaintManager* Theme() const { return m_pTheme; }
    CKitFramePaintManager* operator->() const { return m_pTheme->GetFramePaintManager(); }
    CKitFramePaintManager* Get() const { return m_pTheme->GetFramePaintManager(); }

private:
    ThemeModule m_module;
    CKitPaintManager* m_pTheme;
};

// A hidden window of the styles, with a hook that uses the paint manager given.
class HookedWindow {
public:
    HookedWindow(CKitPaintManager* pPaintManager, DWORD dwStyle = WS_OVERLAPPEDWINDOW, DWORD dwExStyle = 0)
    {
        m_wnd.CreateEx(dwExStyle, CSkinnedFrame::ClassName(), "Hooked", dwStyle & ~WS_VISIBLE, 0, 0, 100, 80,
                       nullptr, nullptr);
        // A style set afterwards, so that a "maximised" window keeps its size.
        ::SetWindowLongPtrA(m_wnd.GetSafeHwnd(), GWL_STYLE, dwStyle & ~WS_VISIBLE);
        m_pHook = std::make_unique<CKitFrameHook>(&m_wnd, nullptr, nullptr);
        m_pHook->SetPaintManager(pPaintManager);
    }
    ~HookedWindow() { m_wnd.DestroyWindow(); }
    CKitFrameHook* operator->() const { return m_pHook.get(); }
    CKitFrameHook* Get() const { return m_pHook.get(); }
    CWnd& Wnd() { return m_wnd; }

private:
    CWnd m_wnd;
    std::unique_ptr<CKitFrameHook> m_pHook;
};

// Which of the points lie in the region.
void ExpectRegionPoints(HRGN hRegion, std::initializer_list<std::pair<POINT, bool>> points)
{
    for (const auto& [pt, bInside] : points) {
        SCOPED_TRACE(testing::Message() << "(" << pt.x << ", " << pt.y << ")");
        EXPECT_EQ(bInside, ::PtInRegion(hRegion, pt.x, pt.y) != FALSE);
    }
}

} // namespace

TEST(KitFramePaintManager, TheWindowRegionRoundsTheTopAndTheBottomOnlyWhenAsked)
{
    ResourceFrame frame;
    HookedWindow window(frame.Theme());
    window->SetBorderWidth(4);

    HRGN hSquare = frame->CreateWindowRegion(window.Get(), 100, 80);
    ASSERT_NE(nullptr, hSquare);
    ExpectRegionPoints(hSquare, {{{0, 0}, false}, {{3, 0}, false}, {{4, 0}, true}, {{95, 0}, true},
                                 {{96, 0}, false}, {{1, 1}, false}, {{2, 1}, true}, {{0, 2}, false},
                                 {{1, 2}, true}, {{0, 3}, false}, {{0, 4}, true}, {{0, 79}, true},
                                 {{99, 79}, true}, {{100, 40}, false}, {{50, 80}, false}});
    ::DeleteObject(hSquare);

    frame->m_bRoundedCornersAlways = TRUE;
    HRGN hRounded = frame->CreateWindowRegion(window.Get(), 100, 80);
    ASSERT_NE(nullptr, hRounded);
    ExpectRegionPoints(hRounded, {{{0, 0}, false}, {{0, 75}, true}, {{0, 76}, false}, {{1, 76}, true},
                                  {{1, 78}, false}, {{2, 78}, true}, {{0, 79}, false}, {{3, 79}, false},
                                  {{4, 79}, true}, {{95, 79}, true}, {{96, 79}, false}, {{99, 76}, false}});
    ::DeleteObject(hRounded);

    // A border narrower than the rounding keeps the square bottom.
    window->SetBorderWidth(3);
    HRGN hNarrow = frame->CreateWindowRegion(window.Get(), 100, 80);
    ExpectRegionPoints(hNarrow, {{{0, 79}, true}, {{0, 0}, false}});
    ::DeleteObject(hNarrow);
}

TEST(KitFramePaintManager, AMergedStatusBarRoundsTheBottomAndAMaximisedWindowGetsNoRegion)
{
    ResourceFrame frame;
    HookedWindow window(frame.Theme());
    window->SetBorderWidth(4);
    frame->m_bFrameStatusBar = TRUE;
    CWnd statusBar;
    ASSERT_TRUE(statusBar.CreateEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 40, 100, 22, window.Wnd().GetSafeHwnd(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(AFX_IDW_STATUS_BAR))));
    int nHeight = 0;
    ASSERT_TRUE(window->IsFrameStatusBarMerged(&nHeight));
    EXPECT_EQ(22, nHeight);
    HRGN hRegion = frame->CreateWindowRegion(window.Get(), 100, 80);
    ExpectRegionPoints(hRegion, {{{0, 79}, false}, {{4, 79}, true}});
    ::DeleteObject(hRegion);

    HookedWindow maximised(frame.Theme(), WS_OVERLAPPEDWINDOW | WS_MAXIMIZE);
    EXPECT_EQ(nullptr, frame->CreateWindowRegion(maximised.Get(), 100, 80));
}

TEST(KitFramePaintManager, TheCaptionButtonsGlyphFollowsTheButtonsWidth)
{
    ResourceFrame frame;
    struct Case {
        int nWidth;
        COLORREF clrGlyph;
        int nGlyph, nCell;
    };
    // The module's close crosses: "13" is 7 pixels wide in a 9 cell, "17" 7 in 11, "23" 11 in 15.
    const Case cases[] = {{14, kCloseSmall, 7, 9}, {15, kCloseGlyph, 7, 11}, {26, kCloseGlyph, 7, 11},
                          {27, kCloseLarge, 11, 15}, {40, kCloseLarge, 11, 15}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nWidth);
        Canvas canvas(60, 40, kPaper);
        const CRect rc(2, 2, 2 + c.nWidth, 32);
        frame->DrawCaptionButton(&canvas.dc, rc, SC_CLOSE, FALSE, FALSE, TRUE);
        EXPECT_EQ(2 * c.nGlyph - 1, canvas.Count(CRect(0, 0, 60, 40), c.clrGlyph));
        // Centred: the cross's middle is the cell's, the cell centred in the button.
        const CPoint ptCell((rc.left + rc.right - c.nCell) / 2, (rc.top + rc.bottom - c.nCell) / 2);
        EXPECT_EQ(c.clrGlyph, canvas.Pixel(ptCell.x + c.nCell / 2, ptCell.y + c.nCell / 2));
    }
}

TEST(KitFramePaintManager, TheCaptionButtonsStateAndFaceFollowItsStateAndTheFrames)
{
    ResourceFrame frame;
    struct Case {
        const char* name;
        int nId;
        BOOL bSelected, bPressed, bActive;
        int nState;
        COLORREF clrFace;
    };
    const Case cases[] = {
        {"idle", SC_MINIMIZE, FALSE, FALSE, TRUE, 0, kPaper},
        {"hot", SC_MINIMIZE, TRUE, FALSE, TRUE, 1, kButtonHot},
        {"pressed away from the mouse", SC_MINIMIZE, FALSE, TRUE, TRUE, 1, kButtonHot},
        {"pressed", SC_MINIMIZE, TRUE, TRUE, TRUE, 2, kButtonPressed},
        {"inactive frame", SC_MINIMIZE, FALSE, FALSE, FALSE, 3, kPaper},
        {"hot in an inactive frame", SC_MAXIMIZE, TRUE, FALSE, FALSE, 3, kButtonHot},
        {"close has its own face", SC_CLOSE, TRUE, FALSE, TRUE, -1, kCloseButtonHot},
        {"any other command is restore", 0x1234, TRUE, TRUE, TRUE, 2, kButtonPressed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas(40, 30, kPaper);
        frame->DrawCaptionButton(&canvas.dc, CRect(5, 2, 31, 26), c.nId, c.bSelected, c.bPressed, c.bActive);
        // The face's inside, clear of the glyph.
        EXPECT_EQ(c.clrFace, canvas.Pixel(9, 5));
        if (c.nState >= 0) {
            for (int nState = 0; nState < 5; nState++)
                EXPECT_EQ(nState == c.nState, canvas.Count(CRect(0, 0, 40, 30), kGlyphState[nState]) > 0)
                    << "state " << nState;
        }
    }
}

namespace {

// A window class whose windows answer WM_QUERYDRAGICON with the icon in their user data.
LRESULT CALLBACK DragIconWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_QUERYDRAGICON)
        return ::GetWindowLongPtrA(hWnd, GWLP_USERDATA);
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

LPCSTR IconClass(BOOL bClassIcons)
{
    static const bool registered = [] {
        WNDCLASSEXA wc = {sizeof(wc)};
        wc.lpfnWndProc = DragIconWindowProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "KitFrameIconPlain";
        const bool bPlain = ::RegisterClassExA(&wc) != 0;
        wc.hIcon = ::LoadIconA(nullptr, IDI_QUESTION);
        wc.hIconSm = ::LoadIconA(nullptr, IDI_INFORMATION);
        wc.lpszClassName = "KitFrameIconClass";
        return bPlain && ::RegisterClassExA(&wc) != 0;
    }();
    EXPECT_TRUE(registered);
    return bClassIcons ? "KitFrameIconClass" : "KitFrameIconPlain";
}

} // namespace

TEST(KitFramePaintManager, TheCaptionIconComesFromTheWindowItsClassOrTheSystem)
{
    const HICON hOwn = ::LoadIconA(nullptr, IDI_WARNING);
    const HICON hDrag = ::LoadIconA(nullptr, IDI_ERROR);
    const HICON hClassSmall = ::LoadIconA(nullptr, IDI_INFORMATION);
    const HICON hWinLogo = ::LoadIconA(nullptr, IDI_WINLOGO);
    struct Case {
        const char* name;
        DWORD dwStyle, dwExStyle;
        BOOL bClassIcons;
        HICON hSet, hDragAnswer, hExpected;
    };
    const DWORD dwFrame = WS_OVERLAPPEDWINDOW;
    const Case cases[] = {
        {"its own small icon", dwFrame, 0, TRUE, hOwn, nullptr, hOwn},
        {"the class's small icon", dwFrame, 0, TRUE, nullptr, nullptr, hClassSmall},
        {"a tool window has none", dwFrame, WS_EX_TOOLWINDOW, TRUE, hOwn, nullptr, nullptr},
        {"without a system menu none", WS_OVERLAPPED | WS_CAPTION, 0, TRUE, hOwn, nullptr, nullptr},
        {"the drag icon", dwFrame, 0, FALSE, nullptr, hDrag, hDrag},
        {"nothing anywhere: the system's logo", dwFrame, 0, FALSE, nullptr, nullptr, hWinLogo},
        {"a dialog frame without caption asks no further", WS_POPUP | WS_DLGFRAME | WS_SYSMENU, 0, FALSE, nullptr,
         hDrag, nullptr},
        {"a modal dialog frame asks no further", dwFrame, WS_EX_DLGMODALFRAME, FALSE, nullptr, hDrag, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND hWnd = ::CreateWindowExA(c.dwExStyle, IconClass(c.bClassIcons), "Icon", c.dwStyle, 0, 0, 200, 100,
                                      nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, hWnd);
        if (c.hSet != nullptr)
            ::SendMessageA(hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(c.hSet));
        ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(c.hDragAnswer));
        EXPECT_EQ(c.hExpected, CKitFramePaintManager::GetFrameSmallIcon(hWnd));
        ::DestroyWindow(hWnd);
    }
    EXPECT_EQ(nullptr, CKitFramePaintManager::GetFrameSmallIcon(nullptr));

    // The large icon: the window's, else the class's.
    HWND hWnd = ::CreateWindowExA(0, IconClass(TRUE), "Icon", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(::LoadIconA(nullptr, IDI_QUESTION), CKitFramePaintManager::GetFrameLargeIcon(hWnd));
    ::SendMessageA(hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hOwn));
    EXPECT_EQ(hOwn, CKitFramePaintManager::GetFrameLargeIcon(hWnd));
    ::DestroyWindow(hWnd);
    EXPECT_EQ(nullptr, CKitFramePaintManager::GetFrameLargeIcon(nullptr));
}

TEST(KitFramePaintManager, ColoursFlatFrameAndCaptionFontComeFromTheThemeAndTheSystem)
{
    {
        ResourceFrame frame;
        for (int k = 0; k < 4; k++) {
            EXPECT_EQ(kBorderActive[k], frame->GetBorderColor(k, TRUE)) << k;
            EXPECT_EQ(kBorderInactive[k], frame->GetBorderColor(k, FALSE)) << k;
        }
        EXPECT_EQ(kCaptionTextActive, frame->m_clrFrameCaptionTextActive);
        EXPECT_EQ(kCaptionTextInactive, frame->m_clrFrameCaptionTextInActive);
        EXPECT_EQ(kCaptionTitle, frame->m_clrFrameCaptionTextActiveTitle);
        EXPECT_EQ(0, frame->m_nFlatFrame);
        EXPECT_EQ(std::max(17, ::GetSystemMetrics(SM_CYCAPTION)), frame->GetCaptionHeight());
        EXPECT_FALSE(frame->m_bFrameStatusBar);
        EXPECT_FALSE(frame->m_bRoundedCornersAlways);
    }
    {
        // A description without the keys: none of the colours, and its flat frame.
        ResourceFrame frame("Known.Values.Ini");
        EXPECT_EQ(CKitPaintManagerColor::kNone, frame->GetBorderColor(0, TRUE));
        EXPECT_EQ(CKitPaintManagerColor::kNone, frame->m_clrFrameCaptionTextActive);
        EXPECT_EQ(1, frame->m_nFlatFrame);
    }

    // The caption font: the system's caption font at normal weight, a tiny one raised to 11 pixels.
    struct Case {
        LONG nHeight, nExpected;
    };
    for (const Case& c : {Case{-8, -11}, Case{-1, -11}, Case{-10, -11}, Case{-12, -12}, Case{-11, -11}}) {
        SCOPED_TRACE(c.nHeight);
        auto* pm = new CTestPaintManager();
        pm->m_nCaptionFontHeight = c.nHeight;
        CKitFramePaintManager frame(pm);
        frame.RefreshMetrics();
        LOGFONTA lf = {};
        frame.GetCaptionFont()->GetLogFont(&lf);
        EXPECT_EQ(c.nExpected, lf.lfHeight);
        EXPECT_EQ(FW_NORMAL, lf.lfWeight);
        pm->InternalRelease();
    }
}

namespace {

// A frame window whose title puts the document first.
class CTitledFrame : public CFrameWnd {
public:
    CTitledFrame(LPCSTR lpszText, LPCSTR lpszTitle)
    {
        Create(nullptr, lpszText, WS_OVERLAPPEDWINDOW | FWS_PREFIXTITLE, CRect(0, 0, 300, 100));
        SetTitle(lpszTitle);
    }
};

// The columns of the canvas holding the colour, as a range [first, last].
std::pair<int, int> ColumnsOf(const Canvas& canvas, COLORREF clr)
{
    int nFirst = -1, nLast = -1;
    for (int x = 0; x < canvas.Width(); x++)
        for (int y = 0; y < canvas.Height(); y++)
            if (canvas.Pixel(x, y) == clr) {
                if (nFirst < 0)
                    nFirst = x;
                nLast = x;
            }
    return {nFirst, nLast};
}

} // namespace

TEST(KitFramePaintManager, TheApplicationPartOfATitleTakesItsOwnColourInAnActiveFrame)
{
    ResourceFrame frame;
    // The caption font without smoothing, so that the text shows in its exact colours.
    LOGFONTA lf = {};
    frame->GetCaptionFont()->GetLogFont(&lf);
    lf.lfQuality = NONANTIALIASED_QUALITY;
    frame->m_fontFrameCaption.SetCustomFont(&lf);

    struct Case {
        const char* name;
        const char* text;
        const char* title;
        BOOL bActive;
        bool bDocument, bApplication;
    };
    const Case cases[] = {
        {"document then application", "Plant.prj - Corvel", "Corvel", TRUE, true, true},
        {"the title alone", "Corvel", "Corvel", TRUE, false, true},
        {"a title that does not end with the application", "Corvel - Plant.prj", "Corvel", TRUE, true, false},
        {"inactive: one colour", "Plant.prj - Corvel", "Corvel", FALSE, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* pFrame = new CTitledFrame(c.text, c.title);
        Canvas canvas(300, 30, kPaper);
        frame->DrawCaptionText(&canvas.dc, CRect(10, 0, 300, 30), pFrame, c.bActive);
        const auto text = ColumnsOf(canvas, c.bActive ? kCaptionTextActive : kCaptionTextInactive);
        const auto title = ColumnsOf(canvas, kCaptionTitle);
        EXPECT_EQ(c.bDocument || !c.bActive, text.first >= 0);
        EXPECT_EQ(c.bApplication, title.first >= 0);
        if (c.bDocument && c.bApplication) {
            EXPECT_LT(text.second, title.first);
        }
        if (!c.bDocument && c.bApplication) {
            // The empty document part moves the application two pixels in.
            EXPECT_GE(title.first, 12);
        }
        pFrame->DestroyWindow();
    }
}

TEST(KitFramePaintManager, ThePaintManagerMakesTheMarkupFrameAndTheResourceThemeTheBitmapOne)
{
    auto* pm = new CTestPaintManager();
    CKitFramePaintManager* pFrame = pm->GetFramePaintManager();
    ASSERT_NE(nullptr, pFrame);
    EXPECT_NE(nullptr, dynamic_cast<CKitRibbonSystemFrameTheme*>(pFrame));
    EXPECT_EQ(pFrame, pm->GetFramePaintManager());
    EXPECT_EQ(pm, pFrame->GetPaintManager());
    // Made refreshed, and refreshed with its paint manager.
    EXPECT_EQ(::GetSysColor(COLOR_ACTIVECAPTION), pFrame->GetBorderColor(0, TRUE));
    pFrame->m_nFrameCaptionHeight = 0;
    pm->RefreshMetrics();
    EXPECT_GE(pFrame->GetCaptionHeight(), CKitFramePaintManager::kMinCaptionHeight);
    pm->InternalRelease();

    ResourceFrame resource;
    EXPECT_EQ(nullptr, dynamic_cast<CKitRibbonSystemFrameTheme*>(resource.Get()));
    EXPECT_EQ(resource.Theme(), resource->GetPaintManager());
    EXPECT_EQ(kBorderActive[0], resource->GetBorderColor(0, TRUE));
}

TEST(KitFramePaintManager, AFrameIsDrawnWithItsBordersCaptionAndButtonsActiveOrNot)
{
    ResourceFrame frame;
    CSkinnedFrame wnd;
    ASSERT_TRUE(wnd.CreateFrame("Plant.prj - Corvel", CRect(0, 0, 320, 200)));
    wnd.GetHook()->SetPaintManager(frame.Theme());
    wnd.RecalcFrame();
    CKitFrameHook* pHook = wnd.GetHook();
    const int L = pHook->GetBorderWidth();
    const int T = pHook->GetCaptionHeight();
    ASSERT_GT(L, 3);

    for (BOOL bActive : {TRUE, FALSE}) {
        SCOPED_TRACE(bActive ? "active" : "inactive");
        pHook->SetActive(bActive);
        Canvas canvas(320, 200, kPaper);
        frame->DrawFrame(&canvas.dc, pHook);
        const COLORREF* border = bActive ? kBorderActive : kBorderInactive;
        const int y = T + 20;
        EXPECT_EQ(border[0], canvas.Pixel(0, y));
        EXPECT_EQ(border[1], canvas.Pixel(1, y));
        EXPECT_EQ(border[2], canvas.Pixel(2, y));
        EXPECT_EQ(border[3], canvas.Pixel(3, y));
        EXPECT_EQ(border[3], canvas.Pixel(L - 1, y));
        EXPECT_EQ(border[0], canvas.Pixel(319, y));
        EXPECT_EQ(border[1], canvas.Pixel(318, y));
        EXPECT_EQ(border[0], canvas.Pixel(160, 199));
        EXPECT_EQ(border[3], canvas.Pixel(160, 198));
        // The client area is left alone.
        EXPECT_EQ(kPaper, canvas.Pixel(160, 100));
        // The caption pictures' top edge in the state's row, and the title in the caption band.
        EXPECT_EQ(bActive ? RGB(59, 90, 130) : RGB(140, 150, 165), canvas.Pixel(160, 0));
        EXPECT_GT(canvas.Count(CRect(0, 0, 320, T), bActive ? kCaptionTextActive : kCaptionTextInactive), 0);
        // The caption buttons' glyphs: active state 0, inactive state 3.
        const int nGlyph = bActive ? 0 : 3;
        const CRect rcButtons(wnd.GetCaptionButton(2)->GetRect().left, 0, 320, T);
        EXPECT_GT(canvas.Count(rcButtons, kGlyphState[nGlyph]), 0);
        EXPECT_EQ(0, canvas.Count(rcButtons, kGlyphState[3 - nGlyph]));
    }
}

namespace {

constexpr COLORREF kCaptionEdge = RGB(59, 90, 130);
constexpr COLORREF kCaptionFace = RGB(190, 210, 238);
constexpr COLORREF kStatusBarLight = RGB(225, 235, 250);
constexpr COLORREF kStatusBarDark = RGB(120, 150, 195);

// A skinned frame of the style drawn by the resource theme's frame painter.
struct ResourceSkinnedFrame {
    explicit ResourceSkinnedFrame(ResourceFrame& frame, DWORD dwStyle = WS_OVERLAPPEDWINDOW)
    {
        EXPECT_TRUE(wnd.CreateFrame("Plant.prj - Corvel", CRect(0, 0, 320, 200), dwStyle));
        wnd.GetHook()->SetPaintManager(frame.Theme());
        wnd.RecalcFrame();
    }
    CSkinnedFrame wnd;
};

} // namespace

TEST(KitFramePaintManager, AFlatFrameDrawsItsInnerLinesInTheLastBorderColour)
{
    ResourceFrame frame;
    ResourceSkinnedFrame skinned(frame);
    CKitFrameHook* pHook = skinned.wnd.GetHook();
    const int L = pHook->GetBorderWidth();
    const int T = pHook->GetCaptionHeight();
    ASSERT_GT(L, 3);
    frame->m_nFlatFrame = 1;
    Canvas canvas(320, 200, kPaper);
    frame->DrawFrame(&canvas.dc, pHook);
    const int y = T + 20;
    EXPECT_EQ(kBorderActive[0], canvas.Pixel(0, y));
    EXPECT_EQ(kBorderActive[1], canvas.Pixel(1, y));
    EXPECT_EQ(kBorderActive[2], canvas.Pixel(2, y));
    EXPECT_EQ(kBorderActive[2], canvas.Pixel(L - 2, y));
    EXPECT_EQ(kBorderActive[3], canvas.Pixel(L - 1, y));
    EXPECT_EQ(kBorderActive[3], canvas.Pixel(320 - L, y));
    EXPECT_EQ(kBorderActive[2], canvas.Pixel(320 - L + 1, y));
    // The bottom: a line in the last colour under the client area, the second colour below it.
    EXPECT_EQ(kBorderActive[3], canvas.Pixel(160, 200 - L));
    EXPECT_EQ(kBorderActive[2], canvas.Pixel(160, 200 - L + 1));
    EXPECT_EQ(kBorderActive[0], canvas.Pixel(160, 199));
    // The caption ends in a line of the last colour.
    EXPECT_EQ(kBorderActive[3], canvas.Pixel(160, T - 1));
    EXPECT_EQ(kCaptionFace, canvas.Pixel(160, T - 2));
}

TEST(KitFramePaintManager, AMergedStatusBarGetsItsSidePicturesAndRoundedCornersNeedABorderOfFour)
{
    ResourceFrame frame;
    ResourceSkinnedFrame skinned(frame);
    CKitFrameHook* pHook = skinned.wnd.GetHook();
    const int L = pHook->GetBorderWidth();
    CRect rcClient;
    skinned.wnd.GetClientRect(&rcClient);
    CWnd statusBar;
    ASSERT_TRUE(statusBar.CreateEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, rcClient.bottom - 22, rcClient.right,
                                   22, skinned.wnd.GetSafeHwnd(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(AFX_IDW_STATUS_BAR))));
    const int B = L;
    const int S = 22;
    struct Case {
        const char* name;
        BOOL bMerge, bRounded;
        bool bSides, bCorners;
    };
    const Case cases[] = {
        {"square and unmerged", FALSE, FALSE, false, false},
        {"merged status bar", TRUE, FALSE, true, true},
        {"rounded bottom", FALSE, TRUE, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        frame->m_bFrameStatusBar = c.bMerge;
        frame->m_bRoundedCornersAlways = c.bRounded;
        Canvas canvas(320, 200, kPaper);
        frame->DrawFrame(&canvas.dc, pHook);
        const int yStatus = 200 - B - S / 2;
        EXPECT_EQ(c.bSides ? kStatusBarLight : kBorderActive[1], canvas.Pixel(1, yStatus));
        EXPECT_EQ(c.bSides ? kStatusBarDark : kBorderActive[1], canvas.Pixel(318, yStatus));
        // The outer column runs down to the bottom beside the status bar too.
        EXPECT_EQ(kBorderActive[0], canvas.Pixel(0, yStatus));
        // The corner pictures' edge follows the rounded region.
        EXPECT_EQ(c.bCorners ? kCaptionEdge : kBorderActive[3], canvas.Pixel(1, 197));
        EXPECT_EQ(c.bCorners ? kCaptionEdge : kBorderActive[3], canvas.Pixel(318, 197));
    }
    statusBar.DestroyWindow();

    // A frame whose border is three pixels or less gets no corner pictures.
    ResourceSkinnedFrame thin(frame, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_BORDER);
    const int nThin = thin.wnd.GetHook()->GetBorderWidth();
    ASSERT_LE(nThin, 3);
    frame->m_bRoundedCornersAlways = TRUE;
    Canvas canvas(320, 200, kPaper);
    frame->DrawFrame(&canvas.dc, thin.wnd.GetHook());
    EXPECT_NE(kCaptionEdge, canvas.Pixel(1, 197));
    EXPECT_NE(kCaptionEdge, canvas.Pixel(318, 197));
    EXPECT_NE(kCaptionEdge, canvas.Pixel(2, 198));
}

TEST(KitFramePaintManager, WhenTheRibbonOwnsTheCaptionOnlyTheFramesTopAndCornersAreDrawn)
{
    ResourceFrame frame;
    ResourceSkinnedFrame skinned(frame, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    TestRibbon ribbon(&skinned.wnd);
    CKitFrameHook hook(&skinned.wnd, ribbon.Get(), nullptr);
    hook.SetPaintManager(frame.Theme());
    ASSERT_FALSE(hook.IsCaptionOwnedByFrame());
    const int L = hook.GetBorderWidth();
    const int T = hook.GetCaptionHeight();

    Canvas canvas(320, 200, kPaper);
    frame->DrawFrame(&canvas.dc, &hook);
    // The top edge over the border's rows, the corners' columns down the caption; nothing in between.
    EXPECT_EQ(kCaptionEdge, canvas.Pixel(160, 0));
    EXPECT_EQ(kCaptionFace, canvas.Pixel(160, L - 1));
    EXPECT_EQ(kPaper, canvas.Pixel(160, L));
    EXPECT_EQ(kPaper, canvas.Pixel(160, T - 1));
    EXPECT_EQ(kCaptionEdge, canvas.Pixel(0, T - 1));
    EXPECT_EQ(kCaptionFace, canvas.Pixel(L - 1, T - 1));
    EXPECT_EQ(kPaper, canvas.Pixel(L, T - 1));
    EXPECT_EQ(kCaptionEdge, canvas.Pixel(319, T - 1));
    EXPECT_EQ(0, canvas.Count(CRect(0, 0, 320, T), kCaptionTextActive));
    EXPECT_EQ(0, canvas.Count(CRect(0, 0, 320, T), kGlyphState[0]));
}
