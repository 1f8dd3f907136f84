#include "framework/file.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <limits>

IMPLEMENT_DYNAMIC(CFile, CObject)
IMPLEMENT_DYNAMIC(CStdioFile, CFile)
IMPLEMENT_DYNAMIC(CMemFile, CFile)

CString FolderPartOfPath(const CString& path)
{
    const int slash = path.ReverseFind('\\');
    return slash < 0 ? CString() : path.Left(slash);
}

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

namespace {

// Bits of the open flags that choose the access and the sharing.
constexpr UINT kAccessMask = 0x0003;
constexpr UINT kShareMask = 0x0070;

DWORD DesiredAccess(UINT nOpenFlags)
{
    switch (nOpenFlags & kAccessMask) {
    case CFile::modeRead:
        return GENERIC_READ;
    case CFile::modeWrite:
        return GENERIC_WRITE;
    case CFile::modeReadWrite:
        return GENERIC_READ | GENERIC_WRITE;
    default:
        AfxThrowInvalidArgException();
    }
}

DWORD ShareMode(UINT nOpenFlags)
{
    switch (nOpenFlags & kShareMask) {
    case CFile::shareCompat:
    case CFile::shareExclusive:
        return 0;
    case CFile::shareDenyWrite:
        return FILE_SHARE_READ;
    case CFile::shareDenyRead:
        return FILE_SHARE_WRITE;
    case CFile::shareDenyNone:
        return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default:
        AfxThrowInvalidArgException();
    }
}

DWORD CreationDisposition(UINT nOpenFlags)
{
    if (nOpenFlags & CFile::modeCreate)
        return (nOpenFlags & CFile::modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    return OPEN_EXISTING;
}

DWORD FlagsAndAttributes(UINT nOpenFlags)
{
    DWORD flags = FILE_ATTRIBUTE_NORMAL;
    if (nOpenFlags & CFile::osNoBuffer)
        flags |= FILE_FLAG_NO_BUFFERING;
    if (nOpenFlags & CFile::osWriteThrough)
        flags |= FILE_FLAG_WRITE_THROUGH;
    if (nOpenFlags & CFile::osRandomAccess)
        flags |= FILE_FLAG_RANDOM_ACCESS;
    if (nOpenFlags & CFile::osSequentialScan)
        flags |= FILE_FLAG_SEQUENTIAL_SCAN;
    return flags;
}

CString FullPath(LPCSTR lpszFileName)
{
    CString path;
    DWORD needed = ::GetFullPathNameA(lpszFileName, 0, nullptr, nullptr);
    if (needed == 0 || needed > static_cast<DWORD>(INT_MAX))
        return CString(lpszFileName);
    DWORD length = ::GetFullPathNameA(lpszFileName, needed, path.GetBuffer(static_cast<int>(needed)), nullptr);
    path.ReleaseBuffer(length < needed ? static_cast<int>(length) : 0);
    return path.IsEmpty() ? CString(lpszFileName) : path;
}

[[noreturn]] void ThrowBadSeek(const CString& fileName)
{
    AfxThrowFileException(CFileException::badSeek, -1, fileName);
}

} // namespace

CFile::CFile() : m_hFile(INVALID_HANDLE_VALUE), m_bCloseOnDelete(FALSE) {}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE) {}

CFile::CFile(LPCSTR lpszFileName, UINT nOpenFlags) : CFile()
{
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile()
{
    if (m_hFile != INVALID_HANDLE_VALUE && m_bCloseOnDelete)
        ::CloseHandle(m_hFile);
}

BOOL CFile::Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    CFile::Abort();
    if (lpszFileName == nullptr || *lpszFileName == '\0') {
        if (pError != nullptr) {
            pError->m_cause = CFileException::badPath;
            pError->m_lOsError = ERROR_INVALID_NAME;
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    SECURITY_ATTRIBUTES security = {sizeof(security), nullptr, (nOpenFlags & modeNoInherit) == 0};
    HANDLE hFile = ::CreateFileA(lpszFileName, DesiredAccess(nOpenFlags), ShareMode(nOpenFlags), &security,
        CreationDisposition(nOpenFlags), FlagsAndAttributes(nOpenFlags), nullptr);
    if (hFile == INVALID_HANDLE_VALUE) {
        const LONG osError = static_cast<LONG>(::GetLastError());
        if (pError != nullptr) {
            pError->m_lOsError = osError;
            pError->m_cause = CFileException::OsErrorToException(osError);
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    m_hFile = hFile;
    m_bCloseOnDelete = TRUE;
    m_strFileName = FullPath(lpszFileName);
    return TRUE;
}

void CFile::ThrowLastError() const
{
    CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    DWORD read = 0;
    if (!::ReadFile(m_hFile, lpBuf, nCount, &read, nullptr))
        ThrowLastError();
    return read;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    DWORD written = 0;
    if (!::WriteFile(m_hFile, lpBuf, nCount, &written, nullptr))
        ThrowLastError();
    if (written != nCount)
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    if (nFrom > end)
        AfxThrowInvalidArgException();
    LARGE_INTEGER distance;
    distance.QuadPart = lOff;
    LARGE_INTEGER position;
    if (!::SetFilePointerEx(m_hFile, distance, &position, nFrom))
        ThrowLastError();
    return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(m_hFile, &size))
        ThrowLastError();
    return static_cast<ULONGLONG>(size.QuadPart);
}

void CFile::SetLength(ULONGLONG dwNewLen)
{
    if (dwNewLen > static_cast<ULONGLONG>(std::numeric_limits<LONGLONG>::max()))
        ThrowBadSeek(m_strFileName);
    CFile::Seek(static_cast<LONGLONG>(dwNewLen), begin);
    if (!::SetEndOfFile(m_hFile))
        ThrowLastError();
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER distance = {};
    LARGE_INTEGER position;
    if (!::SetFilePointerEx(m_hFile, distance, &position, FILE_CURRENT))
        ThrowLastError();
    return static_cast<ULONGLONG>(position.QuadPart);
}

void CFile::Flush()
{
    if (m_hFile != INVALID_HANDLE_VALUE && !::FlushFileBuffers(m_hFile))
        ThrowLastError();
}

void CFile::Close()
{
    bool failed = false;
    LONG osError = 0;
    if (m_hFile != INVALID_HANDLE_VALUE && !::CloseHandle(m_hFile)) {
        failed = true;
        osError = static_cast<LONG>(::GetLastError());
    }
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    CString fileName = m_strFileName;
    m_strFileName.Empty();
    if (failed)
        CFileException::ThrowOsError(osError, fileName);
}

void CFile::Abort()
{
    if (m_hFile != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

CString CFile::GetFileName() const
{
    const int separator =
        std::max({m_strFileName.ReverseFind('\\'), m_strFileName.ReverseFind('/'), m_strFileName.ReverseFind(':')});
    return m_strFileName.Mid(separator + 1);
}

CString CFile::GetFileTitle() const
{
    CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}

void CFile::Rename(LPCSTR lpszOldName, LPCSTR lpszNewName)
{
    if (!::MoveFileA(lpszOldName, lpszNewName))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), lpszOldName);
}

void CFile::Remove(LPCSTR lpszFileName)
{
    if (!::DeleteFileA(lpszFileName))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), lpszFileName);
}

CStdioFile::CStdioFile(LPCSTR lpszFileName, UINT nOpenFlags)
{
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

BOOL CStdioFile::Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    m_nNext = m_nEnd = 0;
    m_bText = (nOpenFlags & typeBinary) == 0;
    return CFile::Open(lpszFileName, nOpenFlags & ~(typeText | typeBinary), pError);
}

int CStdioFile::ReadByte()
{
    const int ch = PeekByte();
    if (ch >= 0)
        ++m_nNext;
    return ch;
}

int CStdioFile::PeekByte()
{
    if (m_nNext == m_nEnd) {
        m_buffer.resize(kBufferSize);
        m_nNext = 0;
        m_nEnd = CFile::Read(m_buffer.data(), static_cast<UINT>(m_buffer.size()));
        if (m_nEnd == 0)
            return -1;
    }
    return static_cast<unsigned char>(m_buffer[m_nNext]);
}

int CStdioFile::ReadChar()
{
    const int ch = ReadByte();
    if (ch == '\r' && m_bText && PeekByte() == '\n')
        return ReadByte();
    return ch;
}

void CStdioFile::DiscardReadBuffer()
{
    const size_t unread = m_nEnd - m_nNext;
    m_nNext = m_nEnd = 0;
    if (unread > 0)
        CFile::Seek(-static_cast<LONGLONG>(unread), current);
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount > 0 && lpBuf == nullptr)
        AfxThrowInvalidArgException();
    char* out = static_cast<char*>(lpBuf);
    UINT done = 0;
    if (m_bText) {
        for (int ch; done < nCount && (ch = ReadChar()) >= 0;)
            out[done++] = static_cast<char>(ch);
        return done;
    }
    const size_t buffered = std::min(static_cast<size_t>(nCount), m_nEnd - m_nNext);
    std::memcpy(out, m_buffer.data() + m_nNext, buffered);
    m_nNext += buffered;
    done = static_cast<UINT>(buffered);
    if (done < nCount)
        done += CFile::Read(out + done, nCount - done);
    return done;
}

void CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount > 0 && lpBuf == nullptr)
        AfxThrowInvalidArgException();
    DiscardReadBuffer();
    if (!m_bText) {
        CFile::Write(lpBuf, nCount);
        return;
    }
    const char* text = static_cast<const char*>(lpBuf);
    std::string translated;
    translated.reserve(nCount);
    for (UINT i = 0; i < nCount; ++i) {
        if (text[i] == '\n')
            translated += '\r';
        translated += text[i];
    }
    if (translated.size() > UINT_MAX)
        AfxThrowFileException(CFileException::genericException, -1, m_strFileName);
    CFile::Write(translated.data(), static_cast<UINT>(translated.size()));
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom)
{
    DiscardReadBuffer();
    return CFile::Seek(lOff, nFrom);
}

ULONGLONG CStdioFile::GetPosition() const
{
    return CFile::GetPosition() - (m_nEnd - m_nNext);
}

void CStdioFile::SetLength(ULONGLONG dwNewLen)
{
    DiscardReadBuffer();
    CFile::SetLength(dwNewLen);
}

void CStdioFile::Flush()
{
    DiscardReadBuffer();
    CFile::Flush();
}

void CStdioFile::Close()
{
    m_nNext = m_nEnd = 0;
    CFile::Close();
}

void CStdioFile::Abort()
{
    m_nNext = m_nEnd = 0;
    CFile::Abort();
}

BOOL CStdioFile::ReadString(CString& rString)
{
    return AfxReadLine([this] { return ReadChar(); }, rString);
}

LPSTR CStdioFile::ReadString(LPSTR lpsz, UINT nMax)
{
    if (lpsz == nullptr || nMax == 0)
        AfxThrowInvalidArgException();
    UINT length = 0;
    bool atEnd = false;
    while (length + 1 < nMax) {
        const int ch = ReadChar();
        if (ch < 0) {
            atEnd = true;
            break;
        }
        lpsz[length++] = static_cast<char>(ch);
        if (ch == '\n')
            break;
    }
    lpsz[length] = '\0';
    return length == 0 && atEnd ? nullptr : lpsz;
}

void CStdioFile::WriteString(LPCSTR lpsz)
{
    if (lpsz == nullptr)
        AfxThrowInvalidArgException();
    const size_t length = std::strlen(lpsz);
    if (length > UINT_MAX)
        AfxThrowInvalidArgException();
    Write(lpsz, static_cast<UINT>(length));
}

CMemFile::CMemFile(UINT nGrowBytes) : m_nGrowBytes(nGrowBytes) {}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) : m_nGrowBytes(nGrowBytes)
{
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile()
{
    if (m_lpBuffer != nullptr && m_bAutoDelete)
        Free(m_lpBuffer);
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
    if (lpBuffer == nullptr && nBufferSize != 0)
        AfxThrowInvalidArgException();
    Close();
    m_lpBuffer = lpBuffer;
    m_nBufferSize = nBufferSize;
    m_nGrowBytes = nGrowBytes;
    m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
    m_nPosition = 0;
    m_bAutoDelete = nGrowBytes != 0;
}

BYTE* CMemFile::Detach()
{
    BYTE* buffer = m_lpBuffer;
    m_lpBuffer = nullptr;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
    m_bAutoDelete = TRUE;
    return buffer;
}

BOOL CMemFile::Open(LPCSTR, UINT, CFileException*)
{
    AfxThrowNotSupportedException();
}

BYTE* CMemFile::Alloc(SIZE_T nBytes)
{
    return static_cast<BYTE*>(std::malloc(nBytes));
}

BYTE* CMemFile::Realloc(BYTE* lpMem, SIZE_T nBytes)
{
    return static_cast<BYTE*>(std::realloc(lpMem, nBytes));
}

void CMemFile::Free(BYTE* lpMem)
{
    std::free(lpMem);
}

void CMemFile::GrowFile(SIZE_T dwNewLen)
{
    if (dwNewLen <= m_nBufferSize)
        return;
    if (m_nGrowBytes == 0)
        AfxThrowMemoryException();
    const SIZE_T steps = (dwNewLen - m_nBufferSize + m_nGrowBytes - 1) / m_nGrowBytes;
    if (steps > (std::numeric_limits<SIZE_T>::max() - m_nBufferSize) / m_nGrowBytes)
        AfxThrowMemoryException();
    const SIZE_T newSize = m_nBufferSize + steps * m_nGrowBytes;
    BYTE* buffer = m_lpBuffer == nullptr ? Alloc(newSize) : Realloc(m_lpBuffer, newSize);
    if (buffer == nullptr)
        AfxThrowMemoryException();
    m_lpBuffer = buffer;
    m_nBufferSize = newSize;
    m_bAutoDelete = TRUE;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0 || m_nPosition >= m_nFileSize)
        return 0;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    const SIZE_T count = std::min(static_cast<SIZE_T>(nCount), m_nFileSize - m_nPosition);
    std::memcpy(lpBuf, m_lpBuffer + m_nPosition, count);
    m_nPosition += count;
    return static_cast<UINT>(count);
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    if (nCount > std::numeric_limits<SIZE_T>::max() - m_nPosition)
        AfxThrowMemoryException();
    const SIZE_T newEnd = m_nPosition + nCount;
    GrowFile(newEnd);
    if (m_nPosition > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    std::memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
    m_nPosition = newEnd;
    m_nFileSize = std::max(m_nFileSize, newEnd);
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LONGLONG origin;
    switch (nFrom) {
    case begin:
        origin = 0;
        break;
    case current:
        origin = static_cast<LONGLONG>(m_nPosition);
        break;
    case end:
        origin = static_cast<LONGLONG>(m_nFileSize);
        break;
    default:
        AfxThrowInvalidArgException();
    }
    if ((lOff < 0 && origin + lOff < 0) || (lOff > 0 && lOff > std::numeric_limits<LONGLONG>::max() - origin))
        ThrowBadSeek(m_strFileName);
    const ULONGLONG position = static_cast<ULONGLONG>(origin + lOff);
    if (position > std::numeric_limits<SIZE_T>::max())
        ThrowBadSeek(m_strFileName);
    m_nPosition = static_cast<SIZE_T>(position);
    return position;
}

void CMemFile::SetLength(ULONGLONG dwNewLen)
{
    if (dwNewLen > std::numeric_limits<SIZE_T>::max())
        AfxThrowMemoryException();
    const SIZE_T length = static_cast<SIZE_T>(dwNewLen);
    GrowFile(length);
    if (length > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, length - m_nFileSize);
    m_nFileSize = length;
    m_nPosition = std::min(m_nPosition, length);
}

void CMemFile::Close()
{
    if (m_lpBuffer != nullptr && m_bAutoDelete)
        Free(m_lpBuffer);
    Detach();
}
