// CMainDoc: Save, Save As, opening the project archive, and the document's side of the tag packing.
#include "corvel/document/main_doc.h"

#include "corvel/project/path_utils.h"
#include "corvel/document/document_frame.h"
#include "corvel/model/scl_header.h"
#include "corvel/project/project_archive.h"

namespace {


const char kArchiveExtension[] = "prj";
const char kSaveAsDefaultExtension[] = ".prj";
const char kSaveAsFilter[] = "Project Files (*.prj)|*.prj|All Files (*.*)|*.*||";
constexpr DWORD kSaveAsFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;


void ShowFileError(LPCSTR format, const CString& path, const CString& reason)
{
    CString message;
    message.Format(format, (LPCSTR)path, (LPCSTR)reason);
    AfxMessageBox(message, MB_OK | MB_ICONERROR);
}

} // namespace

CMainDoc::CPackingLink::CPackingLink(CMainDoc& doc) : m_doc(doc)
{
    for (CVQNTagsList* list : {&doc.tagsINP, &doc.tagsOUT, &doc.tagsMSG})
        list->SetPackingHost(this);
}

int CMainDoc::CPackingLink::GetConnectionLimit() const
{
    return m_doc.project.numPorts == 1 ? Corvel::Records::kOnePortConnectionCount : Corvel::Records::kConnectionCount;
}

bool CMainDoc::CPackingLink::FirstNotEnoughSpaceNotice()
{
    if (m_doc.notEnoughSpaceShown)
        return false;
    m_doc.notEnoughSpaceShown = true;
    return true;
}

void CMainDoc::CPackingLink::ClearTagAssignment(const _TAGS& tag)
{
    m_doc.ClearTagAssignment(tag);
}

void CMainDoc::OnFileSave()
{
    SaveProject();
}

void CMainDoc::OnFileSaveAs()
{
    SaveProjectAs();
}

bool CMainDoc::SaveProjectFromPrompt()
{
    return SaveProjectAs();
}

bool CMainDoc::SaveProject()
{
    if (project.prjName.IsEmpty())
        project.prjName = GetProjectName();
    // Without a path nothing names the files: ask for one before anything is written.
    if (project.filePath.IsEmpty())
        return SaveProjectAs();
    return WriteProjectFiles(true);
}

bool CMainDoc::SaveProjectAs()
{
    const CString fileName = GetProjectFileName();
    const CString proposed = ChangeFileExtension(fileName.IsEmpty() ? project.prjName : fileName, kArchiveExtension);
    CWnd* mainWnd = AfxGetMainWnd();
    CFileDialog dialog(FALSE, kSaveAsDefaultExtension, proposed, kSaveAsFlags, kSaveAsFilter, mainWnd);
    const CString folder = GetProjectFolder();
    if (!folder.IsEmpty())
        dialog.m_ofn.lpstrInitialDir = folder;
    if (dialog.DoModal() != IDOK)
        return false;
    project.filePath = dialog.GetPathName();
    if (CDocumentFrame* frame = GetDocumentFrame())
        frame->UpdateTitle(dialog.GetFileName());
    if (!WriteProjectFiles(false))
        return false;
    modified = false;
    return true;
}

// The .prx file first, then the .prj file; the project path becomes the .prj path.
bool CMainDoc::WriteProjectFiles(bool mayAskPath)
{
    CString error;
    const ProjectWriteResult result = CProjectState::WriteProjectFiles(project.filePath, {sclFolder, textA}, error);
    AfxReportErrors(TakeXmlMessages());
    switch (result) {
    case ProjectWriteResult::kWritten:
        break;
    case ProjectWriteResult::kXmlNotWritten:
        // The archive was not touched.
    {
        CString message;
        message.Format("Error: Could not write the project file \"%s\". The project was not saved.",
                       (LPCSTR)ChangeFileExtension(project.filePath, "prx"));
        AfxMessageBox(message, MB_OK | MB_ICONERROR);
        return false;
    }
    case ProjectWriteResult::kArchiveNotCreated:
        if (mayAskPath)
            return SaveProjectAs();
        ShowFileError("Error: Could not create the project file \"%s\": %s", project.filePath, error);
        return false;
    case ProjectWriteResult::kArchiveFailed:
        ShowFileError("Error: Could not write the project file \"%s\": %s", project.filePath, error);
        return false;
    }
    modified = false;
    // The pending path text is done with once the project is saved.
    textA.Empty();
    return true;
}

void CMainDoc::LoadProjectArchive(const CString& path)
{
    const CString archivePath = GetProjectPath();
    CFile file;
    CString error;
    if (!OpenArchiveFile(archivePath, file, error)) {
        AfxMessageBox(error, MB_OK | MB_ICONERROR);
        return;
    }
    // A copy: New empties the project path, which callers may pass.
    const CString openedPath = path;
    if (!StartNewProject())
        return;
    project.filePath = archivePath;
    if (sclFilesInProjectFolder)
        sclFolder = GetFolderOfPath(openedPath) + "\\" + kSclFilesFolderName;

    CProjectArchiveReader::Options options;
    options.openKind = openKind;
    options.sclFilesInProjectFolder = sclFilesInProjectFolder;
    options.sclFolder = sclFolder;
    options.projectFolder = GetProjectFolder();
    options.iedNameOfFile = &FindIedNameInFile;
    std::vector<CString> warnings;
    const bool loaded = ReadArchiveFile(file, options, fileVersion, error, warnings);

    // What was read is shown even when the file ended early.
    SyncDeviceButtons(project, CurrentDeviceId());
    UpdateAllViews(nullptr, 0, nullptr);
    CDocumentFrame* frame = GetDocumentFrame();
    if (frame != nullptr)
        frame->RefreshFileView();
    tagsMSG.NumberTags();
    ReportLoadResult(loaded, error, MB_OK | MB_ICONERROR, warnings);
    if (!loaded)
        return;
    flagA = true;
    projectReady = true;
    if (frame != nullptr)
        frame->UpdateTitle(GetProjectName());
    ForgetStartupFileName();
}
