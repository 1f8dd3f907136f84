// CKitRibbonBar: the ribbon, a menu bar with a caption band, tabs, groups and a quick access toolbar.
#pragma once

#include "framework/geometry.h"
#include "toolkit/commandbars/menu_bar.h"
#include "toolkit/themes/ribbon/ribbon_scrollable_bar.h"

#include <vector>

class CKitControl;
class CKitFrameHook;
class CKitRibbonControlSystemButton;
class CKitRibbonControlTab;
class CKitRibbonPaintManager;
class CKitRibbonQuickAccessControls;
class CKitRibbonTab;
class CKitRibbonTabContextHeader;

// Docks at the top of its site frame; all of it is drawn by the ribbon paint manager.
class CKitRibbonBar : public CKitMenuBar, public CKitRibbonScrollableBar {
    DECLARE_DYNCREATE(CKitRibbonBar)
public:
    static constexpr UINT kIdQuickAccessPopup = 9603;
    static constexpr UINT kIdTabStrip = 9604;
    static constexpr UINT kIdQuickAccessMore = 9611;

    // Makes the tab strip and the quick access controls.
    CKitRibbonBar();
    ~CKitRibbonBar() override;

    // The ribbon paint manager of the bar's paint manager.
    CKitRibbonPaintManager* GetRibbonPaintManager() const;

    CKitRibbonControlTab* GetControlTab() const { return m_pControlTab; }
    CKitRibbonQuickAccessControls* GetQuickAccessControls() const { return m_pQuickAccessControls; }
    // The application button; null when the ribbon has none.
    CKitRibbonControlSystemButton* GetSystemButton() const { return m_pSystemButton; }
    // Present only while the site frame is skinned; owned.
    CKitFrameHook* GetFrameHook() const { return m_pFrameHook; }

    // A new tab with the caption and id at the end of the strip.
    CKitRibbonTab* AddTab(const CString& strCaption, int nId);
    int GetTabCount() const;
    // Null out of range.
    CKitRibbonTab* GetTab(int nIndex) const;
    CKitRibbonTab* GetSelectedTab() const;
    // Asks the owner site (TCN_SELCHANGING) before the selected tab changes; a non-zero answer vetoes.
    virtual LRESULT OnTabChanging(CKitRibbonTab* pTab);
    // Tells the owner site (TCN_SELCHANGE) that the tab is selected.
    virtual void OnTabChanged(CKitRibbonTab* pTab);

    // 2 while the tabs row is hidden, else the ribbon paint manager's tabs height.
    virtual int GetTabsHeight() const;
    // The caption band's height: the painter's, raised to hold a quick access toolbar above the tabs.
    int GetCaptionHeight() const;
    // Three control rows and a group caption.
    int GetGroupsAreaHeight() const;

    // The caption band is drawn: the frame is skinned or the bar draws its own caption.
    BOOL IsCaptionVisible() const { return m_pFrameHook != nullptr || m_bShowCaptionBar; }
    // Groups shown, a tab selected and the ribbon not minimised.
    BOOL IsGroupsVisible() const;
    BOOL IsTabsVisible() const { return m_bTabsVisible; }
    BOOL IsQuickAccessBelowRibbon() const { return m_bQuickAccessBelow; }
    BOOL IsQuickAccessVisible() const { return m_bQuickAccessVisible; }
    // The quick access toolbar shows at least one control.
    BOOL HasVisibleQuickAccessControl() const;
    BOOL IsRibbonMinimized() const { return m_bMinimized; }
    // The system button is open with its backstage view.
    BOOL IsBackstageViewVisible() const;
    // The last size test found the bar long enough and its site high enough.
    BOOL IsRibbonVisible() const { return m_bRibbonVisible; }
    // Whether the skinned site frame is drawn through desktop composition.
    virtual BOOL IsDwmEnabled() const;

    // Rectangles of the last layout, in bar coordinates.
    CRect GetCaptionRect() const { return m_rcCaption; }
    CRect GetTitleRect() const { return m_rcTitle; }
    CRect GetTabControlRect() const { return m_rcTabControl; }
    CRect GetGroupsRect() const { return m_rcGroups; }
    CRect GetQuickAccessRect() const { return m_rcQuickAccess; }
    int GetQuickAccessHeight() const { return m_nQuickAccessHeight; }

    int GetContextHeaderCount() const { return static_cast<int>(m_arrContextHeaders.size()); }
    // Throws the invalid-argument exception out of range.
    CKitRibbonTabContextHeader* GetContextHeader(int nIndex) const;

protected:
    // Empties and deletes the context headers.
    void RemoveContextHeaders();

    CRect m_rcTabControl;
    CRect m_rcGroups;
    CRect m_rcCaption;
    CRect m_rcTitle;
    CRect m_rcQuickAccess;
    BOOL m_bGroupsVisible = TRUE;
    BOOL m_bTabsVisible = TRUE;
    BOOL m_bQuickAccessBelow = FALSE;
    BOOL m_bQuickAccessVisible = TRUE;
    int m_nQuickAccessHeight = 0;
    CKitRibbonQuickAccessControls* m_pQuickAccessControls;
    CKitRibbonControlTab* m_pControlTab;
    CKitRibbonControlSystemButton* m_pSystemButton = nullptr;
    CKitFrameHook* m_pFrameHook = nullptr;
    std::vector<CKitRibbonTabContextHeader*> m_arrContextHeaders;
    BOOL m_bMinimized = FALSE;
    BOOL m_bRibbonVisible = TRUE;
    BOOL m_bShowCaptionBar = TRUE;
};
