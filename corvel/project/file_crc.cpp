#include "corvel/project/file_crc.h"

#include "framework/handles.h"

#include <array>
#include <memory>

namespace {

// Read size of the CRC over a file.
constexpr DWORD kCrcReadBytes = 64 * 1024;

// CRC-16/ARC: polynomial 0x8005 bit-reversed, initial value 0, no final XOR.
constexpr unsigned kCrc16Polynomial = 0xA001;

constexpr unsigned Crc16OfByte(unsigned value)
{
    for (int bit = 0; bit < 8; ++bit)
        value = (value & 1) ? (value >> 1) ^ kCrc16Polynomial : value >> 1;
    return value;
}

// The byte table splits into one table per nibble, the CRC being linear.
constexpr std::array<unsigned short, 16> MakeNibbleTable(int shift)
{
    std::array<unsigned short, 16> table = {};
    for (unsigned n = 0; n < 16; ++n)
        table[n] = static_cast<unsigned short>(Crc16OfByte(n << shift));
    return table;
}

constexpr std::array<unsigned short, 16> kLowNibbleTable = MakeNibbleTable(0);
constexpr std::array<unsigned short, 16> kHighNibbleTable = MakeNibbleTable(4);


uint32_t Reflect(uint32_t value, int bits)
{
    uint32_t out = 0;
    for (int i = 0; i < bits; ++i)
        if (value & (1u << i))
            out |= 1u << (bits - 1 - i);
    return out;
}

} // namespace

CFileCrc32::CFileCrc32()
{
    const uint32_t polynomial = 0x04C11DB7;
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t v = Reflect(i, 8) << 24;
        for (int bit = 0; bit < 8; ++bit)
            v = (v << 1) ^ ((v & 0x80000000u) ? polynomial : 0);
        m_table[i] = Reflect(v, 32);
    }
}

uint32_t CFileCrc32::Update(uint32_t crc, const void* data, size_t size) const
{
    const BYTE* bytes = static_cast<const BYTE*>(data);
    crc = ~crc;
    for (size_t i = 0; i < size; ++i)
        crc = (crc >> 8) ^ m_table[(crc ^ bytes[i]) & 0xFF];
    return ~crc;
}

CString CFileCrc32::ComputeFileCrc32()
{
    m_failure.Empty();
    if (m_fileName.IsEmpty())
        return CString();

    HANDLE file = CreateFileA(m_fileName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        m_failure.Format("Failed to open file %s.", (LPCTSTR)m_fileName);
        return CString();
    }

    LARGE_INTEGER size = {};
    bool ok = GetFileSizeEx(file, &size) != 0 && size.HighPart == 0 && size.LowPart < 0x80000000u;
    DWORD length = ok ? size.LowPart : 0;
    std::unique_ptr<BYTE[]> buffer(ok ? new (std::nothrow) BYTE[length ? length : 1] : nullptr);
    DWORD got = 0;
    ok = ok && buffer && (length == 0 || (ReadFile(file, buffer.get(), length, &got, nullptr) && got == length));
    CloseHandle(file);
    if (!ok) {
        m_failure.Format("Failed to read file %s.", (LPCTSTR)m_fileName);
        return CString();
    }

    m_result.Format("%x", Update(0, buffer.get(), length));
    return m_result;
}

unsigned UpdateCrc16(unsigned crc, const void* data, size_t size)
{
    const BYTE* bytes = static_cast<const BYTE*>(data);
    for (size_t i = 0; i < size; ++i) {
        const unsigned index = (crc ^ bytes[i]) & 0xFF;
        crc = (crc >> 8) ^ kLowNibbleTable[index & 0x0F] ^ kHighNibbleTable[index >> 4];
    }
    return crc & 0xFFFF;
}

unsigned ComputeFileCrc16(const CString& path)
{
    constexpr unsigned kUnreadable = 0xFFFF;
    ScopedHandle file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file)
        return kUnreadable;
    const std::unique_ptr<BYTE[]> block(new BYTE[kCrcReadBytes]);
    unsigned crc = 0;
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file.Get(), block.get(), kCrcReadBytes, &got, nullptr))
            return kUnreadable;
        if (got == 0)
            return crc;
        crc = UpdateCrc16(crc, block.get(), got);
    }
}
