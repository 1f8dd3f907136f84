#include "corvel/mapping/map_lists.h"

IMPLEMENT_DYNAMIC(CMapListEventLog, CGridList)
IMPLEMENT_DYNAMIC(CMapListTagDB, CGridList)
IMPLEMENT_DYNAMIC(CMapListTransaction, CGridList)
