// SourcePath, SharedTestData, file helpers: paths and files as the test program sees them.
#pragma once

#include "framework/strings.h"
#include "support/temp_folder.h"
#include "support/test_dirs.h"

#include <cstdio>
#include <string>

// relative uses forward slashes from the top of the source tree.
inline CString SourcePath(LPCSTR relative)
{
    CString path = CString(TestSourceDir()) + "\\" + relative;
    path.Replace('/', '\\');
    return path;
}

// Whether the shared, read-only test data was found when the tests were configured.
inline bool HaveSharedTestData()
{
    return TestSharedDir()[0] != '\0';
}

// A file of the shared test data ("scl/x.icd").
inline CString SharedTestData(LPCSTR relative)
{
    CString path = CString(TestSharedDir()) + "\\testdata\\" + relative;
    path.Replace('/', '\\');
    return path;
}

// Skips the running test when the shared test data is not there.
#define SKIP_WITHOUT_SHARED_TESTDATA()                                  \
    do {                                                                \
        if (!HaveSharedTestData())                                      \
            GTEST_SKIP() << "the shared test data was not found";       \
    } while (0)

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
