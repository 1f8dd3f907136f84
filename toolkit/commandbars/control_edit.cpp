#include "toolkit/commandbars/control_edit.h"

#include "framework/ids.h"
#include "toolkit/commandbars/auto_complete.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control_action.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/mouse_manager.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/common/color_manager.h"
#include "toolkit/common/resources.h"
#include "toolkit/common/upper_services.h"

#include <richedit.h>
#include <windowsx.h>

#include <cstdlib>

IMPLEMENT_DYNCREATE(CKitControlEdit, CKitControl)

DWORD (*CKitControlEdit::s_pfnClock)() = &::GetTickCount;

namespace {

// The rich-edit library of the process, loaded on first use and kept until exit.
struct RichEditLibrary {
    HMODULE hModule = nullptr;
    LPCSTR lpszClass = "EDIT";
    BOOL bVersion2 = FALSE;
};

const RichEditLibrary& GetRichEditLibrary()
{
    static const RichEditLibrary library = [] {
        RichEditLibrary lib;
        if ((lib.hModule = ::LoadLibraryA("RICHED20.DLL")) != nullptr) {
            lib.lpszClass = "RichEdit20A";
            lib.bVersion2 = TRUE;
        } else if ((lib.hModule = ::LoadLibraryA("RICHED32.DLL")) != nullptr) {
            lib.lpszClass = "RICHEDIT";
        }
        return lib;
    }();
    return library;
}

// Plain text with a single level of undo.
constexpr WPARAM kTextModePlainSingleUndo = TM_PLAINTEXT | TM_SINGLELEVELUNDO;
// Extended style of a window laid out right to left.
constexpr DWORD kLayoutRtl = 0x400000;
// The edit window's inset inside the control, and the room of its buttons.
constexpr int kEditInsetLeft = 4;
constexpr int kEditInsetVertical = 3;
constexpr int kEditInsetRight = 3;
constexpr int kBuddyRoom = 21;
constexpr int kSpinRoom = 17;
constexpr int kBuddyWidth = 18;
constexpr int kEditIconWidth = 16;
// The context menu returns its command without notifying, nested in a tracking bar; aligned right in a
// right-to-left window.
constexpr UINT kContextMenuFlags = TPM_RETURNCMD | TPM_NONOTIFY | TPM_RECURSE;

CKitMouseManager* MouseManager()
{
    return CKitMouseManager::GetThreadManager();
}

} // namespace

// The edit window.

BOOL CKitCommandBarEditCtrl::IsRichEditAvailable()
{
    return GetRichEditLibrary().hModule != nullptr;
}

BOOL CKitCommandBarEditCtrl::CreateEdit(DWORD dwStyle, const CRect& rc, CWnd* pParent)
{
    const RichEditLibrary& library = GetRichEditLibrary();
    if (!CreateEx(0, library.hModule != nullptr ? library.lpszClass : "EDIT", "", dwStyle, rc, pParent, 0))
        return FALSE;
    if (library.hModule != nullptr) {
        SendMessage(EM_SETEVENTMASK, 0, ENM_CHANGE);
        SendMessage(EM_SETTEXTMODE, kTextModePlainSingleUndo, 0);
    }
    return TRUE;
}

CString CKitCommandBarEditCtrl::GetText() const
{
    CString strText;
    if (GetSafeHwnd() != nullptr)
        GetWindowText(strText);
    return strText;
}

void CKitCommandBarEditCtrl::SetTextQuietly(LPCSTR lpszText)
{
    m_bSettingText = TRUE;
    SetWindowText("");
    m_bSettingText = FALSE;
    SetWindowText(lpszText);
}

void CKitCommandBarEditCtrl::ApplyColors(COLORREF clrText, COLORREF clrBack)
{
    if (GetRichEditLibrary().hModule == nullptr || GetSafeHwnd() == nullptr)
        return;
    CHARFORMAT2A format{};
    format.cbSize = GetRichEditLibrary().bVersion2 ? sizeof(CHARFORMAT2A) : sizeof(CHARFORMATA);
    format.dwMask = CFM_COLOR | CFM_BACKCOLOR;
    format.crTextColor = clrText;
    format.crBackColor = clrBack;
    SendMessage(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    SendMessage(EM_SETBKGNDCOLOR, 0, clrBack);
}

BOOL CKitCommandBarEditCtrl::IsEditingKey(UINT nChar)
{
    const BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    return nChar == VK_BACK || (nChar >= VK_PRIOR && nChar <= VK_DELETE) ||
           (bCtrl && (nChar == 'C' || nChar == 'V' || nChar == 'X' || nChar == 'Z'));
}

void CKitCommandBarEditCtrl::ApplyFieldColors(CKitControl* pControl, BOOL bGreyText)
{
    CKitColorManager* pColors = CKitColorManager::Instance();
    CKitBarPainter* pPainter = pControl->GetPaintManager();
    COLORREF clrBack = pPainter != nullptr ? pPainter->GetControlEditBackColor(pControl) : CLR_INVALID;
    // A theme that gives no field colour leaves the window's.
    if (clrBack == CLR_INVALID)
        clrBack = pColors->GetColor(COLOR_WINDOW);
    ApplyColors(pColors->GetColor(bGreyText ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT), clrBack);
}

void CKitCommandBarEditCtrl::ReturnFocus(HWND hPrevious, CKitCommandBar* pBar)
{
    if ((hPrevious == nullptr || !::IsWindow(hPrevious)) && pBar != nullptr && pBar->GetSite() != nullptr)
        hPrevious = pBar->GetSite()->GetSafeHwnd();
    ::SetFocus(hPrevious);
}

CKitPopupBar* CKitCommandBarEditCtrl::CreateContextMenu(CKitCommandBarManager* pCommandBars)
{
    CString strCut;
    if (GetSafeHwnd() == nullptr || !CKitResourceManager::Instance()->LoadString(strCut, ID_EDIT_CUT))
        return nullptr;
    int nStart = 0;
    int nEnd = 0;
    GetSel(nStart, nEnd);
    const BOOL bSelection = nStart != nEnd;
    const BOOL bWritable = (GetStyle() & ES_READONLY) == 0 && IsWindowEnabled();
    const BOOL bClipboardText = ::IsClipboardFormatAvailable(CF_TEXT);
    CKitPopupBar* pMenu = CKitPopupBar::CreatePopupBar(pCommandBars);
    const struct {
        UINT nId;
        BOOL bEnabled;
    } items[] = {{ID_EDIT_CUT, bSelection && bWritable}, {ID_EDIT_COPY, bSelection}, {ID_EDIT_PASTE, bWritable && bClipboardText}};
    for (const auto& item : items) {
        CKitControl* pControl = pMenu->GetControls()->Add(kitControlButton, item.nId);
        pControl->SetFlags(pControl->GetFlags() | kitFlagManualUpdate);
        pControl->SetEnabled(item.bEnabled);
    }
    return pMenu;
}

BOOL CKitCommandBarEditCtrl::RunContextCommand(UINT nId)
{
    const UINT nMessage = nId == ID_EDIT_CUT ? WM_CUT : nId == ID_EDIT_COPY ? WM_COPY : nId == ID_EDIT_PASTE ? WM_PASTE : 0;
    if (nMessage == 0 || GetSafeHwnd() == nullptr)
        return FALSE;
    SendMessage(nMessage, 0, 0);
    return TRUE;
}

void CKitCommandBarEditCtrl::ShowContextMenu(CKitCommandBar* pBar, CPoint ptScreen)
{
    CKitCommandBarManager* pCommandBars = pBar != nullptr ? pBar->GetCommandBars() : nullptr;
    if (pCommandBars == nullptr || GetSafeHwnd() == nullptr)
        return;
    // The selection posted when the focus came applies before the menu asks for it.
    MSG msg;
    if (::PeekMessageA(&msg, m_hWnd, EM_SETSEL, EM_SETSEL, PM_REMOVE))
        SendMessage(EM_SETSEL, msg.wParam, msg.lParam);
    CKitPopupBar* pMenu = CreateContextMenu(pCommandBars);
    if (pMenu == nullptr)
        return;
    MouseManager()->SetModal(FALSE);
    const UINT nFlags = kContextMenuFlags | ((GetExStyle() & kLayoutRtl) != 0 ? TPM_RIGHTALIGN : 0);
    const UINT nCommand = pCommandBars->TrackPopupMenu(pMenu, nFlags, ptScreen.x, ptScreen.y, pBar->GetSite());
    pMenu->InternalRelease();
    RunContextCommand(nCommand);
    MouseManager()->SetModal(TRUE);
    if (pBar->GetSafeHwnd() != nullptr)
        pBar->Invalidate(FALSE);
}

BOOL CKitCommandBarEditCtrl::IsBarCustomizing(CKitCommandBar* pBar)
{
    return pBar->IsCustomizeMode();
}

CPoint CKitCommandBarEditCtrl::ToBar(CKitCommandBar* pBar, CPoint ptScreen)
{
    pBar->ScreenToClient(&ptScreen);
    return ptScreen;
}

BOOL CKitCommandBarEditCtrl::PassRightClickWhileCustomizing(CKitCommandBar* pBar, CPoint ptScreen)
{
    if (!pBar->IsCustomizeMode())
        return FALSE;
    const CPoint pt = ToBar(pBar, ptScreen);
    pBar->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(pt.x, pt.y));
    return TRUE;
}

LRESULT CKitCommandBarEditCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN: {
        CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        ClientToScreen(&pt);
        if (OnEditLeftClick(pt))
            return 0;
        break;
    }
    case WM_RBUTTONDOWN: {
        CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        ClientToScreen(&pt);
        OnEditRightClick(pt);
        return 0;
    }
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU:
        // The window's own menu never shows.
        return 0;
    case WM_IME_STARTCOMPOSITION:
        m_bComposing = TRUE;
        break;
    case WM_IME_ENDCOMPOSITION:
        m_bComposing = FALSE;
        break;
    case WM_SETFOCUS: {
        const LRESULT lResult = CEdit::WindowProc(message, wParam, lParam);
        OnEditSetFocus(reinterpret_cast<HWND>(wParam));
        // Posted so that the selection follows the mouse click that brought the focus.
        PostMessage(EM_SETSEL, 0, -1);
        return lResult;
    }
    case WM_KILLFOCUS: {
        m_bComposing = FALSE;
        const LRESULT lResult = CEdit::WindowProc(message, wParam, lParam);
        OnEditKillFocus();
        return lResult;
    }
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            OnEditReturn();
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == VK_RETURN || wParam == VK_ESCAPE || wParam == VK_TAB)
            return 0;
        break;
    case WM_DESTROY:
        OnEditDestroy();
        break;
    default:
        break;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}

BOOL CKitCommandBarEditCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) {
        OnEditChanged();
        if (pResult != nullptr)
            *pResult = 0;
        return TRUE;
    }
    return CEdit::OnChildNotify(message, wParam, lParam, pResult);
}

// The control.

CKitControlEdit::~CKitControlEdit()
{
    DestroyEditWindow();
}

CString CKitControlEdit::GetEditText() const
{
    if (m_bHintShown)
        return CString();
    if (m_bTextStale && HasWindow()) {
        m_strEditText = m_pEdit->GetText();
        m_bTextStale = FALSE;
    }
    return m_strEditText;
}

void CKitControlEdit::SetEditText(LPCSTR lpszText)
{
    m_strEditText = lpszText != nullptr ? lpszText : "";
    m_bTextStale = FALSE;
    if (HasWindow()) {
        if (m_bHintShown && !m_strEditText.IsEmpty())
            m_bHintShown = FALSE;
        if (!m_bHintShown && m_pEdit->GetText() != m_strEditText)
            m_pEdit->SetTextQuietly(m_strEditText);
        m_bTextStale = FALSE;
    }
    UpdateHint();
    RedrawParent(FALSE);
}

CString CKitControlEdit::GetEditHint() const
{
    if (!m_strHint.IsEmpty() || m_pAction == nullptr)
        return m_strHint;
    return m_pAction->GetDescription();
}

void CKitControlEdit::SetEditHint(LPCSTR lpszHint)
{
    m_strHint = lpszHint;
    if (m_bHintShown && HasWindow()) {
        m_bHintShown = FALSE;
        m_pEdit->SetTextQuietly("");
    }
    UpdateHint();
}

void CKitControlEdit::UpdateHint()
{
    const BOOL bShow = !m_bFocused && GetEditText().IsEmpty() && !GetEditHint().IsEmpty();
    if (HasWindow()) {
        if (bShow && !m_bHintShown) {
            m_bHintShown = TRUE;
            m_pEdit->SetTextQuietly(GetEditHint());
        } else if (!bShow && m_bHintShown) {
            m_bHintShown = FALSE;
            m_pEdit->SetTextQuietly(m_strEditText);
            m_bTextStale = FALSE;
        }
        ApplyCharFormat();
    } else {
        m_bHintShown = bShow;
    }
}

void CKitControlEdit::SetReadOnly(BOOL bReadOnly)
{
    m_bReadOnly = bReadOnly;
    if (HasWindow())
        m_pEdit->SetReadOnly(bReadOnly);
}

CRect CKitControlEdit::GetSpinButtonsRect() const
{
    if (!m_bSpinButtons)
        return CRect();
    return CRect(m_rcControl.right - kSpinButtonsWidth, m_rcControl.top + 1, m_rcControl.right - 1,
                 m_rcControl.bottom - 1);
}

CRect CKitControlEdit::GetBuddyButtonRect() const
{
    if (m_nBuddyButtonId == 0)
        return CRect();
    CRect rc(m_rcControl.right - kBuddyWidth - 1, m_rcControl.top + 1, m_rcControl.right - 1, m_rcControl.bottom - 1);
    if (m_bSpinButtons)
        rc.OffsetRect(-kSpinRoom, 0);
    return rc;
}

CRect CKitControlEdit::GetEditWindowRect() const
{
    CRect rc = m_rcControl;
    rc.left += m_nLabelWidth + kEditInsetLeft;
    rc.top += kEditInsetVertical;
    rc.bottom -= kEditInsetVertical;
    rc.right -= m_nBuddyButtonId != 0 ? kBuddyRoom : kEditInsetRight;
    if (m_bSpinButtons)
        rc.right -= kSpinRoom;
    if (m_nEditIconId > 0)
        rc.left += kEditIconWidth + 2;
    return rc;
}

void CKitControlEdit::ApplyCharFormat()
{
    if (!HasWindow())
        return;
    m_pEdit->ApplyFieldColors(this, !IsEnabled() || m_bHintShown);
}

void CKitControlEdit::SetRect(const CRect& rc)
{
    const BOOL bSame = rc == m_rcPlaced;
    CKitControl::SetRect(rc);
    if (m_pParent == nullptr || m_pParent->GetSafeHwnd() == nullptr)
        return;
    if (HasWindow()) {
        const HWND hWnd = m_pEdit->GetSafeHwnd();
        if (m_bRecreate || (::GetWindowLongA(hWnd, GWL_EXSTYLE) & kLayoutRtl) != 0 ||
            ::GetParent(hWnd) != m_pParent->GetSafeHwnd())
            DestroyEditWindow();
    }
    if (bSame && HasWindow()) {
        ShowEditWindow();
        return;
    }
    m_rcPlaced = rc;
    m_bRecreate = FALSE;
    if (!HasWindow()) {
        if (m_pEdit == nullptr)
            m_pEdit = new CKitControlEditCtrl(this);
        if (!m_pEdit->CreateEdit(WS_CHILD | ES_AUTOHSCROLL | m_dwEditStyle, GetEditWindowRect(), m_pParent)) {
            delete m_pEdit;
            m_pEdit = nullptr;
            return;
        }
        if (!IsEnabled())
            m_pEdit->EnableWindow(FALSE);
        if (m_nCharLimit > 0)
            m_pEdit->SetLimitText(m_nCharLimit);
        if (CKitBarPainter* pPainter = GetPaintManager())
            m_pEdit->SetFont(pPainter->GetCommandBarFont(m_pParent));
        m_pEdit->SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
        m_bHintShown = FALSE;
        if (!m_bFocused)
            m_pEdit->SetTextQuietly(m_strEditText);
        m_bTextStale = FALSE;
        m_pEdit->SetReadOnly(m_bReadOnly);
        ApplyShellAutoComplete();
        UpdateHint();
    }
    m_pEdit->MoveWindow(GetEditWindowRect());
    ApplyCharFormat();
    ShowEditWindow();
}

void CKitControlEdit::ShowEditWindow()
{
    if (!HasWindow())
        return;
    const BOOL bShow = IsVisible() && m_pControls != nullptr && m_pParent != nullptr && m_pParent->GetSafeHwnd() != nullptr;
    ::SetWindowPos(m_pEdit->GetSafeHwnd(), nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void CKitControlEdit::DestroyEditWindow()
{
    delete m_pAutoComplete;
    m_pAutoComplete = nullptr;
    if (m_pEdit == nullptr)
        return;
    if (m_pEdit->GetSafeHwnd() != nullptr)
        m_pEdit->DestroyWindow();
    delete m_pEdit;
    m_pEdit = nullptr;
    m_rcPlaced = CRect();
}

void CKitControlEdit::SetShellAutoCompleteFlags(DWORD dwFlags)
{
    m_dwShellAutoCompleteFlags = dwFlags;
    ApplyShellAutoComplete();
}

void CKitControlEdit::ApplyShellAutoComplete()
{
    m_pAutoComplete = CKitControlComboBoxAutoCompleteWnd::Rebind(m_pAutoComplete, this,
                                                                 HasWindow() ? m_pEdit->GetSafeHwnd() : nullptr,
                                                                 m_dwShellAutoCompleteFlags);
}

void CKitControlEdit::OnWindowRightClick(CPoint ptScreen)
{
    if (m_pParent == nullptr || CKitCommandBarEditCtrl::PassRightClickWhileCustomizing(m_pParent, ptScreen))
        return;
    SetFocused(TRUE);
    if (HasWindow())
        m_pEdit->ShowContextMenu(m_pParent, ptScreen);
}

void CKitControlEdit::OnWindowDestroyed()
{
    // The text outlives the window.
    if (!m_bHintShown && m_pEdit != nullptr)
        m_strEditText = m_pEdit->GetText();
    m_bTextStale = FALSE;
    m_bHintShown = FALSE;
    if (m_bFocused) {
        m_bFocused = FALSE;
        MouseManager()->SetModal(FALSE);
    }
}

void CKitControlEdit::SetParent(CKitCommandBar* pParent)
{
    if (pParent == nullptr)
        DestroyEditWindow();
    CKitControl::SetParent(pParent);
}

void CKitControlEdit::OnRemoved()
{
    if (HasWindow())
        m_pEdit->ShowWindow(SW_HIDE);
    if (m_pControls == nullptr)
        DestroyEditWindow();
    CKitControl::OnRemoved();
}

void CKitControlEdit::OnEnabledChanged()
{
    if (HasWindow())
        m_pEdit->EnableWindow(IsEnabled() ? TRUE : FALSE);
    ApplyCharFormat();
}

void CKitControlEdit::OnActionChanged(int nProperty)
{
    CKitControl::OnActionChanged(nProperty);
    if (nProperty == kitActionVisible)
        ShowEditWindow();
}

void CKitControlEdit::OnWindowSetFocus(HWND hPrevious)
{
    if (m_bHintShown) {
        m_bHintShown = FALSE;
        m_pEdit->SetTextQuietly("");
        m_bTextStale = FALSE;
    }
    m_strSavedText = GetEditText();
    if (hPrevious != nullptr && !::IsChild(m_pParent != nullptr ? m_pParent->GetSafeHwnd() : nullptr, hPrevious) &&
        (m_pParent == nullptr || hPrevious != m_pParent->GetSafeHwnd()))
        m_hPreviousFocus = hPrevious;
    if (m_pParent != nullptr && m_pParent->GetPopuped() != -1)
        m_pParent->OpenPopupAt(-1);
    ApplyCharFormat();
    SetFocused(TRUE);
    if (m_pAutoComplete != nullptr)
        m_pAutoComplete->SetupHook();
}

void CKitControlEdit::OnWindowKillFocus()
{
    SetFocused(FALSE);
    UpdateHint();
    if (m_pAutoComplete != nullptr)
        m_pAutoComplete->RemoveHook();
}

void CKitControlEdit::OnWindowChanged()
{
    if (m_bHintShown || m_bApplyingFormat)
        return;
    m_bTextStale = TRUE;
    if (m_bFocused && HasWindow() && ::GetFocus() == m_pEdit->GetSafeHwnd() && !m_pEdit->IsSettingText())
        NotifySite(kitEditNotifyChange);
    m_bApplyingFormat = TRUE;
    ApplyCharFormat();
    m_bApplyingFormat = FALSE;
}

void CKitControlEdit::SetFocused(BOOL bFocused)
{
    if (bFocused == m_bFocused)
        return;
    m_bFocused = bFocused;
    if (bFocused) {
        if (HasWindow() && ::GetFocus() != m_pEdit->GetSafeHwnd())
            m_pEdit->SetFocus();
        if (m_pParent != nullptr && m_pParent->GetSafeHwnd() != nullptr) {
            m_pParent->SetTrackingMode(TRUE, FALSE, FALSE);
            m_pParent->SetSelected(m_nIndex, kitSelectMouse);
        }
        MouseManager()->SetModal(TRUE);
        NotifySite(kitEditNotifySetFocus);
    } else {
        if (HasWindow() && ::GetFocus() == m_pEdit->GetSafeHwnd())
            CKitCommandBarEditCtrl::ReturnFocus(m_hPreviousFocus, m_pParent);
        m_hPreviousFocus = nullptr;
        MouseManager()->SetModal(FALSE);
        NotifySite(kitEditNotifyKillFocus);
    }
    RedrawParent(FALSE);
}

void CKitControlEdit::OnMouseHover()
{
    if (!m_bFocused)
        CKitControl::OnMouseHover();
}

void CKitControlEdit::OnKeyboardTip()
{
    if (m_pParent != nullptr)
        m_pParent->RecalcKeyboardCues();
    SetFocused(TRUE);
}

BOOL CKitControlEdit::OnHookKeyDown(UINT nChar, LPARAM /*lParam*/)
{
    if (!m_bFocused || !HasWindow())
        return CKitHookManagerHookAble::kNotHandled;
    if (m_pEdit->IsImeComposing())
        return CKitHookManagerHookAble::kStopAsking;
    const BOOL bInPopup = IsInPopupBar();
    switch (nChar) {
    case VK_TAB:
    case VK_RETURN:
        return CKitHookManagerHookAble::kNotHandled;
    case VK_ESCAPE:
        SetEditText(m_strSavedText);
        SetFocused(FALSE);
        return bInPopup ? CKitHookManagerHookAble::kHandled : CKitHookManagerHookAble::kNotHandled;
    case VK_UP:
    case VK_DOWN:
        if (m_bSpinButtons && IsEnabled() && !m_bReadOnly) {
            Spin(1, nChar == VK_UP ? 1 : -1);
            if (::GetFocus() == m_pEdit->GetSafeHwnd())
                m_pEdit->SetSel(0, -1);
            return CKitHookManagerHookAble::kHandled;
        }
        break;
    default:
        break;
    }
    if (m_pAutoComplete != nullptr && m_pAutoComplete->ProcessKey(nChar))
        return CKitHookManagerHookAble::kHandled;
    if (nChar == VK_UP || nChar == VK_DOWN)
        return CKitHookManagerHookAble::kNotHandled;
    // Editing keys reach the focused window itself, past the bar's navigation.
    return CKitCommandBarEditCtrl::IsEditingKey(nChar) ? CKitHookManagerHookAble::kStopAsking
                                                       : CKitHookManagerHookAble::kNotHandled;
}

BOOL CKitControlEdit::Spin(int nStep, int nDirection)
{
    if (nStep <= 0)
        nStep = 1;
    NMKITEDITSPIN record{};
    record.nStep = nStep;
    if (NotifySite(nullptr, nDirection > 0 ? kitEditNotifySpinUp : kitEditNotifySpinDown, &record) != 0)
        return FALSE;
    long nValue = std::strtol(GetEditText(), nullptr, 10) + static_cast<long>(nStep) * nDirection;
    while (nValue % nStep != 0)
        nValue += nDirection;
    CString strValue;
    strValue.Format("%i", static_cast<int>(nValue));
    SetEditText(strValue);
    NotifySite(kitEditNotifySpinned);
    return TRUE;
}

int CKitControlEdit::GetSpinStep(DWORD dwHeld)
{
    const DWORD nUnits = dwHeld / kSpinHoldUnit;
    return nUnits >= 5 ? 20 : nUnits >= 2 ? 5 : 1;
}

void CKitControlEdit::BeginSpinHold(int nButton)
{
    m_nSpinHeld = nButton;
    m_bSpinInside = TRUE;
    m_dwSpinStart = s_pfnClock();
    m_nPressed = nButton;
    RedrawParent(FALSE);
    Spin(1, nButton == kitEditSpinUp ? 1 : -1);
}

BOOL CKitControlEdit::OnSpinTick()
{
    if (m_nSpinHeld == 0)
        return FALSE;
    if (m_bSpinInside)
        Spin(GetSpinStep(s_pfnClock() - m_dwSpinStart), m_nSpinHeld == kitEditSpinUp ? 1 : -1);
    return TRUE;
}

void CKitControlEdit::SetSpinHoldInside(BOOL bInside)
{
    if (m_nSpinHeld == 0 || bInside == m_bSpinInside)
        return;
    m_bSpinInside = bInside;
    if (bInside)
        m_dwSpinStart = s_pfnClock();
    m_nPressed = bInside ? m_nSpinHeld : 0;
    RedrawParent(FALSE);
}

void CKitControlEdit::EndSpinHold()
{
    m_nSpinHeld = 0;
    m_bSpinInside = FALSE;
    m_nPressed = 0;
    RedrawParent(FALSE);
}

void CKitControlEdit::TrackSpin(int nButton)
{
    CKitCommandBar* pBar = m_pParent;
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
        return;
    InternalAddRef();
    pBar->SetSelected(-1);
    pBar->SetSelected(m_nIndex);
    const CRect rcSpin = GetSpinButtonsRect();
    const int nMiddle = rcSpin.CenterPoint().y;
    const CRect rcHalf = nButton == kitEditSpinUp ? CRect(rcSpin.left, rcSpin.top, rcSpin.right, nMiddle)
                                                  : CRect(rcSpin.left, nMiddle, rcSpin.right, rcSpin.bottom);
    BeginSpinHold(nButton);
    pBar->SetCapture();
    pBar->SetTimer(kTimerSpin, kSpinFirstDelay, nullptr);
    BOOL bFirst = TRUE;
    MSG msg;
    while (::GetCapture() == pBar->GetSafeHwnd() && ::GetMessageA(&msg, nullptr, 0, 0)) {
        if (msg.message == WM_TIMER && msg.hwnd == pBar->GetSafeHwnd() && msg.wParam == kTimerSpin) {
            if (bFirst) {
                bFirst = FALSE;
                pBar->SetTimer(kTimerSpin, kSpinRepeatDelay, nullptr);
            }
            OnSpinTick();
            continue;
        }
        if (msg.message == WM_MOUSEMOVE && msg.hwnd == pBar->GetSafeHwnd()) {
            SetSpinHoldInside(rcHalf.PtInRect(CPoint(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam))));
            continue;
        }
        if (msg.message == WM_LBUTTONUP)
            break;
        if (msg.message == WM_CANCELMODE)
            break;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    pBar->KillTimer(kTimerSpin);
    if (::GetCapture() == pBar->GetSafeHwnd())
        ::ReleaseCapture();
    EndSpinHold();
    if (pBar->GetType() != kitBarTypePopup && !m_bFocused)
        pBar->LeaveTrackingMode();
    InternalRelease();
}

void CKitControlEdit::TrackBuddy()
{
    CKitCommandBar* pBar = m_pParent;
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
        return;
    InternalAddRef();
    const CRect rcBuddy = GetBuddyButtonRect();
    m_nSelected = kitEditBuddy;
    m_nPressed = kitEditBuddy;
    RedrawParent(FALSE);
    pBar->SetCapture();
    BOOL bInside = TRUE;
    MSG msg;
    while (::GetCapture() == pBar->GetSafeHwnd() && ::GetMessageA(&msg, nullptr, 0, 0)) {
        if (msg.message == WM_MOUSEMOVE && msg.hwnd == pBar->GetSafeHwnd()) {
            const BOOL bNow = rcBuddy.PtInRect(CPoint(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)));
            if (bNow != bInside) {
                bInside = bNow;
                m_nSelected = bInside ? static_cast<int>(kitEditBuddy) : static_cast<int>(kitSelectedMouse);
                m_nPressed = bInside ? kitEditBuddy : 0;
                RedrawParent(FALSE);
            }
            continue;
        }
        if (msg.message == WM_LBUTTONUP) {
            bInside = rcBuddy.PtInRect(CPoint(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)));
            break;
        }
        if (msg.message == WM_CANCELMODE) {
            bInside = FALSE;
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    if (::GetCapture() == pBar->GetSafeHwnd())
        ::ReleaseCapture();
    m_nPressed = 0;
    RedrawParent(FALSE);
    if (bInside)
        NotifySite(kitEditNotifyBuddyClick);
    InternalRelease();
}

void CKitControlEdit::OnClick(BOOL bKeyboard, CPoint pt)
{
    if (m_pParent != nullptr && m_pParent->IsCustomizeMode()) {
        OnCustomizeDragStart(pt);
        return;
    }
    if (bKeyboard) {
        if (HasWindow() && ::GetFocus() == m_pEdit->GetSafeHwnd())
            OnExecute();
        return;
    }
    const CRect rcSpin = GetSpinButtonsRect();
    if (!rcSpin.IsRectEmpty() && rcSpin.PtInRect(pt)) {
        if (IsEnabled() && !m_bReadOnly)
            TrackSpin(pt.y < rcSpin.CenterPoint().y ? kitEditSpinUp : kitEditSpinDown);
        return;
    }
    const CRect rcBuddy = GetBuddyButtonRect();
    if (!rcBuddy.IsRectEmpty() && rcBuddy.PtInRect(pt)) {
        if (IsEnabled())
            TrackBuddy();
        return;
    }
    SetFocused(TRUE);
}

void CKitControlEdit::OnMouseMove(CPoint pt)
{
    if (!IsEnabled() || m_nSelected == 0)
        return;
    int nState = static_cast<int>(kitSelectedMouse);
    const CRect rcSpin = GetSpinButtonsRect();
    if (!rcSpin.IsRectEmpty() && rcSpin.PtInRect(pt))
        nState = pt.y < rcSpin.CenterPoint().y ? kitEditSpinUp : kitEditSpinDown;
    else if (GetBuddyButtonRect().PtInRect(pt))
        nState = kitEditBuddy;
    if (nState != m_nSelected) {
        m_nSelected = nState;
        RedrawParent(FALSE);
    }
}

void CKitControlEdit::Copy(const CKitControl* pSource, BOOL bRecursive)
{
    CKitControl::Copy(pSource, bRecursive);
    const auto* pEdit = dynamic_cast<const CKitControlEdit*>(pSource);
    if (pEdit == nullptr)
        return;
    m_dwEditStyle = pEdit->m_dwEditStyle;
    SetEditText(pEdit->GetEditText());
    m_bCaptionVisible = pEdit->m_bCaptionVisible;
    m_bReadOnly = pEdit->m_bReadOnly;
    m_strHint = pEdit->m_strHint;
    m_bSpinButtons = pEdit->m_bSpinButtons;
    m_dwShellAutoCompleteFlags = pEdit->m_dwShellAutoCompleteFlags;
    m_nCharLimit = pEdit->m_nCharLimit;
    m_nBuddyButtonId = pEdit->m_nBuddyButtonId;
    m_nEditWidth = pEdit->m_nEditWidth;
}
