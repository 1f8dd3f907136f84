#include "framework/cmdline.h"

void CCommandLineInfo::ParseParam(LPCSTR pszParam, BOOL bFlag, BOOL)
{
    if (bFlag) {
        const CString flag(pszParam);
        if (flag.CompareNoCase("pt") == 0) {
            m_nShellCommand = FilePrintTo;
            m_nPrintToArguments = 0;
        } else if (flag.CompareNoCase("p") == 0) {
            m_nShellCommand = FilePrint;
        } else if (flag.CompareNoCase("dde") == 0) {
            m_nShellCommand = FileDDE;
        } else if (flag.CompareNoCase("nologo") == 0) {
            m_bShowSplash = FALSE;
        } else if (flag.CompareNoCase("regserver") == 0 || flag.CompareNoCase("register") == 0) {
            m_nShellCommand = AppRegister;
        } else if (flag.CompareNoCase("unregserver") == 0 || flag.CompareNoCase("unregister") == 0) {
            m_nShellCommand = AppUnregister;
        } else if (flag.CompareNoCase("embedding") == 0) {
            m_bRunEmbedded = TRUE;
            m_bShowSplash = FALSE;
        } else if (flag.CompareNoCase("automation") == 0) {
            m_bRunAutomated = TRUE;
            m_bShowSplash = FALSE;
        }
        return;
    }
    if (m_nShellCommand == FilePrintTo && !m_strFileName.IsEmpty()) {
        // After the file: printer, driver and port.
        CString* targets[] = {&m_strPrinterName, &m_strDriverName, &m_strPortName};
        if (m_nPrintToArguments < 3)
            *targets[m_nPrintToArguments++] = pszParam;
        return;
    }
    if (m_strFileName.IsEmpty()) {
        m_strFileName = pszParam;
        if (m_nShellCommand == FileNew)
            m_nShellCommand = FileOpen;
    }
}
