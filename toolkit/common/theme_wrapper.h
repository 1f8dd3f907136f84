// CKitWinThemeWrapper, CKitDwmFunctions: the visual-style, composition and DPI functions of the system, bound by name when present.
#pragma once

#include <windows.h>

#include <uxtheme.h>

struct CKitThemeFunctionTable;

// One visual-style handle and the library's functions, bound by name on first
// use. A missing library or function gives E_FAIL (status calls), FALSE (the
// boolean queries) or nothing, so that callers draw classically.
class CKitWinThemeWrapper {
public:
    // bFollowModule: before opening a theme and before the theme-state queries,
    // notice when "UXTHEME.DLL" was loaded again elsewhere and bind anew.
    explicit CKitWinThemeWrapper(BOOL bFollowModule = TRUE);
    // A wrapper with a private table bound to the library lpszLibrary.
    CKitWinThemeWrapper(BOOL bFollowModule, LPCSTR lpszLibrary);
    virtual ~CKitWinThemeWrapper();
    CKitWinThemeWrapper(const CKitWinThemeWrapper&) = delete;
    CKitWinThemeWrapper& operator=(const CKitWinThemeWrapper&) = delete;

    // Closes the handle held, then opens the class list; the new handle (or 0) is kept.
    HRESULT OpenThemeData(HWND hWnd, LPCWSTR pszClassList);
    // Closes the handle held; it is 0 afterwards in every case.
    HRESULT CloseThemeData();
    HRESULT DrawThemeBackground(HDC hDC, int iPartId, int iStateId, const RECT* pRect, const RECT* pClipRect);
    HRESULT GetThemeColor(int iPartId, int iStateId, int iPropId, COLORREF* pColor);
    HRESULT GetThemeInt(int iPartId, int iStateId, int iPropId, int* piVal);
    HRESULT GetThemePartSize(HDC hDC, int iPartId, int iStateId, RECT* pRect, THEMESIZE eSize, SIZE* psz);
    BOOL GetThemeSysBool(int iBoolId);
    HRESULT DrawThemeTextEx(HDC hDC, int iPartId, int iStateId, LPCWSTR pszText, int cchText, DWORD dwTextFlags,
                            RECT* pRect, const DTTOPTS* pOptions);
    HRESULT GetCurrentThemeName(LPWSTR pszThemeFileName, int cchMaxNameChars, LPWSTR pszColorBuff, int cchMaxColorChars,
                                LPWSTR pszSizeBuff, int cchMaxSizeChars);
    BOOL IsAppThemed();
    BOOL IsThemeActive();
    HPAINTBUFFER BeginBufferedPaint(HDC hdcTarget, const RECT* prcTarget, BP_BUFFERFORMAT dwFormat,
                                    BP_PAINTPARAMS* pPaintParams, HDC* phdc);
    HRESULT EndBufferedPaint(HPAINTBUFFER hBufferedPaint, BOOL fUpdateTarget);

    BOOL IsThemeHandleOpen() const { return m_hTheme != nullptr; }
    HTHEME GetThemeHandle() const { return m_hTheme; }
    // The visual style is active and the common controls are version 6 or later.
    BOOL IsAppThemeReady();

    // Calls SetProcessDPIAware of "user32.dll" when the system has it; nothing otherwise.
    static void CallSetProcessDPIAware();
    // The same with the function taken from the loaded library lpszModule; FALSE when it was not called.
    static BOOL CallSetProcessDPIAware(LPCSTR lpszModule);

private:
    CKitThemeFunctionTable& Table();
    // Binds slot nFunction when it is empty; null when the function cannot be had.
    FARPROC Function(int nFunction);
    // With bFollowModule: takes a new module handle of the library and clears every slot.
    void CheckModule();
    template <class Fn>
    Fn Bind(int nFunction)
    {
        return reinterpret_cast<Fn>(Function(nFunction));
    }

    HTHEME m_hTheme;
    BOOL m_bFollowModule;
    CKitThemeFunctionTable* m_pPrivateTable;
};

// The desktop composition functions of "dwmapi.dll", bound once.
class CKitDwmFunctions {
public:
    // The process-wide record; the library stays loaded.
    static CKitDwmFunctions* Instance();

    explicit CKitDwmFunctions(LPCSTR lpszLibrary = "dwmapi.dll");
    CKitDwmFunctions(const CKitDwmFunctions&) = delete;
    CKitDwmFunctions& operator=(const CKitDwmFunctions&) = delete;

    HRESULT DefWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* plResult);
    // The margins go to the system in the order left, right, top, bottom.
    HRESULT ExtendFrameIntoClientArea(HWND hWnd, int cxLeft, int cyTop, int cxRight, int cyBottom);

private:
    using DefWindowProcFn = BOOL(WINAPI*)(HWND, UINT, WPARAM, LPARAM, LRESULT*);
    using IsCompositionEnabledFn = HRESULT(WINAPI*)(BOOL*);
    using ExtendFrameFn = HRESULT(WINAPI*)(HWND, const MARGINS*);

    DefWindowProcFn m_pfnDwmDefWindowProc;
    IsCompositionEnabledFn m_pfnDwmIsCompositionEnabled;
    ExtendFrameFn m_pfnDwmExtendFrameIntoClientArea;
    HMODULE m_hDwmApi;
};
