// The gateway settings as the properties dialog edits them: the OK check's findings and their order, the
// defaults, and the transfer to and from the project with its count of changes.
#include "corvel/gateway/gateway_settings.h"

#include <gtest/gtest.h>

namespace {

using namespace Corvel::Gateway;

GatewaySettings TwoPortSettings()
{
    GatewaySettings s;
    s.model = kModelTwoPorts;
    s.e1Address = "192.168.0.10";
    s.e1Mask = "255.255.255.0";
    s.e2Address = "192.168.1.20";
    s.e2Mask = "255.255.255.0";
    ApplyGatewayDefaults(s);
    return s;
}

GatewayFieldsShown AllShown()
{
    GatewayFieldsShown shown;
    shown.e2Mask = shown.readStart = shown.writeStart = shown.serverCounts = true;
    return shown;
}

TEST(GatewaySettingsCheck, FindsTheFirstFaultInTheDialogsOrder)
{
    struct Case {
        const char* name;
        void (*change)(GatewaySettings&);
        GatewayFinding expected;
    };
    const Case cases[] = {
        {"valid", [](GatewaySettings&) {}, GatewayFinding::None},
        {"same network", [](GatewaySettings& s) { s.e2Address = "192.168.0.20"; }, GatewayFinding::SameNetwork},
        {"same network under a wider E2 mask",
         [](GatewaySettings& s) {
             s.e2Address = "192.168.1.20";
             s.e1Mask = "255.255.0.0";
             s.e2Mask = "255.255.0.0";
         },
         GatewayFinding::SameNetwork},
        {"one-port model: no comparison",
         [](GatewaySettings& s) {
             s.model = kModelOnePort;
             s.e2Address = "192.168.0.20";
         },
         GatewayFinding::None},
        {"two ports on one: no comparison",
         [](GatewaySettings& s) {
             s.model = kModelTwoPortsOnOne;
             s.e2Address = "192.168.0.20";
         },
         GatewayFinding::None},
        {"E1 mask zero", [](GatewaySettings& s) { s.e1Mask = "0.0.0.0"; }, GatewayFinding::ZeroMaskE1},
        {"E2 mask zero", [](GatewaySettings& s) { s.e2Mask = "0.0.0.0"; }, GatewayFinding::ZeroMaskE2},
        {"both masks zero: E1 first",
         [](GatewaySettings& s) {
             s.model = kModelOnePort;
             s.e1Mask = s.e2Mask = "0.0.0.0";
         },
         GatewayFinding::ZeroMaskE1},
        {"read start 0", [](GatewaySettings& s) { s.readStart = "0"; }, GatewayFinding::ReadStartRange},
        {"read start 65531", [](GatewaySettings& s) { s.readStart = "65531"; }, GatewayFinding::ReadStartRange},
        {"read start empty", [](GatewaySettings& s) { s.readStart = ""; }, GatewayFinding::ReadStartRange},
        {"read start 1", [](GatewaySettings& s) { s.readStart = "1"; }, GatewayFinding::None},
        {"read start 65530", [](GatewaySettings& s) { s.readStart = "65530"; }, GatewayFinding::None},
        {"write start 0", [](GatewaySettings& s) { s.writeStart = "0"; }, GatewayFinding::WriteStartRange},
        {"write start 65530", [](GatewaySettings& s) { s.writeStart = "65530"; }, GatewayFinding::None},
        {"read before write",
         [](GatewaySettings& s) { s.readStart = s.writeStart = "70000"; },
         GatewayFinding::ReadStartRange},
        {"10 + 10 servers",
         [](GatewaySettings& s) {
             s.encapsulatedCount = "10";
             s.mbapCount = "10";
         },
         GatewayFinding::None},
        {"11 + 10 servers",
         [](GatewaySettings& s) {
             s.encapsulatedCount = "11";
             s.mbapCount = "10";
         },
         GatewayFinding::TooManyServers},
        {"masks before registers",
         [](GatewaySettings& s) {
             s.e1Mask = "0.0.0.0";
             s.readStart = "0";
         },
         GatewayFinding::ZeroMaskE1},
    };
    for (const Case& c : cases) {
        GatewaySettings s = TwoPortSettings();
        c.change(s);
        EXPECT_EQ(c.expected, CheckGatewaySettings(s, AllShown())) << c.name;
    }
}

// A field the user cannot see cannot be corrected: a stored project with such a value is still accepted.
TEST(GatewaySettingsCheck, HiddenFieldsAreNotChecked)
{
    GatewaySettings s = TwoPortSettings();
    s.readStart = "0";
    s.writeStart = "70000";
    s.encapsulatedCount = "11";
    s.mbapCount = "10";
    EXPECT_EQ(GatewayFinding::None, CheckGatewaySettings(s, GatewayFieldsShown()));

    GatewayFieldsShown onlyCounts;
    onlyCounts.serverCounts = true;
    EXPECT_EQ(GatewayFinding::TooManyServers, CheckGatewaySettings(s, onlyCounts));

    GatewaySettings onePort = TwoPortSettings();
    onePort.model = kModelOnePort;
    onePort.e2Mask = "0.0.0.0";
    GatewayFieldsShown e2Hidden;
    e2Hidden.e2Mask = false;
    EXPECT_EQ(GatewayFinding::None, CheckGatewaySettings(onePort, e2Hidden));
    EXPECT_EQ(GatewayFinding::ZeroMaskE2, CheckGatewaySettings(onePort, GatewayFieldsShown()));
}

TEST(GatewaySettingsDefaults, OnlyEmptyFieldsTakeTheirDefault)
{
    GatewaySettings s;
    s.readStart = "7";
    ApplyGatewayDefaults(s);
    EXPECT_EQ(CString("192.168.0.1"), s.ntpAddress);
    EXPECT_EQ(CString("0"), s.ntpUpdate);
    EXPECT_EQ(CString("7"), s.readStart);
    EXPECT_EQ(CString("1001"), s.writeStart);
    EXPECT_EQ(CString("60"), s.connTimeout);
    EXPECT_EQ(CString("0"), s.encapsulatedCount);
    EXPECT_EQ(CString("3"), s.mbapCount);
    EXPECT_EQ(CString("65531"), s.statusStart);
    EXPECT_EQ(CString("65535"), s.rebootRegister);
    EXPECT_TRUE(s.e1Address.IsEmpty()) << "addresses have no default";
}

class GatewaySettingsTransfer : public ::testing::Test {
protected:
    void SetUp() override
    {
        Corvel::Records::ApplyNewProjectSettings(project);
        project.filePath = "C:\\Projects\\Substation 4.prj";
        project.prjName.Empty();
        project.numPorts = kModelTwoPorts;
        project.port61850 = 1;
        project.portPLC = 2;
    }
    Corvel::Records::_PROJECT project;
};

TEST_F(GatewaySettingsTransfer, UnchangedValuesCountNoChange)
{
    const GatewaySettings s = ReadGatewaySettings(project);
    EXPECT_EQ(CString("Substation 4.prj"), s.projectName) << "the file name stands in for an empty name";
    EXPECT_EQ(0, ApplyGatewaySettings(project, s));
    EXPECT_EQ(CString("Substation 4.prj"), project.prjName) << "every field is written back";
}

TEST_F(GatewaySettingsTransfer, EachDifferingFieldCountsOnce)
{
    GatewaySettings s = ReadGatewaySettings(project);
    s.comment = "Bay 4";
    s.e2Gateway = "192.168.1.254";
    s.model = kModelOnePort;
    s.autoRestart = !s.autoRestart;
    s.readStart = "5";
    EXPECT_EQ(5, ApplyGatewaySettings(project, s));
    EXPECT_EQ(CString("Bay 4"), project.comment);
    EXPECT_EQ(CString("192.168.1.254"), project.eth1Gateway);
    EXPECT_EQ(kModelOnePort, project.numPorts);
    EXPECT_EQ(CString("5"), project.startRead);

    GatewaySettings caseOnly = ReadGatewaySettings(project);
    caseOnly.comment = "BAY 4";
    EXPECT_EQ(1, ApplyGatewaySettings(project, caseOnly)) << "texts are compared case-sensitively";
}

TEST_F(GatewaySettingsTransfer, OnePortModelsOpenWithIec61850OnE1)
{
    for (int model : {kModelOnePort, kModelTwoPortsOnOne}) {
        project.numPorts = model;
        project.port61850 = 2;
        const GatewaySettings s = ReadGatewaySettings(project);
        EXPECT_EQ(1, s.port61850) << model;
        EXPECT_EQ(1, project.port61850) << model;
        EXPECT_EQ(0, ApplyGatewaySettings(project, s)) << model;
    }
    project.numPorts = kModelTwoPorts;
    project.port61850 = 2;
    EXPECT_EQ(2, ReadGatewaySettings(project).port61850);
}

} // namespace
