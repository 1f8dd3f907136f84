// CKitProgressBase, CKitControlProgress, CKitScrollBase and the painter interfaces the themes fill: progress indicators and the scroll-bar behaviour controls mix in.
#pragma once

#include "toolkit/commandbars/control.h"

#include "framework/geometry.h"

#include <windows.h>

#include <vector>

class CDC;
class CWnd;
class CKitBarPainter;
class CKitGalleryPainter;
class CKitProgressBase;
class CKitScrollBase;

// Parts of a scroll bar under the pointer.
enum KitScrollHit {
    kitScrollHitNone = 0,
    kitScrollHitUpArrow = 60,
    kitScrollHitDownArrow = 61,
    kitScrollHitPageUp = 62,
    kitScrollHitPageDown = 63,
    kitScrollHitThumb = 64,
    kitScrollHitExtra = 65,
};

// Commands the scroll base sends to its user.
enum KitScrollCommand {
    kitScrollLineUp = 0,
    kitScrollLineDown = 1,
    kitScrollPageUp = 2,
    kitScrollPageDown = 3,
    kitScrollThumbPosition = 4,
    kitScrollThumbTrack = 5,
    kitScrollEnd = 8,
};

// Visual styles of a scroll bar.
enum KitScrollStyle {
    kitScrollStyleDefault = 0,
    kitScrollStyleFlat = 2,
    kitScrollStyleSystem = 3,
    kitScrollStyleOffice = 5,
    // The office bar in its dark variant; set on a bar, never chosen by a theme.
    kitScrollStyleOfficeDark = 6,
};

// A scroll bar's geometry in pixels along (start..end) and across its axis.
struct KIT_SCROLLBARPOSINFO {
    int nMin = 0;
    int nMax = 0;
    int nPage = 0;
    int nPos = 0;
    int pxTop = 0;
    int pxBottom = 0;
    int pxLeft = 0;
    int pxRight = 0;
    int pxThumbLength = 0;
    int pxUpArrow = 0;
    int pxDownArrow = 0;
    int pxDragStart = 0;
    int pxThumbBottom = 0;
    int pxThumbTop = 0;
    // Start of an extra button before the second arrow; 0 when absent.
    int pxExtraButton = 0;
    int pxTrackLength = 0;
    int pxTrackStart = 0;
    CRect rc;
    int nHitPart = kitScrollHitNone;
    BOOL bVertical = TRUE;
};

// What the tracking loop keeps while the mouse is down on a bar.
struct KIT_SCROLLBARTRACKINFO {
    BOOL bInside = FALSE;
    // The pressed part; for the thumb, the rectangle it snaps back outside of.
    CRect rcPart;
    int nCommand = kitScrollLineUp;
    UINT_PTR nTimerId = 0;
    int nThumbOffset = 0;
    int nLastPoint = 0;
    int nPos = 0;
    int nNewPos = 0;
    HWND hWnd = nullptr;
    BOOL bDragging = FALSE;
    KIT_SCROLLBARPOSINFO* pPosInfo = nullptr;
};

// The scroll-bar drawing of a theme, owned by its paint manager.
class CKitScrollBarPainter {
public:
    virtual void DrawScrollBar(CDC* pDC, CKitScrollBase* pScrollBar) = 0;
    // The length of an arrow button along the axis.
    virtual int GetArrowSize(BOOL bVertical) const = 0;
    // A thumb length that replaces the computed one; 0 when none.
    virtual int GetFixedThumbLength() const = 0;
    // The owning paint manager's theme number.
    virtual int GetThemeKind() const = 0;

protected:
    ~CKitScrollBarPainter() = default;
};

// The progress drawing of a theme, owned by its paint manager.
class CKitProgressPainter {
public:
    virtual void DrawProgress(CDC* pDC, CKitProgressBase* pProgress) = 0;
    // The height of a bar that sets none itself.
    virtual int GetProgressHeight() const = 0;

protected:
    ~CKitProgressPainter() = default;
};

// Filled by the themes library: the painters a paint manager owns.
class CKitScrollPainters {
public:
    // The registered implementation; null in a program that does not link the themes.
    static CKitScrollPainters* Get();
    static void Register(CKitScrollPainters* pPainters);

    virtual CKitProgressPainter* GetProgressPainter(CKitBarPainter* pPaintManager) = 0;
    virtual CKitScrollBarPainter* GetSliderPainter(CKitBarPainter* pPaintManager) = 0;
    virtual CKitGalleryPainter* GetGalleryPainter(CKitBarPainter* pPaintManager) = 0;

protected:
    ~CKitScrollPainters() = default;
};

// A range and a position, drawn as a filled bar.
class CKitProgressBase {
public:
    virtual ~CKitProgressBase() = default;

    void GetRange(int& nLower, int& nUpper) const;
    // Redraws only when the range changes.
    void SetRange(int nLower, int nUpper);
    int GetPos() const { return m_nPos; }
    // Clamped to the range; redraws only when the position changes.
    void SetPos(int nPos);

    virtual CRect GetProgressRect() const = 0;
    virtual void RedrawProgress() = 0;
    virtual CKitProgressPainter* GetProgressPaintManager() const = 0;

protected:
    int m_nMin = 0;
    int m_nMax = 100;
    int m_nPos = 0;
};

// A progress bar on a command bar.
class CKitControlProgress : public CKitControl, public CKitProgressBase {
    DECLARE_DYNCREATE(CKitControlProgress)
public:
    static constexpr int kDefaultWidth = 100;

    CKitControlProgress();

    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void Copy(const CKitControl* pSource, BOOL bRecursive) override;
    void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint()) override;

    CRect GetProgressRect() const override { return GetRect(); }
    void RedrawProgress() override;
    CKitProgressPainter* GetProgressPaintManager() const override;
};

// The behaviour of a scroll bar: layout, hit test and the mouse loop; the user
// gives the rectangle, the scroll information and acts on the commands.
class CKitScrollBase {
public:
    // Repeats a held arrow or page part.
    static constexpr UINT_PTR kTimerRepeat = 23345;
    // Steps the user's animation while the loop runs.
    static constexpr UINT_PTR kTimerAnimation = 23346;

    CKitScrollBase() = default;
    virtual ~CKitScrollBase() = default;
    CKitScrollBase(const CKitScrollBase&) = delete;
    CKitScrollBase& operator=(const CKitScrollBase&) = delete;

    virtual BOOL IsScrollBarEnabled() const { return TRUE; }
    virtual CWnd* GetParentWindow() const = 0;
    // One step of the user's animation (timer 23346).
    virtual void OnAnimationStep() {}
    virtual CRect GetScrollBarRect() = 0;
    virtual void GetScrollInfo(SCROLLINFO* pSi) = 0;
    virtual void DoScroll(int nCommand, int nPos) = 0;
    virtual void RedrawScrollBar() = 0;
    // Fills the layout record from the bar rectangle and the scroll information.
    virtual void CalcScrollBarInfo(const CRect& rc, KIT_SCROLLBARPOSINFO* pSBInfo, const SCROLLINFO* pSi);
    virtual CKitScrollBarPainter* GetScrollBarPaintManager() const = 0;

    int HitTestScrollBar(CPoint pt) const;
    // Lays the bar out again from the user's rectangle and information, then redraws it.
    void UpdateScrollBar();
    // The mouse loop from a button press at pt (client coordinates of pWnd).
    void PerformTrackInit(HWND hWnd, CPoint point, BOOL bShift);
    // The own style when set, else the one the paint manager's theme gives.
    int GetScrollBarVisualStyle() const;
    void SetScrollBarVisualStyle(int nStyle) { m_nScrollBarStyle = nStyle; }

    BOOL IsVertical() const { return m_bVertical; }
    void SetVertical(BOOL bVertical) { m_bVertical = bVertical; }
    KIT_SCROLLBARPOSINFO* GetScrollBarPosInfo() { return &m_spi; }
    // Null unless the loop runs.
    KIT_SCROLLBARTRACKINFO* GetScrollBarTrackInfo() const { return m_pSBTrack; }
    // Slider ticks at these values.
    void SetTicks(const std::vector<double>& ticks) { m_ticks = ticks; }
    const std::vector<double>& GetTicks() const { return m_ticks; }
    BOOL IsAnimating() const { return m_bAnimating; }
    void SetAnimating(BOOL bAnimating) { m_bAnimating = bAnimating; }

    // The snap-back rectangle of a thumb drag on the bar.
    static CRect CalcScrollTrackDragRect(const KIT_SCROLLBARPOSINFO& spi);

protected:
    KIT_SCROLLBARPOSINFO m_spi;
    std::vector<double> m_ticks;
    KIT_SCROLLBARTRACKINFO* m_pSBTrack = nullptr;
    int m_nScrollBarStyle = kitScrollStyleDefault;
    int m_nRepeatDelay = 0;
    BOOL m_bAnimating = FALSE;
    BOOL m_bVertical = TRUE;

private:
    CPoint m_ptLast;
    void TrackBox(UINT message, CPoint pt);
    void TrackThumb(UINT message, CPoint pt);
    void ContinueTracking(UINT message, CPoint pt);
    void OnRepeatTimer();
    void EndTracking();
    int PositionFromPoint(int nCoordinate) const;
    int Coordinate(CPoint pt) const { return m_spi.bVertical ? pt.y : pt.x; }
};
