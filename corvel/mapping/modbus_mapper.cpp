#include "corvel/mapping/modbus_mapper.h"

#include "corvel/document/main_doc.h"
#include "corvel/resources/resource.h"
#include "corvel/document/document_frame.h"

#include <vector>

IMPLEMENT_DYNAMIC(CModbusMapper, CMappingDialog)

BEGIN_MESSAGE_MAP(CModbusMapper, CMappingDialog)
    ON_COMMAND(ID_MAPPER_SAVE, &CModbusMapper::OnSave)
    ON_COMMAND(ID_MAPPER_CLOSE, &CModbusMapper::OnCloseCommand)
    ON_COMMAND(ID_MAPPER_SELECT_ALL, &CModbusMapper::OnSelectAll)
    ON_UPDATE_COMMAND_UI(ID_MAPPER_SELECT_ALL, &CModbusMapper::OnUpdateHasRows)
    ON_COMMAND(ID_MAPPER_CLEAR_ALL, &CModbusMapper::OnClearAll)
    ON_UPDATE_COMMAND_UI(ID_MAPPER_CLEAR_ALL, &CModbusMapper::OnUpdateHasRows)
    ON_COMMAND(ID_GRID_ENABLE_ALL_CONTINUOUSLY, &CModbusMapper::OnEnableAllContinuously)
    ON_COMMAND(ID_GRID_ENABLE_ALL_ON_DATA_CHANGE, &CModbusMapper::OnEnableAllOnDataChange)
    ON_COMMAND(ID_GRID_DISABLE_ALL_COMMANDS, &CModbusMapper::OnDisableAll)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

namespace {

using namespace Corvel::Mapping;

const char kSection[] = "ModDlg";
constexpr int kDefaultWidth = 100;
constexpr int kSmallestWidth = 5;
constexpr UINT kTagListId = 1;
constexpr UINT kCommandListId = 2;
const char kZeroAddressQuestion[] = "Zero is not allowed for 'MB Addr' field. Continue?";

int StoredWidth(LPCSTR entry)
{
    const int width = static_cast<int>(AfxGetApp()->GetProfileInt(kSection, entry, kDefaultWidth));
    return width < kSmallestWidth ? kDefaultWidth : width;
}

} // namespace

bool& CModbusMapper::OptimizeMtcpCommandMappings()
{
    static bool optimize = false;
    return optimize;
}

CModbusMapper::CModbusMapper(CWnd* pParent)
    : CMappingDialog(IDD_MODBUS_MAPPER, pParent, kSection, AFX_IDW_PANE_FIRST)
{
}

CModbusMapper::~CModbusMapper() = default;

void CModbusMapper::SetProject(CMainDoc* document, int deviceId)
{
    m_document = document;
    m_deviceId = deviceId;
    m_projectGiven = true;
}

Corvel::Records::CPLC_Device* CModbusMapper::FindDevice() const
{
    if (m_document == nullptr)
        return nullptr;
    return Corvel::Records::FindDevice(m_document->project.plcDevices, m_deviceId);
}

BOOL CModbusMapper::OnInitDialog()
{
    MyCDialogEx::OnInitDialog();
    if (!m_projectGiven) {
        m_document = FindMainDocument();
        m_deviceId = CurrentDeviceId();
    }
    m_device = FindDevice();
    CreateLayout(IDS_MODBUS_MAPPER_TITLE, IDR_MODBUS_MAPPER_ACCEL);

    m_tagList.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SORTDESCENDING,
                     ClientOf(m_leftPane), &m_leftPane, kTagListId);
    m_tagList.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    CString name;
    CString type;
    name.LoadString(IDS_TAG_LIST_NAME);
    type.LoadString(IDS_TAG_LIST_TYPE);
    m_tagList.InsertColumn(0, name, LVCFMT_LEFT, StoredWidth("COL10"));
    m_tagList.InsertColumn(1, type, LVCFMT_LEFT, StoredWidth("COL11"));
    m_commandList.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_EDITLABELS,
                         ClientOf(m_rightPane), &m_rightPane, kCommandListId);

    m_commandList.SetDevice(m_device);
    m_commandList.SetRowsRemovedHandler([this] { AfterRowsRemoved(); });
    m_commandList.SetCellEditedHandler([this] { m_modified = true; });
    m_tagList.SetDropTarget(&m_commandList,
                            [this](const std::vector<DroppedTag>& tags) { DropTags(tags); });
    int widths[kCmdFieldCount + 1];
    for (int i = 0; i < kCmdFieldCount; ++i)
        widths[i] = StoredWidth(ColumnEntry(i));
    widths[kCmdFieldCount] = widths[kCmdFieldCount - 1];
    m_commandList.SetUpColumns(OptimizeMtcpCommandMappings(), widths);
    if (m_device != nullptr && m_document != nullptr) {
        PurgeStaleRows(*m_device, m_document->project.tagMaps);
        m_commandList.AppendRows(m_device->configuredRows);
    }
    RefillTagList();
    m_commandList.RecalculateAddresses();
    m_commandList.SetChanged(false);
    m_tagList.SetChanged(false);

    FinishLayout();
    return TRUE;
}

void CModbusMapper::RefillTagList()
{
    if (m_document == nullptr)
        return;
    m_tagList.Fill(UnmappedTags(m_document->project, m_commandList.GetRows()));
}

void CModbusMapper::DropTags(const std::vector<DroppedTag>& tags)
{
    if (m_device == nullptr || m_document == nullptr)
        return;
    CommandRows rows = m_commandList.GetRows();
    const size_t before = rows.size();
    AppendDroppedRows(rows, tags, m_document->project, *m_device);
    m_commandList.AppendRows(CommandRows(rows.begin() + static_cast<std::ptrdiff_t>(before), rows.end()));
    // The addresses the next opening computes.
    m_commandList.RecalculateAddresses();
    m_commandList.SetChanged();
}

bool CModbusMapper::SaveRows()
{
    const CommandRows rows = m_commandList.GetRows();
    if (FindZeroAddressRow(rows) >= 0 && AfxMessageBox(kZeroAddressQuestion, MB_YESNO) != IDYES)
        return false;
    if (m_device != nullptr && m_document != nullptr) {
        SaveCommandRows(m_document->project, *m_device, rows);
        m_document->MarkChangedAndUpdateViews();
    }
    m_modified = false;
    m_saved = true;
    return true;
}

void CModbusMapper::OnSave()
{
    if (SaveRows())
        PostMessage(WM_CLOSE);
}

void CModbusMapper::OnCloseCommand()
{
    m_modified = false;
    PostMessage(WM_CLOSE);
}

void CModbusMapper::OnSelectAll()
{
    m_commandList.SetRedraw(FALSE);
    m_commandList.SelectRow(-1, true);
    m_commandList.SetRedraw(TRUE);
    m_commandList.Invalidate();
}

void CModbusMapper::OnUpdateHasRows(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_commandList.m_hWnd != nullptr && m_commandList.GetItemCount() > 0);
}

void CModbusMapper::AfterRowsRemoved()
{
    RefillTagList();
    m_commandList.Renumber();
    m_commandList.RecalculateAddresses();
    m_modified = true;
}

void CModbusMapper::OnClearAll()
{
    m_commandList.DeleteAllItems();
    AfterRowsRemoved();
}

void CModbusMapper::OnEnableAllContinuously()
{
    m_commandList.SetAllFields(kCmdEnable, kEnableContinuously);
}

void CModbusMapper::OnEnableAllOnDataChange()
{
    m_commandList.SetAllFields(kCmdEnable, kEnableOnDataChange);
}

void CModbusMapper::OnDisableAll()
{
    m_commandList.SetAllFields(kCmdEnable, kEnableDisable);
}

void CModbusMapper::OnClose()
{
    if (!m_modified && !m_saved) {
        m_modified = m_tagList.IsChanged();
        if (!m_modified)
            m_modified = m_commandList.IsChanged();
    }
    if (m_modified) {
        CString question;
        question.LoadString(IDS_SAVE_TAG_MAPPINGS);
        const int answer = AfxMessageBox(question, MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL)
            return;
        // A save that did not complete keeps the window open.
        if (answer == IDYES && !SaveRows())
            return;
    }
    if (IsModal())
        EndDialog(IDOK);
    else
        DestroyWindow();
    if (CWnd* frame = AfxGetMainWnd()) {
        frame->Invalidate();
        frame->UpdateWindow();
    }
}

void CModbusMapper::SaveColumnWidths(CWinApp& app)
{
    for (int i = 0; i < kCmdFieldCount; ++i)
        app.WriteProfileInt(kSection, ColumnEntry(i), m_commandList.GetColumnWidth(CMapList3::kFirstFieldColumn + i));
    app.WriteProfileInt(kSection, "COL10", m_tagList.GetColumnWidth(0));
    app.WriteProfileInt(kSection, "COL11", m_tagList.GetColumnWidth(1));
}

void CModbusMapper::FitPaneContents()
{
    m_tagList.MoveWindow(ClientOf(m_leftPane));
    m_commandList.MoveWindow(ClientOf(m_rightPane));
}
