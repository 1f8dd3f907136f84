// The type-template loaders of CIEDTree.
#include "corvel/mapping/ied_tree.h"

#include "corvel/model/scl_reading.h"

namespace {

const char kLNodeTypes[] = "//SCL/DataTypeTemplates/LNodeType";
const char kDOTypes[] = "//SCL/DataTypeTemplates/DOType";
const char kDATypes[] = "//SCL/DataTypeTemplates/DAType";

} // namespace

void CIEDTree::LoadLNodeTypes()
{
    m_doTypeCtlModelsIndexed = false;
    CSelection types(m_document, kLNodeTypes);
    for (DomNodePtr element = types.Next(); element; element = types.Next()) {
        const CSclAttributes attributes(element);
        const CString id = attributes.Required("id");
        const CString lnClass = attributes.Required("lnClass");
        CLNodeType* type = m_lnodeTypes.AddLNodeType(id, lnClass);

        CChildElements children(element);
        for (DomNodePtr child = children.Next(); child; child = children.Next()) {
            if (NodeName(child) != "DO")
                continue;
            const CSclAttributes doAttributes(child);
            const CString name = doAttributes.Required("name");
            const CString doType = doAttributes.Required("type");
            const int code = FindDoTypeCtlModel(doType);
            StoreCtlModel(*m_ctlModels, m_domain, lnClass + "$CO$" + name + "$Oper", code);
            if (name == "Pos") {
                m_controlEntries.push_back({m_iedName, lnClass, doType, 0});
                m_ctlModelKeys[m_iedName + "$" + lnClass + "$Pos"] = 0;
            }
            type->AddDO(name, doType);
        }
    }
}

int CIEDTree::FindDoTypeCtlModel(const CString& typeId)
{
    if (!m_doTypeCtlModelsIndexed)
        IndexDoTypeCtlModels();
    const auto found = m_doTypeCtlModels.find(typeId);
    return found != m_doTypeCtlModels.end() ? found->second : kCtlStatusOnly;
}

// One pass over the DOTypes: for each id, the ctlModel value of the last DOType of that id that has one.
void CIEDTree::IndexDoTypeCtlModels()
{
    m_doTypeCtlModels.clear();
    CSelection types(m_document, kDOTypes);
    for (DomNodePtr element = types.Next(); element; element = types.Next()) {
        const CString id = CSclAttributes(element).Required("id");
        CChildElements children(element);
        for (DomNodePtr child = children.Next(); child; child = children.Next()) {
            CString name;
            if (!CSclAttributes(child).Find("name", name) || name != "ctlModel")
                continue;
            if (const DomNodePtr value = FindChildElement(child, "Val")) {
                m_doTypeCtlModels[id] = CtlModelFromText(NodeText(value));
                break;
            }
        }
    }
    m_doTypeCtlModelsIndexed = true;
}

void CIEDTree::LoadDATypes()
{
    CSelection types(m_document, kDATypes);
    for (DomNodePtr element = types.Next(); element; element = types.Next()) {
        CDAType* type = m_daTypes.AddDAType(CSclAttributes(element).Required("id"));
        CChildElements children(element);
        for (DomNodePtr child = children.Next(); child; child = children.Next()) {
            if (NodeName(child) != "BDA")
                continue;
            const CSclAttributes attributes(child);
            const CString name = attributes.Required("name");
            const CString bType = attributes.Required("bType");
            type->AddBDA(name, bType, attributes.Get("type"));
        }
    }
}

void CIEDTree::LoadDOTypes()
{
    CSelection types(m_document, kDOTypes);
    for (DomNodePtr element = types.Next(); element; element = types.Next()) {
        const CString id = CSclAttributes(element).Required("id");
        CDOType* type = m_doTypes.AddDOType(id);
        CChildElements children(element);
        for (DomNodePtr child = children.Next(); child; child = children.Next()) {
            const CString nodeName = NodeName(child);
            if (nodeName == "DA") {
                const CSclAttributes attributes(child);
                const CString name = attributes.Required("name");
                const CString bType = attributes.Required("bType");
                const CString typeRef = attributes.Get("type");
                const CString fc = attributes.Required("fc");
                type->AddDA(name, bType, typeRef, fc, attributes.Get("count", "0"));
                if (name != "ctlModel")
                    continue;
                const DomNodePtr value = FindChildElement(child, "Val");
                if (!value)
                    continue;
                const int code = CtlModelFromText(NodeText(value));
                type->SetCtlModel(code);
                StoreCtlModel(*m_ctlModels, m_iedName, id, code);
                m_ctlModelKeys[id] = code;
                for (_DA_CTL& control : m_controlEntries) {
                    if (control.doType == id)
                        control.ctlModel = code;
                }
            } else if (nodeName == "SDO") {
                const CSclAttributes attributes(child);
                const CString name = attributes.Required("name");
                type->AddSDO(name, attributes.Required("type"));
            }
        }
    }
}
