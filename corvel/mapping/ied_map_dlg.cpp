#include "corvel/mapping/ied_map_dlg.h"

#include "corvel/app/main_doc.h"
#include "corvel/app/res/resource.h"
#include "corvel/workspace/main_frame.h"

#include <set>

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

void CIEDMapListCtrl::AppendRows(const MappedRows& rows)
{
    SetRedraw(FALSE);
    for (const MappedRow& row : rows) {
        const int at = InsertItem(GetItemCount(), "");
        SetItemText(at, 1, row.path);
        SetItemText(at, 2, row.tagName);
        SetItemText(at, 3, row.type);
        SetItemText(at, 4, row.access);
        SetItemText(at, 5, row.description);
        m_entries.push_back(std::make_unique<MappedEntry>(row.entry));
        SetItemData(at, reinterpret_cast<DWORD_PTR>(m_entries.back().get()));
    }
    SetRedraw(TRUE);
    Invalidate();
}

MappedRows CIEDMapListCtrl::GetRows() const
{
    MappedRows rows;
    const int count = GetItemCount();
    rows.reserve(static_cast<size_t>(count));
    for (int item = 0; item < count; ++item) {
        MappedRow row;
        row.path = GetItemText(item, 1);
        row.tagName = GetItemText(item, 2);
        row.type = GetItemText(item, 3);
        row.access = GetItemText(item, 4);
        row.description = GetItemText(item, 5);
        if (const auto* entry = reinterpret_cast<const MappedEntry*>(GetItemData(item)))
            row.entry = *entry;
        rows.push_back(std::move(row));
    }
    return rows;
}

void CIEDMapListCtrl::DeleteAllRows()
{
    DeleteAllItems();
}

void CIEDMapListCtrl::RemoveFromConnections(const CString& tagName)
{
    if (m_document != nullptr)
        m_document->RemoveTagFromConnections(tagName);
}

void CIEDMapListCtrl::DeleteSelectedRows()
{
    std::vector<int> selected;
    for (int row = GetNextItem(-1, LVNI_SELECTED); row >= 0; row = GetNextItem(row, LVNI_SELECTED))
        selected.push_back(row);
    bool asked = false;
    bool wholeArrays = false;
    std::set<CString> arrays;
    for (int row : selected) {
        if (GetItemText(row, 1).Find('[') < 0)
            continue;
        if (!asked) {
            asked = true;
            wholeArrays = AfxMessageBox(kArrayQuestion, MB_YESNO) == IDYES;
        }
        if (wholeArrays)
            arrays.insert(ArrayKey(GetItemText(row, 1)));
    }
    if (asked && !wholeArrays) {
        // The array rows stay, deselected.
        for (int row : selected) {
            const CString name = GetItemText(row, 2);
            if (name.Find('[') >= 0 && name.Find(']') >= 0)
                SetItemState(row, 0, LVIS_SELECTED);
        }
    }
    // Every element of a chosen array goes, whatever its number; then the selected plain rows.
    Corvel::Records::ConfiguredRows removed;
    for (int row = GetItemCount() - 1; row >= 0; --row) {
        const CString path = GetItemText(row, 1);
        const bool element = path.Find('[') >= 0;
        const bool selectedRow = (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
        if ((element && arrays.count(ArrayKey(path)) != 0) || (!element && selectedRow)) {
            removed.push_back({path, GetItemText(row, 2)});
            DeleteItem(row);
        }
    }
    if (m_document != nullptr && !removed.empty())
        m_document->RemoveDeviceTagsFromConnections(removed);
    Invalidate();
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
    for (POSITION pos = m_document->project.iedDevices.GetHeadPosition(); pos != nullptr;) {
        CMainDoc::_IED_DEVICE* device = m_document->project.iedDevices.GetNext(pos);
        if (device->devNum == m_deviceId)
            return device;
    }
    return nullptr;
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

    m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_EDITLABELS, ClientOf(m_rightPane),
                  &m_rightPane, kListId);
    m_list.SetDocument(m_document);
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
        const MappedRows rows = LoadStoredRows(*device);
        m_list.AppendRows(rows);
        m_totalDataSize = TotalDataSize(rows);
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
