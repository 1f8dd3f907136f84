// CUnityExporter: the export state, the file names, the variables file (*.xsy) and the tag list (*.csv).
#include "corvel/gateway/unity_export.h"

#include "corvel/gateway/device_config_writer.h"
#include "corvel/model/iec_types.h"
#include "common/msxml_support.h"
#include "corvel/model/scl_reading.h"
#include "corvel/project/path_utils.h"
#include "corvel/model/product.h"
#include "corvel/project/project_xml.h"
#include "framework/msgbox.h"

#include <algorithm>
#include <utility>
#include <cstdio>

namespace Corvel::Gateway {

namespace {

using Records::_TAGSMAP;

constexpr char kOnePortBaseName[] = "VQN31";
constexpr char kTwoPortBaseName[] = "VQN32";
constexpr int kOnePortModel = 1;

// NOE slots, and the routing register without one.
constexpr int kFirstNoeSlot = 1;
constexpr int kLastNoeSlot = 15;
constexpr int kNoeSlotRoutingFactor = 256;
constexpr char kNoNoeRouting[] = "-512";

// The slot check's message (string 134).
constexpr char kSlotOutOfRange[] = "Error: Slot number is out of range";

constexpr int kDefaultReadStart = 1;
constexpr int kDefaultWriteStart = 1001;

// Lengths the variables file keeps of the label.
constexpr int kContentNameLength = 32;
constexpr int kVariablePrefixLength = 19;

constexpr char kTimeFormat[] = "%Y-%m-%d-%H:%M:%S";

const char* const kExportExtensions[] = {".xsy", ".xfm", ".csv"};

// The variables file.
constexpr char kXsiNamespace[] = "http://www.w3.org/2001/XMLSchema-instance";
constexpr char kDeclarationData[] = "version=\"1.0\" encoding=\"UTF-8\"";
constexpr char kReadTypeName[] = "StartReadAddressF";
constexpr char kWriteTypeName[] = "StartWriteAddressF";

constexpr char kCannotCreateDocument[] = "Error: Failed to create Document instance \nHRESULT = %0X";
constexpr char kCannotSaveDocument[] = "Error: Failed to save XML document";
constexpr char kCannotOpenOutput[] = "Error: Could Not Open Output File: ";
constexpr char kCannotWriteOutput[] = "Error: Could Not Write Output File: ";

// The name of a member variable: the tag name without one leading "_", cleaned for the PLC.
CString MemberName(const CString& tagName)
{
    return Records::SanitizeTagName(tagName.Left(1) == "_" ? tagName.Mid(1) : tagName);
}

// The member's type: the element type of its IEC type, or an array of them.
CString MemberTypeName(const CIecTypeTable& types, const CString& iecType)
{
    CString elementType;
    const int count = types.GetElementCount(iecType, elementType);
    if (count < 2)
        return elementType;
    CString name;
    name.Format("ARRAY[0..%d] OF %s", count - 1, (LPCSTR)elementType);
    return name;
}

// Whether Unity has a type for a tag of this IEC type (INT64, say, has none).
bool HasUnityType(const CIecTypeTable& types, const CString& iecType)
{
    CString elementType;
    return types.GetElementCount(iecType, elementType) > 0 && !elementType.IsEmpty();
}

constexpr char kTagsLeftOut[] = "Warning: These tags have no Unity data type and are left out of the exchange files: ";

} // namespace

CUnityExporter::CUnityExporter() : m_clock([] { return time(nullptr); }) {}

std::vector<CErrorReport> CUnityExporter::TakeMessages()
{
    return std::exchange(m_messages, {});
}

void CUnityExporter::NoteFailure(const CString& text)
{
    CErrorReport report;
    report.what = text;
    report.type = MB_OK | MB_ICONERROR;
    report.caption = kProductTitle;
    m_messages.push_back(report);
}

void CUnityExporter::Attach(const Records::_PROJECT& project, const Records::CPLC_Device& device)
{
    m_project = &project;
    m_device = &device;
    m_deviceName = device.name;
    m_deviceName.Replace(' ', '_');
    m_baseName = project.numPorts == kOnePortModel ? kOnePortBaseName : kTwoPortBaseName;
}

bool CUnityExporter::IsExportedDeviceType(int devType)
{
    return devType == kDevTypeQuantum || devType == kDevTypeM340 || devType == kDevTypeModbusPlc;
}

bool CUnityExporter::TakeNoeSlot()
{
    if (m_device->NOESel != 1) {
        m_noeSlot = -1;
        return true;
    }
    if (m_device->NOESlotNum < kFirstNoeSlot || m_device->NOESlotNum > kLastNoeSlot) {
        CErrorReport report;
        report.what = kSlotOutOfRange;
        report.type = MB_OK;
        m_messages.push_back(report);
        return false;
    }
    m_noeSlot = m_device->NOESlotNum;
    return true;
}

UnityExportPaths CUnityExporter::DerivePaths(const CString& chosenPath)
{
    CString base = chosenPath;
    const int nameStart = std::max(chosenPath.ReverseFind('\\'), chosenPath.ReverseFind('/')) + 1;
    const int dot = chosenPath.ReverseFind('.');
    if (dot >= nameStart) {
        const CString extension = chosenPath.Mid(dot);
        for (LPCSTR known : kExportExtensions) {
            if (extension.CompareNoCase(known) == 0)
                base = chosenPath.Left(dot);
        }
    }
    return {base + kExportExtensions[0], base + kExportExtensions[1], base + kExportExtensions[2]};
}

bool CUnityExporter::ExportFiles(const CString& chosenPath)
{
    const UnityExportPaths paths = DerivePaths(chosenPath);
    if (!WriteVariablesFile(paths.variables))
        return false;
    if (m_device->devType != kDevTypeModbusPlc && !WriteFunctionModuleFile(paths.functionModule))
        return false;
    return WriteTagListCsv(paths.tagList);
}

CString CUnityExporter::GetRoutingRegisterText() const
{
    if (m_noeSlot < kFirstNoeSlot || m_noeSlot > kLastNoeSlot)
        return kNoNoeRouting;
    return DecimalText(m_noeSlot * kNoeSlotRoutingFactor);
}

CString CUnityExporter::GetLabel() const
{
    return m_deviceName.IsEmpty() ? m_baseName : m_deviceName;
}

void CUnityExporter::CountTags()
{
    m_readTagCount = m_writeTagCount = m_readRegisterCount = m_writeRegisterCount = 0;
    Records::BuildMtcpTagLists(m_project->tagMaps, m_readTagCount, m_writeTagCount, m_readRegisterCount,
                               m_writeRegisterCount);
    // Tags without a Unity type are not in the files; they take no register.
    const CIecTypeTable types;
    for (POSITION pos = m_project->tagMaps.GetHeadPosition(); pos != nullptr;) {
        const _TAGSMAP* row = m_project->tagMaps.GetNext(pos);
        if (HasUnityType(types, row->dataType))
            continue;
        if (row->direction == Records::kMtcpReadDirection)
            --m_readTagCount;
        else if (row->direction == Records::kMtcpWriteDirection)
            --m_writeTagCount;
    }
}

std::vector<CString> CUnityExporter::FindTagsWithoutUnityType() const
{
    std::vector<CString> names;
    const CIecTypeTable types;
    for (POSITION pos = m_project->tagMaps.GetHeadPosition(); pos != nullptr;) {
        const _TAGSMAP* row = m_project->tagMaps.GetNext(pos);
        if (!HasUnityType(types, row->dataType))
            names.push_back(row->tagName);
    }
    return names;
}

CString CUnityExporter::TagsLeftOutWarning(const std::vector<CString>& tagNames)
{
    CString text = kTagsLeftOut;
    for (size_t i = 0; i < tagNames.size(); ++i)
        text += (i == 0 ? "" : ", ") + tagNames[i];
    return text;
}

CString CUnityExporter::TimeStamp(LPCSTR format) const
{
    CString stamp;
    stamp.Format(format, (LPCSTR)FormatTime(m_clock(), kTimeFormat));
    return stamp;
}

int CUnityExporter::ReadStartRegister() const
{
    return m_device->RStartReg.IsEmpty() ? kDefaultReadStart : ReadDecimal(m_device->RStartReg);
}

int CUnityExporter::WriteStartRegister() const
{
    return m_device->WStartReg.IsEmpty() ? kDefaultWriteStart : ReadDecimal(m_device->WStartReg);
}

bool CUnityExporter::WriteVariablesFile(const CString& path)
{
    CountTags();

    DomDocumentPtr document;
    HRESULT created = document.CreateInstance(kClsidMsxml2DomDocument);
    if (SUCCEEDED(created) && document) {
        const HRESULT results[] = {document->put_async(VARIANT_FALSE), document->put_validateOnParse(VARIANT_FALSE),
                                   document->put_resolveExternals(VARIANT_FALSE),
                                   document->put_preserveWhiteSpace(VARIANT_TRUE)};
        for (const HRESULT result : results) {
            if (FAILED(result))
                created = result;
        }
    }
    if (FAILED(created) || !document) {
        CString text;
        text.Format(kCannotCreateDocument, static_cast<unsigned>(created));
        NoteFailure(text);
        NoteFailure(kCannotSaveDocument);
        return false;
    }

    const CString label = GetLabel();
    LPCSTR step = "Error: Add header processing instruction";
    try {
        AppendProcessingInstruction(document, "xml", kDeclarationData);

        step = "Error: Add VariablesExchangeFile";
        const DomElementPtr root = AppendElement(document, document, "VariablesExchangeFile");
        SetAttributeText(document, root, "xmlns:xsi", kXsiNamespace);
        SetAttributeText(document, root, "xsi:noNamespaceSchemaLocation", "VariablesExchangeFile.xsd", kXsiNamespace);

        step = "Error: Add FileHeader";
        const DomElementPtr fileHeader = AppendElement(document, root, "FileHeader");
        step = "Error: Add FileHeader company";
        SetAttributeText(document, fileHeader, "company", "Korvane Technology");
        step = "Error: Add FileHeader dataTime";
        SetAttributeText(document, fileHeader, "dateTime", TimeStamp(kDateAndTimeStamp));
        step = "Error: Add FileHeader content";
        SetAttributeText(document, fileHeader, "content", "Variable source file");

        step = "Error: Add contentHeader";
        const DomElementPtr contentHeader = AppendElement(document, root, "contentHeader");
        step = "Error: Add contentHeader Name";
        SetAttributeText(document, contentHeader, "name", Records::SanitizeTagName(label.Left(kContentNameLength)));
        step = "Error: Add contentHeader Version";
        SetAttributeText(document, contentHeader, "version", "0.0.000");

        step = "Error: Add dataBlock";
        struct Block {
            int tagCount;
            LPCSTR nameSuffix;
            LPCSTR typeName;
            int startRegister;
            LPCSTR direction;
        };
        const Block blocks[] = {
            {m_readTagCount, "_StartReadAddress", kReadTypeName, ReadStartRegister(), Records::kMtcpReadDirection},
            {m_writeTagCount, "_StartWriteAddress", kWriteTypeName, WriteStartRegister(), Records::kMtcpWriteDirection},
        };
        if (m_readTagCount > 0 || m_writeTagCount > 0) {
            const DomElementPtr dataBlock = AppendElement(document, root, "dataBlock");
            for (const Block& block : blocks) {
                if (block.tagCount <= 0)
                    continue;
                const DomElementPtr variable = AppendElement(document, dataBlock, "variables");
                SetAttributeText(document, variable, "name",
                                 Records::SanitizeTagName(label.Left(kVariablePrefixLength) + block.nameSuffix));
                SetAttributeText(document, variable, "typeName", block.typeName);
                SetAttributeText(document, variable, "topologicalAddress", "%MW" + DecimalText(block.startRegister));
            }
        }
        const CIecTypeTable types;
        for (const Block& block : blocks) {
            if (block.tagCount <= 0)
                continue;
            const DomElementPtr source = AppendElement(document, root, "DDTSource");
            SetAttributeText(document, source, "DDTName", block.typeName);
            SetAttributeText(document, source, "version", "0.00");
            SetAttributeText(document, source, "dateTime", TimeStamp(kDateAndTimeStamp));
            const DomElementPtr structure = AppendElement(document, source, "structure");
            for (POSITION pos = m_project->tagMaps.GetHeadPosition(); pos != nullptr;) {
                const _TAGSMAP* row = m_project->tagMaps.GetNext(pos);
                if (row->direction != block.direction || !HasUnityType(types, row->dataType))
                    continue;
                const DomElementPtr member = AppendElement(document, structure, "variables");
                SetAttributeText(document, member, "name", MemberName(row->tagName));
                SetAttributeText(document, member, "typeName", MemberTypeName(types, row->dataType));
                AppendElement(document, member, "comment");
            }
        }
    } catch (const ComError&) {
        NoteFailure(step);
        return false;
    }

    CReplacingFile file(path, kTemporaryPrefix);
    if (file.TemporaryPath().IsEmpty() || FAILED(document->save(ComVariant(file.TemporaryPath()).Get()))
        || !file.Commit()) {
        NoteFailure(kCannotSaveDocument);
        return false;
    }
    return true;
}

bool CUnityExporter::WriteTagListCsv(const CString& path)
{
    CReplacingFile file(path, kTemporaryPrefix);
    FILE* stream = file.TemporaryPath().IsEmpty() ? nullptr : fopen(file.TemporaryPath(), "wt");
    if (stream == nullptr) {
        NoteFailure(kCannotOpenOutput + path);
        return false;
    }
    bool written = true;
    const CIecTypeTable types;
    for (POSITION pos = m_project->tagMaps.GetHeadPosition(); pos != nullptr;) {
        const _TAGSMAP* row = m_project->tagMaps.GetNext(pos);
        if (HasUnityType(types, row->dataType))
            written = written && fputs(row->tagName, stream) >= 0 && fputc('\n', stream) != EOF;
    }
    written = fclose(stream) == 0 && written;
    if (!written || !file.Commit()) {
        NoteFailure(kCannotWriteOutput + path);
        return false;
    }
    return true;
}

} // namespace Corvel::Gateway
