// CDiagMsg, the frame header helpers and frame limits: the binary frames that carry a configuration file over the text service.
#pragma once

#include <windows.h>

// Frame header: magic, total length, type, flag; 16-bit little-endian each.
constexpr WORD kFrameMagic = 0xDAFE;
constexpr UINT kFrameHeaderBytes = 8;
constexpr UINT kMaxFrameBodyBytes = 4096;
constexpr UINT kMaxFrameBytes = kFrameHeaderBytes + kMaxFrameBodyBytes;
// Frame types.
constexpr WORD kFrameBeginFile = 1;
constexpr WORD kFrameFileData = 2;
// Flag of a file's frames: the last one carries 1. In answers to a download: 0 accepted, else refused.
constexpr WORD kFrameLast = 1;
constexpr WORD kFrameAccepted = 0;

// One frame: header fields and up to 4096 bytes of body.
class CDiagMsg {
public:
    CDiagMsg() = default;
    virtual ~CDiagMsg() = default;

    WORD magic = kFrameMagic;
    WORD length = kFrameHeaderBytes;
    WORD type = 0;
    WORD flag = 0;
    BYTE body[kMaxFrameBodyBytes] = {};

    UINT BodyLength() const { return length > kFrameHeaderBytes ? length - kFrameHeaderBytes : 0; }
};

// Whether a frame may be this long: the header alone up to a full body.
inline bool IsValidFrameLength(UINT length)
{
    return length >= kFrameHeaderBytes && length <= kMaxFrameBytes;
}

// The header's eight bytes in wire order.
inline void EncodeFrameHeader(WORD length, WORD type, WORD flag, BYTE* out)
{
    const WORD fields[] = {kFrameMagic, length, type, flag};
    for (int i = 0; i < 4; ++i) {
        out[2 * i] = static_cast<BYTE>(fields[i] & 0xFF);
        out[2 * i + 1] = static_cast<BYTE>(fields[i] >> 8);
    }
}

// Reads the header fields of a frame from its first eight bytes.
inline void DecodeFrameHeader(const BYTE* in, CDiagMsg& frame)
{
    WORD* fields[] = {&frame.magic, &frame.length, &frame.type, &frame.flag};
    for (int i = 0; i < 4; ++i)
        *fields[i] = static_cast<WORD>(in[2 * i] | (in[2 * i + 1] << 8));
}
