#include "corvel/mapping/ied_map_dlg.h"

#include "corvel/document/main_doc.h"
#include "corvel/resources/resource.h"
#include "corvel/document/document_frame.h"

#include <algorithm>
#include <iterator>
#include <set>
#include <utility>

IMPLEMENT_DYNAMIC(CIEDMapListCtrl, CGridList)
IMPLEMENT_DYNAMIC(CIEDMapDlg, CMappingDialog)

namespace {

using namespace Corvel::Mapping;

const char kSection[] = "Mapper";
constexpr int kDefaultColumnWidth = 100;
constexpr int kTreeImageSize = 16;
constexpr UINT kSplitterId = 59648;
constexpr UINT kTreeId = 1;
constexpr UINT kListId = 2;
const char* const kHeaders[] = {"61850 Path", "TagName", "Type", "Access", "Description"};
constexpr int kTypeColumn = 3;
const char kArrayQuestion[] =
    "individual elements of an array cannot be deleted. Do you want to delete the entire array?";
const char kArrayCaption[] = "Deleting tags ...";
// Array elements are looked up by number when a whole array is deleted.
constexpr int kArrayElementsTried = kMaxArrayElements;

// The text of a path before its first "[" and from its first "]" on: the same for every element of an array.
CString ArrayKey(const CString& path)
{
    const int open = path.Find('[');
    const int close = open < 0 ? -1 : path.Find(']', open);
    return open < 0 || close < 0 ? path : path.Left(open) + "[]" + path.Mid(close + 1);
}

// The field of a row that a column shows, or null.
template <class Row>
auto Field(Row& row, int col) -> decltype(&row.path)
{
    switch (col) {
    case 1:
        return &row.path;
    case 2:
        return &row.tagName;
    case 3:
        return &row.type;
    case 4:
        return &row.access;
    case 5:
        return &row.description;
    default:
        return nullptr;
    }
}

} // namespace

BEGIN_MESSAGE_MAP(CIEDMapListCtrl, CGridList)
END_MESSAGE_MAP()

void CIEDMapListCtrl::SetUpColumns(const int* widths)
{
    SetDefaultRowTrait(std::make_unique<CRowTraitXP>());
    InsertHiddenLabelColumn();
    for (int i = 0; i < 5; ++i) {
        std::unique_ptr<CColumnTrait> trait;
        if (i == 1 || i == 4)
            trait = std::make_unique<CColumnTraitEdit>();
        else
            trait = std::make_unique<CColumnTraitText>();
        trait->SetEditable(i == 1 || i == 4);
        InsertColumnTrait(i + 1, kHeaders[i], LVCFMT_LEFT, widths[i], i + 1, std::move(trait));
    }
}

void CIEDMapListCtrl::ShowRowCount()
{
    SetItemState(-1, 0, LVIS_SELECTED);
    SendMessage(LVM_SETITEMCOUNT, m_rows.size(), LVSICF_NOSCROLL);
    Invalidate();
}

void CIEDMapListCtrl::AppendRows(const MappedRows& rows)
{
    AppendRows(MappedRows(rows));
}

void CIEDMapListCtrl::AppendRows(MappedRows&& rows)
{
    if (m_rows.empty())
        m_rows = std::move(rows);
    else
        m_rows.insert(m_rows.end(), std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    SendMessage(LVM_SETITEMCOUNT, m_rows.size(), LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
    Invalidate();
}

CString CIEDMapListCtrl::CellText(const MappedRow& row, int col) const
{
    if (col == kTypeColumn)
        return TypeColumnText(m_types, row.type);
    const CString* field = Field(row, col);
    return field != nullptr ? *field : CString();
}

bool CIEDMapListCtrl::GetCellText(int row, int col, CString& text)
{
    if (row < 0 || static_cast<size_t>(row) >= m_rows.size())
        return false;
    text = CellText(m_rows[static_cast<size_t>(row)], col);
    return true;
}

bool CIEDMapListCtrl::AcceptCellEdit(CColumnTrait*, CWnd*, NMLVDISPINFOA* pInfo)
{
    const int row = pInfo->item.iItem;
    if (row < 0 || static_cast<size_t>(row) >= m_rows.size())
        return false;
    if (CString* field = Field(m_rows[static_cast<size_t>(row)], pInfo->item.iSubItem))
        *field = pInfo->item.pszText;
    InvalidateRow(row);
    return true;
}

bool CIEDMapListCtrl::SortColumn(int col, bool ascending)
{
    CColumnTrait* trait = GetColumnTrait(col);
    if (trait == nullptr || col < 1 || col >= kColumnCount)
        return false;
    if (col == kTypeColumn) {
        std::stable_sort(m_rows.begin(), m_rows.end(), [&](const MappedRow& first, const MappedRow& second) {
            return trait->OnSortRows(CellText(first, col), CellText(second, col), ascending) < 0;
        });
    } else {
        std::stable_sort(m_rows.begin(), m_rows.end(), [&](const MappedRow& first, const MappedRow& second) {
            return trait->OnSortRows(*Field(first, col), *Field(second, col), ascending) < 0;
        });
    }
    ShowRowCount();
    return true;
}

void CIEDMapListCtrl::DeleteAllRows()
{
    m_rows.clear();
    ShowRowCount();
}

void CIEDMapListCtrl::DeleteSelectedRows()
{
    std::vector<bool> selected(m_rows.size(), false);
    for (int row = GetNextItem(-1, LVNI_SELECTED); row >= 0; row = GetNextItem(row, LVNI_SELECTED))
        if (static_cast<size_t>(row) < m_rows.size())
            selected[static_cast<size_t>(row)] = true;
    bool asked = false;
    bool wholeArrays = false;
    std::set<CString> arrays;
    for (size_t row = 0; row < m_rows.size(); ++row) {
        if (!selected[row] || m_rows[row].path.Find('[') < 0)
            continue;
        if (!asked) {
            asked = true;
            wholeArrays = AfxMessageBox(kArrayQuestion, MB_YESNO) == IDYES;
        }
        if (wholeArrays)
            arrays.insert(ArrayKey(m_rows[row].path));
    }
    // Every element of a chosen array goes, whatever its number; then the selected plain rows. Array rows
    // that stay are deselected.
    const auto goes = [&](size_t row) {
        const bool element = m_rows[row].path.Find('[') >= 0;
        return element ? arrays.count(ArrayKey(m_rows[row].path)) != 0 : selected[row];
    };
    Corvel::Records::ConfiguredRows removed;
    for (size_t row = m_rows.size(); row-- > 0;)
        if (goes(row))
            removed.push_back({m_rows[row].path, m_rows[row].tagName});
    size_t kept = 0;
    for (size_t row = 0; row < m_rows.size(); ++row) {
        if (goes(row))
            continue;
        if (kept != row)
            m_rows[kept] = std::move(m_rows[row]);
        ++kept;
    }
    m_rows.resize(kept);
    ShowRowCount();
    if (m_document != nullptr && !removed.empty())
        m_document->RemoveDeviceTagsFromConnections(removed);
}

void CIEDMapListCtrl::OnDeleteSelected()
{
    DeleteSelectedRows();
}

BOOL CIEDMapListCtrl::OnItemClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    const BOOL handled = CGridList::OnItemClick(pNMHDR, pResult);
    SetRedraw(TRUE);
    Invalidate();
    return handled;
}

BEGIN_MESSAGE_MAP(CIEDMapDlg, CMappingDialog)
    ON_COMMAND(ID_IED_MAPPING_SAVE, &CIEDMapDlg::OnSave)
    ON_COMMAND(ID_IED_MAPPING_CANCEL, &CIEDMapDlg::OnCancelCommand)
    ON_COMMAND(ID_IED_MAPPING_CLEAR_ALL, &CIEDMapDlg::OnClearAll)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CIEDMapDlg::CIEDMapDlg(CWnd* pParent)
    : CMappingDialog(IDD_IED_MAPPING, pParent, kSection, kSplitterId)
{
}

CIEDMapDlg::~CIEDMapDlg() = default;

void CIEDMapDlg::SetProject(CMainDoc* document, int deviceId)
{
    m_document = document;
    m_deviceId = deviceId;
    m_projectGiven = true;
}

Corvel::Records::_IED_DEVICE* CIEDMapDlg::FindDevice() const
{
    if (m_document == nullptr)
        return nullptr;
    return Corvel::Records::FindDevice(m_document->project.iedDevices, m_deviceId);
}

BOOL CIEDMapDlg::OnInitDialog()
{
    MyCDialogEx::OnInitDialog();
    if (!m_projectGiven) {
        m_document = FindMainDocument();
        m_deviceId = CurrentDeviceId();
    }
    SetIcon(::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(128)), TRUE);
    CreateLayout(IDS_IED_MAPPING_TITLE, IDR_IED_MAPPING_ACCEL);
    CWinApp* app = AfxGetApp();

    m_list.Create(CIEDMapListCtrl::kStyle, ClientOf(m_rightPane), &m_rightPane, kListId);
    m_list.SetDocument(m_document);
    // The row menu offers Delete alone, and the Delete key deletes as it does.
    m_list.SetMenuMode(CGridList::kMenuModeDelete);
    int widths[5];
    for (int i = 0; i < 5; ++i) {
        widths[i] = static_cast<int>(app->GetProfileInt(kSection, ColumnEntry(i), kDefaultColumnWidth));
        if (widths[i] >= 1 && widths[i] <= 4)
            widths[i] = kDefaultColumnWidth;
    }
    m_list.SetUpColumns(widths);

    m_images.Create(kTreeImageSize, kTreeImageSize, ILC_COLOR24, 1, 1);
    CBitmap bitmap;
    bitmap.LoadBitmap(IDB_DIAGNOSTIC_TREE);
    m_images.Add(&bitmap, static_cast<CBitmap*>(nullptr));
    m_tree.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                      TVS_SHOWSELALWAYS,
                  ClientOf(m_leftPane), &m_leftPane, kTreeId);
    m_tree.SetMultiSelect(true);
    m_tree.SetDropTarget(&m_list, [this] { MapSelection(); });
    m_tree.SetImageList(&m_images, TVSIL_NORMAL);
    if (m_document != nullptr)
        m_tree.SetProject(m_document, m_deviceId);

    FinishLayout();

    if (!m_sclPath.IsEmpty() && !m_tree.LoadIedModelFromScl(m_sclPath)) {
        // Nothing is shown or written: the dialog ends at once.
        DropLayout();
        EndMapping(IDABORT);
        return TRUE;
    }
    if (const CMainDoc::_IED_DEVICE* device = FindDevice()) {
        MappedRows rows = LoadStoredRows(*device);
        m_totalDataSize = TotalDataSize(rows);
        m_list.AppendRows(std::move(rows));
    }
    m_openingRows = m_list.GetItemCount();
    return TRUE;
}

void CIEDMapDlg::MapSelection()
{
    if (m_tree.CollectDragEntries())
        AfxMessageBox(kArrayCappedMessage, MB_OK | MB_ICONWARNING);
    std::vector<DroppedLeaf> leaves;
    leaves.reserve(m_tree.GetDragEntries().size());
    for (const CMultiTree::DragEntry& entry : m_tree.GetDragEntries()) {
        DroppedLeaf leaf;
        leaf.record = entry.record;
        if (entry.path != entry.record->dataPath)
            leaf.path = entry.path;
        leaves.push_back(leaf);
    }
    DropContext context;
    context.nameLimit = TagNameLimit(m_tree.GetPrefixText());
    context.ctlModels = m_document != nullptr ? &m_document->ctlModelMap : nullptr;
    context.controlObjects = &m_tree.m_controlEntries;
    m_list.AppendRows(MakeDropRows(leaves, m_list.GetRows(), context));
}

void CIEDMapDlg::SaveMapping()
{
    CMainDoc::_IED_DEVICE* device = FindDevice();
    if (m_document == nullptr || device == nullptr)
        return;
    SaveMessages messages;
    SaveIedMapping(m_document->project, *device, m_list.GetRows(), m_tree.m_gooseMembers, m_sclPath, messages);
    for (const CString& text : messages.texts)
        AfxMessageBox(text);
    m_changed = false;
    m_saved = true;
    m_document->MarkChangedAndUpdateViews();
}

void CIEDMapDlg::EndMapping(int result)
{
    if (IsModal())
        EndDialog(result);
    else
        PostMessage(WM_CLOSE);
}

void CIEDMapDlg::OnSave()
{
    SaveMapping();
    EndMapping(IDOK);
}

void CIEDMapDlg::OnCancelCommand()
{
    EndMapping(IDCANCEL);
}

void CIEDMapDlg::OnClearAll()
{
    m_list.DeleteAllRows();
    m_changed = true;
}

void CIEDMapDlg::OnClose()
{
    if (IsModal())
        EndDialog(IDCANCEL);
    else
        DestroyWindow();
}

void CIEDMapDlg::SaveColumnWidths(CWinApp& app)
{
    for (int i = 0; i < 5; ++i)
        app.WriteProfileInt(kSection, ColumnEntry(i), m_list.GetColumnWidth(i + 1));
}

void CIEDMapDlg::FitPaneContents()
{
    m_tree.MoveWindow(ClientOf(m_leftPane));
    m_list.MoveWindow(ClientOf(m_rightPane));
}
