// CKitMonitorHelper: the work and screen areas of the monitor under a point, rectangle, window or the mouse, with a single-monitor fallback.
#pragma once

#include "framework/geometry.h"
#include "toolkit/common/system.h"

#include <windows.h>

class CWnd;

class CKitMonitorHelper {
public:
    // The process-wide helper.
    static CKitMonitorHelper* Instance();

    // Binds the monitor functions of the library; when any is missing the
    // helper works with the primary screen only.
    explicit CKitMonitorHelper(LPCSTR lpszModule = "User32.dll");
    CKitMonitorHelper(const CKitMonitorHelper&) = delete;
    CKitMonitorHelper& operator=(const CKitMonitorHelper&) = delete;

    BOOL IsMultiMonitor() const { return m_pfnMonitorFromPoint != nullptr; }
    // FALSE for no monitor or with the primary screen only.
    BOOL GetMonitorInfo(HMONITOR hMonitor, MONITORINFO* pInfo) const;
    // The monitor's work area; the primary work area without one.
    CRect GetWorkArea(HMONITOR hMonitor) const;
    // The monitor's rectangle; the primary screen without one.
    CRect GetScreenArea(HMONITOR hMonitor) const;
    CRect GetWorkAreaFromPoint(POINT point) const;
    CRect GetWorkAreaFromRect(const RECT& rect) const;
    CRect GetWorkAreaFromHandle(HWND hWnd) const;
    CRect GetWorkAreaFromWnd(const CWnd* pWnd) const;
    CRect GetWorkAreaFromCursor() const;
    CRect GetScreenAreaFromPoint(POINT point) const;
    CRect GetScreenAreaFromRect(const RECT& rect) const;

private:
    using GetSystemMetricsFn = int(WINAPI*)(int);
    using MonitorFromWindowFn = HMONITOR(WINAPI*)(HWND, DWORD);
    using MonitorFromRectFn = HMONITOR(WINAPI*)(LPCRECT, DWORD);
    using MonitorFromPointFn = HMONITOR(WINAPI*)(POINT, DWORD);
    using GetMonitorInfoFn = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);

    HMONITOR MonitorFromPoint(POINT point) const;
    HMONITOR MonitorFromRect(const RECT& rect) const;
    HMONITOR MonitorFromWindow(HWND hWnd) const;

    GetSystemMetricsFn m_pfnGetSystemMetrics;
    MonitorFromWindowFn m_pfnMonitorFromWindow;
    MonitorFromRectFn m_pfnMonitorFromRect;
    MonitorFromPointFn m_pfnMonitorFromPoint;
    GetMonitorInfoFn m_pfnGetMonitorInfo;
    CKitModuleHandle m_user32;
};
