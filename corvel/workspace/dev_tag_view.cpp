#include "corvel/workspace/dev_tag_view.h"

namespace {

const char kColumnSection[] = "RUROZID";
const char* const kColumnCaptions[CDevTagView::kColumnCount] = {
    "Device Path", "Tag Name", "Type", "Access", "Description", "EIP Class", "Conn No.", "Byte Offset", "Attribute"};
constexpr UINT kListId = 1;

CString ColumnEntry(int column)
{
    CString entry;
    entry.Format("COL%d", column);
    return entry;
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

void CDevTagView::FillTagList() {}

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
