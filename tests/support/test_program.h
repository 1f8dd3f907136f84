// TestProgramName, TestRegistryKey, TestRegistryRoot: what each test program keeps to itself.
#pragma once

#include "framework/module.h"

// Test programs run side by side in one Wine prefix: whatever state outlives a
// test (registry keys, scratch folders) is named after the program, so that no
// two programs share it. Each program also runs in a folder of its own (see
// korvane_test), which holds the files it keeps beside itself.

// The running test program's name, without folder and extension.
inline CString TestProgramName()
{
    return AfxGetProgramName();
}

// The registry key a test gives SetRegistryKey: the settings go under HKCU\Software\<key>.
inline CString TestRegistryKey()
{
    return "KorvaneTest-" + TestProgramName();
}

// HKCU's subkey that holds everything a test program keeps in the registry.
inline CString TestRegistryRoot()
{
    return "Software\\" + TestRegistryKey();
}
