// Module handles with their versions, the Windows version tests and the lock.
#include "toolkit/common/system.h"

#include "test_module.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

constexpr DWORD kVersion582 = MAKELONG(82, 5);

TEST(KitModuleHandle, LoadsReadsItsVersionAndFreesWhatItLoaded)
{
    using CallsFn = KitTestThemeCallsFn;
    CKitModuleHandle module;
    ASSERT_TRUE(module.Load("kit_test_module.dll"));
    EXPECT_EQ(CKitModuleHandle::kLoaded, module.GetKind());
    EXPECT_EQ(kVersion582, module.GetVersion());

    CallsFn calls = reinterpret_cast<CallsFn>(1);
    EXPECT_FALSE(module.GetProcAddress(&calls, "KitTestThemeCalls", MAKELONG(0, 6)));
    EXPECT_EQ(nullptr, calls);
    EXPECT_TRUE(module.GetProcAddress(&calls, "KitTestThemeCalls", kVersion582));
    EXPECT_NE(nullptr, calls);
    EXPECT_FALSE(module.GetProcAddress(&calls, "NoSuchFunction"));
    EXPECT_EQ(nullptr, calls);

    EXPECT_TRUE(module.Free());
    EXPECT_EQ(CKitModuleHandle::kNone, module.GetKind());
    EXPECT_EQ(nullptr, module.GetHandle());
}

TEST(KitModuleHandle, FindsALoadedLibraryWithoutTakingIt)
{
    CKitModuleHandle kernel;
    ASSERT_TRUE(kernel.Find("kernel32.dll"));
    EXPECT_EQ(CKitModuleHandle::kFound, kernel.GetKind());
    EXPECT_EQ(0u, kernel.GetVersion());
    EXPECT_TRUE(kernel.Free());
    EXPECT_NE(nullptr, ::GetModuleHandleA("kernel32.dll"));

    CKitModuleHandle missing("kit_no_such_library.dll");
    EXPECT_EQ(nullptr, missing.GetHandle());
    EXPECT_EQ(0u, missing.GetVersion());
    FARPROC proc = reinterpret_cast<FARPROC>(1);
    EXPECT_FALSE(missing.GetProcAddress(&proc, "Anything"));
    EXPECT_EQ(nullptr, proc);
}

TEST(KitModuleHandle, CommonControlsWithoutAVersionAreVersionFour)
{
    EXPECT_EQ(0x40000u, ReadCommonControlsVersion("kernel32.dll"));
    EXPECT_EQ(kVersion582, ReadCommonControlsVersion("kit_test_module.dll"));
    EXPECT_GE(GetComCtlVersion(), 0x40000u);
    EXPECT_EQ(GetComCtlVersion(), GetComCtlVersion());
    EXPECT_GE(GetOemCodePageMaxCharSize(), 1u);
}

TEST(KitOsVersion, TestsEachVersionExactlyOrFromBelow)
{
    enum { k95 = 1, k98 = 2, k9x = 4, kNT4 = 8, k2000 = 16, kXP = 32, k2000Up = 64, kXPUp = 128, kVistaUp = 256,
           k7Up = 512 };
    struct Case {
        DWORD platform;
        DWORD major;
        DWORD minor;
        int expected;
    };
    const Case cases[] = {
        {VER_PLATFORM_WIN32_WINDOWS, 4, 0, k95 | k9x},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 10, k98 | k9x},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 90, k9x},
        {VER_PLATFORM_WIN32_NT, 4, 0, kNT4},
        {VER_PLATFORM_WIN32_NT, 5, 0, k2000 | k2000Up},
        {VER_PLATFORM_WIN32_NT, 5, 1, kXP | k2000Up | kXPUp},
        {VER_PLATFORM_WIN32_NT, 5, 2, k2000Up | kXPUp},
        {VER_PLATFORM_WIN32_NT, 6, 0, k2000Up | kXPUp | kVistaUp},
        {VER_PLATFORM_WIN32_NT, 6, 1, k2000Up | kXPUp | kVistaUp | k7Up},
        {VER_PLATFORM_WIN32_NT, 10, 0, k2000Up | kXPUp | kVistaUp | k7Up},
    };
    for (const Case& c : cases) {
        OSVERSIONINFOA info = {};
        info.dwOSVersionInfoSize = sizeof(info);
        info.dwPlatformId = c.platform;
        info.dwMajorVersion = c.major;
        info.dwMinorVersion = c.minor;
        const CKitOsVersion version(info);
        const int found = (version.IsWin95() ? k95 : 0) | (version.IsWin98() ? k98 : 0) |
                          (version.IsWin9x() ? k9x : 0) | (version.IsWinNT4() ? kNT4 : 0) |
                          (version.IsWin2000() ? k2000 : 0) | (version.IsWinXP() ? kXP : 0) |
                          (version.IsWin2000OrGreater() ? k2000Up : 0) | (version.IsWinXPOrGreater() ? kXPUp : 0) |
                          (version.IsVistaOrGreater() ? kVistaUp : 0) | (version.IsWin7OrGreater() ? k7Up : 0);
        EXPECT_EQ(c.expected, found) << "platform " << c.platform << " version " << c.major << "." << c.minor;
        EXPECT_EQ(version.IsWinXPOrGreater(), version.IsClearTypeTextSupported());
    }
    EXPECT_EQ(sizeof(OSVERSIONINFOA), CKitOsVersion::Instance()->GetInfo().dwOSVersionInfoSize);
    EXPECT_TRUE(CKitOsVersion::Instance()->IsVersionAtLeast(CKitOsVersion::Instance()->GetInfo().dwMajorVersion, 0));
}

TEST(KitLockGuard, HoldsTheSectionForItsScope)
{
    CRITICAL_SECTION section;
    ::InitializeCriticalSection(&section);
    bool heldElsewhere = false;
    {
        CKitLockGuard lock(&section);
        std::thread other([&] {
            heldElsewhere = !::TryEnterCriticalSection(&section);
        });
        other.join();
    }
    EXPECT_TRUE(heldElsewhere);
    std::thread after([&] {
        const BOOL entered = ::TryEnterCriticalSection(&section);
        EXPECT_TRUE(entered);
        if (entered)
            ::LeaveCriticalSection(&section);
    });
    after.join();
    ::DeleteCriticalSection(&section);
}

} // namespace
