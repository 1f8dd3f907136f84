// CKitMarkupTextBlock: formatted text broken into lines, wrapped, trimmed, aligned and decorated.
#pragma once

#include "toolkit/markup/markup_framework_element.h"

#include <vector>

class CKitMarkupBrush;
class CKitMarkupInline;
class CKitMarkupInlineCollection;
class CKitMarkupRun;
class CKitMarkupThickness;

// One stretch of one inline placed on a line.
struct CKitMarkupTextPiece {
    CKitMarkupRef<CKitMarkupInline> inlineElement;
    int nStart = -1;
    int nEnd = -1;
    // Where the line was being built when the piece was placed.
    int x = 0;
    int y = 0;
    // Set by arrange.
    int nFinalX = 0;
    int nFinalY = 0;
    int nWidth = 0;
    int nHeight = 0;
    int nDescent = 0;
    // The piece begins after a hard line break, so it counts even when empty.
    bool bStartsAfterBreak = false;

    bool IsEmpty() const { return nStart == nEnd; }
    // The rectangle from layout time moved by the final offsets.
    RECT GetRect() const;
};

struct CKitMarkupTextLine {
    std::vector<CKitMarkupTextPiece> pieces;
    int nWidth = 0;
    int nHeight = 0;
    int nDescent = 0;
    // The line ended because the next word did not fit or a word was broken.
    bool bWrapped = false;
};

// The element that shows text: a tree of inlines laid out in lines.
class CKitMarkupTextBlock : public CKitMarkupFrameworkElement {
    DECLARE_MARKUPCLASS(CKitMarkupTextBlock)
public:
    // TextWrapping, TextTrimming and TextAlignment values.
    enum { wrapNone = 0, wrapWrap = 1, wrapWithOverflow = 2 };
    enum { trimNone = 0, trimCharacterEllipsis = 1, trimWordEllipsis = 2 };
    enum { alignTextLeft = 0, alignTextRight = 1, alignTextCenter = 2, alignTextJustify = 3 };

    CKitMarkupTextBlock();
    ~CKitMarkupTextBlock() override;

    // Content goes to the inlines.
    void SetContentObject(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pContent) override;
    BOOL HasContentObject() const override;
    int GetLogicalChildrenCount() const override;
    CKitMarkupObject* GetLogicalChild(int nIndex) const override;
    // A new Text replaces the inlines by one run holding it.
    void OnPropertyChanged(CKitMarkupDependencyProperty* pProperty, CKitMarkupObject* pOldValue,
                           CKitMarkupObject* pNewValue) override;
    void InvalidateMeasureCore(CKitMarkupDrawingContext* pDC) override;
    SIZE MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight) override;
    SIZE ArrangeOverride(SIZE szFinal) override;
    void OnRender(CKitMarkupDrawingContext* pDC) override;
    // The inline under the point, else the block.
    CKitMarkupInputElement* HitTestCore(POINT point) override;

    int GetTextAlignment() const;
    CKitMarkupThickness* GetPadding() const;
    CKitMarkupBrush* GetBackground() const;
    CKitMarkupInlineCollection* GetInlines() const { return m_pInlines; }
    // The lines of the last layout.
    const std::vector<CKitMarkupTextLine>& GetLines() const { return m_lines; }
    int GetCachedLayoutWidth() const { return m_nCachedLayoutWidth; }

    static CKitMarkupDependencyProperty* m_pTextWrappingProperty;
    static CKitMarkupDependencyProperty* m_pTextTrimmingProperty;
    static CKitMarkupDependencyProperty* m_pTextAlignmentProperty;
    static CKitMarkupDependencyProperty* m_pPaddingProperty;
    static CKitMarkupDependencyProperty* m_pTextProperty;
    static void RegisterProperties();

private:
    friend class CKitMarkupTextLayout;

    // A run of the block's own (the ellipsis, the blank of an empty line) that inherits the block's font.
    CKitMarkupRun* CreateOwnRun(LPCWSTR lpszText);
    void LayoutLines(CKitMarkupDrawingContext* pDC, int nWidth);

    CKitMarkupInlineCollection* m_pInlines;
    std::vector<CKitMarkupTextLine> m_lines;
    // -1: no valid layout.
    int m_nCachedLayoutWidth;
    SIZE m_szContent;
};
