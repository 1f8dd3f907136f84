#include "toolkit/themes/paint/office_theme.h"

#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/control_combo.h"
#include "toolkit/commandbars/control_edit.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/shadow_manager.h"
#include "toolkit/common/color_manager.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/image_manager.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CKitOfficeTheme, CKitPaintManager)

namespace {

// Distance under which a checked fill counts as black for the mark.
constexpr double kMarkDistinctness = 50;
constexpr int kPopupLabelGap = 8;

} // namespace

CKitOfficeTheme::CKitOfficeTheme()
{
    m_bFlatMenuBar = TRUE;
    m_bFadedIcons = TRUE;
    m_bUseDisabledIcons = TRUE;
    m_bIconsWithShadow = TRUE;
    m_bGenerateDisabledIcons = TRUE;
    m_bEmbossedDisabledText = FALSE;
    m_nPopupBarTextPadding = kPopupLabelGap;
    m_pShadowManager->SetFlags(CKitShadowManager::kFlagControls);
}

void CKitOfficeTheme::DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                    BOOL bChecked, BOOL bPopuped, int /*nBarType*/, int nBarPosition)
{
    if (!bEnabled) {
        if (IsKeyboardState(bSelected)) {
            if (nBarPosition == kitBarPopup)
                Rectangle(pDC, rc, kHotBorder, kPopupFill);
            else
                Rectangle(pDC, rc, kHotBorder, bChecked ? kPushedFill : kHotFill);
        } else if (bChecked) {
            Rectangle(pDC, rc, kDisabledCheckedBorder, nBarPosition == kitBarPopup ? -1 : kCheckedFill);
        }
        return;
    }
    if (bPopuped)
        Rectangle(pDC, rc, kPopupBorder, kFace);
    else if (bChecked == 2 && !bSelected && !bPressed)
        Rectangle(pDC, rc, kCheckedBorder, kIndeterminateFill);
    else if (bChecked && !bSelected && !bPressed)
        Rectangle(pDC, rc, kCheckedBorder, kCheckedFill);
    else if (bChecked && bSelected && !bPressed)
        Rectangle(pDC, rc, kPushedBorder, kPushedFill);
    else if (IsKeyboardState(bPressed) || (bSelected && bPressed))
        Rectangle(pDC, rc, kPushedBorder, kPushedFill);
    else if (bSelected || bPressed)
        Rectangle(pDC, rc, kHotBorder, kHotFill);
}

COLORREF CKitOfficeTheme::GetControlStateTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                                                   BOOL bPopuped, int nBarType, int nBarPosition)
{
    if (nBarType == kitBarTypePopup)
        return GetColor(!bEnabled ? kDisabledMark : bSelected ? kHotText : kPopupText);
    if (!bEnabled)
        return GetColor(kDisabledText);
    if (bPopuped)
        return GetColor(kToolBarText);
    if (IsKeyboardState(bPressed) || (bSelected && (bPressed || bChecked)))
        return GetColor(kPushedText);
    if (!bSelected && !bPressed && !bChecked)
        return GetColor(nBarPosition == kitBarPopup ? kPopupText : kToolBarText);
    return GetColor(kHotText);
}

void CKitOfficeTheme::DrawControlImage(CDC* pDC, CPoint pt, CSize sz, CKitImageManagerIcon* pImage, BOOL bSelected,
                                       BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped,
                                       BOOL /*bToolBarImage*/)
{
    if (pImage == nullptr)
        return;
    auto drawDisabled = [&](BOOL bSilhouette) {
        if (bSilhouette && !pImage->IsAlpha()) {
            pImage->DrawMono(pDC, pt, pImage->GetNormalIcon(), sz, GetColor(kDisabledIcon));
            return;
        }
        if (m_bGenerateDisabledIcons && !pImage->HasDisabledIcon())
            pImage->CreateDisabledIcon(m_clrFace.clrLight, m_clrFace.clrDark);
        pImage->Draw(pDC, pt, pImage->GetDisabledIcon(), sz);
    };
    if (!bEnabled) {
        drawDisabled(!m_bUseDisabledIcons);
    } else if (bChecked == 2 && !bPressed) {
        drawDisabled(TRUE);
    } else if (bPopuped && !bChecked) {
        pImage->Draw(pDC, pt, pImage->GetNormalIcon(), sz);
    } else if (!bChecked) {
        if (!bSelected && !bPressed) {
            pImage->Draw(pDC, pt, m_bFadedIcons ? pImage->GetFadedIcon() : pImage->GetNormalIcon(), sz);
        } else if (IsKeyboardState(bPressed) || (bSelected && bPressed)) {
            pImage->Draw(pDC, pt, pImage->GetPressedIcon(), sz);
        } else if (m_bIconsWithShadow && !pImage->GetShadowIcon().IsEmpty()) {
            pImage->Draw(pDC, CPoint(pt.x + 1, pt.y + 1), pImage->GetShadowIcon(), sz);
            pImage->Draw(pDC, CPoint(pt.x - 1, pt.y - 1), pImage->GetHotIcon(), sz);
        } else {
            pImage->Draw(pDC, pt, pImage->GetHotIcon(), sz);
        }
    } else {
        pImage->Draw(pDC, pt, pImage->GetCheckedIcon(), sz);
    }
}

void CKitOfficeTheme::FillPopupJoiningGap(CDC* pDC, CKitCommandBar* pBar, int nColor)
{
    auto* pPopup = dynamic_cast<CKitPopupBar*>(pBar);
    CKitControlPopup* pControl = pPopup != nullptr ? pPopup->GetControlPopup() : nullptr;
    if (pControl == nullptr || pControl->GetParent() == nullptr || pBar->GetSafeHwnd() == nullptr)
        return;
    CKitCommandBar* pOpener = pControl->GetParent();
    if (pOpener->GetType() == kitBarTypePopup || pOpener->GetSafeHwnd() == nullptr)
        return;
    CRect rcControl = pControl->GetRect();
    pOpener->ClientToScreen(&rcControl);
    CRect rcPopup;
    pBar->GetWindowRect(&rcPopup);
    CRect rcGap;
    if (!rcGap.IntersectRect(rcControl, rcPopup))
        return;
    pBar->ScreenToClient(&rcGap);
    if (rcGap.Width() > 1)
        rcGap.DeflateRect(1, 0);
    if (rcGap.Height() > 1)
        rcGap.DeflateRect(0, 1);
    pDC->FillSolidRect(rcGap, GetColor(nColor));
}

void CKitOfficeTheme::FillCommandBarEntry(CDC* pDC, CKitCommandBar* pBar)
{
    const CRect rc = GetBarClientRect(pBar);
    const int nPosition = pBar->GetPosition();
    if (nPosition == kitBarPopup) {
        Rectangle(pDC, rc, kPopupBorder, kPopupFill);
        FillPopupJoiningGap(pDC, pBar, kFace);
    } else if (nPosition == kitBarFloating) {
        Draw3dRect(pDC, rc, kFloatingFrame, kFloatingFrame);
        CRect rcInner = rc;
        rcInner.DeflateRect(1, 1);
        const int nFill = pBar->GetType() == kitBarTypePopup ? kPopupFill
                          : IsFlatCommandBar(pBar)             ? COLOR_BTNFACE
                                                               : kFace;
        pDC->FillSolidRect(rcInner, GetColor(nFill));
        Draw3dRect(pDC, rcInner, kFloatingFrame, kFloatingFrame);
        const COLORREF clrCorner = GetColor(kFloatingFrame);
        const int w = rc.Width();
        const int h = rc.Height();
        for (POINT pt : {POINT{2, 2}, POINT{w - 2, 2}, POINT{2, h - 2}, POINT{w - 2, h - 2}})
            pDC->SetPixel(pt.x, pt.y, clrCorner);
    } else if (IsFlatCommandBar(pBar)) {
        pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
    } else {
        pDC->FillSolidRect(rc, GetColor(kFace));
        Draw3dRect(pDC, rc, COLOR_BTNFACE, COLOR_BTNFACE);
        const COLORREF clrCorner = GetColor(COLOR_BTNFACE);
        const int w = rc.Width();
        const int h = rc.Height();
        for (POINT pt : {POINT{1, 1}, POINT{w - 2, 1}, POINT{1, h - 2}, POINT{w - 2, h - 2}})
            pDC->SetPixel(pt.x, pt.y, clrCorner);
    }
}

CSize CKitOfficeTheme::DrawFloatingBarCaption(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw)
{
    if (pBar->IsDialogBar())
        return DrawCommandBarGripper(pDC, pBar, bDraw);
    const CRect rc = GetBarClientRect(pBar);
    const CRect rcBorders = GetCommandBarBorders(pBar);
    const int nPosition = pBar->GetPosition();
    if (pBar->GetType() == kitBarTypePopup && nPosition == kitBarPopup) {
        if (bDraw) {
            const int nLeft = rcBorders.left - 1;
            FillExpandedColumn(pDC,
                               CRect(nLeft, rcBorders.top, nLeft + GetPopupBarGripperWidth(pBar),
                                     rc.bottom - rcBorders.bottom),
                               FALSE);
        }
        return CSize(0, 0);
    }
    switch (nPosition) {
    case kitBarFloating: {
        const CSize sz = CKitPaintManager::DrawFloatingBarCaption(pDC, pBar, bDraw);
        if (bDraw && pBar->GetType() == kitBarTypePopup && pBar->GetPaintBackground()) {
            const int nLeft = rcBorders.left - 1;
            FillExpandedColumn(pDC,
                               CRect(nLeft, sz.cy + 3, nLeft + GetPopupBarGripperWidth(pBar),
                                     rc.bottom - rcBorders.bottom),
                               FALSE);
        }
        return sz;
    }
    case kitBarLeft:
    case kitBarRight:
        if (bDraw) {
            for (int x = 5; x < rc.Width() - 5; x += 2)
                VerticalLine(pDC, x, 3, 6, GetColor(kGripper));
        }
        return CSize(0, 8);
    case kitBarTop:
    case kitBarBottom:
        if (bDraw) {
            for (int y = 5; y < rc.Height() - 5; y += 2)
                HorizontalLine(pDC, 3, y, 6, GetColor(kGripper));
        }
        return CSize(6, 0);
    default:
        return CSize(0, 0);
    }
}

CSize CKitOfficeTheme::DrawCommandBarGripper(CDC* pDC, CKitCommandBar* /*pBar*/, BOOL bDraw)
{
    const int nHeight = std::max(kGripperMinHeight, m_nTextHeight + 4);
    if (bDraw) {
        for (int y = 6; y < nHeight - 2; y += 2)
            HorizontalLine(pDC, 3, y, 6, GetColor(kGripper));
    }
    return CSize(6, nHeight);
}

void CKitOfficeTheme::DrawStatusBarPaneBorder(CDC* pDC, CRect rc, CKitStatusBarPane* /*pPane*/, BOOL /*bGripperPane*/)
{
    Draw3dRect(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNSHADOW);
}

void CKitOfficeTheme::DrawVerticalSeparator(CDC* pDC, CRect rc, CKitStatusBarPane* /*pPane*/)
{
    VerticalLine(pDC, rc.left - 2, rc.top, rc.bottom, GetColor(kSeparator));
}

CSize CKitOfficeTheme::DrawTearOffGripper(CDC* pDC, CRect rcGripper, BOOL bSelected, BOOL bDraw)
{
    if (bDraw) {
        CRect rc(1, 1, rcGripper.right + 1, rcGripper.Height() + 1);
        pDC->FillSolidRect(rc, GetColor(kPopupFill));
        rc.DeflateRect(1, 1);
        const int nHalf = std::min(16, static_cast<int>(rc.Width()) / 2 - 10);
        const int x0 = rc.CenterPoint().x - nHalf;
        const int x1 = rc.CenterPoint().x + nHalf;
        if (bSelected) {
            Rectangle(pDC, rc, kHotBorder, kHotFill);
            for (int nRow : {4, 6})
                HorizontalLine(pDC, x0, rc.top + nRow, x1, GetColor(kHotText));
        } else {
            pDC->FillSolidRect(rc, GetColor(kFace));
            for (int nRow : {3, 5, 7})
                HorizontalLine(pDC, x0, rc.top + nRow, x1, GetColor(kGripper));
        }
    }
    return CSize(0, 9);
}

void CKitOfficeTheme::DrawPopupResizeGripper(CDC* pDC, CRect rc, int nFlags)
{
    pDC->FillSolidRect(rc, GetColor(kFace));
    DrawResizeGripperDots(pDC, rc, nFlags, kGripper);
}

CRect CKitOfficeTheme::GetPopupSeparatorLine(CKitCommandBar* pBar, CKitControl* pControl)
{
    const CRect rcRow = pControl->GetRowRect();
    const CRect rcControl = pControl->GetRect();
    if (pControl->GetWrap())
        return CRect(rcControl.left - 2, rcRow.top - 1, rcControl.left - 1, rcRow.bottom + 1);
    const int nLeft = rcControl.left + GetPopupBarGripperWidth(pBar) + m_nPopupBarTextPadding - 1;
    return CRect(nLeft, rcControl.top - 2, rcControl.right + 1, rcControl.top - 1);
}

CSize CKitOfficeTheme::DrawCommandBarSeparator(CDC* pDC, CKitCommandBar* pBar, CKitControl* pControl, BOOL bDraw)
{
    const bool bPopup = pBar->GetType() == kitBarTypePopup;
    if (!bDraw)
        return bPopup ? CSize(3, 3) : CSize(6, 6);
    const CRect rcRow = pControl->GetRowRect();
    const CRect rcControl = pControl->GetRect();
    const BOOL bWrap = pControl->GetWrap();
    const int nPosition = pBar->GetPosition();
    const COLORREF clr = GetColor(kSeparator);
    if (bPopup) {
        pDC->FillSolidRect(GetPopupSeparatorLine(pBar, pControl), clr);
    } else if (nPosition == kitBarLeft || nPosition == kitBarRight) {
        if (bWrap)
            VerticalLine(pDC, rcRow.right + 2, rcRow.top + 4, rcRow.bottom, clr);
        else
            HorizontalLine(pDC, rcRow.left, rcControl.top - 4, rcRow.right, clr);
    } else {
        if (bWrap)
            HorizontalLine(pDC, rcRow.left, rcRow.top - 4, rcRow.right, clr);
        else
            VerticalLine(pDC, rcControl.left - 4, rcRow.top, rcRow.bottom, clr);
    }
    return CSize(0, 0);
}

void CKitOfficeTheme::AdjustControlRect(CRect& rc, CKitControl* pControl, BOOL bVertical)
{
    CKitCommandBar* pBar = pControl->GetParent();
    if (pBar == nullptr)
        return;
    if (pBar->GetType() == kitBarTypePopup) {
        rc.InflateRect(1, 0);
        return;
    }
    if (pControl->GetType() == kitControlComboBox)
        return;
    const bool bRibbonPopup = (pBar->GetFlags() & kitBarFlagGrouped) != 0 && pBar->GetPosition() == kitBarPopup;
    if (bRibbonPopup || !bVertical)
        rc.DeflateRect(0, 1);
    else
        rc.DeflateRect(1, 0);
}

void CKitOfficeTheme::FillExpandedColumn(CDC* pDC, CRect rc, BOOL bHiddenControl)
{
    pDC->FillSolidRect(rc, GetColor(bHiddenControl ? kExpandedColumn : kFace));
}

void CKitOfficeTheme::FillPopupLabelBackground(CDC* pDC, CRect rc)
{
    pDC->FillSolidRect(rc, GetColor(kLabelFill));
}

void CKitOfficeTheme::DrawSplitButtonPopupLine(CDC* pDC, CKitControl* pControl)
{
    const CRect rc = pControl->GetRect();
    const int x = rc.right - m_nSplitButtonPopupWidth;
    const BOOL bSelected = pControl->GetSelected();
    if (!pControl->IsEnabled())
        VerticalLine(pDC, x, rc.top + 1, rc.bottom - 1, GetControlTextColor(pControl));
    else if (pControl->GetPopuped() && bSelected)
        Rectangle(pDC, CRect(x, rc.top, rc.right, rc.bottom), kHotBorder, kPushedFill);
    else
        VerticalLine(pDC, x, rc.top + 1, rc.bottom - 1, GetColor(bSelected ? kHotBorder : COLOR_BTNSHADOW));
}

void CKitOfficeTheme::DrawControlPopupGlyph(CDC* pDC, CKitControl* pControl)
{
    const CRect rc = pControl->GetRect();
    const int cy = rc.CenterPoint().y;
    const bool bOpenSplit = pControl->GetType() == kitControlSplitButtonPopup && pControl->IsEnabled() &&
                            pControl->GetSelected() && pControl->GetPopuped();
    const COLORREF clr = bOpenSplit ? GetColor(kPushedText) : GetControlTextColor(pControl);
    DrawTriangle(pDC, CPoint(rc.right - 8, cy), CPoint(rc.right - 11, cy - 3), CPoint(rc.right - 11, cy + 3), clr);
}

CSize CKitOfficeTheme::DrawControlPopupParent(CDC* pDC, CKitControl* pControl, BOOL bDraw)
{
    if (!bDraw)
        return CKitPaintManager::DrawControlPopupParent(pDC, pControl, FALSE);
    CKitCommandBar* pBar = pControl->GetParent();
    CFont* pOldFont = pDC->SelectObject(GetControlFont(pControl));
    const CRect rc = pControl->GetRect();
    const CSize szIcon = pBar->GetIconSize();
    const int nImageWidth = std::max(static_cast<int>(szIcon.cx) + 4, m_nTextHeight + 4);
    const int nType = pControl->GetType();
    const BOOL bSelected = pControl->GetSelected();
    const BOOL bEnabled = pControl->IsEnabled();
    const int nChecked = std::max(pControl->GetChecked(), 0);
    CKitImageManagerIcon* pImage =
        pControl->GetStyle() != kitButtonCaption ? GetControlImage(pControl, szIcon.cx) : nullptr;
    int nColumn = GetPopupBarGripperWidth(pBar);

    if (pControl->GetExpanded() && rc.left < nColumn)
        FillExpandedColumn(pDC, CRect(rc.left - 1, rc.top, nColumn, rc.bottom), TRUE);
    if (nType == kitControlLabel) {
        if (!m_bKeepIconColumn && pImage == nullptr)
            nColumn = 0;
        CRect rcLabel = rc;
        if (m_bKeepIconColumn && pBar->GetPaintBackground() && nColumn >= rc.left)
            rcLabel.left += nColumn;
        FillPopupLabelBackground(pDC, rcLabel);
    } else {
        DrawRectangle(pDC, rc, bSelected, FALSE, bEnabled, FALSE, FALSE, kitBarTypePopup, kitBarPopup);
    }
    if (nType == kitControlSplitButtonPopup)
        DrawSplitButtonPopupLine(pDC, pControl);

    CRect rcImage(rc.left, rc.top, rc.left + nImageWidth, rc.bottom);
    if (!pBar->GetPaintBackground())
        rcImage.OffsetRect(m_nPopupBarTextPadding / 2, 0);
    if (nChecked) {
        DrawRectangle(pDC, rcImage, FALSE, FALSE, bEnabled, nChecked, FALSE, kitBarTypePopup, kitBarPopup);
        if (pImage == nullptr) {
            // Black, or white on a checked fill too dark to tell from black; colour 40 when disabled.
            COLORREF clrMark = kDisabledIcon;
            if (bEnabled) {
                const BOOL bDistinct =
                    CKitColorManager::IsColorDistinct(GetColor(kCheckedFill), RGB(0, 0, 0), FALSE, kMarkDistinctness);
                clrMark = bDistinct ? RGB(0, 0, 0) : RGB(255, 255, 255);
            }
            if (nType == kitControlRadioButton)
                DrawSmoothDot(pDC, rcImage, clrMark);
            else
                DrawCheckMark(pDC, rcImage, bEnabled, clrMark);
        }
    }
    if (pImage != nullptr) {
        const CSize szImage = GetStretchIconSize(pImage, szIcon.cx, szIcon.cy);
        const CPoint ptCentre = rcImage.CenterPoint();
        DrawControlImage(pDC, CPoint(ptCentre.x - szImage.cx / 2, ptCentre.y - szImage.cy / 2), szImage, pImage,
                         bSelected, FALSE, bEnabled, nChecked, FALSE, FALSE);
    }
    pDC->SetBkMode(TRANSPARENT);
    if (nType == kitControlPopup || nType == kitControlButtonPopup || nType == kitControlSplitButtonPopup)
        DrawControlPopupGlyph(pDC, pControl);
    pDC->SelectObject(pOldFont);
    return CKitPaintManager::DrawControlPopupParent(pDC, pControl, TRUE);
}

void CKitOfficeTheme::DrawSplitButtonFrame(CDC* pDC, CKitControl* pButton, CRect rc)
{
    CKitCommandBar* pBar = pButton->GetParent();
    const int nPosition = pBar != nullptr ? pBar->GetPosition() : kitBarTop;
    const BOOL bSelected = pButton->GetSelected();
    const BOOL bPressed = pButton->GetPressed();
    const BOOL bEnabled = pButton->IsEnabled();
    const int nChecked = std::max(pButton->GetChecked(), 0);
    const BOOL bPopuped = pButton->GetPopuped();
    const bool bActive = (bSelected || bPressed) && bEnabled && !bPopuped;

    if (pButton->GetStyle() == kitButtonIconAndCaptionBelow) {
        const int nDropDown = GetSplitDropDownSize();
        const bool bFullyPressed = bSelected && bPressed && bEnabled && !bPopuped;
        const bool bVertical = GetControlTextOrientation(pButton) == kitTextOrientationVertical;
        DrawRectangle(pDC, rc, bSelected, bPressed && !bFullyPressed, bEnabled, nChecked, bPopuped, kitBarTypeNormal,
                      nPosition);
        if (bActive) {
            if (bVertical)
                VerticalLine(pDC, rc.left + nDropDown, rc.top, rc.bottom, GetColor(kHotBorder));
            else
                HorizontalLine(pDC, rc.left, rc.bottom - nDropDown - 1, rc.right, GetColor(kHotBorder));
        }
        if (bFullyPressed) {
            CRect rcCommand = rc;
            if (bVertical)
                rcCommand.left += nDropDown;
            else
                rcCommand.bottom -= nDropDown;
            DrawRectangle(pDC, rcCommand, bSelected, bPressed, bEnabled, nChecked, bPopuped, kitBarTypeNormal,
                          nPosition);
        }
        return;
    }
    const int nSplit = m_nSplitButtonDropDownWidth;
    CRect rcCommand = rc;
    if (!bPopuped)
        rcCommand.right -= nSplit;
    DrawRectangle(pDC, rcCommand, bSelected, bPressed, bEnabled, nChecked, bPopuped, kitBarTypeNormal, nPosition);
    if (bActive)
        DrawRectangle(pDC, CRect(rc.right - nSplit - 1, rc.top, rc.right, rc.bottom), TRUE, FALSE, bEnabled, FALSE,
                      FALSE, kitBarTypeNormal, nPosition);
    DrawDropDownArrow(pDC, pButton, rc.right - 7, rc.CenterPoint().y, bSelected, bPopuped, bEnabled, FALSE);
}

CSize CKitOfficeTheme::DrawControlEdit(CDC* pDC, CKitControlEdit* pEdit, BOOL bDraw)
{
    if (!bDraw)
        return CKitPaintManager::DrawControlEdit(pDC, pEdit, FALSE);
    CKitPaintManager::DrawControlEdit(pDC, pEdit, TRUE);
    const CRect rcField = GetFieldRect(pEdit, pEdit->GetLabelWidth());
    const BOOL bEnabled = pEdit->IsEnabled();
    const int nSelected = pEdit->GetSelected();
    const bool bPopup = pEdit->IsInPopupBar() != FALSE;
    const bool bSpin = pEdit->IsSpinButtonsVisible() != FALSE;
    if (!bEnabled) {
        pDC->FillSolidRect(rcField, GetControlEditBackColor(pEdit));
        const int nFrame = IsKeyboardState(nSelected) ? kHotBorder : kDisabledIcon;
        Draw3dRect(pDC, rcField, nFrame, nFrame);
    } else {
        CRect rcFill = rcField;
        if (bSpin)
            rcFill.right -= 16;
        pDC->FillSolidRect(rcFill, GetControlEditBackColor(pEdit));
        if (nSelected)
            Draw3dRect(pDC, rcField, kHotBorder, kHotBorder);
        else if (bPopup)
            Draw3dRect(pDC, rcField, kPopupFieldBorder, kPopupFieldBorder);
    }
    DrawControlEditText(pDC, pEdit, rcField);
    if (bSpin) {
        const CRect rcSpin = pEdit->GetSpinButtonsRect();
        const int nMiddle = rcSpin.CenterPoint().y;
        const CRect rcUpper(rcSpin.left, rcSpin.top, rcSpin.right, nMiddle);
        const CRect rcLower(rcSpin.left, nMiddle, rcSpin.right, rcSpin.bottom);
        if (nSelected && bEnabled) {
            pDC->FillSolidRect(rcSpin, GetColor(kHotFill));
            const int nPressed = pEdit->GetPressed();
            if (nPressed == 4 || nPressed == 5)
                pDC->FillSolidRect(nPressed == 4 ? rcUpper : rcLower, GetColor(kPushedFill));
            VerticalLine(pDC, rcSpin.left, rcSpin.top, rcSpin.bottom, GetColor(kHotBorder));
            HorizontalLine(pDC, rcSpin.left, nMiddle, rcSpin.right, GetColor(kHotBorder));
        }
        const COLORREF clrArrow = GetColor(bEnabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
        const CPoint cu = rcUpper.CenterPoint();
        const CPoint cl = rcLower.CenterPoint();
        DrawTriangle(pDC, cu, CPoint(cu.x - 2, cu.y + 2), CPoint(cu.x + 2, cu.y + 2), clrArrow);
        DrawTriangle(pDC, cl, CPoint(cl.x - 2, cl.y - 2), CPoint(cl.x + 2, cl.y - 2), clrArrow);
    }
    DrawControlEditBuddy(pDC, pEdit);
    return CSize(0, 0);
}

CSize CKitOfficeTheme::DrawControlComboBox(CDC* pDC, CKitControlComboBox* pComboBox, BOOL bDraw)
{
    if (!bDraw)
        return CKitPaintManager::DrawControlComboBox(pDC, pComboBox, FALSE);
    CFont* pOld = pDC->SelectObject(GetControlFont(pComboBox));
    CKitPaintManager::DrawControlComboBox(pDC, pComboBox, TRUE);
    const CRect rc = pComboBox->GetRect();
    const int nLabel = pComboBox->GetLabelWidth();
    const int nButton = pComboBox->GetDropDownWidth();
    const CRect rcField = GetFieldRect(pComboBox, nLabel);
    CRect rcButton(rc.right - nButton, rc.top, rc.right, rc.bottom);
    const BOOL bEnabled = pComboBox->IsEnabled();
    const int nSelected = pComboBox->GetSelected();
    const BOOL bDropped = pComboBox->GetDroppedState();
    CKitCommandBar* pBar = pComboBox->GetParent();
    const bool bPopup = pComboBox->IsInPopupBar() != FALSE;
    const COLORREF clrBack = GetControlEditBackColor(pComboBox);
    if (bEnabled) {
        pDC->FillSolidRect(CRect(rc.left + nLabel + 1, rc.top + 1, rc.right - nButton + 1, rc.bottom - 1), clrBack);
        if (nSelected) {
            pDC->FillSolidRect(rcField, clrBack);
            Draw3dRect(pDC, rcField, kHotBorder, kHotBorder);
            DrawRectangle(pDC, rcButton, TRUE, bDropped, TRUE, FALSE, FALSE, kitBarTypeNormal,
                          pBar != nullptr ? pBar->GetPosition() : kitBarTop);
        } else if (bPopup) {
            Draw3dRect(pDC, rcField, kPopupFieldBorder, kPopupFieldBorder);
            CRect rcInner = rcButton;
            rcInner.DeflateRect(1, 1);
            pDC->FillSolidRect(rcInner, GetColor(kPopupFieldBorder));
            Draw3dRect(pDC, rcInner, COLOR_WINDOW, COLOR_WINDOW);
        } else {
            CRect rcInner = rcButton;
            rcInner.DeflateRect(1, 1);
            pDC->Draw3dRect(rcInner, clrBack, clrBack);
        }
    } else {
        const CRect rcDisabled(rc.left + nLabel + 1, rc.top, rc.right, rc.bottom);
        pDC->FillSolidRect(rcDisabled, clrBack);
        const int nFrame = IsKeyboardState(nSelected) ? kHotBorder : kDisabledIcon;
        Draw3dRect(pDC, rcDisabled, nFrame, nFrame);
    }
    DrawControlComboBoxText(pDC, pComboBox, CRect(rc.left + nLabel + 3, rc.top + 1, rc.right - nButton, rc.bottom - 1));
    rcButton.DeflateRect(1, 1);
    const int nArrow = !bEnabled ? kDisabledIcon : bDropped ? kPushedText : nSelected ? kHotText : kToolBarText;
    DrawDownArrowGlyph(pDC, rcButton, nArrow);
    pDC->SelectObject(pOld);
    return CSize(0, 0);
}

CSize CKitOfficeTheme::DrawListBoxControl(CDC* pDC, CKitControl* pButton, CRect rc, BOOL bSelected, BOOL bDraw,
                                          CKitCommandBarManager* /*pCommandBars*/)
{
    const CSize szIcon = GetAutoIconSize(FALSE);
    const int nColumn = std::max(static_cast<int>(szIcon.cx) + 4, m_nTextHeight + 4);
    const int nHeight = std::max(static_cast<int>(szIcon.cy) + 6, m_nTextHeight);
    if (!bDraw)
        return pButton != nullptr ? CSize(nColumn, nHeight) : CSize(0, 0);
    pDC->FillSolidRect(rc, GetColor(kPopupFill));
    FillExpandedColumn(pDC, CRect(rc.left, rc.top, rc.left + nColumn + 1, rc.bottom), FALSE);
    if (bSelected)
        DrawRectangle(pDC, rc, TRUE, FALSE, TRUE, FALSE, FALSE, kitBarTypePopup, kitBarPopup);
    if (pButton == nullptr)
        return CSize(0, 0);
    const int nType = pButton->GetType();
    const int nStyle = pButton->GetStyle();
    const bool bImageShown = nStyle == kitButtonIcon || nStyle == kitButtonIconAndCaption ||
                             (nStyle == kitButtonAutomatic && nType != kitControlPopup);
    if (CKitImageManagerIcon* pImage = bImageShown ? GetControlImage(pButton, szIcon.cx) : nullptr) {
        const CPoint c(rc.left + nColumn / 2, rc.CenterPoint().y);
        DrawControlImage(pDC, CPoint(c.x - szIcon.cx / 2, c.y - szIcon.cy / 2), szIcon, pImage, bSelected, FALSE, TRUE,
                         FALSE, FALSE, FALSE);
    }
    const COLORREF clrText =
        GetControlStateTextColor(bSelected, FALSE, TRUE, FALSE, FALSE, kitBarTypePopup, kitBarPopup);
    CString strCaption = pButton->GetCaption();
    StripMnemonics(strCaption);
    CFont* pOld = pDC->SelectObject(&m_fontRegular);
    pDC->SetTextColor(clrText);
    pDC->SetBkMode(TRANSPARENT);
    CRect rcText(rc.left + nColumn + 8, rc.top, rc.right, rc.bottom);
    const int cy = rc.CenterPoint().y;
    if (nType == kitControlPopup || nType == kitControlButtonPopup || nType == kitControlSplitButtonPopup) {
        DrawTriangle(pDC, CPoint(rc.right - 7, cy), CPoint(rc.right - 12, cy - 5), CPoint(rc.right - 12, cy + 5),
                     clrText);
        rcText.right = rc.right - 7;
        if (nType == kitControlSplitButtonPopup) {
            VerticalLine(pDC, rc.right - 20, rc.top + 1, rc.bottom - 1,
                         GetColor(bSelected ? kHotBorder : COLOR_BTNSHADOW));
            rcText.right = rc.right - 20;
        }
    } else if (nType == kitControlComboBox || nType == kitControlEdit) {
        const int nCaptionWidth = static_cast<int>(pDC->GetTextExtent(strCaption).cx);
        const CRect rcField(rc.left + nCaptionWidth + nColumn + 13, rc.top, rc.right, rc.bottom);
        const int nFrame = bSelected ? kHotBorder : COLOR_BTNFACE;
        Rectangle(pDC, rcField, nFrame, COLOR_WINDOW);
        if (nType == kitControlComboBox) {
            const CRect rcButton(rc.right - pDC->GetTextExtent(" ", 1).cx - 2, rc.top, rc.right, rc.bottom);
            if (bSelected) {
                DrawRectangle(pDC, rcButton, TRUE, FALSE, TRUE, FALSE, FALSE, kitBarTypePopup, kitBarPopup);
            } else {
                CRect rcFace = rcButton;
                rcFace.DeflateRect(2, 2);
                pDC->FillSolidRect(rcFace, GetColor(COLOR_BTNFACE));
            }
            CRect rcArrow = rcButton;
            rcArrow.DeflateRect(1, 1);
            DrawDownArrowGlyph(pDC, rcArrow, bSelected ? kHotText : kToolBarText);
        }
    }
    pDC->DrawText(strCaption, rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    pDC->SelectObject(pOld);
    return CSize(nColumn, nHeight);
}

void CKitOfficeTheme::DrawMarkBox(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bRadio)
{
    int nBorder = kMarkBorder;
    int nFill = COLOR_WINDOW;
    if (!bEnabled) {
        nBorder = kDisabledMark;
        nFill = bRadio ? kIndeterminateFill : -1;
    } else if (bSelected) {
        nBorder = kHotBorder;
        nFill = bPressed ? kPushedFill : kHotFill;
    } else if (bPressed) {
        nBorder = kHotBorder;
        nFill = kHotFill;
    }
    if (bRadio)
        DrawSmoothCircle(pDC, rc, GetColor(nBorder), nFill == -1 ? GetColor(nBorder) : GetColor(nFill));
    else
        Rectangle(pDC, rc, nBorder, nFill);
}

COLORREF CKitOfficeTheme::GetMarkColor(int nChecked, BOOL bEnabled)
{
    return GetColor(!bEnabled || nChecked == 2 ? kDisabledMark : COLOR_BTNTEXT);
}

CSize CKitOfficeTheme::DrawControlCheckBoxMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed,
                                               int nChecked, BOOL bEnabled)
{
    if (m_bThemedCheckBox && m_themeButton.IsThemeHandleOpen() && m_themeButton.IsAppThemed())
        return CKitPaintManager::DrawControlCheckBoxMark(pDC, rc, bDraw, bSelected, bPressed, nChecked, bEnabled);
    if (bDraw) {
        DrawMarkBox(pDC, rc, bSelected, bPressed, bEnabled, FALSE);
        if (nChecked) {
            const int c = (rc.left + rc.right) / 2;
            const int m = (rc.top + rc.bottom) / 2 + 1;
            const int nSide = CKitDrawHelpers::IsContextRTL(pDC) ? -1 : 1;
            CPen pen(PS_SOLID, 1, GetMarkColor(nChecked, bEnabled));
            CPen* pOld = pDC->SelectObject(&pen);
            for (int i = 0; i < 3; i++) {
                const POINT pts[3] = {{c - 3 * nSide, m - 2 + i}, {c - 1 * nSide, m + i}, {c + 4 * nSide, m - 5 + i}};
                pDC->Polyline(pts, 3);
            }
            pDC->SelectObject(pOld);
        }
    }
    return CSize(13, 13);
}

CSize CKitOfficeTheme::DrawControlRadioButtonMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed,
                                                  int nChecked, BOOL bEnabled)
{
    if (m_bThemedCheckBox && m_themeButton.IsThemeHandleOpen() && m_themeButton.IsAppThemed())
        return CKitPaintManager::DrawControlRadioButtonMark(pDC, rc, bDraw, bSelected, bPressed, nChecked, bEnabled);
    if (bDraw) {
        DrawMarkBox(pDC, CRect(rc.left, rc.top, rc.left + 13, rc.top + 13), bSelected, bPressed, bEnabled, TRUE);
        if (nChecked) {
            const COLORREF clr = GetMarkColor(nChecked, bEnabled);
            DrawSmoothCircle(pDC, CRect(rc.left + 4, rc.top + 4, rc.left + 9, rc.top + 9), clr, clr);
        }
    }
    return CSize(13, 13);
}
