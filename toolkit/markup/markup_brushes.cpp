#include "toolkit/markup/markup_brushes.h"

#include "toolkit/markup/markup_builder.h"
#include "toolkit/markup/markup_values.h"

// CKitMarkupBrush

CKitMarkupObject* CKitMarkupBrush::ConvertFrom(CKitMarkupBuilder*, CKitMarkupObject* pObject)
{
    const CKitMarkupString* pText = MarkupDynamicCast<CKitMarkupString>(pObject);
    DWORD value = 0;
    if (pText == nullptr || !ParseColor(pText->GetView(), value))
        return nullptr;
    return new CKitMarkupSolidColorBrush(static_cast<BYTE>(value >> 24), value & 0x00FFFFFF);
}

COLORREF CKitMarkupBrush::GetSolidColor() const
{
    return 0;
}

// CKitMarkupSolidColorBrush

CKitMarkupDependencyProperty* CKitMarkupSolidColorBrush::m_pColorProperty = nullptr;

void CKitMarkupSolidColorBrush::RegisterProperties()
{
    m_pColorProperty = CKitMarkupDependencyProperty::Register(L"Color", MARKUP_TYPE(CKitMarkupColor),
                                                              MARKUP_TYPE(CKitMarkupSolidColorBrush), nullptr);
}

CKitMarkupSolidColorBrush::CKitMarkupSolidColorBrush(COLORREF clr)
{
    SetValue(m_pColorProperty, new CKitMarkupColor(clr));
}

CKitMarkupSolidColorBrush::CKitMarkupSolidColorBrush(BYTE alpha, COLORREF clr)
{
    SetValue(m_pColorProperty, new CKitMarkupColor(alpha, clr));
}

BOOL CKitMarkupSolidColorBrush::IsEqual(const CKitMarkupObject* pOther) const
{
    if (pOther == nullptr || !pOther->IsKindOf(MARKUP_TYPE(CKitMarkupSolidColorBrush)))
        return FALSE;
    return static_cast<const CKitMarkupSolidColorBrush*>(pOther)->GetSolidColor() == GetSolidColor();
}

DWORD CKitMarkupSolidColorBrush::GetColor() const
{
    const CKitMarkupColor* pColor = GetValueOf<CKitMarkupColor>(m_pColorProperty);
    return pColor != nullptr ? pColor->GetValue() : 0;
}

COLORREF CKitMarkupSolidColorBrush::GetSolidColor() const
{
    return GetColor() & 0x00FFFFFF;
}

// CKitMarkupGradientStop

CKitMarkupDependencyProperty* CKitMarkupGradientStop::m_pColorProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupGradientStop::m_pOffsetProperty = nullptr;

void CKitMarkupGradientStop::RegisterProperties()
{
    CKitMarkupType* pOwner = MARKUP_TYPE(CKitMarkupGradientStop);
    m_pColorProperty = CKitMarkupDependencyProperty::Register(L"Color", MARKUP_TYPE(CKitMarkupColor), pOwner, nullptr);
    m_pOffsetProperty =
        CKitMarkupDependencyProperty::Register(L"Offset", MARKUP_TYPE(CKitMarkupDouble), pOwner, nullptr);
}

DWORD CKitMarkupGradientStop::GetColor() const
{
    const CKitMarkupColor* pColor = GetValueOf<CKitMarkupColor>(m_pColorProperty);
    return pColor != nullptr ? pColor->GetValue() : 0;
}

double CKitMarkupGradientStop::GetOffset() const
{
    const CKitMarkupDouble* pOffset = GetValueOf<CKitMarkupDouble>(m_pOffsetProperty);
    return pOffset != nullptr ? pOffset->GetValue() : 0.0;
}

CKitMarkupGradientStops::CKitMarkupGradientStops()
{
    m_pElementType = MARKUP_TYPE(CKitMarkupGradientStop);
}

// CKitMarkupPoint

CKitMarkupObject* CKitMarkupPoint::ConvertFrom(CKitMarkupBuilder*, CKitMarkupObject* pObject)
{
    const CKitMarkupString* pText = MarkupDynamicCast<CKitMarkupString>(pObject);
    if (pText == nullptr)
        return nullptr;
    LPCWSTR cursor = pText->GetText();
    double x = 0.0;
    double y = 0.0;
    if (!MarkupParseDouble(cursor, L',', FALSE, x) || !MarkupParseDouble(cursor, L'\0', TRUE, y))
        return nullptr;
    return new CKitMarkupPoint(x, y);
}

// CKitMarkupLinearGradientBrush

CKitMarkupDependencyProperty* CKitMarkupLinearGradientBrush::m_pStartPointProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupLinearGradientBrush::m_pEndPointProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupLinearGradientBrush::m_pGradientStopsProperty = nullptr;

void CKitMarkupLinearGradientBrush::RegisterProperties()
{
    CKitMarkupType* pOwner = MARKUP_TYPE(CKitMarkupLinearGradientBrush);
    m_pStartPointProperty =
        CKitMarkupDependencyProperty::Register(L"StartPoint", MARKUP_TYPE(CKitMarkupPoint), pOwner, nullptr);
    m_pEndPointProperty =
        CKitMarkupDependencyProperty::Register(L"EndPoint", MARKUP_TYPE(CKitMarkupPoint), pOwner, nullptr);
    m_pGradientStopsProperty = CKitMarkupDependencyProperty::Register(
        L"GradientStops", MARKUP_TYPE(CKitMarkupGradientStops), pOwner, nullptr);
}

CKitMarkupLinearGradientBrush::CKitMarkupLinearGradientBrush()
{
    SetValue(m_pGradientStopsProperty, new CKitMarkupGradientStops());
}

void CKitMarkupLinearGradientBrush::SetContentObject(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pContent)
{
    CKitMarkupGradientStops* pStops = GetGradientStops();
    if (pStops == nullptr) {
        CKitMarkupBrush::SetContentObject(pBuilder, pContent);
        return;
    }
    pStops->SetContentObject(pBuilder, pContent);
}

COLORREF CKitMarkupLinearGradientBrush::GetSolidColor() const
{
    const CKitMarkupGradientStops* pStops = GetGradientStops();
    if (pStops == nullptr || pStops->GetCount() == 0)
        return 0;
    return pStops->GetStop(0)->GetColor() & 0x00FFFFFF;
}

CKitMarkupGradientStops* CKitMarkupLinearGradientBrush::GetGradientStops() const
{
    return GetValueOf<CKitMarkupGradientStops>(m_pGradientStopsProperty);
}

CKitMarkupPoint* CKitMarkupLinearGradientBrush::GetStartPoint() const
{
    return GetValueOf<CKitMarkupPoint>(m_pStartPointProperty);
}

CKitMarkupPoint* CKitMarkupLinearGradientBrush::GetEndPoint() const
{
    return GetValueOf<CKitMarkupPoint>(m_pEndPointProperty);
}
