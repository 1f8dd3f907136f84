// The resource manager: the module in front of the program's resources, languages and code pages.
#include "toolkit/common/resources.h"

#include "framework/gdi.h"
#include "framework/menu.h"
#include "support/message_box_recorder.h"
#include "test_module.h"
#include "toolkit/common/toolkit_ids.h"

#include <gtest/gtest.h>

#include <set>

namespace {

class KitResources : public ::testing::Test {
protected:
    ScopedResourceModule module;
    CKitResourceManager manager;
};

TEST_F(KitResources, StringsComeFromTheModuleBlockAndEntryThenFromTheProgram)
{
    ASSERT_NE(nullptr, module.Get());
    struct Case {
        UINT id;
        const char* expected;
    };
    const Case cases[] = {
        {IDS_MODULE_STRING, "Module string 0x1234"},            // block 0x124, entry 4
        {IDS_MODULE_OTHER_STRING, "Module string 0x1236"},      // block 0x124, entry 6
        {IDS_MODULE_EMPTY_ENTRY, "Application string 0x1235"},  // empty entry of the module's block
        {IDS_APP_ONLY, "Application string 0x1237"},
        {IDS_KIT_SELECTDIRECTORY, "Select Directory:"},         // the toolkit's own resources
    };
    for (const Case& c : cases) {
        CString text;
        EXPECT_TRUE(manager.LoadString(text, c.id)) << c.id;
        EXPECT_STREQ(c.expected, text) << c.id;
    }
    BOOL failed = FALSE;
    EXPECT_STREQ("", manager.LoadStringOrEmpty(0x1999, &failed));
    EXPECT_TRUE(failed);
    EXPECT_STREQ("Module string 0x1234", manager.LoadStringOrEmpty(IDS_MODULE_STRING, &failed));
    EXPECT_FALSE(failed);

    KitSetResourceModule(nullptr);
    CString text;
    EXPECT_TRUE(manager.LoadString(text, IDS_MODULE_STRING));
    EXPECT_STREQ("Application string 0x1234", text);
}

TEST_F(KitResources, ModuleTextsAreConvertedWithTheLanguagesCodePage)
{
    manager.SelectLanguage(0x419);
    CString russian;
    ASSERT_TRUE(manager.LoadString(russian, IDS_MODULE_RUSSIAN));
    EXPECT_STREQ("\xCF\xF0\xE8\xE2\xE5\xF2", russian);
    EXPECT_EQ(204, manager.GetFontCharset());
    EXPECT_EQ(1251u, manager.GetLanguageInfo().nCodePage);
}

TEST_F(KitResources, AnUnknownLanguageFallsBackToUSEnglishWithTheSystemCodePage)
{
    manager.SelectLanguage(0x1234);
    EXPECT_EQ(0x409, manager.GetLanguageId());
    EXPECT_EQ(0u, manager.GetLanguageInfo().nCodePage);
    EXPECT_STREQ("English (United States)", manager.GetLanguageInfo().lpszCaption);
    EXPECT_EQ(0, manager.GetFontCharset());
}

TEST_F(KitResources, TheFontCharsetIsTheIconFontsUntilALanguageIsSelected)
{
    LOGFONTA iconFont = {};
    ::SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof(iconFont), &iconFont, 0);
    EXPECT_EQ(iconFont.lfCharSet, manager.GetFontCharset());
    manager.SelectLanguage(0x408);
    EXPECT_EQ(161, manager.GetFontCharset());
}

TEST_F(KitResources, HebrewAndArabicMessageBoxesReadRightToLeft)
{
    MessageBoxRecorder boxes;
    struct Case {
        WORD language;
        bool rightToLeft;
    };
    const Case cases[] = {{0x40D, true}, {0x401, true}, {0x409, false}, {0x419, false}};
    for (const Case& c : cases) {
        manager.SelectLanguage(c.language);
        EXPECT_EQ(IDOK, manager.ShowMessageBox("Text", MB_OK | MB_ICONINFORMATION));
        ASSERT_GT(boxes.Count(), 0u);
        EXPECT_STREQ("Text", boxes.Last().text);
        EXPECT_EQ(c.rightToLeft, (boxes.Last().type & MB_RTLREADING) != 0) << c.language;
        EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), boxes.Last().type & MB_ICONMASK);
    }
}

TEST_F(KitResources, DetectsTheFirstLanguageOtherThanUSEnglish)
{
    manager.DetectModuleLanguage();
    EXPECT_EQ(0x419, manager.GetLanguageId());
    KitSetResourceModule(nullptr);
    manager.DetectModuleLanguage();
    EXPECT_EQ(0x409, manager.GetLanguageId());
}

TEST_F(KitResources, MenusBitmapsCursorsIconsTextsAndDialogs)
{
    CMenu moduleMenu;
    ASSERT_TRUE(manager.LoadMenu(moduleMenu, IDR_MODULE_MENU));
    CString text;
    moduleMenu.GetMenuString(0, text, MF_BYPOSITION);
    EXPECT_STREQ("Module &Menu", text);
    CMenu appMenu;
    ASSERT_TRUE(manager.LoadMenu(appMenu, IDR_APP_MENU));
    appMenu.GetMenuString(0, text, MF_BYPOSITION);
    EXPECT_STREQ("Application &Menu", text);
    CMenu noMenu;
    EXPECT_FALSE(manager.LoadMenu(noMenu, 0x1399));

    CBitmap bitmap;
    ASSERT_TRUE(manager.LoadBitmap(bitmap, IDB_MODULE_BITMAP));
    BITMAP info = {};
    bitmap.GetBitmap(&info);
    EXPECT_EQ(4, info.bmWidth);
    EXPECT_EQ(2, info.bmHeight);

    EXPECT_NE(nullptr, manager.LoadCursor(IDC_MODULE_CURSOR));
    EXPECT_NE(nullptr, manager.LoadCursor(IDC_KIT_HAND));
    EXPECT_EQ(nullptr, manager.LoadCursor(0x1399));

    for (int size : {16, 32}) {
        HICON icon = manager.LoadIconResource(IDI_MODULE_ICON, size, size);
        HICON exact = manager.LoadIconOfSize(module.Get(), MAKEINTRESOURCEA(IDI_MODULE_ICON), size, size);
        for (HICON each : {icon, exact}) {
            ASSERT_NE(nullptr, each) << size;
            ICONINFO iconInfo = {};
            ASSERT_TRUE(::GetIconInfo(each, &iconInfo));
            BITMAP colour = {};
            ::GetObjectA(iconInfo.hbmColor, sizeof(colour), &colour);
            EXPECT_EQ(size, colour.bmWidth);
            ::DeleteObject(iconInfo.hbmColor);
            ::DeleteObject(iconInfo.hbmMask);
            ::DestroyIcon(each);
        }
    }
    EXPECT_EQ(nullptr, manager.LoadIconOfSize(module.Get(), MAKEINTRESOURCEA(0x1399), 16, 16));

    CString html;
    EXPECT_TRUE(manager.LoadTextResource(html, IDR_MODULE_TEXT));
    EXPECT_STREQ("<text from=\"module\"/>", html);
    EXPECT_TRUE(manager.LoadTextResource(html, IDR_APP_TEXT));
    EXPECT_STREQ("<text from=\"application\"/>", html);
    EXPECT_FALSE(manager.LoadTextResource(html, 0x1399));

    LPCDLGTEMPLATEA dialog = manager.LoadDialogTemplate(IDD_MODULE_DIALOG);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(static_cast<DWORD>(WS_CAPTION), dialog->style & WS_CAPTION);
    EXPECT_EQ(nullptr, manager.LoadDialogTemplate(0x1399));
}

TEST_F(KitResources, MenuItemTextsPlainOrThroughTheLanguage)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 10, "&Open");
    menu.AppendMenu(MF_SEPARATOR);
    CString text;
    EXPECT_EQ(5, manager.GetMenuItemText(menu, 0, text, MF_BYPOSITION));
    EXPECT_STREQ("&Open", text);
    EXPECT_EQ(0, manager.GetMenuItemText(menu, 1, text, MF_BYPOSITION));
    EXPECT_STREQ("", text);
    manager.SelectLanguage(0x409);
    EXPECT_EQ(5, manager.GetMenuItemText(menu, 10, text, MF_BYCOMMAND));
    EXPECT_STREQ("&Open", text);
}

TEST(KitLanguageTable, HoldsEachLanguageOnceWithUSEnglishOnTheSystemCodePage)
{
    int count = 0;
    const CKitLanguageInfo* table = CKitResourceManager::GetLanguageTable(count);
    EXPECT_EQ(35, count);
    std::set<WORD> ids;
    for (int i = 0; i < count; ++i)
        ids.insert(table[i].wLanguage);
    EXPECT_EQ(35u, ids.size());
    CKitResourceManager manager;
    manager.SelectLanguage(0x404);
    EXPECT_EQ(950u, manager.GetLanguageInfo().nCodePage);
    EXPECT_STREQ("LANG_CHINESE", manager.GetLanguageInfo().lpszLang);
    EXPECT_STREQ("SUBLANG_CHINESE_TRADITIONAL", manager.GetLanguageInfo().lpszSubLang);
    manager.SelectLanguage(0x409);
    EXPECT_STREQ("SUBLANG_ENGLISH_US", manager.GetLanguageInfo().lpszSubLang);
}

TEST(KitStringA2W, ConvertsWithTheSelectedCodePage)
{
    const CKitStringA2W wide("Toolkit");
    EXPECT_STREQ(L"Toolkit", static_cast<LPCWSTR>(wide));
    const CKitStringA2W empty(nullptr);
    EXPECT_STREQ(L"", static_cast<LPCWSTR>(empty));
}

} // namespace
