#include "tools/projdump/console_project.h"

#include "corvel/model/scl_header.h"
#include "corvel/project/path_utils.h"

#include <cstdio>
#include <vector>

namespace {

// How the project comes in (the document's openKind).
constexpr int kOpenKindArchive = 1;

int g_messageCount = 0;

} // namespace

void ReportToConsole(const CString& text)
{
    fprintf(stderr, "%s\n", (LPCSTR)text);
    ++g_messageCount;
}

int ConsoleMessageCount()
{
    return g_messageCount;
}

bool OpenProjectFile(CProjectState& project, const CString& path, const char* toolName)
{
    const bool isArchive = EndsWithExtension(path, ".prj");
    if (!isArchive && !EndsWithExtension(path, ".prx")) {
        fprintf(stderr, "%s: %s is not a project file this tool reads (*.prj, *.prx)\n", toolName, (LPCSTR)path);
        return false;
    }
    project.RebuildDeviceSlots(Corvel::Records::kDefaultMaxIeds, Corvel::Records::kDefaultMaxPlcs);
    project.ResetToNewProject();
    project.project.filePath = path;
    CString error;
    std::vector<CString> warnings;
    bool loaded = false;
    if (isArchive) {
        CFile file;
        if (!CProjectState::OpenArchiveFile(path, file, error)) {
            ReportToConsole(error);
            return false;
        }
        CProjectArchiveReader::Options options;
        options.openKind = kOpenKindArchive;
        options.projectFolder = FolderPartOfPath(path);
        options.iedNameOfFile = &FindIedNameInFile;
        int fileVersion = 0;
        loaded = project.ReadArchiveFile(file, options, fileVersion, error, warnings);
    } else {
        loaded = project.ReadXmlFile(path, error, warnings);
    }
    project.tagsMSG.NumberTags();
    if (!loaded)
        ReportToConsole(error);
    for (const CString& warning : warnings)
        ReportToConsole(warning);
    return loaded && g_messageCount == 0;
}
