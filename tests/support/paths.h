// SourcePath: files of the source tree (test fixtures) as the test program sees them.
#pragma once

#include "framework/strings.h"

// relative uses forward slashes from the top of the source tree.
inline CString SourcePath(LPCSTR relative)
{
    CString path = CString(KORVANE_SOURCE_DIR) + "\\" + relative;
    path.Replace('/', '\\');
    return path;
}
