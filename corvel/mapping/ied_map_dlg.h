// CIEDMapDlg, CIEDMapListCtrl: the dialog in which attributes of one IED are chosen and mapped to tags.
#pragma once

#include "corvel/controls/grid_list.h"
#include "corvel/mapping/ied_tree.h"
#include "corvel/mapping/mapping_dialog.h"
#include "corvel/model/ied_mapping.h"

#include <memory>
#include <vector>

class CMainDoc;

// The mapped-tag list: "61850 Path", "TagName", "Type", "Access", "Description" in columns 1 to 5. An
// owner-data list: the rows, each with its entry, are held here and the control asks for the texts it shows.
class CIEDMapListCtrl : public CGridList {
    DECLARE_DYNAMIC(CIEDMapListCtrl)
public:
    static constexpr int kColumnCount = 6;
    // The window style the list is created with.
    static constexpr DWORD kStyle =
        WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_EDITLABELS | LVS_OWNERDATA;

    void SetDocument(CMainDoc* document) { m_document = document; }
    // The columns; widths of columns 1 to 5.
    void SetUpColumns(const int* widths);
    void AppendRows(const Corvel::Mapping::MappedRows& rows);
    void AppendRows(Corvel::Mapping::MappedRows&& rows);
    const Corvel::Mapping::MappedRows& GetRows() const { return m_rows; }
    void DeleteAllRows();
    // Deletes the selected rows; a selected array element asks to delete its whole array.
    void DeleteSelectedRows();

    bool GetCellText(int row, int col, CString& text) override;
    bool SortColumn(int col, bool ascending) override;

protected:
    bool AcceptCellEdit(CColumnTrait* trait, CWnd* editor, NMLVDISPINFOA* pInfo) override;
    afx_msg void OnDeleteSelected() override;
    afx_msg BOOL OnItemClick(NMHDR* pNMHDR, LRESULT* pResult) override;
    DECLARE_MESSAGE_MAP()

private:
    // Tells the control the number of rows, with nothing selected.
    void ShowRowCount();
    // The text a column shows for a row: its field, for "Type" the PLC data type of the row's IEC type.
    CString CellText(const Corvel::Mapping::MappedRow& row, int col) const;

    CMainDoc* m_document = nullptr;
    CIecTypeTable m_types;
    Corvel::Mapping::MappedRows m_rows;
};

// The IED's model in a tree on the left, the mapped tags on the right; Save writes the IED's share of the
// project.
class CIEDMapDlg : public CMappingDialog {
    DECLARE_DYNAMIC(CIEDMapDlg)
public:
    explicit CIEDMapDlg(CWnd* pParent = nullptr);
    ~CIEDMapDlg() override;

    // The project and the IED device to map; by default the open document and the main frame's current device.
    void SetProject(CMainDoc* document, int deviceId);
    // The IED's SCL file; empty: no model is loaded.
    CString m_sclPath;

    CIEDTree& GetTree() { return m_tree; }
    CIEDMapListCtrl& GetList() { return m_list; }
    bool IsSaved() const { return m_saved; }
    bool IsChanged() const { return m_changed; }
    int GetOpeningRowCount() const { return m_openingRows; }
    int GetTotalDataSize() const { return m_totalDataSize; }

    // Maps the items selected in the tree, as a drop onto the list does.
    void MapSelection();
    // Save: writes the rows into the project.
    void SaveMapping();

    BOOL OnInitDialog() override;

protected:
    afx_msg void OnSave();
    afx_msg void OnCancelCommand();
    afx_msg void OnClearAll();
    afx_msg void OnClose();
    void FitPaneContents() override;
    void SaveColumnWidths(CWinApp& app) override;
    DECLARE_MESSAGE_MAP()

private:
    Corvel::Records::_IED_DEVICE* FindDevice() const;
    void EndMapping(int result);

    CMainDoc* m_document = nullptr;
    int m_deviceId = 0;
    bool m_projectGiven = false;
    CIEDMapListCtrl m_list;
    CImageList m_images;
    int m_openingRows = 0;
    int m_totalDataSize = 0;
    bool m_changed = false;
    bool m_saved = false;
    CIEDTree m_tree;
};
