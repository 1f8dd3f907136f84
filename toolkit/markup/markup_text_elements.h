// CKitMarkupTextElement, CKitMarkupInline, CKitMarkupInlineCollection, CKitMarkupRun, CKitMarkupLineBreak, CKitMarkupSpan, CKitMarkupBold, CKitMarkupItalic, CKitMarkupUnderline, CKitMarkupHyperlink, CKitMarkupInlineUIContainer: text content and its position protocol.
#pragma once

#include "toolkit/markup/markup_collection.h"
#include "toolkit/markup/markup_framework_element.h"

#include <string_view>

class CKitMarkupBrush;
class CKitMarkupFont;
class CKitMarkupInline;
class CKitMarkupRoutedEvent;

// The owner of the font and colour properties that every element may carry and that flow to descendants.
class CKitMarkupTextElement : public CKitMarkupFrameworkContentElement {
    DECLARE_MARKUPCLASS(CKitMarkupTextElement)
public:
    CKitMarkupTextElement() = default;

    // TextDecorations values.
    enum { decorationUnderline = 1, decorationStrikethrough = 2 };

    static CKitMarkupDependencyProperty* m_pBackgroundProperty;
    static CKitMarkupDependencyProperty* m_pForegroundProperty;
    static CKitMarkupDependencyProperty* m_pFontSizeProperty;
    static CKitMarkupDependencyProperty* m_pFontWeightProperty;
    static CKitMarkupDependencyProperty* m_pFontFamilyProperty;
    static CKitMarkupDependencyProperty* m_pFontStyleProperty;
    static CKitMarkupDependencyProperty* m_pTextDecorationsProperty;
    static CKitMarkupDependencyProperty* m_pFontQualityProperty;
    static CKitMarkupDependencyProperty* m_pFontCharsetProperty;
    static void RegisterProperties();
    // Makes the nine properties findable on another type (the text block takes them over).
    static void AddPropertiesOwner(CKitMarkupType* pType);
};

// The inlines of a span or a text block; strings and elements added from markup are wrapped in inlines.
class CKitMarkupInlineCollection : public CKitMarkupCollection {
    DECLARE_MARKUPCLASS(CKitMarkupInlineCollection)
public:
    CKitMarkupInlineCollection();

    // A string becomes a run, an inline is added, a UI element goes into an
    // inline UI container; anything else (or a collection without an input
    // element as owner) is a build error.
    void SetContentObject(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pContent) override;
    void OnItemAdded(CKitMarkupObject* pItem, int nIndex) override;
    // Renumbers the items.
    void OnChanged() override;

    CKitMarkupInline* GetInline(int nIndex) const;
};

// A member of an inline collection, walked by the text block through opaque
// positions (-1: past the end). The defaults describe an inline without content.
class CKitMarkupInline : public CKitMarkupTextElement {
    DECLARE_MARKUPCLASS(CKitMarkupInline)
public:
    // BaselineAlignment values.
    enum {
        baselineTop = 0,
        baselineCenter = 1,
        baselineBottom = 2,
        baselineBaseline = 3,
        baselineTextTop = 4,
        baselineTextBottom = 5,
        baselineSubscript = 6,
        baselineSuperscript = 7,
    };

    CKitMarkupInline();

    // An inline is hit where its text lies; the input chain then climbs its spans.
    CKitMarkupInputElement* InputHitTest(POINT point) override;

    // The first leaf in document order.
    virtual CKitMarkupInline* GetFirstInline();
    virtual int GetFirstPosition();
    // Moves the position one step on.
    virtual void GetNextPosition(int& nPosition);
    virtual BOOL IsWordBreakPosition(int nPosition);
    virtual BOOL IsLineBreakPosition(int nPosition);
    virtual BOOL IsCaretReturnPosition(int nPosition);
    virtual BOOL IsWhiteSpacePosition(int nPosition);
    // Places what the range holds into the rectangle (text block coordinates).
    virtual void ArrangeRange(const RECT& rect, int nStart, int nEnd);
    virtual SIZE MeasureRange(CKitMarkupDrawingContext* pDC, int nStart, int nEnd);
    virtual void RenderRange(CKitMarkupDrawingContext* pDC, const RECT& rect, int nStart, int nEnd);
    // Selects the inline's font into the drawing context before it is measured.
    virtual void PrepareMeasure(CKitMarkupDrawingContext* pDC);
    // The descent below the baseline.
    virtual int GetBaseline();

    // The first leaf after this one in document order, climbing out of spans; nullptr at the end.
    CKitMarkupInline* GetNextInline() const;
    int GetIndex() const { return m_nIndex; }
    void SetIndex(int nIndex) { m_nIndex = nIndex; }
    int GetBaselineAlignment() const;

    static CKitMarkupDependencyProperty* m_pBaselineAlignmentProperty;
    static void RegisterProperties();

private:
    int m_nIndex;
};

// A stretch of text; positions are character numbers from 1, the terminator's included.
class CKitMarkupRun : public CKitMarkupInline {
    DECLARE_MARKUPCLASS(CKitMarkupRun)
public:
    CKitMarkupRun();
    ~CKitMarkupRun() override;

    // Text content becomes the Text.
    void SetContentObject(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pContent) override;

    int GetFirstPosition() override;
    void GetNextPosition(int& nPosition) override;
    BOOL IsWordBreakPosition(int nPosition) override;
    BOOL IsLineBreakPosition(int nPosition) override;
    BOOL IsCaretReturnPosition(int nPosition) override;
    BOOL IsWhiteSpacePosition(int nPosition) override;
    SIZE MeasureRange(CKitMarkupDrawingContext* pDC, int nStart, int nEnd) override;
    void RenderRange(CKitMarkupDrawingContext* pDC, const RECT& rect, int nStart, int nEnd) override;
    void PrepareMeasure(CKitMarkupDrawingContext* pDC) override;
    int GetBaseline() override;

    // The font description of the run: the context's default font under the run's font properties.
    virtual void GetFontDescription(LOGFONTA& description);

    // Stores a copy of the NUL-terminated text as the Text.
    void SetText(LPCWSTR lpszText);
    std::wstring_view GetText() const;

    static CKitMarkupDependencyProperty* m_pTextProperty;
    static void RegisterProperties();

private:
    // The character at a position; 0 for the terminator and invalid positions.
    wchar_t CharAt(int nPosition) const;
    // Selects the remembered font; FALSE when the run has none yet.
    BOOL SelectFont(CKitMarkupDrawingContext* pDC) const;

    CKitMarkupFont* m_pFont;
    LOGFONTA m_fontDescription;
    int m_nDescent;
};

// A run of one line feed.
class CKitMarkupLineBreak : public CKitMarkupRun {
    DECLARE_MARKUPCLASS(CKitMarkupLineBreak)
public:
    CKitMarkupLineBreak();
};

// Groups inlines; white space between them stays text.
class CKitMarkupSpan : public CKitMarkupInline {
    DECLARE_MARKUPCLASS(CKitMarkupSpan)
public:
    CKitMarkupSpan();
    ~CKitMarkupSpan() override;

    int GetLogicalChildrenCount() const override;
    CKitMarkupObject* GetLogicalChild(int nIndex) const override;
    void SetContentObject(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pContent) override;
    BOOL HasContentObject() const override;
    BOOL AllowWhiteSpaceContent() const override;
    // The first leaf of the first inline; the span itself when it is empty.
    CKitMarkupInline* GetFirstInline() override;

    CKitMarkupInlineCollection* GetInlines() const { return m_pInlines; }

private:
    CKitMarkupInlineCollection* m_pInlines;
};

class CKitMarkupBold : public CKitMarkupSpan {
    DECLARE_MARKUPCLASS(CKitMarkupBold)
public:
    CKitMarkupBold();
};

class CKitMarkupItalic : public CKitMarkupSpan {
    DECLARE_MARKUPCLASS(CKitMarkupItalic)
public:
    CKitMarkupItalic();
};

class CKitMarkupUnderline : public CKitMarkupSpan {
    DECLARE_MARKUPCLASS(CKitMarkupUnderline)
public:
    CKitMarkupUnderline();
};

// A span that raises Click when the left button is pressed and released over it.
// Its type's default style underlines it in blue, red while the mouse is over it, with the hand cursor.
class CKitMarkupHyperlink : public CKitMarkupSpan {
    DECLARE_MARKUPCLASS(CKitMarkupHyperlink)
public:
    CKitMarkupHyperlink();

    void OnMouseLeftButtonDown(CKitMarkupMouseButtonEventArgs* pArgs) override;
    void OnMouseLeftButtonUp(CKitMarkupMouseButtonEventArgs* pArgs) override;
    // Without a capture the press cannot be followed outside: leaving forgets it.
    void OnMouseLeave(CKitMarkupMouseEventArgs* pArgs) override;

    // Raises Click with the hyperlink as its source.
    virtual void OnClick();

    BOOL IsPressed() const { return m_bPressed; }

    static CKitMarkupRoutedEvent* m_pClickEvent;
    static void RegisterProperties();

private:
    BOOL m_bPressed;
};

// Puts one UI element into the flow of text at positions 0 and 1.
class CKitMarkupInlineUIContainer : public CKitMarkupInline {
    DECLARE_MARKUPCLASS(CKitMarkupInlineUIContainer)
public:
    CKitMarkupInlineUIContainer();
    ~CKitMarkupInlineUIContainer() override;

    // A UI element replaces the child; other content is a build error.
    void SetContentObject(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pContent) override;
    BOOL HasContentObject() const override;
    int GetLogicalChildrenCount() const override;
    CKitMarkupObject* GetLogicalChild(int nIndex) const override;
    // The child's hit when it has one, else the container.
    CKitMarkupInputElement* InputHitTest(POINT point) override;

    int GetFirstPosition() override;
    void GetNextPosition(int& nPosition) override;
    BOOL IsWordBreakPosition(int nPosition) override;
    void ArrangeRange(const RECT& rect, int nStart, int nEnd) override;
    SIZE MeasureRange(CKitMarkupDrawingContext* pDC, int nStart, int nEnd) override;
    void RenderRange(CKitMarkupDrawingContext* pDC, const RECT& rect, int nStart, int nEnd) override;

    CKitMarkupUIElement* GetChild() const { return m_pChild; }
    // Takes over the reference to pChild (may be nullptr); the previous child is released.
    void SetChild(CKitMarkupUIElement* pChild);

private:
    CKitMarkupUIElement* m_pChild;
};
