// The classic themes: the theme switch, control states, caption colours, grippers, separators and metrics.
#include "toolkit/themes/paint/default_theme.h"

#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/menu_bar.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/shadow_manager.h"

#include "support/canvas.h"

#include <gtest/gtest.h>

namespace {

// Colours no system scheme uses, injected over the table so that each frame edge is told apart.
constexpr COLORREF kFace = RGB(201, 202, 203);
constexpr COLORREF kLight = RGB(251, 252, 253);
constexpr COLORREF kShadow = RGB(101, 102, 103);
constexpr COLORREF kDark = RGB(11, 12, 13);
constexpr COLORREF kHighlight = RGB(21, 22, 203);
constexpr COLORREF kGround = RGB(1, 150, 1);

class CTestDefaultTheme : public CKitDefaultTheme {
public:
    CTestDefaultTheme()
    {
        RefreshMetrics();
        const int indices[] = {COLOR_3DFACE, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, COLOR_3DDKSHADOW, COLOR_HIGHLIGHT};
        const COLORREF colors[] = {kFace, kLight, kShadow, kDark, kHighlight};
        for (int i = 0; i < 5; i++)
            GetColorEntry(indices[i]).SetCustomValue(colors[i]);
    }
    void SetTextHeight(int nHeight) { m_nTextHeight = nHeight; }
};

// Creates a window for a hand-built bar so that it has a client rectangle.
void CreateBarWindow(CKitCommandBar& bar, int cx, int cy)
{
    ASSERT_TRUE(bar.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, cx, cy, nullptr, 0));
}

// Frame edges of a 3-D rectangle: its top-left pixel and its bottom-right pixel.
struct Edges {
    COLORREF clrTopLeft;
    COLORREF clrBottomRight;
};
Edges ProbeEdges(const Canvas& dc, const CRect& rc)
{
    return {dc.Pixel(rc.left, rc.top), dc.Pixel(rc.right - 1, rc.bottom - 1)};
}

} // namespace

TEST(KitDefaultTheme, TheFactoryMakesTheClassicThemesAndRecordsTheNumber)
{
    struct Case {
        int nTheme;
        bool bVisualStudio6;
    };
    for (const Case& c : {Case{0, false}, Case{42, false}, Case{8, true}}) {
        CKitPaintManager::SetTheme(c.nTheme);
        CKitPaintManager* pCurrent = CKitPaintManager::GetCurrent();
        ASSERT_NE(nullptr, pCurrent);
        EXPECT_TRUE(pCurrent->IsKindOf(RUNTIME_CLASS(CKitDefaultTheme))) << c.nTheme;
        EXPECT_EQ(c.bVisualStudio6, pCurrent->IsKindOf(RUNTIME_CLASS(CKitVisualStudio6Theme)) != FALSE) << c.nTheme;
        EXPECT_EQ(c.nTheme, pCurrent->GetThemeNumber());
        EXPECT_EQ(0, pCurrent->GetCurrentTheme());
        EXPECT_EQ(0, pCurrent->GetShadowManager()->GetFlags());
        // The theme is refreshed when installed.
        EXPECT_NE(nullptr, pCurrent->GetRegularFont()->GetSafeHandle());
    }
    CKitPaintManager::Done();
    CKitPaintManager* pInstalled = CKitPaintManager::Instance();
    ASSERT_NE(nullptr, pInstalled);
    EXPECT_EQ(0, pInstalled->GetThemeNumber());
    EXPECT_STREQ("CKitDefaultTheme", pInstalled->GetRuntimeClass()->m_lpszClassName);
    CKitPaintManager::Done();
}

// Docked grippers: one raised bar in the default theme, two in the Visual Studio 6 theme.
TEST(KitDefaultTheme, DockedGrippersAreSingleOrDouble)
{
    CKitPaintManager* pDefault = CKitPaintManager::CreateTheme(0);
    CKitPaintManager* pVs6 = CKitPaintManager::CreateTheme(8);
    pDefault->RefreshMetrics();
    pVs6->RefreshMetrics();
    CKitToolBar toolbar;
    CreateBarWindow(toolbar, 60, 24);
    Canvas dc(60, 24, kGround);

    struct Case {
        int nPosition;
        CSize szDefault;
        CSize szVs6;
    };
    const Case cases[] = {{kitBarTop, CSize(6, 0), CSize(10, 0)}, {kitBarBottom, CSize(6, 0), CSize(10, 0)},
                          {kitBarLeft, CSize(0, 8), CSize(0, 10)}, {kitBarRight, CSize(0, 8), CSize(0, 10)},
                          {kitBarPopup, CSize(0, 0), CSize(0, 0)}};
    for (const Case& c : cases) {
        toolbar.SetPosition(c.nPosition);
        EXPECT_EQ(c.szDefault, pDefault->DrawFloatingBarCaption(&dc.dc, &toolbar, FALSE)) << c.nPosition;
        EXPECT_EQ(c.szVs6, pVs6->DrawFloatingBarCaption(&dc.dc, &toolbar, FALSE)) << c.nPosition;
    }

    toolbar.SetPosition(kitBarTop);
    const COLORREF clrLight = pDefault->GetColor(COLOR_BTNHIGHLIGHT);
    const COLORREF clrShadow = pDefault->GetColor(COLOR_BTNSHADOW);
    pDefault->DrawFloatingBarCaption(&dc.dc, &toolbar, TRUE);
    EXPECT_EQ(clrLight, dc.Pixel(3, 3));
    EXPECT_EQ(clrShadow, dc.Pixel(5, 20));
    EXPECT_EQ(kGround, dc.Pixel(4, 10));
    EXPECT_EQ(kGround, dc.Pixel(7, 3));
    EXPECT_EQ(kGround, dc.Pixel(3, 21));
    dc.dc.FillSolidRect(0, 0, dc.Width(), dc.Height(), kGround);
    pVs6->DrawFloatingBarCaption(&dc.dc, &toolbar, TRUE);
    EXPECT_EQ(clrLight, dc.Pixel(3, 3));
    EXPECT_EQ(clrLight, dc.Pixel(7, 3));
    EXPECT_EQ(clrShadow, dc.Pixel(9, 20));
    EXPECT_EQ(kGround, dc.Pixel(10, 3));

    toolbar.DestroyWindow();
    pDefault->InternalRelease();
    pVs6->InternalRelease();
}

TEST(KitDefaultTheme, ControlStatesAreRaisedSunkenOrDithered)
{
    CTestDefaultTheme theme;
    theme.InternalAddRef();
    enum Look { kNothing, kRaised, kSunken, kDithered, kHighlighted };
    struct Case {
        const char* pszName;
        BOOL bSelected, bPressed, bEnabled, bChecked, bPopuped;
        int nBarType, nPosition;
        Look look;
    };
    const Case cases[] = {
        {"idle toolbar button", 0, 0, 1, 0, 0, kitBarTypeNormal, kitBarTop, kNothing},
        {"hot toolbar button", 1, 0, 1, 0, 0, kitBarTypeNormal, kitBarTop, kRaised},
        {"pushed toolbar button", 1, 1, 1, 0, 0, kitBarTypeNormal, kitBarTop, kSunken},
        {"keyboard-pressed button", 0, 2, 1, 0, 0, kitBarTypeNormal, kitBarTop, kSunken},
        {"open popup button", 1, 0, 1, 0, 1, kitBarTypeNormal, kitBarTop, kSunken},
        {"checked idle toolbar button", 0, 0, 1, 1, 0, kitBarTypeNormal, kitBarTop, kDithered},
        {"checked hot toolbar button", 1, 0, 1, 1, 0, kitBarTypeNormal, kitBarTop, kSunken},
        {"disabled button", 1, 0, 0, 0, 0, kitBarTypeNormal, kitBarTop, kNothing},
        {"disabled keyboard-selected button", 2, 0, 0, 0, 0, kitBarTypeNormal, kitBarTop, kSunken},
        {"disabled checked button", 0, 0, 0, 1, 0, kitBarTypeNormal, kitBarTop, kSunken},
        {"idle popup item", 0, 0, 1, 0, 0, kitBarTypePopup, kitBarPopup, kNothing},
        {"selected popup item", 1, 0, 1, 0, 0, kitBarTypePopup, kitBarPopup, kHighlighted},
        {"checked popup item", 0, 0, 1, 1, 0, kitBarTypePopup, kitBarPopup, kDithered},
    };
    const CRect rc(2, 2, 18, 18);
    for (const Case& c : cases) {
        Canvas dc(20, 20, kGround);
        theme.DrawRectangle(&dc.dc, rc, c.bSelected, c.bPressed, c.bEnabled, c.bChecked, c.bPopuped, c.nBarType,
                            c.nPosition);
        const Edges edges = ProbeEdges(dc, rc);
        const COLORREF clrInside = dc.Pixel(8, 8);
        const COLORREF clrNext = dc.Pixel(9, 8);
        switch (c.look) {
        case kNothing:
            EXPECT_FALSE((dc.Count(CRect(0, 0, dc.Width(), dc.Height()), kGround) != dc.Width() * dc.Height())) << c.pszName;
            break;
        case kRaised:
            EXPECT_EQ(kLight, edges.clrTopLeft) << c.pszName;
            EXPECT_EQ(kShadow, edges.clrBottomRight) << c.pszName;
            EXPECT_EQ(kGround, clrInside) << c.pszName;
            break;
        case kSunken:
            EXPECT_EQ(kShadow, edges.clrTopLeft) << c.pszName;
            EXPECT_EQ(kLight, edges.clrBottomRight) << c.pszName;
            EXPECT_EQ(kGround, clrInside) << c.pszName;
            break;
        case kDithered:
            EXPECT_EQ(kShadow, edges.clrTopLeft) << c.pszName;
            EXPECT_EQ(kLight, edges.clrBottomRight) << c.pszName;
            // A checkerboard of face and highlight: neighbours differ, and diagonal neighbours match.
            EXPECT_TRUE((clrInside == kFace && clrNext == kLight) || (clrInside == kLight && clrNext == kFace))
                << c.pszName;
            EXPECT_EQ(clrInside, dc.Pixel(9, 9)) << c.pszName;
            EXPECT_EQ(clrNext, dc.Pixel(8, 9)) << c.pszName;
            break;
        case kHighlighted:
            EXPECT_EQ(kHighlight, edges.clrTopLeft) << c.pszName;
            EXPECT_EQ(kHighlight, clrInside) << c.pszName;
            EXPECT_EQ(kGround, dc.Pixel(1, 1)) << c.pszName;
            break;
        }
    }
    // With the full-width menu highlight a checked popup item is still dithered and sunken.
    theme.m_bFullWidthMenuHighlight = TRUE;
    Canvas dc(20, 20, kGround);
    theme.DrawRectangle(&dc.dc, rc, TRUE, FALSE, TRUE, TRUE, FALSE, kitBarTypePopup, kitBarPopup);
    EXPECT_EQ(kShadow, dc.Pixel(2, 2));
    EXPECT_NE(dc.Pixel(8, 8), dc.Pixel(9, 8));
}

TEST(KitDefaultTheme, CaptionColoursFollowStateAndBar)
{
    CTestDefaultTheme theme;
    theme.InternalAddRef();
    const COLORREF clrGray = theme.GetColor(COLOR_GRAYTEXT);
    const COLORREF clrHighlightText = theme.GetColor(COLOR_HIGHLIGHTTEXT);
    const COLORREF clrText = theme.GetColor(COLOR_BTNTEXT);
    struct Case {
        BOOL bSelected, bEnabled, bChecked;
        int nBarType, nPosition;
        COLORREF clrExpected;
    };
    const Case cases[] = {
        {1, 0, 0, kitBarTypePopup, kitBarPopup, clrGray},
        {1, 1, 0, kitBarTypePopup, kitBarPopup, clrHighlightText},
        {1, 1, 1, kitBarTypePopup, kitBarPopup, clrText},
        {0, 1, 0, kitBarTypePopup, kitBarPopup, clrText},
        {1, 1, 0, kitBarTypeNormal, kitBarTop, clrText},
        {0, 0, 0, kitBarTypeNormal, kitBarTop, clrGray},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.clrExpected, theme.GetControlStateTextColor(c.bSelected, FALSE, c.bEnabled, c.bChecked, FALSE,
                                                                c.nBarType, c.nPosition))
            << c.bSelected << c.bEnabled << c.bChecked << c.nBarType;
    }
    // The popup text index applies in popups and at popup position.
    theme.m_nPopupBarText = COLOR_MENUTEXT;
    EXPECT_EQ(theme.GetColor(COLOR_MENUTEXT),
              theme.GetControlStateTextColor(FALSE, FALSE, TRUE, FALSE, FALSE, kitBarTypeNormal, kitBarPopup));
}

TEST(KitDefaultTheme, MetricsOfBordersImagesGrippersAndSeparators)
{
    CTestDefaultTheme theme;
    theme.InternalAddRef();
    theme.SetTextHeight(20);
    CKitPopupBar popup;
    CKitToolBar toolbar;
    EXPECT_EQ(CRect(3, 3, 3, 3), theme.GetCommandBarBorders(&popup));
    EXPECT_EQ(CRect(2, 2, 2, 2), theme.GetCommandBarBorders(&toolbar));
    // The default theme's own rule: (max(M, w + 4), max(M, h + 4)).
    EXPECT_EQ(CSize(20, 20), theme.GetPopupBarImageSize(&popup));
    popup.SetIconSize(CSize(24, 24));
    EXPECT_EQ(CSize(28, 28), theme.GetPopupBarImageSize(&popup));
    EXPECT_EQ(CSize(6, 24), theme.DrawCommandBarGripper(nullptr, &toolbar, FALSE));
    theme.SetTextHeight(12);
    EXPECT_EQ(CSize(6, 22), theme.DrawCommandBarGripper(nullptr, &toolbar, FALSE));
    EXPECT_EQ(CSize(0, 8), theme.DrawTearOffGripper(nullptr, CRect(0, 0, 50, 8), FALSE, FALSE));
    EXPECT_EQ(CSize(8, 8), theme.DrawCommandBarSeparator(nullptr, &popup, nullptr, FALSE));
    EXPECT_EQ(CSize(6, 6), theme.DrawCommandBarSeparator(nullptr, &toolbar, nullptr, FALSE));

    // Separators: an etched line, shadow at the top left and highlight at the bottom right.
    struct Case {
        const char* pszName;
        CKitCommandBar* pBar;
        int nPosition;
        BOOL bWrap;
        CRect rcControl, rcRow, rcExpected;
    };
    const Case cases[] = {
        {"toolbar", &toolbar, kitBarTop, FALSE, CRect(30, 2, 50, 24), CRect(0, 2, 90, 24), CRect(26, 2, 28, 24)},
        {"wrapped toolbar", &toolbar, kitBarTop, TRUE, CRect(0, 30, 20, 52), CRect(0, 30, 90, 52),
         CRect(4, 26, 90, 28)},
        {"left toolbar", &toolbar, kitBarLeft, FALSE, CRect(2, 30, 24, 50), CRect(2, 0, 24, 90),
         CRect(2, 26, 24, 28)},
        {"popup", &popup, kitBarPopup, FALSE, CRect(0, 30, 90, 50), CRect(0, 0, 90, 90), CRect(11, 25, 79, 27)},
    };
    for (const Case& c : cases) {
        c.pBar->SetPosition(c.nPosition);
        CKitControl* pControl = c.pBar->GetControls()->AddControl(new CKitControlButton());
        pControl->SetRect(c.rcControl);
        pControl->SetRowRect(c.rcRow);
        pControl->SetWrap(c.bWrap);
        Canvas dc(100, 100, kGround);
        EXPECT_EQ(CSize(0, 0), theme.DrawCommandBarSeparator(&dc.dc, c.pBar, pControl, TRUE)) << c.pszName;
        const Edges edges = ProbeEdges(dc, c.rcExpected);
        EXPECT_EQ(kShadow, edges.clrTopLeft) << c.pszName;
        EXPECT_EQ(kLight, edges.clrBottomRight) << c.pszName;
        EXPECT_EQ(kGround, dc.Pixel(c.rcExpected.left - 1, c.rcExpected.top)) << c.pszName;
        EXPECT_EQ(kGround, dc.Pixel(c.rcExpected.right, c.rcExpected.bottom - 1)) << c.pszName;
        c.pBar->GetControls()->RemoveAll();
    }
}

TEST(KitDefaultTheme, ControlRectanglesAdjustToTheBar)
{
    CTestDefaultTheme theme;
    theme.InternalAddRef();
    CKitPopupBar popup;
    CKitToolBar toolbar;
    CKitControl* pItem = popup.GetControls()->AddControl(new CKitControlButton());
    CKitControl* pButton = toolbar.GetControls()->AddControl(new CKitControlButton());
    CKitControl* pCombo = toolbar.GetControls()->AddControl(new CKitControl(kitControlComboBox));
    CKitControlButton loose;
    struct Case {
        CKitControl* pControl;
        BOOL bVertical;
        CRect rcExpected;
    };
    const Case cases[] = {{pItem, FALSE, CRect(11, 10, 29, 20)}, {pButton, FALSE, CRect(9, 10, 31, 20)},
                          {pButton, TRUE, CRect(10, 9, 30, 21)}, {pCombo, FALSE, CRect(10, 10, 30, 20)},
                          {&loose, FALSE, CRect(10, 10, 30, 20)}};
    for (const Case& c : cases) {
        CRect rc(10, 10, 30, 20);
        theme.AdjustControlRect(rc, c.pControl, c.bVertical);
        EXPECT_EQ(c.rcExpected, rc);
    }
}

TEST(KitDefaultTheme, TheDownArrowGlyphIsACentredTriangle)
{
    CTestDefaultTheme theme;
    theme.InternalAddRef();
    Canvas dc(8, 10, kGround);
    theme.DrawDownArrowGlyph(&dc.dc, CRect(0, 0, 8, 10), RGB(200, 0, 0));
    // The triangle (2, 4), (6, 4), (4, 6).
    for (POINT pt : {POINT{2, 4}, POINT{4, 4}, POINT{6, 4}, POINT{4, 5}, POINT{4, 6}})
        EXPECT_EQ(RGB(200, 0, 0), dc.Pixel(pt.x, pt.y)) << pt.x << "," << pt.y;
    for (POINT pt : {POINT{1, 4}, POINT{7, 4}, POINT{4, 3}, POINT{4, 7}, POINT{2, 6}, POINT{6, 6}})
        EXPECT_EQ(kGround, dc.Pixel(pt.x, pt.y)) << pt.x << "," << pt.y;
}

// Popup items: the selected caption part highlighted, checked items with a dithered image box and the tick, submenu arrows.
TEST(KitDefaultTheme, PopupItemsDrawHighlightTickAndSubmenuArrow)
{
    CTestDefaultTheme theme;
    theme.InternalAddRef();
    const COLORREF clrText = theme.GetColor(COLOR_BTNTEXT);
    CKitPopupBar popup;
    CKitControl* pItem = popup.GetControls()->AddControl(new CKitControlButton());
    pItem->SetCaption("Save");
    const CRect rc(0, 0, 120, 24);
    pItem->SetRect(rc);
    const int nImageWidth = std::max(20, theme.GetTextHeight());

    Canvas dc(120, 24, kGround);
    pItem->SetSelected(1);
    theme.DrawControl(&dc.dc, pItem, TRUE);
    EXPECT_EQ(kHighlight, dc.Pixel(rc.right - 3, 12));
    EXPECT_EQ(kGround, dc.Pixel(nImageWidth / 2, 12));

    // Checked, not selected: the image box is dithered and sunken, the tick in the text colour.
    pItem->SetSelected(0);
    pItem->SetChecked(1);
    dc.dc.FillSolidRect(0, 0, 120, 24, kGround);
    theme.DrawControl(&dc.dc, pItem, TRUE);
    EXPECT_EQ(kShadow, dc.Pixel(0, 0));
    EXPECT_EQ(kLight, dc.Pixel(nImageWidth - 1, 23));
    const CPoint ptMark(nImageWidth / 2 - 10, 12 - 10);
    EXPECT_EQ(clrText, dc.Pixel(ptMark.x + 8, ptMark.y + 11));
    EXPECT_EQ(kGround, dc.Pixel(rc.right - 3, 12));

    // A submenu item gets the arrow pointing right, 8 to 11 pixels from the right edge.
    CKitControl* pSubmenu = popup.GetControls()->AddControl(new CKitControlPopup());
    pSubmenu->SetCaption("Recent");
    pSubmenu->SetRect(rc);
    dc.dc.FillSolidRect(0, 0, 120, 24, kGround);
    theme.DrawControl(&dc.dc, pSubmenu, TRUE);
    EXPECT_EQ(clrText, dc.Pixel(rc.right - 11, 12));
    EXPECT_EQ(clrText, dc.Pixel(rc.right - 9, 12));
    EXPECT_EQ(kGround, dc.Pixel(rc.right - 7, 12));
}

TEST(KitDefaultTheme, ListBoxEntriesHighlightTheirTextArea)
{
    CTestDefaultTheme theme;
    theme.InternalAddRef();
    theme.SetTextHeight(18);
    Canvas dc(150, 24, kGround);
    const CRect rc(0, 0, 150, 24);
    EXPECT_EQ(CSize(0, 0), theme.DrawListBoxControl(&dc.dc, nullptr, rc, FALSE, TRUE, nullptr));
    EXPECT_EQ(kFace, dc.Pixel(5, 5));

    CKitControlButton item;
    item.SetCaption("&Save");
    item.SetStyle(kitButtonCaption);
    EXPECT_EQ(CSize(20, 20), theme.DrawListBoxControl(&dc.dc, &item, rc, FALSE, FALSE, nullptr));
    theme.DrawListBoxControl(&dc.dc, &item, rc, TRUE, TRUE, nullptr);
    // No image: the highlight runs from left + 1 to right - 1 under the caption.
    EXPECT_EQ(kFace, dc.Pixel(0, 12));
    EXPECT_EQ(kHighlight, dc.Pixel(1, 12));
    EXPECT_EQ(kHighlight, dc.Pixel(148, 12));
    EXPECT_EQ(kFace, dc.Pixel(149, 12));
    EXPECT_GT(dc.Count(CRect(24, 0, 100, 24), theme.GetColor(COLOR_HIGHLIGHTTEXT)), 10);
}
