#include "toolkit/common/theme_wrapper.h"

void CKitWinThemeWrapper::CallSetProcessDPIAware()
{
    using SetProcessDPIAwareFn = BOOL(WINAPI*)();
    HMODULE user32 = ::GetModuleHandleA("user32.dll");
    if (user32 == nullptr)
        return;
    auto setAware = reinterpret_cast<SetProcessDPIAwareFn>(::GetProcAddress(user32, "SetProcessDPIAware"));
    if (setAware != nullptr)
        setAware();
}
