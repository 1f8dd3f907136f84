// CDialog: dialogs from templates, modeless or modal in the framework's own modal loop.
#pragma once

#include "framework/ddx.h"
#include "framework/wnd.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    using CWnd::Create;
    // Modeless: creates the dialog from its template and returns at once.
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    BOOL CreateIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd = nullptr);
    // A modal dialog from a template in memory (kept by the caller until DoModal returns).
    BOOL InitModalIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd = nullptr);

    // Modal: disables the owner, runs the modal loop until EndDialog and
    // returns its value (-1 when the dialog cannot be created).
    virtual INT_PTR DoModal();
    // Ends a modal dialog with nResult; hides a modeless one.
    void EndDialog(int nResult);

    // Called by WM_INITDIALOG; loads the controls (UpdateData(FALSE)).
    // TRUE lets the system give the focus to the first control.
    virtual BOOL OnInitDialog();
    // IDOK: UpdateData(TRUE), then EndDialog(IDOK) when it succeeds.
    virtual void OnOK();
    // IDCANCEL: EndDialog(IDCANCEL).
    virtual void OnCancel();

    // Dialog navigation (IsDialogMessage) for keys sent to the dialog or its controls.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    void GotoDlgCtrl(CWnd* pWndCtrl);
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void SetDefID(UINT nID);
    DWORD GetDefID() const;

    LPCSTR m_lpszTemplateName;
    UINT m_nIDHelp;
    CWnd* m_pParentWnd;

protected:
    bool m_bInModalLoop;
    LPCDLGTEMPLATEA m_lpDialogTemplate = nullptr;

    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateFromTemplate(LPCDLGTEMPLATEA lpTemplate, HWND hWndParent);
    LPCDLGTEMPLATEA LoadTemplate() const;
};
