#include "toolkit/common/theme_wrapper.h"

#include "toolkit/common/system.h"

#include <dwmapi.h>

#include <algorithm>
#include <iterator>
#include <string>

namespace {

constexpr char kThemeLibrary[] = "UXTHEME.DLL";
constexpr DWORD kThemedCommonControls = 0x60000;

// The library's public functions, in slot order.
constexpr const char* kThemeFunctionNames[] = {
    "OpenThemeData", "CloseThemeData", "DrawThemeBackground", "DrawThemeText", "GetThemeBackgroundContentRect",
    "GetThemeBackgroundExtent", "GetThemePartSize", "GetThemeTextExtent", "GetThemeTextMetrics",
    "GetThemeBackgroundRegion", "HitTestThemeBackground", "DrawThemeEdge", "DrawThemeIcon", "IsThemePartDefined",
    "IsThemeBackgroundPartiallyTransparent", "GetThemeColor", "GetThemeMetric", "GetThemeString", "GetThemeBool",
    "GetThemeInt", "GetThemeEnumValue", "GetThemePosition", "GetThemeFont", "GetThemeRect", "GetThemeMargins",
    "GetThemeIntList", "GetThemePropertyOrigin", "SetWindowTheme", "GetThemeFilename", "GetThemeSysColor",
    "GetThemeSysColorBrush", "GetThemeSysBool", "GetThemeSysSize", "GetThemeSysFont", "GetThemeSysString",
    "GetThemeSysInt", "IsThemeActive", "IsAppThemed", "GetWindowTheme", "EnableThemeDialogTexture",
    "IsThemeDialogTextureEnabled", "GetThemeAppProperties", "SetThemeAppProperties", "GetCurrentThemeName",
    "GetThemeDocumentationProperty", "DrawThemeParentBackground", "EnableTheming", "DrawThemeTextEx",
    "BeginBufferedPaint", "EndBufferedPaint", "BufferedPaintInit", "BufferedPaintUnInit",
};

constexpr int kThemeFunctionCount = static_cast<int>(std::size(kThemeFunctionNames));
static_assert(kThemeFunctionCount == 52, "one slot per function of the library");

constexpr bool SameName(const char* a, const char* b)
{
    while (*a != '\0' && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

constexpr int SlotOf(const char* name)
{
    int slot = 0;
    while (slot < kThemeFunctionCount && !SameName(kThemeFunctionNames[slot], name))
        ++slot;
    // An unknown name does not compile: the slots are constant expressions.
    return slot < kThemeFunctionCount ? slot : throw "no such function";
}

constexpr int kOpenThemeData = SlotOf("OpenThemeData");
constexpr int kCloseThemeData = SlotOf("CloseThemeData");
constexpr int kDrawThemeBackground = SlotOf("DrawThemeBackground");
constexpr int kGetThemePartSize = SlotOf("GetThemePartSize");
constexpr int kGetThemeColor = SlotOf("GetThemeColor");
constexpr int kGetThemeInt = SlotOf("GetThemeInt");
constexpr int kGetThemeSysBool = SlotOf("GetThemeSysBool");
constexpr int kIsThemeActive = SlotOf("IsThemeActive");
constexpr int kIsAppThemed = SlotOf("IsAppThemed");
constexpr int kGetCurrentThemeName = SlotOf("GetCurrentThemeName");
constexpr int kDrawThemeTextEx = SlotOf("DrawThemeTextEx");
constexpr int kBeginBufferedPaint = SlotOf("BeginBufferedPaint");
constexpr int kEndBufferedPaint = SlotOf("EndBufferedPaint");

} // namespace

// The bound functions of one visual-style library.
struct CKitThemeFunctionTable {
    explicit CKitThemeFunctionTable(LPCSTR lpszLibrary)
        : functions(), hModule(::LoadLibraryA(lpszLibrary)), dwComCtlVersion(GetComCtlVersion()),
          strLibrary(lpszLibrary)
    {
    }

    FARPROC functions[kThemeFunctionCount];
    HMODULE hModule;
    DWORD dwComCtlVersion;
    std::string strLibrary;
};

CKitWinThemeWrapper::CKitWinThemeWrapper(BOOL bFollowModule)
    : m_hTheme(nullptr), m_bFollowModule(bFollowModule), m_pPrivateTable(nullptr)
{
}

CKitWinThemeWrapper::CKitWinThemeWrapper(BOOL bFollowModule, LPCSTR lpszLibrary)
    : m_hTheme(nullptr), m_bFollowModule(bFollowModule), m_pPrivateTable(new CKitThemeFunctionTable(lpszLibrary))
{
}

CKitWinThemeWrapper::~CKitWinThemeWrapper()
{
    CloseThemeData();
    delete m_pPrivateTable;
}

CKitThemeFunctionTable& CKitWinThemeWrapper::Table()
{
    if (m_pPrivateTable != nullptr)
        return *m_pPrivateTable;
    static CKitThemeFunctionTable shared(kThemeLibrary);
    static CKitThemeFunctionTable sharedFollowing(kThemeLibrary);
    return m_bFollowModule ? sharedFollowing : shared;
}

FARPROC CKitWinThemeWrapper::Function(int nFunction)
{
    CKitThemeFunctionTable& table = Table();
    if (table.hModule != nullptr && table.functions[nFunction] == nullptr)
        table.functions[nFunction] = ::GetProcAddress(table.hModule, kThemeFunctionNames[nFunction]);
    return table.functions[nFunction];
}

void CKitWinThemeWrapper::CheckModule()
{
    if (!m_bFollowModule)
        return;
    CKitThemeFunctionTable& table = Table();
    HMODULE current = ::GetModuleHandleA(table.strLibrary.c_str());
    if (current != table.hModule) {
        table.hModule = current;
        std::fill(std::begin(table.functions), std::end(table.functions), nullptr);
    }
}

HRESULT CKitWinThemeWrapper::OpenThemeData(HWND hWnd, LPCWSTR pszClassList)
{
    CheckModule();
    CloseThemeData();
    auto open = Bind<HTHEME(WINAPI*)(HWND, LPCWSTR)>(kOpenThemeData);
    if (open == nullptr)
        return E_FAIL;
    m_hTheme = open(hWnd, pszClassList);
    return m_hTheme != nullptr ? S_OK : E_FAIL;
}

HRESULT CKitWinThemeWrapper::CloseThemeData()
{
    if (m_hTheme == nullptr)
        return E_FAIL;
    HRESULT result = E_FAIL;
    if (auto close = Bind<HRESULT(WINAPI*)(HTHEME)>(kCloseThemeData))
        result = close(m_hTheme);
    m_hTheme = nullptr;
    return result;
}

HRESULT CKitWinThemeWrapper::DrawThemeBackground(HDC hDC, int iPartId, int iStateId, const RECT* pRect,
                                                 const RECT* pClipRect)
{
    auto draw = Bind<HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, const RECT*)>(kDrawThemeBackground);
    return draw != nullptr ? draw(m_hTheme, hDC, iPartId, iStateId, pRect, pClipRect) : E_FAIL;
}

HRESULT CKitWinThemeWrapper::GetThemeColor(int iPartId, int iStateId, int iPropId, COLORREF* pColor)
{
    auto get = Bind<HRESULT(WINAPI*)(HTHEME, int, int, int, COLORREF*)>(kGetThemeColor);
    return get != nullptr ? get(m_hTheme, iPartId, iStateId, iPropId, pColor) : E_FAIL;
}

HRESULT CKitWinThemeWrapper::GetThemeInt(int iPartId, int iStateId, int iPropId, int* piVal)
{
    auto get = Bind<HRESULT(WINAPI*)(HTHEME, int, int, int, int*)>(kGetThemeInt);
    return get != nullptr ? get(m_hTheme, iPartId, iStateId, iPropId, piVal) : E_FAIL;
}

HRESULT CKitWinThemeWrapper::GetThemePartSize(HDC hDC, int iPartId, int iStateId, RECT* pRect, THEMESIZE eSize,
                                              SIZE* psz)
{
    auto get = Bind<HRESULT(WINAPI*)(HTHEME, HDC, int, int, RECT*, THEMESIZE, SIZE*)>(kGetThemePartSize);
    return get != nullptr ? get(m_hTheme, hDC, iPartId, iStateId, pRect, eSize, psz) : E_FAIL;
}

BOOL CKitWinThemeWrapper::GetThemeSysBool(int iBoolId)
{
    auto get = Bind<BOOL(WINAPI*)(HTHEME, int)>(kGetThemeSysBool);
    return get != nullptr ? get(m_hTheme, iBoolId) : FALSE;
}

HRESULT CKitWinThemeWrapper::DrawThemeTextEx(HDC hDC, int iPartId, int iStateId, LPCWSTR pszText, int cchText,
                                             DWORD dwTextFlags, RECT* pRect, const DTTOPTS* pOptions)
{
    auto draw =
        Bind<HRESULT(WINAPI*)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, RECT*, const DTTOPTS*)>(kDrawThemeTextEx);
    return draw != nullptr ? draw(m_hTheme, hDC, iPartId, iStateId, pszText, cchText, dwTextFlags, pRect, pOptions)
                           : E_FAIL;
}

HRESULT CKitWinThemeWrapper::GetCurrentThemeName(LPWSTR pszThemeFileName, int cchMaxNameChars, LPWSTR pszColorBuff,
                                                 int cchMaxColorChars, LPWSTR pszSizeBuff, int cchMaxSizeChars)
{
    CheckModule();
    auto get = Bind<HRESULT(WINAPI*)(LPWSTR, int, LPWSTR, int, LPWSTR, int)>(kGetCurrentThemeName);
    return get != nullptr
               ? get(pszThemeFileName, cchMaxNameChars, pszColorBuff, cchMaxColorChars, pszSizeBuff, cchMaxSizeChars)
               : E_FAIL;
}

BOOL CKitWinThemeWrapper::IsAppThemed()
{
    auto query = Bind<BOOL(WINAPI*)()>(kIsAppThemed);
    return query != nullptr ? query() : FALSE;
}

BOOL CKitWinThemeWrapper::IsThemeActive()
{
    CheckModule();
    auto query = Bind<BOOL(WINAPI*)()>(kIsThemeActive);
    return query != nullptr ? query() : FALSE;
}

HPAINTBUFFER CKitWinThemeWrapper::BeginBufferedPaint(HDC hdcTarget, const RECT* prcTarget, BP_BUFFERFORMAT dwFormat,
                                                     BP_PAINTPARAMS* pPaintParams, HDC* phdc)
{
    auto begin =
        Bind<HPAINTBUFFER(WINAPI*)(HDC, const RECT*, BP_BUFFERFORMAT, BP_PAINTPARAMS*, HDC*)>(kBeginBufferedPaint);
    return begin != nullptr ? begin(hdcTarget, prcTarget, dwFormat, pPaintParams, phdc) : nullptr;
}

HRESULT CKitWinThemeWrapper::EndBufferedPaint(HPAINTBUFFER hBufferedPaint, BOOL fUpdateTarget)
{
    auto end = Bind<HRESULT(WINAPI*)(HPAINTBUFFER, BOOL)>(kEndBufferedPaint);
    return end != nullptr ? end(hBufferedPaint, fUpdateTarget) : E_FAIL;
}

BOOL CKitWinThemeWrapper::IsAppThemeReady()
{
    return IsThemeActive() && Table().dwComCtlVersion >= kThemedCommonControls;
}

void CKitWinThemeWrapper::CallSetProcessDPIAware()
{
    CallSetProcessDPIAware("user32.dll");
}

BOOL CKitWinThemeWrapper::CallSetProcessDPIAware(LPCSTR lpszModule)
{
    using SetProcessDPIAwareFn = BOOL(WINAPI*)();
    HMODULE module = ::GetModuleHandleA(lpszModule);
    if (module == nullptr)
        return FALSE;
    auto setAware = reinterpret_cast<SetProcessDPIAwareFn>(::GetProcAddress(module, "SetProcessDPIAware"));
    if (setAware == nullptr)
        return FALSE;
    setAware();
    return TRUE;
}

CKitDwmFunctions* CKitDwmFunctions::Instance()
{
    static CKitDwmFunctions functions;
    return &functions;
}

CKitDwmFunctions::CKitDwmFunctions(LPCSTR lpszLibrary)
    : m_pfnDwmDefWindowProc(nullptr), m_pfnDwmIsCompositionEnabled(nullptr),
      m_pfnDwmExtendFrameIntoClientArea(nullptr), m_hDwmApi(::LoadLibraryA(lpszLibrary))
{
    if (m_hDwmApi == nullptr)
        return;
    m_pfnDwmDefWindowProc = reinterpret_cast<DefWindowProcFn>(::GetProcAddress(m_hDwmApi, "DwmDefWindowProc"));
    m_pfnDwmIsCompositionEnabled =
        reinterpret_cast<IsCompositionEnabledFn>(::GetProcAddress(m_hDwmApi, "DwmIsCompositionEnabled"));
    m_pfnDwmExtendFrameIntoClientArea =
        reinterpret_cast<ExtendFrameFn>(::GetProcAddress(m_hDwmApi, "DwmExtendFrameIntoClientArea"));
}

HRESULT CKitDwmFunctions::DefWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* plResult)
{
    if (m_pfnDwmDefWindowProc == nullptr)
        return E_FAIL;
    return m_pfnDwmDefWindowProc(hWnd, message, wParam, lParam, plResult) ? S_OK : S_FALSE;
}

HRESULT CKitDwmFunctions::ExtendFrameIntoClientArea(HWND hWnd, int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    if (m_pfnDwmExtendFrameIntoClientArea == nullptr)
        return E_FAIL;
    const MARGINS margins = {cxLeft, cxRight, cyTop, cyBottom};
    return m_pfnDwmExtendFrameIntoClientArea(hWnd, &margins);
}
