// The header control: locked columns and the cursor, the minimum width, fitting, the sorting menu, themes and their layout, sort arrows.
#include "toolkit/common/header_ctrl.h"

#include "control_host.h"
#include "toolkit/common/header_themes.h"
#include "toolkit/common/toolkit_ids.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr UINT kListId = 1401;
constexpr UINT kHeaderId = 1402;
constexpr COLORREF kPaper = RGB(1, 2, 3);

// A report list in the host with three columns of 100 pixels, its header subclassed.
class KitHeaderOnList : public ::testing::Test {
protected:
    KitHeaderOnList()
    {
        list = std::make_unique<CWnd>();
        list->CreateEx(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(10, 10, 400, 200), &host,
                       kListId);
        for (int i = 0; i < 3; ++i) {
            LVCOLUMNA column = {};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.cx = 100;
            column.pszText = const_cast<LPSTR>(i == 0 ? "Name" : i == 1 ? "Address" : "Type");
            list->SendMessage(LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
        }
        header.SubclassWindow(reinterpret_cast<HWND>(list->SendMessage(LVM_GETHEADER)));
        PumpMessages();
    }
    ~KitHeaderOnList() override
    {
        header.UnsubclassWindow();
        list.reset();
    }
    int ColumnWidth(int column) const
    {
        return static_cast<int>(list->SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
    }

    ControlHost host;
    std::unique_ptr<CWnd> list;
    CKitHeaderCtrl header;
};

TEST_F(KitHeaderOnList, LockedColumnsShowTheArrowWhereTheirDividerWouldBeDragged)
{
    header.LockColumn(0);
    const HCURSOR arrow = ::LoadCursorA(nullptr, IDC_ARROW);
    // The pointer is shared with the other programs on the display: the answer
    // counts only when the pointer stayed where the test put it.
    auto cursorAt = [&](int x, int y) {
        CPoint point(x, y);
        header.ClientToScreen(&point);
        HCURSOR cursor = nullptr;
        for (int attempt = 0; attempt < 20; ++attempt) {
            ::SetCursorPos(point.x, point.y);
            ::SetCursor(nullptr);
            header.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(header.GetSafeHwnd()),
                               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            cursor = ::GetCursor();
            CPoint now;
            ::GetCursorPos(&now);
            if (now == point)
                break;
        }
        return cursor;
    };
    CPoint probe(0, 0);
    ::GetCursorPos(&probe);
    // The left half of column 1: next to the locked column 0's divider.
    EXPECT_EQ(arrow, cursorAt(102, 5));
    // The right half, on column 1's own divider: the control's resize cursor.
    EXPECT_NE(arrow, cursorAt(199, 5));
    // Over the locked column itself.
    EXPECT_EQ(arrow, cursorAt(50, 5));
    ::SetCursorPos(probe.x, probe.y);
}

TEST_F(KitHeaderOnList, WidthsBelowTheMinimumAndOfLockedColumnsAreRefused)
{
    header.SetMinColumnWidth(50);
    HDITEMA item = {};
    item.mask = HDI_WIDTH;
    item.cxy = 20;
    header.SendMessage(HDM_SETITEMA, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(100, header.GetItemRect(1).Width());
    item.cxy = 70;
    header.SendMessage(HDM_SETITEMA, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(70, header.GetItemRect(1).Width());
    header.LockColumn(2);
    item.cxy = 150;
    header.SendMessage(HDM_SETITEMA, 2, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(100, header.GetItemRect(2).Width());
}

TEST_F(KitHeaderOnList, FittingSharesTheWidthAmongUnlockedColumnsOnly)
{
    header.LockColumn(0);
    header.FitFieldsToWidth(340);
    EXPECT_EQ(100, ColumnWidth(0));
    EXPECT_EQ(120, ColumnWidth(1));
    EXPECT_EQ(120, ColumnWidth(2));

    header.LockColumn(1);
    header.LockColumn(2);
    header.FitFieldsToWidth(600);
    EXPECT_EQ(100, ColumnWidth(0));
    EXPECT_EQ(120, ColumnWidth(1));
    EXPECT_EQ(120, ColumnWidth(2));
}

TEST_F(KitHeaderOnList, SortingByMenuTellsTheListOnlyWhenTheSortChanges)
{
    // The right click stores the point; with menus off no menu is tracked.
    header.EnableMenus(FALSE);
    header.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(150, 5));
    header.SetSortedColumn(1, TRUE);
    host.records.clear();
    header.SendMessage(WM_COMMAND, ID_KIT_SORT_ASCENDING);
    EXPECT_EQ(0, host.CountNotify(LVN_COLUMNCLICK));

    header.SendMessage(WM_COMMAND, ID_KIT_SORT_DESCENDING);
    EXPECT_EQ(1, host.CountNotify(LVN_COLUMNCLICK));
    BOOL ascending = TRUE;
    EXPECT_EQ(1, header.GetSortedColumn(&ascending));
    EXPECT_FALSE(ascending);

    // Alignment of the column under the click.
    header.SendMessage(WM_COMMAND, ID_KIT_ALIGN_RIGHT);
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT;
    list->SendMessage(LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
    EXPECT_EQ(LVCFMT_RIGHT, column.fmt & LVCFMT_JUSTIFYMASK);
}

TEST_F(KitHeaderOnList, TheThemeMessageSetsTheThemeAndItsLayoutHeight)
{
    auto layoutHeight = [&]() {
        CRect rc(0, 0, 300, 200);
        WINDOWPOS wp = {};
        HDLAYOUT layout = {&rc, &wp};
        header.SendMessage(HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout));
        return wp.cy;
    };
    CClientDC dc(&header);
    ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(header.SendMessage(WM_GETFONT)));
    const int fontHeight = dc.GetTextExtent("A", 1).cy;

    EXPECT_EQ(0, header.SendMessage(0x274B, 5));
    EXPECT_EQ(RUNTIME_CLASS(CKitHeaderCtrlThemeOffice2003), header.GetTheme()->GetRuntimeClass());
    EXPECT_EQ(fontHeight + 10, layoutHeight());

    header.SendMessage(0x274B, 6);
    EXPECT_EQ(RUNTIME_CLASS(CKitHeaderCtrlThemeExplorer), header.GetTheme()->GetRuntimeClass());
    EXPECT_EQ(fontHeight + 6, layoutHeight());
    EXPECT_EQ(7u, header.GetTheme()->GetDrawStyle());
    EXPECT_EQ(4, header.GetTheme()->GetArrowSize().cy);

    struct Case {
        int id;
        CRuntimeClass* theme;
    };
    const Case cases[] = {
        {1, RUNTIME_CLASS(CKitHeaderCtrlThemeOfficeXP)}, {4, RUNTIME_CLASS(CKitHeaderCtrlThemeOfficeXP)},
        {7, RUNTIME_CLASS(CKitHeaderCtrlThemeResource)}, {9, RUNTIME_CLASS(CKitHeaderCtrlThemeExplorer)},
        {0, RUNTIME_CLASS(CKitHeaderCtrlTheme)},         {11, RUNTIME_CLASS(CKitHeaderCtrlTheme)},
    };
    for (const Case& c : cases) {
        header.SendMessage(0x274B, static_cast<WPARAM>(c.id));
        EXPECT_EQ(c.theme, header.GetTheme()->GetRuntimeClass()) << c.id;
        CRect rc;
        header.GetClientRect(&rc);
        Canvas canvas(rc.Width(), rc.Height() > 0 ? rc.Height() : 1, kPaper);
        PrintClient(header, canvas);
    }
}

// The arrow stands beside the text rectangle; a rectangle too narrow for it gets none.
TEST(KitHeaderTheme, NoSortArrowOnAnItemTooNarrowForIt)
{
    CKitHeaderCtrlTheme theme;
    theme.RefreshMetrics(nullptr);
    Canvas canvas(120, 24, kPaper);
    DRAWITEMSTRUCT item = {};
    item.hDC = canvas.dc.GetSafeHdc();
    // After the arrow's room was taken off, the text's right edge lies left of its left edge.
    item.rcItem = CRect(60, 0, 40, 24);
    theme.DrawSortArrow(&item, TRUE);
    EXPECT_EQ(120 * 24, canvas.Count(CRect(0, 0, 120, 24), kPaper));

    item.rcItem = CRect(10, 0, 60, 24);
    theme.DrawSortArrow(&item, TRUE);
    // Ascending: the apex at (70, y) on top of a base 8 wide.
    EXPECT_LT(canvas.Count(CRect(66, 0, 75, 24), kPaper), 9 * 24);
    EXPECT_EQ(60 * 24, canvas.Count(CRect(0, 0, 60, 24), kPaper));
}

} // namespace
