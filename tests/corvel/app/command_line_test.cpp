// Corvel.exe started with a project or SCL file on its command line opens it: a .prx, a .prj and an .scd.
#include "corvel/model/project_records.h"
#include "corvel/project/project_state.h"

#include <gtest/gtest.h>

#include "corvel_process.h"
#include "support/paths.h"

#include <algorithm>
#include <vector>

namespace {

const char kFixture[] = "tests/corvel/project/fixtures/prx/plant.prx";

bool Holds(const std::vector<CString>& texts, const CString& text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

CString Quoted(const CString& path)
{
    return "\"" + path + "\"";
}

class CommandLine : public ::testing::Test {
protected:
    // Starts Corvel with file on its command line; fails the test when it does not come up.
    void Start(const CString& file)
    {
        CString failure;
        ASSERT_TRUE(m_corvel.Start(Quoted(file), failure)) << static_cast<LPCSTR>(failure);
    }

    // Waits until the loaded project shows: the buttons with the addresses of its gateway and IEDs and the
    // file view with its SCL files; no message box may come up.
    void ExpectPlantShown()
    {
        const bool shown = m_corvel.WaitUntil([this] {
            const std::vector<CString> buttons = m_corvel.VisibleChildTexts("Button");
            return Holds(buttons, "10.0.0.20") && Holds(buttons, "10.0.1.11") && Holds(buttons, "10.0.1.12");
        });
        EXPECT_TRUE(m_corvel.MessageBoxTexts().empty())
            << static_cast<LPCSTR>(m_corvel.MessageBoxTexts().empty() ? CString() : m_corvel.MessageBoxTexts()[0]);
        ASSERT_TRUE(shown) << "the project's devices are not shown";
        EXPECT_EQ(CString(CorvelProcess::kTitle), Title());
        const std::vector<CString> items = m_corvel.TreeItemPaths();
        for (LPCSTR file : {"C:\\Projects\\North\\SCLFiles\\bay1.cid", "C:\\Projects\\North\\SCLFiles\\bay2.icd"})
            EXPECT_TRUE(std::any_of(items.begin(), items.end(), [file](const CString& item) {
                return item.Right(static_cast<int>(strlen(file))) == file;
            })) << file;
    }

    CString Title() const
    {
        char title[256] = {};
        ::GetWindowTextA(m_corvel.MainWindow(), title, sizeof title);
        return title;
    }

    TempFolder m_folder;
    CorvelProcess m_corvel;
};

TEST_F(CommandLine, OpensAProjectXmlFile)
{
    const CString path = m_folder.File("plant.prx");
    ASSERT_TRUE(::CopyFileA(SourcePath(kFixture), path, FALSE));
    Start(path);
    ExpectPlantShown();
}

TEST_F(CommandLine, OpensAProjectArchive)
{
    // The fixture saved as an archive, as the document saves it.
    const CString path = m_folder.File("plant.prj");
    {
        CProjectState project;
        project.RebuildDeviceSlots(Corvel::Records::kDefaultMaxIeds, Corvel::Records::kDefaultMaxPlcs);
        CString error;
        std::vector<CString> warnings;
        ASSERT_TRUE(project.ReadXmlFile(SourcePath(kFixture), error, warnings)) << static_cast<LPCSTR>(error);
        project.project.filePath = path;
        ASSERT_EQ(ArchiveWriteResult::kWritten, project.WriteArchiveFile(path, {}, error)) << static_cast<LPCSTR>(error);
    }
    Start(path);
    ExpectPlantShown();
}

TEST_F(CommandLine, AddsTheIedsOfAnSclFile)
{
    const CString path = m_folder.File("station.scd");
    WriteTextFile(path,
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                  "<SCL xmlns=\"http://www.iec.ch/61850/2003/SCL\">\n"
                  "<Communication><SubNetwork name=\"N1\"><ConnectedAP iedName=\"STATION1\" apName=\"AP1\">"
                  "<Address><P type=\"IP\">10.9.9.9</P></Address></ConnectedAP></SubNetwork></Communication>\n"
                  "<IED name=\"STATION1\" manufacturer=\"Korvane\"><AccessPoint name=\"AP1\"><Server>"
                  "<LDevice inst=\"LD0\"><LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"T\"/></LDevice>"
                  "</Server></AccessPoint></IED>\n</SCL>\n");
    Start(path);
    const bool shown = m_corvel.WaitUntil([&] { return Holds(m_corvel.TreeItemPaths(), path + "/STATION1"); });
    EXPECT_TRUE(m_corvel.MessageBoxTexts().empty())
        << static_cast<LPCSTR>(m_corvel.MessageBoxTexts().empty() ? CString() : m_corvel.MessageBoxTexts()[0]);
    EXPECT_TRUE(shown) << "the file view does not show the IED of the file";
    EXPECT_EQ(CString(CorvelProcess::kTitle), Title());
}

} // namespace
