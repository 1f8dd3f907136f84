#include "corvel/model/tags_list.h"

#include "corvel/model/iec_types.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <exception>
#include <memory>
#include <utility>

namespace Corvel::Records {

namespace {

const char kTooManyTags[] = "Too many tags!";
const char kNotEnoughSpace[] = "Not enough space for one or more tags to be assigned.";
const char kNoMoreSpace[] = "Error: No more space this connection!";
const char kInputLimitExceeded[] = "INPUTs: %d connection limit has been exceeded!";
const char kOutputLimitExceeded[] = "OUTPUTs: %d connection limit has been exceeded!";

// A tag the PLC reads: an input.
bool IsInput(const _TAGS& tag)
{
    return tag.Access == "R" || tag.Access == "r";
}

// Size of a tag already placed; an unknown type counts as 0 bytes, without a message.
int PlacedSize(const _TAGS& tag)
{
    return std::max(GetIecTypeSize(tag.dataType), 0);
}

// StartAddr + size of a tag, kept within 0 to INT_MAX whatever a file gave as StartAddr.
int EndOf(const _TAGS& tag, int size)
{
    const long long end = static_cast<long long>(tag.StartAddr) + size;
    return static_cast<int>(std::min<long long>(std::max<long long>(end, 0), INT_MAX));
}

} // namespace

int _TAGS::GetTypeSize() const
{
    return GetIecTypeSize(dataType);
}

CString _TAGS::UnsupportedTypeText() const
{
    CString message;
    message.Format(kUnsupportedTypeMessage, (LPCSTR)dataType);
    return message;
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

std::vector<CErrorReport> CVQNTagsList::TakeMessages()
{
    return std::exchange(m_messages, {});
}

void CVQNTagsList::Note(const CString& text, UINT type)
{
    CErrorReport report;
    report.what = text;
    report.type = type;
    m_messages.push_back(report);
}

int CVQNTagsList::SizeOf(const _TAGS& tag)
{
    const int size = tag.GetTypeSize();
    if (size < 0)
        Note(tag.UnsupportedTypeText(), MB_OK);
    return size;
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

namespace Corvel::Records {

int CVQNTagsList::ConnectionLimit() const
{
    if (m_host == nullptr)
        return kConnectionCount;
    return std::min(std::max(m_host->GetConnectionLimit(), 0), kConnectionCount);
}

bool CVQNTagsList::IsUsableConnection(const _TAGS& tag, std::vector<const _TAGS*>& bad)
{
    if (tag.Conn >= 0 && tag.Conn < kConnectionCount)
        return true;
    if (tag.Conn != -1)
        bad.push_back(&tag);
    return false;
}

void CVQNTagsList::NoteBadConnections(const std::vector<const _TAGS*>& bad)
{
    if (bad.empty())
        return;
    CString message;
    message.Format("Error: %d tag(s) with a connection number outside 0 to %d were left out, the first being "
                   "'%s' with connection %d.",
                   static_cast<int>(bad.size()), kConnectionCount - 1, (LPCSTR)bad.front()->tagName,
                   bad.front()->Conn);
    Note(message, MB_OK | MB_ICONERROR);
}

int CVQNTagsList::RemoveTagsFromSequence(int n)
{
    int removed = 0;
    for (INT_PTR i = 0; i < m_tags.GetSize();) {
        _TAGS* tag = m_tags.GetAt(i);
        if (tag->SeqNum < n) {
            ++i;
            continue;
        }
        if (m_host != nullptr)
            m_host->ClearTagAssignment(*tag);
        m_tags.RemoveAt(i);
        delete tag;
        ++removed;
    }
    ComputeConnectionSizes();
    return removed;
}

void CVQNTagsList::ComputeConnectionSizes()
{
    int sizes[kConnectionCount] = {};
    std::vector<const _TAGS*> bad;
    for (INT_PTR i = 0; i < m_tags.GetSize(); ++i) {
        const _TAGS& tag = *m_tags.GetAt(i);
        if (!tag.Assigned || tag.dataType.IsEmpty() || !IsUsableConnection(tag, bad))
            continue;
        const int size = SizeOf(tag);
        if (size < 0)
            continue;
        sizes[tag.Conn] = std::max(sizes[tag.Conn], EndOf(tag, size));
    }
    std::copy(std::begin(sizes), std::end(sizes), m_usedSizes);
    NoteBadConnections(bad);
}

void CVQNTagsList::AssignStartAddresses()
{
    std::fill(std::begin(m_usedSizes), std::end(m_usedSizes), 0);
    std::vector<const _TAGS*> bad;
    for (INT_PTR i = 0; i < m_tags.GetSize(); ++i) {
        _TAGS& tag = *m_tags.GetAt(i);
        if (tag.tagName.IsEmpty() || !IsUsableConnection(tag, bad))
            continue;
        const int size = SizeOf(tag);
        if (size < 0)
            continue;
        tag.StartAddr = m_usedSizes[tag.Conn];
        m_usedSizes[tag.Conn] = EndOf(tag, size);
    }
    NoteBadConnections(bad);
}

int CVQNTagsList::FirstEmptyConnection() const
{
    for (int conn = 0; conn < kConnectionCount; ++conn)
        if (m_usedSizes[conn] == 0)
            return conn;
    return kConnectionCount;
}

bool CVQNTagsList::PlaceTag(_TAGS& tag, int& conn, int& startAddr)
{
    const int capacity = IsInput(tag) ? kInputConnectionSize : kOutputConnectionSize;
    const int size = SizeOf(tag);
    if (size >= 0) {
        for (int c = std::max(conn, 0); c < ConnectionLimit(); ++c) {
            if (m_usedSizes[c] <= capacity - size) {
                conn = c;
                startAddr = m_usedSizes[c];
                tag.Conn = c;
                tag.StartAddr = startAddr;
                return true;
            }
        }
    }
    tag.Assigned = false;
    tag.Conn = -1;
    tag.SeqNum = 0;
    // An unknown type has been noted by the size lookup.
    if (size >= 0 && (m_host == nullptr || m_host->FirstNotEnoughSpaceNotice()))
        Note(kNotEnoughSpace);
    return false;
}

void CVQNTagsList::AppendPlaced(const _TAGS& tag, int size)
{
    auto copy = std::make_unique<_TAGS>(tag);
    m_tags.Add(copy.get());
    copy.release();
    m_usedSizes[tag.Conn] = EndOf(tag, size);
}

void CVQNTagsList::AssignSortedTags(const CVQNSortingList& sorted)
{
    const INT_PTR count = sorted.GetCount();
    for (INT_PTR index = 0; index < count;) {
        INT_PTR end = index + 1;
        while (end < count && sorted.GetAt(end).tagPath == sorted.GetAt(index).tagPath)
            ++end;
        long long total = 0;
        for (INT_PTR i = index; i < end; ++i)
            total += PlacedSize(sorted.GetAt(i));

        if (total >= kLargeGroupSize) {
            int conn = FirstEmptyConnection();
            if (conn >= ConnectionLimit()) {
                Note(kTooManyTags);
            } else {
                for (INT_PTR i = index; i < end; ++i) {
                    _TAGS tag = sorted.GetAt(i);
                    tag.Assigned = true;
                    tag.Conn = conn;
                    tag.StartAddr = m_usedSizes[conn];
                    int startAddr = 0;
                    if (!PlaceTag(tag, conn, startAddr))
                        break;
                    AppendPlaced(tag, PlacedSize(tag));
                }
            }
        } else {
            int conn = 0;
            for (INT_PTR i = index; i < end; ++i) {
                _TAGS tag = sorted.GetAt(i);
                tag.Assigned = true;
                int startAddr = 0;
                if (PlaceTag(tag, conn, startAddr))
                    AppendPlaced(tag, PlacedSize(tag));
            }
        }
        index = end;
    }
}

void CVQNTagsList::AssignTag(const CVQNSortingList& records, int capacity, int firstConn, bool mayAdvance)
{
    const int limit = ConnectionLimit();
    int conn = std::max(firstConn, 0);
    for (INT_PTR r = 0; r < records.GetCount(); ++r) {
        _TAGS tag = records.GetAt(r);
        tag.Assigned = false;
        tag.Conn = conn;
        const int size = SizeOf(tag);
        if (size < 0)
            continue; // noted by the size lookup; the tag stays out
        for (;; ++conn) {
            if (conn >= limit) {
                CString message;
                message.Format(IsInput(tag) ? kInputLimitExceeded : kOutputLimitExceeded, limit);
                Note(message);
                return;
            }
            // The end of the connection and the place after its last tag; a
            // connection without tags starts at 0 after the tags of lower ones.
            INT_PTR insertAt = 0;
            int end = 0;
            bool found = false;
            for (INT_PTR i = 0; i < m_tags.GetSize(); ++i) {
                const _TAGS& other = *m_tags.GetAt(i);
                if (other.Conn == conn) {
                    end = EndOf(other, PlacedSize(other));
                    insertAt = i + 1;
                    found = true;
                } else if (!found && other.Conn < conn) {
                    insertAt = i + 1;
                }
            }
            if (end <= capacity - size) {
                tag.Conn = conn;
                tag.StartAddr = end;
                tag.Assigned = true;
                auto copy = std::make_unique<_TAGS>(tag);
                m_tags.InsertAt(insertAt, copy.get());
                copy.release();
                m_usedSizes[conn] = end + size;
                break;
            }
            if (!mayAdvance) {
                Note(kNoMoreSpace);
                return;
            }
        }
    }
}

const _TAGS& CVQNSortingList::GetAt(INT_PTR index) const
{
    if (index < 0 || index >= GetCount())
        AfxThrowInvalidArgException();
    return m_tags[static_cast<size_t>(index)];
}

bool CVQNSortingList::Sort(void* userValue)
{
    if (m_tags.empty())
        return true;
    try {
        std::sort(m_tags.begin(), m_tags.end(), [this, userValue](const _TAGS& left, const _TAGS& right) {
            return m_compare(userValue, left, right) < 0;
        });
        return true;
    } catch (CException* e) {
        e->Delete();
    } catch (const std::exception&) {
    }
    ::SetLastError(ERROR_INVALID_PARAMETER);
    return false;
}

int CVQNSortingList::CompareTagPaths(void* /*userValue*/, const _TAGS& left, const _TAGS& right)
{
    const int leftLength = left.tagPath.GetLength();
    const int rightLength = right.tagPath.GetLength();
    const int common = std::min(leftLength, rightLength);
    // memcmp compares as unsigned char.
    const int order = common > 0 ? memcmp(left.tagPath.GetString(), right.tagPath.GetString(), common) : 0;
    if (order != 0)
        return order;
    return leftLength < rightLength ? -1 : (leftLength > rightLength ? 1 : 0);
}

} // namespace Corvel::Records
