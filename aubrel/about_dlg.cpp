#include "aubrel/about_dlg.h"

#include "aubrel/app_version.h"
#include "aubrel/library_module.h"
#include "aubrel/res/resource.h"

namespace {

const char kCaptionFormat[] = "About %s";
const char kBetaMark[] = "  ** BETA ** ";
const char kLibraryVersionPrefix[] = "Korvane About Version : ";
const char kShowDetails[] = "&Details >>";
const char kHideDetails[] = "<< &Details";
// Space kept below the frame when the box is collapsed, in pixels.
constexpr int kCollapsedMargin = 1;
// The version line's colour, and the library's own texts in the details area.
constexpr COLORREF kVersionColour = RGB(0x0a, 0x2a, 0x5c);
constexpr COLORREF kDetailsColour = RGB(0x50, 0x50, 0x50);

CString TextOrEmpty(LPCSTR text)
{
    CString result;
    if (text != nullptr)
        result.Format("%s", text);
    return result;
}

// The version line: the record's version, with "  ** BETA ** " for a beta release.
CString VersionText(const AboutRecord& about)
{
    CString text = TextOrEmpty(about.version);
    if (about.beta != 0)
        text += kBetaMark;
    return text;
}

// The library's copyright notice with years, or with its own years when years is null or empty.
CString LibraryCopyright(LPCSTR years)
{
    const bool ownYears = years == nullptr || *years == '\0';
    const CString shownYears = ownYears ? CString(MAKEINTRESOURCEA(IDS_ABOUT_YEARS)) : CString(years);
    CString text;
    text.Format(IDS_ABOUT_COPYRIGHT, static_cast<LPCSTR>(shownYears));
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(CAubrelAboutDlg, CDialog)
    ON_BN_CLICKED(IDC_ABOUT_DETAILS, &CAubrelAboutDlg::OnDetails)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CAubrelAboutDlg::CAubrelAboutDlg(const AboutRecord& about, const LinkRecord* link, CWnd* pParent)
    : CDialog(IDD_ABOUT, pParent), m_about(about), m_link(link)
{
}

BOOL CAubrelAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CRect window;
    GetWindowRect(&window);
    m_fullSize = window.Size();
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ShowDetails(false);

    FillTexts();
    ShowLink();

    LOGFONTA logFont = {};
    if (CFont* font = GetFont(); font != nullptr && font->GetLogFont(&logFont) != 0) {
        logFont.lfWeight = FW_BOLD;
        m_boldFont.CreateFontIndirect(&logFont);
        if (CWnd* version = GetDlgItem(IDC_ABOUT_VERSION))
            version->SetFont(&m_boldFont);
    }
    return TRUE;
}

void CAubrelAboutDlg::FillTexts()
{
    CString caption;
    caption.Format(kCaptionFormat, static_cast<LPCSTR>(TextOrEmpty(m_about.appName)));
    SetWindowText(caption);
    SetDlgItemText(IDC_ABOUT_VERSION, VersionText(m_about));
    SetDlgItemText(IDC_ABOUT_LINE1, TextOrEmpty(m_about.line1));
    SetDlgItemText(IDC_ABOUT_LINE2, TextOrEmpty(m_about.line2));
    const bool ownCompany = m_about.company == nullptr;
    SetDlgItemText(IDC_ABOUT_COMPANY,
                   ownCompany ? CString(MAKEINTRESOURCEA(IDS_ABOUT_COMPANY)) : TextOrEmpty(m_about.company));
    if (m_about.copyright != nullptr) {
        SetDlgItemText(IDC_ABOUT_COPYRIGHT, TextOrEmpty(m_about.copyright));
        SetDlgItemText(IDC_ABOUT_LEGAL, "");
    } else {
        SetDlgItemText(IDC_ABOUT_COPYRIGHT, LibraryCopyright(m_about.copyrightYears));
        SetDlgItemText(IDC_ABOUT_LEGAL, CString(MAKEINTRESOURCEA(IDS_ABOUT_LEGAL)));
    }
    if (m_about.icon != nullptr)
        SendDlgItemMessage(IDC_ABOUT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(m_about.icon));
    SetDlgItemText(IDC_ABOUT_LIBRARY_VERSION, kLibraryVersionPrefix + ReadAppVersion(LibraryModule()).text);
}

void CAubrelAboutDlg::ShowLink()
{
    CWnd* linkControl = GetDlgItem(IDC_ABOUT_LINK);
    if (linkControl == nullptr)
        return;
    if (m_link == nullptr || m_link->text == nullptr || m_link->target == nullptr) {
        linkControl->ShowWindow(SW_HIDE);
        return;
    }
    linkControl->SetWindowText(TextOrEmpty(m_link->text));
    m_hyperLink.SetURL(TextOrEmpty(m_link->target));
    m_hyperLink.SubclassDlgItem(IDC_ABOUT_LINK, this);
}

void CAubrelAboutDlg::ShowDetails(bool expanded)
{
    m_expanded = expanded;
    int height = m_fullSize.cy;
    if (!expanded) {
        CRect frame;
        if (CWnd* frameControl = GetDlgItem(IDC_ABOUT_FRAME)) {
            frameControl->GetWindowRect(&frame);
            CRect window;
            GetWindowRect(&window);
            CRect client;
            GetClientRect(&client);
            ClientToScreen(&client);
            // Keep the border below the client area as it is.
            height = frame.top - window.top + kCollapsedMargin + (window.bottom - client.bottom);
        }
    }
    SetWindowPos(nullptr, 0, 0, m_fullSize.cx, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetDlgItemText(IDC_ABOUT_DETAILS, expanded ? kHideDetails : kShowDetails);
}

void CAubrelAboutDlg::OnDetails()
{
    ShowDetails(!m_expanded);
}

HBRUSH CAubrelAboutDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    const HBRUSH brush = reinterpret_cast<HBRUSH>(Default());
    if (nCtlColor != CTLCOLOR_STATIC || pWnd == nullptr)
        return brush;
    switch (pWnd->GetDlgCtrlID()) {
    case IDC_ABOUT_VERSION:
        pDC->SetTextColor(kVersionColour);
        break;
    case IDC_ABOUT_LIBRARY_VERSION:
    case IDC_ABOUT_LEGAL:
        pDC->SetTextColor(kDetailsColour);
        break;
    default:
        break;
    }
    return brush;
}
