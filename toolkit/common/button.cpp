#include "toolkit/common/button.h"

#include "framework/winapp.h"
#include "toolkit/common/button_themes.h"
#include "toolkit/common/color_manager.h"
#include "toolkit/common/edit.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/common/theme_wrapper.h"
#include "toolkit/common/tooltip_context.h"
#include "toolkit/common/upper_services.h"

#include <uxtheme.h>
#include <vssym32.h>

IMPLEMENT_DYNAMIC(CKitButton, CButton)

namespace {

constexpr DWORD kDefaultImageAlignment = BS_CENTER | BS_VCENTER;
constexpr int kDefaultBorderGap = 4;
constexpr int kDefaultImageGap = 3;
// The tooltip area is the client rectangle less this on every side.
constexpr int kToolInset = 2;

// Removes WS_VISIBLE while it lives, so that default processing does not paint.
class HiddenForDefault {
public:
    explicit HiddenForDefault(HWND hWnd) : m_hWnd(hWnd)
    {
        m_bVisible = (::GetWindowLongA(hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
        if (m_bVisible)
            ::SetWindowLongA(hWnd, GWL_STYLE, ::GetWindowLongA(hWnd, GWL_STYLE) & ~WS_VISIBLE);
    }
    ~HiddenForDefault()
    {
        if (m_bVisible)
            ::SetWindowLongA(m_hWnd, GWL_STYLE, ::GetWindowLongA(m_hWnd, GWL_STYLE) | WS_VISIBLE);
    }
    HiddenForDefault(const HiddenForDefault&) = delete;
    HiddenForDefault& operator=(const HiddenForDefault&) = delete;

private:
    HWND m_hWnd;
    bool m_bVisible;
};

bool IsPushStyleActingOnPress(int nStyle)
{
    return nStyle == CKitButton::kPushDropDown || nStyle == CKitButton::kPushDropRight ||
           nStyle == CKitButton::kPushImmediate;
}

bool IsAnyDropStyle(int nStyle)
{
    return nStyle >= CKitButton::kPushDropDown && nStyle <= CKitButton::kPushImmediate;
}

} // namespace

BEGIN_MESSAGE_MAP(CKitButton, CButton)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_MESSAGE(WM_MOUSELEAVE, &CKitButton::OnMouseLeave)
    ON_MESSAGE(WM_SETFOCUS, &CKitButton::OnDefaultThenUpdate)
    ON_MESSAGE(WM_KILLFOCUS, &CKitButton::OnDefaultThenUpdate)
    ON_MESSAGE(WM_ENABLE, &CKitButton::OnDefaultThenUpdate)
    ON_MESSAGE(BM_SETSTYLE, &CKitButton::OnDefaultThenUpdate)
    ON_MESSAGE(BM_SETCHECK, &CKitButton::OnDefaultThenUpdate)
    ON_MESSAGE(WM_CAPTURECHANGED, &CKitButton::OnDefaultThenUpdate)
    ON_MESSAGE(WM_PRINTCLIENT, &CKitButton::OnPrintClient)
    ON_MESSAGE(WM_GETDLGCODE, &CKitButton::OnGetDlgCode)
    ON_MESSAGE(BM_SETSTATE, &CKitButton::OnSetState)
    ON_MESSAGE(WM_UPDATEUISTATE, &CKitButton::OnUpdateUIState)
    ON_MESSAGE(WM_SETTEXT, &CKitButton::OnSetText)
    ON_MESSAGE(CKitControlTheme::kMsgSetControlTheme, &CKitButton::OnSetControlTheme)
END_MESSAGE_MAP()

CKitButton::CKitButton()
    : m_pTheme(nullptr), m_bHot(FALSE), m_nPushed(0), m_bChecked(FALSE), m_bFlatStyle(FALSE), m_bDefaultTheme(TRUE),
      m_dwImageAlignment(kDefaultImageAlignment), m_nBorderGap(kDefaultBorderGap), m_nPushButtonStyle(kPushPlain),
      m_nImageGap(kDefaultImageGap), m_nTextImageRelation(kRelationImageBeforeText), m_pIcon(nullptr),
      m_nBorderStyle(kBorderFrame), m_bShowFocus(TRUE), m_pToolTipContext(std::make_unique<CKitToolTipContext>())
{
    SetTheme(CKitControlTheme::kThemeDefault);
}

CKitButton::~CKitButton()
{
    EnableMarkup(FALSE);
    CKitControlTheme::Release(m_pTheme);
    if (m_pIcon != nullptr)
        m_pIcon->InternalRelease();
}

BOOL CKitButton::IsPushed()
{
    return m_nPushed != 0;
}

BOOL CKitButton::IsHot()
{
    return m_bHot || (m_hWnd != nullptr && ::GetCapture() == m_hWnd);
}

int CKitButton::GetChecked()
{
    if (m_hWnd == nullptr || IsPushButton())
        return m_bChecked;
    return static_cast<int>(SendMessage(BM_GETCHECK));
}

void CKitButton::SetChecked(BOOL bChecked)
{
    m_bChecked = bChecked;
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

DWORD CKitButton::GetAlignment()
{
    const DWORD dwStyle = m_hWnd != nullptr ? GetStyle() : 0;
    DWORD dwHorz = dwStyle & BS_CENTER;
    DWORD dwVert = dwStyle & BS_VCENTER;
    if (dwHorz != 0 && dwVert != 0)
        return dwHorz | dwVert;
    if (dwHorz == 0)
        dwHorz = IsPushButton() ? BS_CENTER : BS_LEFT;
    if (dwVert == 0)
        dwVert = BS_VCENTER;
    return dwHorz | dwVert;
}

DWORD CKitButton::GetImageAlignment()
{
    return m_dwImageAlignment;
}

CSize CKitButton::GetImageSize()
{
    return m_pIcon != nullptr ? CSize(m_pIcon->GetWidth(), m_pIcon->GetHeight()) : CSize(0, 0);
}

void CKitButton::DrawImage(CDC* pDC, const CRect& rc)
{
    if (m_pIcon == nullptr)
        return;
    const CKitImageManagerIconHandle* pImage = nullptr;
    const BOOL bChecked = GetChecked() != 0;
    if (m_hWnd != nullptr && !IsWindowEnabled())
        pImage = &m_pIcon->GetDisabledIcon(TRUE);
    else if (!IsHot() && !IsPushed() && !bChecked)
        pImage = &m_pIcon->GetNormalIcon();
    else if (bChecked)
        pImage = &m_pIcon->GetCheckedIcon();
    else if (IsPushed())
        pImage = &m_pIcon->GetPressedIcon();
    else
        pImage = &m_pIcon->GetHotIcon();
    m_pIcon->Draw(pDC, rc.TopLeft(), *pImage, rc.Size());
}

BOOL CKitButton::SetTheme(int nTheme)
{
    CKitControlTheme::Release(m_pTheme);
    m_pTheme = KitCreateButtonTheme(nTheme);
    m_bDefaultTheme = nTheme == CKitControlTheme::kThemeDefault;
    RefreshMetrics();
    return m_pTheme != nullptr;
}

CRect CKitButton::GetButtonRect()
{
    CRect rc(0, 0, 0, 0);
    if (m_hWnd != nullptr)
        GetClientRect(&rc);
    if (CKitEdit* pEdit = GetBuddyEdit())
        pEdit->AdjustBuddyRect(this, rc, CKitEdit::kSideRight);
    return rc;
}

CKitEdit* CKitButton::GetBuddyEdit() const
{
    CWnd* pBuddy = m_hWndBuddy != nullptr ? CWnd::FromHandlePermanent(m_hWndBuddy) : nullptr;
    return pBuddy != nullptr && pBuddy->IsKindOf(RUNTIME_CLASS(CKitEdit)) ? static_cast<CKitEdit*>(pBuddy) : nullptr;
}

BOOL CKitButton::SetIcon(CSize size, HICON hIcon, HICON hIconHot, BOOL bRedraw)
{
    if (m_pIcon != nullptr) {
        m_pIcon->InternalRelease();
        m_pIcon = nullptr;
    }
    if (hIcon != nullptr) {
        if (size.cx == 0 && size.cy == 0)
            size = CKitImageManagerIcon::GetIconSize(hIcon);
        m_pIcon = new CKitImageManagerIcon(0, size.cx, size.cy);
        m_pIcon->SetIcon(CKitImageManagerIconHandle(hIcon), CKitImageManagerIcon::kStateNormal);
        if (hIconHot != nullptr)
            m_pIcon->SetIcon(CKitImageManagerIconHandle(hIconHot), CKitImageManagerIcon::kStateHot);
    }
    if (bRedraw && m_hWnd != nullptr)
        Invalidate(FALSE);
    return TRUE;
}

BOOL CKitButton::SetIcon(CSize size, UINT nIDIcon, UINT nIDIconHot, BOOL bRedraw)
{
    HINSTANCE hInstance = AfxGetResourceHandle();
    auto hIcon = static_cast<HICON>(
        ::LoadImageA(hInstance, MAKEINTRESOURCEA(nIDIcon), IMAGE_ICON, size.cx, size.cy, 0));
    auto hIconHot = nIDIconHot != 0 ? static_cast<HICON>(::LoadImageA(hInstance, MAKEINTRESOURCEA(nIDIconHot),
                                                                      IMAGE_ICON, size.cx, size.cy, 0))
                                    : nullptr;
    const BOOL bResult = hIcon != nullptr && SetIcon(size, hIcon, hIconHot, bRedraw);
    if (hIcon != nullptr)
        ::DestroyIcon(hIcon);
    if (hIconHot != nullptr)
        ::DestroyIcon(hIconHot);
    return bResult;
}

BOOL CKitButton::SetBitmap(CSize size, HBITMAP hBitmap, BOOL bRedraw)
{
    HICON hIcon = CKitDrawHelpers::BitmapToIcon(hBitmap);
    if (hIcon == nullptr)
        return FALSE;
    const BOOL bResult = SetIcon(size, hIcon, nullptr, bRedraw);
    ::DestroyIcon(hIcon);
    return bResult;
}

BOOL CKitButton::SetBitmap(CSize size, UINT nIDBitmap, BOOL bRedraw)
{
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(nIDBitmap))
        return FALSE;
    return SetBitmap(size, bitmap, bRedraw);
}

CString CKitButton::GetButtonText()
{
    CString strText;
    if (m_hWnd != nullptr)
        GetWindowText(strText);
    return strText;
}

COLORREF CKitButton::GetTextColor()
{
    return CKitColorManager::Instance()->GetColor(COLOR_BTNTEXT);
}

COLORREF CKitButton::GetBackColor()
{
    return CKitColorManager::Instance()->GetColor(COLOR_BTNFACE);
}

void CKitButton::OnClicked()
{
    CWnd* pParent = GetParent();
    if (pParent != nullptr)
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), kNotifyClick), reinterpret_cast<LPARAM>(m_hWnd));
}

void CKitButton::PerformClick()
{
    m_nPushed = kPushedByClick;
    Invalidate(FALSE);
    OnClicked();
    if (m_hWnd == nullptr)
        return;
    m_nPushed = 0;
    Invalidate(FALSE);
}

void CKitButton::RefreshMetrics()
{
    if (m_pTheme != nullptr)
        m_pTheme->RefreshMetrics(this);
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CKitButton::DrawButton(CDC* pDC)
{
    if (CKitEdit* pEdit = GetBuddyEdit()) {
        CRect rcClient;
        GetClientRect(&rcClient);
        pEdit->DrawBuddyBorder(this, pDC, rcClient, CKitEdit::kSideRight);
    }
    if (m_pTheme != nullptr)
        m_pTheme->DrawButton(pDC, this);
}

void CKitButton::OnDraw(CDC* pDC)
{
    const CRect rcClient = GetButtonRect();
    CFont* pFont = GetFont();
    if (GetButtonType() == BS_GROUPBOX) {
        HGDIOBJ hOldFont = pFont != nullptr ? pDC->SelectObject(pFont->GetSafeHandle()) : nullptr;
        pDC->SetBkMode(TRANSPARENT);
        DrawButton(pDC);
        if (hOldFont != nullptr)
            pDC->SelectObject(hOldFont);
        return;
    }
    CKitBufferDC dcBuffer(pDC->GetSafeHdc(), rcClient);
    HBRUSH hBrush = nullptr;
    if (CWnd* pParent = GetParent())
        hBrush = reinterpret_cast<HBRUSH>(pParent->SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dcBuffer.GetSafeHdc()),
                                                               reinterpret_cast<LPARAM>(m_hWnd)));
    if (hBrush == nullptr)
        hBrush = ::GetSysColorBrush(COLOR_BTNFACE);
    ::FillRect(dcBuffer, &rcClient, hBrush);
    HGDIOBJ hOldFont = pFont != nullptr ? dcBuffer.SelectObject(pFont->GetSafeHandle()) : nullptr;
    dcBuffer.SetBkMode(TRANSPARENT);
    DrawButton(&dcBuffer);
    if (hOldFont != nullptr)
        dcBuffer.SelectObject(hOldFont);
}

CSize CKitButton::GetGlyphSize(BOOL bCheckBox)
{
    if (UsesVisualStyles() && m_pTheme != nullptr) {
        SIZE sz = {CKitButtonTheme::kGlyphSize, CKitButtonTheme::kGlyphSize};
        CClientDC dc(this);
        if (SUCCEEDED(m_pTheme->GetThemeWrapper()->GetThemePartSize(dc, bCheckBox ? BP_CHECKBOX : BP_RADIOBUTTON, 1,
                                                                    nullptr, TS_TRUE, &sz)))
            return CSize(sz.cx, sz.cy);
    }
    return CSize(CKitButtonTheme::kGlyphSize, CKitButtonTheme::kGlyphSize);
}

BOOL CKitButton::IsPushButton() const
{
    const int nType = GetButtonType();
    return nType == BS_PUSHBUTTON || nType == BS_DEFPUSHBUTTON || nType == BS_OWNERDRAW ||
           (m_hWnd != nullptr && (GetStyle() & BS_PUSHLIKE) != 0);
}

int CKitButton::GetButtonType() const
{
    return m_hWnd != nullptr ? static_cast<int>(GetStyle() & BS_TYPEMASK) : BS_PUSHBUTTON;
}

BOOL CKitButton::UsesVisualStyles()
{
    return m_pTheme != nullptr && m_pTheme->UsesVisualStyles(this);
}

INT_PTR CKitButton::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    if (m_strTooltip.IsEmpty())
        return -1;
    CRect rc = const_cast<CKitButton*>(this)->GetButtonRect();
    rc.DeflateRect(kToolInset, kToolInset);
    if (!rc.PtInRect(point))
        return -1;
    CKitToolTipContext::FillInToolInfo(pTI, m_hWnd, rc, 1, m_strTooltip);
    return 1;
}

void CKitButton::EnableMarkup(BOOL bEnable)
{
    CKitThemeServices* pServices = CKitThemeServices::Get();
    if (pServices == nullptr)
        return;
    if (m_pMarkupElement != nullptr)
        pServices->ReleaseMarkupElement(m_pMarkupElement);
    if (!bEnable) {
        if (m_pMarkupContext != nullptr)
            pServices->ReleaseMarkupContext(m_pMarkupContext);
        return;
    }
    if (m_pMarkupContext == nullptr)
        m_pMarkupContext = pServices->CreateMarkupContext(m_hWnd);
    UpdateMarkupCaption();
}

void CKitButton::UpdateMarkupCaption()
{
    CKitThemeServices* pServices = CKitThemeServices::Get();
    if (pServices == nullptr || m_pMarkupContext == nullptr)
        return;
    if (m_pMarkupElement != nullptr)
        pServices->ReleaseMarkupElement(m_pMarkupElement);
    if (m_hWnd != nullptr)
        m_pMarkupElement = pServices->ParseMarkupText(m_pMarkupContext, GetButtonText());
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

LRESULT CKitButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTINGCHANGE || message == WM_SYSCOLORCHANGE)
        RefreshMetrics();
    if (m_pMarkupElement != nullptr) {
        LRESULT lResult = 0;
        CKitThemeServices* pServices = CKitThemeServices::Get();
        if (pServices != nullptr && pServices->RelayMarkupMessage(m_pMarkupElement, message, wParam, lParam, &lResult))
            return lResult;
    }
    m_pToolTipContext->FilterToolTipMessage(this, message, wParam, lParam);
    return CButton::WindowProc(message, wParam, lParam);
}

void CKitButton::OnPaint()
{
    CPaintDC dc(this);
    OnDraw(&dc);
}

BOOL CKitButton::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CKitButton::OnMouseMove(UINT nFlags, CPoint point)
{
    Default();
    if (GetButtonType() == BS_GROUPBOX)
        return;
    const BOOL bHot = GetButtonRect().PtInRect(point);
    if (bHot == m_bHot)
        return;
    m_bHot = bHot;
    Invalidate(FALSE);
    if (m_bHot) {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, HOVER_DEFAULT};
        ::TrackMouseEvent(&tme);
    }
    static_cast<void>(nFlags);
}

LRESULT CKitButton::OnMouseLeave(WPARAM, LPARAM)
{
    OnMouseMove(0, CPoint(-1, -1));
    return 0;
}

void CKitButton::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_nPushButtonStyle == kPushSplit) {
        CRect rcSplit = GetButtonRect();
        rcSplit.left = rcSplit.right - (m_nBorderGap + kSplitPartWidth);
        if (rcSplit.PtInRect(point)) {
            PerformClick();
            return;
        }
    }
    static_cast<void>(nFlags);
    Default();
}

void CKitButton::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if ((nChar == VK_SPACE && IsAnyDropStyle(m_nPushButtonStyle)) ||
        (nChar == VK_RETURN && (m_nPushButtonStyle == kPushDropDown || m_nPushButtonStyle == kPushDropRight))) {
        PerformClick();
        return;
    }
    static_cast<void>(nRepCnt);
    static_cast<void>(nFlags);
    Default();
}

void CKitButton::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if ((nChar == VK_SPACE && IsAnyDropStyle(m_nPushButtonStyle)) ||
        (nChar == VK_RETURN && IsPushStyleActingOnPress(m_nPushButtonStyle)))
        return;
    static_cast<void>(nRepCnt);
    static_cast<void>(nFlags);
    Default();
}

LRESULT CKitButton::OnDefaultThenUpdate(WPARAM, LPARAM)
{
    const LRESULT lResult = Default();
    Invalidate(FALSE);
    UpdateWindow();
    return lResult;
}

LRESULT CKitButton::OnPrintClient(WPARAM wParam, LPARAM lParam)
{
    if ((lParam & PRF_CLIENT) == 0)
        return Default();
    CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
    OnDraw(pDC);
    return 0;
}

LRESULT CKitButton::OnGetDlgCode(WPARAM wParam, LPARAM lParam)
{
    LRESULT lCode = Default();
    const auto* pMsg = reinterpret_cast<const MSG*>(lParam);
    static_cast<void>(wParam);
    if (pMsg == nullptr)
        return lCode;
    if (IsAnyDropStyle(m_nPushButtonStyle) && pMsg->message == WM_CHAR && pMsg->wParam == VK_SPACE)
        lCode |= DLGC_WANTCHARS;
    if ((m_nPushButtonStyle == kPushDropDown || m_nPushButtonStyle == kPushDropRight) &&
        (pMsg->message == WM_KEYDOWN || pMsg->message == WM_CHAR) && pMsg->wParam == VK_RETURN)
        lCode |= DLGC_WANTALLKEYS;
    return lCode;
}

LRESULT CKitButton::OnSetState(WPARAM wParam, LPARAM)
{
    if (m_nPushed == kPushedByClick)
        return 0;
    LRESULT lResult = 0;
    {
        HiddenForDefault hidden(m_hWnd);
        lResult = Default();
    }
    const BOOL bPushed = wParam != 0;
    m_nPushed = bPushed ? 1 : 0;
    Invalidate(FALSE);
    if (bPushed && IsPushStyleActingOnPress(m_nPushButtonStyle) && IsPushButton())
        PerformClick();
    return lResult;
}

LRESULT CKitButton::OnUpdateUIState(WPARAM, LPARAM)
{
    const LRESULT lResult = CWnd::DefWindowProc(WM_UPDATEUISTATE, AfxGetCurrentMessage()->wParam,
                                                AfxGetCurrentMessage()->lParam);
    Invalidate(FALSE);
    return lResult;
}

LRESULT CKitButton::OnSetText(WPARAM, LPARAM)
{
    LRESULT lResult = 0;
    {
        HiddenForDefault hidden(m_hWnd);
        lResult = Default();
    }
    UpdateMarkupCaption();
    Invalidate(FALSE);
    return lResult;
}

LRESULT CKitButton::OnSetControlTheme(WPARAM wParam, LPARAM)
{
    SetTheme(static_cast<int>(wParam));
    return 0;
}
