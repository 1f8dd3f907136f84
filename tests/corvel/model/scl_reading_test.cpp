#include "corvel/model/scl_reading.h"

#include "support/com_apartment.h"

#include <gtest/gtest.h>

namespace {

TEST(SclReading, CtlModelFromText)
{
    const struct {
        const char* text;
        int code;
    } cases[] = {
        {"sbo-with-enhanced-security", 4}, {"SBO-with-enhanced-security", 1}, {"3", 3},
        {"xyz", 1},  {"status-only", 0}, {"0", 0}, {"direct-with-enhanced-security", 3}, {"", 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.code, CtlModelFromText(c.text)) << c.text;
}

TEST(SclReading, FcCode)
{
    const struct {
        const char* fc;
        int code;
    } cases[] = {{"ST", 5}, {"MX", 6}, {"CO", 7}, {"BR", 15}, {"RP", 16}, {"XX", 22}, {"st", 0}, {"XY", 0}, {"", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(c.code, FcCode(c.fc)) << c.fc;
}

TEST(SclReading, ReadDecimalAsAtoi)
{
    const struct {
        const char* text;
        int value;
    } cases[] = {{"5000ms", 5000}, {"  -3x", -3}, {"+12", 12}, {"ms", 0}, {"", 0}, {"99999999999", 2147483647}};
    for (const auto& c : cases)
        EXPECT_EQ(c.value, ReadDecimal(c.text)) << c.text;
}

class SclReadingDom : public ComApartmentTest {
protected:
    DomNodePtr Parse(LPCSTR text)
    {
        DomDocumentPtr document = CreateDomDocument();
        VARIANT_BOOL loaded = VARIANT_FALSE;
        ThrowIfFailed(document->loadXML(ComBstr(CString(text)).Get(), &loaded), "loadXML");
        EXPECT_EQ(VARIANT_TRUE, loaded);
        DomElementPtr root;
        ThrowIfFailed(document->get_documentElement(root.Receive()), "documentElement");
        return DomNodePtr(root);
    }
};

TEST_F(SclReadingDom, AttributesWithDefaultsAndRequiredOnes)
{
    const DomNodePtr element = Parse("<DA name=\"stVal\" fc=\"\"/>");
    const CSclAttributes attributes(element);
    EXPECT_STREQ("stVal", attributes.Required("name"));
    EXPECT_STREQ("", attributes.Get("fc", "x"));
    EXPECT_STREQ("0", attributes.Get("count", "0"));
    EXPECT_STREQ("dflt", GetAttributeText(element, "type", "dflt"));
    EXPECT_TRUE(attributes.Has("fc"));
    try {
        attributes.Required("bType");
        ADD_FAILURE();
    } catch (const ComError& error) {
        EXPECT_EQ(E_POINTER, error.Error());
        EXPECT_STREQ("Cannot load the SCL file: the element <DA name=\"stVal\"> has no \"bType\" attribute.",
                     SclLoadErrorText(error));
    }
}

TEST_F(SclReadingDom, ChildElementsSkipCommentsAndText)
{
    const DomNodePtr element = Parse("<LN0><!-- c --><DOI name=\"a\"/>text<DOI name=\"b\"/><Private/></LN0>");
    CChildElements children(element);
    EXPECT_STREQ("DOI", NodeName(children.Next()));
    EXPECT_STREQ("b", AttributeText(children.Next(), "name"));
    EXPECT_STREQ("Private", NodeName(children.Next()));
    EXPECT_FALSE(children.Next());
    EXPECT_STREQ("a", AttributeText(FindChildElement(element, "DOI"), "name"));
    EXPECT_FALSE(FindChildElement(element, "DataSet"));
    try {
        RequiredChildElement(element, "DataSet");
        ADD_FAILURE();
    } catch (const ComError& error) {
        EXPECT_STREQ("Cannot load the SCL file: the element <LN0> has no <DataSet> element.", error.Text());
    }
}

} // namespace
