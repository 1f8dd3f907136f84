#include "toolkit/themes/paint/markup_glue.h"

#include "toolkit/common/resources.h"
#include "toolkit/markup/markup_context.h"
#include "toolkit/markup/markup_drawing_context.h"
#include "toolkit/markup/markup_visual.h"

namespace {

// The colour value that leaves the context's default text colour as it is.
constexpr COLORREF kKeepTextColor = 0xFFFFFFFF;

} // namespace

CKitMarkupContext* MarkupCreateContext(HWND hContainer)
{
    CKitMarkupContext* pContext = new CKitMarkupContext(hContainer);
    LOGFONTA font = pContext->GetDefaultFont();
    font.lfCharSet = CKitResourceManager::Instance()->GetFontCharset();
    pContext->SetDefaultFont(font);
    return pContext;
}

void MarkupReleaseContext(CKitMarkupContext*& pContext)
{
    if (pContext != nullptr)
        pContext->Release();
    pContext = nullptr;
}

void MarkupReleaseElement(CKitMarkupUIElement*& pElement)
{
    if (pElement != nullptr)
        pElement->Release();
    pElement = nullptr;
}

CKitMarkupUIElement* MarkupParseText(CKitMarkupContext* pContext, LPCSTR lpszText)
{
    if (pContext == nullptr)
        return nullptr;
    return pContext->Parse(lpszText);
}

CKitMarkupContext* MarkupGetElementContext(CKitMarkupUIElement* pElement)
{
    return pElement != nullptr ? pElement->GetMarkupContext() : nullptr;
}

void MarkupSetDefaultFont(CKitMarkupContext* pContext, HFONT hFont, COLORREF clrText)
{
    if (pContext == nullptr)
        return;
    LOGFONTA font = {};
    if (hFont != nullptr && ::GetObjectA(hFont, sizeof(font), &font) != 0)
        pContext->SetDefaultFont(font);
    if (clrText != kKeepTextColor)
        pContext->SetDefaultTextColor(clrText);
}

BOOL MarkupRelayMessage(CKitMarkupUIElement* pElement, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CKitMarkupContext* pContext = MarkupGetElementContext(pElement);
    if (pContext == nullptr)
        return FALSE;
    LRESULT lResult = 0;
    return pContext->OnWndMsg(pElement, message, wParam, lParam, pResult != nullptr ? pResult : &lResult);
}

SIZE MarkupMeasureElement(CKitMarkupUIElement* pElement, int nAvailableWidth, int nAvailableHeight)
{
    if (pElement == nullptr)
        return {0, 0};
    CKitMarkupDrawingContext dc(pElement->GetMarkupContext());
    pElement->Measure(&dc, nAvailableWidth, nAvailableHeight);
    return pElement->GetDesiredSize();
}

void MarkupRenderElement(CKitMarkupUIElement* pElement, HDC hdc, LPCRECT lpRect)
{
    if (pElement == nullptr || hdc == nullptr || lpRect == nullptr)
        return;
    pElement->Arrange(*lpRect);
    CKitMarkupDrawingContext dc(pElement->GetMarkupContext(), hdc);
    pElement->Render(&dc);
}
