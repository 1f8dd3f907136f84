#include "toolkit/commandbars/control_combo.h"

IMPLEMENT_DYNCREATE(CKitControlComboBox, CKitControl)
