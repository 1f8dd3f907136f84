// modcli ADDRESS OPERATION: runs one operation of the module clients against a module and prints what it read.
//
// Usage:
//   modcli ADDRESS test | prodinfo | drivers | index [RESOURCE DRIVER] | values CODE [RESOURCE DRIVER]
//                | eventlog | save FILE NAME | read FILE | shutdown
// RESOURCE and DRIVER default to SYSTEM and MCP. test, prodinfo, drivers,
// index, values and eventlog use the TCP text service (port 8000); save,
// read and shutdown the web service (port 80).
//
// Output on success (exit code 0), one entry per line:
//   test      connected
//   prodinfo  product VQN32      (or VQN31: the model the download tells apart)
//   drivers   NAME RESOURCE
//   index     CODE DESCRIPTION
//   values    LABEL = VALUE | DESCRIPTION | VALUE DESCRIPTION    for a value
//             [LABEL]                                            for a group,
//             a group's items indented by two more blanks
//   eventlog  DATETIME | LEVEL | SOURCE | RESOURCE | MESSAGEID | MESSAGE,
//             an entry's children indented by two more blanks
//   save      saved FILE as NAME (N bytes, CRC16 XXXX)
//   read      read FILE (N bytes)
//   shutdown  rebooting
// On failure one line of error text on the error output and exit code 1
// (2 for a wrong command line):
//   Error: no answer from the module at ADDRESS
//   Error: and what the client found wrong with the reply, such as
//     Error: the module at ADDRESS answered with something that is not XML: BYTES
//     Error: the reply of the module at ADDRESS stopped after N bytes: TEXT
//     Error: the reply of the module at ADDRESS has no status line: TEXT
//   Error: the reply of the module at ADDRESS is not a diagnostics document
//   Error: the reply of the module at ADDRESS holds no event log
//   Error: the module at ADDRESS refused the reboot request
//   save: the client's reason ("saveFile: CreateFile() Failed", "HttpQueryInfo() failed, ...")
//   read: the client's reason ("Error: Please install Jumper and Reboot the module" when the module refuses,
//         "Error: the reply of the module at ADDRESS ended after N of the M bytes it announced", ...)
#include "corvel/gateway/tcp_socket.h"

#include "corvel/gateway/module_web_client.h"
#include "corvel/project/file_crc.h"
#include "corvel/gateway/vqn_diagnostics.h"
#include "tools/common/module_tool_output.h"

#include <objbase.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const char kDefaultResource[] = "SYSTEM";
const char kDefaultDriver[] = "MCP";
// The reboot request's time-out, as the download sets it.
constexpr DWORD kShutdownTimeoutMs = 10000;

// The error line of a failed exchange: what the client found wrong.
CString Failure(const CVQNDiagnostics& diagnostics, const CString& address)
{
    return diagnostics.GetFailureText().IsEmpty() ? NoAnswer(address) : "Error: " + diagnostics.GetFailureText();
}

int Usage()
{
    fprintf(stderr, "usage: modcli ADDRESS test | prodinfo | drivers | index [RESOURCE DRIVER] | values CODE [RESOURCE DRIVER]\n"
                    "                    | eventlog | save FILE NAME | read FILE | shutdown\n");
    return 2;
}

void PrintItems(const std::vector<DiagnosticItem>& items, const std::string& indent)
{
    for (const DiagnosticItem& item : items) {
        if (!item.isGroup) {
            printf("%s%s = %s | %s | %s\n", indent.c_str(), (LPCSTR)item.label, (LPCSTR)item.value,
                   (LPCSTR)item.description, (LPCSTR)item.valueDescription);
        } else {
            printf("%s[%s]\n", indent.c_str(), (LPCSTR)item.label);
            PrintItems(item.children, indent + "  ");
        }
    }
}

void PrintEvents(const std::vector<EventLogEntry>& entries, const std::string& indent)
{
    for (const EventLogEntry& entry : entries) {
        printf("%s%s | %s | %s | %s | %s | %s\n", indent.c_str(), (LPCSTR)entry.dateTime, (LPCSTR)entry.eventLevel,
               (LPCSTR)entry.sourceId, (LPCSTR)entry.resourceId, (LPCSTR)entry.messageId, (LPCSTR)entry.message);
        PrintEvents(entry.children, indent + "  ");
    }
}

LONGLONG FileSize(const CString& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!::GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Runs the operation named by args; the exit code.
int Run(const CString& address, const std::vector<CString>& args)
{
    const CString& operation = args[0];
    const size_t count = args.size();
    CVQNDiagnostics diagnostics(address);

    if (operation == "test" && count == 1) {
        if (!diagnostics.TestConnection())
            return Fail(Failure(diagnostics, address));
        printf("connected\n");
        return 0;
    }
    if (operation == "prodinfo" && count == 1) {
        CString reply;
        if (!diagnostics.SendRequest(kProductInfoRequest, reply, kProductInfoEndMarker))
            return Fail(Failure(diagnostics, address));
        const int kind = ProductKindOfReply(reply);
        printf("product %s\n", kind == 2 ? "VQN32" : "VQN31");
        return 0;
    }
    if (operation == "drivers" && count == 1) {
        std::vector<RunningDriverEntry> drivers;
        if (!diagnostics.GetRunningDrivers(drivers))
            return Fail(Failure(diagnostics, address));
        for (const RunningDriverEntry& driver : drivers)
            printf("%s %s\n", (LPCSTR)driver.driverName, (LPCSTR)driver.resource);
        return 0;
    }
    if (operation == "index" && (count == 1 || count == 3)) {
        std::vector<DiagnosticIndexEntry> entries;
        if (!diagnostics.GetDiagnosticIndex(count == 3 ? args[1] : kDefaultResource,
                                            count == 3 ? args[2] : kDefaultDriver, entries))
            return Fail(Failure(diagnostics, address));
        for (const DiagnosticIndexEntry& entry : entries)
            printf("%s %s\n", (LPCSTR)entry.code, (LPCSTR)entry.description);
        return 0;
    }
    if (operation == "values" && (count == 2 || count == 4)) {
        std::vector<DiagnosticItem> items;
        if (!diagnostics.GetDiagnostics(count == 4 ? args[2] : kDefaultResource,
                                        count == 4 ? args[3] : kDefaultDriver, args[1], items)) {
            if (!diagnostics.GetFailureText().IsEmpty())
                return Fail(Failure(diagnostics, address));
            return Fail("Error: the reply of the module at " + address + " is not a diagnostics document");
        }
        PrintItems(items, "");
        return 0;
    }
    if (operation == "eventlog" && count == 1) {
        CString reply;
        if (!diagnostics.RequestEventLog(reply))
            return Fail(Failure(diagnostics, address));
        std::vector<EventLogEntry> entries;
        if (!ParseEventLogReply(reply, entries))
            return Fail("Error: the reply of the module at " + address + " holds no event log");
        PrintEvents(entries, "");
        return 0;
    }

    CModuleWebClient web;
    web.SetHost(address);
    if (operation == "save" && count == 3) {
        if (!web.SaveFile(args[1], args[2]))
            return Fail(CString(web.GetLastErrorText()).TrimRight());
        printf("saved %s as %s (%lld bytes, CRC16 %04X)\n", (LPCSTR)args[1], (LPCSTR)args[2], FileSize(args[1]),
               ComputeFileCrc16(args[1]));
        return 0;
    }
    if (operation == "read" && count == 2) {
        const CString error = web.ReadConfig(args[1]);
        if (!error.IsEmpty())
            return Fail(error);
        printf("read %s (%lld bytes)\n", (LPCSTR)args[1], FileSize(args[1]));
        return 0;
    }
    if (operation == "shutdown" && count == 1) {
        web.SetTimeout(kShutdownTimeoutMs);
        if (!web.Shutdown()) {
            if (!web.GetLastErrorText().IsEmpty())
                return Fail(web.GetLastErrorText());
            return Fail("Error: the module at " + address + " refused the reboot request");
        }
        printf("rebooting\n");
        return 0;
    }
    return Usage();
}

} // namespace

int main(int argc, char** argv)
{
    return RunModuleTool(argc, argv, "modcli", Usage, Run);
}
