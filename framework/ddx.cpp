// The data exchange routines, and CWnd::UpdateData which runs them.
#include "framework/ddx.h"

#include "framework/exceptions.h"
#include "framework/msgbox.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

const char kParseIntMessage[] = "Please enter an integer.";
const char kParseRealMessage[] = "Please enter a number.";
const char kRangeIntMessage[] = "Please enter an integer between %d and %d.";

// The text without surrounding blanks.
CString Trimmed(const CString& text)
{
    CString trimmed = text;
    trimmed.Trim(" \t\r\n");
    return trimmed;
}

// A whole-text decimal integer within [minimum, maximum].
bool ParseInteger(const CString& text, long long minimum, long long maximum, long long& value)
{
    const CString digits = Trimmed(text);
    if (digits.IsEmpty())
        return false;
    const char* begin = digits;
    if (minimum >= 0 && *begin == '-')
        return false;
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(begin, &end, 10);
    if (end == begin || *end != '\0' || errno == ERANGE || parsed < minimum || parsed > maximum)
        return false;
    value = parsed;
    return true;
}

bool ParseReal(const CString& text, double& value)
{
    const CString number = Trimmed(text);
    if (number.IsEmpty())
        return false;
    const char* begin = number;
    char* end = nullptr;
    errno = 0;
    const double parsed = std::strtod(begin, &end);
    if (end == begin || *end != '\0' || errno == ERANGE || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

CString ControlText(HWND hWnd)
{
    CString text;
    CWnd::FromHandle(hWnd)->GetWindowText(text);
    return text;
}

// Sets the control's text only when it differs: no flicker, the caret stays
// where the user typed, and the control reports no change for its own text.
void SetControlText(HWND hWnd, LPCSTR lpszText)
{
    if (ControlText(hWnd) != lpszText)
        ::SetWindowTextA(hWnd, lpszText);
}

// Exchanges an integer member of type T through the control's text.
template <class T>
void ExchangeInteger(CDataExchange* pDX, int nIDC, T& value, long long minimum, long long maximum, LPCSTR format)
{
    HWND hControl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        long long parsed = 0;
        if (!ParseInteger(ControlText(hControl), minimum, maximum, parsed)) {
            AfxMessageBox(kParseIntMessage, MB_ICONEXCLAMATION);
            pDX->Fail();
        }
        value = static_cast<T>(parsed);
    } else {
        CString text;
        text.Format(format, value);
        SetControlText(hControl, text);
    }
}

} // namespace

// CWnd's part

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (CUserException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

// CDataExchange

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_idLastControl(0), m_bEditLastControl(FALSE)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hControl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (hControl == nullptr)
        AfxThrowInvalidArgException();
    m_idLastControl = nIDC;
    m_bEditLastControl = FALSE;
    return hControl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hControl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hControl;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_idLastControl != 0) {
        HWND hControl = ::GetDlgItem(m_pDlgWnd->m_hWnd, m_idLastControl);
        if (hControl != nullptr) {
            ::SetFocus(hControl);
            if (m_bEditLastControl)
                ::SendMessageA(hControl, EM_SETSEL, 0, -1);
        }
    }
    AfxThrowUserException();
}

// The routines

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != nullptr)
        return;
    HWND hControl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hControl))
        AfxThrowNotSupportedException();
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hControl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = ControlText(hControl);
    else
        SetControlText(hControl, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeInteger(pDX, nIDC, value, INT_MIN, INT_MAX, "%d");
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    ExchangeInteger(pDX, nIDC, value, 0, UINT_MAX, "%u");
}

void DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    ExchangeInteger(pDX, nIDC, value, LONG_MIN, LONG_MAX, "%ld");
}

void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value)
{
    ExchangeInteger(pDX, nIDC, value, 0, ULONG_MAX, "%lu");
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    HWND hControl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        if (!ParseReal(ControlText(hControl), value)) {
            AfxMessageBox(kParseRealMessage, MB_ICONEXCLAMATION);
            pDX->Fail();
        }
    } else {
        CString text;
        text.Format("%.*g", DBL_DIG, value);
        SetControlText(hControl, text);
    }
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString text;
    text.Format(kRangeIntMessage, minVal, maxVal);
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    pDX->Fail();
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hControl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(hControl, BM_GETCHECK, 0, 0));
    else
        ::SendMessageA(hControl, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hControl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    for (HWND hButton = hControl; hButton != nullptr; hButton = ::GetWindow(hButton, GW_HWNDNEXT)) {
        if (hButton != hControl && (::GetWindowLongA(hButton, GWL_STYLE) & WS_GROUP))
            break;
        if (!(::SendMessageA(hButton, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON))
            continue;
        if (pDX->m_bSaveAndValidate) {
            if (::SendMessageA(hButton, BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = index;
        } else {
            ::SendMessageA(hButton, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        ++index;
    }
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hControl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageA(hControl, CB_GETCURSEL, 0, 0));
    else
        ::SendMessageA(hControl, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hControl = pDX->PrepareCtrl(nIDC);
    const bool dropList = (::GetWindowLongA(hControl, GWL_STYLE) & 0x3) == CBS_DROPDOWNLIST;
    if (pDX->m_bSaveAndValidate) {
        if (!dropList) {
            value = ControlText(hControl);
            return;
        }
        const int selected = static_cast<int>(::SendMessageA(hControl, CB_GETCURSEL, 0, 0));
        value.Empty();
        if (selected != CB_ERR) {
            const int length = static_cast<int>(::SendMessageA(hControl, CB_GETLBTEXTLEN, selected, 0));
            if (length > 0) {
                char* buffer = value.GetBuffer(length);
                const LRESULT copied =
                    ::SendMessageA(hControl, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(buffer));
                value.ReleaseBuffer(copied < 0 ? 0 : static_cast<int>(copied));
            }
        }
        return;
    }
    if (::SendMessageA(hControl, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(
                                                                                static_cast<LPCSTR>(value))) == CB_ERR &&
        !dropList)
        ::SetWindowTextA(hControl, value);
}
