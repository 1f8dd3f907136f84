// CCmdTarget, CCmdUI, AFX_MSGMAP, AFX_MSGMAP_ENTRY: message maps, command routing targets and command-UI updates.
#pragma once

#include "framework/ids.h"
#include "framework/object.h"
#include "framework/strings.h"

#include <commctrl.h>

class CCmdTarget;
class CCmdUI;
class CDC;
class CMenu;
class CScrollBar;
class CWnd;

// Marks message handlers in class declarations.
#define afx_msg

// The codes OnCmdMsg receives besides control notifications.
constexpr int CN_COMMAND = 0;
constexpr int CN_UPDATE_COMMAND_UI = -1;

// The generic member pointer every message-map entry stores.
using AFX_PMSG = void (CCmdTarget::*)();

// How a handler is called: which arguments are decoded from wParam/lParam.
enum class AfxSig : UINT {
    end = 0,
    // Commands and notifications.
    cmd_v,           // void ()
    cmd_range,       // void (UINT nID)
    cmd_ui,          // void (CCmdUI*)
    cmd_b,           // BOOL (): FALSE lets the notification go on to the parent
    notify,          // void (NMHDR*, LRESULT*)
    notify_range,    // void (UINT nID, NMHDR*, LRESULT*)
    notify_b,        // BOOL (NMHDR*, LRESULT*): FALSE lets the notification go on to the parent
    notify_range_b,  // BOOL (UINT nID, NMHDR*, LRESULT*): FALSE lets the notification go on
    // Window messages.
    i_create,        // int (LPCREATESTRUCT)
    v_v,             // void ()
    v_size,          // void (UINT nType, int cx, int cy)
    b_dc,            // BOOL (CDC*)
    v_timer,         // void (UINT_PTR nIDEvent)
    v_mouse,         // void (UINT nFlags, CPoint point)
    v_contextmenu,   // void (CWnd* pWnd, CPoint point)
    v_focus,         // void (CWnd* pOther)
    v_dropfiles,     // void (HDROP)
    h_ctlcolor,      // HBRUSH (CDC*, CWnd*, UINT nCtlColor)
    h_ctlcolor_reflect, // HBRUSH (CDC*, UINT nCtlColor): a null brush leaves the message to the parent
    v_drawitem,      // void (int nIDCtl, LPDRAWITEMSTRUCT)
    v_measureitem,   // void (int nIDCtl, LPMEASUREITEMSTRUCT)
    v_scroll,        // void (UINT nSBCode, UINT nPos, CScrollBar*)
    v_key,           // void (UINT nChar, UINT nRepCnt, UINT nFlags)
    b_setcursor,     // BOOL (CWnd*, UINT nHitTest, UINT message)
    v_minmaxinfo,    // void (MINMAXINFO*)
    v_showwindow,    // void (BOOL bShow, UINT nStatus)
    v_activate,      // void (UINT nState, CWnd* pWndOther, BOOL bMinimized)
    v_initmenupopup, // void (CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
    v_syscommand,    // void (UINT nID, LPARAM lParam)
    h_querydragicon, // HCURSOR ()
    v_menuselect,    // void (UINT nItemID, UINT nFlags, HMENU hSysMenu)
    v_enteridle,     // void (UINT nWhy, CWnd* pWho)
    l_w_l,           // LRESULT (WPARAM, LPARAM)
    u_v,             // UINT ()
    b_wheel,         // BOOL (UINT nFlags, short zDelta, CPoint point)
    v_settingchange, // void (UINT uFlags, LPCSTR lpszSection)
    v_capture,       // void (CWnd* pWnd): the window in lParam
    b_create,        // BOOL (LPCREATESTRUCT)
    v_windowpos,     // void (WINDOWPOS*)
};

// One row of a message map. For commands and notifications nMessage is
// WM_COMMAND or WM_NOTIFY (plus WM_REFLECT_BASE when reflected), nCode the
// notification code and nID..nLastID the control or command ids.
struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode;
    UINT nID;
    UINT nLastID;
    AfxSig nSig;
    AFX_PMSG pfn;
    // ON_REGISTERED_MESSAGE: the variable holding the registered message id.
    const UINT* pnRegisteredMessage;
};

// A class's table and the way to its base class's map.
struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// What OnCmdMsg reports instead of calling when a handler is asked for.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    AFX_PMSG pmf;
};

// pExtra of OnCmdMsg for WM_NOTIFY.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// A typed member pointer stored as the generic one; the dispatcher turns it back by signature.
template <class TypedPmf>
AFX_PMSG AfxMsgPtr(TypedPmf pfn) noexcept
{
    return reinterpret_cast<AFX_PMSG>(pfn);
}

// The first entry for (message, code, id) in map or its base maps; derived maps win.
const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage, UINT nCode, UINT nID);

// Calls a command or notification handler; FALSE when an _EX handler let it pass.
BOOL AfxDispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, const AFX_MSGMAP_ENTRY* pEntry, void* pExtra);

// Calls a window-message handler, decoding wParam/lParam by the entry's signature.
BOOL AfxDispatchWndMsg(CWnd* pWnd, const AFX_MSGMAP_ENTRY* pEntry, UINT message, WPARAM wParam, LPARAM lParam,
                       LRESULT* pResult);

// The object that handles commands, notifications and (for windows) messages through its message map.
class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;

    // Looks nID/nCode up in the message map and calls the handler. nCode is
    // CN_COMMAND, CN_UPDATE_COMMAND_UI (pExtra a CCmdUI*), a control
    // notification code, or MAKELONG(code, WM_NOTIFY) (pExtra an AFX_NOTIFY*).
    // With pHandlerInfo the handler is reported rather than called.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    // Reference count of objects shared by several owners or handed out through
    // interfaces; it starts at 1 and the last release calls OnFinalRelease.
    DWORD InternalAddRef();
    DWORD InternalRelease();
    DWORD ExternalAddRef() { return InternalAddRef(); }
    DWORD ExternalRelease() { return InternalRelease(); }
    // Called when the count reaches 0: deletes the object.
    virtual void OnFinalRelease();

    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

protected:
    LONG m_dwRef = 1;
};

// The state of one command's user interface (a menu item or a control) while it is updated.
class CCmdUI {
public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    // 0 unchecked, 1 checked, 2 indeterminate (buttons).
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCSTR lpszText);
    // Lets the update go on to the next command target.
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks pTarget to update this item; without a handler the item is
    // disabled when bDisableIfNoHandler and no command handler exists either.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);

    UINT m_nID = 0;
    UINT m_nIndex = 0;
    // The menu being updated (m_pSubMenu when the item opens a popup), or null.
    CMenu* m_pMenu = nullptr;
    CMenu* m_pSubMenu = nullptr;
    CMenu* m_pParentMenu = nullptr;
    // The control being updated when there is no menu.
    CWnd* m_pOther = nullptr;
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;
    // Item count of the menu; UpdateMenu of the recent-file list changes it.
    UINT m_nIndexMax = 0;
};

// Updates every command item of a popup menu through pTarget's update handlers
// before it shows (separators and submenus are skipped). With
// bAutoMenuEnable, items below the system commands that nothing handles are disabled.
void AfxUpdateMenuCommandUI(CCmdTarget* pTarget, CMenu* pPopupMenu, BOOL bAutoMenuEnable);

#define DECLARE_MESSAGE_MAP()                                      \
public:                                                            \
    static const AFX_MSGMAP* GetThisMessageMap();                  \
    const AFX_MSGMAP* GetMessageMap() const override;              \
                                                                   \
protected:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                           \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }   \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                      \
    {                                                                                    \
        using ThisClass = theClass;                                                      \
        using TheBaseClass = baseClass;                                                  \
        static_assert(std::is_base_of<TheBaseClass, ThisClass>::value,                   \
            #theClass " does not derive from " #baseClass);                              \
        static const AFX_MSGMAP_ENTRY messageEntries[] = {

#define END_MESSAGE_MAP()                                                                \
            {0, 0, 0, 0, AfxSig::end, nullptr, nullptr}};                                \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, messageEntries}; \
        return &messageMap;                                                              \
    }

// Entries. Command handlers are given as &Class::Handler; window-message
// handlers have their fixed names (OnSize for ON_WM_SIZE ...).
#define AFX_CMD_ENTRY(msg, code, id1, id2, sig, type, fn) \
    {static_cast<UINT>(msg), static_cast<UINT>(code), static_cast<UINT>(id1), static_cast<UINT>(id2), sig, AfxMsgPtr(static_cast<type>(fn)), nullptr},
#define AFX_WM_ENTRY(msg, sig, type, fn) AFX_CMD_ENTRY(msg, 0, 0, 0, sig, type, &ThisClass::fn)

#define ON_COMMAND(id, memberFxn) AFX_CMD_ENTRY(WM_COMMAND, CN_COMMAND, id, id, AfxSig::cmd_v, void (CCmdTarget::*)(), memberFxn)
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    AFX_CMD_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, AfxSig::cmd_range, void (CCmdTarget::*)(UINT), memberFxn)
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    AFX_CMD_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, id, AfxSig::cmd_ui, void (CCmdTarget::*)(CCmdUI*), memberFxn)
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    AFX_CMD_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, idLast, AfxSig::cmd_ui, void (CCmdTarget::*)(CCmdUI*), memberFxn)
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                          \
    AFX_CMD_ENTRY(WM_NOTIFY, static_cast<WORD>(wNotifyCode), id, id, AfxSig::notify, \
        void (CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                                       \
    AFX_CMD_ENTRY(WM_NOTIFY, static_cast<WORD>(wNotifyCode), id, idLast, AfxSig::notify_range, \
        void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn)
// _EX: a handler answering FALSE lets the notification go on (to the window's own
// default processing, or from a reflected handler to the parent).
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn)                                         \
    AFX_CMD_ENTRY(WM_NOTIFY, static_cast<WORD>(wNotifyCode), id, id, AfxSig::notify_range_b, \
        BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn)
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn)                                  \
    AFX_CMD_ENTRY(WM_NOTIFY, static_cast<WORD>(wNotifyCode), id, idLast, AfxSig::notify_range_b, \
        BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn)
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                                \
    AFX_CMD_ENTRY(WM_NOTIFY + WM_REFLECT_BASE, static_cast<WORD>(wNotifyCode), 0, 0, AfxSig::notify, \
        void (CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                                               \
    AFX_CMD_ENTRY(WM_NOTIFY + WM_REFLECT_BASE, static_cast<WORD>(wNotifyCode), 0, 0, AfxSig::notify_b, \
        BOOL (CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    AFX_CMD_ENTRY(WM_COMMAND, wNotifyCode, id, id, AfxSig::cmd_v, void (CCmdTarget::*)(), memberFxn)
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    AFX_CMD_ENTRY(WM_COMMAND + WM_REFLECT_BASE, wNotifyCode, 0, 0, AfxSig::cmd_v, void (CCmdTarget::*)(), memberFxn)
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    AFX_CMD_ENTRY(WM_COMMAND + WM_REFLECT_BASE, wNotifyCode, 0, 0, AfxSig::cmd_b, BOOL (CCmdTarget::*)(), memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)

#define ON_MESSAGE(message, memberFxn) \
    AFX_CMD_ENTRY(message, 0, 0, 0, AfxSig::l_w_l, LRESULT (CWnd::*)(WPARAM, LPARAM), memberFxn)
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                              \
    {0xC000, 0, 0, 0, AfxSig::l_w_l, AfxMsgPtr(static_cast<LRESULT (CWnd::*)(WPARAM, LPARAM)>(memberFxn)), \
        &nMessageVariable},

#define ON_WM_CREATE() AFX_WM_ENTRY(WM_CREATE, AfxSig::i_create, int (CWnd::*)(LPCREATESTRUCT), OnCreate)
#define ON_WM_DESTROY() AFX_WM_ENTRY(WM_DESTROY, AfxSig::v_v, void (CWnd::*)(), OnDestroy)
#define ON_WM_CLOSE() AFX_WM_ENTRY(WM_CLOSE, AfxSig::v_v, void (CWnd::*)(), OnClose)
#define ON_WM_SIZE() AFX_WM_ENTRY(WM_SIZE, AfxSig::v_size, void (CWnd::*)(UINT, int, int), OnSize)
#define ON_WM_PAINT() AFX_WM_ENTRY(WM_PAINT, AfxSig::v_v, void (CWnd::*)(), OnPaint)
#define ON_WM_ERASEBKGND() AFX_WM_ENTRY(WM_ERASEBKGND, AfxSig::b_dc, BOOL (CWnd::*)(CDC*), OnEraseBkgnd)
#define ON_WM_TIMER() AFX_WM_ENTRY(WM_TIMER, AfxSig::v_timer, void (CWnd::*)(UINT_PTR), OnTimer)
#define ON_WM_LBUTTONDOWN() AFX_WM_ENTRY(WM_LBUTTONDOWN, AfxSig::v_mouse, void (CWnd::*)(UINT, CPoint), OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_WM_ENTRY(WM_LBUTTONUP, AfxSig::v_mouse, void (CWnd::*)(UINT, CPoint), OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() \
    AFX_WM_ENTRY(WM_LBUTTONDBLCLK, AfxSig::v_mouse, void (CWnd::*)(UINT, CPoint), OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_WM_ENTRY(WM_RBUTTONDOWN, AfxSig::v_mouse, void (CWnd::*)(UINT, CPoint), OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_WM_ENTRY(WM_RBUTTONUP, AfxSig::v_mouse, void (CWnd::*)(UINT, CPoint), OnRButtonUp)
#define ON_WM_MOUSEMOVE() AFX_WM_ENTRY(WM_MOUSEMOVE, AfxSig::v_mouse, void (CWnd::*)(UINT, CPoint), OnMouseMove)
#define ON_WM_CONTEXTMENU() \
    AFX_WM_ENTRY(WM_CONTEXTMENU, AfxSig::v_contextmenu, void (CWnd::*)(CWnd*, CPoint), OnContextMenu)
#define ON_WM_SETFOCUS() AFX_WM_ENTRY(WM_SETFOCUS, AfxSig::v_focus, void (CWnd::*)(CWnd*), OnSetFocus)
#define ON_WM_KILLFOCUS() AFX_WM_ENTRY(WM_KILLFOCUS, AfxSig::v_focus, void (CWnd::*)(CWnd*), OnKillFocus)
#define ON_WM_DROPFILES() AFX_WM_ENTRY(WM_DROPFILES, AfxSig::v_dropfiles, void (CWnd::*)(HDROP), OnDropFiles)
// Matches every WM_CTLCOLORxxx message; nCtlColor tells which (CTLCOLOR_EDIT ...).
#define ON_WM_CTLCOLOR() \
    AFX_WM_ENTRY(WM_CTLCOLOR, AfxSig::h_ctlcolor, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)
// The control's own colours: its WM_CTLCOLORxxx reflected to CtlColor before the parent sees it.
#define ON_WM_CTLCOLOR_REFLECT() \
    AFX_WM_ENTRY(WM_CTLCOLOR + WM_REFLECT_BASE, AfxSig::h_ctlcolor_reflect, HBRUSH (CWnd::*)(CDC*, UINT), CtlColor)
#define ON_WM_DRAWITEM() \
    AFX_WM_ENTRY(WM_DRAWITEM, AfxSig::v_drawitem, void (CWnd::*)(int, LPDRAWITEMSTRUCT), OnDrawItem)
#define ON_WM_MEASUREITEM() \
    AFX_WM_ENTRY(WM_MEASUREITEM, AfxSig::v_measureitem, void (CWnd::*)(int, LPMEASUREITEMSTRUCT), OnMeasureItem)
#define ON_WM_HSCROLL() \
    AFX_WM_ENTRY(WM_HSCROLL, AfxSig::v_scroll, void (CWnd::*)(UINT, UINT, CScrollBar*), OnHScroll)
#define ON_WM_VSCROLL() \
    AFX_WM_ENTRY(WM_VSCROLL, AfxSig::v_scroll, void (CWnd::*)(UINT, UINT, CScrollBar*), OnVScroll)
#define ON_WM_KEYDOWN() AFX_WM_ENTRY(WM_KEYDOWN, AfxSig::v_key, void (CWnd::*)(UINT, UINT, UINT), OnKeyDown)
#define ON_WM_KEYUP() AFX_WM_ENTRY(WM_KEYUP, AfxSig::v_key, void (CWnd::*)(UINT, UINT, UINT), OnKeyUp)
#define ON_WM_CHAR() AFX_WM_ENTRY(WM_CHAR, AfxSig::v_key, void (CWnd::*)(UINT, UINT, UINT), OnChar)
#define ON_WM_SYSCHAR() AFX_WM_ENTRY(WM_SYSCHAR, AfxSig::v_key, void (CWnd::*)(UINT, UINT, UINT), OnSysChar)
#define ON_WM_SETCURSOR() \
    AFX_WM_ENTRY(WM_SETCURSOR, AfxSig::b_setcursor, BOOL (CWnd::*)(CWnd*, UINT, UINT), OnSetCursor)
#define ON_WM_GETMINMAXINFO() \
    AFX_WM_ENTRY(WM_GETMINMAXINFO, AfxSig::v_minmaxinfo, void (CWnd::*)(MINMAXINFO*), OnGetMinMaxInfo)
#define ON_WM_SHOWWINDOW() \
    AFX_WM_ENTRY(WM_SHOWWINDOW, AfxSig::v_showwindow, void (CWnd::*)(BOOL, UINT), OnShowWindow)
#define ON_WM_ACTIVATE() \
    AFX_WM_ENTRY(WM_ACTIVATE, AfxSig::v_activate, void (CWnd::*)(UINT, CWnd*, BOOL), OnActivate)
#define ON_WM_NCDESTROY() AFX_WM_ENTRY(WM_NCDESTROY, AfxSig::v_v, void (CWnd::*)(), OnNcDestroy)
#define ON_WM_NCCREATE() AFX_WM_ENTRY(WM_NCCREATE, AfxSig::b_create, BOOL (CWnd::*)(LPCREATESTRUCT), OnNcCreate)
#define ON_WM_WINDOWPOSCHANGING() \
    AFX_WM_ENTRY(WM_WINDOWPOSCHANGING, AfxSig::v_windowpos, void (CWnd::*)(WINDOWPOS*), OnWindowPosChanging)
#define ON_WM_INITMENUPOPUP() \
    AFX_WM_ENTRY(WM_INITMENUPOPUP, AfxSig::v_initmenupopup, void (CWnd::*)(CMenu*, UINT, BOOL), OnInitMenuPopup)
#define ON_WM_MENUSELECT() \
    AFX_WM_ENTRY(WM_MENUSELECT, AfxSig::v_menuselect, void (CWnd::*)(UINT, UINT, HMENU), OnMenuSelect)
#define ON_WM_ENTERIDLE() AFX_WM_ENTRY(WM_ENTERIDLE, AfxSig::v_enteridle, void (CWnd::*)(UINT, CWnd*), OnEnterIdle)
#define ON_WM_SYSCOMMAND() AFX_WM_ENTRY(WM_SYSCOMMAND, AfxSig::v_syscommand, void (CWnd::*)(UINT, LPARAM), OnSysCommand)
#define ON_WM_QUERYDRAGICON() \
    AFX_WM_ENTRY(WM_QUERYDRAGICON, AfxSig::h_querydragicon, HCURSOR (CWnd::*)(), OnQueryDragIcon)
#define ON_WM_GETDLGCODE() AFX_WM_ENTRY(WM_GETDLGCODE, AfxSig::u_v, UINT (CWnd::*)(), OnGetDlgCode)
#define ON_WM_MOUSEWHEEL() \
    AFX_WM_ENTRY(WM_MOUSEWHEEL, AfxSig::b_wheel, BOOL (CWnd::*)(UINT, short, CPoint), OnMouseWheel)
#define ON_WM_SETTINGCHANGE() \
    AFX_WM_ENTRY(WM_SETTINGCHANGE, AfxSig::v_settingchange, void (CWnd::*)(UINT, LPCSTR), OnSettingChange)
#define ON_WM_SYSCOLORCHANGE() AFX_WM_ENTRY(WM_SYSCOLORCHANGE, AfxSig::v_v, void (CWnd::*)(), OnSysColorChange)
#define ON_WM_CAPTURECHANGED() \
    AFX_WM_ENTRY(WM_CAPTURECHANGED, AfxSig::v_capture, void (CWnd::*)(CWnd*), OnCaptureChanged)
#define ON_WM_SYSKEYDOWN() AFX_WM_ENTRY(WM_SYSKEYDOWN, AfxSig::v_key, void (CWnd::*)(UINT, UINT, UINT), OnSysKeyDown)
#define ON_WM_IME_CHAR() AFX_WM_ENTRY(WM_IME_CHAR, AfxSig::v_key, void (CWnd::*)(UINT, UINT, UINT), OnImeChar)
#define ON_WM_MBUTTONDOWN() AFX_WM_ENTRY(WM_MBUTTONDOWN, AfxSig::v_mouse, void (CWnd::*)(UINT, CPoint), OnMButtonDown)
