#include "corvel/mapping/record_view_dlg.h"

#include "corvel/document/main_doc.h"
#include "corvel/resources/resource.h"

#include <memory>

using Corvel::Mapping::CTagDBRecord;
using Corvel::Mapping::CTransactionRecord;

IMPLEMENT_DYNAMIC(CRecordViewDlg, MyCDialogEx)
IMPLEMENT_DYNAMIC(CDlgTagDBView, CRecordViewDlg)
IMPLEMENT_DYNAMIC(CDlgTransactionView, CRecordViewDlg)

BEGIN_MESSAGE_MAP(CRecordViewDlg, MyCDialogEx)
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

const UINT kIndicators[] = {ID_SEPARATOR};
constexpr UINT kApplicationIcon = 128;

} // namespace

CRecordViewDlg::CRecordViewDlg(UINT nIDTemplate, CGridList& list) : MyCDialogEx(nIDTemplate, nullptr), m_listRef(list)
{
}

BOOL CRecordViewDlg::OnInitDialog()
{
    MyCDialogEx::OnInitDialog();
    SetIcon(::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kApplicationIcon)), TRUE);
    CRect client;
    GetClientRect(&client);
    m_listRef.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_EDITLABELS, client, this, 0);
    CreateBars(FALSE, TRUE, kIndicators, static_cast<int>(std::size(kIndicators)), 0, kToolBarStyle);
    RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0);
    m_pList = &m_listRef;
    InsertColumns();
    FillList();
    m_pList->SetEmptyListText("");
    GetClientRect(&client);
    PlaceList(client.Width(), client.Height());
    return TRUE;
}

void CRecordViewDlg::OnSize(UINT nType, int cx, int cy)
{
    MyCDialogEx::OnSize(nType, cx, cy);
    PlaceList(cx, cy);
}

void CRecordViewDlg::PlaceList(int cx, int cy)
{
    if (m_pList == nullptr || m_pList->m_hWnd == nullptr)
        return;
    m_pList->MoveWindow(0, 0, cx, cy - kStatusStrip);
    m_pList->Invalidate();
}

void CRecordViewDlg::InsertRecordColumns(int count, CString (*title)(int))
{
    m_pList->SetDefaultRowTrait(std::make_unique<CRowTraitXP>());
    m_pList->InsertHiddenLabelColumn();
    for (int column = 0; column < count; ++column) {
        const CString text = title(column);
        m_pList->InsertColumnTrait(column + 1, text, LVCFMT_LEFT, text.GetLength() + kColumnExtraWidth, column + 1);
    }
}

void CRecordViewDlg::AppendRow(const CString (&cells)[3])
{
    m_pList->InsertRowTexts(-1, 4, cells[0], cells[0], cells[1], cells[2]);
}

CDlgTagDBView::CDlgTagDBView() : CRecordViewDlg(IDD_TAG_DB_VIEW, m_list) {}

void CDlgTagDBView::InsertColumns()
{
    InsertRecordColumns(CTagDBRecord::kColumnCount, &CTagDBRecord::GetColumnTitle);
}

void CDlgTagDBView::FillList()
{
    const CMainDoc* doc = FindMainDocument();
    if (doc == nullptr)
        return;
    for (const CTagDBRecord& record : Corvel::Mapping::BuildTagDBRecords(doc->project))
        AppendRow({record.GetCell(0), record.GetCell(1), record.GetCell(2)});
}

CDlgTransactionView::CDlgTransactionView() : CRecordViewDlg(IDD_TRANSACTION_VIEW, m_list) {}

void CDlgTransactionView::InsertColumns()
{
    InsertRecordColumns(CTransactionRecord::kColumnCount, &CTransactionRecord::GetColumnTitle);
}

void CDlgTransactionView::FillList()
{
    const CMainDoc* doc = FindMainDocument();
    if (doc == nullptr)
        return;
    for (const CTransactionRecord& record : Corvel::Mapping::BuildTransactionRecords(doc->project))
        AppendRow({record.GetCell(0), record.GetCell(1), record.GetCell(2)});
}

CString CDlgTransactionView::FindTagPath(const CString& tagName)
{
    const CMainDoc* doc = FindMainDocument();
    return doc != nullptr ? Corvel::Mapping::FindTagPath(doc->project, tagName) : CString(Corvel::Mapping::kPathNotFound);
}
