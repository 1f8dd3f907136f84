#include "aubrel/app_version.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Fewer separators than this mean the last part is a build number.
constexpr int kSeparatorsOfFullVersion = 4;

CString VersionError(DWORD error)
{
    CString text;
    text.Format("GetFileVersionInfo Error is %d", static_cast<int>(error));
    return text;
}

} // namespace

CString FormatProductVersion(CString version)
{
    const int separators = version.Replace(", ", ".");
    if (separators < kSeparatorsOfFullVersion && version.Find('.', 1) >= 0) {
        const int last = version.ReverseFind('.');
        version = version.Left(last) + " Build " + version.Mid(last + 1);
    }
    return version;
}

AppVersion ReadAppVersion(HMODULE module)
{
    AppVersion result;
    char fileName[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(module, fileName, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        result.text = VersionError(length == 0 ? ::GetLastError() : ERROR_INSUFFICIENT_BUFFER);
        return result;
    }
    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(fileName, &handle);
    if (size == 0)
        return result;
    std::vector<BYTE> block(size);
    if (!::GetFileVersionInfoA(fileName, 0, size, block.data())) {
        result.text = VersionError(::GetLastError());
        return result;
    }
    LPVOID value = nullptr;
    UINT valueLength = 0;
    if (!::VerQueryValueA(block.data(), kProductVersionKey, &value, &valueLength) || value == nullptr) {
        result.text = VersionError(::GetLastError());
        return result;
    }
    const auto* text = static_cast<const char*>(value);
    result.text = FormatProductVersion(CString(text, static_cast<int>(strnlen(text, valueLength))));
    result.read = true;
    return result;
}

void CopyVersionText(LPSTR buffer, const CString& text)
{
    const size_t length = std::min<size_t>(static_cast<size_t>(text.GetLength()), kVersionBufferSize - 1);
    memcpy(buffer, text.GetString(), length);
    buffer[length] = '\0';
}
