// ClipboardLock: one test program at a time uses the clipboard, which all programs of the Wine prefix share.
#pragma once

#include <windows.h>

// Held for a test's lifetime; other test programs wait for it.
class ClipboardLock {
public:
    ClipboardLock() : m_mutex(::CreateMutexA(nullptr, FALSE, "KorvaneTestClipboard"))
    {
        if (m_mutex != nullptr)
            ::WaitForSingleObject(m_mutex, INFINITE);
    }
    ~ClipboardLock()
    {
        if (m_mutex != nullptr) {
            ::ReleaseMutex(m_mutex);
            ::CloseHandle(m_mutex);
        }
    }
    ClipboardLock(const ClipboardLock&) = delete;
    ClipboardLock& operator=(const ClipboardLock&) = delete;

private:
    HANDLE m_mutex;
};
