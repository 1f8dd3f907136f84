// CApplicationLink, AfxGetAppName, AfxGetInstanceHandle, AfxGetResourceHandle, AfxGetModuleFileName, GetProgramFolder: the program's module state without windows.
#pragma once

#include "framework/strings.h"

// What code without windows asks of the application object. The application
// object (CWinApp) is the link while it lives; without one, the program file
// and its module stand in.
class CApplicationLink {
public:
    // Shows AfxMessageBox's box as the application does (its caption and owner); returns the button id.
    virtual int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt) = 0;
    // The application's name, or null for the program file's base name.
    virtual LPCSTR GetLinkedAppName() const = 0;
    virtual HINSTANCE GetLinkedInstanceHandle() const = 0;
    // The window the application's message boxes belong to (its main window while enabled), or null.
    virtual HWND GetMessageBoxOwner() const = 0;

protected:
    ~CApplicationLink() = default;
};

// Makes link the application link (null: none) and returns the one it replaces.
CApplicationLink* AfxSetApplicationLink(CApplicationLink* link);
CApplicationLink* AfxGetApplicationLink();

// The window the application's message boxes belong to; null without an application.
HWND AfxGetMessageBoxOwner();
// The application's name, or the program file's base name when there is no app.
LPCSTR AfxGetAppName();
HINSTANCE AfxGetInstanceHandle();
// The module string and other resources are loaded from; the program by default.
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);
// Full path of the program file.
CString AfxGetModuleFileName();
// The program file's name without folder and extension.
CString AfxGetProgramName();
// Folder of the running program (its file path up to the last backslash).
CString GetProgramFolder();
