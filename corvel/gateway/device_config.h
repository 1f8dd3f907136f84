// WriteDeviceConfigFile, DeviceConfigOptions, DeviceConfigResult, CDeviceConfigError and the text helpers
// ConvertIecTypeToPlcType, IsModuleStatusTagName, RemoveBrackets, BracketsToParentheses: the module's
// run-time configuration ("DeviceConfig") written from the project's records.
#pragma once
#include "corvel/project/kor_exceptions.h"
#include "corvel/project/project_xml.h"

#include <vector>

namespace Corvel::Gateway {

struct DeviceConfigOptions {
    // Embed the SCL files, the project file and the project's XML copy; without, "Attachments" stays empty.
    bool withAttachments = true;
    // The program and time that the project's XML copy names.
    ProjectXmlStamp stamp;
};

struct DeviceConfigResult {
    // IED tag rows written as "tag" elements (the fixed status tags are not counted).
    int tagCount = 0;
    // What the configuration leaves out, one message each: files that could not be read and are not
    // embedded ("Error: ..."), report and GOOSE rows that cannot be placed ("Warning: ...").
    std::vector<CString> warnings;
};

// A failure of the configuration's writing that is not the XML writer's own, with its text for the user.
class CDeviceConfigError : public Korvane::Exceptions::CKorException {
public:
    explicit CDeviceConfigError(const CString& text, HRESULT result = E_FAIL) : CKorException(result), m_text(text) {}
    LPCSTR Message() override { return m_text; }

private:
    CString m_text;
};

// Writes the module configuration of project to outputPath, the one entry of Export Configuration, the
// download and the AOI export. The document is written into a temporary file beside outputPath, which
// replaces outputPath once it is complete. Failures throw a CKorException whose Message() is the text
// for the user (CKorXmlException from the XML writer, CDeviceConfigError otherwise); then no file is left
// under outputPath's name (a file that was there stays as it was) and the project's records are as
// before. The only change a successful run makes to the records is the default MMS ping "12" of IEDs
// that had none; it also writes the project's XML copy (*.prx) when attachments are on.
DeviceConfigResult WriteDeviceConfigFile(const ProjectXmlContent& project, const CString& outputPath,
                                         const DeviceConfigOptions& options = DeviceConfigOptions());

// The PLC type name of an IEC 61850 basic type (exact, case-sensitive); false, leaving plcType, for a type
// the configuration does not know.
bool ConvertIecTypeToPlcType(CString iecType, CString& plcType);
// Whether name is one of the status tags the configuration adds to the IED tags: the IEC 61850 client's
// base and node status, the connections' reconnection counts, the drivers' status, "Reboot_Module" and
// "_tempTag".
bool IsModuleStatusTagName(const CString& name);
// Removes every "[" and "]" from text, in place; returns the result.
CString RemoveBrackets(CString& text);
// Turns every "[" into "(" and every "]" into ")", in place; returns the result.
CString BracketsToParentheses(CString& text);

} // namespace Corvel::Gateway
