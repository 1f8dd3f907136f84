// CKitMarkupControl, CKitMarkupContentControl, CKitMarkupButtonBase, CKitMarkupButton, CKitMarkupToggleButton, CKitMarkupCheckBox, CKitMarkupRadioButton: elements that own one element and react to the mouse.
#pragma once

#include "toolkit/common/theme_wrapper.h"
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

// The base of the buttons: press, capture and the bubbling Click event.
class CKitMarkupButtonBase : public CKitMarkupContentControl {
    DECLARE_MARKUPCLASS(CKitMarkupButtonBase)
public:
    // Buttons take the keyboard focus.
    CKitMarkupButtonBase();

    // The button looks released while the pointer is outside during a press.
    void OnMouseLeave(CKitMarkupMouseEventArgs* pArgs) override;
    void OnMouseEnter(CKitMarkupMouseEventArgs* pArgs) override;
    // Clicks when the press ends with the pointer inside.
    void OnMouseLeftButtonUp(CKitMarkupMouseButtonEventArgs* pArgs) override;
    // Presses and captures the mouse, unless IsEnabled is false.
    void OnMouseLeftButtonDown(CKitMarkupMouseButtonEventArgs* pArgs) override;
    void OnLostMouseCapture(CKitMarkupMouseEventArgs* pArgs) override;

    // Raises Click with the button as source.
    virtual void OnClick();

    BOOL IsPressed() const;
    // IsEnabled is explicitly false.
    BOOL IsDisabled() const;

protected:
    // Opens the "BUTTON" theme for the container window; TRUE when themes are in use.
    BOOL OpenTheme();
    // The theme is open and the program is themed.
    BOOL IsThemed();
    // The visual-style state: 4 disabled, 3 pressed, 2 hot, 1 normal.
    int GetThemeState() const;
    // Measures the content in the available size less the extra room.
    SIZE MeasureContent(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight, SIZE szExtra);

    CKitWinThemeWrapper m_theme;

private:
    void EndCapture();

    BOOL m_bCaptured;
    BOOL m_bMouseInside;

public:

    static CKitMarkupDependencyProperty* m_pIsPressedProperty;
    static CKitMarkupRoutedEvent* m_pClickEvent;
    static void RegisterProperties();
};

class CKitMarkupButton : public CKitMarkupButtonBase {
    DECLARE_MARKUPCLASS(CKitMarkupButton)
public:
    CKitMarkupButton() = default;

    void OnRender(CKitMarkupDrawingContext* pDC) override;
    void OnRenderFocusVisual(CKitMarkupDrawingContext* pDC) override;
    SIZE MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight) override;
    SIZE ArrangeOverride(SIZE szFinal) override;
};

// A button with a checked state: IsChecked 0 false, 1 true, 2 indeterminate.
class CKitMarkupToggleButton : public CKitMarkupButtonBase {
    DECLARE_MARKUPCLASS(CKitMarkupToggleButton)
public:
    CKitMarkupToggleButton() = default;

    // Toggles, then raises Click.
    void OnClick() override;
    // true -> indeterminate (three-state) or false; false -> true; indeterminate -> false.
    virtual void OnToggle();
    virtual void OnChecked();
    virtual void OnUnchecked();
    virtual void OnIndeterminate();

    // IsChecked: 0 false, 1 true, 2 indeterminate.
    int GetChecked() const;
    void SetChecked(int nChecked);

protected:
    // Layout of a glyph button: the content sits 16 pixels right of the box.
    SIZE MeasureBesideGlyph(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight,
                            BOOL bMinHeightWithoutContent);
    SIZE ArrangeBesideGlyph(SIZE szFinal);
    // The box at the left, vertically centred: theme part nThemePart (its states
    // plus nThemeCheckedOffset when checked), else the classic frame control.
    void DrawGlyph(CKitMarkupDrawingContext* pDC, int nThemePart, int nThemeCheckedOffset, UINT nClassicState);
    // The focus mark right of the box, only with content.
    void DrawGlyphFocus(CKitMarkupDrawingContext* pDC);

    static CKitMarkupDependencyProperty* m_pIsCheckedProperty;
    static CKitMarkupDependencyProperty* m_pIsThreeStateProperty;
    static CKitMarkupRoutedEvent* m_pCheckedEvent;
    static CKitMarkupRoutedEvent* m_pUncheckedEvent;
    static CKitMarkupRoutedEvent* m_pIndeterminateEvent;
    static void RegisterProperties();
    static void OnIsCheckedChanged(CKitMarkupObject* pObject, CKitMarkupPropertyChangedEventArgs* pArgs);
};

// A toggle button drawn as a box with its content to the right.
class CKitMarkupCheckBox : public CKitMarkupToggleButton {
    DECLARE_MARKUPCLASS(CKitMarkupCheckBox)
public:
    CKitMarkupCheckBox() = default;

    void OnRender(CKitMarkupDrawingContext* pDC) override;
    void OnRenderFocusVisual(CKitMarkupDrawingContext* pDC) override;
    SIZE MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight) override;
    SIZE ArrangeOverride(SIZE szFinal) override;
};

// A glyph button whose click always checks it and unchecks its siblings.
class CKitMarkupRadioButton : public CKitMarkupToggleButton {
    DECLARE_MARKUPCLASS(CKitMarkupRadioButton)
public:
    CKitMarkupRadioButton() = default;

    void OnRender(CKitMarkupDrawingContext* pDC) override;
    void OnRenderFocusVisual(CKitMarkupDrawingContext* pDC) override;
    SIZE MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight) override;
    SIZE ArrangeOverride(SIZE szFinal) override;
    void OnToggle() override;
    // Unchecks the checked radio buttons among the siblings first.
    void OnChecked() override;
};

// A string becomes a new text block holding it (made through the builder's
// context); any other object comes back as it is (a new reference).
CKitMarkupObject* MarkupConvertTextToContent(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pSource);
