// KitRibbonFindNeighbour, KitRibbonNavigate, KitRibbonCreateGroupKeyboardTips, KitRibbonCreateGroupPopupKeyboardTips: the arrow-key step, the keys between controls and the group tips shared by the ribbon and its popups.
#pragma once

#include "framework/geometry.h"

#include <vector>

class CKitCommandBar;
class CKitRibbonGroup;
class CKitRibbonGroups;

// The candidate an arrow key (kitKeyLeft, kitKeyRight, kitKeyCollapse up, kitKeyExpand down) reaches from the
// current rectangle: the nearest one beyond the edge that overlaps on the other axis, ties to the nearer centre;
// right and left wrap to the far end of the row. -1 when none.
int KitRibbonFindNeighbour(const CRect& rcCurrent, const std::vector<CRect>& candidates, int nCode);

// The keys of the ribbon and its popups between their controls: Return and Space act on the selected control
// (an edit field not yet editing takes the focus), the arrows move the keyboard selection to the neighbour in
// that direction; TRUE when a control is selected and the key is one of these.
BOOL KitRibbonNavigate(CKitCommandBar* pBar, int nCode);

// Appends to the bar's command bars a tip for each control, option button and popup button of the groups;
// tips of controls not wholly inside the groups rectangle are invisible.
void KitRibbonCreateGroupKeyboardTips(CKitCommandBar* pBar, CKitRibbonGroups* pGroups, const CRect& rcGroups);
// The tips of a group popup: the copy's tips shown in the popup, standing for its source group among the other
// visible groups of the source's tab, whose tips are made hidden so that every tip keeps its letters.
void KitRibbonCreateGroupPopupKeyboardTips(CKitCommandBar* pPopup, CKitRibbonGroup* pCopy, CKitRibbonGroup* pSource,
                                           const CRect& rcPopup);
