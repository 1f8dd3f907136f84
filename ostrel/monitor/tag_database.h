// TagDatabase, TagTable, TagMember: the process-wide tags of the monitored module, read from its configuration, refreshed from its replies, and written out as text.
#pragma once

#include "common/msxml_support.h"
#include "ostrel/monitor/tag_item.h"

#include <map>
#include <utility>
#include <vector>

class CDiagnosticClient;

// One member of a structured data type.
struct TagMember {
    CString name;
    CString dataType;
    // dim0: 0 for a scalar.
    int elementCount = 0;
};

// What the tag database asks of the table that shows the tags (the main
// dialog's grid). Rows count from 1; each row shows one tag.
class TagTable {
public:
    virtual ~TagTable() = default;

    // The last row; 0 when the table holds no tag.
    virtual int GetLastRow() const = 0;
    // The tag shown in row, or null.
    virtual TagItem* GetTag(int row) const = 0;
    // A new row at the end, showing a new tag (owned by the table).
    virtual TagItem* AppendTag() = 0;
    virtual CString GetText(int row, int column) const = 0;
    // Gives the column no width.
    virtual void HideColumn(int column) = 0;
    // Sorts the rows by the number in column, ascending; rows of equal numbers keep their order.
    virtual void SortRowsByNumber(int column) = 0;
    // Shows each row's number (from 1) in column 0.
    virtual void NumberRows() = 0;
};

// The tags by name and the configuration's structured data types. The
// table owns the tags; the map only refers to them.
class TagDatabase {
public:
    // The program's one tag database, made on first use.
    static TagDatabase& GetInstance();

    TagDatabase() = default;
    TagDatabase(const TagDatabase&) = delete;
    TagDatabase& operator=(const TagDatabase&) = delete;

    // The table the tags are shown in (the main dialog sets its grid), and the client that asks the module.
    void SetTable(TagTable* table) { m_table = table; }
    TagTable* GetTable() const { return m_table; }
    void SetClient(CDiagnosticClient* client) { m_client = client; }
    CDiagnosticClient& GetClient() const;

    // Fetches the module's configuration and appends one row per tag, with
    // its Modbus address and IEC 61850 path; 0, or the client's -1000.
    int LoadConfiguration();
    // The same for a configuration already fetched from the module at address.
    void ShowConfiguration(const DomDocumentPtr& document, const CString& address);
    // Asks the module for the values of the tags in rows first to last and
    // shows them; throws the int 1 when the module cannot be reached.
    void RefreshRows(int first, int last);

    void AddTag(const CString& name, TagItem* tag);
    void RemoveTag(const CString& name);
    TagItem* FindTag(const CString& name) const;
    size_t GetTagCount() const { return m_tags.size(); }
    // The members of a structured data type, or null for any other name.
    const std::vector<TagMember>* FindDataType(const CString& name) const;

    // The module's event log and running drivers as text lines in file; 0, or -1000 when the module gave none.
    int WriteEventLog(const CString& file);
    int WriteRunningDrivers(const CString& file);
    // Each row's tag name, data type, value and comment as comma-separated text; false when the file cannot be written.
    bool ExportCsv(const CString& file) const;

private:
    // Reads the configuration document into the data types, the rows and the tag map.
    void ReadConfiguration(const DomDocumentPtr& document);
    void ReadDataTypes(const DomDocumentPtr& document);
    void ReadTags(const DomDocumentPtr& document);
    // True when any "Map" gave a tag its address.
    bool ReadModbusAddresses(const DomDocumentPtr& document);
    // True when any "TagMapData" element exists.
    bool ReadPaths(const DomDocumentPtr& document);
    // Asks for the tags of the rows in one request and shows the values of the reply.
    void RequestValues(int count, const CString& tagList);

    TagTable* m_table = nullptr;
    CDiagnosticClient* m_client = nullptr;
    std::map<CString, TagItem*> m_tags;
    std::map<CString, std::vector<TagMember>> m_dataTypes;
};

// A CSV field: quoted (quotes doubled) when it holds a comma, a quote or a line break.
CString CsvField(const CString& text);

// The item of tag index in a gettagsvalue list: "&tag", the index, "=" and the name.
CString TagListItem(int index, const CString& name);
// The name and value of each tag of a "tagsdata" reply, names as the module gave them.
std::vector<std::pair<CString, CString>> TagValuesOfReply(const DomDocumentPtr& reply);
// The lines of an event-log reply (fields and value items separated by blanks) and of a running-drivers reply
// (name and resource).
std::vector<CString> EventLogLines(const DomDocumentPtr& reply);
std::vector<CString> RunningDriverLines(const DomDocumentPtr& reply);
