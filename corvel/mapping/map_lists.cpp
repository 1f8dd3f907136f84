#include "corvel/mapping/map_lists.h"

IMPLEMENT_DYNAMIC(CMapListTagDB, CGridList)
IMPLEMENT_DYNAMIC(CMapListTransaction, CGridList)
IMPLEMENT_DYNAMIC(CMapList3, CGridList)
IMPLEMENT_DYNAMIC(CMapList2, CListCtrl)

namespace {

using namespace Corvel::Mapping;

const char* const kFieldTitles[kCmdFieldCount] = {"Enable", "TagName", "MB Func", "MB Addr",
                                                  "Poll Interval", "Length", "Swap", "Description"};
const char* const kFunctionsA[] = {kFunctionReadRegisters, kFunctionWriteRegisters};
const char* const kFunctionsB[] = {kFunctionWrite, kFunctionRead};
const char* const kEnables[] = {kEnableDisable, kEnableContinuously, kEnableOnDataChange};
const char* const kSwaps[] = {kSwapNone, "Swap Word", "Swap Word and Byte", "Swap Bytes"};
constexpr int kNumberColumnWidth = 30;

template <size_t N>
std::unique_ptr<CColumnTrait> Choices(const char* const (&texts)[N])
{
    auto trait = std::make_unique<CColumnTraitCombo>();
    trait->SetStyle(CBS_DROPDOWNLIST | WS_VSCROLL);
    for (size_t i = 0; i < N; ++i)
        trait->AddItem(i, texts[i]);
    return trait;
}

} // namespace

BEGIN_MESSAGE_MAP(CMapList3, CGridList)
END_MESSAGE_MAP()

void CMapList3::SetDevice(Corvel::Records::CPLC_Device* device)
{
    m_device = device;
    SetMenuMode(0);
    SetBoundRecord(device);
}

void CMapList3::SetUpColumns(bool optimized, const int* widths)
{
    const int kind = m_device != nullptr ? m_device->devType : 0;
    InsertHiddenLabelColumn();
    InsertColumnTrait(1, "", LVCFMT_LEFT, kNumberColumnWidth, 1);
    GetColumnTrait(1)->SetEditable(false);
    // The row number is the order of the commands sent to the module: a click on its header must not reorder them.
    SetFirstColumnUnsortable(true);
    for (int field = 0; field < kCmdFieldCount; ++field) {
        std::unique_ptr<CColumnTrait> trait;
        switch (field) {
        case kCmdEnable:
            trait = Choices(kEnables);
            break;
        case kCmdFunction:
            trait = UsesPlainFunctions(kind) ? Choices(kFunctionsB) : Choices(kFunctionsA);
            break;
        case kCmdSwap:
            trait = Choices(kSwaps);
            break;
        case kCmdTagName:
            trait = std::make_unique<CColumnTraitText>();
            break;
        default:
            trait = std::make_unique<CColumnTraitEdit>();
            break;
        }
        const bool editable = field != kCmdTagName &&
                              (!optimized || (field != kCmdFunction && field != kCmdAddress && field != kCmdLength));
        trait->SetEditable(editable);
        const int col = kFirstFieldColumn + field;
        InsertColumnTrait(col, kFieldTitles[field], LVCFMT_LEFT, widths[field], col, std::move(trait));
    }
    InsertColumnTrait(kColumnCount - 1, "", LVCFMT_LEFT, widths[kCmdFieldCount], kColumnCount - 1);
    GetColumnTrait(kColumnCount - 1)->SetEditable(false);
}

void CMapList3::AppendRows(const CommandRows& rows)
{
    SetRedraw(FALSE);
    for (const CommandRow& row : rows) {
        const int at = InsertItem(GetItemCount(), row.empty() ? "" : static_cast<LPCSTR>(row[kCmdEnable]));
        CString number;
        number.Format("%d", at + 1);
        SetItemText(at, 1, number);
        for (int field = 0; field < kCmdFieldCount; ++field)
            SetItemText(at, kFirstFieldColumn + field, static_cast<size_t>(field) < row.size() ? row[field] : "");
        SetItemText(at, kColumnCount - 1, "");
    }
    SetRedraw(TRUE);
    Invalidate();
}

CommandRows CMapList3::GetRows() const
{
    CommandRows rows;
    const int count = GetItemCount();
    rows.reserve(static_cast<size_t>(count));
    for (int row = 0; row < count; ++row) {
        CommandRow fields(kCmdFieldCount);
        for (int field = 0; field < kCmdFieldCount; ++field)
            fields[field] = GetItemText(row, kFirstFieldColumn + field);
        rows.push_back(std::move(fields));
    }
    return rows;
}

void CMapList3::Renumber()
{
    for (int row = 0; row < GetItemCount(); ++row) {
        CString number;
        number.Format("%d", row + 1);
        if (GetItemText(row, 1) != number)
            SetItemText(row, 1, number);
    }
}

void CMapList3::RecalculateAddresses()
{
    if (m_device == nullptr)
        return;
    CommandRows rows = GetRows();
    Corvel::Mapping::RecalculateAddresses(rows, LeadingNumber(m_device->WStartReg), LeadingNumber(m_device->RStartReg));
    for (size_t row = 0; row < rows.size(); ++row) {
        const int item = static_cast<int>(row);
        if (GetItemText(item, kFirstFieldColumn + kCmdAddress) != rows[row][kCmdAddress])
            SetItemText(item, kFirstFieldColumn + kCmdAddress, rows[row][kCmdAddress]);
    }
}

void CMapList3::SetAllFields(int field, LPCSTR text)
{
    for (int row = 0; row < GetItemCount(); ++row)
        SetItemText(row, kFirstFieldColumn + field, text);
    m_changed = true;
}

void CMapList3::OnHeaderClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    CGridList::OnHeaderClick(pNMHDR, pResult);
    Renumber();
}

void CMapList3::OnDeleteSelected()
{
    CGridList::OnDeleteSelected();
    if (m_rowsRemoved)
        m_rowsRemoved();
}

BOOL CMapList3::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    // The grid list marks itself modified when the edit changed the cell's text.
    const bool modifiedBefore = IsModified();
    SetModified(false);
    const BOOL handled = CGridList::OnEndLabelEdit(pNMHDR, pResult);
    const bool edited = IsModified();
    SetModified(modifiedBefore || edited);
    if (edited) {
        m_changed = true;
        if (m_cellEdited)
            m_cellEdited();
    }
    return handled;
}

BEGIN_MESSAGE_MAP(CMapList2, CListCtrl)
    ON_NOTIFY_REFLECT(LVN_BEGINDRAG, OnBeginDrag)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

void CMapList2::SetDropTarget(CWnd* list, DropHandler handler)
{
    m_target = list;
    m_dropHandler = std::move(handler);
}

void CMapList2::Fill(const std::vector<DroppedTag>& tags)
{
    SetRedraw(FALSE);
    DeleteAllItems();
    for (const DroppedTag& tag : tags) {
        const int at = InsertItem(GetItemCount(), tag.tagName);
        SetItemText(at, 1, tag.dataType);
    }
    SetRedraw(TRUE);
    Invalidate();
}

std::vector<DroppedTag> CMapList2::TakeSelected()
{
    std::vector<DroppedTag> tags;
    std::vector<int> rows;
    for (int row = GetNextItem(-1, LVNI_SELECTED); row >= 0; row = GetNextItem(row, LVNI_SELECTED)) {
        tags.push_back({GetItemText(row, 0), GetItemText(row, 1)});
        rows.push_back(row);
    }
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
        DeleteItem(*row);
    return tags;
}

void CMapList2::DropSelected()
{
    const std::vector<DroppedTag> tags = TakeSelected();
    if (!tags.empty() && m_dropHandler) {
        m_changed = true;
        m_dropHandler(tags);
    }
}

bool CMapList2::IsOverTarget(CPoint point) const
{
    return m_target != nullptr && IsOver(m_target->m_hWnd, point);
}

bool CMapList2::IsOver(HWND window, CPoint point) const
{
    ClientToScreen(&point);
    const HWND over = CRowDrag::WindowAt(::GetAncestor(m_hWnd, GA_ROOT), point);
    return over != nullptr && (over == window || ::IsChild(window, over));
}

void CMapList2::OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const auto* info = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    CPoint screen = info->ptAction;
    ClientToScreen(&screen);
    m_drag.Begin(*this, info->iItem, screen);
    m_dragging = true;
    SetCapture();
}

void CMapList2::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_dragging) {
        CListCtrl::OnMouseMove(nFlags, point);
        return;
    }
    CPoint screen = point;
    ClientToScreen(&screen);
    m_drag.Move(screen);
    m_drag.ShowDropCursor(IsOverTarget(point) || IsOver(m_hWnd, point));
}

void CMapList2::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!m_dragging) {
        CListCtrl::OnLButtonUp(nFlags, point);
        return;
    }
    EndDrag(IsOverTarget(point));
}

void CMapList2::OnCaptureChanged(CWnd* pWnd)
{
    if (m_dragging)
        EndDrag(false);
    CListCtrl::OnCaptureChanged(pWnd);
}

void CMapList2::EndDrag(bool drop)
{
    m_dragging = false;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    m_drag.End();
    if (drop)
        DropSelected();
}
