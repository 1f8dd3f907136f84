// CKitResourceManager, CKitStringA2W, CKitLanguageInfo: the toolkit's resource loading with a resource module in front of the application's, and its languages.
#pragma once

#include "framework/strings.h"

#include <windows.h>

#include <memory>

class CBitmap;
class CMenu;

// One supported resource language.
struct CKitLanguageInfo {
    WORD wLanguage;
    UINT nCodePage;
    LPCSTR lpszEncoding;
    LPCSTR lpszCaption;
    LPCSTR lpszLang;
    LPCSTR lpszSubLang;
    BYTE nFontCharset;
};

// The toolkit resource module that every load tries before the application's
// resources; none (null) unless one is set.
HMODULE KitGetResourceModule();
void KitSetResourceModule(HMODULE hModule);

// The bytes of a resource, or an empty range.
struct KitResourceBytes {
    const BYTE* data = nullptr;
    DWORD size = 0;
};

// The module a resource is taken from: the toolkit resource module when it
// holds it, else the application's resources.
HMODULE KitResourceModuleFor(LPCSTR lpszName, LPCSTR lpszType);
KitResourceBytes KitLockResource(HMODULE hModule, HRSRC hResource);
// The resource of that name and type from the module that holds it.
KitResourceBytes KitFindResourceBytes(LPCSTR lpszName, LPCSTR lpszType);

// Loads the toolkit's resources: from the toolkit resource module when it holds
// them, else from the application's; texts of the module are converted with the
// code page of the selected language.
class CKitResourceManager {
public:
    // The process-wide manager, made on first use.
    static CKitResourceManager* Instance();

    CKitResourceManager();
    virtual ~CKitResourceManager();
    CKitResourceManager(const CKitResourceManager&) = delete;
    CKitResourceManager& operator=(const CKitResourceManager&) = delete;

    // The string, or an empty one (*pbFailed TRUE) when there is none.
    virtual CString LoadStringOrEmpty(UINT nID, BOOL* pbFailed = nullptr);
    virtual BOOL LoadString(CString& str, UINT nID);
    virtual BOOL LoadMenu(CMenu& menu, UINT nID);
    virtual BOOL LoadBitmap(CBitmap& bitmap, UINT nID);
    virtual HCURSOR LoadCursor(UINT nID);
    // The locked template of dialog nID, or null.
    virtual LPCDLGTEMPLATEA LoadDialogTemplate(UINT nID);
    // The dialog resource's data handle, or null.
    virtual HGLOBAL LoadDialogResource(LPCSTR lpszName);
    // An RT_HTML resource's bytes as text; FALSE when it is missing or empty.
    virtual BOOL LoadTextResource(CString& text, UINT nID);
    virtual HICON LoadIconResource(UINT nID, int cx, int cy);
    virtual HICON LoadIcon(LPCSTR lpszName, int cx, int cy);
    // The icon of the group lpszName in hModule that best fits cx by cy, or null.
    virtual HICON LoadIconOfSize(HMODULE hModule, LPCSTR lpszName, int cx, int cy);
    virtual void FreeResourceModule();
    virtual WORD GetLanguageId() const;
    // Selects the first language other than US English found in the resource
    // module (the program's own resources when there is none); US English else.
    virtual void DetectModuleLanguage();

    // The row of wLanguage, or the US English row when the table has none.
    void SelectLanguage(WORD wLanguage);
    const CKitLanguageInfo& GetLanguageInfo() const { return *m_pLanguageInfo; }
    // The selected language's character set when one is in use, else the icon-title font's.
    BYTE GetFontCharset() const;
    // The message box, read right to left for Hebrew and Arabic.
    int ShowMessageBox(LPCSTR lpszText, UINT nType);
    // The text of a menu item; 0 and an empty text for an item without one.
    int GetMenuItemText(HMENU hMenu, UINT nIDItem, CString& text, UINT nFlags);

    // The supported languages.
    static const CKitLanguageInfo* GetLanguageTable(int& nCount);

protected:
    // The language table's row of wLanguage, or null.
    static const CKitLanguageInfo* FindLanguage(WORD wLanguage);
    // Converts wide text with the selected code page.
    CString NarrowFromWide(LPCWSTR lpszText, int nLength) const;
    BOOL LoadModuleString(HMODULE hModule, UINT nID, CString& str) const;

    BOOL m_bValid;
    HMODULE m_hResourceFile;
    const CKitLanguageInfo* m_pLanguageInfo;
    BOOL m_bLanguageInUse;
    BYTE m_nDefaultCharset;
};

// A wide copy of an 8-bit text, converted with the selected language's code page.
class CKitStringA2W {
public:
    explicit CKitStringA2W(LPCSTR lpszText);
    CKitStringA2W(const CKitStringA2W&) = delete;
    CKitStringA2W& operator=(const CKitStringA2W&) = delete;

    operator LPCWSTR() const { return m_text.get(); }

private:
    std::unique_ptr<WCHAR[]> m_text;
};
