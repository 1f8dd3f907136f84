// CGridList: creation, columns and their traits, sorting, copying, deleting and the context menus.
// (Mouse, keyboard and editing are in grid_list_input.cpp, drawing in grid_list_draw.cpp.)
#include "corvel/controls/grid_list.h"

#include "corvel/model/project_records.h"
#include "corvel/resources/resource.h"
#include "corvel/controls/grid_editors.h"
#include "toolkit/common/system.h"

#include <uxtheme.h>

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CGridList, CListCtrl)

namespace {

// Texts are read through fixed buffers of this many characters for sorting and headings.
constexpr int kTextBufferSize = 256;
// The column picker's items: the column manager's items 1 to 3, then one per column from here.
constexpr UINT kFirstColumnMenuId = 4;
constexpr int kColumnManagerItems = 3;
// The drawn sort arrow: a triangle on the button face, on the right of the heading.
constexpr int kSortArrowSize = 16;

// Stops in the debugger when one is attached: a list that breaks the grid's rules is a programming error.
void StopOnProgrammingError()
{
    if (::IsDebuggerPresent())
        ::DebugBreak();
}

// The version DllGetVersion gives for version 6 of the common controls (major in the high word).
constexpr DWORD kThemedCommonControls = MAKELONG(0, 6);

// Whether the system draws themed controls: UxTheme says so and the common controls are version 6;
// with checkSystemVersion also a system of version 6.0 or later. The libraries are loaded for the call.
bool AreThemesActive(bool checkSystemVersion)
{
    CKitModuleHandle uxTheme;
    if (!uxTheme.Load("UxTheme.dll"))
        return false;
    using BoolQuery = BOOL(WINAPI*)();
    BoolQuery isAppThemed = nullptr;
    BoolQuery isThemeActive = nullptr;
    if (!uxTheme.GetProcAddress(&isAppThemed, "IsAppThemed") ||
        !uxTheme.GetProcAddress(&isThemeActive, "IsThemeActive") || !isAppThemed() || !isThemeActive())
        return false;
    if (ReadCommonControlsVersion("comctl32.dll") < kThemedCommonControls)
        return false;
    return !checkSystemVersion || CKitOsVersion::Instance()->IsVersionAtLeast(6, 0);
}

// The comparison of the list view's sort: row keys stand in the item data while it runs.
struct SortContext {
    CColumnTrait* trait;
    bool ascending;
    std::vector<CString> texts;
};

int CALLBACK CompareRows(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort)
{
    auto* context = reinterpret_cast<SortContext*>(lParamSort);
    return context->trait->OnSortRows(context->texts[static_cast<size_t>(lParam1)],
                                      context->texts[static_cast<size_t>(lParam2)], context->ascending);
}

// The header takes '&' as the mark of a mnemonic: a heading's own ampersands go to it doubled.
CString HeaderText(LPCSTR heading)
{
    CString text(heading);
    text.Replace("&", "&&");
    return text;
}

// The column's settings with its heading as the header shows it; text keeps the doubled heading.
LVCOLUMNA WithHeaderText(const LVCOLUMNA& column, CString& text)
{
    LVCOLUMNA copy = column;
    if ((column.mask & LVCF_TEXT) != 0 && column.pszText != nullptr && column.pszText != LPSTR_TEXTCALLBACKA) {
        text = HeaderText(column.pszText);
        copy.pszText = text.GetBuffer();
    }
    return copy;
}

__time64_t SystemClock()
{
    return _time64(nullptr);
}

CGridList::SearchClock g_searchClock = &SystemClock;

} // namespace

__time64_t CGridList::SearchNow()
{
    return g_searchClock();
}

CGridList::SearchClock CGridList::SetSearchClock(SearchClock clock)
{
    SearchClock previous = g_searchClock;
    g_searchClock = clock != nullptr ? clock : &SystemClock;
    return previous;
}

BEGIN_MESSAGE_MAP(CGridList, CListCtrl)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_MESSAGE(LVM_DELETECOLUMN, &CGridList::OnDeleteColumn)
    ON_MESSAGE(LVM_INSERTCOLUMNA, &CGridList::OnInsertColumnA)
    ON_MESSAGE(LVM_INSERTCOLUMNW, &CGridList::OnInsertColumn)
    ON_MESSAGE(LVM_SETCOLUMNA, &CGridList::OnSetColumnA)
    ON_MESSAGE(LVM_GETCOLUMNA, &CGridList::OnGetColumnA)
    ON_MESSAGE(LVM_SETCOLUMNWIDTH, &CGridList::OnSetColumnWidth)
    ON_MESSAGE(WM_COPY, &CGridList::OnCopy)
    ON_NOTIFY_REFLECT_EX(NM_CLICK, &CGridList::OnItemClick)
    ON_NOTIFY_REFLECT_EX(NM_DBLCLK, &CGridList::OnItemDblClick)
    ON_NOTIFY_REFLECT_EX(LVN_GETDISPINFOA, &CGridList::OnGetDispInfo)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CGridList::OnCustomDraw)
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, &CGridList::OnHeaderClick)
    ON_NOTIFY_REFLECT_EX(LVN_BEGINLABELEDITA, &CGridList::OnBeginLabelEdit)
    ON_NOTIFY_REFLECT_EX(LVN_ENDLABELEDITA, &CGridList::OnEndLabelEdit)
    ON_NOTIFY_REFLECT_EX(LVN_ODFINDITEMA, &CGridList::OnOwnerDataFindItem)
    ON_NOTIFY_REFLECT_EX(LVN_ITEMCHANGING, &CGridList::OnItemChange)
    ON_NOTIFY_REFLECT_EX(LVN_ITEMCHANGED, &CGridList::OnItemChange)
    ON_NOTIFY_REFLECT_EX(LVN_INSERTITEM, &CGridList::OnRowCountChange)
    ON_NOTIFY_REFLECT_EX(LVN_DELETEITEM, &CGridList::OnRowCountChange)
    ON_NOTIFY_EX_RANGE(HDN_DIVIDERDBLCLICKA, 0, 0xFFFF, &CGridList::OnHeaderDividerDblClick)
    ON_NOTIFY_EX_RANGE(HDN_DIVIDERDBLCLICKW, 0, 0xFFFF, &CGridList::OnHeaderDividerDblClick)
    ON_NOTIFY_EX_RANGE(HDN_BEGINTRACKA, 0, 0xFFFF, &CGridList::OnHeaderBeginResize)
    ON_NOTIFY_EX_RANGE(HDN_BEGINTRACKW, 0, 0xFFFF, &CGridList::OnHeaderBeginResize)
    ON_NOTIFY_EX_RANGE(HDN_ENDTRACKA, 0, 0xFFFF, &CGridList::OnHeaderEndResize)
    ON_NOTIFY_EX_RANGE(HDN_ENDTRACKW, 0, 0xFFFF, &CGridList::OnHeaderEndResize)
    ON_NOTIFY_EX_RANGE(HDN_BEGINDRAG, 0, 0xFFFF, &CGridList::OnHeaderBeginDrag)
    ON_NOTIFY_EX_RANGE(HDN_ENDDRAG, 0, 0xFFFF, &CGridList::OnHeaderEndDrag)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFFFFFF, &CGridList::OnToolNeedText)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFFFFFF, &CGridList::OnToolNeedText)
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_CONTEXTMENU()
    ON_WM_PAINT()
    ON_WM_KILLFOCUS()
    ON_COMMAND(ID_GRID_DELETE, &CGridList::OnDeleteSelected)
END_MESSAGE_MAP()

CGridList::CGridList()
    : m_pColumnManager(std::make_unique<CColumnManager>()), m_pDefaultRowTrait(std::make_unique<CRowTraitText>())
{
}

CGridList::~CGridList()
{
    // The window (and an open editor with it) goes while the traits still exist.
    if (m_hWnd != nullptr)
        DestroyWindow();
    while (!m_columnTraits.empty())
        m_columnTraits.pop_back();
}

// Creation

BOOL CGridList::PreCreateWindow(CREATESTRUCT& cs)
{
    m_creating = true;
    return CListCtrl::PreCreateWindow(cs);
}

void CGridList::PreSubclassWindow()
{
    CListCtrl::PreSubclassWindow();
    // A list being created gets its styles in OnCreate, once the list view exists.
    if (!m_creating)
        OnCreateStyle();
}

int CGridList::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    const int result = CListCtrl::OnCreate(lpCreateStruct);
    m_creating = false;
    if (result == 0)
        OnCreateStyle();
    return result;
}

void CGridList::OnCreateStyle()
{
    const DWORD style = GetStyle();
    if ((style & LVS_TYPEMASK) != LVS_REPORT || (style & LVS_OWNERDRAWFIXED) != 0)
        StopOnProgrammingError();
    ModifyStyle(0, LVS_SHOWSELALWAYS);
    SetExtendedStyle(GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP | LVS_EX_GRIDLINES |
                     LVS_EX_SUBITEMIMAGES | LVS_EX_DOUBLEBUFFER);
    EnableVisualStyles(true);
    EnableToolTips(TRUE);
    if (CToolTipCtrl* tips = GetToolTips())
        tips->Activate(FALSE);
}

LRESULT CGridList::EnableVisualStyles(bool enable)
{
    m_visualStyle = false;
    if (!enable || !AreThemesActive(true))
        return 1;
    CKitModuleHandle uxTheme;
    using OpenTheme = HTHEME(WINAPI*)(HWND, LPCWSTR);
    using CloseTheme = HRESULT(WINAPI*)(HTHEME);
    using SetTheme = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    OpenTheme openTheme = nullptr;
    CloseTheme closeTheme = nullptr;
    SetTheme setTheme = nullptr;
    if (!uxTheme.Load("UxTheme.dll") || !uxTheme.GetProcAddress(&openTheme, "OpenThemeData") ||
        !uxTheme.GetProcAddress(&closeTheme, "CloseThemeData") ||
        !uxTheme.GetProcAddress(&setTheme, "SetWindowTheme"))
        return 1;
    HTHEME theme = openTheme(m_hWnd, L"ListView");
    if (theme == nullptr)
        return 1;
    closeTheme(theme);
    const HRESULT result = setTheme(m_hWnd, L"Explorer", nullptr);
    if (result == S_OK) {
        m_visualStyle = true;
        SetExtendedStyle(GetExtendedStyle() | LVS_EX_DOUBLEBUFFER);
    }
    return result;
}

void CGridList::OnDestroy()
{
    for (int col = GetColumnCount() - 1; col >= 0; --col)
        DropHeaderBitmap(col);
    CListCtrl::OnDestroy();
}

// State of the list view

int CGridList::GetColumnCount() const
{
    CHeaderCtrl* header = GetHeaderCtrl();
    return header != nullptr ? header->GetItemCount() : 0;
}

std::vector<int> CGridList::GetColumnOrder() const
{
    std::vector<int> order(static_cast<size_t>(GetColumnCount()));
    if (!order.empty() && !GetColumnOrderArray(order.data(), static_cast<int>(order.size()))) {
        for (size_t i = 0; i < order.size(); ++i)
            order[i] = static_cast<int>(i);
    }
    return order;
}

bool CGridList::IsOwnerData() const
{
    return (GetStyle() & LVS_OWNERDATA) != 0;
}

bool CGridList::HasCheckBoxes() const
{
    return (GetExtendedStyle() & LVS_EX_CHECKBOXES) != 0;
}

int CGridList::GetFocusRow() const
{
    return GetNextItem(-1, LVNI_FOCUSED);
}

void CGridList::SetFocusRow(int row)
{
    SetItemState(row, LVIS_FOCUSED, LVIS_FOCUSED);
}

bool CGridList::IsRowSelected(int row) const
{
    return GetItemState(row, LVIS_SELECTED) == LVIS_SELECTED;
}

void CGridList::SelectRow(int row, bool select)
{
    SetItemState(row, select ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

int CGridList::GetCellImageIndex(int row, int col) const
{
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iSubItem = col;
    if (!GetItem(&item))
        return -1;
    return item.iImage >= 0 ? item.iImage : -1;
}

bool CGridList::IsCellCallback(int row, int col) const
{
    if (IsOwnerData())
        return true;
    char buffer[2] = {};
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_NORECOMPUTE;
    item.iItem = row;
    item.iSubItem = col;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    return GetItem(&item) && item.pszText == LPSTR_TEXTCALLBACKA;
}

int CGridList::InsertRowTextList(int row, int count, const std::vector<LPCSTR>& texts)
{
    const int columns = std::min(count, static_cast<int>(texts.size()));
    if (columns <= 0)
        return -1;
    // Through the list view's own procedure, as in SortColumn.
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row < 0 ? GetItemCount() : row;
    item.pszText = const_cast<LPSTR>(texts[0]);
    const int inserted = static_cast<int>(DefWindowProc(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (inserted < 0)
        return inserted;
    for (int col = 1; col < columns; ++col) {
        if (texts[static_cast<size_t>(col)] == nullptr)
            continue;
        item = {};
        item.iSubItem = col;
        item.pszText = const_cast<LPSTR>(texts[static_cast<size_t>(col)]);
        DefWindowProc(LVM_SETITEMTEXTA, static_cast<WPARAM>(inserted), reinterpret_cast<LPARAM>(&item));
    }
    return inserted;
}

void CGridList::SetEmptyListText(LPCSTR text)
{
    m_emptyListText = text != nullptr ? text : "";
    if (m_hWnd != nullptr && GetItemCount() == 0)
        Invalidate();
}

BOOL CGridList::OnRowCountChange(NMHDR* pNMHDR, LRESULT*)
{
    // The centred empty-list text comes and goes with the first row.
    if (m_emptyListText.IsEmpty())
        return FALSE;
    const int count = GetItemCount();
    const bool first = pNMHDR->code == static_cast<UINT>(LVN_INSERTITEM) && count == 1;
    const bool last = pNMHDR->code == static_cast<UINT>(LVN_DELETEITEM) && count == 1;
    if (first || last)
        Invalidate();
    return FALSE;
}

BOOL CGridList::OnItemChange(NMHDR*, LRESULT* pResult)
{
    // The sort's temporary row keys are no change the owner should see.
    *pResult = 0;
    return m_sortKeysActive ? TRUE : FALSE;
}

// Fonts and row traits

CFont* CGridList::GetGridFont()
{
    return m_pGridFont ? m_pGridFont.get() : GetFont();
}

void CGridList::SetCellMargin(double margin)
{
    m_margin = margin;
    // The grid font is taken once: later margins scale the same font.
    if (!m_pGridFont) {
        LOGFONTA font = {};
        CFont* windowFont = GetFont();
        if (windowFont == nullptr || !windowFont->GetLogFont(&font))
            ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
        m_pGridFont = std::make_unique<CFont>();
        if (!m_pGridFont->CreateFontIndirect(&font)) {
            m_pGridFont.reset();
            return;
        }
    }
    LOGFONTA font = {};
    m_pGridFont->GetLogFont(&font);
    font.lfHeight = static_cast<LONG>(font.lfHeight * margin);
    font.lfWidth = static_cast<LONG>(font.lfWidth * margin);
    auto cellFont = std::make_unique<CFont>();
    if (!cellFont->CreateFontIndirect(&font))
        return;
    SetFont(cellFont.get());
    m_pCellFont = std::move(cellFont);
    if (CHeaderCtrl* header = GetHeaderCtrl())
        header->SetFont(m_pGridFont.get());
    if (CToolTipCtrl* tips = GetToolTips())
        tips->SetFont(m_pGridFont.get());
}

CRowTrait* CGridList::GetRowTrait(int)
{
    return m_pDefaultRowTrait.get();
}

void CGridList::SetDefaultRowTrait(std::unique_ptr<CRowTrait> trait)
{
    if (trait)
        m_pDefaultRowTrait = std::move(trait);
}

void CGridList::SetColumnManager(std::unique_ptr<CColumnManager> manager)
{
    if (!manager)
        return;
    m_pColumnManager = std::move(manager);
    m_pColumnManager->ApplyState(*this);
}

// Columns and their traits

void CGridList::InsertColumnTraitAt(int col, std::unique_ptr<CColumnTrait> trait)
{
    const int at = std::clamp(col, 0, static_cast<int>(m_columnTraits.size()));
    m_columnTraits.insert(m_columnTraits.begin() + at, std::move(trait));
}

int CGridList::InsertColumnTrait(int col, LPCSTR heading, int format, int width, int subItem,
                                 std::unique_ptr<CColumnTrait> trait)
{
    if (!trait)
        trait = std::make_unique<CColumnTraitText>();
    if (trait->IsAlwaysHidden()) {
        width = 0;
        trait->SetVisible(false);
    }
    const int at = std::clamp(col, 0, GetColumnCount());
    InsertColumnTraitAt(at, std::move(trait));
    const int inserted = InsertColumn(at, heading, format, width, subItem);
    if (inserted < 0)
        DeleteColumnTrait(at);
    return inserted;
}

int CGridList::InsertHiddenLabelColumn()
{
    auto trait = std::make_unique<CColumnTraitText>();
    trait->SetAlwaysHidden(true);
    return InsertColumnTrait(0, "", LVCFMT_LEFT, 0, -1, std::move(trait));
}

CColumnTrait* CGridList::GetColumnTrait(int col)
{
    if (col < 0 || col >= static_cast<int>(m_columnTraits.size()))
        return nullptr;
    return m_columnTraits[static_cast<size_t>(col)].get();
}

int CGridList::GetColumnTraitCount() const
{
    return static_cast<int>(m_columnTraits.size());
}

void CGridList::DeleteColumnTrait(int col)
{
    if (col >= 0 && col < static_cast<int>(m_columnTraits.size()))
        m_columnTraits.erase(m_columnTraits.begin() + col);
}

CColumnTrait* CGridList::GetCellColumnTrait(int, int col)
{
    return GetColumnTrait(col);
}

bool CGridList::IsColumnVisible(int col)
{
    CColumnTrait* trait = GetColumnTrait(col);
    return trait != nullptr && trait->IsVisible();
}

int CGridList::GetFirstVisibleColumn()
{
    for (int col : GetColumnOrder()) {
        if (IsColumnVisible(col))
            return col;
    }
    return -1;
}

LRESULT CGridList::OnInsertColumn(WPARAM, LPARAM)
{
    return AfterColumnInserted(Default());
}

LRESULT CGridList::AfterColumnInserted(LRESULT inserted)
{
    // A column inserted without a trait gets a text trait.
    if (inserted >= 0 && GetColumnTraitCount() < GetColumnCount())
        InsertColumnTraitAt(static_cast<int>(inserted), std::make_unique<CColumnTraitText>());
    return inserted;
}

// Headings are read and written as they are; the header holds them with their ampersands doubled.
LRESULT CGridList::OnInsertColumnA(WPARAM wParam, LPARAM lParam)
{
    if (lParam == 0)
        return AfterColumnInserted(Default());
    CString text;
    LVCOLUMNA column = WithHeaderText(*reinterpret_cast<const LVCOLUMNA*>(lParam), text);
    return AfterColumnInserted(DefWindowProc(LVM_INSERTCOLUMNA, wParam, reinterpret_cast<LPARAM>(&column)));
}

LRESULT CGridList::OnSetColumnA(WPARAM wParam, LPARAM lParam)
{
    if (lParam == 0)
        return Default();
    CString text;
    LVCOLUMNA column = WithHeaderText(*reinterpret_cast<const LVCOLUMNA*>(lParam), text);
    return DefWindowProc(LVM_SETCOLUMNA, wParam, reinterpret_cast<LPARAM>(&column));
}

LRESULT CGridList::OnGetColumnA(WPARAM, LPARAM lParam)
{
    const LRESULT got = Default();
    auto* column = reinterpret_cast<LVCOLUMNA*>(lParam);
    if (got && column != nullptr && (column->mask & LVCF_TEXT) != 0 && column->pszText != nullptr &&
        column->pszText != LPSTR_TEXTCALLBACKA && column->cchTextMax > 0) {
        CString heading(column->pszText);
        heading.Replace("&&", "&");
        lstrcpynA(column->pszText, heading, column->cchTextMax);
    }
    return got;
}

LRESULT CGridList::OnDeleteColumn(WPARAM wParam, LPARAM)
{
    const LRESULT deleted = Default();
    if (deleted != 0)
        DeleteColumnTrait(static_cast<int>(wParam));
    return deleted;
}

LRESULT CGridList::OnSetColumnWidth(WPARAM wParam, LPARAM)
{
    const int col = static_cast<int>(wParam);
    CColumnTrait* trait = GetColumnTrait(col);
    if (trait == nullptr || !trait->IsVisible() || !trait->IsResizable())
        return FALSE;
    const LRESULT result = Default();
    if (result != 0)
        m_pColumnManager->OnColumnWidthChanged(*this, col, GetColumnWidth(col));
    return result;
}

BOOL CGridList::SetColumnWidthAuto(int col, bool includeHeader)
{
    const int width = includeHeader ? LVSCW_AUTOSIZE_USEHEADER : LVSCW_AUTOSIZE;
    if (col != -1)
        return col >= 0 && col < GetColumnCount() && SetColumnWidth(col, width);
    SetRedraw(FALSE);
    for (int i = 0; i < GetColumnCount(); ++i)
        SetColumnWidth(i, width);
    SetRedraw(TRUE);
    Invalidate();
    return TRUE;
}

BOOL CGridList::ShowColumn(int col, bool show)
{
    CColumnTrait* trait = GetColumnTrait(col);
    if (trait == nullptr || col >= GetColumnCount() || (show && trait->IsAlwaysHidden()))
        return FALSE;
    if (trait->IsVisible() == show)
        return TRUE;

    SetRedraw(FALSE);
    std::vector<int> order = GetColumnOrder();
    auto at = std::find(order.begin(), order.end(), col);
    if (at == order.end()) {
        SetRedraw(TRUE);
        return FALSE;
    }
    const int position = static_cast<int>(at - order.begin());
    order.erase(at);
    if (!show) {
        // Hidden columns wait at the front of the display order, with no width.
        trait->SetRememberedPosition(position);
        trait->SetRememberedWidth(GetColumnWidth(col));
        order.insert(order.begin(), col);
        SetColumnOrderArray(static_cast<int>(order.size()) , order.data());
        DefWindowProc(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(col), MAKELPARAM(0, 0));
        trait->SetVisible(false);
    } else {
        // Back from the front: past every column up to the remembered position, then past hidden ones.
        const int remembered = std::max(trait->GetRememberedPosition(), 0);
        size_t target = 0;
        while (target < order.size() &&
               (static_cast<int>(target) < remembered || !IsColumnVisible(order[target])))
            ++target;
        order.insert(order.begin() + static_cast<std::ptrdiff_t>(target), col);
        SetColumnOrderArray(static_cast<int>(order.size()), order.data());
        trait->SetVisible(true);
        DefWindowProc(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(col), MAKELPARAM(trait->GetRememberedWidth(), 0));
    }
    m_pColumnManager->OnColumnVisibilityChanged(*this, col, show);
    SetRedraw(TRUE);
    Invalidate();
    UpdateWindow();
    return TRUE;
}

BOOL CGridList::EnsureColumnVisible(int col, bool partialOK)
{
    CHeaderCtrl* header = GetHeaderCtrl();
    if (header == nullptr || col < 0 || col >= header->GetItemCount())
        return FALSE;
    CRect item;
    header->GetItemRect(col, &item);
    item.OffsetRect(-::GetScrollPos(m_hWnd, SB_HORZ), 0);
    CRect client;
    GetClientRect(&client);
    if (partialOK && item.right > client.left && item.left < client.right)
        return TRUE;
    int scroll = 0;
    if (item.Width() > client.Width() || item.left < client.left)
        scroll = item.left - client.left;
    else if (item.right > client.right)
        scroll = item.right - client.right;
    if (scroll != 0)
        Scroll(CSize(scroll, 0));
    return TRUE;
}

// Header notifications

BOOL CGridList::OnHeaderBeginResize(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* header = reinterpret_cast<const NMHEADERA*>(pNMHDR);
    CColumnTrait* trait = GetColumnTrait(header->iItem);
    if (trait != nullptr && trait->IsVisible() && trait->IsResizable())
        return FALSE;
    *pResult = TRUE; // no dragging of a hidden or fixed divider
    return TRUE;
}

BOOL CGridList::OnHeaderEndResize(UINT, NMHDR* pNMHDR, LRESULT*)
{
    const auto* header = reinterpret_cast<const NMHEADERA*>(pNMHDR);
    if (header->pitem != nullptr && (header->pitem->mask & HDI_WIDTH))
        m_pColumnManager->OnColumnWidthChanged(*this, header->iItem, header->pitem->cxy);
    return FALSE;
}

BOOL CGridList::OnHeaderDividerDblClick(UINT, NMHDR* pNMHDR, LRESULT*)
{
    const auto* header = reinterpret_cast<const NMHEADERA*>(pNMHDR);
    SetColumnWidthAuto(header->iItem, false);
    return TRUE;
}

BOOL CGridList::OnHeaderBeginDrag(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    // Hidden columns stay at the front: they are not dragged.
    const auto* header = reinterpret_cast<const NMHEADERA*>(pNMHDR);
    if (IsColumnVisible(header->iItem))
        return FALSE;
    *pResult = TRUE;
    return TRUE;
}

BOOL CGridList::OnHeaderEndDrag(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* header = reinterpret_cast<const NMHEADERA*>(pNMHDR);
    if (header->pitem == nullptr || !(header->pitem->mask & HDI_ORDER))
        return FALSE;
    std::vector<int> order = GetColumnOrder();
    auto at = std::find(order.begin(), order.end(), header->iItem);
    if (at == order.end())
        return FALSE;
    order.erase(at);
    size_t firstVisible = 0;
    while (firstVisible < order.size() && !IsColumnVisible(order[firstVisible]))
        ++firstVisible;
    if (header->pitem->iOrder >= static_cast<int>(firstVisible))
        return FALSE;
    // Dropped among the hidden columns: placed at the first visible position instead.
    order.insert(order.begin() + static_cast<std::ptrdiff_t>(firstVisible), header->iItem);
    SetColumnOrderArray(static_cast<int>(order.size()), order.data());
    Invalidate();
    *pResult = TRUE;
    return TRUE;
}

// Sorting

void CGridList::OnHeaderClick(NMHDR* pNMHDR, LRESULT*)
{
    SetFocus();
    const int col = reinterpret_cast<const NMLISTVIEW*>(pNMHDR)->iSubItem;
    if (col == 1 && m_firstColumnUnsortable)
        return;
    CColumnTrait* trait = GetColumnTrait(col);
    if (trait == nullptr || !trait->IsSortable())
        return;
    const bool ascending = col == m_sortColumn ? !m_ascending : true;
    if (!SortColumn(col, ascending))
        return;
    m_sortColumn = col;
    m_ascending = ascending;
    SetSortArrow(col, ascending);
}

bool CGridList::SortColumn(int col, bool ascending)
{
    if (IsOwnerData())
        return false;
    const int count = GetItemCount();
    if (count == 0)
        return true;
    CColumnTrait* trait = GetColumnTrait(col);
    if (trait == nullptr)
        return false;

    // The list view sorts by item data: each row's index stands in it while the sort runs,
    // so that the comparison finds the row's text; the owner's data goes back afterwards.
    // The rows are read and written through the list view's own procedure (nothing of
    // ours intercepts these messages; it saves a pass through our map per call).
    SortContext context{trait, ascending, {}};
    context.texts.resize(static_cast<size_t>(count));
    std::vector<DWORD_PTR> data(static_cast<size_t>(count));
    char buffer[kTextBufferSize];
    LVITEMA item = {};
    SetRedraw(FALSE);
    m_sortKeysActive = true;
    for (int row = 0; row < count; ++row) {
        buffer[0] = '\0';
        item = {};
        item.iSubItem = col;
        item.pszText = buffer;
        item.cchTextMax = kTextBufferSize;
        DefWindowProc(LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        context.texts[static_cast<size_t>(row)] = item.pszText != nullptr ? item.pszText : "";
        data[static_cast<size_t>(row)] = ReadRowData(row);
        WriteRowData(row, static_cast<DWORD_PTR>(row));
    }
    SortItems(&CompareRows, reinterpret_cast<DWORD_PTR>(&context));
    for (int row = 0; row < count; ++row) {
        const DWORD_PTR key = ReadRowData(row);
        WriteRowData(row, key < data.size() ? data[key] : 0);
    }
    m_sortKeysActive = false;
    SetRedraw(TRUE);
    Invalidate();
    return true;
}

DWORD_PTR CGridList::ReadRowData(int row)
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    return DefWindowProc(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

void CGridList::WriteRowData(int row, DWORD_PTR data)
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = static_cast<LPARAM>(data);
    DefWindowProc(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void CGridList::DropHeaderBitmap(int col)
{
    CHeaderCtrl* header = GetHeaderCtrl();
    if (header == nullptr)
        return;
    HDITEMA item = {};
    item.mask = HDI_FORMAT | HDI_BITMAP;
    if (!header->GetItem(col, &item) || !(item.fmt & HDF_BITMAP_ON_RIGHT))
        return;
    HBITMAP bitmap = item.hbm;
    item.mask = HDI_FORMAT | HDI_BITMAP;
    item.fmt &= ~(HDF_BITMAP | HDF_BITMAP_ON_RIGHT);
    item.hbm = nullptr;
    header->SetItem(col, &item);
    if (bitmap != nullptr)
        ::DeleteObject(bitmap);
}

void CGridList::SetSortArrow(int col, bool ascending)
{
    CHeaderCtrl* header = GetHeaderCtrl();
    if (header == nullptr)
        return;
    const int count = header->GetItemCount();
    if (AreThemesActive(false)) {
        for (int i = 0; i < count; ++i) {
            HDITEMA item = {};
            item.mask = HDI_FORMAT;
            if (!header->GetItem(i, &item))
                continue;
            item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
            if (i == col)
                item.fmt |= ascending ? HDF_SORTUP : HDF_SORTDOWN;
            header->SetItem(i, &item);
        }
        return;
    }

    for (int i = 0; i < count; ++i)
        DropHeaderBitmap(i);
    if (col < 0 || col >= count)
        return;
    // A black triangle on the button face, pointing up for ascending.
    CClientDC screen(nullptr);
    CDC dc;
    CBitmap arrow;
    if (!dc.CreateCompatibleDC(&screen) || !arrow.CreateCompatibleBitmap(&screen, kSortArrowSize, kSortArrowSize))
        return;
    {
        ScopedSelect bitmap(dc, arrow);
        dc.FillSolidRect(0, 0, kSortArrowSize, kSortArrowSize, ::GetSysColor(COLOR_BTNFACE));
        ScopedSelect pen(dc, ::GetStockObject(BLACK_PEN));
        ScopedSelect brush(dc, ::GetStockObject(BLACK_BRUSH));
        const POINT up[] = {{7, 5}, {4, 8}, {10, 8}};
        const POINT down[] = {{10, 6}, {4, 6}, {7, 9}};
        dc.Polygon(ascending ? up : down, 3);
    }
    HDITEMA item = {};
    item.mask = HDI_FORMAT;
    if (!header->GetItem(col, &item))
        return;
    item.mask = HDI_FORMAT | HDI_BITMAP;
    item.fmt |= HDF_BITMAP | HDF_BITMAP_ON_RIGHT;
    item.hbm = static_cast<HBITMAP>(arrow.Detach()); // the header item holds it until DropHeaderBitmap
    if (!header->SetItem(col, &item))
        ::DeleteObject(item.hbm);
}

// Copying and deleting

bool CGridList::GetCellClipboardText(int row, int col, CString& text)
{
    if (row == -1) {
        text = GetColumnHeading(col);
    } else {
        text = GetItemText(row, col);
    }
    return true;
}

CString CGridList::GetColumnHeading(int col) const
{
    char heading[kTextBufferSize] = {};
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT;
    column.pszText = heading;
    column.cchTextMax = kTextBufferSize;
    GetColumn(col, &column);
    return heading;
}

bool CGridList::GetRowClipboardText(int row, CString& text)
{
    text.Empty();
    bool first = true;
    for (int col : GetColumnOrder()) {
        if (!IsColumnVisible(col))
            continue;
        CString cell;
        GetCellClipboardText(row, col, cell);
        if (!first)
            text += '\t';
        text += cell;
        first = false;
    }
    return true;
}

bool CGridList::GetSelectionClipboardText(CString& text)
{
    if (GetSelectedCount() == 1 && m_focusCell >= 0) {
        // The selection mark names the row; a row selected without it is the one selected.
        int row = GetSelectionMark();
        if (row < 0 || !IsRowSelected(row))
            row = GetNextItem(-1, LVNI_SELECTED);
        return GetCellClipboardText(row, m_focusCell, text);
    }
    GetRowClipboardText(-1, text);
    for (int row = GetNextItem(-1, LVNI_SELECTED); row >= 0; row = GetNextItem(row, LVNI_SELECTED)) {
        CString line;
        GetRowClipboardText(row, line);
        text += "\r\n";
        text += line;
    }
    return true;
}

void CGridList::CopySelectionToClipboard()
{
    CString text;
    if (!GetSelectionClipboardText(text))
        return;
    const size_t size = static_cast<size_t>(text.GetLength()) + 1;
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (memory == nullptr)
        return;
    void* bytes = ::GlobalLock(memory);
    if (bytes == nullptr) {
        ::GlobalFree(memory);
        return;
    }
    std::memcpy(bytes, static_cast<LPCSTR>(text), size);
    ::GlobalUnlock(memory);
    if (!::OpenClipboard(m_hWnd)) {
        ::GlobalFree(memory);
        return;
    }
    // The clipboard owns the memory once it takes it.
    if (!::EmptyClipboard() || ::SetClipboardData(CF_TEXT, memory) == nullptr)
        ::GlobalFree(memory);
    ::CloseClipboard();
}

LRESULT CGridList::OnCopy(WPARAM, LPARAM)
{
    CopySelectionToClipboard();
    return 0;
}

void CGridList::OnDeleteSelected()
{
    for (int row = GetNextItem(-1, LVNI_SELECTED); row >= 0; row = GetNextItem(-1, LVNI_SELECTED)) {
        if (!DeleteItem(row))
            break;
    }
}

// Context menus

void CGridList::OnContextMenu(CWnd* pWnd, CPoint point)
{
    SetFocus();
    RepaintFocusRow();
    if (point.x == -1 && point.y == -1) {
        OnContextMenuKeyboard(pWnd, point);
        return;
    }
    CHeaderCtrl* header = GetHeaderCtrl();
    CRect headerRect;
    if (header != nullptr && header->IsWindowVisible()) {
        header->GetWindowRect(&headerRect);
        if (headerRect.PtInRect(point)) {
            HDHITTESTINFO hit = {};
            hit.pt = point;
            header->ScreenToClient(&hit.pt);
            OnContextMenuHeader(pWnd, point, header->HitTest(&hit));
            return;
        }
    }
    CPoint client = point;
    ScreenToClient(&client);
    int row = -1;
    int col = -1;
    CellHitTest(client, row, col);
    if (row >= 0)
        OnContextMenuCell(pWnd, point, row, col);
    else
        OnContextMenuGrid(pWnd, point);
}

void CGridList::OnContextMenuKeyboard(CWnd* pWnd, CPoint)
{
    const int row = GetFocusRow();
    if (row < 0) {
        CRect client;
        GetClientRect(&client);
        CPoint corner = client.TopLeft();
        ClientToScreen(&corner);
        OnContextMenuGrid(pWnd, corner);
        return;
    }
    CRect rect;
    if (m_focusCell >= 0)
        GetCellRect(row, m_focusCell, LVIR_BOUNDS, rect);
    else
        GetItemRect(row, &rect, LVIR_BOUNDS);
    const int offset = std::min(rect.Width() / 2, rect.Height() / 2);
    CPoint point(rect.left + offset, rect.top + offset);
    ClientToScreen(&point);
    OnContextMenuCell(pWnd, point, row, m_focusCell);
}

void CGridList::OnContextMenuGrid(CWnd*, CPoint) {}

void CGridList::OnContextMenuCell(CWnd*, CPoint, int, int) {}

void CGridList::OnContextMenuHeader(CWnd*, CPoint point, int)
{
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    for (int item = 1; item <= kColumnManagerItems; ++item) {
        CString title;
        if (!m_pColumnManager->GetHeaderMenuItem(*this, item, title))
            continue;
        if (item > 1)
            menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING, static_cast<UINT_PTR>(item), title);
    }
    const int count = GetColumnCount();
    for (int col = 0; col < count; ++col) {
        CColumnTrait* trait = GetColumnTrait(col);
        if (trait == nullptr || trait->IsAlwaysHidden())
            continue;
        const UINT flags = MF_STRING | (trait->IsVisible() ? MF_CHECKED : MF_UNCHECKED);
        menu.AppendMenu(flags, kFirstColumnMenuId + static_cast<UINT>(col), HeaderText(GetColumnHeading(col)));
    }
    const UINT chosen = static_cast<UINT>(
        menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, point.x, point.y, this));
    if (chosen >= kFirstColumnMenuId) {
        const int col = static_cast<int>(chosen - kFirstColumnMenuId);
        ShowColumn(col, !IsColumnVisible(col));
    } else if (chosen >= 1) {
        m_pColumnManager->OnHeaderMenuItem(*this, static_cast<int>(chosen));
    }
}

UINT CGridList::GetRowMenuId() const
{
    switch (m_menuMode) {
    case 0:
        if (m_pBoundRecord == nullptr)
            return 0;
        switch (m_pBoundRecord->devType) {
        case 0:
            return IDR_MENU_GRID_DELETE;
        case 1:
        case 2:
        case 3:
        case 6:
            return IDR_MENU_GRID_COMMANDS;
        default:
            return 0;
        }
    case 1:
        return IDR_MENU_GRID_PRINT;
    case 2:
        return IDR_MENU_GRID_MAPVIEW;
    case 3:
        return IDR_MENU_GRID_DELETE;
    default:
        return 0;
    }
}

bool CGridList::OffersDelete() const
{
    const UINT menuId = GetRowMenuId();
    return menuId == IDR_MENU_GRID_DELETE || menuId == IDR_MENU_GRID_COMMANDS;
}

bool CGridList::ShowRowMenu(CPoint point)
{
    const UINT menuId = GetRowMenuId();
    if (menuId == 0)
        return false;
    CMenu menu;
    if (!menu.LoadMenu(menuId))
        return false;
    CMenu* popup = menu.GetSubMenu(0);
    if (popup == nullptr)
        return false;
    if (menuId == IDR_MENU_GRID_COMMANDS)
        popup->RemoveMenu(ID_GRID_ENABLE_ALL_ON_DATA_UPDATE, MF_BYCOMMAND);
    ClientToScreen(&point);
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
    return true;
}

BOOL CGridList::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CListCtrl::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (nCode != CN_COMMAND && nCode != CN_UPDATE_COMMAND_UI)
        return FALSE;
    // A window above that routes commands to its active child (a tab control whose page the list is) brings
    // the command back here: then the list's own handlers have answered, and it goes up no second time.
    if (m_passingCommandUp)
        return FALSE;
    m_passingCommandUp = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{m_passingCommandUp};
    // The commands of the list's context menus go on to the windows that hold it, up to the top-level one.
    for (HWND above = ::GetParent(m_hWnd); above != nullptr; above = ::GetParent(above)) {
        CWnd* owner = FromHandlePermanent(above);
        if (owner != nullptr && owner->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
        if ((::GetWindowLongPtrA(above, GWL_STYLE) & WS_CHILD) == 0)
            break;
    }
    return FALSE;
}
