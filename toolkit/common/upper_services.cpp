// The registration points of the libraries above the common controls.
#include "toolkit/common/upper_services.h"

namespace {

// Constant-initialised, so a registration from another library's start-up code always lands.
CKitThemeServices* g_pThemeServices = nullptr;
CKitCommandBarServices* g_pCommandBarServices = nullptr;

} // namespace

CKitThemeServices* CKitThemeServices::Get()
{
    return g_pThemeServices;
}

void CKitThemeServices::Register(CKitThemeServices* pServices)
{
    g_pThemeServices = pServices;
}

CKitCommandBarServices* CKitCommandBarServices::Get()
{
    return g_pCommandBarServices;
}

void CKitCommandBarServices::Register(CKitCommandBarServices* pServices)
{
    g_pCommandBarServices = pServices;
}
