// CKitControlCustom: a command-bar control that hosts an ordinary child window.
#include "toolkit/commandbars/control_custom.h"

#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/common/prop_exchange.h"

IMPLEMENT_DYNCREATE(CKitControlCustom, CKitControlButton)

// The paint manager lays out no custom type: without a window the control is measured and drawn as a
// plain button for the length of one call.
class CKitControlCustom::CButtonLook {
public:
    explicit CButtonLook(CKitControlCustom* pControl) : m_pControl(pControl) { pControl->SetType(kitControlButton); }
    ~CButtonLook() { m_pControl->SetType(kitControlCustom); }
    CButtonLook(const CButtonLook&) = delete;
    CButtonLook& operator=(const CButtonLook&) = delete;

private:
    CKitControlCustom* m_pControl;
};

CKitControlCustom::CKitControlCustom() : CKitControlButton(kitControlCustom)
{
    m_dwFlags = kitFlagNoMovable;
}

CKitControlCustom::~CKitControlCustom()
{
    CKitHookManager::Instance()->RemoveAll(this);
}

void CKitControlCustom::SetControl(HWND hWnd)
{
    if (hWnd == m_hwndControl)
        return;
    if (m_hwndControl != nullptr)
        CKitHookManager::Instance()->RemoveHook(m_hwndControl, this);
    m_hwndControl = hWnd;
    if (hWnd != nullptr)
        CKitHookManager::Instance()->SetHook(hWnd, this);
}

CSize CKitControlCustom::GetSize(CDC* pDC)
{
    if (m_hwndControl != nullptr && m_bWindowShown)
        return CSize(m_szControl.cx + m_rcBorders.left + m_rcBorders.right,
                     m_szControl.cy + m_rcBorders.top + m_rcBorders.bottom);
    CButtonLook look(this);
    return CKitControlButton::GetSize(pDC);
}

void CKitControlCustom::SetRect(const CRect& rc)
{
    const HWND hBar = m_pParent != nullptr ? m_pParent->GetSafeHwnd() : nullptr;
    if (rc == m_rcControl && (m_hwndControl == nullptr || ::GetParent(m_hwndControl) == hBar))
        return;
    CKitControlButton::SetRect(rc);
    if (m_hwndControl == nullptr)
        return;
    if (hBar != nullptr) {
        const LONG_PTR style = ::GetWindowLongPtrA(m_hwndControl, GWL_STYLE);
        ::SetWindowLongPtrA(m_hwndControl, GWL_STYLE, (style & ~static_cast<LONG_PTR>(WS_POPUP)) | WS_CHILD);
        ::SetParent(m_hwndControl, hBar);
    }
    ::MoveWindow(m_hwndControl, rc.left + m_rcBorders.left, rc.top + m_rcBorders.top,
                 rc.Width() - m_rcBorders.left - m_rcBorders.right, rc.Height() - m_rcBorders.top - m_rcBorders.bottom,
                 TRUE);
    UpdateWindowVisibility();
}

BOOL CKitControlCustom::IsWindowVisibleNow() const
{
    return m_hwndControl != nullptr && ::IsWindowVisible(m_hwndControl);
}

void CKitControlCustom::Draw(CDC* pDC)
{
    if (IsWindowVisibleNow())
        return;
    CButtonLook look(this);
    CKitControlButton::Draw(pDC);
}

void CKitControlCustom::OnClick(BOOL bKeyboard, CPoint pt)
{
    if (IsWindowVisibleNow() && (m_pParent == nullptr || !m_pParent->IsCustomizeMode()))
        return;
    CKitControlButton::OnClick(bKeyboard, pt);
}

void CKitControlCustom::OnEnabledChanged()
{
    if (m_hwndControl != nullptr)
        ::EnableWindow(m_hwndControl, IsEnabled() ? TRUE : FALSE);
}

void CKitControlCustom::SetHideFlags(DWORD dwFlags)
{
    if (dwFlags == m_dwHideFlags)
        return;
    CKitControlButton::SetHideFlags(dwFlags);
    UpdateWindowVisibility();
    MarkParentDirty();
}

void CKitControlCustom::OnCalcDynamicSize(DWORD dwMode)
{
    const BOOL bVertical = (dwMode & LM_VERTDOCK) != 0;
    if (m_nVerticalOptions == kitCustomVerticalHide) {
        SetHideFlags(bVertical ? (m_dwHideFlags | kitHideScroll) : (m_dwHideFlags & ~static_cast<DWORD>(kitHideScroll)));
    } else if (m_nVerticalOptions == kitCustomVerticalHideWindow) {
        m_bWindowShown = !bVertical;
        UpdateWindowVisibility();
    }
}

void CKitControlCustom::OnRemoved()
{
    m_bWindowShown = FALSE;
    if (m_hwndControl != nullptr)
        ::ShowWindow(m_hwndControl, SW_HIDE);
    CKitControlButton::OnRemoved();
}

void CKitControlCustom::Copy(const CKitControl* pSource, BOOL bRecursive)
{
    if (const auto* pCustom = dynamic_cast<const CKitControlCustom*>(pSource)) {
        m_rcBorders = pCustom->m_rcBorders;
        m_nVerticalOptions = pCustom->m_nVerticalOptions;
        m_szControl = pCustom->m_szControl;
        SetControl(pCustom->m_hwndControl);
        m_nControlId = pCustom->m_nControlId;
    }
    CKitControlButton::Copy(pSource, bRecursive);
}

void CKitControlCustom::UpdateWindowVisibility()
{
    if (m_hwndControl == nullptr || m_pParent == nullptr)
        return;
    if (m_pControls != nullptr && m_pControls->IsKindOf(RUNTIME_CLASS(CKitOriginalControls)))
        return;
    const HWND hBar = m_pParent->GetSafeHwnd();
    if (hBar == nullptr || ::GetParent(m_hwndControl) != hBar)
        return;
    const BOOL bShow = m_bWindowShown && IsVisible();
    ::SetWindowPos(m_hwndControl, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

int CKitControlCustom::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& /*lResult*/)
{
    if (nMessage == WM_MOUSEMOVE && m_pParent != nullptr && m_pParent->GetSafeHwnd() != nullptr) {
        POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ::MapWindowPoints(hWnd, m_pParent->GetSafeHwnd(), &pt, 1);
        m_pParent->OnMouseMoveBar(static_cast<UINT>(wParam), CPoint(pt));
    }
    return kNotHandled;
}

void CKitControlCustom::DoPropExchange(CKitPropExchange* pPX)
{
    CKitControlButton::DoPropExchange(pPX);
    CKitPropExchange::PropExchangeRect(pPX, "Borders", m_rcBorders, CRect(0, 0, 0, 0));
    CKitPropExchange::PropExchangeSize(pPX, "ControlSize", m_szControl, CSize(0, 0));
    CKitPropExchange::PropExchangeIntWithDefault(pPX, "VerticalOptions", m_nVerticalOptions, kitCustomVerticalHide);
    if (pPX->GetSchema() >= 6) {
        int nControlId = static_cast<int>(m_nControlId);
        CKitPropExchange::PropExchangeIntWithDefault(pPX, "ControlId", nControlId, 0);
        m_nControlId = static_cast<UINT>(nControlId);
    }
    if (pPX->IsLoading() && m_nControlId != 0) {
        CKitCommandBarManager* pCommandBars = m_pControls != nullptr ? m_pControls->GetCommandBars() : nullptr;
        if (pCommandBars == nullptr)
            pCommandBars = DYNAMIC_DOWNCAST(CKitCommandBarManager, pPX->GetOwner());
        if (const HWND hWnd = FindWindowById(pCommandBars))
            SetControl(hWnd);
    }
}

HWND CKitControlCustom::FindWindowById(CKitCommandBarManager* pCommandBars) const
{
    if (pCommandBars == nullptr)
        return nullptr;
    const int nId = static_cast<int>(m_nControlId);
    CWnd* pSite = pCommandBars->GetSite();
    if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr) {
        if (const HWND hWnd = ::GetDlgItem(pSite->GetSafeHwnd(), nId))
            return hWnd;
    }
    for (int i = 0; i < pCommandBars->GetCount(); i++) {
        const HWND hBar = pCommandBars->GetAt(i)->GetSafeHwnd();
        if (hBar == nullptr)
            continue;
        if (const HWND hWnd = ::GetDlgItem(hBar, nId))
            return hWnd;
    }
    return nullptr;
}
