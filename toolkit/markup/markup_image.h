// CKitMarkupImage: a picture named by its source.
#pragma once

#include "toolkit/markup/markup_framework_element.h"

class CKitMarkupImage : public CKitMarkupFrameworkElement {
    DECLARE_MARKUPCLASS(CKitMarkupImage)
public:
    CKitMarkupImage() = default;

    static CKitMarkupDependencyProperty* m_pSourceProperty;
    static CKitMarkupDependencyProperty* m_pStretchProperty;
    static void RegisterProperties();
};
