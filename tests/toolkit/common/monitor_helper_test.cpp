// Work and screen areas by point, rectangle and window, with and without the monitor functions.
#include "toolkit/common/monitor_helper.h"

#include <gtest/gtest.h>

namespace {

CRect PrimaryWorkArea()
{
    CRect area;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

CRect PrimaryScreen()
{
    return CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}

TEST(KitMonitorHelper, PlacesOutsideEveryMonitorGiveThePrimaryAreas)
{
    const CKitMonitorHelper& helper = *CKitMonitorHelper::Instance();
    ASSERT_TRUE(helper.IsMultiMonitor());
    const CPoint outside(-100000, -100000);
    EXPECT_EQ(PrimaryWorkArea(), helper.GetWorkAreaFromPoint(outside));
    EXPECT_EQ(PrimaryWorkArea(), helper.GetWorkAreaFromRect(CRect(-90000, -90000, -89000, -89000)));
    EXPECT_EQ(PrimaryScreen(), helper.GetScreenAreaFromPoint(outside));
    EXPECT_EQ(PrimaryWorkArea(), helper.GetWorkAreaFromWnd(nullptr));
    EXPECT_EQ(PrimaryWorkArea(), helper.GetWorkAreaFromHandle(nullptr));
    MONITORINFO info = {};
    EXPECT_FALSE(helper.GetMonitorInfo(nullptr, &info));
}

TEST(KitMonitorHelper, APlaceOnAMonitorGivesThatMonitorsAreas)
{
    const CKitMonitorHelper& helper = *CKitMonitorHelper::Instance();
    HMONITOR monitor = ::MonitorFromPoint(CPoint(10, 10), MONITOR_DEFAULTTONULL);
    ASSERT_NE(nullptr, monitor);
    MONITORINFO info = {};
    ASSERT_TRUE(helper.GetMonitorInfo(monitor, &info));
    EXPECT_EQ(40u, info.cbSize);
    EXPECT_EQ(CRect(info.rcWork), helper.GetWorkAreaFromPoint(CPoint(10, 10)));
    EXPECT_EQ(CRect(info.rcMonitor), helper.GetScreenAreaFromRect(CRect(5, 5, 20, 20)));
    EXPECT_FALSE(helper.GetWorkAreaFromCursor().IsRectEmpty());
}

TEST(KitMonitorHelper, WithoutTheMonitorFunctionsItKnowsOnlyThePrimaryScreen)
{
    const CKitMonitorHelper helper("kernel32.dll");
    EXPECT_FALSE(helper.IsMultiMonitor());
    HMONITOR monitor = ::MonitorFromPoint(CPoint(10, 10), MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info = {};
    EXPECT_FALSE(helper.GetMonitorInfo(monitor, &info));
    EXPECT_EQ(PrimaryWorkArea(), helper.GetWorkAreaFromPoint(CPoint(10, 10)));
    EXPECT_EQ(PrimaryScreen(), helper.GetScreenAreaFromRect(CRect(5, 5, 20, 20)));
}

} // namespace
