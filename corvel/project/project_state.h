// CProjectState, ArchiveWriteResult: the parts of a project that its files carry, held together, with the
// operations on them that need no window (a new project's records, reading and writing the files).
#pragma once

#include "corvel/model/ctl_model_map.h"
#include "corvel/model/tags_list.h"
#include "corvel/project/project_archive.h"
#include "corvel/project/project_xml.h"

#include <utility>
#include <vector>

// How writing the project archive ended.
enum class ArchiveWriteResult {
    kWritten,
    kNotCreated, // the file could not be created (error tells why); nothing was written
    kFailed,     // writing failed part way (error tells why)
};

// How saving the project's two files ended.
enum class ProjectWriteResult {
    kWritten,
    kXmlNotWritten,     // the project XML file could not be written whole (the XML writer reported why)
    kArchiveNotCreated, // the archive could not be created (error tells why); nothing of it was written
    kArchiveFailed,     // writing the archive failed part way (error tells why)
};

// The Detail stamp of the running program: its file name, its product version and the time now.
ProjectXmlStamp MakeProgramStamp();

// The project's settings and records, its file names, control models and connection tag lists. CMainDoc holds
// the project as one of these; the developer tools use one without a document. The state owns its records
// while it lives: whatever its lists still hold when it goes is deleted (device buttons are not).
class CProjectState {
public:
    CProjectState();
    virtual ~CProjectState();
    CProjectState(const CProjectState&) = delete;
    CProjectState& operator=(const CProjectState&) = delete;

    // The parts of the state the project files carry.
    ProjectXmlContent GetXmlContent();
    ProjectArchiveContent GetArchiveContent();

    // The device records of a new project without buttons: the old device and tag records are deleted (their
    // buttons must be gone), the new-project settings written, the file names emptied and the free slots
    // added, as the network view builds them.
    void RebuildDeviceSlots(int iedSlots, int plcSlots);
    // What New resets besides the device records: file names, connection tags, control models, FCDAs and
    // SCL files; one port and both port roles 1; the name "Project 1"; empty comment, path and unnamed texts.
    void ResetToNewProject();

    // A single-port module has its IEC 61850 and PLC sides on its one port.
    void UseFirstPortOnSinglePortModule();

    // Points the records of the SCL file oldPath to newPath: the first file record of oldPath's file name, and
    // every IED device record whose file is oldPath. Returns the device records that changed.
    std::vector<Corvel::Records::_IED_DEVICE*> RepointSclFile(const CString& oldPath, const CString& newPath);
    // Renames the SCL file oldName to the file newPath: every file record of that name takes newPath and its
    // file name, each name in fileListA equal to oldName the new name, every IED in use of a file of that name
    // newPath. changedDevices receives those IEDs; returns whether a file or device record changed.
    bool RenameSclFile(const CString& oldName, const CString& newPath,
                       std::vector<Corvel::Records::_IED_DEVICE*>& changedDevices);

    // Writes the project XML file path (written as it is given); false when the file could not be opened or
    // written whole (the XML writer noted why: TakeXmlMessages).
    bool WriteXmlFile(const CString& path, const ProjectXmlStamp& stamp);
    // What the last XML write noted, in order, for the window to show.
    std::vector<CErrorReport> TakeXmlMessages() { return std::exchange(m_xmlMessages, {}); }
    // Writes the project archive path.
    ArchiveWriteResult WriteArchiveFile(const CString& path, const CProjectArchiveWriter::Folders& folders,
                                        CString& error);
    // Saves as Save does: the project path becomes path with the extension of its file name made "prj"; the
    // project XML file (the extension made "prx") is written first, stamped by the running program, and the
    // archive only when the XML file was written whole.
    ProjectWriteResult WriteProjectFiles(const CString& path, const CProjectArchiveWriter::Folders& folders,
                                         CString& error);
    // Opens the project archive path for reading; false when it cannot be opened (error tells why).
    static bool OpenArchiveFile(const CString& path, CFile& file, CString& error);
    // Reads the opened project archive into the records and closes it; false when it cannot be read to its
    // end (error tells why). What was read before a failure stays; fileVersion is the version text's number.
    // warnings: devices in use the records had no room for.
    bool ReadArchiveFile(CFile& file, const CProjectArchiveReader::Options& options, int& fileVersion,
                         CString& error, std::vector<CString>& warnings);
    // Reads the project XML file path into the records; false when it cannot be read (error tells why).
    // warnings: data the records had no room for.
    bool ReadXmlFile(const CString& path, CString& error, std::vector<CString>& warnings);

    // Names of added SCL files.
    CStringArray fileListA;
    Corvel::Records::_PROJECT project;
    CtlModelMap ctlModelMap;
    Corvel::Records::CVQNTagsList tagsINP;
    Corvel::Records::CVQNTagsList tagsOUT;
    Corvel::Records::CVQNTagsList tagsMSG;

private:
    // Deletes the IED and PLC device records and the tag records.
    void DeleteDeviceRecords();

    std::vector<CErrorReport> m_xmlMessages;
};
