// LoadIedModelFromScl: the file of the project's current IED, read from disk.
#include "ied_tree_fixture.h"

#include "corvel/document/main_doc.h"
#include "support/paths.h"

namespace {

const char kTemplates[] =
    "<LNodeType id=\"LLN0_T\" lnClass=\"LLN0\"><DO name=\"Beh\" type=\"DPC_T\"/></LNodeType>"
    "<DOType id=\"DPC_T\"><DA name=\"Oper\" bType=\"Struct\" type=\"Oper_T\" fc=\"CO\"/>"
    "<DA name=\"stVal\" bType=\"Dbpos\" fc=\"ST\"/>"
    "<DA name=\"ctlModel\" bType=\"Enum\" fc=\"CF\"><Val>sbo-with-enhanced-security</Val></DA>"
    "<DA name=\"sboTimeout\" bType=\"INT32U\" fc=\"CF\"/></DOType>"
    "<DAType id=\"Oper_T\"><BDA name=\"ctlVal\" bType=\"BOOLEAN\"/></DAType>";
const char kDevice[] = "<LDevice inst=\"LD0\"><LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"LLN0_T\"/></LDevice>";
constexpr int kDeviceId = 1066;

class IedTreeSclFile : public SclTreeTest {
protected:
    void SetUp() override
    {
        SclTreeTest::SetUp();
        device.state = Corvel::Records::kSlotInUse;
        device.devNum = kDeviceId;
        device.name = "IED1";
        document.project.iedDevices.AddTail(&device);
        Tree().SetProject(&document, kDeviceId);
    }
    void TearDown() override
    {
        document.project.iedDevices.RemoveAll();
        SclTreeTest::TearDown();
    }

    TempFolder folder;
    CMainDoc document;
    CMainDoc::_IED_DEVICE device;
};

TEST_F(IedTreeSclFile, LoadsTheCurrentIedAndRecordsItsControlModelsInTheProject)
{
    const CString path = folder.File("ied.icd");
    WriteBinaryFile(path, SclText(kDevice, kTemplates));
    device.vendor = "Schneider Electric";
    ASSERT_TRUE(Tree().LoadIedModelFromScl(path));
    EXPECT_EQ(0u, m_messages.Count());
    EXPECT_STREQ(path, Tree().m_sclFilePath);
    EXPECT_EQ(kVendorSchneider, Tree().m_vendorMode);
    EXPECT_STREQ("SCHNEIDER ELECTRIC", device.vendor);
    EXPECT_TRUE(Tree().GetXmlNode());
    EXPECT_EQ(4, StoredCode(document.ctlModelMap, "IED1", "DPC_T"));
    EXPECT_NE(nullptr, Find("IED1/LD0/LLN0/Beh/Oper/ctlVal"));
}

TEST_F(IedTreeSclFile, VendorModes)
{
    const CString path = folder.File("ied.icd");
    WriteBinaryFile(path, SclText(kDevice, kTemplates));
    const struct {
        const char* vendor;
        int mode;
    } cases[] = {{"merlin gerin", kVendorSchneider}, {"Schneider SEL", kVendorSel}, {"ABB", kVendorOther}};
    for (const auto& c : cases) {
        m_host = std::make_unique<CHiddenTreeHost>();
        Tree().SetProject(&document, kDeviceId);
        device.vendor = c.vendor;
        EXPECT_TRUE(Tree().LoadIedModelFromScl(path));
        EXPECT_EQ(c.mode, Tree().m_vendorMode) << c.vendor;
    }
}

TEST_F(IedTreeSclFile, FailuresAndWhatTheySay)
{
    EXPECT_FALSE(Tree().LoadIedModelFromScl(folder.File("missing.icd")));
    EXPECT_EQ(0u, m_messages.Count());

    const CString broken = folder.File("broken.icd");
    WriteBinaryFile(broken, "<SCL><IED name=\"IED1\"></SCL>");
    EXPECT_FALSE(Tree().LoadIedModelFromScl(broken));
    ASSERT_EQ(1u, m_messages.Count());
    EXPECT_EQ(0, m_messages.Last().text.Find("XML Parse Error 0x")) << (LPCSTR)m_messages.Last().text;
    EXPECT_GT(m_messages.Last().text.Find(" : "), 0);
    EXPECT_EQ(nullptr, Tree().GetRootItem());

    // Another IED of the file, and a device number the project does not hold.
    m_messages.Clear();
    const CString other = folder.File("other.icd");
    WriteBinaryFile(other, SclText(kDevice, kTemplates, "", "IED2"));
    m_host = std::make_unique<CHiddenTreeHost>();
    Tree().SetProject(&document, kDeviceId);
    EXPECT_FALSE(Tree().LoadIedModelFromScl(other));
    m_host = std::make_unique<CHiddenTreeHost>();
    Tree().SetProject(&document, kDeviceId + 1);
    EXPECT_FALSE(Tree().LoadIedModelFromScl(other));
    EXPECT_EQ(0u, m_messages.Count());
}

} // namespace
