// The command "Export Processor Files": the slot check before the save dialog, the dialog's question, and
// the files of the chosen name; the dialog and the message boxes answered by the test's hooks.
#include "corvel/gateway/unity_export.h"
#include "corvel/project/path_utils.h"

#include "support/com_apartment.h"
#include "support/message_box_recorder.h"
#include "support/paths.h"
#include "support/scripted_file_dialog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using namespace Corvel::Records;
using Corvel::Gateway::CUnityExporter;

class UnityExportCommand : public ComApartmentTest {
protected:
    UnityExportCommand()
    {
        project.numPorts = 1;
        device.name = "Boiler PLC";
        device.devType = Corvel::Gateway::kDevTypeM340;
        auto* row = new _TAGSMAP;
        row->tagName = "Setpoint";
        row->dataType = "INT16";
        row->direction = kMtcpWriteDirection;
        project.tagMaps.AddTail(row);
        exporter.Attach(project, device);
    }
    ~UnityExportCommand() override { DeleteRecords(project.tagMaps); }

    _PROJECT project;
    CPLC_Device device;
    CUnityExporter exporter;
    TempFolder folder;
    MessageBoxRecorder boxes;
};

TEST_F(UnityExportCommand, ASlotOutOfRangeStopsBeforeTheDialog)
{
    device.NOESel = 1;
    for (int slot : {0, 16}) {
        boxes.Clear();
        device.NOESlotNum = slot;
        ScriptedFileDialog dialog({folder.File("plc.xsy")});
        exporter.Export();
        EXPECT_TRUE(dialog.Requests().empty()) << slot;
        ASSERT_EQ(1u, boxes.Count()) << slot;
        EXPECT_EQ("Error: Slot number is out of range", std::string(boxes.Last().text));
        EXPECT_FALSE(FileExists(folder.File("plc.xsy")));
    }
}

// A file that cannot be written is told under the product's title, once, and no later file is tried.
TEST_F(UnityExportCommand, AFileThatCannotBeWrittenIsShownUnderTheProductTitle)
{
    ScriptedFileDialog dialog({folder.File("missing\\plc.xsy")});
    exporter.Export();
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("Error: Failed to save XML document", std::string(boxes.Last().text));
    EXPECT_EQ("Korvane EIP-Tarnwell", std::string(boxes.Last().caption));
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONERROR), boxes.Last().type);
    EXPECT_TRUE(exporter.TakeMessages().empty());
}

TEST_F(UnityExportCommand, TheDialogProposesTheDeviceAndACancelWritesNothing)
{
    ScriptedFileDialog dialog({}, IDCANCEL);
    exporter.Export();
    ASSERT_EQ(1u, dialog.Requests().size());
    const FileDialogRequest& request = dialog.Request();
    EXPECT_FALSE(request.open);
    EXPECT_EQ("xsy", std::string(request.defaultExtension));
    EXPECT_EQ("Boiler_PLC", std::string(request.initialFileName));
    EXPECT_EQ("Unity Variable Transfer Files (*.xsy)|*.xsy;*.xfm;*.csv|All Files (*.*)|*.*||", std::string(request.filter));
    const DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
    EXPECT_EQ(flags, request.flags & flags);
    EXPECT_EQ(0u, boxes.Count());

    // A device without a name proposes the model.
    device.name.Empty();
    exporter.Attach(project, device);
    ScriptedFileDialog second({}, IDCANCEL);
    exporter.Export();
    EXPECT_EQ("VQN31", std::string(second.Request().initialFileName));
}

TEST_F(UnityExportCommand, TheChosenNameGetsTheThreeFilesWithTheSlotsRouting)
{
    device.devType = Corvel::Gateway::kDevTypeQuantum;
    device.NOESel = 1;
    device.NOESlotNum = 3;
    ScriptedFileDialog dialog({folder.File("boiler.XSY")});
    exporter.Export();
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_EQ(3, exporter.GetNoeSlot());
    for (const char* name : {"boiler.xsy", "boiler.xfm", "boiler.csv"})
        EXPECT_TRUE(FileExists(folder.File(name))) << name;
    EXPECT_NE(std::string::npos, ReadBinaryFile(folder.File("boiler.xfm")).find("<value>768</value>"));
}

// Tags whose type Unity has no name for are named once the files are written, and are in none of them.
TEST_F(UnityExportCommand, TagsWithoutAUnityTypeAreNamedAndLeftOut)
{
    for (const char* name : {"Counter64", "Energy64"}) {
        auto* row = new _TAGSMAP;
        row->tagName = name;
        row->dataType = "INT64";
        row->direction = kMtcpReadDirection;
        project.tagMaps.AddTail(row);
    }
    ScriptedFileDialog dialog({folder.File("boiler.xsy")});
    exporter.Export();
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("Warning: These tags have no Unity data type and are left out of the exchange files: Counter64, "
              "Energy64",
              std::string(boxes.Last().text));
    EXPECT_EQ(0, exporter.GetReadTagCount());
    for (const char* name : {"boiler.xsy", "boiler.xfm", "boiler.csv"}) {
        const std::string text = ReadBinaryFile(folder.File(name));
        EXPECT_EQ(std::string::npos, text.find("Counter64")) << name;
        EXPECT_EQ(std::string::npos, text.find("Energy64")) << name;
    }
    EXPECT_EQ("Setpoint\r\n", ReadBinaryFile(folder.File("boiler.csv")));
}

} // namespace
