// CMapListTagDB, CMapListTransaction, CMapList2, CMapList3: the grid lists of the mapping tools.
#pragma once

#include "corvel/controls/grid_list.h"
#include "corvel/controls/row_drag.h"
#include "corvel/model/modbus_mapping.h"

#include <functional>
#include <vector>

// The tag database view's list: the grid list as it is.
class CMapListTagDB : public CGridList {
    DECLARE_DYNAMIC(CMapListTagDB)
public:
    CMapListTagDB() = default;
};

// The Modbus transaction view's list: the grid list as it is.
class CMapListTransaction : public CGridList {
    DECLARE_DYNAMIC(CMapListTransaction)
public:
    CMapListTransaction() = default;
};

// The Modbus mapper's command list: the row number in column 1 and a command row's eight fields in columns
// 2 to 9; column 10 stays empty.
class CMapList3 : public CGridList {
    DECLARE_DYNAMIC(CMapList3)
public:
    static constexpr int kFirstFieldColumn = 2;
    static constexpr int kColumnCount = 11;

    // The device whose rows the list holds (its kind chooses the function texts and the context menu).
    void SetDevice(Corvel::Records::CPLC_Device* device);
    Corvel::Records::CPLC_Device* GetDevice() const { return m_device; }
    // The columns with their editors; widths: columns 2 to 9, then column 10.
    void SetUpColumns(bool optimized, const int* widths);
    // Appends rows, numbered after the rows present.
    void AppendRows(const Corvel::Mapping::CommandRows& rows);
    Corvel::Mapping::CommandRows GetRows() const;
    // Numbers the rows 1, 2 ... from the top.
    void Renumber();
    // Gives every row its address from the device's start registers.
    void RecalculateAddresses();
    // Sets field of every row to text.
    void SetAllFields(int field, LPCSTR text);
    bool IsChanged() const { return m_changed; }
    void SetChanged(bool changed = true) { m_changed = changed; }
    // Called after the list's Delete removed the selected rows.
    void SetRowsRemovedHandler(std::function<void()> handler) { m_rowsRemoved = std::move(handler); }
    // Called after an in-place edit changed a cell's text; the edit also sets the change flag.
    void SetCellEditedHandler(std::function<void()> handler) { m_cellEdited = std::move(handler); }

protected:
    afx_msg void OnHeaderClick(NMHDR* pNMHDR, LRESULT* pResult) override;
    afx_msg void OnDeleteSelected() override;
    afx_msg BOOL OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult) override;
    DECLARE_MESSAGE_MAP()

private:
    Corvel::Records::CPLC_Device* m_device = nullptr;
    std::function<void()> m_rowsRemoved;
    std::function<void()> m_cellEdited;
    bool m_changed = false;
};

// The Modbus mapper's tag list: the project's tags not yet mapped, dragged onto the command list.
class CMapList2 : public CListCtrl {
    DECLARE_DYNAMIC(CMapList2)
public:
    // The list that takes drops and what a drop does with the taken tags.
    using DropHandler = std::function<void(const std::vector<Corvel::Mapping::DroppedTag>&)>;
    void SetDropTarget(CWnd* list, DropHandler handler);
    void Fill(const std::vector<Corvel::Mapping::DroppedTag>& tags);
    // Takes the selected tags out of the list, in list order.
    std::vector<Corvel::Mapping::DroppedTag> TakeSelected();
    // Drops the selected tags onto the target list, as a release over it does.
    void DropSelected();
    bool IsChanged() const { return m_changed; }
    void SetChanged(bool changed = true) { m_changed = changed; }
    // Whether a drag of the selection is under way.
    bool IsDragging() const { return m_dragging; }
    // The cursor shown over the lists while dragging (made at the first drag), or null.
    HCURSOR GetDragCursor() const { return m_drag.GetCursor(); }

protected:
    // A drag of the selection: begun by the list, followed with the mouse captured; the release over the target
    // list drops, and another window taking the mouse ends it without a drop.
    afx_msg void OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    DECLARE_MESSAGE_MAP()

private:
    // Whether a client point is over the target list, or over the window, inside this list's top-level window.
    bool IsOverTarget(CPoint point) const;
    bool IsOver(HWND window, CPoint point) const;
    void EndDrag(bool drop);

    CWnd* m_target = nullptr;
    DropHandler m_dropHandler;
    bool m_dragging = false;
    CRowDrag m_drag;
    bool m_changed = false;
};
