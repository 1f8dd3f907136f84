// CKitRibbonScrollableBar, CKitRibbonScrollableBar::CControlGroupsScroll: the part of a ribbon bar or ribbon
// popup that scrolls its groups sideways and keeps the highlighted group.
#pragma once

#include "framework/geometry.h"
#include "toolkit/commandbars/control.h"

class CKitCommandBar;
class CKitRibbonGroup;
class CKitRibbonGroups;

// A second base of the bars that show ribbon groups.
class CKitRibbonScrollableBar {
public:
    // How far one scroll step moves the groups.
    static constexpr int kScrollStep = 40;
    // The timer of a held scroll button, on the owner bar's window.
    static constexpr UINT_PTR kTimerScrollRepeat = 0x459D;
    // Width of a scroll button inside the groups rectangle.
    static constexpr int kScrollButtonWidth = 12;

    // A button at one end of the groups rectangle; held down it scrolls again and again.
    class CControlGroupsScroll : public CKitControlButton {
        DECLARE_DYNCREATE(CControlGroupsScroll)
    public:
        // The platform's parts of a held press; tests replace them.
        struct RepeatTiming {
            UINT (*pfnDoubleClickTime)();
            BOOL (*pfnIsLeftButtonDown)();
            // Told each interval the repeat timer is set to; may be null.
            void (*pfnOnTimerSet)(UINT nElapse);
        };
        // Null restores the platform's.
        static void SetRepeatTiming(const RepeatTiming* pTiming);

        // bLeft: towards offset 0.
        explicit CControlGroupsScroll(BOOL bLeft = FALSE);
        BOOL IsScrollLeft() const { return m_bLeft; }
        BOOL IsScrollPressed() const { return m_bScrollPressed; }
        // Scrolls once, then again after 4/5 of the double-click time and every 1/10 of it until released.
        void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint()) override;
        void Draw(CDC* pDC) override;

    private:
        BOOL m_bLeft;
        BOOL m_bScrollPressed = FALSE;
    };

    // Lets go of the scroll buttons.
    virtual ~CKitRibbonScrollableBar();

    // Scrolls the groups one step to the left or to the right.
    virtual void ScrollGroups(BOOL bRight) = 0;
    // Where the groups are shown, in the bar's coordinates.
    virtual CRect GetGroupsRect() const = 0;
    // The group under the point; null when none.
    virtual CKitRibbonGroup* HitTestGroup(CPoint point) const = 0;

    // The offset one step from nOffset; never below 0.
    static int NextScrollOffset(int nOffset, BOOL bRight)
    {
        const int nNew = bRight ? nOffset + kScrollStep : nOffset - kScrollStep;
        return nNew < 0 ? 0 : nNew;
    }
    // The scrollable part of a ribbon bar or ribbon popup; null for any other bar.
    static CKitRibbonScrollableBar* GetScrollableBar(CKitCommandBar* pBar);

    // Makes the two scroll buttons on the owner's controls, both hidden; the part keeps them alive too.
    void InitScrollableBar(CKitCommandBar* pOwner);
    // Shows each button at its end of the groups rectangle, or hides it.
    void ShowScrollButtons(BOOL bLeft, BOOL bRight);
    CControlGroupsScroll* GetScrollLeft() const { return m_pScrollLeft; }
    CControlGroupsScroll* GetScrollRight() const { return m_pScrollRight; }

    // Whether the point lies on a shown scroll button.
    BOOL IsOnScrollButton(CPoint point) const { return HitTestScrollButton(point) != nullptr; }
    // The shown scroll button under the point, or null: it lies over the groups' controls and wins over them.
    CControlGroupsScroll* HitTestScrollButton(CPoint point) const;
    // The owner's control under the point, a shown scroll button first; pIndex receives its index.
    CKitControl* HitTestControls(CPoint point, int* pIndex) const;
    // Whether one of the scroll buttons shows.
    BOOL IsScrollButtonShown() const;
    // Scrolls the groups so the control's rectangle shows between the visible scroll buttons.
    void EnsureVisible(CKitRibbonGroups* pGroups, const CRect& rcControl);

    // The group under the mouse, drawn highlighted; null when none.
    CKitRibbonGroup* GetHighlightedGroup() const { return m_pHighlightedGroup; }
    void SetHighlightedGroup(CKitRibbonGroup* pGroup) { m_pHighlightedGroup = pGroup; }
    // Highlights the group (none for null), redrawing the one highlighted before and the new one on the owner.
    void ChangeHighlightedGroup(CKitRibbonGroup* pGroup);
    // Highlights the group under the point while the owner has no open popup, is not locked out by another
    // tracked bar, has no selected control and the ribbon painter highlights groups; none otherwise.
    void TrackHighlightedGroup(CPoint point);

protected:
    CKitRibbonScrollableBar() = default;
    // Closes the bar's popups and asks the next layout of the bar for the groups' offset one step on.
    static void RequestScrollStep(CKitCommandBar* pBar, CKitRibbonGroups* pGroups, BOOL bRight);
    // Asks the next layout of the bar for the offset when it differs from the groups' current one.
    static void RequestScrollOffset(CKitCommandBar* pBar, CKitRibbonGroups* pGroups, int nOffset);

    CKitCommandBar* m_pOwnerBar = nullptr;
    CControlGroupsScroll* m_pScrollLeft = nullptr;
    CControlGroupsScroll* m_pScrollRight = nullptr;
    CKitRibbonGroup* m_pHighlightedGroup = nullptr;
};
