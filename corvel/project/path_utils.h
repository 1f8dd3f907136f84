// Path and file helpers: CopyString, FileExists, shell copy/rename, path parts; CReplacingFile.
#pragma once
#include "framework/core.h"

// Shell file-operation codes and the flag the helpers pass.
constexpr UINT kShellOpCopy = 2;     // FO_COPY
constexpr UINT kShellOpRename = 4;   // FO_RENAME
constexpr WORD kShellFilesOnly = 0x80; // FOF_FILESONLY

// Copies at most size-1 characters and always terminates the destination.
void CopyString(LPTSTR destination, int size, CString source);
bool FileExists(CString path);
bool DeleteFileAtPath(CString path);
// Runs one shell file operation on one source path; returns the shell's result (0 = success).
int ShellFileOperation(UINT operation, CString target, CString source, WORD flags);
bool CopyFileShell(CString target, CString source);
bool RenameFileShell(CString target, CString source);
CString GetFileNameOfPath(CString path);
CString GetFolderOfPath(CString path);
CString RemoveFileExtension(CString path);
bool EndsWithExtension(CString path, CString extension);
CString ChangeFileExtension(CString path, CString extension);
// Whether two paths name the same file or folder (their full forms compared without case).
bool IsSamePath(const CString& first, const CString& second);
bool CreateFolder(CString path);
// The part of path before its last "\\" or "/" (a drive's root keeps its backslash); empty when it has neither.
CString GetContainingFolder(const CString& path);
// folder and name with one backslash between them; name alone when folder is empty.
CString JoinPath(const CString& folder, const CString& name);
// A new, empty file in the folder of path (the current folder when path names none), its name made of
// prefix and a unique number; empty when none could be made (GetLastError tells why). Writers fill it and
// then move it over path, so that path never holds a half-written file.
CString CreateTemporaryFileBeside(const CString& path, LPCSTR prefix);
// Folder of the running program (its file path up to the last backslash).
CString GetProgramFolder();

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
