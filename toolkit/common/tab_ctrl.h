// CKitTcbItem, CKitTabBase, CKitTabExBase, CKitTabCtrlBase, CKitTabCtrl, CKitTabCtrlButtons: the themed tab control whose tabs host windows and views.
#pragma once

#include "framework/controls.h"
#include "framework/docview.h"

#include <windows.h>

#include <vector>

class CFrameWnd;
class CKitTabBaseTheme;
class CKitTabCtrlButtons;

// One tab: the window it hosts and its texts.
struct CKitTcbItem {
    UINT uiToolTipId = 0;
    CWnd* pWnd = nullptr;
    CString szTabLabel;
    CString szToolTipLabel;
    CString szCondensedLabel;
    DWORD dwStyle = 0;
    DWORD dwExStyle = 0;
    int nReserved[4] = {-1, -1, -1, -1};
};

// The part bound to the window: the theme, painting, child rectangle and fonts.
class CKitTabBase {
public:
    CKitTabBase();
    virtual ~CKitTabBase();
    CKitTabBase(const CKitTabBase&) = delete;
    CKitTabBase& operator=(const CKitTabBase&) = delete;

    // The rectangle of the hosted windows; empty when no tab is selected.
    virtual BOOL GetChildRect(CRect& rect) const;
    // The theme recomputes its metrics and the control is redrawn.
    virtual void RefreshTheme();
    virtual void Initialize();
    // Pads the label with spaces until it is as wide in the normal font as in the bold one.
    virtual void PadTabLabel(CString& strLabel);
    virtual void PreSubclassWindowImpl();
    virtual BOOL PreCreateWindowImpl(CREATESTRUCT& cs);

    // 4 Office XP, 5 Office 2003, any other id the default theme.
    BOOL SetTheme(int nTheme);
    CKitTabBaseTheme* GetTheme() const { return m_pTheme; }
    void OnPaintImpl();
    CWnd* GetTabWindowPtr() const { return m_pTabCtrl; }
    CKitTabCtrlButtons* GetStripButtons() const { return m_pNavBtns; }
    BOOL IsShortenLabels() const { return m_bAutoCondensing; }
    BOOL IsBoldSelected() const { return m_bBoldNormal != 0; }
    BOOL IsHostedBorder() const { return m_bXPBorder != 0; }
    void SetHostedBorder(BOOL bBorder) { m_bXPBorder = static_cast<BYTE>(bBorder ? 1 : 0); }

protected:
    // Binds the part to its window and makes the strip buttons; called by the window class's constructor.
    void Bind(CWnd* pTabCtrl);

    BYTE m_bBoldNormal;
    BYTE m_bXPBorder;
    BOOL m_bAutoCondensing;
    CWnd* m_pTabCtrl;
    CKitTabCtrlButtons* m_pNavBtns;
    BOOL m_bPreSubclassInit;
    CKitTabBaseTheme* m_pTheme;
};

// The list of tabs and everything that hosts windows and views.
class CKitTabExBase : public CKitTabBase {
public:
    // Working record of label shortening.
    struct ITEMANDWIDTH {
        CKitTcbItem* pItem = nullptr;
        int nWidth = 0;
        bool bHasImage = false;
        bool bFinished = false;
        int nIndex = 0;
        CString strLabel;
    };
    CKitTabExBase();
    ~CKitTabExBase() override;

    void Initialize() override;

    virtual void SetTabFont();
    virtual HWND GetToolTips() const;
    virtual void SetToolTips(HWND hWndTip);
    virtual BOOL AddToolTip(UINT nID, LPCSTR lpszText);
    virtual BOOL UpdateToolTipByClass(CRuntimeClass* pClass, LPCSTR lpszText);
    virtual BOOL UpdateToolTip(int nIndex, LPCSTR lpszText);
    virtual void ResetToolTips();
    virtual BOOL EnableToolTips(BOOL bEnable);
    virtual BOOL AddView(LPCSTR lpszLabel, CRuntimeClass* pViewClass, CDocument* pDoc = nullptr,
                         CCreateContext* pContext = nullptr, int nIndex = -1, int nIcon = -1, LPARAM lParam = 0);
    virtual BOOL AddWindow(LPCSTR lpszLabel, CWnd* pWnd, int nIndex = -1, int nIcon = -1, LPARAM lParam = 0);
    virtual BOOL AddTabWindow(LPCSTR lpszLabel, CWnd* pWnd, int nIndex, int nIcon, LPARAM lParam);
    virtual CWnd* GetTabWindowByClass(CRuntimeClass* pClass) const;
    virtual CWnd* GetTabWindow(int nIndex) const;
    virtual CWnd* GetActiveTabWindow() const;
    virtual void ActivateTabWindow(CWnd* pWnd);
    virtual void SetActiveTabByClass(CRuntimeClass* pClass);
    virtual void SetActiveTabByWindow(CWnd* pWnd);
    virtual void SetActiveTab(int nIndex);
    virtual BOOL DeleteTabByClass(CRuntimeClass* pClass, BOOL bDestroy = TRUE);
    virtual BOOL DeleteTabByWindow(CWnd* pWnd, BOOL bDestroy = TRUE);
    virtual BOOL DeleteTab(int nIndex, BOOL bDestroy = TRUE);
    virtual LPCSTR GetTabCaptionByClass(CRuntimeClass* pClass) const;
    virtual LPCSTR GetTabCaption(int nIndex) const;
    virtual void RepositionTabs();
    virtual BOOL ResizeTabWindow(HDWP& hDWP, CWnd* pWnd);
    virtual void MoveTabWindow(CWnd* pWnd);
    virtual void DeleteTabRecord(size_t nPosition, BOOL bDestroy);
    virtual BOOL DeleteAllTabs(BOOL bDestroy = TRUE);
    // The tab at (x, y), (0, 0) meaning the cursor; -1 for none.
    virtual int HitTestTab(int x = 0, int y = 0) const;
    virtual BOOL IsTabWindow(CWnd* pWnd) const;
    virtual BOOL ModifyTabStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    virtual void SetContextMenu(UINT nMenuID, int nSubMenu = 0);
    virtual UINT GetContextMenuId() const;
    virtual void SetSendInitialUpdate(BOOL bSend);
    virtual void ApplyThemeToTabWindows();
    virtual void RememberCurSel();
    virtual void OnSelChangeImpl();
    virtual CWnd* CreateTabView(CRuntimeClass* pViewClass, CDocument* pDoc, CCreateContext* pContext);
    virtual BOOL OnCmdMsgImpl(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    virtual BOOL PreTranslateMessageImpl(MSG* pMsg);
    virtual void OnWindowPosChangedImpl(WINDOWPOS* lpWndPos);
    virtual void RefreshShortenedLabels();

    // Shortens labels with "..." so that all tabs fit; off restores the captions.
    void SetShortenLabels(BOOL bShorten);
    void LayoutShortenedLabels();
    void NextTab();
    void PreviousTab();
    int GetTabCount() const { return static_cast<int>(m_items.size()); }
    CKitTcbItem* GetTabRecord(int nIndex) const;
    const CString& GetDisplayedLabel(int nIndex) const;

protected:
    // The previously active view becomes active again when it still exists, else the frame has none.
    void RestorePreviousView();
    CView* ActiveFrameView() const;
    int FindTab(CWnd* pWnd) const;
    int FindTabByClass(CRuntimeClass* pClass) const;

    std::vector<CKitTcbItem*> m_items;
    int m_nContextMenuSub;
    UINT m_nContextMenuID;
    BOOL m_bSendInitialUpdate;
    CWnd* m_pParentWnd;
    CFrameWnd* m_pParentFrame;
    CView* m_pLastActiveView;
    int m_nOldSel;
};

// The window class of the tab control, joined to the hosting part.
class CKitTabCtrlBase : public CTabCtrl, public CKitTabExBase {
    DECLARE_DYNAMIC(CKitTabCtrlBase)
public:
    CKitTabCtrlBase();

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void PreSubclassWindow() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
};

class CKitTabCtrl : public CKitTabCtrlBase {
    DECLARE_DYNAMIC(CKitTabCtrl)
public:
    // The strip's close button sends this command to the tab control.
    static constexpr UINT kCloseCommand = 106;

    CKitTabCtrl();
    ~CKitTabCtrl() override;

protected:
    // Sends the notification code as a message to the owner (or parent); its answer.
    LRESULT NotifyOwner(int nCode);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSelChange(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnSelChanging(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnWindowPosChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetControlTheme(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

// The strip's own scroll and close buttons over the native scroll arrows.
class CKitTabCtrlButtons : public CWnd {
    DECLARE_DYNAMIC(CKitTabCtrlButtons)
public:
    // Button kinds and state bits of a button record's flags.
    static constexpr DWORD kKindClose = 8;
    static constexpr DWORD kKindScrollLeft = 2;
    static constexpr DWORD kKindScrollRight = 4;
    static constexpr DWORD kHot = 0x4000;
    static constexpr DWORD kPressed = 0x1000;
    static constexpr DWORD kDisabled = 0x100;
    // Which buttons the strip shows.
    static constexpr DWORD kShowScroll = 1;
    static constexpr DWORD kShowClose = 2;
    static constexpr int kButtonWidth = 14;
    static constexpr int kButtonHeight = 15;
    static constexpr int kGlyphHeight = 13;
    static constexpr UINT kRepeatTimer = 1;
    static constexpr UINT kRepeatMilliseconds = 150;

    struct Button {
        CRect rc;
        DWORD dwFlags = 0;
        CWnd* pTabCtrl = nullptr;
        CKitTabCtrlButtons* pOwner = nullptr;

        DWORD GetKind() const { return dwFlags & 0xFF; }
        BOOL IsHot() const { return (dwFlags & kHot) != 0; }
        BOOL IsPressed() const { return (dwFlags & kPressed) != 0; }
        BOOL IsEnabled() const { return (dwFlags & kDisabled) == 0; }
    };

    explicit CKitTabCtrlButtons(CKitTabBase* pTab);
    ~CKitTabCtrlButtons() override;

    // Subclasses the control's own scroll window, or without one makes a child window of its own.
    void Attach(CWnd* pScrollWnd);
    void Show(BOOL bShow);
    BOOL IsShown() const { return m_bShow; }
    int GetTotalWidth() const;
    void Enable(Button& button, BOOL bEnable);
    void SetButtons(DWORD dwButtons) { m_dwButtons = dwButtons; }
    // Places the window at the right end of the strip.
    void Reposition();
    const Button& GetCloseButton() const { return m_buttons[0]; }
    const Button& GetLeftButton() const { return m_buttons[1]; }
    const Button& GetRightButton() const { return m_buttons[2]; }

protected:
    // The rectangles and enabled states of the buttons.
    void LayoutButtons();
    Button* HitTest(CPoint point);
    // Runs the tracked click of a button; TRUE when released inside.
    BOOL TrackClick(Button& button, BOOL bRepeat);
    void Scroll(Button& button);
    void RedrawButton(const Button& button);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWindowPosChanged(WPARAM wParam, LPARAM lParam);

    Button m_buttons[3];
    DWORD m_dwButtons;
    CWnd* m_pTabCtrl;
    CKitTabBase* m_pTab;
    BOOL m_bShow;
    HWND m_hwndSubclassed;
    HWND m_hwndOwnCreated;

    DECLARE_MESSAGE_MAP()
};
