// Path and file helpers: CopyString, FileExists, shell copy/rename, path parts; CReplacingFile. The one home
// of these ideas.
#pragma once
#include "framework/core.h"

// Copies at most size-1 characters and always terminates the destination.
void CopyString(LPTSTR destination, int size, CString source);
bool FileExists(CString path);
bool DeleteFileAtPath(CString path);
// Runs one shell file operation (FO_COPY, FO_RENAME ...) on one source path with the flags (FOF_...); the
// target path is passed for copy and rename only. Returns the shell's result (0 = success).
int ShellFileOperation(UINT operation, CString target, CString source, WORD flags);
bool CopyFileShell(CString target, CString source);
bool RenameFileShell(CString target, CString source);
CString GetFileNameOfPath(CString path);
// The part before the last "\" when the file name has an extension, else the whole path (taken as a folder).
// FolderPartOfPath (the framework's) takes the part before the last "\" of any path.
CString GetFolderOfPath(CString path);
CString RemoveFileExtension(CString path);
bool EndsWithExtension(CString path, CString extension);
// path with the extension of its file name part replaced by extension (given with or without its dot); a file
// name without one gets it appended. A dot in a folder name, or leading the file name, starts no extension.
CString ChangeFileExtension(CString path, CString extension);
bool CreateFolder(CString path);
// The part of path before its last "\\" or "/" (a drive's root keeps its backslash); empty when it has neither.
CString GetContainingFolder(const CString& path);
// folder, a backslash unless folder ends with one (or with "/"), and name; name alone without a folder.
CString JoinPath(const CString& folder, const CString& name);
// Whether two paths name the same file or folder: their full forms, without trailing backslashes, compared
// without letter case.
bool IsSamePath(const CString& first, const CString& second);
// A new, empty file in the folder of path (the current folder when path names none), its name made of
// prefix and a unique number; empty when none could be made (GetLastError tells why). Writers fill it and
// then move it over path, so that path never holds a half-written file.
CString CreateTemporaryFileBeside(const CString& path, LPCSTR prefix);
// A file written under a temporary name beside its target (CreateTemporaryFileBeside) and moved over the
// target by Commit once complete; a file never committed is deleted with the object.
class CReplacingFile {
public:
    CReplacingFile(const CString& target, LPCSTR prefix);
    ~CReplacingFile();
    CReplacingFile(const CReplacingFile&) = delete;
    CReplacingFile& operator=(const CReplacingFile&) = delete;

    // Where to write; empty when no temporary file could be made.
    const CString& TemporaryPath() const { return m_temporary; }
    // Moves the written file over the target; false (the target as it was) when it cannot.
    bool Commit();

private:
    CString m_target;
    CString m_temporary;
};
