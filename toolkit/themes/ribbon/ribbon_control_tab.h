// CKitRibbonControlTab: the ribbon's tab strip, a command-bar control that is also the tabs' manager.
#pragma once

#include "toolkit/commandbars/control.h"
#include "toolkit/themes/tabs/tab_manager.h"

class CKitRibbonBar;
class CKitRibbonTab;

// Holds the CKitRibbonTab items; the ribbon bar draws it through the ribbon paint manager's tab painter.
class CKitRibbonControlTab : public CKitControlPopup, public CKitTabManager {
    DECLARE_DYNCREATE(CKitRibbonControlTab)
public:
    static constexpr UINT kId = 9604;

    // A temporary control never offered for the quick access toolbar.
    CKitRibbonControlTab();
    ~CKitRibbonControlTab() override;

    // The ribbon bar the strip stands on; null before it is placed.
    CKitRibbonBar* GetRibbonBar() const;
    CKitRibbonTab* GetSelectedTab() const;

    void SetFocused(BOOL bFocused) override;
    BOOL IsFocused() const override { return m_bFocused; }
    // Left and Right move between the tabs, Down to the first control after the strip; FALSE when not taken.
    virtual BOOL OnKeyDown(UINT nChar);
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

private:
    BOOL m_bFocused = FALSE;
};
