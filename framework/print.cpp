#include "framework/print.h"

#include "framework/wnd.h"

#include <utility>

namespace {

PrintDialogHook& Hook()
{
    static PrintDialogHook hook;
    return hook;
}

} // namespace

PrintDialogHook SetPrintDialogHook(PrintDialogHook hook)
{
    std::swap(Hook(), hook);
    return hook;
}

CPrintInfo::CPrintInfo() : m_pPD(new CPrintDialog(FALSE)) {}

CPrintInfo::~CPrintInfo()
{
    delete m_pPD;
}

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd) : m_pd()
{
    m_pd.lStructSize = sizeof m_pd;
    m_pd.Flags = dwFlags | (bPrintSetupOnly ? PD_PRINTSETUP : PD_RETURNDC);
    m_pd.hwndOwner = pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr;
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = 0xFFFF;
    m_pd.nFromPage = 1;
    m_pd.nToPage = 0xFFFF;
    m_pd.nCopies = 1;
}

CPrintDialog::~CPrintDialog()
{
    if (m_pd.hDevMode != nullptr)
        ::GlobalFree(m_pd.hDevMode);
    if (m_pd.hDevNames != nullptr)
        ::GlobalFree(m_pd.hDevNames);
}

INT_PTR CPrintDialog::DoModal()
{
    m_pd.hDC = nullptr;
    if (Hook())
        return Hook()(m_pd);
    return ::PrintDlgA(&m_pd) ? IDOK : IDCANCEL;
}

BOOL CPrintDialog::GetDefaults()
{
    const DWORD flags = m_pd.Flags;
    m_pd.Flags = (flags | PD_RETURNDEFAULT | PD_NOWARNING) & ~PD_RETURNDC;
    m_pd.hDC = nullptr;
    const BOOL found = ::PrintDlgA(&m_pd);
    m_pd.Flags = flags;
    return found;
}

HDC CPrintDialog::CreatePrinterDC()
{
    if (m_pd.hDevNames == nullptr)
        return nullptr;
    const auto* names = static_cast<const DEVNAMES*>(::GlobalLock(m_pd.hDevNames));
    if (names == nullptr)
        return nullptr;
    const auto* mode = m_pd.hDevMode != nullptr ? static_cast<const DEVMODEA*>(::GlobalLock(m_pd.hDevMode)) : nullptr;
    const char* base = reinterpret_cast<const char*>(names);
    m_pd.hDC = ::CreateDCA(base + names->wDriverOffset, base + names->wDeviceOffset, nullptr, mode);
    if (mode != nullptr)
        ::GlobalUnlock(m_pd.hDevMode);
    ::GlobalUnlock(m_pd.hDevNames);
    return m_pd.hDC;
}
