// CReportControl, CGooseControl: one report instance and one GOOSE control block of an IED, as the
// IED tree lists them.
#pragma once
#include "framework/core.h"

#include <cstddef>

class CDataSet;

// An item of the IED tree: its index in the loaders' item list (CIedTreeItems).
using IedTreeItemId = size_t;
// The parent of the top items, and the answer where there is no item.
constexpr IedTreeItemId kIedTreeRoot = static_cast<IedTreeItemId>(-1);
constexpr IedTreeItemId kNoIedTreeItem = static_cast<IedTreeItemId>(-2);

// One instance of a report control block.
struct CReportControl {
    IedTreeItemId treeItem = kNoIedTreeItem;
    bool buffered = false;
    CString domain;    // IED name followed by the LD name
    CString lnName;    // the LN0's name
    CString reference; // lnName$BR$block or lnName$RP$block
    CString rptID;
    CString bufTime;
    CString confRev;
    CString datSet;
    CString name; // block name, with the instance number when the block has numbered instances
    int intgPd = 0;
    bool dchg = false;
    bool qchg = false;
    bool dupd = false;
    bool period = false;
    bool gi = false;
    CString bufOvfl;
    CString configRef;
    CString dataRef;
    CString dataSet;
    CString entryID;
    CString reasonCode;
    CString seqNum;
    CString timeStamp;
    CString segmentation;
};

// One GOOSE control block; the seven texts follow the first two fields in this order.
struct CGooseControl {
    IedTreeItemId treeItem = kNoIedTreeItem;
    // The data set named by datSet when the block was read; null when there was none.
    CDataSet* linkedDataSet = nullptr;
    CString domain;
    CString confRev;
    CString datSet;
    CString dataSetRef; // domain/LN0$datSet
    CString gocbRef;    // domain/LN0$GO$block
    CString macAddress;
    CString appID;
};
