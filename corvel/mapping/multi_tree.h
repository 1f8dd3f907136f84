// CMultiTree: the multi-select tree of an IED's IEC 61850 model.
#pragma once

#include "framework/ui.h"
#include "corvel/model/ied_tree_items.h"
#include "common/msxml_support.h"

#include <functional>
#include <memory>
#include <vector>

// The tree control with the control models its loaders record (CIedControlModels: m_controlEntries,
// m_ctlModelKeys, m_domain) and the records of its items (CTreeModelRecord, in corvel/model). Several items can
// be selected at once (the control's per-item selected state); the control's caret item is the focused item,
// which need not be selected. It is the drag source of the mapping: selected items are dragged onto a drop list.
class CMultiTree : public CTreeCtrl, public virtual CIedControlModels {
    DECLARE_DYNAMIC(CMultiTree)
public:
    CMultiTree();
    ~CMultiTree() override;

    // Holds a counted reference to the XML document of the loaded model, releasing the one held before;
    // a null reference is ignored.
    void AddXmlNode(IXMLDOMNode* node);
    const DomNodePtr& GetXmlNode() const { return m_xmlNode; }

    // The record an item holds, or null.
    CTreeModelRecord* GetItemRecord(HTREEITEM item) const;

    // Multiple selection; switching it off keeps only the focused item selected.
    void SetMultiSelect(bool on);
    bool IsMultiSelect() const { return m_multiSelect; }
    // The text whose length, plus 40, limits the tag names of dropped items.
    void SetPrefixText(const CString& text) { m_prefixText = text; }
    const CString& GetPrefixText() const { return m_prefixText; }
    // The list that receives drops, and what a drop onto it does.
    using DropHandler = std::function<void()>;
    void SetDropTarget(CWnd* list, DropHandler handler);
    CWnd* GetDropList() const { return m_dropList; }

    bool IsSelected(HTREEITEM item) const;
    // Changes an item's selected state, asking the parent first (TVN_SELCHANGING) and telling it after
    // (TVN_SELCHANGED); false when the parent refused.
    bool SetItemSelected(HTREEITEM item, bool select);
    // Makes the item the focused (caret) item without changing any item's selected state.
    void SetFocusItem(HTREEITEM item);
    HTREEITEM GetFocusItem() const { return GetSelectedItem(); }
    HTREEITEM GetAnchorItem() const { return m_anchor; }

    // The selected visible items in display order.
    HTREEITEM FirstSelected() const;
    HTREEITEM NextSelected(HTREEITEM item) const;
    void SetAllSelected(bool select);
    void SetAllSelectedExcept(bool select, HTREEITEM except);
    // Every item below item, at all depths, collapsed branches included.
    void SetSubtreeSelected(HTREEITEM item, bool select);

    // One item of a drag: its key, its record and the record's path.
    struct DragEntry {
        CString key;
        const CTreeModelRecord* record = nullptr;
        CString path;
    };
    // Builds the drag entries from the selected items (array attributes expanded); true when the expansion
    // of an array was capped.
    bool CollectDragEntries();
    const std::vector<DragEntry>& GetDragEntries() const { return m_dragEntries; }

    // The text of the report control block box of a report item's record.
    static CString FormatReportBox(const CTreeModelRecord& record);

    // The drag distance (SM_CXDRAG, SM_CYDRAG) the mouse handling uses.
    static CSize DragDistance();

protected:
    // Calls visit with the record (or null) of every item below item, depth first. The base asks the control.
    virtual void VisitBelow(HTREEITEM item, const std::function<void(const CTreeModelRecord*)>& visit);
    // The first child the control holds now, without filling a branch whose children are not inserted yet
    // (none of them can be selected). The base asks the control.
    virtual HTREEITEM GetInsertedChildItem(HTREEITEM item) { return GetChildItem(item); }
    // Makes the tree the owner of an item's record.
    void AdoptRecord(std::unique_ptr<CTreeModelRecord> record) { m_records.push_back(std::move(record)); }

    afx_msg void OnDestroy();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnItemExpanded(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    enum class PressOutcome { kNone, kClick, kDrag };
    void HandlePress(bool left, UINT flags, CPoint point);
    // Captures the mouse until a click or a drag is decided.
    PressOutcome TrackPress(CPoint point);
    void Notify(UINT code, HTREEITEM item, CPoint point = CPoint());
    void InvalidateSelected();
    void ShowReportBoxOfFocus();
    void EndDrag(bool drop);
    bool IsOverDropList(HWND window) const;

    DomNodePtr m_xmlNode;
    // The records of the items, freed when the window is destroyed. Kept here rather than found through the
    // items, which the tree control looks up one by one.
    std::vector<std::unique_ptr<CTreeModelRecord>> m_records;
    bool m_multiSelect = true;
    HTREEITEM m_anchor = nullptr;
    CString m_prefixText;
    std::vector<DragEntry> m_dragEntries;
    CWnd* m_dropList = nullptr;
    DropHandler m_dropHandler;
    bool m_dragging = false;
    // Set while SetFocusItem moves the caret, so that the control's own selection change is undone.
    bool m_movingFocus = false;
};
