// TempFolder: a fresh folder under the system temp folder, named after the test program, removed with its contents.
#pragma once

#include "framework/strings.h"
#include "support/test_program.h"

#include <windows.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <vector>

// Removes a folder with everything in it (read-only files included).
inline void RemoveFolderTree(const CString& path)
{
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA(path + "\\*", &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const CString name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const CString child = path + "\\" + name;
            ::SetFileAttributesA(child, FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolderTree(child);
            else
                ::DeleteFileA(child);
        } while (::FindNextFileA(find, &found));
        ::FindClose(find);
    }
    ::RemoveDirectoryA(path);
}

// The names of the files and folders in folder, in the order the system lists them.
inline std::vector<std::string> FolderContents(const CString& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA(folder + "\\*", &found);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (::FindNextFileA(find, &found));
    ::FindClose(find);
    return names;
}

class TempFolder {
public:
    TempFolder()
    {
        static std::atomic<unsigned> counter{0};
        char base[MAX_PATH + 1] = {};
        if (::GetTempPathA(MAX_PATH, base) == 0)
            throw std::runtime_error("no temp folder");
        m_path.Format("%skorvane-%s-%lu-%u", base, (LPCSTR)TestProgramName(), ::GetCurrentProcessId(), counter++);
        RemoveFolderTree(m_path);
        if (!::CreateDirectoryA(m_path, nullptr))
            throw std::runtime_error("cannot create the temp folder");
    }
    ~TempFolder() { RemoveFolderTree(m_path); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const CString& Path() const { return m_path; }
    CString File(LPCSTR name) const { return m_path + "\\" + name; }

private:
    CString m_path;
};
