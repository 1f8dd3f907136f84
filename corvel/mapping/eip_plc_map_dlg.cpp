#include "corvel/mapping/eip_plc_map_dlg.h"

#include "corvel/document/main_doc.h"
#include "corvel/resources/resource.h"
#include "corvel/model/eip_status_rows.h"
#include "framework/handles.h"
#include "framework/msgbox.h"

namespace Corvel::Mapping {

using Corvel::Records::_TAGS;

namespace {

const char kDiagnosticRows[] = "Diagnostic tags cannot be deleted.";
const char kGetCurSelFailed[] = "ERROR: 'GetCurSel()' failed ...";
const char kResetQuestion[] = "Are you sure that you want to remove all tags that have been assigned?";
const CRect kTagListPlace(5, 10, 5 + 330, 10 + 575);
const CPoint kConnLabel(838, 8);
constexpr int kLabelPoints = 10;
constexpr int kUpperRangeFirst = 10;
const UINT kEditingButtons[] = {IDC_EIP_ASSIGN, IDC_EIP_AUTO_ASSIGN, IDC_EIP_UNDO, IDC_EIP_RESET_ALL};

} // namespace

IMPLEMENT_DYNAMIC(CEIPMapListCtrl, CGridList)

_TAGS* CEIPMapListCtrl::GetRowTag(int row) const
{
    return reinterpret_cast<_TAGS*>(GetItemData(row));
}

std::vector<_TAGS*> CEIPMapListCtrl::GetSelectedTags() const
{
    std::vector<_TAGS*> tags;
    for (int row = GetNextItem(-1, LVNI_SELECTED); row >= 0; row = GetNextItem(row, LVNI_SELECTED)) {
        if (_TAGS* tag = GetRowTag(row))
            tags.push_back(tag);
    }
    return tags;
}

bool CEIPMapListCtrl::GetRowColor(int row, COLORREF& textColor, COLORREF& backColor)
{
    const _TAGS* tag = GetRowTag(row);
    if (tag == nullptr)
        return false;
    textColor = RGB(0, 0, 0);
    backColor = EipTagClassColour(tag->tagType);
    return true;
}

IMPLEMENT_DYNAMIC(CEIPPLCMapDlg, MyCDialogEx)

BEGIN_MESSAGE_MAP(CEIPPLCMapDlg, MyCDialogEx)
    ON_WM_PAINT()
    ON_BN_CLICKED(IDC_EIP_ASSIGN, &CEIPPLCMapDlg::OnAssign)
    ON_BN_CLICKED(IDC_EIP_AUTO_ASSIGN, &CEIPPLCMapDlg::OnAutoAssign)
    ON_BN_CLICKED(IDC_EIP_UNDO, &CEIPPLCMapDlg::OnUndo)
    ON_BN_CLICKED(IDC_EIP_RESET_ALL, &CEIPPLCMapDlg::OnResetAll)
    ON_BN_CLICKED(IDC_EIP_RANGE, &CEIPPLCMapDlg::OnRange)
    ON_NOTIFY(LVN_BEGINDRAG, CEIPPLCMapDlg::kTagListId, &CEIPPLCMapDlg::OnBeginDrag)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

CEIPPLCMapDlg::CEIPPLCMapDlg(CWnd* pParent) : MyCDialogEx(IDD_EIP_PLC_MAPPING, pParent), m_doc(FindMainDocument())
{
}

void CEIPPLCMapDlg::DoDataExchange(CDataExchange* pDX)
{
    MyCDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EIP_TABS, m_tabs);
    DDX_Control(pDX, IDC_EIP_SLIDER, m_slider);
}

BOOL CEIPPLCMapDlg::OnInitDialog()
{
    MyCDialogEx::OnInitDialog();
    m_tagList.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS, kTagListPlace,
                     this, kTagListId);
    m_tagList.SetExtendedStyle(m_tagList.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    m_tagList.InsertHiddenLabelColumn();
    m_tagList.InsertColumnTrait(1, "Name", LVCFMT_LEFT, 250, 1);
    m_tagList.InsertColumnTrait(2, "Type", LVCFMT_LEFT, 75, 2);
    if (m_doc == nullptr) {
        EnableEditing(false);
        return TRUE;
    }

    m_slider.Setup(&m_tabs);
    m_slider.refreshLists = [this] { m_tabs.Refresh(); };
    m_slider.usedSize = [this](int tab, int conn) {
        return tab == CCustomSlider::kInputTab ? m_doc->tagsINP.GetUsedSize(conn) : m_doc->tagsOUT.GetUsedSize(conn);
    };
    m_tabs.Build(m_doc, &m_slider);
    for (int tab = 0; tab < 3; ++tab)
        m_tabs.GetPage(tab).SetDeleteHandler([this] { OnUndo(); });

    FillTagList();
    if (m_doc->project.tags.IsEmpty())
        EnableEditing(false);

    m_rpiLimitInfo.Refresh(m_doc->project);
    m_tabs.SetRpiLimit(atoi(m_rpiLimitInfo.rpiLimit));
    bool overLimit = false;
    m_statusNote = Corvel::Records::ComposeProjectNote(m_rpiLimitInfo, overLimit);
    SetDlgItemText(IDC_EIP_STATUS, m_statusNote);
    if (m_rpiLimitInfo.portSetting == 1)
        GetDlgItem(IDC_EIP_RANGE)->ShowWindow(SW_HIDE);
    if (overLimit || m_rpiLimitInfo.iedCount == 0)
        EnableEditing(false);
    return TRUE;
}

void CEIPPLCMapDlg::EnableEditing(bool enable)
{
    for (UINT id : kEditingButtons)
        GetDlgItem(id)->EnableWindow(enable);
}

void CEIPPLCMapDlg::RefreshConnections()
{
    m_tabs.Refresh();
    if (m_slider.GetSafeHwnd() != nullptr)
        m_slider.Invalidate();
}

void CEIPPLCMapDlg::SelectTab(int tab)
{
    m_tabs.SetActiveTab(tab);
    RefreshConnections();
}

void CEIPPLCMapDlg::SetSelectedConnection(int connection)
{
    m_slider.SetSelectedConnection(connection);
    RefreshConnections();
}

void CEIPPLCMapDlg::FillTagList()
{
    if (m_doc == nullptr || m_doc->project.tags.IsEmpty())
        return;
    m_tagList.SetRedraw(FALSE);
    m_tagList.DeleteAllItems();
    const std::vector<_TAGS*> candidates = m_tabs.GetAssignment().FillCandidates();
    ShowListMessages();
    for (_TAGS* tag : candidates) {
        const int row = m_tagList.InsertRowTexts(-1, 3, "", static_cast<LPCSTR>(tag->tagName),
                                                 static_cast<LPCSTR>(tag->dataType));
        m_tagList.SetItemData(row, reinterpret_cast<DWORD_PTR>(tag));
    }
    m_tagList.SetRedraw(TRUE);
    m_tagList.Invalidate();
    RefreshConnections();
}

// Up and Page Up choose the previous connection, Down and Page Down the next one.
BOOL CEIPPLCMapDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN) {
        int direction = -1;
        if (pMsg->wParam == VK_UP || pMsg->wParam == VK_PRIOR)
            direction = 0;
        else if (pMsg->wParam == VK_DOWN || pMsg->wParam == VK_NEXT)
            direction = 1;
        if (direction >= 0) {
            m_slider.SetPositionFromButtonText(direction);
            RefreshConnections();
            return TRUE;
        }
    }
    return MyCDialogEx::PreTranslateMessage(pMsg);
}

void CEIPPLCMapDlg::OnAssign()
{
    if (m_doc == nullptr)
        return;
    CWaitCursor wait;
    const std::vector<_TAGS*> selected = m_tagList.GetSelectedTags();
    const int tab = m_tabs.GetCurSel();
    const int notes = m_tabs.GetAssignment().Assign(selected, tab, GetSelectedConnection());
    ShowListMessages();
    RefreshConnections();
    for (int row = m_tagList.GetItemCount() - 1; row >= 0; --row) {
        const _TAGS* tag = m_tagList.GetRowTag(row);
        if (m_tagList.GetItemState(row, LVIS_SELECTED) != 0 && tag != nullptr &&
            m_tabs.GetAssignment().IsInAnyList(tag->tagName))
            m_tagList.DeleteItem(row);
    }
    for (int note = 0; note < 4; ++note) {
        if ((notes & (1 << note)) != 0)
            AfxMessageBox(Corvel::Records::kEipAssignNotes[note]);
    }
}

void CEIPPLCMapDlg::OnAutoAssign()
{
    if (m_doc == nullptr || m_doc->project.tags.IsEmpty())
        return;
    CWaitCursor wait;
    std::vector<CString> unhandled;
    m_tabs.GetAssignment().AutoAssign(unhandled);
    ShowListMessages();
    for (const CString& text : unhandled)
        AfxMessageBox(text);
    FillTagList();
}

void CEIPPLCMapDlg::RemoveSelectedRows()
{
    const int tab = m_tabs.GetCurSel();
    CEIPMapListPage& page = m_tabs.GetPage(tab);
    std::vector<CString> names;
    bool statusRows = false;
    for (int row = page.GetNextItem(-1, LVNI_SELECTED); row >= 0; row = page.GetNextItem(row, LVNI_SELECTED)) {
        if (const _TAGS* tag = page.GetRowTag(row))
            names.push_back(tag->tagName);
        else
            statusRows = true;
    }
    if (statusRows)
        AfxMessageBox(kDiagnosticRows);
    std::vector<CString> errors;
    m_tabs.GetAssignment().RemoveTags(tab, names, errors);
    ShowListMessages();
    for (const CString& error : errors)
        AfxMessageBox(error);
    FillTagList();
    RefreshConnections();
}

void CEIPPLCMapDlg::OnUndo()
{
    if (m_doc == nullptr)
        return;
    const int tab = m_tabs.GetCurSel();
    if (tab < 0 || tab > 2) {
        AfxMessageBox(kGetCurSelFailed);
        return;
    }
    if (m_tabs.GetPage(tab).GetSelectedCount() > 0) {
        RemoveSelectedRows();
    } else if (m_tabs.GetAssignment().UndoLast()) {
        ShowListMessages();
        FillTagList();
    } else {
        AfxMessageBox(Corvel::Records::kNothingToUndo);
    }
    if (tab == Corvel::Records::kEipInputTab)
        m_doc->tagsINP.ComputeConnectionSizes();
    else if (tab == Corvel::Records::kEipOutputTab)
        m_doc->tagsOUT.ComputeConnectionSizes();
    ShowListMessages();
    if (m_slider.GetSafeHwnd() != nullptr)
        m_slider.Invalidate();
}

void CEIPPLCMapDlg::ShowListMessages()
{
    AfxReportErrors(m_tabs.GetAssignment().TakeMessages());
}

void CEIPPLCMapDlg::OnResetAll()
{
    if (m_doc == nullptr || !m_tabs.GetAssignment().HasAssignments())
        return;
    if (AfxMessageBox(kResetQuestion, MB_YESNO) != IDYES)
        return;
    m_tabs.GetAssignment().ResetAll();
    FillTagList();
    RefreshConnections();
}

void CEIPPLCMapDlg::OnRange()
{
    CString caption;
    GetDlgItemText(IDC_EIP_RANGE, caption);
    const bool showLower = caption == kLowerRangeCaption;
    SetDlgItemText(IDC_EIP_RANGE, showLower ? kUpperRangeCaption : kLowerRangeCaption);
    SetSelectedConnection(showLower ? kUpperRangeFirst : 0);
}

void CEIPPLCMapDlg::OnOK()
{
    if (m_doc != nullptr) {
        m_tabs.GetAssignment().Commit();
        m_doc->SetModified(true);
    }
    MyCDialogEx::OnOK();
}

void CEIPPLCMapDlg::OnCancel()
{
    if (m_doc != nullptr)
    {
        m_tabs.GetAssignment().Rollback();
        ShowListMessages();
    }
    MyCDialogEx::OnCancel();
}

void CEIPPLCMapDlg::OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const auto* info = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    CPoint screen = info->ptAction;
    m_tagList.ClientToScreen(&screen);
    m_drag.Begin(m_tagList, info->iItem, screen);
    m_dragging = true;
    SetCapture();
}

void CEIPPLCMapDlg::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_dragging) {
        CPoint screen = point;
        ClientToScreen(&screen);
        m_drag.Move(screen);
    }
    MyCDialogEx::OnMouseMove(nFlags, point);
}

void CEIPPLCMapDlg::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!m_dragging) {
        MyCDialogEx::OnLButtonUp(nFlags, point);
        return;
    }
    ClientToScreen(&point);
    EndDrag(true, point);
}

// Another window took the mouse: the drag ends without a drop.
void CEIPPLCMapDlg::OnCaptureChanged(CWnd* pWnd)
{
    if (m_dragging)
        EndDrag(false, CPoint());
    MyCDialogEx::OnCaptureChanged(pWnd);
}

void CEIPPLCMapDlg::EndDrag(bool drop, CPoint screenPoint)
{
    m_dragging = false;
    ReleaseCapture();
    m_drag.End();
    CWnd* assignButton = GetDlgItem(IDC_EIP_ASSIGN);
    CListCtrl* target = drop ? FindListAt(screenPoint) : nullptr;
    if (target != nullptr && assignButton != nullptr && assignButton->IsWindowEnabled()) {
        OnAssign();
        target->RedrawWindow();
    }
}

CListCtrl* CEIPPLCMapDlg::FindListAt(CPoint screenPoint)
{
    const HWND window = CRowDrag::WindowAt(m_hWnd, screenPoint);
    if (window == nullptr)
        return nullptr;
    if (window == m_tagList.m_hWnd)
        return &m_tagList;
    for (int tab = 0; tab < 3; ++tab) {
        if (window == m_tabs.GetPage(tab).m_hWnd)
            return &m_tabs.GetPage(tab);
    }
    return nullptr;
}

void CEIPPLCMapDlg::OnPaint()
{
    CPaintDC dc(this);
    CFont font;
    font.CreatePointFont(kLabelPoints * 10, "MS Shell Dlg", &dc);
    CFont* old = dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(kConnLabel.x, kConnLabel.y, "Conn");
    dc.SelectObject(old);
}

} // namespace Corvel::Mapping
