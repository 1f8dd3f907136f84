// CPropertyPage, CPropertySheet: tabbed dialogs on the system's property sheet, modal in the framework's own loop.
#pragma once

#include "framework/controls.h"
#include "framework/dialog.h"

#include <prsht.h>

#include <vector>

class CPropertySheet;

// One page of a property sheet: a dialog template the sheet shows under its tab.
class CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CPropertyPage();
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    ~CPropertyPage() override;

    void Construct(UINT nIDTemplate, UINT nIDCaption = 0);

    // The page's description handed to the system (template, title, flags).
    // A page may point pResource at a template of its own (PSP_DLGINDIRECT).
    PROPSHEETPAGEA m_psp;

    // PSN_SETACTIVE: loads the controls (not the first time, which
    // OnInitDialog did); FALSE keeps the page from being shown.
    virtual BOOL OnSetActive();
    // PSN_KILLACTIVE: reads and checks the controls; FALSE keeps the page.
    virtual BOOL OnKillActive();
    // PSN_APPLY: OnOK; FALSE keeps the sheet open on this page.
    virtual BOOL OnApply();
    // PSN_RESET: OnCancel.
    virtual void OnReset();
    // PSN_QUERYCANCEL: FALSE keeps the sheet open.
    virtual BOOL OnQueryCancel();
    // Pages do not end anything themselves: the sheet does.
    void OnOK() override;
    void OnCancel() override;

    void SetModified(BOOL bChanged = TRUE);
    // The sheet the page stands in, or null.
    CPropertySheet* GetParentSheet() const;

    // The sheet's modal loop walks up to the sheet, which does the keyboard navigation.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    friend class CPropertySheet;
    static INT_PTR CALLBACK PageDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    CString m_strCaption;
    BOOL m_bFirstSetActive;
};

// A property sheet: the pages under a tab control with OK and Cancel.
class CPropertySheet : public CWnd {
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CPropertySheet() override;

    void Construct(LPCSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    // The sheet's description handed to the system (flags, caption, start page).
    PROPSHEETHEADERA m_psh;

    // Pages stay the caller's; they are shown in the order added.
    void AddPage(CPropertyPage* pPage);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int nPage) const;
    // The page shown, or null (also once the sheet has ended).
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    BOOL SetActivePage(int nPage);
    // The sheet's tab control, or null before the sheet exists.
    CTabCtrl* GetTabControl() const;

    // Modal: disables the owner, runs the modal loop until OK, Cancel or
    // EndDialog and returns IDOK or IDCANCEL (-1 when the sheet cannot be made).
    virtual INT_PTR DoModal();
    // Ends the modal sheet with nResult.
    void EndDialog(int nResult);
    // Modeless: creates the sheet and returns at once. The sheet's window goes when the user closes it.
    virtual BOOL Create(CWnd* pParentWnd = nullptr);

    // Called once the system has set the sheet up (its tab, buttons and first page).
    virtual BOOL OnInitDialog();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL ContinueModal() override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CWnd* m_pParentWnd;

private:
    // Fills the page descriptions and points the header at them.
    void BuildPageArray();

    // The system's tab control, attached (not subclassed) while the sheet exists.
    mutable CTabCtrl m_wndTab;
    std::vector<CPropertyPage*> m_pages;
    std::vector<PROPSHEETPAGEA> m_pageInfos;
    CString m_strCaption;
    bool m_bInModalLoop;
};
