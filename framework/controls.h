// CStatic, CButton, CEdit, CComboBox, CListBox, CScrollBar, CImageList, CTreeCtrl, CTabCtrl, CProgressCtrl, CSpinButtonCtrl,
// CToolBarCtrl: control wrappers.
// (The list view, header and tooltip wrappers are in listctrl.h.)
#pragma once

#include "framework/collections.h"
#include "framework/gdi.h"
#include "framework/wnd.h"

#include <commctrl.h>

#include <functional>

// Reads a control's item text through `read(buffer, capacity)`, growing the
// buffer while the text fills it (up to 64 KiB).
CString AfxReadItemText(const std::function<void(char*, int)>& read);

class CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
public:
    BOOL Create(LPCSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xffff);
    HBITMAP SetBitmap(HBITMAP hBitmap);
    HBITMAP GetBitmap() const;
    HICON SetIcon(HICON hIcon);
};

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
public:
    BOOL Create(LPCSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int GetCheck() const;
    void SetCheck(int nCheck);
    UINT GetState() const;
    void SetState(BOOL bHighlight);
    UINT GetButtonStyle() const;
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE);
    HBITMAP SetBitmap(HBITMAP hBitmap);
    HICON SetIcon(HICON hIcon);
    // Draws an owner-drawn button (BS_OWNERDRAW); the parent's WM_DRAWITEM comes here.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    void SetLimitText(UINT nMax);
    UINT GetLimitText() const;
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
    void GetSel(int& nStartChar, int& nEndChar) const;
    void ReplaceSel(LPCSTR lpszNewText, BOOL bCanUndo = FALSE);
    void SetReadOnly(BOOL bReadOnly = TRUE);
    BOOL GetModify() const;
    void SetModify(BOOL bModified = TRUE);
    int GetLineCount() const;
    int GetFirstVisibleLine() const;
    // Scrolls by nLines lines down (negative: up) and nChars characters right.
    void LineScroll(int nLines, int nChars = 0);
    void Clear();
    void Copy();
    void Cut();
    void Paste();
    BOOL Undo();
};

class CComboBox : public CWnd {
    DECLARE_DYNAMIC(CComboBox)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int AddString(LPCSTR lpszString);
    int InsertString(int nIndex, LPCSTR lpszString);
    int DeleteString(UINT nIndex);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    int FindString(int nStartAfter, LPCSTR lpszString) const;
    int FindStringExact(int nIndexStart, LPCSTR lpszFind) const;
    int SelectString(int nStartAfter, LPCSTR lpszString);
    void GetLBText(int nIndex, CString& rString) const;
    int GetLBTextLen(int nIndex) const;
    DWORD_PTR GetItemData(int nIndex) const;
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
    void ShowDropDown(BOOL bShowIt = TRUE);
    BOOL GetDroppedState() const;
    BOOL LimitText(int nMaxChars);
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class CListBox : public CWnd {
    DECLARE_DYNAMIC(CListBox)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int AddString(LPCSTR lpszItem);
    int InsertString(int nIndex, LPCSTR lpszItem);
    int DeleteString(UINT nIndex);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    int GetSel(int nIndex) const;
    int SetSel(int nIndex, BOOL bSelect = TRUE);
    int GetSelCount() const;
    int GetText(int nIndex, CString& rString) const;
    int GetTextLen(int nIndex) const;
    int FindString(int nStartAfter, LPCSTR lpszItem) const;
    int FindStringExact(int nIndexStart, LPCSTR lpszFind) const;
    int SelectString(int nStartAfter, LPCSTR lpszItem);
    DWORD_PTR GetItemData(int nIndex) const;
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
    int GetTopIndex() const;
    int SetTopIndex(int nIndex);
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class CScrollBar : public CWnd {
    DECLARE_DYNAMIC(CScrollBar)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int GetScrollPos() const;
    int SetScrollPos(int nPos, BOOL bRedraw = TRUE);
    void SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
};

// Owns an image list (ImageList_Destroy when it goes) unless Detach hands it back.
class CImageList : public CObject {
    DECLARE_DYNCREATE(CImageList)
public:
    CImageList() noexcept : m_hImageList(nullptr) {}
    CImageList(CImageList&& other) noexcept : CObject(), m_hImageList(other.Detach()) {}
    CImageList& operator=(CImageList&& other) noexcept;
    ~CImageList() override { DeleteImageList(); }

    HIMAGELIST m_hImageList;
    operator HIMAGELIST() const noexcept { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const noexcept { return m_hImageList; }

    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    // From a bitmap resource cut into images cx wide; crMask is the transparent colour.
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach() noexcept;
    BOOL DeleteImageList();

    // Adds the bitmap's images with crMask as the transparent colour; the index of the first, or -1.
    int Add(CBitmap* pbmImage, COLORREF crMask);
    int Add(CBitmap* pbmImage, CBitmap* pbmMask);
    int Add(HICON hIcon);
    BOOL Remove(int nImage);
    BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask);
    int GetImageCount() const;
    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
    COLORREF SetBkColor(COLORREF cr);
    HICON ExtractIcon(int nImage);
    BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const;

    // Dragging one image over the screen: BeginDrag with the point of the image under the cursor, DragEnter
    // to show it over a window locked for drawing (point in its window coordinates), DragMove to follow the
    // cursor, DragLeave and EndDrag to take it away.
    BOOL BeginDrag(int nImage, CPoint ptHotSpot);
    static BOOL PASCAL DragEnter(CWnd* pWndLock, CPoint point);
    static BOOL PASCAL DragMove(CPoint pt);
    static BOOL PASCAL DragLeave(CWnd* pWndLock);
    static void PASCAL EndDrag();
};

class CTreeCtrl : public CWnd {
    DECLARE_DYNAMIC(CTreeCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    HTREEITEM InsertItem(LPTVINSERTSTRUCTA lpInsertStruct);
    HTREEITEM InsertItem(UINT nMask, LPCSTR lpszItem, int nImage, int nSelectedImage, UINT nState, UINT nStateMask,
                         LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter);
    HTREEITEM InsertItem(LPCSTR lpszItem, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
    HTREEITEM InsertItem(LPCSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent = TVI_ROOT,
                         HTREEITEM hInsertAfter = TVI_LAST);
    BOOL DeleteItem(HTREEITEM hItem);
    BOOL DeleteAllItems();

    CString GetItemText(HTREEITEM hItem) const;
    BOOL SetItemText(HTREEITEM hItem, LPCSTR lpszItem);
    DWORD_PTR GetItemData(HTREEITEM hItem) const;
    BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData);
    BOOL GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const;
    BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage);
    UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const;
    BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask);
    BOOL GetItem(TVITEMA* pItem) const;
    BOOL SetItem(TVITEMA* pItem);
    BOOL GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const;

    HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const;
    HTREEITEM GetChildItem(HTREEITEM hItem) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const;
    HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const;
    HTREEITEM GetParentItem(HTREEITEM hItem) const;
    HTREEITEM GetRootItem() const;
    HTREEITEM GetSelectedItem() const;
    HTREEITEM GetFirstVisibleItem() const;
    HTREEITEM GetNextVisibleItem(HTREEITEM hItem) const;
    HTREEITEM GetDropHilightItem() const;
    BOOL ItemHasChildren(HTREEITEM hItem) const;

    BOOL Expand(HTREEITEM hItem, UINT nCode);
    BOOL EnsureVisible(HTREEITEM hItem);
    BOOL SelectItem(HTREEITEM hItem);
    BOOL Select(HTREEITEM hItem, UINT nCode);
    BOOL SelectDropTarget(HTREEITEM hItem);
    UINT GetCount() const;
    HIMAGELIST SetImageList(CImageList* pImageList, int nImageListType);
    HTREEITEM HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    HTREEITEM HitTest(TVHITTESTINFO* pHitTestInfo) const;
    BOOL SortChildren(HTREEITEM hItem);
    // The indent of each level, in pixels.
    void SetIndent(UINT nIndent);
    UINT GetIndent() const;
    COLORREF SetBkColor(COLORREF clr);
    COLORREF SetTextColor(COLORREF clr);
};

class CTabCtrl : public CWnd {
    DECLARE_DYNAMIC(CTabCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    LONG InsertItem(int nItem, LPCSTR lpszItem);
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    int GetCurSel() const;
    int SetCurSel(int nItem);
    void AdjustRect(BOOL bLarger, LPRECT lpRect);
};

class CProgressCtrl : public CWnd {
    DECLARE_DYNAMIC(CProgressCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    void SetRange(short nLower, short nUpper);
    void SetRange32(int nLower, int nUpper);
    void GetRange(int& nLower, int& nUpper) const;
    int SetPos(int nPos);
    int GetPos() const;
    int OffsetPos(int nPos);
    int SetStep(int nStep);
    int StepIt();
};

// An up-down control, usually bound to an edit box (its buddy).
class CSpinButtonCtrl : public CWnd {
    DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    CWnd* SetBuddy(CWnd* pWndBuddy);
    CWnd* GetBuddy() const;
    void SetRange32(int nLower, int nUpper);
    void GetRange32(int& nLower, int& nUpper) const;
    int SetPos32(int nPos);
    // The current position (the nearest bound when the buddy's text lies outside the range).
    int GetPos32() const;
};

// A toolbar of buttons drawn from an image list; a click sends the button's
// command id to the parent as WM_COMMAND.
class CToolBarCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolBarCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // The size of the buttons' images (before any button is added).
    BOOL SetBitmapSize(CSize size);
    // The images of the buttons; the toolbar does not own the list. Returns the previous list.
    HIMAGELIST SetImageList(CImageList* pImageList);
    BOOL AddButtons(int nNumButtons, const TBBUTTON* lpButtons);
    // Shows image iBitmap on the button of command idButton.
    BOOL ChangeBitmap(int idButton, int iBitmap);
    int GetButtonCount() const;
    // Sizes the toolbar to its buttons and its parent's width.
    void AutoSize();
};
