// MinimalSclFile, MinimalSclFileWithIeds: the smallest SCL files that add IEDs with a server access point.
#pragma once

#include "framework/strings.h"

#include <initializer_list>
#include <string>

// The IEDs in the order given, each with one access point of a server, without addresses.
inline std::string MinimalSclFileWithIeds(std::initializer_list<LPCSTR> iedNames)
{
    std::string text = "<?xml version=\"1.0\"?>\n<SCL>\n<Communication><SubNetwork name=\"N\">";
    for (LPCSTR name : iedNames)
        text += std::string("<ConnectedAP iedName=\"") + name + "\" apName=\"A\"/>";
    text += "</SubNetwork></Communication>\n";
    for (LPCSTR name : iedNames)
        text += std::string("<IED name=\"") + name + "\"><AccessPoint name=\"A\"><Server/></AccessPoint></IED>\n";
    return text + "</SCL>\n";
}

inline std::string MinimalSclFile(LPCSTR iedName)
{
    return MinimalSclFileWithIeds({iedName});
}
