// Embedded-file test helpers: a plain base64 coder, File element contents and folder clean-up.
#pragma once

#include "corvel/project/zip_writer.h"
#include "framework/strings.h"
#include "support/temp_folder.h"

#include <windows.h>

#include <algorithm>
#include <string>

const char kBase64Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Standard base64 with "=" padding, on one line.
inline std::string Base64Encode(const std::string& bytes)
{
    std::string text;
    size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const uint32_t group = (static_cast<uint8_t>(bytes[i]) << 16) | (static_cast<uint8_t>(bytes[i + 1]) << 8) |
                               static_cast<uint8_t>(bytes[i + 2]);
        for (int shift = 18; shift >= 0; shift -= 6)
            text += kBase64Alphabet[(group >> shift) & 63];
    }
    const size_t left = bytes.size() - i;
    if (left > 0) {
        uint32_t group = static_cast<uint8_t>(bytes[i]) << 16;
        if (left == 2)
            group |= static_cast<uint8_t>(bytes[i + 1]) << 8;
        text += kBase64Alphabet[(group >> 18) & 63];
        text += kBase64Alphabet[(group >> 12) & 63];
        text += left == 2 ? kBase64Alphabet[(group >> 6) & 63] : '=';
        text += '=';
    }
    return text;
}

// Strict decoding of an unbroken base64 text; false on anything else.
inline bool Base64Decode(const std::string& text, std::string& bytes)
{
    bytes.clear();
    if (text.size() % 4 != 0)
        return false;
    for (size_t i = 0; i < text.size(); i += 4) {
        uint32_t group = 0;
        int padding = 0;
        for (size_t k = 0; k < 4; ++k) {
            const char c = text[i + k];
            if (c == '=' && i + 4 == text.size() && k >= 2) {
                ++padding;
                group <<= 6;
                continue;
            }
            const char* at = c == '\0' || padding > 0 ? nullptr : strchr(kBase64Alphabet, c);
            if (at == nullptr)
                return false;
            group = (group << 6) | static_cast<uint32_t>(at - kBase64Alphabet);
        }
        bytes += static_cast<char>(group >> 16);
        if (padding < 2)
            bytes += static_cast<char>(group >> 8);
        if (padding < 1)
            bytes += static_cast<char>(group);
    }
    return true;
}

// The content a File element holds for the archive: a line feed, the text with a
// line feed after every 72 characters of complete groups (every 54 bytes), then
// the padded last group, if any, and a line feed.
inline std::string FileElementContent(const std::string& archive)
{
    const std::string text = Base64Encode(archive);
    const size_t complete = archive.size() / 3 * 4;
    std::string content = "\n";
    for (size_t i = 0; i < complete; i += 72) {
        content += text.substr(i, std::min<size_t>(72, complete - i));
        if (i + 72 <= complete)
            content += '\n';
    }
    return content + text.substr(complete) + "\n";
}

// A one-item archive "testFile" of the bytes, built in memory.
inline std::string OneItemArchive(const std::string& bytes)
{
    HZIP zip = CreateZipHandle(nullptr, 1000, kZipFromMemory);
    ZipAddItem(zip, "testFile", bytes.data(), static_cast<DWORD>(bytes.size()), kZipFromMemory);
    void* buffer = nullptr;
    DWORD length = 0;
    GetZipBuffer(zip, &buffer, &length);
    const std::string archive(static_cast<const char*>(buffer), length);
    CloseZipHandle(zip);
    return archive;
}

inline bool FolderExists(const CString& path)
{
    const DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

inline bool PathExists(const CString& path)
{
    return ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}
