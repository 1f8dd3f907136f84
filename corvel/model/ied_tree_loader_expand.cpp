// The expansion of data objects and structured attributes into tree items and data items.
#include "corvel/model/ied_tree_loader.h"

#include "corvel/model/scl_reading.h"

#include <memory>

namespace {

// Deepest nesting of sub data objects and structures followed; a type that contains itself goes no deeper.
constexpr int kMaxTypeNesting = 32;

// Counts one level of type nesting while it lives.
class CNestingLevel {
public:
    CNestingLevel(int& nesting, LPCSTR kind, const CString& typeId) : m_nesting(nesting)
    {
        if (m_nesting >= kMaxTypeNesting) {
            CString message;
            message.Format("Cannot load the SCL file: the %s \"%s\" nests more than %d levels deep.", kind,
                           (LPCSTR)typeId, kMaxTypeNesting);
            throw ComError(E_FAIL, message);
        }
        ++m_nesting;
    }
    ~CNestingLevel() { --m_nesting; }
    CNestingLevel(const CNestingLevel&) = delete;
    CNestingLevel& operator=(const CNestingLevel&) = delete;

private:
    int& m_nesting;
};

bool IsControlName(const CString& ctlName)
{
    return ctlName == "SBO" || ctlName == "SBOw";
}

} // namespace

void CIedTreeLoader::ExpandDOType(const CString& domain, const CString& node, const CString& objectPath,
                            CSclObjectMap& doTypes, CSclObjectMap& daTypes, const CString& typeId, IedTreeItemId parent,
                            CLnDataEntry* entry, const CString& dottedPrefix)
{
    auto* type = static_cast<CDOType*>(doTypes.FindSclObject(typeId));
    if (type == nullptr)
        return;
    const CNestingLevel level(m_typeNesting, "DOType", typeId);
    for (CDO_DA* attribute : type->attributes) {
        const int icon = FcCode(attribute->fc);
        const bool control = attribute->fc == "CO";
        if (control && attribute->ctlModel == -1) {
            CString reference;
            reference.Format("%s$%s$%s", (LPCSTR)domain, (LPCSTR)node, (LPCSTR)objectPath);
            attribute->ctlModel = LookupCtlModel(*m_ctlModels, m_iedName, reference);
        }
        const CString ctlName = control ? attribute->name : CString();
        if (attribute->bType == "Struct") {
            const IedTreeItemId item = InsertTreeItem(attribute->name, icon, parent);
            CString childPath = objectPath + "$" + attribute->name;
            if (attribute->count != "0")
                childPath += "[" + attribute->count + "]";
            ExpandDAType(domain, node, attribute->fc, childPath, daTypes, attribute->type, item, entry,
                         dottedPrefix + attribute->name + ".", attribute->ctlModel, ctlName);
        } else {
            AddLeaf(domain, node, attribute->fc, objectPath, attribute->name, attribute->bType, dottedPrefix, control,
                    attribute->ctlModel, ctlName, parent, entry);
        }
    }
    for (CDO_SDO* subObject : type->subObjects) {
        const IedTreeItemId item = InsertTreeItem(subObject->name, kImageSubDataObject, parent);
        ExpandDOType(domain, node, objectPath + "$" + subObject->name, doTypes, daTypes, subObject->type, item, entry,
                     dottedPrefix + subObject->name + ".");
    }
}

void CIedTreeLoader::ExpandDAType(const CString& domain, const CString& node, const CString& fc,
                            const CString& objectPath, CSclObjectMap& daTypes, const CString& typeId,
                            IedTreeItemId parent, CLnDataEntry* entry, const CString& dottedPrefix, int ctlModel,
                            const CString& ctlName)
{
    auto* type = static_cast<CDAType*>(daTypes.FindSclObject(typeId));
    if (type == nullptr)
        return;
    const CNestingLevel level(m_typeNesting, "DAType", typeId);
    const bool control = fc == "CO" || fc == "SP";
    for (CDAType_BDA* member : type->members) {
        if (member->bType == "Struct") {
            const IedTreeItemId item = InsertTreeItem(member->name, 0, parent);
            ExpandDAType(domain, node, fc, objectPath + "$" + member->name, daTypes, member->type, item, entry,
                         dottedPrefix + member->name + ".", ctlModel, ctlName);
        } else {
            AddLeaf(domain, node, fc, objectPath, member->name, member->bType, dottedPrefix, control, ctlModel,
                    ctlName, parent, entry);
        }
    }
}

void CIedTreeLoader::AddLeaf(const CString& domain, const CString& node, const CString& fc, const CString& objectPath,
                       const CString& name, const CString& bType, const CString& dottedPrefix, bool control,
                       int ctlModel, const CString& ctlName, IedTreeItemId parent, CLnDataEntry* entry)
{
    const CString dataPath = node + "$" + fc + "$" + objectPath + "$" + name;
    entry->AddDataItem(domain, dataPath, fc, dottedPrefix + name, bType);

    std::unique_ptr<CTreeModelRecord> record;
    if (!control || !IsControlName(ctlName)) {
        record = std::make_unique<CTreeModelRecord>();
        record->dataPath.Format("%s", (LPCSTR)dataPath);
        record->namePrefix.Format("%s", (LPCSTR)domain);
        record->dataType.Format("%s", (LPCSTR)bType);
        if (control) {
            record->isControl = 1;
            record->ctlModel = ctlModel;
            record->ctlName = ctlName;
        }
    }
    int icon = kImageControl;
    if (!control)
        icon = (bType == "INT64" || bType == "INT128") ? kImageLargeInteger : FcCode(fc);
    InsertTreeItem(name, icon, parent, record.release());
}
