// DOM pointer types and helpers over MSXML: document creation, loading from a file's bytes, selection, attributes, parse errors.
#pragma once

#include "common/com_support.h"

#include <msxml2.h>

// The version-independent DOM document classes: "Msxml2.DOMDocument" (the SCL
// readers) and "DOMDocument" (CXmlDocument). Both keep MSXML 3's default
// selection language, in which "//SCL/IED" matches elements of the SCL
// default namespace.
extern const CLSID kClsidMsxml2DomDocument;
extern const CLSID kClsidDomDocument;

// Files larger than this are handed to the DOM by path instead of as bytes.
constexpr ULONGLONG kMaxDomLoadBytes = 0x40000000; // 1 GiB

template <> inline const IID& ComInterfaceId<IXMLDOMNode>::Get() { return IID_IXMLDOMNode; }
template <> inline const IID& ComInterfaceId<IXMLDOMDocument>::Get() { return IID_IXMLDOMDocument; }
template <> inline const IID& ComInterfaceId<IXMLDOMNodeList>::Get() { return IID_IXMLDOMNodeList; }
template <> inline const IID& ComInterfaceId<IXMLDOMNamedNodeMap>::Get() { return IID_IXMLDOMNamedNodeMap; }
template <> inline const IID& ComInterfaceId<IXMLDOMElement>::Get() { return IID_IXMLDOMElement; }
template <> inline const IID& ComInterfaceId<IXMLDOMAttribute>::Get() { return IID_IXMLDOMAttribute; }
template <> inline const IID& ComInterfaceId<IXMLDOMParseError>::Get() { return IID_IXMLDOMParseError; }
template <> inline const IID& ComInterfaceId<IXMLDOMProcessingInstruction>::Get() { return IID_IXMLDOMProcessingInstruction; }
template <> inline const IID& ComInterfaceId<IXMLDOMCDATASection>::Get() { return IID_IXMLDOMCDATASection; }
template <> inline const IID& ComInterfaceId<IXMLDOMText>::Get() { return IID_IXMLDOMText; }

using DomDocumentPtr = ComPtr<IXMLDOMDocument>;
using DomNodePtr = ComPtr<IXMLDOMNode>;
using DomNodeListPtr = ComPtr<IXMLDOMNodeList>;
using DomNamedNodeMapPtr = ComPtr<IXMLDOMNamedNodeMap>;
using DomElementPtr = ComPtr<IXMLDOMElement>;
using DomAttributePtr = ComPtr<IXMLDOMAttribute>;
using DomParseErrorPtr = ComPtr<IXMLDOMParseError>;
using DomProcessingInstructionPtr = ComPtr<IXMLDOMProcessingInstruction>;
using DomCDataSectionPtr = ComPtr<IXMLDOMCDATASection>;
using DomTextPtr = ComPtr<IXMLDOMText>;

// What the parser reported about the last load.
struct DomParseError {
    long errorCode = 0;
    CString reason;
    long line = 0;
    long linePosition = 0;
};

// Every helper below raises ComError when a DOM call fails, and
// ComError(E_POINTER) when given an empty pointer.

// A new "Msxml2.DOMDocument" with asynchronous loading off.
DomDocumentPtr CreateDomDocument();
// Loads the file at path from its bytes (the parser detects the encoding);
// a file that cannot be read as bytes is handed to the DOM by path, so its
// errors are the DOM's own. False when nothing was loaded: see GetParseError.
bool LoadDomDocumentFromFile(const DomDocumentPtr& document, const CString& path);
DomParseError GetParseError(const DomDocumentPtr& document);

DomNodeListPtr SelectNodes(const DomNodePtr& context, const CString& expression);
// The first node of the selection; empty when nothing matches.
DomNodePtr SelectSingleNode(const DomNodePtr& context, const CString& expression);
// The list's next node in document order; empty after the last.
DomNodePtr NextNode(const DomNodeListPtr& list);
long NodeListLength(const DomNodeListPtr& list);
// Item index of the list; empty past the end.
DomNodePtr NodeListItem(const DomNodeListPtr& list, long index);
DomNodeListPtr ChildNodes(const DomNodePtr& node);
DomNamedNodeMapPtr NodeAttributes(const DomNodePtr& node);
// The attribute named name; empty when the map has none.
DomNodePtr GetNamedItem(const DomNamedNodeMapPtr& attributes, const CString& name);
CString NodeText(const DomNodePtr& node);
CString NodeName(const DomNodePtr& node);
// Text of a required attribute: raises ComError(E_POINTER) when it is absent.
CString AttributeText(const DomNodePtr& node, const CString& name);

// Building a document; each raises ComError naming the failed call.
// Appends the processing instruction target with data to document.
void AppendProcessingInstruction(const DomDocumentPtr& document, const CString& target, const CString& data);
// Appends a new element name to parent (an element, or document itself for its document element).
DomElementPtr AppendElement(const DomDocumentPtr& document, const DomNodePtr& parent, const CString& name);
// Sets the attribute name of element to value; with a namespace URI the attribute is made in that namespace
// (name carrying its prefix).
void SetAttributeText(const DomDocumentPtr& document, const DomElementPtr& element, const CString& name,
                      const CString& value, const CString& namespaceUri = CString());
