#include "toolkit/markup/markup_image.h"

#include "toolkit/markup/markup_converters.h"
#include "toolkit/markup/markup_values.h"

CKitMarkupDependencyProperty* CKitMarkupImage::m_pSourceProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupImage::m_pStretchProperty = nullptr;

void CKitMarkupImage::RegisterProperties()
{
    CKitMarkupType* pOwner = MARKUP_TYPE(CKitMarkupImage);
    m_pSourceProperty = CKitMarkupDependencyProperty::Register(
        L"Source", MARKUP_TYPE(CKitMarkupString), pOwner,
        new CKitMarkupPropertyMetadata(nullptr, MarkupPropertyAffectsMeasure));
    m_pStretchProperty = CKitMarkupDependencyProperty::Register(
        L"Stretch", MARKUP_TYPE(CKitMarkupEnum), pOwner,
        new CKitMarkupPropertyMetadata(CKitMarkupEnum::CreateValue(0), MarkupConvertStretch,
                                       MarkupPropertyAffectsMeasure));
}
