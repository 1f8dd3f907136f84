// Text dumps of SCL files as the project's loaders read them: type counts and data sets per IED, and the
// IED tree of one IED.
#pragma once

#include "corvel/mapping/ied_tree.h"

#include <string>

// For each IED of the file: "IED <name>", "LNodeTypes <n>", "DOTypes <n>", "DATypes <n>" and one
// "DataSet <ldInst>/<name> <members>" line per data set. False with the reason when the file cannot be loaded.
bool DumpSclTypes(const CString& path, std::string& out, CString& error);

// The quick scan's text on one line, then "AP <IED name> <IP> <IP-SUBNET> <IP-GATEWAY>" for each access point
// record of the header reader, in order ("-" for an empty value). False with the scan's error text.
bool DumpSclHeader(const CString& path, std::string& out, CString& error);

// The tree, one item a line, indented by two blanks a level: "<icon> <text>", followed by " | <data path>"
// for items with a record.
std::string DumpTree(const CIEDTree& tree);

// Loads the full model of IED iedName of the file into a tree in a hidden window, as the mapping dialog does
// for a project holding that IED, and dumps the tree. False when the load failed (its messages went to the
// message box hook); error holds a reason of its own when there is one.
bool DumpIedModel(const CString& path, const CString& iedName, std::string& out, CString& error);

// A hidden top-level window holding a model tree.
class CHiddenTreeHost {
public:
    CHiddenTreeHost();
    ~CHiddenTreeHost();
    CHiddenTreeHost(const CHiddenTreeHost&) = delete;
    CHiddenTreeHost& operator=(const CHiddenTreeHost&) = delete;

    bool IsReady() const { return m_tree.m_hWnd != nullptr; }
    CIEDTree& Tree() { return m_tree; }

private:
    CWnd m_parent;
    CIEDTree m_tree;
};
