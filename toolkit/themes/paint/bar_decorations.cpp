// The paint manager's special controls, MDI buttons, popup animations and alpha fills.
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/themes/paint/paint_manager.h"

#include <algorithm>
#include <vector>

namespace {

// The expand buttons' thickness and the popup expand button's height.
constexpr int kExpandButtonSize = 13;
constexpr int kPopupExpandHeight = 12;
constexpr UINT kFormatGlyph = DT_SINGLELINE | DT_VCENTER | DT_CENTER; // 0x25
// Tenths of a point of the glyph font at 96 pixels per inch.
constexpr int kGlyphPointSize = 80;

enum AnimationKind { kUnfold = 2, kSlide = 3, kFade = 4 };

// A chevron of four strokes, each a move to its first point and lines to the other two.
void DrawStrokes(CDC* pDC, const POINT (&strokes)[4][3], COLORREF clr)
{
    CPen pen(PS_SOLID, 1, clr);
    CPen* pOld = pDC->SelectObject(&pen);
    for (const auto& stroke : strokes) {
        pDC->MoveTo(stroke[0].x, stroke[0].y);
        pDC->LineTo(stroke[1].x, stroke[1].y);
        pDC->LineTo(stroke[2].x, stroke[2].y);
    }
    pDC->SelectObject(pOld);
}

bool IsVerticalPosition(int nPosition)
{
    return nPosition == kitBarLeft || nPosition == kitBarRight || nPosition == kitBarPopup;
}

// The rectangle's pixels as a top-down 32-bit array.
std::vector<DWORD> ReadPixels(CDC* pDC, const CRect& rc)
{
    std::vector<DWORD> pixels(static_cast<size_t>(rc.Width()) * rc.Height());
    BITMAPINFO bmi = {};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), rc.Width(), -rc.Height(), 1, 32, BI_RGB};
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(pDC->m_hDC, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hBitmap == nullptr)
        return pixels;
    HDC hdc = ::CreateCompatibleDC(pDC->m_hDC);
    HGDIOBJ hOld = ::SelectObject(hdc, hBitmap);
    ::BitBlt(hdc, 0, 0, rc.Width(), rc.Height(), pDC->m_hDC, rc.left, rc.top, SRCCOPY);
    ::GdiFlush();
    std::copy_n(static_cast<DWORD*>(pBits), pixels.size(), pixels.begin());
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);
    ::DeleteObject(hBitmap);
    return pixels;
}

// Puts a top-down 32-bit array onto the rectangle.
void WritePixels(CDC* pDC, const CRect& rc, const std::vector<DWORD>& pixels)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), rc.Width(), -rc.Height(), 1, 32, BI_RGB};
    ::SetDIBitsToDevice(pDC->m_hDC, rc.left, rc.top, rc.Width(), rc.Height(), 0, 0, 0, rc.Height(), pixels.data(),
                        &bmi, DIB_RGB_COLORS);
}

} // namespace

void CKitPaintManager::CreateMarlettFont(CDC* pDC, CFont& font)
{
    const int nPixelsPerInch = std::max(pDC->GetDeviceCaps(LOGPIXELSX), 1);
    font.CreatePointFont(kGlyphPointSize * 96 / nPixelsPerInch, "Marlett", pDC);
}

CSize CKitPaintManager::DrawSpecialControl(CDC* pDC, int nKind, CKitControl* pControl, CKitCommandBar* pBar,
                                           BOOL bDraw, LPARAM lpParam)
{
    switch (nKind) {
    case 0: {
        const bool bVertical = IsVerticalPosition(pBar->GetPosition());
        if (!bDraw) {
            const auto* pSize = reinterpret_cast<const SIZE*>(lpParam);
            const int w = pSize != nullptr ? pSize->cx : 0;
            const int h = pSize != nullptr ? pSize->cy : 0;
            pControl->SetRect(bVertical ? CRect(2, h - kExpandButtonSize, w - 2, h - 2)
                                        : CRect(w - kExpandButtonSize, 2, w - 2, h - 2));
            return CSize(0, 0);
        }
        const CRect rc = pControl->GetRect();
        const int c = rc.left + rc.Width() / 2;
        DrawControlEntry(pDC, pControl);
        const COLORREF clr = GetControlTextColor(pControl);
        if (!bVertical)
            DrawTriangle(pDC, CPoint(c - 2, rc.bottom - 7), CPoint(c + 2, rc.bottom - 7), CPoint(c, rc.bottom - 5),
                         clr);
        else
            DrawTriangle(pDC, CPoint(rc.left + 6, rc.top + 3), CPoint(rc.left + 6, rc.top + 7),
                         CPoint(rc.left + 4, rc.top + 5), clr);
        if (lpParam != 0) {
            const int l = rc.left, t = rc.top, r = rc.right;
            if (!bVertical) {
                const POINT strokes[4][3] = {{{l + 2, t + 4}, {l + 4, t + 6}, {l + 1, t + 9}},
                                             {{l + 3, t + 4}, {l + 5, t + 6}, {l + 2, t + 9}},
                                             {{l + 6, t + 4}, {l + 8, t + 6}, {l + 5, t + 9}},
                                             {{l + 7, t + 4}, {l + 9, t + 6}, {l + 6, t + 9}}};
                DrawStrokes(pDC, strokes, clr);
            } else {
                const POINT strokes[4][3] = {{{r - 8, t + 2}, {r - 6, t + 4}, {r - 3, t + 1}},
                                             {{r - 8, t + 3}, {r - 6, t + 5}, {r - 3, t + 2}},
                                             {{r - 8, t + 6}, {r - 6, t + 8}, {r - 3, t + 5}},
                                             {{r - 8, t + 7}, {r - 6, t + 9}, {r - 3, t + 6}}};
                DrawStrokes(pDC, strokes, clr);
            }
        }
        return CSize(0, 0);
    }
    case 1:
        if (bDraw) {
            const CRect rc = pControl->GetRect();
            const int c = (rc.left + rc.right) / 2;
            const int t = rc.top;
            DrawControlEntry(pDC, pControl);
            const POINT strokes[4][3] = {{{c - 2, t + 2}, {c, t + 4}, {c + 3, t + 1}},
                                         {{c - 2, t + 3}, {c, t + 5}, {c + 3, t + 2}},
                                         {{c - 2, t + 6}, {c, t + 8}, {c + 3, t + 5}},
                                         {{c - 2, t + 7}, {c, t + 9}, {c + 3, t + 6}}};
            DrawStrokes(pDC, strokes, RGB(0, 0, 0));
        }
        return CSize(0, kPopupExpandHeight);
    case 2:
        if (bDraw) {
            CFont font;
            CreateMarlettFont(pDC, font);
            DrawControlEntry(pDC, pControl);
            const bool bIdle = !pControl->GetPressed() && !pControl->GetSelected();
            CFont* pOld = pDC->SelectObject(&font);
            pDC->SetTextColor(bIdle ? static_cast<COLORREF>(m_clrFloatingGripperText) : GetControlTextColor(pControl));
            pDC->SetBkMode(TRANSPARENT);
            CRect rc = pControl->GetRect();
            pDC->DrawText("r", 1, rc, kFormatGlyph);
            pDC->SelectObject(pOld);
        }
        return CSize(0, 0);
    case 3:
        if (bDraw) {
            DrawControlEntry(pDC, pControl);
            const bool bIdle = !pControl->GetSelected() && !pControl->GetPopuped();
            const COLORREF clr =
                bIdle ? static_cast<COLORREF>(m_clrFloatingGripperText) : GetControlTextColor(pControl);
            const CPoint c = pControl->GetRect().CenterPoint();
            DrawTriangle(pDC, CPoint(c.x - 3, c.y - 1), CPoint(c.x + 3, c.y - 1), CPoint(c.x, c.y + 2), clr);
        }
        return CSize(0, 0);
    default:
        return CSize(0, 0);
    }
}

void CKitPaintManager::DrawControlMDIButton(CDC* pDC, CKitControl* pControl)
{
    CFont font;
    CreateMarlettFont(pDC, font);
    DrawControlEntry(pDC, pControl);
    CFont* pOld = pDC->SelectObject(&font);
    pDC->SetTextColor(GetControlTextColor(pControl));
    pDC->SetBkMode(TRANSPARENT);
    CRect rc = pControl->GetRect();
    pDC->DrawText(pControl->GetParameter(), rc, kFormatGlyph);
    pDC->SelectObject(pOld);
}

void CKitPaintManager::WaitAnimationFrame(DWORD dwMilliseconds)
{
    ::Sleep(dwMilliseconds);
}

void CKitPaintManager::Animate(CDC* pDestDC, CDC* pSrcDC, CRect rc, int nAnimationType)
{
    const int n = std::max(m_nAnimationSteps, 1);
    const DWORD dwStep = static_cast<DWORD>(std::max(m_nAnimationTime, 0) / n);
    const int cx = rc.Width();
    const int cy = rc.Height();
    switch (nAnimationType) {
    case kUnfold:
        for (int k = 1; k <= n; k++) {
            const int x = rc.right - cx * k / n;
            const int y = rc.bottom - cy * k / n;
            pDestDC->BitBlt(rc.left, rc.top, rc.right - x, rc.bottom - y, pSrcDC, x, y, SRCCOPY);
            WaitAnimationFrame(dwStep);
        }
        break;
    case kSlide:
        for (int k = 1; k <= n; k++) {
            const int h = k * cy / n;
            pDestDC->BitBlt(rc.left, rc.top, cx, h, pSrcDC, rc.left, rc.bottom - h, SRCCOPY);
            WaitAnimationFrame(dwStep);
        }
        break;
    case kFade: {
        const std::vector<DWORD> newImage = ReadPixels(pSrcDC, rc);
        const std::vector<DWORD> oldScreen = ReadPixels(pDestDC, rc);
        std::vector<DWORD> mix(newImage.size());
        for (int k = 1; k < n; k++) {
            const DWORD dwStart = ::GetTickCount();
            BlendBuffers(mix.data(), oldScreen.data(), cx, cy, newImage.data(), 255 * k / n);
            WritePixels(pDestDC, rc, mix);
            const DWORD dwTaken = ::GetTickCount() - dwStart;
            WaitAnimationFrame(dwTaken < dwStep ? dwStep - dwTaken : 0);
        }
        break;
    }
    default:
        break;
    }
}

void CKitPaintManager::BlendBuffers(DWORD* pDestination, const DWORD* pFirst, int cx, int cy, const DWORD* pSecond,
                                    int nAlpha)
{
    const size_t nCount = static_cast<size_t>(std::max(cx, 0)) * static_cast<size_t>(std::max(cy, 0));
    for (size_t i = 0; i < nCount; i++) {
        DWORD dwPixel = pDestination[i] & 0xFF000000;
        for (int nShift : {0, 8, 16}) {
            const DWORD a = (pFirst[i] >> nShift) & 0xFF;
            const DWORD b = (pSecond[i] >> nShift) & 0xFF;
            dwPixel |= (((a * (255 - nAlpha) + b * nAlpha) >> 8) & 0xFF) << nShift;
        }
        pDestination[i] = dwPixel;
    }
}

void CKitPaintManager::FillAlphaOpaque(CDC* pDC, CRect rc)
{
    if (rc.IsRectEmpty())
        return;
    std::vector<DWORD> pixels = ReadPixels(pDC, rc);
    for (DWORD& dwPixel : pixels)
        dwPixel |= 0xFF000000;
    WritePixels(pDC, rc, pixels);
}

void CKitPaintManager::FillSolidRectAlpha(CDC* pDC, CRect rc, COLORREF clr)
{
    if (rc.IsRectEmpty())
        return;
    const DWORD dwPixel = 0xFF000000 | (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr);
    WritePixels(pDC, rc, std::vector<DWORD>(static_cast<size_t>(rc.Width()) * rc.Height(), dwPixel));
}

void CKitPaintManager::GradientFill(CDC* pDC, CRect rc, COLORREF clrFrom, COLORREF clrTo, BOOL bHorz, CRect rcClip)
{
    // A colour the theme does not give is not painted.
    if (clrFrom == CKitPaintManagerColor::kNone || clrTo == CKitPaintManagerColor::kNone)
        return;
    CKitDrawHelpers::Instance()->GradientFillClipped(pDC, rc, clrFrom, clrTo, bHorz, rcClip);
}

void CKitPaintManager::AnimateExpanding(CKitCommandBar* pBar, CDC* pDestDC, CDC* pSrcDC, BOOL bExpandDown)
{
    struct Strip {
        int nTop;
        int nBottom;
        bool bExpanded;
    };
    const CRect rcBar = GetBarClientRect(pBar);
    std::vector<Strip> strips;
    for (int i = 0; i < pBar->GetControlCount(); i++) {
        CKitControl* pControl = pBar->GetControl(i);
        if (!pControl->IsVisible())
            continue;
        const bool bExpanded = pControl->GetExpanded() != FALSE;
        if (strips.empty()) {
            strips.push_back({0, 0, bExpanded});
        } else if (strips.back().bExpanded != bExpanded) {
            strips.back().nBottom = pControl->GetRect().top;
            strips.push_back({pControl->GetRect().top, 0, bExpanded});
        }
    }
    if (strips.empty())
        strips.push_back({0, 0, false});
    strips.back().nBottom = rcBar.bottom;

    const int n = std::max(m_nAnimationSteps, 1);
    const DWORD dwStep = static_cast<DWORD>(std::max(m_nAnimationTime, 0) / n);
    const int cx = rcBar.Width();
    for (int k = 1; k <= n; k++) {
        auto height = [&](const Strip& strip) {
            const int h = strip.nBottom - strip.nTop;
            return strip.bExpanded ? h * k / n : h;
        };
        if (bExpandDown) {
            int y = 0;
            for (const Strip& strip : strips) {
                const int h = height(strip);
                pDestDC->StretchBlt(0, y, cx, h, pSrcDC, 0, strip.nTop, cx, strip.nBottom - strip.nTop, SRCCOPY);
                y += h;
            }
        } else {
            int y = rcBar.bottom;
            for (auto it = strips.rbegin(); it != strips.rend(); ++it) {
                const int h = height(*it);
                y -= h;
                pDestDC->StretchBlt(0, y, cx, h, pSrcDC, 0, it->nTop, cx, it->nBottom - it->nTop, SRCCOPY);
            }
        }
        WaitAnimationFrame(dwStep);
    }
}
