#include "toolkit/markup/markup_page.h"

CKitMarkupInputElement* CKitMarkupPage::HitTestCore(POINT)
{
    return nullptr;
}

SIZE CKitMarkupPage::MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight)
{
    CKitMarkupUIElement* pChild = GetChild();
    if (pChild == nullptr)
        return {0, 0};
    pChild->Measure(pDC, nAvailableWidth, nAvailableHeight);
    return pChild->GetDesiredSize();
}

SIZE CKitMarkupPage::ArrangeOverride(SIZE szFinal)
{
    if (CKitMarkupUIElement* pChild = GetChild())
        pChild->Arrange({0, 0, szFinal.cx, szFinal.cy});
    return szFinal;
}
