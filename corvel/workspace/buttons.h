// CBridgeButn, CDevButton, CPLCButton, the device pictures: the gateway, IED and PLC buttons of the network view.
#pragma once
#include "corvel/controls/image_button.h"

// The pictures (bitmap resource ids) of the network view's buttons: the gateway, an IED, and a PLC device
// until it has a type of its own (the EtherNet/IP device's picture).
constexpr int kGatewayBitmap = 316;
constexpr int kIedBitmap = 318;
constexpr int kPlcBitmap = 388;
// The picture of a PLC device of type devType: 386 for type 7, 384 for 8 and 388, the EtherNet/IP device,
// for 9; 0 for any other type.
int PlcBitmapOfType(int devType);

// The gateway module's button.
class CBridgeButn : public CImageButton {
    DECLARE_DYNAMIC(CBridgeButn)
public:
    CBridgeButn() = default;

    // Export Configuration of the gateway's menu: writes the module configuration. The gateway
    // subsystem fills this in; until then it does nothing.
    void OnExportConfiguration();
    // The properties flow (double click, command 32821, the file view): runs the gateway properties dialog and
    // writes its values back to the document.
    void OnProperties();

protected:
    DECLARE_MESSAGE_MAP()
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
    // Command ID_DELETE_DEVICE: deletes the current IED device, forgets a copy of it and rebuilds the tag map.
    afx_msg void OnDeleteDevice();
    // Command ID_COPY_DEVICE: copies the current IED device.
    afx_msg void OnCopyDevice();

    DECLARE_MESSAGE_MAP()
};

// A PLC device's button; its control id is the device record's devNum.
class CPLCButton : public CImageButton {
    DECLARE_DYNAMIC(CPLCButton)
public:
    CPLCButton() = default;

    // Shows the picture of a device of type devType; a type without a picture of its own keeps the shown one.
    void ShowTypePicture(int devType);

protected:
    // Commands ID_DELETE_DEVICE and ID_DELETE_PLC_DEVICE: deletes the current PLC device and forgets a copy of it.
    afx_msg void OnDeleteDevice();
    // Command ID_COPY_DEVICE: copies the current PLC device.
    afx_msg void OnCopyDevice();

    DECLARE_MESSAGE_MAP()
};
