// CKitMarkupUIElementCollection, CKitMarkupPanel, CKitMarkupCanvas: elements with many children and their placement.
#pragma once

#include "toolkit/markup/markup_collection.h"
#include "toolkit/markup/markup_framework_element.h"

// The children of a panel; a change makes the owning element measure again.
class CKitMarkupUIElementCollection : public CKitMarkupCollection {
public:
    CKitMarkupUIElementCollection();

    void OnChanged() override;

    CKitMarkupUIElement* GetElement(int nIndex) const;
};

// A framework element with a collection of children and a background.
class CKitMarkupPanel : public CKitMarkupFrameworkElement {
    DECLARE_MARKUPCLASS(CKitMarkupPanel)
public:
    CKitMarkupPanel();
    ~CKitMarkupPanel() override;

    // Content goes to the children.
    void SetContentObject(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pContent) override;
    BOOL HasContentObject() const override;
    int GetVisualChildrenCount() const override;
    CKitMarkupVisual* GetVisualChild(int nIndex) const override;
    void OnRender(CKitMarkupDrawingContext* pDC) override;
    // The panel itself only where it has a background.
    CKitMarkupInputElement* HitTestCore(POINT point) override;

    CKitMarkupBrush* GetBackground() const;
    CKitMarkupUIElementCollection* GetChildren() const { return m_pChildren; }

    static CKitMarkupDependencyProperty* m_pBackgroundProperty;
    static void RegisterProperties();

private:
    CKitMarkupUIElementCollection* m_pChildren;
};

// A panel that places its children at the offsets of their attached Left, Top, Right and Bottom.
class CKitMarkupCanvas : public CKitMarkupPanel {
    DECLARE_MARKUPCLASS(CKitMarkupCanvas)
public:
    CKitMarkupCanvas() = default;

    // Children measure without bounds; the canvas itself asks for nothing.
    SIZE MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight) override;
    // Left wins over Right and Top over Bottom; a child without either sits at 0.
    SIZE ArrangeOverride(SIZE szFinal) override;

    static CKitMarkupDependencyProperty* m_pTopProperty;
    static CKitMarkupDependencyProperty* m_pRightProperty;
    static CKitMarkupDependencyProperty* m_pLeftProperty;
    static CKitMarkupDependencyProperty* m_pBottomProperty;
    static void RegisterProperties();
};
