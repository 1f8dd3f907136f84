// CQuorrelApp: Ostrel's application object, which runs the main dialog and ends with it.
#pragma once

#include "framework/winapp.h"

#include <vector>

class CQuorrelApp : public CWinApp {
public:
    CQuorrelApp();

    // Sockets, COM, common controls and settings; then the main dialog, modally. FALSE: the program ends with it.
    BOOL InitInstance() override;

    // The program's arguments after its name.
    static std::vector<CString> CommandLineArguments(int argc, const char* const* argv);
};
