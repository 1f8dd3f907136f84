// CInPlaceEdit: the edit box laid over a grid cell while it is edited.
#pragma once

#include "framework/controls.h"
#include "framework/strings.h"

// Lives from the start of an edit until it reports the end to its owner
// (LVN_ENDLABELEDIT with the row, column, text and ending key); then it
// closes, and its window deletes the object after the last message.
class CInPlaceEdit : public CEdit {
    DECLARE_DYNAMIC(CInPlaceEdit)
public:
    // Creates the edit box over rect as a child of pParent and gives it the
    // focus; nFirstChar is the key that started the edit (VK_LBUTTON for the
    // mouse). Null when the window could not be made.
    static CInPlaceEdit* Start(CWnd* pParent, const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn,
                               const CString& strInitText, UINT nFirstChar);

    // Reports the end to the owner and closes; only the first call counts.
    void EndEdit();

    int GetRow() const { return m_nRow; }
    int GetColumn() const { return m_nColumn; }

protected:
    CInPlaceEdit(int nRow, int nColumn, const CString& strInitText, UINT nFirstChar);
    void PostNcDestroy() override;

    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    DECLARE_MESSAGE_MAP()

private:
    // Widens the box to its text plus two spaces, never past the parent's client area.
    void FitToText();

    int m_nRow;
    int m_nColumn;
    CString m_strInitText;
    UINT m_nLastChar = 0;
    BOOL m_bExitOnArrows;
    CRect m_Rect;
    bool m_bEnding = false;
};

// True while Ctrl is held down.
inline bool IsCtrlDown()
{
    return (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

inline bool IsShiftDown()
{
    return (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
}

// Whether nChar is one of the navigation keys, Page Up (33) to Down (40).
inline bool IsNavigationKey(UINT nChar)
{
    return nChar >= VK_PRIOR && nChar <= VK_DOWN;
}

// The keys with which an in-place editor gives the focus back and the grid moves on.
inline bool IsEditExitKey(UINT nChar)
{
    return nChar == VK_PRIOR || nChar == VK_NEXT || (nChar >= VK_LEFT && nChar <= VK_DOWN);
}

// Ends an in-place editor once (bEnding guards against a second time): sends
// its text and ending key to its owner in the end-of-edit record and closes it.
void FinishInPlaceEdit(CWnd* pEditor, bool& bEnding, int nRow, int nColumn, UINT nLastChar);

// Places the caret for the key that started an edit and types a printable one into the editor.
void PrepareStartingKey(CWnd* pEditor, int nTextLength, UINT nFirstChar);
