#include "toolkit/commandbars/keyboard_tip.h"

#include "framework/gdi.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/mnemonic.h"
#include "toolkit/common/upper_services.h"

#include <algorithm>

namespace {

constexpr char kKeyboardTipClass[] = "KitKeyboardTip";
// A tip's size around its text, and its least size.
constexpr int kTipPaddingX = 6;
constexpr int kTipPaddingY = 2;
constexpr int kTipMinWidth = 16;
constexpr int kTipMinHeight = 15;
// A control's tip: right of its left edge and above its bottom.
constexpr int kControlTipOffsetX = 12;
constexpr int kControlTipOffsetY = 11;

using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

SetLayeredWindowAttributesFn GetSetLayeredWindowAttributes()
{
    HMODULE hUser = ::GetModuleHandleA("user32.dll");
    return hUser != nullptr ? reinterpret_cast<SetLayeredWindowAttributesFn>(
                                  ::GetProcAddress(hUser, "SetLayeredWindowAttributes"))
                            : nullptr;
}

// The caption's letter that a tip shows: after the mnemonic marker, else the first (with a
// double-byte character's second byte). nPosition receives its index.
CString TipLetter(const CString& strCaption, int& nPosition)
{
    const int nMnemonic = FindCaptionMnemonic(strCaption);
    nPosition = nMnemonic >= 0 && nMnemonic + 1 < strCaption.GetLength() ? nMnemonic + 1 : 0;
    if (strCaption.IsEmpty())
        return CString();
    const int nLength = ::IsDBCSLeadByte(static_cast<BYTE>(strCaption[nPosition])) && nPosition + 1 < strCaption.GetLength()
                            ? 2
                            : 1;
    return strCaption.Mid(nPosition, nLength);
}

} // namespace

BEGIN_MESSAGE_MAP(CKitCommandBarKeyboardTip, CWnd)
    ON_WM_PAINT()
    ON_MESSAGE(WM_NCHITTEST, &CKitCommandBarKeyboardTip::OnNcHitTest)
END_MESSAGE_MAP()

CKitCommandBarKeyboardTip::CKitCommandBarKeyboardTip(CKitCommandBarManager* pCommandBars, CCmdTarget* pOwner,
                                                     CKitCommandBar* pBar, LPCSTR lpszCaption, CPoint ptAnchor,
                                                     DWORD dwAlignment, BOOL bEnabled)
    : m_strCaption(lpszCaption), m_pOwner(pOwner), m_pBar(pBar), m_pCommandBars(pCommandBars), m_ptAnchor(ptAnchor),
      m_dwAlignment(dwAlignment), m_bEnabled(bEnabled)
{
}

CRect CKitCommandBarKeyboardTip::CalcTipRect(CSize szText, BOOL bRightToLeft) const
{
    const CSize size(std::max<int>(szText.cx + kTipPaddingX, kTipMinWidth),
                     std::max<int>(szText.cy + kTipPaddingY, kTipMinHeight));
    CPoint pt = m_ptAnchor;
    if (m_pBar != nullptr && m_pBar->GetSafeHwnd() != nullptr)
        m_pBar->ClientToScreen(&pt);
    int x = pt.x;
    if ((m_dwAlignment & kAlignCenterX) != 0)
        x -= size.cx / 2;
    else if ((m_dwAlignment & kAlignRight) != 0 || bRightToLeft)
        x -= size.cx;
    int y = pt.y;
    if ((m_dwAlignment & kAlignCenterY) != 0)
        y -= size.cy / 2;
    else if ((m_dwAlignment & kAlignBottom) != 0)
        y -= size.cy;
    return CRect(CPoint(x, y), size);
}

BOOL CKitCommandBarKeyboardTip::CreateTipWindow(CFont* pFont, BOOL bRightToLeft)
{
    CClientDC dc(nullptr);
    CFont* pOld = pFont != nullptr ? dc.SelectObject(pFont) : nullptr;
    const CSize szText = dc.GetTextExtent(m_strText);
    if (pOld != nullptr)
        dc.SelectObject(pOld);
    const CRect rc = CalcTipRect(szText, bRightToLeft);
    const SetLayeredWindowAttributesFn pSetLayered = GetSetLayeredWindowAttributes();
    DWORD dwExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    if (!m_bEnabled && pSetLayered != nullptr)
        dwExStyle |= WS_EX_LAYERED;
    if (!CreateEx(dwExStyle, KitRegisterBarClass(kKeyboardTipClass, CS_SAVEBITS), m_strText, WS_POPUP, rc, nullptr, 0))
        return FALSE;
    if ((dwExStyle & WS_EX_LAYERED) != 0)
        pSetLayered(m_hWnd, 0, kDisabledAlpha, LWA_ALPHA);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return TRUE;
}

void CKitCommandBarKeyboardTip::OnPaint()
{
    CPaintDC dc(this);
    CKitBarPainter* pPainter = m_pCommandBars != nullptr ? m_pCommandBars->GetPaintManager() : nullptr;
    if (pPainter != nullptr)
        pPainter->DrawKeyboardTip(&dc, this, FALSE);
}

LRESULT CKitCommandBarKeyboardTip::OnNcHitTest(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return HTTRANSPARENT;
}

void KitDeriveKeyboardTipTexts(const std::vector<CKitCommandBarKeyboardTip*>& tips)
{
    // The caption index after which a tip may take its second letter.
    std::vector<int> positions(tips.size(), 0);
    for (size_t i = 0; i < tips.size(); i++) {
        CKitCommandBarKeyboardTip* pTip = tips[i];
        if (!pTip->m_strTip.IsEmpty()) {
            pTip->m_strText = pTip->m_strTip;
            continue;
        }
        pTip->m_strCaption.MakeUpper();
        if (!pTip->m_strPrefix.IsEmpty())
            pTip->m_strText = pTip->m_strPrefix;
        else
            pTip->m_strText = TipLetter(pTip->m_strCaption, positions[i]);
    }
    for (size_t i = 0; i < tips.size(); i++) {
        if (tips[i]->m_strText.IsEmpty())
            continue;
        const char chFirst = tips[i]->m_strText[0];
        std::vector<size_t> group{i};
        for (size_t j = i + 1; j < tips.size(); j++) {
            if (!tips[j]->m_strText.IsEmpty() && tips[j]->m_strText[0] == chFirst)
                group.push_back(j);
        }
        if (group.size() < 2)
            continue;
        CString strUsed = "& ";
        for (size_t k : group) {
            if (tips[k]->m_strText.GetLength() >= 2)
                strUsed += tips[k]->m_strText[1];
        }
        int nCounter = 1;
        for (size_t k : group) {
            CKitCommandBarKeyboardTip* pTip = tips[k];
            if (pTip->m_strText.GetLength() != 1)
                continue;
            const CString& strCaption = pTip->m_strCaption;
            char chChosen = 0;
            // The initial of a later word, else any later letter not used yet.
            for (int n = positions[k] + 1; n < strCaption.GetLength() && chChosen == 0; n++) {
                if (strCaption[n - 1] == ' ' && strUsed.Find(strCaption[n]) < 0)
                    chChosen = strCaption[n];
            }
            for (int n = positions[k] + 1; n < strCaption.GetLength() && chChosen == 0; n++) {
                if (strUsed.Find(strCaption[n]) < 0)
                    chChosen = strCaption[n];
            }
            if (chChosen != 0) {
                pTip->m_strText += chChosen;
                strUsed += chChosen;
            } else {
                CString strNumber;
                strNumber.Format("%i", nCounter++);
                pTip->m_strText += strNumber[0];
            }
        }
    }
}

void CKitCommandBar::CreateKeyboardTips()
{
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr)
        return;
    for (int i = 0; i < GetControlCount(); i++) {
        CKitControl* pControl = GetControl(i);
        if (!pControl->IsVisible() || pControl->GetCaption().IsEmpty() || pControl->GetType() == kitControlGallery)
            continue;
        const CRect rc = pControl->GetRect();
        auto* pTip = new CKitCommandBarKeyboardTip(pCommandBars, pControl, this, pControl->GetCaption(),
                                                   CPoint(rc.left + kControlTipOffsetX, rc.bottom - kControlTipOffsetY),
                                                   0, pControl->IsEnabled());
        pTip->m_strTip = pControl->GetKeyboardTip();
        pCommandBars->AddKeyboardTip(pTip);
    }
    if (GetParentCommandBar() != nullptr)
        return;
    for (int i = 0; i < pCommandBars->GetCount(); i++) {
        CKitCommandBar* pBar = pCommandBars->GetAt(i);
        if (pBar == this || !pBar->IsVisible() || pBar->GetSafeHwnd() == nullptr ||
            pBar->GetControls()->GetNext(-1, +1) < 0)
            continue;
        CRect rc;
        pBar->GetWindowRect(&rc);
        pCommandBars->AddKeyboardTip(
            new CKitCommandBarKeyboardTip(pCommandBars, pBar, nullptr, pBar->GetTitle(), rc.TopLeft(), 0, TRUE));
    }
}

void CKitCommandBar::ShowKeyboardTips()
{
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr || !pCommandBars->GetCommandBarsOptions()->bEnableKeyboardTips || GetSafeHwnd() == nullptr)
        return;
    UpdateWindow();
    pCommandBars->HideKeyboardTips();
    CreateKeyboardTips();
    pCommandBars->SetKeyboardTipsBar(this);
    const std::vector<CKitCommandBarKeyboardTip*>& tips = pCommandBars->GetKeyboardTips();
    KitDeriveKeyboardTipTexts(tips);
    CKitBarPainter* pPainter = GetPaintManager();
    CFont* pFont = pPainter != nullptr ? pPainter->GetCommandBarFont(this) : nullptr;
    for (CKitCommandBarKeyboardTip* pTip : tips)
        if (pTip->m_bVisible)
            pTip->CreateTipWindow(pFont, pCommandBars->IsLayoutRTL());
}

int CKitCommandBar::GetKeyboardTipCount() const
{
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    return pCommandBars != nullptr && pCommandBars->GetKeyboardTipsBar() == this ? pCommandBars->GetKeyboardTipLevel()
                                                                                 : 0;
}

void CKitCommandBar::OnKeyboardTip(CKitCommandBarKeyboardTip* pTip)
{
    if (pTip == nullptr)
        return;
    if (auto* pControl = dynamic_cast<CKitControl*>(pTip->m_pOwner)) {
        pControl->OnKeyboardTip();
        return;
    }
    auto* pBar = dynamic_cast<CKitCommandBar*>(pTip->m_pOwner);
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    if (pBar == nullptr || pBar == this || pCommandBars == nullptr)
        return;
    pCommandBars->ClosePopups();
    pCommandBars->ShowKeyboardCues(TRUE);
    pBar->SetTrackingMode(TRUE, TRUE, TRUE);
}

void CKitCommandBar::OnTypedTipChar(UINT nKey)
{
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr)
        return;
    const CString strTyped = pCommandBars->GetKeyboardTipTyped();
    const int nTyped = strTyped.GetLength();
    CKitCommandBarKeyboardTip* pMatch = nullptr;
    for (CKitCommandBarKeyboardTip* pTip : pCommandBars->GetKeyboardTips()) {
        const CString& strText = pTip->m_strText;
        if (strText.GetLength() > nTyped && strText.Left(nTyped) == strTyped &&
            CompareMnemonicKey(static_cast<BYTE>(strText[nTyped]), nKey)) {
            pMatch = pTip;
            break;
        }
    }
    if (pMatch == nullptr) {
        if (nKey != VK_SHIFT && nKey != VK_CONTROL)
            ::MessageBeep(0);
        return;
    }
    if (pMatch->m_strText.GetLength() == nTyped + 1) {
        // The tip may be deleted while it runs: nothing is read from it afterwards.
        if (!pMatch->m_bEnabled)
            ::MessageBeep(0);
        else
            OnKeyboardTip(pMatch);
        return;
    }
    const CString strPrefix = pMatch->m_strText.Left(nTyped + 1);
    pCommandBars->SetKeyboardTipTyped(strPrefix);
    for (CKitCommandBarKeyboardTip* pTip : pCommandBars->GetKeyboardTips())
        if (pTip->m_strText.Left(nTyped + 1) != strPrefix && pTip->GetSafeHwnd() != nullptr)
            pTip->DestroyWindow();
}

void CKitCommandBarManager::HideKeyboardTips()
{
    const std::vector<CKitCommandBarKeyboardTip*> tips = std::move(m_keyboardTips);
    m_keyboardTips.clear();
    for (CKitCommandBarKeyboardTip* pTip : tips) {
        if (pTip->GetSafeHwnd() != nullptr)
            pTip->DestroyWindow();
        delete pTip;
    }
    m_pKeyboardTipsBar = nullptr;
    m_strKeyboardTipTyped.Empty();
}
