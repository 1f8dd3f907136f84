#include "toolkit/common/prop_exchange.h"

#include "framework/archive.h"
#include "framework/exceptions.h"
#include "framework/file.h"
#include "framework/oletypes.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CKitPropExchange, CCmdTarget)
IMPLEMENT_DYNAMIC(CKitPropExchangeArchive, CKitPropExchange)

namespace {

constexpr WORD kWordCountEscape = 0xFFFF;
constexpr UINT kTemporaryGrowBytes = 1024;
constexpr int kTemporaryBufferSize = 4096;
constexpr int kBaseDefaultSchema = 32;

} // namespace

// The memory archive of the base exchange's GetArchive.
struct CKitPropExchangeTemporary {
    CMemFile file;
    std::unique_ptr<CArchive> archive;
    BYTE* pLoadedBytes = nullptr;

    ~CKitPropExchangeTemporary()
    {
        if (archive)
            archive->Abort();
        archive.reset();
        file.Close();
        std::free(pLoadedBytes);
    }
};

void KitWriteArchiveCount(CArchive& ar, DWORD nCount)
{
    if (nCount < kWordCountEscape) {
        ar << static_cast<WORD>(nCount);
    } else {
        ar << kWordCountEscape;
        ar << nCount;
    }
}

DWORD KitReadArchiveCount(CArchive& ar)
{
    WORD wCount = 0;
    ar >> wCount;
    if (wCount != kWordCountEscape)
        return wCount;
    DWORD dwCount = 0;
    ar >> dwCount;
    return dwCount;
}

CKitPropExchange::CKitPropExchange()
    : m_bLoading(FALSE), m_nSchema(kDefaultSchema), m_bChildSection(FALSE), m_bSection(FALSE), m_dwData(0),
      m_bUseDefaultOnLoad(TRUE), m_bUseDefaultOnSave(TRUE), m_bExchanged(FALSE)
{
}

CKitPropExchange::~CKitPropExchange()
{
    for (CKitPropExchangeTemporary* pTemporary : m_temporaries)
        delete pTemporary;
}

void CKitPropExchange::InitSection(CKitPropExchange* pSection) const
{
    pSection->m_bLoading = m_bLoading;
    pSection->m_nSchema = m_nSchema;
    pSection->m_bChildSection = TRUE;
    pSection->m_bSection = m_bSection;
    pSection->m_dwData = m_dwData;
    pSection->m_bUseDefaultOnLoad = m_bUseDefaultOnLoad;
    pSection->m_bUseDefaultOnSave = m_bUseDefaultOnSave;
}

BOOL CKitPropExchange::OnBeforeExchange()
{
    m_bExchanged = TRUE;
    return TRUE;
}

// Bytes as text: two capital letters per byte, low four bits first.
BOOL CKitPropExchange::ExchangeBlob(LPCSTR lpszPropName, BYTE** ppData, DWORD* pnSize)
{
    CString strText;
    if (IsStoring()) {
        const BYTE* pData = *ppData;
        for (DWORD i = 0; i < *pnSize; ++i) {
            strText += static_cast<char>('A' + (pData[i] & 0x0F));
            strText += static_cast<char>('A' + (pData[i] >> 4));
        }
        return ExchangeProp(lpszPropName, kTypeString, &strText, "");
    }
    if (!ExchangeProp(lpszPropName, kTypeString, &strText, ""))
        return FALSE;
    const int nLength = strText.GetLength();
    if (nLength == 0) {
        *pnSize = 0;
        return TRUE;
    }
    if (nLength % 2 != 0)
        return FALSE;
    const DWORD nBytes = static_cast<DWORD>(nLength / 2);
    for (int i = 0; i < nLength; ++i) {
        if (strText[i] < 'A' || strText[i] > 'P')
            return FALSE;
    }
    BYTE* pTarget = *ppData;
    if (pTarget == nullptr) {
        pTarget = static_cast<BYTE*>(std::malloc(nBytes));
        if (pTarget == nullptr)
            return FALSE;
    } else if (*pnSize < nBytes) {
        return FALSE;
    }
    for (DWORD i = 0; i < nBytes; ++i)
        pTarget[i] = static_cast<BYTE>((strText[2 * i] - 'A') + 16 * (strText[2 * i + 1] - 'A'));
    *ppData = pTarget;
    *pnSize = nBytes;
    return TRUE;
}

CArchive* CKitPropExchange::GetArchive(LPCSTR lpszPropName)
{
    auto pTemporary = std::make_unique<CKitPropExchangeTemporary>();
    if (IsStoring()) {
        pTemporary->file.Attach(nullptr, 0, kTemporaryGrowBytes);
        pTemporary->archive = std::make_unique<CArchive>(&pTemporary->file, CArchive::store, kTemporaryBufferSize);
    } else {
        BYTE* pData = nullptr;
        DWORD nSize = 0;
        if (!ExchangeBlob(lpszPropName, &pData, &nSize) || nSize == 0) {
            std::free(pData);
            return nullptr;
        }
        pTemporary->pLoadedBytes = pData;
        pTemporary->file.Attach(pData, nSize);
        pTemporary->archive = std::make_unique<CArchive>(&pTemporary->file, CArchive::load, kTemporaryBufferSize);
    }
    CArchive* pArchive = pTemporary->archive.get();
    m_temporaries.push_back(pTemporary.release());
    return pArchive;
}

void CKitPropExchange::ReleaseArchive(LPCSTR lpszPropName, CArchive* pArchive)
{
    if (pArchive == nullptr)
        return;
    auto found = std::find_if(m_temporaries.begin(), m_temporaries.end(),
                              [pArchive](const CKitPropExchangeTemporary* p) { return p->archive.get() == pArchive; });
    if (found == m_temporaries.end())
        return;
    std::unique_ptr<CKitPropExchangeTemporary> pTemporary(*found);
    m_temporaries.erase(found);
    if (IsStoring()) {
        pArchive->Flush();
        DWORD nSize = static_cast<DWORD>(pTemporary->file.GetLength());
        BYTE* pData = pTemporary->file.Detach();
        ExchangeBlob(lpszPropName, &pData, &nSize);
        std::free(pData);
    }
}

void CKitPropExchange::ExchangeCount(DWORD& nCount)
{
    int nValue = static_cast<int>(nCount);
    const int nDefault = 0;
    ExchangeProp("Count", kTypeInt, &nValue, &nDefault);
    nCount = static_cast<DWORD>(nValue);
}

DWORD CKitPropExchange::ReadCount()
{
    DWORD nCount = 0;
    ExchangeCount(nCount);
    return nCount;
}

BOOL CKitPropExchange::ExchangeSchema()
{
    return PropExchangeIntWithDefault(this, "Schema", m_nSchema, kBaseDefaultSchema);
}

CKitPropExchangeEnumerator* CKitPropExchange::GetEnumerator(LPCSTR lpszSection)
{
    return new CKitPropExchangeEnumerator(this, lpszSection);
}

BOOL CKitPropExchange::PropExchangeInt(CKitPropExchange* pPX, LPCSTR lpszPropName, int& nValue)
{
    return pPX != nullptr && pPX->ExchangeProp(lpszPropName, kTypeInt, &nValue, nullptr);
}

BOOL CKitPropExchange::PropExchangeIntWithDefault(CKitPropExchange* pPX, LPCSTR lpszPropName, int& nValue,
                                                  int nDefault)
{
    return pPX != nullptr && pPX->ExchangeProp(lpszPropName, kTypeInt, &nValue, &nDefault);
}

BOOL CKitPropExchange::PropExchangeBool(CKitPropExchange* pPX, LPCSTR lpszPropName, BOOL& bValue, BOOL bDefault)
{
    return pPX != nullptr && pPX->ExchangeProp(lpszPropName, kTypeBool, &bValue, &bDefault);
}

BOOL CKitPropExchange::PropExchangeString(CKitPropExchange* pPX, LPCSTR lpszPropName, CString& strValue,
                                          LPCSTR lpszDefault)
{
    return pPX != nullptr && pPX->ExchangeProp(lpszPropName, kTypeString, &strValue, lpszDefault);
}

BOOL CKitPropExchange::PropExchangeStringNoDefault(CKitPropExchange* pPX, LPCSTR lpszPropName, CString& strValue)
{
    return pPX != nullptr && pPX->ExchangeProp(lpszPropName, kTypeString, &strValue, nullptr);
}

BOOL CKitPropExchange::PropExchangeSize(CKitPropExchange* pPX, LPCSTR lpszPropName, CSize& szValue, CSize szDefault)
{
    return pPX != nullptr && pPX->ExchangeProp(lpszPropName, kTypeSize, &szValue, &szDefault);
}

BOOL CKitPropExchange::PropExchangeRect(CKitPropExchange* pPX, LPCSTR lpszPropName, CRect& rcValue,
                                        const CRect& rcDefault)
{
    return pPX != nullptr && pPX->ExchangeProp(lpszPropName, kTypeRect, &rcValue, &rcDefault);
}

BOOL CKitPropExchange::PropExchangeRuntimeClass(CKitPropExchange* pPX, LPCSTR lpszPropName, CRuntimeClass*& pClass,
                                                CRuntimeClass* pDefaultClass)
{
    return pPX != nullptr && pPX->ExchangeRuntimeClass(lpszPropName, pClass, pDefaultClass);
}

BOOL CKitPropExchange::PropExchangeBlob(CKitPropExchange* pPX, LPCSTR lpszPropName, BYTE** ppData, DWORD* pnSize)
{
    return pPX != nullptr && pPX->ExchangeBlob(lpszPropName, ppData, pnSize);
}

BOOL CKitPropExchange::ExchangeRuntimeClass(LPCSTR lpszPropName, CRuntimeClass*& pClass, CRuntimeClass* pDefaultClass)
{
    LPCSTR lpszDefault = pDefaultClass != nullptr ? pDefaultClass->m_lpszClassName : "";
    CString strName;
    if (!m_bLoading) {
        strName = pClass != nullptr ? pClass->m_lpszClassName : "";
        return ExchangeProp(lpszPropName, kTypeString, &strName, lpszDefault);
    }
    // An absent value leaves the name empty: the default class.
    if (!ExchangeProp(lpszPropName, kTypeString, &strName, ""))
        return FALSE;
    if (strName.IsEmpty()) {
        pClass = pDefaultClass;
        return pClass != nullptr;
    }
    pClass = CRuntimeClass::FromName(strName);
    return pClass != nullptr;
}

BOOL CKitPropExchange::ExchangeObjectClass(CObject*& pObject, CRuntimeClass* pExpectedClass)
{
    CRuntimeClass* pClass = !m_bLoading && pObject != nullptr ? pObject->GetRuntimeClass() : nullptr;
    if (m_bLoading)
        pObject = nullptr;
    if (!ExchangeRuntimeClass("Class", pClass, pExpectedClass))
        return FALSE;
    if (!m_bLoading)
        return TRUE;
    if (pClass == nullptr || (pExpectedClass != nullptr && !pClass->IsDerivedFrom(pExpectedClass)))
        return FALSE;
    pObject = pClass->CreateObject();
    return pObject != nullptr;
}

void CKitPropExchange::Write(LPCSTR lpszPropName, const void* pData, DWORD nSize)
{
    BYTE* pBytes = static_cast<BYTE*>(const_cast<void*>(pData));
    ExchangeBlob(lpszPropName, &pBytes, &nSize);
}

DWORD CKitPropExchange::Read(LPCSTR lpszPropName, void* pData, DWORD nSize)
{
    BYTE* pBytes = static_cast<BYTE*>(pData);
    return ExchangeBlob(lpszPropName, &pBytes, &nSize) ? nSize : 0;
}

BOOL CKitPropExchange::PropExchangeObject(CKitPropExchange* pPX, LPCSTR lpszPropName, CObject* pObject)
{
    if (pPX == nullptr || pObject == nullptr)
        return FALSE;
    CArchive* pArchive = pPX->GetArchive(lpszPropName);
    if (pArchive == nullptr)
        return FALSE;
    try {
        pObject->Serialize(*pArchive);
    } catch (...) {
        pPX->ReleaseArchive(lpszPropName, pArchive);
        throw;
    }
    pPX->ReleaseArchive(lpszPropName, pArchive);
    return TRUE;
}

CKitPropExchangeArchive::CKitPropExchangeArchive(CArchive& ar) : m_ar(ar)
{
    m_bLoading = ar.IsLoading();
}

BOOL CKitPropExchangeArchive::ExchangeProp(LPCSTR, int nType, void* pValue, const void*)
{
    if (!OnBeforeExchange())
        return FALSE;
    if (m_ar.IsStoring()) {
        switch (nType) {
        case kTypeShort: m_ar << *static_cast<short*>(pValue); break;
        case kTypeInt: m_ar << static_cast<LONG>(*static_cast<int*>(pValue)); break;
        case kTypeFloat: m_ar << *static_cast<float*>(pValue); break;
        case kTypeDouble: m_ar << *static_cast<double*>(pValue); break;
        case kTypeCurrency: {
            const auto* pHalves = static_cast<const LONG*>(pValue);
            m_ar << pHalves[0] << pHalves[1];
            break;
        }
        case kTypeBool: m_ar << static_cast<LONG>(*static_cast<BOOL*>(pValue)); break;
        case kTypeByte: m_ar << *static_cast<BYTE*>(pValue); break;
        case kTypeDate: m_ar << *static_cast<COleDateTime*>(pValue); break;
        case kTypeVariant: m_ar << *static_cast<COleVariant*>(pValue); break;
        case kTypeString: m_ar << *static_cast<CString*>(pValue); break;
        case kTypeRect: {
            const auto* pRect = static_cast<const RECT*>(pValue);
            m_ar << pRect->left << pRect->top << pRect->right << pRect->bottom;
            break;
        }
        case kTypeSize: {
            const auto* pSize = static_cast<const SIZE*>(pValue);
            m_ar << pSize->cx << pSize->cy;
            break;
        }
        default: break;
        }
        return TRUE;
    }
    switch (nType) {
    case kTypeShort: m_ar >> *static_cast<short*>(pValue); break;
    case kTypeInt: {
        LONG nValue = 0;
        m_ar >> nValue;
        *static_cast<int*>(pValue) = static_cast<int>(nValue);
        break;
    }
    case kTypeFloat: m_ar >> *static_cast<float*>(pValue); break;
    case kTypeDouble: m_ar >> *static_cast<double*>(pValue); break;
    case kTypeCurrency: {
        auto* pHalves = static_cast<LONG*>(pValue);
        m_ar >> pHalves[0] >> pHalves[1];
        break;
    }
    case kTypeBool: {
        LONG nValue = 0;
        m_ar >> nValue;
        *static_cast<BOOL*>(pValue) = static_cast<BOOL>(nValue);
        break;
    }
    case kTypeByte: m_ar >> *static_cast<BYTE*>(pValue); break;
    case kTypeDate: m_ar >> *static_cast<COleDateTime*>(pValue); break;
    case kTypeVariant: m_ar >> *static_cast<COleVariant*>(pValue); break;
    case kTypeString: m_ar >> *static_cast<CString*>(pValue); break;
    case kTypeRect: {
        auto* pRect = static_cast<RECT*>(pValue);
        m_ar >> pRect->left >> pRect->top >> pRect->right >> pRect->bottom;
        break;
    }
    case kTypeSize: {
        auto* pSize = static_cast<SIZE*>(pValue);
        m_ar >> pSize->cx >> pSize->cy;
        break;
    }
    default: break;
    }
    return TRUE;
}

BOOL CKitPropExchangeArchive::ExchangeBlob(LPCSTR, BYTE** ppData, DWORD* pnSize)
{
    if (m_ar.IsStoring()) {
        KitWriteArchiveCount(m_ar, *pnSize);
        m_ar.Write(*ppData, *pnSize);
        return TRUE;
    }
    const DWORD nSize = KitReadArchiveCount(m_ar);
    if (nSize > m_ar.GetBytesRemaining())
        AfxThrowArchiveException(CArchiveException::endOfFile);
    BYTE* pTarget = *ppData;
    if (pTarget == nullptr) {
        pTarget = static_cast<BYTE*>(std::malloc(nSize != 0 ? nSize : 1));
        if (pTarget == nullptr)
            return FALSE;
    } else if (*pnSize < nSize) {
        return FALSE;
    }
    m_ar.Read(pTarget, nSize);
    *ppData = pTarget;
    *pnSize = nSize;
    return TRUE;
}

CArchive* CKitPropExchangeArchive::GetArchive(LPCSTR)
{
    return &m_ar;
}

void CKitPropExchangeArchive::ReleaseArchive(LPCSTR, CArchive*)
{
}

CKitPropExchange* CKitPropExchangeArchive::GetSection(LPCSTR)
{
    auto* pSection = new CKitPropExchangeArchive(m_ar);
    InitSection(pSection);
    return pSection;
}

// A class record: the new-class tag, the class's schema, the name's length and the name.
BOOL CKitPropExchangeArchive::ExchangeRuntimeClass(LPCSTR, CRuntimeClass*& pClass, CRuntimeClass* pDefaultClass)
{
    OnBeforeExchange();
    if (m_ar.IsStoring()) {
        CRuntimeClass* pWritten = pClass != nullptr ? pClass : pDefaultClass;
        if (pWritten == nullptr)
            return FALSE;
        m_ar.WriteClass(pWritten, static_cast<UINT>(m_nSchema));
        return TRUE;
    }
    UINT nSchema = 0;
    pClass = m_ar.ReadClass(&nSchema);
    m_nSchema = static_cast<int>(nSchema);
    return pClass != nullptr;
}

BOOL CKitPropExchangeArchive::ExchangeObjectClass(CObject*& pObject, CRuntimeClass* pExpectedClass)
{
    if (!CKitPropExchange::ExchangeObjectClass(pObject, pExpectedClass))
        return FALSE;
    m_ar.MapObject(pObject);
    return TRUE;
}

void CKitPropExchangeArchive::Write(LPCSTR, const void* pData, DWORD nSize)
{
    m_ar.Write(pData, nSize);
}

DWORD CKitPropExchangeArchive::Read(LPCSTR, void* pData, DWORD nSize)
{
    return m_ar.Read(pData, nSize);
}

void CKitPropExchangeArchive::ExchangeCount(DWORD& nCount)
{
    if (m_ar.IsStoring())
        KitWriteArchiveCount(m_ar, nCount);
    else
        nCount = KitReadArchiveCount(m_ar);
}

DWORD CKitPropExchangeArchive::ReadCount()
{
    return KitReadArchiveCount(m_ar);
}

BOOL CKitPropExchangeArchive::ExchangeSchema()
{
    if (m_ar.IsStoring()) {
        m_ar << kSchemaMarker << static_cast<LONG>(m_nSchema);
        return TRUE;
    }
    // Looks at the next four bytes without taking them.
    BYTE marker[sizeof(DWORD)] = {};
    const UINT nRead = m_ar.Read(marker, sizeof(marker));
    DWORD dwMarker = 0;
    std::memcpy(&dwMarker, marker, sizeof(dwMarker));
    if (nRead == sizeof(marker) && dwMarker == kSchemaMarker) {
        LONG nSchema = 0;
        m_ar >> nSchema;
        m_nSchema = nSchema;
        return TRUE;
    }
    // Not a marker: put the bytes back by rewinding the archive's file.
    m_ar.Flush();
    m_ar.GetFile()->Seek(-static_cast<LONGLONG>(nRead), CFile::current);
    m_nSchema = kUnmarkedSchema;
    return TRUE;
}

CKitPropExchangeSection::~CKitPropExchangeSection()
{
    if (m_pSection != nullptr)
        m_pSection->InternalRelease();
}

CKitPropExchangeEnumerator::CKitPropExchangeEnumerator(CKitPropExchange* pContainer, LPCSTR lpszSection)
    : m_pContainer(pContainer), m_strSectionName(lpszSection), m_dwCount(0)
{
}

POSITION CKitPropExchangeEnumerator::GetPosition(DWORD dwCount, BOOL bCompactMode)
{
    m_dwCount = dwCount;
    if (!bCompactMode) {
        int nCount = static_cast<int>(dwCount);
        CKitPropExchange::PropExchangeIntWithDefault(m_pContainer, "Count", nCount, 0);
        m_dwCount = static_cast<DWORD>(nCount);
    } else if (m_pContainer->IsLoading()) {
        m_dwCount = m_pContainer->ReadCount();
    } else {
        m_pContainer->ExchangeCount(m_dwCount);
    }
    return m_dwCount == 0 ? nullptr : reinterpret_cast<POSITION>(static_cast<UINT_PTR>(1));
}

CKitPropExchange* CKitPropExchangeEnumerator::GetNext(POSITION& pos)
{
    const auto nPosition = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(pos));
    CString strSection;
    strSection.Format("%s%i", static_cast<LPCSTR>(m_strSectionName), static_cast<int>(nPosition - 1));
    CKitPropExchange* pSection = m_pContainer->GetSection(strSection);
    pos = nPosition >= m_dwCount ? nullptr : reinterpret_cast<POSITION>(static_cast<UINT_PTR>(nPosition + 1));
    return pSection;
}
