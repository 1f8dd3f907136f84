#include "framework/ipaddress.h"

#include <commctrl.h>

IMPLEMENT_DYNAMIC(CIPAddressCtrl, CWnd)

BOOL CIPAddressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_IPADDRESSA, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CIPAddressCtrl::GetAddress(DWORD& dwAddress) const
{
    dwAddress = 0;
    return static_cast<int>(SendMessage(IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&dwAddress)));
}

int CIPAddressCtrl::GetAddress(BYTE& nField0, BYTE& nField1, BYTE& nField2, BYTE& nField3) const
{
    DWORD address = 0;
    const int filled = GetAddress(address);
    nField0 = static_cast<BYTE>(FIRST_IPADDRESS(address));
    nField1 = static_cast<BYTE>(SECOND_IPADDRESS(address));
    nField2 = static_cast<BYTE>(THIRD_IPADDRESS(address));
    nField3 = static_cast<BYTE>(FOURTH_IPADDRESS(address));
    return filled;
}

void CIPAddressCtrl::SetAddress(DWORD dwAddress)
{
    SendMessage(IPM_SETADDRESS, 0, static_cast<LPARAM>(dwAddress));
}

void CIPAddressCtrl::SetAddress(BYTE nField0, BYTE nField1, BYTE nField2, BYTE nField3)
{
    SetAddress(static_cast<DWORD>(MAKEIPADDRESS(nField0, nField1, nField2, nField3)));
}

void CIPAddressCtrl::ClearAddress()
{
    SendMessage(IPM_CLEARADDRESS);
}

BOOL CIPAddressCtrl::IsBlank() const
{
    return static_cast<BOOL>(SendMessage(IPM_ISBLANK));
}

void CIPAddressCtrl::SetFieldFocus(WORD nField)
{
    SendMessage(IPM_SETFOCUS, nField);
}
