#include "ostrel/grid/grid_drop_target.h"

#include "ostrel/grid/monitor_grid.h"

IMPLEMENT_DYNAMIC(CMonitorGridDropTarget, COleDropTarget)

BOOL CMonitorGridDropTarget::Register(CMonitorGrid* pGridCtrl)
{
    if (m_bRegistered || pGridCtrl == nullptr || !pGridCtrl->IsKindOf(RUNTIME_CLASS(CMonitorGrid)))
        return FALSE;
    m_pGridCtrl = pGridCtrl;
    m_bRegistered = COleDropTarget::Register(pGridCtrl);
    return m_bRegistered;
}

void CMonitorGridDropTarget::Revoke()
{
    m_bRegistered = FALSE;
    COleDropTarget::Revoke();
}

bool CMonitorGridDropTarget::IsOurGrid(const CWnd* pWnd) const
{
    return m_pGridCtrl != nullptr && pWnd != nullptr && pWnd->m_hWnd == m_pGridCtrl->m_hWnd;
}

DROPEFFECT CMonitorGridDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                               CPoint point)
{
    return IsOurGrid(pWnd) ? m_pGridCtrl->OnDragEnter(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

DROPEFFECT CMonitorGridDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                              CPoint point)
{
    return IsOurGrid(pWnd) ? m_pGridCtrl->OnDragOver(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

void CMonitorGridDropTarget::OnDragLeave(CWnd* pWnd)
{
    if (IsOurGrid(pWnd))
        m_pGridCtrl->OnDragLeave();
}

BOOL CMonitorGridDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    return IsOurGrid(pWnd) && m_pGridCtrl->OnDrop(pDataObject, dropEffect, point);
}
