// CKitControlGalleryPaintManager: the gallery's scroll bar, labels, face and scroll buttons a paint manager owns.
#pragma once

#include "toolkit/themes/paint/scroll_paint_manager.h"

// A gallery's parts drawn in the system colours; the themes draw their own.
class CKitControlGalleryPaintManager : public CKitScrollBarPaintManager {
public:
    static constexpr int kScrollButtonHeight = 19;
    static constexpr int kScrollButtonWidth = 16;

    explicit CKitControlGalleryPaintManager(CKitPaintManager* pPaintManager);

    void RefreshMetrics() override;

    int m_cyScrollUp = kScrollButtonHeight;
    int m_cyScrollDown = kScrollButtonHeight;
    int m_cxScrollButton = kScrollButtonWidth;
};
