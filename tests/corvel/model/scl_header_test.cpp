// The quick scan of SCL files and the IED header reader of the document.
#include "corvel/model/scl_header.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "support/com_apartment.h"
#include "support/paths.h"

namespace {

const char kSclOpen[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                        "<SCL xmlns=\"http://www.iec.ch/61850/2003/SCL\">\n";

class SclScan : public ComApartmentTest {
protected:
    CString Scan(const std::string& text, CString* error = nullptr)
    {
        const CString path = folder.File("scan.scd");
        WriteBinaryFile(path, text);
        CString info = "left over";
        const CString result = ScanSclFile(info, path);
        if (error != nullptr)
            *error = result;
        else
            EXPECT_STREQ("", result);
        return info;
    }

    TempFolder folder;
};

TEST_F(SclScan, CollectsTheIdentityOfEachIedElement)
{
    const struct {
        const char* name;
        std::string body;
        const char* info;
    } cases[] = {
        {"one IED", "<IED type=\"T\" name=\"N\" desc=\"D\" manufacturer=\"M\"/>", "T,N,D,M,ipaddress,"},
        {"attribute order does not matter",
         "<IED manufacturer=\"M\" desc=\"D\" name=\"N\" type=\"T\"><AccessPoint name=\"AP\"/></IED>",
         "T,N,D,M,ipaddress,"},
        {"two IEDs in document order",
         "<IED type=\"T1\" name=\"N1\" desc=\"D1\" manufacturer=\"M1\"/>"
         "<Communication/><IED type=\"T2\" name=\"N2\" desc=\"D2\" manufacturer=\"M2\"/>",
         "T1,N1,D1,M1,ipaddress,T2,N2,D2,M2,ipaddress,"},
        {"missing attributes read as empty", "<IED name=\"N\" manufacturer=\"M\"/><IED/>",
         ",N,,M,ipaddress,,,,,ipaddress,"},
        {"prefixed IED is not matched",
         "<scl:IED xmlns:scl=\"http://www.iec.ch/61850/2003/SCL\" type=\"T\" name=\"N\" desc=\"D\" "
         "manufacturer=\"M\"/>",
         ""},
        {"other case is not matched", "<ied type=\"T\" name=\"N\"/><IEDs name=\"X\"/>", ""},
        {"no IED", "<Header id=\"h\"/>", ""},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.info, Scan(kSclOpen + c.body + "</SCL>\n")) << c.name;
}

TEST_F(SclScan, ParseErrorsEndTheScanWithoutAnError)
{
    const struct {
        const char* name;
        std::string text;
        const char* info;
    } cases[] = {
        {"broken after the first IED",
         std::string(kSclOpen) + "<IED type=\"T\" name=\"N\" desc=\"D\" manufacturer=\"M\"/><IED name=\"X\"<</SCL>",
         "T,N,D,M,ipaddress,"},
        {"document type definition",
         "<?xml version=\"1.0\"?><!DOCTYPE SCL [<!ENTITY e \"x\">]><SCL><IED name=\"&e;\"/></SCL>", ""},
        {"not XML", "123456789", ""},
        {"empty file", "", ""},
    };
    for (const auto& c : cases) {
        CString error = "not set";
        EXPECT_STREQ(c.info, Scan(c.text, &error)) << c.name;
        EXPECT_STREQ("", error) << c.name;
    }
}

TEST_F(SclScan, UnreadableFileGivesTheReadersError)
{
    CString info = "left over";
    EXPECT_STREQ("Error creating file reader, error is 80070002",
                 ScanSclFile(info, folder.File("missing.icd")));
    EXPECT_STREQ("", info);
}

// Records of ReadIedHeader, freed with the test.
class SclHeader : public ComApartmentTest {
protected:
    void Read(const std::string& body)
    {
        const CString path = folder.File("header.scd");
        WriteBinaryFile(path, kSclOpen + body + "</SCL>\n");
        ReadPath(path);
    }
    void ReadPath(const CString& path)
    {
        CConnectedAPArray entries;
        ReadIedHeader(path, entries);
        for (INT_PTR i = 0; i < entries.GetSize(); ++i)
            records.emplace_back(entries[i]);
    }

    TempFolder folder;
    std::vector<std::unique_ptr<CConnectedAP>> records;
};

const char kServerIed[] = "<IED name=\"Bay1\" type=\"REL\" manufacturer=\"Acme\" desc=\"Feeder\">"
                          "<AccessPoint name=\"AP1\"><Server/></AccessPoint></IED>\n";

TEST_F(SclHeader, OneRecordPerConnectedApWithItsAddresses)
{
    Read(std::string("<Communication>"
                     "<SubNetwork name=\"A\"><ConnectedAP iedName=\"Bay1\" apName=\"AP1\"><Address>"
                     "<P type=\"OSI-TSEL\">0001</P><P type=\"IP\">10.0.0.5</P><P type=\"IP-SUBNET\">255.0.0.0</P>"
                     "<P type=\"IP-GATEWAY\">10.0.0.1</P><P type=\"OSI-AP-Title\">1,3,9999,23</P>"
                     "<P type=\"OSI-AE-Qualifier\">23</P><P type=\"OSI-PSEL\">00000001</P>"
                     "<P type=\"OSI-SSEL\">0001</P><P type=\"IP\">10.9.9.9</P></Address></ConnectedAP></SubNetwork>"
                     "<SubNetwork name=\"B\"><ConnectedAP iedName=\"Bay1\" apName=\"AP1\"><Address>"
                     "<P type=\"IP\">172.16.0.5</P></Address></ConnectedAP></SubNetwork>"
                     "</Communication>") +
         kServerIed);
    ASSERT_EQ(2u, records.size());
    const CConnectedAP& first = *records[0];
    EXPECT_STREQ("10.0.0.5", first.IP);
    EXPECT_STREQ("255.0.0.0", first.IP_SUBNET);
    EXPECT_STREQ("10.0.0.1", first.IP_GATEWAY);
    EXPECT_STREQ("1,3,9999,23", first.OSI_AP_Title);
    EXPECT_STREQ("23", first.OSI_AE_Qualifier);
    EXPECT_STREQ("00000001", first.OSI_PSEL);
    EXPECT_STREQ("0001", first.OSI_SSEL);
    EXPECT_STREQ("0001", first.OSI_TSEL);
    const CConnectedAP& second = *records[1];
    EXPECT_STREQ("172.16.0.5", second.IP);
    for (const CString* field : {&second.IP_SUBNET, &second.IP_GATEWAY, &second.OSI_AP_Title,
                                 &second.OSI_AE_Qualifier, &second.OSI_PSEL, &second.OSI_SSEL, &second.OSI_TSEL})
        EXPECT_STREQ("", *field);
    // Both carry the same IED, each its own copy.
    for (const auto& record : records) {
        EXPECT_STREQ("Bay1", record->ied.name);
        EXPECT_STREQ("Acme", record->ied.manufacturer);
        EXPECT_STREQ("REL", record->ied.type);
        EXPECT_STREQ("Feeder", record->ied.desc);
    }
    EXPECT_NE(&records[0]->ied, &records[1]->ied);
}

TEST_F(SclHeader, AccessPointsWithoutAKnownServerIedGiveNoRecord)
{
    const struct {
        const char* name;
        std::string body;
        std::vector<const char*> ieds;
    } cases[] = {
        {"IED without a server access point",
         "<IED name=\"Bay1\"><AccessPoint name=\"AP1\"/></IED>"
         "<Communication><SubNetwork><ConnectedAP iedName=\"Bay1\"/></SubNetwork></Communication>",
         {}},
        {"ConnectedAP of an unknown IED",
         std::string(kServerIed) + "<Communication><SubNetwork><ConnectedAP iedName=\"Other\"/>"
                                   "<ConnectedAP iedName=\"Bay1\"/></SubNetwork></Communication>",
         {"Bay1"}},
        {"IED without a name",
         "<IED type=\"X\"><AccessPoint><Server/></AccessPoint></IED>"
         "<Communication><SubNetwork><ConnectedAP iedName=\"\"/></SubNetwork></Communication>",
         {}},
        {"ConnectedAP without iedName",
         std::string(kServerIed) +
             "<Communication><SubNetwork><ConnectedAP apName=\"AP1\"/><ConnectedAP iedName=\"Bay1\"/>"
             "</SubNetwork></Communication>",
         {"Bay1"}},
        {"records in ConnectedAP order",
         "<IED name=\"B\"><AccessPoint><Server/></AccessPoint></IED>"
         "<IED name=\"A\"><AccessPoint><Server/></AccessPoint></IED>"
         "<Communication><SubNetwork><ConnectedAP iedName=\"A\"/><ConnectedAP iedName=\"B\"/>"
         "<ConnectedAP iedName=\"A\"/></SubNetwork></Communication>",
         {"A", "B", "A"}},
    };
    for (const auto& c : cases) {
        records.clear();
        Read(c.body);
        ASSERT_EQ(c.ieds.size(), records.size()) << c.name;
        for (size_t i = 0; i < records.size(); ++i)
            EXPECT_STREQ(c.ieds[i], records[i]->ied.name) << c.name;
    }
}

TEST_F(SclHeader, MissingAttributesAreEmptyAndALaterIedOfTheSameNameWins)
{
    Read("<IED name=\"Bay1\" type=\"Old\"><AccessPoint><Server/></AccessPoint></IED>"
         "<IED name=\"Bay1\" manufacturer=\"New\"><AccessPoint><Server/></AccessPoint></IED>"
         "<Communication><SubNetwork><ConnectedAP iedName=\"Bay1\"/></SubNetwork></Communication>");
    ASSERT_EQ(1u, records.size());
    EXPECT_STREQ("New", records[0]->ied.manufacturer);
    EXPECT_STREQ("", records[0]->ied.type);
    EXPECT_STREQ("", records[0]->ied.desc);
}

TEST_F(SclHeader, FilesThatDoNotLoadGiveNoRecords)
{
    ReadPath(folder.File("missing.scd"));
    EXPECT_TRUE(records.empty());
    const CString broken = folder.File("broken.scd");
    WriteBinaryFile(broken, std::string(kSclOpen) + kServerIed +
                                "<Communication><SubNetwork><ConnectedAP iedName=\"Bay1\"/></SubNetwork>");
    ReadPath(broken);
    EXPECT_TRUE(records.empty());
}

TEST_F(SclHeader, SclInsideAnotherElementIsStillRead)
{
    const CString path = folder.File("wrapped.xml");
    WriteBinaryFile(path, std::string("<Wrapper>") + "<SCL>" + kServerIed +
                              "<Communication><SubNetwork><ConnectedAP iedName=\"Bay1\"><Address>"
                              "<P type=\"IP\">1.2.3.4</P></Address></ConnectedAP></SubNetwork></Communication>"
                              "</SCL></Wrapper>");
    ReadPath(path);
    ASSERT_EQ(1u, records.size());
    EXPECT_STREQ("1.2.3.4", records[0]->IP);
}

TEST(SclIedNameLine, FindIedNameInFileTakesTheValueOfTheAttribute)
{
    TempFolder folder;
    const struct {
        const char* text;
        const char* name;
    } cases[] = {
        {"<SCL>\n<ConnectedAP apName=\"P1\" iedName=\"IED7\" desc=\"x\"/>\n", "IED7"},
        {"<ClientLN apRef=\"S1\" iedName='IED9'/>\n<X iedName=\"later\"/>\n", "IED9"},
        {"<SCL>\n<IED name=\"NoRef\"/>\n", ""},
        {"<ConnectedAP iedName=\"unterminated/>\n", ""},
    };
    for (const auto& c : cases) {
        const CString path = folder.File("file.scd");
        WriteBinaryFile(path, c.text);
        EXPECT_STREQ(c.name, FindIedNameInFile(path)) << c.text;
    }
    // A line longer than the read buffer.
    std::string longLine = "<ConnectedAP desc=\"" + std::string(1000, 'x') + "\" iedName=\"FAR\"/>\n";
    WriteBinaryFile(folder.File("long.scd"), longLine);
    EXPECT_STREQ("FAR", FindIedNameInFile(folder.File("long.scd")));
    EXPECT_STREQ("", FindIedNameInFile(folder.File("none.scd")));
}

} // namespace
