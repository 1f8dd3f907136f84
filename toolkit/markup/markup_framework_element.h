// CKitMarkupFrameworkElement, CKitMarkupFrameworkContentElement, CKitMarkupDecorator, CKitMarkupBorder: sized elements, content elements and the border.
#pragma once

#include "toolkit/markup/markup_input_element.h"
#include "toolkit/markup/markup_visual.h"

class CKitMarkupBrush;
class CKitMarkupThickness;

// A UI element with margin, explicit, minimum and maximum sizes and alignment.
class CKitMarkupFrameworkElement : public CKitMarkupUIElement {
    DECLARE_MARKUPCLASS(CKitMarkupFrameworkElement)
public:
    CKitMarkupFrameworkElement() = default;

    // Updates the style triggers.
    void OnPropertyChanged(CKitMarkupDependencyProperty* pProperty, CKitMarkupObject* pOldValue,
                           CKitMarkupObject* pNewValue) override;

    // Alignment values (Stretch when unset).
    enum { alignLeft = 0, alignCenter = 1, alignRight = 2, alignStretch = 3 };
    enum { alignTop = 0, alignBottom = 2 };
    int GetHorizontalAlignment() const;
    int GetVerticalAlignment() const;
    // The margin; the empty thickness when unset.
    CKitMarkupThickness* GetMargin() const;

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
};

// An element of the content tree without layout of its own.
class CKitMarkupFrameworkContentElement : public CKitMarkupInputElement {
    DECLARE_MARKUPCLASS(CKitMarkupFrameworkContentElement)
public:
    CKitMarkupFrameworkContentElement() = default;

    // Updates the style triggers.
    void OnPropertyChanged(CKitMarkupDependencyProperty* pProperty, CKitMarkupObject* pOldValue,
                           CKitMarkupObject* pNewValue) override;

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

// Raises the content error of a single-child element: a second child, or content that is no UI element.
[[noreturn]] void MarkupThrowSingleChildError(const CKitMarkupObject* pOwner, const CKitMarkupObject* pContent,
                                              BOOL bHasChild);
