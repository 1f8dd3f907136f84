#include "ostrel/app/ostrel_dialogs.h"

#include "ostrel/app/res/resource.h"

bool IsDottedIpAddress(const CString& text)
{
    int parts = 0;
    int digits = 0;
    int value = 0;
    for (int i = 0; i <= text.GetLength(); ++i) {
        const char c = i < text.GetLength() ? text[i] : '.';
        if (c >= '0' && c <= '9') {
            value = value * 10 + (c - '0');
            if (++digits > 3 || value > 255)
                return false;
            continue;
        }
        if (c != '.' || digits == 0)
            return false;
        ++parts;
        digits = 0;
        value = 0;
    }
    return parts == 4;
}

IPAddressDlg::IPAddressDlg(const CString& address, CWnd* pParent) : CDialog(IDD_IP_ADDRESS, pParent), m_address(address)
{
}

void IPAddressDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_IP_ADDRESS, m_address);
    if (pDX->m_bSaveAndValidate)
        m_address.Trim();
}

UpdateRateDlg::UpdateRateDlg(int rate, CWnd* pParent) : CDialog(IDD_UPDATE_RATE, pParent), m_rate(rate) {}

void UpdateRateDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_UPDATE_RATE, m_rate);
    DDV_MinMaxInt(pDX, m_rate, kMinUpdateRate, kMaxUpdateRate);
}

DoingDlg::DoingDlg(CWnd* pParent, LPCSTR text)
{
    if (Create(IDD_DOING, pParent)) {
        SetDlgItemText(IDC_DOING_TEXT, text);
        ShowWindow(SW_SHOW);
        UpdateWindow();
    }
}

CAboutDlg::CAboutDlg(CWnd* pParent) : CDialog(IDD_ABOUTBOX, pParent) {}
