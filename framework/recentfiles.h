// CRecentFileList: the recently used files, kept in the profile and shown in the File menu.
#pragma once

#include "framework/strings.h"

#include <vector>

class CCmdUI;

class CRecentFileList {
public:
    // Entries are numbered from nStart + 1 in lpszEntryFormat ("File%d") under lpszSection.
    CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize, int nMaxDispLen = 0);
    virtual ~CRecentFileList() = default;

    int GetSize() const { return static_cast<int>(m_names.size()); }
    // Entry nIndex (empty when unused); an index outside 0..GetSize()-1 throws CInvalidArgException*.
    CString& operator[](int nIndex);
    const CString& operator[](int nIndex) const;

    // Puts the file's full path first, moving it up when it is already listed.
    virtual void Add(LPCSTR lpszPathName);
    // Drops entry nIndex; the later ones move up.
    virtual void Remove(int nIndex);
    virtual void ReadList();
    virtual void WriteList();
    // Shows the entries as menu items from the item of pCmdUI on (ID_FILE_MRU_FILE1 ...),
    // or the original item, disabled, when the list is empty.
    virtual void UpdateMenu(CCmdUI* pCmdUI);

    CString m_strSectionName;
    CString m_strEntryFormat;
    UINT m_nStart;
    int m_nMaxDisplayLength;
    CString m_strOriginal;

private:
    CString EntryName(int nIndex) const;
    std::vector<CString> m_names;
};
