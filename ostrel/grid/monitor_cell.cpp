// The cells: drawing, measuring, the default-cell fallbacks and starting the in-place edit box.
#include "ostrel/grid/monitor_cell.h"

#include "framework/controls.h"
#include "ostrel/grid/in_place_edit.h"
#include "ostrel/grid/monitor_grid.h"

#include <cstring>
#include <memory>
#include <vector>

IMPLEMENT_DYNCREATE(CMonitorCellBase, CObject)
IMPLEMENT_DYNCREATE(CMonitorCell, CMonitorCellBase)
IMPLEMENT_DYNCREATE(CMonitorDefaultCell, CMonitorCell)

namespace {

// Escapements of a font turned on its side.
constexpr LONG kEscapementUp = 900;
constexpr LONG kEscapementDown = 2700;

// Sizes used when no screen DC can be had.
constexpr UINT kFallbackMargin = 3;
constexpr int kFallbackWidth = 40;
constexpr int kFallbackHeight = 16;

// The text that sets a default cell's width.
constexpr char kWidthSample[] = " XXXXXXXXXXXX ";

// The one font object that cells with a font of their own share. It is made
// again only when a cell with another font asks; the font it replaces is
// kept until the next change, so a font still selected into a DC (the draw
// selects the new font before it lets go of the old one) is never deleted.
class CellFontCache {
public:
    static CellFontCache& Instance()
    {
        static CellFontCache cache;
        return cache;
    }

    CFont* FontFor(const LOGFONTA& lf)
    {
        if (m_current.m_hObject != nullptr && memcmp(&lf, &m_lf, sizeof lf) == 0)
            return &m_current;
        m_previous = std::move(m_current);
        m_current.CreateFontIndirect(&lf);
        m_lf = lf;
        return &m_current;
    }

private:
    CFont m_current;
    CFont m_previous;
    LOGFONTA m_lf = {};
};

// Puts back what a cell's drawing changes in a DC: text colour, background
// mode and font (cheaper than saving the whole state for every cell).
class CellDcState {
public:
    explicit CellDcState(CDC& dc)
        : m_dc(dc), m_textColour(dc.GetTextColor()), m_bkMode(::GetBkMode(dc.m_hDC)),
          m_font(::GetCurrentObject(dc.m_hDC, OBJ_FONT))
    {
    }
    ~CellDcState()
    {
        m_dc.SetTextColor(m_textColour);
        m_dc.SetBkMode(m_bkMode);
        if (::GetCurrentObject(m_dc.m_hDC, OBJ_FONT) != m_font)
            ::SelectObject(m_dc.m_hDC, m_font);
    }
    CellDcState(const CellDcState&) = delete;
    CellDcState& operator=(const CellDcState&) = delete;

    // Selects the font unless the DC has it already.
    void UseFont(const CFont* pFont)
    {
        if (pFont != nullptr && pFont->m_hObject != nullptr &&
            ::GetCurrentObject(m_dc.m_hDC, OBJ_FONT) != pFont->m_hObject)
            ::SelectObject(m_dc.m_hDC, pFont->m_hObject);
    }

private:
    CDC& m_dc;
    COLORREF m_textColour;
    int m_bkMode;
    HGDIOBJ m_font;
};

// The advance widths of the single-byte characters and the height of a
// screen font, measured once per font description, so that a line of text
// that fits is drawn without measuring it again.
class ScreenFontMetrics {
public:
    struct Metrics {
        LOGFONTA lf;
        int widths[256];
        int height;
        int overhang;
    };

    // The metrics of lf, measured on pDC (which has the font selected) the first time.
    static const Metrics* For(CDC* pDC, const LOGFONTA& lf)
    {
        static std::vector<std::unique_ptr<Metrics>> known;
        for (const auto& metrics : known)
            if (memcmp(&metrics->lf, &lf, sizeof lf) == 0)
                return metrics.get();
        std::unique_ptr<Metrics> metrics(new Metrics);
        metrics->lf = lf;
        TEXTMETRICA tm = {};
        if (!::GetCharWidth32A(pDC->m_hDC, 0, 255, metrics->widths) || !pDC->GetTextMetrics(&tm))
            return nullptr;
        metrics->height = tm.tmHeight;
        metrics->overhang = tm.tmOverhang;
        known.push_back(std::move(metrics));
        return known.back().get();
    }
};

// Draws text in the DC's font, as DrawText does; a single line that fits is
// placed and drawn straight away, anything else goes to DrawText.
void DrawCellText(CDC* pDC, LPCSTR text, CRect rect, UINT format, const LOGFONTA* plf)
{
    const UINT simple = DT_SINGLELINE | DT_NOPREFIX;
    const UINT unsupported = DT_WORDBREAK | DT_CALCRECT | DT_EXPANDTABS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS |
        DT_MODIFYSTRING | DT_NOCLIP | DT_RTLREADING;
    const int length = static_cast<int>(strlen(text));
    const ScreenFontMetrics::Metrics* metrics = nullptr;
    if ((format & simple) == simple && !(format & unsupported) && plf != nullptr && !pDC->IsPrinting() &&
        plf->lfEscapement == 0 && ::GetTextAlign(pDC->m_hDC) == (TA_LEFT | TA_TOP | TA_NOUPDATECP))
        metrics = ScreenFontMetrics::For(pDC, *plf);
    int width = metrics != nullptr ? metrics->overhang : 0;
    for (int i = 0; metrics != nullptr && i < length; ++i) {
        const BYTE c = static_cast<BYTE>(text[i]);
        if (::IsDBCSLeadByte(c) || c == '\t')
            metrics = nullptr;
        else
            width += metrics->widths[c];
    }
    if (metrics == nullptr || width > rect.Width()) {
        pDC->DrawText(text, length, &rect, format);
        return;
    }
    int x = rect.left;
    if (format & DT_CENTER)
        x = rect.left + (rect.Width() - width) / 2;
    else if (format & DT_RIGHT)
        x = rect.right - width;
    int y = rect.top;
    if (format & DT_VCENTER)
        y = rect.top + (rect.Height() - metrics->height) / 2;
    else if (format & DT_BOTTOM)
        y = rect.bottom - metrics->height;
    pDC->ExtTextOut(x, y, ETO_CLIPPED, &rect, text, static_cast<UINT>(length));
}

bool IsSideways(const LOGFONTA* plf)
{
    return plf != nullptr && (plf->lfEscapement == kEscapementUp || plf->lfEscapement == kEscapementDown);
}

// The widest line of text, the lines split at line feeds.
CSize WidestLine(CDC* pDC, const CString& text)
{
    CSize widest(0, 0);
    int start = 0;
    while (start <= text.GetLength()) {
        int end = text.Find('\n', start);
        if (end < 0)
            end = text.GetLength();
        const CSize line = pDC->GetTextExtent(static_cast<LPCSTR>(text) + start, end - start);
        if (line.cx > widest.cx)
            widest = line;
        start = end + 1;
    }
    return widest;
}

// The size of an image of the grid's image list, or 0 by 0.
CSize ImageSize(const CMonitorGrid* pGrid, int nImage)
{
    CImageList* pImageList = pGrid != nullptr ? pGrid->GetImageList() : nullptr;
    IMAGEINFO info = {};
    if (nImage < 0 || pImageList == nullptr || !pImageList->GetImageInfo(nImage, &info))
        return CSize(0, 0);
    return CSize(info.rcImage.right - info.rcImage.left, info.rcImage.bottom - info.rcImage.top);
}

// Draws the sort arrow into the square at (x, y) of the given size.
void DrawSortArrow(CDC* pDC, int x, int y, int size, BOOL bAscending)
{
    CPen shadow(PS_SOLID, 1, ::GetSysColor(COLOR_3DSHADOW));
    CPen light(PS_SOLID, 1, ::GetSysColor(COLOR_3DHILIGHT));
    ScopedSelect keepPen(*pDC, ::GetStockObject(BLACK_PEN));
    const int middle = x + size / 2;
    if (bAscending) {
        pDC->SelectObject(&light);
        pDC->MoveTo(middle, y);
        pDC->LineTo(x + size, y + size);
        pDC->LineTo(x, y + size);
        pDC->SelectObject(&shadow);
        pDC->LineTo(middle, y);
    } else {
        pDC->SelectObject(&light);
        pDC->MoveTo(middle, y + size);
        pDC->LineTo(x + size, y);
        pDC->SelectObject(&shadow);
        pDC->LineTo(x, y);
        pDC->LineTo(middle, y + size);
    }
}

} // namespace

LOGFONTA SystemMessageFont()
{
    NONCLIENTMETRICSA metrics = {};
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    ::GetVersionExA(&version);
    // Systems before version 6 know the structure without its last field.
    metrics.cbSize = version.dwMajorVersion < 6 ? sizeof metrics - sizeof metrics.iPaddedBorderWidth : sizeof metrics;
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
    return metrics.lfMessageFont;
}

// CMonitorCellBase

CMonitorDefaultCell* CMonitorCellBase::GetDefaultCell() const
{
    CMonitorGrid* pGrid = GetGrid();
    if (pGrid == nullptr)
        return nullptr;
    return pGrid->GetDefaultCell(IsFixedRow(), IsFixedCol());
}

void CMonitorCellBase::operator=(const CMonitorCellBase& cell)
{
    if (this == &cell)
        return;
    SetGrid(cell.GetGrid());
    SetText(cell.GetText());
    SetImage(cell.GetImage());
    SetData(cell.GetData());
    SetState(cell.GetState());
    SetFormat(cell.GetFormat());
    SetTextClr(cell.GetTextClr());
    SetBackClr(cell.GetBackClr());
    SetFont(cell.IsDefaultFont() ? nullptr : cell.GetFont());
    SetMargin(cell.GetMargin());
}

BOOL CMonitorCellBase::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd)
{
    CMonitorGrid* pGrid = GetGrid();
    if (pGrid == nullptr || pDC == nullptr || rect.Width() <= 0 || rect.Height() <= 0)
        return FALSE;
    CMonitorDefaultCell* pDefaultCell = GetDefaultCell();
    if (pDefaultCell == nullptr)
        return FALSE;

    CellDcState keepState(*pDC);
    pDC->SetBkMode(TRANSPARENT);

    COLORREF textColour = GetTextClr() != kCellDefaultColour ? GetTextClr() : pDefaultCell->GetTextClr();
    COLORREF backColour = pDefaultCell->GetBackClr();
    if (GetBackClr() != kCellDefaultColour) {
        backColour = GetBackClr();
        bEraseBkgnd = TRUE;
    }

    const DWORD state = GetState();
    const BOOL gridLines = pGrid->GetGridLines() != GRID_LINES_NONE;
    if (state & (CELL_FOCUSED | CELL_DROPHILITED)) {
        if (state & CELL_SELECTED) {
            backColour = ::GetSysColor(COLOR_HIGHLIGHT);
            textColour = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
            bEraseBkgnd = TRUE;
        }
        if (bEraseBkgnd)
            pDC->FillSolidRect(rect.left, rect.top, rect.Width() + 1, rect.Height() + 1, backColour);
        if (pGrid->GetFrameFocusCell()) {
            CRect frame = rect;
            if (!gridLines)
                frame.InflateRect(0, 0, 1, 1);
            CBrush brush(textColour);
            pDC->FrameRect(&frame, &brush);
        }
    } else if (state & CELL_SELECTED) {
        textColour = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
        pDC->FillSolidRect(rect.left, rect.top, rect.Width() + 1, rect.Height() + 1, ::GetSysColor(COLOR_HIGHLIGHT));
    } else if (bEraseBkgnd) {
        pDC->FillSolidRect(rect.left, rect.top, rect.Width() + 1, rect.Height() + 1, backColour);
    }

    if ((state & CELL_FIXED) && gridLines) {
        const CCellID focus = pGrid->GetFocusCell();
        if (pGrid->GetTrackFocusCell() && focus.IsValid() && (focus.row == nRow || focus.col == nCol)) {
            pDC->DrawEdge(&rect, BDR_SUNKENINNER, BF_RECT);
        } else {
            CPen light(PS_SOLID, 1, ::GetSysColor(COLOR_3DHIGHLIGHT));
            CPen dark(PS_SOLID, 1, ::GetSysColor(COLOR_3DDKSHADOW));
            ScopedSelect keepPen(*pDC, light);
            pDC->MoveTo(rect.left, rect.bottom);
            pDC->LineTo(rect.left, rect.top);
            pDC->LineTo(rect.right, rect.top);
            pDC->SelectObject(&dark);
            pDC->LineTo(rect.right, rect.bottom);
            pDC->LineTo(rect.left - 1, rect.bottom);
        }
        rect.DeflateRect(1, 1);
    }

    pDC->SetTextColor(textColour);
    // The new font is selected while the old one is still alive.
    if (!pDC->IsPrinting())
        keepState.UseFont(GetFontObject());

    // The margin is kept left and right only: taken off the top and bottom
    // too it would clip the descenders of a row one and a half lines high.
    const int margin = static_cast<int>(GetMargin());
    rect.DeflateRect(margin, 0);

    const CSize image = ImageSize(pGrid, GetImage());
    if (image.cx > 0 && image.cx <= rect.Width() && image.cy <= rect.Height())
        pGrid->GetImageList()->Draw(pDC, GetImage(), rect.TopLeft(), ILD_NORMAL);

    if (nRow == 0 && nCol == pGrid->GetSortColumn()) {
        int size = pDC->GetTextExtent("M", 1).cy - 4;
        if (size > rect.Height() - 4)
            size = rect.Height() - 4;
        if (size > 0) {
            const bool centred = IsSideways(GetFont()) && GetFont()->lfEscapement == kEscapementUp;
            const int x = centred ? rect.left + (rect.Width() - size) / 2 : rect.right - size;
            const int y = rect.top + (rect.Height() - size) / 2;
            DrawSortArrow(pDC, x, y, size, pGrid->GetSortAscending());
            if (!centred)
                rect.right -= size + margin;
        }
    }

    CRect textRect = rect;
    GetTextRect(&textRect);
    DrawCellText(pDC, GetText(), textRect, GetFormat() | DT_NOPREFIX, GetFont());
    return TRUE;
}

BOOL CMonitorCellBase::GetTextRect(LPRECT pRect)
{
    const CSize image = ImageSize(GetGrid(), GetImage());
    if (image.cx > 0)
        pRect->left += image.cx + static_cast<int>(GetMargin()) + 1;
    return TRUE;
}

CSize CMonitorCellBase::GetTextExtent(LPCSTR szText, CDC* pDC)
{
    CMonitorGrid* pGrid = GetGrid();
    CMonitorDefaultCell* pDefaultCell = GetDefaultCell();
    std::unique_ptr<CClientDC> fetched;
    if (pDC == nullptr && szText != nullptr && pGrid != nullptr && pGrid->m_hWnd != nullptr) {
        fetched.reset(new CClientDC(pGrid));
        pDC = fetched.get();
    }
    if (pDC == nullptr || pDC->m_hDC == nullptr || szText == nullptr) {
        if (pDefaultCell == nullptr)
            return CSize(0, 0);
        return CSize(pDefaultCell->GetWidth(), pDefaultCell->GetHeight());
    }

    const int savedDC = pDC->SaveDC();
    if (CFont* pFont = GetFontObject())
        pDC->SelectObject(pFont);
    const DWORD format = GetFormat();
    CSize size;
    if (!(format & DT_WORDBREAK) || (format & DT_SINGLELINE)) {
        size = pDC->GetTextExtent(szText, static_cast<int>(strlen(szText)));
    } else {
        const CString text(szText);
        const CSize widest = WidestLine(pDC, text);
        CRect rect(0, 0, widest.cx + 1, 0);
        pDC->DrawText(text, &rect, format | DT_CALCRECT);
        size = CSize(rect.Width(), rect.Height());
    }
    pDC->RestoreDC(savedDC);

    const int margin = static_cast<int>(GetMargin());
    size.cx += 2 * margin;
    size.cy += 2 * margin;
    if (IsSideways(GetFont())) {
        std::swap(size.cx, size.cy);
        size.cy += 4 * margin;
    }
    return size;
}

CSize CMonitorCellBase::GetCellExtent(CDC* pDC)
{
    CSize size = GetTextExtent(GetText(), pDC);
    const CSize image = ImageSize(GetGrid(), GetImage());
    if (image.cx > 0) {
        const int margin = static_cast<int>(GetMargin());
        size.cx += image.cx + (size.cx > 2 * margin ? margin : 0);
        size.cy = size.cy > image.cy + 2 * margin ? size.cy : image.cy + 2 * margin;
    }
    size.cx += 1;
    size.cy += 1;
    if (IsFixed()) {
        size.cx += 1;
        size.cy += 1;
    }
    return size;
}

BOOL CMonitorCellBase::Edit(int, int, CRect, CPoint, UINT, UINT)
{
    return FALSE;
}

BOOL CMonitorCellBase::PrintCell(CDC* pDC, int, int, CRect rect)
{
    CMonitorDefaultCell* pDefaultCell = GetDefaultCell();
    if (pDC == nullptr || pDefaultCell == nullptr || rect.Width() <= 0 || rect.Height() <= 0)
        return FALSE;
    const int savedDC = pDC->SaveDC();
    pDC->SetBkMode(TRANSPARENT);
    // On a black-and-white printer everything is black on white; elsewhere
    // the cell's own back colour is filled and its text colour kept.
    const bool monochrome = pDC->GetDeviceCaps(NUMCOLORS) == 2;
    COLORREF textColour = GetTextClr() != kCellDefaultColour ? GetTextClr() : pDefaultCell->GetTextClr();
    if (monochrome) {
        textColour = RGB(0, 0, 0);
    } else if (GetBackClr() != kCellDefaultColour) {
        pDC->FillSolidRect(&rect, GetBackClr());
    }
    pDC->SetTextColor(textColour);
    const int margin = static_cast<int>(GetMargin());
    rect.DeflateRect(margin, 0);
    GetTextRect(&rect);
    pDC->DrawText(GetText(), -1, &rect, GetFormat() | DT_NOPREFIX);
    pDC->RestoreDC(savedDC);
    return TRUE;
}

BOOL CMonitorCellBase::OnSetCursor()
{
    ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
    return TRUE;
}

// CMonitorCell

CMonitorCell::CMonitorCell() = default;

CMonitorCell::~CMonitorCell()
{
    EndEdit();
}

void CMonitorCell::SetFont(const LOGFONTA* plf)
{
    if (plf == nullptr) {
        m_plfFont.reset();
        return;
    }
    if (!m_plfFont)
        m_plfFont.reset(new LOGFONTA);
    *m_plfFont = *plf;
}

DWORD CMonitorCell::GetFormat() const
{
    if (m_nFormat != kCellDefaultFormat)
        return m_nFormat;
    CMonitorDefaultCell* pDefaultCell = GetDefaultCell();
    return pDefaultCell != nullptr ? pDefaultCell->GetFormat() : 0;
}

const LOGFONTA* CMonitorCell::GetFont() const
{
    if (m_plfFont)
        return m_plfFont.get();
    CMonitorDefaultCell* pDefaultCell = GetDefaultCell();
    return pDefaultCell != nullptr ? pDefaultCell->GetFont() : nullptr;
}

CFont* CMonitorCell::GetFontObject() const
{
    if (m_plfFont)
        return CellFontCache::Instance().FontFor(*m_plfFont);
    CMonitorDefaultCell* pDefaultCell = GetDefaultCell();
    return pDefaultCell != nullptr ? pDefaultCell->GetFontObject() : nullptr;
}

UINT CMonitorCell::GetMargin() const
{
    if (m_nMargin != kCellDefaultMargin)
        return m_nMargin;
    CMonitorDefaultCell* pDefaultCell = GetDefaultCell();
    return pDefaultCell != nullptr ? pDefaultCell->GetMargin() : 0;
}

void CMonitorCell::Reset()
{
    CMonitorCellBase::Reset();
    m_strText.Empty();
    m_lParam = 0;
    m_nImage = -1;
    m_nFormat = kCellDefaultFormat;
    m_crTextClr = kCellDefaultColour;
    m_crBackClr = kCellDefaultColour;
    m_plfFont.reset();
    m_nMargin = kCellDefaultMargin;
    m_bEditing = FALSE;
    m_pGrid = nullptr;
    m_pEditWnd = nullptr;
}

BOOL CMonitorCell::Edit(int nRow, int nCol, CRect rect, CPoint, UINT nID, UINT nChar)
{
    if (m_bEditing) {
        if (m_pEditWnd != nullptr)
            m_pEditWnd->SendMessage(WM_CHAR, nChar);
        return TRUE;
    }
    DWORD style = ES_LEFT;
    if (GetFormat() & DT_RIGHT)
        style = ES_RIGHT;
    else if (GetFormat() & DT_CENTER)
        style = ES_CENTER;
    m_bEditing = TRUE;
    m_pEditWnd = CInPlaceEdit::Start(m_pGrid, rect, style, nID, nRow, nCol, GetText(), nChar);
    if (m_pEditWnd == nullptr)
        m_bEditing = FALSE;
    return TRUE;
}

void CMonitorCell::EndEdit()
{
    if (CInPlaceEdit* pEdit = DYNAMIC_DOWNCAST(CInPlaceEdit, m_pEditWnd))
        pEdit->EndEdit();
}

void CMonitorCell::OnEndEdit()
{
    m_bEditing = FALSE;
    m_pEditWnd = nullptr;
}

// CMonitorDefaultCell

CMonitorDefaultCell::CMonitorDefaultCell()
{
    m_nFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    m_crTextClr = kCellDefaultColour;
    m_crBackClr = kCellDefaultColour;
    const LOGFONTA lf = SystemMessageFont();
    SetFont(&lf);
}

CMonitorDefaultCell::~CMonitorDefaultCell() = default;

void CMonitorDefaultCell::SetFont(const LOGFONTA* plf)
{
    if (plf == nullptr)
        return;
    m_Font.DeleteObject();
    m_Font.CreateFontIndirect(plf);
    m_lf = *plf;

    HDC hScreen = ::GetDC(nullptr);
    if (hScreen == nullptr) {
        m_nMargin = kFallbackMargin;
        m_nWidth = kFallbackWidth;
        m_nHeight = kFallbackHeight;
        return;
    }
    CDC dc;
    dc.Attach(hScreen);
    {
        ScopedSelect keepFont(dc, m_Font);
        m_nMargin = static_cast<UINT>(dc.GetTextExtent(" ", 1).cx);
        const CSize sample = dc.GetTextExtent(kWidthSample, static_cast<int>(sizeof kWidthSample - 1));
        m_nWidth = sample.cx;
        m_nHeight = sample.cy * 3 / 2;
    }
    ::ReleaseDC(nullptr, dc.Detach());
}

CFont* CMonitorDefaultCell::GetFontObject() const
{
    return &m_Font;
}
