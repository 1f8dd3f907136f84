// CMainDoc: Export AOI Files, the module configuration and the Logix Add-On Instruction files written into
// a folder the user chooses.
#include "corvel/document/main_doc.h"

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
const char kOverwriteQuestion[] = "You are about to overwrite existing files. Proceed?";
const char kNothingCreated[] = "No new AOI files were created.";

// How long the saved project is given before the export goes on.
constexpr DWORD kSettleAfterSaveMs = 500;

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
    CGenAOI aoi(CGenAOI::GetProjectDevices(project));
    std::vector<CString> warnings;
    try {
        bool exported = WriteAoiFiles(dialog.GetSelectedPath(), aoi, &warnings);
        // The first file exists: asked once, the run starts again allowed to overwrite.
        if (exported && aoi.StoppedBeforeOverwriting()) {
            if (AfxMessageBox(kOverwriteQuestion, MB_YESNO) == IDYES) {
                aoi.SetOverwriteWithoutAsking(true);
                exported = WriteAoiFiles(dialog.GetSelectedPath(), aoi, &warnings);
            } else {
                AfxMessageBox(kNothingCreated);
            }
        }
        if (!exported)
            AfxMessageBox(kExportFailed);
    } catch (Korvane::Exceptions::CKorException& e) {
        AfxMessageBox(e.Message());
    }
    // What the configuration beside the files leaves out.
    for (const CString& warning : warnings)
        AfxMessageBox(warning, MB_OK | MB_ICONWARNING);
    if (aoi.GetFileCount() > 0) {
        CString text;
        text.Format(kFilesExported, aoi.GetFileCount());
        AfxMessageBox(text);
    }
}

bool CMainDoc::WriteAoiFiles(const CString& folder, CGenAOI& aoi, std::vector<CString>* warnings)
{
    Corvel::Gateway::DeviceConfigOptions options;
    options.stamp = MakeXmlStamp();
    return Corvel::Gateway::WriteConfigurationAndAoiFiles(GetXmlContent(), options, folder, aoi, warnings);
}

void CMainDoc::WaitAfterSave(DWORD milliseconds)
{
    ::Sleep(milliseconds);
}
