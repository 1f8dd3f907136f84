#include "aubrel/library_module.h"

#include "framework/ui.h"

namespace {

// Exported calls in progress on this thread (a caller's window may call again from a modal loop).
thread_local int t_callDepth = 0;

// Any object of this module: its address names the module.
const char kModuleAnchor = 0;

} // namespace

HMODULE LibraryModule()
{
    HMODULE module = nullptr;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         &kModuleAnchor, &module);
    return module;
}

CLibraryModuleScope::CLibraryModuleScope() : m_previousResources(AfxGetResourceHandle())
{
    ++t_callDepth;
    AfxSetResourceHandle(LibraryModule());
}

CLibraryModuleScope::~CLibraryModuleScope()
{
    AfxSetResourceHandle(m_previousResources);
    if (--t_callDepth == 0)
        AfxDeleteTempMaps();
}
