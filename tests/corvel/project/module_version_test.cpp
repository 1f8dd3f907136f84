// GetModuleProductVersion on a program without a version resource, or with one too large to read.
#include "corvel/project/module_version.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

CString ProgramName()
{
    char path[MAX_PATH + 1] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    const CString full = path;
    return full.Mid(full.ReverseFind('\\') + 1);
}

TEST(ModuleProductVersion, UnreadableVersionGivesFalseAndZeros)
{
    char path[MAX_PATH + 1] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path, &handle);
#ifdef KORVANE_LARGE_VERSION_BLOCK
    ASSERT_GE(size, kVersionBlockLimit);
#else
    ASSERT_EQ(0u, size);
#endif
    int parts[4] = {7, 7, 7, 7};
    EXPECT_FALSE(GetModuleProductVersion(ProgramName(), parts[0], parts[1], parts[2], parts[3]));
    EXPECT_THAT(parts, ::testing::Each(0));
}

} // namespace
