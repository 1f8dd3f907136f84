#include "framework/archive.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <limits>
#include <string>

namespace {

// String prefixes.
constexpr BYTE kByteLengthEscape = 0xFF;
constexpr WORD kWideTextMarker = 0xFFFE;
constexpr WORD kWordLengthEscape = 0xFFFF;
constexpr DWORD kDwordLengthEscape = 0xFFFFFFFF;

// Strings are read in steps of this many bytes, so the text grows only as
// fast as data really arrives.
constexpr UINT kStringReadChunk = 64 * 1024;

template <class Bits, class Real>
Bits BitsOf(Real value)
{
    static_assert(sizeof(Bits) == sizeof(Real), "same size");
    Bits bits;
    std::memcpy(&bits, &value, sizeof(bits));
    return bits;
}

template <class Real, class Bits>
Real RealOf(Bits bits)
{
    static_assert(sizeof(Bits) == sizeof(Real), "same size");
    Real value;
    std::memcpy(&value, &bits, sizeof(value));
    return value;
}

} // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize)
    : m_pFile(pFile), m_nMode(nMode), m_buffer(static_cast<size_t>(std::max(nBufSize, kMinBufferSize)))
{
    if (pFile == nullptr)
        AfxThrowInvalidArgException();
    m_strFileName = pFile->GetFilePath();
}

CArchive::~CArchive()
{
    if (m_pFile != nullptr && IsStoring() && (m_nMode & bNoFlushOnDelete) == 0) {
        try {
            Flush();
        } catch (CException* e) {
            e->Delete();
        }
    }
    Abort();
}

void CArchive::CheckLoading() const
{
    if (m_pFile == nullptr)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    if (!IsLoading())
        AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
}

void CArchive::CheckStoring() const
{
    if (m_pFile == nullptr)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    if (!IsStoring())
        AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    CheckLoading();
    if (nMax == 0)
        return 0;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    BYTE* out = static_cast<BYTE*>(lpBuf);
    UINT done = 0;
    while (done < nMax) {
        if (m_nCur == m_nMax) {
            const UINT wanted = nMax - done;
            if (wanted >= m_buffer.size()) {
                // Large reads bypass the buffer.
                const UINT read = m_pFile->Read(out + done, wanted);
                done += read;
                if (read < wanted)
                    break;
                continue;
            }
            m_nCur = 0;
            m_nMax = m_pFile->Read(m_buffer.data(), static_cast<UINT>(m_buffer.size()));
            if (m_nMax == 0)
                break;
        }
        const size_t count = std::min(static_cast<size_t>(nMax - done), m_nMax - m_nCur);
        std::memcpy(out + done, m_buffer.data() + m_nCur, count);
        m_nCur += count;
        done += static_cast<UINT>(count);
    }
    return done;
}

void CArchive::ReadExact(void* lpBuf, UINT nCount)
{
    if (Read(lpBuf, nCount) != nCount)
        AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
}

int CArchive::ReadByte()
{
    BYTE by;
    return Read(&by, 1) == 1 ? by : -1;
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    CheckStoring();
    if (nMax == 0)
        return;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    const BYTE* in = static_cast<const BYTE*>(lpBuf);
    if (m_nCur + nMax > m_buffer.size()) {
        Flush();
        if (nMax >= m_buffer.size()) {
            m_pFile->Write(in, nMax);
            return;
        }
    }
    std::memcpy(m_buffer.data() + m_nCur, in, nMax);
    m_nCur += nMax;
}

void CArchive::Flush()
{
    if (m_pFile == nullptr)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    if (IsStoring()) {
        const size_t pending = m_nCur;
        m_nCur = 0;
        if (pending > 0)
            m_pFile->Write(m_buffer.data(), static_cast<UINT>(pending));
    } else {
        const size_t unread = m_nMax - m_nCur;
        m_nCur = m_nMax = 0;
        if (unread > 0)
            m_pFile->Seek(-static_cast<LONGLONG>(unread), CFile::current);
    }
}

void CArchive::Close()
{
    Flush();
    m_pFile = nullptr;
}

void CArchive::Abort()
{
    m_pFile = nullptr;
    m_nCur = m_nMax = 0;
}

ULONGLONG CArchive::GetBytesRemaining() const
{
    CheckLoading();
    const ULONGLONG length = m_pFile->GetLength();
    const ULONGLONG position = m_pFile->GetPosition();
    return (length > position ? length - position : 0) + (m_nMax - m_nCur);
}

void CArchive::WriteString(LPCSTR lpsz)
{
    if (lpsz == nullptr)
        AfxThrowInvalidArgException();
    const size_t length = std::strlen(lpsz);
    if (length > UINT_MAX)
        AfxThrowInvalidArgException();
    Write(lpsz, static_cast<UINT>(length));
}

BOOL CArchive::ReadString(CString& rString)
{
    if (!AfxReadLine([this] { return ReadByte(); }, rString))
        return FALSE;
    if (rString.GetLength() > 0 && rString[rString.GetLength() - 1] == '\r')
        rString.Delete(rString.GetLength() - 1);
    return TRUE;
}

LPSTR CArchive::ReadString(LPSTR lpsz, UINT nMax)
{
    if (lpsz == nullptr || nMax == 0)
        AfxThrowInvalidArgException();
    UINT length = 0;
    bool readAny = false;
    while (length + 1 < nMax) {
        const int ch = ReadByte();
        if (ch < 0)
            break;
        readAny = true;
        if (ch == '\n')
            break;
        lpsz[length++] = static_cast<char>(ch);
    }
    if (length > 0 && lpsz[length - 1] == '\r')
        --length;
    lpsz[length] = '\0';
    return readAny ? lpsz : nullptr;
}

CArchive& CArchive::operator<<(float f)
{
    return WriteInteger(BitsOf<DWORD>(f));
}

CArchive& CArchive::operator<<(double d)
{
    return WriteInteger(BitsOf<ULONGLONG>(d));
}

CArchive& CArchive::operator<<(LPCSTR psz)
{
    return *this << CString(psz);
}

CArchive& CArchive::operator>>(bool& b)
{
    BYTE by;
    ReadInteger(by);
    b = by != 0;
    return *this;
}

CArchive& CArchive::operator>>(wchar_t& ch)
{
    WORD w;
    ReadInteger(w);
    ch = static_cast<wchar_t>(w);
    return *this;
}

CArchive& CArchive::operator>>(int& i)
{
    LONG l;
    ReadInteger(l);
    i = static_cast<int>(l);
    return *this;
}

CArchive& CArchive::operator>>(UINT& u)
{
    DWORD dw;
    ReadInteger(dw);
    u = static_cast<UINT>(dw);
    return *this;
}

CArchive& CArchive::operator>>(float& f)
{
    DWORD bits;
    ReadInteger(bits);
    f = RealOf<float>(bits);
    return *this;
}

CArchive& CArchive::operator>>(double& d)
{
    ULONGLONG bits;
    ReadInteger(bits);
    d = RealOf<double>(bits);
    return *this;
}

void AfxWriteStringLength(CArchive& ar, ULONGLONG nLength)
{
    if (nLength < kByteLengthEscape) {
        ar << static_cast<BYTE>(nLength);
        return;
    }
    ar << kByteLengthEscape;
    if (nLength < kWideTextMarker) {
        ar << static_cast<WORD>(nLength);
        return;
    }
    ar << kWordLengthEscape;
    if (nLength < kDwordLengthEscape) {
        ar << static_cast<DWORD>(nLength);
        return;
    }
    ar << kDwordLengthEscape << nLength;
}

ULONGLONG AfxReadStringLength(CArchive& ar, int& nCharSize)
{
    nCharSize = 1;
    BYTE byteLength;
    ar >> byteLength;
    if (byteLength < kByteLengthEscape)
        return byteLength;
    WORD wordLength;
    ar >> wordLength;
    if (wordLength == kWideTextMarker) {
        // Wide text: the length follows again, counted in UTF-16 units.
        nCharSize = 2;
        ar >> byteLength;
        if (byteLength < kByteLengthEscape)
            return byteLength;
        ar >> wordLength;
    }
    if (wordLength < kWideTextMarker)
        return wordLength;
    DWORD dwordLength;
    ar >> dwordLength;
    if (dwordLength < kDwordLengthEscape)
        return dwordLength;
    ULONGLONG longLength;
    ar >> longLength;
    return longLength;
}

CArchive& operator<<(CArchive& ar, const CString& string)
{
    AfxWriteStringLength(ar, static_cast<ULONGLONG>(string.GetLength()));
    ar.Write(string.GetString(), static_cast<UINT>(string.GetLength()));
    return ar;
}

CArchive& operator>>(CArchive& ar, CString& string)
{
    int charSize = 1;
    const ULONGLONG length = AfxReadStringLength(ar, charSize);
    // The prefix comes from disk: check it against what is there before
    // allocating anything.
    if (length > ar.GetBytesRemaining() / static_cast<ULONGLONG>(charSize))
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
    if (length > static_cast<ULONGLONG>(INT_MAX) / static_cast<ULONGLONG>(charSize))
        AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);

    std::string bytes;
    for (size_t remaining = static_cast<size_t>(length) * charSize; remaining > 0;) {
        const UINT chunk = static_cast<UINT>(std::min<size_t>(remaining, kStringReadChunk));
        const size_t filled = bytes.size();
        bytes.resize(filled + chunk);
        ar.ReadExact(&bytes[filled], chunk);
        remaining -= chunk;
    }
    if (charSize == 1) {
        string = CString(bytes.data(), static_cast<int>(bytes.size()));
        return ar;
    }
    std::wstring wide(static_cast<size_t>(length), L'\0');
    for (size_t i = 0; i < wide.size(); ++i)
        wide[i] = static_cast<wchar_t>(static_cast<BYTE>(bytes[2 * i]) | (static_cast<BYTE>(bytes[2 * i + 1]) << 8));
    string = CString(wide.data(), static_cast<int>(wide.size()));
    return ar;
}

// ---------------------------------------------------------------------------
// The object map.

void CArchive::AddStored(const void* pEntry)
{
    if (m_storeMap.size() >= kMaxMapCount)
        AfxThrowArchiveException(CArchiveException::badIndex);
    const auto nIndex = static_cast<DWORD>(m_storeMap.size() + 1);
    m_storeMap.emplace(pEntry, nIndex);
}

void CArchive::WriteReference(DWORD nIndex, BOOL bClass)
{
    if (nIndex < kBigObjectTag) {
        *this << static_cast<WORD>(bClass ? (kClassTag | nIndex) : nIndex);
        return;
    }
    *this << kBigObjectTag << (bClass ? (kBigClassTag | nIndex) : nIndex);
}

void CArchive::WriteClass(const CRuntimeClass* pClass, UINT nSchema)
{
    CheckStoring();
    if (pClass == nullptr)
        AfxThrowArchiveException(CArchiveException::badClass);
    const auto found = m_storeMap.find(pClass);
    if (found != m_storeMap.end()) {
        WriteReference(found->second, TRUE);
        return;
    }
    const size_t nLength = std::strlen(pClass->m_lpszClassName);
    if (nLength == 0 || nLength > kMaxClassNameLength)
        AfxThrowArchiveException(CArchiveException::badClass);
    *this << kNewClassTag << static_cast<WORD>(nSchema) << static_cast<WORD>(nLength);
    Write(pClass->m_lpszClassName, static_cast<UINT>(nLength));
    AddStored(pClass);
}

void CArchive::WriteObject(const CObject* pObject)
{
    CheckStoring();
    if (pObject == nullptr) {
        *this << kNullTag;
        return;
    }
    const auto found = m_storeMap.find(pObject);
    if (found != m_storeMap.end()) {
        WriteReference(found->second, FALSE);
        return;
    }
    const CRuntimeClass* pClass = pObject->GetRuntimeClass();
    WriteClass(pClass, pClass->m_wSchema);
    AddStored(pObject);
    const_cast<CObject*>(pObject)->Serialize(*this);
}

void CArchive::MapObject(const CObject* pObject)
{
    if (pObject == nullptr)
        return;
    if (IsStoring()) {
        if (m_storeMap.find(pObject) == m_storeMap.end())
            AddStored(pObject);
        return;
    }
    LoadedEntry entry;
    entry.pObject = const_cast<CObject*>(pObject);
    AddLoaded(entry);
}

void CArchive::AddLoaded(const LoadedEntry& entry)
{
    if (m_loadArray.empty())
        m_loadArray.emplace_back(); // index 0 stands for the null tag
    if (m_loadArray.size() > kMaxMapCount)
        AfxThrowArchiveException(CArchiveException::badIndex);
    m_loadArray.push_back(entry);
}

const CArchive::LoadedEntry& CArchive::ClassEntry(DWORD nIndex) const
{
    if (nIndex == 0 || nIndex >= m_loadArray.size() || !m_loadArray[nIndex].bClass)
        AfxThrowArchiveException(CArchiveException::badIndex);
    return m_loadArray[nIndex];
}

void CArchive::ReadTag(WORD& nTag, BOOL& bClass, DWORD& nIndex)
{
    CheckLoading();
    *this >> nTag;
    if (nTag == kBigObjectTag) {
        DWORD nBig = 0;
        *this >> nBig;
        bClass = (nBig & kBigClassTag) != 0;
        nIndex = nBig & ~kBigClassTag;
        return;
    }
    bClass = (nTag & kClassTag) != 0;
    nIndex = nTag & ~kClassTag;
}

CRuntimeClass* CArchive::ReadNewClass(UINT& nSchema)
{
    WORD nWordSchema = 0;
    WORD nLength = 0;
    *this >> nWordSchema >> nLength;
    if (nLength == 0 || nLength > kMaxClassNameLength)
        AfxThrowArchiveException(CArchiveException::badClass);
    char szName[kMaxClassNameLength + 1] = {};
    ReadExact(szName, nLength);
    LoadedEntry entry;
    entry.bClass = TRUE;
    entry.pClass = CRuntimeClass::FromName(szName);
    entry.nSchema = nWordSchema;
    AddLoaded(entry);
    nSchema = nWordSchema;
    return entry.pClass;
}

CRuntimeClass* CArchive::ReadClass(UINT* pnSchema)
{
    WORD nTag = 0;
    BOOL bClass = FALSE;
    DWORD nIndex = 0;
    ReadTag(nTag, bClass, nIndex);
    UINT nSchema = 0;
    CRuntimeClass* pClass = nullptr;
    if (nTag == kNewClassTag) {
        pClass = ReadNewClass(nSchema);
    } else if (!bClass) {
        AfxThrowArchiveException(CArchiveException::badClass);
    } else {
        const LoadedEntry& entry = ClassEntry(nIndex);
        pClass = entry.pClass;
        nSchema = entry.nSchema;
    }
    m_nObjectSchema = nSchema;
    if (pnSchema != nullptr)
        *pnSchema = nSchema;
    return pClass;
}

CObject* CArchive::ReadObject(const CRuntimeClass* pBaseClass)
{
    WORD nTag = 0;
    BOOL bClass = FALSE;
    DWORD nIndex = 0;
    ReadTag(nTag, bClass, nIndex);
    if (nTag == kNullTag)
        return nullptr;
    CRuntimeClass* pClass = nullptr;
    if (nTag == kNewClassTag) {
        pClass = ReadNewClass(m_nObjectSchema);
    } else if (bClass) {
        const LoadedEntry& entry = ClassEntry(nIndex);
        pClass = entry.pClass;
        m_nObjectSchema = entry.nSchema;
    } else {
        // A reference to an object read before.
        if (nIndex == 0 || nIndex >= m_loadArray.size() || m_loadArray[nIndex].pObject == nullptr)
            AfxThrowArchiveException(CArchiveException::badIndex);
        CObject* pObject = m_loadArray[nIndex].pObject;
        if (pBaseClass != nullptr && !pObject->IsKindOf(pBaseClass))
            AfxThrowArchiveException(CArchiveException::badClass);
        return pObject;
    }
    if (pClass == nullptr || (pBaseClass != nullptr && !pClass->IsDerivedFrom(pBaseClass)))
        AfxThrowArchiveException(CArchiveException::badClass);
    CObject* pObject = pClass->CreateObject();
    if (pObject == nullptr)
        AfxThrowArchiveException(CArchiveException::badClass);
    MapObject(pObject);
    const size_t nEntry = m_loadArray.size() - 1;
    try {
        pObject->Serialize(*this);
    } catch (...) {
        // The map keeps no pointer to the object, nor to what it made, once they are gone.
        for (size_t i = nEntry; i < m_loadArray.size(); ++i)
            m_loadArray[i].pObject = nullptr;
        delete pObject;
        throw;
    }
    return pObject;
}
