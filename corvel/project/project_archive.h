// ProjectArchiveContent, CProjectArchiveWriter, CProjectArchiveReader: the project archive file (*.prj),
// a flat sequence of framework archive values written from and read into the project's records.
#pragma once
#include "framework/core.h"
#include "corvel/model/tags_list.h"
#include "corvel/model/ctl_model_map.h"

#include <functional>
#include <string>
#include <vector>

// The parts of the project document that the project archive carries.
struct ProjectArchiveContent {
    Corvel::Records::_PROJECT& project;
    Corvel::Records::CVQNTagsList& tagsINP;
    Corvel::Records::CVQNTagsList& tagsOUT;
    Corvel::Records::CVQNTagsList& tagsMSG;
    CtlModelMap& ctlModels;
};

// File versions: what the writer writes, and where the readers' blocks begin.
constexpr char kArchiveVersionText[] = "010";
constexpr int kArchiveVersion = 10;
// The oldest file version read.
constexpr int kArchiveVersionOldest = 1;
// From this version on: VQNstatusStart, rebootRegister and the data items of reports-path entries.
constexpr int kArchiveVersionStatusRegisters = 6;
// From this version on: the data-set member block and the last three texts of reports-path entries.
constexpr int kArchiveVersionFcdas = 10;

// How the project came in (the document's openKind) as far as the reader cares.
constexpr int kOpenKindConfigurationByType = 3;
constexpr int kOpenKindConfigurationImport = 4;
constexpr int kOpenKindUpload = 5;

// Writes the whole project as archive values: version "010", then the
// settings, the connection tags, the data-set members, the SCL files, the tag
// map, every IED and PLC record (free ones too, in list order) and the
// control models. Unique tag names of FCDAs, tag-map rows and connection tags
// are not part of the file.
class CProjectArchiveWriter {
public:
    // Texts the archive carries for the reader to skip.
    struct Folders {
        CString sclFolder;  // the project's SCL-file folder
        CString otherPath;  // a second path text of the document
    };

    CProjectArchiveWriter(const ProjectArchiveContent& content, const Folders& folders);

    // Throws what the archive throws (CFileException*, CArchiveException*).
    void Write(CArchive& ar);

private:
    void WriteSettings(CArchive& ar);
    void WriteConnectionTags(CArchive& ar);
    void WriteFcdas(CArchive& ar);
    void WriteSclFiles(CArchive& ar);
    void WriteTagMap(CArchive& ar);
    void WriteIedMap(CArchive& ar);
    void WriteIedRows(CArchive& ar, const Corvel::Records::ConfiguredRows& rows);
    void WriteReportEntry(CArchive& ar, const Corvel::Records::ReportPathEntry& entry);
    void WritePlcs(CArchive& ar);
    void WriteCtlModels(CArchive& ar);

    ProjectArchiveContent m_content;
    Folders m_folders;
};

// Reads a project archive into the records of a new project. IED and PLC
// records are not created: the file's records fill the ones the project has,
// in list order, and those the project has no room for are read and dropped.
// A record whose name is not empty is in use. Counts are checked against the
// bytes left before anything is read for them, so a damaged file ends the
// read with a reason instead of a large allocation.
class CProjectArchiveReader {
public:
    struct Options {
        int openKind = 0;
        // The SCL files live in sclFolder: their paths and the IEDs' files are moved there.
        bool sclFilesInProjectFolder = false;
        CString sclFolder;
        // The folder of the archive being opened; the SCL files and the path of an
        // imported configuration are placed in it.
        CString projectFolder;
        // The IED name an SCL file declares ("iedName="), or empty; none skips the check of CIDFile.
        std::function<CString(const CString& sclPath)> iedNameOfFile;
    };

    CProjectArchiveReader(const ProjectArchiveContent& content, Options options);

    // Reads the archive to its end; false when it ends early or holds an impossible
    // count (GetError tells where). What was read before stays in the records.
    bool Read(CArchive& ar);
    // As Read, on the bytes of a file; name only names it in messages.
    bool ReadBytes(const std::string& bytes, const CString& name);

    // The number of the version text, 0 before it was read.
    int GetFileVersion() const { return m_version; }
    const CString& GetError() const { return m_error; }
    // Devices in use that the records had no room for: more IEDs or PLC devices than the project has slots.
    const std::vector<CString>& GetWarnings() const { return m_warnings; }

private:
    class CCursor;

    void ReadSettings(CCursor& in);
    void ReadConnectionTags(CCursor& in);
    void ReadFcdas(CCursor& in);
    void ReadSclFiles(CCursor& in);
    void ReadTagMap(CCursor& in);
    void ReadIedMap(CCursor& in);
    void ReadIedRecord(CCursor& in, Corvel::Records::_IED_DEVICE& ied);
    void ReadIedRows(CCursor& in, Corvel::Records::ConfiguredRows& rows);
    void ReadReportEntry(CCursor& in, Corvel::Records::ReportPathEntry& entry);
    void ReadPlcs(CCursor& in);
    void ReadPlcRecord(CCursor& in, Corvel::Records::CPLC_Device& plc);
    // A block of device records: its name in messages, the fewest bytes of a record, the project's records
    // it fills, the reader of one record and what the devices are called in the warning.
    template <class Record>
    struct DeviceBlock {
        LPCSTR name;
        ULONGLONG minBytes;
        Corvel::Records::RecordList<Record>& records;
        void (CProjectArchiveReader::*read)(CCursor&, Record&);
        LPCSTR devices;
        LPCSTR device;
    };
    // Fills the project's records in list order; the records it has no room for are read past, and those in
    // use are counted in a warning.
    template <class Record>
    void ReadDeviceRecords(CCursor& in, const DeviceBlock<Record>& block);
    void ReadCtlModels(CCursor& in);
    // Points CIDFile at the project's SCL file declaring the IED's label when its own file does not.
    void CheckIedFile(Corvel::Records::_IED_DEVICE& ied) const;

    ProjectArchiveContent m_content;
    Options m_options;
    int m_version = 0;
    CString m_error;
    std::vector<CString> m_warnings;
};
