// GetOemCodePageMaxCharSize: the code-page facts the toolkit's text readers rely on.
#pragma once

#include <windows.h>

// The maximum character size in bytes of the system's OEM code page; read once per process.
UINT GetOemCodePageMaxCharSize();
