// CMainView: the network view of the gateway and its device slots.
#pragma once
#include "framework/ui.h"
#include "corvel/model/project_records.h"

class CConnectedAP;
class CMainDoc;

class CMainView : public CScrollView {
    DECLARE_DYNCREATE(CMainView)
public:
    CMainView();
    ~CMainView() override;

    CMainDoc* GetDocument() const;

    // Creates the gateway button, writes the new-project defaults and creates
    // the free IED and PLC device records with their hidden buttons.
    void BuildNetworkView();
    // Scroll sizes 300 x 300, scrolled to the left edge.
    void UpdateScrollSizes();
    // Places a device and returns its slot's device id, or -1 when nothing was placed. Kind 4 (an IED)
    // takes the first free IED slot with the access point's IED name, manufacturer and addresses and
    // sclPath; it places nothing without an access point, for a name of more than 40 characters or a
    // name already placed in any slot. Any other kind takes the first PLC slot when it is free, and then every
    // device's Modbus command rows are rebuilt from the tag map.
    int AddDevice(int kind, const CString& sclPath, const CConnectedAP* entry);

    // The placed devices of a kind: IEDs for kind 4, PLC devices for any other; -1 without a document.
    int CountDevices(int kind);

    // Builds the picture of a new project and opens the start-up file (the command line's) when there is one.
    void OnInitialUpdate() override;

    // Control id of IED slot i is kFirstDeviceId + i; PLC slot j has kFirstDeviceId + N + j.
    static constexpr int kFirstDeviceId = Corvel::Records::kFirstDeviceId;
    static constexpr int kDefaultMaxIeds = Corvel::Records::kDefaultMaxIeds;
    static constexpr int kDefaultMaxPlcs = Corvel::Records::kDefaultMaxPlcs;
    // The slot counts of a new project: the profile's "Mapper"/"MaxNoIEC" and "ModDlg"/"MaxNoMB", kept
    // between 0 and 500.
    static int ReadIedSlotCount();
    static int ReadPlcSlotCount();

    // Top-left corner of the button of IED slot i and PLC slot j.
    static CPoint IedSlotPosition(int i);
    static CPoint PlcSlotPosition(int j);

    // The drawing width from the number of placed devices; scrolls to the end of a wide drawing.
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;

    // Print, direct print and print preview go through the framework's view printing: the print dialog, or the
    // default printer.
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    // The page: the lines and the node pictures as the screen shows them, fitted into the page's margins.
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;

protected:
    void OnDraw(CDC* pDC) override;
    // Opens the first of the files dropped from the shell.
    afx_msg void OnDropFiles(HDROP hDropInfo);
    // Shows the paste menu while a device is copied.
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);

    // Commands ID_PASTE_MODBUS_DEVICE and ID_PASTE_IED_DEVICE: paste the copied PLC and IED device; enabled while there is one.
    afx_msg void OnPasteModbusDevice();
    afx_msg void OnUpdatePasteModbusDevice(CCmdUI* pCmdUI);
    afx_msg void OnPasteIedDevice();
    afx_msg void OnUpdatePasteIedDevice(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()

private:
    void DrawConnections(CDC* pDC, int iedCount, int plcCount);

    CFont m_nodeFont;
};
