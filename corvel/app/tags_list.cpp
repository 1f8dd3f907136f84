#include "corvel/app/tags_list.h"

#include "corvel/model/iec_types.h"

#include <memory>

namespace Corvel::Records {

int _TAGS::GetTypeSize() const
{
    return GetIecTypeSize(dataType);
}

CVQNTagsList::CVQNTagsList()
{
    m_tags.SetSize(0, kGrowBy);
}

CVQNTagsList::~CVQNTagsList()
{
    RemoveAll();
}

void CVQNTagsList::RemoveAll()
{
    for (INT_PTR i = 0; i < m_tags.GetSize(); ++i)
        delete m_tags.GetAt(i);
    m_tags.RemoveAll();
    for (int& size : m_usedSizes)
        size = 0;
}

INT_PTR CVQNTagsList::GetCount() const
{
    return m_tags.GetSize();
}

_TAGS* CVQNTagsList::GetAt(INT_PTR index) const
{
    return m_tags.GetAt(index);
}

_TAGS* CVQNTagsList::AddTag(const _TAGS& tag)
{
    auto copy = std::make_unique<_TAGS>(tag);
    copy->tagUName.Empty();
    copy->Assigned = true;
    m_tags.Add(copy.get());
    return copy.release();
}

INT_PTR CVQNTagsList::IndexOf(const CString& name) const
{
    for (INT_PTR i = 0; i < m_tags.GetSize(); ++i)
        if (m_tags.GetAt(i)->tagName == name)
            return i;
    return -1;
}

_TAGS* CVQNTagsList::FindTag(const CString& name) const
{
    const INT_PTR index = IndexOf(name);
    return index < 0 ? nullptr : m_tags.GetAt(index);
}

bool CVQNTagsList::ContainsTag(const CString& name) const
{
    return IndexOf(name) >= 0;
}

bool CVQNTagsList::RemoveTag(const CString& name)
{
    const INT_PTR index = IndexOf(name);
    if (index < 0)
        return false;
    delete m_tags.GetAt(index);
    m_tags.RemoveAt(index);
    return true;
}

int CVQNTagsList::CountTagsInConnection(int conn) const
{
    int count = 0;
    for (INT_PTR i = 0; i < m_tags.GetSize(); ++i)
        if (m_tags.GetAt(i)->Conn == conn)
            ++count;
    return count;
}

void CVQNTagsList::NumberTags()
{
    for (INT_PTR i = 0; i < m_tags.GetSize(); ++i)
        m_tags.GetAt(i)->StartAddr = static_cast<int>(i + 1);
}

int CVQNTagsList::GetUsedSize(int conn) const
{
    if (conn < 0 || conn >= kConnectionCount)
        AfxThrowInvalidArgException();
    return m_usedSizes[conn];
}

void CVQNTagsList::SetUsedSize(int conn, int size)
{
    if (conn < 0 || conn >= kConnectionCount)
        AfxThrowInvalidArgException();
    m_usedSizes[conn] = size;
}

} // namespace Corvel::Records
