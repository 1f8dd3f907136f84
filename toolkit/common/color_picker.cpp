#include "toolkit/common/color_picker.h"

#include "toolkit/common/button_themes.h"
#include "toolkit/common/color_manager.h"
#include "toolkit/common/color_popup.h"
#include "toolkit/common/draw_helpers.h"

IMPLEMENT_DYNAMIC(CKitColorPicker, CKitButton)

namespace {

constexpr UINT kRedrawNow = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;
constexpr int kBrightnessLimit = 128;

} // namespace

BEGIN_MESSAGE_MAP(CKitColorPicker, CKitButton)
    ON_MESSAGE(CKitColorPicker::kMsgShowPopup, &CKitColorPicker::OnShowPopup)
    ON_MESSAGE(ColorNotifyUnchanged, &CKitColorPicker::OnUnchanged)
    ON_MESSAGE(ColorNotifyDropDown, &CKitColorPicker::OnDropDown)
    ON_MESSAGE(ColorNotifyCloseUp, &CKitColorPicker::OnCloseUp)
    ON_MESSAGE(ColorNotifyChanged, &CKitColorPicker::OnChanged)
    ON_MESSAGE(ColorNotifyCancel, &CKitColorPicker::OnCancel)
    ON_MESSAGE(ColorNotifyNoFill, &CKitColorPicker::OnNoFill)
END_MESSAGE_MAP()

CKitColorPicker::CKitColorPicker()
    : m_clr(0), m_clrDefault(0), m_bPopupShown(FALSE), m_dwPopup(kDefaultPickerStyle), m_clrSelected(kNoColor),
      m_clrPopupDefault(kNoColor), m_pCustomColors(nullptr), m_nCustomColors(0), m_nCustomColumns(8)
{
}

void CKitColorPicker::RedrawNow()
{
    if (m_hWnd != nullptr)
        RedrawWindow(nullptr, nullptr, kRedrawNow);
}

void CKitColorPicker::SetSelectedColor(COLORREF clr)
{
    if (clr == m_clrSelected)
        return;
    m_clrSelected = clr;
    RedrawNow();
}

COLORREF CKitColorPicker::GetSelectedColor() const
{
    return m_clrSelected;
}

void CKitColorPicker::SetColor(COLORREF clr)
{
    m_clr = clr;
    RedrawNow();
}

COLORREF CKitColorPicker::GetColor() const
{
    return m_clr;
}

void CKitColorPicker::SetDefaultColor(COLORREF clr)
{
    m_clrDefault = clr;
    RedrawNow();
}

COLORREF CKitColorPicker::GetDefaultColor() const
{
    return m_clrDefault;
}

void CKitColorPicker::SetPopupDefaultColor(COLORREF clr)
{
    m_clrPopupDefault = clr;
    RedrawNow();
}

COLORREF CKitColorPicker::GetPopupDefaultColor() const
{
    return m_clrPopupDefault;
}

void CKitColorPicker::ModifyPickerStyle(DWORD dwRemove, DWORD dwAdd)
{
    m_dwPopup = (m_dwPopup & ~dwRemove) | dwAdd;
    RedrawNow();
}

void CKitColorPicker::SetCustomColors(const KitColorEntry* pColors, int nCount, int nColumns)
{
    m_pCustomColors = pColors;
    m_nCustomColors = nCount;
    m_nCustomColumns = nColumns;
}

void CKitColorPicker::OpenPopup()
{
    m_bPopupShown = TRUE;
    if (CWnd::GetFocus() != this)
        SetFocus();
    PostMessage(kMsgShowPopup);
}

COLORREF CKitColorPicker::GetContrastTextColor() const
{
    const int nBrightness = (GetRValue(m_clrSelected) * 299 + GetGValue(m_clrSelected) * 587 +
                             GetBValue(m_clrSelected) * 114) / 1000;
    return nBrightness <= kBrightnessLimit ? RGB(255, 255, 255) : RGB(0, 0, 0);
}

BOOL CKitColorPicker::IsPushed()
{
    return m_bPopupShown;
}

void CKitColorPicker::DrawButton(CDC* pDC)
{
    if (m_pTheme == nullptr)
        return;
    m_pTheme->DrawButtonBackground(pDC, this);
    DrawColorSwatch(pDC);
    if (CWnd::GetFocus() == this)
        m_pTheme->DrawFocusRect(pDC, this);
}

void CKitColorPicker::DrawColorSwatch(CDC* pDC)
{
    CRect rcClient = GetButtonRect();
    CRect rcSwatch(rcClient.left + kSwatchInset, rcClient.top + kSwatchInset, rcClient.right - kArrowRoom,
                   rcClient.bottom - kSwatchInset);
    const BOOL bOffset = (m_nPushed != 0 || m_bPopupShown) && m_pTheme != nullptr &&
                         (m_pTheme->IsOffsetHiliteText() || UsesVisualStyles());
    if (bOffset)
        rcSwatch.OffsetRect(1, 1);

    CKitColorManager* pColors = CKitColorManager::Instance();
    const BOOL bEnabled = IsWindowEnabled();
    if (m_clrSelected != kNoFill) {
        CKitBrushDC brush(*pDC, bEnabled ? m_clrSelected : pColors->GetColor(COLOR_BTNFACE));
        CKitPenDC pen(*pDC, bEnabled ? RGB(0, 0, 0) : pColors->GetColor(COLOR_BTNSHADOW));
        pDC->Rectangle(&rcSwatch);
    }
    const CString strText = GetButtonText();
    if (!strText.IsEmpty()) {
        pDC->SetTextColor(GetContrastTextColor());
        pDC->SetBkMode(TRANSPARENT);
        pDC->DrawText(strText, &rcSwatch, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }

    CRect rcArrow = rcClient;
    rcArrow.DeflateRect(m_nBorderGap, m_nBorderGap);
    rcArrow.left = rcArrow.right - kArrowArea;
    if (bOffset)
        rcArrow.OffsetRect(1, 1);
    const CPoint pt = rcArrow.CenterPoint();
    CKitDrawHelpers::Triangle(pDC, CPoint(pt.x - 4, pt.y - 2), CPoint(pt.x + 4, pt.y - 2), CPoint(pt.x, pt.y + 2),
                              RGB(0, 0, 0));
}

LRESULT CKitColorPicker::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_bPopupShown) {
        if (message == WM_LBUTTONDOWN) {
            OpenPopup();
        } else if (message == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_SPACE || wParam == VK_DOWN)) {
            OpenPopup();
            return 0;
        }
    }
    return CKitButton::WindowProc(message, wParam, lParam);
}

void CKitColorPicker::Forward(UINT nNotification)
{
    CWnd* pTarget = GetWindow(GW_OWNER);
    if (pTarget == nullptr)
        pTarget = GetParent();
    if (pTarget == nullptr)
        return;
    pTarget->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), nNotification), reinterpret_cast<LPARAM>(m_hWnd));
}

LRESULT CKitColorPicker::OnShowPopup(WPARAM, LPARAM)
{
    CRect rc;
    GetWindowRect(&rc);
    CKitColorPopup* pPopup = NewPopup();
    if (m_pCustomColors != nullptr)
        pPopup->SetColors(m_pCustomColors, m_nCustomColors, m_nCustomColumns);
    CKitColorSelectorCtrlTheme* pTheme = nullptr;
    const int nTheme = m_pTheme != nullptr ? m_pTheme->GetThemeID() : CKitControlTheme::kThemeDefault;
    if (UsesVisualStyles())
        pTheme = new CKitColorSelectorCtrlThemeOfficeXP;
    else if (nTheme == CKitControlTheme::kThemeDefault || nTheme == CKitControlTheme::kThemeOffice2000)
        pTheme = new CKitColorSelectorCtrlTheme;
    else if (nTheme == CKitControlTheme::kThemeResource)
        pTheme = new CKitColorSelectorCtrlThemeResource;
    else if (nTheme == CKitControlTheme::kThemeOffice2003)
        pTheme = new CKitColorSelectorCtrlThemeOffice2003;
    else
        pTheme = new CKitColorSelectorCtrlThemeOfficeXP;
    pPopup->SetTheme(pTheme);
    if (pPopup->Create(rc, this, m_dwPopup, m_clrSelected, m_clrPopupDefault)) {
        pPopup->SetFocus();
    } else {
        // A popup whose creation failed is still ours.
        delete pPopup;
        m_bPopupShown = FALSE;
        Invalidate();
    }
    return 0;
}

CKitColorPopup* CKitColorPicker::NewPopup()
{
    return new CKitColorPopup(TRUE, 0);
}

LRESULT CKitColorPicker::OnUnchanged(WPARAM, LPARAM)
{
    Forward(ColorNotifyUnchanged);
    return 0;
}

LRESULT CKitColorPicker::OnDropDown(WPARAM, LPARAM)
{
    Forward(ColorNotifyDropDown);
    return 0;
}

LRESULT CKitColorPicker::OnCloseUp(WPARAM, LPARAM)
{
    m_bPopupShown = FALSE;
    Forward(ColorNotifyCloseUp);
    ::ReleaseCapture();
    SetFocus();
    Invalidate(TRUE);
    return 0;
}

LRESULT CKitColorPicker::OnChanged(WPARAM wParam, LPARAM)
{
    SetSelectedColor(static_cast<COLORREF>(wParam));
    Forward(ColorNotifyCloseUp);
    Forward(ColorNotifyChanged);
    return 0;
}

LRESULT CKitColorPicker::OnCancel(WPARAM, LPARAM)
{
    Forward(ColorNotifyCloseUp);
    Forward(ColorNotifyCancel);
    return 0;
}

LRESULT CKitColorPicker::OnNoFill(WPARAM wParam, LPARAM)
{
    SetSelectedColor(static_cast<COLORREF>(wParam));
    Forward(ColorNotifyNoFill);
    return 0;
}
