#include "toolkit/common/tab_ctrl.h"

#include "framework/frame.h"
#include "framework/ids.h"
#include "framework/menu.h"
#include "framework/winapp.h"
#include "toolkit/common/aux_data.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/system.h"
#include "toolkit/common/tab_themes.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CKitTabCtrlBase, CTabCtrl)
IMPLEMENT_DYNAMIC(CKitTabCtrl, CKitTabCtrlBase)

namespace {

// The inset of hosted windows from the pane's edges.
constexpr int kChildInset = 4;
// Label shortening: the room of a tab around its text, of an image, of the strip's ends.
constexpr int kLabelPadding = 12;
constexpr int kImageRoom = 22;
constexpr int kStripSlack = 4;
constexpr int kMinimumLabelChars = 3;
constexpr char kEllipsis[] = "...";
constexpr int kLabelBuffer = 256;

int CurSel(const CWnd* pWnd)
{
    return static_cast<int>(pWnd->SendMessage(TCM_GETCURSEL));
}

int ItemCount(const CWnd* pWnd)
{
    return static_cast<int>(pWnd->SendMessage(TCM_GETITEMCOUNT));
}

CRect ItemRect(const CWnd* pWnd, int nIndex)
{
    CRect rc(0, 0, 0, 0);
    pWnd->SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&rc));
    return rc;
}

int ItemImage(const CWnd* pWnd, int nIndex)
{
    TCITEMA item = {};
    item.mask = TCIF_IMAGE;
    item.iImage = -1;
    pWnd->SendMessage(TCM_GETITEMA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

BOOL IsWindowAlive(const CWnd* pWnd)
{
    return pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr && ::IsWindow(pWnd->GetSafeHwnd());
}

} // namespace

// ---------------------------------------------------------------------------
// The bound part.

CKitTabBase::CKitTabBase()
    : m_bBoldNormal(1), m_bXPBorder(0), m_bAutoCondensing(FALSE), m_pTabCtrl(nullptr), m_pNavBtns(nullptr),
      m_bPreSubclassInit(TRUE), m_pTheme(nullptr)
{
}

CKitTabBase::~CKitTabBase()
{
    if (m_pNavBtns != nullptr) {
        if (m_pNavBtns->GetSafeHwnd() != nullptr)
            m_pNavBtns->DestroyWindow();
        delete m_pNavBtns;
    }
    CKitControlTheme::Release(m_pTheme);
}

void CKitTabBase::Bind(CWnd* pTabCtrl)
{
    m_pTabCtrl = pTabCtrl;
    m_pNavBtns = new CKitTabCtrlButtons(this);
    SetTheme(CKitControlTheme::kThemeDefault);
}

BOOL CKitTabBase::SetTheme(int nTheme)
{
    CKitControlTheme::Release(m_pTheme);
    m_pTheme = KitCreateTabTheme(nTheme);
    RefreshTheme();
    return m_pTheme != nullptr;
}

BOOL CKitTabBase::GetChildRect(CRect& rect) const
{
    rect.SetRectEmpty();
    const int nSel = CurSel(m_pTabCtrl);
    if (nSel == -1)
        return FALSE;
    CRect rcClient;
    m_pTabCtrl->GetClientRect(&rcClient);
    CRect rcItem = ItemRect(m_pTabCtrl, nSel);
    rcItem.InflateRect(1, 1);
    const int nRows = static_cast<int>(m_pTabCtrl->SendMessage(TCM_GETROWCOUNT));
    const int nStripHeight = nRows * rcItem.Height();
    const int nStripWidth = nRows * rcItem.Width();
    const DWORD dwOrientation = m_pTabCtrl->GetStyle() & (TCS_VERTICAL | TCS_BOTTOM);
    rect = rcClient;
    rect.DeflateRect(kChildInset, kChildInset);
    switch (dwOrientation) {
    case TCS_BOTTOM: rect.bottom -= nStripHeight; break;
    case TCS_VERTICAL: rect.left += nStripWidth; break;
    case TCS_VERTICAL | TCS_RIGHT: rect.right -= nStripWidth; break;
    default: rect.top += nStripHeight; break;
    }
    return TRUE;
}

void CKitTabBase::RefreshTheme()
{
    if (m_pTheme != nullptr)
        m_pTheme->RefreshMetrics(this);
    if (m_pTabCtrl != nullptr && m_pTabCtrl->GetSafeHwnd() != nullptr)
        m_pTabCtrl->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CKitTabBase::Initialize()
{
}

void CKitTabBase::PadTabLabel(CString& strLabel)
{
    if (strLabel.IsEmpty() || m_pTabCtrl == nullptr || m_pTabCtrl->GetSafeHwnd() == nullptr)
        return;
    CKitAuxData* pData = CKitAuxData::Instance();
    const BOOL bVertical = (m_pTabCtrl->GetStyle() & TCS_VERTICAL) != 0;
    CClientDC dc(m_pTabCtrl);
    auto width = [&](CFont& font, const CString& text) {
        ScopedSelect select(dc, font);
        return dc.GetTextExtent(text).cx;
    };
    CFont& fontNormal = bVertical ? pData->fontVert : pData->fontNormal;
    CFont& fontBold = bVertical ? pData->fontVertBold : pData->fontBold;
    const int nBold = width(fontBold, strLabel);
    BOOL bFront = TRUE;
    while (width(fontNormal, strLabel) < nBold) {
        strLabel = bFront ? " " + strLabel : strLabel + " ";
        bFront = !bFront;
    }
}

void CKitTabBase::PreSubclassWindowImpl()
{
    if (m_bPreSubclassInit)
        Initialize();
}

BOOL CKitTabBase::PreCreateWindowImpl(CREATESTRUCT&)
{
    m_bPreSubclassInit = FALSE;
    return TRUE;
}

void CKitTabBase::OnPaintImpl()
{
    CPaintDC dcPaint(m_pTabCtrl);
    CRect rcClient;
    m_pTabCtrl->GetClientRect(&rcClient);
    CKitBufferDC dc(dcPaint.GetSafeHdc(), rcClient);
    if (m_pTheme != nullptr)
        m_pTheme->DrawTabCtrl(&dc, this);
}

// ---------------------------------------------------------------------------
// Hosting.

CKitTabExBase::CKitTabExBase()
    : m_nContextMenuSub(0), m_nContextMenuID(0), m_bSendInitialUpdate(FALSE), m_pParentWnd(nullptr),
      m_pParentFrame(nullptr), m_pLastActiveView(nullptr), m_nOldSel(-1)
{
    m_bBoldNormal = 0;
}

CKitTabExBase::~CKitTabExBase()
{
    for (CKitTcbItem* pItem : m_items)
        delete pItem;
    m_items.clear();
}

CKitTcbItem* CKitTabExBase::GetTabRecord(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetTabCount() ? m_items[static_cast<size_t>(nIndex)] : nullptr;
}

const CString& CKitTabExBase::GetDisplayedLabel(int nIndex) const
{
    static const CString empty;
    const CKitTcbItem* pItem = GetTabRecord(nIndex);
    return pItem != nullptr ? pItem->szCondensedLabel : empty;
}

void CKitTabExBase::Initialize()
{
    CKitAuxData* pData = CKitAuxData::Instance();
    m_pTabCtrl->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pData->fontNormal.GetSafeHandle()));
    m_pTabCtrl->Invalidate(FALSE);
    if (m_bSendInitialUpdate)
        m_pTabCtrl->SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    SetTabFont();
    m_pParentWnd = m_pTabCtrl->GetParent();
    m_pParentFrame = m_pTabCtrl->GetParentFrame();
    RepositionTabs();
    if (m_bAutoCondensing)
        LayoutShortenedLabels();
    m_pTabCtrl->ModifyStyle(0, WS_CLIPCHILDREN | WS_CLIPSIBLINGS);
}

void CKitTabExBase::SetTabFont()
{
    CKitAuxData* pData = CKitAuxData::Instance();
    CFont& font = (m_pTabCtrl->GetStyle() & TCS_VERTICAL) ? pData->fontVert : pData->fontNormal;
    if (font.GetSafeHandle() == nullptr)
        return;
    const auto wFont = reinterpret_cast<WPARAM>(font.GetSafeHandle());
    if (CKitOsVersion::Instance()->IsWin95())
        m_pTabCtrl->PostMessage(WM_SETFONT, wFont, TRUE);
    else
        m_pTabCtrl->SendMessage(WM_SETFONT, wFont, TRUE);
}

HWND CKitTabExBase::GetToolTips() const
{
    return reinterpret_cast<HWND>(m_pTabCtrl->SendMessage(TCM_GETTOOLTIPS));
}

void CKitTabExBase::SetToolTips(HWND hWndTip)
{
    m_pTabCtrl->SendMessage(TCM_SETTOOLTIPS, reinterpret_cast<WPARAM>(hWndTip));
}

BOOL CKitTabExBase::AddToolTip(UINT nID, LPCSTR lpszText)
{
    HWND hTip = GetToolTips();
    if (hTip == nullptr)
        return FALSE;
    TOOLINFOA ti = {};
    ti.cbSize = sizeof(ti);
    ti.hwnd = m_pTabCtrl->GetSafeHwnd();
    ti.uId = nID;
    ti.uFlags = nID == 0 ? TTF_IDISHWND : 0;
    if (nID == 0)
        ti.uId = reinterpret_cast<UINT_PTR>(m_pTabCtrl->GetSafeHwnd());
    ti.lpszText = const_cast<LPSTR>(lpszText);
    return ::SendMessageA(hTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)) != 0;
}

BOOL CKitTabExBase::UpdateToolTipByClass(CRuntimeClass* pClass, LPCSTR lpszText)
{
    const int nIndex = FindTabByClass(pClass);
    return nIndex != -1 && UpdateToolTip(nIndex, lpszText);
}

BOOL CKitTabExBase::UpdateToolTip(int nIndex, LPCSTR lpszText)
{
    CKitTcbItem* pItem = GetTabRecord(nIndex);
    if (pItem == nullptr)
        return FALSE;
    pItem->szToolTipLabel = lpszText;
    HWND hTip = GetToolTips();
    if (hTip == nullptr)
        return FALSE;
    TOOLINFOA ti = {};
    ti.cbSize = sizeof(ti);
    ti.hwnd = m_pTabCtrl->GetSafeHwnd();
    ti.uId = pItem->uiToolTipId;
    ti.lpszText = const_cast<LPSTR>(static_cast<LPCSTR>(pItem->szToolTipLabel));
    ::SendMessageA(hTip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
    return TRUE;
}

void CKitTabExBase::ResetToolTips()
{
    for (size_t i = 0; i < m_items.size(); ++i) {
        m_items[i]->uiToolTipId = static_cast<UINT>(i);
        UpdateToolTip(static_cast<int>(i), m_items[i]->szToolTipLabel);
    }
}

BOOL CKitTabExBase::EnableToolTips(BOOL bEnable)
{
    HWND hTip = GetToolTips();
    if (hTip == nullptr)
        return FALSE;
    ::SendMessageA(hTip, TTM_ACTIVATE, bEnable, 0);
    return TRUE;
}

BOOL CKitTabExBase::AddView(LPCSTR lpszLabel, CRuntimeClass* pViewClass, CDocument* pDoc, CCreateContext* pContext,
                            int nIndex, int nIcon, LPARAM lParam)
{
    if (pViewClass == nullptr && pContext == nullptr)
        return FALSE;
    CWnd* pView = CreateTabView(pViewClass, pDoc, pContext);
    return pView != nullptr && AddTabWindow(lpszLabel, pView, nIndex, nIcon, lParam);
}

BOOL CKitTabExBase::AddWindow(LPCSTR lpszLabel, CWnd* pWnd, int nIndex, int nIcon, LPARAM lParam)
{
    if (pWnd == nullptr)
        return FALSE;
    return AddTabWindow(lpszLabel, pWnd, nIndex, nIcon, lParam);
}

BOOL CKitTabExBase::AddTabWindow(LPCSTR lpszLabel, CWnd* pWnd, int nIndex, int nIcon, LPARAM lParam)
{
    if (pWnd == nullptr)
        return FALSE;
    pWnd->SetParent(m_pTabCtrl);
    auto* pItem = new CKitTcbItem;
    pItem->pWnd = pWnd;
    pItem->szTabLabel = lpszLabel;
    pItem->szToolTipLabel = lpszLabel;
    pItem->szCondensedLabel = lpszLabel;
    pItem->uiToolTipId = static_cast<UINT>(ItemCount(m_pTabCtrl));
    pItem->dwStyle = pWnd->GetStyle();
    pItem->dwExStyle = pWnd->GetExStyle();

    const int nPosition = nIndex == -1 ? GetTabCount() : std::min(std::max(nIndex, 0), GetTabCount());
    m_items.insert(m_items.begin() + nPosition, pItem);
    if (m_pTheme != nullptr)
        m_pTheme->AdjustTabWindowBorders(this, pItem);

    TCITEMA item = {};
    item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM;
    item.pszText = const_cast<LPSTR>(static_cast<LPCSTR>(pItem->szTabLabel));
    item.iImage = nIcon == -1 ? nPosition : nIcon;
    item.lParam = lParam;
    m_pTabCtrl->SendMessage(TCM_INSERTITEMA, static_cast<WPARAM>(nPosition), reinterpret_cast<LPARAM>(&item));

    AddToolTip(pItem->uiToolTipId, lpszLabel);
    ResetToolTips();
    SetActiveTab(nPosition);
    return TRUE;
}

CWnd* CKitTabExBase::CreateTabView(CRuntimeClass* pViewClass, CDocument* pDoc, CCreateContext* pContext)
{
    if (pViewClass == nullptr && pContext == nullptr)
        return nullptr;
    CCreateContext context;
    if (pContext == nullptr) {
        context.m_pNewViewClass = pViewClass;
        context.m_pCurrentDoc = pDoc;
        context.m_pNewDocTemplate = pDoc != nullptr ? pDoc->GetDocTemplate() : nullptr;
        pContext = &context;
    }
    CWnd* pView = nullptr;
    try {
        CObject* pObject = pContext->m_pNewViewClass->CreateObject();
        if (pObject == nullptr)
            AfxThrowMemoryException();
        pView = DYNAMIC_DOWNCAST(CWnd, pObject);
        if (pView == nullptr) {
            delete pObject;
            return nullptr;
        }
    } catch (CException* e) {
        e->Delete();
        return nullptr;
    }
    // A view whose window cannot be made deletes itself.
    if (!pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), m_pTabCtrl,
                       AFX_IDW_PANE_FIRST + static_cast<UINT>(GetTabCount()), pContext))
        return nullptr;
    if (m_bSendInitialUpdate)
        pView->SendMessage(WM_INITIALUPDATE);
    ::SetWindowLongPtrA(pView->GetSafeHwnd(), GWLP_HWNDPARENT,
                        reinterpret_cast<LONG_PTR>(m_pParentWnd != nullptr ? m_pParentWnd->GetSafeHwnd() : nullptr));
    pView->SetParent(m_pTabCtrl);
    return pView;
}

int CKitTabExBase::FindTab(CWnd* pWnd) const
{
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i]->pWnd == pWnd)
            return static_cast<int>(i);
    }
    return -1;
}

int CKitTabExBase::FindTabByClass(CRuntimeClass* pClass) const
{
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (IsWindowAlive(m_items[i]->pWnd) && m_items[i]->pWnd->IsKindOf(pClass))
            return static_cast<int>(i);
    }
    return -1;
}

CWnd* CKitTabExBase::GetTabWindowByClass(CRuntimeClass* pClass) const
{
    const int nIndex = FindTabByClass(pClass);
    return nIndex != -1 ? m_items[static_cast<size_t>(nIndex)]->pWnd : nullptr;
}

CWnd* CKitTabExBase::GetTabWindow(int nIndex) const
{
    const CKitTcbItem* pItem = GetTabRecord(nIndex);
    return pItem != nullptr && IsWindowAlive(pItem->pWnd) ? pItem->pWnd : nullptr;
}

CWnd* CKitTabExBase::GetActiveTabWindow() const
{
    return GetTabWindow(CurSel(m_pTabCtrl));
}

CView* CKitTabExBase::ActiveFrameView() const
{
    return m_pParentFrame != nullptr ? m_pParentFrame->GetActiveView() : nullptr;
}

void CKitTabExBase::RestorePreviousView()
{
    if (m_pParentFrame == nullptr)
        return;
    if (m_pLastActiveView != nullptr && IsWindowAlive(m_pLastActiveView)) {
        m_pParentFrame->SetActiveView(m_pLastActiveView);
    } else {
        m_pParentFrame->SetActiveView(nullptr, FALSE);
        m_pLastActiveView = nullptr;
    }
}

void CKitTabExBase::ActivateTabWindow(CWnd* pWnd)
{
    for (CKitTcbItem* pItem : m_items) {
        if (IsWindowAlive(pItem->pWnd)) {
            pItem->pWnd->ShowWindow(SW_HIDE);
            pItem->pWnd->EnableWindow(FALSE);
        }
    }
    if (!IsWindowAlive(pWnd))
        return;
    CView* pActive = ActiveFrameView();
    if (m_pParentFrame != nullptr && m_pParentFrame->IsChild(pWnd) && pActive != nullptr && pActive != pWnd &&
        pActive->GetParent() == m_pTabCtrl) {
        if (CView* pView = DYNAMIC_DOWNCAST(CView, pWnd))
            m_pParentFrame->SetActiveView(pView);
    }
    pWnd->ShowWindow(SW_SHOW);
    pWnd->EnableWindow(TRUE);
    pWnd->SetFocus();
    MoveTabWindow(pWnd);
}

void CKitTabExBase::SetActiveTabByClass(CRuntimeClass* pClass)
{
    const int nIndex = FindTabByClass(pClass);
    if (nIndex != -1)
        SetActiveTab(nIndex);
}

void CKitTabExBase::SetActiveTabByWindow(CWnd* pWnd)
{
    const int nIndex = FindTab(pWnd);
    if (nIndex != -1)
        SetActiveTab(nIndex);
}

void CKitTabExBase::SetActiveTab(int nIndex)
{
    CKitTcbItem* pItem = GetTabRecord(nIndex);
    if (pItem == nullptr || pItem->pWnd == nullptr)
        return;
    m_pTabCtrl->SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(nIndex));
    ActivateTabWindow(pItem->pWnd);
}

BOOL CKitTabExBase::DeleteTabByClass(CRuntimeClass* pClass, BOOL bDestroy)
{
    const int nIndex = FindTabByClass(pClass);
    return nIndex != -1 && DeleteTab(nIndex, bDestroy);
}

BOOL CKitTabExBase::DeleteTabByWindow(CWnd* pWnd, BOOL bDestroy)
{
    const int nIndex = FindTab(pWnd);
    return nIndex != -1 && DeleteTab(nIndex, bDestroy);
}

BOOL CKitTabExBase::DeleteTab(int nIndex, BOOL bDestroy)
{
    CKitTcbItem* pItem = GetTabRecord(nIndex);
    if (pItem == nullptr)
        return FALSE;
    CView* pActive = ActiveFrameView();
    if (pActive != nullptr && pActive == pItem->pWnd)
        RestorePreviousView();
    DeleteTabRecord(static_cast<size_t>(nIndex), bDestroy);
    m_pTabCtrl->SendMessage(TCM_DELETEITEM, static_cast<WPARAM>(nIndex));
    const int nCount = GetTabCount();
    if (nCount > 0) {
        if (nIndex == 0)
            SetActiveTab(0);
        else
            SetActiveTab(nIndex < nCount ? nIndex - 1 : nCount - 1);
        ResetToolTips();
    }
    return TRUE;
}

LPCSTR CKitTabExBase::GetTabCaptionByClass(CRuntimeClass* pClass) const
{
    const int nIndex = FindTabByClass(pClass);
    return nIndex != -1 ? static_cast<LPCSTR>(m_items[static_cast<size_t>(nIndex)]->szTabLabel) : nullptr;
}

LPCSTR CKitTabExBase::GetTabCaption(int nIndex) const
{
    const CKitTcbItem* pItem = GetTabRecord(nIndex);
    return pItem != nullptr ? static_cast<LPCSTR>(pItem->szTabLabel) : nullptr;
}

void CKitTabExBase::RepositionTabs()
{
    if (m_pTabCtrl->GetSafeHwnd() == nullptr)
        return;
    HDWP hDWP = ::BeginDeferWindowPos(static_cast<int>(m_items.size()));
    for (CKitTcbItem* pItem : m_items)
        ResizeTabWindow(hDWP, pItem->pWnd);
    if (hDWP != nullptr)
        ::EndDeferWindowPos(hDWP);
}

BOOL CKitTabExBase::ResizeTabWindow(HDWP& hDWP, CWnd* pWnd)
{
    if (!IsWindowAlive(pWnd) || hDWP == nullptr)
        return FALSE;
    CRect rcChild;
    GetChildRect(rcChild);
    CRect rcWindow;
    pWnd->GetWindowRect(&rcWindow);
    m_pTabCtrl->ScreenToClient(&rcWindow);
    if (rcWindow == rcChild)
        return FALSE;
    UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    if (rcWindow.TopLeft() == rcChild.TopLeft())
        nFlags |= SWP_NOMOVE;
    if (rcWindow.Size() != rcChild.Size())
        nFlags |= SWP_NOCOPYBITS;
    else
        nFlags |= SWP_NOSIZE;
    hDWP = ::DeferWindowPos(hDWP, pWnd->GetSafeHwnd(), nullptr, rcChild.left, rcChild.top, rcChild.Width(),
                            rcChild.Height(), nFlags);
    return TRUE;
}

void CKitTabExBase::MoveTabWindow(CWnd* pWnd)
{
    if (!IsWindowAlive(pWnd))
        return;
    CRect rcChild;
    GetChildRect(rcChild);
    pWnd->MoveWindow(&rcChild, TRUE);
}

void CKitTabExBase::DeleteTabRecord(size_t nPosition, BOOL bDestroy)
{
    if (nPosition >= m_items.size())
        return;
    CKitTcbItem* pItem = m_items[nPosition];
    if (IsWindowAlive(pItem->pWnd)) {
        if (bDestroy) {
            pItem->pWnd->DestroyWindow();
            pItem->pWnd = nullptr;
        } else {
            pItem->pWnd->ShowWindow(SW_HIDE);
        }
    }
    m_items.erase(m_items.begin() + static_cast<ptrdiff_t>(nPosition));
    delete pItem;
}

BOOL CKitTabExBase::DeleteAllTabs(BOOL bDestroy)
{
    CView* pActive = ActiveFrameView();
    if (pActive != nullptr && IsTabWindow(pActive)) {
        if (m_pLastActiveView != nullptr && IsWindowAlive(m_pLastActiveView) && !IsTabWindow(m_pLastActiveView))
            m_pParentFrame->SetActiveView(m_pLastActiveView);
        else
            m_pParentFrame->SetActiveView(nullptr, FALSE);
    }
    m_pLastActiveView = nullptr;
    m_nOldSel = -1;
    while (!m_items.empty())
        DeleteTabRecord(0, bDestroy);
    if (m_pTabCtrl->GetSafeHwnd() != nullptr)
        m_pTabCtrl->SendMessage(TCM_DELETEALLITEMS);
    return TRUE;
}

int CKitTabExBase::HitTestTab(int x, int y) const
{
    TCHITTESTINFO info = {};
    info.pt = CPoint(x, y);
    if (x == 0 && y == 0) {
        ::GetCursorPos(&info.pt);
        m_pTabCtrl->ScreenToClient(&info.pt);
    }
    return static_cast<int>(m_pTabCtrl->SendMessage(TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
}

BOOL CKitTabExBase::IsTabWindow(CWnd* pWnd) const
{
    return FindTab(pWnd) != -1;
}

BOOL CKitTabExBase::ModifyTabStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    if (!m_pTabCtrl->ModifyStyle(dwRemove, dwAdd, nFlags))
        return FALSE;
    SetTabFont();
    return TRUE;
}

void CKitTabExBase::SetContextMenu(UINT nMenuID, int nSubMenu)
{
    m_nContextMenuID = nMenuID;
    m_nContextMenuSub = nSubMenu;
}

UINT CKitTabExBase::GetContextMenuId() const
{
    return m_nContextMenuID;
}

void CKitTabExBase::SetSendInitialUpdate(BOOL bSend)
{
    m_bSendInitialUpdate = bSend;
}

void CKitTabExBase::ApplyThemeToTabWindows()
{
    if (m_pTheme == nullptr)
        return;
    for (CKitTcbItem* pItem : m_items)
        m_pTheme->AdjustTabWindowBorders(this, pItem);
}

void CKitTabExBase::RememberCurSel()
{
    m_nOldSel = CurSel(m_pTabCtrl);
}

void CKitTabExBase::OnSelChangeImpl()
{
    const int nSel = CurSel(m_pTabCtrl);
    if (nSel == -1)
        return;
    if (CKitTcbItem* pOld = GetTabRecord(m_nOldSel)) {
        if (IsWindowAlive(pOld->pWnd)) {
            pOld->pWnd->ShowWindow(SW_HIDE);
            pOld->pWnd->EnableWindow(FALSE);
            if (ActiveFrameView() == pOld->pWnd)
                RestorePreviousView();
        }
    }
    CWnd* pWnd = GetTabWindow(nSel);
    if (pWnd == nullptr)
        return;
    CView* pView = DYNAMIC_DOWNCAST(CView, pWnd);
    if (pView != nullptr && m_pParentFrame != nullptr && m_pParentFrame->IsChild(pView)) {
        CView* pActive = ActiveFrameView();
        if (pActive != nullptr && pActive->GetParent() != m_pTabCtrl)
            m_pLastActiveView = pActive;
        m_pParentFrame->SetActiveView(pView);
    }
    ActivateTabWindow(pWnd);
}

BOOL CKitTabExBase::OnCmdMsgImpl(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nCode >= 1)
        return FALSE;
    CWnd* pWnd = GetActiveTabWindow();
    return pWnd != nullptr && pWnd->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CKitTabExBase::PreTranslateMessageImpl(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN || GetTabCount() == 0)
        return FALSE;
    const bool bCtrlTab = pMsg->wParam == VK_TAB && (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    if (!bCtrlTab && pMsg->wParam != VK_F6)
        return FALSE;
    if ((::GetKeyState(VK_SHIFT) & 0x8000) != 0)
        PreviousTab();
    else
        NextTab();
    m_pTabCtrl->SetFocus();
    return TRUE;
}

void CKitTabExBase::NextTab()
{
    const int nCount = GetTabCount();
    if (nCount == 0)
        return;
    const int nSel = CurSel(m_pTabCtrl);
    SetActiveTab(nSel + 1 >= nCount ? 0 : nSel + 1);
}

void CKitTabExBase::PreviousTab()
{
    const int nCount = GetTabCount();
    if (nCount == 0)
        return;
    const int nSel = CurSel(m_pTabCtrl);
    SetActiveTab(nSel <= 0 ? nCount - 1 : nSel - 1);
}

void CKitTabExBase::OnWindowPosChangedImpl(WINDOWPOS* lpWndPos)
{
    if ((lpWndPos->flags & SWP_HIDEWINDOW) == 0) {
        RepositionTabs();
        return;
    }
    for (CKitTcbItem* pItem : m_items) {
        if (pItem->pWnd != nullptr && ActiveFrameView() == pItem->pWnd)
            RestorePreviousView();
    }
}

void CKitTabExBase::RefreshShortenedLabels()
{
    if (m_bAutoCondensing)
        LayoutShortenedLabels();
}

void CKitTabExBase::SetShortenLabels(BOOL bShorten)
{
    m_bAutoCondensing = bShorten;
    LayoutShortenedLabels();
}

void CKitTabExBase::LayoutShortenedLabels()
{
    if (m_pTabCtrl->GetSafeHwnd() == nullptr || m_items.empty())
        return;
    CClientDC dc(m_pTabCtrl);
    HGDIOBJ hOldFont = dc.SelectObject(reinterpret_cast<HGDIOBJ>(m_pTabCtrl->SendMessage(WM_GETFONT)));
    auto labelWidth = [&dc](const CString& strLabel, bool bImage) {
        int nWidth = dc.GetTextExtent(strLabel).cx + kLabelPadding;
        if (strLabel.GetLength() == 1)
            nWidth += 1;
        if (bImage)
            nWidth += kImageRoom;
        return nWidth;
    };
    std::vector<ITEMANDWIDTH> entries;
    int nTotal = 0;
    for (size_t i = 0; i < m_items.size(); ++i) {
        ITEMANDWIDTH entry;
        entry.pItem = m_items[i];
        entry.nIndex = static_cast<int>(i);
        entry.bHasImage = ItemImage(m_pTabCtrl, entry.nIndex) >= 0;
        entry.strLabel = m_items[i]->szTabLabel;
        entry.nWidth = labelWidth(entry.strLabel, entry.bHasImage);
        nTotal += entry.nWidth;
        entries.push_back(entry);
    }
    CRect rcClient;
    m_pTabCtrl->GetClientRect(&rcClient);
    const DWORD dwStyle = m_pTabCtrl->GetStyle();
    const int nAvailable = (dwStyle & TCS_VERTICAL) ? rcClient.Height() : rcClient.Width();
    if (nAvailable != 0 && m_bAutoCondensing) {
        nTotal += kStripSlack + ((dwStyle & (TCS_VERTICAL | TCS_MULTILINE)) ? 1 : 0);
        TEXTMETRICA tm = {};
        dc.GetTextMetrics(&tm);
        const int nMinimum = (tm.tmAveCharWidth * 3 + 6) * 2;
        const int nEllipsis = static_cast<int>(sizeof(kEllipsis) - 1);
        while (nTotal > nAvailable) {
            ITEMANDWIDTH* pWidest = nullptr;
            for (ITEMANDWIDTH& entry : entries) {
                if (!entry.bFinished && (pWidest == nullptr || entry.nWidth > pWidest->nWidth))
                    pWidest = &entry;
            }
            if (pWidest == nullptr)
                break;
            const int nBefore = pWidest->nWidth;
            if (pWidest->strLabel.Right(nEllipsis) != kEllipsis)
                pWidest->strLabel += kEllipsis;
            for (;;) {
                pWidest->nWidth = labelWidth(pWidest->strLabel, pWidest->bHasImage);
                if (pWidest->strLabel.GetLength() <= kMinimumLabelChars || pWidest->nWidth <= nMinimum) {
                    pWidest->bFinished = true;
                    break;
                }
                if (pWidest->nWidth < nBefore)
                    break;
                const int nCut = pWidest->strLabel.GetLength() - nEllipsis - 1;
                pWidest->strLabel = pWidest->strLabel.Left(nCut) + kEllipsis;
            }
            nTotal += pWidest->nWidth - nBefore;
        }
    }
    for (ITEMANDWIDTH& entry : entries) {
        if (entry.pItem->szCondensedLabel == entry.strLabel)
            continue;
        entry.pItem->szCondensedLabel = entry.strLabel;
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<LPSTR>(static_cast<LPCSTR>(entry.pItem->szCondensedLabel));
        m_pTabCtrl->SendMessage(TCM_SETITEMA, static_cast<WPARAM>(entry.nIndex), reinterpret_cast<LPARAM>(&item));
    }
    dc.SelectObject(hOldFont);
}

// ---------------------------------------------------------------------------
// The window classes.

CKitTabCtrlBase::CKitTabCtrlBase()
{
    Bind(this);
}

BOOL CKitTabCtrlBase::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (OnCmdMsgImpl(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CTabCtrl::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CKitTabCtrlBase::PreTranslateMessage(MSG* pMsg)
{
    if (PreTranslateMessageImpl(pMsg))
        return TRUE;
    return CTabCtrl::PreTranslateMessage(pMsg);
}

void CKitTabCtrlBase::PreSubclassWindow()
{
    PreSubclassWindowImpl();
    CTabCtrl::PreSubclassWindow();
}

BOOL CKitTabCtrlBase::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!PreCreateWindowImpl(cs))
        return FALSE;
    return CTabCtrl::PreCreateWindow(cs);
}

BEGIN_MESSAGE_MAP(CKitTabCtrl, CKitTabCtrlBase)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_RBUTTONUP()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_NOTIFY_REFLECT(TCN_SELCHANGE, &CKitTabCtrl::OnSelChange)
    ON_NOTIFY_REFLECT(TCN_SELCHANGING, &CKitTabCtrl::OnSelChanging)
    ON_MESSAGE(WM_WINDOWPOSCHANGED, &CKitTabCtrl::OnWindowPosChanged)
    ON_MESSAGE(CKitControlTheme::kMsgSetControlTheme, &CKitTabCtrl::OnSetControlTheme)
    ON_MESSAGE(WM_SETTINGCHANGE, &CKitTabCtrl::OnSettingChange)
    ON_MESSAGE(WM_SYSCOLORCHANGE, &CKitTabCtrl::OnSettingChange)
END_MESSAGE_MAP()

CKitTabCtrl::CKitTabCtrl() = default;

CKitTabCtrl::~CKitTabCtrl() = default;

int CKitTabCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CTabCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    Initialize();
    return 0;
}

void CKitTabCtrl::OnDestroy()
{
    DeleteAllTabs(TRUE);
    CTabCtrl::OnDestroy();
}

void CKitTabCtrl::OnRButtonUp(UINT nFlags, CPoint point)
{
    if (m_nContextMenuID == 0) {
        CTabCtrl::OnRButtonUp(nFlags, point);
        return;
    }
    ClientToScreen(&point);
    HMENU hMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nContextMenuID));
    if (hMenu == nullptr)
        return;
    HMENU hPopup = ::GetSubMenu(hMenu, m_nContextMenuSub);
    CWnd* pOwner = m_pParentFrame != nullptr ? static_cast<CWnd*>(m_pParentFrame) : GetParent();
    if (hPopup != nullptr)
        ::TrackPopupMenu(hPopup, TPM_RIGHTBUTTON, point.x, point.y, 0,
                         pOwner != nullptr ? pOwner->GetSafeHwnd() : m_hWnd, nullptr);
    ::DestroyMenu(hMenu);
}

void CKitTabCtrl::OnPaint()
{
    OnPaintImpl();
}

BOOL CKitTabCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

LRESULT CKitTabCtrl::NotifyOwner(int nCode)
{
    CWnd* pOwner = GetWindow(GW_OWNER);
    if (pOwner == nullptr)
        pOwner = GetParent();
    if (pOwner == nullptr)
        return 0;
    return pOwner->SendMessage(static_cast<UINT>(nCode), static_cast<WPARAM>(GetDlgCtrlID()),
                               reinterpret_cast<LPARAM>(static_cast<CWnd*>(this)));
}

void CKitTabCtrl::OnSelChange(NMHDR*, LRESULT* pResult)
{
    *pResult = NotifyOwner(TCN_SELCHANGE);
    if (*pResult == 0)
        OnSelChangeImpl();
}

void CKitTabCtrl::OnSelChanging(NMHDR*, LRESULT* pResult)
{
    *pResult = NotifyOwner(TCN_SELCHANGING);
    if (*pResult == 0)
        RememberCurSel();
}

LRESULT CKitTabCtrl::OnWindowPosChanged(WPARAM, LPARAM lParam)
{
    OnWindowPosChangedImpl(reinterpret_cast<WINDOWPOS*>(lParam));
    const LRESULT lResult = Default();
    RefreshShortenedLabels();
    return lResult;
}

LRESULT CKitTabCtrl::OnSetControlTheme(WPARAM wParam, LPARAM)
{
    SetTheme(static_cast<int>(wParam));
    return 0;
}

LRESULT CKitTabCtrl::OnSettingChange(WPARAM wParam, LPARAM lParam)
{
    const UINT nMessage = AfxGetCurrentMessage()->message;
    const LRESULT lResult = Default();
    RefreshTheme();
    SendMessageToDescendants(nMessage, wParam, lParam, TRUE, TRUE);
    return lResult;
}
