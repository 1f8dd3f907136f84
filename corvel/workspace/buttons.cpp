#include "corvel/workspace/buttons.h"

IMPLEMENT_DYNAMIC(CBridgeButn, CImageButton)
IMPLEMENT_DYNAMIC(CDevButton, CImageButton)
IMPLEMENT_DYNAMIC(CPLCButton, CImageButton)
