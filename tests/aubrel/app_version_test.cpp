// Version texts as GetAppVersion formats and copies them, without a window.
#include "aubrel/app_version.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(FormatProductVersion, SeparatorsAndBuildNumber)
{
    const struct {
        const char* version;
        const char* expected;
    } cases[] = {
        {"1, 0, 7, 1", "1.0.7 Build 1"},
        {"1.2.3.4", "1.2.3 Build 4"},
        {"2, 5", "2 Build 5"},
        {"1, 0, 7, 1, 2", "1.0.7.1.2"},          // four separators: all dots stay
        {"1, 2, 3, 4, 5, 6", "1.2.3.4.5.6"},
        {"1, 0.7.1", "1.0.7 Build 1"},           // mixed: one separator, dots after it
        {"7", "7"},
        {".5", ".5"},                            // a dot only at the first character
        {"", ""},
        {"3.1 beta", "3 Build 1 beta"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.expected, FormatProductVersion(c.version)) << c.version;
}

TEST(CopyVersionText, CutsAtTheDocumentedBufferSize)
{
    const std::string longText(400, '7');
    for (const size_t length : {size_t{0}, size_t{12}, size_t{255}, size_t{256}, size_t{400}}) {
        std::string buffer(512, 'x');
        CopyVersionText(&buffer[0], CString(longText.substr(0, length).c_str()));
        const size_t copied = std::min<size_t>(length, 255);
        EXPECT_EQ(std::string(copied, '7'), std::string(buffer.c_str())) << length;
        EXPECT_EQ(std::string(buffer.size() - copied - 1, 'x'), buffer.substr(copied + 1)) << length;
    }
}

TEST(ReadAppVersion, ProgramWithoutVersionResourceGivesEmptyText)
{
    const AppVersion version = ReadAppVersion(nullptr);
    EXPECT_FALSE(version.read);
    EXPECT_STREQ("", version.text);
}

} // namespace
