// Columns and menus: the header's column picker, hidden columns, the context menus by menu mode,
// command routing to the owner, deleting rows, traits given to plain columns, cell tooltips.
#include "grid_list_fixture.h"

#include "toolkit/common/tab_ctrl.h"

namespace {

class GridListColumnsTest : public GridListTest {
protected:
    void SetUp() override
    {
        GridListTest::SetUp();
        AddSampleRows();
    }

    // Right click on the header over a column: the header's context menu.
    void RightClickHeader(int col)
    {
        CPoint point = HeaderCenter(col);
        m_list.GetHeaderCtrl()->ClientToScreen(&point);
        m_list.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_list.GetHeaderCtrl()->m_hWnd),
                           MAKELPARAM(point.x, point.y));
        PumpMessages(PumpMode::kPreTranslate);
    }

    Corvel::Records::CPLC_Device m_device;
};

TEST_F(GridListColumnsTest, HeaderMenuListsTheColumnsWithCheckMarksAndTogglesThem)
{
    m_list.ShowColumn(3, false);
    {
        MenuCatcher menu;
        RightClickHeader(2);
        ASSERT_EQ(1, menu.Shown());
        // The hidden label column has no item; the others in column order, checked while shown.
        ASSERT_EQ((std::vector<UINT>{5, 6, 7, 8}), menu.Ids());
        const char* headings[] = {"Tag Name", "Address", "Data Type", "Description"};
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(headings[i], menu.Items()[i].text);
            EXPECT_EQ(i != 2, menu.Items()[i].checked) << headings[i];
        }
    }
    {
        MenuCatcher menu;
        menu.Choose(7); // "Data Type"
        RightClickHeader(1);
        EXPECT_TRUE(m_list.IsColumnVisible(3));
        EXPECT_EQ(110, m_list.GetColumnWidth(3));
    }
    {
        MenuCatcher menu;
        menu.Choose(6); // "Address"
        RightClickHeader(1);
        EXPECT_FALSE(m_list.IsColumnVisible(2));
        EXPECT_EQ(0, m_list.GetColumnWidth(2));
    }
}

TEST_F(GridListColumnsTest, HiddenColumnHasNoWidthAndCannotBeResized)
{
    ASSERT_TRUE(m_list.ShowColumn(4, false));
    EXPECT_EQ(0, m_list.GetColumnWidth(4));
    EXPECT_FALSE(m_list.SetColumnWidth(4, 120));
    m_list.SetColumnWidthAuto(4, true);
    EXPECT_EQ(0, m_list.GetColumnWidth(4));

    // Dragging its divider is refused; a shown column's is not.
    CHeaderCtrl* header = m_list.GetHeaderCtrl();
    auto beginTrack = [&](int col) {
        HDITEMA item = {};
        NMHEADERA track = {};
        track.hdr.hwndFrom = header->m_hWnd;
        track.hdr.idFrom = static_cast<UINT_PTR>(header->GetDlgCtrlID());
        track.hdr.code = HDN_BEGINTRACKA;
        track.iItem = col;
        track.pitem = &item;
        return m_list.SendMessage(WM_NOTIFY, track.hdr.idFrom, reinterpret_cast<LPARAM>(&track));
    };
    EXPECT_EQ(TRUE, beginTrack(4));
    EXPECT_EQ(TRUE, beginTrack(0)) << "nor the hidden label column";
    EXPECT_EQ(FALSE, beginTrack(2));
    m_list.GetColumnTrait(2)->SetResizable(false);
    EXPECT_EQ(TRUE, beginTrack(2));
    EXPECT_FALSE(m_list.SetColumnWidth(2, 50));

    // Shown again: its width and its place come back.
    ASSERT_TRUE(m_list.ShowColumn(4, true));
    EXPECT_EQ(220, m_list.GetColumnWidth(4));
    int order[5] = {};
    m_list.GetColumnOrderArray(order, 5);
    EXPECT_EQ(4, order[4]);
    EXPECT_FALSE(m_list.ShowColumn(0, true)) << "the label column is never shown";
}

TEST_F(GridListColumnsTest, ColumnsDroppedAmongTheHiddenOnesGoToTheFirstVisiblePlace)
{
    m_list.ShowColumn(3, false); // display order 3, 0, 1, 2, 4
    CHeaderCtrl* header = m_list.GetHeaderCtrl();
    HDITEMA item = {};
    item.mask = HDI_ORDER;
    item.iOrder = 0;
    NMHEADERA drop = {};
    drop.hdr.hwndFrom = header->m_hWnd;
    drop.hdr.idFrom = static_cast<UINT_PTR>(header->GetDlgCtrlID());
    drop.hdr.code = HDN_ENDDRAG;
    drop.iItem = 4;
    drop.pitem = &item;
    m_list.SendMessage(WM_NOTIFY, drop.hdr.idFrom, reinterpret_cast<LPARAM>(&drop));
    int order[5] = {};
    m_list.GetColumnOrderArray(order, 5);
    EXPECT_EQ((std::vector<int>{3, 0, 4, 1, 2}), std::vector<int>(order, order + 5));
}

TEST_F(GridListColumnsTest, RightClickOnARowOpensTheMenuOfTheMenuMode)
{
    const UINT kSeparator = 0;
    const struct {
        int mode;
        int devType; // -1: no bound record
        std::vector<UINT> items;
    } cases[] = {
        {0, 0, {ID_GRID_DELETE}},
        {0, 1, {ID_GRID_ENABLE_ALL_CONTINUOUSLY, ID_GRID_ENABLE_ALL_ON_DATA_CHANGE, ID_GRID_DISABLE_ALL_COMMANDS,
                kSeparator, ID_GRID_DELETE}},
        {0, 2, {ID_GRID_ENABLE_ALL_CONTINUOUSLY, ID_GRID_ENABLE_ALL_ON_DATA_CHANGE, ID_GRID_DISABLE_ALL_COMMANDS,
                kSeparator, ID_GRID_DELETE}},
        {0, 6, {ID_GRID_ENABLE_ALL_CONTINUOUSLY, ID_GRID_ENABLE_ALL_ON_DATA_CHANGE, ID_GRID_DISABLE_ALL_COMMANDS,
                kSeparator, ID_GRID_DELETE}},
        {0, 7, {}},
        {0, -1, {}},
        {1, -1, {ID_GRID_PRINT}},
        {2, -1, {ID_GRID_EXPORT_PROCESSOR_FILES, kSeparator, ID_GRID_PRINT}},
        {3, -1, {ID_GRID_DELETE}},
        {4, -1, {}},
    };
    for (const auto& c : cases) {
        m_list.SetMenuMode(c.mode);
        m_device.devType = c.devType;
        m_list.SetBoundRecord(c.devType >= 0 ? &m_device : nullptr);
        MenuCatcher menu;
        PostRightClick(m_list, CellCenter(1, 2));
        EXPECT_EQ(c.items.empty() ? 0 : 1, menu.Shown()) << "mode " << c.mode << ", device type " << c.devType;
        EXPECT_EQ(c.items, menu.Ids()) << "mode " << c.mode << ", device type " << c.devType;
        EXPECT_EQ(nullptr, menu.Find(ID_GRID_ENABLE_ALL_ON_DATA_UPDATE));
        EXPECT_EQ(1, m_list.GetLastClickedRow());
        EXPECT_EQ(2, m_list.GetFocusCell());
    }
    // The texts of the command menu.
    m_list.SetMenuMode(0);
    m_device.devType = 3;
    m_list.SetBoundRecord(&m_device);
    MenuCatcher menu;
    PostRightClick(m_list, CellCenter(0, 1));
    ASSERT_EQ(5u, menu.Items().size());
    EXPECT_EQ("Enable All Commands - Continuously", menu.Items()[0].text);
    EXPECT_EQ("Enable All Commands - On Data Change", menu.Items()[1].text);
    EXPECT_EQ("Disable All Commands", menu.Items()[2].text);
    EXPECT_EQ("Delete", menu.Items()[4].text);
}

TEST_F(GridListColumnsTest, RightClickBesideTheRowsOpensNothing)
{
    m_list.SetMenuMode(3);
    MenuCatcher menu;
    CRect client;
    m_list.GetClientRect(&client);
    PostRightClick(m_list, CPoint(40, client.bottom - 10));
    EXPECT_EQ(0, menu.Shown());
}

TEST_F(GridListColumnsTest, MenuCommandsReachTheListThenItsOwner)
{
    // Delete is the list's own: the selected rows go.
    m_list.SetMenuMode(3);
    m_list.SelectRow(0, true);
    m_list.SelectRow(2, true);
    {
        MenuCatcher menu;
        menu.Choose(ID_GRID_DELETE);
        PostRightClick(m_list, CellCenter(1, 1));
    }
    EXPECT_EQ((std::vector<std::string>{"Voltage"}), ColumnTexts(1));
    // Print goes on to the owner.
    m_list.SetMenuMode(1);
    {
        MenuCatcher menu;
        menu.Choose(ID_GRID_PRINT);
        PostRightClick(m_list, CellCenter(0, 1));
    }
    EXPECT_EQ((std::vector<UINT>{ID_GRID_PRINT}), m_host.m_commands);
}

// A list hosted as a tab control's page: the tab control hands commands to its page, so a command the list
// passes up comes back to it. It is answered once (or passed further up), never passed round again.
TEST_F(GridListColumnsTest, CommandsOfAListOnATabPageReachTheListAndTheWindowsAbove)
{
    CKitTabCtrl tabs;
    CRect area(0, 0, 600, 250);
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, area, &m_host, kGridListId + 1));
    CGridList page;
    ASSERT_TRUE(page.Create(WS_CHILD | LVS_REPORT, area, &tabs, kGridListId + 2));
    page.InsertHiddenLabelColumn();
    page.InsertColumnTrait(1, "Tag Name", LVCFMT_LEFT, 150, 1);
    for (LPCSTR name : {"Breaker", "Voltage", "Current"})
        page.InsertRowTexts(-1, 2, "", name);
    ASSERT_TRUE(tabs.AddWindow("Tags", &page));
    PumpMessages(PumpMode::kPreTranslate);
    const auto names = [&page] {
        std::vector<std::string> texts;
        for (int row = 0; row < page.GetItemCount(); ++row)
            texts.push_back(std::string(page.GetItemText(row, 1)));
        return texts;
    };

    page.SelectRow(0, true);
    page.SendMessage(WM_COMMAND, ID_GRID_DELETE);
    EXPECT_EQ((std::vector<std::string>{"Voltage", "Current"}), names());
    // A command the list does not handle goes up past the tab control to the window that handles it.
    page.SendMessage(WM_COMMAND, ID_GRID_PRINT);
    EXPECT_EQ((std::vector<UINT>{ID_GRID_PRINT}), m_host.m_commands);

    // Delete from the page's context menu.
    page.SetMenuMode(3);
    page.SelectRow(1, true);
    {
        MenuCatcher menu;
        menu.Choose(ID_GRID_DELETE);
        CRect row;
        page.GetItemRect(1, &row, LVIR_BOUNDS);
        PostRightClick(page, row.CenterPoint());
        EXPECT_EQ(1, menu.Shown());
    }
    EXPECT_EQ((std::vector<std::string>{"Voltage"}), names());
    page.DestroyWindow();
    tabs.DestroyWindow();
}

TEST_F(GridListColumnsTest, PlainColumnsGetTextTraitsThatLeaveWithThem)
{
    EXPECT_EQ(5, m_list.GetColumnTraitCount());
    EXPECT_EQ(5, m_list.InsertColumn(5, "Unit", LVCFMT_LEFT, 60));
    ASSERT_EQ(6, m_list.GetColumnTraitCount());
    EXPECT_NE(nullptr, dynamic_cast<CColumnTraitText*>(m_list.GetColumnTrait(5)));
    EXPECT_TRUE(m_list.DeleteColumn(3));
    EXPECT_EQ(5, m_list.GetColumnTraitCount());
    EXPECT_EQ(nullptr, dynamic_cast<CColumnTraitCombo*>(m_list.GetColumnTrait(3)));
    EXPECT_EQ(nullptr, m_list.GetColumnTrait(5));
    // An always-hidden trait takes no width.
    auto hidden = std::make_unique<CColumnTraitText>();
    hidden->SetAlwaysHidden(true);
    EXPECT_EQ(2, m_list.InsertColumnTrait(2, "Key", LVCFMT_LEFT, 80, -1, std::move(hidden)));
    EXPECT_EQ(0, m_list.GetColumnWidth(2));
    EXPECT_FALSE(m_list.IsColumnVisible(2));
}

TEST_F(GridListColumnsTest, CellTooltipsNameTheCellUnderTheCursor)
{
    const CString longText(CString('x', 120));
    m_list.SetItemText(2, 4, longText);
    TOOLINFOA info = {};
    EXPECT_EQ(2 * 1000 + 4, m_list.OnToolHitTest(CellCenter(2, 4), &info));
    EXPECT_EQ(1 * 1000 + 1, m_list.OnToolHitTest(CellCenter(1, 1), &info));
    EXPECT_EQ(m_list.m_hWnd, info.hwnd);

    // The tip's text: the cell's, cut to what the tip holds.
    CPoint cursor = CellCenter(2, 4);
    m_list.ClientToScreen(&cursor);
    ::SetCursorPos(cursor.x, cursor.y);
    NMTTDISPINFOA tip = {};
    tip.hdr.hwndFrom = m_host.m_hWnd;
    tip.hdr.idFrom = 2 * 1000 + 4;
    tip.hdr.code = TTN_NEEDTEXTA;
    m_list.SendMessage(WM_NOTIFY, tip.hdr.idFrom, reinterpret_cast<LPARAM>(&tip));
    EXPECT_EQ(std::string(79, 'x'), tip.szText);
    NMTTDISPINFOW wide = {};
    wide.hdr = tip.hdr;
    wide.hdr.code = TTN_NEEDTEXTW;
    m_list.SendMessage(WM_NOTIFY, wide.hdr.idFrom, reinterpret_cast<LPARAM>(&wide));
    EXPECT_EQ(std::wstring(79, L'x'), wide.szText);
}

TEST_F(GridListColumnsTest, DisplayTextsFromTheListAreCutToTheirBuffer)
{
    class CallbackList : public CGridList {
    public:
        bool GetCellText(int row, int col, CString& text) override
        {
            text = CString('#', 300 + row + col);
            return true;
        }
    } list;
    CreateList(list);
    ASSERT_EQ(0, list.InsertRowTexts(-1, 2, "", LPSTR_TEXTCALLBACKA));
    EXPECT_TRUE(list.IsCellCallback(0, 1));
    EXPECT_FALSE(m_list.IsCellCallback(0, 1));
    // A request with a small buffer gets what fits, terminated; the buffer's end is untouched.
    char buffer[16];
    memset(buffer, '?', sizeof buffer);
    NMLVDISPINFOA request = {};
    request.hdr.hwndFrom = list.m_hWnd;
    request.hdr.idFrom = kGridListId;
    request.hdr.code = LVN_GETDISPINFOA;
    request.item.mask = LVIF_TEXT;
    request.item.iItem = 0;
    request.item.iSubItem = 1;
    request.item.pszText = buffer;
    request.item.cchTextMax = 10;
    m_host.SendMessage(WM_NOTIFY, kGridListId, reinterpret_cast<LPARAM>(&request));
    EXPECT_STREQ("#########", buffer);
    EXPECT_EQ('?', buffer[10]);
    // The list view's own reads get the whole text it asks for.
    EXPECT_EQ(301, list.GetItemText(0, 1).GetLength());
    list.DestroyWindow();
}

// A column manager with two of its three header-menu items, recording what it is told.
class RecordingManager : public CColumnManager {
public:
    explicit RecordingManager(std::vector<std::string>& log) : m_log(log) {}
    bool GetHeaderMenuItem(CGridList&, int item, CString& text) override
    {
        if (item == 2)
            return false;
        text = item == 1 ? "Reset Columns" : "Columns...";
        return true;
    }
    void OnHeaderMenuItem(CGridList&, int item) override { m_log.push_back("item " + std::to_string(item)); }
    void ApplyState(CGridList&) override { m_log.push_back("apply"); }
    void OnColumnWidthChanged(CGridList&, int col, int width) override
    {
        m_log.push_back("width " + std::to_string(col) + " " + std::to_string(width));
    }
    void OnColumnVisibilityChanged(CGridList&, int col, bool visible) override
    {
        m_log.push_back((visible ? "shown " : "hidden ") + std::to_string(col));
    }

private:
    std::vector<std::string>& m_log;
};

TEST_F(GridListColumnsTest, ColumnManagerAddsItsItemsAndHearsOfColumnChanges)
{
    std::vector<std::string> log;
    m_list.SetColumnManager(std::make_unique<RecordingManager>(log));
    {
        MenuCatcher menu;
        menu.Choose(3);
        RightClickHeader(1);
        EXPECT_EQ((std::vector<UINT>{1, 0, 3, 5, 6, 7, 8}), menu.Ids());
        EXPECT_EQ("Reset Columns", menu.Items()[0].text);
    }
    m_list.ShowColumn(2, false);
    m_list.ShowColumn(2, true);
    m_list.SetColumnWidth(4, 90);
    EXPECT_EQ((std::vector<std::string>{"apply", "item 3", "hidden 2", "shown 2", "width 4 90"}), log);
}

TEST_F(GridListColumnsTest, DoubleClickOnADividerFitsTheColumnToItsCells)
{
    CHeaderCtrl* header = m_list.GetHeaderCtrl();
    NMHEADERA click = {};
    click.hdr.hwndFrom = header->m_hWnd;
    click.hdr.idFrom = static_cast<UINT_PTR>(header->GetDlgCtrlID());
    click.hdr.code = HDN_DIVIDERDBLCLICKA;
    click.iItem = 4;
    m_list.SendMessage(WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
    const int width = m_list.GetColumnWidth(4);
    EXPECT_LT(width, 220);
    EXPECT_GE(width, m_list.GetStringWidth("Phase current"));
}

} // namespace
