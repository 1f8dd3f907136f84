#include "toolkit/common/browse_dialog.h"

#include "framework/wnd.h"
#include "toolkit/common/resources.h"
#include "toolkit/common/toolkit_ids.h"

#include <cstdio>
#include <utility>

namespace {

BrowseDialogHook& Hook()
{
    static BrowseDialogHook hook;
    return hook;
}

// Releases the shell allocator when it goes.
class ShellMalloc {
public:
    ShellMalloc() { ::SHGetMalloc(&m_malloc); }
    ~ShellMalloc()
    {
        if (m_malloc != nullptr)
            m_malloc->Release();
    }
    ShellMalloc(const ShellMalloc&) = delete;
    ShellMalloc& operator=(const ShellMalloc&) = delete;

    IMalloc* Get() const { return m_malloc; }

private:
    IMalloc* m_malloc = nullptr;
};

} // namespace

BrowseDialogHook SetBrowseDialogHook(BrowseDialogHook hook)
{
    std::swap(Hook(), hook);
    return hook;
}

CKitBrowseDialog::CKitBrowseDialog(CWnd* pParentWnd)
    : m_szSelPath(), m_bi(), m_strTitle(CKitResourceManager::Instance()->LoadStringOrEmpty(IDS_KIT_SELECTDIRECTORY))
{
    m_bi.hwndOwner = pParentWnd != nullptr ? pParentWnd->GetSafeHwnd() : nullptr;
    m_bi.pidlRoot = nullptr;
    m_bi.pszDisplayName = m_szSelPath;
    m_bi.ulFlags = kDefaultFlags;
    m_bi.lpfn = &CKitBrowseDialog::BrowseCallbackProc;
    m_bi.lParam = reinterpret_cast<LPARAM>(this);
}

void CKitBrowseDialog::SetSelectedPath(LPCSTR path)
{
    lstrcpynA(m_szSelPath, path != nullptr ? path : "", MAX_PATH);
}

INT_PTR CKitBrowseDialog::DoModal()
{
    if (Hook()) {
        BrowseDialogRequest request;
        request.title = m_strTitle;
        request.initialPath = m_szSelPath;
        request.flags = m_bi.ulFlags;
        CString chosen;
        if (Hook()(request, chosen) != IDOK)
            return IDCANCEL;
        SetSelectedPath(chosen);
        return IDOK;
    }

    ShellMalloc malloc;
    if (malloc.Get() == nullptr)
        return IDCANCEL;
    m_bi.pszDisplayName = m_szSelPath;
    m_bi.lpszTitle = m_strTitle;
    LPITEMIDLIST item = ::SHBrowseForFolderA(&m_bi);
    if (item == nullptr)
        return IDCANCEL;
    const INT_PTR result = TakeChosenItem(item);
    malloc.Get()->Free(item);
    return result;
}

INT_PTR CKitBrowseDialog::TakeChosenItem(LPCITEMIDLIST item)
{
    char path[MAX_PATH] = {};
    if (::SHGetPathFromIDListA(item, path)) {
        SetSelectedPath(path);
        return IDOK;
    }
    if ((m_bi.ulFlags & BIF_BROWSEFORCOMPUTER) != 0 && m_szSelPath[0] != '\0') {
        // A network computer: its display name in UNC form, when that fits the buffer.
        char unc[MAX_PATH] = {};
        const int length = std::snprintf(unc, sizeof(unc), "\\\\%s", m_szSelPath);
        if (length < 0 || length >= MAX_PATH)
            return IDCANCEL;
        SetSelectedPath(unc);
        return IDOK;
    }
    return IDCANCEL;
}

int CALLBACK CKitBrowseDialog::BrowseCallbackProc(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData)
{
    auto* dialog = reinterpret_cast<CKitBrowseDialog*>(lpData);
    if (dialog == nullptr)
        return 0;
    if (uMsg == BFFM_INITIALIZED) {
        char folder[MAX_PATH] = {};
        if (dialog->m_szSelPath[0] != '\0')
            lstrcpynA(folder, dialog->m_szSelPath, MAX_PATH);
        else
            ::GetCurrentDirectoryA(MAX_PATH, folder);
        if (folder[0] != '\0')
            ::SendMessageA(hwnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder));
    } else if (uMsg == BFFM_SELCHANGED && (dialog->m_bi.ulFlags & BIF_STATUSTEXT) != 0) {
        char path[MAX_PATH] = {};
        if (::SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(lParam), path))
            ::SendMessageA(hwnd, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path));
    }
    return 0;
}
