// Dock bars and the dock context: positions from styles, rows of docked bars, wrapping, the dock
// distance and keeping a dragged floating bar on the work area.
#include "docking_fixture.h"

#include "toolkit/common/monitor_helper.h"

#include <gtest/gtest.h>

namespace {

TEST(DockBar, ThePositionComesFromTheAlignmentStyle)
{
    const struct {
        DWORD dwStyle;
        int nPosition;
        bool bHorizontal;
    } cases[] = {
        {0x2000, kitBarTop, true},
        {0x8000, kitBarBottom, true},
        {0x1000, kitBarLeft, false},
        {0x4000, kitBarRight, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << std::hex << c.dwStyle);
        EXPECT_EQ(c.nPosition, CKitDockBar::GetPositionFromStyle(c.dwStyle));
        CKitDockBar dockBar(nullptr, c.dwStyle);
        EXPECT_EQ(c.bHorizontal, dockBar.IsHorizontal() != FALSE);
        // A new dock bar holds only the row end at entry 0; an index outside throws.
        EXPECT_EQ(1, dockBar.GetDockedCount());
        EXPECT_EQ(nullptr, dockBar.GetDockedCommandBar(0));
        bool bThrown = false;
        try {
            dockBar.GetDockedCommandBar(1);
        } catch (CException* e) {
            e->Delete();
            bThrown = true;
        }
        EXPECT_TRUE(bThrown);
    }
}

class DockBarRows : public testing::Test {
protected:
    DockingSite m_site;
};

TEST_F(DockBarRows, BarsAddedAtAnEdgeStandInRowsAndTheFreeAreaShrinks)
{
    CKitToolBar* pTop = m_site.AddBar("Standard", kitBarTop, {"New", "Open"});
    CKitToolBar* pLeft = m_site.AddBar("Tools", kitBarLeft, {"Pen", "Line"}, 41100);
    CKitDockBar* pTopDock = m_site.m_manager.GetDockBar(kitBarTop);
    EXPECT_EQ(pTopDock, pTop->GetDockBar());
    EXPECT_EQ(kitBarTop, pTop->GetPosition());
    EXPECT_EQ(kitBarLeft, pLeft->GetPosition());
    EXPECT_EQ(pTopDock, pTop->GetParent());
    CRect rcClient;
    m_site.GetClientRect(&rcClient);
    const CRect rcTop = DockingSite::PlaceOf(pTop);
    const CRect rcLeft = DockingSite::PlaceOf(pLeft);
    EXPECT_EQ(0, rcTop.top);
    EXPECT_GT(rcTop.Height(), 0);
    // The left bar stands in a column: taller than wide.
    EXPECT_GT(rcLeft.Height(), rcLeft.Width());
    EXPECT_EQ(rcClient.top + DockingSite::PlaceOf(pTopDock).Height(), m_site.m_rcFree.top);
    EXPECT_EQ(rcLeft.Width(), m_site.m_rcFree.left);
}

TEST_F(DockBarRows, OfTwoOverlappingBarsInARowTheEarlierKeepsItsPlace)
{
    CKitToolBar* pSecond = m_site.AddBar("Second", kitBarTop, {"Export", "Print"}, 41100);
    CKitToolBar* pFirst = m_site.AddBar("First", kitBarTop, {"New", "Open"});
    CKitDockBar* pDock = m_site.m_manager.GetDockBar(kitBarTop);
    // The second asks for x 10 in the top row; the first, dropped on the same row at x 0, goes before it.
    CRect rc = DockingSite::PlaceOf(pSecond);
    rc.MoveToXY(10, 0);
    pDock->ClientToScreen(&rc);
    m_site.m_manager.DockCommandBar(pSecond, &rc, pDock);
    rc = DockingSite::PlaceOf(pFirst);
    rc.MoveToXY(0, 0);
    pDock->ClientToScreen(&rc);
    m_site.m_manager.DockCommandBar(pFirst, &rc, pDock);
    m_site.Layout();
    ASSERT_EQ(4, pDock->GetDockedCount());
    EXPECT_EQ(pFirst, pDock->GetDockedCommandBar(1));
    EXPECT_EQ(pSecond, pDock->GetDockedCommandBar(2));
    const CRect rcFirst = DockingSite::PlaceOf(pFirst);
    const CRect rcSecond = DockingSite::PlaceOf(pSecond);
    EXPECT_EQ(0, rcFirst.left);
    EXPECT_EQ(rcFirst.right, rcSecond.left);
    EXPECT_EQ(rcFirst.top, rcSecond.top);
}

TEST_F(DockBarRows, ARowThatDoesNotFitWrapsItsLastBarToANewLine)
{
    std::vector<CKitToolBar*> bars;
    CKitDockBar* pDock = m_site.m_manager.GetDockBar(kitBarTop);
    for (int i = 0; i < 3; i++) {
        CString strTitle;
        strTitle.Format("Bar %d", i);
        CKitToolBar* pBar =
            m_site.AddBar(strTitle, kitBarTop, {"Alpha", "Bravo", "Charlie", "Delta"}, 41000 + 100 * i);
        bars.push_back(pBar);
    }
    const int nBarWidth = DockingSite::PlaceOf(bars[0]).Width();
    // One row holding all three, in order.
    for (int i = 0; i < 3; i++) {
        CRect rc = DockingSite::PlaceOf(bars[i]);
        rc.MoveToXY(i * nBarWidth, 0);
        pDock->ClientToScreen(&rc);
        m_site.m_manager.DockCommandBar(bars[i], &rc, pDock);
    }
    // Two fit side by side, three do not.
    CRect rcWindow;
    m_site.GetWindowRect(&rcWindow);
    CRect rcClient;
    m_site.GetClientRect(&rcClient);
    m_site.SetWindowPos(nullptr, 0, 0, rcWindow.Width() - rcClient.Width() + nBarWidth * 2 + nBarWidth / 2,
                        rcWindow.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_site.Layout();
    EXPECT_EQ(5, pDock->GetDockedCount()) << "one row of three";
    const CRect rc0 = DockingSite::PlaceOf(bars[0]);
    const CRect rc1 = DockingSite::PlaceOf(bars[1]);
    const CRect rc2 = DockingSite::PlaceOf(bars[2]);
    EXPECT_EQ(rc0.top, rc1.top);
    EXPECT_EQ(rc0.bottom, rc2.top) << "the last by position goes below";
    EXPECT_LE(rc2.right, DockingSite::PlaceOf(pDock).Width()) << "within the edge";
    EXPECT_EQ(rc2.bottom, DockingSite::PlaceOf(pDock).Height());
}

TEST_F(DockBarRows, ABarDocksWithin19PixelsOfADockBarAndNotAt20)
{
    m_site.AddBar("Standard", kitBarTop, {"New", "Open"});
    CKitDockBar* pDock = m_site.m_manager.GetDockBar(kitBarTop);
    CRect rc;
    pDock->GetWindowRect(&rc);
    const int x = rc.CenterPoint().x;
    EXPECT_EQ(pDock, m_site.m_manager.CanDock(CPoint(x, rc.bottom + 19), nullptr));
    EXPECT_EQ(pDock, m_site.m_manager.CanDock(CPoint(x, rc.bottom + 19), pDock));
    EXPECT_EQ(nullptr, m_site.m_manager.CanDock(CPoint(x, rc.bottom + 20), pDock));
    EXPECT_EQ(nullptr, m_site.m_manager.CanDock(CPoint(x, rc.bottom + 20), nullptr));
}

TEST(DockContext, KeepsTenPixelsOfARectangleOnTheWorkArea)
{
    const CRect rcWork(0, 0, 800, 600);
    const struct {
        CRect rc;
        CRect expected;
    } cases[] = {
        {CRect(-500, 100, -300, 130), CRect(-190, 100, 10, 130)},
        {CRect(900, 100, 1100, 130), CRect(790, 100, 990, 130)},
        {CRect(100, -200, 300, -170), CRect(100, -20, 300, 10)},
        {CRect(100, 650, 300, 680), CRect(100, 590, 300, 620)},
        {CRect(100, 100, 300, 130), CRect(100, 100, 300, 130)},
        {CRect(-195, 100, 5, 130), CRect(-190, 100, 10, 130)},
    };
    for (const auto& c : cases) {
        CRect rc = c.rc;
        CKitDockContext::KeepOnScreen(rc, rcWork);
        EXPECT_EQ(c.expected, rc) << c.rc.left << "," << c.rc.top;
    }
}

TEST_F(DockBarRows, AFloatingBarDraggedOffTheScreenKeepsTenPixelsOnIt)
{
    CKitToolBar* pBar = m_site.AddBar("Standard", kitBarTop, {"New", "Open", "Save"});
    ASSERT_TRUE(pBar->SetPosition(kitBarFloating));
    CKitDockContext* pContext = pBar->GetDockContext();
    CRect rc;
    pBar->GetWindowRect(&rc);
    const CPoint ptStart = rc.CenterPoint();
    pContext->m_nHitTest = 1;
    pContext->m_ptLast = ptStart;
    pContext->m_rcTrack = rc;
    pContext->m_rcDragStart = rc;
    const CRect rcWork = CKitMonitorHelper::Instance()->GetWorkAreaFromPoint(ptStart);
    // Far off the left of the work area, away from every dock bar.
    const CPoint ptEnd(rcWork.left - 2000, ptStart.y);
    pContext->Move(ptEnd);
    EXPECT_TRUE(pBar->IsFloating());
    pBar->GetWindowRect(&rc);
    EXPECT_EQ(rcWork.left + CKitDockContext::kKeepOnScreen, rc.right);
    // Dragged back over the top dock bar, it docks again.
    CRect rcDock;
    m_site.m_manager.GetDockBar(kitBarTop)->GetWindowRect(&rcDock);
    pContext->Move(CPoint(rcDock.left + 30, rcDock.top + 2));
    EXPECT_FALSE(pBar->IsFloating());
    EXPECT_EQ(m_site.m_manager.GetDockBar(kitBarTop), pBar->GetDockBar());
}

TEST_F(DockBarRows, ADoubleClickFloatsADockedBarAndDocksItBack)
{
    CKitToolBar* pBar = m_site.AddBar("Standard", kitBarBottom, {"New", "Open"});
    CKitDockContext* pContext = pBar->GetDockContext();
    EXPECT_EQ(1, pContext->ToggleDocking());
    EXPECT_TRUE(pBar->IsFloating());
    EXPECT_EQ(nullptr, pBar->GetDockBar());
    EXPECT_EQ(1, pContext->ToggleDocking());
    EXPECT_EQ(kitBarBottom, pBar->GetPosition());
    // Without the option a docked bar stays.
    m_site.m_manager.GetCommandBarsOptions()->bDblClickFloat = FALSE;
    EXPECT_EQ(0, pContext->ToggleDocking());
    EXPECT_FALSE(pBar->IsFloating());
}

} // namespace
