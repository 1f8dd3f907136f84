// CVQNTagsList: the tags assigned to the EtherNet/IP connections of one direction.
#pragma once
#include "corvel/app/project_records.h"

namespace Corvel::Records {

// Connection numbers per direction.
constexpr int kConnectionCount = 20;
// List ids: Class 1 inputs ("TagsINP"), Class 1 outputs ("TagsOUT"), Class 3 messages ("TagsMSG").
constexpr int kTagsListInputs = 1;
constexpr int kTagsListOutputs = 2;
constexpr int kTagsListMessages = 3;

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

private:
    INT_PTR IndexOf(const CString& name) const;

    static constexpr INT_PTR kGrowBy = 10;

    CTypedPtrArray<CPtrArray, _TAGS*> m_tags;
    int m_usedSizes[kConnectionCount] = {};
    int m_listId = 0;
};

} // namespace Corvel::Records
