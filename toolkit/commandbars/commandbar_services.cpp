// The command bars' share of the common controls' services, registered at start-up of every program that links the command bars.
#include "toolkit/commandbars/shadow_manager.h"
#include "toolkit/common/upper_services.h"

namespace {

class CCommandBarServices final : public CKitCommandBarServices {
public:
    CKitShadowCaster* CreateShadowCaster() override { return new CKitShadowManager; }
};

CCommandBarServices g_services;

// Runs before main: the common controls find the command bars from the first window on.
const bool g_bRegistered = (CKitCommandBarServices::Register(&g_services), true);

} // namespace
