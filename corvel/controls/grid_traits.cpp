#include "corvel/controls/grid_traits.h"

#include "corvel/controls/grid_editors.h"
#include "corvel/controls/grid_list.h"

#include <mbstring.h>

#include <algorithm>
#include <cstdlib>

namespace {

// A line of text with accents above and descenders below (y, j, p, I acute, A acute).
constexpr char kFontHeightSample[] = "yjp\xCD\xC1";

HDC DrawDC(const NMLVCUSTOMDRAW* pDraw)
{
    return pDraw->nmcd.hdc;
}

int DrawRow(const NMLVCUSTOMDRAW* pDraw)
{
    return static_cast<int>(pDraw->nmcd.dwItemSpec);
}

bool IsSelectedOrHot(const NMLVCUSTOMDRAW* pDraw)
{
    return (pDraw->nmcd.uItemState & (CDIS_SELECTED | CDIS_HOT)) != 0;
}

bool HasGridLines(const CGridList& list)
{
    return (list.GetExtendedStyle() & LVS_EX_GRIDLINES) != 0;
}

// Puts the colours that are set into the draw record; each asks for the new colours.
void ApplyColors(NMLVCUSTOMDRAW* pDraw, LRESULT* pResult, COLORREF text, COLORREF back)
{
    if (text != kGridDefaultColor) {
        pDraw->clrText = text;
        *pResult |= CDRF_NEWFONT;
    }
    if (back != kGridDefaultColor) {
        pDraw->clrTextBk = back;
        *pResult |= CDRF_NEWFONT;
    }
}

} // namespace

// Visitors

void CColumnTraitVisitor::Visit(CColumnTraitText& trait)
{
    Visit(static_cast<CColumnTrait&>(trait));
}

void CColumnTraitVisitor::Visit(CColumnTraitEdit& trait)
{
    Visit(static_cast<CColumnTraitText&>(trait));
}

void CColumnTraitVisitor::Visit(CColumnTraitCombo& trait)
{
    Visit(static_cast<CColumnTraitText&>(trait));
}

void CRowTraitVisitor::Visit(CRowTraitText& trait)
{
    Visit(static_cast<CRowTrait&>(trait));
}

void CRowTraitVisitor::Visit(CRowTraitXP& trait)
{
    Visit(static_cast<CRowTraitText&>(trait));
}

// CColumnTrait

void CColumnTrait::OnCustomDraw(CGridList&, NMLVCUSTOMDRAW*, LRESULT*) {}

CWnd* CColumnTrait::OnEditBegin(CGridList&, int, int)
{
    return nullptr;
}

void CColumnTrait::OnEditEnd() {}

int CColumnTrait::OnSortRows(LPCSTR, LPCSTR, bool)
{
    return 0;
}

void CColumnTrait::Accept(CColumnTraitVisitor& visitor)
{
    visitor.Visit(*this);
}

// CColumnTraitText

CColumnTraitText::~CColumnTraitText() = default;

void CColumnTraitText::Accept(CColumnTraitVisitor& visitor)
{
    visitor.Visit(*this);
}

int CColumnTraitText::OnSortRows(LPCSTR text1, LPCSTR text2, bool ascending)
{
    if (m_numericSort) {
        const int first = std::atoi(text1);
        const int second = std::atoi(text2);
        const int order = (first > second) - (first < second);
        return ascending ? order : -order;
    }
    const auto* first = reinterpret_cast<const unsigned char*>(text1);
    const auto* second = reinterpret_cast<const unsigned char*>(text2);
    return ascending ? _mbscmp(first, second) : _mbscmp(second, first);
}

void CColumnTraitText::OnCustomDraw(CGridList& list, NMLVCUSTOMDRAW* pDraw, LRESULT* pResult)
{
    const int row = DrawRow(pDraw);
    const int col = pDraw->iSubItem;
    switch (pDraw->nmcd.dwDrawStage) {
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        // The focus cell of a full-row selection is drawn unselected, so that it stands out.
        if ((pDraw->nmcd.uItemState & CDIS_SELECTED) && col == list.GetFocusCell() && row == list.GetFocusRow() &&
            (list.GetExtendedStyle() & LVS_EX_FULLROWSELECT))
            pDraw->nmcd.uItemState &= ~CDIS_SELECTED;
        if (!IsSelectedOrHot(pDraw)) {
            ApplyColors(pDraw, pResult, m_textColor, m_backColor);
            COLORREF text = pDraw->clrText;
            COLORREF back = pDraw->clrTextBk;
            if (list.OnDisplayCellColor(row, col, text, back))
                ApplyColors(pDraw, pResult, text, back);
        }
        LOGFONTA font = {};
        if (list.GetCellFontHook(row, col, font) && m_cellFont.CreateFontIndirect(&font)) {
            m_hReplacedFont = static_cast<HFONT>(::SelectObject(DrawDC(pDraw), m_cellFont));
            *pResult |= CDRF_NEWFONT | CDRF_NOTIFYPOSTPAINT;
        }
        break;
    }
    case CDDS_ITEMPOSTPAINT | CDDS_SUBITEM:
        if (m_hReplacedFont != nullptr) {
            ::SelectObject(DrawDC(pDraw), m_hReplacedFont);
            m_hReplacedFont = nullptr;
            m_cellFont.DeleteObject();
        }
        break;
    default:
        break;
    }
}

int CColumnTraitText::GetCellFontHeight(CGridList& list)
{
    CClientDC dc(&list);
    CFont* font = list.GetGridFont();
    ScopedSelect select(dc, font != nullptr ? font->m_hObject : ::GetStockObject(DEFAULT_GUI_FONT));
    CRect rect(0, 0, 0, 0);
    dc.DrawText(kFontHeightSample, static_cast<int>(sizeof kFontHeightSample - 1), &rect,
                DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    return rect.Height();
}

CRect CColumnTraitText::GetCellEditRect(CGridList& list, int row, int col)
{
    CRect rect;
    list.GetCellRect(row, col, LVIR_LABEL, rect);
    const int fontHeight = GetCellFontHeight(list);
    const int edge = ::GetSystemMetrics(SM_CYEDGE);
    const int border = ::GetSystemMetrics(SM_CYBORDER);
    if (!list.UsesVisualStyle() && rect.Height() < fontHeight + 2 * edge)
        rect.InflateRect(0, edge);
    if (HasGridLines(list) && rect.Height() > fontHeight + 2 * edge + border)
        rect.bottom -= border;
    if ((list.GetExtendedStyle() & LVS_EX_SUBITEMIMAGES) && list.GetImageList(LVSIL_SMALL) != nullptr &&
        list.GetCellImageIndex(row, col) >= 0)
        rect.left += ::GetSystemMetrics(SM_CXBORDER);
    return rect;
}

// CColumnTraitEdit

void CColumnTraitEdit::Accept(CColumnTraitVisitor& visitor)
{
    visitor.Visit(*this);
}

CWnd* CColumnTraitEdit::OnEditBegin(CGridList& list, int row, int col)
{
    CCellEditorText* editor = CreateEdit(list, row, col, GetCellEditRect(list, row, col));
    if (editor == nullptr)
        return nullptr;
    editor->SetWindowText(list.GetItemText(row, col));
    editor->SetSel(0, -1);
    return editor;
}

CCellEditorText* CColumnTraitEdit::CreateEdit(CGridList& list, int row, int col, const CRect& rect)
{
    DWORD style = m_editStyle;
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT;
    if (list.GetColumn(col, &column)) {
        const int alignment = column.fmt & LVCFMT_JUSTIFYMASK;
        if (alignment == LVCFMT_CENTER)
            style |= ES_CENTER;
        else if (alignment == LVCFMT_RIGHT)
            style |= ES_RIGHT;
    }
    auto* editor = new CCellEditorText(row, col); // deletes itself with its window
    if (!editor->Create(style | WS_CHILD | WS_VISIBLE, rect, &list, 0))
        return nullptr; // the failed creation has deleted it
    editor->SetFont(list.GetGridFont());
    const int leftMargin = col == 0 ? 0 : 4;
    editor->SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(leftMargin, 0));
    return editor;
}

// CColumnTraitCombo

void CColumnTraitCombo::Accept(CColumnTraitVisitor& visitor)
{
    visitor.Visit(*this);
}

void CColumnTraitCombo::AddItem(DWORD_PTR itemData, LPCSTR text)
{
    m_items[itemData] = text;
}

CWnd* CColumnTraitCombo::OnEditBegin(CGridList& list, int row, int col)
{
    const int fontHeight = GetCellFontHeight(list);
    const CRect cell = GetCellEditRect(list, row, col);
    CRect rect = cell;
    rect.bottom += fontHeight * m_maxVisibleItems + cell.Height();
    CCellEditorComboBox* combo = CreateComboBox(list, row, col, rect);
    if (combo == nullptr)
        return nullptr;

    const CString text = list.GetItemText(row, col);
    if (m_items.empty()) {
        combo->SetWindowText(text);
    } else {
        combo->ResetContent();
        int selected = -1;
        for (const auto& item : m_items) {
            const int index = combo->AddString(item.second);
            combo->SetItemData(index, item.first);
            if (selected < 0 && item.second == text)
                selected = index;
        }
        if (selected >= 0)
            combo->SetCurSel(selected);
        else
            combo->SetWindowText(text);
    }

    // Room below the cell for the entries (at most the visible count) and one more row.
    const int entries = std::min(static_cast<int>(m_items.size()), m_maxVisibleItems);
    combo->SetWindowPos(nullptr, 0, 0, cell.Width(), cell.Height() + (entries + 1) * fontHeight,
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    // The selection field fills the cell.
    const int edge = ::GetSystemMetrics(SM_CYEDGE);
    const int border = ::GetSystemMetrics(SM_CYBORDER);
    int fieldHeight = std::max(static_cast<int>(cell.Height()), fontHeight + 2 * edge);
    if (HasGridLines(list) && fieldHeight - border - 2 * edge >= fontHeight)
        fieldHeight -= border;
    fieldHeight -= 2 * edge;
    combo->SendMessage(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), fieldHeight);

    m_pComboEditor = combo;
    return combo;
}

void CColumnTraitCombo::OnEditEnd()
{
    m_pComboEditor = nullptr;
}

CCellEditorComboBox* CColumnTraitCombo::CreateComboBox(CGridList& list, int row, int col, const CRect& rect)
{
    auto* combo = new CCellEditorComboBox(row, col, m_maxDropWidth); // deletes itself with its window
    if (!combo->Create(m_comboStyle | WS_CHILD, rect, &list, 0))
        return nullptr; // the failed creation has deleted it
    combo->SetFont(list.GetGridFont());
    return combo;
}

// CRowTrait

void CRowTrait::OnCustomDraw(CGridList&, NMLVCUSTOMDRAW*, LRESULT*) {}

void CRowTrait::Accept(CRowTraitVisitor& visitor)
{
    visitor.Visit(*this);
}

// CRowTraitText

CRowTraitText::~CRowTraitText() = default;

void CRowTraitText::Accept(CRowTraitVisitor& visitor)
{
    visitor.Visit(*this);
}

void CRowTraitText::OnCustomDraw(CGridList& list, NMLVCUSTOMDRAW* pDraw, LRESULT* pResult)
{
    const int row = DrawRow(pDraw);
    switch (pDraw->nmcd.dwDrawStage) {
    case CDDS_ITEMPREPAINT: {
        m_hReplacedFont = nullptr;
        m_hSelectedFont = nullptr;
        if (!IsSelectedOrHot(pDraw)) {
            const bool odd = row % 2 == 1;
            ApplyColors(pDraw, pResult, odd && m_altTextColor != kGridDefaultColor ? m_altTextColor : m_textColor,
                        odd && m_altBackColor != kGridDefaultColor ? m_altBackColor : m_backColor);
            COLORREF text = pDraw->clrText;
            COLORREF back = pDraw->clrTextBk;
            if (list.GetRowColor(row, text, back))
                ApplyColors(pDraw, pResult, text, back);
        }

        LOGFONTA font = {};
        CFont* gridFont = list.GetGridFont();
        CFont* windowFont = list.GetFont();
        if (list.GetRowFontHook(row, font) && m_rowFont.CreateFontIndirect(&font)) {
            m_hSelectedFont = m_rowFont;
        } else if (gridFont != nullptr && windowFont != nullptr && gridFont->m_hObject != windowFont->m_hObject) {
            // The taller cell font sets the row height; the text keeps the grid font.
            m_hSelectedFont = static_cast<HFONT>(gridFont->m_hObject);
        }
        if (m_hSelectedFont != nullptr) {
            m_hReplacedFont = static_cast<HFONT>(::SelectObject(DrawDC(pDraw), m_hSelectedFont));
            *pResult |= CDRF_NEWFONT | CDRF_NOTIFYPOSTPAINT;
        }

        // The list draws no row-wide focus rectangle where the row trait frames the focus cell.
        if (row == list.GetFocusRow() && (pDraw->nmcd.uItemState & CDIS_FOCUS) &&
            (list.GetFocusCell() >= 0 || HasGridLines(list))) {
            pDraw->nmcd.uItemState &= ~CDIS_FOCUS;
            *pResult |= CDRF_NOTIFYPOSTPAINT;
        }
        break;
    }
    case CDDS_ITEMPOSTPAINT: {
        if (m_hReplacedFont != nullptr) {
            ::SelectObject(DrawDC(pDraw), m_hReplacedFont);
            m_hReplacedFont = nullptr;
        }
        m_hSelectedFont = nullptr;
        m_rowFont.DeleteObject();

        CRect bounds(pDraw->nmcd.rc);
        if (row != list.GetFocusRow() || bounds.IsRectEmpty())
            break;
        const int border = ::GetSystemMetrics(SM_CYBORDER);
        const int focusCell = list.GetFocusCell();
        if (focusCell < 0) {
            if (HasGridLines(list)) {
                bounds.bottom -= border;
                ::DrawFocusRect(DrawDC(pDraw), &bounds);
            }
        } else {
            CRect cell;
            if (!list.GetCellRect(row, focusCell, LVIR_BOUNDS, cell))
                break;
            if (HasGridLines(list)) {
                cell.bottom -= border;
                if (focusCell != list.GetFirstVisibleColumn())
                    cell.left += ::GetSystemMetrics(SM_CXBORDER);
            }
            ::DrawFocusRect(DrawDC(pDraw), &cell);
        }
        break;
    }
    default:
        break;
    }
}

// CRowTraitXP

void CRowTraitXP::Accept(CRowTraitVisitor& visitor)
{
    visitor.Visit(*this);
}

void CRowTraitXP::OnCustomDraw(CGridList& list, NMLVCUSTOMDRAW* pDraw, LRESULT* pResult)
{
    if (list.UsesVisualStyle()) {
        CRowTraitText::OnCustomDraw(list, pDraw, pResult);
        return;
    }
    const int row = DrawRow(pDraw);
    const int col = pDraw->iSubItem;
    if (pDraw->nmcd.dwDrawStage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM)) {
        *pResult |= CDRF_NOTIFYPOSTPAINT;
    } else if (pDraw->nmcd.dwDrawStage == (CDDS_ITEMPOSTPAINT | CDDS_SUBITEM)) {
        CRect cell;
        const int image = list.GetCellImageIndex(row, col);
        HIMAGELIST images = list.GetImageList(LVSIL_SMALL);
        if (image >= 0 && images != nullptr && list.GetCellRect(row, col, LVIR_BOUNDS, cell) &&
            !cell.IsRectEmpty()) {
            // The back colour under the image: the selection's while the row is selected, else the cell's.
            COLORREF back = CLR_NONE;
            if (list.IsRowSelected(row)) {
                const bool focusCell = row == list.GetFocusRow() && col == list.GetFocusCell();
                if (!focusCell && (list.GetExtendedStyle() & LVS_EX_FULLROWSELECT)) {
                    if (CWnd::GetFocus() == &list || list.IsCellEditorOpen())
                        back = ::GetSysColor(COLOR_HIGHLIGHT);
                    else if (list.GetStyle() & LVS_SHOWSELALWAYS)
                        back = ::GetSysColor(COLOR_BTNFACE);
                }
            } else if (pDraw->clrTextBk <= 0xFFFFFF) {
                back = pDraw->clrTextBk;
            }
            CRect icon;
            if (back != CLR_NONE && list.GetCellRect(row, col, LVIR_ICON, icon)) {
                CRect area(cell.left, cell.top, icon.right + 2, cell.bottom);
                CDC* dc = CDC::FromHandle(DrawDC(pDraw));
                dc->FillSolidRect(&area, back);
                const COLORREF previous = ::ImageList_SetBkColor(images, back);
                ::ImageList_Draw(images, image, DrawDC(pDraw), icon.left, icon.top, ILD_NORMAL);
                ::ImageList_SetBkColor(images, previous);
            }
        }
    }
    CRowTraitText::OnCustomDraw(list, pDraw, pResult);
}

// CColumnManager

bool CColumnManager::GetHeaderMenuItem(CGridList&, int, CString&)
{
    return false;
}

void CColumnManager::OnHeaderMenuItem(CGridList&, int) {}

CString CColumnManager::GetCurrentProfile(CGridList&)
{
    return CString();
}

void CColumnManager::OnProfileChosen(CGridList&, const CString&) {}
void CColumnManager::ApplyState(CGridList&) {}
void CColumnManager::OnListKillFocus(CGridList&) {}
void CColumnManager::OnColumnWidthChanged(CGridList&, int, int) {}
void CColumnManager::OnColumnVisibilityChanged(CGridList&, int, bool) {}
