#include "tools/projdump/console_project.h"

#include "corvel/project/path_utils.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

// How the project comes in (the document's openKind).
constexpr int kOpenKindArchive = 1;
constexpr int kOpenKindProjectXml = 2;

int g_messageCount = 0;
std::string g_toolName;

int PrintMessageBox(HWND, const CString& text, const CString&, UINT)
{
    fprintf(stderr, "%s\n", (LPCSTR)text);
    ++g_messageCount;
    return IDCANCEL;
}

INT_PTR CancelFileDialog(const FileDialogRequest& request, std::vector<CString>&)
{
    fprintf(stderr, "%s: a file dialog was cancelled (proposed name \"%s\")\n", g_toolName.c_str(),
            (LPCSTR)request.initialFileName);
    ++g_messageCount;
    return IDCANCEL;
}

} // namespace

void RouteDialogsToConsole(const char* toolName)
{
    g_toolName = toolName;
    SetMessageBoxHook(PrintMessageBox);
    SetFileDialogHook(CancelFileDialog);
}

int ConsoleMessageCount()
{
    return g_messageCount;
}

bool OpenProjectFile(CDetachedMainDoc& doc, const CString& path, const char* toolName)
{
    doc.SetProjectPath(path);
    if (EndsWithExtension(path, ".prj")) {
        doc.SetOpenKind(kOpenKindArchive);
        doc.LoadProjectArchive(path);
    } else if (EndsWithExtension(path, ".prx")) {
        doc.SetOpenKind(kOpenKindProjectXml);
        doc.ReadProjectXml(path);
    } else {
        fprintf(stderr, "%s: %s is not a project file this tool reads (*.prj, *.prx)\n", toolName, (LPCSTR)path);
        return false;
    }
    return g_messageCount == 0 && doc.projectReady;
}
