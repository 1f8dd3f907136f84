#include "toolkit/common/control_theme.h"

IMPLEMENT_DYNAMIC(CKitControlTheme, CCmdTarget)
