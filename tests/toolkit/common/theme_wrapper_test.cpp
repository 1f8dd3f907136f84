// The visual-style wrapper over a missing library and over the tests' stand-in, the composition functions and DPI awareness.
#include "toolkit/common/theme_wrapper.h"

#include "test_module.h"
#include "toolkit/common/system.h"

#include <gtest/gtest.h>

namespace {

HTHEME ThemeNumber(int n)
{
    return reinterpret_cast<HTHEME>(static_cast<INT_PTR>(kKitTestFirstTheme + n));
}

TEST(KitThemeWrapper, AMissingLibraryFailsSoftly)
{
    for (BOOL followModule : {FALSE, TRUE}) {
        CKitWinThemeWrapper wrapper(followModule, "kit_no_such_theme.dll");
        EXPECT_EQ(E_FAIL, wrapper.OpenThemeData(nullptr, L"BUTTON"));
        EXPECT_FALSE(wrapper.IsThemeHandleOpen());
        EXPECT_EQ(nullptr, wrapper.GetThemeHandle());
        const RECT rect = {0, 0, 10, 10};
        EXPECT_EQ(E_FAIL, wrapper.DrawThemeBackground(nullptr, 1, 1, &rect, nullptr));
        COLORREF colour = 0x123;
        EXPECT_EQ(E_FAIL, wrapper.GetThemeColor(1, 1, 3801, &colour));
        EXPECT_EQ(0x123u, colour);
        int value = 7;
        EXPECT_EQ(E_FAIL, wrapper.GetThemeInt(1, 1, 1, &value));
        SIZE size = {};
        EXPECT_EQ(E_FAIL, wrapper.GetThemePartSize(nullptr, 1, 1, nullptr, TS_TRUE, &size));
        WCHAR file[MAX_PATH] = {};
        WCHAR color[MAX_PATH] = {};
        WCHAR sizeName[MAX_PATH] = {};
        EXPECT_EQ(E_FAIL, wrapper.GetCurrentThemeName(file, MAX_PATH, color, MAX_PATH, sizeName, MAX_PATH));
        EXPECT_EQ(E_FAIL, wrapper.DrawThemeTextEx(nullptr, 1, 1, L"x", -1, 0, nullptr, nullptr));
        HDC buffer = nullptr;
        EXPECT_EQ(nullptr, wrapper.BeginBufferedPaint(nullptr, &rect, BPBF_DIB, nullptr, &buffer));
        EXPECT_EQ(E_FAIL, wrapper.EndBufferedPaint(nullptr, TRUE));
        EXPECT_FALSE(wrapper.IsAppThemed());
        EXPECT_FALSE(wrapper.IsThemeActive());
        EXPECT_FALSE(wrapper.GetThemeSysBool(1001));
        EXPECT_FALSE(wrapper.IsAppThemeReady());
        EXPECT_EQ(E_FAIL, wrapper.CloseThemeData());
    }
}

TEST(KitThemeWrapper, OpeningAgainClosesTheHandleHeldAndCallsPassIt)
{
    TestModule module;
    KitTestThemeLog* log = module.ThemeCalls();
    ASSERT_NE(nullptr, log);
    *log = KitTestThemeLog();
    {
        CKitWinThemeWrapper wrapper(FALSE, "kit_test_module.dll");
        EXPECT_TRUE(wrapper.IsThemeActive());
        EXPECT_TRUE(wrapper.IsAppThemed());
        EXPECT_EQ(S_OK, wrapper.OpenThemeData(nullptr, L"HEADER"));
        EXPECT_EQ(ThemeNumber(0), wrapper.GetThemeHandle());
        EXPECT_EQ(S_OK, wrapper.OpenThemeData(nullptr, L"TAB"));
        EXPECT_EQ(1, log->closed);
        EXPECT_EQ(ThemeNumber(0), log->lastClosed);
        EXPECT_EQ(ThemeNumber(1), wrapper.GetThemeHandle());

        const RECT rect = {0, 0, 4, 4};
        EXPECT_EQ(S_OK, wrapper.DrawThemeBackground(nullptr, 9, 1, &rect, nullptr));
        EXPECT_EQ(ThemeNumber(1), log->lastDrawn);
        EXPECT_EQ(9, log->lastPart);
        COLORREF colour = 0;
        EXPECT_EQ(S_OK, wrapper.GetThemeColor(0, 0, 3801, &colour));
        EXPECT_EQ(kKitTestThemeColor, colour);
        // A function the library lacks fails on its own.
        int value = 0;
        EXPECT_EQ(E_FAIL, wrapper.GetThemeInt(0, 0, 0, &value));
        EXPECT_EQ(GetComCtlVersion() >= 0x60000, wrapper.IsAppThemeReady() != FALSE);
    }
    EXPECT_EQ(2, log->closed);
    EXPECT_EQ(ThemeNumber(1), log->lastClosed);
}

TEST(KitThemeWrapper, FollowingTheModuleBindsAnewAfterItWasUnloaded)
{
    CKitWinThemeWrapper wrapper(TRUE, "kit_test_module.dll");
    ASSERT_TRUE(wrapper.IsThemeActive());
    for (int i = 0; i < 16 && ::GetModuleHandleA("kit_test_module.dll") != nullptr; ++i)
        ::FreeLibrary(::GetModuleHandleA("kit_test_module.dll"));
    ASSERT_EQ(nullptr, ::GetModuleHandleA("kit_test_module.dll"));
    EXPECT_FALSE(wrapper.IsThemeActive());
    EXPECT_EQ(E_FAIL, wrapper.OpenThemeData(nullptr, L"BUTTON"));

    TestModule again;
    EXPECT_TRUE(wrapper.IsThemeActive());
    EXPECT_EQ(S_OK, wrapper.OpenThemeData(nullptr, L"BUTTON"));
}

TEST(KitThemeWrapper, DpiAwarenessIsCalledOnlyWhereTheSystemHasIt)
{
    TestModule module;
    EXPECT_FALSE(CKitWinThemeWrapper::CallSetProcessDPIAware("kit_test_module.dll"));
    EXPECT_FALSE(CKitWinThemeWrapper::CallSetProcessDPIAware("kit_no_such_library.dll"));
    CKitWinThemeWrapper::CallSetProcessDPIAware();
}

TEST(KitDwmFunctions, AMissingLibraryGivesEFail)
{
    CKitDwmFunctions functions("kit_no_such_dwm.dll");
    LRESULT result = 0;
    EXPECT_EQ(E_FAIL, functions.DefWindowProc(nullptr, WM_NCHITTEST, 0, 0, &result));
    EXPECT_EQ(E_FAIL, functions.ExtendFrameIntoClientArea(nullptr, 1, 2, 3, 4));
    EXPECT_NE(nullptr, CKitDwmFunctions::Instance());
}

} // namespace
