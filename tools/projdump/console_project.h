// RouteDialogsToConsole, ConsoleMessageCount, OpenProjectFile: a developer tool's project, opened through
// Corvel's own readers, with what they would show written to the error output.
#pragma once
#include "tools/projdump/detached_doc.h"

// From now on message boxes go to the error output and file dialogs are cancelled (and named there), each
// counting as a message.
void RouteDialogsToConsole(const char* toolName);
// Message boxes and file dialogs since RouteDialogsToConsole.
int ConsoleMessageCount();

// Reads a *.prj or *.prx file, chosen by its extension, into the document with the project path set to it,
// as Corvel opens one. False when the file is of another kind (said on the error output), when it could not
// be read or when a message came up.
bool OpenProjectFile(CDetachedMainDoc& doc, const CString& path, const char* toolName);
