// CMainDoc: opening a file by its type, Open Project, and the import and export of module configurations.
#include "corvel/document/main_doc.h"

#include "corvel/document/document_frame.h"

#include "corvel/resources/resource.h"
#include "corvel/controls/product_message.h"
#include "corvel/project/configuration_rewrite.h"
#include "corvel/project/path_utils.h"
#include "corvel/model/product.h"
#include "toolkit/common/browse_dialog.h"

namespace {

const char kFolderTitle[] = "Select the folder to place the project";

const char kInvalidConfiguration[] = "Error: Attempt to load an invalid '.Cfg' file.";
const char kCouldNotCopy[] = "Error: Could not copy file.";
const char kCouldNotCreateSclFolder[] = "Error: Could not create 'SCLFiles' subdirectory.";
const char kInvalidFileType[] = "Error: Attempt to load an invalid file type!";
const char kUnrecognizedFileType[] = "ERROR: Unrecognized file type!";
const char kImportUnsaved[] =
    "WARNING! Changes have been made.\n                   Load new configuration without saving?";
const char kCouldNotCopyConfiguration[] = "Error: Could not copy '.cfg' file.";
const char kNoProjectFile[] = "Error: The configuration '%s' holds no project file (*.prj, *.prx).";
const char kConfigurationUnreadable[] = "Error: The configuration '%s' could not be read.";
const char kConfigurationTooLarge[] = "Error: The configuration '%s' is too large to be read.";
const char kWorkFileUnwritable[] = "Error: The file '%s' could not be written.";
const char kWorkFileNotRenamed[] = "Error: The file '%s' could not be renamed to '%s'.";
const char kConfigurationDamaged[] = "Error: The configuration '%s' is damaged: its XML declaration is incomplete.";

const char kOpenProjectExtension[] = ".prj";
const char kOpenProjectFilter[] =
    "Project Files (*.prj)|*.prj|Project Files (*.prx)|*.prx|Cfg Import Files (*.cfg)|*.cfg||";
const char kImportExtension[] = "*.cfg";

// Extensions, lower case, as OpenFileByType tests them.
const char* const kSclExtensions[] = {".scd", ".icd", ".cid"};
const char kArchiveExtension[] = ".prj";
const char kProjectXmlExtension[] = ".prx";
const char kConfigurationExtension[] = ".cfg";
const char kXmlExtension[] = ".xml";

constexpr int kOpenKindArchive = 1;
constexpr int kOpenKindProjectXml = 2;
constexpr int kOpenKindXmlConfiguration = 3;
constexpr int kOpenKindConfiguration = 4;

void ShowError(LPCSTR text)
{
    AfxMessageBox(text, MB_OK);
}

void ShowTitledError(const CString& text)
{
    ShowProductMessage(text, MB_OK | MB_ICONEXCLAMATION);
}

CString FormatPath(LPCSTR format, const CString& path)
{
    CString text;
    text.Format(format, (LPCSTR)path);
    return text;
}

bool IsSclFileName(const CString& path)
{
    for (const char* extension : kSclExtensions)
        if (EndsWithExtension(GetFileNameOfPath(path), extension))
            return true;
    return false;
}

void AddToRecentFiles(const CString& path)
{
    if (CWinApp* app = AfxGetApp())
        app->AddToRecentFileList(path);
}

// How a file step of opening or importing a configuration ended: no failure text when it succeeded, else the text
// to show, in a titled box when titled.
struct FileStepResult {
    CString failure;
    bool titled = false;

    bool Succeeded() const { return failure.IsEmpty(); }
};

void ShowFileStepFailure(const FileStepResult& result)
{
    if (result.titled)
        ShowTitledError(result.failure);
    else
        ShowError(result.failure);
}

// Puts the chosen configuration at target, replacing a file there; a configuration that already is target stays
// as it is.
FileStepResult PlaceConfiguration(const CString& chosen, const CString& target)
{
    if (IsSamePath(target, chosen))
        return {};
    if (FileExists(target))
        DeleteFileAtPath(target);
    if (!CopyFileShell(target, chosen) || !FileExists(target))
        return {kCouldNotCopyConfiguration, true};
    return {};
}

// Copies a configuration from another folder to copyPath and makes the SCL files' folder beside target.
FileStepResult CopyConfigurationToProject(const CString& path, const CString& copyPath, const CString& target)
{
    if (!::CopyFileA(path, copyPath, FALSE))
        return {kCouldNotCopy};
    if (!CreateFolder(GetFolderOfPath(target) + "\\" + kSclFilesFolderName))
        return {kCouldNotCreateSclFolder};
    return {};
}

// What to tell of a restore that did not give a project file; path is the configuration.
CString DescribeRestoreFailure(const ConfigurationRestore& restore, const CString& path)
{
    switch (restore.result) {
    case ConfigurationRestore::kTooLarge:
        return FormatPath(kConfigurationTooLarge, path);
    case ConfigurationRestore::kUnwritable:
        return FormatPath(kWorkFileUnwritable, restore.workPath);
    case ConfigurationRestore::kNoProjectFile:
        return FormatPath(kNoProjectFile, path);
    case ConfigurationRestore::kDamaged:
        return FormatPath(kConfigurationDamaged, path);
    case ConfigurationRestore::kNotRenamed: {
        CString text;
        text.Format(kWorkFileNotRenamed, (LPCSTR)restore.workPath, (LPCSTR)restore.xmlPath);
        return text;
    }
    default:
        return FormatPath(kConfigurationUnreadable, path);
    }
}

// Shows how the restore of the configuration at path ended: its failure, or what it noted while it restored.
// True when it gave a project file.
bool ReportRestore(const ConfigurationRestore& restore, const CString& path)
{
    if (restore.result != ConfigurationRestore::kRestored) {
        ShowTitledError(DescribeRestoreFailure(restore, path));
        return false;
    }
    AfxReportErrors(restore.openMessages);
    // The restore of the embedded files tells its failures in boxes without an owner.
    for (const CString& message : restore.extractionMessages)
        ShowProductMessage(message, MB_ICONEXCLAMATION | MB_OK, nullptr);
    return true;
}

// The folder-browse dialog for the folder of an imported project; empty when it was cancelled.
CString ChooseProjectFolder()
{
    CKitBrowseDialog dialog(AfxGetMainWnd());
    dialog.SetTitle(kFolderTitle);
    return dialog.DoModal() == IDOK ? dialog.GetSelectedPath() : CString();
}

} // namespace

BOOL CMainDoc::OpenFileByType(const CString& path, BOOL askFolder)
{
    const CString fileName = GetFileNameOfPath(path);
    const bool isArchive = EndsWithExtension(fileName, kArchiveExtension);
    const bool isProjectXml = EndsWithExtension(fileName, kProjectXmlExtension);
    const bool isCfg = EndsWithExtension(fileName, kConfigurationExtension);
    const bool isConfiguration = isCfg || EndsWithExtension(fileName, kXmlExtension);
    // A file that replaces the project asks to save it first, while the project keeps its path;
    // Cancel keeps both.
    if ((isArchive || isProjectXml || (isConfiguration && FileExists(path))) &&
        !PromptSaveChanges(kSaveChangesQuestion, true))
        return FALSE;
    project.filePath = path;
    BOOL opened = FALSE;

    if (IsSclFileName(project.filePath)) {
        AddSclFile(project.filePath);
        opened = TRUE;
    }
    if (isArchive) {
        openKind = kOpenKindArchive;
        AddToRecentFiles(project.filePath);
        LoadProjectArchive(path);
        project.filePath = path;
        opened = TRUE;
    }
    if (isProjectXml) {
        openKind = kOpenKindProjectXml;
        project.filePath = path;
        AddToRecentFiles(project.filePath);
        ReadProjectXml(project.filePath);
        opened = TRUE;
    }
    if (isConfiguration) {
        if (!ProjectFileExists()) {
            ShowError(kInvalidConfiguration);
            return FALSE;
        }
        openKind = isCfg ? kOpenKindConfiguration : kOpenKindXmlConfiguration;
        CString target = path;
        if (askFolder) {
            const CString folder = ChooseProjectFolder();
            if (folder.IsEmpty())
                return FALSE;
            target = JoinPath(folder, fileName);
            project.filePath = target;
        }
        if (!IsSamePath(GetProjectFolder(), GetFolderOfPath(path))) {
            const FileStepResult copied = CopyConfigurationToProject(path, project.filePath, target);
            if (!copied.Succeeded()) {
                ShowFileStepFailure(copied);
                return FALSE;
            }
        }
        const ConfigurationRestore restore = RestoreConfigurationFiles(target);
        if (!ReportRestore(restore, target))
            return FALSE;
        const CString projectFile = restore.projectFile;
        project.filePath = projectFile;
        // The configuration's .xml twin goes, unless it is the rewritten configuration just written.
        const CString twin = ChangeFileExtension(target, "xml");
        if (!IsSamePath(twin, ChangeFileExtension(projectFile, "xml")))
            DeleteFileAtPath(twin);
        const CString archivePath = ChangeFileExtension(project.filePath, "prj");
        AddToRecentFiles(archivePath);
        project.filePath = archivePath;
        LoadProjectArchive(archivePath);
        opened = TRUE;
    }

    // An added SCL file is not the project file.
    if (IsSclFileName(project.filePath))
        project.filePath.Empty();
    if (!opened)
        ShowError(kInvalidFileType);
    SelectFirstIedDevice();
    return opened;
}

void CMainDoc::OnOpenProject()
{
    if (!PromptSaveChanges(kSaveChangesQuestion, true))
        return;
    CFileDialog dialog(TRUE, kOpenProjectExtension, nullptr, 0, kOpenProjectFilter, AfxGetMainWnd());
    if (dialog.DoModal() != IDOK)
        return;
    if (!OpenFileByType(dialog.GetPathName(), TRUE))
        ShowError(kUnrecognizedFileType);
}

bool CMainDoc::ProjectFileExists() const
{
    return FileExists(project.filePath);
}

void CMainDoc::SelectFirstIedDevice()
{
    if (project.iedDevices.IsEmpty())
        return;
    SelectIedButton(*project.iedDevices.GetHead());
}

void CMainDoc::OnImportConfiguration()
{
    if (modified && ShowProductMessage(kImportUnsaved, MB_YESNO) != IDYES)
        return;
    CString filter;
    filter.LoadString(IDS_CONFIGURATION_FILTER);
    CFileDialog dialog(TRUE, kImportExtension, nullptr, OFN_FILEMUSTEXIST, filter, AfxGetMainWnd());
    if (dialog.DoModal() != IDOK)
        return;
    const CString chosen = dialog.GetPathName();
    const CString folder = ChooseProjectFolder();
    if (folder.IsEmpty())
        return;
    project.filePath = folder;
    openKind = kOpenKindConfiguration;

    const CString target = JoinPath(folder, GetFileNameOfPath(chosen));
    const FileStepResult placed = PlaceConfiguration(chosen, target);
    if (!placed.Succeeded()) {
        ShowFileStepFailure(placed);
        return;
    }
    if (FileExists(target))
        OpenFileByType(target, FALSE);
}

void CMainDoc::OnExportConfiguration()
{
    ExportConfigurationFromButton(project.bridgeButton);
}

void CMainDoc::OnUpdateExportConfiguration(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(projectReady);
}

ConfigurationRestore CMainDoc::RestoreConfigurationFiles(const CString& path)
{
    openKind = kOpenKindConfiguration;
    ConfigurationRestore restore = RestoreConfiguration(path, GetProjectFolder());
    if (restore.result == ConfigurationRestore::kRestored)
        project.prjName = GetFileNameOfPath(restore.projectFile);
    return restore;
}
