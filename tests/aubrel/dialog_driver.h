// DialogDriver: acts on the modal dialog a call shows on this thread, as a user would, from inside its modal loop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class DialogDriver {
public:
    // One step on the dialog once it is visible; the last one ends it with a posted click, a key or a close.
    using Step = std::function<void(HWND dialog)>;

    // Runs call (which shows a modal dialog on this thread) and the steps on
    // that dialog, one per tick of the driver's timer, so that what a step
    // posts is handled before the next one. A dialog still open kSafetyMs
    // after the call began is ended with IDOK and counted as timed out.
    template <typename Call>
    static auto Run(std::vector<Step> steps, Call call)
    {
        DialogDriver driver(std::move(steps));
        auto result = call();
        driver.Stop();
        return result;
    }

    // Whether the last Run found its dialog and ran every step, and whether the safety time-out had to end it.
    static bool FoundDialog() { return s_found; }
    static bool TimedOut() { return s_timedOut; }

    // The first visible dialog window of this thread, or null.
    static HWND FindDialog();

    // Acting as the user: a click on a button, a key on the dialog, a click on its client area.
    static void ClickButton(HWND dialog, int id);
    static void PressKey(HWND dialog, UINT key);
    static void ClickAt(HWND dialog, int x, int y);
    static std::string ItemText(HWND dialog, int id);
    static std::string WindowText(HWND hWnd);

private:
    explicit DialogDriver(std::vector<Step> steps);
    void Stop();
    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);

    static constexpr UINT kTickMs = 20;
    static constexpr DWORD kSafetyMs = 10000;

    UINT_PTR m_timer = 0;
    static std::vector<Step> s_steps;
    static size_t s_next;
    static bool s_found;
    static bool s_timedOut;
    static DWORD s_started;
};
