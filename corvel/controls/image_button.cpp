#include "corvel/controls/image_button.h"

#include "corvel/controls/bitmap_resources.h"

#include <windowsx.h>

namespace {

// Labels longer than this are shortened to kShortLabel characters and " ...".
constexpr int kLongestLabel = 12;
constexpr int kShortLabel = 8;
// Caption lines: "Garamond" at 10 points, 10 pixels in from the sides, the first 35 pixels down.
constexpr int kCaptionPoints = 100;
constexpr int kCaptionSideMargin = 10;
constexpr int kCaptionTop = 35;
constexpr int kCaptionLineGap = 5;
constexpr COLORREF kCaptionColour = RGB(20, 60, 100);
constexpr COLORREF kFaceColour = RGB(255, 255, 255);

// Button types of the window style.
constexpr UINT kTypeMask = 0x0F;

} // namespace

IMPLEMENT_DYNAMIC(CImageButton, CButton)

CImageButton::CImageButton() = default;

CImageButton::~CImageButton()
{
    FreeImages();
}

void CImageButton::FreeImages()
{
    for (Icon& icon : m_icons) {
        if (icon.icon != nullptr)
            ::DestroyIcon(icon.icon);
        icon = Icon();
    }
    for (Image& image : m_images) {
        if (image.bitmap != nullptr)
            ::DeleteObject(image.bitmap);
        if (image.mask != nullptr)
            ::DeleteObject(image.mask);
        image = Image();
    }
}

void CImageButton::Repaint(BOOL bRepaint)
{
    if (bRepaint && GetSafeHwnd() != nullptr)
        Invalidate();
}

DWORD CImageButton::SetBitmaps(int nBitmapIn, COLORREF crTransColorIn, int nBitmapOut, COLORREF crTransColorOut)
{
    HBITMAP in = nBitmapIn != 0 ? LoadBitmapResource(nBitmapIn) : nullptr;
    HBITMAP out = nullptr;
    if (nBitmapOut == kGreyOutImage || nBitmapOut == kDarkerOutImage)
        out = reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(nBitmapOut));
    else if (nBitmapOut != kNoOutImage)
        out = LoadBitmapResource(nBitmapOut);
    return SetBitmaps(in, crTransColorIn, out, crTransColorOut);
}

DWORD CImageButton::SetBitmaps(HBITMAP hBitmapIn, COLORREF crTransColorIn, HBITMAP hBitmapOut,
                               COLORREF crTransColorOut)
{
    FreeImages();
    if (hBitmapIn == nullptr) {
        Repaint(TRUE);
        return kOk;
    }
    Image& in = m_images[0];
    if (!AttachImage(in, hBitmapIn, crTransColorIn))
        return Fail(kInvalidBitmap);
    // The copies are made while the in image still has its transparent colour.
    const INT_PTR outCode = reinterpret_cast<INT_PTR>(hBitmapOut);
    if (outCode == kGreyOutImage || outCode == kDarkerOutImage) {
        hBitmapOut = CopyShaded(hBitmapIn, in.width, in.height, crTransColorIn, outCode == kGreyOutImage);
        crTransColorOut = crTransColorIn;
    }
    if (!MaskImage(in))
        return Fail(kMaskFailed);
    if (hBitmapOut != nullptr) {
        Image& out = m_images[1];
        if (!AttachImage(out, hBitmapOut, crTransColorOut))
            return Fail(kInvalidBitmap);
        if (!MaskImage(out))
            return Fail(kMaskFailed);
    }
    Repaint(TRUE);
    return kOk;
}

bool CImageButton::AttachImage(Image& image, HBITMAP bitmap, COLORREF transparent)
{
    image.bitmap = bitmap;
    image.transparent = transparent;
    return BitmapSize(bitmap, image.width, image.height);
}

bool CImageButton::MaskImage(Image& image)
{
    image.mask = BuildMask(image.bitmap, image.width, image.height, image.transparent);
    return image.mask != nullptr;
}

DWORD CImageButton::Fail(DWORD result)
{
    FreeImages();
    return result;
}

// A monochrome mask, set where the image has the transparent colour; those pixels of the image become black.
HBITMAP CImageButton::BuildMask(HBITMAP bitmap, int width, int height, COLORREF transparent)
{
    HBITMAP mask = ::CreateBitmap(width, height, 1, 1, nullptr);
    HDC screen = ::GetDC(nullptr);
    HDC imageDc = ::CreateCompatibleDC(screen);
    HDC maskDc = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    if (mask == nullptr || imageDc == nullptr || maskDc == nullptr) {
        if (mask != nullptr)
            ::DeleteObject(mask);
        if (imageDc != nullptr)
            ::DeleteDC(imageDc);
        if (maskDc != nullptr)
            ::DeleteDC(maskDc);
        return nullptr;
    }
    HGDIOBJ oldImage = ::SelectObject(imageDc, bitmap);
    HGDIOBJ oldMask = ::SelectObject(maskDc, mask);
    ::SetBkColor(imageDc, transparent);
    ::BitBlt(maskDc, 0, 0, width, height, imageDc, 0, 0, SRCCOPY);
    // Blacken the transparent pixels: AND with the inverted mask.
    ::SetBkColor(imageDc, RGB(255, 255, 255));
    ::SetTextColor(imageDc, RGB(0, 0, 0));
    ::BitBlt(imageDc, 0, 0, width, height, maskDc, 0, 0, 0x00220326 /* DSna */);
    ::SelectObject(imageDc, oldImage);
    ::SelectObject(maskDc, oldMask);
    ::DeleteDC(imageDc);
    ::DeleteDC(maskDc);
    return mask;
}

// A grey or a 25 % darker copy of source; pixels of the transparent colour keep it.
HBITMAP CImageButton::CopyShaded(HBITMAP source, int width, int height, COLORREF transparent, bool grey)
{
    HDC screen = ::GetDC(nullptr);
    HBITMAP copy = ::CreateCompatibleBitmap(screen, width, height);
    HDC sourceDc = ::CreateCompatibleDC(screen);
    HDC copyDc = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ oldSource = ::SelectObject(sourceDc, source);
    HGDIOBJ oldCopy = ::SelectObject(copyDc, copy);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF pixel = ::GetPixel(sourceDc, x, y);
            COLORREF shaded = pixel;
            if (pixel != transparent) {
                const int r = GetRValue(pixel);
                const int g = GetGValue(pixel);
                const int b = GetBValue(pixel);
                if (grey) {
                    const int level = static_cast<int>(0.299 * r + 0.587 * g + 0.114 * b);
                    shaded = RGB(level, level, level);
                } else {
                    shaded = RGB(static_cast<int>(r - r * 0.25), static_cast<int>(g - g * 0.25),
                                 static_cast<int>(b - b * 0.25));
                }
            }
            ::SetPixel(copyDc, x, y, shaded);
        }
    }
    ::SelectObject(sourceDc, oldSource);
    ::SelectObject(copyDc, oldCopy);
    ::DeleteDC(sourceDc);
    ::DeleteDC(copyDc);
    return copy;
}

DWORD CImageButton::SetImageAlignment(int alignment, BOOL bRepaint)
{
    if (alignment < kAlignLeft || alignment > kAlignTopCentre)
        return kInvalidAlignment;
    m_alignment = alignment;
    Repaint(bRepaint);
    return kOk;
}

DWORD CImageButton::SetPressedOffsetStyle(int style, BOOL bRepaint)
{
    if (style == 0)
        m_pressedOffset = CPoint(1, 1);
    else if (style == 1)
        m_pressedOffset = CPoint(0, 2);
    else
        return kInvalidPressedStyle;
    Repaint(bRepaint);
    return kOk;
}

void CImageButton::SetCheckState(int state, BOOL bRepaint)
{
    if (!m_checkbox)
        return;
    m_checkState = state != 0 ? 1 : 0;
    Repaint(bRepaint);
}

void CImageButton::SetBorderOnHover(BOOL bEnable, BOOL bRepaint)
{
    m_borderOnHover = bEnable;
    Repaint(bRepaint);
}

void CImageButton::SetFocusWhenFlat(BOOL bEnable, BOOL bRepaint)
{
    m_focusWhenFlat = bEnable;
    Repaint(bRepaint);
}

void CImageButton::SetFlat(BOOL bFlat, BOOL bRepaint)
{
    m_flat = bFlat;
    Repaint(bRepaint);
}

void CImageButton::SetTransparentMode(BOOL bRepaint)
{
    m_transparent = TRUE;
    Repaint(bRepaint);
}

// The button's type becomes owner-draw; a check box keeps behaving as one, a default button draws as one.
void CImageButton::PreSubclassWindow()
{
    const UINT type = static_cast<UINT>(::GetWindowLongA(m_hWnd, GWL_STYLE)) & kTypeMask;
    if (type & 0x02)
        m_checkbox = TRUE;
    if (type == BS_DEFPUSHBUTTON)
        m_default = TRUE;
    ModifyStyle(kTypeMask, BS_OWNERDRAW, SWP_FRAMECHANGED);
    CButton::PreSubclassWindow();
}

// A double click reaches the button as a second click.
BOOL CImageButton::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_LBUTTONDBLCLK && pMsg->hwnd == m_hWnd)
        pMsg->message = WM_LBUTTONDOWN;
    return CButton::PreTranslateMessage(pMsg);
}

LRESULT CImageButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDBLCLK:
        // Double clicks that were not translated (no message loop of ours) are clicks all the same.
        return CButton::WindowProc(WM_LBUTTONDOWN, wParam, lParam);
    case WM_MOUSEMOVE: {
        const LRESULT result = CButton::WindowProc(message, wParam, lParam);
        OnMouseMoveTracking();
        return result;
    }
    case WM_MOUSELEAVE:
        CancelHover();
        return 0;
    case WM_KILLFOCUS:
    case WM_CANCELMODE: {
        const LRESULT result = CButton::WindowProc(message, wParam, lParam);
        CancelHover();
        return result;
    }
    case WM_ACTIVATE: {
        const LRESULT result = CButton::WindowProc(message, wParam, lParam);
        if (LOWORD(wParam) == WA_INACTIVE)
            CancelHover();
        return result;
    }
    case WM_ENABLE: {
        const LRESULT result = CButton::WindowProc(message, wParam, lParam);
        if (!wParam) {
            CWnd* parent = GetParent();
            if (parent != nullptr) {
                HWND next = ::GetNextDlgTabItem(parent->m_hWnd, m_hWnd, FALSE);
                ::SetFocus(next != nullptr && next != m_hWnd ? next : parent->m_hWnd);
            }
            CancelHover();
        }
        return result;
    }
    case WM_GETDLGCODE: {
        const LRESULT result = CButton::WindowProc(message, wParam, lParam);
        return result | (m_default ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    }
    case WM_CTLCOLORBTN + WM_REFLECT_BASE:
        return reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
    case BM_SETSTYLE: {
        const UINT type = static_cast<UINT>(wParam) & kTypeMask;
        if (type == BS_DEFPUSHBUTTON)
            m_default = TRUE;
        else if (type == BS_PUSHBUTTON)
            m_default = FALSE;
        return CButton::WindowProc(message, (wParam & ~kTypeMask) | BS_OWNERDRAW, lParam);
    }
    case BM_SETCHECK:
        SetCheckState(wParam == BST_CHECKED || wParam == BST_INDETERMINATE ? 1 : 0, TRUE);
        return 0;
    case BM_GETCHECK:
        return m_checkState;
    default:
        return CButton::WindowProc(message, wParam, lParam);
    }
}

void CImageButton::OnMouseMoveTracking()
{
    if ((::GetKeyState(VK_LBUTTON) & 0x8000) != 0 && !m_hover)
        return;
    if (!m_flat)
        return;
    CPoint cursor;
    ::GetCursorPos(&cursor);
    HWND under = ::WindowFromPoint(cursor);
    if (under == m_hWnd) {
        if ((m_alwaysTrack || ::GetActiveWindow() != nullptr) && !m_hover) {
            m_hover = TRUE;
            Invalidate();
            TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, m_hWnd, 0};
            ::TrackMouseEvent(&track);
        }
    } else {
        CancelHover();
    }
}

void CImageButton::CancelHover()
{
    if (m_flat && m_hover) {
        m_hover = FALSE;
        Invalidate();
    }
}

void CImageButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    const UINT state = lpDrawItemStruct->itemState;
    m_pressed = m_checkbox ? ((state & ODS_SELECTED) != 0 || m_checkState != 0) : (state & ODS_SELECTED) != 0;
    m_focused = (state & ODS_FOCUS) != 0;
    m_disabled = (state & ODS_DISABLED) != 0;

    CRect item = lpDrawItemStruct->rcItem;
    pDC->SetBkMode(TRANSPARENT);
    DrawBackground(pDC, &item);
    DrawBorder(pDC, &item);

    CString title;
    GetWindowText(title);
    const BOOL hasTitle = !title.IsEmpty();
    CRect caption = lpDrawItemStruct->rcItem;
    if (m_icons[0].icon != nullptr)
        DrawIcon(pDC, hasTitle, lpDrawItemStruct->rcItem, &caption, m_pressed, m_disabled);
    if (m_images[0].bitmap != nullptr) {
        pDC->SetBkColor(kFaceColour);
        DrawBitmap(pDC, hasTitle, lpDrawItemStruct->rcItem, &caption, m_pressed, m_disabled);
    }

    CRect client;
    GetClientRect(&client);
    if (hasTitle)
        DrawCaptionLine(pDC, client, title, 1);
    if (!label.IsEmpty()) {
        if (label.GetLength() > kLongestLabel)
            label = label.Left(kShortLabel) + " ...";
        DrawCaptionLine(pDC, client, label, 0);
    }

    if (m_focused && (!m_flat || m_focusWhenFlat)) {
        CRect focus = lpDrawItemStruct->rcItem;
        focus.DeflateRect(3, 3);
        pDC->DrawFocusRect(&focus);
    }
}

void CImageButton::DrawBackground(CDC* pDC, CRect* pRect)
{
    if (!m_flat && (m_focused || m_default)) {
        CBrush black(RGB(0, 0, 0));
        pDC->FrameRect(pRect, &black);
        pRect->DeflateRect(1, 1);
    }
    pDC->FillSolidRect(pRect, kFaceColour);
}

void CImageButton::DrawBorder(CDC* pDC, CRect* pRect)
{
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    if (!m_pressed) {
        if (m_flat) {
            if (m_hover && m_borderOnHover)
                pDC->Draw3dRect(pRect, highlight, shadow);
        } else {
            CRect outer = *pRect;
            pDC->Draw3dRect(&outer, highlight, ::GetSysColor(COLOR_3DDKSHADOW));
            outer.DeflateRect(1, 1);
            pDC->Draw3dRect(&outer, ::GetSysColor(COLOR_3DLIGHT), shadow);
        }
        return;
    }
    if (!m_flat) {
        CBrush frame(shadow);
        pDC->FrameRect(pRect, &frame);
    } else if (m_borderOnHover) {
        pDC->Draw3dRect(pRect, shadow, highlight);
    }
}

bool CImageButton::ShowsInImage() const
{
    return m_checkbox ? m_pressed != FALSE : (m_pressed || m_hover);
}

CPoint CImageButton::PlaceImage(const CRect& item, BOOL bHasTitle, int w, int h, BOOL bIsPressed) const
{
    CRect client;
    const_cast<CImageButton*>(this)->GetClientRect(&client);
    CPoint at(item.left, item.top);
    const int centreX = item.left + (item.Width() - w) / 2;
    const int centreY = item.top + (item.Height() - h) / 2;
    switch (m_alignment) {
    case kAlignLeft:
        at = bHasTitle ? CPoint(item.left + m_imageOrigin.x, centreY) : CPoint(centreX, centreY);
        break;
    case kAlignTop:
    case kAlignTopCentre:
        at = bHasTitle ? CPoint(centreX, item.top + m_imageOrigin.y) : CPoint(centreX, centreY);
        break;
    case kAlignRight:
        at = bHasTitle ? CPoint(client.right - w - m_imageOrigin.x, centreY) : CPoint(centreX, item.top);
        break;
    default:
        break;
    }
    if (bIsPressed && !m_checkbox)
        at.Offset(m_pressedOffset.x, m_pressedOffset.y);
    return at;
}

void CImageButton::DrawIcon(CDC* pDC, BOOL bHasTitle, const CRect& rpItem, CRect*, BOOL bIsPressed, BOOL bIsDisabled)
{
    const Icon& icon = ShowsInImage() || m_icons[1].icon == nullptr ? m_icons[0] : m_icons[1];
    const CPoint at = PlaceImage(rpItem, bHasTitle, icon.width, icon.height, bIsPressed);
    ::DrawStateA(pDC->GetSafeHdc(), nullptr, nullptr, reinterpret_cast<LPARAM>(icon.icon), 0, at.x, at.y, icon.width,
                 icon.height, DST_ICON | (bIsDisabled ? DSS_DISABLED : DSS_NORMAL));
}

void CImageButton::DrawBitmap(CDC* pDC, BOOL bHasTitle, const CRect& rpItem, CRect*, BOOL bIsPressed,
                              BOOL bIsDisabled)
{
    const Image& image = ShowsInImage() || m_images[1].bitmap == nullptr ? m_images[0] : m_images[1];
    const CPoint at = PlaceImage(rpItem, bHasTitle, image.width, image.height, bIsPressed);
    HDC hdc = pDC->GetSafeHdc();
    HDC source = ::CreateCompatibleDC(hdc);
    if (bIsDisabled && m_showDisabledImage) {
        // Compose the image on the face, then draw it greyed.
        HBITMAP composed = ::CreateCompatibleBitmap(hdc, image.width, image.height);
        HDC composedDc = ::CreateCompatibleDC(hdc);
        HGDIOBJ oldComposed = ::SelectObject(composedDc, composed);
        RECT all = {0, 0, image.width, image.height};
        ::SetBkColor(composedDc, kFaceColour);
        ::ExtTextOutA(composedDc, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
        HGDIOBJ oldSource = ::SelectObject(source, image.mask);
        ::BitBlt(composedDc, 0, 0, image.width, image.height, source, 0, 0, SRCAND);
        ::SelectObject(source, image.bitmap);
        ::BitBlt(composedDc, 0, 0, image.width, image.height, source, 0, 0, SRCPAINT);
        ::SelectObject(source, oldSource);
        ::SelectObject(composedDc, oldComposed);
        ::DeleteDC(composedDc);
        ::DrawStateA(hdc, nullptr, nullptr, reinterpret_cast<LPARAM>(composed), 0, at.x, at.y, image.width,
                     image.height, DST_BITMAP | DSS_DISABLED);
        ::DeleteObject(composed);
    } else {
        HGDIOBJ oldSource = ::SelectObject(source, image.mask);
        ::SetBkColor(hdc, kFaceColour);
        ::SetTextColor(hdc, RGB(0, 0, 0));
        ::BitBlt(hdc, at.x, at.y, image.width, image.height, source, 0, 0, SRCAND);
        ::SelectObject(source, image.bitmap);
        ::BitBlt(hdc, at.x, at.y, image.width, image.height, source, 0, 0, SRCPAINT);
        ::SelectObject(source, oldSource);
    }
    ::DeleteDC(source);
}

void CImageButton::DrawCaptionLine(CDC* pDC, const CRect& client, const CString& text, int n)
{
    CFont font;
    font.CreatePointFont(kCaptionPoints, "Garamond", pDC);
    CFont* old = pDC->SelectObject(&font);
    TEXTMETRICA metrics = {};
    pDC->GetTextMetrics(&metrics);
    const int lineHeight = metrics.tmAscent + metrics.tmDescent + kCaptionLineGap;
    CRect rect = client;
    rect.DeflateRect(kCaptionSideMargin, 0);
    rect.OffsetRect(0, lineHeight * n + kCaptionTop);
    pDC->SetBkColor(kFaceColour);
    pDC->SetTextColor(kCaptionColour);
    // A single word wider than the line (an address) may run into the side margins.
    pDC->DrawText(text, &rect, DT_CENTER | DT_WORDBREAK | DT_NOCLIP);
    pDC->SelectObject(old);
}
