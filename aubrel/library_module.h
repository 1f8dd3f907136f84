// LibraryModule, CLibraryModuleScope: the module holding the library's code and resources, and the switch to it per call.
#pragma once

#include <windows.h>

// The module this code is linked into: aubrel.dll, or a test program that links the library.
HMODULE LibraryModule();

// For one exported call: resources come from the library's module, and the
// temporary window objects of the call are freed when the outermost call returns.
class CLibraryModuleScope {
public:
    CLibraryModuleScope();
    ~CLibraryModuleScope();
    CLibraryModuleScope(const CLibraryModuleScope&) = delete;
    CLibraryModuleScope& operator=(const CLibraryModuleScope&) = delete;

private:
    HINSTANCE m_previousResources;
};
