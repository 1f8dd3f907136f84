#include "corvel/controls/product_message.h"

#include "corvel/model/product.h"
#include "framework/module.h"
#include "framework/msgbox.h"

int ShowProductMessage(const CString& text, UINT type)
{
    return ShowProductMessage(text, type, AfxGetMessageBoxOwner());
}

int ShowProductMessage(const CString& text, UINT type, HWND owner)
{
    return KorMessageBox(owner, text, kProductTitle, type);
}
