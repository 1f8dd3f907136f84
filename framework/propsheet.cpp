#include "framework/propsheet.h"

#include "framework/exceptions.h"
#include "framework/module.h"
#include "framework/winapp.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

// ---------------------------------------------------------------------------
// The page.

CPropertyPage::CPropertyPage() : m_psp(), m_bFirstSetActive(TRUE)
{
    Construct(0, 0);
}

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : m_psp(), m_bFirstSetActive(TRUE)
{
    Construct(nIDTemplate, nIDCaption);
}

CPropertyPage::~CPropertyPage() = default;

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption)
{
    m_lpszTemplateName = MAKEINTRESOURCEA(nIDTemplate);
    m_nIDHelp = nIDTemplate;
    m_psp = {};
    m_psp.dwSize = sizeof(m_psp);
    m_psp.dwFlags = PSP_DEFAULT;
    m_psp.hInstance = AfxGetResourceHandle();
    m_psp.pszTemplate = m_lpszTemplateName;
    m_psp.pfnDlgProc = PageDlgProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
    m_strCaption.Empty();
    if (nIDCaption != 0 && m_strCaption.LoadString(nIDCaption)) {
        m_psp.dwFlags |= PSP_USETITLE;
        m_psp.pszTitle = m_strCaption;
    }
}

// The system creates the page's window; it becomes this object's at WM_INITDIALOG,
// whose lParam is the page's description.
INT_PTR CALLBACK CPropertyPage::PageDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    const auto* pDescription = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
    auto* pPage = pDescription != nullptr ? reinterpret_cast<CPropertyPage*>(pDescription->lParam) : nullptr;
    if (pPage == nullptr || !pPage->SubclassWindow(hWnd))
        return TRUE;
    try {
        return pPage->OnInitDialog();
    } catch (CException* e) {
        e->ReportError();
        e->Delete();
        return FALSE;
    }
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_bFirstSetActive) {
        m_bFirstSetActive = FALSE;
        return TRUE;
    }
    return UpdateData(FALSE);
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

BOOL CPropertyPage::OnQueryCancel()
{
    return TRUE;
}

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

void CPropertyPage::SetModified(BOOL bChanged)
{
    CWnd* pSheet = GetParent();
    if (pSheet != nullptr)
        pSheet->SendMessage(bChanged ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd));
}

CPropertySheet* CPropertyPage::GetParentSheet() const
{
    return DYNAMIC_DOWNCAST(CPropertySheet, GetParent());
}

BOOL CPropertyPage::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* pHeader = reinterpret_cast<const NMHDR*>(lParam);
    LRESULT result = 0;
    switch (pHeader->code) {
    case PSN_SETACTIVE:
        result = OnSetActive() ? 0 : -1;
        break;
    case PSN_KILLACTIVE:
        result = OnKillActive() ? FALSE : TRUE;
        break;
    case PSN_APPLY:
        result = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        break;
    case PSN_RESET:
        OnReset();
        break;
    case PSN_QUERYCANCEL:
        result = OnQueryCancel() ? FALSE : TRUE;
        break;
    default:
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
    // The sheet reads the answer as the message's result, as a dialog's.
    ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
    *pResult = result;
    return TRUE;
}

// ---------------------------------------------------------------------------
// The sheet.

CPropertySheet::CPropertySheet() : m_psh(), m_pParentWnd(nullptr), m_bInModalLoop(false)
{
    Construct(nullptr);
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_psh(), m_pParentWnd(nullptr), m_bInModalLoop(false)
{
    CString caption;
    caption.LoadString(nIDCaption);
    Construct(caption, pParentWnd, iSelectPage);
}

CPropertySheet::CPropertySheet(LPCSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_psh(), m_pParentWnd(nullptr), m_bInModalLoop(false)
{
    Construct(pszCaption, pParentWnd, iSelectPage);
}

CPropertySheet::~CPropertySheet()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

void CPropertySheet::Construct(LPCSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    m_strCaption = pszCaption != nullptr ? pszCaption : "";
    m_pParentWnd = pParentWnd;
    m_psh = {};
    m_psh.dwSize = sizeof(m_psh);
    m_psh.dwFlags = PSH_PROPSHEETPAGE;
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.pszCaption = m_strCaption;
    m_psh.nStartPage = iSelectPage;
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (pPage != nullptr)
        m_pages.push_back(pPage);
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    if (nPage < 0 || nPage >= GetPageCount())
        AfxThrowInvalidArgException();
    return m_pages[static_cast<size_t>(nPage)];
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    if (m_hWnd == nullptr)
        return nullptr;
    HWND hPage = reinterpret_cast<HWND>(::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0));
    return hPage != nullptr ? DYNAMIC_DOWNCAST(CPropertyPage, CWnd::FromHandlePermanent(hPage)) : nullptr;
}

int CPropertySheet::GetActiveIndex() const
{
    if (m_hWnd == nullptr)
        return static_cast<int>(m_psh.nStartPage);
    CTabCtrl* pTab = GetTabControl();
    return pTab != nullptr ? pTab->GetCurSel() : -1;
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (m_hWnd == nullptr) {
        m_psh.nStartPage = static_cast<UINT>(nPage);
        return TRUE;
    }
    return ::SendMessageA(m_hWnd, PSM_SETCURSEL, static_cast<WPARAM>(nPage), 0) != 0;
}

CTabCtrl* CPropertySheet::GetTabControl() const
{
    return m_wndTab.GetSafeHwnd() != nullptr ? &m_wndTab : nullptr;
}

void CPropertySheet::BuildPageArray()
{
    m_pageInfos.clear();
    for (CPropertyPage* pPage : m_pages) {
        pPage->m_bFirstSetActive = TRUE;
        m_pageInfos.push_back(pPage->m_psp);
    }
    m_psh.dwFlags |= PSH_PROPSHEETPAGE;
    m_psh.nPages = static_cast<UINT>(m_pageInfos.size());
    m_psh.ppsp = m_pageInfos.data();
    m_psh.pszCaption = m_strCaption;
}

INT_PTR CPropertySheet::DoModal()
{
    if (m_hWnd != nullptr || m_pages.empty())
        return -1;
    const HWND hOwner = ModalOwnerOf(m_pParentWnd);
    m_bInModalLoop = true;
    const INT_PTR result = RunModalWindow(hOwner, [&] {
        // The system's sheet is made modeless and runs in the framework's modal loop.
        BuildPageArray();
        m_psh.dwFlags |= PSH_MODELESS;
        m_psh.hwndParent = hOwner;
        AfxHookWindowCreate(this);
        const INT_PTR created = ::PropertySheetA(&m_psh);
        AfxUnhookWindowCreate();
        m_psh.dwFlags &= ~PSH_MODELESS;
        return created != 0 && created != -1;
    });
    m_bInModalLoop = false;
    return result;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd)
{
    if (m_hWnd != nullptr || m_pages.empty())
        return FALSE;
    if (pParentWnd != nullptr)
        m_pParentWnd = pParentWnd;
    CWnd* pOwner = m_pParentWnd != nullptr ? m_pParentWnd : AfxGetMainWnd();
    BuildPageArray();
    m_psh.dwFlags |= PSH_MODELESS;
    m_psh.hwndParent = pOwner != nullptr ? pOwner->GetSafeHwnd() : nullptr;
    AfxHookWindowCreate(this);
    const INT_PTR created = ::PropertySheetA(&m_psh);
    AfxUnhookWindowCreate();
    m_psh.dwFlags &= ~PSH_MODELESS;
    return created != 0 && created != -1 && m_hWnd != nullptr;
}

void CPropertySheet::EndDialog(int nResult)
{
    if (m_bInModalLoop)
        EndModalLoop(nResult);
}

BOOL CPropertySheet::ContinueModal()
{
    if (!CWnd::ContinueModal())
        return FALSE;
    // The system ends its sheet by leaving it without a current page.
    if (m_hWnd == nullptr || ::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) == 0) {
        EndModalLoop(IDCANCEL);
        return FALSE;
    }
    return TRUE;
}

BOOL CPropertySheet::OnInitDialog()
{
    return TRUE;
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (m_hWnd == nullptr || pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    return ::SendMessageA(m_hWnd, PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(pMsg)) != 0;
}

LRESULT CPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        // The system sets up the tab, the buttons and the first page first.
        const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
        m_wndTab.Attach(reinterpret_cast<HWND>(::SendMessageA(m_hWnd, PSM_GETTABCONTROL, 0, 0)));
        OnInitDialog();
        return result;
    }
    if (message == WM_DESTROY)
        m_wndTab.Detach();
    const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
    const bool closing = (message == WM_COMMAND || message == WM_SYSCOMMAND || message == WM_CLOSE) &&
                         m_hWnd != nullptr && ::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) == 0;
    if (closing && m_bInModalLoop) {
        const UINT nID = LOWORD(wParam);
        if (message == WM_COMMAND && (nID == IDOK || nID == IDCANCEL))
            EndModalLoop(static_cast<int>(nID));
    } else if (closing) {
        // A modeless sheet the system has ended goes at once.
        DestroyWindow();
    }
    return result;
}
