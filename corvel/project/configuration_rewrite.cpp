#include "corvel/project/configuration_rewrite.h"

#include "corvel/project/kor_xml.h"
#include "corvel/project/path_utils.h"
#include "framework/handles.h"

#include <algorithm>
#include <cstring>

namespace {

// The work file of a restore, in the project folder.
const char kWorkFileName[] = "TEMP.xml";

// A File element start as the lower-cased line holds it, and what the rewritten line starts with.
struct FileElementPattern {
    const char* search;
    const char* prefix;
    bool isSclFile;
    // The project file's extension, after which its name is cut (prj and prx only).
    const char* extension;
};

// Tested in this order; the first one the line holds decides.
const FileElementPattern kPatterns[] = {
    {"<file type=\"icd\" name=\"", "    <File Type=\"icd\" Name=\"", true, nullptr},
    {"<file type=\"cid\" name=\"", "    <File Type=\"cid\" Name=\"", true, nullptr},
    {"<file type=\"scd\" name=\"", "    <File Type=\"scd\" Name=\"", true, nullptr},
    {"<file type=\"prj\" name=\"", "    <File Type=\"prj\" Name=\"", false, ".prj"},
    {"<file type=\"prx\" name=\"", "    <File Type=\"prx\" Name=\"", false, ".prx"},
};

const char kLineBreak[] = "\r\n";
const unsigned char kUtf8Bom[] = {0xEF, 0xBB, 0xBF};
const char kDeclarationStart[] = "<?xml";
const char kDeclarationEnd[] = "?>";
// Bytes read or written by one call.
constexpr DWORD kIoChunk = 1 << 20;

// ASCII letters lower-cased, every other byte kept, so that offsets stay the same.
std::string LowerAscii(const std::string& text)
{
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

bool ReadWholeFile(const CString& path, std::string& bytes, ConfigurationRewrite::Result& failure)
{
    ScopedHandle file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size = {};
    if (!file || !::GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0) {
        failure = ConfigurationRewrite::kUnreadable;
        return false;
    }
    if (static_cast<ULONGLONG>(size.QuadPart) > kMaxConfigurationBytes) {
        failure = ConfigurationRewrite::kTooLarge;
        return false;
    }
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(kIoChunk, bytes.size() - done));
        DWORD read = 0;
        if (!::ReadFile(file.Get(), &bytes[done], chunk, &read, nullptr)) {
            failure = ConfigurationRewrite::kUnreadable;
            return false;
        }
        if (read == 0)
            break;
        done += read;
    }
    bytes.resize(done);
    return true;
}

bool WriteWholeFile(const CString& path, const std::string& bytes)
{
    ScopedHandle file(
        ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(kIoChunk, bytes.size() - done));
        DWORD written = 0;
        if (!::WriteFile(file.Get(), bytes.data() + done, chunk, &written, nullptr) || written != chunk)
            return false;
        done += written;
    }
    return true;
}

} // namespace

std::string RewriteConfigurationLine(const std::string& line, const CString& projectFolder, CString& projectFile)
{
    const std::string lower = LowerAscii(line);
    for (const FileElementPattern& pattern : kPatterns) {
        const size_t at = lower.find(pattern.search);
        if (at == std::string::npos)
            continue;
        const size_t nameStart = at + strlen(pattern.search);
        // The name from its last backslash on, with the rest of the line; a plain name keeps its whole text.
        const size_t slash = line.rfind('\\');
        const std::string rest =
            slash != std::string::npos && slash >= nameStart ? line.substr(slash) : "\\" + line.substr(nameStart);
        CString folder = projectFolder;
        folder.TrimRight('\\');
        std::string rewritten = pattern.prefix;
        rewritten += static_cast<LPCSTR>(folder);
        if (pattern.isSclFile) {
            rewritten += "\\";
            rewritten += kSclFilesFolderName;
        } else {
            const std::string lowerRest = LowerAscii(rest);
            size_t cut = lowerRest.find(pattern.extension);
            cut = cut != std::string::npos ? cut + strlen(pattern.extension) : std::min(rest.find('"'), rest.size());
            projectFile = folder + CString(rest.data(), static_cast<int>(cut));
        }
        return rewritten + rest;
    }
    return line;
}

ConfigurationRewrite RewriteConfigurationFile(const CString& sourcePath, const CString& targetPath,
                                              const CString& projectFolder)
{
    ConfigurationRewrite outcome;
    std::string source;
    if (!ReadWholeFile(sourcePath, source, outcome.result))
        return outcome;

    std::string target;
    target.reserve(source.size() + source.size() / 8);
    for (size_t start = 0; start < source.size();) {
        const size_t newline = source.find('\n', start);
        const size_t end = newline == std::string::npos ? source.size() : newline;
        std::string line = source.substr(start, end - start);
        std::string ending = newline == std::string::npos ? kLineBreak : "\n";
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
            ending = kLineBreak;
        }
        target += RewriteConfigurationLine(line, projectFolder, outcome.projectFile);
        target += ending;
        start = newline == std::string::npos ? source.size() : newline + 1;
    }
    outcome.result =
        WriteWholeFile(targetPath, target) ? ConfigurationRewrite::kDone : ConfigurationRewrite::kUnwritable;
    return outcome;
}

bool IsXmlStartIntact(const CString& path)
{
    ScopedHandle file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    // One byte beyond the scan tells whether the file goes on after it.
    std::string start(kXmlStartScanBytes + 1, '\0');
    DWORD read = 0;
    if (!::ReadFile(file.Get(), &start[0], kXmlStartScanBytes + 1, &read, nullptr))
        return false;
    start.resize(read);
    size_t at = 0;
    if (start.compare(0, sizeof kUtf8Bom, reinterpret_cast<const char*>(kUtf8Bom), sizeof kUtf8Bom) == 0)
        at = sizeof kUtf8Bom;
    const size_t left = start.size() - at;
    const size_t declarationStart = strlen(kDeclarationStart);
    if (left == 0)
        return false;
    // A file that ends within "<?xml" is a declaration cut short.
    if (left <= declarationStart)
        return start.compare(at, left, kDeclarationStart, left) != 0;
    if (start.compare(at, declarationStart, kDeclarationStart) != 0)
        return true;
    const size_t end = start.find(kDeclarationEnd, at);
    return end != std::string::npos && end + strlen(kDeclarationEnd) < start.size();
}

ConfigurationRestore RestoreConfiguration(const CString& path, const CString& projectFolder)
{
    ConfigurationRestore restore;
    restore.workPath = projectFolder + "\\" + kWorkFileName;
    const ConfigurationRewrite rewrite = RewriteConfigurationFile(path, restore.workPath, projectFolder);
    // A configuration that is the work file itself is never removed.
    auto discardWorkFile = [&] {
        if (!IsSamePath(path, restore.workPath))
            DeleteFileAtPath(restore.workPath);
    };
    switch (rewrite.result) {
    case ConfigurationRewrite::kDone:
        break;
    case ConfigurationRewrite::kTooLarge:
        restore.result = ConfigurationRestore::kTooLarge;
        return restore;
    case ConfigurationRewrite::kUnwritable:
        discardWorkFile();
        restore.result = ConfigurationRestore::kUnwritable;
        return restore;
    default:
        restore.result = ConfigurationRestore::kUnreadable;
        return restore;
    }
    // Nothing is restored or deleted for a configuration without a project or with a damaged start.
    if (rewrite.projectFile.IsEmpty()) {
        discardWorkFile();
        restore.result = ConfigurationRestore::kNoProjectFile;
        return restore;
    }
    if (!IsXmlStartIntact(restore.workPath)) {
        discardWorkFile();
        restore.result = ConfigurationRestore::kDamaged;
        return restore;
    }
    restore.projectFile = rewrite.projectFile;
    restore.xmlPath = ChangeFileExtension(rewrite.projectFile, "xml");
    DeleteFileAtPath(restore.xmlPath);
    if (!RenameFileShell(restore.xmlPath, restore.workPath)) {
        restore.result = ConfigurationRestore::kNotRenamed;
        return restore;
    }
    // An .xml configuration gives way to the rewritten one.
    if (EndsWithExtension(path, "xml") && !IsSamePath(path, restore.xmlPath))
        DeleteFileAtPath(path);

    Korvane::Formats::CKorXml xml;
    if (xml.Open(restore.xmlPath, true)) {
        xml.ExtractEmbeddedFiles({projectFolder + "\\" + kSclFilesFolderName, projectFolder});
        restore.extractionMessages = xml.GetResultMessages();
    }
    restore.openMessages = xml.TakeMessages();
    restore.result = ConfigurationRestore::kRestored;
    return restore;
}
