// CException, CMemoryException, CUserException, CFileException, CArchiveException, CInvalidArgException, CNotSupportedException, CResourceException.
#pragma once

#include "framework/object.h"
#include "framework/strings.h"

// Exceptions are thrown as heap pointers (`throw new CFileException(...)`)
// and the handler calls Delete() on what it caught.
class CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    // bAutoDelete FALSE keeps Delete() from freeing the object.
    explicit CException(BOOL bAutoDelete = TRUE);

    // Frees the exception when it was allocated with new and auto-delete is on.
    void Delete();

    // Copies the description into lpszError (truncated to nMaxError - 1
    // characters); FALSE when there is none.
    virtual BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const;
    // The description as a string, or empty.
    CString GetErrorMessage() const;
    // Shows the description through AfxMessageBox; nMessageID is the
    // fallback text when the exception has none.
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0) const;

    static void* operator new(size_t size);
    static void operator delete(void* p) noexcept;

    BOOL m_bAutoDelete;

private:
    bool m_bOnHeap;
};

class CMemoryException : public CException {
    DECLARE_DYNAMIC(CMemoryException)
public:
    using CException::CException;
    using CException::GetErrorMessage;
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

class CNotSupportedException : public CException {
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    using CException::CException;
    using CException::GetErrorMessage;
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

// A Windows resource (a window class, a GDI object) could not be had.
class CResourceException : public CException {
    DECLARE_DYNAMIC(CResourceException)
public:
    using CException::CException;
    using CException::GetErrorMessage;
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

class CInvalidArgException : public CException {
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    using CException::CException;
    using CException::GetErrorMessage;
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

class CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    explicit CFileException(int cause = none, LONG lOsError = -1, LPCSTR lpszFileName = nullptr);

    using CException::GetErrorMessage;
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    // The cause matching a Win32 error code.
    static int OsErrorToException(LONG lOsError);
    [[noreturn]] static void ThrowOsError(LONG lOsError, LPCSTR lpszFileName = nullptr);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

class CArchiveException : public CException {
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum {
        none,
        genericException,
        readOnly,
        endOfFile,
        writeOnly,
        badIndex,
        badClass,
        badSchema
    };

    explicit CArchiveException(int cause = none, LPCSTR lpszArchiveName = nullptr);

    using CException::GetErrorMessage;
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    int m_cause;
    CString m_strFileName;
};

// Ends an operation the user was already told about (a failed data exchange); reports nothing.
class CUserException : public CException {
    DECLARE_DYNAMIC(CUserException)
public:
    using CException::CException;
};

[[noreturn]] void AfxThrowUserException();
[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowNotSupportedException();
[[noreturn]] void AfxThrowInvalidArgException();
[[noreturn]] void AfxThrowResourceException();
[[noreturn]] void AfxThrowFileException(int cause, LONG lOsError = -1, LPCSTR lpszFileName = nullptr);
[[noreturn]] void AfxThrowArchiveException(int cause, LPCSTR lpszArchiveName = nullptr);

// Deletes a caught exception when its CATCH block ends, unless it is thrown on.
class AfxExceptionReleaser {
public:
    explicit AfxExceptionReleaser(CException* pException) noexcept : m_pException(pException) {}
    ~AfxExceptionReleaser()
    {
        if (m_pException != nullptr)
            m_pException->Delete();
    }
    AfxExceptionReleaser(const AfxExceptionReleaser&) = delete;
    AfxExceptionReleaser& operator=(const AfxExceptionReleaser&) = delete;
    void Keep() noexcept { m_pException = nullptr; }

private:
    CException* m_pException;
};

// Framework-style handlers: the caught exception is deleted at the end of its
// CATCH block; THROW_LAST() passes it on instead. Do not call Delete() inside.
#define TRY try {
#define CATCH(class_name, e) } catch (class_name* e) { AfxExceptionReleaser afxReleaser(e);
#define AND_CATCH(class_name, e) CATCH(class_name, e)
#define END_CATCH }
#define CATCH_ALL(e) CATCH(CException, e)
#define AND_CATCH_ALL(e) CATCH(CException, e)
#define END_CATCH_ALL }
#define THROW(e) throw e
#define THROW_LAST() do { afxReleaser.Keep(); throw; } while (false)
