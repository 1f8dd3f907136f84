#include "corvel/model/project_records.h"

#include "corvel/model/iec_types.h"
#include "corvel/model/product.h"

#include <algorithm>
#include <utility>

namespace Corvel::Records {

namespace {

const char kFirstPlcName[] = "EthernetIP";
// A PLC device's type until another kind is placed.
constexpr int kPlcDefaultType = 1;
constexpr int kPlcDefaultSlotNumber = 1;

// Values of a freed device slot.
const char kFreedIedLabel[] = "Unconfigured";
const char kDefaultScanDelay[] = "1000";
const char kDefaultIpAddress[] = "192.168.0.250";
const char kDefaultIpMask[] = "255.255.255.0";
const char kDefaultGateway[] = "192.168.0.1";
const char kFreedPlcNode[] = "1";
const char kFreedPlcReadStart[] = "1";
const char kFreedPlcWriteStart[] = "1001";
const char kFreedPlcCommandDelay[] = "0";
const char kFreedPlcResponse[] = "1000";
const char kFreedPlcRetries[] = "0";
const char kFreedPlcErrorDelay[] = "300";

// RPI limit of a project with 16 IEDs or more.
const char kRpiLimitManyIeds[] = "100";

} // namespace

CString ReportPathEntry::ReportBlockName() const
{
    return reportDataPath.Mid(reportDataPath.ReverseFind('$') + 1);
}

LPCSTR TagMapDirection(const CString& tagPath)
{
    return tagPath.Find("$CO$") >= 0 || tagPath.Find("$SP$") >= 0 ? kMtcpWriteDirection : kMtcpReadDirection;
}

CString ProjectName(const _PROJECT& project)
{
    if (!project.prjName.IsEmpty())
        return project.prjName;
    return project.filePath.Mid(project.filePath.ReverseFind('\\') + 1);
}

void BuildMtcpTagLists(const RecordList<_TAGSMAP>& rows, int& readTags, int& writeTags, int& readElements,
                       int& writeElements)
{
    const CIecTypeTable table;
    CString elementType;
    for (POSITION pos = rows.GetHeadPosition(); pos != nullptr;) {
        const _TAGSMAP* row = rows.GetNext(pos);
        if (row->direction == kMtcpReadDirection) {
            ++readTags;
            readElements += table.GetElementCount(row->dataType, elementType);
        } else if (row->direction == kMtcpWriteDirection) {
            ++writeTags;
            writeElements += table.GetElementCount(row->dataType, elementType);
        }
    }
}

CString SanitizeTagName(const CString& tagName)
{
    static const LPCSTR kUnderscored[] = {" ", "~", "!", "@", "#", "$", "%", "^", "&", "*", "(", ")",
                                          "+", "=", "{", "}", "[", "]", "|", "\\", "/", "."};
    CString name = tagName;
    name.Replace("-", "_");
    name.Replace("__", "_");
    for (LPCSTR text : kUnderscored)
        name.Replace(text, "_");
    return name;
}

int CountIedsInUse(const _PROJECT& project)
{
    int count = 0;
    for (POSITION pos = project.iedDevices.GetHeadPosition(); pos != nullptr;) {
        if (project.iedDevices.GetNext(pos)->state == kSlotInUse)
            ++count;
    }
    return count;
}

int CountPlcsInUse(const _PROJECT& project)
{
    int count = 0;
    for (POSITION pos = project.plcDevices.GetHeadPosition(); pos != nullptr;) {
        if (project.plcDevices.GetNext(pos)->state == kSlotInUse)
            ++count;
    }
    return count;
}

bool IsIedLabelInUse(const _PROJECT& project, const CString& label)
{
    for (POSITION pos = project.iedDevices.GetHeadPosition(); pos != nullptr;) {
        const _IED_DEVICE* device = project.iedDevices.GetNext(pos);
        if (device->state == kSlotInUse && device->label == label)
            return true;
    }
    return false;
}

void RpiLimitInfo::Refresh(const _PROJECT& project)
{
    iedCount = CountIedsInUse(project);
    portSetting = project.numPorts;
    struct Step {
        int below;
        const char* limit;
    };
    static const Step kSteps[] = {{6, "10"}, {11, "40"}, {16, "60"}};
    rpiLimit = kRpiLimitManyIeds;
    for (const Step& step : kSteps) {
        if (iedCount < step.below) {
            rpiLimit = step.limit;
            break;
        }
    }
}

_CFCDA* FindFcda(const RecordList<_CFCDA>& fcdas, const CString& tagName)
{
    for (POSITION pos = fcdas.GetHeadPosition(); pos != nullptr;) {
        _CFCDA* fcda = fcdas.GetNext(pos);
        if (fcda->tagName == tagName)
            return fcda;
    }
    return nullptr;
}

void ApplyNewProjectSettings(_PROJECT& project)
{
    project.prjName = kNewProjectName;
    project.comment.Empty();
    project.NTPaddr = "192.168.0.1";
    project.NTPupdate = "0";
    project.startRead = "1";
    project.startWrite = "1001";
    project.reservedWord1 = 0;
    project.reservedWord2 = 0;
    project.connTimeout = "60";
    project.NoMTCPsrvr = "0";
    project.NoMBAPsrvr = "3";
    project.VQNstatusStart = "65531";
    project.rebootRegister = "65535";
    project.eth0IPaddr = "192.168.0.250";
    project.eth0IPmask = "255.255.255.0";
    project.eth0Gateway = "192.168.0.1";
    project.eth1IPaddr = "192.168.1.250";
    project.eth1IPmask = "255.255.255.0";
    project.eth1Gateway = "192.168.1.1";
}

void AddDeviceSlots(_PROJECT& project, int iedSlots, int plcSlots)
{
    for (int i = 0; i < iedSlots; ++i) {
        std::unique_ptr<_IED_DEVICE> slot = MakeIedSlot(kFirstDeviceId + i);
        project.iedDevices.AddTail(slot.get());
        slot.release();
    }
    for (int j = 0; j < plcSlots; ++j) {
        std::unique_ptr<CPLC_Device> slot = MakePlcSlot(kFirstDeviceId + iedSlots + j, j == 0);
        project.plcDevices.AddTail(slot.get());
        slot.release();
    }
}

std::unique_ptr<_IED_DEVICE> MakeIedSlot(int devNum)
{
    auto device = std::make_unique<_IED_DEVICE>();
    device->devNum = devNum;
    device->state = kSlotFree;
    return device;
}

std::unique_ptr<CPLC_Device> MakePlcSlot(int devNum, bool firstSlot)
{
    auto device = std::make_unique<CPLC_Device>();
    device->IPAddr = kDefaultIpAddress;
    device->IPMask = kDefaultIpMask;
    device->Gateway = kDefaultGateway;
    device->devNum = devNum;
    device->NOESel = 0;
    device->NOESlotNum = kPlcDefaultSlotNumber;
    device->state = firstSlot ? kSlotInUse : kSlotFree;
    if (firstSlot)
        device->name = kFirstPlcName;
    device->devType = kPlcDefaultType;
    return device;
}

void PlaceIed(_IED_DEVICE& device, const CString& sclPath, const CConnectedAP& entry)
{
    device.state = kSlotInUse;
    device.CIDFile = sclPath;
    device.label = entry.ied.name;
    device.name = entry.ied.name;
    device.vendor = entry.ied.manufacturer;
    device.IPaddr = entry.IP;
    device.IPMask = entry.IP_SUBNET;
    device.Gateway = entry.IP_GATEWAY;
    device.APTitle = entry.OSI_AP_Title;
    device.AEQualifier = entry.OSI_AE_Qualifier;
    device.pSel = entry.OSI_PSEL;
    device.sSel = entry.OSI_SSEL;
    device.tSel = entry.OSI_TSEL;
}

void MoveDeviceFields(_IED_DEVICE& to, _IED_DEVICE& from)
{
    to.reserved1 = 0;
    to.name = std::move(from.name);
    to.vendor = std::move(from.vendor);
    to.CIDFile = std::move(from.CIDFile);
    to.IPaddr = std::move(from.IPaddr);
    to.IPMask = std::move(from.IPMask);
    to.Gateway = std::move(from.Gateway);
    to.label = std::move(from.label);
    to.comment = std::move(from.comment);
    to.MSScanDelay = std::move(from.MSScanDelay);
    to.MMSping = std::move(from.MMSping);
    to.APTitle = std::move(from.APTitle);
    to.AEQualifier = std::move(from.AEQualifier);
    to.pSel = std::move(from.pSel);
    to.sSel = std::move(from.sSel);
    to.tSel = std::move(from.tSel);
    to.ConfiguredCache = std::move(from.ConfiguredCache);
    from.ConfiguredCache.clear();
    to.ReportsPath = std::move(from.ReportsPath);
    from.ReportsPath.clear();
    to.reserved2 = from.reserved2;
}

void MoveDeviceFields(CPLC_Device& to, CPLC_Device& from)
{
    to.node = std::move(from.node);
    to.IPAddr = std::move(from.IPAddr);
    to.IPMask = std::move(from.IPMask);
    to.Gateway = std::move(from.Gateway);
    to.name = std::move(from.name);
    to.comment = std::move(from.comment);
    to.CmdDelay = std::move(from.CmdDelay);
    to.Resp = std::move(from.Resp);
    to.Rty = std::move(from.Rty);
    to.ErrDelay = std::move(from.ErrDelay);
    to.RStartReg = std::move(from.RStartReg);
    to.WStartReg = std::move(from.WStartReg);
    to.devType = from.devType;
    to.configuredRows = std::move(from.configuredRows);
    from.configuredRows.clear();
    to.secondRows = std::move(from.secondRows);
    from.secondRows.clear();
    to.NOESel = from.NOESel;
    to.NOESlotNum = from.NOESlotNum;
}

void ResetFreedDevice(_IED_DEVICE& device)
{
    device.state = kSlotFree;
    device.reserved1 = 0;
    device.label = kFreedIedLabel;
    device.MSScanDelay = kDefaultScanDelay;
    for (CString* text : {&device.name, &device.vendor, &device.CIDFile, &device.IPaddr, &device.IPMask,
                          &device.Gateway, &device.comment, &device.MMSping, &device.APTitle, &device.AEQualifier,
                          &device.pSel, &device.sSel, &device.tSel})
        text->Empty();
    device.ConfiguredCache.clear();
    device.ReportsPath.clear();
    device.reserved2 = 0;
}

void ResetFreedDevice(CPLC_Device& device)
{
    device.state = kSlotFree;
    device.name.Empty();
    device.comment.Empty();
    device.IPAddr = kDefaultIpAddress;
    device.IPMask = kDefaultIpMask;
    device.Gateway = kDefaultGateway;
    device.devType = kPlcDefaultType;
    device.configuredRows.clear();
    device.secondRows.clear();
    device.node = kFreedPlcNode;
    device.RStartReg = kFreedPlcReadStart;
    device.WStartReg = kFreedPlcWriteStart;
    device.NOESlotNum = kPlcDefaultSlotNumber;
    device.NOESel = 0;
    device.CmdDelay = kFreedPlcCommandDelay;
    device.Resp = kFreedPlcResponse;
    device.Rty = kFreedPlcRetries;
    device.ErrDelay = kFreedPlcErrorDelay;
}

namespace {

// Texts of a configured entry that a paste takes: five of an IED entry, eight of a PLC row.
constexpr size_t kPastedIedTexts = 5;
constexpr size_t kPastedPlcTexts = 8;

// The first entries of a row.
ConfiguredRow FirstTexts(const ConfiguredRow& row, size_t count)
{
    const auto end = row.begin() + static_cast<std::ptrdiff_t>(std::min(count, row.size()));
    return ConfiguredRow(row.begin(), end);
}

} // namespace

void PasteDeviceFields(_IED_DEVICE& to, const _IED_DEVICE& from)
{
    to.vendor = from.vendor;
    to.IPaddr = from.IPaddr;
    to.IPMask = from.IPMask;
    to.Gateway = from.Gateway;
    to.comment = from.comment;
    to.MSScanDelay = from.MSScanDelay;
    to.state = kSlotInUse;
    to.CIDFile = from.CIDFile;
    to.ConfiguredCache.clear();
    to.ReportsPath.clear();
}

ConfiguredRow PastedIedEntry(const ConfiguredRow& entry)
{
    return FirstTexts(entry, kPastedIedTexts);
}

void PasteDeviceFields(CPLC_Device& to, const CPLC_Device& from)
{
    to.name = from.name;
    to.IPAddr = from.IPAddr;
    to.IPMask = from.IPMask;
    to.Gateway = from.Gateway;
    to.comment = from.comment;
    to.CmdDelay = from.CmdDelay;
    to.Resp = from.Resp;
    to.Rty = from.Rty;
    to.ErrDelay = from.ErrDelay;
    to.state = from.state;
    to.node = from.node;
    to.RStartReg = from.RStartReg;
    to.WStartReg = from.WStartReg;
    to.devType = from.devType;
    // Placing the device rebuilt its rows from the tag map; the copied rows take their place, so that
    // no tag is written twice.
    if (!from.configuredRows.empty())
        to.configuredRows.clear();
    for (const ConfiguredRow& row : from.configuredRows)
        to.configuredRows.push_back(FirstTexts(row, kPastedPlcTexts));
}

} // namespace Corvel::Records
