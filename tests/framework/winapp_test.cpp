#include "framework/core.h"
#include "framework/winapp.h"
#include "support/temp_folder.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(CWinApp, RegistersTheOneApplicationObject)
{
    EXPECT_EQ(nullptr, AfxGetApp());
    EXPECT_STREQ("test_framework_app", AfxGetAppName());
    {
        CWinApp app;
        EXPECT_EQ(&app, AfxGetApp());
        EXPECT_STREQ("test_framework_app", app.m_pszAppName);
        EXPECT_STREQ("test_framework_app", app.m_pszExeName);
        EXPECT_EQ(::GetModuleHandleA(nullptr), app.m_hInstance);
        EXPECT_EQ(nullptr, app.m_pszRegistryKey);
        const CString expectedIni = AfxGetModuleFileName().Left(AfxGetModuleFileName().ReverseFind('.')) + ".INI";
        EXPECT_STREQ(expectedIni, app.m_pszProfileName);
        {
            CWinApp named("Corvel");
            EXPECT_EQ(&named, AfxGetApp());
            EXPECT_STREQ("Corvel", AfxGetAppName());
        }
        EXPECT_EQ(&app, AfxGetApp());
    }
    EXPECT_EQ(nullptr, AfxGetApp());
    EXPECT_EQ(::GetModuleHandleA(nullptr), AfxGetResourceHandle());
}

class RegistryProfile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, TestRegistryRoot());
        m_app.SetRegistryKey(TestRegistryKey());
    }
    void TearDown() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, TestRegistryRoot()); }

    CWinApp m_app{"ProfileTest"};
};

TEST_F(RegistryProfile, WrittenValuesReadBackAndAbsentOnesGiveTheDefault)
{
    EXPECT_STREQ(TestRegistryKey(), m_app.m_pszRegistryKey);
    EXPECT_STREQ("ProfileTest", m_app.m_pszProfileName);

    EXPECT_STREQ("fallback", m_app.GetProfileString("Settings", "Last File", "fallback"));
    EXPECT_STREQ("", m_app.GetProfileString("Settings", "Last File"));
    EXPECT_EQ(17u, m_app.GetProfileInt("Settings", "Zoom", 17));

    EXPECT_TRUE(m_app.WriteProfileString("Settings", "Last File", "C:\\plant\\unit1.kpj"));
    EXPECT_TRUE(m_app.WriteProfileInt("Settings", "Zoom", 150));
    EXPECT_TRUE(m_app.WriteProfileInt("Settings", "Offset", -3));
    EXPECT_TRUE(m_app.WriteProfileString("Window", "Title", ""));

    EXPECT_STREQ("C:\\plant\\unit1.kpj", m_app.GetProfileString("Settings", "Last File", "fallback"));
    EXPECT_EQ(150u, m_app.GetProfileInt("Settings", "Zoom", 17));
    EXPECT_EQ(-3, static_cast<int>(m_app.GetProfileInt("Settings", "Offset", 0)));
    EXPECT_STREQ("", m_app.GetProfileString("Window", "Title", "fallback"));
    EXPECT_EQ(5u, m_app.GetProfileInt("Settings", "Last File", 5));

    HKEY raw = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
        ::RegOpenKeyExA(HKEY_CURRENT_USER, TestRegistryRoot() + "\\ProfileTest\\Settings", 0, KEY_READ, &raw));
    ::RegCloseKey(raw);

    EXPECT_TRUE(m_app.WriteProfileString("Settings", "Zoom", nullptr));
    EXPECT_EQ(17u, m_app.GetProfileInt("Settings", "Zoom", 17));
    EXPECT_STREQ("C:\\plant\\unit1.kpj", m_app.GetProfileString("Settings", "Last File"));

    EXPECT_TRUE(m_app.WriteProfileString("Settings", nullptr, nullptr));
    EXPECT_STREQ("gone", m_app.GetProfileString("Settings", "Last File", "gone"));
    EXPECT_STREQ("", m_app.GetProfileString("Window", "Title", "fallback"));
}

TEST(IniProfile, WithoutARegistryKeyTheIniFileIsUsed)
{
    TempFolder folder;
    const CString ini = folder.File("settings.ini");
    CWinApp app("IniTest");
    app.m_pszProfileName = ini;

    EXPECT_EQ(4u, app.GetProfileInt("Settings", "Zoom", 4));
    EXPECT_TRUE(app.WriteProfileInt("Settings", "Zoom", 120));
    EXPECT_TRUE(app.WriteProfileString("Settings", "Name", "Unit 1"));
    EXPECT_TRUE(app.WriteProfileString("Other", "Key", "x"));
    EXPECT_EQ(120u, app.GetProfileInt("Settings", "Zoom", 4));
    EXPECT_STREQ("Unit 1", app.GetProfileString("Settings", "Name"));

    const std::string longValue(3000, 'v');
    EXPECT_TRUE(app.WriteProfileString("Settings", "Long", longValue.c_str()));
    EXPECT_STREQ(longValue.c_str(), app.GetProfileString("Settings", "Long"));

    EXPECT_TRUE(app.WriteProfileString("Settings", "Name", nullptr));
    EXPECT_STREQ("none", app.GetProfileString("Settings", "Name", "none"));
    EXPECT_TRUE(app.WriteProfileString("Other", nullptr, nullptr));
    EXPECT_STREQ("none", app.GetProfileString("Other", "Key", "none"));

    CStdioFile file(ini, CFile::modeRead | CFile::shareDenyNone);
    CString firstLine;
    ASSERT_TRUE(file.ReadString(firstLine));
    EXPECT_STREQ("[Settings]", firstLine);
}

// Bytes round-trip in both stores; a missing entry or one holding text is no binary value.
TEST_F(RegistryProfile, BinaryValuesReadBackInTheRegistryAndTheIniFile)
{
    TempFolder folder;
    const CString iniPath = folder.File("settings.ini");
    CWinApp ini("IniBinaryTest");
    ini.m_pszProfileName = iniPath;
    const BYTE bytes[] = {0x00, 0x2C, 0xFF, 0x10, 0xA5};
    for (CWinApp* app : {&m_app, &ini}) {
        std::vector<BYTE> read = {1, 2};
        EXPECT_FALSE(app->GetProfileBinary("Layout", "Placement", read));
        EXPECT_TRUE(read.empty());
        ASSERT_TRUE(app->WriteProfileBinary("Layout", "Placement", bytes, sizeof bytes));
        ASSERT_TRUE(app->GetProfileBinary("Layout", "Placement", read)) << app->m_pszAppName;
        EXPECT_EQ(std::vector<BYTE>(bytes, bytes + sizeof bytes), read);
        EXPECT_TRUE(app->WriteProfileString("Layout", "Name", "not hex"));
        EXPECT_FALSE(app->GetProfileBinary("Layout", "Name", read));
        EXPECT_TRUE(read.empty());
    }
    EXPECT_STREQ("002CFF10A5", ini.GetProfileString("Layout", "Placement"));
}

} // namespace
