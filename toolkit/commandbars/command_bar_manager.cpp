#include "toolkit/commandbars/command_bar_manager.h"

#include "framework/menu.h"
#include "framework/strings.h"
#include "framework/wnd.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/control_action.h"
#include "toolkit/commandbars/keyboard_manager.h"
#include "toolkit/commandbars/mouse_manager.h"
#include "toolkit/common/prop_exchange.h"
#include "toolkit/common/resources.h"
#include "toolkit/common/upper_services.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CKitCommandBarManager, CCmdTarget)

namespace {
// The bars' child-window ids below the frame's own.
constexpr UINT kFirstBarId = 0xE800;
} // namespace

CKitCommandBarManager::CKitCommandBarManager() = default;

CKitCommandBarManager::~CKitCommandBarManager()
{
    HideKeyboardTips();
    RemoveAll();
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
    if (!pMenuBar->CreateBar(m_pSite, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, kFirstBarId + GetCount())) {
        pMenuBar->InternalRelease();
        return nullptr;
    }
    CMenu menu;
    if (nIDMenu != 0 && CKitResourceManager::Instance()->LoadMenu(menu, nIDMenu))
        pMenuBar->LoadMenu(menu.GetSafeHmenu(), TRUE);
    m_pMenuBar = pMenuBar;
    m_bars.push_back(pMenuBar);
    return pMenuBar;
}

CKitToolBar* CKitCommandBarManager::Add(LPCSTR lpszTitle, int nPosition)
{
    if (m_pSite == nullptr)
        return nullptr;
    auto* pBar = new CKitToolBar();
    pBar->SetTitle(lpszTitle);
    pBar->SetCommandBars(this);
    pBar->SetPosition(nPosition);
    if (!pBar->CreateBar(m_pSite, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, kFirstBarId + GetCount())) {
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
