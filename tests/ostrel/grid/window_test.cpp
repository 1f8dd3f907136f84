// The grid window: its class, taking over a dialog control, fitting columns, the drag image and the memory DC.
#include "grid_fixture.h"

#include "ostrel/grid/mem_dc.h"

namespace {

TEST(GridWindowClass, IsRegisteredWithDoubleClicksRedrawsAndTheButtonFace)
{
    CMonitorGrid grid;
    WNDCLASSA wc = {};
    ASSERT_TRUE(::GetClassInfoA(AfxGetInstanceHandle(), "MonitorGridCtrl", &wc));
    EXPECT_EQ(static_cast<UINT>(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW), wc.style);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1), wc.hbrBackground);
    EXPECT_EQ(16, COLOR_3DFACE + 1);
}

TEST(DialogControl, TakenOverGetsASunkenFrame)
{
    GridHost host;
    ASSERT_TRUE(host.CreateHost(400, 300));
    CMonitorGrid::RegisterWindowClass();
    HWND control = ::CreateWindowExA(0, "MonitorGridCtrl", nullptr, WS_CHILD | WS_VISIBLE, 10, 10, 200, 150,
                                     host.m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kGridId)),
                                     AfxGetInstanceHandle(), nullptr);
    ASSERT_NE(nullptr, control);
    {
        CMonitorGrid grid(3, 3, 1, 0);
        ASSERT_TRUE(grid.SubclassDlgItem(kGridId, &host));
        EXPECT_TRUE(grid.GetExStyle() & WS_EX_CLIENTEDGE);
        CRect window;
        grid.GetWindowRect(&window);
        EXPECT_EQ(200, window.Width()) << "the size is back after the nudge";
        CRect client;
        grid.GetClientRect(&client);
        EXPECT_LT(client.Width(), 200) << "the frame takes its room";
        PumpMessages();
    }
    EXPECT_FALSE(::IsWindow(control)) << "the grid's window goes with it";
    host.DestroyWindow();
}

class GridWindow : public GridTest {};

TEST_F(GridWindow, ExpandColumnsToFitSharesTheSpareWidth)
{
    Fill(3, 4);
    grid.SetColumnWidth(2, 0);
    CRect client;
    grid.GetClientRect(&client);
    const int before = grid.GetColumnWidth(0) + grid.GetColumnWidth(1) + grid.GetColumnWidth(3);
    grid.ExpandColumnsToFit();
    EXPECT_EQ(client.Width(), grid.GetColumnWidth(0) + grid.GetColumnWidth(1) + grid.GetColumnWidth(3));
    EXPECT_EQ(0, grid.GetColumnWidth(2)) << "hidden columns stay hidden";
    const int share = (client.Width() - before) / 3;
    EXPECT_GE(grid.GetColumnWidth(3) - share, grid.GetDefaultCell(FALSE, FALSE)->GetWidth());
    EXPECT_LE(grid.GetColumnWidth(0) - grid.GetColumnWidth(3), 1) << "the remainder goes to the first columns";
}

TEST_F(GridWindow, TheDragImageIsTheFocusCell)
{
    Fill(3, 4);
    EXPECT_EQ(nullptr, grid.CreateDragImage(nullptr)) << "no focus cell";
    grid.SetFocusCell(1, 2);
    CPoint hotSpot;
    CImageList* image = grid.CreateDragImage(&hotSpot);
    ASSERT_NE(nullptr, image);
    IMAGEINFO info = {};
    ASSERT_TRUE(image->GetImageInfo(0, &info));
    EXPECT_EQ(grid.GetColumnWidth(2), info.rcImage.right - info.rcImage.left);
    EXPECT_EQ(grid.GetRowHeight(1), info.rcImage.bottom - info.rcImage.top);
    EXPECT_EQ(CPoint(grid.GetColumnWidth(2) / 2, grid.GetRowHeight(1) / 2), hotSpot);
    delete image;
}

TEST(MemDC, DrawsOffScreenAndCopiesOnItsEnd)
{
    HDC screen = ::GetDC(nullptr);
    CDC target;
    target.Attach(::CreateCompatibleDC(screen));
    CBitmap bitmap;
    bitmap.Attach(::CreateCompatibleBitmap(screen, 40, 30));
    ::ReleaseDC(nullptr, screen);
    ScopedSelect keepBitmap(target, bitmap);
    target.FillSolidRect(0, 0, 40, 30, RGB(255, 255, 255));
    const CRect box(10, 5, 30, 25);
    {
        CMemDC memory(&target, &box);
        EXPECT_TRUE(memory.IsOffScreen());
        memory.FillSolidRect(12, 8, 4, 4, RGB(200, 0, 0));
        EXPECT_EQ(RGB(255, 255, 255), target.GetPixel(13, 9)) << "not yet on the target";
    }
    EXPECT_EQ(RGB(200, 0, 0), target.GetPixel(13, 9));

    target.m_bPrinting = TRUE;
    {
        CMemDC memory(&target, &box);
        EXPECT_FALSE(memory.IsOffScreen());
        EXPECT_EQ(target.m_hDC, memory.m_hDC);
        EXPECT_TRUE(memory.IsPrinting());
    }
    EXPECT_NE(nullptr, target.m_hDC) << "the target DC is not the memory DC's to delete";
}

} // namespace
