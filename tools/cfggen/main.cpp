// cfggen PROJECT OUT.xml: opens a project file through Corvel's own readers and writes its module
// configuration ("DeviceConfig") through Corvel's own writer, as Export Configuration does.
// cfggen PROJECT [OUT.xml] --unity DEVICE BASE: writes the Unity exchange files of the Modbus PLC device
// named DEVICE through Corvel's own exporter, as "Export Processor Files" does, to BASE.xsy, BASE.xfm (not
// for other Modbus PLCs) and BASE.csv; an extension ".xsy", ".xfm" or ".csv" of BASE is left out.
// cfggen PROJECT --aoi FOLDER: writes the project's configuration ("Current.xml") and Logix Add-On
// Instruction files into FOLDER through Export AOI Files' own code, existing files overwritten without a
// question.
//
//   PROJECT   a *.prj or *.prx file, chosen by the extension; the project takes PROJECT as its path, so its
//             files are embedded from there and its XML copy (PROJECT with the extension ".prx") is
//             written beside it
//   OUT.xml   the configuration; an existing file is replaced once the new one is complete
//   FOLDER    an existing folder
//
// Prints nothing on success, but with --aoi the path of each AOI file written, one line each. Every warning
// of the configuration (a file that could not be embedded, a report or GOOSE row that cannot be placed) and
// of the Unity files (tags without a Unity type, left out) is printed on the error output, one line each. Message boxes the readers and writers would show go to the
// error output.
// Exit codes:
//   0  complete: everything asked for was written, without a warning;
//   1  failure, with the error text on the error output: the project cannot be read (any message box
//      counts as a failure), the device is not a Modbus PLC device of the project, or the configuration, an
//      AOI file or a Unity file cannot be written;
//   2  wrong command line;
//   3  written with warnings: everything asked for was written, but leaves out what the warnings name.
#include "corvel/gateway/unity_export.h"
#include "tools/cfggen/arguments.h"
#include "corvel/gateway/aoi_export.h"
#include "tools/projdump/console_project.h"

#include "corvel/gateway/device_config.h"

#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kExitWarnings = 3;

// Prints the warnings of a configuration, one line each.
void PrintWarnings(const std::vector<CString>& warnings)
{
    for (const CString& warning : warnings)
        fprintf(stderr, "%s\n", (LPCSTR)warning);
}

// PROJECT --aoi FOLDER takes the place of PROJECT OUT.xml; --unity follows PROJECT [OUT.xml].
constexpr char kAoiOption[] = "--aoi";
constexpr char kUnityOption[] = "--unity";
const std::vector<ToolOption> kOptions = {{kAoiOption, 1}, {kUnityOption, 2}};

int Usage(const CString& reason)
{
    fprintf(stderr,
            "cfggen: %s\nusage: cfggen PROJECT OUT.xml\n       cfggen PROJECT --aoi FOLDER\n"
            "       cfggen PROJECT [OUT.xml] --unity DEVICE BASE\n",
            (LPCSTR)reason);
    return kExitUsage;
}

// Writes the Unity files of the project's PLC device named deviceName; false after saying why. Tags the files
// leave out are printed as a warning and set hasWarnings.
bool ExportUnityFiles(const CProjectState& project, const CString& deviceName, const CString& base, bool& hasWarnings)
{
    const Corvel::Records::CPLC_Device* device = nullptr;
    for (POSITION pos = project.project.plcDevices.GetHeadPosition(); pos != nullptr;) {
        const Corvel::Records::CPLC_Device* candidate = project.project.plcDevices.GetNext(pos);
        if (candidate->state == Corvel::Records::kSlotInUse && candidate->name == deviceName)
            device = candidate;
    }
    if (device == nullptr) {
        fprintf(stderr, "cfggen: the project has no PLC device named \"%s\"\n", (LPCSTR)deviceName);
        return false;
    }
    if (!Corvel::Gateway::CUnityExporter::IsExportedDeviceType(device->devType)) {
        fprintf(stderr, "cfggen: \"%s\" is not a Quantum, M340 or other Modbus PLC device (type %d)\n",
                (LPCSTR)deviceName, device->devType);
        return false;
    }
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        fprintf(stderr, "cfggen: COM could not be initialised\n");
        return false;
    }
    Corvel::Gateway::CUnityExporter exporter;
    exporter.Attach(project.project, *device);
    const bool exported = exporter.TakeNoeSlot() && exporter.ExportFiles(base);
    ::CoUninitialize();
    for (const CErrorReport& failure : exporter.TakeMessages())
        fprintf(stderr, "cfggen: %s\n", (LPCSTR)failure.Text());
    const std::vector<CString> leftOut = exporter.FindTagsWithoutUnityType();
    if (exported && !leftOut.empty()) {
        PrintWarnings({Corvel::Gateway::CUnityExporter::TagsLeftOutWarning(leftOut)});
        hasWarnings = true;
    }
    return exported;
}

// The configuration as the document writes it: stamped by the running program.
Corvel::Gateway::DeviceConfigOptions ConfigurationOptions()
{
    Corvel::Gateway::DeviceConfigOptions options;
    options.stamp = MakeProgramStamp();
    return options;
}

// Writes the configuration and the AOI files into folder as Export AOI Files does; prints each AOI file written.
int WriteAoiFiles(CProjectState& project, const CString& folder)
{
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        fprintf(stderr, "cfggen: COM could not be initialised\n");
        return kExitFailure;
    }
    project.UseFirstPortOnSinglePortModule();
    Corvel::Gateway::CGenAOI aoi(Corvel::Gateway::CGenAOI::GetProjectDevices(project.project));
    aoi.SetOverwriteWithoutAsking(true);
    int status = 0;
    std::vector<CString> warnings;
    try {
        if (!Corvel::Gateway::WriteConfigurationAndAoiFiles(project.GetXmlContent(), ConfigurationOptions(), folder,
                                                            aoi, &warnings)) {
            fprintf(stderr, "cfggen: the configuration written into %s could not be read back\n", (LPCSTR)folder);
            status = kExitFailure;
        }
    } catch (Korvane::Exceptions::CKorException& e) {
        fprintf(stderr, "%s\n", e.Message());
        status = kExitFailure;
    }
    for (const CString& path : aoi.GetWrittenFiles())
        printf("%s\n", (LPCSTR)path);
    PrintWarnings(warnings);
    ::CoUninitialize();
    if (status != 0 || ConsoleMessageCount() > 0)
        return kExitFailure;
    return warnings.empty() ? 0 : kExitWarnings;
}

} // namespace

int main(int argc, char** argv)
{
    const bool writesAoiFiles =
        std::any_of(argv + 1, argv + argc, [](const char* argument) { return strcmp(argument, kAoiOption) == 0; });
    CommandLine line;
    CString error;
    if (!ParseCommandLine(argc, argv, 1, kOptions, line, error, writesAoiFiles ? 0 : 1))
        return Usage(error);
    const bool writeConfiguration = line.positional.size() == 2;
    if (!writesAoiFiles && !writeConfiguration && !line.Has(kUnityOption))
        return Usage("missing arguments");

    CProjectState project;
    const CString& projectPath = line.positional[0];
    if (!OpenProjectFile(project, projectPath, "cfggen"))
        return kExitFailure;
    // A project XML file names the path it was saved under; the project is where it was opened.
    project.project.filePath = projectPath;
    if (writesAoiFiles)
        return WriteAoiFiles(project, line.options[kAoiOption][0]);
    bool hasWarnings = false;
    if (writeConfiguration) {
        try {
            const Corvel::Gateway::DeviceConfigResult result = Corvel::Gateway::WriteDeviceConfigFile(
                project.GetXmlContent(), line.positional[1], ConfigurationOptions());
            PrintWarnings(result.warnings);
            hasWarnings = !result.warnings.empty();
        } catch (Korvane::Exceptions::CKorException& e) {
            fprintf(stderr, "%s\n", e.Message());
            return kExitFailure;
        }
    }
    if (line.Has(kUnityOption)) {
        const std::vector<CString>& unity = line.options.at(kUnityOption);
        if (!ExportUnityFiles(project, unity[0], unity[1], hasWarnings))
            return kExitFailure;
    }
    if (ConsoleMessageCount() > 0)
        return kExitFailure;
    return hasWarnings ? kExitWarnings : 0;
}
