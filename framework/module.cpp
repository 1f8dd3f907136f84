#include "framework/module.h"

#include "framework/file.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// Longest path GetModuleFileName can return.
constexpr DWORD kMaxModulePath = 32768;

CApplicationLink* g_link = nullptr;
HINSTANCE g_hResource = nullptr;

} // namespace

CApplicationLink* AfxSetApplicationLink(CApplicationLink* link)
{
    return std::exchange(g_link, link);
}

CApplicationLink* AfxGetApplicationLink()
{
    return g_link;
}

HWND AfxGetMessageBoxOwner()
{
    return g_link != nullptr ? g_link->GetMessageBoxOwner() : nullptr;
}

LPCSTR AfxGetAppName()
{
    if (g_link != nullptr) {
        if (LPCSTR name = g_link->GetLinkedAppName())
            return name;
    }
    static const CString programName = AfxGetProgramName();
    return programName;
}

HINSTANCE AfxGetInstanceHandle()
{
    return g_link != nullptr ? g_link->GetLinkedInstanceHandle() : ::GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    return g_hResource != nullptr ? g_hResource : ::GetModuleHandleA(nullptr);
}

void AfxSetResourceHandle(HINSTANCE hInstResource)
{
    g_hResource = hInstResource;
}

CString AfxGetModuleFileName()
{
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size() || buffer.size() >= kMaxModulePath)
            return CString(buffer.data(), static_cast<int>(std::min<size_t>(length, buffer.size() - 1)));
        buffer.resize(buffer.size() * 2);
    }
}

CString AfxGetProgramName()
{
    CString name = AfxGetModuleFileName();
    name = name.Mid(name.ReverseFind('\\') + 1);
    const int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}

CString GetProgramFolder()
{
    return FolderPartOfPath(AfxGetModuleFileName());
}
