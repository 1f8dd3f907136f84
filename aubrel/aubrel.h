// AboutRecord, LinkRecord, ShowAbout, ShowAboutExt, ShowSplash, GetAppVersion: the interface of aubrel.dll for its callers.
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// What the about box and the splash show. The caller owns every text; any text may be null.
typedef struct AboutRecord {
    INT32 beta;              // non-zero: a beta release
    LPCSTR appName;          // caption "About <name>"; the splash's title
    LPCSTR version;          // the about box adds "  ** BETA ** " for a beta release
    LPCSTR line1;
    LPCSTR line2;
    LPCSTR company;          // replaces the library's company text; the splash shows it after "Version: "
    LPCSTR copyright;        // replaces the library's copyright and legal notice
    HICON icon;              // shown in the about box when non-zero
    LPCSTR copyrightYears;   // the years in the library's copyright notice (its own when null or empty)
    HBITMAP splashBitmap;    // the splash picture (the library's own when null)
    COLORREF splashBackground;
} AboutRecord;

// A link shown in the about box by ShowAboutExt when both texts are given.
typedef struct LinkRecord {
    LPCSTR text;
    LPCSTR target; // a URL or a file, opened by the shell
} LinkRecord;

// Values ShowSplash returns.
enum {
    AUBREL_SPLASH_OK = 1,
    AUBREL_SPLASH_OTHER = 2,
    AUBREL_SPLASH_EXCEPTION = 3
};

// The buffer GetAppVersion writes holds at least this many characters, terminator included.
enum { AUBREL_VERSION_BUFFER = 256 };

// Shows the about box modally; returns 1.
int WINAPI ShowAbout(const AboutRecord* about);
// As ShowAbout, with a hyperlink to link->target labelled link->text.
int WINAPI ShowAboutExt(const AboutRecord* about, const LinkRecord* link);
// Shows the splash modally: AUBREL_SPLASH_OK, AUBREL_SPLASH_OTHER or AUBREL_SPLASH_EXCEPTION.
int WINAPI ShowSplash(const AboutRecord* about);
// Writes the product version of the loaded module (the program when null) as
// "1.0.7 Build 1" into buffer (AUBREL_VERSION_BUFFER characters); non-zero on success.
BOOL WINAPI GetAppVersion(LPSTR buffer, HMODULE module);

typedef int(WINAPI* ShowAboutProc)(const AboutRecord*);
typedef int(WINAPI* ShowAboutExtProc)(const AboutRecord*, const LinkRecord*);
typedef int(WINAPI* ShowSplashProc)(const AboutRecord*);
typedef BOOL(WINAPI* GetAppVersionProc)(LPSTR, HMODULE);

#ifdef __cplusplus
}
#endif
