// EmbeddedFileRecord, RestoreEmbeddedFile and the path helpers of the embedded "File" elements.
#pragma once

#include "corvel/project/path_utils.h"
#include "framework/strings.h"

#include <cstddef>
#include <vector>

namespace Korvane {
namespace Formats {

// The element that carries one file, its attributes and their fixed values.
constexpr char kFileElement[] = "File";
constexpr char kFileEncodingBase64Zip[] = "BASE64_ZIP";
// The one item of the archive inside, whatever the file was called.
constexpr char kEmbeddedItemName[] = "testFile";
// Where files go whose recorded folder is not trusted or cannot be made, beside the program.
constexpr char kUploadFolderName[] = "Upload";
// The decoded archive, written beside the restored file and deleted after.
constexpr char kEmbeddedArchiveName[] = "temp.zip";

// Sizes of the archive and of the base64 blocks.
constexpr unsigned long kEmbeddedArchiveCapacity = 10000000;
constexpr size_t kBase64EncodeBlock = 2048;  // archive bytes per encoder call
constexpr size_t kBase64DecodeBlock = 2048;  // characters per decoder call
constexpr size_t kBase64OutputSpace = 4096;  // output space of one call

// The texts of one File element.
struct EmbeddedFileRecord {
    CString type;
    CString name;
    CString encoding;
    CString content;
};

// Folders into which embedded files may be restored under their recorded names.
using TrustedFolders = std::vector<CString>;

// The part of path before its last backslash; empty when there is none (the path helpers' own).
using ::FolderPartOfPath;

// The message for a file that could not be read and so is not embedded.
CString NotEmbeddedText(const CString& path);

// The "Upload" folder beside the program; empty when the program's folder is unknown.
CString GetUploadFolder();

// Restores the file of one File element. The recorded name is not trusted: its
// folder is used only when it is one of trustedFolders (compared without case)
// and can be made (one level); otherwise the file goes to the Upload folder,
// which is created when missing. Only the name's file-name part is kept; one
// that names no plain file ("", ".", "..", a drive, a device, separators or
// wildcards, "temp.zip") gives false without a message. The archive's item is
// checked whole before the target is replaced; an existing read-only target is
// kept. A text that gives no intact archive gives false with the message "File
// '...\SCLFiles\<name>' could not be created!" in message (when given).
bool RestoreEmbeddedFile(EmbeddedFileRecord record, const TrustedFolders& trustedFolders = TrustedFolders(),
                         CString* message = nullptr);

} // namespace Formats
} // namespace Korvane
