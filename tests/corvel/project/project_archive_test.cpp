// The project archive: golden bytes of a small project, file versions, rows, records beyond the
// project's device records, damaged counts, the reader's folders and its round trip.
#include "tools/projdump/project_dump.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "prj_test_support.h"
#include "support/largest_allocation.h"
#include "support/message_box_recorder.h"

namespace {

using namespace PrjTest;
using namespace Corvel::Records;
using PrxTest::FirstPlc;
using PrxTest::IedSlot;

// The bytes of a literal, zeros included.
template <size_t N>
std::string Bytes(const char (&literal)[N])
{
    return std::string(literal, N - 1);
}

// Blocks 1 and 2; the test adds block 3, the project path.
const std::string kBlocksBeforePath = Bytes(
    // 1 version, 2 prjName
    "\x03" "010\x05Plant");
// Blocks 4 to 6; then block 7, the comment of 300 characters.
const std::string kBlocksBeforeComment = Bytes(
    // 4 Eth0 and Eth1
    "\x08" "10.0.0.2\x09" "255.0.0.0\x08" "10.0.0.1\x02" "e1\x02m1\x02g1"
    // 5 autoRestart, 6 numPorts, port61850, portPLC
    "\x01\x01\x00\x00\x00\x02\x00\x00\x00\x01\x00\x00\x00");
// Blocks 8 to 19.
const std::string kBlocksAfterComment = Bytes(
    // 8 NTPaddr ... NoMBAPsrvr, 9 VQNstatusStart, rebootRegister
    "\x01n\x01" "0\x01" "1\x01" "2\x01" "3\x01" "4\x01" "5\x01" "6\x01" "7"
    // 10 SCL folder, second path, five empty texts
    "\x01S\x01T\x00\x00\x00\x00\x00"
    // 11 tag counts
    "\x01" "1\x01" "1\x01" "1"
    // 12 input, output and message tags
    "\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x02\x00\x00\x00\x01I\x07L/r:X$Y"
    "\x05INT32\x01R"
    "\x01\x02\x00\x00\x00\x01\x00\x00\x00\x02\x00\x00\x00\x04\x00\x00\x00\x04\x00\x00\x00\x01O\x05L/X$O"
    "\x07" "BOOLEAN\x01W"
    "\x01\x03\x00\x00\x00\xFF\xFF\xFF\xFF\x03\x00\x00\x00\x01\x00\x00\x00\x05\x00\x00\x00\x01M\x03L/M"
    "\x07" "FLOAT32\x01R\x01"
    // 13 data-set members
    "\x01" "1\x01" "F\x01P\x01Q\x01" "D\x01L\x05" "a.icd"
    // 14 two settings, 15 SCL files
    "\x01" "0\x01" "0\x01" "1\x05" "a.icd\x08" "C:\\a.icd\x08" "1234abcd"
    // 16 tag map
    "\x01" "1\x03L/X\x01I\x05INT32\x07MTCP-->"
    // 17 IED map: one record, its row, its reports-path entry
    "\x01" "1\x01V\x01" "B\x01" "1\x01" "2\x01" "3\x00\x01" "B\x01" "9\x02" "ap\x02" "ae\x02ps\x02ss"
    "\x02ts\x01" "5\x00\x00\x00\x00\x00\x00\x04" "1066\x08" "C:\\a.icd\x01" "1\x01p\x01n\x05INT32\x01R"
    "\x01" "d\x01L\x03MMS\x00\x00\x00\x00\x00\x01" "1\x03L/p\x01n\x01t\x01" "d"
    "\x01\x00\x02\x00\x00\x00\x03\x00\x00\x00\x01" "1\x01" "F\x01T\x01" "D\x01M\x01" "A\x01\x01u\x01" "a"
    "\x01o\x01" "b\x01" "c\x01" "e\x07\x00\x00\x00\x01\x00\x01\x00\x01\x01r\x01s\x01T\x01g\x01R\x01S"
    "\x01" "D\x01P\x01I\x01V\x01" "C\x01G\x01H\x01J\x01K\x00\x00\x01L\x01N\x01M"
    // 18 PLCs
    "\x01" "1\x0A" "EthernetIP\x01" "4\x01" "5\x01" "6\x00\x01" "7\x01" "8\x01" "9\x01" "0\x00"
    "\x04" "1067\x01" "1\x01" "2\x01" "3\x07\x00\x00\x00\x01" "1\x01" "a\x01" "b\x01" "c\x01" "d\x01" "e"
    "\x01" "f\x01g\x01h\x01" "1\x01" "0"
    // 19 control models
    "\x01" "2\x08L|X$CO$P\x01" "2\x01Z\x01" "0");

// The offset of the first byte where two texts differ, for the failure message.
size_t FirstDifference(const std::string& a, const std::string& b)
{
    size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    return i;
}

// A new project with the default device records, and the reader over it.
class PrjReader : public ::testing::Test {
protected:
    bool Read(const std::string& bytes, CProjectArchiveReader::Options options = {})
    {
        CProjectArchiveReader reader(ContentOf(doc), std::move(options));
        const bool read = reader.ReadBytes(bytes, "test.prj");
        version = reader.GetFileVersion();
        error = reader.GetError();
        warnings = reader.GetWarnings();
        return read;
    }

    TempFolder folder;
    NewProjectDocument doc;
    MessageBoxRecorder boxes;
    int version = 0;
    std::vector<CString> warnings;
    CString error;
};

TEST(PrjWriter, GoldenBytesOfASmallProject)
{
    TempFolder folder;
    NewProjectDocument doc;
    FillGoldenProject(doc);
    const CString path = folder.File("golden.prj");
    doc.SetProjectPath(path);
    doc.MarkChangedAndUpdateViews();
    MessageBoxRecorder boxes;
    doc.OnFileSave();
    ASSERT_EQ(0u, boxes.Count()) << boxes.Last().text;

    ASSERT_LT(path.GetLength(), 255);
    const std::string comment = "\xFF\x2C\x01" + std::string(300, 'c');
    const std::string expected = kBlocksBeforePath + static_cast<char>(path.GetLength()) + std::string(path) +
                                 kBlocksBeforeComment + comment + kBlocksAfterComment;
    const std::string written = ReadBinaryFile(path);
    EXPECT_EQ(expected, written) << "first difference at byte " << FirstDifference(expected, written);
    EXPECT_FALSE(doc.modified);
    // The pending path text went into the file and is done with.
    EXPECT_STREQ("", doc.textA);
}

TEST_F(PrjReader, GoldenProjectReadsBackWithDerivedUniqueNames)
{
    NewProjectDocument written;
    FillGoldenProject(written);
    written.SetProjectPath(folder.File("golden.prj"));
    written.OnFileSave();
    const std::string bytes = ReadBinaryFile(folder.File("golden.prj"));

    KeepSlots(doc, 1, 1);
    ASSERT_TRUE(Read(bytes)) << error;
    EXPECT_EQ(10, version);
    const auto& p = doc.project;
    EXPECT_EQ(300, p.comment.GetLength());
    EXPECT_EQ(2, p.port61850);
    EXPECT_STREQ("7", p.rebootRegister);
    // Unique names are not in the file: the writer's rule gives them back.
    EXPECT_STREQ("L/r:X$Y", doc.tagsINP.GetAt(0)->tagPath);
    EXPECT_STREQ("X_Y", doc.tagsINP.GetAt(0)->tagUName);
    EXPECT_STREQ(DeriveTagUName("F", "P"), p.fcdas.GetHead()->tagUName);
    EXPECT_STREQ(DeriveTagUName("I", "L/X"), p.tagMaps.GetHead()->tagUName);
    EXPECT_STREQ("MTCP-->", p.tagMaps.GetHead()->direction);
    EXPECT_STREQ("1234abcd", p.sclFiles.GetHead()->checksum);
    const _IED_DEVICE& ied = IedSlot(doc, 0);
    EXPECT_EQ(kSlotInUse, ied.state);
    EXPECT_EQ(ConfiguredRows({{"p", "n", "INT32", "R", "d", "L"}}), ied.ConfiguredCache);
    const ReportPathEntry& e = ied.ReportsPath.at("L/p");
    EXPECT_STREQ("u", e.tagUName);
    EXPECT_STREQ("K", e.gooseReportDomain);
    EXPECT_STREQ("M", e.gooseMulticastMacAddr);
    EXPECT_TRUE(e.isDupd && e.isGI && !e.isPeriod);
    EXPECT_EQ(7, e.iIntPd);
    ASSERT_EQ(1u, e.dataItems.size());
    EXPECT_STREQ("A", e.dataItems[0].DAName);
    EXPECT_STREQ("D", e.dataItems[0].domName);
    EXPECT_EQ(ConfiguredRows({{"a", "b", "c", "d", "e", "f", "g", "h"}}), FirstPlc(doc).configuredRows);
    EXPECT_EQ(7, FirstPlc(doc).devType);
    // Entries of code 0 are skipped; a "domain|path" key comes back split.
    const CtlModelMap expected = {{{"L", "X$CO$P"}, 2}};
    EXPECT_EQ(expected, doc.ctlModelMap);
    EXPECT_EQ(0u, boxes.Count());
}

// Block 19 follows the key texts as the project XML file does: "IED1LD0X|..." before "IED1LD0|...".
TEST_F(PrjReader, ControlModelsAreWrittenInTheOrderOfTheirKeyTexts)
{
    NewProjectDocument written;
    written.ctlModelMap[{"IED1LD0", "CSWI1$CO$Pos"}] = 2;
    written.ctlModelMap[{"IED1LD0X", "CSWI1$CO$Pos"}] = 3;
    written.SetProjectPath(folder.File("order.prj"));
    ASSERT_TRUE(written.SaveProject());
    const std::string bytes = ReadBinaryFile(folder.File("order.prj"));
    const size_t longer = bytes.find("IED1LD0X|CSWI1$CO$Pos");
    const size_t shorter = bytes.find("IED1LD0|CSWI1$CO$Pos");
    ASSERT_NE(std::string::npos, longer);
    ASSERT_NE(std::string::npos, shorter);
    EXPECT_LT(longer, shorter);
}

// Every kind of record, with the unique names the archive gives back, survives a save and a load.
TEST_F(PrjReader, SavedProjectLoadsAsTheSameDocument)
{
    NewProjectDocument written;
    PrxTest::FillProject(written);
    for (POSITION pos = written.project.fcdas.GetHeadPosition(); pos != nullptr;) {
        _CFCDA* fcda = written.project.fcdas.GetNext(pos);
        fcda->tagUName = DeriveTagUName(fcda->tagName, fcda->tagPath);
    }
    for (POSITION pos = written.project.tagMaps.GetHeadPosition(); pos != nullptr;) {
        _TAGSMAP* row = written.project.tagMaps.GetNext(pos);
        row->tagUName = DeriveTagUName(row->tagName, row->tagPath);
    }
    for (CVQNTagsList* list : {&written.tagsINP, &written.tagsOUT, &written.tagsMSG})
        for (INT_PTR i = 0; i < list->GetCount(); ++i)
            list->GetAt(i)->tagUName = DeriveTagUName(list->GetAt(i)->tagName, list->GetAt(i)->tagPath);
    const std::string dump = DumpProject(written);
    written.SetProjectPath(folder.File("plant.prj"));
    ASSERT_TRUE(written.SaveProject());

    doc.SetOpenKind(1);
    doc.SetProjectPath(folder.File("plant.prj"));
    doc.LoadProjectArchive(folder.File("plant.prj"));
    ASSERT_EQ(0u, boxes.Count()) << boxes.Last().text;
    EXPECT_TRUE(doc.projectReady);
    EXPECT_EQ(10, doc.fileVersion);
    EXPECT_EQ(dump, DumpProject(doc));
    EXPECT_STREQ(folder.File("plant.prj"), doc.GetProjectPath());
}

// A file of an older version, written by hand: version 5 lacks the status
// registers and the data items, version 9 the data-set members and the last
// three texts of a reports-path entry. The records after them must still line up.
std::string OldVersionFile(int version)
{
    ArchiveBytes b;
    b.Text(version == 5 ? "005" : "009").Texts({"Old", "C:\\old\\old.prj"});
    b.Texts({"10.0.0.2", "255.0.0.0", "10.0.0.1", "", "", ""}).Flag(false).Int(1).Int(1).Int(1).Text("note");
    b.Texts({"n", "0", "1", "1001", "60", "0", "3"});
    if (version >= 6)
        b.Texts({"600", "601"});
    b.Text("F").EmptyTexts(6);
    b.Count(0).Count(0).Count(1);
    b.Int(1).Int(-1).Int(3).Int(9).Int(kTagTypeMessage).Texts({"M", "L/M:X$Y", "BOOLEAN", "R"}).Flag(true);
    b.Count(0).Count(0).Count(0).Count(0);
    // One IED with one GOOSE entry.
    b.Count(1).Texts({"V", "B", "1", "2", "3", "", "B", "9", "", "", "", "", "", "5"}).EmptyTexts(6);
    b.Count(1066).Text("C:\\b.icd").Count(0).Count(1).Text("L/p");
    b.Texts({"n", "t", "d"}).Flag(true).Flag(true).Int(2).Int(3);
    if (version >= 6)
        b.Count(1).Texts({"ST", "BOOLEAN", "L", "X$ST$Y", "stVal"});
    b.Flag(false).Texts({"u", "a", "o", "b", "c", "e"}).Int(7);
    b.Flag(true).Flag(false).Flag(false).Flag(false).Flag(true);
    b.Texts({"r", "s", "T", "g", "R", "S", "D", "P", "I", "V", "C", "G", "H", "J", "K"}).EmptyTexts(2);
    // One PLC, then one control model.
    b.Count(1).Texts({"EthernetIP", "4", "5", "6", "", "7", "8", "9", "0"}).EmptyTexts(1).Count(1067);
    b.Texts({"1", "2", "3"}).Int(8).Count(0).Count(2).Count(1);
    b.Count(1).Text("L|X$CO$P").Count(3);
    return b.Bytes();
}

TEST_F(PrjReader, OlderVersionsLoadWithoutTheirMissingBlocks)
{
    for (int fileVersion : {5, 9}) {
        doc.StartNewProject();
        ASSERT_TRUE(Read(OldVersionFile(fileVersion))) << fileVersion << ": " << error;
        EXPECT_EQ(fileVersion, version);
        const auto& p = doc.project;
        EXPECT_STREQ(fileVersion == 5 ? "65531" : "600", p.VQNstatusStart) << fileVersion;
        EXPECT_STREQ(fileVersion == 5 ? "65535" : "601", p.rebootRegister) << fileVersion;
        EXPECT_TRUE(p.fcdas.IsEmpty());
        ASSERT_EQ(1, doc.tagsMSG.GetCount());
        EXPECT_STREQ("X_Y", doc.tagsMSG.GetAt(0)->tagUName);

        const _IED_DEVICE& ied = IedSlot(doc, 0);
        EXPECT_EQ(kSlotInUse, ied.state);
        EXPECT_EQ(1066, ied.devNum);
        const ReportPathEntry& e = ied.ReportsPath.at("L/p");
        EXPECT_TRUE(e.isReport && e.isGOOSE);
        EXPECT_EQ(3, e.iCount);
        EXPECT_EQ(fileVersion == 5 ? 0u : 1u, e.dataItems.size());
        EXPECT_EQ(7, e.iIntPd);
        EXPECT_STREQ("K", e.gooseReportDomain);
        EXPECT_STREQ("", e.gooseMulticastMacAddr);

        const CPLC_Device& plc = FirstPlc(doc);
        EXPECT_STREQ("EthernetIP", plc.name);
        EXPECT_EQ(8, plc.devType);
        EXPECT_EQ(2, plc.NOESlotNum);
        EXPECT_EQ(1, plc.NOESel);
        const CtlModelMap expected = {{{"L", "X$CO$P"}, 3}};
        EXPECT_EQ(expected, doc.ctlModelMap);
    }
}

// Rows are stored as twelve texts; the reader keeps what tells the row's kind.
TEST_F(PrjReader, ConfiguredRowsComeBackByTheirType)
{
    const struct {
        ConfiguredRow written;
        ConfiguredRow read;
    } cases[] = {
        {{"p", "n", "INT32", "R", "d", "L"}, {"p", "n", "INT32", "R", "d", "L"}},
        {{"p", "n", "INT32", "R", "d", "L", "Report"}, {"p", "n", "INT32", "R", "d", "L", "Report"}},
        {{"p", "n", "BOOLEAN", "W", "d", "L", "Command", "4", "Oper.ctlVal"},
         {"p", "n", "BOOLEAN", "W", "d", "L", "Command", "4", "Oper.ctlVal"}},
        {{"GOOSE/p", "n", "BOOLEAN", "R", "d", "L", "Goose"}, {"GOOSE/p", "n", "BOOLEAN", "R", "d", "L", "Goose"}},
        {{"p", "n", "INT32", "R", "d", "L", "Data"}, {"p", "n", "INT32", "R", "d", "L", "Data"}},
        // "MMS" is what a six-entry row is written with.
        {{"p", "n", "INT32", "R", "d", "L", "MMS"}, {"p", "n", "INT32", "R", "d", "L"}},
        // Entries 8 and 9 belong to commands only.
        {{"p", "n", "INT32", "R", "d", "L", "Report", "x", "y"}, {"p", "n", "INT32", "R", "d", "L", "Report"}},
    };
    for (const auto& c : cases) {
        NewProjectDocument written;
        FillGoldenProject(written);
        IedSlot(written, 0).ConfiguredCache = {c.written};
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            CProjectArchiveWriter(ContentOf(written), {}).Write(ar);
            ar.Close();
        }
        std::string bytes(static_cast<size_t>(file.GetLength()), '\0');
        file.SeekToBegin();
        file.Read(&bytes[0], static_cast<UINT>(bytes.size()));

        doc.StartNewProject();
        ASSERT_TRUE(Read(bytes)) << error;
        EXPECT_EQ(ConfiguredRows{c.read}, IedSlot(doc, 0).ConfiguredCache) << c.written.size();
    }
}

// A file written with more IED and PLC records than this project has: the
// extra records are read past, so the control models after them still load;
// those in use are reported, free ones are not.
TEST_F(PrjReader, RecordsBeyondTheProjectsDeviceRecordsAreReadPast)
{
    NewProjectDocument written;
    FillGoldenProject(written);
    for (int i = 0; i < 2; ++i) {
        auto ied = MakeIedSlot(1067 + i);
        ied->name = "EXTRA";
        ied->ConfiguredCache = {{"p", "n", "INT32", "R", "d", "L", "Report"}};
        ied->ReportsPath["L/q"].tagName = "q";
        written.project.iedDevices.AddTail(ied.release());
    }
    written.project.plcDevices.AddTail(MakePlcSlot(1090, false).release());
    auto plc = MakePlcSlot(1091, false);
    plc->name = "EXTRA PLC";
    written.project.plcDevices.AddTail(plc.release());
    written.SetProjectPath(folder.File("big.prj"));
    ASSERT_TRUE(written.SaveProject());

    KeepSlots(doc, 1, 1);
    ASSERT_TRUE(Read(ReadBinaryFile(folder.File("big.prj")))) << error;
    EXPECT_STREQ("B", IedSlot(doc, 0).name);
    EXPECT_EQ(1, doc.project.iedDevices.GetCount());
    EXPECT_STREQ("EthernetIP", FirstPlc(doc).name);
    EXPECT_EQ(1, doc.project.plcDevices.GetCount());
    const CtlModelMap expected = {{{"L", "X$CO$P"}, 2}};
    EXPECT_EQ(expected, doc.ctlModelMap);
    EXPECT_EQ((std::vector<CString>{
                  "Warning: The project holds more IEDs than the network view has device slots (1). "
                  "2 IED(s) were not loaded.",
                  "Warning: The project holds more PLC devices than the network view has device slots (1). "
                  "1 PLC device(s) were not loaded."}),
              warnings);
}

// Opening such a project says so.
TEST_F(PrjReader, DevicesBeyondTheSlotsAreReportedWhenTheProjectOpens)
{
    NewProjectDocument written;
    for (int i = 0; i < 3; ++i) {
        auto ied = MakeIedSlot(kFirstDeviceId + kDefaultMaxIeds + i);
        ied->name.Format("EXTRA%d", i);
        written.project.iedDevices.AddTail(ied.release());
    }
    written.SetProjectPath(folder.File("many.prj"));
    ASSERT_TRUE(written.SaveProject());

    doc.SetOpenKind(1);
    doc.SetProjectPath(folder.File("many.prj"));
    doc.LoadProjectArchive(folder.File("many.prj"));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("Warning: The project holds more IEDs than the network view has device slots (20). "
                 "3 IED(s) were not loaded.",
                 boxes.Last().text);
    EXPECT_TRUE(doc.projectReady);
}

TEST_F(PrjReader, RecordsWithANameAreInUse)
{
    NewProjectDocument written;
    PrxTest::FillProject(written);
    written.SetProjectPath(folder.File("plant.prj"));
    ASSERT_TRUE(written.SaveProject());
    ASSERT_TRUE(Read(ReadBinaryFile(folder.File("plant.prj")))) << error;
    EXPECT_EQ(2, doc.GetDeviceCount(CMainDoc::kKindIed));
    EXPECT_EQ(kSlotFree, IedSlot(doc, 2).state);
    EXPECT_EQ(1068, IedSlot(doc, 2).devNum);
    EXPECT_EQ(kSlotInUse, FirstPlc(doc).state);
    EXPECT_EQ(kSlotFree, doc.project.plcDevices.GetTail()->state);
}

// Counts that the rest of the file cannot hold end the read with the place and
// the reason before anything is allocated for them; negative counts mean none.
TEST_F(PrjReader, ImpossibleCountsAreRefused)
{
    ArchiveBytes head;
    head.Text("010").Texts({"P", "C:\\p.prj", "", "", "", "", "", ""}).Flag(true).Int(1).Int(1).Int(1).Text("");
    head.EmptyTexts(9 + 7);
    const struct {
        std::string bytes;
        const char* error;
    } cases[] = {
        {ArchiveBytes(head).Count(2000000000).Count(0).Count(0).Bytes(),
         "Error: The project file \"test.prj\" could not be read: the count 2000000000 is larger than the rest "
         "of the file can hold at byte "},
        {ArchiveBytes(head).Count(0).Count(0).Count(0).Count(99999).Bytes(),
         "Error: The project file \"test.prj\" could not be read: the count 99999 is larger than the rest of the "
         "file can hold at byte "},
        {ArchiveBytes(head).Count(1).Bytes(),
         "Error: The project file \"test.prj\" could not be read: the file ends early at byte "},
    };
    for (const auto& c : cases) {
        LargestAllocation largest;
        doc.StartNewProject();
        EXPECT_FALSE(Read(c.bytes));
        EXPECT_EQ(0, error.Find(c.error)) << error;
        EXPECT_LT(largest.Bytes(), 64u * 1024);
    }
    // Negative counts read as no records at all.
    doc.StartNewProject();
    const std::string negative = ArchiveBytes(head)
                                     .Count(-5).Count(0).Count(0).Count(-1).Count(0).Count(0).Count(-3)
                                     .Count(-1).Count(-2).Count(-7).Count(-9).Bytes();
    EXPECT_TRUE(Read(negative)) << error;
    EXPECT_EQ(0, doc.tagsINP.GetCount());
}

// A version this program does not read would be read with another layout, and a text XML cannot carry
// would reach the project's XML copy and the module configuration as it is: both are refused.
TEST_F(PrjReader, UnknownVersionsAndTextsXmlCannotCarryAreRefused)
{
    const auto file = [](const std::string& version, const std::string& name) {
        ArchiveBytes bytes;
        bytes.Text(version).Texts({name, "C:\\p.prj", "", "", "", "", "", ""}).Flag(true).Int(1).Int(1).Int(1).Text("");
        bytes.EmptyTexts(9 + 7);
        return bytes.Count(0).Count(0).Count(0).Count(0).Count(0).Count(0).Count(0).Count(0).Count(0).Count(0).Count(0)
            .Bytes();
    };
    const struct {
        std::string bytes;
        const char* error; // empty: the file reads
    } cases[] = {
        {file("010", "Plant\tA\r\nB"), ""},
        {file("-1", "Plant"), "the file version \"-1\" is not one this program reads at byte 3 (the version)"},
        {file("011", "Plant"), "the file version \"011\" is not one this program reads"},
        {file("0", "Plant"), "the file version \"0\" is not one this program reads"},
        {file("x10", "Plant"), "the file version \"x10\" is not one this program reads"},
        {file("010", "Pl\x01nt"), "a text holds the character 0x01, which XML cannot carry at byte 10"},
        {file("010", "Plant\x1F"), "a text holds the character 0x1F, which XML cannot carry"},
    };
    for (const auto& c : cases) {
        doc.StartNewProject();
        if (*c.error == 0) {
            EXPECT_TRUE(Read(c.bytes)) << error;
            continue;
        }
        EXPECT_FALSE(Read(c.bytes));
        EXPECT_EQ(0, error.Find("Error: The project file \"test.prj\" could not be read: ")) << error;
        EXPECT_NE(-1, error.Find(c.error)) << error;
    }
}

// How the project came in decides where its files are looked for.
TEST_F(PrjReader, FoldersFollowHowTheProjectCameIn)
{
    NewProjectDocument written;
    FillGoldenProject(written);
    written.SetProjectPath(folder.File("golden.prj"));
    ASSERT_TRUE(written.SaveProject());
    const std::string bytes = ReadBinaryFile(folder.File("golden.prj"));

    const struct {
        int openKind;
        bool inProjectFolder;
        const char* projectPath;
        const char* sclPath;
        const char* cidFile;
    } cases[] = {
        {1, false, nullptr, "C:\\a.icd", "C:\\a.icd"},
        {kOpenKindConfigurationImport, false, "D:\\new\\Plant.prj", "D:\\new\\SCLFiles\\a.icd", "C:\\a.icd"},
        {kOpenKindConfigurationByType, false, nullptr, "D:\\new\\SCLFiles\\a.icd", "C:\\a.icd"},
        {kOpenKindUpload, false, nullptr, "D:\\new\\SCLFiles\\a.icd", "C:\\a.icd"},
        {1, true, nullptr, "E:\\scl\\a.icd", "E:\\scl\\a.icd"},
    };
    for (const auto& c : cases) {
        doc.StartNewProject();
        CProjectArchiveReader::Options options;
        options.openKind = c.openKind;
        options.projectFolder = "D:\\new";
        options.sclFilesInProjectFolder = c.inProjectFolder;
        options.sclFolder = "E:\\scl";
        ASSERT_TRUE(Read(bytes, options)) << error;
        EXPECT_STREQ(c.projectPath != nullptr ? CString(c.projectPath) : folder.File("golden.prj"),
                     doc.GetProjectPath())
            << c.openKind;
        EXPECT_STREQ(c.sclPath, doc.project.sclFiles.GetHead()->filePath) << c.openKind;
        EXPECT_STREQ(c.cidFile, IedSlot(doc, 0).CIDFile) << c.openKind;
    }
}

// An IED whose file declares another IED takes the project's SCL file that declares its label.
TEST_F(PrjReader, IedFileIsTheOneDeclaringItsLabel)
{
    const CString other = folder.File("other.icd");
    const CString own = folder.File("own.icd");
    WriteTextFile(other, "<SCL>\n<IED name=\"X\" iedName=\"OTHER\">\n</SCL>\n");
    WriteTextFile(own, "<SCL>\n<Private iedName=\"B\"/>\n</SCL>\n");
    NewProjectDocument written;
    FillGoldenProject(written);
    IedSlot(written, 0).CIDFile = other;
    written.project.sclFiles.AddTail(new _ICD_FILES{"other.icd", other, ""});
    written.project.sclFiles.AddTail(new _ICD_FILES{"own.icd", own, ""});
    written.SetProjectPath(folder.File("golden.prj"));
    ASSERT_TRUE(written.SaveProject());

    CProjectArchiveReader::Options options;
    options.iedNameOfFile = &CMainDoc::FindIedNameInFile;
    ASSERT_TRUE(Read(ReadBinaryFile(folder.File("golden.prj")), options)) << error;
    EXPECT_STREQ(own, IedSlot(doc, 0).CIDFile);
}

} // namespace
