// The shadows of popups: where the strips go, their fading alpha, when none are cast, the corner pixel, and how they follow their owner.
#include "toolkit/commandbars/shadow_manager.h"

#include "framework/wnd.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using ShadowWnd = CKitShadowManager::CShadowWnd;

// A manager whose system drop-shadow setting the test decides.
class TestShadowManager : public CKitShadowManager {
public:
    explicit TestShadowManager(BOOL bSystemShadow) : m_bSystemShadow(bSystemShadow) {}

protected:
    BOOL IsSystemShadowEnabled() const override { return m_bSystemShadow; }

private:
    BOOL m_bSystemShadow;
};

// A popup window that is never activated.
class Popup : public CWnd {
public:
    explicit Popup(const CRect& rc, bool visible = false)
    {
        CreateEx(0, AfxDefaultWndClass(), "", WS_POPUP, rc.left, rc.top, rc.Width(), rc.Height(), nullptr, nullptr);
        if (visible)
            ShowWindow(SW_SHOWNOACTIVATE);
    }
};

int CountShadowWindows()
{
    int count = 0;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            char name[32] = {};
            ::GetClassNameA(hWnd, name, sizeof(name));
            if (lstrcmpA(name, "KitShadowWnd") == 0)
                ++*reinterpret_cast<int*>(lParam);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

const ShadowWnd* FindShadow(const CKitShadowManager& manager, HWND hOwner, int nKind)
{
    for (const ShadowWnd* pShadow : manager.GetShadows()) {
        if (pShadow->GetOwnerWindow() == hOwner && pShadow->GetKind() == nKind)
            return pShadow;
    }
    return nullptr;
}

CRect RectOf(const ShadowWnd* pShadow)
{
    CRect rc;
    pShadow->GetWindowRect(&rc);
    return rc;
}

BYTE AlphaAt(const std::vector<DWORD>& pixels, int width, int x, int y)
{
    return static_cast<BYTE>(pixels[static_cast<size_t>(y * width + x)] >> 24);
}

class KitShadowManager : public ::testing::Test {
protected:
    KitShadowManager() : manager(new TestShadowManager(TRUE)) {}
    ~KitShadowManager() override { manager->InternalRelease(); }

    TestShadowManager* manager;
};

TEST_F(KitShadowManager, APopupCastsARightAndABottomStripAlongItsEdges)
{
    ASSERT_TRUE(manager->IsAlphaSupported());
    Popup popup(CRect(100, 100, 200, 150));
    manager->SetShadow(&popup, CRect(0, 0, 0, 0));
    ASSERT_EQ(2u, manager->GetShadows().size());
    const ShadowWnd* right = FindShadow(*manager, popup, CKitShadowManager::kShadowRight);
    const ShadowWnd* bottom = FindShadow(*manager, popup, CKitShadowManager::kShadowBottom);
    ASSERT_NE(nullptr, right);
    ASSERT_NE(nullptr, bottom);
    EXPECT_EQ(CRect(200, 104, 204, 150), RectOf(right));
    EXPECT_EQ(CRect(104, 150, 204, 154), RectOf(bottom));
    EXPECT_TRUE(right->IsWindowVisible());
    EXPECT_EQ(WS_EX_LAYERED, right->GetExStyle() & WS_EX_LAYERED);
    // The shadows watch their owner.
    EXPECT_EQ(2u, CKitHookManager::Instance()->GetHooks(popup).size());
    popup.DestroyWindow();
}

TEST_F(KitShadowManager, StripsFadeOutwardsAndHalfAsStrongWithFlagOne)
{
    struct Case {
        int factor;
        BYTE alphas[4];
    };
    const Case cases[] = {{2, {120, 90, 60, 30}}, {1, {60, 45, 30, 15}}};
    for (const Case& c : cases) {
        // The bottom strip, 100 wide: rows from the popup's edge outwards.
        const std::vector<DWORD> bottom =
            CKitShadowManager::MakeShadowImage(CKitShadowManager::kShadowBottom, 100, 4, c.factor, RGB(0, 0, 0));
        // The right strip, 46 high: columns from the popup's edge outwards.
        const std::vector<DWORD> right =
            CKitShadowManager::MakeShadowImage(CKitShadowManager::kShadowRight, 4, 46, c.factor, RGB(0, 0, 0));
        for (int step = 0; step < 4; ++step) {
            EXPECT_EQ(c.alphas[step], AlphaAt(bottom, 100, 50, step)) << c.factor << " " << step;
            EXPECT_EQ(c.alphas[step], AlphaAt(right, 4, step, 20)) << c.factor << " " << step;
        }
        // End squares: 3·f·i·j from the far corner (1, 1) to the inner one (4, 4).
        EXPECT_EQ(3 * c.factor, AlphaAt(right, 4, 3, 0));
        EXPECT_EQ(3 * c.factor * 16, AlphaAt(right, 4, 0, 3));
        EXPECT_EQ(3 * c.factor, AlphaAt(bottom, 100, 0, 3));
        EXPECT_EQ(3 * c.factor, AlphaAt(bottom, 100, 99, 3));
        EXPECT_EQ(3 * c.factor * 16, AlphaAt(bottom, 100, 96, 0));
    }
    // The colour is premultiplied by the row's part: red in bits 16-23.
    const std::vector<DWORD> grey =
        CKitShadowManager::MakeShadowImage(CKitShadowManager::kShadowBottom, 20, 4, 2, RGB(200, 100, 40));
    EXPECT_EQ(0x78C86428u, grey[10]);
    EXPECT_EQ(0x1E32190Au, grey[3 * 20 + 10]);
    const std::vector<DWORD> corner =
        CKitShadowManager::MakeShadowImage(CKitShadowManager::kShadowCorner, 1, 1, 2, RGB(0, 0, 0));
    EXPECT_EQ(0x78000000u, corner[0]);

    // A shadow window draws at half strength with flag 1.
    manager->SetFlags(CKitShadowManager::kFlagAlways);
    Popup popup(CRect(100, 100, 200, 150));
    manager->SetShadow(&popup, CRect(0, 0, 0, 0));
    const ShadowWnd* bottom = FindShadow(*manager, popup, CKitShadowManager::kShadowBottom);
    ASSERT_NE(nullptr, bottom);
    EXPECT_EQ(60, AlphaAt(bottom->GetImage(), 100, 50, 0));
    popup.DestroyWindow();
}

TEST(KitShadowManagerSetting, WithTheSystemSettingOffOnlyFlagOneCastsShadows)
{
    const int before = CountShadowWindows();
    auto* manager = new TestShadowManager(FALSE);
    Popup popup(CRect(100, 100, 200, 150));
    manager->SetShadow(&popup, CRect(0, 0, 0, 0));
    EXPECT_TRUE(manager->GetShadows().empty());
    EXPECT_EQ(before, CountShadowWindows());
    EXPECT_TRUE(CKitHookManager::Instance()->GetHooks(popup).empty());

    manager->SetFlags(CKitShadowManager::kFlagAlways);
    manager->SetShadow(&popup, CRect(0, 0, 0, 0));
    EXPECT_EQ(2u, manager->GetShadows().size());
    EXPECT_EQ(before + 2, CountShadowWindows());
    popup.DestroyWindow();
    manager->InternalRelease();
}

TEST_F(KitShadowManager, ARoundedPopupGetsTheCornerPixel)
{
    Popup popup(CRect(100, 100, 200, 150));
    ::SetWindowRgn(popup, ::CreateRoundRectRgn(0, 0, 101, 51, 8, 8), FALSE);
    manager->SetShadow(&popup, CRect(0, 0, 0, 0));
    EXPECT_EQ(3u, manager->GetShadows().size());
    const ShadowWnd* corner = FindShadow(*manager, popup, CKitShadowManager::kShadowCorner);
    ASSERT_NE(nullptr, corner);
    EXPECT_EQ(CRect(199, 149, 200, 150), RectOf(corner));
    popup.DestroyWindow();
}

TEST_F(KitShadowManager, ShadowsFollowTheirOwnersShowingResizeAndDestruction)
{
    const int before = CountShadowWindows();
    {
        Popup popup(CRect(100, 100, 200, 150), true);
        manager->SetShadow(&popup, CRect(0, 0, 0, 0));
        const ShadowWnd* right = FindShadow(*manager, popup, CKitShadowManager::kShadowRight);
        const ShadowWnd* bottom = FindShadow(*manager, popup, CKitShadowManager::kShadowBottom);
        ASSERT_NE(nullptr, right);
        ASSERT_NE(nullptr, bottom);

        popup.ShowWindow(SW_HIDE);
        EXPECT_FALSE(right->IsWindowVisible());
        EXPECT_FALSE(bottom->IsWindowVisible());
        popup.ShowWindow(SW_SHOWNOACTIVATE);
        EXPECT_TRUE(right->IsWindowVisible());
        EXPECT_TRUE(bottom->IsWindowVisible());

        // The popup grows by 30 and 20: the strips move and grow with it.
        manager->OffsetShadow(&popup, CSize(30, 20));
        EXPECT_EQ(CRect(230, 104, 234, 170), RectOf(right));
        EXPECT_EQ(CRect(104, 170, 234, 174), RectOf(bottom));

        popup.DestroyWindow();
        EXPECT_TRUE(manager->GetShadows().empty());
        EXPECT_EQ(before, CountShadowWindows());
    }
    // Removing them directly unhooks the owner.
    Popup popup(CRect(100, 100, 200, 150));
    manager->SetShadow(&popup, CRect(0, 0, 0, 0));
    manager->RemoveShadow(&popup);
    EXPECT_TRUE(manager->GetShadows().empty());
    EXPECT_TRUE(CKitHookManager::Instance()->GetHooks(popup).empty());
    EXPECT_EQ(before, CountShadowWindows());
}

TEST_F(KitShadowManager, AStripMeetingAnotherOfTheOtherKindIsShortened)
{
    Popup lower(CRect(100, 100, 200, 150));
    manager->SetShadow(&lower, CRect(0, 0, 0, 0));
    // A popup to the left whose right strip would run into the first one's bottom strip.
    Popup left(CRect(0, 60, 102, 152));
    manager->SetShadow(&left, CRect(0, 0, 0, 0));
    const ShadowWnd* right = FindShadow(*manager, left, CKitShadowManager::kShadowRight);
    ASSERT_NE(nullptr, right);
    EXPECT_EQ(CRect(102, 64, 106, 150), RectOf(right));
    left.DestroyWindow();
    lower.DestroyWindow();
}

TEST_F(KitShadowManager, FlagTwoCutsTheControlOutOfTheShadow)
{
    manager->SetFlags(CKitShadowManager::kFlagCutControl);
    Popup popup(CRect(100, 100, 200, 150));
    manager->SetShadow(&popup, CRect(150, 148, 180, 152));
    const ShadowWnd* bottom = FindShadow(*manager, popup, CKitShadowManager::kShadowBottom);
    const ShadowWnd* right = FindShadow(*manager, popup, CKitShadowManager::kShadowRight);
    ASSERT_NE(nullptr, bottom);
    EXPECT_TRUE(bottom->HasRegion());
    EXPECT_FALSE(right->HasRegion());
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, ::GetWindowRgn(*bottom, region));
    EXPECT_FALSE(::PtInRegion(region, 150 - 104, 1));
    EXPECT_TRUE(::PtInRegion(region, 180 - 104, 1));
    ::DeleteObject(region);
    popup.DestroyWindow();
}

} // namespace
