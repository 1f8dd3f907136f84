// MinimalSclFile: the smallest SCL file that adds one IED with a server access point.
#pragma once

#include "framework/strings.h"

#include <string>

inline std::string MinimalSclFile(LPCSTR iedName)
{
    CString text;
    text.Format("<?xml version=\"1.0\"?>\n<SCL>\n<Communication><SubNetwork name=\"N\"><ConnectedAP iedName=\"%s\" "
                "apName=\"A\"/></SubNetwork></Communication>\n<IED name=\"%s\"><AccessPoint name=\"A\"><Server/>"
                "</AccessPoint></IED>\n</SCL>\n",
                iedName, iedName);
    return std::string(text);
}
