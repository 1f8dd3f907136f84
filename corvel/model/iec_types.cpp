#include "corvel/model/iec_types.h"

namespace {

struct Row
{
    const char* iecType;
    const char* plcType;
    int registerCount;
    int elementCount;
    int arrayDim;
    const char* registerType;
};

const Row kConversionRows[] = {
    {"BOOLEAN", "BOOL", 1, 1, 0, "INT"},
    {"INT8", "BYTE", 1, 1, 0, "INT"},
    {"INT16", "INT", 2, 1, 0, "INT"},
    {"INT24", "DINT", 2, 2, 0, "INT"},
    {"INT32", "DINT", 2, 2, 0, "INT"},
    {"INT128", "DINT", 4, 4, 4, "INT"},
    {"INT8U", "UBYTE", 1, 1, 0, "INT"},
    {"INT16U", "UINT", 2, 1, 0, "INT"},
    {"INT24U", "UDINT", 2, 2, 0, "INT"},
    {"INT32U", "UDINT", 2, 1, 0, "UDINT"},
    {"FLOAT32", "REAL", 2, 1, 0, "REAL"},
    {"FLOAT64", "DREAL", 4, 2, 0, "REAL"},
    {"Enum", "INT", 1, 1, 0, "INT"},
    {"Dbpos", "INT", 1, 1, 0, "INT"},
    {"Tcmd", "INT", 1, 1, 0, "INT"},
    {"Quality", "INT", 1, 1, 0, "INT"},
    {"Timestamp", "DATETIME", 4, 4, 0, "INT"},
    {"VisString32", "STRING", 51, 51, 0, "INT"},
    {"VisString64", "STRING", 51, 51, 0, "INT"},
    {"VisString65", "STRING", 51, 51, 0, "INT"},
    {"VisString255", "STRING", 51, 51, 0, "INT"},
    {"Octet64", "INT", 32, 32, 32, "INT"},
    {"EntryTime", "DATETIME", 2, 2, 0, "INT"},
    {"Unicode255", "STRING", 51, 51, 0, "INT"},
    {"BitString", "UINT", 1, 1, 0, "INT"},
    {"Check", "INT", 1, 1, 0, "INT"},
};

struct SizeRow
{
    const char* typeName;
    int bytes;
};

const SizeRow kSizeRows[] = {
    {"BOOLEAN", 1}, {"INT8", 1}, {"INT16", 2}, {"INT24", 4}, {"INT32", 4}, {"INT128", 4},
    {"INT8U", 1}, {"INT16U", 2}, {"INT24U", 4}, {"INT32U", 4}, {"Octet64", 64},
    {"FLOAT32", 4}, {"FLOAT64", 8}, {"ENUMERATED", 2}, {"Enum", 2}, {"Dbpos", 2},
    {"Tcmd", 2}, {"Check", 1}, {"CODED ENUM", 2}, {"Quality", 2}, {"Timestamp", 8},
    {"EntryTime", 8}, {"BitString", 1}, {"VisString32", 102}, {"VisString64", 102},
    {"VisString65", 102}, {"VisString255", 102}, {"Unicode255", 102},
    {"OCTET STRING", 102}, {"VISIBLE STRING", 102}, {"UNICODE STRING", 102},
};

const char* const kPlcTypeNames[] = {
    "BOOL", "BYTE", "INT", "WORD", "UINT", "UWORD", "DINT", "REAL", "STRING", "UDINT", "TIME", "DATE", "DT",
};

} // namespace

CIecTypeTable::CIecTypeTable()
{
    for (const Row& row : kConversionRows) {
        auto entry = std::make_unique<IecTypeEntry>();
        entry->iecType = row.iecType;
        entry->plcTypes.Add(row.plcType);
        entry->registerCount = row.registerCount;
        entry->elementCount = row.elementCount;
        entry->arrayDim = row.arrayDim;
        entry->registerType = row.registerType;
        const CString key = entry->iecType;
        m_entries[key] = entry.release();
    }
}

CIecTypeTable::~CIecTypeTable()
{
    for (auto& item : m_entries)
        delete item.second;
}

const IecTypeEntry* CIecTypeTable::Find(const CString& iecType) const
{
    auto found = m_entries.find(iecType);
    return found == m_entries.end() ? nullptr : found->second;
}

int CIecTypeTable::GetRegisterCount(const CString& iecType, CString& registerType) const
{
    const IecTypeEntry* entry = Find(iecType);
    registerType = entry ? entry->registerType : CString();
    return entry ? entry->registerCount : 0;
}

int CIecTypeTable::GetElementCount(const CString& iecType, CString& registerType) const
{
    const IecTypeEntry* entry = Find(iecType);
    registerType = entry ? entry->registerType : CString();
    return entry ? entry->elementCount : 0;
}

int CIecTypeTable::GetArrayDimension(const CString& iecType) const
{
    const IecTypeEntry* entry = Find(iecType);
    return entry ? entry->arrayDim : 0;
}

CString CIecTypeTable::GetPlcType(const CString& iecType) const
{
    const IecTypeEntry* entry = Find(iecType);
    return entry != nullptr && entry->plcTypes.GetSize() > 0 ? entry->plcTypes[0] : CString();
}

void CIecTypeTable::GetPlcTypeNames(CStringArray& names)
{
    names.RemoveAll();
    for (const char* name : kPlcTypeNames)
        names.Add(name);
}

const char kUnsupportedTypeMessage[] = "ERROR: Unsupported data type: '%s'";

int GetIecTypeSize(const CString& typeName)
{
    for (const SizeRow& row : kSizeRows)
        if (typeName == row.typeName)
            return row.bytes;
    return -1;
}
