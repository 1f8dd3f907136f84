// CDataExchange, DDX_/DDV_ routines: moving values between dialog controls and members, with validation.
#pragma once

#include "framework/wnd.h"

// The state of one UpdateData pass.
class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    // The control nIDC (throws CInvalidArgException* when the dialog has none);
    // it becomes the control Fail() returns the focus to.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Ends the exchange: puts the focus on the last prepared control and throws CUserException*.
    [[noreturn]] void Fail();

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    int m_idLastControl;
    BOOL m_bEditLastControl;
};

// Subclasses control nIDC into rControl the first time.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// Text of control nIDC. Numbers that do not parse show "Please enter an
// integer." or "Please enter a number." and fail the exchange.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);

// While saving: a value outside minVal..maxVal shows "Please enter an integer
// between %d and %d." and fails the exchange.
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);

// Check box state: 0, 1 or 2 (indeterminate).
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// Index of the checked radio button in the group that starts at nIDC; -1 for none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
// Selected index of a combo box; -1 for none.
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
// Text of a combo box: loading selects the first item that starts with value.
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
