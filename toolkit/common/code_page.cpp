#include "toolkit/common/code_page.h"

UINT GetOemCodePageMaxCharSize()
{
    static const UINT size = [] {
        CPINFO info = {};
        return ::GetCPInfo(CP_OEMCP, &info) ? info.MaxCharSize : 1u;
    }();
    return size;
}
