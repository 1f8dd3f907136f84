#include "toolkit/commandbars/shadow_manager.h"

#include "framework/gdi.h"
#include "toolkit/common/color_manager.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/image_manager.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CKitShadowManager, CCmdTarget)
IMPLEMENT_DYNAMIC(CKitShadowManager::CShadowWnd, CWnd)

namespace {

constexpr LPCSTR kShadowClassName = "KitShadowWnd";
// From the popup's edge outwards: the alpha of a strip's rows (times the
// factor) and the part of the shadow colour in them.
constexpr int kStripAlpha[CKitShadowManager::kAlphaThickness] = {60, 45, 30, 15};
constexpr double kStripColor[CKitShadowManager::kAlphaThickness] = {1.0, 0.75, 0.5, 0.25};
// The end squares fade as the product of their steps: alpha 3·f·i·j, colour i·j/20.
constexpr int kEndAlphaStep = 3;
constexpr double kEndColorDivisor = 20.0;
// The full shadow's factor; the half shadow (kFlagAlways) uses 1.
constexpr int kFullFactor = 2;

DWORD ShadowPixel(COLORREF clr, int nAlpha, double dFraction)
{
    const auto channel = [dFraction](BYTE value) { return static_cast<DWORD>(value * dFraction) & 0xFF; };
    return (static_cast<DWORD>(nAlpha) << 24) | (channel(GetRValue(clr)) << 16) | (channel(GetGValue(clr)) << 8) |
           channel(GetBValue(clr));
}

} // namespace

// ---------------------------------------------------------------------------
// The manager.

CKitShadowManager::CKitShadowManager()
    : m_nClassStyle(1), m_pfnUpdateLayeredWindow(nullptr), m_bAlphaShadow(FALSE), m_nFlags(0), m_clrShadow(0)
{
    if (HMODULE hUser = ::GetModuleHandleA("USER32"))
        m_pfnUpdateLayeredWindow =
            reinterpret_cast<UpdateLayeredWindowFn>(::GetProcAddress(hUser, "UpdateLayeredWindow"));
    m_bAlphaShadow = m_pfnUpdateLayeredWindow != nullptr && !CKitDrawHelpers::IsLowResolution();
}

CKitShadowManager::~CKitShadowManager() = default;

BOOL CKitShadowManager::IsSystemShadowEnabled() const
{
    BOOL bDropShadow = FALSE;
    return ::SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &bDropShadow, 0) && bDropShadow;
}

std::vector<DWORD> CKitShadowManager::MakeShadowImage(int nKind, int cx, int cy, int nFactor, COLORREF clrShadow)
{
    std::vector<DWORD> pixels(static_cast<size_t>(std::max(cx, 0)) * static_cast<size_t>(std::max(cy, 0)), 0);
    const auto put = [&](int x, int y, int nAlpha, double dFraction) {
        pixels[static_cast<size_t>(y) * static_cast<size_t>(cx) + static_cast<size_t>(x)] =
            ShadowPixel(clrShadow, nAlpha, dFraction);
    };
    // An end square's pixel, i and j counted from its far corner (1 to 4).
    const auto putEnd = [&](int x, int y, int i, int j) {
        put(x, y, kEndAlphaStep * nFactor * i * j, i * j / kEndColorDivisor);
    };
    constexpr int t = kAlphaThickness;
    switch (nKind) {
    case kShadowRight:
        for (int y = 0; y < cy; ++y) {
            for (int x = 0; x < std::min(cx, t); ++x) {
                if (y < t)
                    putEnd(x, y, t - x, y + 1);
                else
                    put(x, y, kStripAlpha[x] * nFactor, kStripColor[x]);
            }
        }
        break;
    case kShadowBottom:
        for (int y = 0; y < std::min(cy, t); ++y) {
            for (int x = 0; x < cx; ++x) {
                if (x >= cx - t)
                    putEnd(x, y, cx - x, t - y);
                else if (x < t)
                    putEnd(x, y, x + 1, t - y);
                else
                    put(x, y, kStripAlpha[y] * nFactor, kStripColor[y]);
            }
        }
        break;
    default:
        for (int y = 0; y < cy; ++y) {
            for (int x = 0; x < cx; ++x)
                put(x, y, kStripAlpha[0] * nFactor, 1.0);
        }
        break;
    }
    return pixels;
}

void CKitShadowManager::SetShadow(CWnd* pPopup, const CRect& rcExclude, BOOL bGroup)
{
    if (pPopup == nullptr || pPopup->GetSafeHwnd() == nullptr)
        return;
    if ((m_nFlags & kFlagAlways) == 0 && (!m_bAlphaShadow || !IsSystemShadowEnabled()))
        return;
    const CRect rcPopup = WindowRectOf(pPopup);
    CreateShadow(kShadowBottom, pPopup, rcPopup, rcExclude, bGroup, FALSE);
    CreateShadow(kShadowRight, pPopup, rcPopup, rcExclude, bGroup, FALSE);
    HRGN hRegion = ::CreateRectRgn(0, 0, 0, 0);
    if (::GetWindowRgn(pPopup->GetSafeHwnd(), hRegion) == COMPLEXREGION)
        CreateShadow(kShadowCorner, pPopup, rcPopup, rcExclude, bGroup, FALSE);
    ::DeleteObject(hRegion);
}

void CKitShadowManager::SetShadowRect(const CRect& rc, CWnd* pOwner)
{
    if (pOwner == nullptr || pOwner->GetSafeHwnd() == nullptr || m_nFlags != kFlagControls)
        return;
    CreateShadow(kShadowBottom, pOwner, rc, CRect(0, 0, 0, 0), FALSE, TRUE);
    CreateShadow(kShadowRight, pOwner, rc, CRect(0, 0, 0, 0), FALSE, TRUE);
}

void CKitShadowManager::JoinStrips(int nKind, CRect& rc) const
{
    if (nKind == kShadowCorner)
        return;
    for (const CShadowWnd* pShadow : m_lstShadow) {
        if (pShadow->GetKind() == nKind || pShadow->GetKind() == kShadowCorner)
            continue;
        const CRect rcOther = WindowRectOf(pShadow);
        CRect rcCommon;
        if (!rcCommon.IntersectRect(&rc, &rcOther))
            continue;
        if (nKind == kShadowRight) {
            if (rcCommon.top == rc.top)
                rc.top = rcCommon.bottom;
            else
                rc.bottom = rcCommon.top;
        } else {
            if (rcCommon.left == rc.left)
                rc.left = rcCommon.right;
            else
                rc.right = rcCommon.left;
        }
    }
}

HRGN CKitShadowManager::MakeShadowRegion(const CShadowWnd* pShadow, const CRect& rc, const CRect& rcExclude) const
{
    HRGN hRegion = ::CreateRectRgn(0, 0, rc.Width(), rc.Height());
    BOOL bCut = FALSE;
    const auto cut = [&](CRect rcCut) {
        CRect rcCommon;
        if (!rcCommon.IntersectRect(&rcCut, &rc))
            return;
        rcCut.OffsetRect(-rc.left, -rc.top);
        HRGN hCut = ::CreateRectRgnIndirect(&rcCut);
        if (::CombineRgn(hRegion, hRegion, hCut, RGN_DIFF) != ERROR)
            bCut = TRUE;
        ::DeleteObject(hCut);
    };
    if ((m_nFlags & kFlagCutControl) != 0 && !rcExclude.IsRectEmpty())
        cut(rcExclude);
    for (const CShadowWnd* pOther : m_lstShadow) {
        if (pOther == pShadow || pOther->IsGroup() != pShadow->IsGroup())
            continue;
        if (pOther->GetOwnerWindow() == pShadow->GetOwnerWindow())
            continue;
        if (::IsWindow(pOther->GetOwnerWindow()))
            cut(WindowRectOfHandle(pOther->GetOwnerWindow()));
    }
    if (!bCut) {
        ::DeleteObject(hRegion);
        return nullptr;
    }
    return hRegion;
}

CKitShadowManager::CShadowWnd* CKitShadowManager::CreateShadow(int nKind, CWnd* pOwner, const CRect& rcOwner,
                                                               const CRect& rcExclude, BOOL bGroup, BOOL bControl)
{
    HWND hOwner = pOwner->GetSafeHwnd();
    auto* pShadow = new CShadowWnd(this, nKind, hOwner, bGroup, bControl);
    if (!pShadow->Create(::GetParent(hOwner), m_bAlphaShadow, m_nClassStyle)) {
        // A window never made sends no WM_NCDESTROY: the object goes here.
        delete pShadow;
        return nullptr;
    }

    const int t = m_bAlphaShadow ? kAlphaThickness : kPlainThickness;
    CRect rc;
    switch (nKind) {
    case kShadowRight:
        rc.SetRect(rcOwner.right, rcOwner.top + t, rcOwner.right + t, rcOwner.bottom);
        break;
    case kShadowBottom:
        rc.SetRect(rcOwner.left + t, rcOwner.bottom, rcOwner.right + t, rcOwner.bottom + t);
        break;
    default:
        rc.SetRect(rcOwner.right - 1, rcOwner.bottom - 1, rcOwner.right, rcOwner.bottom);
        break;
    }
    JoinStrips(nKind, rc);
    pShadow->SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                          SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    ::SetWindowRgn(pShadow->GetSafeHwnd(), nullptr, FALSE);
    pShadow->SetHasRegion(FALSE);
    m_lstShadow.push_back(pShadow);

    if (HRGN hRegion = MakeShadowRegion(pShadow, rc, rcExclude)) {
        ::SetWindowRgn(pShadow->GetSafeHwnd(), hRegion, FALSE);
        pShadow->SetHasRegion(TRUE);
    }

    const BOOL bTopmost = (pOwner->GetExStyle() & WS_EX_TOPMOST) != 0;
    ::SetWindowPos(pShadow->GetSafeHwnd(), bTopmost ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    CKitHookManager::Instance()->SetHook(hOwner, pShadow);
    return pShadow;
}

void CKitShadowManager::Forget(CShadowWnd* pShadow)
{
    m_lstShadow.remove(pShadow);
}

void CKitShadowManager::RemoveShadow(CWnd* pOwner)
{
    HWND hOwner = pOwner != nullptr ? pOwner->GetSafeHwnd() : nullptr;
    std::vector<CShadowWnd*> shadows;
    for (CShadowWnd* pShadow : m_lstShadow) {
        if (pShadow->GetOwnerWindow() == hOwner)
            shadows.push_back(pShadow);
    }
    for (CShadowWnd* pShadow : shadows) {
        CKitHookManager::Instance()->RemoveHook(hOwner, pShadow);
        Forget(pShadow);
        pShadow->DestroyWindow();
    }
}

void CKitShadowManager::OffsetShadow(CWnd* pOwner, CSize szOffset)
{
    HWND hOwner = pOwner != nullptr ? pOwner->GetSafeHwnd() : nullptr;
    const BOOL bRTL = hOwner != nullptr && (::GetWindowLongA(hOwner, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
    for (CShadowWnd* pShadow : m_lstShadow) {
        if (pShadow->GetOwnerWindow() != hOwner || pShadow->IsControlShadow())
            continue;
        CRect rc = WindowRectOf(pShadow);
        switch (pShadow->GetKind()) {
        case kShadowBottom:
            rc.OffsetRect(0, szOffset.cy);
            if (bRTL)
                rc.left -= szOffset.cx;
            else
                rc.right += szOffset.cx;
            break;
        case kShadowRight:
            rc.OffsetRect(szOffset.cx, 0);
            rc.bottom += szOffset.cy;
            break;
        default:
            rc.OffsetRect(szOffset.cx, szOffset.cy);
            break;
        }
        ::SetWindowRgn(pShadow->GetSafeHwnd(), nullptr, FALSE);
        pShadow->SetHasRegion(FALSE);
        pShadow->SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// ---------------------------------------------------------------------------
// One shadow window.

BEGIN_MESSAGE_MAP(CKitShadowManager::CShadowWnd, CWnd)
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CKitShadowManager::CShadowWnd::CShadowWnd(CKitShadowManager* pManager, int nKind, HWND hOwner, BOOL bGroup,
                                          BOOL bControl)
    : m_nKind(nKind), m_bHasRegion(FALSE), m_hOwner(hOwner), m_bGroup(bGroup), m_bControl(bControl),
      m_pManager(pManager)
{
    m_pManager->InternalAddRef();
}

BOOL CKitShadowManager::CShadowWnd::Create(HWND hWndParent, BOOL bLayered, int nClassStyle)
{
    const UINT nStyle = nClassStyle > 0 ? CS_SAVEBITS | CS_OWNDC : 0;
    if (!CKitDrawHelpers::RegisterWndClass(nullptr, kShadowClassName, nStyle))
        return FALSE;
    const DWORD dwExStyle = WS_EX_TOOLWINDOW | (bLayered ? WS_EX_LAYERED : 0);
    return CreateEx(dwExStyle, kShadowClassName, "", WS_POPUP, 0, 0, 0, 0, hWndParent, nullptr);
}

void CKitShadowManager::CShadowWnd::PostNcDestroy()
{
    CKitHookManager::Instance()->RemoveAll(this);
    m_pManager->Forget(this);
    CKitShadowManager* pManager = m_pManager;
    delete this;
    pManager->InternalRelease();
}

std::vector<DWORD> CKitShadowManager::CShadowWnd::GetImage() const
{
    const CRect rc = WindowRectOf(this);
    const int nFactor = (m_pManager->GetFlags() & kFlagAlways) != 0 ? 1 : kFullFactor;
    return MakeShadowImage(m_nKind, rc.Width(), rc.Height(), nFactor, m_pManager->GetShadowColor());
}

void CKitShadowManager::CShadowWnd::UpdateLayered()
{
    const CRect rc = WindowRectOf(this);
    if (rc.IsRectEmpty() || m_pManager->m_pfnUpdateLayeredWindow == nullptr)
        return;
    const std::vector<DWORD> pixels = GetImage();
    LPBYTE pBits = nullptr;
    CBitmap bitmap;
    bitmap.Attach(CKitImageManager::Create32BitDIBSection(nullptr, rc.Width(), rc.Height(), &pBits));
    if (bitmap.GetSafeHandle() == nullptr || pBits == nullptr)
        return;
    // The section's rows run bottom-up.
    auto* pRows = reinterpret_cast<DWORD*>(pBits);
    const size_t width = static_cast<size_t>(rc.Width());
    for (int y = 0; y < rc.Height(); ++y)
        std::copy_n(pixels.begin() + static_cast<std::ptrdiff_t>(y * width), width,
                    pRows + static_cast<size_t>(rc.Height() - 1 - y) * width);
    CKitCompatibleDC dc(nullptr, &bitmap);
    POINT ptDest = rc.TopLeft();
    SIZE size = {rc.Width(), rc.Height()};
    POINT ptSource = {0, 0};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    m_pManager->m_pfnUpdateLayeredWindow(m_hWnd, nullptr, &ptDest, &size, dc.GetSafeHdc(), &ptSource, 0, &blend,
                                         ULW_ALPHA);
}

void CKitShadowManager::CShadowWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (m_pManager->IsAlphaSupported())
        UpdateLayered();
}

BOOL CKitShadowManager::CShadowWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CKitShadowManager::CShadowWnd::OnPaint()
{
    CPaintDC dc(this);
    if (m_pManager->IsAlphaSupported())
        return;
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, CKitColorManager::Instance()->GetColor(COLOR_BTNSHADOW));
}

int CKitShadowManager::CShadowWnd::OnHookMessage(HWND, UINT nMessage, WPARAM& wParam, LPARAM&, LRESULT&)
{
    switch (nMessage) {
    case WM_SHOWWINDOW:
        if (wParam == FALSE)
            ShowWindow(SW_HIDE);
        else
            ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        break;
    case WM_DESTROY:
        // The owner goes: so does the shadow (this object is deleted with its window).
        CKitHookManager::Instance()->RemoveHook(m_hOwner, this);
        m_pManager->Forget(this);
        DestroyWindow();
        break;
    default:
        break;
    }
    return kNotHandled;
}
