// CKitMarkupScrollViewer, CKitMarkupScrollBar, CKitMarkupScrollBarGripper: content shown through a viewport with scroll bars.
#pragma once

#include "toolkit/markup/markup_controls.h"

// A content control that clips its content to a viewport.
class CKitMarkupScrollViewer : public CKitMarkupContentControl {
    DECLARE_MARKUPCLASS(CKitMarkupScrollViewer)
public:
    // ScrollBarVisibility values.
    enum { scrollBarDisabled = 0, scrollBarAuto = 1, scrollBarVisible = 2 };

    // Clips to its bounds.
    CKitMarkupScrollViewer();

    static CKitMarkupDependencyProperty* m_pVerticalScrollBarVisibilityProperty;
    static CKitMarkupDependencyProperty* m_pHorizontalScrollBarVisibilityProperty;
    static void RegisterProperties();
};

// A scroll bar made by a scroll viewer; it cannot be written as an element.
class CKitMarkupScrollBar : public CKitMarkupControl {
    DECLARE_MARKUPCLASS(CKitMarkupScrollBar)
public:
    CKitMarkupScrollBar() = default;
};

// Fills the corner between two scroll bars.
class CKitMarkupScrollBarGripper : public CKitMarkupUIElement {
    DECLARE_MARKUPCLASS(CKitMarkupScrollBarGripper)
public:
    CKitMarkupScrollBarGripper() = default;
};
