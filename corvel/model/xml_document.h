// CXmlDocument: one MSXML DOM document, read by element paths and built element by element.
#pragma once

#include "common/msxml_support.h"
#include "framework/core.h"

// Element lists in the order the elements were appended.
using CXmlElementList = CArray<DomElementPtr>;

// Holds one DOM document or nothing. No COM result code and no exception
// leaves an operation: document operations answer with a success flag (a
// failed one leaves the wrapper empty, except Save), node operations with an
// empty handle or text. COM must be initialised on the calling thread.
class CXmlDocument {
public:
    explicit CXmlDocument(IUnknown* object = nullptr);
    virtual ~CXmlDocument();
    CXmlDocument(const CXmlDocument&) = delete;
    CXmlDocument& operator=(const CXmlDocument&) = delete;

    // Release, then a new empty document instance.
    virtual bool Create();
    virtual void Release();
    // A new document (with the declaration) holding a deep copy of node as its element.
    virtual bool ImportNode(const DomNodePtr& node);
    // A new document (with the declaration) whose element is name in namespaceUri
    // (an empty URI for none).
    virtual bool CreateRootElement(const CString& name, const CString& namespaceUri);
    // A new document holding only the declaration: version 1.0, utf-8, standalone.
    virtual bool New();
    virtual bool LoadXml(LPCWSTR xml);
    // Loads the file at path; on success a non-empty path becomes the file name.
    virtual bool Load(const CString& path);
    // Saves to path, or to the file name when path is empty. A failed save
    // keeps the document.
    virtual bool Save(const CString& path);

    // Whether documents created from now on keep the white-space text between elements when they load
    // (off by default, as in the DOM).
    void SetPreserveWhiteSpace(bool preserve) { m_preserveWhiteSpace = preserve; }
    // Holds object's IXMLDOMDocument (nothing when it has none) in place of the document held.
    void Attach(IUnknown* object);
    bool IsEmpty() const { return !m_document; }
    const CString& GetFileName() const { return m_fileName; }

    DomElementPtr GetRootElement() const;
    // Empties list, then appends each selected element in selection order;
    // returns the list's size.
    int SelectNodes(const CString& expression, CXmlElementList& list) const;
    // Appends a CDATA section holding text to parent; false when nothing was appended.
    bool CreateCDataSection(const CString& text, const DomElementPtr& parent) const;

    static CString GetNodeName(const DomElementPtr& element);
    static CString GetNodeText(const DomElementPtr& element);
    static DomAttributePtr GetAttribute(const DomElementPtr& element, const CString& name);
    static CString GetAttributeValue(const DomAttributePtr& attribute);
    static void SetAttributeValue(const DomAttributePtr& attribute, const CString& value);
    // Appends the element children of element to list; on failure empties
    // list. Returns the list's size.
    static int GetChildNodes(const DomElementPtr& element, CXmlElementList& list);
    static DomElementPtr GetChildByName(const DomElementPtr& element, const CString& name);
    static DomElementPtr GetParentNode(const DomElementPtr& element);
    static DomElementPtr AddChildElement(const DomElementPtr& parent, const CString& name, const CString& trailingText);
    // Appends a new element, then a text node with trailingText, to parent.
    static DomElementPtr AddTextElement(const DomElementPtr& parent, const CString& name, const CString& namespaceUri,
                                        const CString& trailingText);
    static DomElementPtr AppendChild(const DomElementPtr& parent, const DomNodePtr& node);
    // Appends a text node; the element's other children stay. False when nothing was appended.
    static bool SetNodeText(const DomElementPtr& element, const CString& text);
    // Sets a new attribute, replacing one of the same name.
    static DomAttributePtr SetAttribute(const DomElementPtr& element, const CString& name, const CString& value);

private:
    CString m_fileName;
    DomDocumentPtr m_document;
    bool m_preserveWhiteSpace = false;
};
