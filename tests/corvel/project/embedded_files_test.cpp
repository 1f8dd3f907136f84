#include "corvel/project/embedded_files.h"

#include "corvel/project/kor_xml.h"
#include "corvel/project/path_utils.h"
#include "corvel/project/zip_reader.h"
#include "support/com_apartment.h"
#include "support/embedded_test_support.h"
#include "support/message_box_recorder.h"
#include "support/paths.h"
#include "support/zip_test_support.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace {

using Korvane::Formats::CKorXml;
using Korvane::Formats::EmbeddedFileRecord;
using Korvane::Formats::FolderPartOfPath;
using Korvane::Formats::GetUploadFolder;
using Korvane::Formats::RestoreEmbeddedFile;
using Korvane::Formats::TrustedFolders;

const char kExtractError[] = "Error: Extracting file. Please try to upload again.";
const char kSclFile[] = "scl\\iec61850lib_dotnet_tests_test.icd";

struct FileElement {
    std::string startTag;
    std::string content; // up to the full end tag
};

// The File elements of a document as written, found in its raw text.
std::vector<FileElement> FileElements(const std::string& document)
{
    std::vector<FileElement> elements;
    size_t at = 0;
    while ((at = document.find("<File ", at)) != std::string::npos) {
        const size_t startEnd = document.find('>', at);
        const size_t end = document.find("</File>", startEnd);
        if (startEnd == std::string::npos || end == std::string::npos)
            break;
        elements.push_back({document.substr(at, startEnd + 1 - at), document.substr(startEnd + 1, end - startEnd - 1)});
        at = end;
    }
    return elements;
}

// The text of a File element's content with its line feeds taken out.
std::string Base64Of(const std::string& content)
{
    std::string text;
    for (char c : content) {
        if (c != '\n')
            text += c;
    }
    return text;
}

uint32_t LastWriteSeconds(const CString& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!::GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return 0;
    return FileTimeToUnixTime(data.ftLastWriteTime);
}

class EmbeddedFiles : public ComApartmentTest {
protected:
    void SetUp() override
    {
        RemoveFolderTree(GetUploadFolder());
        m_project = m_folder.File("proj");
        m_scl = m_project + "\\SCLFiles";
        ASSERT_TRUE(::CreateDirectoryA(m_project, nullptr));
        ASSERT_TRUE(::CreateDirectoryA(m_scl, nullptr));
    }
    void TearDown() override { RemoveFolderTree(GetUploadFolder()); }

    TrustedFolders Trusted() const { return {m_scl, m_project}; }

    // A configuration document with the files embedded among other elements.
    CString WriteConfiguration(std::initializer_list<CString> files)
    {
        const CString path = m_folder.File("config.xml");
        CKorXml xml;
        EXPECT_TRUE(xml.Open(path, false));
        xml.WriteStartTag("DeviceConfig");
        xml.WriteValueElement("Version", "1");
        xml.WriteStartTag("Attachments");
        for (const CString& file : files)
            xml.WriteEmbeddedFile(file);
        xml.WriteEndTag();
        xml.WriteValueElement("After", "1");
        for (const CErrorReport& report : xml.TakeMessages())
            m_noted.push_back(report);
        return path;
    }

    // Writes the document text and extracts its files; gives the result text.
    CString ExtractDocument(const std::string& document, const TrustedFolders& trusted)
    {
        const CString path = m_folder.File("upload.xml");
        WriteBinaryFile(path, document);
        return Extract(path, trusted);
    }

    CString Extract(const CString& path, const TrustedFolders& trusted)
    {
        CKorXml xml;
        EXPECT_TRUE(xml.Open(path, true));
        xml.ExtractEmbeddedFiles(trusted);
        m_extractionMessages = xml.GetResultMessages();
        return xml.GetResultText();
    }

    // A File element as another writer might make it.
    static std::string Element(const CString& name, const std::string& content)
    {
        return "<File Type=\"icd\" Name=\"" + std::string(name) + "\" Encoding=\"BASE64_ZIP\">" + content + "</File>";
    }

    // The extraction shows nothing: it keeps its messages, in order, for its caller to show.
    void ExpectExtractionMessages(std::initializer_list<CString> texts)
    {
        EXPECT_EQ(0u, m_boxes.Count());
        ASSERT_EQ(texts.size(), m_extractionMessages.size());
        size_t i = 0;
        for (const CString& text : texts)
            EXPECT_STREQ(text, m_extractionMessages[i++]);
    }

    // Messages the writer shows.
    // What the writer noted for the window, which shows it under the product's title without an owner.
    void ExpectMessages(std::initializer_list<CString> texts)
    {
        EXPECT_EQ(0u, m_boxes.Count());
        ASSERT_EQ(texts.size(), m_noted.size());
        size_t i = 0;
        for (const CString& text : texts) {
            const CErrorReport& report = m_noted[i++];
            EXPECT_STREQ(text, report.Text());
            EXPECT_STREQ("Korvane EIP-Tarnwell", report.caption);
            EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION | MB_OK), report.type);
        }
    }

    TempFolder m_folder;
    MessageBoxRecorder m_boxes;
    std::vector<CErrorReport> m_noted;
    std::vector<CString> m_extractionMessages;
    CString m_project;
    CString m_scl;
};

TEST_F(EmbeddedFiles, ElementHoldsTheFileAsOneDeflatedItemNamedTestFile)
{
    SKIP_WITHOUT_SHARED_TESTDATA();
    const std::string scl = ReadBinaryFile(SharedTestData(kSclFile));
    ASSERT_FALSE(scl.empty());
    const CString path = m_scl + "\\a.icd";
    WriteBinaryFile(path, scl);

    const std::string document = ReadBinaryFile(WriteConfiguration({path}));
    EXPECT_EQ(0u, m_boxes.Count());
    const std::vector<FileElement> elements = FileElements(document);
    ASSERT_EQ(1u, elements.size());
    EXPECT_EQ("<File Type=\"icd\" Name=\"" + std::string(path) + "\" Encoding=\"BASE64_ZIP\">", elements[0].startTag);
    EXPECT_NE(std::string::npos, document.find("</Attachments>", document.find("</File>")));

    std::string archive;
    ASSERT_TRUE(Base64Decode(Base64Of(elements[0].content), archive));
    EXPECT_EQ(FileElementContent(archive), elements[0].content);
    HZIP zip = OpenUnzipHandle(archive.data(), static_cast<DWORD>(archive.size()), kZipFromMemory);
    ASSERT_NE(nullptr, zip);
    CUnzipReader* reader = GetUnzipReader(zip);
    ASSERT_EQ(1, reader->GetItemCount());
    ZipItemInfo info;
    ASSERT_EQ(kZipOk, reader->ReadItemInfo(0, info));
    EXPECT_STREQ("testFile", info.name);
    EXPECT_EQ(kZipMethodDeflated, info.method);
    EXPECT_LT(info.compressedSize, info.uncompressedSize);
    EXPECT_EQ(LastWriteSeconds(path), FileTimeToUnixTime(info.modified));
    ZRESULT result = kZipOk;
    EXPECT_EQ(scl, ExtractToString(zip, 0, result));
    EXPECT_EQ(kZipOk, result);
    CloseUnzipHandle(zip);
}

// Lines of 72 characters, carried across the encoder's blocks of 2048 bytes; an
// archive of a multiple of 54 bytes fills its last line and ends with two line feeds.
TEST_F(EmbeddedFiles, ContentIsBase64InLinesOf72WithALineFeedBeforeAndAfter)
{
    std::vector<size_t> sizes = {5000, 12000};
    for (size_t size = 0; size <= 110; ++size)
        sizes.push_back(size);
    int fullLastLines = 0;
    for (size_t size : sizes) {
        SCOPED_TRACE("file of " + std::to_string(size) + " bytes");
        const CString path = m_scl + "\\n.cid";
        WriteBinaryFile(path, NoiseBytes(size, static_cast<uint32_t>(size)));
        const std::vector<FileElement> elements = FileElements(ReadBinaryFile(WriteConfiguration({path})));
        ASSERT_EQ(1u, elements.size());
        std::string archive;
        ASSERT_TRUE(Base64Decode(Base64Of(elements[0].content), archive));
        EXPECT_EQ(FileElementContent(archive), elements[0].content);
        if (archive.size() % 54 == 0) {
            ++fullLastLines;
            const std::string& content = elements[0].content;
            EXPECT_EQ("\n\n", content.substr(content.size() - 2));
            EXPECT_EQ(72u, content.size() - 2 - content.rfind('\n', content.size() - 3) - 1);
        }
    }
    EXPECT_EQ(0u, m_boxes.Count());
    EXPECT_GT(fullLastLines, 0);
}

TEST_F(EmbeddedFiles, UploadedConfigurationGivesEveryFileBack)
{
    SKIP_WITHOUT_SHARED_TESTDATA();
    struct Source {
        CString path;
        std::string bytes;
    };
    const std::vector<Source> sources = {
        {m_scl + "\\a.icd", ReadBinaryFile(SharedTestData(kSclFile))},
        {m_scl + "\\noise.cid", NoiseBytes(30000, 5)},
        {m_scl + "\\empty.icd", std::string()},
        {m_project + "\\plant.prj", "project"},
    };
    for (const Source& source : sources)
        WriteBinaryFile(source.path, source.bytes);
    const CString configuration = WriteConfiguration({sources[0].path, sources[1].path, sources[2].path, sources[3].path});
    ASSERT_EQ(4u, FileElements(ReadBinaryFile(configuration)).size());
    const uint32_t written = LastWriteSeconds(sources[0].path);
    ASSERT_TRUE(::DeleteFileA(sources[0].path));
    ASSERT_TRUE(::DeleteFileA(sources[2].path));
    WriteBinaryFile(sources[1].path, "changed since"); // an existing file is replaced

    EXPECT_STREQ("", Extract(configuration, Trusted()));
    EXPECT_EQ(0u, m_boxes.Count());
    for (const Source& source : sources) {
        SCOPED_TRACE((LPCSTR)source.path);
        ASSERT_TRUE(PathExists(source.path));
        EXPECT_EQ(source.bytes, ReadBinaryFile(source.path));
    }
    EXPECT_EQ(written, LastWriteSeconds(sources[0].path));
    EXPECT_FALSE(PathExists(m_scl + "\\temp.zip"));
    EXPECT_FALSE(PathExists(m_project + "\\temp.zip"));
    EXPECT_FALSE(FolderExists(GetUploadFolder()));
}

// Forms another writer may use: other attribute order and quotes, CR LF and
// blanks in the text, no Type, another Encoding (not compared), deeper nesting.
TEST_F(EmbeddedFiles, FileElementsAreReadInOtherForms)
{
    const std::string archive = OneItemArchive("payload");
    std::string text = Base64Encode(archive);
    for (size_t i = 60; i < text.size(); i += 61)
        text.insert(i, "\r\n\t ");
    const std::string document =
        "<?xml version=\"1.0\"?>\r\n<Root><A><B>"
        "<File Encoding='OTHER' Name='" + std::string(m_scl) + "\\b.icd'>" + text + "</File>"
        "</B></A><File Name=\"" + std::string(m_scl) + "\\c.icd\" Type=\"icd\">" + Base64Encode(archive) +
        "</File></Root>";
    EXPECT_STREQ("", ExtractDocument(document, Trusted()));
    EXPECT_EQ(0u, m_boxes.Count());
    EXPECT_EQ("payload", ReadBinaryFile(m_scl + "\\b.icd"));
    EXPECT_EQ("payload", ReadBinaryFile(m_scl + "\\c.icd"));
}

// A File element without text is reported; whatever follows it, its parent's
// text or the next element, is read as usual.
TEST_F(EmbeddedFiles, EmptyFileElementDoesNotSwallowTheNextElement)
{
    const std::string next = Element(m_scl + "\\b.icd", FileElementContent(OneItemArchive("next")));
    const std::string emptyTag = "<File Type=\"icd\" Name=\"" + std::string(m_scl) + "\\a.icd\" Encoding=\"BASE64_ZIP\"/>";
    const std::string startTag = emptyTag.substr(0, emptyTag.size() - 2) + ">";
    const struct {
        const char* name;
        std::string body;
    } cases[] = {
        {"empty-element tag", emptyTag + next},
        {"no content", startTag + "</File>" + next},
        {"blanks only", startTag + "\n  \n</File>" + next},
        {"empty-element tag before its parent's text", emptyTag + FileElementContent(OneItemArchive("parent")) + next},
        {"an element first", startTag + next + "</File>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_boxes.Clear();
        ::DeleteFileA(m_scl + "\\b.icd");
        const CString result = ExtractDocument("<Attachments>" + c.body + "</Attachments>\n<Trailing", Trusted());
        ExpectExtractionMessages({"File '...\\SCLFiles\\a.icd' could not be created!"});
        EXPECT_STREQ("File '...\\SCLFiles\\a.icd' could not be created!", result);
        EXPECT_FALSE(PathExists(m_scl + "\\a.icd"));
        EXPECT_EQ("next", ReadBinaryFile(m_scl + "\\b.icd"));
    }
}

// A damaged text stops the extraction with two messages; the temporary archive
// goes, and a file already at the target is not touched.
TEST_F(EmbeddedFiles, DamagedContentIsReportedAndReplacesNothing)
{
    const std::string archive = OneItemArchive(NoiseBytes(3000, 1));
    const std::string content = FileElementContent(archive);
    std::string corrupted = archive;
    corrupted[100] = static_cast<char>(corrupted[100] ^ 0x55); // inside the item's data

    const struct {
        const char* name;
        std::string content;
    } cases[] = {
        {"truncated", content.substr(0, content.size() / 2)},
        {"cut at the end", content.substr(0, content.size() - 10)},
        {"data changed", FileElementContent(corrupted)},
        {"not base64", "\n!!!! ----\n"},
        {"an archive without items", FileElementContent(ZipArchiveBuilder().Build())},
    };
    const std::string after = Element(m_scl + "\\after.icd", FileElementContent(OneItemArchive("after")));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_boxes.Clear();
        WriteBinaryFile(m_scl + "\\a.icd", "kept");
        const CString result =
            ExtractDocument("<Attachments>" + Element(m_scl + "\\a.icd", c.content) + after + "</Attachments>", Trusted());
        ExpectExtractionMessages({"File '...\\SCLFiles\\a.icd' could not be created!", kExtractError});
        EXPECT_STREQ(kExtractError, result);
        EXPECT_EQ("kept", ReadBinaryFile(m_scl + "\\a.icd"));
        EXPECT_FALSE(PathExists(m_scl + "\\temp.zip"));
        EXPECT_FALSE(PathExists(m_scl + "\\after.icd")); // reading stops at the first failing element
    }
}

TEST_F(EmbeddedFiles, ReadOnlyFileAtTheTargetIsKeptAndReadingGoesOn)
{
    const CString readOnly = m_scl + "\\a.icd";
    WriteBinaryFile(readOnly, "kept");
    ASSERT_TRUE(::SetFileAttributesA(readOnly, FILE_ATTRIBUTE_READONLY));
    const std::string document = "<Attachments>" + Element(readOnly, FileElementContent(OneItemArchive("new"))) +
                                 Element(m_scl + "\\b.icd", FileElementContent(OneItemArchive("b"))) +
                                 "</Attachments>";
    EXPECT_STREQ("", ExtractDocument(document, Trusted()));
    EXPECT_EQ(0u, m_boxes.Count());
    EXPECT_EQ("kept", ReadBinaryFile(readOnly));
    EXPECT_EQ("b", ReadBinaryFile(m_scl + "\\b.icd"));
    EXPECT_FALSE(PathExists(m_scl + "\\temp.zip"));
}

TEST_F(EmbeddedFiles, FileThatCannotBeReadIsReportedAndLeftOut)
{
    const CString good = m_scl + "\\good.icd";
    WriteBinaryFile(good, "good");
    const CString locked = m_scl + "\\locked.icd";
    WriteBinaryFile(locked, "locked");
    ScopedHandle lock(::CreateFileA(locked, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);
    const CString missing = m_scl + "\\missing.icd";

    const CString configuration = WriteConfiguration({missing, m_scl, locked, good});
    ExpectMessages({"Error: File '" + missing + "' could not be read. It is not embedded.",
                    "Error: File '" + m_scl + "' could not be read. It is not embedded.",
                    "Error: File '" + locked + "' could not be read. It is not embedded."});
    const std::vector<FileElement> elements = FileElements(ReadBinaryFile(configuration));
    ASSERT_EQ(1u, elements.size());
    EXPECT_NE(std::string::npos, elements[0].startTag.find("good.icd"));

    m_boxes.Clear();
    ASSERT_TRUE(::DeleteFileA(good));
    EXPECT_STREQ("", Extract(configuration, Trusted()));
    EXPECT_EQ(0u, m_boxes.Count());
    EXPECT_EQ("good", ReadBinaryFile(good));
}

// The recorded name is untrusted: only its file-name part is kept, and its folder
// only when it is a trusted folder; anything else goes to the Upload folder.
TEST_F(EmbeddedFiles, RecordedFolderIsUsedOnlyWhenTrusted)
{
    const CString other = m_folder.File("other");
    ASSERT_TRUE(::CreateDirectoryA(other, nullptr));
    WriteBinaryFile(other + "\\x.icd", "outside");
    WriteBinaryFile(m_folder.File("escape.icd"), "outside");
    const CString upload = GetUploadFolder();
    const struct {
        CString name;
        CString restoredAt;
    } cases[] = {
        {m_scl + "\\a.icd", m_scl + "\\a.icd"},
        {m_project + "\\plant.prj", m_project + "\\plant.prj"},
        {m_scl + "\\sub\\s.icd", upload + "\\s.icd"}, // below a trusted folder is not trusted
        {other + "\\x.icd", upload + "\\x.icd"},
        {m_scl + "\\..\\..\\escape.icd", upload + "\\escape.icd"},
        {"..\\..\\escape.icd", upload + "\\escape.icd"},
        {"Q:\\nowhere\\deep\\far.icd", upload + "\\far.icd"},
        {"\\\\server\\share\\unc.icd", upload + "\\unc.icd"},
        {"plain.icd", upload + "\\plain.icd"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((LPCSTR)c.name);
        const std::string bytes = "restored " + std::string(c.name);
        EXPECT_TRUE(RestoreEmbeddedFile({"icd", c.name, "BASE64_ZIP", FileElementContent(OneItemArchive(bytes)).c_str()},
                                        Trusted()));
        EXPECT_EQ(bytes, ReadBinaryFile(c.restoredAt));
        EXPECT_FALSE(PathExists(FolderPartOfPath(c.restoredAt) + "\\temp.zip"));
    }
    EXPECT_EQ(0u, m_boxes.Count());
    EXPECT_EQ("outside", ReadBinaryFile(other + "\\x.icd"));
    EXPECT_EQ("outside", ReadBinaryFile(m_folder.File("escape.icd")));
    EXPECT_FALSE(FolderExists(m_scl + "\\sub"));

    // A trusted folder matches without regard to case or a trailing separator;
    // with no trusted folder everything goes to the Upload folder.
    CString upper = m_scl;
    upper.MakeUpper();
    const CString content = FileElementContent(OneItemArchive("case")).c_str();
    EXPECT_TRUE(RestoreEmbeddedFile({"icd", upper + "\\case.icd", "", content}, {m_scl + "\\"}));
    EXPECT_EQ("case", ReadBinaryFile(m_scl + "\\case.icd"));
    EXPECT_TRUE(RestoreEmbeddedFile({"icd", m_scl + "\\untrusted.icd", "", content}));
    EXPECT_EQ("case", ReadBinaryFile(upload + "\\untrusted.icd"));
    EXPECT_FALSE(PathExists(m_scl + "\\untrusted.icd"));
}

TEST_F(EmbeddedFiles, TrustedFolderIsMadeOneLevelDeepElseUploadIsUsed)
{
    RemoveFolderTree(m_scl);
    EXPECT_TRUE(RestoreEmbeddedFile({"icd", m_scl + "\\a.icd", "", FileElementContent(OneItemArchive("a")).c_str()},
                                    Trusted()));
    EXPECT_EQ("a", ReadBinaryFile(m_scl + "\\a.icd"));

    const CString deep = m_folder.File("gone\\SCLFiles");
    EXPECT_TRUE(RestoreEmbeddedFile({"icd", deep + "\\d.icd", "", FileElementContent(OneItemArchive("d")).c_str()},
                                    {deep}));
    EXPECT_FALSE(FolderExists(m_folder.File("gone")));
    EXPECT_EQ("d", ReadBinaryFile(GetUploadFolder() + "\\d.icd"));
}

TEST_F(EmbeddedFiles, UploadFolderIsCreatedWhenMissing)
{
    ASSERT_FALSE(FolderExists(GetUploadFolder()));
    EXPECT_STREQ(GetProgramFolder() + "\\Upload", GetUploadFolder());
    const std::string document =
        "<Attachments>" + Element("D:\\elsewhere\\SCLFiles\\u.icd", FileElementContent(OneItemArchive("u"))) +
        "</Attachments>";
    EXPECT_STREQ("", ExtractDocument(document, Trusted()));
    EXPECT_EQ(0u, m_boxes.Count());
    EXPECT_TRUE(FolderExists(GetUploadFolder()));
    EXPECT_EQ("u", ReadBinaryFile(GetUploadFolder() + "\\u.icd"));
    EXPECT_FALSE(PathExists(GetUploadFolder() + "\\temp.zip"));
}

// A file-name part that names no plain file is refused, writing nothing; the
// extraction stops with its error.
TEST_F(EmbeddedFiles, NamesThatAreNoPlainFileAreRefused)
{
    const char* const names[] = {
        "",        "\\",         ".",         "..",       "C:",        "C:evil.icd", "C:/p/SCLFiles/a.icd",
        "a/b.icd", "CON",        "nul.icd",   "Com1.txt", "lpt9",      "a?.icd",     "a*.icd",
        "a.icd.",  "a.icd ",     "temp.zip",  "TEMP.ZIP", "a\"b.icd",  "a<b.icd",    "a|b.icd",
        "tab\t.icd",
    };
    const CString content = FileElementContent(OneItemArchive("x")).c_str();
    for (const char* name : names) {
        for (const CString& folder : {m_scl, CString("D:\\other")}) {
            const CString full = folder + "\\" + name;
            SCOPED_TRACE((LPCSTR)full);
            EXPECT_FALSE(RestoreEmbeddedFile({"icd", full, "BASE64_ZIP", content}, Trusted()));
        }
    }
    EXPECT_EQ(0u, m_boxes.Count());
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA(m_scl + "\\*", &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, find);
    int entries = 0;
    do {
        ++entries;
    } while (::FindNextFileA(find, &found));
    ::FindClose(find);
    EXPECT_EQ(2, entries); // "." and ".."

    const std::string document = "<Attachments>" + Element(m_scl + "\\..", std::string(content)) +
                                 Element(m_scl + "\\b.icd", std::string(content)) + "</Attachments>";
    EXPECT_STREQ(kExtractError, ExtractDocument(document, Trusted()));
    ExpectExtractionMessages({kExtractError});
    EXPECT_FALSE(PathExists(m_scl + "\\b.icd"));
}

TEST_F(EmbeddedFiles, DamagedDocumentIsReportedButNothingAfterItsEndIsRead)
{
    const std::string good = Element(m_scl + "\\a.icd", FileElementContent(OneItemArchive("a")));
    EXPECT_STREQ("", ExtractDocument("<Attachments>" + good + "</Attachments>\n<Trailing", Trusted()));
    EXPECT_EQ(0u, m_boxes.Count());
    EXPECT_EQ("a", ReadBinaryFile(m_scl + "\\a.icd"));

    for (const std::string& cut : {"<Attachments>" + good + "<Other><File Name=\"" + std::string(m_scl) + "\\b.icd",
                                   "<Attachments>" + good + "\n  "}) {
        SCOPED_TRACE(cut.substr(cut.size() - 10));
        m_boxes.Clear();
        EXPECT_STREQ(kExtractError, ExtractDocument(cut, Trusted()));
        ExpectExtractionMessages({kExtractError});
    }
}

TEST(EmbeddedFilePaths, FolderPartOfPathIsTheTextBeforeTheLastBackslash)
{
    const struct {
        const char* path;
        const char* folder;
    } cases[] = {
        {"C:\\p\\SCLFiles\\a.icd", "C:\\p\\SCLFiles"}, {"a.icd", ""}, {"\\a.icd", ""},
        {"C:\\p\\", "C:\\p"},                          {"", ""},      {"C:/p/a.icd", ""},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.folder, FolderPartOfPath(c.path)) << c.path;
}

} // namespace
