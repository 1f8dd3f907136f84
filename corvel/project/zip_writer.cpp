#include "corvel/project/zip_writer.h"

#include <zlib.h>

#include <algorithm>
#include <new>

namespace {

ZRESULT g_lastZipResult = kZipOk;

ZRESULT SetLastZipResult(ZRESULT result)
{
    g_lastZipResult = result;
    return result;
}

// Names whose data is compressed already are stored as they are.
const char* const kStoredSuffixes[] = {".Z", ".zip", ".zoo", ".arc", ".lzh", ".arj", ".gz", ".tgz"};

bool HasStoredSuffix(const CString& name)
{
    const int dot = name.ReverseFind('.');
    if (dot < 0)
        return false;
    const CString suffix = name.Mid(dot);
    for (const char* stored : kStoredSuffixes)
        if (suffix.CompareNoCase(stored) == 0)
            return true;
    return false;
}

// DOS, NE, LE and PE signatures ("MZ", "NE", "LE", "PE").
const uint16_t kExecutableSignatures[] = {0x5A4D, 0x454E, 0x454C, 0x4550};

bool HasExecutableSignature(const BYTE* data, size_t size)
{
    if (size < 2)
        return false;
    const uint16_t first = LoadZip16(data);
    return std::find(std::begin(kExecutableSignatures), std::end(kExecutableSignatures), first) !=
           std::end(kExecutableSignatures);
}

// January 1st 1980, the earliest DOS date.
constexpr uint16_t kEarliestDosDate = 0x21;

// Ends a deflate stream when it goes.
class DeflateStream {
public:
    DeflateStream() = default;
    ~DeflateStream()
    {
        if (m_started)
            deflateEnd(&m_stream);
    }
    DeflateStream(const DeflateStream&) = delete;
    DeflateStream& operator=(const DeflateStream&) = delete;

    bool Start()
    {
        m_started = deflateInit2(&m_stream, kZipDeflateLevel, Z_DEFLATED, -kZipDeflateWindowBits,
                                 kZipDeflateMemoryLevel, Z_DEFAULT_STRATEGY) == Z_OK;
        return m_started && deflateTune(&m_stream, kZipTuneGoodLength, kZipTuneLazyMatch, kZipTuneNiceLength,
                                        kZipTuneMaxChain) == Z_OK;
    }
    z_stream& Get() { return m_stream; }

private:
    z_stream m_stream = {};
    bool m_started = false;
};

} // namespace

// One item's data: a file, a handle, a memory block or nothing (a folder).
class CZipWriter::Source {
public:
    ZRESULT Open(const void* source, DWORD length, DWORD kind)
    {
        switch (kind) {
        case kZipFromFileName: {
            m_owned.Attach(::CreateFileA(static_cast<LPCSTR>(source), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
            if (!m_owned)
                return kZipCannotCreate;
            m_handle = m_owned.Get();
            BY_HANDLE_FILE_INFORMATION info = {};
            if (!::GetFileInformationByHandle(m_handle, &info))
                return kZipCannotCreate;
            return OpenDiskFile(info, 0);
        }
        case kZipFromHandle: {
            m_handle = static_cast<HANDLE>(const_cast<void*>(source));
            // The times are taken before anything else touches the file.
            BY_HANDLE_FILE_INFORMATION info = {};
            const bool hasInfo = ::GetFileInformationByHandle(m_handle, &info) != 0;
            if (hasInfo && ::GetFileType(m_handle) == FILE_TYPE_DISK)
                return OpenDiskFile(info, length);
            UseCurrentTime();
            m_hasKnownLength = length != 0;
            m_remaining = length;
            return kZipOk;
        }
        case kZipFromMemory:
            m_memory = static_cast<const BYTE*>(source);
            m_hasKnownLength = true;
            m_remaining = length;
            UseCurrentTime();
            return kZipOk;
        default: // a folder
            m_hasKnownLength = true;
            m_remaining = 0;
            UseCurrentTime();
            attributes = FILE_ATTRIBUTE_DIRECTORY;
            return kZipOk;
        }
    }

    // Reads the next block; false when the source gives fewer bytes than announced.
    bool Read(BYTE* buffer, size_t capacity, size_t& got, bool& atEnd)
    {
        got = 0;
        size_t want = capacity;
        if (m_hasKnownLength)
            want = static_cast<size_t>(std::min<uint64_t>(capacity, m_remaining));
        if (want > 0) {
            if (m_memory) {
                memcpy(buffer, m_memory, want);
                m_memory += want;
                got = want;
            } else {
                DWORD read = 0;
                if (::ReadFile(m_handle, buffer, static_cast<DWORD>(want), &read, nullptr))
                    got = read;
                else if (m_hasKnownLength || ::GetLastError() != ERROR_BROKEN_PIPE)
                    return false;
            }
        }
        if (m_hasKnownLength) {
            if (want > 0 && got == 0)
                return false;
            m_remaining -= got;
            atEnd = m_remaining == 0;
        } else {
            atEnd = got == 0;
        }
        return true;
    }

    DWORD attributes = 0;
    FILETIME created = {};
    FILETIME accessed = {};
    FILETIME modified = {};

private:
    // A disk file: its attributes and times; the data from the current position on.
    ZRESULT OpenDiskFile(const BY_HANDLE_FILE_INFORMATION& info, DWORD length)
    {
        LARGE_INTEGER position = {};
        LARGE_INTEGER zero = {};
        if (!::SetFilePointerEx(m_handle, zero, &position, FILE_CURRENT))
            return kZipCannotCreate;
        attributes = info.dwFileAttributes;
        created = info.ftCreationTime;
        accessed = info.ftLastAccessTime;
        modified = info.ftLastWriteTime;
        const uint64_t size = (static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
        const uint64_t available = size > static_cast<uint64_t>(position.QuadPart) ? size - position.QuadPart : 0;
        m_hasKnownLength = true;
        m_remaining = length != 0 ? length : available;
        return m_remaining > 0xFFFFFFFFull ? kZipWriteFailed : kZipOk;
    }

    void UseCurrentTime()
    {
        ::GetSystemTimeAsFileTime(&modified);
        created = accessed = modified;
    }

    ScopedHandle m_owned;
    HANDLE m_handle = INVALID_HANDLE_VALUE;
    const BYTE* m_memory = nullptr;
    bool m_hasKnownLength = false;
    uint64_t m_remaining = 0;
};

CZipWriter::CZipWriter() : m_input(kZipBlockSize), m_output(kZipBlockSize)
{
    // The difference between local time and UTC now, for the DOS time stamps.
    FILETIME utc = {};
    FILETIME local = {};
    ::GetSystemTimeAsFileTime(&utc);
    if (::FileTimeToLocalFileTime(&utc, &local))
        m_localTimeShift = static_cast<LONGLONG>(FileTimeToTicks(local) - FileTimeToTicks(utc));
}

ZRESULT CZipWriter::CreateInMemory(void* block, DWORD capacity)
{
    if (capacity == 0)
        return kZipMemorySize;
    if (block == nullptr) {
        m_ownBlock.reset(new (std::nothrow) BYTE[capacity]());
        if (!m_ownBlock)
            return kZipNoMemory;
        m_block = m_ownBlock.get();
    } else {
        m_block = static_cast<BYTE*>(block);
    }
    m_isMemory = true;
    m_capacity = capacity;
    m_canSeek = true;
    return kZipOk;
}

ZRESULT CZipWriter::CreateFileOutput(LPCSTR fileName)
{
    if (fileName == nullptr)
        return kZipBadArgument;
    m_ownFile.Attach(::CreateFileA(fileName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!m_ownFile)
        return kZipCannotCreate;
    m_file = m_ownFile.Get();
    m_canSeek = true;
    return kZipOk;
}

ZRESULT CZipWriter::AttachHandle(HANDLE handle)
{
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
        return kZipBadArgument;
    m_file = handle;
    LARGE_INTEGER zero = {};
    LARGE_INTEGER position = {};
    m_canSeek = ::GetFileType(handle) == FILE_TYPE_DISK && ::SetFilePointerEx(handle, zero, &position, FILE_CURRENT);
    m_fileBase = m_canSeek ? position.QuadPart : 0;
    return kZipOk;
}

ZRESULT CZipWriter::Fail(ZRESULT result)
{
    m_failure = result;
    return result;
}

ZRESULT CZipWriter::AddItem(LPCSTR name, const void* source, DWORD length, DWORD kind)
{
    if (m_failure != kZipOk)
        return kZipFailedEarlier;
    if (m_finished)
        return kZipAlreadyFinished;
    if (!m_isMemory && m_file == INVALID_HANDLE_VALUE)
        return Fail(kZipNotInitialised);
    if (name == nullptr || *name == '\0' || kind < kZipFromHandle || kind > kZipFromFolder)
        return Fail(kZipBadArgument);
    const bool hasNoData = kind == kZipFromFolder || (kind == kZipFromMemory && length == 0);
    if (source == nullptr && !hasNoData)
        return Fail(kZipNotInitialised);

    CString storedName = name;
    storedName.Replace('\\', '/');
    if (kind == kZipFromFolder && storedName[storedName.GetLength() - 1] != '/')
        storedName += '/';
    if (storedName.GetLength() > 0xFFFF)
        return Fail(kZipBadArgument);

    Source data;
    const ZRESULT opened = data.Open(source, length, kind);
    if (opened != kZipOk)
        return Fail(opened);
    const ZRESULT added = AddItemData(storedName, data, kind == kZipFromFolder);
    return added == kZipOk ? kZipOk : Fail(added);
}

namespace {

// The 30-byte local header without its name and extra field.
void BuildLocalHeader(BYTE* p, uint16_t flags, uint16_t method, uint16_t dosTime, uint16_t dosDate, uint32_t crc,
                      uint32_t compressedSize, uint32_t uncompressedSize, uint16_t nameLength)
{
    p = StoreZip32(p, kZipLocalHeaderSignature);
    p = StoreZip16(p, kZipVersionNeeded);
    p = StoreZip16(p, flags);
    p = StoreZip16(p, method);
    p = StoreZip16(p, dosTime);
    p = StoreZip16(p, dosDate);
    p = StoreZip32(p, crc);
    p = StoreZip32(p, compressedSize);
    p = StoreZip32(p, uncompressedSize);
    p = StoreZip16(p, nameLength);
    StoreZip16(p, kZipExtraHeaderSize + kZipLocalTimeExtraSize);
}

} // namespace

ZRESULT CZipWriter::AddItemData(const CString& name, Source& source, bool isFolder)
{
    CentralEntry entry;
    entry.name = name;
    entry.method = isFolder || HasStoredSuffix(name) ? kZipMethodStored : kZipMethodDeflated;
    entry.localHeaderOffset = m_position;
    entry.externalAttributes = source.attributes;
    entry.modifiedTime = FileTimeToUnixTime(source.modified);

    // The DOS time stamp is local time.
    const FILETIME localModified = TicksToFileTime(FileTimeToTicks(source.modified) + m_localTimeShift);
    WORD dosDate = 0;
    WORD dosTime = 0;
    if (!::FileTimeToDosDateTime(&localModified, &dosDate, &dosTime)) {
        dosDate = kEarliestDosDate;
        dosTime = 0;
    }
    entry.dosDate = dosDate;
    entry.dosTime = dosTime;

    const uint16_t nameLength = static_cast<uint16_t>(name.GetLength());
    std::vector<BYTE> header(kZipLocalHeaderSize + nameLength + kZipExtraHeaderSize + kZipLocalTimeExtraSize);
    BuildLocalHeader(header.data(), kZipFlagDataDescriptor, entry.method, dosTime, dosDate, 0, 0, 0, nameLength);
    memcpy(header.data() + kZipLocalHeaderSize, (LPCSTR)name, nameLength);
    BYTE* extra = header.data() + kZipLocalHeaderSize + nameLength;
    extra = StoreZip16(extra, kZipTimeExtraTag);
    extra = StoreZip16(extra, kZipLocalTimeExtraSize);
    *extra++ = static_cast<BYTE>(kZipTimeAll);
    extra = StoreZip32(extra, entry.modifiedTime);
    extra = StoreZip32(extra, FileTimeToUnixTime(source.accessed));
    StoreZip32(extra, FileTimeToUnixTime(source.created));
    ZRESULT result = Write(header.data(), header.size());
    if (result != kZipOk)
        return result;

    result = WriteItemData(source, entry.method, entry);
    if (result != kZipOk)
        return result;

    if (m_canSeek) {
        // Sizes and CRC go back into the local header.
        BYTE fixed[kZipLocalHeaderSize];
        BuildLocalHeader(fixed, 0, entry.method, dosTime, dosDate, entry.crc, entry.compressedSize,
                         entry.uncompressedSize, nameLength);
        const uint32_t end = m_position;
        if ((result = SeekTo(entry.localHeaderOffset)) != kZipOk || (result = Write(fixed, sizeof fixed)) != kZipOk ||
            (result = SeekTo(end)) != kZipOk)
            return result;
        entry.flags = 0;
    } else {
        BYTE descriptor[kZipDataDescriptorSize];
        BYTE* p = StoreZip32(descriptor, kZipDataDescriptorSignature);
        p = StoreZip32(p, entry.crc);
        p = StoreZip32(p, entry.compressedSize);
        StoreZip32(p, entry.uncompressedSize);
        if ((result = Write(descriptor, sizeof descriptor)) != kZipOk)
            return result;
        entry.flags = kZipFlagDataDescriptor;
    }
    m_entries.push_back(entry);
    return kZipOk;
}

// Copies or deflates the source into the output, filling in the CRC and the sizes.
ZRESULT CZipWriter::WriteItemData(Source& source, uint16_t method, CentralEntry& entry)
{
    DeflateStream deflater;
    if (method == kZipMethodDeflated && !deflater.Start())
        return kZipInternalError;

    uint32_t crc = crc32(0, Z_NULL, 0);
    uint64_t compressed = 0;
    uint64_t uncompressed = 0;
    bool isFirstBlock = true;
    for (;;) {
        size_t got = 0;
        bool atEnd = false;
        if (!source.Read(m_input.data(), m_input.size(), got, atEnd))
            return kZipSourceShort;
        if (isFirstBlock && got > 0) {
            if (HasExecutableSignature(m_input.data(), got))
                entry.externalAttributes |= kZipOwnerExecute;
            isFirstBlock = false;
        }
        crc = crc32(crc, m_input.data(), static_cast<uInt>(got));
        uncompressed += got;
        if (uncompressed > 0xFFFFFFFFull)
            return kZipWriteFailed;

        if (method == kZipMethodStored) {
            const ZRESULT result = Write(m_input.data(), got);
            if (result != kZipOk)
                return result;
            compressed += got;
        } else {
            z_stream& z = deflater.Get();
            z.next_in = m_input.data();
            z.avail_in = static_cast<uInt>(got);
            const int flush = atEnd ? Z_FINISH : Z_NO_FLUSH;
            int status = Z_OK;
            do {
                z.next_out = m_output.data();
                z.avail_out = static_cast<uInt>(m_output.size());
                status = deflate(&z, flush);
                if (status == Z_STREAM_ERROR)
                    return kZipInternalError;
                const size_t produced = m_output.size() - z.avail_out;
                const ZRESULT result = Write(m_output.data(), produced);
                if (result != kZipOk)
                    return result;
                compressed += produced;
            } while (z.avail_out == 0);
            if (atEnd && status != Z_STREAM_END)
                return kZipInternalError;
        }
        if (atEnd)
            break;
    }
    entry.crc = crc;
    entry.compressedSize = static_cast<uint32_t>(compressed);
    entry.uncompressedSize = static_cast<uint32_t>(uncompressed);
    return kZipOk;
}

ZRESULT CZipWriter::Write(const void* data, size_t size)
{
    if (size == 0)
        return kZipOk;
    const uint64_t end = static_cast<uint64_t>(m_position) + size;
    if (end > 0xFFFFFFFFull)
        return kZipWriteFailed;
    if (m_isMemory) {
        if (end > m_capacity) {
            if (!m_ownBlock)
                return kZipWriteFailed;
            const ZRESULT grown = GrowBlock(static_cast<size_t>(end));
            if (grown != kZipOk)
                return grown;
        }
        memcpy(m_block + m_position, data, size);
    } else {
        const BYTE* bytes = static_cast<const BYTE*>(data);
        size_t left = size;
        while (left > 0) {
            DWORD written = 0;
            const DWORD chunk = static_cast<DWORD>(std::min<size_t>(left, 0x40000000));
            if (!::WriteFile(m_file, bytes, chunk, &written, nullptr) || written == 0)
                return kZipWriteFailed;
            bytes += written;
            left -= written;
        }
    }
    m_position = static_cast<uint32_t>(end);
    m_length = std::max(m_length, m_position);
    return kZipOk;
}

// A new block of twice the capacity, or of the needed length when that is larger.
ZRESULT CZipWriter::GrowBlock(size_t needed)
{
    uint64_t capacity = std::max<uint64_t>(2ull * m_capacity, needed);
    capacity = std::min<uint64_t>(capacity, std::min<uint64_t>(0xFFFFFFFFull, SIZE_MAX));
    if (capacity < needed)
        return kZipNoMemory;
    std::unique_ptr<BYTE[]> block(new (std::nothrow) BYTE[static_cast<size_t>(capacity)]());
    if (!block)
        return kZipNoMemory;
    memcpy(block.get(), m_block, m_length);
    m_ownBlock = std::move(block);
    m_block = m_ownBlock.get();
    m_capacity = static_cast<size_t>(capacity);
    return kZipOk;
}

ZRESULT CZipWriter::SeekTo(uint32_t offset)
{
    if (!m_canSeek)
        return kZipCannotSeek;
    if (offset > m_length)
        return kZipMemorySize;
    if (!m_isMemory) {
        LARGE_INTEGER target;
        target.QuadPart = m_fileBase + offset;
        if (!::SetFilePointerEx(m_file, target, nullptr, FILE_BEGIN))
            return kZipWriteFailed;
    }
    m_position = offset;
    return kZipOk;
}

// Writes the central directory and the end record, once.
ZRESULT CZipWriter::Finish()
{
    if (m_finished)
        return kZipOk;
    if (m_entries.size() > kZipMaxEntries || (m_position != m_length && SeekTo(m_length) != kZipOk))
        return kZipWriteFailed;

    const uint32_t directoryOffset = m_length;
    for (const CentralEntry& entry : m_entries) {
        const uint16_t nameLength = static_cast<uint16_t>(entry.name.GetLength());
        std::vector<BYTE> header(kZipCentralHeaderSize + nameLength + kZipExtraHeaderSize + kZipCentralTimeExtraSize);
        BYTE* p = StoreZip32(header.data(), kZipCentralHeaderSignature);
        p = StoreZip16(p, kZipVersionMadeBy);
        p = StoreZip16(p, kZipVersionNeeded);
        p = StoreZip16(p, entry.flags);
        p = StoreZip16(p, entry.method);
        p = StoreZip16(p, entry.dosTime);
        p = StoreZip16(p, entry.dosDate);
        p = StoreZip32(p, entry.crc);
        p = StoreZip32(p, entry.compressedSize);
        p = StoreZip32(p, entry.uncompressedSize);
        p = StoreZip16(p, nameLength);
        p = StoreZip16(p, kZipExtraHeaderSize + kZipCentralTimeExtraSize);
        p = StoreZip16(p, 0); // comment length
        p = StoreZip16(p, 0); // disk
        p = StoreZip16(p, 0); // internal attributes
        p = StoreZip32(p, entry.externalAttributes);
        p = StoreZip32(p, entry.localHeaderOffset);
        memcpy(p, (LPCSTR)entry.name, nameLength);
        p += nameLength;
        p = StoreZip16(p, kZipTimeExtraTag);
        p = StoreZip16(p, kZipCentralTimeExtraSize);
        *p++ = static_cast<BYTE>(kZipTimeAll);
        StoreZip32(p, entry.modifiedTime);
        if (Write(header.data(), header.size()) != kZipOk)
            return kZipWriteFailed;
    }

    BYTE end[kZipEndRecordSize];
    const uint16_t count = static_cast<uint16_t>(m_entries.size());
    BYTE* p = StoreZip32(end, kZipEndRecordSignature);
    p = StoreZip16(p, 0); // this disk
    p = StoreZip16(p, 0); // disk of the central directory
    p = StoreZip16(p, count);
    p = StoreZip16(p, count);
    p = StoreZip32(p, m_length - directoryOffset);
    p = StoreZip32(p, directoryOffset);
    StoreZip16(p, 0); // comment length
    if (Write(end, sizeof end) != kZipOk)
        return kZipWriteFailed;
    m_finished = true;
    return kZipOk;
}

ZRESULT CZipWriter::GetBuffer(void** buffer, DWORD* length)
{
    if (buffer)
        *buffer = nullptr;
    if (length)
        *length = 0;
    if (!m_isMemory)
        return kZipNotInMemory;
    const ZRESULT result = Finish();
    if (result != kZipOk)
        return result;
    if (buffer)
        *buffer = m_block;
    if (length)
        *length = m_length;
    return kZipOk;
}

ZRESULT CZipWriter::Close()
{
    const ZRESULT result = (m_isMemory || m_file != INVALID_HANDLE_VALUE) ? Finish() : kZipOk;
    m_ownBlock.reset();
    m_block = nullptr;
    m_ownFile.Reset();
    m_file = INVALID_HANDLE_VALUE;
    m_isMemory = false;
    return result;
}

namespace {

CZipWriter* WriterOf(HZIP handle, ZRESULT& result)
{
    if (handle == nullptr) {
        result = kZipBadArgument;
        return nullptr;
    }
    if (handle->kind != kZipHandleWriting) {
        result = kZipWrongHandleKind;
        return nullptr;
    }
    result = kZipOk;
    return static_cast<CZipWriter*>(handle->archive.get());
}

} // namespace

HZIP CreateZipHandle(void* target, DWORD length, DWORD kind)
{
    std::unique_ptr<CZipWriter> writer(new (std::nothrow) CZipWriter);
    std::unique_ptr<ZipHandleRecord> record(new (std::nothrow) ZipHandleRecord);
    if (!writer || !record) {
        SetLastZipResult(kZipNoMemory);
        return nullptr;
    }
    ZRESULT result = kZipBadArgument;
    switch (kind) {
    case kZipFromMemory:
        result = writer->CreateInMemory(target, length);
        break;
    case kZipFromFileName:
        result = writer->CreateFileOutput(static_cast<LPCSTR>(target));
        break;
    case kZipFromHandle:
        result = writer->AttachHandle(static_cast<HANDLE>(target));
        break;
    default:
        break;
    }
    SetLastZipResult(result);
    if (result != kZipOk)
        return nullptr;
    record->kind = kZipHandleWriting;
    record->archive = std::move(writer);
    return record.release();
}

ZRESULT ZipAddItem(HZIP handle, LPCSTR name, const void* source, DWORD length, DWORD kind)
{
    ZRESULT result;
    CZipWriter* writer = WriterOf(handle, result);
    if (writer)
        result = writer->AddItem(name, source, length, kind);
    return SetLastZipResult(result);
}

ZRESULT GetZipBuffer(HZIP handle, void** buffer, DWORD* length)
{
    if (buffer)
        *buffer = nullptr;
    if (length)
        *length = 0;
    ZRESULT result;
    CZipWriter* writer = WriterOf(handle, result);
    if (writer)
        result = writer->GetBuffer(buffer, length);
    return SetLastZipResult(result);
}

ZRESULT CloseZipHandle(HZIP handle)
{
    ZRESULT result;
    CZipWriter* writer = WriterOf(handle, result);
    if (writer) {
        result = writer->Close();
        delete handle;
    }
    return SetLastZipResult(result);
}

ZRESULT GetLastZipResult()
{
    return g_lastZipResult;
}
