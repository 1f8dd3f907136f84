// The module configuration: root, tag database, attachments, and what a failed write leaves behind.
#include "config_test_support.h"

#include "corvel/project/embedded_files.h"
#include "corvel/project/path_utils.h"

#include <regex>

namespace {

using namespace ConfigTest;
using Corvel::Gateway::WriteDeviceConfigFile;
using Korvane::Exceptions::CKorException;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

class DeviceConfig : public ConfigFixture {};

TEST_F(DeviceConfig, EmptyProjectHasTheRootTheStatusTagsAndNothingElse)
{
    records.project.prjName = "Substation 7";
    const auto xml = Write(true);
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_STREQ("DeviceConfig", xml->Root()->name());
    EXPECT_THAT(ParsedXml::Attributes(xml->Root()),
                ElementsAre("moduleName=Substation 7", "productName=VQN31-EIP-61850", "DriverAutoRestart=Yes"));
    EXPECT_THAT(ParsedXml::ChildNames(xml->Root()), ElementsAre("TagDB", "Resources", "Attachments"));
    EXPECT_THAT(ParsedXml::ChildNames(xml->Find("TagDB")), ElementsAre("datatypes", "tags"));
    // "datatypes" is a start tag and an end tag, not an empty-element tag.
    EXPECT_TRUE(std::regex_search(WrittenText(), std::regex("<datatypes>\\s*</datatypes>")));
    EXPECT_THAT(TagNames(*xml), ElementsAre("StatusIEC61850CBase_eth0", "SNTP_Status", "EIPS_Status",
                                            "IEC61850c_Status", "Reboot_Module", "_tempTag"));
    const auto tags = Children(xml->Find("TagDB/tags"), "tag");
    EXPECT_THAT(ParsedXml::Attributes(tags.front()),
                ElementsAre("comment=", "datatype=STATUSIEC61850CBase", "dim0=0", "name=StatusIEC61850CBase_eth0"));
    EXPECT_THAT(ParsedXml::Attributes(tags.back()),
                ElementsAre("comment=Temporary storage buffer tag for unused members of the Attribute data set",
                            "datatype=INT", "dim0=0", "name=_tempTag"));
    EXPECT_EQ(0, result.tagCount);
}

TEST_F(DeviceConfig, RootNamesTheProductAndTheRestartFlag)
{
    const struct {
        int ports;
        bool autoRestart;
        const char* product;
        const char* restart;
    } cases[] = {{1, false, "VQN31-EIP-61850", "No"},
                 {2, true, "VQN32-EIP-61850", "Yes"},
                 {3, false, "VQN32-EIP-61850", "No"}};
    for (const auto& c : cases) {
        records.project.numPorts = c.ports;
        records.project.autoRestart = c.autoRestart;
        const auto xml = Write();
        EXPECT_EQ(c.product, ParsedXml::Attribute(xml->Root(), "productName")) << c.ports;
        EXPECT_EQ(c.restart, ParsedXml::Attribute(xml->Root(), "DriverAutoRestart")) << c.ports;
    }
    // A project without a name takes its file's name.
    records.project.prjName = "";
    records.project.filePath = "C:\\plants\\north.prj";
    EXPECT_EQ("north.prj", ParsedXml::Attribute(Write()->Root(), "moduleName"));
}

TEST_F(DeviceConfig, IedRowsBecomeTagsOfTheirPlcTypeWithoutBrackets)
{
    const struct {
        const char* iecType;
        const char* datatype; // null: no tag
        const char* dim0;
    } cases[] = {
        {"INT16", "INT", "0"},   {"BOOLEAN", "BOOL", "0"},    {"FLOAT64", "DREAL", "0"},
        {"INT64", nullptr, ""},  {"INT128", "DINT", "4"},     {"Octet64", "INT", "32"},
        {"Check", "UBYTE", "0"}, {"VisString255", "STRING", "0"}, {"int16", nullptr, ""},
    };
    _IED_DEVICE& ied = AddIed("IED1");
    for (const auto& c : cases) {
        ied.ConfiguredCache.clear();
        AddRow(ied, {"LD0/GGIO1$ST$Val[0]", "Val[0]", c.iecType, "R", "", "IED1LD0"});
        const auto xml = Write();
        const auto tags = Children(xml->Find("TagDB/tags"), "tag");
        if (c.datatype == nullptr) {
            EXPECT_EQ("StatusIEC61850CBase_eth0", ParsedXml::Attribute(tags.front(), "name")) << c.iecType;
            EXPECT_EQ(0, result.tagCount) << c.iecType;
            continue;
        }
        EXPECT_THAT(ParsedXml::Attributes(tags.front()),
                    ElementsAre("comment=", std::string("datatype=") + c.datatype, std::string("dim0=") + c.dim0,
                                "name=Val0"))
            << c.iecType;
        EXPECT_EQ(1, result.tagCount) << c.iecType;
    }
}

TEST_F(DeviceConfig, StatusTagsFollowTheIedsTheConnectionsInUseAndThePorts)
{
    _IED_DEVICE& first = AddIed("IED1");
    AddRow(first, {"LD0/GGIO1$ST$Ind1$stVal", "A", "BOOLEAN", "R", "", "IED1LD0"});
    AddIed("IED2"); // no rows: still a node status tag
    records.project.numPorts = 2;
    Assign(records.tagsINP, "A", 0, 0);
    Assign(records.tagsOUT, "B", 12, 0, "W");
    Assign(records.tagsINP, "C", 25, 0); // beyond the connections of the model
    const auto xml = Write();
    EXPECT_THAT(TagNames(*xml),
                ElementsAre("A", "StatusIEC61850CBase_eth0", "StatusIEC61850CNode_eth0_00",
                            "StatusIEC61850CNode_eth0_01", "StatusEIPS_ReconnectionCount_00",
                            "StatusEIPS_ReconnectionCount_12", "SNTP_Status", "EIPS_Status", "IEC61850c_Status",
                            "Reboot_Module", "_tempTag"));
    EXPECT_EQ(1, result.tagCount);

    // The IEC 61850 port names the status tags only on the model with two ports in use.
    const struct {
        int ports;
        int port61850;
        const char* base;
    } cases[] = {{1, 2, "StatusIEC61850CBase_eth0"},
                 {3, 2, "StatusIEC61850CBase_eth0"},
                 {2, 1, "StatusIEC61850CBase_eth0"},
                 {2, 2, "StatusIEC61850CBase_eth1"}};
    for (const auto& c : cases) {
        records.project.numPorts = c.ports;
        records.project.port61850 = c.port61850;
        const auto names = TagNames(*Write());
        const std::string port = std::string(c.base).substr(std::string(c.base).size() - 4);
        EXPECT_EQ(c.base, names[1]) << c.ports << " " << c.port61850;
        EXPECT_EQ("StatusIEC61850CNode_" + port + "_01", names[3]) << c.ports << " " << c.port61850;
    }
}

TEST_F(DeviceConfig, ConnectionsOfTheOnePortModelEndAtTen)
{
    records.project.numPorts = 1;
    Assign(records.tagsINP, "A", 9, 0);
    Assign(records.tagsINP, "B", 10, 0);
    const auto names = TagNames(*Write());
    EXPECT_THAT(names, ::testing::Contains("StatusEIPS_ReconnectionCount_09"));
    EXPECT_THAT(names, ::testing::Not(::testing::Contains("StatusEIPS_ReconnectionCount_10")));
}

// Attachments.

class DeviceConfigAttachments : public ConfigFixture {
protected:
    // An SCL file and a saved project in the scratch folder.
    void SaveProject()
    {
        sclPath = folder.File("ied1.icd");
        WriteBinaryFile(sclPath, std::string("<SCL>\x01\x02 bytes\r\n</SCL>", 22));
        auto* scl = new _ICD_FILES;
        scl->fileName = "ied1.icd";
        scl->filePath = sclPath;
        records.project.sclFiles.AddTail(scl);
        records.project.prjName = "Plant";
        projectPath = folder.File("plant.prj");
        WriteBinaryFile(projectPath, "project archive bytes");
        records.project.filePath = projectPath;
    }
    // The Name attributes of the File elements.
    static Strings FileNames(const ParsedXml& xml)
    {
        return AttributeOf(Children(xml.Find("Attachments"), "File"), "Name");
    }

    CString sclPath;
    CString projectPath;
};

TEST_F(DeviceConfigAttachments, SclFilesThenTheProjectThenItsXmlCopyRestoreByteForByte)
{
    SaveProject();
    const auto xml = Write(true);
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_TRUE(result.warnings.empty());
    const CString copyPath = folder.File("plant.prx");
    ASSERT_THAT(FileNames(*xml), ElementsAre((LPCSTR)sclPath, (LPCSTR)projectPath, (LPCSTR)copyPath));
    const auto files = Children(xml->Find("Attachments"), "File");
    EXPECT_THAT(ParsedXml::Attributes(files[0]),
                ElementsAre("Type=icd", std::string("Name=") + (LPCSTR)sclPath, "Encoding=BASE64_ZIP"));
    // The XML copy was written for this run: it is the project.
    EXPECT_EQ("Project", std::string(ParsedXml(copyPath).Root()->name()));

    // Each File element gives its file back as it was.
    const std::string expected[] = {ReadBinaryFile(sclPath), ReadBinaryFile(projectPath), ReadBinaryFile(copyPath)};
    TempFolder restored;
    for (size_t i = 0; i < files.size(); ++i) {
        Korvane::Formats::EmbeddedFileRecord record;
        record.type = ParsedXml::Attribute(files[i], "Type").c_str();
        record.name = restored.File(GetFileNameOfPath(ParsedXml::Attribute(files[i], "Name").c_str()));
        record.encoding = "BASE64_ZIP";
        record.content = files[i]->value();
        ASSERT_TRUE(Korvane::Formats::RestoreEmbeddedFile(record, {restored.Path()})) << i;
        EXPECT_EQ(expected[i], ReadBinaryFile(record.name)) << i;
    }
}

TEST_F(DeviceConfigAttachments, AProjectWithoutFileGetsItsXmlCopyBesideTheConfigurationNamedAfterIt)
{
    records.project.prjName = "Unsaved Plant";
    const auto xml = Write(true);
    const CString copyPath = folder.File("Unsaved Plant.prx");
    EXPECT_THAT(FileNames(*xml), ElementsAre((LPCSTR)copyPath));
    EXPECT_TRUE(FileExists(copyPath));
}

TEST_F(DeviceConfigAttachments, AMissingProjectFileOrSclFileIsLeftOutAndNamed)
{
    SaveProject();
    DeleteFileAtPath(projectPath);
    DeleteFileAtPath(sclPath);
    const auto xml = Write(true);
    EXPECT_THAT(FileNames(*xml), ElementsAre((LPCSTR)folder.File("plant.prx")));
    EXPECT_THAT(result.warnings,
                ElementsAre(CString("Error: File '") + sclPath + "' could not be read. It is not embedded."));
    EXPECT_EQ(0u, boxes.Count());
}

TEST_F(DeviceConfigAttachments, TheXmlCopyReplacesOnlyTheExtensionOfTheProjectPath)
{
    // A folder with a dot; project files that are no archive stay as they are.
    const CString dotted = folder.File("site.v2");
    ASSERT_TRUE(CreateFolder(dotted));
    const struct {
        const char* projectFile;
        const char* copy;
    } cases[] = {{"plant.cfg", "plant.prx"}, {"plant", "plant.prx"}, {"plant.prj", "plant.prx"}};
    for (const auto& c : cases) {
        const CString projectFile = dotted + "\\" + c.projectFile;
        WriteBinaryFile(projectFile, "project file");
        records.project.filePath = projectFile;
        const auto xml = Write(true);
        EXPECT_THAT(FileNames(*xml), ElementsAre((LPCSTR)projectFile, std::string((LPCSTR)(dotted + "\\" + c.copy))))
            << c.projectFile;
        EXPECT_EQ("project file", ReadBinaryFile(projectFile)) << c.projectFile;
        DeleteFileAtPath(projectFile);
    }
    EXPECT_FALSE(FileExists(folder.File("site.prx")));
}

// Failures.

TEST_F(DeviceConfig, AFailedWriteLeavesTheTargetAndTheProjectAsTheyWere)
{
    _IED_DEVICE& ied = AddIed("IED1");
    ied.MMSping.Empty();
    WriteBinaryFile(OutputPath(), "the previous configuration");
    // The project's XML copy cannot be written: its folder does not exist.
    records.project.filePath = folder.File("gone\\plant.prj");
    Corvel::Gateway::DeviceConfigOptions options;
    try {
        WriteDeviceConfigFile(records.Content(), OutputPath(), options);
        FAIL() << "no failure";
    } catch (CKorException& e) {
        EXPECT_THAT(e.Message(), StartsWith("Error: "));
    }
    EXPECT_EQ("the previous configuration", WrittenText());
    EXPECT_TRUE(ied.MMSping.IsEmpty());
    EXPECT_EQ(0u, boxes.Count());
    // Nothing else is left in the folder.
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA(folder.File("*"), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, find);
    Strings names;
    do {
        if (strcmp(found.cFileName, ".") != 0 && strcmp(found.cFileName, "..") != 0)
            names.push_back(found.cFileName);
    } while (::FindNextFileA(find, &found));
    ::FindClose(find);
    EXPECT_THAT(names, ElementsAre("out.xml"));
}

TEST_F(DeviceConfig, AnOutputThatCannotBeCreatedOrThatIsTheProjectIsRefused)
{
    const CString missingFolder = folder.File("missing\\out.xml");
    try {
        WriteDeviceConfigFile(records.Content(), missingFolder);
        FAIL() << "no failure";
    } catch (CKorException& e) {
        EXPECT_EQ(std::string("Error: Opening XML File\n") + (LPCSTR)missingFolder, e.Message());
    }

    const CString projectFile = folder.File("plant.prx");
    WriteBinaryFile(projectFile, "project");
    records.project.filePath = projectFile;
    try {
        WriteDeviceConfigFile(records.Content(), projectFile);
        FAIL() << "no failure";
    } catch (CKorException& e) {
        EXPECT_THAT(e.Message(), HasSubstr("would overwrite the project file"));
    }
    EXPECT_EQ("project", ReadBinaryFile(projectFile));
    EXPECT_EQ(0u, boxes.Count());
}

} // namespace
