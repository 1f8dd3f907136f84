// aubrel.dll as a caller uses it: loaded by name with LoadLibrary, its functions found with GetProcAddress,
// its dialogs driven as a user would.
#include "aubrel/aubrel.h"
#include "aubrel/res/resource.h"

#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "support/window_screenshot.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

// The names a caller asks for: a 32-bit library exports the decorated stdcall names.
#ifdef _WIN64
#define AUBREL_EXPORT(name, argumentBytes) #name
#else
#define AUBREL_EXPORT(name, argumentBytes) "_" #name "@" #argumentBytes
#endif

namespace {

class Library {
public:
    explicit Library(const char* name) : m_module(::LoadLibraryA(name)) {}
    ~Library()
    {
        if (m_module != nullptr)
            ::FreeLibrary(m_module);
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    HMODULE Handle() const { return m_module; }
    template <typename Proc>
    Proc Find(const char* name) const
    {
        return reinterpret_cast<Proc>(reinterpret_cast<void*>(::GetProcAddress(m_module, name)));
    }
    std::string String(UINT id) const
    {
        char text[1024] = {};
        ::LoadStringA(m_module, id, text, sizeof(text));
        return text;
    }

    // The names in the library's export directory.
    std::vector<std::string> ExportNames() const
    {
        const auto* base = reinterpret_cast<const BYTE*>(m_module);
        const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
        const IMAGE_DATA_DIRECTORY& entry = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
        const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
        const auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
        std::vector<std::string> result;
        for (DWORD i = 0; i < exports->NumberOfNames; ++i)
            result.emplace_back(reinterpret_cast<const char*>(base + names[i]));
        return result;
    }

private:
    HMODULE m_module;
};

class AubrelClient : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, aubrel.Handle()) << "aubrel.dll not found beside the test program";
        showAbout = aubrel.Find<ShowAboutProc>(AUBREL_EXPORT(ShowAbout, 4));
        showAboutExt = aubrel.Find<ShowAboutExtProc>(AUBREL_EXPORT(ShowAboutExt, 8));
        showSplash = aubrel.Find<ShowSplashProc>(AUBREL_EXPORT(ShowSplash, 4));
        getAppVersion = aubrel.Find<GetAppVersionProc>(AUBREL_EXPORT(GetAppVersion, 8));
        ASSERT_TRUE(showAbout && showAboutExt && showSplash && getAppVersion);
    }

    static AboutRecord DemoRecord()
    {
        AboutRecord about = {};
        about.beta = 1;
        about.appName = "Demo";
        about.version = "2.0";
        about.line1 = "Gateway configuration for VQN3x modules";
        about.line2 = "Licensed to: Substation North";
        about.copyrightYears = "2024";
        about.company = nullptr;
        return about;
    }

    static RECT WindowRect(HWND hWnd)
    {
        RECT rect = {};
        ::GetWindowRect(hWnd, &rect);
        return rect;
    }
    static LONG Height(const RECT& rect) { return rect.bottom - rect.top; }
    static LONG Width(const RECT& rect) { return rect.right - rect.left; }
    static POINT Centre(const RECT& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

    Library aubrel{"aubrel.dll"};
    ShowAboutProc showAbout = nullptr;
    ShowAboutExtProc showAboutExt = nullptr;
    ShowSplashProc showSplash = nullptr;
    GetAppVersionProc getAppVersion = nullptr;
};

TEST_F(AubrelClient, ExportsTheFourFunctionsOnly)
{
    std::vector<std::string> names = aubrel.ExportNames();
    std::sort(names.begin(), names.end());
    const std::vector<std::string> expected = {AUBREL_EXPORT(GetAppVersion, 8), AUBREL_EXPORT(ShowAbout, 4),
                                               AUBREL_EXPORT(ShowAboutExt, 8), AUBREL_EXPORT(ShowSplash, 4)};
    EXPECT_EQ(expected, names);
}

TEST_F(AubrelClient, GetAppVersionOfLoadedLibraries)
{
    const struct {
        const char* library;
        const char* expected;
        BOOL result;
    } cases[] = {
        {"version_commas.dll", "1.0.7 Build 1", TRUE},
        {"version_dots.dll", "1.2.3 Build 4", TRUE},
        {"version_five_parts.dll", "1.0.7.1.2", TRUE},
        {"version_none.dll", "", FALSE},
        {"aubrel.dll", "1.0.0 Build 3", TRUE},
    };
    for (const auto& c : cases) {
        Library fixture(c.library);
        ASSERT_NE(nullptr, fixture.Handle()) << c.library;
        char buffer[AUBREL_VERSION_BUFFER] = "untouched";
        EXPECT_EQ(c.result, getAppVersion(buffer, fixture.Handle())) << c.library;
        EXPECT_STREQ(c.expected, buffer) << c.library;
    }
}

TEST_F(AubrelClient, GetAppVersionWithoutTheUsEnglishTableNamesTheError)
{
    Library fixture("version_other_table.dll");
    ASSERT_NE(nullptr, fixture.Handle());
    char buffer[AUBREL_VERSION_BUFFER] = {};
    EXPECT_FALSE(getAppVersion(buffer, fixture.Handle()));
    const std::string text = buffer;
    const std::string prefix = "GetFileVersionInfo Error is ";
    ASSERT_EQ(prefix, text.substr(0, prefix.size())) << text;
    const std::string code = text.substr(prefix.size());
    EXPECT_FALSE(code.empty());
    EXPECT_EQ(std::string::npos, code.find_first_not_of("-0123456789")) << text;
}

TEST_F(AubrelClient, GetAppVersionWritesNoMoreThanTheDocumentedBuffer)
{
    Library fixture("version_long.dll");
    ASSERT_NE(nullptr, fixture.Handle());
    std::string buffer(AUBREL_VERSION_BUFFER + 64, '#');
    EXPECT_TRUE(getAppVersion(&buffer[0], fixture.Handle()));
    EXPECT_EQ(static_cast<size_t>(AUBREL_VERSION_BUFFER - 1), strlen(buffer.c_str()));
    EXPECT_EQ("0.1.2.3.4.5.6.7.8.9.0.1", buffer.substr(0, 23));
    EXPECT_EQ(std::string(64, '#'), buffer.substr(AUBREL_VERSION_BUFFER));
    EXPECT_FALSE(getAppVersion(nullptr, fixture.Handle()));
}

TEST_F(AubrelClient, AboutBoxShowsTheRecord)
{
    AboutRecord about = DemoRecord();
    about.icon = ::LoadIconA(nullptr, IDI_INFORMATION);
    std::string caption, version, line1, line2, company, copyright, libraryVersion;
    bool linkShown = true;
    LONG exStyle = 0;
    HICON icon = nullptr;
    const int result = DialogDriver::Run(
        {[&](HWND dialog) {
            caption = DialogDriver::WindowText(dialog);
            version = DialogDriver::ItemText(dialog, IDC_ABOUT_VERSION);
            line1 = DialogDriver::ItemText(dialog, IDC_ABOUT_LINE1);
            line2 = DialogDriver::ItemText(dialog, IDC_ABOUT_LINE2);
            company = DialogDriver::ItemText(dialog, IDC_ABOUT_COMPANY);
            copyright = DialogDriver::ItemText(dialog, IDC_ABOUT_COPYRIGHT);
            libraryVersion = DialogDriver::ItemText(dialog, IDC_ABOUT_LIBRARY_VERSION);
            linkShown = ::IsWindowVisible(::GetDlgItem(dialog, IDC_ABOUT_LINK)) != FALSE;
            exStyle = ::GetWindowLongA(dialog, GWL_EXSTYLE);
            icon = reinterpret_cast<HICON>(::SendDlgItemMessageA(dialog, IDC_ABOUT_ICON, STM_GETICON, 0, 0));
            DialogDriver::ClickButton(dialog, IDOK);
        }},
        [&] { return showAbout(&about); });
    EXPECT_TRUE(DialogDriver::FoundDialog());
    EXPECT_FALSE(DialogDriver::TimedOut());
    EXPECT_EQ(1, result);
    EXPECT_EQ("About Demo", caption);
    EXPECT_EQ("2.0  ** BETA ** ", version);
    EXPECT_EQ(about.line1, line1);
    EXPECT_EQ(about.line2, line2);
    EXPECT_EQ(aubrel.String(IDS_ABOUT_COMPANY), company) << "a null company keeps the library's text";
    EXPECT_EQ("Copyright \xA9 2024 Korvane. All rights reserved.", copyright);
    EXPECT_EQ("Korvane About Version : 1.0.0 Build 3", libraryVersion);
    EXPECT_FALSE(linkShown);
    EXPECT_NE(0, exStyle & WS_EX_TOPMOST);
    EXPECT_EQ(about.icon, icon);
}

TEST_F(AubrelClient, AboutBoxTextsOfTheRecordReplaceTheLibrarys)
{
    AboutRecord about = DemoRecord();
    about.beta = 0;
    about.version = "3.1 (100%d)";
    about.company = "Acme Controls %s";
    about.copyright = "(c) Acme";
    std::string version, company, copyright, legal;
    const int result = DialogDriver::Run(
        {[&](HWND dialog) {
            version = DialogDriver::ItemText(dialog, IDC_ABOUT_VERSION);
            company = DialogDriver::ItemText(dialog, IDC_ABOUT_COMPANY);
            copyright = DialogDriver::ItemText(dialog, IDC_ABOUT_COPYRIGHT);
            legal = DialogDriver::ItemText(dialog, IDC_ABOUT_LEGAL);
            DialogDriver::PressKey(dialog, VK_ESCAPE);
        }},
        [&] { return showAbout(&about); });
    EXPECT_TRUE(DialogDriver::FoundDialog());
    EXPECT_FALSE(DialogDriver::TimedOut());
    EXPECT_EQ(1, result) << "Escape ends the box too";
    EXPECT_EQ("3.1 (100%d)", version);
    EXPECT_EQ("Acme Controls %s", company);
    EXPECT_EQ("(c) Acme", copyright);
    EXPECT_EQ("", legal) << "the record's copyright replaces the legal notice as well";
}

TEST_F(AubrelClient, AboutBoxDetailsGrowAndShrinkTheBox)
{
    AboutRecord about = DemoRecord();
    about.copyrightYears = "";
    std::string copyright, legal, detailsLabel;
    RECT collapsed = {}, expanded = {}, collapsedAgain = {};
    const int result = DialogDriver::Run(
        {[&](HWND dialog) {
             copyright = DialogDriver::ItemText(dialog, IDC_ABOUT_COPYRIGHT);
             legal = DialogDriver::ItemText(dialog, IDC_ABOUT_LEGAL);
             collapsed = WindowRect(dialog);
             DialogDriver::ClickButton(dialog, IDC_ABOUT_DETAILS);
         },
         [&](HWND dialog) {
             expanded = WindowRect(dialog);
             detailsLabel = DialogDriver::ItemText(dialog, IDC_ABOUT_DETAILS);
             EXPECT_EQ("", SaveWindowScreenshot(dialog, "aubrel-about-details"));
             DialogDriver::ClickButton(dialog, IDC_ABOUT_DETAILS);
         },
         [&](HWND dialog) {
             collapsedAgain = WindowRect(dialog);
             DialogDriver::ClickButton(dialog, IDOK);
         }},
        [&] { return showAbout(&about); });
    EXPECT_TRUE(DialogDriver::FoundDialog());
    EXPECT_FALSE(DialogDriver::TimedOut());
    EXPECT_EQ(1, result);
    EXPECT_EQ("Copyright \xA9 " + aubrel.String(IDS_ABOUT_YEARS) + " Korvane. All rights reserved.", copyright)
        << "empty years take the library's";
    EXPECT_EQ(aubrel.String(IDS_ABOUT_LEGAL), legal);
    EXPECT_GT(Height(expanded), Height(collapsed) + 40);
    EXPECT_EQ(Height(collapsed), Height(collapsedAgain));
    EXPECT_EQ(Width(collapsed), Width(expanded));
    EXPECT_EQ("<< &Details", detailsLabel);
}

TEST_F(AubrelClient, AboutBoxWithoutRecordShowsTheLibrarysTexts)
{
    std::string caption, company;
    const int result = DialogDriver::Run(
        {[&](HWND dialog) {
            caption = DialogDriver::WindowText(dialog);
            company = DialogDriver::ItemText(dialog, IDC_ABOUT_COMPANY);
            DialogDriver::ClickButton(dialog, IDOK);
        }},
        [&] { return showAbout(nullptr); });
    EXPECT_TRUE(DialogDriver::FoundDialog());
    EXPECT_EQ(1, result);
    EXPECT_EQ("About ", caption);
    EXPECT_EQ(aubrel.String(IDS_ABOUT_COMPANY), company);
}

TEST_F(AubrelClient, AboutBoxExtShowsTheLinkOnlyWithBothTexts)
{
    const AboutRecord about = DemoRecord();
    const struct {
        const char* text;
        const char* target;
        bool shown;
    } cases[] = {
        {"Release notes", "C:\\Korvane\\readme.html", true},
        {"Release notes", nullptr, false},
        {nullptr, "C:\\Korvane\\readme.html", false},
    };
    for (const auto& c : cases) {
        const LinkRecord link = {c.text, c.target};
        bool shown = false;
        std::string text;
        LONG style = 0;
        COLORREF colour = CLR_INVALID;
        const int result = DialogDriver::Run(
            {[&](HWND dialog) {
                HWND control = ::GetDlgItem(dialog, IDC_ABOUT_LINK);
                shown = ::IsWindowVisible(control) != FALSE;
                text = DialogDriver::WindowText(control);
                style = ::GetWindowLongA(control, GWL_STYLE);
                HDC dc = ::GetDC(control);
                ::SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                               reinterpret_cast<LPARAM>(control));
                colour = ::GetTextColor(dc);
                ::ReleaseDC(control, dc);
                if (c.shown) {
                    EXPECT_EQ("", SaveWindowScreenshot(dialog, "aubrel-about"));
                }
                DialogDriver::ClickButton(dialog, IDOK);
            }},
            [&] { return showAboutExt(&about, &link); });
        EXPECT_TRUE(DialogDriver::FoundDialog());
        EXPECT_EQ(1, result);
        EXPECT_EQ(c.shown, shown) << (c.text ? c.text : "null") << "|" << (c.target ? c.target : "null");
        if (c.shown) {
            EXPECT_EQ(c.text, text);
            EXPECT_NE(0, style & SS_NOTIFY) << "the link reports clicks";
            EXPECT_EQ(RGB(0, 0, 238), colour) << "the link colour";
        }
    }
}

TEST_F(AubrelClient, AboutBoxIsOwnedByTheCallersActiveWindow)
{
    HWND owner = ::CreateWindowExA(0, "STATIC", "Caller", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                                   nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, owner);
    ::SetActiveWindow(owner);
    const AboutRecord about = DemoRecord();
    HWND dialogOwner = nullptr;
    bool ownerEnabled = true;
    const int result = DialogDriver::Run(
        {[&](HWND dialog) {
            dialogOwner = ::GetWindow(dialog, GW_OWNER);
            ownerEnabled = ::IsWindowEnabled(owner) != FALSE;
            DialogDriver::ClickButton(dialog, IDOK);
        }},
        [&] { return showAbout(&about); });
    EXPECT_EQ(1, result);
    EXPECT_EQ(owner, dialogOwner);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(::IsWindowEnabled(owner));
    ::DestroyWindow(owner);
}

TEST_F(AubrelClient, BetaSplashEndsOnlyByItsButtons)
{
    AboutRecord about = DemoRecord();
    about.company = "2.0.1";
    about.splashBackground = RGB(0, 0, 64);
    const struct {
        int button;
        int expected;
    } cases[] = {{IDOK, AUBREL_SPLASH_OK}, {IDCANCEL, AUBREL_SPLASH_OTHER}};
    for (const auto& c : cases) {
        std::string title, text;
        bool buttonsShown = false;
        bool openAfterClickAndKey = false;
        const int result = DialogDriver::Run(
            {[&](HWND dialog) {
                 title = DialogDriver::ItemText(dialog, IDC_SPLASH_TITLE);
                 text = DialogDriver::ItemText(dialog, IDC_SPLASH_TEXT);
                 buttonsShown = ::IsWindowVisible(::GetDlgItem(dialog, IDOK)) &&
                                ::IsWindowVisible(::GetDlgItem(dialog, IDCANCEL));
                 if (c.button == IDOK) {
                     EXPECT_EQ("", SaveWindowScreenshot(dialog, "aubrel-splash-beta"));
                 }
                 DialogDriver::ClickAt(dialog, 20, 20);
                 ::PostMessageA(dialog, WM_TIMER, 1, 0);
             },
             [&](HWND dialog) {
                 openAfterClickAndKey = ::IsWindowVisible(dialog) != FALSE;
                 DialogDriver::ClickButton(dialog, c.button);
             }},
            [&] { return showSplash(&about); });
        EXPECT_TRUE(DialogDriver::FoundDialog());
        EXPECT_FALSE(DialogDriver::TimedOut());
        EXPECT_EQ(c.expected, result);
        EXPECT_EQ("Demo", title);
        EXPECT_EQ("This is a Beta version of this program. Not for production use and without warranty.\n"
                  "Version: 2.0.1",
                  text);
        EXPECT_TRUE(buttonsShown);
        EXPECT_TRUE(openAfterClickAndKey) << "a click and a timer tick do not end a beta splash";
    }
}

TEST_F(AubrelClient, SplashFitsItsPictureAndEndsOnAClick)
{
    AboutRecord about = DemoRecord();
    about.beta = 0;
    about.company = "2.0.1";
    HDC screen = ::GetDC(nullptr);
    HBITMAP picture = ::CreateCompatibleBitmap(screen, 300, 180);
    ::ReleaseDC(nullptr, screen);

    const struct {
        const char* name;
        HBITMAP bitmap;
        const char* screenshot;
    } cases[] = {{"own picture", nullptr, "aubrel-splash"}, {"caller's picture", picture, nullptr}};
    for (const auto& c : cases) {
        about.splashBitmap = c.bitmap;
        std::string text;
        bool buttonsHidden = false;
        RECT client = {}, window = {};
        const DWORD started = ::GetTickCount();
        const int result = DialogDriver::Run(
            {[&](HWND dialog) {
                text = DialogDriver::ItemText(dialog, IDC_SPLASH_TEXT);
                buttonsHidden = !::IsWindowVisible(::GetDlgItem(dialog, IDOK)) &&
                                !::IsWindowVisible(::GetDlgItem(dialog, IDCANCEL));
                ::GetClientRect(dialog, &client);
                window = WindowRect(dialog);
                if (c.screenshot != nullptr) {
                    EXPECT_EQ("", SaveWindowScreenshot(dialog, c.screenshot));
                }
                DialogDriver::ClickAt(dialog, 30, 30);
            }},
            [&] { return showSplash(&about); });
        const DWORD elapsed = ::GetTickCount() - started;
        EXPECT_TRUE(DialogDriver::FoundDialog()) << c.name;
        EXPECT_EQ(AUBREL_SPLASH_OK, result) << c.name;
        EXPECT_LT(elapsed, 2500u) << c.name << ": the click ended it, not the timer";
        EXPECT_EQ("Version: 2.0.1", text) << c.name;
        EXPECT_TRUE(buttonsHidden) << c.name;
        if (c.bitmap != nullptr) {
            EXPECT_EQ(300, Width(client)) << c.name;
            EXPECT_EQ(180, Height(client)) << c.name;
        }
        const RECT desktop = WindowRect(::GetDesktopWindow());
        EXPECT_NEAR(Centre(desktop).x, Centre(window).x, 1) << c.name;
        EXPECT_NEAR(Centre(desktop).y, Centre(window).y, 1) << c.name;
    }
    ::DeleteObject(picture);
}

TEST_F(AubrelClient, SplashWithoutRecordSaysSo)
{
    std::string text;
    const int result = DialogDriver::Run(
        {[&](HWND dialog) {
            text = DialogDriver::ItemText(dialog, IDC_SPLASH_TEXT);
            DialogDriver::PressKey(dialog, VK_SPACE);
        }},
        [&] { return showSplash(nullptr); });
    EXPECT_TRUE(DialogDriver::FoundDialog());
    EXPECT_EQ(AUBREL_SPLASH_OK, result);
    EXPECT_EQ("Error No Data", text);
}

} // namespace
