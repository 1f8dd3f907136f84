// CWnd: the handle map, window creation and subclassing, the window procedure and the thin wrappers.
// (Message dispatch and notification routing are in msgmap.cpp.)
#include "framework/wnd.h"

#include "framework/error_report.h"
#include "framework/exceptions.h"
#include "framework/gdi.h"
#include "framework/menu.h"
#include "framework/msgbox.h"
#include "framework/winapp.h"

#include <memory>
#include <set>
#include <unordered_map>
#include <utility>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

namespace {

// The one map from window handles to their objects: permanent objects belong
// to their owners, temporary ones (FromHandle) to the map until idle time.
struct HandleMap {
    std::unordered_map<HWND, CWnd*> permanent;
    std::unordered_map<HWND, std::unique_ptr<CWnd>> temporary;
};

HandleMap& Handles()
{
    static HandleMap map;
    return map;
}

// The window being created by CWnd::CreateEx on this thread, caught by the CBT hook.
thread_local CWnd* t_pWndInit = nullptr;
thread_local HHOOK t_hCbtHook = nullptr;
// The message being handled on this thread.
thread_local MSG t_lastSent = {};

// The id resource scripts give static text (IDC_STATIC).
constexpr int IDC_STATIC_ID = 0xFFFF;

// Messages after which the modal loop counts as busy again.
bool IsIdleBreakingMessage(const MSG& msg)
{
    return msg.message != WM_PAINT && msg.message != WM_TIMER && msg.message != WM_NULL &&
           msg.message != WM_KICKIDLE && msg.message != 0x0118; // system caret timer
}

WNDPROC CurrentWndProc(HWND hWnd)
{
    return reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
}

} // namespace

LRESULT CALLBACK AfxCbtHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && t_pWndInit != nullptr) {
        CWnd* pWnd = std::exchange(t_pWndInit, nullptr);
        pWnd->HookCreatedWindow(reinterpret_cast<HWND>(wParam));
    }
    return ::CallNextHookEx(t_hCbtHook, code, wParam, lParam);
}

void AfxHookWindowCreate(CWnd* pWnd)
{
    if (t_hCbtHook == nullptr)
        t_hCbtHook = ::SetWindowsHookExA(WH_CBT, AfxCbtHookProc, nullptr, ::GetCurrentThreadId());
    t_pWndInit = pWnd;
}

BOOL AfxUnhookWindowCreate()
{
    return std::exchange(t_pWndInit, nullptr) == nullptr;
}

const MSG* AfxGetCurrentMessage()
{
    return &t_lastSent;
}

MSG AfxSetCurrentMessage(const MSG& msg)
{
    return std::exchange(t_lastSent, msg);
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);

    const MSG previous = t_lastSent;
    t_lastSent.hwnd = hWnd;
    t_lastSent.message = message;
    t_lastSent.wParam = wParam;
    t_lastSent.lParam = lParam;
    LRESULT result = 0;
    // Exceptions must not unwind through the system's frames: every family is reported here.
    try {
        result = pWnd->WindowProc(message, wParam, lParam);
    } catch (...) {
        AfxReportCurrentException();
        result = message == WM_CREATE ? -1 : 0;
    }
    if (message == WM_NCDESTROY)
        pWnd->FinishNcDestroy();
    t_lastSent = previous;
    return result;
}

// Window classes

LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    static std::set<CString> registered;
    CString name;
    name.Format("Kor:%p:%x:%p:%p:%p", static_cast<void*>(AfxGetInstanceHandle()), nClassStyle,
                static_cast<void*>(hCursor), static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
    auto found = registered.find(name);
    if (found != registered.end())
        return *found;

    WNDCLASSA wc = {};
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.hIcon = hIcon;
    wc.lpszClassName = name;
    WNDCLASSA existing = {};
    if (!::GetClassInfoA(wc.hInstance, name, &existing) && !::RegisterClassA(&wc))
        AfxThrowNotSupportedException();
    return *registered.insert(name).first;
}

LPCSTR AfxDefaultWndClass()
{
    static LPCSTR name = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW));
    return name;
}

LPCSTR AfxFrameOrViewWndClass()
{
    static LPCSTR name = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorA(nullptr, IDC_ARROW),
                                             reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    return name;
}

// The handle map

CWnd::CWnd()
    : m_hWnd(nullptr), m_nModalResult(-1), m_bContinueModal(false), m_pfnSuper(nullptr), m_bTemporary(false),
      m_bToolTips(false)
{
}

CWnd::~CWnd()
{
    if (m_hWnd != nullptr && !m_bTemporary && FromHandlePermanent(m_hWnd) == this) {
        // Destroying the window runs its WM_NCDESTROY, which detaches a routed object.
        ::DestroyWindow(m_hWnd);
        if (m_hWnd != nullptr)
            Detach();
    }
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    if (CWnd* pWnd = FromHandlePermanent(hWnd))
        return pWnd;
    std::unique_ptr<CWnd>& slot = Handles().temporary[hWnd];
    if (!slot) {
        slot.reset(new CWnd);
        slot->m_hWnd = hWnd;
        slot->m_bTemporary = true;
    }
    return slot.get();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    const auto& permanent = Handles().permanent;
    auto found = permanent.find(hWnd);
    return found != permanent.end() ? found->second : nullptr;
}

void CWnd::DeleteTempMap()
{
    for (auto& entry : Handles().temporary)
        entry.second->m_hWnd = nullptr;
    Handles().temporary.clear();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == nullptr || m_hWnd != nullptr || FromHandlePermanent(hWndNew) != nullptr)
        return FALSE;
    m_hWnd = hWndNew;
    Handles().permanent[hWndNew] = this;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = std::exchange(m_hWnd, nullptr);
    if (hWnd != nullptr) {
        auto& permanent = Handles().permanent;
        auto found = permanent.find(hWnd);
        if (found != permanent.end() && found->second == this)
            permanent.erase(found);
    }
    return hWnd;
}

void CWnd::HookCreatedWindow(HWND hWnd)
{
    Attach(hWnd);
    PreSubclassWindow();
    WNDPROC previous =
        reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
    if (previous != AfxWndProc)
        m_pfnSuper = previous;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC previous =
        reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
    if (previous == nullptr) {
        Detach();
        return FALSE;
    }
    if (previous != AfxWndProc)
        m_pfnSuper = previous;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hControl = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
    return hControl != nullptr && SubclassWindow(hControl);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_hWnd != nullptr && m_pfnSuper != nullptr && CurrentWndProc(m_hWnd) == AfxWndProc)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

void CWnd::FinishNcDestroy()
{
    if (m_hWnd != nullptr && m_pfnSuper != nullptr && CurrentWndProc(m_hWnd) == AfxWndProc)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    Detach();
    PostNcDestroy();
}

// Creation and destruction

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd != nullptr)
        return FALSE;
    CREATESTRUCTA cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle);
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxDefaultWndClass();

    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y,
                                  cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    // Not caught by the hook: the window never existed, so no WM_NCDESTROY will clean up.
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();
    return hWnd != nullptr;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    HWND hWnd = m_hWnd;
    // A routed window detaches itself (and may delete this) in its WM_NCDESTROY.
    const bool routed = m_pfnSuper != nullptr && FromHandlePermanent(hWnd) == this;
    const BOOL destroyed = ::DestroyWindow(hWnd);
    if (!routed && m_hWnd == hWnd && (destroyed || !::IsWindow(hWnd))) {
        if (m_bTemporary)
            m_hWnd = nullptr;
        else
            Detach();
    }
    return destroyed;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxDefaultWndClass();
    return TRUE;
}

void CWnd::PreSubclassWindow() {}

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_bToolTips)
        FilterToolTipMessage(pMsg);
    return FALSE;
}

void CWnd::PostNcDestroy() {}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Our windows are ANSI, and so are the notifications their controls send them.
    if (message == WM_NOTIFYFORMAT && lParam == NF_QUERY)
        return NFR_ANSI;
    if (m_pfnSuper != nullptr)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = t_lastSent;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

// Modal loops

int CWnd::RunModalLoop()
{
    bool idle = true;
    LONG idleCount = 0;
    MSG msg = {};
    while (ContinueModal()) {
        while (idle && ContinueModal() && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, idleCount++))
                idle = false;
        }
        while (ContinueModal()) {
            if (!::GetMessageA(&msg, nullptr, 0, 0)) {
                // The program is ending: pass the quit on to the outer loop.
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                EndModalLoop(-1);
                break;
            }
            if (!WalkPreTranslateTree(m_hWnd, &msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
            if (IsIdleBreakingMessage(msg)) {
                idle = true;
                idleCount = 0;
            }
            if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
                break;
        }
    }
    return m_nModalResult;
}

HWND CWnd::ModalOwnerOf(CWnd* pParent)
{
    if (pParent == nullptr)
        pParent = AfxGetMainWnd();
    HWND hOwner = pParent != nullptr ? pParent->m_hWnd : nullptr;
    if (hOwner == nullptr || !::IsWindow(hOwner))
        return nullptr;
    HWND hTop = ::GetAncestor(hOwner, GA_ROOT);
    return hTop != nullptr ? hTop : hOwner;
}

INT_PTR CWnd::RunModalWindow(HWND hOwner, const std::function<BOOL()>& create)
{
    const bool disabledOwner = hOwner != nullptr && ::IsWindowEnabled(hOwner);
    if (disabledOwner)
        ::EnableWindow(hOwner, FALSE);

    m_nModalResult = -1;
    m_bContinueModal = true;
    if (create() && m_hWnd != nullptr && m_bContinueModal) {
        if (!IsWindowVisible())
            ShowWindow(SW_SHOWNORMAL);
        RunModalLoop();
    }
    m_bContinueModal = false;

    if (m_hWnd != nullptr)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    if (disabledOwner)
        ::EnableWindow(hOwner, TRUE);
    if (hOwner != nullptr && (::GetActiveWindow() == m_hWnd || ::GetActiveWindow() == nullptr))
        ::SetActiveWindow(hOwner);
    if (m_hWnd != nullptr)
        DestroyWindow();
    return m_nModalResult;
}

BOOL CWnd::ContinueModal()
{
    return m_bContinueModal;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_bContinueModal) {
        m_bContinueModal = false;
        // Wakes the loop if it waits for a message.
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
    }
}

// Default handlers

int CWnd::OnCreate(LPCREATESTRUCT)
{
    return static_cast<int>(Default());
}

#define KOR_DEFAULT_HANDLER(signature) \
    void CWnd::signature               \
    {                                  \
        Default();                     \
    }
KOR_DEFAULT_HANDLER(OnDestroy())
KOR_DEFAULT_HANDLER(OnClose())
KOR_DEFAULT_HANDLER(OnSize(UINT, int, int))
KOR_DEFAULT_HANDLER(OnPaint())
KOR_DEFAULT_HANDLER(OnTimer(UINT_PTR))
KOR_DEFAULT_HANDLER(OnLButtonDown(UINT, CPoint))
KOR_DEFAULT_HANDLER(OnLButtonUp(UINT, CPoint))
KOR_DEFAULT_HANDLER(OnLButtonDblClk(UINT, CPoint))
KOR_DEFAULT_HANDLER(OnRButtonDown(UINT, CPoint))
KOR_DEFAULT_HANDLER(OnRButtonUp(UINT, CPoint))
KOR_DEFAULT_HANDLER(OnMouseMove(UINT, CPoint))
KOR_DEFAULT_HANDLER(OnContextMenu(CWnd*, CPoint))
KOR_DEFAULT_HANDLER(OnSetFocus(CWnd*))
KOR_DEFAULT_HANDLER(OnKillFocus(CWnd*))
KOR_DEFAULT_HANDLER(OnDropFiles(HDROP))
KOR_DEFAULT_HANDLER(OnDrawItem(int, LPDRAWITEMSTRUCT))
KOR_DEFAULT_HANDLER(OnMeasureItem(int, LPMEASUREITEMSTRUCT))
KOR_DEFAULT_HANDLER(OnHScroll(UINT, UINT, CScrollBar*))
KOR_DEFAULT_HANDLER(OnVScroll(UINT, UINT, CScrollBar*))
KOR_DEFAULT_HANDLER(OnKeyDown(UINT, UINT, UINT))
KOR_DEFAULT_HANDLER(OnKeyUp(UINT, UINT, UINT))
KOR_DEFAULT_HANDLER(OnChar(UINT, UINT, UINT))
KOR_DEFAULT_HANDLER(OnSysChar(UINT, UINT, UINT))
KOR_DEFAULT_HANDLER(OnGetMinMaxInfo(MINMAXINFO*))
KOR_DEFAULT_HANDLER(OnShowWindow(BOOL, UINT))
KOR_DEFAULT_HANDLER(OnActivate(UINT, CWnd*, BOOL))
KOR_DEFAULT_HANDLER(OnNcDestroy())
KOR_DEFAULT_HANDLER(OnInitMenuPopup(CMenu*, UINT, BOOL))
KOR_DEFAULT_HANDLER(OnSysCommand(UINT, LPARAM))
KOR_DEFAULT_HANDLER(OnMenuSelect(UINT, UINT, HMENU))
KOR_DEFAULT_HANDLER(OnEnterIdle(UINT, CWnd*))
KOR_DEFAULT_HANDLER(OnSettingChange(UINT, LPCSTR))
KOR_DEFAULT_HANDLER(OnSysColorChange())
KOR_DEFAULT_HANDLER(OnCaptureChanged(CWnd*))
KOR_DEFAULT_HANDLER(OnSysKeyDown(UINT, UINT, UINT))
KOR_DEFAULT_HANDLER(OnImeChar(UINT, UINT, UINT))
KOR_DEFAULT_HANDLER(OnMButtonDown(UINT, CPoint))
KOR_DEFAULT_HANDLER(OnWindowPosChanging(WINDOWPOS*))
#undef KOR_DEFAULT_HANDLER

BOOL CWnd::OnNcCreate(LPCREATESTRUCT)
{
    return static_cast<BOOL>(Default());
}

BOOL CWnd::OnEraseBkgnd(CDC*)
{
    return static_cast<BOOL>(Default());
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT)
{
    return reinterpret_cast<HBRUSH>(Default());
}

BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT)
{
    return static_cast<BOOL>(Default());
}

HCURSOR CWnd::OnQueryDragIcon()
{
    return reinterpret_cast<HCURSOR>(Default());
}

UINT CWnd::OnGetDlgCode()
{
    return static_cast<UINT>(Default());
}

BOOL CWnd::OnMouseWheel(UINT, short, CPoint)
{
    return static_cast<BOOL>(Default());
}

const AFX_MSGMAP* CWnd::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig::end, nullptr, nullptr}};
    static const AFX_MSGMAP map = {&CCmdTarget::GetThisMessageMap, entries};
    return &map;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const
{
    return GetThisMessageMap();
}

// Wrappers

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendDlgItemMessageA(m_hWnd, nID, message, wParam, lParam);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (!bOnlyPerm || FromHandlePermanent(hChild) != nullptr)
            ::SendMessageA(hChild, message, wParam, lParam);
        if (bDeep && ::GetWindow(hChild, GW_CHILD) != nullptr)
            FromHandle(hChild)->SendMessageToDescendants(message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
    CCmdUI state;
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        const int id = ::GetDlgCtrlID(hChild);
        if (id == 0 || id == -1 || id == IDC_STATIC_ID)
            continue;
        state.m_pOther = FromHandle(hChild);
        state.m_nID = static_cast<UINT>(id);
        // Push buttons without a handler of their own are disabled only when asked.
        state.DoUpdate(pTarget, bDisableIfNoHandler && (::SendMessageA(hChild, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON));
    }
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}

int CWnd::GetDlgCtrlID() const
{
    return ::GetDlgCtrlID(m_hWnd);
}

int CWnd::SetDlgCtrlID(int nID)
{
    return static_cast<int>(::SetWindowLongPtrA(m_hWnd, GWLP_ID, nID));
}

void CWnd::SetDlgItemText(int nID, LPCSTR lpszString)
{
    ::SetDlgItemTextA(m_hWnd, nID, lpszString);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    HWND hItem = ::GetDlgItem(m_hWnd, nID);
    if (hItem == nullptr) {
        rString.Empty();
        return 0;
    }
    FromHandle(hItem)->GetWindowText(rString);
    return rString.GetLength();
}

void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned)
{
    ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned);
}

UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const
{
    return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned);
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck)
{
    ::CheckDlgButton(m_hWnd, nIDButton, nCheck);
}

UINT CWnd::IsDlgButtonChecked(int nIDButton) const
{
    return ::IsDlgButtonChecked(m_hWnd, nIDButton);
}

void CWnd::SetWindowText(LPCSTR lpszString)
{
    ::SetWindowTextA(m_hWnd, lpszString);
}

void CWnd::GetWindowText(CString& rString) const
{
    const int length = ::GetWindowTextLengthA(m_hWnd);
    char* buffer = rString.GetBuffer(length);
    const int copied = length > 0 ? ::GetWindowTextA(m_hWnd, buffer, length + 1) : 0;
    rString.ReleaseBuffer(copied);
}

int CWnd::GetWindowTextLength() const
{
    return ::GetWindowTextLengthA(m_hWnd);
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    return ::ShowWindow(m_hWnd, nCmdShow);
}

void CWnd::UpdateWindow()
{
    ::UpdateWindow(m_hWnd);
}

void CWnd::Invalidate(BOOL bErase)
{
    ::InvalidateRect(m_hWnd, nullptr, bErase);
}

void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase)
{
    ::InvalidateRect(m_hWnd, lpRect, bErase);
}

void CWnd::ValidateRect(LPCRECT lpRect)
{
    ::ValidateRect(m_hWnd, lpRect);
}

void CWnd::RedrawWindow(LPCRECT lpRectUpdate, HRGN hrgnUpdate, UINT flags)
{
    ::RedrawWindow(m_hWnd, lpRectUpdate, hrgnUpdate, flags);
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    return ::EnableWindow(m_hWnd, bEnable);
}

BOOL CWnd::IsWindowEnabled() const
{
    return ::IsWindowEnabled(m_hWnd);
}

BOOL CWnd::IsWindowVisible() const
{
    return ::IsWindowVisible(m_hWnd);
}

BOOL CWnd::IsIconic() const
{
    return ::IsIconic(m_hWnd);
}

BOOL CWnd::IsZoomed() const
{
    return ::IsZoomed(m_hWnd);
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return ::SetWindowPos(m_hWnd, pWndInsertAfter != nullptr ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy,
                          nFlags);
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    ::GetClientRect(m_hWnd, lpRect);
}

void CWnd::GetWindowRect(LPRECT lpRect) const
{
    ::GetWindowRect(m_hWnd, lpRect);
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const
{
    ::ClientToScreen(m_hWnd, lpPoint);
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const
{
    ::ScreenToClient(m_hWnd, lpPoint);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2);
}

CWnd* CWnd::SetFocus()
{
    return FromHandle(::SetFocus(m_hWnd));
}

CWnd* CWnd::GetFocus()
{
    return FromHandle(::GetFocus());
}

CWnd* CWnd::SetActiveWindow()
{
    return FromHandle(::SetActiveWindow(m_hWnd));
}

CWnd* CWnd::GetActiveWindow()
{
    return FromHandle(::GetActiveWindow());
}

BOOL CWnd::SetForegroundWindow()
{
    return ::SetForegroundWindow(m_hWnd);
}

CWnd* CWnd::GetParent() const
{
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::SetParent(CWnd* pWndNewParent)
{
    return FromHandle(::SetParent(m_hWnd, pWndNewParent != nullptr ? pWndNewParent->m_hWnd : nullptr));
}

CWnd* CWnd::GetTopLevelParent() const
{
    HWND hTop = ::GetAncestor(m_hWnd, GA_ROOT);
    return FromHandle(hTop != nullptr ? hTop : m_hWnd);
}

CWnd* CWnd::GetWindow(UINT nCmd) const
{
    return FromHandle(::GetWindow(m_hWnd, nCmd));
}

BOOL CWnd::IsChild(const CWnd* pWnd) const
{
    return pWnd != nullptr && ::IsChild(m_hWnd, pWnd->m_hWnd);
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer)
{
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    return ::KillTimer(m_hWnd, nIDEvent);
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont != nullptr ? pFont->m_hObject : nullptr), bRedraw);
}

CFont* CWnd::GetFont() const
{
    return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
}

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType)
{
    return KorMessageBox(m_hWnd, lpszText, lpszCaption != nullptr ? lpszCaption : AfxGetAppName(), nType);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    HWND hCenter = pAlternateOwner != nullptr ? pAlternateOwner->m_hWnd : nullptr;
    const bool child = (GetStyle() & WS_CHILD) != 0;
    if (hCenter == nullptr)
        hCenter = child ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);

    CRect area;
    CRect window;
    GetWindowRect(&window);
    if (child) {
        ::GetClientRect(hCenter, &area);
        ::ScreenToClient(hCenter, &window.TopLeft());
        ::ScreenToClient(hCenter, &window.BottomRight());
    } else {
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof(monitor);
        ::GetMonitorInfoA(::MonitorFromWindow(hCenter != nullptr ? hCenter : m_hWnd, MONITOR_DEFAULTTONEAREST),
                          &monitor);
        area = monitor.rcWork;
        if (hCenter != nullptr && ::IsWindowVisible(hCenter) && !::IsIconic(hCenter))
            ::GetWindowRect(hCenter, &area);
    }
    int x = (area.left + area.right) / 2 - window.Width() / 2;
    int y = (area.top + area.bottom) / 2 - window.Height() / 2;
    if (!child) {
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof(monitor);
        ::GetMonitorInfoA(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
        const CRect work(monitor.rcWork);
        if (x + window.Width() > work.right)
            x = work.right - window.Width();
        if (x < work.left)
            x = work.left;
        if (y + window.Height() > work.bottom)
            y = work.bottom - window.Height();
        if (y < work.top)
            y = work.top;
    }
    SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::DragAcceptFiles(BOOL bAccept)
{
    ::DragAcceptFiles(m_hWnd, bAccept);
}

CMenu* CWnd::GetMenu() const
{
    return CMenu::FromHandle(::GetMenu(m_hWnd));
}

BOOL CWnd::SetMenu(CMenu* pMenu)
{
    return ::SetMenu(m_hWnd, pMenu != nullptr ? pMenu->m_hMenu : nullptr);
}

void CWnd::DrawMenuBar()
{
    ::DrawMenuBar(m_hWnd);
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}

void CWnd::SetRedraw(BOOL bRedraw)
{
    SendMessage(WM_SETREDRAW, bRedraw);
}

DWORD CWnd::GetStyle() const
{
    return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE));
}

DWORD CWnd::GetExStyle() const
{
    return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE));
}

namespace {

BOOL ModifyWindowLong(HWND hWnd, int index, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    const DWORD style = static_cast<DWORD>(::GetWindowLongA(hWnd, index));
    const DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle)
        return FALSE;
    ::SetWindowLongA(hWnd, index, static_cast<LONG>(newStyle));
    if (nFlags != 0)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

} // namespace

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyWindowLong(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyWindowLong(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

void CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon));
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) const
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const
{
    lpwndpl->length = sizeof(WINDOWPLACEMENT);
    return ::GetWindowPlacement(m_hWnd, lpwndpl);
}

BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl)
{
    return ::SetWindowPlacement(m_hWnd, lpwndpl);
}

HWND CWnd::SetCapture()
{
    return ::SetCapture(m_hWnd);
}
