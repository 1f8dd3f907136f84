// Text dumps of SCL files as the project's loaders read them: type counts and data sets per IED, and the
// IED tree of one IED. Nothing here needs a window or a display.
#pragma once

#include "corvel/model/ied_tree_loader.h"

#include <string>
#include <vector>

// For each IED of the file: "IED <name>", "LNodeTypes <n>", "DOTypes <n>", "DATypes <n>" and one
// "DataSet <ldInst>/<name> <members>" line per data set. False with the reason when the file cannot be loaded.
bool DumpSclTypes(const CString& path, std::string& out, CString& error);

// The quick scan's text on one line, then "AP <IED name> <IP> <IP-SUBNET> <IP-GATEWAY>" for each access point
// record of the header reader, in order ("-" for an empty value). False with the scan's error text.
bool DumpSclHeader(const CString& path, std::string& out, CString& error);

// The items, one a line in tree order, indented by two blanks a level: "<icon> <text>", followed by
// " | <data path>" for items with a record.
std::string DumpTree(const CIedTreeItems& items);

// Loads the full model of IED iedName of the file, as the mapping dialog does, and dumps its tree. False when
// the load failed; the load's messages (shown in message boxes by the program) are in messages either way, and
// error holds a reason of its own when there is one.
bool DumpIedModel(const CString& path, const CString& iedName, std::string& out, CString& error,
                  std::vector<CString>& messages);
