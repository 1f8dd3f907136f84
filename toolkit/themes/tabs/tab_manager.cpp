#include "toolkit/themes/tabs/tab_manager.h"

#include "framework/gdi.h"
#include "framework/wnd.h"
#include "toolkit/common/dib_section.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/common/tooltip_context.h"
#include "toolkit/themes/paint/markup_glue.h"
#include "toolkit/themes/tabs/tab_paint_manager.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

void StartLeaveTracking(HWND hWnd)
{
    if (!hWnd)
        return;
    TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, hWnd, 0};
    ::TrackMouseEvent(&tme);
}

}  // namespace

// ---- navigate buttons -------------------------------------------------------

CKitTabManagerNavigateButton::CKitTabManagerNavigateButton(CKitTabManager* pManager, UINT nID, int nShowMode)
    : m_nID(nID), m_nShowMode(nShowMode), m_pManager(pManager)
{
}

CKitTabManagerNavigateButton::~CKitTabManagerNavigateButton()
{
    if (m_pManager)
        m_pManager->ClearHotNavigateButton(this);
}

void CKitTabManagerNavigateButton::AdjustWidth(int& nWidth)
{
    if (!m_pManager->IsNavigateButtonVisible(this))
        return;
    const CSize size = GetSize();
    nWidth -= m_pManager->IsHorizontalPosition() ? size.cx : size.cy;
}

CSize CKitTabManagerNavigateButton::GetSize() const
{
    return m_pManager->GetPaintManager()->m_szNavigateButton;
}

void CKitTabManagerNavigateButton::Reposition(CRect& rcHeader)
{
    if (!m_pManager->IsNavigateButtonVisible(this)) {
        m_rcButton.SetRectEmpty();
        return;
    }
    const CSize size = GetSize();
    if (!m_pManager->IsHorizontalPosition()) {
        const int nLeft = (rcHeader.left + rcHeader.right) / 2 - size.cx / 2;
        m_rcButton.SetRect(nLeft, rcHeader.bottom - size.cy, nLeft + size.cx, rcHeader.bottom);
        rcHeader.bottom -= size.cy;
    } else {
        const int nMid = (rcHeader.top + rcHeader.bottom) / 2;
        m_rcButton.SetRect(rcHeader.right - size.cx, nMid + size.cy / 2 - size.cy, rcHeader.right, nMid + size.cy / 2);
        rcHeader.right -= size.cx;
    }
}

void CKitTabManagerNavigateButton::OnExecute(BOOL bTick)
{
    if (!bTick)
        m_pManager->OnNavigateButtonClick(this);
}

void CKitTabManagerNavigateButton::PerformClick(HWND hWnd, CPoint point)
{
    if (::GetCapture() || !m_bEnabled)
        return;
    ::SetCapture(hWnd);
    DWORD dwLastTick = ::GetTickCount();
    BOOL bClicked = FALSE;
    // Pressed from the start, so that a release before the first idle turn still counts.
    m_bPressed = m_rcButton.PtInRect(point);
    if (m_bPressed)
        m_pManager->RedrawControl(&m_rcButton, TRUE);
    for (;;) {
        if (m_bEnabled && ::GetTickCount() - dwLastTick > CKitTabManager::kRepeatMilliseconds) {
            dwLastTick = ::GetTickCount();
            OnExecute(TRUE);
        }
        MSG msg;
        BOOL bDone = FALSE;
        if (::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!::GetMessage(&msg, nullptr, 0, 0)) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            if (msg.message == WM_CAPTURECHANGED && reinterpret_cast<HWND>(msg.lParam) != hWnd) {
                ::DispatchMessage(&msg);
                bDone = TRUE;
            } else if (CKitTabManager::IsCancelMessage(msg)) {
                bDone = TRUE;
            } else if (msg.message == WM_LBUTTONUP) {
                bClicked = m_bPressed;
                bDone = TRUE;
            } else if (msg.message == WM_KEYDOWN) {
                // Swallowed while the button is held.
            } else if (msg.message == WM_MOUSEMOVE) {
                point = CKitTabManager::MessagePoint(hWnd, msg);
            } else {
                ::DispatchMessage(&msg);
            }
        } else {
            ::Sleep(1);
        }
        if (bDone || ::GetCapture() != hWnd)
            break;
        const BOOL bPressed = m_rcButton.PtInRect(point);
        if (bPressed != m_bPressed) {
            m_bPressed = bPressed;
            m_pManager->RedrawControl(&m_rcButton, TRUE);
        }
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    m_bPressed = FALSE;
    m_pManager->PerformMouseMove(hWnd, point);
    m_pManager->RedrawControl(nullptr, FALSE);
    if (bClicked)
        OnExecute(FALSE);
}

void CKitTabManagerNavigateButton::Draw(CDC* pDC)
{
    if (m_rcButton.IsRectEmpty())
        return;
    m_pManager->GetPaintManager()->DrawNavigateButton(pDC, this, m_rcButton);
}

void CKitTabManagerNavigateButtons::RemoveAll()
{
    std::vector<CKitTabManagerNavigateButton*> arrButtons;
    arrButtons.swap(m_arrButtons);
    for (CKitTabManagerNavigateButton* pButton : arrButtons)
        delete pButton;
}

int CKitTabManager::CNavigateButtonArrow::GetAvailableLength(const CRect& rcHeader, int& nMarginStart,
                                                             int& nMarginEnd) const
{
    const CRect rcMargin = m_pManager->GetAppearanceSet()->GetHeaderMargin();
    nMarginStart = rcMargin.left;
    nMarginEnd = rcMargin.right;
    return m_pManager->IsHorizontalPosition() ? rcHeader.Width() : rcHeader.Height();
}

void CKitTabManager::CNavigateButtonArrow::AdjustWidth(int& nWidth)
{
    if (m_nShowMode == kShowAlways)
        CKitTabManagerNavigateButton::AdjustWidth(nWidth);
}

void CKitTabManager::CNavigateButtonArrow::Reposition(CRect& rcHeader)
{
    const int nLayout = m_pManager->GetLayout();
    if (nLayout == CKitTabPaintManager::kLayoutMultiRow) {
        m_rcButton.SetRectEmpty();
        return;
    }
    if (m_nShowMode == kShowAutomatic) {
        if (nLayout == CKitTabPaintManager::kLayoutCompressed) {
            m_rcButton.SetRectEmpty();
            return;
        }
        int nMarginStart = 0;
        int nMarginEnd = 0;
        const int nAvailable = GetAvailableLength(rcHeader, nMarginStart, nMarginEnd);
        const int nOffset = m_pManager->GetHeaderOffset();
        if (m_pManager->GetItemsLength() + nOffset - 1 <= nAvailable - nMarginEnd && nOffset >= 0) {
            m_rcButton.SetRectEmpty();
            return;
        }
    }
    CKitTabManagerNavigateButton::Reposition(rcHeader);
}

void CKitTabManager::CNavigateButtonArrowLeft::Reposition(CRect& rcHeader)
{
    m_strToolTip = m_pManager->IsHorizontalPosition() ? kTextScrollLeft : kTextScrollUp;
    m_bEnabled = m_pManager->GetHeaderOffset() < 0;
    CNavigateButtonArrow::Reposition(rcHeader);
}

void CKitTabManager::CNavigateButtonArrowLeft::OnExecute(BOOL bTick)
{
    if (bTick)
        m_pManager->ScrollHeader(FALSE);
}

void CKitTabManager::CNavigateButtonArrowLeft::DrawEntry(CDC* pDC, CRect rc)
{
    const int cx = (rc.left + rc.right) / 2;
    const int cy = (rc.top + rc.bottom) / 2;
    if (m_pManager->IsHorizontalPosition()) {
        const POINT pts[3] = {{cx + 2, cy - 5}, {cx - 2, cy - 1}, {cx + 2, cy + 3}};
        pDC->Polygon(pts, 3);
    } else {
        const POINT pts[3] = {{cx - 5, cy + 2}, {cx - 1, cy - 2}, {cx + 3, cy + 2}};
        pDC->Polygon(pts, 3);
    }
}

void CKitTabManager::CNavigateButtonArrowRight::Reposition(CRect& rcHeader)
{
    m_strToolTip = m_pManager->IsHorizontalPosition() ? kTextScrollRight : kTextScrollDown;
    int nMarginStart = 0;
    int nMarginEnd = 0;
    const int nAvailable = GetAvailableLength(rcHeader, nMarginStart, nMarginEnd);
    m_bEnabled = m_pManager->GetItemsLength() + m_pManager->GetHeaderOffset() >
                 nAvailable - nMarginEnd - nMarginStart - 28;
    CNavigateButtonArrow::Reposition(rcHeader);
}

void CKitTabManager::CNavigateButtonArrowRight::OnExecute(BOOL bTick)
{
    if (bTick)
        m_pManager->ScrollHeader(TRUE);
}

void CKitTabManager::CNavigateButtonArrowRight::DrawEntry(CDC* pDC, CRect rc)
{
    const int cx = (rc.left + rc.right) / 2;
    const int cy = (rc.top + rc.bottom) / 2;
    if (m_pManager->IsHorizontalPosition()) {
        const POINT pts[3] = {{cx - 2, cy - 5}, {cx + 2, cy - 1}, {cx - 2, cy + 3}};
        pDC->Polygon(pts, 3);
    } else {
        const POINT pts[3] = {{cx - 5, cy - 2}, {cx - 1, cy + 2}, {cx + 3, cy - 2}};
        pDC->Polygon(pts, 3);
    }
}

CKitTabManager::CNavigateButtonClose::CNavigateButtonClose(CKitTabManager* pManager, int nShowMode)
    : CKitTabManagerNavigateButton(pManager, kClose, nShowMode)
{
    m_strToolTip = kTextClose;
}

void CKitTabManager::CNavigateButtonClose::DrawEntry(CDC* pDC, CRect rc)
{
    const int cx = (rc.left + rc.right) / 2;
    const int cy = (rc.top + rc.bottom) / 2;
    static const int kLines[4][4] = {{-4, -3, 3, 4}, {-3, -3, 4, 4}, {-4, 3, 3, -4}, {-3, 3, 4, -4}};
    for (const auto& line : kLines) {
        pDC->MoveTo(cx + line[0], cy + line[1]);
        pDC->LineTo(cx + line[2], cy + line[3]);
    }
}

CKitTabManager::CNavigateButtonTabClose::CNavigateButtonTabClose(CKitTabManager* pManager, CKitTabManagerItem* pItem)
    : CNavigateButtonClose(pManager, pManager->GetItemCloseButtonMode())
{
    m_pItem = pItem;
}

// ---- items ------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CKitTabManagerItem, CCmdTarget)

CKitTabManagerItem::~CKitTabManagerItem()
{
    MarkupReleaseElement(m_pMarkupUIElement);
}

void CKitTabManagerItem::SetVisible(BOOL bVisible)
{
    if (bVisible == m_bVisible)
        return;
    m_bVisible = bVisible;
    OnChanged();
}

void CKitTabManagerItem::OnRemoved()
{
    m_arrNavigateButtons.RemoveAll();
}

void CKitTabManagerItem::Remove()
{
    if (m_pManager)
        m_pManager->DeleteItem(m_nIndex);
}

CString CKitTabManagerItem::GetCaption() const
{
    return m_pManager ? m_pManager->GetItemCaption(this) : m_strCaption;
}

COLORREF CKitTabManagerItem::GetColor() const
{
    return m_pManager ? m_pManager->GetItemColor(this) : m_clrItem;
}

void CKitTabManagerItem::Select()
{
    if (m_pManager)
        m_pManager->OnItemClick(this);
}

void CKitTabManagerItem::OnChanged()
{
    if (m_pManager)
        m_pManager->Reposition();
}

void CKitTabManagerItem::SetRect(const CRect& rc)
{
    m_rcItem = rc;
    for (int i = m_arrNavigateButtons.GetSize() - 1; i >= 0; --i)
        m_arrNavigateButtons[i]->SetRect(CRect());
}

namespace {

// A 32-bit top-down bitmap of n x n pixels that a DC can draw on.
class SquareDib {
public:
    explicit SquareDib(int n) : m_n(n)
    {
        LPBYTE pBits = nullptr;
        m_hBitmap = Create32BitDibSection(nullptr, n, -n, &pBits);
        m_pBits = reinterpret_cast<DWORD*>(pBits);
    }
    ~SquareDib()
    {
        if (m_hBitmap)
            ::DeleteObject(m_hBitmap);
    }
    SquareDib(const SquareDib&) = delete;
    SquareDib& operator=(const SquareDib&) = delete;

    BOOL IsValid() const { return m_hBitmap && m_pBits; }
    HBITMAP Handle() const { return m_hBitmap; }
    // This bitmap's pixels become the other's, mirrored about the diagonal.
    void TransposeFrom(const SquareDib& other)
    {
        ::GdiFlush();
        for (int y = 0; y < m_n; ++y)
            for (int x = 0; x < m_n; ++x)
                m_pBits[y * m_n + x] = other.m_pBits[x * m_n + y];
    }

private:
    int m_n;
    HBITMAP m_hBitmap = nullptr;
    DWORD* m_pBits = nullptr;
};

}  // namespace

void CKitTabManagerItem::DrawImage(CDC* pDC, CPoint pt, CSize sz, CKitImageManagerIcon* pImage)
{
    if (!pImage)
        return;
    const CKitImageManagerIconHandle* pHandle = &pImage->GetNormalIcon();
    if (!m_bEnabled)
        pHandle = &pImage->GetDisabledIcon();
    else if (m_pManager && m_pManager->GetHotItem() == this)
        pHandle = &pImage->GetHotIcon();
    else if (m_pManager && m_pManager->GetSelectedItem() == this)
        pHandle = &pImage->GetCheckedIcon();

    const BOOL bTurn = m_pManager && sz.cx == sz.cy && sz.cx > 0 && m_pManager->GetPaintManager()->m_bRotateImages &&
                       !m_pManager->IsHorizontalPosition();
    if (bTurn) {
        // The background is turned, the image drawn on it upright, and the whole turned back.
        SquareDib background(sz.cx);
        SquareDib turned(sz.cx);
        if (background.IsValid() && turned.IsValid()) {
            CDC dcMem;
            dcMem.Attach(::CreateCompatibleDC(pDC->GetSafeHdc()));
            HGDIOBJ hOld = ::SelectObject(dcMem.GetSafeHdc(), background.Handle());
            ::BitBlt(dcMem.GetSafeHdc(), 0, 0, sz.cx, sz.cy, pDC->GetSafeHdc(), pt.x, pt.y, SRCCOPY);
            turned.TransposeFrom(background);
            ::SelectObject(dcMem.GetSafeHdc(), turned.Handle());
            pImage->Draw(&dcMem, CPoint(0, 0), *pHandle, sz);
            background.TransposeFrom(turned);
            ::SelectObject(dcMem.GetSafeHdc(), hOld);
            ::DrawStateA(pDC->GetSafeHdc(), nullptr, nullptr, reinterpret_cast<LPARAM>(background.Handle()), 0, pt.x,
                         pt.y, sz.cx, sz.cy, DST_BITMAP);
            return;
        }
    }
    pImage->Draw(pDC, pt, *pHandle, sz);
}

// ---- the strip --------------------------------------------------------------

CKitTabManager::CRowIndexer::Row* CKitTabManager::CRowIndexer::SetRowCount(int nRowCount)
{
    if (nRowCount != m_nRowCount) {
        m_nRowCount = std::max(nRowCount, 0);
        m_arrRows.assign(m_nRowCount, Row{0, 0});
    }
    if (m_nRowCount > 0)
        m_arrRows[0] = Row{0, m_pManager->GetItemCount() - 1};
    return m_arrRows.data();
}

CPoint CKitTabManager::MessagePoint(HWND hWnd, const MSG& msg)
{
    CPoint point(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
    if (msg.hwnd != hWnd && msg.hwnd && hWnd)
        ::MapWindowPoints(msg.hwnd, hWnd, &point, 1);
    return point;
}

BOOL CKitTabManager::IsCancelMessage(const MSG& msg)
{
    return msg.message == WM_RBUTTONDOWN || msg.message == WM_CANCELMODE ||
           (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE);
}

int CKitTabManager::TakePressMessage(HWND hWnd, CPoint* pPoint)
{
    MSG msg;
    if (!::GetMessage(&msg, nullptr, 0, 0)) {
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        return kPressEnded;
    }
    if ((msg.message == WM_CAPTURECHANGED && reinterpret_cast<HWND>(msg.lParam) != hWnd) ||
        ::GetCapture() != hWnd) {
        ::DispatchMessage(&msg);
        return kPressEnded;
    }
    if (msg.message == WM_LBUTTONUP || msg.message == WM_MOUSEMOVE) {
        *pPoint = MessagePoint(hWnd, msg);
        return msg.message == WM_LBUTTONUP ? kPressReleased : kPressMoved;
    }
    if (IsCancelMessage(msg))
        return kPressCancelled;
    if (msg.message != WM_KEYDOWN)
        ::DispatchMessage(&msg);
    return kPressOther;
}

CKitTabManager::CKitTabManager()
{
    m_arrNavigateButtons.Add(new CNavigateButtonArrowLeft(this));
    m_arrNavigateButtons.Add(new CNavigateButtonArrowRight(this));
    m_arrNavigateButtons.Add(new CNavigateButtonClose(this));
    m_pRowIndexer = new CRowIndexer(this);
}

CKitTabManager::~CKitTabManager()
{
    for (CKitTabManagerItem* pItem : m_arrItems) {
        pItem->OnRemoved();
        pItem->InternalRelease();
    }
    m_arrItems.clear();
    m_arrNavigateButtons.RemoveAll();
    delete m_pRowIndexer;
    MarkupReleaseContext(m_pMarkupContext);
}

CString CKitTabManager::GetItemCaption(const CKitTabManagerItem* pItem) const
{
    return pItem->m_strCaption;
}

int CKitTabManager::GetItemImage(const CKitTabManagerItem* pItem) const
{
    return pItem->m_nImage;
}

COLORREF CKitTabManager::GetItemColor(const CKitTabManagerItem* pItem) const
{
    const COLORREF clr = pItem->m_clrItem;
    if (clr >= CKitTabPaintManager::kAutoColorFirst &&
        clr < CKitTabPaintManager::kAutoColorFirst + CKitTabPaintManager::kAutoColorCount)
        return CKitTabPaintManager::GetAutoItemColor(clr);
    return clr;
}

CString CKitTabManager::GetItemTooltip(const CKitTabManagerItem* pItem) const
{
    return pItem->m_strToolTip;
}

void CKitTabManager::OnItemsChanged()
{
    for (int i = 0; i < GetItemCount(); ++i)
        m_arrItems[i]->m_nIndex = i;
    Reposition();
}

void CKitTabManager::SetSelectedItem(CKitTabManagerItem* pItem)
{
    if (pItem == m_pSelected)
        return;
    m_pSelected = pItem;
    Reposition();
    EnsureVisible(pItem);
}

void CKitTabManager::SelectItemIfAllowed(CKitTabManagerItem* pItem)
{
    if (pItem && IsAllowSelect(pItem))
        OnItemClick(pItem);
}

void CKitTabManager::GetItemMetrics(CSize* pszNormal, CSize* pszMin, CSize* pszMax)
{
    const CKitTabPaintManager* pPaintManager = GetPaintManager();
    if (pszNormal)
        *pszNormal = CSize(pPaintManager->m_nFixedItemLength, 0);
    if (pszMin)
        *pszMin = CSize(pPaintManager->m_nMinItemLength, 0);
    if (pszMax)
        *pszMax = CSize(pPaintManager->m_nMaxItemLength, 0);
}

int CKitTabManager::GetItemsLength()
{
    if (GetLayout() == CKitTabPaintManager::kLayoutRotated)
        return GetAppearanceSet()->GetButtonHeight(this) * GetItemCount();
    int nLength = 0;
    for (const CKitTabManagerItem* pItem : m_arrItems)
        nLength += pItem->m_nLength;
    return nLength;
}

BOOL CKitTabManager::IsDrawStaticFrame() const
{
    return GetPaintManager()->m_bStaticFrame;
}

int CKitTabManager::GetPosition() const
{
    return GetPaintManager()->GetPosition();
}

void CKitTabManager::ScrollHeader(BOOL bForward)
{
    SetHeaderOffset(bForward ? m_nHeaderOffset - m_nHeaderScrollStep : m_nHeaderOffset + m_nHeaderScrollStep);
}

INT_PTR CKitTabManager::OnToolHitTest(HWND hWnd, CPoint point, TOOLINFOA* pTI)
{
    if (IsMouseLocked())
        return -1;
    int nIndex = -1;
    if (CKitTabManagerNavigateButton* pButton = HitTestNavigateButton(point, FALSE, &nIndex)) {
        if (pButton->GetTooltip().IsEmpty())
            return -1;
        CKitToolTipContext::FillInToolInfo(pTI, hWnd, pButton->GetRect(), nIndex, pButton->GetTooltip());
        return nIndex;
    }
    CKitTabManagerItem* pItem = HitTest(point);
    const int nMode = GetPaintManager()->m_nToolTipMode;
    if (!pItem || nMode == CKitTabPaintManager::kTooltipNone)
        return -1;
    if (nMode == CKitTabPaintManager::kTooltipShortened && pItem->m_nLength >= pItem->m_nFullLength)
        return -1;
    const CString strTip = GetItemTooltip(pItem);
    if (strTip.IsEmpty())
        return -1;
    const CString strCaption = GetItemCaption(pItem);
    CKitToolTipContext::FillInToolInfoEx(pTI, hWnd, pItem->m_rcItem, pItem->m_nIndex, strTip, strCaption, strTip);
    return pItem->m_nIndex;
}

BOOL CKitTabManager::PerformKeyDown(HWND hWnd, UINT nChar)
{
    if (m_arrItems.empty())
        return FALSE;
    if (hWnd && (::GetWindowLong(hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL)) {
        if (nChar == VK_LEFT)
            nChar = VK_RIGHT;
        else if (nChar == VK_RIGHT)
            nChar = VK_LEFT;
    }
    const int nCount = GetItemCount();
    const BOOL bHorizontal = IsHorizontalPosition();
    const int nSelected = GetCurSel();
    switch (nChar) {
    case VK_END:
        SelectItemIfAllowed(FindNextFocusable(nCount, -1));
        return TRUE;
    case VK_HOME:
        SelectItemIfAllowed(FindNextFocusable(-1, +1));
        return TRUE;
    case VK_LEFT:
    case VK_UP:
        if (bHorizontal == (nChar == VK_LEFT) && nSelected >= 1)
            SelectItemIfAllowed(FindNextFocusable(nSelected, -1));
        return TRUE;
    case VK_RIGHT:
    case VK_DOWN:
        if (bHorizontal == (nChar == VK_RIGHT) && nSelected >= 0 && nSelected < nCount - 1)
            SelectItemIfAllowed(FindNextFocusable(nSelected, +1));
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CKitTabManager::IsNavigateButtonAutomaticVisible(CKitTabManagerNavigateButton* pButton)
{
    if (pButton->GetID() != CKitTabManagerNavigateButton::kClose)
        return TRUE;
    CKitTabManagerItem* pItem = pButton->GetItem() ? pButton->GetItem() : m_pSelected;
    if (!pItem || pItem != m_pSelected)
        return FALSE;
    return pItem->m_bClosable;
}

BOOL CKitTabManager::IsNavigateButtonVisible(CKitTabManagerNavigateButton* pButton)
{
    switch (pButton->GetShowMode()) {
    case CKitTabManagerNavigateButton::kShowAutomatic:
        return IsNavigateButtonAutomaticVisible(pButton);
    case CKitTabManagerNavigateButton::kShowAlways:
        if (pButton->GetID() == CKitTabManagerNavigateButton::kClose && pButton->GetItem())
            return pButton->GetItem()->m_bClosable;
        return TRUE;
    default:
        return FALSE;
    }
}

void CKitTabManager::OnNavigateButtonClick(CKitTabManagerNavigateButton* pButton)
{
    OnNavigateButtonClick(pButton->GetID());
}

CKitTabManagerItem* CKitTabManager::AddItem(int nIndex, CKitTabManagerItem* pItem)
{
    if (!pItem)
        pItem = new CKitTabManagerItem;
    pItem->m_pManager = this;
    if (nIndex < 0 || nIndex > GetItemCount())
        nIndex = GetItemCount();
    m_arrItems.insert(m_arrItems.begin() + nIndex, pItem);
    CKitTabPaintManager* pPaintManager = GetPaintManager();
    pItem->m_clrItem = CKitTabPaintManager::kAutoColorFirst +
                       pPaintManager->m_nAutoColorCounter % CKitTabPaintManager::kAutoColorCount;
    ++pPaintManager->m_nAutoColorCounter;
    if (m_nItemCloseButtonMode != CKitTabManagerNavigateButton::kShowNone)
        pItem->m_arrNavigateButtons.Add(new CNavigateButtonTabClose(this, pItem));
    OnItemsChanged();
    return pItem;
}

BOOL CKitTabManager::DeleteItem(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetItemCount())
        return FALSE;
    CKitTabManagerItem* pItem = m_arrItems[nIndex];
    if (m_pHighlighted == pItem)
        m_pHighlighted = nullptr;
    m_arrItems.erase(m_arrItems.begin() + nIndex);
    const BOOL bWasSelected = (pItem == m_pSelected);
    // The selection must not point at the released item while the next one is chosen.
    if (bWasSelected)
        m_pSelected = nullptr;
    pItem->OnRemoved();
    pItem->InternalRelease();
    if (bWasSelected)
        SetCurSel(nIndex);
    OnItemsChanged();
    return TRUE;
}

void CKitTabManager::DeleteAllItems()
{
    std::vector<CKitTabManagerItem*> arrItems;
    arrItems.swap(m_arrItems);
    for (CKitTabManagerItem* pItem : arrItems) {
        pItem->OnRemoved();
        pItem->InternalRelease();
    }
    m_pPressed = nullptr;
    m_pSelected = nullptr;
    m_pHighlighted = nullptr;
    OnItemsChanged();
}

void CKitTabManager::SetCurSel(int nIndex)
{
    if (m_arrItems.empty()) {
        SetSelectedItem(nullptr);
        return;
    }
    nIndex = std::clamp(nIndex, 0, GetItemCount() - 1);
    SetSelectedItem(m_arrItems[nIndex]);
}

int CKitTabManager::GetCurSel() const
{
    return m_pSelected ? m_pSelected->m_nIndex : -1;
}

void CKitTabManager::ClearHotNavigateButton(const CKitTabManagerNavigateButton* pButton)
{
    if (m_pHighlightedNavigateButton == pButton)
        m_pHighlightedNavigateButton = nullptr;
}

void CKitTabManager::SetHeaderOffset(int nOffset)
{
    if (nOffset > 0)
        nOffset = 0;
    if (nOffset == m_nHeaderOffset)
        return;
    m_nHeaderOffset = nOffset;
    Reposition();
}

void CKitTabManager::EnsureVisible(CKitTabManagerItem* pItem)
{
    if (pItem)
        GetPaintManager()->EnsureVisible(this, pItem);
}

int CKitTabManager::GetLayout() const
{
    return GetPaintManager()->GetLayout();
}

CKitTabPaintManagerAppearanceSet* CKitTabManager::GetAppearanceSet() const
{
    return GetPaintManager()->GetAppearanceSet();
}

BOOL CKitTabManager::IsHorizontalPosition() const
{
    const int nPosition = GetPosition();
    return nPosition == CKitTabPaintManager::kTop || nPosition == CKitTabPaintManager::kBottom;
}

void CKitTabManager::SetActive(BOOL bActive)
{
    if (bActive == m_bActive)
        return;
    m_bActive = bActive;
    Reposition();
}

CKitTabManagerItem* CKitTabManager::FindNextFocusable(int nIndex, int nDirection) const
{
    for (nIndex += nDirection; nIndex >= 0 && nIndex < GetItemCount(); nIndex += nDirection) {
        CKitTabManagerItem* pItem = m_arrItems[nIndex];
        if (pItem->m_bVisible && pItem->m_bEnabled)
            return pItem;
    }
    return nullptr;
}

CKitTabManagerItem* CKitTabManager::HitTest(CPoint point) const
{
    if (!m_rcControl.PtInRect(point))
        return nullptr;
    if (!m_rcHeader.IsRectEmpty() && !m_rcHeader.PtInRect(point))
        return nullptr;
    for (CKitTabManagerItem* pItem : m_arrItems)
        if (pItem->m_rcItem.PtInRect(point) && pItem->m_bEnabled && pItem->m_bVisible)
            return pItem;
    return nullptr;
}

namespace {

// The first button whose rectangle holds the point: itself when enabled, else
// nothing; *pbFound tells whether the search stops here.
CKitTabManagerNavigateButton* FindButton(CKitTabManagerNavigateButtons& buttons, CPoint point, BOOL* pbFound,
                                         int* pnIndex)
{
    for (int i = 0; i < buttons.GetSize(); ++i) {
        CKitTabManagerNavigateButton* pButton = buttons[i];
        if (pButton->GetRect().PtInRect(point)) {
            *pbFound = TRUE;
            if (pnIndex)
                *pnIndex = i;
            return pButton->IsEnabled() ? pButton : nullptr;
        }
    }
    *pbFound = FALSE;
    return nullptr;
}

}  // namespace

CKitTabManagerNavigateButton* CKitTabManager::HitTestNavigateButton(CPoint point, BOOL bHeaderOnly, int* pnIndex) const
{
    BOOL bFound = FALSE;
    auto& buttons = const_cast<CKitTabManagerNavigateButtons&>(m_arrNavigateButtons);
    CKitTabManagerNavigateButton* pButton = FindButton(buttons, point, &bFound, pnIndex);
    if (bFound || bHeaderOnly)
        return pButton;
    CKitTabManagerItem* pItem = HitTest(point);
    if (!pItem)
        return nullptr;
    return FindButton(pItem->m_arrNavigateButtons, point, &bFound, pnIndex);
}

void CKitTabManager::RedrawItem(CKitTabManagerItem* pItem, BOOL bAnimate)
{
    const CRect rc = GetAppearanceSet()->GetButtonDrawRect(pItem);
    RedrawControl(&rc, bAnimate);
}

void CKitTabManager::SetHotNavigateButton(HWND hWnd, CKitTabManagerNavigateButton* pButton)
{
    if (pButton == m_pHighlightedNavigateButton)
        return;
    if (m_pHighlightedNavigateButton)
        RedrawControl(&m_pHighlightedNavigateButton->GetRect(), TRUE);
    m_pHighlightedNavigateButton = pButton;
    if (pButton) {
        RedrawControl(&pButton->GetRect(), FALSE);
        StartLeaveTracking(hWnd);
    }
}

void CKitTabManager::PerformMouseMove(HWND hWnd, CPoint point)
{
    if (!CKitDrawHelpers::IsTopParentActive(CWnd::FromHandle(hWnd)) || IsMouseLocked()) {
        if (m_pHighlighted) {
            const CRect rc = GetAppearanceSet()->GetButtonDrawRect(m_pHighlighted);
            m_pHighlighted = nullptr;
            RedrawControl(&rc, TRUE);
        }
        return;
    }
    if (GetPaintManager()->m_bHotTracking) {
        CKitTabManagerItem* pItem = HitTest(point);
        if (pItem != m_pHighlighted) {
            if (m_pHighlighted) {
                const CRect rc = GetAppearanceSet()->GetButtonDrawRect(m_pHighlighted);
                m_pHighlighted = nullptr;
                RedrawControl(&rc, TRUE);
            }
            m_pHighlighted = pItem;
            if (pItem) {
                RedrawItem(pItem, FALSE);
                StartLeaveTracking(hWnd);
            }
        }
    }
    SetHotNavigateButton(hWnd, HitTestNavigateButton(point, FALSE, nullptr));
}

BOOL CKitTabManager::PerformClick(HWND hWnd, CPoint point, BOOL bNavigateOnly)
{
    if (CKitTabManagerNavigateButton* pButton = HitTestNavigateButton(point, FALSE, nullptr)) {
        pButton->PerformClick(hWnd, point);
        return TRUE;
    }
    if (bNavigateOnly)
        return FALSE;
    CKitTabManagerItem* pItem = HitTest(point);
    if (!pItem || !IsAllowSelect(pItem))
        return FALSE;
    OnPressItem(hWnd, point, pItem);
    return TRUE;
}

void CKitTabManager::OnPressItem(HWND hWnd, CPoint point, CKitTabManagerItem* pItem)
{
    if (IsAllowReorder())
        ReOrder(hWnd, point, pItem);
    else if (!GetPaintManager()->m_bSelectOnButtonDown)
        TrackClick(hWnd, point, pItem);
    else
        OnItemClick(pItem);
}

void CKitTabManager::TrackClick(HWND hWnd, CPoint point, CKitTabManagerItem* pItem)
{
    const BOOL bHotTracking = GetPaintManager()->m_bHotTracking;
    if (bHotTracking)
        m_pHighlighted = pItem;
    m_pPressed = pItem;
    Reposition();
    ::SetCapture(hWnd);
    BOOL bInside = TRUE;
    BOOL bClicked = FALSE;
    while (::GetCapture() == hWnd) {
        CPoint ptMessage = point;
        const int nTaken = TakePressMessage(hWnd, &ptMessage);
        if (nTaken == kPressReleased)
            bClicked = bInside;
        if (nTaken != kPressMoved && nTaken != kPressOther)
            break;
        if (nTaken == kPressMoved) {
            point = ptMessage;
            bInside = pItem->m_rcItem.PtInRect(point);
            if (bHotTracking) {
                CKitTabManagerItem* pHot = bInside ? pItem : nullptr;
                if (pHot != m_pHighlighted) {
                    m_pHighlighted = pHot;
                    RedrawControl(&pItem->m_rcItem, TRUE);
                }
            }
        }
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    m_pPressed = nullptr;
    PerformMouseMove(hWnd, point);
    RedrawControl(nullptr, FALSE);
    if (bClicked)
        OnItemClick(pItem);
}

void CKitTabManager::ReOrder(HWND hWnd, CPoint point, CKitTabManagerItem* pItem)
{
    CKitTabManagerItem* pSelected = m_pSelected;
    m_pSelected = pItem;
    if (GetPaintManager()->m_bHotTracking)
        m_pHighlighted = pItem;
    Reposition();
    std::vector<CRect> arrRects;
    arrRects.reserve(m_arrItems.size());
    for (const CKitTabManagerItem* p : m_arrItems)
        arrRects.push_back(p->m_rcItem);
    const int nOldIndex = pItem->m_nIndex;
    ::SetCapture(hWnd);
    while (::GetCapture() == hWnd) {
        CPoint ptMessage = point;
        const int nTaken = TakePressMessage(hWnd, &ptMessage);
        if (nTaken == kPressOther)
            continue;
        if (nTaken != kPressMoved)
            break;
        point = ptMessage;
        const int nCount = std::min<int>(GetItemCount(), static_cast<int>(arrRects.size()));
        int nTarget = -1;
        for (int i = 0; i < nCount; ++i)
            if (i != pItem->m_nIndex && arrRects[i].PtInRect(point)) {
                nTarget = i;
                break;
            }
        while (nTarget >= 0 && pItem->m_nIndex != nTarget) {
            const int nIndex = pItem->m_nIndex;
            const int nNext = nIndex + (nTarget > nIndex ? 1 : -1);
            CKitTabManagerItem* pOther = m_arrItems[nNext];
            std::swap(m_arrItems[nIndex], m_arrItems[nNext]);
            OnItemsChanged();
            OnSwapItems(pItem, pOther);
        }
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    PerformMouseMove(hWnd, point);
    m_pSelected = pSelected;
    OnItemClick(pItem);
    if (pItem->m_nIndex != nOldIndex)
        OnItemReordered(pItem, nOldIndex, pItem->m_nIndex);
}
