#include "corvel/app/project_records.h"

namespace Corvel::Records {

namespace {

const char kNewProjectName[] = "Project 1";
const char kFirstPlcName[] = "EthernetIP";
// A PLC device's type until another kind is placed.
constexpr int kPlcDefaultType = 1;
constexpr int kPlcDefaultSlotNumber = 1;

} // namespace

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
