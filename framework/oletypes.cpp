#include "framework/oletypes.h"

#include <oleauto.h>

#include <cstring>

#include <string>

namespace {

// Longest text a stored variant may carry (bytes), checked before allocating.
constexpr DWORD kMaxStoredTextBytes = 0x10000000;

} // namespace

COleDateTime::COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    SYSTEMTIME st = {};
    st.wYear = static_cast<WORD>(nYear);
    st.wMonth = static_cast<WORD>(nMonth);
    st.wDay = static_cast<WORD>(nDay);
    st.wHour = static_cast<WORD>(nHour);
    st.wMinute = static_cast<WORD>(nMin);
    st.wSecond = static_cast<WORD>(nSec);
    if (!::SystemTimeToVariantTime(&st, &m_dt)) {
        m_dt = 0;
        m_status = invalid;
    }
}

BOOL COleDateTime::GetAsSystemTime(SYSTEMTIME& st) const
{
    return m_status == valid && ::VariantTimeToSystemTime(m_dt, &st);
}

CArchive& operator<<(CArchive& ar, const COleDateTime& dateSrc)
{
    return ar << static_cast<LONG>(dateSrc.m_status) << dateSrc.m_dt;
}

CArchive& operator>>(CArchive& ar, COleDateTime& dateSrc)
{
    LONG nStatus = 0;
    ar >> nStatus >> dateSrc.m_dt;
    dateSrc.m_status = static_cast<COleDateTime::DateTimeStatus>(nStatus);
    return ar;
}

COleVariant::COleVariant() : VARIANT()
{
    ::VariantInit(this);
}

COleVariant::COleVariant(const COleVariant& other) : COleVariant()
{
    ::VariantCopy(this, const_cast<COleVariant*>(&other));
}

COleVariant::COleVariant(const VARIANT& varSrc) : COleVariant()
{
    ::VariantCopy(this, const_cast<VARIANT*>(&varSrc));
}

COleVariant::COleVariant(LPCSTR lpszSrc) : COleVariant()
{
    const int nLength = ::MultiByteToWideChar(CP_ACP, 0, lpszSrc, -1, nullptr, 0);
    std::wstring wide(nLength > 0 ? nLength : 1, L'\0');
    if (nLength > 0)
        ::MultiByteToWideChar(CP_ACP, 0, lpszSrc, -1, &wide[0], nLength);
    vt = VT_BSTR;
    bstrVal = ::SysAllocString(wide.c_str());
}

COleVariant::COleVariant(long lSrc, VARTYPE vtSrc) : COleVariant()
{
    vt = vtSrc;
    switch (vtSrc) {
    case VT_I2: iVal = static_cast<SHORT>(lSrc); break;
    case VT_BOOL: boolVal = lSrc != 0 ? VARIANT_TRUE : VARIANT_FALSE; break;
    case VT_ERROR: scode = lSrc; break;
    default:
        vt = VT_I4;
        lVal = lSrc;
        break;
    }
}

COleVariant::COleVariant(double dblSrc) : COleVariant()
{
    vt = VT_R8;
    dblVal = dblSrc;
}

COleVariant::~COleVariant()
{
    ::VariantClear(this);
}

COleVariant& COleVariant::operator=(const COleVariant& other)
{
    if (this != &other)
        ::VariantCopy(this, const_cast<COleVariant*>(&other));
    return *this;
}

void COleVariant::Clear()
{
    ::VariantClear(this);
}

bool COleVariant::operator==(const COleVariant& other) const
{
    if (vt != other.vt)
        return false;
    switch (vt) {
    case VT_EMPTY:
    case VT_NULL: return true;
    case VT_BOOL: return boolVal == other.boolVal;
    case VT_UI1: return bVal == other.bVal;
    case VT_I2: return iVal == other.iVal;
    case VT_I4:
    case VT_ERROR: return lVal == other.lVal;
    case VT_R4: return fltVal == other.fltVal;
    case VT_R8:
    case VT_DATE: return dblVal == other.dblVal;
    case VT_CY: return cyVal.int64 == other.cyVal.int64;
    case VT_BSTR:
        return ::SysStringByteLen(bstrVal) == ::SysStringByteLen(other.bstrVal) &&
               std::memcmp(bstrVal, other.bstrVal, ::SysStringByteLen(bstrVal)) == 0;
    default: return false;
    }
}

CArchive& operator<<(CArchive& ar, const COleVariant& varSrc)
{
    ar << static_cast<WORD>(varSrc.vt);
    switch (varSrc.vt) {
    case VT_EMPTY:
    case VT_NULL: break;
    case VT_BOOL: ar << static_cast<short>(varSrc.boolVal); break;
    case VT_UI1: ar << varSrc.bVal; break;
    case VT_I2: ar << static_cast<short>(varSrc.iVal); break;
    case VT_I4:
    case VT_ERROR: ar << static_cast<LONG>(varSrc.lVal); break;
    case VT_R4: ar << varSrc.fltVal; break;
    case VT_R8:
    case VT_DATE: ar << varSrc.dblVal; break;
    case VT_CY: ar << static_cast<DWORD>(varSrc.cyVal.Lo) << static_cast<LONG>(varSrc.cyVal.Hi); break;
    case VT_BSTR: {
        const DWORD nBytes = varSrc.bstrVal != nullptr ? ::SysStringByteLen(varSrc.bstrVal) : 0;
        ar << nBytes;
        if (nBytes > 0)
            ar.Write(varSrc.bstrVal, nBytes);
        break;
    }
    default: AfxThrowArchiveException(CArchiveException::badSchema);
    }
    return ar;
}

CArchive& operator>>(CArchive& ar, COleVariant& varSrc)
{
    WORD nType = 0;
    ar >> nType;
    COleVariant value;
    value.vt = nType;
    switch (nType) {
    case VT_EMPTY:
    case VT_NULL: break;
    case VT_BOOL: {
        short n = 0;
        ar >> n;
        value.boolVal = n;
        break;
    }
    case VT_UI1: ar >> value.bVal; break;
    case VT_I2: {
        short n = 0;
        ar >> n;
        value.iVal = n;
        break;
    }
    case VT_I4:
    case VT_ERROR: {
        LONG n = 0;
        ar >> n;
        value.lVal = n;
        break;
    }
    case VT_R4: ar >> value.fltVal; break;
    case VT_R8:
    case VT_DATE: ar >> value.dblVal; break;
    case VT_CY: {
        DWORD nLo = 0;
        LONG nHi = 0;
        ar >> nLo >> nHi;
        value.cyVal.Lo = nLo;
        value.cyVal.Hi = nHi;
        break;
    }
    case VT_BSTR: {
        DWORD nBytes = 0;
        ar >> nBytes;
        if (nBytes > kMaxStoredTextBytes || nBytes > ar.GetBytesRemaining())
            AfxThrowArchiveException(CArchiveException::endOfFile);
        value.bstrVal = ::SysAllocStringByteLen(nullptr, nBytes);
        if (value.bstrVal == nullptr)
            AfxThrowMemoryException();
        if (nBytes > 0 && ar.Read(value.bstrVal, nBytes) != nBytes)
            AfxThrowArchiveException(CArchiveException::endOfFile);
        break;
    }
    default:
        value.vt = VT_EMPTY;
        AfxThrowArchiveException(CArchiveException::badSchema);
    }
    varSrc = value;
    return ar;
}
