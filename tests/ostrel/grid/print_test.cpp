// Printing into metafiles that stand for the printer's pages: page layout, header and footer, the fixed bands.
#include "grid_fixture.h"

#include <algorithm>

namespace {

struct PrintedPage {
    SIZE windowExtent = {};
    std::vector<std::string> texts;

    bool Has(const std::string& text) const { return std::find(texts.begin(), texts.end(), text) != texts.end(); }
};

int CALLBACK ReadRecord(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data)
{
    PrintedPage& page = *reinterpret_cast<PrintedPage*>(data);
    const BYTE* bytes = reinterpret_cast<const BYTE*>(record);
    if (record->iType == EMR_SETWINDOWEXTEX) {
        page.windowExtent = reinterpret_cast<const EMRSETWINDOWEXTEX*>(record)->szlExtent;
    } else if (record->iType == EMR_EXTTEXTOUTW) {
        const EMREXTTEXTOUTW* text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
        const WCHAR* chars = reinterpret_cast<const WCHAR*>(bytes + text->emrtext.offString);
        std::string narrow;
        for (DWORD i = 0; i < text->emrtext.nChars; ++i)
            narrow.push_back(static_cast<char>(chars[i]));
        page.texts.push_back(narrow);
    } else if (record->iType == EMR_EXTTEXTOUTA) {
        const EMREXTTEXTOUTA* text = reinterpret_cast<const EMREXTTEXTOUTA*>(record);
        page.texts.emplace_back(reinterpret_cast<const char*>(bytes + text->emrtext.offString), text->emrtext.nChars);
    }
    return 1;
}

// A metafile DC in the place of a printer: the screen is its reference device.
class PageDC : public CDC {
public:
    PageDC()
    {
        HDC screen = ::GetDC(nullptr);
        Attach(::CreateEnhMetaFileA(screen, nullptr, nullptr, nullptr));
        ::ReleaseDC(nullptr, screen);
        m_bPrinting = TRUE;
    }
    ~PageDC() override
    {
        if (m_hDC != nullptr)
            ::DeleteEnhMetaFile(::CloseEnhMetaFile(Detach()));
    }
    PrintedPage Close()
    {
        HENHMETAFILE metafile = ::CloseEnhMetaFile(Detach());
        PrintedPage page;
        ::EnumEnhMetaFile(nullptr, metafile, ReadRecord, &page, nullptr);
        ::DeleteEnhMetaFile(metafile);
        return page;
    }
};

// Runs the printing protocol: begin, every page, end.
std::vector<PrintedPage> PrintPages(CMonitorGrid& grid, CPrintInfo& info)
{
    PageDC job;
    grid.OnBeginPrinting(&job, &info);
    std::vector<PrintedPage> pages;
    for (UINT page = info.GetMinPage(); page <= info.GetMaxPage(); ++page) {
        PageDC dc;
        info.m_nCurPage = page;
        grid.OnPrint(&dc, &info);
        pages.push_back(dc.Close());
    }
    grid.OnEndPrinting(&job, &info);
    return pages;
}

// The print font's character width and line height, measured as the grid does.
CSize PrintCharSize()
{
    LOGFONTA lf = SystemMessageFont();
    strcpy(lf.lfFaceName, "Arial");
    HDC screen = ::GetDC(nullptr);
    HFONT font = ::CreateFontIndirectA(&lf);
    HGDIOBJ old = ::SelectObject(screen, font);
    SIZE sample;
    ::GetTextExtentPoint32A(screen, "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ", 52, &sample);
    ::SelectObject(screen, old);
    ::DeleteObject(font);
    ::ReleaseDC(nullptr, screen);
    return CSize(sample.cx / 52, sample.cy);
}

CSize PaperSize()
{
    HDC screen = ::GetDC(nullptr);
    const CSize size(::GetDeviceCaps(screen, HORZRES), ::GetDeviceCaps(screen, VERTRES));
    ::ReleaseDC(nullptr, screen);
    return size;
}

class Printing : public GridTest {};

TEST_F(Printing, AGridOfOnlyFixedRowsPrintsOnePage)
{
    Fill(1, 3);
    CPrintInfo info;
    const std::vector<PrintedPage> pages = PrintPages(grid, info);
    EXPECT_EQ(1u, info.GetMaxPage());
    ASSERT_EQ(1u, pages.size());
    EXPECT_TRUE(pages[0].Has("Page 1 of 1"));
    EXPECT_TRUE(pages[0].Has("0,0"));
    EXPECT_TRUE(pages[0].Has("0,2"));
    EXPECT_TRUE(pages[0].Has("Grid host")) << "the parent's title heads the page";
}

TEST_F(Printing, ANarrowGridIsScaledToThePageWidth)
{
    Fill(4, 3);
    for (int col = 0; col < 3; ++col)
        grid.SetColumnWidth(col, 50);
    CPrintInfo info;
    const std::vector<PrintedPage> pages = PrintPages(grid, info);
    ASSERT_EQ(1u, pages.size());
    const CSize charSize = PrintCharSize();
    const CSize paper = PaperSize();
    EXPECT_EQ(150 + 8 * charSize.cx, pages[0].windowExtent.cx);
    EXPECT_EQ(::MulDiv(pages[0].windowExtent.cx, paper.cy, paper.cx), pages[0].windowExtent.cy);
    for (const char* cell : {"0,1", "1,0", "3,2"})
        EXPECT_TRUE(pages[0].Has(cell)) << cell;
}

TEST_F(Printing, PagesDownGrowExactlyWhenTheRowsPassThePrintableHeight)
{
    Fill(3, 2);
    grid.SetColumnWidth(0, 300);
    grid.SetColumnWidth(1, 300);
    const CSize charSize = PrintCharSize();
    const CSize paper = PaperSize();
    const int logicalHeight = ::MulDiv(600 + 8 * charSize.cx, paper.cy, paper.cx);
    const int printable = logicalHeight - 6 * charSize.cy - grid.GetRowHeight(0);

    struct Case {
        int first;
        int second;
        UINT pages;
    };
    const Case cases[] = {{printable - 10, 10, 1}, {printable - 10, 11, 2}, {printable, printable, 2},
                          {10, printable, 2}};
    for (const Case& c : cases) {
        grid.SetRowHeight(1, c.first);
        grid.SetRowHeight(2, c.second);
        CPrintInfo info;
        const std::vector<PrintedPage> pages = PrintPages(grid, info);
        EXPECT_EQ(c.pages, info.GetMaxPage()) << c.first << " + " << c.second;
        ASSERT_EQ(c.pages, pages.size());
        CString footer;
        footer.Format("Page %u of %u", c.pages, c.pages);
        EXPECT_TRUE(pages.back().Has(std::string(footer)));
    }
}

TEST_F(Printing, AColumnWiderThanThePrintableWidthEndsTheFixedRow)
{
    Fill(2, 4);
    grid.EnableTrueSizePrinting(TRUE);
    grid.SetColumnWidth(0, 100);
    grid.SetColumnWidth(1, 100);
    grid.SetColumnWidth(2, 5000);
    grid.SetColumnWidth(3, 100);
    CPrintInfo info;
    const std::vector<PrintedPage> pages = PrintPages(grid, info);
    ASSERT_FALSE(pages.empty());
    EXPECT_TRUE(pages[0].Has("0,0"));
    EXPECT_TRUE(pages[0].Has("0,1"));
    EXPECT_FALSE(pages[0].Has("0,2"));
    EXPECT_FALSE(pages[0].Has("0,3")) << "nothing after the too-wide column";
}

TEST_F(Printing, PagesGoAcrossThenDownAndTheLastColumnPageIsPrinted)
{
    Fill(3, 2);
    grid.EnableTrueSizePrinting(TRUE);
    grid.SetColumnWidth(0, 600);
    grid.SetColumnWidth(1, 600);
    grid.SetRowHeight(1, 400);
    grid.SetRowHeight(2, 400);
    CPrintInfo info;
    const std::vector<PrintedPage> pages = PrintPages(grid, info);
    ASSERT_EQ(4u, pages.size());
    const char* expected[] = {"1,0", "1,1", "2,0", "2,1"};
    for (size_t page = 0; page < pages.size(); ++page) {
        EXPECT_TRUE(pages[page].Has(expected[page])) << "page " << page + 1;
        for (size_t other = 0; other < 4; ++other) {
            if (other != page) {
                EXPECT_FALSE(pages[page].Has(expected[other])) << "page " << page + 1 << " has " << expected[other];
            }
        }
        CString footer;
        footer.Format("Page %u of 4", static_cast<unsigned>(page + 1));
        EXPECT_TRUE(pages[page].Has(std::string(footer)));
    }
}

TEST_F(Printing, ACancelledPrintDialogPrintsNothing)
{
    Fill(3, 3);
    int asked = 0;
    DWORD flags = 0;
    PrintDialogHook previous = SetPrintDialogHook([&](PRINTDLGA& pd) {
        ++asked;
        flags = pd.Flags;
        return static_cast<INT_PTR>(IDCANCEL);
    });
    grid.Print();
    SetPrintDialogHook(previous);
    EXPECT_EQ(1, asked);
    EXPECT_TRUE(flags & PD_RETURNDC);
}

} // namespace
