// PumpMessages, PumpMode: dispatches the messages waiting on the test's thread.
#pragma once

// How each waiting message is handed over.
enum class PumpMode {
    // Translated and dispatched.
    kDispatch,
    // Offered first to the window objects from its window up, as the framework's modal loop does; the
    // temporary window objects are freed afterwards.
    kPreTranslate,
    // Offered first to the application object, as the program's message loop does.
    kProgram,
};

// Dispatches the messages waiting on this thread; returns when none is left.
void PumpMessages(PumpMode mode = PumpMode::kDispatch);
