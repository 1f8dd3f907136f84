// The type-template loaders of CIedTreeLoader.
#include "corvel/model/ied_tree_loader.h"

#include "corvel/model/scl_reading.h"

namespace {

const char kLNodeTypes[] = "//SCL/DataTypeTemplates/LNodeType";
const char kDOTypes[] = "//SCL/DataTypeTemplates/DOType";
const char kDATypes[] = "//SCL/DataTypeTemplates/DAType";

} // namespace

void CIedTreeLoader::LoadLNodeTypes()
{
    m_doTypesParsed = false;
    CSelection types(m_document, kLNodeTypes);
    for (DomNodePtr element = types.Next(); element; element = types.Next()) {
        const CSclAttributes attributes(element);
        const CString id = attributes.Required("id");
        const CString lnClass = attributes.Required("lnClass");
        CLNodeType* type = m_lnodeTypes.AddLNodeType(id, lnClass);

        CChildElements children(element);
        for (DomNodePtr child = children.Next(); child; child = children.Next()) {
            if (!IsNamed(child, "DO"))
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

int CIedTreeLoader::FindDoTypeCtlModel(const CString& typeId)
{
    if (!m_doTypesParsed)
        ParseDoTypes();
    const auto found = m_doTypeCtlModels.find(typeId);
    return found != m_doTypeCtlModels.end() ? found->second : kCtlStatusOnly;
}

// One pass over the DOTypes for both FindDoTypeCtlModel and LoadDOTypes. For each id the index keeps the value
// of the first child named "ctlModel" that has one, of the last DOType of that id that has such a child. A
// missing required part of a DA or SDO is kept to be raised by LoadDOTypes; the index still covers every DOType.
void CIedTreeLoader::ParseDoTypes()
{
    m_parsedDoTypes.clear();
    m_doTypeError.reset();
    m_doTypeCtlModels.clear();
    CSelection types(m_document, kDOTypes);
    for (DomNodePtr element = types.Next(); element; element = types.Next()) {
        const CString id = CSclAttributes(element).Required("id");
        ParsedDoType parsed;
        if (!m_doTypeError) {
            parsed.type = std::make_unique<CDOType>();
            parsed.type->id = id;
        }
        bool indexed = false;
        CChildElements children(element);
        for (DomNodePtr child = children.Next(); child; child = children.Next()) {
            const CSclAttributes attributes(child);
            CString name;
            const bool hasName = attributes.Find("name", name);
            DomNodePtr value;
            int code = kCtlStatusOnly;
            if (hasName && name == "ctlModel" && (value = FindChildElement(child, "Val"))) {
                code = CtlModelFromText(NodeText(value));
                if (!indexed)
                    m_doTypeCtlModels[id] = code;
                indexed = true;
            }
            if (!parsed.type || parsed.incomplete)
                continue;
            try {
                if (IsNamed(child, "DA")) {
                    if (!hasName)
                        attributes.Required("name");
                    const CString bType = attributes.Required("bType");
                    const CString typeRef = attributes.Get("type");
                    const CString fc = attributes.Required("fc");
                    parsed.type->AddDA(name, bType, typeRef, fc, attributes.Get("count", "0"));
                    if (value)
                        parsed.ctlModels.emplace_back(static_cast<int>(parsed.type->attributes.GetSize()), code);
                } else if (IsNamed(child, "SDO")) {
                    if (!hasName)
                        attributes.Required("name");
                    parsed.type->AddSDO(name, attributes.Required("type"));
                }
            } catch (const ComError& error) {
                m_doTypeError = std::make_unique<ComError>(error);
                parsed.incomplete = true;
            }
        }
        if (parsed.type)
            m_parsedDoTypes.push_back(std::move(parsed));
    }
    m_doTypesParsed = true;
}

void CIedTreeLoader::LoadDATypes()
{
    CSelection types(m_document, kDATypes);
    for (DomNodePtr element = types.Next(); element; element = types.Next()) {
        CDAType* type = m_daTypes.AddDAType(CSclAttributes(element).Required("id"));
        CChildElements children(element);
        for (DomNodePtr child = children.Next(); child; child = children.Next()) {
            if (!IsNamed(child, "BDA"))
                continue;
            const CSclAttributes attributes(child);
            const CString name = attributes.Required("name");
            const CString bType = attributes.Required("bType");
            type->AddBDA(name, bType, attributes.Get("type"));
        }
    }
}

void CIedTreeLoader::LoadDOTypes()
{
    if (!m_doTypesParsed)
        ParseDoTypes();
    m_doTypesParsed = false;
    std::vector<ParsedDoType> parsedTypes = std::move(m_parsedDoTypes);
    m_parsedDoTypes.clear();
    for (ParsedDoType& parsed : parsedTypes) {
        const CString id = parsed.type->id;
        CDOType* type = static_cast<CDOType*>(m_doTypes.AddSclObject(id, parsed.type.release()));
        for (const auto& [read, code] : parsed.ctlModels) {
            // The control model reaches the attributes read so far.
            for (int i = 0; i < read; ++i)
                type->attributes[i]->ctlModel = code;
            StoreCtlModel(*m_ctlModels, m_iedName, id, code);
            m_ctlModelKeys[id] = code;
            for (_DA_CTL& control : m_controlEntries) {
                if (control.doType == id)
                    control.ctlModel = code;
            }
        }
        if (parsed.incomplete && m_doTypeError)
            throw ComError(*m_doTypeError);
    }
}
