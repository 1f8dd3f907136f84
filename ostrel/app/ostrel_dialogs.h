// IPAddressDlg, UpdateRateDlg, DoingDlg, CAboutDlg: Ostrel's small dialogs, and the check of a dotted IPv4 address.
#pragma once

#include "framework/dialog.h"

// The update rate's range, in whole seconds, and its start value.
constexpr int kMinUpdateRate = 1;
constexpr int kMaxUpdateRate = 60;
constexpr int kDefaultUpdateRate = 1;

// Whether text is an IPv4 address in dotted form: four decimal numbers of 0 to 255.
bool IsDottedIpAddress(const CString& text);

// Asks for the address of the module to monitor.
class IPAddressDlg : public CDialog {
public:
    explicit IPAddressDlg(const CString& address, CWnd* pParent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;

    CString m_address;
};

// Asks for the update rate, checked to 1..60 seconds.
class UpdateRateDlg : public CDialog {
public:
    explicit UpdateRateDlg(int rate, CWnd* pParent = nullptr);
    void DoDataExchange(CDataExchange* pDX) override;

    int m_rate;
};

// A modeless note ("Loading...") shown while the module is asked; it goes with the object.
class DoingDlg : public CDialog {
public:
    DoingDlg(CWnd* pParent, LPCSTR text);
};

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* pParent = nullptr);
};
