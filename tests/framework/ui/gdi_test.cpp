// Geometry types, GDI objects, device contexts and menus.
#include "framework/ui.h"

#include <gtest/gtest.h>

#include <type_traits>

namespace {

static_assert(!std::is_copy_constructible<CPen>::value && std::is_move_constructible<CPen>::value,
              "GDI objects move, never copy");
static_assert(!std::is_copy_constructible<CDC>::value && !std::is_copy_constructible<CMenu>::value,
              "DCs and menus move, never copy");

TEST(Geometry, RectPointAndSizeOperators)
{
    CRect rect(10, 20, 110, 220);
    EXPECT_EQ(100, rect.Width());
    EXPECT_EQ(200, rect.Height());
    EXPECT_EQ(CSize(100, 200), rect.Size());
    EXPECT_EQ(CPoint(60, 120), rect.CenterPoint());
    EXPECT_TRUE(rect.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(rect.PtInRect(CPoint(110, 20))) << "right and bottom edges are outside";
    EXPECT_EQ(CRect(50, 20, 110, 100), rect & CRect(50, 0, 300, 100));
    EXPECT_EQ(CRect(0, 0, 110, 220), rect | CRect(0, 0, 5, 5));
    EXPECT_TRUE((rect & CRect(200, 300, 210, 310)).IsRectEmpty());
    EXPECT_EQ(CRect(15, 25, 115, 225), rect + CPoint(5, 5));
    CRect grown = rect;
    grown.InflateRect(1, 2);
    EXPECT_EQ(CRect(9, 18, 111, 222), grown);
    grown.DeflateRect(1, 2, 3, 4);
    EXPECT_EQ(CRect(10, 20, 108, 218), grown);
    CRect flipped(100, 50, 0, 0);
    flipped.NormalizeRect();
    EXPECT_EQ(CRect(0, 0, 100, 50), flipped);
    rect.TopLeft() = CPoint(0, 0);
    EXPECT_EQ(CRect(0, 0, 110, 220), rect);

    EXPECT_EQ(CSize(3, -4), CPoint(5, 1) - CPoint(2, 5));
    EXPECT_EQ(CPoint(-1, -32768), CPoint(MAKELPARAM(0xFFFF, 0x8000)));
}

class MemoryDC : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dc.CreateCompatibleDC(nullptr));
        CClientDC screen(nullptr);
        ASSERT_TRUE(m_bitmap.CreateCompatibleBitmap(&screen, 20, 20));
        m_oldBitmap = m_dc.SelectObject(m_bitmap.m_hObject);
    }
    void TearDown() override
    {
        m_dc.SelectObject(m_oldBitmap);
        AfxDeleteTempMaps();
    }

    CBitmap m_bitmap;
    CDC m_dc;
    HGDIOBJ m_oldBitmap = nullptr;
};

TEST_F(MemoryDC, ScopedSelectPutsTheOldObjectBack)
{
    const HGDIOBJ originalPen = ::GetCurrentObject(m_dc.m_hDC, OBJ_PEN);
    HGDIOBJ redPen = nullptr;
    {
        CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
        redPen = pen.m_hObject;
        ScopedSelect select(m_dc, pen);
        EXPECT_EQ(redPen, ::GetCurrentObject(m_dc.m_hDC, OBJ_PEN));
        m_dc.MoveTo(0, 5);
        m_dc.LineTo(20, 5);
    }
    EXPECT_EQ(originalPen, ::GetCurrentObject(m_dc.m_hDC, OBJ_PEN));
    EXPECT_EQ(0u, ::GetObjectType(redPen)) << "the pen was deleted after it was deselected";
    EXPECT_EQ(RGB(255, 0, 0), m_dc.GetPixel(10, 5));
}

TEST_F(MemoryDC, DrawingReachesTheBitmapAndCopiesBetweenDCs)
{
    m_dc.FillSolidRect(0, 0, 20, 20, RGB(0, 0, 255));
    m_dc.Draw3dRect(CRect(2, 2, 12, 12), RGB(255, 255, 255), RGB(0, 0, 0));
    EXPECT_EQ(RGB(0, 0, 255), m_dc.GetPixel(15, 15));
    EXPECT_EQ(RGB(255, 255, 255), m_dc.GetPixel(2, 2));
    EXPECT_EQ(RGB(0, 0, 0), m_dc.GetPixel(11, 11));

    CDC copy;
    ASSERT_TRUE(copy.CreateCompatibleDC(&m_dc));
    CBitmap target;
    ASSERT_TRUE(target.CreateCompatibleBitmap(&m_dc, 20, 20));
    ScopedSelect select(copy, target);
    EXPECT_TRUE(copy.BitBlt(0, 0, 20, 20, &m_dc, 0, 0, SRCCOPY));
    EXPECT_EQ(RGB(255, 255, 255), copy.GetPixel(2, 2));

    CPen* pOld = m_dc.SelectObject(static_cast<CPen*>(CPen::FromHandle(static_cast<HPEN>(::GetStockObject(BLACK_PEN)))));
    ASSERT_NE(nullptr, pOld);
    m_dc.SelectObject(pOld);
    EXPECT_GT(m_dc.GetTextExtent("Wide text").cx, m_dc.GetTextExtent("W").cx);
    BITMAP info = {};
    EXPECT_NE(0, target.GetBitmap(&info));
    EXPECT_EQ(20, info.bmWidth);
}

TEST(GdiObjects, MoveAndDetachHandOwnershipOver)
{
    CBrush first(RGB(1, 2, 3));
    const HGDIOBJ handle = first.m_hObject;
    ASSERT_NE(nullptr, handle);
    CBrush second(std::move(first));
    EXPECT_EQ(nullptr, first.m_hObject);
    EXPECT_EQ(handle, second.m_hObject);
    {
        CBrush third;
        third = std::move(second);
        EXPECT_EQ(handle, third.Detach());
    }
    EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), ::GetObjectType(handle)) << "detached handles outlive their wrapper";
    {
        CBrush owner;
        owner.Attach(handle);
    }
    EXPECT_EQ(0u, ::GetObjectType(handle));

    CFont font;
    ASSERT_TRUE(font.CreatePointFont(90, "Arial"));
    LOGFONTA logFont = {};
    ASSERT_NE(0, font.GetLogFont(&logFont));
    EXPECT_LT(logFont.lfHeight, 0) << "point sizes become character heights";
    EXPECT_STREQ("Arial", logFont.lfFaceName);
}

TEST(Menus, MenuOwnsItsHandleUntilDetached)
{
    HMENU hMenu = nullptr;
    {
        CMenu menu;
        ASSERT_TRUE(menu.CreatePopupMenu());
        hMenu = menu.m_hMenu;
        EXPECT_TRUE(menu.AppendMenu(MF_STRING, 10, "Ten"));
        EXPECT_TRUE(menu.AppendMenu(MF_SEPARATOR));
        EXPECT_TRUE(menu.AppendMenu(MF_STRING, 11, "Eleven"));
        EXPECT_EQ(3u, menu.GetMenuItemCount());
        EXPECT_EQ(11u, menu.GetMenuItemID(2));
        menu.EnableMenuItem(10, MF_BYCOMMAND | MF_GRAYED);
        menu.CheckMenuItem(11, MF_BYCOMMAND | MF_CHECKED);
        EXPECT_NE(0u, menu.GetMenuState(10, MF_BYCOMMAND) & MF_GRAYED);
        EXPECT_NE(0u, menu.GetMenuState(11, MF_BYCOMMAND) & MF_CHECKED);
        CString text;
        menu.GetMenuString(11, text, MF_BYCOMMAND);
        EXPECT_STREQ("Eleven", text);
    }
    EXPECT_FALSE(::IsMenu(hMenu));

    CMenu loaded;
    ASSERT_TRUE(loaded.LoadMenu(200));
    CMenu* pFile = loaded.GetSubMenu(0);
    ASSERT_NE(nullptr, pFile);
    EXPECT_EQ(static_cast<UINT>(ID_FILE_NEW), pFile->GetMenuItemID(0));
    const HMENU hLoaded = loaded.Detach();
    EXPECT_TRUE(::IsMenu(hLoaded));
    ::DestroyMenu(hLoaded);
    AfxDeleteTempMaps();
}

} // namespace
