// The menu sound player: its switches, its thread and the request dropped while a sound plays.
#include "toolkit/common/sound_player.h"

#include <mmsystem.h>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

namespace {

constexpr DWORD kWaitMilliseconds = 5000;
constexpr DWORD kRetryMilliseconds = 50;

// Stands in for PlaySoundA: records each alias and can hold the player's thread while a sound "plays".
class RecordedSounds {
public:
    RecordedSounds()
        : m_started(::CreateEventA(nullptr, FALSE, FALSE, nullptr)),
          m_release(::CreateEventA(nullptr, TRUE, TRUE, nullptr))
    {
    }
    ~RecordedSounds()
    {
        ::CloseHandle(m_started);
        ::CloseHandle(m_release);
    }
    RecordedSounds(const RecordedSounds&) = delete;
    RecordedSounds& operator=(const RecordedSounds&) = delete;

    CKitSoundPlayer::PlaySoundHook Hook()
    {
        return [this](LPCSTR alias, DWORD flags) {
            if (alias == nullptr) {
                m_purged = (flags & SND_PURGE) != 0;
                return;
            }
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_played.emplace_back(alias);
            }
            ::SetEvent(m_started);
            ::WaitForSingleObject(m_release, kWaitMilliseconds);
        };
    }
    void Hold() { ::ResetEvent(m_release); }
    void Release() { ::SetEvent(m_release); }

    // Asks for the sound until the player's thread takes it (a request made
    // while the thread is between sounds may be dropped, as the player allows).
    bool PlayAndWait(CKitSoundPlayer& player, int sound)
    {
        for (DWORD waited = 0; waited < kWaitMilliseconds; waited += kRetryMilliseconds) {
            player.PlaySystemSound(sound);
            if (::WaitForSingleObject(m_started, kRetryMilliseconds) == WAIT_OBJECT_0)
                return true;
        }
        return false;
    }

    bool Purged() const { return m_purged; }

    std::vector<std::string> Played()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_played;
    }

private:
    HANDLE m_started;
    HANDLE m_release;
    std::mutex m_mutex;
    std::vector<std::string> m_played;
    std::atomic<bool> m_purged{false};
};

TEST(KitSoundPlayer, WithEitherSwitchOffNoThreadStarts)
{
    for (int off = 0; off < 2; ++off) {
        CKitSoundPlayer player;
        RecordedSounds sounds;
        player.SetPlaySoundHook(sounds.Hook());
        if (off == 0)
            player.EnableSounds(FALSE);
        else
            player.EnableMenuSounds(FALSE);
        player.PlaySystemSound(CKitSoundPlayer::kSoundMenuCommand);
        player.PlaySystemSound(CKitSoundPlayer::kSoundMenuPopup);
        EXPECT_FALSE(player.IsThreadRunning());
        EXPECT_TRUE(sounds.Played().empty());
    }
}

TEST(KitSoundPlayer, PlaysOnItsThreadAndDropsARequestMadeWhileASoundPlays)
{
    RecordedSounds sounds;
    {
        CKitSoundPlayer player;
        player.SetPlaySoundHook(sounds.Hook());
        sounds.Hold();
        ASSERT_TRUE(sounds.PlayAndWait(player, CKitSoundPlayer::kSoundMenuPopup));
        EXPECT_TRUE(player.IsThreadRunning());
        player.PlaySystemSound(CKitSoundPlayer::kSoundMenuCommand);
        sounds.Release();
        ASSERT_TRUE(sounds.PlayAndWait(player, CKitSoundPlayer::kSoundMenuPopup));
    }
    const std::vector<std::string> expected = {"MenuPopup", "MenuPopup"};
    EXPECT_EQ(expected, sounds.Played());
}

TEST(KitSoundPlayer, ItsThreadPurgesTheSoundsAndEndsWhenThePlayerGoes)
{
    RecordedSounds sounds;
    {
        CKitSoundPlayer player;
        player.SetPlaySoundHook(sounds.Hook());
        ASSERT_TRUE(sounds.PlayAndWait(player, CKitSoundPlayer::kSoundMenuCommand));
        EXPECT_TRUE(player.IsThreadRunning());
        EXPECT_FALSE(sounds.Purged());
    }
    EXPECT_TRUE(sounds.Purged());
    EXPECT_EQ(std::vector<std::string>{"MenuCommand"}, sounds.Played());
}

} // namespace
