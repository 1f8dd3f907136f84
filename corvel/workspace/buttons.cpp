#include "corvel/workspace/buttons.h"

#include "corvel/app/main_doc.h"
#include "corvel/app/res/resource.h"
#include "corvel/workspace/main_frame.h"

namespace {

// Pictures of a PLC device by its type.
const struct {
    int devType;
    int bitmap;
} kPlcTypeBitmaps[] = {{7, 386}, {8, 384}, {9, kPlcBitmap}};

} // namespace

int PlcBitmapOfType(int devType)
{
    for (const auto& picture : kPlcTypeBitmaps)
        if (picture.devType == devType)
            return picture.bitmap;
    return 0;
}

IMPLEMENT_DYNAMIC(CBridgeButn, CImageButton)
IMPLEMENT_DYNAMIC(CDevButton, CImageButton)
IMPLEMENT_DYNAMIC(CPLCButton, CImageButton)

BEGIN_MESSAGE_MAP(CBridgeButn, CImageButton)
    ON_CONTROL_REFLECT(BN_DOUBLECLICKED, &CBridgeButn::OnProperties)
    ON_COMMAND(ID_GATEWAY_PROPERTIES, &CBridgeButn::OnProperties)
END_MESSAGE_MAP()

void CBridgeButn::OnExportConfiguration() {}

BEGIN_MESSAGE_MAP(CDevButton, CImageButton)
    ON_CONTROL_REFLECT(BN_CLICKED, &CDevButton::OnClicked)
    ON_COMMAND(ID_DELETE_DEVICE, &CDevButton::OnDeleteDevice)
    ON_COMMAND(ID_COPY_DEVICE, &CDevButton::OnCopyDevice)
END_MESSAGE_MAP()

void CDevButton::OnClicked()
{
    if (CWnd* parent = GetParent())
        parent->Invalidate();
    if (CMainFrame* frame = GetMainFrame()) {
        frame->currentDeviceId = deviceId;
        frame->currentDeviceKind = CMainDoc::kKindIed;
    }
}

void CDevButton::OnDeleteDevice()
{
    CMainDoc* doc = FindMainDocument();
    if (doc == nullptr)
        return;
    doc->DeleteDevice(CMainDoc::kKindIed);
    if (doc->copiedIedDevice != nullptr && doc->copiedIedDevice->devNum == CurrentDeviceId())
        doc->copiedIedDevice = nullptr;
    doc->RebuildTagMap();
}

void CDevButton::OnCopyDevice()
{
    if (CMainDoc* doc = FindMainDocument())
        doc->CopyDevice(CMainDoc::kKindIed);
}

BEGIN_MESSAGE_MAP(CPLCButton, CImageButton)
    ON_COMMAND(ID_DELETE_DEVICE, &CPLCButton::OnDeleteDevice)
    ON_COMMAND(ID_DELETE_PLC_DEVICE, &CPLCButton::OnDeleteDevice)
    ON_COMMAND(ID_COPY_DEVICE, &CPLCButton::OnCopyDevice)
END_MESSAGE_MAP()

void CPLCButton::ShowTypePicture(int devType)
{
    if (const int bitmap = PlcBitmapOfType(devType))
        SetBitmaps(bitmap, ::GetSysColor(COLOR_WINDOW));
}

void CPLCButton::OnDeleteDevice()
{
    CMainDoc* doc = FindMainDocument();
    if (doc == nullptr)
        return;
    doc->DeleteDevice(CMainDoc::kKindPlc);
    if (doc->copiedPlcDevice != nullptr && doc->copiedPlcDevice->devNum == CurrentDeviceId())
        doc->copiedPlcDevice = nullptr;
}

void CPLCButton::OnCopyDevice()
{
    if (CMainDoc* doc = FindMainDocument())
        doc->CopyDevice(CMainDoc::kKindPlc);
}
