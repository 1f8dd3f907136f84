// CKorReport, CKorException, CKorXmlException: the library's report buffer and exceptions.
#pragma once

#include "framework/error_report.h"
#include "framework/strings.h"

#include <windows.h>

#include <memory>

namespace Korvane {
namespace Exceptions {

// The kind of an exception raised because no file name was given.
constexpr int kKindNoFileName = 2;

// A bounded text buffer for composing messages.
class CKorReport {
public:
    static constexpr int kCapacity = 512;

    CKorReport();
    virtual ~CKorReport();
    CKorReport(const CKorReport&) = delete;
    CKorReport& operator=(const CKorReport&) = delete;

    // Formats into the buffer, cut to kCapacity - 1 characters.
    void Format(LPCSTR format, ...) KOR_PRINTF_FORMAT(2, 3);
    LPCSTR Text() const { return m_buffer.get(); }
    int Length() const { return m_length; }

private:
    int m_length = 0;
    std::unique_ptr<char[]> m_buffer;
};

// The library's base exception: a kind, the text a handler shows and the
// platform result code of the failing call.
class CKorException {
public:
    explicit CKorException(HRESULT result = S_OK, int kind = 0) : m_kind(kind), m_result(result) {}
    virtual ~CKorException() = default;

    // The text a handler shows.
    virtual LPCSTR Message() = 0;
    int Kind() const { return m_kind; }
    HRESULT Result() const { return m_result; }

protected:
    CKorException(const CKorException&) = default;
    CKorException& operator=(const CKorException&) = default;

    int m_kind;
    LPCSTR m_message = nullptr;
    HRESULT m_result;
};

// A failed call of the XML reader or writer: which call and its result code.
class CKorXmlException : public CKorException {
public:
    static constexpr int kBufferSize = 255;

    // failedCall names the platform call (copied, cut to the buffer).
    CKorXmlException(HRESULT result, LPCSTR failedCall, int kind = 0);
    CKorXmlException(const CKorXmlException& other);
    CKorXmlException& operator=(const CKorXmlException& other);
    ~CKorXmlException() override = default;

    // "Error: XML <call> failed (0x<result>)." at most 254 characters; the
    // text stays in this object.
    LPCSTR Message() override;

private:
    char m_buffer[kBufferSize];
};

// The report of a CKorException (its message); nothing for another family. The window layer
// adds it to the describers of its handlers' boundary.
std::optional<CErrorReport> DescribeKorException(const std::exception_ptr& error);

} // namespace Exceptions
} // namespace Korvane
