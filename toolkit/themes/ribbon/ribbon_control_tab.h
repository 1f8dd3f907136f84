// CKitRibbonControlTab: the ribbon's tab strip, a command-bar control that is also the tabs' manager.
#pragma once

#include "toolkit/commandbars/control.h"
#include "toolkit/themes/tabs/tab_manager.h"

class CKitRibbonBar;
class CKitRibbonTab;
class CKitRibbonTabPopupToolBar;

// Holds the CKitRibbonTab items; the ribbon bar draws it through the ribbon paint manager's tab painter.
class CKitRibbonControlTab : public CKitControlPopup, public CKitTabManager {
    DECLARE_DYNCREATE(CKitRibbonControlTab)
public:
    // A temporary control never offered for the quick access toolbar.
    CKitRibbonControlTab();
    ~CKitRibbonControlTab() override;

    // The ribbon bar the strip stands on; null before it is placed.
    CKitRibbonBar* GetRibbonBar() const;
    CKitRibbonTab* GetSelectedTab() const;

    // The strip keeps its enabled state: no command handler of the site disables it.
    void SetEnabled(int /*nEnabled*/) override {}
    void SetFocused(BOOL bFocused) override;
    BOOL IsFocused() const override { return m_bFocused; }
    // Left and Right move between the tabs, Down to the first control after the strip, Return (and Space on a
    // minimised ribbon) opens the tab's popup; FALSE when not taken.
    virtual BOOL OnKeyDown(UINT nChar);
    // The key path of the tracking bar hands a focused strip its keys first.
    BOOL OnHookKeyDown(UINT nChar, LPARAM lParam) override;
    // The tab under the mouse is hot; (-1, -1) when the mouse leaves the strip.
    void OnMouseMove(CPoint pt) override;
    // With a selected tab on a minimised ribbon: tracks the ribbon and opens the tab's popup, its first control
    // selected when bKeyboard. The ribbon's left button on a minimised ribbon's tab calls it too.
    void ShowTabPopup(BOOL bKeyboard);
    // No tab is hot any more; the strip is redrawn when one was.
    void ClearHotTab();
    // The popup of the minimised ribbon's tab; null before the first opening.
    CKitRibbonTabPopupToolBar* GetPopupToolBar() const { return m_pPopupToolBar; }
    // A keyboard selection takes the focus, a cleared one drops it and the hot tab; FALSE when unchanged.
    BOOL OnSetSelected(int nSelected) override;
    // Opens only on a minimised ribbon with a tab selected; closing always succeeds.
    BOOL SetPopup(BOOL bPopup) override;
    // The tabs, each under a "Tab" section as its class and its own properties; loading replaces the tabs.
    void DoPropExchange(CKitPropExchange* pPX) override;
    // The control's settings, then a copy of every tab of the source strip in place of the present tabs.
    void Copy(const CKitControl* pSource, BOOL bRecursive) override;

    // Tab manager side.
    void Reposition() override;
    // The tab's own tooltip, else its caption.
    CString GetItemTooltip(const CKitTabManagerItem* pItem) const override;
    // With a ribbon window: asks the ribbon, shows the new tab's groups only, selects and tells the ribbon.
    void SetSelectedItem(CKitTabManagerItem* pItem) override;
    // The tab paint manager of the ribbon paint manager.
    CKitTabPaintManager* GetPaintManager() const override;
    void RedrawControl(const RECT* pRect, BOOL bAnimate) override;
    BOOL DrawIcon(CDC* pDC, CPoint pt, CKitTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) override;
    // The focus frame shows while the strip is focused and the ribbon tracks.
    BOOL HasFocus() const override;
    // No hot tab while the command bars' mouse manager is locked.
    BOOL IsMouseLocked() const override;

    // Accessibility: the strip is a page tab list whose children (ids tab index + 1) are its tabs; a bad child
    // id answers E_INVALIDARG.
    HRESULT GetAccessibleChildCount(long* pcountChildren) override;
    HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName) override;
    HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
    // A tab child is selected.
    HRESULT AccessibleSelect(long flagsSelect, VARIANT varChild) override;
    HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    // Outside the bar window or the strip S_FALSE; else the tab under the point, or the strip itself.
    HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;
    // A tab child is selected.
    HRESULT AccessibleDoDefaultAction(VARIANT varChild) override;

private:
    BOOL m_bFocused = FALSE;
    CKitRibbonTabPopupToolBar* m_pPopupToolBar = nullptr;
};
