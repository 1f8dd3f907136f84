// The message-map walk, the one decoder of wParam/lParam by handler signature,
// and the routing of WM_COMMAND, WM_NOTIFY and control notifications (CWnd's part).
#include "framework/msgmap.h"

#include "framework/controls.h"
#include "framework/gdi.h"
#include "framework/menu.h"
#include "framework/wnd.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

namespace {

// The system commands (SC_SIZE and up) are never disabled for want of a handler.
constexpr UINT kFirstSystemCommand = 0xF000;

// Registered window messages take ids from this value on.
constexpr UINT kFirstRegisteredMessage = 0xC000;

bool IsCtlColorMessage(UINT message)
{
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

// The control a parent-notification message comes from, or null.
HWND NotifyingChild(CWnd* pParent, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsCtlColorMessage(message))
        return reinterpret_cast<HWND>(lParam);
    switch (message) {
    case WM_DRAWITEM:
        // Menus are drawn with id 0; a control of id 0 still names itself.
        return reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->CtlType != ODT_MENU
                   ? reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem
                   : nullptr;
    case WM_MEASUREITEM:
        return wParam != 0 ? ::GetDlgItem(pParent->m_hWnd, static_cast<int>(wParam)) : nullptr;
    case WM_COMPAREITEM:
        return reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam)->hwndItem;
    case WM_DELETEITEM:
        return reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem;
    case WM_HSCROLL:
    case WM_VSCROLL:
        return reinterpret_cast<HWND>(lParam);
    default:
        return nullptr;
    }
}

// A DC object wrapping a handle the system owns for the length of one call.
class BorrowedDC {
public:
    explicit BorrowedDC(HDC hDC) { m_dc.Attach(hDC); }
    ~BorrowedDC() { m_dc.Detach(); }
    CDC* Get() { return &m_dc; }

private:
    CDC m_dc;
};

// Asks whether a command is enabled without touching any menu or control.
class TestCmdUI : public CCmdUI {
public:
    BOOL m_bEnabled = TRUE;
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCSTR) override {}
};

} // namespace

const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage, UINT nCode, UINT nID)
{
    for (; pMap != nullptr; pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = pMap->lpEntries; entry->nSig != AfxSig::end; ++entry) {
            const bool messageMatches = entry->pnRegisteredMessage != nullptr
                ? nMessage >= kFirstRegisteredMessage && *entry->pnRegisteredMessage == nMessage
                : entry->nMessage == nMessage;
            if (messageMatches && entry->nCode == nCode && nID >= entry->nID && nID <= entry->nLastID)
                return entry;
        }
    }
    return nullptr;
}

BOOL AfxDispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int, const AFX_MSGMAP_ENTRY* pEntry, void* pExtra)
{
    AFX_NOTIFY* notify = static_cast<AFX_NOTIFY*>(pExtra);
    switch (pEntry->nSig) {
    case AfxSig::cmd_v:
        (pTarget->*reinterpret_cast<void (CCmdTarget::*)()>(pEntry->pfn))();
        return TRUE;
    case AfxSig::cmd_range:
        (pTarget->*reinterpret_cast<void (CCmdTarget::*)(UINT)>(pEntry->pfn))(nID);
        return TRUE;
    case AfxSig::cmd_b:
        return (pTarget->*reinterpret_cast<BOOL (CCmdTarget::*)()>(pEntry->pfn))();
    case AfxSig::cmd_ui: {
        CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
        pCmdUI->m_bContinueRouting = FALSE;
        (pTarget->*reinterpret_cast<void (CCmdTarget::*)(CCmdUI*)>(pEntry->pfn))(pCmdUI);
        return !pCmdUI->m_bContinueRouting;
    }
    case AfxSig::notify:
        (pTarget->*reinterpret_cast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(pEntry->pfn))(notify->pNMHDR,
                                                                                             notify->pResult);
        return TRUE;
    case AfxSig::notify_range:
        (pTarget->*reinterpret_cast<void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pEntry->pfn))(
            nID, notify->pNMHDR, notify->pResult);
        return TRUE;
    case AfxSig::notify_b:
        return (pTarget->*reinterpret_cast<BOOL (CCmdTarget::*)(NMHDR*, LRESULT*)>(pEntry->pfn))(notify->pNMHDR,
                                                                                                    notify->pResult);
    case AfxSig::notify_range_b:
        return (pTarget->*reinterpret_cast<BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pEntry->pfn))(
            nID, notify->pNMHDR, notify->pResult);
    default:
        return FALSE;
    }
}

BOOL AfxDispatchWndMsg(CWnd* pWnd, const AFX_MSGMAP_ENTRY* pEntry, UINT message, WPARAM wParam, LPARAM lParam,
                       LRESULT* pResult)
{
    const AFX_PMSG pfn = pEntry->pfn;
    LRESULT result = 0;
    switch (pEntry->nSig) {
    case AfxSig::i_create:
        result = (pWnd->*reinterpret_cast<int (CWnd::*)(LPCREATESTRUCT)>(pfn))(
            reinterpret_cast<LPCREATESTRUCT>(lParam));
        break;
    case AfxSig::v_v:
        (pWnd->*reinterpret_cast<void (CWnd::*)()>(pfn))();
        break;
    case AfxSig::v_size:
        (pWnd->*reinterpret_cast<void (CWnd::*)(UINT, int, int)>(pfn))(
            static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        break;
    case AfxSig::b_dc: {
        BorrowedDC dc(reinterpret_cast<HDC>(wParam));
        result = (pWnd->*reinterpret_cast<BOOL (CWnd::*)(CDC*)>(pfn))(dc.Get());
        break;
    }
    case AfxSig::v_timer:
        (pWnd->*reinterpret_cast<void (CWnd::*)(UINT_PTR)>(pfn))(static_cast<UINT_PTR>(wParam));
        break;
    case AfxSig::v_mouse:
        (pWnd->*reinterpret_cast<void (CWnd::*)(UINT, CPoint)>(pfn))(static_cast<UINT>(wParam), CPoint(lParam));
        break;
    case AfxSig::v_contextmenu:
        (pWnd->*reinterpret_cast<void (CWnd::*)(CWnd*, CPoint)>(pfn))(
            CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), CPoint(lParam));
        break;
    case AfxSig::v_focus:
        (pWnd->*reinterpret_cast<void (CWnd::*)(CWnd*)>(pfn))(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));
        break;
    case AfxSig::v_dropfiles:
        (pWnd->*reinterpret_cast<void (CWnd::*)(HDROP)>(pfn))(reinterpret_cast<HDROP>(wParam));
        break;
    case AfxSig::h_ctlcolor: {
        BorrowedDC dc(reinterpret_cast<HDC>(wParam));
        const HBRUSH brush = (pWnd->*reinterpret_cast<HBRUSH (CWnd::*)(CDC*, CWnd*, UINT)>(pfn))(
            dc.Get(), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), message - WM_CTLCOLORMSGBOX);
        result = reinterpret_cast<LRESULT>(brush);
        break;
    }
    case AfxSig::h_ctlcolor_reflect: {
        BorrowedDC dc(reinterpret_cast<HDC>(wParam));
        const HBRUSH brush = (pWnd->*reinterpret_cast<HBRUSH (CWnd::*)(CDC*, UINT)>(pfn))(
            dc.Get(), message - WM_REFLECT_BASE - WM_CTLCOLORMSGBOX);
        if (brush == nullptr)
            return FALSE;
        result = reinterpret_cast<LRESULT>(brush);
        break;
    }
    case AfxSig::v_drawitem:
        (pWnd->*reinterpret_cast<void (CWnd::*)(int, LPDRAWITEMSTRUCT)>(pfn))(
            static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        result = TRUE;
        break;
    case AfxSig::v_measureitem:
        (pWnd->*reinterpret_cast<void (CWnd::*)(int, LPMEASUREITEMSTRUCT)>(pfn))(
            static_cast<int>(wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        result = TRUE;
        break;
    case AfxSig::v_scroll:
        // CScrollBar adds no data to CWnd, so any control's object serves as one.
        (pWnd->*reinterpret_cast<void (CWnd::*)(UINT, UINT, CScrollBar*)>(pfn))(
            LOWORD(wParam), HIWORD(wParam), static_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(lParam))));
        break;
    case AfxSig::v_key:
        (pWnd->*reinterpret_cast<void (CWnd::*)(UINT, UINT, UINT)>(pfn))(
            static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig::b_setcursor:
        result = (pWnd->*reinterpret_cast<BOOL (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(
            CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig::v_minmaxinfo:
        (pWnd->*reinterpret_cast<void (CWnd::*)(MINMAXINFO*)>(pfn))(reinterpret_cast<MINMAXINFO*>(lParam));
        break;
    case AfxSig::v_showwindow:
        (pWnd->*reinterpret_cast<void (CWnd::*)(BOOL, UINT)>(pfn))(static_cast<BOOL>(wParam),
                                                                   static_cast<UINT>(lParam));
        break;
    case AfxSig::v_activate:
        (pWnd->*reinterpret_cast<void (CWnd::*)(UINT, CWnd*, BOOL)>(pfn))(
            LOWORD(wParam), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), HIWORD(wParam) != 0);
        break;
    case AfxSig::v_initmenupopup:
        (pWnd->*reinterpret_cast<void (CWnd::*)(CMenu*, UINT, BOOL)>(pfn))(
            CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)), LOWORD(lParam), HIWORD(lParam) != 0);
        break;
    case AfxSig::v_syscommand:
        (pWnd->*reinterpret_cast<void (CWnd::*)(UINT, LPARAM)>(pfn))(static_cast<UINT>(wParam), lParam);
        break;
    case AfxSig::h_querydragicon:
        result = reinterpret_cast<LRESULT>((pWnd->*reinterpret_cast<HCURSOR (CWnd::*)()>(pfn))());
        break;
    case AfxSig::v_menuselect:
        (pWnd->*reinterpret_cast<void (CWnd::*)(UINT, UINT, HMENU)>(pfn))(LOWORD(wParam), HIWORD(wParam),
                                                                          reinterpret_cast<HMENU>(lParam));
        break;
    case AfxSig::v_enteridle:
        (pWnd->*reinterpret_cast<void (CWnd::*)(UINT, CWnd*)>(pfn))(static_cast<UINT>(wParam),
                                                                    CWnd::FromHandle(reinterpret_cast<HWND>(lParam)));
        break;
    case AfxSig::l_w_l:
        result = (pWnd->*reinterpret_cast<LRESULT (CWnd::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam);
        break;
    case AfxSig::u_v:
        result = (pWnd->*reinterpret_cast<UINT (CWnd::*)()>(pfn))();
        break;
    case AfxSig::b_wheel:
        result = (pWnd->*reinterpret_cast<BOOL (CWnd::*)(UINT, short, CPoint)>(pfn))(
            LOWORD(wParam), static_cast<short>(HIWORD(wParam)), CPoint(lParam));
        break;
    case AfxSig::v_settingchange:
        (pWnd->*reinterpret_cast<void (CWnd::*)(UINT, LPCSTR)>(pfn))(static_cast<UINT>(wParam),
                                                                     reinterpret_cast<LPCSTR>(lParam));
        break;
    case AfxSig::v_capture:
        (pWnd->*reinterpret_cast<void (CWnd::*)(CWnd*)>(pfn))(CWnd::FromHandle(reinterpret_cast<HWND>(lParam)));
        break;
    case AfxSig::b_create:
        result = (pWnd->*reinterpret_cast<BOOL (CWnd::*)(LPCREATESTRUCT)>(pfn))(
            reinterpret_cast<LPCREATESTRUCT>(lParam));
        break;
    case AfxSig::v_windowpos:
        (pWnd->*reinterpret_cast<void (CWnd::*)(WINDOWPOS*)>(pfn))(reinterpret_cast<WINDOWPOS*>(lParam));
        break;
    default:
        return FALSE;
    }
    if (pResult != nullptr)
        *pResult = result;
    return TRUE;
}

// CCmdTarget

DWORD CCmdTarget::InternalAddRef()
{
    return static_cast<DWORD>(::InterlockedIncrement(&m_dwRef));
}

DWORD CCmdTarget::InternalRelease()
{
    const LONG count = ::InterlockedDecrement(&m_dwRef);
    if (count == 0)
        OnFinalRelease();
    return static_cast<DWORD>(count);
}

void CCmdTarget::OnFinalRelease()
{
    delete this;
}

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig::end, nullptr, nullptr}};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT message = WM_COMMAND;
    UINT code = static_cast<UINT>(nCode);
    if (nCode != CN_UPDATE_COMMAND_UI) {
        message = HIWORD(static_cast<UINT>(nCode));
        code = LOWORD(static_cast<UINT>(nCode));
        if (message == 0)
            message = WM_COMMAND;
    }
    const AFX_MSGMAP_ENTRY* entry = AfxFindMessageEntry(GetMessageMap(), message, code, nID);
    if (entry == nullptr)
        return FALSE;
    if (pHandlerInfo != nullptr) {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pmf = entry->pfn;
        return TRUE;
    }
    return AfxDispatchCmdMsg(this, nID, nCode, entry, pExtra);
}

// CCmdUI

void CCmdUI::Enable(BOOL bOn)
{
    if (m_pMenu != nullptr) {
        if (m_pSubMenu == nullptr)
            m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    } else if (m_pOther != nullptr) {
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd)
            ::SendMessageA(::GetParent(m_pOther->m_hWnd), WM_NEXTDLGCTL, 0, FALSE);
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu != nullptr) {
        if (m_pSubMenu == nullptr)
            m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_pOther != nullptr && (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON)) {
        m_pOther->SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck));
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (m_pMenu != nullptr && m_pSubMenu == nullptr && bOn) {
        ::CheckMenuRadioItem(m_pMenu->m_hMenu, m_nIndex, m_nIndex, m_nIndex, MF_BYPOSITION);
        return;
    }
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCSTR lpszText)
{
    if (m_pMenu != nullptr) {
        if (m_pSubMenu != nullptr)
            return;
        const UINT state = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION);
        const UINT keep = state & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_MENUBARBREAK | MF_MENUBREAK);
        m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | keep, m_nID, lpszText);
    } else if (m_pOther != nullptr) {
        m_pOther->SetWindowText(lpszText);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
    m_bEnableChanged = FALSE;
    const BOOL handled = pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    if (bDisableIfNoHandler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info = {};
        Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
    }
    return handled;
}

void AfxUpdateMenuCommandUI(CCmdTarget* pTarget, CMenu* pPopupMenu, BOOL bAutoMenuEnable)
{
    CCmdUI state;
    state.m_pMenu = pPopupMenu;
    state.m_nIndexMax = pPopupMenu->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = pPopupMenu->GetMenuItemID(static_cast<int>(state.m_nIndex));
        if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1))
            continue; // separators and submenus
        state.m_pSubMenu = nullptr;
        state.DoUpdate(pTarget, bAutoMenuEnable && state.m_nID < kFirstSystemCommand);
        // An update may have put in or taken out items (the recent files).
        const UINT count = pPopupMenu->GetMenuItemCount();
        if (count < state.m_nIndexMax) {
            state.m_nIndex -= state.m_nIndexMax - count;
            while (state.m_nIndex < count && pPopupMenu->GetMenuItemID(static_cast<int>(state.m_nIndex)) == state.m_nID)
                ++state.m_nIndex;
        }
        state.m_nIndexMax = count;
    }
}

// CWnd: dispatch and routing

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT result = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        if (pResult != nullptr)
            *pResult = 0;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header == nullptr || !OnNotify(wParam, lParam, &result))
            return FALSE;
        if (pResult != nullptr)
            *pResult = result;
        return TRUE;
    }
    if (HWND hChild = NotifyingChild(this, message, wParam, lParam)) {
        CWnd* pChild = FromHandlePermanent(hChild);
        if (pChild != nullptr && pChild != this && pChild->OnChildNotify(message, wParam, lParam, pResult))
            return TRUE;
    }
    UINT key = message;
    if (IsCtlColorMessage(message))
        key = WM_CTLCOLOR;
    else if (message >= WM_REFLECT_BASE && IsCtlColorMessage(message - WM_REFLECT_BASE))
        key = WM_CTLCOLOR + WM_REFLECT_BASE;
    const AFX_MSGMAP_ENTRY* entry = AfxFindMessageEntry(GetMessageMap(), key, 0, 0);
    if (entry == nullptr)
        return FALSE;
    return AfxDispatchWndMsg(this, entry, message, wParam, lParam, pResult);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    const HWND hControl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (hControl == nullptr) {
        if (nID == 0)
            return FALSE;
        // A command whose update handler disables it (an accelerator of a grayed item) is dropped.
        TestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND; // menu (0) or accelerator (1)
    } else {
        CWnd* pControl = FromHandlePermanent(hControl);
        if (pControl != nullptr && pControl != this && pControl->OnChildNotify(WM_COMMAND, wParam, lParam, nullptr))
            return TRUE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
    CWnd* pControl = FromHandlePermanent(header->hwndFrom);
    if (pControl != nullptr && pControl != this &&
        pControl->OnChildNotify(WM_NOTIFY, header->idFrom, lParam, pResult))
        return TRUE;
    AFX_NOTIFY notify = {pResult, header};
    return OnCmdMsg(static_cast<UINT>(header->idFrom), MAKELONG(header->code, WM_NOTIFY), &notify, nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_COMMAND: {
        const UINT code = HIWORD(wParam);
        const AFX_MSGMAP_ENTRY* entry = AfxFindMessageEntry(GetMessageMap(), WM_COMMAND + WM_REFLECT_BASE, code, 0);
        if (entry == nullptr || !AfxDispatchCmdMsg(this, 0, static_cast<int>(code), entry, nullptr))
            return FALSE;
        if (pResult != nullptr)
            *pResult = 0;
        return TRUE;
    }
    case WM_NOTIFY: {
        NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
        const AFX_MSGMAP_ENTRY* entry =
            AfxFindMessageEntry(GetMessageMap(), WM_NOTIFY + WM_REFLECT_BASE, LOWORD(header->code), 0);
        if (entry == nullptr)
            return FALSE;
        LRESULT ignored = 0;
        LRESULT* result = pResult != nullptr ? pResult : &ignored;
        *result = 0;
        AFX_NOTIFY notify = {result, header};
        return AfxDispatchCmdMsg(this, 0, MAKELONG(header->code, WM_NOTIFY), entry, &notify);
    }
    default:
        return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    }
}
