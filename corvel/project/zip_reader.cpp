#include "corvel/project/zip_reader.h"

#include <zlib.h>

#include <algorithm>
#include <new>

namespace {

ZRESULT g_lastUnzipResult = kZipOk;

ZRESULT SetLastUnzipResult(ZRESULT result)
{
    g_lastUnzipResult = result;
    return result;
}

// The end record is searched in the archive's last bytes, block by block.
constexpr uint32_t kEndSearchLength = kZipMaxCommentLength + kZipEndRecordSize;
constexpr uint32_t kEndSearchBlock = 1028;
constexpr uint32_t kEndSearchOverlap = 4;

constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;

// Reads little-endian fields from a block without passing its end.
class ByteCursor {
public:
    ByteCursor(const BYTE* data, size_t size) : m_position(data), m_end(data + size) {}

    size_t Remaining() const { return static_cast<size_t>(m_end - m_position); }
    bool Read16(uint16_t& value)
    {
        if (Remaining() < 2)
            return false;
        value = LoadZip16(m_position);
        m_position += 2;
        return true;
    }
    bool Read32(uint32_t& value)
    {
        if (Remaining() < 4)
            return false;
        value = LoadZip32(m_position);
        m_position += 4;
        return true;
    }
    bool ReadBytes(size_t size, const BYTE*& bytes)
    {
        if (Remaining() < size)
            return false;
        bytes = m_position;
        m_position += size;
        return true;
    }

private:
    const BYTE* m_position;
    const BYTE* m_end;
};

// Applies the times of a "UT" extra field among the extra fields.
void ApplyTimeExtra(const BYTE* extra, size_t size, ZipItemInfo& info)
{
    ByteCursor cursor(extra, size);
    uint16_t tag = 0;
    uint16_t length = 0;
    const BYTE* data = nullptr;
    while (cursor.Read16(tag) && cursor.Read16(length) && cursor.ReadBytes(length, data)) {
        if (tag != kZipTimeExtraTag || length < 1)
            continue;
        const BYTE flags = data[0];
        ByteCursor times(data + 1, length - 1u);
        uint32_t seconds = 0;
        if ((flags & kZipTimeModified) && times.Read32(seconds)) {
            info.modified = UnixTimeToFileTime(seconds);
            if (!info.hasTimes)
                info.created = info.accessed = info.modified;
            info.hasTimes = true;
        }
        if ((flags & kZipTimeAccessed) && times.Read32(seconds) && info.hasTimes)
            info.accessed = UnixTimeToFileTime(seconds);
        if ((flags & kZipTimeCreated) && times.Read32(seconds) && info.hasTimes)
            info.created = UnixTimeToFileTime(seconds);
    }
}

// The DOS date and time are local time; all three times get them.
void ApplyDosTime(uint16_t dosDate, uint16_t dosTime, ZipItemInfo& info)
{
    FILETIME local = {};
    FILETIME utc = {};
    if (!::DosDateTimeToFileTime(dosDate, dosTime, &local) || !::LocalFileTimeToFileTime(&local, &utc))
        return;
    info.created = info.accessed = info.modified = utc;
    info.hasTimes = true;
}

DWORD AttributesOf(uint16_t versionMadeBy, uint32_t external, const CString& name)
{
    DWORD attributes = external & kKeptAttributes;
    const uint32_t mode = external >> 16;
    if ((versionMadeBy >> 8) == kZipHostUnix && mode != 0) {
        if ((mode & kZipUnixFileTypeMask) == kZipUnixDirectoryMode)
            attributes |= FILE_ATTRIBUTE_DIRECTORY;
        if ((mode & kZipUnixOwnerWrite) == 0)
            attributes |= FILE_ATTRIBUTE_READONLY;
    }
    if (!name.IsEmpty()) {
        const char last = name[name.GetLength() - 1];
        if (last == '/' || last == '\\')
            attributes |= FILE_ATTRIBUTE_DIRECTORY;
    }
    return attributes;
}

bool IsAbsolutePath(const CString& path)
{
    if (path.IsEmpty())
        return false;
    return path[0] == '/' || path[0] == '\\' || (path.GetLength() > 1 && path[1] == ':');
}

bool HasParentReference(const CString& path)
{
    return path.Find("../") >= 0 || path.Find("..\\") >= 0;
}

// Creates every folder on the way to the path's last part (and the last part too when asked).
void CreateFoldersOnPath(const CString& path, bool includeLast)
{
    for (int i = 1; i < path.GetLength(); ++i) {
        if (path[i] != '\\' || path[i - 1] == ':' || path[i - 1] == '\\')
            continue;
        ::CreateDirectoryA(path.Left(i), nullptr);
    }
    if (includeLast)
        ::CreateDirectoryA(path, nullptr);
}

} // namespace

// The data of the item under extraction: stored bytes or an inflate stream,
// checked against the central directory's sizes and CRC.
class CUnzipReader::ItemStream {
public:
    ItemStream(CUnzipReader& reader, int index, uint32_t dataOffset, const ZipItemInfo& info)
        : m_reader(reader), m_index(index), m_dataOffset(dataOffset), m_info(info)
    {
    }
    ~ItemStream()
    {
        if (m_inflating)
            inflateEnd(&m_stream);
    }
    ItemStream(const ItemStream&) = delete;
    ItemStream& operator=(const ItemStream&) = delete;

    bool Start()
    {
        m_crc = crc32(0, Z_NULL, 0);
        if (m_info.compressedSize == 0 && m_info.uncompressedSize == 0)
            return Finish();
        if (m_info.method == kZipMethodStored)
            return m_info.compressedSize == m_info.uncompressedSize;
        m_input.resize(kZipBlockSize);
        m_inflating = inflateInit2(&m_stream, -kZipDeflateWindowBits) == Z_OK;
        return m_inflating;
    }

    int Index() const { return m_index; }
    bool IsFinished() const { return m_finished; }

    // Produces up to capacity bytes; false on a read or decompression error.
    bool Read(BYTE* out, size_t capacity, size_t& produced)
    {
        produced = 0;
        while (produced < capacity && !m_finished) {
            if (m_info.method == kZipMethodStored) {
                const uint32_t left = m_info.compressedSize - m_consumed;
                if (left == 0)
                    return Finish();
                const uint32_t size = static_cast<uint32_t>(std::min<size_t>(capacity - produced, left));
                if (!m_reader.ReadAt(m_dataOffset + m_consumed, out + produced, size))
                    return false;
                m_consumed += size;
                if (!Produced(out + produced, size))
                    return false;
                produced += size;
                continue;
            }
            if (!Refill())
                return false;
            m_stream.next_out = out + produced;
            m_stream.avail_out = static_cast<uInt>(std::min<size_t>(capacity - produced, kZipBlockSize));
            const uInt before = m_stream.avail_out;
            const int status = inflate(&m_stream, Z_NO_FLUSH);
            const size_t size = before - m_stream.avail_out;
            if (!Produced(out + produced, size))
                return false;
            produced += size;
            if (status == Z_STREAM_END)
                return Finish();
            if (status != Z_OK)
                return false;
        }
        return true;
    }

    // After the item's last byte: reads the stream's end when it needs no more output.
    bool TryFinish()
    {
        if (m_finished || !m_inflating || m_produced != m_info.uncompressedSize)
            return true;
        BYTE none = 0;
        for (;;) {
            if (!Refill())
                return false;
            m_stream.next_out = &none;
            m_stream.avail_out = 0;
            const int status = inflate(&m_stream, Z_NO_FLUSH);
            if (status == Z_STREAM_END)
                return Finish();
            if (status != Z_OK)
                return true;
        }
    }

private:
    bool Refill()
    {
        if (m_stream.avail_in > 0 || m_consumed >= m_info.compressedSize)
            return true;
        const uint32_t size = std::min<uint32_t>(m_info.compressedSize - m_consumed, kZipBlockSize);
        if (!m_reader.ReadAt(m_dataOffset + m_consumed, m_input.data(), size))
            return false;
        m_consumed += size;
        m_stream.next_in = m_input.data();
        m_stream.avail_in = size;
        return true;
    }

    bool Produced(const BYTE* data, size_t size)
    {
        if (size > m_info.uncompressedSize - m_produced)
            return false;
        m_crc = crc32(m_crc, data, static_cast<uInt>(size));
        m_produced += static_cast<uint32_t>(size);
        return true;
    }

    bool Finish()
    {
        m_finished = true;
        return m_produced == m_info.uncompressedSize && m_crc == m_info.crc;
    }

    CUnzipReader& m_reader;
    int m_index;
    uint32_t m_dataOffset;
    ZipItemInfo m_info;
    z_stream m_stream = {};
    bool m_inflating = false;
    std::vector<BYTE> m_input;
    uint32_t m_consumed = 0;
    uint32_t m_produced = 0;
    uint32_t m_crc = 0;
    bool m_finished = false;
};

CUnzipReader::CUnzipReader() = default;

CUnzipReader::~CUnzipReader()
{
    Close();
}

void CUnzipReader::Close()
{
    m_stream.reset();
    m_ownFile.Reset();
    m_file = INVALID_HANDLE_VALUE;
    m_memory = nullptr;
    m_length = 0;
    m_entries.clear();
}

ZRESULT CUnzipReader::OpenFileName(LPCSTR fileName)
{
    if (fileName == nullptr)
        return kZipBadArgument;
    m_ownFile.Attach(
        ::CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!m_ownFile)
        return kZipCannotCreate;
    return OpenHandle(m_ownFile.Get());
}

ZRESULT CUnzipReader::OpenHandle(HANDLE handle)
{
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
        return kZipBadArgument;
    m_file = handle;
    if (::GetFileType(handle) != FILE_TYPE_DISK)
        return kZipCannotSeek;
    LARGE_INTEGER size = {};
    if (!::GetFileSizeEx(handle, &size) || size.QuadPart > 0xFFFFFFFFll)
        return kZipReadFailed;
    m_length = static_cast<uint32_t>(size.QuadPart);
    return ReadDirectory();
}

ZRESULT CUnzipReader::OpenMemory(const void* block, DWORD length)
{
    if (block == nullptr)
        return kZipBadArgument;
    m_memory = static_cast<const BYTE*>(block);
    m_length = length;
    return ReadDirectory();
}

bool CUnzipReader::ReadAt(uint32_t offset, void* buffer, uint32_t size)
{
    if (static_cast<uint64_t>(offset) + size > m_length)
        return false;
    if (size == 0)
        return true;
    if (m_memory) {
        memcpy(buffer, m_memory + offset, size);
        return true;
    }
    LARGE_INTEGER position;
    position.QuadPart = offset;
    DWORD read = 0;
    return ::SetFilePointerEx(m_file, position, nullptr, FILE_BEGIN) &&
           ::ReadFile(m_file, buffer, size, &read, nullptr) && read == size;
}

bool CUnzipReader::ReadEndRecord(uint32_t position, uint32_t& directoryOffset, uint32_t& directorySize,
                                 uint32_t& count)
{
    BYTE record[kZipEndRecordSize];
    if (static_cast<uint64_t>(position) + kZipEndRecordSize > m_length || !ReadAt(position, record, sizeof record))
        return false;
    const uint16_t disk = LoadZip16(record + 4);
    const uint16_t directoryDisk = LoadZip16(record + 6);
    const uint16_t countHere = LoadZip16(record + 8);
    const uint16_t countTotal = LoadZip16(record + 10);
    directorySize = LoadZip32(record + 12);
    directoryOffset = LoadZip32(record + 16);
    const uint16_t commentLength = LoadZip16(record + 20);
    count = countTotal;
    // Archives spanning disks are not read.
    return disk == 0 && directoryDisk == 0 && countHere == countTotal &&
           static_cast<uint64_t>(position) + kZipEndRecordSize + commentLength <= m_length &&
           static_cast<uint64_t>(directoryOffset) + directorySize <= position &&
           static_cast<uint64_t>(count) * kZipCentralHeaderSize <= directorySize;
}

// Searches backwards over the archive's last bytes, so that a comment is skipped.
bool CUnzipReader::FindEndRecord(uint32_t& directoryOffset, uint32_t& directorySize, uint32_t& count)
{
    if (m_length < kZipEndRecordSize)
        return false;
    const uint32_t searchStart = m_length > kEndSearchLength ? m_length - kEndSearchLength : 0;
    BYTE block[kEndSearchBlock];
    uint32_t blockEnd = m_length;
    for (;;) {
        const uint32_t blockStart = blockEnd - searchStart > kEndSearchBlock ? blockEnd - kEndSearchBlock : searchStart;
        const uint32_t size = blockEnd - blockStart;
        if (!ReadAt(blockStart, block, size))
            return false;
        for (uint32_t i = size >= 4 ? size - 4 + 1 : 0; i-- > 0;) {
            if (LoadZip32(block + i) == kZipEndRecordSignature &&
                ReadEndRecord(blockStart + i, directoryOffset, directorySize, count))
                return true;
        }
        if (blockStart == searchStart)
            return false;
        blockEnd = blockStart + kEndSearchOverlap;
    }
}

ZRESULT CUnzipReader::ReadDirectory()
{
    char folder[MAX_PATH + 1] = {};
    const DWORD folderLength = ::GetCurrentDirectoryA(sizeof folder, folder);
    m_root = folderLength > 0 && folderLength < sizeof folder ? CString(folder) : CString();
    if (!m_root.IsEmpty() && m_root[m_root.GetLength() - 1] != '\\')
        m_root += '\\';

    uint32_t directoryOffset = 0;
    uint32_t directorySize = 0;
    uint32_t count = 0;
    if (!FindEndRecord(directoryOffset, directorySize, count))
        return kZipReadFailed;
    m_directoryOffset = directoryOffset;

    std::vector<BYTE> directory;
    try {
        directory.resize(directorySize);
        m_entries.reserve(count);
    } catch (const std::bad_alloc&) {
        return kZipNoMemory;
    }
    if (!ReadAt(directoryOffset, directory.data(), directorySize))
        return kZipReadFailed;

    ByteCursor cursor(directory.data(), directory.size());
    for (uint32_t i = 0; i < count; ++i) {
        const BYTE* header = nullptr;
        if (!cursor.ReadBytes(kZipCentralHeaderSize, header) || LoadZip32(header) != kZipCentralHeaderSignature)
            return kZipReadFailed;
        const uint16_t nameLength = LoadZip16(header + 28);
        const uint16_t extraLength = LoadZip16(header + 30);
        const uint16_t commentLength = LoadZip16(header + 32);
        const BYTE* name = nullptr;
        const BYTE* extra = nullptr;
        const BYTE* comment = nullptr;
        if (!cursor.ReadBytes(nameLength, name) || !cursor.ReadBytes(extraLength, extra) ||
            !cursor.ReadBytes(commentLength, comment))
            return kZipReadFailed;

        Entry entry;
        ZipItemInfo& info = entry.info;
        info.index = static_cast<int>(i);
        const BYTE* nameEnd = std::find(name, name + nameLength, '\0');
        info.name = CString(reinterpret_cast<LPCSTR>(name), static_cast<int>(nameEnd - name));
        info.flags = LoadZip16(header + 8);
        info.method = LoadZip16(header + 10);
        info.crc = LoadZip32(header + 16);
        info.compressedSize = LoadZip32(header + 20);
        info.uncompressedSize = LoadZip32(header + 24);
        info.attributes = AttributesOf(LoadZip16(header + 4), LoadZip32(header + 38), info.name);
        entry.localHeaderOffset = LoadZip32(header + 42);
        // The local header and the data come before the central directory.
        if (static_cast<uint64_t>(entry.localHeaderOffset) + kZipLocalHeaderSize + info.compressedSize >
            directoryOffset)
            return kZipReadFailed;
        ApplyDosTime(LoadZip16(header + 14), LoadZip16(header + 12), info);
        ApplyTimeExtra(extra, extraLength, info);
        m_entries.push_back(entry);
    }
    return kZipOk;
}

const ZipItemInfo* CUnzipReader::GetItem(int index) const
{
    if (index < 0 || index >= GetItemCount())
        return nullptr;
    return &m_entries[static_cast<size_t>(index)].info;
}

// Checks the item's local header and applies its "UT" field; gives where the data starts.
ZRESULT CUnzipReader::ReadLocalHeader(int index, ZipItemInfo& info, uint32_t& dataOffset)
{
    const Entry& entry = m_entries[static_cast<size_t>(index)];
    info = entry.info;
    BYTE header[kZipLocalHeaderSize];
    if (!ReadAt(entry.localHeaderOffset, header, sizeof header) || LoadZip32(header) != kZipLocalHeaderSignature)
        return kZipReadFailed;
    const uint16_t nameLength = LoadZip16(header + 26);
    const uint16_t extraLength = LoadZip16(header + 28);
    const uint64_t extraOffset = static_cast<uint64_t>(entry.localHeaderOffset) + kZipLocalHeaderSize + nameLength;
    const uint64_t start = extraOffset + extraLength;
    if (start + info.compressedSize > m_directoryOffset)
        return kZipReadFailed;
    std::vector<BYTE> extra(extraLength);
    if (!ReadAt(static_cast<uint32_t>(extraOffset), extra.data(), extraLength))
        return kZipReadFailed;
    ApplyTimeExtra(extra.data(), extra.size(), info);
    dataOffset = static_cast<uint32_t>(start);
    return kZipOk;
}

ZRESULT CUnzipReader::ReadItemInfo(int index, ZipItemInfo& info)
{
    if (index < 0 || index >= GetItemCount())
        return kZipBadArgument;
    uint32_t dataOffset = 0;
    return ReadLocalHeader(index, info, dataOffset);
}

// Starts the data stream of an item that is not a folder.
ZRESULT CUnzipReader::StartItem(int index, ZipItemInfo& info)
{
    m_stream.reset();
    uint32_t dataOffset = 0;
    const ZRESULT result = ReadLocalHeader(index, info, dataOffset);
    if (result != kZipOk)
        return result;
    if ((info.flags & kZipFlagEncrypted) ||
        (info.method != kZipMethodStored && info.method != kZipMethodDeflated))
        return kZipReadFailed;
    std::unique_ptr<ItemStream> stream(new (std::nothrow) ItemStream(*this, index, dataOffset, info));
    if (!stream)
        return kZipNoMemory;
    if (!stream->Start())
        return kZipReadFailed;
    m_stream = std::move(stream);
    return kZipOk;
}

ZRESULT CUnzipReader::Unzip(int index, void* target, DWORD length, DWORD kind)
{
    if (index < 0 || index >= GetItemCount() || target == nullptr)
        return kZipBadArgument;
    if (kind != kZipFromHandle && kind != kZipFromFileName && kind != kZipFromMemory)
        return kZipBadArgument;
    if (kind == kZipFromMemory && length == 0)
        return kZipBadArgument;

    // A memory extraction of the same item goes on where the last call stopped.
    if (kind == kZipFromMemory && m_stream && m_stream->Index() == index && !m_stream->IsFinished())
        return ExtractToMemory(static_cast<BYTE*>(target), length);

    m_stream.reset();
    const ZipItemInfo& item = m_entries[static_cast<size_t>(index)].info;
    if (item.attributes & FILE_ATTRIBUTE_DIRECTORY) {
        if (kind == kZipFromFileName) {
            const CString name = static_cast<LPCSTR>(target);
            if (!HasParentReference(name))
                CreateFoldersOnPath(TargetPath(name), true);
        }
        return kZipOk;
    }

    ZipItemInfo info;
    const ZRESULT started = StartItem(index, info);
    if (started != kZipOk)
        return started;
    switch (kind) {
    case kZipFromMemory:
        return ExtractToMemory(static_cast<BYTE*>(target), length);
    case kZipFromHandle:
        return ExtractToHandle(static_cast<HANDLE>(target));
    default:
        return ExtractToFile(static_cast<LPCSTR>(target), info);
    }
}

ZRESULT CUnzipReader::ExtractToMemory(BYTE* block, DWORD length)
{
    size_t produced = 0;
    if (!m_stream->Read(block, length, produced) || !m_stream->TryFinish()) {
        m_stream.reset();
        return kZipInternalError;
    }
    if (!m_stream->IsFinished())
        return kZipMoreData;
    m_stream.reset();
    return kZipOk;
}

ZRESULT CUnzipReader::ExtractToHandle(HANDLE file)
{
    std::vector<BYTE> buffer(kZipBlockSize);
    ZRESULT result = kZipOk;
    while (!m_stream->IsFinished()) {
        size_t produced = 0;
        DWORD written = 0;
        if (!m_stream->Read(buffer.data(), buffer.size(), produced) || (produced == 0 && !m_stream->IsFinished()) ||
            (produced > 0 && (!::WriteFile(file, buffer.data(), static_cast<DWORD>(produced), &written, nullptr) ||
                              written != produced))) {
            result = kZipReadFailed;
            break;
        }
    }
    m_stream.reset();
    return result;
}

// Relative names go under the folder that was current when the archive was opened.
CString CUnzipReader::TargetPath(const CString& target) const
{
    CString path = IsAbsolutePath(target) ? target : m_root + target;
    path.Replace('/', '\\');
    return path;
}

ZRESULT CUnzipReader::ExtractToFile(const CString& target, const ZipItemInfo& info)
{
    const CString path = TargetPath(target);
    if (!HasParentReference(target))
        CreateFoldersOnPath(path, false);

    // An existing read-only file is kept.
    const DWORD existing = ::GetFileAttributesA(path);
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY)) {
        m_stream.reset();
        return kZipCannotCreate;
    }
    DWORD attributes = info.attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    if (attributes == 0)
        attributes = FILE_ATTRIBUTE_NORMAL;
    ScopedHandle file(::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr));
    if (!file) {
        m_stream.reset();
        return kZipCannotCreate;
    }
    const ZRESULT result = ExtractToHandle(file.Get());
    if (result == kZipOk && info.hasTimes)
        ::SetFileTime(file.Get(), &info.created, &info.accessed, &info.modified);
    return result;
}

namespace {

CUnzipReader* ReaderOf(HZIP handle, ZRESULT& result)
{
    if (handle == nullptr) {
        result = kZipBadArgument;
        return nullptr;
    }
    if (handle->kind != kZipHandleReading) {
        result = kZipWrongHandleKind;
        return nullptr;
    }
    result = kZipOk;
    return static_cast<CUnzipReader*>(handle->archive.get());
}

} // namespace

HZIP OpenUnzipHandle(const void* source, DWORD length, DWORD kind)
{
    std::unique_ptr<CUnzipReader> reader(new (std::nothrow) CUnzipReader);
    std::unique_ptr<ZipHandleRecord> record(new (std::nothrow) ZipHandleRecord);
    if (!reader || !record) {
        SetLastUnzipResult(kZipNoMemory);
        return nullptr;
    }
    ZRESULT result = kZipBadArgument;
    switch (kind) {
    case kZipFromFileName:
        result = reader->OpenFileName(static_cast<LPCSTR>(source));
        break;
    case kZipFromHandle:
        result = reader->OpenHandle(static_cast<HANDLE>(const_cast<void*>(source)));
        break;
    case kZipFromMemory:
        result = reader->OpenMemory(source, length);
        break;
    default:
        break;
    }
    SetLastUnzipResult(result);
    if (result != kZipOk)
        return nullptr;
    record->kind = kZipHandleReading;
    record->archive = std::move(reader);
    return record.release();
}

ZRESULT UnzipItem(HZIP handle, int index, void* target, DWORD length, DWORD kind)
{
    ZRESULT result;
    CUnzipReader* reader = ReaderOf(handle, result);
    if (reader)
        result = reader->Unzip(index, target, length, kind);
    return SetLastUnzipResult(result);
}

ZRESULT CloseUnzipHandle(HZIP handle)
{
    ZRESULT result;
    CUnzipReader* reader = ReaderOf(handle, result);
    if (reader) {
        reader->Close();
        delete handle;
    }
    return SetLastUnzipResult(result);
}

bool IsUnzipHandle(HZIP handle)
{
    return handle == nullptr || handle->kind == kZipHandleReading;
}

CUnzipReader* GetUnzipReader(HZIP handle)
{
    ZRESULT result;
    return ReaderOf(handle, result);
}

ZRESULT GetLastUnzipResult()
{
    return g_lastUnzipResult;
}
