// CIecTypeTable, IecTypeEntry, GetIecTypeSize: the PLC-side room of each IEC 61850 basic type.
#pragma once
#include "framework/core.h"

#include <map>
#include <memory>

struct IecTypeEntry
{
    CString iecType;
    CStringArray plcTypes;
    int registerCount = 0;
    int elementCount = 0;
    int arrayDim = 0;
    CString registerType;
};

class CIecTypeTable
{
public:
    CIecTypeTable();
    ~CIecTypeTable();
    CIecTypeTable(const CIecTypeTable&) = delete;
    CIecTypeTable& operator=(const CIecTypeTable&) = delete;

    // Register count of the type (0 when unknown); registerType receives the element type.
    int GetRegisterCount(const CString& iecType, CString& registerType) const;
    int GetElementCount(const CString& iecType, CString& registerType) const;
    int GetArrayDimension(const CString& iecType) const;
    // The PLC data type that represents the IEC type; empty when the table has no row for it.
    CString GetPlcType(const CString& iecType) const;
    static void GetPlcTypeNames(CStringArray& names);

private:
    const IecTypeEntry* Find(const CString& iecType) const;

    std::map<CString, IecTypeEntry*> m_entries;
};

// Byte size of a type on an EtherNet/IP connection; -1 for an unknown type, which the caller reports
// ("ERROR: Unsupported data type: '%s'", kUnsupportedTypeMessage).
int GetIecTypeSize(const CString& typeName);
extern const char kUnsupportedTypeMessage[];
