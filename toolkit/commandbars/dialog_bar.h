// CKitDialogBar: a toolbar that hosts a child window under a caption strip and is resized freely by its borders.
#pragma once

#include "framework/geometry.h"
#include "framework/msgmap.h"
#include "framework/strings.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/commandbars/toolbar.h"

// The command ids of a dialog bar's caption controls.
constexpr UINT kitIdDialogBarCaption = 9147;
constexpr UINT kitIdDialogBarHide = kitIdToolbarClose;

class CKitDialogBar : public CKitToolBar {
    DECLARE_DYNCREATE(CKitDialogBar)
public:
    class CControlButtonHide;
    class CControlCaptionPopup;
    class CCaptionPopupBar;

    // The caption controls are squares and strips of this height.
    static constexpr int kCaptionControlSize = 16;
    // The sizing border inside the window edge.
    static constexpr int kSizingBorder = 3;
    static constexpr int kDefaultMargin = 3;
    static constexpr int kMinClientSize = 50;
    static constexpr int kDefaultClientSize = 200;
    // The length a floating bar is laid out for.
    static constexpr int kFloatingLength = 32000;

    CKitDialogBar();
    ~CKitDialogBar() override;

    BOOL IsDialogBar() const override { return TRUE; }
    BOOL IsFreeResizable() const override { return TRUE; }

    // The window shown in the client area; made a child of the bar when the bar has a window.
    void SetChild(CWnd* pChild);
    CWnd* GetChild() const { return m_pChild; }
    // The caption text; empty shows the window text.
    void SetCaption(LPCSTR lpszCaption);
    const CString& GetCaption() const { return m_strCaption; }
    BOOL IsCaptionVisible() const { return m_bCaptionVisible; }
    void SetCaptionVisible(BOOL bVisible);
    // Whether the caption may open the caption popup bar (when that has controls).
    BOOL IsCaptionPopupAllowed() const { return m_bCaptionPopup; }
    void SetCaptionPopupAllowed(BOOL bAllow) { m_bCaptionPopup = bAllow; }
    // The menu the caption opens; the application fills it.
    CKitPopupBar* GetCaptionPopupBar() const;
    BOOL IsResizable() const { return m_bResizable; }
    void SetResizable(BOOL bResizable) { m_bResizable = bResizable; }
    CSize GetDockedClientSize() const { return m_szDockedClient; }
    void SetDockedClientSize(CSize size) { m_szDockedClient = size; }
    CSize GetFloatingClientSize() const { return m_szFloatingClient; }
    void SetFloatingClientSize(CSize size) { m_szFloatingClient = size; }
    CSize GetMinClientSize() const { return m_szMinClient; }
    // The caption strip's height from the window top, as the last layout found it (0 without a caption).
    int GetCaptionHeight() const { return m_nCaptionHeight; }
    // Whether the keyboard focus is inside the bar, as the last idle update found it.
    BOOL IsActive() const { return m_bActive; }

    // The margins around the hosted window, the top one grown by the caption.
    CRect GetClientMargins();
    // The bar's size around a client area, with the caption controls placed.
    CSize CalcBarSize(int nLength, DWORD dwMode, int cxClient, int cyClient);
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    CSize CalcDockLayout(int nLength, DWORD dwMode) override;
    void OnRecalcLayout() override;
    // 1 when the client point lies in the caption strip, else -2.
    int HitTestCaption(CPoint point) const;
    // A press on the caption drags the bar, unless it falls on the hide button or on a caption with a menu.
    BOOL IsDragPoint(CPoint point) const override;
    // The rectangle of a free resize: ignored below the minimum size, else the floating client size or the
    // docked width (left and right borders) or height is taken from it.
    void ApplyFreeResize(const CRect& rcWindow, int nHitTest) override;
    // The active flag follows the focus; then the command bar's update.
    void OnIdleUpdateCmdUI() override;

protected:
    // The caption strip's height as the paint manager measures it in the command-bar font.
    int MeasureCaption();
    // Moves the hosted window inside the margins.
    void PlaceChild();

    afx_msg LRESULT OnNcHitTestDialogBar(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcLButtonDownDialogBar(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()

    CRect m_rcMargins{kDefaultMargin, kDefaultMargin, kDefaultMargin, kDefaultMargin};
    BOOL m_bResizable = TRUE;
    CSize m_szMinClient{kMinClientSize, kMinClientSize};
    BOOL m_bCaptionVisible = TRUE;
    BOOL m_bCaptionPopup = TRUE;
    int m_nCaptionHeight = 0;
    CSize m_szDockedClient{kDefaultClientSize, kDefaultClientSize};
    CSize m_szFloatingClient{kDefaultClientSize, kDefaultClientSize};
    CWnd* m_pChild = nullptr;
    CString m_strCaption;
    // Owned (one reference).
    CCaptionPopupBar* m_pCaptionPopupBar;
    BOOL m_bActive = FALSE;
};

// The caption's hide button: a symbol-font cross on the control's face; executing it hides the bar.
class CKitDialogBar::CControlButtonHide : public CKitControlButtonHide {
    DECLARE_DYNCREATE(CKitDialogBar::CControlButtonHide)
public:
    CControlButtonHide();
    void Draw(CDC* pDC) override;
};

// The caption text, which opens the caption popup bar when that is enabled.
class CKitDialogBar::CControlCaptionPopup : public CKitControlPopup {
    DECLARE_DYNCREATE(CKitDialogBar::CControlCaptionPopup)
public:
    CControlCaptionPopup();
    BOOL IsPopupEnabled() const { return m_bPopupEnabled; }
    void SetPopupEnabled(BOOL bEnabled) { m_bPopupEnabled = bEnabled; }
    void Draw(CDC* pDC) override;
    // Does nothing while the popup is not enabled.
    BOOL SetPopup(BOOL bPopup) override;
    // Always the horizontal case: the menu drops below the caption whatever the docking.
    void AdjustExcludeRect(CRect& rc, BOOL bVertical) override;

private:
    BOOL m_bPopupEnabled = FALSE;
};

// The caption's menu: always drops below the caption, its right edge at the caption's right.
class CKitDialogBar::CCaptionPopupBar : public CKitPopupBar {
    DECLARE_DYNCREATE(CKitDialogBar::CCaptionPopupBar)
public:
    CCaptionPopupBar();
    void UpdateExcludeRect() override;
};
