// CDeviceConfigWriter, CReport, CGoose, CommandEntry, CBlockTable, CDeviceTagPaths: the elements of the
// module configuration ("DeviceConfig") and the blocks gathered for one IED while its resource is written.
#pragma once
#include "corvel/gateway/device_config.h"
#include "corvel/model/ctl_model_map.h"
#include "corvel/model/iec_types.h"
#include "corvel/project/kor_xml.h"

#include <map>
#include <string_view>
#include <utility>
#include <vector>

namespace Corvel::Gateway {

// The tag name of a data-set member that no row maps.
constexpr char kTempTagName[] = "_tempTag";
// The status tag of an EtherNet/IP connection: this prefix and the connection's two-digit number.
constexpr char kReconnectionCountPrefix[] = "StatusEIPS_ReconnectionCount_";
// Ends an attribute list of the XML writer.
constexpr char kListEnd[] = "XXX";

// One command row of an IED.
struct CommandEntry {
    CString domName;
    CString commandPath;
    CString sboPath;
    CString access;
    CString ctlModel; // the row's own control model (column 7), "%d" text or empty
    CString comment;
    CString tagName;
    CString dataName;
};
// Command rows by base path in ascending text order; the rows of one path keep their order.
using CommandTable = std::map<CString, std::vector<CommandEntry>>;

// A report control block gathered for one IED: one member per attribute of its data set.
struct CReport {
    std::vector<CString> memberTags;  // kTempTagName for a member that no row maps
    std::vector<CString> memberPaths; // empty for such a member
    BYTE buffered = 0;
    CString domName;
    CString dataPath;
    CString reportId;
    CString bufferedReport;
    CString confRev;
    CString groupOffsets; // attribute boundaries of the data set's members, "0,2,5,6"
    CString intPd;
    CString trgDchg;
    CString trgQchg;
    CString trgDupd;
    CString trgIntPd;
    CString trgGi;
};

struct CGooseMember {
    CString tagName;
    CString path;
    CString domName;
};

// A GOOSE control block gathered for one IED: one member per item of its data set.
struct CGoose {
    CString dataSetRef;
    CString gcRef;
    CString appId;
    CString macAddress;
    CString confRev;
    std::vector<CGooseMember> members;
};

// The blocks of one IED by key (a report's logical device and path, a GOOSE block's name), in the order they were first met, which is the order they are written in.
template <class Block>
class CBlockTable {
public:
    // The block of key, or null; valid until the next Add.
    Block* Find(const CString& key)
    {
        const auto found = m_index.find(key);
        return found == m_index.end() ? nullptr : &m_blocks[found->second];
    }
    Block& Add(const CString& key, Block block)
    {
        m_index[key] = m_blocks.size();
        m_blocks.push_back(std::move(block));
        return m_blocks.back();
    }
    const std::vector<Block>& Blocks() const { return m_blocks; }

private:
    std::vector<Block> m_blocks;
    std::map<CString, size_t> m_index;
};

// The group number of member k of a report: how many of the boundaries after the first are not greater
// than k, as "%d" text.
CString GetReportGroupOffset(const CReport& report, int k);
// The boundaries of a report's groupOffsets after the first, for GetReportGroupOf.
std::vector<int> ReadReportGroupBoundaries(const CString& groupOffsets);
int GetReportGroupOf(const std::vector<int>& boundaries, int k);

// The paths one IED records for its tag names: in its rows and in its report-path table. Refers to the
// device's texts, which must stay as they are while it is used.
class CDeviceTagPaths {
public:
    explicit CDeviceTagPaths(const Records::_IED_DEVICE& device);
    // The data path of the first row named tagName after its first ":"; empty when no row is named so.
    CString FindMmsPathOfTag(const CString& tagName) const;
    // The path of the first report-path entry named tagName after its first ":"; FindMmsPathOfTag when
    // that is empty.
    CString FindGooseMemberPath(const CString& tagName) const;

private:
    // Tag names with their paths, sorted by name; paths of one name in the order met.
    using PathsByName = std::vector<std::pair<std::string_view, const CString*>>;
    static const CString* Find(const PathsByName& paths, const CString& tagName);

    PathsByName m_rowPaths;
    PathsByName m_entryPaths;
};

// Writes the configuration of one project through an open XML writer, from the start tag of
// "DeviceConfig" to its end tag, in the order and with the attribute order the module reads.
class CDeviceConfigWriter {
public:
    CDeviceConfigWriter(Korvane::Formats::CKorXml& xml, const ProjectXmlContent& project);

    // Writes the whole document; outputPath is where the configuration ends up (a project without a
    // path puts its XML copy beside it). Returns the IED tag rows written.
    int Write(const CString& outputPath, const DeviceConfigOptions& options, std::vector<CString>& warnings);
    // Takes back what the run changed in the records (the MMS ping defaults).
    void RestoreRecords();

private:
    using Row = Records::ConfiguredRow;
    using Device = Records::_IED_DEVICE;

    // Tag database (device_config.cpp).
    void WriteTagDatabase();
    void WriteStatusTag(LPCSTR datatype, const CString& name, LPCSTR comment = "");
    void WriteAttachments(const CString& outputPath, const DeviceConfigOptions& options,
                          std::vector<CString>& warnings);
    void EmbedFile(const CString& path, std::vector<CString>& warnings);

    // Port resources (device_config_resources.cpp).
    void WriteEth0Resource();
    void WriteEth1Resource();
    void WriteResource(bool firstPort);
    // Starts "Driver" with its id, and its status index when the module keeps driver status registers.
    void StartDriver(LPCSTR id, LPCSTR statusIndex);
    void WriteIec61850Client(bool firstPort);
    void WriteRemoteAddress(Device& device, bool firstPort);
    void WritePlainTagMap(const Row& row, bool firstPort);
    void WriteCommandTagMaps(const CommandTable& commands, bool firstPort);
    void WriteReports(const CBlockTable<CReport>& reports, const CDeviceTagPaths& paths);
    // Puts a report or GOOSE row into its block, creating the block at its first row.
    void GatherControlBlockRow(const Device& device, const Row& row, CBlockTable<CReport>& reports,
                               CBlockTable<CGoose>& geese);
    // Adds the warning that a report or GOOSE row of device cannot be placed, with the reason.
    void WarnRowLeftOut(const Device& device, const CString& tagName, LPCSTR reason);
    // The control model of a plain-data row: by its tag name (first port) or by its domain and path.
    CString FindCtlModelTextByTagName(const Row& row) const;
    CString FindCtlModelTextByDomainPath(const Row& row) const;
    // The control model the mapping stored for a command: the row's own, else the table's entry under its
    // logical device and path; empty when neither is 1 or more.
    CString FindStoredCtlModelText(const CommandEntry& command) const;

    // EtherNet/IP maps and GOOSE subscriptions (device_config_maps.cpp).
    void WriteEtherNetIpAdapter(bool firstPort);
    void WriteConnectionMap(int connection);
    void WriteExplicitMaps();
    // Writes "Geese" and then the end tag of the enclosing "RemoteAddress".
    void WriteGooseSubscriptions(const CBlockTable<CGoose>& geese, const CDeviceTagPaths& paths);
    void WriteGoose(const CGoose& goose, const CDeviceTagPaths& paths);
    // The FCDA path kept for tagName in the project's FCDA records; empty when none.
    CString FindFcdaText(const CString& tagName);

    // Shared state of one run.
    bool IsConnectionInUse(int connection) const;
    // "eth0" or "eth1" in the IEC 61850 status tag names.
    LPCSTR Iec61850StatusPort() const;
    CString NodeStatusName(int iedIndex) const;
    bool HasStatusIndexes() const;

    Korvane::Formats::CKorXml& m_xml;
    const ProjectXmlContent& m_project;
    Records::_PROJECT& m_records;
    CIecTypeTable m_types;
    int m_tagCount = 0;
    int m_iedCount = 0;
    int m_connectionLimit = 0;
    std::vector<bool> m_connectionsInUse;
    // IEDs whose empty MMS ping the run set to the default.
    std::vector<Device*> m_defaultedPings;
    // FCDA paths by tag name, filled at the first lookup.
    std::map<CString, CString> m_fcdaPaths;
    bool m_hasFcdaIndex = false;
    CCtlModelIndex m_ctlModels;
    // The warnings of the run (Write's list).
    std::vector<CString>* m_warnings = nullptr;
};

// value as "%d" text.
CString DecimalText(int value);
// Two-digit numbering of status tag names: "0%d" below 10, "%d" from 10 on.
CString TwoDigitNumber(int number);
// The part of path after its first ":"; the whole path when it holds none.
CString PathAfterColon(const CString& path);

} // namespace Corvel::Gateway
