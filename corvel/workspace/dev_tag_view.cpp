#include "corvel/workspace/dev_tag_view.h"

#include "corvel/document/main_doc.h"
#include "corvel/model/modbus_mapping.h"
#include "corvel/workspace/main_frame.h"

namespace {

using Corvel::Records::_IED_DEVICE;
using Corvel::Records::_TAGS;
using Corvel::Records::ConfiguredRow;
using Corvel::Records::CPLC_Device;
using Corvel::Records::FindDevice;

const char kIedFirstCaption[] = "Device Path";
const char kModbusFirstCaption[] = "Enable";
const char kSummary[] = "IED %s has %d Assigned Tags";
const char kSummaryOverLimit[] = "IED %s has %d Assigned Tags       * NOTE: This number exceeds RSLogix "
                                 "'Add-On Instruction' import limit of 460";
// Tags an Add-On Instruction import accepts.
constexpr int kAoiImportLimit = 460;
// The texts of a Modbus command row shown in columns 0 to 4.
const int kCommandCells[] = {0, 1, 2, 3, 7};

const char kColumnSection[] = "RUROZID";
const char* const kColumnCaptions[CDevTagView::kColumnCount] = {
    kIedFirstCaption, "Tag Name", "Type", "Access", "Description", "EIP Class", "Conn No.", "Byte Offset", "Attribute"};
constexpr UINT kListId = 1;

CString ColumnEntry(int column)
{
    CString entry;
    entry.Format("COL%d", column);
    return entry;
}

CString Cell(const ConfiguredRow& row, size_t index)
{
    return index < row.size() ? row[index] : CString();
}

CString Number(int value)
{
    CString text;
    text.Format("%d", value);
    return text;
}

// Cells 5 to 8 of an IED tag: where the EtherNet/IP connections carry it, inputs first, then outputs, then
// messages.
void FillAssignment(const CMainDoc& doc, const CString& tagName, CString (&cells)[CDevTagView::kColumnCount])
{
    cells[5] = "Not Assigned";
    cells[6] = "-";
    cells[7] = "--";
    cells[8] = "--";
    for (const auto* list : {&doc.tagsINP, &doc.tagsOUT}) {
        if (const _TAGS* tag = list->FindTag(tagName)) {
            cells[5] = "Class 1";
            cells[6] = Number(tag->Conn);
            cells[7] = Number(tag->StartAddr);
            return;
        }
    }
    if (const _TAGS* tag = doc.tagsMSG.FindTag(tagName)) {
        cells[5] = "Class 3";
        cells[8] = Number(tag->StartAddr);
    }
}

} // namespace

IMPLEMENT_DYNCREATE(CDevTagView, CView)

BEGIN_MESSAGE_MAP(CDevTagView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CDevTagView::CDevTagView() = default;
CDevTagView::~CDevTagView() = default;

int CDevTagView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    const DWORD style = WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS;
    return m_list.Create(style, CRect(0, 0, 0, 0), this, kListId) ? 0 : -1;
}

void CDevTagView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (m_list.GetSafeHwnd() != nullptr)
        m_list.MoveWindow(0, 0, cx, cy);
}

void CDevTagView::OnDraw(CDC*) {}

void CDevTagView::FillTagList()
{
    CMainFrame* frame = GetMainFrame();
    CMainDoc* doc = FindMainDocument();
    if (frame == nullptr || doc == nullptr || m_list.GetSafeHwnd() == nullptr)
        return;
    // One repaint for the whole list rather than one per row.
    m_list.SetRedraw(FALSE);
    if (frame->currentDeviceKind == CMainDoc::kKindIed)
        FillIedTags(*doc, frame->currentDeviceId);
    else
        FillModbusCommands(*doc, frame->currentDeviceId);
    m_list.SetRedraw(TRUE);
    m_list.Invalidate();
}

void CDevTagView::SetFirstCaption(LPCSTR caption)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT;
    column.pszText = const_cast<LPSTR>(caption);
    m_list.SetColumn(0, &column);
}

void CDevTagView::AppendRow(const CString* cells, int count)
{
    const int item = m_list.InsertItem(m_list.GetItemCount(), cells[0]);
    for (int column = 1; column < count; ++column)
        m_list.SetItemText(item, column, cells[column]);
}

void CDevTagView::FillIedTags(const CMainDoc& doc, int deviceId)
{
    SetFirstCaption(kIedFirstCaption);
    const _IED_DEVICE* device = FindDevice(doc.project.iedDevices, deviceId);
    m_list.DeleteAllItems();
    // A free slot (the first slot of a project without IEDs, say) has no name and no tags to summarise.
    if (device == nullptr || device->state != Corvel::Records::kSlotInUse) {
        if (CMainFrame* frame = GetMainFrame())
            frame->GetSplitter().SetLabelText("");
        return;
    }
    CString cells[kColumnCount];
    for (const ConfiguredRow& row : device->ConfiguredCache) {
        const CString name = Cell(row, Corvel::Records::kColTagPath);
        const CString prefix = Cell(row, Corvel::Records::kColDomName) + "/";
        cells[0] = name.Find(prefix) == 0 ? name : prefix + name;
        for (int text = 1; text <= 4; ++text)
            cells[text] = Cell(row, static_cast<size_t>(text));
        FillAssignment(doc, cells[1], cells);
        AppendRow(cells, kColumnCount);
    }
    const int count = m_list.GetItemCount();
    CString summary;
    summary.Format(count < kAoiImportLimit ? kSummary : kSummaryOverLimit, static_cast<LPCSTR>(device->name), count);
    if (CMainFrame* frame = GetMainFrame())
        frame->GetSplitter().SetLabelText(summary);
}

void CDevTagView::FillModbusCommands(CMainDoc& doc, int deviceId)
{
    SetFirstCaption(kModbusFirstCaption);
    CPLC_Device* device = FindDevice(doc.project.plcDevices, deviceId);
    m_list.DeleteAllItems();
    if (device == nullptr || device->configuredRows.empty())
        return;
    Corvel::Mapping::RebuildDeviceCommands(doc.project, *device);
    CString cells[std::size(kCommandCells)];
    for (const ConfiguredRow& row : device->configuredRows) {
        for (size_t i = 0; i < std::size(kCommandCells); ++i)
            cells[i] = Cell(row, static_cast<size_t>(kCommandCells[i]));
        AppendRow(cells, static_cast<int>(std::size(kCommandCells)));
    }
}

void CDevTagView::OnInitialUpdate()
{
    if (m_firstUpdate) {
        m_firstUpdate = false;
        m_list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP,
                           LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP);
        CWinApp* app = AfxGetApp();
        for (int column = 0; column < kColumnCount; ++column) {
            const int byDefault = 3 * m_list.GetStringWidth(kColumnCaptions[column]);
            const int width = app != nullptr
                                  ? static_cast<int>(app->GetProfileInt(kColumnSection, ColumnEntry(column), byDefault))
                                  : byDefault;
            m_list.InsertColumn(column, kColumnCaptions[column], LVCFMT_LEFT, width);
        }
    }
    CView::OnInitialUpdate();
}

void CDevTagView::SaveColumnWidths()
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr || m_list.GetSafeHwnd() == nullptr || m_firstUpdate)
        return;
    for (int column = 0; column < kColumnCount; ++column)
        app->WriteProfileInt(kColumnSection, ColumnEntry(column), m_list.GetColumnWidth(column));
}
