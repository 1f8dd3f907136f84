// CAboutDlg: Corvel's about box.
#pragma once
#include "framework/ui.h"
#include "common/hyperlink.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();

    // The program's product version ("\StringFileInfo\040904E4\ProductVersion"),
    // or the error text naming the call that failed and the system's error code.
    static CString ReadProductVersion();

protected:
    BOOL OnInitDialog() override;

private:
    CHyperLink m_releaseNotes;
    CFont m_productFont;
};
