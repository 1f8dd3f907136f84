// CKitMarkupFrameworkElement, CKitMarkupFrameworkContentElement, CKitMarkupDecorator, CKitMarkupBorder: layout with margins, sizes and alignment; content elements; the border.
#pragma once

#include "toolkit/markup/markup_input_element.h"
#include "toolkit/markup/markup_visual.h"

#include <utility>

class CKitMarkupBrush;
class CKitMarkupThickness;

// A UI element with margin, explicit, minimum and maximum sizes and alignment
// in the slot its parent gives it; it clips what does not fit. Concrete
// elements supply MeasureOverride and ArrangeOverride.
class CKitMarkupFrameworkElement : public CKitMarkupUIElement {
    DECLARE_MARKUPCLASS(CKitMarkupFrameworkElement)
public:
    CKitMarkupFrameworkElement();

    // Updates the style triggers, then invalidates measure, arrange or drawing as the property's flags say.
    void OnPropertyChanged(CKitMarkupDependencyProperty* pProperty, CKitMarkupObject* pOldValue,
                           CKitMarkupObject* pNewValue) override;
    BOOL GetLayoutClip(RECT& rect) const override;
    // Margins, sizes and alignment around ArrangeOverride.
    void ArrangeCore(const RECT& rcFinal) override;
    // Margins, sizes and the available size around MeasureOverride.
    SIZE MeasureCore(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight) override;

    // The size the content wants for the available inner size; (0, 0) here.
    virtual SIZE MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight);
    // Arranges the content into the final inner size; returns the size used (the argument here).
    virtual SIZE ArrangeOverride(SIZE szFinal);

    // Alignment values (Stretch when unset).
    enum { alignLeft = 0, alignCenter = 1, alignRight = 2, alignStretch = 3 };
    enum { alignTop = 0, alignBottom = 2 };
    int GetHorizontalAlignment() const;
    int GetVerticalAlignment() const;
    // The margin; the empty thickness when unset.
    CKitMarkupThickness* GetMargin() const;
    BOOL GetClipToBounds() const;

    // The offset of ink of a size in a client area of a size under the alignments.
    static POINT GetAlignmentOffset(SIZE szClient, SIZE szInk, int nHorizontal, int nVertical);

    static CKitMarkupDependencyProperty* m_pMarginProperty;
    static CKitMarkupDependencyProperty* m_pHorizontalAlignmentProperty;
    static CKitMarkupDependencyProperty* m_pVerticalAlignmentProperty;
    static CKitMarkupDependencyProperty* m_pTagProperty;
    static CKitMarkupDependencyProperty* m_pWidthProperty;
    static CKitMarkupDependencyProperty* m_pMinWidthProperty;
    static CKitMarkupDependencyProperty* m_pMaxWidthProperty;
    static CKitMarkupDependencyProperty* m_pHeightProperty;
    static CKitMarkupDependencyProperty* m_pMinHeightProperty;
    static CKitMarkupDependencyProperty* m_pMaxHeightProperty;
    static void RegisterProperties();

private:
    // The effective bounds from the explicit, minimum and maximum sizes.
    struct MinMax {
        int nMaxHeight;
        int nMinHeight;
        int nMaxWidth;
        int nMinWidth;
    };
    void UpdateMinMax();
    // The client area: the final rectangle less the margins, never negative.
    SIZE GetClientSize(const RECT& rcFinal) const;

    MinMax m_minMax;
    BOOL m_bNeedsClipBounds;
    SIZE m_szUnclippedDesired;
    BOOL m_bUnclippedDesiredSizeValid;
};

// An element of the content tree without layout of its own.
class CKitMarkupFrameworkContentElement : public CKitMarkupInputElement {
    DECLARE_MARKUPCLASS(CKitMarkupFrameworkContentElement)
public:
    CKitMarkupFrameworkContentElement() = default;

    // Updates the style triggers, then has the hosting element measure, arrange
    // or draw again as the property's flags say.
    void OnPropertyChanged(CKitMarkupDependencyProperty* pProperty, CKitMarkupObject* pOldValue,
                           CKitMarkupObject* pNewValue) override;

    // The nearest logical ancestor that is a framework element, or nullptr.
    CKitMarkupFrameworkElement* GetHostElement() const;

    static void RegisterProperties();
};

// A framework element with one child element.
class CKitMarkupDecorator : public CKitMarkupFrameworkElement {
public:
    CKitMarkupDecorator();
    ~CKitMarkupDecorator() override;

    // A UI element becomes the child; a second child or other content is a build error.
    void SetContentObject(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pContent) override;
    BOOL HasContentObject() const override;
    int GetVisualChildrenCount() const override;
    CKitMarkupVisual* GetVisualChild(int nIndex) const override;

    CKitMarkupUIElement* GetChild() const { return m_pChild; }
    // Takes over the reference to pChild (may be nullptr); the previous child is released.
    void SetChild(CKitMarkupUIElement* pChild);

private:
    CKitMarkupUIElement* m_pChild;
};

// A decorator with a border, a background, rounded corners and padding.
class CKitMarkupBorder : public CKitMarkupDecorator {
    DECLARE_MARKUPCLASS(CKitMarkupBorder)
public:
    CKitMarkupBorder() = default;

    void OnRender(CKitMarkupDrawingContext* pDC) override;
    // The border itself where it has a background; elsewhere only its child is hit.
    CKitMarkupInputElement* HitTestCore(POINT point) override;
    SIZE MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight) override;
    SIZE ArrangeOverride(SIZE szFinal) override;

    CKitMarkupBrush* GetBackground() const;
    CKitMarkupBrush* GetBorderBrush() const;
    CKitMarkupThickness* GetBorderThickness() const;
    CKitMarkupThickness* GetPadding() const;
    CKitMarkupThickness* GetCornerRadius() const;

    static CKitMarkupDependencyProperty* m_pBorderThicknessProperty;
    static CKitMarkupDependencyProperty* m_pBorderBrushProperty;
    static CKitMarkupDependencyProperty* m_pCornerRadiusProperty;
    static CKitMarkupDependencyProperty* m_pBackgroundProperty;
    static CKitMarkupDependencyProperty* m_pPaddingProperty;
    static void RegisterProperties();
};

// Puts a child (its reference taken over; may be nullptr) into an owner's slot:
// the previous child leaves the owner and is released, the new one gets the owner as logical parent.
template <class T>
void MarkupReplaceChild(CKitMarkupObject* pOwner, T*& pSlot, T* pChild)
{
    if (T* pOld = std::exchange(pSlot, nullptr)) {
        pOld->DetachFromParent(pOwner);
        pOld->Release();
    }
    pSlot = pChild;
    if (pChild != nullptr)
        pChild->SetLogicalParent(pOwner);
}

// Raises the content error of a single-child element: a second child, or content that is no UI element.
[[noreturn]] void MarkupThrowSingleChildError(const CKitMarkupObject* pOwner, const CKitMarkupObject* pContent,
                                              BOOL bHasChild);
