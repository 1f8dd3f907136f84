// RunResult, RunConsoleProgram: a console program of the build run as its own process, its outputs and exit code.
#pragma once

#include "support/test_dirs.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

struct RunResult {
    DWORD exitCode = 0;
    std::string output; // standard output, line ends as "\n"
    std::string errors; // error output, line ends as "\n"
};

// Everything that comes through the pipe, without carriage returns.
inline std::string ReadPipeText(HANDLE pipe)
{
    std::string text;
    char piece[4096];
    DWORD got = 0;
    while (::ReadFile(pipe, piece, sizeof piece, &got, nullptr) && got > 0)
        text.append(piece, got);
    std::string lines;
    for (char c : text)
        if (c != '\r')
            lines += c;
    return lines;
}

// Runs the program (a path below the build folder) with the arguments and waits for it.
inline RunResult RunConsoleProgram(const std::string& program, const std::string& arguments)
{
    RunResult result;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE outRead = nullptr, outWrite = nullptr, errRead = nullptr, errWrite = nullptr;
    if (!::CreatePipe(&outRead, &outWrite, &inherit, 0) || !::CreatePipe(&errRead, &errWrite, &inherit, 0)) {
        ADD_FAILURE() << "no pipes";
        return result;
    }
    ::SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    ::SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);

    std::string command = std::string("\"") + TestBinaryDir() + "\\" + program + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    PROCESS_INFORMATION process = {};
    BOOL started = ::CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                                    &process);
    DWORD error = started ? 0 : ::GetLastError();
    // Under a heavy load the system has been seen to refuse a start once: try once more before failing.
    if (!started) {
        ::Sleep(500);
        started = ::CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                                   &process);
    }
    ::CloseHandle(outWrite);
    ::CloseHandle(errWrite);
    if (!started) {
        ADD_FAILURE() << "cannot start " << command << " (error " << error << ", then " << ::GetLastError() << ")";
    } else {
        // The outputs are small: the pipes hold them while the other is read.
        result.output = ReadPipeText(outRead);
        result.errors = ReadPipeText(errRead);
        ::WaitForSingleObject(process.hProcess, INFINITE);
        ::GetExitCodeProcess(process.hProcess, &result.exitCode);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    ::CloseHandle(outRead);
    ::CloseHandle(errRead);
    return result;
}
