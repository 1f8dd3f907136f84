// CBridgeButn, CDevButton, CPLCButton: the gateway, IED and PLC buttons of the network view.
#pragma once
#include "corvel/controls/image_button.h"

// The gateway module's button.
class CBridgeButn : public CImageButton {
    DECLARE_DYNAMIC(CBridgeButn)
public:
    CBridgeButn() = default;
};

// An IED's button; its control id is the device record's devNum.
class CDevButton : public CImageButton {
    DECLARE_DYNAMIC(CDevButton)
public:
    CDevButton() = default;

    int deviceId = 0;
    CString sclFilePath;
};

// A PLC device's button; its control id is the device record's devNum.
class CPLCButton : public CImageButton {
    DECLARE_DYNAMIC(CPLCButton)
public:
    CPLCButton() = default;
};
