#include "toolkit/common/png_bitmap.h"

#include "framework/file.h"
#include "toolkit/common/image_manager.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <new>
#include <vector>

IMPLEMENT_DYNAMIC(CKitGraphicBitmapPng, CBitmap)

namespace {

constexpr size_t kSignatureSize = 8;
constexpr double kScreenGamma = 2.2;
// Rows, filter bytes and interlace passes that a stream may add beyond the expansion bound.
constexpr size_t kRawSlack = 64 * 1024;

// Everything the decoder fills, kept in the caller's frame so that libpng's
// error jump skips no destructor.
struct PngDecodeState {
    CFile* file = nullptr;
    size_t streamBytes = 0;
    std::vector<BYTE> pixels;
    std::vector<png_bytep> rows;
    size_t rowBytes = 0;
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int channels = 0;
    COLORREF background = RGB(127, 127, 127);
};

void PNGCBAPI ReportError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void PNGCBAPI IgnoreWarning(png_structp, png_const_charp)
{
}

// libpng's read function: a short read or a failing file ends the decoding.
void PNGCBAPI ReadFromFile(png_structp png, png_bytep data, png_size_t length)
{
    auto* state = static_cast<PngDecodeState*>(png_get_io_ptr(png));
    bool complete = false;
    if (length <= 0xFFFFFFFFu) {
        try {
            complete = state->file->Read(data, static_cast<UINT>(length)) == length;
        } catch (CException* e) {
            e->Delete();
        }
    }
    if (!complete)
        png_error(png, "short read");
}

BYTE SampleToByte(png_uint_16 value, int bitDepth)
{
    return static_cast<BYTE>(bitDepth == 16 ? value >> 8 : std::min<png_uint_16>(value, 255));
}

// The requested transformations, the size checks, the allocation and the
// decoding. Only libpng calls and the state's members run below setjmp.
bool DecodePng(png_structp png, png_infop info, PngDecodeState* state)
{
    if (setjmp(png_jmpbuf(png)) != 0)
        return false;

    png_set_read_fn(png, state, ReadFromFile);
    png_set_sig_bytes(png, static_cast<int>(kSignatureSize));
    png_set_user_limits(png, CKitGraphicBitmapPng::kMaxDimension, CKitGraphicBitmapPng::kMaxDimension);
    png_read_info(png, info);

    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    // A stream cannot hold more raw image data than deflate can expand its bytes to.
    const size_t rawBytes = static_cast<size_t>(png_get_rowbytes(png, info) + 1) * height;
    if (width == 0 || height == 0 ||
        rawBytes > state->streamBytes * CKitGraphicBitmapPng::kMaxExpansion + kRawSlack)
        return false;

    const int colorType = png_get_color_type(png, info);
    const int bitDepth = png_get_bit_depth(png, info);
    if (bitDepth == 16)
        png_set_strip_16(png);
    if (colorType == PNG_COLOR_TYPE_PALETTE || bitDepth < 8 || png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_expand(png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);

    png_color_16p fileBackground = nullptr;
    if (png_get_bKGD(png, info, &fileBackground) && fileBackground != nullptr) {
        png_set_background(png, fileBackground, PNG_BACKGROUND_GAMMA_FILE, 1, 1.0);
        if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) {
            const BYTE grey = SampleToByte(fileBackground->gray, bitDepth < 8 ? 8 : bitDepth);
            state->background = RGB(grey, grey, grey);
        } else {
            const int depth = colorType == PNG_COLOR_TYPE_PALETTE ? 8 : bitDepth;
            state->background = RGB(SampleToByte(fileBackground->red, depth),
                                     SampleToByte(fileBackground->green, depth),
                                     SampleToByte(fileBackground->blue, depth));
        }
    }
    double fileGamma = 0.0;
    if (png_get_gAMA(png, info, &fileGamma))
        png_set_gamma(png, kScreenGamma, fileGamma);

    png_read_update_info(png, info);
    state->rowBytes = png_get_rowbytes(png, info);
    state->channels = png_get_channels(png, info);
    state->width = width;
    state->height = height;
    if ((state->channels != 3 && state->channels != 4) || png_get_bit_depth(png, info) != 8 ||
        state->rowBytes < static_cast<size_t>(width) * static_cast<size_t>(state->channels) ||
        state->rowBytes > CKitGraphicBitmapPng::kMaxImageBytes / height)
        return false;

    state->pixels.resize(state->rowBytes * height);
    state->rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        state->rows[y] = state->pixels.data() + state->rowBytes * y;
    png_read_image(png, state->rows.data());
    png_read_end(png, nullptr);
    return true;
}

} // namespace

BOOL KitIsPngSignature(const BYTE* pData, size_t nSize)
{
    return pData != nullptr && nSize >= kSignatureSize && png_sig_cmp(pData, 0, kSignatureSize) == 0;
}

void CKitGraphicBitmapPng::Reset()
{
    DeleteObject();
    m_bAlpha = FALSE;
    m_clrBackground = RGB(127, 127, 127);
}

BOOL CKitGraphicBitmapPng::LoadFromFile(LPCSTR lpszFileName)
{
    Reset();
    CFile file;
    if (lpszFileName == nullptr || !file.Open(lpszFileName, CFile::modeRead | CFile::shareDenyWrite))
        return FALSE;
    return LoadFromStream(file);
}

BOOL CKitGraphicBitmapPng::LoadFromResource(HMODULE hModule, HRSRC hResource)
{
    Reset();
    if (hResource == nullptr)
        return FALSE;
    HGLOBAL hData = ::LoadResource(hModule, hResource);
    const void* pData = hData != nullptr ? ::LockResource(hData) : nullptr;
    if (pData == nullptr)
        return FALSE;
    const DWORD nSize = ::SizeofResource(hModule, hResource);
    if (nSize < kMinResourceSize)
        return FALSE;
    return LoadFromMemory(static_cast<const BYTE*>(pData), nSize);
}

BOOL CKitGraphicBitmapPng::LoadFromMemory(const BYTE* pData, size_t nSize)
{
    Reset();
    if (pData == nullptr || nSize == 0 || nSize > 0xFFFFFFFFu)
        return FALSE;
    // The memory file only reads: it never writes to or frees the bytes.
    CMemFile file(const_cast<BYTE*>(pData), static_cast<UINT>(nSize));
    return LoadFromStream(file);
}

BOOL CKitGraphicBitmapPng::LoadFromStream(CFile& file)
{
    Reset();
    PngDecodeState state;
    state.file = &file;
    try {
        const ULONGLONG length = file.GetLength();
        const ULONGLONG position = file.GetPosition();
        state.streamBytes = length > position ? static_cast<size_t>(std::min<ULONGLONG>(length - position, SIZE_MAX / kMaxExpansion)) : 0;
        BYTE signature[kSignatureSize];
        if (file.Read(signature, kSignatureSize) != kSignatureSize || !KitIsPngSignature(signature, kSignatureSize))
            return FALSE;
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }

    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, ReportError, IgnoreWarning);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    bool decoded = false;
    if (info != nullptr) {
        try {
            decoded = DecodePng(png, info, &state);
        } catch (const std::bad_alloc&) {
            decoded = false;
        }
    }
    png_destroy_read_struct(png != nullptr ? &png : nullptr, info != nullptr ? &info : nullptr, nullptr);
    if (!decoded)
        return FALSE;

    LPBYTE pTarget = nullptr;
    HBITMAP hBitmap = CKitImageManager::Create32BitDIBSection(nullptr, static_cast<int>(state.width),
                                                              -static_cast<int>(state.height), &pTarget);
    if (hBitmap == nullptr)
        return FALSE;
    const bool hasAlpha = state.channels == 4;
    for (png_uint_32 y = 0; y < state.height; ++y) {
        const BYTE* pSource = state.rows[y];
        for (png_uint_32 x = 0; x < state.width; ++x, pSource += state.channels, pTarget += 4) {
            pTarget[0] = pSource[2];
            pTarget[1] = pSource[1];
            pTarget[2] = pSource[0];
            pTarget[3] = hasAlpha ? pSource[3] : 0;
        }
    }
    Attach(hBitmap);
    m_bAlpha = hasAlpha;
    m_clrBackground = state.background;
    return TRUE;
}
