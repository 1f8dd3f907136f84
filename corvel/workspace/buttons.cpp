#include "corvel/workspace/buttons.h"

#include "corvel/document/document_frame.h"
#include "corvel/document/main_doc.h"
#include "corvel/resources/resource.h"
#include "corvel/gateway/vqn_diagnostics.h"
#include "corvel/gateway_ui/diagnostic_dlg.h"
#include "corvel/gateway_ui/event_log_dlg.h"
#include "corvel/gateway_ui/transfer_dlg.h"
#include "corvel/mapping/eip_plc_map_dlg.h"
#include "corvel/mapping/ied_map_dlg.h"
#include "corvel/mapping/ied_props_dlg.h"
#include "corvel/mapping/map_view_dlg.h"
#include "corvel/mapping/record_view_dlg.h"
#include "corvel/model/product.h"
#include "corvel/model/modbus_mapping.h"
#include "corvel/project/path_utils.h"
#include "corvel/workspace/dev_tag_view.h"
#include "corvel/workspace/file_view.h"
#include "corvel/workspace/main_frame.h"
#include "corvel/workspace/main_view.h"

#include <utility>

namespace {

using Corvel::Mapping::CEIPPLCMapDlg;
using Corvel::Mapping::CIEDPropsDlg;
using Corvel::Records::kSlotInUse;

// Pictures of a PLC device by its type.
const struct {
    int devType;
    int bitmap;
} kPlcTypeBitmaps[] = {{7, 386}, {8, 384}, {9, kPlcBitmap}};

// The click wait runs in this many slices; the last one also takes the rest of the division.
constexpr UINT kClickWaitSlices = 10;

// Items of the gateway's menu that this button does not offer.
const UINT kGatewayItemsRemoved[] = {ID_GATEWAY_EXPORT_CONFIGURATION, ID_GATEWAY_SETTINGS,
                                     ID_GATEWAY_GOOSE_PUBLISHING,     ID_GATEWAY_EXPORT_CID,
                                     ID_MODBUS_SERVER_MAPPING,        ID_MODBUS_CLIENT_MAPPING};
// Items of the gateway's menu that need a loaded project or a placed device.
const UINT kGatewayItemsNeedingProject[] = {ID_GATEWAY_DOWNLOAD, ID_GATEWAY_EXPORT_AOI, ID_MODBUS_SERVER_MAPPING,
                                            ID_MODBUS_CLIENT_MAPPING, ID_GATEWAY_EXPORT_CONFIGURATION};
// Items of the IED menu that the IED button does not offer.
const UINT kDeviceItemsRemoved[] = {ID_PLC_MAP_VIEW, ID_COPY_DEVICE};

// Default extensions of the export's two save dialogs.
const char kProjectExtension[] = "prj";
const char kConfigurationExtension[] = "cfg";
const char kUploadFileName[] = "\\current.xml";

NodeButtonSeams& Seams()
{
    static NodeButtonSeams seams;
    return seams;
}

// Removes, translates and dispatches every message waiting on the thread; false when WM_QUIT came, which is
// posted again for the loop that owns it.
bool DispatchWaitingMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return true;
}

// Loads popup 0 of menu resource id into menu and removes the items given.
template <size_t N>
bool LoadPopup(CMenu& menu, UINT id, const UINT (&removed)[N])
{
    CMenu bar;
    if (!bar.LoadMenu(id))
        return false;
    CMenu* popup = bar.GetSubMenu(0);
    if (popup == nullptr)
        return false;
    const HMENU handle = popup->GetSafeHmenu();
    // Taken out of the bar, the popup outlives it.
    bar.RemoveMenu(0, MF_BYPOSITION);
    menu.Attach(handle);
    for (UINT item : removed)
        menu.RemoveMenu(item, MF_BYCOMMAND);
    return true;
}

// Shows menu at the client point of the button that owns it; the chosen command goes to the button.
void TrackAt(CMenu& menu, CWnd& owner, CPoint point)
{
    owner.ClientToScreen(&point);
    menu.TrackPopupMenu(TPM_LEFTALIGN, point.x, point.y, &owner);
}

// The devices of a kind placed in the network view that holds the button; -1 outside one.
int PlacedDevices(const CWnd& button, int kind)
{
    CMainView* view = DYNAMIC_DOWNCAST(CMainView, button.GetParent());
    return view != nullptr ? view->CountDevices(kind) : -1;
}

void SelectDevice(int deviceId)
{
    if (CMainFrame* frame = GetMainFrame()) {
        frame->currentDeviceId = deviceId;
        frame->currentDeviceKind = CMainDoc::kKindIed;
    }
}

} // namespace

int PlcBitmapOfType(int devType)
{
    for (const auto& picture : kPlcTypeBitmaps)
        if (picture.devType == devType)
            return picture.bitmap;
    return 0;
}

NodeButtonSeams SetNodeButtonSeams(NodeButtonSeams seams)
{
    return std::exchange(Seams(), std::move(seams));
}

IMPLEMENT_DYNAMIC(CNodeButton, CImageButton)
IMPLEMENT_DYNAMIC(CBridgeButn, CNodeButton)
IMPLEMENT_DYNAMIC(CDevButton, CNodeButton)
IMPLEMENT_DYNAMIC(CPLCButton, CNodeButton)

CNodeButton::CNodeButton() : m_windowColour(::GetSysColor(COLOR_WINDOW)), m_alive(std::make_shared<bool>(true))
{
    m_windowBrush.CreateSolidBrush(m_windowColour);
}

CNodeButton::~CNodeButton()
{
    *m_alive = false;
}

bool CNodeButton::WaitForSecondClick()
{
    if (m_clickWaitActive) {
        m_secondClick = true;
        return false;
    }
    m_secondClick = false;
    m_clickWaitActive = true;
    const UINT total = Seams().clickWaitMs != 0 ? Seams().clickWaitMs : ::GetDoubleClickTime();
    // Messages dispatched during the wait may destroy the button; then nothing of it is touched again.
    const std::shared_ptr<bool> alive = m_alive;
    for (UINT slice = 1; slice <= kClickWaitSlices; ++slice) {
        ::Sleep(total / kClickWaitSlices + (slice == kClickWaitSlices ? total % kClickWaitSlices : 0));
        const bool quitting = !DispatchWaitingMessages();
        if (!*alive)
            return false;
        if (quitting) {
            m_clickWaitActive = false;
            return false;
        }
        if (m_secondClick)
            break;
    }
    m_clickWaitActive = false;
    return !m_secondClick;
}

LRESULT CNodeButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_LBUTTONDBLCLK)
        return CImageButton::WindowProc(message, wParam, lParam);
    if (m_clickWaitActive)
        m_secondClick = true;
    return CButton::WindowProc(message, wParam, lParam);
}

INT_PTR CNodeButton::RunDialog(CDialog& dialog)
{
    // A copy: the seam may be replaced while the dialog runs.
    const auto run = Seams().runDialog;
    return run ? run(dialog) : dialog.DoModal();
}

void CNodeButton::RefreshTagView()
{
    CMainFrame* frame = GetMainFrame();
    CDevTagView* view = frame != nullptr ? frame->GetTagView() : nullptr;
    if (view == nullptr || view->GetSafeHwnd() == nullptr)
        return;
    view->FillTagList();
    view->Invalidate();
    if (const auto filled = Seams().tagViewFilled)
        filled();
}

// The gateway button.

BEGIN_MESSAGE_MAP(CBridgeButn, CNodeButton)
    ON_WM_ERASEBKGND()
    ON_WM_RBUTTONDOWN()
    ON_CONTROL_REFLECT(BN_CLICKED, &CBridgeButn::OnClicked)
    ON_CONTROL_REFLECT(BN_DOUBLECLICKED, &CBridgeButn::OnProperties)
    ON_COMMAND(ID_GATEWAY_PROPERTIES, &CBridgeButn::OnProperties)
    ON_COMMAND(ID_GATEWAY_DOWNLOAD, &CBridgeButn::OnDownload)
    ON_COMMAND(ID_GATEWAY_UPLOAD, &CBridgeButn::OnUpload)
    ON_COMMAND(ID_GATEWAY_EXPORT_AOI, &CBridgeButn::OnExportAoiFiles)
    ON_COMMAND(ID_GATEWAY_DIAGNOSTIC, &CBridgeButn::OnDiagnostic)
    ON_COMMAND(ID_GATEWAY_EVENT_LOGGER, &CBridgeButn::OnEventLogger)
    ON_COMMAND(ID_GATEWAY_EXPORT_CONFIGURATION, &CBridgeButn::OnExportConfiguration)
    ON_COMMAND(ID_MODBUS_CLIENT_MAPPING, &CBridgeButn::OnModbusClientMapping)
    ON_COMMAND(ID_MODBUS_SERVER_MAPPING, &CBridgeButn::OnModbusServerMapping)
END_MESSAGE_MAP()

CMainDoc* CBridgeButn::GetDocument() const
{
    const CMainView* view = DYNAMIC_DOWNCAST(CMainView, GetParent());
    return view != nullptr ? view->GetDocument() : nullptr;
}

BOOL CBridgeButn::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, RGB(255, 255, 255));
    return CNodeButton::OnEraseBkgnd(pDC);
}

void CBridgeButn::LoadCommandMenu(CMenu& menu)
{
    if (!LoadPopup(menu, IDR_MENU_GATEWAY, kGatewayItemsRemoved))
        return;
    const CMainDoc* doc = GetDocument();
    const UINT state = doc != nullptr && doc->projectReady ? MF_ENABLED : MF_GRAYED;
    for (UINT item : kGatewayItemsNeedingProject)
        menu.EnableMenuItem(item, MF_BYCOMMAND | state);
}

void CBridgeButn::OnRButtonDown(UINT nFlags, CPoint point)
{
    CMenu menu;
    LoadCommandMenu(menu);
    if (menu.GetSafeHmenu() != nullptr)
        TrackAt(menu, *this, point);
    CNodeButton::OnRButtonDown(nFlags, point);
}

void CBridgeButn::OnClicked()
{
    WaitForSecondClick();
}

void CBridgeButn::OnDownload()
{
    CDlgTransferFile dialog;
    dialog.SetUpload(false);
    RunDialog(dialog);
}

void CBridgeButn::OnUpload()
{
    auto dialog = std::make_unique<CDlgTransferFile>();
    dialog->SetUpload(true);
    if (RunDialog(*dialog) != IDOK)
        return;
    dialog.reset();
    CMainDoc* doc = GetDocument();
    if (doc == nullptr)
        return;
    uploadPath = GetFolderOfPath(doc->GetProjectPath()) + kUploadFileName;
    // A failed or cancelled upload leaves no file to open.
    if (FileExists(uploadPath))
        doc->OpenFileByType(uploadPath, TRUE);
}

void CBridgeButn::OnExportAoiFiles()
{
    if (CMainDoc* doc = GetDocument())
        doc->OnExportAoiFiles();
}

void CBridgeButn::OnDiagnostic()
{
    const CMainDoc* doc = GetDocument();
    if (doc == nullptr)
        return;
    bool connected = false;
    {
        CVQNDiagnostics client(doc->project.eth0IPaddr);
        connected = client.TestConnection();
    }
    if (!connected) {
        AfxMessageBox(kModuleNotRespondingText);
        return;
    }
    CEIPDiagnosticDlg dialog;
    RunDialog(dialog);
}

void CBridgeButn::OnEventLogger()
{
    CWaitCursor wait;
    CDlgEventLog dialog;
    if (dialog.IsConnected())
        RunDialog(dialog);
}

void CBridgeButn::OnModbusClientMapping()
{
    RunNewDialog<CDlgTransactionView>();
}

void CBridgeButn::OnModbusServerMapping()
{
    RunNewDialog<CDlgTagDBView>();
}

void CBridgeButn::OnExportConfiguration()
{
    CMainDoc* doc = GetDocument();
    if (doc == nullptr)
        doc = FindMainDocument();
    if (doc == nullptr)
        return;
    CWinApp* app = AfxGetApp();
    CString folder = app != nullptr ? app->GetProfileString(kExportSection, kExportEntry, "") : CString();

    CString filter;
    filter.LoadString(IDS_PROJECT_FILTER);
    CFileDialog projectDialog(FALSE, kProjectExtension, RemoveFileExtension(doc->GetProjectFileName()),
                              OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter);
    if (projectDialog.DoModal() != IDOK)
        return;
    doc->SetProjectPath(projectDialog.GetPathName());
    if (!doc->SaveProject())
        return;
    const CString configurationName = RemoveFileExtension(doc->GetProjectFileName());

    if (folder.IsEmpty())
        folder = CMainFrame::GetUserProfileFolder();
    else
        folder = GetFolderOfPath(folder);
    filter.LoadString(IDS_CONFIGURATION_FILTER);
    CFileDialog configurationDialog(FALSE, kConfigurationExtension, configurationName,
                                    OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter);
    configurationDialog.m_ofn.lpstrInitialDir = folder;
    if (configurationDialog.DoModal() != IDOK)
        return;
    const CString configuration = configurationDialog.GetPathName();
    if (app != nullptr)
        app->WriteProfileString(kExportSection, kExportEntry, configuration);

    CWaitCursor wait;
    Corvel::Gateway::DeviceConfigResult result;
    CString failure;
    if (!doc->TryWriteDeviceConfig(configuration, result, failure)) {
        AfxMessageBox(failure);
        return;
    }
    for (const CString& warning : result.warnings)
        AfxMessageBox(warning);
}

// The IED buttons.

BEGIN_MESSAGE_MAP(CDevButton, CNodeButton)
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_CONTROL_REFLECT(BN_CLICKED, &CDevButton::OnClicked)
    ON_CONTROL_REFLECT(BN_DOUBLECLICKED, &CDevButton::OnConfigure)
    ON_COMMAND(ID_DEVICE_CONFIGURE, &CDevButton::OnConfigure)
    ON_COMMAND(ID_DELETE_DEVICE, &CDevButton::OnDeleteDevice)
    ON_COMMAND(ID_COPY_DEVICE, &CDevButton::OnCopyDevice)
    ON_COMMAND(ID_DEVICE_PROPERTIES, &CDevButton::OnProperties)
END_MESSAGE_MAP()

void CDevButton::OnClicked()
{
    if (CWnd* parent = GetParent())
        parent->Invalidate();
    SelectDevice(deviceId);
    Highlight();
    if (WaitForSecondClick())
        RefreshTagView();
}

void CDevButton::Select()
{
    if (CWnd* parent = GetParent())
        parent->Invalidate();
    SelectDevice(deviceId);
    Highlight();
    RefreshTagView();
}

void CDevButton::Highlight()
{
    CMainDoc* doc = FindMainDocument();
    if (doc == nullptr)
        return;
    const int selected = CurrentDeviceId();
    Corvel::Records::_IED_DEVICE* selectedDevice = nullptr;
    for (POSITION pos = doc->project.iedDevices.GetHeadPosition(); pos != nullptr;) {
        Corvel::Records::_IED_DEVICE* device = doc->project.iedDevices.GetNext(pos);
        if (device->devNum == selected)
            selectedDevice = device;
        if ((device->state == kSlotInUse || device->devNum == selected) && device->button != nullptr)
            device->button->ShowPicture(false);
    }
    if (selectedDevice != nullptr) {
        if (selectedDevice->button != nullptr)
            selectedDevice->button->ShowPicture(true);
        doc->currentDeviceName = selectedDevice->label;
    }
    for (POSITION pos = doc->project.plcDevices.GetHeadPosition(); pos != nullptr;) {
        Corvel::Records::CPLC_Device* device = doc->project.plcDevices.GetNext(pos);
        if (device->button != nullptr && (device->state == kSlotInUse || device->devNum != selected))
            device->button->ShowTypePicture(device->devType);
    }
}

void CDevButton::ShowPicture(bool highlighted)
{
    SetBitmaps(highlighted ? kSelectedIedBitmap : kIedBitmap, m_windowColour);
    m_highlighted = highlighted;
}

void CDevButton::LoadContextMenu(CMenu& menu)
{
    LoadPopup(menu, IDR_MENU_DEVICE, kDeviceItemsRemoved);
}

void CDevButton::OnRButtonDown(UINT nFlags, CPoint point)
{
    SelectDevice(deviceId);
    CMenu menu;
    LoadContextMenu(menu);
    if (menu.GetSafeHmenu() != nullptr)
        TrackAt(menu, *this, point);
    Highlight();
    CNodeButton::OnRButtonDown(nFlags, point);
}

void CDevButton::OnRButtonUp(UINT, CPoint)
{
    Highlight();
}

void CDevButton::OnConfigure()
{
    CMainDoc* doc = FindMainDocument();
    if (doc == nullptr)
        return;
    if (!FileExists(sclFilePath)) {
        CString question;
        question.LoadString(IDS_SCL_FILE_MOVED);
        if (AfxMessageBox(question, MB_YESNO) != IDYES)
            return;
        CMainFrame* frame = GetMainFrame();
        if (CFileView* fileView = frame != nullptr ? frame->GetFileView() : nullptr)
            fileView->EditSclFilePath(sclFilePath);
    }
    if (CWnd* parent = GetParent())
        parent->Invalidate();
    Highlight();

    // The file may describe another IED now: the project's file that describes this one is taken instead.
    const Corvel::Records::_IED_DEVICE* device = Corvel::Records::FindDevice(doc->project.iedDevices, deviceId);
    const CString deviceName = device != nullptr ? device->label : label;
    if (CMainDoc::FindIedNameInFile(sclFilePath) != deviceName) {
        for (POSITION pos = doc->project.sclFiles.GetHeadPosition(); pos != nullptr;) {
            const Corvel::Records::_ICD_FILES* file = doc->project.sclFiles.GetNext(pos);
            if (CMainDoc::FindIedNameInFile(file->filePath) == deviceName) {
                sclFilePath = file->filePath;
                break;
            }
        }
    }

    CIEDMapDlg dialog;
    dialog.m_sclPath = sclFilePath;
    dialog.SetProject(doc, deviceId);
    SelectDevice(deviceId);
    RunDialog(dialog);
    RefreshTagView();
}

void CDevButton::OnDeleteDevice()
{
    CMainDoc* doc = FindMainDocument();
    if (doc == nullptr)
        return;
    const int placed = PlacedDevices(*this, CMainDoc::kKindIed);
    doc->DeleteDevice(CMainDoc::kKindIed);
    // Answered No (or nothing to delete): the copy and the Modbus commands stay as they were.
    if (PlacedDevices(*this, CMainDoc::kKindIed) == placed)
        return;
    if (doc->copiedIedDevice != nullptr && doc->copiedIedDevice->devNum == CurrentDeviceId())
        doc->copiedIedDevice = nullptr;
    // The Modbus commands follow the tag map, which must no longer hold the deleted IED's tags.
    doc->RebuildTagMap();
    Corvel::Mapping::RebuildModbusCommands(doc->project);
}

void CDevButton::OnCopyDevice()
{
    if (CMainDoc* doc = FindMainDocument())
        doc->CopyDevice(CMainDoc::kKindIed);
}

void CDevButton::OnProperties()
{
    RunNewDialog<CIEDPropsDlg>();
}

// The PLC buttons.

BEGIN_MESSAGE_MAP(CPLCButton, CNodeButton)
    ON_WM_CTLCOLOR()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_CONTROL_REFLECT(BN_CLICKED, &CPLCButton::OnClicked)
    ON_CONTROL_REFLECT(BN_DOUBLECLICKED, &CPLCButton::OnPlcMapping)
    ON_COMMAND(ID_PLC_MAP_VIEW, &CPLCButton::OnPlcMapView)
    ON_COMMAND(ID_DELETE_DEVICE, &CPLCButton::OnDeleteDevice)
    ON_COMMAND(ID_DELETE_PLC_DEVICE, &CPLCButton::OnDeleteDevice)
    ON_COMMAND(ID_COPY_DEVICE, &CPLCButton::OnCopyDevice)
END_MESSAGE_MAP()

LRESULT CPLCButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MOUSEMOVE)
        return CButton::WindowProc(message, wParam, lParam);
    return CNodeButton::WindowProc(message, wParam, lParam);
}

void CPLCButton::ShowTypePicture(int devType)
{
    if (const int bitmap = PlcBitmapOfType(devType))
        SetBitmaps(bitmap, ::GetSysColor(COLOR_WINDOW));
}

HBRUSH CPLCButton::OnCtlColor(CDC*, CWnd*, UINT)
{
    return static_cast<HBRUSH>(m_windowBrush.GetSafeHandle());
}

void CPLCButton::OnRButtonDown(UINT, CPoint) {}

void CPLCButton::OnRButtonUp(UINT, CPoint) {}

void CPLCButton::OnClicked()
{
    WaitForSecondClick();
}

void CPLCButton::OnPlcMapping()
{
    CMainDoc* doc = FindMainDocument();
    if (doc == nullptr)
        return;
    {
        CEIPPLCMapDlg dialog;
        doc->RebuildTagList();
        RunDialog(dialog);
    }
    // The selected IED stays selected, its tags listed again; a selection of no IED record is left alone.
    const Corvel::Records::_IED_DEVICE* selected = Corvel::Records::FindDevice(doc->project.iedDevices, CurrentDeviceId());
    if (selected != nullptr && selected->button != nullptr)
        selected->button->Select();
}

void CPLCButton::OnPlcMapView()
{
    RunNewDialog<CDlgMapView>();
}

void CPLCButton::OnDeleteDevice()
{
    CMainDoc* doc = FindMainDocument();
    if (doc == nullptr)
        return;
    const int placed = PlacedDevices(*this, CMainDoc::kKindPlc);
    doc->DeleteDevice(CMainDoc::kKindPlc);
    if (PlacedDevices(*this, CMainDoc::kKindPlc) == placed)
        return;
    if (doc->copiedPlcDevice != nullptr && doc->copiedPlcDevice->devNum == CurrentDeviceId())
        doc->copiedPlcDevice = nullptr;
}

void CPLCButton::OnCopyDevice()
{
    if (CMainDoc* doc = FindMainDocument())
        doc->CopyDevice(CMainDoc::kKindPlc);
}

namespace {

// How the document shows its records on the network view's buttons.
const DeviceButtonOps kDeviceButtonOps = {
    [](const Corvel::Records::_IED_DEVICE& device, bool highlighted) {
        CDevButton& button = *device.button;
        if (device.state != kSlotInUse) {
            button.ShowPicture(false);
            button.ShowWindow(SW_HIDE);
            return;
        }
        button.deviceId = device.devNum;
        button.sclFilePath = device.CIDFile;
        button.ShowPicture(highlighted);
        button.ShowWindow(SW_SHOW);
    },
    [](const Corvel::Records::_IED_DEVICE& device) { return device.button->IsHighlighted(); },
    [](const Corvel::Records::CPLC_Device& device) {
        CPLCButton& button = *device.button;
        if (device.state != kSlotInUse) {
            button.SetBitmaps(kPlcBitmap, ::GetSysColor(COLOR_WINDOW));
            button.ShowWindow(SW_HIDE);
            return;
        }
        button.ShowTypePicture(device.devType);
        button.ShowWindow(SW_SHOW);
    },
    [](const Corvel::Records::_IED_DEVICE& device) { device.button->Select(); },
    [](CBridgeButn& button) { button.OnExportConfiguration(); },
};

// Registered when the buttons are linked in: a record has a button only then.
const bool kDeviceButtonOpsRegistered = (SetDeviceButtonOps(&kDeviceButtonOps), true);

} // namespace
