// CtlModelMap: control model numbers by (domain, data path), with the lookups the loaders and the
// configuration generator use.
#pragma once
#include "framework/core.h"

#include <map>
#include <utility>

using CtlModelKey = std::pair<CString, CString>;
using CtlModelMap = std::map<CtlModelKey, int>;

// Stores code under (domain, path) when it is 1 or more.
void StoreCtlModel(CtlModelMap& map, const CString& domain, const CString& path, int code);
// The code stored under (domain, path); an absent key is entered with 0.
int LookupCtlModel(CtlModelMap& map, const CString& domain, const CString& path);
// The code of the key that rebuilds exactly from domain and a tag text whose part after its first "_"
// is a data path, as "%d" text; "0" when none does.
CString FindCtlModelTextForTag(const CtlModelMap& map, const CString& domain, const CString& tagText);
// Erases every key whose domain or path contains iedName.
void RemoveIedCtlModels(CtlModelMap& map, const CString& iedName);
