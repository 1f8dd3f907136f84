// CKitMarkupVisual, CKitMarkupUIElement: elements with a place, a size and visual children.
#pragma once

#include "toolkit/markup/markup_input_element.h"

// An input element with a position in its visual parent, a render size and visual children.
class CKitMarkupVisual : public CKitMarkupInputElement {
    DECLARE_MARKUPCLASS(CKitMarkupVisual)
public:
    CKitMarkupVisual();

    // The logical children of a visual are its visual children.
    int GetLogicalChildrenCount() const override;
    CKitMarkupObject* GetLogicalChild(int nIndex) const override;

    virtual int GetVisualChildrenCount() const;
    virtual CKitMarkupVisual* GetVisualChild(int nIndex) const;

    POINT GetVisualOffset() const { return m_ptVisualOffset; }
    SIZE GetRenderSize() const { return m_szRender; }
    RECT GetBounds() const { return m_rcBounds; }

protected:
    POINT m_ptVisualOffset;
    SIZE m_szRender;
    RECT m_rcBounds;
};

// The base of every element that draws.
class CKitMarkupUIElement : public CKitMarkupVisual {
    DECLARE_MARKUPCLASS(CKitMarkupUIElement)
public:
    CKitMarkupUIElement() = default;

    // Visibility values.
    enum { visibilityVisible = 0, visibilityHidden = 1, visibilityCollapsed = 2 };
    int GetVisibility() const;

    static CKitMarkupDependencyProperty* m_pClipToBoundsProperty;
    static CKitMarkupDependencyProperty* m_pVisibilityProperty;
    static CKitMarkupDependencyProperty* m_pFocusableProperty;
    static CKitMarkupDependencyProperty* m_pIsEnabledProperty;
    static void RegisterProperties();
};
