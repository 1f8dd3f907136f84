// CArray, CList, CMap and their typed and named forms: CTypedPtrArray/List/Map, CByteArray, CWordArray, CDWordArray, CUIntArray, CPtrArray, CObArray, CStringArray, CObList, CPtrList, CStringList, CMapStringToOb, CMapStringToPtr, CMapStringToString, CMapPtrToPtr, CMapWordToPtr, CMapWordToOb.
#pragma once

#include "framework/exceptions.h"
#include "framework/object.h"
#include "framework/strings.h"

#include <algorithm>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

// Opaque iterator of lists and maps.
struct PositionTag;
typedef PositionTag* POSITION;
#define BEFORE_START_POSITION (reinterpret_cast<POSITION>(static_cast<INT_PTR>(-1)))

// Elements are compared with == by Find and map lookups.
template <class TYPE, class ARG_TYPE>
BOOL CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2)
{
    return *pElement1 == *pElement2;
}

// Framework string hash: h = h * 33 + c over the bytes of the text.
inline UINT AfxHashString(LPCSTR key)
{
    UINT hash = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(key ? key : ""); *p != 0; ++p)
        hash = (hash << 5) + hash + *p;
    return hash;
}

template <class>
struct AfxDependentFalse : std::false_type {};

// Hash of a map key: text keys use AfxHashString, pointers their address,
// integers their value. Other key types need a specialization.
template <class ARG_KEY>
UINT HashKey(ARG_KEY key)
{
    using Key = std::decay_t<ARG_KEY>;
    if constexpr (std::is_convertible<ARG_KEY, LPCSTR>::value) {
        return AfxHashString(key);
    } else if constexpr (std::is_pointer<Key>::value) {
        return static_cast<UINT>(reinterpret_cast<UINT_PTR>(key) >> 4);
    } else if constexpr (std::is_integral<Key>::value || std::is_enum<Key>::value) {
        const ULONGLONG value = static_cast<ULONGLONG>(key);
        return static_cast<UINT>(value ^ (value >> 32));
    } else {
        static_assert(AfxDependentFalse<Key>::value, "specialize HashKey for this key type");
        return 0;
    }
}

// Growable array. Out-of-range access throws CInvalidArgException*.
template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
    static_assert(!std::is_same<TYPE, bool>::value, "use BYTE elements: GetData needs contiguous storage");

public:
    CArray() = default;

    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    BOOL IsEmpty() const { return m_data.empty(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }

    // nGrowBy -1 lets the array choose how far to grow.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1)
    {
        if (nNewSize < 0)
            AfxThrowInvalidArgException();
        if (nGrowBy >= 0)
            m_nGrowBy = nGrowBy;
        Reserve(nNewSize);
        m_data.resize(static_cast<size_t>(nNewSize));
    }
    void FreeExtra() { m_data.shrink_to_fit(); }
    void RemoveAll() { m_data.clear(); }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_data[CheckedIndex(nIndex)]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_data[CheckedIndex(nIndex)]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_data[CheckedIndex(nIndex)] = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& ElementAt(INT_PTR nIndex) { return GetAt(nIndex); }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return GetAt(nIndex); }
    const TYPE* GetData() const { return m_data.empty() ? nullptr : m_data.data(); }
    TYPE* GetData() { return m_data.empty() ? nullptr : m_data.data(); }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
    {
        if (nIndex < 0)
            AfxThrowInvalidArgException();
        TYPE copy(newElement);
        if (nIndex >= GetSize())
            SetSize(nIndex + 1);
        m_data[static_cast<size_t>(nIndex)] = std::move(copy);
    }
    INT_PTR Add(ARG_TYPE newElement)
    {
        TYPE copy(newElement);
        Reserve(GetSize() + 1);
        m_data.push_back(std::move(copy));
        return GetSize() - 1;
    }
    // Returns the index of the first appended element.
    INT_PTR Append(const CArray& src)
    {
        if (&src == this)
            AfxThrowInvalidArgException();
        const INT_PTR oldSize = GetSize();
        Reserve(oldSize + src.GetSize());
        m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
        return oldSize;
    }
    void Copy(const CArray& src)
    {
        if (&src != this)
            m_data = src.m_data;
    }
    // Inserting beyond the end grows the array up to the new elements.
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount <= 0)
            AfxThrowInvalidArgException();
        TYPE copy(newElement);
        if (nIndex >= GetSize()) {
            SetSize(nIndex + nCount);
            std::fill(m_data.begin() + nIndex, m_data.end(), copy);
        } else {
            Reserve(GetSize() + nCount);
            m_data.insert(m_data.begin() + nIndex, static_cast<size_t>(nCount), copy);
        }
    }
    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray)
    {
        if (pNewArray == nullptr || nStartIndex < 0)
            AfxThrowInvalidArgException();
        if (pNewArray->IsEmpty())
            return;
        std::vector<TYPE> copy(pNewArray->m_data);
        if (nStartIndex > GetSize())
            SetSize(nStartIndex);
        Reserve(GetSize() + static_cast<INT_PTR>(copy.size()));
        m_data.insert(m_data.begin() + nStartIndex, copy.begin(), copy.end());
    }
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount < 0 || nCount > GetSize() - nIndex)
            AfxThrowInvalidArgException();
        m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
    }

private:
    size_t CheckedIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= GetSize())
            AfxThrowInvalidArgException();
        return static_cast<size_t>(nIndex);
    }
    // Grows the capacity in steps of the grow-by count.
    void Reserve(INT_PTR nSize)
    {
        const size_t size = static_cast<size_t>(nSize);
        if (size <= m_data.capacity())
            return;
        INT_PTR growBy = m_nGrowBy;
        if (growBy <= 0)
            growBy = std::clamp<INT_PTR>(GetSize() / 8, kMinGrowBy, kMaxGrowBy);
        m_data.reserve(std::max(size, m_data.capacity() + static_cast<size_t>(growBy)));
    }

    static constexpr INT_PTR kMinGrowBy = 4;
    static constexpr INT_PTR kMaxGrowBy = 1024;

    std::vector<TYPE> m_data;
    INT_PTR m_nGrowBy = -1;
};

class CByteArray : public CArray<BYTE, BYTE> {
    DECLARE_DYNAMIC(CByteArray)
};

class CWordArray : public CArray<WORD, WORD> {
    DECLARE_DYNAMIC(CWordArray)
};

class CDWordArray : public CArray<DWORD, DWORD> {
    DECLARE_DYNAMIC(CDWordArray)
};

class CUIntArray : public CArray<UINT, UINT> {
    DECLARE_DYNAMIC(CUIntArray)
};

class CPtrArray : public CArray<void*, void*> {
    DECLARE_DYNAMIC(CPtrArray)
};

class CObArray : public CArray<CObject*, CObject*> {
    DECLARE_DYNAMIC(CObArray)
};

class CStringArray : public CArray<CString, const CString&> {
    DECLARE_DYNAMIC(CStringArray)
};

// A CObArray or CPtrArray holding pointers of type TYPE.
template <class BASE_CLASS, class TYPE>
class CTypedPtrArray : public BASE_CLASS {
public:
    TYPE GetAt(INT_PTR nIndex) const { return (TYPE)BASE_CLASS::GetAt(nIndex); }
    TYPE& ElementAt(INT_PTR nIndex) { return reinterpret_cast<TYPE&>(BASE_CLASS::ElementAt(nIndex)); }
    void SetAt(INT_PTR nIndex, TYPE ptr) { BASE_CLASS::SetAt(nIndex, ptr); }
    void SetAtGrow(INT_PTR nIndex, TYPE newElement) { BASE_CLASS::SetAtGrow(nIndex, newElement); }
    INT_PTR Add(TYPE newElement) { return BASE_CLASS::Add(newElement); }
    INT_PTR Append(const CTypedPtrArray& src) { return BASE_CLASS::Append(src); }
    void Copy(const CTypedPtrArray& src) { BASE_CLASS::Copy(src); }
    void InsertAt(INT_PTR nIndex, TYPE newElement, INT_PTR nCount = 1)
    {
        BASE_CLASS::InsertAt(nIndex, newElement, nCount);
    }
    void InsertAt(INT_PTR nStartIndex, CTypedPtrArray* pNewArray) { BASE_CLASS::InsertAt(nStartIndex, pNewArray); }
    TYPE operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }
};

// Doubly linked list. Nodes are allocated one at a time; the block size is
// accepted and not needed.
template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
public:
    explicit CList(INT_PTR nBlockSize = 10) { static_cast<void>(nBlockSize); }
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { return NonEmpty(m_pNodeHead)->data; }
    const TYPE& GetHead() const { return NonEmpty(m_pNodeHead)->data; }
    TYPE& GetTail() { return NonEmpty(m_pNodeTail)->data; }
    const TYPE& GetTail() const { return NonEmpty(m_pNodeTail)->data; }

    TYPE RemoveHead()
    {
        CNode* node = NonEmpty(m_pNodeHead);
        TYPE value(std::move(node->data));
        FreeNode(node);
        return value;
    }
    TYPE RemoveTail()
    {
        CNode* node = NonEmpty(m_pNodeTail);
        TYPE value(std::move(node->data));
        FreeNode(node);
        return value;
    }

    POSITION AddHead(ARG_TYPE newElement) { return PositionOf(LinkBefore(m_pNodeHead, newElement)); }
    POSITION AddTail(ARG_TYPE newElement) { return PositionOf(LinkAfter(m_pNodeTail, newElement)); }
    // Adds the elements of pNewList, keeping their order.
    void AddHead(CList* pNewList)
    {
        if (pNewList == nullptr)
            AfxThrowInvalidArgException();
        CNode* node = pNewList->m_pNodeTail;
        for (INT_PTR n = pNewList->m_nCount; n > 0; --n, node = node->pPrev)
            AddHead(node->data);
    }
    void AddTail(CList* pNewList)
    {
        if (pNewList == nullptr)
            AfxThrowInvalidArgException();
        CNode* node = pNewList->m_pNodeHead;
        for (INT_PTR n = pNewList->m_nCount; n > 0; --n, node = node->pNext)
            AddTail(node->data);
    }

    void RemoveAll()
    {
        while (m_pNodeHead != nullptr)
            FreeNode(m_pNodeHead);
    }

    POSITION GetHeadPosition() const { return PositionOf(m_pNodeHead); }
    POSITION GetTailPosition() const { return PositionOf(m_pNodeTail); }
    TYPE& GetNext(POSITION& rPosition)
    {
        CNode* node = NodeAt(rPosition);
        rPosition = PositionOf(node->pNext);
        return node->data;
    }
    const TYPE& GetNext(POSITION& rPosition) const
    {
        CNode* node = NodeAt(rPosition);
        rPosition = PositionOf(node->pNext);
        return node->data;
    }
    TYPE& GetPrev(POSITION& rPosition)
    {
        CNode* node = NodeAt(rPosition);
        rPosition = PositionOf(node->pPrev);
        return node->data;
    }
    const TYPE& GetPrev(POSITION& rPosition) const
    {
        CNode* node = NodeAt(rPosition);
        rPosition = PositionOf(node->pPrev);
        return node->data;
    }

    TYPE& GetAt(POSITION position) { return NodeAt(position)->data; }
    const TYPE& GetAt(POSITION position) const { return NodeAt(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { NodeAt(pos)->data = newElement; }
    void RemoveAt(POSITION position) { FreeNode(NodeAt(position)); }

    // A null position inserts at the head (InsertBefore) or tail (InsertAfter).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement)
    {
        if (position == nullptr)
            return AddHead(newElement);
        return PositionOf(LinkBefore(NodeAt(position), newElement));
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement)
    {
        if (position == nullptr)
            return AddTail(newElement);
        return PositionOf(LinkAfter(NodeAt(position), newElement));
    }

    // Searches from the head, or after startAfter; null when not found.
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const
    {
        CNode* node = startAfter == nullptr ? m_pNodeHead : NodeAt(startAfter)->pNext;
        for (; node != nullptr; node = node->pNext) {
            if (CompareElements<TYPE, std::decay_t<ARG_TYPE>>(&node->data, &searchValue))
                return PositionOf(node);
        }
        return nullptr;
    }
    // The position of the nIndex-th element, or null when out of range.
    POSITION FindIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nCount)
            return nullptr;
        CNode* node = m_pNodeHead;
        while (nIndex-- > 0)
            node = node->pNext;
        return PositionOf(node);
    }

private:
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

    static POSITION PositionOf(CNode* node) { return reinterpret_cast<POSITION>(node); }
    static CNode* NodeAt(POSITION position)
    {
        if (position == nullptr || position == BEFORE_START_POSITION)
            AfxThrowInvalidArgException();
        return reinterpret_cast<CNode*>(position);
    }
    static CNode* NonEmpty(CNode* node)
    {
        if (node == nullptr)
            AfxThrowInvalidArgException();
        return node;
    }

    CNode* LinkBefore(CNode* next, ARG_TYPE newElement)
    {
        CNode* node = new CNode{next, next ? next->pPrev : m_pNodeTail, TYPE(newElement)};
        (node->pPrev ? node->pPrev->pNext : m_pNodeHead) = node;
        (next ? next->pPrev : m_pNodeTail) = node;
        ++m_nCount;
        return node;
    }
    CNode* LinkAfter(CNode* prev, ARG_TYPE newElement)
    {
        return LinkBefore(prev ? prev->pNext : m_pNodeHead, newElement);
    }
    void FreeNode(CNode* node)
    {
        (node->pPrev ? node->pPrev->pNext : m_pNodeHead) = node->pNext;
        (node->pNext ? node->pNext->pPrev : m_pNodeTail) = node->pPrev;
        --m_nCount;
        delete node;
    }

    CNode* m_pNodeHead = nullptr;
    CNode* m_pNodeTail = nullptr;
    INT_PTR m_nCount = 0;
};

class CObList : public CList<CObject*, CObject*> {
    DECLARE_DYNAMIC(CObList)
public:
    explicit CObList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
};

class CPtrList : public CList<void*, void*> {
    DECLARE_DYNAMIC(CPtrList)
public:
    explicit CPtrList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
};

class CStringList : public CList<CString, const CString&> {
    DECLARE_DYNAMIC(CStringList)
public:
    explicit CStringList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
};

// A CObList or CPtrList holding pointers of type TYPE.
template <class BASE_CLASS, class TYPE>
class CTypedPtrList : public BASE_CLASS {
public:
    explicit CTypedPtrList(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

    TYPE& GetHead() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetHead()); }
    TYPE GetHead() const { return (TYPE)BASE_CLASS::GetHead(); }
    TYPE& GetTail() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetTail()); }
    TYPE GetTail() const { return (TYPE)BASE_CLASS::GetTail(); }
    TYPE RemoveHead() { return (TYPE)BASE_CLASS::RemoveHead(); }
    TYPE RemoveTail() { return (TYPE)BASE_CLASS::RemoveTail(); }
    POSITION AddHead(TYPE newElement) { return BASE_CLASS::AddHead(newElement); }
    POSITION AddTail(TYPE newElement) { return BASE_CLASS::AddTail(newElement); }
    void AddHead(CTypedPtrList* pNewList) { BASE_CLASS::AddHead(pNewList); }
    void AddTail(CTypedPtrList* pNewList) { BASE_CLASS::AddTail(pNewList); }
    TYPE& GetNext(POSITION& rPosition) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetNext(rPosition)); }
    TYPE GetNext(POSITION& rPosition) const { return (TYPE)BASE_CLASS::GetNext(rPosition); }
    TYPE& GetPrev(POSITION& rPosition) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetPrev(rPosition)); }
    TYPE GetPrev(POSITION& rPosition) const { return (TYPE)BASE_CLASS::GetPrev(rPosition); }
    TYPE& GetAt(POSITION position) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetAt(position)); }
    TYPE GetAt(POSITION position) const { return (TYPE)BASE_CLASS::GetAt(position); }
    void SetAt(POSITION pos, TYPE newElement) { BASE_CLASS::SetAt(pos, newElement); }
    POSITION InsertBefore(POSITION position, TYPE newElement) { return BASE_CLASS::InsertBefore(position, newElement); }
    POSITION InsertAfter(POSITION position, TYPE newElement) { return BASE_CLASS::InsertAfter(position, newElement); }
};

// Hash map. Iteration goes through the buckets in order and each bucket's
// chain from its head; a new key goes to the head of its bucket's chain.
template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
public:
    using BASE_KEY = KEY;
    using BASE_ARG_KEY = ARG_KEY;
    using BASE_VALUE = VALUE;
    using BASE_ARG_VALUE = ARG_VALUE;

    static constexpr UINT kDefaultHashTableSize = 17;

    explicit CMap(INT_PTR nBlockSize = 10) { static_cast<void>(nBlockSize); }
    ~CMap() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const
    {
        const CAssoc* assoc = FindAssoc(key, HashKey<ARG_KEY>(key));
        if (assoc == nullptr)
            return FALSE;
        rValue = assoc->value;
        return TRUE;
    }
    // The value stored under key; an absent key is added with a default value.
    VALUE& operator[](ARG_KEY key)
    {
        const UINT hash = HashKey<ARG_KEY>(key);
        if (CAssoc* assoc = FindAssoc(key, hash))
            return assoc->value;
        if (!m_pHashTable)
            AllocateTable();
        CAssoc*& head = m_pHashTable[hash % m_nHashTableSize];
        head = new CAssoc{head, hash, KEY(key), VALUE()};
        ++m_nCount;
        return head->value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
    BOOL RemoveKey(ARG_KEY key)
    {
        if (!m_pHashTable)
            return FALSE;
        const UINT hash = HashKey<ARG_KEY>(key);
        for (CAssoc** link = &m_pHashTable[hash % m_nHashTableSize]; *link != nullptr; link = &(*link)->pNext) {
            CAssoc* assoc = *link;
            if (assoc->nHashValue == hash && CompareElements<KEY, std::decay_t<ARG_KEY>>(&assoc->key, &key)) {
                *link = assoc->pNext;
                delete assoc;
                --m_nCount;
                return TRUE;
            }
        }
        return FALSE;
    }
    void RemoveAll()
    {
        if (m_pHashTable) {
            for (UINT bucket = 0; bucket < m_nHashTableSize; ++bucket) {
                for (CAssoc* assoc = m_pHashTable[bucket]; assoc != nullptr;)
                    delete std::exchange(assoc, assoc->pNext);
            }
        }
        m_pHashTable.reset();
        m_nCount = 0;
    }

    POSITION GetStartPosition() const { return m_nCount == 0 ? nullptr : BEFORE_START_POSITION; }
    // Fetches the entry at rNextPosition and moves it on; null after the last.
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
    {
        const CAssoc* assoc = reinterpret_cast<const CAssoc*>(rNextPosition);
        if (rNextPosition == BEFORE_START_POSITION)
            assoc = FirstAssocFrom(0);
        if (assoc == nullptr)
            AfxThrowInvalidArgException();
        rKey = assoc->key;
        rValue = assoc->value;
        const CAssoc* next = assoc->pNext;
        if (next == nullptr)
            next = FirstAssocFrom(assoc->nHashValue % m_nHashTableSize + 1);
        rNextPosition = reinterpret_cast<POSITION>(const_cast<CAssoc*>(next));
    }

    UINT GetHashTableSize() const { return m_nHashTableSize; }
    // Sets the number of buckets; only while the map is empty.
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE)
    {
        if (hashSize == 0 || m_nCount != 0)
            AfxThrowInvalidArgException();
        m_pHashTable.reset();
        m_nHashTableSize = hashSize;
        if (bAllocNow)
            AllocateTable();
    }

private:
    struct CAssoc {
        CAssoc* pNext;
        UINT nHashValue;
        KEY key;
        VALUE value;
    };

    void AllocateTable() { m_pHashTable.reset(new CAssoc*[m_nHashTableSize]()); }

    CAssoc* FindAssoc(const ARG_KEY& key, UINT hash) const
    {
        if (!m_pHashTable)
            return nullptr;
        for (CAssoc* assoc = m_pHashTable[hash % m_nHashTableSize]; assoc != nullptr; assoc = assoc->pNext) {
            if (assoc->nHashValue == hash && CompareElements<KEY, std::decay_t<ARG_KEY>>(&assoc->key, &key))
                return assoc;
        }
        return nullptr;
    }
    const CAssoc* FirstAssocFrom(UINT bucket) const
    {
        if (!m_pHashTable)
            return nullptr;
        for (; bucket < m_nHashTableSize; ++bucket) {
            if (m_pHashTable[bucket] != nullptr)
                return m_pHashTable[bucket];
        }
        return nullptr;
    }

    std::unique_ptr<CAssoc*[]> m_pHashTable;
    UINT m_nHashTableSize = kDefaultHashTableSize;
    INT_PTR m_nCount = 0;
};

class CMapStringToOb : public CMap<CString, LPCSTR, CObject*, CObject*> {
    DECLARE_DYNAMIC(CMapStringToOb)
public:
    explicit CMapStringToOb(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

class CMapStringToPtr : public CMap<CString, LPCSTR, void*, void*> {
    DECLARE_DYNAMIC(CMapStringToPtr)
public:
    explicit CMapStringToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

class CMapStringToString : public CMap<CString, LPCSTR, CString, LPCSTR> {
    DECLARE_DYNAMIC(CMapStringToString)
public:
    explicit CMapStringToString(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

class CMapPtrToPtr : public CMap<void*, void*, void*, void*> {
    DECLARE_DYNAMIC(CMapPtrToPtr)
public:
    explicit CMapPtrToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

class CMapWordToPtr : public CMap<WORD, WORD, void*, void*> {
    DECLARE_DYNAMIC(CMapWordToPtr)
public:
    explicit CMapWordToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

class CMapWordToOb : public CMap<WORD, WORD, CObject*, CObject*> {
    DECLARE_DYNAMIC(CMapWordToOb)
public:
    explicit CMapWordToOb(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

// One of the named maps holding values of pointer type VALUE (and keys of type KEY).
template <class BASE_CLASS, class KEY, class VALUE>
class CTypedPtrMap : public BASE_CLASS {
public:
    using typename BASE_CLASS::BASE_ARG_KEY;

    explicit CTypedPtrMap(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

    BOOL Lookup(BASE_ARG_KEY key, VALUE& rValue) const
    {
        typename BASE_CLASS::BASE_VALUE value{};
        if (!BASE_CLASS::Lookup(key, value))
            return FALSE;
        rValue = (VALUE)value;
        return TRUE;
    }
    VALUE& operator[](BASE_ARG_KEY key) { return reinterpret_cast<VALUE&>(BASE_CLASS::operator[](key)); }
    void SetAt(KEY key, VALUE newValue) { BASE_CLASS::SetAt(key, newValue); }
    BOOL RemoveKey(KEY key) { return BASE_CLASS::RemoveKey(key); }
    void GetNextAssoc(POSITION& rPosition, KEY& rKey, VALUE& rValue) const
    {
        typename BASE_CLASS::BASE_KEY key{};
        typename BASE_CLASS::BASE_VALUE value{};
        BASE_CLASS::GetNextAssoc(rPosition, key, value);
        rKey = (KEY)key;
        rValue = (VALUE)value;
    }
};
