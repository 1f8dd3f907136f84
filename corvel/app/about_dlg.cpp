#include "corvel/app/about_dlg.h"

#include "corvel/model/product.h"
#include "corvel/project/path_utils.h"

#include "corvel/resources/resource.h"

#include <vector>

namespace {

const char kAboutTitle[] = " About Korvane EIP-Tarnwell";
const char kVersionPrefix[] = "Software Version : ";
const char kProductVersionPath[] = "\\StringFileInfo\\040904E4\\ProductVersion";
const char kReleaseNotesFile[] = "readme.html";
const char kCompanyInfo[] = "Korvane\r\nGateway engineering tools for the VQN3x family";
const char kLegalNotice[] =
    "Warning: this program is protected by copyright law and international treaties.\r\n"
    "Unauthorized reproduction or distribution of this program, or any portion of it,\r\n"
    "may result in severe civil and criminal penalties, and will be prosecuted\r\n"
    "to the maximum extent possible under the law.";
constexpr int kProductFontHeight = 36;

} // namespace

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

CString CAboutDlg::ReadProductVersion()
{
    const CString program = AfxGetModuleFileName();
    CString text;
    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(program, &handle);
    std::vector<BYTE> info(size);
    if (size == 0 || !::GetFileVersionInfoA(program, 0, size, info.data())) {
        text.Format("GetFileVersionInfo Error is %d", static_cast<int>(::GetLastError()));
        return text;
    }
    LPVOID value = nullptr;
    UINT length = 0;
    if (!::VerQueryValueA(info.data(), kProductVersionPath, &value, &length) || value == nullptr) {
        text.Format("VerQueryValue Error is %d", static_cast<int>(::GetLastError()));
        return text;
    }
    text.Format("%s", static_cast<LPCSTR>(value));
    return text;
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_ABOUT_COMPANY, kCompanyInfo);
    SetDlgItemText(IDC_ABOUT_LEGAL, kLegalNotice);

    const CString version = ReadProductVersion();
    auto* frame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    if (frame != nullptr && frame->GetActiveDocument() != nullptr)
        SetDlgItemText(IDC_ABOUT_VERSION, kVersionPrefix + version);

    m_releaseNotes.SubclassDlgItem(IDC_ABOUT_RELEASE_NOTES, this);
    m_releaseNotes.SetURL(GetProgramFolder() + "\\" + kReleaseNotesFile);

    SetWindowText(kAboutTitle);
    m_productFont.CreateFont(kProductFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                             "Arial");
    if (CWnd* product = GetDlgItem(IDC_ABOUT_PRODUCT)) {
        product->SetFont(&m_productFont);
        product->SetWindowText(kProductTitle);
    }
    return TRUE;
}
