// CKitRibbonBackstageView, CKitRibbonBackstageCommand, CKitRibbonBackstageTab: the full-window view the system
// button opens in place of its popup menu, with its menu entries.
#pragma once

#include "framework/gdi.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/control.h"

#include <vector>

class CKitRibbonBar;
class CKitRibbonControlSystemButton;

// A menu entry that runs its command and closes the view.
class CKitRibbonBackstageCommand : public CKitControl {
    DECLARE_DYNCREATE(CKitRibbonBackstageCommand)
public:
    CKitRibbonBackstageCommand() : CKitControl(kitControlButton) {}
};

// A menu entry that shows its page beside the menu.
class CKitRibbonBackstageTab : public CKitControl {
    DECLARE_DYNCREATE(CKitRibbonBackstageTab)
public:
    CKitRibbonBackstageTab() : CKitControl(kitControlButton) {}
    explicit CKitRibbonBackstageTab(HWND hPage) : CKitControl(kitControlButton), m_hPage(hPage) {}

    HWND GetPage() const { return m_hPage; }
    int GetMinimumPageWidth() const { return m_nMinPageWidth; }
    int GetMinimumPageHeight() const { return m_nMinPageHeight; }
    void SetMinimumPageSize(int nWidth, int nHeight)
    {
        m_nMinPageWidth = nWidth;
        m_nMinPageHeight = nHeight;
    }
    void Copy(const CKitControl* pSource, BOOL bRecursive) override;

protected:
    HWND m_hPage = nullptr;
    int m_nMinPageWidth = 0;
    int m_nMinPageHeight = 0;
};

// A command bar whose controls are the view's menu entries; while it is open no tab is drawn selected.
class CKitRibbonBackstageView : public CKitCommandBar {
    DECLARE_DYNCREATE(CKitRibbonBackstageView)
public:
    static constexpr int kMinMenuWidth = 132;
    // The site notification for a new active tab.
    static constexpr int kNotifyActiveTab = 0x1100;

    CKitRibbonBackstageView();
    ~CKitRibbonBackstageView() override;

    // Opens the view for the system button; FALSE for any other control.
    BOOL ShowBackstage(CKitControl* pButton);
    // Leaving tracking mode closes the view.
    BOOL SetTrackingMode(int nMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE) override;
    void Close() { SetTrackingMode(FALSE); }

    void SetActiveTab(CKitRibbonBackstageTab* pTab);
    CKitRibbonBackstageTab* GetActiveTab() const { return m_pActiveTab; }
    void SetFocusedEntry(CKitControl* pEntry);
    CKitControl* GetFocusedEntry() const { return m_pFocused; }
    CKitControl* GetHotEntry() const { return m_pHot; }
    // Closes the view, then runs the entry.
    void Execute(CKitControl* pEntry);
    // The visible entry at the client point, or null.
    CKitControl* HitTest(CPoint pt) const;
    int IndexOf(CKitControl* pEntry) const;
    // The active tab's page window when it exists.
    HWND GetActivePage() const;
    int GetMenuWidth() const { return m_nMenuWidth; }
    CKitRibbonControlSystemButton* GetSystemButton() const { return m_pSystemButton; }
    // Places the view under the ribbon's tabs, measures and places the entries and the active page.
    void RecalcLayout();
    // Measures the menu column and places the entries with the DC's fonts.
    void LayoutEntries(CDC* pDC);

    // Mouse and key handling, also reached by the tests without messages.
    void OnMouseMoveAt(CPoint pt);
    void OnLButtonDownAt(CPoint pt);
    void OnLButtonUpAt(CPoint pt);
    void OnKey(UINT nChar);

    void DrawCommandBar(CDC* pDC, CRect rcClip) override;
    // An entry that leaves the view is no longer its hot, focused or active entry.
    int OnControlsChanged() override;
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // The width of the entry's caption in its font, selected into the DC.
    virtual int GetCaptionWidth(CDC* pDC, CKitControl* pEntry);
    // The ribbon bar of the system button; null when it has none.
    CKitRibbonBar* GetRibbonBar() const;
    CFont* GetEntryFont(CKitControl* pEntry) { return IsTab(pEntry) ? &m_fontTab : &m_fontCommand; }
    static BOOL IsTab(const CKitControl* pEntry) { return pEntry->IsKindOf(RUNTIME_CLASS(CKitRibbonBackstageTab)); }
    // The site's windows that were shown, hidden now.
    void HideSiteWindows();
    // The keyboard focus is on a multi-line edit inside the view.
    BOOL IsFocusInMultiLineEdit() const;
    void NotifyRibbonControls();
    void DrawEntry(CDC* pDC, CKitControl* pEntry, COLORREF clrText);

    afx_msg LRESULT OnPaintMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnKeyDownMessage(WPARAM wParam, LPARAM lParam);
    afx_msg void OnCancel();
    afx_msg LRESULT OnMouseMoveMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMouseLeaveMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLButtonDownMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLButtonUpMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetDlgCodeMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDestroyMessage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    int m_nMenuWidth = kMinMenuWidth;
    CFont m_fontCommand;
    CFont m_fontTab;
    CKitControl* m_pHot = nullptr;
    CKitControl* m_pFocused = nullptr;
    CKitRibbonBackstageTab* m_pActiveTab = nullptr;
    CKitRibbonControlSystemButton* m_pSystemButton = nullptr;
    std::vector<HWND> m_hiddenWindows;
    HWND m_hSite = nullptr;
};
