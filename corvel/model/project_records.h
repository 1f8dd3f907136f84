// The project's records: _PROJECT, _TAGS, _IED_DEVICE, ReportPathEntry, CPLC_Device, _ICD_FILES, _TAGSMAP,
// the lookup FindFcda and the records of a new project.
// CMainDoc names them as its nested types; model and format code uses them without windows.
#pragma once
#include "framework/core.h"
#include "corvel/model/ied_records.h"
#include "corvel/model/product.h"
#include "corvel/model/scl_model.h"

#include <map>
#include <memory>
#include <vector>

class CBridgeButn;
class CDevButton;
class CPLCButton;

namespace Corvel::Records {

// Record states of device slots.
constexpr int kSlotFree = 0;
constexpr int kSlotInUse = 5;

// Tag types of _TAGS::tagType.
constexpr int kTagTypeGoose = 1;
constexpr int kTagTypeReport = 2;
constexpr int kTagTypeMmsRead = 3;
constexpr int kTagTypeMmsWrite = 4;
constexpr int kTagTypeMessage = 5;

// One configured tag of a device: a list of texts.
// IED rows: 0 tagPath, 1 tagName, 2 dataType, 3 access, 4 description, 5 domName,
// 6 tagType, 7 control model text, 8 DAName (6, 7 or 9 columns). PLC rows have 8 texts.
using ConfiguredRow = std::vector<CString>;
using ConfiguredRows = std::vector<ConfiguredRow>;

// Column indexes of an IED configured row.
enum ConfiguredColumn {
    kColTagPath = 0,
    kColTagName = 1,
    kColDataType = 2,
    kColAccess = 3,
    kColDescription = 4,
    kColDomName = 5,
    kColTagType = 6,
    kColCtlModel = 7,
    kColDAName = 8,
};

// One mapped tag.
struct _TAGS {
    // Byte size of dataType on a connection; -1 for an unknown type, which UnsupportedTypeText names.
    int GetTypeSize() const;
    // "ERROR: Unsupported data type: '<dataType>'".
    CString UnsupportedTypeText() const;

    int reserved = 0;
    int SeqNum = 0;
    int Conn = -1;
    int IOType = 0;
    int StartAddr = -1;
    int tagType = 0;
    bool Assigned = false;
    CString tagName;
    CString tagUName;
    CString tagPath;
    CString dataType;
    CString Access;
    CString tagFCDA;
};

// A report or GOOSE path of an IED, in the order of the project archive's entry. Its key in the IED's
// ReportsPath is the row's data path, which is also the member path the configuration writes (the part after
// its first ":" is the MMS path). What the module configuration reads of it:
//   both kinds: isGOOSE, iIndex (the path's member index in the block's data set);
//   report control block: reportDataPath (the block instance's reference, "LLN0$BR$brcb01"; empty when the
//     path belongs to no report control block), reportDomain (its logical device), reportID, reportConfRev,
//     isBuffered, iCount (the data set's member count), groupOffset (the members' attribute boundaries,
//     "0,2,5,6"), iIntPd, and the trigger options isDchg, isQchg, isDupd, isPeriod, isGI;
//   GOOSE control block: gooseGCRef (the GOOSE control reference, which names the block; empty when the
//     path belongs to none), gooseDataSetRef, appID, gooseMulticastMacAddr, gooseReportConfRev,
//     gooseDataItemDomain (the member's logical device) and dataItems (the items of the block's data set).
struct ReportPathEntry {
    // The name of the report control block instance: the part of reportDataPath after its last "$".
    CString ReportBlockName() const;

    CString tagName;
    CString dataType;
    CString domName;
    bool isReport = false;
    bool isGOOSE = false;
    int iIndex = 0;
    int iCount = 0;
    std::vector<_DATA_ITEM> dataItems;
    bool isBuffered = false;
    CString tagUName;
    CString appID;
    CString groupOffset;
    CString bufOvfl;
    CString cfgRef;
    CString entryID;
    int iIntPd = 0;
    bool isDchg = false;
    bool isQchg = false;
    bool isDupd = false;
    bool isPeriod = false;
    bool isGI = false;
    CString reasonCode;
    CString seqNum;
    CString timeStamp;
    CString segmentation;
    CString dataRef;
    CString dataSet;
    CString reportDomain;
    CString reportDataPath;
    CString reportID;
    CString reportInterval;
    CString reportConfRev;
    CString gooseDataSet;
    CString gooseGCRef;
    CString gooseDataSetRef;
    CString gooseReportDomain;
    CString gooseDataItemDomain;
    CString gooseReportConfRev;
    CString gooseMulticastMacAddr;
};

// Report and GOOSE paths of an IED by data path.
using ReportsPathMap = std::map<CString, ReportPathEntry>;

// One IED on the network view; state kSlotFree is a free slot.
struct _IED_DEVICE {
    int state = kSlotFree;
    int devNum = 0;
    int reserved1 = 0;
    CString name;
    CString vendor;
    CString CIDFile;
    CString IPaddr = "192.168.0.250";
    CString IPMask = "255.255.255.0";
    CString Gateway = "192.168.0.1";
    CString label;
    CString comment;
    CString MSScanDelay = "1000";
    CString MMSping;
    CString APTitle;
    CString AEQualifier;
    CString pSel;
    CString sSel;
    CString tSel;
    // Owned through the record; freed by the main frame's device clean-up.
    CDevButton* button = nullptr;
    ConfiguredRows ConfiguredCache;
    ReportsPathMap ReportsPath;
    int reserved2 = 0;
};

// One PLC or Modbus device; state kSlotFree is a free slot.
class CPLC_Device {
public:
    CPLC_Device() = default;
    CPLC_Device(const CPLC_Device&) = default;
    CPLC_Device& operator=(const CPLC_Device&) = default;
    virtual ~CPLC_Device() = default;

    int state = kSlotFree;
    int devNum = 0;
    CString node;
    CString IPAddr;
    CString IPMask;
    CString Gateway;
    CString name;
    CString comment;
    CString CmdDelay;
    CString Resp;
    CString Rty;
    CString ErrDelay;
    CString RStartReg;
    CString WStartReg;
    // Owned through the record; freed by the main frame's device clean-up.
    CPLCButton* button = nullptr;
    int devType = 0;
    // The device's configured rows of 8 texts, and its second row list.
    ConfiguredRows configuredRows;
    ConfiguredRows secondRows;
    int NOESel = 0;
    int NOESlotNum = 0;
};

// One SCL file of the project.
struct _ICD_FILES {
    CString fileName;
    CString filePath;
    CString checksum; // CRC-32 text of the file
};

// Directions of a tag-map row.
constexpr char kMtcpReadDirection[] = "MTCP-->";
constexpr char kMtcpWriteDirection[] = "MTCP<--";
// The direction of a tag-map row of the data path: written by the PLC for a control ("$CO$") or a setpoint
// ("$SP$"), read by it otherwise.
LPCSTR TagMapDirection(const CString& tagPath);

// One row of the Modbus tag map.
struct _TAGSMAP {
    CString tagPath;
    CString tagName;
    CString tagUName;
    CString dataType;
    CString direction; // "MTCP-->" read from the IED, "MTCP<--" written to it
};

// A list of record pointers; the owner named by the document frees the records.
template <class T>
using RecordList = CTypedPtrList<CPtrList, T*>;

// The device record of list whose devNum is devNum, or null.
template <class T>
T* FindDevice(const RecordList<T>& list, int devNum)
{
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        T* device = list.GetNext(pos);
        if (device->devNum == devNum)
            return device;
    }
    return nullptr;
}

constexpr INT_PTR kRecordBlockSize = 10;

// The document's settings record: gateway button, ports, addresses, Detail
// settings and the six record lists. Fields are named after the .prx keys.
struct _PROJECT {
    _PROJECT() = default;
    ~_PROJECT() = default;
    _PROJECT(const _PROJECT&) = delete;
    _PROJECT& operator=(const _PROJECT&) = delete;

    // Owned through this pointer; freed by the main frame's device clean-up.
    CBridgeButn* bridgeButton = nullptr;
    int reservedWord1 = 0;
    int reservedWord2 = 0;
    int numPorts = 2;
    int port61850 = 1;
    int portPLC = 2;
    bool autoRestart = true;
    CString reservedText1;
    CString reservedText2;
    CString reservedText3;
    CString reservedText4;
    CString reservedText5;
    CString eth0IPaddr;
    CString eth0IPmask;
    CString eth0Gateway;
    CString eth1IPaddr;
    CString eth1IPmask;
    CString eth1Gateway;
    CString NTPaddr;
    CString NTPupdate;
    CString startRead;
    CString startWrite;
    CString connTimeout;
    CString NoMTCPsrvr;
    CString NoMBAPsrvr;
    CString VQNstatusStart;
    CString rebootRegister;
    RecordList<_TAGS> tags;
    RecordList<_IED_DEVICE> iedDevices;
    RecordList<CPLC_Device> plcDevices;
    RecordList<_ICD_FILES> sclFiles;
    RecordList<_TAGSMAP> tagMaps;
    RecordList<_CFCDA> fcdas;
    CString comment;
    CString prjName = kNewProjectName;
    CString filePath;
    // Kept with the project's fields; nothing sets them.
    CString reservedText6;
    CString reservedText7;
    CString reservedText8;
    CString reservedText9;
};

// The project's name, or the file name of its path when the name is empty.
CString ProjectName(const _PROJECT& project);
// Adds to the counters, for every tag-map row read by the PLC ("MTCP-->") or written by it ("MTCP<--"), 1 tag
// and the element count of its type; rows of any other direction are passed over.
void BuildMtcpTagLists(const RecordList<_TAGSMAP>& rows, int& readTags, int& writeTags, int& readElements,
                       int& writeElements);
// The name with "-" and the characters PLC variable names cannot hold replaced by "_".
CString SanitizeTagName(const CString& tagName);
// The IED records in use (placed on the network view).
int CountIedsInUse(const _PROJECT& project);
// The PLC records in use.
int CountPlcsInUse(const _PROJECT& project);
// Whether an IED in use carries the label; free slots do not count.
bool IsIedLabelInUse(const _PROJECT& project, const CString& label);

// The RPI limit of the project's EtherNet/IP connections, which depends on how many IEDs the module polls.
struct RpiLimitInfo {
    // Counts the IEDs in use and takes the port setting: fewer than 6 IEDs give "10", 6 to 10 "40",
    // 11 to 15 "60", 16 or more "100".
    void Refresh(const _PROJECT& project);

    int iedCount = 0;
    int portSetting = 0;
    CString rpiLimit;
};

// Deletes every record of the list and empties it.
template <class T>
void DeleteRecords(RecordList<T>& list)
{
    while (!list.IsEmpty())
        delete list.RemoveHead();
}

// The first record whose tagName equals tagName (case-sensitive), or null.
_CFCDA* FindFcda(const RecordList<_CFCDA>& fcdas, const CString& tagName);

// The settings the network view writes into a new project.
void ApplyNewProjectSettings(_PROJECT& project);

// Device ids: IED slot i has kFirstDeviceId + i, PLC slot j has kFirstDeviceId + (IED slots) + j.
constexpr int kFirstDeviceId = 1066;
// Slots of a new project unless the profile says otherwise ("Mapper"/"MaxNoIEC", "ModDlg"/"MaxNoMB").
constexpr int kDefaultMaxIeds = 20;
constexpr int kDefaultMaxPlcs = 10;
// Appends the free IED slots and the PLC slots of a new project (the first PLC slot in use), without
// buttons, with the network view's ids and defaults.
void AddDeviceSlots(_PROJECT& project, int iedSlots, int plcSlots);
// A free IED slot with the network view's defaults.
std::unique_ptr<_IED_DEVICE> MakeIedSlot(int devNum);
// A PLC slot with the network view's defaults; the first one is in use as "EthernetIP".
std::unique_ptr<CPLC_Device> MakePlcSlot(int devNum, bool firstSlot);

// Puts the IED of an SCL file's access point into a free slot: in use, named after the IED, with its
// SCL file, manufacturer and addresses.
void PlaceIed(_IED_DEVICE& device, const CString& sclPath, const CConnectedAP& entry);

// Gives to every field of from except state, devNum and button; the lists are moved, leaving from's empty.
// The IED's first unnamed number becomes 0.
void MoveDeviceFields(_IED_DEVICE& to, _IED_DEVICE& from);
void MoveDeviceFields(CPLC_Device& to, CPLC_Device& from);
// Gives every field of a freed record except devNum and button the value of a free slot.
void ResetFreedDevice(_IED_DEVICE& device);
void ResetFreedDevice(CPLC_Device& device);

// The first record of list in a free slot, or null.
template <class T>
T* FindFreeSlot(const RecordList<T>& list)
{
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        T* device = list.GetNext(pos);
        if (device->state == kSlotFree)
            return device;
    }
    return nullptr;
}
// A paste of a copied IED into a free slot: to takes from's vendor, addresses, comment, scan delay and SCL file
// and is in use; its mapped entries and report paths are emptied (the paste adds the copied entries one by one,
// each cut by PastedIedEntry). The name, the label and the other fields stay the slot's.
void PasteDeviceFields(_IED_DEVICE& to, const _IED_DEVICE& from);
// A copied entry as the paste adds it: its first five texts.
ConfiguredRow PastedIedEntry(const ConfiguredRow& entry);
// A paste of a copied PLC into the slot the network view placed: to takes from's name, addresses, comment,
// timings, state, node, start registers and type; from's rows, each cut to its first eight texts, take the
// place of to's rows when from has any.
void PasteDeviceFields(CPLC_Device& to, const CPLC_Device& from);

// Moves the records in use to the front of the list, in their order: the record at position i takes every
// field of the i-th record in use, is in use and gets the id firstId + i. The records after them are reset
// as freed; their ids stay. Returns the number of records in use.
template <class T>
int CompactDevices(RecordList<T>& list, int firstId)
{
    std::vector<T*> records;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        records.push_back(list.GetNext(pos));
    size_t used = 0;
    for (T* record : records) {
        if (record->state != kSlotInUse)
            continue;
        // The record in use stands at position used or later, so it has not been overwritten yet.
        T* target = records[used];
        if (target != record)
            MoveDeviceFields(*target, *record);
        target->state = kSlotInUse;
        target->devNum = firstId + static_cast<int>(used);
        ++used;
    }
    for (size_t i = used; i < records.size(); ++i)
        ResetFreedDevice(*records[i]);
    return static_cast<int>(used);
}

} // namespace Corvel::Records
