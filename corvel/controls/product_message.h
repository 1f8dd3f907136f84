// ShowProductMessage: the one way Corvel's windows show a message under the product's title.
#pragma once

#include "framework/strings.h"

#include <windows.h>

// Shows text in a message box of exactly type (no icon is added) under the product title, owned by the
// application's main window, or by owner when it is given (null: no owner). Goes through the message-box
// hook; returns the button chosen. Window-free code reports its outcomes to its callers instead.
int ShowProductMessage(const CString& text, UINT type);
int ShowProductMessage(const CString& text, UINT type, HWND owner);
