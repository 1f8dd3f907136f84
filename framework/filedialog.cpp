#include "framework/filedialog.h"

#include "framework/file.h"
#include "framework/wnd.h"

#include <cderr.h>

#include <utility>

namespace {

constexpr DWORD kFileBufferSize = MAX_PATH;

FileDialogHook& Hook()
{
    static FileDialogHook hook;
    return hook;
}

// The part of a path after its last backslash.
CString NamePart(const CString& path)
{
    const int slash = path.ReverseFind('\\');
    return slash < 0 ? path : path.Mid(slash + 1);
}

// Writes the chosen paths into the caller's buffer the way the platform
// dialog does: one full path, or (multi-select) the folder followed by the
// names, each ended by a terminator, with a second terminator at the end.
bool StoreChoice(OPENFILENAMEA& ofn, const std::vector<CString>& chosen)
{
    std::string text;
    if (chosen.size() == 1) {
        text.assign(chosen[0], chosen[0].GetLength());
        text.push_back('\0');
        ofn.nFileOffset = static_cast<WORD>(NamePart(chosen[0]).IsEmpty() ? 0 : chosen[0].GetLength() - NamePart(chosen[0]).GetLength());
    } else {
        const CString folder = FolderPartOfPath(chosen[0]);
        text.assign(folder, folder.GetLength());
        text.push_back('\0');
        for (const CString& path : chosen) {
            const CString name = NamePart(path);
            text.append(name, name.GetLength());
            text.push_back('\0');
        }
        ofn.nFileOffset = static_cast<WORD>(folder.GetLength() + 1);
    }
    text.push_back('\0');
    if (ofn.lpstrFile == nullptr || text.size() > ofn.nMaxFile)
        return false;
    memcpy(ofn.lpstrFile, text.data(), text.size());
    const CString first = chosen[0];
    const int dot = NamePart(first).ReverseFind('.');
    ofn.nFileExtension = static_cast<WORD>(dot < 0 ? 0 : first.GetLength() - NamePart(first).GetLength() + dot + 1);
    return true;
}

} // namespace

FileDialogHook SetFileDialogHook(FileDialogHook hook)
{
    std::swap(Hook(), hook);
    return hook;
}

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags,
                         LPCSTR lpszFilter, CWnd* pParentWnd, DWORD, BOOL)
    : m_ofn(), m_bOpenFileDialog(bOpenFileDialog), m_pParentWnd(pParentWnd), m_fileBuffer(kFileBufferSize, '\0')
{
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLESIZING;
    m_ofn.hInstance = ::GetModuleHandleA(nullptr);
    m_ofn.lpstrFile = m_fileBuffer.data();
    m_ofn.nMaxFile = kFileBufferSize;
    if (lpszFileName != nullptr)
        lstrcpynA(m_fileBuffer.data(), lpszFileName, kFileBufferSize);
    if (lpszDefExt != nullptr) {
        m_defExt = lpszDefExt;
        if (!m_defExt.IsEmpty() && m_defExt[0] == '.')
            m_defExt = m_defExt.Mid(1);
        m_ofn.lpstrDefExt = m_defExt;
    }
    if (lpszFilter != nullptr) {
        m_filter = lpszFilter;
        m_filter.Replace('|', '\0');
        m_ofn.lpstrFilter = m_filter;
    }
}

INT_PTR CFileDialog::DoModal()
{
    if (Hook()) {
        FileDialogRequest request;
        request.open = m_bOpenFileDialog != FALSE;
        request.title = m_ofn.lpstrTitle ? m_ofn.lpstrTitle : "";
        request.defaultExtension = m_defExt;
        request.initialFileName = m_ofn.lpstrFile ? m_ofn.lpstrFile : "";
        request.initialFolder = m_ofn.lpstrInitialDir ? m_ofn.lpstrInitialDir : "";
        CString filter = m_filter;
        filter.Replace('\0', '|');
        request.filter = filter;
        request.flags = m_ofn.Flags;
        std::vector<CString> chosen;
        const INT_PTR answer = Hook()(request, chosen);
        if (answer != IDOK || chosen.empty())
            return IDCANCEL;
        if (chosen.size() > 1 && !(m_ofn.Flags & OFN_ALLOWMULTISELECT))
            chosen.resize(1);
        return StoreChoice(m_ofn, chosen) ? IDOK : IDCANCEL;
    }

    if (m_ofn.hwndOwner == nullptr)
        m_ofn.hwndOwner = m_pParentWnd != nullptr ? m_pParentWnd->GetSafeHwnd() : ::GetActiveWindow();
    const BOOL ok = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    return ok ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const
{
    if (m_ofn.lpstrFile == nullptr)
        return CString();
    // A multi-select answer with several files holds the folder first.
    if ((m_ofn.Flags & OFN_ALLOWMULTISELECT) && m_ofn.nFileOffset > 0 &&
        m_ofn.lpstrFile[m_ofn.nFileOffset - 1] == '\0') {
        POSITION pos = GetStartPosition();
        return GetNextPathName(pos);
    }
    return CString(m_ofn.lpstrFile);
}

CString CFileDialog::GetFileName() const
{
    return NamePart(GetPathName());
}

CString CFileDialog::GetFileExt() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}

CString CFileDialog::GetFolderPath() const
{
    return FolderPartOfPath(GetPathName());
}

POSITION CFileDialog::GetStartPosition() const
{
    if (m_ofn.lpstrFile == nullptr || m_ofn.lpstrFile[0] == '\0')
        return nullptr;
    return reinterpret_cast<POSITION>(m_ofn.lpstrFile);
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    const char* const begin = m_ofn.lpstrFile;
    const char* const end = begin + m_ofn.nMaxFile;
    const char* cursor = reinterpret_cast<const char*>(pos);
    if (cursor == nullptr || cursor < begin || cursor >= end) {
        pos = nullptr;
        return CString();
    }

    // One file: the buffer holds its full path alone.
    const size_t firstLength = strnlen(begin, m_ofn.nMaxFile);
    const bool several = (m_ofn.Flags & OFN_ALLOWMULTISELECT) && begin + firstLength + 1 < end &&
                         begin[firstLength + 1] != '\0';
    if (!several) {
        pos = nullptr;
        return CString(begin, static_cast<int>(firstLength));
    }

    if (cursor == begin)
        cursor = begin + firstLength + 1; // skip the folder
    const size_t length = strnlen(cursor, end - cursor);
    CString path = CString(begin, static_cast<int>(firstLength));
    if (!path.IsEmpty() && path[path.GetLength() - 1] != '\\')
        path += '\\';
    path += CString(cursor, static_cast<int>(length));
    const char* next = cursor + length + 1;
    pos = (next < end && *next != '\0') ? reinterpret_cast<POSITION>(const_cast<char*>(next)) : nullptr;
    return path;
}
