// CKitControlWindowList, CKitControlToolbars, CKitControlOleItems, CKitControlRecentFileList: menu placeholders
// that expand into the open MDI windows, the bars, an embedded item's verbs or the recent files; CKitControlSelector,
// CKitControlLabel, CKitControlCheckBox, CKitControlRadioButton, CKitControlMarkupLabel, CKitControlBitmap,
// CKitControlHyperlink: self-contained controls.
#include "toolkit/commandbars/control_extended.h"

#include "framework/gdi.h"
#include "framework/ids.h"
#include "framework/recentfiles.h"
#include "framework/winapp.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/commandbars/toolbar.h"
#include "toolkit/common/color_manager.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/common/prop_exchange.h"
#include "toolkit/common/upper_services.h"
#include "toolkit/markup/markup_visual.h"

#include <shellapi.h>

#include <algorithm>
#include <functional>

IMPLEMENT_DYNCREATE(CKitControlWindowList, CKitControlButton)
IMPLEMENT_DYNCREATE(CKitControlToolbars, CKitControlButton)
IMPLEMENT_DYNCREATE(CKitControlOleItems, CKitControlButton)
IMPLEMENT_DYNCREATE(CKitControlRecentFileList, CKitControlButton)
IMPLEMENT_DYNCREATE(CKitControlSelector, CKitControl)
IMPLEMENT_DYNCREATE(CKitControlLabel, CKitControl)
IMPLEMENT_DYNCREATE(CKitControlCheckBox, CKitControlButton)
IMPLEMENT_DYNCREATE(CKitControlRadioButton, CKitControlCheckBox)
IMPLEMENT_DYNCREATE(CKitControlMarkupLabel, CKitControlLabel)
IMPLEMENT_DYNCREATE(CKitControlBitmap, CKitControlLabel)
IMPLEMENT_DYNCREATE(CKitControlHyperlink, CKitControl)

UINT CKitControlWindowList::s_nFirstMDIChild = 0xFF00;
int CKitControlWindowList::s_nItemsMax = 9;
BOOL CKitControlWindowList::s_bShowRadioButtons = FALSE;

namespace {

// The ids the framework gives MDI children in its two numberings.
constexpr UINT kMDIChildIdsFrom = 32768;
constexpr UINT kMDIChildIdsTo = 32814;
constexpr UINT kMDIChildSmallIdsTo = 46;

// Colour-manager indices of the selector's cells.
constexpr int kColorHighlight = 13;
constexpr int kColorHighlightText = 14;
constexpr int kColorWindow = 5;
constexpr int kColorCellContent = 46;
constexpr int kColorCellFrame = 43;
// Colour-manager index of grey text.
constexpr int kColorGrayText = 17;
// The flags of labels: skipped by the keyboard, updated by hand, not movable.
constexpr DWORD kLabelFlags = kitFlagSkipFocus | kitFlagManualUpdate | kitFlagNoMovable;
// Unbounded room for measuring markup.
constexpr int kUnbounded = 0x7FFFFFFF;

// Removes the controls directly after the placeholder as long as they match.
void RemoveFollowing(CKitControl* pPlaceholder, const std::function<BOOL(CKitControl*)>& matches)
{
    CKitControls* pControls = pPlaceholder->GetControls();
    if (pControls == nullptr)
        return;
    for (;;) {
        const int nNext = pControls->IndexOf(pPlaceholder) + 1;
        CKitControl* pNext = nNext < pControls->GetCount() ? pControls->GetAt(nNext) : nullptr;
        if (pNext == nullptr || !matches(pNext))
            return;
        pControls->Remove(pNext);
    }
}

// Inserts a generated item as the nth after the placeholder; never saved.
CKitControl* InsertItem(CKitControl* pPlaceholder, CKitControl* pItem, int nOffset, UINT nId)
{
    CKitControls* pControls = pPlaceholder->GetControls();
    pControls->Add(pItem, nId, nullptr, pControls->IndexOf(pPlaceholder) + 1 + nOffset, TRUE);
    pItem->SetFlags(kitFlagManualUpdate | (nOffset == 0 ? (pPlaceholder->GetFlags() & kitFlagWrapRow) : 0));
    return pItem;
}

// Removes the items the last expansion left; in customize mode the placeholder shows itself instead and the
// answer is FALSE.
BOOL StartExpansion(CKitControl* pPlaceholder, const std::function<BOOL(CKitControl*)>& isItem)
{
    RemoveFollowing(pPlaceholder, isItem);
    CKitCommandBar* pParent = pPlaceholder->GetParent();
    if (pParent != nullptr && pParent->IsCustomizeMode()) {
        pPlaceholder->SetHideFlags(0);
        return FALSE;
    }
    return TRUE;
}

void HidePlaceholder(CKitControl* pPlaceholder)
{
    pPlaceholder->SetHideFlags(pPlaceholder->GetHideFlags() | kitHideUser);
}

} // namespace

CString CKitControlWindowList::FormatNumberedCaption(LPCSTR lpszName, int nNumber)
{
    CString strName;
    for (LPCSTR p = lpszName; *p != '\0'; p++) {
        if (::IsDBCSLeadByte(static_cast<BYTE>(*p)) && p[1] != '\0') {
            strName.AppendChar(*p++);
            strName.AppendChar(*p);
            continue;
        }
        if (*p == '&')
            strName.AppendChar('&');
        strName.AppendChar(*p);
    }
    CString strCaption;
    if (nNumber == 0)
        return strName;
    if (nNumber < 10)
        strCaption.Format("&%i %s", nNumber, static_cast<LPCSTR>(strName));
    else if (nNumber == 10)
        strCaption.Format("1&0 %s", static_cast<LPCSTR>(strName));
    else
        strCaption.Format("%i %s", nNumber, static_cast<LPCSTR>(strName));
    return strCaption;
}

void CKitControlWindowList::OnBeforePopup()
{
    if (!StartExpansion(this, [](CKitControl* pControl) { return pControl->GetId() >= s_nFirstMDIChild; }))
        return;
    CWnd* pSite = m_pParent != nullptr ? m_pParent->GetSite() : nullptr;
    const HWND hClient =
        pSite != nullptr && pSite->GetSafeHwnd() != nullptr ? ::FindWindowExA(pSite->GetSafeHwnd(), nullptr, "MDICLIENT", nullptr) : nullptr;
    if (hClient == nullptr)
        return;
    HidePlaceholder(this);

    const HWND hActive = reinterpret_cast<HWND>(::SendMessageA(hClient, WM_MDIGETACTIVE, 0, 0));
    if (hActive != nullptr) {
        const UINT nActiveId = static_cast<UINT>(::GetDlgCtrlID(hActive));
        if (nActiveId >= kMDIChildIdsFrom && nActiveId <= kMDIChildIdsTo)
            s_nFirstMDIChild = kMDIChildIdsFrom;
        else if (nActiveId >= 1 && nActiveId <= kMDIChildSmallIdsTo)
            s_nFirstMDIChild = 1;
    }
    CString strDescription;
    strDescription.LoadString(kItemHelpId);
    int nItems = 0;
    for (UINT nId = s_nFirstMDIChild; nItems < s_nItemsMax; nId++) {
        const HWND hChild = ::GetDlgItem(hClient, static_cast<int>(nId));
        if (hChild == nullptr)
            break;
        if (!::IsWindowVisible(hChild))
            continue;
        char szTitle[256] = {};
        ::GetWindowTextA(hChild, szTitle, sizeof(szTitle));
        CKitControl* pItem = s_bShowRadioButtons ? new CKitControlRadioButton() : new CKitControlButton();
        InsertItem(this, pItem, nItems, nId);
        nItems++;
        pItem->SetCaption(FormatNumberedCaption(szTitle, nItems));
        pItem->SetBeginGroup(nItems == 1 && GetBeginGroup());
        pItem->SetChecked(hChild == hActive ? 1 : 0);
        pItem->SetHelpId(kItemHelpId);
        pItem->SetDescription(strDescription);
    }
}

void CKitControlToolbars::OnBeforePopup()
{
    if (!StartExpansion(this, [](CKitControl* pControl) { return pControl->GetParameter() == kItemParameter; }))
        return;
    HidePlaceholder(this);
    CKitCommandBarManager* pCommandBars = m_pParent != nullptr ? m_pParent->GetCommandBars() : nullptr;
    if (pCommandBars == nullptr)
        return;
    const int nFirst = GetControls()->IndexOf(this) + 1;
    if (pCommandBars->AddToolbarItems(GetControls(), nFirst, GetBeginGroup()) > 0)
        GetControls()->GetAt(nFirst)->SetFlags(kitFlagManualUpdate | (GetFlags() & kitFlagWrapRow));
}

void CKitControlOleItems::OnBeforePopup()
{
    if (!StartExpansion(this, [](CKitControl* pControl) { return pControl->GetParameter() == kItemParameter; }))
        return;
    HidePlaceholder(this);
    const HMENU hMenu = ::CreatePopupMenu();
    if (hMenu == nullptr)
        return;
    // Only an entry holding the verbs as its submenu becomes a popup.
    HMENU hVerbs = nullptr;
    char szText[256] = {};
    if (FillVerbMenu(hMenu) && ::GetMenuItemCount(hMenu) == 1) {
        hVerbs = ::GetSubMenu(hMenu, 0);
        ::GetMenuStringA(hMenu, 0, szText, sizeof(szText), MF_BYPOSITION);
    }
    if (hVerbs != nullptr) {
        CKitPopupBar* pVerbBar = CKitPopupBar::CreatePopupBar(m_pParent->GetCommandBars());
        pVerbBar->LoadMenu(hVerbs);
        auto* pItem = new CKitControlPopup(kitControlPopup);
        InsertItem(this, pItem, 0, 0);
        pItem->SetParameter(kItemParameter);
        pItem->SetCaption(szText);
        pItem->SetCommandBar(pVerbBar);
    }
    ::DestroyMenu(hMenu);
}

CRecentFileList* CKitControlRecentFileList::GetRecentFileList() const
{
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr ? pApp->GetRecentFileList() : nullptr;
}

CString CKitControlRecentFileList::GetCurrentFolder() const
{
    char szFolder[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, szFolder);
    CString strFolder(szFolder);
    if (strFolder.GetLength() > 0 && strFolder[strFolder.GetLength() - 1] != '\\')
        strFolder += '\\';
    return strFolder;
}

void CKitControlRecentFileList::OnBeforePopup()
{
    CRecentFileList* pList = GetRecentFileList();
    if (pList == nullptr || pList->GetSize() == 0)
        return;
    const UINT nLastId = ID_FILE_MRU_FIRST + static_cast<UINT>(pList->GetSize());
    RemoveFollowing(this, [nLastId](CKitControl* pControl) {
        return pControl->GetId() >= ID_FILE_MRU_FIRST && pControl->GetId() <= nLastId;
    });
    if (m_pParent != nullptr && m_pParent->IsCustomizeMode()) {
        SetHideFlags(0);
        SetEnabled(TRUE);
        return;
    }
    if ((*pList)[0].IsEmpty()) {
        SetHideFlags(0);
        SetEnabled(FALSE);
        return;
    }
    HidePlaceholder(this);
    const CString strFolder = GetCurrentFolder();
    const BOOL bFirstOfBar = m_pControls->IndexOf(this) == 0;
    for (int i = 0; i < pList->GetSize(); i++) {
        const CString& strPath = (*pList)[i];
        if (strPath.IsEmpty())
            break;
        // Files in the current folder show relative to it.
        CString strDisplay = strPath;
        if (strPath.GetLength() > strFolder.GetLength() && strPath.Left(strFolder.GetLength()).CompareNoCase(strFolder) == 0)
            strDisplay = strPath.Mid(strFolder.GetLength());
        CKitControl* pItem = InsertItem(this, new CKitControlButton(), i, ID_FILE_MRU_FIRST + static_cast<UINT>(i));
        pItem->SetCaption(CKitControlWindowList::FormatNumberedCaption(strDisplay, i + 1));
        pItem->SetBeginGroup(i == 0 && !bFirstOfBar);
        pItem->SetParameter(strPath);
    }
}

void CKitControlSelector::SetSelection(CSize szSelection, BOOL bForce)
{
    if (szSelection == m_szSelected && !bForce)
        return;
    m_szSelected = szSelection;
    RedrawParent(TRUE);
    NotifySite(kitNotifySelectorChanged);
}

void CKitControlSelector::OnBeforePopup()
{
    if (!m_bGrowing) {
        m_szSelected = CSize(0, 0);
        m_szGrid = m_szItemsCount;
    }
    SetSelection(m_szSelected, TRUE);
}

CSize CKitControlSelector::GetSize(CDC* /*pDC*/)
{
    return CSize(m_szGrid.cx * m_szItem.cx, m_szGrid.cy * m_szItem.cy);
}

void CKitControlSelector::Draw(CDC* pDC)
{
    const CKitColorManager* pColors = CKitColorManager::Instance();
    const CRect& rc = m_rcControl;
    for (int c = 0; c < m_szGrid.cx; c++) {
        for (int r = 0; r < m_szGrid.cy; r++) {
            const CRect rcCell(rc.left + c * m_szItem.cx + 1, rc.top + r * m_szItem.cy + 1,
                               rc.left + (c + 1) * m_szItem.cx - 1, rc.top + (r + 1) * m_szItem.cy - 1);
            const BOOL bSelected = c < m_szSelected.cx && r < m_szSelected.cy;
            pDC->FillSolidRect(&rcCell, pColors->GetColor(bSelected ? kColorHighlight : kColorWindow));
            const COLORREF clrFrame = pColors->GetColor(kColorCellFrame);
            pDC->Draw3dRect(&rcCell, clrFrame, clrFrame);
            DrawCellContent(pDC, rcCell, pColors->GetColor(bSelected ? kColorHighlightText : kColorCellContent));
        }
    }
}

void CKitControlSelector::OnMouseMove(CPoint pt)
{
    CSize szSelection;
    for (int c = 0; c < m_szGrid.cx && m_rcControl.left + c * m_szItem.cx < pt.x; c++)
        szSelection.cx = c + 1;
    for (int r = 0; r < m_szGrid.cy && m_rcControl.top + r * m_szItem.cy < pt.y; r++)
        szSelection.cy = r + 1;
    SetSelection(szSelection);
}

CPoint CKitControlSelector::GetCursorInBar() const
{
    CPoint pt;
    ::GetCursorPos(&pt);
    if (m_pParent != nullptr && m_pParent->GetSafeHwnd() != nullptr)
        m_pParent->ScreenToClient(&pt);
    return pt;
}

BOOL CKitControlSelector::IsLeftButtonDown() const
{
    const int nButton = ::GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    return (::GetAsyncKeyState(nButton) & 0x8000) != 0;
}

BOOL CKitControlSelector::OnSetSelected(int nSelected)
{
    if (nSelected == kitSelectedNone && m_nSelected != kitSelectedNone && IsLeftButtonDown() && m_szItem.cx > 0 &&
        m_szItem.cy > 0) {
        const CPoint pt = GetCursorInBar();
        CSize szGrid = m_szGrid;
        if (pt.x >= m_rcControl.right)
            szGrid.cx = std::min<int>(m_szItemsMax.cx, (pt.x - m_rcControl.left) / m_szItem.cx + 1);
        if (pt.y >= m_rcControl.bottom)
            szGrid.cy = std::min<int>(m_szItemsMax.cy, (pt.y - m_rcControl.top) / m_szItem.cy + 1);
        if (szGrid == m_szGrid) {
            SetSelection(CSize(0, 0));
        } else {
            m_szGrid = szGrid;
            SetSelection(m_szSelected, TRUE);
            m_bGrowing = TRUE;
            if (m_pParent != nullptr)
                m_pParent->OnRecalcLayout();
            m_bGrowing = FALSE;
            OnMouseMove(pt);
        }
    }
    return CKitControl::OnSetSelected(nSelected);
}

void CKitControlSelector::OnLButtonUp(CPoint /*pt*/)
{
    if (m_szSelected.cx == 0 || m_szSelected.cy == 0)
        return;
    m_szLastSelected = m_szSelected;
    OnExecute();
}

void CKitControlSelector::Copy(const CKitControl* pSource, BOOL bRecursive)
{
    if (const auto* pSelector = dynamic_cast<const CKitControlSelector*>(pSource)) {
        m_szItemsCount = pSelector->m_szItemsCount;
        m_szItemsMax = pSelector->m_szItemsMax;
        m_szItem = pSelector->m_szItem;
    }
    CKitControl::Copy(pSource, bRecursive);
}

void CKitControlSelector::DoPropExchange(CKitPropExchange* pPX)
{
    CKitControl::DoPropExchange(pPX);
    CKitPropExchange::PropExchangeSize(pPX, "ItemsCount", m_szItemsCount, CSize(0, 0));
    CKitPropExchange::PropExchangeSize(pPX, "ItemsMax", m_szItemsMax, CSize(0, 0));
    CKitPropExchange::PropExchangeSize(pPX, "ItemSize", m_szItem, CSize(0, 0));
}

CKitControlLabel::CKitControlLabel() : CKitControl(kitControlLabel)
{
    m_dwFlags = kLabelFlags;
}

BOOL CKitControlCheckBox::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    if (nChar == VK_SPACE) {
        OnClick(TRUE);
        return TRUE;
    }
    return CKitControlButton::OnHookKeyDown(nChar, lParam);
}

CKitControlMarkupLabel::~CKitControlMarkupLabel()
{
    if (m_pMarkupElement != nullptr)
        CKitThemeServices::Get()->ReleaseMarkupElement(m_pMarkupElement);
}

void CKitControlMarkupLabel::OnCaptionChanged()
{
    CKitThemeServices* pServices = CKitThemeServices::Get();
    if (pServices == nullptr)
        return;
    if (m_pMarkupElement != nullptr)
        pServices->ReleaseMarkupElement(m_pMarkupElement);
    CKitMarkupContext* pContext = pServices->CreateMarkupContext(nullptr);
    if (pContext == nullptr)
        return;
    m_pMarkupElement = pServices->ParseMarkupText(pContext, GetCaption());
    pServices->ReleaseMarkupContext(pContext);
}

void CKitControlMarkupLabel::SetDefaultFont()
{
    CKitBarPainter* pPainter = GetPaintManager();
    CKitThemeServices* pServices = CKitThemeServices::Get();
    if (pPainter == nullptr || pServices == nullptr)
        return;
    CFont* pFont = pPainter->GetControlFont(this);
    const BOOL bEnabled = IsEnabled() != 0;
    const COLORREF clrText =
        m_pParent != nullptr
            ? pPainter->GetControlStateTextColor(FALSE, FALSE, bEnabled, FALSE, FALSE, m_pParent->GetType(),
                                                 m_pParent->GetPosition())
            : ::GetSysColor(bEnabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    pServices->SetMarkupDefaultFont(m_pMarkupElement->GetMarkupContext(),
                                    pFont != nullptr ? static_cast<HFONT>(pFont->GetSafeHandle()) : nullptr, clrText);
}

CSize CKitControlMarkupLabel::GetSize(CDC* pDC)
{
    if (m_pMarkupElement == nullptr)
        return CKitControlLabel::GetSize(pDC);
    SetDefaultFont();
    return CKitThemeServices::Get()->MeasureMarkupElement(m_pMarkupElement, kUnbounded, kUnbounded);
}

void CKitControlMarkupLabel::Draw(CDC* pDC)
{
    if (m_pMarkupElement == nullptr) {
        CKitControlLabel::Draw(pDC);
        return;
    }
    SetDefaultFont();
    CKitThemeServices::Get()->RenderMarkupElement(m_pMarkupElement, pDC->GetSafeHdc(), &m_rcControl);
}

CSize CKitControlBitmap::GetSize(CDC* /*pDC*/)
{
    CKitImageManagerIcon* pImage = GetImageManager()->GetImage(GetIconId(), 1);
    return pImage != nullptr ? pImage->GetExtent() : CSize(0, 0);
}

void CKitControlBitmap::Draw(CDC* pDC)
{
    if (CKitImageManagerIcon* pImage = GetImageManager()->GetImage(GetIconId(), 1))
        pImage->DrawAtPoint(pDC, m_rcControl.TopLeft());
}

CFont* CKitControlHyperlink::SelectFont(CDC* pDC)
{
    CKitBarPainter* pPainter = GetPaintManager();
    CFont* pFont = pPainter != nullptr ? pPainter->GetControlFont(this) : nullptr;
    if (pFont != nullptr)
        return pDC->SelectObject(pFont);
    return CFont::FromHandle(static_cast<HFONT>(::SelectObject(pDC->GetSafeHdc(), ::GetStockObject(DEFAULT_GUI_FONT))));
}

CSize CKitControlHyperlink::GetSize(CDC* pDC)
{
    CFont* pOldFont = SelectFont(pDC);
    const CSize sz = pDC->GetTextExtent(GetCaption());
    pDC->SelectObject(pOldFont);
    return sz;
}

COLORREF CKitControlHyperlink::GetLinkColor() const
{
    if (!IsEnabled())
        return CKitColorManager::Instance()->GetColor(kColorGrayText);
    return GetSelected() != kitSelectedNone ? kColorHot : kColorLink;
}

void CKitControlHyperlink::Draw(CDC* pDC)
{
    CFont* pOldFont = SelectFont(pDC);
    pDC->SetTextColor(GetLinkColor());
    pDC->SetBkMode(TRANSPARENT);
    CRect rc = m_rcControl;
    pDC->DrawText(GetCaption(), &rc, DT_SINGLELINE | DT_NOPREFIX);
    pDC->SelectObject(pOldFont);
}

void CKitControlHyperlink::OnMouseMove(CPoint /*pt*/)
{
    ::SetCursor(::LoadCursor(nullptr, IDC_HAND));
}

void CKitControlHyperlink::OnClick(BOOL bKeyboard, CPoint pt)
{
    if (m_pParent != nullptr && m_pParent->IsCustomizeMode()) {
        m_pParent->OpenPopupAt(-1);
        m_pParent->ClearSelection();
        OnCustomizeDragStart(pt);
        return;
    }
    if (!bKeyboard && IsEnabled())
        OnExecute();
}

void CKitControlHyperlink::OnExecute()
{
    OpenLink(GetTooltip());
}

void CKitControlHyperlink::OpenLink(const CString& strAddress)
{
    ::ShellExecuteA(nullptr, "open", strAddress, nullptr, nullptr, SW_SHOW);
}
