// The paint manager's measuring and drawing of command-bar controls, shared by every theme.
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/menu_bar.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/control_combo.h"
#include "toolkit/commandbars/control_edit.h"
#include "toolkit/commandbars/control_gallery.h"
#include "toolkit/commandbars/control_scroll.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/themes/paint/paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_paint_manager.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>
#include <cmath>

namespace {

// Text formats.
constexpr UINT kFormatSingleLine = DT_SINGLELINE | DT_VCENTER;              // 0x24
constexpr UINT kFormatPlain = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;     // 0x824
constexpr UINT kFormatVertical = DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX;   // 0x920
constexpr UINT kFormatMeasure = DT_SINGLELINE | DT_VCENTER | DT_CALCRECT;   // 0x424
// The side of a check-box or radio mark, and the gaps around it on a toolbar.
constexpr int kMarkSize = 13;
constexpr int kMarkInset = 3;
constexpr int kMarkGap = 5;
// The image box of a control without an image.
constexpr int kEmptyImageBox = 22;
// The least side of a large button, and the height of its two-line caption.
constexpr int kLargeButtonMinSide = 42;
constexpr int kTwoLineCaptionHeight = 24;
// Popup items: shortcut inset, the space after the caption, and a description's bottom inset.
constexpr int kShortcutRightInset = 19;
constexpr int kPopupCaptionExtra = 32;
// "BUTTON" theme parts.
constexpr int kPartRadio = 2;
constexpr int kPartCheckBox = 3;
// Combo boxes: the least height and drop-down button width.
constexpr int kMinComboHeight = 20;
constexpr int kMinDropDownWidth = 15;

// The text's extent in the DC's font; an empty text measures as one space.
CSize MeasureText(CDC* pDC, const CString& str)
{
    return pDC->GetTextExtent(str.IsEmpty() ? CString(" ") : str);
}

CString WithoutMnemonics(const CString& str)
{
    CString strPlain = str;
    CKitDrawHelpers::StripMnemonics(strPlain);
    return strPlain;
}

} // namespace

CSize CKitPaintManager::GetStretchIconSize(CKitImageManagerIcon* pIcon, int cx, int cy)
{
    if (pIcon == nullptr || pIcon->GetWidth() <= 0 || pIcon->GetHeight() <= 0)
        return CSize(cx, cy);
    const int h = pIcon->GetHeight() * cx / pIcon->GetWidth();
    if (h > cy + 1)
        return CSize(pIcon->GetWidth() * cy / pIcon->GetHeight(), cy);
    return CSize(cx, h);
}

std::unique_ptr<CKitWinThemeWrapper> CKitPaintManager::CreateThemeWrapper() const
{
    if (m_strThemeLibrary.IsEmpty())
        return std::make_unique<CKitWinThemeWrapper>();
    return std::make_unique<CKitWinThemeWrapper>(TRUE, m_strThemeLibrary);
}

void CKitPaintManager::DrawComposedText(CDC* pDC, const CString& str, CRect rc, UINT nFormat, BOOL bComposited,
                                        CKitWinThemeWrapper* pTheme)
{
    if (bComposited) {
        CKitWinThemeWrapper systemTheme;
        CKitWinThemeWrapper& theme = pTheme != nullptr ? *pTheme : systemTheme;
        theme.OpenThemeData(nullptr, L"GLOBALS");
        if (theme.IsThemeHandleOpen() && theme.IsAppThemed()) {
            BP_PAINTPARAMS params = {sizeof(BP_PAINTPARAMS)};
            HDC hdcBuffer = nullptr;
            HPAINTBUFFER hBuffer = theme.BeginBufferedPaint(pDC->m_hDC, &rc, BPBF_TOPDOWNDIB, &params, &hdcBuffer);
            if (hBuffer != nullptr) {
                ::BitBlt(hdcBuffer, rc.left, rc.top, rc.Width(), rc.Height(), pDC->m_hDC, rc.left, rc.top, SRCCOPY);
                HGDIOBJ hOldFont = ::SelectObject(hdcBuffer, ::GetCurrentObject(pDC->m_hDC, OBJ_FONT));
                DTTOPTS options = {sizeof(DTTOPTS)};
                options.dwFlags = DTT_COMPOSITED | DTT_TEXTCOLOR;
                options.crText = pDC->GetTextColor();
                const int nLength = ::MultiByteToWideChar(CP_ACP, 0, str, -1, nullptr, 0);
                std::wstring wide(static_cast<size_t>(std::max(nLength, 1)), L'\0');
                ::MultiByteToWideChar(CP_ACP, 0, str, -1, &wide[0], nLength);
                theme.DrawThemeTextEx(hdcBuffer, 0, 0, wide.c_str(), -1, nFormat, &rc, &options);
                ::SelectObject(hdcBuffer, hOldFont);
                theme.EndBufferedPaint(hBuffer, TRUE);
                theme.CloseThemeData();
                return;
            }
        }
        theme.CloseThemeData();
    }
    pDC->DrawText(str, rc, nFormat);
}

CKitImageManagerIcon* CKitPaintManager::GetControlImage(CKitControl* pControl, int nWidth)
{
    const UINT nIconId = pControl->GetIconId();
    if (nIconId == 0)
        return nullptr;
    return pControl->GetIcon(nWidth);
}

CKitPaintManager::ControlState CKitPaintManager::GetControlState(CKitControl* pControl)
{
    CKitCommandBar* pBar = pControl->GetParent();
    ControlState state = {};
    state.bSelected = pControl->GetSelected();
    state.bPressed = pControl->GetPressed();
    state.bEnabled = pControl->IsEnabled();
    if (pControl->GetType() == kitControlSplitButtonPopup && pControl->GetEnabledState() == 5)
        state.bEnabled = FALSE;
    state.bChecked = std::max(pControl->GetChecked(), 0);
    state.bPopuped = pControl->GetPopuped();
    state.nBarType = pBar != nullptr ? pBar->GetType() : kitBarTypeNormal;
    state.nBarPosition = pBar != nullptr ? pBar->GetPosition() : kitBarTop;
    return state;
}

CSize CKitPaintManager::DrawControl(CDC* pDC, CKitControl* pControl, BOOL bDraw)
{
    // Galleries and progress bars measure and draw themselves.
    auto* pGallery = dynamic_cast<CKitControlGallery*>(pControl);
    if ((pGallery != nullptr && !pGallery->IsShownAsButton()) || dynamic_cast<CKitControlProgress*>(pControl)) {
        if (bDraw)
            pControl->Draw(pDC);
        return pControl->GetSize(pDC);
    }
    if (auto* pEdit = dynamic_cast<CKitControlEdit*>(pControl))
        return DrawControlEdit(pDC, pEdit, bDraw);
    if (auto* pComboBox = dynamic_cast<CKitControlComboBox*>(pControl))
        return DrawControlComboBox(pDC, pComboBox, bDraw);
    if (pControl->IsInPopupBar())
        return DrawControlPopupParent(pDC, pControl, bDraw);
    return DrawControlToolBarParent(pDC, pControl, bDraw);
}

void CKitPaintManager::DrawControlEntry(CDC* pDC, CKitControl* pControl)
{
    // A control of a ribbon group is the ribbon painter's first.
    if (pControl->GetRibbonGroup() != nullptr && GetRibbonPaintManager()->DrawSpecialToolBarButton(pDC, pControl))
        return;
    const ControlState s = GetControlState(pControl);
    DrawRectangle(pDC, pControl->GetRect(), s.bSelected, s.bPressed, s.bEnabled, s.bChecked, s.bPopuped,
                  s.nBarType, s.nBarPosition);
}

COLORREF CKitPaintManager::GetControlTextColor(CKitControl* pControl)
{
    const ControlState s = GetControlState(pControl);
    return GetControlStateTextColor(s.bSelected, s.bPressed, s.bEnabled, s.bChecked, s.bPopuped, s.nBarType,
                                    s.nBarPosition);
}

BOOL CKitPaintManager::IsKeyboardCuesVisible(CKitControl* pControl) const
{
    if (m_nKeyboardCues == 0 || m_nKeyboardCues == 1)
        return m_nKeyboardCues;
    CKitCommandBar* pBar = pControl->GetParent();
    return pBar == nullptr || pBar->IsKeyboardCuesVisible();
}

void CKitPaintManager::DrawCaptionText(CDC* pDC, CKitControl* pControl, const CString& strCaption,
                                       const CString& strPlain, CRect rc, BOOL bVertical, BOOL bCentred)
{
    if (!pControl->IsEnabled() && m_bEmbossedDisabledText) {
        const COLORREF clrOld = pDC->SetTextColor(GetColor(COLOR_3DHIGHLIGHT));
        CRect rcEmboss = rc;
        rcEmboss.OffsetRect(1, 1);
        pDC->DrawText(strPlain, rcEmboss, bVertical ? kFormatVertical : kFormatPlain | (bCentred ? DT_CENTER : 0));
        pDC->SetTextColor(clrOld);
    }
    if (bVertical) {
        pDC->DrawText(strPlain, rc, kFormatVertical);
        return;
    }
    const UINT nCentre = bCentred ? DT_CENTER : 0;
    const BOOL bComposited = pControl->IsOnCompositedFrame();
    std::unique_ptr<CKitWinThemeWrapper> pTheme = bComposited ? CreateThemeWrapper() : nullptr;
    if (IsKeyboardCuesVisible(pControl))
        DrawComposedText(pDC, strCaption, rc, kFormatSingleLine | nCentre, bComposited, pTheme.get());
    else
        DrawComposedText(pDC, strPlain, rc, kFormatPlain | nCentre, bComposited, pTheme.get());
}

CSize CKitPaintManager::DrawSingleLineCaption(CDC* pDC, CKitControl* pControl, CRect rc, BOOL bVertical,
                                              BOOL bCentred, BOOL bArrow, BOOL bDraw)
{
    const CString& strCaption = pControl->GetCaption();
    const CString strPlain = WithoutMnemonics(strCaption);
    const CSize szText = MeasureText(pDC, strPlain);
    CSize sz = szText;
    if (bArrow)
        sz.cx += m_nCaptionSpacing == 0 ? 10 : 8;
    if (bVertical)
        sz = CSize(sz.cy, sz.cx);
    if (!bDraw)
        return sz;
    if (!bVertical) {
        CRect rcText = rc;
        if (bCentred) {
            const int nWidth = szText.cx + (bArrow ? 5 : 0);
            rcText.left = rc.left + (rc.Width() - nWidth) / 2;
            rcText.right = rcText.left + szText.cx;
        }
        DrawCaptionText(pDC, pControl, strCaption, strPlain, rcText, FALSE, FALSE);
        if (bArrow) {
            DrawDropDownArrow(pDC, pControl, rcText.left + szText.cx + 5, rc.CenterPoint().y,
                              pControl->GetSelected(), pControl->GetPopuped(), pControl->IsEnabled(), FALSE);
        }
    } else {
        // Vertical text runs downwards from the right of its column.
        const int x = rc.left + (rc.Width() + szText.cy) / 2;
        CRect rcText(x, rc.top + 3, x + szText.cx, rc.top + 3 + szText.cx);
        DrawCaptionText(pDC, pControl, strCaption, strPlain, rcText, TRUE, FALSE);
        if (bArrow) {
            DrawDropDownArrow(pDC, pControl, rc.CenterPoint().x, rc.top + 3 + szText.cx + 5,
                              pControl->GetSelected(), pControl->GetPopuped(), pControl->IsEnabled(), TRUE);
        }
    }
    return sz;
}

CSize CKitPaintManager::DrawImageAndCaption(CDC* pDC, CKitControl* pControl, CRect rc, CSize szImageBox,
                                            BOOL bImage, BOOL bVertical, BOOL bArrow, BOOL bDraw)
{
    CRect rcCaption = rc;
    if (!bVertical) {
        if (bImage)
            rcCaption.left += szImageBox.cx - (m_nCaptionSpacing == 0 ? 1 : 0);
        const CSize szCaption = DrawSingleLineCaption(pDC, pControl, rcCaption, FALSE, !bImage, bArrow, bDraw);
        const int nHeight = std::max(static_cast<int>(szImageBox.cy), static_cast<int>(szCaption.cy) + 6);
        if (bImage)
            return CSize(szImageBox.cx + 3 + szCaption.cx + (m_nCaptionSpacing != 0 ? 1 : 0), nHeight);
        return CSize(szCaption.cx + 8, nHeight);
    }
    if (bImage)
        rcCaption.top += szImageBox.cy;
    const CSize szCaption = DrawSingleLineCaption(pDC, pControl, rcCaption, TRUE, FALSE, bArrow, bDraw);
    if (bImage)
        return CSize(std::max(static_cast<int>(szImageBox.cx), static_cast<int>(szCaption.cx) + 6),
                     szCaption.cy + 3 + szImageBox.cy);
    return CSize(std::max(static_cast<int>(szImageBox.cx), static_cast<int>(szCaption.cx) + 6), szCaption.cy + 8);
}

CSize CKitPaintManager::DrawTwoLineCaption(CDC* pDC, CKitControl* pControl, CRect rc, BOOL bVertical, BOOL bArrow,
                                           BOOL bDraw)
{
    CString strFirst, strSecond;
    if (m_bSplitTwoLineCaptions)
        SplitString(pControl->GetCaption(), strFirst, strSecond);
    else
        strFirst = pControl->GetCaption();
    const CString strFirstPlain = WithoutMnemonics(strFirst);
    const CString strSecondPlain = WithoutMnemonics(strSecond);
    const int nFirst = MeasureText(pDC, strFirstPlain).cx;
    const int nSecond = MeasureText(pDC, strSecondPlain).cx + (bArrow ? 8 : 0);
    const CSize sz(std::max(nFirst, nSecond), kTwoLineCaptionHeight);
    if (!bDraw)
        return bVertical ? CSize(sz.cy, sz.cx) : sz;
    const ControlState s = GetControlState(pControl);
    if (!bVertical) {
        const int nMiddle = rc.CenterPoint().y;
        DrawCaptionText(pDC, pControl, strFirst, strFirstPlain, CRect(rc.left, rc.top, rc.right, nMiddle + 1), FALSE,
                        TRUE);
        const CRect rcSecond(rc.left, nMiddle + 1, rc.right, rc.bottom);
        if (!strSecond.IsEmpty())
            DrawCaptionText(pDC, pControl, strSecond, strSecondPlain, rcSecond, FALSE, TRUE);
        if (bArrow) {
            const int nSecondText = MeasureText(pDC, strSecondPlain).cx;
            const int x = strSecond.IsEmpty() ? rc.CenterPoint().x - 1
                                              : rc.left + (rc.Width() + nSecondText) / 2 + 4;
            DrawDropDownArrow(pDC, pControl, x, (rcSecond.top + rcSecond.bottom) / 2, s.bSelected, s.bPopuped,
                              s.bEnabled, FALSE);
        }
    } else {
        const int nMiddle = rc.CenterPoint().x;
        DrawCaptionText(pDC, pControl, strFirst, strFirstPlain, CRect(nMiddle + 1, rc.top, rc.right, rc.bottom),
                        TRUE, TRUE);
        if (!strSecond.IsEmpty())
            DrawCaptionText(pDC, pControl, strSecond, strSecondPlain, CRect(rc.left, rc.top, nMiddle + 1, rc.bottom),
                            TRUE, TRUE);
        if (bArrow)
            DrawDropDownArrow(pDC, pControl, (rc.left + nMiddle) / 2, rc.top + nSecond + 4, s.bSelected,
                              s.bPopuped, s.bEnabled, TRUE);
    }
    return bVertical ? CSize(sz.cy, sz.cx) : sz;
}

CSize CKitPaintManager::DrawToolBarCheckControl(CDC* pDC, CKitControl* pControl, BOOL bVertical, BOOL bDraw)
{
    const ControlState s = GetControlState(pControl);
    const BOOL bRadio = pControl->GetType() == kitControlRadioButton;
    const CRect rc = bDraw ? pControl->GetRect() : CRect();
    CRect rcMark;
    CRect rcCaption = rc;
    if (!bVertical) {
        rcMark = CRect(CPoint(rc.left + kMarkInset, rc.CenterPoint().y - kMarkSize / 2), CSize(kMarkSize, kMarkSize));
        rcCaption.left = rcMark.right + kMarkGap;
    } else {
        rcMark = CRect(CPoint(rc.CenterPoint().x - kMarkSize / 2, rc.top + kMarkInset), CSize(kMarkSize, kMarkSize));
        rcCaption.top = rcMark.bottom + kMarkGap;
    }
    const CSize szMark = bRadio ? DrawControlRadioButtonMark(pDC, rcMark, bDraw, s.bSelected, s.bPressed,
                                                             s.bChecked, s.bEnabled)
                                : DrawControlCheckBoxMark(pDC, rcMark, bDraw, s.bSelected, s.bPressed, s.bChecked,
                                                          s.bEnabled);
    if (!bDraw) {
        CSize sz = DrawImageAndCaption(pDC, pControl, rc, CSize(0, 0), FALSE, bVertical, FALSE, FALSE);
        if (bVertical)
            sz.cy += kMarkGap + szMark.cy;
        else
            sz.cx += kMarkGap + szMark.cx;
        return sz;
    }
    pDC->SetTextColor(GetControlTextColor(pControl));
    const CSize szCaption = DrawSingleLineCaption(pDC, pControl, rcCaption, bVertical, FALSE, FALSE, TRUE);
    if (IsKeyboardState(pControl->GetSelected())) {
        // Round the caption as the single-line routine placed it.
        const CRect rcFocus =
            bVertical ? CRect(rcCaption.left, rcCaption.top, rcCaption.right, rcCaption.top + szCaption.cy)
                      : CRect(rcCaption.left - 1, rc.CenterPoint().y - szCaption.cy / 2 - 1,
                              rcCaption.left + szCaption.cx + 1, rc.CenterPoint().y + szCaption.cy / 2 + 1);
        const COLORREF clrText = pDC->SetTextColor(GetColor(COLOR_BTNTEXT));
        const COLORREF clrBk = pDC->SetBkColor(GetColor(COLOR_3DFACE));
        pDC->DrawFocusRect(rcFocus);
        pDC->SetTextColor(clrText);
        pDC->SetBkColor(clrBk);
    }
    return CSize(0, 0);
}

CSize CKitPaintManager::DrawControlToolBarParent(CDC* pDC, CKitControl* pControl, BOOL bDraw)
{
    CFont* pOldFont = pDC->SelectObject(GetControlFont(pControl));
    CKitCommandBar* pBar = pControl->GetParent();
    const CRect rc = bDraw ? pControl->GetRect() : CRect();
    const int nType = pControl->GetType();
    const int nStyle = pControl->GetStyle();
    const BOOL bVertical = GetControlTextOrientation(pControl) == kitTextOrientationVertical;
    const bool bLarge = nStyle == kitButtonIconAndCaptionBelow;
    const CSize szIcon = pBar == nullptr ? CSize(16, 16) : bLarge ? pBar->GetLargeIconSize() : pBar->GetIconSize();

    CKitImageManagerIcon* pImage = nullptr;
    if (nStyle != kitButtonCaption && !(nStyle == kitButtonAutomatic && nType == kitControlPopup))
        pImage = GetControlImage(pControl, szIcon.cx);
    const CSize szImage = pImage != nullptr ? GetStretchIconSize(pImage, szIcon.cx, szIcon.cy) : CSize(0, 0);
    const ControlState s = GetControlState(pControl);

    CSize sz(0, 0);
    if ((nType == kitControlCheckBox || nType == kitControlRadioButton) &&
        (pBar == nullptr || pBar->GetType() != kitBarTypePopup)) {
        sz = DrawToolBarCheckControl(pDC, pControl, bVertical, bDraw);
        pDC->SelectObject(pOldFont);
        return sz;
    }
    if (bDraw) {
        if (nType == kitControlSplitButtonPopup)
            DrawSplitButtonFrame(pDC, pControl, rc);
        else
            DrawControlEntry(pDC, pControl);
        pDC->SetTextColor(GetControlTextColor(pControl));
        pDC->SetBkMode(TRANSPARENT);
    }
    const BOOL bArrow = pControl->HasDropDownArrow();
    const BOOL bCaption = pControl->IsCaptionVisible() && !pControl->GetCaption().IsEmpty() &&
                          nStyle != kitButtonIcon;
    auto drawImage = [&](CPoint pt) {
        if (bDraw && pImage != nullptr)
            DrawControlImage(pDC, pt, szImage, pImage, s.bSelected, s.bPressed, s.bEnabled, s.bChecked, s.bPopuped,
                             TRUE);
    };
    const auto* pToolBar = dynamic_cast<const CKitToolBar*>(pBar);

    if (bLarge) {
        const int nArrowPart = GetSplitDropDownSize();
        const int nAcross = m_nFixedControlSize > 0 ? m_nFixedControlSize * 3 : szIcon.cy + 7 + nArrowPart;
        const int nAlong = std::max(2 * GetControlHeight() - 3, kLargeButtonMinSide);
        sz = bVertical ? CSize(nAcross, nAlong) : CSize(nAlong, nAcross);
        if (!bVertical) {
            drawImage(CPoint(rc.CenterPoint().x - szImage.cx / 2, rc.top + 3));
            const CSize szCaption = DrawTwoLineCaption(
                pDC, pControl, CRect(rc.left, rc.bottom - nArrowPart, rc.right, rc.bottom), FALSE, bArrow, bDraw);
            sz.cx = std::max(sz.cx, szCaption.cx + 5);
        } else {
            drawImage(CPoint(rc.left + nArrowPart + 4, rc.CenterPoint().y - szImage.cy / 2));
            const CSize szCaption = DrawTwoLineCaption(
                pDC, pControl, CRect(rc.left, rc.top, rc.left + nArrowPart, rc.bottom), TRUE, bArrow, bDraw);
            sz.cy = std::max(sz.cy, szCaption.cy + 6);
        }
    } else if (pToolBar != nullptr && pToolBar->GetShowTextBelowIcons() == TRUE && pImage != nullptr) {
        pDC->SelectObject(pControl->IsCaptionBold() ? &m_fontBold : &m_fontRegular);
        const CSize szBox = pBar->GetButtonSize();
        drawImage(CPoint(rc.CenterPoint().x - szImage.cx / 2, rc.top + 4));
        const CString strPlain = WithoutMnemonics(pControl->GetCaption());
        const CSize szCaption = MeasureText(pDC, strPlain);
        if (bDraw)
            DrawCaptionText(pDC, pControl, pControl->GetCaption(), strPlain,
                            CRect(rc.left, rc.top + szBox.cy, rc.right, rc.bottom), FALSE, TRUE);
        sz.cx = std::max(static_cast<int>(szBox.cx), static_cast<int>(szCaption.cx) + 10) +
                (nType == kitControlSplitButtonPopup ? 11 : 0);
        sz.cy = szBox.cy + szCaption.cy;
        sz.cx = std::max(sz.cx, sz.cy);
    } else {
        const CSize szBox = pBar != nullptr ? pBar->GetButtonSize() : CSize(23, 22);
        // Where the image goes: beside the caption, at the left, or centred.
        CPoint ptImage = bVertical ? CPoint(rc.CenterPoint().x - szImage.cx / 2, rc.top + 3)
                                   : CPoint(rc.left + 3, rc.CenterPoint().y - szImage.cy / 2);
        if (nType == kitControlSplitButtonPopup || (nType == kitControlPopup && !bCaption)) {
            if (!bVertical)
                ptImage.x = rc.left + 3;
        } else if ((nType == kitControlButton || nType == kitControlButtonPopup) && !bCaption) {
            if (!bVertical)
                ptImage.x = rc.CenterPoint().x - szImage.cx / 2;
            else
                ptImage.y = rc.CenterPoint().y - szImage.cy / 2;
        }
        switch (nType) {
        case kitControlButton:
        case kitControlButtonPopup:
        case kitControlLabel:
        case kitControlGallery:
            drawImage(ptImage);
            if (bCaption)
                sz = DrawImageAndCaption(pDC, pControl, rc,
                                         pImage != nullptr ? szBox : CSize(kEmptyImageBox, szBox.cy),
                                         pImage != nullptr, bVertical, FALSE, bDraw);
            else
                sz = szBox;
            break;
        case kitControlSplitButtonPopup: {
            const CSize szSplitBox = pImage != nullptr ? szBox : CSize(kEmptyImageBox, kEmptyImageBox);
            drawImage(ptImage);
            const int nDropDown = m_nSplitButtonDropDownWidth;
            if (!bCaption) {
                sz = CSize(szSplitBox.cx + nDropDown, szSplitBox.cy);
            } else {
                CRect rcLayout = rc;
                rcLayout.right -= nDropDown;
                sz = DrawImageAndCaption(pDC, pControl, rcLayout, szSplitBox, pImage != nullptr, bVertical, FALSE,
                                         bDraw);
                sz.cx += nDropDown;
            }
            break;
        }
        case kitControlPopup: {
            // The menus of a menu bar open without an arrow.
            const BOOL bPopupArrow = pBar == nullptr || pBar->GetType() != kitBarTypeMenuBar;
            if (pImage == nullptr) {
                sz = DrawSingleLineCaption(pDC, pControl, rc, bVertical, TRUE, bPopupArrow, bDraw);
                sz += CSize(6, 6);
            } else if (bCaption) {
                drawImage(ptImage);
                sz = DrawImageAndCaption(pDC, pControl, rc, szBox, TRUE, bVertical, bPopupArrow, bDraw);
            } else {
                drawImage(ptImage);
                if (bDraw)
                    DrawDropDownArrow(pDC, pControl, rc.right - 7, rc.CenterPoint().y, s.bSelected, s.bPopuped,
                                      s.bEnabled, FALSE);
                sz = CSize(szBox.cx + 7, szBox.cy);
            }
            break;
        }
        default:
            sz = CSize(0, 0);
            break;
        }
    }
    pDC->SelectObject(pOldFont);

    const CSize szCustom = pControl->GetCustomSize();
    if (szCustom.cx > 0)
        (bVertical ? sz.cy : sz.cx) = szCustom.cx;
    if (szCustom.cy > 0)
        (bVertical ? sz.cx : sz.cy) = szCustom.cy;
    return sz;
}

int CKitPaintManager::DrawControlText2(CDC* pDC, const CString& str, CRect rc, UINT nFormat, BOOL bDraw,
                                       BOOL bSelected, BOOL bEnabled)
{
    if (!bDraw) {
        CRect rcMeasure = rc;
        return pDC->DrawText(str, rcMeasure, kFormatMeasure);
    }
    nFormat |= kFormatSingleLine;
    if (!bEnabled && !bSelected && m_bEmbossedDisabledText) {
        const COLORREF clrOld = pDC->SetTextColor(GetColor(COLOR_3DHIGHLIGHT));
        CRect rcEmboss = rc;
        rcEmboss.OffsetRect(1, 1);
        pDC->DrawText(str, rcEmboss, nFormat);
        pDC->SetTextColor(clrOld);
    }
    return pDC->DrawText(str, rc, nFormat);
}

CSize CKitPaintManager::DrawControlPopupParent(CDC* pDC, CKitControl* pControl, BOOL bDraw)
{
    CKitCommandBar* pBar = pControl->GetParent();
    CFont* pOldFont = pDC->SelectObject(GetControlFont(pControl));
    const CRect rc = bDraw ? pControl->GetRect() : CRect();
    const int nType = pControl->GetType();
    const int nStyle = pControl->GetStyle();
    const CSize szImageBox = GetPopupBarImageSize(pBar);
    int nIconColumn = GetPopupBarGripperWidth(pBar) - 1;
    const bool bStyleOneLabel = nType == kitControlLabel && nStyle == kitButtonCaption;
    if (nType == kitControlLabel && !m_bKeepIconColumn &&
        (bStyleOneLabel || GetControlImage(pControl, pBar->GetIconSize().cx) == nullptr))
        nIconColumn = 0;

    CString strCaption = pControl->GetCaption();
    const CString& strShortcut = pControl->GetShortcutText();
    CRect rcCaption(rc.left + m_nPopupBarTextPadding + nIconColumn, rc.top, rc.right, rc.bottom);
    const CRect rcShortcut(rc.left + 8 + nIconColumn, rc.top, rc.right - kShortcutRightInset, rc.bottom);
    const int nShortcutWidth = strShortcut.IsEmpty() ? 0 : static_cast<int>(MeasureText(pDC, strShortcut).cx);
    if (nType == kitControlButton && !strShortcut.IsEmpty())
        rcCaption.right = rc.right - kShortcutRightInset - nShortcutWidth;

    UINT nFormat = DT_END_ELLIPSIS;
    if (!IsKeyboardCuesVisible(pControl)) {
        CKitDrawHelpers::StripMnemonics(strCaption);
        nFormat |= DT_NOPREFIX;
    }
    const ControlState s = GetControlState(pControl);
    const bool bDescription = nStyle == kitButtonCaptionAndDescription && !pControl->GetDescription().IsEmpty();
    if (bDescription)
        pDC->SelectObject(&m_fontBold);
    if (bDraw) {
        pDC->SetTextColor(GetControlTextColor(pControl));
        pDC->SetBkMode(TRANSPARENT);
    }
    CRect rcCaptionText = rcCaption;
    if (bDescription)
        rcCaptionText.bottom = rcCaption.top + MeasureText(pDC, strCaption).cy + 6;
    const int nCaptionHeight =
        DrawControlText2(pDC, strCaption, rcCaptionText, nFormat, bDraw, s.bSelected, s.bEnabled);
    const int nCaptionWidth = static_cast<int>(MeasureText(pDC, WithoutMnemonics(strCaption)).cx);
    if (bDraw && nType == kitControlButton && !strShortcut.IsEmpty())
        DrawControlText2(pDC, strShortcut, rcShortcut, DT_RIGHT | nFormat, TRUE, s.bSelected, s.bEnabled);

    int nDescriptionHeight = 0;
    int nDescriptionWidth = 0;
    if (bDescription) {
        pDC->SelectObject(&m_fontRegular);
        const CString& strDescription = pControl->GetDescription();
        nDescriptionWidth = static_cast<int>(MeasureText(pDC, strDescription).cx);
        CRect rcSample(0, 0, (nDescriptionWidth + 20) / 2, 0);
        nDescriptionHeight = pDC->DrawText("1\n2", rcSample, DT_WORDBREAK | DT_CALCRECT);
        if (bDraw) {
            CRect rcDescription(rcCaption.left, rcCaptionText.bottom - 2, rc.right - 10, rc.bottom);
            pDC->DrawText(strDescription, rcDescription, DT_WORDBREAK | DT_NOPREFIX);
        }
    }
    pDC->SelectObject(pOldFont);

    CSize sz(m_nPopupBarTextPadding + nIconColumn + kPopupCaptionExtra + nCaptionWidth + nShortcutWidth,
             bStyleOneLabel ? m_nTextHeight : szImageBox.cy);
    if (bDescription) {
        sz.cx = std::max(static_cast<int>(sz.cx),
                         nDescriptionWidth / 2 + m_nPopupBarTextPadding + kPopupCaptionExtra + nIconColumn);
        sz.cy = std::max(static_cast<int>(szImageBox.cy), nCaptionHeight + 19 + nDescriptionHeight);
    }
    const CSize szCustom = pControl->GetCustomSize();
    if (szCustom.cx > 0)
        sz.cx = szCustom.cx;
    if (szCustom.cy > 0)
        sz.cy = szCustom.cy;
    return sz;
}

CSize CKitPaintManager::DrawButtonMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed, int nChecked,
                                       BOOL bEnabled, BOOL bRadio)
{
    if (!bDraw)
        return CSize(kMarkSize, kMarkSize);
    if (m_bThemedCheckBox && m_themeButton.IsThemeHandleOpen() && m_themeButton.IsAppThemed()) {
        const int nBase = !bEnabled ? 3 : bSelected && bPressed ? 2 : bSelected ? 1 : 0;
        const int nOffset = nChecked == 1 ? 4 : nChecked == 2 ? 8 : 0;
        m_themeButton.DrawThemeBackground(pDC->m_hDC, bRadio ? kPartRadio : kPartCheckBox, 1 + nBase + nOffset, &rc,
                                          nullptr);
    } else {
        UINT nState = bRadio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
        if (nChecked > 0)
            nState |= DFCS_CHECKED;
        if (bPressed)
            nState |= DFCS_PUSHED;
        if (!bEnabled || nChecked == 2)
            nState |= DFCS_INACTIVE;
        pDC->DrawFrameControl(rc, DFC_BUTTON, nState);
    }
    return CSize(kMarkSize, kMarkSize);
}

CSize CKitPaintManager::DrawControlCheckBoxMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed,
                                                int nChecked, BOOL bEnabled)
{
    return DrawButtonMark(pDC, rc, bDraw, bSelected, bPressed, nChecked, bEnabled, FALSE);
}

CSize CKitPaintManager::DrawControlRadioButtonMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed,
                                                   int nChecked, BOOL bEnabled)
{
    return DrawButtonMark(pDC, rc, bDraw, bSelected, bPressed, nChecked, bEnabled, TRUE);
}

CSize CKitPaintManager::DrawFieldLabel(CDC* pDC, CKitControl* pControl, int nWidth, BOOL bComboBox, BOOL bDraw)
{
    CKitCommandBar* pBar = pControl->GetParent();
    const bool bPopup = pControl->IsInPopupBar() != FALSE;
    const bool bCaption = pControl->IsCaptionVisible() && !pControl->GetCaption().IsEmpty();
    if (bDraw) {
        if (bPopup) {
            DrawControlPopupParent(pDC, pControl, TRUE);
            return CSize(0, 0);
        }
        const CRect rc = pControl->GetRect();
        int x = rc.left + 2;
        CKitImageManagerIcon* pImage = GetControlImage(pControl, pBar != nullptr ? pBar->GetIconSize().cx : 16);
        if (pImage != nullptr) {
            const CSize sz = pImage->GetExtent();
            DrawControlImage(pDC, CPoint(rc.left + 3, rc.CenterPoint().y - sz.cy / 2), sz, pImage, FALSE, FALSE,
                             pControl->IsEnabled(), FALSE, FALSE, TRUE);
            x = rc.left + 6 + sz.cx;
        }
        if (bCaption) {
            CFont* pOld = pDC->SelectObject(&m_fontRegular);
            pDC->SetTextColor(GetControlStateTextColor(FALSE, FALSE, pControl->IsEnabled(), FALSE, FALSE,
                                                       pBar != nullptr ? pBar->GetType() : kitBarTypeNormal,
                                                       pBar != nullptr ? pBar->GetPosition() : kitBarTop));
            pDC->SetBkMode(TRANSPARENT);
            DrawSingleLineCaption(pDC, pControl, CRect(x, rc.top, rc.right, rc.bottom), FALSE, FALSE, FALSE, TRUE);
            pDC->SelectObject(pOld);
        }
        return CSize(0, 0);
    }

    CFont* pOld = pDC->SelectObject(&m_fontIcon);
    int h = m_nFixedControlSize > 0 ? m_nFixedControlSize : static_cast<int>(pDC->GetTextExtent(" ", 1).cy) + 7;
    if (bComboBox) {
        h = std::max(h, kMinComboHeight);
        auto* pComboBox = static_cast<CKitControlComboBox*>(pControl);
        pComboBox->SetDropDownWidth(std::max(static_cast<int>(std::lround(h * 9.0 / 14)) + 1, kMinDropDownWidth));
    }
    pDC->SelectObject(&m_fontRegular);
    if (bCaption && m_nFixedControlSize <= 0)
        h = std::max(h, static_cast<int>(pDC->GetTextExtent(" ", 1).cy) + 7);
    const int nCaptionWidth = bCaption ? static_cast<int>(MeasureText(pDC, WithoutMnemonics(pControl->GetCaption())).cx) : 0;
    pDC->SelectObject(pOld);

    int nLabelWidth = 0;
    int nGripper = 0;
    if (bPopup) {
        nGripper = GetPopupBarGripperWidth(pBar);
        nLabelWidth = m_nPopupBarTextPadding + nGripper + nCaptionWidth + 5;
    } else {
        CKitImageManagerIcon* pImage = GetControlImage(pControl, pBar != nullptr ? pBar->GetIconSize().cx : 16);
        if (bCaption)
            nLabelWidth += nCaptionWidth + 5;
        if (pImage != nullptr) {
            nLabelWidth += pImage->GetWidth() + 4;
            if (pBar != nullptr)
                h = std::max(h, static_cast<int>(pBar->GetButtonSize().cy));
        }
    }
    if (bComboBox)
        static_cast<CKitControlComboBox*>(pControl)->SetLabelWidth(nLabelWidth);
    else
        static_cast<CKitControlEdit*>(pControl)->SetLabelWidth(nLabelWidth);
    return CSize(nWidth + nGripper, h);
}

CRect CKitPaintManager::GetFieldRect(CKitControl* pControl, int nLabelWidth)
{
    const CRect rc = pControl->GetRect();
    return CRect(rc.left + nLabelWidth, rc.top, rc.right, rc.bottom);
}

void CKitPaintManager::DrawControlEditText(CDC* pDC, CKitControlEdit* pEdit, const CRect& rcField)
{
    // A placed edit window draws its own text.
    if (pEdit->HasWindow())
        return;
    CString strText = pEdit->GetEditText();
    const BOOL bHint = strText.IsEmpty() && !pEdit->IsFocused();
    if (bHint)
        strText = pEdit->GetEditHint();
    CFont* pOld = pDC->SelectObject(&m_fontRegular);
    pDC->SetTextColor(GetColor(pEdit->IsEnabled() && !bHint ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    pDC->SetBkMode(TRANSPARENT);
    CRect rcText(rcField.left + 3, rcField.top + 1, rcField.right - 3, rcField.bottom - 1);
    if (pEdit->IsSpinButtonsVisible())
        rcText.right -= CKitControlEdit::kSpinButtonsWidth;
    if (pEdit->GetBuddyButtonId() != 0)
        rcText.right = std::min<int>(rcText.right, pEdit->GetBuddyButtonRect().left);
    pDC->DrawText(strText, rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    pDC->SelectObject(pOld);
}

void CKitPaintManager::DrawControlEditBuddy(CDC* pDC, CKitControlEdit* pEdit)
{
    if (pEdit->GetBuddyButtonId() == 0)
        return;
    const CRect rcBuddy = pEdit->GetBuddyButtonRect();
    const BOOL bEnabled = pEdit->IsEnabled() ? TRUE : FALSE;
    const BOOL bHot = pEdit->GetSelected() == kitEditBuddy;
    DrawRectangle(pDC, rcBuddy, bHot, pEdit->GetPressed() == kitEditBuddy, bEnabled, FALSE, FALSE, kitBarTypeNormal, kitBarTop);
    CKitImageManagerIcon* pIcon = CKitImageManager::Instance()->GetImage(pEdit->GetBuddyButtonId(), 16);
    if (pIcon == nullptr)
        return;
    const CKitImageManagerIconHandle& image =
        !bEnabled ? pIcon->GetDisabledIcon() : bHot ? pIcon->GetHotIcon() : pIcon->GetNormalIcon();
    const CSize sz = image.GetExtent();
    pIcon->Draw(pDC, CPoint(rcBuddy.left + (rcBuddy.Width() - sz.cx) / 2, rcBuddy.top + (rcBuddy.Height() - sz.cy) / 2),
                image, sz);
}

void CKitPaintManager::DrawControlComboBoxText(CDC* pDC, CKitControlComboBox* pComboBox, const CRect& rcText)
{
    // A placed edit window draws its own text.
    if (pComboBox->HasWindow())
        return;
    CString strText = pComboBox->GetEditText();
    const BOOL bHint = strText.IsEmpty() && (!pComboBox->IsFocused() || !pComboBox->IsEnabled());
    if (bHint)
        strText = pComboBox->GetEditHint();
    pDC->SetTextColor(GetColor(pComboBox->IsEnabled() && !bHint ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    pDC->SetBkMode(TRANSPARENT);
    CRect rc = rcText;
    pDC->DrawText(strText, rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

CSize CKitPaintManager::DrawControlComboBox(CDC* pDC, CKitControlComboBox* pComboBox, BOOL bDraw)
{
    return DrawFieldLabel(pDC, pComboBox, pComboBox->GetWidth(), TRUE, bDraw);
}

CSize CKitPaintManager::DrawControlEdit(CDC* pDC, CKitControlEdit* pEdit, BOOL bDraw)
{
    return DrawFieldLabel(pDC, pEdit, pEdit->GetWidth(), FALSE, bDraw);
}
