// NetworkAddress, CheckIpSettings: the check of a project's addresses before a download.
#pragma once

#include "corvel/model/project_records.h"

namespace Corvel::Gateway {

// The mask that is never allowed on a port.
extern const char kZeroSubnet[];
// The finding on a port whose mask is kZeroSubnet.
extern const char kZeroSubnetFinding[];

constexpr int kAddressOctets = 4;

// The four numbers of a dotted address, split at the dots; a missing or
// non-numeric part counts as 0.
void SplitAddressOctets(const CString& text, int (&octets)[kAddressOctets]);

// The network of an address under a mask: both split into their four
// numbers, ANDed octet by octet, written "%d.%d.%d.%d".
CString NetworkAddress(const CString& address, const CString& mask);

// Checks the gateway's ports against the IED and PLC devices in use and
// returns the first finding as the text to show, or an empty text when all
// checks pass. IED side: the port of port61850 (1: E1, else E2) must not have
// the mask 0.0.0.0, and each IED must differ from the gateway's address and
// share its network. PLC side: the port of portPLC, the same mask check, and
// no PLC at the gateway's address unless that is the default 192.168.0.250.
CString CheckIpSettings(const Corvel::Records::_PROJECT& project);

} // namespace Corvel::Gateway
