#include "corvel/workspace/main_view.h"

#include "corvel/app/main_doc.h"
#include "corvel/workspace/buttons.h"

namespace {

using Corvel::Records::kSlotFree;
using Corvel::Records::kSlotInUse;

// Slot counts read from the profile are kept within this range.
constexpr int kMaxDeviceSlots = 500;

// Button pictures.
constexpr int kGatewayBitmap = 316;
constexpr int kIedBitmap = 318;
constexpr int kPlcBitmap = 388;

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

// A PLC device's type on the network view until another kind is placed.
constexpr int kPlcDefaultType = 1;

const char kUnconfigured[] = "Unconfigured";
const char kFirstPlcName[] = "EthernetIP";

int ReadSlotCount(LPCSTR section, LPCSTR entry, int defaultCount)
{
    CWinApp* app = AfxGetApp();
    const int count = app != nullptr ? static_cast<int>(app->GetProfileInt(section, entry, defaultCount)) : defaultCount;
    return count < 0 ? 0 : (count > kMaxDeviceSlots ? kMaxDeviceSlots : count);
}

} // namespace

CString CMainView::startupFileName;

IMPLEMENT_DYNCREATE(CMainView, CScrollView)

BEGIN_MESSAGE_MAP(CMainView, CScrollView)
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

void CMainView::OnInitialUpdate()
{
    DragAcceptFiles(TRUE);
    CMainDoc* doc = GetDocument();
    if (doc == nullptr)
        return;
    // A second initial update (the framework's reopen) keeps the picture it has.
    const bool hasPicture = doc->project.bridgeButton != nullptr;
    if (!hasPicture && (!startupFileName.IsEmpty() || doc->GetProjectPath().IsEmpty())) {
        BuildNetworkView();
        SetScrollSizes(MM_TEXT, CSize(kInitialScrollSize, kInitialScrollSize));
    }
    if (!startupFileName.IsEmpty())
        doc->OpenFileByType(startupFileName, TRUE);
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

    const int iedSlots = ReadSlotCount("Mapper", "MaxNoIEC", kDefaultMaxIeds);
    const int plcSlots = ReadSlotCount("ModDlg", "MaxNoMB", kDefaultMaxPlcs);

    doc->SetProjectName("Project 1");
    doc->SetProjectComment(CString());
    project.NTPaddr = "192.168.0.1";
    project.NTPupdate = "0";
    project.startRead = "1";
    project.startWrite = "1001";
    project.reservedWord1 = 0;
    project.reservedWord2 = 0;
    project.connTimeout = "60";
    project.NoMTCPsrvr = "0";
    project.NoMBAPsrvr = "3";
    project.VQNstatusStart = "65531";
    project.rebootRegister = "65535";
    project.eth0IPaddr = "192.168.0.250";
    project.eth0IPmask = "255.255.255.0";
    project.eth0Gateway = "192.168.0.1";
    project.eth1IPaddr = "192.168.1.250";
    project.eth1IPmask = "255.255.255.0";
    project.eth1Gateway = "192.168.1.1";

    CBridgeButn* gateway = project.bridgeButton;
    gateway->SetBitmaps(kGatewayBitmap, windowColour);
    gateway->MoveWindow(kGatewayLeft, kGatewayTop, kButtonWidth, kButtonHeight);
    gateway->SetFont(&m_nodeFont);
    gateway->Invalidate();

    doc->fileListA.RemoveAll();

    for (int i = 0; i < iedSlots; ++i) {
        auto device = std::make_unique<CMainDoc::_IED_DEVICE>();
        const int id = kFirstDeviceId + i;
        auto button = std::make_unique<CDevButton>();
        if (!button->Create(device->label, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 0, 0), this, id))
            return;
        button->deviceId = id;
        device->devNum = id;
        button->SetBitmaps(kIedBitmap, windowColour);
        button->SetWindowText(device->IPaddr);
        button->SetFont(&m_nodeFont);
        device->state = kSlotFree;
        button->ShowWindow(SW_HIDE);
        const CPoint at = IedSlotPosition(i);
        button->MoveWindow(at.x, at.y, kButtonWidth, kButtonHeight);
        device->button = button.release();
        project.iedDevices.AddTail(device.get());
        device.release();
    }

    for (int j = 0; j < plcSlots; ++j) {
        auto device = std::make_unique<CMainDoc::CPLC_Device>();
        device->IPAddr = "192.168.0.250";
        device->IPMask = "255.255.255.0";
        device->Gateway = "192.168.0.1";
        const int id = kFirstDeviceId + iedSlots + j;
        device->devNum = id;
        device->NOESel = 0;
        device->NOESlotNum = 1;
        auto button = std::make_unique<CPLCButton>();
        if (!button->Create(device->name, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 0, 0), this, id))
            return;
        button->SetFont(&m_nodeFont);
        button->ShowWindow(SW_HIDE);
        device->state = kSlotFree;
        button->SetBitmaps(kPlcBitmap, windowColour);
        if (j == 0) {
            device->state = kSlotInUse;
            device->name = kFirstPlcName;
        }
        button->SetWindowText(device->IPAddr);
        device->devType = kPlcDefaultType;
        const CPoint at = PlcSlotPosition(j);
        button->MoveWindow(at.x, at.y, kButtonWidth, kButtonHeight);
        device->button = button.release();
        project.plcDevices.AddTail(device.get());
        device.release();
    }
    Invalidate();
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
