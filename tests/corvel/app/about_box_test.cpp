// The about box, shown modeless over the running main frame.
#include "corvel/app/about_dlg.h"
#include "corvel/resources/resource.h"

#include <gtest/gtest.h>

#include "corvel_app_environment.h"

// The program's version text, or the failure text of a program whose
// version resource lacks the "040904E4" table.
#ifdef KORVANE_NO_VERSION_BLOCK
#define KORVANE_EXPECTED_VERSION_PREFIX "Software Version : VerQueryValue Error is "
#else
#define KORVANE_EXPECTED_VERSION_PREFIX "Software Version : " CORVEL_VERSION_TEXT
#endif

namespace {

class AboutBox : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(about.Create(IDD_ABOUTBOX, CorvelAppEnvironment::Frame()));
        PumpMessages();
    }
    void TearDown() override { about.DestroyWindow(); }
    CString ItemText(int id)
    {
        CString text;
        about.GetDlgItemText(id, text);
        return text;
    }
    CAboutDlg about;
};

TEST_F(AboutBox, TitleProductAndVersion)
{
    CString title;
    about.GetWindowText(title);
    EXPECT_STREQ(" About Korvane EIP-Tarnwell", title);
    EXPECT_STREQ("Korvane EIP-Tarnwell", ItemText(IDC_ABOUT_PRODUCT));

    const CString version = ItemText(IDC_ABOUT_VERSION);
    const CString expected = KORVANE_EXPECTED_VERSION_PREFIX;
    ASSERT_GE(version.GetLength(), expected.GetLength()) << static_cast<LPCSTR>(version);
    EXPECT_STREQ(expected, version.Left(expected.GetLength()));
    EXPECT_STREQ(CString("Software Version : ") + CAboutDlg::ReadProductVersion(), version);
#ifdef KORVANE_NO_VERSION_BLOCK
    const CString code = version.Mid(expected.GetLength());
    EXPECT_FALSE(code.IsEmpty());
    EXPECT_EQ(code.GetLength(), static_cast<int>(strspn(code, "0123456789"))) << static_cast<LPCSTR>(code);
#endif
    EXPECT_FALSE(ItemText(IDC_ABOUT_COMPANY).IsEmpty());
    EXPECT_FALSE(ItemText(IDC_ABOUT_LEGAL).IsEmpty());
}

TEST_F(AboutBox, ProductNameInLargeArial)
{
    CWnd* product = about.GetDlgItem(IDC_ABOUT_PRODUCT);
    ASSERT_NE(nullptr, product);
    CFont* font = product->GetFont();
    ASSERT_NE(nullptr, font);
    LOGFONTA logFont = {};
    ASSERT_NE(0, font->GetLogFont(&logFont));
    EXPECT_EQ(36, logFont.lfHeight);
    EXPECT_STREQ("Arial", logFont.lfFaceName);
}

TEST_F(AboutBox, ReleaseNotesLinkToTheProgramFolder)
{
    EXPECT_STREQ("Release Notes", ItemText(IDC_ABOUT_RELEASE_NOTES));
    CWnd* link = about.GetDlgItem(IDC_ABOUT_RELEASE_NOTES);
    auto* hyperlink = DYNAMIC_DOWNCAST(CHyperLink, link);
    ASSERT_NE(nullptr, hyperlink);
    const CString program = AfxGetModuleFileName();
    EXPECT_STREQ(program.Left(program.ReverseFind('\\') + 1) + "readme.html", hyperlink->GetURL());
    EXPECT_NE(0u, link->GetStyle() & SS_NOTIFY);
}

} // namespace
