// CKitTabManagerAtom, CKitTabManager, CKitTabManagerItem and the navigate buttons: the window-less model of a tab strip.
#pragma once

#include "framework/geometry.h"
#include "framework/msgmap.h"
#include "framework/strings.h"

#include <windows.h>
#include <commctrl.h>

#include <vector>

class CDC;
class CKitImageManagerIcon;
class CKitMarkupContext;
class CKitMarkupUIElement;
class CKitTabManager;
class CKitTabManagerItem;
class CKitTabPaintManager;
class CKitTabPaintManagerAppearanceSet;

// A strip or anything else a tab paint manager refreshes.
class CKitTabManagerAtom {
public:
    virtual void Refresh() { Reposition(); }
    // The owner recomputes the layout through its paint manager and redraws.
    virtual void Reposition() = 0;
    virtual ~CKitTabManagerAtom() = default;
};

// One small button of the strip (scroll back, scroll forward, close) or of an item (close).
class CKitTabManagerNavigateButton {
public:
    enum Id { kScrollBack = 0, kScrollForward = 1, kClose = 2 };
    enum ShowMode { kShowNone = 0, kShowAutomatic = 1, kShowAlways = 2 };

    CKitTabManagerNavigateButton(CKitTabManager* pManager, UINT nID, int nShowMode);
    virtual ~CKitTabManagerNavigateButton();
    CKitTabManagerNavigateButton(const CKitTabManagerNavigateButton&) = delete;
    CKitTabManagerNavigateButton& operator=(const CKitTabManagerNavigateButton&) = delete;

    // Takes the button's extent off nWidth when the button shows.
    virtual void AdjustWidth(int& nWidth);
    virtual CSize GetSize() const;
    // Runs the pressed-button loop with auto-repeat; blocks until the button is released.
    virtual void PerformClick(HWND hWnd, CPoint point);
    // Places the button at the end of rcHeader and takes its room off it.
    virtual void Reposition(CRect& rcHeader);
    // Draws the glyph with the pen and brush selected in the DC.
    virtual void DrawEntry(CDC* pDC, CRect rc) = 0;
    // bTick: a repeat tick while held; FALSE: released over the button.
    virtual void OnExecute(BOOL bTick);

    // Draws the button through the paint manager; nothing while it is hidden.
    void Draw(CDC* pDC);
    void SetRect(const CRect& rc) { m_rcButton = rc; }
    const CRect& GetRect() const { return m_rcButton; }
    UINT GetID() const { return m_nID; }
    int GetShowMode() const { return m_nShowMode; }
    void SetShowMode(int nMode) { m_nShowMode = nMode; }
    BOOL IsEnabled() const { return m_bEnabled; }
    void SetEnabled(BOOL bEnabled) { m_bEnabled = bEnabled; }
    BOOL IsPressed() const { return m_bPressed; }
    const CString& GetTooltip() const { return m_strToolTip; }
    void SetTooltip(const CString& str) { m_strToolTip = str; }
    CKitTabManagerItem* GetItem() const { return m_pItem; }
    CKitTabManager* GetTabManager() const { return m_pManager; }

protected:
    UINT m_nID;
    int m_nShowMode;
    CKitTabManager* m_pManager;
    CRect m_rcButton;
    BOOL m_bEnabled = TRUE;
    BOOL m_bPressed = FALSE;
    CString m_strToolTip;
    CKitTabManagerItem* m_pItem = nullptr;
};

// An owning array of navigate buttons.
class CKitTabManagerNavigateButtons {
public:
    CKitTabManagerNavigateButtons() = default;
    ~CKitTabManagerNavigateButtons() { RemoveAll(); }
    CKitTabManagerNavigateButtons(const CKitTabManagerNavigateButtons&) = delete;
    CKitTabManagerNavigateButtons& operator=(const CKitTabManagerNavigateButtons&) = delete;

    void Add(CKitTabManagerNavigateButton* pButton) { m_arrButtons.push_back(pButton); }
    void RemoveAll();
    int GetSize() const { return static_cast<int>(m_arrButtons.size()); }
    CKitTabManagerNavigateButton* GetAt(int nIndex) const { return m_arrButtons.at(nIndex); }
    CKitTabManagerNavigateButton* operator[](int nIndex) const { return GetAt(nIndex); }

private:
    std::vector<CKitTabManagerNavigateButton*> m_arrButtons;
};

// One tab. Reference counted: the manager holds one reference.
class CKitTabManagerItem : public CCmdTarget {
    DECLARE_DYNAMIC(CKitTabManagerItem)
public:
    CKitTabManagerItem() = default;
    ~CKitTabManagerItem() override;

    virtual void SetVisible(BOOL bVisible);
    // Called when the item leaves its manager: drops its own buttons.
    virtual void OnRemoved();

    void Remove();
    BOOL IsVisible() const { return m_bVisible; }
    BOOL IsEnabled() const { return m_bEnabled; }
    void SetEnabled(BOOL bEnabled) { m_bEnabled = bEnabled; }
    CString GetCaption() const;
    void SetCaption(const CString& str) { m_strCaption = str; }
    CString GetTooltip() const { return m_strToolTip; }
    void SetTooltip(const CString& str) { m_strToolTip = str; }
    COLORREF GetColor() const;
    void SetColor(COLORREF clr) { m_clrItem = clr; }
    COLORREF GetRawColor() const { return m_clrItem; }
    void Select();
    void OnChanged();
    // Stores the rectangle and hides the item's own buttons until they are placed again.
    void SetRect(const CRect& rc);
    CRect GetRect() const { return m_rcItem; }
    int GetIndex() const { return m_nIndex; }
    // The window the item stands for (an MDI child of a tab client), or null.
    HWND GetHandle() const { return m_hWnd; }
    void SetHandle(HWND hWnd) { m_hWnd = hWnd; }
    int GetImageIndex() const { return m_nImage; }
    void SetImageIndex(int nImage) { m_nImage = nImage; }
    int GetLength() const { return m_nLength; }
    int GetFullLength() const { return m_nFullLength; }
    void SetLengths(int nLength, int nFullLength) { m_nLength = nLength; m_nFullLength = nFullLength; }
    int GetRow() const { return m_nRow; }
    void SetRow(int nRow) { m_nRow = nRow; }
    BOOL IsClosable() const { return m_bClosable; }
    void SetClosable(BOOL bClosable) { m_bClosable = bClosable; }
    CKitTabManager* GetTabManager() const { return m_pManager; }
    CKitTabManagerNavigateButtons& GetNavigateButtons() { return m_arrNavigateButtons; }
    CKitMarkupUIElement* GetMarkupUIElement() const { return m_pMarkupUIElement; }
    // Draws the image in the item's state; square images turn with vertical strips when the paint manager asks.
    void DrawImage(CDC* pDC, CPoint pt, CSize sz, CKitImageManagerIcon* pImage);

protected:
    int m_nLength = 0;
    int m_nFullLength = 0;
    int m_nSecondImage = -1;
    int m_nIndex = -1;
    BOOL m_bEnabled = TRUE;
    BOOL m_bVisible = TRUE;
    int m_nSubclassValue = 0;
    int m_nImage = 0;
    int m_nSubclassValue2 = 0;
    CRect m_rcItem;
    CString m_strCaption;
    CString m_strToolTip;
    COLORREF m_clrItem = 0;
    CKitTabManager* m_pManager = nullptr;
    int m_nRow = 0;
    BOOL m_bClosable = TRUE;
    CKitTabManagerNavigateButtons m_arrNavigateButtons;
    CKitMarkupUIElement* m_pMarkupUIElement = nullptr;
    DWORD_PTR m_dwSubclassData = 0;
    HWND m_hWnd = nullptr;

    friend class CKitTabManager;
    friend class CKitTabPaintManager;
};

class CKitTabManager : public CKitTabManagerAtom {
public:
    class CRowIndexer;
    class CNavigateButtonArrow;
    class CNavigateButtonArrowLeft;
    class CNavigateButtonArrowRight;
    class CNavigateButtonClose;
    class CNavigateButtonTabClose;

    // Texts of the strip's own buttons.
    static constexpr const char* kTextClose = "Close";
    static constexpr const char* kTextScrollLeft = "Scroll Left";
    static constexpr const char* kTextScrollRight = "Scroll Right";
    static constexpr const char* kTextScrollUp = "Scroll Up";
    static constexpr const char* kTextScrollDown = "Scroll Down";
    // Time between two repeats of a held scroll button.
    static constexpr DWORD kRepeatMilliseconds = 20;

    CKitTabManager();
    ~CKitTabManager() override;

    // The point of a mouse message in hWnd's client coordinates (the loops of the strip's presses).
    static CPoint MessagePoint(HWND hWnd, const MSG& msg);
    // A right click, cancel mode or Escape: ends a press or drag of the strip without a click.
    static BOOL IsCancelMessage(const MSG& msg);

    // What a press loop of the strip meets next while hWnd holds the mouse.
    enum PressMessage { kPressEnded, kPressReleased, kPressCancelled, kPressMoved, kPressOther };
    // Takes the next message of a press loop; blocks until there is one. A quit (posted again) or a lost
    // capture ends the press (the message that took the capture is dispatched); other key-downs are swallowed
    // and other messages dispatched (kPressOther). *pPoint gets the point of a move or a release.
    static int TakePressMessage(HWND hWnd, CPoint* pPoint);
    CKitTabManager(const CKitTabManager&) = delete;
    CKitTabManager& operator=(const CKitTabManager&) = delete;

    virtual CString GetItemCaption(const CKitTabManagerItem* pItem) const;
    virtual int GetItemImage(const CKitTabManagerItem* pItem) const;
    virtual COLORREF GetItemColor(const CKitTabManagerItem* pItem) const;
    virtual CString GetItemTooltip(const CKitTabManagerItem* pItem) const;
    // Renumbers the items after a change of the array and lays out again.
    virtual void OnItemsChanged();
    virtual void SetSelectedItem(CKitTabManagerItem* pItem);
    virtual void SelectItemIfAllowed(CKitTabManagerItem* pItem);
    virtual void GetItemMetrics(CSize* pszNormal, CSize* pszMin, CSize* pszMax);
    virtual int GetItemsLength();
    virtual CKitTabPaintManager* GetPaintManager() const = 0;
    virtual void OnPropertyChanged(int /*nProperty*/) {}
    // Invalidates the rectangle (NULL: all) of the owner's window.
    virtual void RedrawControl(const RECT* pRect, BOOL bAnimate) = 0;
    virtual BOOL IsAllowReorder() const { return m_bAllowReorder; }
    virtual void SetAllowReorder(BOOL bAllow) { m_bAllowReorder = bAllow; }
    virtual BOOL IsDrawStaticFrame() const;
    // Draws the item's icon (bDraw FALSE: only measures); TRUE when there is one.
    virtual BOOL DrawIcon(CDC* pDC, CPoint pt, CKitTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) = 0;
    virtual int GetPosition() const;
    virtual void ScrollHeader(BOOL bForward);
    // The tool under the point for the owner's tooltip, or -1.
    virtual INT_PTR OnToolHitTest(HWND hWnd, CPoint point, TOOLINFOA* pTI);
    // Home, End and the arrows move the selection; TRUE when the key was taken.
    virtual BOOL PerformKeyDown(HWND hWnd, UINT nChar);
    virtual BOOL DrawParentBackground(CDC* /*pDC*/, CRect /*rc*/) { return FALSE; }
    virtual CKitMarkupContext* GetMarkupContext() const { return m_pMarkupContext; }
    virtual BOOL IsNavigateButtonAutomaticVisible(CKitTabManagerNavigateButton* pButton);
    virtual BOOL IsNavigateButtonVisible(CKitTabManagerNavigateButton* pButton);
    virtual void OnItemClick(CKitTabManagerItem* pItem) { SetSelectedItem(pItem); }
    // The left button went down on the item: drags it along the strip when reordering is allowed, else
    // tracks or selects it; blocks while the button is held.
    virtual void OnPressItem(HWND hWnd, CPoint point, CKitTabManagerItem* pItem);
    virtual BOOL IsAllowSelect(CKitTabManagerItem* /*pItem*/) { return TRUE; }
    // Drags the item along the strip until the button is released; blocks.
    virtual void ReOrder(HWND hWnd, CPoint point, CKitTabManagerItem* pItem);
    virtual void OnSwapItems(CKitTabManagerItem* /*pItem*/, CKitTabManagerItem* /*pOther*/) {}
    virtual void OnItemReordered(CKitTabManagerItem* /*pItem*/, int /*nOldIndex*/, int /*nNewIndex*/) {}
    virtual void OnNavigateButtonClick(UINT /*nID*/) {}
    virtual void OnNavigateButtonClick(CKitTabManagerNavigateButton* pButton);
    virtual BOOL IsMouseLocked() const { return FALSE; }
    virtual BOOL HasFocus() const { return FALSE; }
    virtual void OnNotify(int /*nCode*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {}

    CKitTabManagerItem* AddItem(int nIndex, CKitTabManagerItem* pItem = nullptr);
    BOOL DeleteItem(int nIndex);
    void DeleteAllItems();
    void SetCurSel(int nIndex);
    int GetCurSel() const;
    int GetItemCount() const { return static_cast<int>(m_arrItems.size()); }
    CKitTabManagerItem* GetItem(int nIndex) const { return m_arrItems.at(nIndex); }
    CKitTabManagerItem* GetSelectedItem() const { return m_pSelected; }
    CKitTabManagerItem* GetHotItem() const { return m_pHighlighted; }
    CKitTabManagerItem* GetPressedItem() const { return m_pPressed; }
    CKitTabManagerNavigateButton* GetHotNavigateButton() const { return m_pHighlightedNavigateButton; }
    void ClearHotNavigateButton(const CKitTabManagerNavigateButton* pButton);
    int GetHeaderOffset() const { return m_nHeaderOffset; }
    void SetHeaderOffset(int nOffset);
    void EnsureVisible(CKitTabManagerItem* pItem);
    int GetLayout() const;
    CKitTabPaintManagerAppearanceSet* GetAppearanceSet() const;
    BOOL IsHorizontalPosition() const;
    BOOL IsActive() const { return m_bActive; }
    void SetActive(BOOL bActive);
    int GetItemCloseButtonMode() const { return m_nItemCloseButtonMode; }
    void SetItemCloseButtonMode(int nMode) { m_nItemCloseButtonMode = nMode; }
    CKitTabManagerItem* FindNextFocusable(int nIndex, int nDirection) const;
    CKitTabManagerItem* HitTest(CPoint point) const;
    CKitTabManagerNavigateButton* HitTestNavigateButton(CPoint point, BOOL bHeaderOnly, int* pnIndex = nullptr) const;
    void PerformMouseMove(HWND hWnd, CPoint point);
    // Mouse button down: a navigate button, then (unless bNavigateOnly) an item; TRUE when taken.
    BOOL PerformClick(HWND hWnd, CPoint point, BOOL bNavigateOnly = FALSE);
    // Holds the item pressed until the button is released; blocks.
    void TrackClick(HWND hWnd, CPoint point, CKitTabManagerItem* pItem);

    const CRect& GetHeaderRect() const { return m_rcHeader; }
    const CRect& GetControlRect() const { return m_rcControl; }
    const CRect& GetClientRect() const { return m_rcClient; }
    void SetRects(const CRect& rcHeader, const CRect& rcControl, const CRect& rcClient)
    {
        m_rcHeader = rcHeader;
        m_rcControl = rcControl;
        m_rcClient = rcClient;
    }
    CKitTabManagerNavigateButtons& GetNavigateButtons() { return m_arrNavigateButtons; }
    CRowIndexer* GetRowIndexer() const { return m_pRowIndexer; }
    int GetHeaderScrollStep() const { return m_nHeaderScrollStep; }

protected:
    CKitTabManagerItem* m_pSelected = nullptr;
    CKitTabManagerItem* m_pHighlighted = nullptr;
    CKitTabManagerItem* m_pPressed = nullptr;
    CKitTabManagerNavigateButton* m_pHighlightedNavigateButton = nullptr;
    int m_nHeaderOffset = 0;
    BOOL m_bAllowReorder = TRUE;
    BOOL m_bActive = TRUE;
    int m_nItemCloseButtonMode = 0;
    CRect m_rcHeader;
    CRect m_rcControl;
    CRect m_rcClient;
    std::vector<CKitTabManagerItem*> m_arrItems;
    CKitTabManagerNavigateButtons m_arrNavigateButtons;
    CRowIndexer* m_pRowIndexer = nullptr;
    int m_nHeaderScrollStep = 20;
    CKitMarkupContext* m_pMarkupContext = nullptr;

private:
    // The layout writes the rectangles and the header offset without laying out again.
    friend class CKitTabPaintManager;

    void RedrawItem(CKitTabManagerItem* pItem, BOOL bAnimate);
    void SetHotNavigateButton(HWND hWnd, CKitTabManagerNavigateButton* pButton);
};

// Which items each row of a multi-row strip holds; the layout fills it.
class CKitTabManager::CRowIndexer {
public:
    struct Row {
        int nFirstItem;
        int nLastItem;
    };
    explicit CRowIndexer(CKitTabManager* pManager) : m_pManager(pManager) { SetRowCount(1); }
    // Makes n rows; row 0 then spans every item.
    Row* SetRowCount(int nRowCount);
    int GetRowCount() const { return m_nRowCount; }
    Row* GetRows() { return m_arrRows.data(); }

private:
    CKitTabManager* m_pManager;
    int m_nRowCount = 0;
    std::vector<Row> m_arrRows;
};

class CKitTabManager::CNavigateButtonArrow : public CKitTabManagerNavigateButton {
public:
    using CKitTabManagerNavigateButton::CKitTabManagerNavigateButton;
    void AdjustWidth(int& nWidth) override;
    void Reposition(CRect& rcHeader) override;
    void OnExecute(BOOL /*bTick*/) override {}

protected:
    // The room the header leaves for the items, and its two margins along the strip.
    int GetAvailableLength(const CRect& rcHeader, int& nMarginStart, int& nMarginEnd) const;
};

class CKitTabManager::CNavigateButtonArrowLeft : public CNavigateButtonArrow {
public:
    explicit CNavigateButtonArrowLeft(CKitTabManager* pManager) : CNavigateButtonArrow(pManager, kScrollBack, kShowAutomatic) {}
    void Reposition(CRect& rcHeader) override;
    void DrawEntry(CDC* pDC, CRect rc) override;
    void OnExecute(BOOL bTick) override;
};

class CKitTabManager::CNavigateButtonArrowRight : public CNavigateButtonArrow {
public:
    explicit CNavigateButtonArrowRight(CKitTabManager* pManager) : CNavigateButtonArrow(pManager, kScrollForward, kShowAutomatic) {}
    void Reposition(CRect& rcHeader) override;
    void DrawEntry(CDC* pDC, CRect rc) override;
    void OnExecute(BOOL bTick) override;
};

class CKitTabManager::CNavigateButtonClose : public CKitTabManagerNavigateButton {
public:
    explicit CNavigateButtonClose(CKitTabManager* pManager, int nShowMode = kShowNone);
    void DrawEntry(CDC* pDC, CRect rc) override;
};

// The close button on one item.
class CKitTabManager::CNavigateButtonTabClose : public CNavigateButtonClose {
public:
    CNavigateButtonTabClose(CKitTabManager* pManager, CKitTabManagerItem* pItem);
};
