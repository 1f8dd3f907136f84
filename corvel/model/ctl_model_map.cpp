#include "corvel/model/ctl_model_map.h"

namespace {

bool BeginsWith(const CString& text, const CString& start)
{
    return text.GetLength() >= start.GetLength() && strncmp(text, start, start.GetLength()) == 0;
}

CString CodeText(int code)
{
    CString text;
    text.Format("%d", code);
    return text;
}

} // namespace

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
    return CCtlModelIndex(map).Find(key, defaultText);
}

CCtlModelIndex::CCtlModelIndex(const CtlModelMap& map)
{
    m_entries.reserve(map.size());
    for (const auto& [key, code] : map) {
        // Entries of 0 are no entries to a lookup.
        if (code == 0)
            continue;
        const CString text = CtlModelKeyText(key);
        m_entries.push_back(Entry{text, FlatCtlModelName(text), code});
    }
}

const CCtlModelIndex::Entry* CCtlModelIndex::FindEntry(const CString& key, bool flat) const
{
    const Entry* prefixMatch = nullptr;
    int prefixLength = -1;
    for (const Entry& entry : m_entries) {
        const CString& name = flat ? entry.flatName : entry.keyText;
        if (name == key)
            return &entry;
        if (name.GetLength() > prefixLength && BeginsWith(key, name)) {
            prefixMatch = &entry;
            prefixLength = name.GetLength();
        }
    }
    return prefixMatch;
}

CString CCtlModelIndex::Find(const CString& key, const CString& defaultText) const
{
    const Entry* found = FindEntry(key, false);
    if (found == nullptr)
        found = FindEntry(FlatCtlModelName(key), true);
    return found == nullptr ? defaultText : CodeText(found->code);
}

CString CCtlModelIndex::FindFlat(const CString& flatName, const CString& defaultText) const
{
    for (const Entry& entry : m_entries) {
        if (entry.flatName == flatName)
            return CodeText(entry.code);
    }
    return defaultText;
}
