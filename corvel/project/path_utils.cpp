#include "corvel/project/path_utils.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <vector>

void CopyString(LPTSTR destination, int size, CString source)
{
    if (destination == nullptr || size <= 0)
        return;
    lstrcpynA(destination, source, size);
}

bool FileExists(CString path)
{
    return PathFileExistsA(path) == 1;
}

bool DeleteFileAtPath(CString path)
{
    return DeleteFileA(path) == 1;
}

int ShellFileOperation(UINT operation, CString target, CString source, WORD flags)
{
    // The shell takes lists of names, each list ended by a second terminator.
    std::vector<char> from(source.GetLength() + 2, '\0');
    memcpy(from.data(), (LPCTSTR)source, source.GetLength());
    std::vector<char> to(target.GetLength() + 2, '\0');
    memcpy(to.data(), (LPCTSTR)target, target.GetLength());

    SHFILEOPSTRUCTA op = {};
    op.wFunc = operation;
    op.pFrom = from.data();
    if (operation == FO_COPY || operation == FO_RENAME)
        op.pTo = to.data();
    op.fFlags = flags;
    return SHFileOperationA(&op);
}

bool CopyFileShell(CString target, CString source)
{
    return ShellFileOperation(FO_COPY, target, source, FOF_FILESONLY) == 0;
}

bool RenameFileShell(CString target, CString source)
{
    return ShellFileOperation(FO_RENAME, target, source, FOF_FILESONLY) == 0;
}

CString GetFileNameOfPath(CString path)
{
    int slash = path.ReverseFind('\\');
    return slash < 0 ? path : path.Mid(slash + 1);
}

CString GetFolderOfPath(CString path)
{
    return path.ReverseFind('.') > path.ReverseFind('\\') ? FolderPartOfPath(path) : path;
}

CString RemoveFileExtension(CString path)
{
    int dot = path.ReverseFind('.');
    return dot < 0 ? CString() : path.Left(dot);
}

bool EndsWithExtension(CString path, CString extension)
{
    path.MakeLower();
    return path.GetLength() >= extension.GetLength() && path.Right(extension.GetLength()) == extension;
}

CString ChangeFileExtension(CString path, CString extension)
{
    // Only a dot in the file name starts its extension, not one in a folder name.
    const int nameStart = std::max(path.ReverseFind('\\'), path.ReverseFind('/')) + 1;
    const int dot = path.ReverseFind('.');
    if (dot > nameStart)
        path = path.Left(dot);
    if (extension.IsEmpty() || extension[0] != '.')
        path += '.';
    path += extension;
    return path;
}

bool CreateFolder(CString path)
{
    return CreateDirectoryA(path, nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

CString GetContainingFolder(const CString& path)
{
    const int separator = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
    if (separator < 0)
        return CString();
    const bool isDriveRoot = separator == 2 && path[1] == ':';
    return path.Left(isDriveRoot ? separator + 1 : separator);
}

CString JoinPath(const CString& folder, const CString& name)
{
    if (folder.IsEmpty())
        return name;
    const char last = folder[folder.GetLength() - 1];
    return last == '\\' || last == '/' ? folder + name : folder + "\\" + name;
}

namespace {

// The full form of a path, without trailing backslashes.
CString FullPath(const CString& path)
{
    char full[MAX_PATH] = {};
    const DWORD length = ::GetFullPathNameA(path, MAX_PATH, full, nullptr);
    CString result = length > 0 && length < MAX_PATH ? CString(full) : path;
    result.TrimRight('\\');
    return result;
}

} // namespace

bool IsSamePath(const CString& first, const CString& second)
{
    return FullPath(first).CompareNoCase(FullPath(second)) == 0;
}

CString CreateTemporaryFileBeside(const CString& path, LPCSTR prefix)
{
    CString folder = GetContainingFolder(path);
    if (folder.IsEmpty())
        folder = ".";
    char name[MAX_PATH] = {};
    if (::GetTempFileNameA(folder, prefix, 0, name) == 0)
        return CString();
    return name;
}

CReplacingFile::CReplacingFile(const CString& target, LPCSTR prefix)
    : m_target(target), m_temporary(CreateTemporaryFileBeside(target, prefix))
{
}

CReplacingFile::~CReplacingFile()
{
    if (!m_temporary.IsEmpty())
        ::DeleteFileA(m_temporary);
}

bool CReplacingFile::Commit()
{
    if (m_temporary.IsEmpty() || !::MoveFileExA(m_temporary, m_target, MOVEFILE_REPLACE_EXISTING))
        return false;
    m_temporary.Empty();
    return true;
}
