// tree_probe: looks at another program's window from outside, for the run command's test.
//
// Usage: tree_probe PROGRAM TITLE ITEM TIMEOUT-MS
//
// Prints "ready" once the desktop is up, then waits (at most TIMEOUT-MS) for a shown
// top-level window titled TITLE of a program whose file name is PROGRAM (Corvel.exe),
// with a tree control that holds an item whose text is ITEM, and prints, in screen pixels (LEFT TOP WIDTH HEIGHT):
//   window L T W H         the window
//   item L T W H           ITEM's label, or "item hidden" when it is scrolled or folded away
//   child TEXT L T W H     each child of ITEM, in order, or "child TEXT hidden"
//   shown
// then waits (at most TIMEOUT-MS again) for that window's program to end and prints "ended".
// Any failure prints "error: WHAT" and ends with status 1.
//
// The tree belongs to another process: its items are read through memory borrowed in that
// process, as the tree's messages carry pointers.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr DWORD kPollMs = 100;
constexpr UINT kMessageTimeoutMs = 5000;
constexpr size_t kTextChars = 1024;

int Fail(const std::string& what)
{
    std::printf("error: %s\n", what.c_str());
    std::fflush(stdout);
    return 1;
}

std::string WindowText(HWND hWnd)
{
    char text[512] = {};
    ::GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

// A block of memory in another process, freed with it.
class RemoteBlock {
public:
    RemoteBlock(HANDLE process, size_t size)
        : m_process(process),
          m_address(::VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))
    {
    }
    ~RemoteBlock()
    {
        if (m_address != nullptr)
            ::VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    char* Address() const { return static_cast<char*>(m_address); }
    bool Write(size_t offset, const void* data, size_t size) const
    {
        return ::WriteProcessMemory(m_process, Address() + offset, data, size, nullptr) != FALSE;
    }
    bool Read(size_t offset, void* data, size_t size) const
    {
        return ::ReadProcessMemory(m_process, Address() + offset, data, size, nullptr) != FALSE;
    }

private:
    HANDLE m_process;
    void* m_address;
};

// A tree control of another process.
class RemoteTree {
public:
    RemoteTree(HWND tree, HANDLE process) : m_tree(tree), m_block(process, sizeof(TVITEMA) + kTextChars) {}

    bool Usable() const { return m_block.Address() != nullptr; }

    HTREEITEM Next(HTREEITEM item, UINT relation) const
    {
        DWORD_PTR result = 0;
        if (!::SendMessageTimeoutA(m_tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item), SMTO_ABORTIFHUNG,
                                   kMessageTimeoutMs, &result))
            return nullptr;
        return reinterpret_cast<HTREEITEM>(result);
    }

    std::string Text(HTREEITEM item) const
    {
        TVITEMA request = {};
        request.mask = TVIF_HANDLE | TVIF_TEXT;
        request.hItem = item;
        request.pszText = m_block.Address() + sizeof(TVITEMA);
        request.cchTextMax = static_cast<int>(kTextChars);
        const char empty = 0;
        DWORD_PTR result = 0;
        if (!m_block.Write(0, &request, sizeof request) || !m_block.Write(sizeof(TVITEMA), &empty, 1) ||
            !::SendMessageTimeoutA(m_tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(m_block.Address()),
                                   SMTO_ABORTIFHUNG, kMessageTimeoutMs, &result) ||
            result == 0)
            return {};
        std::vector<char> text(kTextChars + 1, 0);
        if (!m_block.Read(sizeof(TVITEMA), text.data(), kTextChars))
            return {};
        return text.data();
    }

    // The item's label in screen coordinates; false when it is not in view.
    bool LabelRect(HTREEITEM item, RECT& rect) const
    {
        // The request carries the item in the rectangle's place.
        DWORD_PTR result = 0;
        if (!m_block.Write(0, &item, sizeof item) ||
            !::SendMessageTimeoutA(m_tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(m_block.Address()),
                                   SMTO_ABORTIFHUNG, kMessageTimeoutMs, &result) ||
            result == 0 || !m_block.Read(0, &rect, sizeof rect))
            return false;
        RECT client = {};
        ::GetClientRect(m_tree, &client);
        if (rect.bottom <= client.top || rect.top >= client.bottom)
            return false;
        ::MapWindowPoints(m_tree, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
        return true;
    }

    // The first item, depth first, whose text is text.
    HTREEITEM Find(const std::string& text) const
    {
        std::vector<HTREEITEM> pending;
        for (HTREEITEM item = Next(nullptr, TVGN_ROOT); item != nullptr; item = Next(item, TVGN_NEXT))
            pending.push_back(item);
        while (!pending.empty()) {
            HTREEITEM item = pending.back();
            pending.pop_back();
            if (Text(item) == text)
                return item;
            for (HTREEITEM child = Next(item, TVGN_CHILD); child != nullptr; child = Next(child, TVGN_NEXT))
                pending.push_back(child);
        }
        return nullptr;
    }

private:
    HWND m_tree;
    RemoteBlock m_block;
};

void PrintRect(const char* what, const RECT& rect)
{
    std::printf("%s %ld %ld %ld %ld\n", what, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

struct Search {
    std::string program;
    std::string title;
    std::string item;
    HWND window = nullptr;
    HWND tree = nullptr;
    DWORD processId = 0;
};

// The process's program file name, upper case.
std::string FileNameOf(HANDLE process)
{
    char path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (!::QueryFullProcessImageNameA(process, 0, path, &size))
        return {};
    const char* slash = std::strrchr(path, '\\');
    std::string name = slash != nullptr ? slash + 1 : path;
    ::CharUpperA(&name[0]);
    return name;
}

BOOL CALLBACK CollectTrees(HWND hWnd, LPARAM lParam)
{
    char name[64] = {};
    ::GetClassNameA(hWnd, name, sizeof name);
    if (lstrcmpiA(name, WC_TREEVIEWA) == 0)
        reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}

BOOL CALLBACK FindWindowWithItem(HWND hWnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<Search*>(lParam);
    if (!::IsWindowVisible(hWnd) || WindowText(hWnd) != search->title)
        return TRUE;
    DWORD processId = 0;
    ::GetWindowThreadProcessId(hWnd, &processId);
    HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_OPERATION | PROCESS_VM_READ |
                                       PROCESS_VM_WRITE,
                                   FALSE, processId);
    if (process == nullptr)
        return TRUE;
    // Other programs' windows (test programs with a window of the same title) are not asked.
    if (FileNameOf(process) != search->program) {
        ::CloseHandle(process);
        return TRUE;
    }
    std::vector<HWND> trees;
    ::EnumChildWindows(hWnd, CollectTrees, reinterpret_cast<LPARAM>(&trees));
    for (HWND tree : trees) {
        RemoteTree remote(tree, process);
        if (remote.Usable() && remote.Find(search->item) != nullptr) {
            search->window = hWnd;
            search->tree = tree;
            search->processId = processId;
            break;
        }
    }
    ::CloseHandle(process);
    return search->window == nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5)
        return Fail("usage: tree_probe PROGRAM TITLE ITEM TIMEOUT-MS");
    Search search;
    search.program = argv[1];
    ::CharUpperA(&search.program[0]);
    search.title = argv[2];
    search.item = argv[3];
    const DWORD timeout = static_cast<DWORD>(std::strtoul(argv[4], nullptr, 10));

    // The desktop comes up on this program's display and stays while it runs.
    ::GetDesktopWindow();
    std::printf("ready\n");
    std::fflush(stdout);

    for (DWORD waited = 0; search.window == nullptr; waited += kPollMs) {
        if (waited >= timeout)
            return Fail("no window \"" + search.title + "\" with the item \"" + search.item + "\"");
        ::Sleep(kPollMs);
        ::EnumWindows(FindWindowWithItem, reinterpret_cast<LPARAM>(&search));
    }
    HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | SYNCHRONIZE, FALSE,
                                   search.processId);
    if (process == nullptr)
        return Fail("the window's program cannot be opened");
    {
        RemoteTree tree(search.tree, process);
        RECT rect = {};
        ::GetWindowRect(search.window, &rect);
        PrintRect("window", rect);
        HTREEITEM item = tree.Find(search.item);
        if (item != nullptr && tree.LabelRect(item, rect))
            PrintRect("item", rect);
        else
            std::printf("item hidden\n");
        HTREEITEM first = item != nullptr ? tree.Next(item, TVGN_CHILD) : nullptr;
        for (HTREEITEM child = first; child != nullptr; child = tree.Next(child, TVGN_NEXT)) {
            const std::string what = "child " + tree.Text(child);
            if (tree.LabelRect(child, rect))
                PrintRect(what.c_str(), rect);
            else
                std::printf("%s hidden\n", what.c_str());
        }
        std::printf("shown\n");
        std::fflush(stdout);
    }
    const DWORD ended = ::WaitForSingleObject(process, timeout);
    ::CloseHandle(process);
    if (ended != WAIT_OBJECT_0)
        return Fail("the window's program did not end");
    std::printf("ended\n");
    return 0;
}
