// The rewrite of a configuration's File names into a project folder, and the check of an XML file's start.
#include "corvel/project/configuration_rewrite.h"

#include <gtest/gtest.h>

#include <string>

#include "corvel/project/path_utils.h"
#include "support/paths.h"

namespace {

const char kFolder[] = "C:\\Plants\\North";

struct LineCase {
    const char* what;
    const char* line;
    const char* rewritten;
    const char* projectFile; // "" when the line names none
};

const LineCase kLineCases[] = {
    {"type in capitals, a path of another machine",
     "  <File Type=\"ICD\" Name=\"D:\\other\\SCLFiles\\b.icd\" Encoding=\"BASE64_ZIP\">",
     "    <File Type=\"icd\" Name=\"C:\\Plants\\North\\SCLFiles\\b.icd\" Encoding=\"BASE64_ZIP\">", ""},
    {"cid", "<File Type=\"cid\" Name=\"E:\\x\\y.cid\" Encoding=\"BASE64_ZIP\">",
     "    <File Type=\"cid\" Name=\"C:\\Plants\\North\\SCLFiles\\y.cid\" Encoding=\"BASE64_ZIP\">", ""},
    {"scd, text before the element dropped", "<Attachments><file type=\"Scd\" name=\"\\\\srv\\s\\Sub.SCD\">",
     "    <File Type=\"scd\" Name=\"C:\\Plants\\North\\SCLFiles\\Sub.SCD\">", ""},
    {"prj", "    <File Type=\"prj\" Name=\"D:\\work\\plant.prj\" Encoding=\"BASE64_ZIP\">",
     "    <File Type=\"prj\" Name=\"C:\\Plants\\North\\plant.prj\" Encoding=\"BASE64_ZIP\">",
     "C:\\Plants\\North\\plant.prj"},
    {"prx with its extension in capitals", "    <File Type=\"PRX\" Name=\"D:\\work\\Plant.PRX\">",
     "    <File Type=\"prx\" Name=\"C:\\Plants\\North\\Plant.PRX\">", "C:\\Plants\\North\\Plant.PRX"},
    {"a plain name keeps its text", "    <File Type=\"icd\" Name=\"b.icd\" Encoding=\"BASE64_ZIP\">",
     "    <File Type=\"icd\" Name=\"C:\\Plants\\North\\SCLFiles\\b.icd\" Encoding=\"BASE64_ZIP\">", ""},
    {"a backslash before the name only", "x\\y <File Type=\"prj\" Name=\"plant.prj\">",
     "    <File Type=\"prj\" Name=\"C:\\Plants\\North\\plant.prj\">", "C:\\Plants\\North\\plant.prj"},
    {"a project name without its extension is cut at the quote", "<File Type=\"prj\" Name=\"D:\\p\\plant\">",
     "    <File Type=\"prj\" Name=\"C:\\Plants\\North\\plant\">", "C:\\Plants\\North\\plant"},
    {"another type", "    <File Type=\"txt\" Name=\"D:\\a\\b.txt\">",
     "    <File Type=\"txt\" Name=\"D:\\a\\b.txt\">", ""},
    {"base64 text", "UEsDBBQAAgAIAAAAIQB/", "UEsDBBQAAgAIAAAAIQB/", ""},
    {"an empty line", "", "", ""},
};

TEST(ConfigurationRewriteLine, RewritesFileNamesIntoTheProjectFolder)
{
    for (const LineCase& c : kLineCases) {
        CString projectFile;
        EXPECT_EQ(c.rewritten, RewriteConfigurationLine(c.line, kFolder, projectFile)) << c.what;
        EXPECT_STREQ(c.projectFile, projectFile) << c.what;
    }
}

TEST(ConfigurationRewriteLine, AFolderWithATrailingBackslashIsNotDoubled)
{
    CString projectFile;
    EXPECT_EQ("    <File Type=\"prj\" Name=\"E:\\p.prj\">",
              RewriteConfigurationLine("<File Type=\"prj\" Name=\"D:\\x\\p.prj\">", "E:\\", projectFile));
    EXPECT_STREQ("E:\\p.prj", projectFile);
}

class ConfigurationRewriteFile : public ::testing::Test {
protected:
    ConfigurationRewrite Rewrite(const std::string& text)
    {
        WriteBinaryFile(source, text);
        return RewriteConfigurationFile(source, target, kFolder);
    }

    TempFolder folder;
    CString source = folder.File("upload.cfg");
    CString target = folder.File("TEMP.xml");
};

TEST_F(ConfigurationRewriteFile, CopiesEveryLineWithItsLineBreak)
{
    const std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                             "<DeviceConfig>\r\n"
                             "  <File Type=\"icd\" Name=\"D:\\o\\SCLFiles\\b.icd\" Encoding=\"BASE64_ZIP\">\n"
                             "UEsDBA==\r\n"
                             "</File>\r\n"
                             "</DeviceConfig>";
    const ConfigurationRewrite rewrite = Rewrite(text);
    EXPECT_EQ(ConfigurationRewrite::kDone, rewrite.result);
    EXPECT_STREQ("", rewrite.projectFile);
    // The last line has no line break: it is copied with one, so the document keeps its end tag.
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
              "<DeviceConfig>\r\n"
              "    <File Type=\"icd\" Name=\"C:\\Plants\\North\\SCLFiles\\b.icd\" Encoding=\"BASE64_ZIP\">\n"
              "UEsDBA==\r\n"
              "</File>\r\n"
              "</DeviceConfig>\r\n",
              ReadBinaryFile(target));
}

TEST_F(ConfigurationRewriteFile, TheLastProjectFileNamedWins)
{
    const ConfigurationRewrite rewrite = Rewrite("<File Type=\"prx\" Name=\"D:\\a\\one.prx\">\n"
                                                 "<File Type=\"prj\" Name=\"D:\\a\\two.prj\">\n");
    EXPECT_STREQ("C:\\Plants\\North\\two.prj", rewrite.projectFile);
}

TEST_F(ConfigurationRewriteFile, ALongLineIsReadWhole)
{
    const std::string base64(5000, 'A');
    const std::string tail = "<File Type=\"prj\" Name=\"D:\\a\\p.prj\">\n";
    Rewrite(base64 + "\n" + tail);
    EXPECT_EQ(base64 + "\n    <File Type=\"prj\" Name=\"C:\\Plants\\North\\p.prj\">\n", ReadBinaryFile(target));
}

TEST_F(ConfigurationRewriteFile, TheConfigurationMayBeItsOwnTarget)
{
    WriteBinaryFile(source, "<File Type=\"cid\" Name=\"D:\\a\\c.cid\">\n");
    EXPECT_EQ(ConfigurationRewrite::kDone, RewriteConfigurationFile(source, source, kFolder).result);
    EXPECT_EQ("    <File Type=\"cid\" Name=\"C:\\Plants\\North\\SCLFiles\\c.cid\">\n", ReadBinaryFile(source));
}

TEST_F(ConfigurationRewriteFile, FailuresWriteNothing)
{
    EXPECT_EQ(ConfigurationRewrite::kUnreadable,
              RewriteConfigurationFile(folder.File("none.cfg"), target, kFolder).result);
    EXPECT_FALSE(FileExists(target));
    WriteBinaryFile(source, "x\n");
    EXPECT_EQ(ConfigurationRewrite::kUnwritable,
              RewriteConfigurationFile(source, folder.File("missing\\TEMP.xml"), kFolder).result);
}

TEST(XmlStartCheck, RefusesStartsThatEndTheReader)
{
    const struct {
        const char* what;
        std::string bytes;
        bool intact;
    } cases[] = {
        {"empty", "", false},
        {"a bare byte-order mark", "\xEF\xBB\xBF", false},
        {"the mark and a cut start", "\xEF\xBB\xBF<?", false},
        {"a cut start", "<?xm", false},
        {"a cut declaration", "<?xml version=\"1.0\" enc", false},
        {"a declaration alone", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>", false},
        {"the mark and a declaration alone", "\xEF\xBB\xBF<?xml version=\"1.0\"?>", false},
        {"a declaration and a line break", "<?xml version=\"1.0\"?>\n", true},
        {"a declaration and a cut element", "\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<Device", true},
        {"no declaration", "<DeviceConfig/>", true},
        {"a start of one character", "<", false},
        {"a cut element", "<D", true},
        {"text", "abc", true},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        WriteBinaryFile(folder.File("t.xml"), c.bytes);
        EXPECT_EQ(c.intact, IsXmlStartIntact(folder.File("t.xml"))) << c.what;
    }
    EXPECT_FALSE(IsXmlStartIntact(folder.File("none.xml")));
}

} // namespace
