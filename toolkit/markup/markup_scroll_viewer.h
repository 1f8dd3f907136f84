// CKitMarkupScrollViewer, CKitMarkupScrollBar, CKitMarkupScrollBarGripper: content shown through a viewport with scroll bars.
#pragma once

#include "toolkit/markup/markup_controls.h"

class CKitMarkupScrollBar;
class CKitMarkupScrollBarGripper;

// A content control that shows its content through a viewport and makes and
// removes its scroll bars as the content's size asks.
class CKitMarkupScrollViewer : public CKitMarkupContentControl {
    DECLARE_MARKUPCLASS(CKitMarkupScrollViewer)
public:
    // ScrollBarVisibility values.
    enum { scrollBarDisabled = 0, scrollBarAuto = 1, scrollBarVisible = 2 };
    // Pixels of a line command and of a wheel notch.
    static constexpr int kLineStep = 16;
    static constexpr int kWheelStep = 48;

    // Clips to its bounds.
    CKitMarkupScrollViewer();
    // Releases the bars and the gripper.
    ~CKitMarkupScrollViewer() override;

    // The content, then the vertical bar, the horizontal bar and the gripper, as present.
    int GetVisualChildrenCount() const override;
    CKitMarkupVisual* GetVisualChild(int nIndex) const override;
    SIZE MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight) override;
    SIZE ArrangeOverride(SIZE szFinal) override;
    // One notch moves the vertical offset by kWheelStep.
    void OnMouseWheel(CKitMarkupMouseWheelEventArgs* pArgs) override;

    // Applies a scroll-bar command (SB_LINEUP ... SB_BOTTOM) to one offset.
    void Scroll(BOOL bVertical, int nCommand, int nValue);
    // Stores the offset, clamped to what the bar allows, and arranges again.
    void SetScrollOffset(BOOL bVertical, int nOffset);
    int GetScrollOffset(BOOL bVertical) const { return bVertical ? m_nVerticalOffset : m_nHorizontalOffset; }

    CKitMarkupScrollBar* GetVerticalBar() const { return m_pVerticalBar; }
    CKitMarkupScrollBar* GetHorizontalBar() const { return m_pHorizontalBar; }
    CKitMarkupScrollBarGripper* GetGripper() const { return m_pGripper; }

    static CKitMarkupDependencyProperty* m_pVerticalScrollBarVisibilityProperty;
    static CKitMarkupDependencyProperty* m_pHorizontalScrollBarVisibilityProperty;
    static void RegisterProperties();

private:
    int GetBarVisibility(BOOL bVertical) const;
    // A visible bar is made when missing and measured; else it is released and its offset reset.
    void UpdateBar(CKitMarkupDrawingContext* pDC, BOOL bVertical, BOOL bVisible, int nAvailableWidth,
                   int nAvailableHeight);
    // Arranges a bar over the content's extent in one direction.
    void ArrangeBar(CKitMarkupScrollBar* pBar, int& nOffset, int nContent, int nViewport, const RECT& rect);

    CKitMarkupScrollBar* m_pVerticalBar;
    CKitMarkupScrollBar* m_pHorizontalBar;
    CKitMarkupScrollBarGripper* m_pGripper;
    int m_nHorizontalOffset;
    int m_nVerticalOffset;
};

// A scroll bar made by a scroll viewer: arrows, page areas and a thumb, with
// a modal mouse-tracking loop for auto-repeat and thumb dragging.
class CKitMarkupScrollBar : public CKitMarkupControl {
    DECLARE_MARKUPCLASS(CKitMarkupScrollBar)
public:
    // Parts (hit codes).
    enum { partNone = 0, partFirstArrow = 60, partSecondArrow = 61, partPageBefore = 62, partPageAfter = 63,
           partThumb = 64 };
    // The auto-repeat timer of a press.
    static constexpr UINT_PTR kRepeatTimer = 63345;
    // Sets the repeat timer: called with the container, the timer id and the delay
    // in milliseconds. Replaceable so that tests see the delays and need not wait.
    typedef void (*TIMER_HOOK)(HWND hWnd, UINT_PTR nTimer, UINT nDelay);
    static void SetTimerHook(TIMER_HOOK pfnHook);

    // The layout along the bar.
    struct Layout {
        int nMin;
        int nMax;
        int nPage;
        int nPos;
        int nBarStart;
        int nBarEnd;
        int nAcross;
        int nArrowSize;
        int nTrackStart;
        int nTrackEnd;
        int nThumbSize;
        int nThumbStart;
        int nThumbEnd;
        int nTravel;
        RECT rcBar;
        BOOL bVertical;
    };

    CKitMarkupScrollBar();
    ~CKitMarkupScrollBar() override;

    SIZE MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight) override;
    SIZE ArrangeOverride(SIZE szFinal) override;
    void OnRender(CKitMarkupDrawingContext* pDC) override;
    void OnMouseMove(CKitMarkupMouseEventArgs* pArgs) override;
    void OnMouseLeave(CKitMarkupMouseEventArgs* pArgs) override;
    // Arrows and page areas repeat their command while held; the thumb drags;
    // Shift makes a page press a drag with the thumb centred on the pointer.
    void OnMouseLeftButtonDown(CKitMarkupMouseButtonEventArgs* pArgs) override;

    // Copies the information; nothing changes when maximum, page and position are the same.
    void SetScrollInfo(const SCROLLINFO& info);
    void GetScrollInfo(SCROLLINFO& info) const;
    void SetOrientation(int nOrientation) { m_nOrientation = nOrientation; }
    BOOL IsVertical() const { return m_nOrientation == 1; }

    // Computes the layout for the bar rectangle and the scroll information.
    void CalcScrollBarInfo(const RECT& rcBar, const SCROLLINFO& info);
    // The rectangle inside which a dragged thumb follows the mouse.
    RECT CalcScrollTrackDragRect() const;
    // The same for any bar: widened by 8 thicknesses across and 2 system thumb sizes along.
    static RECT CalcScrollTrackDragRect(const RECT& rcBar, int nAcross, BOOL bVertical);
    // The part under a point (bar coordinates); 0 outside or when disabled.
    int HitTestScrollBar(POINT point) const;
    BOOL IsEnabled() const;
    const Layout& GetLayout() const { return m_layout; }
    int GetHotPart() const { return m_nHotPart; }
    int GetPressedPart() const { return m_nPressedPart; }

private:
    struct Tracking;

    // The rectangle of a part in bar coordinates.
    RECT GetPartRect(int nPart) const;
    void SendCommand(int nCommand, int nValue);
    void RunTrackingLoop(HWND hWnd);
    void PressStep(UINT message, POINT point);
    void DragStep(UINT message, POINT point);
    void RepeatStep(HWND hWnd);
    void EndTracking();
    // The value of a thumb starting at p.
    int ThumbValue(int nThumbStart) const;
    void ArmTimer(UINT nDelay);
    POINT ContainerToBar(POINT point) const;
    void Redraw();

    int m_nOrientation;
    SCROLLINFO m_scrollInfo;
    Layout m_layout;
    int m_nHotPart;
    int m_nPressedPart;
    Tracking* m_pTracking;
};

// Fills the corner between two scroll bars.
class CKitMarkupScrollBarGripper : public CKitMarkupUIElement {
    DECLARE_MARKUPCLASS(CKitMarkupScrollBarGripper)
public:
    CKitMarkupScrollBarGripper() = default;

    // Takes the place and size it is given.
    void ArrangeCore(const RECT& rcFinal) override;
    void OnRender(CKitMarkupDrawingContext* pDC) override;
};
