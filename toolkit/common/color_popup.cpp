#include "toolkit/common/color_popup.h"

#include "framework/gdi.h"
#include "toolkit/common/upper_services.h"
#include "toolkit/common/aux_data.h"
#include "toolkit/common/color_dialog.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/monitor_helper.h"
#include "toolkit/common/resource_images.h"
#include "toolkit/common/resources.h"
#include "toolkit/common/toolkit_ids.h"

#include <algorithm>
#include <cstring>
#include <iterator>

IMPLEMENT_DYNAMIC(CKitColorSelectorCtrlTheme, CKitControlTheme)
IMPLEMENT_DYNAMIC(CKitColorSelectorCtrlThemeOfficeXP, CKitColorSelectorCtrlTheme)
IMPLEMENT_DYNAMIC(CKitColorSelectorCtrlThemeOffice2003, CKitColorSelectorCtrlThemeOfficeXP)
IMPLEMENT_DYNAMIC(CKitColorSelectorCtrlThemeResource, CKitColorSelectorCtrlThemeOfficeXP)
IMPLEMENT_DYNAMIC(CKitColorSelectorCtrl, CWnd)
IMPLEMENT_DYNAMIC(CKitColorPopup, CKitColorSelectorCtrl)

namespace {

constexpr COLORREF kNone = static_cast<COLORREF>(-1);
// Layout: the top button, the caption above the standard colours, the space between groups.
constexpr int kTopButtonHeight = 23;
constexpr int kTopButtonStep = 27;
constexpr int kCaptionHeight = 22;
constexpr POINT kCaptionPosition = {6, 31};
constexpr POINT kCaptionPositionNoButton = {6, 4};
// The "Automatic Color" swatch.
constexpr int kSwatchWidth = 12;
constexpr int kSwatchHeight = 11;
constexpr int kSwatchGap = 3;
// The "More Colors..." swatch: inside the button shrunk by these.
constexpr int kMoreSwatchInsetX = 5;
constexpr int kMoreSwatchInsetY = 6;
// The user colour row and the "More Colors..." button below the grid.
constexpr int kGroupGap = 4;
// The tool id of the user colour cells and the "More Colors..." button.
constexpr UINT_PTR kSharedToolId = 1;
constexpr int kPopupMarginLeft = 4;
constexpr int kPopupMarginTop = 4;
constexpr int kPopupMarginDefault = 10;
constexpr int kPopupMarginFlat = 6;
constexpr LPCSTR kPopupClassName = "KitColorPopup";

// The 16 standard colours (style bit 0x02 clear).
constexpr KitColorEntry kStandardColors[] = {
    {0x000000, 9900}, {0x808080, 9940}, {0x000080, 9941}, {0x008080, 9942}, {0x008000, 9911}, {0x808000, 9912},
    {0x800000, 9943}, {0x800080, 9944}, {0xFFFFFF, 9939}, {0xC0C0C0, 9945}, {0x0000FF, 9916}, {0x00FFFF, 9926},
    {0x00FF00, 9918}, {0xFFFF00, 9920}, {0xFF0000, 9913}, {0xFF00FF, 9946},
};

// The 40 colours (style bit 0x02), string ids 9900 to 9939.
constexpr COLORREF kExtendedColors[] = {
    0x000000, 0x003399, 0x003333, 0x003300, 0x663300, 0x800000, 0x993333, 0x333333, 0x000080, 0x0066FF,
    0x008080, 0x008000, 0x808000, 0xFF0000, 0x996666, 0x808080, 0x0000FF, 0x0099FF, 0x00CC99, 0x669933,
    0xCCCC33, 0xFF6633, 0x800080, 0x999999, 0xFF00FF, 0x00CCFF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFFCC00,
    0x663399, 0xC0C0C0, 0xCC99FF, 0x99CCFF, 0x99FFFF, 0xCCFFCC, 0xFFFFCC, 0xFFCC99, 0xFF99CC, 0xFFFFFF,
};

// A button string: the caption before the first line feed, the tooltip after
// it; without a line feed (or with one first) the text is both.
void SplitButtonText(UINT nID, CString& strCaption, CString& strTip)
{
    CString strText;
    CKitResourceManager::Instance()->LoadString(strText, nID);
    const int nBreak = strText.Find('\n');
    if (nBreak > 0) {
        strCaption = strText.Left(nBreak);
        strTip = strText.Mid(nBreak + 1);
    } else {
        strCaption = strTip = strText;
    }
}

BOOL IsTopButton(const COLOR_CELL* pCell)
{
    return pCell->nID == IDS_KIT_COLOR_NOFILL || pCell->nID == IDS_KIT_COLOR_AUTOMATIC;
}

BOOL IsMoreColorsButton(const COLOR_CELL* pCell)
{
    return pCell->dwStyle == CKitColorSelectorCtrl::kCellMoreColors && pCell->nID == IDS_KIT_COLOR_MORE;
}

void Frame(CDC* pDC, const CRect& rc, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    pDC->Draw3dRect(&rc, clrTopLeft, clrBottomRight);
}

} // namespace

// ---------------------------------------------------------------------------
// Themes.

CKitColorSelectorCtrlTheme::CKitColorSelectorCtrlTheme()
    : m_bVisualStyleColors(FALSE), m_clrLightFrame(kNone), m_clrDarkFrame(kNone), m_clrBackground(kNone),
      m_clrPressed(kNone), m_clrHot(kNone), m_clrChecked(kNone), m_clrText(kNone), m_clrPopupBorder(kNone)
{
    m_nTheme = kThemeDefault;
}

COLORREF CKitColorSelectorCtrlTheme::Color(int nIndex) const
{
    CKitColorManager* pManager = CKitColorManager::Instance();
    return m_bVisualStyleColors ? pManager->GetVisualStyleColor(nIndex) : pManager->GetColor(nIndex);
}

void CKitColorSelectorCtrlTheme::RefreshMetrics(CKitColorSelectorCtrl*)
{
    m_clrBackground = Color(15);
    m_clrLightFrame = Color(20);
    m_clrDarkFrame = Color(16);
    m_clrText = Color(18);
    m_clrPopupBorder = Color(43);
    m_clrPressed = m_clrHot = m_clrChecked = kNone;
}

void CKitColorSelectorCtrlTheme::FillBackground(CDC* pDC, const CRect& rc, CKitColorSelectorCtrl*)
{
    pDC->FillSolidRect(&rc, m_clrBackground);
}

void CKitColorSelectorCtrlTheme::DrawCell(COLOR_CELL* pCell, CDC* pDC, BOOL bHot, BOOL bPressed)
{
    CRect rc = pCell->rect;
    if (bPressed) {
        if (m_clrPressed != kNone)
            pDC->FillSolidRect(&rc, m_clrPressed);
        Frame(pDC, rc, m_clrDarkFrame, m_clrLightFrame);
    } else if (bHot || pCell->bSelected) {
        if (bHot) {
            if (m_clrHot != kNone)
                pDC->FillSolidRect(&rc, m_clrHot);
        } else if (m_clrChecked != kNone) {
            pDC->FillSolidRect(&rc, m_clrChecked);
        } else {
            FillDitherRect(pDC, &rc);
        }
        if (pCell->bSelected)
            Frame(pDC, rc, m_clrDarkFrame, m_clrLightFrame);
        else
            Frame(pDC, rc, m_clrLightFrame, m_clrDarkFrame);
    }

    UINT nFormat = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
    if (IsMoreColorsButton(pCell)) {
        if (pCell->bSelected) {
            CRect rcSwatch = rc;
            rcSwatch.DeflateRect(kMoreSwatchInsetX, kMoreSwatchInsetY);
            rcSwatch.left = rcSwatch.right - kSwatchWidth;
            Frame(pDC, rcSwatch, m_clrDarkFrame, m_clrDarkFrame);
            rcSwatch.DeflateRect(1, 1);
            pDC->FillSolidRect(&rcSwatch, pCell->clr);
        }
    } else if (!IsTopButton(pCell)) {
        rc.DeflateRect(3, 3);
        Frame(pDC, rc, m_clrDarkFrame, m_clrDarkFrame);
        rc.DeflateRect(1, 1);
        pDC->FillSolidRect(&rc, pCell->clr);
        return;
    } else if ((pCell->dwStyle & CKitColorSelectorCtrl::kStyleNoFill) == 0) {
        // "Automatic Color": the default colour's swatch, the caption beside or centred.
        rc.DeflateRect(6, 6);
        const CRect rcSwatch(rc.left + 1, rc.top, rc.left + 1 + kSwatchWidth, rc.top + kSwatchHeight);
        Frame(pDC, rcSwatch, m_clrDarkFrame, m_clrDarkFrame);
        CRect rcInside = rcSwatch;
        rcInside.DeflateRect(1, 1);
        pDC->FillSolidRect(&rcInside, pCell->clr);
        const int nTextWidth = pDC->GetTextExtent(pCell->szText, static_cast<int>(std::strlen(pCell->szText))).cx;
        if (nTextWidth + 2 * (rcSwatch.right - pCell->rect.left) > pCell->rect.Width()) {
            rc.left = rcSwatch.right + kSwatchGap;
            nFormat = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
        }
    } else {
        rc.DeflateRect(3, 3);
    }
    if (pCell->szText[0] != '\0') {
        pDC->SetTextColor(m_clrText);
        pDC->DrawText(pCell->szText, -1, &rc, nFormat);
    }
}

CKitColorSelectorCtrlThemeOfficeXP::CKitColorSelectorCtrlThemeOfficeXP()
{
    m_nTheme = kThemeOfficeXP;
    m_bFlatStyle = TRUE;
}

void CKitColorSelectorCtrlThemeOfficeXP::RefreshMetrics(CKitColorSelectorCtrl* pControl)
{
    CKitColorSelectorCtrlTheme::RefreshMetrics(pControl);
    m_clrLightFrame = m_clrDarkFrame = Color(32);
    m_clrBackground = Color(41);
    m_clrPressed = Color(33);
    m_clrHot = Color(31);
    m_clrChecked = Color(36);
}

CKitColorSelectorCtrlThemeOffice2003::CKitColorSelectorCtrlThemeOffice2003()
{
    m_nTheme = kThemeOffice2003;
    m_bVisualStyleColors = TRUE;
}

CKitColorSelectorCtrlThemeResource::CKitColorSelectorCtrlThemeResource()
{
    m_nTheme = kThemeResource;
}

void CKitColorSelectorCtrlThemeResource::RefreshMetrics(CKitColorSelectorCtrl* pControl)
{
    CKitColorSelectorCtrlThemeOfficeXP::RefreshMetrics(pControl);
    m_clrBackground = RGB(0xFA, 0xFA, 0xFA);
    m_clrText = RGB(0, 0, 0);
    if (CKitResourceImages* pImages = CKitResourceImages::Instance(); pImages->IsValid()) {
        m_clrPressed = pImages->GetImageColor("Window", "HighlightPressed", kNone);
        m_clrHot = pImages->GetImageColor("Window", "HighlightSelected", kNone);
        m_clrChecked = pImages->GetImageColor("Window", "HighlightChecked", kNone);
        m_clrLightFrame = m_clrDarkFrame = m_clrPopupBorder = pImages->GetImageColor("Window", "WindowFrame", kNone);
    }
}

// ---------------------------------------------------------------------------
// The selector.

BEGIN_MESSAGE_MAP(CKitColorSelectorCtrl, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_KEYDOWN()
    ON_WM_SETFOCUS()
    ON_MESSAGE(WM_MOUSELEAVE, &CKitColorSelectorCtrl::OnMouseLeave)
    ON_MESSAGE(WM_MOUSEACTIVATE, &CKitColorSelectorCtrl::OnMouseActivate)
    ON_MESSAGE(WM_NCHITTEST, &CKitColorSelectorCtrl::OnNcHitTest)
    ON_MESSAGE(WM_SETFONT, &CKitColorSelectorCtrl::OnSetFont)
    ON_MESSAGE(WM_GETFONT, &CKitColorSelectorCtrl::OnGetFont)
    ON_MESSAGE(ColorMsgSetTheme, &CKitColorSelectorCtrl::OnSetTheme)
    ON_MESSAGE(WM_SETTINGCHANGE, &CKitColorSelectorCtrl::OnSettingChange)
    ON_MESSAGE(WM_SYSCOLORCHANGE, &CKitColorSelectorCtrl::OnSettingChange)
END_MESSAGE_MAP()

CKitColorSelectorCtrl::CKitColorSelectorCtrl()
    : m_nCurSel(-1), m_nPressedSel(-1), m_nColumns(kDefaultColumns), m_szCell(kCellSize, kCellSize),
      m_rcMargins(0, 0, 0, 0), m_dwPopup(0), m_ptLastMouse(-1, -1), m_clrColor(kNoColor), m_clrDefault(kNoColor),
      m_pColorDlg(nullptr), m_pTheme(nullptr), m_pColors(nullptr), m_nColors(0), m_hFont(nullptr)
{
}

CKitColorSelectorCtrl::~CKitColorSelectorCtrl()
{
    CKitControlTheme::Release(m_pTheme);
}

std::vector<COLORREF>& CKitColorSelectorCtrl::GetUserColors()
{
    static std::vector<COLORREF> colors;
    return colors;
}

BOOL CKitColorSelectorCtrl::SetTheme(CKitColorSelectorCtrlTheme* pTheme)
{
    CKitControlTheme::Release(m_pTheme);
    m_pTheme = pTheme;
    RefreshMetrics();
    return m_pTheme != nullptr;
}

BOOL CKitColorSelectorCtrl::SetTheme(int nTheme)
{
    switch (nTheme) {
    case CKitControlTheme::kThemeOfficeXP: return SetTheme(new CKitColorSelectorCtrlThemeOfficeXP);
    case CKitControlTheme::kThemeOffice2003: return SetTheme(new CKitColorSelectorCtrlThemeOffice2003);
    case CKitControlTheme::kThemeResource: return SetTheme(new CKitColorSelectorCtrlThemeResource);
    default: return SetTheme(new CKitColorSelectorCtrlTheme);
    }
}

void CKitColorSelectorCtrl::RefreshMetrics()
{
    if (m_pTheme != nullptr)
        m_pTheme->RefreshMetrics(this);
    if (m_hWnd != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void CKitColorSelectorCtrl::SetColors(const KitColorEntry* pColors, int nCount, int nColumns)
{
    m_pColors = pColors;
    m_nColors = pColors != nullptr ? std::max(nCount, 0) : 0;
    if (nColumns > 0)
        m_nColumns = nColumns;
}

std::vector<KitColorEntry> CKitColorSelectorCtrl::GetTableColors() const
{
    if (m_pColors != nullptr)
        return std::vector<KitColorEntry>(m_pColors, m_pColors + m_nColors);
    if ((m_dwPopup & kStyleExtended) == 0)
        return std::vector<KitColorEntry>(std::begin(kStandardColors), std::end(kStandardColors));
    std::vector<KitColorEntry> entries;
    for (size_t i = 0; i < std::size(kExtendedColors); ++i)
        entries.push_back({kExtendedColors[i], IDS_KIT_COLOR_FIRST_NAME + static_cast<UINT>(i)});
    return entries;
}

CSize CKitColorSelectorCtrl::CalcSize()
{
    if (m_pColors != nullptr)
        m_dwPopup |= kStyleExtended;
    const int nWidth = m_nColumns * m_szCell.cx + m_rcMargins.left + m_rcMargins.right;
    int nHeight = m_rcMargins.top + m_rcMargins.bottom;
    if (HasTopButton())
        nHeight += kTopButtonStep;
    if (m_dwPopup & kStyleExtended) {
        const int nCount = m_pColors != nullptr ? m_nColors : static_cast<int>(std::size(kExtendedColors));
        nHeight += (nCount + m_nColumns - 1) / m_nColumns * m_szCell.cy;
    } else {
        nHeight += 2 * m_szCell.cy + kCaptionHeight;
    }
    if (m_dwPopup & kStyleMoreColors) {
        nHeight += kTopButtonStep;
        if (!GetUserColors().empty())
            nHeight += m_szCell.cy + kGroupGap;
    }
    return CSize(nWidth, nHeight);
}

BOOL CKitColorSelectorCtrl::Create(int l, int t, int r, int b, CWnd* pOwner, DWORD dwStyle, COLORREF clrCurrent,
                                   COLORREF clrDefault)
{
    if (pOwner == nullptr)
        return FALSE;
    m_listeners.insert(m_listeners.begin(), pOwner->GetSafeHwnd());
    m_dwPopup = dwStyle;
    m_clrColor = clrCurrent;
    m_clrDefault = clrDefault;
    if (m_pTheme == nullptr)
        SetTheme(CKitControlTheme::kThemeDefault);
    CKitDrawHelpers::RegisterWndClass(nullptr, kPopupClassName, CS_DBLCLKS);
    if (!CreateEx(0, kPopupClassName, "", WS_CHILD, CRect(l, t, r, b), pOwner, 0))
        return FALSE;
    if ((dwStyle & (kStyleShowOnCreate | kStylePopup)) == kStyleShowOnCreate)
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return TRUE;
}

void CKitColorSelectorCtrl::AddCell(COLOR_CELL& cell, LPCSTR lpszTip, UINT_PTR nToolId)
{
    cell.nIndex = GetCellCount();
    m_cells.push_back(cell);
    if (m_wndToolTip.GetSafeHwnd() == nullptr)
        return;
    TOOLINFOA ti = {};
    ti.cbSize = sizeof(ti);
    ti.hwnd = m_hWnd;
    ti.uId = nToolId;
    ti.rect = cell.rect;
    ti.lpszText = const_cast<LPSTR>(lpszTip);
    m_wndToolTip.AddTool(&ti);
}

void CKitColorSelectorCtrl::BuildCells()
{
    m_cells.clear();
    // The window's own width: a frame added after creation is in the margins.
    const CRect rcWindow = WindowRectOf(this);
    const int x0 = m_rcMargins.left;
    const int x1 = rcWindow.Width() - m_rcMargins.right;
    int y = m_rcMargins.top;
    BOOL bAnySelected = FALSE;
    CString strCaption;
    CString strTip;
    if (HasTopButton()) {
        COLOR_CELL cell;
        cell.nID = (m_dwPopup & kStyleNoFill) ? IDS_KIT_COLOR_NOFILL : IDS_KIT_COLOR_AUTOMATIC;
        SplitButtonText(cell.nID, strCaption, strTip);
        lstrcpynA(cell.szText, strCaption, sizeof(cell.szText));
        cell.rect = CRect(x0, y, x1, y + kTopButtonHeight);
        cell.dwStyle = m_dwPopup;
        cell.clr = m_clrDefault;
        cell.bSelected = (m_dwPopup & kStyleNoFill) ? (m_clrColor == kNoFill && m_clrDefault == kNoFill)
                                                    : m_clrColor == m_clrDefault;
        bAnySelected = cell.bSelected;
        AddCell(cell, strTip, cell.nID);
        y += kTopButtonStep;
    }
    if ((m_dwPopup & kStyleExtended) == 0)
        y += kCaptionHeight;

    const std::vector<KitColorEntry> entries = GetTableColors();
    int x = x0;
    for (size_t n = 0; n < entries.size(); ++n) {
        if (n > 0 && n % static_cast<size_t>(m_nColumns) == 0) {
            x = x0;
            y += m_szCell.cy;
        }
        COLOR_CELL cell;
        cell.nID = entries[n].nID;
        cell.dwStyle = kCellColor;
        cell.clr = entries[n].clr;
        cell.rect = CRect(x, y, x + m_szCell.cx, y + m_szCell.cy);
        if (!bAnySelected && cell.clr == m_clrColor)
            cell.bSelected = bAnySelected = TRUE;
        CKitResourceManager::Instance()->LoadString(strTip, cell.nID);
        AddCell(cell, strTip, cell.nID);
        x += m_szCell.cx;
    }
    int b = entries.empty() ? y : y + m_szCell.cy;

    if (m_dwPopup & kStyleMoreColors) {
        const std::vector<COLORREF>& userColors = GetUserColors();
        if (!userColors.empty()) {
            y = b + kGroupGap;
            x = x0;
            const size_t count = std::min(static_cast<size_t>(m_nColumns), userColors.size());
            for (size_t n = 0; n < count; ++n) {
                COLOR_CELL cell;
                cell.dwStyle = kCellColor;
                cell.clr = userColors[n];
                cell.rect = CRect(x, y, x + m_szCell.cx, y + m_szCell.cy);
                cell.bSelected = cell.clr == m_clrColor;
                bAnySelected = bAnySelected || cell.bSelected;
                AddCell(cell, CKitColorDialog::RGBtoHex(cell.clr), kSharedToolId);
                x += m_szCell.cx;
            }
            b = y + m_szCell.cy;
        }
        COLOR_CELL cell;
        cell.nID = IDS_KIT_COLOR_MORE;
        CKitResourceManager::Instance()->LoadString(strCaption, cell.nID);
        lstrcpynA(cell.szText, strCaption, sizeof(cell.szText));
        cell.rect = CRect(x0, b + kGroupGap, x1, b + kTopButtonStep);
        cell.dwStyle = kCellMoreColors;
        cell.clr = m_clrColor;
        cell.bSelected = !bAnySelected && m_clrColor != kNoFill;
        AddCell(cell, strCaption, kSharedToolId);
    }
    m_nCurSel = -1;
}

int CKitColorSelectorCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (m_wndToolTip.Create(this))
        m_wndToolTip.Activate(TRUE);
    BuildCells();
    return 0;
}

LRESULT CKitColorSelectorCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The tooltip sees every mouse message of the control.
    if (m_wndToolTip.GetSafeHwnd() != nullptr && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
        MSG msg = {m_hWnd, message, wParam, lParam, static_cast<DWORD>(::GetMessageTime()), {}};
        ::GetCursorPos(&msg.pt);
        m_wndToolTip.RelayEvent(&msg);
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CKitColorSelectorCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (m_wndToolTip.GetSafeHwnd() != nullptr)
        m_wndToolTip.RelayEvent(pMsg);
    return CWnd::PreTranslateMessage(pMsg);
}

COLOR_CELL* CKitColorSelectorCtrl::GetCellFromIndex(int nIndex)
{
    return nIndex >= 0 && nIndex < GetCellCount() ? &m_cells[static_cast<size_t>(nIndex)] : nullptr;
}

int CKitColorSelectorCtrl::HitTest(CPoint point) const
{
    for (const COLOR_CELL& cell : m_cells) {
        if (cell.rect.PtInRect(point))
            return cell.nIndex;
    }
    return -1;
}

void CKitColorSelectorCtrl::SelectColorCell(COLOR_CELL* pCell)
{
    m_nCurSel = pCell != nullptr ? pCell->nIndex : -1;
    Invalidate(FALSE);
}

void CKitColorSelectorCtrl::SelectCellByIndex(int nIndex)
{
    const int nLast = GetCellCount() - 1;
    if (nIndex < 0)
        nIndex = HasTopButton() ? 0 : nLast;
    if (nIndex > nLast)
        nIndex = nLast;
    SelectColorCell(GetCellFromIndex(nIndex));
}

BOOL CKitColorSelectorCtrl::IsColorInList(COLORREF clr) const
{
    const std::vector<COLORREF>& userColors = GetUserColors();
    if (std::find(userColors.begin(), userColors.end(), clr) != userColors.end())
        return TRUE;
    const std::vector<KitColorEntry> entries = GetTableColors();
    return std::any_of(entries.begin(), entries.end(), [clr](const KitColorEntry& entry) { return entry.clr == clr; });
}

void CKitColorSelectorCtrl::AddUserColor(COLORREF clr)
{
    if (IsColorInList(clr))
        return;
    std::vector<COLORREF>& userColors = GetUserColors();
    while (!userColors.empty() && static_cast<int>(userColors.size()) >= m_nColumns)
        userColors.erase(userColors.begin());
    userColors.push_back(clr);
}

void CKitColorSelectorCtrl::EndSelection(int nCurSel)
{
    NotifyListeners(nCurSel, 0);
}

UINT CKitColorSelectorCtrl::RunColorDialog(COLORREF& clr)
{
    CKitColorDialog dialog(m_clrColor, m_clrColor, m_dwPopup & kStyleDialogMask, GetParent());
    m_pColorDlg = &dialog;
    const INT_PTR nResult = dialog.DoModal();
    m_pColorDlg = nullptr;
    if (nResult != IDOK) {
        clr = m_clrColor;
        return ColorNotifyCancel;
    }
    clr = dialog.GetColor();
    AddUserColor(clr);
    return clr == m_clrColor ? ColorNotifyUnchanged : ColorNotifyChanged;
}

void CKitColorSelectorCtrl::NotifyListeners(int nCurSel, LPARAM lParam)
{
    UINT nMessage = 0;
    COLORREF clr = m_clrColor;
    const COLOR_CELL* pCell = GetCellFromIndex(nCurSel);
    if (pCell != nullptr && nCurSel == GetCellCount() - 1 && (m_dwPopup & kStyleMoreColors) &&
        IsMoreColorsButton(pCell)) {
        nMessage = RunColorDialog(clr);
    } else if (nCurSel == 0 && HasTopButton()) {
        if (m_dwPopup & kStyleNoFill) {
            nMessage = ColorNotifyNoFill;
            clr = kNoFill;
        } else {
            nMessage = m_clrColor == m_clrDefault ? ColorNotifyUnchanged : ColorNotifyChanged;
            clr = m_clrDefault;
        }
    } else if (nCurSel == -1) {
        nMessage = ColorNotifyCancel;
    } else if (pCell != nullptr) {
        clr = pCell->clr;
        nMessage = clr == m_clrColor ? ColorNotifyUnchanged : ColorNotifyChanged;
    } else {
        return;
    }
    const std::vector<HWND> listeners = m_listeners;
    for (HWND hListener : listeners) {
        if (::IsWindow(hListener))
            ::SendMessageA(hListener, nMessage, clr, lParam);
    }
}

void CKitColorSelectorCtrl::OnPaint()
{
    CPaintDC dcPaint(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CKitBufferDC dc(dcPaint.GetSafeHdc(), rcClient);
    if (m_pTheme == nullptr)
        return;
    m_pTheme->FillBackground(&dc, rcClient, this);
    dc.SetBkMode(TRANSPARENT);
    HFONT hFont = m_hFont != nullptr ? m_hFont : static_cast<HFONT>(CKitAuxData::Instance()->fontNormal.GetSafeHandle());
    ScopedSelect font(dc, hFont);
    if ((m_dwPopup & kStyleExtended) == 0) {
        CString strCaption;
        CKitResourceManager::Instance()->LoadString(strCaption, IDS_KIT_COLOR_STANDARD);
        const POINT pt = HasTopButton() ? kCaptionPosition : kCaptionPositionNoButton;
        dc.SetTextColor(CKitColorManager::Instance()->GetColor(COLOR_BTNTEXT));
        dc.TextOut(pt.x, pt.y, strCaption);
    }
    for (COLOR_CELL& cell : m_cells) {
        const BOOL bHot = (cell.nIndex == m_nCurSel && m_nPressedSel == -1) || cell.nIndex == m_nPressedSel;
        const BOOL bPressed = cell.nIndex == m_nPressedSel && m_nPressedSel == m_nCurSel;
        m_pTheme->DrawCell(&cell, &dc, bHot, bPressed);
    }
}

BOOL CKitColorSelectorCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CKitColorSelectorCtrl::OnMouseMove(UINT, CPoint point)
{
    if (IsColorDlgVisible() || point == m_ptLastMouse)
        return;
    m_ptLastMouse = point;
    const int nHit = HitTest(point);
    if (nHit != m_nCurSel)
        SelectColorCell(GetCellFromIndex(nHit));
    if (nHit != -1) {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
        ::TrackMouseEvent(&tme);
    }
}

void CKitColorSelectorCtrl::OnLButtonDown(UINT, CPoint point)
{
    if (IsColorDlgVisible())
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.PtInRect(point)) {
        m_nCurSel = HitTest(point);
        m_nPressedSel = m_nCurSel;
        Invalidate(FALSE);
    }
}

void CKitColorSelectorCtrl::OnLButtonUp(UINT, CPoint)
{
    if (IsColorDlgVisible())
        return;
    const int nPressed = m_nPressedSel;
    const int nHot = m_nCurSel;
    m_nPressedSel = m_nCurSel = -1;
    Invalidate(FALSE);
    if (nPressed != -1 && nPressed == nHot)
        EndSelection(nPressed);
}

LRESULT CKitColorSelectorCtrl::OnMouseLeave(WPARAM, LPARAM)
{
    if (IsColorDlgVisible())
        return 0;
    m_nCurSel = m_nPressedSel = -1;
    m_ptLastMouse = CPoint(-1, -1);
    Invalidate(FALSE);
    return 0;
}

void CKitColorSelectorCtrl::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (IsColorDlgVisible())
        return;
    const int nLast = GetCellCount() - 1;
    const BOOL bMoreColors = (m_dwPopup & kStyleMoreColors) != 0;
    switch (nChar) {
    case VK_RETURN:
    case VK_SPACE:
        EndSelection(m_nCurSel);
        return;
    case VK_ESCAPE:
        EndSelection(-1);
        return;
    case VK_LEFT:
        SelectCellByIndex(m_nCurSel <= 0 ? nLast : m_nCurSel - 1);
        break;
    case VK_RIGHT:
        SelectCellByIndex(m_nCurSel < 0 || m_nCurSel >= nLast ? 0 : m_nCurSel + 1);
        break;
    case VK_UP:
        if (m_nCurSel <= 0)
            SelectCellByIndex(nLast);
        else if (m_nCurSel == nLast && bMoreColors)
            SelectCellByIndex(nLast - 1);
        else
            SelectCellByIndex(m_nCurSel - m_nColumns);
        break;
    case VK_DOWN:
        if (m_nCurSel == -1 || m_nCurSel == nLast)
            SelectCellByIndex(0);
        else if (m_nCurSel == 0 && HasTopButton())
            SelectCellByIndex(1);
        else
            SelectCellByIndex(m_nCurSel + m_nColumns);
        break;
    default:
        break;
    }
    Default();
}

void CKitColorSelectorCtrl::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pColorDlg != nullptr && m_pColorDlg->GetSafeHwnd() != nullptr) {
        m_pColorDlg->SetFocus();
        return;
    }
    CWnd::OnSetFocus(pOldWnd);
}

LRESULT CKitColorSelectorCtrl::OnNcHitTest(WPARAM, LPARAM)
{
    if (!IsColorDlgVisible() && m_wndToolTip.GetSafeHwnd() != nullptr)
        ::SetWindowPos(m_wndToolTip.GetSafeHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return Default();
}

LRESULT CKitColorSelectorCtrl::OnMouseActivate(WPARAM, LPARAM)
{
    if (GetStyle() & WS_POPUP)
        return MA_NOACTIVATE;
    return Default();
}

LRESULT CKitColorSelectorCtrl::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    m_hFont = reinterpret_cast<HFONT>(wParam);
    if (LOWORD(lParam) != 0)
        Invalidate(FALSE);
    return 0;
}

LRESULT CKitColorSelectorCtrl::OnGetFont(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(m_hFont);
}

LRESULT CKitColorSelectorCtrl::OnSetTheme(WPARAM wParam, LPARAM)
{
    SetTheme(static_cast<int>(wParam));
    return 0;
}

LRESULT CKitColorSelectorCtrl::OnSettingChange(WPARAM, LPARAM)
{
    RefreshMetrics();
    return Default();
}

// ---------------------------------------------------------------------------
// The popup.

BEGIN_MESSAGE_MAP(CKitColorPopup, CKitColorSelectorCtrl)
    ON_WM_DESTROY()
    ON_WM_KILLFOCUS()
    ON_WM_LBUTTONDOWN()
    ON_MESSAGE(WM_ACTIVATE, &CKitColorPopup::OnActivate)
    ON_MESSAGE(WM_NCPAINT, &CKitColorPopup::OnNcPaint)
    ON_MESSAGE(WM_NCCALCSIZE, &CKitColorPopup::OnNcCalcSize)
END_MESSAGE_MAP()

CKitColorPopup::CKitColorPopup(BOOL bAutoDelete, LPARAM lCallerParam)
    : m_bAutoDelete(bAutoDelete), m_bShadow(TRUE), m_bClosing(FALSE), m_bCreating(FALSE),
      m_lCallerParam(lCallerParam), m_hwndOwner(nullptr), m_pShadowManager(nullptr)
{
    if (CKitCommandBarServices* pCommandBars = CKitCommandBarServices::Get())
        m_pShadowManager = pCommandBars->CreateShadowCaster();
}

CKitColorPopup::~CKitColorPopup()
{
    if (m_pShadowManager != nullptr)
        m_pShadowManager->ReleaseCaster();
}

BOOL CKitColorPopup::Create(const CRect& rcButton, CWnd* pParent, DWORD dwPopup, COLORREF clrColor,
                            COLORREF clrDefault)
{
    if (pParent == nullptr)
        return FALSE;
    // A window that goes before creation ends leaves the object to the caller.
    m_bCreating = TRUE;
    const BOOL bCreated = CreatePopupWindow(rcButton, pParent, dwPopup, clrColor, clrDefault) && m_hWnd != nullptr;
    m_bCreating = FALSE;
    return bCreated;
}

BOOL CKitColorPopup::CreatePopupWindow(const CRect& rcButton, CWnd* pParent, DWORD dwPopup, COLORREF clrColor,
                                       COLORREF clrDefault)
{
    if (m_pTheme == nullptr)
        SetTheme(CKitControlTheme::kThemeDefault);
    const int nMargin = m_pTheme->GetThemeID() == CKitControlTheme::kThemeDefault ? kPopupMarginDefault : kPopupMarginFlat;
    m_rcMargins = CRect(kPopupMarginLeft, kPopupMarginTop, nMargin, nMargin);
    m_rcButton = rcButton;
    m_hwndOwner = pParent->GetSafeHwnd();
    // Focus changes while the popup is being made do not close it.
    m_bClosing = TRUE;

    // The size, under the button (or at its right edge).
    m_dwPopup = dwPopup | kStylePopup;
    const CSize sz = CalcSize();
    CRect rc(CPoint(rcButton.left, rcButton.bottom), sz);
    if (m_dwPopup & kStyleAlignRight)
        rc.OffsetRect(rcButton.right - rc.right, 0);
    if (!CKitColorSelectorCtrl::Create(0, 0, sz.cx, sz.cy, pParent, m_dwPopup, clrColor, clrDefault))
        return FALSE;

    if (m_pTheme->IsFlatStyle()) {
        ModifyStyle(WS_CAPTION | WS_THICKFRAME, 0);
        ModifyStyleEx(WS_EX_STATICEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME, 0, SWP_FRAMECHANGED);
    } else {
        ModifyStyle(0, WS_DLGFRAME, SWP_FRAMECHANGED);
    }

    // Inside the work area: opened upwards when there is no room below.
    const CRect rcWork = CKitMonitorHelper::Instance()->GetWorkAreaFromRect(rc);
    if (rc.left < rcWork.left)
        rc.OffsetRect(rcWork.left - rc.left, 0);
    else if (rc.right > rcWork.right)
        rc.OffsetRect(rcWork.right - rc.right, 0);
    if (rc.bottom > rcWork.bottom)
        rc.OffsetRect(0, (rcButton.IsRectEmpty() ? rcWork.bottom : rcButton.top) - rc.bottom);

    // The focus comes while the popup is still the owner's child, so that the
    // owner's window keeps the activation; then it becomes a popup.
    SetFocus();
    if (m_hWnd == nullptr)
        return FALSE;
    ::SetWindowLongPtrA(m_hWnd, GWLP_HWNDPARENT, 0);
    ModifyStyle(WS_CHILD, WS_POPUP);
    ::SetWindowLongPtrA(m_hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(m_hwndOwner));
    CWnd* pTopLevel = pParent->GetTopLevelParent();
    const BOOL bTopmost = pTopLevel != nullptr && (pTopLevel->GetExStyle() & WS_EX_TOPMOST) != 0;
    ::SetWindowPos(m_hWnd, bTopmost ? HWND_TOPMOST : HWND_TOP, rc.left, rc.top, rc.Width(), rc.Height(),
                   SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_SHOWWINDOW);

    if (m_pTheme->IsFlatStyle() && m_bShadow && m_pShadowManager != nullptr) {
        m_pShadowManager->SetFlags(CKitShadowCaster::kFlagAlways);
        m_pShadowManager->SetShadow(this, CRect(0, 0, 0, 0), FALSE);
    }
    SetOutsideClickHook(this);
    m_bClosing = FALSE;
    ::SendMessageA(m_hwndOwner, ColorNotifyDropDown, m_clrColor, m_lCallerParam);
    if (m_hWnd == nullptr)
        return FALSE;
    if (CFont* pFont = pParent->GetFont())
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont->GetSafeHandle()), FALSE);
    return TRUE;
}

void CKitColorPopup::EndSelection(int nCurSel)
{
    m_bClosing = TRUE;
    SetOutsideClickHook(nullptr);
    NotifyListeners(nCurSel, m_lCallerParam);
    if (m_hWnd != nullptr)
        DestroyWindow();
}

void CKitColorPopup::OnDestroy()
{
    m_bClosing = TRUE;
    if (::IsWindow(m_hwndOwner))
        ::SendMessageA(m_hwndOwner, ColorNotifyCloseUp, m_clrColor, m_lCallerParam);
    CWnd::OnDestroy();
}

void CKitColorPopup::PostNcDestroy()
{
    SetOutsideClickHook(nullptr);
    if (m_bAutoDelete && !m_bCreating)
        delete this;
}

void CKitColorPopup::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    if (!IsColorDlgVisible() && !m_bClosing)
        EndSelection(-1);
}

LRESULT CKitColorPopup::OnActivate(WPARAM wParam, LPARAM)
{
    if (LOWORD(wParam) == WA_INACTIVE && !IsColorDlgVisible() && !m_bClosing)
        PostMessage(WM_CLOSE);
    return Default();
}

void CKitColorPopup::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (IsColorDlgVisible())
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    if (!rcClient.PtInRect(point)) {
        EndSelection(-1);
        return;
    }
    CKitColorSelectorCtrl::OnLButtonDown(nFlags, point);
}

LRESULT CKitColorPopup::OnNcCalcSize(WPARAM, LPARAM lParam)
{
    if (m_pTheme == nullptr || !m_pTheme->IsFlatStyle())
        return Default();
    ::InflateRect(reinterpret_cast<RECT*>(lParam), -1, -1);
    return 0;
}

LRESULT CKitColorPopup::OnNcPaint(WPARAM, LPARAM)
{
    if (m_pTheme == nullptr || !m_pTheme->IsFlatStyle())
        return Default();
    CWindowDC dc(this);
    CRect rc;
    GetWindowRect(&rc);
    rc.OffsetRect(-rc.left, -rc.top);
    dc.Draw3dRect(&rc, m_pTheme->GetPopupBorderColor(), m_pTheme->GetPopupBorderColor());
    return 0;
}
