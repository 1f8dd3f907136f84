// ReportToConsole, ConsoleMessageCount, OpenProjectFile: a developer tool's project, opened through Corvel's
// own readers without windows, with the messages they return written to the error output.
#pragma once
#include "corvel/project/project_state.h"

// Writes text to the error output as a message.
void ReportToConsole(const CString& text);
// Messages written so far.
int ConsoleMessageCount();

// Reads a *.prj or *.prx file, chosen by its extension, into the records of a new project (the device slots
// a new project has), as Corvel opens one. False when the file is of another kind (said on the error
// output), when it could not be read or when a message came up.
bool OpenProjectFile(CProjectState& project, const CString& path, const char* toolName);
