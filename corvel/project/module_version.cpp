#include "corvel/project/module_version.h"

#include <vector>

bool GetModuleProductVersion(LPCSTR moduleName, int& major, int& minor, int& build, int& revision)
{
    major = minor = build = revision = 0;
    const HMODULE module = ::GetModuleHandleA(moduleName);
    if (module == nullptr)
        return false;
    char fileName[MAX_PATH + 1] = {};
    const DWORD length = ::GetModuleFileNameA(module, fileName, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(fileName, &handle);
    if (size == 0 || size >= kVersionBlockLimit)
        return false;
    std::vector<BYTE> block(size);
    if (!::GetFileVersionInfoA(fileName, 0, size, block.data()))
        return false;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoSize = 0;
    if (!::VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &infoSize) || info == nullptr
        || infoSize < sizeof(VS_FIXEDFILEINFO))
        return false;
    major = HIWORD(info->dwProductVersionMS);
    minor = LOWORD(info->dwProductVersionMS);
    build = HIWORD(info->dwProductVersionLS);
    revision = LOWORD(info->dwProductVersionLS);
    return true;
}
