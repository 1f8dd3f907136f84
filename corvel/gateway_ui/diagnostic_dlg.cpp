#include "corvel/gateway_ui/diagnostic_dlg.h"

#include "corvel/document/main_doc.h"
#include "corvel/resources/resource.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

IMPLEMENT_DYNAMIC(CEIPDiagnosticDlg, MyCDialogEx)
IMPLEMENT_DYNAMIC(CDlg_DiagnosticOption, MyCDialogEx)

BEGIN_MESSAGE_MAP(CEIPDiagnosticDlg, MyCDialogEx)
    ON_COMMAND(ID_DIAGNOSTIC_CONNECT, &CEIPDiagnosticDlg::OnConnect)
    ON_COMMAND(ID_DIAGNOSTIC_RECONNECT, &CEIPDiagnosticDlg::OnConnect)
    ON_COMMAND(ID_DIAGNOSTIC_OPTION, &CEIPDiagnosticDlg::OnOption)
    ON_COMMAND(ID_DIAGNOSTIC_CLOSE, &CEIPDiagnosticDlg::OnCloseCommand)
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_NOTIFY(UDN_DELTAPOS, IDC_DIAGNOSTIC_SPIN, &CEIPDiagnosticDlg::OnSpinDeltaPos)
    ON_WM_TIMER()
END_MESSAGE_MAP()

namespace {

// Layout settings and their defaults.
const char kLeftEntry[] = "Left";
const char kRightEntry[] = "Right";
const char kChildRightEntry[] = "ChildRight";
const char kPlacementEntry[] = "MAPWP";
constexpr int kDefaultLeft = 330;
constexpr int kDefaultRight = 800;
constexpr int kDefaultChildRight = 780;
// The spin pane's share beside the output pane's "ChildRight".
constexpr int kSpinPaneShare = 25;

// The outer splitter: tree | right pane; the inner one: spin | output.
constexpr int kSplitterPanes = 2;
constexpr int kOuterMinimum = 30;
constexpr int kOuterBar = 3;
constexpr int kInnerMinimum = 10;
constexpr int kInnerBar = 0;

constexpr UINT kTreeIndent = 10;
const char kOutputFace[] = "Courier New";
constexpr int kOutputFontHeight = 15;
constexpr int kOutputFontWeight = FW_BOLD;

const char kConnected[] = "Connected";
const char kPollOutOfRange[] = "Error: Auto Poll Timer value is out of range.";

const UINT kIndicators[] = {ID_SEPARATOR, ID_SEPARATOR};

CRect ClientOf(const CWnd& window)
{
    CRect client;
    window.GetClientRect(&client);
    return client;
}

} // namespace

CEIPDiagnosticDlg::CEIPDiagnosticDlg(CWnd* pParent)
    : MyCDialogEx(IDD_DIAGNOSTIC, pParent),
      m_outerSplitter(kSplitterPanes, CSimpleSplitter::kSideBySide, kOuterMinimum, kOuterBar),
      m_innerSplitter(kSplitterPanes, CSimpleSplitter::kSideBySide, kInnerMinimum, kInnerBar)
{
    for (CBrush* brush : {&m_treePaneBrush, &m_rightPaneBrush, &m_spinPaneBrush, &m_outputPaneBrush})
        brush->CreateSolidBrush(RGB(255, 255, 255));
}

void CEIPDiagnosticDlg::DoDataExchange(CDataExchange* pDX)
{
    MyCDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DIAGNOSTIC_OUTPUT, m_output);
    DDX_Control(pDX, IDC_DIAGNOSTIC_SPIN, m_spin);
}

bool CEIPDiagnosticDlg::CreatePane(CSimpleSplitter& splitter, int index, CChildWnd& pane, CBrush& brush,
                                   DWORD exStyle)
{
    LPCSTR className = AfxRegisterWndClass(CS_DBLCLKS, nullptr, brush);
    // The pane paints nothing and only validates its area: without clipping that would validate the
    // controls it holds too, and they would never paint.
    return splitter.SetPane(index, &pane, WS_CLIPCHILDREN, exStyle, className) != FALSE;
}

BOOL CEIPDiagnosticDlg::OnInitDialog()
{
    MyCDialogEx::OnInitDialog();
    CWinApp* app = AfxGetApp();
    const int outerSizes[kSplitterPanes] = {
        static_cast<int>(app->GetProfileInt(kDiagnosticSection, kLeftEntry, kDefaultLeft)),
        static_cast<int>(app->GetProfileInt(kDiagnosticSection, kRightEntry, kDefaultRight))};
    const int innerSizes[kSplitterPanes] = {
        kSpinPaneShare, static_cast<int>(app->GetProfileInt(kDiagnosticSection, kChildRightEntry, kDefaultChildRight))};

    CreateBars(FALSE, TRUE, kIndicators, static_cast<int>(std::size(kIndicators)), 0, kToolBarStyle);
    const DWORD toolBarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
    if (!m_toolBar.CreateEx(this, TBSTYLE_FLAT, toolBarStyle, CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR) ||
        !m_toolBar.LoadToolBar(IDR_DIAGNOSTIC_TOOLBAR))
        return TRUE;

    m_outerSplitter.Create(this, AFX_IDW_PANE_FIRST);
    m_outerSplitter.SetPaneSizes(outerSizes);
    CreatePane(m_outerSplitter, 0, m_treePane, m_treePaneBrush, WS_EX_CLIENTEDGE);
    CreatePane(m_outerSplitter, 1, m_rightPane, m_rightPaneBrush, WS_EX_CLIENTEDGE);
    m_innerSplitter.Create(this, AFX_IDW_PANE_FIRST);
    m_innerSplitter.SetPaneSizes(innerSizes);
    CreatePane(m_innerSplitter, 0, m_spinPane, m_spinPaneBrush, 0);
    CreatePane(m_innerSplitter, 1, m_outputPane, m_outputPaneBrush, 0);
    m_innerSplitter.SetParent(&m_rightPane);
    m_innerSplitter.MoveWindow(ClientOf(m_rightPane));

    RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, AFX_IDW_PANE_FIRST);
    m_output.SetParent(&m_outputPane);
    LOGFONTA font = {};
    if (CFont* current = m_output.GetFont())
        current->GetLogFont(&font);
    lstrcpynA(font.lfFaceName, kOutputFace, LF_FACESIZE);
    font.lfHeight = kOutputFontHeight;
    font.lfWidth = 0;
    font.lfWeight = kOutputFontWeight;
    m_outputFont.CreateFontIndirect(&font);
    m_output.SetFont(&m_outputFont);

    CRect spin;
    m_spin.GetWindowRect(&spin);
    m_spinSize = spin.Size();
    m_spin.SetParent(&m_spinPane);
    m_tree.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                  ClientOf(m_treePane), &m_treePane, 0);
    m_tree.SetOutputWindows(&m_output, &m_spin);
    m_tree.SetIndent(kTreeIndent);
    FitPaneContents();

    RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, AFX_IDW_PANE_FIRST);
    std::vector<BYTE> placement;
    if (app->GetProfileBinary(kDiagnosticSection, kPlacementEntry, placement) &&
        placement.size() == sizeof(WINDOWPLACEMENT)) {
        WINDOWPLACEMENT stored = {};
        memcpy(&stored, placement.data(), sizeof stored);
        stored.length = sizeof stored;
        SetWindowPlacement(&stored);
    }

    if (!ConnectToModule()) {
        m_bFirstConnectFailed = true;
        AfxMessageBox(IDS_CONNECT_MODULE_ERROR);
        PostMessage(WM_CLOSE);
    }
    return TRUE;
}

bool CEIPDiagnosticDlg::ConnectToModule()
{
    const CMainDoc* doc = FindMainDocument();
    const CString address = doc != nullptr ? doc->project.eth0IPaddr : CString();
    if (!m_tree.BuildTree(address))
        return false;
    m_output.SetWindowText(kConnected);
    return true;
}

void CEIPDiagnosticDlg::FitPaneContents()
{
    if (m_treePane.m_hWnd != nullptr && m_tree.m_hWnd != nullptr)
        m_tree.MoveWindow(ClientOf(m_treePane));
    if (m_rightPane.m_hWnd != nullptr && m_innerSplitter.m_hWnd != nullptr)
        m_innerSplitter.MoveWindow(ClientOf(m_rightPane));
    // The spin control stands at the top of its pane, beside the output's first line.
    if (m_spinPane.m_hWnd != nullptr && m_spin.m_hWnd != nullptr)
        m_spin.MoveWindow(0, 0, m_spinSize.cx, std::min<int>(m_spinSize.cy, ClientOf(m_spinPane).Height()));
    if (m_outputPane.m_hWnd != nullptr && m_output.m_hWnd != nullptr)
        m_output.MoveWindow(ClientOf(m_outputPane));
}

void CEIPDiagnosticDlg::OnSize(UINT nType, int cx, int cy)
{
    if (m_outerSplitter.m_hWnd != nullptr)
        RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, AFX_IDW_PANE_FIRST);
    FitPaneContents();
    // A dragged bar asks for a new layout with an empty size: the bars get the real client area.
    if (cx == 0 && cy == 0 && nType == SIZE_RESTORED) {
        const CRect client = ClientOf(*this);
        cx = client.Width();
        cy = client.Height();
    }
    MyCDialogEx::OnSize(nType, cx, cy);
}

void CEIPDiagnosticDlg::OnConnect()
{
    ConnectToModule();
}

void CEIPDiagnosticDlg::OnOption()
{
    CDlg_DiagnosticOption option(this);
    option.DoModal();
}

void CEIPDiagnosticDlg::OnCloseCommand()
{
    if (IsModal())
        EndDialog(IDOK);
    else
        DestroyWindow();
}

void CEIPDiagnosticDlg::SaveLayout()
{
    CWinApp* app = AfxGetApp();
    app->WriteProfileInt(kDiagnosticSection, kLeftEntry, m_outerSplitter.GetPaneRect(0).Width());
    app->WriteProfileInt(kDiagnosticSection, kRightEntry, m_outerSplitter.GetPaneRect(1).Width());
    WINDOWPLACEMENT placement = {};
    if (GetWindowPlacement(&placement))
        app->WriteProfileBinary(kDiagnosticSection, kPlacementEntry, &placement, sizeof placement);
}

void CEIPDiagnosticDlg::OnDestroy()
{
    MyCDialogEx::OnDestroy();
    if (!m_bFirstConnectFailed)
        SaveLayout();
    EndDialog(IDOK);
}

void CEIPDiagnosticDlg::OnSpinDeltaPos(NMHDR*, LRESULT* pResult)
{
    m_nSpinTimer = SetTimer(kSpinTimerId, 1);
    *pResult = 0;
}

void CEIPDiagnosticDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (m_nSpinTimer != 0 && nIDEvent == m_nSpinTimer) {
        KillTimer(kSpinTimerId);
        m_nSpinTimer = 0;
        // A failed poll closes the window.
        m_tree.PollData();
        if (m_hWnd == nullptr)
            return;
    }
    MyCDialogEx::OnTimer(nIDEvent);
}

CDlg_DiagnosticOption::CDlg_DiagnosticOption(CWnd* pParent) : MyCDialogEx(IDD_DIAGNOSTIC_OPTION, pParent)
{
}

BOOL CDlg_DiagnosticOption::OnInitDialog()
{
    MyCDialogEx::OnInitDialog();
    const int period =
        static_cast<int>(AfxGetApp()->GetProfileInt(kDiagnosticSection, kAutoPollEntry, kDefaultShownPeriodMs));
    SetDlgItemInt(IDC_AUTO_POLL, static_cast<UINT>(period), TRUE);
    return TRUE;
}

void CDlg_DiagnosticOption::OnOK()
{
    CString text;
    GetDlgItemText(IDC_AUTO_POLL, text);
    const int period = std::atoi(text);
    if (period != 0 && (period < kLowestPeriodMs || period > kHighestPeriodMs)) {
        AfxMessageBox(kPollOutOfRange);
        return;
    }
    AfxGetApp()->WriteProfileInt(kDiagnosticSection, kAutoPollEntry, period);
    MyCDialogEx::OnOK();
}
