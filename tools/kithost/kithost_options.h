// KitHostThemeOption, KitHostRibbonOption: the theme kithost starts with and whether it shows a ribbon, taken from its
// command line.
#pragma once

#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

// The command line's words, split at blanks and tabs.
inline std::vector<std::string> KitHostCommandWords(const char* pszCommandLine)
{
    const std::string line = pszCommandLine != nullptr ? pszCommandLine : "";
    std::vector<std::string> words;
    size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && std::isspace(static_cast<unsigned char>(line[pos])))
            ++pos;
        const size_t end = line.find_first_of(" \t", pos);
        const std::string word = line.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        pos = end == std::string::npos ? line.size() : end;
        if (!word.empty())
            words.push_back(word);
    }
    return words;
}

// "/theme N" (or "-theme N") on the command line gives theme N; without it, or with no number after it, theme 0.
inline int KitHostThemeOption(const char* pszCommandLine)
{
    const std::vector<std::string> words = KitHostCommandWords(pszCommandLine);
    for (size_t i = 0; i < words.size(); i++) {
        if (words[i] != "/theme" && words[i] != "-theme")
            continue;
        if (i + 1 == words.size())
            return 0;
        char* pEnd = nullptr;
        const long nTheme = std::strtol(words[i + 1].c_str(), &pEnd, 10);
        return *pEnd == '\0' && nTheme >= 0 && nTheme < 100 ? static_cast<int>(nTheme) : 0;
    }
    return 0;
}

// "/ribbon" (or "-ribbon") on the command line: the frame carries a ribbon in place of the menu bar and toolbars.
inline bool KitHostRibbonOption(const char* pszCommandLine)
{
    for (const std::string& word : KitHostCommandWords(pszCommandLine)) {
        if (word == "/ribbon" || word == "-ribbon")
            return true;
    }
    return false;
}
