// CMapListEventLog: the grid lists of the mapping tools' table views (for now the event log's).
#pragma once

#include "corvel/controls/grid_list.h"

// The event log dialog's list: the grid list as it is.
class CMapListEventLog : public CGridList {
    DECLARE_DYNAMIC(CMapListEventLog)
public:
    CMapListEventLog() = default;
};
