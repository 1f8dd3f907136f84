// The saved state of bars, their controls and their popup links.
#include "toolkit/commandbars/persistence.h"

#include "framework/exceptions.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/control_action.h"
#include "toolkit/commandbars/control_edit.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/menu_bar.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/common/prop_exchange.h"
#include "toolkit/common/resources.h"
#include "toolkit/common/toolkit_ids.h"

#include <algorithm>

namespace {
// The most bars one stored state may hold.
constexpr DWORD kMaxStoredBars = 1024;

using PX = CKitPropExchange;

BOOL ExchangeInt(PX* pPX, LPCSTR lpszName, int& nValue, int nDefault)
{
    return PX::PropExchangeIntWithDefault(pPX, lpszName, nValue, nDefault);
}

// An unsigned field through its signed form.
template <typename T>
void ExchangeUnsigned(PX* pPX, LPCSTR lpszName, T& value, int nDefault)
{
    int n = static_cast<int>(value);
    ExchangeInt(pPX, lpszName, n, nDefault);
    if (pPX->IsLoading())
        value = static_cast<T>(static_cast<unsigned int>(n));
}

// A document-template map: a count, then (id, value) pairs (the archive cannot skip it).
void ExchangeTemplateMap(PX* pPX, CKitControl::CDocTemplateMap& map)
{
    DWORD nCount = static_cast<DWORD>(map.GetCount());
    pPX->ExchangeCount(nCount);
    if (pPX->IsLoading()) {
        map.RemoveAll();
        for (DWORD i = 0; i < nCount; i++) {
            int nId = 0;
            int nValue = 0;
            ExchangeInt(pPX, "Id", nId, 0);
            ExchangeInt(pPX, "Value", nValue, 0);
            map.SetAt(static_cast<UINT>(nId), nValue);
        }
        return;
    }
    POSITION pos = map.GetStartPosition();
    while (pos != nullptr) {
        UINT nTemplate = 0;
        int nValue = 0;
        map.GetNextAssoc(pos, nTemplate, nValue);
        int nId = static_cast<int>(nTemplate);
        ExchangeInt(pPX, "Id", nId, 0);
        ExchangeInt(pPX, "Value", nValue, 0);
    }
}

} // namespace

CKitPropExchangeSection KitExchangeSection(CKitPropExchange* pPX, LPCSTR lpszName)
{
    CKitPropExchange* pSection = pPX->GetSection(lpszName);
    if (pSection == nullptr)
        AfxThrowArchiveException(CArchiveException::genericException);
    pSection->SetOwner(pPX->GetOwner());
    return CKitPropExchangeSection(pSection);
}

CObject* KitExchangeStoredObject(CKitPropExchange* pPX, CObject* pObject, CRuntimeClass* pClass)
{
    if (pPX->IsStoring()) {
        pPX->ExchangeObjectClass(pObject, pClass);
        return pObject;
    }
    CObject* pLoaded = nullptr;
    if (!pPX->ExchangeObjectClass(pLoaded, pClass) || pLoaded == nullptr) {
        delete pLoaded;
        AfxThrowArchiveException(CArchiveException::badClass);
    }
    return pLoaded;
}

void KitExchangeObjectList(CKitPropExchange* pPX, LPCSTR lpszName, DWORD nCount, CObject* pOwner,
                           CRuntimeClass* pClass, const std::function<CObject*(DWORD)>& objectAt,
                           const std::function<void(CObject*, CKitPropExchange*)>& exchange)
{
    CKitPropExchangeEnumerator enumerator(pPX, lpszName);
    POSITION pos = enumerator.GetPosition(nCount);
    DWORD nIndex = 0;
    while (pos != nullptr) {
        CKitPropExchangeSection section(enumerator.GetNext(pos));
        if (static_cast<CKitPropExchange*>(section) == nullptr)
            AfxThrowArchiveException(CArchiveException::genericException);
        section->SetOwner(pOwner);
        CObject* pStored = pPX->IsStoring() ? objectAt(nIndex++) : nullptr;
        exchange(KitExchangeStoredObject(section, pStored, pClass), section);
    }
}

// CKitCommandBarList

CKitCommandBarList::~CKitCommandBarList()
{
    for (CKitCommandBar* pBar : m_bars)
        pBar->InternalRelease();
}

void CKitCommandBarList::Add(CKitCommandBar* pBar)
{
    if (pBar == nullptr || Contains(pBar))
        return;
    pBar->InternalAddRef();
    m_bars.push_back(pBar);
}

BOOL CKitCommandBarList::Contains(const CKitCommandBar* pBar) const
{
    return std::find(m_bars.begin(), m_bars.end(), pBar) != m_bars.end();
}

CKitCommandBar* CKitCommandBarList::FindBar(UINT nBarID) const
{
    for (CKitCommandBar* pBar : m_bars) {
        if (pBar->GetBarID() == nBarID)
            return pBar;
    }
    return nullptr;
}

BOOL KitSameControls(const CKitControls* pFirst, const CKitControls* pSecond)
{
    auto persistent = [](const CKitControls* pControls) {
        std::vector<const CKitControl*> controls;
        for (int i = 0; pControls != nullptr && i < pControls->GetCount(); i++) {
            if (!pControls->GetAt(i)->IsTemporary())
                controls.push_back(pControls->GetAt(i));
        }
        return controls;
    };
    const auto first = persistent(pFirst);
    const auto second = persistent(pSecond);
    if (first.size() != second.size())
        return FALSE;
    for (size_t i = 0; i < first.size(); i++) {
        if (!first[i]->Compare(second[i]))
            return FALSE;
    }
    return TRUE;
}

// Controls

void CKitControl::DoPropExchange(CKitPropExchange* pPX)
{
    const int nSchema = pPX->GetSchema();
    ExchangeInt(pPX, "Type", m_nType, kitControlButton);
    int nId = static_cast<int>(m_nId);
    ExchangeInt(pPX, "Id", nId, -1);
    if (pPX->IsLoading()) {
        m_nId = static_cast<UINT>(nId);
        CKitControlActions* pActions = m_pControls != nullptr ? m_pControls->GetActions() : nullptr;
        if (pActions != nullptr) {
            if (CKitControlAction* pAction = pActions->FindAction(m_nId))
                SetAction(pAction);
        }
    }
    ExchangeUnsigned(pPX, "IconId", m_nIconId, 0);
    PX::PropExchangeBool(pPX, "BeginGroup", m_bBeginGroup, FALSE);
    ExchangeUnsigned(pPX, "Tag", m_nTag, 0);
    ExchangeUnsigned(pPX, "Flags", m_dwFlags, 0);
    ExchangeUnsigned(pPX, "HideFlags", m_dwHideFlags, 0);
    PX::PropExchangeString(pPX, "Caption", m_strCaption, "");
    PX::PropExchangeString(pPX, "ShortcutText", m_strShortcutText, "");
    PX::PropExchangeString(pPX, "TooltipText", m_strTooltip, "");
    PX::PropExchangeString(pPX, "DescriptionText", m_strDescription, "");
    PX::PropExchangeString(pPX, "Parameter", m_strParameter, "");
    ExchangeUnsigned(pPX, "CustomIconId", m_nCustomIconId, 0);
    PX::PropExchangeString(pPX, "CustomCaption", m_strCustomCaption, "");
    if (nSchema > 1)
        PX::PropExchangeString(pPX, "Category", m_strCategory, "");
    // The user's own icon travels with the control, kept in the image manager under its id.
    if (static_cast<int>(m_nCustomIconId) > 0) {
        CKitPropExchangeSection section(KitExchangeSection(pPX, "CustomIcon"));
        CKitImageManagerIconSet::Serialize(GetImageManager(), m_nCustomIconId, section);
    }
    if (nSchema > 3) {
        ExchangeTemplateMap(pPX, m_docTemplatesExcluded);
        ExchangeTemplateMap(pPX, m_docTemplatesAssigned);
        PX::PropExchangeBool(pPX, "DefaultItem", m_bDefaultItem, FALSE);
    }
    if (nSchema > 6)
        PX::PropExchangeBool(pPX, "CloseSubMenuOnClick", m_bCloseSubMenuOnClick, TRUE);
    if (nSchema > 7) {
        ExchangeInt(pPX, "CustomStyle", m_nButtonCustomStyle, -1);
        if (pPX->IsLoading() && nSchema < 18 && m_nButtonCustomStyle == 0)
            m_nButtonCustomStyle = -1;
    }
    if (nSchema > 16)
        ExchangeUnsigned(pPX, "HelpId", m_nHelpId, 0);
    if (nSchema > 17)
        ExchangeInt(pPX, "Style", m_nButtonStyle, 0);
    if (nSchema > 18) {
        ExchangeInt(pPX, "Width", m_nWidth, 0);
        ExchangeInt(pPX, "Height", m_nHeight, 0);
        ExchangeInt(pPX, "ExecuteOnPressInterval", m_nExecuteOnPressInterval, 0);
    }
    if (nSchema > 22)
        PX::PropExchangeString(pPX, "ShortcutTextAuto", m_strShortcutTextAuto, "");
    if (nSchema > 23)
        PX::PropExchangeString(pPX, "KeyboardTip", m_strKeyboardTip, "");
    if (nSchema > 25)
        PX::PropExchangeSize(pPX, "IconSize", m_szIcon, CSize(0, 0));
    if (pPX->IsLoading())
        OnCaptionChanged();
}

void CKitControl::GenerateCommandBarList(DWORD& /*nNextId*/, CKitCommandBarList* /*pList*/, DWORD /*dwFlags*/)
{
}

void CKitControl::RestoreCommandBarList(CKitCommandBarList* /*pList*/)
{
}

void CKitControlButton::DoPropExchange(CKitPropExchange* pPX)
{
    CKitControl::DoPropExchange(pPX);
    if (pPX->GetSchema() < 18)
        ExchangeInt(pPX, "Style", m_nButtonStyle, 0);
}

void CKitControlEdit::DoPropExchange(CKitPropExchange* pPX)
{
    CKitControl::DoPropExchange(pPX);
    const int nSchema = pPX->GetSchema();
    if (nSchema > 5) {
        PX::PropExchangeBool(pPX, "HasLabel", m_bCaptionVisible, FALSE);
        ExchangeInt(pPX, "Width", m_nEditWidth, 0);
    }
    if (nSchema > 7)
        PX::PropExchangeBool(pPX, "ReadOnly", m_bReadOnly, FALSE);
    if (nSchema > 8) {
        PX::PropExchangeString(pPX, "EditHint", m_strHint, "");
        ExchangeUnsigned(pPX, "ShellAutoCompleteFlags", m_dwShellAutoCompleteFlags, 0);
    }
    if (nSchema > 16)
        ExchangeUnsigned(pPX, "EditStyle", m_dwEditStyle, 0);
    if (nSchema > 18)
        PX::PropExchangeBool(pPX, "ShowSpinButtons", m_bSpinButtons, FALSE);
    if (nSchema > 34)
        ExchangeInt(pPX, "TextLimit", m_nCharLimit, 0);
    if (nSchema > 36)
        ExchangeUnsigned(pPX, "EditIconId", m_nEditIconId, 0);
    if (nSchema >= 38)
        ExchangeUnsigned(pPX, "BuddyButtonId", m_nBuddyButtonId, 0);
}

void CKitControlPopup::DoPropExchange(CKitPropExchange* pPX)
{
    CKitControl::DoPropExchange(pPX);
    int nBarId = m_pCommandBar != nullptr ? static_cast<int>(m_pCommandBar->GetBarID()) : 0;
    ExchangeInt(pPX, "CommandBarId", nBarId, 0);
    if (pPX->IsLoading())
        m_nPendingBarId = static_cast<UINT>(nBarId);
    const int nSchema = pPX->GetSchema();
    if (nSchema >= 5 && nSchema <= 17)
        ExchangeInt(pPX, "Style", m_nButtonStyle, 0);
}

void CKitControlPopup::GenerateCommandBarList(DWORD& nNextId, CKitCommandBarList* pList, DWORD dwFlags)
{
    if (m_pCommandBar != nullptr)
        m_pCommandBar->GenerateCommandBarList(nNextId, pList, dwFlags);
}

void CKitControlPopup::RestoreCommandBarList(CKitCommandBarList* pList)
{
    if (m_nPendingBarId == 0)
        return;
    CKitCommandBar* pBar = pList->FindBar(m_nPendingBarId);
    m_nPendingBarId = 0;
    if (pBar == nullptr)
        return;
    pBar->InternalAddRef();
    SetCommandBar(pBar);
    pBar->RestoreCommandBarList(pList);
}

// CKitControls

void CKitControls::DoPropExchange(CKitPropExchange* pPX)
{
    std::vector<CKitControl*> persistent;
    if (pPX->IsStoring()) {
        for (CKitControl* pControl : m_controls) {
            if (IsPersistent(pControl))
                persistent.push_back(pControl);
        }
    } else {
        RemoveReplaceable();
    }
    KitExchangeObjectList(
        pPX, "Control", static_cast<DWORD>(persistent.size()), pPX->GetOwner(), RUNTIME_CLASS(CKitControl),
        [&](DWORD nIndex) { return persistent[nIndex]; },
        [&](CObject* pObject, CKitPropExchange* pSection) {
            auto* pControl = static_cast<CKitControl*>(pObject);
            if (pPX->IsLoading())
                InsertAt(pControl, -1);
            pControl->DoPropExchange(pSection);
        });
    if (pPX->IsLoading())
        OnChanged();
    if (pPX->GetSchema() < 3)
        return;

    CKitCommandBarManager* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr && pPX->GetOwner() != nullptr)
        pCommandBars = DYNAMIC_DOWNCAST(CKitCommandBarManager, pPX->GetOwner());
    const BOOL bSaveOriginals = pCommandBars == nullptr || pCommandBars->GetCommandBarsOptions()->bSaveOriginalControls;
    BOOL bOriginal = pPX->IsStoring() && m_pOriginalControls != nullptr && bSaveOriginals;
    PX::PropExchangeBool(pPX, "OriginalControls", bOriginal, FALSE);
    if (bOriginal) {
        CKitPropExchangeSection section = KitExchangeSection(pPX, "OriginalControls");
        if (pPX->IsStoring()) {
            m_pOriginalControls->DoPropExchange(section);
        } else {
            auto* pOriginal = new CKitOriginalControls();
            pOriginal->SetActions(m_pActions);
            try {
                pOriginal->DoPropExchange(section);
            } catch (...) {
                pOriginal->InternalRelease();
                throw;
            }
            SetOriginalControls(pOriginal);
        }
    }
    BOOL bCustomized = FALSE;
    PX::PropExchangeBool(pPX, "CustomizedControls", bCustomized, FALSE);
    if (pPX->IsLoading() && bCustomized) {
        CKitPropExchangeSection section = KitExchangeSection(pPX, "CustomizedControls");
        auto* pDropped = new CKitControls();
        try {
            pDropped->DoPropExchange(section);
        } catch (...) {
            pDropped->InternalRelease();
            throw;
        }
        pDropped->InternalRelease();
    }
}

void CKitControls::GenerateCommandBarList(DWORD& nNextId, CKitCommandBarList* pList, DWORD dwFlags)
{
    for (CKitControl* pControl : m_controls) {
        if (!pControl->IsTemporary())
            pControl->GenerateCommandBarList(nNextId, pList, dwFlags);
    }
    if ((dwFlags & CKitCommandBarList::kWalkOriginals) != 0 && m_pOriginalControls != nullptr)
        m_pOriginalControls->GenerateCommandBarList(nNextId, pList, dwFlags);
}

void CKitControls::RestoreCommandBarList(CKitCommandBarList* pList)
{
    for (CKitControl* pControl : m_controls)
        pControl->RestoreCommandBarList(pList);
    if (m_pOriginalControls != nullptr)
        m_pOriginalControls->RestoreCommandBarList(pList);
}

// Bars

void CKitCommandBar::DoPropExchange(CKitPropExchange* pPX)
{
    const int nSchema = pPX->GetSchema();
    if (pPX->IsLoading() && pPX->GetOwner() != nullptr) {
        if (auto* pCommandBars = DYNAMIC_DOWNCAST(CKitCommandBarManager, pPX->GetOwner()))
            m_pCommandBars = pCommandBars;
    }
    ExchangeInt(pPX, "Type", m_nBarType, kitBarTypeNormal);
    ExchangeInt(pPX, "Position", m_nBarPosition, kitBarTop);
    ExchangeUnsigned(pPX, "BarID", m_nBarID, 0);
    ExchangeUnsigned(pPX, "Flags", m_dwFlags, 0);
    ExchangeUnsigned(pPX, "Style", m_dwStyle, 0);
    PX::PropExchangeString(pPX, "Title", m_strTitle, "");
    PX::PropExchangeBool(pPX, "Customizable", m_bCustomizable, TRUE);
    ExchangeInt(pPX, "MRUWidth", m_nMRUWidth, 0);
    if (nSchema > 2)
        PX::PropExchangeSize(pPX, "IconSize", m_szIcons, CSize(0, 0));
    auto* pToolBar = DYNAMIC_DOWNCAST(CKitToolBar, this);
    if (nSchema > 17) {
        PX::PropExchangeSize(pPX, "ButtonSize", m_szButtons, CSize(0, 0));
        int nTextBelow = pToolBar != nullptr ? pToolBar->GetShowTextBelowIcons() : 2;
        if (pToolBar != nullptr && pPX->IsStoring())
            nTextBelow = pToolBar->GetStoredShowTextBelowIcons();
        ExchangeInt(pPX, "ShowTextBelowIcons", nTextBelow, 2);
        BOOL bAnimation = pToolBar != nullptr ? pToolBar->IsAnimationEnabled() : FALSE;
        PX::PropExchangeBool(pPX, "EnableAnimation", bAnimation, FALSE);
        if (pPX->IsLoading() && pToolBar != nullptr) {
            pToolBar->SetShowTextBelowIcons(nTextBelow);
            pToolBar->SetAnimationEnabled(bAnimation);
        }
    }
    if (nSchema > 18)
        ExchangeInt(pPX, "DefaultButtonStyle", m_nDefaultButtonStyle, 0);
    CKitPropExchangeSection section = KitExchangeSection(pPX, "Controls");
    if (pPX->IsLoading())
        m_pControls->SetParent(this);
    m_pControls->DoPropExchange(section);
}

void CKitCommandBar::GenerateCommandBarList(DWORD& nNextId, CKitCommandBarList* pList, DWORD dwFlags)
{
    if (pList->Contains(this))
        return;
    pList->Add(this);
    if (!IsKindOf(RUNTIME_CLASS(CKitToolBar)) && (m_nBarID == 0 || m_nBarID >= CKitCommandBarList::kFirstGeneratedId))
        m_nBarID = nNextId++;
    m_pControls->GenerateCommandBarList(nNextId, pList, dwFlags);
}

void CKitCommandBar::RestoreCommandBarList(CKitCommandBarList* pList)
{
    m_pControls->RestoreCommandBarList(pList);
}

void CKitPopupBar::DoPropExchange(CKitPropExchange* pPX)
{
    CKitCommandBar::DoPropExchange(pPX);
    const int nSchema = pPX->GetSchema();
    PX::PropExchangeBool(pPX, "TearOffPopup", m_bTearOffPopup, FALSE);
    PX::PropExchangeString(pPX, "TearOffCaption", m_strTearOffCaption, "");
    ExchangeUnsigned(pPX, "TearOffId", m_nTearOffId, 0);
    ExchangeInt(pPX, "TearOffWidth", m_nTearOffWidth, 0);
    if (nSchema > 3) {
        PX::PropExchangeRect(pPX, "Borders", m_rcBorders, CRect(2, 4, 2, 4));
        PX::PropExchangeBool(pPX, "ShowShadow", m_bShowShadow, TRUE);
    }
    if (nSchema >= 9)
        PX::PropExchangeBool(pPX, "DoubleGripper", m_bDoubleGripper, FALSE);
    if (pPX->IsLoading() && nSchema < 20)
        SetPaintBackground(TRUE);
    if (nSchema > 18)
        PX::PropExchangeBool(pPX, "ContextMenu", m_bContextMenu, FALSE);
}

void CKitToolBar::DoPropExchange(CKitPropExchange* pPX)
{
    CKitCommandBar::DoPropExchange(pPX);
    const int nSchema = pPX->GetSchema();
    PX::PropExchangeBool(pPX, "BuiltIn", m_bBuiltIn, TRUE);
    PX::PropExchangeBool(pPX, "TearOff", m_bTearOff, FALSE);
    if (nSchema >= 7)
        PX::PropExchangeBool(pPX, "Closeable", m_bCloseable, TRUE);
    if (nSchema >= 8)
        PX::PropExchangeBool(pPX, "ContextMenuPresent", m_bContextMenuPresent, TRUE);
    if (nSchema > 16)
        PX::PropExchangeBool(pPX, "CustomizeDialogPresent", m_bCustomizeDialogPresent, TRUE);
    if (pPX->IsLoading() && m_nBarType == kitBarTypeMenuBar)
        m_bCloseable = FALSE;
}

void CKitMenuBar::DoPropExchange(CKitPropExchange* pPX)
{
    if (pPX->IsStoring() && m_pMDIMenus->GetCount() > 0)
        ActivateMDIMenu(m_nIDDefaultMenu, nullptr);
    CKitToolBar::DoPropExchange(pPX);
    ExchangeUnsigned(pPX, "ResourceId", m_nIDDefaultMenu, 0);
    if (pPX->IsLoading() && pPX->GetSchema() <= 4)
        return;
    std::vector<CKitMenuBarMDIMenuInfo*> infos;
    for (const auto& entry : m_pMDIMenus->GetMap())
        infos.push_back(entry.second);
    DWORD nCount = static_cast<DWORD>(infos.size());
    pPX->ExchangeCount(nCount);
    if (pPX->IsLoading() && nCount > kMaxStoredBars)
        AfxThrowArchiveException(CArchiveException::badIndex);
    for (DWORD i = 0; i < nCount; i++) {
        CString strSection;
        strSection.Format("%s%i", "MDIMenu", static_cast<int>(i));
        CKitPropExchangeSection section = KitExchangeSection(pPX, strSection);
        int nId = pPX->IsStoring() ? static_cast<int>(infos[i]->m_nIDMenu) : 0;
        ExchangeInt(section, "Id", nId, 0);
        CKitMenuBarMDIMenuInfo* pInfo = pPX->IsStoring() ? infos[i] : m_pMDIMenus->Lookup(static_cast<UINT>(nId));
        if (pInfo == nullptr) {
            pInfo = new CKitMenuBarMDIMenuInfo(GetCommandBars(), static_cast<UINT>(nId));
            m_pMDIMenus->SetAt(static_cast<UINT>(nId), pInfo);
        }
        CKitPropExchangeSection controls = KitExchangeSection(section, "Controls");
        pInfo->m_pControls->DoPropExchange(controls);
    }
}

// Saving and loading a bar with the bars it reaches

void KitSaveBarList(CKitPropExchange* pPX, CKitCommandBar* pBar)
{
    CKitCommandBarList list;
    DWORD nNextId = CKitCommandBarList::kFirstGeneratedId;
    pBar->GenerateCommandBarList(nNextId, &list, CKitCommandBarList::kWalkOriginals);
    DWORD nCount = static_cast<DWORD>(list.GetCount());
    pPX->ExchangeCount(nCount);
    for (int i = 0; i < list.GetCount(); i++) {
        CObject* pObject = list.GetAt(i);
        pPX->ExchangeObjectClass(pObject, RUNTIME_CLASS(CKitCommandBar));
        list.GetAt(i)->DoPropExchange(pPX);
    }
}

CKitCommandBar* KitLoadBarList(CKitPropExchange* pPX, CKitCommandBarManager* pCommandBars)
{
    DWORD nCount = 0;
    pPX->ExchangeCount(nCount);
    if (nCount == 0 || nCount > kMaxStoredBars)
        AfxThrowArchiveException(CArchiveException::badIndex);
    pPX->SetOwner(pCommandBars);
    CKitCommandBarList list;
    for (DWORD i = 0; i < nCount; i++) {
        CObject* pObject = nullptr;
        if (!pPX->ExchangeObjectClass(pObject, RUNTIME_CLASS(CKitCommandBar)) || pObject == nullptr) {
            delete pObject;
            AfxThrowArchiveException(CArchiveException::badClass);
        }
        auto* pBar = static_cast<CKitCommandBar*>(pObject);
        pBar->SetCommandBars(pCommandBars);
        list.Add(pBar);
        pBar->InternalRelease();
        pBar->DoPropExchange(pPX);
    }
    for (int i = 0; i < list.GetCount(); i++)
        list.GetAt(i)->RestoreCommandBarList(&list);
    CKitCommandBar* pFirst = list.GetAt(0);
    pFirst->InternalAddRef();
    return pFirst;
}

void CKitToolBar::MergeLoadedState(CKitToolBar* pLoaded, BOOL bAsk)
{
    CKitOriginalControls* pOriginal = m_pControls->GetOriginalControls();
    CKitOriginalControls* pLoadedOriginal = pLoaded->GetControls()->GetOriginalControls();
    if (pOriginal != nullptr && pLoadedOriginal != nullptr && !KitSameControls(pOriginal, pLoadedOriginal) && bAsk &&
        !KitSameControls(pLoaded->GetControls(), pOriginal)) {
        CString strText;
        strText.Format(CKitResourceManager::Instance()->LoadStringOrEmpty(IDS_KIT_TOOLBAR_CHANGED),
                       static_cast<LPCSTR>(m_strTitle));
        if (CKitResourceManager::Instance()->ShowMessageBox(strText, MB_YESNO | MB_ICONQUESTION) == IDYES)
            return;
    }
    if (pOriginal != nullptr)
        pOriginal->InternalAddRef();
    const int nPosition = m_nBarPosition;
    CopyFromBar(pLoaded);
    m_nBarPosition = nPosition;
    m_bBuiltIn = pLoaded->m_bBuiltIn;
    m_bCloseable = pLoaded->m_bCloseable;
    // The built-in set stays the reference for later comparisons.
    if (pOriginal != nullptr)
        m_pControls->SetOriginalControls(pOriginal);
    OnControlsChanged();
}
