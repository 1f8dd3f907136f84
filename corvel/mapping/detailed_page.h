// CDetailed: the device-file page of the IED properties dialog.
#pragma once

#include "corvel/controls/ret_controls.h"
#include "corvel/model/project_records.h"

class CMainDoc;

// Page 331: the configuration file path of the main frame's selected IED, read-only.
class CDetailed : public CDialog {
    DECLARE_DYNAMIC(CDetailed)
public:
    CDetailed();
    // The document and the IED device id; without a call the open document and the main frame's selected
    // device.
    void SetProject(CMainDoc* doc, int deviceId);

    // Finds the IED record, makes it the main frame's selected device record and shows its file.
    BOOL OnInitDialog() override;
    Corvel::Records::_IED_DEVICE* GetDevice() const { return m_device; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Enter and Escape belong to the dialog that holds the page.
    void OnOK() override {}
    void OnCancel() override {}

private:
    CMainDoc* m_doc = nullptr;
    int m_deviceId = 0;
    bool m_projectGiven = false;
    Corvel::Records::_IED_DEVICE* m_device = nullptr;
    CRetEdit m_file;
};
