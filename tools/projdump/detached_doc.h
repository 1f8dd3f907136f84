// CDetachedMainDoc: the project document without windows, for tools and tests.
#pragma once
#include "corvel/app/main_doc.h"

// New builds the device records that the network view builds, without
// buttons: the new-project settings, kDefaultMaxIeds free IED slots and
// kDefaultMaxPlcs PLC slots (the first in use). The document frees every
// record it holds when it goes.
class CDetachedMainDoc : public CMainDoc {
public:
    CDetachedMainDoc();
    ~CDetachedMainDoc() override;

protected:
    void RebuildNetworkView() override;
};
