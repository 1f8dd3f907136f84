// The bitmap frame painter: borders in the theme's colours, caption and corners from its pictures.
#include "toolkit/themes/paint/frame_paint_manager.h"

#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/resource_images.h"
#include "toolkit/common/resources.h"
#include "toolkit/themes/paint/frame_hook.h"
#include "toolkit/themes/paint/resource_painters.h"

#include "framework/frame.h"

#include <algorithm>
#include <vector>

namespace {

// Caption pictures keep their top 5 and bottom 3 rows unstretched.
const CRect kCaptionMargins(0, 5, 0, 3);
const CRect kButtonFaceMargins(3, 3, 3, 3);
// Caption glyph sizes by button width.
constexpr int kLargeGlyph = 23;
constexpr int kMediumGlyph = 17;
constexpr int kSmallGlyph = 13;
constexpr int kMediumGlyphBelow = 27;
constexpr int kSmallGlyphBelow = 15;
constexpr UINT kCaptionTextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
constexpr int kQueryDragIconTimeout = 100;
// Caption font heights from -10 to -1 are too small to read.
constexpr LONG kSmallestCaptionFont = -11;
constexpr LONG kTooSmallCaptionFont = -10;

const char* CaptionButtonName(int nId)
{
    switch (nId) {
    case SC_CLOSE:
        return "CLOSE";
    case SC_MINIMIZE:
        return "MINIMIZE";
    case SC_MAXIMIZE:
        return "MAXIMIZE";
    default:
        return "RESTORE";
    }
}

// Part of a picture, magenta left out; nothing into an empty rectangle.
void DrawPicturePart(CDC* pDC, CKitResourceImage* pImage, const CRect& rcDest, const CRect& rcSrc,
                     const CRect& rcMargins)
{
    if (!rcDest.IsRectEmpty() && !rcSrc.IsRectEmpty())
        pImage->DrawImageTransparent(pDC, rcDest, rcSrc, rcMargins, RGB(255, 0, 255));
}

void FillIfWide(CDC* pDC, int x, int y, int cx, int cy, COLORREF clr)
{
    if (cx > 0 && cy > 0)
        pDC->FillSolidRect(x, y, cx, cy, clr);
}

} // namespace

CKitFrameMeasures::CKitFrameMeasures(CKitFrameHook* pHook)
{
    CWnd* pWnd = pHook->GetSite();
    CRect rcScreen, rcClient;
    pWnd->GetWindowRect(&rcScreen);
    pWnd->GetClientRect(&rcClient);
    pWnd->ClientToScreen(&rcClient);
    rcWindow.SetRect(0, 0, rcScreen.Width(), rcScreen.Height());
    nLeft = rcClient.left - rcScreen.left;
    nTop = rcClient.top - rcScreen.top;
    nBottom = rcScreen.bottom - rcClient.bottom;
    nCaption = pHook->GetCaptionHeight();
    bActive = pHook->IsActive();
    const int cy = rcWindow.Height();
    nSide = cy - nCaption;
    if (pHook->IsFrameStatusBarMerged(&nStatusBar))
        nSide = cy - nStatusBar - nCaption - 1;
    else
        nStatusBar = 0;
}

CKitFramePaintManager::CKitFramePaintManager(CKitPaintManager* pPaintManager) : m_pPaintManager(pPaintManager) {}

CKitFramePaintManager::~CKitFramePaintManager() = default;

CKitResourceImage* CKitFramePaintManager::LoadImage(LPCSTR lpszName) const
{
    return CKitResourceImages::Instance()->LoadImage(lpszName);
}

void CKitFramePaintManager::RefreshMetrics()
{
    m_nFrameCaptionHeight = std::max(::GetSystemMetrics(SM_CYCAPTION), kMinCaptionHeight);

    CKitResourceImages* pImages = CKitResourceImages::Instance();
    char szKey[32];
    for (int i = 0; i < 4; i++) {
        wsprintfA(szKey, "BorderActive%i", i);
        m_clrFrameBorderActive[i] = pImages->GetImageColor("Window", szKey);
    }
    for (int i = 0; i < 4; i++) {
        wsprintfA(szKey, "BorderInactive%i", i);
        m_clrFrameBorderInactive[i] = pImages->GetImageColor("Window", szKey);
    }
    m_clrFrameCaptionTextActiveTitle = pImages->GetImageColor("Window", "CaptionTextActiveTitle");
    m_clrFrameCaptionTextInActive = pImages->GetImageColor("Window", "CaptionTextInActive");
    m_clrFrameCaptionTextActive = pImages->GetImageColor("Window", "CaptionTextActive");
    m_nFlatFrame = pImages->GetImageInt("Window", "FlatFrame", 0);

    NONCLIENTMETRICSA ncm = {};
    m_pPaintManager->ReadNonClientMetrics(ncm);
    LOGFONTA lf = ncm.lfCaptionFont;
    lf.lfWeight = FW_NORMAL;
    m_pPaintManager->ApplyClearType(lf);
    if (m_pPaintManager->m_bUseOwnFace && CKitDrawHelpers::FontExists(m_pPaintManager->m_strOwnFaceName))
        lstrcpynA(lf.lfFaceName, m_pPaintManager->m_strOwnFaceName, LF_FACESIZE);
    if (lf.lfHeight >= kTooSmallCaptionFont && lf.lfHeight < 0)
        lf.lfHeight = kSmallestCaptionFont;
    lf.lfCharSet = CKitResourceManager::Instance()->GetFontCharset();
    m_fontFrameCaption.SetStandardFontIndirect(&lf);
}

HRGN CKitFramePaintManager::CreateWindowRegion(CKitFrameHook* pHook, int cx, int cy)
{
    if (pHook->GetStyle() & WS_MAXIMIZE)
        return nullptr;

    std::vector<RECT> rects = {
        {4, 0, cx - 4, 1}, {2, 1, cx - 2, 2}, {1, 2, cx - 1, 3}, {1, 3, cx - 1, 4}, {0, 4, cx, cy - 4},
    };
    const BOOL bRounded = (m_bRoundedCornersAlways || pHook->IsFrameStatusBarMerged()) && pHook->GetBorderWidth() >= 4;
    if (bRounded) {
        rects.push_back({1, cy - 4, cx - 1, cy - 2});
        rects.push_back({2, cy - 2, cx - 2, cy - 1});
        rects.push_back({4, cy - 1, cx - 4, cy});
    } else {
        rects.push_back({0, cy - 4, cx, cy});
    }

    std::vector<BYTE> data;
    try {
        data.resize(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    auto* pData = reinterpret_cast<RGNDATA*>(data.data());
    pData->rdh.dwSize = sizeof(RGNDATAHEADER);
    pData->rdh.iType = RDH_RECTANGLES;
    pData->rdh.nCount = static_cast<DWORD>(rects.size());
    pData->rdh.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
    pData->rdh.rcBound = {0, 0, cx, cy};
    std::copy(rects.begin(), rects.end(), reinterpret_cast<RECT*>(pData->Buffer));
    return ::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), pData);
}

void CKitFramePaintManager::DrawBorderColumns(CDC* pDC, CKitFrameHook* pHook, const CKitFrameMeasures& m,
                                              BOOL bFlat)
{
    const BOOL bActive = m.bActive;
    auto color = [this, bActive](int k) { return GetBorderColor(k, bActive); };
    const int cx = m.rcWindow.Width();
    const int cy = m.rcWindow.Height();
    const int T = m.nCaption;
    const int L = m.nLeft;
    const int nBottom = m.nBottom;
    const int nSideHeight = m.nSide;

    if (L > 0) {
        FillIfWide(pDC, 0, T, 1, cy - T, color(0));
        FillIfWide(pDC, cx - 1, T, 1, cy - T, color(0));
    }
    if (L > 1) {
        FillIfWide(pDC, 1, T, 1, nSideHeight, color(1));
        FillIfWide(pDC, cx - 2, T, 1, nSideHeight, color(1));
    }
    if (!bFlat) {
        if (L > 2) {
            FillIfWide(pDC, 2, T, 1, nSideHeight, color(2));
            FillIfWide(pDC, cx - 3, T, 1, nSideHeight, color(2));
        }
        if (L > 3) {
            FillIfWide(pDC, 3, T, L - 3, nSideHeight, color(3));
            FillIfWide(pDC, cx - L, T, L - 3, nSideHeight, color(3));
        }
    } else if (L > 2) {
        FillIfWide(pDC, 2, T, L - 3, nSideHeight, color(2));
        FillIfWide(pDC, cx - L + 1, T, L - 3, nSideHeight, color(2));
        FillIfWide(pDC, L - 1, T, 1, nSideHeight, color(3));
        FillIfWide(pDC, cx - L, T, 1, nSideHeight, color(3));
    }

    const BOOL bMaximized = (pHook->GetStyle() & WS_MAXIMIZE) != 0;
    const COLORREF clrBottom = bActive ? (bMaximized ? color(3) : color(0)) : color(0);
    FillIfWide(pDC, 0, cy - 1, cx, 1, clrBottom);
    if (nBottom > 1) {
        if (!bFlat) {
            FillIfWide(pDC, 1, cy - nBottom, cx - 2, nBottom - 1, color(3));
        } else {
            FillIfWide(pDC, L, cy - nBottom, cx - 2 * L, 1, color(3));
            FillIfWide(pDC, 1, cy - nBottom + 1, cx - 2, nBottom - 2, color(2));
        }
    }
}

void CKitFramePaintManager::DrawCaptionContent(CDC* pDC, CKitFrameHook* pHook, const CKitFrameMeasures& m)
{
    const int cx = m.rcWindow.Width();
    const int T = m.nCaption;
    const int b = pHook->GetBorderWidth();
    const BOOL bActive = pHook->IsActive();
    CRect rcText(kCaptionTextLeft, b, cx, T - 3);

    if (HICON hIcon = GetFrameSmallIcon(pHook->GetSafeHwnd())) {
        const int cxIcon = ::GetSystemMetrics(SM_CXSMICON);
        const int cyIcon = ::GetSystemMetrics(SM_CYSMICON);
        const int y = (b - 1) + (T - (b - 1) - cyIcon - 1) / 2;
        const HDC hdc = pDC->GetSafeHdc();
        const DWORD dwLayout = ::GetLayout(hdc);
        if (dwLayout & LAYOUT_RTL)
            ::SetLayout(hdc, dwLayout | LAYOUT_BITMAPORIENTATIONPRESERVED);
        ::DrawIconEx(hdc, kCaptionTextLeft, y, hIcon, cxIcon, cyIcon, 0, nullptr, DI_NORMAL);
        if (dwLayout & LAYOUT_RTL)
            ::SetLayout(hdc, dwLayout);
        rcText.left = cxIcon + kCaptionTextAfterIcon;
    }

    int nButtonsLeft = cx;
    if (CKitControls* pButtons = pHook->GetCaptionButtons()) {
        for (int i = 0; i < pButtons->GetCount(); i++) {
            CKitControl* pButton = pButtons->GetAt(i);
            if (!pButton->IsVisible())
                continue;
            const CRect rc = pButton->GetRect();
            DrawCaptionButton(pDC, rc, static_cast<int>(pButton->GetId()), pButton->GetSelected(),
                              pButton->GetPressed(), pButton->IsEnabled() && bActive);
            nButtonsLeft = std::min<int>(nButtonsLeft, rc.left);
        }
    }
    rcText.right = nButtonsLeft - m.nLeft;
    DrawCaptionText(pDC, rcText, pHook->GetSite(), bActive);
}

void CKitFramePaintManager::DrawFrame(CDC* pDC, CKitFrameHook* pHook)
{
    const CKitFrameMeasures m(pHook);
    const int cx = m.rcWindow.Width();
    const int cy = m.rcWindow.Height();
    const int L = m.nLeft;
    const int B = m.nBottom;
    const int T = m.nCaption;
    const int S = m.nStatusBar;
    const BOOL bFlat = m_nFlatFrame != 0;
    const int nState = m.bActive ? 0 : 1;

    DrawBorderColumns(pDC, pHook, m, bFlat);

    CKitResourceImage* pTopLeft = LoadImage("FRAMETOPLEFT");
    CKitResourceImage* pTopRight = LoadImage("FRAMETOPRIGHT");
    CKitResourceImage* pTopCenter = LoadImage("FRAMETOPCENTER");
    if (!pHook->IsCaptionOwnedByFrame()) {
        // The ribbon draws the caption: only the frame's top edge and corners beside it.
        if (pTopLeft != nullptr) {
            CRect rcSrc = pTopLeft->GetSource(nState, kFrameStates);
            rcSrc.right = rcSrc.left + L;
            DrawPicturePart(pDC, pTopLeft, CRect(0, 0, L, T), rcSrc, kCaptionMargins);
        }
        if (pTopRight != nullptr) {
            CRect rcSrc = pTopRight->GetSource(nState, kFrameStates);
            rcSrc.left = rcSrc.right - L;
            DrawPicturePart(pDC, pTopRight, CRect(cx - L, 0, cx, T), rcSrc, kCaptionMargins);
        }
        if (pTopCenter != nullptr) {
            CRect rcSrc = pTopCenter->GetSource(nState, kFrameStates);
            rcSrc.bottom = rcSrc.top + pHook->GetBorderWidth();
            DrawPicturePart(pDC, pTopCenter, CRect(L, 0, cx - L, pHook->GetBorderWidth()), rcSrc, CRect());
        }
        pHook->DrawRibbonFrameEdges(pDC);
    } else if (cx > 0 && T > 0) {
        CKitBufferDC dcCaption(pDC->GetSafeHdc(), CRect(0, 0, cx, T));
        const int cxLeft = pTopLeft != nullptr ? pTopLeft->GetExtent().cx : 0;
        const int cxRight = pTopRight != nullptr ? pTopRight->GetExtent().cx : 0;
        KitDrawResourceState(&dcCaption, pTopLeft, CRect(0, 0, cxLeft, T), nState, kFrameStates, kCaptionMargins);
        KitDrawResourceState(&dcCaption, pTopRight, CRect(cx - cxRight, 0, cx, T), nState, kFrameStates,
                             kCaptionMargins);
        KitDrawResourceState(&dcCaption, pTopCenter, CRect(cxLeft, 0, cx - cxRight, T), nState, kFrameStates,
                             kCaptionMargins);
        DrawCaptionContent(&dcCaption, pHook, m);
        if (bFlat)
            FillIfWide(&dcCaption, L, T - 1, cx - 2 * L, 1, GetBorderColor(3, m.bActive));
    }

    if (S > 0) {
        const int yTop = cy - B - S;
        if (!bFlat) {
            const struct {
                const char* pszName;
                CRect rcDest;
            } sides[] = {{"STATUSBARLIGHT", CRect(1, yTop, L, cy - B)},
                         {"STATUSBARDARK", CRect(cx - L, yTop, cx - 1, cy - B)}};
            for (const auto& side : sides) {
                if (CKitResourceImage* pImage = LoadImage(side.pszName))
                    DrawPicturePart(pDC, pImage, side.rcDest, CRect(0, 0, L - 1, pImage->GetExtent().cy), CRect());
            }
        } else {
            const COLORREF clr2 = GetBorderColor(2, m.bActive);
            FillIfWide(pDC, 1, yTop, L - 1, S + 1, clr2);
            FillIfWide(pDC, cx - L, yTop, L - 1, S + 1, clr2);
            if (B > 1) {
                FillIfWide(pDC, L - 1, yTop, 1, S, GetBorderColor(3, m.bActive));
                FillIfWide(pDC, cx - L, yTop, 1, S, GetBorderColor(3, m.bActive));
            }
        }
    }

    if ((S > 0 || m_bRoundedCornersAlways) && L > 3) {
        if (CKitResourceImage* pLeft = LoadImage("FRAMEBOTTOMLEFT")) {
            const CSize sz = pLeft->GetSource(nState, kFrameStates).Size();
            KitDrawResourceStateAt(pDC, pLeft, CPoint(0, cy - sz.cy), nState, kFrameStates);
        }
        if (CKitResourceImage* pRight = LoadImage("FRAMEBOTTOMRIGHT")) {
            const CSize sz = pRight->GetSource(nState, kFrameStates).Size();
            KitDrawResourceStateAt(pDC, pRight, CPoint(cx - sz.cx, cy - sz.cy), nState, kFrameStates);
        }
    }
}

void CKitFramePaintManager::DrawCaptionButton(CDC* pDC, CRect rc, int nId, BOOL bSelected, BOOL bPressed,
                                              BOOL bActive)
{
    const int nState = !bActive ? 3 : (bPressed && bSelected) ? 2 : (bPressed || bSelected) ? 1 : 0;
    const char* pszName = CaptionButtonName(nId);
    char szImage[64];

    if (bSelected || bPressed) {
        wsprintfA(szImage, "FRAMECAPTION%sBUTTON", pszName);
        CKitResourceImage* pFace = LoadImage(szImage);
        if (pFace == nullptr)
            pFace = LoadImage("FRAMECAPTIONBUTTON");
        KitDrawResourceState(pDC, pFace, rc, (bPressed && bSelected) ? 1 : 0, kFrameStates, kButtonFaceMargins);
    }

    const int nSize = rc.Width() < kSmallGlyphBelow ? kSmallGlyph
                      : rc.Width() < kMediumGlyphBelow ? kMediumGlyph
                                                        : kLargeGlyph;
    wsprintfA(szImage, "FRAMECAPTION%s%i", pszName, nSize);
    if (CKitResourceImage* pGlyph = LoadImage(szImage)) {
        const CSize sz = pGlyph->GetSource(nState, kGlyphStates).Size();
        KitDrawResourceStateAt(pDC, pGlyph, CPoint((rc.left + rc.right - sz.cx) / 2, (rc.top + rc.bottom - sz.cy) / 2),
                               nState, kGlyphStates);
    }
}

void CKitFramePaintManager::DrawCaptionText(CDC* pDC, CRect rc, CWnd* pWnd, BOOL bActive)
{
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CKitFontDC font(pDC, &m_fontFrameCaption, bActive ? m_clrFrameCaptionTextActive : m_clrFrameCaptionTextInActive);

    CString strText;
    pWnd->GetWindowText(strText);
    CString strTitle;
    if ((pWnd->GetStyle() & FWS_PREFIXTITLE) != 0) {
        if (const auto* pFrame = AfxDynamicDownCast<CFrameWnd>(pWnd))
            strTitle = pFrame->GetTitle();
    }
    const int nText = strText.GetLength();
    const int nTitle = strTitle.GetLength();
    const BOOL bSplit = nTitle > 0 && nText >= nTitle && strText.Right(nTitle) == strTitle &&
                        (pWnd->GetExStyle() & WS_EX_LAYOUTRTL) == 0;
    if (!bSplit) {
        pDC->DrawText(strText, rc, kCaptionTextFormat);
    } else {
        const CString strDocument = strText.Left(nText - nTitle);
        pDC->DrawText(strDocument, rc, kCaptionTextFormat);
        SIZE sz = {};
        ::GetTextExtentPoint32A(pDC->GetSafeHdc(), strDocument, strDocument.GetLength(), &sz);
        rc.left += sz.cx + 2;
        if (rc.left < rc.right - 5) {
            if (bActive)
                font.SetColor(m_clrFrameCaptionTextActiveTitle);
            pDC->DrawText(strTitle, rc, kCaptionTextFormat);
        }
    }
    pDC->SetBkMode(nOldMode);
}

HICON CKitFramePaintManager::GetFrameSmallIcon(HWND hWnd)
{
    if (hWnd == nullptr || !::IsWindow(hWnd))
        return nullptr;
    const DWORD dwStyle = static_cast<DWORD>(::GetWindowLongPtrA(hWnd, GWL_STYLE));
    const DWORD dwExStyle = static_cast<DWORD>(::GetWindowLongPtrA(hWnd, GWL_EXSTYLE));
    if ((dwExStyle & WS_EX_TOOLWINDOW) || !(dwStyle & WS_SYSMENU))
        return nullptr;

    auto hIcon = reinterpret_cast<HICON>(::SendMessageA(hWnd, WM_GETICON, ICON_SMALL, 0));
    if (hIcon == nullptr)
        hIcon = reinterpret_cast<HICON>(::GetClassLongPtrA(hWnd, GCLP_HICONSM));
    if (hIcon != nullptr || (dwStyle & WS_CAPTION) == WS_DLGFRAME || (dwExStyle & WS_EX_DLGMODALFRAME))
        return hIcon;

    DWORD_PTR dwResult = 0;
    if (::SendMessageTimeoutA(hWnd, WM_QUERYDRAGICON, 0, 0, SMTO_NORMAL, kQueryDragIconTimeout, &dwResult) &&
        dwResult != 0)
        return reinterpret_cast<HICON>(dwResult);
    return ::LoadIconA(nullptr, IDI_WINLOGO);
}

HICON CKitFramePaintManager::GetFrameLargeIcon(HWND hWnd)
{
    if (hWnd == nullptr || !::IsWindow(hWnd))
        return nullptr;
    auto hIcon = reinterpret_cast<HICON>(::SendMessageA(hWnd, WM_GETICON, ICON_BIG, 0));
    if (hIcon == nullptr)
        hIcon = reinterpret_cast<HICON>(::GetClassLongPtrA(hWnd, GCLP_HICON));
    return hIcon;
}
