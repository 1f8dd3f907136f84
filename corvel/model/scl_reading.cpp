#include "corvel/model/scl_reading.h"

#include <climits>
#include <string>
#include <unordered_map>

namespace {

struct CodeRow {
    LPCSTR text;
    int code;
};

constexpr CodeRow kCtlModelRows[] = {
    {"0", kCtlStatusOnly},
    {"1", kCtlDirectNormal},
    {"2", kCtlSboNormal},
    {"3", kCtlDirectEnhanced},
    {"4", kCtlSboEnhanced},
    {"status-only", kCtlStatusOnly},
    {"direct-with-normal-security", kCtlDirectNormal},
    {"sbo-with-normal-security", kCtlSboNormal},
    {"direct-with-enhanced-security", kCtlDirectEnhanced},
    {"sbo-with-enhanced-security", kCtlSboEnhanced},
};

constexpr CodeRow kFcRows[] = {
    {"ST", 5},  {"MX", 6},  {"CO", 7},  {"SP", 8},  {"SV", 9},  {"CF", 10}, {"DC", 11}, {"SG", 12}, {"SE", 13},
    {"EX", 14}, {"BR", 15}, {"RP", 16}, {"LG", 17}, {"GO", 18}, {"GS", 19}, {"MS", 20}, {"US", 21}, {"XX", 22},
};

// Attributes that name an element in messages, in the order they are tried.
constexpr LPCSTR kIdentifyingAttributes[] = {"name", "id", "inst", "ldInst", "lnClass"};

const char kMissingPrefix[] = "Cannot load the SCL file: ";

bool IsElement(const DomNodePtr& node)
{
    DOMNodeType type = NODE_INVALID;
    ThrowIfFailed(node->get_nodeType(&type), "get_nodeType");
    return type == NODE_ELEMENT;
}

// The attribute names asked for, as BSTRs made once.
BSTR AttributeNameBstr(LPCSTR name)
{
    static std::unordered_map<std::string, ComBstr> names;
    auto found = names.find(name);
    if (found == names.end())
        found = names.emplace(name, ComBstr(CString(name))).first;
    return found->second.Get();
}

} // namespace

int CtlModelFromText(const CString& text)
{
    for (const CodeRow& row : kCtlModelRows) {
        if (text == row.text)
            return row.code;
    }
    return kCtlDirectNormal;
}

int FcCode(const CString& fc)
{
    for (const CodeRow& row : kFcRows) {
        if (fc == row.text)
            return row.code;
    }
    return 0;
}

CSclAttributes::CSclAttributes(const DomNodePtr& element) : m_node(element), m_element(element)
{
    if (!m_element)
        throw ComError(E_POINTER, CString(kMissingPrefix) + "the node " + NodeName(element) + " is not an element.");
}

bool CSclAttributes::Find(LPCSTR name, CString& text) const
{
    ComVariant value;
    ThrowIfFailed(m_element->getAttribute(AttributeNameBstr(name), value.Receive()), "getAttribute");
    if (value.Get().vt != VT_BSTR)
        return false;
    text = BstrToString(value.Get().bstrVal);
    return true;
}

bool CSclAttributes::Has(LPCSTR name) const
{
    CString text;
    return Find(name, text);
}

CString CSclAttributes::Get(LPCSTR name, const CString& defaultText) const
{
    CString text;
    return Find(name, text) ? text : defaultText;
}

CString CSclAttributes::Required(LPCSTR name) const
{
    CString text;
    if (!Find(name, text)) {
        CString message;
        message.Format("%sthe element %s has no \"%s\" attribute.", kMissingPrefix, (LPCSTR)DescribeElement(m_node),
                       name);
        throw ComError(E_POINTER, message);
    }
    return text;
}

CString GetAttributeText(const DomNodePtr& node, LPCSTR name, const CString& defaultText)
{
    const DomNodePtr attribute = GetNamedItem(NodeAttributes(node), name);
    return attribute ? NodeText(attribute) : defaultText;
}

bool IsNamed(const DomNodePtr& node, LPCSTR name)
{
    ComBstr nodeName;
    ThrowIfFailed(node->get_nodeName(nodeName.Receive()), "get_nodeName");
    LPCWSTR wide = nodeName.Get() != nullptr ? nodeName.Get() : L"";
    for (; *name != '\0'; ++name, ++wide) {
        if (*wide != static_cast<WCHAR>(static_cast<unsigned char>(*name)))
            return false;
    }
    return *wide == L'\0';
}

DomNodePtr FindChildElement(const DomNodePtr& node, LPCSTR name)
{
    CChildElements children(node);
    for (DomNodePtr child = children.Next(); child; child = children.Next()) {
        if (IsNamed(child, name))
            return child;
    }
    return DomNodePtr();
}

DomNodePtr RequiredChildElement(const DomNodePtr& node, LPCSTR name)
{
    DomNodePtr child = FindChildElement(node, name);
    if (!child) {
        CString message;
        message.Format("%sthe element %s has no <%s> element.", kMissingPrefix, (LPCSTR)DescribeElement(node), name);
        throw ComError(E_POINTER, message);
    }
    return child;
}

CChildElements::CChildElements(const DomNodePtr& node) : m_children(ChildNodes(node)) {}

DomNodePtr CChildElements::Next()
{
    for (DomNodePtr node = NextNode(m_children); node; node = NextNode(m_children)) {
        if (IsElement(node))
            return node;
    }
    return DomNodePtr();
}

CSelection::CSelection(const DomNodePtr& context, const CString& expression)
    : m_list(SelectNodes(context, expression))
{
}

DomNodePtr CSelection::Next()
{
    return NextNode(m_list);
}

CString DescribeElement(const DomNodePtr& element)
{
    CString text = "<" + NodeName(element);
    const DomNamedNodeMapPtr attributes = NodeAttributes(element);
    if (attributes) {
        for (LPCSTR name : kIdentifyingAttributes) {
            if (const DomNodePtr attribute = GetNamedItem(attributes, name)) {
                CString pair;
                pair.Format(" %s=\"%s\"", name, (LPCSTR)NodeText(attribute));
                text += pair;
                break;
            }
        }
    }
    return text + ">";
}

CString SclLoadErrorText(const ComError& error)
{
    if (error.Text().Find(kMissingPrefix) == 0)
        return error.Text();
    CString message;
    message.Format("%s%s failed (0x%08lX).", kMissingPrefix, (LPCSTR)error.Text(),
                   static_cast<unsigned long>(error.Error()));
    return message;
}

LogicalNodeNames ReadLogicalNodeNames(const CSclAttributes& attributes)
{
    LogicalNodeNames names;
    const CString inst = attributes.Required("inst");
    const CString lnClass = attributes.Required("lnClass");
    names.lnType = attributes.Required("lnType");
    const CString prefix = attributes.Get("prefix");
    names.name.Format("%s%s%s", (LPCSTR)prefix, (LPCSTR)lnClass, (LPCSTR)inst);
    names.label = names.name;
    CString desc;
    if (attributes.Find("desc", desc))
        names.label.Format("%s: %s", (LPCSTR)names.name, (LPCSTR)desc);
    return names;
}
