// CIPAddressCtrl: the four-field IPv4 address control.
#pragma once

#include "framework/wnd.h"

class CIPAddressCtrl : public CWnd {
    DECLARE_DYNAMIC(CIPAddressCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // The four fields; returns how many of them are not blank.
    int GetAddress(BYTE& nField0, BYTE& nField1, BYTE& nField2, BYTE& nField3) const;
    int GetAddress(DWORD& dwAddress) const;
    void SetAddress(BYTE nField0, BYTE nField1, BYTE nField2, BYTE nField3);
    void SetAddress(DWORD dwAddress);
    void ClearAddress();
    BOOL IsBlank() const;
    void SetFieldFocus(WORD nField);
};
