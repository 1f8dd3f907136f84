// CDocumentFrame, DeviceButtonOps: what the document and the windows below the workspace ask of the main frame,
// the network view's buttons and the application; the layers above fill them.
#pragma once
#include "framework/strings.h"
#include "corvel/model/project_records.h"

#include <vector>

// The main frame as the document and the mapping and gateway windows see it; Corvel's main frame implements it.
class CDocumentFrame {
public:
    // devNum of the device whose button was clicked last; 0 for none.
    virtual int GetCurrentDeviceId() const = 0;
    // Makes device the frame's selected device record.
    virtual void SetCurrentDeviceRecord(Corvel::Records::_IED_DEVICE* device) = 0;
    // Frees the buttons and records of the project, makes the network view the active view and builds it again.
    virtual void RebuildNetworkView() = 0;
    // Refills the file view from the project.
    virtual void RefreshFileView() = 0;
    // Sets the caption to the product title; the project name is not shown.
    virtual void UpdateTitle(const CString& projectName) = 0;
    // Empties the splitter's label.
    virtual void ClearSplitterLabel() = 0;
    // Asks the active view to repaint.
    virtual void InvalidateActiveView() = 0;
    // Adds a file node under the file view's IED root.
    virtual void AddSclFileNode(const CString& path) = 0;
    // The paths of the file view's SCL file nodes, in the order of the tree.
    virtual std::vector<CString> ListSclFileNodes() = 0;
    // Points the file node of oldPath, and the project's record of it, to newPath.
    virtual void ChangeSclFilePath(const CString& oldPath, const CString& newPath) = 0;
    // Places a PLC device in the network view's first free slot: true, with its id, when there is a network view.
    virtual bool AddPlcDevice(int& deviceId) = 0;

protected:
    ~CDocumentFrame() = default;
};

// The main window when it is a CDocumentFrame, else null (a document without windows).
CDocumentFrame* GetDocumentFrame();
// The main frame's current device id; 0 without a main frame.
int CurrentDeviceId();

// How a device record is shown on its button in the network view; the buttons register them.
// Each is called only for a record whose button exists.
struct DeviceButtonOps {
    // In use: the record's id and file, the IED picture (the highlighted one when highlighted), shown.
    // A free slot: the plain IED picture, hidden.
    void (*syncIed)(const Corvel::Records::_IED_DEVICE& device, bool highlighted);
    // True when the IED's button shows the highlighted picture.
    bool (*isIedHighlighted)(const Corvel::Records::_IED_DEVICE& device);
    // In use: the PLC's type picture, shown. A free slot: the plain PLC picture, hidden.
    void (*syncPlc)(const Corvel::Records::CPLC_Device& device);
    // Selects the IED's button as a click does.
    void (*selectIed)(const Corvel::Records::_IED_DEVICE& device);
    // The gateway button's Export Configuration.
    void (*exportConfiguration)(CBridgeButn& button);
};
void SetDeviceButtonOps(const DeviceButtonOps* ops);
// Puts every device button of the project in step with its record. The IED in use whose id is highlightedId
// keeps the highlighted picture when its button shows it; no other IED has it (0: none keeps it).
void SyncDeviceButtons(const Corvel::Records::_PROJECT& project, int highlightedId);
// The registered operations on a record's button; nothing happens for a record without a button.
void SelectIedButton(const Corvel::Records::_IED_DEVICE& device);
void ExportConfigurationFromButton(CBridgeButn* button);

// The file named on Corvel's command line while it is still to be opened; the application object registers
// where it keeps it. Empty without one.
CString StartupFileName();
// Forgets the start-up file once a project has been loaded.
void ForgetStartupFileName();
void SetStartupFileHolder(CString* holder);

// The network view's slot counts from the profile ("Mapper" "MaxNoIEC", "ModDlg" "MaxNoMB"), kept within 0 to 500.
int ReadIedSlotCount();
int ReadPlcSlotCount();
