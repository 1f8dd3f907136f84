#include "toolkit/common/button_themes.h"

#include "framework/gdi.h"
#include "toolkit/common/button.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/resource_images.h"
#include "toolkit/common/theme_wrapper.h"
#include "toolkit/common/upper_services.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>
#include <cmath>

IMPLEMENT_DYNAMIC(CKitButtonTheme, CKitControlTheme)
IMPLEMENT_DYNAMIC(CKitButtonFlatTheme, CKitButtonTheme)
IMPLEMENT_DYNAMIC(CKitButtonUltraFlatTheme, CKitButtonTheme)
IMPLEMENT_DYNAMIC(CKitButtonOffice2000Theme, CKitButtonUltraFlatTheme)
IMPLEMENT_DYNAMIC(CKitButtonOfficeXPTheme, CKitButtonUltraFlatTheme)
IMPLEMENT_DYNAMIC(CKitButtonOffice2003Theme, CKitButtonOfficeXPTheme)
IMPLEMENT_DYNAMIC(CKitButtonResourceTheme, CKitButtonUltraFlatTheme)

namespace {

// Toolkit colours of the colour manager.
constexpr int kColorWindow = 5;
constexpr int kColorWindowFrame = 6;
constexpr int kColorBtnFace = 15;
constexpr int kColorGrayText = 17;
constexpr int kColorBtnText = 18;
constexpr int kColorXPFace = 30;
constexpr int kColorXPHot = 31;
constexpr int kColorXPInnerLight = 32;
constexpr int kColorXPPushed = 33;
constexpr int kColorDisabledGlyph = 35;
constexpr int kColorXPChecked = 36;
constexpr int kColorDisabledGlyphFill = 51;
// The colour manager's fixed gradients of checked, pushed and hot faces.
constexpr int kGradientChecked = 8;
constexpr int kGradientPushed = 9;
constexpr int kGradientHot = 10;
// The border-colour-hint property of the visual style.
constexpr int kThemeBorderColorHint = 3822;
// The visual-style states of a push button.
constexpr int kStateNormal = 1;
constexpr int kStateHot = 2;
constexpr int kStatePressed = 3;
constexpr int kStateDisabled = 4;
constexpr int kStateDefaulted = 5;
// The drop-down area and arrow of push styles 1 to 3.
constexpr int kDropDownArea = 16;
constexpr int kDropDownReserve = 12;
// Check and radio states are offset by these when checked or indeterminate.
constexpr int kCheckedStateOffset = 4;
constexpr int kMixedStateOffset = 8;
// The resource theme's images and their strips.
constexpr LPCSTR kPushButtonImage = "PUSHBUTTON";
constexpr LPCSTR kCheckBoxImage = "TOOLBARBUTTONCHECKBOX";
constexpr LPCSTR kRadioImage = "TOOLBARBUTTONRADIOBUTTON";
constexpr int kPushButtonFrames = 5;
constexpr int kCheckBoxFrames = 12;
constexpr int kRadioFrames = 8;
constexpr int kResourceMargin = 4;
constexpr COLORREF kResourceTransparent = RGB(255, 0, 255);

COLORREF KitColor(int nIndex)
{
    return CKitColorManager::Instance()->GetColor(nIndex);
}

bool IsCheckType(int nType)
{
    return nType == BS_CHECKBOX || nType == BS_AUTOCHECKBOX || nType == BS_3STATE || nType == BS_AUTO3STATE;
}

bool IsRadioType(int nType)
{
    return nType == BS_RADIOBUTTON || nType == BS_AUTORADIOBUTTON;
}

bool IsThreeStateType(int nType)
{
    return nType == BS_3STATE || nType == BS_AUTO3STATE;
}

// Where a box of that size stands in [first, last) by the alignment: at the end, centred or at the start.
int PlaceSpan(DWORD dwBits, DWORD dwEnd, DWORD dwCentre, int nFirst, int nLast, int nSize)
{
    if (dwBits == dwEnd)
        return nLast - nSize;
    if (dwBits == dwCentre)
        return (nFirst - nSize + nLast) / 2;
    return nFirst;
}

int PlaceHorizontal(DWORD dwAlignment, const CRect& rc, int nWidth)
{
    return PlaceSpan(dwAlignment & BS_CENTER, BS_RIGHT, BS_CENTER, rc.left, rc.right, nWidth);
}

int PlaceVertical(DWORD dwAlignment, const CRect& rc, int nHeight)
{
    return PlaceSpan(dwAlignment & BS_VCENTER, BS_BOTTOM, BS_VCENTER, rc.top, rc.bottom, nHeight);
}

int BlankHeight(CDC* pDC)
{
    SIZE sz = {0, 0};
    ::GetTextExtentPoint32A(pDC->GetSafeHdc(), " ", 1, &sz);
    return sz.cy;
}

void FrameOnePixel(CDC* pDC, const CRect& rc, COLORREF clr)
{
    pDC->Draw3dRect(&rc, clr, clr);
}

// The visual-style state of a check box or radio button.
int GlyphState(CKitButton* pButton)
{
    if (!pButton->IsWindowEnabled())
        return kStateDisabled;
    if (pButton->IsPushed())
        return kStatePressed;
    return pButton->IsHot() ? kStateHot : kStateNormal;
}

// A markup caption's size: measured in the window's font.
SIZE MeasureMarkupCaption(CKitButton* pButton, int nWidth, int nHeight)
{
    CKitThemeServices* pServices = CKitThemeServices::Get();
    if (pServices == nullptr)
        return {0, 0};
    const HFONT hFont = reinterpret_cast<HFONT>(pButton->SendMessage(WM_GETFONT));
    pServices->SetMarkupDefaultFont(pButton->GetMarkupContext(), hFont, static_cast<COLORREF>(-1));
    return pServices->MeasureMarkupElement(pButton->GetMarkupElement(), nWidth, nHeight);
}

// Draws a markup caption with the colour as its default text colour.
void RenderMarkupCaption(CDC* pDC, CKitButton* pButton, const CRect& rc, COLORREF clrText)
{
    CKitThemeServices* pServices = CKitThemeServices::Get();
    if (pServices == nullptr)
        return;
    pServices->SetMarkupDefaultFont(pButton->GetMarkupContext(), nullptr, clrText);
    pServices->RenderMarkupElement(pButton->GetMarkupElement(), pDC->m_hDC, rc);
}

} // namespace

// ---------------------------------------------------------------------------
// The default theme.

CKitButtonTheme::CKitButtonTheme()
    : m_pTheme(std::make_unique<CKitWinThemeWrapper>()), m_bOffsetHiliteText(TRUE), m_nFocusInset(4),
      m_bFlatGlyphs(FALSE), m_bToolbarClass(FALSE), m_cxBorder(::GetSystemMetrics(SM_CXBORDER)),
      m_cyBorder(::GetSystemMetrics(SM_CYBORDER)), m_cyEdge(::GetSystemMetrics(SM_CYEDGE)),
      m_cxEdge(::GetSystemMetrics(SM_CXEDGE))
{
    m_nTheme = kThemeDefault;
}

CKitButtonTheme::~CKitButtonTheme() = default;

BOOL CKitButtonTheme::UsesVisualStyles(CKitButton* pButton)
{
    return pButton->IsDefaultTheme() && m_pTheme->IsAppThemed();
}

BOOL CKitButtonTheme::IsDown(CKitButton* pButton)
{
    return pButton->IsPushed() || pButton->GetChecked() != 0;
}

BOOL CKitButtonTheme::IsPressedOffset(CKitButton* pButton)
{
    return IsDown(pButton) && m_bOffsetHiliteText && !UsesVisualStyles(pButton);
}

BOOL CKitButtonTheme::IsUIStateHidden(CKitButton* pButton, WORD wFlag)
{
    return (pButton->SendMessage(WM_QUERYUISTATE) & wFlag) != 0;
}

CString CKitButtonTheme::GetStrippedText(CKitButton* pButton)
{
    CString strText = pButton->GetButtonText();
    CKitDrawHelpers::StripMnemonics(strText);
    return strText;
}

void CKitButtonTheme::RefreshMetrics(CKitButton* pButton)
{
    m_pTheme->OpenThemeData(pButton->GetSafeHwnd(), m_bToolbarClass ? L"TOOLBAR" : L"BUTTON");
    m_clrDisabledText.SetStandardValue(KitColor(COLOR_GRAYTEXT));
    m_clrInnerLight.SetStandardValue(KitColor(COLOR_BTNFACE));
    m_clrInnerShadow.SetStandardValue(KitColor(COLOR_BTNSHADOW));
    m_clrOuterLight.SetStandardValue(KitColor(COLOR_BTNHIGHLIGHT));
    m_clrOuterShadow.SetStandardValue(KitColor(COLOR_3DDKSHADOW));
    m_clrFace.SetStandardValue(KitColor(COLOR_BTNFACE));
}

COLORREF CKitButtonTheme::GetTextColor(CKitButton* pButton)
{
    return pButton->IsWindowEnabled() ? pButton->GetTextColor() : static_cast<COLORREF>(m_clrDisabledText);
}

void CKitButtonTheme::DrawButton(CDC* pDC, CKitButton* pButton)
{
    if (pButton->IsPushButton()) {
        DrawButtonBackground(pDC, pButton);
        DrawButtonText(pDC, pButton);
        DrawButtonImage(pDC, pButton);
        const int nPushStyle = pButton->GetPushButtonStyle();
        if (nPushStyle == CKitButton::kPushDropDown || nPushStyle == CKitButton::kPushDropRight ||
            nPushStyle == CKitButton::kPushSplit)
            DrawDropDownArrow(pDC, pButton);
        if (::GetFocus() == pButton->GetSafeHwnd() && pButton->IsShowFocus())
            DrawFocusRect(pDC, pButton);
        return;
    }
    const int nType = pButton->GetButtonType();
    if (IsCheckType(nType)) {
        DrawCheckMark(pDC, pButton);
    } else if (IsRadioType(nType)) {
        DrawRadioButton(pDC, pButton);
    } else if (nType == BS_GROUPBOX) {
        if (pButton->GetBorderStyle() == CKitButton::kBorderNone)
            return;
        DrawGroupBox(pDC, pButton);
    } else {
        return;
    }
    DrawCaptionText(pDC, pButton);
}

void CKitButtonTheme::CalcRect(CDC* pDC, CKitButton* pButton, LPRECT lpRect, int nPart)
{
    CRect rc = pButton->GetButtonRect();
    const DWORD dwStyle = pButton->GetStyle();
    switch (nPart) {
    case kPartCheckGlyph:
    case kPartRadioGlyph: {
        const CSize szGlyph = pButton->GetGlyphSize(nPart == kPartCheckGlyph);
        const DWORD dwVert = pButton->GetAlignment() & BS_VCENTER;
        if (dwVert == BS_TOP || dwVert == BS_BOTTOM) {
            const int h = BlankHeight(pDC);
            const int nLine = h + h / 4;
            rc.top = dwVert == BS_TOP ? rc.top + (nLine - szGlyph.cy) / 2 : rc.bottom - nLine + (nLine - szGlyph.cy) / 2;
        } else {
            rc.top = (rc.top + rc.bottom - szGlyph.cy) / 2;
        }
        rc.bottom = rc.top + szGlyph.cy;
        if (dwStyle & BS_LEFTTEXT)
            rc.left = rc.right - szGlyph.cx;
        else
            rc.right = rc.left + szGlyph.cx;
        break;
    }
    case kPartCheckText:
    case kPartRadioText: {
        const int nGlyph = pButton->GetGlyphSize(nPart == kPartCheckText).cx + kGlyphTextGap;
        if (dwStyle & BS_LEFTTEXT)
            rc.right -= nGlyph;
        else
            rc.left += nGlyph;
        break;
    }
    case kPartGroupText: {
        const CString strText = GetStrippedText(pButton);
        if (strText.IsEmpty()) {
            rc.SetRectEmpty();
            break;
        }
        const CSize szText = pDC->GetTextExtent(strText);
        const int w = szText.cx + 2 * m_cxEdge;
        const BOOL bRight = (pButton->GetAlignment() & BS_RIGHT) != 0;
        if (pButton->GetBorderStyle() == CKitButton::kBorderTopLine) {
            if (bRight)
                rc.left = rc.right - w;
            else
                rc.right = rc.left + w;
        } else if (bRight) {
            rc.right = rc.right - 6 - m_cxBorder;
            rc.left = rc.right - w;
        } else {
            rc.left = rc.left + m_cxBorder + 8;
            rc.right = rc.left + w;
        }
        rc.bottom = rc.top + szText.cy;
        break;
    }
    case kPartGroupFrame:
        rc.top += BlankHeight(pDC) / 2;
        break;
    default:
        break;
    }
    *lpRect = rc;
}

void CKitButtonTheme::CalcTextImageRects(CDC* pDC, CKitButton* pButton, CRect* pTextRect, UINT* pFlags,
                                         CRect* pImageRect)
{
    const DWORD dwStyle = pButton->GetStyle();
    UINT nFlags = DT_SINGLELINE;
    if (pButton->GetExStyle() & WS_EX_RTLREADING)
        nFlags |= DT_RTLREADING;
    if (dwStyle & BS_MULTILINE)
        nFlags = (nFlags & ~DT_SINGLELINE) | DT_WORDBREAK | DT_EDITCONTROL;

    const int nGap = pButton->GetBorderGap();
    CRect rc = pButton->GetButtonRect();
    rc.DeflateRect(nGap, nGap);
    const int nPushStyle = pButton->GetPushButtonStyle();
    if (nPushStyle == CKitButton::kPushDropDown || nPushStyle == CKitButton::kPushDropRight)
        rc.right -= kDropDownReserve + nGap;
    else if (nPushStyle == CKitButton::kPushSplit)
        rc.right -= kDropDownReserve + 2 * nGap;

    const DWORD dwText = pButton->GetAlignment();
    const DWORD dwImage = pButton->GetImageAlignment();
    CSize szImage = pButton->GetImageSize();
    const CString strText = pButton->GetButtonText();
    int nRelation = pButton->GetTextImageRelation();
    if (szImage.cx == 0 || strText.IsEmpty())
        nRelation = CKitButton::kRelationOverlay;
    const int nImageGap = pButton->GetImageGap();
    const bool bStacked = nRelation == CKitButton::kRelationImageAboveText ||
                          nRelation == CKitButton::kRelationTextAboveImage;
    const bool bSideBySide = nRelation == CKitButton::kRelationImageBeforeText ||
                             nRelation == CKitButton::kRelationTextBeforeImage;
    if (bStacked)
        szImage.cy += nImageGap;
    if (bSideBySide)
        szImage.cx += nImageGap;
    const int nAvailable = rc.Width() - (bSideBySide ? szImage.cx : 0);

    CSize szText(0, 0);
    if (!strText.IsEmpty() && pButton->GetMarkupElement() != nullptr) {
        const SIZE szMarkup = MeasureMarkupCaption(pButton, nAvailable, rc.Height());
        szText = CSize(std::min(nAvailable, static_cast<int>(szMarkup.cx)), szMarkup.cy);
    } else if (!strText.IsEmpty()) {
        CRect rcCalc(0, 0, nAvailable, 0);
        pDC->DrawText(strText, &rcCalc, nFlags | DT_CALCRECT);
        szText = CSize(std::min(nAvailable, rcCalc.Width()), rcCalc.Height());
    }

    // Each alone in the content rectangle, by its alignment.
    int nTextLeft = PlaceHorizontal(dwText, rc, szText.cx);
    int nTextTop = PlaceVertical(dwText, rc, szText.cy);
    int nImageLeft = PlaceHorizontal(dwImage, rc, szImage.cx);
    int nImageTop = PlaceVertical(dwImage, rc, szImage.cy);
    if ((dwText & BS_CENTER) == BS_RIGHT)
        nFlags |= DT_RIGHT;
    else if ((dwText & BS_CENTER) == BS_CENTER)
        nFlags |= DT_CENTER;

    const DWORD dwImageVert = dwImage & BS_VCENTER;
    const DWORD dwImageHorz = dwImage & BS_CENTER;
    switch (nRelation) {
    case CKitButton::kRelationImageAboveText:
        nImageTop = PlaceSpan(dwImageVert, BS_BOTTOM, BS_VCENTER, rc.top, rc.bottom, szText.cy + szImage.cy);
        nTextTop = std::max<int>(nTextTop, nImageTop + szImage.cy);
        break;
    case CKitButton::kRelationTextAboveImage: {
        const int nBase = dwImageVert == BS_BOTTOM    ? rc.bottom - szImage.cy
                          : dwImageVert == BS_VCENTER ? (rc.top + szText.cy - szImage.cy + rc.bottom) / 2
                                                      : rc.top + szText.cy;
        nImageTop = nBase + nImageGap;
        if (nTextTop + szText.cy + nImageGap > nImageTop)
            nTextTop = nImageTop - nImageGap - szText.cy;
        break;
    }
    case CKitButton::kRelationImageBeforeText:
        nImageLeft = PlaceSpan(dwImageHorz, BS_RIGHT, BS_CENTER, rc.left, rc.right, szText.cx + szImage.cx);
        nTextLeft = std::max<int>(nTextLeft, nImageLeft + szImage.cx);
        break;
    case CKitButton::kRelationTextBeforeImage: {
        const int nBase = dwImageHorz == BS_RIGHT    ? rc.right - szImage.cx
                          : dwImageHorz == BS_CENTER ? (rc.left - szImage.cx + szText.cx + rc.right) / 2
                                                     : rc.left + szText.cx;
        nImageLeft = nBase + nImageGap;
        if (nTextLeft + szText.cx + nImageGap > nImageLeft)
            nTextLeft = nImageLeft - nImageGap - szText.cx;
        break;
    }
    default:
        break;
    }
    if (pTextRect != nullptr)
        *pTextRect = CRect(nTextLeft, nTextTop, nTextLeft + szText.cx, nTextTop + szText.cy);
    if (pFlags != nullptr)
        *pFlags = nFlags;
    if (pImageRect != nullptr)
        *pImageRect = CRect(nImageLeft, nImageTop, nImageLeft + szImage.cx, nImageTop + szImage.cy);
}

void CKitButtonTheme::DrawButtonText(CDC* pDC, CKitButton* pButton)
{
    const CString strText = pButton->GetButtonText();
    if (strText.IsEmpty())
        return;
    CRect rcText;
    UINT nFlags = 0;
    CalcTextImageRects(pDC, pButton, &rcText, &nFlags, nullptr);
    if (IsPressedOffset(pButton))
        rcText.OffsetRect(1, 1);
    pDC->SetTextColor(GetTextColor(pButton));
    if (pButton->GetMarkupElement() != nullptr) {
        RenderMarkupCaption(pDC, pButton, rcText, GetTextColor(pButton));
        return;
    }
    if (IsUIStateHidden(pButton, UISF_HIDEACCEL))
        nFlags |= DT_HIDEPREFIX;
    pDC->DrawText(strText, &rcText, nFlags);
}

void CKitButtonTheme::DrawButtonImage(CDC* pDC, CKitButton* pButton)
{
    const CSize szImage = pButton->GetImageSize();
    if (szImage.cx == 0 && szImage.cy == 0)
        return;
    CRect rcImage;
    CalcTextImageRects(pDC, pButton, nullptr, nullptr, &rcImage);
    if (IsPressedOffset(pButton))
        rcImage.OffsetRect(1, 1);
    pButton->DrawImage(pDC, CRect(rcImage.TopLeft(), szImage));
}

void CKitButtonTheme::DrawDropDownArrow(CDC* pDC, CKitButton* pButton)
{
    CRect rc = pButton->GetButtonRect();
    rc.DeflateRect(pButton->GetBorderGap(), pButton->GetBorderGap());
    const CSize szImage = pButton->GetImageSize();
    if (!pButton->GetButtonText().IsEmpty() || szImage.cx != 0 || szImage.cy != 0)
        rc.left = rc.right - kDropDownArea;
    if (IsPressedOffset(pButton))
        rc.OffsetRect(1, 1);
    const int x = (rc.left + rc.right) / 2;
    const int y = (rc.top + rc.bottom) / 2;
    const BOOL bEnabled = pButton->IsWindowEnabled();
    const COLORREF clrArrow = KitColor(bEnabled ? kColorBtnText : kColorGrayText);
    switch (pButton->GetPushButtonStyle()) {
    case CKitButton::kPushDropDown:
        CKitDrawHelpers::Triangle(pDC, CPoint(x - 4, y - 2), CPoint(x + 4, y - 2), CPoint(x, y + 2), clrArrow);
        break;
    case CKitButton::kPushDropRight:
        CKitDrawHelpers::Triangle(pDC, CPoint(x - 2, y - 4), CPoint(x - 2, y + 4), CPoint(x + 2, y), clrArrow);
        break;
    case CKitButton::kPushSplit: {
        CKitDrawHelpers::Triangle(pDC, CPoint(x - 3, y - 2), CPoint(x + 5, y - 2), CPoint(x + 1, y + 2), clrArrow);
        const COLORREF clrSeparator = !bEnabled                   ? KitColor(kColorGrayText)
                                      : UsesVisualStyles(pButton) ? ::GetSysColor(COLOR_BTNSHADOW)
                                                                  : static_cast<COLORREF>(m_clrInnerShadow);
        pDC->FillSolidRect(rc.left, rc.top, 1, rc.Height(), clrSeparator);
        pDC->FillSolidRect(rc.left + 1, rc.top, 1, rc.Height(), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        break;
    }
    default:
        break;
    }
}

void CKitButtonTheme::DrawCaptionText(CDC* pDC, CKitButton* pButton)
{
    pDC->SetTextColor(GetTextColor(pButton));
    const int nType = pButton->GetButtonType();
    const int nPart = IsCheckType(nType) ? kPartCheckText : IsRadioType(nType) ? kPartRadioText : kPartGroupText;
    CRect rc;
    CalcRect(pDC, pButton, &rc, nPart);
    UINT nFlags = DT_SINGLELINE | DT_NOCLIP;
    const DWORD dwStyle = pButton->GetStyle();

    CSize sz(0, 0);
    HANDLE hImage = nullptr;
    const CString strText = pButton->GetButtonText();
    if (dwStyle & BS_BITMAP) {
        hImage = reinterpret_cast<HANDLE>(pButton->SendMessage(BM_GETIMAGE, IMAGE_BITMAP));
        BITMAP bm = {};
        if (hImage == nullptr || ::GetObjectA(hImage, sizeof(bm), &bm) == 0)
            return;
        sz = CSize(bm.bmWidth, bm.bmHeight);
    } else if (dwStyle & BS_ICON) {
        hImage = reinterpret_cast<HANDLE>(pButton->SendMessage(BM_GETIMAGE, IMAGE_ICON));
        if (hImage == nullptr)
            return;
        sz = CSize(16, 16);
    } else {
        if (strText.IsEmpty())
            return;
        if (dwStyle & BS_MULTILINE)
            nFlags = DT_WORDBREAK | DT_NOCLIP | DT_EDITCONTROL;
        if (pButton->GetMarkupElement() != nullptr) {
            sz = MeasureMarkupCaption(pButton, rc.Width(), rc.Height());
        } else {
            CRect rcCalc(0, 0, rc.Width(), 0);
            pDC->DrawText(strText, &rcCalc, nFlags | DT_CALCRECT);
            sz = rcCalc.Size();
        }
    }

    const DWORD dwAlignment = pButton->GetAlignment();
    int x = rc.left;
    const DWORD dwHorz = dwAlignment & BS_CENTER;
    if (dwHorz == BS_RIGHT) {
        x = rc.right - sz.cx;
        nFlags |= DT_RIGHT;
    } else if (dwHorz != BS_LEFT) {
        x = (rc.left - sz.cx + rc.right) / 2;
        nFlags |= DT_CENTER;
    }
    int y = rc.top;
    const DWORD dwVert = dwAlignment & BS_VCENTER;
    if (dwVert == BS_BOTTOM) {
        y = rc.bottom - sz.cy;
        nFlags |= DT_BOTTOM;
    } else if (dwVert != BS_TOP) {
        y = (rc.top - sz.cy + rc.bottom) / 2;
        nFlags |= DT_VCENTER;
    }

    if (dwStyle & BS_BITMAP) {
        ::DrawStateA(*pDC, nullptr, nullptr, reinterpret_cast<LPARAM>(hImage), 0, x, y, sz.cx, sz.cy, DST_BITMAP);
    } else if (dwStyle & BS_ICON) {
        ::DrawStateA(*pDC, nullptr, nullptr, reinterpret_cast<LPARAM>(hImage), 0, x, y, sz.cx, sz.cy, DST_ICON);
    } else if (pButton->GetMarkupElement() != nullptr) {
        RenderMarkupCaption(pDC, pButton, CRect(x, y, x + sz.cx, y + sz.cy), pDC->GetTextColor());
    } else {
        if (pButton->GetExStyle() & WS_EX_RTLREADING)
            nFlags |= DT_RTLREADING;
        if (IsUIStateHidden(pButton, UISF_HIDEACCEL))
            nFlags |= DT_HIDEPREFIX;
        if (dwStyle & BS_MULTILINE) {
            CRect rcText(x, y, x + sz.cx, y + sz.cy);
            pDC->DrawText(strText, &rcText, nFlags | DT_NOCLIP);
        } else {
            pDC->DrawText(strText, &rc, nFlags);
        }
    }

    if (::GetFocus() == pButton->GetSafeHwnd() && pButton->IsShowFocus() && !IsUIStateHidden(pButton, UISF_HIDEFOCUS)) {
        const CRect rcButton = pButton->GetButtonRect();
        CRect rcFocus;
        rcFocus.left = std::max<int>(rcButton.left, x - m_cxBorder);
        rcFocus.top = std::max<int>(rcButton.top, y - m_cyBorder);
        rcFocus.right = std::min<int>(rcButton.right, rcFocus.left + sz.cx + m_cxEdge);
        rcFocus.bottom = std::min<int>(rcButton.bottom, rcFocus.top + sz.cy + m_cyEdge);
        pDC->SetTextColor(KitColor(kColorBtnText));
        pDC->SetBkColor(KitColor(kColorWindow));
        pDC->DrawFocusRect(&rcFocus);
    }
}

UINT CKitButtonTheme::FrameControlState(CKitButton* pButton, UINT nKind, int nChecked) const
{
    UINT nState = nKind;
    if (m_bFlatGlyphs)
        nState |= DFCS_FLAT;
    if (nChecked != 0)
        nState |= DFCS_CHECKED;
    if (!pButton->IsWindowEnabled())
        nState |= DFCS_INACTIVE;
    if (pButton->IsPushed())
        nState |= DFCS_PUSHED;
    return nState;
}

void CKitButtonTheme::DrawCheckMark(CDC* pDC, CKitButton* pButton)
{
    CRect rc;
    CalcRect(pDC, pButton, &rc, kPartCheckGlyph);
    const int nChecked = pButton->GetChecked();
    const int nType = pButton->GetButtonType();
    if (UsesVisualStyles(pButton)) {
        int nState = GlyphState(pButton);
        if (nChecked == 1)
            nState += kCheckedStateOffset;
        else if (nChecked == 2)
            nState += IsThreeStateType(nType) ? kMixedStateOffset : kCheckedStateOffset;
        m_pTheme->DrawThemeBackground(*pDC, BP_CHECKBOX, nState, &rc, nullptr);
        return;
    }
    const UINT nKind = (nChecked == 2 && IsThreeStateType(nType)) ? DFCS_BUTTON3STATE : DFCS_BUTTONCHECK;
    ::DrawFrameControl(*pDC, &rc, DFC_BUTTON, FrameControlState(pButton, nKind, nChecked));
}

void CKitButtonTheme::DrawRadioButton(CDC* pDC, CKitButton* pButton)
{
    CRect rc;
    CalcRect(pDC, pButton, &rc, kPartRadioGlyph);
    const int nChecked = pButton->GetChecked();
    if (UsesVisualStyles(pButton)) {
        m_pTheme->DrawThemeBackground(*pDC, BP_RADIOBUTTON,
                                      GlyphState(pButton) + (nChecked != 0 ? kCheckedStateOffset : 0), &rc, nullptr);
        return;
    }
    ::DrawFrameControl(*pDC, &rc, DFC_BUTTON, FrameControlState(pButton, DFCS_BUTTONRADIO, nChecked));
}

CRect CKitButtonTheme::BeginGroupBox(CDC* pDC, CKitButton* pButton)
{
    CRect rcFrame;
    CRect rcText;
    CalcRect(pDC, pButton, &rcFrame, kPartGroupFrame);
    CalcRect(pDC, pButton, &rcText, kPartGroupText);
    rcText.OffsetRect((pButton->GetAlignment() & BS_RIGHT) != 0 ? m_cxEdge : -m_cxEdge, 0);
    if (!rcText.IsRectEmpty())
        ::ExcludeClipRect(*pDC, rcText.left, rcText.top, rcText.right, rcText.bottom);
    return rcFrame;
}

void CKitButtonTheme::DrawGroupBox(CDC* pDC, CKitButton* pButton)
{
    CRect rcFrame = BeginGroupBox(pDC, pButton);
    const UINT nFlat = m_bFlatGlyphs ? (BF_FLAT | BF_MONO) : 0;
    if (pButton->GetBorderStyle() == CKitButton::kBorderTopLine) {
        if (UsesVisualStyles(pButton)) {
            COLORREF clrLine = ::GetSysColor(COLOR_BTNSHADOW);
            COLORREF clrHint = 0;
            if (SUCCEEDED(m_pTheme->GetThemeColor(BP_GROUPBOX, 1, kThemeBorderColorHint, &clrHint)))
                clrLine = clrHint;
            pDC->FillSolidRect(rcFrame.left, rcFrame.top, rcFrame.Width(), 1, clrLine);
        } else {
            pDC->DrawEdge(&rcFrame, EDGE_ETCHED, BF_TOP | nFlat);
        }
    } else if (UsesVisualStyles(pButton)) {
        m_pTheme->DrawThemeBackground(*pDC, BP_GROUPBOX, pButton->IsWindowEnabled() ? 1 : 2, &rcFrame, nullptr);
    } else {
        pDC->DrawEdge(&rcFrame, EDGE_ETCHED, BF_RECT | nFlat);
    }
    pDC->SelectClipRgn(nullptr);
}

void CKitButtonTheme::DrawVisualStyleBackground(CDC* pDC, CKitButton* pButton)
{
    int nState = kStateNormal;
    if (!pButton->IsWindowEnabled())
        nState = kStateDisabled;
    else if (pButton->IsPushed())
        nState = kStatePressed;
    else if (pButton->IsHot())
        nState = kStateHot;
    else if (pButton->GetChecked() != 0)
        nState = kStatePressed;
    else if (pButton->GetButtonType() == BS_DEFPUSHBUTTON && !m_bToolbarClass)
        nState = kStateDefaulted;
    const CRect rc = pButton->GetButtonRect();
    m_pTheme->DrawThemeBackground(*pDC, BP_PUSHBUTTON, nState, &rc, nullptr);
}

void CKitButtonTheme::DrawButtonBackground(CDC* pDC, CKitButton* pButton)
{
    if (pButton->IsFlatStyle() && !pButton->IsHot() && !IsDown(pButton))
        return;
    if (UsesVisualStyles(pButton)) {
        DrawVisualStyleBackground(pDC, pButton);
        return;
    }
    CRect rc = pButton->GetButtonRect();
    pDC->FillSolidRect(&rc, pButton->GetBackColor());
    if (pButton->GetButtonType() == BS_DEFPUSHBUTTON) {
        FrameOnePixel(pDC, rc, m_clrOuterShadow);
        rc.DeflateRect(1, 1);
    }
    const BOOL bDown = IsDown(pButton);
    pDC->Draw3dRect(&rc, bDown ? m_clrOuterShadow : m_clrOuterLight, bDown ? m_clrOuterLight : m_clrOuterShadow);
    rc.DeflateRect(1, 1);
    pDC->Draw3dRect(&rc, bDown ? m_clrInnerShadow : m_clrInnerLight, bDown ? m_clrInnerLight : m_clrInnerShadow);
}

void CKitButtonTheme::DrawFocusRect(CDC* pDC, CKitButton* pButton)
{
    if (IsUIStateHidden(pButton, UISF_HIDEFOCUS))
        return;
    pDC->SetTextColor(KitColor(kColorBtnText));
    pDC->SetBkColor(KitColor(kColorWindow));
    CRect rc = pButton->GetButtonRect();
    rc.DeflateRect(m_nFocusInset, m_nFocusInset);
    pDC->DrawFocusRect(&rc);
}

// ---------------------------------------------------------------------------
// Flat.

CKitButtonFlatTheme::CKitButtonFlatTheme()
{
    m_nTheme = kThemeFlat;
    m_bFlatGlyphs = TRUE;
}

void CKitButtonFlatTheme::DrawButtonBackground(CDC* pDC, CKitButton* pButton)
{
    if (pButton->IsFlatStyle() && !pButton->IsHot() && !IsDown(pButton))
        return;
    CRect rc = pButton->GetButtonRect();
    pDC->FillSolidRect(&rc, pButton->GetBackColor());
    if (pButton->GetButtonType() == BS_DEFPUSHBUTTON) {
        FrameOnePixel(pDC, rc, KitColor(kColorWindowFrame));
        rc.DeflateRect(1, 1);
    }
    FrameOnePixel(pDC, rc, KitColor(kColorWindowFrame));
    rc.DeflateRect(1, 1);
    FrameOnePixel(pDC, rc, KitColor(kColorWindow));
}

// ---------------------------------------------------------------------------
// Ultra-flat.

CKitButtonUltraFlatTheme::CKitButtonUltraFlatTheme() : m_bColoredGlyphs(TRUE)
{
    m_nTheme = kThemeUltraFlat;
    m_bFlatGlyphs = TRUE;
    m_nFocusInset = 3;
}

void CKitButtonUltraFlatTheme::RefreshMetrics(CKitButton* pButton)
{
    CKitButtonTheme::RefreshMetrics(pButton);
    const COLORREF clrFace = pButton->GetBackColor();
    const COLORREF clrWindow = KitColor(COLOR_WINDOW);
    m_clrFace.SetStandardValue(clrFace);
    m_clrPushed.SetStandardValue(CKitColorManager::BlendColorsPercent(KitColor(COLOR_BTNSHADOW), clrFace, 50));
    const COLORREF clrHot = CKitColorManager::BlendColorsPercent(clrFace, clrWindow, 30);
    m_clrHot.SetStandardValue(clrHot);
    const COLORREF clrXPFace = KitColor(kColorXPFace);
    auto checked = [&](BYTE hot, BYTE face, BYTE window) { return hot * 10 / 100 + face * 50 / 100 + window * 40 / 100; };
    m_clrChecked.SetStandardValue(RGB(checked(GetRValue(clrHot), GetRValue(clrXPFace), GetRValue(clrWindow)),
                                      checked(GetGValue(clrHot), GetGValue(clrXPFace), GetGValue(clrWindow)),
                                      checked(GetBValue(clrHot), GetBValue(clrXPFace), GetBValue(clrWindow))));
    m_clrInnerLight.SetStandardValue(KitColor(COLOR_BTNSHADOW));
    m_clrInnerShadow.SetStandardValue(KitColor(COLOR_BTNSHADOW));
}

COLORREF CKitButtonUltraFlatTheme::GetStateFill(CKitButton* pButton)
{
    const BOOL bHot = pButton->IsHot();
    const BOOL bChecked = pButton->GetChecked() != 0;
    if (pButton->IsPushed() || (bHot && bChecked))
        return m_clrPushed;
    return bHot ? static_cast<COLORREF>(m_clrHot) : static_cast<COLORREF>(m_clrChecked);
}

void CKitButtonUltraFlatTheme::DrawIdleFace(CDC* pDC, CKitButton* pButton, CRect rc)
{
    pDC->FillSolidRect(&rc, pButton->GetBackColor());
    FrameOnePixel(pDC, rc, m_clrInnerShadow);
}

void CKitButtonUltraFlatTheme::DrawButtonBackground(CDC* pDC, CKitButton* pButton)
{
    if (pButton->IsFlatStyle() && !pButton->IsHot() && !IsDown(pButton))
        return;
    CRect rc = pButton->GetButtonRect();
    if (pButton->GetButtonType() == BS_DEFPUSHBUTTON) {
        FrameOnePixel(pDC, rc, m_clrInnerShadow);
        rc.DeflateRect(1, 1);
    }
    if (!pButton->IsHot() && !IsDown(pButton)) {
        DrawIdleFace(pDC, pButton, rc);
        return;
    }
    pDC->FillSolidRect(&rc, GetStateFill(pButton));
    FrameOnePixel(pDC, rc, m_clrInnerLight);
}

COLORREF CKitButtonUltraFlatTheme::GetGlyphFill(CKitButton* pButton)
{
    const BOOL bHot = pButton->IsHot();
    const BOOL bPushed = pButton->IsPushed();
    if (m_bColoredGlyphs) {
        if (bHot && bPushed)
            return m_clrPushed;
        if (bHot || bPushed)
            return m_clrHot;
        return KitColor(kColorWindow);
    }
    return KitColor(bHot && bPushed ? kColorBtnFace : kColorWindow);
}

COLORREF CKitButtonUltraFlatTheme::GetGlyphFrame(CKitButton* pButton)
{
    return pButton->IsHot() || pButton->IsPushed() ? static_cast<COLORREF>(m_clrInnerLight)
                                                   : static_cast<COLORREF>(m_clrInnerShadow);
}

void CKitButtonUltraFlatTheme::DrawCheckMark(CDC* pDC, CKitButton* pButton)
{
    CRect rc;
    CalcRect(pDC, pButton, &rc, kPartCheckGlyph);
    const BOOL bEnabled = pButton->IsWindowEnabled();
    if (!bEnabled) {
        pDC->FillSolidRect(&rc, KitColor(kColorBtnFace));
        FrameOnePixel(pDC, rc, KitColor(kColorDisabledGlyph));
    } else {
        pDC->FillSolidRect(&rc, GetGlyphFill(pButton));
        FrameOnePixel(pDC, rc, GetGlyphFrame(pButton));
    }
    const int nChecked = pButton->GetChecked();
    if (nChecked != 1 && nChecked != 2)
        return;
    CKitPenDC pen(pDC->GetSafeHdc(), KitColor(!bEnabled || nChecked == 2 ? kColorDisabledGlyph : kColorBtnText));
    const CPoint ptCentre = rc.CenterPoint();
    const int x = ptCentre.x;
    const int y = ptCentre.y;
    const int nMirror = CKitDrawHelpers::IsContextRTL(pDC) ? -1 : 1;
    for (int i = 1; i <= 3; ++i) {
        pDC->MoveTo(x - 3 * nMirror, y + i - 2);
        pDC->LineTo(x - 1 * nMirror, y + i);
        pDC->LineTo(x + 4 * nMirror, y + i - 5);
    }
}

void CKitButtonUltraFlatTheme::DrawRadioButton(CDC* pDC, CKitButton* pButton)
{
    CRect rc;
    CalcRect(pDC, pButton, &rc, kPartRadioGlyph);
    const BOOL bEnabled = pButton->IsWindowEnabled();
    if (!bEnabled)
        DrawSmoothDisc(pDC, rc, KitColor(kColorDisabledGlyph), KitColor(kColorDisabledGlyphFill));
    else
        DrawSmoothDisc(pDC, rc, m_bColoredGlyphs ? GetGlyphFrame(pButton) : static_cast<COLORREF>(m_clrInnerShadow),
                       GetGlyphFill(pButton));
    const int nChecked = pButton->GetChecked();
    if (nChecked == 0)
        return;
    const COLORREF clrDot = KitColor(!bEnabled || nChecked == 2 ? kColorDisabledGlyph : kColorBtnText);
    DrawSmoothDisc(pDC, CRect(rc.left + 4, rc.top + 4, rc.left + 9, rc.top + 9), clrDot, clrDot);
}

void CKitButtonUltraFlatTheme::DrawSmoothDisc(CDC* pDC, const CRect& rc, COLORREF clrFrame, COLORREF clrFill)
{
    const double cx = (rc.left + rc.right - 1) / 2.0;
    const double cy = (rc.top + rc.bottom - 1) / 2.0;
    const double r = (rc.right - rc.left - 1) / 2.0 - 0.25;
    auto mix = [](COLORREF from, COLORREF to, double f) {
        auto channel = [f](int a, int b) { return static_cast<int>(a + (b - a) * f); };
        return RGB(channel(GetRValue(from), GetRValue(to)), channel(GetGValue(from), GetGValue(to)),
                   channel(GetBValue(from), GetBValue(to)));
    };
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x) {
            const double d = std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy));
            if (d < r - 1)
                pDC->SetPixel(x, y, clrFill);
            else if (d < r)
                pDC->SetPixel(x, y, mix(clrFrame, clrFill, r - d));
            else if (d <= r + 1)
                pDC->SetPixel(x, y, mix(clrFrame, pDC->GetPixel(x, y), d - r));
        }
    }
}

void CKitButtonUltraFlatTheme::DrawGroupBox(CDC* pDC, CKitButton* pButton)
{
    const CRect rcFrame = BeginGroupBox(pDC, pButton);
    if (pButton->GetBorderStyle() == CKitButton::kBorderTopLine)
        pDC->FillSolidRect(rcFrame.left, rcFrame.top, rcFrame.Width(), 1, m_clrInnerShadow);
    else
        FrameOnePixel(pDC, rcFrame, m_clrInnerShadow);
    pDC->SelectClipRgn(nullptr);
}

// ---------------------------------------------------------------------------
// Office 2000, Office XP, Office 2003.

CKitButtonOffice2000Theme::CKitButtonOffice2000Theme()
{
    m_nTheme = kThemeOffice2000;
    m_bColoredGlyphs = FALSE;
    m_nFocusInset = 2;
}

void CKitButtonOffice2000Theme::DrawButtonBackground(CDC* pDC, CKitButton* pButton)
{
    if (pButton->IsFlatStyle() && !pButton->IsHot() && !IsDown(pButton))
        return;
    const CRect rc = pButton->GetButtonRect();
    pDC->FillSolidRect(&rc, pButton->GetBackColor());
    const BOOL bDown = IsDown(pButton);
    pDC->Draw3dRect(&rc, bDown ? m_clrInnerShadow : m_clrOuterLight, bDown ? m_clrOuterLight : m_clrInnerShadow);
}

CKitButtonOfficeXPTheme::CKitButtonOfficeXPTheme()
{
    m_nTheme = kThemeOfficeXP;
    m_nFocusInset = 2;
    m_bOffsetHiliteText = FALSE;
}

void CKitButtonOfficeXPTheme::RefreshMetrics(CKitButton* pButton)
{
    CKitButtonUltraFlatTheme::RefreshMetrics(pButton);
    m_clrFace.SetStandardValue(KitColor(kColorXPFace));
    m_clrPushed.SetStandardValue(KitColor(kColorXPPushed));
    m_clrHot.SetStandardValue(KitColor(kColorXPHot));
    m_clrInnerShadow.SetStandardValue(KitColor(COLOR_BTNSHADOW));
    m_clrInnerLight.SetStandardValue(KitColor(kColorXPInnerLight));
    m_clrChecked.SetStandardValue(KitColor(kColorXPChecked));
}

void CKitButtonOfficeXPTheme::DrawButtonBackground(CDC* pDC, CKitButton* pButton)
{
    if (pButton->IsFlatStyle() && !pButton->IsHot() && !IsDown(pButton))
        return;
    const CRect rc = pButton->GetButtonRect();
    if (!pButton->IsHot() && !IsDown(pButton)) {
        pDC->FillSolidRect(&rc, m_clrFace);
        FrameOnePixel(pDC, rc, m_clrInnerShadow);
        return;
    }
    pDC->FillSolidRect(&rc, GetStateFill(pButton));
    FrameOnePixel(pDC, rc, m_clrInnerLight);
}

CKitButtonOffice2003Theme::CKitButtonOffice2003Theme() : m_bLunaTheme(FALSE)
{
    m_nTheme = kThemeOffice2003;
}

void CKitButtonOffice2003Theme::RefreshMetrics(CKitButton* pButton)
{
    CKitButtonOfficeXPTheme::RefreshMetrics(pButton);
    const int nStyle = CKitColorManager::Instance()->GetCurrentSystemTheme();
    m_bLunaTheme = nStyle != CKitColorManager::kThemeNone;
    if (!m_bLunaTheme)
        return;
    m_clrHot.SetStandardValue(0xC2EEFF);
    m_clrPushed.SetStandardValue(0x3E80FE);
    m_clrChecked.SetStandardValue(0x6FC0FF);
    switch (nStyle) {
    case CKitColorManager::kThemeBlue:
    case CKitColorManager::kThemeRoyale:
    case CKitColorManager::kThemeAero:
        m_clrFace.SetStandardValue(0xF0C7A9);
        m_clrInnerShadow.SetStandardValue(0xB99D7F);
        m_clrInnerLight.SetStandardValue(0x800000);
        break;
    case CKitColorManager::kThemeOlive:
        m_clrFace.SetStandardValue(0x9FD4C5);
        m_clrInnerShadow.SetStandardValue(0x7FB9A4);
        m_clrInnerLight.SetStandardValue(0x385D3F);
        break;
    case CKitColorManager::kThemeSilver:
        m_clrFace.SetStandardValue(0xD3C0C0);
        m_clrInnerShadow.SetStandardValue(0xB2ACA5);
        m_clrInnerLight.SetStandardValue(0x0B4B4B);
        break;
    default:
        break;
    }
}

void CKitButtonOffice2003Theme::DrawButtonBackground(CDC* pDC, CKitButton* pButton)
{
    if (!m_bLunaTheme || (!pButton->IsHot() && !IsDown(pButton))) {
        CKitButtonOfficeXPTheme::DrawButtonBackground(pDC, pButton);
        return;
    }
    const CRect rc = pButton->GetButtonRect();
    const int nGradient = pButton->IsPushed() ? kGradientPushed : pButton->IsHot() ? kGradientHot : kGradientChecked;
    CKitDrawHelpers::Instance()->FillColorGradient(pDC, &rc, CKitColorManager::Instance()->GetGradient(nGradient),
                                                   FALSE);
    FrameOnePixel(pDC, rc, m_clrInnerLight);
}

// ---------------------------------------------------------------------------
// Resource images.

CKitButtonResourceTheme::CKitButtonResourceTheme()
{
    m_nTheme = kThemeResource;
    m_nFocusInset = 2;
}

void CKitButtonResourceTheme::RefreshMetrics(CKitButton* pButton)
{
    CKitButtonUltraFlatTheme::RefreshMetrics(pButton);
    if (CKitResourceImages* pImages = CKitResourceImages::Instance(); pImages->IsValid()) {
        const COLORREF clrFrame = pImages->GetImageColor("Controls", "GroupBoxFrame", static_cast<COLORREF>(-1));
        if (clrFrame != static_cast<COLORREF>(-1))
            m_clrInnerShadow.SetStandardValue(clrFrame);
    }
}

void CKitButtonResourceTheme::DrawButtonBackground(CDC* pDC, CKitButton* pButton)
{
    CKitResourceImages* pImages = CKitResourceImages::Instance();
    CKitResourceImage* pImage = pImages->IsValid() ? pImages->LoadImage(kPushButtonImage) : nullptr;
    if (pImage == nullptr) {
        CKitButtonTheme::DrawButtonBackground(pDC, pButton);
        return;
    }
    if (pButton->IsFlatStyle() && !pButton->IsHot() && !IsDown(pButton))
        return;
    const BOOL bHot = pButton->IsHot();
    const BOOL bPushed = pButton->IsPushed();
    int nFrame = 0;
    if (!pButton->IsWindowEnabled())
        nFrame = 3;
    else if (bPushed || (pButton->GetChecked() != 0 && !bHot))
        nFrame = 2;
    else if (bHot)
        nFrame = 1;
    else if (pButton->GetButtonType() == BS_DEFPUSHBUTTON)
        nFrame = 4;
    pImage->DrawImageTransparent(pDC, pButton->GetButtonRect(), pImage->GetSource(nFrame, kPushButtonFrames),
                                 CRect(kResourceMargin, kResourceMargin, kResourceMargin, kResourceMargin),
                                 kResourceTransparent);
}

BOOL CKitButtonResourceTheme::DrawGlyphImage(CDC* pDC, CKitButton* pButton, LPCSTR lpszImage, int nCount, int nPart)
{
    CKitResourceImages* pImages = CKitResourceImages::Instance();
    CKitResourceImage* pImage = pImages->IsValid() ? pImages->LoadImage(lpszImage) : nullptr;
    if (pImage == nullptr)
        return FALSE;
    int nFrame = 0;
    if (!pButton->IsWindowEnabled())
        nFrame = 3;
    else if (pButton->IsHot() && pButton->IsPushed())
        nFrame = 2;
    else if (pButton->IsHot())
        nFrame = 1;
    const int nChecked = pButton->GetChecked();
    if (nChecked == 1 || (nChecked == 2 && nPart == kPartRadioGlyph))
        nFrame += kCheckedStateOffset;
    else if (nChecked == 2)
        nFrame += kMixedStateOffset;
    CRect rc;
    CalcRect(pDC, pButton, &rc, nPart);
    pImage->DrawImage(pDC, rc, pImage->GetSource(nFrame, nCount));
    return TRUE;
}

void CKitButtonResourceTheme::DrawCheckMark(CDC* pDC, CKitButton* pButton)
{
    if (!DrawGlyphImage(pDC, pButton, kCheckBoxImage, kCheckBoxFrames, kPartCheckGlyph))
        CKitButtonTheme::DrawCheckMark(pDC, pButton);
}

void CKitButtonResourceTheme::DrawRadioButton(CDC* pDC, CKitButton* pButton)
{
    if (!DrawGlyphImage(pDC, pButton, kRadioImage, kRadioFrames, kPartRadioGlyph))
        CKitButtonTheme::DrawRadioButton(pDC, pButton);
}

CKitButtonTheme* KitCreateButtonTheme(int nTheme)
{
    switch (nTheme) {
    case CKitControlTheme::kThemeFlat: return new CKitButtonFlatTheme;
    case CKitControlTheme::kThemeUltraFlat: return new CKitButtonUltraFlatTheme;
    case CKitControlTheme::kThemeOffice2000: return new CKitButtonOffice2000Theme;
    case CKitControlTheme::kThemeOfficeXP: return new CKitButtonOfficeXPTheme;
    case CKitControlTheme::kThemeOffice2003: return new CKitButtonOffice2003Theme;
    case CKitControlTheme::kThemeResource: return new CKitButtonResourceTheme;
    default: return new CKitButtonTheme;
    }
}
