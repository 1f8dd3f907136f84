// A project with three Modbus PLC devices (a Quantum behind an NOE module, an M340, another Modbus PLC) and
// a tag map of both directions, saved into "unity-sample" in the build folder with the Unity files of each
// device written in-process as "in-process-<n>.*", for cfggen and the XML check that run after this test
// (cfggen_unity_test.sh).
#include "corvel/gateway/unity_export.h"
#include "corvel/project/path_utils.h"
#include "support/com_apartment.h"
#include "support/message_box_recorder.h"
#include "support/paths.h"
#include "../app/new_project_document.h"
#include "support/test_dirs.h"

#include <gtest/gtest.h>

namespace {

using namespace Corvel::Records;
using Corvel::Gateway::CUnityExporter;

CString SampleFolder()
{
    return CString(TestBinaryDir()) + "\\unity-sample";
}

struct SampleDevice {
    const char* name;
    int devType;
    int noeSel;
    int noeSlot;
    const char* readStart;
    const char* writeStart;
};
// The devices, in the order of the files' numbers; the check after this test knows them so.
const SampleDevice kDevices[] = {
    {"Quantum Line 1", 2, 1, 4, "1", "401"},
    {"M340 Pump", 3, 0, 0, "", ""},
    {"Meter Bank", 6, 0, 0, "3001", "3501"},
};

class UnitySample : public ComApartmentTest {};

TEST_F(UnitySample, SavesTheProjectAndExportsEachDevice)
{
    MessageBoxRecorder boxes;
    const CString folder = SampleFolder();
    RemoveFolderTree(folder);
    ASSERT_TRUE(CreateFolder(folder));

    NewProjectDocument doc;
    doc.SetProjectName("Unity Sample");
    doc.project.numPorts = 2;
    doc.project.portPLC = 2;
    doc.project.eth0IPaddr = "192.168.0.250";
    doc.project.eth1IPaddr = "10.20.30.40";
    doc.project.startRead = "1";
    doc.project.startWrite = "1001";
    POSITION slot = doc.project.plcDevices.GetHeadPosition();
    doc.project.plcDevices.GetNext(slot); // the EtherNet/IP device
    for (const SampleDevice& sample : kDevices) {
        ASSERT_NE(nullptr, slot);
        CPLC_Device& device = *doc.project.plcDevices.GetNext(slot);
        device.state = kSlotInUse;
        device.name = sample.name;
        device.devType = sample.devType;
        device.NOESel = sample.noeSel;
        device.NOESlotNum = sample.noeSlot;
        device.RStartReg = sample.readStart;
        device.WStartReg = sample.writeStart;
    }

    // 125 write tags of 2 registers (250 registers: three messages) among read tags and other rows; names
    // the exchange files must carry escaped or cleaned.
    const auto addTag = [&doc](const CString& name, LPCSTR type, LPCSTR direction) {
        auto* row = new _TAGSMAP;
        row->tagName = name;
        // Written tags are setpoints, as their direction says.
        row->tagPath = (CString(direction) == kMtcpWriteDirection ? "LD0/GGIO1$SP$" : "LD0/GGIO1$ST$") + name;
        row->dataType = type;
        row->direction = direction;
        doc.project.tagMaps.AddTail(row);
    };
    addTag("_Status", "INT16", kMtcpReadDirection);
    addTag("Feeder<1> & Bus", "FLOAT64", kMtcpReadDirection);
    addTag("Eip Only", "BOOLEAN", "EIP");
    for (int i = 0; i < 125; ++i) {
        CString name;
        name.Format("Setpoint-%03d", i);
        addTag(name, "INT32", kMtcpWriteDirection);
    }
    addTag("Energy", "INT32U", kMtcpReadDirection);
    doc.projectReady = true;

    doc.SetProjectPath(folder + "\\unity.prj");
    ASSERT_TRUE(doc.SaveProject());

    for (size_t n = 0; n < std::size(kDevices); ++n) {
        POSITION pos = doc.project.plcDevices.FindIndex(static_cast<INT_PTR>(n + 1));
        CUnityExporter exporter;
        exporter.Attach(doc.project, *doc.project.plcDevices.GetAt(pos));
        ASSERT_TRUE(exporter.TakeNoeSlot());
        CString base;
        base.Format("%s\\in-process-%d", (LPCSTR)folder, static_cast<int>(n));
        ASSERT_TRUE(exporter.ExportFiles(base)) << n;
        EXPECT_EQ(250, exporter.GetWriteRegisterCount());
        EXPECT_EQ(3, exporter.GetReadTagCount());
    }
    EXPECT_EQ(0u, boxes.Count()) << (boxes.Count() ? (LPCSTR)boxes.Last().text : "");

    // A Quantum project and an M340 project, each with its one PLC and the tag map without the row of another
    // direction (which no path gives), saved as "unity-prx-<n>". The .prx keeps no direction: the project
    // opened from it takes them from the paths, and gives the files written before saving
    // ("before-prx-<n>") as "reopened-prx-<n>".
    for (int n = 0; n < 2; ++n) {
        NewProjectDocument single;
        single.SetProjectName("Unity Sample");
        single.project.numPorts = doc.project.numPorts;
        single.project.portPLC = doc.project.portPLC;
        single.project.eth0IPaddr = doc.project.eth0IPaddr;
        single.project.eth1IPaddr = doc.project.eth1IPaddr;
        single.project.startRead = doc.project.startRead;
        single.project.startWrite = doc.project.startWrite;
        CPLC_Device& device = *single.project.plcDevices.GetHead();
        const SampleDevice& sample = kDevices[n];
        device.name = sample.name;
        device.devType = sample.devType;
        device.NOESel = sample.noeSel;
        device.NOESlotNum = sample.noeSlot;
        device.RStartReg = sample.readStart;
        device.WStartReg = sample.writeStart;
        for (POSITION pos = doc.project.tagMaps.GetHeadPosition(); pos != nullptr;) {
            const _TAGSMAP* row = doc.project.tagMaps.GetNext(pos);
            if (row->direction == kMtcpReadDirection || row->direction == kMtcpWriteDirection)
                single.project.tagMaps.AddTail(new _TAGSMAP(*row));
        }
        single.projectReady = true;
        const auto exportDevice = [&folder, n](CMainDoc& project, LPCSTR prefix) {
            CUnityExporter exporter;
            exporter.Attach(project.project, *project.project.plcDevices.GetHead());
            ASSERT_TRUE(exporter.TakeNoeSlot());
            CString base;
            base.Format("%s\\%s-prx-%d", (LPCSTR)folder, prefix, n);
            ASSERT_TRUE(exporter.ExportFiles(base)) << prefix << n;
            EXPECT_EQ(3, exporter.GetReadTagCount());
            EXPECT_EQ(125, exporter.GetWriteTagCount());
        };
        exportDevice(single, "before");
        CString path;
        path.Format("%s\\unity-prx-%d.prj", (LPCSTR)folder, n);
        single.SetProjectPath(path);
        ASSERT_TRUE(single.SaveProject());
        NewProjectDocument reopened;
        reopened.ReadProjectXml(ChangeFileExtension(path, "prx"));
        ASSERT_TRUE(reopened.projectReady);
        EXPECT_STREQ(sample.name, reopened.project.plcDevices.GetHead()->name);
        exportDevice(reopened, "reopened");
    }
    EXPECT_EQ(0u, boxes.Count()) << (boxes.Count() ? (LPCSTR)boxes.Last().text : "");
}

} // namespace
