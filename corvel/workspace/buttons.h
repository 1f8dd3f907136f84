// CBridgeButn, CDevButton, CPLCButton: the gateway, IED and PLC buttons of the network view.
#pragma once
#include "corvel/controls/image_button.h"

// The gateway module's button.
class CBridgeButn : public CImageButton {
    DECLARE_DYNAMIC(CBridgeButn)
public:
    CBridgeButn() = default;

    // Export Configuration of the gateway's menu: writes the module configuration. The gateway
    // subsystem fills this in; until then it does nothing.
    void OnExportConfiguration();
};

// An IED's button; its control id is the device record's devNum.
class CDevButton : public CImageButton {
    DECLARE_DYNAMIC(CDevButton)
public:
    CDevButton() = default;

    // The selection click: this device becomes the main frame's current device (kind 4).
    afx_msg void OnClicked();

    int deviceId = 0;
    CString sclFilePath;

protected:
    // Command 32790: deletes the current IED device, forgets a copy of it and rebuilds the tag map.
    afx_msg void OnDeleteDevice();
    // Command 32812: copies the current IED device.
    afx_msg void OnCopyDevice();

    DECLARE_MESSAGE_MAP()
};

// A PLC device's button; its control id is the device record's devNum.
class CPLCButton : public CImageButton {
    DECLARE_DYNAMIC(CPLCButton)
public:
    CPLCButton() = default;

protected:
    // Commands 32790 and 32800: deletes the current PLC device and forgets a copy of it.
    afx_msg void OnDeleteDevice();
    // Command 32812: copies the current PLC device.
    afx_msg void OnCopyDevice();

    DECLARE_MESSAGE_MAP()
};
