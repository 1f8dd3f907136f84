#include "toolkit/markup/markup_text_elements.h"

#include "toolkit/common/system.h"
#include "toolkit/markup/markup_brushes.h"
#include "toolkit/markup/markup_builder.h"
#include "toolkit/markup/markup_context.h"
#include "toolkit/markup/markup_controls.h"
#include "toolkit/markup/markup_converters.h"
#include "toolkit/markup/markup_drawing_context.h"
#include "toolkit/markup/markup_limits.h"
#include "toolkit/markup/markup_style.h"
#include "toolkit/markup/markup_text.h"
#include "toolkit/markup/markup_values.h"

#include <cstring>

namespace {

// The hyperlink's colours (0x00BBGGRR) and cursor.
constexpr COLORREF kHyperlinkColor = 0xFF0000;
constexpr COLORREF kHyperlinkHotColor = 0x0000FF;
constexpr int kHandCursor = 32649;

CKitMarkupDependencyProperty* RegisterTextProperty(LPCWSTR lpszName, CKitMarkupType* pType,
                                                   MARKUP_VALUE_CONVERTER pfnConverter, DWORD dwFlags)
{
    return CKitMarkupDependencyProperty::RegisterAttached(
        lpszName, pType, MARKUP_TYPE(CKitMarkupTextElement),
        new CKitMarkupPropertyMetadata(nullptr, pfnConverter, dwFlags | MarkupPropertyInherits));
}

// The font description used without a markup context.
LOGFONTA DefaultFontDescription()
{
    LOGFONTA description = {};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(description), &description);
    return description;
}

// The hyperlink's look: underlined blue text under the hand cursor, red while the mouse is over it.
void SetHyperlinkDefaultStyle()
{
    MARKUP_TYPE(CKitMarkupTrigger)->RegisterProperties();
    MARKUP_TYPE(CKitMarkupSolidColorBrush)->RegisterProperties();
    CKitMarkupStyle* pStyle = new CKitMarkupStyle();
    CKitMarkupSetterColection* pSetters = pStyle->GetSetters();
    pSetters->Add(new CKitMarkupSetter(CKitMarkupTextElement::m_pTextDecorationsProperty,
                                       CKitMarkupEnum::CreateValue(CKitMarkupTextElement::decorationUnderline)));
    pSetters->Add(
        new CKitMarkupSetter(CKitMarkupTextElement::m_pForegroundProperty, new CKitMarkupSolidColorBrush(kHyperlinkColor)));
    pSetters->Add(new CKitMarkupSetter(CKitMarkupInputElement::m_pCursorProperty, new CKitMarkupInt(kHandCursor)));

    CKitMarkupTrigger* pHot =
        new CKitMarkupTrigger(CKitMarkupInputElement::m_pIsMouseOverProperty, CKitMarkupBool::CreateTrueValue());
    pHot->EnsureSetters()->Add(new CKitMarkupSetter(CKitMarkupTextElement::m_pForegroundProperty,
                                                    new CKitMarkupSolidColorBrush(kHyperlinkHotColor)));
    CKitMarkupTriggerCollection* pTriggers = new CKitMarkupTriggerCollection();
    pTriggers->Add(pHot);
    pStyle->SetValue(CKitMarkupStyle::m_pTriggersProperty, pTriggers);
    SetDefaultStyle(MARKUP_TYPE(CKitMarkupHyperlink), pStyle);
}

} // namespace

// CKitMarkupTextElement

CKitMarkupDependencyProperty* CKitMarkupTextElement::m_pBackgroundProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupTextElement::m_pForegroundProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupTextElement::m_pFontSizeProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupTextElement::m_pFontWeightProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupTextElement::m_pFontFamilyProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupTextElement::m_pFontStyleProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupTextElement::m_pTextDecorationsProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupTextElement::m_pFontQualityProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupTextElement::m_pFontCharsetProperty = nullptr;

void CKitMarkupTextElement::RegisterProperties()
{
    m_pBackgroundProperty =
        RegisterTextProperty(L"Background", MARKUP_TYPE(CKitMarkupBrush), nullptr, MarkupPropertyAffectsRender);
    m_pForegroundProperty =
        RegisterTextProperty(L"Foreground", MARKUP_TYPE(CKitMarkupBrush), nullptr, MarkupPropertyAffectsRender);
    m_pFontSizeProperty = RegisterTextProperty(L"FontSize", MARKUP_TYPE(CKitMarkupInt), MarkupConvertLength,
                                               MarkupPropertyAffectsMeasure);
    m_pFontWeightProperty = RegisterTextProperty(L"FontWeight", MARKUP_TYPE(CKitMarkupEnum), MarkupConvertFontWeight,
                                                 MarkupPropertyAffectsMeasure);
    m_pFontFamilyProperty =
        RegisterTextProperty(L"FontFamily", MARKUP_TYPE(CKitMarkupString), nullptr, MarkupPropertyAffectsMeasure);
    m_pFontStyleProperty = RegisterTextProperty(L"FontStyle", MARKUP_TYPE(CKitMarkupEnum), MarkupConvertFontStyle,
                                                MarkupPropertyAffectsMeasure);
    m_pTextDecorationsProperty = RegisterTextProperty(L"TextDecorations", MARKUP_TYPE(CKitMarkupEnum),
                                                      MarkupConvertTextDecorations, MarkupPropertyAffectsRender);
    m_pFontQualityProperty = RegisterTextProperty(L"FontQuality", MARKUP_TYPE(CKitMarkupEnum),
                                                  MarkupConvertFontQuality, MarkupPropertyAffectsRender);
    m_pFontCharsetProperty =
        RegisterTextProperty(L"FontCharset", MARKUP_TYPE(CKitMarkupInt), nullptr, MarkupPropertyAffectsRender);
}

void CKitMarkupTextElement::AddPropertiesOwner(CKitMarkupType* pType)
{
    MARKUP_TYPE(CKitMarkupTextElement)->RegisterProperties();
    for (CKitMarkupDependencyProperty* pProperty :
         {m_pBackgroundProperty, m_pForegroundProperty, m_pFontSizeProperty, m_pFontWeightProperty,
          m_pFontFamilyProperty, m_pFontStyleProperty, m_pTextDecorationsProperty, m_pFontQualityProperty,
          m_pFontCharsetProperty})
        CKitMarkupDependencyProperty::AddOwner(pProperty, pType);
}

// CKitMarkupInlineCollection

CKitMarkupInlineCollection::CKitMarkupInlineCollection()
{
    m_pElementType = MARKUP_TYPE(CKitMarkupInline);
}

CKitMarkupInline* CKitMarkupInlineCollection::GetInline(int nIndex) const
{
    return static_cast<CKitMarkupInline*>(GetAt(nIndex));
}

void CKitMarkupInlineCollection::SetContentObject(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pContent)
{
    CKitMarkupRef<CKitMarkupObject> content(pContent);
    const CKitMarkupInputElement* pOwner = MarkupDynamicCast<CKitMarkupInputElement>(GetLogicalParent());
    if (pOwner != nullptr && pContent != nullptr) {
        CKitMarkupContext* pContext = pOwner->GetMarkupContext();
        if (MarkupDynamicCast<CKitMarkupString>(pContent) != nullptr) {
            CKitMarkupRef<CKitMarkupRun> run(
                static_cast<CKitMarkupRun*>(MarkupCreateObject(pContext, MARKUP_TYPE(CKitMarkupRun))));
            run->SetValue(CKitMarkupRun::m_pTextProperty, content.Detach());
            Add(run.Detach());
            return;
        }
        if (pContent->IsKindOf(MARKUP_TYPE(CKitMarkupInline))) {
            Add(content.Detach());
            return;
        }
        if (CKitMarkupUIElement* pElement = MarkupDynamicCast<CKitMarkupUIElement>(pContent)) {
            CKitMarkupRef<CKitMarkupInlineUIContainer> container(static_cast<CKitMarkupInlineUIContainer*>(
                MarkupCreateObject(pContext, MARKUP_TYPE(CKitMarkupInlineUIContainer))));
            content.Detach();
            container->SetChild(pElement);
            Add(container.Detach());
            return;
        }
    }
    CKitMarkupBuilder::ThrowBuilderError(
        "'%s' object cannot be added to '%s'. Object cannot be converted to type 'CKitMarkupInline'",
        pContent != nullptr ? (LPCSTR)MarkupNarrow(pContent->GetType()->GetClassName()) : "",
        (LPCSTR)MarkupNarrow(GetType()->GetClassName()));
}

void CKitMarkupInlineCollection::OnItemAdded(CKitMarkupObject* pItem, int nIndex)
{
    static_cast<CKitMarkupInline*>(pItem)->SetIndex(nIndex);
}

void CKitMarkupInlineCollection::OnChanged()
{
    for (int i = 0; i < GetCount(); ++i)
        GetInline(i)->SetIndex(i);
}

// CKitMarkupInline

CKitMarkupDependencyProperty* CKitMarkupInline::m_pBaselineAlignmentProperty = nullptr;

void CKitMarkupInline::RegisterProperties()
{
    m_pBaselineAlignmentProperty = CKitMarkupDependencyProperty::Register(
        L"BaselineAlignment", MARKUP_TYPE(CKitMarkupEnum), MARKUP_TYPE(CKitMarkupInline),
        new CKitMarkupPropertyMetadata(nullptr, MarkupConvertBaselineAlignment, MarkupPropertyAffectsArrange));
}

CKitMarkupInline::CKitMarkupInline() : m_nIndex(-1) {}

CKitMarkupInputElement* CKitMarkupInline::InputHitTest(POINT)
{
    return this;
}

CKitMarkupInline* CKitMarkupInline::GetFirstInline()
{
    return this;
}

int CKitMarkupInline::GetFirstPosition()
{
    return -1;
}

void CKitMarkupInline::GetNextPosition(int& nPosition)
{
    nPosition = 0;
}

BOOL CKitMarkupInline::IsWordBreakPosition(int)
{
    return FALSE;
}

BOOL CKitMarkupInline::IsLineBreakPosition(int)
{
    return FALSE;
}

BOOL CKitMarkupInline::IsCaretReturnPosition(int)
{
    return FALSE;
}

BOOL CKitMarkupInline::IsWhiteSpacePosition(int)
{
    return FALSE;
}

void CKitMarkupInline::ArrangeRange(const RECT&, int, int) {}

SIZE CKitMarkupInline::MeasureRange(CKitMarkupDrawingContext*, int, int)
{
    return {0, 0};
}

void CKitMarkupInline::RenderRange(CKitMarkupDrawingContext*, const RECT&, int, int) {}

void CKitMarkupInline::PrepareMeasure(CKitMarkupDrawingContext*) {}

int CKitMarkupInline::GetBaseline()
{
    return 0;
}

CKitMarkupInline* CKitMarkupInline::GetNextInline() const
{
    const CKitMarkupInline* pWalk = this;
    for (;;) {
        const CKitMarkupInlineCollection* pCollection =
            MarkupDynamicCast<CKitMarkupInlineCollection>(pWalk->GetLogicalParent());
        if (pCollection == nullptr)
            return nullptr;
        const int next = pWalk->m_nIndex + 1;
        if (next > 0 && next < pCollection->GetCount())
            return pCollection->GetInline(next)->GetFirstInline();
        // The last of its collection: go on after the span that holds the collection.
        pWalk = MarkupDynamicCast<CKitMarkupSpan>(pCollection->GetLogicalParent());
        if (pWalk == nullptr)
            return nullptr;
    }
}

int CKitMarkupInline::GetBaselineAlignment() const
{
    return MarkupIntValue(this, m_pBaselineAlignmentProperty, baselineBaseline);
}

// CKitMarkupRun

CKitMarkupDependencyProperty* CKitMarkupRun::m_pTextProperty = nullptr;

void CKitMarkupRun::RegisterProperties()
{
    m_pTextProperty =
        CKitMarkupDependencyProperty::Register(L"Text", MARKUP_TYPE(CKitMarkupString), MARKUP_TYPE(CKitMarkupRun),
                                               new CKitMarkupPropertyMetadata(nullptr, MarkupPropertyAffectsMeasure));
}

CKitMarkupRun::CKitMarkupRun() : m_pFont(nullptr), m_fontDescription{}, m_nDescent(0) {}

CKitMarkupRun::~CKitMarkupRun()
{
    if (m_pFont != nullptr)
        m_pFont->Release();
}

void CKitMarkupRun::SetContentObject(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pContent)
{
    if (MarkupDynamicCast<CKitMarkupString>(pContent) == nullptr) {
        CKitMarkupObject::SetContentObject(pBuilder, pContent);
        return;
    }
    SetValue(m_pTextProperty, pContent);
}

void CKitMarkupRun::SetText(LPCWSTR lpszText)
{
    SetValue(m_pTextProperty, CKitMarkupString::CreateValue(lpszText));
}

std::wstring_view CKitMarkupRun::GetText() const
{
    const CKitMarkupString* pText = GetValueOf<CKitMarkupString>(m_pTextProperty);
    return pText != nullptr ? pText->GetView() : std::wstring_view();
}

wchar_t CKitMarkupRun::CharAt(int nPosition) const
{
    const std::wstring_view text = GetText();
    if (nPosition < 1 || static_cast<size_t>(nPosition) > text.size())
        return L'\0';
    return text[static_cast<size_t>(nPosition) - 1];
}

int CKitMarkupRun::GetFirstPosition()
{
    return GetText().empty() ? -1 : 1;
}

void CKitMarkupRun::GetNextPosition(int& nPosition)
{
    if (nPosition == -1)
        return;
    const size_t length = GetText().size();
    if (nPosition < 1 || static_cast<size_t>(nPosition) > length)
        nPosition = -1;
    else
        ++nPosition;
}

BOOL CKitMarkupRun::IsWordBreakPosition(int nPosition)
{
    const wchar_t c = CharAt(nPosition);
    return c == L' ' || c == L'\t' || c == L'\n';
}

BOOL CKitMarkupRun::IsLineBreakPosition(int nPosition)
{
    return CharAt(nPosition) == L'\n';
}

BOOL CKitMarkupRun::IsCaretReturnPosition(int nPosition)
{
    return CharAt(nPosition) == L'\r';
}

BOOL CKitMarkupRun::IsWhiteSpacePosition(int nPosition)
{
    const wchar_t c = CharAt(nPosition);
    return c == L' ' || c == L'\t';
}

void CKitMarkupRun::GetFontDescription(LOGFONTA& description)
{
    CKitMarkupContext* pContext = GetMarkupContext();
    description = pContext != nullptr ? pContext->GetDefaultFont() : DefaultFontDescription();
    if (const CKitMarkupInt* pSize = GetValueOf<CKitMarkupInt>(CKitMarkupTextElement::m_pFontSizeProperty))
        description.lfHeight = -pSize->GetValue();
    if (const CKitMarkupEnum* pWeight = GetValueOf<CKitMarkupEnum>(CKitMarkupTextElement::m_pFontWeightProperty))
        description.lfWeight = pWeight->GetValue();
    if (const CKitMarkupEnum* pStyle = GetValueOf<CKitMarkupEnum>(CKitMarkupTextElement::m_pFontStyleProperty))
        description.lfItalic = pStyle->GetValue() != 0 ? TRUE : FALSE;
    const CKitMarkupEnum* pQuality = GetValueOf<CKitMarkupEnum>(CKitMarkupTextElement::m_pFontQualityProperty);
    if (pQuality != nullptr && CKitOsVersion::Instance()->IsClearTypeTextSupported())
        description.lfQuality = static_cast<BYTE>(pQuality->GetValue());
    if (const CKitMarkupInt* pCharset = GetValueOf<CKitMarkupInt>(CKitMarkupTextElement::m_pFontCharsetProperty))
        description.lfCharSet = static_cast<BYTE>(pCharset->GetValue());
    if (const CKitMarkupString* pFamily = GetValueOf<CKitMarkupString>(CKitMarkupTextElement::m_pFontFamilyProperty)) {
        // Longer names are cut to what the description holds.
        const std::wstring_view family = pFamily->GetView().substr(0, kMarkupFaceNameMaxLength);
        std::memset(description.lfFaceName, 0, sizeof(description.lfFaceName));
        for (size_t i = 0; i < family.size(); ++i)
            description.lfFaceName[i] = static_cast<char>(family[i] & 0xFF);
    }
}

void CKitMarkupRun::PrepareMeasure(CKitMarkupDrawingContext* pDC)
{
    LOGFONTA description = {};
    GetFontDescription(description);
    if (m_pFont == nullptr || std::memcmp(&description, &m_fontDescription, sizeof(description)) != 0) {
        CKitMarkupContext* pContext = GetMarkupContext();
        CKitMarkupFont* pFont =
            pContext != nullptr ? pContext->GetFont(description) : new CKitMarkupFont(nullptr, description);
        if (m_pFont != nullptr)
            m_pFont->Release();
        m_pFont = pFont;
        m_fontDescription = description;
    }
    pDC->SetFont(m_pFont);
    m_nDescent = pDC->GetTextMetrics().tmDescent;
}

BOOL CKitMarkupRun::SelectFont(CKitMarkupDrawingContext* pDC) const
{
    if (m_pFont == nullptr)
        return FALSE;
    pDC->SetFont(m_pFont);
    return TRUE;
}

int CKitMarkupRun::GetBaseline()
{
    return m_nDescent;
}

SIZE CKitMarkupRun::MeasureRange(CKitMarkupDrawingContext* pDC, int nStart, int nEnd)
{
    if (nStart <= 0 || nEnd <= 0 || !SelectFont(pDC))
        return {0, 0};
    const std::wstring_view text = GetText();
    if (nStart == nEnd)
        return {0, pDC->GetTextExtent(L" ", 1).cy};
    if (nEnd < nStart || static_cast<size_t>(nEnd) - 1 > text.size())
        return {0, 0};
    return pDC->GetTextExtent(text.data() + nStart - 1, nEnd - nStart);
}

void CKitMarkupRun::RenderRange(CKitMarkupDrawingContext* pDC, const RECT& rect, int nStart, int nEnd)
{
    const std::wstring_view text = GetText();
    if (nStart <= 0 || nEnd <= nStart || static_cast<size_t>(nEnd) - 1 > text.size() || !SelectFont(pDC))
        return;
    pDC->DrawTextLine(text.data() + nStart - 1, nEnd - nStart, {rect.left, rect.top});
}

// CKitMarkupLineBreak

CKitMarkupLineBreak::CKitMarkupLineBreak()
{
    SetText(L"\n");
}

// CKitMarkupSpan

CKitMarkupSpan::CKitMarkupSpan() : m_pInlines(new CKitMarkupInlineCollection())
{
    m_pInlines->SetLogicalParent(this);
}

CKitMarkupSpan::~CKitMarkupSpan()
{
    m_pInlines->DetachFromParent(this);
    m_pInlines->Release();
}

int CKitMarkupSpan::GetLogicalChildrenCount() const
{
    return 1;
}

CKitMarkupObject* CKitMarkupSpan::GetLogicalChild(int nIndex) const
{
    return nIndex == 0 ? m_pInlines : nullptr;
}

void CKitMarkupSpan::SetContentObject(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pContent)
{
    m_pInlines->SetContentObject(pBuilder, pContent);
}

BOOL CKitMarkupSpan::HasContentObject() const
{
    return m_pInlines->HasContentObject();
}

BOOL CKitMarkupSpan::AllowWhiteSpaceContent() const
{
    return TRUE;
}

CKitMarkupInline* CKitMarkupSpan::GetFirstInline()
{
    return m_pInlines->GetCount() > 0 ? m_pInlines->GetInline(0)->GetFirstInline() : this;
}

// CKitMarkupBold, CKitMarkupItalic, CKitMarkupUnderline

CKitMarkupBold::CKitMarkupBold()
{
    SetValue(m_pFontWeightProperty, CKitMarkupEnum::CreateValue(FW_BOLD));
}

CKitMarkupItalic::CKitMarkupItalic()
{
    SetValue(m_pFontStyleProperty, CKitMarkupEnum::CreateValue(1));
}

CKitMarkupUnderline::CKitMarkupUnderline()
{
    SetValue(m_pTextDecorationsProperty, CKitMarkupEnum::CreateValue(decorationUnderline));
}

// CKitMarkupHyperlink

CKitMarkupRoutedEvent* CKitMarkupHyperlink::m_pClickEvent = nullptr;

void CKitMarkupHyperlink::RegisterProperties()
{
    MARKUP_TYPE(CKitMarkupButtonBase)->RegisterProperties();
    m_pClickEvent = static_cast<CKitMarkupRoutedEvent*>(
        CKitMarkupDependencyProperty::AddOwner(CKitMarkupButtonBase::m_pClickEvent, MARKUP_TYPE(CKitMarkupHyperlink)));
    SetHyperlinkDefaultStyle();
}

CKitMarkupHyperlink::CKitMarkupHyperlink() : m_bPressed(FALSE) {}

void CKitMarkupHyperlink::OnMouseLeftButtonDown(CKitMarkupMouseButtonEventArgs* pArgs)
{
    m_bPressed = TRUE;
    pArgs->m_bHandled = TRUE;
}

void CKitMarkupHyperlink::OnMouseLeftButtonUp(CKitMarkupMouseButtonEventArgs* pArgs)
{
    if (!m_bPressed)
        return;
    m_bPressed = FALSE;
    OnClick();
    pArgs->m_bHandled = TRUE;
}

void CKitMarkupHyperlink::OnMouseLeave(CKitMarkupMouseEventArgs* pArgs)
{
    m_bPressed = FALSE;
    CKitMarkupSpan::OnMouseLeave(pArgs);
}

void CKitMarkupHyperlink::OnClick()
{
    // A handler may let the tree go: the hyperlink stays alive until the event has run.
    AddRef();
    CKitMarkupRef<CKitMarkupHyperlink> hold(this);
    CKitMarkupRoutedEventArgs args(m_pClickEvent, this);
    RaiseEvent(&args);
}

// CKitMarkupInlineUIContainer

CKitMarkupInlineUIContainer::CKitMarkupInlineUIContainer() : m_pChild(nullptr) {}

CKitMarkupInlineUIContainer::~CKitMarkupInlineUIContainer()
{
    SetChild(nullptr);
}

void CKitMarkupInlineUIContainer::SetChild(CKitMarkupUIElement* pChild)
{
    MarkupReplaceChild(this, m_pChild, pChild);
}

void CKitMarkupInlineUIContainer::SetContentObject(CKitMarkupBuilder*, CKitMarkupObject* pContent)
{
    CKitMarkupUIElement* pChild = MarkupDynamicCast<CKitMarkupUIElement>(pContent);
    if (pChild == nullptr) {
        CKitMarkupRef<CKitMarkupObject> content(pContent);
        MarkupThrowSingleChildError(this, pContent, FALSE);
    }
    SetChild(pChild);
}

BOOL CKitMarkupInlineUIContainer::HasContentObject() const
{
    return m_pChild != nullptr;
}

int CKitMarkupInlineUIContainer::GetLogicalChildrenCount() const
{
    return m_pChild != nullptr ? 1 : 0;
}

CKitMarkupObject* CKitMarkupInlineUIContainer::GetLogicalChild(int nIndex) const
{
    return nIndex == 0 ? m_pChild : nullptr;
}

CKitMarkupInputElement* CKitMarkupInlineUIContainer::InputHitTest(POINT point)
{
    if (m_pChild != nullptr) {
        if (CKitMarkupInputElement* pHit = m_pChild->InputHitTest(point))
            return pHit;
    }
    return this;
}

int CKitMarkupInlineUIContainer::GetFirstPosition()
{
    return m_pChild != nullptr ? 0 : -1;
}

void CKitMarkupInlineUIContainer::GetNextPosition(int& nPosition)
{
    nPosition = nPosition == 0 ? 1 : -1;
}

BOOL CKitMarkupInlineUIContainer::IsWordBreakPosition(int nPosition)
{
    return nPosition == 0 || nPosition == 1;
}

void CKitMarkupInlineUIContainer::ArrangeRange(const RECT& rect, int nStart, int)
{
    if (nStart == 0 && m_pChild != nullptr)
        m_pChild->Arrange(rect);
}

SIZE CKitMarkupInlineUIContainer::MeasureRange(CKitMarkupDrawingContext* pDC, int nStart, int)
{
    if (nStart != 0 || m_pChild == nullptr)
        return {0, 0};
    m_pChild->Measure(pDC, kMarkupInlineElementSpace, kMarkupInlineElementSpace);
    return m_pChild->GetDesiredSize();
}

void CKitMarkupInlineUIContainer::RenderRange(CKitMarkupDrawingContext* pDC, const RECT&, int nStart, int)
{
    if (nStart == 0 && m_pChild != nullptr)
        m_pChild->Render(pDC);
}
