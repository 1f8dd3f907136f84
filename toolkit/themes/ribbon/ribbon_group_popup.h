// CKitRibbonGroupPopupToolBar: the controls of a reduced ribbon group shown in a popup under its popup button.
#pragma once

#include "framework/geometry.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/themes/ribbon/ribbon_scrollable_bar.h"

class CKitControl;
class CKitRibbonBar;
class CKitRibbonGroup;

// Shows a private copy of one group laid out in full, drawn by the ribbon painter.
class CKitRibbonGroupPopupToolBar : public CKitPopupToolBar, public CKitRibbonScrollableBar {
    DECLARE_DYNAMIC(CKitRibbonGroupPopupToolBar)
public:

    // Copies the group: its controls become clones standing in this popup's controls.
    explicit CKitRibbonGroupPopupToolBar(CKitRibbonGroup* pGroup);
    ~CKitRibbonGroupPopupToolBar() override;

    // The copy shown in the popup, and the group it was copied from.
    CKitRibbonGroup* GetGroup() const { return m_pGroup; }
    CKitRibbonGroup* GetSourceGroup() const { return m_pSourceGroup; }
    CKitRibbonBar* GetRibbonBar() const { return m_pRibbonBar; }

    // A new popup of the same source group.
    CKitCommandBar* Clone(BOOL bRecursive) const override;

    // A single group never scrolls.
    void ScrollGroups(BOOL /*bRight*/) override {}
    // The popup's client rectangle.
    CRect GetGroupsRect() const override;
    // The copy when its rectangle holds the point.
    CKitRibbonGroup* HitTestGroup(CPoint point) const override;

    // The copy laid out in full, without reduction: its width within the borders, the group height.
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    // The ribbon painter's popup background, then the copy draws itself.
    void DrawCommandBar(CDC* pDC, CRect rcClip) override;
    // 2, 2, 3 and the group caption height + 1.
    CRect GetBorders() override;
    // The ribbon bar's icon and button sizes.
    CSize GetIconSize() const override;
    CSize GetButtonSize(BOOL bAutomatic = TRUE) const override;
    // Keys but Escape show the keyboard cues; arrow keys move to the nearest control in their direction, else the
    // popup's own key handling takes them.
    BOOL OnKeyDownBar(int nCode) override;
    // The copy's tips, standing for the source group among the hidden tips of the tab's other groups.
    void CreateKeyboardTips() override;
    // Also highlights the group under the mouse.
    void OnMouseMoveBar(UINT nFlags, CPoint point) override;
    void OnMouseLeaveBar() override;

private:
    CKitRibbonGroup* m_pGroup;
    CKitRibbonGroup* m_pSourceGroup;
    CKitRibbonBar* m_pRibbonBar;
};

// Runs a keyboard tip of a control hidden by its group's reduction: the group's popup button opens its popup and
// the copy at the control's place in the group takes the tip. FALSE when the control is not such a control or
// the popup does not open.
BOOL KitRibbonRunTipInGroupPopup(CKitControl* pControl);
