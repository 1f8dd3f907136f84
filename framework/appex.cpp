#include "framework/appex.h"

#include "framework/frame.h"
#include "framework/menu.h"

IMPLEMENT_DYNAMIC(CWinAppEx, CWinApp)

// CContextMenuManager

BOOL CContextMenuManager::AddMenu(LPCSTR lpszName, UINT uiMenuResId)
{
    if (lpszName == nullptr || GetMenuByName(lpszName) != 0)
        return FALSE;
    m_menus.emplace_back(CString(lpszName), uiMenuResId);
    return TRUE;
}

UINT CContextMenuManager::GetMenuByName(LPCSTR lpszName) const
{
    for (const auto& menu : m_menus) {
        if (menu.first == lpszName)
            return menu.second;
    }
    return 0;
}

BOOL CContextMenuManager::ShowPopupMenu(UINT uiMenuResId, int x, int y, CWnd* pWnd, BOOL)
{
    CMenu menu;
    if (!menu.LoadMenu(uiMenuResId))
        return FALSE;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (pPopup == nullptr)
        return FALSE;
    pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, pWnd);
    return TRUE;
}

// CTooltipManager

void CTooltipManager::SetTooltipParams(UINT nTypes, CRuntimeClass* pRTC, const CTooltipParams* pParams)
{
    m_nTypes = nTypes;
    m_pTooltipClass = pRTC;
    m_params = pParams != nullptr ? *pParams : CTooltipParams();
}

// CWinAppEx

CWinAppEx::CWinAppEx(BOOL bResourceSmartUpdate) : m_bResourceSmartUpdate(bResourceSmartUpdate) {}

CWinAppEx::~CWinAppEx() = default;

BOOL CWinAppEx::InitContextMenuManager()
{
    if (!m_pContextMenuManager)
        m_pContextMenuManager = std::make_unique<CContextMenuManager>();
    return TRUE;
}

BOOL CWinAppEx::InitKeyboardManager()
{
    if (!m_pKeyboardManager)
        m_pKeyboardManager = std::make_unique<CKeyboardManager>();
    return TRUE;
}

BOOL CWinAppEx::InitTooltipManager()
{
    if (!m_pTooltipManager)
        m_pTooltipManager = std::make_unique<CTooltipManager>();
    return TRUE;
}

BOOL CWinAppEx::SetTooltipParams(UINT nTypes, CRuntimeClass* pRTC, const CTooltipParams* pParams)
{
    if (!m_pTooltipManager)
        return FALSE;
    m_pTooltipManager->SetTooltipParams(nTypes, pRTC, pParams);
    return TRUE;
}

BOOL CWinAppEx::LoadState(CFrameWnd*)
{
    PreLoadState();
    LoadCustomState();
    ++m_nStateLoads;
    return TRUE;
}

void CWinAppEx::PreLoadState() {}

void CWinAppEx::LoadCustomState() {}
