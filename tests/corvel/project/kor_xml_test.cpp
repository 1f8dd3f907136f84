#include "corvel/project/kor_xml.h"

#include "corvel/model/xml_document.h"
#include "support/com_apartment.h"
#include "support/message_box_recorder.h"
#include "support/noted_messages.h"
#include "support/paths.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Korvane::Exceptions::CKorXmlException;
using Korvane::Formats::AskFileNameFunction;
using Korvane::Formats::CKorXml;

const char kBom[] = "\xEF\xBB\xBF";

// Answers the writer's question for another file from a script (an empty text
// after the last answer) and records the names it was asked with.
class ScriptedAsk {
public:
    explicit ScriptedAsk(std::vector<CString> answers = {}) : m_answers(std::move(answers)) {}
    AskFileNameFunction Function()
    {
        return [this](const CString& proposed) {
            asked.push_back(proposed);
            return m_next < m_answers.size() ? m_answers[m_next++] : CString();
        };
    }
    std::vector<CString> asked;

private:
    std::vector<CString> m_answers;
    size_t m_next = 0;
};

class KorXml : public ComApartmentTest {
protected:
    // Writes a file through a fresh writer and returns its bytes.
    std::string WriteFile(const std::function<void(CKorXml&)>& write)
    {
        const CString path = m_folder.File("out.xml");
        {
            CKorXml xml;
            EXPECT_TRUE(xml.Open(path, false));
            write(xml);
        }
        return ReadBinaryFile(path);
    }
    // The file's text after the declaration line, without surrounding white space.
    static std::string Body(const std::string& file)
    {
        const size_t end = file.find("?>");
        if (end == std::string::npos)
            return file;
        std::string body = file.substr(end + 2);
        const size_t first = body.find_first_not_of(" \r\n\t");
        const size_t last = body.find_last_not_of(" \r\n\t");
        return first == std::string::npos ? std::string() : body.substr(first, last - first + 1);
    }

    // The writer notes its failures and opens no box.
    void TearDown() override { EXPECT_EQ(0u, m_boxes.Count()); }

    TempFolder m_folder;
    MessageBoxRecorder m_boxes;
};

TEST_F(KorXml, FileIsUtf8WithBomAndADeclarationWithoutStandalone)
{
    const std::string file = WriteFile([](CKorXml& xml) { xml.WriteTextElement("Project", "x"); });
    ASSERT_EQ(0u, file.find(kBom));
    const std::string declaration = file.substr(3, file.find("?>") + 2 - 3);
    CString lower(declaration.c_str());
    lower.MakeLower();
    EXPECT_STREQ("<?xml version=\"1.0\" encoding=\"utf-8\"?>", lower);
    EXPECT_EQ("<Project>x</Project>", Body(file));
    EXPECT_EQ(0u, m_boxes.Count());
}

TEST_F(KorXml, ElementOperationsWriteTheirTags)
{
    struct Case {
        const char* name;
        std::function<void(CKorXml&)> write;
        const char* expected;
    };
    const Case cases[] = {
        {"short end tag on an empty element", [](CKorXml& x) { x.WriteStartTag("a"); x.WriteShortEndTag(); }, "<a />"},
        {"full end tag on an empty element", [](CKorXml& x) { x.WriteStartTag("a"); x.WriteEndTag(); }, "<a></a>"},
        {"short end tag after content",
         [](CKorXml& x) { x.WriteStartTag("a"); x.WriteText("t"); x.WriteShortEndTag(); }, "<a>t</a>"},
        {"value element escapes", [](CKorXml& x) { x.WriteValueElement("v", "x<y&z"); },
         "<v value=\"x&lt;y&amp;z\"></v>"},
        {"text element escapes", [](CKorXml& x) { x.WriteTextElement("t", "x<y&z"); }, "<t>x&lt;y&amp;z</t>"},
        {"text escapes", [](CKorXml& x) { x.WriteStartTag("t"); x.WriteText("a<b&c"); x.WriteEndTag(); },
         "<t>a&lt;b&amp;c</t>"},
        {"attribute element", [](CKorXml& x) { x.WriteAttributeElement("e", "k", "v\"q"); },
         "<e k=\"v&quot;q\"></e>"},
        {"start element with attribute",
         [](CKorXml& x) { x.WriteStartElementWithAttribute("s", "k", "v"); x.WriteEndTag(); }, "<s k=\"v\"></s>"},
        {"multi element in list order",
         [](CKorXml& x) { x.WriteMultiElement({"File", "Type", "icd", "Name", "C:\\p\\a.icd", "XXX"}); },
         "<File Type=\"icd\" Name=\"C:\\p\\a.icd\"></File>"},
        {"multi short end with only the name", [](CKorXml& x) { x.WriteMultiShortEndElement({"n", "XXX"}); },
         "<n />"},
        {"multi no end: XXX as a value is a value",
         [](CKorXml& x) { x.WriteMultiNoEndElement({"n", "a", "XXX", "XXX"}); x.WriteEndTag(); },
         "<n a=\"XXX\"></n>"},
        {"multi no end: the list may end without XXX",
         [](CKorXml& x) { x.WriteMultiNoEndElement({"n", "a", "1", "dangling"}); x.WriteEndTag(); },
         "<n a=\"1\"></n>"},
        {"multi start: XXX as a value ends the list",
         [](CKorXml& x) { x.WriteMultiStartElement({"n", "a", "1", "b", "XXX", "c", "2"}); x.WriteEndTag(); },
         "<n a=\"1\"></n>"},
        {"multi start: XXX as a name ends the list",
         [](CKorXml& x) { x.WriteMultiStartElement({"n", "XXX", "c", "2"}); x.WriteEndTag(); }, "<n></n>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, Body(WriteFile(c.write)));
    }
    EXPECT_EQ(0u, m_boxes.Count());
}

TEST_F(KorXml, DestroyingTheWriterClosesOpenElementsAndIndents)
{
    const std::string file = WriteFile([](CKorXml& xml) {
        xml.WriteStartTag("Project");
        xml.WriteStartTag("Detail");
        xml.WriteValueElement("prjName", "plant");
        xml.WriteStartTag("Open");
    });
    EXPECT_EQ(0u, m_boxes.Count());
    // One element a line, each indented deeper than its parent.
    const std::string body = Body(file);
    const size_t detail = body.find("\n", body.find("<Project>"));
    const size_t value = body.find("\n", body.find("<Detail>"));
    ASSERT_NE(std::string::npos, detail);
    ASSERT_NE(std::string::npos, value);
    EXPECT_LT(body.find_first_not_of(" \t", detail + 1) - detail, body.find_first_not_of(" \t", value + 1) - value);

    CXmlDocument document;
    ASSERT_TRUE(document.Load(m_folder.File("out.xml")));
    CXmlElementList list;
    EXPECT_EQ(1, document.SelectNodes("Project/Detail/prjName[@value=\"plant\"]", list));
    EXPECT_EQ(1, document.SelectNodes("Project/Detail/Open", list));
}

TEST_F(KorXml, AnsiTextIsWrittenAsUtf8)
{
    if (::GetACP() != 1252)
        GTEST_SKIP() << "needs the Western European code page";
    EXPECT_EQ("<t a=\"Z\xC3\xBCrich\">\xC2\xB0</t>",
              Body(WriteFile([](CKorXml& x) {
                  x.WriteStartElementWithAttribute("t", "a", "Z\xFCrich");
                  x.WriteText("\xB0");
                  x.WriteEndTag();
              })));
}

TEST_F(KorXml, EmptyFileNameGoesStraightToTheQuestionForAnotherFile)
{
    ScriptedAsk ask;
    CKorXml xml;
    xml.SetAskFileName(ask.Function());
    NotedMessages<CKorXml> noted(xml);
    EXPECT_FALSE(xml.Open("", false));
    ASSERT_EQ(1u, ask.asked.size());
    EXPECT_STREQ("", ask.asked[0]);
    ASSERT_EQ(1u, noted.Count());
    EXPECT_STREQ("Error: Opening XML File\n", noted.Last().Text());

    // Without a writer the element operations do nothing and report nothing.
    xml.WriteStartTag("Project");
    xml.WriteMultiElement({"a", "b", "c", "XXX"});
    xml.WriteEndTag();
    EXPECT_EQ(1u, noted.Count());
}

TEST_F(KorXml, UnopenableFileAsksUntilAChosenFileOpens)
{
    const CString unopenable = m_folder.File("missing-folder\\plant.prx");
    const CString chosen = m_folder.File("chosen.prx");
    ScriptedAsk ask({unopenable, chosen});
    {
        CKorXml xml;
        xml.SetAskFileName(ask.Function());
        ASSERT_TRUE(xml.Open(unopenable, false));
        EXPECT_STREQ(chosen, xml.GetFileName());
        xml.WriteStartTag("Project");
    }
    ASSERT_EQ(2u, ask.asked.size());
    EXPECT_STREQ(unopenable, ask.asked[0]);
    EXPECT_STREQ(unopenable, ask.asked[1]);
    EXPECT_EQ(0u, m_boxes.Count());
    EXPECT_EQ("<Project />", Body(ReadBinaryFile(chosen)));

    ScriptedAsk cancel;
    CKorXml xml;
    xml.SetAskFileName(cancel.Function());
    EXPECT_FALSE(xml.Open(unopenable, false));
    const std::vector<CErrorReport> noted = xml.TakeMessages();
    ASSERT_EQ(1u, noted.size());
    EXPECT_STREQ("Error: Opening XML File\n" + unopenable, noted.back().Text());
}

TEST_F(KorXml, ReaderOpensAnExistingFile)
{
    const CString path = m_folder.File("in.xml");
    WriteTextFile(path, "<?xml version=\"1.0\"?><Project/>");
    ScriptedAsk ask;
    {
        CKorXml xml;
        xml.SetAskFileName(ask.Function());
        EXPECT_TRUE(xml.Open(path, true));
    }
    EXPECT_EQ(0u, ask.asked.size());
    EXPECT_EQ("<?xml version=\"1.0\"?><Project/>", ReadBinaryFile(path)); // a reader leaves the file alone

    CKorXml missing;
    missing.SetAskFileName(ask.Function());
    EXPECT_FALSE(missing.Open(m_folder.File("missing.xml"), true));
    EXPECT_EQ(1u, ask.asked.size());
    const std::vector<CErrorReport> noted = missing.TakeMessages();
    ASSERT_EQ(1u, noted.size());
    EXPECT_STREQ("Error: Opening XML File\n" + m_folder.File("missing.xml"), noted.back().Text());
}

// New objects ask the default question; without one an unopenable file is given up at once.
TEST_F(KorXml, NewObjectsAskTheDefaultQuestion)
{
    const CString chosen = m_folder.File("default.prx");
    ScriptedAsk ask({chosen});
    const AskFileNameFunction previous = CKorXml::SetDefaultAskFileName(ask.Function());
    {
        CKorXml xml;
        EXPECT_TRUE(xml.Open("", false));
        EXPECT_STREQ(chosen, xml.GetFileName());
    }
    EXPECT_EQ(1u, ask.asked.size());
    CKorXml::SetDefaultAskFileName(AskFileNameFunction());
    CKorXml unasked;
    EXPECT_FALSE(unasked.Open("", false));
    EXPECT_EQ(1u, ask.asked.size());
    const std::vector<CErrorReport> noted = unasked.TakeMessages();
    ASSERT_EQ(1u, noted.size());
    EXPECT_STREQ("Error: Opening XML File\n", noted.back().Text());
    CKorXml::SetDefaultAskFileName(previous);
}

TEST_F(KorXml, WriteFailuresAreNotedAndWritingGoesOn)
{
    const CString path = m_folder.File("out.xml");
    {
        CKorXml xml;
        NotedMessages<CKorXml> noted(xml);
        ASSERT_TRUE(xml.Open(path, false));
        xml.WriteStartTag("Project");
        xml.WriteMultiNoEndElement({}); // no element name
        ASSERT_EQ(1u, noted.Count());
        EXPECT_STREQ("Error writing multi-no-end-element tag.", noted.Last().Text());
        xml.WriteEndTag();
        xml.WriteEndTag(); // nothing left open
        ASSERT_EQ(2u, noted.Count());
        EXPECT_TRUE(noted.Last().Text().Find("Error: XML WriteFullEndElement failed (0x") == 0)
            << (LPCSTR)noted.Last().Text();
        EXPECT_TRUE(FAILED(xml.GetLastResult()));
        // Closing tells the file was not written whole, and notes nothing more.
        EXPECT_FALSE(xml.Close());
        EXPECT_EQ(2u, noted.Count());
    }
    CXmlDocument document;
    EXPECT_TRUE(document.Load(path));
}

// A text holding a control character that XML cannot carry is refused by every operation that writes a
// value or a text; tab and line ends are written.
TEST_F(KorXml, TextsXmlCannotCarryAreRefused)
{
    const CString path = m_folder.File("out.xml");
    {
        CKorXml xml;
        xml.SetThrowFailures(true);
        ASSERT_TRUE(xml.Open(path, false));
        xml.WriteStartTag("Project");
        const CString bad = "Pl\x01nt";
        const std::function<void()> writes[] = {
            [&] { xml.WriteMultiShortEndElement({"A", "name", bad, "XXX"}); },
            [&] { xml.WriteValueElement("B", bad); },
            [&] { xml.WriteTextElement("C", "x\x1by"); },
            [&] { xml.WriteStartElementWithAttribute("D", "name", bad); },
            [&] { xml.WriteText(bad); },
        };
        for (const auto& write : writes) {
            try {
                write();
                ADD_FAILURE() << "written";
            } catch (CKorXmlException& e) {
                EXPECT_NE(nullptr, strstr(e.Message(), "which XML cannot carry")) << e.Message();
            }
        }
        xml.SetThrowFailures(false);
        xml.WriteMultiShortEndElement({"E", "name", "tab\there\r\nline", "XXX"});
        EXPECT_EQ(0u, m_boxes.Count());
    }
    EXPECT_EQ(std::string::npos, ReadBinaryFile(path).find('\x01'));
    EXPECT_EQ(std::string::npos, ReadBinaryFile(path).find('\x1b'));
}

TEST_F(KorXml, CloseEndsTheDocumentAndTellsItWasWrittenWhole)
{
    const CString path = m_folder.File("out.xml");
    CKorXml xml;
    ASSERT_TRUE(xml.Open(path, false));
    xml.WriteStartTag("Project");
    xml.WriteStartTag("Detail");
    EXPECT_TRUE(xml.Close());
    EXPECT_EQ("<Project>\r\n  <Detail />\r\n</Project>", Body(ReadBinaryFile(path)));
    // Nothing is left to close or to write.
    EXPECT_FALSE(xml.Close());
    xml.WriteStartTag("After");
    EXPECT_EQ(0u, m_boxes.Count());
}

TEST_F(KorXml, ThrownFailuresReachTheCallerWithoutBoxesOrQuestions)
{
    ScriptedAsk ask;
    {
        CKorXml xml;
        xml.SetAskFileName(ask.Function());
        xml.SetThrowFailures(true);
        EXPECT_THROW(xml.Open(m_folder.File("missing-folder\\out.xml"), false), CKorXmlException);
        // Without a writer an element operation is a failure too.
        EXPECT_THROW(xml.WriteStartTag("Project"), CKorXmlException);
    }
    const CString path = m_folder.File("out.xml");
    {
        CKorXml xml;
        xml.SetThrowFailures(true);
        ASSERT_TRUE(xml.Open(path, false));
        xml.WriteStartTag("Project");
        EXPECT_THROW(xml.WriteMultiNoEndElement({}), CKorXmlException);
        // A file that cannot be read is left out, and the caller is told.
        EXPECT_FALSE(xml.WriteEmbeddedFile(m_folder.File("missing.icd")));
        xml.WriteTextElement("Name", "x");
        xml.Close();
        xml.Close();
    }
    EXPECT_TRUE(ask.asked.empty());
    EXPECT_EQ(0u, m_boxes.Count());
    const std::string body = Body(ReadBinaryFile(path));
    EXPECT_EQ(0u, body.find("<Project>")) << body;
    EXPECT_NE(std::string::npos, body.find("<Name>x</Name>")) << body;
    EXPECT_EQ(body.size() - 10, body.rfind("</Project>")) << body;

    // Noted, under the product's title, when failures are not thrown.
    CKorXml shown;
    ASSERT_TRUE(shown.Open(m_folder.File("shown.xml"), false));
    EXPECT_FALSE(shown.WriteEmbeddedFile(m_folder.File("missing.icd")));
    const std::vector<CErrorReport> noted = shown.TakeMessages();
    ASSERT_EQ(1u, noted.size());
    EXPECT_EQ(0, noted.back().Text().Find("Error: File '"));
    EXPECT_STREQ("Korvane EIP-Tarnwell", noted.back().caption);
    EXPECT_EQ(0u, m_boxes.Count());
}

TEST(KorXmlException, MessageNamesTheCallAndResultAndSurvivesCopies)
{
    auto original = std::make_unique<CKorXmlException>(static_cast<HRESULT>(0xC00CEF03), "WriteEndElement");
    EXPECT_STREQ("Error: XML WriteEndElement failed (0xC00CEF03).", original->Message());
    EXPECT_STREQ("Error: XML WriteEndElement failed (0xC00CEF03).", original->Message()); // formatted once
    CKorXmlException copy(*original);
    CKorXmlException assigned(S_OK, "other");
    assigned = *original;
    original.reset();
    EXPECT_STREQ("Error: XML WriteEndElement failed (0xC00CEF03).", copy.Message());
    EXPECT_STREQ("Error: XML WriteEndElement failed (0xC00CEF03).", assigned.Message());
    EXPECT_EQ(static_cast<HRESULT>(0xC00CEF03), copy.Result());

    const std::string longCall(400, 'c');
    CKorXmlException bounded(E_FAIL, longCall.c_str());
    EXPECT_EQ(CKorXmlException::kBufferSize - 1, static_cast<int>(strlen(bounded.Message())));

    CKorXmlException noName(E_INVALIDARG, "open", Korvane::Exceptions::kKindNoFileName);
    EXPECT_EQ(2, noName.Kind());
    EXPECT_STREQ("Error: no XML file name given.", noName.Message());
}

} // namespace
