// The folder-browse dialog: its hook, its path buffer and the shell's callback.
#include "toolkit/common/browse_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

class BrowseHook {
public:
    BrowseHook(INT_PTR result, CString chosen)
    {
        m_previous = SetBrowseDialogHook([this, result, chosen](const BrowseDialogRequest& request, CString& out) {
            requests.push_back(request);
            out = chosen;
            return result;
        });
    }
    ~BrowseHook() { SetBrowseDialogHook(std::move(m_previous)); }
    BrowseHook(const BrowseHook&) = delete;
    BrowseHook& operator=(const BrowseHook&) = delete;

    std::vector<BrowseDialogRequest> requests;

private:
    BrowseDialogHook m_previous;
};

TEST(BrowseDialog, TheHookSeesTheRequestAndGivesTheFolder)
{
    BrowseHook hook(IDOK, "C:\\chosen\\folder");
    CKitBrowseDialog dialog;
    dialog.SetSelectedPath("C:\\start");
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_STREQ("C:\\chosen\\folder", dialog.GetSelectedPath());
    ASSERT_EQ(1u, hook.requests.size());
    EXPECT_STREQ("Select Directory:", hook.requests[0].title);
    EXPECT_STREQ("C:\\start", hook.requests[0].initialPath);
    EXPECT_EQ(0x49u, hook.requests[0].flags);

    dialog.SetTitle("Pick one");
    dialog.SetFlags(dialog.GetFlags() | BIF_STATUSTEXT);
    dialog.DoModal();
    EXPECT_STREQ("Pick one", hook.requests[1].title);
    EXPECT_EQ(0x4Du, hook.requests[1].flags);
}

TEST(BrowseDialog, CancelKeepsThePath)
{
    BrowseHook hook(IDCANCEL, "C:\\other");
    CKitBrowseDialog dialog;
    dialog.SetSelectedPath("C:\\start");
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_STREQ("C:\\start", dialog.GetSelectedPath());
}

TEST(BrowseDialog, ThePathBufferStaysTerminated)
{
    CKitBrowseDialog dialog;
    const std::string fits(MAX_PATH - 1, 'a');
    dialog.SetSelectedPath(fits.c_str());
    EXPECT_STREQ(fits.c_str(), dialog.GetSelectedPath());
    dialog.SetSelectedPath(std::string(MAX_PATH + 40, 'b').c_str());
    EXPECT_STREQ(std::string(MAX_PATH - 1, 'b').c_str(), dialog.GetSelectedPath());
    dialog.SetSelectedPath(nullptr);
    EXPECT_STREQ("", dialog.GetSelectedPath());
}

// An item without a file-system path (the computer's drives).
class VirtualFolder {
public:
    VirtualFolder() { ::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &m_item); }
    ~VirtualFolder() { ::ILFree(m_item); }
    VirtualFolder(const VirtualFolder&) = delete;
    VirtualFolder& operator=(const VirtualFolder&) = delete;
    LPCITEMIDLIST Get() const { return m_item; }

private:
    LPITEMIDLIST m_item = nullptr;
};

TEST(BrowseDialog, TheChosenItemGivesItsPathOrANetworkComputer)
{
    char windows[MAX_PATH] = {};
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    LPITEMIDLIST folder = ::ILCreateFromPathA(windows);
    ASSERT_NE(nullptr, folder);
    CKitBrowseDialog dialog;
    EXPECT_EQ(IDOK, dialog.TakeChosenItem(folder));
    EXPECT_STREQ(windows, dialog.GetSelectedPath());
    ::ILFree(folder);

    VirtualFolder drives;
    ASSERT_NE(nullptr, drives.Get());
    dialog.SetSelectedPath("SERVER");
    EXPECT_EQ(IDCANCEL, dialog.TakeChosenItem(drives.Get()));
    dialog.SetFlags(dialog.GetFlags() | BIF_BROWSEFORCOMPUTER);
    EXPECT_EQ(IDOK, dialog.TakeChosenItem(drives.Get()));
    EXPECT_STREQ("\\\\SERVER", dialog.GetSelectedPath());
    dialog.SetSelectedPath("");
    EXPECT_EQ(IDCANCEL, dialog.TakeChosenItem(drives.Get()));
}

TEST(BrowseDialog, ANetworkNameTooLongForTheBufferCancels)
{
    VirtualFolder drives;
    ASSERT_NE(nullptr, drives.Get());
    CKitBrowseDialog dialog;
    dialog.SetFlags(dialog.GetFlags() | BIF_BROWSEFORCOMPUTER);
    const std::string fits(MAX_PATH - 3, 'n');
    dialog.SetSelectedPath(fits.c_str());
    EXPECT_EQ(IDOK, dialog.TakeChosenItem(drives.Get()));
    EXPECT_EQ(MAX_PATH - 1, dialog.GetSelectedPath().GetLength());
    EXPECT_STREQ(("\\\\" + fits).c_str(), dialog.GetSelectedPath());

    const std::string tooLong(MAX_PATH - 2, 'n');
    dialog.SetSelectedPath(tooLong.c_str());
    EXPECT_EQ(IDCANCEL, dialog.TakeChosenItem(drives.Get()));
    EXPECT_STREQ(tooLong.c_str(), dialog.GetSelectedPath());
}

// A window standing in for the shell's browser: it keeps the texts it is told to select or show.
struct BrowserMessages {
    std::vector<std::pair<UINT, CString>> received;
};

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == BFFM_SETSELECTIONA || message == BFFM_SETSTATUSTEXTA) {
        auto* messages = reinterpret_cast<BrowserMessages*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        messages->received.emplace_back(message, CString(reinterpret_cast<LPCSTR>(lParam)));
        return 0;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

class BrowseCallback : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = RecordingProc;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "KorvaneBrowserStandIn";
        ::RegisterClassA(&windowClass);
        browser = ::CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    windowClass.hInstance, nullptr);
        ASSERT_NE(nullptr, browser);
        ::SetWindowLongPtrA(browser, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&messages));
    }
    void TearDown() override { ::DestroyWindow(browser); }

    int Call(CKitBrowseDialog& dialog, UINT message, LPARAM parameter)
    {
        return CKitBrowseDialog::BrowseCallbackProc(browser, message, parameter, reinterpret_cast<LPARAM>(&dialog));
    }

    HWND browser = nullptr;
    BrowserMessages messages;
};

TEST_F(BrowseCallback, StartSelectsThePathOrTheCurrentFolder)
{
    CKitBrowseDialog dialog;
    dialog.SetSelectedPath("C:\\windows");
    EXPECT_EQ(0, Call(dialog, BFFM_INITIALIZED, 0));
    dialog.SetSelectedPath("");
    Call(dialog, BFFM_INITIALIZED, 0);
    char current[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, current);
    ASSERT_EQ(2u, messages.received.size());
    EXPECT_EQ(static_cast<UINT>(BFFM_SETSELECTIONA), messages.received[0].first);
    EXPECT_STREQ("C:\\windows", messages.received[0].second);
    EXPECT_STREQ(current, messages.received[1].second);
}

TEST_F(BrowseCallback, SelectionShowsItsPathOnlyWithStatusText)
{
    char windows[MAX_PATH] = {};
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    LPITEMIDLIST item = ::ILCreateFromPathA(windows);
    ASSERT_NE(nullptr, item);
    CKitBrowseDialog dialog;
    EXPECT_EQ(0, Call(dialog, BFFM_SELCHANGED, reinterpret_cast<LPARAM>(item)));
    EXPECT_TRUE(messages.received.empty());
    dialog.SetFlags(dialog.GetFlags() | BIF_STATUSTEXT);
    Call(dialog, BFFM_SELCHANGED, reinterpret_cast<LPARAM>(item));
    ::ILFree(item);
    ASSERT_EQ(1u, messages.received.size());
    EXPECT_EQ(static_cast<UINT>(BFFM_SETSTATUSTEXTA), messages.received[0].first);
    EXPECT_STREQ(windows, messages.received[0].second);
}

} // namespace
