// The print dialog's hook, the page range of a print job and a view's printing through the test prefix's printer.
#include "framework/ui.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(PrintDialog, TheHookAnswersWithAPrinterDC)
{
    HDC given = ::CreateCompatibleDC(nullptr);
    DWORD flags = 0;
    PrintDialogHook previous = SetPrintDialogHook([&](PRINTDLGA& pd) {
        flags = pd.Flags;
        pd.hDC = given;
        return static_cast<INT_PTR>(IDOK);
    });
    CPrintDialog dialog(FALSE, PD_ALLPAGES | PD_NOSELECTION);
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(given, dialog.GetPrinterDC());
    EXPECT_EQ(static_cast<DWORD>(PD_ALLPAGES | PD_NOSELECTION | PD_RETURNDC), flags);

    SetPrintDialogHook([](PRINTDLGA&) { return static_cast<INT_PTR>(IDCANCEL); });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(nullptr, dialog.GetPrinterDC());
    SetPrintDialogHook(previous);
    ::DeleteDC(given);
}

TEST(PrintInfo, ThePagesAskedForAreTheWholeRangeUnlessChosen)
{
    CPrintInfo info;
    info.SetMaxPage(7);
    EXPECT_EQ(1u, info.GetFromPage());
    EXPECT_EQ(7u, info.GetToPage());
    info.SetPageRange(2, 3);
    EXPECT_EQ(2u, info.GetFromPage());
    EXPECT_EQ(3u, info.GetToPage());
    EXPECT_TRUE(info.m_bContinuePrinting);
    EXPECT_EQ(1u, info.m_nCurPage);
}

// A view that prints a known number of pages (0: it does not say) and logs the steps of the job.
class PagedView : public CView {
public:
    UINT pages = 0;
    std::vector<std::string> log;

    void OnDraw(CDC*) override {}
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override
    {
        if (pages > 0)
            pInfo->SetMaxPage(pages);
        return DoPreparePrinting(pInfo);
    }
    void OnBeginPrinting(CDC* pDC, CPrintInfo*) override { log.push_back(pDC->IsPrinting() ? "begin" : "begin?"); }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
    {
        log.push_back("page " + std::to_string(pInfo->m_nCurPage) +
                      (pDC->IsPrinting() && !pInfo->m_rectDraw.IsRectEmpty() ? "" : " without a page"));
    }
    void OnEndPrinting(CDC*, CPrintInfo*) override { log.push_back("end"); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PagedView, CView)
    ON_COMMAND(ID_FILE_PRINT, &CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, &CView::OnFilePrint)
END_MESSAGE_MAP()

// Print and direct print run the pages asked for on the printer chosen, or on the default printer without a
// dialog; a view that gives no page count prints one page; a cancelled dialog prints nothing.
TEST(ViewPrinting, PrintsThePagesAskedForOnThePrinterChosen)
{
    const struct {
        UINT command;
        UINT pages;
        INT_PTR answer;
        WORD from, to; // a range chosen in the dialog, or 0
        int dialogs;
        std::vector<std::string> log;
    } cases[] = {
        {ID_FILE_PRINT_DIRECT, 3, IDOK, 0, 0, 0, {"begin", "page 1", "page 2", "page 3", "end"}},
        {ID_FILE_PRINT, 3, IDOK, 2, 3, 1, {"begin", "page 2", "page 3", "end"}},
        {ID_FILE_PRINT, 3, IDOK, 0, 0, 1, {"begin", "page 1", "page 2", "page 3", "end"}},
        {ID_FILE_PRINT_DIRECT, 0, IDOK, 0, 0, 0, {"begin", "page 1", "end"}},
        {ID_FILE_PRINT, 3, IDCANCEL, 0, 0, 1, {}},
    };
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP, CRect(0, 0, 200, 200), nullptr, 0));
    auto* view = new PagedView; // deleted with its window
    ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 200), &host, 1, nullptr));
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.command == ID_FILE_PRINT ? "print" : "direct print") << ", "
                                        << c.pages << " pages, range " << c.from << "-" << c.to);
        int dialogs = 0;
        PrintDialogHook previous = SetPrintDialogHook([&](PRINTDLGA& pd) {
            ++dialogs;
            if (c.answer != IDOK)
                return c.answer;
            CPrintDialog defaults(FALSE);
            if (!defaults.GetDefaults())
                return static_cast<INT_PTR>(IDCANCEL);
            pd.hDC = defaults.CreatePrinterDC();
            if (c.from != 0) {
                pd.Flags |= PD_PAGENUMS;
                pd.nFromPage = c.from;
                pd.nToPage = c.to;
            }
            return c.answer;
        });
        view->pages = c.pages;
        view->log.clear();
        view->SendMessage(WM_COMMAND, c.command);
        SetPrintDialogHook(previous);
        EXPECT_EQ(c.dialogs, dialogs);
        EXPECT_EQ(c.log, view->log);
    }
    host.DestroyWindow();
    ::DeleteFileA("printed.ps");
}

} // namespace
