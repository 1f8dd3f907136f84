// CKitResourceImageSource, CKitControlGalleryResourceTheme, CKitSliderResourceTheme, CKitProgressResourceTheme: the gallery, slider and progress painters of the theme drawn from a resource module's pictures.
#pragma once

#include "toolkit/common/color_manager.h"
#include "toolkit/common/resource_images.h"
#include "toolkit/themes/paint/gallery_paint_manager.h"
#include "toolkit/themes/paint/scroll_paint_manager.h"

#include <windows.h>

// The theme pictures of the paint manager that owns the resource painters.
class CKitResourceImageSource {
public:
    virtual CKitResourceImages* GetImages() const = 0;
    // The named picture; null when the image set has no module or no such bitmap.
    virtual CKitResourceImage* LoadImage(LPCSTR lpszImageName) const = 0;

protected:
    ~CKitResourceImageSource() = default;
};

// Fills the rectangle unless the colour is none (-1).
void KitFillSolidRectIfColor(CDC* pDC, const CRect& rc, COLORREF clr);
// Draws state nState of a vertical strip of nStates pictures with magenta left out; nothing without a picture.
void KitDrawResourceState(CDC* pDC, CKitResourceImage* pImage, const CRect& rcDest, int nState, int nStates,
                          const CRect& rcMargins = CRect(0, 0, 0, 0));
// The same state at its own size with its top-left corner at pt.
void KitDrawResourceStateAt(CDC* pDC, CKitResourceImage* pImage, CPoint pt, int nState, int nStates);

// A gallery's scroll buttons, light and dark scroll bars, labels and face from the theme's pictures and colours.
class CKitControlGalleryResourceTheme : public CKitControlGalleryPaintManager {
public:
    static constexpr int kScrollUpHeight = 21;
    static constexpr int kScrollDownHeight = 19;
    // The scroll buttons stand in a column this wide at the gallery's right edge.
    static constexpr int kButtonColumnWidth = 15;
    // A thumb longer than this shows its gripper.
    static constexpr int kGripperMinThumb = 11;

    CKitControlGalleryResourceTheme(CKitPaintManager* pPaintManager, CKitResourceImageSource* pImages);

    void RefreshMetrics() override;
    // Light (5) and dark (6) bars from pictures; other styles as the base draws them.
    void DrawScrollBar(CDC* pDC, CKitScrollBase* pScrollBar) override;
    void FillGalleryControl(CDC* pDC, CKitControlGallery* pGallery) override;
    void DrawGalleryLabel(CDC* pDC, CRect rc, CKitControlGalleryEntry* pLabel) override;
    void DrawGalleryScrollButtons(CDC* pDC, CKitControlGallery* pGallery) override;

    // The picture states of the up, down and popup buttons: 0 normal, 1 another part active, 2 hot,
    // 3 pressed, 4 disabled.
    void GetScrollButtonStates(CKitControlGallery* pGallery, int states[3]) const;

    COLORREF m_clrSelected = CKitPaintManagerColor::kNone;
    COLORREF m_clrNormal = CKitPaintManagerColor::kNone;
    COLORREF m_clrBorder = CKitPaintManagerColor::kNone;

private:
    // The bar along either axis; returns FALSE when its background picture is missing.
    BOOL DrawPictureBar(CDC* pDC, CKitScrollBase* pScrollBar, BOOL bDark);

    CKitResourceImageSource* m_pImages;
};

// Horizontal sliders from the track, tick, button and thumb pictures.
class CKitSliderResourceTheme : public CKitSliderPaintManager {
public:
    static constexpr int kChannel = 11;
    // Ticks keep this far from either end of the track.
    static constexpr int kTickInset = 6;

    CKitSliderResourceTheme(CKitPaintManager* pPaintManager, CKitResourceImageSource* pImages);

    void RefreshMetrics() override;
    void DrawScrollBar(CDC* pDC, CKitScrollBase* pScrollBar) override;

private:
    CKitResourceImageSource* m_pImages;
};

// Progress bars from a track and a chunk picture whose last columns are its leading edge.
class CKitProgressResourceTheme : public CKitProgressPaintManager {
public:
    static constexpr int kDefaultHeight = 12;
    static constexpr int kLeadingEdge = 4;

    CKitProgressResourceTheme(CKitPaintManager* pPaintManager, CKitResourceImageSource* pImages);

    void DrawProgress(CDC* pDC, CKitProgressBase* pProgress) override;

private:
    CKitResourceImageSource* m_pImages;
};
