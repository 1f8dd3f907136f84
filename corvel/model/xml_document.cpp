#include "corvel/model/xml_document.h"

namespace {

// The declaration that New writes as the document's first node.
const wchar_t kDeclarationTarget[] = L"xml";
const wchar_t kDeclarationData[] = L"version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"";

template <class T>
void Require(const ComPtr<T>& p)
{
    if (!p)
        throw ComError(E_POINTER, "empty handle");
}

DomDocumentPtr OwnerDocument(const DomNodePtr& node)
{
    Require(node);
    DomDocumentPtr document;
    ThrowIfFailed(node->get_ownerDocument(document.Receive()), "get_ownerDocument");
    Require(document);
    return document;
}

DomNodePtr AppendNode(const DomNodePtr& parent, const DomNodePtr& child)
{
    Require(parent);
    Require(child);
    DomNodePtr appended;
    ThrowIfFailed(parent->appendChild(child.Get(), appended.Receive()), "appendChild");
    return appended;
}

DomNodePtr CreateElementNode(const DomDocumentPtr& document, const CString& name, const CString& namespaceUri)
{
    DomNodePtr node;
    ThrowIfFailed(document->createNode(ComVariant(static_cast<long>(NODE_ELEMENT)).Get(), ComBstr(name).Get(),
                                       ComBstr(namespaceUri).Get(), node.Receive()),
                  "createNode");
    Require(node);
    return node;
}

DomNodePtr CreateTextNode(const DomDocumentPtr& document, const CString& text)
{
    DomTextPtr node;
    ThrowIfFailed(document->createTextNode(ComBstr(text).Get(), node.Receive()), "createTextNode");
    return node;
}

// Makes element, already a child of document, its document element.
void SetDocumentElement(const DomDocumentPtr& document, const DomElementPtr& element)
{
    Require(element);
    DomElementPtr current;
    ThrowIfFailed(document->get_documentElement(current.Receive()), "get_documentElement");
    if (current.Get() != element.Get())
        ThrowIfFailed(document->putref_documentElement(element.Get()), "putref_documentElement");
}

} // namespace

CXmlDocument::CXmlDocument(IUnknown* object)
{
    Attach(object);
}

CXmlDocument::~CXmlDocument()
{
    Release();
}

bool CXmlDocument::Create()
{
    Release();
    DomDocumentPtr document;
    if (FAILED(document.CreateInstance(kClsidDomDocument)) || !document)
        return false;
    if (FAILED(document->put_async(VARIANT_FALSE)))
        return false;
    if (m_preserveWhiteSpace && FAILED(document->put_preserveWhiteSpace(VARIANT_TRUE)))
        return false;
    m_document = document;
    return true;
}

void CXmlDocument::Release()
{
    m_document.Release();
}

bool CXmlDocument::ImportNode(const DomNodePtr& node)
{
    if (!New())
        return false;
    try {
        Require(node);
        DomNodePtr clone;
        ThrowIfFailed(node->cloneNode(VARIANT_TRUE, clone.Receive()), "cloneNode");
        Require(clone);
        DomNodePtr parent;
        ThrowIfFailed(clone->get_parentNode(parent.Receive()), "get_parentNode");
        if (parent) {
            DomNodePtr removed;
            ThrowIfFailed(parent->removeChild(clone.Get(), removed.Receive()), "removeChild");
        }
        SetDocumentElement(m_document, AppendNode(m_document, clone));
        return true;
    } catch (const ComError&) {
        Release();
        return false;
    }
}

bool CXmlDocument::CreateRootElement(const CString& name, const CString& namespaceUri)
{
    if (!New())
        return false;
    try {
        SetDocumentElement(m_document, AppendNode(m_document, CreateElementNode(m_document, name, namespaceUri)));
        return true;
    } catch (const ComError&) {
        Release();
        return false;
    }
}

bool CXmlDocument::New()
{
    if (!Create())
        return false;
    try {
        DomProcessingInstructionPtr declaration;
        ThrowIfFailed(m_document->createProcessingInstruction(ComBstr(kDeclarationTarget).Get(),
                                                              ComBstr(kDeclarationData).Get(), declaration.Receive()),
                      "createProcessingInstruction");
        AppendNode(m_document, declaration);
        return true;
    } catch (const ComError&) {
        Release();
        return false;
    }
}

bool CXmlDocument::LoadXml(LPCWSTR xml)
{
    if (!Create())
        return false;
    try {
        VARIANT_BOOL loaded = VARIANT_FALSE;
        ThrowIfFailed(m_document->loadXML(ComBstr(xml).Get(), &loaded), "loadXML");
        if (loaded == VARIANT_TRUE)
            return true;
    } catch (const ComError&) {
    }
    Release();
    return false;
}

bool CXmlDocument::Load(const CString& path)
{
    if (!Create())
        return false;
    try {
        if (LoadDomDocumentFromFile(m_document, path)) {
            if (!path.IsEmpty())
                m_fileName = path;
            return true;
        }
    } catch (const ComError&) {
    }
    Release();
    return false;
}

bool CXmlDocument::Save(const CString& path)
{
    const CString target = path.IsEmpty() ? m_fileName : path;
    if (!m_document || target.IsEmpty())
        return false;
    return SUCCEEDED(m_document->save(ComVariant(target).Get()));
}

void CXmlDocument::Attach(IUnknown* object)
{
    Release();
    if (object)
        m_document.Assign(object);
}

DomElementPtr CXmlDocument::GetRootElement() const
{
    DomElementPtr root;
    if (m_document && FAILED(m_document->get_documentElement(root.Receive())))
        root.Release();
    return root;
}

int CXmlDocument::SelectNodes(const CString& expression, CXmlElementList& list) const
{
    list.RemoveAll();
    if (!m_document)
        return 0;
    try {
        const DomNodeListPtr selected = ::SelectNodes(m_document, expression);
        for (DomNodePtr node = NextNode(selected); node; node = NextNode(selected)) {
            const DomElementPtr element = node;
            if (element)
                list.Add(element);
        }
    } catch (const ComError&) {
        list.RemoveAll();
    }
    return static_cast<int>(list.GetSize());
}

bool CXmlDocument::CreateCDataSection(const CString& text, const DomElementPtr& parent) const
{
    if (!m_document || !parent)
        return false;
    try {
        DomCDataSectionPtr section;
        ThrowIfFailed(m_document->createCDATASection(ComBstr(text).Get(), section.Receive()), "createCDATASection");
        AppendNode(parent, DomNodePtr(section));
        return true;
    } catch (const ComError&) {
        return false;
    }
}

CString CXmlDocument::GetNodeName(const DomElementPtr& element)
{
    try {
        return element ? NodeName(element) : CString();
    } catch (const ComError&) {
        return CString();
    }
}

CString CXmlDocument::GetNodeText(const DomElementPtr& element)
{
    try {
        return element ? NodeText(element) : CString();
    } catch (const ComError&) {
        return CString();
    }
}

DomAttributePtr CXmlDocument::GetAttribute(const DomElementPtr& element, const CString& name)
{
    DomAttributePtr attribute;
    if (element && FAILED(element->getAttributeNode(ComBstr(name).Get(), attribute.Receive())))
        attribute.Release();
    return attribute;
}

CString CXmlDocument::GetAttributeValue(const DomAttributePtr& attribute)
{
    if (!attribute)
        return CString();
    ComVariant value;
    if (FAILED(attribute->get_value(value.Receive())))
        return CString();
    return value.ToString();
}

void CXmlDocument::SetAttributeValue(const DomAttributePtr& attribute, const CString& value)
{
    if (attribute)
        attribute->put_value(ComVariant(value).Get());
}

int CXmlDocument::GetChildNodes(const DomElementPtr& element, CXmlElementList& list)
{
    try {
        const DomNodeListPtr children = ChildNodes(element);
        for (DomNodePtr node = NextNode(children); node; node = NextNode(children)) {
            const DomElementPtr child = node;
            if (child)
                list.Add(child);
        }
    } catch (const ComError&) {
        list.RemoveAll();
    }
    return static_cast<int>(list.GetSize());
}

DomElementPtr CXmlDocument::GetChildByName(const DomElementPtr& element, const CString& name)
{
    try {
        const DomNodeListPtr children = ChildNodes(element);
        for (DomNodePtr node = NextNode(children); node; node = NextNode(children)) {
            const DomElementPtr child = node;
            if (child && NodeName(child) == name)
                return child;
        }
    } catch (const ComError&) {
    }
    return DomElementPtr();
}

DomElementPtr CXmlDocument::GetParentNode(const DomElementPtr& element)
{
    DomNodePtr parent;
    if (!element || FAILED(element->get_parentNode(parent.Receive())))
        return DomElementPtr();
    return parent;
}

DomElementPtr CXmlDocument::AddChildElement(const DomElementPtr& parent, const CString& name,
                                            const CString& trailingText)
{
    return AddTextElement(parent, name, CString(), trailingText);
}

DomElementPtr CXmlDocument::AddTextElement(const DomElementPtr& parent, const CString& name,
                                           const CString& namespaceUri, const CString& trailingText)
{
    try {
        const DomDocumentPtr document = OwnerDocument(parent);
        const DomElementPtr element = AppendNode(parent, CreateElementNode(document, name, namespaceUri));
        AppendNode(parent, CreateTextNode(document, trailingText));
        return element;
    } catch (const ComError&) {
        return DomElementPtr();
    }
}

DomElementPtr CXmlDocument::AppendChild(const DomElementPtr& parent, const DomNodePtr& node)
{
    try {
        return AppendNode(parent, node);
    } catch (const ComError&) {
        return DomElementPtr();
    }
}

bool CXmlDocument::SetNodeText(const DomElementPtr& element, const CString& text)
{
    try {
        AppendNode(element, CreateTextNode(OwnerDocument(element), text));
        return true;
    } catch (const ComError&) {
        return false;
    }
}

DomAttributePtr CXmlDocument::SetAttribute(const DomElementPtr& element, const CString& name, const CString& value)
{
    try {
        const DomDocumentPtr document = OwnerDocument(element);
        DomAttributePtr attribute;
        ThrowIfFailed(document->createAttribute(ComBstr(name).Get(), attribute.Receive()), "createAttribute");
        Require(attribute);
        ThrowIfFailed(attribute->put_value(ComVariant(value).Get()), "put_value");
        DomAttributePtr replaced;
        ThrowIfFailed(element->setAttributeNode(attribute.Get(), replaced.Receive()), "setAttributeNode");
        return attribute;
    } catch (const ComError&) {
        return DomAttributePtr();
    }
}
