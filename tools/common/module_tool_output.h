// Fail, NoAnswer, RunModuleTool: the error line the module tools (modcli, monitorcli) print, the exit code it goes
// with, and the tools' start.
#pragma once

#include "framework/strings.h"

#include <objbase.h>

#include <cstdio>
#include <vector>

// Prints text as one line on the error output; the exit code of a failed operation.
inline int Fail(const CString& text)
{
    fprintf(stderr, "%s\n", (LPCSTR)text);
    return 1;
}

// The error of a module that did not answer.
inline CString NoAnswer(const CString& address)
{
    return "Error: no answer from the module at " + address;
}

// Runs run(ADDRESS, the operation and its words) with COM started for the replies; usage() when either is missing.
template <class Usage, class Run>
int RunModuleTool(int argc, char** argv, const char* tool, Usage usage, Run run)
{
    if (argc < 3)
        return usage();
    const std::vector<CString> args(argv + 2, argv + argc);
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return Fail(CString(tool) + ": COM cannot be started");
    const int result = run(CString(argv[1]), args);
    fflush(stdout);
    ::CoUninitialize();
    return result;
}
