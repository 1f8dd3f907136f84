// modcli.exe against the module simulator: the exact output of every operation and its failures.
#include <gtest/gtest.h>

// Windows Sockets 2 (the simulator's control port) before anything that brings in windows.h.
#include "support/module_simulator.h"

#include "support/console_program.h"
#include "support/paths.h"

#include <string>

namespace {

class ModcliTest : public ModuleSimulatorTest {
protected:
    RunResult Run(const std::string& operation)
    {
        return RunConsoleProgram("tools\\modcli.exe", std::string(ModuleAddress()) + " " + operation);
    }
};

TEST_F(ModcliTest, TextServiceOperations)
{
    const struct {
        const char* operation;
        const char* output;
    } cases[] = {
        {"test", "connected\n"},
        {"prodinfo", "product VQN32\n"},
        {"drivers", "MCP SYSTEM\nIEC61850C ETH1\n"},
        {"index", "status[0] Driver status\ngeteipsstatus EtherNet/IP server status\n"},
        {"index ETH1 IEC61850C", "status[0] Driver status\ngeteipsstatus EtherNet/IP server status\n"},
        {"values status[3] ETH1 IEC61850C",
         "State = 1 | Driver state | Running\n[Counters]\n  Requests = 42 | Requests | 42\n"},
        {"eventlog", "2024-05-01 10:00:00 | INFO | MCP | SYSTEM | 1 | Module started\n"
                     "2024-05-01 10:00:05 | ERROR | IEC61850C | ETH1 | 7 | Server not reachable\n"},
    };
    for (const auto& c : cases) {
        const RunResult result = Run(c.operation);
        EXPECT_EQ(0u, result.exitCode) << c.operation << ": " << result.errors;
        EXPECT_EQ(c.output, result.output) << c.operation;
        EXPECT_EQ("", result.errors) << c.operation;
    }
    const std::vector<std::string> expected = {
        "trn=testconnection",
        "trn=getdiagnostics&resource=SYSTEM&driver=MCP&diagcode=getprodinfo",
        "trn=getrunningdrivers",
        "trn=getdiagnostics&resource=SYSTEM&driver=MCP&diagcode=getindex",
        "trn=getdiagnostics&resource=ETH1&driver=IEC61850C&diagcode=getindex",
        "trn=getdiagnostics&resource=ETH1&driver=IEC61850C&diagcode=status[3]",
        "trn=geteventlogcache",
    };
    EXPECT_EQ(expected, Simulator().Requests("tcp"));
}

TEST_F(ModcliTest, NestedEventsAndGroupsAreIndented)
{
    Simulator().SetTcpReply("trn=geteventlogcache",
                            "<?xml version=\"1.0\"?><eventlog><g dateTime=\"d1\" eventLevel=\"WARN\">"
                            "<messageData dateTime=\"d2\" eventLevel=\"INFO\" sourceID=\"S\" resourceID=\"R\" messageID=\"2\" message=\"inner\"/>"
                            "</g></eventlog>");
    const RunResult result = Run("eventlog");
    EXPECT_EQ(0u, result.exitCode);
    EXPECT_EQ("d1 | WARN |  |  |  | \n  d2 | INFO | S | R | 2 | inner\n", result.output);
}

TEST_F(ModcliTest, WebServiceOperations)
{
    TempFolder temp;
    const CString source = temp.Path() + "\\Current.xml";
    WriteBinaryFile(source, "123456789");
    RunResult result = Run(std::string("save \"") + (LPCSTR)source + "\" current.xml");
    EXPECT_EQ(0u, result.exitCode) << result.errors;
    EXPECT_EQ(std::string("saved ") + (LPCSTR)source + " as current.xml (9 bytes, CRC16 BB3D)\n", result.output);
    EXPECT_EQ("123456789", Simulator().Config("current.xml"));

    const CString target = temp.Path() + "\\Current.cfg";
    result = Run(std::string("read \"") + (LPCSTR)target + "\"");
    EXPECT_EQ(0u, result.exitCode) << result.errors;
    EXPECT_EQ(std::string("read ") + (LPCSTR)target + " (9 bytes)\n", result.output);
    EXPECT_EQ("123456789", ReadBinaryFile(target));

    Simulator().SetRebootSeconds(0.2);
    result = Run("shutdown");
    EXPECT_EQ(0u, result.exitCode) << result.errors;
    EXPECT_EQ("rebooting\n", result.output);
}

TEST_F(ModcliTest, FailuresGiveTheErrorTextAndExitCode)
{
    const std::string address = std::string(ModuleAddress());
    TempFolder temp;
    const struct {
        const char* service;
        const char* mode;
        std::string operation;
        DWORD exitCode;
        std::string errors;
    } cases[] = {
        {"tcp", "refuse", "drivers", 1, "Error: no answer from the module at " + address + "\n"},
        {"tcp", "refuse", "values status[0]", 1, "Error: no answer from the module at " + address + "\n"},
        {"tcp", "none", "bogus", 2, ""},
        {"tcp", "none", "values", 2, ""},
        {"http", "404", "read \"" + std::string(temp.Path()) + "\\c.cfg\"", 1,
         "Error: Please install Jumper and Reboot the module\n"},
        {"http", "none", "save \"" + std::string(temp.Path()) + "\\missing.xml\" current.xml", 1,
         "saveFile: CreateFile() Failed\n"},
        {"http", "500", "shutdown", 1, "Error: the module at " + address + " refused the reboot request\n"},
    };
    for (const auto& c : cases) {
        Simulator().Fail(c.service, c.mode);
        const RunResult result = Run(c.operation);
        EXPECT_EQ(c.exitCode, result.exitCode) << c.operation;
        EXPECT_EQ("", result.output) << c.operation;
        if (c.exitCode == 2)
            EXPECT_EQ(0u, result.errors.find("usage: modcli ADDRESS ")) << c.operation << ": " << result.errors;
        else
            EXPECT_EQ(c.errors, result.errors) << c.operation;
    }

    Simulator().Fail("http", "none");
    Simulator().SetTcpReply("trn=getdiagnostics&resource=SYSTEM&driver=MCP&diagcode=status[0]",
                            "<?xml version=\"1.0\"?><status><DV value=\"1\"/></status>");
    const RunResult result = Run("values status[0]");
    EXPECT_EQ(1u, result.exitCode);
    EXPECT_EQ("Error: the reply of the module at " + address + " is not a diagnostics document\n", result.errors);
}

// A hostile module's reply is no result: exit code 1, the error line says what came, the file read into stays.
TEST_F(ModcliTest, AHostileModuleFailsWithWhatCame)
{
    TempFolder temp;
    const std::string address(ModuleAddress());
    const std::string at = "Error: the module at " + address;
    const std::string noStatus = "Error: the reply of the module at " + address + " has no status line: ";
    const std::string target = std::string(temp.Path()) + "\\Current.cfg";
    WriteBinaryFile(temp.File("Current.xml"), "<DeviceConfig/>");
    const std::string save = "save \"" + std::string(temp.File("Current.xml")) + "\" current.xml";
    const struct {
        const char* service;
        const char* mode;
        std::string operation;
        std::string error; // the error line begins with it
    } cases[] = {
        {"tcp", "junk", "test", at + " answered with something that is not XML: \\x"},
        {"tcp", "junk", "prodinfo", at + " answered with something that is not XML: \\x"},
        {"tcp", "junk", "drivers", at + " answered with something that is not XML: \\x"},
        {"tcp", "junk", "index", at + " answered with something that is not XML: \\x"},
        {"tcp", "error", "prodinfo", at + " answered <error>request failed</error>\n"},
        {"tcp", "error", "drivers", at + " answered <error>request failed</error>\n"},
        {"tcp", "error", "eventlog", at + " answered <error>request failed</error>\n"},
        {"http", "junk", "read \"" + target + "\"", noStatus + "\\x"},
        {"http", "junk", save, noStatus + "\\x"},
        {"http", "junk", "shutdown", noStatus + "\\x"},
        {"http", "nostatus", "read \"" + target + "\"", noStatus + "Content-Length: "},
        {"http", "nostatus", "shutdown", noStatus + "Content-Length: "},
        {"http", "length", "read \"" + target + "\"", "Error: the reply of the module at " + address + " ended after "},
        {"http", "chunked-empty", "read \"" + target + "\"", at + " sent an empty configuration\n"},
        {"http", "endless", "read \"" + target + "\"",
         "Error: the reply of the module at " + address + " passed 67108864 bytes\n"},
    };
    for (const auto& c : cases) {
        Simulator().Reset();
        Simulator().Fail(c.service, c.mode);
        WriteBinaryFile(target.c_str(), "<DeviceConfig>kept</DeviceConfig>");
        const RunResult result = Run(c.operation);
        EXPECT_EQ(1u, result.exitCode) << c.mode << " " << c.operation;
        EXPECT_EQ("", result.output) << c.mode << " " << c.operation;
        EXPECT_EQ(0u, result.errors.find(c.error)) << c.mode << " " << c.operation << ": " << result.errors;
        EXPECT_EQ("<DeviceConfig>kept</DeviceConfig>", ReadBinaryFile(target.c_str())) << c.mode << " " << c.operation;
    }
}

} // namespace
