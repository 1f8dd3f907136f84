// CKitRibbonSystemPopupBar, CKitRibbonSystemPopupBarPage, CKitRibbonControlSystemPopupBarButton,
// CKitRibbonControlSystemPopupBarListItem, CKitRibbonControlSystemPopupBarPinableListItem,
// CKitRibbonControlSystemPopupBarListCaption, CKitRibbonControlSystemRecentFileList, CKitPinableRecentFileList:
// the system button's menu, its side page, bottom-row buttons and recent-file list.
#include "toolkit/themes/ribbon/ribbon_system_popup_bar.h"

#include "framework/gdi.h"
#include "framework/ids.h"
#include "framework/winapp.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/common/toolkit_ids.h"
#include "toolkit/themes/paint/paint_manager.h"
#include "toolkit/themes/paint/resource_painters.h"
#include "toolkit/themes/ribbon/ribbon_paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_system_button.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>
#include <vector>

IMPLEMENT_DYNCREATE(CKitRibbonSystemPopupBar, CKitPopupBar)
IMPLEMENT_DYNCREATE(CKitRibbonSystemPopupBarPage, CKitPopupBar)
IMPLEMENT_DYNCREATE(CKitRibbonControlSystemPopupBarButton, CKitControlButton)
IMPLEMENT_DYNCREATE(CKitRibbonControlSystemPopupBarListItem, CKitControlButton)
IMPLEMENT_DYNCREATE(CKitRibbonControlSystemPopupBarPinableListItem, CKitRibbonControlSystemPopupBarListItem)
IMPLEMENT_DYNCREATE(CKitRibbonControlSystemPopupBarListCaption, CKitControl)
IMPLEMENT_DYNCREATE(CKitRibbonControlSystemRecentFileList, CKitRibbonControlSystemPopupBarListCaption)
IMPLEMENT_DYNCREATE(CKitRibbonControlSystemRecentFileList::CControlFileItem, CKitRibbonControlSystemPopupBarListItem)
IMPLEMENT_DYNCREATE(CKitRibbonControlSystemRecentFileList::CControlPinableFileItem,
                    CKitRibbonControlSystemPopupBarPinableListItem)

namespace {

// The system menu's borders: the bottom one holds the row of buttons.
const CRect kSystemPopupBorders(6, 18, 6, 29);
// Bottom-row buttons stand this far apart.
constexpr int kBottomButtonGap = 6;
// The hide flag that keeps the bottom-row buttons out of the menu's own layout.
constexpr DWORD kHideBottomRow = kitHideScroll;
// Text starts this far into a list item; an icon is followed by a gap.
constexpr int kItemTextIndent = 7;
constexpr int kItemIconGap = 4;
// Control flags of the list caption and of the generated file items.
constexpr DWORD kListCaptionFlags = kitFlagWrapRow | kitFlagNoMovable | kitFlagManualUpdate | kitFlagSkipFocus;
constexpr DWORD kFileItemFlags = kitFlagShowTooltip | kitFlagManualUpdate;
// Longest file title shown.
constexpr int kMaxTitle = 260;

// The file name part of a path, at most kMaxTitle characters.
CString FileTitleOf(const CString& strPath)
{
    const int nSlash = std::max(strPath.ReverseFind('\\'), strPath.ReverseFind('/'));
    return strPath.Mid(nSlash + 1).Left(kMaxTitle);
}

} // namespace

// ---- the system menu ----

BEGIN_MESSAGE_MAP(CKitRibbonSystemPopupBar, CKitPopupBar)
    ON_MESSAGE(WM_NCHITTEST, &CKitRibbonSystemPopupBar::OnNcHitTest)
END_MESSAGE_MAP()

CKitRibbonSystemPopupBar::CKitRibbonSystemPopupBar()
{
    m_rcBorders = kSystemPopupBorders;
    SetPaintBackground(FALSE);
}

void CKitRibbonSystemPopupBar::FillCommandBarEntry(CDC* pDC)
{
    CKitPaintManager::FromPainter(GetPaintManager())->GetRibbonPaintManager()->FillSystemPopupBar(pDC, this);
}

CSize CKitRibbonSystemPopupBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    std::vector<CKitControl*> buttons;
    for (int i = 0; i < GetControlCount(); i++) {
        CKitControl* pControl = GetControl(i);
        if (pControl->IsKindOf(RUNTIME_CLASS(CKitRibbonControlSystemPopupBarButton))) {
            pControl->SetHideFlags(pControl->GetHideFlags() | kHideBottomRow);
            buttons.push_back(pControl);
        }
    }
    const CSize size = CKitPopupBar::CalcDynamicLayout(nLength, dwMode);
    if (buttons.empty())
        return size;
    const CRect rcBorders = GetBorders();
    CClientDC dc(nullptr);
    CFont* pOldFont = dc.SelectObject(CKitPaintManager::FromPainter(GetPaintManager())->GetCommandBarFont(this));
    int x = size.cx - rcBorders.right + 1;
    for (auto it = buttons.rbegin(); it != buttons.rend(); ++it) {
        CKitControl* pButton = *it;
        pButton->SetHideFlags(pButton->GetHideFlags() & ~kHideBottomRow);
        const int w = pButton->GetSize(&dc).cx;
        pButton->SetRect(CRect(x - w, size.cy - rcBorders.bottom + 4, x, size.cy - 3));
        x -= w + kBottomButtonGap;
    }
    dc.SelectObject(pOldFont);
    return size;
}

LRESULT CKitRibbonSystemPopupBar::OnNcHitTest(WPARAM /*wParam*/, LPARAM lParam)
{
    CKitControlPopup* pButton = GetControlPopup();
    CKitCommandBar* pButtonBar = pButton != nullptr ? pButton->GetParent() : nullptr;
    if (pButtonBar != nullptr && pButtonBar->GetSafeHwnd() != nullptr &&
        pButton->IsKindOf(RUNTIME_CLASS(CKitRibbonControlSystemButton))) {
        CRect rcButton = pButton->GetRect();
        pButtonBar->ClientToScreen(&rcButton);
        if (rcButton.PtInRect(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))))
            return HTTRANSPARENT;
    }
    return Default();
}

// ---- the side page ----

CKitRibbonSystemPopupBar* CKitRibbonSystemPopupBarPage::GetSystemPopupParent() const
{
    return DYNAMIC_DOWNCAST(CKitRibbonSystemPopupBar, GetParentCommandBar());
}

void CKitRibbonSystemPopupBarPage::UpdateExcludeRect()
{
    CKitPopupBar::UpdateExcludeRect();
    CKitRibbonSystemPopupBar* pParent = GetSystemPopupParent();
    if (pParent == nullptr || pParent->GetSafeHwnd() == nullptr)
        return;
    CPoint ptTop(0, pParent->GetBorders().top + 1);
    pParent->ClientToScreen(&ptTop);
    m_rcExclude.right += 1;
    m_rcExclude.top = ptTop.y;
    m_ptPopup = (m_dwPopupFlags & kitPopupDown) != 0 ? CPoint(m_rcExclude.left, m_rcExclude.bottom)
                                                     : CPoint(m_rcExclude.right, m_rcExclude.top);
}

CSize CKitRibbonSystemPopupBarPage::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    CSize size = CKitPopupBar::CalcDynamicLayout(nLength, dwMode);
    CKitRibbonSystemPopupBar* pParent = GetSystemPopupParent();
    if (pParent == nullptr || pParent->GetSafeHwnd() == nullptr)
        return size;
    CRect rcClient;
    pParent->GetClientRect(&rcClient);
    const CRect rcBorders = pParent->GetBorders();
    m_nMinimumHeight = rcClient.Height() - rcBorders.top - rcBorders.bottom - 2;
    size.cy = std::max<int>(size.cy, m_nMinimumHeight);
    return size;
}

// ---- the bottom-row button ----

BOOL CKitRibbonControlSystemPopupBarButton::IsInSystemPopup() const
{
    return m_pParent != nullptr && m_pParent->IsKindOf(RUNTIME_CLASS(CKitRibbonSystemPopupBar));
}

CSize CKitRibbonControlSystemPopupBarButton::GetSize(CDC* pDC)
{
    if (!IsInSystemPopup())
        return CKitControlButton::GetSize(pDC);
    // Measured as on a toolbar: the button's own size with its caption beside the icon.
    const CSize szText = pDC->GetTextExtent(GetCaption());
    return CSize(std::max<int>(GetButtonSize().cx, szText.cx + 16), GetButtonSize().cy);
}

void CKitRibbonControlSystemPopupBarButton::Draw(CDC* pDC)
{
    if (!IsInSystemPopup()) {
        CKitControlButton::Draw(pDC);
        return;
    }
    CKitPaintManager::FromPainter(GetPaintManager())->GetRibbonPaintManager()->DrawSystemPopupBarButton(pDC, this);
}

// ---- list items ----

void CKitRibbonControlSystemPopupBarListItem::DrawItem(CDC* pDC, const CRect& rcBackground, int nTextRight)
{
    CKitPaintManager* pPaintManager = CKitPaintManager::FromPainter(GetPaintManager());
    const CRect rcItem = m_rcControl;
    m_rcControl = rcBackground;
    pPaintManager->DrawControlEntry(pDC, this);
    m_rcControl = rcItem;
    pDC->SetTextColor(pPaintManager->GetControlTextColor(this));
    pDC->SetBkMode(TRANSPARENT);
    CFont* pOldFont = pDC->SelectObject(pPaintManager->GetControlFont(this));

    int x = rcItem.left + kItemTextIndent;
    if (CKitImageManagerIcon* pIcon = GetIcon(16)) {
        const CSize sz = pIcon->GetExtent();
        pIcon->Draw(pDC, CPoint(x, rcItem.CenterPoint().y - sz.cy / 2),
                    IsEnabled() ? pIcon->GetNormalIcon() : pIcon->GetDisabledIcon(), sz);
        x += sz.cx + kItemIconGap;
    }
    CString strCaption = GetCaption();
    if (m_bShowNumber) {
        if (strCaption.GetLength() > 2 && strCaption[0] == '&' && strCaption[2] == ' ') {
            CRect rcNumber(x, rcItem.top, rcItem.right, rcItem.bottom);
            pDC->DrawText(strCaption.Left(2), &rcNumber, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
            strCaption = strCaption.Mid(3);
        }
        x += pDC->GetTextExtent("0").cx + kItemTextIndent;
    }
    CRect rcText(x, rcItem.top, nTextRight, rcItem.bottom);
    pDC->DrawText(strCaption, &rcText, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS);
    pDC->SelectObject(pOldFont);
}

void CKitRibbonControlSystemPopupBarListItem::Draw(CDC* pDC)
{
    DrawItem(pDC, m_rcControl, m_rcControl.right);
}

CKitRibbonControlSystemPopupBarPinableListItem::CKitRibbonControlSystemPopupBarPinableListItem()
    : m_pPinImages(new CKitImageManager)
{
    // Image n of the strip under id n + 1.
    const UINT ids[] = {1, 2, 3};
    m_pPinImages->SetIconsFromResource(IDB_KIT_RIBBON_PINS, ids, 3, CSize(16, 16), 0);
}

CKitRibbonControlSystemPopupBarPinableListItem::~CKitRibbonControlSystemPopupBarPinableListItem()
{
    m_pPinImages->InternalRelease();
}

CRect CKitRibbonControlSystemPopupBarPinableListItem::GetPinRect() const
{
    return CRect(m_rcControl.right - kPinWidth, m_rcControl.top, m_rcControl.right, m_rcControl.bottom);
}

CKitImageManagerIcon* CKitRibbonControlSystemPopupBarPinableListItem::GetPinImage(BOOL bPinned) const
{
    return m_pPinImages->GetImage(bPinned ? 1 : 2, 16);
}

void CKitRibbonControlSystemPopupBarPinableListItem::SetPinned(BOOL bPinned)
{
    SetChecked(bPinned ? 1 : 0);
}

void CKitRibbonControlSystemPopupBarPinableListItem::Draw(CDC* pDC)
{
    const CRect rcPin = GetPinRect();
    DrawItem(pDC, GetSelected() == kitSelectedPin ? rcPin : m_rcControl, rcPin.left);
    if (CKitImageManagerIcon* pPin = GetPinImage(IsPinned())) {
        const CSize sz = pPin->GetExtent();
        pPin->Draw(pDC, CPoint(rcPin.CenterPoint().x - sz.cx / 2, rcPin.CenterPoint().y - sz.cy / 2),
                   pPin->GetNormalIcon(), sz);
    }
}

CPoint CKitRibbonControlSystemPopupBarPinableListItem::GetCursorInBar() const
{
    CPoint pt;
    ::GetCursorPos(&pt);
    if (m_pParent != nullptr && m_pParent->GetSafeHwnd() != nullptr)
        m_pParent->ScreenToClient(&pt);
    return pt;
}

void CKitRibbonControlSystemPopupBarPinableListItem::OnMouseMove(CPoint pt)
{
    if (m_nSelected == kitSelectedNone)
        return;
    const int nSelected = GetPinRect().PtInRect(pt) ? kitSelectedPin
                          : m_rcControl.PtInRect(pt) ? kitSelectedMouse
                                                     : m_nSelected;
    if (nSelected != m_nSelected) {
        m_nSelected = nSelected;
        RedrawParent(FALSE);
    }
}

BOOL CKitRibbonControlSystemPopupBarPinableListItem::OnSetSelected(int nSelected)
{
    if (nSelected == kitSelectedMouse && GetPinRect().PtInRect(GetCursorInBar()))
        nSelected = kitSelectedPin;
    return CKitRibbonControlSystemPopupBarListItem::OnSetSelected(nSelected);
}

void CKitRibbonControlSystemPopupBarPinableListItem::OnLButtonUp(CPoint pt)
{
    if (GetPinRect().PtInRect(pt)) {
        SetPinned(!IsPinned());
        RedrawParent(FALSE);
        return;
    }
    CKitRibbonControlSystemPopupBarListItem::OnLButtonUp(pt);
}

// ---- the list caption ----

CKitRibbonControlSystemPopupBarListCaption::CKitRibbonControlSystemPopupBarListCaption()
{
    m_dwFlags = kListCaptionFlags;
}

void CKitRibbonControlSystemPopupBarListCaption::Draw(CDC* pDC)
{
    CKitPaintManager* pPaintManager = CKitPaintManager::FromPainter(GetPaintManager());
    CKitRibbonPaintManager* pRibbon = pPaintManager->GetRibbonPaintManager();
    const CRect& rc = m_rcControl;
    CFont* pOldFont = pDC->SelectObject(pPaintManager->GetRegularBoldFont());
    pDC->SetTextColor(pPaintManager->GetControlTextColor(this));
    pDC->SetBkMode(TRANSPARENT);
    CRect rcText(rc.left + 7, rc.top + 4, rc.right, rc.bottom - 5);
    pDC->DrawText(GetCaption(), &rcText, DT_SINGLELINE | DT_LEFT);
    pDC->SelectObject(pOldFont);
    KitFillSolidRectIfColor(pDC, CRect(rc.left, rc.bottom - 6, rc.right, rc.bottom - 5),
                            pRibbon->GetRecentFileListEdgeShadow());
    KitFillSolidRectIfColor(pDC, CRect(rc.left, rc.bottom - 5, rc.right, rc.bottom - 4),
                            pRibbon->GetRecentFileListEdgeHighlight());
}

// ---- the recent files ----

CKitPinableRecentFileList::CPinRecord* CKitPinableRecentFileList::GetPinRecord(int nIndex)
{
    if (nIndex < 0 || nIndex >= static_cast<int>(m_pinRecords.size()))
        return nullptr;
    return &m_pinRecords[static_cast<size_t>(nIndex)];
}

std::vector<CString> CKitPinableRecentFileList::GetEntries() const
{
    std::vector<CString> entries;
    for (int i = 0; i < GetSize(); i++)
        entries.push_back((*this)[i]);
    return entries;
}

void CKitPinableRecentFileList::MoveRecordsWithFiles(const std::vector<CString>& before)
{
    if (m_pinRecords.empty())
        return;
    std::vector<CPinRecord> records(m_pinRecords.size());
    std::vector<bool> taken(before.size(), false);
    for (int i = 0; i < GetSize() && i < static_cast<int>(records.size()); i++) {
        const CString& strPath = (*this)[i];
        if (strPath.IsEmpty())
            continue;
        for (size_t j = 0; j < before.size() && j < m_pinRecords.size(); j++) {
            if (!taken[j] && before[j].CompareNoCase(strPath) == 0) {
                records[static_cast<size_t>(i)] = m_pinRecords[j];
                taken[j] = true;
                break;
            }
        }
    }
    m_pinRecords = std::move(records);
}

void CKitPinableRecentFileList::Add(LPCSTR lpszPathName)
{
    const std::vector<CString> before = GetEntries();
    CRecentFileList::Add(lpszPathName);
    MoveRecordsWithFiles(before);
}

void CKitPinableRecentFileList::Remove(int nIndex)
{
    const std::vector<CString> before = GetEntries();
    CRecentFileList::Remove(nIndex);
    MoveRecordsWithFiles(before);
}

CKitRibbonControlSystemRecentFileList::CControlPinableFileItem::CControlPinableFileItem(
    CKitPinableRecentFileList* pList, int nEntry)
    : m_pList(pList), m_nEntry(nEntry)
{
    m_bShowNumber = TRUE;
}

void CKitRibbonControlSystemRecentFileList::CControlPinableFileItem::SetPinned(BOOL bPinned)
{
    CKitRibbonControlSystemPopupBarPinableListItem::SetPinned(bPinned);
    CKitPinableRecentFileList::CPinRecord* pRecord = m_pList != nullptr ? m_pList->GetPinRecord(m_nEntry) : nullptr;
    if (pRecord != nullptr)
        pRecord->bPinned = bPinned;
}

void CKitRibbonControlSystemRecentFileList::CControlPinableFileItem::Copy(const CKitControl* pSource, BOOL bRecursive)
{
    CKitRibbonControlSystemPopupBarPinableListItem::Copy(pSource, bRecursive);
    if (const auto* pItem = dynamic_cast<const CControlPinableFileItem*>(pSource)) {
        m_pList = pItem->m_pList;
        m_nEntry = pItem->m_nEntry;
    }
}

CString CKitRibbonControlSystemRecentFileList::FormatRecentFileCaption(LPCSTR lpszName, int nNumber)
{
    CString strEscaped;
    for (const char* p = lpszName; *p != '\0'; ++p) {
        if (::IsDBCSLeadByte(static_cast<BYTE>(*p)) && p[1] != '\0') {
            strEscaped += p[0];
            strEscaped += p[1];
            ++p;
            continue;
        }
        if (*p == '&')
            strEscaped += '&';
        strEscaped += *p;
    }
    if (nNumber < 1 || nNumber > 9)
        return strEscaped;
    CString strCaption;
    strCaption.Format("&%i %s", nNumber, static_cast<LPCSTR>(strEscaped));
    return strCaption;
}

CRecentFileList* CKitRibbonControlSystemRecentFileList::GetRecentFileList() const
{
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr ? pApp->GetRecentFileList() : nullptr;
}

void CKitRibbonControlSystemRecentFileList::OnBeforePopup()
{
    RebuildItems();
}

void CKitRibbonControlSystemRecentFileList::RebuildItems()
{
    CRecentFileList* pList = GetRecentFileList();
    if (pList == nullptr || m_pControls == nullptr)
        return;
    const UINT nLastId = ID_FILE_MRU_FIRST + static_cast<UINT>(pList->GetSize());
    for (;;) {
        const int nNext = m_pControls->IndexOf(this) + 1;
        CKitControl* pNext = nNext < m_pControls->GetCount() ? m_pControls->GetAt(nNext) : nullptr;
        if (pNext == nullptr || pNext->GetId() < ID_FILE_MRU_FIRST || pNext->GetId() > nLastId)
            break;
        // A collection may refuse the removal: the old item then stays.
        const int nCount = m_pControls->GetCount();
        m_pControls->Remove(pNext);
        if (m_pControls->GetCount() == nCount)
            break;
    }
    if (m_pParent != nullptr && m_pParent->IsCustomizeMode()) {
        SetHideFlags(0);
        SetEnabled(TRUE);
        return;
    }
    auto* pPinable = dynamic_cast<CKitPinableRecentFileList*>(pList);
    const BOOL bPinItems = pPinable != nullptr && pPinable->HasPinRecords();
    for (int i = 0; i < pList->GetSize(); i++) {
        const CString strPath = (*pList)[i];
        if (strPath.IsEmpty())
            break;
        CKitPinableRecentFileList::CPinRecord* pRecord = pPinable != nullptr ? pPinable->GetPinRecord(i) : nullptr;
        CString strDisplay = FileTitleOf(strPath);
        if (pRecord != nullptr && !pRecord->strCaption.IsEmpty())
            strDisplay = pRecord->strCaption;
        CKitControl* pItem = bPinItems ? static_cast<CKitControl*>(new CControlPinableFileItem(pPinable, i))
                                       : static_cast<CKitControl*>(new CControlFileItem());
        m_pControls->Add(pItem, ID_FILE_MRU_FIRST + static_cast<UINT>(i), "", m_pControls->IndexOf(this) + 1 + i, TRUE);
        if (pRecord != nullptr) {
            if (bPinItems)
                pItem->SetChecked(pRecord->bPinned ? 1 : 0);
            if (pItem->GetIconId() != pRecord->nIconId && pRecord->nIconId != 0) {
                pItem->SetIconId(pRecord->nIconId);
                pItem->RedrawParent(FALSE);
            }
        }
        pItem->SetCaption(FormatRecentFileCaption(strDisplay, i + 1));
        pItem->SetFlags(kFileItemFlags);
        pItem->SetTooltip(strPath);
        pItem->SetDescription(strPath);
        pItem->SetShortcutText("");
    }
}
