// The paint manager's status-bar parts, message-bar buttons and keyboard tips.
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/keyboard_tip.h"
#include "toolkit/commandbars/status_bar_pane.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/themes/paint/markup_glue.h"
#include "toolkit/themes/paint/paint_manager.h"

#include <algorithm>

#include <vssym32.h>

namespace {

constexpr int kSwitchWidth = 18;
constexpr int kGripperWidth = 18;

} // namespace

void CKitPaintManager::DrawStatusBarButtonFace(CDC* pDC, CRect rcItem, CKitStatusBarPane* pPane)
{
    if (pPane->m_bHot || pPane->m_bPressed || pPane->m_bButton)
        DrawRectangle(pDC, rcItem, pPane->m_bHot, pPane->m_bPressed, pPane->m_bEnabled, FALSE, FALSE,
                      kitBarTypeNormal, kitBarTop);
}

void CKitPaintManager::DrawStatusBarPaneEntry(CDC* pDC, CRect rcItem, CKitStatusBarPane* pPane)
{
    if (pPane->m_bButton)
        DrawStatusBarButtonFace(pDC, rcItem, pPane);
    CFont* pOldFont = pPane->m_pFont != nullptr ? pDC->SelectObject(pPane->m_pFont) : nullptr;
    CRect rc(rcItem.left + pPane->m_rcMargins.left, rcItem.top + pPane->m_rcMargins.top,
             rcItem.right - pPane->m_rcMargins.right, rcItem.bottom - pPane->m_rcMargins.bottom);

    COLORREF clrText;
    if (!pPane->m_bEnabled)
        clrText = pPane->m_clrDisabledText != CKitStatusBarPane::kNoColor ? pPane->m_clrDisabledText
                                                                           : m_clrDisabledText;
    else if (pPane->m_bButton && (pPane->m_bHot || pPane->m_bPressed))
        clrText = GetControlStateTextColor(pPane->m_bHot, pPane->m_bPressed, TRUE, FALSE, FALSE, kitBarTypeNormal,
                                           kitBarTop);
    else
        clrText = pPane->m_clrText != CKitStatusBarPane::kNoColor ? pPane->m_clrText : m_clrText;
    pDC->SetTextColor(clrText);

    const int nTextWidth = pPane->m_pMarkupElement != nullptr
                               ? static_cast<int>(MarkupMeasureElement(pPane->m_pMarkupElement, INT_MAX, INT_MAX).cx)
                               : static_cast<int>(pDC->GetTextExtent(pPane->m_strText).cx);
    const int nIconWidth = pPane->m_pIcon != nullptr ? pPane->m_pIcon->GetWidth() : 0;
    int nWidth = nTextWidth + nIconWidth;
    if (nTextWidth > 0 && nIconWidth > 0)
        nWidth += 2;
    if (nWidth < rc.Width()) {
        if (pPane->m_nAlignment == CKitStatusBarPane::kAlignRight)
            rc.left = rc.right - nWidth;
        else if (pPane->m_nAlignment == CKitStatusBarPane::kAlignCenter)
            rc.left += (rc.Width() - nWidth) / 2;
    }
    if (pPane->m_pIcon != nullptr && nIconWidth <= rc.Width()) {
        CKitImageManagerIcon* pIcon = pPane->m_pIcon;
        const CPoint pt(rc.left, rc.CenterPoint().y - pIcon->GetHeight() / 2);
        pIcon->Draw(pDC, pt, pPane->m_bEnabled ? pIcon->GetNormalIcon() : pIcon->GetDisabledIcon(),
                    pIcon->GetExtent());
        rc.left += nIconWidth + 2;
    }
    if (pPane->m_pMarkupElement != nullptr) {
        MarkupRenderElement(pPane->m_pMarkupElement, pDC->m_hDC, rc);
    } else {
        const UINT nAlign = pPane->m_nAlignment == CKitStatusBarPane::kAlignRight    ? DT_RIGHT
                            : pPane->m_nAlignment == CKitStatusBarPane::kAlignCenter ? DT_CENTER
                                                                                      : DT_LEFT;
        pDC->SetBkMode(TRANSPARENT);
        pDC->DrawText(pPane->m_strText, rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | nAlign);
    }
    if (pOldFont != nullptr)
        pDC->SelectObject(pOldFont);
}

int CKitPaintManager::DrawStatusBarSwitches(CDC* pDC, CRect rcItem, CKitStatusBarSwitchPane* pPane)
{
    if (pDC == nullptr) {
        for (auto& item : pPane->m_switches)
            item.nWidth = kSwitchWidth;
        return static_cast<int>(pPane->m_switches.size()) * kSwitchWidth;
    }
    int x = rcItem.left;
    for (const auto& item : pPane->m_switches) {
        const CRect rc(x, rcItem.top, x + kSwitchWidth, rcItem.bottom);
        const BOOL bEnabled = pPane->m_bEnabled && item.bEnabled;
        DrawRectangle(pDC, rc, item.bHot, item.bPressed, bEnabled, item.bChecked, FALSE, kitBarTypeNormal,
                      kitBarTop);
        DrawStatusBarSwitchIcon(pDC, rc, item.pIcon, bEnabled, item.bChecked);
        x += kSwitchWidth;
    }
    return 0;
}

void CKitPaintManager::DrawStatusBarSwitchIcon(CDC* pDC, const CRect& rc, CKitImageManagerIcon* pIcon, BOOL bEnabled,
                                               BOOL bChecked)
{
    if (pIcon == nullptr)
        return;
    const CPoint pt(rc.CenterPoint().x - pIcon->GetWidth() / 2, rc.CenterPoint().y - pIcon->GetHeight() / 2);
    const auto& image = !bEnabled ? pIcon->GetDisabledIcon() : bChecked ? pIcon->GetCheckedIcon() : pIcon->GetNormalIcon();
    pIcon->Draw(pDC, pt, image, pIcon->GetExtent());
}

void CKitPaintManager::DrawStatusBarPaneBorder(CDC* pDC, CRect rc, CKitStatusBarPane* pPane, BOOL bGripperPane)
{
    if (m_bThemedStatusBar && m_themeStatusBar.IsThemeHandleOpen()) {
        m_themeStatusBar.DrawThemeBackground(pDC->m_hDC, bGripperPane ? SP_GRIPPERPANE : SP_PANE, 0, &rc,
                                             nullptr);
        return;
    }
    if (pPane == nullptr || pPane->m_bBorder)
        Draw3dRect(pDC, rc, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT);
}

void CKitPaintManager::DrawVerticalSeparator(CDC* pDC, CRect rc, CKitStatusBarPane* /*pPane*/)
{
    Draw3dRect(pDC, CRect(rc.left - 2, rc.top, rc.left, rc.bottom), COLOR_3DSHADOW, COLOR_3DHIGHLIGHT);
}

void CKitPaintManager::DrawStatusBarGripper(CDC* pDC, CRect rcClient)
{
    if (m_bThemedStatusBar && m_themeStatusBar.IsThemeHandleOpen()) {
        const CRect rc(rcClient.right - kGripperWidth, rcClient.top, rcClient.right, rcClient.bottom);
        m_themeStatusBar.DrawThemeBackground(pDC->m_hDC, SP_GRIPPER, 0, &rc, nullptr);
        return;
    }
    const int w = rcClient.Width();
    const int h = rcClient.Height();
    CPen penShadow(PS_SOLID, 1, GetColor(COLOR_3DSHADOW));
    CPen penLight(PS_SOLID, 1, GetColor(COLOR_3DHIGHLIGHT));
    CPen* pOld = pDC->SelectObject(&penShadow);
    for (int i = 0; i <= 8; i += 4) {
        pDC->SelectObject(&penShadow);
        Line(pDC, w - i - 3, h - 2, w - 1, h - i - 4);
        Line(pDC, w - i - 4, h - 2, w - 1, h - i - 5);
        pDC->SelectObject(&penLight);
        Line(pDC, w - i - 5, h - 2, w - 1, h - i - 6);
    }
    pDC->SelectObject(pOld);
}

void CKitPaintManager::FillWindowFace(CDC* pDC, CWnd* pWnd)
{
    CRect rc;
    pWnd->GetClientRect(&rc);
    pDC->FillSolidRect(rc, GetColor(COLOR_3DFACE));
}

void CKitPaintManager::FillStatusBar(CDC* pDC, CWnd* pBar)
{
    CRect rc;
    pBar->GetClientRect(&rc);
    if (m_bThemedStatusBar && m_themeStatusBar.IsThemeHandleOpen())
        m_themeStatusBar.DrawThemeBackground(pDC->m_hDC, 0, 0, &rc, nullptr);
    else
        pDC->FillSolidRect(rc, GetColor(COLOR_3DFACE));
}

void CKitPaintManager::FillWorkspace(CDC* pDC, CRect rc, CRect /*rcExclude*/)
{
    pDC->FillSolidRect(rc, GetColor(COLOR_APPWORKSPACE));
}

void CKitPaintManager::DrawMessageBarButton(CDC* pDC, CKitMessageBarButton* pButton)
{
    const CRect rc = pButton->rc;
    const bool bClose = pButton->nId == SC_CLOSE;
    if (pButton->bPushed || pButton->bHot) {
        pDC->FillSolidRect(rc, GetColor(COLOR_3DFACE));
        DrawRectangle(pDC, rc, pButton->bHot, pButton->bPushed, TRUE, FALSE, FALSE, kitBarTypeNormal, kitBarTop);
    } else if (!bClose) {
        pDC->FillSolidRect(rc, GetColor(COLOR_3DFACE));
        Draw3dRect(pDC, rc, COLOR_3DSHADOW, COLOR_3DSHADOW);
    }
    if (!bClose)
        return;
    const CPoint c = rc.CenterPoint();
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* pOld = pDC->SelectObject(&pen);
    Line(pDC, c.x - 4, c.y - 3, c.x + 3, c.y + 4);
    Line(pDC, c.x - 3, c.y - 3, c.x + 4, c.y + 4);
    Line(pDC, c.x - 4, c.y + 3, c.x + 3, c.y - 4);
    Line(pDC, c.x - 3, c.y + 3, c.x + 4, c.y - 4);
    pDC->SelectObject(pOld);
}

void CKitPaintManager::FillMessageBar(CDC* pDC, const CKitMessageBarLayout* pBar)
{
    pDC->FillSolidRect(pBar->rcClient, GetColor(COLOR_3DFACE));
    CRect rc = pBar->GetMessageRect();
    Draw3dRect(pDC, rc, COLOR_3DSHADOW, COLOR_3DSHADOW);
    rc.DeflateRect(1, 1);
    pDC->FillSolidRect(rc, GetColor(COLOR_INFOBK));
}

void CKitPaintManager::DrawKeyboardTip(CDC* pDC, CKitCommandBarKeyboardTip* pTip, BOOL bSetRegion)
{
    if (bSetRegion)
        return;
    CRect rc;
    if (pTip->GetSafeHwnd() != nullptr)
        pTip->GetClientRect(&rc);
    CFont* pOld = pDC->SelectObject(&m_fontStatus);
    pDC->FillSolidRect(rc, GetColor(COLOR_INFOBK));
    const COLORREF clrFrame = ::GetSysColor(COLOR_BTNSHADOW);
    pDC->Draw3dRect(rc, clrFrame, clrFrame);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(GetColor(pTip->m_bEnabled ? COLOR_INFOTEXT : COLOR_GRAYTEXT));
    pDC->DrawText(pTip->m_strText, rc, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    pDC->SelectObject(pOld);
}
