// CMonitorGridDropTarget: connects one monitor grid to OLE drag and drop.
#pragma once

#include "framework/oledrop.h"

class CMonitorGrid;

// Registers with one grid only; drag events over that grid go to its drag hooks.
class CMonitorGridDropTarget : public COleDropTarget {
    DECLARE_DYNAMIC(CMonitorGridDropTarget)
public:
    CMonitorGridDropTarget() = default;

    BOOL Register(CMonitorGrid* pGridCtrl);
    void Revoke() override;
    BOOL IsRegistered() const { return m_bRegistered; }

    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    void OnDragLeave(CWnd* pWnd) override;
    BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;

private:
    bool IsOurGrid(const CWnd* pWnd) const;

    CMonitorGrid* m_pGridCtrl = nullptr;
    BOOL m_bRegistered = FALSE;
};
