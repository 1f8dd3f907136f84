// scldump FILE [IEDNAME] | scldump --header FILE: prints what the project's loaders read from an SCL file.
#include "tools/scldump/scl_dump.h"

#include <cstdio>
#include <vector>

namespace {

// Messages for the user go to the error output.
void PrintMessage(const CString& text)
{
    fprintf(stderr, "%s\n", (LPCSTR)text);
}

int Usage()
{
    fprintf(stderr, "usage: scldump FILE [IEDNAME]\n       scldump --header FILE\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3)
        return Usage();
    const bool header = CString(argv[1]) == "--header";
    if (header && argc != 3)
        return Usage();
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        fprintf(stderr, "scldump: COM cannot be started\n");
        return 1;
    }
    int result = 0;
    std::string out;
    CString error;
    const CString path = header ? argv[2] : argv[1];
    if (header) {
        if (!DumpSclHeader(path, out, error)) {
            fprintf(stderr, "%s\n", (LPCSTR)error);
            result = 1;
        }
    } else if (argc == 2) {
        if (!DumpSclTypes(path, out, error)) {
            fprintf(stderr, "%s\n", (LPCSTR)error);
            result = 1;
        }
    } else {
        std::vector<CString> messages;
        const bool dumped = DumpIedModel(path, argv[2], out, error, messages);
        for (const CString& message : messages)
            PrintMessage(message);
        if (!dumped) {
            if (!error.IsEmpty())
                fprintf(stderr, "%s\n", (LPCSTR)error);
            result = 1;
        }
    }
    if (result == 0)
        fwrite(out.data(), 1, out.size(), stdout);
    ::CoUninitialize();
    return result;
}
