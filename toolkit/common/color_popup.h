// CKitColorSelectorCtrl, CKitColorPopup and their themes: the grid of colour cells that drops down from the colour picker.
#pragma once

#include "framework/listctrl.h"
#include "framework/wnd.h"
#include "toolkit/common/color_manager.h"
#include "toolkit/common/control_theme.h"

#include <windows.h>

#include <vector>

class CDC;
class CKitColorDialog;
class CKitColorSelectorCtrl;
class CKitShadowCaster;

// The notifications of a colour selector (wParam: the colour).
enum KitColorNotify : UINT {
    ColorNotifyUnchanged = 10025,
    ColorNotifyDropDown = 10026,
    ColorNotifyCloseUp = 10027,
    ColorNotifyChanged = 10028,
    ColorNotifyCancel = 10029,
    ColorNotifyNoFill = 10030,
};
// Sets a selector's theme to the id in wParam.
constexpr UINT ColorMsgSetTheme = CKitControlTheme::kMsgSetControlTheme;

// One colour of a colour table: the colour and the string id of its name.
struct KitColorEntry {
    COLORREF clr;
    UINT nID;
};

// One cell of the grid: a colour, the top button or the "More Colors..." button.
struct COLOR_CELL {
    UINT nID = 0;
    int nIndex = 0;
    BOOL bSelected = FALSE;
    CRect rect;
    DWORD dwStyle = 0;
    char szText[256] = {};
    COLORREF clr = 0;
};

// How a selector looks.
class CKitColorSelectorCtrlTheme : public CKitControlTheme {
    DECLARE_DYNAMIC(CKitColorSelectorCtrlTheme)
public:
    CKitColorSelectorCtrlTheme();

    virtual void RefreshMetrics(CKitColorSelectorCtrl* pControl);
    virtual void FillBackground(CDC* pDC, const CRect& rc, CKitColorSelectorCtrl* pControl);
    virtual void DrawCell(COLOR_CELL* pCell, CDC* pDC, BOOL bHot, BOOL bPressed);

    COLORREF GetPopupBorderColor() const { return m_clrPopupBorder; }

protected:
    // Reads the colours from the manager's table (or its visual-style values).
    COLORREF Color(int nIndex) const;

    BOOL m_bVisualStyleColors;
    COLORREF m_clrLightFrame;
    COLORREF m_clrDarkFrame;
    COLORREF m_clrBackground;
    COLORREF m_clrPressed;
    COLORREF m_clrHot;
    COLORREF m_clrChecked;
    COLORREF m_clrText;
    COLORREF m_clrPopupBorder;
};

class CKitColorSelectorCtrlThemeOfficeXP : public CKitColorSelectorCtrlTheme {
    DECLARE_DYNAMIC(CKitColorSelectorCtrlThemeOfficeXP)
public:
    CKitColorSelectorCtrlThemeOfficeXP();
    void RefreshMetrics(CKitColorSelectorCtrl* pControl) override;
};

class CKitColorSelectorCtrlThemeOffice2003 : public CKitColorSelectorCtrlThemeOfficeXP {
    DECLARE_DYNAMIC(CKitColorSelectorCtrlThemeOffice2003)
public:
    CKitColorSelectorCtrlThemeOffice2003();
};

class CKitColorSelectorCtrlThemeResource : public CKitColorSelectorCtrlThemeOfficeXP {
    DECLARE_DYNAMIC(CKitColorSelectorCtrlThemeResource)
public:
    CKitColorSelectorCtrlThemeResource();
    void RefreshMetrics(CKitColorSelectorCtrl* pControl) override;
};

// A grid of colour cells with an optional "Automatic Color" or "No Fill"
// button on top and an optional "More Colors..." button below that runs the
// colour dialog; the choice goes to the listener windows.
class CKitColorSelectorCtrl : public CWnd {
    DECLARE_DYNAMIC(CKitColorSelectorCtrl)
public:
    // Style bits.
    static constexpr DWORD kStyleNoFill = 0x01;
    static constexpr DWORD kStyleExtended = 0x02;
    static constexpr DWORD kStyleMoreColors = 0x04;
    static constexpr DWORD kStyleNoTopButton = 0x10;
    static constexpr DWORD kStyleAlignRight = 0x40;
    static constexpr DWORD kStyleShowOnCreate = 0x10000000;
    static constexpr DWORD kStylePopup = 0x80000000;
    static constexpr COLORREF kNoColor = 0xFF000000;
    static constexpr COLORREF kNoFill = 0xFFFFFFFF;
    // The style bits handed to the colour dialog.
    static constexpr DWORD kStyleDialogMask = 0xE0;
    static constexpr int kCellSize = 18;
    static constexpr int kDefaultColumns = 8;
    // The kinds of cell.
    static constexpr DWORD kCellMoreColors = 4;
    static constexpr DWORD kCellColor = 8;

    CKitColorSelectorCtrl();
    ~CKitColorSelectorCtrl() override;

    virtual void SelectColorCell(COLOR_CELL* pCell);
    virtual void EndSelection(int nCurSel);
    virtual void NotifyListeners(int nCurSel, LPARAM lParam);
    virtual CSize CalcSize();
    virtual void RefreshMetrics();

    // A plain control in the rectangle; the owner is the first listener.
    BOOL Create(int l, int t, int r, int b, CWnd* pOwner, DWORD dwStyle, COLORREF clrCurrent, COLORREF clrDefault);
    // The selector owns the theme from then on; FALSE for none.
    BOOL SetTheme(CKitColorSelectorCtrlTheme* pTheme);
    BOOL SetTheme(int nTheme);
    CKitColorSelectorCtrlTheme* GetTheme() const { return m_pTheme; }
    // The caller's colours (colour and name id each), their count and the columns.
    void SetColors(const KitColorEntry* pColors, int nCount, int nColumns);
    void AddListener(HWND hWnd) { m_listeners.push_back(hWnd); }
    COLOR_CELL* GetCellFromIndex(int nIndex);
    void SelectCellByIndex(int nIndex);
    // The colour is in the user colours or in the table the grid shows.
    BOOL IsColorInList(COLORREF clr) const;
    // The "More Colors..." dialog is running.
    BOOL IsColorDlgVisible() const { return m_pColorDlg != nullptr; }
    CKitColorDialog* GetColorDialog() const { return m_pColorDlg; }
    CToolTipCtrl& GetToolTip() { return m_wndToolTip; }
    // Keeps a colour chosen in the dialog among the user colours, unless a table
    // has it; the oldest goes when the row is full.
    void AddUserColor(COLORREF clr);
    // The user colours every selector shows, oldest first (kept in memory only).
    static std::vector<COLORREF>& GetUserColors();
    int GetCellCount() const { return static_cast<int>(m_cells.size()); }
    int GetHotIndex() const { return m_nCurSel; }
    COLORREF GetCurrentColor() const { return m_clrColor; }
    DWORD GetPickerStyle() const { return m_dwPopup; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL HasTopButton() const { return (m_dwPopup & kStyleNoTopButton) == 0; }
    // The colours of the grid: the caller's, the 40 or the 16 standard ones.
    std::vector<KitColorEntry> GetTableColors() const;
    void BuildCells();
    void AddCell(COLOR_CELL& cell, LPCSTR lpszTip, UINT_PTR nToolId);
    int HitTest(CPoint point) const;
    // Runs the colour dialog for the "More Colors..." button: the message to send and its colour.
    UINT RunColorDialog(COLORREF& clr);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMouseActivate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetTheme(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcHitTest(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSetFocus(CWnd* pOldWnd);

    int m_nCurSel;
    int m_nPressedSel;
    int m_nColumns;
    CSize m_szCell;
    CRect m_rcMargins;
    DWORD m_dwPopup;
    CPoint m_ptLastMouse;
    COLORREF m_clrColor;
    COLORREF m_clrDefault;
    std::vector<HWND> m_listeners;
    std::vector<COLOR_CELL> m_cells;
    CToolTipCtrl m_wndToolTip;
    CKitColorDialog* m_pColorDlg;
    CKitColorSelectorCtrlTheme* m_pTheme;
    const KitColorEntry* m_pColors;
    int m_nColors;
    HFONT m_hFont;

    DECLARE_MESSAGE_MAP()
};

// The selector as a drop-down popup under a button. An auto-delete popup
// deletes itself when its window goes, once Create has succeeded; until then
// (and after a failed Create) the caller owns it.
class CKitColorPopup : public CKitColorSelectorCtrl {
    DECLARE_DYNAMIC(CKitColorPopup)
public:
    explicit CKitColorPopup(BOOL bAutoDelete = TRUE, LPARAM lCallerParam = 0);
    ~CKitColorPopup() override;

    // Places itself under the button rectangle (screen coordinates), shows and sends ColorNotifyDropDown.
    // FALSE when the window could not be made or was destroyed before creation ended: the caller deletes the popup.
    virtual BOOL Create(const CRect& rcButton, CWnd* pParent, DWORD dwPopup, COLORREF clrColor,
                        COLORREF clrDefault = CLR_DEFAULT);
    void EndSelection(int nCurSel) override;
    CKitShadowCaster* GetShadowManager() const { return m_pShadowManager; }

protected:
    void PostNcDestroy() override;
    BOOL CreatePopupWindow(const CRect& rcButton, CWnd* pParent, DWORD dwPopup, COLORREF clrColor,
                           COLORREF clrDefault);

    afx_msg void OnDestroy();
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcPaint(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam);

    BOOL m_bAutoDelete;
    BOOL m_bShadow;
    CRect m_rcButton;
    BOOL m_bClosing;
    // Create is running: a window destroyed now does not delete the object.
    BOOL m_bCreating;
    LPARAM m_lCallerParam;
    HWND m_hwndOwner;
    CKitShadowCaster* m_pShadowManager;

    DECLARE_MESSAGE_MAP()
};
