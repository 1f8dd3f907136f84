// ProjectXmlContent, ProjectXmlStamp, CProjectXmlWriter, CProjectXmlReader, DeriveTagUName, FormatDecimal,
// FormatTime: the project XML file (*.prx) written from and read into the project's records.
#pragma once
#include "framework/core.h"
#include "corvel/model/tags_list.h"
#include "corvel/model/ctl_model_map.h"
#include "corvel/project/kor_xml.h"

#include <ctime>
#include <memory>
#include <string>
#include <vector>

namespace rapidxml {
template <class Ch>
class xml_node;
}

// The parts of the project document that the project XML file carries.
struct ProjectXmlContent {
    Corvel::Records::_PROJECT& project;
    Corvel::Records::CVQNTagsList& tagsINP;
    Corvel::Records::CVQNTagsList& tagsOUT;
    Corvel::Records::CVQNTagsList& tagsMSG;
    CtlModelMap& ctlModels;
    // Names of added SCL files; the writer removes the ones it writes.
    CStringArray& fileListA;
};

// What the Detail section tells about the writing: the program and the time.
struct ProjectXmlStamp {
    CString appName;
    CString appVersion;
    time_t writtenAt = 0;
};

// The unique tag name of a tag: the part of tagName before the path's node
// name, then the path after its ":", with every "$" replaced by "_".
CString DeriveTagUName(const CString& tagName, const CString& tagPath);
// Fills the record's tagUName by DeriveTagUName when it is empty.
template <class Record>
void FillTagUName(Record& record)
{
    if (record.tagUName.IsEmpty())
        record.tagUName = DeriveTagUName(record.tagName, record.tagPath);
}
// What a project file reader says of devices in use that the project has no slots for: "Warning: The project
// holds more <devices> than the network view has device slots (<slots>). <dropped> <device>(s) were not loaded."
CString DevicesBeyondSlotsWarning(LPCSTR devices, LPCSTR device, int slots, int dropped);
// value as "%d" text, also left in scratch.
LPCSTR FormatDecimal(int value, CString& scratch);
// The local time at as strftime formats it; empty when it cannot be formatted.
CString FormatTime(time_t at, LPCSTR format);

// Writes the nine sections of the project XML file through an open CKorXml.
// Unique tag names it derives for FCDAs, tag-map rows and assigned tags are
// stored in those records.
class CProjectXmlWriter {
public:
    CProjectXmlWriter(Korvane::Formats::CKorXml& xml, const ProjectXmlContent& content, const ProjectXmlStamp& stamp);

    // Root element "Project" with its sections; the CKorXml's destruction closes it.
    void Write();

    void WriteProjectDetail();
    void WriteProjectNetwork();
    void WriteProjectPlcs();
    void WriteProjectSclFiles();
    void WriteProjectIedMap();
    void WriteProjectFcdas();
    void WriteProjectTagMap();
    void WriteProjectAssignedTags();
    void WriteProjectCtlModels();

private:
    void WritePlcConfiguredCache(const Corvel::Records::CPLC_Device& plc);
    void WriteIedConfiguredCache(const Corvel::Records::_IED_DEVICE& ied);
    void WriteConfiguredRows(const Corvel::Records::ConfiguredRows& rows, bool iedRows);
    void WriteIedReportsPath(const Corvel::Records::_IED_DEVICE& ied);
    void WriteReportDataItems(const Corvel::Records::ReportPathEntry& entry);
    void WriteAssignedTagList(LPCSTR element, Corvel::Records::CVQNTagsList& list);

    Korvane::Formats::CKorXml& m_xml;
    ProjectXmlContent m_content;
    ProjectXmlStamp m_stamp;
};

// Reads a project XML file into a new project's records. Device records are
// not created: IEDs fill the free slots in list order and the PLC the first
// PLC record. Values are UTF-8 in the file and system code page text in the
// records.
class CProjectXmlReader {
public:
    // Files above this size are refused before anything is allocated.
    static constexpr ULONGLONG kMaxFileSize = 64ull * 1024 * 1024;
    // Deeper element nesting is refused before the tree is built.
    static constexpr int kMaxElementDepth = 64;

    explicit CProjectXmlReader(const ProjectXmlContent& content);
    ~CProjectXmlReader();
    CProjectXmlReader(const CProjectXmlReader&) = delete;
    CProjectXmlReader& operator=(const CProjectXmlReader&) = delete;

    // Reads the file named path; false when it cannot be read, is not
    // well-formed or lacks a required section (GetError tells which).
    bool Read(const CString& path);
    // As Read, on the file's bytes; path only names the file in messages.
    bool ReadBytes(std::string bytes, const CString& path);

    // The message for the user when Read gave false.
    const CString& GetError() const { return m_error; }
    // Data the records had no room for: more IEDs than slots, a PLC without a PLC record.
    const std::vector<CString>& GetWarnings() const { return m_warnings; }

    using Node = rapidxml::xml_node<char>;

    bool ReadProjectDetail(const Node* root);
    bool ReadProjectNetwork(const Node* root);
    bool ReadProjectPlcs(const Node* root);
    bool ReadProjectSclFiles(const Node* root);
    bool ReadProjectIedMap(const Node* root);
    bool ReadProjectFcdas(const Node* root);
    bool ReadProjectTagMap(const Node* root);
    bool ReadProjectAssignedTags(const Node* root);
    bool ReadProjectCtlModels(const Node* root);

private:
    void ReadIedConfiguredCache(const Node* cache, Corvel::Records::_IED_DEVICE& ied);
    void ReadIedReportsPath(const Node* reports, Corvel::Records::_IED_DEVICE& ied);
    void ReadAssignedTagList(const Node* list, Corvel::Records::CVQNTagsList& tags);
    // Rows of a "ConfiguredCache" element; IED rows also enter their control models.
    void ReadConfiguredRows(const Node* cache, Corvel::Records::ConfiguredRows& rows, bool iedRows);
    bool ReadSections(const Node* root, const CString& path);

    ProjectXmlContent m_content;
    CString m_error;
    std::vector<CString> m_warnings;
};
