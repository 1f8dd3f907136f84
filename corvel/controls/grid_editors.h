// CCellEditorText, CCellEditorComboBox, CCellEditorComboBoxEdit: the grid list's in-place cell editors.
#pragma once

#include "framework/ui.h"

// Both editors are children of the grid list made with `new`: each ends once,
// reports its end to the list (LVN_ENDLABELEDITA sent to the list's parent under
// the list's id, so that the list handles it reflected), closes its window and
// deletes itself in PostNcDestroy.

// An edit box over a cell.
class CCellEditorText : public CEdit {
    DECLARE_DYNAMIC(CCellEditorText)
public:
    CCellEditorText(int row, int col);

    int GetRow() const { return m_row; }
    int GetColumn() const { return m_col; }
    bool HasEnded() const { return m_ended; }
    // Ends the edit: accept reports the text, otherwise nothing changes. Only the first call counts.
    virtual void EndEdit(bool accept);

    // Enter accepts and Escape cancels (both consumed); Tab accepts and goes on.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PostNcDestroy() override;

    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMouseWheel(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    int m_row;
    int m_col;
    bool m_ended = false;
};

class CCellEditorComboBox;

// The edit field of the combo editor: keys go straight to it, past dialog navigation.
class CCellEditorComboBoxEdit : public CEdit {
    DECLARE_DYNAMIC(CCellEditorComboBoxEdit)
public:
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKillFocus(CWnd* pNewWnd);

    DECLARE_MESSAGE_MAP()

private:
    CCellEditorComboBox* Combo() const;
    // Enter, Tab and Escape go to the combo, which ends the edit.
    bool ForwardEndOfEditKey(UINT message, UINT nChar, UINT nRepCnt, UINT nFlags);
};

// A drop-down combo box over a cell.
class CCellEditorComboBox : public CComboBox {
    DECLARE_DYNAMIC(CCellEditorComboBox)
public:
    CCellEditorComboBox(int row, int col, int maxDropWidth);

    // Creates the combo and takes over its edit field.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetRow() const { return m_row; }
    int GetColumn() const { return m_col; }
    bool HasEnded() const { return m_ended; }
    CEdit& GetEditField() { return m_edit; }
    // Ends the edit: accept reports the text and the chosen entry's item data. Only the first call counts.
    virtual void EndEdit(bool accept);
    // Whether the focus going to hWnd leaves the editor.
    bool IsOutside(HWND hWnd) const;

protected:
    void PostNcDestroy() override;

    afx_msg LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnDestroy();
    afx_msg void OnDropDown();

    DECLARE_MESSAGE_MAP()

private:
    CCellEditorComboBoxEdit m_edit;
    bool m_ended = false;
    int m_row;
    int m_col;
    int m_maxDropWidth;
};
