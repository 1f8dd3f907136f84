#include "ostrel/app/tag.h"

#include "framework/msgbox.h"
#include "ostrel/grid/in_place_list.h"
#include "ostrel/monitor/monitor_limits.h"

#include <algorithm>
#include <cstdlib>

IMPLEMENT_DYNCREATE(Tag, CMonitorCell)

const char kArrayBoundText[] = "The array has more than 65535 elements; only the first 65535 are shown.";

namespace {

// The expand box: 15 pixels wide ending at the indentation, 13 high below a gap of 2.
constexpr int kBoxTop = 2;
constexpr int kBoxBottom = 15;
constexpr int kBoxLineInset = 3;
// The first choice of the Data Type list is the type itself; the others are the display formats 1 to 3.
const char* const kFormatChoices[] = {"Decimal", "Hex", "Binary"};

// Orders rows by the number of the compared cells, then by the row each came from (kept in the cell's data).
int CALLBACK CompareNumbersThenRows(LPARAM lParam1, LPARAM lParam2, LPARAM)
{
    const int byNumber = CMonitorGrid::CompareCellNumbers(lParam1, lParam2, 0);
    if (byNumber != 0)
        return byNumber;
    const LPARAM row1 = reinterpret_cast<const CMonitorCellBase*>(lParam1)->GetData();
    const LPARAM row2 = reinterpret_cast<const CMonitorCellBase*>(lParam2)->GetData();
    return row1 < row2 ? -1 : (row1 > row2 ? 1 : 0);
}

} // namespace

int Tag::FindRow()
{
    CMonitorGrid* pGrid = GetGrid();
    if (pGrid == nullptr)
        return -1;
    const int known = GetRow();
    if (known >= 1 && known < pGrid->GetRowCount() && pGrid->GetCell(known, kColumnName) == this)
        return known;
    for (int row = pGrid->GetFixedRowCount(); row < pGrid->GetRowCount(); ++row) {
        if (pGrid->GetCell(row, kColumnName) == this) {
            SetRow(row);
            return row;
        }
    }
    return -1;
}

void Tag::ShowText(int column, const CString& text)
{
    if (column == kColumnName) {
        SetText(text);
        return;
    }
    CMonitorGrid* pGrid = GetGrid();
    const int row = FindRow();
    if (pGrid == nullptr || row < 0)
        return;
    pGrid->SetItemText(row, column, text);
    if (column == kColumnValue)
        pGrid->RedrawCell(row, column);
    else if (column == kColumnDataType && HasNumberFormats(GetTypeCode()) && GetElementCount() == 0)
        OfferDisplayFormats(row);
}

void Tag::LockRow()
{
    CMonitorGrid* pGrid = GetGrid();
    const int row = FindRow();
    if (pGrid == nullptr || row < 0)
        return;
    for (int column = kColumnAddress; column < pGrid->GetColumnCount(); ++column) {
        if (column != kColumnValue)
            pGrid->SetItemState(row, column, pGrid->GetItemState(row, column) | CELL_READONLY);
    }
    SetState(GetState() | CELL_READONLY);
}

void Tag::OfferDisplayFormats(int row)
{
    CMonitorGrid* pGrid = GetGrid();
    if (!pGrid->SetCellType(row, kColumnDataType, RUNTIME_CLASS(CMonitorComboCell)))
        return;
    auto* pCell = static_cast<CMonitorComboCell*>(pGrid->GetCell(row, kColumnDataType));
    CStringArray choices;
    choices.Add(GetDataType());
    for (const char* choice : kFormatChoices)
        choices.Add(choice);
    pCell->SetOptions(choices);
    pCell->SetStyle(CBS_DROPDOWNLIST);
    pCell->SetState(pCell->GetState() & ~CELL_READONLY);
    pCell->SetChoiceHandler([pGrid](int nRow, int nIndex) {
        if (Tag* pTag = DYNAMIC_DOWNCAST(Tag, pGrid->GetCell(nRow, kColumnName)))
            pTag->SetDisplayFormat(nIndex);
    });
}

CRect Tag::ExpandBox(const CRect& rect) const
{
    const int right = rect.left + kTagIndent * GetLevel();
    return CRect(right - (kTagIndent - 1), rect.top + kBoxTop, right, rect.top + kBoxBottom);
}

BOOL Tag::GetTextRect(LPRECT pRect)
{
    if (!CMonitorCell::GetTextRect(pRect))
        return FALSE;
    // The text starts one pixel right of the indentation; the rectangle given is already inside the margin.
    pRect->left += kTagIndent * GetLevel() + 1 - static_cast<int>(GetMargin());
    if (pRect->left > pRect->right)
        pRect->left = pRect->right;
    return TRUE;
}

BOOL Tag::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd)
{
    SetRow(nRow);
    if (!CMonitorCell::Draw(pDC, nRow, nCol, rect, bEraseBkgnd))
        return FALSE;
    if (!IsExpandable())
        return TRUE;
    const CRect box = ExpandBox(rect);
    const int saved = pDC->SaveDC();
    CPen pen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    pDC->SelectObject(&pen);
    pDC->SelectStockObject(WHITE_BRUSH);
    pDC->Rectangle(box);
    CPen sign(PS_SOLID, 1, ::GetSysColor(COLOR_WINDOWTEXT));
    pDC->SelectObject(&sign);
    const int middleY = rect.top + 8;
    pDC->MoveTo(box.left + kBoxLineInset - 1, middleY);
    pDC->LineTo(box.right - kBoxLineInset + 1, middleY);
    if (!IsExpanded()) {
        const int middleX = rect.left + kTagIndent * GetLevel() - 7;
        pDC->MoveTo(middleX, box.top + kBoxLineInset - 1);
        pDC->LineTo(middleX, box.bottom - kBoxLineInset + 1);
    }
    pDC->RestoreDC(saved);
    return TRUE;
}

void Tag::OnClick(CPoint pointCellRelative)
{
    const int right = kTagIndent * GetLevel();
    if (!IsExpandable() || pointCellRelative.x < right - kTagIndent || pointCellRelative.x >= right)
        return;
    if (IsExpanded())
        Collapse();
    else
        Expand();
}

Tag* Tag::InsertChild(int row, const TagDefinition& definition)
{
    CMonitorGrid* pGrid = GetGrid();
    const int at = pGrid->InsertRow("", row < pGrid->GetRowCount() ? row : -1);
    if (at < 0 || !pGrid->SetCellType(at, kColumnName, RUNTIME_CLASS(Tag)))
        return nullptr;
    Tag* pTag = static_cast<Tag*>(pGrid->GetCell(at, kColumnName));
    pTag->SetRow(at);
    pTag->LockRow();
    pTag->Define(definition);
    TagDatabase::GetInstance().AddTag(definition.name, pTag);
    return pTag;
}

void Tag::Expand()
{
    CMonitorGrid* pGrid = GetGrid();
    const int row = FindRow();
    if (pGrid == nullptr || row < 0 || IsExpanded() || !IsExpandable())
        return;
    TagDatabase& database = TagDatabase::GetInstance();
    TagDefinition child;
    child.comment = GetComment();
    child.level = GetLevel() + 1;
    int inserted = 0;
    if (GetElementCount() > 0) {
        child.dataType = GetDataType();
        child.isStructure = database.FindDataType(GetDataType()) != nullptr;
        // The element count comes from the module: the rows made for it are bounded.
        const int elements = std::min(GetElementCount(), kMaxExpandedElements);
        if (GetElementCount() > kMaxExpandedElements)
            AfxMessageBox(kArrayBoundText, MB_OK | MB_ICONWARNING);
        for (int i = 0; i < elements; ++i) {
            child.name.Format("%s[%d]", (LPCSTR)GetName(), i);
            if (InsertChild(row + inserted + 1, child) != nullptr)
                ++inserted;
        }
    } else if (const std::vector<TagMember>* members = database.FindDataType(GetDataType())) {
        child.comment.Empty();
        for (const TagMember& member : *members) {
            child.name = GetName() + "." + member.name;
            child.dataType = member.dataType;
            child.elementCount = member.elementCount;
            child.isStructure = database.FindDataType(member.dataType) != nullptr;
            if (InsertChild(row + inserted + 1, child) != nullptr)
                ++inserted;
        }
    }
    m_expanded = true;
    m_childCount = inserted;
    SetRow(row);
    if (inserted > 0) {
        try {
            database.RefreshRows(row + 1, row + inserted);
        } catch (int) {
            // The module is away: the new rows wait for the next refresh.
        }
    }
    pGrid->Invalidate();
}

void Tag::Collapse()
{
    CMonitorGrid* pGrid = GetGrid();
    const int row = FindRow();
    if (pGrid == nullptr || row < 0 || !IsExpanded())
        return;
    TagDatabase& database = TagDatabase::GetInstance();
    // Every deeper row directly below belongs to this tag, whatever was expanded inside it.
    int last = row;
    while (last + 1 < pGrid->GetRowCount()) {
        Tag* pChild = DYNAMIC_DOWNCAST(Tag, pGrid->GetCell(last + 1, kColumnName));
        if (pChild == nullptr || pChild->GetLevel() <= GetLevel())
            break;
        ++last;
    }
    for (int child = row + 1; child <= last; ++child) {
        if (Tag* pChild = DYNAMIC_DOWNCAST(Tag, pGrid->GetCell(child, kColumnName)))
            database.RemoveTag(pChild->GetName());
    }
    pGrid->DeleteRows(row + 1, last - row);
    m_expanded = false;
    m_childCount = 0;
    pGrid->Invalidate();
}

int CGridTagTable::GetLastRow() const
{
    return m_grid.GetRowCount() - 1;
}

Tag* CGridTagTable::GetTagCell(int row) const
{
    if (row < 1 || row >= m_grid.GetRowCount())
        return nullptr;
    return DYNAMIC_DOWNCAST(Tag, m_grid.GetCell(row, kColumnName));
}

TagItem* CGridTagTable::GetTag(int row) const
{
    return GetTagCell(row);
}

TagItem* CGridTagTable::AppendTag()
{
    const int row = m_grid.InsertRow("");
    if (row < 0 || !m_grid.SetCellType(row, kColumnName, RUNTIME_CLASS(Tag)))
        return nullptr;
    Tag* pTag = GetTagCell(row);
    pTag->SetRow(row);
    pTag->LockRow();
    return pTag;
}

CString CGridTagTable::GetText(int row, int column) const
{
    return m_grid.GetItemText(row, column);
}

void CGridTagTable::HideColumn(int column)
{
    m_grid.SetColumnWidth(column, 0);
}

void CGridTagTable::SortRowsByNumber(int column)
{
    for (int row = 1; row < m_grid.GetRowCount(); ++row)
        m_grid.SetItemData(row, column, row);
    m_grid.SortItems(CompareNumbersThenRows, column, TRUE, 0, 1, -1);
    m_grid.Refresh();
}

void CGridTagTable::NumberRows()
{
    CString number;
    for (int row = 1; row < m_grid.GetRowCount(); ++row) {
        number.Format("%d", row);
        m_grid.SetItemText(row, kColumnNumber, number);
    }
}
