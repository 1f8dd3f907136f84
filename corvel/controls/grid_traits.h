// CColumnTrait, CColumnTraitText, CColumnTraitEdit, CColumnTraitCombo, CRowTrait, CRowTraitText, CRowTraitXP, CColumnManager: how the grid list's columns and rows behave.
#pragma once

#include "framework/ui.h"

#include <map>

class CGridList;
class CCellEditorText;
class CCellEditorComboBox;
class CColumnTrait;
class CColumnTraitText;
class CColumnTraitEdit;
class CColumnTraitCombo;
class CRowTrait;
class CRowTraitText;
class CRowTraitXP;

// A trait colour that is not set: the list's own colour applies.
constexpr COLORREF kGridDefaultColor = static_cast<COLORREF>(-1);

// Visits a column trait as its own kind; each kind falls back to its base's visit.
class CColumnTraitVisitor {
public:
    virtual ~CColumnTraitVisitor() = default;
    virtual void Visit(CColumnTrait&) {}
    virtual void Visit(CColumnTraitText& trait);
    virtual void Visit(CColumnTraitEdit& trait);
    virtual void Visit(CColumnTraitCombo& trait);
};

// Visits a row trait as its own kind; each kind falls back to its base's visit.
class CRowTraitVisitor {
public:
    virtual ~CRowTraitVisitor() = default;
    virtual void Visit(CRowTrait&) {}
    virtual void Visit(CRowTraitText& trait);
    virtual void Visit(CRowTraitXP& trait);
};

// How one column of a grid list behaves: shown, sorted, edited, resized.
class CColumnTrait {
public:
    CColumnTrait() = default;
    CColumnTrait(const CColumnTrait&) = delete;
    CColumnTrait& operator=(const CColumnTrait&) = delete;
    virtual ~CColumnTrait() = default;

    // Called for the column's cells at the sub-item draw stages.
    virtual void OnCustomDraw(CGridList& list, NMLVCUSTOMDRAW* pDraw, LRESULT* pResult);
    // Creates the in-place editor of a cell (hidden; the list shows it), or null.
    virtual CWnd* OnEditBegin(CGridList& list, int row, int col);
    // Called when the cell's edit has ended.
    virtual void OnEditEnd();
    // Compares two cell texts for sorting; < 0 puts the first before the second.
    virtual int OnSortRows(LPCSTR text1, LPCSTR text2, bool ascending);
    virtual void Accept(CColumnTraitVisitor& visitor);

    bool IsVisible() const { return m_visible; }
    void SetVisible(bool visible) { m_visible = visible; }
    int GetRememberedWidth() const { return m_rememberedWidth; }
    void SetRememberedWidth(int width) { m_rememberedWidth = width; }
    int GetRememberedPosition() const { return m_rememberedPosition; }
    void SetRememberedPosition(int position) { m_rememberedPosition = position; }
    // Never shown and never offered by the column picker.
    bool IsAlwaysHidden() const { return m_alwaysHidden; }
    void SetAlwaysHidden(bool hidden) { m_alwaysHidden = hidden; }
    bool IsSortable() const { return m_sortable; }
    void SetSortable(bool sortable) { m_sortable = sortable; }
    bool IsEditable() const { return m_editable; }
    void SetEditable(bool editable) { m_editable = editable; }
    bool IsResizable() const { return m_resizable; }
    void SetResizable(bool resizable) { m_resizable = resizable; }
    // Free for the column's owner.
    int GetMetaFlags() const { return m_metaFlags; }
    void SetMetaFlags(int flags) { m_metaFlags = flags; }

private:
    bool m_visible = true;
    int m_rememberedWidth = 0;
    int m_rememberedPosition = -1;
    bool m_alwaysHidden = false;
    bool m_sortable = true;
    bool m_editable = true;
    bool m_resizable = true;
    int m_metaFlags = 0;
};

// A text column: its own colours, numeric or text sorting, and the cell font hook.
class CColumnTraitText : public CColumnTrait {
public:
    ~CColumnTraitText() override;

    void OnCustomDraw(CGridList& list, NMLVCUSTOMDRAW* pDraw, LRESULT* pResult) override;
    int OnSortRows(LPCSTR text1, LPCSTR text2, bool ascending) override;
    void Accept(CColumnTraitVisitor& visitor) override;

    // Height of a line of sample text with accents and descenders in the list's grid font.
    virtual int GetCellFontHeight(CGridList& list);
    // Where an editor of the cell goes: its label rectangle, adjusted to the font and grid lines.
    virtual CRect GetCellEditRect(CGridList& list, int row, int col);

    void SetTextColor(COLORREF color) { m_textColor = color; }
    void SetBackColor(COLORREF color) { m_backColor = color; }
    COLORREF GetTextColor() const { return m_textColor; }
    COLORREF GetBackColor() const { return m_backColor; }
    // Sorts by the leading decimal number of the texts instead of the texts.
    void SetSortNumeric(bool numeric) { m_numericSort = numeric; }
    bool IsSortNumeric() const { return m_numericSort; }

private:
    // The font a cell drawn with its own font replaced, and that font; empty outside drawing.
    HFONT m_hReplacedFont = nullptr;
    CFont m_cellFont;
    COLORREF m_textColor = kGridDefaultColor;
    COLORREF m_backColor = kGridDefaultColor;
    bool m_numericSort = false;
};

// A column edited in place with an edit box.
class CColumnTraitEdit : public CColumnTraitText {
public:
    // Bordered, scrolling automatically to the right.
    static constexpr DWORD kDefaultEditStyle = WS_BORDER | ES_AUTOHSCROLL;

    CWnd* OnEditBegin(CGridList& list, int row, int col) override;
    void Accept(CColumnTraitVisitor& visitor) override;
    // Creates the edit box over rect (hidden), or null.
    virtual CCellEditorText* CreateEdit(CGridList& list, int row, int col, const CRect& rect);

    void SetStyle(DWORD style) { m_editStyle = style; }
    DWORD GetStyle() const { return m_editStyle; }

private:
    DWORD m_editStyle = kDefaultEditStyle;
};

// A column edited in place with a combo box of choices (or a plain edit field without choices).
class CColumnTraitCombo : public CColumnTraitText {
public:
    // A drop-down with an edit field, scrolling horizontally, no integral height, both scroll bars.
    static constexpr DWORD kDefaultComboStyle = CBS_DROPDOWN | CBS_AUTOHSCROLL | CBS_NOINTEGRALHEIGHT | WS_VSCROLL |
                                                WS_HSCROLL;
    static constexpr int kDefaultMaxVisibleItems = 7;
    static constexpr int kDefaultMaxDropWidth = 200;

    CWnd* OnEditBegin(CGridList& list, int row, int col) override;
    void OnEditEnd() override;
    void Accept(CColumnTraitVisitor& visitor) override;
    // Creates the combo box over rect (hidden), or null.
    virtual CCellEditorComboBox* CreateComboBox(CGridList& list, int row, int col, const CRect& rect);

    // Adds a choice; the choices are offered in the order of their item data.
    void AddItem(DWORD_PTR itemData, LPCSTR text);
    const std::map<DWORD_PTR, CString>& GetItems() const { return m_items; }
    void SetStyle(DWORD style) { m_comboStyle = style; }
    DWORD GetStyle() const { return m_comboStyle; }
    void SetMaxVisibleItems(int count) { m_maxVisibleItems = count; }
    void SetMaxDropWidth(int width) { m_maxDropWidth = width; }
    // The open editor, or null.
    CCellEditorComboBox* GetComboEditor() const { return m_pComboEditor; }

private:
    std::map<DWORD_PTR, CString> m_items;
    CCellEditorComboBox* m_pComboEditor = nullptr;
    DWORD m_comboStyle = kDefaultComboStyle;
    int m_maxVisibleItems = kDefaultMaxVisibleItems;
    int m_maxDropWidth = kDefaultMaxDropWidth;
};

// How the rows of a grid list are drawn.
class CRowTrait {
public:
    CRowTrait() = default;
    CRowTrait(const CRowTrait&) = delete;
    CRowTrait& operator=(const CRowTrait&) = delete;
    virtual ~CRowTrait() = default;

    // Called for every draw stage of the list's rows and cells.
    virtual void OnCustomDraw(CGridList& list, NMLVCUSTOMDRAW* pDraw, LRESULT* pResult);
    virtual void Accept(CRowTraitVisitor& visitor);
};

// Rows in their own (and alternating) colours, with the row font hook and the focus cell's frame.
class CRowTraitText : public CRowTrait {
public:
    ~CRowTraitText() override;

    void OnCustomDraw(CGridList& list, NMLVCUSTOMDRAW* pDraw, LRESULT* pResult) override;
    void Accept(CRowTraitVisitor& visitor) override;

    void SetRowColor(COLORREF text, COLORREF back)
    {
        m_textColor = text;
        m_backColor = back;
    }
    // The colours of odd rows.
    void SetAltRowColor(COLORREF text, COLORREF back)
    {
        m_altTextColor = text;
        m_altBackColor = back;
    }

private:
    // The font a row drawn with its own font replaced, and the font put in; empty outside drawing.
    HFONT m_hReplacedFont = nullptr;
    HFONT m_hSelectedFont = nullptr;
    CFont m_rowFont;
    COLORREF m_textColor = kGridDefaultColor;
    COLORREF m_backColor = kGridDefaultColor;
    COLORREF m_altTextColor = kGridDefaultColor;
    COLORREF m_altBackColor = kGridDefaultColor;
};

// Rows as CRowTraitText, with cell images drawn again over the cell's own back colour while unthemed.
class CRowTraitXP : public CRowTraitText {
public:
    void OnCustomDraw(CGridList& list, NMLVCUSTOMDRAW* pDraw, LRESULT* pResult) override;
    void Accept(CRowTraitVisitor& visitor) override;
};

// Receives a grid list's column-state events; the base keeps no state and adds nothing to the header menu.
class CColumnManager {
public:
    CColumnManager() = default;
    CColumnManager(const CColumnManager&) = delete;
    CColumnManager& operator=(const CColumnManager&) = delete;
    virtual ~CColumnManager() = default;

    // The header menu's extra items 1 to 3: the item's text, or false for no item.
    virtual bool GetHeaderMenuItem(CGridList& list, int item, CString& text);
    // One of the extra items was chosen.
    virtual void OnHeaderMenuItem(CGridList& list, int item);
    // The name of the column profile in use (the base: empty).
    virtual CString GetCurrentProfile(CGridList& list);
    virtual void OnProfileChosen(CGridList& list, const CString& profile);
    // Applies stored column state to the list; called when the manager is set.
    virtual void ApplyState(CGridList& list);
    virtual void OnListKillFocus(CGridList& list);
    virtual void OnColumnWidthChanged(CGridList& list, int col, int width);
    virtual void OnColumnVisibilityChanged(CGridList& list, int col, bool visible);
};
