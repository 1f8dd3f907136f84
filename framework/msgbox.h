// AfxMessageBox, KorMessageBox, SetMessageBoxHook: every message box goes through one replaceable hook.
#pragma once

#include "framework/strings.h"

#include <functional>

// Answers a message box instead of showing one; returns the button id (IDOK, IDYES, ...).
using MessageBoxHook = std::function<int(HWND owner, const CString& text, const CString& caption, UINT type)>;

// Installs hook (an empty one restores the real message box) and returns the
// hook it replaces. Tests use MessageBoxRecorder rather than calling this.
MessageBoxHook SetMessageBoxHook(MessageBoxHook hook);

// The one place that shows a message box: the hook when one is set, else
// ::MessageBoxA. Blocks until the box is answered.
int KorMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

// The type AfxMessageBox shows: an exclamation icon for MB_OK and
// MB_OKCANCEL, a question icon for MB_YESNO and MB_YESNOCANCEL, unless
// nType names an icon itself.
UINT AfxMessageBoxType(UINT nType);

// Shows text with the application's title as caption, through the
// application's DoMessageBox when an app object exists.
int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// As above with the text loaded from string resource nIDPrompt.
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));
