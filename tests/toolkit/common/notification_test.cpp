// The notification connection: who is called, in which order, and what a sink may do during a send.
#include "toolkit/common/notification.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr UINT kEvent = CKitNotificationSourceMT::kEventResourcesReloaded;
constexpr UINT kOtherEvent = 7;

// A sink that notes its name in a shared log and then runs its action.
class LoggingSink : public CKitNotificationSinkMT {
public:
    LoggingSink(std::string* pLog, char name) : m_pLog(pLog), m_name(name) {}
    void OnEvent(UINT nEvent, WPARAM wParam, LPARAM, DWORD) override
    {
        *m_pLog += m_name;
        if (nEvent != kEvent)
            *m_pLog += std::to_string(nEvent);
        lastParam = wParam;
        if (action)
            action();
    }
    std::function<void()> action;
    WPARAM lastParam = 0;

private:
    std::string* m_pLog;
    char m_name;
};

TEST(KitNotification, SendsReachTheSubscribersOfTheEventInOrder)
{
    CKitNotificationSourceMT source;
    std::string log;
    LoggingSink a(&log, 'a');
    LoggingSink b(&log, 'b');
    EXPECT_FALSE(source.SendEvent(kEvent));
    EXPECT_EQ("", log);

    const DWORD_PTR cookieA = source.Subscribe(kEvent, &a);
    source.Subscribe(kOtherEvent, &b);
    source.Subscribe(kEvent, &b);
    EXPECT_TRUE(source.SendEvent(kEvent, 42));
    EXPECT_EQ("ab", log);
    EXPECT_EQ(42u, b.lastParam);
    EXPECT_EQ(0, source.FindSinkByCookie(cookieA));

    log.clear();
    EXPECT_TRUE(source.Unsubscribe(cookieA));
    EXPECT_FALSE(source.Unsubscribe(cookieA));
    EXPECT_EQ(-1, source.FindSinkByCookie(cookieA));
    source.UnsubscribeAll(&b);
    EXPECT_FALSE(source.SendEvent(kEvent));
    EXPECT_EQ("", log);
}

TEST(KitNotification, SinksMayChangeTheListAndThrowDuringASend)
{
    CKitNotificationSourceMT source;
    std::string log;
    LoggingSink a(&log, 'a');
    LoggingSink b(&log, 'b');
    LoggingSink c(&log, 'c');
    source.Subscribe(kEvent, &a);
    const DWORD_PTR cookieB = source.Subscribe(kEvent, &b);
    source.Subscribe(kEvent, &c);

    // a removes b: b is not called in the same send, and the send still counts.
    a.action = [&] { source.Unsubscribe(cookieB); };
    EXPECT_TRUE(source.SendEvent(kEvent));
    EXPECT_EQ("ac", log);

    // A throwing sink does not stop the next one.
    log.clear();
    a.action = [] { throw std::runtime_error("sink failed"); };
    EXPECT_TRUE(source.SendEvent(kEvent));
    EXPECT_EQ("ac", log);

    // A nested send delivers completely before the outer send goes on; a
    // sink subscribed during the send waits for the next one.
    log.clear();
    LoggingSink d(&log, 'd');
    bool nested = false;
    a.action = [&] {
        if (nested)
            return;
        nested = true;
        source.Subscribe(kEvent, &d);
        source.SendEvent(kOtherEvent);
        source.SendEvent(kEvent);
    };
    source.Subscribe(kOtherEvent, &c);
    EXPECT_TRUE(source.SendEvent(kEvent));
    EXPECT_EQ("ac7acdc", log);

    // All removed from inside the send: nothing more is called, the send still counts.
    log.clear();
    a.action = [&] {
        source.UnsubscribeAll(&c);
        source.UnsubscribeAll(&d);
    };
    EXPECT_TRUE(source.SendEvent(kEvent));
    EXPECT_EQ("a", log);
}

// Sends from several threads while another one subscribes and unsubscribes:
// every send reaches the sink that stays subscribed throughout.
TEST(KitNotification, ThreadsSendWhileTheListChanges)
{
    class CountingSink : public CKitNotificationSinkMT {
    public:
        void OnEvent(UINT, WPARAM, LPARAM, DWORD) override { ++count; }
        std::atomic<int> count{0};
    };
    CKitNotificationSourceMT source;
    CountingSink steady;
    CountingSink coming;
    source.Subscribe(kEvent, &steady);
    constexpr int kSends = 2000;
    std::atomic<bool> sending{true};
    std::thread changer([&] {
        while (sending) {
            const DWORD_PTR cookie = source.Subscribe(kEvent, &coming);
            source.Unsubscribe(cookie);
        }
    });
    std::vector<std::thread> senders;
    for (int t = 0; t < 3; ++t) {
        senders.emplace_back([&] {
            for (int i = 0; i < kSends; ++i)
                source.SendEvent(kEvent);
        });
    }
    for (std::thread& sender : senders)
        sender.join();
    sending = false;
    changer.join();
    EXPECT_EQ(3 * kSends, steady.count.load());
}

} // namespace
