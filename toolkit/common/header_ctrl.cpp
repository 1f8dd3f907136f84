#include "toolkit/common/header_ctrl.h"

#include "framework/gdi.h"
#include "framework/menu.h"
#include "toolkit/common/aux_data.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/header_themes.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/common/resources.h"
#include "toolkit/common/toolkit_ids.h"
#include "toolkit/common/upper_services.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CKitHeaderCtrl, CHeaderCtrl)

namespace {

constexpr int kTextBuffer = 256;
constexpr DWORD kNoSortHeader = LVS_NOSORTHEADER;

bool IsListClass(HWND hWnd)
{
    char szClass[64] = {};
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    return lstrcmpiA(szClass, WC_LISTVIEWA) == 0;
}

} // namespace

BEGIN_MESSAGE_MAP(CKitHeaderCtrl, CHeaderCtrl)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_RBUTTONDOWN()
    ON_WM_DESTROY()
    ON_NOTIFY_REFLECT_EX(HDN_ITEMCHANGINGA, &CKitHeaderCtrl::OnItemChanging)
    ON_NOTIFY_REFLECT_EX(HDN_ITEMCHANGINGW, &CKitHeaderCtrl::OnItemChanging)
    ON_MESSAGE(WM_PRINTCLIENT, &CKitHeaderCtrl::OnPrintClient)
    ON_MESSAGE(WM_WINDOWPOSCHANGING, &CKitHeaderCtrl::OnWindowPosChanging)
    ON_MESSAGE(HDM_LAYOUT, &CKitHeaderCtrl::OnLayout)
    ON_MESSAGE(WM_SETTINGCHANGE, &CKitHeaderCtrl::OnSettingChange)
    ON_MESSAGE(WM_SYSCOLORCHANGE, &CKitHeaderCtrl::OnSettingChange)
    ON_MESSAGE(CKitControlTheme::kMsgSetControlTheme, &CKitHeaderCtrl::OnSetTheme)
    ON_COMMAND(ID_KIT_SORT_ASCENDING, &CKitHeaderCtrl::OnSortAscending)
    ON_COMMAND(ID_KIT_SORT_DESCENDING, &CKitHeaderCtrl::OnSortDescending)
    ON_COMMAND(ID_KIT_ALIGN_LEFT, &CKitHeaderCtrl::OnAlignLeft)
    ON_COMMAND(ID_KIT_ALIGN_CENTER, &CKitHeaderCtrl::OnAlignCenter)
    ON_COMMAND(ID_KIT_ALIGN_RIGHT, &CKitHeaderCtrl::OnAlignRight)
END_MESSAGE_MAP()

CKitHeaderCtrl::CKitHeaderCtrl()
    : m_nMinWidth(0), m_nSubMenuIndex(0), m_nHotItem(-1), m_nSortedCol(-1), m_bRTL(0), m_bAutoSize(FALSE),
      m_bEnableMenus(TRUE), m_bAscending(TRUE), m_bLBtnDown(FALSE), m_bPainted(FALSE), m_nMenuID(0), m_pt(0, 0),
      m_pTheme(nullptr), m_pImageManager(nullptr)
{
    m_bRTL = static_cast<BYTE>(IsRTLReading());
    SetTheme(CKitControlTheme::kThemeDefault);
}

CKitHeaderCtrl::~CKitHeaderCtrl()
{
    CKitControlTheme::Release(m_pTheme);
    if (m_pImageManager != nullptr)
        m_pImageManager->InternalRelease();
}

void CKitHeaderCtrl::SetTheme(int nTheme)
{
    CKitControlTheme::Release(m_pTheme);
    m_pTheme = KitCreateHeaderTheme(nTheme);
    if (m_pTheme->GetThemeID() == CKitControlTheme::kThemeExplorer)
        m_pTheme->SetDrawStyle(CKitHeaderCtrlTheme::kUseVisualStyle | CKitHeaderCtrlTheme::kHotTracking |
                                   CKitHeaderCtrlTheme::kSortArrows,
                               this);
    RefreshMetrics();
}

void CKitHeaderCtrl::SetImageManager(CKitImageManager* pImageManager)
{
    if (pImageManager != nullptr)
        pImageManager->InternalAddRef();
    if (m_pImageManager != nullptr)
        m_pImageManager->InternalRelease();
    m_pImageManager = pImageManager;
}

CRect CKitHeaderCtrl::GetItemRect(int nIndex) const
{
    CRect rc(0, 0, 0, 0);
    CHeaderCtrl::GetItemRect(nIndex, &rc);
    return rc;
}

int CKitHeaderCtrl::HitTest(CPoint point, UINT* pFlags) const
{
    HDHITTESTINFO info = {};
    info.pt = point;
    const int nItem = HitTest(&info);
    if (pFlags != nullptr)
        *pFlags = info.flags;
    return nItem;
}

BOOL CKitHeaderCtrl::IsParentList() const
{
    CWnd* pParent = GetParent();
    return pParent != nullptr && IsListClass(pParent->GetSafeHwnd());
}

BOOL CKitHeaderCtrl::IsColumnLocked(int nIndex) const
{
    return std::find(m_lockedColumns.begin(), m_lockedColumns.end(), nIndex) != m_lockedColumns.end();
}

void CKitHeaderCtrl::LockColumn(int nIndex, BOOL bLock)
{
    auto found = std::find(m_lockedColumns.begin(), m_lockedColumns.end(), nIndex);
    if (bLock && found == m_lockedColumns.end())
        m_lockedColumns.push_back(nIndex);
    else if (!bLock && found != m_lockedColumns.end())
        m_lockedColumns.erase(found);
}

int CKitHeaderCtrl::GetSortedColumn(BOOL* pbAscending) const
{
    if (pbAscending != nullptr)
        *pbAscending = m_bAscending;
    return m_nSortedCol;
}

void CKitHeaderCtrl::SetSortedColumn(int nColumn, BOOL bAscending)
{
    m_nSortedCol = nColumn;
    m_bAscending = static_cast<BYTE>(bAscending != FALSE);
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

BOOL CKitHeaderCtrl::ItemPressed(int nIndex)
{
    if (!m_bLBtnDown || m_hWnd == nullptr)
        return FALSE;
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    UINT nFlags = 0;
    return HitTest(point, &nFlags) == nIndex && (nFlags & HHT_ONHEADER) != 0;
}

void CKitHeaderCtrl::RecalcLayout()
{
    if (m_hWnd == nullptr)
        return;
    CRect rc;
    GetClientRect(&rc);
    WINDOWPOS wp = {};
    HDLAYOUT layout = {&rc, &wp};
    SendMessage(HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout));
    SetWindowPos(CWnd::FromHandle(wp.hwndInsertAfter), wp.x, wp.y, wp.cx, wp.cy, wp.flags | SWP_FRAMECHANGED);
    if (CWnd* pParent = GetParent()) {
        CRect rcParent;
        pParent->GetWindowRect(&rcParent);
        pParent->SetWindowPos(nullptr, 0, 0, rcParent.Width(), rcParent.Height() + 1,
                              SWP_NOMOVE | SWP_FRAMECHANGED | SWP_NOZORDER);
        pParent->SetWindowPos(nullptr, 0, 0, rcParent.Width(), rcParent.Height(),
                              SWP_NOMOVE | SWP_FRAMECHANGED | SWP_NOZORDER);
    }
}

void CKitHeaderCtrl::InitializeHeader(BOOL bBoldFont)
{
    CKitAuxData* pData = CKitAuxData::Instance();
    SendMessage(WM_SETFONT,
                reinterpret_cast<WPARAM>((bBoldFont ? pData->fontBold : pData->fontNormal).GetSafeHandle()));
}

void CKitHeaderCtrl::SetFontBold(BOOL bBold)
{
    InitializeHeader(bBold);
    RedrawWindow();
}

void CKitHeaderCtrl::SetMenuID(UINT nMenuID, int nSubMenu)
{
    m_nMenuID = nMenuID;
    m_nSubMenuIndex = nSubMenu;
}

void CKitHeaderCtrl::ShowSortArrow(BOOL bShow)
{
    const DWORD dwStyle = m_pTheme->GetDrawStyle();
    m_pTheme->SetDrawStyle(bShow ? (dwStyle | CKitHeaderCtrlTheme::kSortArrows)
                                 : (dwStyle & ~static_cast<DWORD>(CKitHeaderCtrlTheme::kSortArrows)),
                           this);
}

void CKitHeaderCtrl::SetAlignment(int nFormat)
{
    CWnd* pParent = GetParent();
    if (!IsParentList())
        return;
    const int nColumn = HitTest(m_pt);
    if (nColumn < 0)
        return;
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT;
    if (!pParent->SendMessage(LVM_GETCOLUMNA, static_cast<WPARAM>(nColumn), reinterpret_cast<LPARAM>(&column)))
        return;
    column.fmt = (column.fmt & ~LVCFMT_JUSTIFYMASK) | nFormat;
    pParent->SendMessage(LVM_SETCOLUMNA, static_cast<WPARAM>(nColumn), reinterpret_cast<LPARAM>(&column));
    pParent->SendMessage(LVM_SETWORKAREAS, 0, 0);
}

BOOL CKitHeaderCtrl::IsRTLReading()
{
    HDC hDC = ::GetDC(nullptr);
    const UINT nAlign = ::GetTextAlign(hDC);
    ::ReleaseDC(nullptr, hDC);
    return (nAlign & TA_RTLREADING) != 0 && nAlign != GDI_ERROR;
}

void CKitHeaderCtrl::ApplyFieldWidths(int nTotalWidth)
{
    const int nCount = GetItemCount();
    int nLocked = 0;
    for (int i = 0; i < nCount; ++i)
        nLocked += IsColumnLocked(i) ? 1 : 0;
    const int nUnlocked = nCount - nLocked;
    CWnd* pParent = GetParent();
    if (nUnlocked <= 0 || pParent == nullptr)
        return;
    const int nWidth = nTotalWidth / nUnlocked;
    for (int i = 0; i < nCount; ++i) {
        if (!IsColumnLocked(i) && nWidth > m_nMinWidth)
            pParent->SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i), MAKELPARAM(nWidth, 0));
    }
}

void CKitHeaderCtrl::FitFieldsToWidth(int nWidth)
{
    if (nWidth < 1) {
        CRect rc;
        GetClientRect(&rc);
        nWidth = rc.Width();
    }
    CWnd* pParent = GetParent();
    if (pParent != nullptr && (pParent->GetStyle() & WS_VSCROLL) != 0)
        nWidth -= ::GetSystemMetrics(SM_CXVSCROLL);
    ApplyFieldWidths(nWidth - GetLockedColumnsWidth());
}

int CKitHeaderCtrl::GetLockedColumnsWidth()
{
    int nWidth = 0;
    for (int nColumn : m_lockedColumns) {
        if (nColumn < GetItemCount())
            nWidth += GetItemRect(nColumn).Width();
    }
    return nWidth;
}

void CKitHeaderCtrl::RefreshMetrics()
{
    if (m_pTheme != nullptr)
        m_pTheme->RefreshMetrics(this);
    if (m_hWnd != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
}

void CKitHeaderCtrl::OnPaint()
{
    if (m_pTheme == nullptr) {
        Default();
        return;
    }
    CPaintDC dcPaint(this);
    CKitBufferDC dc(dcPaint);
    m_pTheme->DrawHeader(&dc, this);
}

BOOL CKitHeaderCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

LRESULT CKitHeaderCtrl::OnPrintClient(WPARAM wParam, LPARAM)
{
    if (m_pTheme != nullptr)
        m_pTheme->DrawHeader(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), this);
    return 1;
}

LRESULT CKitHeaderCtrl::OnWindowPosChanging(WPARAM, LPARAM lParam)
{
    const auto* pPos = reinterpret_cast<const WINDOWPOS*>(lParam);
    CWnd* pParent = GetParent();
    const HWND hCapture = ::GetCapture();
    if (m_bAutoSize && GetItemCount() > 0 && (pParent == nullptr || hCapture != pParent->GetSafeHwnd()) &&
        (pPos->flags & SWP_NOSIZE) == 0) {
        CRect rc;
        GetWindowRect(&rc);
        if (pPos->cx != rc.Width())
            FitFieldsToWidth(pPos->cx);
    }
    return Default();
}

BOOL CKitHeaderCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (!m_lockedColumns.empty()) {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        const int nItem = HitTest(point);
        if (nItem >= 0) {
            BOOL bArrow = IsColumnLocked(nItem);
            if (!bArrow) {
                const CRect rc = GetItemRect(nItem);
                HDITEMA item = {};
                item.mask = HDI_ORDER;
                GetItem(nItem, &item);
                const int nNeighbourOrder = m_bRTL ? item.iOrder + 1 : item.iOrder - 1;
                const int nNeighbour =
                    nNeighbourOrder >= 0 && nNeighbourOrder < GetItemCount() ? OrderToIndex(nNeighbourOrder) : -1;
                const BOOL bNearHalf = m_bRTL ? point.x >= rc.CenterPoint().x : point.x < rc.CenterPoint().x;
                bArrow = nNeighbour >= 0 && IsColumnLocked(nNeighbour) && bNearHalf;
            }
            if (bArrow) {
                ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
                return TRUE;
            }
        }
    }
    static_cast<void>(pWnd);
    static_cast<void>(nHitTest);
    static_cast<void>(message);
    return static_cast<BOOL>(Default());
}

void CKitHeaderCtrl::OnLButtonDown(UINT, CPoint)
{
    m_bLBtnDown = TRUE;
    Default();
}

void CKitHeaderCtrl::OnLButtonUp(UINT, CPoint)
{
    m_bLBtnDown = FALSE;
    Default();
}

void CKitHeaderCtrl::OnMouseMove(UINT, CPoint)
{
    if (m_pTheme != nullptr && m_pTheme->UsesVisualStyles(this))
        SetTimer(kHotTimer, kHotPeriod);
    Default();
}

void CKitHeaderCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kHotTimer) {
        Default();
        return;
    }
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    const int nItem = HitTest(point);
    if (nItem < 0) {
        KillTimer(kHotTimer);
        if (m_bPainted) {
            RedrawWindow();
            m_bPainted = FALSE;
        }
        m_nHotItem = -1;
        return;
    }
    if (nItem != m_nHotItem) {
        m_nHotItem = nItem;
        m_bPainted = FALSE;
    }
    if (!m_bPainted) {
        RedrawWindow();
        m_bPainted = TRUE;
    }
}

void CKitHeaderCtrl::OnRButtonDown(UINT, CPoint point)
{
    m_pt = point;
    CWnd* pParent = GetParent();
    if (!m_bEnableMenus || (pParent != nullptr && (pParent->GetStyle() & kNoSortHeader) != 0 && IsParentList()))
        return;
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    if (m_nMenuID != 0) {
        CMenu menu;
        if (!menu.LoadMenu(m_nMenuID))
            return;
        CMenu* pPopup = menu.GetSubMenu(m_nSubMenuIndex);
        if (pPopup != nullptr)
            ::TrackPopupMenu(pPopup->GetSafeHmenu(), TPM_RIGHTBUTTON, ptScreen.x, ptScreen.y, 0,
                             pParent != nullptr ? pParent->GetSafeHwnd() : m_hWnd, nullptr);
        return;
    }
    if (HitTest(point) < 0)
        return;
    ShowHeaderMenu(ptScreen);
}

// The built-in menu: "Sort Ascending", "Sort Descending" and the alignments,
// checked for the column under the click; the header receives the command.
void CKitHeaderCtrl::ShowHeaderMenu(CPoint ptScreen)
{
    CMenu menu;
    if (!CKitResourceManager::Instance()->LoadMenu(menu, IDR_KIT_MENU_RCLICK))
        return;
    CMenu* pPopup = menu.GetSubMenu(kHeaderSubMenu);
    if (pPopup == nullptr)
        return;
    const int nColumn = HitTest(m_pt);
    if (nColumn == m_nSortedCol)
        ::CheckMenuItem(pPopup->GetSafeHmenu(), m_bAscending ? ID_KIT_SORT_ASCENDING : ID_KIT_SORT_DESCENDING,
                        MF_BYCOMMAND | MF_CHECKED);
    if (IsParentList()) {
        LVCOLUMNA column = {};
        column.mask = LVCF_FMT;
        if (GetParent()->SendMessage(LVM_GETCOLUMNA, static_cast<WPARAM>(nColumn), reinterpret_cast<LPARAM>(&column))) {
            const int nFormat = column.fmt & LVCFMT_JUSTIFYMASK;
            const UINT nCommand = nFormat == LVCFMT_RIGHT    ? ID_KIT_ALIGN_RIGHT
                                  : nFormat == LVCFMT_CENTER ? ID_KIT_ALIGN_CENTER
                                                             : ID_KIT_ALIGN_LEFT;
            ::CheckMenuItem(pPopup->GetSafeHmenu(), nCommand, MF_BYCOMMAND | MF_CHECKED);
        }
    }
    // The command bars show it as their popup menu with the toolkit's images; without them, the platform's menu.
    CKitCommandBarServices* pCommandBars = CKitCommandBarServices::Get();
    if (pCommandBars != nullptr && pCommandBars->TrackPopupMenu(pPopup->GetSafeHmenu(), IDR_KIT_MENU_IMAGES,
                                                                TPM_RIGHTBUTTON | TPM_NONOTIFY, ptScreen, this))
        return;
    ::TrackPopupMenu(pPopup->GetSafeHmenu(), TPM_RIGHTBUTTON, ptScreen.x, ptScreen.y, 0, m_hWnd, nullptr);
}

void CKitHeaderCtrl::SortByMenu(BOOL bAscending)
{
    const int nColumn = HitTest(m_pt);
    if (nColumn < 0)
        return;
    if (nColumn == m_nSortedCol && (m_bAscending != 0) == (bAscending != FALSE))
        return;
    SetSortedColumn(nColumn, bAscending);
    if (!IsParentList())
        return;

    char szText[kTextBuffer] = {};
    HDITEMA item = {};
    item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_LPARAM | HDI_BITMAP | HDI_IMAGE | HDI_ORDER;
    item.pszText = szText;
    item.cchTextMax = kTextBuffer;
    GetItem(nColumn, &item);
    NMHEADERA notify = {};
    notify.hdr.hwndFrom = m_hWnd;
    notify.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    notify.hdr.code = HDN_ITEMCLICKA;
    notify.iItem = nColumn;
    notify.iButton = 1;
    notify.pitem = &item;
    CWnd* pParent = GetParent();
    pParent->SendMessage(WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
    pParent->SendMessageToDescendants(WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify), TRUE, FALSE);
}

void CKitHeaderCtrl::OnSortAscending()
{
    SortByMenu(TRUE);
}

void CKitHeaderCtrl::OnSortDescending()
{
    SortByMenu(FALSE);
}

void CKitHeaderCtrl::OnAlignLeft()
{
    SetAlignment(LVCFMT_LEFT);
}

void CKitHeaderCtrl::OnAlignCenter()
{
    SetAlignment(LVCFMT_CENTER);
}

void CKitHeaderCtrl::OnAlignRight()
{
    SetAlignment(LVCFMT_RIGHT);
}

BOOL CKitHeaderCtrl::OnItemChanging(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* pHeader = reinterpret_cast<const NMHEADERA*>(pNMHDR);
    if (pHeader->pitem == nullptr || (pHeader->pitem->mask & HDI_WIDTH) == 0)
        return FALSE;
    if (IsColumnLocked(pHeader->iItem) || pHeader->pitem->cxy < m_nMinWidth) {
        *pResult = 1;
        return TRUE;
    }
    return FALSE;
}

LRESULT CKitHeaderCtrl::OnLayout(WPARAM wParam, LPARAM lParam)
{
    if (m_pTheme != nullptr && m_pTheme->Layout(reinterpret_cast<LPHDLAYOUT>(lParam), this))
        return TRUE;
    static_cast<void>(wParam);
    return Default();
}

LRESULT CKitHeaderCtrl::OnSettingChange(WPARAM, LPARAM)
{
    RefreshMetrics();
    return Default();
}

LRESULT CKitHeaderCtrl::OnSetTheme(WPARAM wParam, LPARAM)
{
    SetTheme(static_cast<int>(wParam));
    return 0;
}

void CKitHeaderCtrl::OnDestroy()
{
    if (m_pTheme != nullptr)
        m_pTheme->CleanUp(this);
    Default();
}
