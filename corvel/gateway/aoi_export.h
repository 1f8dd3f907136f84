// CGenAOI, CAoiExportError: the Logix Add-On Instruction files ("<device>_AOI.L5X") written from a module
// configuration ("DeviceConfig").
#pragma once
#include "corvel/gateway/device_config.h"
#include "corvel/model/project_records.h"
#include "corvel/model/xml_document.h"
#include "corvel/project/kor_exceptions.h"

#include <map>
#include <set>
#include <vector>

namespace Corvel::Gateway {

// A file that could not be built or saved, with the text for the user.
class CAoiExportError : public Korvane::Exceptions::CKorException {
public:
    explicit CAoiExportError(const CString& text, HRESULT result = E_FAIL) : CKorException(result), m_text(text) {}
    LPCSTR Message() override { return m_text; }

private:
    CString m_text;
};

// One run of the export: one file per remote address of the configuration's IEC 61850 clients, each with a
// user data type whose members mirror the device's tags and an instruction whose rungs copy the mapped tags
// between the EtherNet/IP connection buffers and those members. Works from the configuration file alone.
class CGenAOI {
public:
    // Longest member name the programming software takes.
    static constexpr int kMaxMemberName = 40;

    // The project's devices in use, as the export tells their tags apart.
    struct ProjectDevices {
        std::vector<CString> names;
        // By the name the configuration gives a device (its AR name): the tag names its rows map, as the
        // configuration writes them (without brackets).
        std::map<CString, std::set<CString>> tagsByDevice;
    };

    // projectDevices: the names of the project's devices in use. A tag that starts with a longer one of them
    // never belongs to a device whose name starts it (IED10x is IED10's, not IED1's).
    explicit CGenAOI(std::vector<CString> projectDevices = {});
    // A device of the project owns the tags its rows map, whatever their names; the names decide only for
    // a device the project does not know.
    explicit CGenAOI(ProjectDevices projectDevices);
    virtual ~CGenAOI() = default;
    CGenAOI(const CGenAOI&) = delete;
    CGenAOI& operator=(const CGenAOI&) = delete;

    // The devices in use of a project, for the constructor.
    static ProjectDevices GetProjectDevices(const Records::_PROJECT& project);

    // Writes the files beside configPath, the module configuration. When the first file exists and overwriting
    // is not allowed, writes nothing and stops (StoppedBeforeOverwriting): the caller asks the user and runs
    // again with SetOverwriteWithoutAsking(true). False only when the configuration cannot be loaded. A file that cannot be built or saved throws CAoiExportError: the files written before it stay,
    // and nothing is left under its name (a file that was there stays as it was).
    bool ExportAll(const CString& configPath);
    // Files written in this run, and their paths in the order written.
    int GetFileCount() const { return static_cast<int>(m_writtenFiles.size()); }
    const std::vector<CString>& GetWrittenFiles() const { return m_writtenFiles; }
    // The run stopped at its first file, which exists, before overwriting it.
    bool StoppedBeforeOverwriting() const { return !m_continue; }
    // Existing files are overwritten (after the user agreed, or for tools that run without a user).
    void SetOverwriteWithoutAsking(bool overwrite) { m_overwriteWithoutAsking = overwrite; }

    // Bytes of a tag-database type ("BOOL", "INT", ...); -1 for a type it does not know.
    static int GetTypeSize(const CString& type);
    // A tag's type as a member's: type and dimension in, the member's type and dimension out, with its
    // radix, hidden flag and whether it is a bit of a hidden SINT.
    static void MapMemberType(CString& type, CString& dimension, CString& radix, CString& hidden, bool& isBit);
    // A status tag of the module, never a member: a tag that does not start with deviceName and starts with
    // a status prefix, or one of the status tags the configuration adds (whatever the device's name).
    static bool IsStatusTag(const CString& tagName, const CString& deviceName);
    // One of the tags the rows of the project's device deviceName map; for a device the project does not
    // know, the tag starts with deviceName and with no longer name of another device of the project.
    bool TagBelongsToDevice(const CString& tagName, const CString& deviceName) const;
    // The file system reports attributes for path.
    static bool PathExists(const CString& path);

private:
    // A tag of the configuration's tag database.
    struct TagEntry {
        bool hasName = false;
        CString name;
        CString datatype;
        CString dimension;
    };
    // A tag of an implicit connection: where it sits in which connection.
    struct MapEntry {
        CString tagName;
        CString startAddress;
        CString connection; // the number that names the connection's parameters
    };
    // A member written for a tag of the device.
    struct Member {
        CString name;
        CString datatype;  // the tag's
        CString dimension; // the member's
        bool isBit = false;
    };
    class CFileBuilder;

    // Reads what every file of the run takes from the configuration.
    void ReadConfiguration(const CXmlDocument& config);
    void ExportRemoteAddresses(const DomElementPtr& driver);
    // False when the run stops before overwriting its first file.
    bool WriteAoiFile(const CString& device);
    void WriteMembers(CFileBuilder& file, const CString& device, const DomElementPtr& members);
    void WriteParameters(CFileBuilder& file, const CString& device, const DomElementPtr& parameters) const;
    void WriteRoutine(CFileBuilder& file, const CString& device, const DomElementPtr& rllContent) const;
    void WriteRungs(CFileBuilder& file, int& rungNumber, bool isInput, const CString& device,
                    const DomElementPtr& rllContent) const;
    // The member name of a tag of device at position in the tag database.
    static CString MemberNameOf(const CString& tagName, const CString& device, int position);

    std::vector<CString> m_projectDevices;
    std::map<CString, std::set<CString>> m_deviceTags;
    CString m_outputFolder;
    bool m_continue = true;
    bool m_overwriteAsked = false;
    bool m_overwriteWithoutAsking = false;
    std::vector<CString> m_writtenFiles;

    // The configuration of the run.
    std::vector<TagEntry> m_tags;
    std::vector<MapEntry> m_inputMaps;
    std::vector<MapEntry> m_outputMaps;
    std::vector<CString> m_connections;
    // The members of the file being written, by full tag name.
    std::map<CString, Member> m_members;
};

// Writes the module configuration of project into folder and the AOI files of aoi from it, the export's one
// road: the configuration is written under a draft name and becomes folder's "Current.xml" when the AOI files
// are written; a declined or failed run leaves the folder's "Current.xml" as it was. False when the export
// could not read the configuration. Failures throw CKorException with the text for the user. warnings, when
// given, receives what the configuration leaves out (DeviceConfigResult::warnings).
bool WriteConfigurationAndAoiFiles(const ProjectXmlContent& project, const DeviceConfigOptions& options,
                                   const CString& folder, CGenAOI& aoi, std::vector<CString>* warnings = nullptr);

} // namespace Corvel::Gateway
