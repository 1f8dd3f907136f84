#include "tools/markupcheck/markup_render.h"

#include "framework/handles.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/markup/markup_context.h"
#include "toolkit/markup/markup_drawing_context.h"
#include "toolkit/markup/markup_visual.h"

#include <png.h>

int RenderMarkupText(LPCSTR lpszText, int nWidth, int nHeight, MarkupPicture& picture, std::string& error)
{
    // The tree goes before its context.
    CKitMarkupRef<CKitMarkupContext> context(new CKitMarkupContext(nullptr));
    CKitMarkupContext* pContext = context.Get();
    CString errorText;
    CKitMarkupRef<CKitMarkupUIElement> root(pContext->Parse(lpszText, &errorText));
    if (!root) {
        error = (LPCSTR)errorText;
        return 1;
    }

    LPBYTE bits = nullptr;
    ScopedGdiObject<HBITMAP> bitmap(CKitImageManager::Create32BitDIBSection(nullptr, nWidth, nHeight, &bits));
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

bool WritePngFile(const MarkupPicture& picture, LPCSTR lpszPath)
{
    if (picture.width <= 0 || picture.height <= 0)
        return false;
    // Blue, green and red bytes in memory order, as the pixels hold them.
    std::vector<BYTE> rows;
    rows.reserve(picture.pixels.size() * 3);
    for (const DWORD pixel : picture.pixels) {
        rows.push_back(static_cast<BYTE>(pixel & 0xFF));
        rows.push_back(static_cast<BYTE>((pixel >> 8) & 0xFF));
        rows.push_back(static_cast<BYTE>((pixel >> 16) & 0xFF));
    }
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(picture.width);
    image.height = static_cast<png_uint_32>(picture.height);
    image.format = PNG_FORMAT_BGR;
    const int written = png_image_write_to_file(&image, lpszPath, 0, rows.data(), 0, nullptr);
    png_image_free(&image);
    return written != 0;
}
