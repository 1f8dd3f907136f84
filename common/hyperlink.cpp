#include "common/hyperlink.h"

#include <shellapi.h>

namespace {

// ShellExecute results above this value are successes.
constexpr INT_PTR kShellErrorLimit = 32;
// The tooltip's one tool.
constexpr UINT_PTR kToolId = 1;
// The repaint after leaving reaches this far below the control (the underline).
constexpr int kLeaveRepaintMargin = 10;
// Cursor resource of the help program that is the hand.
constexpr int kHandCursorId = 106;

// The default value of a key under HKEY_CLASSES_ROOT, or empty.
CString ClassesRootValue(const CString& key)
{
    if (CHyperLink::classesRootReader)
        return CHyperLink::classesRootReader(key);
    char value[MAX_PATH + 1] = {};
    LONG size = sizeof value - 1;
    if (::RegQueryValueA(HKEY_CLASSES_ROOT, key, value, &size) != ERROR_SUCCESS)
        return CString();
    return CString(value);
}

} // namespace

IMPLEMENT_DYNAMIC(CHyperLink, CStatic)

BEGIN_MESSAGE_MAP(CHyperLink, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_CONTROL_REFLECT(STN_CLICKED, &CHyperLink::OnClicked)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CHyperLink::CHyperLink() = default;

CHyperLink::~CHyperLink()
{
    m_underlinedFont.DeleteObject();
    if (m_toolTip.GetSafeHwnd() != nullptr)
        m_toolTip.DestroyWindow();
    if (m_linkCursor != nullptr)
        ::DestroyCursor(m_linkCursor);
}

void CHyperLink::SetURL(const CString& target)
{
    m_target = target;
    if (GetSafeHwnd() == nullptr)
        return;
    PositionWindow();
    if (m_toolTip.GetSafeHwnd() != nullptr) {
        TOOLINFOA tool = {};
        tool.cbSize = sizeof tool;
        tool.hwnd = m_hWnd;
        tool.uId = kToolId;
        tool.lpszText = const_cast<LPSTR>(m_target.GetString());
        m_toolTip.SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void CHyperLink::SetVisited(bool visited)
{
    m_visited = visited;
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CHyperLink::SetUnderline(int mode)
{
    if (mode != m_underline && GetSafeHwnd() != nullptr) {
        ShowFont(mode == kUnderlineAlways);
        Invalidate();
    }
    m_underline = mode;
}

HFONT CHyperLink::GetShownFont() const
{
    return reinterpret_cast<HFONT>(const_cast<CHyperLink*>(this)->SendMessage(WM_GETFONT));
}

void CHyperLink::ShowFont(bool underlined)
{
    CFont& font = underlined ? m_underlinedFont : m_standardFont;
    if (font.GetSafeHandle() != nullptr)
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.GetSafeHandle()), FALSE);
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

    HFONT current = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    if (current == nullptr)
        current = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    if (current == nullptr)
        current = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
    LOGFONTA description = {};
    ::GetObjectA(current, sizeof description, &description);
    m_standardFont.DeleteObject();
    m_standardFont.CreateFontIndirect(&description);
    description.lfUnderline = TRUE;
    m_underlinedFont.DeleteObject();
    m_underlinedFont.CreateFontIndirect(&description);

    PositionWindow();
    LoadLinkCursor();
    ShowFont(m_underline == kUnderlineAlways);
    if (m_toolTip.GetSafeHwnd() == nullptr && m_toolTip.Create(this)) {
        TOOLINFOA tool = {};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = m_hWnd;
        tool.uId = kToolId;
        GetClientRect(&tool.rect);
        tool.lpszText = const_cast<LPSTR>(m_target.GetString());
        m_toolTip.AddTool(&tool);
    }
    CStatic::PreSubclassWindow();
}

void CHyperLink::PositionWindow()
{
    if (!m_adjustToFit || GetSafeHwnd() == nullptr)
        return;
    CRect window;
    GetWindowRect(&window);
    CRect client;
    GetClientRect(&client);
    if (CWnd* parent = GetParent())
        parent->ScreenToClient(&window);

    CString text;
    GetWindowText(text);
    CClientDC dc(this);
    HGDIOBJ old = ::SelectObject(dc.m_hDC, m_underlinedFont.GetSafeHandle() != nullptr
                                                ? m_underlinedFont.GetSafeHandle()
                                                : ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE extent = {};
    ::GetTextExtentPoint32A(dc.m_hDC, text, text.GetLength(), &extent);
    ::SelectObject(dc.m_hDC, old);
    extent.cx += window.Width() - client.Width();
    extent.cy += window.Height() - client.Height();

    // The text's extent, narrower or wider than the control: a centred control keeps its middle, a right-aligned
    // one its right edge, any other its top-left corner.
    const DWORD style = GetStyle();
    CRect fitted = window;
    if ((style & SS_TYPEMASK) == SS_CENTER) {
        fitted.left = window.left + (window.Width() - extent.cx) / 2;
        fitted.right = fitted.left + extent.cx;
    } else if ((style & SS_TYPEMASK) == SS_RIGHT) {
        fitted.left = window.right - extent.cx;
    } else {
        fitted.right = window.left + extent.cx;
    }
    if (style & SS_CENTERIMAGE) {
        fitted.top = window.top + (window.Height() - extent.cy) / 2;
        fitted.bottom = fitted.top + extent.cy;
    } else {
        fitted.bottom = window.top + extent.cy;
    }
    SetWindowPos(nullptr, fitted.left, fitted.top, fitted.Width(), fitted.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void CHyperLink::LoadLinkCursor()
{
    if (m_linkCursor != nullptr)
        return;
    char folder[MAX_PATH] = {};
    ::GetWindowsDirectoryA(folder, MAX_PATH);
    const CString helpProgram = CString(folder) + "\\winhlp32.exe";
    HMODULE module = ::LoadLibraryA(helpProgram);
    if (module == nullptr)
        return;
    if (HCURSOR hand = ::LoadCursorA(module, MAKEINTRESOURCEA(kHandCursorId)))
        m_linkCursor = CopyCursor(hand);
    ::FreeLibrary(module);
}

BOOL CHyperLink::DestroyWindow()
{
    KillTimer(kHoverTimer);
    return CStatic::DestroyWindow();
}

BOOL CHyperLink::PreTranslateMessage(MSG* pMsg)
{
    if (m_toolTip.GetSafeHwnd() != nullptr)
        m_toolTip.RelayEvent(pMsg);
    return CStatic::PreTranslateMessage(pMsg);
}

HBRUSH CHyperLink::CtlColor(CDC* pDC, UINT)
{
    pDC->SetTextColor(m_overControl ? m_hoverColour : (m_visited ? m_visitedColour : m_linkColour));
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

BOOL CHyperLink::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_linkCursor != nullptr) {
        ::SetCursor(m_linkCursor);
        return TRUE;
    }
    return CStatic::OnSetCursor(pWnd, nHitTest, message);
}

void CHyperLink::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_overControl) {
        m_overControl = true;
        if (m_underline == kUnderlineHover)
            ShowFont(true);
        Invalidate();
        SetTimer(kHoverTimer, kHoverPeriod, nullptr);
    }
    CStatic::OnMouseMove(nFlags, point);
}

void CHyperLink::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kHoverTimer) {
        CStatic::OnTimer(nIDEvent);
        return;
    }
    const DWORD position = ::GetMessagePos();
    CPoint point(static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position)));
    ScreenToClient(&point);
    CRect client;
    GetClientRect(&client);
    if (client.PtInRect(point))
        return;
    m_overControl = false;
    KillTimer(kHoverTimer);
    if (m_underline != kUnderlineAlways)
        ShowFont(false);
    client.bottom += kLeaveRepaintMargin;
    InvalidateRect(&client);
}

void CHyperLink::OnClicked()
{
    OpenTarget(m_target, SW_SHOW);
}

CString CHyperLink::HtmlOpenCommand()
{
    const CString type = ClassesRootValue(".htm");
    if (type.IsEmpty())
        return CString();
    CString command = ClassesRootValue(type + "\\shell\\open\\command");
    // Cut before a quoted "%1" (at its opening mark), else before a bare one.
    int cut = command.Find("\"%1\"");
    if (cut < 0)
        cut = command.Find("%1");
    if (cut >= 0)
        command = command.Left(cut);
    return command;
}

HINSTANCE CHyperLink::OpenTarget(const CString& target, int showCommand)
{
    m_overControl = false;
    HINSTANCE result = ::ShellExecuteA(nullptr, "open", target, nullptr, nullptr, showCommand);
    INT_PTR code = reinterpret_cast<INT_PTR>(result);
    if (code <= kShellErrorLimit) {
        const CString command = HtmlOpenCommand();
        if (!command.IsEmpty()) {
            const CString line = command + " " + target;
            code = static_cast<INT_PTR>(::WinExec(line, static_cast<UINT>(showCommand)));
            result = reinterpret_cast<HINSTANCE>(code);
        }
    }
    if (code > kShellErrorLimit) {
        SetVisited(true);
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
