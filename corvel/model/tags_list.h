// CVQNTagsList, CVQNSortingList, CTagPackingHost: the tags assigned to the EtherNet/IP connections of one
// direction, the candidate tags sorted for packing, and what the packing needs from the project document.
#pragma once
#include "corvel/model/project_records.h"
#include "framework/error_report.h"

#include <vector>

namespace Corvel::Records {

// Connection numbers per direction.
constexpr int kConnectionCount = 20;
// List ids: Class 1 inputs ("TagsINP"), Class 1 outputs ("TagsOUT"), Class 3 messages ("TagsMSG").
constexpr int kTagsListInputs = 1;
constexpr int kTagsListOutputs = 2;
constexpr int kTagsListMessages = 3;

// Connections per direction on a gateway with one Ethernet port.
constexpr int kOnePortConnectionCount = 10;
// Bytes of one Class 1 input connection, of one output connection, and of the Class 3 message block.
constexpr int kInputConnectionSize = 500;
constexpr int kOutputConnectionSize = 496;
constexpr int kMessageBlockSize = 49600;
// A group of tags sharing one path that needs at least this many bytes starts in the first empty connection.
constexpr int kLargeGroupSize = 500;

class CVQNSortingList;

// What the packing needs from the project document.
class CTagPackingHost {
public:
    virtual ~CTagPackingHost() = default;
    // Connections per direction: 10 on a one-port gateway, else 20.
    virtual int GetConnectionLimit() const = 0;
    // True the first time it is asked in a project, so that "not enough space" is shown once.
    virtual bool FirstNotEnoughSpaceNotice() = 0;
    // Clears the assignment of the project's tag with the same path and name.
    virtual void ClearTagAssignment(const _TAGS& tag) = 0;
};

// Owns its tag records, kept in connection order, and one used size per connection.
class CVQNTagsList {
public:
    CVQNTagsList();
    virtual ~CVQNTagsList();
    CVQNTagsList(const CVQNTagsList&) = delete;
    CVQNTagsList& operator=(const CVQNTagsList&) = delete;

    // Deletes every tag and sets every used size to 0.
    void RemoveAll();
    INT_PTR GetCount() const;
    // The tag at index (0 to GetCount() - 1); throws CInvalidArgException* outside.
    _TAGS* GetAt(INT_PTR index) const;
    // Appends a copy of tag with tagUName empty and Assigned set (the file readers' path).
    _TAGS* AddTag(const _TAGS& tag);
    // The first tag whose tagName equals name (case-sensitive), or null.
    _TAGS* FindTag(const CString& name) const;
    bool ContainsTag(const CString& name) const;
    // Removes and deletes the first tag named name (the list owns its tags).
    bool RemoveTag(const CString& name);
    int CountTagsInConnection(int conn) const;
    // StartAddr 1, 2, 3 ... in list order.
    void NumberTags();

    int GetUsedSize(int conn) const;
    void SetUsedSize(int conn, int size);
    int GetListId() const { return m_listId; }
    void SetListId(int id) { m_listId = id; }

    // The messages of the packing and sizing calls since the last take, in order ("Too many tags!", an
    // unsupported type, ...): the list shows nothing, the window that called it shows them.
    std::vector<CErrorReport> TakeMessages();

    // Packing. Without a host the list has 20 connections, notes "not enough
    // space" every time and clears no project tag.
    void SetPackingHost(CTagPackingHost* host) { m_host = host; }
    // Removes (and deletes) every tag whose SeqNum is n or more, clearing its
    // assignment in the project, then recomputes the used sizes; returns how many went.
    int RemoveTagsFromSequence(int n);
    // Each used size becomes the largest StartAddr + size of the assigned, typed tags of its connection.
    void ComputeConnectionSizes();
    // Gives the named tags, in list order, the next free offset of their connection.
    void AssignStartAddresses();
    // Packs the records of a sorted list, one group of equal paths at a time.
    void AssignSortedTags(const CVQNSortingList& sorted);
    // Packs the records one by one from connection firstConn, each connection
    // holding at most capacity bytes; without mayAdvance no tag leaves firstConn.
    void AssignTag(const CVQNSortingList& records, int capacity, int firstConn, bool mayAdvance);
    // The lowest connection whose used size is 0, or kConnectionCount.
    int FirstEmptyConnection() const;
    // Finds the first connection from conn on with room for tag (500 bytes for
    // an input, "R" or "r", else 496); sets conn, startAddr and the tag's Conn
    // and StartAddr. Without room the tag becomes unassigned and false is returned.
    bool PlaceTag(_TAGS& tag, int& conn, int& startAddr);

private:
    INT_PTR IndexOf(const CString& name) const;
    int ConnectionLimit() const;
    // Appends a copy of tag, placed at its StartAddr in its Conn, and moves that connection's used size past it.
    void AppendPlaced(const _TAGS& tag, int size);
    // True for a Conn that indexes the used sizes; other numbers than -1 (unassigned) are collected in bad.
    static bool IsUsableConnection(const _TAGS& tag, std::vector<const _TAGS*>& bad);
    // One message for the tags whose connection number is outside 0 to 19.
    void NoteBadConnections(const std::vector<const _TAGS*>& bad);
    void Note(const CString& text, UINT type = MB_OK);
    // The tag's size; notes the unsupported type when it has none (-1).
    int SizeOf(const _TAGS& tag);

    static constexpr INT_PTR kGrowBy = 10;

    CTypedPtrArray<CPtrArray, _TAGS*> m_tags;
    int m_usedSizes[kConnectionCount] = {};
    int m_listId = 0;
    CTagPackingHost* m_host = nullptr;
    std::vector<CErrorReport> m_messages;
};

// Candidate tags, held by value, sorted by path before they are packed.
class CVQNSortingList {
public:
    // Negative, zero or positive as left sorts before, with or after right; userValue is Sort's.
    using CompareFunction = int (*)(void* userValue, const _TAGS& left, const _TAGS& right);

    CVQNSortingList() = default;
    virtual ~CVQNSortingList() = default;

    void Add(const _TAGS& tag) { m_tags.push_back(tag); }
    INT_PTR GetCount() const { return static_cast<INT_PTR>(m_tags.size()); }
    // The record at index (0 to GetCount() - 1); throws CInvalidArgException* outside.
    const _TAGS& GetAt(INT_PTR index) const;
    void RemoveAll() { m_tags.clear(); }

    // Sorts ascending by tagPath with the comparison function; an empty list is
    // left alone. False, with the thread's last error 87, when the sort failed.
    bool Sort(void* userValue);
    // tagPath byte by byte as unsigned codes; a path that is the start of the other sorts first.
    static int CompareTagPaths(void* userValue, const _TAGS& left, const _TAGS& right);

private:
    std::vector<_TAGS> m_tags;
    CompareFunction m_compare = &CompareTagPaths;
};

} // namespace Corvel::Records
