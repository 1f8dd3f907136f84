#include "toolkit/themes/paint/native_xp_theme.h"

#include "framework/winapp.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/control_edit.h"
#include "toolkit/commandbars/dock_bar.h"
#include "toolkit/commandbars/menu_bar.h"

#include <vsstyle.h>
#include <vssym32.h>

#include <algorithm>

IMPLEMENT_DYNAMIC(CKitNativeXPTheme, CKitDefaultTheme)

namespace {

// The arrow part of a split button.
constexpr int kSplitArrowWidth = 12;
// The frame of a style-drawn popup and the extra room its items take.
constexpr int kPopupFrame = 3;
// The extra gutter of popups drawn with the style.
constexpr int kMenuGutterExtra = 3;
// The smallest height of a floating bar's caption and the space above its title.
constexpr int kMinFloatingCaptionHeight = 15;
constexpr int kCaptionTitleTop = 3;
constexpr int kCaptionTitleLeft = 5;
// The thickness of a floating bar's frame.
constexpr int kSmallFrame = 3;

} // namespace

CKitNativeXPTheme::CKitNativeXPTheme() : CKitNativeXPTheme(nullptr)
{
}

CKitNativeXPTheme::CKitNativeXPTheme(LPCSTR lpszThemeLibrary)
{
    m_bFadedIcons = TRUE;
    m_bIconsWithShadow = FALSE;
    m_nPopupBarText = COLOR_MENUTEXT;
    m_bFlatMenus = TRUE;
    m_bThemedStatusBar = TRUE;
    m_bThemedCheckBox = TRUE;
    m_bFullWidthMenuHighlight = TRUE;
    m_bThickCheckMark = TRUE;
    auto makeWrapper = [lpszThemeLibrary]() {
        return lpszThemeLibrary != nullptr ? std::make_unique<CKitWinThemeWrapper>(TRUE, lpszThemeLibrary)
                                           : std::make_unique<CKitWinThemeWrapper>();
    };
    m_themeRebar = makeWrapper();
    m_themeToolbar = makeWrapper();
    m_themeComboBox = makeWrapper();
    m_themeWindow = makeWrapper();
    m_themeSpin = makeWrapper();
    m_themeMenu = makeWrapper();
}

CKitNativeXPTheme::~CKitNativeXPTheme() = default;

BOOL CKitNativeXPTheme::IsToolBarStyleUsable() const
{
    return m_themeRebar->IsThemeHandleOpen() && m_themeToolbar->IsThemeHandleOpen();
}

BOOL CKitNativeXPTheme::IsMenuStyleUsable() const
{
    return m_themeMenu->IsThemeHandleOpen();
}

BOOL CKitNativeXPTheme::ReadSystemFlatMenu()
{
    BOOL bFlat = FALSE;
    if (!::SystemParametersInfoA(SPI_GETFLATMENU, 0, &bFlat, 0))
        return FALSE;
    return bFlat;
}

void CKitNativeXPTheme::RefreshMetrics()
{
    CKitDefaultTheme::RefreshMetrics();
    CWnd* pMainWnd = AfxGetMainWnd();
    HWND hWnd = pMainWnd != nullptr ? pMainWnd->GetSafeHwnd() : nullptr;
    m_themeToolbar->OpenThemeData(hWnd, L"TOOLBAR");
    m_themeRebar->OpenThemeData(hWnd, L"REBAR");
    m_themeComboBox->OpenThemeData(hWnd, L"COMBOBOX");
    m_themeWindow->OpenThemeData(hWnd, L"WINDOW");
    m_themeSpin->OpenThemeData(hWnd, L"SPIN");
    m_themeMenu->OpenThemeData(hWnd, L"MENU");
    // Styles without the new menus have no popup border size.
    int nBorderSize = 0;
    if (m_themeMenu->IsThemeHandleOpen() &&
        FAILED(m_themeMenu->GetThemeInt(MENU_POPUPBACKGROUND, 0, TMT_BORDERSIZE, &nBorderSize)))
        m_themeMenu->CloseThemeData();

    m_bFlatMenus = ReadSystemFlatMenu();

    m_clrEdgeShadow = GetColor(COLOR_BTNSHADOW);
    m_clrEdgeHighlight = GetColor(COLOR_BTNHIGHLIGHT);
    if (m_themeRebar->IsThemeHandleOpen()) {
        m_themeRebar->GetThemeColor(RP_BAND, 0, TMT_EDGESHADOWCOLOR, &m_clrEdgeShadow);
        m_themeRebar->GetThemeColor(RP_BAND, 0, TMT_EDGEHIGHLIGHTCOLOR, &m_clrEdgeHighlight);
    }

    COLORREF clrText = 0;
    if (m_themeToolbar->IsThemeHandleOpen() &&
        SUCCEEDED(m_themeToolbar->GetThemeColor(0, 0, TMT_TEXTCOLOR, &clrText)))
        m_arrColor[COLOR_BTNTEXT].SetStandardValue(clrText);
    m_clrHotText = GetColor(COLOR_BTNTEXT);
    m_clrPressedText = GetColor(COLOR_BTNTEXT);
    if (m_themeToolbar->IsThemeHandleOpen()) {
        m_themeToolbar->GetThemeColor(TP_BUTTON, TS_HOT, TMT_TEXTCOLOR, &m_clrHotText);
        m_themeToolbar->GetThemeColor(TP_BUTTON, TS_PRESSED, TMT_TEXTCOLOR, &m_clrPressedText);
    }

    const BOOL bStyleFlatMenus = m_themeRebar->IsThemeHandleOpen() && m_themeRebar->GetThemeSysBool(TMT_FLATMENUS);
    if (!m_bFlatMenus && !bStyleFlatMenus)
        m_arrColor[COLOR_MENUHILIGHT].SetStandardValue(GetColor(COLOR_HIGHLIGHT));
}

void CKitNativeXPTheme::DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                      BOOL bChecked, BOOL bPopuped, int nBarType, int nBarPosition)
{
    if (!IsToolBarStyleUsable()) {
        CKitDefaultTheme::DrawRectangle(pDC, rc, bSelected, bPressed, bEnabled, bChecked, bPopuped, nBarType,
                                        nBarPosition);
        return;
    }
    if (nBarType == kitBarTypePopup && !bChecked) {
        if (!bSelected && !bPressed)
            return;
        if (IsMenuStyleUsable())
            m_themeMenu->DrawThemeBackground(pDC->m_hDC, MENU_POPUPITEM, MPI_HOT, &rc, nullptr);
        else
            Rectangle(pDC, rc, COLOR_HIGHLIGHT, COLOR_MENUHILIGHT);
        return;
    }
    if (nBarType == kitBarTypePopup && nBarPosition == kitBarPopup && m_bFullWidthMenuHighlight &&
        IsMenuStyleUsable()) {
        m_themeMenu->DrawThemeBackground(pDC->m_hDC, MENU_POPUPCHECKBACKGROUND, bEnabled ? MCB_NORMAL : MCB_DISABLED,
                                         &rc, nullptr);
        return;
    }
    int nState = TS_NORMAL;
    if (bChecked == 2 && !bEnabled) {
        nState = TS_PRESSED;
    } else if (bEnabled) {
        // An indeterminate item counts as unchecked.
        const BOOL bCheckedNow = bChecked == 2 ? FALSE : bChecked;
        const bool bPushed = (bSelected && bPressed) || IsKeyboardState(bPressed);
        if (!bPopuped && bCheckedNow && !bPressed)
            nState = bSelected ? TS_HOTCHECKED : TS_CHECKED;
        else if (!bPopuped && !bPushed)
            nState = bSelected ? TS_HOT : TS_NORMAL;
        else
            nState = TS_PRESSED;
    } else {
        nState = bChecked ? TS_PRESSED : TS_DISABLED;
    }
    m_themeToolbar->DrawThemeBackground(pDC->m_hDC, TP_BUTTON, nState, &rc, nullptr);
}

void CKitNativeXPTheme::DrawSplitButtonFrame(CDC* pDC, CKitControl* pButton, CRect rc)
{
    if (!IsToolBarStyleUsable()) {
        CKitDefaultTheme::DrawSplitButtonFrame(pDC, pButton, rc);
        return;
    }
    const ControlState s = GetControlState(pButton);
    int nState = TS_NORMAL;
    if (!s.bEnabled)
        nState = TS_DISABLED;
    else if (s.bPressed && s.bSelected)
        nState = TS_PRESSED;
    else if (!s.bChecked && !s.bPopuped)
        nState = s.bSelected ? TS_HOT : TS_NORMAL;
    else
        nState = s.bChecked ? TS_CHECKED : TS_HOT;
    const int nArrowState = !s.bEnabled ? TS_DISABLED : s.bPopuped ? TS_PRESSED : nState;
    const CRect rcCommand(rc.left, rc.top, rc.right - kSplitArrowWidth, rc.bottom);
    const CRect rcArrow(rc.right - kSplitArrowWidth, rc.top, rc.right, rc.bottom);
    m_themeToolbar->DrawThemeBackground(pDC->m_hDC, TP_SPLITBUTTON, nState, &rcCommand, nullptr);
    m_themeToolbar->DrawThemeBackground(pDC->m_hDC, TP_SPLITBUTTONDROPDOWN, nArrowState, &rcArrow, nullptr);
}

void CKitNativeXPTheme::FillRebarBackground(CDC* pDC, CWnd* pWnd, CWnd* pReference)
{
    CRect rcClient;
    if (pWnd->GetSafeHwnd() != nullptr)
        pWnd->GetClientRect(&rcClient);
    if (!IsToolBarStyleUsable() || pReference == nullptr || pReference->GetSafeHwnd() == nullptr) {
        pDC->FillSolidRect(rcClient, GetColor(COLOR_BTNFACE));
        return;
    }
    CRect rcReference;
    pReference->GetClientRect(&rcReference);
    ::MapWindowPoints(pReference->GetSafeHwnd(), pWnd->GetSafeHwnd(), reinterpret_cast<POINT*>(&rcReference), 2);
    m_themeRebar->DrawThemeBackground(pDC->m_hDC, 0, 0, &rcReference, &rcClient);
}

void CKitNativeXPTheme::FillCommandBarEntry(CDC* pDC, CKitCommandBar* pBar)
{
    if (!IsToolBarStyleUsable()) {
        CKitDefaultTheme::FillCommandBarEntry(pDC, pBar);
        return;
    }
    CRect rc = GetBarClientRect(pBar);
    const int nPosition = pBar->GetPosition();
    if (nPosition == kitBarPopup) {
        if (IsMenuStyleUsable() &&
            SUCCEEDED(m_themeMenu->DrawThemeBackground(pDC->m_hDC, MENU_POPUPBORDERS, 0, &rc, nullptr))) {
            rc.DeflateRect(kPopupFrame, kPopupFrame);
            m_themeMenu->DrawThemeBackground(pDC->m_hDC, MENU_POPUPBACKGROUND, 0, &rc, nullptr);
        } else if (!m_bFlatMenus) {
            pDC->FillSolidRect(rc, GetColor(COLOR_MENU));
            Draw3dRect(pDC, rc, COLOR_BTNFACE, COLOR_3DDKSHADOW);
            rc.DeflateRect(1, 1);
            Draw3dRect(pDC, rc, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
        } else {
            pDC->FillSolidRect(rc, GetColor(COLOR_MENU));
            Draw3dRect(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNSHADOW);
        }
    } else if (nPosition <= kitBarRight) {
        if (nPosition == kitBarTop)
            FillRebarBackground(pDC, pBar, pBar->GetParent());
        else
            pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
        m_themeRebar->DrawThemeBackground(pDC->m_hDC, RP_BAND, 0, &rc, nullptr);
        if (!IsFlatCommandBar(pBar))
            pDC->Draw3dRect(rc, m_clrEdgeHighlight, m_clrEdgeShadow);
    } else if (nPosition == kitBarFloating && !pBar->IsDialogBar()) {
        if (pBar->GetType() == kitBarTypePopup) {
            pDC->FillSolidRect(rc, GetColor(COLOR_MENU));
        } else {
            pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
            m_themeToolbar->DrawThemeBackground(pDC->m_hDC, 0, 0, &rc, nullptr);
        }
        const CRect rcLeft(rc.left, rc.top, rc.left + kSmallFrame, rc.bottom);
        const CRect rcRight(rc.right - kSmallFrame, rc.top, rc.right, rc.bottom);
        const CRect rcBottom(rc.left, rc.bottom - kSmallFrame, rc.right, rc.bottom);
        m_themeWindow->DrawThemeBackground(pDC->m_hDC, WP_SMALLFRAMELEFT, 1, &rcLeft, nullptr);
        m_themeWindow->DrawThemeBackground(pDC->m_hDC, WP_SMALLFRAMERIGHT, 1, &rcRight, nullptr);
        m_themeWindow->DrawThemeBackground(pDC->m_hDC, WP_SMALLFRAMEBOTTOM, 1, &rcBottom, nullptr);
    } else {
        CKitDefaultTheme::FillCommandBarEntry(pDC, pBar);
    }
}

void CKitNativeXPTheme::FillWindowFace(CDC* pDC, CWnd* pWnd)
{
    auto* pDockBar = DYNAMIC_DOWNCAST(CKitDockBar, pWnd);
    if (pDockBar == nullptr) {
        CKitDefaultTheme::FillWindowFace(pDC, pWnd);
        return;
    }
    if (pDockBar->GetPosition() == kitBarTop) {
        FillRebarBackground(pDC, pDockBar, pDockBar->GetParent());
    } else {
        CRect rc;
        pDockBar->GetClientRect(&rc);
        pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
    }
}

BOOL CKitNativeXPTheme::IsFlatMenuBarPopup(CKitControl* pControl) const
{
    CKitCommandBar* pBar = pControl->GetParent();
    return IsToolBarStyleUsable() && m_bFlatMenus && pControl->GetType() == kitControlPopup && pBar != nullptr &&
           pBar->GetType() == kitBarTypeMenuBar && pBar->GetPosition() != kitBarPopup;
}

void CKitNativeXPTheme::DrawControlEntry(CDC* pDC, CKitControl* pControl)
{
    if (!IsFlatMenuBarPopup(pControl)) {
        CKitDefaultTheme::DrawControlEntry(pDC, pControl);
        return;
    }
    if (pControl->GetSelected() || pControl->GetPressed() || pControl->GetPopuped())
        pDC->FillSolidRect(pControl->GetRect(), GetColor(COLOR_HIGHLIGHT));
}

COLORREF CKitNativeXPTheme::GetControlTextColor(CKitControl* pControl)
{
    if (IsFlatMenuBarPopup(pControl) &&
        (pControl->GetSelected() || pControl->GetPressed() || pControl->GetPopuped()))
        return GetColor(COLOR_HIGHLIGHTTEXT);
    return CKitDefaultTheme::GetControlTextColor(pControl);
}

COLORREF CKitNativeXPTheme::GetControlStateTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                                                     BOOL bPopuped, int nBarType, int nBarPosition)
{
    if (nBarType == kitBarTypePopup && nBarPosition == kitBarPopup && IsMenuStyleUsable())
        return GetColor(bEnabled ? COLOR_MENUTEXT : COLOR_GRAYTEXT);
    if (IsToolBarStyleUsable() && nBarPosition != kitBarPopup) {
        if (!bEnabled)
            return GetColor(COLOR_GRAYTEXT);
        if (!bSelected)
            return GetColor(COLOR_BTNTEXT);
        return bPressed ? m_clrPressedText : m_clrHotText;
    }
    return CKitDefaultTheme::GetControlStateTextColor(bSelected, bPressed, bEnabled, bChecked, bPopuped, nBarType,
                                                      nBarPosition);
}

CSize CKitNativeXPTheme::DrawFloatingBarCaption(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw)
{
    if (!IsToolBarStyleUsable())
        return CKitDefaultTheme::DrawFloatingBarCaption(pDC, pBar, bDraw);
    if (pBar->IsDialogBar())
        return DrawCommandBarGripper(pDC, pBar, bDraw);
    const CRect rc = GetBarClientRect(pBar);
    switch (pBar->GetPosition()) {
    case kitBarPopup:
        if (pBar->GetType() == kitBarTypePopup && IsMenuStyleUsable()) {
            if (bDraw) {
                CRect rcGutter = rc;
                rcGutter.DeflateRect(kPopupFrame, kPopupFrame);
                rcGutter.right = rcGutter.left + GetPopupBarGripperWidth(pBar);
                m_themeMenu->DrawThemeBackground(pDC->m_hDC, MENU_POPUPGUTTER, 0, &rcGutter, nullptr);
            }
            return CSize(0, 0);
        }
        return CKitDefaultTheme::DrawFloatingBarCaption(pDC, pBar, bDraw);
    case kitBarLeft:
    case kitBarRight:
        if (bDraw) {
            const CRect rcGripper(rc.left, rc.top + 2, rc.right, rc.top + 8);
            m_themeRebar->DrawThemeBackground(pDC->m_hDC, RP_GRIPPERVERT, 1, &rcGripper, nullptr);
        }
        return CSize(0, 8);
    case kitBarTop:
    case kitBarBottom:
        if (bDraw) {
            const CRect rcGripper(rc.left + 2, rc.top, rc.left + 8, rc.bottom);
            m_themeRebar->DrawThemeBackground(pDC->m_hDC, RP_GRIPPER, 1, &rcGripper, nullptr);
        }
        return CSize(8, 0);
    case kitBarFloating: {
        CRect rcWindow;
        if (pBar->GetSafeHwnd() != nullptr)
            pBar->GetWindowRect(&rcWindow);
        CFont* pOld = pDC->SelectObject(&m_fontSmCaption);
        const int nHeight =
            std::max(static_cast<int>(pDC->GetTextExtent(" ", 1).cy), kMinFloatingCaptionHeight);
        const int nCaption = nHeight + kCaptionTitleTop;
        if (bDraw) {
            const CRect rcCaption(0, 0, rcWindow.Width(), nCaption);
            m_themeWindow->DrawThemeBackground(pDC->m_hDC, WP_SMALLCAPTION, 1, &rcCaption, nullptr);
            pDC->SetTextColor(m_clrFloatingGripperText);
            pDC->SetBkMode(TRANSPARENT);
            CRect rcText(kCaptionTitleLeft, kCaptionTitleTop, rcWindow.Width() - 2 * nCaption, nCaption);
            pDC->DrawText(pBar->GetTitle(), rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        }
        pDC->SelectObject(pOld);
        return CSize(rcWindow.Width(), nHeight);
    }
    default:
        return CSize(0, 0);
    }
}

CSize CKitNativeXPTheme::DrawCommandBarSeparator(CDC* pDC, CKitCommandBar* pBar, CKitControl* pControl, BOOL bDraw)
{
    if (!bDraw || !IsToolBarStyleUsable())
        return CKitDefaultTheme::DrawCommandBarSeparator(pDC, pBar, pControl, bDraw);
    const CRect rcRow = pControl->GetRowRect();
    const CRect rcControl = pControl->GetRect();
    const BOOL bWrap = pControl->GetWrap();
    const int nPosition = pBar->GetPosition();
    int nPart = TP_SEPARATOR;
    CRect rc;
    if (pBar->GetType() == kitBarTypePopup) {
        if (nPosition != kitBarPopup || !IsMenuStyleUsable() || bWrap)
            return CKitDefaultTheme::DrawCommandBarSeparator(pDC, pBar, pControl, bDraw);
        rc = CRect(rcControl.left + GetPopupBarGripperWidth(pBar), rcControl.top - 8, rcControl.right,
                   rcControl.top - 2);
        m_themeMenu->DrawThemeBackground(pDC->m_hDC, MENU_POPUPSEPARATOR, 0, &rc, nullptr);
        return CSize(0, 0);
    }
    if (nPosition == kitBarLeft || nPosition == kitBarRight) {
        if (bWrap) {
            rc = CRect(rcRow.right, rcRow.top + 4, rcRow.right + 5, rcRow.bottom);
        } else {
            nPart = TP_SEPARATORVERT;
            rc = CRect(rcRow.left, rcControl.top - 6, rcRow.right, rcControl.top);
        }
    } else if (bWrap) {
        nPart = TP_SEPARATORVERT;
        rc = CRect(rcRow.left + 4, rcRow.top - 5, rcRow.right, rcRow.top);
    } else {
        rc = CRect(rcControl.left - 6, rcRow.top, rcControl.left, rcRow.bottom);
    }
    m_themeToolbar->DrawThemeBackground(pDC->m_hDC, nPart, TS_NORMAL, &rc, nullptr);
    return CSize(0, 0);
}

void CKitNativeXPTheme::AdjustControlRect(CRect& rc, CKitControl* pControl, BOOL bVertical)
{
    if (!IsToolBarStyleUsable()) {
        CKitDefaultTheme::AdjustControlRect(rc, pControl, bVertical);
        return;
    }
    CKitCommandBar* pBar = pControl->GetParent();
    if (pBar == nullptr || pControl->GetType() == kitControlComboBox)
        return;
    if (pBar->GetType() == kitBarTypePopup)
        rc.DeflateRect(kPopupFrame, -kPopupFrame);
}

CSize CKitNativeXPTheme::DrawSpecialControl(CDC* pDC, int nKind, CKitControl* pControl, CKitCommandBar* pBar,
                                            BOOL bDraw, LPARAM lpParam)
{
    if ((nKind == 2 || nKind == 3) && m_themeToolbar->IsThemeHandleOpen())
        return CKitPaintManager::DrawSpecialControl(pDC, nKind, pControl, pBar, bDraw, lpParam);
    return CKitDefaultTheme::DrawSpecialControl(pDC, nKind, pControl, pBar, bDraw, lpParam);
}

CSize CKitNativeXPTheme::DrawCommandBarGripper(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw)
{
    if (!IsToolBarStyleUsable())
        return CKitDefaultTheme::DrawCommandBarGripper(pDC, pBar, bDraw);
    const int nHeight = std::max(kGripperMinHeight, m_nTextHeight + 4);
    if (bDraw) {
        const CRect rc(2, 3, 8, nHeight);
        m_themeRebar->DrawThemeBackground(pDC->m_hDC, RP_GRIPPER, 1, &rc, nullptr);
    }
    return CSize(8, nHeight);
}

void CKitNativeXPTheme::FillExpandedColumn(CDC* pDC, CRect rc, BOOL /*bHiddenControl*/)
{
    if (IsMenuStyleUsable())
        m_themeMenu->DrawThemeBackground(pDC->m_hDC, MENU_POPUPGUTTER, 0, &rc, nullptr);
}

void CKitNativeXPTheme::DrawCheckMark(CDC* pDC, CRect rc, BOOL bEnabled, COLORREF clr)
{
    if (!IsMenuStyleUsable()) {
        CKitDefaultTheme::DrawCheckMark(pDC, rc, bEnabled, clr);
        return;
    }
    m_themeMenu->DrawThemeBackground(pDC->m_hDC, MENU_POPUPCHECK, bEnabled ? MC_CHECKMARKNORMAL : MC_CHECKMARKDISABLED,
                                     &rc, nullptr);
}

// The callers pass the grey-text colour for a disabled item.
void CKitNativeXPTheme::DrawSmoothDot(CDC* pDC, CRect rc, COLORREF clr)
{
    if (!IsMenuStyleUsable()) {
        CKitDefaultTheme::DrawSmoothDot(pDC, rc, clr);
        return;
    }
    const bool bEnabled = clr != static_cast<COLORREF>(COLOR_GRAYTEXT);
    m_themeMenu->DrawThemeBackground(pDC->m_hDC, MENU_POPUPCHECK, bEnabled ? MC_BULLETNORMAL : MC_BULLETDISABLED,
                                     &rc, nullptr);
}

void CKitNativeXPTheme::DrawControlMDIButton(CDC* pDC, CKitControl* pControl)
{
    if (m_themeWindow->IsThemeHandleOpen()) {
        const UINT nId = pControl->GetId();
        const int nPart = nId == CKitMenuBar::kIdRestoreWindow    ? WP_MDIRESTOREBUTTON
                          : nId == CKitMenuBar::kIdMinimizeWindow ? WP_MDIMINBUTTON
                                                                  : WP_MDICLOSEBUTTON;
        const int nState = !pControl->IsEnabled() ? 4 : pControl->GetPressed() ? 3 : pControl->GetSelected() ? 2 : 1;
        const CRect rc = pControl->GetRect();
        if (SUCCEEDED(m_themeWindow->DrawThemeBackground(pDC->m_hDC, nPart, nState, &rc, nullptr)))
            return;
    }
    CKitDefaultTheme::DrawControlMDIButton(pDC, pControl);
}

int CKitNativeXPTheme::GetPopupBarGripperWidth(CKitCommandBar* pBar)
{
    return CKitDefaultTheme::GetPopupBarGripperWidth(pBar) + (IsMenuStyleUsable() ? kMenuGutterExtra : 0);
}

void CKitNativeXPTheme::DrawControlEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected)
{
    if (!m_themeComboBox->IsThemeHandleOpen()) {
        CKitDefaultTheme::DrawControlEditFrame(pDC, rc, bEnabled, bSelected);
        return;
    }
    COLORREF clrBorder = GetColor(COLOR_BTNSHADOW);
    m_themeComboBox->GetThemeColor(CP_DROPDOWNBUTTON, bEnabled ? 1 : 4, TMT_BORDERCOLOR, &clrBorder);
    pDC->Draw3dRect(rc, clrBorder, clrBorder);
}

void CKitNativeXPTheme::DrawComboBoxDropDownButton(CDC* pDC, CRect rcDropDown, BOOL bEnabled, BOOL bSelected,
                                                   BOOL bDropped)
{
    if (!m_themeComboBox->IsThemeHandleOpen()) {
        CKitDefaultTheme::DrawComboBoxDropDownButton(pDC, rcDropDown, bEnabled, bSelected, bDropped);
        return;
    }
    const CRect rc(rcDropDown.left - 2, rcDropDown.top + 1, rcDropDown.right - 1, rcDropDown.bottom - 1);
    const int nState = !bEnabled ? 4 : bDropped ? 3 : bSelected ? 2 : 1;
    m_themeComboBox->DrawThemeBackground(pDC->m_hDC, CP_DROPDOWNBUTTON, nState, &rc, nullptr);
}

void CKitNativeXPTheme::DrawControlEditSpin(CDC* pDC, CKitControlEdit* pEdit)
{
    if (!m_themeSpin->IsThemeHandleOpen()) {
        CKitDefaultTheme::DrawControlEditSpin(pDC, pEdit);
        return;
    }
    const CRect rcSpin = pEdit->GetSpinButtonsRect();
    const int nMiddle = rcSpin.CenterPoint().y;
    const BOOL bEnabled = pEdit->IsEnabled();
    // The control's selected and pressed values name the half: 4 the upper, 5 the lower.
    auto stateOf = [&](int nHalf) {
        if (!bEnabled)
            return 4;
        if (pEdit->GetSelected() != nHalf)
            return 1;
        return pEdit->GetPressed() == nHalf ? 3 : 2;
    };
    const CRect rcUpper(rcSpin.left, rcSpin.top, rcSpin.right, nMiddle);
    const CRect rcLower(rcSpin.left, nMiddle, rcSpin.right, rcSpin.bottom);
    m_themeSpin->DrawThemeBackground(pDC->m_hDC, SPNP_UP, stateOf(4), &rcUpper, nullptr);
    m_themeSpin->DrawThemeBackground(pDC->m_hDC, SPNP_DOWN, stateOf(5), &rcLower, nullptr);
}
