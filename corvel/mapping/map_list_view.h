// CMapListView: the memory-map list, which prints itself and starts the export of the PLC program files.
#pragma once

#include "corvel/controls/grid_list.h"
#include "corvel/gateway/unity_export.h"
#include "corvel/model/map_view_rows.h"

// Rows: the hidden label column, then direction, device start address, gateway start address, tag name and
// size in words (list columns 1 to 5).
class CMapListView : public CGridList {
    DECLARE_DYNAMIC(CMapListView)
public:
    static constexpr char kInvalidPrinter[] = "Error: Invalid Printer";
    static constexpr char kNoPrinterFont[] = "Error: Could not set Printer Font";
    static constexpr char kNoDocument[] = "Error: Printer wouldn't initalize";
    static constexpr char kNoStartPage[] = "Error: Could not start page";
    static constexpr char kNoEndPage[] = "Error: Could not end page";
    static constexpr char kPageTooSmall[] = "Error: The printer page holds too few rows";
    static constexpr char kDocumentName[] = "Memory Map";
    static constexpr char kPageFooter[] = "Page %d of %d";

    CMapListView();

    // 1 Modbus memory map, 2 PLC memory map; empties the device name.
    void SetViewKind(int kind);
    int GetViewKind() const { return m_viewKind; }
    // The device shown (and exported); project and device must outlive the list's use of them.
    void SetDevice(const Corvel::Records::_PROJECT& project, const Corvel::Records::CPLC_Device& device);
    const CString& GetDeviceName() const { return m_deviceName; }
    // Replaces the rows.
    void SetRows(const std::vector<Corvel::Mapping::MemoryMapRow>& rows);

    // "Modbus Memory Map View" or "PLC Memory Map View".
    CString GetTitle() const;
    // "Start MB Address" (Modbus view) or "PLC Start MB Address" (PLC view).
    CString GetAddressHeading() const;

    // Command 32803: asks for a printer (landscape by default) and prints every row.
    afx_msg void OnPrint();
    // Command 32802: the export of the PLC program files for the device (slot check, file name, files).
    afx_msg void OnExportProcessorFiles();

    // Prints the rows on the printer's DC as one document; false after the failure's message (the document
    // then aborted). The DC stays the caller's.
    bool PrintDocument(CDC& printer);
    // Draws one page: title, heading row, the rows from firstRow that fit (empty boxes after the last) and the
    // footer; returns the row after the last one drawn.
    int DrawPage(CDC& dc, const Corvel::Mapping::MemoryMapPrintLayout& layout, int page, int pageCount,
                 int firstRow);
    // The font the rows print in on the printer's DC: Verdana of kPrintPoints points.
    static LOGFONTA GetPrintFont(CDC& printer);
    static constexpr int kPrintPoints = 10;
    // The extents of the headings in the DC's selected font (the page's size and resolution left empty).
    Corvel::Mapping::MemoryMapPrintLayout::Metrics MeasureHeadings(CDC& dc) const;
    // The layout of the DC's page in its selected font.
    Corvel::Mapping::MemoryMapPrintLayout MeasurePage(CDC& dc) const;

    // The fourth column (the gateway start address, list column 3) does not sort; the others sort as in the
    // grid list.
    afx_msg void OnHeaderClick(NMHDR* pNMHDR, LRESULT* pResult) override;
    static constexpr int kUnsortedColumn = 3;

    Corvel::Gateway::CUnityExporter& GetExporter() { return m_exporter; }
    const Corvel::Gateway::CUnityExporter& GetExporter() const { return m_exporter; }

private:
    void DrawRow(CDC& dc, const Corvel::Mapping::MemoryMapPrintLayout& layout, int top,
                 const std::array<CString, Corvel::Mapping::MemoryMapRow::kColumnCount>& cells);
    void ShowPrintError(LPCSTR text) const;

    int m_viewKind = Corvel::Mapping::kModbusMapView;
    CString m_deviceName;
    const Corvel::Records::_PROJECT* m_project = nullptr;
    const Corvel::Records::CPLC_Device* m_device = nullptr;
    Corvel::Gateway::CUnityExporter m_exporter;

    DECLARE_MESSAGE_MAP()
};
