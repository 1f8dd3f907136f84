// CEIPMapListCtrl, CEIPPLCMapDlg: the EtherNet/IP mapping dialog, which places the project's unassigned tags
// into the Class 1 input and output connections and the Class 3 messages.
#pragma once

#include "corvel/controls/custom_slider.h"
#include "corvel/controls/dialog_ex.h"
#include "corvel/controls/row_drag.h"
#include "corvel/mapping/eip_map_tabs.h"

#include <memory>
#include <vector>

class CMainDoc;

namespace Corvel::Mapping {

// The unassigned tags, coloured by class; each row keeps its tag record as item data.
class CEIPMapListCtrl : public CGridList {
    DECLARE_DYNAMIC(CEIPMapListCtrl)
public:
    Corvel::Records::_TAGS* GetRowTag(int row) const;
    // The records of the selected rows, in list order.
    std::vector<Corvel::Records::_TAGS*> GetSelectedTags() const;

protected:
    bool GetRowColor(int row, COLORREF& textColor, COLORREF& backColor) override;
};

// Dialog 371 "Ethernet/IP Mapping".
class CEIPPLCMapDlg : public MyCDialogEx {
    DECLARE_DYNAMIC(CEIPPLCMapDlg)
public:
    static constexpr const char* kLowerRangeCaption = "Operate To View Connections 10 thru 19";
    static constexpr const char* kUpperRangeCaption = "Operate To View Connections 0 thru 9";
    static constexpr UINT kTagListId = 1025;

    explicit CEIPPLCMapDlg(CWnd* pParent = nullptr);
    // The document the dialog edits; without a call the open document.
    void SetDocument(CMainDoc* doc) { m_doc = doc; }

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The buttons' actions.
    void OnAssign();
    void OnAutoAssign();
    void OnUndo();
    void OnResetAll();
    void OnRange();
    void OnOK() override;
    void OnCancel() override;

    // Lists the unassigned tags again and refreshes the current page.
    void FillTagList();
    // Selects a page as a click on its tab does.
    void SelectTab(int tab);
    // The connection the slider shows.
    int GetSelectedConnection() const { return m_slider.GetSelectedConnection(); }
    void SetSelectedConnection(int connection);

    CEIPMapListCtrl& GetTagList() { return m_tagList; }
    CEIPMapTabCtrl& GetTabs() { return m_tabs; }
    CCustomSlider& GetSlider() { return m_slider; }
    const CString& GetStatusNote() const { return m_statusNote; }

    // Whether a drag of the tag list's rows is under way.
    bool IsDragging() const { return m_dragging; }
    // The cursor shown while dragging (made at the first drag), or null.
    HCURSOR GetDragCursor() const { return m_drag.GetCursor(); }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnPaint();
    afx_msg void OnTabSelChange(NMHDR* pNMHDR, LRESULT* pResult);
    // Dragging the tag list's selection onto a connection page: begun by the tag list, followed with the
    // mouse captured, dropped with the left button.
    afx_msg void OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    DECLARE_MESSAGE_MAP()

private:
    // Ends the drag: the capture and the drag image go, the arrow comes back; a drop on a list assigns.
    void EndDrag(bool drop, CPoint screenPoint);
    // The tag list or the connection page under a screen point, or null.
    CListCtrl* FindListAt(CPoint screenPoint);

    void EnableEditing(bool enable);
    void RefreshConnections();
    // Undo with rows selected on the current page: they leave their connection.
    void RemoveSelectedRows();
    // Shows what the connection lists noted during the last action.
    void ShowListMessages();

    CMainDoc* m_doc = nullptr;
    CEIPMapListCtrl m_tagList;
    CEIPMapTabCtrl m_tabs;
    CCustomSlider m_slider;
    Corvel::Records::RpiLimitInfo m_rpiLimitInfo;
    CString m_statusNote;
    bool m_dragging = false;
    CRowDrag m_drag;
};

} // namespace Corvel::Mapping
