// CtlModelMap: control model numbers by (domain, data path), with the lookups the loaders, the
// configuration generator and the project XML file use.
// A key read from a project XML file has lost the split: its whole text is the domain, the path is empty.
#pragma once
#include "framework/core.h"

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using CtlModelKey = std::pair<CString, CString>;
// Orders keys as their texts order (CtlModelKeyText: domain + "|" + path), byte by byte, so that the map is
// walked, and written to the project files, in the order of those texts. Keys of one text are one key.
struct CtlModelKeyTextLess {
    bool operator()(const CtlModelKey& left, const CtlModelKey& right) const;
};
using CtlModelMap = std::map<CtlModelKey, int, CtlModelKeyTextLess>;

// Stores code under (domain, path) when it is 1 or more.
void StoreCtlModel(CtlModelMap& map, const CString& domain, const CString& path, int code);
// The code stored under (domain, path); an absent key is entered with 0.
int LookupCtlModel(CtlModelMap& map, const CString& domain, const CString& path);
// The code of the key that rebuilds exactly from domain and a tag text whose part after its first "_"
// is a data path, as "%d" text; "0" when none does.
CString FindCtlModelTextForTag(const CtlModelMap& map, const CString& domain, const CString& tagText);
// Erases every key whose domain or path contains iedName.
void RemoveIedCtlModels(CtlModelMap& map, const CString& iedName);
// domain + "|" + path, or the domain alone when the path is empty.
CString CtlModelKeyText(const CtlModelKey& key);
// The key text with every "|" and "$" replaced by "_", as the project XML file names it.
CString FlatCtlModelName(const CString& keyText);
// The control model of key (a domain, "_" and a data path) as "%d" text, or
// defaultText: an entry whose key text equals key, else the longest one that
// key begins with; then the same on the flat names. Entries of 0 are skipped.
CString FindCtlModelText(const CtlModelMap& map, const CString& key, const CString& defaultText);

// The entries of a control-model map by their key texts and flat names, made once for many lookups.
class CCtlModelIndex {
public:
    explicit CCtlModelIndex(const CtlModelMap& map);
    // As FindCtlModelText on the map.
    CString Find(const CString& key, const CString& defaultText) const;
    // The code of the entry whose flat name equals flatName, as "%d" text; defaultText when none does.
    CString FindFlat(const CString& flatName, const CString& defaultText) const;

private:
    // Codes by name (the first entry of a name in map order), and the lengths the names have, longest first.
    struct Names {
        std::map<std::string, int, std::less<>> codes;
        std::vector<size_t> lengths;
        void Add(const CString& name, int code);
        // The code of the name equal to key, else of the longest name that key begins with; null when none.
        const int* Find(std::string_view key) const;
    };

    Names m_keyTexts;
    Names m_flatNames;
};
