// CAubrelAboutDlg: the library's about box (dialog 2001), filled from the caller's about and link records.
#pragma once

#include "aubrel/aubrel.h"
#include "common/hyperlink.h"
#include "framework/ui.h"

class CAubrelAboutDlg : public CDialog {
public:
    // link may be null (ShowAbout); both records stay the caller's.
    CAubrelAboutDlg(const AboutRecord& about, const LinkRecord* link, CWnd* pParent);

protected:
    BOOL OnInitDialog() override;

    afx_msg void OnDetails();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

    DECLARE_MESSAGE_MAP()

private:
    void FillTexts();
    void ShowLink();
    // Sizes the box to end at the frame (collapsed) or to its whole template (expanded).
    void ShowDetails(bool expanded);

    const AboutRecord& m_about;
    const LinkRecord* m_link;
    CHyperLink m_hyperLink;
    CFont m_boldFont;
    CSize m_fullSize;
    bool m_expanded = true;
};
