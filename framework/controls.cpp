#include "framework/controls.h"

#include "framework/winapp.h"

#include <utility>

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)
IMPLEMENT_DYNCREATE(CImageList, CObject)
IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolBarCtrl, CWnd)

namespace {

// Item texts are read into a buffer that starts at this size and doubles up to the limit.
constexpr int kItemTextStart = 256;
constexpr int kItemTextLimit = 64 * 1024;

LPARAM Text(LPCSTR text)
{
    return reinterpret_cast<LPARAM>(text);
}

// Owner-drawn list and combo boxes: WM_DRAWITEM / WM_MEASUREITEM from the parent.
template <class Control>
bool OfferOwnerDraw(Control* control, UINT message, LPARAM lParam)
{
    if (message == WM_DRAWITEM) {
        control->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        return true;
    }
    if (message == WM_MEASUREITEM) {
        control->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        return true;
    }
    return false;
}

} // namespace

CString AfxReadItemText(const std::function<void(char*, int)>& read)
{
    CString text;
    for (int capacity = kItemTextStart;; capacity *= 2) {
        char* buffer = text.GetBuffer(capacity);
        buffer[0] = '\0';
        read(buffer, capacity);
        text.ReleaseBuffer();
        if (text.GetLength() < capacity - 1 || capacity >= kItemTextLimit)
            return text;
    }
}

// CStatic

BOOL CStatic::Create(LPCSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
}

HBITMAP CStatic::SetBitmap(HBITMAP hBitmap)
{
    return reinterpret_cast<HBITMAP>(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap)));
}

HBITMAP CStatic::GetBitmap() const
{
    return reinterpret_cast<HBITMAP>(SendMessage(STM_GETIMAGE, IMAGE_BITMAP));
}

HICON CStatic::SetIcon(HICON hIcon)
{
    return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(hIcon)));
}

// CButton

BOOL CButton::Create(LPCSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}

int CButton::GetCheck() const
{
    return static_cast<int>(SendMessage(BM_GETCHECK));
}

void CButton::SetCheck(int nCheck)
{
    SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck));
}

UINT CButton::GetState() const
{
    return static_cast<UINT>(SendMessage(BM_GETSTATE));
}

void CButton::SetState(BOOL bHighlight)
{
    SendMessage(BM_SETSTATE, bHighlight);
}

UINT CButton::GetButtonStyle() const
{
    return GetStyle() & 0xFFFF;
}

void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw)
{
    SendMessage(BM_SETSTYLE, nStyle & 0xFFFF, bRedraw);
}

HBITMAP CButton::SetBitmap(HBITMAP hBitmap)
{
    return reinterpret_cast<HBITMAP>(SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap)));
}

HICON CButton::SetIcon(HICON hIcon)
{
    return reinterpret_cast<HICON>(SendMessage(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(hIcon)));
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM) {
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        if (pResult != nullptr)
            *pResult = TRUE;
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// CEdit

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("EDIT", nullptr, dwStyle, rect, pParentWnd, nID);
}

void CEdit::SetLimitText(UINT nMax)
{
    SendMessage(EM_SETLIMITTEXT, nMax);
}

UINT CEdit::GetLimitText() const
{
    return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT));
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
    SendMessage(EM_SETSEL, static_cast<WPARAM>(nStartChar), nEndChar);
    if (!bNoScroll)
        SendMessage(EM_SCROLLCARET);
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    DWORD start = 0;
    DWORD end = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    nStartChar = static_cast<int>(start);
    nEndChar = static_cast<int>(end);
}

void CEdit::ReplaceSel(LPCSTR lpszNewText, BOOL bCanUndo)
{
    SendMessage(EM_REPLACESEL, bCanUndo, Text(lpszNewText));
}

void CEdit::SetReadOnly(BOOL bReadOnly)
{
    SendMessage(EM_SETREADONLY, bReadOnly);
}

BOOL CEdit::GetModify() const
{
    return SendMessage(EM_GETMODIFY) != 0;
}

void CEdit::SetModify(BOOL bModified)
{
    SendMessage(EM_SETMODIFY, bModified);
}

int CEdit::GetLineCount() const
{
    return static_cast<int>(SendMessage(EM_GETLINECOUNT));
}

int CEdit::GetFirstVisibleLine() const
{
    return static_cast<int>(SendMessage(EM_GETFIRSTVISIBLELINE));
}

void CEdit::LineScroll(int nLines, int nChars)
{
    SendMessage(EM_LINESCROLL, static_cast<WPARAM>(nChars), static_cast<LPARAM>(nLines));
}

void CEdit::Clear()
{
    SendMessage(WM_CLEAR);
}

void CEdit::Copy()
{
    SendMessage(WM_COPY);
}

void CEdit::Cut()
{
    SendMessage(WM_CUT);
}

void CEdit::Paste()
{
    SendMessage(WM_PASTE);
}

BOOL CEdit::Undo()
{
    return SendMessage(EM_UNDO) != 0;
}

// CComboBox

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("COMBOBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}

int CComboBox::AddString(LPCSTR lpszString)
{
    return static_cast<int>(SendMessage(CB_ADDSTRING, 0, Text(lpszString)));
}

int CComboBox::InsertString(int nIndex, LPCSTR lpszString)
{
    return static_cast<int>(SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(nIndex), Text(lpszString)));
}

int CComboBox::DeleteString(UINT nIndex)
{
    return static_cast<int>(SendMessage(CB_DELETESTRING, nIndex));
}

void CComboBox::ResetContent()
{
    SendMessage(CB_RESETCONTENT);
}

int CComboBox::GetCount() const
{
    return static_cast<int>(SendMessage(CB_GETCOUNT));
}

int CComboBox::GetCurSel() const
{
    return static_cast<int>(SendMessage(CB_GETCURSEL));
}

int CComboBox::SetCurSel(int nSelect)
{
    return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(nSelect)));
}

int CComboBox::FindString(int nStartAfter, LPCSTR lpszString) const
{
    return static_cast<int>(SendMessage(CB_FINDSTRING, static_cast<WPARAM>(nStartAfter), Text(lpszString)));
}

int CComboBox::FindStringExact(int nIndexStart, LPCSTR lpszFind) const
{
    return static_cast<int>(SendMessage(CB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart), Text(lpszFind)));
}

int CComboBox::SelectString(int nStartAfter, LPCSTR lpszString)
{
    return static_cast<int>(SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(nStartAfter), Text(lpszString)));
}

int CComboBox::GetLBTextLen(int nIndex) const
{
    return static_cast<int>(SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex)));
}

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    const int length = GetLBTextLen(nIndex);
    if (length <= 0) {
        rString.Empty();
        return;
    }
    char* buffer = rString.GetBuffer(length);
    const LRESULT copied = SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(buffer));
    rString.ReleaseBuffer(copied < 0 ? 0 : static_cast<int>(copied));
}

DWORD_PTR CComboBox::GetItemData(int nIndex) const
{
    return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(nIndex)));
}

int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    return static_cast<int>(
        SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData)));
}

void CComboBox::ShowDropDown(BOOL bShowIt)
{
    SendMessage(CB_SHOWDROPDOWN, bShowIt);
}

BOOL CComboBox::GetDroppedState() const
{
    return SendMessage(CB_GETDROPPEDSTATE) != 0;
}

BOOL CComboBox::LimitText(int nMaxChars)
{
    return SendMessage(CB_LIMITTEXT, static_cast<WPARAM>(nMaxChars)) != 0;
}

void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}

void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (OfferOwnerDraw(this, message, lParam)) {
        if (pResult != nullptr)
            *pResult = TRUE;
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// CListBox

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("LISTBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}

int CListBox::AddString(LPCSTR lpszItem)
{
    return static_cast<int>(SendMessage(LB_ADDSTRING, 0, Text(lpszItem)));
}

int CListBox::InsertString(int nIndex, LPCSTR lpszItem)
{
    return static_cast<int>(SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(nIndex), Text(lpszItem)));
}

int CListBox::DeleteString(UINT nIndex)
{
    return static_cast<int>(SendMessage(LB_DELETESTRING, nIndex));
}

void CListBox::ResetContent()
{
    SendMessage(LB_RESETCONTENT);
}

int CListBox::GetCount() const
{
    return static_cast<int>(SendMessage(LB_GETCOUNT));
}

int CListBox::GetCurSel() const
{
    return static_cast<int>(SendMessage(LB_GETCURSEL));
}

int CListBox::SetCurSel(int nSelect)
{
    return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(nSelect)));
}

int CListBox::GetSel(int nIndex) const
{
    return static_cast<int>(SendMessage(LB_GETSEL, static_cast<WPARAM>(nIndex)));
}

int CListBox::SetSel(int nIndex, BOOL bSelect)
{
    return static_cast<int>(SendMessage(LB_SETSEL, bSelect, nIndex));
}

int CListBox::GetSelCount() const
{
    return static_cast<int>(SendMessage(LB_GETSELCOUNT));
}

int CListBox::GetTextLen(int nIndex) const
{
    return static_cast<int>(SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(nIndex)));
}

int CListBox::GetText(int nIndex, CString& rString) const
{
    const int length = GetTextLen(nIndex);
    if (length <= 0) {
        rString.Empty();
        return length;
    }
    char* buffer = rString.GetBuffer(length);
    const LRESULT copied = SendMessage(LB_GETTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(buffer));
    rString.ReleaseBuffer(copied < 0 ? 0 : static_cast<int>(copied));
    return rString.GetLength();
}

int CListBox::FindString(int nStartAfter, LPCSTR lpszItem) const
{
    return static_cast<int>(SendMessage(LB_FINDSTRING, static_cast<WPARAM>(nStartAfter), Text(lpszItem)));
}

int CListBox::FindStringExact(int nIndexStart, LPCSTR lpszFind) const
{
    return static_cast<int>(SendMessage(LB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart), Text(lpszFind)));
}

int CListBox::SelectString(int nStartAfter, LPCSTR lpszItem)
{
    return static_cast<int>(SendMessage(LB_SELECTSTRING, static_cast<WPARAM>(nStartAfter), Text(lpszItem)));
}

DWORD_PTR CListBox::GetItemData(int nIndex) const
{
    return static_cast<DWORD_PTR>(SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(nIndex)));
}

int CListBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    return static_cast<int>(
        SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData)));
}

int CListBox::GetTopIndex() const
{
    return static_cast<int>(SendMessage(LB_GETTOPINDEX));
}

int CListBox::SetTopIndex(int nIndex)
{
    return static_cast<int>(SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(nIndex)));
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}

void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (OfferOwnerDraw(this, message, lParam)) {
        if (pResult != nullptr)
            *pResult = TRUE;
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// CScrollBar

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("SCROLLBAR", nullptr, dwStyle, rect, pParentWnd, nID);
}

int CScrollBar::GetScrollPos() const
{
    return ::GetScrollPos(m_hWnd, SB_CTL);
}

int CScrollBar::SetScrollPos(int nPos, BOOL bRedraw)
{
    return ::SetScrollPos(m_hWnd, SB_CTL, nPos, bRedraw);
}

void CScrollBar::SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw)
{
    ::SetScrollRange(m_hWnd, SB_CTL, nMinPos, nMaxPos, bRedraw);
}

// CImageList

CImageList& CImageList::operator=(CImageList&& other) noexcept
{
    if (this != &other)
        Attach(other.Detach());
    return *this;
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    return Attach(::ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return Attach(::ImageList_LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nBitmapID), cx, nGrow, crMask,
                                         IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    DeleteImageList();
    m_hImageList = hImageList;
    return hImageList != nullptr;
}

HIMAGELIST CImageList::Detach() noexcept
{
    return std::exchange(m_hImageList, nullptr);
}

BOOL CImageList::DeleteImageList()
{
    if (m_hImageList == nullptr)
        return FALSE;
    return ::ImageList_Destroy(std::exchange(m_hImageList, nullptr));
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    return ::ImageList_AddMasked(m_hImageList, static_cast<HBITMAP>(pbmImage->m_hObject), crMask);
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ::ImageList_Add(m_hImageList, static_cast<HBITMAP>(pbmImage->m_hObject),
                           pbmMask != nullptr ? static_cast<HBITMAP>(pbmMask->m_hObject) : nullptr);
}

int CImageList::Add(HICON hIcon)
{
    return ::ImageList_AddIcon(m_hImageList, hIcon);
}

BOOL CImageList::Remove(int nImage)
{
    return ::ImageList_Remove(m_hImageList, nImage);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ::ImageList_Replace(m_hImageList, nImage, static_cast<HBITMAP>(pbmImage->m_hObject),
                               pbmMask != nullptr ? static_cast<HBITMAP>(pbmMask->m_hObject) : nullptr);
}

int CImageList::GetImageCount() const
{
    return ::ImageList_GetImageCount(m_hImageList);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    return ::ImageList_Draw(m_hImageList, nImage, pDC->m_hDC, pt.x, pt.y, nStyle);
}

COLORREF CImageList::SetBkColor(COLORREF cr)
{
    return ::ImageList_SetBkColor(m_hImageList, cr);
}

HICON CImageList::ExtractIcon(int nImage)
{
    return ::ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL);
}

BOOL CImageList::GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const
{
    return ::ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo);
}

BOOL CImageList::BeginDrag(int nImage, CPoint ptHotSpot)
{
    return ::ImageList_BeginDrag(m_hImageList, nImage, ptHotSpot.x, ptHotSpot.y);
}

BOOL PASCAL CImageList::DragEnter(CWnd* pWndLock, CPoint point)
{
    return ::ImageList_DragEnter(pWndLock != nullptr ? pWndLock->GetSafeHwnd() : nullptr, point.x, point.y);
}

BOOL PASCAL CImageList::DragMove(CPoint pt)
{
    return ::ImageList_DragMove(pt.x, pt.y);
}

BOOL PASCAL CImageList::DragLeave(CWnd* pWndLock)
{
    return ::ImageList_DragLeave(pWndLock != nullptr ? pWndLock->GetSafeHwnd() : nullptr);
}

void PASCAL CImageList::EndDrag()
{
    ::ImageList_EndDrag();
}

// CTreeCtrl

BOOL CTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_TREEVIEWA, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CTreeCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::CreateEx(dwExStyle, WC_TREEVIEWA, nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

HTREEITEM CTreeCtrl::InsertItem(LPTVINSERTSTRUCTA lpInsertStruct)
{
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(lpInsertStruct)));
}

HTREEITEM CTreeCtrl::InsertItem(UINT nMask, LPCSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                                UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCTA insert = {};
    insert.hParent = hParent;
    insert.hInsertAfter = hInsertAfter;
    insert.item.mask = nMask;
    insert.item.pszText = const_cast<LPSTR>(lpszItem);
    insert.item.iImage = nImage;
    insert.item.iSelectedImage = nSelectedImage;
    insert.item.state = nState;
    insert.item.stateMask = nStateMask;
    insert.item.lParam = lParam;
    return InsertItem(&insert);
}

HTREEITEM CTreeCtrl::InsertItem(LPCSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    return InsertItem(TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0, hParent, hInsertAfter);
}

HTREEITEM CTreeCtrl::InsertItem(LPCSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent,
                                HTREEITEM hInsertAfter)
{
    return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszItem, nImage, nSelectedImage, 0, 0, 0, hParent,
                      hInsertAfter);
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM hItem)
{
    return SendMessage(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(hItem)) != 0;
}

BOOL CTreeCtrl::DeleteAllItems()
{
    return DeleteItem(TVI_ROOT);
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const
{
    return AfxReadItemText([&](char* buffer, int capacity) {
        TVITEMA item = {};
        item.mask = TVIF_TEXT;
        item.hItem = hItem;
        item.pszText = buffer;
        item.cchTextMax = capacity;
        SendMessage(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        // The control may answer with a pointer of its own instead of filling the buffer.
        if (item.pszText != buffer && item.pszText != nullptr)
            lstrcpynA(buffer, item.pszText, capacity);
    });
}

BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, LPCSTR lpszItem)
{
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = hItem;
    item.pszText = const_cast<LPSTR>(lpszItem);
    return SetItem(&item);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const
{
    TVITEMA item = {};
    item.mask = TVIF_PARAM;
    item.hItem = hItem;
    return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData)
{
    TVITEMA item = {};
    item.mask = TVIF_PARAM;
    item.hItem = hItem;
    item.lParam = static_cast<LPARAM>(dwData);
    return SetItem(&item);
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const
{
    TVITEMA item = {};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = hItem;
    if (!GetItem(&item))
        return FALSE;
    nImage = item.iImage;
    nSelectedImage = item.iSelectedImage;
    return TRUE;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage)
{
    TVITEMA item = {};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = hItem;
    item.iImage = nImage;
    item.iSelectedImage = nSelectedImage;
    return SetItem(&item);
}

UINT CTreeCtrl::GetItemState(HTREEITEM hItem, UINT nStateMask) const
{
    return static_cast<UINT>(SendMessage(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(hItem), nStateMask));
}

BOOL CTreeCtrl::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask)
{
    TVITEMA item = {};
    item.mask = TVIF_STATE;
    item.hItem = hItem;
    item.state = nState;
    item.stateMask = nStateMask;
    return SetItem(&item);
}

BOOL CTreeCtrl::GetItem(TVITEMA* pItem) const
{
    return SendMessage(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(pItem)) != 0;
}

BOOL CTreeCtrl::SetItem(TVITEMA* pItem)
{
    return SendMessage(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(pItem)) != 0;
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const
{
    // TVM_GETITEMRECT takes the item in the rectangle it fills.
    *reinterpret_cast<HTREEITEM*>(lpRect) = hItem;
    return SendMessage(TVM_GETITEMRECT, bTextOnly, reinterpret_cast<LPARAM>(lpRect)) != 0;
}

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM hItem, UINT nCode) const
{
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, nCode, reinterpret_cast<LPARAM>(hItem)));
}

HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM hItem) const
{
    return GetNextItem(hItem, TVGN_CHILD);
}

HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM hItem) const
{
    return GetNextItem(hItem, TVGN_NEXT);
}

HTREEITEM CTreeCtrl::GetPrevSiblingItem(HTREEITEM hItem) const
{
    return GetNextItem(hItem, TVGN_PREVIOUS);
}

HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM hItem) const
{
    return GetNextItem(hItem, TVGN_PARENT);
}

HTREEITEM CTreeCtrl::GetRootItem() const
{
    return GetNextItem(nullptr, TVGN_ROOT);
}

HTREEITEM CTreeCtrl::GetSelectedItem() const
{
    return GetNextItem(nullptr, TVGN_CARET);
}

HTREEITEM CTreeCtrl::GetFirstVisibleItem() const
{
    return GetNextItem(nullptr, TVGN_FIRSTVISIBLE);
}

HTREEITEM CTreeCtrl::GetNextVisibleItem(HTREEITEM hItem) const
{
    return GetNextItem(hItem, TVGN_NEXTVISIBLE);
}

HTREEITEM CTreeCtrl::GetDropHilightItem() const
{
    return GetNextItem(nullptr, TVGN_DROPHILITE);
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const
{
    TVITEMA item = {};
    item.mask = TVIF_CHILDREN;
    item.hItem = hItem;
    return GetItem(&item) && item.cChildren != 0;
}

BOOL CTreeCtrl::Expand(HTREEITEM hItem, UINT nCode)
{
    return SendMessage(TVM_EXPAND, nCode, reinterpret_cast<LPARAM>(hItem)) != 0;
}

BOOL CTreeCtrl::EnsureVisible(HTREEITEM hItem)
{
    return SendMessage(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(hItem)) != 0;
}

BOOL CTreeCtrl::SelectItem(HTREEITEM hItem)
{
    return Select(hItem, TVGN_CARET);
}

BOOL CTreeCtrl::Select(HTREEITEM hItem, UINT nCode)
{
    return SendMessage(TVM_SELECTITEM, nCode, reinterpret_cast<LPARAM>(hItem)) != 0;
}

BOOL CTreeCtrl::SelectDropTarget(HTREEITEM hItem)
{
    return Select(hItem, TVGN_DROPHILITE);
}

UINT CTreeCtrl::GetCount() const
{
    return static_cast<UINT>(SendMessage(TVM_GETCOUNT));
}

HIMAGELIST CTreeCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    return reinterpret_cast<HIMAGELIST>(SendMessage(
        TVM_SETIMAGELIST, static_cast<WPARAM>(nImageListType),
        reinterpret_cast<LPARAM>(pImageList != nullptr ? pImageList->m_hImageList : nullptr)));
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    TVHITTESTINFO info = {};
    info.pt = pt;
    HTREEITEM hItem = HitTest(&info);
    if (pFlags != nullptr)
        *pFlags = info.flags;
    return hItem;
}

HTREEITEM CTreeCtrl::HitTest(TVHITTESTINFO* pHitTestInfo) const
{
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(pHitTestInfo)));
}

BOOL CTreeCtrl::SortChildren(HTREEITEM hItem)
{
    return SendMessage(TVM_SORTCHILDREN, 0, reinterpret_cast<LPARAM>(hItem)) != 0;
}

void CTreeCtrl::SetIndent(UINT nIndent)
{
    SendMessage(TVM_SETINDENT, nIndent);
}

UINT CTreeCtrl::GetIndent() const
{
    return static_cast<UINT>(SendMessage(TVM_GETINDENT));
}

COLORREF CTreeCtrl::SetBkColor(COLORREF clr)
{
    return static_cast<COLORREF>(SendMessage(TVM_SETBKCOLOR, 0, static_cast<LPARAM>(clr)));
}

COLORREF CTreeCtrl::SetTextColor(COLORREF clr)
{
    return static_cast<COLORREF>(SendMessage(TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(clr)));
}

// CTabCtrl

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_TABCONTROLA, nullptr, dwStyle, rect, pParentWnd, nID);
}

LONG CTabCtrl::InsertItem(int nItem, LPCSTR lpszItem)
{
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<LPSTR>(lpszItem);
    return static_cast<LONG>(SendMessage(TCM_INSERTITEMA, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
}

BOOL CTabCtrl::DeleteItem(int nItem)
{
    return SendMessage(TCM_DELETEITEM, static_cast<WPARAM>(nItem)) != 0;
}

BOOL CTabCtrl::DeleteAllItems()
{
    return SendMessage(TCM_DELETEALLITEMS) != 0;
}

int CTabCtrl::GetItemCount() const
{
    return static_cast<int>(SendMessage(TCM_GETITEMCOUNT));
}

int CTabCtrl::GetCurSel() const
{
    return static_cast<int>(SendMessage(TCM_GETCURSEL));
}

int CTabCtrl::SetCurSel(int nItem)
{
    return static_cast<int>(SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(nItem)));
}

void CTabCtrl::AdjustRect(BOOL bLarger, LPRECT lpRect)
{
    SendMessage(TCM_ADJUSTRECT, bLarger, reinterpret_cast<LPARAM>(lpRect));
}

// CProgressCtrl

BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(PROGRESS_CLASSA, nullptr, dwStyle, rect, pParentWnd, nID);
}

void CProgressCtrl::SetRange(short nLower, short nUpper)
{
    SendMessage(PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper));
}

void CProgressCtrl::SetRange32(int nLower, int nUpper)
{
    SendMessage(PBM_SETRANGE32, static_cast<WPARAM>(nLower), nUpper);
}

void CProgressCtrl::GetRange(int& nLower, int& nUpper) const
{
    PBRANGE range = {};
    SendMessage(PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
    nLower = range.iLow;
    nUpper = range.iHigh;
}

int CProgressCtrl::SetPos(int nPos)
{
    return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(nPos)));
}

int CProgressCtrl::GetPos() const
{
    return static_cast<int>(SendMessage(PBM_GETPOS));
}

int CProgressCtrl::OffsetPos(int nPos)
{
    return static_cast<int>(SendMessage(PBM_DELTAPOS, static_cast<WPARAM>(nPos)));
}

int CProgressCtrl::SetStep(int nStep)
{
    return static_cast<int>(SendMessage(PBM_SETSTEP, static_cast<WPARAM>(nStep)));
}

int CProgressCtrl::StepIt()
{
    return static_cast<int>(SendMessage(PBM_STEPIT));
}

// CSpinButtonCtrl

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(UPDOWN_CLASSA, nullptr, dwStyle, rect, pParentWnd, nID);
}

CWnd* CSpinButtonCtrl::SetBuddy(CWnd* pWndBuddy)
{
    return CWnd::FromHandle(reinterpret_cast<HWND>(
        SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(pWndBuddy != nullptr ? pWndBuddy->GetSafeHwnd() : nullptr))));
}

CWnd* CSpinButtonCtrl::GetBuddy() const
{
    return CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY)));
}

void CSpinButtonCtrl::SetRange32(int nLower, int nUpper)
{
    SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(nLower), static_cast<LPARAM>(nUpper));
}

void CSpinButtonCtrl::GetRange32(int& nLower, int& nUpper) const
{
    SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&nLower), reinterpret_cast<LPARAM>(&nUpper));
}

int CSpinButtonCtrl::SetPos32(int nPos)
{
    return static_cast<int>(SendMessage(UDM_SETPOS32, 0, static_cast<LPARAM>(nPos)));
}

int CSpinButtonCtrl::GetPos32() const
{
    return static_cast<int>(SendMessage(UDM_GETPOS32));
}

// CToolBarCtrl

BOOL CToolBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CWnd::Create(TOOLBARCLASSNAMEA, nullptr, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    return TRUE;
}

BOOL CToolBarCtrl::SetBitmapSize(CSize size)
{
    return static_cast<BOOL>(SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(size.cx, size.cy)));
}

HIMAGELIST CToolBarCtrl::SetImageList(CImageList* pImageList)
{
    return reinterpret_cast<HIMAGELIST>(
        SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pImageList != nullptr ? pImageList->m_hImageList : nullptr)));
}

BOOL CToolBarCtrl::AddButtons(int nNumButtons, const TBBUTTON* lpButtons)
{
    return static_cast<BOOL>(SendMessage(TB_ADDBUTTONSA, nNumButtons, reinterpret_cast<LPARAM>(lpButtons)));
}

BOOL CToolBarCtrl::ChangeBitmap(int idButton, int iBitmap)
{
    return static_cast<BOOL>(SendMessage(TB_CHANGEBITMAP, idButton, MAKELPARAM(iBitmap, 0)));
}

int CToolBarCtrl::GetButtonCount() const
{
    return static_cast<int>(SendMessage(TB_BUTTONCOUNT));
}

void CToolBarCtrl::AutoSize()
{
    SendMessage(TB_AUTOSIZE);
}
