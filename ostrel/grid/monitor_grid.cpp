// The grid's table: construction, shape, cells, selection, sorting, clipboard text and in-place editing.
// (Drawing, scrolling and input are in monitor_grid_view.cpp, printing in monitor_grid_print.cpp.)
#include "ostrel/grid/monitor_grid.h"

#include "framework/exceptions.h"
#include "framework/msgbox.h"
#include "framework/winapp.h"
#include "ostrel/grid/in_place_edit.h"

#include <mbstring.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <numeric>

IMPLEMENT_DYNCREATE(CMonitorGrid, CWnd)

BEGIN_MESSAGE_MAP(CMonitorGrid, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONUP()
    ON_WM_MOUSEWHEEL()
    ON_WM_TIMER()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_IME_CHAR()
    ON_WM_GETDLGCODE()
    ON_WM_KILLFOCUS()
    ON_WM_CAPTURECHANGED()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
    ON_WM_SETCURSOR()
    ON_WM_DESTROY()
    ON_WM_CREATE()
    ON_NOTIFY(LVN_ENDLABELEDITA, kInPlaceControlId, &CMonitorGrid::OnEndInPlaceEdit)
    ON_MESSAGE(WM_GETFONT, &CMonitorGrid::OnGetFont)
    ON_MESSAGE(WM_SETFONT, &CMonitorGrid::OnSetFont)
    ON_COMMAND(ID_EDIT_COPY, &CMonitorGrid::OnEditCopyCommand)
    ON_COMMAND(ID_EDIT_CUT, &CMonitorGrid::OnEditCutCommand)
    ON_COMMAND(ID_EDIT_PASTE, &CMonitorGrid::OnEditPasteCommand)
    ON_COMMAND(ID_EDIT_SELECT_ALL, &CMonitorGrid::OnEditSelectAllCommand)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, &CMonitorGrid::OnUpdateEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, &CMonitorGrid::OnUpdateEditCut)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, &CMonitorGrid::OnUpdateEditPaste)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, &CMonitorGrid::OnUpdateEditSelectAll)
END_MESSAGE_MAP()

namespace {

constexpr char kOleInitFailed[] = "OLE initialization failed. Make sure that the OLE libraries are the correct version";

// Windows 95 reads the wheel setting from the registry instead.
constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr char kWheelScrollLinesValue[] = "WheelScrollLines";
constexpr UINT kDefaultWheelScrollLines = 3;

// The text of a data object's CF_TEXT, up to its terminator or the block's end.
CString ReadClipboardText(COleDataObject* pDataObject)
{
    CString text;
    HGLOBAL hMem = pDataObject->GetGlobalData(CF_TEXT);
    if (hMem == nullptr)
        return text;
    const SIZE_T size = ::GlobalSize(hMem);
    if (const char* bytes = static_cast<const char*>(::GlobalLock(hMem))) {
        const void* end = memchr(bytes, '\0', size);
        text = CString(bytes, static_cast<int>(end != nullptr ? static_cast<const char*>(end) - bytes : size));
        ::GlobalUnlock(hMem);
    }
    ::GlobalFree(hMem);
    return text;
}

// The sum of the first count sizes.
long SumOfFirst(const std::vector<UINT>& sizes, int count)
{
    const size_t end = std::min(sizes.size(), static_cast<size_t>(std::max(0, count)));
    return static_cast<long>(std::accumulate(sizes.begin(), sizes.begin() + static_cast<std::ptrdiff_t>(end), 0UL));
}

// Splits text at a separator; a separator at the end gives no empty last part.
std::vector<CString> SplitText(const CString& text, char separator)
{
    std::vector<CString> parts;
    int start = 0;
    while (start < text.GetLength()) {
        int end = text.Find(separator, start);
        if (end < 0)
            end = text.GetLength();
        parts.push_back(text.Mid(start, end - start));
        start = end + 1;
    }
    return parts;
}

} // namespace

// Construction

CMonitorGrid::CMonitorGrid(int nRows, int nCols, int nFixedRows, int nFixedCols)
    : m_pRtcDefault(RUNTIME_CLASS(CMonitorCell))
{
    RegisterWindowClass();
    if (!AfxOleIsInitialized() && !AfxOleInit())
        AfxMessageBox(kOleInitFailed);
    ReadSystemColours();
    m_crGridBkColour = m_crShadow;
    ReadWheelScrollLines();
    SetupDefaultCells();
    SetRowCount(nRows);
    SetColumnCount(nCols);
    SetFixedRowCount(nFixedRows);
    SetFixedColumnCount(nFixedCols);
    m_bModified = FALSE;
}

CMonitorGrid::~CMonitorGrid()
{
    DestroyWindow();
    DeleteAllItems();
    m_TitleTip.DestroyWindow();
    COleDataSource::FlushClipboard();
}

BOOL CMonitorGrid::RegisterWindowClass()
{
    HINSTANCE hInstance = AfxGetInstanceHandle();
    WNDCLASSA wc = {};
    if (::GetClassInfoA(hInstance, kMonitorGridClassName, &wc))
        return TRUE;
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = hInstance;
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
    wc.lpszClassName = kMonitorGridClassName;
    if (!::RegisterClassA(&wc))
        AfxThrowResourceException();
    return TRUE;
}

BOOL CMonitorGrid::Create(const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwStyle)
{
    m_bCreating = true;
    const BOOL created = CWnd::Create(kMonitorGridClassName, nullptr, dwStyle, rect, pParentWnd, nID);
    m_bCreating = false;
    if (!created)
        return FALSE;
    ResetScrollBars();
    return TRUE;
}

int CMonitorGrid::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_DropTarget.Register(this);
    return 0;
}

void CMonitorGrid::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    if (m_bCreating || m_bSubclassing)
        return;
    // A dialog control taken over: give it a sunken frame and make the
    // system recompute the frame by nudging the size there and back.
    m_bSubclassing = true;
    ModifyStyleEx(0, WS_EX_CLIENTEDGE);
    CRect rect;
    GetWindowRect(&rect);
    const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(nullptr, 0, 0, rect.Width() + 1, rect.Height() + 1, flags);
    SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(), flags | SWP_FRAMECHANGED);
    m_bSubclassing = false;
    m_DropTarget.Register(this);
    ResetScrollBars();
}

void CMonitorGrid::OnDestroy()
{
    m_bDestroying = true;
    EndEditing();
    m_DropTarget.Revoke();
    if (m_bTitleTips)
        m_TitleTip.DestroyWindow();
    if (m_nTimerID != 0) {
        KillTimer(m_nTimerID);
        m_nTimerID = 0;
    }
    CWnd::OnDestroy();
}

void CMonitorGrid::SetupDefaultCells()
{
    m_cellDefault.SetGrid(this);
    m_cellDefault.SetTextClr(m_crWindowText);
    m_cellDefault.SetBackClr(m_crWindowColour);
    for (CMonitorDefaultCell* pCell : {&m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef}) {
        pCell->SetGrid(this);
        pCell->SetTextClr(m_crWindowText);
        pCell->SetBackClr(m_cr3DFace);
    }
}

void CMonitorGrid::ReadSystemColours()
{
    m_crWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
    m_crWindowColour = ::GetSysColor(COLOR_WINDOW);
    m_cr3DFace = ::GetSysColor(COLOR_3DFACE);
    m_crShadow = ::GetSysColor(COLOR_3DSHADOW);
}

void CMonitorGrid::ReadWheelScrollLines()
{
    m_nRowsPerWheelNotch = kDefaultWheelScrollLines;
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    ::GetVersionExA(&version);
    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && version.dwMinorVersion == 0) {
        ScopedRegKey key;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_QUERY_VALUE, key.Receive()) == ERROR_SUCCESS) {
            char text[16] = {};
            DWORD size = sizeof text - 1;
            if (::RegQueryValueExA(key.Get(), kWheelScrollLinesValue, nullptr, nullptr,
                                   reinterpret_cast<LPBYTE>(text), &size) == ERROR_SUCCESS)
                m_nRowsPerWheelNotch = static_cast<UINT>(strtoul(text, nullptr, 10));
        }
        return;
    }
    UINT lines = kDefaultWheelScrollLines;
    if (::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0))
        m_nRowsPerWheelNotch = lines;
}

void CMonitorGrid::OnSysColorChange()
{
    CWnd::OnSysColorChange();
    const COLORREF windowText = ::GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    for (CMonitorDefaultCell* pCell : {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef}) {
        if (pCell->GetTextClr() == m_crWindowText)
            pCell->SetTextClr(windowText);
        if (pCell->GetBackClr() == m_crWindowColour)
            pCell->SetBackClr(window);
    }
    if (m_crGridBkColour == m_crShadow)
        m_crGridBkColour = ::GetSysColor(COLOR_3DSHADOW);
    ReadSystemColours();
}

void CMonitorGrid::OnSettingChange(UINT uFlags, LPCSTR lpszSection)
{
    CWnd::OnSettingChange(uFlags, lpszSection);
    if (GetTitleTips() && m_TitleTip.IsCreated())
        m_TitleTip.Hide();
    ReadWheelScrollLines();
}

// Notifications

LRESULT CMonitorGrid::SendMessageToParent(int nRow, int nCol, int nMessage) const
{
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return 0;
    HWND hTarget = ::GetWindow(m_hWnd, GW_OWNER);
    if (hTarget == nullptr)
        hTarget = ::GetParent(m_hWnd);
    if (hTarget == nullptr)
        return 0;
    MonitorGridNotify notify = {};
    notify.hdr.hwndFrom = m_hWnd;
    notify.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    notify.hdr.code = static_cast<UINT>(nMessage);
    notify.iRow = nRow;
    notify.iColumn = nCol;
    return ::SendMessageA(hTarget, WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
}

void CMonitorGrid::SendCacheHint(const CCellRange& range) const
{
    if (!m_bVirtualMode || m_hWnd == nullptr)
        return;
    HWND hTarget = ::GetWindow(m_hWnd, GW_OWNER);
    if (hTarget == nullptr)
        hTarget = ::GetParent(m_hWnd);
    if (hTarget == nullptr)
        return;
    MonitorGridCacheHint hint;
    hint.hdr = {};
    hint.hdr.hwndFrom = m_hWnd;
    hint.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    hint.hdr.code = LVN_ODCACHEHINT;
    hint.range = range;
    ::SendMessageA(hTarget, WM_NOTIFY, hint.hdr.idFrom, reinterpret_cast<LPARAM>(&hint));
}

// Table shape

int CMonitorGrid::SetRowCount(int nRows)
{
    if (nRows < 0)
        return 0;
    if (nRows == m_nRows)
        return 1;
    EndEditing();
    if (nRows < m_nFixedRows)
        m_nFixedRows = nRows;
    if (m_idCurrentCell.row >= nRows)
        SetFocusCell(-1, -1);

    if (!m_bVirtualMode)
        DestroyCells(nRows, m_nRows, 0, m_nCols);
    const int oldRows = m_nRows;
    m_arRowHeights.resize(static_cast<size_t>(nRows), static_cast<UINT>(m_cellDefault.GetHeight()));
    if (!m_bVirtualMode) {
        m_RowData.resize(static_cast<size_t>(nRows));
        m_nRows = nRows;
        CreateCells(oldRows, nRows, 0);
    }
    m_nRows = nRows;
    if (m_bVirtualMode)
        ResetRowOrder();
    ResetScrollBars();
    if (m_hWnd != nullptr && m_bAllowDraw)
        Invalidate();
    SetSortColumn(-1);
    m_bModified = TRUE;
    return 1;
}

int CMonitorGrid::SetColumnCount(int nCols)
{
    if (nCols < 0)
        return 0;
    if (nCols == m_nCols)
        return 1;
    EndEditing();
    if (nCols < m_nFixedCols)
        m_nFixedCols = nCols;
    if (m_idCurrentCell.col >= nCols)
        SetFocusCell(-1, -1);

    if (!m_bVirtualMode)
        DestroyCells(0, m_nRows, nCols, m_nCols);
    const int oldCols = m_nCols;
    m_arColWidths.resize(static_cast<size_t>(nCols), static_cast<UINT>(m_cellDefault.GetWidth()));
    m_nCols = nCols;
    if (!m_bVirtualMode)
        CreateCells(0, m_nRows, oldCols);
    ResetScrollBars();
    if (m_hWnd != nullptr && m_bAllowDraw)
        Invalidate();
    SetSortColumn(-1);
    m_bModified = TRUE;
    return 1;
}

int CMonitorGrid::SetFixedRowCount(int nFixedRows)
{
    if (nFixedRows < 0)
        return 0;
    if (nFixedRows == m_nFixedRows)
        return 1;
    ResetSelectedRange();
    SetFocusCell(-1, -1);
    if (nFixedRows > m_nRows && !SetRowCount(nFixedRows))
        return 0;
    if (!m_bVirtualMode)
        MarkFixedCells(nFixedRows, true);
    m_nFixedRows = nFixedRows;
    Refresh();
    return 1;
}

int CMonitorGrid::SetFixedColumnCount(int nFixedCols)
{
    if (nFixedCols < 0)
        return 0;
    if (nFixedCols == m_nFixedCols)
        return 1;
    ResetSelectedRange();
    SetFocusCell(-1, -1);
    if (nFixedCols > m_nCols && !SetColumnCount(nFixedCols))
        return 0;
    if (!m_bVirtualMode)
        MarkFixedCells(nFixedCols, false);
    m_nFixedCols = nFixedCols;
    Refresh();
    return 1;
}

void CMonitorGrid::DestroyCells(int firstRow, int endRow, int firstCol, int endCol)
{
    for (int row = firstRow; row < endRow; ++row)
        for (int col = firstCol; col < endCol; ++col)
            DestroyCell(row, col);
}

void CMonitorGrid::CreateCells(int firstRow, int endRow, int firstCol)
{
    for (int row = firstRow; row < endRow; ++row) {
        GridRow& cells = m_RowData[static_cast<size_t>(row)];
        cells.resize(static_cast<size_t>(m_nCols), nullptr);
        for (int col = firstCol; col < m_nCols; ++col)
            cells[static_cast<size_t>(col)] = CreateCell(row, col);
    }
}

void CMonitorGrid::MarkFixedCells(int count, bool rows)
{
    const DWORD line = rows ? CELL_FIXEDROW : CELL_FIXEDCOL;
    const DWORD otherLine = rows ? CELL_FIXEDCOL : CELL_FIXEDROW;
    for (int row = 0; row < m_nRows; ++row) {
        for (int col = 0; col < m_nCols; ++col) {
            CMonitorCellBase* pCell = GetCell(row, col);
            if (pCell == nullptr)
                continue;
            DWORD state = pCell->GetState() & ~(CELL_FIXED | line);
            if ((rows ? row : col) < count)
                state |= CELL_FIXED | line;
            if (state & otherLine)
                state |= CELL_FIXED;
            pCell->SetState(state);
        }
    }
}

void CMonitorGrid::RedrawFixedCellsOf(const CCellID& cell)
{
    for (int col = 0; col < m_nFixedCols; ++col)
        RedrawCell(cell.row, col);
    for (int row = 0; row < m_nFixedRows; ++row)
        RedrawCell(row, cell.col);
}

int CMonitorGrid::InsertRow(LPCSTR strHeading, int nRow)
{
    if (nRow >= 0 && (nRow < m_nFixedRows || nRow >= m_nRows))
        return -1;
    EndEditing();
    ClearSelection();
    if (m_nCols < 1)
        SetColumnCount(1);

    const bool append = nRow < 0;
    if (append)
        nRow = m_nRows;
    m_arRowHeights.insert(m_arRowHeights.begin() + nRow, static_cast<UINT>(m_cellDefault.GetHeight()));
    if (!m_bVirtualMode)
        m_RowData.insert(m_RowData.begin() + nRow, GridRow(static_cast<size_t>(m_nCols), nullptr));
    ++m_nRows;
    if (!m_bVirtualMode)
        CreateCells(nRow, nRow + 1, 0);
    if (m_bVirtualMode) {
        if (append)
            m_arRowOrder.push_back(nRow);
        else
            ResetRowOrder();
    }
    if (m_idCurrentCell.row >= nRow && !append)
        ++m_idCurrentCell.row;
    if (strHeading != nullptr && !m_bVirtualMode)
        SetItemText(nRow, 0, strHeading);
    return nRow;
}

BOOL CMonitorGrid::DeleteRow(int nRow)
{
    if (nRow < 0 || nRow >= m_nRows)
        return FALSE;
    EndEditing();
    ClearSelection();
    if (m_bVirtualMode) {
        ShiftRowOrder(nRow, -1);
    } else {
        DestroyCells(nRow, nRow + 1, 0, m_nCols);
        m_RowData.erase(m_RowData.begin() + nRow);
    }
    m_arRowHeights.erase(m_arRowHeights.begin() + nRow);
    --m_nRows;
    if (nRow < m_nFixedRows)
        --m_nFixedRows;
    if (m_idCurrentCell.row == nRow)
        m_idCurrentCell = CCellID();
    else if (m_idCurrentCell.row > nRow)
        --m_idCurrentCell.row;
    if (m_LeftClickDownCell.row >= nRow)
        m_LeftClickDownCell = CCellID();
    ResetScrollBars();
    SetSortColumn(-1);
    m_bModified = TRUE;
    return TRUE;
}

BOOL CMonitorGrid::DeleteRows(int nFirst, int nCount)
{
    if (nFirst < 0 || nCount < 0 || nFirst + nCount > m_nRows)
        return FALSE;
    if (nCount == 0)
        return TRUE;
    if (m_bVirtualMode) {
        for (int i = 0; i < nCount; ++i)
            DeleteRow(nFirst);
        return TRUE;
    }
    EndEditing();
    ClearSelection();
    for (int row = nFirst; row < nFirst + nCount; ++row) {
        for (int col = 0; col < m_nCols; ++col)
            DestroyCell(row, col);
    }
    m_RowData.erase(m_RowData.begin() + nFirst, m_RowData.begin() + nFirst + nCount);
    m_arRowHeights.erase(m_arRowHeights.begin() + nFirst, m_arRowHeights.begin() + nFirst + nCount);
    m_nRows -= nCount;
    m_nFixedRows -= std::max(0, std::min(m_nFixedRows, nFirst + nCount) - nFirst);
    if (m_idCurrentCell.row >= nFirst + nCount)
        m_idCurrentCell.row -= nCount;
    else if (m_idCurrentCell.row >= nFirst)
        m_idCurrentCell = CCellID();
    if (m_LeftClickDownCell.row >= nFirst)
        m_LeftClickDownCell = CCellID();
    ResetScrollBars();
    SetSortColumn(-1);
    m_bModified = TRUE;
    return TRUE;
}

BOOL CMonitorGrid::DeleteNonFixedRows()
{
    for (int row = m_nRows - 1; row >= m_nFixedRows; --row)
        DeleteRow(row);
    return TRUE;
}

BOOL CMonitorGrid::DeleteAllItems()
{
    EndEditing();
    ResetSelectedRange();
    m_idCurrentCell = CCellID();
    m_LeftClickDownCell = CCellID();
    m_SelectionStartCell = CCellID();
    for (int row = 0; row < static_cast<int>(m_RowData.size()); ++row)
        for (int col = 0; col < static_cast<int>(m_RowData[static_cast<size_t>(row)].size()); ++col)
            DestroyCell(row, col);
    m_RowData.clear();
    m_arRowHeights.clear();
    m_arColWidths.clear();
    m_arRowOrder.clear();
    m_nRows = m_nCols = m_nFixedRows = m_nFixedCols = 0;
    m_PrevSelectedCellMap.clear();
    ResetScrollBars();
    SetSortColumn(-1);
    return TRUE;
}

void CMonitorGrid::ResetRowOrder()
{
    m_arRowOrder.resize(static_cast<size_t>(m_nRows));
    for (int row = 0; row < m_nRows; ++row)
        m_arRowOrder[static_cast<size_t>(row)] = row;
}

void CMonitorGrid::ShiftRowOrder(int nRow, int nDelta)
{
    if (!m_bVirtualMode || nDelta == 0)
        return;
    if (nDelta < 0) {
        m_arRowOrder.erase(std::remove(m_arRowOrder.begin(), m_arRowOrder.end(), nRow), m_arRowOrder.end());
        for (int& entry : m_arRowOrder)
            if (entry > nRow)
                entry += nDelta;
        return;
    }
    for (int& entry : m_arRowOrder)
        if (entry >= nRow)
            entry += nDelta;
    const size_t at = std::min(static_cast<size_t>(nRow), m_arRowOrder.size());
    m_arRowOrder.insert(m_arRowOrder.begin() + static_cast<std::ptrdiff_t>(at), nRow);
}

int CMonitorGrid::StoredRow(int nRow) const
{
    if (m_bVirtualMode && nRow >= 0 && nRow < static_cast<int>(m_arRowOrder.size()))
        return m_arRowOrder[static_cast<size_t>(nRow)];
    return nRow;
}

void CMonitorGrid::SetVirtualMode(BOOL bVirtual)
{
    DeleteAllItems();
    m_bVirtualMode = bVirtual;
}

// Cells

CMonitorCellBase* CMonitorGrid::CreateCell(int nRow, int nCol)
{
    if (m_pRtcDefault == nullptr || !m_pRtcDefault->IsDerivedFrom(RUNTIME_CLASS(CMonitorCellBase)))
        return nullptr;
    CMonitorCellBase* pCell = static_cast<CMonitorCellBase*>(m_pRtcDefault->CreateObject());
    if (pCell == nullptr)
        return nullptr;
    pCell->SetGrid(this);
    pCell->SetCoords(nRow, nCol);
    DWORD state = pCell->GetState();
    if (nCol < m_nFixedCols)
        state |= CELL_FIXED | CELL_FIXEDCOL;
    if (nRow < m_nFixedRows)
        state |= CELL_FIXED | CELL_FIXEDROW;
    pCell->SetState(state);
    if (CMonitorDefaultCell* pDefaultCell = pCell->GetDefaultCell())
        pCell->SetFormat(pDefaultCell->GetFormat());
    return pCell;
}

void CMonitorGrid::DestroyCell(int nRow, int nCol)
{
    if (nRow < 0 || nRow >= static_cast<int>(m_RowData.size()))
        return;
    GridRow& cells = m_RowData[static_cast<size_t>(nRow)];
    if (nCol < 0 || nCol >= static_cast<int>(cells.size()) || cells[static_cast<size_t>(nCol)] == nullptr)
        return;
    m_SelectedCellMap.erase(CellKey(nRow, nCol));
    cells[static_cast<size_t>(nCol)]->SetState(0);
    delete cells[static_cast<size_t>(nCol)];
    cells[static_cast<size_t>(nCol)] = nullptr;
}

CMonitorCellBase* CMonitorGrid::GetCell(int nRow, int nCol) const
{
    if (nRow < 0 || nRow >= m_nRows || nCol < 0 || nCol >= m_nCols)
        return nullptr;
    if (!m_bVirtualMode)
        return m_RowData[static_cast<size_t>(nRow)][static_cast<size_t>(nCol)];

    // Virtual mode: one cell object, filled afresh from the parent.
    m_virtualCell.Reset();
    m_virtualCell.SetGrid(const_cast<CMonitorGrid*>(this));
    DWORD state = 0;
    if (nCol < m_nFixedCols)
        state |= CELL_FIXED | CELL_FIXEDCOL;
    if (nRow < m_nFixedRows)
        state |= CELL_FIXED | CELL_FIXEDROW;
    if (m_SelectedCellMap.count(CellKey(nRow, nCol)) != 0)
        state |= CELL_SELECTED;
    if (m_idCurrentCell.row == nRow && m_idCurrentCell.col == nCol)
        state |= CELL_FOCUSED;
    m_virtualCell.SetState(state);
    if (m_hWnd != nullptr) {
        HWND hTarget = ::GetWindow(m_hWnd, GW_OWNER);
        if (hTarget == nullptr)
            hTarget = ::GetParent(m_hWnd);
        MonitorGridDispInfo info;
        info.hdr.hwndFrom = m_hWnd;
        info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
        info.hdr.code = LVN_GETDISPINFOA;
        info.iRow = StoredRow(nRow);
        info.iColumn = nCol;
        if (hTarget != nullptr)
            ::SendMessageA(hTarget, WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
        m_virtualCell.SetText(info.strText);
    }
    return &m_virtualCell;
}

BOOL CMonitorGrid::SetCellType(int nRow, int nCol, CRuntimeClass* pRuntimeClass)
{
    if (m_bVirtualMode || !IsValid(nRow, nCol) || pRuntimeClass == nullptr ||
        !pRuntimeClass->IsDerivedFrom(RUNTIME_CLASS(CMonitorCellBase)))
        return FALSE;
    CMonitorCellBase* pNewCell = static_cast<CMonitorCellBase*>(pRuntimeClass->CreateObject());
    if (pNewCell == nullptr)
        return FALSE;
    CMonitorCellBase* pCurrentCell = GetCell(nRow, nCol);
    if (pCurrentCell != nullptr)
        *pNewCell = *pCurrentCell;
    else
        pNewCell->SetGrid(this);
    PutCell(nRow, nCol, pNewCell);
    delete pCurrentCell;
    return TRUE;
}

BOOL CMonitorGrid::SetDefaultCellType(CRuntimeClass* pRuntimeClass)
{
    if (pRuntimeClass == nullptr || !pRuntimeClass->IsDerivedFrom(RUNTIME_CLASS(CMonitorCellBase)))
        return FALSE;
    m_pRtcDefault = pRuntimeClass;
    return TRUE;
}

BOOL CMonitorGrid::PutCell(int nRow, int nCol, CMonitorCellBase* pCell)
{
    if (m_bVirtualMode || !IsValid(nRow, nCol) || pCell == nullptr)
        return FALSE;
    m_RowData[static_cast<size_t>(nRow)][static_cast<size_t>(nCol)] = pCell;
    pCell->SetCoords(nRow, nCol);
    return TRUE;
}

CMonitorDefaultCell* CMonitorGrid::GetDefaultCell(BOOL bFixedRow, BOOL bFixedCol) const
{
    if (bFixedRow && bFixedCol)
        return const_cast<CMonitorDefaultCell*>(&m_cellFixedRowColDef);
    if (bFixedRow)
        return const_cast<CMonitorDefaultCell*>(&m_cellFixedRowDef);
    if (bFixedCol)
        return const_cast<CMonitorDefaultCell*>(&m_cellFixedColDef);
    return const_cast<CMonitorDefaultCell*>(&m_cellDefault);
}

BOOL CMonitorGrid::IsValid(int nRow, int nCol) const
{
    return nRow >= 0 && nRow < m_nRows && nCol >= 0 && nCol < m_nCols;
}

BOOL CMonitorGrid::IsValid(const CCellRange& range) const
{
    return range.GetMinRow() >= 0 && range.GetMinCol() >= 0 && range.GetMaxRow() >= 0 && range.GetMaxCol() >= 0 &&
        range.GetMaxRow() < m_nRows && range.GetMaxCol() < m_nCols && range.GetMinRow() <= range.GetMaxRow() &&
        range.GetMinCol() <= range.GetMaxCol();
}

CString CMonitorGrid::GetItemText(int nRow, int nCol) const
{
    const CMonitorCellBase* pCell = GetCell(nRow, nCol);
    return pCell != nullptr ? CString(pCell->GetText()) : CString();
}

CMonitorCellBase* CMonitorGrid::StoredCell(int nRow, int nCol) const
{
    return m_bVirtualMode ? nullptr : GetCell(nRow, nCol);
}

template <class Change>
BOOL CMonitorGrid::ChangeStoredCell(int nRow, int nCol, Change change)
{
    CMonitorCellBase* pCell = StoredCell(nRow, nCol);
    if (pCell == nullptr)
        return FALSE;
    change(*pCell);
    return TRUE;
}

BOOL CMonitorGrid::SetItemText(int nRow, int nCol, LPCSTR str)
{
    return ChangeStoredCell(nRow, nCol, [&](CMonitorCellBase& cell) { cell.SetText(str); });
}

BOOL CMonitorGrid::SetItemData(int nRow, int nCol, LPARAM lParam)
{
    return ChangeStoredCell(nRow, nCol, [&](CMonitorCellBase& cell) { cell.SetData(lParam); });
}

LPARAM CMonitorGrid::GetItemData(int nRow, int nCol) const
{
    const CMonitorCellBase* pCell = GetCell(nRow, nCol);
    return pCell != nullptr ? pCell->GetData() : 0;
}

BOOL CMonitorGrid::SetItemImage(int nRow, int nCol, int iImage)
{
    return ChangeStoredCell(nRow, nCol, [&](CMonitorCellBase& cell) { cell.SetImage(iImage); });
}

BOOL CMonitorGrid::SetItemState(int nRow, int nCol, DWORD state)
{
    if (!IsValid(nRow, nCol))
        return FALSE;
    if (state & CELL_SELECTED)
        m_SelectedCellMap[CellKey(nRow, nCol)] = CCellID(nRow, nCol);
    else
        m_SelectedCellMap.erase(CellKey(nRow, nCol));
    if (m_bVirtualMode)
        return TRUE;
    CMonitorCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr)
        return FALSE;
    pCell->SetState(state);
    return TRUE;
}

DWORD CMonitorGrid::GetItemState(int nRow, int nCol) const
{
    const CMonitorCellBase* pCell = GetCell(nRow, nCol);
    return pCell != nullptr ? pCell->GetState() : 0;
}

BOOL CMonitorGrid::SetItemFormat(int nRow, int nCol, DWORD nFormat)
{
    return ChangeStoredCell(nRow, nCol, [&](CMonitorCellBase& cell) { cell.SetFormat(nFormat); });
}

BOOL CMonitorGrid::SetItemBkColour(int nRow, int nCol, COLORREF cr)
{
    return ChangeStoredCell(nRow, nCol, [&](CMonitorCellBase& cell) { cell.SetBackClr(cr); });
}

BOOL CMonitorGrid::SetItemFgColour(int nRow, int nCol, COLORREF cr)
{
    return ChangeStoredCell(nRow, nCol, [&](CMonitorCellBase& cell) { cell.SetTextClr(cr); });
}

BOOL CMonitorGrid::SetItemFont(int nRow, int nCol, const LOGFONTA* plf)
{
    return ChangeStoredCell(nRow, nCol, [&](CMonitorCellBase& cell) { cell.SetFont(plf); });
}

void CMonitorGrid::SetModified(int nRow, int nCol)
{
    if (CMonitorCellBase* pCell = StoredCell(nRow, nCol))
        pCell->SetState(pCell->GetState() | CELL_MODIFIED);
    if (!IsValid(nRow, nCol))
        return;
    m_bModified = TRUE;
    if (nCol == m_nSortColumn)
        SetSortColumn(-1);
}

BOOL CMonitorGrid::IsCellEditable(int nRow, int nCol) const
{
    return m_bEditable && IsValid(nRow, nCol) && !(GetItemState(nRow, nCol) & CELL_READONLY);
}

void CMonitorGrid::SetFont(const LOGFONTA* plf)
{
    if (plf == nullptr)
        return;
    for (CMonitorDefaultCell* pCell : {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef})
        pCell->SetFont(plf);
    Refresh();
}

LRESULT CMonitorGrid::OnGetFont(WPARAM, LPARAM)
{
    CFont* pFont = m_cellDefault.GetFontObject();
    return reinterpret_cast<LRESULT>(pFont != nullptr ? pFont->m_hObject : nullptr);
}

LRESULT CMonitorGrid::OnSetFont(WPARAM wParam, LPARAM)
{
    LOGFONTA lf = {};
    if (wParam != 0 && ::GetObjectA(reinterpret_cast<HGDIOBJ>(wParam), sizeof lf, &lf) == sizeof lf)
        SetFont(&lf);
    return 0;
}

void CMonitorGrid::SetGridLines(int nWhichLines)
{
    m_nGridLines = nWhichLines;
    Refresh();
}

void CMonitorGrid::SetListMode(BOOL bEnableListMode)
{
    ResetSelectedRange();
    SetSortColumn(-1);
    m_bListMode = bEnableListMode;
    SetFixedRowSelection(FALSE);
    Refresh();
}

void CMonitorGrid::EnableSelection(BOOL bEnable)
{
    ResetSelectedRange();
    m_bEnableSelection = bEnable;
    ResetSelectedRange();
}

// Sizes

int CMonitorGrid::GetRowHeight(int nRow) const
{
    if (nRow < 0 || nRow >= static_cast<int>(m_arRowHeights.size()))
        return -1;
    return static_cast<int>(m_arRowHeights[static_cast<size_t>(nRow)]);
}

int CMonitorGrid::GetColumnWidth(int nCol) const
{
    if (nCol < 0 || nCol >= static_cast<int>(m_arColWidths.size()))
        return -1;
    return static_cast<int>(m_arColWidths[static_cast<size_t>(nCol)]);
}

BOOL CMonitorGrid::SetRowHeight(int nRow, int height)
{
    if (nRow < 0 || nRow >= m_nRows || height < 0)
        return FALSE;
    m_arRowHeights[static_cast<size_t>(nRow)] = static_cast<UINT>(height);
    return TRUE;
}

BOOL CMonitorGrid::SetColumnWidth(int nCol, int width)
{
    if (nCol < 0 || nCol >= m_nCols || width < 0)
        return FALSE;
    m_arColWidths[static_cast<size_t>(nCol)] = static_cast<UINT>(width);
    return TRUE;
}

int CMonitorGrid::GetFixedRowHeight() const
{
    return static_cast<int>(SumOfFirst(m_arRowHeights, m_nFixedRows));
}

int CMonitorGrid::GetFixedColumnWidth() const
{
    return static_cast<int>(SumOfFirst(m_arColWidths, m_nFixedCols));
}

long CMonitorGrid::GetVirtualWidth() const
{
    return SumOfFirst(m_arColWidths, m_nCols);
}

long CMonitorGrid::GetVirtualHeight() const
{
    return SumOfFirst(m_arRowHeights, m_nRows);
}

BOOL CMonitorGrid::AutoSizeColumn(int nCol, UINT nAutoSizeStyle, BOOL bResetScroll)
{
    if (nCol < 0 || nCol >= m_nCols)
        return FALSE;
    const int startRow = (nAutoSizeStyle & AUTOSIZE_FIXED) ? 0 : m_nFixedRows;
    const int endRow = (nAutoSizeStyle & AUTOSIZE_NONFIXED) ? m_nRows - 1 : m_nFixedRows - 1;
    if (m_bVirtualMode)
        SendCacheHint(CCellRange(startRow, nCol, endRow, nCol));
    HDC hDC = ::GetDC(m_hWnd);
    CDC dc;
    dc.Attach(hDC);
    int width = 0;
    for (int row = startRow; row <= endRow; ++row) {
        if (CMonitorCellBase* pCell = GetCell(row, nCol))
            width = std::max(width, static_cast<int>(pCell->GetCellExtent(&dc).cx));
    }
    ::ReleaseDC(m_hWnd, dc.Detach());
    if (m_bVirtualMode)
        SendCacheHint(CCellRange());
    // A cell is drawn left of its column's grid line: the width holds that pixel too.
    if (width > 0 && (m_nGridLines & GRID_LINES_VERT) != 0)
        ++width;
    SetColumnWidth(nCol, width);
    if (bResetScroll)
        ResetScrollBars();
    return TRUE;
}

BOOL CMonitorGrid::AutoSizeRow(int nRow, BOOL bResetScroll)
{
    if (nRow < 0 || nRow >= m_nRows)
        return FALSE;
    if (m_bVirtualMode)
        SendCacheHint(CCellRange(nRow, 0, nRow, m_nCols - 1));
    HDC hDC = ::GetDC(m_hWnd);
    CDC dc;
    dc.Attach(hDC);
    int height = 0;
    for (int col = 0; col < m_nCols; ++col) {
        if (CMonitorCellBase* pCell = GetCell(nRow, col))
            height = std::max(height, static_cast<int>(pCell->GetCellExtent(&dc).cy));
    }
    ::ReleaseDC(m_hWnd, dc.Detach());
    if (m_bVirtualMode)
        SendCacheHint(CCellRange());
    // A cell is drawn above its row's grid line: the height holds that pixel too.
    if (height > 0 && (m_nGridLines & GRID_LINES_HORZ) != 0)
        ++height;
    SetRowHeight(nRow, height);
    if (bResetScroll)
        ResetScrollBars();
    return TRUE;
}

void CMonitorGrid::AutoSizeColumns(UINT nAutoSizeStyle)
{
    for (int col = 0; col < m_nCols; ++col)
        AutoSizeColumn(col, nAutoSizeStyle, FALSE);
    ResetScrollBars();
}

void CMonitorGrid::AutoSizeRows()
{
    for (int row = 0; row < m_nRows; ++row)
        AutoSizeRow(row, FALSE);
    ResetScrollBars();
}

void CMonitorGrid::AutoSize(UINT nAutoSizeStyle)
{
    AutoSizeColumns(nAutoSizeStyle);
    AutoSizeRows();
    Refresh();
}

void CMonitorGrid::ExpandColumnsToFit(BOOL bExpandFixed)
{
    if (m_nCols <= 0 || m_hWnd == nullptr)
        return;
    EnableScrollBars(SB_HORZ, FALSE);
    CRect rect;
    GetClientRect(&rect);
    const int firstColumn = bExpandFixed ? 0 : m_nFixedCols;
    std::vector<int> visible;
    for (int col = firstColumn; col < m_nCols; ++col)
        if (GetColumnWidth(col) > 0)
            visible.push_back(col);
    const long difference = rect.Width() - GetVirtualWidth();
    if (visible.empty() || difference == 0)
        return;
    const long share = difference / static_cast<long>(visible.size());
    long leftOver = difference % static_cast<long>(visible.size());
    for (int col : visible) {
        long width = GetColumnWidth(col) + share;
        if (leftOver > 0) {
            ++width;
            --leftOver;
        } else if (leftOver < 0) {
            --width;
            ++leftOver;
        }
        SetColumnWidth(col, static_cast<int>(std::max(0L, width)));
    }
    Refresh();
}

// Selection

CCellRange CMonitorGrid::GetCellRange() const
{
    return CCellRange(0, 0, m_nRows - 1, m_nCols - 1);
}

CCellRange CMonitorGrid::GetSelectedRange() const
{
    if (m_SelectedCellMap.empty())
        return CCellRange();
    int minRow = INT_MAX;
    int minCol = INT_MAX;
    int maxRow = 0;
    int maxCol = 0;
    for (const auto& entry : m_SelectedCellMap) {
        const CCellID& cell = entry.second;
        minRow = std::min(minRow, cell.row);
        minCol = std::min(minCol, cell.col);
        maxRow = std::max(maxRow, cell.row);
        maxCol = std::max(maxCol, cell.col);
    }
    return CCellRange(minRow, minCol, maxRow, maxCol);
}

BOOL CMonitorGrid::IsCellSelected(int nRow, int nCol) const
{
    return m_SelectedCellMap.count(CellKey(nRow, nCol)) != 0;
}

void CMonitorGrid::ClearSelection()
{
    m_PrevSelectedCellMap.clear();
    SetSelectedRange(-1, -1, -1, -1);
}

void CMonitorGrid::ResetSelectedRange()
{
    ClearSelection();
    if (m_idCurrentCell.row != -1 && m_idCurrentCell.col != -1)
        SetFocusCell(-1, -1);
}

void CMonitorGrid::SelectAllCells()
{
    if (!m_bEnableSelection)
        return;
    SetSelectedRange(m_nFixedRows, m_nFixedCols, m_nRows - 1, m_nCols - 1);
}

void CMonitorGrid::SetSelectedRange(const CCellRange& range, BOOL bForceRepaint, BOOL bSelectCells)
{
    SetSelectedRange(range.GetMinRow(), range.GetMinCol(), range.GetMaxRow(), range.GetMaxCol(), bForceRepaint,
                     bSelectCells);
}

void CMonitorGrid::SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol, BOOL bForceRepaint,
                                    BOOL bSelectCells)
{
    if (!m_bEnableSelection)
        return;
    CWaitCursor wait;

    // Only non-fixed cells are selected (column 0 on when fixed columns are selectable).
    const int firstCol = m_bFixedColumnsSelectable ? 0 : m_nFixedCols;
    if (nMinRow >= 0 && nMinRow < m_nFixedRows)
        nMinRow = m_nFixedRows;
    if (nMaxRow >= 0 && nMaxRow < m_nFixedRows)
        nMaxRow = m_nFixedRows;
    if (nMinCol >= 0 && nMinCol < firstCol)
        nMinCol = firstCol;
    if (nMaxCol >= 0 && nMaxCol < firstCol)
        nMaxCol = firstCol;
    if (nMaxRow >= m_nRows)
        nMaxRow = m_nRows - 1;
    if (nMaxCol >= m_nCols)
        nMaxCol = m_nCols - 1;
    const CCellRange range(nMinRow, nMinCol, nMaxRow, nMaxCol);
    const CCellRange visible = GetVisibleNonFixedCellRange();
    std::vector<CCellID> changed;

    // Deselect what lies outside the new range.
    std::vector<CCellID> selected;
    selected.reserve(m_SelectedCellMap.size());
    for (const auto& entry : m_SelectedCellMap)
        selected.push_back(entry.second);
    for (const CCellID& cell : selected) {
        if (!IsValid(cell)) {
            m_SelectedCellMap.erase(CellKey(cell.row, cell.col));
            continue;
        }
        if (bSelectCells && range.InRange(cell))
            continue;
        SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) & ~CELL_SELECTED);
        changed.push_back(cell);
    }

    // The cells selected when the drag began stay selected.
    if (bSelectCells && !(m_bListMode && m_bSingleRowSelection)) {
        for (const auto& entry : m_PrevSelectedCellMap) {
            const CCellID& cell = entry.second;
            if (IsValid(cell) && !IsCellSelected(cell.row, cell.col)) {
                SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | CELL_SELECTED);
                changed.push_back(cell);
            }
        }
    }

    if (bSelectCells && range.IsValid() && IsValid(range)) {
        for (int row = nMinRow; row <= nMaxRow; ++row)
            for (int col = nMinCol; col <= nMaxCol; ++col)
                if (!IsCellSelected(row, col)) {
                    SetItemState(row, col, GetItemState(row, col) | CELL_SELECTED);
                    changed.push_back(CCellID(row, col));
                }
    }

    if (bForceRepaint) {
        Refresh();
        return;
    }
    for (const CCellID& cell : changed)
        if (visible.InRange(cell))
            RedrawCell(cell.row, cell.col);
}

CCellID CMonitorGrid::SetFocusCell(CCellID cell)
{
    if (cell == m_idCurrentCell)
        return m_idCurrentCell;
    const CCellID previous = m_idCurrentCell;
    m_idCurrentCell = IsValid(cell) ? cell : CCellID();

    if (IsValid(previous)) {
        if (!m_bVirtualMode)
            if (CMonitorCellBase* pCell = GetCell(previous.row, previous.col))
                pCell->SetState(pCell->GetState() & ~CELL_FOCUSED);
        RedrawCell(previous.row, previous.col);
        if (m_bTrackFocusCell)
            RedrawFixedCellsOf(previous);
    }
    if (IsValid(m_idCurrentCell)) {
        if (!m_bVirtualMode)
            if (CMonitorCellBase* pCell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col))
                pCell->SetState(pCell->GetState() | CELL_FOCUSED);
        RedrawCell(m_idCurrentCell.row, m_idCurrentCell.col);
        if (m_bTrackFocusCell)
            RedrawFixedCellsOf(m_idCurrentCell);
    }
    return previous;
}

void CMonitorGrid::OnSelecting(const CCellID& currentCell)
{
    if (!m_bEnableSelection)
        return;
    switch (m_MouseMode) {
    case MOUSE_SELECT_ALL:
        SelectAllCells();
        break;
    case MOUSE_SELECT_COL:
        SelectColumns(currentCell);
        break;
    case MOUSE_SELECT_ROW:
        SelectRows(currentCell);
        break;
    case MOUSE_SELECT_CELLS:
        SelectCells(currentCell);
        break;
    default:
        break;
    }
}

void CMonitorGrid::SelectColumns(CCellID currentCell, BOOL bForceRedraw, BOOL bSelectCells)
{
    if (currentCell.col < m_nFixedCols || !IsValid(m_SelectionStartCell))
        return;
    if (m_bSingleColSelection)
        SetSelectedRange(m_nFixedRows, currentCell.col, m_nRows - 1, currentCell.col, bForceRedraw, bSelectCells);
    else
        SetSelectedRange(m_nFixedRows, std::min(m_SelectionStartCell.col, currentCell.col), m_nRows - 1,
                         std::max(m_SelectionStartCell.col, currentCell.col), bForceRedraw, bSelectCells);
}

void CMonitorGrid::SelectRows(CCellID currentCell, BOOL bForceRedraw, BOOL bSelectCells)
{
    if (currentCell.row < m_nFixedRows || !IsValid(m_SelectionStartCell))
        return;
    const int firstCol = m_bFixedColumnsSelectable ? 0 : m_nFixedCols;
    if (m_bListMode && m_bSingleRowSelection)
        SetSelectedRange(currentCell.row, firstCol, currentCell.row, m_nCols - 1, bForceRedraw, bSelectCells);
    else
        SetSelectedRange(std::min(m_SelectionStartCell.row, currentCell.row), firstCol,
                         std::max(m_SelectionStartCell.row, currentCell.row), m_nCols - 1, bForceRedraw, bSelectCells);
}

void CMonitorGrid::SelectCells(CCellID currentCell, BOOL bForceRedraw, BOOL bSelectCells)
{
    if (!IsValid(m_SelectionStartCell) || !IsValid(currentCell))
        return;
    const int row = currentCell.row;
    const int col = currentCell.col;
    if (row < m_nFixedRows || col < m_nFixedCols)
        return;
    SetSelectedRange(std::min(m_SelectionStartCell.row, row), std::min(m_SelectionStartCell.col, col),
                     std::max(m_SelectionStartCell.row, row), std::max(m_SelectionStartCell.col, col), bForceRedraw,
                     bSelectCells);
}

// Sorting

int CALLBACK CMonitorGrid::CompareCellTexts(LPARAM lParam1, LPARAM lParam2, LPARAM)
{
    const CMonitorCellBase* pCell1 = reinterpret_cast<const CMonitorCellBase*>(lParam1);
    const CMonitorCellBase* pCell2 = reinterpret_cast<const CMonitorCellBase*>(lParam2);
    if (pCell1 == nullptr || pCell2 == nullptr)
        return 0;
    return _mbscmp(reinterpret_cast<const unsigned char*>(pCell1->GetText()),
                   reinterpret_cast<const unsigned char*>(pCell2->GetText()));
}

int CALLBACK CMonitorGrid::CompareCellNumbers(LPARAM lParam1, LPARAM lParam2, LPARAM)
{
    const CMonitorCellBase* pCell1 = reinterpret_cast<const CMonitorCellBase*>(lParam1);
    const CMonitorCellBase* pCell2 = reinterpret_cast<const CMonitorCellBase*>(lParam2);
    if (pCell1 == nullptr || pCell2 == nullptr)
        return 0;
    const long n1 = atol(pCell1->GetText());
    const long n2 = atol(pCell2->GetText());
    return n1 < n2 ? -1 : (n1 > n2 ? 1 : 0);
}

void CMonitorGrid::SetSortColumn(int nCol)
{
    if (m_nSortColumn == nCol)
        return;
    if (m_nSortColumn >= 0)
        RedrawCell(0, m_nSortColumn);
    m_nSortColumn = nCol;
    if (nCol >= 0)
        RedrawCell(0, nCol);
}

BOOL CMonitorGrid::SortTextItems(int nCol, BOOL bAscending, LPARAM data)
{
    return SortItems(CompareCellTexts, nCol, bAscending, data);
}

BOOL CMonitorGrid::SortItems(int nCol, BOOL bAscending, LPARAM data)
{
    SetSortColumn(nCol);
    SetSortAscending(bAscending);
    ResetSelectedRange();
    SetFocusCell(-1, -1);
    if (m_bVirtualMode) {
        SortRowOrder(nCol, bAscending, m_nFixedRows, m_nRows - 1);
        Refresh();
        return TRUE;
    }
    const BOOL sorted =
        SortItems(m_pfnCompare != nullptr ? m_pfnCompare : CompareCellTexts, nCol, bAscending, data, m_nFixedRows, -1);
    Refresh();
    return sorted;
}

BOOL CMonitorGrid::SortItems(PFNLVCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data, int low, int high)
{
    if (nCol < 0 || nCol >= m_nCols || pfnCompare == nullptr || m_bVirtualMode)
        return FALSE;
    if (high == -1)
        high = m_nRows - 1;
    if (low < 0 || high >= m_nRows || low >= high)
        return low >= 0 && high < m_nRows;
    SortRowRange(pfnCompare, nCol, bAscending, data, low, high);
    return TRUE;
}

void CMonitorGrid::SwapRows(int nRow1, int nRow2)
{
    GridRow& row1 = m_RowData[static_cast<size_t>(nRow1)];
    GridRow& row2 = m_RowData[static_cast<size_t>(nRow2)];
    for (int col = 0; col < m_nCols; ++col) {
        CMonitorCellBase* pCell1 = row1[static_cast<size_t>(col)];
        CMonitorCellBase* pCell2 = row2[static_cast<size_t>(col)];
        PutCell(nRow1, col, pCell2);
        PutCell(nRow2, col, pCell1);
    }
    std::swap(m_arRowHeights[static_cast<size_t>(nRow1)], m_arRowHeights[static_cast<size_t>(nRow2)]);
}

// A quicksort over rows that moves whole rows; rows equal to each other stay where they are.
void CMonitorGrid::SortRowRange(PFNLVCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data, int low, int high)
{
    while (low < high) {
        int lo = low;
        int hi = high;
        const LPARAM pivot = reinterpret_cast<LPARAM>(GetCell((low + high) / 2, nCol));
        auto cellAt = [this, nCol](int row) { return reinterpret_cast<LPARAM>(GetCell(row, nCol)); };
        while (lo <= hi) {
            if (bAscending) {
                while (lo < high && pfnCompare(cellAt(lo), pivot, data) < 0)
                    ++lo;
                while (hi > low && pfnCompare(cellAt(hi), pivot, data) > 0)
                    --hi;
            } else {
                while (lo < high && pfnCompare(cellAt(lo), pivot, data) > 0)
                    ++lo;
                while (hi > low && pfnCompare(cellAt(hi), pivot, data) < 0)
                    --hi;
            }
            if (lo <= hi) {
                if (pfnCompare(cellAt(lo), cellAt(hi), data) != 0)
                    SwapRows(lo, hi);
                ++lo;
                --hi;
            }
        }
        // Recurse into the smaller part, loop over the larger one (bounded stack depth).
        if (hi - low < high - lo) {
            if (low < hi)
                SortRowRange(pfnCompare, nCol, bAscending, data, low, hi);
            low = lo;
        } else {
            if (lo < high)
                SortRowRange(pfnCompare, nCol, bAscending, data, lo, high);
            high = hi;
        }
    }
}

void CMonitorGrid::SortRowOrder(int nCol, BOOL bAscending, int low, int high)
{
    if (m_pfnVirtualCompare == nullptr || low >= high || high >= static_cast<int>(m_arRowOrder.size()))
        return;
    VirtualCompareFunction compare = m_pfnVirtualCompare;
    std::stable_sort(m_arRowOrder.begin() + low, m_arRowOrder.begin() + high + 1, [=](int row1, int row2) {
        const int order = compare(row1, row2, nCol);
        return bAscending ? order < 0 : order > 0;
    });
}

// Clipboard and cell changes

BOOL CMonitorGrid::ChangeCellText(int nRow, int nCol, LPCSTR szText)
{
    if (!IsCellEditable(nRow, nCol))
        return FALSE;
    if (SendMessageToParent(nRow, nCol, LVN_BEGINLABELEDITA) < 0)
        return FALSE;
    const CString previous = GetItemText(nRow, nCol);
    if (previous == szText)
        return TRUE;
    SetItemText(nRow, nCol, szText);
    if (ValidateEdit(nRow, nCol, szText) && SendMessageToParent(nRow, nCol, LVN_ENDLABELEDITA) >= 0) {
        SetModified(nRow, nCol);
        RedrawCell(nRow, nCol);
        return TRUE;
    }
    SetItemText(nRow, nCol, previous);
    return FALSE;
}

void CMonitorGrid::CutSelectedText()
{
    if (!m_bEditable)
        return;
    std::vector<CCellID> selected;
    for (const auto& entry : m_SelectedCellMap)
        selected.push_back(entry.second);
    m_bClearingCells = true;
    for (const CCellID& cell : selected)
        ChangeCellText(cell.row, cell.col, "");
    m_bClearingCells = false;
}

COleDataSource* CMonitorGrid::CopyTextFromGrid()
{
    const CCellRange selection = GetSelectedRange();
    if (!IsValid(selection))
        return nullptr;
    SendCacheHint(selection);
    CString text;
    for (int row = selection.GetMinRow(); row <= selection.GetMaxRow(); ++row) {
        if (GetRowHeight(row) <= 0)
            continue;
        for (int col = selection.GetMinCol(); col <= selection.GetMaxCol(); ++col) {
            if (GetColumnWidth(col) <= 0)
                continue;
            const CMonitorCellBase* pCell = GetCell(row, col);
            if (pCell != nullptr && (pCell->GetState() & CELL_SELECTED))
                text += pCell->GetText();
            if (col != selection.GetMaxCol())
                text += '\t';
        }
        if (row != selection.GetMaxRow())
            text += "\r\n";
    }
    SendCacheHint(CCellRange());

    const SIZE_T size = static_cast<SIZE_T>(text.GetLength()) + 1;
    HGLOBAL hMem = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, size);
    if (hMem == nullptr)
        return nullptr;
    if (char* target = static_cast<char*>(::GlobalLock(hMem))) {
        memcpy(target, static_cast<LPCSTR>(text), size);
        ::GlobalUnlock(hMem);
    }
    COleDataSource* pSource = new COleDataSource;
    pSource->CacheGlobalData(CF_TEXT, hMem);
    return pSource;
}

BOOL CMonitorGrid::PasteTextToGrid(CCellID cell, COleDataObject* pDataObject, BOOL bSelectPastedCells)
{
    if (!IsValid(cell) || !IsCellEditable(cell.row, cell.col) || pDataObject == nullptr ||
        !pDataObject->IsDataAvailable(CF_TEXT))
        return FALSE;
    const CString text = ReadClipboardText(pDataObject);

    // Tabs part the columns and line feeds the rows; hidden rows and columns
    // are passed over, as copying leaves them out.
    int row = cell.row;
    int lastRow = cell.row;
    int lastCol = cell.col;
    for (CString line : SplitText(text, '\n')) {
        while (row < m_nRows && GetRowHeight(row) <= 0)
            ++row;
        if (row >= m_nRows)
            break;
        if (!line.IsEmpty() && line[line.GetLength() - 1] == '\r')
            line = line.Left(line.GetLength() - 1);
        int col = cell.col;
        int start = 0;
        while (start <= line.GetLength()) {
            int end = line.Find('\t', start);
            if (end < 0)
                end = line.GetLength();
            while (col < m_nCols && GetColumnWidth(col) <= 0)
                ++col;
            if (col >= m_nCols)
                break;
            ChangeCellText(row, col, line.Mid(start, end - start));
            lastCol = std::max(lastCol, col);
            ++col;
            start = end + 1;
        }
        lastRow = row;
        ++row;
    }
    if (bSelectPastedCells)
        SetSelectedRange(cell.row, cell.col, lastRow, lastCol);
    return TRUE;
}

BOOL CMonitorGrid::CanPaste()
{
    if (!IsValid(m_idCurrentCell) || !IsCellEditable(m_idCurrentCell.row, m_idCurrentCell.col))
        return FALSE;
    COleDataObject data;
    return data.AttachClipboard() && data.IsDataAvailable(CF_TEXT);
}

void CMonitorGrid::OnEditCut()
{
    if (!m_bEditable)
        return;
    COleDataSource* pSource = CopyTextFromGrid();
    if (pSource == nullptr)
        return;
    pSource->SetClipboard();
    CutSelectedText();
}

void CMonitorGrid::OnEditCopy()
{
    if (COleDataSource* pSource = CopyTextFromGrid())
        pSource->SetClipboard();
}

void CMonitorGrid::OnEditPaste()
{
    if (!m_bEditable)
        return;
    CCellID cell = m_idCurrentCell;
    if (!IsValid(cell))
        cell = GetSelectedRange().GetTopLeft();
    if (!IsValid(cell))
        return;
    COleDataObject data;
    if (data.AttachClipboard())
        PasteTextToGrid(cell, &data);
}

void CMonitorGrid::OnEditSelectAll()
{
    SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, LVN_ITEMCHANGING);
    SelectAllCells();
    SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, LVN_ITEMCHANGED);
}

void CMonitorGrid::OnEditCopyCommand()
{
    OnEditCopy();
}

void CMonitorGrid::OnEditCutCommand()
{
    OnEditCut();
}

void CMonitorGrid::OnEditPasteCommand()
{
    OnEditPaste();
}

void CMonitorGrid::OnEditSelectAllCommand()
{
    OnEditSelectAll();
}

void CMonitorGrid::OnUpdateEditCopy(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanCopy());
}

void CMonitorGrid::OnUpdateEditCut(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanCut());
}

void CMonitorGrid::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanPaste());
}

void CMonitorGrid::OnUpdateEditSelectAll(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanSelectAll());
}

// In-place editing

void CMonitorGrid::OnEditCell(int nRow, int nCol, CPoint point, UINT nChar)
{
    if (m_bTitleTips && m_TitleTip.IsCreated())
        m_TitleTip.Hide();
    if (!IsCellEditable(nRow, nCol) || m_hWnd == nullptr)
        return;
    CMonitorCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr)
        return;
    if (!IsCellVisible(nRow, nCol))
        EnsureVisible(nRow, nCol);
    CRect rect;
    if (!GetCellRect(nRow, nCol, &rect))
        return;
    if (SendMessageToParent(nRow, nCol, LVN_BEGINLABELEDITA) >= 0)
        pCell->Edit(nRow, nCol, rect, point, kInPlaceControlId, nChar);
}

void CMonitorGrid::OnEndEditCell(int nRow, int nCol, CString str)
{
    const CString previous = GetItemText(nRow, nCol);
    if (previous != str) {
        if (!m_bVirtualMode)
            SetItemText(nRow, nCol, str);
        if (ValidateEdit(nRow, nCol, str) && SendMessageToParent(nRow, nCol, LVN_ENDLABELEDITA) >= 0) {
            SetModified(nRow, nCol);
            RedrawCell(nRow, nCol);
        } else {
            SetItemText(nRow, nCol, previous);
        }
    }
    if (CMonitorCellBase* pCell = GetCell(nRow, nCol))
        pCell->OnEndEdit();
}

BOOL CMonitorGrid::ValidateEdit(int nRow, int nCol, LPCSTR str)
{
    CMonitorCellBase* pCell = GetCell(nRow, nCol);
    return pCell == nullptr || pCell->ValidateEdit(str);
}

void CMonitorGrid::EndEditing()
{
    if (!IsValid(m_idCurrentCell))
        return;
    if (CMonitorCellBase* pCell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col))
        pCell->EndEdit();
}

void CMonitorGrid::OnEndInPlaceEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMLVDISPINFOA* info = reinterpret_cast<const NMLVDISPINFOA*>(pNMHDR);
    *pResult = 0;
    OnEndEditCell(info->item.iItem, info->item.iSubItem, info->item.pszText != nullptr ? info->item.pszText : "");
    const UINT key = static_cast<UINT>(info->item.lParam);
    if (m_bDestroying)
        return;
    if (key == VK_TAB || IsNavigationKey(key)) {
        OnKeyDown(key, 0, 0);
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), key);
    }
}
