#include "corvel/model/ied_properties.h"

#include "corvel/model/decimal.h"

namespace Corvel::Records {

const char kMmsScanDelayRangeError[] = "Error: MMS Scan Delay value is out of range.";
const char kMmsPingRangeError[] = "Error: MMS Ping value is out of range.";

namespace {

const char kDefaultMmsScanDelay[] = "2";
const char kDefaultMmsPing[] = "12";

// Stores value into field; true when it differed.
bool Store(CString& field, const CString& value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

} // namespace

IedGeneralSettings ReadGeneralSettings(const _IED_DEVICE& device)
{
    IedGeneralSettings settings;
    settings.name = device.name;
    settings.ipAddress = device.IPaddr;
    settings.subnetMask = device.IPMask;
    settings.gateway = device.Gateway;
    settings.comment = device.comment;
    settings.mmsScanDelay = device.MSScanDelay.IsEmpty() ? CString(kDefaultMmsScanDelay) : device.MSScanDelay;
    settings.mmsPing = device.MMSping.IsEmpty() ? CString(kDefaultMmsPing) : device.MMSping;
    return settings;
}

CString CheckMmsTimings(const CString& mmsScanDelay, const CString& mmsPing)
{
    const int scanDelay = ReadDecimal(mmsScanDelay);
    if (scanDelay != 0 && (scanDelay < kMinMmsScanDelay || scanDelay > kMaxMmsScanDelay))
        return kMmsScanDelayRangeError;
    const int ping = ReadDecimal(mmsPing);
    if (ping < 0 || ping > kMaxMmsPing)
        return kMmsPingRangeError;
    return CString();
}

bool ApplyNetworkSettings(_IED_DEVICE& device, const IedGeneralSettings& settings)
{
    bool changed = Store(device.IPaddr, settings.ipAddress);
    changed |= Store(device.IPMask, settings.subnetMask);
    changed |= Store(device.Gateway, settings.gateway);
    return changed;
}

bool ApplyGeneralSettings(_IED_DEVICE& device, const IedGeneralSettings& settings)
{
    bool changed = ApplyNetworkSettings(device, settings);
    changed |= Store(device.name, settings.name);
    changed |= Store(device.comment, settings.comment.Left(kIedCommentLimit));
    changed |= Store(device.MSScanDelay, settings.mmsScanDelay);
    changed |= Store(device.MMSping, settings.mmsPing);
    return changed;
}

} // namespace Corvel::Records
