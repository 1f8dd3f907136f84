#include "scl_test_document.h"

namespace {

class IedTreeLoaderTypes : public ComApartmentTest {
protected:
    // Runs the three type-template loaders of IED1 on templates.
    void LoadTemplates(const std::string& templates)
    {
        tree.m_document = ParseScl(SclText("", templates));
        tree.m_iedName = "IED1";
        tree.LoadLNodeTypes();
        tree.LoadDATypes();
        tree.LoadDOTypes();
    }
    CDOType* DoType(LPCSTR id) { return static_cast<CDOType*>(tree.m_doTypes.FindSclObject(id)); }

    CIedTreeLoader tree;
};

const char kBreakerTemplates[] =
    "<LNodeType id=\"XCBR_T\" lnClass=\"XCBR\">"
    "  <Private type=\"x\">vendor data</Private>"
    "  <DO name=\"Pos\" type=\"DPC_T\"/>"
    "  <!-- a comment between the data objects -->"
    "  <DO name=\"BlkOpn\" type=\"SPC_T\"/>"
    "</LNodeType>"
    "<DOType id=\"DPC_T\" cdc=\"DPC\">"
    "  <DA name=\"Oper\" bType=\"Struct\" type=\"Oper_T\" fc=\"CO\"/>"
    "  <DA name=\"stVal\" bType=\"Dbpos\" fc=\"ST\"/>"
    "  <DA name=\"ctlModel\" bType=\"Enum\" type=\"ctlModels\" fc=\"CF\"><Val>sbo-with-enhanced-security</Val></DA>"
    "  <DA name=\"sboTimeout\" bType=\"INT32U\" fc=\"CF\" count=\"2\"/>"
    "</DOType>"
    "<DOType id=\"SPC_T\" cdc=\"SPC\">"
    "  <DA name=\"ctlModel\" bType=\"Enum\" fc=\"CF\"><Val>status-only</Val></DA>"
    "  <SDO name=\"sub\" type=\"DPC_T\"/>"
    "</DOType>"
    "<DAType id=\"Oper_T\"><BDA name=\"ctlVal\" bType=\"BOOLEAN\"/><BDA name=\"origin\" bType=\"Struct\" "
    "type=\"Origin_T\"/></DAType>";

TEST_F(IedTreeLoaderTypes, DoTypeCtlModelReachesItsAttributesTheProjectAndThePosControls)
{
    LoadTemplates(kBreakerTemplates);

    CDOType* dpc = DoType("DPC_T");
    ASSERT_NE(nullptr, dpc);
    ASSERT_EQ(4, dpc->attributes.GetSize());
    // ctlModel sets the attributes read so far; sboTimeout comes after it.
    EXPECT_EQ(4, dpc->attributes[0]->ctlModel);
    EXPECT_EQ(4, dpc->attributes[1]->ctlModel);
    EXPECT_EQ(4, dpc->attributes[2]->ctlModel);
    EXPECT_EQ(-1, dpc->attributes[3]->ctlModel);
    EXPECT_STREQ("0", dpc->attributes[0]->count);
    EXPECT_STREQ("2", dpc->attributes[3]->count);

    const CtlModelMap& project = tree.GetCtlModelMap();
    EXPECT_EQ(4, StoredCode(project, "IED1", "DPC_T"));
    // Codes below 1 reach the key map and the controls, not the project.
    EXPECT_EQ(-1, StoredCode(project, "IED1", "SPC_T"));
    EXPECT_EQ(0, tree.m_ctlModelKeys.at("SPC_T"));
    EXPECT_EQ(4, tree.m_ctlModelKeys.at("DPC_T"));
    // The LNodeType loader asks the DOTypes: "" domain, lnClass$CO$name$Oper.
    EXPECT_EQ(4, StoredCode(project, "", "XCBR$CO$Pos$Oper"));
    EXPECT_EQ(-1, StoredCode(project, "", "XCBR$CO$BlkOpn$Oper"));

    ASSERT_EQ(1u, tree.m_controlEntries.size());
    EXPECT_STREQ("IED1", tree.m_controlEntries[0].iedName);
    EXPECT_STREQ("XCBR", tree.m_controlEntries[0].lnClass);
    EXPECT_STREQ("DPC_T", tree.m_controlEntries[0].doType);
    EXPECT_EQ(4, tree.m_controlEntries[0].ctlModel);
    EXPECT_EQ(0, tree.m_ctlModelKeys.at("IED1$XCBR$Pos"));
}

TEST_F(IedTreeLoaderTypes, ChildrenOtherThanDataObjectsAddNothing)
{
    LoadTemplates(kBreakerTemplates);
    auto* breaker = static_cast<CLNodeType*>(tree.m_lnodeTypes.FindSclObject("XCBR_T"));
    ASSERT_NE(nullptr, breaker);
    EXPECT_STREQ("XCBR", breaker->lnClass);
    ASSERT_EQ(2, breaker->dataObjects.GetSize());
    EXPECT_STREQ("Pos", breaker->dataObjects[0]->name);
    EXPECT_STREQ("BlkOpn", breaker->dataObjects[1]->name);

    auto* oper = static_cast<CDAType*>(tree.m_daTypes.FindSclObject("Oper_T"));
    ASSERT_NE(nullptr, oper);
    ASSERT_EQ(2, oper->members.GetSize());
    EXPECT_STREQ("", oper->members[0]->type);
    EXPECT_STREQ("Origin_T", oper->members[1]->type);
    ASSERT_EQ(1, DoType("SPC_T")->subObjects.GetSize());
    EXPECT_STREQ("DPC_T", DoType("SPC_T")->subObjects[0]->type);
}

TEST_F(IedTreeLoaderTypes, LaterTypeOfAnIdIsKeptAndTheLastCtlModelValueDecides)
{
    LoadTemplates("<DOType id=\"X\"><DA name=\"ctlModel\" bType=\"Enum\" fc=\"CF\"><Val>direct-with-normal-security"
                  "</Val></DA></DOType>"
                  "<DOType id=\"Y\"><DA name=\"ctlModel\" bType=\"Enum\" fc=\"CF\"><Val>3</Val></DA></DOType>"
                  "<DOType id=\"X\"><DA name=\"stVal\" bType=\"BOOLEAN\" fc=\"ST\"/>"
                  "<DA name=\"ctlModel\" bType=\"Enum\" fc=\"CF\"/></DOType>"
                  "<DOType id=\"Y\"><DA name=\"ctlModel\" bType=\"Enum\" fc=\"CF\"><Val>sbo-with-normal-security"
                  "</Val></DA></DOType>");
    EXPECT_EQ(2, tree.m_doTypes.GetObjectCount());
    ASSERT_EQ(2, DoType("X")->attributes.GetSize());
    EXPECT_STREQ("stVal", DoType("X")->attributes[0]->name);
    // A DOType of the id without a ctlModel value does not undo an earlier one.
    EXPECT_EQ(1, tree.FindDoTypeCtlModel("X"));
    EXPECT_EQ(2, tree.FindDoTypeCtlModel("Y"));
    EXPECT_EQ(0, tree.FindDoTypeCtlModel("missing"));
}

TEST_F(IedTreeLoaderTypes, MissingRequiredAttributeStopsWithItsName)
{
    const struct {
        const char* templates;
        const char* message;
    } cases[] = {
        {"<DOType><DA name=\"a\" bType=\"BOOLEAN\" fc=\"ST\"/></DOType>",
         "Cannot load the SCL file: the element <DOType> has no \"id\" attribute."},
        {"<LNodeType lnClass=\"XCBR\"/>",
         "Cannot load the SCL file: the element <LNodeType lnClass=\"XCBR\"> has no \"id\" attribute."},
        {"<LNodeType id=\"L\" lnClass=\"GGIO\"><DO name=\"Ind\"/></LNodeType>",
         "Cannot load the SCL file: the element <DO name=\"Ind\"> has no \"type\" attribute."},
        {"<DOType id=\"D\"><DA name=\"stVal\" bType=\"BOOLEAN\"/></DOType>",
         "Cannot load the SCL file: the element <DA name=\"stVal\"> has no \"fc\" attribute."},
        {"<DAType id=\"T\"><BDA name=\"f\"/></DAType>",
         "Cannot load the SCL file: the element <BDA name=\"f\"> has no \"bType\" attribute."},
    };
    for (const auto& c : cases) {
        CIedTreeLoader fresh;
        fresh.m_document = ParseScl(SclText("", c.templates));
        try {
            fresh.LoadLNodeTypes();
            fresh.LoadDATypes();
            fresh.LoadDOTypes();
            ADD_FAILURE() << "no error for " << c.templates;
        } catch (const ComError& error) {
            EXPECT_EQ(E_POINTER, error.Error());
            EXPECT_STREQ(c.message, SclLoadErrorText(error));
        }
    }
}

} // namespace
