#include "toolkit/commandbars/control.h"

#include "toolkit/commandbars/command_bar.h"

IMPLEMENT_DYNAMIC(CKitControl, CCmdTarget)
IMPLEMENT_DYNAMIC(CKitControlButton, CKitControl)
IMPLEMENT_DYNAMIC(CKitControlPopup, CKitControl)
IMPLEMENT_DYNAMIC(CKitControlEdit, CKitControl)
IMPLEMENT_DYNAMIC(CKitControlComboBox, CKitControl)

void CKitControl::SetCaption(LPCSTR lpszCaption)
{
    CString strCaption = lpszCaption != nullptr ? lpszCaption : "";
    const int nTab = strCaption.Find('\t');
    if (nTab >= 0) {
        m_strShortcutText = strCaption.Mid(nTab + 1);
        strCaption = strCaption.Left(nTab);
    }
    m_strCaption = strCaption;
}

int CKitControl::GetStyle() const
{
    if (m_nButtonCustomStyle != -1)
        return m_nButtonCustomStyle;
    if (m_nButtonStyle != 0)
        return m_nButtonStyle;
    if (m_nButtonDefaultStyle != 0)
        return m_nButtonDefaultStyle;
    return m_pParent != nullptr ? m_pParent->GetDefaultButtonStyle() : kitButtonAutomatic;
}

UINT CKitControl::GetIconId() const
{
    if (m_nCustomIconId != 0)
        return m_nCustomIconId;
    if (m_nIconId > 0)
        return m_nIconId;
    return m_nId;
}

CKitControlPopup::~CKitControlPopup()
{
    SetCommandBar(nullptr);
}

void CKitControlPopup::SetCommandBar(CKitCommandBar* pBar)
{
    if (m_pCommandBar != nullptr)
        m_pCommandBar->InternalRelease();
    m_pCommandBar = pBar;
}

CRect CKitControlEdit::GetSpinButtonsRect() const
{
    if (!m_bSpinButtons)
        return CRect();
    return CRect(m_rcControl.right - kSpinButtonsWidth, m_rcControl.top, m_rcControl.right, m_rcControl.bottom);
}
