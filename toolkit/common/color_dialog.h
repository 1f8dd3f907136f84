// CKitColorDialog, CKitEyeDropper: the "More Colors..." dialog with its two pages, swatch box, hexadecimal text and eye dropper.
#pragma once

#include "framework/controls.h"
#include "framework/propsheet.h"
#include "toolkit/common/color_pages.h"

#include <windows.h>

// The private messages of the colour dialog and its pages.
enum KitColorDialogMessage : UINT {
    // To a page: the colour changed (wParam the colour, lParam the window that tells).
    ColorMsgColorChanged = 10050,
    // To the sheet: the new colour (wParam), without and with telling the pages.
    ColorMsgSetNewColor = 10056,
    ColorMsgSetNewColorNotify = 10057,
    // To a page: a double-click chose the colour; the dialog ends with OK.
    ColorMsgDoubleClick = 10058,
};

// A control that picks the colour of any pixel on the screen: the user drags
// the dropper from it and lets go over the pixel.
class CKitEyeDropper : public CWnd {
    DECLARE_DYNAMIC(CKitEyeDropper)
public:
    static constexpr int kGap = 2;
    static constexpr int kIconBox = 24;
    static constexpr LPCSTR kClassName = "KitEyeDropper";

    CKitEyeDropper();
    ~CKitEyeDropper() override;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // The icon box, and the preview beside it when shown; the position is kept.
    virtual void SizeToContent();
    virtual void DrawDropper(CDC* pDC);
    virtual void DrawPreview(CDC* pDC);

    void SetCopyToClipboard(BOOL bCopy) { m_bCopyToClipboard = bCopy; }
    void SetShowPreview(BOOL bShow);
    COLORREF GetColor() const { return m_clr; }
    BOOL IsDragging() const { return m_hcurSave != nullptr; }

protected:
    void PreSubclassWindow() override;
    // The colour of the screen pixel under ptScreen becomes the picked colour,
    // which goes to the owner (else the parent) with nMessage.
    void Pick(CPoint ptScreen, UINT nMessage);
    void EndDrag();
    void CopyToClipboard() const;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);

    BOOL m_bSizeOnSubclass;
    BOOL m_bCopyToClipboard;
    BOOL m_bShowPreview;
    HICON m_hIcon;
    HCURSOR m_hCursor;
    HCURSOR m_hcurSave;
    COLORREF m_clr;

    DECLARE_MESSAGE_MAP()
};

// The colour dialog: a sheet of the standard and the custom page, with OK and
// Cancel in a column at the right over the swatches of the new and the current colour.
class CKitColorDialog : public CPropertySheet {
    DECLARE_DYNAMIC(CKitColorDialog)
public:
    // Style bits.
    static constexpr DWORD kStyleHexEdit = 0x20;
    static constexpr DWORD kStyleFrame3D = 0x40;
    static constexpr DWORD kStyleEyeDropper = 0x80;
    // Control ids of the sheet's own children.
    static constexpr UINT kIdHexEdit = 101;
    static constexpr UINT kIdEyeDropper = 1203;

    CKitColorDialog(COLORREF clrNew, COLORREF clrCurrent, DWORD dwStyle = 0, CWnd* pParentWnd = nullptr);
    ~CKitColorDialog() override;

    // "Hex=" and the red, green and blue bytes in hexadecimal, as the dialog shows them.
    static CString RGBtoHex(COLORREF clr);

    // The colour chosen (the new colour).
    COLORREF GetColor() const { return m_clrNew; }
    COLORREF GetCurrentColor() const { return m_clrCurrent; }
    // Sets the new colour; bNotify tells every page.
    void SetNewColor(COLORREF clr, BOOL bNotify);

    // Turns the button row into a column at the right of the tabs.
    virtual void RepositionControls();
    // Fits a page into the tab control's display area.
    void FitPage(CPropertyPage* pPage);
    BOOL OnInitDialog() override;

    DWORD GetDialogStyle() const { return m_dwStyle; }
    CKitColorPageStandard& GetStandardPage() { return m_pageStandard; }
    CKitColorPageCustom& GetCustomPage() { return m_pageCustom; }
    CEdit& GetHexEdit() { return m_wndHexEdit; }
    CKitEyeDropper& GetEyeDropper() { return m_wndEyeDropper; }
    // The box of the two swatches (client coordinates), under Cancel.
    CRect GetSwatchBoxRect() const;
    // The swatches as painted last (client coordinates).
    const CRect& GetNewSwatchRect() const { return m_rcNew; }
    const CRect& GetCurrentSwatchRect() const { return m_rcCurrent; }

protected:
    void DrawSwatches(CDC* pDC);
    CRect GetDlgItemRect(int nID) const;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg LRESULT OnSetNewColor(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetNewColorNotify(WPARAM wParam, LPARAM lParam);

    COLORREF m_clrNew;
    COLORREF m_clrCurrent;
    DWORD m_dwStyle;
    CEdit m_wndHexEdit;
    CKitEyeDropper m_wndEyeDropper;
    CRect m_rcNew;
    CRect m_rcCurrent;
    CKitColorPageStandard m_pageStandard;
    CKitColorPageCustom m_pageCustom;

    DECLARE_MESSAGE_MAP()
};
