#include "corvel/workspace/main_view.h"

#include "corvel/document/document_frame.h"
#include "corvel/document/main_doc.h"
#include "corvel/resources/resource.h"
#include "corvel/controls/product_message.h"
#include "corvel/model/ied_records.h"
#include "corvel/model/modbus_mapping.h"
#include "corvel/model/product.h"
#include "corvel/workspace/buttons.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

using Corvel::Records::kSlotFree;
using Corvel::Records::kSlotInUse;


constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 90;
constexpr int kGatewayLeft = 60;
constexpr int kGatewayTop = 160;
constexpr int kSlotLeft = 160;
constexpr int kSlotStep = 60;
constexpr int kIedTopEven = 260;
constexpr int kIedTopOdd = 350;
constexpr int kPlcTopEven = 10;
constexpr int kPlcTopOdd = 100;
constexpr int kNodeFontTenths = 90;
constexpr int kInitialScrollSize = 300;
// Drawing width: this much per device of the larger row, plus the margin.
constexpr int kWidthPerDevice = 62;
constexpr int kDrawingMargin = 180;
// The printed picture reaches this far past its lowest and rightmost node.
constexpr int kPrintMargin = 20;
// IED buttons: a visible child of the user-button type (made owner-drawn by the button).
constexpr DWORD kIedButtonStyle = 0x50000008;

const char kUnconfigured[] = "Unconfigured";
const char kPlacedPlcName[] = "EthernetIP";
const char kIedNameTooLong[] = "The IED name is more than 40 characters in length. The IED name must be shortened "
                               "as Rockwell AOI has a 40 character limit.";
const char kDeviceInUse[] = "Warning: The device is already in use.";
// Longest IED name the Logix export can carry.
constexpr int kMaxIedNameLength = 40;

} // namespace

IMPLEMENT_DYNCREATE(CMainView, CScrollView)

BEGIN_MESSAGE_MAP(CMainView, CScrollView)
    ON_WM_RBUTTONUP()
    ON_WM_DROPFILES()
    ON_COMMAND(ID_PASTE_MODBUS_DEVICE, &CMainView::OnPasteModbusDevice)
    ON_UPDATE_COMMAND_UI(ID_PASTE_MODBUS_DEVICE, &CMainView::OnUpdatePasteModbusDevice)
    ON_COMMAND(ID_PASTE_IED_DEVICE, &CMainView::OnPasteIedDevice)
    ON_UPDATE_COMMAND_UI(ID_PASTE_IED_DEVICE, &CMainView::OnUpdatePasteIedDevice)
    ON_COMMAND(ID_FILE_PRINT, &CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, &CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, &CView::OnFilePrintPreview)
END_MESSAGE_MAP()

CMainView::CMainView()
{
    m_nodeFont.CreatePointFont(kNodeFontTenths, "Arial");
}

CMainView::~CMainView() = default;

CMainDoc* CMainView::GetDocument() const
{
    return DYNAMIC_DOWNCAST(CMainDoc, m_pDocument);
}

CPoint CMainView::IedSlotPosition(int i)
{
    return CPoint(kSlotLeft + kSlotStep * i, i % 2 == 0 ? kIedTopEven : kIedTopOdd);
}

CPoint CMainView::PlcSlotPosition(int j)
{
    return CPoint(kSlotLeft + kSlotStep * j, j % 2 == 0 ? kPlcTopEven : kPlcTopOdd);
}

int CMainView::ReadIedSlotCount()
{
    return ::ReadIedSlotCount();
}

int CMainView::ReadPlcSlotCount()
{
    return ::ReadPlcSlotCount();
}

void CMainView::OnInitialUpdate()
{
    DragAcceptFiles(TRUE);
    CMainDoc* doc = GetDocument();
    if (doc == nullptr)
        return;
    // A copy: opening the file forgets the application's.
    const CString startupFile = StartupFileName();
    // A second initial update (the framework's reopen) keeps the picture it has.
    const bool hasPicture = doc->project.bridgeButton != nullptr;
    if (!hasPicture && (!startupFile.IsEmpty() || doc->GetProjectPath().IsEmpty())) {
        BuildNetworkView();
        SetScrollSizes(MM_TEXT, CSize(kInitialScrollSize, kInitialScrollSize));
    }
    if (!startupFile.IsEmpty())
        doc->OpenFileByType(startupFile, TRUE);
}

void CMainView::UpdateScrollSizes()
{
    SetScrollSizes(MM_TEXT, CSize(kInitialScrollSize, kInitialScrollSize));
    const CPoint position = GetScrollPosition();
    ScrollToPosition(CPoint(0, position.y));
    Invalidate();
}

void CMainView::BuildNetworkView()
{
    CMainDoc* doc = GetDocument();
    if (doc == nullptr)
        return;
    Corvel::Records::_PROJECT& project = doc->project;
    const COLORREF windowColour = ::GetSysColor(COLOR_WINDOW);

    auto bridge = std::make_unique<CBridgeButn>();
    if (!bridge->Create(kUnconfigured, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 0, 0), this, 0))
        return;
    project.bridgeButton = bridge.release();

    const int iedSlots = ReadIedSlotCount();
    const int plcSlots = ReadPlcSlotCount();

    Corvel::Records::ApplyNewProjectSettings(project);

    CBridgeButn* gateway = project.bridgeButton;
    gateway->SetTransparentMode(FALSE);
    gateway->SetBitmaps(kGatewayBitmap, windowColour);
    gateway->SetBorderOnHover(FALSE);
    gateway->SetImageAlignment(CImageButton::kAlignTop);
    gateway->SetFocusWhenFlat(FALSE);
    gateway->MoveWindow(kGatewayLeft, kGatewayTop, kButtonWidth, kButtonHeight);
    gateway->SetFont(&m_nodeFont);
    gateway->Invalidate();

    doc->fileListA.RemoveAll();

    for (int i = 0; i < iedSlots; ++i) {
        const int id = kFirstDeviceId + i;
        std::unique_ptr<CMainDoc::_IED_DEVICE> device = Corvel::Records::MakeIedSlot(id);
        auto button = std::make_unique<CDevButton>();
        if (!button->Create(device->label, kIedButtonStyle, CRect(0, 0, 0, 0), this, id))
            return;
        button->deviceId = id;
        button->SetTransparentMode(TRUE);
        button->SetBitmaps(kIedBitmap, windowColour);
        button->SetImageAlignment(CImageButton::kAlignTop);
        button->SetFocusWhenFlat(FALSE);
        button->SetBorderOnHover(FALSE);
        button->SetWindowText(device->IPaddr);
        button->SetFont(&m_nodeFont);
        button->ShowWindow(SW_HIDE);
        const CPoint at = IedSlotPosition(i);
        button->MoveWindow(at.x, at.y, kButtonWidth, kButtonHeight);
        device->button = button.release();
        project.iedDevices.AddTail(device.get());
        device.release();
    }

    for (int j = 0; j < plcSlots; ++j) {
        const int id = kFirstDeviceId + iedSlots + j;
        std::unique_ptr<CMainDoc::CPLC_Device> device = Corvel::Records::MakePlcSlot(id, j == 0);
        auto button = std::make_unique<CPLCButton>();
        if (!button->Create(CString(), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 0, 0), this, id))
            return;
        button->SetFont(&m_nodeFont);
        button->ShowWindow(SW_HIDE);
        button->SetBitmaps(kPlcBitmap, RGB(255, 255, 255));
        button->SetTransparentMode(TRUE);
        button->SetBitmaps(kPlcBitmap, windowColour);
        button->SetImageAlignment(CImageButton::kAlignTop);
        button->SetFocusWhenFlat(FALSE);
        button->SetBorderOnHover(FALSE);
        button->SetWindowText(device->IPAddr);
        const CPoint at = PlcSlotPosition(j);
        button->MoveWindow(at.x, at.y, kButtonWidth, kButtonHeight);
        device->button = button.release();
        project.plcDevices.AddTail(device.get());
        device.release();
    }
    Invalidate();
}

int CMainView::AddDevice(int kind, const CString& sclPath, const CConnectedAP* entry)
{
    CMainDoc* doc = GetDocument();
    if (doc == nullptr)
        return -1;
    doc->projectReady = true;
    Corvel::Records::_PROJECT& project = doc->project;
    if (kind != CMainDoc::kKindIed) {
        CMainDoc::CPLC_Device* device = project.plcDevices.IsEmpty() ? nullptr : project.plcDevices.GetHead();
        if (device == nullptr || device->state != kSlotFree)
            return -1;
        device->state = kSlotInUse;
        device->devType = kind;
        device->name = kPlacedPlcName;
        if (device->button != nullptr)
            device->button->ShowTypePicture(kind);
        Invalidate();
        doc->MarkChangedAndUpdateViews();
        // Every Modbus device's command rows follow the tag map again.
        Corvel::Mapping::RebuildModbusCommands(project);
        return device->devNum;
    }

    if (entry == nullptr)
        return -1;
    const CString& name = entry->ied.name;
    if (name.GetLength() > kMaxIedNameLength) {
        ShowProductMessage(kIedNameTooLong, MB_OK, GetSafeHwnd());
        return -1;
    }
    // A name placed anywhere, before or after a free slot, is refused.
    if (Corvel::Records::IsIedLabelInUse(project, name)) {
        ShowProductMessage(kDeviceInUse, MB_OK | MB_ICONWARNING, GetSafeHwnd());
        return -1;
    }
    if (CMainDoc::_IED_DEVICE* device = Corvel::Records::FindFreeSlot(project.iedDevices)) {
        Corvel::Records::PlaceIed(*device, sclPath, *entry);
        Invalidate();
        doc->MarkChangedAndUpdateViews();
        return device->devNum;
    }
    Invalidate();
    return -1;
}

int CMainView::CountDevices(int kind)
{
    CMainDoc* doc = GetDocument();
    if (doc == nullptr)
        return -1;
    return kind == CMainDoc::kKindIed ? Corvel::Records::CountIedsInUse(doc->project)
                                      : Corvel::Records::CountPlcsInUse(doc->project);
}

void CMainView::OnPasteModbusDevice()
{
    if (CMainDoc* doc = GetDocument())
        doc->PasteDevice(CMainDoc::kKindPlc);
}

void CMainView::OnUpdatePasteModbusDevice(CCmdUI* pCmdUI)
{
    CMainDoc* doc = GetDocument();
    pCmdUI->Enable(doc != nullptr && doc->copiedPlcDevice != nullptr);
}

void CMainView::OnPasteIedDevice()
{
    if (CMainDoc* doc = GetDocument())
        doc->PasteDevice(CMainDoc::kKindIed);
}

void CMainView::OnUpdatePasteIedDevice(CCmdUI* pCmdUI)
{
    CMainDoc* doc = GetDocument();
    pCmdUI->Enable(doc != nullptr && doc->copiedIedDevice != nullptr);
}

// Shows the buttons of the devices in use with their captions, then the connection lines.
void CMainView::OnDraw(CDC* pDC)
{
    CMainDoc* doc = GetDocument();
    if (doc == nullptr)
        return;
    Corvel::Records::_PROJECT& project = doc->project;
    if (project.bridgeButton != nullptr) {
        project.bridgeButton->SetWindowText(project.eth0IPaddr);
        project.bridgeButton->label = doc->GetProjectName();
    }
    for (POSITION pos = project.iedDevices.GetHeadPosition(); pos != nullptr;) {
        CMainDoc::_IED_DEVICE* device = project.iedDevices.GetNext(pos);
        if (device->state != kSlotInUse || device->button == nullptr)
            continue;
        device->button->ShowWindow(SW_SHOW);
        device->button->sclFilePath = device->CIDFile;
        device->button->label = device->label;
        device->button->SetWindowText(device->IPaddr);
    }
    bool first = true;
    for (POSITION pos = project.plcDevices.GetHeadPosition(); pos != nullptr;) {
        CMainDoc::CPLC_Device* device = project.plcDevices.GetNext(pos);
        if (device->state != kSlotInUse || device->button == nullptr)
            continue;
        device->button->ShowWindow(SW_SHOW);
        device->button->SetWindowText(first ? "Class 1 and 3" : "Class 3");
        device->button->label = device->name;
        first = false;
    }
    DrawConnections(pDC, doc->GetDeviceCount(CMainDoc::kKindIed), doc->GetDeviceCount(CMainDoc::kKindPlc));
}

// The bus from the gateway with a drop line to each IED slot and a rise to each PLC slot in use.
void CMainView::DrawConnections(CDC* pDC, int iedCount, int plcCount)
{
    constexpr int kBusY = 200;
    constexpr int kBusLeft = 140;
    constexpr int kFirstDropX = 210;
    CPen pen(PS_SOLID, 2, RGB(0, 0, 255));
    ScopedSelect selectPen(*pDC, pen);
    if (iedCount > 0) {
        pDC->MoveTo(kBusLeft, kBusY);
        pDC->LineTo(kFirstDropX, kBusY);
        pDC->LineTo(kFirstDropX, 280);
        for (int k = 1; k < iedCount; ++k) {
            const int x = kFirstDropX + kSlotStep * k;
            pDC->MoveTo(x - kSlotStep, kBusY);
            pDC->LineTo(x, kBusY);
            pDC->LineTo(x, k % 2 == 0 ? 280 : 360);
        }
    }
    if (plcCount > 0) {
        pDC->MoveTo(kBusLeft, kBusY);
        pDC->LineTo(kFirstDropX, kBusY);
        pDC->LineTo(kFirstDropX, 100);
        for (int k = 1; k < plcCount; ++k) {
            const int x = kFirstDropX + kSlotStep * k;
            pDC->MoveTo(x - kSlotStep, kBusY);
            pDC->LineTo(x, kBusY);
            pDC->LineTo(x, k % 2 == 0 ? 100 : 188);
        }
    }
}

// The drawing is as wide as the longer row of devices needs; a wider drawing than the window scrolls to its end.
void CMainView::OnUpdate(CView*, LPARAM, CObject*)
{
    CMainDoc* doc = GetDocument();
    if (doc == nullptr)
        return;
    const int count = std::max(doc->GetDeviceCount(CMainDoc::kKindIed), doc->GetDeviceCount(CMainDoc::kKindPlc));
    doc->viewSize.cx = kWidthPerDevice * count + kDrawingMargin;
    SetScrollSizes(MM_TEXT, doc->GetViewSize());
    CRect parent;
    if (CWnd* parentWnd = GetParent())
        parentWnd->GetClientRect(&parent);
    if (doc->viewSize.cx > parent.Width())
        ScrollToPosition(CPoint(doc->viewSize.cx, GetScrollPosition().y));
    Invalidate();
}

BOOL CMainView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

// The view's nodes are buttons, which a printer's DC does not reach: the page shows the picture the screen
// shows, the lines with the node pictures over them, drawn at the screen's scale and fitted into the page.
void CMainView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    CMainDoc* doc = GetDocument();
    if (doc == nullptr || pInfo == nullptr)
        return;
    Corvel::Records::_PROJECT& project = doc->project;
    std::vector<std::pair<CImageButton*, CRect>> nodes;
    CSize extent(doc->GetViewSize().cx, 0);
    auto addNode = [&](CImageButton* button, bool placed) {
        if (button == nullptr || button->GetSafeHwnd() == nullptr || !placed)
            return;
        CRect rect;
        button->GetWindowRect(&rect);
        ScreenToClient(&rect);
        rect.OffsetRect(m_origin);
        nodes.emplace_back(button, rect);
        extent.cx = std::max<LONG>(extent.cx, rect.right + kPrintMargin);
        extent.cy = std::max<LONG>(extent.cy, rect.bottom + kPrintMargin);
    };
    addNode(project.bridgeButton, true);
    for (POSITION pos = project.iedDevices.GetHeadPosition(); pos != nullptr;) {
        CMainDoc::_IED_DEVICE* device = project.iedDevices.GetNext(pos);
        addNode(device->button, device->state == kSlotInUse);
    }
    for (POSITION pos = project.plcDevices.GetHeadPosition(); pos != nullptr;) {
        CMainDoc::CPLC_Device* device = project.plcDevices.GetNext(pos);
        addNode(device->button, device->state == kSlotInUse);
    }

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = extent.cx;
    info.bmiHeader.biHeight = -extent.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    CBitmap picture;
    if (extent.cx <= 0 || extent.cy <= 0 ||
        !picture.Attach(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0)))
        return;
    CDC canvas;
    if (!canvas.CreateCompatibleDC(nullptr))
        return;
    {
        ScopedSelect selectPicture(canvas, picture);
        canvas.FillSolidRect(0, 0, extent.cx, extent.cy, RGB(255, 255, 255));
        OnDraw(&canvas);
        for (const auto& [button, rect] : nodes) {
            DRAWITEMSTRUCT item = {};
            item.CtlType = ODT_BUTTON;
            item.CtlID = static_cast<UINT>(button->GetDlgCtrlID());
            item.itemAction = ODA_DRAWENTIRE;
            item.hwndItem = button->m_hWnd;
            item.hDC = canvas.m_hDC;
            item.rcItem = CRect(0, 0, rect.Width(), rect.Height());
            ::SetViewportOrgEx(canvas.m_hDC, rect.left, rect.top, nullptr);
            button->DrawItem(&item);
            ::SetViewportOrgEx(canvas.m_hDC, 0, 0, nullptr);
        }
        ::GdiFlush();
    }
    // Half an inch inside the printable area, as large as the page allows.
    CRect page = pInfo->m_rectDraw;
    page.DeflateRect(pDC->GetDeviceCaps(LOGPIXELSX) / 2, pDC->GetDeviceCaps(LOGPIXELSY) / 2);
    if (page.IsRectEmpty())
        return;
    const double scale = std::min(static_cast<double>(page.Width()) / extent.cx,
                                  static_cast<double>(page.Height()) / extent.cy);
    ::SetStretchBltMode(pDC->m_hDC, HALFTONE);
    ::StretchDIBits(pDC->m_hDC, page.left, page.top, static_cast<int>(extent.cx * scale),
                    static_cast<int>(extent.cy * scale), 0, 0, extent.cx, extent.cy, bits, &info, DIB_RGB_COLORS,
                    SRCCOPY);
}

// Only the first dropped file is opened: a configuration (*cfg) as an import, else by its extension.
void CMainView::OnDropFiles(HDROP hDropInfo)
{
    CMainDoc* doc = GetDocument();
    if (doc == nullptr)
        return;
    char path[MAX_PATH] = {};
    if (::DragQueryFileA(hDropInfo, 0, path, MAX_PATH) > 0) {
        CString name(path);
        CString lower = name;
        lower.MakeLower();
        doc->OpenFileByType(name, lower.Right(3) == "cfg" ? TRUE : FALSE);
    }
    ::DragFinish(hDropInfo);
}

// The paste menu, while a copied device waits.
void CMainView::OnRButtonUp(UINT, CPoint point)
{
    CMainDoc* doc = GetDocument();
    if (doc == nullptr || (doc->copiedIedDevice == nullptr && doc->copiedPlcDevice == nullptr))
        return;
    ClientToScreen(&point);
    auto* app = DYNAMIC_DOWNCAST(CWinAppEx, AfxGetApp());
    if (app != nullptr && app->GetContextMenuManager() != nullptr)
        app->GetContextMenuManager()->ShowPopupMenu(IDR_MENU_PASTE, point.x, point.y, this, TRUE);
}
