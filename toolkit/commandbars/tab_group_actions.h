// CKitTabGroupActions: what the command bars ask of a tabbed MDI client (filled by the themes' tab client).
#pragma once

#include <windows.h>

// The tab-group commands and their menu captions.
constexpr UINT kIdTabGroupMovePrevious = 9155;
constexpr UINT kIdTabGroupMoveNext = 9156;
constexpr UINT kIdTabGroupNewHorizontal = 9157;
constexpr UINT kIdTabGroupNewVertical = 9158;
constexpr UINT kIdTabGroupCancel = 9159;
constexpr const char* kTextTabGroupMovePrevious = "Move to P&revious Tab Group";
constexpr const char* kTextTabGroupMoveNext = "Move to Ne&xt Tab Group";
constexpr const char* kTextTabGroupNewHorizontal = "New Hori&zontal Tab Group";
constexpr const char* kTextTabGroupNewVertical = "New &Vertical Tab Group";
constexpr const char* kTextTabGroupCancel = "C&ancel";

// An MDI client that shows its children as tab groups; found through the permanent window object of the
// frame's MDI client.
class CKitTabGroupActions {
public:
    // Whether the tab-group command can act on the active child now; any other id: TRUE.
    virtual BOOL CanDoAction(UINT nId) = 0;

protected:
    ~CKitTabGroupActions() = default;
};
