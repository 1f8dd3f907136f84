#include "corvel/model/scl_model.h"

IMPLEMENT_DYNAMIC(CSclObjectMap, CMapStringToOb)
IMPLEMENT_DYNAMIC(CLNodeTypeDO, CObject)
IMPLEMENT_DYNAMIC(CLNodeType, CObject)
IMPLEMENT_DYNAMIC(CDO_DA, CObject)
IMPLEMENT_DYNAMIC(CDO_SDO, CObject)
IMPLEMENT_DYNAMIC(CDOType, CObject)
IMPLEMENT_DYNAMIC(CDAType_BDA, CObject)
IMPLEMENT_DYNAMIC(CDAType, CObject)
IMPLEMENT_DYNAMIC(CLN, CObject)
IMPLEMENT_DYNAMIC(CLD, CObject)
IMPLEMENT_DYNAMIC(CIedModel, CObject)
IMPLEMENT_DYNAMIC(_CFCDA, CObject)
IMPLEMENT_DYNAMIC(CDataSet, CObject)

CSclObjectMap::~CSclObjectMap()
{
    DeleteAll();
}

void CSclObjectMap::DeleteAll()
{
    for (POSITION pos = GetStartPosition(); pos != nullptr;) {
        CString key;
        CObject* object = nullptr;
        GetNextAssoc(pos, key, object);
        delete object;
    }
    RemoveAll();
    m_displaced.RemoveAll();
}

CObject* CSclObjectMap::AddSclObject(const CString& key, CObject* object)
{
    CObject* previous = nullptr;
    if (Lookup(key, previous) && previous != nullptr && previous != object)
        m_displaced.Add(previous);
    SetAt(key, object);
    return object;
}

CObject* CSclObjectMap::FindSclObject(const CString& key)
{
    return (*this)[key];
}

int CSclObjectMap::GetObjectCount() const
{
    int count = 0;
    for (POSITION pos = GetStartPosition(); pos != nullptr;) {
        CString key;
        CObject* object = nullptr;
        GetNextAssoc(pos, key, object);
        if (object != nullptr)
            ++count;
    }
    return count;
}

CLNodeType* CSclObjectMap::AddLNodeType(const CString& id, const CString& lnClass)
{
    auto* type = new CLNodeType;
    type->id = id;
    type->lnClass = lnClass;
    AddSclObject(id, type);
    return type;
}

CDOType* CSclObjectMap::AddDOType(const CString& id)
{
    auto* type = new CDOType;
    type->id = id;
    AddSclObject(id, type);
    return type;
}

CDAType* CSclObjectMap::AddDAType(const CString& id)
{
    auto* type = new CDAType;
    type->id = id;
    AddSclObject(id, type);
    return type;
}

CDataSet* CSclObjectMap::AddDataSet(CDataSet* dataSet)
{
    AddSclObject(dataSet->name, dataSet);
    return dataSet;
}

CLNodeTypeDO* CLNodeType::AddDO(const CString& name, const CString& type)
{
    auto* item = new CLNodeTypeDO;
    item->name = name;
    item->type = type;
    return dataObjects.Add(item);
}

CDO_DA* CDOType::AddDA(const CString& name, const CString& bType, const CString& type, const CString& fc,
                       const CString& count)
{
    auto* item = new CDO_DA;
    item->name = name;
    item->bType = bType;
    item->type = type;
    item->fc = fc;
    item->count = count;
    return attributes.Add(item);
}

CDO_SDO* CDOType::AddSDO(const CString& name, const CString& type)
{
    auto* item = new CDO_SDO;
    item->name = name;
    item->type = type;
    return subObjects.Add(item);
}

void CDOType::SetCtlModel(int ctlModel)
{
    for (CDO_DA* attribute : attributes)
        attribute->ctlModel = ctlModel;
}

CDAType_BDA* CDAType::AddBDA(const CString& name, const CString& bType, const CString& type)
{
    auto* item = new CDAType_BDA;
    item->name = name;
    item->bType = bType;
    item->type = type;
    return members.Add(item);
}

_DATA_ITEM* CLnDataEntry::AddDataItem(const CString& domain, const CString& dataPath, const CString& fc,
                                      const CString& displayName, const CString& bType)
{
    auto* item = new _DATA_ITEM;
    item->domName = domain;
    item->mmsDataPath = dataPath;
    item->FC = fc;
    item->DAName = displayName;
    item->dataType = bType;
    return dataItems.Add(item);
}

CLnDataEntry* CLN::AddDataEntry(const CString& name_)
{
    return dataEntries.Add(new CLnDataEntry(name_));
}

CLN* CLD::AddLN(const CString& name_)
{
    auto* node = new CLN;
    node->name = name_;
    logicalNodes.AddSclObject(name_, node);
    return node;
}

CLD* CIedModel::AddLD(const CString& name)
{
    auto* device = new CLD;
    device->name = name;
    logicalDevices.AddSclObject(name, device);
    return device;
}

bool CIedModel::ContainsDataPath(const CString& ldName, const CString& dataPath)
{
    CString deviceName = ldName;
    if (!iedName.IsEmpty() && deviceName.Find(iedName) >= 0)
        deviceName = deviceName.Mid(iedName.GetLength());
    auto* device = static_cast<CLD*>(logicalDevices.FindSclObject(deviceName));
    if (device == nullptr)
        return false;
    const int dollar = dataPath.Find('$');
    const CString nodeName = dollar < 0 ? dataPath : dataPath.Left(dollar);
    auto* node = static_cast<CLN*>(device->logicalNodes.FindSclObject(nodeName));
    if (node == nullptr)
        return false;
    for (CLnDataEntry* entry : node->dataEntries)
        for (_DATA_ITEM* item : entry->dataItems)
            if (item->mmsDataPath == dataPath)
                return true;
    return false;
}

int IsSameOrBelowPath(const CString& parentPath, const CString& path)
{
    if (parentPath.IsEmpty() || parentPath == path)
        return 0;
    if (path.GetLength() > parentPath.GetLength() && path.Left(parentPath.GetLength()) == parentPath &&
        path[parentPath.GetLength()] == '.')
        return 0;
    return -1;
}

void CIedModel::CollectFcdaItems(std::vector<_DATA_ITEM>& result, const CString& ldInst, const CString& prefix,
                                 const CString& lnClass, const CString& lnInst, const CString& doName,
                                 CString daName, const CString& fc)
{
    CString objectName = doName;
    const int dot = doName.Find('.');
    if (dot >= 0) {
        objectName = doName.Left(dot);
        CString joined;
        joined.Format("%s.%s", (LPCSTR)doName.Mid(dot + 1), (LPCSTR)daName);
        daName = joined;
    }
    auto* device = static_cast<CLD*>(logicalDevices.FindSclObject(ldInst));
    if (device == nullptr)
        return;
    auto* node = static_cast<CLN*>(device->logicalNodes.FindSclObject(prefix + lnClass + lnInst));
    if (node == nullptr)
        return;
    const bool dotted = daName.Find('.') >= 0;
    for (CLnDataEntry* entry : node->dataEntries) {
        if (!objectName.IsEmpty() && entry->name != objectName)
            continue;
        for (_DATA_ITEM* item : entry->dataItems) {
            if (item->FC != fc)
                continue;
            const bool covered = dotted ? item->DAName.Find(daName) >= 0 : IsSameOrBelowPath(daName, item->DAName) == 0;
            if (covered)
                result.push_back(*item);
        }
    }
}

_CFCDA* CDataSet::AddFCDA(const CString& doName, const CString& daName, const CString& ldInst,
                          const CString& prefix, const CString& lnInst, const CString& lnClass, const CString& fc)
{
    auto* member = new _CFCDA;
    member->doName = doName;
    member->daName = daName;
    member->ldInst = ldInst;
    member->prefix = prefix;
    member->lnInst = lnInst;
    member->lnClass = lnClass;
    member->fc = fc;
    member->prefixDoInst.Format("%s%s%s", (LPCSTR)prefix, (LPCSTR)doName, (LPCSTR)lnInst);
    member->lnName.Format("%s%s%s", (LPCSTR)prefix, (LPCSTR)lnClass, (LPCSTR)lnInst);
    return members.Add(member);
}
