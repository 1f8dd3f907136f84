#include "tools/cfggen/arguments.h"

#include <cstring>

bool ParseCommandLine(int argc, char** argv, int positionalCount, const std::vector<ToolOption>& options,
                      CommandLine& line, CString& error, int optionalCount)
{
    int next = 1;
    for (; next < argc && static_cast<int>(line.positional.size()) < positionalCount + optionalCount; ++next) {
        if (strncmp(argv[next], "--", 2) == 0)
            break;
        line.positional.push_back(argv[next]);
    }
    if (static_cast<int>(line.positional.size()) < positionalCount) {
        error = "missing arguments";
        return false;
    }
    while (next < argc) {
        const char* name = argv[next++];
        const ToolOption* known = nullptr;
        for (const ToolOption& option : options) {
            if (strcmp(option.name, name) == 0)
                known = &option;
        }
        if (known == nullptr) {
            error.Format(strncmp(name, "--", 2) == 0 ? "unknown option %s" : "unexpected argument %s", name);
            return false;
        }
        if (argc - next < known->valueCount) {
            error.Format("%s takes %d value(s)", name, known->valueCount);
            return false;
        }
        std::vector<CString>& values = line.options[name];
        values.assign(argv + next, argv + next + known->valueCount);
        next += known->valueCount;
    }
    return true;
}
