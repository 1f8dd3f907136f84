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

void SyncDeviceButtons(const Corvel::Records::_PROJECT& project, int highlightedId)
{
    if (g_buttonOps == nullptr)
        return;
    for (POSITION pos = project.iedDevices.GetHeadPosition(); pos != nullptr;) {
        const Corvel::Records::_IED_DEVICE* device = project.iedDevices.GetNext(pos);
        if (device->button == nullptr)
            continue;
        const bool highlighted = device->state == Corvel::Records::kSlotInUse && device->devNum == highlightedId &&
                                 g_buttonOps->isIedHighlighted(*device);
        g_buttonOps->syncIed(*device, highlighted);
    }
    for (POSITION pos = project.plcDevices.GetHeadPosition(); pos != nullptr;) {
        const Corvel::Records::CPLC_Device* device = project.plcDevices.GetNext(pos);
        if (device->button != nullptr)
            g_buttonOps->syncPlc(*device);
    }
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
