#include "corvel/model/ied_properties.h"

#include <gtest/gtest.h>

namespace {

using namespace Corvel::Records;

TEST(IedProperties, MmsTimingRanges)
{
    struct Case {
        const char* scanDelay;
        const char* ping;
        const char* error;
    };
    const Case cases[] = {
        {"0", "0", ""},
        {"", "", ""},
        {"2", "600", ""},
        {"10000", "12", ""},
        {"abc", "12", ""},
        {"1", "12", kMmsScanDelayRangeError},
        {"10001", "12", kMmsScanDelayRangeError},
        {"-5", "12", kMmsScanDelayRangeError},
        {"2", "601", kMmsPingRangeError},
        {"2", "-1", kMmsPingRangeError},
        {"1", "601", kMmsScanDelayRangeError},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CString(c.error), CheckMmsTimings(c.scanDelay, c.ping)) << c.scanDelay << "/" << c.ping;
}

TEST(IedProperties, ReadShowsDefaultsForEmptyTimings)
{
    _IED_DEVICE device;
    device.name = "relay";
    device.MSScanDelay.Empty();
    device.MMSping.Empty();
    IedGeneralSettings settings = ReadGeneralSettings(device);
    EXPECT_EQ(CString("2"), settings.mmsScanDelay);
    EXPECT_EQ(CString("12"), settings.mmsPing);
    EXPECT_EQ(CString("relay"), settings.name);
    EXPECT_EQ(CString("192.168.0.250"), settings.ipAddress);

    device.MSScanDelay = "500";
    device.MMSping = "30";
    settings = ReadGeneralSettings(device);
    EXPECT_EQ(CString("500"), settings.mmsScanDelay);
    EXPECT_EQ(CString("30"), settings.mmsPing);
}

TEST(IedProperties, ApplyReportsChangesAndCutsTheComment)
{
    _IED_DEVICE device;
    IedGeneralSettings settings = ReadGeneralSettings(device);
    settings.mmsScanDelay = device.MSScanDelay;
    settings.mmsPing = device.MMSping;
    EXPECT_FALSE(ApplyGeneralSettings(device, settings));

    settings.comment = CString('c', 300);
    EXPECT_TRUE(ApplyGeneralSettings(device, settings));
    EXPECT_EQ(kIedCommentLimit, device.comment.GetLength());
    // The same long comment again is no change.
    EXPECT_FALSE(ApplyGeneralSettings(device, settings));

    settings.gateway = "10.0.0.1";
    EXPECT_TRUE(ApplyNetworkSettings(device, settings));
    EXPECT_EQ(CString("10.0.0.1"), device.Gateway);
    EXPECT_FALSE(ApplyNetworkSettings(device, settings));
    settings.name = "renamed";
    EXPECT_FALSE(ApplyNetworkSettings(device, settings));
    EXPECT_NE(CString("renamed"), device.name);
}

} // namespace
