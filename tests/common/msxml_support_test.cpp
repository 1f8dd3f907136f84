#include "common/msxml_support.h"

#include "support/com_apartment.h"
#include "support/paths.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class MsxmlSupport : public ComApartmentTest {};

// Loads path the way the DOM does it by itself: handed the path.
bool LoadByPath(const DomDocumentPtr& document, const CString& path)
{
    VARIANT_BOOL loaded = VARIANT_FALSE;
    ThrowIfFailed(document->load(ComVariant(path).Get(), &loaded), "load");
    return loaded == VARIANT_TRUE;
}

long CountSelected(const DomDocumentPtr& document, LPCSTR expression)
{
    return NodeListLength(SelectNodes(document, expression));
}

TEST_F(MsxmlSupport, SclFileFromBytesSelectsTheSameIedsAsByPath)
{
    SKIP_WITHOUT_SHARED_TESTDATA();
    const CString path = SharedTestData("scl/openscd_iedEditorWithIEDs.scd");
    const DomDocumentPtr fromBytes = CreateDomDocument();
    const DomDocumentPtr byPath = CreateDomDocument();
    ASSERT_TRUE(LoadDomDocumentFromFile(fromBytes, path));
    ASSERT_TRUE(LoadByPath(byPath, path));

    // Unprefixed paths match the elements of the SCL default namespace.
    EXPECT_EQ(5, CountSelected(fromBytes, "//SCL/IED"));
    EXPECT_EQ(5, CountSelected(byPath, "//SCL/IED"));

    std::vector<CString> names;
    const DomNodeListPtr ieds = SelectNodes(fromBytes, "//SCL/IED");
    for (DomNodePtr ied = NextNode(ieds); ied; ied = NextNode(ieds))
        names.push_back(AttributeText(ied, "name"));
    const DomNodeListPtr iedsByPath = SelectNodes(byPath, "//SCL/IED");
    for (const CString& name : names)
        EXPECT_STREQ(name, AttributeText(NextNode(iedsByPath), "name"));
    EXPECT_FALSE(NextNode(iedsByPath));
}

TEST_F(MsxmlSupport, EncodingIsDetectedFromTheBytes)
{
    struct Case {
        const char* name;
        std::string bytes;
    };
    const std::string utf8Text = "<r a=\"Z\xC3\xBCrich\"/>";
    const std::string latin1Text = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r a=\"Z\xFCrich\"/>";
    std::string utf16("\xFF\xFE", 2);
    for (wchar_t c : std::wstring(L"<r a=\"Z\u00FCrich\"/>")) {
        utf16.push_back(static_cast<char>(c & 0xFF));
        utf16.push_back(static_cast<char>(c >> 8));
    }
    const Case cases[] = {
        {"utf-8 without declaration", utf8Text},
        {"utf-8 with byte-order mark", "\xEF\xBB\xBF" + utf8Text},
        {"latin-1 declared", latin1Text},
        {"utf-16 with byte-order mark", utf16},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CString path = folder.File("encoded.xml");
        WriteBinaryFile(path, c.bytes);
        const DomDocumentPtr fromBytes = CreateDomDocument();
        const DomDocumentPtr byPath = CreateDomDocument();
        ASSERT_TRUE(LoadDomDocumentFromFile(fromBytes, path));
        ASSERT_TRUE(LoadByPath(byPath, path));
        const CString expected(L"Z\u00FCrich");
        EXPECT_STREQ(expected, AttributeText(SelectSingleNode(fromBytes, "r"), "a"));
        EXPECT_STREQ(expected, AttributeText(SelectSingleNode(byPath, "r"), "a"));
    }
}

TEST_F(MsxmlSupport, NotWellFormedFileGivesTheParseErrorOfALoadByPath)
{
    TempFolder folder;
    const CString path = folder.File("broken.scd");
    WriteTextFile(path, "<SCL>\n  <IED name=\"a\">\n</SCL>\n");

    const DomDocumentPtr fromBytes = CreateDomDocument();
    const DomDocumentPtr byPath = CreateDomDocument();
    EXPECT_FALSE(LoadDomDocumentFromFile(fromBytes, path));
    EXPECT_FALSE(LoadByPath(byPath, path));
    const DomParseError error = GetParseError(fromBytes);
    const DomParseError expected = GetParseError(byPath);
    EXPECT_LT(error.errorCode, 0); // a failure code
    EXPECT_FALSE(error.reason.IsEmpty());
    EXPECT_EQ(expected.errorCode, error.errorCode);
    EXPECT_STREQ(expected.reason, error.reason);
    EXPECT_EQ(expected.line, error.line);
}

TEST_F(MsxmlSupport, UnreadableFilesFailAsTheyDoByPath)
{
    TempFolder folder;
    const CString empty = folder.File("empty.xml");
    WriteBinaryFile(empty, "");
    for (const CString& path : {folder.File("missing.xml"), empty}) {
        SCOPED_TRACE((LPCSTR)path);
        const DomDocumentPtr fromBytes = CreateDomDocument();
        const DomDocumentPtr byPath = CreateDomDocument();
        EXPECT_FALSE(LoadDomDocumentFromFile(fromBytes, path));
        EXPECT_FALSE(LoadByPath(byPath, path));
        EXPECT_NE(0, GetParseError(fromBytes).errorCode);
        EXPECT_EQ(GetParseError(byPath).errorCode, GetParseError(fromBytes).errorCode);
    }
}

TEST_F(MsxmlSupport, AbsentNodesAndAttributesRaisePointerErrors)
{
    const DomDocumentPtr document = CreateDomDocument();
    VARIANT_BOOL loaded = VARIANT_FALSE;
    ASSERT_TRUE(SUCCEEDED(document->loadXML(ComBstr(L"<SCL><IED name=\"ied1\" type=\"\"/></SCL>").Get(), &loaded)));
    ASSERT_EQ(VARIANT_TRUE, loaded);
    const DomNodePtr ied = SelectSingleNode(document, "SCL/IED");
    ASSERT_TRUE(ied);

    EXPECT_STREQ("ied1", AttributeText(ied, "name"));
    EXPECT_STREQ("", AttributeText(ied, "type"));
    EXPECT_FALSE(GetNamedItem(NodeAttributes(ied), "desc"));

    const auto pointerError = [](auto&& read) {
        try {
            read();
        } catch (const ComError& e) {
            return e.Error();
        }
        return S_OK;
    };
    EXPECT_EQ(E_POINTER, pointerError([&] { AttributeText(ied, "desc"); }));
    const DomNodePtr missing = SelectSingleNode(document, "SCL/Communication");
    EXPECT_FALSE(missing);
    EXPECT_EQ(E_POINTER, pointerError([&] { NodeText(missing); }));
    EXPECT_EQ(E_POINTER, pointerError([&] { missing->get_nodeName(ComBstr().Receive()); }));
}

TEST(ComErrors, OnlyFailureCodesRaise)
{
    EXPECT_NO_THROW(ThrowIfFailed(S_OK, "call"));
    EXPECT_NO_THROW(ThrowIfFailed(S_FALSE, "call")); // "nothing found" is no failure
    try {
        ThrowIfFailed(E_ACCESSDENIED, "selectNodes");
        FAIL() << "no error raised";
    } catch (const ComError& e) {
        EXPECT_EQ(E_ACCESSDENIED, e.Error());
        EXPECT_STREQ("selectNodes", e.Text());
    }
}

TEST_F(MsxmlSupport, InterfacePointersConvertByQueryInterface)
{
    const DomDocumentPtr document = CreateDomDocument();
    VARIANT_BOOL loaded = VARIANT_FALSE;
    ASSERT_TRUE(SUCCEEDED(document->loadXML(ComBstr(L"<a>text<b/></a>").Get(), &loaded)));
    const DomNodeListPtr children = ChildNodes(SelectSingleNode(document, "a"));
    const DomNodePtr text = NextNode(children);
    const DomNodePtr b = NextNode(children);

    EXPECT_FALSE(DomElementPtr(text));
    EXPECT_TRUE(DomTextPtr(text));
    const DomElementPtr element = b;
    ASSERT_TRUE(element);
    EXPECT_STREQ("b", NodeName(element));
    const DomNodePtr back = element; // an interface the element derives from
    EXPECT_EQ(static_cast<IXMLDOMNode*>(element.Get()), back.Get());
}

TEST(ComText, WideAndSystemCodePageRoundTrip)
{
    const CString text(L"caf\u00E9 <&>");
    EXPECT_STREQ(text, ComBstr(text).ToString());
    EXPECT_STREQ(text, ComVariant(text).ToString());
    EXPECT_STREQ("42", ComVariant(42L).ToString());
    EXPECT_STREQ("", ComBstr().ToString());
    EXPECT_EQ(0, lstrcmpW(L"caf\u00E9 <&>", ComBstr(text).Get()));
}

} // namespace
