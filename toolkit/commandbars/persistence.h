// CKitCommandBarList: the bars reached from the bars being saved or loaded, each held once, so that popup bars shared by several controls are written once and linked again by id.
#pragma once

#include "toolkit/common/prop_exchange.h"

#include <windows.h>

#include <functional>
#include <vector>

class CKitCommandBar;
class CKitCommandBarManager;
class CKitControls;
class CObject;
struct CRuntimeClass;

class CKitCommandBarList {
public:
    // The first id given to bars that have none.
    static constexpr DWORD kFirstGeneratedId = 0x1000000;
    // Flag of GenerateCommandBarList: the original-controls copies are walked too.
    static constexpr DWORD kWalkOriginals = 1;

    CKitCommandBarList() = default;
    ~CKitCommandBarList();
    CKitCommandBarList(const CKitCommandBarList&) = delete;
    CKitCommandBarList& operator=(const CKitCommandBarList&) = delete;

    // Adds the bar (one reference) unless it is there.
    void Add(CKitCommandBar* pBar);
    BOOL Contains(const CKitCommandBar* pBar) const;
    // The bar with the id, or null.
    CKitCommandBar* FindBar(UINT nBarID) const;
    int GetCount() const { return static_cast<int>(m_bars.size()); }
    CKitCommandBar* GetAt(int nIndex) const { return m_bars[nIndex]; }

private:
    std::vector<CKitCommandBar*> m_bars;
};

// Whether the persistent (non-temporary) controls of the two collections look alike.
BOOL KitSameControls(const CKitControls* pFirst, const CKitControls* pSecond);

// Writes the bar and every bar it reaches through the exchange (the first record is the bar).
void KitSaveBarList(CKitPropExchange* pPX, CKitCommandBar* pBar);
// Reads the bars KitSaveBarList wrote and links their popups; the first bar read, with one
// reference for the caller. Damaged data throws the archive exception.
CKitCommandBar* KitLoadBarList(CKitPropExchange* pPX, CKitCommandBarManager* pCommandBars);

// The named section of the exchange, with the exchange's owner; a missing section throws the archive exception.
CKitPropExchangeSection KitExchangeSection(CKitPropExchange* pPX, LPCSTR lpszName);
// Storing writes the object's class and answers the object; loading creates an object of the class read, which
// must derive from pClass, else the archive exception with the bad-class cause is thrown.
CObject* KitExchangeStoredObject(CKitPropExchange* pPX, CObject* pObject, CRuntimeClass* pClass);
// One object per numbered section of the name: storing writes the class of each of the nCount objects objectAt
// gives, loading creates an object of each stored class (deriving from pClass); either way exchange (object,
// section) follows, the section's owner being pOwner.
void KitExchangeObjectList(CKitPropExchange* pPX, LPCSTR lpszName, DWORD nCount, CObject* pOwner,
                           CRuntimeClass* pClass, const std::function<CObject*(DWORD)>& objectAt,
                           const std::function<void(CObject*, CKitPropExchange*)>& exchange);
