#include "corvel/app/main_doc.h"

#include "corvel/project/module_version.h"
#include "corvel/project/path_utils.h"
#include "corvel/project/product_texts.h"
#include "corvel/workspace/buttons.h"
#include "corvel/app/res/resource.h"
#include "corvel/workspace/main_frame.h"
#include "corvel/workspace/main_view.h"

#include <ctime>

namespace {

const char kSaveChangesQuestion[] = "Do you want to save changes?";
const char kNewProjectName[] = "Project 1";
constexpr int kViewWidth = 200;
constexpr int kViewHeight = 440;

CString TextAfterLastBackslash(const CString& path)
{
    return path.Mid(path.ReverseFind('\\') + 1);
}

// The running program's name without folder and extension, as the application keeps it.
CString RunningProgramName()
{
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pszExeName != nullptr && *app->m_pszExeName != '\0')
        return app->m_pszExeName;
    const CString name = TextAfterLastBackslash(AfxGetModuleFileName());
    const int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}

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

CMainDoc::CMainDoc() : viewSize(kViewWidth, kViewHeight)
{
    tagsINP.SetListId(Corvel::Records::kTagsListInputs);
    tagsOUT.SetListId(Corvel::Records::kTagsListOutputs);
    tagsMSG.SetListId(Corvel::Records::kTagsListMessages);
}

// The records stay: the main frame frees the devices, buttons and tags, New the FCDAs and SCL files.
CMainDoc::~CMainDoc() = default;

CString CMainDoc::GetProjectName() const
{
    return Corvel::Records::ProjectName(project);
}

CString CMainDoc::GetProjectFileName() const
{
    return TextAfterLastBackslash(project.filePath);
}

CString CMainDoc::GetProjectFolder() const
{
    const int slash = project.filePath.ReverseFind('\\');
    return slash < 0 ? CString() : project.filePath.Left(slash);
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
    const CString fileName = TextAfterLastBackslash(path);
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
        CWnd* mainWnd = AfxGetMainWnd();
        answer = KorMessageBox(mainWnd != nullptr ? mainWnd->GetSafeHwnd() : nullptr, text, kProductTitle,
                               MB_YESNOCANCEL | MB_ICONQUESTION);
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
    auto* frame = DYNAMIC_DOWNCAST(CMainFrame, AfxGetMainWnd());
    if (frame == nullptr)
        return;
    frame->ReleaseProject();
    CMainView* view = DYNAMIC_DOWNCAST(CMainView, frame->GetActiveView());
    if (view == nullptr) {
        view = frame->GetNetworkView();
        if (view == nullptr)
            return;
        frame->SetActiveView(view);
        view->SetFocus();
    }
    view->BuildNetworkView();
    view->UpdateScrollSizes();
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

    fileListA.RemoveAll();
    fileListB.RemoveAll();
    tagsINP.RemoveAll();
    tagsOUT.RemoveAll();
    tagsMSG.RemoveAll();
    ctlModelMap.clear();
    Corvel::Records::DeleteRecords(project.fcdas);
    Corvel::Records::DeleteRecords(project.sclFiles);
    if (auto* frame = DYNAMIC_DOWNCAST(CMainFrame, AfxGetMainWnd()))
        frame->RefreshFileView();

    projectReady = false;
    notEnoughSpaceShown = false;
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
    return true;
}

ProjectXmlContent CMainDoc::GetXmlContent()
{
    return ProjectXmlContent{project, tagsINP, tagsOUT, tagsMSG, ctlModelMap, fileListA};
}

ProjectXmlStamp CMainDoc::MakeXmlStamp() const
{
    ProjectXmlStamp stamp;
    stamp.appName = RunningProgramName() + ".exe";
    int major = 0, minor = 0, build = 0, revision = 0;
    GetModuleProductVersion(stamp.appName, major, minor, build, revision);
    stamp.appVersion.Format("%d.%d.%d.%d", major, minor, build, revision);
    stamp.writtenAt = time(nullptr);
    return stamp;
}

void CMainDoc::WriteProjectXml(const CString& path)
{
    Korvane::Formats::CKorXml xml;
    if (!xml.Open(ChangeFileExtension(path, "prx"), false))
        return;
    CProjectXmlWriter(xml, GetXmlContent(), MakeXmlStamp()).Write();
}

Corvel::Gateway::DeviceConfigResult CMainDoc::WriteDeviceConfig(CString path, int& tagCount)
{
    Corvel::Gateway::DeviceConfigOptions options;
    options.stamp = MakeXmlStamp();
    Corvel::Gateway::DeviceConfigResult result = Corvel::Gateway::WriteDeviceConfigFile(GetXmlContent(), path, options);
    tagCount = result.tagCount;
    return result;
}

void CMainDoc::ReadProjectXml(const CString& path)
{
    if (!StartNewProject())
        return;
    CProjectXmlReader reader(GetXmlContent());
    const bool loaded = reader.Read(path);
    for (POSITION pos = project.iedDevices.GetHeadPosition(); pos != nullptr;) {
        const _IED_DEVICE* ied = project.iedDevices.GetNext(pos);
        if (ied->state != Corvel::Records::kSlotInUse || ied->button == nullptr)
            continue;
        ied->button->sclFilePath = ied->CIDFile;
        ied->button->deviceId = ied->devNum;
        ied->button->ShowWindow(SW_SHOW);
    }
    if (!loaded)
        AfxMessageBox(reader.GetError());
    for (const CString& warning : reader.GetWarnings())
        AfxMessageBox(warning);
    if (!loaded)
        return;
    flagA = true;
    projectReady = true;
    UpdateAllViews(nullptr, 0, nullptr);
    if (auto* frame = DYNAMIC_DOWNCAST(CMainFrame, AfxGetMainWnd())) {
        frame->RefreshFileView();
        frame->UpdateTitle(project.reservedText5);
    }
    CMainView::startupFileName.Empty();
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
