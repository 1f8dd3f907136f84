// CFileCrc32, ComputeFileCrc16, UpdateCrc16: CRC-32 of a whole file as lower-case hexadecimal text, and the module configuration's CRC-16.
#pragma once
#include "framework/core.h"

#include <cstdint>

class CFileCrc32
{
public:
    CFileCrc32();

    void SetFileName(const CString& fileName) { m_fileName = fileName; }
    // Reads the whole file; returns the checksum text, or "" with the failure in GetFailure().
    CString ComputeFileCrc32();
    // Why the last ComputeFileCrc32 gave no checksum ("Failed to open file <path>."), or "".
    const CString& GetFailure() const { return m_failure; }
    // CRC-32 (ISO-HDLC) of a block, continuing from a previous value (0 to start).
    uint32_t Update(uint32_t crc, const void* data, size_t size) const;

private:
    uint32_t m_table[256];
    CString m_result;
    CString m_fileName;
    CString m_failure;
};

// CRC-16/ARC (reflected polynomial 0xA001, initial value 0) of the whole file, as the module checks a
// downloaded configuration: 65535 (0xFFFF) when it cannot be read.
unsigned ComputeFileCrc16(const CString& path);
// CRC-16/ARC of a block, continuing from crc (0 to start).
unsigned UpdateCrc16(unsigned crc, const void* data, size_t size);
