#include "corvel/model/ctl_model_map.h"

#include <algorithm>
#include <functional>

namespace {

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
    const LPCSTR pathRest = pathDollar < 0 ? "" : static_cast<LPCSTR>(path) + pathDollar;
    // Only keys whose domain the given domain begins with can match; in key order those are the keys of each
    // of the domain's beginnings, shortest first.
    for (int length = 0; length <= domain.GetLength(); ++length) {
        const CString keyDomain = domain.Left(length);
        for (auto it = map.lower_bound(CtlModelKey(keyDomain, CString())); it != map.end() && it->first.first == keyDomain;
             ++it) {
            const CString& keyPath = it->first.second;
            if (it->second == 0)
                continue;
            // The key's node (its path up to the first "$") must start the path, and the rest of the path follow it.
            const int keyDollar = keyPath.Find('$');
            const int nodeLength = keyDollar < 0 ? keyPath.GetLength() : keyDollar;
            if (path.GetLength() < nodeLength || strncmp(path, keyPath, static_cast<size_t>(nodeLength)) != 0)
                continue;
            if (strcmp(static_cast<LPCSTR>(keyPath) + nodeLength, pathRest) == 0)
                return CodeText(it->second);
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
    for (const auto& [key, code] : map) {
        // Entries of 0 are no entries to a lookup.
        if (code == 0)
            continue;
        const CString text = CtlModelKeyText(key);
        m_keyTexts.Add(text, code);
        m_flatNames.Add(FlatCtlModelName(text), code);
    }
}

void CCtlModelIndex::Names::Add(const CString& name, int code)
{
    const std::string text(name, static_cast<size_t>(name.GetLength()));
    if (!codes.emplace(text, code).second)
        return;
    const auto place = std::lower_bound(lengths.begin(), lengths.end(), text.size(), std::greater<size_t>());
    if (place == lengths.end() || *place != text.size())
        lengths.insert(place, text.size());
}

const int* CCtlModelIndex::Names::Find(std::string_view key) const
{
    for (const size_t length : lengths) {
        if (length > key.size())
            continue;
        const auto found = codes.find(key.substr(0, length));
        if (found != codes.end())
            return &found->second;
    }
    return nullptr;
}

CString CCtlModelIndex::Find(const CString& key, const CString& defaultText) const
{
    const int* code = m_keyTexts.Find(std::string_view(key, static_cast<size_t>(key.GetLength())));
    if (code == nullptr) {
        const CString flat = FlatCtlModelName(key);
        code = m_flatNames.Find(std::string_view(flat, static_cast<size_t>(flat.GetLength())));
    }
    return code == nullptr ? defaultText : CodeText(*code);
}

CString CCtlModelIndex::FindFlat(const CString& flatName, const CString& defaultText) const
{
    const auto found = m_flatNames.codes.find(std::string_view(flatName, static_cast<size_t>(flatName.GetLength())));
    return found == m_flatNames.codes.end() ? defaultText : CodeText(found->second);
}
