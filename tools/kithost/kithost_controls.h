// CKitHostZoomSlider, CKitHostProgress, AddStylesGallery, AddFontBox and FillControlsBar: kithost's bar of fields (gallery,
// combo box, edit with spin buttons, slider and progress), whose styles gallery and font box the ribbon shows too.
#pragma once

#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/control_scroll.h"

class CKitCommandBarManager;
class CKitControlComboBox;
class CKitControlGallery;
class CKitControls;
class CKitToolBar;

// A zoom slider on a bar: the scroll behaviour drawn with the paint manager's slider look.
class CKitHostZoomSlider : public CKitControl, public CKitScrollBase {
    DECLARE_DYNCREATE(CKitHostZoomSlider)
public:
    static constexpr int kWidth = 110;
    static constexpr int kMin = 10;
    static constexpr int kMax = 400;
    static constexpr int kLine = 10;
    static constexpr int kPage = 50;

    CKitHostZoomSlider();

    int GetPos() const { return m_nPos; }
    void SetPos(int nPos);

    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void OnLButtonDown(CPoint pt) override;
    void Copy(const CKitControl* pSource, BOOL bRecursive) override;

    CWnd* GetParentWindow() const override;
    CRect GetScrollBarRect() override { return GetRect(); }
    void GetScrollInfo(SCROLLINFO* pSi) override;
    void DoScroll(int nCommand, int nPos) override;
    void RedrawScrollBar() override { RedrawParent(FALSE); }
    CKitScrollBarPainter* GetScrollBarPaintManager() const override;

private:
    int m_nPos = 100;
};

// A progress bar of the painter's height, centred in the row the bar gives it.
class CKitHostProgress : public CKitControlProgress {
    DECLARE_DYNCREATE(CKitHostProgress)
public:
    CRect GetProgressRect() const override;
};

// Adds the styles gallery with entries of the size, "Normal" checked; the entries go to its action in the manager.
CKitControlGallery* AddStylesGallery(CKitCommandBarManager* pCommandBars, CKitControls* pControls, CSize szEntry);
// Adds the font box of the width, "Tahoma" chosen.
CKitControlComboBox* AddFontBox(CKitControls* pControls, int nWidth);

// Puts the styles gallery, the font box, the zoom edit with its spin buttons, the zoom slider and a progress
// bar on the bar; the gallery's entries go to its action in the manager.
void FillControlsBar(CKitCommandBarManager* pCommandBars, CKitToolBar* pBar);
