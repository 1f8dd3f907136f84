#include "common/com_support.h"

std::optional<CErrorReport> DescribeComError(const std::exception_ptr& error)
{
    try {
        std::rethrow_exception(error);
    } catch (const ComError& e) {
        CErrorReport report;
        report.what = e.Text();
        report.reason.Format("0x%08lX", static_cast<unsigned long>(e.Error()));
        return report;
    } catch (...) {
        return std::nullopt;
    }
}

void ThrowIfFailed(HRESULT result, LPCSTR what)
{
    if (FAILED(result))
        throw ComError(result, what);
}

CStringW ToWideText(const CString& text)
{
    return CStringW(text);
}

CString FromWideText(LPCWSTR text, int length)
{
    if (text == nullptr)
        return CString();
    return length < 0 ? CString(text) : CString(text, length);
}

CString BstrToString(BSTR text)
{
    const UINT length = ::SysStringLen(text);
    return length == 0 ? CString() : FromWideText(text, static_cast<int>(length));
}

namespace {

BSTR AllocateBstr(LPCWSTR text, UINT length)
{
    BSTR bstr = ::SysAllocStringLen(text, length);
    if (bstr == nullptr)
        throw ComError(E_OUTOFMEMORY, "SysAllocStringLen");
    return bstr;
}

} // namespace

ComBstr::ComBstr(LPCWSTR text) : m_bstr(AllocateBstr(text ? text : L"", text ? static_cast<UINT>(lstrlenW(text)) : 0)) {}

ComBstr::ComBstr(const CString& text)
{
    const CStringW wide(text);
    m_bstr = AllocateBstr(wide, static_cast<UINT>(wide.GetLength()));
}

ComBstr::ComBstr(const ComBstr& other)
{
    if (other.m_bstr)
        m_bstr = AllocateBstr(other.m_bstr, other.Length());
}

CString ComBstr::ToString() const
{
    return BstrToString(m_bstr);
}

ComVariant::ComVariant(LPCWSTR text) : ComVariant()
{
    m_value.vt = VT_BSTR;
    m_value.bstrVal = ComBstr(text).Detach();
}

ComVariant::ComVariant(const CString& text) : ComVariant()
{
    m_value.vt = VT_BSTR;
    m_value.bstrVal = ComBstr(text).Detach();
}

ComVariant::ComVariant(long value) noexcept : ComVariant()
{
    m_value.vt = VT_I4;
    m_value.lVal = value;
}

ComVariant::ComVariant(const ComVariant& other) : ComVariant()
{
    ThrowIfFailed(::VariantCopy(&m_value, const_cast<VARIANT*>(&other.m_value)), "VariantCopy");
}

BYTE* ComVariant::MakeByteArray(ULONG size)
{
    ::VariantClear(&m_value);
    SAFEARRAY* array = ::SafeArrayCreateVector(VT_UI1, 0, size);
    if (array == nullptr)
        return nullptr;
    m_value.vt = VT_ARRAY | VT_UI1;
    m_value.parray = array;
    return static_cast<BYTE*>(array->pvData);
}

CString ComVariant::ToString() const
{
    if (m_value.vt == VT_BSTR)
        return BstrToString(m_value.bstrVal);
    VARIANT converted;
    ::VariantInit(&converted);
    if (FAILED(::VariantChangeType(&converted, const_cast<VARIANT*>(&m_value), 0, VT_BSTR)))
        return CString();
    ComBstr owner;
    *owner.Receive() = converted.bstrVal;
    return owner.ToString();
}
