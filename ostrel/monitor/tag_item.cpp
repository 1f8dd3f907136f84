#include "ostrel/monitor/tag_item.h"

#include "ostrel/monitor/diagnostic_client.h"
#include "ostrel/monitor/monitor_limits.h"

namespace {

const char kNodeStatusType[] = "STATUSIEC61850CNode";
const char kBaseStatusType[] = "STATUSIEC61850CBase";
const char kNodeStatusSuffix[] = ".nodeStatus";
const char kReconnectsSuffix[] = ".noReconnects";

} // namespace

CString StatusRequestName(const CString& name, const CString& dataType)
{
    if (dataType == kNodeStatusType)
        return name + kNodeStatusSuffix;
    if (dataType.CompareNoCase(kBaseStatusType) == 0)
        return name + kReconnectsSuffix;
    return name;
}

CString StripStatusSuffix(const CString& name)
{
    for (LPCSTR suffix : {kNodeStatusSuffix, kReconnectsSuffix}) {
        const int length = static_cast<int>(strlen(suffix));
        if (name.GetLength() >= length && name.Right(length) == suffix)
            return name.Left(name.GetLength() - length);
    }
    return name;
}

void TagItem::Define(const TagDefinition& definition)
{
    m_name = definition.name;
    m_dataType = definition.dataType;
    m_comment = definition.comment;
    m_elementCount = definition.elementCount > 0 ? definition.elementCount : 0;
    m_level = definition.level;
    m_typeCode = TagTypeCodeOf(definition.dataType, definition.isStructure);
    ShowText(kColumnName, m_name);
    CString shownType = m_dataType;
    if (m_elementCount > 0)
        shownType.AppendFormat("[%d]", m_elementCount);
    ShowText(kColumnDataType, shownType);
    ShowText(kColumnComment, m_comment);
}

void TagItem::SetMbAddress(const CString& address)
{
    m_mbAddress = address;
    ShowText(kColumnAddress, address);
}

void TagItem::SetPath(const CString& path)
{
    m_path = path;
    ShowText(kColumnPath, path);
}

void TagItem::SetValue(const CString& value)
{
    m_value = value;
    ShowText(kColumnValue, FormatTagValue(m_value, m_typeCode, m_displayFormat));
}

void TagItem::SetDisplayFormat(int format)
{
    if (format < kDisplayDecimal || format > kDisplayBinary)
        return;
    if (format != kDisplayDecimal && (!HasNumberFormats(m_typeCode) || m_elementCount > 0))
        return;
    m_displayFormat = format;
    ShowText(kColumnValue, FormatTagValue(m_value, m_typeCode, m_displayFormat));
}

int TagItem::WriteValue(const CString& typed, CDiagnosticClient& client)
{
    CString value;
    const int converted = ParseTagInput(typed, m_typeCode, m_displayFormat, value);
    if (converted != kMonitorSuccess)
        return converted;
    const int result = client.SetTagValue(GetRequestName(), value);
    if (result == kMonitorSuccess)
        SetValue(value);
    return result;
}

CString TagItem::GetRequestName() const
{
    return StatusRequestName(m_name, m_dataType);
}
