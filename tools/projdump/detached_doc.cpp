#include "tools/projdump/detached_doc.h"

#include "corvel/workspace/main_frame.h"
#include "corvel/workspace/main_view.h"

CDetachedMainDoc::CDetachedMainDoc()
{
    StartNewProject();
}

CDetachedMainDoc::~CDetachedMainDoc()
{
    ReleaseNetworkRecords(*this);
    Corvel::Records::DeleteRecords(project.sclFiles);
    Corvel::Records::DeleteRecords(project.tagMaps);
    Corvel::Records::DeleteRecords(project.fcdas);
}

void CDetachedMainDoc::RebuildNetworkView()
{
    ReleaseNetworkRecords(*this);
    Corvel::Records::ApplyNewProjectSettings(project);
    fileListA.RemoveAll();
    const int iedSlots = CMainView::kDefaultMaxIeds;
    for (int i = 0; i < iedSlots; ++i) {
        auto device = Corvel::Records::MakeIedSlot(CMainView::kFirstDeviceId + i);
        project.iedDevices.AddTail(device.get());
        device.release();
    }
    for (int j = 0; j < CMainView::kDefaultMaxPlcs; ++j) {
        auto device = Corvel::Records::MakePlcSlot(CMainView::kFirstDeviceId + iedSlots + j, j == 0);
        project.plcDevices.AddTail(device.get());
        device.release();
    }
}
