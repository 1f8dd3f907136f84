#include "toolkit/common/resources.h"

#include "framework/gdi.h"
#include "framework/menu.h"
#include "framework/msgbox.h"
#include "framework/winapp.h"
#include "toolkit/common/system.h"

#include <cstring>
#include <vector>

namespace {

constexpr WORD kEnglishUS = 0x409;
constexpr UINT kCodePageHebrew = 1255;
constexpr UINT kCodePageArabic = 1256;
constexpr int kStringsPerBlock = 16;
const LPCSTR kHtmlResourceType = MAKEINTRESOURCEA(23);
constexpr DWORD kIconFormatVersion = 0x30000;

const CKitLanguageInfo kLanguages[] = {
    {0x419, 1251, "windows-1251", "Russian", "LANG_RUSSIAN", "SUBLANG_DEFAULT", 204},
    {0x411, 932, "shift-jis", "Japanese", "LANG_JAPANESE", "SUBLANG_DEFAULT", 128},
    {0x401, 1256, "windows-1256", "Arabic (Saudi Arabia)", "LANG_ARABIC", "SUBLANG_ARABIC_SAUDI_ARABIA", 178},
    {0x405, 1250, "windows-1250", "Czech", "LANG_CZECH", "SUBLANG_DEFAULT", 238},
    {0x406, 1252, "windows-1252", "Danish", "LANG_DANISH", "SUBLANG_DEFAULT", 0},
    {0x407, 1252, "windows-1252", "German (Germany)", "LANG_GERMAN", "SUBLANG_GERMAN", 0},
    {0x408, 1253, "windows-1253", "Greek", "LANG_GREEK", "SUBLANG_DEFAULT", 161},
    {0x409, 0, "windows-1252", "English (United States)", "LANG_ENGLISH", "SUBLANG_ENGLISH_US", 0},
    {0xC0A, 1252, "windows-1252", "Spanish (Spain - Modern Sort)", "LANG_SPANISH", "SUBLANG_SPANISH_MODERN", 0},
    {0x425, 1257, "windows-1257", "Estonian", "LANG_ESTONIAN", "SUBLANG_DEFAULT", 186},
    {0x40B, 1252, "windows-1252", "Finnish", "LANG_FINNISH", "SUBLANG_DEFAULT", 0},
    {0x40C, 1252, "windows-1252", "French (France)", "LANG_FRENCH", "SUBLANG_FRENCH", 0},
    {0x40D, 1255, "windows-1255", "Hebrew", "LANG_HEBREW", "SUBLANG_DEFAULT", 177},
    {0x41A, 1250, "windows-1250", "Croatian", "LANG_CROATIAN", "SUBLANG_DEFAULT", 238},
    {0x40E, 1250, "windows-1250", "Hungarian", "LANG_HUNGARIAN", "SUBLANG_DEFAULT", 238},
    {0x410, 1252, "windows-1252", "Italian (Italy)", "LANG_ITALIAN", "SUBLANG_ITALIAN", 0},
    {0x412, 949, "ks_c_5601", "Korean", "LANG_KOREAN", "SUBLANG_KOREAN", 129},
    {0x427, 1257, "windows-1257", "Lithuanian", "LANG_LITHUANIAN", "SUBLANG_LITHUANIAN", 186},
    {0x426, 1257, "windows-1257", "Latvian", "LANG_LATVIAN", "SUBLANG_DEFAULT", 186},
    {0x413, 1252, "windows-1252", "Dutch", "LANG_DUTCH", "SUBLANG_DUTCH", 0},
    {0x414, 1252, "windows-1252", "Norwegian (Bokmal)", "LANG_NORWEGIAN", "SUBLANG_NORWEGIAN_BOKMAL", 0},
    {0x415, 1250, "windows-1250", "Polish", "LANG_POLISH", "SUBLANG_DEFAULT", 238},
    {0x816, 1252, "windows-1252", "Portuguese (Portugal)", "LANG_PORTUGUESE", "SUBLANG_PORTUGUESE", 0},
    {0x416, 1252, "windows-1252", "Portuguese (Brazil)", "LANG_PORTUGUESE", "SUBLANG_PORTUGUESE_BRAZILIAN", 0},
    {0x418, 1250, "windows-1250", "Romanian", "LANG_ROMANIAN", "SUBLANG_DEFAULT", 238},
    {0x81A, 1250, "windows-1250", "Serbian", "LANG_SERBIAN", "SUBLANG_SERBIAN_LATIN", 238},
    {0x41B, 1250, "windows-1250", "Slovak", "LANG_SLOVAK", "SUBLANG_DEFAULT", 238},
    {0x424, 1250, "windows-1250", "Slovenian", "LANG_SLOVENIAN", "SUBLANG_DEFAULT", 238},
    {0x41D, 1252, "windows-1252", "Swedish", "LANG_SWEDISH", "SUBLANG_SWEDISH", 0},
    {0x41E, 874, "windows-874", "Thai", "LANG_THAI", "SUBLANG_DEFAULT", 222},
    {0x41F, 1254, "windows-1254", "Turkish", "LANG_TURKISH", "SUBLANG_DEFAULT", 162},
    {0x422, 1251, "windows-1251", "Ukrainian ", "LANG_UKRAINIAN", "SUBLANG_DEFAULT", 204},
    {0x402, 1251, "windows-1251", "Bulgarian", "LANG_BULGARIAN", "SUBLANG_DEFAULT", 204},
    {0x804, 936, "gb2312", "Chinese (PRC)", "LANG_CHINESE", "SUBLANG_CHINESE_SIMPLIFIED", 134},
    {0x404, 950, "big5", "Chinese (Taiwan)", "LANG_CHINESE", "SUBLANG_CHINESE_TRADITIONAL", 136},
};

HMODULE& ResourceModule()
{
    static HMODULE module = nullptr;
    return module;
}

// The toolkit resource module when it holds the resource, else null.
HMODULE ModuleHolding(LPCSTR lpszName, LPCSTR lpszType)
{
    HMODULE module = KitGetResourceModule();
    if (module != nullptr && ::FindResourceA(module, lpszName, lpszType) != nullptr)
        return module;
    return nullptr;
}

// The language search of DetectModuleLanguage.
struct LanguageSearch {
    WORD found = 0;
};

BOOL CALLBACK FindLanguageProc(HMODULE, LPCSTR, LPCSTR, WORD wLanguage, LONG_PTR lParam)
{
    auto* search = reinterpret_cast<LanguageSearch*>(lParam);
    if (wLanguage == kEnglishUS)
        return TRUE;
    search->found = wLanguage;
    return FALSE;
}

BOOL CALLBACK FindLanguageInNameProc(HMODULE hModule, LPCSTR lpszType, LPSTR lpszName, LONG_PTR lParam)
{
    ::EnumResourceLanguagesA(hModule, lpszType, lpszName, FindLanguageProc, lParam);
    return reinterpret_cast<LanguageSearch*>(lParam)->found == 0;
}

BOOL CALLBACK FindLanguageInTypeProc(HMODULE hModule, LPSTR lpszType, LONG_PTR lParam)
{
    ::EnumResourceNamesA(hModule, lpszType, FindLanguageInNameProc, lParam);
    return reinterpret_cast<LanguageSearch*>(lParam)->found == 0;
}

} // namespace

HMODULE KitGetResourceModule()
{
    return ResourceModule();
}

void KitSetResourceModule(HMODULE hModule)
{
    ResourceModule() = hModule;
}

HMODULE KitResourceModuleFor(LPCSTR lpszName, LPCSTR lpszType)
{
    if (HMODULE module = ModuleHolding(lpszName, lpszType))
        return module;
    return AfxGetResourceHandle();
}

KitResourceBytes KitLockResource(HMODULE hModule, HRSRC hResource)
{
    KitResourceBytes bytes;
    if (hResource == nullptr)
        return bytes;
    HGLOBAL handle = ::LoadResource(hModule, hResource);
    if (handle == nullptr)
        return bytes;
    bytes.data = static_cast<const BYTE*>(::LockResource(handle));
    bytes.size = bytes.data != nullptr ? ::SizeofResource(hModule, hResource) : 0;
    return bytes;
}

KitResourceBytes KitFindResourceBytes(LPCSTR lpszName, LPCSTR lpszType)
{
    HMODULE module = KitResourceModuleFor(lpszName, lpszType);
    return KitLockResource(module, ::FindResourceA(module, lpszName, lpszType));
}

CKitResourceManager* CKitResourceManager::Instance()
{
    static CKitResourceManager manager;
    return &manager;
}

CKitResourceManager::CKitResourceManager()
    : m_bValid(TRUE), m_hResourceFile(nullptr), m_pLanguageInfo(FindLanguage(kEnglishUS)), m_bLanguageInUse(FALSE),
      m_nDefaultCharset(DEFAULT_CHARSET)
{
    LOGFONTA font = {};
    if (::SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof(font), &font, 0))
        m_nDefaultCharset = font.lfCharSet;
}

CKitResourceManager::~CKitResourceManager()
{
    FreeResourceModule();
}

const CKitLanguageInfo* CKitResourceManager::GetLanguageTable(int& nCount)
{
    nCount = static_cast<int>(sizeof(kLanguages) / sizeof(kLanguages[0]));
    return kLanguages;
}

const CKitLanguageInfo* CKitResourceManager::FindLanguage(WORD wLanguage)
{
    for (const CKitLanguageInfo& language : kLanguages) {
        if (language.wLanguage == wLanguage)
            return &language;
    }
    return nullptr;
}

void CKitResourceManager::SelectLanguage(WORD wLanguage)
{
    const CKitLanguageInfo* language = FindLanguage(wLanguage);
    m_pLanguageInfo = language != nullptr ? language : FindLanguage(kEnglishUS);
    m_bLanguageInUse = TRUE;
}

WORD CKitResourceManager::GetLanguageId() const
{
    return m_pLanguageInfo->wLanguage;
}

BYTE CKitResourceManager::GetFontCharset() const
{
    return m_bLanguageInUse ? m_pLanguageInfo->nFontCharset : m_nDefaultCharset;
}

CString CKitResourceManager::NarrowFromWide(LPCWSTR lpszText, int nLength) const
{
    CString text;
    if (nLength <= 0)
        return text;
    const UINT codePage = m_pLanguageInfo->nCodePage;
    const int size = ::WideCharToMultiByte(codePage, 0, lpszText, nLength, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return text;
    LPSTR buffer = text.GetBuffer(size);
    ::WideCharToMultiByte(codePage, 0, lpszText, nLength, buffer, size, nullptr, nullptr);
    text.ReleaseBuffer(size);
    return text;
}

// Entry nID & 15 of string block (nID >> 4) + 1: a 16-bit length, then that many UTF-16 units.
BOOL CKitResourceManager::LoadModuleString(HMODULE hModule, UINT nID, CString& str) const
{
    const LPCSTR block = MAKEINTRESOURCEA((nID >> 4) + 1);
    const KitResourceBytes bytes = KitLockResource(hModule, ::FindResourceA(hModule, block, RT_STRING));
    const BYTE* cursor = bytes.data;
    const BYTE* const end = bytes.data + bytes.size;
    for (UINT entry = 0; cursor != nullptr && entry < kStringsPerBlock; ++entry) {
        WORD length = 0;
        if (end - cursor < static_cast<ptrdiff_t>(sizeof(length)))
            return FALSE;
        std::memcpy(&length, cursor, sizeof(length));
        cursor += sizeof(length);
        const ptrdiff_t textBytes = static_cast<ptrdiff_t>(length) * static_cast<ptrdiff_t>(sizeof(WCHAR));
        if (end - cursor < textBytes)
            return FALSE;
        if (entry == (nID & (kStringsPerBlock - 1))) {
            if (length == 0)
                return FALSE;
            std::vector<WCHAR> text(length);
            std::memcpy(text.data(), cursor, static_cast<size_t>(textBytes));
            str = NarrowFromWide(text.data(), length);
            return TRUE;
        }
        cursor += textBytes;
    }
    return FALSE;
}

CString CKitResourceManager::LoadStringOrEmpty(UINT nID, BOOL* pbFailed)
{
    CString str;
    const BOOL loaded = LoadString(str, nID);
    if (!loaded)
        str.Empty();
    if (pbFailed != nullptr)
        *pbFailed = !loaded;
    return str;
}

BOOL CKitResourceManager::LoadString(CString& str, UINT nID)
{
    HMODULE module = KitGetResourceModule();
    if (module != nullptr && LoadModuleString(module, nID, str))
        return TRUE;
    return str.LoadString(nID);
}

BOOL CKitResourceManager::LoadMenu(CMenu& menu, UINT nID)
{
    const LPCSTR name = MAKEINTRESOURCEA(nID);
    HMENU handle = nullptr;
    if (HMODULE module = ModuleHolding(name, RT_MENU))
        handle = ::LoadMenuA(module, name);
    else
        handle = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nID));
    return handle != nullptr && menu.Attach(handle);
}

BOOL CKitResourceManager::LoadBitmap(CBitmap& bitmap, UINT nID)
{
    const LPCSTR name = MAKEINTRESOURCEA(nID);
    HBITMAP handle = nullptr;
    if (HMODULE module = ModuleHolding(name, RT_BITMAP))
        handle = ::LoadBitmapA(module, name);
    else
        handle = ::LoadBitmapW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nID));
    return handle != nullptr && bitmap.Attach(handle);
}

HCURSOR CKitResourceManager::LoadCursor(UINT nID)
{
    const LPCSTR name = MAKEINTRESOURCEA(nID);
    if (HMODULE module = ModuleHolding(name, RT_GROUP_CURSOR))
        return ::LoadCursorA(module, name);
    return ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nID));
}

HGLOBAL CKitResourceManager::LoadDialogResource(LPCSTR lpszName)
{
    HMODULE module = ModuleHolding(lpszName, RT_DIALOG);
    if (module == nullptr)
        module = AfxGetResourceHandle();
    HRSRC resource = ::FindResourceA(module, lpszName, RT_DIALOG);
    return resource != nullptr ? ::LoadResource(module, resource) : nullptr;
}

LPCDLGTEMPLATEA CKitResourceManager::LoadDialogTemplate(UINT nID)
{
    HGLOBAL resource = LoadDialogResource(MAKEINTRESOURCEA(nID));
    return resource != nullptr ? static_cast<LPCDLGTEMPLATEA>(::LockResource(resource)) : nullptr;
}

BOOL CKitResourceManager::LoadTextResource(CString& text, UINT nID)
{
    const LPCSTR name = MAKEINTRESOURCEA(nID);
    HMODULE module = ModuleHolding(name, kHtmlResourceType);
    if (module == nullptr)
        module = AfxGetResourceHandle();
    const KitResourceBytes bytes = KitLockResource(module, ::FindResourceA(module, name, kHtmlResourceType));
    const char* chars = reinterpret_cast<const char*>(bytes.data);
    text = bytes.data != nullptr ? CString(chars, static_cast<int>(strnlen(chars, bytes.size))) : CString();
    return !text.IsEmpty();
}

HICON CKitResourceManager::LoadIconResource(UINT nID, int cx, int cy)
{
    return LoadIcon(MAKEINTRESOURCEA(nID), cx, cy);
}

HICON CKitResourceManager::LoadIcon(LPCSTR lpszName, int cx, int cy)
{
    HMODULE module = ModuleHolding(lpszName, RT_GROUP_ICON);
    if (module == nullptr)
        module = AfxGetResourceHandle();
    return static_cast<HICON>(::LoadImageA(module, lpszName, IMAGE_ICON, cx, cy, 0));
}

HICON CKitResourceManager::LoadIconOfSize(HMODULE hModule, LPCSTR lpszName, int cx, int cy)
{
    const KitResourceBytes directory = KitLockResource(hModule, ::FindResourceA(hModule, lpszName, RT_GROUP_ICON));
    if (directory.data == nullptr)
        return nullptr;
    const int id = ::LookupIconIdFromDirectoryEx(const_cast<PBYTE>(directory.data), TRUE, cx, cy, 0);
    if (id == 0)
        return nullptr;
    const KitResourceBytes icon = KitLockResource(hModule, ::FindResourceA(hModule, MAKEINTRESOURCEA(id), RT_ICON));
    if (icon.data == nullptr)
        return nullptr;
    return ::CreateIconFromResourceEx(const_cast<PBYTE>(icon.data), icon.size, TRUE, kIconFormatVersion, cx, cy, 0);
}

void CKitResourceManager::FreeResourceModule()
{
    if (m_hResourceFile != nullptr)
        ::FreeLibrary(m_hResourceFile);
    m_hResourceFile = nullptr;
}

void CKitResourceManager::DetectModuleLanguage()
{
    HMODULE module = KitGetResourceModule();
    if (module == nullptr)
        module = ::GetModuleHandleA(nullptr);
    LanguageSearch search;
    ::EnumResourceTypesA(module, FindLanguageInTypeProc, reinterpret_cast<LONG_PTR>(&search));
    SelectLanguage(search.found != 0 ? search.found : kEnglishUS);
}

int CKitResourceManager::ShowMessageBox(LPCSTR lpszText, UINT nType)
{
    const UINT codePage = m_pLanguageInfo->nCodePage;
    if (codePage == kCodePageHebrew || codePage == kCodePageArabic)
        nType |= MB_RTLREADING;
    return AfxMessageBox(lpszText, nType);
}

int CKitResourceManager::GetMenuItemText(HMENU hMenu, UINT nIDItem, CString& text, UINT nFlags)
{
    text.Empty();
    if (!m_bLanguageInUse || !CKitOsVersion::Instance()->IsWin2000OrGreater()) {
        const int length = ::GetMenuStringA(hMenu, nIDItem, nullptr, 0, nFlags);
        if (length <= 0)
            return 0;
        LPSTR buffer = text.GetBuffer(length + 1);
        const int copied = ::GetMenuStringA(hMenu, nIDItem, buffer, length + 1, nFlags);
        text.ReleaseBuffer(copied > 0 ? copied : 0);
        return text.GetLength();
    }
    const int length = ::GetMenuStringW(hMenu, nIDItem, nullptr, 0, nFlags);
    if (length <= 0)
        return 0;
    std::vector<WCHAR> wide(static_cast<size_t>(length) + 1);
    const int copied = ::GetMenuStringW(hMenu, nIDItem, wide.data(), length + 1, nFlags);
    text = NarrowFromWide(wide.data(), copied);
    return text.GetLength();
}

CKitStringA2W::CKitStringA2W(LPCSTR lpszText)
{
    const UINT codePage = CKitResourceManager::Instance()->GetLanguageInfo().nCodePage;
    const char* text = lpszText != nullptr ? lpszText : "";
    const int size = ::MultiByteToWideChar(codePage, 0, text, -1, nullptr, 0);
    m_text.reset(new WCHAR[size > 0 ? size : 1]());
    if (size > 0)
        ::MultiByteToWideChar(codePage, 0, text, -1, m_text.get(), size);
}
