#include "toolkit/common/sound_player.h"

#include <mmsystem.h>

namespace {

constexpr DWORD kStopWaitMilliseconds = 100;
constexpr int kStopWaits = 10;
constexpr DWORD kAliasFlags = SND_ALIAS | SND_NODEFAULT | SND_NOWAIT;

} // namespace

CKitSoundPlayer* CKitSoundPlayer::Instance()
{
    static CKitSoundPlayer player;
    return &player;
}

CKitSoundPlayer::CKitSoundPlayer()
    : m_bSoundsOn(TRUE), m_nPendingSound(kSoundNone), m_bMenuSoundsOn(TRUE), m_hThread(nullptr), m_bStop(false),
      m_hEvent(::CreateEventA(nullptr, TRUE, FALSE, nullptr))
{
}

CKitSoundPlayer::~CKitSoundPlayer()
{
    StopThread();
    if (m_hEvent != nullptr)
        ::CloseHandle(m_hEvent);
}

BOOL CKitSoundPlayer::IsThreadRunning() const
{
    DWORD exitCode = 0;
    return m_hThread != nullptr && ::GetExitCodeThread(m_hThread, &exitCode) && exitCode == STILL_ACTIVE;
}

void CKitSoundPlayer::PlaySystemSound(int nSound)
{
    if (!m_bSoundsOn || !m_bMenuSoundsOn)
        return;
    if (!IsThreadRunning())
        StartThread();
    if (m_hThread == nullptr)
        return;
    m_nPendingSound = nSound;
    ::SetEvent(m_hEvent);
}

void CKitSoundPlayer::StartThread()
{
    if (m_hThread != nullptr) {
        ::CloseHandle(m_hThread);
        m_hThread = nullptr;
    }
    m_nPendingSound = kSoundNone;
    m_bStop = false;
    ::ResetEvent(m_hEvent);
    DWORD threadId = 0;
    m_hThread = ::CreateThread(nullptr, 0, ThreadProc, this, CREATE_SUSPENDED, &threadId);
    if (m_hThread == nullptr)
        return;
    ::SetThreadPriority(m_hThread, THREAD_PRIORITY_BELOW_NORMAL);
    ::ResumeThread(m_hThread);
}

// Blocks up to a second for the thread to end, then ends it by force.
void CKitSoundPlayer::StopThread()
{
    if (m_hThread == nullptr)
        return;
    m_bStop = true;
    ::SetEvent(m_hEvent);
    DWORD exitCode = 0;
    for (int wait = 0; wait < kStopWaits && ::GetExitCodeThread(m_hThread, &exitCode) && exitCode == STILL_ACTIVE;
         ++wait)
        ::WaitForSingleObject(m_hThread, kStopWaitMilliseconds);
    if (::GetExitCodeThread(m_hThread, &exitCode) && exitCode == STILL_ACTIVE)
        ::TerminateThread(m_hThread, 0);
    ::CloseHandle(m_hThread);
    m_hThread = nullptr;
}

DWORD WINAPI CKitSoundPlayer::ThreadProc(LPVOID lpParameter)
{
    static_cast<CKitSoundPlayer*>(lpParameter)->Run();
    return 0;
}

void CKitSoundPlayer::Run()
{
    while (!m_bStop) {
        const int sound = m_nPendingSound;
        if (sound == kSoundMenuCommand)
            Play("MenuCommand", kAliasFlags);
        else if (sound == kSoundMenuPopup)
            Play("MenuPopup", kAliasFlags);
        // A request made while the sound played goes with it.
        m_nPendingSound = kSoundNone;
        ::WaitForSingleObject(m_hEvent, INFINITE);
        if (m_bStop)
            break;
        ::ResetEvent(m_hEvent);
    }
    Play(nullptr, SND_PURGE);
}

void CKitSoundPlayer::Play(LPCSTR lpszAlias, DWORD dwFlags)
{
    if (m_playSoundHook)
        m_playSoundHook(lpszAlias, dwFlags);
    else
        ::PlaySoundA(lpszAlias, nullptr, dwFlags);
}
