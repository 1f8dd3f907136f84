// The ribbon look for command bars: state rows of the theme module's pictures and its ribbon colours.
#include "toolkit/themes/paint/ribbon_theme.h"

#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/control_combo.h"
#include "toolkit/commandbars/control_edit.h"
#include "toolkit/commandbars/keyboard_tip.h"
#include "toolkit/commandbars/shadow_manager.h"
#include "toolkit/commandbars/status_bar_pane.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/resources.h"
#include "toolkit/common/system.h"
#include "toolkit/themes/paint/frame_paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_bar.h"
#include "toolkit/themes/ribbon/ribbon_group.h"

#include "framework/gdi.h"
#include "framework/wnd.h"

#include <algorithm>
#include <cstdlib>

IMPLEMENT_DYNAMIC(CKitRibbonTheme, CKitResourceTheme)

namespace {

constexpr COLORREF kTransparent = RGB(255, 0, 255);
constexpr COLORREF kLightLine = RGB(245, 245, 245);
constexpr COLORREF kGreyText = RGB(141, 141, 141);
constexpr COLORREF kGreyLine = RGB(197, 197, 197);
// Captions of split buttons: enabled and disabled.
constexpr COLORREF kSplitText = RGB(21, 66, 139);
constexpr COLORREF kSplitGrayText = RGB(141, 141, 141);
constexpr COLORREF kGlyphGradient = RGB(233, 238, 238);
constexpr int kSplitDropDownWidth = 12;
constexpr int kSplitPopupWidth = 26;
constexpr int kSpareHeight = 22;
constexpr int kMinTextHeight = 22;
constexpr int kMinFontSize = 13;
constexpr int kSmallFontSize = 11;
constexpr int kExpandButtonSize = 12;
// A split item of a popup shows its item picture from this height.
constexpr int kMinSplitItemHeight = 34;
constexpr int kSwitchWidth = 18;
constexpr int kSpinWidth = 18;
constexpr int kSmallSpinGlyph = 13;
constexpr int kNone = -1;

// Colour-table entries read or set here.
constexpr int kColorEditBorder = 53;
constexpr int kColorGroupText = 46;
constexpr int kColorGroupGrayText = 60;
constexpr int kColorPopupText = 44;
constexpr int kColorHighlightText = 45;
constexpr int kColorDisabledMark = 35;
constexpr int kColorPopupBorder = 43;
constexpr int kColorPopupFace = 41;
constexpr int kColorLabel = 56;

// The row of a toolbar button's picture (of 4); none for an idle or plainly disabled one.
int ToolBarButtonRow(int nSelected, int nPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped)
{
    const bool bKeyboardSelected = nSelected == 2 || nSelected == 3;
    if (!bEnabled)
        return bKeyboardSelected ? 0 : kNone;
    if (bPopuped)
        return 2;
    if (bChecked && !nSelected && !nPressed)
        return 2;
    if (bChecked && nSelected && !nPressed)
        return 3;
    if (nPressed == 2 || nPressed == 3 || (nSelected && nPressed))
        return 1;
    if (nSelected || nPressed)
        return 0;
    return kNone;
}

// A split button's state as its row tables read it.
struct SplitState {
    int nSelected, nPressed, nEnabled;
    BOOL bChecked, bPopuped, bZeroSpacing;
};

int SplitCommandRow(const SplitState& s)
{
    const int S = s.nSelected, P = s.nPressed;
    if (s.nEnabled == 5 && (S || P || s.bPopuped))
        return 4;
    if (s.nEnabled == 0)
        return S == 2 || S == 3 ? 5 : kNone;
    if (s.bPopuped)
        return s.bZeroSpacing ? 1 : 5;
    if (P == 2 || P == 3)
        return 1;
    if (s.bChecked) {
        if (P == 0)
            return S == 0 ? 2 : 3;
        return S == 0 ? 2 : 1;
    }
    if (S == 0)
        return P == 0 ? kNone : 5;
    if (P != 0)
        return 1;
    return S == 4 ? 0 : 5;
}

int SplitArrowRow(const SplitState& s)
{
    const int S = s.nSelected, P = s.nPressed;
    if (s.nEnabled == 4 && (S || P || s.bPopuped))
        return 3;
    if (s.nEnabled == 0)
        return S == 2 || S == 3 ? 4 : kNone;
    if (s.bPopuped)
        return 2;
    const bool bKeyboardOrBoth = P == 2 || P == 3 || (S != 0 && P != 0);
    if (s.bChecked) {
        if (S == 0 && P == 0)
            return 2;
        if (bKeyboardOrBoth || (S == 5 && P == 0))
            return 0;
        return s.bZeroSpacing ? 2 : 4;
    }
    if (S == 0 && P == 0)
        return kNone;
    if (bKeyboardOrBoth)
        return s.bZeroSpacing ? 4 : 0;
    if (S == 0)
        return 4;
    return S == 5 ? 0 : 4;
}

// A control of a ribbon group that lays its controls out in joined rows.
bool IsJoinedRowControl(CKitControl* pControl)
{
    CKitRibbonGroup* pGroup = pControl->GetRibbonGroup();
    return pGroup != nullptr && pGroup->IsControlsGrouping();
}

// Whether the next shown control of the bar after this one starts a new group or row; no next one does.
bool IsLastInJoinedRow(CKitControl* pControl)
{
    CKitCommandBar* pBar = pControl->GetParent();
    if (pBar == nullptr)
        return true;
    CKitControls* pControls = pBar->GetControls();
    const int nNext = pControls->GetNext(pControl->GetIndex(), +1);
    if (nNext <= pControl->GetIndex())
        return true;
    CKitControl* pNext = pControls->GetAt(nNext);
    return pNext == nullptr || pNext->GetBeginGroup() || pNext->GetWrap();
}

// The window's region without its four corner pixels; the window is not redrawn.
void SetCornerCutRegion(CWnd* pWnd)
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return;
    CRect rc;
    pWnd->GetWindowRect(&rc);
    const int w = rc.Width();
    const int h = rc.Height();
    HRGN hRegion = ::CreateRectRgn(0, 1, w, h - 1);
    HRGN hInner = ::CreateRectRgn(1, 0, w - 1, h);
    ::CombineRgn(hRegion, hRegion, hInner, RGN_OR);
    ::DeleteObject(hInner);
    // The window owns the region from here on.
    ::SetWindowRgn(pWnd->GetSafeHwnd(), hRegion, FALSE);
}

} // namespace

CKitRibbonTheme::CKitRibbonTheme()
{
    m_bClearTypeTextQuality = TRUE;
    m_bKeepIconColumn = FALSE;
    m_nSplitButtonDropDownWidth = kSplitDropDownWidth;
    m_nSplitButtonPopupWidth = kSplitPopupWidth;
    m_nSpareHeight = kSpareHeight;
    m_rcSpare = CRect(0, 0, 0, 1);
    m_strOwnFaceName = "Segoe UI";
    m_bUseOwnFace = TRUE;
    m_pShadowManager->SetFlags(CKitShadowManager::kFlagAlways);
    // The frame painter is made at once and draws a status bar as part of the frame.
    GetFramePaintManager()->m_bFrameStatusBar = TRUE;
}

BOOL CKitRibbonTheme::DrawPicture(CDC* pDC, LPCSTR lpszName, const CRect& rc, int nRow, int nRows,
                                  const CRect& rcMargins, PictureKey nKey)
{
    CKitResourceImage* pImage = LoadImage(lpszName);
    if (pImage == nullptr)
        return FALSE;
    if (rc.IsRectEmpty())
        return TRUE;
    const CRect rcSource = pImage->GetSource(nRow, nRows);
    if (nKey == kOpaque)
        pImage->DrawImage(pDC, rc, rcSource, rcMargins);
    else if (nKey == kAlphaKeyed)
        pImage->DrawImageAlphaKeyed(pDC, rc, rcSource, rcMargins, kTransparent, 1);
    else
        pImage->DrawImageTransparent(pDC, rc, rcSource, rcMargins, kTransparent);
    return TRUE;
}

BOOL CKitRibbonTheme::IsOnCompositedFrame(CKitCommandBar* pBar)
{
    return pBar != nullptr && pBar->IsOnCompositedFrame();
}

COLORREF CKitRibbonTheme::GetControlTextColor(CKitControl* pControl)
{
    CKitCommandBar* pBar = pControl->GetParent();
    if (pControl->GetRibbonGroup() != nullptr || pBar == nullptr || !pBar->HasRibbonCaptions())
        return CKitResourceTheme::GetControlTextColor(pControl);
    const BOOL bEnabled = pControl->IsEnabled() != 0;
    const int nType = pControl->GetType();
    COLORREF clr = CKitPaintManagerColor::kNone;
    if (pControl->IsKindOf(RUNTIME_CLASS(CKitRibbonGroupControlPopup)) || nType == kitControlCheckBox ||
        nType == kitControlRadioButton) {
        clr = bEnabled ? GetRibbonTextColor(pControl) : m_clrRibbonGrayText;
    } else if (!bEnabled) {
        clr = m_clrRibbonGrayText;
    } else if (pControl->GetSelected() != 0 || pControl->GetPressed() != 0 || pControl->GetChecked() > 0 ||
               pControl->GetPopuped()) {
        return CKitResourceTheme::GetControlTextColor(pControl);
    } else {
        clr = GetRibbonTextColor(pControl);
    }
    // A colour the theme's description does not give leaves the base rule in force.
    return clr != CKitPaintManagerColor::kNone ? clr : CKitResourceTheme::GetControlTextColor(pControl);
}

COLORREF CKitRibbonTheme::GetRibbonTextColor(CKitControl* pControl)
{
    auto* pRibbonBar = dynamic_cast<CKitRibbonBar*>(pControl->GetParent());
    if (pRibbonBar == nullptr || !pRibbonBar->IsQuickAccessControl(pControl) || !pControl->IsOnCompositedFrame())
        return m_clrRibbonText;
    if (CKitOsVersion::Instance()->IsWin7OrGreater())
        return RGB(0, 0, 0);
    CWnd* pSite = pRibbonBar->GetSite();
    const BOOL bMaximized = pSite != nullptr && pSite->GetSafeHwnd() != nullptr && (pSite->GetStyle() & WS_MAXIMIZE) != 0;
    return bMaximized ? RGB(255, 255, 255) : RGB(0, 0, 0);
}

CKitRibbonTheme::PictureKey CKitRibbonTheme::GetControlPictureKey(CKitControl* pControl)
{
    CKitCommandBar* pBar = pControl->GetParent();
    if (IsOnCompositedFrame(pBar))
        return kAlphaKeyed;
    // A ribbon's control on the glass of its caption.
    if (pBar != nullptr && pBar->HasRibbonCaptions() && pBar->IsRectOnCompositedFrame(pControl->GetRect()))
        return kAlphaKeyed;
    return kMagentaOut;
}

BOOL CKitRibbonTheme::DrawPictureCentred(CDC* pDC, LPCSTR lpszName, const CRect& rc, int nRow, int nRows)
{
    CKitResourceImage* pImage = LoadImage(lpszName);
    if (pImage == nullptr)
        return FALSE;
    const CSize sz = pImage->GetSource(nRow, nRows).Size();
    const CPoint pt(rc.left + (rc.Width() - sz.cx) / 2, rc.top + (rc.Height() - sz.cy) / 2);
    return DrawPicture(pDC, lpszName, CRect(pt, sz), nRow, nRows, CRect(0, 0, 0, 0));
}

void CKitRibbonTheme::RefreshMetrics()
{
    CKitResourceTheme::RefreshMetrics();
    CKitResourceImages* pImages = GetImages();
    auto color = [pImages](LPCSTR lpszKey, COLORREF clrDefault = CKitPaintManagerColor::kNone) {
        return pImages->GetImageColor("Ribbon", lpszKey, clrDefault);
    };
    auto entry = [this](int nIndex, COLORREF clr) { m_arrColor[nIndex].SetStandardValue(clr); };

    m_bZeroGroupSpacing = pImages->GetImageInt("Ribbon", "GroupSpacing", -1) == 0;
    entry(kColorGroupText, color("GroupClientText"));
    entry(kColorGroupGrayText, kGreyText);
    m_clrEditNormal = color("ControlEditNormal");
    m_clrEditSelected = color("ControlEditSelected", RGB(255, 255, 255));
    entry(kColorPopupText, color("MenuPopupText"));
    const COLORREF clrGripper = color("MenuPopupGripper");
    m_grcImageColumn.SetStandardValue(clrGripper, clrGripper, 0.5);
    m_grcHiddenColumn.SetStandardValue(color("MenuPopupExpandedGripperLight"), color("MenuPopupExpandedGripperDark"),
                                       0.5);
    m_pShadowManager->SetShadowColor(RGB(0, 0, 0));
    entry(kColorDisabledMark, RGB(167, 167, 167));
    entry(kColorHighlightText, color("ControlHighlightText"));
    entry(kColorPopupBorder, RGB(134, 134, 134));
    entry(kColorPopupFace, RGB(250, 250, 250));
    m_clrPopupSeparator = color("MenuPopupSeparator", kGreyLine);
    m_grcGlyph.SetStandardValue(kGlyphGradient, kGlyphGradient, 0.5);
    m_clrRibbonText = color("RibbonText");
    m_clrRibbonGrayText = color("RibbonGrayText", kGreyText);
    m_clrPopupGripperShadow = color("MenuPopupGripperShadow", kGreyLine);
    // Without group spacing the frame's bottom is rounded; otherwise a status bar joins the frame.
    CKitFramePaintManager* pFrame = GetFramePaintManager();
    pFrame->m_bFrameStatusBar = !m_bZeroGroupSpacing;
    pFrame->m_bRoundedCornersAlways = m_bZeroGroupSpacing;
    m_clrEditDisabledBorder = pImages->GetImageColor("Toolbar", "ControlEditDisabledBorder", GetColor(kColorEditBorder));
    RefreshGlyphImage();
}

void CKitRibbonTheme::UpdateFonts()
{
    NONCLIENTMETRICSA ncm = {};
    ReadNonClientMetrics(ncm);
    const BYTE nCharSet = CKitResourceManager::Instance()->GetFontCharset();
    int nSize = std::abs(static_cast<int>(ncm.lfMenuFont.lfHeight));
    if (m_nFontHeight > kSmallFontSize)
        nSize = m_nFontHeight;
    if (nSize < kMinFontSize)
        nSize = kSmallFontSize;

    LOGFONTA lf = {};
    lf.lfHeight = nSize * 120 / 96;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = nCharSet;
    lf.lfQuality = ncm.lfMenuFont.lfQuality;
    ApplyClearType(lf);
    const BOOL bOwnFace = m_bUseOwnFace && CKitDrawHelpers::FontExists(m_strOwnFaceName);
    lstrcpynA(lf.lfFaceName, bOwnFace ? static_cast<LPCSTR>(m_strOwnFaceName) : ncm.lfMenuFont.lfFaceName,
              LF_FACESIZE);
    if (m_bUseStandardFont) {
        LOGFONTA lfBars = lf;
        SetCommandBarsFontIndirect(&lfBars, TRUE);
    }
    m_nTextHeight = std::max(kMinTextHeight, nSize * 144 / 96 + 6);
    m_nFixedControlSize = std::max(kMinTextHeight, nSize * 195 / 96);
    m_nSplitButtonDropDownWidth = std::max(kSplitDropDownWidth, m_nTextHeight / 2);

    m_fontIcon.SetStandardFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_fontIconBold.SetStandardFontIndirect(&lf);
    for (LOGFONTA* pFont : {&ncm.lfSmCaptionFont, &ncm.lfStatusFont}) {
        pFont->lfCharSet = nCharSet;
        ApplyClearType(*pFont);
    }
    m_fontSmCaption.SetStandardFontIndirect(&ncm.lfSmCaptionFont);
    m_fontStatus.SetStandardFontIndirect(&ncm.lfStatusFont);
}

COLORREF CKitRibbonTheme::GetControlStateTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                                                   BOOL bPopuped, int nBarType, int nBarPosition)
{
    if (nBarType == kitBarTypeMenuBar && bEnabled && !bSelected && !bPressed && !bChecked && !bPopuped)
        return CKitResourceTheme::GetControlStateTextColor(bSelected, bPressed, bEnabled, bChecked, bPopuped,
                                                           nBarType, nBarPosition);
    if (nBarType == kitBarTypePopup)
        return GetColor(bEnabled ? kColorPopupText : kColorDisabledMark);
    return GetColor(bEnabled ? kColorGroupText : kColorGroupGrayText);
}

COLORREF CKitRibbonTheme::GetControlEditBackColor(CKitControl* pControl)
{
    if (!pControl->IsEnabled())
        return GetColor(COLOR_BTNFACE);
    if (pControl->GetSelected())
        return m_clrEditSelected;
    CKitCommandBar* pBar = pControl->GetParent();
    if (pBar != nullptr && pBar->GetType() == kitBarTypePopup)
        return GetColor(kColorPopupFace);
    return m_clrEditNormal;
}

void CKitRibbonTheme::DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                                    BOOL bPopuped, int nBarType, int nBarPosition)
{
    if (nBarType != kitBarTypePopup) {
        const int nRow = ToolBarButtonRow(bSelected, bPressed, bEnabled, bChecked, bPopuped);
        if (nRow != kNone)
            DrawPicture(pDC, rc.Height() > kLargeButtonHeight ? "TOOLBARBUTTONS50" : "TOOLBARBUTTONS22", rc, nRow, 4,
                        CRect(8, 8, 8, 8), kOpaque);
        return;
    }
    if (nBarPosition == kitBarPopup) {
        const bool bLarge = rc.Height() > kLargeButtonHeight;
        if (bChecked)
            DrawPicture(pDC, "MENUCHECKEDITEM", rc, bEnabled ? 0 : 1, 2, CRect(2, 2, 2, 2));
        else if (bSelected && bEnabled)
            DrawPicture(pDC, bLarge ? "MENUSELECTEDITEM54" : "MENUSELECTEDITEM22", rc, 0, 1, CRect(4, 4, 4, 4));
        else if (IsKeyboardState(bSelected))
            DrawPicture(pDC, bLarge ? "MENUSELECTEDDISABLEDITEM54" : "MENUSELECTEDDISABLEDITEM22", rc, 0, 1,
                        CRect(4, 4, 4, 4));
        return;
    }
    CKitOffice2003Theme::DrawRectangle(pDC, rc, bSelected, bPressed, bEnabled, bChecked, bPopuped, kitBarTypePopup,
                                       nBarPosition);
}

void CKitRibbonTheme::FillCommandBarEntry(CDC* pDC, CKitCommandBar* pBar)
{
    const CRect rc = GetBarClientRect(pBar);
    const int nPosition = pBar->GetPosition();
    // The glass shows through a bar over the composited frame.
    if (IsOnCompositedFrame(pBar)) {
        CRect rcClip;
        pDC->GetClipBox(&rcClip);
        pDC->FillSolidRect(rcClip, RGB(0, 0, 0));
        return;
    }
    // A menu without its frame picture still gets a face: the Office 2003 one, as bars without theirs.
    if (nPosition == kitBarPopup) {
        if (!DrawPicture(pDC, "POPUPBARFRAME", rc, 0, 1, CRect(4, 4, 4, 4)))
            CKitOffice2003Theme::FillCommandBarEntry(pDC, pBar);
        return;
    }
    if (IsFlatCommandBar(pBar) || nPosition < kitBarTop || nPosition > kitBarRight) {
        CKitOffice2003Theme::FillCommandBarEntry(pDC, pBar);
        return;
    }
    const bool bHorizontal = nPosition == kitBarTop || nPosition == kitBarBottom;
    if (!DrawPicture(pDC, bHorizontal ? "TOOLBARFACEHORIZONTAL" : "TOOLBARFACEVERTICAL", rc, 0, 1, CRect(5, 5, 5, 5)))
        CKitOffice2003Theme::FillCommandBarEntry(pDC, pBar);
}

CSize CKitRibbonTheme::DrawCommandBarSeparator(CDC* pDC, CKitCommandBar* pBar, CKitControl* pControl, BOOL bDraw)
{
    if (!bDraw || pBar->GetType() != kitBarTypePopup) {
        const CSize sz = CKitResourceTheme::DrawCommandBarSeparator(pDC, pBar, pControl, bDraw);
        return bDraw ? CSize(2, 2) : sz;
    }
    const CRect rcLine = GetPopupSeparatorLine(pBar, pControl);
    KitFillSolidRectIfColor(pDC, rcLine, m_clrPopupSeparator);
    CRect rcLight = rcLine;
    if (pControl->GetWrap())
        rcLight.OffsetRect(1, 0);
    else
        rcLight.OffsetRect(0, 1);
    pDC->FillSolidRect(rcLight, kLightLine);
    return CSize(2, 2);
}

CSize CKitRibbonTheme::DrawFloatingBarCaption(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw)
{
    if (!IsOnCompositedFrame(pBar))
        return CKitResourceTheme::DrawFloatingBarCaption(pDC, pBar, bDraw);
    if (bDraw) {
        const int nHeight = GetBarClientRect(pBar).Height();
        for (int y = 8; y + 1 < nHeight - 7; y += 4) {
            if (!m_bFlatGripper)
                pDC->FillSolidRect(CRect(7, y - 2, 9, y), GetColor(COLOR_WINDOW));
            pDC->FillSolidRect(CRect(6, y - 3, 8, y - 1), GetColor(kGripper));
        }
    }
    return CSize(0, 0);
}

void CKitRibbonTheme::DrawSplitButtonFrame(CDC* pDC, CKitControl* pButton, CRect rc)
{
    // A split control of a joined row takes the row's pictures, a row further down, and is never large.
    const bool bJoined = IsJoinedRowControl(pButton);
    const BOOL bLarge = !bJoined && pButton->GetStyle() == kitButtonIconAndCaptionBelow;
    LPCSTR lpszCommand = bLarge ? "TOOLBARBUTTONSSPLIT50" : "TOOLBARBUTTONSSPLIT22";
    LPCSTR lpszArrow = bLarge ? "TOOLBARBUTTONSSPLITDROPDOWN50" : "TOOLBARBUTTONSSPLITDROPDOWN22";
    if (bJoined) {
        lpszCommand = pButton->GetBeginGroup() || pButton->GetWrap() ? "TOOLBARBUTTONSSPECIALSPLITLEFT"
                                                                      : "TOOLBARBUTTONSSPECIALSPLITCENTER";
        lpszArrow = IsLastInJoinedRow(pButton) ? "TOOLBARBUTTONSSPECIALSPLITDROPDOWNRIGHT"
                                               : "TOOLBARBUTTONSSPECIALSPLITDROPDOWNCENTER";
    }
    if (LoadImage(lpszCommand) == nullptr || LoadImage(lpszArrow) == nullptr)
        return;
    const int nEnabled = pButton->IsEnabled();
    pDC->SetTextColor(nEnabled != 0 ? kSplitText : kSplitGrayText);
    pDC->SetBkMode(TRANSPARENT);

    CRect rcCommand = rc;
    CRect rcArrow = rc;
    if (bLarge) {
        rcCommand.bottom -= GetSplitDropDownSize();
        rcArrow.top = rcCommand.bottom;
    } else {
        rcCommand.right -= m_nSplitButtonDropDownWidth;
        rcArrow.left = rcCommand.right;
    }
    const SplitState state = {pButton->GetSelected(), pButton->GetPressed(), nEnabled,
                              pButton->GetChecked() > 0, pButton->GetPopuped(), m_bZeroGroupSpacing};
    int nCommandRow = SplitCommandRow(state);
    int nArrowRow = SplitArrowRow(state);
    if (bJoined) {
        nCommandRow += 1;
        nArrowRow += 1;
    }
    const int nExtra = bJoined ? 1 : 0;
    const PictureKey nKey = GetControlPictureKey(pButton);
    if (nCommandRow != kNone)
        DrawPicture(pDC, lpszCommand, rcCommand, nCommandRow, 6 + nExtra, CRect(2, 2, 2, 2), nKey);
    if (nArrowRow != kNone)
        DrawPicture(pDC, lpszArrow, rcArrow, nArrowRow, 5 + nExtra, CRect(2, 2, 2, 2), nKey);
    if (!bLarge)
        DrawDropDownArrow(pDC, pButton, rc.right - m_nSplitButtonDropDownWidth / 2 - 1, (rc.top + rc.bottom) / 2,
                          pButton->GetSelected(), pButton->GetPopuped(), nEnabled == 4 ? 0 : nEnabled, FALSE);
}

void CKitRibbonTheme::DrawFieldFrame(CDC* pDC, CKitControl* pControl, const CRect& rcField, BOOL bPopup)
{
    const int nSelected = pControl->GetSelected();
    COLORREF clrFrame = GetColor(kColorEditBorder);
    if (!pControl->IsEnabled()) {
        CRect rcFill = rcField;
        rcFill.DeflateRect(1, 1);
        pDC->FillSolidRect(rcFill, GetColor(COLOR_BTNFACE));
        if (!IsKeyboardState(nSelected))
            clrFrame = m_clrEditDisabledBorder;
    } else if (nSelected || !bPopup) {
        KitFillSolidRectIfColor(pDC, rcField, GetControlEditBackColor(pControl));
    }
    if (clrFrame != CKitPaintManagerColor::kNone)
        pDC->Draw3dRect(rcField, clrFrame, clrFrame);
}

CSize CKitRibbonTheme::DrawControlComboBox(CDC* pDC, CKitControlComboBox* pComboBox, BOOL bDraw)
{
    if (!bDraw)
        return CKitResourceTheme::DrawControlComboBox(pDC, pComboBox, FALSE);
    CFont* pOld = pDC->SelectObject(GetControlFont(pComboBox));
    CKitPaintManager::DrawControlComboBox(pDC, pComboBox, TRUE);
    const CRect rc = pComboBox->GetRect();
    const int nLabel = pComboBox->GetLabelWidth();
    const int nButton = pComboBox->GetDropDownWidth();
    const CRect rcField(rc.left + nLabel, rc.top, rc.right - nButton, rc.bottom);
    const CRect rcButton(rc.right - nButton, rc.top, rc.right, rc.bottom);
    const int nSelected = pComboBox->GetSelected();
    DrawFieldFrame(pDC, pComboBox, rcField, pComboBox->IsInPopupBar());
    int nRow = 0;
    if (!pComboBox->IsEnabled())
        nRow = 4;
    else if (pComboBox->GetDroppedState())
        nRow = 3;
    else if (pComboBox->GetPressed())
        nRow = 2;
    else if (nSelected)
        nRow = nSelected == 1 ? 1 : 2;
    DrawPicture(pDC, "TOOLBARBUTTONSCOMBODROPDOWN", rcButton, nRow, 5, CRect(2, 2, 2, 2));
    pDC->SetTextColor(GetControlTextColor(pComboBox));
    DrawControlComboBoxText(pDC, pComboBox, CRect(rcField.left + 3, rc.top + 1, rcField.right, rc.bottom - 1));
    pDC->SelectObject(pOld);
    return CSize(0, 0);
}

CSize CKitRibbonTheme::DrawControlEdit(CDC* pDC, CKitControlEdit* pEdit, BOOL bDraw)
{
    if (!bDraw)
        return CKitResourceTheme::DrawControlEdit(pDC, pEdit, FALSE);
    const BOOL bEnabled = pEdit->IsEnabled();
    const int nSelected = pEdit->GetSelected();
    const int nPressed = pEdit->GetPressed();
    const BOOL bPopup = pEdit->IsInPopupBar();
    if (bPopup)
        pDC->SetTextColor(GetColor(!bEnabled ? kColorDisabledMark : nSelected ? kColorHighlightText : kColorPopupText));
    else
        pDC->SetTextColor(GetColor(bEnabled ? kColorGroupText : kColorGroupGrayText));
    CKitPaintManager::DrawControlEdit(pDC, pEdit, TRUE);
    const CRect rcField = GetFieldRect(pEdit, pEdit->GetLabelWidth());
    DrawFieldFrame(pDC, pEdit, rcField, bPopup);
    DrawControlEditText(pDC, pEdit, rcField);

    if (pEdit->IsSpinButtonsVisible()) {
        const int nMiddle = (rcField.top + rcField.bottom) / 2;
        const CRect rcUpper(rcField.right - kSpinWidth, rcField.top + 1, rcField.right - 1, nMiddle);
        const CRect rcLower(rcField.right - kSpinWidth, nMiddle, rcField.right - 1, rcField.bottom - 1);
        // Rows of the upper button and its arrow; the lower ones follow them.
        auto buttonRow = [&](int nPart) {
            if (!bEnabled)
                return 4;
            if (nPressed == nPart)
                return 3;
            if (nSelected == nPart)
                return 2;
            return nSelected ? 1 : 0;
        };
        auto arrowRow = [&](int nPart) {
            if (!bEnabled)
                return 3;
            if (nPressed == nPart || nSelected == nPart)
                return 2;
            return nSelected ? 1 : 0;
        };
        DrawPicture(pDC, "TOOLBARBUTTONSPINARROWSVERTICAL", rcUpper, buttonRow(kitEditSpinUp), 10, CRect(0, 0, 0, 0));
        DrawPicture(pDC, "TOOLBARBUTTONSPINARROWSVERTICAL", rcLower, 5 + buttonRow(kitEditSpinDown), 10,
                    CRect(0, 0, 0, 0));
        const bool bSmall = rcUpper.Width() < kSmallSpinGlyph || rcUpper.Height() < kSmallSpinGlyph;
        LPCSTR lpszGlyphs = bSmall ? "TOOLBARBUTTONSPINARROWGLYPHS" : "CONTROLGALLERYSCROLLARROWGLYPHS";
        DrawPictureCentred(pDC, lpszGlyphs, rcUpper, arrowRow(kitEditSpinUp), 16);
        DrawPictureCentred(pDC, lpszGlyphs, rcLower, 4 + arrowRow(kitEditSpinDown), 16);
    }
    DrawControlEditBuddy(pDC, pEdit);
    // Over a composited frame the field stays opaque on the glass.
    if (pEdit->IsOnCompositedFrame())
        FillAlphaOpaque(pDC, rcField);
    return CSize(0, 0);
}

int CKitRibbonTheme::DrawStatusBarSwitches(CDC* pDC, CRect rcItem, CKitStatusBarSwitchPane* pPane)
{
    const int nCount = static_cast<int>(pPane->m_switches.size());
    if (pDC == nullptr) {
        int nTotal = 0;
        for (int i = 0; i < nCount; i++) {
            pPane->m_switches[i].nWidth = i == 0 || i == nCount - 1 ? kSwitchWidth + 1 : kSwitchWidth;
            nTotal += pPane->m_switches[i].nWidth;
        }
        return nTotal;
    }
    CKitResourceImage* pImage = LoadImage("STATUSBARSWITCHES");
    const BOOL bRightToLeft = (::GetLayout(pDC->GetSafeHdc()) & LAYOUT_RTL) != 0;
    int x = rcItem.left;
    for (int i = 0; i < nCount; i++) {
        const auto& item = pPane->m_switches[i];
        const int nWidth = item.nWidth > 0 ? item.nWidth : kSwitchWidth;
        const CRect rc(x, rcItem.top, x + nWidth, rcItem.bottom);
        const BOOL bEnabled = pPane->m_bEnabled && item.bEnabled;
        if (pImage != nullptr) {
            int nRow = 0;
            if (!bEnabled)
                nRow = 5;
            else if (item.bPressed)
                nRow = 2;
            else if (item.bChecked)
                nRow = item.bHot ? 4 : 3;
            else if (item.bHot)
                nRow = 1;
            int nColumn = nCount == 1 ? 3 : i == 0 ? 0 : i == nCount - 1 ? 2 : 1;
            if (bRightToLeft)
                nColumn = 3 - nColumn;
            CRect rcSource = pImage->GetSource(nRow, 6);
            const int nQuarter = rcSource.Width() / 4;
            rcSource.left += nColumn * nQuarter;
            rcSource.right = rcSource.left + nQuarter;
            pImage->DrawImageTransparent(pDC, rc, rcSource, CRect(2, 2, 2, 2), kTransparent);
        } else if (bEnabled && (item.bHot || item.bPressed || item.bChecked)) {
            DrawRectangle(pDC, rc, item.bHot, item.bPressed, TRUE, item.bChecked, FALSE, kitBarTypeNormal,
                          kitBarBottom);
        }
        DrawStatusBarSwitchIcon(pDC, rc, item.pIcon, bEnabled, item.bChecked);
        x += nWidth;
    }
    return 0;
}

void CKitRibbonTheme::DrawStatusBarPaneBorder(CDC* pDC, CRect rc, CKitStatusBarPane* /*pPane*/, BOOL bGripperPane)
{
    if (bGripperPane)
        return;
    if (CKitResourceImage* pImage = LoadImage("STATUSBARSEPARATOR")) {
        const int nWidth = pImage->GetExtent().cx;
        DrawPicture(pDC, "STATUSBARSEPARATOR", CRect(rc.right - nWidth, rc.top, rc.right, rc.bottom), 0, 1,
                    CRect(0, 2, 0, 2));
    }
}

void CKitRibbonTheme::DrawVerticalSeparator(CDC* pDC, CRect rc, CKitStatusBarPane* /*pPane*/)
{
    DrawPicture(pDC, "STATUSBARSEPARATOR", rc, 0, 1, CRect(0, 2, 0, 2));
}

void CKitRibbonTheme::DrawStatusBarGripper(CDC* pDC, CRect rcClient)
{
    if (CKitResourceImage* pImage = LoadImage("STATUSBARGRIPPER")) {
        const CSize sz = pImage->GetExtent();
        const CPoint ptCorner(rcClient.right, rcClient.bottom - 4);
        DrawPicture(pDC, "STATUSBARGRIPPER", CRect(ptCorner.x - sz.cx, ptCorner.y - sz.cy, ptCorner.x, ptCorner.y),
                    0, 1, CRect(0, 0, 0, 0));
    }
}

void CKitRibbonTheme::FillStatusBar(CDC* pDC, CWnd* pBar)
{
    CRect rc;
    pBar->GetClientRect(&rc);
    // The light part ends short of the panes at the right.
    const int nPanes = rc.right - 2 * ::GetSystemMetrics(SM_CXBORDER) - ::GetSystemMetrics(SM_CXVSCROLL);
    const int nLightEnd = std::max<int>(rc.left, nPanes - 3);
    CKitResourceImage* pDivider = LoadImage("STATUSBARDEVIDER");
    const int nDivider = pDivider != nullptr ? pDivider->GetExtent().cx : 0;
    DrawPicture(pDC, "STATUSBARLIGHT", CRect(rc.left, rc.top, nLightEnd, rc.bottom), 0, 1, CRect(0, 0, 0, 0), kOpaque);
    DrawPicture(pDC, "STATUSBARDEVIDER", CRect(nLightEnd, rc.top, nLightEnd + nDivider, rc.bottom), 0, 1,
                CRect(0, 0, 0, 0), kOpaque);
    DrawPicture(pDC, "STATUSBARDARK", CRect(nLightEnd + nDivider, rc.top, rc.right, rc.bottom), 0, 1,
                CRect(0, 0, 0, 0), kOpaque);
}

CSize CKitRibbonTheme::DrawSpecialControl(CDC* pDC, int nKind, CKitControl* pControl, CKitCommandBar* pBar,
                                          BOOL bDraw, LPARAM lpParam)
{
    if (nKind != 0)
        return CKitResourceTheme::DrawSpecialControl(pDC, nKind, pControl, pBar, bDraw, lpParam);
    const int nPosition = pBar->GetPosition();
    const bool bVertical = nPosition == kitBarLeft || nPosition == kitBarRight || nPosition == kitBarPopup;
    if (!bDraw) {
        const auto* pSize = reinterpret_cast<const SIZE*>(lpParam);
        const int w = pSize != nullptr ? pSize->cx : 0;
        const int h = pSize != nullptr ? pSize->cy : 0;
        pControl->SetRect(bVertical ? CRect(0, h - kExpandButtonSize, w, h) : CRect(w - kExpandButtonSize, 0, w, h));
        return CSize(0, 0);
    }
    const CRect rc = pControl->GetRect();
    const BOOL bOpen = pControl->GetPopuped();
    const BOOL bHot = pControl->GetSelected();
    const int nRow = bOpen ? 2 : bHot ? 1 : 0;
    if (IsOnCompositedFrame(pBar)) {
        if (CKitResourceImage* pImage = LoadImage("RIBBONQUICKACCESSBUTTON")) {
            const CSize sz = pImage->GetSource(nRow, 5).Size();
            const CRect rcButton(CPoint(rc.left + (rc.Width() - sz.cx) / 2, rc.top + (rc.Height() - sz.cy) / 2), sz);
            DrawPicture(pDC, "RIBBONQUICKACCESSBUTTON", rcButton, nRow, 5, CRect(3, 3, 3, 3), kAlphaKeyed);
        }
        return CSize(0, 0);
    }
    if (!DrawPicture(pDC, bVertical ? "TOOLBAREXPANDBUTTONVERTICAL" : "TOOLBAREXPANDBUTTONHORIZONTAL", rc,
                     nRow, 3, CRect(3, 3, 3, 3)))
        return CKitResourceTheme::DrawSpecialControl(pDC, nKind, pControl, pBar, bDraw, lpParam);
    DrawExpandGlyph(pDC, rc, bVertical, lpParam != 0, 1, GetColor(COLOR_BTNHIGHLIGHT));
    DrawExpandGlyph(pDC, rc, bVertical, lpParam != 0, 0,
                    GetColor(bHot && !bOpen ? kColorHighlightText : kColorGroupText));
    return CSize(0, 0);
}

void CKitRibbonTheme::DrawPopupResizeGripper(CDC* pDC, CRect rcGripper, int nFlags)
{
    if (!DrawPicture(pDC, "POPUPBARRESIZEGRIPPERFACE", rcGripper, 0, 1, CRect(1, 1, 1, 1))) {
        CKitOfficeTheme::DrawPopupResizeGripper(pDC, rcGripper, nFlags);
        return;
    }
    LPCSTR lpszGlyph = nFlags == 2 ? "POPUPBARRESIZEGRIPPERHEIGHT" : "POPUPBARRESIZEGRIPPERWIDTH";
    CKitResourceImage* pGlyph = LoadImage(lpszGlyph);
    if (pGlyph == nullptr)
        return;
    const CSize sz = pGlyph->GetExtent();
    const CPoint pt = nFlags == 2 ? CPoint(rcGripper.CenterPoint().x - sz.cx / 2, rcGripper.bottom - sz.cy)
                                  : CPoint(rcGripper.right - sz.cx, rcGripper.bottom - sz.cy);
    DrawPicture(pDC, lpszGlyph, CRect(pt, sz), 0, 1, CRect(0, 0, 0, 0));
}

void CKitRibbonTheme::SetCommandBarRegion(CKitCommandBar* pBar)
{
    if (pBar->GetPosition() == kitBarPopup)
        SetCornerCutRegion(pBar);
}

CSize CKitRibbonTheme::DrawControlCheckBoxMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed,
                                               int nChecked, BOOL bEnabled)
{
    if (bDraw) {
        int nRow = !bEnabled ? 3 : bSelected ? (bPressed ? 2 : 1) : 0;
        nRow += nChecked == 1 ? 4 : nChecked == 2 ? 8 : 0;
        DrawPicture(pDC, "TOOLBARBUTTONCHECKBOX", rc, nRow, 12, CRect(0, 0, 0, 0));
    }
    return CSize(13, 13);
}

CSize CKitRibbonTheme::DrawControlRadioButtonMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed,
                                                  int nChecked, BOOL bEnabled)
{
    if (bDraw) {
        int nRow = !bEnabled ? 3 : bSelected ? (bPressed ? 2 : 1) : 0;
        nRow += nChecked ? 4 : 0;
        DrawPicture(pDC, "TOOLBARBUTTONRADIOBUTTON", rc, nRow, 8, CRect(0, 0, 0, 0));
    }
    return CSize(13, 13);
}

void CKitRibbonTheme::FillExpandedColumn(CDC* pDC, CRect rc, BOOL bHiddenControl)
{
    CKitOffice2003Theme::FillExpandedColumn(pDC, rc, bHiddenControl);
    KitFillSolidRectIfColor(pDC, CRect(rc.right - 1, rc.top, rc.right, rc.bottom), m_clrPopupGripperShadow);
    pDC->FillSolidRect(CRect(rc.right, rc.top, rc.right + 1, rc.bottom), kLightLine);
}

void CKitRibbonTheme::DrawCheckMark(CDC* pDC, CRect rc, BOOL bEnabled, COLORREF clr)
{
    if (!DrawPictureCentred(pDC, "MENUCHECKEDITEMMARK", rc, bEnabled ? 0 : 1, 4))
        CKitResourceTheme::DrawCheckMark(pDC, rc, bEnabled, clr);
}

void CKitRibbonTheme::DrawSmoothDot(CDC* pDC, CRect rc, COLORREF clr)
{
    // Popup items of disabled controls pass the disabled icon colour.
    const BOOL bEnabled = clr != static_cast<COLORREF>(kDisabledIcon) && clr != GetColor(kDisabledIcon);
    if (!DrawPictureCentred(pDC, "MENUCHECKEDITEMMARK", rc, bEnabled ? 2 : 3, 4))
        CKitResourceTheme::DrawSmoothDot(pDC, rc, clr);
}

void CKitRibbonTheme::DrawDropDownArrow(CDC* pDC, CKitControl* pControl, int x, int y, BOOL bSelected,
                                        BOOL bPopuped, BOOL bEnabled, BOOL bPointLeft)
{
    const int nRow = !bEnabled ? 3 : bPopuped ? 1 : 0;
    const PictureKey nKey = pControl != nullptr ? GetControlPictureKey(pControl) : kMagentaOut;
    if (bPointLeft || !DrawPicture(pDC, "TOOLBARBUTTONDROPDOWNGLYPH", CRect(x - 2, y - 2, x + 3, y + 2), nRow, 4,
                                   CRect(0, 0, 0, 0), nKey))
        CKitResourceTheme::DrawDropDownArrow(pDC, pControl, x, y, bSelected, bPopuped, bEnabled, bPointLeft);
}

void CKitRibbonTheme::DrawKeyboardTip(CDC* pDC, CKitCommandBarKeyboardTip* pTip, BOOL bSetRegion)
{
    if (bSetRegion) {
        SetCornerCutRegion(pTip);
        return;
    }
    CRect rc;
    if (pTip->GetSafeHwnd() != nullptr)
        pTip->GetClientRect(&rc);
    CKitResourceImages* pImages = GetImages();
    const COLORREF clrLight = pImages->GetImageColor("Window", "TooltipLight");
    const COLORREF clrDark = pImages->GetImageColor("Window", "TooltipDark");
    if (clrLight != CKitPaintManagerColor::kNone && clrDark != CKitPaintManagerColor::kNone)
        CKitDrawHelpers::Instance()->GradientFill(pDC, rc, clrLight, clrDark, FALSE);
    if (!DrawPicture(pDC, "TOOLTIPFRAME", rc, 0, 1, CRect(3, 3, 3, 3))) {
        const COLORREF clrBorder = pImages->GetImageColor("Window", "TooltipBorder");
        if (clrBorder != CKitPaintManagerColor::kNone)
            pDC->Draw3dRect(rc, clrBorder, clrBorder);
    }
    CFont* pOld = pDC->SelectObject(&m_fontStatus);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(GetColor(pTip->m_bEnabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    pDC->DrawText(pTip->m_strText, rc, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    pDC->SelectObject(pOld);
}

void CKitRibbonTheme::DrawSplitButtonPopupLine(CDC* pDC, CKitControl* pControl)
{
    const CRect rc = pControl->GetRect();
    const CRect rcArrow(rc.right - m_nSplitButtonPopupWidth, rc.top, rc.right, rc.bottom);
    const CRect rcItem(rc.left, rc.top, rcArrow.left, rc.bottom);
    const int nSelected = pControl->GetSelected();
    const BOOL bEnabled = pControl->IsEnabled();
    const BOOL bPopuped = pControl->GetPopuped();
    if (bEnabled && rc.Height() >= kMinSplitItemHeight) {
        int nRow = 1;
        if (nSelected == 0)
            nRow = 0;
        else if (nSelected == 4 || ((nSelected == 2 || nSelected == 3) && !bPopuped))
            nRow = 2;
        DrawPicture(pDC, "MENUSPLITITEM", rcItem, nRow, 3, CRect(2, 2, 2, 2));
    }
    const int nArrowRow = nSelected && bEnabled ? (bPopuped ? 2 : 1) : 0;
    DrawPicture(pDC, "MENUSPLITDROPDOWN", rcArrow, nArrowRow, 3, CRect(2, 2, 2, 2));
}

void CKitRibbonTheme::DrawControlPopupGlyph(CDC* pDC, CKitControl* pControl)
{
    CKitResourceImage* pGlyph = LoadImage("MENUPOPUPGLYPH");
    if (pGlyph == nullptr) {
        CKitResourceTheme::DrawControlPopupGlyph(pDC, pControl);
        return;
    }
    const CRect rc = pControl->GetRect();
    const int nRow = pControl->IsEnabled() ? 0 : 1;
    const CSize sz = pGlyph->GetSource(nRow, 2).Size();
    const CPoint pt(rc.right - 14, rc.top + (rc.Height() - sz.cy) / 2);
    DrawPicture(pDC, "MENUPOPUPGLYPH", CRect(pt, sz), nRow, 2, CRect(0, 0, 0, 0));
}

void CKitRibbonTheme::FillPopupLabelBackground(CDC* pDC, CRect rc)
{
    pDC->FillSolidRect(rc, GetColor(kColorLabel));
    pDC->FillSolidRect(CRect(rc.left, rc.bottom - 1, rc.right, rc.bottom), kGreyLine);
}
