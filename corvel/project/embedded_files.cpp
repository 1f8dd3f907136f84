#include "corvel/project/embedded_files.h"

#include "corvel/model/product.h"
#include "corvel/project/kor_xml.h"
#include "corvel/project/path_utils.h"
#include "corvel/project/zip_reader.h"
#include "corvel/project/zip_writer.h"
#include "framework/handles.h"

// libb64's headers declare C functions without saying so.
extern "C" {
#include <b64/cdecode.h>
#include <b64/cencode.h>
}

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace Korvane {
namespace Formats {

namespace {

constexpr char kExtractError[] = "Error: Extracting file. Please try to upload again.";
constexpr char kTypeReachError[] = "Error: Extracting file - Get Attribute Type. Please try to upload again.";
constexpr char kTypeValueError[] = "Error: Extracting file - Get Attribute Type Value. Please try to upload again.";
constexpr char kNameReachError[] = "Error: Extracting file - Get Attribute Name. Please try to upload again.";
constexpr char kNameValueError[] = "Error: Extracting file - Get Attribute Name Value. Please try to upload again.";
constexpr char kEncodingReachError[] = "Error: Extracting file - Get Attribute Encoding. Please try to upload again.";
constexpr char kEncodingValueError[] =
    "Error: Extracting file - Get Attribute Encoding Value. Please try to upload again.";
constexpr char kContentValueError[] = "Error: Extracting file - Get Encode Info. Please try to upload again.";
constexpr char kCouldNotBeCreated[] = "File '...\\SCLFiles\\%s' could not be created!";
constexpr char kCouldNotBeRead[] = "Error: File '%s' could not be read. It is not embedded.";

// Characters that have no place in a plain file name.
constexpr char kNameSeparatorsAndWildcards[] = "\\/:*?\"<>|";
// Names the platform takes as devices, with or without an extension.
const char* const kDeviceNames[] = {"CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3",   "COM4",   "COM5",
                                    "COM6", "COM7", "COM8", "COM9", "LPT1", "LPT2", "LPT3",   "LPT4",   "LPT5",
                                    "LPT6", "LPT7", "LPT8", "LPT9", "CLOCK$", "CONIN$", "CONOUT$"};

// Nodes a document may hold beyond one a byte.
constexpr uint64_t kNodeAllowance = 16;

// Extraction of an item is checked into a scratch block of this size first.
constexpr DWORD kCheckBlockSize = 16384;

CString CouldNotBeCreatedText(const CString& name)
{
    CString text;
    text.Format(kCouldNotBeCreated, (LPCSTR)GetFileNameOfPath(name));
    return text;
}

// UTF-16 text in the thread's ANSI code page, as the writer converts the other way.
CString ToAnsi(LPCWSTR text, UINT length)
{
    if (text == nullptr || length == 0)
        return CString();
    const int wideLength = static_cast<int>(std::min<UINT>(length, INT_MAX));
    const int needed = ::WideCharToMultiByte(CP_THREAD_ACP, 0, text, wideLength, nullptr, 0, nullptr, nullptr);
    if (needed <= 0)
        return CString();
    std::string narrow(static_cast<size_t>(needed), '\0');
    ::WideCharToMultiByte(CP_THREAD_ACP, 0, text, wideLength, &narrow[0], needed, nullptr, nullptr);
    return CString(narrow.data(), needed);
}

struct ZipHandleCloser {
    void operator()(HZIP zip) const
    {
        if (IsUnzipHandle(zip))
            CloseUnzipHandle(zip);
        else
            CloseZipHandle(zip);
    }
};
using ScopedZip = std::unique_ptr<ZipHandleRecord, ZipHandleCloser>;

// A plain name of a file in a folder: no separators, drive, wildcards, device
// or dots-only name, nothing the platform would trim, and not the scratch archive.
bool IsPlainFileName(const CString& name)
{
    if (name.IsEmpty() || name.FindOneOf(kNameSeparatorsAndWildcards) >= 0)
        return false;
    for (int i = 0; i < name.GetLength(); ++i) {
        if (static_cast<unsigned char>(name[i]) < 0x20)
            return false;
    }
    const char last = name[name.GetLength() - 1];
    if (last == '.' || last == ' ')
        return false;
    if (name.CompareNoCase(kEmbeddedArchiveName) == 0)
        return false;
    CString stem = name.SpanExcluding(".");
    stem.TrimRight();
    for (const char* device : kDeviceNames) {
        if (stem.CompareNoCase(device) == 0)
            return false;
    }
    return true;
}

// A folder text for comparison: "/" as "\", without trailing separators.
CString NormalFolder(CString folder)
{
    folder.Replace('/', '\\');
    folder.TrimRight('\\');
    return folder;
}

bool IsTrustedFolder(const CString& folder, const TrustedFolders& trustedFolders)
{
    const CString candidate = NormalFolder(folder);
    if (candidate.IsEmpty())
        return false;
    return std::any_of(trustedFolders.begin(), trustedFolders.end(), [&](const CString& trusted) {
        return candidate.CompareNoCase(NormalFolder(trusted)) == 0;
    });
}

// The recorded folder when it is trusted and can be made, else the Upload folder.
CString RestoreFolder(const CString& recorded, const TrustedFolders& trustedFolders)
{
    if (IsTrustedFolder(recorded, trustedFolders) && CreateFolder(recorded))
        return recorded;
    const CString upload = GetUploadFolder();
    CreateFolder(upload);
    return upload;
}

// Decodes the base64 text into the file; false when a write fails.
bool DecodeBase64ToFile(const CString& text, HANDLE file)
{
    base64_decodestate state;
    base64_init_decodestate(&state);
    std::vector<char> output(kBase64OutputSpace);
    const LPCSTR characters = text;
    const size_t length = static_cast<size_t>(text.GetLength());
    for (size_t offset = 0; offset < length; offset += kBase64DecodeBlock) {
        const int chunk = static_cast<int>(std::min(kBase64DecodeBlock, length - offset));
        const int produced = base64_decode_block(characters + offset, chunk, output.data(), &state);
        DWORD written = 0;
        if (produced > 0 &&
            (!::WriteFile(file, output.data(), static_cast<DWORD>(produced), &written, nullptr) ||
             written != static_cast<DWORD>(produced)))
            return false;
    }
    return true;
}

// Inflates item 0 without keeping the bytes: its sizes and CRC must hold.
bool IsItemIntact(HZIP zip)
{
    std::vector<char> scratch(kCheckBlockSize);
    ZRESULT result = kZipMoreData;
    while (result == kZipMoreData)
        result = UnzipItem(zip, 0, scratch.data(), kCheckBlockSize, kZipFromMemory);
    return result == kZipOk;
}

bool IsReadOnlyFile(const CString& path)
{
    const DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
           !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Unzips the archive's one file to target, replacing it only once the item
// proved intact. An existing read-only target cannot be replaced and is kept.
bool ExtractArchive(const CString& archivePath, const CString& target)
{
    ScopedZip zip(OpenUnzipHandle(static_cast<LPCSTR>(archivePath), 0, kZipFromFileName));
    if (!zip)
        return false;
    const CUnzipReader* reader = GetUnzipReader(zip.get());
    const ZipItemInfo* item = reader ? reader->GetItem(0) : nullptr;
    if (item == nullptr || (item->attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    if (!IsItemIntact(zip.get()))
        return false;
    if (IsReadOnlyFile(target))
        return true;
    return UnzipItem(zip.get(), 0, const_cast<LPSTR>(static_cast<LPCSTR>(target)), 0, kZipFromFileName) == kZipOk;
}

// A one-item archive of the file, built in memory.
class EmbeddedArchive {
public:
    // False when the file cannot be opened or read whole.
    bool Build(const CString& path)
    {
        m_zip.reset(CreateZipHandle(nullptr, kEmbeddedArchiveCapacity, kZipFromMemory));
        if (!m_zip || ZipAddItem(m_zip.get(), kEmbeddedItemName, static_cast<LPCSTR>(path), 0, kZipFromFileName) !=
                          kZipOk)
            return false;
        void* buffer = nullptr;
        DWORD length = 0;
        if (GetZipBuffer(m_zip.get(), &buffer, &length) != kZipOk || buffer == nullptr)
            return false;
        m_bytes = static_cast<const char*>(buffer);
        m_length = length;
        return true;
    }
    const char* Bytes() const { return m_bytes; }
    size_t Length() const { return m_length; }
    void Close() { m_zip.reset(); }

private:
    ScopedZip m_zip;
    const char* m_bytes = nullptr;
    size_t m_length = 0;
};

} // namespace

CString GetUploadFolder()
{
    const CString program = GetProgramFolder();
    return program.IsEmpty() ? CString() : program + "\\" + kUploadFolderName;
}

bool RestoreEmbeddedFile(EmbeddedFileRecord record, const TrustedFolders& trustedFolders, CString* message)
{
    const CString fileName = GetFileNameOfPath(record.name);
    if (!IsPlainFileName(fileName))
        return false;
    const CString folder = RestoreFolder(FolderPartOfPath(record.name), trustedFolders);
    if (folder.IsEmpty())
        return false;
    const CString archivePath = folder + "\\" + kEmbeddedArchiveName;
    const CString target = folder + "\\" + fileName;

    bool decoded = false;
    {
        ScopedHandle archive(
            ::CreateFileA(archivePath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!archive)
            return false;
        decoded = DecodeBase64ToFile(record.content, archive.Get());
    }
    const bool restored = decoded && ExtractArchive(archivePath, target);
    if (!restored && message != nullptr)
        *message = CouldNotBeCreatedText(record.name);
    ::DeleteFileA(archivePath);
    return restored;
}

CString NotEmbeddedText(const CString& path)
{
    CString text;
    text.Format(kCouldNotBeRead, (LPCSTR)path);
    return text;
}

bool CKorXml::WriteEmbeddedFile(LPCSTR path)
{
    if (!m_writer) {
        if (m_throwFailures)
            throw Exceptions::CKorXmlException(E_UNEXPECTED, "write (no open writer)");
        return false;
    }
    const CString filePath = path ? path : "";
    EmbeddedArchive archive;
    if (!archive.Build(filePath)) {
        // Reported as the writer reports its failures, and the element is left out.
        if (!m_throwFailures)
            Note(NotEmbeddedText(filePath), MB_ICONEXCLAMATION | MB_OK, kProductTitle);
        return false;
    }

    const CString type = filePath.Right(3);
    WriteMultiNoEndElement(
        {kFileElement, "Type", type, "Name", filePath, "Encoding", kFileEncodingBase64Zip, "XXX"});
    base64_encodestate state;
    base64_init_encodestate(&state);
    WriteText("\n");
    std::vector<char> output(kBase64OutputSpace + 1);
    for (size_t offset = 0; offset < archive.Length(); offset += kBase64EncodeBlock) {
        const int block = static_cast<int>(std::min(kBase64EncodeBlock, archive.Length() - offset));
        const int produced = base64_encode_block(archive.Bytes() + offset, block, output.data(), &state);
        output[static_cast<size_t>(produced)] = '\0';
        if (produced > 0)
            WriteText(output.data());
    }
    const int produced = base64_encode_blockend(output.data(), &state);
    output[static_cast<size_t>(produced)] = '\0';
    if (produced > 0)
        WriteText(output.data());
    archive.Close();
    WriteEndTag();
    return true;
}

namespace {

// The attributes of a File element in reading order, with the texts of their failures.
struct FileAttribute {
    LPCWSTR name;
    CString EmbeddedFileRecord::*field;
    LPCSTR reachError;
    LPCSTR valueError;
};
const FileAttribute kFileAttributes[] = {
    {L"Type", &EmbeddedFileRecord::type, kTypeReachError, kTypeValueError},
    {L"Name", &EmbeddedFileRecord::name, kNameReachError, kNameValueError},
    {L"Encoding", &EmbeddedFileRecord::encoding, kEncodingReachError, kEncodingValueError},
};

// Reads the attributes of the File element the reader stands on; an absent
// one reads as empty. On a failure gives its result with error set to its text.
HRESULT ReadFileAttributes(IXmlReader* reader, EmbeddedFileRecord& record, CString& error)
{
    for (const FileAttribute& attribute : kFileAttributes) {
        HRESULT result = reader->MoveToAttributeByName(attribute.name, nullptr);
        if (FAILED(result)) {
            error = attribute.reachError;
            return result;
        }
        if (result != S_OK)
            continue;
        LPCWSTR value = nullptr;
        UINT length = 0;
        result = reader->GetValue(&value, &length);
        if (FAILED(result)) {
            error = attribute.valueError;
            return result;
        }
        record.*attribute.field = ToAnsi(value, length);
    }
    return reader->MoveToElement();
}

bool IsFileElement(IXmlReader* reader)
{
    LPCWSTR name = nullptr;
    UINT length = 0;
    return SUCCEEDED(reader->GetQualifiedName(&name, &length)) && name != nullptr &&
           std::wstring(name, length) == L"File";
}

} // namespace

void CKorXml::ExtractEmbeddedFiles(const TrustedFolders& trustedFolders)
{
    m_resultText.Empty();
    m_resultMessages.clear();
    if (!m_reader)
        return;
    CString error = kExtractError;
    auto report = [&](const CString& text) {
        m_resultText = text;
        m_resultMessages.push_back(text);
    };

    // Every node takes at least one byte of the document: a reader that gives
    // more nodes than that does not advance, and the document counts as damaged.
    uint64_t nodesLeft = kNodeAllowance;
    STATSTG stat = {};
    if (m_stream && SUCCEEDED(m_stream->Stat(&stat, STATFLAG_NONAME)))
        nodesLeft += stat.cbSize.QuadPart;
    XmlNodeType node = XmlNodeType_None;
    auto readNode = [&] {
        m_lastResult = nodesLeft > 0 ? m_reader->Read(&node) : E_FAIL;
        --nodesLeft;
        return m_lastResult;
    };

    // File elements without text, by depth: each is reported at its end tag.
    std::vector<std::pair<int, CString>> emptyFiles;
    // Reading ends with the document element: nothing after it is looked at.
    int depth = 0;
    bool hasStarted = false;
    bool isNodePending = false;
    for (;;) {
        if (!isNodePending) {
            if (readNode() == S_FALSE)
                return;
            if (FAILED(m_lastResult)) {
                report(error);
                return;
            }
        }
        isNodePending = false;

        if (node == XmlNodeType_EndElement) {
            if (!emptyFiles.empty() && emptyFiles.back().first == depth) {
                report(emptyFiles.back().second);
                emptyFiles.pop_back();
            }
            --depth;
        } else if (node == XmlNodeType_Element) {
            hasStarted = true;
            const bool isEmpty = m_reader->IsEmptyElement() != FALSE;
            if (!isEmpty)
                ++depth;
            if (IsFileElement(m_reader.Get())) {
                EmbeddedFileRecord record;
                if (FAILED(m_lastResult = ReadFileAttributes(m_reader.Get(), record, error))) {
                    report(error);
                    return;
                }
                // The text follows the start tag; an empty element has none, and
                // any other node is left for the loop.
                if (!isEmpty) {
                    if (readNode() != S_OK) {
                        report(error);
                        return;
                    }
                    if (node == XmlNodeType_Text) {
                        LPCWSTR text = nullptr;
                        UINT length = 0;
                        if (FAILED(m_lastResult = m_reader->GetValue(&text, &length))) {
                            report(kContentValueError);
                            return;
                        }
                        record.content = ToAnsi(text, length);
                    } else {
                        isNodePending = true;
                    }
                }

                if (record.content.IsEmpty()) {
                    // Nothing to restore: reported, and the files after it still come back.
                    if (isEmpty)
                        report(CouldNotBeCreatedText(record.name));
                    else
                        emptyFiles.emplace_back(depth, CouldNotBeCreatedText(record.name));
                } else {
                    CString message;
                    if (!RestoreEmbeddedFile(record, trustedFolders, &message)) {
                        if (!message.IsEmpty())
                            report(message);
                        report(error);
                        return;
                    }
                }
            }
        }
        if (hasStarted && depth <= 0 && !isNodePending)
            return;
    }
}

} // namespace Formats
} // namespace Korvane
