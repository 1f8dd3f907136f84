// CKitMarkupControl, CKitMarkupContentControl, CKitMarkupButtonBase, CKitMarkupButton, CKitMarkupToggleButton, CKitMarkupCheckBox, CKitMarkupRadioButton: elements that own one element and react to the mouse.
#pragma once

#include "toolkit/markup/markup_framework_element.h"

class CKitMarkupRoutedEvent;

// A framework element with one visual child (chosen by the concrete class), padding, background and foreground.
class CKitMarkupControl : public CKitMarkupFrameworkElement {
    DECLARE_MARKUPCLASS(CKitMarkupControl)
public:
    CKitMarkupControl() = default;

    // Child 0 measures in the whole available size.
    SIZE MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight) override;
    // Child 0 fills the final size.
    SIZE ArrangeOverride(SIZE szFinal) override;

    CKitMarkupThickness* GetPadding() const;

    static CKitMarkupDependencyProperty* m_pPaddingProperty;
    static CKitMarkupDependencyProperty* m_pBackgroundProperty;
    static CKitMarkupDependencyProperty* m_pForegroundProperty;
    static void RegisterProperties();
};

// A control whose one child is its Content; text content becomes a text block.
class CKitMarkupContentControl : public CKitMarkupControl {
    DECLARE_MARKUPCLASS(CKitMarkupContentControl)
public:
    CKitMarkupContentControl() = default;

    // A second child, or content that is neither text nor a UI element, is a build error.
    void SetContentObject(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pContent) override;
    BOOL HasContentObject() const override;
    int GetVisualChildrenCount() const override;
    CKitMarkupVisual* GetVisualChild(int nIndex) const override;

    CKitMarkupUIElement* GetContent() const;
    // Takes over the reference to pContent (may be nullptr).
    void SetContent(CKitMarkupUIElement* pContent);

    static CKitMarkupDependencyProperty* m_pContentProperty;
    static void RegisterProperties();
};

// The base of the buttons: IsPressed and the bubbling Click event.
class CKitMarkupButtonBase : public CKitMarkupContentControl {
    DECLARE_MARKUPCLASS(CKitMarkupButtonBase)
public:
    // Buttons take the keyboard focus.
    CKitMarkupButtonBase();

    static CKitMarkupDependencyProperty* m_pIsPressedProperty;
    static CKitMarkupRoutedEvent* m_pClickEvent;
    static void RegisterProperties();
};

class CKitMarkupButton : public CKitMarkupButtonBase {
    DECLARE_MARKUPCLASS(CKitMarkupButton)
public:
    CKitMarkupButton() = default;
};

// A button with a checked state: IsChecked 0 false, 1 true, 2 indeterminate.
class CKitMarkupToggleButton : public CKitMarkupButtonBase {
    DECLARE_MARKUPCLASS(CKitMarkupToggleButton)
public:
    CKitMarkupToggleButton() = default;

    static CKitMarkupDependencyProperty* m_pIsCheckedProperty;
    static CKitMarkupDependencyProperty* m_pIsThreeStateProperty;
    static CKitMarkupRoutedEvent* m_pCheckedEvent;
    static CKitMarkupRoutedEvent* m_pUncheckedEvent;
    static CKitMarkupRoutedEvent* m_pIndeterminateEvent;
    static void RegisterProperties();
};

class CKitMarkupCheckBox : public CKitMarkupToggleButton {
    DECLARE_MARKUPCLASS(CKitMarkupCheckBox)
public:
    CKitMarkupCheckBox() = default;
};

class CKitMarkupRadioButton : public CKitMarkupToggleButton {
    DECLARE_MARKUPCLASS(CKitMarkupRadioButton)
public:
    CKitMarkupRadioButton() = default;
};

// A string becomes a new text block holding it (made through the builder's
// context); any other object comes back as it is (a new reference).
CKitMarkupObject* MarkupConvertTextToContent(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pSource);
