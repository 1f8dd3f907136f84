#include "corvel/controls/ret_controls.h"

#include "corvel/gateway/ip_settings_check.h"

namespace {

bool IsEnterKeyDown(const MSG* pMsg)
{
    return pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN;
}

bool IsDigitCharacter(UINT nChar)
{
    return (nChar >= '0' && nChar <= '9') || nChar == ':' || nChar == VK_BACK;
}

} // namespace

IMPLEMENT_DYNAMIC(CRetEdit, CEdit)

BEGIN_MESSAGE_MAP(CRetEdit, CEdit)
    ON_WM_CHAR()
END_MESSAGE_MAP()

BOOL CRetEdit::PreTranslateMessage(MSG* pMsg)
{
    if (IsEnterKeyDown(pMsg))
        return TRUE;
    return CEdit::PreTranslateMessage(pMsg);
}

void CRetEdit::OnChar(UINT nChar, UINT, UINT)
{
    if (m_digitsOnly && !IsDigitCharacter(nChar))
        return;
    Default();
}

IMPLEMENT_DYNAMIC(CRetIPAddrCtrl, CIPAddressCtrl)

BOOL CRetIPAddrCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (IsEnterKeyDown(pMsg))
        return TRUE;
    return CIPAddressCtrl::PreTranslateMessage(pMsg);
}

CString CRetIPAddrCtrl::GetAddressText() const
{
    return ReadAddressText(*this);
}

void CRetIPAddrCtrl::SetAddressText(const CString& address)
{
    ShowAddressText(*this, address);
}

CString ReadAddressText(const CIPAddressCtrl& control)
{
    BYTE field[Corvel::Gateway::kAddressOctets] = {};
    control.GetAddress(field[0], field[1], field[2], field[3]);
    CString address;
    address.Format("%u.%u.%u.%u", field[0], field[1], field[2], field[3]);
    return address;
}

void ShowAddressText(CIPAddressCtrl& control, const CString& address)
{
    int field[Corvel::Gateway::kAddressOctets] = {};
    Corvel::Gateway::SplitAddressOctets(address, field);
    control.SetAddress(static_cast<BYTE>(field[0]), static_cast<BYTE>(field[1]), static_cast<BYTE>(field[2]),
                       static_cast<BYTE>(field[3]));
}
