// The splash's timer through its seam: the intervals it asks for, what a tick does, and a timer that cannot start.
#include "aubrel/aubrel.h"
#include "aubrel/res/resource.h"
#include "aubrel/splash_dlg.h"

#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "support/message_box_recorder.h"

#include <vector>

namespace {

// Records the timers the splash starts instead of starting them; the test ticks by hand.
class TimerRecorder {
public:
    struct Call {
        UINT_PTR id;
        UINT elapse;
    };

    explicit TimerRecorder(UINT_PTR answer = CSplashDlg::kTimerId)
    {
        m_previous = CSplashDlg::SetTimerStarter([this, answer](HWND, UINT_PTR id, UINT elapse) {
            m_calls.push_back({id, elapse});
            return answer;
        });
    }
    ~TimerRecorder() { CSplashDlg::SetTimerStarter(std::move(m_previous)); }
    TimerRecorder(const TimerRecorder&) = delete;
    TimerRecorder& operator=(const TimerRecorder&) = delete;

    const std::vector<Call>& Calls() const { return m_calls; }

private:
    CSplashDlg::TimerStarter m_previous;
    std::vector<Call> m_calls;
};

void Tick(HWND dialog)
{
    ::PostMessageA(dialog, WM_TIMER, CSplashDlg::kTimerId, 0);
}

AboutRecord Record(bool beta)
{
    AboutRecord about = {};
    about.beta = beta ? 1 : 0;
    about.appName = "Demo";
    about.company = "2.0.1";
    return about;
}

TEST(Splash, WithoutBetaTheThreeSecondTimerEndsItWithOK)
{
    TimerRecorder timers;
    const AboutRecord about = Record(false);
    const int result = DialogDriver::Run({Tick}, [&] { return ShowSplash(&about); });
    EXPECT_TRUE(DialogDriver::FoundDialog());
    EXPECT_FALSE(DialogDriver::TimedOut());
    EXPECT_EQ(AUBREL_SPLASH_OK, result);
    ASSERT_EQ(1u, timers.Calls().size());
    EXPECT_EQ(1u, timers.Calls()[0].id);
    EXPECT_EQ(3000u, timers.Calls()[0].elapse);
}

TEST(Splash, WithoutBetaAClickOrAKeyEndsItAndCancelDoesNothing)
{
    const AboutRecord about = Record(false);
    const struct {
        const char* name;
        DialogDriver::Step user;
    } cases[] = {
        {"left click", [](HWND dialog) { DialogDriver::ClickAt(dialog, 40, 40); }},
        {"right click", [](HWND dialog) { ::PostMessageA(dialog, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5)); }},
        {"key", [](HWND dialog) { DialogDriver::PressKey(dialog, 'A'); }},
        {"escape", [](HWND dialog) { DialogDriver::PressKey(dialog, VK_ESCAPE); }},
    };
    for (const auto& c : cases) {
        TimerRecorder timers;
        bool openAfterCancel = false;
        const int result = DialogDriver::Run(
            {[](HWND dialog) { ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); },
             [&](HWND dialog) {
                 openAfterCancel = ::IsWindowVisible(dialog) != FALSE;
                 c.user(dialog);
             }},
            [&] { return ShowSplash(&about); });
        EXPECT_TRUE(DialogDriver::FoundDialog()) << c.name;
        EXPECT_FALSE(DialogDriver::TimedOut()) << c.name;
        EXPECT_TRUE(openAfterCancel) << c.name;
        EXPECT_EQ(AUBREL_SPLASH_OK, result) << c.name;
    }
}

TEST(Splash, WithBetaTheTimerTicksWithoutEndingIt)
{
    TimerRecorder timers;
    const AboutRecord about = Record(true);
    bool openAfterTicks = false;
    const int result = DialogDriver::Run({[](HWND dialog) {
                                              Tick(dialog);
                                              Tick(dialog);
                                          },
                                          [&](HWND dialog) {
                                              openAfterTicks = ::IsWindowVisible(dialog) != FALSE;
                                              DialogDriver::PressKey(dialog, VK_ESCAPE);
                                          }},
                                         [&] { return ShowSplash(&about); });
    EXPECT_TRUE(DialogDriver::FoundDialog());
    EXPECT_TRUE(openAfterTicks);
    EXPECT_EQ(AUBREL_SPLASH_OTHER, result) << "Escape is Cancel";
    ASSERT_EQ(1u, timers.Calls().size());
    EXPECT_EQ(400u, timers.Calls()[0].elapse);
}

TEST(Splash, ATimerThatCannotStartIsReportedAndEndsTheSplashWithOK)
{
    for (const bool beta : {false, true}) {
        TimerRecorder timers(0);
        MessageBoxRecorder boxes;
        const AboutRecord about = Record(beta);
        const int result = DialogDriver::Run({}, [&] { return ShowSplash(&about); });
        EXPECT_EQ(AUBREL_SPLASH_OK, result) << beta;
        ASSERT_EQ(1u, boxes.Count()) << beta;
        EXPECT_STREQ("could not Start Splash Timmer", boxes.Last().text);
        EXPECT_STREQ("Korvane", boxes.Last().caption);
    }
}

TEST(Splash, TextOfTheRecord)
{
    AboutRecord about = Record(false);
    EXPECT_STREQ("Version: 2.0.1", CSplashDlg::SplashText(&about));
    about.company = nullptr;
    EXPECT_STREQ("Version: ", CSplashDlg::SplashText(&about));
    about.beta = 1;
    EXPECT_STREQ("This is a Beta version of this program. Not for production use and without warranty.\nVersion: ",
                 CSplashDlg::SplashText(&about));
    EXPECT_STREQ("Error No Data", CSplashDlg::SplashText(nullptr));
}

} // namespace
