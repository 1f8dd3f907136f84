// monitorcli ADDRESS OPERATION: runs one operation of Ostrel's module client against a module and prints its result.
//
// Usage:
//   monitorcli ADDRESS reachable | drivers | eventlog | get TAG | values TAG... | set TAG VALUE | upload
//                    | download FILE | reboot
// Every operation uses the module's TCP text service (port 8000), as Ostrel does. Like Ostrel, monitorcli takes
// the socket's notifications through a window of its own: run it where a display is set.
//
// Output on success (exit code 0), one entry per line:
//   reachable  reachable
//   drivers    NAME RESOURCE                        (as Ostrel writes RunningDrivers.txt)
//   eventlog   DATETIME LEVEL SOURCE RESOURCE MESSAGEID MESSAGE [VALUE...]
//                                                   (as Ostrel writes EventLogCache.txt)
//   get        NAME = VALUE                         for each tag of the reply
//   values     NAME = VALUE                         for each tag of the reply, in its order
//   set        set TAG = VALUE
//   upload     uploaded current-ADDRESS.xml (N bytes)   (the file is written in the current folder)
//   download   downloaded FILE (N bytes, CRC16 XXXX)
//   reboot     rebooting
// On failure one line of error text on the error output and exit code 1
// (2 for a wrong command line): "Error: " and what the client found wrong, such as
//   Error: no answer from the module at ADDRESS
//   Error: the module at ADDRESS answered with something that is not XML: BYTES
//   Error: the module at ADDRESS answered <error>...</error>
//   Error: the module at ADDRESS did not end its reply within N s
//   Error: the module at ADDRESS sent a frame without its magic: BYTES
//   Error: the value of TAG would change the request (it holds "&" or "=")
//   Error: the module at ADDRESS refused the configuration: REASON
//   Error: FILE cannot be read
// Windows Sockets 2 before anything that brings in windows.h.
#include "framework/socket.h"

#include "corvel/project/file_crc.h"
#include "framework/msgbox.h"
#include "ostrel/monitor/diagnostic_tcp_client.h"
#include "ostrel/monitor/monitor_limits.h"
#include "ostrel/monitor/tag_database.h"
#include "tools/common/module_tool_output.h"

#include <objbase.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

int Usage()
{
    fprintf(stderr, "usage: monitorcli ADDRESS reachable | drivers | eventlog | get TAG | values TAG... | set TAG VALUE\n"
                    "                          | upload | download FILE | reboot\n");
    return 2;
}

// The error line of a failed operation: what the client found wrong.
CString Failure(const CDiagnosticClient& client, const CString& address)
{
    return client.GetFailureText().IsEmpty() ? NoAnswer(address) : "Error: " + client.GetFailureText();
}

int PrintLines(const std::vector<CString>& lines)
{
    for (const CString& line : lines)
        printf("%s\n", (LPCSTR)line);
    return 0;
}

int PrintValues(const DomDocumentPtr& reply)
{
    for (const auto& [name, value] : TagValuesOfReply(reply))
        printf("%s = %s\n", (LPCSTR)name, (LPCSTR)value);
    return 0;
}

LONGLONG FileSize(const CString& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!::GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The operations and how many words (the operation's included) each takes.
struct Operation {
    const char* name;
    size_t minimumWords;
    size_t maximumWords;
};
const Operation kOperations[] = {{"reachable", 1, 1}, {"drivers", 1, 1}, {"eventlog", 1, 1},
                                 {"get", 2, 2},       {"values", 2, SIZE_MAX}, {"set", 3, 3},
                                 {"upload", 1, 1},    {"download", 2, 2},      {"reboot", 1, 1}};

bool IsKnownCommand(const std::vector<CString>& args)
{
    for (const Operation& operation : kOperations) {
        if (args[0] == operation.name)
            return args.size() >= operation.minimumWords && args.size() <= operation.maximumWords;
    }
    return false;
}

// Runs the operation named by args; the exit code.
int Run(const CString& address, const std::vector<CString>& args)
{
    if (!IsKnownCommand(args))
        return Usage();
    if (!AfxSocketInit())
        return Fail("monitorcli: Windows Sockets cannot be started");
    const CString& operation = args[0];
    const size_t count = args.size();
    CDiagnosticTcpClient client;
    if (client.IsReachable(address) != 1)
        return Fail(Failure(client, address));

    DomDocumentPtr reply;
    if (operation == "reachable") {
        printf("reachable\n");
        return 0;
    }
    if (operation == "drivers") {
        if (client.GetRunningDrivers(reply) != kMonitorSuccess)
            return Fail(Failure(client, address));
        return PrintLines(RunningDriverLines(reply));
    }
    if (operation == "eventlog") {
        if (client.GetEventLogCache(reply) != kMonitorSuccess)
            return Fail(Failure(client, address));
        return PrintLines(EventLogLines(reply));
    }
    if (operation == "get") {
        if (client.GetTagValue(args[1], reply) != kMonitorSuccess)
            return Fail(Failure(client, address));
        return PrintValues(reply);
    }
    if (operation == "values") {
        CString list;
        for (size_t i = 1; i < count; ++i)
            list += TagListItem(static_cast<int>(i - 1), args[i]);
        if (client.GetTagsValue(static_cast<int>(count - 1), list, reply) != kMonitorSuccess)
            return Fail(Failure(client, address));
        return PrintValues(reply);
    }
    if (operation == "set") {
        const int result = client.SetTagValue(args[1], args[2]);
        if (result == kMonitorInvalidValue)
            return Fail("Error: the value of " + args[1] + " would change the request (it holds \"&\" or \"=\")");
        if (result != kMonitorSuccess)
            return Fail(Failure(client, address));
        printf("set %s = %s\n", (LPCSTR)args[1], (LPCSTR)args[2]);
        return 0;
    }
    if (operation == "upload") {
        if (client.UploadConfig(reply) != kMonitorSuccess)
            return Fail(Failure(client, address));
        const CString file = "current-" + address + ".xml";
        printf("uploaded %s (%lld bytes)\n", (LPCSTR)file, FileSize(file));
        return 0;
    }
    if (operation == "download") {
        if (FileSize(args[1]) < 0)
            return Fail("Error: " + args[1] + " cannot be read");
        const unsigned crc = ComputeFileCrc16(args[1]);
        const int result = client.DownloadConfig(crc, args[1]);
        if (!client.GetRefusal().IsEmpty())
            return Fail("Error: the module at " + address + " refused the configuration: " + client.GetRefusal());
        if (result != kMonitorSuccess)
            return Fail(Failure(client, address));
        printf("downloaded %s (%lld bytes, CRC16 %04X)\n", (LPCSTR)args[1], FileSize(args[1]), crc);
        return 0;
    }
    if (client.RebootModule() != kMonitorSuccess)
        return Fail(Failure(client, address));
    printf("rebooting\n");
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    return RunModuleTool(argc, argv, "monitorcli", Usage, Run);
}
