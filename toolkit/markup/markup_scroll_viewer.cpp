#include "toolkit/markup/markup_scroll_viewer.h"

#include "toolkit/markup/markup_converters.h"
#include "toolkit/markup/markup_values.h"

namespace {

CKitMarkupDependencyProperty* RegisterVisibility(LPCWSTR lpszName)
{
    return CKitMarkupDependencyProperty::Register(
        lpszName, MARKUP_TYPE(CKitMarkupEnum), MARKUP_TYPE(CKitMarkupScrollViewer),
        new CKitMarkupPropertyMetadata(nullptr, MarkupConvertScrollBarVisibility, MarkupPropertyAffectsMeasure));
}

} // namespace

CKitMarkupDependencyProperty* CKitMarkupScrollViewer::m_pVerticalScrollBarVisibilityProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupScrollViewer::m_pHorizontalScrollBarVisibilityProperty = nullptr;

void CKitMarkupScrollViewer::RegisterProperties()
{
    m_pVerticalScrollBarVisibilityProperty = RegisterVisibility(L"VerticalScrollBarVisibility");
    m_pHorizontalScrollBarVisibilityProperty = RegisterVisibility(L"HorizontalScrollBarVisibility");
}

CKitMarkupScrollViewer::CKitMarkupScrollViewer()
{
    SetValue(m_pClipToBoundsProperty, CKitMarkupBool::CreateTrueValue());
}
