#include "common/msxml_support.h"

#include "framework/handles.h"

// {F6D90F11-9C73-11D3-B32E-00C04F990BB4}
const CLSID kClsidMsxml2DomDocument = {0xF6D90F11, 0x9C73, 0x11D3, {0xB3, 0x2E, 0x00, 0xC0, 0x4F, 0x99, 0x0B, 0xB4}};
// {2933BF90-7B36-11D2-B20E-00C04F983E60}
const CLSID kClsidDomDocument = {0x2933BF90, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

namespace {

// Largest piece handed to one ReadFile call.
constexpr DWORD kReadPieceBytes = 1u << 20;

template <class T>
void RequirePointer(const ComPtr<T>& p, LPCSTR what)
{
    if (!p)
        throw ComError(E_POINTER, what);
}

// The whole file as a byte-array variant; an empty variant when the file
// cannot be opened or read, is empty, or is too large for memory.
ComVariant ReadFileAsByteArray(const CString& path)
{
    ComVariant bytes;
    ScopedHandle file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file)
        return bytes;
    LARGE_INTEGER size = {};
    if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0
        || static_cast<ULONGLONG>(size.QuadPart) > kMaxDomLoadBytes)
        return bytes;
    const ULONG total = static_cast<ULONG>(size.QuadPart);
    BYTE* data = bytes.MakeByteArray(total);
    if (data == nullptr)
        return bytes;
    ULONG done = 0;
    while (done < total) {
        const DWORD want = (total - done < kReadPieceBytes) ? total - done : kReadPieceBytes;
        DWORD got = 0;
        if (!::ReadFile(file.Get(), data + done, want, &got, nullptr) || got == 0)
            return ComVariant(); // shorter than it said, or unreadable
        done += got;
    }
    return bytes;
}

} // namespace

DomDocumentPtr CreateDomDocument()
{
    DomDocumentPtr document;
    ThrowIfFailed(document.CreateInstance(kClsidMsxml2DomDocument), "CoCreateInstance(Msxml2.DOMDocument)");
    ThrowIfFailed(document->put_async(VARIANT_FALSE), "put_async");
    return document;
}

bool LoadDomDocumentFromFile(const DomDocumentPtr& document, const CString& path)
{
    RequirePointer(document, "load: no document");
    ComVariant source = ReadFileAsByteArray(path);
    if (source.Get().vt == VT_EMPTY)
        source = ComVariant(path);
    VARIANT_BOOL loaded = VARIANT_FALSE;
    ThrowIfFailed(document->load(source.Get(), &loaded), "load");
    return loaded == VARIANT_TRUE;
}

DomParseError GetParseError(const DomDocumentPtr& document)
{
    RequirePointer(document, "parseError: no document");
    DomParseErrorPtr error;
    ThrowIfFailed(document->get_parseError(error.Receive()), "get_parseError");
    DomParseError result;
    ThrowIfFailed(error->get_errorCode(&result.errorCode), "get_errorCode");
    ComBstr reason;
    ThrowIfFailed(error->get_reason(reason.Receive()), "get_reason");
    result.reason = reason.ToString();
    ThrowIfFailed(error->get_line(&result.line), "get_line");
    ThrowIfFailed(error->get_linepos(&result.linePosition), "get_linepos");
    return result;
}

DomNodeListPtr SelectNodes(const DomNodePtr& context, const CString& expression)
{
    RequirePointer(context, "selectNodes: no node");
    DomNodeListPtr list;
    ThrowIfFailed(context->selectNodes(ComBstr(expression).Get(), list.Receive()), "selectNodes");
    return list;
}

DomNodePtr SelectSingleNode(const DomNodePtr& context, const CString& expression)
{
    RequirePointer(context, "selectSingleNode: no node");
    DomNodePtr node;
    ThrowIfFailed(context->selectSingleNode(ComBstr(expression).Get(), node.Receive()), "selectSingleNode");
    return node;
}

DomNodePtr NextNode(const DomNodeListPtr& list)
{
    RequirePointer(list, "nextNode: no list");
    DomNodePtr node;
    ThrowIfFailed(list->nextNode(node.Receive()), "nextNode");
    return node;
}

long NodeListLength(const DomNodeListPtr& list)
{
    RequirePointer(list, "length: no list");
    long length = 0;
    ThrowIfFailed(list->get_length(&length), "get_length");
    return length;
}

DomNodePtr NodeListItem(const DomNodeListPtr& list, long index)
{
    RequirePointer(list, "item: no list");
    DomNodePtr node;
    ThrowIfFailed(list->get_item(index, node.Receive()), "get_item");
    return node;
}

DomNodeListPtr ChildNodes(const DomNodePtr& node)
{
    RequirePointer(node, "childNodes: no node");
    DomNodeListPtr list;
    ThrowIfFailed(node->get_childNodes(list.Receive()), "get_childNodes");
    return list;
}

DomNamedNodeMapPtr NodeAttributes(const DomNodePtr& node)
{
    RequirePointer(node, "attributes: no node");
    DomNamedNodeMapPtr attributes;
    ThrowIfFailed(node->get_attributes(attributes.Receive()), "get_attributes");
    return attributes;
}

DomNodePtr GetNamedItem(const DomNamedNodeMapPtr& attributes, const CString& name)
{
    RequirePointer(attributes, "getNamedItem: no attribute map");
    DomNodePtr item;
    ThrowIfFailed(attributes->getNamedItem(ComBstr(name).Get(), item.Receive()), "getNamedItem");
    return item;
}

CString NodeText(const DomNodePtr& node)
{
    RequirePointer(node, "text: no node");
    ComBstr text;
    ThrowIfFailed(node->get_text(text.Receive()), "get_text");
    return text.ToString();
}

CString NodeName(const DomNodePtr& node)
{
    RequirePointer(node, "nodeName: no node");
    ComBstr name;
    ThrowIfFailed(node->get_nodeName(name.Receive()), "get_nodeName");
    return name.ToString();
}

CString AttributeText(const DomNodePtr& node, const CString& name)
{
    const DomNodePtr attribute = GetNamedItem(NodeAttributes(node), name);
    if (!attribute)
        throw ComError(E_POINTER, "missing attribute " + name);
    return NodeText(attribute);
}

void AppendProcessingInstruction(const DomDocumentPtr& document, const CString& target, const CString& data)
{
    RequirePointer(document, "createProcessingInstruction: no document");
    DomProcessingInstructionPtr instruction;
    ThrowIfFailed(document->createProcessingInstruction(ComBstr(target).Get(), ComBstr(data).Get(),
                                                        instruction.Receive()),
                  "createProcessingInstruction");
    RequirePointer(instruction, "createProcessingInstruction");
    DomNodePtr appended;
    ThrowIfFailed(document->appendChild(DomNodePtr(instruction).Get(), appended.Receive()), "appendChild");
}

DomElementPtr AppendElement(const DomDocumentPtr& document, const DomNodePtr& parent, const CString& name)
{
    RequirePointer(document, "createElement: no document");
    RequirePointer(parent, "appendChild: no parent");
    DomElementPtr element;
    ThrowIfFailed(document->createElement(ComBstr(name).Get(), element.Receive()), "createElement");
    RequirePointer(element, "createElement");
    DomNodePtr appended;
    ThrowIfFailed(parent->appendChild(DomNodePtr(element).Get(), appended.Receive()), "appendChild");
    return element;
}

void SetAttributeText(const DomDocumentPtr& document, const DomElementPtr& element, const CString& name,
                      const CString& value, const CString& namespaceUri)
{
    RequirePointer(document, "createNode: no document");
    RequirePointer(element, "setAttributeNode: no element");
    DomNodePtr node;
    ThrowIfFailed(document->createNode(ComVariant(static_cast<long>(NODE_ATTRIBUTE)).Get(), ComBstr(name).Get(),
                                       ComBstr(namespaceUri).Get(), node.Receive()),
                  "createNode(attribute)");
    const DomAttributePtr attribute = node;
    RequirePointer(attribute, "createNode(attribute)");
    ThrowIfFailed(attribute->put_value(ComVariant(value).Get()), "put_value");
    DomAttributePtr replaced;
    ThrowIfFailed(element->setAttributeNode(attribute.Get(), replaced.Receive()), "setAttributeNode");
}
