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
    const CString pathHead = pathDollar < 0 ? path : path.Left(pathDollar);
    const CString pathRest = pathDollar < 0 ? CString() : path.Mid(pathDollar);
    // A key matches when its domain begins the given domain and its path is its node (a beginning of the
    // path without "$") followed by the rest of the path from its first "$": so only these keys can, and of
    // those in the map with a number the first in key order decides.
    const CtlModelKeyTextLess keyOrder;
    CtlModelMap::const_iterator first = map.end();
    for (int domainLength = 0; domainLength <= domain.GetLength(); ++domainLength) {
        const CString keyDomain = domain.Left(domainLength);
        for (int nodeLength = 0; nodeLength <= pathHead.GetLength(); ++nodeLength) {
            const CString keyPath = pathHead.Left(nodeLength) + pathRest;
            if (keyPath.IsEmpty())
                continue;
            const auto found = map.find(CtlModelKey(keyDomain, keyPath));
            if (found != map.end() && found->second != 0 &&
                (first == map.end() || keyOrder(found->first, first->first)))
                first = found;
        }
    }
    return first != map.end() ? CodeText(first->second) : CString("0");
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
