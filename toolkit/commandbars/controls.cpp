#include "toolkit/commandbars/controls.h"

#include "framework/gdi.h"
#include "framework/ids.h"
#include "framework/menu.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/control_combo.h"
#include "toolkit/commandbars/control_edit.h"
#include "toolkit/commandbars/control_action.h"
#include "toolkit/commandbars/control_custom.h"
#include "toolkit/commandbars/control_extended.h"
#include "toolkit/commandbars/control_gallery.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/common/resources.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CKitControls, CCmdTarget)
IMPLEMENT_DYNCREATE(CKitOriginalControls, CKitControls)

namespace {

// The longest menu text read.
constexpr int kMaxMenuText = 1024;
// Ids with actions of their own, never made from the table.
constexpr UINT kFirstReservedRange = 9100;
constexpr UINT kLastReservedRange = 9299;

BOOL IsPopupKind(int nType)
{
    return nType == kitControlPopup || nType == kitControlButtonPopup || nType == kitControlSplitButtonPopup;
}

// Whether the collection may make an action for the id.
BOOL IsActionId(UINT nId)
{
    return nId >= 1 && nId < CKitControlActions::kMaxActionId &&
           !(nId >= kFirstReservedRange && nId <= kLastReservedRange) &&
           !(nId >= CKitControls::kIdWindowList && nId <= CKitControls::kIdRecentFileList);
}

} // namespace

CKitControl* KitCreateControl(int nType)
{
    switch (nType) {
    case kitControlButton:
        return new CKitControlButton();
    case kitControlPopup:
    case kitControlButtonPopup:
    case kitControlSplitButtonPopup:
        return new CKitControlPopup(nType);
    case kitControlComboBox:
        return new CKitControlComboBox();
    case kitControlEdit:
        return new CKitControlEdit();
    case kitControlGallery:
        return new CKitControlGallery();
    case kitControlCustom:
        return new CKitControlCustom();
    case kitControlLabel:
        return new CKitControlLabel();
    case kitControlCheckBox:
        return new CKitControlCheckBox();
    case kitControlRadioButton:
        return new CKitControlRadioButton();
    default:
        return nullptr;
    }
}

namespace {

// A button of a reserved id is the placeholder that stands for its list; null for any other id.
CKitControl* CreatePlaceholder(UINT nId, BOOL bTemporary)
{
    switch (nId) {
    case CKitControls::kIdWindowList:
        return new CKitControlWindowList();
    case CKitControls::kIdRecentFileList:
        return bTemporary ? nullptr : new CKitControlRecentFileList();
    case ID_VIEW_TOOLBAR:
        return new CKitControlToolbars();
    default:
        return nullptr;
    }
}

// A menu item of a reserved id is the placeholder that stands for its list; null for any other item.
CKitControl* CreateMenuPlaceholder(UINT nId, const CString& strText)
{
    switch (nId) {
    case CKitControls::kIdWindowList:
    case ID_VIEW_TOOLBAR:
        return CreatePlaceholder(nId, FALSE);
    case ID_OLE_VERB_FIRST:
        return strText == CKitControls::kOleVerbsPlaceholder ? new CKitControlOleItems() : nullptr;
    case ID_FILE_MRU_FILE1:
        return new CKitControlRecentFileList();
    default:
        return nullptr;
    }
}

} // namespace

CKitControls::~CKitControls()
{
    RemoveAll();
    SetOriginalControls(nullptr);
}

CKitControlActions* CKitControls::GetActions() const
{
    if (m_pActions != nullptr)
        return m_pActions;
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    return pCommandBars != nullptr ? pCommandBars->GetActions() : nullptr;
}

CKitCommandBarManager* CKitControls::GetCommandBars() const
{
    return m_pParent != nullptr ? m_pParent->GetCommandBars() : nullptr;
}

void CKitControls::AssignId(CKitControl* pControl, UINT nId, const CString& strMenuText, BOOL bFromMenu)
{
    CKitControlActions* pActions = GetActions();
    CKitControlAction* pAction = pControl->GetAction();
    if (pAction == nullptr && pActions != nullptr) {
        pAction = pActions->FindAction(nId);
        if (pAction == nullptr && IsActionId(nId))
            pAction = pActions->CreateAction(nId);
        if (pAction != nullptr) {
            if (bFromMenu && pAction->GetCaption().IsEmpty())
                pAction->SetCaption(strMenuText);
            pControl->SetAction(pAction);
        }
    }
    if (pControl->GetAction() != nullptr)
        return;
    pControl->SetId(nId);
    if (bFromMenu)
        pControl->SetCaption(strMenuText);
}

CKitControl* CKitControls::Add(int nType, UINT nId, LPCSTR lpszParameter, int nBefore, BOOL bTemporary)
{
    CKitControl* pControl = nType == kitControlButton ? CreatePlaceholder(nId, bTemporary) : nullptr;
    if (pControl == nullptr)
        pControl = KitCreateControl(nType);
    if (pControl == nullptr)
        return nullptr;
    if (IsPopupKind(nType) && static_cast<int>(nId) > 0) {
        CMenu menu;
        if (CKitResourceManager::Instance()->LoadMenu(menu, nId) && menu.GetSubMenu(0) != nullptr) {
            auto* pBar = new CKitPopupBar();
            pBar->SetCommandBars(GetCommandBars());
            pBar->GetControls()->SetActions(m_pActions);
            pBar->LoadMenu(menu.GetSubMenu(0)->GetSafeHmenu(), TRUE);
            static_cast<CKitControlPopup*>(pControl)->SetCommandBar(pBar);
        }
    }
    return Add(pControl, nId, lpszParameter, nBefore, bTemporary);
}

CKitControl* CKitControls::Add(CKitControl* pControl, UINT nId, LPCSTR lpszParameter, int nBefore, BOOL bTemporary)
{
    if (pControl == nullptr)
        return nullptr;
    pControl->SetParameter(lpszParameter);
    pControl->SetTemporary(bTemporary);
    AssignId(pControl, nId, CString(), FALSE);
    return InsertAt(pControl, nBefore);
}

CKitControl* CKitControls::InsertAt(CKitControl* pControl, int nBefore)
{
    if (pControl == nullptr)
        return nullptr;
    if (nBefore < 0 || nBefore >= GetCount())
        m_controls.push_back(pControl);
    else
        m_controls.insert(m_controls.begin() + nBefore, pControl);
    OnControlAdded(pControl);
    return pControl;
}

CKitControl* CKitControls::AddClone(const CKitControl* pControl, int nBefore, BOOL bRecursive)
{
    if (pControl == nullptr)
        return nullptr;
    auto* pClone = static_cast<CKitControl*>(pControl->GetRuntimeClass()->CreateObject());
    if (pClone == nullptr)
        return nullptr;
    InsertAt(pClone, nBefore);
    pClone->Copy(pControl, bRecursive);
    return pClone;
}

void CKitControls::Remove(CKitControl* pControl)
{
    if (pControl == nullptr || pControl->m_pControls != this)
        return;
    auto it = std::find(m_controls.begin(), m_controls.end(), pControl);
    if (it == m_controls.end())
        return;
    if (pControl->IsVisible() && m_pParent != nullptr)
        m_pParent->ClearSelection();
    if (OnControlRemoving(pControl))
        return;
    m_controls.erase(it);
    OnControlRemoved(pControl);
    pControl->SetParent(nullptr);
    pControl->InternalRelease();
}

void CKitControls::RemoveAll()
{
    for (int i = GetCount() - 1; i >= 0; --i)
        Remove(GetAt(i));
}

void CKitControls::OnControlRemoved(CKitControl* pControl)
{
    pControl->m_pControls = nullptr;
    pControl->m_nIndex = -1;
    pControl->OnRemoved();
    pControl->SetParent(nullptr);
    OnChanged();
}

void CKitControls::OnChanged()
{
    for (int i = 0; i < GetCount(); ++i) {
        CKitControl* pControl = m_controls[i];
        pControl->m_nIndex = i;
        pControl->m_pControls = this;
        pControl->SetParent(m_pParent);
    }
    if (m_pParent != nullptr)
        m_pParent->OnControlsChanged();
}

CKitControl* CKitControls::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_controls[nIndex] : nullptr;
}

int CKitControls::IndexOf(const CKitControl* pControl) const
{
    auto it = std::find(m_controls.begin(), m_controls.end(), pControl);
    return it != m_controls.end() ? static_cast<int>(it - m_controls.begin()) : -1;
}

CKitControl* CKitControls::FindControl(int nType, int nId, BOOL bVisible, BOOL bRecursive) const
{
    for (CKitControl* pControl : m_controls) {
        if (bVisible && !pControl->IsVisible())
            continue;
        if ((nType == 0 || pControl->GetType() == nType) && (nId == -1 || static_cast<int>(pControl->GetId()) == nId))
            return pControl;
        if (!bRecursive)
            continue;
        CKitCommandBar* pBar = pControl->GetCommandBar();
        if (pBar == nullptr)
            continue;
        if (CKitControl* pFound = pBar->GetControls()->FindControl(nType, nId, bVisible, bRecursive))
            return pFound;
    }
    return nullptr;
}

CKitControl* CKitControls::HitTest(CPoint pt) const
{
    for (CKitControl* pControl : m_controls) {
        if (pControl->IsVisible() && pControl->GetRect().PtInRect(pt))
            return pControl;
    }
    return nullptr;
}

int CKitControls::GetNext(int nIndex, int nDirection, BOOL bSkipNoFocus, BOOL bSkipTemporary, BOOL bStrict) const
{
    const int nCount = GetCount();
    if (nCount == 0)
        return -1;
    int nNext = nIndex == -1 && nDirection < 0 ? nCount - 1 : nIndex + nDirection;
    if (nNext == nIndex)
        return nIndex;
    const DWORD dwSkip = bStrict ? kitHideExpand : (kitHideExpand | kitHideGeneric);
    BOOL bWrapped = FALSE;
    for (;;) {
        if (nNext >= nCount) {
            if (nIndex == -1 || bWrapped)
                return -1;
            bWrapped = TRUE;
            nNext = 0;
        } else if (nNext < 0) {
            if (nIndex == -1 || bWrapped)
                return -1;
            bWrapped = TRUE;
            nNext = nCount - 1;
        }
        if (nNext == nIndex)
            return nIndex;
        const CKitControl* pControl = m_controls[nNext];
        if (pControl->IsVisible(dwSkip) && !(bSkipNoFocus && (pControl->GetFlags() & kitFlagSkipFocus)) &&
            !(bSkipTemporary && pControl->IsTemporary()))
            return nNext;
        nNext += nDirection;
    }
}

int CKitControls::GetVisibleCount(BOOL bAll) const
{
    const DWORD dwSkip = bAll ? 0 : kitHideWrap;
    return static_cast<int>(std::count_if(m_controls.begin(), m_controls.end(),
                                          [dwSkip](const CKitControl* p) { return p->IsVisible(dwSkip); }));
}

CKitControl* CKitControls::GetVisibleAt(int nIndex, BOOL bAll) const
{
    const DWORD dwSkip = bAll ? 0 : kitHideWrap;
    for (CKitControl* pControl : m_controls) {
        if (pControl->IsVisible(dwSkip) && nIndex-- == 0)
            return pControl;
    }
    return nullptr;
}

void CKitControls::SetParent(CKitCommandBar* pParent)
{
    m_pParent = pParent;
    if (!m_controls.empty())
        OnChanged();
}

CKitControl* CKitControls::SetControlType(CKitControl* pControl, int nType)
{
    const int nIndex = IndexOf(pControl);
    if (nIndex < 0)
        return nullptr;
    if (pControl->GetType() == nType)
        return pControl;
    if (IsPopupKind(pControl->GetType()) && IsPopupKind(nType)) {
        pControl->SetType(nType);
        return pControl;
    }
    CKitControl* pNew = KitCreateControl(nType);
    if (pNew == nullptr)
        return nullptr;
    InsertAt(pNew, nIndex + 1);
    pNew->Copy(pControl, FALSE);
    pNew->SetType(nType);
    Remove(pControl);
    return pNew;
}

void CKitControls::SetOriginalControls(CKitOriginalControls* pControls)
{
    if (m_pOriginalControls != nullptr)
        m_pOriginalControls->InternalRelease();
    m_pOriginalControls = pControls;
}

void CKitControls::CreateOriginalControls()
{
    auto* pOriginal = new CKitOriginalControls();
    for (const CKitControl* pControl : m_controls) {
        if (!pControl->IsTemporary())
            pOriginal->AddClone(pControl, -1, TRUE);
    }
    SetOriginalControls(pOriginal);
}

BOOL CKitControls::IsChanged() const
{
    if (m_pOriginalControls == nullptr)
        return FALSE;
    std::vector<const CKitControl*> own;
    std::vector<const CKitControl*> original;
    for (const CKitControl* pControl : m_controls) {
        if (!pControl->IsTemporary())
            own.push_back(pControl);
    }
    for (const CKitControl* pControl : m_pOriginalControls->m_controls) {
        if (!pControl->IsTemporary())
            original.push_back(pControl);
    }
    if (own.size() != original.size())
        return TRUE;
    for (size_t i = 0; i < own.size(); ++i) {
        if (!own[i]->Compare(original[i]))
            return TRUE;
    }
    return FALSE;
}

CKitControls* CKitControls::Duplicate(BOOL bRecursive) const
{
    auto* pDuplicate = static_cast<CKitControls*>(GetRuntimeClass()->CreateObject());
    pDuplicate->m_pActions = m_pActions;
    pDuplicate->Copy(this, bRecursive);
    return pDuplicate;
}

void CKitControls::Copy(const CKitControls* pSource, BOOL bRecursive)
{
    if (pSource == nullptr || pSource == this)
        return;
    RemoveReplaceable();
    for (const CKitControl* pControl : pSource->m_controls) {
        if (pSource->IsPersistent(pControl))
            AddClone(pControl, -1, bRecursive);
    }
    SetOriginalControls(pSource->m_pOriginalControls != nullptr
                            ? static_cast<CKitOriginalControls*>(pSource->m_pOriginalControls->Duplicate(bRecursive))
                            : nullptr);
}

BOOL CKitControls::IsPersistent(const CKitControl* pControl) const
{
    return !pControl->IsTemporary();
}

CWnd* CKitControls::GetSite() const
{
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    if (pCommandBars != nullptr && pCommandBars->GetSite() != nullptr)
        return pCommandBars->GetSite();
    return m_pParent != nullptr ? m_pParent->GetSite() : nullptr;
}

CKitControl* CKitControls::AddCommandId(UINT nId, BOOL bBeginGroup)
{
    KIT_CONTROL_FROM_MENU record{nId, nullptr, GetCount(), CKitResourceManager::Instance()->LoadStringOrEmpty(nId),
                                 kitControlButton, nullptr, nullptr};
    record.bBeginGroup = bBeginGroup;
    CWnd* pSite = GetSite();
    if (pSite != nullptr && pSite->GetSafeHwnd() == nullptr)
        pSite = nullptr;
    const BOOL bAnswered =
        pSite != nullptr && pSite->SendMessage(WM_KIT_CONTROL_CREATE, 0, reinterpret_cast<LPARAM>(&record)) != 0;
    CKitControl* pControl = nullptr;
    if (bAnswered && record.pControl != nullptr) {
        pControl = InsertAt(record.pControl, -1);
    } else {
        // A control handed over without an answer is not taken.
        if (record.pControl != nullptr)
            record.pControl->InternalRelease();
        pControl = Add(bAnswered ? record.nType : kitControlButton, nId);
        if (pControl == nullptr)
            return nullptr;
    }
    if (IsPopupKind(pControl->GetType()) && pControl->GetId() != nId)
        pControl->SetId(nId);
    pControl->SetBeginGroup(record.bBeginGroup);
    if (record.dwFlags != 0)
        pControl->SetFlags(pControl->GetFlags() | record.dwFlags);
    record.pControl = pControl;
    if (pSite != nullptr)
        pSite->SendMessage(WM_KIT_CONTROL_CREATED, 0, reinterpret_cast<LPARAM>(&record));
    return pControl;
}

void CKitControls::AddCommandIds(const UINT* pIds, int nCount)
{
    BOOL bBeginGroup = FALSE;
    for (int i = 0; i < nCount; i++) {
        if (pIds[i] == 0) {
            bBeginGroup = TRUE;
            continue;
        }
        if (AddCommandId(pIds[i], bBeginGroup) != nullptr)
            bBeginGroup = FALSE;
    }
}

CKitControl* CKitControls::AddMenuItem(CMenu* pMenu, int nIndex)
{
    if (pMenu == nullptr)
        return nullptr;
    HMENU hMenu = pMenu->GetSafeHmenu();
    HMENU hSubMenu = ::GetSubMenu(hMenu, nIndex);
    const UINT nId = hSubMenu != nullptr ? 0 : ::GetMenuItemID(hMenu, nIndex);
    if (nId == AFX_IDM_FIRST_MDICHILD)
        return nullptr;
    const BOOL bDefault =
        static_cast<int>(::GetMenuDefaultItem(hMenu, TRUE, GMDI_USEDISABLED)) == nIndex;

    char szText[kMaxMenuText + 1] = "";
    ::GetMenuStringA(hMenu, nIndex, szText, kMaxMenuText, MF_BYPOSITION);
    CString strText = szText;
    if (hSubMenu != nullptr) {
        const int nTab = strText.Find('\t');
        if (nTab >= 0 && atoi(strText.Mid(nTab + 1)) != 0)
            strText = strText.Left(nTab);
    }

    KIT_CONTROL_FROM_MENU record{nId, pMenu, nIndex, strText, hSubMenu != nullptr ? kitControlPopup : kitControlButton,
                                 nullptr, nullptr};
    CWnd* pSite = GetSite();
    if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
        pSite->SendMessage(WM_KIT_CONTROL_CREATE, 0, reinterpret_cast<LPARAM>(&record));

    CKitControl* pControl = record.pControl;
    if (pControl == nullptr) {
        if (record.nType == kitControlButton)
            pControl = CreateMenuPlaceholder(nId, record.strCaption);
        if (pControl == nullptr)
            pControl = KitCreateControl(record.nType);
        if (pControl == nullptr)
            return nullptr;
        if (IsPopupKind(record.nType)) {
            if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
                pSite->SendMessage(WM_KIT_POPUP_BAR_CREATE, 0, reinterpret_cast<LPARAM>(&record));
            CKitCommandBar* pBar = record.pCommandBar;
            if (pBar == nullptr) {
                pBar = new CKitPopupBar();
                pBar->SetCommandBars(GetCommandBars());
            }
            pBar->SetTitle(record.strCaption);
            pBar->GetControls()->SetActions(m_pActions);
            CMenu menu;
            CMenu* pItemMenu = hSubMenu != nullptr ? CMenu::FromHandle(hSubMenu) : nullptr;
            if (pItemMenu == nullptr && static_cast<int>(nId) > 0 &&
                CKitResourceManager::Instance()->LoadMenu(menu, nId))
                pItemMenu = menu.GetSubMenu(0);
            if (pItemMenu != nullptr)
                pBar->LoadMenu(pItemMenu->GetSafeHmenu(), TRUE);
            static_cast<CKitControlPopup*>(pControl)->SetCommandBar(pBar);
        }
    }
    AssignId(pControl, nId, record.strCaption, TRUE);
    if (bDefault)
        pControl->SetDefaultItem(TRUE);
    InsertAt(pControl, -1);
    record.pControl = pControl;
    if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
        pSite->SendMessage(WM_KIT_CONTROL_CREATED, 0, reinterpret_cast<LPARAM>(&record));
    return pControl;
}

CSize CKitControls::CalcPopupSize(CDC* pDC, int nMaxHeight, const KitPopupLayoutMetrics& metrics)
{
    const CRect& rcBorders = metrics.rcBorders;
    const int nMaxItemWidth = metrics.nWorkAreaRight / 3;
    int x = rcBorders.left;
    int y = rcBorders.top;
    int nColumnWidth = 0;
    int nTotalWidth = 0;
    int nTallest = 0;
    std::vector<CKitControl*> column;

    auto finishColumn = [&]() {
        for (CKitControl* pControl : column) {
            CRect rc = pControl->GetRect();
            rc.right = rc.left + nColumnWidth;
            pControl->SetRect(rc);
        }
        nTotalWidth = x - rcBorders.left + nColumnWidth;
        nTallest = std::max<int>(nTallest, y - rcBorders.top);
        column.clear();
    };

    for (CKitControl* pControl : m_controls) {
        pControl->SetHideFlags(pControl->GetHideFlags() & ~kitHideExpand);
        pControl->SetWrap(FALSE);
        if (!pControl->IsVisible())
            continue;
        CSize size = pControl->GetSize(pDC);
        if (!metrics.bWideItemsAllowed && nMaxItemWidth > 0 && size.cx > nMaxItemWidth)
            size.cx = nMaxItemWidth;
        const BOOL bFirstInColumn = column.empty();
        const int nGap = pControl->GetBeginGroup() && !bFirstInColumn ? metrics.nSeparatorHeight : 0;
        const BOOL bBreak = (pControl->GetFlags() & kitFlagWrapRow) != 0 ||
                            (nMaxHeight > 0 && y + nGap + size.cy > nMaxHeight - rcBorders.bottom);
        if (!bFirstInColumn && bBreak) {
            const int nPreviousWidth = nColumnWidth;
            finishColumn();
            x += nPreviousWidth + (pControl->GetBeginGroup() ? metrics.nSeparatorWidth : 0);
            y = rcBorders.top;
            nColumnWidth = 0;
            pControl->SetWrap(TRUE);
        } else {
            y += nGap;
        }
        pControl->SetRect(CRect(x, y, x + size.cx, y + size.cy));
        y += size.cy;
        nColumnWidth = std::max<int>(nColumnWidth, size.cx);
        column.push_back(pControl);
    }
    if (!column.empty())
        finishColumn();

    const int nBottom = rcBorders.top + nTallest;
    for (CKitControl* pControl : m_controls) {
        if (!pControl->IsVisible())
            continue;
        const CRect rc = pControl->GetRect();
        pControl->SetRowRect(CRect(rc.left, rcBorders.top, rc.right, nBottom));
    }
    if (nTallest == 0)
        return CSize(rcBorders.left + rcBorders.right + kMinPopupWidth, kEmptyPopupHeight);
    return CSize(rcBorders.left + rcBorders.right + std::max(nTotalWidth, kMinPopupWidth),
                 rcBorders.top + rcBorders.bottom + nTallest);
}

namespace {

// The maximum row length the searches try.
constexpr int kMaxRowLength = 32767;
// The size of a bar without shown controls, inside its borders.
constexpr int kEmptyBarWidth = 23;
constexpr int kEmptyBarHeight = 22;
// The grouped layout: small controls stacked to a column, and the space before a group.
constexpr int kGroupedStack = 3;
constexpr int kGroupedGroupGap = 6;

// One control during a row layout.
struct LayoutRecord {
    CKitControl* pControl;
    CSize size;
    CRect rc;
    CRect rcRow;
    BOOL bVisible;
    BOOL bWrap;
    BOOL bBeginGroup;
    BOOL bLarge;
};

// The row layout of records along rows that are horizontal, or vertical columns laid out right to left.
class CRowLayout {
public:
    CRowLayout(std::vector<LayoutRecord>& records, BOOL bVertical, const KitRowLayoutMetrics& metrics)
        : m_records(records), m_bVertical(bVertical), m_metrics(metrics)
    {
    }

    int Along(CSize size) const { return m_bVertical ? size.cy : size.cx; }
    int Across(CSize size) const { return m_bVertical ? size.cx : size.cy; }
    int Gap(const LayoutRecord& record) const
    {
        return Along(record.bBeginGroup ? m_metrics.szGroupGap : m_metrics.szSpacing);
    }
    int RowGap(const LayoutRecord& record) const
    {
        return Across(record.bBeginGroup ? m_metrics.szGroupGap : m_metrics.szSpacing);
    }
    int Start(const CRect& rc) const { return m_bVertical ? rc.top : rc.left; }
    int End(const CRect& rc) const { return m_bVertical ? rc.bottom : rc.right; }
    void Shift(LayoutRecord& record, int nBy) const
    {
        record.rc.OffsetRect(m_bVertical ? 0 : nBy, m_bVertical ? nBy : 0);
    }

    // Sets the wrap flags for rows of the length; the number of rows.
    int Wrap(int nLength, BOOL bWrapGroups)
    {
        int nRows = 0;
        int nPosition = 0;
        int nGroupStart = -1;
        int nRowStart = -1;
        for (int i = 0; i < static_cast<int>(m_records.size()); ++i) {
            LayoutRecord& record = m_records[i];
            record.bWrap = FALSE;
            if (!record.bVisible)
                continue;
            const BOOL bFirst = nRowStart == -1;
            if (record.bBeginGroup || nGroupStart == -1)
                nGroupStart = i;
            const int nGap = bFirst ? 0 : Gap(record);
            const BOOL bBreak = (record.pControl->GetFlags() & kitFlagWrapRow) != 0 ||
                                (bWrapGroups && record.bBeginGroup) || nPosition + nGap + Along(record.size) > nLength;
            if (bFirst || bBreak) {
                int nStart = i;
                // A group broken inside goes to the next row whole when it can.
                if (!bFirst && nGroupStart > nRowStart && nGroupStart < i && !record.bBeginGroup)
                    nStart = nGroupStart;
                m_records[nStart].bWrap = !bFirst;
                nRowStart = nStart;
                nRows++;
                nPosition = 0;
                for (int j = nStart; j <= i; ++j) {
                    if (m_records[j].bVisible)
                        nPosition += (j == nStart ? 0 : Gap(m_records[j])) + Along(m_records[j].size);
                }
                continue;
            }
            nPosition += nGap + Along(record.size);
        }
        return nRows;
    }

    // Places the records in their rows; the size of their union.
    CSize Arrange()
    {
        int nAlong = 0;
        int nAcross = 0;
        int nRowAcross = 0;
        BOOL bFirst = TRUE;
        CSize szTotal(0, 0);
        for (LayoutRecord& record : m_records) {
            if (!record.bVisible)
                continue;
            if (record.bWrap && !bFirst) {
                nAcross += nRowAcross + RowGap(record);
                nAlong = 0;
                nRowAcross = 0;
            } else if (!bFirst) {
                nAlong += Gap(record);
            }
            bFirst = FALSE;
            record.rc = m_bVertical ? CRect(CPoint(-nAcross - record.size.cx, nAlong), record.size)
                                    : CRect(CPoint(nAlong, nAcross), record.size);
            nAlong += Along(record.size);
            nRowAcross = std::max(nRowAcross, Across(record.size));
            szTotal = m_bVertical ? CSize(nAcross + nRowAcross, std::max<int>(szTotal.cy, nAlong))
                                  : CSize(std::max<int>(szTotal.cx, nAlong), nAcross + nRowAcross);
        }
        // Vertical rows grow to the left of 0: move them into the positive range.
        if (m_bVertical) {
            for (LayoutRecord& record : m_records)
                record.rc.OffsetRect(szTotal.cx, 0);
        }
        return szTotal;
    }

    // The narrowest or balanced layout for a fixed length; the resulting size.
    CSize SizeForLength(int nLength, BOOL bLengthIsHeight, BOOL bWrapGroups)
    {
        if (bLengthIsHeight)
            return ShortestWhere(kMaxRowLength, bWrapGroups, [&](int, CSize size) { return size.cy <= nLength; });
        const int nRows = Wrap(nLength, bWrapGroups);
        return ShortestWhere(nLength, bWrapGroups, [&](int nRowsAt, CSize) { return nRowsAt <= nRows; });
    }

    // The layout whose width and height are closest to equal.
    CSize Squarest(BOOL bWrapGroups)
    {
        return ShortestWhere(kMaxRowLength, bWrapGroups, [](int, CSize size) { return size.cx >= size.cy; });
    }

    // Gives every record its row rectangle and centres it across the row.
    void CenterRows(BOOL bCenter)
    {
        size_t nStart = 0;
        while (nStart < m_records.size()) {
            size_t nEnd = nStart + 1;
            while (nEnd < m_records.size() && !(m_records[nEnd].bVisible && m_records[nEnd].bWrap))
                ++nEnd;
            CRect rcRow;
            for (size_t i = nStart; i < nEnd; ++i) {
                if (m_records[i].bVisible)
                    rcRow.UnionRect(rcRow, m_records[i].rc);
            }
            for (size_t i = nStart; i < nEnd; ++i) {
                LayoutRecord& record = m_records[i];
                if (!record.bVisible)
                    continue;
                record.rcRow = rcRow;
                if (!bCenter)
                    continue;
                if (m_bVertical)
                    record.rc.OffsetRect((rcRow.Width() - record.rc.Width()) / 2 - (record.rc.left - rcRow.left), 0);
                else
                    record.rc.OffsetRect(0, (rcRow.Height() - record.rc.Height()) / 2 - (record.rc.top - rcRow.top));
            }
            nStart = nEnd;
        }
    }

    // Packs far-edge controls against the end of their rows and shares the rest among stretched ones.
    void AlignAndStretch(int nEnd)
    {
        size_t nRowEnd = m_records.size();
        while (nRowEnd > 0) {
            size_t nRowStart = nRowEnd - 1;
            while (nRowStart > 0 && !(m_records[nRowStart].bVisible && m_records[nRowStart].bWrap))
                --nRowStart;
            // From the last backwards: far-edge controls move to the end while they fit.
            int nFarEdge = nEnd;
            size_t nPacked = nRowEnd;
            for (size_t i = nRowEnd; i-- > nRowStart;) {
                LayoutRecord& record = m_records[i];
                if (!record.bVisible)
                    continue;
                const int nShift = nFarEdge - End(record.rc);
                if ((record.pControl->GetFlags() & kitFlagRightAlign) == 0 || nShift < 0)
                    break;
                Shift(record, nShift);
                nFarEdge = Start(record.rc);
                nPacked = i;
            }
            // The space left before them goes to the stretched controls, each a share of what remains.
            int nFree = nFarEdge;
            int nStretched = 0;
            for (size_t i = nRowStart; i < nPacked; ++i) {
                if (!m_records[i].bVisible)
                    continue;
                nFree = nFarEdge - End(m_records[i].rc);
                if (m_records[i].pControl->GetFlags() & kitFlagControlStretched)
                    nStretched++;
            }
            int nOffset = 0;
            for (size_t i = nRowStart; i < nPacked; ++i) {
                LayoutRecord& record = m_records[i];
                if (!record.bVisible)
                    continue;
                Shift(record, nOffset);
                if ((record.pControl->GetFlags() & kitFlagControlStretched) == 0 || nStretched == 0 || nFree <= 0)
                    continue;
                const int nShare = nFree / nStretched--;
                nFree -= nShare;
                nOffset += nShare;
                (m_bVertical ? record.rc.bottom : record.rc.right) += nShare;
            }
            nRowEnd = nRowStart;
        }
    }

private:
    // Lays the records out at the shortest row length up to nMaxLength for which the test of the
    // number of rows and the size holds (it holds from some length on); the resulting size.
    template <class Test>
    CSize ShortestWhere(int nMaxLength, BOOL bWrapGroups, Test test)
    {
        int nLow = 0;
        int nHigh = nMaxLength;
        while (nLow < nHigh) {
            const int nMiddle = (nLow + nHigh) / 2;
            const int nRows = Wrap(nMiddle, bWrapGroups);
            if (test(nRows, Arrange()))
                nHigh = nMiddle;
            else
                nLow = nMiddle + 1;
        }
        Wrap(nLow, bWrapGroups);
        return Arrange();
    }

    std::vector<LayoutRecord>& m_records;
    BOOL m_bVertical;
    const KitRowLayoutMetrics& m_metrics;
};

// Gives the record's control the large or small style and measures it.
void SetGroupedStyle(CDC* pDC, LayoutRecord& record, BOOL bLarge)
{
    record.bLarge = bLarge;
    record.pControl->SetStyle(bLarge ? kitButtonIconAndCaptionBelow : kitButtonIconAndCaption);
    record.size = record.pControl->GetSize(pDC);
}

// Places the records in one line, small ones stacked to columns and a gap before each group; its size.
CSize ArrangeGrouped(std::vector<LayoutRecord>& records)
{
    int nLeft = 0;
    int nColumnWidth = 0;
    int nColumnHeight = 0;
    int nStacked = 0;
    int nHeight = 0;
    BOOL bFirst = TRUE;
    BOOL bPreviousSmall = FALSE;
    for (LayoutRecord& record : records) {
        record.bWrap = FALSE;
        if (!record.bVisible)
            continue;
        if (bFirst || record.bBeginGroup || record.bLarge || !bPreviousSmall || nStacked == kGroupedStack) {
            nLeft += nColumnWidth + (!bFirst && record.bBeginGroup ? kGroupedGroupGap : 0);
            nColumnWidth = 0;
            nColumnHeight = 0;
            nStacked = 0;
        }
        record.rc = CRect(CPoint(nLeft, nColumnHeight), record.size);
        nColumnHeight += record.size.cy;
        nColumnWidth = std::max<int>(nColumnWidth, record.size.cx);
        nHeight = std::max(nHeight, nColumnHeight);
        nStacked++;
        bPreviousSmall = !record.bLarge;
        bFirst = FALSE;
    }
    return CSize(nLeft + nColumnWidth, nHeight);
}

// The grouped layout: large controls where the icon has the large size, and runs of up to three large
// controls from the end made small while the line is longer than the length; the line's size.
CSize LayOutGrouped(CDC* pDC, std::vector<LayoutRecord>& records, int nLength, int nLargeIconWidth)
{
    for (LayoutRecord& record : records) {
        if (!record.bVisible)
            continue;
        CKitControl* pControl = record.pControl;
        const BOOL bLarge = pControl->GetIconId() != 0 &&
                            pControl->GetImageManager()->IsImageDefined(pControl->GetIconId(), nLargeIconWidth);
        SetGroupedStyle(pDC, record, bLarge);
    }
    CSize size = ArrangeGrouped(records);
    int nEnd = static_cast<int>(records.size());
    while (size.cx > nLength) {
        while (nEnd > 0 && !(records[nEnd - 1].bVisible && records[nEnd - 1].bLarge))
            --nEnd;
        if (nEnd == 0)
            break;
        // The run ends at a small control or at the start of its group.
        for (int nMade = 0; nMade < kGroupedStack && nEnd > 0; ++nMade) {
            LayoutRecord& record = records[--nEnd];
            SetGroupedStyle(pDC, record, FALSE);
            if (record.bBeginGroup)
                break;
            while (nEnd > 0 && !records[nEnd - 1].bVisible)
                --nEnd;
            if (nEnd > 0 && !records[nEnd - 1].bLarge)
                break;
        }
        size = ArrangeGrouped(records);
    }
    return size;
}

} // namespace

CSize CKitControls::CalcDynamicSize(CDC* pDC, int nLength, DWORD dwMode, const CRect& rcBorders, int nMinimum,
                                    const KitRowLayoutMetrics& metrics)
{
    const CSize szBorders(rcBorders.left + rcBorders.right, rcBorders.top + rcBorders.bottom);
    for (CKitControl* pControl : m_controls)
        pControl->OnCalcDynamicSize(dwMode);
    if (GetVisibleCount(FALSE) == 0) {
        CSize size(szBorders.cx + kEmptyBarWidth, szBorders.cy + kEmptyBarHeight);
        if ((dwMode & LM_HORZDOCK) && nMinimum > 0)
            size.cy = std::max<int>(size.cy, nMinimum);
        return size;
    }

    std::vector<LayoutRecord> records;
    for (CKitControl* pControl : m_controls) {
        const BOOL bVisible = pControl->IsVisible(kitHideWrap);
        const CSize size = bVisible ? pControl->GetSize(pDC) : CSize(0, 0);
        records.push_back({pControl, size, CRect(), CRect(), bVisible, FALSE, pControl->GetBeginGroup(), FALSE});
    }
    // The grouped line is horizontal on every bar.
    const BOOL bVertical = (dwMode & LM_VERTDOCK) != 0 && !metrics.bGrouped;
    const BOOL bWrapGroups = (dwMode & kitLayoutWrapGroups) != 0;
    const int nUsable = (dwMode & LM_MRUWIDTH) ? metrics.nMRUWidth : nLength;
    CRowLayout layout(records, bVertical, metrics);

    CSize size;
    if (metrics.bGrouped) {
        size = LayOutGrouped(pDC, records, nUsable - szBorders.cx, metrics.nLargeIconWidth);
        // The grouped line is stretched along a bar of known length.
        if (nUsable > 0 && nUsable < kMaxRowLength)
            dwMode |= LM_STRETCH;
    } else if (bWrapGroups) {
        layout.Wrap(metrics.nMRUWidth, TRUE);
        size = layout.Arrange();
        if (size.cx > 3 * size.cy && metrics.nMRUWidth == kMaxRowLength)
            size = layout.Squarest(TRUE);
    } else if (dwMode & LM_HORZDOCK) {
        layout.Wrap(nUsable - szBorders.cx, FALSE);
        size = layout.Arrange();
    } else if (bVertical) {
        layout.Wrap(nUsable - szBorders.cy, FALSE);
        size = layout.Arrange();
    } else if (dwMode & LM_LENGTHY) {
        size = layout.SizeForLength(nLength - szBorders.cy, TRUE, FALSE);
    } else {
        size = layout.SizeForLength(nLength - szBorders.cx, FALSE, FALSE);
    }

    if (nMinimum > 0) {
        if (dwMode & LM_HORZDOCK)
            size.cy = std::max<int>(size.cy, nMinimum);
        else
            size.cx = std::max<int>(size.cx, nMinimum);
    }
    if (dwMode & LM_STRETCH)
        (bVertical ? size.cy : size.cx) = nUsable - (bVertical ? szBorders.cy : szBorders.cx);

    for (LayoutRecord& record : records)
        record.rc.OffsetRect(rcBorders.left, rcBorders.top);
    layout.CenterRows(!metrics.bGrouped);

    if (dwMode & LM_COMMIT) {
        if (!metrics.bGrouped)
            layout.AlignAndStretch(bVertical ? rcBorders.top + size.cy : rcBorders.left + size.cx);

        // Docked bars keep to their usable length; the rest of the controls wait behind the bar's end.
        int nEnd = bVertical ? rcBorders.top + size.cy : rcBorders.left + size.cx;
        if (dwMode & (LM_HORZDOCK | LM_VERTDOCK))
            nEnd = std::min<int>(nEnd, bVertical ? nUsable - rcBorders.bottom : nUsable - rcBorders.right);
        for (LayoutRecord& record : records) {
            CKitControl* pControl = record.pControl;
            const BOOL bFits = record.bVisible && (bVertical ? record.rc.bottom : record.rc.right) <= nEnd;
            const DWORD dwHide = pControl->GetHideFlags() & ~static_cast<DWORD>(kitHideWrap);
            pControl->SetHideFlags(bFits || !record.bVisible ? dwHide : dwHide | kitHideWrap);
            pControl->SetRowRect(record.rcRow);
            pControl->SetWrap(record.bWrap);
            if (bFits)
                pControl->SetRect(record.rc);
        }
    }
    return size + szBorders;
}
