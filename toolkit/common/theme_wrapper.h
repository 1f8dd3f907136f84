// CKitWinThemeWrapper: the toolkit's wrapper of optional system functions bound by name.
#pragma once
#include <windows.h>

class CKitWinThemeWrapper {
public:
    CKitWinThemeWrapper() = default;
    CKitWinThemeWrapper(const CKitWinThemeWrapper&) = delete;
    CKitWinThemeWrapper& operator=(const CKitWinThemeWrapper&) = delete;

    // Calls SetProcessDPIAware of user32.dll when the system has it; nothing otherwise.
    void CallSetProcessDPIAware();
};
