// The memory map view with its printing and export, the tag database view and the transaction view over the
// running Corvel; the map view's and a printed page's pictures.
#include "corvel/mapping/map_view_dlg.h"
#include "corvel/mapping/record_view_dlg.h"

#include "corvel/resources/resource.h"
#include "framework/print.h"

#include <dlgs.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "../app/corvel_app_environment.h"
#include "support/message_box_recorder.h"
#include "support/paths.h"
#include "support/scripted_file_dialog.h"
#include "support/stopwatch.h"
#include "support/window_screenshot.h"

namespace {

using namespace Corvel::Records;
using Corvel::Mapping::MemoryMapPrintLayout;

// Answers the print dialog: cancelled, or OK with the given DC (null: no printer DC).
class ScriptedPrintDialog {
public:
    ScriptedPrintDialog(INT_PTR result, HDC dc)
    {
        m_previous = SetPrintDialogHook([this, result, dc](PRINTDLGA& pd) {
            ++m_calls;
            m_flags = pd.Flags;
            if (result == IDOK)
                pd.hDC = dc;
            return result;
        });
    }
    ~ScriptedPrintDialog() { SetPrintDialogHook(std::move(m_previous)); }
    int Calls() const { return m_calls; }
    DWORD Flags() const { return m_flags; }

private:
    PrintDialogHook m_previous;
    int m_calls = 0;
    DWORD m_flags = 0;
};

// The texts drawn on one metafile page.
std::vector<std::string> PageTexts(HENHMETAFILE metafile)
{
    std::vector<std::string> texts;
    auto read = [](HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) -> int {
        auto& out = *reinterpret_cast<std::vector<std::string>*>(data);
        const BYTE* bytes = reinterpret_cast<const BYTE*>(record);
        if (record->iType == EMR_EXTTEXTOUTW) {
            const auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
            const WCHAR* chars = reinterpret_cast<const WCHAR*>(bytes + text->emrtext.offString);
            std::string narrow;
            for (DWORD i = 0; i < text->emrtext.nChars; ++i)
                narrow.push_back(static_cast<char>(chars[i]));
            out.push_back(narrow);
        } else if (record->iType == EMR_EXTTEXTOUTA) {
            const auto* text = reinterpret_cast<const EMREXTTEXTOUTA*>(record);
            out.emplace_back(reinterpret_cast<const char*>(bytes + text->emrtext.offString), text->emrtext.nChars);
        }
        return 1;
    };
    ::EnumEnhMetaFile(nullptr, metafile, read, &texts, nullptr);
    return texts;
}

bool Has(const std::vector<std::string>& texts, const std::string& text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// Presses a button (OK or Cancel) in the platform's print dialog (a real one, no hook): in every dialog that
// opens on this thread while it lives, once it shows, from a timer that the dialog's own message loop runs.
class PrintDialogAnswer {
public:
    explicit PrintDialogAnswer(int button)
    {
        s_button = button;
        s_opened.clear();
        s_printers.clear();
        m_hook = ::SetWindowsHookExA(WH_CBT, &PrintDialogAnswer::Watch, nullptr, ::GetCurrentThreadId());
        m_timer = ::SetTimer(nullptr, 0, 20, &PrintDialogAnswer::Press);
    }
    ~PrintDialogAnswer()
    {
        ::KillTimer(nullptr, m_timer);
        ::UnhookWindowsHookEx(m_hook);
    }
    PrintDialogAnswer(const PrintDialogAnswer&) = delete;
    PrintDialogAnswer& operator=(const PrintDialogAnswer&) = delete;
    // The printer chosen in each dialog answered.
    const std::vector<std::string>& Answered() const { return s_printers; }

private:
    static LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam)
    {
        HWND window = reinterpret_cast<HWND>(wParam);
        char name[16] = {};
        if (code == HCBT_CREATEWND && ::GetClassNameA(window, name, sizeof name) > 0 && strcmp(name, "#32770") == 0)
            s_opened.push_back(window);
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static void CALLBACK Press(HWND, UINT, UINT_PTR, DWORD)
    {
        for (auto dialog = s_opened.begin(); dialog != s_opened.end(); ++dialog) {
            if (::IsWindow(*dialog) && ::IsWindowVisible(*dialog)) {
                char printer[128] = {};
                ::GetDlgItemTextA(*dialog, cmb4, printer, sizeof printer);
                s_printers.emplace_back(printer);
                ::PostMessageA(*dialog, WM_COMMAND, MAKEWPARAM(s_button, BN_CLICKED), 0);
                s_opened.erase(dialog);
                return;
            }
        }
    }
    static inline int s_button = IDOK;
    static inline std::vector<HWND> s_opened;
    static inline std::vector<std::string> s_printers;
    HHOOK m_hook = nullptr;
    UINT_PTR m_timer = 0;
};

// A letter page in landscape at 150 pixels per inch, as a printer gives it, in a 10-point Verdana.
constexpr int kPageDpi = 150;
constexpr int kPageWidth = 11 * kPageDpi;
constexpr int kPageHeight = 17 * kPageDpi / 2;

LOGFONTA PageFont()
{
    LOGFONTA face = {};
    strcpy(face.lfFaceName, "Verdana");
    face.lfHeight = -10 * kPageDpi / 72;
    return face;
}

class MapViews : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = CorvelAppEnvironment::Doc();
        ASSERT_NE(nullptr, doc);
        project = &doc->project;
        project->prjName = "Substation A";
        project->startRead = "1";
        project->startWrite = "1001";
    }
    void TearDown() override
    {
        if (mapView && mapView->m_hWnd != nullptr)
            mapView->DestroyWindow();
        if (recordView && recordView->m_hWnd != nullptr)
            recordView->DestroyWindow();
        PumpMessages();
        DeleteRecords(project->tagMaps);
        for (CPLC_Device* device : m_devices) {
            POSITION pos = project->plcDevices.Find(device);
            if (pos != nullptr)
                project->plcDevices.RemoveAt(pos);
            delete device;
        }
    }

    void AddTags(int count)
    {
        const char* const types[] = {"FLOAT32", "BOOLEAN", "INT32", "Dbpos", "Quality"};
        for (int i = 0; i < count; ++i) {
            auto* tag = new _TAGSMAP;
            tag->tagName.Format("Feeder%02d_%s", i / 5 + 1, i % 3 == 2 ? "Cmd" : "Value");
            tag->tagName.Format("%s%d", static_cast<LPCSTR>(tag->tagName), i);
            tag->dataType = types[i % 5];
            tag->direction = i % 3 == 2 ? kMtcpWriteDirection : kMtcpReadDirection;
            tag->tagPath.Format("IED%d/LD0/MMXU1.TotW.mag.f", i / 5 + 1);
            project->tagMaps.AddTail(tag);
        }
    }
    CPLC_Device& AddDevice(const char* name, int devType)
    {
        auto* device = new CPLC_Device;
        device->name = name;
        device->devType = devType;
        device->state = kSlotInUse;
        device->devNum = 900 + static_cast<int>(m_devices.size());
        device->WStartReg = "1";
        device->RStartReg = "1";
        project->plcDevices.AddTail(device);
        m_devices.push_back(device);
        return *device;
    }
    CDlgMapView& OpenMapView(const CPLC_Device& device)
    {
        mapView = std::make_unique<CDlgMapView>(*project, &device);
        EXPECT_TRUE(mapView->Create(IDD_MAP_VIEW, CorvelAppEnvironment::Frame()));
        mapView->ShowWindow(SW_SHOWNA);
        PumpMessages();
        return *mapView;
    }
    template <class Dialog>
    Dialog& OpenRecordView(UINT templateId)
    {
        auto dialog = std::make_unique<Dialog>();
        Dialog& result = *dialog;
        EXPECT_TRUE(dialog->Create(templateId, CorvelAppEnvironment::Frame()));
        recordView = std::move(dialog);
        recordView->ShowWindow(SW_SHOWNA);
        PumpMessages();
        return result;
    }
    // The layout of the test page in the page font, measured on dc.
    MemoryMapPrintLayout PageLayout(CMapListView& list, CDC& dc)
    {
        MemoryMapPrintLayout::Metrics metrics = list.MeasureHeadings(dc);
        metrics.pageWidth = kPageWidth;
        metrics.pageHeight = kPageHeight;
        metrics.pixelsPerInchX = kPageDpi;
        metrics.pixelsPerInchY = kPageDpi;
        MemoryMapPrintLayout layout;
        EXPECT_TRUE(layout.Compute(metrics));
        return layout;
    }
    // Draws every page of the list into metafiles and returns their texts.
    std::vector<std::vector<std::string>> PrintToMetafiles(CMapListView& list)
    {
        HDC screen = ::GetDC(nullptr);
        CFont font;
        LOGFONTA face = PageFont();
        font.CreateFontIndirect(&face);
        std::vector<std::vector<std::string>> pages;
        MemoryMapPrintLayout layout;
        int next = 0;
        for (int page = 1; page == 1 || next < list.GetItemCount(); ++page) {
            CDC dc;
            dc.Attach(::CreateEnhMetaFileA(screen, nullptr, nullptr, nullptr));
            ScopedSelect selected(dc, font.m_hObject);
            if (page == 1)
                layout = PageLayout(list, dc);
            next = list.DrawPage(dc, layout, page, layout.PageCount(list.GetItemCount()), next);
            HENHMETAFILE metafile = ::CloseEnhMetaFile(dc.Detach());
            pages.push_back(PageTexts(metafile));
            ::DeleteEnhMetaFile(metafile);
            if (page > 100)
                break;
        }
        ::ReleaseDC(nullptr, screen);
        return pages;
    }

    CMainDoc* doc = nullptr;
    _PROJECT* project = nullptr;
    std::unique_ptr<CDlgMapView> mapView;
    std::unique_ptr<CDialog> recordView;
    MessageBoxRecorder boxes;

private:
    std::vector<CPLC_Device*> m_devices;
};

TEST_F(MapViews, PlcMapViewListsTheDeviceMapAndLooksFinished)
{
    AddTags(60);
    CPLC_Device& device = AddDevice("Quantum Line 1", 2);
    CDlgMapView& view = OpenMapView(device);
    CMapListView& list = view.GetList();

    EXPECT_EQ(2, list.GetViewKind());
    EXPECT_EQ("Quantum_Line_1", std::string(list.GetDeviceName()));
    EXPECT_EQ("VQN32", std::string(view.GetModelName()));
    EXPECT_EQ(60, list.GetItemCount());
    // Write block first: the IED's data, from %MW0 (start register 1 less 1).
    EXPECT_EQ("MTCP-->", std::string(list.GetItemText(0, 1)));
    EXPECT_EQ("%MW0 ", std::string(list.GetItemText(0, 2)));
    EXPECT_EQ("1001 ", std::string(list.GetItemText(0, 3)));
    EXPECT_EQ("%MW2 ", std::string(list.GetItemText(1, 2)));
    HDITEMA item = {};
    char title[64] = {};
    item.mask = HDI_TEXT;
    item.pszText = title;
    item.cchTextMax = sizeof title;
    list.GetHeaderCtrl()->GetItem(2, &item);
    EXPECT_EQ("PLC Start MB Address", std::string(title));
    EXPECT_TRUE(view.GetDlgItem(IDC_MAP_EXPORT_PROCESSOR_FILES)->IsWindowVisible());

    // The list fills the client area above the button strip.
    CRect client, listRect;
    view.GetClientRect(&client);
    list.GetWindowRect(&listRect);
    view.ScreenToClient(&listRect);
    EXPECT_EQ(client.bottom - CDlgMapView::kButtonStrip, listRect.bottom);
    EXPECT_EQ(client.right, listRect.right);
    EXPECT_EQ("", SaveWindowScreenshot(view.m_hWnd, "map-view"));
}

// A click on the fourth column's header leaves the rows as they are; the other columns sort.
TEST_F(MapViews, TheFourthColumnDoesNotSort)
{
    AddTags(6);
    CPLC_Device& device = AddDevice("Quantum Line 1", 2);
    CDlgMapView& view = OpenMapView(device);
    CMapListView& list = view.GetList();
    const auto column = [&list](int col) {
        std::vector<std::string> texts;
        for (int row = 0; row < list.GetItemCount(); ++row)
            texts.push_back(std::string(list.GetItemText(row, col)));
        return texts;
    };
    const auto clickHeader = [&](int col) {
        NMLISTVIEW click = {};
        click.hdr.hwndFrom = list.m_hWnd;
        click.hdr.idFrom = static_cast<UINT_PTR>(list.GetDlgCtrlID());
        click.hdr.code = LVN_COLUMNCLICK;
        click.iItem = -1;
        click.iSubItem = col;
        view.SendMessage(WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
    };
    const std::vector<std::string> addresses = column(3);
    for (int clicks = 0; clicks < 2; ++clicks) {
        clickHeader(3);
        EXPECT_EQ(addresses, column(3));
        EXPECT_EQ(-1, list.GetSortColumn());
    }
    clickHeader(4);
    EXPECT_EQ(4, list.GetSortColumn());
    std::vector<std::string> names = column(4);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    clickHeader(4);
    names = column(4);
    EXPECT_TRUE(std::is_sorted(names.rbegin(), names.rend()));
}

TEST_F(MapViews, ExportButtonOnlyForThePlcFamilies)
{
    for (int devType : {0, 1, 2, 3, 4, 5, 6, 7}) {
        CDlgMapView& view = OpenMapView(AddDevice("D", devType));
        const bool shown = devType == 2 || devType == 3 || devType == 6;
        EXPECT_EQ(shown, view.GetDlgItem(IDC_MAP_EXPORT_PROCESSOR_FILES)->IsWindowVisible() != FALSE) << devType;
        EXPECT_EQ(shown ? 2 : 1, view.GetList().GetViewKind()) << devType;
        view.DestroyWindow();
    }
}

TEST_F(MapViews, ExportChecksTheSlotThenAsksForTheFiles)
{
    AddTags(3);
    CPLC_Device& device = AddDevice("M340 A", 3);
    CDlgMapView& view = OpenMapView(device);

    device.NOESel = 1;
    device.NOESlotNum = 16;
    {
        ScriptedFileDialog files({}, IDCANCEL);
        view.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MAP_EXPORT_PROCESSOR_FILES, BN_CLICKED));
        EXPECT_TRUE(files.Requests().empty());
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_EQ("Error: Slot number is out of range", std::string(boxes.Last().text));
    }
    boxes.Clear();
    device.NOESel = 0;
    {
        // The list's own command takes the same way; the export goes on without a slot.
        ScriptedFileDialog files({}, IDCANCEL);
        view.GetList().SendMessage(WM_COMMAND, ID_GRID_EXPORT_PROCESSOR_FILES);
        EXPECT_EQ(1u, files.Requests().size());
        EXPECT_EQ(0u, boxes.Count());
        EXPECT_EQ(-1, view.GetList().GetExporter().GetNoeSlot());
    }
}

TEST_F(MapViews, PrintDialogCancelAndMissingPrinter)
{
    CDlgMapView& view = OpenMapView(AddDevice("Modbus Meter", 0));
    {
        ScriptedPrintDialog dialog(IDCANCEL, nullptr);
        view.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MAP_PRINT, BN_CLICKED));
        EXPECT_EQ(1, dialog.Calls());
        EXPECT_NE(0u, dialog.Flags() & PD_RETURNDC);
        EXPECT_EQ(0u, boxes.Count());
    }
    {
        ScriptedPrintDialog dialog(IDOK, nullptr);
        view.GetList().SendMessage(WM_COMMAND, ID_GRID_PRINT);
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_EQ("Error: Invalid Printer", std::string(boxes.Last().text));
        EXPECT_EQ("Korvane EIP-Tarnwell", std::string(boxes.Last().caption));
    }
}

TEST_F(MapViews, PagesOfTheMap)
{
    CDlgMapView& view = OpenMapView(AddDevice("Modbus Meter", 0));
    CMapListView& list = view.GetList();

    // An empty list: one page with the title, the headings, empty boxes and the footer.
    auto pages = PrintToMetafiles(list);
    ASSERT_EQ(1u, pages.size());
    for (const char* text : {"Modbus Memory Map View", "Direction", "Start MB Address", "VQN Start MB Address",
                             "Tag Name", "# Words", "Page 1 of 1"})
        EXPECT_TRUE(Has(pages[0], text)) << text;

    // R rows on one page, R + 1 on two.
    HDC screen = ::GetDC(nullptr);
    CDC measure;
    measure.Attach(::CreateCompatibleDC(screen));
    ::ReleaseDC(nullptr, screen);
    CFont font;
    LOGFONTA face = PageFont();
    font.CreateFontIndirect(&face);
    int rowsPerPage = 0;
    {
        ScopedSelect selected(measure, font.m_hObject);
        rowsPerPage = PageLayout(list, measure).rowsPerPage;
    }
    ASSERT_GE(rowsPerPage, 3);
    std::vector<Corvel::Mapping::MemoryMapRow> rows(static_cast<size_t>(rowsPerPage));
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i].cells = {"MTCP-->", "40001", "1", CString(("Tag" + std::to_string(i)).c_str()), "1"};
    list.SetRows(rows);
    pages = PrintToMetafiles(list);
    ASSERT_EQ(1u, pages.size());
    EXPECT_TRUE(Has(pages[0], "Page 1 of 1"));
    EXPECT_TRUE(Has(pages[0], "Tag" + std::to_string(rowsPerPage - 1)));

    rows.push_back({{"MTCP<--", "40002", "2", "Last", "2"}});
    list.SetRows(rows);
    pages = PrintToMetafiles(list);
    ASSERT_EQ(2u, pages.size());
    EXPECT_TRUE(Has(pages[0], "Page 1 of 2"));
    EXPECT_FALSE(Has(pages[0], "Last"));
    EXPECT_TRUE(Has(pages[1], "Page 2 of 2"));
    EXPECT_TRUE(Has(pages[1], "Last"));
    EXPECT_TRUE(Has(pages[1], "Tag Name"));
}

TEST_F(MapViews, PrintedPageOfASixtyRowMap)
{
    AddTags(60);
    CDlgMapView& view = OpenMapView(AddDevice("Quantum Line 1", 2));
    CMapListView& list = view.GetList();

    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kPageWidth;
    info.bmiHeader.biHeight = -kPageHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ::ReleaseDC(nullptr, screen);
    ASSERT_NE(nullptr, bitmap);
    HGDIOBJ oldBitmap = ::SelectObject(memory, bitmap);
    RECT all = {0, 0, kPageWidth, kPageHeight};
    ::FillRect(memory, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    {
        CDC dc;
        dc.Attach(memory);
        CFont font;
        LOGFONTA face = PageFont();
        font.CreateFontIndirect(&face);
        ScopedSelect selected(dc, font.m_hObject);
        const MemoryMapPrintLayout layout = PageLayout(list, dc);
        EXPECT_EQ(layout.rowsPerPage, list.DrawPage(dc, layout, 1, layout.PageCount(60), 0));
        dc.Detach();
    }
    std::vector<DWORD> pixels(static_cast<const DWORD*>(bits),
                              static_cast<const DWORD*>(bits) + kPageWidth * kPageHeight);
    ::SelectObject(memory, oldBitmap);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    for (DWORD& pixel : pixels)
        pixel &= 0x00FFFFFF;
    EXPECT_EQ("", SaveScreenshot("map-print-bitmap-page1", kPageWidth, kPageHeight, pixels));
}

// The test prefix's default printer writes each document to printed.ps in the current folder
// (scripts/printer). The map is kept as map-print.ps, with what its pages must show in map-print.expect, for
// map_print_check.py, which reads the pages back (and draws build/screens/map-print-page1.png).
TEST_F(MapViews, PrintsThroughTheDefaultPrinter)
{
    const char kPrinted[] = "printed.ps";
    const char kKept[] = "map-print.ps";
    const char kExpected[] = "map-print.expect";
    for (const char* file : {kPrinted, kKept, kExpected})
        ::DeleteFileA(file);
    AddTags(60);
    CDlgMapView& view = OpenMapView(AddDevice("Quantum Line 1", 2));
    CMapListView& list = view.GetList();

    // The pages the printer's own geometry gives: its default page in landscape, in the list's font.
    CPrintDialog defaults(FALSE);
    ASSERT_TRUE(defaults.GetDefaults()) << "no default printer in the test prefix (scripts/wine-run.sh)";
    auto* names = static_cast<DEVNAMES*>(::GlobalLock(defaults.m_pd.hDevNames));
    auto* mode = static_cast<DEVMODEA*>(::GlobalLock(defaults.m_pd.hDevMode));
    ASSERT_TRUE(names != nullptr && mode != nullptr);
    mode->dmOrientation = DMORIENT_LANDSCAPE;
    mode->dmFields |= DM_ORIENTATION;
    CDC printer;
    printer.Attach(::CreateDCA(reinterpret_cast<const char*>(names) + names->wDriverOffset,
                               reinterpret_cast<const char*>(names) + names->wDeviceOffset, nullptr, mode));
    ::GlobalUnlock(defaults.m_pd.hDevNames);
    ::GlobalUnlock(defaults.m_pd.hDevMode);
    ASSERT_NE(nullptr, printer.m_hDC);
    EXPECT_GT(printer.GetDeviceCaps(HORZRES), printer.GetDeviceCaps(VERTRES));
    MemoryMapPrintLayout layout;
    {
        LOGFONTA face = CMapListView::GetPrintFont(printer);
        EXPECT_EQ("Verdana", std::string(face.lfFaceName));
        CFont font;
        ASSERT_TRUE(font.CreateFontIndirect(&face));
        ScopedSelect selected(printer, font.m_hObject);
        layout = list.MeasurePage(printer);
    }
    printer.DeleteDC();
    ASSERT_GE(layout.rowsPerPage, MemoryMapPrintLayout::kMinimumRowsPerPage);
    const int pages = layout.PageCount(60);

    {
        // Cancelled in the dialog: nothing printed, nothing shown.
        PrintDialogAnswer cancel(IDCANCEL);
        view.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MAP_PRINT, BN_CLICKED));
        EXPECT_EQ(std::vector<std::string>{"Korvane File Printer"}, cancel.Answered());
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(kPrinted));
        EXPECT_EQ(0u, boxes.Count());
    }
    Stopwatch clock;
    {
        PrintDialogAnswer ok(IDOK);
        view.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MAP_PRINT, BN_CLICKED));
        EXPECT_EQ(std::vector<std::string>{"Korvane File Printer"}, ok.Answered());
    }
    const ULONGLONG printMs = clock.ElapsedMs();
    EXPECT_EQ(0u, boxes.Count());
    const std::string document = ReadBinaryFile(kPrinted);
    ASSERT_FALSE(document.empty()) << "the default printer wrote no " << kPrinted;
    EXPECT_EQ(0u, document.rfind("%!PS", 0));
    EXPECT_NE(std::string::npos, document.find("%%Title: Memory Map\n"));
    EXPECT_NE(std::string::npos, document.find("%%Orientation: Landscape\n"));
    EXPECT_NE(std::string::npos, document.find("%%Pages: " + std::to_string(pages) + "\n"));
    EXPECT_NE(std::string::npos, document.find("%%Page: " + std::to_string(pages) + " "));
    EXPECT_EQ(std::string::npos, document.find("%%Page: " + std::to_string(pages + 1) + " "));
    EXPECT_NE(std::string::npos, document.find("%%EOF"));
    EXPECT_TRUE(::MoveFileA(kPrinted, kKept));

    // What each page must show, for the check that reads the pages back: title, headings and footer, and
    // every row's tag name on its page.
    std::string expected;
    auto expect = [&expected](int page, const CString& text) {
        expected += std::to_string(page) + "\t" + static_cast<LPCSTR>(text) + "\n";
    };
    for (const char* text : {"PLC Memory Map View", "Direction", "PLC Start MB Address", "VQN Start MB Address",
                             "Tag Name", "# Words"})
        expect(1, text);
    for (int page = 1; page <= pages; ++page) {
        CString footer;
        footer.Format("Page %d of %d", page, pages);
        expect(page, footer);
    }
    for (int row = 0; row < list.GetItemCount(); ++row)
        expect(row / layout.rowsPerPage + 1, list.GetItemText(row, 4));
    WriteBinaryFile(kExpected, expected);
    RecordProperty("print_ms", static_cast<int>(printMs));
    std::printf("printed %d rows on %d pages (%d per page) in %llu ms\n", list.GetItemCount(), pages,
                layout.rowsPerPage, printMs);
}

std::vector<int> ColumnWidths(CGridList& list)
{
    std::vector<int> widths;
    for (int column = 1; column <= 3; ++column)
        widths.push_back(list.GetColumnWidth(column));
    return widths;
}

TEST_F(MapViews, TagDatabaseView)
{
    CDlgTagDBView& view = OpenRecordView<CDlgTagDBView>(IDD_TAG_DB_VIEW);
    EXPECT_EQ((std::vector<int>{318, 308, 308}), ColumnWidths(view.GetList()));
    EXPECT_EQ(0, view.GetList().GetItemCount());
    view.DestroyWindow();

    AddTags(4);
    CDlgTagDBView& filled = OpenRecordView<CDlgTagDBView>(IDD_TAG_DB_VIEW);
    CMapListTagDB& list = filled.GetList();
    ASSERT_EQ(4, list.GetItemCount());
    // Tags 0, 1, 3 come from the IED (FLOAT32, BOOLEAN, Dbpos); tag 2 is a command, after them.
    EXPECT_EQ("Substation A - 40001", std::string(list.GetItemText(0, 1)));
    EXPECT_EQ("Substation A - 40003", std::string(list.GetItemText(1, 1)));
    EXPECT_EQ("Substation A - 40004", std::string(list.GetItemText(2, 1)));
    EXPECT_EQ("Substation A - 41001", std::string(list.GetItemText(3, 1)));
    EXPECT_EQ("IED1/LD0/MMXU1.TotW.mag.f", std::string(list.GetItemText(3, 3)));
    CRect client, listRect;
    filled.GetClientRect(&client);
    list.GetWindowRect(&listRect);
    filled.ScreenToClient(&listRect);
    EXPECT_EQ(client.bottom - CRecordViewDlg::kStatusStrip, listRect.bottom);
}

TEST_F(MapViews, TransactionView)
{
    AddTags(3);
    CPLC_Device& device = AddDevice("Meter 4", 0);
    device.configuredRows.push_back({"1", "Feeder01_Value0", "FC16 - Preset (Write) Multiple Register(4X)", "1001",
                                     "1000", "2", "0", ""});
    device.configuredRows.push_back({"1", "Unknown", "FC3 - Read Holding Registers(4X)", "7", "1000", "1", "0", ""});
    CPLC_Device& hidden = AddDevice("Hidden", 0);
    hidden.state = kSlotFree;
    hidden.configuredRows.push_back({"1", "Feeder01_Value0", "Write", "1", "1000", "2", "0", ""});

    CDlgTransactionView& view = OpenRecordView<CDlgTransactionView>(IDD_TRANSACTION_VIEW);
    CMapListTransaction& list = view.GetList();
    EXPECT_EQ((std::vector<int>{308, 306, 311}), ColumnWidths(list));
    ASSERT_EQ(2, list.GetItemCount());
    EXPECT_EQ("IED1/LD0/MMXU1.TotW.mag.f", std::string(list.GetItemText(0, 2)));
    EXPECT_EQ("Meter 4 - 1001", std::string(list.GetItemText(0, 3)));
    EXPECT_EQ("Meter 4 - 7", std::string(list.GetItemText(1, 2)));
    EXPECT_EQ("Path Not Found", std::string(list.GetItemText(1, 3)));
    EXPECT_EQ("Path Not Found", std::string(CDlgTransactionView::FindTagPath("Unknown")));
}

} // namespace
