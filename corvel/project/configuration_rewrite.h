// RewriteConfigurationLine, RewriteConfigurationFile, IsXmlStartIntact, RestoreConfiguration: the import of a
// module configuration points the names of its embedded files into a project folder, checks the start of the
// XML it reads and restores the files.
#pragma once
#include "framework/core.h"
#include "corvel/model/product.h"

#include <string>
#include <vector>

// A configuration larger than this is not read.
constexpr ULONGLONG kMaxConfigurationBytes = 256ull * 1024 * 1024;
// Bytes of an XML file looked at for its declaration.
constexpr DWORD kXmlStartScanBytes = 4096;

// Rewrites one line of a configuration (without its line break). A line holding the start of a File element
// of type icd, cid or scd (any letter case) becomes four spaces, the element's start in lower-case type,
// projectFolder, "\SCLFiles" and the line from the last backslash of the name on; of type prj or prx the same
// without "\SCLFiles", and projectFile becomes projectFolder followed by that name, cut after its extension.
// Text before the element is dropped; a name without a backslash keeps its whole text. Any other line comes
// back unchanged and projectFile is left as it was.
std::string RewriteConfigurationLine(const std::string& line, const CString& projectFolder, CString& projectFile);

// What RewriteConfigurationFile did.
struct ConfigurationRewrite {
    enum Result { kDone, kUnreadable, kTooLarge, kUnwritable };
    Result result = kUnreadable;
    // The project file the last prj or prx File element names, in projectFolder; empty when none.
    CString projectFile;
};

// Reads the configuration at sourcePath whole and writes each of its lines, rewritten, to targetPath (created
// or truncated; it may be sourcePath itself). Every written line ends with a line break: its own, or CR LF for
// a last line that had none.
ConfigurationRewrite RewriteConfigurationFile(const CString& sourcePath, const CString& targetPath,
                                              const CString& projectFolder);

// Whether the platform's XML reader can be given the file: after an optional UTF-8 byte-order mark it holds
// more, does not end within "<?xml", and an XML declaration at its start is complete and followed by more
// text. (The reader ends the process on a document that ends inside or right at the end of its declaration.)
bool IsXmlStartIntact(const CString& path);

// How RestoreConfiguration ended. Every result but kRestored leaves the embedded files where they were; the
// caller reports it (the paths name what failed).
struct ConfigurationRestore {
    enum Result {
        kRestored,
        kUnreadable,    // the configuration could not be read
        kTooLarge,      // the configuration is larger than kMaxConfigurationBytes
        kUnwritable,    // the work file could not be written
        kNoProjectFile, // the configuration names no project file (*.prj, *.prx)
        kDamaged,       // the rewritten configuration's XML declaration is incomplete
        kNotRenamed,    // the work file could not be renamed; the rewritten configuration stays in it
    };
    Result result = kUnreadable;
    // The project file the configuration names, in the project folder.
    CString projectFile;
    // The work file "TEMP.xml" in the project folder, and the name it takes: the project file's with "xml".
    CString workPath;
    CString xmlPath;
    // What opening the rewritten configuration noted (kRestored), shown before the restore's messages.
    std::vector<CErrorReport> openMessages;
    // What the restore of the embedded files must tell the user (kRestored), in order.
    std::vector<CString> extractionMessages;
};

// Rewrites the File names of the configuration at path into projectFolder (through "<folder>\TEMP.xml",
// renamed to the project file's name with the extension "xml", a file of that name replaced) and restores its
// embedded files into the folder and its "SCLFiles" subfolder. An .xml configuration gives way to the
// rewritten one; the work file is never left behind unless the rename failed.
ConfigurationRestore RestoreConfiguration(const CString& path, const CString& projectFolder);
