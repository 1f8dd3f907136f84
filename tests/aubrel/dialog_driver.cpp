#include "dialog_driver.h"

#include <vector>

std::vector<DialogDriver::Step> DialogDriver::s_steps;
size_t DialogDriver::s_next = 0;
bool DialogDriver::s_found = false;
bool DialogDriver::s_timedOut = false;
DWORD DialogDriver::s_started = 0;

namespace {

BOOL CALLBACK CollectDialog(HWND hWnd, LPARAM lParam)
{
    char className[32] = {};
    ::GetClassNameA(hWnd, className, sizeof(className));
    if (::IsWindowVisible(hWnd) && lstrcmpA(className, "#32770") == 0) {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

DialogDriver::DialogDriver(std::vector<Step> steps)
{
    s_steps = std::move(steps);
    s_next = 0;
    s_found = false;
    s_timedOut = false;
    s_started = ::GetTickCount();
    m_timer = ::SetTimer(nullptr, 0, kTickMs, &DialogDriver::OnTick);
}

void DialogDriver::Stop()
{
    ::KillTimer(nullptr, m_timer);
    s_steps.clear();
}

void CALLBACK DialogDriver::OnTick(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = FindDialog();
    if (dialog != nullptr && s_next < s_steps.size()) {
        const Step step = s_steps[s_next++];
        s_found = s_next == s_steps.size();
        step(dialog);
        return;
    }
    if (dialog != nullptr && ::GetTickCount() - s_started > kSafetyMs) {
        s_timedOut = true;
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
}

HWND DialogDriver::FindDialog()
{
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

void DialogDriver::ClickButton(HWND dialog, int id)
{
    ::PostMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void DialogDriver::PressKey(HWND dialog, UINT key)
{
    HWND focus = ::GetFocus();
    HWND target = focus != nullptr && (focus == dialog || ::IsChild(dialog, focus)) ? focus : dialog;
    ::PostMessageA(target, WM_KEYDOWN, key, 1);
    ::PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

void DialogDriver::ClickAt(HWND dialog, int x, int y)
{
    ::PostMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::PostMessageA(dialog, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

std::string DialogDriver::ItemText(HWND dialog, int id)
{
    return WindowText(::GetDlgItem(dialog, id));
}

std::string DialogDriver::WindowText(HWND hWnd)
{
    std::vector<char> text(static_cast<size_t>(::GetWindowTextLengthA(hWnd)) + 1);
    ::GetWindowTextA(hWnd, text.data(), static_cast<int>(text.size()));
    return text.data();
}
