// CProps: the project options dialog (confirmation of critical actions, the IED file viewer).
#pragma once
#include "framework/ui.h"

class CProps : public CDialog {
    DECLARE_DYNAMIC(CProps)
public:
    explicit CProps(CWnd* pParent = nullptr);

    // Profile section and entries of the options.
    static constexpr char kSection[] = "Props";
    static constexpr char kWarnings[] = "Warnings";
    static constexpr char kEditor[] = "Editor";
    static constexpr char kLastPath[] = "LastPath";
    static constexpr char kDefaultEditor[] = "notepad.exe";

    BOOL OnInitDialog() override;
    // Writes "Warnings" (1 when checked, else 0) and "Editor" as typed.
    void OnOK() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Chooses the editor program; the chosen path goes to the edit and to "LastPath".
    afx_msg void OnSelectEditor();

    DECLARE_MESSAGE_MAP()

private:
    BOOL m_warnings = TRUE;
    CString m_editor;
};
