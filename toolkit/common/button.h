// CKitButton: the themed button (push button, check box, radio button, group box) with icon, hover, drop-down and split styles.
#pragma once

#include "framework/controls.h"

#include <windows.h>

#include <memory>

class CKitButtonTheme;
class CKitEdit;
class CKitImageManagerIcon;
class CKitMarkupContext;
class CKitMarkupUIElement;
class CKitToolTipContext;

// An owner-painted button: the button decides what is drawn and in which
// order, its theme how each piece looks.
class CKitButton : public CButton {
    DECLARE_DYNAMIC(CKitButton)
public:
    // The push styles: 1, 2 and 4 act on the press; 3 is a split button.
    enum PushStyle { kPushPlain = 0, kPushDropDown = 1, kPushDropRight = 2, kPushSplit = 3, kPushImmediate = 4 };
    // Where the icon stands to the caption.
    enum ImageTextRelation {
        kRelationOverlay = 0,
        kRelationImageAboveText = 1,
        kRelationTextAboveImage = 2,
        kRelationImageBeforeText = 3,
        kRelationTextBeforeImage = 4,
    };
    // The group box border: a full frame, a line along the top, or nothing at all.
    enum GroupBorder { kBorderFrame = 0, kBorderTopLine = 1, kBorderNone = 2 };
    // The notification of a click (high word of WM_COMMAND's wParam).
    static constexpr WORD kNotifyClick = 7;
    // The width of the drop-down part of a split button, besides the border gap.
    static constexpr int kSplitPartWidth = 16;
    // A pushed state set by a click action in progress.
    static constexpr int kPushedByClick = 2;

    CKitButton();
    ~CKitButton() override;

    virtual BOOL IsPushed();
    // Hot, or the button holds the mouse capture.
    virtual BOOL IsHot();
    virtual int GetChecked();
    virtual DWORD GetAlignment();
    virtual DWORD GetImageAlignment();
    virtual CSize GetImageSize();
    virtual void DrawImage(CDC* pDC, const CRect& rc);
    // Creates the theme of the id (unknown ids take the default theme); TRUE when one exists.
    virtual BOOL SetTheme(int nTheme);
    virtual CRect GetButtonRect();
    // An icon with its hot image; the size 0 x 0 takes the icon's own.
    virtual BOOL SetIcon(CSize size, HICON hIcon, HICON hIconHot = nullptr, BOOL bRedraw = TRUE);
    virtual CString GetButtonText();
    virtual COLORREF GetTextColor();
    virtual COLORREF GetBackColor();
    virtual void OnClicked();
    virtual void OnDraw(CDC* pDC);
    virtual void RefreshMetrics();
    virtual void DrawButton(CDC* pDC);

    BOOL SetIcon(CSize size, UINT nIDIcon, UINT nIDIconHot = 0, BOOL bRedraw = TRUE);
    BOOL SetBitmap(CSize size, HBITMAP hBitmap, BOOL bRedraw = TRUE);
    BOOL SetBitmap(CSize size, UINT nIDBitmap, BOOL bRedraw = TRUE);
    CKitImageManagerIcon* GetIcon() const { return m_pIcon; }

    // Captions are parsed as markup while enabled (the themes library draws them).
    void EnableMarkup(BOOL bEnable = TRUE);
    CKitMarkupContext* GetMarkupContext() const { return m_pMarkupContext; }
    // The parsed caption, or null for a plain caption.
    CKitMarkupUIElement* GetMarkupElement() const { return m_pMarkupElement; }
    // Parses the window text again while markup is enabled.
    void UpdateMarkupCaption();

    // 13 x 13, or the visual style's glyph size.
    CSize GetGlyphSize(BOOL bCheckBox);
    // Button types 0, 1 and 11, or the BS_PUSHLIKE style.
    BOOL IsPushButton() const;
    // The BS_ type bits of the style.
    int GetButtonType() const;

    CKitButtonTheme* GetTheme() const { return m_pTheme; }
    BOOL IsDefaultTheme() const { return m_bDefaultTheme; }
    BOOL IsFlatStyle() const { return m_bFlatStyle; }
    void SetFlatStyle(BOOL bFlat = TRUE) { m_bFlatStyle = bFlat; }
    int GetPushButtonStyle() const { return m_nPushButtonStyle; }
    void SetPushButtonStyle(int nStyle) { m_nPushButtonStyle = nStyle; }
    int GetBorderGap() const { return m_nBorderGap; }
    void SetBorderGap(int nGap) { m_nBorderGap = nGap; }
    int GetImageGap() const { return m_nImageGap; }
    void SetImageGap(int nGap) { m_nImageGap = nGap; }
    int GetTextImageRelation() const { return m_nTextImageRelation; }
    void SetTextImageRelation(int nRelation) { m_nTextImageRelation = nRelation; }
    void SetImageAlignment(DWORD dwAlignment) { m_dwImageAlignment = dwAlignment; }
    int GetBorderStyle() const { return m_nBorderStyle; }
    void SetBorderStyle(int nBorder) { m_nBorderStyle = nBorder; }
    BOOL IsShowFocus() const { return m_bShowFocus; }
    void SetShowFocus(BOOL bShow) { m_bShowFocus = bShow; }
    // The own checked state of push-like buttons.
    void SetChecked(BOOL bChecked);
    void SetTooltip(LPCSTR lpszTooltip) { m_strTooltip = lpszTooltip; }
    const CString& GetTooltip() const { return m_strTooltip; }
    // The tooltip tool under the point: 1 with the tool filled in, else -1.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override;
    BOOL UsesVisualStyles();
    // The window the button lies against (right side); a themed edit draws the shared border.
    void SetBuddy(HWND hWndBuddy) { m_hWndBuddy = hWndBuddy; }
    HWND GetBuddy() const { return m_hWndBuddy; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The buddy when it is a themed edit, else null.
    CKitEdit* GetBuddyEdit() const;
    // Pushed while the click runs: invalidate, notify, release.
    void PerformClick();

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDefaultThenUpdate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetState(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnUpdateUIState(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetControlTheme(WPARAM wParam, LPARAM lParam);

    CKitButtonTheme* m_pTheme;
    BOOL m_bHot;
    int m_nPushed;
    BOOL m_bChecked;
    BOOL m_bFlatStyle;
    BOOL m_bDefaultTheme;
    DWORD m_dwImageAlignment;
    int m_nBorderGap;
    int m_nPushButtonStyle;
    int m_nImageGap;
    int m_nTextImageRelation;
    CKitImageManagerIcon* m_pIcon;
    int m_nBorderStyle;
    BOOL m_bShowFocus;
    std::unique_ptr<CKitToolTipContext> m_pToolTipContext;
    CKitMarkupContext* m_pMarkupContext = nullptr;
    CKitMarkupUIElement* m_pMarkupElement = nullptr;
    CString m_strTooltip;
    HWND m_hWndBuddy = nullptr;

    DECLARE_MESSAGE_MAP()
};
