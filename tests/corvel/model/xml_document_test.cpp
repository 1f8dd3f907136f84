#include "corvel/model/xml_document.h"

#include "support/com_apartment.h"
#include "support/paths.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kConfiguration[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<DeviceConfig>\r\n"
    "  <Resources>\r\n"
    "    <Resource name=\"first\"/>\r\n"
    "    <Resource name=\"second\">text</Resource>\r\n"
    "    <!-- a comment -->\r\n"
    "    <Resource name=\"third\"/>\r\n"
    "  </Resources>\r\n"
    "</DeviceConfig>\r\n";

class XmlDocument : public ComApartmentTest {
protected:
    // A document loaded from kConfiguration through a file.
    void LoadConfiguration()
    {
        m_path = m_folder.File("config.xml");
        WriteTextFile(m_path, kConfiguration);
        ASSERT_TRUE(m_xml.Load(m_path));
    }
    // The saved document's text, without a byte-order mark.
    std::string SavedText()
    {
        const CString path = m_folder.File("saved.xml");
        EXPECT_TRUE(m_xml.Save(path));
        std::string text = ReadTextFile(path);
        if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
            text.erase(0, 3);
        return text;
    }

    TempFolder m_folder;
    CString m_path;
    CXmlDocument m_xml;
};

TEST_F(XmlDocument, NewHoldsOnlyTheDeclaration)
{
    ASSERT_TRUE(m_xml.New());
    EXPECT_FALSE(m_xml.GetRootElement());
    std::string text = SavedText();
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>", text);
}

TEST_F(XmlDocument, RootElementWithAndWithoutNamespace)
{
    ASSERT_TRUE(m_xml.CreateRootElement("RSLogix5000Content", ""));
    const DomElementPtr root = m_xml.GetRootElement();
    EXPECT_STREQ("RSLogix5000Content", CXmlDocument::GetNodeName(root));
    std::string text = SavedText();
    EXPECT_NE(std::string::npos, text.find("standalone=\"yes\"?>"));
    EXPECT_NE(std::string::npos, text.find("<RSLogix5000Content/>"));
    EXPECT_EQ(std::string::npos, text.find("xmlns"));

    ASSERT_TRUE(m_xml.CreateRootElement("Config", "urn:korvane"));
    text = SavedText();
    EXPECT_NE(std::string::npos, text.find("<Config xmlns=\"urn:korvane\"/>"));
}

TEST_F(XmlDocument, SelectNodesKeepsElementsInDocumentOrder)
{
    LoadConfiguration();
    EXPECT_STREQ(m_path, m_xml.GetFileName());
    CXmlElementList list;
    list.Add(DomElementPtr()); // emptied first
    ASSERT_EQ(3, m_xml.SelectNodes("DeviceConfig/Resources/Resource", list));
    ASSERT_EQ(3, list.GetSize());
    const char* names[] = {"first", "second", "third"};
    for (int i = 0; i < 3; ++i)
        EXPECT_STREQ(names[i], CXmlDocument::GetAttributeValue(CXmlDocument::GetAttribute(list[i], "name")));

    struct Case {
        const char* expression;
        int count;
    };
    const Case cases[] = {
        {"DeviceConfig/Resources/Resource/@name", 0}, // attributes only
        {"DeviceConfig/Resources/Resource/text()", 0}, // text only
        {"DeviceConfig/Missing", 0},
        {"DeviceConfig", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expression);
        EXPECT_EQ(c.count, m_xml.SelectNodes(c.expression, list));
        EXPECT_EQ(c.count, list.GetSize());
    }
}

TEST_F(XmlDocument, FailedLoadsLeaveTheWrapperEmptyAndKeepTheFileName)
{
    LoadConfiguration();
    const CString broken = m_folder.File("broken.xml");
    WriteTextFile(broken, "<DeviceConfig><Resources></DeviceConfig>");
    for (const CString& path : {broken, m_folder.File("missing.xml")}) {
        SCOPED_TRACE((LPCSTR)path);
        EXPECT_FALSE(m_xml.Load(path));
        EXPECT_TRUE(m_xml.IsEmpty());
        EXPECT_FALSE(m_xml.GetRootElement());
        EXPECT_STREQ(m_path, m_xml.GetFileName());
    }
    EXPECT_FALSE(m_xml.LoadXml(L"<a><b></a>"));
    EXPECT_TRUE(m_xml.IsEmpty());
    ASSERT_TRUE(m_xml.LoadXml(L"<a><b/></a>"));
    EXPECT_STREQ("a", CXmlDocument::GetNodeName(m_xml.GetRootElement()));
}

TEST_F(XmlDocument, EmptyWrapperAndEmptyHandlesGiveEmptyResults)
{
    CXmlElementList list;
    EXPECT_EQ(0, m_xml.SelectNodes("DeviceConfig", list));
    EXPECT_FALSE(m_xml.GetRootElement());
    EXPECT_FALSE(m_xml.Save(m_folder.File("nothing.xml")));

    const DomElementPtr none;
    EXPECT_STREQ("", CXmlDocument::GetNodeName(none));
    EXPECT_STREQ("", CXmlDocument::GetNodeText(none));
    EXPECT_FALSE(CXmlDocument::GetAttribute(none, "name"));
    EXPECT_STREQ("", CXmlDocument::GetAttributeValue(DomAttributePtr()));
    EXPECT_FALSE(CXmlDocument::GetChildByName(none, "a"));
    EXPECT_FALSE(CXmlDocument::GetParentNode(none));
    EXPECT_FALSE(CXmlDocument::AddChildElement(none, "a", "\r\n"));
    EXPECT_FALSE(CXmlDocument::SetAttribute(none, "a", "b"));
    list.Add(none);
    EXPECT_EQ(0, CXmlDocument::GetChildNodes(none, list));
    EXPECT_EQ(0, list.GetSize());
    EXPECT_FALSE(CXmlDocument::SetNodeText(none, "x"));
    CXmlDocument::SetAttributeValue(DomAttributePtr(), "x");
}

TEST_F(XmlDocument, OnlyElementsBecomeElementHandles)
{
    ASSERT_TRUE(m_xml.LoadXml(L"<r>lead<a/><!--c--><b>x</b></r>"));
    const DomElementPtr root = m_xml.GetRootElement();

    CXmlElementList list;
    list.Add(root); // appended to, not emptied
    ASSERT_EQ(3, CXmlDocument::GetChildNodes(root, list));
    EXPECT_STREQ("a", CXmlDocument::GetNodeName(list[1]));
    EXPECT_STREQ("b", CXmlDocument::GetNodeName(list[2]));

    EXPECT_FALSE(CXmlDocument::GetParentNode(root)); // its parent is the document
    EXPECT_STREQ("r", CXmlDocument::GetNodeName(CXmlDocument::GetParentNode(list[1])));
    EXPECT_STREQ("leadx", CXmlDocument::GetNodeText(root));

    DomTextPtr text;
    DomDocumentPtr owner;
    ASSERT_TRUE(SUCCEEDED(root->get_ownerDocument(owner.Receive())));
    ASSERT_TRUE(SUCCEEDED(owner->createTextNode(ComBstr(L"tail").Get(), text.Receive())));
    EXPECT_FALSE(CXmlDocument::AppendChild(root, text)); // appended, but no element
    EXPECT_FALSE(CXmlDocument::AppendChild(root, owner)); // a failing call
    EXPECT_STREQ("leadxtail", CXmlDocument::GetNodeText(root));
    const DomElementPtr c = CXmlDocument::AppendChild(list[1], DomNodePtr(list[2]));
    EXPECT_STREQ("b", CXmlDocument::GetNodeName(c));
    EXPECT_STREQ("a", CXmlDocument::GetNodeName(CXmlDocument::GetParentNode(c)));
}

// The white space between elements is dropped on loading unless the wrapper is asked to keep it.
TEST_F(XmlDocument, WhiteSpaceBetweenElementsIsKeptOnlyWhenAsked)
{
    LoadConfiguration();
    EXPECT_EQ(std::string::npos, std::string(CXmlDocument::GetNodeText(m_xml.GetRootElement())).find('\n'));
    m_xml.SetPreserveWhiteSpace(true);
    ASSERT_TRUE(m_xml.Load(m_path));
    EXPECT_STREQ("\n  \n    \n    text\n    \n    \n  \n", CXmlDocument::GetNodeText(m_xml.GetRootElement()));
}

TEST_F(XmlDocument, ChildByNameIsCaseSensitive)
{
    ASSERT_TRUE(m_xml.LoadXml(L"<r>t<Resource n=\"1\"/><Resource n=\"2\"/></r>"));
    const DomElementPtr root = m_xml.GetRootElement();
    EXPECT_FALSE(CXmlDocument::GetChildByName(root, "resource"));
    const DomElementPtr found = CXmlDocument::GetChildByName(root, "Resource");
    EXPECT_STREQ("1", CXmlDocument::GetAttributeValue(CXmlDocument::GetAttribute(found, "n")));
}

TEST_F(XmlDocument, BuildsElementsTextAndAttributes)
{
    ASSERT_TRUE(m_xml.CreateRootElement("Members", ""));
    const DomElementPtr root = m_xml.GetRootElement();
    const DomElementPtr first = CXmlDocument::AddChildElement(root, "Member", "\r\n");
    const DomElementPtr second = CXmlDocument::AddChildElement(root, "Member", "\r\n");
    ASSERT_TRUE(first);
    ASSERT_TRUE(second);
    long children = 0;
    ASSERT_TRUE(SUCCEEDED(ChildNodes(root)->get_length(&children)));
    EXPECT_EQ(4, children);
    CXmlElementList elements;
    EXPECT_EQ(2, CXmlDocument::GetChildNodes(root, elements));

    CXmlDocument::SetNodeText(first, "a");
    CXmlDocument::SetNodeText(first, "b");
    EXPECT_STREQ("ab", CXmlDocument::GetNodeText(first));

    const DomAttributePtr name = CXmlDocument::SetAttribute(first, "Name", "one");
    EXPECT_STREQ("one", CXmlDocument::GetAttributeValue(name));
    CXmlDocument::SetAttribute(first, "Name", "two"); // replaces
    EXPECT_STREQ("two", CXmlDocument::GetAttributeValue(CXmlDocument::GetAttribute(first, "Name")));
    CXmlDocument::SetAttributeValue(CXmlDocument::GetAttribute(first, "Name"), "three & <four>");
    EXPECT_STREQ("three & <four>", CXmlDocument::GetAttributeValue(CXmlDocument::GetAttribute(first, "Name")));
    EXPECT_FALSE(CXmlDocument::GetAttribute(first, "name"));
    EXPECT_EQ(1, NodeListLength(SelectNodes(first, "@Name")));

    // The text survives a save and a load.
    const CString path = m_folder.File("members.xml");
    ASSERT_TRUE(m_xml.Save(path));
    CXmlDocument loaded;
    ASSERT_TRUE(loaded.Load(path));
    CXmlElementList members;
    ASSERT_EQ(2, loaded.SelectNodes("Members/Member", members));
    EXPECT_STREQ("three & <four>", CXmlDocument::GetAttributeValue(CXmlDocument::GetAttribute(members[0], "Name")));
    EXPECT_STREQ("ab", CXmlDocument::GetNodeText(members[0]));
}

TEST_F(XmlDocument, CDataSectionIsAppendedToItsParent)
{
    ASSERT_TRUE(m_xml.CreateRootElement("Routine", ""));
    const DomElementPtr root = m_xml.GetRootElement();
    EXPECT_TRUE(CXmlDocument::SetNodeText(root, "T:"));
    EXPECT_TRUE(m_xml.CreateCDataSection("a < b && c > 0", root));
    EXPECT_STREQ("T:a < b && c > 0", CXmlDocument::GetNodeText(root));
    EXPECT_NE(std::string::npos, SavedText().find("<![CDATA[a < b && c > 0]]></Routine>"));

    CXmlDocument empty;
    EXPECT_FALSE(empty.CreateCDataSection("x", root)); // no document: nothing appended
    EXPECT_STREQ("T:a < b && c > 0", CXmlDocument::GetNodeText(root));
}

TEST_F(XmlDocument, ImportNodeCopiesIntoANewDocument)
{
    CXmlDocument source;
    ASSERT_TRUE(source.LoadXml(L"<Config><Item id=\"7\"><Sub/></Item></Config>"));
    CXmlElementList items;
    ASSERT_EQ(1, source.SelectNodes("Config/Item", items));

    ASSERT_TRUE(m_xml.ImportNode(items[0]));
    const DomElementPtr root = m_xml.GetRootElement();
    EXPECT_STREQ("Item", CXmlDocument::GetNodeName(root));
    EXPECT_STREQ("7", CXmlDocument::GetAttributeValue(CXmlDocument::GetAttribute(root, "id")));
    EXPECT_TRUE(CXmlDocument::GetChildByName(root, "Sub"));
    EXPECT_NE(std::string::npos, SavedText().find("standalone=\"yes\"?>"));
    ASSERT_EQ(1, source.SelectNodes("Config/Item/Sub", items)); // the source keeps its node

    EXPECT_FALSE(m_xml.ImportNode(DomNodePtr()));
    EXPECT_TRUE(m_xml.IsEmpty());
}

TEST_F(XmlDocument, SaveUsesTheFileNameAndAFailedSaveKeepsTheDocument)
{
    ASSERT_TRUE(m_xml.New());
    EXPECT_FALSE(m_xml.Save("")); // no path, no file name
    EXPECT_FALSE(m_xml.IsEmpty());

    LoadConfiguration();
    CXmlElementList resources;
    ASSERT_EQ(1, m_xml.SelectNodes("DeviceConfig/Resources", resources));
    CXmlDocument::AddChildElement(resources[0], "Resource", "");
    ASSERT_TRUE(m_xml.Save(""));
    EXPECT_STREQ(m_path, m_xml.GetFileName());

    EXPECT_FALSE(m_xml.Save(m_folder.File("no-such-folder\\x.xml")));
    ASSERT_FALSE(m_xml.IsEmpty());
    ASSERT_TRUE(m_xml.Save(m_folder.File("retry.xml")));
    EXPECT_STREQ(m_path, m_xml.GetFileName());

    CXmlDocument reread;
    ASSERT_TRUE(reread.Load(m_path));
    EXPECT_EQ(4, reread.SelectNodes("DeviceConfig/Resources/Resource", resources));
}

TEST_F(XmlDocument, AttachHoldsOnlyDocuments)
{
    ASSERT_TRUE(m_xml.LoadXml(L"<a/>"));
    const DomElementPtr root = m_xml.GetRootElement();
    DomDocumentPtr owner;
    ASSERT_TRUE(SUCCEEDED(root->get_ownerDocument(owner.Receive())));

    CXmlDocument attached(owner.Get());
    EXPECT_STREQ("a", CXmlDocument::GetNodeName(attached.GetRootElement()));
    attached.Attach(root.Get()); // an element is no document
    EXPECT_TRUE(attached.IsEmpty());
}

} // namespace
