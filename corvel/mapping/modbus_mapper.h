// CModbusMapper: the window in which the command rows of one Modbus device are built from the project's tags.
#pragma once

#include "corvel/mapping/map_lists.h"
#include "corvel/mapping/mapping_dialog.h"

class CMainDoc;

// The tag list (left) and the command list (right) in a splitter; tags are dragged onto the command list and
// Save writes the rows into the device record.
class CModbusMapper : public CMappingDialog {
    DECLARE_DYNAMIC(CModbusMapper)
public:
    // The option "Optimize MTCP Command mappings" of the gateway settings: addresses and lengths are the
    // program's, not the user's.
    static bool& OptimizeMtcpCommandMappings();

    explicit CModbusMapper(CWnd* pParent = nullptr);
    ~CModbusMapper() override;

    // The project and the device to map; by default the open document and the main frame's current device.
    void SetProject(CMainDoc* document, int deviceId);

    CMapList2& GetTagList() { return m_tagList; }
    CMapList3& GetCommandList() { return m_commandList; }
    bool IsSaved() const { return m_saved; }
    bool IsModified() const { return m_modified; }

    // Save: false when the user declined a zero address (nothing written).
    bool SaveRows();
    // Puts dropped tags at the end of the command list.
    void DropTags(const std::vector<Corvel::Mapping::DroppedTag>& tags);

    BOOL OnInitDialog() override;

protected:
    afx_msg void OnSave();
    afx_msg void OnCloseCommand();
    afx_msg void OnSelectAll();
    afx_msg void OnUpdateHasRows(CCmdUI* pCmdUI);
    afx_msg void OnClearAll();
    afx_msg void OnEnableAllContinuously();
    afx_msg void OnEnableAllOnDataChange();
    afx_msg void OnDisableAll();
    afx_msg void OnClose();
    void FitPaneContents() override;
    void SaveColumnWidths(CWinApp& app) override;
    DECLARE_MESSAGE_MAP()

private:
    Corvel::Records::CPLC_Device* FindDevice() const;
    void RefillTagList();
    void AfterRowsRemoved();

    CMainDoc* m_document = nullptr;
    int m_deviceId = 0;
    bool m_projectGiven = false;
    Corvel::Records::CPLC_Device* m_device = nullptr;
    bool m_modified = false;
    bool m_saved = false;
    CMapList2 m_tagList;
    CMapList3 m_commandList;
};
