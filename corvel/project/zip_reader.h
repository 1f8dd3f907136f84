// CUnzipReader, ZipItemInfo and the reading functions OpenUnzipHandle, UnzipItem, CloseUnzipHandle, IsUnzipHandle.
#pragma once

#include "framework/core.h"

#include "corvel/project/zip_format.h"

#include <memory>
#include <vector>

// One item as the central directory describes it.
struct ZipItemInfo {
    int index = -1;
    CString name;
    uint16_t method = 0;
    uint16_t flags = 0;
    uint32_t crc = 0;
    uint32_t compressedSize = 0;
    uint32_t uncompressedSize = 0;
    // FILE_ATTRIBUTE_READONLY, _HIDDEN, _SYSTEM and _DIRECTORY.
    DWORD attributes = 0;
    bool hasTimes = false;
    FILETIME created = {};
    FILETIME accessed = {};
    FILETIME modified = {};
};

// Reads one archive from a file, a handle or memory. Every offset, size and
// count of the archive is checked against its length before it is used.
class CUnzipReader : public ZipArchiveObject {
public:
    CUnzipReader();
    ~CUnzipReader() override;
    CUnzipReader(const CUnzipReader&) = delete;
    CUnzipReader& operator=(const CUnzipReader&) = delete;

    ZRESULT OpenFileName(LPCSTR fileName);
    // The handle must be a disk file; it stays the caller's.
    ZRESULT OpenHandle(HANDLE handle);
    // The block must stay valid while the reader lives.
    ZRESULT OpenMemory(const void* block, DWORD length);

    int GetItemCount() const { return static_cast<int>(m_entries.size()); }
    // The item as the central directory describes it; null for an index out of range.
    const ZipItemInfo* GetItem(int index) const;
    // The item with the times of its local header's "UT" field, as extraction applies them.
    ZRESULT ReadItemInfo(int index, ZipItemInfo& info);
    // kind: kZipFromHandle, kZipFromFileName or kZipFromMemory (length bytes a call).
    ZRESULT Unzip(int index, void* target, DWORD length, DWORD kind);
    // Ends any item under extraction and closes the input.
    void Close();

private:
    struct Entry {
        ZipItemInfo info;
        uint32_t localHeaderOffset = 0;
    };
    class ItemStream;

    ZRESULT ReadDirectory();
    bool FindEndRecord(uint32_t& directoryOffset, uint32_t& directorySize, uint32_t& count);
    bool ReadEndRecord(uint32_t position, uint32_t& directoryOffset, uint32_t& directorySize, uint32_t& count);
    bool ReadAt(uint32_t offset, void* buffer, uint32_t size);
    ZRESULT ReadLocalHeader(int index, ZipItemInfo& info, uint32_t& dataOffset);
    ZRESULT StartItem(int index, ZipItemInfo& info);
    ZRESULT ExtractToMemory(BYTE* block, DWORD length);
    ZRESULT ExtractToHandle(HANDLE file);
    ZRESULT ExtractToFile(const CString& target, const ZipItemInfo& info);
    CString TargetPath(const CString& target) const;

    ScopedHandle m_ownFile;
    HANDLE m_file = INVALID_HANDLE_VALUE;
    const BYTE* m_memory = nullptr;
    uint32_t m_length = 0;
    uint32_t m_directoryOffset = 0;
    CString m_root;
    std::vector<Entry> m_entries;
    std::unique_ptr<ItemStream> m_stream;
};

// Opens an archive for reading. kind: kZipFromHandle (source is a HANDLE of a disk
// file), kZipFromFileName (source is the file name) or kZipFromMemory (a block of
// length bytes). Returns null with the last result set on failure.
HZIP OpenUnzipHandle(const void* source, DWORD length, DWORD kind);
// Extracts one item. To memory each call fills the block: kZipMoreData while more
// remains, kZipOk with the item's last bytes.
ZRESULT UnzipItem(HZIP handle, int index, void* target, DWORD length, DWORD kind);
ZRESULT CloseUnzipHandle(HZIP handle);
// True for a null handle or a reading handle.
bool IsUnzipHandle(HZIP handle);
// The reader of a reading handle, or null.
CUnzipReader* GetUnzipReader(HZIP handle);
// The result of the last reading operation in this process.
ZRESULT GetLastUnzipResult();
