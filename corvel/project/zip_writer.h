// CZipWriter and the writing functions CreateZipHandle, ZipAddItem, GetZipBuffer, CloseZipHandle.
#pragma once

#include "framework/core.h"

#include "corvel/project/zip_format.h"

#include <memory>
#include <vector>

// Builds one archive into memory, a file or an open handle.
class CZipWriter : public ZipArchiveObject {
public:
    CZipWriter();
    ~CZipWriter() override = default;
    CZipWriter(const CZipWriter&) = delete;
    CZipWriter& operator=(const CZipWriter&) = delete;

    // A null block makes the writer own a zero-filled block of that capacity.
    ZRESULT CreateInMemory(void* block, DWORD capacity);
    ZRESULT CreateFileOutput(LPCSTR fileName);
    // The handle stays the caller's; it is written from its current position.
    ZRESULT AttachHandle(HANDLE handle);

    ZRESULT AddItem(LPCSTR name, const void* source, DWORD length, DWORD kind);
    // Finishes the archive once, then gives the memory block and the archive's length.
    ZRESULT GetBuffer(void** buffer, DWORD* length);
    // Finishes the archive if needed and releases the output.
    ZRESULT Close();

private:
    struct CentralEntry {
        CString name;
        uint16_t flags = 0;
        uint16_t method = 0;
        uint16_t dosTime = 0;
        uint16_t dosDate = 0;
        uint32_t crc = 0;
        uint32_t compressedSize = 0;
        uint32_t uncompressedSize = 0;
        uint32_t externalAttributes = 0;
        uint32_t localHeaderOffset = 0;
        uint32_t modifiedTime = 0;
    };
    class Source;

    ZRESULT AddItemData(const CString& name, Source& source, bool isFolder);
    ZRESULT WriteItemData(Source& source, uint16_t method, CentralEntry& entry);
    ZRESULT Finish();
    ZRESULT Write(const void* data, size_t size);
    ZRESULT SeekTo(uint32_t offset);
    ZRESULT GrowBlock(size_t needed);
    ZRESULT Fail(ZRESULT result);

    // Output: a memory block (the writer's own or the caller's) or a file handle.
    bool m_isMemory = false;
    std::unique_ptr<BYTE[]> m_ownBlock;
    BYTE* m_block = nullptr;
    size_t m_capacity = 0;
    ScopedHandle m_ownFile;
    HANDLE m_file = INVALID_HANDLE_VALUE;
    bool m_canSeek = false;
    LONGLONG m_fileBase = 0;

    uint32_t m_position = 0;  // where the next write goes, from the archive's start
    uint32_t m_length = 0;    // bytes written so far
    LONGLONG m_localTimeShift = 0;
    std::vector<CentralEntry> m_entries;
    bool m_finished = false;
    ZRESULT m_failure = kZipOk;
    std::vector<BYTE> m_input;
    std::vector<BYTE> m_output;
};

// Creates a writing handle. kind: kZipFromHandle (target is a HANDLE), kZipFromFileName
// (target is the file name) or kZipFromMemory (target is a block of length bytes, or null).
// Returns null with the last result set on failure.
HZIP CreateZipHandle(void* target, DWORD length, DWORD kind);
// Adds one item. kind: kZipFromHandle, kZipFromFileName, kZipFromMemory or kZipFromFolder.
ZRESULT ZipAddItem(HZIP handle, LPCSTR name, const void* source, DWORD length, DWORD kind);
// The archive's memory block stays the writer's (or the caller's) until CloseZipHandle.
ZRESULT GetZipBuffer(HZIP handle, void** buffer, DWORD* length);
ZRESULT CloseZipHandle(HZIP handle);
// The result of the last writing operation in this process.
ZRESULT GetLastZipResult();
