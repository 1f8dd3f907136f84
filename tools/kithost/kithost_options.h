// KitHostThemeOption: the theme kithost starts with, taken from its command line.
#pragma once

#include <cctype>
#include <cstdlib>
#include <string>

// "/theme N" (or "-theme N") on the command line gives theme N; without it, or with no number after it, theme 0.
inline int KitHostThemeOption(const char* pszCommandLine)
{
    const std::string line = pszCommandLine != nullptr ? pszCommandLine : "";
    size_t pos = 0;
    std::string previous;
    while (pos < line.size()) {
        while (pos < line.size() && std::isspace(static_cast<unsigned char>(line[pos])))
            ++pos;
        const size_t end = line.find_first_of(" \t", pos);
        const std::string token = line.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        pos = end == std::string::npos ? line.size() : end;
        if (token.empty())
            break;
        if (previous == "/theme" || previous == "-theme") {
            char* pEnd = nullptr;
            const long nTheme = std::strtol(token.c_str(), &pEnd, 10);
            return *pEnd == '\0' && nTheme >= 0 && nTheme < 100 ? static_cast<int>(nTheme) : 0;
        }
        previous = token;
    }
    return 0;
}
