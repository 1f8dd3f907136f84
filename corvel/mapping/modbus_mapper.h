// CModbusMapper: the window in which the command rows of one Modbus device are built from the project's tags.
#pragma once

#include "corvel/controls/dialog_ex.h"
#include "corvel/controls/simple_splitter.h"
#include "corvel/mapping/map_lists.h"

class CMainDoc;

// The tag list (left) and the command list (right) in a splitter; tags are dragged onto the command list and
// Save writes the rows into the device record.
class CModbusMapper : public MyCDialogEx {
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
    BOOL PreTranslateMessage(MSG* pMsg) override;

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
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    Corvel::Records::CPLC_Device* FindDevice() const;
    void RefillTagList();
    void AfterRowsRemoved();
    void FitPanes();
    void SaveLayout();

    CMainDoc* m_document = nullptr;
    int m_deviceId = 0;
    bool m_projectGiven = false;
    Corvel::Records::CPLC_Device* m_device = nullptr;
    bool m_modified = false;
    bool m_saved = false;
    bool m_layoutReady = false;
    HACCEL m_accelerators = nullptr;
    CSimpleSplitter m_splitter;
    CChildWnd m_tagPane;
    CChildWnd m_commandPane;
    CBrush m_tagPaneBrush;
    CBrush m_commandPaneBrush;
    CMapList2 m_tagList;
    CMapList3 m_commandList;
};
