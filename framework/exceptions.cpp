#include "framework/exceptions.h"

#include "framework/msgbox.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CException)
IMPLEMENT_DYNAMIC(CResourceException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)
IMPLEMENT_DYNAMIC(CUserException, CException)

namespace {

// Longest description GetErrorMessage() fetches.
constexpr UINT kMaxErrorMessage = 1024;

const char kUnspecifiedError[] = "An unspecified error has occurred.";

// Set by CException::operator new and taken by the constructor that follows.
thread_local bool t_allocatingException = false;

BOOL CopyMessage(const CString& message, LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    if (lpszError == nullptr || nMaxError == 0)
        return FALSE;
    const size_t length = std::min(static_cast<size_t>(message.GetLength()), static_cast<size_t>(nMaxError) - 1);
    std::memcpy(lpszError, message.GetString(), length);
    lpszError[length] = '\0';
    return TRUE;
}

// Puts the file name (or a stand-in) where the template says %1.
CString WithFileName(LPCSTR pszTemplate, const CString& fileName)
{
    CString text(pszTemplate);
    text.Replace("%1", fileName.IsEmpty() ? "an unnamed file" : fileName.GetString());
    return text;
}

struct OsErrorCause {
    LONG osError;
    int cause;
};

const OsErrorCause kOsErrorCauses[] = {
    {ERROR_FILE_NOT_FOUND, CFileException::fileNotFound},
    {ERROR_PATH_NOT_FOUND, CFileException::badPath},
    {ERROR_TOO_MANY_OPEN_FILES, CFileException::tooManyOpenFiles},
    {ERROR_ACCESS_DENIED, CFileException::accessDenied},
    {ERROR_INVALID_HANDLE, CFileException::invalidFile},
    {ERROR_BAD_FORMAT, CFileException::invalidFile},
    {ERROR_INVALID_ACCESS, CFileException::accessDenied},
    {ERROR_INVALID_DRIVE, CFileException::badPath},
    {ERROR_CURRENT_DIRECTORY, CFileException::removeCurrentDir},
    {ERROR_NOT_SAME_DEVICE, CFileException::badPath},
    {ERROR_NO_MORE_FILES, CFileException::fileNotFound},
    {ERROR_WRITE_PROTECT, CFileException::accessDenied},
    {ERROR_BAD_UNIT, CFileException::hardIO},
    {ERROR_NOT_READY, CFileException::hardIO},
    {ERROR_BAD_COMMAND, CFileException::hardIO},
    {ERROR_CRC, CFileException::hardIO},
    {ERROR_BAD_LENGTH, CFileException::badSeek},
    {ERROR_SEEK, CFileException::badSeek},
    {ERROR_NOT_DOS_DISK, CFileException::invalidFile},
    {ERROR_SECTOR_NOT_FOUND, CFileException::badSeek},
    {ERROR_WRITE_FAULT, CFileException::accessDenied},
    {ERROR_READ_FAULT, CFileException::badSeek},
    {ERROR_SHARING_VIOLATION, CFileException::sharingViolation},
    {ERROR_LOCK_VIOLATION, CFileException::lockViolation},
    {ERROR_WRONG_DISK, CFileException::badPath},
    {ERROR_SHARING_BUFFER_EXCEEDED, CFileException::tooManyOpenFiles},
    {ERROR_HANDLE_EOF, CFileException::endOfFile},
    {ERROR_HANDLE_DISK_FULL, CFileException::diskFull},
    {ERROR_DISK_FULL, CFileException::diskFull},
    {ERROR_DUP_NAME, CFileException::badPath},
    {ERROR_BAD_NETPATH, CFileException::badPath},
    {ERROR_NETWORK_BUSY, CFileException::accessDenied},
    {ERROR_DEV_NOT_EXIST, CFileException::badPath},
    {ERROR_ADAP_HDW_ERR, CFileException::hardIO},
    {ERROR_BAD_NET_RESP, CFileException::accessDenied},
    {ERROR_UNEXP_NET_ERR, CFileException::hardIO},
    {ERROR_BAD_REM_ADAP, CFileException::invalidFile},
    {ERROR_NO_SPOOL_SPACE, CFileException::directoryFull},
    {ERROR_NETNAME_DELETED, CFileException::accessDenied},
    {ERROR_NETWORK_ACCESS_DENIED, CFileException::accessDenied},
    {ERROR_BAD_NET_NAME, CFileException::badPath},
    {ERROR_FILE_EXISTS, CFileException::accessDenied},
    {ERROR_CANNOT_MAKE, CFileException::directoryFull},
    {ERROR_INVALID_PARAMETER, CFileException::badPath},
    {ERROR_NET_WRITE_FAULT, CFileException::accessDenied},
    {ERROR_DRIVE_LOCKED, CFileException::lockViolation},
    {ERROR_OPEN_FAILED, CFileException::fileNotFound},
    {ERROR_BUFFER_OVERFLOW, CFileException::badPath},
    {ERROR_DISK_CHANGE, CFileException::badPath},
    {ERROR_NEGATIVE_SEEK, CFileException::badSeek},
    {ERROR_SEEK_ON_DEVICE, CFileException::badSeek},
    {ERROR_DIR_NOT_EMPTY, CFileException::accessDenied},
    {ERROR_INVALID_NAME, CFileException::badPath},
    {ERROR_FILENAME_EXCED_RANGE, CFileException::badPath},
    {ERROR_ALREADY_EXISTS, CFileException::accessDenied},
};

const char* const kFileCauseText[] = {
    "No error occurred.",
    "An unexpected error occurred while accessing %1.",
    "%1 was not found.",
    "%1 contains an invalid path.",
    "%1 could not be opened because there are too many open files.",
    "Access to %1 was denied.",
    "An invalid file handle was associated with %1.",
    "%1 could not be removed because it is the current directory.",
    "%1 could not be created because the directory is full.",
    "Seek failed on %1.",
    "A hardware I/O error was reported while accessing %1.",
    "A sharing violation occurred while accessing %1.",
    "A locking violation occurred while accessing %1.",
    "The disk is full while accessing %1.",
    "An attempt was made to access %1 past its end.",
};
static_assert(sizeof(kFileCauseText) / sizeof(kFileCauseText[0]) == CFileException::endOfFile + 1,
    "one text per file exception cause");

const char* const kArchiveCauseText[] = {
    "No error occurred.",
    "An unexpected error occurred while reading or writing %1.",
    "Tried to write to %1, which is open for reading.",
    "Unexpected end of %1 while reading.",
    "Tried to read from %1, which is open for writing.",
    "%1 has a bad format.",
    "%1 contains an unexpected object.",
    "%1 contains an incorrect schema.",
};
static_assert(sizeof(kArchiveCauseText) / sizeof(kArchiveCauseText[0]) == CArchiveException::badSchema + 1,
    "one text per archive exception cause");

template <size_t N>
LPCSTR CauseText(const char* const (&texts)[N], int cause)
{
    return cause >= 0 && static_cast<size_t>(cause) < N ? texts[cause] : texts[1];
}

} // namespace

void* CException::operator new(size_t size)
{
    void* p = ::operator new(size);
    t_allocatingException = true;
    return p;
}

void CException::operator delete(void* p) noexcept
{
    ::operator delete(p);
}

CException::CException(BOOL bAutoDelete)
    : m_bAutoDelete(bAutoDelete), m_bOnHeap(std::exchange(t_allocatingException, false))
{
}

void CException::Delete()
{
    if (m_bAutoDelete && m_bOnHeap)
        delete this;
}

BOOL CException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    CopyMessage(CString(), lpszError, nMaxError, pnHelpContext);
    return FALSE;
}

CString CException::GetErrorMessage() const
{
    CString message;
    if (!GetErrorMessage(message.GetBuffer(kMaxErrorMessage), kMaxErrorMessage + 1))
        message.GetBuffer()[0] = '\0';
    message.ReleaseBuffer();
    return message;
}

int CException::ReportError(UINT nType, UINT nMessageID) const
{
    CString message = GetErrorMessage();
    if (message.IsEmpty() && nMessageID != 0)
        message.LoadString(nMessageID);
    if (message.IsEmpty())
        message = kUnspecifiedError;
    return AfxMessageBox(message, nType);
}

BOOL CMemoryException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return CopyMessage("Out of memory.", lpszError, nMaxError, pnHelpContext);
}

BOOL CNotSupportedException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return CopyMessage("An unsupported operation was attempted.", lpszError, nMaxError, pnHelpContext);
}

BOOL CResourceException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return CopyMessage("A required resource was unavailable.", lpszError, nMaxError, pnHelpContext);
}

BOOL CInvalidArgException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return CopyMessage("An invalid argument was encountered.", lpszError, nMaxError, pnHelpContext);
}

CFileException::CFileException(int cause, LONG lOsError, LPCSTR lpszFileName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszFileName)
{
}

BOOL CFileException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return CopyMessage(WithFileName(CauseText(kFileCauseText, m_cause), m_strFileName),
        lpszError, nMaxError, pnHelpContext);
}

int CFileException::OsErrorToException(LONG lOsError)
{
    for (const OsErrorCause& entry : kOsErrorCauses) {
        if (entry.osError == lOsError)
            return entry.cause;
    }
    return genericException;
}

void CFileException::ThrowOsError(LONG lOsError, LPCSTR lpszFileName)
{
    AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

CArchiveException::CArchiveException(int cause, LPCSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName)
{
}

BOOL CArchiveException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return CopyMessage(WithFileName(CauseText(kArchiveCauseText, m_cause), m_strFileName),
        lpszError, nMaxError, pnHelpContext);
}

void AfxThrowUserException()
{
    throw new CUserException;
}

void AfxThrowMemoryException()
{
    // Preallocated: when memory has run out a new one may not be had.
    static CMemoryException outOfMemory(FALSE);
    throw &outOfMemory;
}

void AfxThrowNotSupportedException()
{
    throw new CNotSupportedException;
}

void AfxThrowInvalidArgException()
{
    throw new CInvalidArgException;
}

void AfxThrowResourceException()
{
    throw new CResourceException;
}

void AfxThrowFileException(int cause, LONG lOsError, LPCSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AfxThrowArchiveException(int cause, LPCSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}
