#include "toolkit/themes/paint/paint_manager.h"

#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/shadow_manager.h"
#include "toolkit/themes/paint/frame_paint_manager.h"
#include "toolkit/themes/paint/gallery_paint_manager.h"
#include "toolkit/themes/paint/ribbon_system_frame_theme.h"
#include "toolkit/themes/paint/scroll_paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_system_theme.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/common/nonclient_metrics.h"
#include "toolkit/common/resources.h"
#include "toolkit/common/system.h"

#include <vssym32.h>

#include <algorithm>

IMPLEMENT_DYNAMIC(CKitPaintManager, CCmdTarget)

CKitPaintManager* CKitPaintManager::s_pCurrent = nullptr;

namespace {

// Font quality of ClearType text.
constexpr BYTE kClearTypeQuality = 5;
// The smallest character height of the command-bar font taken from a negative menu font height.
constexpr int kMinMenuFontHeight = -11;
// A font size up to this many points counts as the smallest size.
constexpr int kSmallestFontSize = 11;
constexpr int kSmallFontSizeLimit = 12;
// Bold, and the vertical fonts' turn (tenths of a degree).
constexpr LONG kBoldWeight = FW_BOLD;
constexpr LONG kVerticalEscapement = 2700;
constexpr LONG kVerticalOrientation = 900;
// Added to the height of a space in the regular font: the text height.
constexpr int kTextHeightPadding = 6;
// The smallest height of a floating bar's caption.
constexpr int kMinFloatingCaptionHeight = 15;

// The height of a space in the font on the screen.
int MeasureSpaceHeight(CFont& font)
{
    HDC hdc = ::GetDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hdc, static_cast<HFONT>(font));
    SIZE size = {};
    ::GetTextExtentPoint32A(hdc, " ", 1, &size);
    ::SelectObject(hdc, hOld);
    ::ReleaseDC(nullptr, hdc);
    return size.cy;
}

} // namespace

void CKitPaintManagerFont::SetCustomFont(const LOGFONTA* lpLogFont)
{
    DeleteObject();
    m_bStandardFont = FALSE;
    if (lpLogFont != nullptr)
        CreateFontIndirect(lpLogFont);
}

void CKitPaintManagerFont::SetStandardFontIndirect(const LOGFONTA* lpLogFont)
{
    if (!m_bStandardFont && GetSafeHandle() != nullptr)
        return;
    DeleteObject();
    CreateFontIndirect(lpLogFont);
}

CKitPaintManager::CKitPaintManager() : m_strOwnFaceName("Tahoma")
{
    CKitImageManager::Instance()->RemoveDerivedImages();
    if (HMODULE hUser = ::GetModuleHandleA("USER32"))
        m_pfnSetLayeredWindowAttributes =
            reinterpret_cast<SetLayeredWindowAttributesFn>(::GetProcAddress(hUser, "SetLayeredWindowAttributes"));
    m_pShadowManager = new CKitShadowManager();
    m_pGalleryPaintManager = std::make_unique<CKitControlGalleryPaintManager>(this);
    m_pSliderPaintManager = std::make_unique<CKitSliderPaintManager>(this);
    m_pProgressPaintManager = std::make_unique<CKitProgressPaintManager>(this);
}

CKitPaintManager::~CKitPaintManager()
{
    if (m_pRibbonPaintManager != nullptr)
        m_pRibbonPaintManager->InternalRelease();
    if (m_pShadowManager != nullptr)
        m_pShadowManager->InternalRelease();
}

CKitFramePaintManager* CKitPaintManager::GetFramePaintManager()
{
    if (m_pFramePaintManager == nullptr) {
        m_pFramePaintManager = std::make_unique<CKitRibbonSystemFrameTheme>(this);
        m_pFramePaintManager->RefreshMetrics();
    }
    return m_pFramePaintManager.get();
}

void CKitPaintManager::SetCustomTheme(CKitPaintManager* pPaintManager)
{
    // Installed again, the current one keeps its reference: releasing it first could delete it.
    if (s_pCurrent != nullptr && s_pCurrent != pPaintManager)
        s_pCurrent->InternalRelease();
    s_pCurrent = pPaintManager;
    if (s_pCurrent != nullptr) {
        s_pCurrent->m_nThemeNumber = kCustomTheme;
        s_pCurrent->RefreshMetrics();
    }
}

void CKitPaintManager::Done()
{
    if (s_pCurrent != nullptr)
        s_pCurrent->InternalRelease();
    s_pCurrent = nullptr;
}

COLORREF CKitPaintManager::GetColor(int nIndex) const
{
    if (nIndex >= 0 && nIndex < kColorCount)
        return m_arrColor[nIndex];
    return static_cast<COLORREF>(nIndex);
}

void CKitPaintManager::SetColors(int nCount, const int* pIndices, const COLORREF* pColors)
{
    for (int i = 0; i < nCount; i++) {
        if (pIndices[i] >= 0 && pIndices[i] < kColorCount)
            m_arrColor[pIndices[i]].SetStandardValue(pColors[i]);
    }
}

int CKitPaintManager::GetCurrentSystemTheme() const
{
    const CKitColorManager* pColors = CKitColorManager::Instance();
    if (m_nSystemTheme == CKitColorManager::kThemeAutoAlternative)
        return pColors->IsVisualStyleColorsDisabled() ? 0 : pColors->GetCurrentSystemTheme();
    if (m_nSystemTheme == CKitColorManager::kThemeAuto)
        return pColors->GetDetectedSystemTheme();
    return m_nSystemTheme;
}

int CKitPaintManager::GetControlHeight() const
{
    return std::max(m_nTextHeight, kMinControlHeight);
}

int CKitPaintManager::GetSplitDropDownSize() const
{
    if (m_nFixedControlSize > 0)
        return m_nTextHeight * 2 - 17;
    return std::max(m_nTextHeight + 3, kMinControlHeight) * 2 - 17;
}

CSize CKitPaintManager::GetAutoIconSize(BOOL bLarge) const
{
    if (!m_bAutoResizeIcons)
        return bLarge ? CSize(32, 32) : CSize(16, 16);
    const int h = GetControlHeight() - 4;
    const int nSide = std::max((h + (bLarge ? h : 0)) / 8, 2) * 8;
    return CSize(nSide, nSide);
}

void CKitPaintManager::StripMnemonics(CString& strText)
{
    CKitDrawHelpers::StripMnemonics(strText);
}

void CKitPaintManager::SplitString(const CString& str, CString& strFirstRow, CString& strSecondRow)
{
    strFirstRow = str;
    strSecondRow.Empty();
    const int nLength = str.GetLength();
    const int nHalf = nLength / 2;
    if (str.Find(' ', 1) < 1 || nHalf - 1 < 1)
        return;
    for (int i = 0; i < nHalf - 1; i++) {
        int nSplit = -1;
        if (str[nHalf - i] == ' ')
            nSplit = nHalf - i;
        else if (nHalf + i + 1 < nLength && str[nHalf + i + 1] == ' ')
            nSplit = nHalf + i + 1;
        if (nSplit >= 0) {
            strFirstRow = str.Left(nSplit);
            strSecondRow = str.Mid(nSplit + 1);
            return;
        }
    }
}

void CKitPaintManager::ApplyClearType(LOGFONTA& lf) const
{
    if (m_bClearTypeTextQuality && IsClearTypeSupported())
        lf.lfQuality = kClearTypeQuality;
}

BOOL CKitPaintManager::IsClearTypeSupported() const
{
    return CKitOsVersion::Instance()->IsClearTypeTextSupported() ? TRUE : FALSE;
}

void CKitPaintManager::ReadNonClientMetrics(NONCLIENTMETRICSA& ncm)
{
    ncm = CKitNonClientMetrics();
}

void CKitPaintManager::SetCommandBarsFontIndirect(LOGFONTA* pLogFont, BOOL bUseStandardFont)
{
    m_bUseStandardFont = bUseStandardFont;
    if (pLogFont == nullptr)
        return;
    ApplyClearType(*pLogFont);

    m_fontRegular.DeleteObject();
    m_fontBold.DeleteObject();
    m_fontVert.DeleteObject();
    m_fontVertBold.DeleteObject();
    m_fontIconBold.DeleteObject();

    const BOOL bOwnFaceExists = CKitDrawHelpers::FontExists(m_strOwnFaceName);
    m_bUseOwnFace = lstrcmpiA(pLogFont->lfFaceName, m_strOwnFaceName) == 0;
    if (bUseStandardFont && m_bUseOwnFace && bOwnFaceExists)
        lstrcpynA(pLogFont->lfFaceName, m_strOwnFaceName, LF_FACESIZE);

    LOGFONTA lf = *pLogFont;
    m_fontRegular.CreateFontIndirect(&lf);
    lf.lfWeight = kBoldWeight;
    m_fontBold.CreateFontIndirect(&lf);

    lf = *pLogFont;
    lf.lfEscapement = kVerticalEscapement;
    lf.lfOrientation = kVerticalOrientation;
    CString strFace;
    CKitDrawHelpers::GetDefaultFontFaceName(strFace, m_bUseOwnFace);
    lstrcpynA(lf.lfFaceName, strFace, LF_FACESIZE);
    m_fontVert.CreateFontIndirect(&lf);
    lf.lfWeight = kBoldWeight;
    m_fontVertBold.CreateFontIndirect(&lf);

    m_nTextHeight = MeasureSpaceHeight(m_fontRegular) + kTextHeightPadding;
}

void CKitPaintManager::UpdateFonts()
{
    NONCLIENTMETRICSA ncm = {};
    ReadNonClientMetrics(ncm);
    const BYTE nCharSet = CKitResourceManager::Instance()->GetFontCharset();

    if (m_bUseStandardFont) {
        LOGFONTA lf = ncm.lfMenuFont;
        if (lf.lfHeight < 0 && lf.lfHeight > kMinMenuFontHeight)
            lf.lfHeight = kMinMenuFontHeight;
        lf.lfCharSet = nCharSet;
        if (m_nFontHeight > 0) {
            const int nSize = m_nFontHeight <= kSmallFontSizeLimit ? kSmallestFontSize : m_nFontHeight;
            lf.lfHeight = nSize * 120 / 96;
        }
        ApplyClearType(lf);
        SetCommandBarsFontIndirect(&lf, TRUE);
    }

    LOGFONTA lfIcon = {};
    CKitDrawHelpers::GetIconLogFont(&lfIcon);
    for (LOGFONTA* pFont : {&lfIcon, &ncm.lfSmCaptionFont, &ncm.lfStatusFont}) {
        pFont->lfCharSet = nCharSet;
        ApplyClearType(*pFont);
    }
    m_fontSmCaption.SetStandardFontIndirect(&ncm.lfSmCaptionFont);
    m_fontIcon.SetStandardFontIndirect(&lfIcon);
    lfIcon.lfWeight = kBoldWeight;
    m_fontIconBold.SetStandardFontIndirect(&lfIcon);
    m_fontStatus.SetStandardFontIndirect(&ncm.lfStatusFont);
}

void CKitPaintManager::RefreshStandardColors()
{
    CKitColorManager* pColors = CKitColorManager::Instance();
    pColors->RefreshColors();
    for (int i = 0; i < kColorCount; i++)
        m_arrColor[i].SetStandardValue(pColors->GetColor(i));
}

void CKitPaintManager::RefreshMetrics()
{
    UpdateFonts();
    RefreshStandardColors();
    m_pShadowManager->SetShadowColor(0);
    m_pGalleryPaintManager->RefreshMetrics();
    m_pSliderPaintManager->RefreshMetrics();
    m_pProgressPaintManager->RefreshMetrics();
    if (m_pFramePaintManager != nullptr)
        m_pFramePaintManager->RefreshMetrics();

    m_clrText = GetColor(COLOR_BTNTEXT);
    m_clrDisabledText = GetColor(COLOR_GRAYTEXT);
    m_clrInfoText = GetColor(COLOR_INFOTEXT);
    m_clrFloatingGripper.SetStandardValue(GetColor(COLOR_3DSHADOW));
    m_clrFloatingGripperText.SetStandardValue(GetColor(COLOR_3DHIGHLIGHT));
    m_clrFace.SetStandardValue(GetColor(COLOR_3DFACE), GetColor(COLOR_3DSHADOW), 0.5);

    m_themeStatusBar.CloseThemeData();
    if (m_bThemedStatusBar) {
        m_themeStatusBar.OpenThemeData(nullptr, L"STATUS");
        COLORREF clr = 0;
        if (m_themeStatusBar.IsAppThemed() &&
            SUCCEEDED(m_themeStatusBar.GetThemeColor(SP_PANE, 0, TMT_TEXTCOLOR, &clr)))
            m_clrText = clr;
    }
    m_themeButton.CloseThemeData();
    if (m_bThemedCheckBox)
        m_themeButton.OpenThemeData(nullptr, L"BUTTON");
    if (m_pRibbonPaintManager != nullptr)
        m_pRibbonPaintManager->RefreshMetrics();
}

CKitRibbonPaintManager* CKitPaintManager::GetRibbonPaintManager()
{
    if (m_pRibbonPaintManager == nullptr) {
        m_pRibbonPaintManager = CreateRibbonPaintManager();
        m_pRibbonPaintManager->RefreshMetrics();
    }
    return m_pRibbonPaintManager;
}

CKitRibbonPaintManager* CKitPaintManager::CreateRibbonPaintManager()
{
    return new CKitRibbonSystemTheme(this);
}

COLORREF CKitPaintManager::GetControlEditBackColor(CKitControl* pControl)
{
    return GetColor(pControl->IsEnabled() ? COLOR_WINDOW : COLOR_3DFACE);
}

CRect CKitPaintManager::GetCommandBarBorders(CKitCommandBar* /*pBar*/)
{
    return CRect(2, 2, 2, 2);
}

int CKitPaintManager::GetControlTextOrientation(CKitControl* pControl)
{
    CKitCommandBar* pBar = pControl->GetParent();
    if (pBar == nullptr)
        return kitTextOrientationHorizontal;
    if (pBar->GetTextOrientation() != kitTextOrientationAuto)
        return pBar->GetTextOrientation();
    const int nPosition = pBar->GetPosition();
    return nPosition == kitBarLeft || nPosition == kitBarRight ? kitTextOrientationVertical
                                                                : kitTextOrientationHorizontal;
}

CFont* CKitPaintManager::GetControlFont(CKitControl* pControl)
{
    const BOOL bBold = pControl->IsCaptionBold();
    if (GetControlTextOrientation(pControl) == kitTextOrientationVertical)
        return bBold ? &m_fontVertBold : &m_fontVert;
    return bBold ? &m_fontBold : &m_fontRegular;
}

CFont* CKitPaintManager::GetCommandBarFont(CKitCommandBar* pBar)
{
    const int nOrientation = pBar->GetTextOrientation();
    const int nPosition = pBar->GetPosition();
    if (nOrientation == kitTextOrientationVertical ||
        (nOrientation == kitTextOrientationAuto && (nPosition == kitBarLeft || nPosition == kitBarRight)))
        return &m_fontVert;
    return &m_fontRegular;
}

void CKitPaintManager::CastControlShadow(CWnd* pPopup, const CRect& rcControl)
{
    if (m_bShowShadow && m_pShadowManager != nullptr)
        m_pShadowManager->SetShadowRect(rcControl, pPopup);
}

void CKitPaintManager::CastPopupShadow(CWnd* pPopup, const CRect& rcExclude, BOOL bGroup)
{
    if (!m_bShowShadow || m_pShadowManager == nullptr)
        return;
    m_pShadowManager->RemoveShadow(pPopup);
    m_pShadowManager->SetShadow(pPopup, rcExclude, bGroup);
}

void CKitPaintManager::RemovePopupShadow(CWnd* pPopup)
{
    if (m_pShadowManager != nullptr)
        m_pShadowManager->RemoveShadow(pPopup);
}

CRect CKitPaintManager::GetSplitButtonCommandRect(CKitControl* pButton)
{
    CRect rc = pButton->GetRect();
    CKitCommandBar* pBar = pButton->GetParent();
    if (pBar != nullptr && pBar->GetType() == kitBarTypePopup) {
        rc.right -= m_nSplitButtonPopupWidth;
        return rc;
    }
    if (pButton->GetStyle() == kitButtonIconAndCaptionBelow) {
        if (GetControlTextOrientation(pButton) == kitTextOrientationVertical)
            rc.left += GetSplitDropDownSize();
        else
            rc.bottom -= GetSplitDropDownSize();
    } else {
        rc.right -= m_nSplitButtonDropDownWidth + 1;
    }
    return rc;
}

int CKitPaintManager::GetPopupBarGripperWidth(CKitCommandBar* pBar)
{
    if (pBar->GetType() != kitBarTypePopup)
        return 0;
    const int nImageWidth = GetPopupBarImageSize(pBar).cx;
    return nImageWidth * (pBar->IsDoubleColumn() ? 2 : 1) + 1;
}

BOOL CKitPaintManager::IsFlatCommandBar(CKitCommandBar* pBar)
{
    return pBar->GetType() == kitBarTypeMenuBar ? m_bFlatMenuBar : m_bFlatToolBar;
}

CSize CKitPaintManager::GetPopupBarImageSize(CKitCommandBar* pBar)
{
    const CSize szIcon = pBar->GetIconSize();
    return CSize(std::max(m_nTextHeight + 4, static_cast<int>(szIcon.cx) + 4),
                 std::max(m_nTextHeight, static_cast<int>(szIcon.cy) + 6));
}

// Colours the theme does not give (none) are not painted, by every helper below.
void CKitPaintManager::Rectangle(CDC* pDC, CRect rc, int nPen, int nBrush)
{
    if (nBrush != -1 && GetColor(nBrush) != CKitPaintManagerColor::kNone)
        pDC->FillSolidRect(rc, GetColor(nBrush));
    if (nPen != nBrush && nPen != -1 && GetColor(nPen) != CKitPaintManagerColor::kNone)
        pDC->Draw3dRect(rc, GetColor(nPen), GetColor(nPen));
}

void CKitPaintManager::Draw3dRect(CDC* pDC, CRect rc, int nTopLeft, int nBottomRight)
{
    if (GetColor(nTopLeft) != CKitPaintManagerColor::kNone && GetColor(nBottomRight) != CKitPaintManagerColor::kNone)
        pDC->Draw3dRect(rc, GetColor(nTopLeft), GetColor(nBottomRight));
}

void CKitPaintManager::HorizontalLine(CDC* pDC, int x0, int y, int x1, COLORREF clr)
{
    if (clr != CKitPaintManagerColor::kNone)
        pDC->FillSolidRect(x0, y, x1 - x0, 1, clr);
}

void CKitPaintManager::VerticalLine(CDC* pDC, int x, int y0, int y1, COLORREF clr)
{
    if (clr != CKitPaintManagerColor::kNone)
        pDC->FillSolidRect(x, y0, 1, y1 - y0, clr);
}

void CKitPaintManager::Line(CDC* pDC, int x0, int y0, int x1, int y1)
{
    pDC->MoveTo(x0, y0);
    pDC->LineTo(x1, y1);
}

void CKitPaintManager::Line(CDC* pDC, int x0, int y0, int x1, int y1, int nPen)
{
    if (y0 == y1) {
        HorizontalLine(pDC, std::min(x0, x1), y0, std::max(x0, x1), GetColor(nPen));
    } else if (x0 == x1) {
        VerticalLine(pDC, x0, std::min(y0, y1), std::max(y0, y1), GetColor(nPen));
    } else if (GetColor(nPen) != CKitPaintManagerColor::kNone) {
        CPen pen(PS_SOLID, 1, GetColor(nPen));
        CPen* pOld = pDC->SelectObject(&pen);
        Line(pDC, x0, y0, x1, y1);
        pDC->SelectObject(pOld);
    }
}

void CKitPaintManager::DrawTriangle(CDC* pDC, CPoint pt0, CPoint pt1, CPoint pt2, COLORREF clr)
{
    CKitDrawHelpers::Triangle(pDC, pt0, pt1, pt2, clr);
}

CSize CKitPaintManager::DrawFloatingBarCaption(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw)
{
    if (pBar->GetPosition() != kitBarFloating)
        return CSize(0, 0);
    CRect rcWindow;
    if (pBar->GetSafeHwnd() != nullptr)
        pBar->GetWindowRect(&rcWindow);
    CFont* pOld = pDC->SelectObject(&m_fontSmCaption);
    const int nCaptionHeight = std::max(static_cast<int>(pDC->GetTextExtent(" ", 1).cy), kMinFloatingCaptionHeight);
    const CRect rcCaption(3, 3, rcWindow.Width() - 3, nCaptionHeight + 3);
    if (bDraw) {
        pDC->FillSolidRect(rcCaption, m_clrFloatingGripper);
        pDC->SetTextColor(m_clrFloatingGripperText);
        pDC->SetBkMode(TRANSPARENT);
        CRect rcText(rcCaption.left + 2, rcCaption.top, rcCaption.right - 2 * rcCaption.Height(), rcCaption.bottom);
        pDC->DrawText(pBar->GetTitle(), rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    pDC->SelectObject(pOld);
    return rcCaption.Size();
}

void CKitPaintManager::DrawCheckMark(CDC* pDC, CRect rc, BOOL /*bEnabled*/, COLORREF clr)
{
    const int x = rc.left + rc.Width() / 2 - 10;
    const int y = rc.top + rc.Height() / 2 - 10;
    const bool bRTL = CKitDrawHelpers::IsContextRTL(pDC) != FALSE;
    // Two one-pixel polylines in a 20 x 20 box.
    static const POINT kTick[2][3] = {{{6, 9}, {8, 11}, {13, 6}}, {{6, 10}, {8, 12}, {13, 7}}};
    static const POINT kTickRTL[2][3] = {{{6, 7}, {10, 11}, {13, 8}}, {{6, 8}, {10, 12}, {13, 9}}};
    CPen pen(PS_SOLID, 1, GetColor(static_cast<int>(clr)));
    CPen* pOld = pDC->SelectObject(&pen);
    for (int nPass = 0; nPass < (m_bThickCheckMark ? 2 : 1); nPass++) {
        for (const auto& line : bRTL ? kTickRTL : kTick) {
            POINT pts[3];
            for (int i = 0; i < 3; i++)
                pts[i] = {x + line[i].x, y + line[i].y + nPass};
            pDC->Polyline(pts, 3);
        }
    }
    pDC->SelectObject(pOld);
}

void CKitPaintManager::DrawDownArrowGlyph(CDC* pDC, CRect rc, COLORREF clr)
{
    const int cx = (rc.left + rc.right) / 2;
    const int d = std::max(static_cast<int>(rc.Width()) / 2 - 4, 2);
    const int y = (rc.top + rc.bottom) / 2 - d / 2;
    DrawTriangle(pDC, CPoint(cx - d, y), CPoint(cx + d, y), CPoint(cx, y + d), GetColor(static_cast<int>(clr)));
}

void CKitPaintManager::DrawDropDownArrow(CDC* pDC, CKitControl* /*pControl*/, int x, int y, BOOL bSelected,
                                         BOOL bPopuped, BOOL bEnabled, BOOL bPointLeft)
{
    const COLORREF clr =
        GetControlStateTextColor(bSelected, FALSE, bEnabled, FALSE, bPopuped, kitBarTypeNormal, kitBarTop);
    if (bPointLeft)
        DrawTriangle(pDC, CPoint(x + 2, y - 2), CPoint(x + 2, y + 2), CPoint(x, y), clr);
    else
        DrawTriangle(pDC, CPoint(x - 2, y - 1), CPoint(x + 2, y - 1), CPoint(x, y + 1), clr);
}

void CKitPaintManager::FillExpandedColumn(CDC* /*pDC*/, CRect /*rc*/, BOOL /*bHiddenControl*/)
{
}

CRect CKitPaintManager::GetBarClientRect(CKitCommandBar* pBar)
{
    CRect rc;
    if (pBar->GetSafeHwnd() != nullptr)
        pBar->GetClientRect(&rc);
    return rc;
}
