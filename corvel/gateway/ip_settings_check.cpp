#include "corvel/gateway/ip_settings_check.h"

#include <cstdlib>

namespace Corvel::Gateway {

const char kZeroSubnet[] = "0.0.0.0";
const char kZeroSubnetFinding[] = "A subnet of  '0.0.0.0' is not allowed.";

namespace {

const char kIedSameAddress[] = " The Gateway and IED %s have the same IP address";
const char kIedOtherNetwork[] = " The Gateway and IED %s are not on the same network";
const char kPlcSameAddress[] = " The Gateway and PLC %s have the same IP address";
// A PLC may keep the gateway's factory address: it is not reported.
const char kDefaultGatewayAddress[] = "192.168.0.250";

} // namespace

void SplitAddressOctets(const CString& text, int (&octets)[kAddressOctets])
{
    int start = 0;
    for (int& octet : octets) {
        if (start > text.GetLength()) {
            octet = 0;
            continue;
        }
        int dot = text.Find('.', start);
        if (dot < 0)
            dot = text.GetLength();
        octet = std::atoi(text.Mid(start, dot - start));
        start = dot + 1;
    }
}

namespace {

CString FormatName(LPCSTR format, const CString& name)
{
    CString text;
    text.Format(format, static_cast<LPCSTR>(name));
    return text;
}

struct PortAddress {
    CString address;
    CString mask;
};

// The E1 pair for port choice 1, else the E2 pair.
PortAddress PortOf(const Corvel::Records::_PROJECT& project, int port)
{
    return port == 1 ? PortAddress{project.eth0IPaddr, project.eth0IPmask}
                     : PortAddress{project.eth1IPaddr, project.eth1IPmask};
}

} // namespace

CString NetworkAddress(const CString& address, const CString& mask)
{
    int addressOctets[kAddressOctets];
    int maskOctets[kAddressOctets];
    SplitAddressOctets(address, addressOctets);
    SplitAddressOctets(mask, maskOctets);
    CString network;
    network.Format("%d.%d.%d.%d", addressOctets[0] & maskOctets[0], addressOctets[1] & maskOctets[1],
                   addressOctets[2] & maskOctets[2], addressOctets[3] & maskOctets[3]);
    return network;
}

CString CheckIpSettings(const Corvel::Records::_PROJECT& project)
{
    using Corvel::Records::kSlotInUse;
    const PortAddress iedPort = PortOf(project, project.port61850);
    if (iedPort.mask == kZeroSubnet)
        return kZeroSubnetFinding;
    const CString gatewayNetwork = NetworkAddress(iedPort.address, iedPort.mask);
    for (POSITION pos = project.iedDevices.GetHeadPosition(); pos != nullptr;) {
        const Corvel::Records::_IED_DEVICE* ied = project.iedDevices.GetNext(pos);
        if (ied->state != kSlotInUse)
            continue;
        if (ied->IPaddr == iedPort.address)
            return FormatName(kIedSameAddress, ied->name);
        if (NetworkAddress(ied->IPaddr, iedPort.mask) != gatewayNetwork)
            return FormatName(kIedOtherNetwork, ied->name);
    }
    const PortAddress plcPort = PortOf(project, project.portPLC);
    if (plcPort.mask == kZeroSubnet)
        return kZeroSubnetFinding;
    for (POSITION pos = project.plcDevices.GetHeadPosition(); pos != nullptr;) {
        const Corvel::Records::CPLC_Device* plc = project.plcDevices.GetNext(pos);
        if (plc->state == kSlotInUse && plcPort.address != kDefaultGatewayAddress && plc->IPAddr == plcPort.address)
            return FormatName(kPlcSameAddress, plc->name);
    }
    return CString();
}

} // namespace Corvel::Gateway
