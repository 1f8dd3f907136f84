// monitorcli.exe against the module simulator: the exact output of every operation and its failures.
#include <gtest/gtest.h>

// Windows Sockets 2 (the simulator's control port) before anything that brings in windows.h.
#include "support/module_simulator.h"

#include "corvel/project/file_crc.h"
#include "support/console_program.h"
#include "support/paths.h"
#include "support/temp_folder.h"

#include <string>

namespace {

class MonitorcliTest : public ModuleSimulatorTest {
protected:
    RunResult Run(const std::string& operation)
    {
        return RunConsoleProgram("tools\\monitorcli.exe", std::string(ModuleAddress()) + " " + operation);
    }
    std::string Address() { return std::string(ModuleAddress()); }
};

TEST_F(MonitorcliTest, EveryOperationPrintsItsResult)
{
    Simulator().SetTagValue("Feeder1_Mode", "7");
    Simulator().SetTagValue("StatusIEC61850CNode_eth1_01.nodeStatus", "1");
    Simulator().SetTagValue("Feeder1_Trips", "30");
    const struct {
        const char* operation;
        const char* output;
    } cases[] = {
        {"reachable", "reachable\n"},
        {"drivers", "MCP SYSTEM\nIEC61850C ETH1\n"},
        {"eventlog", "2024-05-01 10:00:00 INFO MCP SYSTEM 1 Module started\n"
                     "2024-05-01 10:00:05 ERROR IEC61850C ETH1 7 Server not reachable\n"},
        {"get Feeder1_Mode", "Feeder1_Mode = 7\n"},
        {"values Feeder1_Trips StatusIEC61850CNode_eth1_01.nodeStatus",
         "Feeder1_Trips = 30\nStatusIEC61850CNode_eth1_01.nodeStatus = 1\n"},
        {"set Feeder1_Mode 12", "set Feeder1_Mode = 12\n"},
        {"get Feeder1_Mode", "Feeder1_Mode = 12\n"},
    };
    for (const auto& c : cases) {
        const RunResult result = Run(c.operation);
        EXPECT_EQ(0u, result.exitCode) << c.operation << ": " << result.errors;
        EXPECT_EQ(c.output, result.output) << c.operation;
        EXPECT_EQ("", result.errors) << c.operation;
    }
}

TEST_F(MonitorcliTest, UploadDownloadAndReboot)
{
    TempFolder folder;
    const std::string config = "<?xml version=\"1.0\"?>\r\n<DeviceConfig>" + std::string(9000, ' ') + "</DeviceConfig>\r\n";
    WriteBinaryFile(folder.File("new.xml"), config);
    char crc[8];
    snprintf(crc, sizeof crc, "%04X", UpdateCrc16(0, config.data(), config.size()));
    const std::string file = std::string(folder.File("new.xml"));
    RunResult result = Run("download \"" + file + "\"");
    EXPECT_EQ(0u, result.exitCode) << result.errors;
    EXPECT_EQ("downloaded " + file + " (" + std::to_string(config.size()) + " bytes, CRC16 " + crc + ")\n",
              result.output);
    EXPECT_EQ(config, Simulator().Config("current.xml"));

    result = Run("upload");
    EXPECT_EQ(0u, result.exitCode) << result.errors;
    EXPECT_EQ("uploaded current-" + Address() + ".xml (" + std::to_string(config.size()) + " bytes)\n",
              result.output);
    EXPECT_EQ(config, ReadBinaryFile(("current-" + Address() + ".xml").c_str()));

    Simulator().SetRefusal("Module busy");
    Simulator().Fail("download", "refuse-request");
    result = Run("download \"" + file + "\"");
    EXPECT_EQ(1u, result.exitCode);
    EXPECT_EQ("Error: the module at " + Address() + " refused the configuration: Module busy\n", result.errors);
    Simulator().Fail("download", "none");

    Simulator().SetRebootSeconds(0.2);
    result = Run("reboot");
    EXPECT_EQ(0u, result.exitCode) << result.errors;
    EXPECT_EQ("rebooting\n", result.output);
}

TEST_F(MonitorcliTest, FailuresAndWrongCommandLines)
{
    RunResult result = Run("set Feeder1_Mode 1&tag=x");
    EXPECT_EQ(1u, result.exitCode);
    EXPECT_EQ("Error: the value of Feeder1_Mode would change the request (it holds \"&\" or \"=\")\n", result.errors);
    result = Run("download nowhere.xml");
    EXPECT_EQ(1u, result.exitCode);
    EXPECT_EQ("Error: nowhere.xml cannot be read\n", result.errors);
    for (const char* wrong : {"values", "get", "set A", "upload now", "explode"}) {
        result = Run(wrong);
        EXPECT_EQ(2u, result.exitCode) << wrong;
        EXPECT_EQ("", result.output) << wrong;
    }
    Simulator().Fail("tcp", "refuse");
    result = Run("drivers");
    EXPECT_EQ(1u, result.exitCode);
    EXPECT_EQ("Error: no answer from the module at " + Address() + "\n", result.errors);
}

// A hostile module's reply is no result: exit code 1, the error line says what came, the kept file stays.
TEST_F(MonitorcliTest, AHostileModuleFailsWithWhatCame)
{
    TempFolder folder;
    WriteBinaryFile(folder.File("new.xml"), "<DeviceConfig/>");
    const std::string at = "Error: the module at " + Address();
    const struct {
        const char* mode;
        std::string operation;
        std::string error; // the error line begins with it
    } cases[] = {
        {"junk", "reachable", at + " answered with something that is not XML: \\x"},
        {"error", "values Feeder1_Mode", at + " answered <error>request failed</error>\n"},
        {"error", "get Feeder1_Mode", at + " answered <error>request failed</error>\n"},
        {"error", "eventlog", at + " answered <error>request failed</error>\n"},
        {"error", "set Feeder1_Mode 3", at + " refused the value: <settagvalue result=\"ERROR\"/>\n"},
        {"error", "upload", at + " sent a frame without its magic: <?xml ve"},
        {"nomagic", "upload", at + " sent a frame without its magic: \\x00\\x00\\x08\\x00\\x01\\x00\\x00\\x00\n"},
        {"nomagic", "download \"" + std::string(folder.File("new.xml")) + "\"", at + " sent a frame without its magic: "},
    };
    const CString kept = ("current-" + Address() + ".xml").c_str();
    for (const auto& c : cases) {
        WriteBinaryFile(kept, "<DeviceConfig>kept</DeviceConfig>");
        Simulator().Fail("tcp", c.mode);
        const RunResult result = Run(c.operation);
        EXPECT_EQ(1u, result.exitCode) << c.mode << " " << c.operation;
        EXPECT_EQ("", result.output) << c.mode << " " << c.operation;
        EXPECT_EQ(0u, result.errors.find(c.error)) << c.mode << " " << c.operation << ": " << result.errors;
        EXPECT_EQ("<DeviceConfig>kept</DeviceConfig>", ReadBinaryFile(kept)) << c.mode << " " << c.operation;
    }
}

} // namespace
