// CPrintInfo, CPrintDialog: the state of a print job and the platform's print dialog, with a hook that answers it in tests.
#pragma once

#include "framework/geometry.h"
#include "framework/strings.h"

#include <commdlg.h>

#include <functional>

class CPrintDialog;
class CWnd;

// What the printing hooks of a window know about the job: the page range, the page being printed and the
// print dialog that gives the printer.
class CPrintInfo {
public:
    CPrintInfo();
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    void SetMinPage(UINT nMinPage) { m_nMinPage = nMinPage; }
    void SetMaxPage(UINT nMaxPage) { m_nMaxPage = nMaxPage; }
    UINT GetMinPage() const { return m_nMinPage; }
    UINT GetMaxPage() const { return m_nMaxPage; }
    // The pages the user asked for: the whole range unless a part was chosen.
    UINT GetFromPage() const { return m_nFromPage != 0 ? m_nFromPage : m_nMinPage; }
    UINT GetToPage() const { return m_nToPage != 0 ? m_nToPage : m_nMaxPage; }
    void SetPageRange(UINT nFromPage, UINT nToPage)
    {
        m_nFromPage = nFromPage;
        m_nToPage = nToPage;
    }

    // The dialog that chooses the printer (all pages, no page numbers, no selection); owned.
    CPrintDialog* m_pPD = nullptr;
    BOOL m_bDirect = FALSE;
    BOOL m_bPreview = FALSE;
    // Cleared by a page hook to end the job early.
    BOOL m_bContinuePrinting = TRUE;
    // The page being printed, from 1.
    UINT m_nCurPage = 1;
    CString m_strPageDesc;
    LPVOID m_lpUserData = nullptr;
    // The printable area of the page, in device units.
    CRect m_rectDraw;

private:
    UINT m_nMinPage = 1;
    UINT m_nMaxPage = 0xFFFF;
    UINT m_nFromPage = 0;
    UINT m_nToPage = 0;
};

// The platform's print dialog returning a printer DC.
class CPrintDialog {
public:
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                          PD_NOSELECTION,
                          CWnd* pParentWnd = nullptr);
    virtual ~CPrintDialog();
    CPrintDialog(const CPrintDialog&) = delete;
    CPrintDialog& operator=(const CPrintDialog&) = delete;

    // Shows the dialog (or asks the hook); IDOK when the user chose a printer.
    virtual INT_PTR DoModal();
    // Fills m_pd with the default printer's device mode and names without showing anything; FALSE when there
    // is no default printer.
    BOOL GetDefaults();
    // The chosen printer's DC; the caller deletes it. Null before DoModal's IDOK.
    HDC GetPrinterDC() const { return m_pd.hDC; }
    // A DC of the printer that m_pd's names and device mode give (after GetDefaults); the caller deletes it.
    HDC CreatePrinterDC();

    PRINTDLGA m_pd;
};

// Answers a print dialog instead of showing it: sets pd.hDC (a DC the
// printing code then owns) and returns IDOK, or returns IDCANCEL.
using PrintDialogHook = std::function<INT_PTR(PRINTDLGA& pd)>;

// Installs a hook (an empty one restores the real dialog); returns the one it replaces.
PrintDialogHook SetPrintDialogHook(PrintDialogHook hook);
