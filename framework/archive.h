// CArchive: buffered binary serialization to a CFile (little-endian values, framework string prefixes).
#pragma once

#include "framework/exceptions.h"
#include "framework/file.h"
#include "framework/strings.h"

#include <type_traits>
#include <unordered_map>
#include <vector>

class CDocument;

// Loads or stores values through a buffer in front of a CFile. Reading
// past the end throws CArchiveException*(endOfFile).
class CArchive {
public:
    enum Mode : UINT { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    static constexpr int kDefaultBufferSize = 4096;
    static constexpr int kMinBufferSize = 16;

    CArchive(CFile* pFile, UINT nMode, int nBufSize = kDefaultBufferSize);
    // Flushes a storing archive that was not closed, unless bNoFlushOnDelete;
    // errors are lost there, so call Close() to see them.
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    BOOL IsBufferEmpty() const { return m_nCur == m_nMax; }
    CFile* GetFile() const { return m_pFile; }

    // Returns the number of bytes read; fewer than nMax only at the end.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    // Storing: writes the buffer to the file. Loading: gives the unread part
    // of the buffer back to the file.
    void Flush();
    void Close();
    // Detaches from the file without flushing or throwing.
    void Abort();

    // Bytes a loading archive can still deliver: buffered plus left in the file.
    ULONGLONG GetBytesRemaining() const;

    // Writes the text as it is, with no terminator or newline.
    void WriteString(LPCSTR lpsz);
    // Reads one line without its CR LF or LF; FALSE at the end.
    BOOL ReadString(CString& rString);
    // As above into lpsz, at most nMax - 1 characters; null at the end.
    LPSTR ReadString(LPSTR lpsz, UINT nMax);

    CArchive& operator<<(BYTE by) { return WriteInteger(by); }
    CArchive& operator<<(char ch) { return WriteInteger(ch); }
    CArchive& operator<<(bool b) { return WriteInteger(static_cast<BYTE>(b ? 1 : 0)); }
    CArchive& operator<<(WORD w) { return WriteInteger(w); }
    CArchive& operator<<(short w) { return WriteInteger(w); }
    CArchive& operator<<(wchar_t ch) { return WriteInteger(static_cast<WORD>(ch)); }
    CArchive& operator<<(int i) { return WriteInteger(static_cast<LONG>(i)); }
    CArchive& operator<<(UINT u) { return WriteInteger(static_cast<DWORD>(u)); }
    CArchive& operator<<(LONG l) { return WriteInteger(l); }
    CArchive& operator<<(DWORD dw) { return WriteInteger(dw); }
    CArchive& operator<<(LONGLONG ll) { return WriteInteger(ll); }
    CArchive& operator<<(ULONGLONG ull) { return WriteInteger(ull); }
    CArchive& operator<<(float f);
    CArchive& operator<<(double d);
    // Text is stored as a CString, not as the bool a pointer would turn into.
    CArchive& operator<<(LPCSTR psz);
    // Objects are not written through pointers.
    template <class T>
    CArchive& operator<<(const T* pointer) = delete;

    CArchive& operator>>(BYTE& by) { return ReadInteger(by); }
    CArchive& operator>>(char& ch) { return ReadInteger(ch); }
    CArchive& operator>>(bool& b);
    CArchive& operator>>(WORD& w) { return ReadInteger(w); }
    CArchive& operator>>(short& w) { return ReadInteger(w); }
    CArchive& operator>>(wchar_t& ch);
    CArchive& operator>>(int& i);
    CArchive& operator>>(UINT& u);
    CArchive& operator>>(LONG& l) { return ReadInteger(l); }
    CArchive& operator>>(DWORD& dw) { return ReadInteger(dw); }
    CArchive& operator>>(LONGLONG& ll) { return ReadInteger(ll); }
    CArchive& operator>>(ULONGLONG& ull) { return ReadInteger(ull); }
    CArchive& operator>>(float& f);
    CArchive& operator>>(double& d);

    // The object map: the class records and the objects written or read through
    // the archive share one index space from 1, so that an object reached through
    // two pointers is written once and a later reference to it loads as the same object.
    static constexpr WORD kNullTag = 0;
    static constexpr WORD kNewClassTag = 0xFFFF;
    static constexpr WORD kClassTag = 0x8000;
    static constexpr WORD kBigObjectTag = 0x7FFF;
    static constexpr DWORD kBigClassTag = 0x80000000;
    // Indexes a map may hold; a record naming more is damaged.
    static constexpr DWORD kMaxMapCount = 0x3FFFFFFE;
    // Longest class name a class record may carry.
    static constexpr WORD kMaxClassNameLength = 64;

    // A class record: a reference to a class written before, else the new-class
    // tag, the schema, the name's length and the name.
    void WriteClass(const CRuntimeClass* pClass, UINT nSchema);
    // Reads a class record; *pnSchema gets the schema it carries. Null for a
    // class no module knows (the record still takes its index). Throws
    // CArchiveException*(badClass) for a record that is no class record,
    // (badIndex) for a reference to nothing.
    CRuntimeClass* ReadClass(UINT* pnSchema = nullptr);
    // An object through a pointer: the null tag, a reference to an object the
    // archive holds already, or the object's class record and its own serialization.
    void WriteObject(const CObject* pObject);
    // What WriteObject wrote: null, the object a reference names, or a new object
    // of the class read (known, and derived from pBaseClass when given; else
    // badClass) that serializes itself; the caller owns a new object.
    CObject* ReadObject(const CRuntimeClass* pBaseClass);
    // Enters an object the caller wrote or made into the map (storing: under the
    // next index, once; loading: at the next index).
    void MapObject(const CObject* pObject);
    // The schema of the last class record read.
    UINT GetObjectSchema() const { return m_nObjectSchema; }

    CDocument* m_pDocument = nullptr;
    CString m_strFileName;

private:
    template <class T>
    CArchive& WriteInteger(T value)
    {
        static_assert(std::is_integral<T>::value, "integers only");
        using Unsigned = std::make_unsigned_t<T>;
        const auto bits = static_cast<Unsigned>(value);
        BYTE bytes[sizeof(T)];
        for (size_t i = 0; i < sizeof(T); ++i)
            bytes[i] = static_cast<BYTE>(static_cast<ULONGLONG>(bits) >> (8 * i));
        Write(bytes, sizeof(bytes));
        return *this;
    }
    template <class T>
    CArchive& ReadInteger(T& value)
    {
        static_assert(std::is_integral<T>::value, "integers only");
        BYTE bytes[sizeof(T)];
        ReadExact(bytes, sizeof(bytes));
        ULONGLONG bits = 0;
        for (size_t i = 0; i < sizeof(T); ++i)
            bits |= static_cast<ULONGLONG>(bytes[i]) << (8 * i);
        value = static_cast<T>(static_cast<std::make_unsigned_t<T>>(bits));
        return *this;
    }

    // Reads exactly nCount bytes or throws CArchiveException*(endOfFile).
    void ReadExact(void* lpBuf, UINT nCount);
    // Reads one byte, or returns -1 at the end.
    int ReadByte();
    void CheckLoading() const;
    void CheckStoring() const;

    // One loaded entry of the object map: a class with its schema, or an object.
    struct LoadedEntry {
        BOOL bClass = FALSE;
        // Null for a class no module knows.
        CRuntimeClass* pClass = nullptr;
        UINT nSchema = 0;
        CObject* pObject = nullptr;
    };
    // A tag and what it names: bClass for a class reference, nIndex its map index.
    void ReadTag(WORD& nTag, BOOL& bClass, DWORD& nIndex);
    void WriteReference(DWORD nIndex, BOOL bClass);
    // The class of a new-class record (null when unknown), mapped at the next index.
    CRuntimeClass* ReadNewClass(UINT& nSchema);
    // The class entry a class reference names, or badIndex.
    const LoadedEntry& ClassEntry(DWORD nIndex) const;
    void AddLoaded(const LoadedEntry& entry);
    void AddStored(const void* pEntry);

    CFile* m_pFile;
    UINT m_nMode;
    std::unordered_map<const void*, DWORD> m_storeMap;
    std::vector<LoadedEntry> m_loadArray;
    UINT m_nObjectSchema = 0;
    std::vector<BYTE> m_buffer;
    size_t m_nCur = 0;
    size_t m_nMax = 0;

    friend CArchive& operator>>(CArchive& ar, CString& string);
};

// Length below 255: one byte; below 0xFFFE: 0xFF and a WORD; otherwise 0xFF,
// 0xFFFF and a DWORD. Then the characters, no terminator.
CArchive& operator<<(CArchive& ar, const CString& string);
// Also reads wide text (prefix 0xFF 0xFFFE, then a length in UTF-16 units),
// converted to the system code page.
CArchive& operator>>(CArchive& ar, CString& string);

// Writes a string length prefix as operator<< does.
void AfxWriteStringLength(CArchive& ar, ULONGLONG nLength);
// Reads a string length prefix; nCharSize becomes 1, or 2 for wide text.
ULONGLONG AfxReadStringLength(CArchive& ar, int& nCharSize);
