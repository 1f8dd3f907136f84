#include "corvel/workspace/props_dlg.h"

#include "corvel/resources/resource.h"
#include "corvel/model/product.h"

IMPLEMENT_DYNAMIC(CProps, CDialog)

BEGIN_MESSAGE_MAP(CProps, CDialog)
    ON_BN_CLICKED(IDC_PROPS_SELECT, &CProps::OnSelectEditor)
END_MESSAGE_MAP()

CProps::CProps(CWnd* pParent) : CDialog(IDD_PROPS, pParent) {}

void CProps::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_PROPS_WARNINGS, m_warnings);
    DDX_Text(pDX, IDC_PROPS_EDITOR, m_editor);
}

BOOL CProps::OnInitDialog()
{
    CWinApp* app = AfxGetApp();
    m_warnings = app->GetProfileInt(kSection, kWarnings, 1) == 1;
    m_editor = app->GetProfileString(kSection, kEditor, kDefaultEditor);
    const BOOL result = CDialog::OnInitDialog();
    SetWindowText(kProductTitle);
    return result;
}

void CProps::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    CWinApp* app = AfxGetApp();
    app->WriteProfileInt(kSection, kWarnings, m_warnings ? 1 : 0);
    app->WriteProfileString(kSection, kEditor, m_editor);
    EndDialog(IDOK);
}

void CProps::OnSelectEditor()
{
    CWinApp* app = AfxGetApp();
    const CString lastPath = app->GetProfileString(kSection, kLastPath, "");
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_EXPLORER, nullptr, this);
    dialog.m_ofn.lpstrInitialDir = lastPath;
    if (dialog.DoModal() != IDOK)
        return;
    const CString path = dialog.GetPathName();
    SetDlgItemText(IDC_PROPS_EDITOR, path);
    app->WriteProfileString(kSection, kLastPath, path);
}
