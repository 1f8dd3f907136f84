// The gallery's drawing in the system colours.
#include "toolkit/themes/paint/gallery_paint_manager.h"

#include "toolkit/commandbars/command_bar.h"
#include "toolkit/themes/paint/paint_manager.h"

#include "framework/gdi.h"

namespace {

// Paint-manager colours of the gallery.
constexpr int kColorScrollColumn = 30;
constexpr int kColorFace = 41;
constexpr int kColorLabelText = 44;
constexpr int kColorBorder = 52;
constexpr int kColorLabelFace = 56;

} // namespace

CKitControlGalleryPaintManager::CKitControlGalleryPaintManager(CKitPaintManager* pPaintManager)
    : CKitScrollBarPaintManager(pPaintManager)
{
}

void CKitControlGalleryPaintManager::RefreshMetrics()
{
    CKitScrollBarPaintManager::RefreshMetrics();
    m_cyScrollUp = kScrollButtonHeight;
    m_cyScrollDown = kScrollButtonHeight;
    m_cxScrollButton = kScrollButtonWidth;
}

void CKitControlGalleryPaintManager::FillGalleryControl(CDC* pDC, CKitControlGallery* pGallery)
{
    CRect rc = pGallery->GetRect();
    pDC->FillSolidRect(rc, m_pPaintManager->GetColor(kColorFace));
    if (pGallery->m_bShowBorders) {
        COLORREF clr = m_pPaintManager->GetColor(kColorBorder);
        pDC->Draw3dRect(rc, clr, clr);
    }
}

BOOL CKitControlGalleryPaintManager::IsScrollPartEnabled(CKitControlGallery* pGallery, int nPart)
{
    if (!pGallery->IsEnabled())
        return FALSE;
    if (nPart == kitScrollHitUpArrow)
        return pGallery->GetScrollPos() > 0;
    if (nPart == kitScrollHitDownArrow)
        return pGallery->GetScrollPos() < pGallery->GetTotalHeight() - pGallery->GetEntriesArea().Height();
    return TRUE;
}

void CKitControlGalleryPaintManager::DrawGalleryLabel(CDC* pDC, CRect rc, CKitControlGalleryEntry* pLabel)
{
    DrawLabel(pDC, rc, pLabel, m_pPaintManager->GetColor(kColorBorder));
}

void CKitControlGalleryPaintManager::DrawLabel(CDC* pDC, CRect rc, CKitControlGalleryEntry* pLabel, COLORREF clrLine)
{
    pDC->FillSolidRect(rc, m_pPaintManager->GetColor(kColorLabelFace));
    pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, clrLine);
    CRect rcText = rc;
    rcText.DeflateRect(10, 0);
    ScopedSelect selectFont(*pDC, m_pPaintManager->GetRegularBoldFont()->GetSafeHandle());
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF clrOld = pDC->SetTextColor(m_pPaintManager->GetColor(kColorLabelText));
    pDC->DrawText(pLabel->m_strCaption, rcText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldMode);
}

void CKitControlGalleryPaintManager::DrawGalleryEntry(CDC* pDC, CRect rc, CKitControlGalleryEntry* pEntry,
                                                      BOOL bEnabled, BOOL bSelected, BOOL bPressed, BOOL bChecked)
{
    CRect rcFace = rc;
    rcFace.DeflateRect(1, 1);
    m_pPaintManager->DrawRectangle(pDC, rcFace, bSelected, bPressed, bEnabled, bChecked, FALSE, kitBarTypePopup,
                                   kitBarPopup);
    ScopedSelect selectFont(*pDC, m_pPaintManager->GetRegularFont()->GetSafeHandle());
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF clrOld = pDC->SetTextColor(m_pPaintManager->GetControlStateTextColor(
        bSelected, bPressed, bEnabled, bChecked, FALSE, kitBarTypePopup, kitBarPopup));
    pDC->DrawText(pEntry->m_strCaption, rcFace, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldMode);
}

void CKitControlGalleryPaintManager::DrawGalleryScrollButtons(CDC* pDC, CKitControlGallery* pGallery)
{
    const KIT_SCROLLBARPOSINFO& spi = *pGallery->GetScrollBarPosInfo();
    pDC->FillSolidRect(spi.rc, m_pPaintManager->GetColor(kColorScrollColumn));
    const BOOL bTracking = pGallery->GetScrollBarTrackInfo() != nullptr;
    struct Button {
        CRect rc;
        int nPart;
        BOOL bEnabled;
    };
    const Button buttons[] = {
        {CRect(spi.rc.left, spi.pxTop, spi.rc.right, spi.pxUpArrow), kitScrollHitUpArrow,
         IsScrollPartEnabled(pGallery, kitScrollHitUpArrow)},
        {CRect(spi.rc.left, spi.pxDownArrow, spi.rc.right, spi.pxExtraButton), kitScrollHitDownArrow,
         IsScrollPartEnabled(pGallery, kitScrollHitDownArrow)},
        {CRect(spi.rc.left, spi.pxExtraButton, spi.rc.right, spi.pxBottom), kitScrollHitExtra,
         IsScrollPartEnabled(pGallery, kitScrollHitExtra)},
    };
    for (const Button& button : buttons) {
        BOOL bHit = spi.nHitPart == button.nPart && button.bEnabled;
        m_pPaintManager->DrawRectangle(pDC, button.rc, bHit && !bTracking, bHit && bTracking, button.bEnabled, FALSE,
                                       FALSE, kitBarTypeNormal, kitBarTop);
        COLORREF clr = m_pPaintManager->GetControlStateTextColor(bHit, FALSE, button.bEnabled, FALSE, FALSE,
                                                                 kitBarTypeNormal, kitBarTop);
        CPoint c = button.rc.CenterPoint();
        if (button.nPart == kitScrollHitUpArrow) {
            CKitPaintManager::DrawTriangle(pDC, CPoint(c.x - 4, c.y + 2), CPoint(c.x + 4, c.y + 2), CPoint(c.x, c.y - 2),
                                           clr);
        } else if (button.nPart == kitScrollHitDownArrow) {
            CKitPaintManager::DrawTriangle(pDC, CPoint(c.x - 4, c.y - 2), CPoint(c.x + 4, c.y - 2), CPoint(c.x, c.y + 2),
                                           clr);
        } else {
            pDC->FillSolidRect(c.x - 4, c.y - 4, 9, 2, clr);
            CKitPaintManager::DrawTriangle(pDC, CPoint(c.x - 4, c.y - 1), CPoint(c.x + 4, c.y - 1), CPoint(c.x, c.y + 3),
                                           clr);
        }
    }
}
