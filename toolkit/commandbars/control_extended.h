// CKitControlWindowList, CKitControlToolbars, CKitControlOleItems, CKitControlRecentFileList: menu placeholders
// that expand into the open MDI windows, the bars, an embedded item's verbs or the recent files; CKitControlSelector,
// CKitControlLabel, CKitControlCheckBox, CKitControlRadioButton, CKitControlMarkupLabel, CKitControlBitmap,
// CKitControlHyperlink: self-contained controls.
#pragma once

#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/toolbar.h"

class CFont;
class CKitMarkupUIElement;
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

// Stands for the bars a user may show or hide: one checked item per visible bar.
class CKitControlToolbars : public CKitControlButton {
    DECLARE_DYNCREATE(CKitControlToolbars)
public:
    // The parameter that marks the generated items.
    static constexpr LPCSTR kItemParameter = CKitControlToolbarItem::kParameter;

    void OnBeforePopup() override;
};

// Stands for the verbs of the embedded item that is active in place: one popup holding them.
class CKitControlOleItems : public CKitControlButton {
    DECLARE_DYNCREATE(CKitControlOleItems)
public:
    // The parameter of the generated popup.
    static constexpr LPCSTR kItemParameter = "OLEMENUPOPUP";

    void OnBeforePopup() override;

protected:
    // Fills the menu with the active item's verb entry (verb ids from ID_OLE_VERB_FIRST); FALSE without an item
    // that is active in place. The framework here keeps no embedded items, so none is ever found.
    virtual BOOL FillVerbMenu(HMENU /*hMenu*/) { return FALSE; }
};

// Stands for the application's recent files; empty, it shows itself disabled.
class CKitControlRecentFileList : public CKitControlButton {
    DECLARE_DYNCREATE(CKitControlRecentFileList)
public:
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
    // The base record, then the three sizes.
    void DoPropExchange(CKitPropExchange* pPX) override;

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

// A caption that is never selected and never executes.
class CKitControlLabel : public CKitControl {
    DECLARE_DYNCREATE(CKitControlLabel)
public:
    CKitControlLabel();

    int GetSelected() const override { return kitSelectedNone; }
    void OnClick(BOOL /*bKeyboard*/ = FALSE, CPoint /*pt*/ = CPoint()) override {}
};

// A button drawn with a check mark; Space clicks it.
class CKitControlCheckBox : public CKitControlButton {
    DECLARE_DYNCREATE(CKitControlCheckBox)
public:
    CKitControlCheckBox() : CKitControlButton(kitControlCheckBox) {}

    BOOL OnHookKeyDown(UINT nChar, LPARAM lParam) override;

protected:
    explicit CKitControlCheckBox(int nType) : CKitControlButton(nType) {}
};

// A button drawn with a radio mark; Space clicks it.
class CKitControlRadioButton : public CKitControlCheckBox {
    DECLARE_DYNCREATE(CKitControlRadioButton)
public:
    CKitControlRadioButton() : CKitControlCheckBox(kitControlRadioButton) {}
};

// A label whose caption is markup: the caption is parsed anew whenever it changes.
class CKitControlMarkupLabel : public CKitControlLabel {
    DECLARE_DYNCREATE(CKitControlMarkupLabel)
public:
    CKitControlMarkupLabel() = default;
    ~CKitControlMarkupLabel() override;

    // The parsed caption; null for a caption that is no markup.
    CKitMarkupUIElement* GetMarkupElement() const { return m_pMarkupElement; }

    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void OnCaptionChanged() override;

private:
    // Sets the paint manager's control font and text colour as the element's defaults.
    void SetDefaultFont();

    CKitMarkupUIElement* m_pMarkupElement = nullptr;
};

// The image of its id at the image's own size.
class CKitControlBitmap : public CKitControlLabel {
    DECLARE_DYNCREATE(CKitControlBitmap)
public:
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
};

// A caption drawn as a link; executing opens the address held as its tooltip.
class CKitControlHyperlink : public CKitControl {
    DECLARE_DYNCREATE(CKitControlHyperlink)
public:
    // Text colours: enabled and selected, enabled.
    static constexpr COLORREF kColorHot = RGB(255, 0, 0);
    static constexpr COLORREF kColorLink = RGB(0, 0, 255);

    CKitControlHyperlink() : CKitControl(kitControlButton) {}

    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void OnMouseMove(CPoint pt) override;
    void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint()) override;
    void OnExecute() override;
    // The caption's colour in the control's state.
    COLORREF GetLinkColor() const;

protected:
    // Opens the address with the shell's "open" verb.
    virtual void OpenLink(const CString& strAddress);

private:
    // Selects the paint manager's control font, else the stock GUI font; gives the one it replaced.
    CFont* SelectFont(CDC* pDC);
};
