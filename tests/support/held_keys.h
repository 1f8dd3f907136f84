// CHeldKeys: keys held down in the calling thread's keyboard state while the object lives.
#pragma once

#include <windows.h>

#include <cstring>
#include <initializer_list>

class CHeldKeys {
public:
    // The listed virtual keys down; the others as they are.
    explicit CHeldKeys(std::initializer_list<int> down)
    {
        ::GetKeyboardState(m_saved);
        BYTE keys[256];
        std::memcpy(keys, m_saved, sizeof(keys));
        for (int nKey : down)
            keys[nKey & 0xFF] = 0x80;
        ::SetKeyboardState(keys);
    }
    // Ctrl and Shift down or up as asked.
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
