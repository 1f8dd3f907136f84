#include "framework/listctrl.h"

IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)
IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

static_assert(sizeof(CHeaderCtrl) == sizeof(CWnd) && sizeof(CToolTipCtrl) == sizeof(CWnd),
              "the control objects FromHandle makes are plain CWnd objects");

namespace {

template <class T>
LPARAM Pointer(T* p)
{
    return reinterpret_cast<LPARAM>(p);
}

} // namespace

// CHeaderCtrl

BOOL CHeaderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_HEADERA, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CHeaderCtrl::GetItemCount() const
{
    return static_cast<int>(SendMessage(HDM_GETITEMCOUNT));
}

BOOL CHeaderCtrl::GetItemRect(int nIndex, LPRECT lpRect) const
{
    return SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(nIndex), Pointer(lpRect)) != 0;
}

BOOL CHeaderCtrl::GetItem(int nPos, HDITEMA* pHeaderItem) const
{
    return SendMessage(HDM_GETITEMA, static_cast<WPARAM>(nPos), Pointer(pHeaderItem)) != 0;
}

BOOL CHeaderCtrl::SetItem(int nPos, const HDITEMA* pHeaderItem)
{
    return SendMessage(HDM_SETITEMA, static_cast<WPARAM>(nPos), Pointer(pHeaderItem)) != 0;
}

int CHeaderCtrl::OrderToIndex(int nOrder) const
{
    return static_cast<int>(SendMessage(HDM_ORDERTOINDEX, static_cast<WPARAM>(nOrder)));
}

int CHeaderCtrl::HitTest(HDHITTESTINFO* pHitTestInfo) const
{
    return static_cast<int>(SendMessage(HDM_HITTEST, 0, Pointer(pHitTestInfo)));
}

// CToolTipCtrl

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    return CWnd::CreateEx(WS_EX_TOOLWINDOW, TOOLTIPS_CLASSA, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                          pParentWnd != nullptr ? pParentWnd->GetSafeHwnd() : nullptr, nullptr);
}

void CToolTipCtrl::Activate(BOOL bActivate)
{
    SendMessage(TTM_ACTIVATE, bActivate);
}

BOOL CToolTipCtrl::AddTool(const TOOLINFOA* pToolInfo)
{
    return SendMessage(TTM_ADDTOOLA, 0, Pointer(pToolInfo)) != 0;
}

void CToolTipCtrl::DelTool(HWND hWnd, UINT_PTR nIDTool)
{
    TOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = hWnd;
    info.uId = nIDTool;
    SendMessage(TTM_DELTOOLA, 0, Pointer(&info));
}

void CToolTipCtrl::RelayEvent(MSG* pMsg)
{
    SendMessage(TTM_RELAYEVENT, 0, Pointer(pMsg));
}

int CToolTipCtrl::GetToolCount() const
{
    return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT));
}

int CToolTipCtrl::SetMaxTipWidth(int iWidth)
{
    return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, iWidth));
}

void CToolTipCtrl::Pop()
{
    SendMessage(TTM_POP);
}

// CListCtrl

BEGIN_MESSAGE_MAP(CListCtrl, CWnd)
    ON_MESSAGE(WM_NOTIFYFORMAT, &CListCtrl::OnNotifyFormat)
END_MESSAGE_MAP()

LRESULT CListCtrl::OnNotifyFormat(WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, WM_NOTIFYFORMAT, wParam, lParam);
    return Default();
}

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_LISTVIEWA, nullptr, dwStyle, rect, pParentWnd, nID);
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() const
{
    return static_cast<CHeaderCtrl*>(FromHandle(reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER))));
}

CToolTipCtrl* CListCtrl::GetToolTips() const
{
    return static_cast<CToolTipCtrl*>(FromHandle(reinterpret_cast<HWND>(SendMessage(LVM_GETTOOLTIPS))));
}

int CListCtrl::InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = const_cast<LPSTR>(lpszColumnHeading);
    column.fmt = nFormat;
    if (nWidth != -1) {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1) {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &column);
}

int CListCtrl::InsertColumn(int nCol, const LVCOLUMNA* pColumn)
{
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(nCol), Pointer(pColumn)));
}

BOOL CListCtrl::DeleteColumn(int nCol)
{
    return SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(nCol)) != 0;
}

BOOL CListCtrl::GetColumn(int nCol, LVCOLUMNA* pColumn) const
{
    return SendMessage(LVM_GETCOLUMNA, static_cast<WPARAM>(nCol), Pointer(pColumn)) != 0;
}

BOOL CListCtrl::SetColumn(int nCol, const LVCOLUMNA* pColumn)
{
    return SendMessage(LVM_SETCOLUMNA, static_cast<WPARAM>(nCol), Pointer(pColumn)) != 0;
}

int CListCtrl::GetColumnWidth(int nCol) const
{
    return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(nCol)));
}

BOOL CListCtrl::SetColumnWidth(int nCol, int cx)
{
    return SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(nCol), MAKELPARAM(cx, 0)) != 0;
}

BOOL CListCtrl::GetColumnOrderArray(LPINT piArray, int iCount) const
{
    return SendMessage(LVM_GETCOLUMNORDERARRAY, static_cast<WPARAM>(iCount), Pointer(piArray)) != 0;
}

BOOL CListCtrl::SetColumnOrderArray(int iCount, LPINT piArray)
{
    return SendMessage(LVM_SETCOLUMNORDERARRAY, static_cast<WPARAM>(iCount), Pointer(piArray)) != 0;
}

int CListCtrl::GetStringWidth(LPCSTR lpsz) const
{
    return static_cast<int>(SendMessage(LVM_GETSTRINGWIDTHA, 0, Pointer(lpsz)));
}

int CListCtrl::InsertItem(const LVITEMA* pItem)
{
    return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, Pointer(pItem)));
}

int CListCtrl::InsertItem(int nItem, LPCSTR lpszItem)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.pszText = const_cast<LPSTR>(lpszItem);
    return InsertItem(&item);
}

int CListCtrl::InsertItem(int nItem, LPCSTR lpszItem, int nImage)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = nItem;
    item.pszText = const_cast<LPSTR>(lpszItem);
    item.iImage = nImage;
    return InsertItem(&item);
}

BOOL CListCtrl::GetItem(LVITEMA* pItem) const
{
    return SendMessage(LVM_GETITEMA, 0, Pointer(pItem)) != 0;
}

BOOL CListCtrl::SetItem(const LVITEMA* pItem)
{
    return SendMessage(LVM_SETITEMA, 0, Pointer(pItem)) != 0;
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCSTR lpszText)
{
    LVITEMA item = {};
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPSTR>(lpszText);
    return SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(nItem), Pointer(&item)) != 0;
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    return AfxReadItemText([&](char* buffer, int capacity) { GetItemText(nItem, nSubItem, buffer, capacity); });
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPSTR lpszText, int nLen) const
{
    if (lpszText == nullptr || nLen <= 0)
        return 0;
    lpszText[0] = '\0';
    LVITEMA item = {};
    item.iSubItem = nSubItem;
    item.pszText = lpszText;
    item.cchTextMax = nLen;
    const int copied =
        static_cast<int>(SendMessage(LVM_GETITEMTEXTA, static_cast<WPARAM>(nItem), Pointer(&item)));
    // The control may answer with a pointer of its own instead of filling the buffer.
    if (item.pszText != lpszText && item.pszText != nullptr && item.pszText != LPSTR_TEXTCALLBACKA) {
        lstrcpynA(lpszText, item.pszText, nLen);
        return lstrlenA(lpszText);
    }
    return copied;
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    item.lParam = static_cast<LPARAM>(dwData);
    return SetItem(&item);
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

int CListCtrl::GetItemCount() const
{
    return static_cast<int>(SendMessage(LVM_GETITEMCOUNT));
}

BOOL CListCtrl::SetItemCount(int nItems)
{
    return SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(nItems)) != 0;
}

BOOL CListCtrl::DeleteItem(int nItem)
{
    return SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(nItem)) != 0;
}

BOOL CListCtrl::DeleteAllItems()
{
    return SendMessage(LVM_DELETEALLITEMS) != 0;
}

int CListCtrl::GetNextItem(int nItem, int nFlags) const
{
    return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(nItem), MAKELPARAM(nFlags, 0)));
}

UINT CListCtrl::GetSelectedCount() const
{
    return static_cast<UINT>(SendMessage(LVM_GETSELECTEDCOUNT));
}

POSITION CListCtrl::GetFirstSelectedItemPosition() const
{
    // Positions are item index + 1, so that 0 ends the walk.
    return reinterpret_cast<POSITION>(static_cast<INT_PTR>(GetNextItem(-1, LVNI_SELECTED) + 1));
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const
{
    const int item = static_cast<int>(reinterpret_cast<INT_PTR>(pos)) - 1;
    pos = reinterpret_cast<POSITION>(static_cast<INT_PTR>(GetNextItem(item, LVNI_SELECTED) + 1));
    return item;
}

int CListCtrl::GetSelectionMark() const
{
    return static_cast<int>(SendMessage(LVM_GETSELECTIONMARK));
}

int CListCtrl::SetSelectionMark(int iIndex)
{
    return static_cast<int>(SendMessage(LVM_SETSELECTIONMARK, 0, iIndex));
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEMA item = {};
    item.state = nState;
    item.stateMask = nMask;
    return SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(nItem), Pointer(&item)) != 0;
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const
{
    return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(nItem), nMask));
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
{
    lpRect->left = static_cast<LONG>(nCode);
    return SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(nItem), Pointer(lpRect)) != 0;
}

std::unique_ptr<CImageList> CListCtrl::CreateDragImage(int nItem, LPPOINT lpPoint)
{
    auto images = std::make_unique<CImageList>();
    const HIMAGELIST handle =
        reinterpret_cast<HIMAGELIST>(SendMessage(LVM_CREATEDRAGIMAGE, static_cast<WPARAM>(nItem), Pointer(lpPoint)));
    if (handle == nullptr || !images->Attach(handle))
        return nullptr;
    return images;
}

BOOL CListCtrl::GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const
{
    ref.SetRect(nArea, iSubItem, 0, 0);
    return SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(iItem), Pointer(static_cast<RECT*>(&ref))) != 0;
}

int CListCtrl::GetTopIndex() const
{
    return static_cast<int>(SendMessage(LVM_GETTOPINDEX));
}

int CListCtrl::GetCountPerPage() const
{
    return static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE));
}

BOOL CListCtrl::RedrawItems(int nFirst, int nLast)
{
    return SendMessage(LVM_REDRAWITEMS, static_cast<WPARAM>(nFirst), nLast) != 0;
}

BOOL CListCtrl::Update(int nItem)
{
    return SendMessage(LVM_UPDATE, static_cast<WPARAM>(nItem)) != 0;
}

BOOL CListCtrl::Scroll(CSize size)
{
    return SendMessage(LVM_SCROLL, static_cast<WPARAM>(size.cx), size.cy) != 0;
}

BOOL CListCtrl::EnsureVisible(int nItem, BOOL bPartialOK)
{
    return SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(nItem), bPartialOK) != 0;
}

BOOL CListCtrl::SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData)
{
    return SendMessage(LVM_SORTITEMS, static_cast<WPARAM>(dwData), reinterpret_cast<LPARAM>(pfnCompare)) != 0;
}

DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle)
{
    return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle));
}

DWORD CListCtrl::GetExtendedStyle() const
{
    return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE));
}

HIMAGELIST CListCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    return reinterpret_cast<HIMAGELIST>(
        SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(nImageListType),
                    reinterpret_cast<LPARAM>(pImageList != nullptr ? pImageList->m_hImageList : nullptr)));
}

HIMAGELIST CListCtrl::GetImageList(int nImageListType) const
{
    return reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, static_cast<WPARAM>(nImageListType)));
}

COLORREF CListCtrl::GetBkColor() const
{
    return static_cast<COLORREF>(SendMessage(LVM_GETBKCOLOR));
}

BOOL CListCtrl::SetBkColor(COLORREF cr)
{
    return SendMessage(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(cr)) != 0;
}

COLORREF CListCtrl::GetTextColor() const
{
    return static_cast<COLORREF>(SendMessage(LVM_GETTEXTCOLOR));
}

BOOL CListCtrl::SetTextColor(COLORREF cr)
{
    return SendMessage(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(cr)) != 0;
}

COLORREF CListCtrl::GetTextBkColor() const
{
    return static_cast<COLORREF>(SendMessage(LVM_GETTEXTBKCOLOR));
}

BOOL CListCtrl::SetTextBkColor(COLORREF cr)
{
    return SendMessage(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(cr)) != 0;
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    LVHITTESTINFO info = {};
    info.pt = pt;
    const int item = static_cast<int>(SendMessage(LVM_HITTEST, 0, Pointer(&info)));
    if (pFlags != nullptr)
        *pFlags = info.flags;
    return item;
}

int CListCtrl::SubItemHitTest(LVHITTESTINFO* pInfo) const
{
    return static_cast<int>(SendMessage(LVM_SUBITEMHITTEST, 0, Pointer(pInfo)));
}
