#include "toolkit/markup/markup_text_block.h"

#include "toolkit/markup/markup_brushes.h"
#include "toolkit/markup/markup_context.h"
#include "toolkit/markup/markup_converters.h"
#include "toolkit/markup/markup_drawing_context.h"
#include "toolkit/markup/markup_text.h"
#include "toolkit/markup/markup_text_elements.h"
#include "toolkit/markup/markup_thickness.h"
#include "toolkit/markup/markup_values.h"

#include <algorithm>
#include <deque>

namespace {

CKitMarkupTextPiece MakePiece(CKitMarkupInline* pInline, int nStart, int nEnd, bool bAfterBreak)
{
    CKitMarkupTextPiece piece;
    pInline->AddRef();
    piece.inlineElement.Attach(pInline);
    piece.nStart = nStart;
    piece.nEnd = nEnd;
    piece.bStartsAfterBreak = bAfterBreak;
    return piece;
}

CKitMarkupDependencyProperty* RegisterEnum(LPCWSTR lpszName, MARKUP_VALUE_CONVERTER pfnConverter, DWORD dwFlags)
{
    return CKitMarkupDependencyProperty::Register(lpszName, MARKUP_TYPE(CKitMarkupEnum),
                                                  MARKUP_TYPE(CKitMarkupTextBlock),
                                                  new CKitMarkupPropertyMetadata(nullptr, pfnConverter, dwFlags));
}

// How far a piece moves down from the bottom of its line for its baseline alignment.
int BaselineShift(int nAlignment, const CKitMarkupTextLine& line, const CKitMarkupTextPiece& piece)
{
    switch (nAlignment) {
    case CKitMarkupInline::baselineTop:
    case CKitMarkupInline::baselineTextTop:
        return piece.nHeight - line.nHeight;
    case CKitMarkupInline::baselineCenter:
        return (piece.nHeight - line.nHeight) / 2;
    case CKitMarkupInline::baselineBaseline:
        return piece.nDescent - line.nDescent;
    case CKitMarkupInline::baselineSubscript:
        return piece.nDescent - line.nDescent / 2;
    case CKitMarkupInline::baselineSuperscript:
        return line.nDescent / 2 - piece.nDescent - line.nHeight + piece.nHeight;
    default:
        return 0;
    }
}

} // namespace

RECT CKitMarkupTextPiece::GetRect() const
{
    return {x + nFinalX, y + nFinalY, x + nFinalX + nWidth, y + nFinalY + nHeight};
}

// One layout of a text block's inlines into lines for an inner width.
class CKitMarkupTextLayout {
public:
    CKitMarkupTextLayout(CKitMarkupTextBlock* pBlock, CKitMarkupDrawingContext* pDC, int nWidth)
        : m_pBlock(pBlock), m_pDC(pDC), m_nWidth(nWidth)
    {
        m_nWrapping = MarkupIntValue(pBlock, CKitMarkupTextBlock::m_pTextWrappingProperty, CKitMarkupTextBlock::wrapNone);
        if (m_nWrapping != CKitMarkupTextBlock::wrapNone) {
            m_nTrimming = CKitMarkupTextBlock::trimNone;
            m_bJustify = pBlock->GetTextAlignment() == CKitMarkupTextBlock::alignTextJustify;
        } else {
            m_nTrimming = MarkupIntValue(pBlock, CKitMarkupTextBlock::m_pTextTrimmingProperty, CKitMarkupTextBlock::trimNone);
            m_bJustify = false;
        }
    }

    // Lays out every leaf inline; returns the size of the text.
    SIZE Run();

private:
    void LayoutLeaf(CKitMarkupInline* pLeaf);
    void MeasurePiece(CKitMarkupTextPiece& piece);
    // The current piece joins the pending word when it holds something or follows a break.
    void KeepCurrentInWord();
    void PlacePendingWord();
    // Drops leading blanks at the start of a later line; FALSE when nothing is left of the piece.
    bool SkipLeadingWhiteSpace(CKitMarkupTextPiece& piece);
    // Breaks a word too wide for the line by characters; FALSE when it cannot be broken.
    bool BreakWord(CKitMarkupTextPiece& piece);
    // Walks a range character by character while the widths added to fitting stay
    // within room; returns the position after the last character that fits, with
    // the last word break passed in *pWordBreak (when given; -1 for none).
    int FitCharacters(CKitMarkupInline* pInline, int nStart, int nEnd, long long room, long long& fitting,
                      int* pWordBreak);
    void AppendToLine(CKitMarkupTextPiece piece);
    void PlaceEmptyLinePiece();
    void FinishLine();
    void TrimLine();

    CKitMarkupTextBlock* m_pBlock;
    CKitMarkupDrawingContext* m_pDC;
    int m_nWidth;
    int m_nWrapping;
    int m_nTrimming;
    bool m_bJustify;
    long long m_x = 0;
    int m_y = 0;
    int m_nWidest = 0;
    CKitMarkupTextLine m_line;
    CKitMarkupTextPiece m_current;
    bool m_bHasCurrent = false;
    std::deque<CKitMarkupTextPiece> m_pending;
};

SIZE CKitMarkupTextLayout::Run()
{
    CKitMarkupInlineCollection* pInlines = m_pBlock->m_pInlines;
    if (pInlines->GetCount() == 0) {
        PlaceEmptyLinePiece();
    } else {
        for (CKitMarkupInline* pLeaf = pInlines->GetInline(0)->GetFirstInline(); pLeaf != nullptr;
             pLeaf = pLeaf->GetNextInline())
            LayoutLeaf(pLeaf);
    }
    PlacePendingWord();
    FinishLine();
    return {m_nWidest, m_y};
}

void CKitMarkupTextLayout::LayoutLeaf(CKitMarkupInline* pLeaf)
{
    pLeaf->PrepareMeasure(m_pDC);
    int position = pLeaf->GetFirstPosition();
    if (position == -1)
        return;
    m_current = MakePiece(pLeaf, position, position, false);
    m_bHasCurrent = true;
    while (position != -1) {
        m_current.nEnd = position;
        if (pLeaf->IsCaretReturnPosition(position)) {
            // A carriage return is neither measured nor drawn; the word goes on after it.
            KeepCurrentInWord();
            pLeaf->GetNextPosition(position);
            m_current = MakePiece(pLeaf, position, position, false);
            continue;
        }
        if (m_nWrapping != CKitMarkupTextBlock::wrapNone && pLeaf->IsWordBreakPosition(position)) {
            MeasurePiece(m_current);
            PlacePendingWord();
        }
        if (pLeaf->IsLineBreakPosition(position)) {
            MeasurePiece(m_current);
            PlacePendingWord();
            if (m_line.pieces.empty())
                PlaceEmptyLinePiece();
            FinishLine();
            pLeaf->GetNextPosition(position);
            m_current = MakePiece(pLeaf, position, position, true);
            continue;
        }
        pLeaf->GetNextPosition(position);
    }
    // A word that goes on in the next inline stays one word: the piece waits, it is not placed.
    KeepCurrentInWord();
    m_bHasCurrent = false;
}

void CKitMarkupTextLayout::MeasurePiece(CKitMarkupTextPiece& piece)
{
    CKitMarkupInline* pInline = piece.inlineElement.Get();
    const SIZE size = pInline->MeasureRange(m_pDC, piece.nStart, piece.nEnd);
    piece.nWidth = size.cx;
    piece.nHeight = size.cy;
    piece.nDescent = pInline->GetBaseline();
}

void CKitMarkupTextLayout::KeepCurrentInWord()
{
    if (!m_current.IsEmpty() || m_current.bStartsAfterBreak) {
        MeasurePiece(m_current);
        m_pending.push_back(std::move(m_current));
    }
    m_current = CKitMarkupTextPiece();
}

void CKitMarkupTextLayout::PlacePendingWord()
{
    if (m_bHasCurrent && (!m_current.IsEmpty() || m_current.bStartsAfterBreak)) {
        CKitMarkupInline* pInline = m_current.inlineElement.Get();
        const int end = m_current.nEnd;
        m_pending.push_back(std::move(m_current));
        m_current = MakePiece(pInline, end, end, false);
    }
    if (m_pending.empty())
        return;
    if (m_nWrapping != CKitMarkupTextBlock::wrapNone && m_x > 0) {
        long long wordWidth = 0;
        for (const CKitMarkupTextPiece& piece : m_pending)
            wordWidth += piece.nWidth;
        if (m_x + wordWidth > m_nWidth) {
            m_line.bWrapped = true;
            FinishLine();
        }
    }
    while (!m_pending.empty()) {
        CKitMarkupTextPiece piece = std::move(m_pending.front());
        m_pending.pop_front();
        if (m_x == 0 && m_y >= 1 && !SkipLeadingWhiteSpace(piece))
            continue;
        if (m_nWrapping == CKitMarkupTextBlock::wrapWrap && m_x + piece.nWidth > m_nWidth && !piece.IsEmpty() &&
            BreakWord(piece))
            continue;
        AppendToLine(std::move(piece));
    }
}

bool CKitMarkupTextLayout::SkipLeadingWhiteSpace(CKitMarkupTextPiece& piece)
{
    CKitMarkupInline* pInline = piece.inlineElement.Get();
    int position = piece.nStart;
    while (position != piece.nEnd && position != -1 && pInline->IsWhiteSpacePosition(position))
        pInline->GetNextPosition(position);
    if (position == piece.nStart)
        return true;
    piece.nStart = position;
    if (piece.IsEmpty())
        return false;
    MeasurePiece(piece);
    return true;
}

int CKitMarkupTextLayout::FitCharacters(CKitMarkupInline* pInline, int nStart, int nEnd, long long room,
                                        long long& fitting, int* pWordBreak)
{
    // Text extents add up character by character: the part that fits is summed, not measured again.
    int position = nStart;
    while (position != nEnd && position != -1) {
        if (pWordBreak != nullptr && pInline->IsWordBreakPosition(position))
            *pWordBreak = position;
        int next = position;
        pInline->GetNextPosition(next);
        if (next == -1)
            break;
        const int width = pInline->MeasureRange(m_pDC, position, next).cx;
        if (fitting + width > room)
            break;
        fitting += width;
        position = next;
    }
    return position;
}

bool CKitMarkupTextLayout::BreakWord(CKitMarkupTextPiece& piece)
{
    CKitMarkupInline* pInline = piece.inlineElement.Get();
    // The first character always stays on the line.
    int cut = piece.nStart;
    pInline->GetNextPosition(cut);
    long long fitting = pInline->MeasureRange(m_pDC, piece.nStart, cut).cx;
    cut = FitCharacters(pInline, cut, piece.nEnd, m_nWidth - m_x, fitting, nullptr);
    if (cut == piece.nEnd || cut == -1)
        return false;
    CKitMarkupTextPiece rest = MakePiece(pInline, cut, piece.nEnd, false);
    rest.nWidth = MarkupClampToInt(piece.nWidth - fitting);
    rest.nHeight = piece.nHeight;
    rest.nDescent = piece.nDescent;
    piece.nEnd = cut;
    piece.nWidth = MarkupClampToInt(fitting);
    AppendToLine(std::move(piece));
    m_line.bWrapped = true;
    FinishLine();
    m_pending.push_front(std::move(rest));
    return true;
}

void CKitMarkupTextLayout::AppendToLine(CKitMarkupTextPiece piece)
{
    if (!m_bJustify && !m_line.pieces.empty()) {
        CKitMarkupTextPiece& last = m_line.pieces.back();
        if (last.inlineElement.Get() == piece.inlineElement.Get() && last.nEnd == piece.nStart &&
            !piece.bStartsAfterBreak) {
            // One piece grows by the other: their widths add up.
            last.nEnd = piece.nEnd;
            last.nWidth = MarkupClampToInt(static_cast<long long>(last.nWidth) + piece.nWidth);
            last.nHeight = std::max(last.nHeight, piece.nHeight);
            m_x += piece.nWidth;
            return;
        }
    }
    piece.x = MarkupClampToInt(m_x);
    piece.y = m_y;
    m_x += piece.nWidth;
    m_line.pieces.push_back(std::move(piece));
}

void CKitMarkupTextLayout::PlaceEmptyLinePiece()
{
    CKitMarkupRef<CKitMarkupRun> blank(m_pBlock->CreateOwnRun(L" "));
    blank->PrepareMeasure(m_pDC);
    const int first = blank->GetFirstPosition();
    CKitMarkupTextPiece piece = MakePiece(blank.Get(), first, first, false);
    MeasurePiece(piece);
    AppendToLine(std::move(piece));
}

void CKitMarkupTextLayout::FinishLine()
{
    if (m_line.pieces.empty())
        return;
    if (m_nTrimming != CKitMarkupTextBlock::trimNone && m_x > m_nWidth)
        TrimLine();
    long long width = 0;
    int descent = 0;
    for (const CKitMarkupTextPiece& piece : m_line.pieces) {
        width += piece.nWidth;
        descent = std::max(descent, piece.nDescent);
    }
    int height = 0;
    for (const CKitMarkupTextPiece& piece : m_line.pieces)
        height = std::max(height, descent - piece.nDescent + piece.nHeight);
    m_line.nWidth = MarkupClampToInt(width);
    m_line.nDescent = descent;
    m_line.nHeight = height;
    m_nWidest = std::max(m_nWidest, m_line.nWidth);
    m_x = 0;
    m_y = MarkupClampToInt(static_cast<long long>(m_y) + height);
    m_pBlock->m_lines.push_back(std::move(m_line));
    m_line = CKitMarkupTextLine();
}

void CKitMarkupTextLayout::TrimLine()
{
    CKitMarkupRef<CKitMarkupRun> ellipsis(m_pBlock->CreateOwnRun(L"..."));
    ellipsis->PrepareMeasure(m_pDC);
    CKitMarkupTextPiece dots = MakePiece(ellipsis.Get(), 1, 4, false);
    MeasurePiece(dots);
    const long long room = static_cast<long long>(m_nWidth) - dots.nWidth;

    std::vector<CKitMarkupTextPiece>& pieces = m_line.pieces;
    long long sum = 0;
    size_t overflowing = 0;
    while (overflowing < pieces.size() && sum + pieces[overflowing].nWidth <= room)
        sum += pieces[overflowing++].nWidth;
    if (overflowing < pieces.size()) {
        CKitMarkupTextPiece& piece = pieces[overflowing];
        CKitMarkupInline* pInline = piece.inlineElement.Get();
        long long fittingWidth = 0;
        int wordBreak = -1;
        const bool words = m_nTrimming == CKitMarkupTextBlock::trimWordEllipsis;
        int end = FitCharacters(pInline, piece.nStart, piece.nEnd, room - sum, fittingWidth,
                                words ? &wordBreak : nullptr);
        if (words) {
            if (wordBreak != -1)
                end = wordBreak;
            else if (sum > 0)
                end = piece.nStart;
        }
        piece.nEnd = end;
        MeasurePiece(piece);
        sum += piece.nWidth;
        pieces.erase(pieces.begin() + static_cast<std::ptrdiff_t>(overflowing) + 1, pieces.end());
    }
    dots.x = MarkupClampToInt(sum);
    dots.y = m_y;
    pieces.push_back(std::move(dots));
}

// CKitMarkupTextBlock

CKitMarkupDependencyProperty* CKitMarkupTextBlock::m_pTextWrappingProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupTextBlock::m_pTextTrimmingProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupTextBlock::m_pTextAlignmentProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupTextBlock::m_pPaddingProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupTextBlock::m_pTextProperty = nullptr;

void CKitMarkupTextBlock::RegisterProperties()
{
    CKitMarkupType* pOwner = MARKUP_TYPE(CKitMarkupTextBlock);
    m_pTextWrappingProperty = RegisterEnum(L"TextWrapping", MarkupConvertTextWrapping, MarkupPropertyAffectsMeasure);
    m_pTextTrimmingProperty = RegisterEnum(L"TextTrimming", MarkupConvertTextTrimming, MarkupPropertyAffectsMeasure);
    m_pTextAlignmentProperty =
        RegisterEnum(L"TextAlignment", MarkupConvertTextAlignment, MarkupPropertyAffectsArrange);
    m_pPaddingProperty = CKitMarkupDependencyProperty::Register(
        L"Padding", MARKUP_TYPE(CKitMarkupThickness), pOwner,
        new CKitMarkupPropertyMetadata(CKitMarkupThickness::GetEmpty(), MarkupPropertyAffectsMeasure));
    m_pTextProperty = CKitMarkupDependencyProperty::Register(
        L"Text", MARKUP_TYPE(CKitMarkupString), pOwner,
        new CKitMarkupPropertyMetadata(nullptr, MarkupPropertyAffectsMeasure));
    CKitMarkupTextElement::AddPropertiesOwner(pOwner);
}

CKitMarkupTextBlock::CKitMarkupTextBlock()
    : m_pInlines(new CKitMarkupInlineCollection()), m_nCachedLayoutWidth(-1), m_szContent{0, 0}
{
    m_pInlines->SetLogicalParent(this);
}

CKitMarkupTextBlock::~CKitMarkupTextBlock()
{
    m_lines.clear();
    m_pInlines->RemoveAll();
    m_pInlines->DetachFromParent(this);
    m_pInlines->Release();
}

void CKitMarkupTextBlock::SetContentObject(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pContent)
{
    m_pInlines->SetContentObject(pBuilder, pContent);
}

BOOL CKitMarkupTextBlock::HasContentObject() const
{
    return m_pInlines->HasContentObject();
}

int CKitMarkupTextBlock::GetLogicalChildrenCount() const
{
    return 1;
}

CKitMarkupObject* CKitMarkupTextBlock::GetLogicalChild(int nIndex) const
{
    return nIndex == 0 ? m_pInlines : nullptr;
}

void CKitMarkupTextBlock::OnPropertyChanged(CKitMarkupDependencyProperty* pProperty, CKitMarkupObject* pOldValue,
                                            CKitMarkupObject* pNewValue)
{
    if (pProperty == m_pTextProperty) {
        m_pInlines->RemoveAll();
        CKitMarkupRef<CKitMarkupRun> run(
            static_cast<CKitMarkupRun*>(MarkupCreateObject(GetMarkupContext(), MARKUP_TYPE(CKitMarkupRun))));
        if (const CKitMarkupString* pText = MarkupDynamicCast<CKitMarkupString>(pNewValue))
            run->SetValue(CKitMarkupRun::m_pTextProperty, CKitMarkupString::CreateValue(pText->GetView()));
        m_pInlines->Add(run.Detach());
    }
    CKitMarkupFrameworkElement::OnPropertyChanged(pProperty, pOldValue, pNewValue);
}

CKitMarkupRun* CKitMarkupTextBlock::CreateOwnRun(LPCWSTR lpszText)
{
    CKitMarkupRun* pRun =
        static_cast<CKitMarkupRun*>(MarkupCreateObject(GetMarkupContext(), MARKUP_TYPE(CKitMarkupRun)));
    pRun->SetText(lpszText);
    pRun->SetLogicalParent(this);
    return pRun;
}

int CKitMarkupTextBlock::GetTextAlignment() const
{
    return MarkupIntValue(this, m_pTextAlignmentProperty, alignTextLeft);
}

CKitMarkupThickness* CKitMarkupTextBlock::GetPadding() const
{
    return GetValueOf<CKitMarkupThickness>(m_pPaddingProperty);
}

CKitMarkupBrush* CKitMarkupTextBlock::GetBackground() const
{
    return GetValueOf<CKitMarkupBrush>(CKitMarkupTextElement::m_pBackgroundProperty);
}

void CKitMarkupTextBlock::InvalidateMeasureCore(CKitMarkupDrawingContext* pDC)
{
    m_nCachedLayoutWidth = -1;
    CKitMarkupFrameworkElement::InvalidateMeasureCore(pDC);
}

void CKitMarkupTextBlock::LayoutLines(CKitMarkupDrawingContext* pDC, int nWidth)
{
    const bool fresh = pDC->IsFreshLayoutRequired() != FALSE;
    const bool unwrapped =
        MarkupIntValue(this, m_pTextWrappingProperty, wrapNone) == wrapNone &&
        MarkupIntValue(this, m_pTextTrimmingProperty, trimNone) == trimNone;
    if (!fresh && m_nCachedLayoutWidth != -1 && (nWidth == m_nCachedLayoutWidth || unwrapped))
        return;
    m_nCachedLayoutWidth = nWidth;
    m_lines.clear();
    m_szContent = CKitMarkupTextLayout(this, pDC, nWidth).Run();
    if (fresh)
        m_nCachedLayoutWidth = -1;
}

SIZE CKitMarkupTextBlock::MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int)
{
    const CKitMarkupThickness* pPadding = GetPadding();
    const long long horizontal = pPadding != nullptr ? static_cast<long long>(pPadding->m_nLeft) + pPadding->m_nRight : 0;
    const long long vertical = pPadding != nullptr ? static_cast<long long>(pPadding->m_nTop) + pPadding->m_nBottom : 0;
    LayoutLines(pDC, MarkupClampToInt(std::max<long long>(nAvailableWidth - horizontal, 0)));
    return {MarkupClampToInt(m_szContent.cx + horizontal), MarkupClampToInt(m_szContent.cy + vertical)};
}

SIZE CKitMarkupTextBlock::ArrangeOverride(SIZE szFinal)
{
    const CKitMarkupThickness* pPadding = GetPadding();
    const int paddingLeft = pPadding != nullptr ? pPadding->m_nLeft : 0;
    const int paddingTop = pPadding != nullptr ? pPadding->m_nTop : 0;
    const int paddingRight = pPadding != nullptr ? pPadding->m_nRight : 0;
    const int alignment = GetTextAlignment();
    for (CKitMarkupTextLine& line : m_lines) {
        long long extra = static_cast<long long>(szFinal.cx) - line.nWidth - paddingLeft - paddingRight;
        long long offset = 0;
        if (alignment == alignTextRight)
            offset = extra;
        else if (alignment == alignTextCenter)
            offset = extra / 2;
        const bool justify = alignment == alignTextJustify && line.bWrapped && extra >= 1;
        long long gaps = -1;
        for (const CKitMarkupTextPiece& piece : line.pieces)
            gaps += piece.bStartsAfterBreak ? 0 : 1;
        bool first = true;
        for (CKitMarkupTextPiece& piece : line.pieces) {
            if (justify && !piece.bStartsAfterBreak) {
                // The space left is shared out before each word but the first, while some is left.
                if (!first && gaps > 0 && extra >= 1) {
                    const long long share = std::max<long long>(extra / gaps, 1);
                    offset += share;
                    extra -= share;
                    --gaps;
                }
                first = false;
            }
            CKitMarkupInline* pInline = piece.inlineElement.Get();
            piece.nFinalX = MarkupClampToInt(paddingLeft + offset);
            piece.nFinalY = line.nHeight - piece.nHeight + paddingTop +
                            BaselineShift(pInline->GetBaselineAlignment(), line, piece);
            pInline->ArrangeRange(piece.GetRect(), piece.nStart, piece.nEnd);
        }
    }
    return szFinal;
}

void CKitMarkupTextBlock::OnRender(CKitMarkupDrawingContext* pDC)
{
    CKitMarkupBrush* pBackground = GetBackground();
    if (pBackground != nullptr)
        pDC->FillRectangle({0, 0, m_szRender.cx, m_szRender.cy}, pBackground);
    CKitMarkupContext* pContext = GetMarkupContext();
    CKitMarkupSolidColorBrush defaultBrush(pContext != nullptr ? pContext->GetDefaultTextColor() : 0);
    CKitMarkupBrush* pTextBrush = nullptr;
    const RECT clip = pDC->GetClipBox();
    for (const CKitMarkupTextLine& line : m_lines) {
        for (const CKitMarkupTextPiece& piece : line.pieces) {
            const RECT rect = piece.GetRect();
            RECT visible;
            if (!::IntersectRect(&visible, &rect, &clip))
                continue;
            CKitMarkupInline* pInline = piece.inlineElement.Get();
            CKitMarkupBrush* pInlineBackground =
                pInline->GetValueOf<CKitMarkupBrush>(CKitMarkupTextElement::m_pBackgroundProperty);
            if (pInlineBackground != nullptr && pInlineBackground != pBackground)
                pDC->FillRectangle(rect, pInlineBackground);
            CKitMarkupBrush* pBrush = pInline->GetValueOf<CKitMarkupBrush>(CKitMarkupTextElement::m_pForegroundProperty);
            if (pBrush == nullptr)
                pBrush = &defaultBrush;
            if (pBrush != pTextBrush) {
                pDC->SetTextColor(pBrush);
                pTextBrush = pBrush;
            }
            pInline->RenderRange(pDC, rect, piece.nStart, piece.nEnd);

            const int decorations = MarkupIntValue(pInline, CKitMarkupTextElement::m_pTextDecorationsProperty, 0);
            const int thickness = std::max(line.nDescent / 3, 1);
            int top = 0;
            if (decorations == CKitMarkupTextElement::decorationUnderline)
                top = rect.bottom - piece.nDescent + thickness;
            else if (decorations == CKitMarkupTextElement::decorationStrikethrough)
                top = rect.bottom - piece.nDescent + line.nDescent - (line.nHeight - line.nDescent) / 2;
            else
                continue;
            // The stroke takes the colour of the element that asks for it.
            const CKitMarkupObject* pSource = GetValueSource(pInline, CKitMarkupTextElement::m_pTextDecorationsProperty);
            CKitMarkupBrush* pStroke =
                pSource != nullptr ? pSource->GetValueOf<CKitMarkupBrush>(CKitMarkupTextElement::m_pForegroundProperty)
                                   : nullptr;
            pDC->FillRectangle({rect.left, top, rect.right, top + thickness},
                               pStroke != nullptr ? pStroke : &defaultBrush);
        }
    }
    pDC->SetTextColor(nullptr);
}

CKitMarkupInputElement* CKitMarkupTextBlock::HitTestCore(POINT point)
{
    for (const CKitMarkupTextLine& line : m_lines) {
        for (const CKitMarkupTextPiece& piece : line.pieces) {
            const RECT rect = piece.GetRect();
            if (!::PtInRect(&rect, point))
                continue;
            CKitMarkupInline* pInline = piece.inlineElement.Get();
            // The block's own runs (an ellipsis, a blank line) are the block.
            if (pInline->GetLogicalParent() == this)
                return this;
            CKitMarkupInputElement* pHit = pInline->InputHitTest(point);
            return pHit != nullptr ? pHit : this;
        }
    }
    return this;
}
