// Fail, NoAnswer: the error line the module tools (modcli, monitorcli) print and the exit code it goes with.
#pragma once

#include "framework/strings.h"

#include <cstdio>

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
