// Stopwatch: milliseconds since it started, for tests that bound how long a call takes.
#pragma once

#include <windows.h>

// What a loaded machine may add to the time a bounded call takes. A bound on elapsed time allows it, so
// that it fails a call that waits for the wrong limit or for ever, never a slow but right one.
constexpr ULONGLONG kLoadSlackMs = 4000;

class Stopwatch {
public:
    Stopwatch() : m_start(::GetTickCount64()) {}
    ULONGLONG ElapsedMs() const { return ::GetTickCount64() - m_start; }

private:
    ULONGLONG m_start;
};
