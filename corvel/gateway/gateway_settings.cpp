#include "corvel/gateway/gateway_settings.h"

#include "corvel/gateway/ip_settings_check.h"
#include "corvel/model/decimal.h"

namespace Corvel::Gateway {

using Records::_PROJECT;

const char kDefaultNtpAddress[] = "192.168.0.1";

namespace {

// Stores value into field; 1 when it differed.
template <class T>
int Store(T& field, const T& value)
{
    if (field == value)
        return 0;
    field = value;
    return 1;
}

void Default(CString& field, const char* value)
{
    if (field.IsEmpty())
        field = value;
}

bool InRegisterRange(const CString& text)
{
    const int value = ReadDecimal(text);
    return value >= kMinStartRegister && value <= kMaxStartRegister;
}

} // namespace

GatewaySettings ReadGatewaySettings(_PROJECT& project)
{
    GatewaySettings s;
    s.projectName = Records::ProjectName(project);
    s.comment = project.comment;
    s.ntpAddress = project.NTPaddr;
    s.e1Address = project.eth0IPaddr;
    s.e1Mask = project.eth0IPmask;
    s.e1Gateway = project.eth0Gateway;
    s.e2Address = project.eth1IPaddr;
    s.e2Mask = project.eth1IPmask;
    s.e2Gateway = project.eth1Gateway;
    s.model = project.numPorts;
    if (s.model == kModelOnePort || s.model == kModelTwoPortsOnOne)
        project.port61850 = 1;
    s.port61850 = project.port61850;
    s.portPLC = project.portPLC;
    s.autoRestart = project.autoRestart;
    s.ntpUpdate = project.NTPupdate;
    s.readStart = project.startRead;
    s.writeStart = project.startWrite;
    s.connTimeout = project.connTimeout;
    s.encapsulatedCount = project.NoMTCPsrvr;
    s.mbapCount = project.NoMBAPsrvr;
    s.statusStart = project.VQNstatusStart;
    s.rebootRegister = project.rebootRegister;
    return s;
}

int ApplyGatewaySettings(_PROJECT& project, const GatewaySettings& s)
{
    int changes = s.projectName == Records::ProjectName(project) ? 0 : 1;
    project.prjName = s.projectName;
    changes += Store(project.comment, s.comment);
    changes += Store(project.eth0IPaddr, s.e1Address);
    changes += Store(project.eth0IPmask, s.e1Mask);
    changes += Store(project.eth0Gateway, s.e1Gateway);
    changes += Store(project.NTPaddr, s.ntpAddress);
    changes += Store(project.startRead, s.readStart);
    changes += Store(project.startWrite, s.writeStart);
    changes += Store(project.NTPupdate, s.ntpUpdate);
    changes += Store(project.connTimeout, s.connTimeout);
    changes += Store(project.NoMTCPsrvr, s.encapsulatedCount);
    changes += Store(project.NoMBAPsrvr, s.mbapCount);
    changes += Store(project.VQNstatusStart, s.statusStart);
    changes += Store(project.rebootRegister, s.rebootRegister);
    changes += Store(project.numPorts, s.model);
    changes += Store(project.port61850, s.port61850);
    changes += Store(project.portPLC, s.portPLC);
    changes += Store(project.autoRestart, s.autoRestart);
    changes += Store(project.eth1IPaddr, s.e2Address);
    changes += Store(project.eth1IPmask, s.e2Mask);
    changes += Store(project.eth1Gateway, s.e2Gateway);
    return changes;
}

void ApplyGatewayDefaults(GatewaySettings& s)
{
    Default(s.ntpAddress, kDefaultNtpAddress);
    Default(s.ntpUpdate, "0");
    Default(s.readStart, "1");
    Default(s.writeStart, "1001");
    Default(s.connTimeout, "60");
    Default(s.encapsulatedCount, "0");
    Default(s.mbapCount, "3");
    Default(s.statusStart, "65531");
    Default(s.rebootRegister, "65535");
}

GatewayFinding CheckGatewaySettings(const GatewaySettings& s, const GatewayFieldsShown& shown)
{
    if (s.model == kModelTwoPorts && NetworkAddress(s.e1Address, s.e1Mask) == NetworkAddress(s.e2Address, s.e2Mask))
        return GatewayFinding::SameNetwork;
    if (s.e1Mask == kZeroSubnet)
        return GatewayFinding::ZeroMaskE1;
    if (shown.e2Mask && s.e2Mask == kZeroSubnet)
        return GatewayFinding::ZeroMaskE2;
    if (shown.readStart && !InRegisterRange(s.readStart))
        return GatewayFinding::ReadStartRange;
    if (shown.writeStart && !InRegisterRange(s.writeStart))
        return GatewayFinding::WriteStartRange;
    if (shown.serverCounts && ReadDecimal(s.encapsulatedCount) + ReadDecimal(s.mbapCount) > kMaxModbusServers)
        return GatewayFinding::TooManyServers;
    return GatewayFinding::None;
}

} // namespace Corvel::Gateway
