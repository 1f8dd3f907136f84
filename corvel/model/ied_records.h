// CIED, CConnectedAP: an IED's identity and its access point's addresses.
#pragma once
#include "framework/core.h"

class CIED : public CObject
{
public:
    CIED() = default;
    CIED(const CString& name, const CString& manufacturer, const CString& type, const CString& desc);
    CIED(const CIED& other) : CObject() { *this = other; }
    CIED& operator=(const CIED& other);
    ~CIED() override = default;

    CString name;
    CString manufacturer;
    CString type;
    CString desc;
};

class CConnectedAP : public CObject
{
public:
    CConnectedAP(CIED ied, const CString& ip, const CString& ipSubnet, const CString& ipGateway,
                 const CString& apTitle, const CString& aeQualifier, const CString& pSel,
                 const CString& sSel, const CString& tSel);
    ~CConnectedAP() override = default;

    CString IP;
    CString IP_SUBNET;
    CString IP_GATEWAY;
    CString OSI_AP_Title;
    CString OSI_AE_Qualifier;
    CString OSI_PSEL;
    CString OSI_SSEL;
    CString OSI_TSEL;
    CIED ied;
};

// Stores a new CIED under its name; a record it replaces is deleted.
CIED* CreateIed(CMapStringToOb& iedMap, const CString& name, const CString& manufacturer,
                const CString& type, const CString& desc);

// Access point records as the IED header reader hands them out; the holder deletes them.
using CConnectedAPArray = CTypedPtrArray<CObArray, CConnectedAP*>;
