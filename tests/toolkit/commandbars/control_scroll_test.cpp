// The scroll base: layout, hit test and the mouse loop (arrow press, thumb drag with snap-back,
// Shift+click on the track), and the progress control's range and position.
#include "toolkit/commandbars/control_scroll.h"

#include "support/message_pump.h"

#include "framework/wnd.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// Arrows of a fixed size and an optional fixed thumb.
class CFixedPainter : public CKitScrollBarPainter {
public:
    void DrawScrollBar(CDC*, CKitScrollBase*) override {}
    int GetArrowSize(BOOL) const override { return m_nArrow; }
    int GetFixedThumbLength() const override { return m_nThumb; }
    int GetThemeKind() const override { return m_nKind; }

    int m_nArrow = 20;
    int m_nThumb = 0;
    int m_nKind = 0;
};

// A bar on a window that moves its position as the commands say and records them.
class CScrollHost : public CWnd, public CKitScrollBase {
public:
    explicit CScrollHost(CRect rcBar = CRect(0, 0, 16, 220)) : m_rcBar(rcBar)
    {
        CreateEx(0, "STATIC", "Scroll host", WS_POPUP | WS_VISIBLE, 100, 100, 300, 260, nullptr, 0);
        m_si.cbSize = sizeof(m_si);
        m_si.nMin = 0;
        m_si.nMax = 99;
        m_si.nPage = 10;
        m_si.nPos = 0;
        ::GetCursorPos(&m_ptCursor);
    }
    // Gives the pointer back where it was, away from the windows of later tests.
    ~CScrollHost() override
    {
        DestroyWindow();
        ::SetCursorPos(m_ptCursor.x, m_ptCursor.y);
    }

    CWnd* GetParentWindow() const override { return const_cast<CScrollHost*>(this); }
    CRect GetScrollBarRect() override { return m_rcBar; }
    void GetScrollInfo(SCROLLINFO* pSi) override { *pSi = m_si; }
    void DoScroll(int nCommand, int nPos) override
    {
        m_commands.emplace_back(nCommand, nPos);
        if (nCommand == kitScrollThumbTrack || nCommand == kitScrollThumbPosition)
            m_si.nPos = nPos;
        else if (nCommand == kitScrollLineDown)
            m_si.nPos += 1;
        CalcScrollBarInfo(m_rcBar, &m_spi, &m_si);
        if (nCommand == kitScrollThumbTrack)
            m_thumbs.emplace_back(m_spi.pxThumbTop, m_spi.pxThumbBottom);
    }
    void RedrawScrollBar() override {}
    CKitScrollBarPainter* GetScrollBarPaintManager() const override { return const_cast<CFixedPainter*>(&m_painter); }

    // Puts the real pointer on the client point, where the posted moves end.
    void PlaceCursor(CPoint pt)
    {
        ClientToScreen(&pt);
        ::SetCursorPos(pt.x, pt.y);
    }
    void Post(UINT message, CPoint pt)
    {
        ::PostMessage(GetSafeHwnd(), message, 0, MAKELPARAM(pt.x, pt.y));
    }

    CFixedPainter m_painter;
    POINT m_ptCursor = {};
    CRect m_rcBar;
    SCROLLINFO m_si = {};
    std::vector<std::pair<int, int>> m_commands;
    std::vector<std::pair<int, int>> m_thumbs;
};

using Commands = std::vector<std::pair<int, int>>;

} // namespace

TEST(KitScrollBase, LayoutPlacesArrowsThumbAndTrack)
{
    struct Case {
        const char* name;
        CRect rc;
        BOOL bVertical;
        int nMin, nMax, nPage, nPos, nArrow, nFixedThumb;
        int nUpArrow, nDownArrow, nThumbTop, nThumbLength, nTrackLength;
    };
    const Case cases[] = {
        {"vertical at the start", CRect(0, 0, 16, 220), TRUE, 0, 99, 10, 0, 20, 0, 20, 200, 20, 18, 162},
        {"vertical at the end", CRect(0, 0, 16, 220), TRUE, 0, 99, 10, 90, 20, 0, 20, 200, 182, 18, 162},
        {"position clamped", CRect(0, 0, 16, 220), TRUE, 0, 99, 10, 500, 20, 0, 20, 200, 182 + 18, 18, 162},
        {"horizontal, offset", CRect(10, 5, 210, 21), FALSE, 0, 9, 5, 0, 20, 0, 30, 190, 30, 80, 80},
        {"short bar halves the arrows", CRect(0, 0, 16, 30), TRUE, 0, 99, 10, 0, 20, 0, 15, 15, 15, 7, -7},
        {"tiny page keeps half an arrow", CRect(0, 0, 16, 220), TRUE, 0, 9999, 1, 0, 20, 0, 20, 200, 20, 10, 170},
        {"fixed thumb", CRect(0, 0, 120, 20), FALSE, 0, 10, 0, 5, 16, 11, 16, 104, 16 + 5 * 77 / 10, 11, 77},
        {"page covers the range", CRect(0, 0, 16, 220), TRUE, 0, 9, 10, 0, 20, 0, 20, 200, 19, 180, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CScrollHost host(c.rc);
        host.m_painter.m_nArrow = c.nArrow;
        host.m_painter.m_nThumb = c.nFixedThumb;
        host.SetVertical(c.bVertical);
        SCROLLINFO si = {sizeof(si), SIF_ALL, c.nMin, c.nMax, static_cast<UINT>(c.nPage), c.nPos};
        KIT_SCROLLBARPOSINFO spi;
        host.CalcScrollBarInfo(c.rc, &spi, &si);
        EXPECT_EQ(c.nUpArrow, spi.pxUpArrow);
        EXPECT_EQ(c.nDownArrow, spi.pxDownArrow);
        EXPECT_EQ(c.nThumbLength, spi.pxThumbLength);
        EXPECT_EQ(c.nTrackLength, spi.pxTrackLength);
        if (std::string(c.name) != "position clamped")
            EXPECT_EQ(c.nThumbTop, spi.pxThumbTop);
        else
            EXPECT_EQ(99, spi.nPos);
    }
}

TEST(KitScrollBase, HitTestNamesEachPart)
{
    CScrollHost host;
    host.m_si.nPos = 50;
    host.UpdateScrollBar();
    KIT_SCROLLBARPOSINFO& spi = *host.GetScrollBarPosInfo();
    const std::pair<CPoint, int> cases[] = {
        {CPoint(8, 5), kitScrollHitUpArrow},
        {CPoint(8, 30), kitScrollHitPageUp},
        {CPoint(8, spi.pxThumbTop), kitScrollHitThumb},
        {CPoint(8, spi.pxThumbBottom), kitScrollHitPageDown},
        {CPoint(8, 210), kitScrollHitDownArrow},
        {CPoint(20, 100), kitScrollHitNone},
        {CPoint(8, 220), kitScrollHitNone},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.second, host.HitTestScrollBar(c.first)) << c.first.x << "," << c.first.y;
    spi.pxExtraButton = 190;
    EXPECT_EQ(kitScrollHitExtra, host.HitTestScrollBar(CPoint(8, 195)));
}

TEST(KitScrollBase, ShiftClickOnTheTrackCentresTheThumbAndDrags)
{
    CScrollHost host;
    host.UpdateScrollBar();
    host.PlaceCursor(CPoint(8, 100));
    host.Post(WM_MOUSEMOVE, CPoint(8, 100));
    host.Post(WM_LBUTTONUP, CPoint(8, 100));
    host.PerformTrackInit(host.GetSafeHwnd(), CPoint(8, 150), TRUE);

    // Centred on 150: (150 - 9 - 20) x 90 / 162; then dragged to 100.
    const Commands expected = {{5, 0}, {5, 67}, {5, 39}, {4, 39}, {8, 39}};
    EXPECT_EQ(expected, host.m_commands);
    ASSERT_GE(host.m_thumbs.size(), 2u);
    const int nCentre = (host.m_thumbs[1].first + host.m_thumbs[1].second) / 2;
    EXPECT_NEAR(150, nCentre, 1);
    EXPECT_EQ(nullptr, host.GetScrollBarTrackInfo());
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST(KitScrollBase, ClickWithoutShiftOnTheTrackPagesAndAThumbDragSnapsBackFarAway)
{
    {
        CScrollHost host;
        host.UpdateScrollBar();
        host.PlaceCursor(CPoint(8, 150));
        host.Post(WM_LBUTTONUP, CPoint(8, 150));
        host.PerformTrackInit(host.GetSafeHwnd(), CPoint(8, 150), FALSE);
        const Commands expected = {{kitScrollPageDown, 0}, {kitScrollEnd, 0}};
        EXPECT_EQ(expected, host.m_commands);
    }
    {
        CScrollHost host;
        host.UpdateScrollBar();
        host.PlaceCursor(CPoint(8, 120));
        host.Post(WM_MOUSEMOVE, CPoint(8, 120));
        host.Post(WM_MOUSEMOVE, CPoint(290, 120));
        host.Post(WM_MOUSEMOVE, CPoint(8, 120));
        host.Post(WM_LBUTTONUP, CPoint(8, 120));
        host.PerformTrackInit(host.GetSafeHwnd(), CPoint(8, 25), FALSE);
        // The thumb keeps the 5 pixels between its top and the press: (120 - 5 - 20) x 90 / 162.
        const Commands expected = {{5, 0}, {5, 52}, {5, 0}, {5, 52}, {4, 52}, {8, 52}};
        EXPECT_EQ(expected, host.m_commands);
    }
}

TEST(KitScrollBase, ADisabledBarOrAThumbWithoutRoomStartsNoLoop)
{
    CScrollHost host;
    host.m_si.nPage = 100;
    host.UpdateScrollBar();
    host.PerformTrackInit(host.GetSafeHwnd(), CPoint(8, 100), TRUE);
    EXPECT_TRUE(host.m_commands.empty());
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST(KitScrollBase, VisualStyleFollowsThePaintManagerUnlessSet)
{
    CScrollHost host;
    const std::pair<int, int> cases[] = {{0, kitScrollStyleFlat}, {1, kitScrollStyleSystem},
                                         {5, kitScrollStyleOffice}, {6, kitScrollStyleOffice},
                                         {9, kitScrollStyleSystem}};
    for (const auto& c : cases) {
        host.m_painter.m_nKind = c.first;
        EXPECT_EQ(c.second, host.GetScrollBarVisualStyle()) << c.first;
    }
    host.SetScrollBarVisualStyle(kitScrollStyleSystem);
    host.m_painter.m_nKind = 0;
    EXPECT_EQ(kitScrollStyleSystem, host.GetScrollBarVisualStyle());
}

TEST(KitControlProgress, RangeAndPositionRedrawOnlyOnChangeAndClamp)
{
    struct CCounted : CKitControlProgress {
        void RedrawProgress() override { ++m_nRedraws; }
        int m_nRedraws = 0;
    };
    CCounted progress;
    progress.SetRange(0, 100);
    EXPECT_EQ(0, progress.m_nRedraws);
    progress.SetPos(150);
    EXPECT_EQ(100, progress.GetPos());
    progress.SetPos(100);
    progress.SetPos(-5);
    EXPECT_EQ(0, progress.GetPos());
    progress.SetRange(10, 20);
    EXPECT_EQ(3, progress.m_nRedraws);

    progress.SetPos(15);
    CKitControlProgress* pClone = static_cast<CKitControlProgress*>(progress.Clone(FALSE));
    int nLower = 0;
    int nUpper = 0;
    pClone->GetRange(nLower, nUpper);
    EXPECT_EQ(10, nLower);
    EXPECT_EQ(20, nUpper);
    EXPECT_EQ(15, pClone->GetPos());
    pClone->InternalRelease();
}
