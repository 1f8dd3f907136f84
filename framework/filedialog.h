// CFileDialog: the common open and save dialogs, with a hook that answers them in tests.
#pragma once

#include "framework/collections.h"
#include "framework/strings.h"

#include <commdlg.h>

#include <functional>
#include <vector>

class CWnd;

class CFileDialog {
public:
    explicit CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr, LPCSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr, DWORD dwSize = 0, BOOL bVistaStyle = TRUE);
    virtual ~CFileDialog() = default;
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // Shows the dialog (or asks the hook); IDOK when the user chose, IDCANCEL otherwise.
    virtual INT_PTR DoModal();

    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    CString GetFolderPath() const;
    // Walks the chosen files of a multi-select dialog (OFN_ALLOWMULTISELECT).
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;

    BOOL IsOpenDialog() const { return m_bOpenFileDialog; }
    CWnd* GetParentWnd() const { return m_pParentWnd; }

    // The platform record. Callers may point lpstrFile/nMaxFile at a buffer of their own.
    OPENFILENAMEA m_ofn;

private:
    BOOL m_bOpenFileDialog;
    CWnd* m_pParentWnd;
    CString m_defExt;
    CString m_filter; // with the '|' separators turned into terminators
    std::vector<char> m_fileBuffer;
};

// What a file dialog asked, as a hook sees it.
struct FileDialogRequest {
    bool open = true;
    CString title;
    CString defaultExtension;
    CString initialFileName;
    CString initialFolder;
    CString filter; // '|'-separated, as the caller gave it
    DWORD flags = 0;
};

// Answers a file dialog instead of showing it: returns IDOK with the chosen
// full paths (several only for a multi-select dialog), or IDCANCEL.
using FileDialogHook = std::function<INT_PTR(const FileDialogRequest& request, std::vector<CString>& chosen)>;

// Installs a hook (an empty one restores the real dialog); returns the one it replaces.
FileDialogHook SetFileDialogHook(FileDialogHook hook);
