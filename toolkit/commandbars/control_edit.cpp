#include "toolkit/commandbars/control_edit.h"

IMPLEMENT_DYNCREATE(CKitControlEdit, CKitControl)

CRect CKitControlEdit::GetSpinButtonsRect() const
{
    if (!m_bSpinButtons)
        return CRect();
    return CRect(m_rcControl.right - kSpinButtonsWidth, m_rcControl.top, m_rcControl.right, m_rcControl.bottom);
}
