#include "corvel/mapping/map_view_dlg.h"

#include "corvel/document/main_doc.h"
#include "corvel/resources/resource.h"
#include "corvel/document/document_frame.h"

#include <memory>

using Corvel::Mapping::MapViewKindOf;

IMPLEMENT_DYNAMIC(CDlgMapView, MyCDialogEx)

BEGIN_MESSAGE_MAP(CDlgMapView, MyCDialogEx)
    ON_WM_SIZE()
    ON_BN_CLICKED(IDC_MAP_PRINT, &CDlgMapView::OnPrint)
    ON_BN_CLICKED(IDC_MAP_EXPORT_PROCESSOR_FILES, &CDlgMapView::OnExportProcessorFiles)
END_MESSAGE_MAP()

namespace {

const UINT kIndicators[] = {ID_SEPARATOR};
// Room left and right of a button, and its height, in pixels.
constexpr int kButtonMargin = 10;
constexpr int kButtonGap = 6;

struct ColumnSpec {
    const char* title; // null: the address heading of the view kind
    int extraWidth;
};
const ColumnSpec kColumns[] = {
    {"Direction", 50}, {nullptr, 100}, {"VQN Start MB Address", 100}, {"Tag Name", 300}, {"Size", 100}};

} // namespace

CDlgMapView::CDlgMapView(CWnd* pParent) : MyCDialogEx(IDD_MAP_VIEW, pParent)
{
    if (const CMainDoc* doc = FindMainDocument()) {
        m_project = &doc->project;
        m_device = Corvel::Records::FindDevice(doc->project.plcDevices, CurrentDeviceId());
    }
}

CDlgMapView::CDlgMapView(const Corvel::Records::_PROJECT& project, const Corvel::Records::CPLC_Device* device,
                         CWnd* pParent)
    : MyCDialogEx(IDD_MAP_VIEW, pParent), m_project(&project), m_device(device)
{
}

CString CDlgMapView::GetModelName() const
{
    return m_list.GetExporter().GetBaseName();
}

BOOL CDlgMapView::OnInitDialog()
{
    MyCDialogEx::OnInitDialog();
    SetFont(GetFont(), FALSE);
    CRect client;
    GetClientRect(&client);
    client.bottom -= kButtonStrip;
    m_list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS, client, this, 0);
    m_list.SetFont(GetFont(), FALSE);
    m_list.SetViewKind(m_device != nullptr ? MapViewKindOf(*m_device) : Corvel::Mapping::kModbusMapView);
    if (m_project != nullptr && m_device != nullptr)
        m_list.SetDevice(*m_project, *m_device);
    CreateBars(FALSE, TRUE, kIndicators, static_cast<int>(std::size(kIndicators)), 0, kToolBarStyle);
    const bool exported =
        m_device != nullptr && Corvel::Gateway::CUnityExporter::IsExportedDeviceType(m_device->devType);
    if (CWnd* button = GetDlgItem(IDC_MAP_EXPORT_PROCESSOR_FILES))
        button->ShowWindow(exported ? SW_SHOW : SW_HIDE);
    InsertColumns();
    FillList();
    GetClientRect(&client);
    LayoutControls(client.Width(), client.Height());
    return TRUE;
}

void CDlgMapView::InsertColumns()
{
    m_list.SetDefaultRowTrait(std::make_unique<CRowTraitXP>());
    m_list.InsertHiddenLabelColumn();
    int column = 1;
    for (const ColumnSpec& spec : kColumns) {
        const CString title = spec.title != nullptr ? CString(spec.title) : m_list.GetAddressHeading();
        m_list.InsertColumnTrait(column, title, LVCFMT_LEFT, m_list.GetStringWidth(title) + spec.extraWidth, column);
        ++column;
    }
}

void CDlgMapView::FillList()
{
    if (m_project == nullptr || m_device == nullptr)
        return;
    m_list.SetRows(Corvel::Mapping::BuildMemoryMapRows(*m_project, *m_device, m_list.GetViewKind()));
}

void CDlgMapView::OnSize(UINT nType, int cx, int cy)
{
    MyCDialogEx::OnSize(nType, cx, cy);
    LayoutControls(cx, cy);
}

void CDlgMapView::LayoutControls(int cx, int cy)
{
    if (m_list.m_hWnd == nullptr)
        return;
    int statusHeight = 0;
    if (HasStatusBar() && GetStatusBar().m_hWnd != nullptr) {
        CRect status;
        GetStatusBar().GetWindowRect(&status);
        statusHeight = status.Height();
    }
    const int listBottom = cy - kButtonStrip;
    m_list.MoveWindow(0, 0, cx, listBottom > 0 ? listBottom : 0);
    // The buttons keep their size: Export on the left, Print and Close on the right.
    const int stripTop = listBottom;
    const int stripHeight = kButtonStrip - statusHeight;
    int right = cx - kButtonMargin;
    const UINT rightButtons[] = {IDOK, IDC_MAP_PRINT};
    for (UINT id : rightButtons) {
        CWnd* button = GetDlgItem(id);
        if (button == nullptr)
            continue;
        CRect rect;
        button->GetWindowRect(&rect);
        right -= rect.Width();
        button->MoveWindow(right, stripTop + (stripHeight - rect.Height()) / 2, rect.Width(), rect.Height());
        right -= kButtonGap;
    }
    if (CWnd* button = GetDlgItem(IDC_MAP_EXPORT_PROCESSOR_FILES)) {
        CRect rect;
        button->GetWindowRect(&rect);
        button->MoveWindow(kButtonMargin, stripTop + (stripHeight - rect.Height()) / 2, rect.Width(), rect.Height());
    }
    Invalidate();
}

void CDlgMapView::OnPrint()
{
    m_list.OnPrint();
}

void CDlgMapView::OnExportProcessorFiles()
{
    m_list.OnExportProcessorFiles();
}
