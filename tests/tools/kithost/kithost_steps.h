// KitHostIdle, KitHostPressAndRelease: the steps kithost's tests take: an idle turn of the frame, a click of the mouse.
#pragma once

#include "framework/wnd.h"
#include "support/message_pump.h"

// Runs the waiting messages, updates the command states of the frame's bars and paints the frame and its children.
inline void KitHostIdle(CWnd* pFrame)
{
    PumpMessages();
    pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    pFrame->UpdateWindow();
    pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();
}

// Presses the left button at the screen point and releases it at the offset from there, then lets the program
// answer.
inline void KitHostPressAndRelease(CPoint ptScreen, CPoint ptOffset = CPoint(0, 0))
{
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    PumpMessages();
    INPUT inputs[3] = {};
    for (INPUT& input : inputs)
        input.type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_MOVE;
    inputs[1].mi.dx = ptOffset.x;
    inputs[1].mi.dy = ptOffset.y;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(3, inputs, sizeof(INPUT));
    for (int i = 0; i < 20; i++) {
        ::Sleep(10);
        PumpMessages();
    }
}
