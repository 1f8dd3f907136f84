// FormatProductVersion, ReadAppVersion, CopyVersionText: a module's product version as Aubrel reports it.
#pragma once

#include "aubrel/aubrel.h"
#include "framework/core.h"

// The version table GetAppVersion reads: US English, Unicode code page.
constexpr char kProductVersionKey[] = "\\StringFileInfo\\040904B0\\ProductVersion";
// Characters GetAppVersion writes at the most, terminator included.
constexpr int kVersionBufferSize = AUBREL_VERSION_BUFFER;

// "1, 0, 7, 1" -> "1.0.7 Build 1": every ", " becomes "."; with fewer than
// four of them and a "." after the first character, the part after the last
// "." becomes the build number. "1.2.3.4" -> "1.2.3 Build 4".
CString FormatProductVersion(CString version);

struct AppVersion {
    CString text;
    bool read = false;
};

// The formatted product version of the loaded module (the program when module
// is null). Empty without version information; "GetFileVersionInfo Error is N"
// with the system's error code when the block or its value cannot be read.
AppVersion ReadAppVersion(HMODULE module);

// Copies text into buffer, cut to kVersionBufferSize - 1 characters, with its terminator.
void CopyVersionText(LPSTR buffer, const CString& text);
