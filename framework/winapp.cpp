#include "framework/winapp.h"

#include "framework/exceptions.h"
#include "framework/msgbox.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <vector>

IMPLEMENT_DYNAMIC(CWinApp, CObject)

namespace {

// Longest path GetModuleFileName can return.
constexpr DWORD kMaxModulePath = 32768;
// Profile strings are read into a buffer starting at this size and
// doubling up to the limit.
constexpr DWORD kProfileBufferStart = 256;
constexpr DWORD kMaxProfileString = 1024 * 1024;

CWinApp* g_pApp = nullptr;
HINSTANCE g_hResource = nullptr;

CString ProgramBaseName()
{
    CString name = AfxGetModuleFileName();
    name = name.Mid(name.ReverseFind('\\') + 1);
    const int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}

// The program's path with the extension replaced by .INI.
CString ProgramIniPath()
{
    CString path = AfxGetModuleFileName();
    const int dot = path.ReverseFind('.');
    if (dot > path.ReverseFind('\\'))
        path = path.Left(dot);
    return path + ".INI";
}

CString RegistryPath(LPCSTR registryKey, LPCSTR profileName)
{
    CString path;
    path.Format("Software\\%s\\%s", registryKey, profileName ? profileName : "");
    return path;
}

ScopedRegKey OpenKey(const CString& path, bool create)
{
    ScopedRegKey key;
    LONG result = create
        ? ::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
              KEY_READ | KEY_WRITE, nullptr, key.Receive(), nullptr)
        : ::RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, key.Receive());
    if (result != ERROR_SUCCESS)
        key.Detach();
    return key;
}

} // namespace

CWinApp::CWinApp(LPCSTR lpszAppName)
    : m_pszAppName(nullptr),
      m_pszExeName(nullptr),
      m_pszRegistryKey(nullptr),
      m_pszProfileName(nullptr),
      m_hInstance(::GetModuleHandleA(nullptr)),
      m_exeName(ProgramBaseName()),
      m_appName(lpszAppName ? CString(lpszAppName) : m_exeName),
      m_profileName(ProgramIniPath()),
      m_pPreviousApp(g_pApp)
{
    m_pszAppName = m_appName;
    m_pszExeName = m_exeName;
    m_pszProfileName = m_profileName;
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = m_pPreviousApp;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

int CWinApp::DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT)
{
    return KorMessageBox(nullptr, lpszPrompt, m_pszAppName, AfxMessageBoxType(nType));
}

void CWinApp::SetRegistryKey(LPCSTR lpszRegistryKey)
{
    m_registryKey = lpszRegistryKey;
    m_pszRegistryKey = m_registryKey;
    m_profileName = m_pszAppName;
    m_pszProfileName = m_profileName;
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString key;
    if (!key.LoadString(nIDRegistryKey))
        AfxThrowInvalidArgException();
    SetRegistryKey(key);
}

ScopedRegKey CWinApp::GetAppRegistryKey(bool bCreate)
{
    if (!UsesRegistry())
        return ScopedRegKey();
    return OpenKey(RegistryPath(m_pszRegistryKey, m_pszProfileName), bCreate);
}

ScopedRegKey CWinApp::GetSectionKey(LPCSTR lpszSection, bool bCreate)
{
    if (!UsesRegistry() || lpszSection == nullptr)
        return ScopedRegKey();
    return OpenKey(RegistryPath(m_pszRegistryKey, m_pszProfileName) + "\\" + lpszSection, bCreate);
}

UINT CWinApp::GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault)
{
    if (!UsesRegistry())
        return ::GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, m_pszProfileName);
    ScopedRegKey key = GetSectionKey(lpszSection, false);
    DWORD value = 0;
    DWORD type = REG_NONE;
    DWORD size = sizeof(value);
    if (key && ::RegQueryValueExA(key.Get(), lpszEntry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) ==
                   ERROR_SUCCESS &&
        type == REG_DWORD && size == sizeof(value))
        return value;
    return static_cast<UINT>(nDefault);
}

CString CWinApp::GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault)
{
    const char* fallback = lpszDefault ? lpszDefault : "";
    if (!UsesRegistry()) {
        std::vector<char> buffer(kProfileBufferStart);
        for (;;) {
            const DWORD length = ::GetPrivateProfileStringA(lpszSection, lpszEntry, fallback, buffer.data(),
                static_cast<DWORD>(buffer.size()), m_pszProfileName);
            if (length + 2 < buffer.size() || buffer.size() >= kMaxProfileString)
                return CString(buffer.data(), static_cast<int>(std::min<size_t>(length, buffer.size() - 1)));
            buffer.resize(buffer.size() * 2);
        }
    }
    ScopedRegKey key = GetSectionKey(lpszSection, false);
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (!key || ::RegQueryValueExA(key.Get(), lpszEntry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || size > kMaxProfileString)
        return CString(fallback);
    CString value;
    if (size > 0) {
        char* buffer = value.GetBuffer(static_cast<int>(size));
        if (::RegQueryValueExA(key.Get(), lpszEntry, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
            ERROR_SUCCESS) {
            value.ReleaseBuffer(0);
            return CString(fallback);
        }
        value.ReleaseBuffer(static_cast<int>(strnlen(buffer, size)));
    }
    return value;
}

BOOL CWinApp::WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue)
{
    if (!UsesRegistry()) {
        char text[16];
        std::snprintf(text, sizeof(text), "%d", nValue);
        return ::WritePrivateProfileStringA(lpszSection, lpszEntry, text, m_pszProfileName);
    }
    ScopedRegKey key = GetSectionKey(lpszSection, true);
    const DWORD value = static_cast<DWORD>(nValue);
    return key && ::RegSetValueExA(key.Get(), lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                      sizeof(value)) == ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue)
{
    if (!UsesRegistry())
        return ::WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
    if (lpszSection == nullptr)
        return FALSE;
    if (lpszEntry == nullptr) {
        ScopedRegKey appKey = GetAppRegistryKey(false);
        return appKey && ::RegDeleteKeyA(appKey.Get(), lpszSection) == ERROR_SUCCESS;
    }
    if (lpszValue == nullptr) {
        ScopedRegKey key = GetSectionKey(lpszSection, true);
        return key && ::RegDeleteValueA(key.Get(), lpszEntry) == ERROR_SUCCESS;
    }
    const size_t size = std::strlen(lpszValue) + 1;
    if (size > kMaxProfileString)
        return FALSE;
    ScopedRegKey key = GetSectionKey(lpszSection, true);
    return key && ::RegSetValueExA(key.Get(), lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                      static_cast<DWORD>(size)) == ERROR_SUCCESS;
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

LPCSTR AfxGetAppName()
{
    if (g_pApp != nullptr && g_pApp->m_pszAppName != nullptr)
        return g_pApp->m_pszAppName;
    static const CString programName = ProgramBaseName();
    return programName;
}

HINSTANCE AfxGetInstanceHandle()
{
    return g_pApp != nullptr ? g_pApp->m_hInstance : ::GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    return g_hResource != nullptr ? g_hResource : ::GetModuleHandleA(nullptr);
}

void AfxSetResourceHandle(HINSTANCE hInstResource)
{
    g_hResource = hInstResource;
}

CString AfxGetModuleFileName()
{
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size() || buffer.size() >= kMaxModulePath)
            return CString(buffer.data(), static_cast<int>(std::min<size_t>(length, buffer.size() - 1)));
        buffer.resize(buffer.size() * 2);
    }
}
