// The theme drawn from a theme module: colours by name from its description, pictures from its bitmaps.
#include "toolkit/themes/paint/resource_theme.h"

#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/keyboard_tip.h"
#include "toolkit/commandbars/shadow_manager.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/themes/paint/frame_paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_paint_manager.h"

#include "framework/gdi.h"
#include "framework/wnd.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CKitResourceTheme, CKitOffice2003Theme)

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
// Colour-table entries the theme reads and draws with.
constexpr int kColorToolbarFace = 30;
constexpr int kColorHighlightSelected = 31;
constexpr int kColorHighlightSelectedBorder = 32;
constexpr int kColorHighlightPressed = 33;
constexpr int kColorSeparator = 39;
constexpr int kColorHighlightPressedBorder = 50;
// The status bar's upper gradient is this high under its shadow line.
constexpr int kStatusBarTopHeight = 8;
constexpr int kCloseGlyphStates = 5;

// A gradient, unless one of its colours is none.
void FillGradientIfColors(CDC* pDC, const CRect& rc, const CKitPaintManagerColorGradient& grc)
{
    if (static_cast<COLORREF>(grc.clrLight) != CKitPaintManagerColor::kNone &&
        static_cast<COLORREF>(grc.clrDark) != CKitPaintManagerColor::kNone && !rc.IsRectEmpty())
        CKitDrawHelpers::Instance()->FillColorGradient(pDC, rc, grc, FALSE, nullptr);
}

// A vertical two-colour gradient, unless one of the colours is none.
void FillVerticalIfColors(CDC* pDC, const CRect& rc, COLORREF clrFrom, COLORREF clrTo)
{
    if (clrFrom != CKitPaintManagerColor::kNone && clrTo != CKitPaintManagerColor::kNone && !rc.IsRectEmpty())
        CKitDrawHelpers::Instance()->GradientFill(pDC, rc, clrFrom, clrTo, FALSE);
}

// A filled rectangle with a one-pixel frame; a colour that is none is skipped.
void FramedRect(CDC* pDC, const CRect& rc, COLORREF clrFill, COLORREF clrFrame)
{
    KitFillSolidRectIfColor(pDC, rc, clrFill);
    if (clrFrame != CKitPaintManagerColor::kNone)
        pDC->Draw3dRect(rc, clrFrame, clrFrame);
}

} // namespace

CKitResourceTheme::CKitResourceTheme()
{
    m_pShadowManager->SetFlags(CKitShadowManager::kFlagControls);
    m_nSystemTheme = 0;
    m_bThemedStatusBar = TRUE;
    m_nCaptionSpacing = 1;
    m_pGalleryPaintManager.reset(new CKitControlGalleryResourceTheme(this, this));
    m_pSliderPaintManager.reset(new CKitSliderResourceTheme(this, this));
    m_pProgressPaintManager.reset(new CKitProgressResourceTheme(this, this));
    m_pImages = CKitResourceImages::Instance();
}

CKitResourceTheme::~CKitResourceTheme()
{
    m_pImages->RemoveAll();
}

CKitRibbonPaintManager* CKitResourceTheme::CreateRibbonPaintManager()
{
    return new CKitRibbonPaintManager(this);
}

CKitResourceImage* CKitResourceTheme::LoadImage(LPCSTR lpszImageName) const
{
    return m_pImages->LoadImage(lpszImageName);
}

CKitFramePaintManager* CKitResourceTheme::GetFramePaintManager()
{
    if (m_pFramePaintManager == nullptr) {
        m_pFramePaintManager = std::make_unique<CKitFramePaintManager>(this);
        m_pFramePaintManager->RefreshMetrics();
    }
    return m_pFramePaintManager.get();
}

COLORREF CKitResourceTheme::GetControlStateTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                                                     BOOL bPopuped, int nBarType, int nBarPosition)
{
    if (nBarType == kitBarTypeMenuBar && bEnabled && !bSelected && !bPressed && !bChecked && !bPopuped)
        return m_clrMenuBarText;
    return CKitOfficeTheme::GetControlStateTextColor(bSelected, bPressed, bEnabled, bChecked, bPopuped, nBarType,
                                                     nBarPosition);
}

void CKitResourceTheme::RefreshMetrics()
{
    CKitOffice2003Theme::RefreshMetrics();
    auto color = [this](LPCSTR lpszSection, LPCSTR lpszKey) { return m_pImages->GetImageColor(lpszSection, lpszKey); };
    auto entry = [this](int nIndex, COLORREF clr) { m_arrColor[nIndex].SetStandardValue(clr); };
    auto gradient = [&color](CKitPaintManagerColorGradient& grc, LPCSTR lpszSection, LPCSTR lpszLight,
                             LPCSTR lpszDark, double dFactor) {
        grc.SetStandardValue(color(lpszSection, lpszLight), color(lpszSection, lpszDark), dFactor);
    };

    m_clrText = color("StatusBar", "StatusBarText");
    m_clrDisabledText = color("StatusBar", "StatusBarTextGray");
    m_clrStatusBarShadow = color("StatusBar", "StatusBarShadow");
    gradient(m_grcStatusBarTop, "StatusBar", "StatusBarFaceTopLight", "StatusBarFaceTopDark", 0.5);
    gradient(m_grcStatusBarBottom, "StatusBar", "StatusBarFaceBottomLight", "StatusBarFaceBottomDark", 0.5);
    const COLORREF clrDock = color("Toolbar", "DockBarFace");
    m_grcDock.SetStandardValue(clrDock, clrDock, 0.5);
    gradient(m_grcToolBar, "Toolbar", "ToolbarFaceLight", "ToolbarFaceDark", 0.75);
    m_clrToolBarEdge.SetStandardValue(color("Toolbar", "ToolbarFaceShadow"));
    gradient(m_grcExpandButton, "Toolbar", "ControlToolbarExpandLight", "ControlToolbarExpandDark", 0.75);
    gradient(m_grcPopupOpen, "Toolbar", "ControlHighlightPopupedLight", "ControlHighlightPopupedDark", 0.5);
    gradient(m_grcImageColumn, "Toolbar", "MenuPopupGripperLight", "MenuPopupGripperDark", 0.5);
    gradient(m_grcHiddenColumn, "Toolbar", "MenuPopupExpandedGripperLight", "MenuPopupExpandedGripperDark", 0.5);
    m_grcGlyph = m_grcPopupOpen;
    m_pShadowManager->SetShadowColor(RGB(0, 0, 0));
    m_clrTearOff.SetStandardValue(color("Toolbar", "MenuPopupTearOffGripper"));
    m_clrMenuBarText = color("Toolbar", "MenuBarText");
    entry(41, RGB(246, 246, 246));
    entry(43, color("Toolbar", "MenuPopupBorder"));
    entry(38, color("Toolbar", "ToolbarGripper"));
    for (int nIndex : {44, 45, 46})
        entry(nIndex, RGB(0, 0, 0));
    for (int nIndex : {35, 58, 60})
        entry(nIndex, RGB(141, 141, 141));
    entry(54, color("Window", "WindowFrame"));
    m_clrFloatingGripper.SetStandardValue(color("Toolbar", "FloatingBarGripper"));
    m_clrFloatingGripperText.SetStandardValue(color("Toolbar", "FloatingBarGripperText"));
    entry(61, color("Toolbar", "FloatingBarBorder"));
    entry(COLOR_APPWORKSPACE, color("Workspace", "AppWorkspace"));
    entry(51, color("Window", "ButtonFace"));
    entry(52, m_clrToolBarEdge);
    entry(kColorToolbarFace, color("Toolbar", "ToolbarFace"));
    entry(kColorSeparator, color("Toolbar", "ToolbarSeparator"));
    entry(40, color("Toolbar", "ControlDisabledIcon"));
    m_clrWorkspaceTop = color("Workspace", "WorkspaceClientTop");
    m_clrWorkspaceMiddle = color("Workspace", "WorkspaceClientMiddle");
    m_clrWorkspaceBottom = color("Workspace", "WorkspaceClientBottom");
    entry(kColorHighlightSelected, color("Window", "HighlightSelected"));
    entry(kColorHighlightSelectedBorder, color("Window", "HighlightSelectedBorder"));
    entry(kColorHighlightPressed, color("Window", "HighlightPressed"));
    entry(kColorHighlightPressedBorder, color("Window", "HighlightPressedBorder"));
    entry(36, color("Window", "HighlightChecked"));
    entry(37, color("Window", "HighlightCheckedBorder"));
    entry(47, RGB(0, 0, 0));
    m_bSchemeColors = TRUE;
    gradient(m_grcHot, "Window", "HighlightSelectedLight", "HighlightSelectedDark", 0.5);
    gradient(m_grcChecked, "Window", "HighlightCheckedLight", "HighlightCheckedDark", 0.5);
    gradient(m_grcPressed, "Window", "HighlightPressedLight", "HighlightPressedDark", 0.5);
    entry(56, color("Toolbar", "ControlLabel"));
    entry(53, color("Toolbar", "ControlEditBorder"));
    gradient(m_clrFace, "Toolbar", "ControlDisabledIconLight", "ControlDisabledIconDark", 0.5);
    gradient(m_grcMessageBar, "MessageBar", "MessageBarLight", "MessageBarDark", 0.5);
    m_clrMessageBarFrame = color("MessageBar", "MessageBarFrame");
    m_clrInfoText = color("MessageBar", "MessageBarText");
    m_clrMessageBar = color("MessageBar", "MessageBar");
    RefreshGlyphImage();
}

void CKitResourceTheme::FillStatusBar(CDC* pDC, CWnd* pBar)
{
    CRect rc;
    pBar->GetClientRect(&rc);
    KitFillSolidRectIfColor(pDC, CRect(rc.left, rc.top, rc.right, rc.top + 1), m_clrStatusBarShadow);
    const int nMiddle = rc.top + 1 + kStatusBarTopHeight;
    FillGradientIfColors(pDC, CRect(rc.left, rc.top + 1, rc.right, nMiddle), m_grcStatusBarTop);
    FillGradientIfColors(pDC, CRect(rc.left, nMiddle, rc.right, rc.bottom), m_grcStatusBarBottom);
}

void CKitResourceTheme::DrawStatusBarPaneBorder(CDC* pDC, CRect rc, CKitStatusBarPane* /*pPane*/, BOOL bGripperPane)
{
    if (bGripperPane)
        return;
    const int nHeight = rc.Height() - 2;
    KitFillSolidRectIfColor(pDC, CRect(rc.right - 1, rc.top, rc.right, rc.top + nHeight), GetColor(kColorSeparator));
    pDC->FillSolidRect(rc.right, rc.top, 1, nHeight, kWhite);
}

void CKitResourceTheme::DrawStatusBarGripper(CDC* pDC, CRect rcClient)
{
    const COLORREF clrDot = GetColor(kColorSeparator);
    for (int k = 0; k < 3; k++) {
        const int y = rcClient.bottom - 3 - 4 * k;
        for (int j = 0; j <= 2 - k; j++) {
            const int x = rcClient.right - 3 - 4 * j;
            pDC->FillSolidRect(x + 1, y + 1, 2, 2, kWhite);
            KitFillSolidRectIfColor(pDC, CRect(x, y, x + 2, y + 2), clrDot);
        }
    }
}

void CKitResourceTheme::FillMessageBar(CDC* pDC, const CKitMessageBarLayout* pBar)
{
    KitFillSolidRectIfColor(pDC, pBar->rcClient, m_clrMessageBar);
    CRect rc = pBar->GetMessageRect();
    if (m_clrMessageBarFrame != CKitPaintManagerColor::kNone)
        pDC->Draw3dRect(rc, m_clrMessageBarFrame, m_clrMessageBarFrame);
    rc.DeflateRect(1, 1);
    FillGradientIfColors(pDC, rc, m_grcMessageBar);
}

void CKitResourceTheme::DrawMessageBarButton(CDC* pDC, CKitMessageBarButton* pButton)
{
    const BOOL bClose = pButton->nId == SC_CLOSE;
    if (bClose && pButton->bPushed) {
        FramedRect(pDC, pButton->rc, GetColor(kColorHighlightPressed), GetColor(kColorHighlightPressedBorder));
    } else if (pButton->bHot) {
        FramedRect(pDC, pButton->rc, GetColor(kColorHighlightSelected), GetColor(kColorHighlightSelectedBorder));
        if (!bClose)
            return;
    } else if (!bClose) {
        FramedRect(pDC, pButton->rc, kWhite, m_clrMessageBarFrame);
        return;
    }
    CKitResourceImage* pGlyph = LoadImage("FRAMECAPTIONCLOSE17");
    if (pGlyph == nullptr)
        return;
    const CSize sz = pGlyph->GetSource(0, kCloseGlyphStates).Size();
    const CRect& rc = pButton->rc;
    KitDrawResourceStateAt(pDC, pGlyph, CPoint((rc.left + rc.right - sz.cx) / 2, (rc.top + rc.bottom - sz.cy) / 2), 0,
                           kCloseGlyphStates);
}

void CKitResourceTheme::FillWorkspace(CDC* pDC, CRect rc, CRect rcExclude)
{
    // Clipped to the workspace less the rectangle left out, as long as this call runs.
    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(rc);
    if (!rcExclude.IsRectEmpty())
        ::ExcludeClipRect(pDC->GetSafeHdc(), rcExclude.left, rcExclude.top, rcExclude.right, rcExclude.bottom);
    if (CKitResourceImage* pPicture = LoadImage("WORKSPACETOPLEFT")) {
        const CSize sz = pPicture->GetExtent();
        // Only the picture's last column stretches to the right.
        pPicture->DrawImage(pDC, CRect(rc.left, rc.top, rc.left + std::max<int>(rc.Width(), sz.cx),
                                       rc.top + sz.cy),
                            pPicture->GetSource(0, 1), CRect(sz.cx - 1, 0, 0, 0));
        const int y0 = rc.top + sz.cy;
        const int y1 = y0 + 2 * (rc.bottom - y0) / 3;
        FillVerticalIfColors(pDC, CRect(rc.left, y0, rc.right, y1), m_clrWorkspaceTop, m_clrWorkspaceMiddle);
        FillVerticalIfColors(pDC, CRect(rc.left, y1, rc.right, rc.bottom), m_clrWorkspaceMiddle,
                             m_clrWorkspaceBottom);
    }
    pDC->RestoreDC(nSaved);
}
