#include "toolkit/markup/markup_visual.h"

#include "toolkit/markup/markup_converters.h"
#include "toolkit/markup/markup_values.h"

// CKitMarkupVisual

CKitMarkupVisual::CKitMarkupVisual() : m_ptVisualOffset{0, 0}, m_szRender{0, 0}, m_rcBounds{0, 0, 0, 0} {}

int CKitMarkupVisual::GetLogicalChildrenCount() const
{
    return GetVisualChildrenCount();
}

CKitMarkupObject* CKitMarkupVisual::GetLogicalChild(int nIndex) const
{
    return GetVisualChild(nIndex);
}

int CKitMarkupVisual::GetVisualChildrenCount() const
{
    return 0;
}

CKitMarkupVisual* CKitMarkupVisual::GetVisualChild(int) const
{
    return nullptr;
}

// CKitMarkupUIElement

CKitMarkupDependencyProperty* CKitMarkupUIElement::m_pClipToBoundsProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupUIElement::m_pVisibilityProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupUIElement::m_pFocusableProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupUIElement::m_pIsEnabledProperty = nullptr;

void CKitMarkupUIElement::RegisterProperties()
{
    CKitMarkupType* pOwner = MARKUP_TYPE(CKitMarkupUIElement);
    m_pClipToBoundsProperty =
        CKitMarkupDependencyProperty::Register(L"ClipToBounds", MARKUP_TYPE(CKitMarkupBool), pOwner, nullptr);
    m_pVisibilityProperty = CKitMarkupDependencyProperty::Register(
        L"Visibility", MARKUP_TYPE(CKitMarkupEnum), pOwner,
        new CKitMarkupPropertyMetadata(nullptr, MarkupConvertVisibility, MarkupPropertyAffectsMeasure));
    m_pFocusableProperty = CKitMarkupDependencyProperty::Register(
        L"Focusable", MARKUP_TYPE(CKitMarkupBool), pOwner,
        new CKitMarkupPropertyMetadata(CKitMarkupBool::CreateFalseValue(), 0));
    m_pIsEnabledProperty = CKitMarkupDependencyProperty::Register(
        L"IsEnabled", MARKUP_TYPE(CKitMarkupBool), pOwner,
        new CKitMarkupPropertyMetadata(CKitMarkupBool::CreateTrueValue(), 0));
}

int CKitMarkupUIElement::GetVisibility() const
{
    const CKitMarkupEnum* pValue = GetValueOf<CKitMarkupEnum>(m_pVisibilityProperty);
    return pValue != nullptr ? pValue->GetValue() : visibilityVisible;
}
