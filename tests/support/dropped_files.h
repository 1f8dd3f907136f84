// MakeDrop: a drop handle of files, as the shell hands it to a window that accepts dropped files.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

// The receiver releases it (DragFinish).
inline HDROP MakeDrop(const std::vector<std::string>& files)
{
    size_t bytes = sizeof(DROPFILES) + 1;
    for (const std::string& file : files)
        bytes += file.size() + 1;
    HGLOBAL memory = ::GlobalAlloc(GHND, bytes);
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    char* names = reinterpret_cast<char*>(drop) + sizeof(DROPFILES);
    for (const std::string& file : files) {
        std::memcpy(names, file.c_str(), file.size() + 1);
        names += file.size() + 1;
    }
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}
