// CKitMarkupPage, CKitMarkupWindowContainer: a plain root with one child, and the place of a child window.
#pragma once

#include "toolkit/markup/markup_framework_element.h"

// Holds one child element and sizes to it; never hit itself.
class CKitMarkupPage : public CKitMarkupDecorator {
    DECLARE_MARKUPCLASS(CKitMarkupPage)
public:
    CKitMarkupPage() = default;

    CKitMarkupInputElement* HitTestCore(POINT point) override;
    SIZE MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight) override;
    SIZE ArrangeOverride(SIZE szFinal) override;
};

// Stands in the tree for a child window; takes no content.
class CKitMarkupWindowContainer : public CKitMarkupFrameworkElement {
    DECLARE_MARKUPCLASS(CKitMarkupWindowContainer)
public:
    CKitMarkupWindowContainer() = default;
};
