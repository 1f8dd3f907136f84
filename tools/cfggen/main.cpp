// cfggen PROJECT OUT.xml: opens a project file through Corvel's own readers and writes its module
// configuration ("DeviceConfig") through Corvel's own writer, as Export Configuration does.
//
//   PROJECT   a *.prj or *.prx file, chosen by the extension; the project takes PROJECT as its path, so its
//             files are embedded from there and its XML copy (PROJECT with the extension ".prx") is
//             written beside it
//   OUT.xml   the configuration; an existing file is replaced once the new one is complete
//
// Prints nothing on success. Files that could not be embedded are named on the error output, one line
// each, and do not fail the run. Message boxes the readers would show go to the error output.
// The exit code is 0 on success; 1, with the error text on the error output, when the project cannot be
// read (any message box counts as a failure) or the configuration cannot be written; 2 for wrong
// arguments.
#include "tools/cfggen/arguments.h"
#include "tools/projdump/console_project.h"

#include "corvel/gateway/device_config.h"

#include <cstdio>
#include <vector>

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// The options that follow PROJECT OUT.xml.
const std::vector<ToolOption> kOptions;

int Usage(const CString& reason)
{
    fprintf(stderr, "cfggen: %s\nusage: cfggen PROJECT OUT.xml\n", (LPCSTR)reason);
    return kExitUsage;
}

} // namespace

int main(int argc, char** argv)
{
    CommandLine line;
    CString error;
    if (!ParseCommandLine(argc, argv, 2, kOptions, line, error))
        return Usage(error);
    RouteDialogsToConsole("cfggen");

    CProjectState project;
    const CString& projectPath = line.positional[0];
    if (!OpenProjectFile(project, projectPath, "cfggen"))
        return kExitFailure;
    // A project XML file names the path it was saved under; the project is where it was opened.
    project.project.filePath = projectPath;
    try {
        // As the document writes it for Export Configuration.
        Corvel::Gateway::DeviceConfigOptions options;
        options.stamp = MakeProgramStamp();
        const Corvel::Gateway::DeviceConfigResult result =
            Corvel::Gateway::WriteDeviceConfigFile(project.GetXmlContent(), line.positional[1], options);
        for (const CString& warning : result.warnings)
            fprintf(stderr, "%s\n", (LPCSTR)warning);
    } catch (Korvane::Exceptions::CKorException& e) {
        fprintf(stderr, "%s\n", e.Message());
        return kExitFailure;
    }
    return ConsoleMessageCount() > 0 ? kExitFailure : 0;
}
