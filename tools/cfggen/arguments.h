// CommandLine, ToolOption, ParseCommandLine: the arguments of a developer tool, positional ones first and
// then options named with "--", each taking a fixed number of values.
#pragma once

#include "framework/strings.h"

#include <map>
#include <string>
#include <vector>

struct ToolOption {
    const char* name; // with its "--"
    int valueCount;
};

struct CommandLine {
    std::vector<CString> positional;
    // The values of each option given, by name; an option given twice keeps the later values.
    std::map<std::string, std::vector<CString>> options;

    bool Has(const char* option) const { return options.count(option) != 0; }
};

// Reads argv[1..argc-1]: positionalCount positional arguments and up to optionalCount more, then any of the
// options. False with the reason in error for a missing or extra argument, an unknown option or an option
// short of values.
bool ParseCommandLine(int argc, char** argv, int positionalCount, const std::vector<ToolOption>& options,
                      CommandLine& line, CString& error, int optionalCount = 0);
