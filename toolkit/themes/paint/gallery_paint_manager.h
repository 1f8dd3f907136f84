// CKitControlGalleryPaintManager: the gallery's scroll bar, labels, face and scroll buttons a paint manager owns.
#pragma once

#include "toolkit/commandbars/control_gallery.h"
#include "toolkit/themes/paint/scroll_paint_manager.h"

// A gallery's parts drawn in the system colours; the themes draw their own.
class CKitControlGalleryPaintManager : public CKitScrollBarPaintManager, public CKitGalleryPainter {
public:
    static constexpr int kScrollButtonHeight = 19;
    static constexpr int kScrollButtonWidth = 16;

    explicit CKitControlGalleryPaintManager(CKitPaintManager* pPaintManager);

    void RefreshMetrics() override;

    CKitScrollBarPainter* GetGalleryScrollBarPainter() override { return this; }
    void FillGalleryControl(CDC* pDC, CKitControlGallery* pGallery) override;
    void DrawGalleryLabel(CDC* pDC, CRect rc, CKitControlGalleryEntry* pLabel) override;
    void DrawGalleryEntry(CDC* pDC, CRect rc, CKitControlGalleryEntry* pEntry, BOOL bEnabled, BOOL bSelected,
                          BOOL bPressed, BOOL bChecked) override;
    void DrawGalleryScrollButtons(CDC* pDC, CKitControlGallery* pGallery) override;
    int GetScrollButtonColumnWidth() const override { return m_cxScrollButton; }
    int GetScrollButtonHeight() const override { return m_cyScrollUp; }
    int GetScrollDownButtonHeight() const override { return m_cyScrollDown; }

    int m_cyScrollUp = kScrollButtonHeight;
    int m_cyScrollDown = kScrollButtonHeight;
    int m_cxScrollButton = kScrollButtonWidth;

protected:
    // Whether the gallery lets its up, down or popup button (60, 61, 65) be used.
    static BOOL IsScrollPartEnabled(CKitControlGallery* pGallery, int nPart);
    // A label: the face, a line along its bottom and the bold caption.
    void DrawLabel(CDC* pDC, CRect rc, CKitControlGalleryEntry* pLabel, COLORREF clrLine);
};
