// Path and file helpers: CopyString, FileExists, shell copy/rename, path parts.
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
// path with the extension of its file name part replaced by extension (given without its dot); a file name
// without one gets it appended. Unlike ChangeFileExtension, a dot in a folder name is not taken for the
// extension's.
CString ChangeFileNameExtension(const CString& path, LPCSTR extension);
bool CreateFolder(CString path);
// folder, a backslash unless folder ends with one, and name.
CString JoinPath(const CString& folder, const CString& name);
// Whether two paths name the same file or folder: their full forms, without trailing backslashes, compared
// without letter case.
bool IsSamePath(const CString& first, const CString& second);
// Folder of the running program (its file path up to the last backslash).
CString GetProgramFolder();
