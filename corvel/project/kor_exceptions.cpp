#include "corvel/project/kor_exceptions.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace Korvane {
namespace Exceptions {

namespace {

// Copies text into a buffer of size bytes, cut and always terminated.
void CopyBounded(char* buffer, size_t size, LPCSTR text)
{
    snprintf(buffer, size, "%s", text ? text : "");
}

} // namespace

CKorReport::CKorReport() : m_buffer(new char[kCapacity])
{
    m_buffer[0] = '\0';
}

CKorReport::~CKorReport() = default;

void CKorReport::Format(LPCSTR format, ...)
{
    va_list args;
    va_start(args, format);
    const int written = vsnprintf(m_buffer.get(), kCapacity, format, args);
    va_end(args);
    if (written < 0) {
        m_buffer[0] = '\0';
        m_length = 0;
    } else {
        m_length = written < kCapacity ? written : kCapacity - 1;
    }
}

CKorXmlException::CKorXmlException(HRESULT result, LPCSTR failedCall, int kind) : CKorException(result, kind)
{
    CopyBounded(m_buffer, sizeof m_buffer, failedCall);
}

CKorXmlException::CKorXmlException(const CKorXmlException& other) : CKorException(other)
{
    memcpy(m_buffer, other.m_buffer, sizeof m_buffer);
    // A message in the other's buffer is the same text in this one.
    if (other.m_message == other.m_buffer)
        m_message = m_buffer;
}

CKorXmlException& CKorXmlException::operator=(const CKorXmlException& other)
{
    if (this != &other) {
        CKorException::operator=(other);
        memcpy(m_buffer, other.m_buffer, sizeof m_buffer);
        if (other.m_message == other.m_buffer)
            m_message = m_buffer;
    }
    return *this;
}

LPCSTR CKorXmlException::Message()
{
    if (m_message == m_buffer)
        return m_message;
    CKorReport report;
    if (m_kind == kKindNoFileName)
        report.Format("Error: no XML file name given.");
    else
        report.Format("Error: XML %s failed (0x%08lX).", m_buffer, static_cast<unsigned long>(m_result));
    CopyBounded(m_buffer, sizeof m_buffer, report.Text());
    m_message = m_buffer;
    return m_message;
}

std::optional<CErrorReport> DescribeKorException(const std::exception_ptr& error)
{
    try {
        std::rethrow_exception(error);
    } catch (CKorException& e) {
        CErrorReport report;
        report.what = e.Message();
        return report;
    } catch (...) {
        return std::nullopt;
    }
}

} // namespace Exceptions
} // namespace Korvane
