// CKitControlWindowList, CKitControlRecentFileList, CKitControlSelector: menu placeholders that expand into
// the open MDI windows or the recent files, and the grid selector.
#pragma once

#include "toolkit/commandbars/control.h"

class CRecentFileList;

// The site notification of a selector whose selection changed.
constexpr int kitNotifySelectorChanged = 4102;

// Stands for the site's MDI children: before its popup shows it hides itself and puts one item per visible
// child after itself, numbered 1 to 9.
class CKitControlWindowList : public CKitControlButton {
    DECLARE_DYNCREATE(CKitControlWindowList)
public:
    // The lowest id of an MDI child; the expansion settles it from the active child's id.
    static UINT s_nFirstMDIChild;
    // At most this many items.
    static int s_nItemsMax;
    // Items are radio buttons instead of buttons.
    static BOOL s_bShowRadioButtons;
    // Help id and description string of the items.
    static constexpr UINT kItemHelpId = 61215;

    // The name with each "&" doubled behind a mnemonic number: 1 to 9 "&n", 10 "1&0", above 10 plain; 0 none.
    static CString FormatNumberedCaption(LPCSTR lpszName, int nNumber);

    void OnBeforePopup() override;
};

// Stands for the application's recent files; empty, it shows itself disabled.
class CKitControlRecentFileList : public CKitControlButton {
    DECLARE_DYNCREATE(CKitControlRecentFileList)
public:
    // The command id of the first file.
    static constexpr UINT kFirstFileId = 0xE110;

    void OnBeforePopup() override;

protected:
    // The application's list; null without one.
    virtual CRecentFileList* GetRecentFileList() const;
    // The current directory with a trailing backslash.
    virtual CString GetCurrentFolder() const;
};

// A grid of cells: moving over it selects the cells up to the pointer, dragging past its right or bottom edge
// grows it up to its largest grid, and releasing the button executes the selection.
class CKitControlSelector : public CKitControl {
    DECLARE_DYNCREATE(CKitControlSelector)
public:
    CKitControlSelector() : CKitControl(kitControlButton) {}

    CSize GetItemsCount() const { return m_szItemsCount; }
    void SetItemsCount(CSize size) { m_szItemsCount = size; }
    CSize GetItemsMax() const { return m_szItemsMax; }
    void SetItemsMax(CSize size) { m_szItemsMax = size; }
    CSize GetItemSize() const { return m_szItem; }
    void SetItemSize(CSize size) { m_szItem = size; }
    // Columns and rows selected.
    CSize GetSelection() const { return m_szSelected; }
    // The selection last executed.
    CSize GetLastSelection() const { return m_szLastSelected; }
    // The grid shown now.
    CSize GetGrid() const { return m_szGrid; }
    // Stores, redraws and notifies the site; an unchanged selection only with bForce.
    void SetSelection(CSize szSelection, BOOL bForce = FALSE);

    void OnBeforePopup() override;
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void OnMouseMove(CPoint pt) override;
    BOOL OnSetSelected(int nSelected) override;
    void OnLButtonUp(CPoint pt) override;
    void OnClick(BOOL /*bKeyboard*/ = FALSE, CPoint /*pt*/ = CPoint()) override {}
    void Copy(const CKitControl* pSource, BOOL bRecursive) override;

protected:
    // Draws what a cell shows; nothing here.
    virtual void DrawCellContent(CDC* /*pDC*/, const CRect& /*rcCell*/, COLORREF /*clrContent*/) {}
    // The pointer in the parent bar's client coordinates.
    virtual CPoint GetCursorInBar() const;
    // Whether the left mouse button is held.
    virtual BOOL IsLeftButtonDown() const;

private:
    CSize m_szItemsCount = CSize(5, 4);
    CSize m_szItemsMax = CSize(12, 12);
    CSize m_szSelected;
    CSize m_szItem = CSize(28, 28);
    CSize m_szLastSelected;
    CSize m_szGrid;
    BOOL m_bGrowing = FALSE;
};
