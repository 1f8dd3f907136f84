// SCL model: CSclObjectMap, CLNodeType, CLNodeTypeDO, CDOType, CDO_DA, CDO_SDO, CDAType, CDAType_BDA,
// CIedModel, CLD, CLN, CLnDataEntry, _DATA_ITEM, CDataSet, _CFCDA.
#pragma once
#include "framework/core.h"

#include <memory>
#include <vector>

// An array of heap objects that it deletes when destroyed (file order kept).
template <class T>
class COwnedArray
{
public:
    COwnedArray() = default;
    ~COwnedArray() { RemoveAll(); }
    COwnedArray(const COwnedArray&) = delete;
    COwnedArray& operator=(const COwnedArray&) = delete;

    T* Add(T* item)
    {
        std::unique_ptr<T> owned(item);
        m_items.push_back(item);
        owned.release();
        return item;
    }
    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_items.size()); }
    T* GetAt(INT_PTR i) const { return m_items.at(static_cast<size_t>(i)); }
    T* operator[](INT_PTR i) const { return GetAt(i); }
    void RemoveAll()
    {
        for (T* item : m_items)
            delete item;
        m_items.clear();
    }

    typename std::vector<T*>::const_iterator begin() const { return m_items.begin(); }
    typename std::vector<T*>::const_iterator end() const { return m_items.end(); }

private:
    std::vector<T*> m_items;
};

class CLNodeType;
class CDOType;
class CDAType;
class CDataSet;

// A string-keyed map of SCL objects that owns them. A lookup of an absent key
// leaves a null entry, as the map's indexing does; walks skip null entries.
// An object displaced by a later one under the same key stays alive until the
// map is destroyed, since readers may still hold it.
class CSclObjectMap : public CMapStringToOb
{
    DECLARE_DYNAMIC(CSclObjectMap)
public:
    CSclObjectMap() = default;
    ~CSclObjectMap() override;

    CLNodeType* AddLNodeType(const CString& id, const CString& lnClass);
    CDOType* AddDOType(const CString& id);
    CDAType* AddDAType(const CString& id);
    CDataSet* AddDataSet(CDataSet* dataSet);
    // Stores object under key (owning it); returns it.
    CObject* AddSclObject(const CString& key, CObject* object);
    // The object under key, or null (an absent key is left with a null entry).
    CObject* FindSclObject(const CString& key);
    // Number of entries that hold an object.
    int GetObjectCount() const;
    void DeleteAll();

private:
    COwnedArray<CObject> m_displaced;
};

class CLNodeTypeDO : public CObject
{
    DECLARE_DYNAMIC(CLNodeTypeDO)
public:
    CString name;
    CString type;
};

class CLNodeType : public CObject
{
    DECLARE_DYNAMIC(CLNodeType)
public:
    CLNodeTypeDO* AddDO(const CString& name, const CString& type);

    CString id;
    CString lnClass;
    COwnedArray<CLNodeTypeDO> dataObjects;
};

class CDO_DA : public CObject
{
    DECLARE_DYNAMIC(CDO_DA)
public:
    CString name;
    CString bType;
    CString type;
    CString fc;
    CString count;
    int ctlModel = -1;
};

class CDO_SDO : public CObject
{
    DECLARE_DYNAMIC(CDO_SDO)
public:
    CString name;
    CString type;
};

class CDOType : public CObject
{
    DECLARE_DYNAMIC(CDOType)
public:
    CDO_DA* AddDA(const CString& name, const CString& bType, const CString& type, const CString& fc,
                  const CString& count);
    CDO_SDO* AddSDO(const CString& name, const CString& type);
    void SetCtlModel(int ctlModel);

    CString id;
    COwnedArray<CDO_DA> attributes;
    COwnedArray<CDO_SDO> subObjects;
};

class CDAType_BDA : public CObject
{
    DECLARE_DYNAMIC(CDAType_BDA)
public:
    CString name;
    CString type;
    CString bType;
};

class CDAType : public CObject
{
    DECLARE_DYNAMIC(CDAType)
public:
    CDAType_BDA* AddBDA(const CString& name, const CString& bType, const CString& type);

    CString id;
    COwnedArray<CDAType_BDA> members;
};

// One basic attribute of a data object, as mapped and stored in project files.
struct _DATA_ITEM
{
    CString FC;
    CString dataType;
    CString DAName;      // attribute names below the data object, joined with "."
    CString mmsDataPath; // node$fc$object$attribute
    CString domName;     // the logical device's name as the loader forms it
    CString extra;
};

class CLnDataEntry
{
public:
    explicit CLnDataEntry(const CString& name_) : name(name_) {}
    _DATA_ITEM* AddDataItem(const CString& domain, const CString& dataPath, const CString& fc,
                            const CString& displayName, const CString& bType);

    COwnedArray<_DATA_ITEM> dataItems;
    CString name;
};

class CLN : public CObject
{
    DECLARE_DYNAMIC(CLN)
public:
    CLnDataEntry* AddDataEntry(const CString& name);

    COwnedArray<CLnDataEntry> dataEntries;
    CString name;
};

class CLD : public CObject
{
    DECLARE_DYNAMIC(CLD)
public:
    CLN* AddLN(const CString& name);

    CSclObjectMap logicalNodes;
    CString name;
};

class CIedModel : public CObject
{
    DECLARE_DYNAMIC(CIedModel)
public:
    CLD* AddLD(const CString& name);
    bool ContainsDataPath(const CString& ldName, const CString& dataPath);
    // Appends a copy of every data item covered by one data set member.
    void CollectFcdaItems(std::vector<_DATA_ITEM>& result, const CString& ldInst, const CString& prefix,
                          const CString& lnClass, const CString& lnInst, const CString& doName,
                          CString daName, const CString& fc);

    CSclObjectMap logicalDevices;
    CString iedName;
};

// One data set member (FCDA) with the project fields it is mapped to.
class _CFCDA : public CObject
{
    DECLARE_DYNAMIC(_CFCDA)
public:
    CString tagName;
    CString tagUName;
    CString tagPath;
    CString FCDAPath;
    CString dataSet;
    CString domName;
    CString cidFile;
    CString ldInst;
    CString prefix;
    CString lnInst;
    CString lnClass;
    CString doName;
    CString daName;
    CString fc;
    CString prefixDoInst; // prefix + doName + lnInst
    CString lnName;       // prefix + lnClass + lnInst
};

class CDataSet : public CObject
{
    DECLARE_DYNAMIC(CDataSet)
public:
    _CFCDA* AddFCDA(const CString& doName, const CString& daName, const CString& ldInst, const CString& prefix,
                    const CString& lnInst, const CString& lnClass, const CString& fc);

    COwnedArray<_CFCDA> members;
    CString name;
    CString desc;
};

// 0 when parentPath is empty, equals path, or path continues it after a "."; else -1.
int IsSameOrBelowPath(const CString& parentPath, const CString& path);
