// CKitControlGalleryEntry, CKitControlGalleryEntryList, CKitControlGallery and the gallery painter interface: a scrollable grid of entries on a command bar; CKitControlComboBoxGalleryPopupBar: a combo box's drop-down that shows a gallery.
#pragma once

#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/control_combo.h"
#include "toolkit/commandbars/control_scroll.h"

#include "framework/strings.h"

#include <vector>

class CKitControlGallery;
class CKitControlGalleryEntry;
class CKitControlGalleryEntryList;

// Notifications a gallery sends its owner.
enum KitGalleryNotification {
    kitGalleryPreviewStart = 4112,
    kitGalleryPreviewCancel = 4113,
    kitGalleryPreviewApply = 4114,
    kitGalleryPreviewChange = 4115,
    kitGalleryBeginDrag = 4116,
    kitGallerySelectionChange = 4117,
};

// The gallery drawing of a theme, owned by its paint manager.
class CKitGalleryPainter {
public:
    virtual CKitScrollBarPainter* GetGalleryScrollBarPainter() = 0;
    virtual void FillGalleryControl(CDC* pDC, CKitControlGallery* pGallery) = 0;
    virtual void DrawGalleryLabel(CDC* pDC, CRect rc, CKitControlGalleryEntry* pLabel) = 0;
    // A plain entry: its caption on a face showing its state.
    virtual void DrawGalleryEntry(CDC* pDC, CRect rc, CKitControlGalleryEntry* pEntry, BOOL bEnabled, BOOL bSelected,
                                  BOOL bPressed, BOOL bChecked) = 0;
    // The up, down and more buttons of a gallery that owns a drop-down.
    virtual void DrawGalleryScrollButtons(CDC* pDC, CKitControlGallery* pGallery) = 0;
    virtual int GetScrollButtonColumnWidth() const = 0;
    virtual int GetScrollButtonHeight() const = 0;
    // The down button's height; the up button's unless a theme sizes them apart.
    virtual int GetScrollDownButtonHeight() const { return GetScrollButtonHeight(); }

protected:
    ~CKitGalleryPainter() = default;
};

// One tile or label of a gallery.
class CKitControlGalleryEntry : public CCmdTarget {
public:
    CKitControlGalleryEntry() = default;
    CKitControlGalleryEntry(const CKitControlGalleryEntry&) = delete;
    CKitControlGalleryEntry& operator=(const CKitControlGalleryEntry&) = delete;

    // Width 0 spans the entries area; the default is the list's entry size.
    virtual CSize GetSize();
    virtual void Draw(CDC* pDC, CKitControlGallery* pGallery, CRect rc, BOOL bEnabled, BOOL bSelected, BOOL bPressed,
                      BOOL bChecked);
    // TRUE when the entry handled the click itself.
    virtual BOOL OnClick() { return FALSE; }

    int m_nId = 0;
    int m_nIndex = -1;
    int m_nImage = -1;
    CString m_strCaption;
    CString m_strTooltip;
    CString m_strDescription;
    BOOL m_bLabel = FALSE;
    BOOL m_bEnabled = TRUE;
    // 0 x 0: the list's entry size (labels: the area's width by 20).
    CSize m_szEntry;
    CKitControlGalleryEntryList* m_pList = nullptr;
};

// The entries a gallery shows, held by its action; each entry by one reference.
class CKitControlGalleryEntryList : public CCmdTarget {
public:
    static constexpr int kLabelHeight = 20;

    CKitControlGalleryEntryList() = default;
    ~CKitControlGalleryEntryList() override { RemoveAll(); }
    CKitControlGalleryEntryList(const CKitControlGalleryEntryList&) = delete;
    CKitControlGalleryEntryList& operator=(const CKitControlGalleryEntryList&) = delete;

    CKitControlGalleryEntry* AddEntry(int nId, LPCSTR lpszCaption);
    CKitControlGalleryEntry* AddLabel(LPCSTR lpszCaption);
    // Takes over the entry's reference.
    CKitControlGalleryEntry* Add(CKitControlGalleryEntry* pEntry);
    void RemoveAll();
    int GetCount() const { return static_cast<int>(m_entries.size()); }
    // Null outside 0..count-1.
    CKitControlGalleryEntry* GetAt(int nIndex) const;
    // TRUE when it drew the entry; else the entry draws itself.
    virtual BOOL DrawEntry(CDC* /*pDC*/, CKitControlGallery* /*pGallery*/, CKitControlGalleryEntry* /*pEntry*/,
                           CRect /*rc*/, BOOL /*bEnabled*/, BOOL /*bSelected*/, BOOL /*bPressed*/, BOOL /*bChecked*/)
    {
        return FALSE;
    }

    int m_cxEntry = 20;
    int m_cyEntry = 20;
    // A selection change repaints the two entries only.
    BOOL m_bRedrawSingleEntries = FALSE;

private:
    std::vector<CKitControlGalleryEntry*> m_entries;
};

// A grid of entries under optional labels with a vertical scroll bar.
class CKitControlGallery : public CKitControlPopup, public CKitScrollBase {
    DECLARE_DYNCREATE(CKitControlGallery)
public:
    static constexpr int kDefaultWidth = 120;
    static constexpr int kDefaultHeight = 60;
    static constexpr UINT kHoverDelay = 200;
    // Wheel notch: this many entry heights.
    static constexpr int kWheelLines = 3;
    static constexpr UINT kAnimationPeriod = 40;

    struct GALLERYITEM_POSITION {
        CRect rc;
        CKitControlGalleryEntry* pEntry = nullptr;
        BOOL bBeginRow = FALSE;
    };

    CKitControlGallery();

    // The action's entries, or null.
    CKitControlGalleryEntryList* GetEntries() const;
    int GetEntryCount() const;
    CKitControlGalleryEntry* GetEntry(int nIndex) const;

    int GetSelectedEntry() const { return m_nSelectedEntry; }
    // Selects as the keyboard does.
    void SelectEntry(int nIndex);
    void SetCheckedEntryId(int nId) { m_nCheckedId = nId; }
    BOOL IsEntryChecked(CKitControlGalleryEntry* pEntry) const { return pEntry != nullptr && pEntry->m_nId == m_nCheckedId; }
    void EnsureVisible(int nIndex);
    // Scrolls the entry's top to the first line; -1 for an invalid index.
    int SetTopEntry(int nIndex);
    int HitTestEntry(CPoint pt, CRect* pRect = nullptr) const;
    // The scrolled rectangle clipped to the entries area; empty for an invalid index.
    CRect GetEntryRect(int nIndex) const;
    // Lays the entries out again after a change of entries, size or options.
    void OnRecalcLayout();
    // The rectangle the entries are laid out in.
    CRect GetEntriesArea() const;
    int GetScrollPos() const { return m_nScrollPos; }
    int GetTotalHeight() const { return m_nTotalHeight; }
    // After the entries changed: no selection, scrolled to the top, laid out again; a preview is cancelled.
    void OnEntriesReset();
    // Scrolls by the wheel delta; TRUE when taken.
    BOOL OnHookMouseWheel(short zDelta);
    // The wheel a tracking bar offers its selected control.
    BOOL OnHookMouseWheel(UINT /*nFlags*/, short zDelta, CPoint /*pt*/) override { return OnHookMouseWheel(zDelta); }
    // Behaves wholly as a popup button (icon style).
    BOOL IsShownAsButton() const;
    // The gallery owns a drop-down bar: scroll buttons replace the bar.
    BOOL HasScrollButtons() const { return GetCommandBar() != nullptr; }
    // The narrowest width: the owning gallery's in a gallery's drop-down, else one entry (at least 16) and the
    // borders.
    int GetCustomizeMinWidth() const;
    // The lowest height: one entry and the borders, at least 32.
    int GetCustomizeMinHeight() const;
    BOOL IsCustomizeResizeAllowed() const { return m_bResizable; }

    // Options.
    BOOL m_bShowLabels = TRUE;
    BOOL m_bShowScrollBar = TRUE;
    BOOL m_bShowBorders = FALSE;
    CRect m_rcMargin;
    BOOL m_bResizable = FALSE;
    BOOL m_bAutoScrollBar = FALSE;
    BOOL m_bTransparent = FALSE;

    // Control operations.
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void SetRect(const CRect& rc) override;
    void SetAction(CKitControlAction* pAction) override;
    void Copy(const CKitControl* pSource, BOOL bRecursive) override;
    // The popup record, then the display options.
    void DoPropExchange(CKitPropExchange* pPX) override;
    void OnMouseMove(CPoint pt) override;
    void OnMouseHover() override;
    void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint()) override;
    void OnLButtonUp(CPoint pt) override;
    void OnExecute() override;
    // Closing the drop-down cancels a running preview first.
    BOOL SetPopup(BOOL bPopup) override;
    // The drop-down opens over the gallery: an empty rectangle just left of its top-left corner.
    void AdjustExcludeRect(CRect& rc, BOOL bVertical) override;
    BOOL OnSetSelected(int nSelected) override;
    BOOL OnHookKeyDown(UINT nChar, LPARAM lParam) override;

    // The entries are the gallery's accessible children (child i + 1 is entry i), each a list item.
    HRESULT GetAccessibleChildCount(long* pcountChildren) override;
    HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName) override;
    HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
    HRESULT AccessibleSelect(long flagsSelect, VARIANT varChild) override;
    HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;
    HRESULT AccessibleDoDefaultAction(VARIANT varChild) override;

    // Scroll base operations.
    BOOL IsScrollBarEnabled() const override { return IsEnabled(); }
    CWnd* GetParentWindow() const override;
    CRect GetScrollBarRect() override;
    void GetScrollInfo(SCROLLINFO* pSi) override;
    void DoScroll(int nCommand, int nPos) override;
    void RedrawScrollBar() override { RedrawParent(FALSE); }
    // One step of a smooth scroll (timer 23346 on the parent bar).
    void OnAnimationStep() override;
    void CalcScrollBarInfo(const CRect& rc, KIT_SCROLLBARPOSINFO* pSBInfo, const SCROLLINFO* pSi) override;
    CKitScrollBarPainter* GetScrollBarPaintManager() const override;
    CKitGalleryPainter* GetGalleryPaintManager() const;

    // The next entry after nStart (wrapping) whose caption is the text, or begins with it
    // when not exact, ignoring case; -1 when none.
    int FindEntryByText(int nStart, LPCSTR lpszText, BOOL bExact) const;
    // The caption of the entry; empty for an invalid index.
    CString GetEntryText(int nIndex) const;
    // Next selectable entry from nStart in the direction (+1, -1), wrapping once; -1 when none.
    int GetNextSelectable(int nStart, int nDirection) const;
    // The space around the entries: borders, scroll bar column and margins.
    CRect GetBorders() const;

private:
    BOOL IsBarSelected() const;
    // One layout pass; a measuring pass stops once the entries overflow the area.
    void LayoutPass(BOOL bMeasure);
    void SetScrollPosNow(int nPos);
    // Scrolls towards the position in steps of 40 ms.
    void ScrollAnimated(int nPos);
    void StopAnimation();
    int ClampScrollPos(int nPos) const;
    void RedrawEntry(int nIndex);
    void SetSelectedEntry(int nIndex);
    void StartPreview();
    void EndSelection();
    int MoveInRow(int nDirection) const;
    int MoveInColumn(int nDirection) const;
    int MoveByPage(int nDirection) const;
    int Notify(int nCode) { return static_cast<int>(NotifySite(nCode)); }

    std::vector<GALLERYITEM_POSITION> m_arrRects;
    int m_nCheckedId = -1;
    int m_nSelectedEntry = -1;
    BOOL m_bHideSelection = FALSE;
    BOOL m_bPressed = FALSE;
    CPoint m_ptPressed;
    BOOL m_bKeyboardSelected = FALSE;
    BOOL m_bPreview = FALSE;
    BOOL m_bDragNotified = FALSE;
    int m_nScrollPos = 0;
    int m_nTotalHeight = 0;
    int m_nAnimationTarget = 0;
    double m_dAnimationStep = 0;
};

// The drop-down of a combo box whose first control is a gallery: the list operations work on the gallery's
// entries, and a click on an entry makes the combo box take it and execute.
class CKitControlComboBoxGalleryPopupBar : public CKitControlComboBoxPopupBar {
    DECLARE_DYNCREATE(CKitControlComboBoxGalleryPopupBar)
public:
    // The first control when it is a gallery, else null.
    CKitControlGallery* GetGallery() const;

    int GetCurSel() const override;
    // Starting at nStart inclusive, wrapping once.
    int FindString(int nStart, LPCSTR lpszText) const override;
    int FindStringExact(int nStart, LPCSTR lpszText) const override;
    void SetTopIndex(int nIndex) override;
    void SetCurSel(int nIndex) override;
    CString GetItemText(int nIndex) const override;
    // The gallery's keyboard navigation; TRUE when the selected entry changed.
    BOOL ProcessListKey(UINT nChar) override;

    // Opens with the gallery selected and in line with the combo box's text; tells the site 7.
    BOOL Popup(CKitControlPopup* pControl, BOOL bSelectFirst) override;
    // Closing tells the site 8.
    BOOL SetTrackingMode(int nMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE) override;
    int OnHookKeyDown(UINT nChar, LPARAM lParam) override;
    // The combo box takes the gallery's selected entry and executes; FALSE when no combo box opened the bar.
    BOOL ExecuteComboBox();

private:
    BOOL m_bOpen = FALSE;
};
