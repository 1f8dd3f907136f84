// CMainDoc: Export AOI Files, the module configuration and the Logix Add-On Instruction files written into
// a folder the user chooses.
#include "corvel/app/main_doc.h"

#include "corvel/gateway/aoi_export.h"
#include "corvel/project/path_utils.h"
#include "toolkit/common/browse_dialog.h"

namespace {

using Corvel::Gateway::CGenAOI;

const char kNothingToExport[] = "No AOI files were created as there is nothing to export";
const char kFolderTitle[] = "Select a directory to put the AOI files";
const char kNoFolderChosen[] = "No directory was selected.  No files were created";
const char kExportFailed[] = "There was an error when creating the AOI files. No files were created";
const char kFilesExported[] = "%d AOI files were exported.";
const char kCannotCreateConfiguration[] = "Error: Opening XML File\n%s";

// The configuration the export reads, left beside the AOI files.
const char kConfigurationName[] = "Current.xml";
const char kDraftPrefix[] = "cfg";
// How long the saved project is given before the export goes on.
constexpr DWORD kSettleAfterSaveMs = 500;

[[noreturn]] void ThrowCannotCreateConfiguration(const CString& path, DWORD error)
{
    CString text;
    text.Format(kCannotCreateConfiguration, (LPCSTR)path);
    throw Corvel::Gateway::CDeviceConfigError(text, HRESULT_FROM_WIN32(error));
}

} // namespace

void CMainDoc::OnExportAoiFiles()
{
    UseFirstPortOnSinglePortModule();
    if (GetProjectFileName().IsEmpty())
        OnFileSaveAs();
    WaitAfterSave(kSettleAfterSaveMs);
    if (!ProjectFileExists())
        OnFileSaveAs();
    const CString initialFolder = GetProjectFolder();

    if (tagsINP.GetCount() + tagsOUT.GetCount() + tagsMSG.GetCount() < 1) {
        AfxMessageBox(kNothingToExport);
        return;
    }
    CKitBrowseDialog dialog(nullptr);
    dialog.SetTitle(kFolderTitle);
    if (!initialFolder.IsEmpty())
        dialog.SetSelectedPath(initialFolder);
    if (dialog.DoModal() != IDOK) {
        AfxMessageBox(kNoFolderChosen);
        return;
    }

    CWaitCursor wait;
    CGenAOI aoi(CGenAOI::ProjectDeviceNames(project));
    try {
        if (!WriteAoiFiles(dialog.GetSelectedPath(), aoi))
            AfxMessageBox(kExportFailed);
    } catch (Korvane::Exceptions::CKorException& e) {
        AfxMessageBox(e.Message());
    }
    if (aoi.GetFileCount() > 0) {
        CString text;
        text.Format(kFilesExported, aoi.GetFileCount());
        AfxMessageBox(text);
    }
}

void CMainDoc::UseFirstPortOnSinglePortModule()
{
    if (project.numPorts == 1) {
        project.port61850 = 1;
        project.portPLC = 1;
    }
}

bool CMainDoc::WriteAoiFiles(const CString& folder, CGenAOI& aoi)
{
    // The configuration is written under a draft name and takes "Current.xml"'s place once the AOI files
    // are written; a declined or failed run leaves the folder's configuration as it was.
    const CString configPath = JoinPath(folder, kConfigurationName);
    const CString draftPath = CreateTemporaryFileBeside(configPath, kDraftPrefix);
    if (draftPath.IsEmpty())
        ThrowCannotCreateConfiguration(configPath, ::GetLastError());
    bool exported = false;
    try {
        int tagCount = 0;
        WriteDeviceConfig(draftPath, tagCount);
        exported = aoi.ExportAll(draftPath);
    } catch (...) {
        ::DeleteFileA(draftPath);
        throw;
    }
    if (!exported || aoi.WasDeclined()) {
        ::DeleteFileA(draftPath);
        return exported;
    }
    if (!::MoveFileExA(draftPath, configPath, MOVEFILE_REPLACE_EXISTING)) {
        const DWORD error = ::GetLastError();
        ::DeleteFileA(draftPath);
        ThrowCannotCreateConfiguration(configPath, error);
    }
    return true;
}

void CMainDoc::WaitAfterSave(DWORD milliseconds)
{
    ::Sleep(milliseconds);
}
