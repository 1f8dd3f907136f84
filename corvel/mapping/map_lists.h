// CMapListEventLog, CMapListTagDB, CMapListTransaction: the grid lists of the mapping tools' table views.
#pragma once

#include "corvel/controls/grid_list.h"

// The event log dialog's list: the grid list as it is.
class CMapListEventLog : public CGridList {
    DECLARE_DYNAMIC(CMapListEventLog)
public:
    CMapListEventLog() = default;
};

// The tag database view's list: the grid list as it is.
class CMapListTagDB : public CGridList {
    DECLARE_DYNAMIC(CMapListTagDB)
public:
    CMapListTagDB() = default;
};

// The Modbus transaction view's list: the grid list as it is.
class CMapListTransaction : public CGridList {
    DECLARE_DYNAMIC(CMapListTransaction)
public:
    CMapListTransaction() = default;
};
