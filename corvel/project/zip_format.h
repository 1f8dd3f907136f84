// Zip archive layouts, result codes, handle kinds and the handle record shared by the zip writer and reader.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>

using ZRESULT = DWORD;

// Result codes of both sides.
constexpr ZRESULT kZipOk = 0;
constexpr ZRESULT kZipCannotCreate = 0x200;      // a file could not be created or opened
constexpr ZRESULT kZipNoMemory = 0x300;          // memory could not be obtained
constexpr ZRESULT kZipWriteFailed = 0x400;       // writing or compressing failed
constexpr ZRESULT kZipReadFailed = 0x400;        // reading, decompressing or a damaged record
constexpr ZRESULT kZipMoreData = 0x600;          // memory target: more data remains
constexpr ZRESULT kZipBadArgument = 0x10000;     // null handle, unknown kind, index out of range
constexpr ZRESULT kZipNotInMemory = 0x20000;     // buffer asked of an archive not built in memory
constexpr ZRESULT kZipMemorySize = 0x30000;      // zero capacity, or a seek beyond the written length
constexpr ZRESULT kZipFailedEarlier = 0x40000;
constexpr ZRESULT kZipAlreadyFinished = 0x50000;
constexpr ZRESULT kZipSourceShort = 0x60000;     // the source gave fewer bytes than it announced
constexpr ZRESULT kZipWrongHandleKind = 0x80000;
constexpr ZRESULT kZipNotInitialised = 0x1000000;
constexpr ZRESULT kZipCannotSeek = 0x2000000;
constexpr ZRESULT kZipMethodChanged = 0x4000000;
constexpr ZRESULT kZipInternalError = 0x5000000; // the compressor or decompressor failed

// Handle kinds.
constexpr DWORD kZipHandleReading = 1;
constexpr DWORD kZipHandleWriting = 2;

// Source and target kinds.
constexpr DWORD kZipFromHandle = 1;
constexpr DWORD kZipFromFileName = 2;
constexpr DWORD kZipFromMemory = 3;
constexpr DWORD kZipFromFolder = 4;

// Record signatures and fixed sizes.
constexpr uint32_t kZipLocalHeaderSignature = 0x04034b50;
constexpr uint32_t kZipCentralHeaderSignature = 0x02014b50;
constexpr uint32_t kZipEndRecordSignature = 0x06054b50;
constexpr uint32_t kZipDataDescriptorSignature = 0x08074b50;
constexpr uint32_t kZipLocalHeaderSize = 30;
constexpr uint32_t kZipCentralHeaderSize = 46;
constexpr uint32_t kZipEndRecordSize = 22;
constexpr uint32_t kZipDataDescriptorSize = 16;
constexpr uint32_t kZipMaxCommentLength = 65535;
constexpr uint32_t kZipMaxEntries = 65535;

// Header field values.
constexpr uint16_t kZipVersionNeeded = 20;
constexpr uint16_t kZipVersionMadeBy = 0x0B17;   // platform 11, version 2.3
constexpr uint16_t kZipFlagEncrypted = 0x0001;
constexpr uint16_t kZipFlagDataDescriptor = 0x0008;
constexpr uint16_t kZipMethodStored = 0;
constexpr uint16_t kZipMethodDeflated = 8;
constexpr uint16_t kZipHostUnix = 3;

// The "UT" extra field: flags, then one 32-bit Unix time per flag.
constexpr uint16_t kZipTimeExtraTag = 0x5455;
constexpr uint16_t kZipTimeModified = 1;
constexpr uint16_t kZipTimeAccessed = 2;
constexpr uint16_t kZipTimeCreated = 4;
constexpr uint16_t kZipTimeAll = 7;
constexpr uint16_t kZipLocalTimeExtraSize = 13;   // flags + three times
constexpr uint16_t kZipCentralTimeExtraSize = 5;  // flags + last-write time
constexpr uint16_t kZipExtraHeaderSize = 4;

// External attributes: the Win32 bits and the owner-execute bit of the high word.
constexpr uint32_t kZipOwnerExecute = 0x400000;
constexpr uint32_t kZipUnixDirectoryMode = 0040000;
constexpr uint32_t kZipUnixFileTypeMask = 0170000;
constexpr uint32_t kZipUnixOwnerWrite = 0200;

// Sources are read and (de)compressed in blocks of this size.
constexpr size_t kZipBlockSize = 16384;
// Deflate settings: level 8 with its lazy-matching configuration.
constexpr int kZipDeflateLevel = 8;
constexpr int kZipDeflateWindowBits = 15;
constexpr int kZipDeflateMemoryLevel = 8;
constexpr int kZipTuneGoodLength = 32;
constexpr int kZipTuneLazyMatch = 128;
constexpr int kZipTuneNiceLength = 258;
constexpr int kZipTuneMaxChain = 1024;

// The archive object behind a handle: a writer or a reader.
class ZipArchiveObject {
public:
    virtual ~ZipArchiveObject() = default;
};

// A handle: its kind (reading or writing) and the archive object.
struct ZipHandleRecord {
    DWORD kind = 0;
    std::unique_ptr<ZipArchiveObject> archive;
};
using HZIP = ZipHandleRecord*;

// Little-endian fields.
inline uint16_t LoadZip16(const BYTE* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline uint32_t LoadZip32(const BYTE* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

inline BYTE* StoreZip16(BYTE* p, uint16_t value)
{
    p[0] = static_cast<BYTE>(value);
    p[1] = static_cast<BYTE>(value >> 8);
    return p + 2;
}

inline BYTE* StoreZip32(BYTE* p, uint32_t value)
{
    p[0] = static_cast<BYTE>(value);
    p[1] = static_cast<BYTE>(value >> 8);
    p[2] = static_cast<BYTE>(value >> 16);
    p[3] = static_cast<BYTE>(value >> 24);
    return p + 4;
}

// FILETIME (100 ns since 1601, UTC) and Unix seconds.
constexpr uint64_t kFileTimeUnixEpoch = 116444736000000000ull;
constexpr uint64_t kFileTimeTicksPerSecond = 10000000ull;

inline uint64_t FileTimeToTicks(const FILETIME& time)
{
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

inline FILETIME TicksToFileTime(uint64_t ticks)
{
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(ticks);
    time.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return time;
}

// Clamped to the 32-bit range of the "UT" field.
inline uint32_t FileTimeToUnixTime(const FILETIME& time)
{
    const uint64_t ticks = FileTimeToTicks(time);
    if (ticks <= kFileTimeUnixEpoch)
        return 0;
    const uint64_t seconds = (ticks - kFileTimeUnixEpoch) / kFileTimeTicksPerSecond;
    return seconds > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<uint32_t>(seconds);
}

inline FILETIME UnixTimeToFileTime(uint32_t seconds)
{
    return TicksToFileTime(kFileTimeUnixEpoch + seconds * kFileTimeTicksPerSecond);
}
