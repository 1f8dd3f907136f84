#include "corvel/document/document_frame.h"

#include "framework/ui.h"

namespace {

// Slot counts read from the profile are kept within this range.
constexpr int kMaxDeviceSlots = 500;

const DeviceButtonOps* g_buttonOps = nullptr;
CString* g_startupFile = nullptr;

int ReadSlotCount(LPCSTR section, LPCSTR entry, int defaultCount)
{
    CWinApp* app = AfxGetApp();
    const int count = app != nullptr ? static_cast<int>(app->GetProfileInt(section, entry, defaultCount)) : defaultCount;
    return count < 0 ? 0 : (count > kMaxDeviceSlots ? kMaxDeviceSlots : count);
}

} // namespace

CDocumentFrame* GetDocumentFrame()
{
    return dynamic_cast<CDocumentFrame*>(AfxGetMainWnd());
}

int CurrentDeviceId()
{
    const CDocumentFrame* frame = GetDocumentFrame();
    return frame != nullptr ? frame->GetCurrentDeviceId() : 0;
}

void SetDeviceButtonOps(const DeviceButtonOps* ops)
{
    g_buttonOps = ops;
}

void ShowIedButton(const Corvel::Records::_IED_DEVICE& device, bool withFile, bool withPicture)
{
    if (device.button != nullptr && g_buttonOps != nullptr)
        g_buttonOps->showIed(device, withFile, withPicture);
}

void HideIedButton(const Corvel::Records::_IED_DEVICE& device)
{
    if (device.button != nullptr && g_buttonOps != nullptr)
        g_buttonOps->hideIed(device);
}

void ShowPlcButton(const Corvel::Records::CPLC_Device& device, bool show)
{
    if (device.button != nullptr && g_buttonOps != nullptr)
        g_buttonOps->showPlc(device, show);
}

void HidePlcButton(const Corvel::Records::CPLC_Device& device)
{
    if (device.button != nullptr && g_buttonOps != nullptr)
        g_buttonOps->hidePlc(device);
}

void SelectIedButton(const Corvel::Records::_IED_DEVICE& device)
{
    if (device.button != nullptr && g_buttonOps != nullptr)
        g_buttonOps->selectIed(device);
}

void ExportConfigurationFromButton(CBridgeButn* button)
{
    if (button != nullptr && g_buttonOps != nullptr)
        g_buttonOps->exportConfiguration(*button);
}

CString StartupFileName()
{
    return g_startupFile != nullptr ? *g_startupFile : CString();
}

void ForgetStartupFileName()
{
    if (g_startupFile != nullptr)
        g_startupFile->Empty();
}

void SetStartupFileHolder(CString* holder)
{
    g_startupFile = holder;
}

int ReadIedSlotCount()
{
    return ReadSlotCount("Mapper", "MaxNoIEC", Corvel::Records::kDefaultMaxIeds);
}

int ReadPlcSlotCount()
{
    return ReadSlotCount("ModDlg", "MaxNoMB", Corvel::Records::kDefaultMaxPlcs);
}
