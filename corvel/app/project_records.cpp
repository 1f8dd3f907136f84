#include "corvel/app/project_records.h"

#include <cstring>

namespace Corvel::Records {

namespace {

const char kNewProjectName[] = "Project 1";
const char kFirstPlcName[] = "EthernetIP";
// A PLC device's type until another kind is placed.
constexpr int kPlcDefaultType = 1;
constexpr int kPlcDefaultSlotNumber = 1;

bool BeginsWith(const CString& text, const CString& start)
{
    return text.GetLength() >= start.GetLength() && strncmp(text, start, start.GetLength()) == 0;
}

// The entry whose name equals key, else the one with the longest name that key begins with.
const CtlModelTable::value_type* FindEntry(const CtlModelTable& table, const CString& key, bool flat)
{
    const CtlModelTable::value_type* prefixMatch = nullptr;
    int prefixLength = -1;
    for (const auto& entry : table) {
        if (entry.second == 0)
            continue;
        const CString text = CtlModelKeyText(entry.first);
        const CString name = flat ? FlatCtlModelName(text) : text;
        if (name == key)
            return &entry;
        if (name.GetLength() > prefixLength && BeginsWith(key, name)) {
            prefixMatch = &entry;
            prefixLength = name.GetLength();
        }
    }
    return prefixMatch;
}

} // namespace

CString CtlModelKeyText(const CtlModelKey& key)
{
    return key.second.IsEmpty() ? key.first : key.first + "|" + key.second;
}

CString FlatCtlModelName(const CString& keyText)
{
    CString name = keyText;
    name.Replace('|', '_');
    name.Replace('$', '_');
    return name;
}

CString FindCtlModelText(const CtlModelTable& table, const CString& key, const CString& defaultText)
{
    const CtlModelTable::value_type* found = FindEntry(table, key, false);
    if (found == nullptr)
        found = FindEntry(table, FlatCtlModelName(key), true);
    if (found == nullptr)
        return defaultText;
    CString text;
    text.Format("%d", found->second);
    return text;
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
    device->IPAddr = "192.168.0.250";
    device->IPMask = "255.255.255.0";
    device->Gateway = "192.168.0.1";
    device->devNum = devNum;
    device->NOESel = 0;
    device->NOESlotNum = kPlcDefaultSlotNumber;
    device->state = firstSlot ? kSlotInUse : kSlotFree;
    if (firstSlot)
        device->name = kFirstPlcName;
    device->devType = kPlcDefaultType;
    return device;
}

} // namespace Corvel::Records
