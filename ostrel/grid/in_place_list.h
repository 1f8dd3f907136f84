// CInPlaceList, CComboEdit, CMonitorComboCell: the drop-down editor of a grid cell and the cell that uses it.
#pragma once

#include "framework/collections.h"
#include "framework/controls.h"
#include "ostrel/grid/monitor_cell.h"

#include <functional>

// The edit part of the in-place combo box (dialog item 1001), subclassed so
// that the keys that end an edit reach the combo box.
class CComboEdit : public CEdit {
    DECLARE_DYNAMIC(CComboEdit)
public:
    CComboEdit() = default;

protected:
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    DECLARE_MESSAGE_MAP()
};

// A combo box laid over a cell; like the edit box it reports its end with
// LVN_ENDLABELEDIT and deletes itself once its window is gone.
class CInPlaceList : public CComboBox {
    DECLARE_DYNAMIC(CInPlaceList)
public:
    // Called with the row and the index of the choice the user picked.
    using ChoiceHandler = std::function<void(int nRow, int nIndex)>;

    // Creates the combo box over rect (grown to hold the drop-down list),
    // fills it with the choices and drops it down. Null when it cannot be made.
    static CInPlaceList* Start(CWnd* pParent, const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn,
                               const CStringArray& choices, const CString& strInitText, UINT nFirstChar,
                               ChoiceHandler onChoice = nullptr);

    void EndEdit();
    // Ends the edit with nChar (Enter, Escape, Tab or a navigation key) as the ending key.
    void EndWithKey(UINT nChar);

    int GetRow() const { return m_nRow; }
    int GetColumn() const { return m_nColumn; }

protected:
    CInPlaceList(int nRow, int nColumn, const CString& strInitText, UINT nFirstChar, ChoiceHandler onChoice);
    void PostNcDestroy() override;

    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnDropDownLostFocus();
    afx_msg void OnSelectionChange();
    DECLARE_MESSAGE_MAP()

private:
    CComboEdit m_edit;
    CString m_strInitText;
    int m_nNumLines = 4;
    int m_nRow;
    int m_nColumn;
    UINT m_nLastChar = 0;
    BOOL m_bExitOnArrows;
    ChoiceHandler m_onChoice;
    bool m_bEnding = false;
};

// The id of the edit part of a combo box.
constexpr UINT kComboEditId = 1001;
// The widest a drop-down list of choices may be.
constexpr int kMaxDroppedWidth = 200;

// A cell edited by choosing from a list.
class CMonitorComboCell : public CMonitorCell {
    DECLARE_DYNCREATE(CMonitorComboCell)
public:
    CMonitorComboCell() = default;

    // Copies the choices.
    void SetOptions(const CStringArray& choices);
    const CStringArray& GetOptions() const { return m_Strings; }
    // CBS_DROPDOWN (the default), CBS_DROPDOWNLIST or CBS_SIMPLE.
    void SetStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    DWORD GetStyle() const { return m_dwStyle; }
    // Who hears of a picked choice (the tag monitor switches a display format this way).
    void SetChoiceHandler(CInPlaceList::ChoiceHandler onChoice) { m_onChoice = std::move(onChoice); }

    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) override;
    void EndEdit() override;
    BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE) override;
    BOOL GetTextRect(LPRECT pRect) override;
    CSize GetCellExtent(CDC* pDC) override;

private:
    // Whether the drop-down button is drawn in a rectangle of this size.
    bool ShowsButton(const CRect& rect) const;

    CStringArray m_Strings;
    DWORD m_dwStyle = CBS_DROPDOWN;
    CInPlaceList::ChoiceHandler m_onChoice;
    bool m_bButtonShown = false;
};
