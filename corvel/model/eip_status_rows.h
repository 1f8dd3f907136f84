// EipStatusRow: the module's fixed status tags shown under the explicit-message tags, and the project note of
// the EtherNet/IP mapping dialog (IED count against the port setting, RPI limit).
#pragma once
#include "corvel/model/project_records.h"
#include "corvel/model/tags_list.h"

#include <vector>

namespace Corvel::Records {

// IEDs one gateway polls, on either port setting.
constexpr int kGatewayIedLimit = 20;

// Explicit-message attribute numbers of the status blocks.
constexpr int kConnectionStatusAttrib = 65000;
constexpr int kNodeStatusAttrib = 65100;
constexpr int kDriverStatusAttrib = 65200;
constexpr int kRebootAttrib = 65210;

// One row of the MSG page; empty texts are empty cells. Status rows have no tag record.
struct EipStatusRow {
    CString tagName;
    CString access;
    CString attrib;
    CString index;
    CString bytes;
};

// An explicit-message attribute number as the MSG page shows it: lower-case hexadecimal after "0x".
CString AttribText(int attrib);

// The connections from 0 on that hold at least one input or output tag; counting stops at the first
// connection that holds neither.
int CountLeadingConnections(const CVQNTagsList& inputs, const CVQNTagsList& outputs);

// Whether the IEC 61850 status tags name eth1 (in the module configuration and on the message page): only on
// the model with two ports in use (port setting 2) whose IEC 61850 port is not the first; port settings 1 and 3
// use the first port alone.
bool NodeStatusOnEth1(int portSetting, int port61850);

// The status rows in their order: connection block (with connections > 0), node block (with iedCount > 0),
// driver block and the reboot command.
std::vector<EipStatusRow> BuildModuleStatusRows(int connections, int iedCount, bool eth1);

// The dialog's status line: the removal note when the project has more IEDs than a gateway polls (then
// overLimit is set), else the port setting, the IED count and the RPI limit.
CString ComposeProjectNote(const RpiLimitInfo& info, bool& overLimit);

} // namespace Corvel::Records
