// SourcePath, SharedTestData, file helpers: paths and files as the test program sees them.
#pragma once

#include "framework/strings.h"
#include "support/temp_folder.h"

#include <cstdio>
#include <string>

// relative uses forward slashes from the top of the source tree.
inline CString SourcePath(LPCSTR relative)
{
    CString path = CString(KORVANE_SOURCE_DIR) + "\\" + relative;
    path.Replace('/', '\\');
    return path;
}

// A file of the shared, read-only test data beside the project ("scl/x.icd").
inline CString SharedTestData(LPCSTR relative)
{
    return SourcePath(CString("../shared/testdata/") + relative);
}

inline void WriteBinaryFile(const CString& path, const std::string& bytes)
{
    FILE* f = fopen(path, "wb");
    if (!f)
        return;
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

inline void WriteTextFile(const CString& path, LPCSTR text)
{
    WriteBinaryFile(path, text);
}

inline std::string ReadBinaryFile(const CString& path)
{
    std::string bytes;
    FILE* f = fopen(path, "rb");
    if (!f)
        return bytes;
    char buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.append(buffer, n);
    fclose(f);
    return bytes;
}

inline std::string ReadTextFile(const CString& path)
{
    return ReadBinaryFile(path);
}
