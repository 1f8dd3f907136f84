#include "corvel/mapping/map_list_view.h"

#include "corvel/resources/resource.h"
#include "corvel/controls/product_message.h"
#include "corvel/model/product.h"
#include "framework/print.h"

using Corvel::Mapping::MemoryMapPrintLayout;
using Corvel::Mapping::MemoryMapRow;

IMPLEMENT_DYNAMIC(CMapListView, CGridList)

BEGIN_MESSAGE_MAP(CMapListView, CGridList)
    ON_COMMAND(ID_GRID_PRINT, &CMapListView::OnPrint)
    ON_COMMAND(ID_GRID_EXPORT_PROCESSOR_FILES, &CMapListView::OnExportProcessorFiles)
END_MESSAGE_MAP()

void CMapListView::OnHeaderClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    if (reinterpret_cast<const NMLISTVIEW*>(pNMHDR)->iSubItem == kUnsortedColumn)
        return;
    CGridList::OnHeaderClick(pNMHDR, pResult);
}

namespace {

const char kPrintFace[] = "Verdana";
const char kWordsMeasure[] = " # Words ";
const char* const kHeadings[MemoryMapRow::kColumnCount] = {"Direction", nullptr, "VQN Start MB Address",
                                                            "Tag Name", "# Words"};
constexpr DWORD kPrintDialogFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION;
constexpr UINT kCellFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
constexpr int kGatewayColumn = 2;
constexpr int kWordsColumn = 4;

// Turns the default printer's device mode to landscape.
void SetLandscape(HGLOBAL devMode)
{
    if (devMode == nullptr)
        return;
    if (auto* mode = static_cast<DEVMODEA*>(::GlobalLock(devMode))) {
        mode->dmOrientation = DMORIENT_LANDSCAPE;
        mode->dmFields |= DM_ORIENTATION;
        ::GlobalUnlock(devMode);
    }
}

} // namespace

CMapListView::CMapListView()
{
    SetMenuMode(m_viewKind);
}

void CMapListView::SetViewKind(int kind)
{
    m_viewKind = kind;
    m_deviceName.Empty();
    // The context menu: Print, and for the PLC view also Export Processor Files.
    SetMenuMode(kind);
}

void CMapListView::SetDevice(const Corvel::Records::_PROJECT& project, const Corvel::Records::CPLC_Device& device)
{
    m_project = &project;
    m_device = &device;
    m_deviceName = device.name;
    m_deviceName.Replace(" ", "_");
    m_exporter.Attach(project, device);
}

void CMapListView::SetRows(const std::vector<MemoryMapRow>& rows)
{
    DeleteAllItems();
    for (const MemoryMapRow& row : rows) {
        const auto& c = row.cells;
        InsertRowTexts(-1, MemoryMapRow::kColumnCount + 1, c[0], c[0], c[1], c[2], c[3], c[4]);
    }
}

CString CMapListView::GetTitle() const
{
    return m_viewKind == Corvel::Mapping::kPlcMapView ? "PLC Memory Map View" : "Modbus Memory Map View";
}

CString CMapListView::GetAddressHeading() const
{
    return m_viewKind == Corvel::Mapping::kPlcMapView ? "PLC Start MB Address" : "Start MB Address";
}

void CMapListView::OnExportProcessorFiles()
{
    if (m_project == nullptr || m_device == nullptr)
        return;
    m_exporter.Attach(*m_project, *m_device);
    m_exporter.Export();
}

void CMapListView::ShowPrintError(LPCSTR text) const
{
    ShowProductMessage(text, MB_OK, m_hWnd);
}

void CMapListView::OnPrint()
{
    CPrintDialog dialog(FALSE, kPrintDialogFlags, this);
    CPrintDialog defaults(FALSE, kPrintDialogFlags, this);
    if (defaults.GetDefaults()) {
        SetLandscape(defaults.m_pd.hDevMode);
        // The first dialog takes over the defaults' handles.
        dialog.m_pd.hDevMode = defaults.m_pd.hDevMode;
        dialog.m_pd.hDevNames = defaults.m_pd.hDevNames;
        defaults.m_pd.hDevMode = nullptr;
        defaults.m_pd.hDevNames = nullptr;
    }
    if (dialog.DoModal() != IDOK)
        return;
    CDC printer;
    if (dialog.GetPrinterDC() == nullptr) {
        ShowPrintError(kInvalidPrinter);
        return;
    }
    printer.Attach(dialog.GetPrinterDC());
    PrintDocument(printer);
}

MemoryMapPrintLayout::Metrics CMapListView::MeasureHeadings(CDC& dc) const
{
    MemoryMapPrintLayout::Metrics metrics;
    metrics.addressHeading = dc.GetTextExtent(GetAddressHeading());
    metrics.gatewayHeading = dc.GetTextExtent(CString(kHeadings[kGatewayColumn]));
    metrics.wordsHeading = dc.GetTextExtent(CString(kWordsMeasure));
    return metrics;
}

MemoryMapPrintLayout CMapListView::MeasurePage(CDC& dc) const
{
    MemoryMapPrintLayout::Metrics metrics = MeasureHeadings(dc);
    metrics.pageWidth = dc.GetDeviceCaps(HORZRES);
    metrics.pageHeight = dc.GetDeviceCaps(VERTRES);
    metrics.pixelsPerInchX = dc.GetDeviceCaps(LOGPIXELSX);
    metrics.pixelsPerInchY = dc.GetDeviceCaps(LOGPIXELSY);
    MemoryMapPrintLayout layout;
    layout.Compute(metrics);
    return layout;
}

LOGFONTA CMapListView::GetPrintFont(CDC& printer)
{
    LOGFONTA face = {};
    strcpy(face.lfFaceName, kPrintFace);
    // A height of 0 leaves the size to the device: tiny on a printer, and of no size at all in a PostScript
    // driver's output.
    face.lfHeight = -::MulDiv(kPrintPoints, printer.GetDeviceCaps(LOGPIXELSY), 72);
    return face;
}

bool CMapListView::PrintDocument(CDC& printer)
{
    LOGFONTA face = GetPrintFont(printer);
    CFont font;
    std::unique_ptr<ScopedSelect> selected;
    if (font.CreateFontIndirect(&face))
        selected = std::make_unique<ScopedSelect>(printer, font.m_hObject);
    else
        ShowPrintError(kNoPrinterFont);

    if (printer.StartDoc(kDocumentName) <= 0) {
        ShowPrintError(kNoDocument);
        return false;
    }
    CWaitCursor wait;
    const MemoryMapPrintLayout layout = MeasurePage(printer);
    if (layout.rowsPerPage < MemoryMapPrintLayout::kMinimumRowsPerPage) {
        printer.AbortDoc();
        ShowPrintError(kPageTooSmall);
        return false;
    }
    const int rowCount = GetItemCount();
    const int pageCount = layout.PageCount(rowCount);
    int nextRow = 0;
    for (int page = 1; page == 1 || nextRow < rowCount; ++page) {
        if (printer.StartPage() <= 0) {
            printer.AbortDoc();
            ShowPrintError(kNoStartPage);
            return false;
        }
        nextRow = DrawPage(printer, layout, page, pageCount, nextRow);
        if (printer.EndPage() <= 0) {
            printer.AbortDoc();
            ShowPrintError(kNoEndPage);
            return false;
        }
    }
    printer.EndDoc();
    return true;
}

int CMapListView::DrawPage(CDC& dc, const MemoryMapPrintLayout& layout, int page, int pageCount, int firstRow)
{
    const CRect& area = layout.page;
    const int rowHeight = layout.rowHeight;
    // Title: one outlined row spanning the page.
    CRect title(area.left, area.top, area.right, area.top + rowHeight);
    dc.Rectangle(&title);
    dc.DrawText(GetTitle(), &title, kCellFormat | DT_CENTER);

    std::array<CString, MemoryMapRow::kColumnCount> headings;
    for (int column = 0; column < MemoryMapRow::kColumnCount; ++column)
        headings[static_cast<size_t>(column)] = kHeadings[column] != nullptr ? CString(kHeadings[column])
                                                                             : GetAddressHeading();
    int top = area.top + rowHeight;
    DrawRow(dc, layout, top, headings);
    top += rowHeight;

    const int rowCount = GetItemCount();
    int row = firstRow;
    for (; top + rowHeight <= area.bottom; top += rowHeight) {
        std::array<CString, MemoryMapRow::kColumnCount> cells;
        if (row < rowCount) {
            for (int column = 0; column < MemoryMapRow::kColumnCount; ++column)
                cells[static_cast<size_t>(column)] = GetItemText(row, column + 1);
            ++row;
        }
        DrawRow(dc, layout, top, cells);
    }

    CString footer;
    footer.Format(kPageFooter, page, pageCount);
    CRect footerRect(area.left, area.bottom, area.right, area.bottom + rowHeight);
    dc.DrawText(footer, &footerRect, kCellFormat | DT_CENTER);
    return row;
}

void CMapListView::DrawRow(CDC& dc, const MemoryMapPrintLayout& layout, int top,
                           const std::array<CString, MemoryMapRow::kColumnCount>& cells)
{
    int left = layout.page.left;
    for (int column = 0; column < MemoryMapRow::kColumnCount; ++column) {
        const int width = layout.columnWidths[static_cast<size_t>(column)];
        CRect box(left, top, left + width, top + layout.rowHeight);
        dc.Rectangle(&box);
        CRect text = box;
        text.DeflateRect(layout.textInset, 0);
        const UINT align = column == kWordsColumn ? DT_CENTER : DT_LEFT;
        dc.DrawText(cells[static_cast<size_t>(column)], &text, kCellFormat | align);
        left += width;
    }
}
