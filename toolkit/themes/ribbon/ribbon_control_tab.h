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

    virtual void SetFocused(BOOL bFocused);
    virtual BOOL IsFocused() const { return m_bFocused; }

    // Tab manager side.
    void Reposition() override;
    // The tab paint manager of the ribbon paint manager.
    CKitTabPaintManager* GetPaintManager() const override;
    void RedrawControl(const RECT* pRect, BOOL bAnimate) override;
    BOOL DrawIcon(CDC* pDC, CPoint pt, CKitTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) override;

private:
    BOOL m_bFocused = FALSE;
};
