// CMyTabCtrl1, CCommitPage: the tab control that switches between page dialogs and the page that writes its
// values back when its dialog is confirmed.
#pragma once

#include "framework/ui.h"

#include <vector>

// A page whose values go back into the project when the owning dialog is confirmed.
class CCommitPage {
public:
    virtual ~CCommitPage() = default;
    virtual void CommitSettings() = 0;
};

// A tab per page dialog. The owning dialog adds its pages (which it owns) before CreatePages; the pages are
// created as modeless children of the tab control's parent and live as long as the control.
class CMyTabCtrl1 : public CTabCtrl {
    DECLARE_DYNAMIC(CMyTabCtrl1)
public:
    // Records a page with its dialog template and tab caption; page 0 is the general page.
    void AddPage(CDialog* page, UINT templateId, LPCSTR caption);
    // Creates the pages, inserts their tabs and shows the first.
    void CreatePages();
    // Hides every page and shows the selected one over the tabs' display area.
    void ShowSelectedPage();
    // Asks the general page to write its values back.
    void CommitGeneralPage();

    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CDialog* GetPage(int index) const;

protected:
    void OnSelChange(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    struct Page {
        CDialog* dialog;
        UINT templateId;
        CString caption;
    };
    std::vector<Page> m_pages;
};
