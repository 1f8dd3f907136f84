// TagItem, TagDefinition, TagColumn: the data of one monitored tag (a tag of the configuration, or an element or member of one) and the texts it shows in its row.
#pragma once

#include "framework/strings.h"
#include "ostrel/monitor/tag_values.h"

class CDiagnosticClient;

// The columns of a tag's row.
enum TagColumn {
    kColumnNumber = 0,
    kColumnName = 1,
    kColumnAddress = 2,
    kColumnPath = 3,
    kColumnDataType = 4,
    kColumnValue = 5,
    kColumnComment = 6,
    kTagColumnCount = 7,
};

// What a row shows of a tag before the module is asked.
struct TagDefinition {
    CString name;
    CString dataType;
    CString comment;
    // dim0: 0 for a scalar.
    int elementCount = 0;
    // 1 for a tag of the configuration, one more for each level of expansion.
    int level = 1;
    // The data type is one of the configuration's structures.
    bool isStructure = false;
};

// A tag's data. Each text it holds is also shown in its row through
// ShowText, which the table's cell implements.
class TagItem {
public:
    virtual ~TagItem() = default;

    // Stores the definition and shows name, data type (with "[count]" for an array) and comment.
    void Define(const TagDefinition& definition);
    void SetMbAddress(const CString& address);
    void SetPath(const CString& path);
    // Stores the module's decimal value and shows it in the display format.
    void SetValue(const CString& value);
    // 1 decimal, 2 hexadecimal, 3 binary; other values, and formats a type cannot show, are ignored.
    void SetDisplayFormat(int format);
    // Converts the typed text from the display format and sends it as the
    // tag's value; stores it when the module took it. 0, -1000 (no answer)
    // or -997 (the text does not convert, or would change the request).
    int WriteValue(const CString& typed, CDiagnosticClient& client);

    const CString& GetName() const { return m_name; }
    const CString& GetDataType() const { return m_dataType; }
    const CString& GetComment() const { return m_comment; }
    const CString& GetValue() const { return m_value; }
    const CString& GetMbAddress() const { return m_mbAddress; }
    const CString& GetPath() const { return m_path; }
    int GetLevel() const { return m_level; }
    int GetTypeCode() const { return m_typeCode; }
    int GetElementCount() const { return m_elementCount; }
    int GetDisplayFormat() const { return m_displayFormat; }
    // Arrays and structures expand into rows of their elements or members.
    bool IsExpandable() const { return m_elementCount > 0 || m_typeCode == kTagStructure; }
    bool IsExpanded() const { return m_expanded; }
    // The name the module knows the tag by (status tags carry a suffix).
    CString GetRequestName() const;
    // The row that showed the tag when it was last drawn or asked for.
    int GetRow() const { return m_row; }
    void SetRow(int row) { m_row = row; }

protected:
    // Shows text in the tag's row, in column.
    virtual void ShowText(int column, const CString& text) = 0;

    bool m_expanded = false;
    int m_childCount = 0;
    int m_row = 0;

private:
    CString m_name;
    CString m_dataType;
    CString m_comment;
    int m_level = 1;
    int m_typeCode = kTagOther;
    int m_elementCount = 0;
    CString m_value;
    int m_displayFormat = kDisplayDecimal;
    CString m_mbAddress;
    CString m_path;
};

// The name under which the module knows a tag of this data type: status tags carry ".nodeStatus" or ".noReconnects".
CString StatusRequestName(const CString& name, const CString& dataType);
// A name from a module reply without its status suffix.
CString StripStatusSuffix(const CString& name);
