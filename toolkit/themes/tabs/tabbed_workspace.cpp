#include "toolkit/themes/tabs/tabbed_workspace.h"

#include "framework/gdi.h"
#include "framework/ids.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/mouse_manager.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/common/image_manager.h"

#include <algorithm>
#include <utility>

namespace {

// The frame styles a child loses while it is a tab.
constexpr LONG_PTR kChildFrameStyles = WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr int kIconSize = 16;

// The items of a group, its new-tab item not counted.
int CountChildItems(const CKitTabClientWnd::CWorkspace* pWorkspace)
{
    return pWorkspace->GetItemCount() - (pWorkspace->GetNewTabItem() ? 1 : 0);
}

// Inverts the frame of rc, szFrame thick, with the halftone pattern; twice restores the screen.
void InvertFrame(HDC hdc, const CRect& rc, CSize szFrame)
{
    if (rc.IsRectEmpty() || (szFrame.cx <= 0 && szFrame.cy <= 0))
        return;
    static const WORD kPattern[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
    HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, kPattern);
    HBRUSH hBrush = ::CreatePatternBrush(hBitmap);
    HGDIOBJ hOld = ::SelectObject(hdc, hBrush);
    ::PatBlt(hdc, rc.left, rc.top, rc.Width(), szFrame.cy, PATINVERT);
    ::PatBlt(hdc, rc.left, rc.bottom - szFrame.cy, rc.Width(), szFrame.cy, PATINVERT);
    ::PatBlt(hdc, rc.left, rc.top + szFrame.cy, szFrame.cx, rc.Height() - 2 * szFrame.cy, PATINVERT);
    ::PatBlt(hdc, rc.right - szFrame.cx, rc.top + szFrame.cy, szFrame.cx, rc.Height() - 2 * szFrame.cy, PATINVERT);
    ::SelectObject(hdc, hOld);
    ::DeleteObject(hBrush);
    ::DeleteObject(hBitmap);
}

}  // namespace

// ---- the workspace ------------------------------------------------------------

CKitTabClientWnd::CWorkspace::CWorkspace(CKitTabClientWnd* pClient) : m_pClient(pClient)
{
    m_pClient->GetPaintManager()->AddClient(this);
    // The strip's close button shows for a closable selected tab.
    GetNavigateButtons()[CKitTabManagerNavigateButton::kClose]->SetShowMode(
        CKitTabManagerNavigateButton::kShowAutomatic);
}

CKitTabClientWnd::CWorkspace::~CWorkspace()
{
    m_pClient->GetPaintManager()->RemoveClient(this);
}

void CKitTabClientWnd::CWorkspace::InsertItemAtEnd(CKitTabManagerItem* pItem)
{
    const COLORREF clrItem = pItem->GetRawColor();
    const int nIndex = m_pNewTabItem ? m_pNewTabItem->GetIndex() : GetItemCount();
    AddItem(nIndex, pItem);
    pItem->SetColor(clrItem);
}

void CKitTabClientWnd::CWorkspace::CreateExtraItems()
{
    if (!m_pClient->IsNewTabShown() || m_pNewTabItem)
        return;
    m_pNewTabItem = AddItem(GetItemCount());
    m_pNewTabItem->SetClosable(FALSE);
}

void CKitTabClientWnd::CWorkspace::Reposition()
{
    m_pClient->RecalcLayout();
}

CString CKitTabClientWnd::CWorkspace::GetItemCaption(const CKitTabManagerItem* pItem) const
{
    if (!pItem->GetHandle())
        return CKitTabManager::GetItemCaption(pItem);
    char szText[256] = {};
    ::GetWindowTextA(pItem->GetHandle(), szText, sizeof(szText));
    return szText;
}

CString CKitTabClientWnd::CWorkspace::GetItemTooltip(const CKitTabManagerItem* pItem) const
{
    return pItem->GetHandle() ? GetItemCaption(pItem) : CKitTabManager::GetItemTooltip(pItem);
}

COLORREF CKitTabClientWnd::CWorkspace::GetItemColor(const CKitTabManagerItem* pItem) const
{
    const COLORREF clr = m_pClient->GetItemColor(pItem);
    if (clr == static_cast<COLORREF>(-1))
        return CKitTabManager::GetItemColor(pItem);
    if (clr >= CKitTabPaintManager::kAutoColorFirst &&
        clr < CKitTabPaintManager::kAutoColorFirst + CKitTabPaintManager::kAutoColorCount)
        return CKitTabPaintManager::GetAutoItemColor(clr);
    return clr;
}

void CKitTabClientWnd::CWorkspace::SetSelectedItem(CKitTabManagerItem* pItem)
{
    // The new-tab item stands for a command: the last item is selected instead.
    if (pItem && pItem == m_pNewTabItem)
        pItem = GetItemCount() > 0 ? GetItem(GetItemCount() - 1) : nullptr;
    CKitTabManager::SetSelectedItem(pItem);
}

CKitTabPaintManager* CKitTabClientWnd::CWorkspace::GetPaintManager() const
{
    return m_pClient->GetPaintManager();
}

void CKitTabClientWnd::CWorkspace::RedrawControl(const RECT* pRect, BOOL /*bAnimate*/)
{
    m_pClient->RedrawRect(pRect);
}

BOOL CKitTabClientWnd::CWorkspace::IsAllowReorder() const
{
    return CKitTabManager::IsAllowReorder() && !m_pClient->IsGroupsEnabled();
}

BOOL CKitTabClientWnd::CWorkspace::DrawIcon(CDC* pDC, CPoint pt, CKitTabManagerItem* pItem, BOOL bDraw, CSize& szIcon)
{
    szIcon = CSize(kIconSize, kIconSize);
    // Without an item the strip only asks for the size.
    if (!pItem)
        return GetPaintManager()->m_bShowIcons;
    CKitImageManagerIcon* pImage = nullptr;
    if (pItem == m_pNewTabItem) {
        pImage = CKitImageManager::Instance()->GetImage(m_pClient->GetNewTabCommand(), kIconSize);
    } else {
        if (!GetPaintManager()->m_bShowIcons)
            return FALSE;
        if (pItem->GetImageIndex() >= 0) {
            pImage = CKitImageManager::Instance()->GetImage(pItem->GetImageIndex(), kIconSize);
        } else {
            HWND hWnd = pItem->GetHandle();
            if (!hWnd)
                return FALSE;
            auto hIcon = reinterpret_cast<HICON>(::SendMessageA(hWnd, WM_GETICON, ICON_SMALL, 0));
            if (!hIcon)
                hIcon = reinterpret_cast<HICON>(::GetClassLongPtrA(hWnd, GCLP_HICONSM));
            if (!hIcon)
                hIcon = reinterpret_cast<HICON>(::GetClassLongPtrA(hWnd, GCLP_HICON));
            if (!hIcon)
                return FALSE;
            if (bDraw)
                ::DrawIconEx(pDC->GetSafeHdc(), pt.x, pt.y, hIcon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
            return TRUE;
        }
    }
    if (!pImage)
        return FALSE;
    if (bDraw)
        pItem->DrawImage(pDC, pt, szIcon, pImage);
    return TRUE;
}

void CKitTabClientWnd::CWorkspace::OnItemClick(CKitTabManagerItem* pItem)
{
    if (pItem == m_pNewTabItem) {
        if (CWnd* pParent = m_pClient->GetParent())
            pParent->SendMessage(WM_COMMAND, m_pClient->GetNewTabCommand(), 0);
        return;
    }
    m_pClient->SetCurrentWorkspace(this);
    CKitTabManager::SetSelectedItem(pItem);
    HWND hChild = pItem ? pItem->GetHandle() : nullptr;
    if (!hChild || !::IsWindow(hChild))
        return;
    m_pClient->SendMessage(WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hChild), 0);
    if (::IsIconic(hChild))
        ::SendMessageA(hChild, WM_SYSCOMMAND, SC_RESTORE, 0);
    const HWND hFocus = ::GetFocus();
    if (hFocus != hChild && !::IsChild(hChild, hFocus))
        ::SetFocus(hChild);
}

void CKitTabClientWnd::CWorkspace::OnPressItem(HWND hWnd, CPoint point, CKitTabManagerItem* pItem)
{
    CKitTabClientWnd* pClient = m_pClient;
    if (pItem == m_pNewTabItem) {
        pClient->SetCurrentWorkspace(this);
        OnItemClick(pItem);
        return;
    }
    // A lone tab has nowhere to go.
    if (pClient->GetWorkspaceCount() == 1 && GetItemCount() == 1) {
        OnItemClick(pItem);
        return;
    }
    m_pSelected = pItem;
    pClient->m_bLocked = TRUE;
    pClient->SetCurrentWorkspace(this);
    pClient->m_bLocked = FALSE;
    ::SetCapture(hWnd);
    RedrawControl(nullptr, FALSE);
    std::vector<CRect> arrRects;
    for (int i = 0; i < GetItemCount(); ++i)
        arrRects.push_back(GetItem(i)->GetRect());

    BOOL bDrop = FALSE;
    BOOL bFeedback = FALSE;
    while (::GetCapture() == hWnd) {
        const int nTaken = TakePressMessage(hWnd, &point);
        bDrop = nTaken == kPressReleased;
        if (nTaken == kPressOther)
            continue;
        if (nTaken != kPressMoved)
            break;
        if (!m_rcHeader.IsRectEmpty() && !m_rcHeader.PtInRect(point)) {
            if (!pClient->IsGroupsEnabled())
                continue;
            if (!bFeedback) {
                pClient->StartDragFeedback();
                bFeedback = TRUE;
            }
            CPoint ptClient = point;
            ::MapWindowPoints(hWnd, pClient->GetSafeHwnd(), &ptClient, 1);
            pClient->UpdateDragTarget(ptClient, pItem);
            continue;
        }
        if (bFeedback) {
            pClient->EndDragFeedback();
            bFeedback = FALSE;
            ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        }
        const int nCount = std::min<int>(GetItemCount(), static_cast<int>(arrRects.size()));
        for (int i = 0; i < nCount; ++i) {
            if (i == pItem->GetIndex() || !arrRects[i].PtInRect(point) || GetItem(i) == m_pNewTabItem)
                continue;
            std::swap(m_arrItems[pItem->GetIndex()], m_arrItems[i]);
            OnItemsChanged();
            break;
        }
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    PerformMouseMove(hWnd, point);
    OnItemClick(pItem);
    // Only a drop while the drag was outside the strip moves the tab.
    const int nKind = bFeedback ? pClient->GetDragKind() : kDragNone;
    CWorkspace* pTarget = pClient->GetDragTarget();
    if (bFeedback) {
        pClient->EndDragFeedback();
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    }
    if (bDrop && nKind == kDragNoTarget) {
        CPoint ptScreen = point;
        ::ClientToScreen(hWnd, &ptScreen);
        pClient->ShowTabContextMenu(ptScreen);
    } else if (bDrop && nKind >= kDragMove) {
        pClient->DropItem(pItem, pTarget, nKind);
    }
    if (CKitTabManager* pOwner = pItem->GetTabManager())
        pOwner->EnsureVisible(pItem);
}

void CKitTabClientWnd::CWorkspace::OnNavigateButtonClick(CKitTabManagerNavigateButton* pButton)
{
    if (pButton->GetID() != CKitTabManagerNavigateButton::kClose)
        return;
    CKitTabManagerItem* pItem = pButton->GetItem() ? pButton->GetItem() : GetSelectedItem();
    if (!pItem || !pItem->GetHandle())
        return;
    m_pClient->PostMessage(WM_IDLEUPDATECMDUI);
    ::SendMessageA(pItem->GetHandle(), WM_CLOSE, 0, 0);
}

BOOL CKitTabClientWnd::CWorkspace::IsMouseLocked() const
{
    return CKitMouseManager::GetThreadManager()->GetTrackCount() > 0;
}

// ---- the client: groups, actions, drag and drop -------------------------------

CKitTabClientWnd::CKitTabClientWnd()
{
    m_paintManager.SetAppearance(CKitTabPaintManager::kAppearancePropertyPage2003);
    m_paintManager.m_bHotTracking = TRUE;
    m_hCursorAllowed = ::LoadCursor(nullptr, IDC_ARROW);
    m_hCursorNotAllowed = ::LoadCursor(nullptr, IDC_NO);
}

CKitTabClientWnd::~CKitTabClientWnd()
{
    if (m_hDesktopDC)
        EndDragFeedback();
    DetachFromFrame();
    for (CWorkspace* pWorkspace : m_arrWorkspaces)
        if (pWorkspace != m_pHosted)
            delete pWorkspace;
    m_arrWorkspaces.clear();
}

int CKitTabClientWnd::FindWorkspace(const CKitTabManager* pWorkspace) const
{
    for (int i = 0; i < GetWorkspaceCount(); ++i)
        if (m_arrWorkspaces[i] == pWorkspace)
            return i;
    return -1;
}

void CKitTabClientWnd::SetNewTabCommand(UINT nCommand, BOOL bShow)
{
    m_nNewTabCommand = nCommand;
    m_bShowNewTab = bShow;
    for (CWorkspace* pWorkspace : m_arrWorkspaces)
        pWorkspace->CreateExtraItems();
    RecalcLayout();
}

CKitTabClientWnd::CWorkspace* CKitTabClientWnd::CreateWorkspace(int nIndex)
{
    auto* pWorkspace = new CWorkspace(this);
    nIndex = std::clamp(nIndex, 0, GetWorkspaceCount());
    m_arrWorkspaces.insert(m_arrWorkspaces.begin() + nIndex, pWorkspace);
    pWorkspace->CreateExtraItems();
    return pWorkspace;
}

void CKitTabClientWnd::RemoveWorkspace(CWorkspace* pWorkspace)
{
    const int nIndex = FindWorkspace(pWorkspace);
    if (nIndex < 0)
        return;
    m_arrWorkspaces.erase(m_arrWorkspaces.begin() + nIndex);
    if (m_pCurrent == pWorkspace)
        m_pCurrent = m_arrWorkspaces.empty() ? nullptr : m_arrWorkspaces[std::max(nIndex - 1, 0)];
    if (m_pDragTarget == pWorkspace)
        m_pDragTarget = nullptr;
    if (pWorkspace != m_pHosted)
        delete pWorkspace;
}

void CKitTabClientWnd::GatherItemsInto(CWorkspace* pTarget)
{
    m_bLayoutLocked = TRUE;
    CKitTabManagerItem* pSelected = m_pCurrent ? m_pCurrent->GetSelectedItem() : nullptr;
    std::vector<CWorkspace*> arrOld;
    arrOld.swap(m_arrWorkspaces);
    for (CWorkspace* pWorkspace : arrOld) {
        if (pWorkspace == pTarget)
            continue;
        while (CountChildItems(pWorkspace) > 0) {
            CKitTabManagerItem* pItem = pWorkspace->GetItem(0);
            if (pItem == pWorkspace->GetNewTabItem())
                pItem = pWorkspace->GetItem(1);
            // Held across the move: the target takes over this reference.
            pItem->InternalAddRef();
            pWorkspace->DeleteItem(pItem->GetIndex());
            pTarget->InsertItemAtEnd(pItem);
        }
        if (pWorkspace != m_pHosted)
            delete pWorkspace;
    }
    m_arrWorkspaces.push_back(pTarget);
    m_pCurrent = pTarget;
    m_pDragTarget = nullptr;
    if (pSelected && pSelected->GetTabManager() == pTarget)
        pTarget->SetSelectedItem(pSelected);
    m_bLayoutLocked = FALSE;
}

void CKitTabClientWnd::HostWorkspace(CWorkspace* pWorkspace)
{
    if (!pWorkspace || pWorkspace->GetTabClient() != this || pWorkspace == m_pHosted)
        return;
    CWorkspace* pOldHosted = m_pHosted;
    m_pHosted = pWorkspace;
    GatherItemsInto(pWorkspace);
    if (pOldHosted)
        pOldHosted->DeleteAllItems();
    UpdateContents();
}

void CKitTabClientWnd::ReleaseHostedWorkspace(CWorkspace* pWorkspace)
{
    if (!pWorkspace || pWorkspace != m_pHosted)
        return;
    CWorkspace* pOwn = new CWorkspace(this);
    GatherItemsInto(pOwn);
    m_pHosted = nullptr;
    pOwn->CreateExtraItems();
    UpdateContents();
}

BOOL CKitTabClientWnd::CanDoAction(UINT nId, CKitTabManagerItem** ppItem)
{
    if (ppItem)
        *ppItem = nullptr;
    if (!IsGroupsEnabled() || !GetSafeHwnd())
        return FALSE;
    int nWorkspace = -1;
    const auto hActive = reinterpret_cast<HWND>(SendMessage(WM_MDIGETACTIVE));
    CKitTabManagerItem* pItem = hActive ? FindItemByWindow(hActive, &nWorkspace) : nullptr;
    if (!pItem)
        return FALSE;
    if (ppItem)
        *ppItem = pItem;
    const BOOL bOneGroup = GetWorkspaceCount() == 1;
    const BOOL bSeveralItems = CountChildItems(m_arrWorkspaces[nWorkspace]) > 1;
    switch (nId) {
    case kIdTabGroupMovePrevious:
        return nWorkspace > 0;
    case kIdTabGroupMoveNext:
        return nWorkspace < GetWorkspaceCount() - 1;
    case kIdTabGroupNewHorizontal:
        return (bOneGroup || m_bHorizontal) && bSeveralItems;
    case kIdTabGroupNewVertical:
        return (bOneGroup || !m_bHorizontal) && bSeveralItems;
    default:
        return TRUE;
    }
}

BOOL CKitTabClientWnd::DoAction(UINT nId)
{
    CKitTabManagerItem* pItem = nullptr;
    if (nId < kIdTabGroupMovePrevious || nId > kIdTabGroupNewVertical || !CanDoAction(nId, &pItem))
        return FALSE;
    const int nWorkspace = FindWorkspace(pItem->GetTabManager());
    switch (nId) {
    case kIdTabGroupMovePrevious:
        DropItem(pItem, m_arrWorkspaces[nWorkspace - 1], kDragMove);
        break;
    case kIdTabGroupMoveNext:
        DropItem(pItem, m_arrWorkspaces[nWorkspace + 1], kDragMove);
        break;
    case kIdTabGroupNewHorizontal:
        DropItem(pItem, m_arrWorkspaces[nWorkspace], kDragNewBelow);
        break;
    default:
        DropItem(pItem, m_arrWorkspaces[nWorkspace], kDragNewRight);
        break;
    }
    return TRUE;
}

CKitTabManagerItem* CKitTabClientWnd::FindItemByWindow(HWND hWnd, int* pnWorkspace) const
{
    if (pnWorkspace)
        *pnWorkspace = -1;
    if (!hWnd)
        return nullptr;
    for (int i = 0; i < GetWorkspaceCount(); ++i) {
        CWorkspace* pWorkspace = m_arrWorkspaces[i];
        for (int j = 0; j < pWorkspace->GetItemCount(); ++j) {
            if (pWorkspace->GetItem(j)->GetHandle() == hWnd) {
                if (pnWorkspace)
                    *pnWorkspace = i;
                return pWorkspace->GetItem(j);
            }
        }
    }
    return nullptr;
}

void CKitTabClientWnd::ShowTabContextMenu(CPoint ptScreen)
{
    if (!m_pCommandBars)
        return;
    static const std::pair<UINT, const char*> kActions[] = {
        {kIdTabGroupNewHorizontal, kTextTabGroupNewHorizontal},
        {kIdTabGroupNewVertical, kTextTabGroupNewVertical},
        {kIdTabGroupMovePrevious, kTextTabGroupMovePrevious},
        {kIdTabGroupMoveNext, kTextTabGroupMoveNext},
    };
    CKitPopupBar* pPopup = CKitPopupBar::CreatePopupBar(m_pCommandBars);
    for (const auto& action : kActions)
        if (CanDoAction(action.first))
            pPopup->GetControls()->Add(kitControlButton, action.first)->SetCaption(action.second);
    CKitControl* pCancel = pPopup->GetControls()->Add(kitControlButton, kIdTabGroupCancel);
    pCancel->SetCaption(kTextTabGroupCancel);
    pCancel->SetBeginGroup(TRUE);
    // The commands are the client's own: it updates and receives them.
    m_pCommandBars->TrackPopupMenu(pPopup, 0, ptScreen.x, ptScreen.y, this, nullptr, this);
    pPopup->InternalRelease();
}

void CKitTabClientWnd::UpdateDragTarget(CPoint point, CKitTabManagerItem* pItem)
{
    CWorkspace* pTarget = nullptr;
    int nKind = kDragNone;
    CRect rcTarget;
    CRect rcClient;
    GetClientRect(&rcClient);
    if (!rcClient.PtInRect(point)) {
        ::SetCursor(m_hCursorNotAllowed);
    } else {
        ::SetCursor(m_hCursorAllowed);
        nKind = kDragNoTarget;
        const CKitTabManager* pOwn = pItem ? pItem->GetTabManager() : nullptr;
        const int nOwn = FindWorkspace(pOwn);
        const BOOL bOwnSplits = nOwn >= 0 && CountChildItems(m_arrWorkspaces[nOwn]) >= 2;
        const BOOL bOneGroup = GetWorkspaceCount() == 1;
        for (CWorkspace* pWorkspace : m_arrWorkspaces) {
            const CRect rcControl = pWorkspace->GetControlRect();
            if (pWorkspace->GetHeaderRect().PtInRect(point)) {
                pTarget = pWorkspace;
                nKind = kDragMove;
                rcTarget = rcControl;
                break;
            }
            if ((!bOwnSplits && pWorkspace == pOwn) || !rcControl.PtInRect(point))
                continue;
            CRect rcPage = pWorkspace->GetClientRect();
            if ((bOneGroup || m_bHorizontal) && rcControl.bottom - point.y < kSplitZone) {
                pTarget = pWorkspace;
                nKind = kDragNewBelow;
                rcPage.top = (rcPage.top + rcPage.bottom) / 2;
                rcTarget = rcPage;
                break;
            }
            if ((bOneGroup || !m_bHorizontal) && rcControl.right - point.x < kSplitZone) {
                pTarget = pWorkspace;
                nKind = kDragNewRight;
                rcPage.left = (rcPage.left + rcPage.right) / 2;
                rcTarget = rcPage;
                break;
            }
        }
    }
    m_pDragTarget = pTarget;
    m_nDragKind = nKind;
    if (rcTarget != m_rcDrag) {
        m_rcDrag = rcTarget;
        if (m_hDesktopDC) {
            CRect rcScreen = rcTarget;
            ClientToScreen(&rcScreen);
            if (rcTarget.IsRectEmpty())
                rcScreen.SetRectEmpty();
            const CSize szFrame(::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME));
            DrawDragRect(rcScreen, szFrame, m_rcDragLast, m_szDragLast);
        }
    }
}

void CKitTabClientWnd::DrawDragRect(const CRect& rc, CSize szFrame, const CRect& rcLast, CSize szLast)
{
    InvertFrame(m_hDesktopDC, rcLast, szLast);
    InvertFrame(m_hDesktopDC, rc, szFrame);
    m_rcDragLast = rc;
    m_szDragLast = szFrame;
}

void CKitTabClientWnd::StartDragFeedback()
{
    if (m_hDesktopDC)
        return;
    MSG msg;
    while (::PeekMessage(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
        ::DispatchMessage(&msg);
    HWND hDesktop = ::GetDesktopWindow();
    m_bDesktopLocked = ::LockWindowUpdate(hDesktop);
    m_hDesktopDC = ::GetDCEx(hDesktop, nullptr, DCX_WINDOW | DCX_CACHE | (m_bDesktopLocked ? DCX_LOCKWINDOWUPDATE : 0));
    m_pDragTarget = nullptr;
    m_nDragKind = kDragNone;
    m_rcDrag.SetRectEmpty();
    m_rcDragLast.SetRectEmpty();
    m_szDragLast = CSize(0, 0);
}

void CKitTabClientWnd::EndDragFeedback()
{
    if (!m_hDesktopDC)
        return;
    DrawDragRect(CRect(), CSize(0, 0), m_rcDragLast, m_szDragLast);
    if (m_bDesktopLocked)
        ::LockWindowUpdate(nullptr);
    m_bDesktopLocked = FALSE;
    ::ReleaseDC(::GetDesktopWindow(), m_hDesktopDC);
    m_hDesktopDC = nullptr;
}

void CKitTabClientWnd::DropItem(CKitTabManagerItem* pItem, CWorkspace* pTarget, int nKind)
{
    auto* pSource = pItem ? static_cast<CWorkspace*>(pItem->GetTabManager()) : nullptr;
    if (!pSource || FindWorkspace(pSource) < 0 || FindWorkspace(pTarget) < 0 || nKind < kDragMove ||
        nKind > kDragNewRight)
        return;
    m_bLocked = TRUE;
    m_bLayoutLocked = TRUE;
    BOOL bMoved = FALSE;
    if (nKind == kDragMove) {
        if (pTarget == pSource) {
            pTarget->SetSelectedItem(pItem);
        } else {
            // Held across the move: the target takes over this reference.
            pItem->InternalAddRef();
            pSource->DeleteItem(pItem->GetIndex());
            pTarget->InsertItemAtEnd(pItem);
            pTarget->SetSelectedItem(pItem);
            bMoved = TRUE;
        }
    } else {
        // Measured along the arrangement the split makes (the same as the present one with several groups).
        for (CWorkspace* pWorkspace : m_arrWorkspaces) {
            const CRect rc = pWorkspace->GetControlRect();
            pWorkspace->SetSize(nKind == kDragNewBelow ? rc.Height() : rc.Width());
        }
        pItem->InternalAddRef();
        pSource->DeleteItem(pItem->GetIndex());
        CWorkspace* pNew = CreateWorkspace(FindWorkspace(pTarget) + 1);
        pNew->InsertItemAtEnd(pItem);
        pNew->SetSelectedItem(pItem);
        const double dNewSize = (pTarget->GetSize() - m_nSplitterWidth) / 2;
        pTarget->SetSize(pTarget->GetSize() - dNewSize - m_nSplitterWidth);
        pNew->SetSize(dNewSize);
        m_bHorizontal = nKind == kDragNewBelow;
        bMoved = TRUE;
    }
    if (bMoved && CountChildItems(pSource) > 1) {
        for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
            CKitTabManagerItem* pTop = FindItemByWindow(hChild);
            if (pTop && pTop->GetTabManager() == pSource) {
                pSource->SetSelectedItem(pTop);
                break;
            }
        }
    }
    m_pCurrent = static_cast<CWorkspace*>(pItem->GetTabManager());
    m_bLocked = FALSE;
    m_bLayoutLocked = FALSE;
    RecalcLayout();
}

// ---- the client window --------------------------------------------------------

BEGIN_MESSAGE_MAP(CKitTabClientWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, &CKitTabClientWnd::OnMouseLeave)
    ON_MESSAGE(WM_MDICREATE, &CKitTabClientWnd::OnChildrenChanged)
    ON_MESSAGE(WM_MDIDESTROY, &CKitTabClientWnd::OnChildrenChanged)
    ON_MESSAGE(WM_MDIACTIVATE, &CKitTabClientWnd::OnChildrenChanged)
    ON_MESSAGE(WM_MDINEXT, &CKitTabClientWnd::OnChildrenChanged)
    ON_MESSAGE(WM_MDICASCADE, &CKitTabClientWnd::OnArrange)
    ON_MESSAGE(WM_MDITILE, &CKitTabClientWnd::OnArrange)
    ON_MESSAGE(WM_MDIICONARRANGE, &CKitTabClientWnd::OnArrange)
    ON_MESSAGE(WM_MDIMAXIMIZE, &CKitTabClientWnd::OnArrange)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CKitTabClientWnd::OnIdleUpdateCmdUI)
    ON_COMMAND_RANGE(kIdTabGroupMovePrevious, kIdTabGroupCancel, &CKitTabClientWnd::OnTabGroupCommand)
END_MESSAGE_MAP()

BOOL CKitTabClientWnd::AttachToFrame(CWnd* pFrame, BOOL bEnableGroups)
{
    if (GetSafeHwnd() || !pFrame || !pFrame->GetSafeHwnd())
        return FALSE;
    HWND hClient = ::FindWindowExA(pFrame->GetSafeHwnd(), nullptr, "MDICLIENT", nullptr);
    if (!hClient || CWnd::FromHandlePermanent(hClient) || !SubclassWindow(hClient))
        return FALSE;
    m_pFrame = pFrame;
    m_bGroupsEnabled = bEnableGroups;
    ModifyStyle(WS_HSCROLL | WS_VSCROLL, WS_CLIPCHILDREN);
    if (m_arrWorkspaces.empty())
        m_pCurrent = CreateWorkspace(0);
    UpdateContents();
    return TRUE;
}

void CKitTabClientWnd::DetachFromFrame()
{
    if (m_hDesktopDC)
        EndDragFeedback();
    for (const auto& child : m_arrChildStyles) {
        if (!::IsWindow(child.first))
            continue;
        ::SetWindowLongPtrA(child.first, GWL_STYLE, child.second);
        ::SetWindowPos(child.first, nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    m_arrChildStyles.clear();
    for (CWorkspace* pWorkspace : m_arrWorkspaces)
        pWorkspace->DeleteAllItems();
    if (GetSafeHwnd()) {
        UnsubclassWindow();
    }
    m_pFrame = nullptr;
}

void CKitTabClientWnd::AttachChild(HWND hChild)
{
    if (::IsZoomed(hChild))
        SendMessage(WM_MDIRESTORE, reinterpret_cast<WPARAM>(hChild));
    const LONG_PTR nStyle = ::GetWindowLongPtrA(hChild, GWL_STYLE);
    m_arrChildStyles.emplace_back(hChild, nStyle);
    ::SetWindowLongPtrA(hChild, GWL_STYLE, nStyle & ~kChildFrameStyles);
    ::SetWindowPos(hChild, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CKitTabClientWnd::UpdateContents()
{
    if (!GetSafeHwnd() || m_arrWorkspaces.empty())
        return;
    m_bLayoutLocked = TRUE;
    // Children that went away, or left the client.
    for (CWorkspace* pWorkspace : m_arrWorkspaces) {
        for (int i = pWorkspace->GetItemCount() - 1; i >= 0; --i) {
            HWND hChild = pWorkspace->GetItem(i)->GetHandle();
            if (hChild && (!::IsWindow(hChild) || ::GetParent(hChild) != m_hWnd)) {
                pWorkspace->DeleteItem(i);
                m_arrChildStyles.erase(std::remove_if(m_arrChildStyles.begin(), m_arrChildStyles.end(),
                                                      [hChild](const auto& child) { return child.first == hChild; }),
                                       m_arrChildStyles.end());
            }
        }
    }
    // New children, in the order they were made.
    std::vector<HWND> arrNew;
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        if ((::GetWindowLongA(hChild, GWL_EXSTYLE) & WS_EX_MDICHILD) && !FindItemByWindow(hChild))
            arrNew.push_back(hChild);
    std::sort(arrNew.begin(), arrNew.end(),
              [](HWND a, HWND b) { return ::GetDlgCtrlID(a) < ::GetDlgCtrlID(b); });
    CWorkspace* pTarget = m_pCurrent ? m_pCurrent : m_arrWorkspaces.front();
    for (HWND hChild : arrNew) {
        AttachChild(hChild);
        auto* pItem = new CKitTabManagerItem;
        pItem->SetHandle(hChild);
        pItem->SetImageIndex(-1);
        pTarget->AddItem(pTarget->GetNewTabItem() ? pTarget->GetNewTabItem()->GetIndex() : -1, pItem);
    }
    // The active child's tab is selected and its group current.
    int nWorkspace = -1;
    const auto hActive = reinterpret_cast<HWND>(SendMessage(WM_MDIGETACTIVE));
    if (CKitTabManagerItem* pActive = FindItemByWindow(hActive, &nWorkspace)) {
        m_pCurrent = m_arrWorkspaces[nWorkspace];
        if (m_pCurrent->GetSelectedItem() != pActive)
            m_pCurrent->SetSelectedItem(pActive);
    }
    for (CWorkspace* pWorkspace : m_arrWorkspaces)
        if (!pWorkspace->GetSelectedItem() && CountChildItems(pWorkspace) > 0)
            pWorkspace->SetCurSel(0);
    m_bLayoutLocked = FALSE;
    RecalcLayout();
}

void CKitTabClientWnd::RecalcLayout()
{
    if (!GetSafeHwnd() || m_bLayoutLocked || m_arrWorkspaces.empty())
        return;
    m_bLayoutLocked = TRUE;
    // A group left without tabs goes; one group always stays.
    for (int i = GetWorkspaceCount() - 1; i >= 0 && GetWorkspaceCount() > 1; --i)
        if (CountChildItems(m_arrWorkspaces[i]) == 0)
            RemoveWorkspace(m_arrWorkspaces[i]);
    if (!m_pCurrent)
        m_pCurrent = m_arrWorkspaces.front();

    CRect rcClient;
    GetClientRect(&rcClient);
    if (m_pHosted) {
        // The bar shows the tabs; the children fill the client.
        PlaceChildren(m_pHosted, rcClient);
        m_bLayoutLocked = FALSE;
        RedrawWorkspaces();
        return;
    }
    const int nCount = GetWorkspaceCount();
    const int nExtent = m_bHorizontal ? rcClient.Height() : rcClient.Width();
    const int nAvailable = std::max(nExtent - m_nSplitterWidth * (nCount - 1), 0);
    double dTotal = 0;
    for (const CWorkspace* pWorkspace : m_arrWorkspaces)
        dTotal += std::max(pWorkspace->GetSize(), 1.0);
    int nPosition = m_bHorizontal ? rcClient.top : rcClient.left;
    const int nEnd = m_bHorizontal ? rcClient.bottom : rcClient.right;
    for (int i = 0; i < nCount; ++i) {
        CWorkspace* pWorkspace = m_arrWorkspaces[i];
        const int nLength = i == nCount - 1
                                ? nEnd - nPosition
                                : static_cast<int>(nAvailable * std::max(pWorkspace->GetSize(), 1.0) / dTotal + 0.5);
        CRect rc = rcClient;
        if (m_bHorizontal) {
            rc.top = nPosition;
            rc.bottom = nPosition + nLength;
        } else {
            rc.left = nPosition;
            rc.right = nPosition + nLength;
        }
        nPosition += nLength + m_nSplitterWidth;
        m_paintManager.RepositionTabControl(pWorkspace, nullptr, rc);
        PlaceChildren(pWorkspace, pWorkspace->GetClientRect());
    }
    m_bLayoutLocked = FALSE;
    RedrawWorkspaces();
}

void CKitTabClientWnd::PlaceChildren(CWorkspace* pWorkspace, const CRect& rcPage)
{
    // Every child of the group fills the page; the selected one lies on top.
    for (int j = 0; j < pWorkspace->GetItemCount(); ++j) {
        CKitTabManagerItem* pItem = pWorkspace->GetItem(j);
        if (!pItem->GetHandle() || pItem == pWorkspace->GetSelectedItem())
            continue;
        ::SetWindowPos(pItem->GetHandle(), nullptr, rcPage.left, rcPage.top, rcPage.Width(), rcPage.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (CKitTabManagerItem* pSelected = pWorkspace->GetSelectedItem(); pSelected && pSelected->GetHandle())
        ::SetWindowPos(pSelected->GetHandle(), HWND_TOP, rcPage.left, rcPage.top, rcPage.Width(), rcPage.Height(),
                       SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CKitTabClientWnd::RedrawWorkspaces()
{
    RedrawRect(nullptr);
}

void CKitTabClientWnd::RedrawRect(const RECT* pRect)
{
    if (!m_bLocked && GetSafeHwnd())
        ::InvalidateRect(m_hWnd, pRect, FALSE);
}

CKitTabClientWnd::CWorkspace* CKitTabClientWnd::HitTestWorkspace(CPoint point) const
{
    for (CWorkspace* pWorkspace : m_arrWorkspaces)
        if (pWorkspace != m_pHosted && pWorkspace->GetControlRect().PtInRect(point))
            return pWorkspace;
    return nullptr;
}

void CKitTabClientWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    dc.FillSolidRect(rcClient, ::GetSysColor(COLOR_BTNFACE));
    for (CWorkspace* pWorkspace : m_arrWorkspaces)
        if (pWorkspace != m_pHosted)
            m_paintManager.DrawTabControl(pWorkspace, &dc, pWorkspace->GetControlRect());
}

BOOL CKitTabClientWnd::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CKitTabClientWnd::OnSize(UINT /*nType*/, int /*cx*/, int /*cy*/)
{
    Default();
    RecalcLayout();
}

void CKitTabClientWnd::OnLButtonDown(UINT /*nFlags*/, CPoint point)
{
    if (CWorkspace* pWorkspace = HitTestWorkspace(point))
        pWorkspace->PerformClick(m_hWnd, point);
}

void CKitTabClientWnd::OnMouseMove(UINT /*nFlags*/, CPoint point)
{
    for (CWorkspace* pWorkspace : m_arrWorkspaces)
        if (pWorkspace != m_pHosted)
            pWorkspace->PerformMouseMove(m_hWnd, point);
}

LRESULT CKitTabClientWnd::OnMouseLeave(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    for (CWorkspace* pWorkspace : m_arrWorkspaces)
        if (pWorkspace != m_pHosted)
            pWorkspace->PerformMouseMove(m_hWnd, CPoint(-1, -1));
    return 0;
}

LRESULT CKitTabClientWnd::OnChildrenChanged(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    const LRESULT lResult = Default();
    UpdateContents();
    return lResult;
}

LRESULT CKitTabClientWnd::OnArrange(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    // The groups decide where the children go.
    return 0;
}

LRESULT CKitTabClientWnd::OnIdleUpdateCmdUI(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    UpdateContents();
    return Default();
}

void CKitTabClientWnd::OnTabGroupCommand(UINT nId)
{
    DoAction(nId);
}

// ---- the tabs in a bar ----------------------------------------------------------

// The control's workspace: its header follows the bar's edge and it draws through the bar.
class CKitControlTabWorkspace::CBarWorkspace : public CKitTabClientWnd::CWorkspace {
public:
    CBarWorkspace(CKitTabClientWnd* pClient, CKitControlTabWorkspace* pControl)
        : CWorkspace(pClient), m_pControl(pControl)
    {
    }

    int GetPosition() const override
    {
        const CKitCommandBar* pBar = m_pControl->GetParent();
        switch (pBar ? pBar->GetPosition() : kitBarTop) {
        case kitBarBottom:
            return CKitTabPaintManager::kBottom;
        case kitBarLeft:
            return CKitTabPaintManager::kLeft;
        case kitBarRight:
            return CKitTabPaintManager::kRight;
        default:
            return CKitTabPaintManager::kTop;
        }
    }

    // The bar lays its controls out again and the control redraws.
    void Reposition() override
    {
        CKitCommandBar* pBar = m_pControl->GetParent();
        if (!pBar || !pBar->GetSafeHwnd())
            return;
        m_pControl->SetForceReposition();
        pBar->DelayLayout();
        m_pControl->RedrawParent(FALSE);
    }

    void RedrawControl(const RECT* pRect, BOOL /*bAnimate*/) override
    {
        CKitCommandBar* pBar = m_pControl->GetParent();
        const CRect rcControl = m_pControl->GetRect();
        if (pBar && pBar->GetSafeHwnd())
            ::InvalidateRect(pBar->GetSafeHwnd(), pRect ? pRect : &rcControl, FALSE);
    }

private:
    CKitControlTabWorkspace* m_pControl;
};

IMPLEMENT_DYNCREATE(CKitControlTabWorkspace, CKitControlButton)

CKitControlTabWorkspace::CKitControlTabWorkspace()
{
    m_nWidth = kDefaultWidth;
    m_dwFlags = kitFlagSkipFocus | kitFlagNoMovable;
}

CKitControlTabWorkspace::~CKitControlTabWorkspace()
{
    SetTabClient(nullptr);
}

CKitTabClientWnd::CWorkspace* CKitControlTabWorkspace::GetWorkspace() const
{
    return m_pWorkspace;
}

void CKitControlTabWorkspace::SetTabClient(CKitTabClientWnd* pClient)
{
    if (pClient == m_pClient)
        return;
    if (m_pClient) {
        m_pClient->ReleaseHostedWorkspace(m_pWorkspace);
        delete m_pWorkspace;
        m_pWorkspace = nullptr;
    }
    m_pClient = pClient;
    if (m_pClient) {
        m_pWorkspace = new CBarWorkspace(m_pClient, this);
        m_pClient->HostWorkspace(m_pWorkspace);
    }
    m_bForceReposition = TRUE;
}

CSize CKitControlTabWorkspace::GetSize(CDC* pDC)
{
    if (!m_pClient)
        return CKitControlButton::GetSize(pDC);
    CKitTabPaintManager* pPaintManager = m_pClient->GetPaintManager();
    int nHeight = pPaintManager->GetAppearanceSet()->GetHeaderHeight(m_pWorkspace);
    if (pPaintManager->m_bStaticFrame)
        nHeight += 2;
    const CKitCommandBar* pBar = GetParent();
    const int nPosition = pBar ? pBar->GetPosition() : kitBarTop;
    if (nPosition == kitBarLeft || nPosition == kitBarRight || nPosition == kitBarPopup)
        return CSize(nHeight, m_nWidth);
    return CSize(m_nWidth, nHeight);
}

void CKitControlTabWorkspace::SetRect(const CRect& rc)
{
    if (rc == GetRect() && !m_bForceReposition)
        return;
    CKitControlButton::SetRect(rc);
    if (!m_pClient)
        return;
    m_bForceReposition = FALSE;
    m_pClient->GetPaintManager()->RepositionTabControl(m_pWorkspace, nullptr, rc);
}

void CKitControlTabWorkspace::Draw(CDC* pDC)
{
    if (!m_pClient) {
        CKitControlButton::Draw(pDC);
        return;
    }
    m_pClient->GetPaintManager()->DrawTabControl(m_pWorkspace, pDC, GetRect());
}

void CKitControlTabWorkspace::OnMouseMove(CPoint pt)
{
    if (m_pClient && GetParent())
        m_pWorkspace->PerformMouseMove(GetParent()->GetSafeHwnd(), pt);
}

void CKitControlTabWorkspace::OnClick(BOOL bKeyboard, CPoint pt)
{
    if (!m_pClient) {
        CKitControlButton::OnClick(bKeyboard, pt);
        return;
    }
    if (!bKeyboard && GetParent())
        m_pWorkspace->PerformClick(GetParent()->GetSafeHwnd(), pt);
}

INT_PTR CKitControlTabWorkspace::OnToolHitTest(CPoint pt, TOOLINFOA* pTI)
{
    if (!m_pClient || !GetParent())
        return -1;
    return m_pWorkspace->CKitTabManager::OnToolHitTest(GetParent()->GetSafeHwnd(), pt, pTI);
}

void CKitControlTabWorkspace::OnRemoved()
{
    SetTabClient(nullptr);
    CKitControlButton::OnRemoved();
}

void CKitControlTabWorkspace::Copy(const CKitControl* pSource, BOOL bRecursive)
{
    CKitControlButton::Copy(pSource, bRecursive);
    m_bForceReposition = TRUE;
}
