// SCL reading helpers: attribute reads with defaults, required reads that name what is missing, child
// element walks, the control-model and functional-constraint code tables.
#pragma once

#include "corvel/model/decimal.h"
#include "common/msxml_support.h"

// Control model codes.
constexpr int kCtlStatusOnly = 0;
constexpr int kCtlDirectNormal = 1;
constexpr int kCtlSboNormal = 2;
constexpr int kCtlDirectEnhanced = 3;
constexpr int kCtlSboEnhanced = 4;

// The code of a control model text (exact, case-sensitive); 1 for any unknown text.
int CtlModelFromText(const CString& text);

// The code of a functional constraint: "ST" 5 ... "XX" 22; 0 for any other text.
int FcCode(const CString& fc);

// The attributes of one element, fetched once and read by name.
class CSclAttributes {
public:
    explicit CSclAttributes(const DomNodePtr& element);

    // True and the text when the element has the attribute.
    bool Find(LPCSTR name, CString& text) const;
    bool Has(LPCSTR name) const;
    // The attribute's text, or defaultText when it is absent.
    CString Get(LPCSTR name, const CString& defaultText = CString()) const;
    // The attribute's text; raises ComError(E_POINTER) naming the element and the attribute when it is absent.
    CString Required(LPCSTR name) const;

private:
    DomNodePtr m_node;
    DomElementPtr m_element;
};

// The text of the node's attribute name, or a copy of defaultText when the node has none.
CString GetAttributeText(const DomNodePtr& node, LPCSTR name, const CString& defaultText);

// True when the node's name is name (ASCII, exact).
bool IsNamed(const DomNodePtr& node, LPCSTR name);

// The first child element of node named name, or an empty pointer.
DomNodePtr FindChildElement(const DomNodePtr& node, LPCSTR name);
// The first child element named name; raises ComError(E_POINTER) naming the parent and the child when there is none.
DomNodePtr RequiredChildElement(const DomNodePtr& node, LPCSTR name);

// Steps through the element children of a node in document order (comments and text are passed over).
class CChildElements {
public:
    explicit CChildElements(const DomNodePtr& node);
    // The next child element; empty after the last.
    DomNodePtr Next();

private:
    DomNodeListPtr m_children;
};

// Steps through a selection in document order.
class CSelection {
public:
    CSelection(const DomNodePtr& context, const CString& expression);
    DomNodePtr Next();

private:
    DomNodeListPtr m_list;
};

// "<LN0 inst="1">": the element's name with its first identifying attribute, for messages.
CString DescribeElement(const DomNodePtr& element);

// The text shown when a load stops on what it cannot read.
CString SclLoadErrorText(const ComError& error);


// The names of an LN or LN0 element: prefix + lnClass + inst, the tree label ("name: desc" when it has a
// desc) and its lnType. inst, lnClass and lnType are required, in that order.
struct LogicalNodeNames {
    CString name;
    CString label;
    CString lnType;
};
LogicalNodeNames ReadLogicalNodeNames(const CSclAttributes& attributes);
