// CFile, CStdioFile, CMemFile, FolderPartOfPath: binary files over Win32 handles, text files and memory files; the
// folder part of a path.
#pragma once

#include "framework/exceptions.h"
#include "framework/object.h"
#include "framework/strings.h"

#include <vector>

// A file on disk. Failures throw CFileException*, except Open, which
// returns FALSE and fills in the optional exception object.
class CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags : UINT {
        modeRead = 0x00000,
        modeWrite = 0x00001,
        modeReadWrite = 0x00002,
        shareCompat = 0x00000,
        shareExclusive = 0x00010,
        shareDenyWrite = 0x00020,
        shareDenyRead = 0x00030,
        shareDenyNone = 0x00040,
        modeNoInherit = 0x00080,
        modeCreate = 0x01000,
        modeNoTruncate = 0x02000,
        typeText = 0x04000,
        typeBinary = 0x08000,
        osNoBuffer = 0x10000,
        osWriteThrough = 0x20000,
        osRandomAccess = 0x40000,
        osSequentialScan = 0x80000,
    };
    enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };

    static const HANDLE hFileNull;

    CFile();
    // Wraps an open handle; the handle is not closed when the object goes.
    explicit CFile(HANDLE hFile);
    // Opens the file or throws CFileException*.
    CFile(LPCSTR lpszFileName, UINT nOpenFlags);
    ~CFile() override;

    operator HANDLE() const { return m_hFile; }

    virtual BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
    // Returns the number of bytes read; fewer than asked means the end was reached.
    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG dwNewLen);
    virtual ULONGLONG GetPosition() const;
    virtual void Flush();
    virtual void Close();
    // Closes without reporting errors.
    virtual void Abort();

    virtual CString GetFileName() const;
    virtual CString GetFileTitle() const;
    virtual CString GetFilePath() const { return m_strFileName; }
    virtual void SetFilePath(LPCSTR lpszNewName) { m_strFileName = lpszNewName; }

    static void Rename(LPCSTR lpszOldName, LPCSTR lpszNewName);
    static void Remove(LPCSTR lpszFileName);

    HANDLE m_hFile;

protected:
    [[noreturn]] void ThrowLastError() const;

    BOOL m_bCloseOnDelete;
    CString m_strFileName;
};

// The part of path before its last backslash; empty when there is none.
CString FolderPartOfPath(const CString& path);

// Reads one line into line, without its "\n": readChar gives the next byte, or
// a negative value at the end. FALSE (and an empty line) when the end came first.
template <class ReadChar>
BOOL AfxReadLine(ReadChar readChar, CString& line)
{
    line.Empty();
    int ch = readChar();
    if (ch < 0)
        return FALSE;
    for (; ch >= 0 && ch != '\n'; ch = readChar())
        line.AppendChar(static_cast<char>(ch));
    return TRUE;
}

// A text or binary file read line by line. Text mode (the default) reads
// CR LF as LF and writes LF as CR LF.
class CStdioFile : public CFile {
    DECLARE_DYNAMIC(CStdioFile)
public:
    CStdioFile() = default;
    CStdioFile(LPCSTR lpszFileName, UINT nOpenFlags);

    BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetPosition() const override;
    void SetLength(ULONGLONG dwNewLen) override;
    void Flush() override;
    void Close() override;
    void Abort() override;

    // Reads one line without its newline; FALSE at the end of the file.
    virtual BOOL ReadString(CString& rString);
    // Reads up to nMax - 1 characters, stopping after a newline, which is
    // kept; null at the end of the file.
    virtual LPSTR ReadString(LPSTR lpsz, UINT nMax);
    virtual void WriteString(LPCSTR lpsz);

private:
    static constexpr size_t kBufferSize = 4096;

    // The next byte of the file, or -1 at the end.
    int ReadByte();
    int PeekByte();
    // The next character after text translation, or -1 at the end.
    int ReadChar();
    // Gives the unread part of the buffer back to the file.
    void DiscardReadBuffer();

    bool m_bText = true;
    std::vector<char> m_buffer;
    size_t m_nNext = 0;
    size_t m_nEnd = 0;
};

// A file held in memory that grows by nGrowBytes at a time.
class CMemFile : public CFile {
    DECLARE_DYNAMIC(CMemFile)
public:
    explicit CMemFile(UINT nGrowBytes = 1024);
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    ~CMemFile() override;

    // With nGrowBytes 0 the buffer is a fixed-size file holding its bytes and
    // stays the caller's. Otherwise the file starts empty, grows the buffer
    // with realloc (so it must come from malloc) and frees it on Close.
    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    // Hands the buffer to the caller (free it with free()) and empties the file.
    BYTE* Detach();

    BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetLength() const override { return m_nFileSize; }
    void SetLength(ULONGLONG dwNewLen) override;
    ULONGLONG GetPosition() const override { return m_nPosition; }
    void Flush() override {}
    void Close() override;
    void Abort() override { Close(); }

protected:
    virtual BYTE* Alloc(SIZE_T nBytes);
    virtual BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes);
    virtual void Free(BYTE* lpMem);
    // Makes the buffer at least dwNewLen bytes long.
    virtual void GrowFile(SIZE_T dwNewLen);

    SIZE_T m_nGrowBytes;
    SIZE_T m_nPosition = 0;
    SIZE_T m_nBufferSize = 0;
    SIZE_T m_nFileSize = 0;
    BYTE* m_lpBuffer = nullptr;
    BOOL m_bAutoDelete = TRUE;
};
