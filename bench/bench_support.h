// Timing, memory and the bare XmlLite read that the benchmarks compare against.
#pragma once

#include "framework/core.h"

#include <objbase.h>
#include <psapi.h>
#include <shlwapi.h>
#include <xmllite.h>

#include <cstdio>
#include <string>

// Seconds since an arbitrary start.
inline double Seconds()
{
    LARGE_INTEGER frequency;
    LARGE_INTEGER now;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double PeakWorkingSetMiB()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters))
        return 0;
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

// Reads every node and attribute of the file with XmlLite; the number of elements, or -1 on failure.
inline long ReadWithXmlLite(const CString& path)
{
    IStream* stream = nullptr;
    if (FAILED(::SHCreateStreamOnFileA(path, STGM_READ | STGM_SHARE_DENY_WRITE, &stream)))
        return -1;
    IXmlReader* reader = nullptr;
    if (FAILED(::CreateXmlReader(__uuidof(IXmlReader), reinterpret_cast<void**>(&reader), nullptr))) {
        stream->Release();
        return -1;
    }
    long elements = 0;
    reader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit);
    if (SUCCEEDED(reader->SetInput(stream))) {
        XmlNodeType type;
        while (reader->Read(&type) == S_OK) {
            if (type != XmlNodeType_Element)
                continue;
            ++elements;
            for (HRESULT hr = reader->MoveToFirstAttribute(); hr == S_OK; hr = reader->MoveToNextAttribute()) {
                LPCWSTR value = nullptr;
                reader->GetValue(&value, nullptr);
            }
        }
    }
    reader->Release();
    stream->Release();
    return elements;
}

inline void WriteWholeFile(const CString& path, const std::string& text)
{
    FILE* file = fopen(path, "wb");
    if (file == nullptr)
        return;
    fwrite(text.data(), 1, text.size(), file);
    fclose(file);
}

// A path in the temporary folder.
inline CString TempFilePath(LPCSTR name)
{
    char folder[MAX_PATH + 1] = {};
    ::GetTempPathA(MAX_PATH, folder);
    return CString(folder) + name;
}
