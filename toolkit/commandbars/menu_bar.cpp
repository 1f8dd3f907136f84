#include "toolkit/commandbars/menu_bar.h"

#include "framework/gdi.h"
#include "framework/ids.h"
#include "framework/menu.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/mouse_manager.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/common/resources.h"
#include "toolkit/common/toolkit_ids.h"
#include "toolkit/common/upper_services.h"

#include <iterator>

IMPLEMENT_DYNCREATE(CKitMenuBar, CKitToolBar)
IMPLEMENT_DYNAMIC(CKitMenuBarMDIMenus, CCmdTarget)
IMPLEMENT_DYNAMIC(CKitMenuBarMDIMenuInfo, CCmdTarget)
IMPLEMENT_DYNCREATE(CKitControlMDIButton, CKitControlButton)
IMPLEMENT_DYNCREATE(CKitControlMDISysMenuPopup, CKitControlPopup)

namespace {
// The menu bar docks anywhere, floats and fills a row of its own.
constexpr DWORD kMenuBarFlags = kitDockAny | kitDockFullRow;
// The MDI buttons' control flags and size.
constexpr DWORD kMdiButtonFlags = kitFlagRightAlign | kitFlagSkipFocus | kitFlagManualUpdate | kitFlagNoMovable;
constexpr int kMdiButtonSize = 16;
// The system-menu popup's control flags.
constexpr DWORD kSysMenuPopupFlags = kitFlagManualUpdate | kitFlagNoMovable;
// System commands lie below SC_SIZE + 496; their prompts are strings from AFX_IDS_SCFIRST, one per 16 ids.
constexpr UINT kSysCommandCount = 496;
// The commands whose icons bitmap 9102 holds, in its order.
constexpr UINT kMdiIconCommands[] = {SC_RESTORE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE};

// One MDI button: its id, the window styles it needs besides WS_SYSMENU, the bar flag that
// keeps it away and its glyph.
struct MdiButtonKind {
    UINT nId;
    DWORD dwStyle;
    DWORD dwNoFlag;
    const char* pszGlyph;
};
constexpr MdiButtonKind kMdiButtons[] = {
    {CKitMenuBar::kIdMinimizeWindow, WS_MINIMIZEBOX, CKitMenuBar::kFlagNoMinimize, "0"},
    {CKitMenuBar::kIdRestoreWindow, WS_MAXIMIZEBOX, CKitMenuBar::kFlagNoRestore, "2"},
    {CKitMenuBar::kIdCloseWindow, 0, CKitMenuBar::kFlagNoClose, "r"},
};
} // namespace

// CKitMenuBarMDIMenuInfo

CKitMenuBarMDIMenuInfo::CKitMenuBarMDIMenuInfo(CKitCommandBarManager* pCommandBars, UINT nIDMenu)
    : m_pControls(new CKitControls()), m_nIDMenu(nIDMenu)
{
    if (pCommandBars != nullptr)
        m_pControls->SetActions(pCommandBars->GetActions());
}

CKitMenuBarMDIMenuInfo::~CKitMenuBarMDIMenuInfo()
{
    m_pControls->InternalRelease();
}

// CKitMenuBarMDIMenus

CKitMenuBarMDIMenuInfo* CKitMenuBarMDIMenus::Lookup(UINT nIDMenu) const
{
    auto it = m_infos.find(nIDMenu);
    return it != m_infos.end() ? it->second : nullptr;
}

void CKitMenuBarMDIMenus::SetAt(UINT nIDMenu, CKitMenuBarMDIMenuInfo* pInfo)
{
    Remove(nIDMenu);
    m_infos[nIDMenu] = pInfo;
}

void CKitMenuBarMDIMenus::Remove(UINT nIDMenu)
{
    auto it = m_infos.find(nIDMenu);
    if (it == m_infos.end())
        return;
    CKitMenuBarMDIMenuInfo* pInfo = it->second;
    m_infos.erase(it);
    pInfo->InternalRelease();
}

void CKitMenuBarMDIMenus::RemoveAll()
{
    while (!m_infos.empty())
        Remove(m_infos.begin()->first);
}

// CKitMenuBar

BEGIN_MESSAGE_MAP(CKitMenuBar, CKitToolBar)
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CKitMenuBar::CKitMenuBar() : CKitToolBar(kitBarTypeMenuBar), m_pMDIMenus(new CKitMenuBarMDIMenus(this))
{
    m_dwFlags = kMenuBarFlags;
    m_bCloseable = FALSE;
}

CKitMenuBar::~CKitMenuBar()
{
    CKitHookManager::Instance()->RemoveAll(this);
    m_pMDIMenus->InternalRelease();
}

BOOL CKitMenuBar::LoadMenuBar(UINT nIDMenu)
{
    if (nIDMenu != 0) {
        CMenu menu;
        if (!CKitResourceManager::Instance()->LoadMenu(menu, nIDMenu))
            return FALSE;
        LoadMenu(menu.GetSafeHmenu(), TRUE);
        m_pControls->CreateOriginalControls();
        m_nIDDefaultMenu = nIDMenu;
        m_nIDCurrentMenu = nIDMenu;
    }
    RefreshMdiState();
    if (CKitImageManager* pImageManager = GetImageManager())
        pImageManager->SetIconsFromResource(IDB_KIT_MDI_BUTTONS, kMdiIconCommands,
                                            static_cast<int>(std::size(kMdiIconCommands)),
                                            CSize(kMdiButtonSize, kMdiButtonSize), 0);
    CWnd* pSite = GetSite();
    if (m_hSavedMenu == nullptr && pSite != nullptr && pSite->GetSafeHwnd() != nullptr) {
        m_hSavedMenu = ::GetMenu(pSite->GetSafeHwnd());
        if (m_hSavedMenu != nullptr)
            ::SetMenu(pSite->GetSafeHwnd(), nullptr);
    }
    return TRUE;
}

HWND CKitMenuBar::GetMDIClient() const
{
    CWnd* pSite = GetSite();
    if (pSite == nullptr || pSite->GetSafeHwnd() == nullptr)
        return nullptr;
    return ::FindWindowExA(pSite->GetSafeHwnd(), nullptr, "MDICLIENT", nullptr);
}

void CKitMenuBar::RefreshMdiState()
{
    CWnd* pSite = GetSite();
    HWND hClient = GetMDIClient();
    m_bMDI = hClient != nullptr;
    if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr && m_hHookedSite != pSite->GetSafeHwnd()) {
        m_hHookedSite = pSite->GetSafeHwnd();
        CKitHookManager::Instance()->SetHook(m_hHookedSite, this);
    }
    if (hClient != nullptr && hClient != m_hHookedClient) {
        m_hHookedClient = hClient;
        CKitHookManager::Instance()->SetHook(hClient, this);
    }
}

HWND CKitMenuBar::GetActiveMdiChild(BOOL* pMaximized) const
{
    BOOL bMaximized = FALSE;
    HWND hChild = nullptr;
    if (HWND hClient = m_bMDI ? GetMDIClient() : nullptr)
        hChild = reinterpret_cast<HWND>(::SendMessageA(hClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&bMaximized)));
    if (pMaximized != nullptr)
        *pMaximized = hChild != nullptr && bMaximized;
    return hChild;
}

void CKitMenuBar::RehookActiveChild()
{
    HWND hChild = GetActiveMdiChild(nullptr);
    if (hChild == m_hHookedChild)
        return;
    if (m_hHookedChild != nullptr)
        CKitHookManager::Instance()->RemoveHook(m_hHookedChild, this);
    m_hHookedChild = hChild;
    if (hChild != nullptr)
        CKitHookManager::Instance()->SetHook(hChild, this);
}

BOOL CKitMenuBar::SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    const BOOL bResult = CKitToolBar::SetTrackingMode(nMode, bSelectFirst, bKeyboard);
    if (!nMode) {
        for (HWND hWnd : {m_hHookedSite, m_hHookedClient, m_hHookedChild}) {
            if (hWnd != nullptr)
                CKitHookManager::Instance()->SetHook(hWnd, this);
        }
    }
    return bResult;
}

void CKitMenuBar::UpdateMdiButtons()
{
    RehookActiveChild();
    if (IsVisible())
        RefreshMDIButtons();
}

void CKitMenuBar::RefreshMDIButtons()
{
    BOOL bMaximized = FALSE;
    HWND hChild = GetActiveMdiChild(&bMaximized);

    const DWORD dwStyle = hChild != nullptr ? static_cast<DWORD>(::GetWindowLongA(hChild, GWL_STYLE)) : 0;
    BOOL bChanged = FALSE;

    HMENU hSysMenu = bMaximized && (m_dwFlags & kFlagSysMenu) != 0 ? ::GetSystemMenu(hChild, FALSE) : nullptr;
    if (hSysMenu != nullptr && !::IsMenu(hSysMenu))
        hSysMenu = nullptr;
    auto* pSysMenu = DYNAMIC_DOWNCAST(CKitControlMDISysMenuPopup, m_pControls->FindControlById(static_cast<int>(kIdSysMenu)));
    if (hSysMenu != nullptr && pSysMenu != nullptr) {
        if (pSysMenu->GetMDISysMenu() != hSysMenu) {
            pSysMenu->SetMDISysMenu(hChild, hSysMenu);
            DelayRedraw();
        }
    } else if (hSysMenu != nullptr) {
        pSysMenu = new CKitControlMDISysMenuPopup();
        m_pControls->InsertAt(pSysMenu, 0);
        pSysMenu->SetTemporary(TRUE);
        pSysMenu->SetId(kIdSysMenu);
        pSysMenu->SetMDISysMenu(hChild, hSysMenu);
        bChanged = TRUE;
    } else if (pSysMenu != nullptr) {
        m_pControls->Remove(pSysMenu);
        bChanged = TRUE;
    }
    for (const MdiButtonKind& kind : kMdiButtons) {
        CKitControl* pButton = m_pControls->FindControlById(static_cast<int>(kind.nId));
        if (pButton != nullptr) {
            if (!bMaximized) {
                m_pControls->Remove(pButton);
                bChanged = TRUE;
            }
            continue;
        }
        const DWORD dwNeeded = kind.dwStyle | WS_SYSMENU;
        if (bMaximized && (dwStyle & dwNeeded) == dwNeeded && (m_dwFlags & kind.dwNoFlag) == 0) {
            auto* pNew = new CKitControlMDIButton();
            m_pControls->InsertAt(pNew, -1);
            pNew->SetTemporary(TRUE);
            pNew->SetId(kind.nId);
            pNew->SetCaption(kind.pszGlyph);
            pNew->SetParameter(kind.pszGlyph);
            bChanged = TRUE;
        }
    }
    if (bChanged) {
        OnRecalcLayout();
        UpdateLocation();
    }
}

void CKitMenuBar::ActivateMDIMenu(UINT nIDMenu, HMENU hMenu)
{
    if (nIDMenu == 0 || m_nIDCurrentMenu == 0 || nIDMenu == m_nIDCurrentMenu)
        return;
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    CKitMenuBarMDIMenuInfo* pInfo = m_pMDIMenus->Lookup(nIDMenu);
    const BOOL bPerDocument = pCommandBars == nullptr || pCommandBars->GetCommandBarsOptions()->bPerDocumentMenus;
    if (!bPerDocument && pInfo == nullptr) {
        if (hMenu != nullptr)
            LoadMenu(hMenu, TRUE);
        UpdateLocation();
        m_nIDCurrentMenu = nIDMenu;
        return;
    }
    if (hMenu == nullptr && pInfo == nullptr)
        return;
    if (m_pMDIMenus->Lookup(m_nIDCurrentMenu) == nullptr) {
        auto* pCurrent = new CKitMenuBarMDIMenuInfo(pCommandBars, m_nIDCurrentMenu);
        pCurrent->m_pControls->InternalRelease();
        pCurrent->m_pControls = m_pControls;
        m_pControls->InternalAddRef();
        m_pMDIMenus->SetAt(m_nIDCurrentMenu, pCurrent);
    }
    // The present controls leave the bar (their info keeps them).
    m_pControls->SetParent(nullptr);
    m_pControls->InternalRelease();
    if (pInfo != nullptr) {
        m_pControls = pInfo->m_pControls;
        m_pControls->InternalAddRef();
        m_pControls->SetParent(this);
        if (m_pControls->GetOriginalControls() == nullptr && hMenu != nullptr) {
            auto* pOriginal = new CKitOriginalControls();
            pOriginal->SetParent(this);
            CMenu* pMenu = CMenu::FromHandle(hMenu);
            for (int i = 0; i < pMenu->GetMenuItemCount(); i++)
                pOriginal->AddMenuItem(pMenu, i);
            pOriginal->SetParent(nullptr);
            m_pControls->SetOriginalControls(pOriginal);
        }
        if (nIDMenu == m_nIDDefaultMenu)
            m_pMDIMenus->Remove(nIDMenu);
    } else {
        auto* pNew = new CKitMenuBarMDIMenuInfo(pCommandBars, nIDMenu);
        m_pControls = pNew->m_pControls;
        m_pControls->InternalAddRef();
        m_pControls->SetParent(this);
        if (hMenu != nullptr)
            LoadMenu(hMenu, TRUE);
        m_pControls->CreateOriginalControls();
        m_pMDIMenus->SetAt(nIDMenu, pNew);
    }
    m_nIDCurrentMenu = nIDMenu;
    OnControlsChanged();
    OnRecalcLayout();
    UpdateLocation();
}

void CKitMenuBar::Reset(BOOL bAsk)
{
    if (m_pControls->GetOriginalControls() != nullptr) {
        CKitToolBar::Reset(bAsk);
    } else if (m_nIDCurrentMenu != 0) {
        if (bAsk) {
            CString strText;
            strText.Format(CKitResourceManager::Instance()->LoadStringOrEmpty(IDS_KIT_RESET_TOOLBAR),
                           static_cast<LPCSTR>(m_strTitle));
            if (CKitResourceManager::Instance()->ShowMessageBox(strText, MB_OKCANCEL | MB_ICONWARNING) != IDOK)
                return;
        }
        CMenu menu;
        if (CKitResourceManager::Instance()->LoadMenu(menu, m_nIDCurrentMenu)) {
            LoadMenu(menu.GetSafeHmenu(), TRUE);
            if (CWnd* pSite = GetSite(); pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
                pSite->SendMessage(WM_KIT_TOOLBAR_RESET, 0, reinterpret_cast<LPARAM>(this));
        }
    }
    UpdateMdiButtons();
    ForceIdleUpdate();
    UpdateLocation();
}

BOOL CKitMenuBar::ShouldSerializeBar() const
{
    if (m_pMDIMenus->GetCount() > 0) {
        const_cast<CKitMenuBar*>(this)->ActivateMDIMenu(m_nIDDefaultMenu, nullptr);
        const_cast<CKitMenuBar*>(this)->m_bMDIMenusLoaded = TRUE;
        BOOL bChanged = FALSE;
        for (const auto& entry : m_pMDIMenus->GetMap()) {
            entry.second->m_bChanged = entry.second->m_pControls->IsChanged();
            bChanged = bChanged || entry.second->m_bChanged;
        }
        if (bChanged)
            return TRUE;
    }
    return m_pControls->GetOriginalControls() == nullptr || m_pControls->IsChanged();
}

void CKitMenuBar::Copy(const CKitCommandBar* pSource, BOOL bRecursive)
{
    CKitToolBar::Copy(pSource, bRecursive);
    const auto* pMenuBar = DYNAMIC_DOWNCAST(CKitMenuBar, const_cast<CKitCommandBar*>(pSource));
    if (pMenuBar == nullptr)
        return;
    m_nIDDefaultMenu = pMenuBar->m_nIDDefaultMenu;
    for (const auto& entry : pMenuBar->m_pMDIMenus->GetMap()) {
        CKitMenuBarMDIMenuInfo* pSourceInfo = entry.second;
        if (CKitMenuBarMDIMenuInfo* pInfo = m_pMDIMenus->Lookup(entry.first)) {
            CKitOriginalControls* pOriginal = pInfo->m_pControls->GetOriginalControls();
            if (pOriginal != nullptr)
                pOriginal->InternalAddRef();
            pInfo->m_pControls->InternalRelease();
            pInfo->m_pControls = pSourceInfo->m_pControls;
            pInfo->m_pControls->InternalAddRef();
            if (pOriginal != nullptr) {
                if (pInfo->m_pControls->GetOriginalControls() == nullptr)
                    pInfo->m_pControls->SetOriginalControls(pOriginal);
                else
                    pOriginal->InternalRelease();
            }
        } else {
            pSourceInfo->InternalAddRef();
            m_pMDIMenus->SetAt(entry.first, pSourceInfo);
        }
    }
}

void CKitMenuBar::RestoreFrameMenu()
{
    if (m_hSavedMenu == nullptr)
        return;
    CWnd* pSite = GetSite();
    if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
        ::SetMenu(pSite->GetSafeHwnd(), m_hSavedMenu);
    m_hSavedMenu = nullptr;
}

int CKitMenuBar::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult)
{
    if ((hWnd == m_hHookedChild && hWnd != nullptr && (nMessage == WM_SIZE || nMessage == WM_WINDOWPOSCHANGED)) ||
        (nMessage >= WM_MDICREATE && nMessage <= WM_MDIACTIVATE)) {
        if (GetSafeHwnd() != nullptr)
            PostMessage(WM_TIMER, kTimerMdiButtons);
    }
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    const BOOL bCustomize = pCommandBars != nullptr && pCommandBars->IsCustomizeMode();
    if (nMessage == WM_DESTROY && hWnd == m_hHookedSite)
        RestoreFrameMenu();
    if (nMessage == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU && lParam == 0 && IsVisible() &&
        CKitMouseManager::GetThreadManager()->GetTrackCount() == 0 && (::GetKeyState(VK_SHIFT) & 0x8000) == 0 &&
        !bCustomize) {
        // The menu key pressed alone: the bar's own key hook, else keyboard navigation of the bar.
        if (!ProcessAccelerator(VK_MENU)) {
            SetTrackingMode(TRUE, TRUE, TRUE);
            if (pCommandBars != nullptr)
                pCommandBars->ShowKeyboardCues(TRUE);
        }
        lResult = 0;
        return kHandled;
    }
    if (nMessage == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU && lParam > ' ' && lParam <= 0xFF &&
        IsVisible() && CKitMouseManager::GetThreadManager()->GetTrackCount() == 0 && !bCustomize) {
        // Alt with a character: the bar's own key hook may take its key.
        const SHORT nScan = ::VkKeyScanA(static_cast<CHAR>(lParam));
        if (nScan != -1 && ProcessAccelerator(LOBYTE(nScan))) {
            lResult = 0;
            return kHandled;
        }
    }
    if (nMessage == WM_MDISETMENU) {
        CWnd* pSite = GetSite();
        HWND hSite = pSite != nullptr ? pSite->GetSafeHwnd() : nullptr;
        if (IsVisible()) {
            if (!bCustomize)
                SwitchMdiMenu(reinterpret_cast<HMENU>(wParam));
            if (hSite != nullptr)
                ::SetMenu(hSite, nullptr);
            wParam = 0;
            lResult = 0;
            return kHandled;
        }
        if (hSite != nullptr && ::GetMenu(hSite) == nullptr) {
            wParam = 0;
            lResult = 0;
            return kHandled;
        }
    }
    return CKitToolBar::OnHookMessage(hWnd, nMessage, wParam, lParam, lResult);
}

void CKitMenuBar::SwitchMdiMenu(HMENU hMenuGiven)
{
    if ((m_dwFlags & kFlagNoMDISetMenu) != 0)
        return;
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    HMENU hMenu = hMenuGiven != nullptr ? hMenuGiven : m_hSavedMenu;
    const UINT nIDMenu = hMenu == m_hSavedMenu || pCommandBars == nullptr ? m_nIDDefaultMenu
                                                                          : pCommandBars->GetDocumentMenuId(hMenu);
    if (nIDMenu != 0 && nIDMenu != m_nIDCurrentMenu && hMenu != nullptr && ::GetMenuItemCount(hMenu) > 0)
        ActivateMDIMenu(nIDMenu, hMenu);
    RefreshMDIButtons();
}

void CKitMenuBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kTimerMdiButtons) {
        UpdateMdiButtons();
        return;
    }
    CKitCommandBar::OnTimer(nIDEvent);
}

void CKitMenuBar::OnDestroy()
{
    RestoreFrameMenu();
    CKitHookManager::Instance()->RemoveAll(this);
    m_hHookedChild = m_hHookedSite = m_hHookedClient = nullptr;
    CKitCommandBar::OnDestroy();
}

// CKitControlMDIButton

CKitControlMDIButton::CKitControlMDIButton()
{
    SetFlags(kMdiButtonFlags);
}

CSize CKitControlMDIButton::GetSize(CDC* /*pDC*/)
{
    return CSize(kMdiButtonSize, kMdiButtonSize);
}

void CKitControlMDIButton::Draw(CDC* pDC)
{
    if (CKitBarPainter* pPainter = GetPaintManager())
        pPainter->DrawControlMDIButton(pDC, this);
}

void CKitControlMDIButton::OnExecute()
{
    auto* pMenuBar = DYNAMIC_DOWNCAST(CKitMenuBar, m_pParent);
    HWND hChild = pMenuBar != nullptr ? pMenuBar->GetActiveMdiChild(nullptr) : nullptr;
    if (hChild == nullptr)
        return;
    const WPARAM nCommand = GetId() == CKitMenuBar::kIdCloseWindow     ? SC_CLOSE
                            : GetId() == CKitMenuBar::kIdRestoreWindow ? SC_RESTORE
                                                                       : SC_MINIMIZE;
    ::PostMessageA(hChild, WM_SYSCOMMAND, nCommand, 0);
}

// CKitControlMDISysMenuPopup

namespace {
// The child's own icon: asked of the child, then of its class, else the application icon.
HICON GetMDIChildIcon(HWND hChild)
{
    HICON hIcon = reinterpret_cast<HICON>(::SendMessageA(hChild, WM_KIT_GETTABICON, 0, 0));
    if (hIcon == nullptr)
        hIcon = reinterpret_cast<HICON>(::SendMessageA(hChild, WM_GETICON, ICON_SMALL, 0));
    if (hIcon == nullptr)
        hIcon = reinterpret_cast<HICON>(::SendMessageA(hChild, WM_GETICON, ICON_BIG, 0));
    if (hIcon == nullptr)
        hIcon = reinterpret_cast<HICON>(::GetClassLongPtrA(hChild, GCLP_HICONSM));
    if (hIcon == nullptr)
        hIcon = ::LoadIconA(nullptr, IDI_APPLICATION);
    return hIcon;
}
} // namespace

CKitControlMDISysMenuPopup::CKitControlMDISysMenuPopup()
{
    SetFlags(kSysMenuPopupFlags);
}

CKitControlMDISysMenuPopup::~CKitControlMDISysMenuPopup()
{
    if (m_hIcon != nullptr)
        ::DestroyIcon(m_hIcon);
}

void CKitControlMDISysMenuPopup::SetMDISysMenu(HWND hChild, HMENU hMenu)
{
    m_hMenu = hMenu;
    if (m_hIcon != nullptr)
        ::DestroyIcon(m_hIcon);
    HICON hIcon = GetMDIChildIcon(hChild);
    const CSize szIcon = CKitImageManagerIcon::GetIconSize(hIcon);
    m_hIcon = CKitImageManagerIcon::ScaleIcon(hIcon, szIcon.cx, szIcon.cy, kMdiButtonSize);

    CKitCommandBarManager* pCommandBars = m_pParent != nullptr ? m_pParent->GetCommandBars() : nullptr;
    if (m_pCommandBar == nullptr)
        SetCommandBar(CKitPopupBar::CreatePopupBar(pCommandBars));
    CKitControls* pControls = m_pCommandBar->GetControls();
    pControls->RemoveAll();
    CMenu* pMenu = CMenu::FromHandle(hMenu);
    const UINT nDefault = ::GetMenuDefaultItem(hMenu, FALSE, GMDI_USEDISABLED);
    BOOL bBeginGroup = FALSE;
    for (int i = 0; i < static_cast<int>(pMenu->GetMenuItemCount()); i++) {
        const UINT nId = pMenu->GetMenuItemID(i);
        if (nId == 0) {
            bBeginGroup = TRUE;
            continue;
        }
        CKitControl* pControl = nullptr;
        if (nId - SC_SIZE < kSysCommandCount) {
            CString strCaption;
            pMenu->GetMenuString(i, strCaption, MF_BYPOSITION);
            pControl = pControls->Add(kitControlButton, nId);
            pControl->SetCaption(strCaption);
            pControl->SetDescription(CKitResourceManager::Instance()->LoadStringOrEmpty(
                (nId - SC_SIZE) / 16 + AFX_IDS_SCFIRST));
            pControl->SetDefaultItem(nId == nDefault);
            pControl->SetEnabled((pMenu->GetMenuState(i, MF_BYPOSITION) & MF_DISABLED) == 0);
        } else {
            pControl = pControls->AddMenuItem(pMenu, i);
        }
        if (pControl != nullptr && bBeginGroup) {
            pControl->SetBeginGroup(TRUE);
            bBeginGroup = FALSE;
        }
    }
}

CSize CKitControlMDISysMenuPopup::GetSize(CDC* /*pDC*/)
{
    return CSize(kMdiButtonSize, kMdiButtonSize);
}

void CKitControlMDISysMenuPopup::Draw(CDC* pDC)
{
    if (m_hIcon != nullptr)
        ::DrawStateA(*pDC, nullptr, nullptr, reinterpret_cast<LPARAM>(m_hIcon), 0, m_rcControl.left, m_rcControl.top,
                     kMdiButtonSize, kMdiButtonSize, DST_ICON);
}

void CKitControlMDISysMenuPopup::AdjustExcludeRect(CRect& rc, BOOL /*bVertical*/)
{
    rc.InflateRect(1, 1);
}
