// Drawing: alternate row colours, the focus cell's frame, the empty-list text (pixel probes of the
// list printed into a memory DC), and the screenshot of a populated list with an open combo editor.
#include "grid_list_fixture.h"

#include "support/window_screenshot.h"

#include <algorithm>

namespace {

constexpr COLORREF kAltBack = RGB(221, 235, 247);
constexpr COLORREF kAltText = RGB(0, 64, 128);

bool IsDark(COLORREF color)
{
    return GetRValue(color) + GetGValue(color) + GetBValue(color) < 3 * 128;
}

class GridListDrawTest : public GridListTest {
protected:
    void SetUp() override
    {
        GridListTest::SetUp();
        AddSampleRows();
        AddRow("Alarm", "2", "INT16", "Alarm count");
    }

    // The list as it draws itself (printed: no header) or as the display shows it (header included).
    WindowImage PrintList() { return Capture(false); }
    WindowImage ShowList() { return Capture(true); }

    WindowImage Capture(bool fromScreen)
    {
        m_list.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
        PumpMessages(PumpMode::kPreTranslate);
        m_offset = ClientOffset(m_list.m_hWnd);
        return fromScreen ? CaptureScreenArea(m_list.m_hWnd) : CaptureWindow(m_list.m_hWnd);
    }

    COLORREF ClientPixel(const WindowImage& image, CPoint point) const
    {
        return image.At(point.x + m_offset.x, point.y + m_offset.y);
    }

    // How many pixels along the segment differ from the colour at its middle's side (the fill).
    int MarkedPixels(const WindowImage& image, CPoint from, CPoint to, COLORREF fill) const
    {
        int marked = 0;
        const int steps = std::max(std::abs(to.x - from.x), std::abs(to.y - from.y));
        for (int i = 0; i <= steps; ++i) {
            const CPoint point(from.x + (to.x - from.x) * i / std::max(steps, 1),
                               from.y + (to.y - from.y) * i / std::max(steps, 1));
            if (ClientPixel(image, point) != fill)
                ++marked;
        }
        return marked;
    }

    CPoint m_offset;
};

TEST_F(GridListDrawTest, OddRowsTakeTheAlternateColours)
{
    auto rows = std::make_unique<CRowTraitText>();
    rows->SetAltRowColor(kAltText, kAltBack);
    m_list.SetDefaultRowTrait(std::move(rows));
    const WindowImage image = PrintList();
    // A point right of the text in the description column, in each row.
    for (int row = 0; row < 4; ++row) {
        CRect cell;
        ASSERT_TRUE(m_list.GetCellRect(row, 4, LVIR_BOUNDS, cell));
        const CPoint probe(cell.right - 10, cell.CenterPoint().y);
        const COLORREF expected = row % 2 == 1 ? kAltBack : ::GetSysColor(COLOR_WINDOW);
        EXPECT_EQ(expected, ClientPixel(image, probe)) << "row " << row;
    }
}

// A list that colours one cell and one row through its hooks.
class HookedColours : public CGridList {
public:
    bool OnDisplayCellColor(int row, int col, COLORREF& text, COLORREF& back) override
    {
        if (row != 2 || col != 1)
            return false;
        text = RGB(255, 255, 255);
        back = RGB(200, 0, 0);
        return true;
    }
    bool GetRowColor(int row, COLORREF& text, COLORREF& back) override
    {
        if (row != 3)
            return false;
        text = RGB(0, 0, 0);
        back = RGB(255, 240, 200);
        return true;
    }
};

TEST_F(GridListDrawTest, ColumnAndRowColoursAndTheirHooks)
{
    m_list.ShowWindow(SW_HIDE);
    HookedColours list;
    CreateList(list);
    for (const char* tag : {"Breaker", "Voltage", "Current", "Alarm"})
        ASSERT_GE(list.InsertRowTexts(-1, 5, "", tag, "1", "INT16", "description"), 0);
    static_cast<CColumnTraitText*>(list.GetColumnTrait(2))->SetBackColor(RGB(230, 255, 230));
    list.SetFocus();
    list.SelectRow(-1, false);
    list.Invalidate();
    list.UpdateWindow();
    PumpMessages(PumpMode::kPreTranslate);
    const WindowImage image = CaptureWindow(list.m_hWnd);
    const CPoint offset = ClientOffset(list.m_hWnd);
    auto pixel = [&](int row, int col) {
        CRect cell;
        list.GetCellRect(row, col, LVIR_BOUNDS, cell);
        // Left of the right-aligned address and right of the other texts: the cell's back colour.
        const int x = col == 2 ? cell.left + 6 : cell.right - 6;
        return image.At(x + offset.x, cell.CenterPoint().y + offset.y);
    };
    EXPECT_EQ(RGB(230, 255, 230), pixel(0, 2)) << "the column trait's colour";
    EXPECT_EQ(RGB(200, 0, 0), pixel(2, 1)) << "the cell hook";
    EXPECT_EQ(RGB(230, 255, 230), pixel(2, 2)) << "the cell hook leaves the other cells";
    EXPECT_EQ(RGB(255, 240, 200), pixel(3, 4)) << "the row hook";
    EXPECT_EQ(RGB(230, 255, 230), pixel(3, 2)) << "the column trait over the row";
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), pixel(1, 4));
    list.DestroyWindow();
}

TEST_F(GridListDrawTest, CellMarginMakesTallerRowsWhileTheTextKeepsTheGridFont)
{
    CRect before;
    m_list.GetItemRect(0, &before, LVIR_BOUNDS);
    LOGFONTA original = {};
    m_list.GetFont()->GetLogFont(&original);
    m_list.SetCellMargin(1.5);
    CRect after;
    m_list.GetItemRect(0, &after, LVIR_BOUNDS);
    EXPECT_GT(after.Height(), before.Height());
    LOGFONTA grid = {};
    m_list.GetGridFont()->GetLogFont(&grid);
    EXPECT_EQ(original.lfHeight, grid.lfHeight);
    LOGFONTA cell = {};
    m_list.GetFont()->GetLogFont(&cell);
    EXPECT_EQ(static_cast<LONG>(original.lfHeight * 1.5), cell.lfHeight);
    EXPECT_EQ(m_list.GetGridFont()->m_hObject, m_list.GetHeaderCtrl()->GetFont()->m_hObject);
    // A second margin scales the same grid font.
    m_list.SetCellMargin(2.0);
    m_list.GetFont()->GetLogFont(&cell);
    EXPECT_EQ(static_cast<LONG>(original.lfHeight * 2.0), cell.lfHeight);
    EXPECT_NE(0, PrintList().width);
}

TEST_F(GridListDrawTest, OnlyTheFocusCellIsFramed)
{
    // Row 1 has the focus (unselected, so that the frame shows on the window colour) and cell 2 the focus cell.
    PostClick(m_list, CellCenter(1, 1));
    PostKey(m_list.m_hWnd, VK_RIGHT);
    ASSERT_EQ(2, m_list.GetFocusCell());
    m_list.SelectRow(-1, false);
    ASSERT_EQ(1, m_list.GetFocusRow());
    const WindowImage image = PrintList();
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);

    auto frameMarks = [&](int row, int col) {
        CRect cell;
        m_list.GetCellRect(row, col, LVIR_BOUNDS, cell);
        // Inside the grid lines: the top, left and right edges of the frame, the middle thirds only.
        const int x1 = cell.left + cell.Width() / 3;
        const int x2 = cell.right - cell.Width() / 3;
        const int y1 = cell.top + cell.Height() / 3;
        const int y2 = cell.bottom - cell.Height() / 3;
        return MarkedPixels(image, CPoint(x1, cell.top), CPoint(x2, cell.top), window) +
               MarkedPixels(image, CPoint(cell.left + 1, y1), CPoint(cell.left + 1, y2), window) +
               MarkedPixels(image, CPoint(cell.right - 1, y1), CPoint(cell.right - 1, y2), window);
    };
    EXPECT_GT(frameMarks(1, 2), 8) << "the focus cell is framed";
    EXPECT_EQ(0, frameMarks(1, 4)) << "another cell of the focus row is not";
    EXPECT_EQ(0, frameMarks(2, 2)) << "the cell below is not";
}

TEST_F(GridListDrawTest, EmptyListShowsItsTextCentredUntilARowIsAdded)
{
    m_list.DeleteAllItems();
    m_list.SetEmptyListText("No events in the log");
    WindowImage image = ShowList();
    CRect client;
    m_list.GetClientRect(&client);
    CRect header;
    m_list.GetHeaderCtrl()->GetWindowRect(&header);
    m_list.ScreenToClient(&header);

    // The bounding box of the text's pixels below the header.
    CRect text(client.right, client.bottom, client.left, client.top);
    for (int y = header.bottom + 1; y < client.bottom; ++y) {
        for (int x = client.left; x < client.right; ++x) {
            if (IsDark(ClientPixel(image, CPoint(x, y)))) {
                text.left = std::min(text.left, static_cast<LONG>(x));
                text.right = std::max(text.right, static_cast<LONG>(x + 1));
                text.top = std::min(text.top, static_cast<LONG>(y));
                text.bottom = std::max(text.bottom, static_cast<LONG>(y + 1));
            }
        }
    }
    ASSERT_FALSE(text.IsRectEmpty()) << "the text is drawn";
    // The text's ink lies in the box of its width and height centred in the client area.
    CClientDC dc(&m_list);
    ScopedSelect font(dc, m_list.GetGridFont()->m_hObject);
    const CSize extent = dc.GetTextExtent("No events in the log");
    CRect centred(CPoint(client.CenterPoint().x - extent.cx / 2, client.CenterPoint().y - extent.cy / 2), extent);
    centred.InflateRect(2, 2);
    EXPECT_GE(text.left, centred.left);
    EXPECT_LE(text.right, centred.right);
    EXPECT_GE(text.top, centred.top);
    EXPECT_LE(text.bottom, centred.bottom);
    EXPECT_GT(text.Width(), extent.cx * 3 / 4);

    AddRow("Breaker", "9", "BOOLEAN", "Feeder breaker");
    image = ShowList();
    // Only the grid lines are left where the text was.
    for (int y = text.top; y < text.bottom; ++y) {
        for (int x = text.left; x < text.right; ++x)
            ASSERT_FALSE(IsDark(ClientPixel(image, CPoint(x, y)))) << "the text is gone at " << x << "," << y;
    }
}

TEST_F(GridListDrawTest, ScreenshotOfAPopulatedListWithAnOpenCombo)
{
    m_host.SetWindowText("Modbus Command Mapping");
    m_host.SetWindowPos(nullptr, 0, 0, 600, 210, SWP_NOMOVE | SWP_NOZORDER);
    m_list.DeleteAllItems();
    m_list.SetColumnWidth(2, 92);
    auto rows = std::make_unique<CRowTraitXP>();
    rows->SetAltRowColor(kGridDefaultColor, kAltBack);
    m_list.SetDefaultRowTrait(std::move(rows));
    m_typeTrait->AddItem(1, "BOOLEAN");
    m_typeTrait->AddItem(2, "INT16");
    m_typeTrait->AddItem(3, "INT32");
    m_typeTrait->AddItem(4, "FLOAT32");
    m_typeTrait->AddItem(5, "VisString255");
    const char* rows_[][4] = {
        {"XCBR1_Pos_stVal", "1001", "INT16", "Feeder 1 breaker position"},
        {"MMXU1_PhV_phsA", "1002", "FLOAT32", "Phase A voltage"},
        {"MMXU1_PhV_phsB", "1004", "FLOAT32", "Phase B voltage"},
        {"MMXU1_PhV_phsC", "1006", "FLOAT32", "Phase C voltage"},
        {"MMXU1_A_phsA", "1008", "FLOAT32", "Phase A current"},
        {"PTOC1_Op_general", "1010", "BOOLEAN", "Overcurrent trip"},
        {"GGIO1_Ind1_stVal", "1011", "BOOLEAN", "Door open alarm"},
        {"LPHD1_PhyHealth", "1012", "INT32", "Device health"},
    };
    for (const auto& row : rows_)
        AddRow(row[0], row[1], row[2], row[3]);
    PostClick(*m_list.GetHeaderCtrl(), HeaderCenter(2)); // sorted by address, ascending
    PostClick(*m_list.GetHeaderCtrl(), HeaderCenter(2)); // then descending
    PostClick(m_list, CellCenter(4, 1));
    HWND field = OpenEditor(2, 3);
    ASSERT_NE(nullptr, field);
    CCellEditorComboBox* combo = m_typeTrait->GetComboEditor();
    ASSERT_NE(nullptr, combo);
    combo->ShowDropDown(TRUE);
    PumpMessages(PumpMode::kPreTranslate);
    ASSERT_TRUE(combo->GetDroppedState());

    m_host.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    PumpMessages(PumpMode::kPreTranslate);
    const WindowImage shot = CaptureScreenArea(m_host.m_hWnd);
    EXPECT_EQ("", SaveScreenshot("grid-list", shot.width, shot.height, shot.pixels));

    // Descending by address; the odd rows in the alternate colour; the combo's choices.
    EXPECT_EQ((std::vector<std::string>{"1012", "1011", "1010", "1008", "1006", "1004", "1002", "1001"}),
              ColumnTexts(2));
    EXPECT_EQ(5, combo->GetCount());
    PostKey(field, VK_ESCAPE);
}

} // namespace
