// CKitBrowseDialog: the folder-choosing dialog over the shell's folder browser, with a hook that answers it in tests.
#pragma once
#include "framework/core.h"

#include <shlobj.h>

#include <functional>

class CWnd;

class CKitBrowseDialog {
public:
    // Default flags: file-system folders only, file-system ancestors, new dialog style.
    // The title is string IDS_KIT_SELECTDIRECTORY of the toolkit's resources.
    static constexpr UINT kDefaultFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS | BIF_NEWDIALOGSTYLE;

    explicit CKitBrowseDialog(CWnd* pParentWnd = nullptr);
    virtual ~CKitBrowseDialog() = default;
    CKitBrowseDialog(const CKitBrowseDialog&) = delete;
    CKitBrowseDialog& operator=(const CKitBrowseDialog&) = delete;

    // Shows the browser (or asks the hook); IDOK with the chosen folder in the path buffer, else IDCANCEL.
    virtual INT_PTR DoModal();

    // The folder to select when the browser opens; at most MAX_PATH - 1 characters are kept.
    void SetSelectedPath(LPCSTR path);
    CString GetSelectedPath() const { return CString(m_szSelPath); }
    void SetTitle(const CString& title) { m_strTitle = title; }
    const CString& GetTitle() const { return m_strTitle; }
    void SetFlags(UINT flags) { m_bi.ulFlags = flags; }
    UINT GetFlags() const { return m_bi.ulFlags; }

    // The result for the item the user chose: its path (IDOK), a network
    // computer's UNC name when computers are asked for and the name fits (IDOK), else IDCANCEL.
    INT_PTR TakeChosenItem(LPCITEMIDLIST item);

    // The shell's callback: selects the initial folder and shows the selection as status text.
    static int CALLBACK BrowseCallbackProc(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData);

private:
    char m_szSelPath[MAX_PATH];
    BROWSEINFOA m_bi;
    CString m_strTitle;
};

// What a folder dialog asked, as a hook sees it.
struct BrowseDialogRequest {
    CString title;
    CString initialPath;
    UINT flags = 0;
};

// Answers a folder dialog instead of showing it: IDOK with the chosen folder, or IDCANCEL.
using BrowseDialogHook = std::function<INT_PTR(const BrowseDialogRequest& request, CString& chosen)>;

// Installs a hook (an empty one restores the real browser); returns the one it replaces.
BrowseDialogHook SetBrowseDialogHook(BrowseDialogHook hook);
