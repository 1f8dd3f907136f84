#include "corvel/document/main_doc.h"

#include "corvel/document/document_frame.h"

#include "corvel/resources/resource.h"
#include "common/com_support.h"
#include "corvel/controls/product_message.h"
#include "corvel/project/kor_exceptions.h"
#include "corvel/project/path_utils.h"
#include "corvel/model/product.h"

#include <exception>
#include <vector>

namespace {

constexpr int kViewWidth = 200;
constexpr int kViewHeight = 440;

} // namespace

IMPLEMENT_DYNCREATE(CMainDoc, CDocument)

BEGIN_MESSAGE_MAP(CMainDoc, CDocument)
    ON_COMMAND(ID_FILE_NEW, &CMainDoc::OnFileNew)
    ON_COMMAND(ID_APP_EXIT, &CMainDoc::OnAppExit)
    ON_COMMAND(ID_ADD_IED, &CMainDoc::OnAddIed)
    ON_COMMAND(ID_CHANGE_SCL_FOLDER, &CMainDoc::OnChangeSclFolder)
    ON_COMMAND(ID_FILE_SAVE, &CMainDoc::OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, &CMainDoc::OnFileSaveAs)
    ON_COMMAND(ID_OPEN_PROJECT, &CMainDoc::OnOpenProject)
    ON_COMMAND(ID_IMPORT_CONFIGURATION, &CMainDoc::OnImportConfiguration)
    ON_COMMAND(ID_EXPORT_CONFIGURATION, &CMainDoc::OnExportConfiguration)
    ON_UPDATE_COMMAND_UI(ID_EXPORT_CONFIGURATION, &CMainDoc::OnUpdateExportConfiguration)
    ON_COMMAND(ID_EXPORT_AOI_FILES, &CMainDoc::OnExportAoiFiles)
END_MESSAGE_MAP()

CMainDoc::CMainDoc() : viewSize(kViewWidth, kViewHeight) {}

// The main frame has freed the devices with their buttons and the tags when its window went; the project
// state deletes the records that are left.
CMainDoc::~CMainDoc() = default;

CString CMainDoc::GetProjectName() const
{
    return Corvel::Records::ProjectName(project);
}

CString CMainDoc::GetProjectFileName() const
{
    return GetFileNameOfPath(project.filePath);
}

CString CMainDoc::GetProjectFolder() const
{
    return FolderPartOfPath(project.filePath);
}

void CMainDoc::MarkChangedAndUpdateViews()
{
    modified = true;
    UpdateAllViews(nullptr, 0, nullptr);
}

int CMainDoc::GetDeviceCount(int kind) const
{
    switch (kind) {
    case kKindIed:
        return Corvel::Records::CountIedsInUse(project);
    case kKindPlc:
        return 1;
    case kKindTagMap:
        return static_cast<int>(project.tagMaps.GetCount());
    default:
        return 0;
    }
}

void CMainDoc::RemoveSclFile(const CString& path)
{
    const CString fileName = GetFileNameOfPath(path);
    for (POSITION pos = project.sclFiles.GetHeadPosition(); pos != nullptr;) {
        const POSITION at = pos;
        _ICD_FILES* file = project.sclFiles.GetNext(pos);
        if (file->fileName == fileName) {
            project.sclFiles.RemoveAt(at);
            delete file;
            return;
        }
    }
}

bool CMainDoc::PromptSaveChanges(const CString& message, bool ask)
{
    if (!modified)
        return true;
    int answer = IDYES;
    if (ask) {
        CString text;
        text.Format("  %s", static_cast<LPCSTR>(message));
        answer = ShowProductMessage(text, MB_YESNOCANCEL | MB_ICONQUESTION);
    }
    if (answer == IDCANCEL)
        return false;
    // A Save As that was cancelled or failed keeps the work and cancels the caller too.
    if (answer == IDYES && !SaveProjectFromPrompt())
        return false;
    modified = false;
    return true;
}

void CMainDoc::ClearFileLists()
{
    fileListA.RemoveAll();
    fileListB.RemoveAll();
    if (!tempFilePath.IsEmpty())
        ::DeleteFileA(tempFilePath);
    tempFilePath.Empty();
}

void CMainDoc::RebuildNetworkView()
{
    CDocumentFrame* frame = GetDocumentFrame();
    if (frame == nullptr) {
        RebuildDeviceSlots(ReadIedSlotCount(), ReadPlcSlotCount());
        return;
    }
    frame->RebuildNetworkView();
}

void CMainDoc::OnFileNew()
{
    StartNewProject();
}

bool CMainDoc::StartNewProject()
{
    if (!PromptSaveChanges(kSaveChangesQuestion, true))
        return false;
    if (!tempFilePath.IsEmpty())
        ClearFileLists();
    RebuildNetworkView();
    UpdateAllViews(nullptr, 0, nullptr);

    fileListB.RemoveAll();
    ResetToNewProject();
    if (CDocumentFrame* frame = GetDocumentFrame())
        frame->RefreshFileView();
    projectReady = false;
    notEnoughSpaceShown = false;
    return true;
}

bool CMainDoc::WriteProjectXml(const CString& path)
{
    const bool written = WriteXmlFile(ChangeFileExtension(path, "prx"), MakeXmlStamp());
    AfxReportErrors(TakeXmlMessages());
    return written;
}

ProjectXmlStamp CMainDoc::MakeXmlStamp() const
{
    return MakeProgramStamp();
}

Corvel::Gateway::DeviceConfigResult CMainDoc::WriteDeviceConfig(CString path, int& tagCount)
{
    Corvel::Gateway::DeviceConfigOptions options;
    options.stamp = MakeXmlStamp();
    Corvel::Gateway::DeviceConfigResult result = Corvel::Gateway::WriteDeviceConfigFile(GetXmlContent(), path, options);
    tagCount = result.tagCount;
    return result;
}

bool CMainDoc::TryWriteDeviceConfig(const CString& path, Corvel::Gateway::DeviceConfigResult& result,
                                    CString& failure)
{
    static const char kErrorPrefix[] = "Error: ";
    try {
        int tagCount = 0;
        result = WriteDeviceConfig(path, tagCount);
        return true;
    } catch (Korvane::Exceptions::CKorException& e) {
        failure = e.Message();
    } catch (const ComError& e) {
        failure = CString(kErrorPrefix) + e.Text();
    } catch (CException* e) {
        char reason[512] = {};
        e->GetErrorMessage(reason, sizeof reason);
        e->Delete();
        failure = CString(kErrorPrefix) + reason;
    } catch (const std::exception& e) {
        failure = CString(kErrorPrefix) + e.what();
    }
    return false;
}

void CMainDoc::ReportLoadResult(bool loaded, const CString& error, UINT errorType,
                                const std::vector<CString>& warnings)
{
    if (!loaded)
        AfxMessageBox(error, errorType);
    for (const CString& warning : warnings)
        AfxMessageBox(warning);
}

void CMainDoc::ReadProjectXml(const CString& path)
{
    // The path is copied: New empties the project path, which callers pass.
    const CString file = path;
    if (!StartNewProject())
        return;
    CString error;
    std::vector<CString> warnings;
    const bool loaded = ReadXmlFile(file, error, warnings);
    SyncDeviceButtons(project, CurrentDeviceId());
    ReportLoadResult(loaded, error, MB_OK, warnings);
    if (!loaded)
        return;
    flagA = true;
    projectReady = true;
    UpdateAllViews(nullptr, 0, nullptr);
    if (CDocumentFrame* frame = GetDocumentFrame()) {
        frame->RefreshFileView();
        frame->UpdateTitle(project.reservedText5);
    }
    ForgetStartupFileName();
    tagsMSG.NumberTags();
}

void CMainDoc::DeriveTagUName(_TAGSMAP& row) const
{
    FillTagUName(row);
}

CString CMainDoc::FindCtlModelText(const CString& key, const CString& defaultText) const
{
    return ::FindCtlModelText(ctlModelMap, key, defaultText);
}

_CFCDA* CMainDoc::FindFcda(const CString& tagName) const
{
    return Corvel::Records::FindFcda(project.fcdas, tagName);
}

void CMainDoc::OnAppExit()
{
    CWnd* mainWnd = AfxGetMainWnd();
    if (mainWnd != nullptr)
        mainWnd->PostMessage(WM_CLOSE);
}

CMainDoc* FindMainDocument()
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return nullptr;
    CDocument* last = nullptr;
    for (POSITION templatePos = app->GetFirstDocTemplatePosition(); templatePos != nullptr;) {
        CDocTemplate* docTemplate = app->GetNextDocTemplate(templatePos);
        for (POSITION docPos = docTemplate->GetFirstDocPosition(); docPos != nullptr;)
            last = docTemplate->GetNextDoc(docPos);
    }
    return DYNAMIC_DOWNCAST(CMainDoc, last);
}

CDocument* GetActiveDocumentOfClass(CRuntimeClass* pClass)
{
    auto* frame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    if (frame == nullptr)
        return nullptr;
    // A single-document frame is its own active frame.
    CDocument* doc = frame->GetActiveDocument();
    return doc != nullptr && doc->IsKindOf(pClass) ? doc : nullptr;
}
