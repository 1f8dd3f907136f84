// GatewaySettings: the gateway module's settings as its properties dialog edits them, their defaults, their
// check and their transfer to and from the project.
#pragma once

#include "corvel/model/project_records.h"

namespace Corvel::Gateway {

// Module models.
constexpr int kModelOnePort = 1;
constexpr int kModelTwoPorts = 2;
constexpr int kModelTwoPortsOnOne = 3;

// Register range of the read and write starts.
constexpr int kMinStartRegister = 1;
constexpr int kMaxStartRegister = 65530;
// Encapsulated Modbus and MBAP servers together.
constexpr int kMaxModbusServers = 20;

// Field limits of the dialog.
constexpr int kProjectNameLimit = 40;
constexpr int kNotesLimit = 256;
constexpr int kNtpUpdateDigits = 4;
constexpr int kServerCountDigits = 2;

extern const char kDefaultNtpAddress[];

struct GatewaySettings {
    CString projectName;
    CString comment;
    CString ntpAddress;
    CString e1Address;
    CString e1Mask;
    CString e1Gateway;
    CString e2Address;
    CString e2Mask;
    CString e2Gateway;
    int model = kModelTwoPorts;
    int port61850 = 1;
    int portPLC = 2;
    bool autoRestart = true;
    CString ntpUpdate;
    CString readStart;
    CString writeStart;
    CString connTimeout;
    CString encapsulatedCount;
    CString mbapCount;
    CString statusStart;
    CString rebootRegister;
};

// The project's values for the dialog. A one-port model (1 or 3) first gets its IEC 61850 port set to E1 in
// the project itself, which does not count as a change.
GatewaySettings ReadGatewaySettings(Records::_PROJECT& project);

// Writes every field back into the project and returns how many differed (texts compared case-sensitively).
int ApplyGatewaySettings(Records::_PROJECT& project, const GatewaySettings& settings);

// Gives every empty field that has a default its default (NTP address, update time and the Modbus fields).
void ApplyGatewayDefaults(GatewaySettings& settings);

// What the OK check finds first.
enum class GatewayFinding {
    None,
    SameNetwork,    // two ports in the same network
    ZeroMaskE1,     // port E1 mask 0.0.0.0
    ZeroMaskE2,     // port E2 mask 0.0.0.0
    ReadStartRange, // read start outside 1 to 65530
    WriteStartRange,
    TooManyServers, // encapsulated Modbus + MBAP above 20
};

// Which of the checked fields are to be checked: those the user can see, and so correct.
struct GatewayFieldsShown {
    bool e2Mask = true;
    bool readStart = false;
    bool writeStart = false;
    bool serverCounts = false;
};

// The OK check in the dialog's order: the network comparison only for the two-port model, the masks, then the
// Modbus fields; of the E2 mask and the Modbus fields only those shown.
GatewayFinding CheckGatewaySettings(const GatewaySettings& settings, const GatewayFieldsShown& shown);

} // namespace Corvel::Gateway
