#include "toolkit/common/system.h"


namespace {

constexpr DWORD kOldestCommonControls = 0x40000;
constexpr DWORD kVersionInfoSize = sizeof(DLLVERSIONINFO);

} // namespace

CKitModuleHandle::CKitModuleHandle() : m_hModule(nullptr), m_nKind(kNone), m_version() {}

CKitModuleHandle::CKitModuleHandle(LPCSTR lpszModuleName) : CKitModuleHandle()
{
    GetOrLoad(lpszModuleName);
}

CKitModuleHandle::~CKitModuleHandle()
{
    Free();
}

BOOL CKitModuleHandle::Find(LPCSTR lpszModuleName)
{
    Free();
    return Take(::GetModuleHandleA(lpszModuleName), lpszModuleName, kFound);
}

BOOL CKitModuleHandle::Load(LPCSTR lpszModuleName)
{
    Free();
    return Take(::LoadLibraryA(lpszModuleName), lpszModuleName, kLoaded);
}

BOOL CKitModuleHandle::Take(HMODULE hModule, LPCSTR lpszModuleName, int nKind)
{
    if (hModule == nullptr)
        return FALSE;
    m_hModule = hModule;
    m_strModuleName = lpszModuleName;
    m_nKind = nKind;
    return TRUE;
}

BOOL CKitModuleHandle::GetOrLoad(LPCSTR lpszModuleName)
{
    return Find(lpszModuleName) || Load(lpszModuleName);
}

BOOL CKitModuleHandle::Free()
{
    BOOL freed = TRUE;
    if (m_nKind == kLoaded && m_hModule != nullptr)
        freed = ::FreeLibrary(m_hModule);
    m_hModule = nullptr;
    m_nKind = kNone;
    m_strModuleName.Empty();
    m_version = DLLVERSIONINFO();
    return freed;
}

DWORD CKitModuleHandle::GetVersion()
{
    if (m_hModule == nullptr)
        return 0;
    if (m_version.cbSize == 0) {
        m_version.cbSize = kVersionInfoSize;
        auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(::GetProcAddress(m_hModule, "DllGetVersion"));
        if (getVersion == nullptr || FAILED(getVersion(&m_version))) {
            m_version.dwMajorVersion = 0;
            m_version.dwMinorVersion = 0;
        }
    }
    return MAKELONG(m_version.dwMinorVersion, m_version.dwMajorVersion);
}

BOOL CKitModuleHandle::GetProcAddressRaw(FARPROC& proc, LPCSTR lpszProcName, DWORD dwMinVersion)
{
    proc = nullptr;
    if (m_hModule == nullptr)
        return FALSE;
    if (dwMinVersion != 0 && GetVersion() < dwMinVersion)
        return FALSE;
    proc = ::GetProcAddress(m_hModule, lpszProcName);
    return proc != nullptr;
}

DWORD ReadCommonControlsVersion(LPCSTR lpszModuleName)
{
    CKitModuleHandle module(lpszModuleName);
    const DWORD version = module.GetVersion();
    return version != 0 ? version : kOldestCommonControls;
}

DWORD GetComCtlVersion()
{
    static const DWORD version = ReadCommonControlsVersion("COMCTL32.DLL");
    return version;
}

UINT GetOemCodePageMaxCharSize()
{
    static const UINT size = [] {
        CPINFO info = {};
        return ::GetCPInfo(CP_OEMCP, &info) ? info.MaxCharSize : 1u;
    }();
    return size;
}

CKitOsVersion* CKitOsVersion::Instance()
{
    static CKitOsVersion version([] {
        OSVERSIONINFOA info = {};
        info.dwOSVersionInfoSize = sizeof(info);
        ::GetVersionExA(&info);
        return info;
    }());
    return &version;
}
