// CKitMarkupVisual, CKitMarkupUIElement: elements with a place, a size and visual children; rendering, hit testing and the measure/arrange protocol.
#pragma once

#include "toolkit/markup/markup_input_element.h"

class CKitMarkupDrawingContext;

// An input element with a position in its visual parent, a render size and visual children.
class CKitMarkupVisual : public CKitMarkupInputElement {
    DECLARE_MARKUPCLASS(CKitMarkupVisual)
public:
    CKitMarkupVisual();

    // The logical children of a visual are its visual children.
    int GetLogicalChildrenCount() const override;
    CKitMarkupObject* GetLogicalChild(int nIndex) const override;
    // Rejects by bounds, then asks the children from the last (on top) to the first.
    CKitMarkupInputElement* InputHitTest(POINT point) override;

    virtual int GetVisualChildrenCount() const;
    virtual CKitMarkupVisual* GetVisualChild(int nIndex) const;
    // TRUE with the clip rectangle (element coordinates) when the element clips.
    virtual BOOL GetLayoutClip(RECT& rect) const;
    virtual void OnRender(CKitMarkupDrawingContext* pDC);
    // Draws the keyboard focus mark; called after the children when the element has the focus.
    virtual void OnRenderFocusVisual(CKitMarkupDrawingContext* pDC);
    // The element hit at a point inside its render size (element coordinates).
    virtual CKitMarkupInputElement* HitTestCore(POINT point);
    // Called instead of rendering when the element lies outside the area drawn;
    // passes the call on to the visual children.
    virtual void OnNotRendered(CKitMarkupDrawingContext* pDC);

    // Draws the element and its children, skipping what lies outside the clip box.
    void Render(CKitMarkupDrawingContext* pDC);
    // The nearest logical ancestor that is a visual; nullptr at the root.
    CKitMarkupVisual* GetVisualParent() const;

    POINT GetVisualOffset() const { return m_ptVisualOffset; }
    SIZE GetRenderSize() const { return m_szRender; }
    RECT GetBounds() const { return m_rcBounds; }

protected:
    // The union of the render rectangle and the children's bounds.
    void UpdateBounds();

    POINT m_ptVisualOffset;
    SIZE m_szRender;
    RECT m_rcBounds;
};

// The base of every element that draws: measure and arrange with their
// validity flags, and invalidation that climbs to the markup context.
class CKitMarkupUIElement : public CKitMarkupVisual {
    DECLARE_MARKUPCLASS(CKitMarkupUIElement)
public:
    CKitMarkupUIElement();

    // An element that is not Visible clips everything away.
    BOOL GetLayoutClip(RECT& rect) const override;

    // Measures again with the last available size and arranges; a change of the
    // desired size climbs to the parent (at the root: the context's layout notice).
    virtual void InvalidateArrange();
    virtual void InvalidateVisual();
    virtual void InvalidateMeasure();
    // Sets the render size.
    virtual void ArrangeCore(const RECT& rcFinal);
    // The desired size for an available size.
    virtual SIZE MeasureCore(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight);
    virtual void InvalidateMeasureCore(CKitMarkupDrawingContext* pDC);

    // Updates the desired size; skipped when nothing changed since the last measure.
    void Measure(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight);
    // Places the element in its parent's rectangle; measures first when needed.
    void Arrange(const RECT& rcFinal);

    // Visibility values.
    enum { visibilityVisible = 0, visibilityHidden = 1, visibilityCollapsed = 2 };
    int GetVisibility() const;

    SIZE GetDesiredSize() const { return m_szDesired; }
    RECT GetFinalRect() const { return m_rcFinal; }

    static CKitMarkupDependencyProperty* m_pClipToBoundsProperty;
    static CKitMarkupDependencyProperty* m_pVisibilityProperty;
    static CKitMarkupDependencyProperty* m_pFocusableProperty;
    static CKitMarkupDependencyProperty* m_pIsEnabledProperty;
    static void RegisterProperties();

protected:
    SIZE m_szDesired;
    RECT m_rcFinal;
    BOOL m_bMeasureForced;
    BOOL m_bMeasureInvalid;
    SIZE m_szPreviousAvailable;
    BOOL m_bArrangeNeeded;
    BOOL m_bArrangeInvalid;
    BOOL m_bArranging;
    BOOL m_bMeasuring;
};
