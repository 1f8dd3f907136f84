#include "toolkit/markup/markup_controls.h"

#include "toolkit/markup/markup_builder.h"
#include "toolkit/markup/markup_context.h"
#include "toolkit/markup/markup_converters.h"
#include "toolkit/markup/markup_panels.h"
#include "toolkit/markup/markup_text_block.h"
#include "toolkit/markup/markup_text_elements.h"
#include "toolkit/markup/markup_thickness.h"
#include "toolkit/markup/markup_values.h"

namespace {

// A text block made in the context that holds the text as its content.
CKitMarkupTextBlock* CreateTextContent(CKitMarkupBuilder* pBuilder, CKitMarkupContext* pContext,
                                       CKitMarkupObject* pText)
{
    CKitMarkupRef<CKitMarkupTextBlock> block(
        static_cast<CKitMarkupTextBlock*>(MarkupCreateObject(pContext, MARKUP_TYPE(CKitMarkupTextBlock))));
    block->SetContentObject(pBuilder, pText);
    return block.Detach();
}

CKitMarkupRoutedEvent* RegisterBubblingEvent(LPCWSTR lpszName, CKitMarkupType* pOwner)
{
    return CKitMarkupRoutedEvent::RegisterRoutedEvent(lpszName, CKitMarkupRoutedEvent::routingBubble, pOwner);
}

} // namespace

CKitMarkupObject* MarkupConvertTextToContent(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pSource)
{
    if (pSource == nullptr)
        return nullptr;
    pSource->AddRef();
    if (MarkupDynamicCast<CKitMarkupString>(pSource) == nullptr)
        return pSource;
    return CreateTextContent(pBuilder, pBuilder != nullptr ? pBuilder->GetContext() : nullptr, pSource);
}

// CKitMarkupControl

CKitMarkupDependencyProperty* CKitMarkupControl::m_pPaddingProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupControl::m_pBackgroundProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupControl::m_pForegroundProperty = nullptr;

void CKitMarkupControl::RegisterProperties()
{
    CKitMarkupType* pOwner = MARKUP_TYPE(CKitMarkupControl);
    MARKUP_TYPE(CKitMarkupBorder)->RegisterProperties();
    MARKUP_TYPE(CKitMarkupPanel)->RegisterProperties();
    MARKUP_TYPE(CKitMarkupTextElement)->RegisterProperties();
    m_pPaddingProperty = CKitMarkupDependencyProperty::AddOwner(CKitMarkupBorder::m_pPaddingProperty, pOwner);
    m_pBackgroundProperty = CKitMarkupDependencyProperty::AddOwner(CKitMarkupPanel::m_pBackgroundProperty, pOwner);
    m_pForegroundProperty =
        CKitMarkupDependencyProperty::AddOwner(CKitMarkupTextElement::m_pForegroundProperty, pOwner);
}

CKitMarkupThickness* CKitMarkupControl::GetPadding() const
{
    return GetValueOf<CKitMarkupThickness>(m_pPaddingProperty);
}

SIZE CKitMarkupControl::MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight)
{
    CKitMarkupUIElement* pChild = MarkupDynamicCast<CKitMarkupUIElement>(GetVisualChild(0));
    if (pChild == nullptr)
        return {0, 0};
    pChild->Measure(pDC, nAvailableWidth, nAvailableHeight);
    return pChild->GetDesiredSize();
}

SIZE CKitMarkupControl::ArrangeOverride(SIZE szFinal)
{
    if (CKitMarkupUIElement* pChild = MarkupDynamicCast<CKitMarkupUIElement>(GetVisualChild(0)))
        pChild->Arrange({0, 0, szFinal.cx, szFinal.cy});
    return szFinal;
}

// CKitMarkupContentControl

CKitMarkupDependencyProperty* CKitMarkupContentControl::m_pContentProperty = nullptr;

void CKitMarkupContentControl::RegisterProperties()
{
    m_pContentProperty = CKitMarkupDependencyProperty::Register(
        L"Content", MARKUP_TYPE(CKitMarkupUIElement), MARKUP_TYPE(CKitMarkupContentControl),
        new CKitMarkupPropertyMetadata(nullptr, MarkupConvertTextToContent, MarkupPropertyAffectsMeasure));
}

CKitMarkupUIElement* CKitMarkupContentControl::GetContent() const
{
    return GetValueOf<CKitMarkupUIElement>(m_pContentProperty);
}

void CKitMarkupContentControl::SetContent(CKitMarkupUIElement* pContent)
{
    SetValue(m_pContentProperty, pContent);
}

void CKitMarkupContentControl::SetContentObject(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pContent)
{
    CKitMarkupRef<CKitMarkupObject> content(pContent);
    if (GetContent() != nullptr)
        MarkupThrowSingleChildError(this, pContent, TRUE);
    if (MarkupDynamicCast<CKitMarkupString>(pContent) != nullptr) {
        SetContent(CreateTextContent(pBuilder, GetMarkupContext(), content.Detach()));
        return;
    }
    if (MarkupDynamicCast<CKitMarkupUIElement>(pContent) == nullptr)
        MarkupThrowSingleChildError(this, pContent, FALSE);
    SetContent(static_cast<CKitMarkupUIElement*>(content.Detach()));
}

BOOL CKitMarkupContentControl::HasContentObject() const
{
    return GetContent() != nullptr;
}

int CKitMarkupContentControl::GetVisualChildrenCount() const
{
    return GetContent() != nullptr ? 1 : 0;
}

CKitMarkupVisual* CKitMarkupContentControl::GetVisualChild(int nIndex) const
{
    return nIndex == 0 ? GetContent() : nullptr;
}

// CKitMarkupButtonBase

CKitMarkupDependencyProperty* CKitMarkupButtonBase::m_pIsPressedProperty = nullptr;
CKitMarkupRoutedEvent* CKitMarkupButtonBase::m_pClickEvent = nullptr;

void CKitMarkupButtonBase::RegisterProperties()
{
    CKitMarkupType* pOwner = MARKUP_TYPE(CKitMarkupButtonBase);
    m_pIsPressedProperty = CKitMarkupDependencyProperty::Register(
        L"IsPressed", MARKUP_TYPE(CKitMarkupBool), pOwner,
        new CKitMarkupPropertyMetadata(CKitMarkupBool::CreateFalseValue(), MarkupPropertyAffectsArrange));
    m_pClickEvent = RegisterBubblingEvent(L"Click", pOwner);
}

CKitMarkupButtonBase::CKitMarkupButtonBase()
{
    SetValue(m_pFocusableProperty, CKitMarkupBool::CreateTrueValue());
}

// CKitMarkupToggleButton

CKitMarkupDependencyProperty* CKitMarkupToggleButton::m_pIsCheckedProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupToggleButton::m_pIsThreeStateProperty = nullptr;
CKitMarkupRoutedEvent* CKitMarkupToggleButton::m_pCheckedEvent = nullptr;
CKitMarkupRoutedEvent* CKitMarkupToggleButton::m_pUncheckedEvent = nullptr;
CKitMarkupRoutedEvent* CKitMarkupToggleButton::m_pIndeterminateEvent = nullptr;

void CKitMarkupToggleButton::RegisterProperties()
{
    CKitMarkupType* pOwner = MARKUP_TYPE(CKitMarkupToggleButton);
    m_pIsCheckedProperty = CKitMarkupDependencyProperty::Register(
        L"IsChecked", MARKUP_TYPE(CKitMarkupEnum), pOwner,
        new CKitMarkupPropertyMetadata(CKitMarkupEnum::CreateValue(0), MarkupConvertIsChecked,
                                       MarkupPropertyAffectsRender));
    m_pIsThreeStateProperty = CKitMarkupDependencyProperty::Register(
        L"IsThreeState", MARKUP_TYPE(CKitMarkupBool), pOwner,
        new CKitMarkupPropertyMetadata(CKitMarkupBool::CreateFalseValue(), MarkupPropertyAffectsRender));
    m_pCheckedEvent = RegisterBubblingEvent(L"Checked", pOwner);
    m_pUncheckedEvent = RegisterBubblingEvent(L"Unchecked", pOwner);
    m_pIndeterminateEvent = RegisterBubblingEvent(L"Indeterminate", pOwner);
}
