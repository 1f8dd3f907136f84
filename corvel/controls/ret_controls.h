// CRetEdit, CRetIPAddrCtrl: an edit and an IP address control on which Enter does nothing; the address
// control's text helpers.
#pragma once

#include "framework/ipaddress.h"
#include "framework/ui.h"

// Edit on which Enter neither closes the dialog nor reaches the control; optionally takes digits only.
class CRetEdit : public CEdit {
    DECLARE_DYNAMIC(CRetEdit)
public:
    // On: every character other than '0' to '9', ':' and Backspace is dropped.
    void SetDigitsOnly(bool digitsOnly) { m_digitsOnly = digitsOnly; }
    bool IsDigitsOnly() const { return m_digitsOnly; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()

private:
    bool m_digitsOnly = false;
};

// IP address control on which Enter does not close the dialog. The address travels as dotted text.
class CRetIPAddrCtrl : public CIPAddressCtrl {
    DECLARE_DYNAMIC(CRetIPAddrCtrl)
public:
    BOOL PreTranslateMessage(MSG* pMsg) override;
    CString GetAddressText() const;
    void SetAddressText(const CString& address);
};

// An address control's four fields as dotted text ("0.0.0.0" when blank), and dotted text shown in one.
CString ReadAddressText(const CIPAddressCtrl& control);
void ShowAddressText(CIPAddressCtrl& control, const CString& address);
