// Stopwatch: milliseconds since it started, for tests that bound how long a call takes.
#pragma once

#include <windows.h>

class Stopwatch {
public:
    Stopwatch() : m_start(::GetTickCount64()) {}
    ULONGLONG ElapsedMs() const { return ::GetTickCount64() - m_start; }

private:
    ULONGLONG m_start;
};
