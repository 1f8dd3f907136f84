#include "corvel/controls/page_tab_ctrl.h"

IMPLEMENT_DYNAMIC(CMyTabCtrl1, CTabCtrl)

BEGIN_MESSAGE_MAP(CMyTabCtrl1, CTabCtrl)
    ON_NOTIFY_REFLECT(TCN_SELCHANGE, &CMyTabCtrl1::OnSelChange)
END_MESSAGE_MAP()

void CMyTabCtrl1::AddPage(CDialog* page, UINT templateId, LPCSTR caption)
{
    m_pages.push_back({page, templateId, caption});
}

void CMyTabCtrl1::CreatePages()
{
    CWnd* parent = GetParent();
    for (size_t i = 0; i < m_pages.size(); ++i) {
        m_pages[i].dialog->Create(m_pages[i].templateId, parent);
        InsertItem(static_cast<int>(i), m_pages[i].caption);
    }
    SetCurSel(0);
    ShowSelectedPage();
}

CDialog* CMyTabCtrl1::GetPage(int index) const
{
    if (index < 0 || index >= GetPageCount())
        return nullptr;
    return m_pages[static_cast<size_t>(index)].dialog;
}

void CMyTabCtrl1::ShowSelectedPage()
{
    CRect area;
    GetClientRect(&area);
    AdjustRect(FALSE, &area);
    ClientToScreen(&area);
    GetParent()->ScreenToClient(&area);
    for (const Page& page : m_pages) {
        if (page.dialog->m_hWnd != nullptr)
            page.dialog->SetWindowPos(nullptr, area.left, area.top, area.Width(), area.Height(), SWP_HIDEWINDOW);
    }
    CDialog* selected = GetPage(GetCurSel());
    if (selected == nullptr || selected->m_hWnd == nullptr)
        return;
    selected->SetWindowPos(nullptr, area.left, area.top, area.Width(), area.Height(), SWP_SHOWWINDOW);
    selected->ShowWindow(SW_SHOW);
}

void CMyTabCtrl1::CommitGeneralPage()
{
    if (auto* page = dynamic_cast<CCommitPage*>(GetPage(0)))
        page->CommitSettings();
}

void CMyTabCtrl1::OnSelChange(NMHDR*, LRESULT* pResult)
{
    ShowSelectedPage();
    *pResult = 0;
}
