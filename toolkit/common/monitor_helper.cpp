#include "toolkit/common/monitor_helper.h"

#include "framework/wnd.h"

namespace {

// Monitor lookups give no monitor for a place outside every monitor.
constexpr DWORD kNoDefaultMonitor = 0;

CRect PrimaryWorkArea()
{
    CRect area(0, 0, 0, 0);
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

CRect PrimaryScreen()
{
    return CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}

} // namespace

CKitMonitorHelper* CKitMonitorHelper::Instance()
{
    static CKitMonitorHelper helper;
    return &helper;
}

CKitMonitorHelper::CKitMonitorHelper(LPCSTR lpszModule)
    : m_pfnGetSystemMetrics(nullptr), m_pfnMonitorFromWindow(nullptr), m_pfnMonitorFromRect(nullptr),
      m_pfnMonitorFromPoint(nullptr), m_pfnGetMonitorInfo(nullptr), m_user32(lpszModule)
{
    const bool bound = m_user32.GetProcAddress(&m_pfnGetSystemMetrics, "GetSystemMetrics") &&
                       m_user32.GetProcAddress(&m_pfnMonitorFromWindow, "MonitorFromWindow") &&
                       m_user32.GetProcAddress(&m_pfnMonitorFromRect, "MonitorFromRect") &&
                       m_user32.GetProcAddress(&m_pfnMonitorFromPoint, "MonitorFromPoint") &&
                       m_user32.GetProcAddress(&m_pfnGetMonitorInfo, "GetMonitorInfoA");
    if (!bound) {
        m_pfnGetSystemMetrics = nullptr;
        m_pfnMonitorFromWindow = nullptr;
        m_pfnMonitorFromRect = nullptr;
        m_pfnMonitorFromPoint = nullptr;
        m_pfnGetMonitorInfo = nullptr;
    }
}

BOOL CKitMonitorHelper::GetMonitorInfo(HMONITOR hMonitor, MONITORINFO* pInfo) const
{
    if (hMonitor == nullptr || m_pfnGetMonitorInfo == nullptr)
        return FALSE;
    pInfo->cbSize = sizeof(MONITORINFO);
    return m_pfnGetMonitorInfo(hMonitor, pInfo);
}

CRect CKitMonitorHelper::GetWorkArea(HMONITOR hMonitor) const
{
    MONITORINFO info = {};
    return GetMonitorInfo(hMonitor, &info) ? CRect(info.rcWork) : PrimaryWorkArea();
}

CRect CKitMonitorHelper::GetScreenArea(HMONITOR hMonitor) const
{
    MONITORINFO info = {};
    return GetMonitorInfo(hMonitor, &info) ? CRect(info.rcMonitor) : PrimaryScreen();
}

HMONITOR CKitMonitorHelper::MonitorFromPoint(POINT point) const
{
    return m_pfnMonitorFromPoint != nullptr ? m_pfnMonitorFromPoint(point, kNoDefaultMonitor) : nullptr;
}

HMONITOR CKitMonitorHelper::MonitorFromRect(const RECT& rect) const
{
    return m_pfnMonitorFromRect != nullptr ? m_pfnMonitorFromRect(&rect, kNoDefaultMonitor) : nullptr;
}

HMONITOR CKitMonitorHelper::MonitorFromWindow(HWND hWnd) const
{
    return m_pfnMonitorFromWindow != nullptr ? m_pfnMonitorFromWindow(hWnd, kNoDefaultMonitor) : nullptr;
}

CRect CKitMonitorHelper::GetWorkAreaFromPoint(POINT point) const
{
    return GetWorkArea(MonitorFromPoint(point));
}

CRect CKitMonitorHelper::GetWorkAreaFromRect(const RECT& rect) const
{
    return GetWorkArea(MonitorFromRect(rect));
}

CRect CKitMonitorHelper::GetWorkAreaFromHandle(HWND hWnd) const
{
    return GetWorkArea(MonitorFromWindow(hWnd));
}

CRect CKitMonitorHelper::GetWorkAreaFromWnd(const CWnd* pWnd) const
{
    return GetWorkAreaFromHandle(pWnd != nullptr ? pWnd->m_hWnd : nullptr);
}

CRect CKitMonitorHelper::GetWorkAreaFromCursor() const
{
    POINT point = {};
    ::GetCursorPos(&point);
    return GetWorkAreaFromPoint(point);
}

CRect CKitMonitorHelper::GetScreenAreaFromPoint(POINT point) const
{
    return GetScreenArea(MonitorFromPoint(point));
}

CRect CKitMonitorHelper::GetScreenAreaFromRect(const RECT& rect) const
{
    return GetScreenArea(MonitorFromRect(rect));
}
