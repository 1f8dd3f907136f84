// CKitColorHex, CKitColorBase, CKitColorWnd, CKitColorLum, CKitColorPageStandard, CKitColorPageCustom: the two pages of the colour dialog and their colour controls.
#pragma once

#include "framework/controls.h"
#include "framework/gdi.h"
#include "framework/propsheet.h"

#include <windows.h>

#include <memory>
#include <vector>

class CKitColorDialog;

// Hue, saturation and luminance of a colour, each 0 to 255 (truncated).
struct KitHsl {
    int nHue;
    int nSaturation;
    int nLuminance;
};
KitHsl KitColorToHsl(COLORREF clr);

// The honeycomb of the standard page: 127 hexagonal colour cells and a row of 17 greys.
class CKitColorHex : public CStatic {
    DECLARE_DYNAMIC(CKitColorHex)
public:
    // One hexagonal cell.
    class CRgnCell : public CRgn {
    public:
        CRgnCell(CPoint ptOrigin, BOOL bLarge, COLORREF clr, int nUp, int nDown);

        virtual void Draw(CDC* pDC);
        virtual void DrawSelected(CDC* pDC);

        COLORREF m_clr;
        // The cells Up and Down lead to (list positions), -1 for none.
        int m_nUp;
        int m_nDown;
        CRect m_rcBounds;
        POINT m_corners[6];
    };

    static constexpr int kCellCount = 144;
    // The width of the honeycomb's widest row.
    static constexpr int kHoneycombWidth = 182;

    CKitColorHex();
    ~CKitColorHex() override;

    BOOL Create(LPCSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xffff);
    // Selects the first cell of that colour (none found: no selection); -1 does nothing.
    void SetSelectedColor(COLORREF clr, BOOL bNotify);
    COLORREF GetSelectedColor() const { return m_clrSelected; }
    // The selected cell's list position, or -1.
    int GetSelectedIndex() const;
    int GetCellCount() const { return static_cast<int>(m_cells.size()); }
    const CRgnCell* GetCell(int nIndex) const;
    // The cell under a point (client coordinates), or -1.
    int HitTest(CPoint point) const;

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PreSubclassWindow() override;
    // Makes the cells for the control's width.
    void BuildCells();
    void SelectCell(int nIndex, BOOL bNotify);
    // The owner, else the parent: where the notifications go.
    CWnd* GetNotifyTarget() const;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnSize(UINT nType, int cx, int cy);

    CBitmap m_bmpCache;
    BOOL m_bSizeOnSubclass;
    COLORREF m_clrSelected;
    int m_nSelected;
    std::vector<std::unique_ptr<CRgnCell>> m_cells;

    DECLARE_MESSAGE_MAP()
};

// The common base of the hue/saturation field and the luminance bar.
class CKitColorBase : public CStatic {
    DECLARE_DYNAMIC(CKitColorBase)
public:
    // Which of the two has the keyboard focus (one for the process).
    enum FocusedControl { kFocusNone = 0, kFocusField = 1, kFocusBar = 2 };

    CKitColorBase();

    // Takes the colour at a point (client coordinates) and tells the owner.
    virtual void UpdateFromPoint(CPoint point) = 0;
    // Adds SS_NOTIFY.
    virtual void Init();
    virtual void SetHueSat(double dHue, double dSaturation);

    double GetHue() const { return m_dHue; }
    double GetSaturation() const { return m_dSaturation; }
    double GetLuminance() const { return m_dLuminance; }
    CPoint GetMarker() const { return m_ptMarker; }
    // The colour of the control's hue, saturation and luminance.
    COLORREF GetColor() const;
    static int GetFocusedControl() { return s_nFocused; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PreSubclassWindow() override;
    // The control's value of the focus indicator.
    virtual int GetFocusId() const = 0;
    // Moves the marker by one pixel for an arrow key (only while focused).
    virtual void MoveMarker(UINT nChar) = 0;
    // Sends message (wParam, this window) to the owner, else the parent.
    void Notify(UINT message, WPARAM wParam);

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);

    double m_dHue;
    double m_dSaturation;
    double m_dLuminance;
    CPoint m_ptMarker;
    BOOL m_bSizeOnSubclass;
    static int s_nFocused;

    DECLARE_MESSAGE_MAP()
};

// The hue (across) and saturation (upwards) field of the custom page, at luminance 0.5.
class CKitColorWnd : public CKitColorBase {
    DECLARE_DYNAMIC(CKitColorWnd)
public:
    void UpdateFromPoint(CPoint point) override;
    void SetHue(double dHue);
    void SetSaturation(double dSaturation);

protected:
    int GetFocusId() const override { return kFocusField; }
    void MoveMarker(UINT nChar) override;

    afx_msg void OnPaint();

    CBitmap m_bmpCache;

    DECLARE_MESSAGE_MAP()
};

// The luminance bar of the custom page, with its arrow marker.
class CKitColorLum : public CKitColorBase {
    DECLARE_DYNAMIC(CKitColorLum)
public:
    // The bar inside the control: 4 pixels in at top and bottom, 14 wide.
    static constexpr int kBarInset = 4;
    static constexpr int kBarWidth = 14;

    void UpdateFromPoint(CPoint point) override;
    void SetLuminance(double dLuminance);
    void SetHueSat(double dHue, double dSaturation) override;
    CRect GetBarRect() const;

protected:
    int GetFocusId() const override { return kFocusBar; }
    void MoveMarker(UINT nChar) override;
    void DrawMarker(CDC* pDC, const CRect& rcBar);

    afx_msg void OnPaint();

    DECLARE_MESSAGE_MAP()
};

// The "Standard" page: the honeycomb.
class CKitColorPageStandard : public CPropertyPage {
    DECLARE_DYNAMIC(CKitColorPageStandard)
public:
    static constexpr UINT kIdHex = 103;

    CKitColorPageStandard();

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    CKitColorHex& GetHex() { return m_wndHex; }

protected:
    CKitColorDialog* GetSheet() const;

    afx_msg LRESULT OnColorChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDoubleClick(WPARAM wParam, LPARAM lParam);

    CKitColorHex m_wndHex;

    DECLARE_MESSAGE_MAP()
};

// The "Custom" page: the field, the bar and the six numbers.
class CKitColorPageCustom : public CPropertyPage {
    DECLARE_DYNAMIC(CKitColorPageCustom)
public:
    enum ControlId : UINT {
        kIdField = 101,
        kIdBar = 102,
        kIdRed = 110,
        kIdGreen = 111,
        kIdSpinHue = 112,
        kIdLuminance = 113,
        kIdSaturation = 114,
        kIdHue = 115,
        kIdSpinSaturation = 116,
        kIdSpinLuminance = 117,
        kIdBlue = 118,
        kIdSpinRed = 119,
        kIdSpinGreen = 120,
        kIdSpinBlue = 121,
    };

    CKitColorPageCustom();

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    void DoDataExchange(CDataExchange* pDX) override;

    CKitColorWnd& GetField() { return m_wndField; }
    CKitColorLum& GetBar() { return m_wndBar; }
    int m_nHue;
    int m_nSaturation;
    int m_nLuminance;
    int m_nRed;
    int m_nGreen;
    int m_nBlue;

protected:
    CKitColorDialog* GetSheet() const;
    // A colour from elsewhere: the field and the bar follow it.
    void TakeColor(COLORREF clr);
    // The sheet takes the colour unless it has it; red, green and blue follow, and the edits.
    void Publish(COLORREF clr, BOOL bToSheet);
    // The colour of the page's hue, luminance and saturation.
    COLORREF HslColor() const;
    // Reads the edits; FALSE when one is empty (being typed) or fails its check.
    BOOL ReadEdits();
    // Writes the numbers into the edits without their changes coming back.
    void WriteEdits();

    afx_msg LRESULT OnColorChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDoubleClick(WPARAM wParam, LPARAM lParam);
    afx_msg void OnRgbChange();
    afx_msg void OnHueChange();
    afx_msg void OnSaturationChange();
    afx_msg void OnLuminanceChange();
    // Hue, saturation or luminance (the edit's id) was typed.
    void OnHslChange(UINT nEdit);

    CKitColorWnd m_wndField;
    CKitColorLum m_wndBar;
    CSpinButtonCtrl m_spins[6];
    BOOL m_bWriting;

    DECLARE_MESSAGE_MAP()
};
