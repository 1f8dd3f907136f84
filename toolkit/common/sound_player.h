// CKitSoundPlayer: plays the system's menu sounds on a thread of its own so that the GUI never waits.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>

class CKitSoundPlayer {
public:
    enum Sound { kSoundNone = 0, kSoundMenuCommand = 1, kSoundMenuPopup = 2 };
    // A seam in front of PlaySoundA (alias null: the purge at the end).
    using PlaySoundHook = std::function<void(LPCSTR lpszAlias, DWORD dwFlags)>;

    // The process-wide player; its thread stops at process exit.
    static CKitSoundPlayer* Instance();

    CKitSoundPlayer();
    ~CKitSoundPlayer();
    CKitSoundPlayer(const CKitSoundPlayer&) = delete;
    CKitSoundPlayer& operator=(const CKitSoundPlayer&) = delete;

    // Hands the sound to the player's thread (started when it is not running)
    // and returns at once; nothing while either switch is off. A request that
    // arrives while a sound plays is dropped.
    void PlaySystemSound(int nSound);

    void EnableSounds(BOOL bEnable) { m_bSoundsOn = bEnable; }
    void EnableMenuSounds(BOOL bEnable) { m_bMenuSoundsOn = bEnable; }
    BOOL IsThreadRunning() const;
    void SetPlaySoundHook(PlaySoundHook hook) { m_playSoundHook = std::move(hook); }

private:
    void StartThread();
    void StopThread();
    static DWORD WINAPI ThreadProc(LPVOID lpParameter);
    void Run();
    void Play(LPCSTR lpszAlias, DWORD dwFlags);

    BOOL m_bSoundsOn;
    std::atomic<int> m_nPendingSound;
    BOOL m_bMenuSoundsOn;
    HANDLE m_hThread;
    std::atomic<bool> m_bStop;
    HANDLE m_hEvent;
    PlaySoundHook m_playSoundHook;
};
