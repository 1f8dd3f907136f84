#include "corvel/mapping/map_lists.h"

IMPLEMENT_DYNAMIC(CMapListEventLog, CGridList)
