// CKitRibbonScrollableBar: the part of a ribbon bar or ribbon popup that keeps the highlighted group.
#pragma once

#include "framework/geometry.h"

class CKitRibbonGroup;

// A second base of the bars that show ribbon groups.
class CKitRibbonScrollableBar {
public:
    virtual ~CKitRibbonScrollableBar() = default;

    // Scrolls the groups one step to the left or to the right.
    virtual void ScrollGroups(BOOL bRight) = 0;
    // Where the groups are shown, in the bar's coordinates.
    virtual CRect GetGroupsRect() const = 0;
    // The group under the point; null when none.
    virtual CKitRibbonGroup* HitTestGroup(CPoint point) const = 0;

    // The group under the mouse, drawn highlighted; null when none.
    CKitRibbonGroup* GetHighlightedGroup() const { return m_pHighlightedGroup; }
    void SetHighlightedGroup(CKitRibbonGroup* pGroup) { m_pHighlightedGroup = pGroup; }

protected:
    CKitRibbonScrollableBar() = default;

    CKitRibbonGroup* m_pHighlightedGroup = nullptr;
};
