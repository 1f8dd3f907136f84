#include "framework/msgbox.h"

#include "framework/module.h"

#include <mutex>
#include <utility>

namespace {

std::mutex g_hookLock;
MessageBoxHook g_hook;

MessageBoxHook CurrentHook()
{
    std::lock_guard<std::mutex> lock(g_hookLock);
    return g_hook;
}

} // namespace

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook)
{
    std::lock_guard<std::mutex> lock(g_hookLock);
    return std::exchange(g_hook, std::move(hook));
}

int KorMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    if (MessageBoxHook hook = CurrentHook())
        return hook(owner, CString(text), CString(caption), type);
    return ::MessageBoxA(owner, text, caption, type);
}

UINT AfxMessageBoxType(UINT nType)
{
    if ((nType & MB_ICONMASK) != 0)
        return nType;
    switch (nType & MB_TYPEMASK) {
    case MB_OK:
    case MB_OKCANCEL:
        return nType | MB_ICONEXCLAMATION;
    case MB_YESNO:
    case MB_YESNOCANCEL:
        return nType | MB_ICONQUESTION;
    default:
        return nType;
    }
}

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT nIDHelp)
{
    if (CApplicationLink* app = AfxGetApplicationLink())
        return app->DoMessageBox(lpszText, nType, nIDHelp);
    return KorMessageBox(nullptr, lpszText, AfxGetAppName(), AfxMessageBoxType(nType));
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}
