// CMFCMenuBar, CMFCToolBar, CMFCStatusBar, CDockablePane, CMFCVisualManager: the bars and panes of frames with
// the extended look.
#pragma once

#include "framework/controlbar.h"
#include "framework/statusbar.h"

// Ids of the extended frame's own bars.
#define AFX_IDW_MENUBAR 0xE81A

// Pane styles of the docking panes (recorded; the panes dock where they are put).
constexpr DWORD AFX_CBRS_FLOAT = 0x0001;
constexpr DWORD AFX_CBRS_AUTOHIDE = 0x0002;
constexpr DWORD AFX_CBRS_RESIZE = 0x0004;
constexpr DWORD AFX_CBRS_CLOSE = 0x0008;
constexpr DWORD AFX_DEFAULT_DOCKING_PANE_STYLE = AFX_CBRS_FLOAT | AFX_CBRS_AUTOHIDE | AFX_CBRS_RESIZE | AFX_CBRS_CLOSE;
constexpr DWORD AFX_CBRS_REGULAR_TABS = 0x0000;
constexpr DWORD CBRS_FLOAT_MULTI = 0x0080L;
constexpr DWORD CBRS_LEFT = CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT;

// The look of the bars: which manager draws them.
class CMFCVisualManager : public CObject {
    DECLARE_DYNCREATE(CMFCVisualManager)
public:
    static void SetDefaultManager(CRuntimeClass* pRTI);
    static CRuntimeClass* GetDefaultManager();
};

class CMFCVisualManagerWindows : public CMFCVisualManager {
    DECLARE_DYNCREATE(CMFCVisualManagerWindows)
};

// Popup menus of the bars.
class CMFCPopupMenu {
public:
    // Whether a popup menu takes the keyboard focus when it opens.
    static void SetForceMenuFocus(BOOL bValue) { s_forceMenuFocus = bValue; }
    static BOOL GetForceMenuFocus() { return s_forceMenuFocus; }

private:
    static inline BOOL s_forceMenuFocus = TRUE;
};

// The frame's menu shown as a bar of buttons; a click opens the item's popup, whose commands go to the frame.
class CMFCMenuBar : public CControlBar {
    DECLARE_DYNAMIC(CMFCMenuBar)
public:
    // Takes the menu of pParentWnd (removed from its window) and shows its top-level items.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_MENUBAR);
    void SetPaneStyle(DWORD dwStyle) { SetBarStyle(dwStyle); }
    DWORD GetPaneStyle() const { return GetBarStyle(); }
    // The menu shown.
    HMENU GetHMenu() const { return m_hMenu; }
    void EnableDocking(DWORD dwDockStyle) { m_dockStyle = dwDockStyle; }
    // Opens the popup of top-level item nIndex below its button.
    void ShowPopup(int nIndex);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    HMENU m_hMenu = nullptr;
    DWORD m_dockStyle = 0;
};

// A toolbar with a caption and a customize button.
class CMFCToolBar : public CToolBar {
    DECLARE_DYNAMIC(CMFCToolBar)
public:
    void SetPaneStyle(DWORD dwStyle) { SetBarStyle(dwStyle); }
    DWORD GetPaneStyle() const { return GetBarStyle(); }
    // The customize command offered at the toolbar's end, and its text.
    void EnableCustomizeButton(BOOL bEnable, int iCustomizeCmd, const CString& strCustomizeText);
    int GetCustomizeCommand() const { return m_customizeCommand; }
    const CString& GetCustomizeText() const { return m_customizeText; }
    void EnableDocking(DWORD dwDockStyle) { m_dockStyle = dwDockStyle; }

    // Images of toolbar resource uiResID offered to the menus.
    static BOOL AddToolBarForImageCollection(UINT uiResID, UINT uiBmpResID = 0, UINT uiColdResID = 0,
                                             UINT uiMenuResID = 0, UINT uiDisabledResID = 0,
                                             UINT uiMenuDisabledResID = 0);
    static const std::vector<UINT>& GetImageCollections() { return s_imageCollections; }
    // Alt+drag moves buttons between toolbars.
    static void EnableQuickCustomization(BOOL bEnable = TRUE) { s_quickCustomization = bEnable; }
    static BOOL IsQuickCustomization() { return s_quickCustomization; }

protected:
    // A flat toolbar leaves its background to the parent: the bar paints it itself.
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);

    DECLARE_MESSAGE_MAP()

private:
    int m_customizeCommand = 0;
    CString m_customizeText;
    DWORD m_dockStyle = 0;
    static inline std::vector<UINT> s_imageCollections;
    static inline BOOL s_quickCustomization = FALSE;
};

class CMFCStatusBar : public CStatusBar {
    DECLARE_DYNAMIC(CMFCStatusBar)
};

// A pane docked at an edge of its frame, with a caption (its window text and small icon) above its client area.
class CDockablePane : public CControlBar {
    DECLARE_DYNAMIC(CDockablePane)
public:
    // rect gives the docked width (left or right) or height (top or bottom).
    BOOL Create(LPCSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, BOOL bHasGripper, UINT nID, DWORD dwStyle,
                DWORD dwTabbedStyle = AFX_CBRS_REGULAR_TABS, DWORD dwControlBarStyle = AFX_DEFAULT_DOCKING_PANE_STYLE);
    void SetIcon(HICON hIcon, BOOL bBigIcon);
    HICON GetIcon() const { return m_hIcon; }
    void EnableDocking(DWORD dwDockStyle) { m_dockStyle = dwDockStyle; }
    DWORD GetEnabledAlignment() const { return m_dockStyle; }
    // Height of the caption above the client area.
    static int CaptionHeight();

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    // The caption and the inner gap lie outside the client area.
    afx_msg LRESULT OnNcCalcSizeMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcPaintMessage(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    CSize m_size;
    HICON m_hIcon = nullptr;
    DWORD m_dockStyle = 0;
};
