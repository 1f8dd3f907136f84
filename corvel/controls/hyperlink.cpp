#include "corvel/controls/hyperlink.h"

#include <shellapi.h>

namespace {

// ShellExecute results above this value are successes.
constexpr INT_PTR kShellErrorLimit = 32;

} // namespace

IMPLEMENT_DYNAMIC(CHyperLink, CStatic)

BEGIN_MESSAGE_MAP(CHyperLink, CStatic)
    ON_CONTROL_REFLECT(STN_CLICKED, &CHyperLink::OnClicked)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CHyperLink::CHyperLink() = default;
CHyperLink::~CHyperLink() = default;

void CHyperLink::SetURL(const CString& target)
{
    m_target = target;
}

void CHyperLink::PreSubclassWindow()
{
    ModifyStyle(0, SS_NOTIFY);
    CString text;
    GetWindowText(text);
    if (m_target.IsEmpty())
        m_target = text;
    if (text.IsEmpty())
        SetWindowText(m_target);
    CStatic::PreSubclassWindow();
}

HBRUSH CHyperLink::CtlColor(CDC* pDC, UINT)
{
    pDC->SetTextColor(m_visited ? m_visitedColour : m_linkColour);
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

BOOL CHyperLink::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

void CHyperLink::OnClicked()
{
    OpenTarget(m_target, SW_SHOW);
}

HINSTANCE CHyperLink::OpenTarget(const CString& target, int showCommand)
{
    HINSTANCE result = ::ShellExecuteA(nullptr, "open", target, nullptr, nullptr, showCommand);
    const INT_PTR code = reinterpret_cast<INT_PTR>(result);
    if (code > kShellErrorLimit) {
        m_visited = true;
        if (GetSafeHwnd() != nullptr)
            Invalidate();
    } else {
        ::MessageBeep(MB_ICONEXCLAMATION);
        AfxMessageBox("Unable to open hyperlink:\n\n" + DescribeOpenError(code), MB_ICONEXCLAMATION);
    }
    return result;
}

CString CHyperLink::DescribeOpenError(INT_PTR result)
{
    switch (result) {
    case 0:
        return "The operating system is out\nof memory or resources.";
    case ERROR_FILE_NOT_FOUND:
        return "The specified file was not found.";
    case ERROR_PATH_NOT_FOUND:
        return "The specified path was not found.";
    case SE_ERR_ACCESSDENIED:
        return "The operating system denied\naccess to the specified file.";
    case SE_ERR_OOM:
        return "There was not enough memory to complete the operation.";
    case ERROR_BAD_FORMAT:
        return "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
    case SE_ERR_SHARE:
        return "A sharing violation occurred. ";
    case SE_ERR_ASSOCINCOMPLETE:
        return "The filename association is\nincomplete or invalid.";
    case SE_ERR_DDETIMEOUT:
        return "The DDE transaction could not\nbe completed because the request timed out.";
    case SE_ERR_DDEFAIL:
        return "The DDE transaction failed.";
    case SE_ERR_DDEBUSY:
        return "The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed.";
    case SE_ERR_NOASSOC:
        return "There is no application associated\nwith the given filename extension.";
    case SE_ERR_DLLNOTFOUND:
        return "The specified dynamic-link library was not found.";
    default: {
        CString text;
        text.Format("Unknown Error (%d) occurred.", static_cast<int>(result));
        return text;
    }
    }
}
