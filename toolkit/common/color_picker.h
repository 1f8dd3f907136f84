// CKitColorPicker: the push button with a colour swatch and a drop-down arrow that opens the colour popup.
#pragma once

#include "toolkit/common/button.h"

#include <windows.h>

class CKitColorPopup;
struct KitColorEntry;

class CKitColorPicker : public CKitButton {
    DECLARE_DYNAMIC(CKitColorPicker)
public:
    // Posted to itself to create the popup.
    static constexpr UINT kMsgShowPopup = 10053;
    static constexpr DWORD kDefaultPickerStyle = 6;
    static constexpr COLORREF kNoColor = 0xFF000000;
    static constexpr COLORREF kNoFill = 0xFFFFFFFF;
    // The swatch inset and the room of the arrow at the right.
    static constexpr int kSwatchInset = 5;
    static constexpr int kArrowRoom = 20;
    static constexpr int kArrowArea = 16;

    CKitColorPicker();

    virtual void SetSelectedColor(COLORREF clr);
    virtual COLORREF GetSelectedColor() const;
    virtual void SetColor(COLORREF clr);
    virtual COLORREF GetColor() const;
    virtual void SetDefaultColor(COLORREF clr);
    virtual COLORREF GetDefaultColor() const;
    virtual void SetPopupDefaultColor(COLORREF clr);
    virtual COLORREF GetPopupDefaultColor() const;
    virtual void ModifyPickerStyle(DWORD dwRemove, DWORD dwAdd);
    // Marks the popup shown, takes the focus and posts the show-popup message.
    virtual void OpenPopup();
    // White when the selected colour's brightness is 128 or less, else black.
    virtual COLORREF GetContrastTextColor() const;
    virtual void DrawColorSwatch(CDC* pDC);

    BOOL IsPushed() override;
    void DrawButton(CDC* pDC) override;

    // The colours the popup shows instead of its own table (kept by the caller).
    void SetCustomColors(const KitColorEntry* pColors, int nCount, int nColumns = 8);
    DWORD GetPickerStyle() const { return m_dwPopup; }
    BOOL IsPopupShown() const { return m_bPopupShown; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // WM_COMMAND with the notification to the owner, or the parent; nothing without either.
    void Forward(UINT nNotification);
    void RedrawNow();
    // A new popup with auto-delete on and caller value 0; tests make popups of their own here.
    virtual CKitColorPopup* NewPopup();

    afx_msg LRESULT OnShowPopup(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnUnchanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDropDown(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCloseUp(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCancel(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNoFill(WPARAM wParam, LPARAM lParam);

    COLORREF m_clr;
    COLORREF m_clrDefault;
    BOOL m_bPopupShown;
    DWORD m_dwPopup;
    COLORREF m_clrSelected;
    COLORREF m_clrPopupDefault;
    const KitColorEntry* m_pCustomColors;
    int m_nCustomColors;
    int m_nCustomColumns;

    DECLARE_MESSAGE_MAP()
};
