#include "toolkit/themes/paint/default_theme.h"

#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/control_combo.h"
#include "toolkit/commandbars/control_edit.h"
#include "toolkit/common/image_manager.h"

#include <algorithm>
#include <utility>

IMPLEMENT_DYNAMIC(CKitDefaultTheme, CKitPaintManager)
IMPLEMENT_DYNAMIC(CKitVisualStudio6Theme, CKitDefaultTheme)

namespace {

// Width of the arrow part of a split button that is not captioned below its icon.
constexpr int kSplitArrowWidth = 12;
// The drop-down part of a split item in a popup bar.
constexpr int kPopupSplitWidth = 20;
// The tear-off strip's height.
constexpr int kTearOffHeight = 8;
// The colour of the resize grip's dots.
constexpr int kGripperDots = 38;

} // namespace

CKitDefaultTheme::CKitDefaultTheme() = default;

void CKitDefaultTheme::DrawRaised(CDC* pDC, CRect rc)
{
    Draw3dRect(pDC, rc, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
}

void CKitDefaultTheme::DrawSunken(CDC* pDC, CRect rc)
{
    Draw3dRect(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
}

// An 8 x 8 checkerboard of the face and highlight colours.
void CKitDefaultTheme::DrawDithered(CDC* pDC, CRect rc)
{
    static const WORD kPattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    HBITMAP hPattern = ::CreateBitmap(8, 8, 1, 1, kPattern);
    HBRUSH hBrush = ::CreatePatternBrush(hPattern);
    const COLORREF clrOldText = ::SetTextColor(pDC->m_hDC, GetColor(COLOR_3DFACE));
    const COLORREF clrOldBk = ::SetBkColor(pDC->m_hDC, GetColor(COLOR_BTNHIGHLIGHT));
    HGDIOBJ hOld = ::SelectObject(pDC->m_hDC, hBrush);
    ::PatBlt(pDC->m_hDC, rc.left, rc.top, rc.Width(), rc.Height(), PATCOPY);
    ::SelectObject(pDC->m_hDC, hOld);
    ::SetTextColor(pDC->m_hDC, clrOldText);
    ::SetBkColor(pDC->m_hDC, clrOldBk);
    ::DeleteObject(hBrush);
    ::DeleteObject(hPattern);
}

void CKitDefaultTheme::DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                     BOOL bChecked, BOOL bPopuped, int nBarType, int nBarPosition)
{
    if (nBarType == kitBarTypePopup) {
        if (bChecked && m_bFullWidthMenuHighlight && nBarPosition == kitBarPopup) {
            DrawDithered(pDC, rc);
            DrawSunken(pDC, rc);
            return;
        }
        if (!bChecked) {
            if (bSelected || bPressed)
                Rectangle(pDC, rc, COLOR_HIGHLIGHT, COLOR_HIGHLIGHT);
            return;
        }
    }
    if (bEnabled && bChecked) {
        if (!bSelected && !bPressed)
            DrawDithered(pDC, rc);
        DrawSunken(pDC, rc);
    } else if (bEnabled && (bPopuped || IsKeyboardState(bPressed))) {
        DrawSunken(pDC, rc);
    } else if (bEnabled) {
        if (!bSelected && !bPressed)
            return;
        if (bSelected && bPressed)
            DrawSunken(pDC, rc);
        else
            DrawRaised(pDC, rc);
    } else {
        if (bChecked)
            DrawSunken(pDC, rc);
        if (IsKeyboardState(bSelected))
            DrawSunken(pDC, rc);
    }
}

COLORREF CKitDefaultTheme::GetControlStateTextColor(BOOL bSelected, BOOL /*bPressed*/, BOOL bEnabled,
                                                    BOOL bChecked, BOOL /*bPopuped*/, int nBarType,
                                                    int nBarPosition)
{
    if (!bEnabled)
        return GetColor(COLOR_GRAYTEXT);
    if (nBarType == kitBarTypePopup)
        return GetColor(bSelected && !bChecked ? COLOR_HIGHLIGHTTEXT : m_nPopupBarText);
    return GetColor(nBarPosition == kitBarPopup ? m_nPopupBarText : COLOR_BTNTEXT);
}

void CKitDefaultTheme::FillCommandBarEntry(CDC* pDC, CKitCommandBar* pBar)
{
    CRect rc = GetBarClientRect(pBar);
    pDC->FillSolidRect(rc, GetColor(COLOR_3DFACE));
    const int nPosition = pBar->GetPosition();
    if (nPosition == kitBarFloating || nPosition == kitBarPopup) {
        Draw3dRect(pDC, rc, COLOR_3DFACE, COLOR_3DDKSHADOW);
        rc.DeflateRect(1, 1);
        DrawRaised(pDC, rc);
    } else if (!IsFlatCommandBar(pBar)) {
        DrawRaised(pDC, rc);
    }
}

CSize CKitDefaultTheme::DrawFloatingBarCaption(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw)
{
    if (pBar->IsDialogBar())
        return DrawCommandBarGripper(pDC, pBar, bDraw);
    const CRect rc = GetBarClientRect(pBar);
    switch (pBar->GetPosition()) {
    case kitBarFloating:
        return CKitPaintManager::DrawFloatingBarCaption(pDC, pBar, bDraw);
    case kitBarLeft:
    case kitBarRight:
        if (bDraw)
            DrawRaised(pDC, CRect(3, 3, rc.right - 3, 6));
        return CSize(0, 8);
    case kitBarTop:
    case kitBarBottom:
        if (bDraw)
            DrawRaised(pDC, CRect(3, 3, 6, rc.bottom - 3));
        return CSize(6, 0);
    default:
        return CSize(0, 0);
    }
}

CSize CKitVisualStudio6Theme::DrawFloatingBarCaption(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw)
{
    const int nPosition = pBar->GetPosition();
    const bool bHorizontal = nPosition == kitBarTop || nPosition == kitBarBottom;
    const bool bVertical = nPosition == kitBarLeft || nPosition == kitBarRight;
    if (pBar->IsDialogBar() || (!bHorizontal && !bVertical))
        return CKitDefaultTheme::DrawFloatingBarCaption(pDC, pBar, bDraw);
    const CRect rc = GetBarClientRect(pBar);
    if (bHorizontal) {
        if (bDraw) {
            DrawRaised(pDC, CRect(3, 3, 6, rc.bottom - 3));
            DrawRaised(pDC, CRect(7, 3, 10, rc.bottom - 3));
        }
        return CSize(10, 0);
    }
    if (bDraw) {
        DrawRaised(pDC, CRect(3, 3, rc.right - 3, 6));
        DrawRaised(pDC, CRect(3, 7, rc.right - 3, 10));
    }
    return CSize(0, 10);
}

CSize CKitDefaultTheme::DrawCommandBarSeparator(CDC* pDC, CKitCommandBar* pBar, CKitControl* pControl, BOOL bDraw)
{
    const bool bPopup = pBar->GetType() == kitBarTypePopup;
    if (!bDraw)
        return bPopup ? CSize(8, 8) : CSize(6, 6);
    const CRect rcRow = pControl->GetRowRect();
    const CRect rcControl = pControl->GetRect();
    const BOOL bWrap = pControl->GetWrap();
    const int nPosition = pBar->GetPosition();
    CRect rc;
    if (bPopup) {
        rc = bWrap ? CRect(rcControl.left - 5, rcRow.top + 3, rcControl.left - 3, rcRow.bottom - 3)
                   : CRect(rcControl.left + 11, rcControl.top - 5, rcControl.right - 11, rcControl.top - 3);
    } else if (nPosition == kitBarLeft || nPosition == kitBarRight) {
        rc = bWrap ? CRect(rcRow.right + 2, rcRow.top + 4, rcRow.right + 4, rcRow.bottom)
                   : CRect(rcRow.left, rcControl.top - 4, rcRow.right, rcControl.top - 2);
    } else {
        rc = bWrap ? CRect(rcRow.left + 4, rcRow.top - 4, rcRow.right, rcRow.top - 2)
                   : CRect(rcControl.left - 4, rcRow.top, rcControl.left - 2, rcRow.bottom);
    }
    Draw3dRect(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    return CSize(0, 0);
}

void CKitDefaultTheme::AdjustControlRect(CRect& rc, CKitControl* pControl, BOOL bVertical)
{
    CKitCommandBar* pBar = pControl->GetParent();
    if (pBar == nullptr || pControl->GetType() == kitControlComboBox)
        return;
    if (pBar->GetType() == kitBarTypePopup)
        rc.DeflateRect(1, 0);
    else if (bVertical)
        rc.InflateRect(0, 1);
    else
        rc.InflateRect(1, 0);
}

void CKitDefaultTheme::RefreshMetrics()
{
    CKitPaintManager::RefreshMetrics();
    m_clrFloatingGripper.SetStandardValue(GetColor(COLOR_ACTIVECAPTION));
    m_clrFloatingGripperText.SetStandardValue(GetColor(COLOR_CAPTIONTEXT));
}

CSize CKitDefaultTheme::DrawSpecialControl(CDC* pDC, int nKind, CKitControl* pControl, CKitCommandBar* pBar,
                                           BOOL bDraw, LPARAM lpParam)
{
    if (bDraw && (nKind == 2 || nKind == 3)) {
        if (pControl->GetPressed() || !pControl->GetSelected() || (nKind == 3 && !pControl->GetPopuped()))
            pDC->FillSolidRect(pControl->GetRect(), GetColor(COLOR_BTNFACE));
    }
    return CKitPaintManager::DrawSpecialControl(pDC, nKind, pControl, pBar, bDraw, lpParam);
}

CRect CKitDefaultTheme::GetCommandBarBorders(CKitCommandBar* pBar)
{
    if (pBar->GetType() == kitBarTypePopup)
        return CRect(3, 3, 3, 3);
    return CKitPaintManager::GetCommandBarBorders(pBar);
}

CSize CKitDefaultTheme::DrawTearOffGripper(CDC* pDC, CRect rcGripper, BOOL bSelected, BOOL bDraw)
{
    if (bDraw) {
        pDC->FillSolidRect(CRect(rcGripper.left, rcGripper.top, rcGripper.right, rcGripper.bottom - 1),
                           GetColor(bSelected ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    }
    return CSize(0, kTearOffHeight);
}

void CKitDefaultTheme::DrawPopupResizeGripper(CDC* pDC, CRect rcGripper, int nFlags)
{
    DrawResizeGripperDots(pDC, rcGripper, nFlags, kGripperDots);
}

void CKitDefaultTheme::DrawControlImage(CDC* pDC, CPoint pt, CSize sz, CKitImageManagerIcon* pImage,
                                        BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                                        BOOL /*bPopuped*/, BOOL /*bToolBarImage*/)
{
    if (pImage == nullptr)
        return;
    if (!bEnabled) {
        if (pImage->IsAlpha() || m_bUseDisabledIcons) {
            pImage->Draw(pDC, pt, pImage->GetDisabledIcon(), sz);
        } else {
            pImage->DrawMono(pDC, CPoint(pt.x + 1, pt.y + 1), pImage->GetNormalIcon(), sz,
                             GetColor(COLOR_BTNHIGHLIGHT));
            pImage->DrawMono(pDC, pt, pImage->GetNormalIcon(), sz, GetColor(COLOR_BTNSHADOW));
        }
        return;
    }
    if (bChecked == 2) {
        pImage->DrawMono(pDC, pt, pImage->GetCheckedIcon(), sz, GetColor(COLOR_BTNSHADOW));
        return;
    }
    if (bPressed || bChecked) {
        pt.Offset(1, 1);
        pImage->Draw(pDC, pt, bChecked ? pImage->GetCheckedIcon() : pImage->GetPressedIcon(), sz);
        return;
    }
    pImage->Draw(pDC, pt, bSelected ? pImage->GetHotIcon() : pImage->GetNormalIcon(), sz);
}

CSize CKitDefaultTheme::DrawCommandBarGripper(CDC* pDC, CKitCommandBar* /*pBar*/, BOOL bDraw)
{
    const int nHeight = std::max(kGripperMinHeight, m_nTextHeight + 4);
    if (bDraw)
        DrawRaised(pDC, CRect(3, 3, 6, nHeight));
    return CSize(6, nHeight);
}

CSize CKitDefaultTheme::GetPopupBarImageSize(CKitCommandBar* pBar)
{
    const CSize szIcon = pBar->GetIconSize();
    return CSize(std::max(m_nTextHeight, static_cast<int>(szIcon.cx) + 4),
                 std::max(m_nTextHeight, static_cast<int>(szIcon.cy) + 4));
}

void CKitDefaultTheme::DrawSplitButtonFrame(CDC* pDC, CKitControl* pButton, CRect rc)
{
    CKitCommandBar* pBar = pButton->GetParent();
    const int nPosition = pBar != nullptr ? pBar->GetPosition() : kitBarTop;
    const BOOL bSelected = pButton->GetSelected();
    const BOOL bPressed = pButton->GetPressed();
    const BOOL bEnabled = pButton->IsEnabled();
    const BOOL bChecked = pButton->GetChecked() > 0 ? pButton->GetChecked() : 0;
    const BOOL bPopuped = pButton->GetPopuped();
    const bool bActive = (bSelected || bPressed || bPopuped) && bEnabled;

    if (pButton->GetStyle() == kitButtonIconAndCaptionBelow) {
        const int nDropDown = GetSplitDropDownSize();
        CRect rcDropDown = rc;
        if (GetControlTextOrientation(pButton) == kitTextOrientationVertical)
            rcDropDown.right = rc.left + nDropDown;
        else
            rcDropDown.top = rc.bottom - nDropDown;
        DrawRectangle(pDC, rc, bSelected || bPopuped, bPressed, bEnabled, bChecked, FALSE, kitBarTypeNormal,
                      nPosition);
        if (bActive)
            DrawRectangle(pDC, rcDropDown, TRUE, FALSE, bEnabled, FALSE, bPopuped, kitBarTypeNormal, nPosition);
        return;
    }
    const CRect rcCommand(rc.left, rc.top, rc.right - kSplitArrowWidth, rc.bottom);
    const CRect rcArrow(rc.right - kSplitArrowWidth, rc.top, rc.right, rc.bottom);
    DrawRectangle(pDC, rcCommand, bSelected || bPopuped, bPressed, bEnabled, bChecked, FALSE, kitBarTypeNormal,
                  nPosition);
    if (bActive)
        DrawRectangle(pDC, rcArrow, TRUE, FALSE, bEnabled, FALSE, bPopuped, kitBarTypeNormal, nPosition);
    DrawDropDownArrow(pDC, pButton, rc.right - 7, rc.CenterPoint().y, bSelected, bPopuped, bEnabled, FALSE);
}

CSize CKitDefaultTheme::DrawControlPopupParent(CDC* pDC, CKitControl* pControl, BOOL bDraw)
{
    if (!bDraw)
        return CKitPaintManager::DrawControlPopupParent(pDC, pControl, FALSE);
    CKitCommandBar* pBar = pControl->GetParent();
    CFont* pOldFont = pDC->SelectObject(GetControlFont(pControl));
    const CRect rc = pControl->GetRect();
    const CSize szIcon = pBar->GetIconSize();
    const int nImageWidth = std::max(static_cast<int>(szIcon.cx) + 4, m_nTextHeight);
    const CRect rcImage(rc.left, rc.top, rc.left + nImageWidth, rc.bottom);
    const CPoint ptCentre = rcImage.CenterPoint();
    const CRect rcMark(ptCentre.x - 10, ptCentre.y - 10, ptCentre.x + 10, ptCentre.y + 10);
    const BOOL bFullWidth = m_bFullWidthMenuHighlight;
    const BOOL bSelected = pControl->GetSelected();
    const BOOL bPressed = pControl->GetPressed();
    const BOOL bEnabled = pControl->IsEnabled();
    const int nChecked = std::max(pControl->GetChecked(), 0);
    const int nType = pControl->GetType();

    if (pControl->GetExpanded())
        pDC->FillSolidRect(rc, GetColor(COLOR_3DLIGHT));
    const COLORREF clrText =
        GetControlStateTextColor(bSelected, FALSE, bEnabled, FALSE, FALSE, kitBarTypePopup, kitBarPopup);
    if (bFullWidth && bSelected)
        DrawRectangle(pDC, rc, TRUE, FALSE, bEnabled, FALSE, FALSE, kitBarTypePopup, kitBarPopup);
    if (nChecked)
        DrawRectangle(pDC, rcImage, bSelected, bPressed, bEnabled, nChecked, FALSE, kitBarTypePopup, kitBarPopup);

    CKitImageManagerIcon* pImage =
        pControl->GetStyle() != kitButtonCaption ? GetControlImage(pControl, szIcon.cx) : nullptr;
    if (pImage != nullptr) {
        if (!bFullWidth)
            DrawRectangle(pDC, rcImage, bSelected, bPressed, bEnabled, nChecked, FALSE, kitBarTypeNormal,
                          kitBarPopup);
        const CSize szImage = GetStretchIconSize(pImage, szIcon.cx, szIcon.cy);
        DrawControlImage(pDC, CPoint(ptCentre.x - szImage.cx / 2, ptCentre.y - szImage.cy / 2), szImage, pImage,
                         bSelected, bPressed, bEnabled, nChecked, FALSE, FALSE);
    } else if (nChecked) {
        const int nMarkColor = bEnabled ? m_nPopupBarText : COLOR_GRAYTEXT;
        if (nType == kitControlRadioButton)
            DrawSmoothDot(pDC, rcMark, nMarkColor);
        else
            DrawCheckMark(pDC, rcMark, bEnabled, nMarkColor);
    }
    if (!bFullWidth && bSelected)
        DrawRectangle(pDC, CRect(rcImage.right, rc.top, rc.right, rc.bottom), TRUE, FALSE, bEnabled, FALSE, FALSE,
                      kitBarTypePopup, kitBarPopup);

    const int cy = rc.CenterPoint().y;
    auto drawSubmenuArrow = [&]() {
        DrawTriangle(pDC, CPoint(rc.right - 11, cy - 3), CPoint(rc.right - 11, cy + 3), CPoint(rc.right - 8, cy),
                     clrText);
    };
    if (nType == kitControlPopup || nType == kitControlButtonPopup) {
        drawSubmenuArrow();
    } else if (nType == kitControlSplitButtonPopup) {
        const COLORREF clrLine = bEnabled && bSelected ? GetColor(COLOR_BTNSHADOW) : clrText;
        VerticalLine(pDC, rc.right - kPopupSplitWidth, rc.top + 1, rc.bottom - 1, clrLine);
        if (bPressed)
            DrawSunken(pDC, CRect(rc.right - kPopupSplitWidth, rc.top, rc.right, rc.bottom));
        drawSubmenuArrow();
    }
    pDC->SelectObject(pOldFont);
    return CKitPaintManager::DrawControlPopupParent(pDC, pControl, TRUE);
}

CSize CKitDefaultTheme::DrawListBoxControl(CDC* pDC, CKitControl* pButton, CRect rc, BOOL bSelected, BOOL bDraw,
                                           CKitCommandBarManager* /*pCommandBars*/)
{
    const CSize szIcon = GetAutoIconSize(FALSE);
    const int nColumn = std::max(static_cast<int>(szIcon.cx) + 4, m_nTextHeight);
    const int nHeight = std::max(static_cast<int>(szIcon.cy) + 4, m_nTextHeight);
    if (!bDraw)
        return pButton != nullptr ? CSize(nColumn, nHeight) : CSize(0, 0);
    pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
    if (pButton == nullptr)
        return CSize(0, 0);
    const int nType = pButton->GetType();
    const int nStyle = pButton->GetStyle();
    const bool bImageShown = nStyle == kitButtonIcon || nStyle == kitButtonIconAndCaption ||
                             (nStyle == kitButtonAutomatic && nType != kitControlPopup);
    CKitImageManagerIcon* pImage = bImageShown ? GetControlImage(pButton, szIcon.cx) : nullptr;
    const CRect rcImage(rc.left, rc.top, rc.left + nColumn, rc.bottom);
    if (pImage != nullptr) {
        DrawRectangle(pDC, rcImage, bSelected, FALSE, TRUE, FALSE, FALSE, kitBarTypeNormal, kitBarPopup);
        const CPoint c = rcImage.CenterPoint();
        DrawControlImage(pDC, CPoint(c.x - szIcon.cx / 2, c.y - szIcon.cy / 2), szIcon, pImage, bSelected, FALSE,
                         TRUE, FALSE, FALSE, FALSE);
    }
    if (bSelected)
        pDC->FillSolidRect(CRect(pImage != nullptr ? rcImage.right + 1 : rc.left + 1, rc.top, rc.right - 1, rc.bottom),
                           GetColor(COLOR_HIGHLIGHT));
    const COLORREF clrText = GetColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
    CString strCaption = pButton->GetCaption();
    StripMnemonics(strCaption);
    CFont* pOld = pDC->SelectObject(&m_fontRegular);
    pDC->SetTextColor(clrText);
    pDC->SetBkMode(TRANSPARENT);
    CRect rcText(rc.left + nColumn + 4, rc.top, rc.right, rc.bottom);
    pDC->DrawText(strCaption, rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    const int cy = rc.CenterPoint().y;
    if (nType == kitControlPopup || nType == kitControlButtonPopup || nType == kitControlSplitButtonPopup) {
        DrawTriangle(pDC, CPoint(rc.right - 7, cy), CPoint(rc.right - 12, cy - 5), CPoint(rc.right - 12, cy + 5),
                     clrText);
        if (nType == kitControlSplitButtonPopup)
            VerticalLine(pDC, rc.right - 20, rc.top + 1, rc.bottom - 1, clrText);
    } else if (nType == kitControlComboBox || nType == kitControlEdit) {
        const int nCaptionWidth = static_cast<int>(pDC->GetTextExtent(strCaption).cx);
        const CRect rcField(rc.left + nCaptionWidth + nColumn + 9, rc.top, rc.right, rc.bottom);
        pDC->FillSolidRect(rcField, GetColor(COLOR_WINDOW));
        const int nFrame = bSelected ? COLOR_HIGHLIGHT : COLOR_BTNFACE;
        Draw3dRect(pDC, rcField, nFrame, nFrame);
        if (nType == kitControlComboBox) {
            const CRect rcButton(rc.right - pDC->GetTextExtent(" ", 1).cx - 2, rc.top, rc.right, rc.bottom);
            if (bSelected) {
                Rectangle(pDC, rcButton, COLOR_HIGHLIGHT, COLOR_BTNFACE);
            } else {
                CRect rcFace = rcButton;
                rcFace.DeflateRect(2, 2);
                pDC->FillSolidRect(rcFace, GetColor(COLOR_BTNFACE));
            }
            CRect rcArrow = rcButton;
            rcArrow.DeflateRect(1, 1);
            DrawDownArrowGlyph(pDC, rcArrow, COLOR_BTNTEXT);
        }
    }
    pDC->SelectObject(pOld);
    return CSize(nColumn, nHeight);
}

CSize CKitDefaultTheme::DrawControlEdit(CDC* pDC, CKitControlEdit* pEdit, BOOL bDraw)
{
    if (!bDraw)
        return CKitPaintManager::DrawControlEdit(pDC, pEdit, FALSE);
    CKitPaintManager::DrawControlEdit(pDC, pEdit, TRUE);
    const CRect rcField = GetFieldRect(pEdit, pEdit->GetLabelWidth());
    const BOOL bEnabled = pEdit->IsEnabled();
    if (bEnabled) {
        CRect rcInside = rcField;
        rcInside.DeflateRect(1, 1);
        pDC->FillSolidRect(rcInside, GetControlEditBackColor(pEdit));
    }
    DrawControlEditFrame(pDC, rcField, bEnabled, pEdit->GetSelected());
    DrawControlEditText(pDC, pEdit, rcField);
    if (pEdit->IsSpinButtonsVisible())
        DrawControlEditSpin(pDC, pEdit);
    DrawControlEditBuddy(pDC, pEdit);
    return CSize(0, 0);
}

CSize CKitDefaultTheme::DrawControlComboBox(CDC* pDC, CKitControlComboBox* pComboBox, BOOL bDraw)
{
    if (!bDraw)
        return CKitPaintManager::DrawControlComboBox(pDC, pComboBox, FALSE);
    CFont* pOld = pDC->SelectObject(GetControlFont(pComboBox));
    CKitPaintManager::DrawControlComboBox(pDC, pComboBox, TRUE);
    const CRect rc = pComboBox->GetRect();
    const CRect rcField = GetFieldRect(pComboBox, pComboBox->GetLabelWidth());
    const CRect rcButton(rc.right - pComboBox->GetDropDownWidth(), rc.top, rc.right, rc.bottom);
    const BOOL bEnabled = pComboBox->IsEnabled();
    if (bEnabled) {
        CRect rcInside = rcField;
        rcInside.DeflateRect(1, 1);
        pDC->FillSolidRect(rcInside, GetControlEditBackColor(pComboBox));
    }
    DrawControlComboBoxText(pDC, pComboBox, CRect(rcField.left + 3, rc.top + 1, rcButton.left + 1, rc.bottom - 1));
    DrawComboBoxDropDownButton(pDC, rcButton, bEnabled, pComboBox->GetSelected(), pComboBox->GetDroppedState());
    DrawControlEditFrame(pDC, rcField, bEnabled, pComboBox->GetSelected());
    pDC->SelectObject(pOld);
    return CSize(0, 0);
}

void CKitDefaultTheme::DrawControlEditSpin(CDC* pDC, CKitControlEdit* pEdit)
{
    CRect rcSpin = pEdit->GetSpinButtonsRect();
    const BOOL bEnabled = pEdit->IsEnabled();
    const BOOL bHot = pEdit->GetSelected() != 0;
    const int nMiddle = rcSpin.CenterPoint().y;
    const CRect rcUpper(rcSpin.left, rcSpin.top, rcSpin.right, nMiddle);
    const CRect rcLower(rcSpin.left, nMiddle, rcSpin.right, rcSpin.bottom);
    if (bEnabled && bHot) {
        pDC->FillSolidRect(rcSpin, GetColor(COLOR_BTNFACE));
        const int nPressed = pEdit->GetPressed();
        for (const auto& half : {std::make_pair(rcUpper, 4), std::make_pair(rcLower, 5)}) {
            if (nPressed == half.second)
                Draw3dRect(pDC, half.first, COLOR_BTNSHADOW, COLOR_WINDOW);
            else
                Draw3dRect(pDC, half.first, COLOR_WINDOW, COLOR_BTNSHADOW);
        }
    } else if (bEnabled) {
        rcSpin.DeflateRect(1, 1);
        pDC->FillSolidRect(rcSpin, GetColor(COLOR_BTNFACE));
        Draw3dRect(pDC, rcSpin, COLOR_WINDOW, COLOR_WINDOW);
    }
    const COLORREF clrArrow = GetColor(bEnabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    const CPoint cu = rcUpper.CenterPoint();
    const CPoint cl = rcLower.CenterPoint();
    DrawTriangle(pDC, CPoint(cu.x - 2, cu.y + 1), CPoint(cu.x + 2, cu.y + 1), CPoint(cu.x, cu.y - 1), clrArrow);
    DrawTriangle(pDC, CPoint(cl.x - 2, cl.y - 1), CPoint(cl.x + 2, cl.y - 1), CPoint(cl.x, cl.y + 1), clrArrow);
}

void CKitDefaultTheme::DrawControlEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected)
{
    if (bEnabled) {
        if (bSelected)
            DrawSunken(pDC, rc);
        rc.DeflateRect(1, 1);
        Draw3dRect(pDC, rc, COLOR_BTNFACE, COLOR_BTNFACE);
    } else {
        rc.DeflateRect(1, 1);
        const int nColor = IsKeyboardState(bSelected) ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT;
        Draw3dRect(pDC, rc, nColor, nColor);
    }
}

void CKitDefaultTheme::DrawComboBoxDropDownButton(CDC* pDC, CRect rcDropDown, BOOL bEnabled, BOOL bSelected,
                                                  BOOL bDropped)
{
    CRect rc(rcDropDown.left + 1, rcDropDown.top + 2, rcDropDown.right - 2, rcDropDown.bottom - 2);
    CRect rcArrow = rc;
    if (bEnabled) {
        pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
        if (bDropped) {
            VerticalLine(pDC, rc.left - 1, rc.top, rc.bottom, GetColor(COLOR_BTNFACE));
            DrawSunken(pDC, rc);
            rcArrow.OffsetRect(1, 1);
        } else if (bSelected) {
            VerticalLine(pDC, rc.left - 1, rc.top, rc.bottom, GetColor(COLOR_BTNFACE));
            DrawRaised(pDC, rc);
        } else {
            Draw3dRect(pDC, rc, COLOR_BTNHIGHLIGHT, COLOR_BTNHIGHLIGHT);
        }
    }
    DrawDownArrowGlyph(pDC, rcArrow, COLOR_BTNTEXT);
}
