// CKitScrollBarPaintManager, CKitSliderPaintManager, CKitProgressPaintManager: the scroll-bar, slider and progress drawing a paint manager owns.
#pragma once

#include "toolkit/commandbars/control_scroll.h"
#include "toolkit/common/theme_wrapper.h"

#include "framework/geometry.h"

class CDC;
class CKitPaintManager;

// Scroll bars: themed, flat or classic by the bar's visual style.
class CKitScrollBarPaintManager : public CKitScrollBarPainter {
public:
    explicit CKitScrollBarPaintManager(CKitPaintManager* pPaintManager);
    virtual ~CKitScrollBarPaintManager() = default;
    CKitScrollBarPaintManager(const CKitScrollBarPaintManager&) = delete;
    CKitScrollBarPaintManager& operator=(const CKitScrollBarPaintManager&) = delete;

    void DrawScrollBar(CDC* pDC, CKitScrollBase* pScrollBar) override;
    int GetArrowSize(BOOL bVertical) const override { return bVertical ? m_cyVScroll : m_cxHScroll; }
    int GetFixedThumbLength() const override { return m_cThumb; }
    int GetThemeKind() const override;
    // Reads the system metrics again and reopens the theme data.
    virtual void RefreshMetrics();

    CKitPaintManager* GetPaintManager() const { return m_pPaintManager; }
    // The track of a flat bar.
    COLORREF FlatTrackColor() const;

    int m_cxHScroll = 0;
    int m_cyHScroll = 0;
    int m_cyVScroll = 0;
    int m_cxVScroll = 0;
    int m_cThumb = 0;

protected:
    // Which parts show and their states, worked out once for every style.
    struct PartStates {
        BOOL bEnabled = FALSE;
        BOOL bThumb = FALSE;
        int nPressed = kitScrollHitNone;
        int nHot = kitScrollHitNone;
    };
    PartStates GetPartStates(CKitScrollBase* pScrollBar) const;
    void DrawThemed(CDC* pDC, CKitScrollBase* pScrollBar, const PartStates& states);
    void DrawFlat(CDC* pDC, CKitScrollBase* pScrollBar, const PartStates& states);
    void DrawClassic(CDC* pDC, CKitScrollBase* pScrollBar, const PartStates& states);
    // A flat arrow button with its glyph ("3" left, "4" right, "5" up, "6" down).
    void DrawFlatArrow(CDC* pDC, CRect rc, char chGlyph, BOOL bPressed, BOOL bEnabled);

    CKitWinThemeWrapper m_themeScrollBar;
    CKitPaintManager* m_pPaintManager;
};

// Horizontal sliders with round minus and plus buttons and a marker for a thumb.
class CKitSliderPaintManager : public CKitScrollBarPaintManager {
public:
    static constexpr int kButtonSize = 16;
    static constexpr int kThumbLength = 11;

    explicit CKitSliderPaintManager(CKitPaintManager* pPaintManager);

    void DrawScrollBar(CDC* pDC, CKitScrollBase* pScrollBar) override;
    void RefreshMetrics() override;

private:
    void DrawTick(CDC* pDC, int x, int y);
    void DrawButton(CDC* pDC, CRect rc, BOOL bPlus, BOOL bPressed, BOOL bHot);
};

// Progress bars: a filled bar, or chunks of the visual style.
class CKitProgressPaintManager : public CKitProgressPainter {
public:
    static constexpr int kDefaultHeight = 16;

    explicit CKitProgressPaintManager(CKitPaintManager* pPaintManager);
    virtual ~CKitProgressPaintManager() = default;
    CKitProgressPaintManager(const CKitProgressPaintManager&) = delete;
    CKitProgressPaintManager& operator=(const CKitProgressPaintManager&) = delete;

    void DrawProgress(CDC* pDC, CKitProgressBase* pProgress) override;
    int GetProgressHeight() const override { return m_nBarHeight; }
    // Reopens the theme data.
    virtual void RefreshMetrics();

    int m_nBarHeight = kDefaultHeight;

protected:
    CKitPaintManager* m_pPaintManager;
    CKitWinThemeWrapper m_themeProgress;
};
