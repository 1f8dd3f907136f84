#include "tools/markupcheck/markup_render.h"

#include "framework/handles.h"
#include "toolkit/common/dib_section.h"
#include "toolkit/markup/markup_context.h"
#include "toolkit/markup/markup_drawing_context.h"
#include "toolkit/markup/markup_visual.h"

int RenderMarkupText(LPCSTR lpszText, int nWidth, int nHeight, MarkupPicture& picture, std::string& error,
                     bool bGdiPlus)
{
    // The tree goes before its context.
    CKitMarkupRef<CKitMarkupContext> context(new CKitMarkupContext(nullptr));
    CKitMarkupContext* pContext = context.Get();
    pContext->SetGdiPlusRendering(bGdiPlus ? TRUE : FALSE);
    CString errorText;
    CKitMarkupRef<CKitMarkupUIElement> root(pContext->Parse(lpszText, &errorText));
    if (!root) {
        error = (LPCSTR)errorText;
        return 1;
    }

    LPBYTE bits = nullptr;
    ScopedGdiObject<HBITMAP> bitmap(Create32BitDibSection(nullptr, nWidth, nHeight, &bits));
    ScopedMemoryDC memory(::CreateCompatibleDC(nullptr));
    picture = MarkupPicture();
    if (bitmap && memory) {
        ScopedSelectObject select(memory.Get(), bitmap.Get());
        const RECT whole = {0, 0, nWidth, nHeight};
        ::FillRect(memory.Get(), &whole, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        {
            CKitMarkupDrawingContext measure(pContext);
            root->Measure(&measure, nWidth, nHeight);
        }
        root->Arrange(whole);
        {
            CKitMarkupDrawingContext dc(pContext, memory.Get());
            root->Render(&dc);
        }
        ::GdiFlush();
        picture.width = nWidth;
        picture.height = nHeight;
        picture.pixels.resize(static_cast<size_t>(nWidth) * nHeight);
        // The section's rows run bottom-up.
        const DWORD* source = reinterpret_cast<const DWORD*>(bits);
        for (int y = 0; y < nHeight; ++y) {
            for (int x = 0; x < nWidth; ++x)
                picture.pixels[static_cast<size_t>(y) * nWidth + x] =
                    source[static_cast<size_t>(nHeight - 1 - y) * nWidth + x] & 0x00FFFFFF;
        }
    }
    return 0;
}
