#include "framework/dialog.h"

#include "framework/error_report.h"
#include "framework/exceptions.h"
#include "framework/winapp.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

namespace {

// The dialog procedure under our window procedure: only WM_INITDIALOG needs it.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    CDialog* pDialog = DYNAMIC_DOWNCAST(CDialog, CWnd::FromHandlePermanent(hWnd));
    if (pDialog == nullptr)
        return TRUE;
    try {
        return pDialog->OnInitDialog();
    } catch (...) {
        AfxReportCurrentException();
        pDialog->EndDialog(-1);
        return FALSE;
    }
}

} // namespace

CDialog::CDialog()
    : m_lpszTemplateName(nullptr), m_nIDHelp(0), m_pParentWnd(nullptr), m_bInModalLoop(false)
{
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog()
{
    m_lpszTemplateName = MAKEINTRESOURCEA(nIDTemplate);
    m_nIDHelp = nIDTemplate;
    m_pParentWnd = pParentWnd;
}

CDialog::CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd) : CDialog()
{
    m_lpszTemplateName = lpszTemplateName;
    m_pParentWnd = pParentWnd;
}

CDialog::~CDialog()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd)
{
    m_lpDialogTemplate = lpDialogTemplate;
    if (pParentWnd != nullptr)
        m_pParentWnd = pParentWnd;
    return lpDialogTemplate != nullptr;
}

LPCDLGTEMPLATEA CDialog::LoadTemplate() const
{
    if (m_lpDialogTemplate != nullptr)
        return m_lpDialogTemplate;
    if (m_lpszTemplateName == nullptr)
        return nullptr;
    HINSTANCE hInstance = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceA(hInstance, m_lpszTemplateName, MAKEINTRESOURCEA(5)); // RT_DIALOG
    if (hResource == nullptr)
        return nullptr;
    HGLOBAL hTemplate = ::LoadResource(hInstance, hResource);
    return hTemplate != nullptr ? static_cast<LPCDLGTEMPLATEA>(::LockResource(hTemplate)) : nullptr;
}

BOOL CDialog::CreateFromTemplate(LPCDLGTEMPLATEA lpTemplate, HWND hWndParent)
{
    if (m_hWnd != nullptr || lpTemplate == nullptr)
        return FALSE;
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamA(AfxGetResourceHandle(), lpTemplate, hWndParent, AfxDlgProc, 0);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();
    return hWnd != nullptr;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName))
        m_nIDHelp = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName));
    if (pParentWnd != nullptr)
        m_pParentWnd = pParentWnd;
    return CreateIndirect(LoadTemplate(), m_pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd)
{
    CWnd* pParent = pParentWnd != nullptr ? pParentWnd : AfxGetMainWnd();
    return CreateFromTemplate(lpDialogTemplate, pParent != nullptr ? pParent->m_hWnd : nullptr);
}

INT_PTR CDialog::DoModal()
{
    LPCDLGTEMPLATEA lpTemplate = LoadTemplate();
    if (lpTemplate == nullptr)
        return -1;
    const HWND hOwner = ModalOwnerOf(m_pParentWnd);
    m_bInModalLoop = true;
    const INT_PTR result = RunModalWindow(hOwner, [&] { return CreateFromTemplate(lpTemplate, hOwner); });
    m_bInModalLoop = false;
    return result;
}

void CDialog::EndDialog(int nResult)
{
    if (m_bInModalLoop) {
        EndModalLoop(nResult);
        return;
    }
    m_nModalResult = nResult;
    if (m_hWnd != nullptr)
        ShowWindow(SW_HIDE);
}

BOOL CDialog::OnInitDialog()
{
    if (!UpdateData(FALSE)) {
        EndDialog(-1);
        return FALSE;
    }
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (m_hWnd == nullptr || pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    return ::IsDialogMessageA(m_hWnd, pMsg);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), TRUE);
}

void CDialog::NextDlgCtrl() const
{
    SendMessage(WM_NEXTDLGCTL, 0, FALSE);
}

void CDialog::PrevDlgCtrl() const
{
    SendMessage(WM_NEXTDLGCTL, 1, FALSE);
}

void CDialog::SetDefID(UINT nID)
{
    SendMessage(DM_SETDEFID, nID);
}

DWORD CDialog::GetDefID() const
{
    return static_cast<DWORD>(SendMessage(DM_GETDEFID));
}
