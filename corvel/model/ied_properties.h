// IedGeneralSettings: the IED's general properties as the properties dialog edits them, their check and their
// transfer into the IED record.
#pragma once
#include "corvel/model/project_records.h"

namespace Corvel::Records {

// Lengths the general page accepts.
constexpr int kIedNameLimit = 40;
constexpr int kIedCommentLimit = 256;
constexpr int kMmsScanDelayDigits = 5;
constexpr int kMmsPingDigits = 3;
// MMS scan delay in milliseconds: 0, or kMinMmsScanDelay to kMaxMmsScanDelay.
constexpr int kMinMmsScanDelay = 2;
constexpr int kMaxMmsScanDelay = 10000;
// MMS ping in seconds: 0 to kMaxMmsPing.
constexpr int kMaxMmsPing = 600;

extern const char kMmsScanDelayRangeError[];
extern const char kMmsPingRangeError[];

struct IedGeneralSettings {
    CString name;
    CString ipAddress;
    CString subnetMask;
    CString gateway;
    CString comment;
    CString mmsScanDelay;
    CString mmsPing;
};

// The record's values as the page shows them: scan delay "2" and ping "12" where the record holds none.
IedGeneralSettings ReadGeneralSettings(const _IED_DEVICE& device);

// Empty when both MMS timings are in range (a text without a number reads as 0), else the message that
// refuses the first one out of range.
CString CheckMmsTimings(const CString& mmsScanDelay, const CString& mmsPing);

// Writes the settings into the record, the comment cut to its first kIedCommentLimit characters; true when
// any field changed.
bool ApplyGeneralSettings(_IED_DEVICE& device, const IedGeneralSettings& settings);

// Writes only the three addresses; true when any changed.
bool ApplyNetworkSettings(_IED_DEVICE& device, const IedGeneralSettings& settings);

} // namespace Corvel::Records
