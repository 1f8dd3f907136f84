#include "toolkit/commandbars/control_combo.h"

#include "toolkit/commandbars/auto_complete.h"

#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control_action.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/mouse_manager.h"
#include "toolkit/common/prop_exchange.h"
#include "toolkit/common/upper_services.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNCREATE(CKitControlComboBoxPopupBar, CKitPopupBar)
IMPLEMENT_DYNCREATE(CKitControlComboBoxList, CKitControlComboBoxPopupBar)
IMPLEMENT_DYNCREATE(CKitControlComboBox, CKitControlPopup)

namespace {

constexpr char kPopupBarClass[] = "KitPopupBar";
// The list's frame: the client edge around the rows.
constexpr int kListFrameHeight = 4;
// The edit window's inset inside the control.
constexpr int kEditInsetLeft = 4;
constexpr int kEditInsetVertical = 3;
constexpr int kEditInsetRight = 3;
// The first schemas that store the list icon id and the items' data.
constexpr int kSchemaListIconId = 24;
constexpr int kSchemaItemData = 37;
// The schemas from which the combo box stores its edit settings, edit style and character limit.
constexpr int kSchemaEditSettings = 9;
constexpr int kSchemaEditStyle = 17;
constexpr int kSchemaTextLimit = 35;
// The room of the edit icon before the edit text.
constexpr int kEditIconRoom = 16 + 2;

BOOL StartsWithNoCase(const CString& strText, LPCSTR lpszPrefix)
{
    const int nLength = static_cast<int>(std::strlen(lpszPrefix));
    return strText.GetLength() >= nLength && ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, strText, nLength,
                                                              lpszPrefix, nLength) == CSTR_EQUAL;
}

} // namespace

int CKitComboListBox::ItemFromPoint(LPARAM lParam)
{
    const LRESULT lResult = SendMessage(LB_ITEMFROMPOINT, 0, lParam);
    return HIWORD(lResult) == 0 ? LOWORD(lResult) : -1;
}

LRESULT CKitComboListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_MOUSEMOVE:
        m_pList->OnListHover(ItemFromPoint(lParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return 0;
    case WM_LBUTTONUP:
        m_pList->OnListRelease(ItemFromPoint(lParam));
        return 0;
    default:
        return CListBox::WindowProc(message, wParam, lParam);
    }
}

// The list drop-down.

CKitControlComboBoxList::CKitControlComboBoxList()
{
    SetShowShadow(FALSE);
}

CKitControlComboBoxList::~CKitControlComboBoxList()
{
    delete m_pListBox;
}

int CKitControlComboBoxList::AddString(LPCSTR lpszText, DWORD_PTR dwData)
{
    m_items.push_back({lpszText, dwData});
    return GetCount() - 1;
}

int CKitControlComboBoxList::InsertString(int nIndex, LPCSTR lpszText)
{
    if (nIndex < 0 || nIndex > GetCount())
        nIndex = GetCount();
    m_items.insert(m_items.begin() + nIndex, Item{lpszText, 0});
    return nIndex;
}

void CKitControlComboBoxList::DeleteString(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    m_items.erase(m_items.begin() + nIndex);
    if (m_nCurSel >= GetCount())
        m_nCurSel = -1;
}

void CKitControlComboBoxList::ResetContent()
{
    m_items.clear();
    m_nCurSel = -1;
    m_nTopIndex = 0;
}

DWORD_PTR CKitControlComboBoxList::GetItemData(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_items[nIndex].dwData : 0;
}

void CKitControlComboBoxList::SetItemData(int nIndex, DWORD_PTR dwData)
{
    if (nIndex >= 0 && nIndex < GetCount())
        m_items[nIndex].dwData = dwData;
}

int CKitControlComboBoxList::FindString(int nStart, LPCSTR lpszText) const
{
    for (int i = std::max(nStart, 0); i < GetCount(); i++) {
        if (StartsWithNoCase(m_items[i].strText, lpszText))
            return i;
    }
    return -1;
}

int CKitControlComboBoxList::FindStringExact(int nStart, LPCSTR lpszText) const
{
    for (int i = std::max(nStart, 0); i < GetCount(); i++) {
        if (m_items[i].strText.CompareNoCase(lpszText) == 0)
            return i;
    }
    return -1;
}

void CKitControlComboBoxList::SetTopIndex(int nIndex)
{
    m_nTopIndex = std::max(0, std::min(nIndex, GetCount() - 1));
    if (m_pListBox != nullptr && m_pListBox->GetSafeHwnd() != nullptr)
        m_pListBox->SetTopIndex(m_nTopIndex);
}

void CKitControlComboBoxList::SetCurSel(int nIndex)
{
    m_nCurSel = nIndex >= 0 && nIndex < GetCount() ? nIndex : -1;
    if (m_pListBox != nullptr && m_pListBox->GetSafeHwnd() != nullptr)
        m_pListBox->SetCurSel(m_nCurSel);
}

CString CKitControlComboBoxList::GetItemText(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_items[nIndex].strText : CString();
}

int CKitControlComboBoxList::GetVisibleRows(int nMaxRows) const
{
    return std::max(1, std::min(nMaxRows, GetCount()));
}

BOOL CKitControlComboBoxList::ProcessListKey(UINT nChar)
{
    if (GetCount() == 0)
        return FALSE;
    const int nPage = m_pComboBox != nullptr ? GetVisibleRows(m_pComboBox->GetMaxDropDownItems()) : 1;
    int nIndex = m_nCurSel;
    switch (nChar) {
    case VK_DOWN:
        nIndex = nIndex < 0 ? 0 : nIndex + 1;
        break;
    case VK_UP:
        nIndex = nIndex < 0 ? 0 : nIndex - 1;
        break;
    case VK_NEXT:
        nIndex = nIndex < 0 ? 0 : nIndex + nPage - 1;
        break;
    case VK_PRIOR:
        nIndex = nIndex < 0 ? 0 : nIndex - nPage + 1;
        break;
    case VK_HOME:
        nIndex = 0;
        break;
    case VK_END:
        nIndex = GetCount() - 1;
        break;
    default:
        return FALSE;
    }
    nIndex = std::max(0, std::min(nIndex, GetCount() - 1));
    if (nIndex == m_nCurSel)
        return FALSE;
    SetCurSel(nIndex);
    return TRUE;
}

BOOL CKitControlComboBoxList::Popup(CKitControlPopup* pControl, BOOL /*bSelectFirst*/)
{
    m_pComboBox = dynamic_cast<CKitControlComboBox*>(pControl);
    SetControlPopup(pControl);
    CKitCommandBar* pParent = pControl != nullptr ? pControl->GetParent() : nullptr;
    if (m_pComboBox == nullptr || pParent == nullptr || pParent->GetSafeHwnd() == nullptr)
        return FALSE;
    if (GetSafeHwnd() == nullptr &&
        !CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, KitRegisterBarClass(kPopupBarClass, CS_DBLCLKS | CS_SAVEBITS), "",
                  WS_POPUP | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), pParent->GetSite(), 0))
        return FALSE;
    delete m_pListBox;
    m_pListBox = new CKitComboListBox(this);
    if (!m_pListBox->CreateEx(WS_EX_CLIENTEDGE, "LISTBOX", "",
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPCHILDREN | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                                  LBS_HASSTRINGS,
                              CRect(0, 0, 0, 0), this, 0)) {
        DestroyWindow();
        return FALSE;
    }
    if (CKitBarPainter* pPainter = GetPaintManager())
        m_pListBox->SetFont(pPainter->GetCommandBarFont(pParent));
    for (const Item& item : m_items)
        m_pListBox->AddString(item.strText);
    m_pListBox->SetCurSel(m_nCurSel);

    const int nItemHeight = static_cast<int>(m_pListBox->SendMessage(LB_GETITEMHEIGHT, 0, 0));
    const int nRows = GetVisibleRows(m_pComboBox->GetMaxDropDownItems());
    const CSize size(m_nWidth > 0 ? m_nWidth : pControl->GetRect().Width(), nRows * nItemHeight + kListFrameHeight);
    CRect rcExclude = pControl->GetRect();
    pParent->ClientToScreen(&rcExclude);
    CRect rcWork;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    CPoint pt(rcExclude.left, rcExclude.bottom);
    if (pt.y + size.cy > rcWork.bottom)
        pt.y = rcExclude.top - size.cy;
    pt.x = std::max<int>(rcWork.left, std::min<int>(pt.x, rcWork.right - size.cx));
    m_pListBox->MoveWindow(0, 0, size.cx, size.cy);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, pt.x, pt.y, size.cx, size.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);

    m_pComboBox->SyncListWithText();
    if (m_nCurSel >= 0)
        m_pListBox->SetTopIndex(std::max(0, m_nCurSel - nRows + 1));
    else
        m_pListBox->SetTopIndex(m_nTopIndex);
    m_bOpen = TRUE;
    CKitMouseManager::GetThreadManager()->SetModal(TRUE);
    SetTrackingMode(1, FALSE, FALSE);
    m_pComboBox->NotifySite(kitComboNotifyDropDown);
    return TRUE;
}

BOOL CKitControlComboBoxList::SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    CKitControlComboBox* pComboBox = m_pComboBox;
    const BOOL bClosing = nMode == 0 && m_bOpen;
    if (bClosing) {
        m_bOpen = FALSE;
        CKitMouseManager::GetThreadManager()->SetModal(FALSE);
        if (m_pListBox != nullptr && m_pListBox->GetSafeHwnd() != nullptr)
            m_pListBox->DestroyWindow();
    }
    const BOOL bChanged = CKitPopupBar::SetTrackingMode(nMode, bSelectFirst, bKeyboard);
    if (bClosing && pComboBox != nullptr)
        pComboBox->NotifySite(kitComboNotifyCloseUp);
    return bChanged;
}

void CKitControlComboBoxList::OnListHover(int nIndex)
{
    if (nIndex >= 0 && nIndex != m_nCurSel)
        SetCurSel(nIndex);
}

void CKitControlComboBoxList::OnListRelease(int nIndex)
{
    if (m_pComboBox == nullptr || nIndex < 0)
        return;
    SetCurSel(nIndex);
    CKitControlComboBox* pComboBox = m_pComboBox;
    pComboBox->InternalAddRef();
    pComboBox->SetCurSel(nIndex);
    pComboBox->OnExecute();
    pComboBox->InternalRelease();
}

void CKitControlComboBoxList::Copy(const CKitCommandBar* pSource, BOOL bRecursive)
{
    CKitPopupBar::Copy(pSource, bRecursive);
    if (const auto* pList = dynamic_cast<const CKitControlComboBoxList*>(pSource)) {
        m_items = pList->m_items;
        m_nWidth = pList->m_nWidth;
        m_nListIconId = pList->m_nListIconId;
    }
}

void CKitControlComboBoxList::DoPropExchange(CKitPropExchange* pPX)
{
    CKitControlComboBoxPopupBar::DoPropExchange(pPX);
    if (pPX->GetSchema() >= kSchemaListIconId)
        CKitPropExchange::PropExchangeIntWithDefault(pPX, "ListIconId", m_nListIconId, -1);
    CKitPropExchangeSection section(pPX->GetSection("Items"));
    DWORD nCount = static_cast<DWORD>(GetCount());
    section->ExchangeCount(nCount);
    if (pPX->IsLoading())
        ResetContent();
    CString strKey;
    for (DWORD i = 0; i < nCount; i++) {
        CString strText = pPX->IsStoring() ? m_items[i].strText : CString();
        strKey.Format("Item%i", static_cast<int>(i));
        if (!CKitPropExchange::PropExchangeString(section, strKey, strText, ""))
            break;
        int nData = pPX->IsStoring() ? static_cast<int>(m_items[i].dwData) : 0;
        if (pPX->GetSchema() >= kSchemaItemData) {
            strKey.Format("ItemData%i", static_cast<int>(i));
            CKitPropExchange::PropExchangeIntWithDefault(section, strKey, nData, 0);
        }
        if (pPX->IsLoading())
            AddString(strText, static_cast<DWORD_PTR>(static_cast<DWORD>(nData)));
    }
}

// The combo box.

CKitControlComboBox::CKitControlComboBox() : CKitControlPopup(kitControlComboBox)
{
    SetCommandBar(new CKitControlComboBoxList());
}

CKitControlComboBox::~CKitControlComboBox()
{
    DestroyEditWindow();
}

CKitControlComboBoxPopupBar* CKitControlComboBox::GetDropDown() const
{
    return dynamic_cast<CKitControlComboBoxPopupBar*>(m_pCommandBar);
}

CKitControlComboBoxList* CKitControlComboBox::GetList() const
{
    return dynamic_cast<CKitControlComboBoxList*>(m_pCommandBar);
}

int CKitControlComboBox::AddString(LPCSTR lpszText, DWORD_PTR dwData)
{
    CKitControlComboBoxList* pList = GetList();
    return pList != nullptr ? pList->AddString(lpszText, dwData) : -1;
}

int CKitControlComboBox::GetCount() const
{
    CKitControlComboBoxList* pList = GetList();
    return pList != nullptr ? pList->GetCount() : 0;
}

int CKitControlComboBox::GetCurSel() const
{
    CKitControlComboBoxPopupBar* pDropDown = GetDropDown();
    return pDropDown != nullptr ? pDropDown->GetCurSel() : -1;
}

CString CKitControlComboBox::GetListText() const
{
    CKitControlComboBoxPopupBar* pDropDown = GetDropDown();
    return pDropDown != nullptr ? pDropDown->GetItemText(pDropDown->GetCurSel()) : CString();
}

void CKitControlComboBox::SetCurSel(int nIndex)
{
    CKitControlComboBoxPopupBar* pDropDown = GetDropDown();
    if (pDropDown == nullptr || (pDropDown->GetCurSel() == nIndex && m_nCurSel == nIndex))
        return;
    m_nCurSel = nIndex;
    pDropDown->SetCurSel(nIndex);
    OnSelChanged();
}

void CKitControlComboBox::OnSelChanged()
{
    m_bGuard = TRUE;
    SetEditText(GetListText());
    m_bGuard = FALSE;
    RedrawParent(FALSE);
    NotifySite(kitComboNotifySelChange);
}

CString CKitControlComboBox::GetEditText() const
{
    if (!HasWindow())
        return m_bEditPart && m_pEdit != nullptr ? m_strEditText : GetListText();
    if (m_bTextStale) {
        m_strEditText = m_pEdit->GetText();
        m_bTextStale = FALSE;
    }
    return m_strEditText;
}

void CKitControlComboBox::SetEditText(LPCSTR lpszText)
{
    const CString strText = lpszText != nullptr ? lpszText : "";
    if (HasWindow() && m_pEdit->GetText() != strText)
        m_pEdit->SetTextQuietly(strText);
    m_strEditText = strText;
    m_bTextStale = FALSE;
}

CString CKitControlComboBox::GetEditHint() const
{
    if (!m_strHint.IsEmpty() || m_pAction == nullptr)
        return m_strHint;
    return m_pAction->GetDescription();
}

void CKitControlComboBox::ShowEditPart(BOOL bShow)
{
    if (bShow == m_bEditPart)
        return;
    m_bEditPart = bShow;
    if (bShow) {
        if (m_pEdit == nullptr)
            m_pEdit = new CKitControlComboBoxEditCtrl(this);
    } else {
        DestroyEditWindow();
    }
    m_rcPlaced = CRect();
}

CRect CKitControlComboBox::GetEditWindowRect() const
{
    CRect rc = m_rcControl;
    rc.left += m_nLabelWidth + kEditInsetLeft;
    rc.top += kEditInsetVertical;
    rc.bottom -= kEditInsetVertical;
    rc.right -= kEditInsetRight + m_nDropDownWidth;
    if (m_nEditIconId > 0)
        rc.left += kEditIconRoom;
    return rc;
}

void CKitControlComboBox::ApplyCharFormat()
{
    if (!HasWindow())
        return;
    m_pEdit->ApplyFieldColors(this, !IsEnabled());
}

void CKitControlComboBox::SetRect(const CRect& rc)
{
    CKitControl::SetRect(rc);
    if (!m_bEditPart || m_pParent == nullptr || m_pParent->GetSafeHwnd() == nullptr)
        return;
    if (HasWindow() && ((::GetWindowLongA(m_pEdit->GetSafeHwnd(), GWL_EXSTYLE) & 0x400000) != 0 ||
                        ::GetParent(m_pEdit->GetSafeHwnd()) != m_pParent->GetSafeHwnd()))
        DestroyEditWindow();
    if (HasWindow() && rc == m_rcPlaced)
        return;
    m_rcPlaced = rc;
    if (!HasWindow()) {
        if (m_pEdit == nullptr)
            m_pEdit = new CKitControlComboBoxEditCtrl(this);
        if (!m_pEdit->CreateEdit(WS_CHILD | ES_AUTOHSCROLL | m_dwEditStyle, GetEditWindowRect(), m_pParent))
            return;
        if (!IsEnabled())
            m_pEdit->EnableWindow(FALSE);
        ApplyShellAutoComplete();
        if (m_nCharLimit > 0)
            m_pEdit->SetLimitText(m_nCharLimit);
        if (CKitBarPainter* pPainter = GetPaintManager())
            m_pEdit->SetFont(pPainter->GetCommandBarFont(m_pParent));
        m_pEdit->SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
        if (!m_bFocused)
            m_pEdit->SetTextQuietly(m_strEditText);
        m_bTextStale = FALSE;
    }
    m_pEdit->MoveWindow(GetEditWindowRect());
    ApplyCharFormat();
    ShowEditWindow();
}

void CKitControlComboBox::ShowEditWindow()
{
    if (!HasWindow())
        return;
    const BOOL bShow = IsVisible() && m_pControls != nullptr;
    ::SetWindowPos(m_pEdit->GetSafeHwnd(), nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void CKitControlComboBox::OnEnabledChanged()
{
    if (HasWindow())
        m_pEdit->EnableWindow(IsEnabled() ? TRUE : FALSE);
    ApplyCharFormat();
}

void CKitControlComboBox::OnActionChanged(int nProperty)
{
    CKitControlPopup::OnActionChanged(nProperty);
    if (nProperty == kitActionVisible)
        ShowEditWindow();
}

void CKitControlComboBox::SetShellAutoCompleteFlags(DWORD dwFlags)
{
    m_dwShellAutoCompleteFlags = dwFlags;
    ApplyShellAutoComplete();
}

void CKitControlComboBox::ApplyShellAutoComplete()
{
    m_pAutoComplete = CKitControlComboBoxAutoCompleteWnd::Rebind(m_pAutoComplete, this,
                                                                 HasWindow() ? m_pEdit->GetSafeHwnd() : nullptr,
                                                                 m_dwShellAutoCompleteFlags);
}

void CKitControlComboBox::OnWindowRightClick(CPoint ptScreen)
{
    if (m_pParent == nullptr || CKitCommandBarEditCtrl::PassRightClickWhileCustomizing(m_pParent, ptScreen))
        return;
    if (m_bPopuped)
        m_pParent->OpenPopupAt(-1);
    SetFocused(TRUE);
    if (HasWindow())
        m_pEdit->ShowContextMenu(m_pParent, ptScreen);
}

void CKitControlComboBox::DestroyEditWindow()
{
    delete m_pAutoComplete;
    m_pAutoComplete = nullptr;
    if (m_pEdit == nullptr)
        return;
    if (m_pEdit->GetSafeHwnd() != nullptr)
        m_pEdit->DestroyWindow();
    if (!m_bEditPart) {
        delete m_pEdit;
        m_pEdit = nullptr;
    }
    m_rcPlaced = CRect();
}

void CKitControlComboBox::OnWindowDestroyed()
{
    if (m_pEdit != nullptr)
        m_strEditText = m_pEdit->GetText();
    m_bTextStale = FALSE;
    if (m_bFocused) {
        m_bFocused = FALSE;
        CKitMouseManager::GetThreadManager()->SetModal(FALSE);
    }
}

void CKitControlComboBox::SetParent(CKitCommandBar* pParent)
{
    if (pParent != m_pParent)
        DestroyEditWindow();
    CKitControlPopup::SetParent(pParent);
}

void CKitControlComboBox::OnRemoved()
{
    if (HasWindow())
        m_pEdit->ShowWindow(SW_HIDE);
    if (m_pControls == nullptr)
        DestroyEditWindow();
    CKitControlPopup::OnRemoved();
}

BOOL CKitControlComboBox::SetPopup(BOOL bPopup)
{
    if (bPopup) {
        m_bExecuted = FALSE;
        m_nSavedSel = m_nCurSel;
        if (m_pAutoComplete != nullptr && m_pAutoComplete->GetDropDown() != nullptr)
            ::ShowWindow(m_pAutoComplete->GetDropDown(), SW_HIDE);
        if (HasWindow() && ::GetFocus() != m_pEdit->GetSafeHwnd())
            m_pEdit->SetFocus();
    } else if (m_bPopuped && !m_bExecuted) {
        if (!m_bFocused && !m_bEditPart)
            SetCurSel(m_nSavedSel);
        NotifySite(kitComboNotifySelEndCancel);
    }
    return CKitControlPopup::SetPopup(bPopup);
}

void CKitControlComboBox::SetFocused(BOOL bFocused)
{
    if (bFocused == m_bFocused)
        return;
    m_bFocused = bFocused;
    if (bFocused) {
        m_nSavedSel = m_nCurSel;
        m_bExecuted = FALSE;
        if (HasWindow() && ::GetFocus() != m_pEdit->GetSafeHwnd())
            m_pEdit->SetFocus();
        if (m_pParent != nullptr && m_pParent->GetSafeHwnd() != nullptr) {
            m_pParent->SetTrackingMode(TRUE, FALSE, FALSE);
            m_pParent->SetSelected(m_nIndex, kitSelectMouse);
        }
        CKitMouseManager::GetThreadManager()->SetModal(TRUE);
        NotifySite(kitComboNotifySetFocus);
    } else {
        if (!m_bExecuted && !m_bPopuped && !m_bEditPart) {
            SetCurSel(m_nSavedSel);
            NotifySite(kitComboNotifySelEndCancel);
        }
        if (HasWindow() && ::GetFocus() == m_pEdit->GetSafeHwnd())
            CKitCommandBarEditCtrl::ReturnFocus(m_hPreviousFocus, m_pParent);
        m_hPreviousFocus = nullptr;
        CKitMouseManager::GetThreadManager()->SetModal(FALSE);
        NotifySite(kitComboNotifyKillFocus);
    }
    RedrawParent(FALSE);
}

void CKitControlComboBox::OnWindowSetFocus(HWND hPrevious)
{
    if (hPrevious != nullptr && m_pParent != nullptr && hPrevious != m_pParent->GetSafeHwnd() &&
        !::IsChild(m_pParent->GetSafeHwnd(), hPrevious))
        m_hPreviousFocus = hPrevious;
    m_strSavedText = GetEditText();
    SyncListWithText();
    SetFocused(TRUE);
    if (m_pAutoComplete != nullptr)
        m_pAutoComplete->SetupHook();
}

void CKitControlComboBox::OnWindowKillFocus()
{
    if (GetEditText().IsEmpty())
        SetEditText(GetListText());
    SetFocused(FALSE);
    if (m_bPopuped && m_pParent != nullptr)
        m_pParent->OpenPopupAt(-1);
    if (m_pAutoComplete != nullptr)
        m_pAutoComplete->RemoveHook();
}

void CKitControlComboBox::OnWindowChanged()
{
    if (m_pEdit->IsSettingText())
        return;
    m_bTextStale = TRUE;
    if (!m_bFocused || m_pEdit->IsImeComposing())
        return;
    AutoComplete();
    SyncListWithText();
    NotifySite(kitComboNotifyEditChange);
}

void CKitControlComboBox::AutoComplete()
{
    CKitControlComboBoxPopupBar* pDropDown = GetDropDown();
    if (m_bGuard || !m_bAutoComplete || m_bSuppressComplete || !HasWindow() || pDropDown == nullptr)
        return;
    const CString strTyped = GetEditText();
    int nStart = 0;
    int nEnd = 0;
    m_pEdit->GetSel(nStart, nEnd);
    const int nLength = strTyped.GetLength();
    if (nLength > 0 && nStart == nLength && nEnd == nLength) {
        const int nIndex = pDropDown->FindString(0, strTyped);
        // The completion's own change must not complete again.
        m_bSuppressComplete = TRUE;
        if (nIndex >= 0) {
            const CString strFull = pDropDown->GetItemText(nIndex);
            SetEditText(strFull);
            m_pEdit->SetSel(strFull.GetLength(), nLength);
        }
    }
    m_bSuppressComplete = TRUE;
}

void CKitControlComboBox::SyncListWithText()
{
    CKitControlComboBoxPopupBar* pDropDown = GetDropDown();
    if (m_bGuard || !HasWindow() || pDropDown == nullptr)
        return;
    const CString strText = GetEditText();
    const int nExact = pDropDown->FindStringExact(0, strText);
    if (nExact >= 0) {
        pDropDown->SetCurSel(nExact);
        m_nCurSel = nExact;
        return;
    }
    const int nNearest = pDropDown->FindString(0, strText);
    if (nNearest >= 0) {
        pDropDown->SetTopIndex(nNearest);
        pDropDown->SetCurSel(nNearest);
    }
    pDropDown->SetCurSel(-1);
    m_nCurSel = -1;
}

void CKitControlComboBox::OnExecute()
{
    if (m_nCurSel != -1 && (m_bPopuped || (!m_bEditPart && m_bFocused)))
        NotifySite(kitComboNotifySelEndOk);
    m_bExecuted = TRUE;
    m_nSavedSel = m_nCurSel;
    CKitControl::OnExecute();
}

void CKitControlComboBox::OnClick(BOOL bKeyboard, CPoint pt)
{
    if (HasWindow() && m_pEdit->IsImeComposing())
        return;
    if (m_pParent != nullptr && m_pParent->IsCustomizeMode()) {
        m_pParent->OpenPopupAt(-1);
        m_pParent->SetSelected(-1);
        OnCustomizeDragStart(pt);
        return;
    }
    if (bKeyboard && IsEnabled()) {
        if (!m_bFocused)
            SetFocused(TRUE);
        else
            OnExecute();
        return;
    }
    if (m_bPopuped && m_bFocused) {
        if (m_pParent != nullptr)
            m_pParent->OpenPopupAt(-1);
        return;
    }
    CKitControlPopup::OnClick(bKeyboard, pt);
}

void CKitControlComboBox::OnMouseMove(CPoint pt)
{
    if (m_nSelected == 0 || !IsEnabled())
        return;
    const int nState = pt.x >= m_rcControl.right - m_nDropDownWidth ? static_cast<int>(kitSelectedSplitDropDown)
                                                                     : static_cast<int>(kitSelectedMouse);
    if (nState != m_nSelected) {
        m_nSelected = nState;
        RedrawParent(FALSE);
    }
}

void CKitControlComboBox::OnMouseHover()
{
    if (!m_bFocused)
        CKitControl::OnMouseHover();
}

void CKitControlComboBox::OnKeyboardTip()
{
    if (m_pParent != nullptr)
        m_pParent->RecalcKeyboardCues();
    SetFocused(TRUE);
}

BOOL CKitControlComboBox::OnHookKeyDown(UINT nChar, LPARAM /*lParam*/)
{
    if (!m_bFocused)
        return CKitHookManagerHookAble::kNotHandled;
    m_bSuppressComplete = nChar == VK_DELETE || nChar == VK_BACK;
    if (HasWindow() && m_pEdit->IsImeComposing())
        return CKitHookManagerHookAble::kStopAsking;
    const BOOL bAlt = ::GetKeyState(VK_MENU) < 0;
    const BOOL bInPopup = IsInPopupBar();
    switch (nChar) {
    case VK_TAB:
        // Bound to use Tab, the shell's completion takes it in the edit window.
        if (m_pAutoComplete != nullptr && HasWindow() &&
            (m_dwShellAutoCompleteFlags & CKitControlComboBoxAutoCompleteWnd::kFlagUseTab) != 0)
            return CKitHookManagerHookAble::kStopAsking;
        return CKitHookManagerHookAble::kNotHandled;
    case VK_RETURN:
        return CKitHookManagerHookAble::kNotHandled;
    case VK_ESCAPE: {
        if (m_bPopuped && m_pParent != nullptr)
            m_pParent->OpenPopupAt(-1);
        const CString strSaved = m_strSavedText;
        SetCurSel(m_nSavedSel);
        if (m_bEditPart)
            SetEditText(strSaved);
        SetFocused(FALSE);
        return bInPopup ? CKitHookManagerHookAble::kHandled : CKitHookManagerHookAble::kNotHandled;
    }
    case VK_F4:
        if (bAlt)
            break;
        m_pParent->OpenPopupAt(m_bPopuped ? -1 : m_nIndex);
        return CKitHookManagerHookAble::kHandled;
    default:
        break;
    }
    if (bAlt && (nChar == VK_UP || nChar == VK_DOWN)) {
        m_pParent->OpenPopupAt(m_bPopuped ? -1 : m_nIndex);
        return CKitHookManagerHookAble::kHandled;
    }
    if (m_pAutoComplete != nullptr && m_pAutoComplete->ProcessKey(nChar))
        return CKitHookManagerHookAble::kHandled;
    const BOOL bListKey = nChar == VK_UP || nChar == VK_DOWN || nChar == VK_PRIOR || nChar == VK_NEXT;
    if (!bAlt && (bListKey || !m_bEditPart)) {
        CKitControlComboBoxPopupBar* pDropDown = GetDropDown();
        if (pDropDown != nullptr && pDropDown->ProcessListKey(nChar)) {
            m_nCurSel = pDropDown->GetCurSel();
            OnSelChanged();
            if (HasWindow())
                m_pEdit->SetSel(0, -1);
        }
        return CKitHookManagerHookAble::kHandled;
    }
    if (!HasWindow())
        return CKitHookManagerHookAble::kNotHandled;
    // Editing keys reach the focused window itself, past the bar's navigation.
    return CKitCommandBarEditCtrl::IsEditingKey(nChar) ? CKitHookManagerHookAble::kStopAsking
                                                       : CKitHookManagerHookAble::kNotHandled;
}

BOOL CKitControlComboBox::OnHookMouseWheel(UINT /*nFlags*/, short zDelta, CPoint /*pt*/)
{
    const BOOL bSuggesting = m_pAutoComplete != nullptr && m_pAutoComplete->GetDropDown() != nullptr;
    if (!m_bFocused || m_bPopuped || bSuggesting)
        return FALSE;
    CKitControlComboBoxPopupBar* pDropDown = GetDropDown();
    if (pDropDown != nullptr && pDropDown->ProcessListKey(zDelta <= 0 ? VK_DOWN : VK_UP)) {
        m_nCurSel = pDropDown->GetCurSel();
        OnSelChanged();
    }
    return TRUE;
}

void CKitControlComboBox::Copy(const CKitControl* pSource, BOOL bRecursive)
{
    const auto* pComboBox = dynamic_cast<const CKitControlComboBox*>(pSource);
    if (pComboBox != nullptr) {
        m_dwEditStyle = pComboBox->m_dwEditStyle;
        m_strEditText = pComboBox->GetEditText();
        m_strHint = pComboBox->m_strHint;
        ShowEditPart(pComboBox->m_bEditPart);
        m_bAutoComplete = pComboBox->m_bAutoComplete;
        m_dwShellAutoCompleteFlags = pComboBox->m_dwShellAutoCompleteFlags;
        m_nEditIconId = pComboBox->m_nEditIconId;
        m_nMaxDropDownItems = pComboBox->m_nMaxDropDownItems;
        m_nCharLimit = pComboBox->m_nCharLimit;
        m_nComboStyle = pComboBox->m_nComboStyle;
        m_nEditWidth = pComboBox->m_nEditWidth;
    }
    CKitControlPopup::Copy(pSource, bRecursive);
}

void CKitControlComboBox::DoPropExchange(CKitPropExchange* pPX)
{
    using PX = CKitPropExchange;
    CKitControlPopup::DoPropExchange(pPX);
    const int nSchema = pPX->GetSchema();
    BOOL bDropDown = m_bEditPart;
    PX::PropExchangeBool(pPX, "DropDown", bDropDown, TRUE);
    PX::PropExchangeIntWithDefault(pPX, "Width", m_nEditWidth, 0);
    PX::PropExchangeIntWithDefault(pPX, "ComboStyle", m_nComboStyle, 0);
    int nShellFlags = static_cast<int>(m_dwShellAutoCompleteFlags);
    int nEditIconId = static_cast<int>(m_nEditIconId);
    int nEditStyle = static_cast<int>(m_dwEditStyle);
    if (nSchema >= kSchemaEditSettings) {
        PX::PropExchangeString(pPX, "EditHint", m_strHint, "");
        PX::PropExchangeIntWithDefault(pPX, "ShellAutoCompleteFlags", nShellFlags, 0);
        PX::PropExchangeBool(pPX, "AutoComplete", m_bAutoComplete, FALSE);
        PX::PropExchangeIntWithDefault(pPX, "EditIconId", nEditIconId, 0);
        PX::PropExchangeIntWithDefault(pPX, "DropDownItemCount", m_nMaxDropDownItems, 12);
    }
    if (nSchema >= kSchemaEditStyle)
        PX::PropExchangeIntWithDefault(pPX, "EditStyle", nEditStyle, 0);
    if (nSchema >= kSchemaTextLimit)
        PX::PropExchangeIntWithDefault(pPX, "TextLimit", m_nCharLimit, 0);
    if (pPX->IsLoading()) {
        m_nEditIconId = static_cast<UINT>(nEditIconId);
        m_dwEditStyle = static_cast<DWORD>(nEditStyle);
        ShowEditPart(bDropDown);
        SetShellAutoCompleteFlags(static_cast<DWORD>(nShellFlags));
    }
}
