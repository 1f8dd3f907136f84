#include "toolkit/common/tooltip_context.h"

#include "toolkit/common/color_manager.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/common/monitor_helper.h"
#include "toolkit/common/resource_images.h"
#include "toolkit/common/resources.h"
#include "toolkit/common/system.h"
#include "toolkit/common/tooltip_html.h"
#include "toolkit/common/tooltip_styles.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

IMPLEMENT_DYNAMIC(CKitToolTipContextToolTip, CWnd)
IMPLEMENT_DYNAMIC(CKitToolTipContext, CCmdTarget)

namespace {

constexpr LPCSTR kToolTipClass = "KitToolTip";
constexpr LPCSTR kToolTipShadowClass = "KitToolTipShadow";
constexpr UINT kToolTipClassStyle = CS_SAVEBITS | CS_OWNDC;
// Tool flags are cut to these bits when registered; bit 30 shows the tip even in an inactive window.
constexpr UINT kToolFlagsMask = 0x3FFFFFFF;
constexpr UINT kToolFlagShowInactive = 0x40000000;
// The distance below the cursor's hot spot when the cursor image cannot be read.
constexpr int kDefaultCursorDrop = 21;
// A tip keeps this far from the work area's right and bottom edges.
constexpr int kWorkAreaGap = 4;
// Icons this high or more sit beside the text rather than the title.
constexpr int kLargeIconHeight = 17;
constexpr int kToolTextLength = 80;
constexpr int kColorInfoText = 23;
constexpr int kColorInfoBack = 24;
constexpr COLORREF kResourceLookText = 0x4C4C4C;

DWORD DefaultTickCount()
{
    return ::GetTickCount();
}

CKitToolTipContextToolTip::TickCountFn g_pfnTickCount = DefaultTickCount;

bool IsMouseMessage(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

bool IsButtonPress(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
        return true;
    default:
        return false;
    }
}

bool IsFilteredMessage(UINT message)
{
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        return true;
    default:
        return false;
    }
}

bool IsMouseButtonDown()
{
    return ::GetKeyState(VK_LBUTTON) < 0 || ::GetKeyState(VK_RBUTTON) < 0 || ::GetKeyState(VK_MBUTTON) < 0;
}

LPSTR HeapCopy(LPCSTR lpszText)
{
    if (lpszText == nullptr || lpszText == LPSTR_TEXTCALLBACKA)
        return const_cast<LPSTR>(lpszText);
    const size_t nLength = std::strlen(lpszText) + 1;
    auto* pCopy = static_cast<LPSTR>(std::malloc(nLength));
    if (pCopy != nullptr)
        std::memcpy(pCopy, lpszText, nLength);
    return pCopy;
}

void FreeHeapText(LPSTR& lpszText)
{
    if (lpszText != LPSTR_TEXTCALLBACKA)
        std::free(lpszText);
    lpszText = nullptr;
}

// The rows from the hot spot down to the lowest visible row of the cursor's image.
int CursorDrop()
{
    HCURSOR hCursor = ::GetCursor();
    ICONINFO info = {};
    if (hCursor == nullptr || !::GetIconInfo(hCursor, &info))
        return kDefaultCursorDrop;
    int nDrop = kDefaultCursorDrop;
    CSize szMask;
    const std::vector<DWORD> bits = CKitImageManager::Read32BitPixels(info.hbmMask, szMask);
    // A monochrome cursor's mask holds the AND rows above the XOR rows.
    const bool bMonochrome = info.hbmColor == nullptr;
    const int nHeight = bMonochrome ? szMask.cy / 2 : szMask.cy;
    for (int y = nHeight - 1; y >= 0 && !bits.empty(); --y) {
        bool bVisible = false;
        for (int x = 0; x < szMask.cx && !bVisible; ++x) {
            const DWORD andBit = bits[static_cast<size_t>(y) * szMask.cx + x] & 0xFFFFFF;
            const DWORD xorBit = bMonochrome ? bits[static_cast<size_t>(y + nHeight) * szMask.cx + x] & 0xFFFFFF : 0;
            bVisible = andBit == 0 || xorBit != 0;
        }
        if (bVisible) {
            nDrop = y + 1 - static_cast<int>(info.yHotspot);
            break;
        }
    }
    if (info.hbmMask != nullptr)
        ::DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr)
        ::DeleteObject(info.hbmColor);
    return nDrop;
}

// The icon of a system tooltip title: TTI_INFO, TTI_WARNING, TTI_ERROR, or an icon handle.
HICON TitleIconFromParam(WPARAM wParam, BOOL& bOwned)
{
    bOwned = FALSE;
    switch (wParam) {
    case TTI_NONE: return nullptr;
    case TTI_INFO: return static_cast<HICON>(::LoadImageA(nullptr, MAKEINTRESOURCEA(32516), IMAGE_ICON, 16, 16, LR_SHARED));
    case TTI_WARNING: return static_cast<HICON>(::LoadImageA(nullptr, MAKEINTRESOURCEA(32515), IMAGE_ICON, 16, 16, LR_SHARED));
    case TTI_ERROR: return static_cast<HICON>(::LoadImageA(nullptr, MAKEINTRESOURCEA(32513), IMAGE_ICON, 16, 16, LR_SHARED));
    default: break;
    }
    HICON hCopy = ::CopyIcon(reinterpret_cast<HICON>(wParam));
    bOwned = hCopy != nullptr;
    return hCopy;
}

// The one thread's mouse hook of a shown tip.
thread_local HHOOK t_hMouseHook = nullptr;
thread_local CKitToolTipContextToolTip* t_pHookToolTip = nullptr;

} // namespace

// A mouse move over a window other than the shown tool's is relayed, so that the tip goes.
LRESULT CALLBACK KitToolTipMouseHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION && wParam == WM_MOUSEMOVE && t_pHookToolTip != nullptr) {
        const auto* pInfo = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        if (pInfo->hwnd != t_pHookToolTip->m_toolShown.hwnd) {
            MSG msg = {pInfo->hwnd, WM_MOUSEMOVE, 0, 0, 0, pInfo->pt};
            POINT client = pInfo->pt;
            ::ScreenToClient(pInfo->hwnd, &client);
            msg.lParam = MAKELPARAM(client.x, client.y);
            t_pHookToolTip->RelayEvent(&msg);
        }
    }
    return ::CallNextHookEx(t_hMouseHook, nCode, wParam, lParam);
}

// ---------------------------------------------------------------------------
// The own tooltip window.

CKitToolTipContextToolTip::CKitToolTipContextToolTip(CKitToolTipContext* pContext)
    : m_pContext(pContext), m_bActive(FALSE), m_hTitleIcon(nullptr), m_bTitleIconOwned(FALSE), m_bRegionSet(FALSE),
      m_nTimerInitial(0), m_nTimerAutoPop(0), m_dwLastShowHide(0), m_nInitialDelay(kDefaultInitialDelay),
      m_nReshowDelay(kDefaultReshowDelay), m_nAutoPopDelay(0)
{
}

CKitToolTipContextToolTip::~CKitToolTipContextToolTip()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    SetTitleIcon(nullptr, FALSE);
}

void CKitToolTipContextToolTip::SetTickCountFunction(TickCountFn pfn)
{
    g_pfnTickCount = pfn != nullptr ? pfn : DefaultTickCount;
}

BOOL CKitToolTipContextToolTip::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    const BOOL bShadow = (dwStyle & CKitToolTipContext::kOptionNoShadow) == 0 && CKitOsVersion::Instance()->IsWinXPOrGreater();
    LPCSTR lpszClass = bShadow ? kToolTipShadowClass : kToolTipClass;
    if (!CKitDrawHelpers::RegisterWndClass(nullptr, lpszClass, kToolTipClassStyle | (bShadow ? CS_DROPSHADOW : 0)))
        return FALSE;
    return CreateEx(WS_EX_TOOLWINDOW, lpszClass, nullptr, WS_POPUP | dwStyle | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0,
                    0, pParentWnd != nullptr ? pParentWnd->GetSafeHwnd() : nullptr, nullptr);
}

void CKitToolTipContextToolTip::SetTitleIcon(HICON hIcon, BOOL bOwned)
{
    if (m_bTitleIconOwned && m_hTitleIcon != nullptr)
        ::DestroyIcon(m_hTitleIcon);
    m_hTitleIcon = hIcon;
    m_bTitleIconOwned = bOwned;
}

TOOLITEM* CKitToolTipContextToolTip::FindTool(const TOOLINFOA* pTI)
{
    for (auto& pTool : m_tools) {
        if (pTool->hwnd == pTI->hwnd && pTool->uId == pTI->uId)
            return pTool.get();
    }
    return nullptr;
}

void CKitToolTipContextToolTip::AddTool(const TOOLINFOA* pTI)
{
    auto pTool = std::make_unique<TOOLITEM>();
    pTool->uFlags = pTI->uFlags;
    pTool->rect = pTI->rect;
    pTool->hinst = pTI->hinst;
    pTool->hwnd = pTI->hwnd;
    pTool->uId = pTI->uId;
    if (pTI->lpszText == LPSTR_TEXTCALLBACKA)
        pTool->bTextCallback = TRUE;
    else if (pTI->lpszText != nullptr)
        pTool->strText = pTI->lpszText;
    if (pTI->cbSize >= TTTOOLINFOA_V2_SIZE && pTI->lParam != 0)
        pTool->rcExclude = reinterpret_cast<const KIT_TOOLINFO_EXTRA*>(pTI->lParam)->rcExclude;
    m_tools.push_back(std::move(pTool));
}

void CKitToolTipContextToolTip::DeleteTool(const TOOLINFOA* pTI)
{
    TOOLITEM* pTool = FindTool(pTI);
    if (pTool == nullptr)
        return;
    m_tools.erase(std::find_if(m_tools.begin(), m_tools.end(),
                               [pTool](const std::unique_ptr<TOOLITEM>& p) { return p.get() == pTool; }));
}

void CKitToolTipContextToolTip::Activate(BOOL bActivate)
{
    m_bActive = bActivate;
    if (!bActivate)
        Hide();
}

// The first tool whose rectangle holds the cursor and whose window is the window under it.
TOOLITEM* CKitToolTipContextToolTip::ToolUnderCursor()
{
    if (IsMouseButtonDown())
        return nullptr;
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    const HWND hwndPoint = CKitToolTipContext::WindowFromPoint(cursor);
    for (auto& pTool : m_tools) {
        if (!::IsWindow(pTool->hwnd))
            continue;
        CRect rc;
        if (pTool->uFlags & TTF_IDISHWND) {
            ::GetWindowRect(reinterpret_cast<HWND>(pTool->uId), &rc);
        } else {
            rc = pTool->rect;
            ::MapWindowPoints(pTool->hwnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
        }
        if (!rc.PtInRect(cursor))
            continue;
        if ((pTool->uFlags & TTF_IDISHWND) || pTool->hwnd == hwndPoint)
            return pTool.get();
    }
    return nullptr;
}

void CKitToolTipContextToolTip::RelayEvent(const MSG* pMsg)
{
    if (!m_bActive || pMsg == nullptr || !IsMouseMessage(pMsg->message))
        return;
    TOOLITEM* pTool = ToolUnderCursor();
    if (pMsg->message == WM_LBUTTONDOWN || pMsg->message == WM_NCLBUTTONDOWN) {
        if (pTool != nullptr)
            m_toolClicked = *pTool;
        pTool = nullptr;
    }
    if (pTool != nullptr && !m_toolClicked.IsNone()) {
        if (pTool->IsSameTool(m_toolClicked))
            pTool = nullptr;
        else
            m_toolClicked = TOOLITEM();
    }
    if (m_nTimerInitial != 0) {
        if (pTool == nullptr && m_toolPending.IsNone()) {
            Hide();
        } else if (pTool == nullptr || !pTool->IsSameTool(m_toolPending)) {
            KillTimer(m_nTimerInitial);
            m_nTimerInitial = 0;
            m_toolPending = TOOLITEM();
        }
    }
    if (pTool == nullptr) {
        Hide();
        return;
    }
    if (!m_toolShown.IsNone() && pTool->IsSameTool(m_toolShown))
        return;
    const DWORD dwElapsed = g_pfnTickCount() - m_dwLastShowHide;
    if (dwElapsed >= static_cast<DWORD>(m_nReshowDelay)) {
        if (m_toolPending.IsNone() || !pTool->IsSameTool(m_toolPending)) {
            m_toolPending = *pTool;
            m_nTimerInitial = SetTimer(kTimerInitial, static_cast<UINT>(m_nInitialDelay));
        }
    } else {
        ShowTool(pTool);
    }
}

void CKitToolTipContextToolTip::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kTimerInitial) {
        TOOLITEM* pTool = ToolUnderCursor();
        if (pTool != nullptr && pTool->IsSameTool(m_toolPending))
            ShowTool(pTool);
        KillTimer(kTimerInitial);
        m_nTimerInitial = 0;
        m_toolPending = TOOLITEM();
    } else if (nIDEvent == kTimerAutoPop) {
        Activate(FALSE);
    }
}

void CKitToolTipContextToolTip::Hide()
{
    ShowTool(nullptr);
}

void CKitToolTipContextToolTip::InstallMouseHook(BOOL bInstall)
{
    if (bInstall) {
        if (t_hMouseHook != nullptr)
            return;
        t_hMouseHook = ::SetWindowsHookExA(WH_MOUSE, KitToolTipMouseHook, nullptr, ::GetCurrentThreadId());
        t_pHookToolTip = this;
    } else if (t_pHookToolTip == this) {
        if (t_hMouseHook != nullptr)
            ::UnhookWindowsHookEx(t_hMouseHook);
        t_hMouseHook = nullptr;
        t_pHookToolTip = nullptr;
    }
}

void CKitToolTipContextToolTip::ShowTool(TOOLITEM* pTool)
{
    if (pTool != nullptr && !m_toolShown.IsNone() && pTool->IsSameTool(m_toolShown))
        return;
    CSize size(0, 0);
    if (pTool != nullptr) {
        CClientDC dc(this);
        size = CalcSize(&dc, pTool);
    }
    if (size.cx == 0 || size.cy == 0)
        pTool = nullptr;
    if (pTool == nullptr && m_toolShown.IsNone()) {
        if (m_nTimerInitial == 0)
            m_toolPending = TOOLITEM();
        return;
    }

    ShowWindow(SW_HIDE);
    if (m_bRegionSet) {
        ::SetWindowRgn(m_hWnd, nullptr, FALSE);
        m_bRegionSet = FALSE;
    }
    if (pTool == nullptr) {
        InstallMouseHook(FALSE);
        m_toolPending = TOOLITEM();
        if (m_nTimerAutoPop != 0) {
            KillTimer(m_nTimerAutoPop);
            m_nTimerAutoPop = 0;
        }
        m_toolShown = TOOLITEM();
        m_dwLastShowHide = g_pfnTickCount();
        OnVisibilityChanged(FALSE);
        return;
    }

    POINT cursor = {};
    ::GetCursorPos(&cursor);
    CPoint pt;
    if (pTool->rcExclude.IsRectEmpty()) {
        pt = CPoint(cursor.x, cursor.y + CursorDrop());
        if (::GetWindowLongA(pTool->hwnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL)
            pt.x -= size.cx;
    } else {
        POINT corner = {pTool->rect.left, pTool->rcExclude.bottom};
        ::ClientToScreen(pTool->hwnd, &corner);
        pt = corner;
    }
    const CRect rcWork = CKitMonitorHelper::Instance()->GetWorkAreaFromPoint(cursor);
    if (pt.x + size.cx > rcWork.right - kWorkAreaGap)
        pt.x = rcWork.right - kWorkAreaGap - size.cx;
    if (pt.x < rcWork.left)
        pt.x = rcWork.left;
    if (pt.y + size.cy > rcWork.bottom - kWorkAreaGap)
        pt.y = cursor.y - size.cy - 3;

    // Remembered first: the window paints the shown tool.
    m_toolShown = *pTool;
    ::SetWindowPos(m_hWnd, HWND_TOP, pt.x, pt.y, size.cx, size.cy, SWP_NOACTIVATE);
    NMHDR hdr = {m_hWnd, pTool->uId, static_cast<UINT>(TTN_SHOW)};
    ::SendMessageA(pTool->hwnd, WM_NOTIFY, pTool->uId, reinterpret_cast<LPARAM>(&hdr));
    if (GetStyle() & CKitToolTipContext::kOptionResourceLook) {
        // The window less its four corner pixels.
        HRGN hRegion = ::CreateRectRgn(0, 0, size.cx, size.cy);
        const POINT corners[4] = {{0, 0}, {size.cx - 1, 0}, {0, size.cy - 1}, {size.cx - 1, size.cy - 1}};
        for (const POINT& corner : corners) {
            HRGN hCorner = ::CreateRectRgn(corner.x, corner.y, corner.x + 1, corner.y + 1);
            ::CombineRgn(hRegion, hRegion, hCorner, RGN_DIFF);
            ::DeleteObject(hCorner);
        }
        ::SetWindowRgn(m_hWnd, hRegion, FALSE);
        m_bRegionSet = TRUE;
    }
    ShowWindow(SW_SHOWNOACTIVATE);
    Invalidate();
    UpdateWindow();
    InstallMouseHook(TRUE);
    m_toolClicked = TOOLITEM();
    if (m_nAutoPopDelay > 0)
        m_nTimerAutoPop = SetTimer(kTimerAutoPop, static_cast<UINT>(m_nAutoPopDelay));
    m_dwLastShowHide = g_pfnTickCount();
    OnVisibilityChanged(TRUE);
}

CString CKitToolTipContextToolTip::GetToolText(TOOLITEM* pTool)
{
    if (!pTool->bTextCallback)
        return pTool->strText;
    NMTTDISPINFOA info = {};
    info.hdr.hwndFrom = m_hWnd;
    info.hdr.idFrom = pTool->uId;
    info.hdr.code = TTN_GETDISPINFOA;
    info.lpszText = info.szText;
    info.hinst = pTool->hinst;
    ::SendMessageA(pTool->hwnd, WM_NOTIFY, pTool->uId, reinterpret_cast<LPARAM>(&info));
    CString strText;
    if (info.lpszText != nullptr && reinterpret_cast<UINT_PTR>(info.lpszText) < 0x10000)
        CKitResourceManager::Instance()->LoadString(strText, static_cast<UINT>(reinterpret_cast<UINT_PTR>(info.lpszText)));
    else if (info.lpszText != nullptr)
        strText = info.lpszText;
    if ((m_pContext->GetToolTipStyle() & TTS_NOPREFIX) == 0)
        CKitDrawHelpers::StripMnemonics(strText);
    // Asked once while the tool stays registered.
    for (auto& pItem : m_tools) {
        if (pItem->IsSameTool(*pTool)) {
            pItem->strText = strText;
            pItem->bTextCallback = FALSE;
        }
    }
    pTool->strText = strText;
    pTool->bTextCallback = FALSE;
    return strText;
}

CSize CKitToolTipContextToolTip::GetExtra() const
{
    const CRect& rcMargin = m_pContext->GetMargin();
    return CSize(rcMargin.left + rcMargin.right + 6, rcMargin.top + rcMargin.bottom + 6);
}

CSize CKitToolTipContextToolTip::CalcSize(CDC* pDC, TOOLITEM* pTool)
{
    return CalcPlainSize(pDC, pTool);
}

CSize CKitToolTipContextToolTip::CalcPlainSize(CDC* pDC, TOOLITEM* pTool)
{
    const CString strText = GetToolText(pTool);
    if (strText.IsEmpty())
        return CSize(0, 0);
    int nMaxWidth = m_pContext->GetMaxTipWidth();
    if (nMaxWidth <= 0)
        nMaxWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const CSize szExtra = GetExtra();

    CSize szTitle(0, 0);
    if (!m_strTitle.IsEmpty()) {
        CFont* pOld = pDC->SelectObject(m_pContext->GetBoldFont());
        CRect rcTitle(0, 0, 0, 0);
        pDC->DrawText(m_strTitle, &rcTitle, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        pDC->SelectObject(pOld);
        szTitle = CSize(rcTitle.Width() + 4, rcTitle.Height() + 20);
    }
    const CSize szIcon = CKitImageManagerIcon::GetIconSize(m_hTitleIcon);
    int nIconPart = 0;
    if (m_hTitleIcon != nullptr) {
        if (szIcon.cy >= kLargeIconHeight)
            nIconPart = szIcon.cx + 5;
        else if (m_strTitle.IsEmpty())
            nIconPart = szIcon.cx + 3;
        else
            szTitle.cx += szIcon.cx + 1;
    }

    int nTextWidth = nMaxWidth - szExtra.cx;
    if (!m_strTitle.IsEmpty())
        nTextWidth = std::max(nTextWidth, static_cast<int>(szTitle.cx)) - 25;
    CFont* pOld = pDC->SelectObject(m_pContext->GetFont());
    CRect rcText(0, 0, std::max(nTextWidth, 1), 0);
    pDC->DrawText(strText, &rcText, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    pDC->SelectObject(pOld);

    int nWidth = rcText.Width() + nIconPart;
    if (!m_strTitle.IsEmpty())
        nWidth = std::max(nWidth + 25, static_cast<int>(szTitle.cx));
    int nHeight = std::max(static_cast<int>(rcText.Height()), nIconPart != 0 ? static_cast<int>(szIcon.cy) : 0);
    if (!m_strTitle.IsEmpty())
        nHeight += szTitle.cy;
    return CSize(nWidth + szExtra.cx, nHeight + szExtra.cy);
}

void CKitToolTipContextToolTip::DrawContent(CDC* pDC, TOOLITEM* pTool, CRect rc)
{
    DrawPlainContent(pDC, pTool, rc);
}

void CKitToolTipContextToolTip::DrawPlainContent(CDC* pDC, TOOLITEM* pTool, CRect rc)
{
    const CRect& rcMargin = m_pContext->GetMargin();
    rc.DeflateRect(rcMargin.left + 3, rcMargin.top + 3, rcMargin.right + 3, rcMargin.bottom + 3);
    const BOOL bRTL = (::GetWindowLongA(pTool->hwnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
    UINT nFormat = DT_NOPREFIX | DT_EXPANDTABS;
    if (bRTL)
        nFormat |= DT_RIGHT | DT_RTLREADING;
    const CSize szIcon = CKitImageManagerIcon::GetIconSize(m_hTitleIcon);
    const BOOL bSmallIcon = m_hTitleIcon != nullptr && szIcon.cy < kLargeIconHeight;
    const BOOL bTitle = !m_strTitle.IsEmpty();
    if (bSmallIcon) {
        const int x = bRTL ? rc.right - szIcon.cx : rc.left;
        ::DrawIconEx(*pDC, x, rc.top, m_hTitleIcon, szIcon.cx, szIcon.cy, 0, nullptr, DI_NORMAL);
        const int nIndent = szIcon.cx + (bTitle ? 1 : 3);
        if (bTitle) {
            // Only the title moves aside for a small icon.
        } else if (bRTL) {
            rc.right -= nIndent;
        } else {
            rc.left += nIndent;
        }
    }
    if (bTitle) {
        CRect rcTitle = rc;
        if (bSmallIcon) {
            if (bRTL)
                rcTitle.right -= szIcon.cx + 1;
            else
                rcTitle.left += szIcon.cx + 1;
        }
        CFont* pOld = pDC->SelectObject(m_pContext->GetBoldFont());
        CRect rcMeasure(0, 0, 0, 0);
        pDC->DrawText(m_strTitle, &rcMeasure, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        pDC->DrawText(m_strTitle, &rcTitle, nFormat | DT_SINGLELINE);
        pDC->SelectObject(pOld);
        rc.top += rcMeasure.Height() + 12;
        if (bRTL) {
            rc.right -= 10;
            rc.left += 15;
        } else {
            rc.left += 10;
            rc.right -= 15;
        }
    }
    if (m_hTitleIcon != nullptr && !bSmallIcon) {
        const int x = bRTL ? rc.right - szIcon.cx : rc.left;
        ::DrawIconEx(*pDC, x, rc.top, m_hTitleIcon, szIcon.cx, szIcon.cy, 0, nullptr, DI_NORMAL);
        if (bRTL)
            rc.right -= szIcon.cx + 5;
        else
            rc.left += szIcon.cx + 5;
    }
    pDC->DrawText(GetToolText(pTool), &rc, nFormat | DT_WORDBREAK);
}

void CKitToolTipContextToolTip::DrawBackground(CDC* pDC, CRect rc)
{
    m_pContext->DrawBackground(pDC, rc);
}

void CKitToolTipContextToolTip::OnVisibilityChanged(BOOL)
{
}

void CKitToolTipContextToolTip::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    DrawBackground(&dc, rc);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_pContext->GetTipTextColor());
    CFont* pOld = dc.SelectObject(m_pContext->GetFont());
    if (!m_toolShown.IsNone()) {
        TOOLITEM* pTool = nullptr;
        for (auto& pItem : m_tools) {
            if (pItem->IsSameTool(m_toolShown))
                pTool = pItem.get();
        }
        DrawContent(&dc, pTool != nullptr ? pTool : &m_toolShown, rc);
    }
    dc.SelectObject(pOld);
}

void CKitToolTipContextToolTip::OnDestroy()
{
    m_toolShown = m_toolClicked = m_toolPending = TOOLITEM();
    m_tools.clear();
    m_strTitle.Empty();
    SetTitleIcon(nullptr, FALSE);
    m_bActive = FALSE;
    InstallMouseHook(FALSE);
}

LRESULT CKitToolTipContextToolTip::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case TTM_ADDTOOLA:
        AddTool(reinterpret_cast<const TOOLINFOA*>(lParam));
        return TRUE;
    case TTM_DELTOOLA:
        DeleteTool(reinterpret_cast<const TOOLINFOA*>(lParam));
        return 0;
    case TTM_ACTIVATE:
        Activate(static_cast<BOOL>(wParam));
        return 0;
    case TTM_RELAYEVENT:
        RelayEvent(reinterpret_cast<const MSG*>(lParam));
        return 0;
    case TTM_SETTITLEA: {
        m_strTitle = lParam != 0 ? reinterpret_cast<LPCSTR>(lParam) : "";
        BOOL bOwned = FALSE;
        HICON hIcon = TitleIconFromParam(wParam, bOwned);
        SetTitleIcon(hIcon, bOwned);
        return TRUE;
    }
    case TTM_UPDATETIPTEXTA: {
        const auto* pTI = reinterpret_cast<const TOOLINFOA*>(lParam);
        if (TOOLITEM* pTool = FindTool(pTI)) {
            pTool->bTextCallback = pTI->lpszText == LPSTR_TEXTCALLBACKA;
            pTool->strText = pTool->bTextCallback || pTI->lpszText == nullptr ? "" : pTI->lpszText;
        }
        return 0;
    }
    case TTM_SETDELAYTIME: {
        const int nTime = static_cast<short>(LOWORD(lParam));
        switch (wParam) {
        case TTDT_RESHOW: m_nReshowDelay = nTime < 0 ? kDefaultReshowDelay : nTime; break;
        case TTDT_AUTOPOP: m_nAutoPopDelay = nTime < 0 ? 0 : nTime; break;
        case TTDT_INITIAL: m_nInitialDelay = nTime < 0 ? kDefaultInitialDelay : nTime; break;
        default: break;
        }
        return 0;
    }
    case TTM_WINDOWFROMPOINT:
        return reinterpret_cast<LRESULT>(CKitToolTipContext::WindowFromPoint(*reinterpret_cast<const POINT*>(lParam)));
    case CKitToolTipContext::kMsgSetTitleIcon: {
        SetTitleIcon(lParam != 0 ? ::CopyIcon(reinterpret_cast<HICON>(lParam)) : nullptr, lParam != 0);
        return 0;
    }
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_MOUSEMOVE:
        Hide();
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_DESTROY:
        OnDestroy();
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

// ---------------------------------------------------------------------------
// The context.

CKitToolTipContext::CKitToolTipContext()
    : m_bShowTitleAndDescription(FALSE), m_bShowImage(FALSE), m_nImageWidth(1), m_nImageBase(0), m_nStyle(0),
      m_dwComCtlVersion(::GetComCtlVersion()), m_nTitleIcon(TTI_INFO),
      m_nMaxTipWidth(::GetSystemMetrics(SM_CXSCREEN) / 2), m_dwOptions(TTS_NOPREFIX), m_rcMargin(0, 0, 0, 0),
      m_nDelayInitial(-1), m_nDelayReshow(-1), m_nDelayAutoPop(-1), m_hwndToolTipOwner(nullptr), m_lastTool(),
      m_clrBack(static_cast<COLORREF>(-1)), m_clrText(static_cast<COLORREF>(-1)), m_bStripDots(TRUE)
{
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = sizeof(ncm);
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    LOGFONTA lf = ncm.lfStatusFont;
    lf.lfCharSet = CKitResourceManager::Instance()->GetFontCharset();
    lf.lfWeight = FW_NORMAL;
    m_font.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_fontBold.CreateFontIndirect(&lf);
}

CKitToolTipContext::~CKitToolTipContext()
{
    DestroyToolTip();
}

void CKitToolTipContext::DestroyToolTip()
{
    if (m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr)
        m_pToolTip->DestroyWindow();
    m_pToolTip.reset();
    m_hwndToolTipOwner = nullptr;
    std::memset(&m_lastTool, 0, sizeof(m_lastTool));
}

void CKitToolTipContext::SetStyle(int nStyle)
{
    if (nStyle == m_nStyle)
        return;
    if (nStyle == kStyleBalloon && m_dwComCtlVersion < kBalloonComCtlVersion)
        return;
    m_nStyle = nStyle;
    DestroyToolTip();
    if (nStyle == kStyleOffice)
        m_dwOptions |= kOptionFrame3D | kOptionNoShadow;
    else
        m_dwOptions &= ~(kOptionFrame3D | kOptionNoShadow);
    if (nStyle == kStyleResource)
        m_dwOptions |= kOptionResourceLook;
    else
        m_dwOptions &= ~kOptionResourceLook;
}

void CKitToolTipContext::ModifyToolTipStyle(DWORD dwRemove, DWORD dwAdd)
{
    const DWORD dwOptions = (m_dwOptions & ~dwRemove) | dwAdd;
    if (dwOptions == m_dwOptions)
        return;
    m_dwOptions = dwOptions;
    DestroyToolTip();
}

void CKitToolTipContext::ShowTitleAndDescription(BOOL bShow, int nTitleIcon)
{
    m_bShowTitleAndDescription = bShow;
    m_nTitleIcon = nTitleIcon;
}

void CKitToolTipContext::ShowImage(BOOL bShow, int nImageBase, int nImageWidth)
{
    m_bShowImage = bShow;
    m_nImageBase = nImageBase;
    m_nImageWidth = nImageWidth;
}

void CKitToolTipContext::SetDelayTime(DWORD nWhich, int nTime)
{
    switch (nWhich) {
    case TTDT_INITIAL: m_nDelayInitial = nTime; break;
    case TTDT_RESHOW: m_nDelayReshow = nTime; break;
    case TTDT_AUTOPOP: m_nDelayAutoPop = nTime; break;
    default: break;
    }
    if (m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr)
        m_pToolTip->SendMessage(TTM_SETDELAYTIME, nWhich, MAKELPARAM(nTime, 0));
}

COLORREF CKitToolTipContext::GetTipBkColor() const
{
    return m_clrBack != static_cast<COLORREF>(-1) ? m_clrBack : CKitColorManager::Instance()->GetColor(kColorInfoBack);
}

COLORREF CKitToolTipContext::GetTipTextColor() const
{
    if (m_clrText != static_cast<COLORREF>(-1))
        return m_clrText;
    if (m_dwOptions & kOptionResourceLook)
        return kResourceLookText;
    return CKitColorManager::Instance()->GetColor(kColorInfoText);
}

void CKitToolTipContext::StripTrailingDots(CString& strText)
{
    const int nLength = strText.GetLength();
    if (nLength >= 4 && strText.Right(3) == "...")
        strText = strText.Left(nLength - 3);
}

HWND CKitToolTipContext::WindowFromPoint(POINT point)
{
    HWND hWnd = ::WindowFromPoint(point);
    if (hWnd != nullptr && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) &&
        ::SendMessageA(hWnd, kMsgParentStandsForChild, 0, 0) == 1)
        hWnd = ::GetParent(hWnd);
    return hWnd;
}

void CKitToolTipContext::FillInToolInfo(TOOLINFOA* pTI, HWND hWnd, const CRect& rc, INT_PTR nID, LPCSTR lpszText)
{
    if (pTI == nullptr || pTI->cbSize < TTTOOLINFOA_V1_SIZE)
        return;
    pTI->hwnd = hWnd;
    pTI->rect = rc;
    pTI->uId = static_cast<UINT_PTR>(nID);
    pTI->lpszText = HeapCopy(lpszText);
}

void CKitToolTipContext::FillInToolInfoEx(TOOLINFOA* pTI, HWND hWnd, const CRect& rc, INT_PTR nID, LPCSTR lpszText,
                                          LPCSTR lpszTitle, LPCSTR lpszDescription, CKitImageManager* pImageManager)
{
    FillInToolInfo(pTI, hWnd, rc, nID, lpszText);
    if (pTI == nullptr || pTI->cbSize != TTTOOLINFOA_V2_SIZE || pTI->lParam == 0)
        return;
    auto* pExtra = reinterpret_cast<KIT_TOOLINFO_EXTRA*>(pTI->lParam);
    if (lpszTitle != nullptr && *lpszTitle != '\0' && lpszDescription != nullptr && *lpszDescription != '\0') {
        pExtra->lpszTitle = HeapCopy(lpszTitle);
        pExtra->lpszDescription = HeapCopy(lpszDescription);
    }
    pExtra->pImageManager = pImageManager;
}

void CKitToolTipContext::FreeToolTexts(TOOLINFOA& ti, KIT_TOOLINFO_EXTRA* pExtra)
{
    FreeHeapText(ti.lpszText);
    if (pExtra != nullptr) {
        FreeHeapText(pExtra->lpszTitle);
        FreeHeapText(pExtra->lpszDescription);
    }
}

CWnd* CKitToolTipContext::CreateToolTip(CWnd* pOwner)
{
    const DWORD dwStyle = m_dwOptions & 0xFFFF;
    switch (m_nStyle) {
    case kStyleOffice:
    case kStyleResource: {
        auto* pToolTip = new CKitToolTipContextToolTip(this);
        if (!pToolTip->Create(pOwner, m_dwOptions)) {
            delete pToolTip;
            return nullptr;
        }
        return pToolTip;
    }
    case kStyleRichEdit:
    case kStyleLuna:
    case kStyleHtml:
    case kStyleMarkup: {
        CKitToolTipContextToolTip* pToolTip = nullptr;
        if (m_nStyle == kStyleRichEdit)
            pToolTip = new CRichEditToolTip(this);
        else if (m_nStyle == kStyleLuna)
            pToolTip = new CLunaToolTip(this);
        else if (m_nStyle == kStyleHtml)
            pToolTip = new CHTMLToolTip(this);
        else
            pToolTip = new CMarkupToolTip(this);
        if (!pToolTip->Create(pOwner, m_dwOptions)) {
            delete pToolTip;
            return nullptr;
        }
        return pToolTip;
    }
    default: {
        auto* pToolTip = new CStandardToolTip();
        DWORD dwSystemStyle = dwStyle | TTS_ALWAYSTIP | TTS_NOPREFIX;
        if (m_nStyle == kStyleBalloon)
            dwSystemStyle |= TTS_BALLOON;
        if (!pToolTip->Create(pOwner, dwSystemStyle)) {
            delete pToolTip;
            return nullptr;
        }
        return pToolTip;
    }
    }
}

INT_PTR CKitToolTipContext::OnToolHitTest(CWnd* pWnd, CPoint point, TOOLINFOA* pTI)
{
    return pWnd->OnToolHitTest(point, pTI);
}

void CKitToolTipContext::DrawBackground(CDC* pDC, CRect rc)
{
    if (m_dwOptions & kOptionResourceLook) {
        CKitResourceImages* pImages = CKitResourceImages::Instance();
        CKitDrawHelpers::Instance()->GradientFill(pDC, &rc, pImages->GetImageColor("Window", "TooltipLight", 0xFFFFFF),
                                                  pImages->GetImageColor("Window", "TooltipDark", 0xEFD9C9), FALSE);
        CKitResourceImage* pFrame = pImages->LoadImage("TOOLTIPFRAME");
        if (pFrame != nullptr) {
            pFrame->DrawImageTransparent(pDC, rc, pFrame->GetSource(), CRect(3, 3, 3, 3), RGB(255, 0, 255));
        } else {
            const COLORREF clrBorder = pImages->GetImageColor("Window", "TooltipBorder", 0x767676);
            pDC->Draw3dRect(&rc, clrBorder, clrBorder);
        }
    } else {
        pDC->FillSolidRect(&rc, GetTipBkColor());
        if (m_dwOptions & kOptionFrame3D)
            pDC->Draw3dRect(&rc, ::GetSysColor(COLOR_3DFACE), 0);
        else
            pDC->Draw3dRect(&rc, 0, 0);
    }
    pDC->SetTextColor(GetTipTextColor());
}

void CKitToolTipContext::CancelToolTips()
{
    if (m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr)
        m_pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
}

void CKitToolTipContext::InitToolTip()
{
    CWnd* pToolTip = m_pToolTip.get();
    pToolTip->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(m_font)), FALSE);
    pToolTip->SendMessage(TTM_SETMAXTIPWIDTH, 0, m_nMaxTipWidth);
    pToolTip->SendMessage(TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(static_cast<LPRECT>(&m_rcMargin)));
    if (m_clrBack != static_cast<COLORREF>(-1))
        pToolTip->SendMessage(TTM_SETTIPBKCOLOR, m_clrBack);
    if (m_clrText != static_cast<COLORREF>(-1))
        pToolTip->SendMessage(TTM_SETTIPTEXTCOLOR, m_clrText);
    if (m_nDelayReshow != -1)
        pToolTip->SendMessage(TTM_SETDELAYTIME, TTDT_RESHOW, MAKELPARAM(m_nDelayReshow, 0));
    if (m_nDelayInitial != -1)
        pToolTip->SendMessage(TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(m_nDelayInitial, 0));
    if (m_nDelayAutoPop != -1)
        pToolTip->SendMessage(TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(m_nDelayAutoPop, 0));
    pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
}

void CKitToolTipContext::FilterToolTipMessage(CWnd* pOwner, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (pOwner == nullptr || pOwner->GetSafeHwnd() == nullptr)
        return;
    MSG msg = {pOwner->GetSafeHwnd(), message, wParam, lParam, static_cast<DWORD>(::GetMessageTime()), {}};
    ::GetCursorPos(&msg.pt);
    FilterToolTipMessage(pOwner, &msg);
}

void CKitToolTipContext::FilterToolTipMessage(CWnd* pOwner, MSG* pMsg)
{
    const UINT message = pMsg->message;
    if ((message >= WM_KEYFIRST && message <= WM_KEYLAST) || IsButtonPress(message)) {
        CancelToolTips();
        return;
    }
    if (!IsFilteredMessage(message) || IsMouseButtonDown())
        return;

    const BOOL bTopActive = CKitDrawHelpers::IsTopParentActive(pOwner);
    if (!bTopActive && m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr && m_pToolTip->IsWindowVisible()) {
        m_pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
        return;
    }

    CWnd* pTopOwner = pOwner->GetTopLevelParent();
    const HWND hwndTopOwner = pTopOwner != nullptr ? pTopOwner->GetSafeHwnd() : pOwner->GetSafeHwnd();
    if (m_pToolTip != nullptr && m_hwndToolTipOwner != hwndTopOwner)
        DestroyToolTip();
    if (m_pToolTip == nullptr) {
        m_pToolTip.reset(CreateToolTip(CWnd::FromHandle(hwndTopOwner)));
        if (m_pToolTip == nullptr)
            return;
        m_hwndToolTipOwner = hwndTopOwner;
        InitToolTip();
    }

    TOOLINFOA ti = {};
    KIT_TOOLINFO_EXTRA extra = {};
    const BOOL bExtended = m_bShowTitleAndDescription || m_bShowImage;
    ti.cbSize = bExtended ? TTTOOLINFOA_V2_SIZE : TTTOOLINFOA_V1_SIZE;
    if (bExtended)
        ti.lParam = reinterpret_cast<LPARAM>(&extra);
    CPoint point = pMsg->pt;
    ::ScreenToClient(pOwner->GetSafeHwnd(), &point);
    const INT_PTR nHit = OnToolHitTest(pOwner, point, &ti);
    RegisterTool(pOwner, ti, extra, nHit, pMsg);
    FreeToolTexts(ti, &extra);
}

void CKitToolTipContext::RegisterTool(CWnd* pOwner, TOOLINFOA& ti, KIT_TOOLINFO_EXTRA& extra, INT_PTR nHit, MSG* pMsg)
{
    CString strTitle = extra.lpszTitle != nullptr ? extra.lpszTitle : "";
    CString strDescription = extra.lpszDescription != nullptr ? extra.lpszDescription : "";
    if (m_bShowTitleAndDescription && strTitle == strDescription) {
        strTitle.Empty();
        strDescription.Empty();
    }
    // The text the tooltip window gets, cleaned of prefixes and final dots.
    CString strText;
    const BOOL bCallback = ti.lpszText == LPSTR_TEXTCALLBACKA;
    if (!bCallback && ti.lpszText != nullptr)
        strText = ti.lpszText;
    if ((m_dwOptions & TTS_NOPREFIX) == 0) {
        CKitDrawHelpers::StripMnemonics(strText);
        CKitDrawHelpers::StripMnemonics(strTitle);
    }
    if (m_bStripDots) {
        StripTrailingDots(strText);
        StripTrailingDots(strTitle);
    }
    TOOLINFOA tiSend = ti;
    tiSend.lpszText = bCallback ? LPSTR_TEXTCALLBACKA : const_cast<LPSTR>(static_cast<LPCSTR>(strText));

    const BOOL bHadLast = m_lastTool.hwnd != nullptr;
    const BOOL bSameTool = nHit != -1 && bHadLast && m_lastTool.hwnd == ti.hwnd && m_lastTool.uId == ti.uId;
    if (bSameTool && CRect(m_lastTool.rect) == CRect(ti.rect)) {
        RelayToToolTip(pMsg);
        return;
    }
    CWnd* pToolTip = m_pToolTip.get();
    if (bSameTool)
        pToolTip->SendMessage(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&m_lastTool));
    if (nHit == -1) {
        pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
    } else {
        tiSend.uFlags &= kToolFlagsMask;
        pToolTip->SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tiSend));
        const BOOL bNoTitle = m_nStyle == kStyleRichEdit || m_nStyle == kStyleHtml || m_nStyle == kStyleMarkup ||
                              (m_dwComCtlVersion < kBalloonComCtlVersion &&
                               pToolTip->IsKindOf(RUNTIME_CLASS(CToolTipCtrl)));
        if (!bNoTitle) {
            if (m_bShowTitleAndDescription && !strTitle.IsEmpty()) {
                pToolTip->SendMessage(TTM_SETTITLEA, static_cast<WPARAM>(m_nTitleIcon),
                                      reinterpret_cast<LPARAM>(static_cast<LPCSTR>(strTitle)));
                tiSend.lpszText = const_cast<LPSTR>(static_cast<LPCSTR>(strDescription));
                pToolTip->SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tiSend));
            } else {
                // No title text at all: the system control keeps room for an empty one.
                pToolTip->SendMessage(TTM_SETTITLEA, 0, 0);
            }
        }
        if (m_bShowImage) {
            HICON hIcon = nullptr;
            if (extra.pImageManager != nullptr) {
                CKitImageManagerIcon* pIcon = extra.pImageManager->GetImage(static_cast<UINT>(m_nImageBase + nHit),
                                                                            m_nImageWidth);
                if (pIcon != nullptr)
                    hIcon = pIcon->GetNormalIcon().GetIcon();
            }
            pToolTip->SendMessage(kMsgSetTitleIcon, 0, reinterpret_cast<LPARAM>(hIcon));
        }
        if (CKitDrawHelpers::IsTopParentActive(pOwner) || (ti.uFlags & kToolFlagShowInactive)) {
            pToolTip->SendMessage(TTM_ACTIVATE, TRUE);
            ::SetWindowPos(pToolTip->GetSafeHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
    RelayToToolTip(pMsg);
    if (bHadLast && !bSameTool)
        pToolTip->SendMessage(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&m_lastTool));
    if (nHit == -1) {
        std::memset(&m_lastTool, 0, sizeof(m_lastTool));
    } else {
        m_lastTool = ti;
        m_lastTool.lpszText = nullptr;
        m_lastTool.lParam = 0;
    }
}

void CKitToolTipContext::RelayToToolTip(const MSG* pMsg)
{
    if (m_pToolTip == nullptr || m_pToolTip->GetSafeHwnd() == nullptr)
        return;
    MSG msg = *pMsg;
    msg.hwnd = WindowFromPoint(pMsg->pt);
    if (IsMouseMessage(msg.message) && msg.hwnd != nullptr) {
        POINT client = pMsg->pt;
        ::ScreenToClient(msg.hwnd, &client);
        msg.lParam = MAKELPARAM(client.x, client.y);
    }
    m_pToolTip->SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}
