#include "corvel/model/eip_status_rows.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace Corvel::Records;

_TAGS TagIn(LPCSTR name, int conn)
{
    _TAGS tag;
    tag.tagName = name;
    tag.dataType = "INT16";
    tag.Access = "R";
    tag.Conn = conn;
    tag.StartAddr = 0;
    return tag;
}

// Texts of the rows, one per row: name | access | attrib | index | bytes.
std::vector<CString> Texts(const std::vector<EipStatusRow>& rows)
{
    std::vector<CString> texts;
    for (const EipStatusRow& row : rows)
        texts.push_back(row.tagName + "|" + row.access + "|" + row.attrib + "|" + row.index + "|" + row.bytes);
    return texts;
}

TEST(EipStatusRows, AttribIsLowerCaseHexWithoutLeadingZeros)
{
    EXPECT_EQ(CString("0xa"), AttribText(10));
    EXPECT_EQ(CString("0xfde8"), AttribText(65000));
    EXPECT_EQ(CString("0xfe4c"), AttribText(65100));
    EXPECT_EQ(CString("0xfeb0"), AttribText(65200));
    EXPECT_EQ(CString("0xfeba"), AttribText(65210));
}

TEST(EipStatusRows, ThreeConnectionsAndTwoIedsOnEth0)
{
    const std::vector<CString> expected = {
        "EIPS_Connection_Status|R|0xfde8||6",
        "     StatusEIPS_ReconnectionCount_00|||0|2",
        "     StatusEIPS_ReconnectionCount_01|||2|2",
        "     StatusEIPS_ReconnectionCount_02|||4|2",
        "IED_Node_Status|R|0xfe4c||8",
        "     StatusIEC61850CNode_eth0_00|||0|4",
        "     StatusIEC61850CNode_eth0_01|||4|4",
        "Module_Driver_Status|R|0xfeb0||6",
        "     SNTP_Status|||0|2",
        "     EIPS_Status|||2|2",
        "     IEC61850c_Status|||4|2",
        "Reboot_Module|W|0xfeba||2",
    };
    EXPECT_EQ(expected, Texts(BuildModuleStatusRows(3, 2, false)));
}

TEST(EipStatusRows, NumbersFromTenDropTheLeadingZero)
{
    const std::vector<CString> rows = Texts(BuildModuleStatusRows(11, 12, true));
    EXPECT_EQ(CString("EIPS_Connection_Status|R|0xfde8||22"), rows[0]);
    EXPECT_EQ(CString("     StatusEIPS_ReconnectionCount_09|||18|2"), rows[10]);
    EXPECT_EQ(CString("     StatusEIPS_ReconnectionCount_10|||20|2"), rows[11]);
    EXPECT_EQ(CString("IED_Node_Status|R|0xfe4c||48"), rows[12]);
    EXPECT_EQ(CString("     StatusIEC61850CNode_eth1_09|||36|4"), rows[22]);
    EXPECT_EQ(CString("     StatusIEC61850CNode_eth1_10|||40|4"), rows[23]);
    EXPECT_EQ(CString("     StatusIEC61850CNode_eth1_11|||44|4"), rows[24]);
    EXPECT_EQ(CString("Module_Driver_Status|R|0xfeb0||6"), rows[25]);
    EXPECT_EQ(30u, rows.size());
}

TEST(EipStatusRows, WithoutConnectionsOrIedsOnlyTheFixedBlocks)
{
    const std::vector<CString> rows = Texts(BuildModuleStatusRows(0, 0, false));
    ASSERT_EQ(5u, rows.size());
    EXPECT_EQ(CString("Module_Driver_Status|R|0xfeb0||6"), rows[0]);
    EXPECT_EQ(CString("Reboot_Module|W|0xfeba||2"), rows[4]);
}

TEST(EipStatusRows, LeadingConnectionsStopAtTheFirstUnusedOne)
{
    struct Case {
        const char* name;
        std::vector<int> inputs;
        std::vector<int> outputs;
        int expected;
    };
    const Case cases[] = {
        {"none", {}, {}, 0},
        {"only connection 1", {1}, {1}, 0},
        {"inputs 0 1 2", {0, 1, 2, 2}, {}, 3},
        {"inputs and outputs together", {0, 2}, {1}, 3},
        {"gap at 2", {0, 1, 3, 4}, {}, 2},
        {"outputs alone", {}, {0, 1}, 2},
        {"all twenty", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, {10, 11, 12, 13, 14, 15, 16, 17, 18, 19}, 20},
        {"unassigned tags do not count", {-1, 0}, {}, 1},
    };
    for (const Case& c : cases) {
        CVQNTagsList inputs;
        CVQNTagsList outputs;
        int n = 0;
        for (int conn : c.inputs)
            inputs.AddTag(TagIn(CString("i") + CString(char('a' + n++)), conn));
        for (int conn : c.outputs)
            outputs.AddTag(TagIn(CString("o") + CString(char('a' + n++)), conn));
        EXPECT_EQ(c.expected, CountLeadingConnections(inputs, outputs)) << c.name;
    }
}

TEST(EipStatusRows, NodePortFollowsPortSettingAndIecPort)
{
    struct Case {
        int portSetting;
        int port61850;
        bool eth1;
    };
    // A one-port project names eth0 whatever its IEC 61850 port, as its module configuration does.
    const Case cases[] = {{3, 2, false}, {3, 1, false}, {2, 1, false}, {2, 2, true}, {1, 1, false}, {1, 2, false}};
    for (const Case& c : cases)
        EXPECT_EQ(c.eth1, NodeStatusOnEth1(c.portSetting, c.port61850)) << c.portSetting << "/" << c.port61850;
}

// A project with count IEDs in use (and a free slot that does not count).
void FillIeds(_PROJECT& project, int count)
{
    DeleteRecords(project.iedDevices);
    for (int i = 0; i <= count; ++i) {
        auto device = std::make_unique<_IED_DEVICE>();
        device->state = i < count ? kSlotInUse : kSlotFree;
        project.iedDevices.AddTail(device.release());
    }
}

TEST(EipProjectNote, RpiLimitByIedCount)
{
    struct Case {
        int ieds;
        const char* limit;
    };
    const Case cases[] = {{0, "10"}, {5, "10"}, {6, "40"}, {10, "40"}, {11, "60"}, {15, "60"}, {16, "100"}, {23, "100"}};
    _PROJECT project;
    for (const Case& c : cases) {
        FillIeds(project, c.ieds);
        RpiLimitInfo info;
        info.Refresh(project);
        EXPECT_EQ(c.ieds, info.iedCount);
        EXPECT_EQ(CString(c.limit), info.rpiLimit) << c.ieds;
    }
    DeleteRecords(project.iedDevices);
}

TEST(EipProjectNote, TextsByPortSettingAndCount)
{
    struct Case {
        int ports;
        int ieds;
        const char* note;
        bool overLimit;
    };
    const Case cases[] = {
        {1, 5, "Project is configured for a ONE PORT gateway with 5 IEDs. RPI limit: 10 mSec.", false},
        {2, 20, "Project is configured for a TWO PORTS gateway with 20 IEDs. RPI limit: 100 mSec.", false},
        {3, 21, "Project is configured for a TWO PORTS gateway with 21 IEDs. RPI limit: 100 mSec.", false},
        {1, 21,
         "NOTE: A ONE PORT gateway has a limit of 20 IEDs. You must remove 1 IED from the project before proceeding.",
         true},
        {1, 23,
         "NOTE: A ONE PORT gateway has a limit of 20 IEDs. You must remove 3 IEDs from the project before proceeding.",
         true},
        {2, 22,
         "NOTE: A TWO PORT gateway has a limit of 20 IEDs. You must remove 2 IEDs from the project before proceeding.",
         true},
    };
    _PROJECT project;
    for (const Case& c : cases) {
        FillIeds(project, c.ieds);
        project.numPorts = c.ports;
        RpiLimitInfo info;
        info.Refresh(project);
        bool overLimit = !c.overLimit;
        EXPECT_EQ(CString(c.note), ComposeProjectNote(info, overLimit)) << c.ports << "/" << c.ieds;
        EXPECT_EQ(c.overLimit, overLimit);
    }
    DeleteRecords(project.iedDevices);
}

} // namespace
