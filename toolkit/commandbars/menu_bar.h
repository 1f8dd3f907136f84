// CKitMenuBar, CKitMenuBarMDIMenus, CKitMenuBarMDIMenuInfo: the toolbar that replaces a frame's menu, with one set of controls per document type and the buttons of a maximized MDI child.
#pragma once

#include "toolkit/commandbars/toolbar.h"

#include <map>

// Asked of an MDI child for the icon of its system-menu popup (answer the icon).
constexpr UINT WM_KIT_GETTABICON = 0x2860;

class CKitControls;
class CKitMenuBar;

// The controls of one menu resource (reference counted).
class CKitMenuBarMDIMenuInfo : public CCmdTarget {
    DECLARE_DYNAMIC(CKitMenuBarMDIMenuInfo)
public:
    CKitMenuBarMDIMenuInfo(CKitCommandBarManager* pCommandBars, UINT nIDMenu);
    ~CKitMenuBarMDIMenuInfo() override;

    // Owned: one reference.
    CKitControls* m_pControls;
    UINT m_nIDMenu;
    BOOL m_bChanged = FALSE;
};

// The menu bar's sets of controls by menu resource id.
class CKitMenuBarMDIMenus : public CCmdTarget {
    DECLARE_DYNAMIC(CKitMenuBarMDIMenus)
public:
    explicit CKitMenuBarMDIMenus(CKitMenuBar* pMenuBar) : m_pMenuBar(pMenuBar) {}
    ~CKitMenuBarMDIMenus() override { RemoveAll(); }

    CKitMenuBarMDIMenuInfo* Lookup(UINT nIDMenu) const;
    // Takes over one reference.
    void SetAt(UINT nIDMenu, CKitMenuBarMDIMenuInfo* pInfo);
    void Remove(UINT nIDMenu);
    void RemoveAll();
    int GetCount() const { return static_cast<int>(m_infos.size()); }
    const std::map<UINT, CKitMenuBarMDIMenuInfo*>& GetMap() const { return m_infos; }

private:
    CKitMenuBar* m_pMenuBar;
    std::map<UINT, CKitMenuBarMDIMenuInfo*> m_infos;
};

class CKitMenuBar : public CKitToolBar {
    DECLARE_DYNCREATE(CKitMenuBar)
public:
    // The MDI buttons' command ids.
    static constexpr UINT kIdCloseWindow = 9151;
    static constexpr UINT kIdRestoreWindow = 9152;
    static constexpr UINT kIdMinimizeWindow = 9153;
    static constexpr UINT kIdSysMenu = 9154;
    // The timer that refreshes the MDI buttons.
    static constexpr UINT_PTR kTimerMdiButtons = 12223;
    // Flags that keep a button away.
    static constexpr DWORD kFlagNoMinimize = 0x100;
    static constexpr DWORD kFlagNoRestore = 0x200;
    static constexpr DWORD kFlagNoMDISetMenu = 0x400;
    static constexpr DWORD kFlagNoClose = 0x1000;
    // Shows the maximized child's system menu as a popup at the left.
    static constexpr DWORD kFlagSysMenu = 0x2000;

    CKitMenuBar();
    ~CKitMenuBar() override;

    // Fills the bar from the menu resource (when non-zero), takes the frame's own menu away and
    // watches the frame; 0 when the resource does not load.
    virtual BOOL LoadMenuBar(UINT nIDMenu);
    // Shows the controls of the menu id, made from the menu when the id has none yet.
    virtual void ActivateMDIMenu(UINT nIDMenu, HMENU hMenu);
    // Adds or removes the minimize, restore and close buttons for the active child.
    virtual void RefreshMDIButtons();
    // Re-hooks the active child and refreshes the buttons of a visible bar.
    void UpdateMdiButtons();
    // The menu a document gives the frame (null: the frame's own) becomes the bar's controls, unless the bar keeps
    // its own; the MDI buttons follow the active child.
    virtual void SwitchMdiMenu(HMENU hMenu);

    UINT GetDefaultMenuId() const { return m_nIDDefaultMenu; }
    UINT GetCurrentMenuId() const { return m_nIDCurrentMenu; }
    BOOL IsMDI() const { return m_bMDI; }
    CKitMenuBarMDIMenus* GetMDIMenus() const { return m_pMDIMenus; }
    // The MDI client of the site frame, or null.
    HWND GetMDIClient() const;
    // The active MDI child and whether it is maximized; null outside an MDI frame.
    HWND GetActiveMdiChild(BOOL* pMaximized) const;

    // Leaving tracking mode drops the focus hook; the bar's own hooks are set again.
    BOOL SetTrackingMode(int nMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE) override;
    void Reset(BOOL bAsk) override;
    BOOL ShouldSerializeBar() const override;
    void Copy(const CKitCommandBar* pSource, BOOL bRecursive) override;
    void DoPropExchange(CKitPropExchange* pPX) override;
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

protected:
    // Watches the site frame and its MDI client.
    void RefreshMdiState();
    void RehookActiveChild();
    // The frame's saved menu goes back to it.
    void RestoreFrameMenu();

    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    BOOL m_bMDI = FALSE;
    HWND m_hHookedChild = nullptr;
    HWND m_hHookedSite = nullptr;
    HWND m_hHookedClient = nullptr;
    HMENU m_hSavedMenu = nullptr;
    UINT m_nIDDefaultMenu = 0;
    UINT m_nIDCurrentMenu = 0;
    CKitMenuBarMDIMenus* m_pMDIMenus;
    BOOL m_bMDIMenusLoaded = FALSE;
};

// A button of a maximized MDI child: minimize, restore or close.
class CKitControlMDIButton : public CKitControlButton {
    DECLARE_DYNCREATE(CKitControlMDIButton)
public:
    CKitControlMDIButton();
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    // Posts the system command to the active child.
    void OnExecute() override;
};

// The system menu of a maximized MDI child, shown as the child's icon at the left of the bar.
class CKitControlMDISysMenuPopup : public CKitControlPopup {
    DECLARE_DYNCREATE(CKitControlMDISysMenuPopup)
public:
    CKitControlMDISysMenuPopup();
    ~CKitControlMDISysMenuPopup() override;

    // Takes the child's icon and fills the popup bar from its system menu.
    void SetMDISysMenu(HWND hChild, HMENU hMenu);
    HMENU GetMDISysMenu() const { return m_hMenu; }
    HICON GetMDIIcon() const { return m_hIcon; }

    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void AdjustExcludeRect(CRect& rc, BOOL bVertical) override;

private:
    HMENU m_hMenu = nullptr;
    HICON m_hIcon = nullptr;
};
