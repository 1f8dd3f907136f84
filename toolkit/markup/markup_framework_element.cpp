#include "toolkit/markup/markup_framework_element.h"

#include "toolkit/markup/markup_brushes.h"
#include "toolkit/markup/markup_builder.h"
#include "toolkit/markup/markup_converters.h"
#include "toolkit/markup/markup_style.h"
#include "toolkit/markup/markup_text.h"
#include "toolkit/markup/markup_thickness.h"
#include "toolkit/markup/markup_values.h"

namespace {

int GetAlignment(const CKitMarkupObject* pObject, CKitMarkupDependencyProperty* pProperty)
{
    const CKitMarkupEnum* pValue = pObject->GetValueOf<CKitMarkupEnum>(pProperty);
    return pValue != nullptr ? pValue->GetValue() : CKitMarkupFrameworkElement::alignStretch;
}

CKitMarkupDependencyProperty* RegisterLength(LPCWSTR lpszName, CKitMarkupObject* pDefaultValue)
{
    return CKitMarkupDependencyProperty::Register(
        lpszName, MARKUP_TYPE(CKitMarkupInt), MARKUP_TYPE(CKitMarkupFrameworkElement),
        new CKitMarkupPropertyMetadata(pDefaultValue, MarkupConvertLength, MarkupPropertyAffectsMeasure));
}

CKitMarkupDependencyProperty* RegisterBorderProperty(LPCWSTR lpszName, CKitMarkupType* pType,
                                                     CKitMarkupObject* pDefaultValue, DWORD dwFlags)
{
    return CKitMarkupDependencyProperty::Register(lpszName, pType, MARKUP_TYPE(CKitMarkupBorder),
                                                  new CKitMarkupPropertyMetadata(pDefaultValue, dwFlags));
}

} // namespace

// CKitMarkupFrameworkElement

CKitMarkupDependencyProperty* CKitMarkupFrameworkElement::m_pMarginProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupFrameworkElement::m_pHorizontalAlignmentProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupFrameworkElement::m_pVerticalAlignmentProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupFrameworkElement::m_pTagProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupFrameworkElement::m_pWidthProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupFrameworkElement::m_pMinWidthProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupFrameworkElement::m_pMaxWidthProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupFrameworkElement::m_pHeightProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupFrameworkElement::m_pMinHeightProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupFrameworkElement::m_pMaxHeightProperty = nullptr;

void CKitMarkupFrameworkElement::RegisterProperties()
{
    CKitMarkupType* pOwner = MARKUP_TYPE(CKitMarkupFrameworkElement);
    m_pMarginProperty = CKitMarkupDependencyProperty::Register(
        L"Margin", MARKUP_TYPE(CKitMarkupThickness), pOwner,
        new CKitMarkupPropertyMetadata(CKitMarkupThickness::GetEmpty(), MarkupPropertyAffectsMeasure));
    m_pHorizontalAlignmentProperty = CKitMarkupDependencyProperty::Register(
        L"HorizontalAlignment", MARKUP_TYPE(CKitMarkupEnum), pOwner,
        new CKitMarkupPropertyMetadata(nullptr, MarkupConvertHorizontalAlignment, MarkupPropertyAffectsArrange));
    m_pVerticalAlignmentProperty = CKitMarkupDependencyProperty::Register(
        L"VerticalAlignment", MARKUP_TYPE(CKitMarkupEnum), pOwner,
        new CKitMarkupPropertyMetadata(nullptr, MarkupConvertVerticalAlignment, MarkupPropertyAffectsArrange));
    m_pTagProperty = CKitMarkupDependencyProperty::Register(L"Tag", MARKUP_TYPE(CKitMarkupObject), pOwner, nullptr);
    m_pWidthProperty = RegisterLength(L"Width", nullptr);
    m_pMinWidthProperty = RegisterLength(L"MinWidth", nullptr);
    m_pMaxWidthProperty = RegisterLength(L"MaxWidth", nullptr);
    m_pHeightProperty = RegisterLength(L"Height", nullptr);
    m_pMinHeightProperty = RegisterLength(L"MinHeight", nullptr);
    m_pMaxHeightProperty = RegisterLength(L"MaxHeight", nullptr);
}

void CKitMarkupFrameworkElement::OnPropertyChanged(CKitMarkupDependencyProperty* pProperty, CKitMarkupObject* pOldValue,
                                                   CKitMarkupObject* pNewValue)
{
    CKitMarkupUIElement::OnPropertyChanged(pProperty, pOldValue, pNewValue);
    EvaluateTriggers(this, pProperty, pNewValue);
}

int CKitMarkupFrameworkElement::GetHorizontalAlignment() const
{
    return GetAlignment(this, m_pHorizontalAlignmentProperty);
}

int CKitMarkupFrameworkElement::GetVerticalAlignment() const
{
    return GetAlignment(this, m_pVerticalAlignmentProperty);
}

CKitMarkupThickness* CKitMarkupFrameworkElement::GetMargin() const
{
    return GetValueOf<CKitMarkupThickness>(m_pMarginProperty);
}

// CKitMarkupFrameworkContentElement

void CKitMarkupFrameworkContentElement::RegisterProperties()
{
    MARKUP_TYPE(CKitMarkupFrameworkElement)->RegisterProperties();
    CKitMarkupDependencyProperty::AddOwner(CKitMarkupFrameworkElement::m_pTagProperty,
                                           MARKUP_TYPE(CKitMarkupFrameworkContentElement));
}

void CKitMarkupFrameworkContentElement::OnPropertyChanged(CKitMarkupDependencyProperty* pProperty,
                                                          CKitMarkupObject* pOldValue, CKitMarkupObject* pNewValue)
{
    CKitMarkupInputElement::OnPropertyChanged(pProperty, pOldValue, pNewValue);
    EvaluateTriggers(this, pProperty, pNewValue);
}

// CKitMarkupDecorator

CKitMarkupDecorator::CKitMarkupDecorator() : m_pChild(nullptr) {}

CKitMarkupDecorator::~CKitMarkupDecorator()
{
    SetChild(nullptr);
}

void CKitMarkupDecorator::SetChild(CKitMarkupUIElement* pChild)
{
    if (CKitMarkupUIElement* pOld = std::exchange(m_pChild, nullptr)) {
        pOld->DetachFromParent(this);
        pOld->Release();
    }
    m_pChild = pChild;
    if (pChild != nullptr)
        pChild->SetLogicalParent(this);
}

void CKitMarkupDecorator::SetContentObject(CKitMarkupBuilder*, CKitMarkupObject* pContent)
{
    CKitMarkupUIElement* pChild = MarkupDynamicCast<CKitMarkupUIElement>(pContent);
    if (pChild == nullptr || m_pChild != nullptr) {
        CKitMarkupRef<CKitMarkupObject> content(pContent);
        MarkupThrowSingleChildError(this, pContent, pChild != nullptr);
    }
    SetChild(pChild);
}

BOOL CKitMarkupDecorator::HasContentObject() const
{
    return m_pChild != nullptr;
}

int CKitMarkupDecorator::GetVisualChildrenCount() const
{
    return m_pChild != nullptr ? 1 : 0;
}

CKitMarkupVisual* CKitMarkupDecorator::GetVisualChild(int nIndex) const
{
    return nIndex == 0 ? m_pChild : nullptr;
}

// CKitMarkupBorder

CKitMarkupDependencyProperty* CKitMarkupBorder::m_pBorderThicknessProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupBorder::m_pBorderBrushProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupBorder::m_pCornerRadiusProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupBorder::m_pBackgroundProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupBorder::m_pPaddingProperty = nullptr;

void CKitMarkupBorder::RegisterProperties()
{
    m_pBorderThicknessProperty = RegisterBorderProperty(L"BorderThickness", MARKUP_TYPE(CKitMarkupThickness),
                                                        CKitMarkupThickness::GetEmpty(), MarkupPropertyAffectsMeasure);
    m_pBorderBrushProperty =
        RegisterBorderProperty(L"BorderBrush", MARKUP_TYPE(CKitMarkupBrush), nullptr, MarkupPropertyAffectsRender);
    m_pCornerRadiusProperty = RegisterBorderProperty(L"CornerRadius", MARKUP_TYPE(CKitMarkupThickness),
                                                     CKitMarkupThickness::GetEmpty(), MarkupPropertyAffectsRender);
    m_pBackgroundProperty =
        RegisterBorderProperty(L"Background", MARKUP_TYPE(CKitMarkupBrush), nullptr, MarkupPropertyAffectsRender);
    m_pPaddingProperty = RegisterBorderProperty(L"Padding", MARKUP_TYPE(CKitMarkupThickness),
                                                CKitMarkupThickness::GetEmpty(), MarkupPropertyAffectsMeasure);
}

CKitMarkupBrush* CKitMarkupBorder::GetBackground() const
{
    return GetValueOf<CKitMarkupBrush>(m_pBackgroundProperty);
}

CKitMarkupBrush* CKitMarkupBorder::GetBorderBrush() const
{
    return GetValueOf<CKitMarkupBrush>(m_pBorderBrushProperty);
}

CKitMarkupThickness* CKitMarkupBorder::GetBorderThickness() const
{
    return GetValueOf<CKitMarkupThickness>(m_pBorderThicknessProperty);
}

CKitMarkupThickness* CKitMarkupBorder::GetPadding() const
{
    return GetValueOf<CKitMarkupThickness>(m_pPaddingProperty);
}

CKitMarkupThickness* CKitMarkupBorder::GetCornerRadius() const
{
    return GetValueOf<CKitMarkupThickness>(m_pCornerRadiusProperty);
}

void MarkupThrowSingleChildError(const CKitMarkupObject* pOwner, const CKitMarkupObject* pContent, BOOL bHasChild)
{
    const CString ownerName = MarkupNarrow(pOwner->GetType()->GetClassName());
    const CString contentName = pContent != nullptr ? MarkupNarrow(pContent->GetType()->GetClassName()) : CString();
    if (bHasChild)
        CKitMarkupBuilder::ThrowBuilderError(
            "'%s' already has a child and cannot add '%s'. '%s' can accept only one child.", (LPCSTR)ownerName,
            (LPCSTR)contentName, (LPCSTR)ownerName);
    CKitMarkupBuilder::ThrowBuilderError(
        "'%s' object cannot be added to '%s'. Object cannot be converted to type 'CKitMarkupUIElement'",
        (LPCSTR)contentName, (LPCSTR)ownerName);
}
