#include "toolkit/markup/markup_thickness.h"

#include "toolkit/markup/markup_converters.h"
#include "toolkit/markup/markup_limits.h"
#include "toolkit/markup/markup_text.h"
#include "toolkit/markup/markup_values.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

struct ThicknessUnit {
    LPCWSTR unit;
    LPCWSTR format;
};

// The four-value formats of a comma list that ends in a unit, read as the system's scanf reads them.
const ThicknessUnit kThicknessUnits[] = {
    {L"pt", L"%ipt, %ipt, %ipt, %ipt"},
    {L"in", L"%iin, %iin, %iin, %iin"},
    {L"cm", L"%icm, %icm, %icm, %icm"},
    {L"mm", L"%imm, %imm, %imm, %imm"},
};

CKitMarkupObject* ConvertTabNavigation(CKitMarkupBuilder*, CKitMarkupObject* pSource)
{
    static const LPCWSTR kWords[] = {L"Continue", L"Once", L"Cycle", L"None", L"Contained", L"Local"};
    const CKitMarkupString* pText = MarkupDynamicCast<CKitMarkupString>(pSource);
    if (pText == nullptr)
        return nullptr;
    for (int i = 0; i < static_cast<int>(std::size(kWords)); ++i) {
        if (MarkupEqualsNoCase(pText->GetView(), kWords[i]))
            return CKitMarkupEnum::CreateValue(i);
    }
    return nullptr;
}

} // namespace

// CKitMarkupThickness

CKitMarkupObject* CKitMarkupThickness::ConvertFrom(CKitMarkupBuilder*, CKitMarkupObject* pObject)
{
    const CKitMarkupString* pText = MarkupDynamicCast<CKitMarkupString>(pObject);
    if (pText == nullptr)
        return nullptr;
    const std::wstring_view text = pText->GetView();
    if (text.find(L',') == std::wstring_view::npos)
        return new CKitMarkupThickness(MarkupLengthFromUnits(MarkupLeadingInteger(text), text));
    int values[4] = {};
    if (text.size() > 2) {
        for (const ThicknessUnit& unit : kThicknessUnits) {
            if (!MarkupEndsWithNoCase(text, unit.unit))
                continue;
            if (swscanf(pText->GetText(), unit.format, &values[0], &values[1], &values[2], &values[3]) != 4)
                return nullptr;
            for (int& value : values)
                value = MarkupLengthFromUnits(value, text);
            return new CKitMarkupThickness(values[0], values[1], values[2], values[3]);
        }
    }
    if (swscanf(pText->GetText(), L"%i, %i, %i, %i", &values[0], &values[1], &values[2], &values[3]) != 4)
        return nullptr;
    return new CKitMarkupThickness(values[0], values[1], values[2], values[3]);
}

BOOL CKitMarkupThickness::IsEqual(const CKitMarkupObject* pOther) const
{
    if (pOther == nullptr || pOther->GetType() != GetType())
        return FALSE;
    const CKitMarkupThickness* p = static_cast<const CKitMarkupThickness*>(pOther);
    return p->m_nLeft == m_nLeft && p->m_nTop == m_nTop && p->m_nRight == m_nRight && p->m_nBottom == m_nBottom;
}

CKitMarkupThickness* CKitMarkupThickness::GetEmpty()
{
    static CKitMarkupThickness* shared = new CKitMarkupThickness();
    shared->AddRef();
    return shared;
}

RECT CKitMarkupThickness::DeflateRect(const RECT& rect, const CKitMarkupThickness* pThickness)
{
    if (pThickness == nullptr)
        return rect;
    RECT result;
    result.left = rect.left + pThickness->m_nLeft;
    result.top = rect.top + pThickness->m_nTop;
    result.right = result.left + std::max(0L, rect.right - pThickness->m_nRight - result.left);
    result.bottom = result.top + std::max(0L, rect.bottom - pThickness->m_nBottom - result.top);
    return result;
}

// CKitMarkupKeyboardNavigation

CKitMarkupDependencyProperty* CKitMarkupKeyboardNavigation::m_pIsTabStopProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupKeyboardNavigation::m_pTabNavigationProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupKeyboardNavigation::m_pTabIndexProperty = nullptr;

void CKitMarkupKeyboardNavigation::RegisterProperties()
{
    CKitMarkupType* pOwner = MARKUP_TYPE(CKitMarkupKeyboardNavigation);
    m_pIsTabStopProperty = CKitMarkupDependencyProperty::RegisterAttached(
        L"IsTabStop", MARKUP_TYPE(CKitMarkupBool), pOwner,
        new CKitMarkupPropertyMetadata(CKitMarkupBool::CreateTrueValue(), 0));
    m_pTabNavigationProperty = CKitMarkupDependencyProperty::RegisterAttached(
        L"TabNavigation", MARKUP_TYPE(CKitMarkupEnum), pOwner,
        new CKitMarkupPropertyMetadata(nullptr, ConvertTabNavigation, 0));
    m_pTabIndexProperty = CKitMarkupDependencyProperty::RegisterAttached(
        L"TabIndex", MARKUP_TYPE(CKitMarkupInt), pOwner,
        new CKitMarkupPropertyMetadata(new CKitMarkupInt(kMarkupUnbounded), 0));
}

CKitMarkupKeyboardNavigation::CKitMarkupKeyboardNavigation(CKitMarkupContext* pContext)
    : m_pFocused(nullptr), m_pOther(nullptr), m_pContext(pContext)
{
}

CKitMarkupKeyboardNavigation::~CKitMarkupKeyboardNavigation()
{
    if (m_pFocused != nullptr)
        m_pFocused->Release();
    if (m_pOther != nullptr)
        m_pOther->Release();
}

BOOL CKitMarkupKeyboardNavigation::OnWndMsg(UINT, WPARAM, LPARAM)
{
    return FALSE;
}

void CKitMarkupKeyboardNavigation::Focus(CKitMarkupObject*) {}
