// CMainDoc: deleting, copying and pasting the devices of the network view.
#include "corvel/document/main_doc.h"

#include "corvel/document/document_frame.h"

#include "corvel/resources/resource.h"

namespace {

using Corvel::Records::kSlotFree;

const char kWarningsSection[] = "Props";
const char kWarningsEntry[] = "Warnings";
constexpr int kWarningsOn = 1;
const char kRegistersExceeded[] = "The maximum Modbus address of %d has been exceeded";
constexpr int kMaxModbusAddress = 65535;


int ProfileInt(LPCSTR section, LPCSTR entry, int defaultValue)
{
    CWinApp* app = AfxGetApp();
    return app != nullptr ? static_cast<int>(app->GetProfileInt(section, entry, defaultValue)) : defaultValue;
}

void InvalidateActiveView()
{
    if (CDocumentFrame* frame = GetDocumentFrame())
        frame->InvalidateActiveView();
}

} // namespace

void CMainDoc::DeleteDevice(int kind)
{
    int answer = IDYES;
    if (ProfileInt(kWarningsSection, kWarningsEntry, kWarningsOn) == kWarningsOn) {
        CString question;
        question.LoadString(kind == kKindPlc ? IDS_DELETE_PLC_QUESTION : IDS_DELETE_IED_QUESTION);
        answer = AfxMessageBox(question, MB_YESNO | MB_ICONEXCLAMATION);
    }
    if (answer != IDYES)
        return;
    if (kind == kKindIed)
        DeleteCurrentIedDevice();
    else if (kind == kKindPlc)
        DeleteCurrentPlcDevice();
    InvalidateActiveView();
    if (CDocumentFrame* frame = GetDocumentFrame())
        frame->ClearSplitterLabel();
    MarkChangedAndUpdateViews();
}

void CMainDoc::DeleteCurrentIedDevice()
{
    if (_IED_DEVICE* device = FindDevice(project.iedDevices, CurrentDeviceId())) {
        RemoveIedCtlModels(device->name);
        RemoveDeviceTagsFromConnections(device->ConfiguredCache);
        device->state = kSlotFree;
    }
    Corvel::Records::CompactDevices(project.iedDevices, Corvel::Records::kFirstDeviceId);
    // The current device is gone: its id names the device moved into its slot, which is not highlighted.
    SyncDeviceButtons(project, 0);
}

void CMainDoc::DeleteCurrentPlcDevice()
{
    // The PLC slots follow the IED slots the network view made.
    const int maxIeds = ReadIedSlotCount();
    const int firstPlcId = Corvel::Records::kFirstDeviceId + maxIeds;
    if (CPLC_Device* device = FindDevice(project.plcDevices, CurrentDeviceId()))
        device->state = kSlotFree;
    Corvel::Records::CompactDevices(project.plcDevices, firstPlcId);
    SyncDeviceButtons(project, CurrentDeviceId());
}

void CMainDoc::CopyCurrentIedDevice()
{
    const _IED_DEVICE* device = FindDevice(project.iedDevices, CurrentDeviceId());
    if (device == nullptr)
        return;
    m_copiedIedSnapshot = std::make_unique<_IED_DEVICE>(*device);
    m_copiedIedSnapshot->button = nullptr;
    copiedIedDevice = m_copiedIedSnapshot.get();
}

void CMainDoc::CopyCurrentPlcDevice()
{
    const CPLC_Device* device = FindDevice(project.plcDevices, CurrentDeviceId());
    if (device == nullptr)
        return;
    m_copiedPlcSnapshot = std::make_unique<CPLC_Device>(*device);
    m_copiedPlcSnapshot->button = nullptr;
    copiedPlcDevice = m_copiedPlcSnapshot.get();
}

// The network view places IEDs from an SCL file's access point, which a paste does not have:
// the paste takes the first free IED slot itself.
void CMainDoc::PasteIedDevice()
{
    const _IED_DEVICE* source = copiedIedDevice;
    if (source == nullptr)
        return;
    _IED_DEVICE* device = Corvel::Records::FindFreeSlot(project.iedDevices);
    if (device == nullptr)
        return;
    projectReady = true;
    Corvel::Records::PasteDeviceFields(*device, *source);
    SyncDeviceButtons(project, CurrentDeviceId());
    MarkChangedAndUpdateViews();

    // The source is a snapshot: the rows pasted so far count in the totals, the source's rows stay as copied.
    for (const Corvel::Records::ConfiguredRow& entry : source->ConfiguredCache) {
        if (CountTagMapRegisters() > kMaxModbusAddress) {
            CString message;
            message.Format(kRegistersExceeded, kMaxModbusAddress);
            AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
        }
        device->ConfiguredCache.push_back(Corvel::Records::PastedIedEntry(entry));
    }
    InvalidateActiveView();
}

void CMainDoc::PastePlcDevice()
{
    const CPLC_Device* source = copiedPlcDevice;
    if (source == nullptr)
        return;
    CDocumentFrame* frame = GetDocumentFrame();
    int placedId = 0;
    if (frame == nullptr || !frame->AddPlcDevice(placedId))
        return;
    CPLC_Device* device = FindDevice(project.plcDevices, placedId);
    if (device == nullptr)
        return;
    Corvel::Records::PasteDeviceFields(*device, *source);
    SyncDeviceButtons(project, CurrentDeviceId());
    InvalidateActiveView();
}

void CMainDoc::CopyDevice(int kind)
{
    if (kind == kKindIed)
        CopyCurrentIedDevice();
    else if (kind == kKindPlc)
        CopyCurrentPlcDevice();
}

void CMainDoc::PasteDevice(int kind)
{
    if (kind == kKindIed)
        PasteIedDevice();
    else if (kind == kKindPlc)
        PastePlcDevice();
}
