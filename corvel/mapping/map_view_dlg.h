// CDlgMapView: dialog 342 "Map View", the memory map of a PLC or Modbus device, printed and exported from it.
#pragma once

#include "corvel/controls/dialog_ex.h"
#include "corvel/mapping/map_list_view.h"

// Shows where each mapped tag lies in the device's memory and in the gateway's Modbus registers.
class CDlgMapView : public MyCDialogEx {
    DECLARE_DYNAMIC(CDlgMapView)
public:
    // The strip below the list that holds the buttons.
    static constexpr int kButtonStrip = 50;

    // The project's device whose devNum is the workspace's current device (none: an empty view).
    explicit CDlgMapView(CWnd* pParent = nullptr);
    // The given device of the project.
    CDlgMapView(const Corvel::Records::_PROJECT& project, const Corvel::Records::CPLC_Device* device,
                CWnd* pParent = nullptr);

    CMapListView& GetList() { return m_list; }
    // "VQN31" for the one-port model, else "VQN32".
    CString GetModelName() const;

    BOOL OnInitDialog() override;
    // The list's row trait and columns for the view kind.
    void InsertColumns();
    // One row per tag of the device's memory map.
    void FillList();

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPrint();
    afx_msg void OnExportProcessorFiles();

private:
    // Places the list above the button strip and the buttons in it.
    void LayoutControls(int cx, int cy);

    CMapListView m_list;
    const Corvel::Records::_PROJECT* m_project = nullptr;
    const Corvel::Records::CPLC_Device* m_device = nullptr;

    DECLARE_MESSAGE_MAP()
};
