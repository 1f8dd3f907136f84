// CKitRibbonTabPopupToolBar: the groups of a tab in a popup while the ribbon is minimised.
#pragma once

#include "framework/geometry.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/themes/ribbon/ribbon_scrollable_bar.h"

class CKitRibbonBar;
class CKitRibbonTab;

// Shows a private copy of a tab under the tab strip, as wide as the ribbon where the screen allows.
class CKitRibbonTabPopupToolBar : public CKitPopupToolBar, public CKitRibbonScrollableBar {
    DECLARE_DYNAMIC(CKitRibbonTabPopupToolBar)
public:
    // Margins of the groups inside the popup: left, top, right, bottom.
    static constexpr int kMarginLeft = 4;
    static constexpr int kMarginTop = 3;
    static constexpr int kMarginRight = 6;
    static constexpr int kMarginBottom = 3;

    // Copies the tab of the ribbon bar; the copy keeps the source's rectangle.
    explicit CKitRibbonTabPopupToolBar(CKitRibbonTab* pTab);
    ~CKitRibbonTabPopupToolBar() override;

    // The popup's screen rectangle: the ribbon's width from its left edge, kept inside the work area
    // (4 pixels short of its right edge) and opened above the tab when it would pass the bottom.
    static CRect CalcPopupPlacement(const CRect& rcRibbon, const CRect& rcWork, int y, int nHeight,
                                    int nExcludeTop);

    CKitRibbonTab* GetTab() const { return m_pTab; }
    CKitRibbonBar* GetRibbonBar() const { return m_pRibbonBar; }

    // Closes the open popups and asks the next layout for one step more or less; never below 0.
    void ScrollGroups(BOOL bRight) override;
    CRect GetGroupsRect() const override { return m_rcGroups; }
    // A group of the copy inside the groups rectangle.
    CKitRibbonGroup* HitTestGroup(CPoint point) const override;
    // Places the popup by the ribbon and lays the copy's groups out in it.
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    // The ribbon painter's popup and groups area, then the copy's groups.
    void DrawCommandBar(CDC* pDC, CRect rcClip) override;
    // The group tips of the copy's groups.
    void CreateKeyboardTips() override;
    // A control of a reduced group opens its group's popup and runs the copy there; a shown control runs.
    void OnKeyboardTip(CKitCommandBarKeyboardTip* pTip) override;
    // Keys but Escape show the keyboard cues; the arrows, Return and Space move and act between the groups'
    // controls before the popup's own handling.
    BOOL OnKeyDownBar(int nCode) override;
    // Also highlights the group under the mouse.
    void OnMouseMoveBar(UINT nFlags, CPoint point) override;
    void OnMouseLeaveBar() override;
    // A shown scroll button wins over the controls it covers.
    CKitControl* HitTest(CPoint point, int* pIndex = nullptr) const override;
    // A group control chosen by the keyboard scrolls into view.
    void OnControlSelected(CKitControl* pControl) override;
    // A group control's tooltip covers the groups rectangle.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override;
    // The ribbon's sizes and keyboard cues.
    CSize GetIconSize() const override;
    CSize GetButtonSize(BOOL bAutomatic = TRUE) const override;
    BOOL IsKeyboardCuesVisible() const override;

private:
    CKitRibbonTab* m_pTab;
    CKitRibbonBar* m_pRibbonBar;
    CRect m_rcGroups;
};
