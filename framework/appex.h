// CWinAppEx, CContextMenuManager, CKeyboardManager, CTooltipManager, CTooltipParams: the application with a state manager and its thin UI managers.
#pragma once

#include "framework/winapp.h"

#include <memory>
#include <utility>
#include <vector>

class CFrameWnd;

// Named popup menus that views show as context menus.
class CContextMenuManager {
public:
    // Records menu resource uiMenuResId under lpszName; FALSE when the name is taken.
    BOOL AddMenu(LPCSTR lpszName, UINT uiMenuResId);
    // The resource id registered under lpszName, or 0.
    UINT GetMenuByName(LPCSTR lpszName) const;
    const std::vector<std::pair<CString, UINT>>& GetMenus() const { return m_menus; }
    // Shows the first popup of menu resource uiMenuResId at screen point (x, y)
    // until it closes; its command goes to pWnd. FALSE when the menu cannot be loaded.
    BOOL ShowPopupMenu(UINT uiMenuResId, int x, int y, CWnd* pWnd, BOOL bOwnMessage = FALSE);

private:
    std::vector<std::pair<CString, UINT>> m_menus;
};

// Keyboard shortcuts are the frame's accelerators; this records that it was started.
class CKeyboardManager {
public:
    BOOL m_bInitialized = TRUE;
};

// How tooltips look.
class CTooltipParams {
public:
    BOOL m_bBoldLabel = TRUE;
    BOOL m_bDrawDescription = TRUE;
    BOOL m_bDrawIcon = TRUE;
    int m_nMaxDescrWidth = 200;
    // Drawing follows the visual theme.
    BOOL m_bDrawWithTheme = FALSE;
    COLORREF m_clrFill = static_cast<COLORREF>(-1);
    COLORREF m_clrFillGradient = static_cast<COLORREF>(-1);
    COLORREF m_clrText = static_cast<COLORREF>(-1);
    COLORREF m_clrBorder = static_cast<COLORREF>(-1);
};

// Tooltip kinds SetTooltipParams applies to.
constexpr UINT AFX_TOOLTIP_TYPE_DEFAULT = 0x0001;
constexpr UINT AFX_TOOLTIP_TYPE_TOOLBAR = 0x0002;
constexpr UINT AFX_TOOLTIP_TYPE_ALL = 0xFFFF;

// Records the tooltip parameters set for each kind.
class CTooltipManager {
public:
    // pParams null restores the defaults.
    void SetTooltipParams(UINT nTypes, CRuntimeClass* pRTC, const CTooltipParams* pParams);
    UINT GetTypes() const { return m_nTypes; }
    CRuntimeClass* GetTooltipClass() const { return m_pTooltipClass; }
    const CTooltipParams& GetParams() const { return m_params; }

private:
    UINT m_nTypes = 0;
    CRuntimeClass* m_pTooltipClass = nullptr;
    CTooltipParams m_params;
};

class CWinAppEx : public CWinApp {
    DECLARE_DYNAMIC(CWinAppEx)
public:
    explicit CWinAppEx(BOOL bResourceSmartUpdate = FALSE);
    ~CWinAppEx() override;

    BOOL InitContextMenuManager();
    BOOL InitKeyboardManager();
    BOOL InitTooltipManager();
    CContextMenuManager* GetContextMenuManager() const { return m_pContextMenuManager.get(); }
    CKeyboardManager* GetKeyboardManager() const { return m_pKeyboardManager.get(); }
    CTooltipManager* GetTooltipManager() const { return m_pTooltipManager.get(); }
    // Needs InitTooltipManager; FALSE without it.
    BOOL SetTooltipParams(UINT nTypes, CRuntimeClass* pRTC = nullptr, const CTooltipParams* pParams = nullptr);

    // Called by CFrameWndEx::LoadFrame once the main frame exists: the
    // pre-load-state hook, then the loading of the saved state.
    BOOL LoadState(CFrameWnd* pFrame);
    // Called before the frame's state is loaded (register context menus here).
    virtual void PreLoadState();
    virtual void LoadCustomState();

    BOOL m_bResourceSmartUpdate;
    // How often LoadState ran.
    int m_nStateLoads = 0;

private:
    std::unique_ptr<CContextMenuManager> m_pContextMenuManager;
    std::unique_ptr<CKeyboardManager> m_pKeyboardManager;
    std::unique_ptr<CTooltipManager> m_pTooltipManager;
};
