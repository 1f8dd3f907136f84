// CKitModuleHandle, CKitOsVersion, CKitLockGuard, GetComCtlVersion, GetOemCodePageMaxCharSize: system libraries, versions and locks.
#pragma once

#include "framework/strings.h"

#include <shlwapi.h>
#include <windows.h>

// A library handle that knows whether it must free it, with the library's version.
class CKitModuleHandle {
public:
    enum Kind { kNone = 0, kFound = 1, kLoaded = 2 };

    CKitModuleHandle();
    // Finds the library when it is already loaded, else loads it.
    explicit CKitModuleHandle(LPCSTR lpszModuleName);
    virtual ~CKitModuleHandle();
    CKitModuleHandle(const CKitModuleHandle&) = delete;
    CKitModuleHandle& operator=(const CKitModuleHandle&) = delete;

    // A library already loaded in the process (kind kFound).
    BOOL Find(LPCSTR lpszModuleName);
    // LoadLibraryA (kind kLoaded: freed by Free or the destructor).
    BOOL Load(LPCSTR lpszModuleName);
    BOOL GetOrLoad(LPCSTR lpszModuleName);
    // Frees a library this object loaded and forgets it; TRUE when nothing had to be freed or freeing succeeded.
    BOOL Free();

    // DllGetVersion of the library, read once: major in the high word, minor in the low; 0 when unknown.
    DWORD GetVersion();

    // The entry point lpszProcName into *ppfn. FALSE and a null pointer when the
    // library is missing or older than dwMinVersion (major << 16 | minor, 0 = any).
    template <class Fn>
    BOOL GetProcAddress(Fn* ppfn, LPCSTR lpszProcName, DWORD dwMinVersion = 0)
    {
        FARPROC proc = nullptr;
        const BOOL found = GetProcAddressRaw(proc, lpszProcName, dwMinVersion);
        *ppfn = reinterpret_cast<Fn>(proc);
        return found;
    }

    HMODULE GetHandle() const { return m_hModule; }
    operator HMODULE() const { return m_hModule; }
    int GetKind() const { return m_nKind; }
    const CString& GetName() const { return m_strModuleName; }

private:
    BOOL Take(HMODULE hModule, LPCSTR lpszModuleName, int nKind);
    BOOL GetProcAddressRaw(FARPROC& proc, LPCSTR lpszProcName, DWORD dwMinVersion);

    CString m_strModuleName;
    HMODULE m_hModule;
    int m_nKind;
    DLLVERSIONINFO m_version;
};

// The version of "COMCTL32.DLL" (major << 16 | minor), read once; 0x40000 when it cannot be read.
DWORD GetComCtlVersion();
// The version a common-controls library of that name reports, or 0x40000 (4.0) when it reports none.
DWORD ReadCommonControlsVersion(LPCSTR lpszModuleName);
// The largest character of the OEM code page in bytes, read once.
UINT GetOemCodePageMaxCharSize();

// Tests of the Windows version on one OSVERSIONINFOA record.
class CKitOsVersion {
public:
    // The process-wide record, filled by GetVersionExA on first use.
    static CKitOsVersion* Instance();

    explicit CKitOsVersion(const OSVERSIONINFOA& info) : m_info(info) {}

    const OSVERSIONINFOA& GetInfo() const { return m_info; }

    bool IsWin95() const
    {
        return IsPlatform(VER_PLATFORM_WIN32_WINDOWS) && m_info.dwMajorVersion == 4 && m_info.dwMinorVersion < 10;
    }
    bool IsWin98() const { return IsPlatform(VER_PLATFORM_WIN32_WINDOWS) && IsVersion(4, 10); }
    bool IsWin9x() const { return IsPlatform(VER_PLATFORM_WIN32_WINDOWS); }
    bool IsWinNT4() const { return IsPlatform(VER_PLATFORM_WIN32_NT) && IsVersion(4, 0); }
    bool IsWin2000() const { return IsPlatform(VER_PLATFORM_WIN32_NT) && IsVersion(5, 0); }
    bool IsWinXP() const { return IsPlatform(VER_PLATFORM_WIN32_NT) && IsVersion(5, 1); }
    bool IsWin2000OrGreater() const { return IsNTOrLater() && m_info.dwMajorVersion >= 5; }
    bool IsWinXPOrGreater() const { return IsNTOrLater() && IsVersionAtLeast(5, 1); }
    bool IsClearTypeTextSupported() const { return IsWinXPOrGreater(); }
    bool IsVistaOrGreater() const { return IsNTOrLater() && IsVersionAtLeast(6, 0); }
    bool IsWin7OrGreater() const { return IsNTOrLater() && IsVersionAtLeast(6, 1); }
    bool IsVersionAtLeast(DWORD dwMajor, DWORD dwMinor) const
    {
        return m_info.dwMajorVersion > dwMajor || (m_info.dwMajorVersion == dwMajor && m_info.dwMinorVersion >= dwMinor);
    }
    bool IsVersion(DWORD dwMajor, DWORD dwMinor) const
    {
        return m_info.dwMajorVersion == dwMajor && m_info.dwMinorVersion == dwMinor;
    }

private:
    bool IsPlatform(DWORD dwPlatform) const { return m_info.dwPlatformId == dwPlatform; }
    bool IsNTOrLater() const { return m_info.dwPlatformId >= VER_PLATFORM_WIN32_NT; }

    OSVERSIONINFOA m_info;
};

// Holds a critical section for its lifetime.
class CKitLockGuard {
public:
    explicit CKitLockGuard(CRITICAL_SECTION* pSection) : m_pSection(pSection) { ::EnterCriticalSection(m_pSection); }
    ~CKitLockGuard() { ::LeaveCriticalSection(m_pSection); }
    CKitLockGuard(const CKitLockGuard&) = delete;
    CKitLockGuard& operator=(const CKitLockGuard&) = delete;

private:
    CRITICAL_SECTION* m_pSection;
};
