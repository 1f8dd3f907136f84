#include "corvel/project/project_state.h"

#include "corvel/model/product.h"
#include "corvel/project/kor_xml.h"
#include "corvel/project/module_version.h"
#include "corvel/project/path_utils.h"

#include <ctime>

ProjectXmlStamp MakeProgramStamp()
{
    ProjectXmlStamp stamp;
    stamp.appName = AfxGetProgramName() + ".exe";
    int major = 0, minor = 0, build = 0, revision = 0;
    GetModuleProductVersion(stamp.appName, major, minor, build, revision);
    stamp.appVersion.Format("%d.%d.%d.%d", major, minor, build, revision);
    stamp.writtenAt = time(nullptr);
    return stamp;
}

CProjectState::CProjectState()
{
    tagsINP.SetListId(Corvel::Records::kTagsListInputs);
    tagsOUT.SetListId(Corvel::Records::kTagsListOutputs);
    tagsMSG.SetListId(Corvel::Records::kTagsListMessages);
}

CProjectState::~CProjectState()
{
    DeleteDeviceRecords();
    Corvel::Records::DeleteRecords(project.sclFiles);
    Corvel::Records::DeleteRecords(project.tagMaps);
    Corvel::Records::DeleteRecords(project.fcdas);
}

ProjectXmlContent CProjectState::GetXmlContent()
{
    return ProjectXmlContent{project, tagsINP, tagsOUT, tagsMSG, ctlModelMap, fileListA};
}

ProjectArchiveContent CProjectState::GetArchiveContent()
{
    return ProjectArchiveContent{project, tagsINP, tagsOUT, tagsMSG, ctlModelMap};
}

void CProjectState::DeleteDeviceRecords()
{
    Corvel::Records::DeleteRecords(project.iedDevices);
    Corvel::Records::DeleteRecords(project.plcDevices);
    Corvel::Records::DeleteRecords(project.tags);
}

void CProjectState::RebuildDeviceSlots(int iedSlots, int plcSlots)
{
    DeleteDeviceRecords();
    Corvel::Records::ApplyNewProjectSettings(project);
    fileListA.RemoveAll();
    Corvel::Records::AddDeviceSlots(project, iedSlots, plcSlots);
}

void CProjectState::ResetToNewProject()
{
    fileListA.RemoveAll();
    tagsINP.RemoveAll();
    tagsOUT.RemoveAll();
    tagsMSG.RemoveAll();
    ctlModelMap.clear();
    Corvel::Records::DeleteRecords(project.fcdas);
    Corvel::Records::DeleteRecords(project.sclFiles);
    // The tag map belongs to the project left behind: kept, it would be written into the next configuration.
    Corvel::Records::DeleteRecords(project.tagMaps);
    project.numPorts = 1;
    project.port61850 = 1;
    project.portPLC = 1;
    project.prjName = kNewProjectName;
    project.comment.Empty();
    project.filePath.Empty();
    project.reservedText1.Empty();
    project.reservedText2.Empty();
    project.reservedText3.Empty();
    project.reservedText4.Empty();
    project.reservedText5.Empty();
}

void CProjectState::UseFirstPortOnSinglePortModule()
{
    if (project.numPorts == 1) {
        project.port61850 = 1;
        project.portPLC = 1;
    }
}

std::vector<Corvel::Records::_IED_DEVICE*> CProjectState::RepointSclFile(const CString& oldPath,
                                                                          const CString& newPath)
{
    const CString fileName = GetFileNameOfPath(oldPath);
    for (POSITION pos = project.sclFiles.GetHeadPosition(); pos != nullptr;) {
        Corvel::Records::_ICD_FILES* file = project.sclFiles.GetNext(pos);
        if (file->fileName == fileName) {
            file->filePath = newPath;
            break;
        }
    }
    std::vector<Corvel::Records::_IED_DEVICE*> changed;
    for (POSITION pos = project.iedDevices.GetHeadPosition(); pos != nullptr;) {
        Corvel::Records::_IED_DEVICE* device = project.iedDevices.GetNext(pos);
        if (device->CIDFile != oldPath)
            continue;
        device->CIDFile = newPath;
        changed.push_back(device);
    }
    return changed;
}

bool CProjectState::RenameSclFile(const CString& oldName, const CString& newPath,
                                  std::vector<Corvel::Records::_IED_DEVICE*>& changedDevices)
{
    const CString newName = GetFileNameOfPath(newPath);
    bool changed = false;
    for (POSITION pos = project.sclFiles.GetHeadPosition(); pos != nullptr;) {
        Corvel::Records::_ICD_FILES* file = project.sclFiles.GetNext(pos);
        if (file->fileName == oldName) {
            changed = changed || file->filePath != newPath || file->fileName != newName;
            file->filePath = newPath;
            file->fileName = newName;
        }
    }
    for (INT_PTR i = 0; i < fileListA.GetSize(); ++i) {
        if (fileListA[i] == oldName)
            fileListA[i] = newName;
    }
    for (POSITION pos = project.iedDevices.GetHeadPosition(); pos != nullptr;) {
        Corvel::Records::_IED_DEVICE* device = project.iedDevices.GetNext(pos);
        if (device->state == Corvel::Records::kSlotFree || GetFileNameOfPath(device->CIDFile) != oldName)
            continue;
        changed = changed || device->CIDFile != newPath;
        device->CIDFile = newPath;
        changedDevices.push_back(device);
    }
    return changed;
}

bool CProjectState::WriteXmlFile(const CString& path, const ProjectXmlStamp& stamp)
{
    Korvane::Formats::CKorXml xml;
    bool written = xml.Open(path, false);
    if (written) {
        CProjectXmlWriter(xml, GetXmlContent(), stamp).Write();
        written = xml.Close();
    }
    m_xmlMessages = xml.TakeMessages();
    return written;
}

ArchiveWriteResult CProjectState::WriteArchiveFile(const CString& path, const CProjectArchiveWriter::Folders& folders,
                                                   CString& error)
{
    CFile file;
    CFileException openError;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive, &openError)) {
        error = openError.GetErrorMessage();
        return ArchiveWriteResult::kNotCreated;
    }
    try {
        CArchive ar(&file, CArchive::store);
        CProjectArchiveWriter(GetArchiveContent(), folders).Write(ar);
        ar.Close();
        file.Close();
    } catch (CException* e) {
        error = e->GetErrorMessage();
        e->Delete();
        file.Abort();
        return ArchiveWriteResult::kFailed;
    }
    return ArchiveWriteResult::kWritten;
}

ProjectWriteResult CProjectState::WriteProjectFiles(const CString& path,
                                                    const CProjectArchiveWriter::Folders& folders, CString& error)
{
    const CString archivePath = ChangeFileExtension(path, "prj");
    project.filePath = archivePath;
    if (!WriteXmlFile(ChangeFileExtension(archivePath, "prx"), MakeProgramStamp()))
        return ProjectWriteResult::kXmlNotWritten;
    switch (WriteArchiveFile(archivePath, folders, error)) {
    case ArchiveWriteResult::kWritten:
        return ProjectWriteResult::kWritten;
    case ArchiveWriteResult::kNotCreated:
        return ProjectWriteResult::kArchiveNotCreated;
    default:
        return ProjectWriteResult::kArchiveFailed;
    }
}

bool CProjectState::OpenArchiveFile(const CString& path, CFile& file, CString& error)
{
    CFileException openError;
    if (!path.IsEmpty() && file.Open(path, CFile::modeRead | CFile::shareDenyWrite, &openError))
        return true;
    error.Format("Error: Could not open the project file \"%s\": %s", (LPCSTR)path,
                 (LPCSTR)openError.GetErrorMessage());
    return false;
}

bool CProjectState::ReadArchiveFile(CFile& file, const CProjectArchiveReader::Options& options, int& fileVersion,
                                    CString& error, std::vector<CString>& warnings)
{
    CProjectArchiveReader reader(GetArchiveContent(), options);
    bool loaded = false;
    {
        CArchive ar(&file, CArchive::load);
        loaded = reader.Read(ar);
        ar.Abort();
    }
    file.Abort();
    fileVersion = reader.GetFileVersion();
    warnings = reader.GetWarnings();
    if (!loaded)
        error = reader.GetError();
    return loaded;
}

bool CProjectState::ReadXmlFile(const CString& path, CString& error, std::vector<CString>& warnings)
{
    CProjectXmlReader reader(GetXmlContent());
    const bool loaded = reader.Read(path);
    error = reader.GetError();
    warnings = reader.GetWarnings();
    return loaded;
}
