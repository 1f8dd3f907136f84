#include "corvel/controls/image_button.h"

namespace {

// A bitmap resource of the module that holds the resources, or null.
HBITMAP LoadBitmapResource(int id)
{
    return static_cast<HBITMAP>(
        ::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

} // namespace

IMPLEMENT_DYNAMIC(CImageButton, CButton)

CImageButton::CImageButton() = default;
CImageButton::~CImageButton() = default;

DWORD CImageButton::SetBitmaps(int nBitmapIn, COLORREF crTransColorIn, int nBitmapOut, COLORREF crTransColorOut)
{
    CBitmap in;
    in.Attach(LoadBitmapResource(nBitmapIn));
    BITMAP info = {};
    if (in.GetSafeHandle() == nullptr || in.GetObject(sizeof info, &info) == 0)
        return 1;
    CBitmap out;
    if (nBitmapOut > 0)
        out.Attach(LoadBitmapResource(nBitmapOut));
    m_bitmapIn = std::move(in);
    m_bitmapOut = std::move(out);
    m_transColorIn = crTransColorIn;
    m_transColorOut = crTransColorOut;
    if (GetSafeHwnd() != nullptr)
        Invalidate();
    return 0;
}
