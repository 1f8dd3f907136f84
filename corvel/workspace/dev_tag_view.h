// CDevTagView: the list of the selected device's tags in the main window's lower pane.
#pragma once
#include "framework/ui.h"

class CMainDoc;

class CDevTagView : public CView {
    DECLARE_DYNCREATE(CDevTagView)
public:
    CDevTagView();
    ~CDevTagView() override;

    CListCtrl& GetListCtrl() { return m_list; }
    // Refills the list with the tags of the main frame's selected device (a device that is not found leaves
    // the list empty).
    void FillTagList();
    // Writes the column widths to the profile ("RUROZID", "COL0" ...).
    void SaveColumnWidths();

    static constexpr int kColumnCount = 9;

protected:
    void OnDraw(CDC* pDC) override;
    // The first update makes the columns, their widths from the profile.
    void OnInitialUpdate() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);

    DECLARE_MESSAGE_MAP()

private:
    // Kind 4: the IED's mapped tags with their EtherNet/IP assignment; the summary goes to the splitter's label.
    void FillIedTags(const CMainDoc& doc, int deviceId);
    // Other kinds: the Modbus device's command rows, rebuilt from the tag map first.
    void FillModbusCommands(CMainDoc& doc, int deviceId);
    void SetFirstCaption(LPCSTR caption);
    void AppendRow(const CString* cells, int count);

    CListCtrl m_list;
    bool m_firstUpdate = true;
};
