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

// Stands in the tree for a child window (not owned): reserves its size, moves
// it onto the element's place when drawn and hides it when not; takes no content.
class CKitMarkupWindowContainer : public CKitMarkupFrameworkElement {
    DECLARE_MARKUPCLASS(CKitMarkupWindowContainer)
public:
    CKitMarkupWindowContainer() = default;

    // The window's size, whatever the available size.
    SIZE MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight) override;
    void OnRender(CKitMarkupDrawingContext* pDC) override;
    void OnNotRendered(CKitMarkupDrawingContext* pDC) override;

    // Attaches a child window of the container and the size it reserves (nullptr detaches).
    void SetWindow(HWND hWnd, SIZE szWindow);
    HWND GetWindow() const { return m_hWnd; }

private:
    HWND m_hWnd = nullptr;
    SIZE m_szWindow = {0, 0};
};
