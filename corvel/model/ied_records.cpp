#include "corvel/model/ied_records.h"

CIED::CIED(const CString& name_, const CString& manufacturer_, const CString& type_, const CString& desc_)
    : name(name_), manufacturer(manufacturer_), type(type_), desc(desc_)
{
}

CIED& CIED::operator=(const CIED& other)
{
    if (this != &other) {
        name = other.name;
        manufacturer = other.manufacturer;
        type = other.type;
        desc = other.desc;
    }
    return *this;
}

CConnectedAP::CConnectedAP(CIED ied_, const CString& ip, const CString& ipSubnet, const CString& ipGateway,
                           const CString& apTitle, const CString& aeQualifier, const CString& pSel,
                           const CString& sSel, const CString& tSel)
    : IP(ip), IP_SUBNET(ipSubnet), IP_GATEWAY(ipGateway), OSI_AP_Title(apTitle),
      OSI_AE_Qualifier(aeQualifier), OSI_PSEL(pSel), OSI_SSEL(sSel), OSI_TSEL(tSel), ied(ied_)
{
}

CIED* CreateIed(CMapStringToOb& iedMap, const CString& name, const CString& manufacturer,
                const CString& type, const CString& desc)
{
    CIED* record = new CIED(name, manufacturer, type, desc);
    CObject* previous = nullptr;
    if (iedMap.Lookup(name, previous) && previous != record)
        delete previous;
    iedMap.SetAt(name, record);
    return record;
}
