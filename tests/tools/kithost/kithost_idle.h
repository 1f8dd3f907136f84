// KitHostIdle: a kithost frame brought up to date as after the program's idle turn.
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
