#include "corvel/model/ctl_model_map.h"

namespace {

bool BeginsWith(const CString& text, const CString& start)
{
    return text.GetLength() >= start.GetLength() && strncmp(text, start, start.GetLength()) == 0;
}

// The entry whose name equals key, else the one with the longest name that key begins with.
const CtlModelMap::value_type* FindEntry(const CtlModelMap& map, const CString& key, bool flat)
{
    const CtlModelMap::value_type* prefixMatch = nullptr;
    int prefixLength = -1;
    for (const auto& entry : map) {
        if (entry.second == 0)
            continue;
        const CString text = CtlModelKeyText(entry.first);
        const CString name = flat ? FlatCtlModelName(text) : text;
        if (name == key)
            return &entry;
        if (name.GetLength() > prefixLength && BeginsWith(key, name)) {
            prefixMatch = &entry;
            prefixLength = name.GetLength();
        }
    }
    return prefixMatch;
}

// The byte at index i of the key's text (CtlModelKeyText), or -1 past its end.
int KeyTextByte(const CtlModelKey& key, int i)
{
    const int domainLength = key.first.GetLength();
    if (i < domainLength)
        return static_cast<unsigned char>(key.first[i]);
    if (key.second.IsEmpty())
        return -1;
    if (i == domainLength)
        return '|';
    const int pathIndex = i - domainLength - 1;
    return pathIndex < key.second.GetLength() ? static_cast<unsigned char>(key.second[pathIndex]) : -1;
}

} // namespace

bool CtlModelKeyTextLess::operator()(const CtlModelKey& left, const CtlModelKey& right) const
{
    for (int i = 0;; ++i) {
        const int a = KeyTextByte(left, i);
        const int b = KeyTextByte(right, i);
        if (a != b)
            return a < b;
        if (a < 0)
            return false;
    }
}

void StoreCtlModel(CtlModelMap& map, const CString& domain, const CString& path, int code)
{
    if (code >= 1)
        map[CtlModelKey(domain, path)] = code;
}

int LookupCtlModel(CtlModelMap& map, const CString& domain, const CString& path)
{
    return map[CtlModelKey(domain, path)];
}

CString FindCtlModelTextForTag(const CtlModelMap& map, const CString& domain, const CString& tagText)
{
    const int underscore = tagText.Find('_');
    const CString path = underscore < 0 ? tagText : tagText.Mid(underscore + 1);
    const int pathDollar = path.Find('$');
    const CString pathRest = pathDollar < 0 ? CString() : path.Mid(pathDollar);
    for (const auto& [key, code] : map) {
        if (!BeginsWith(domain, key.first))
            continue;
        const int keyDollar = key.second.Find('$');
        const CString node = keyDollar < 0 ? key.second : key.second.Left(keyDollar);
        if (!BeginsWith(path, node))
            continue;
        if (node + pathRest == key.second && code != 0) {
            CString text;
            text.Format("%d", code);
            return text;
        }
    }
    return "0";
}

void RemoveIedCtlModels(CtlModelMap& map, const CString& iedName)
{
    for (auto it = map.begin(); it != map.end();) {
        const CString joined = it->first.first + "|" + it->first.second;
        if (joined.Find(iedName) >= 0)
            it = map.erase(it);
        else
            ++it;
    }
}

CString CtlModelKeyText(const CtlModelKey& key)
{
    return key.second.IsEmpty() ? key.first : key.first + "|" + key.second;
}

CString FlatCtlModelName(const CString& keyText)
{
    CString name = keyText;
    name.Replace('|', '_');
    name.Replace('$', '_');
    return name;
}

CString FindCtlModelText(const CtlModelMap& map, const CString& key, const CString& defaultText)
{
    const CtlModelMap::value_type* found = FindEntry(map, key, false);
    if (found == nullptr)
        found = FindEntry(map, FlatCtlModelName(key), true);
    if (found == nullptr)
        return defaultText;
    CString text;
    text.Format("%d", found->second);
    return text;
}
