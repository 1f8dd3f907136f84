#include "support/message_pump.h"

#include "framework/winapp.h"
#include "framework/wnd.h"

#include <windows.h>

namespace {

// Whether a window object or the application took msg before it is dispatched.
bool IsPreTranslated(PumpMode mode, MSG& msg)
{
    switch (mode) {
    case PumpMode::kPreTranslate:
        return CWnd::WalkPreTranslateTree(nullptr, &msg);
    case PumpMode::kProgram:
        return AfxGetApp()->PreTranslateMessage(&msg);
    case PumpMode::kDispatch:
        break;
    }
    return false;
}

} // namespace

void PumpMessages(PumpMode mode)
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!IsPreTranslated(mode, msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    if (mode == PumpMode::kPreTranslate)
        CWnd::DeleteTempMap();
}
