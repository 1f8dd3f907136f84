// ReadDecimal: the one reader of decimal numbers in texts of files (SCL attributes, project files).
#pragma once

#include "framework/strings.h"

// A decimal number as C's atoi reads it: leading blanks, an optional sign, the digits that follow; 0 without
// digits. A value beyond int is kept at INT_MAX or INT_MIN.
int ReadDecimal(const CString& text);
