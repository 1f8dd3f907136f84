#include "framework/recentfiles.h"

#include "framework/exceptions.h"
#include "framework/menu.h"
#include "framework/msgmap.h"
#include "framework/winapp.h"

#include <algorithm>

namespace {

constexpr int kMaxRecentFiles = 16;

CString FullPath(LPCSTR path)
{
    char buffer[MAX_PATH];
    char* filePart = nullptr;
    const DWORD length = ::GetFullPathNameA(path, MAX_PATH, buffer, &filePart);
    return length > 0 && length < MAX_PATH ? CString(buffer) : CString(path);
}

// The menu text of an entry: "&1 name" with any '&' of the name doubled.
CString MenuText(int nIndex, const CString& path, int nMaxLength)
{
    CString name = path;
    if (nMaxLength > 0 && name.GetLength() > nMaxLength) {
        const int slash = name.ReverseFind('\\');
        const CString fileName = slash >= 0 ? name.Mid(slash + 1) : name;
        name = fileName.GetLength() + 4 >= nMaxLength ? fileName : name.Left(nMaxLength - fileName.GetLength() - 4) + "...\\" + fileName;
    }
    name.Replace("&", "&&");
    CString text;
    text.Format("&%d %s", nIndex + 1, static_cast<LPCSTR>(name));
    return text;
}

} // namespace

CRecentFileList::CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize, int nMaxDispLen)
    : m_strSectionName(lpszSection), m_strEntryFormat(lpszEntryFormat), m_nStart(nStart),
      m_nMaxDisplayLength(nMaxDispLen), m_names(static_cast<size_t>(std::clamp(nSize, 0, kMaxRecentFiles)))
{
}

CString& CRecentFileList::operator[](int nIndex)
{
    if (nIndex < 0 || nIndex >= GetSize())
        AfxThrowInvalidArgException();
    return m_names[static_cast<size_t>(nIndex)];
}

const CString& CRecentFileList::operator[](int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetSize())
        AfxThrowInvalidArgException();
    return m_names[static_cast<size_t>(nIndex)];
}

void CRecentFileList::Add(LPCSTR lpszPathName)
{
    if (m_names.empty() || lpszPathName == nullptr || *lpszPathName == '\0')
        return;
    const CString path = FullPath(lpszPathName);
    auto found = std::find_if(m_names.begin(), m_names.end(),
                              [&](const CString& name) { return name.CompareNoCase(path) == 0; });
    if (found == m_names.end())
        found = m_names.end() - 1;
    std::rotate(m_names.begin(), found, found + 1);
    m_names.front() = path;
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetSize())
        AfxThrowInvalidArgException();
    m_names.erase(m_names.begin() + nIndex);
    m_names.emplace_back();
}

CString CRecentFileList::EntryName(int nIndex) const
{
    CString entry;
    entry.Format(m_strEntryFormat, static_cast<int>(m_nStart) + nIndex + 1);
    return entry;
}

void CRecentFileList::ReadList()
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return;
    for (int i = 0; i < GetSize(); ++i)
        m_names[static_cast<size_t>(i)] = app->GetProfileString(m_strSectionName, EntryName(i));
}

void CRecentFileList::WriteList()
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr || m_names.empty())
        return;
    app->WriteProfileString(m_strSectionName, nullptr, nullptr);
    for (int i = 0; i < GetSize(); ++i) {
        const CString& name = m_names[static_cast<size_t>(i)];
        if (!name.IsEmpty())
            app->WriteProfileString(m_strSectionName, EntryName(i), name);
    }
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI)
{
    CMenu* pMenu = pCmdUI->m_pMenu;
    if (m_strOriginal.IsEmpty() && pMenu != nullptr)
        pMenu->GetMenuString(pCmdUI->m_nID, m_strOriginal, MF_BYCOMMAND);

    if (m_names.empty() || m_names.front().IsEmpty()) {
        // Items of files shown before go; the first becomes the original item again.
        if (pMenu != nullptr) {
            for (int i = 1; i < GetSize(); ++i)
                pMenu->DeleteMenu(pCmdUI->m_nID + static_cast<UINT>(i), MF_BYCOMMAND);
            pCmdUI->m_nIndexMax = pMenu->GetMenuItemCount();
        }
        if (!m_strOriginal.IsEmpty())
            pCmdUI->SetText(m_strOriginal);
        pCmdUI->Enable(FALSE);
        return;
    }
    if (pMenu == nullptr)
        return;

    for (int i = 0; i < GetSize(); ++i)
        pMenu->DeleteMenu(pCmdUI->m_nID + static_cast<UINT>(i), MF_BYCOMMAND);
    UINT index = pCmdUI->m_nIndex;
    for (int i = 0; i < GetSize() && !m_names[static_cast<size_t>(i)].IsEmpty(); ++i) {
        pMenu->InsertMenu(index++, MF_STRING | MF_BYPOSITION, pCmdUI->m_nID + static_cast<UINT>(i),
                          MenuText(i, m_names[static_cast<size_t>(i)], m_nMaxDisplayLength));
    }
    // The caller's walk goes on after the last item put in.
    pCmdUI->m_nIndex = index - 1;
    pCmdUI->m_nIndexMax = pMenu->GetMenuItemCount();
    pCmdUI->m_bEnableChanged = TRUE;
}
