// GetModuleProductVersion: the product version of a loaded module's version resource.
#pragma once
#include "framework/core.h"

// A version block must be smaller than this.
constexpr DWORD kVersionBlockLimit = 2049;

// The four parts of the product version of the loaded module moduleName
// (such as "Corvel.exe"). False, with all four 0, when the module is not
// loaded, has no version block, its block is not smaller than
// kVersionBlockLimit, or the block has no root value.
bool GetModuleProductVersion(LPCSTR moduleName, int& major, int& minor, int& build, int& revision);
