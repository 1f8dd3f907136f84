#include "toolkit/commandbars/command_bar_manager.h"

#include "framework/archive.h"
#include "framework/docview.h"
#include "framework/exceptions.h"
#include "framework/file.h"
#include "framework/frame.h"
#include "framework/handles.h"
#include "framework/ids.h"
#include "framework/menu.h"
#include "framework/strings.h"
#include "framework/wnd.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/menu_bar.h"
#include "toolkit/commandbars/control_action.h"
#include "toolkit/commandbars/dock_bar.h"
#include "toolkit/commandbars/keyboard_manager.h"
#include "toolkit/commandbars/mouse_manager.h"
#include "toolkit/commandbars/persistence.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/commandbars/toolbar.h"
#include "toolkit/common/prop_exchange.h"
#include "toolkit/common/resources.h"
#include "toolkit/common/upper_services.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CKitCommandBarManager, CCmdTarget)

namespace {
// How far outside a dock bar a dragged bar still docks.
constexpr int kDockDistance = 20;
} // namespace

CKitCommandBarManager::CKitCommandBarManager() = default;

CKitCommandBarManager::~CKitCommandBarManager()
{
    HideKeyboardTips();
    RemoveAll();
    for (CKitDockBar*& pDockBar : m_pDockBars) {
        delete pDockBar;
        pDockBar = nullptr;
    }
    SetPaintManager(nullptr);
    if (m_pActions != nullptr)
        m_pActions->InternalRelease();
}

void CKitCommandBarManager::SetCustomizeMode(BOOL bMode)
{
    m_bCustomizeMode = bMode;
    if (m_pActions != nullptr)
        m_pActions->SetCustomizeMode(bMode);
}

void CKitCommandBarManager::EnableActions()
{
    if (m_pActions == nullptr) {
        m_pActions = new CKitControlActions();
        m_pActions->SetCustomizeMode(m_bCustomizeMode);
    }
}

CKitCommandBar* CKitCommandBarManager::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_bars[nIndex] : nullptr;
}

CKitMenuBar* CKitCommandBarManager::SetMenu(LPCSTR lpszTitle, UINT nIDMenu)
{
    if (m_pMenuBar != nullptr || m_pSite == nullptr)
        return m_pMenuBar;
    auto* pMenuBar = new CKitMenuBar();
    pMenuBar->SetTitle(lpszTitle);
    pMenuBar->SetCommandBars(this);
    pMenuBar->SetPosition(kitBarTop);
    pMenuBar->SetBarID(nIDMenu);
    const UINT nBarId = AFX_IDW_CONTROLBAR_FIRST + GetCount();
    const BOOL bCreated = m_pDockBars[kitBarTop] != nullptr
                              ? pMenuBar->CreateToolBarWindow(m_pDockBars[kitBarTop], FALSE)
                              : pMenuBar->CreateBar(m_pSite, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, nBarId);
    if (!bCreated) {
        pMenuBar->InternalRelease();
        return nullptr;
    }
    m_pMenuBar = pMenuBar;
    m_bars.push_back(pMenuBar);
    if (m_pDockBars[kitBarTop] != nullptr)
        m_pDockBars[kitBarTop]->DockCommandBar(pMenuBar);
    pMenuBar->LoadMenuBar(nIDMenu);
    return pMenuBar;
}

CKitToolBar* CKitCommandBarManager::Add(LPCSTR lpszTitle, int nPosition, CRuntimeClass* pBarClass)
{
    if (m_pSite == nullptr)
        return nullptr;
    if (pBarClass != nullptr && !pBarClass->IsDerivedFrom(RUNTIME_CLASS(CKitToolBar)))
        return nullptr;
    auto* pBar = pBarClass != nullptr ? static_cast<CKitToolBar*>(pBarClass->CreateObject()) : new CKitToolBar();
    if (pBar == nullptr)
        return nullptr;
    pBar->SetTitle(lpszTitle);
    pBar->SetCommandBars(this);
    if (m_pDockBars[kitBarTop] != nullptr) {
        pBar->SetFlags(kitDockAny);
        m_bars.push_back(pBar);
        const BOOL bDocked = nPosition >= kitBarTop && nPosition <= kitBarRight;
        if (!pBar->CreateToolBarWindow(bDocked ? static_cast<CWnd*>(m_pDockBars[nPosition]) : m_pSite, !bDocked)) {
            Remove(pBar);
            return nullptr;
        }
        if (bDocked)
            DockCommandBar(pBar, nullptr, m_pDockBars[nPosition]);
        else
            FloatCommandBar(pBar);
        return pBar;
    }
    pBar->SetPosition(nPosition);
    if (!pBar->CreateBar(m_pSite, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, AFX_IDW_CONTROLBAR_FIRST + GetCount())) {
        pBar->InternalRelease();
        return nullptr;
    }
    m_bars.push_back(pBar);
    return pBar;
}

void CKitCommandBarManager::AddCommandBar(CKitCommandBar* pBar)
{
    if (pBar == nullptr || std::find(m_bars.begin(), m_bars.end(), pBar) != m_bars.end())
        return;
    pBar->SetCommandBars(this);
    m_bars.push_back(pBar);
}

void CKitCommandBarManager::Remove(CKitCommandBar* pBar)
{
    auto it = std::find(m_bars.begin(), m_bars.end(), pBar);
    if (it == m_bars.end())
        return;
    m_bars.erase(it);
    if (pBar == m_pMenuBar)
        m_pMenuBar = nullptr;
    if (auto* pToolBar = DYNAMIC_DOWNCAST(CKitToolBar, pBar); pToolBar != nullptr && pToolBar->GetDockBar() != nullptr)
        pToolBar->GetDockBar()->RemoveCommandBar(pToolBar);
    pBar->OnRemoved();
    pBar->SetCommandBars(nullptr);
    pBar->InternalRelease();
}

void CKitCommandBarManager::RemoveAll()
{
    while (!m_bars.empty())
        Remove(m_bars.back());
}

void CKitCommandBarManager::RegisterBar(CKitCommandBar* pBar)
{
    if (!IsRegistered(pBar))
        m_registered.push_back(pBar);
}

void CKitCommandBarManager::UnregisterBar(CKitCommandBar* pBar)
{
    auto it = std::find(m_registered.begin(), m_registered.end(), pBar);
    if (it != m_registered.end())
        m_registered.erase(it);
}

BOOL CKitCommandBarManager::IsRegistered(const CKitCommandBar* pBar) const
{
    return std::find(m_registered.begin(), m_registered.end(), pBar) != m_registered.end();
}

CKitBarPainter* CKitCommandBarManager::GetPaintManager() const
{
    if (m_pPaintManager != nullptr)
        return m_pPaintManager;
    CKitThemeServices* pThemes = CKitThemeServices::Get();
    return pThemes != nullptr ? pThemes->GetDefaultBarPainter() : nullptr;
}

void CKitCommandBarManager::SetPaintManager(CKitBarPainter* pPaintManager)
{
    if (m_pPaintManager != nullptr)
        m_pPaintManager->ReleasePainterReference();
    m_pPaintManager = pPaintManager;
}

CKitMouseManager* CKitCommandBarManager::GetMouseManager() const
{
    return CKitMouseManager::GetThreadManager();
}

CKitKeyboardManager* CKitCommandBarManager::GetKeyboardManager() const
{
    return CKitKeyboardManager::GetThreadManager();
}

void CKitCommandBarManager::ClosePopups()
{
    GetMouseManager()->SendTrackLostAll();
}

BOOL CKitCommandBarManager::SetFocusToNextBar(CKitCommandBar* pBar, int nStep)
{
    const int nCount = GetCount();
    int nIndex = -1;
    for (int i = 0; i < nCount; ++i) {
        if (GetAt(i) == pBar)
            nIndex = i;
    }
    if (nCount < 2 || nIndex == -1 || nStep == 0)
        return FALSE;
    for (int i = 1; i < nCount; ++i) {
        CKitCommandBar* pNext = GetAt(((nIndex + nStep * i) % nCount + nCount) % nCount);
        if (pNext == nullptr || !pNext->IsVisible())
            continue;
        ClosePopups();
        ShowKeyboardCues(TRUE);
        pNext->SetTrackingMode(TRUE, TRUE, TRUE);
        return TRUE;
    }
    return FALSE;
}

BOOL CKitCommandBarManager::ContextMenu(CPoint ptScreen)
{
    if (m_pSite == nullptr || m_pSite->GetSafeHwnd() == nullptr)
        return FALSE;
    ClosePopups();
    CKitPopupBar* pPopup = CKitPopupBar::CreatePopupBar(this);
    pPopup->SetContextMenu(TRUE);
    BOOL bShown = FALSE;
    if (AddToolbarItems(pPopup->GetControls(), -1, FALSE) > 0)
        bShown = TrackPopupMenu(pPopup, TPM_RIGHTBUTTON, ptScreen.x, ptScreen.y, m_pSite) != 0;
    pPopup->InternalRelease();
    return bShown;
}

int CKitCommandBarManager::AddToolbarItems(CKitControls* pControls, int nBefore, BOOL bBeginGroup)
{
    int nAdded = 0;
    for (int i = 0; i < GetCount(); i++) {
        auto* pToolBar = DYNAMIC_DOWNCAST(CKitToolBar, m_bars[i]);
        if (pToolBar == nullptr || !pToolBar->IsContextMenuPresent() || !pToolBar->IsCloseable())
            continue;
        // Without an action of the id: each item keeps its own caption and check.
        auto* pItem = new CKitControlToolbarItem();
        pItem->SetId(ID_VIEW_TOOLBAR);
        pItem->SetParameter(CKitControlToolbarItem::kParameter);
        pItem->SetTemporary(TRUE);
        pControls->InsertAt(pItem, nBefore < 0 ? -1 : nBefore + nAdded);
        CString strCaption = pToolBar->GetTitle();
        strCaption.Replace("&", "&&");
        pItem->SetCaption(strCaption);
        pItem->SetBarIndex(i);
        // The items update themselves: the site handles no command of theirs.
        pItem->SetFlags(kitFlagManualUpdate);
        pItem->SetChecked(pToolBar->IsVisible());
        pItem->SetBeginGroup(nAdded == 0 && bBeginGroup);
        nAdded++;
    }
    return nAdded;
}

void CKitCommandBarManager::ToggleBarVisible(int nIndex)
{
    ClosePopups();
    if (CKitCommandBar* pBar = GetAt(nIndex))
        pBar->SetVisible(!pBar->IsVisible());
}

namespace {

// The name of a virtual key in a shortcut text.
CString ShortcutKeyName(WORD wKey)
{
    static const struct {
        WORD wKey;
        LPCSTR lpszName;
    } kNames[] = {
        {VK_BACK, "Backspace"}, {VK_TAB, "Tab"},     {VK_RETURN, "Enter"},  {VK_ESCAPE, "Esc"},
        {VK_SPACE, "Space"},    {VK_PRIOR, "PgUp"},  {VK_NEXT, "PgDn"},     {VK_END, "End"},
        {VK_HOME, "Home"},      {VK_LEFT, "Left"},   {VK_UP, "Up"},         {VK_RIGHT, "Right"},
        {VK_DOWN, "Down"},      {VK_INSERT, "Ins"},  {VK_DELETE, "Del"},    {VK_ADD, "Num +"},
        {VK_SUBTRACT, "Num -"}, {VK_MULTIPLY, "Num *"}, {VK_DIVIDE, "Num /"},
    };
    for (const auto& name : kNames) {
        if (name.wKey == wKey)
            return name.lpszName;
    }
    CString strName;
    if ((wKey >= '0' && wKey <= '9') || (wKey >= 'A' && wKey <= 'Z'))
        strName = CString(static_cast<char>(wKey), 1);
    else if (wKey >= VK_F1 && wKey <= VK_F24)
        strName.Format("F%d", wKey - VK_F1 + 1);
    else if (wKey >= VK_NUMPAD0 && wKey <= VK_NUMPAD9)
        strName.Format("Num %d", wKey - VK_NUMPAD0);
    else {
        char szName[64] = {};
        const UINT nScan = ::MapVirtualKeyA(wKey, MAPVK_VK_TO_VSC);
        if (nScan != 0 && ::GetKeyNameTextA(static_cast<LONG>(nScan << 16), szName, sizeof(szName)) > 0)
            strName = szName;
    }
    return strName;
}

} // namespace

BOOL CKitCommandBarManager::FindShortcutText(UINT nId, CString& strText) const
{
    auto* pFrame = dynamic_cast<CFrameWnd*>(m_pSite);
    if (nId == 0 || pFrame == nullptr || pFrame->m_hAccelTable == nullptr)
        return FALSE;
    const int nCount = ::CopyAcceleratorTableA(pFrame->m_hAccelTable, nullptr, 0);
    if (nCount <= 0)
        return FALSE;
    std::vector<ACCEL> accels(static_cast<size_t>(nCount));
    ::CopyAcceleratorTableA(pFrame->m_hAccelTable, accels.data(), nCount);
    for (const ACCEL& accel : accels) {
        if (accel.cmd != nId)
            continue;
        CString strKey;
        if (accel.fVirt & FVIRTKEY)
            strKey = ShortcutKeyName(accel.key);
        else if (accel.key >= 1 && accel.key <= 26)
            strKey = CString("Ctrl+") + static_cast<char>('A' + accel.key - 1);
        else
            strKey = CString(static_cast<char>(accel.key), 1);
        if (strKey.IsEmpty())
            continue;
        strText.Empty();
        if (accel.fVirt & FCONTROL)
            strText += "Ctrl+";
        if (accel.fVirt & FSHIFT)
            strText += "Shift+";
        if (accel.fVirt & FALT)
            strText += "Alt+";
        strText += strKey;
        return TRUE;
    }
    return FALSE;
}

UINT CKitCommandBarManager::GetActiveDocTemplate() const
{
    auto* pFrame = dynamic_cast<CFrameWnd*>(m_pSite);
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr)
        return 0;
    CDocument* pDocument = pFrame->GetActiveDocument();
    CDocTemplate* pTemplate = pDocument != nullptr ? pDocument->GetDocTemplate() : nullptr;
    return pTemplate != nullptr ? pTemplate->m_nIDResource : 0;
}

BOOL CKitCommandBarManager::IsLayoutRTL() const
{
    if (m_pSite != nullptr && m_pSite->GetSafeHwnd() != nullptr && (m_pSite->GetExStyle() & WS_EX_LAYOUTRTL) != 0)
        return TRUE;
    return m_options.bRightToLeft;
}

void CKitCommandBarManager::SetCustomizeSelection(CKitControl* pControl)
{
    m_pCustomizeSelection = pControl;
}

void CKitCommandBarManager::ShowKeyboardCues(BOOL bShow)
{
    if (m_bKeyboardCues == bShow)
        return;
    m_bKeyboardCues = bShow;
    for (CKitCommandBar* pBar : m_registered)
        pBar->Redraw();
}

void CKitCommandBarManager::OnTrackingModeChanged(CKitCommandBar* /*pBar*/, int nMode)
{
    // Cues shown for the keyboard go away when the last bar stops tracking.
    if (nMode == 0 && GetMouseManager()->GetTrackCount() == 0)
        ShowKeyboardCues(FALSE);
}

void CKitCommandBarManager::OnIdleUpdateCmdUI()
{
    const std::vector<CKitCommandBar*> bars = m_bars;
    for (CKitCommandBar* pBar : bars)
        pBar->OnIdleUpdateCmdUI();
}

void CKitCommandBarManager::DoPropExchange(CKitPropExchange* pPX)
{
    DWORD nCount = static_cast<DWORD>(GetCount());
    pPX->ExchangeCount(nCount);
    const int nBars = std::min(static_cast<int>(nCount), GetCount());
    for (int i = 0; i < nBars; i++) {
        CString strSection;
        strSection.Format("Bar%d", i);
        CKitPropExchange* pSection = pPX->GetSection(strSection);
        if (pSection == nullptr)
            continue;
        m_bars[i]->DoPropExchange(pSection);
        pSection->InternalRelease();
    }
}

BOOL CKitCommandBarManager::EnableDocking()
{
    if (m_pDockBars[kitBarTop] != nullptr)
        return TRUE;
    if (m_pSite == nullptr || m_pSite->GetSafeHwnd() == nullptr)
        return FALSE;
    static const DWORD kStyles[] = {kitDockBarTop, kitDockBarBottom, kitDockBarLeft, kitDockBarRight};
    for (int i = 0; i < 4; i++) {
        m_pDockBars[i] = new CKitDockBar(this, kStyles[i]);
        if (!m_pDockBars[i]->CreateDockBar(m_pSite, AFX_IDW_DOCKBAR_TOP + i))
            return FALSE;
    }
    return TRUE;
}

CKitDockBar* CKitCommandBarManager::GetDockBar(int nPosition) const
{
    return nPosition >= kitBarTop && nPosition <= kitBarRight ? m_pDockBars[nPosition] : nullptr;
}

void CKitCommandBarManager::DockCommandBar(CKitToolBar* pBar, LPCRECT lpRect, CKitDockBar* pDockBar)
{
    if (pDockBar == nullptr)
        return;
    pDockBar->DockCommandBar(pBar, lpRect);
    pBar->DelayLayout();
}

BOOL CKitCommandBarManager::FloatCommandBar(CKitToolBar* pBar)
{
    if (pBar->GetDockBar() != nullptr)
        pBar->GetDockBar()->RemoveCommandBar(pBar);
    if (!pBar->CreateToolBarWindow(m_pSite, TRUE))
        return FALSE;
    pBar->CKitCommandBar::SetPosition(kitBarFloating);
    const CSize sz = pBar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
    CPoint pt = pBar->GetDockContext()->m_ptFloat;
    if (pt.x <= 0 && pt.y <= 0 && m_pSite != nullptr) {
        CRect rcSite;
        m_pSite->GetWindowRect(&rcSite);
        pt = rcSite.TopLeft() + CPoint(40, 80);
    }
    ::SetWindowPos(pBar->GetSafeHwnd(), HWND_TOP, pt.x, pt.y, sz.cx, sz.cy, SWP_NOACTIVATE);
    pBar->Redraw();
    RecalcFrameLayout();
    return TRUE;
}

CKitDockBar* CKitCommandBarManager::CanDock(CPoint ptScreen, CKitDockBar* pCurrent) const
{
    auto holds = [ptScreen](const CKitDockBar* pDockBar) {
        if (pDockBar == nullptr || pDockBar->GetSafeHwnd() == nullptr)
            return false;
        CRect rc;
        pDockBar->GetWindowRect(&rc);
        rc.InflateRect(kDockDistance, kDockDistance);
        return rc.PtInRect(ptScreen) != FALSE;
    };
    if (holds(pCurrent))
        return pCurrent;
    for (CKitDockBar* pDockBar : m_pDockBars) {
        if (holds(pDockBar))
            return pDockBar;
    }
    return nullptr;
}

void CKitCommandBarManager::RecalcFrameLayout(BOOL bDelay)
{
    if (bDelay) {
        m_bLayoutPending = TRUE;
        return;
    }
    m_bLayoutPending = FALSE;
    if (m_pSite == nullptr || m_pSite->GetSafeHwnd() == nullptr)
        return;
    if (auto* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, m_pSite)) {
        pFrame->RecalcLayout();
        return;
    }
    CRect rc;
    m_pSite->GetClientRect(&rc);
    m_pSite->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(rc.Width(), rc.Height()));
}

void CKitCommandBarManager::IdleRecalcLayout()
{
    if (m_bLayoutPending)
        RecalcFrameLayout();
}

void CKitCommandBarManager::RepositionDockBars(CRect& rcFree, BOOL bCommit)
{
    m_bLayoutPending = FALSE;
    KIT_DOCK_LAYOUT layout;
    layout.rect = rcFree;
    if (bCommit)
        layout.hDWP = ::BeginDeferWindowPos(4);
    for (CKitDockBar* pDockBar : m_pDockBars) {
        if (pDockBar != nullptr && pDockBar->GetSafeHwnd() != nullptr)
            pDockBar->OnSizeParent(&layout);
    }
    // Without dock bars the toolbars that lie in the site take its top, one below the other.
    if (m_pDockBars[kitBarTop] == nullptr && m_pSite != nullptr) {
        for (CKitCommandBar* pBar : std::vector<CKitCommandBar*>(m_bars)) {
            if (pBar->GetSafeHwnd() != nullptr && ::GetParent(pBar->GetSafeHwnd()) == m_pSite->GetSafeHwnd())
                pBar->SendMessage(WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
        }
    }
    if (layout.hDWP != nullptr)
        ::EndDeferWindowPos(layout.hDWP);
    rcFree = layout.rect;
}

void CKitCommandBarManager::SetDocumentMenu(HMENU hMenu, UINT nIDMenu)
{
    for (auto& entry : m_documentMenus) {
        if (entry.first == hMenu) {
            entry.second = nIDMenu;
            return;
        }
    }
    m_documentMenus.emplace_back(hMenu, nIDMenu);
}

UINT CKitCommandBarManager::GetDocumentMenuId(HMENU hMenu) const
{
    for (const auto& entry : m_documentMenus) {
        if (entry.first == hMenu)
            return entry.second;
    }
    return 0;
}

namespace {
// The registry values of a saved layout: the number of bars and one binary value per bar.
constexpr char kValueBarCount[] = "Bars";
constexpr char kValueBarFormat[] = "Bar%d";
// A stored bar state larger than this is not read.
constexpr DWORD kMaxStoredBarBytes = 1024 * 1024;

// Where a bar stood: its position, its rectangle (docked: in its dock bar; floating: on the screen) and visibility.
void ExchangeBarPlace(CKitPropExchange* pPX, int& nPosition, CRect& rc, BOOL& bVisible)
{
    CKitPropExchange::PropExchangeIntWithDefault(pPX, "DockPosition", nPosition, kitBarTop);
    CKitPropExchange::PropExchangeRect(pPX, "DockRect", rc, CRect(0, 0, 0, 0));
    CKitPropExchange::PropExchangeBool(pPX, "Visible", bVisible, TRUE);
}
} // namespace

BOOL CKitCommandBarManager::SaveBarState(HKEY hRoot, LPCSTR lpszKey)
{
    ScopedRegKey key;
    if (::RegCreateKeyExA(hRoot, lpszKey, 0, nullptr, 0, KEY_WRITE, nullptr, key.Receive(), nullptr) != ERROR_SUCCESS)
        return FALSE;
    DWORD nSaved = 0;
    for (CKitCommandBar* pBar : m_bars) {
        auto* pToolBar = DYNAMIC_DOWNCAST(CKitToolBar, pBar);
        if (pToolBar == nullptr)
            continue;
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            CKitPropExchangeArchive px(ar);
            px.ExchangeSchema();
            KitSaveBarList(&px, pToolBar);
            int nPosition = pToolBar->GetPosition();
            CRect rc;
            if (pToolBar->GetSafeHwnd() != nullptr) {
                pToolBar->GetWindowRect(&rc);
                if (CKitDockBar* pDockBar = pToolBar->GetDockBar())
                    pDockBar->ScreenToClient(&rc);
            }
            BOOL bVisible = pToolBar->IsVisible();
            ExchangeBarPlace(&px, nPosition, rc, bVisible);
            ar.Close();
        }
        const DWORD nLength = static_cast<DWORD>(file.GetLength());
        BYTE* pBytes = file.Detach();
        CString strValue;
        strValue.Format(kValueBarFormat, static_cast<int>(nSaved));
        const LONG nResult = ::RegSetValueExA(key.Get(), strValue, 0, REG_BINARY, pBytes, nLength);
        free(pBytes);
        if (nResult != ERROR_SUCCESS)
            return FALSE;
        nSaved++;
    }
    return ::RegSetValueExA(key.Get(), kValueBarCount, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&nSaved),
                            sizeof(nSaved)) == ERROR_SUCCESS;
}

int CKitCommandBarManager::LoadBarState(HKEY hRoot, LPCSTR lpszKey)
{
    ScopedRegKey key;
    if (::RegOpenKeyExA(hRoot, lpszKey, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
        return 0;
    DWORD nCount = 0;
    DWORD nSize = sizeof(nCount);
    if (::RegQueryValueExA(key.Get(), kValueBarCount, nullptr, nullptr, reinterpret_cast<BYTE*>(&nCount), &nSize) !=
        ERROR_SUCCESS)
        return 0;
    int nLoaded = 0;
    for (DWORD i = 0; i < nCount && i < static_cast<DWORD>(m_bars.size() + 64); i++) {
        CString strValue;
        strValue.Format(kValueBarFormat, static_cast<int>(i));
        DWORD nBytes = 0;
        if (::RegQueryValueExA(key.Get(), strValue, nullptr, nullptr, nullptr, &nBytes) != ERROR_SUCCESS ||
            nBytes == 0 || nBytes > kMaxStoredBarBytes)
            continue;
        std::vector<BYTE> bytes(nBytes);
        if (::RegQueryValueExA(key.Get(), strValue, nullptr, nullptr, bytes.data(), &nBytes) != ERROR_SUCCESS)
            continue;
        if (LoadBarFromBytes(bytes.data(), nBytes))
            nLoaded++;
    }
    RecalcFrameLayout();
    return nLoaded;
}

BOOL CKitCommandBarManager::LoadBarFromBytes(const BYTE* pBytes, DWORD nBytes)
{
    CKitCommandBar* pLoaded = nullptr;
    int nPosition = kitBarTop;
    CRect rc;
    BOOL bVisible = TRUE;
    try {
        CMemFile file(const_cast<BYTE*>(pBytes), nBytes);
        CArchive ar(&file, CArchive::load);
        CKitPropExchangeArchive px(ar);
        px.ExchangeSchema();
        pLoaded = KitLoadBarList(&px, this);
        ExchangeBarPlace(&px, nPosition, rc, bVisible);
    } catch (CException* e) {
        // A damaged state: this bar keeps what it has.
        e->Delete();
        if (pLoaded != nullptr)
            pLoaded->InternalRelease();
        return FALSE;
    }
    auto* pLoadedBar = DYNAMIC_DOWNCAST(CKitToolBar, pLoaded);
    CKitToolBar* pLive = nullptr;
    for (CKitCommandBar* pBar : m_bars) {
        auto* pToolBar = DYNAMIC_DOWNCAST(CKitToolBar, pBar);
        if (pToolBar == nullptr || pLoadedBar == nullptr || pToolBar->GetType() != pLoadedBar->GetType())
            continue;
        const BOOL bSameId = pLoadedBar->GetBarID() != 0 && pToolBar->GetBarID() == pLoadedBar->GetBarID();
        if (bSameId || (pLoadedBar->GetBarID() == 0 && pToolBar->GetTitle() == pLoadedBar->GetTitle())) {
            pLive = pToolBar;
            break;
        }
    }
    if (pLive == nullptr && pLoadedBar != nullptr)
        pLive = FindOnlyBarOfClassForUnnamed(pLoadedBar);
    if (pLive == nullptr) {
        pLoaded->InternalRelease();
        return FALSE;
    }
    pLive->MergeLoadedState(pLoadedBar, TRUE);
    pLoaded->InternalRelease();
    PlaceLoadedBar(pLive, nPosition, rc, bVisible);
    return TRUE;
}

CKitToolBar* CKitCommandBarManager::FindOnlyBarOfClassForUnnamed(const CKitToolBar* pLoaded) const
{
    // A bar stored without id and title (a ribbon stored without customization) belongs to the one live bar of
    // its class; with two such bars it is not known which.
    if (pLoaded->GetBarID() != 0 || !pLoaded->GetTitle().IsEmpty())
        return nullptr;
    CKitToolBar* pFound = nullptr;
    for (CKitCommandBar* pBar : m_bars) {
        if (pBar->GetRuntimeClass() != pLoaded->GetRuntimeClass())
            continue;
        if (pFound != nullptr)
            return nullptr;
        pFound = static_cast<CKitToolBar*>(pBar);
    }
    return pFound;
}

void CKitCommandBarManager::PlaceLoadedBar(CKitToolBar* pBar, int nPosition, const CRect& rc, BOOL bVisible)
{
    if (pBar->GetSafeHwnd() != nullptr && m_pDockBars[kitBarTop] != nullptr) {
        if (nPosition >= kitBarTop && nPosition <= kitBarRight) {
            CRect rcScreen = rc;
            m_pDockBars[nPosition]->ClientToScreen(&rcScreen);
            DockCommandBar(pBar, rc.IsRectEmpty() ? nullptr : &rcScreen, m_pDockBars[nPosition]);
        } else if (nPosition == kitBarFloating) {
            pBar->GetDockContext()->m_ptFloat = rc.TopLeft();
            FloatCommandBar(pBar);
        }
    }
    pBar->SetVisible(bVisible);
    pBar->OnRecalcLayout();
}
