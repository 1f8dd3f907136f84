// The themes' share of the common controls' services and the markup engine's services, registered at start-up of every program that links the themes.
#include "toolkit/common/upper_services.h"
#include "toolkit/themes/image_rows.h"
#include "toolkit/themes/paint/markup_context_services.h"
#include "toolkit/themes/paint/markup_glue.h"
#include "toolkit/themes/paint/paint_manager.h"

namespace {

class CThemeServices final : public CKitThemeServices {
public:
    CKitMarkupContext* CreateMarkupContext(HWND hContainer) override { return MarkupCreateContext(hContainer); }
    void ReleaseMarkupContext(CKitMarkupContext*& pContext) override { MarkupReleaseContext(pContext); }
    void ReleaseMarkupElement(CKitMarkupUIElement*& pElement) override { MarkupReleaseElement(pElement); }
    CKitMarkupUIElement* ParseMarkupText(CKitMarkupContext* pContext, LPCSTR lpszText) override
    {
        return MarkupParseText(pContext, lpszText);
    }
    void SetMarkupDefaultFont(CKitMarkupContext* pContext, HFONT hFont, COLORREF clrText) override
    {
        MarkupSetDefaultFont(pContext, hFont, clrText);
    }
    SIZE MeasureMarkupElement(CKitMarkupUIElement* pElement, int nAvailableWidth, int nAvailableHeight) override
    {
        return MarkupMeasureElement(pElement, nAvailableWidth, nAvailableHeight);
    }
    void RenderMarkupElement(CKitMarkupUIElement* pElement, HDC hdc, LPCRECT lpRect) override
    {
        MarkupRenderElement(pElement, hdc, lpRect);
    }
    BOOL RelayMarkupMessage(CKitMarkupUIElement* pElement, UINT message, WPARAM wParam, LPARAM lParam,
                            LRESULT* pResult) override
    {
        return MarkupRelayMessage(pElement, message, wParam, lParam, pResult);
    }
    void ReverseImageRows(int w, int h, const DWORD* pSource, DWORD* pDestination) override
    {
        ::ReverseImageRows(w, h, pSource, pDestination);
    }
    void TransposeImageReversed(int w, int h, const DWORD* pSource, DWORD* pDestination) override
    {
        ::TransposeImageReversed(w, h, pSource, pDestination);
    }
    CKitBarPainter* GetDefaultBarPainter() override { return CKitPaintManager::Instance(); }
};

CThemeServices g_services;
CKitMarkupContextServices g_markupServices;

// Runs before main: the common controls find the themes from the first window on,
// and every markup context its picture loader and tooltip context.
const bool g_bRegistered =
    (CKitThemeServices::Register(&g_services), CKitMarkupServices::Register(&g_markupServices), true);

} // namespace
