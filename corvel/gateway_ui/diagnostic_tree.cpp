#include "corvel/gateway_ui/diagnostic_tree.h"

#include "corvel/document/main_doc.h"
#include "corvel/resources/resource.h"
#include "corvel/controls/product_message.h"
#include "corvel/model/product.h"

#include <cstdlib>

IMPLEMENT_DYNAMIC(CDiagnosticTree, CTreeCtrl)

BEGIN_MESSAGE_MAP(CDiagnosticTree, CTreeCtrl)
    ON_NOTIFY_REFLECT(TVN_SELCHANGED, &CDiagnosticTree::OnSelChanged)
    ON_WM_TIMER()
END_MESSAGE_MAP()

namespace {

constexpr int kImageSize = 16;
// Descriptions are padded with blanks to this width before " : ".
constexpr int kDescriptionWidth = 40;

const char kRefreshCounter[] = "      [Refresh Counter: %d]\r\n\r\n";
const char kLevelSeparator[] = " > ";
const char kGettingFailed[] = "Error: Getting information.\r\n";
const char kConnectionFailed[] = "Error: Connection failed.";
const char kTimerFailed[] = "Error: Could not Start Auto Binary Poll Timer.";

// Splits a code ending in "[n]" into the code before the bracket and n (leading digits; 0 without).
void SplitInstances(DiagnosticLeaf& leaf)
{
    const int bracket = leaf.code.Find('[');
    if (bracket < 0)
        return;
    const CString count = leaf.code.Mid(bracket + 1);
    leaf.instances = std::atoi(count.Left(count.GetLength() - 1));
    leaf.code = leaf.code.Left(bracket);
}

CString Tabs(int level)
{
    CString tabs;
    for (int i = 0; i < level; ++i)
        tabs += '\t';
    return tabs;
}

} // namespace

void CDiagnosticTree::SetOutputWindows(CEdit* pOutput, CSpinButtonCtrl* pSpin)
{
    m_pOutput = pOutput;
    m_pSpin = pSpin;
}

HTREEITEM CDiagnosticTree::InsertTreeItem(HTREEITEM hParent, LPCSTR text, int image)
{
    const HTREEITEM item = InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM, text, image, image, 0,
                                      0, 0, hParent, TVI_SORT);
    Expand(item, TVE_EXPAND);
    EnsureVisible(item);
    return item;
}

bool CDiagnosticTree::BuildTree(const CString& address)
{
    m_leaves.clear();
    if (m_imageList.m_hImageList == nullptr) {
        m_imageList.Create(kImageSize, kImageSize, ILC_COLOR24, 1, 1);
        m_bitmap.LoadBitmap(IDB_DIAGNOSTIC_TREE);
        m_imageList.Add(&m_bitmap, static_cast<CBitmap*>(nullptr));
        SetImageList(&m_imageList, TVSIL_NORMAL);
    }
    DeleteAllItems();
    if (m_pOutput != nullptr)
        m_pOutput->SetWindowText("");

    m_client.SetHostAddress(address);
    std::vector<RunningDriverEntry> drivers;
    if (!m_client.GetRunningDrivers(drivers))
        return false;

    const CMainDoc* doc = FindMainDocument();
    const HTREEITEM root = InsertTreeItem(TVI_ROOT, doc != nullptr ? doc->GetProjectName() : CString(), kProjectImage);
    for (const RunningDriverEntry& driver : drivers) {
        const HTREEITEM driverItem = InsertTreeItem(root, driver.driverName, kDriverImage);
        std::vector<DiagnosticIndexEntry> entries;
        if (!m_client.GetDiagnosticIndex(driver.resource, driver.driverName, entries))
            continue;
        for (const DiagnosticIndexEntry& entry : entries) {
            DiagnosticLeaf leaf;
            leaf.item = InsertTreeItem(driverItem, entry.description, kLeafImage);
            leaf.resource = driver.resource;
            leaf.driver = driver.driverName;
            leaf.code = entry.code;
            SplitInstances(leaf);
            m_leaves.push_back(leaf);
        }
    }
    return true;
}

void CDiagnosticTree::OnSelChanged(NMHDR*, LRESULT* pResult)
{
    KillTimer(kPollTimerId);
    if (GetCurrentItem())
        PollData();
    else if (m_pOutput != nullptr)
        m_pOutput->SetWindowText("");
    *pResult = 0;
}

bool CDiagnosticTree::GetCurrentItem()
{
    if (!m_client.HasHostAddress())
        return false;
    const HTREEITEM selected = GetSelectedItem();
    const HTREEITEM parent = selected != nullptr ? GetParentItem(selected) : nullptr;
    const HTREEITEM grandparent = parent != nullptr ? GetParentItem(parent) : nullptr;
    if (m_pSpin != nullptr) {
        m_pSpin->ShowWindow(SW_HIDE);
        m_pSpin->SetRange32(0, 0);
        m_pSpin->SetPos32(0);
    }
    const DiagnosticLeaf* found = nullptr;
    for (const DiagnosticLeaf& leaf : m_leaves)
        if (selected != nullptr && leaf.item == selected) {
            found = &leaf;
            break;
        }
    if (found != nullptr) {
        if (found->instances > 1 && m_pSpin != nullptr) {
            m_pSpin->SetRange32(0, found->instances - 1);
            m_pSpin->ShowWindow(SW_SHOW);
        }
        m_current.leaf = *found;
    }
    m_current.projectText = grandparent != nullptr ? GetItemText(grandparent) : CString();
    m_current.driverText = parent != nullptr ? GetItemText(parent) : CString();
    m_current.leafText = selected != nullptr ? GetItemText(selected) : CString();
    if (found == nullptr)
        return false;
    StartAutoPoll(0);
    return true;
}

void CDiagnosticTree::StartAutoPoll(int periodMs)
{
    m_nRefreshCounter = 0;
    const int period = periodMs != 0
        ? periodMs
        : static_cast<int>(AfxGetApp()->GetProfileInt(kDiagnosticSection, kAutoPollEntry, kDefaultPollPeriodMs));
    m_nSettingPeriod = period;
    m_nRunningPeriod = period;
    if (period <= 0)
        return;
    m_nTimerId = SetTimer(kPollTimerId, static_cast<UINT>(period));
    if (m_nTimerId == 0)
        ShowProductMessage(kTimerFailed, MB_OK | MB_ICONEXCLAMATION, m_hWnd);
}

void CDiagnosticTree::OnTimer(UINT_PTR nIDEvent)
{
    m_nSettingPeriod =
        static_cast<int>(AfxGetApp()->GetProfileInt(kDiagnosticSection, kAutoPollEntry, kDefaultPollPeriodMs));
    // A period of 0 keeps the timer but makes its ticks do nothing.
    if (m_nSettingPeriod <= 0)
        return;
    if (m_nSettingPeriod != m_nRunningPeriod) {
        KillTimer(kPollTimerId);
        StartAutoPoll(0);
    }
    if (nIDEvent == m_nTimerId) {
        ++m_nRefreshCounter;
        PollData();
    }
    // A failed poll may have closed the window.
    if (m_hWnd != nullptr)
        CTreeCtrl::OnTimer(nIDEvent);
}

void CDiagnosticTree::CloseDiagnosticsWindow()
{
    if (CWnd* window = GetTopLevelParent())
        window->SendMessage(WM_CLOSE);
}

void CDiagnosticTree::PollData()
{
    if (m_bConnectionLost) {
        CloseDiagnosticsWindow();
        return;
    }
    if (m_client.HasConnectionFailed()) {
        KillTimer(kPollTimerId);
        return;
    }
    if (!m_client.HasHostAddress())
        return;

    CString text = m_current.projectText + kLevelSeparator + m_current.driverText + kLevelSeparator +
                   m_current.leafText;
    CString counter;
    counter.Format(kRefreshCounter, m_nRefreshCounter);
    text += counter;

    CString code = m_current.leaf.code;
    if (m_current.leaf.instances > 0) {
        const int instance = m_pSpin != nullptr ? m_pSpin->GetPos32() : 0;
        code.Format("%s[%d]", (LPCSTR)m_current.leaf.code, instance);
    }
    std::vector<DiagnosticItem> items;
    if (!m_client.GetDiagnostics(m_current.leaf.resource, m_current.leaf.driver, code, items)) {
        // Polling stops before the message box runs its own message loop, so that no tick
        // can start another exchange or another box behind it.
        KillTimer(kPollTimerId);
        m_bConnectionLost = true;
        ShowOutput(text + kGettingFailed);
        AfxMessageBox(kConnectionFailed);
        CloseDiagnosticsWindow();
        return;
    }
    for (const DiagnosticItem& item : items)
        FormatDiagnosticItem(0, text, item);
    ShowOutput(text);
}

void CDiagnosticTree::ShowOutput(const CString& text)
{
    if (m_pOutput == nullptr || m_pOutput->m_hWnd == nullptr)
        return;
    const int firstLine = m_pOutput->GetFirstVisibleLine();
    SCROLLINFO before = {};
    m_pOutput->GetScrollInfo(SB_VERT, &before);
    m_pOutput->SetWindowText(text);
    SCROLLINFO after = {};
    m_pOutput->GetScrollInfo(SB_VERT, &after);
    if (after.nMin == before.nMin && after.nMax == before.nMax) {
        m_pOutput->SetScrollInfo(SB_VERT, &before);
        m_pOutput->LineScroll(firstLine);
    }
}

void CDiagnosticTree::FormatDiagnosticItem(int level, CString& text, const DiagnosticItem& item)
{
    if (!item.children.empty()) {
        text += "\r\n" + Tabs(level) + item.description + " : \r\n";
        for (const DiagnosticItem& child : item.children)
            FormatDiagnosticItem(level + 1, text, child);
        text += "\r\n";
        return;
    }
    CString description = item.description;
    while (description.GetLength() < kDescriptionWidth)
        description += ' ';
    text += Tabs(level) + description + " : " + item.valueDescription + "\r\n";
}
