// CWinApp: the application object, its profile settings (registry or INI file) and the module handles.
#pragma once

#include "framework/handles.h"
#include "framework/object.h"
#include "framework/strings.h"

// The one application object. Constructing it makes it AfxGetApp(); a second
// one replaces the first until it is destroyed.
class CWinApp : public CObject {
    DECLARE_DYNAMIC(CWinApp)
public:
    // lpszAppName null: the program file's base name.
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    // Called once at start-up; FALSE ends the program.
    virtual BOOL InitInstance();
    // Called once at shut-down; returns the program's exit code.
    virtual int ExitInstance();

    // Shows AfxMessageBox's box, captioned with m_pszAppName, through KorMessageBox.
    virtual int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    // Keeps profile settings under HKEY_CURRENT_USER\Software\<key>\<profile name>\<section>;
    // the profile name becomes the application name.
    void SetRegistryKey(LPCSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);

    // Without a registry key these use the INI file m_pszProfileName.
    UINT GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault);
    CString GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault = nullptr);
    BOOL WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue);
    // A null entry deletes the section, a null value deletes the entry.
    BOOL WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue);

    // The key of the application's settings, or an invalid key without a
    // registry key (or when it cannot be opened).
    ScopedRegKey GetAppRegistryKey(bool bCreate);
    ScopedRegKey GetSectionKey(LPCSTR lpszSection, bool bCreate);

    LPCSTR m_pszAppName;
    // Base name of the program file, without extension.
    LPCSTR m_pszExeName;
    LPCSTR m_pszRegistryKey;
    // The INI file beside the program until SetRegistryKey is called.
    LPCSTR m_pszProfileName;
    HINSTANCE m_hInstance;

private:
    bool UsesRegistry() const { return m_pszRegistryKey != nullptr && *m_pszRegistryKey != '\0'; }

    CString m_exeName;
    CString m_appName;
    CString m_registryKey;
    CString m_profileName;
    CWinApp* m_pPreviousApp;
};

// The application object, or null when there is none.
CWinApp* AfxGetApp();
// The application's name, or the program file's base name when there is no app.
LPCSTR AfxGetAppName();
HINSTANCE AfxGetInstanceHandle();
// The module string and other resources are loaded from; the program by default.
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);
// Full path of the program file.
CString AfxGetModuleFileName();
