// CKitControlComboBoxPopupBar, CKitControlComboBoxList, CKitControlComboBoxEditCtrl, CKitControlComboBox: the command-bar combo box with its drop-down list.
#pragma once

#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/control_edit.h"

#include <vector>

class CKitControlComboBox;

// Notifications of a combo box to its site (the system's combo-box codes).
enum KitComboNotify {
    kitComboNotifySelChange = 1,
    kitComboNotifySetFocus = 3,
    kitComboNotifyKillFocus = 4,
    kitComboNotifyEditChange = 5,
    kitComboNotifyDropDown = 7,
    kitComboNotifyCloseUp = 8,
    kitComboNotifySelEndOk = 9,
    kitComboNotifySelEndCancel = 10,
};

// The drop-down of a combo box: its list operations.
class CKitControlComboBoxPopupBar : public CKitPopupBar {
    DECLARE_DYNCREATE(CKitControlComboBoxPopupBar)
public:
    virtual int GetCurSel() const { return -1; }
    // The first item from nStart on whose text begins with the text, ignoring case; -1 when none.
    virtual int FindString(int /*nStart*/, LPCSTR /*lpszText*/) const { return -1; }
    // The first item from nStart on whose text is the text, ignoring case; -1 when none.
    virtual int FindStringExact(int /*nStart*/, LPCSTR /*lpszText*/) const { return -1; }
    virtual void SetTopIndex(int /*nIndex*/) {}
    virtual void SetCurSel(int /*nIndex*/) {}
    virtual CString GetItemText(int /*nIndex*/) const { return CString(); }
    // A navigation key on the list; TRUE when the selection changed.
    virtual BOOL ProcessListKey(UINT /*nChar*/) { return FALSE; }
    // The combo box that opened the bar (while open).
    CKitControlComboBox* GetComboBox() const { return m_pComboBox; }

protected:
    CKitControlComboBox* m_pComboBox = nullptr;
};

class CKitControlComboBoxList;

// The list box inside an open drop-down: it follows the pointer and never takes the focus.
class CKitComboListBox : public CListBox {
public:
    explicit CKitComboListBox(CKitControlComboBoxList* pList) : m_pList(pList) {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The item under the client point, -1 outside the items.
    int ItemFromPoint(LPARAM lParam);

    CKitControlComboBoxList* m_pList;
};

// The list drop-down: its items, and a list-box window while it is open.
class CKitControlComboBoxList : public CKitControlComboBoxPopupBar {
    DECLARE_DYNCREATE(CKitControlComboBoxList)
public:
    CKitControlComboBoxList();
    ~CKitControlComboBoxList() override;

    int AddString(LPCSTR lpszText, DWORD_PTR dwData = 0);
    int InsertString(int nIndex, LPCSTR lpszText);
    void DeleteString(int nIndex);
    void ResetContent();
    int GetCount() const { return static_cast<int>(m_items.size()); }
    DWORD_PTR GetItemData(int nIndex) const;
    void SetItemData(int nIndex, DWORD_PTR dwData);
    // The list's own width (0: as wide as the combo box).
    void SetWidth(int nWidth) { m_nWidth = nWidth; }

    int GetCurSel() const override { return m_nCurSel; }
    int FindString(int nStart, LPCSTR lpszText) const override;
    int FindStringExact(int nStart, LPCSTR lpszText) const override;
    void SetTopIndex(int nIndex) override;
    void SetCurSel(int nIndex) override;
    CString GetItemText(int nIndex) const override;
    BOOL ProcessListKey(UINT nChar) override;

    // Rows shown: the combo box's maximum, at most the item count and at least one.
    int GetVisibleRows(int nMaxRows) const;
    // Creates the window and the list box under the combo box, filled and sized to its rows.
    BOOL Popup(CKitControlPopup* pControl, BOOL bSelectFirst) override;
    BOOL SetTrackingMode(int nMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE) override;
    void Copy(const CKitCommandBar* pSource, BOOL bRecursive) override;
    // The popup bar's properties, the list icon id, then the items with their data in the section "Items".
    void DoPropExchange(CKitPropExchange* pPX) override;
    CKitComboListBox* GetListBox() const { return m_pListBox; }
    // The icon of item i is the image of this id plus i (-1: none).
    int GetListIconId() const { return m_nListIconId; }
    void SetListIconId(int nId) { m_nListIconId = nId; }

    // The list box reports the pointer over an item and a release.
    void OnListHover(int nIndex);
    void OnListRelease(int nIndex);

private:
    struct Item {
        CString strText;
        DWORD_PTR dwData;
    };
    std::vector<Item> m_items;
    int m_nCurSel = -1;
    int m_nTopIndex = 0;
    int m_nWidth = 0;
    int m_nListIconId = -1;
    CKitComboListBox* m_pListBox = nullptr;
    BOOL m_bOpen = FALSE;
};

// The edit window of a combo box.
class CKitControlComboBoxEditCtrl : public CKitFieldEditCtrl<CKitControlComboBox> {
public:
    using CKitFieldEditCtrl::CKitFieldEditCtrl;
};

// Type 5: a drop-down list after an optional label, with an optional editable field.
class CKitControlComboBox : public CKitControlPopup {
    DECLARE_DYNCREATE(CKitControlComboBox)
public:
    CKitControlComboBox();
    ~CKitControlComboBox() override;

    // The label before the field: shown when there is a caption, unless the style asks for the icon only.
    BOOL IsCaptionVisible() const override
    {
        return m_bCaptionVisible && !GetCaption().IsEmpty() && GetStyle() != kitButtonIcon;
    }
    BOOL HasDropDownArrow() const override { return FALSE; }

    int GetWidth() const { return m_nEditWidth; }
    void SetWidth(int nWidth) override { m_nEditWidth = nWidth; }
    int GetLabelWidth() const { return m_nLabelWidth; }
    void SetLabelWidth(int nWidth) { m_nLabelWidth = nWidth; }
    // The drop-down button's width, laid out by the paint manager.
    int GetDropDownWidth() const { return m_nDropDownWidth; }
    void SetDropDownWidth(int nWidth) { m_nDropDownWidth = nWidth; }
    // Whether its list is dropped down.
    BOOL GetDroppedState() const { return m_bPopuped; }

    // The list drop-down (null for another kind of drop-down).
    CKitControlComboBoxList* GetList() const;
    CKitControlComboBoxPopupBar* GetDropDown() const;
    int AddString(LPCSTR lpszText, DWORD_PTR dwData = 0);
    int GetCount() const;
    int GetCurSel() const;
    // Selects the item and tells the site (nothing when it is already selected).
    void SetCurSel(int nIndex);
    CString GetListText() const;

    // With an edit part, the edit's text; else the selected item's.
    CString GetEditText() const;
    void SetEditText(LPCSTR lpszText);
    CString GetEditHint() const;
    void SetEditHint(LPCSTR lpszHint) { m_strHint = lpszHint; }
    // The editable field (the drop-down style).
    BOOL IsEditPartShown() const { return m_bEditPart; }
    void ShowEditPart(BOOL bShow);
    void EnableAutoComplete(BOOL bEnable) { m_bAutoComplete = bEnable; }
    int GetMaxDropDownItems() const { return m_nMaxDropDownItems; }
    void SetMaxDropDownItems(int nMax) { m_nMaxDropDownItems = nMax; }
    CKitCommandBarEditCtrl* GetEditCtrl() const { return m_pEdit; }
    BOOL HasWindow() const { return m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr; }
    // The shell's completion flags, bound when the edit window is made (0: none).
    DWORD GetShellAutoCompleteFlags() const { return m_dwShellAutoCompleteFlags; }
    void SetShellAutoCompleteFlags(DWORD dwFlags);
    // The watcher of the shell's suggestion list; null while the completion is not bound.
    CKitControlComboBoxAutoCompleteWnd* GetAutoCompleteWnd() const { return m_pAutoComplete; }
    // The icon drawn before the edit text (0: none); the edit window starts after it.
    UINT GetEditIconId() const { return m_nEditIconId; }
    void SetEditIconId(UINT nId) { m_nEditIconId = nId; }
    // The edit's character limit (0: none) and extra window styles, for windows made from now on.
    int GetCharLimit() const { return m_nCharLimit; }
    void SetCharLimit(int nLimit) { m_nCharLimit = nLimit; }
    DWORD GetEditStyle() const { return m_dwEditStyle; }
    void SetEditStyle(DWORD dwStyle) { m_dwEditStyle = dwStyle; }

    void SetRect(const CRect& rc) override;
    void SetParent(CKitCommandBar* pParent) override;
    void OnRemoved() override;
    // The edit window is enabled with the control and shown or hidden with its action.
    void OnEnabledChanged() override;
    void OnActionChanged(int nProperty) override;
    BOOL SetPopup(BOOL bPopup) override;
    BOOL IsFocusable() const override { return TRUE; }
    BOOL IsFocused() const override { return m_bFocused; }
    void SetFocused(BOOL bFocused) override;
    void OnExecute() override;
    void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint()) override;
    void OnLButtonUp(CPoint /*pt*/) override {}
    void OnLButtonDblClk(CPoint pt) override { OnClick(FALSE, pt); }
    void OnMouseMove(CPoint pt) override;
    void OnMouseHover() override;
    BOOL OnSetSelected(int nSelected) override { return CKitControl::OnSetSelected(nSelected); }
    void OnKeyboardTip() override;
    BOOL OnHookKeyDown(UINT nChar, LPARAM lParam) override;
    // While focused, with no drop-down or suggestion list open, the wheel moves the selection.
    BOOL OnHookMouseWheel(UINT nFlags, short zDelta, CPoint pt) override;
    void Copy(const CKitControl* pSource, BOOL bRecursive) override;
    // The popup record, then the combo box's settings; loading applies the edit part and the completion.
    void DoPropExchange(CKitPropExchange* pPX) override;

    // The list's selection changed: the edit shows the item, the site is told.
    void OnSelChanged();
    // Selects the item whose text the edit holds, else scrolls to the nearest with nothing selected.
    void SyncListWithText();

    // Called by the edit window.
    void OnWindowSetFocus(HWND hPrevious);
    void OnWindowKillFocus();
    void OnWindowChanged();
    void OnWindowDestroyed();
    // In customize mode the bar takes the right click; otherwise the drop-down closes, the control takes the focus
    // and the edit's context menu shows.
    void OnWindowRightClick(CPoint ptScreen);

private:
    // Binds the shell's completion to the edit window when flags are set; a failed binding leaves none.
    void ApplyShellAutoComplete();
    CRect GetEditWindowRect() const;
    // Shows the edit window while the control is visible in a collection, else hides it.
    void ShowEditWindow();
    void DestroyEditWindow();
    void ApplyCharFormat();
    // Type-ahead: completes the typed text from the list when the caret ends it.
    void AutoComplete();

    CKitControlComboBoxEditCtrl* m_pEdit = nullptr;
    BOOL m_bEditPart = FALSE;
    mutable CString m_strEditText;
    mutable BOOL m_bTextStale = FALSE;
    CString m_strSavedText;
    CString m_strHint;
    int m_nCurSel = -1;
    int m_nSavedSel = -1;
    BOOL m_bAutoComplete = FALSE;
    BOOL m_bSuppressComplete = FALSE;
    int m_nMaxDropDownItems = 12;
    int m_nEditWidth = 100;
    int m_nLabelWidth = 0;
    int m_nDropDownWidth = 15;
    BOOL m_bExecuted = FALSE;
    BOOL m_bFocused = FALSE;
    BOOL m_bGuard = FALSE;
    CRect m_rcPlaced;
    HWND m_hPreviousFocus = nullptr;
    DWORD m_dwShellAutoCompleteFlags = 0;
    CKitControlComboBoxAutoCompleteWnd* m_pAutoComplete = nullptr;
    UINT m_nEditIconId = 0;
    int m_nCharLimit = 0;
    DWORD m_dwEditStyle = 0;
    // The list style bits stored with the combo box.
    int m_nComboStyle = 0;
};
