// CHeldKeys: Ctrl and Shift held down in the calling thread's keyboard state while the object lives.
#pragma once

#include <windows.h>

#include <cstring>

class CHeldKeys {
public:
    CHeldKeys(bool bCtrl, bool bShift)
    {
        ::GetKeyboardState(m_saved);
        BYTE keys[256];
        std::memcpy(keys, m_saved, sizeof(keys));
        keys[VK_CONTROL] = bCtrl ? 0x80 : 0;
        keys[VK_SHIFT] = bShift ? 0x80 : 0;
        ::SetKeyboardState(keys);
    }
    ~CHeldKeys() { ::SetKeyboardState(m_saved); }
    CHeldKeys(const CHeldKeys&) = delete;
    CHeldKeys& operator=(const CHeldKeys&) = delete;

private:
    BYTE m_saved[256];
};
