// The grid on paper: page layout, header and footer bands, fixed rows and columns, and the page's cells.
#include "ostrel/grid/monitor_grid.h"

#include "framework/winapp.h"

#include <algorithm>
#include <cstring>

namespace {

// Its width over 52 is the print font's character width.
constexpr char kCharWidthSample[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ";
constexpr int kCharWidthSampleLength = 52;
constexpr char kPrintFontFace[] = "Arial";
constexpr char kPageNumberFormat[] = "Page %d of %d";

bool HorizontalLines(int mode)
{
    return mode == GRID_LINES_HORZ || mode == GRID_LINES_BOTH;
}

bool VerticalLines(int mode)
{
    return mode == GRID_LINES_VERT || mode == GRID_LINES_BOTH;
}

void Line(CDC* pDC, int x1, int y1, int x2, int y2)
{
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
}

// A line under and right of rect; from one unit left (above) unless told otherwise.
void LineAlongBottom(CDC* pDC, const CRect& rect, bool bFromLeftEdge)
{
    Line(pDC, bFromLeftEdge ? rect.left : rect.left - 1, rect.bottom, rect.right + 1, rect.bottom);
}

void LineAlongRight(CDC* pDC, const CRect& rect, bool bFromTopEdge)
{
    Line(pDC, rect.right, bFromTopEdge ? rect.top : rect.top - 1, rect.right, rect.bottom + 1);
}

// Lays the next cell of a line one unit after the previous one's end (to)
// and as long as size; false when its end would reach limit.
bool PlaceNext(LONG& from, LONG& to, int size, int limit)
{
    from = to + 1;
    to = from + size - 1;
    return to < limit;
}

// The title of the nearest window above pWnd that has one.
CString NearestTitle(const CWnd* pWnd)
{
    CString title;
    for (CWnd* pParent = pWnd->m_hWnd != nullptr ? pWnd->GetParent() : nullptr; pParent != nullptr;
         pParent = pParent->GetParent()) {
        pParent->GetWindowText(title);
        if (!title.IsEmpty())
            break;
    }
    return title;
}

} // namespace

std::vector<int> CMonitorGrid::PageStarts(bool bRows) const
{
    const int first = bRows ? m_nFixedRows : m_nFixedCols;
    const int count = bRows ? m_nRows : m_nCols;
    const int limit = bRows ? m_nPageHeight : m_nPageWidth;
    std::vector<int> starts(1, first);
    int total = 0;
    for (int index = first; index < count; ++index) {
        const int size = bRows ? GetRowHeight(index) : GetColumnWidth(index);
        total += size;
        if (total > limit && index > starts.back()) {
            starts.push_back(index);
            total = size;
        }
    }
    return starts;
}

void CMonitorGrid::CreateBoldPrintFont(CFont& font) const
{
    LOGFONTA lf = {};
    m_PrinterFont.GetLogFont(&lf);
    lf.lfWeight = FW_BOLD;
    font.CreateFontIndirect(&lf);
}

int CMonitorGrid::PrintBandWidth() const
{
    return m_LogicalPageSize.cx - (m_nLeftMargin + m_nRightMargin) * m_CharSize.cx;
}

void CMonitorGrid::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC == nullptr || pInfo == nullptr)
        return;
    // The print font follows the screen font's size, so text keeps its place in the cells.
    LOGFONTA lf = *m_cellDefault.GetFont();
    strncpy(lf.lfFaceName, kPrintFontFace, LF_FACESIZE - 1);
    m_PrinterFont.DeleteObject();
    m_PrinterFont.CreateFontIndirect(&lf);
    {
        ScopedSelect keepFont(*pDC, m_PrinterFont);
        const CSize sample = pDC->GetTextExtent(kCharWidthSample, kCharWidthSampleLength);
        m_CharSize = CSize(sample.cx / kCharWidthSampleLength, sample.cy);
    }

    m_PaperSize = CSize(pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
    if (m_bTrueSizePrinting) {
        HDC hScreen = ::GetDC(nullptr);
        const int screenX = ::GetDeviceCaps(hScreen, LOGPIXELSX);
        const int screenY = ::GetDeviceCaps(hScreen, LOGPIXELSY);
        ::ReleaseDC(nullptr, hScreen);
        m_LogicalPageSize.cx = ::MulDiv(m_PaperSize.cx, screenX, pDC->GetDeviceCaps(LOGPIXELSX)) * 3 / 4;
        m_LogicalPageSize.cy = ::MulDiv(m_PaperSize.cy, screenY, pDC->GetDeviceCaps(LOGPIXELSY)) * 3 / 4;
    } else {
        // The whole width of the table fills the page's width.
        m_LogicalPageSize.cx = GetVirtualWidth() + (m_nLeftMargin + m_nRightMargin) * m_CharSize.cx;
        m_LogicalPageSize.cy = ::MulDiv(m_LogicalPageSize.cx, m_PaperSize.cy, m_PaperSize.cx);
    }

    m_nPageHeight = m_LogicalPageSize.cy - (m_nTopMargin + m_nBottomMargin + 2 * m_nGap) * m_CharSize.cy -
        GetFixedRowHeight();
    m_nPageWidth = PrintBandWidth() - GetFixedColumnWidth();
    m_nPagesDown = static_cast<int>(PageStarts(true).size());
    m_nPagesAcross = m_bTrueSizePrinting ? static_cast<int>(PageStarts(false).size()) : 1;
    m_nNumPages = m_nPagesDown * m_nPagesAcross;
    pInfo->SetMaxPage(static_cast<UINT>(m_nNumPages));
    pInfo->m_nCurPage = 1;
}

void CMonitorGrid::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC == nullptr || pInfo == nullptr || m_PrinterFont.m_hObject == nullptr || m_nNumPages <= 0)
        return;
    const int savedDC = pDC->SaveDC();
    pDC->SelectObject(&m_PrinterFont);
    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowExt(m_LogicalPageSize.cx, m_LogicalPageSize.cy);
    pDC->SetViewportExt(m_PaperSize.cx, m_PaperSize.cy);
    pDC->SetWindowOrg(-m_nLeftMargin * m_CharSize.cx, 0);

    PrintHeader(pDC, pInfo);
    pDC->OffsetWindowOrg(0, -(m_nTopMargin + m_nGap) * m_CharSize.cy - GetFixedRowHeight());

    // Pages go across first, then down; counted from 0 so the last page of a row is not page 0.
    const int page = std::max(0, static_cast<int>(pInfo->m_nCurPage) - 1);
    const int rowPage = std::min(page / m_nPagesAcross, m_nPagesDown - 1);
    const int colPage = page % m_nPagesAcross;
    m_nPageFirstRow = PageStarts(true)[static_cast<size_t>(rowPage)];
    m_nPageFirstCol = m_bTrueSizePrinting ? PageStarts(false)[static_cast<size_t>(colPage)] : m_nFixedCols;

    {
        CPen pen(PS_SOLID, 0, RGB(0, 0, 0));
        ScopedSelect keepPen(*pDC, pen);
        PrintColumnHeadings(pDC, pInfo);
        PrintRowButtons(pDC, pInfo);
        PrintCells(pDC, pInfo);
    }
    PrintFooter(pDC, pInfo);
    pDC->RestoreDC(savedDC);
}

void CMonitorGrid::OnEndPrinting(CDC*, CPrintInfo*)
{
    m_PrinterFont.DeleteObject();
}

void CMonitorGrid::PrintHeader(CDC* pDC, CPrintInfo*)
{
    // The header's lines close the top margin.
    const CRect band(0, (m_nTopMargin - m_nHeaderHeight) * m_CharSize.cy, PrintBandWidth(),
                     m_nTopMargin * m_CharSize.cy);
    CFont bold;
    CreateBoldPrintFont(bold);
    ScopedSelect keepFont(*pDC, bold);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(RGB(0, 0, 0));
    CRect rect = band;
    pDC->DrawText(NearestTitle(this), &rect, DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    rect = band;
    pDC->DrawText(AfxGetAppName(), -1, &rect, DT_RIGHT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    Line(pDC, band.left, band.bottom, band.right, band.bottom);
}

void CMonitorGrid::PrintFooter(CDC* pDC, CPrintInfo* pInfo)
{
    // The footer's lines open the bottom margin.
    const int top = m_nPageHeight + m_nGap * m_CharSize.cy;
    const CRect band(0, top, PrintBandWidth(), top + m_nFooterHeight * m_CharSize.cy);
    CFont bold;
    CreateBoldPrintFont(bold);
    ScopedSelect keepFont(*pDC, bold);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(RGB(0, 0, 0));
    Line(pDC, band.left, band.top, band.right, band.top);

    CString page;
    page.Format(kPageNumberFormat, static_cast<int>(pInfo->m_nCurPage), m_nNumPages);
    CRect rect = band;
    pDC->DrawText(page, &rect, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);

    SYSTEMTIME now = {};
    ::GetLocalTime(&now);
    CString stamp;
    stamp.Format("%04u-%02u-%02u %02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute);
    rect = band;
    pDC->DrawText(stamp, &rect, DT_RIGHT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void CMonitorGrid::PrintColumnHeadings(CDC* pDC, CPrintInfo*)
{
    const int limit = GetFixedColumnWidth() + m_nPageWidth;
    CRect rect;
    rect.bottom = -GetFixedRowHeight() - 1;
    for (int row = 0; row < m_nFixedRows; ++row) {
        const int height = GetRowHeight(row);
        if (height <= 0)
            continue;
        PlaceNext(rect.top, rect.bottom, height, 0);
        rect.right = -1;
        bool firstCorner = true;
        bool firstOfPage = true;
        // The fixed columns, then the page's columns; a cell past the printable width ends the line.
        auto printCell = [&](int col) {
            const int width = GetColumnWidth(col);
            if (width <= 0)
                return true;
            if (!PlaceNext(rect.left, rect.right, width, limit))
                return false;
            if (CMonitorCellBase* pCell = GetCell(row, col))
                pCell->PrintCell(pDC, row, col, rect);
            const bool leftEdge = row == 0 && (col < m_nFixedCols ? firstCorner : firstOfPage);
            (col < m_nFixedCols ? firstCorner : firstOfPage) = false;
            if (HorizontalLines(m_nGridLines)) {
                LineAlongBottom(pDC, rect, col == 0);
                if (row == 0)
                    Line(pDC, col == 0 ? rect.left : rect.left - 1, rect.top, rect.right + 1, rect.top);
            }
            if (VerticalLines(m_nGridLines)) {
                LineAlongRight(pDC, rect, row == 0);
                if (leftEdge)
                    Line(pDC, rect.left - 1, rect.top, rect.left - 1, rect.bottom + 1);
            }
            return true;
        };
        bool fits = true;
        for (int col = 0; fits && col < m_nFixedCols; ++col)
            fits = printCell(col);
        for (int col = m_nPageFirstCol; fits && col < m_nCols; ++col)
            fits = printCell(col);
    }
}

void CMonitorGrid::PrintRowButtons(CDC* pDC, CPrintInfo*)
{
    CRect rect;
    rect.right = -1;
    for (int col = 0; col < m_nFixedCols; ++col) {
        const int width = GetColumnWidth(col);
        if (width <= 0)
            continue;
        PlaceNext(rect.left, rect.right, width, 0);
        rect.bottom = -1;
        bool first = true;
        for (int row = m_nPageFirstRow; row < m_nRows; ++row) {
            const int height = GetRowHeight(row);
            if (height <= 0)
                continue;
            if (!PlaceNext(rect.top, rect.bottom, height, m_nPageHeight))
                break;
            if (CMonitorCellBase* pCell = GetCell(row, col))
                pCell->PrintCell(pDC, row, col, rect);
            if (HorizontalLines(m_nGridLines)) {
                LineAlongBottom(pDC, rect, col == 0);
                if (first)
                    Line(pDC, col == 0 ? rect.left : rect.left - 1, rect.top - 1, rect.right + 1, rect.top - 1);
            }
            if (VerticalLines(m_nGridLines)) {
                LineAlongRight(pDC, rect, row == 0);
                if (col == 0)
                    Line(pDC, rect.left - 1, rect.top - 1, rect.left - 1, rect.bottom + 1);
            }
            first = false;
        }
    }
}

void CMonitorGrid::PrintCells(CDC* pDC, CPrintInfo*)
{
    const int fixedColWidth = GetFixedColumnWidth();
    const int limit = fixedColWidth + m_nPageWidth;
    CRect rect;
    rect.bottom = -1;
    for (int row = m_nPageFirstRow; row < m_nRows; ++row) {
        const int height = GetRowHeight(row);
        if (height <= 0)
            continue;
        if (!PlaceNext(rect.top, rect.bottom, height, m_nPageHeight))
            break;
        rect.right = fixedColWidth - 1;
        for (int col = m_nPageFirstCol; col < m_nCols; ++col) {
            const int width = GetColumnWidth(col);
            if (width <= 0)
                continue;
            if (!PlaceNext(rect.left, rect.right, width, limit))
                break;
            if (CMonitorCellBase* pCell = GetCell(row, col))
                pCell->PrintCell(pDC, row, col, rect);
            if (HorizontalLines(m_nGridLines))
                LineAlongBottom(pDC, rect, false);
            if (VerticalLines(m_nGridLines))
                LineAlongRight(pDC, rect, false);
        }
    }
}

BOOL CMonitorGrid::PrintDocument(CDC* pDC, LPCSTR lpszDocName)
{
    if (pDC == nullptr || pDC->m_hDC == nullptr)
        return FALSE;
    pDC->m_bPrinting = TRUE;
    if (pDC->StartDoc(lpszDocName) <= 0)
        return FALSE;
    CPrintInfo info;
    info.m_rectDraw.SetRect(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
    OnBeginPrinting(pDC, &info);
    BOOL printed = TRUE;
    for (UINT page = info.GetFromPage(); page <= info.GetToPage() && info.m_bContinuePrinting; ++page) {
        info.m_nCurPage = page;
        if (pDC->StartPage() <= 0) {
            printed = FALSE;
            break;
        }
        OnPrint(pDC, &info);
        if (pDC->EndPage() <= 0) {
            printed = FALSE;
            break;
        }
    }
    OnEndPrinting(pDC, &info);
    if (printed)
        pDC->EndDoc();
    else
        pDC->AbortDoc();
    return printed;
}

void CMonitorGrid::Print(CPrintDialog* pPrintDialog)
{
    CPrintDialog dialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                        this);
    CPrintDialog* pDialog = pPrintDialog != nullptr ? pPrintDialog : &dialog;
    if (pDialog->DoModal() != IDOK)
        return;
    CDC printerDC;
    printerDC.Attach(pDialog->GetPrinterDC());
    pDialog->m_pd.hDC = nullptr;
    CString title = NearestTitle(this);
    if (title.IsEmpty())
        title = AfxGetAppName();
    PrintDocument(&printerDC, title);
}
