#include "framework/object.h"

#include "framework/exceptions.h"

#include <cstring>

namespace {

// Head of the list of registered classes; constant-initialized, so it is
// ready before any AFX_CLASSINIT runs.
CRuntimeClass* g_firstClass = nullptr;

} // namespace

CRuntimeClass CObject::runtimeClass = {
    "CObject", static_cast<int>(sizeof(CObject)), kNoSchema, nullptr, nullptr, nullptr};

static const AFX_CLASSINIT g_objectClassInit(&CObject::runtimeClass);

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass)
{
    pNewClass->m_pNextClass = g_firstClass;
    g_firstClass = pNewClass;
}

CObject* CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject != nullptr ? m_pfnCreateObject() : nullptr;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* p = this; p != nullptr; p = p->m_pBaseClass) {
        if (p == pBaseClass)
            return TRUE;
    }
    return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (lpszClassName == nullptr)
        return nullptr;
    for (CRuntimeClass* p = g_firstClass; p != nullptr; p = p->m_pNextClass) {
        if (std::strcmp(p->m_lpszClassName, lpszClassName) == 0)
            return p;
    }
    return nullptr;
}

CObject* CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass != nullptr ? pClass->CreateObject() : nullptr;
}

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return &CObject::runtimeClass;
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

BOOL CObject::IsSerializable() const
{
    return GetRuntimeClass()->m_wSchema != kNoSchema;
}

void CObject::Serialize(CArchive&) {}

void AfxCheckDownCast(const CObject* pObject, const CRuntimeClass* pClass)
{
    if (pObject != nullptr && !pObject->IsKindOf(pClass))
        AfxThrowInvalidArgException();
}
