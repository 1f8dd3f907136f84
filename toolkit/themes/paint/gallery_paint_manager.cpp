// The gallery's drawing in the system colours.
#include "toolkit/themes/paint/gallery_paint_manager.h"

#include "toolkit/themes/paint/paint_manager.h"

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
