// CKitControl, CKitControlButton, CKitControlPopup: the command-bar items as the paint managers read them.
#pragma once

#include "framework/geometry.h"
#include "framework/msgmap.h"
#include "framework/strings.h"

#include <windows.h>

class CKitCommandBar;
class CKitControls;

// Control types.
enum KitControlType {
    kitControlError = 0,
    kitControlButton = 1,
    kitControlPopup = 2,
    kitControlButtonPopup = 3,
    kitControlSplitButtonPopup = 4,
    kitControlComboBox = 5,
    kitControlEdit = 6,
    kitControlCustom = 7,
    kitControlLabel = 8,
    kitControlCheckBox = 9,
    kitControlGallery = 10,
    kitControlRadioButton = 11,
};

// Button styles.
enum KitButtonStyle {
    kitButtonAutomatic = 0,
    kitButtonCaption = 1,
    kitButtonIcon = 2,
    kitButtonIconAndCaption = 3,
    kitButtonIconAndCaptionBelow = 4,
    kitButtonCaptionAndDescription = 5,
};

// A reference-counted command-bar item.
class CKitControl : public CCmdTarget {
    DECLARE_DYNAMIC(CKitControl)
public:
    explicit CKitControl(int nType = kitControlButton) : m_nType(nType) {}

    int GetType() const { return m_nType; }
    UINT GetId() const { return m_nId; }
    void SetId(UINT nId) { m_nId = nId; }

    // The caption; a tab character splits off the shortcut text.
    void SetCaption(LPCSTR lpszCaption);
    const CString& GetCaption() const { return m_strCaption; }
    const CString& GetShortcutText() const { return m_strShortcutText; }
    const CString& GetParameter() const { return m_strParameter; }
    const CString& GetDescription() const { return m_strDescription; }
    void SetDescription(LPCSTR lpszDescription) { m_strDescription = lpszDescription; }

    // The custom icon id, else the own one when positive, else the command id.
    UINT GetIconId() const;
    void SetIconId(UINT nId) { m_nIconId = nId; }
    void SetCustomIconId(UINT nId) { m_nCustomIconId = nId; }
    // A positive custom width or height replaces the measured one.
    CSize GetCustomSize() const { return m_szCustom; }
    void SetCustomSize(CSize size) { m_szCustom = size; }
    // Whether the control shows a drop-down arrow after its caption.
    virtual BOOL HasDropDownArrow() const { return FALSE; }
    // Whether the caption is shown (FALSE hides it beside an image).
    BOOL IsCaptionVisible() const { return m_bCaptionVisible; }
    void SetCaptionVisible(BOOL bVisible) { m_bCaptionVisible = bVisible; }
    void SetParameter(LPCSTR lpszParameter) { m_strParameter = lpszParameter; }

    // The effective button style: custom, else own, else default, else the parent bar's default.
    int GetStyle() const;
    void SetStyle(int nStyle) { m_nButtonStyle = nStyle; }
    void SetCustomStyle(int nStyle) { m_nButtonCustomStyle = nStyle; }
    void SetDefaultStyle(int nStyle) { m_nButtonDefaultStyle = nStyle; }

    // The own checked state (-1 none).
    int GetChecked() const { return m_nChecked; }
    void SetChecked(int nChecked) { m_nChecked = nChecked; }
    // Enabled unless the own state says 0.
    BOOL IsEnabled() const { return m_nEnabled != 0; }
    int GetEnabledState() const { return m_nEnabled; }
    void SetEnabled(int nEnabled) { m_nEnabled = nEnabled; }
    int GetSelected() const { return m_nSelected; }
    void SetSelected(int nSelected) { m_nSelected = nSelected; }
    int GetPressed() const { return m_nPressed; }
    void SetPressed(int nPressed) { m_nPressed = nPressed; }
    BOOL GetPopuped() const { return m_bPopuped; }
    void SetPopuped(BOOL bPopuped) { m_bPopuped = bPopuped; }

    BOOL GetBeginGroup() const { return m_bBeginGroup; }
    void SetBeginGroup(BOOL bBeginGroup) { m_bBeginGroup = bBeginGroup; }
    BOOL IsCaptionBold() const { return m_bBoldCaption; }
    void SetCaptionBold(BOOL bBold) { m_bBoldCaption = bBold; }
    DWORD GetFlags() const { return m_dwFlags; }
    void SetFlags(DWORD dwFlags) { m_dwFlags = dwFlags; }
    DWORD GetHideFlags() const { return m_dwHideFlags; }
    virtual void SetHideFlags(DWORD dwFlags) { m_dwHideFlags = dwFlags; }
    BOOL IsVisible() const { return m_dwHideFlags == 0; }

    CRect GetRect() const { return m_rcControl; }
    void SetRect(const CRect& rc) { m_rcControl = rc; }
    // The row the bar put the control in at layout.
    CRect GetRowRect() const { return m_rcRow; }
    void SetRowRect(const CRect& rc) { m_rcRow = rc; }
    // The control starts a new row or column.
    BOOL GetWrap() const { return m_bWrap; }
    void SetWrap(BOOL bWrap) { m_bWrap = bWrap; }
    // Hidden for lack of room and shown when the popup is expanded.
    BOOL GetExpanded() const { return m_bExpanded; }
    void SetExpanded(BOOL bExpanded) { m_bExpanded = bExpanded; }

    CKitCommandBar* GetParent() const { return m_pParent; }
    void SetParent(CKitCommandBar* pParent) { m_pParent = pParent; }
    CKitControls* GetControls() const { return m_pControls; }
    void SetControls(CKitControls* pControls) { m_pControls = pControls; }

protected:
    int m_nType;
    UINT m_nId = 0;
    CString m_strCaption;
    CString m_strShortcutText;
    CString m_strParameter;
    CString m_strDescription;
    UINT m_nIconId = 0;
    UINT m_nCustomIconId = 0;
    CSize m_szCustom;
    BOOL m_bCaptionVisible = TRUE;
    int m_nButtonCustomStyle = -1;
    int m_nButtonStyle = 0;
    int m_nButtonDefaultStyle = 0;
    int m_nChecked = -1;
    int m_nEnabled = -1;
    int m_nSelected = 0;
    int m_nPressed = 0;
    BOOL m_bPopuped = FALSE;
    BOOL m_bBeginGroup = FALSE;
    BOOL m_bBoldCaption = FALSE;
    DWORD m_dwFlags = 0;
    DWORD m_dwHideFlags = 0;
    CRect m_rcControl;
    CRect m_rcRow;
    BOOL m_bWrap = FALSE;
    BOOL m_bExpanded = FALSE;
    CKitCommandBar* m_pParent = nullptr;
    CKitControls* m_pControls = nullptr;
};

// Type 1.
class CKitControlButton : public CKitControl {
    DECLARE_DYNAMIC(CKitControlButton)
public:
    CKitControlButton() : CKitControl(kitControlButton) {}
};

// Types 2, 3 and 4; holds one reference to its popup bar.
class CKitControlPopup : public CKitControl {
    DECLARE_DYNAMIC(CKitControlPopup)
public:
    explicit CKitControlPopup(int nType = kitControlPopup) : CKitControl(nType) {}
    ~CKitControlPopup() override;

    BOOL HasDropDownArrow() const override { return TRUE; }

    CKitCommandBar* GetCommandBar() const { return m_pCommandBar; }
    // Takes over one reference to the bar; the one held before is released.
    void SetCommandBar(CKitCommandBar* pBar);

private:
    CKitCommandBar* m_pCommandBar = nullptr;
};

// Type 6: an edit field after an optional label.
class CKitControlEdit : public CKitControl {
    DECLARE_DYNAMIC(CKitControlEdit)
public:
    // The spin buttons' width at the right of the field.
    static constexpr int kSpinButtonsWidth = 18;

    CKitControlEdit() : CKitControl(kitControlEdit) {}

    // The field's text as drawn when the control has no edit window.
    const CString& GetEditText() const { return m_strEditText; }
    void SetEditText(LPCSTR lpszText) { m_strEditText = lpszText; }
    // The width the bar gives the control.
    int GetWidth() const { return m_nWidth; }
    void SetWidth(int nWidth) { m_nWidth = nWidth; }
    // The label's width, laid out by the paint manager.
    int GetLabelWidth() const { return m_nLabelWidth; }
    void SetLabelWidth(int nWidth) { m_nLabelWidth = nWidth; }
    BOOL IsSpinButtonsVisible() const { return m_bSpinButtons; }
    void ShowSpinButtons(BOOL bShow) { m_bSpinButtons = bShow; }
    // The spin buttons at the right of the rectangle, empty when they are not shown.
    CRect GetSpinButtonsRect() const;

private:
    CString m_strEditText;
    int m_nWidth = 100;
    int m_nLabelWidth = 0;
    BOOL m_bSpinButtons = FALSE;
};

// Type 5: a drop-down field after an optional label.
class CKitControlComboBox : public CKitControl {
    DECLARE_DYNAMIC(CKitControlComboBox)
public:
    CKitControlComboBox() : CKitControl(kitControlComboBox) {}

    const CString& GetEditText() const { return m_strEditText; }
    void SetEditText(LPCSTR lpszText) { m_strEditText = lpszText; }
    int GetWidth() const { return m_nWidth; }
    void SetWidth(int nWidth) { m_nWidth = nWidth; }
    int GetLabelWidth() const { return m_nLabelWidth; }
    void SetLabelWidth(int nWidth) { m_nLabelWidth = nWidth; }
    // The drop-down button's width, laid out by the paint manager.
    int GetDropDownWidth() const { return m_nDropDownWidth; }
    void SetDropDownWidth(int nWidth) { m_nDropDownWidth = nWidth; }
    // Whether its list is dropped down.
    BOOL GetDroppedState() const { return m_bDropped; }
    void SetDroppedState(BOOL bDropped) { m_bDropped = bDropped; }

private:
    CString m_strEditText;
    int m_nWidth = 100;
    int m_nLabelWidth = 0;
    int m_nDropDownWidth = 15;
    BOOL m_bDropped = FALSE;
};
