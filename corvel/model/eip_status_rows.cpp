#include "corvel/model/eip_status_rows.h"

namespace Corvel::Records {

namespace {

const char kStatusIndent[] = "     ";
const char kReconnectionRow[] = "StatusEIPS_ReconnectionCount_";
const char kNodeRow[] = "StatusIEC61850CNode_";
const char kReadAccess[] = "R";
const char kWriteAccess[] = "W";

// "0%d" below 10, "%d" from 10.
CString RowNumber(int number)
{
    CString text;
    text.Format(number < 10 ? "0%d" : "%d", number);
    return text;
}

CString Decimal(int value)
{
    CString text;
    text.Format("%d", value);
    return text;
}

bool ConnectionHoldsTags(const CVQNTagsList& list, int connection)
{
    return list.CountTagsInConnection(connection) > 0;
}

} // namespace

CString AttribText(int attrib)
{
    CString text;
    text.Format("0x%0x", attrib);
    return text;
}

int CountLeadingConnections(const CVQNTagsList& inputs, const CVQNTagsList& outputs)
{
    int count = 0;
    while (count < kConnectionCount &&
           (ConnectionHoldsTags(inputs, count) || ConnectionHoldsTags(outputs, count)))
        ++count;
    return count;
}

bool NodeStatusOnEth1(int portSetting, int port61850)
{
    return portSetting != 1 && portSetting != 3 && port61850 != 1;
}

std::vector<EipStatusRow> BuildModuleStatusRows(int connections, int iedCount, bool eth1)
{
    std::vector<EipStatusRow> rows;
    if (connections > 0) {
        rows.push_back({"EIPS_Connection_Status", kReadAccess, AttribText(kConnectionStatusAttrib), "",
                        Decimal(2 * connections)});
        for (int i = 0; i < connections; ++i)
            rows.push_back({CString(kStatusIndent) + kReconnectionRow + RowNumber(i), "", "", Decimal(2 * i), "2"});
    }
    if (iedCount > 0) {
        rows.push_back(
            {"IED_Node_Status", kReadAccess, AttribText(kNodeStatusAttrib), "", Decimal(4 * iedCount)});
        const CString port = eth1 ? "eth1_" : "eth0_";
        for (int j = 0; j < iedCount; ++j)
            rows.push_back({CString(kStatusIndent) + kNodeRow + port + RowNumber(j), "", "", Decimal(4 * j), "4"});
    }
    rows.push_back({"Module_Driver_Status", kReadAccess, AttribText(kDriverStatusAttrib), "", "6"});
    rows.push_back({CString(kStatusIndent) + "SNTP_Status", "", "", "0", "2"});
    rows.push_back({CString(kStatusIndent) + "EIPS_Status", "", "", "2", "2"});
    rows.push_back({CString(kStatusIndent) + "IEC61850c_Status", "", "", "4", "2"});
    rows.push_back({"Reboot_Module", kWriteAccess, AttribText(kRebootAttrib), "", "2"});
    return rows;
}

CString ComposeProjectNote(const RpiLimitInfo& info, bool& overLimit)
{
    CString note;
    overLimit = (info.portSetting == 1 || info.portSetting == 2) && info.iedCount > kGatewayIedLimit;
    if (overLimit) {
        note.Format(info.portSetting == 1 ? "NOTE: A ONE PORT gateway has a limit of %d IEDs. "
                                          : "NOTE: A TWO PORT gateway has a limit of %d IEDs. ",
                    kGatewayIedLimit);
        const int excess = info.iedCount - kGatewayIedLimit;
        CString removal;
        if (excess == 1)
            removal = "You must remove 1 IED from the project before proceeding.";
        else
            removal.Format("You must remove %d IEDs from the project before proceeding.", excess);
        return note + removal;
    }
    note.Format("Project is configured for a %s gateway with ", info.portSetting == 1 ? "ONE PORT" : "TWO PORTS");
    CString counts;
    counts.Format("%d IEDs. RPI limit: %s mSec.", info.iedCount, static_cast<LPCSTR>(info.rpiLimit));
    return note + counts;
}

} // namespace Corvel::Records
