// CCommandLineInfo: what the program's command line asks for.
#pragma once

#include "framework/object.h"
#include "framework/strings.h"

class CCommandLineInfo : public CObject {
public:
    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppRegister, AppUnregister, FileNothing = -1 };

    CCommandLineInfo() = default;

    // Called for each argument; bFlag when it began with '-' or '/' (removed).
    // The first plain argument is the file to open; "p" prints it, "nologo"
    // hides the splash, "regserver"/"unregserver" (un)register, "dde" is a shell request.
    virtual void ParseParam(LPCSTR pszParam, BOOL bFlag, BOOL bLast);

    int m_nShellCommand = FileNew;
    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;

private:
    int m_nPrintToArguments = 0;
};
