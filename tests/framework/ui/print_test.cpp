// The print dialog's hook, the page range of a print job, a view's printing through the test prefix's printer and
// its print preview over a frame.
#include "framework/ui.h"
#include "support/message_pump.h"

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
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, &CView::OnFilePrintPreview)
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

// Answers the print dialog with the default printer and counts the dialogs asked for.
class DefaultPrinterAnswer {
public:
    DefaultPrinterAnswer()
    {
        m_previous = SetPrintDialogHook([this](PRINTDLGA& pd) {
            ++asked;
            CPrintDialog defaults(FALSE);
            if (!defaults.GetDefaults())
                return static_cast<INT_PTR>(IDCANCEL);
            pd.hDC = defaults.CreatePrinterDC();
            return static_cast<INT_PTR>(IDOK);
        });
    }
    ~DefaultPrinterAnswer() { SetPrintDialogHook(std::move(m_previous)); }
    DefaultPrinterAnswer(const DefaultPrinterAnswer&) = delete;
    DefaultPrinterAnswer& operator=(const DefaultPrinterAnswer&) = delete;

    int asked = 0;

private:
    PrintDialogHook m_previous;
};

// A frame with a bar along its top, a status line and a paged view in the rest, as a print preview finds it.
class PrintPreview : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = new CFrameWnd; // deletes itself with its window
        ASSERT_TRUE(frame->Create(nullptr, "Preview", WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 600)));
        ASSERT_TRUE(topBar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP));
        static const UINT indicators[] = {ID_SEPARATOR};
        ASSERT_TRUE(status.Create(frame));
        ASSERT_TRUE(status.SetIndicators(indicators, 1));
        view = new PagedView; // deleted with its window
        ASSERT_TRUE(view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), frame, AFX_IDW_PANE_FIRST,
                                 nullptr));
        frame->SetActiveView(view);
        frame->RecalcLayout();
        frame->ShowWindow(SW_SHOWNA);
        PumpMessages();
    }
    void TearDown() override
    {
        if (::IsWindow(frameWindow()))
            frame->DestroyWindow();
        PumpMessages();
        ::DeleteFileA("printed.ps");
    }
    HWND frameWindow() const { return frame != nullptr ? frame->m_hWnd : nullptr; }

    CPreviewView* Preview() { return DYNAMIC_DOWNCAST(CPreviewView, frame->GetActiveView()); }
    // The preview of the view printing that many pages (0: it does not say), opened by its command.
    CPreviewView* OpenPreview(UINT pages)
    {
        view->pages = pages;
        Command(ID_FILE_PRINT_PREVIEW);
        return Preview();
    }
    void Command(UINT id)
    {
        frame->SendMessage(WM_COMMAND, id);
        PumpMessages();
    }
    // Whether the preview bar's button of the command is enabled after the frame's idle update.
    bool Enabled(UINT id)
    {
        frame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        CButton* button = Preview() != nullptr ? Preview()->GetBar().GetButton(id) : nullptr;
        return button != nullptr && button->IsWindowEnabled();
    }
    CString ButtonText(UINT id)
    {
        CString text;
        if (CButton* button = Preview()->GetBar().GetButton(id))
            button->GetWindowText(text);
        return text;
    }
    CRect PlaceInFrame(HWND window)
    {
        CRect rect;
        ::GetWindowRect(window, &rect);
        frame->ScreenToClient(&rect);
        return rect;
    }

    CFrameWnd* frame = nullptr;
    CToolBar topBar;
    CStatusBar status;
    PagedView* view = nullptr;
};

// The preview takes the frame's client area under its bar: the frame's own bars and views hide and come back
// when it closes, with the frame's view active again; the status line names the pages shown.
TEST_F(PrintPreview, TakesTheFramesClientAreaUntilItCloses)
{
    CPreviewView* preview = OpenPreview(3);
    ASSERT_NE(nullptr, preview);
    EXPECT_EQ(view, preview->GetPrintView());
    EXPECT_FALSE(view->IsWindowVisible());
    EXPECT_FALSE(topBar.IsWindowVisible());
    EXPECT_TRUE(status.IsWindowVisible());
    EXPECT_EQ(preview->m_hWnd, ::GetDlgItem(frame->m_hWnd, AFX_IDW_PANE_FIRST));
    CWnd* bar = frame->GetDlgItem(AFX_IDW_PREVIEW_BAR);
    ASSERT_NE(nullptr, bar);
    CRect client;
    frame->GetClientRect(&client);
    const CRect barPlace = PlaceInFrame(bar->m_hWnd);
    const CRect previewPlace = PlaceInFrame(preview->m_hWnd);
    EXPECT_EQ(0, barPlace.top);
    EXPECT_EQ(client.Width(), barPlace.Width());
    EXPECT_EQ(barPlace.bottom, previewPlace.top);
    EXPECT_EQ(PlaceInFrame(status.m_hWnd).top, previewPlace.bottom);
    EXPECT_EQ(CString("Page 1"), status.GetPaneText(0));

    preview->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ((std::vector<std::string>{"begin", "page 1"}), view->log) << "the page is drawn as printed, once";

    Command(AFX_ID_PREVIEW_CLOSE);
    EXPECT_EQ(view, frame->GetActiveView());
    EXPECT_TRUE(view->IsWindowVisible());
    EXPECT_TRUE(topBar.IsWindowVisible());
    EXPECT_EQ(nullptr, frame->GetDlgItem(AFX_IDW_PREVIEW_BAR));
    EXPECT_EQ(view->m_hWnd, ::GetDlgItem(frame->m_hWnd, AFX_IDW_PANE_FIRST));
    EXPECT_EQ(PlaceInFrame(topBar.m_hWnd).bottom, PlaceInFrame(view->m_hWnd).top);
    EXPECT_EQ((std::vector<std::string>{"begin", "page 1", "end"}), view->log);
}

// The bar's commands: paging within the view's pages, one or two pages side by side, the zoom steps, and Print,
// which closes the preview and prints as the print command does.
TEST_F(PrintPreview, PagesZoomsAndPrints)
{
    CPreviewView* preview = OpenPreview(3);
    ASSERT_NE(nullptr, preview);
    EXPECT_FALSE(Enabled(AFX_ID_PREVIEW_PREV));
    EXPECT_TRUE(Enabled(AFX_ID_PREVIEW_NEXT));
    EXPECT_EQ(CString("&Two Pages"), ButtonText(AFX_ID_PREVIEW_NUMPAGE));
    const CRect onePage = preview->GetPageRect(0);
    EXPECT_FALSE(onePage.IsRectEmpty());
    EXPECT_TRUE(preview->GetPageRect(1).IsRectEmpty());

    Command(AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(2u, preview->GetCurrentPage());
    EXPECT_EQ(CString("Page 2"), status.GetPaneText(0));
    EXPECT_TRUE(Enabled(AFX_ID_PREVIEW_PREV));

    Command(AFX_ID_PREVIEW_NUMPAGE);
    EXPECT_EQ(2, preview->GetPagesShown());
    EXPECT_EQ(CString("&One Page"), ButtonText(AFX_ID_PREVIEW_NUMPAGE));
    EXPECT_EQ(CString("Pages 2-3"), status.GetPaneText(0));
    const CRect left = preview->GetPageRect(0);
    const CRect right = preview->GetPageRect(1);
    EXPECT_LT(left.right, right.left) << "side by side";
    EXPECT_EQ(left.top, right.top);
    EXPECT_LE(left.Height(), onePage.Height());
    EXPECT_FALSE(Enabled(AFX_ID_PREVIEW_NEXT)) << "page 3 shows";
    Command(AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(2u, preview->GetCurrentPage());
    Command(AFX_ID_PREVIEW_PREV);
    EXPECT_EQ(1u, preview->GetCurrentPage());
    EXPECT_EQ(CString("Pages 1-2"), status.GetPaneText(0));

    // Zoomed in, one page shows, larger at each step; the window scrolls over it.
    EXPECT_FALSE(Enabled(AFX_ID_PREVIEW_ZOOMOUT));
    int height = preview->GetPageRect(0).Height();
    for (int level = 1; level <= 2; ++level) {
        EXPECT_TRUE(Enabled(AFX_ID_PREVIEW_ZOOMIN)) << level;
        Command(AFX_ID_PREVIEW_ZOOMIN);
        EXPECT_EQ(level, preview->GetZoomLevel());
        EXPECT_EQ(1, preview->GetPagesShown());
        EXPECT_FALSE(Enabled(AFX_ID_PREVIEW_NUMPAGE));
        EXPECT_GT(preview->GetPageRect(0).Height(), height) << level;
        height = preview->GetPageRect(0).Height();
    }
    EXPECT_FALSE(Enabled(AFX_ID_PREVIEW_ZOOMIN));
    CRect client;
    preview->GetClientRect(&client);
    EXPECT_GT(height, client.Height());
    preview->SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_GT(preview->GetScrollPosition().y, 0);
    Command(AFX_ID_PREVIEW_ZOOMOUT);
    Command(AFX_ID_PREVIEW_ZOOMOUT);
    EXPECT_EQ(0, preview->GetZoomLevel());
    EXPECT_EQ(2, preview->GetPagesShown()) << "two pages again";

    view->log.clear();
    DefaultPrinterAnswer printer;
    Command(AFX_ID_PREVIEW_PRINT);
    EXPECT_EQ(nullptr, Preview());
    EXPECT_EQ(view, frame->GetActiveView());
    EXPECT_EQ(1, printer.asked);
    EXPECT_EQ((std::vector<std::string>{"end", "begin", "page 1", "page 2", "page 3", "end"}), view->log);
}

// A view that gives no page count has one page; the keys a user presses in the preview: Page Down and Up, Alt
// with a button's letter, Escape.
TEST_F(PrintPreview, OnePageWithoutACountAndTheKeys)
{
    CPreviewView* preview = OpenPreview(0);
    ASSERT_NE(nullptr, preview);
    EXPECT_FALSE(Enabled(AFX_ID_PREVIEW_NEXT));
    EXPECT_FALSE(Enabled(AFX_ID_PREVIEW_NUMPAGE));
    EXPECT_TRUE(preview->PageExists(1));
    EXPECT_FALSE(preview->PageExists(2));
    const HWND previewWindow = preview->m_hWnd;
    const auto key = [&](UINT message, WPARAM vk) {
        ::PostMessageA(previewWindow, message, vk, 0);
        PumpMessages(PumpMode::kPreTranslate);
    };
    key(WM_KEYDOWN, VK_NEXT);
    EXPECT_EQ(1u, preview->GetCurrentPage());
    key(WM_SYSKEYDOWN, 'I');
    EXPECT_EQ(1, preview->GetZoomLevel()) << "Alt+I: Zoom In";
    key(WM_SYSKEYDOWN, 'O');
    EXPECT_EQ(0, preview->GetZoomLevel()) << "Alt+O: Zoom Out";
    key(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(nullptr, Preview());
    EXPECT_EQ(view, frame->GetActiveView());
    EXPECT_TRUE(view->IsWindowVisible());

    // Closing the frame while the preview shows closes the preview first.
    Command(ID_FILE_PRINT_PREVIEW);
    ASSERT_NE(nullptr, Preview());
    frame->SendMessage(WM_CLOSE);
    PumpMessages();
    EXPECT_FALSE(::IsWindow(frameWindow()));
    frame = nullptr;
}

} // namespace
