#include "corvel/resources/resource.h"
#include "framework/core.h"
#include "framework/winapp.h"
#include "support/message_box_recorder.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const char kOleInitFailed[] = "OLE initialization failed.  Make sure that the OLE libraries are the correct version.";

TEST(StringResources, LoadStringFindsTheTable)
{
    struct Case {
        UINT id;
        const char* text;
    };
    const Case cases[] = {
        {IDP_OLE_INIT_FAILED, kOleInitFailed},
        {IDS_EXPLORER, "Explorer"},
        {IDS_EDIT, "Edit"},
    };
    for (const Case& c : cases) {
        CString text("stale");
        EXPECT_TRUE(text.LoadString(c.id)) << c.id;
        EXPECT_STREQ(c.text, text) << c.id;
    }
    CString missing("kept");
    EXPECT_FALSE(missing.LoadString(9999));
    EXPECT_STREQ("kept", missing);
    EXPECT_STREQ("Explorer", CString(MAKEINTRESOURCEA(IDS_EXPLORER)));
}

TEST(StringResources, MessageBoxByStringId)
{
    MessageBoxRecorder boxes;
    CWinApp app("Corvel");
    EXPECT_EQ(IDOK, AfxMessageBox(IDP_OLE_INIT_FAILED));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ(kOleInitFailed, boxes.Last().text);
    EXPECT_STREQ("Corvel", boxes.Last().caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), boxes.Last().type);
}

class VersionResource : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_path = AfxGetModuleFileName();
        DWORD handle = 0;
        const DWORD size = ::GetFileVersionInfoSizeA(m_path, &handle);
        ASSERT_GT(size, 0u);
        m_block.resize(size);
        ASSERT_TRUE(::GetFileVersionInfoA(m_path, 0, size, m_block.data()));
    }

    CString Value(const char* query)
    {
        void* value = nullptr;
        UINT length = 0;
        if (!::VerQueryValueA(m_block.data(), query, &value, &length) || value == nullptr)
            return CString();
        return CString(static_cast<const char*>(value));
    }

    CString m_path;
    std::vector<BYTE> m_block;
};

TEST_F(VersionResource, StringFileInfoOfTheProgram)
{
    struct Case {
        const char* name;
        const char* value;
    };
    const Case cases[] = {
        {"CompanyName", "Korvane"},
        {"FileDescription", "Corvel"},
        {"ProductName", "Korvane EIP-Tarnwell"},
        {"FileVersion", "3.0.0.0"},
        {"ProductVersion", "3.0.0.0"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.value, Value((CString("\\StringFileInfo\\040904E4\\") + c.name).GetString())) << c.name;
}

TEST_F(VersionResource, NumbersAndTranslationAgreeWithTheText)
{
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueA(m_block.data(), "\\", &value, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    CString numbers;
    numbers.Format("%u.%u.%u.%u", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
        HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
    EXPECT_STREQ(CORVEL_VERSION_TEXT, numbers);
    EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
    EXPECT_EQ(fixed->dwFileVersionLS, fixed->dwProductVersionLS);

    ASSERT_TRUE(::VerQueryValueA(m_block.data(), "\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(4u, length);
    const WORD* translation = static_cast<const WORD*>(value);
    EXPECT_EQ(0x409, translation[0]);
    EXPECT_EQ(1252, translation[1]);
}

} // namespace
