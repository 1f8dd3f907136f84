// The print dialog's hook and the page range of a print job.
#include "framework/ui.h"

#include <gtest/gtest.h>

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

} // namespace
