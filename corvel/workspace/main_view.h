// CMainView: the network view of the gateway and its device slots.
#pragma once
#include "framework/ui.h"

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

    void OnInitialUpdate() override;

    // A file to open when the view is first shown (the command line's);
    // the project readers empty it after a successful load.
    static CString startupFileName;

    // Control id of IED slot i is kFirstDeviceId + i; PLC slot j has kFirstDeviceId + N + j.
    static constexpr int kFirstDeviceId = 1066;
    static constexpr int kDefaultMaxIeds = 20;
    static constexpr int kDefaultMaxPlcs = 10;

    // Top-left corner of the button of IED slot i and PLC slot j.
    static CPoint IedSlotPosition(int i);
    static CPoint PlcSlotPosition(int j);

protected:
    void OnDraw(CDC* pDC) override;

    DECLARE_MESSAGE_MAP()

private:
    void DrawConnections(CDC* pDC, int iedCount, int plcCount);

    CFont m_nodeFont;
};
