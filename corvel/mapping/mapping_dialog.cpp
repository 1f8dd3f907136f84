#include "corvel/mapping/mapping_dialog.h"

#include <vector>

IMPLEMENT_DYNAMIC(CMappingDialog, MyCDialogEx)

BEGIN_MESSAGE_MAP(CMappingDialog, MyCDialogEx)
    ON_WM_DESTROY()
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

const char kPlacementEntry[] = "MAPWP";
constexpr int kDefaultLeft = 330;
constexpr int kDefaultRight = 800;
constexpr int kPaneMinimum = 30;
constexpr int kBarThickness = 3;

} // namespace

CMappingDialog::CMappingDialog(UINT nIDTemplate, CWnd* pParent, LPCSTR section, UINT splitterId)
    : MyCDialogEx(nIDTemplate, pParent), m_section(section), m_splitterId(splitterId),
      m_splitter(2, CSimpleSplitter::kSideBySide, kPaneMinimum, kBarThickness)
{
    m_leftPaneBrush.CreateSolidBrush(RGB(255, 255, 255));
    m_rightPaneBrush.CreateSolidBrush(RGB(255, 255, 255));
}

CMappingDialog::~CMappingDialog() = default;

CRect CMappingDialog::ClientOf(const CWnd& window)
{
    CRect client;
    window.GetClientRect(&client);
    return client;
}

CString CMappingDialog::ColumnEntry(int index)
{
    CString entry;
    entry.Format("COL%d", index);
    return entry;
}

void CMappingDialog::CreateLayout(UINT titleId, UINT acceleratorId)
{
    CString title;
    title.LoadString(titleId);
    SetWindowText(title);
    m_accelerators = ::LoadAcceleratorsA(AfxGetResourceHandle(), MAKEINTRESOURCEA(acceleratorId));
    const UINT indicators[] = {ID_SEPARATOR};
    CreateBars(TRUE, TRUE, indicators, 1, 0, kToolBarStyle);

    CWinApp* app = AfxGetApp();
    const int sizes[2] = {static_cast<int>(app->GetProfileInt(m_section, "MAP0", kDefaultLeft)),
                          static_cast<int>(app->GetProfileInt(m_section, "MAP1", kDefaultRight))};
    m_splitter.Create(this, m_splitterId);
    m_splitter.SetPaneSizes(sizes);
    m_splitter.SetPane(0, &m_leftPane, WS_CLIPCHILDREN, WS_EX_CLIENTEDGE,
                       AfxRegisterWndClass(CS_DBLCLKS, nullptr, m_leftPaneBrush));
    m_splitter.SetPane(1, &m_rightPane, WS_CLIPCHILDREN, WS_EX_CLIENTEDGE,
                       AfxRegisterWndClass(CS_DBLCLKS, nullptr, m_rightPaneBrush));
    RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, m_splitterId);
}

void CMappingDialog::FinishLayout()
{
    std::vector<BYTE> placement;
    if (AfxGetApp()->GetProfileBinary(m_section, kPlacementEntry, placement) &&
        placement.size() == sizeof(WINDOWPLACEMENT)) {
        WINDOWPLACEMENT stored = {};
        memcpy(&stored, placement.data(), sizeof stored);
        stored.length = sizeof stored;
        SetWindowPlacement(&stored);
    }
    m_layoutReady = true;
    RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, m_splitterId);
    FitPaneContents();
}

BOOL CMappingDialog::PreTranslateMessage(MSG* pMsg)
{
    if (m_accelerators != nullptr && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST &&
        ::TranslateAcceleratorA(m_hWnd, m_accelerators, pMsg))
        return TRUE;
    return MyCDialogEx::PreTranslateMessage(pMsg);
}

void CMappingDialog::OnDestroy()
{
    if (m_layoutReady) {
        CWinApp* app = AfxGetApp();
        app->WriteProfileInt(m_section, "MAP0", m_splitter.GetPaneRect(0).Width());
        app->WriteProfileInt(m_section, "MAP1", m_splitter.GetPaneRect(1).Width());
        SaveColumnWidths(*app);
        WINDOWPLACEMENT placement = {};
        placement.length = sizeof placement;
        if (GetWindowPlacement(&placement))
            app->WriteProfileBinary(m_section, kPlacementEntry, &placement, sizeof placement);
    }
    m_layoutReady = false;
    MyCDialogEx::OnDestroy();
}

void CMappingDialog::OnSize(UINT nType, int cx, int cy)
{
    MyCDialogEx::OnSize(nType, cx, cy);
    if (m_layoutReady) {
        RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, m_splitterId);
        FitPaneContents();
    }
}
