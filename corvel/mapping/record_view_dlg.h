// CRecordViewDlg, CDlgTagDBView, CDlgTransactionView: the read-only table views of the gateway's Modbus server
// map (dialog 356) and of the Modbus client transactions (dialog 346).
#pragma once

#include "corvel/controls/dialog_ex.h"
#include "corvel/mapping/map_lists.h"
#include "corvel/model/map_view_rows.h"

// A modal dialog holding one list over its client area above the status bar.
class CRecordViewDlg : public MyCDialogEx {
    DECLARE_DYNAMIC(CRecordViewDlg)
public:
    // The strip below the list that the status bar takes.
    static constexpr int kStatusStrip = 19;
    // Column width: the title's characters plus this many pixels.
    static constexpr int kColumnExtraWidth = 300;

    CRecordViewDlg(UINT nIDTemplate, CGridList& list);

    BOOL OnInitDialog() override;
    virtual void InsertColumns() = 0;
    virtual void FillList() = 0;

    afx_msg void OnSize(UINT nType, int cx, int cy);

protected:
    // The label column, then one column per title, list column c + 1 showing sub-item c.
    void InsertRecordColumns(int count, CString (*title)(int));
    // Appends one row of count record cells.
    void AppendRow(const CString (&cells)[3]);

    CGridList* m_pList = nullptr;

private:
    // The list from the client origin to the status strip.
    void PlaceList(int cx, int cy);

    CGridList& m_listRef;

    DECLARE_MESSAGE_MAP()
};

// The gateway's Modbus server map of the open project.
class CDlgTagDBView : public CRecordViewDlg {
    DECLARE_DYNAMIC(CDlgTagDBView)
public:
    CDlgTagDBView();

    CMapListTagDB& GetList() { return m_list; }
    void InsertColumns() override;
    void FillList() override;

private:
    CMapListTagDB m_list;
    Corvel::Mapping::CRecordTable<Corvel::Mapping::CTagDBRecord> m_table;
};

// One row per Modbus command of the project's placed devices: tag, source and destination.
class CDlgTransactionView : public CRecordViewDlg {
    DECLARE_DYNAMIC(CDlgTransactionView)
public:
    CDlgTransactionView();

    CMapListTransaction& GetList() { return m_list; }
    void InsertColumns() override;
    void FillList() override;
    // The IEC path of the open project's tag of that name, or "Path Not Found".
    static CString FindTagPath(const CString& tagName);

private:
    CMapListTransaction m_list;
    Corvel::Mapping::CRecordTable<Corvel::Mapping::CTransactionRecord> m_table;
};
