// KitRibbonFindNeighbour, KitRibbonNavigate, KitRibbonCreateGroupKeyboardTips: the arrow-key step and the group tips shared by the ribbon and its popups.
#pragma once

#include "framework/geometry.h"

#include <vector>

class CKitCommandBar;
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
