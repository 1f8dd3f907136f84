// Zip test helpers: field access, hand-built archives, raw deflate, memory archives and extraction to a string.
#pragma once

#include "corvel/project/zip_reader.h"
#include "corvel/project/zip_writer.h"

#include <zlib.h>

#include <initializer_list>
#include <string>
#include <vector>

inline uint16_t Field16(const std::string& bytes, size_t offset)
{
    return offset + 2 <= bytes.size() ? LoadZip16(reinterpret_cast<const BYTE*>(bytes.data()) + offset) : 0xDEAD;
}

inline uint32_t Field32(const std::string& bytes, size_t offset)
{
    return offset + 4 <= bytes.size() ? LoadZip32(reinterpret_cast<const BYTE*>(bytes.data()) + offset) : 0xDEADBEEF;
}

inline uint32_t Crc32Of(const std::string& bytes)
{
    return crc32(crc32(0, Z_NULL, 0), reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size()));
}

// A raw Deflate stream (no zlib header) of the bytes.
inline std::string RawDeflate(const std::string& bytes)
{
    z_stream z = {};
    deflateInit2(&z, 6, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, static_cast<uLong>(bytes.size())) + 16, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    z.avail_in = static_cast<uInt>(bytes.size());
    z.next_out = reinterpret_cast<Bytef*>(&out[0]);
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

// Deterministic bytes that do not compress.
inline std::string NoiseBytes(size_t size, uint32_t seed)
{
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        seed = seed * 1664525u + 1013904223u;
        c = static_cast<char>(seed >> 24);
    }
    return bytes;
}

inline void AppendField16(std::string& out, uint16_t value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

inline void AppendField32(std::string& out, uint32_t value)
{
    AppendField16(out, static_cast<uint16_t>(value));
    AppendField16(out, static_cast<uint16_t>(value >> 16));
}

// A "UT" extra field with the given flags and times.
inline std::string TimeExtra(uint8_t flags, std::initializer_list<uint32_t> times)
{
    std::string extra;
    AppendField16(extra, kZipTimeExtraTag);
    AppendField16(extra, static_cast<uint16_t>(1 + 4 * times.size()));
    extra += static_cast<char>(flags);
    for (uint32_t time : times)
        AppendField32(extra, time);
    return extra;
}

// Builds archives byte by byte, for layouts the writer never makes.
class ZipArchiveBuilder {
public:
    struct Item {
        std::string name;
        std::string content;
        uint16_t method = kZipMethodStored;
        uint16_t dosTime = 0x6000; // 12:00:00
        uint16_t dosDate = 0x5021; // 2020-01-01
        std::string localExtra;
        std::string centralExtra;
        uint32_t externalAttributes = 0;
        uint16_t versionMadeBy = 20;
        uint16_t flags = 0;
        // Replaces the data and the CRC that the content would give, when set.
        std::string rawData;
        bool hasRawData = false;
        bool hasWrongCrc = false;
    };

    void Add(const Item& item) { m_items.push_back(item); }

    std::string Build(const std::string& comment = std::string()) const
    {
        std::string archive;
        std::string directory;
        for (const Item& item : m_items) {
            std::string data = item.method == kZipMethodDeflated ? RawDeflate(item.content) : item.content;
            if (item.hasRawData)
                data = item.rawData;
            const uint32_t offset = static_cast<uint32_t>(archive.size());
            const uint32_t crc = Crc32Of(item.content) ^ (item.hasWrongCrc ? 1u : 0u);
            AppendField32(archive, kZipLocalHeaderSignature);
            AppendField16(archive, 20);
            AppendField16(archive, item.flags);
            AppendField16(archive, item.method);
            AppendField16(archive, item.dosTime);
            AppendField16(archive, item.dosDate);
            AppendField32(archive, crc);
            AppendField32(archive, static_cast<uint32_t>(data.size()));
            AppendField32(archive, static_cast<uint32_t>(item.content.size()));
            AppendField16(archive, static_cast<uint16_t>(item.name.size()));
            AppendField16(archive, static_cast<uint16_t>(item.localExtra.size()));
            archive += item.name + item.localExtra + data;

            AppendField32(directory, kZipCentralHeaderSignature);
            AppendField16(directory, item.versionMadeBy);
            AppendField16(directory, 20);
            AppendField16(directory, item.flags);
            AppendField16(directory, item.method);
            AppendField16(directory, item.dosTime);
            AppendField16(directory, item.dosDate);
            AppendField32(directory, crc);
            AppendField32(directory, static_cast<uint32_t>(data.size()));
            AppendField32(directory, static_cast<uint32_t>(item.content.size()));
            AppendField16(directory, static_cast<uint16_t>(item.name.size()));
            AppendField16(directory, static_cast<uint16_t>(item.centralExtra.size()));
            AppendField16(directory, 0);
            AppendField16(directory, 0);
            AppendField16(directory, 0);
            AppendField32(directory, item.externalAttributes);
            AppendField32(directory, offset);
            directory += item.name + item.centralExtra;
        }
        const uint32_t directoryOffset = static_cast<uint32_t>(archive.size());
        archive += directory;
        AppendField32(archive, kZipEndRecordSignature);
        AppendField16(archive, 0);
        AppendField16(archive, 0);
        AppendField16(archive, static_cast<uint16_t>(m_items.size()));
        AppendField16(archive, static_cast<uint16_t>(m_items.size()));
        AppendField32(archive, static_cast<uint32_t>(directory.size()));
        AppendField32(archive, directoryOffset);
        AppendField16(archive, static_cast<uint16_t>(comment.size()));
        return archive + comment;
    }

private:
    std::vector<Item> m_items;
};

// Copies the finished archive out of a memory handle.
inline std::string ZipBufferBytes(HZIP zip)
{
    void* buffer = nullptr;
    DWORD length = 0;
    if (GetZipBuffer(zip, &buffer, &length) != kZipOk)
        return std::string();
    return std::string(static_cast<const char*>(buffer), length);
}

// Extracts one item to memory, block by block; result gets the last code.
inline std::string ExtractToString(HZIP zip, int index, ZRESULT& result, DWORD blockSize = 4096)
{
    std::string out;
    std::vector<char> block(blockSize);
    const ZipItemInfo* info = GetUnzipReader(zip) ? GetUnzipReader(zip)->GetItem(index) : nullptr;
    const size_t expected = info ? info->uncompressedSize : 0;
    do {
        result = UnzipItem(zip, index, block.data(), blockSize, kZipFromMemory);
        if (result != kZipOk && result != kZipMoreData)
            break;
        // Every block is full but the last, which holds what is left of the item.
        const size_t size = result == kZipMoreData ? blockSize : std::min<size_t>(blockSize, expected - out.size());
        out.append(block.data(), size);
    } while (result == kZipMoreData && out.size() <= expected);
    return out;
}
