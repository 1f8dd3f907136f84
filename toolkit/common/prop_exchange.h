// CKitPropExchange, CKitPropExchangeArchive, CKitPropExchangeEnumerator, CKitPropExchangeSection: keyed saving and loading of toolkit objects, over a framework archive.
#pragma once

#include "framework/collections.h"
#include "framework/geometry.h"
#include "framework/msgmap.h"

#include <windows.h>

#include <memory>

#include <vector>

class CArchive;
class CKitPropExchangeEnumerator;
struct CKitPropExchangeTemporary;

// One object that saves and loads: each call exchanges a value under a name,
// writing it when storing and filling the variable when loading.
class CKitPropExchange : public CCmdTarget {
    DECLARE_DYNAMIC(CKitPropExchange)
public:
    // Value types of ExchangeProp.
    enum PropType {
        kTypeShort = 2,
        kTypeInt = 3,
        kTypeFloat = 4,
        kTypeDouble = 5,
        kTypeCurrency = 6,
        kTypeDate = 7,     // a COleDateTime
        kTypeBool = 11,
        kTypeVariant = 12, // a COleVariant
        kTypeByte = 17,
        kTypeString = 30,
        kTypeRect = 100,
        kTypeSize = 101,
    };
    static constexpr int kDefaultSchema = 38;

    CKitPropExchange();
    ~CKitPropExchange() override;

    BOOL IsLoading() const { return m_bLoading; }
    BOOL IsStoring() const { return !m_bLoading; }
    int GetSchema() const { return m_nSchema; }
    void SetSchema(int nSchema) { m_nSchema = nSchema; }
    BOOL IsChildSection() const { return m_bChildSection; }

    // Exchanges *pValue of type nType (a CString for kTypeString) under the
    // name; pDefault (may be null) stands for an absent value when loading.
    virtual BOOL ExchangeProp(LPCSTR lpszPropName, int nType, void* pValue, const void* pDefault) = 0;
    // Bytes under the name: on loading a null *ppData gets a buffer of the
    // stored size that the caller frees with free().
    virtual BOOL ExchangeBlob(LPCSTR lpszPropName, BYTE** ppData, DWORD* pnSize);
    // An archive for an object's own serialization, or null; give it back with ReleaseArchive.
    virtual CArchive* GetArchive(LPCSTR lpszPropName);
    virtual void ReleaseArchive(LPCSTR lpszPropName, CArchive* pArchive);
    // A new section of this exchange; the caller releases it (CKitPropExchangeSection does).
    virtual CKitPropExchange* GetSection(LPCSTR lpszSection) = 0;
    // A count in the exchange's compact form.
    virtual void ExchangeCount(DWORD& nCount);
    virtual DWORD ReadCount();
    virtual BOOL ExchangeSchema();
    // Sets the exchanged flag; FALSE would skip the exchange.
    virtual BOOL OnBeforeExchange();
    virtual CKitPropExchangeEnumerator* GetEnumerator(LPCSTR lpszSection);
    // A run-time class by its name; loading an unknown name fails, a missing one gives the default.
    virtual BOOL ExchangeRuntimeClass(LPCSTR lpszPropName, CRuntimeClass*& pClass, CRuntimeClass* pDefaultClass);
    // The object's class under "Class"; loading creates an object of the class
    // read, which must be of the expected class (else none and FALSE).
    virtual BOOL ExchangeObjectClass(CObject*& pObject, CRuntimeClass* pExpectedClass);
    // Raw bytes under the name; Read gives the count read (0 on failure).
    virtual void Write(LPCSTR lpszPropName, const void* pData, DWORD nSize);
    virtual DWORD Read(LPCSTR lpszPropName, void* pData, DWORD nSize);
    // Keyed exchanges answer TRUE, positional archives FALSE.
    virtual BOOL IsAllowDefaultValues() const { return TRUE; }
    // Positional archives answer TRUE, keyed exchanges FALSE.
    virtual BOOL IsAllowBlobValues() const { return FALSE; }
    // The object the exchange belongs to, set by a collection on each entry's
    // section before the entry loads (a bar takes its manager from it); not owned,
    // and not passed on to sections.
    CObject* GetOwner() const { return m_pOwner; }
    void SetOwner(CObject* pOwner) { m_pOwner = pOwner; }
    // Marks this exchange as a section.
    virtual void UseSection(BOOL bSection) { m_bSection = bSection; }
    BOOL IsSection() const { return m_bSection; }

    // The helpers: each returns FALSE for a null exchange.
    static BOOL PropExchangeInt(CKitPropExchange* pPX, LPCSTR lpszPropName, int& nValue);
    static BOOL PropExchangeIntWithDefault(CKitPropExchange* pPX, LPCSTR lpszPropName, int& nValue, int nDefault);
    static BOOL PropExchangeBool(CKitPropExchange* pPX, LPCSTR lpszPropName, BOOL& bValue, BOOL bDefault);
    static BOOL PropExchangeString(CKitPropExchange* pPX, LPCSTR lpszPropName, CString& strValue,
                                   LPCSTR lpszDefault);
    static BOOL PropExchangeStringNoDefault(CKitPropExchange* pPX, LPCSTR lpszPropName, CString& strValue);
    static BOOL PropExchangeSize(CKitPropExchange* pPX, LPCSTR lpszPropName, CSize& szValue, CSize szDefault);
    static BOOL PropExchangeRect(CKitPropExchange* pPX, LPCSTR lpszPropName, CRect& rcValue, const CRect& rcDefault);
    static BOOL PropExchangeRuntimeClass(CKitPropExchange* pPX, LPCSTR lpszPropName, CRuntimeClass*& pClass,
                                         CRuntimeClass* pDefaultClass);
    static BOOL PropExchangeBlob(CKitPropExchange* pPX, LPCSTR lpszPropName, BYTE** ppData, DWORD* pnSize);
    // The object serializes itself into or from the archive the exchange gives for the name.
    static BOOL PropExchangeObject(CKitPropExchange* pPX, LPCSTR lpszPropName, CObject* pObject);

protected:
    // Copies the loading state, schema and flags into a section made from this exchange.
    void InitSection(CKitPropExchange* pSection) const;

    BOOL m_bLoading;
    int m_nSchema;
    BOOL m_bChildSection;
    BOOL m_bSection;
    DWORD m_dwData;
    BOOL m_bUseDefaultOnLoad;
    BOOL m_bUseDefaultOnSave;
    BOOL m_bExchanged;
    CObject* m_pOwner = nullptr;

private:
    // The memory archives GetArchive handed out and ReleaseArchive has not taken back.
    std::vector<CKitPropExchangeTemporary*> m_temporaries;
};

// The exchange over a framework archive: positional, names are not written.
class CKitPropExchangeArchive : public CKitPropExchange {
    DECLARE_DYNAMIC(CKitPropExchangeArchive)
public:
    // Marks an archive that carries a schema number.
    static constexpr DWORD kSchemaMarker = 0x0FF0ADBF;
    // The schema of archives without the marker.
    static constexpr int kUnmarkedSchema = 17;

    // The archive is not owned.
    explicit CKitPropExchangeArchive(CArchive& ar);

    BOOL ExchangeProp(LPCSTR lpszPropName, int nType, void* pValue, const void* pDefault) override;
    BOOL ExchangeBlob(LPCSTR lpszPropName, BYTE** ppData, DWORD* pnSize) override;
    CArchive* GetArchive(LPCSTR lpszPropName) override;
    void ReleaseArchive(LPCSTR lpszPropName, CArchive* pArchive) override;
    CKitPropExchange* GetSection(LPCSTR lpszSection) override;
    void ExchangeCount(DWORD& nCount) override;
    DWORD ReadCount() override;
    BOOL ExchangeSchema() override;
    // The archive's class record, through its object map (a class written before is a reference).
    BOOL ExchangeRuntimeClass(LPCSTR lpszPropName, CRuntimeClass*& pClass, CRuntimeClass* pDefaultClass) override;
    // The class, then the object enters the archive's object map.
    BOOL ExchangeObjectClass(CObject*& pObject, CRuntimeClass* pExpectedClass) override;
    void Write(LPCSTR lpszPropName, const void* pData, DWORD nSize) override;
    DWORD Read(LPCSTR lpszPropName, void* pData, DWORD nSize) override;
    BOOL IsAllowDefaultValues() const override { return FALSE; }
    BOOL IsAllowBlobValues() const override { return TRUE; }


private:
    CArchive& m_ar;
};

// Releases a section when it goes.
class CKitPropExchangeSection {
public:
    explicit CKitPropExchangeSection(CKitPropExchange* pSection) : m_pSection(pSection) {}
    ~CKitPropExchangeSection();
    CKitPropExchangeSection(const CKitPropExchangeSection&) = delete;
    CKitPropExchangeSection& operator=(const CKitPropExchangeSection&) = delete;

    CKitPropExchange* operator->() const { return m_pSection; }
    operator CKitPropExchange*() const { return m_pSection; }

private:
    CKitPropExchange* m_pSection;
};

// Walks numbered sections: base name followed by 0, 1, 2 ...
class CKitPropExchangeEnumerator {
public:
    CKitPropExchangeEnumerator(CKitPropExchange* pContainer, LPCSTR lpszSection);
    virtual ~CKitPropExchangeEnumerator() = default;
    CKitPropExchangeEnumerator(const CKitPropExchangeEnumerator&) = delete;
    CKitPropExchangeEnumerator& operator=(const CKitPropExchangeEnumerator&) = delete;

    // Exchanges the count (the integer "Count", or with bCompact the exchange's
    // count form); the first position, 0 when there is nothing to walk.
    virtual POSITION GetPosition(DWORD dwCount = 0, BOOL bCompactMode = TRUE);
    // The section of the position, which then moves on (0 after the last);
    // the caller releases the section.
    virtual CKitPropExchange* GetNext(POSITION& pos);
    DWORD GetCount() const { return m_dwCount; }

private:
    CKitPropExchange* m_pContainer;
    CString m_strSectionName;
    DWORD m_dwCount;
};

// The framework archive's count form: a WORD below 0xFFFF, else 0xFFFF and a DWORD.
void KitWriteArchiveCount(CArchive& ar, DWORD nCount);
DWORD KitReadArchiveCount(CArchive& ar);
