#include "toolkit/common/tab_themes.h"

#include "framework/gdi.h"
#include "toolkit/common/aux_data.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/common/theme_wrapper.h"
#include "toolkit/common/upper_services.h"

#include <commctrl.h>

#include <vector>

IMPLEMENT_DYNAMIC(CKitTabBaseTheme, CKitControlTheme)
IMPLEMENT_DYNAMIC(CKitTabBaseThemeOfficeXP, CKitTabBaseTheme)
IMPLEMENT_DYNAMIC(CKitTabBaseThemeOffice2003, CKitTabBaseThemeOfficeXP)

namespace {

constexpr COLORREF kNone = static_cast<COLORREF>(-1);
// Toolkit colours of the Office themes.
constexpr int kColorXPStrip = 48;
constexpr int kColorXPText = 49;
constexpr int kColorXPFrame = 52;
constexpr int kColor2003Selected = 36;
constexpr int kColor2003Frame = 39;
// The Office 2003 strip: a 205 blend of the face and the window colour.
constexpr int kStripBlend = 205;
// The light end of a tab's gradient: 30 % of its base colour.
constexpr int kTabLightBlend = 300;
constexpr int kLabelBuffer = 256;
constexpr UINT kHorizontalText = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
constexpr UINT kVerticalText = DT_SINGLELINE | DT_NOCLIP;

constexpr DWORD kTop = 0;
constexpr DWORD kBottom = TCS_BOTTOM;
constexpr DWORD kLeft = TCS_VERTICAL;
constexpr DWORD kRight = TCS_VERTICAL | TCS_RIGHT;

// The Office 2003 colours of a visual-style scheme.
struct SchemeColors {
    COLORREF gradientFrom;
    COLORREF gradientTo;
    COLORREF c1;
    COLORREF c3;
    COLORREF c4;
    COLORREF c5;
};

constexpr SchemeColors kBlueScheme = {0xFADAC4, 0xFEFDFC, 0xF1A675, 0x9A3500, 0x73C2FF, 0xF6C0A2};
constexpr SchemeColors kOliveScheme = {0xE4F1F2, 0xFEFEFC, 0x8CC2B0, 0x6B7760, 0x73C2FF, 0xAADED0};
constexpr SchemeColors kSilverScheme = {0xF7F3F3, 0xFEFEFC, 0xCEB9BA, 0x927476, 0x73C2FF, 0xE6D9D9};

COLORREF KitColor(int nIndex)
{
    return CKitColorManager::Instance()->GetColor(nIndex);
}

int CurSel(CWnd* pWnd)
{
    return static_cast<int>(pWnd->SendMessage(TCM_GETCURSEL));
}

CRect ItemRect(CWnd* pWnd, int nIndex)
{
    CRect rc(0, 0, 0, 0);
    pWnd->SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&rc));
    return rc;
}

// One stroke of the classic tab outline: 'H', 'V' or 'P' at (x, y), n pixels long.
struct Stroke {
    char kind;
    int x;
    int y;
    int n;
    COLORREF clr;
};

void DrawStrokes(CDC* pDC, const Stroke* pStrokes, size_t nCount)
{
    for (size_t i = 0; i < nCount; ++i) {
        const Stroke& s = pStrokes[i];
        if (s.kind == 'H')
            CKitTabBaseTheme::H(pDC, s.x, s.y, s.n, s.clr);
        else if (s.kind == 'V')
            CKitTabBaseTheme::V(pDC, s.x, s.y, s.n, s.clr);
        else
            CKitTabBaseTheme::P(pDC, s.x, s.y, s.clr);
    }
}

// A gradient that runs across the tabs' direction, its colours exchanged for bottom and right tabs.
void OrientedGradient(CDC* pDC, const CRect& rc, COLORREF clrFrom, COLORREF clrTo, DWORD dwOrientation)
{
    const BOOL bVertical = (dwOrientation & TCS_VERTICAL) != 0;
    const BOOL bExchange = (dwOrientation & TCS_BOTTOM) != 0;
    CKitDrawHelpers::Instance()->GradientFill(pDC, &rc, bExchange ? clrTo : clrFrom, bExchange ? clrFrom : clrTo,
                                              bVertical);
}

} // namespace

// ---------------------------------------------------------------------------
// The default theme.

CKitTabBaseTheme::CKitTabBaseTheme()
    : m_bNativeDraw(FALSE), m_bUseVisualStyles(TRUE), m_nEdge(::GetSystemMetrics(SM_CYEDGE)),
      m_pTheme(std::make_unique<CKitWinThemeWrapper>())
{
    m_nTheme = kThemeDefault;
}

CKitTabBaseTheme::~CKitTabBaseTheme() = default;

DWORD CKitTabBaseTheme::Orientation(CWnd* pTabWnd)
{
    return pTabWnd->GetStyle() & (TCS_VERTICAL | TCS_BOTTOM);
}

void CKitTabBaseTheme::H(CDC* pDC, int x, int y, int n, COLORREF clr)
{
    if (clr != kNone && n > 0)
        pDC->FillSolidRect(x, y, n, 1, clr);
}

void CKitTabBaseTheme::V(CDC* pDC, int x, int y, int n, COLORREF clr)
{
    if (clr != kNone && n > 0)
        pDC->FillSolidRect(x, y, 1, n, clr);
}

void CKitTabBaseTheme::P(CDC* pDC, int x, int y, COLORREF clr)
{
    if (clr != kNone)
        pDC->SetPixel(x, y, clr);
}

COLORREF CKitTabBaseTheme::SysColor(int nIndex)
{
    return KitColor(nIndex);
}

BOOL CKitTabBaseTheme::IsThemed()
{
    return m_bUseVisualStyles && m_pTheme->IsAppThemeReady();
}

void CKitTabBaseTheme::RefreshMetrics(CKitTabBase* pTab)
{
    m_clrNormalText.SetStandardValue(SysColor(COLOR_BTNTEXT));
    m_clrSelectedText.SetStandardValue(SysColor(COLOR_BTNTEXT));
    m_nEdge = ::GetSystemMetrics(SM_CYEDGE);
    CWnd* pWnd = pTab != nullptr ? pTab->GetTabWindowPtr() : nullptr;
    m_pTheme->OpenThemeData(pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr, L"TAB");
    m_clrBack.SetStandardValue(SysColor(COLOR_BTNFACE));
}

CKitPaintManagerColor& CKitTabBaseTheme::GetBackColor()
{
    return m_clrBack;
}

void CKitTabBaseTheme::DrawTabCtrl(CDC* pDC, CKitTabBase* pTab)
{
    CWnd* pWnd = pTab->GetTabWindowPtr();
    CRect rcClient;
    pWnd->GetClientRect(&rcClient);
    pDC->FillSolidRect(&rcClient, GetBackColor());
    if (m_bNativeDraw) {
        UpdateStripButtons(pTab);
        pWnd->DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(pDC->GetSafeHdc()), 0);
        return;
    }
    DrawBorder(pDC, rcClient);
    const int nCount = static_cast<int>(pWnd->SendMessage(TCM_GETITEMCOUNT));
    if (nCount == 0) {
        UpdateStripButtons(pTab);
        return;
    }
    DrawPaneEdge(pDC, pTab, GetStripRect(pTab));
    for (int i = 0; i < nCount; ++i)
        DrawTab(pDC, pTab, i);
    const int nSel = CurSel(pWnd);
    if (nSel != -1)
        DrawTab(pDC, pTab, nSel);
    UpdateStripButtons(pTab);
    if (pTab->IsHostedBorder()) {
        CRect rcChild;
        pTab->GetChildRect(rcChild);
        rcChild.InflateRect(1, 1);
        DrawChildFrame(pDC, rcChild);
    }
}

CRect CKitTabBaseTheme::GetStripRect(CKitTabBase* pTab)
{
    CWnd* pWnd = pTab->GetTabWindowPtr();
    CRect rc;
    pWnd->GetClientRect(&rc);
    const int nSel = CurSel(pWnd);
    const CRect rcItem = ItemRect(pWnd, nSel != -1 ? nSel : 0);
    const int nRows = static_cast<int>(pWnd->SendMessage(TCM_GETROWCOUNT));
    switch (Orientation(pWnd)) {
    case kRight: rc.left = rcItem.left; break;
    case kLeft: rc.right = rcItem.right; break;
    case kBottom: rc.top = rcItem.top; break;
    default: rc.bottom = (rc.top + rcItem.Height()) * nRows + m_nEdge; break;
    }
    return rc;
}

void CKitTabBaseTheme::UpdateStripButtons(CKitTabBase* pTab)
{
    CWnd* pWnd = pTab->GetTabWindowPtr();
    CKitTabCtrlButtons* pButtons = pTab->GetStripButtons();
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr || pButtons == nullptr)
        return;
    if (HasStripButtons() && (pWnd->GetStyle() & (TCS_VERTICAL | TCS_MULTILINE)) == 0 && !pTab->IsShortenLabels()) {
        pButtons->Attach(pWnd->GetDlgItem(1));
        pButtons->Show(TRUE);
    } else {
        pButtons->Show(FALSE);
    }
}

void CKitTabBaseTheme::AdjustTabWindowBorders(CKitTabBase* pTab, CKitTcbItem* pItem)
{
    if (!pTab->IsHostedBorder() || pItem->pWnd == nullptr || pItem->pWnd->GetSafeHwnd() == nullptr)
        return;
    pItem->pWnd->ModifyStyle(0, pItem->dwStyle & WS_BORDER);
    pItem->pWnd->ModifyStyleEx(0, pItem->dwExStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
    pItem->pWnd->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
}

void CKitTabBaseTheme::DrawStripButton(CDC*, CKitTabCtrlButtons::Button*, COLORREF)
{
}

COLORREF CKitTabBaseTheme::DrawStripButtonsBackground(CDC*, CKitTabCtrlButtons*)
{
    return 0;
}

void CKitTabBaseTheme::DrawBorder(CDC* pDC, const CRect& rcClient)
{
    if (IsThemed())
        return;
    CRect rc = rcClient;
    pDC->Draw3dRect(&rc, SysColor(COLOR_BTNHIGHLIGHT), SysColor(COLOR_3DDKSHADOW));
    rc.DeflateRect(1, 1);
    pDC->Draw3dRect(&rc, SysColor(COLOR_BTNFACE), SysColor(COLOR_BTNSHADOW));
}

void CKitTabBaseTheme::DrawPaneEdge(CDC* pDC, CKitTabBase* pTab, const CRect& rcStrip)
{
    pDC->FillSolidRect(&rcStrip, GetBackColor());
    CWnd* pWnd = pTab->GetTabWindowPtr();
    const DWORD dwOrientation = Orientation(pWnd);
    const int L = rcStrip.left;
    const int T = rcStrip.top;
    const int R = rcStrip.right;
    const int B = rcStrip.bottom;
    if (IsThemed()) {
        CRect rcPane;
        pWnd->GetClientRect(&rcPane);
        switch (dwOrientation) {
        case kRight: rcPane.right = L + 1; break;
        case kLeft: rcPane.left = R; break;
        case kBottom: rcPane.bottom = T + 1; break;
        default: rcPane.top = B; break;
        }
        m_pTheme->DrawThemeBackground(*pDC, kPartPane, 0, &rcPane, nullptr);
        return;
    }
    switch (dwOrientation) {
    case kRight:
        V(pDC, L - 2, T, B - T - 1, SysColor(COLOR_BTNSHADOW));
        V(pDC, L - 1, T, B - T - 1, SysColor(COLOR_3DDKSHADOW));
        break;
    case kLeft: V(pDC, R, T, B - T, SysColor(COLOR_BTNHIGHLIGHT)); break;
    case kBottom:
        H(pDC, L + 1, T - 2, R - L - 2, SysColor(COLOR_BTNSHADOW));
        H(pDC, L, T - 1, R - L, SysColor(COLOR_3DDKSHADOW));
        break;
    default: H(pDC, L, B, R - L - 1, SysColor(COLOR_BTNHIGHLIGHT)); break;
    }
}

void CKitTabBaseTheme::DrawThemedTabItem(CDC* pDC, CWnd* pTabWnd, const CRect& rcItem, BOOL bSelected)
{
    const DWORD dwOrientation = Orientation(pTabWnd);
    CRect rc = rcItem;
    if (dwOrientation == kBottom)
        rc.top -= 1;
    else if (dwOrientation == kRight)
        rc.left -= 1;
    if (bSelected) {
        CPoint ptExclude[2];
        switch (dwOrientation) {
        case kBottom:
            rc = CRect(rc.left - 2, rc.top - 1, rc.right + 2, rc.bottom + 2);
            ptExclude[0] = CPoint(rc.left, rc.top);
            ptExclude[1] = CPoint(rc.right - 1, rc.top);
            break;
        case kLeft:
            rc = CRect(rc.left - 2, rc.top - 2, rc.right + 1, rc.bottom + 2);
            ptExclude[0] = CPoint(rc.right - 1, rc.top);
            ptExclude[1] = CPoint(rc.right - 1, rc.bottom - 1);
            break;
        case kRight:
            rc = CRect(rc.left - 1, rc.top - 2, rc.right + 2, rc.bottom + 2);
            ptExclude[0] = CPoint(rc.left, rc.top);
            ptExclude[1] = CPoint(rc.left, rc.bottom - 1);
            break;
        default:
            rc = CRect(rc.left - 2, rc.top - 2, rc.right + 2, rc.bottom + 1);
            ptExclude[0] = CPoint(rc.left, rc.bottom - 1);
            ptExclude[1] = CPoint(rc.right - 1, rc.bottom - 1);
            break;
        }
        for (const CPoint& pt : ptExclude)
            ::ExcludeClipRect(*pDC, pt.x, pt.y, pt.x + 1, pt.y + 1);
    }
    const int nState = bSelected ? 3 : 1;
    if (dwOrientation == kTop) {
        m_pTheme->DrawThemeBackground(*pDC, kPartTabItem, nState, &rc, nullptr);
        return;
    }
    // Drawn as a top tab into an image that is then turned.
    const int w = rc.Width();
    const int h = rc.Height();
    if (w <= 0 || h <= 0)
        return;
    const BOOL bVertical = (dwOrientation & TCS_VERTICAL) != 0;
    const int nDrawnWidth = bVertical ? h : w;
    const int nDrawnHeight = bVertical ? w : h;
    LPBYTE pDrawnBits = nullptr;
    HBITMAP hDrawn = CKitImageManager::Create32BitDIBSection(nullptr, nDrawnWidth, nDrawnHeight, &pDrawnBits);
    LPBYTE pTurnedBits = nullptr;
    HBITMAP hTurned = CKitImageManager::Create32BitDIBSection(nullptr, w, h, &pTurnedBits);
    HDC hMemDC = ::CreateCompatibleDC(*pDC);
    if (hDrawn != nullptr && hTurned != nullptr && hMemDC != nullptr) {
        HGDIOBJ hOld = ::SelectObject(hMemDC, hDrawn);
        CRect rcDrawn(0, 0, nDrawnWidth, nDrawnHeight);
        CDC* pMemDC = CDC::FromHandle(hMemDC);
        pMemDC->FillSolidRect(&rcDrawn, GetBackColor());
        m_pTheme->DrawThemeBackground(hMemDC, kPartTabItem, nState, &rcDrawn, nullptr);
        ::GdiFlush();
        const auto* pSource = reinterpret_cast<const DWORD*>(pDrawnBits);
        auto* pTarget = reinterpret_cast<DWORD*>(pTurnedBits);
        CKitThemeServices* pThemes = CKitThemeServices::Get();
        if (dwOrientation == kBottom) {
            if (pThemes != nullptr)
                pThemes->ReverseImageRows(w, h, pSource, pTarget);
        } else if (dwOrientation == kLeft) {
            if (pThemes != nullptr)
                pThemes->TransposeImageReversed(w, h, pSource, pTarget);
        } else {
            for (int i = 0; i < h; ++i)
                for (int j = 0; j < w; ++j)
                    pTarget[static_cast<size_t>(i) * w + j] = pSource[static_cast<size_t>(j) * h + i];
        }
        ::SelectObject(hMemDC, hOld);
        ::DrawStateA(*pDC, nullptr, nullptr, reinterpret_cast<LPARAM>(hTurned), 0, rc.left, rc.top, w, h, DST_BITMAP);
    }
    if (hMemDC != nullptr)
        ::DeleteDC(hMemDC);
    if (hDrawn != nullptr)
        ::DeleteObject(hDrawn);
    if (hTurned != nullptr)
        ::DeleteObject(hTurned);
}

void CKitTabBaseTheme::DrawTabItem(CDC* pDC, CWnd* pTabWnd, const CRect& rcItem, BOOL bSelected)
{
    if (IsThemed()) {
        DrawThemedTabItem(pDC, pTabWnd, rcItem, bSelected);
        return;
    }
    const DWORD dwOrientation = Orientation(pTabWnd);
    CRect rc = rcItem;
    if (bSelected) {
        switch (dwOrientation) {
        case kLeft: rc = CRect(rc.left - 2, rc.top - 2, rc.right + 1, rc.bottom + 1); break;
        case kRight: rc = CRect(rc.left - 2, rc.top - 2, rc.right + 1, rc.bottom + 2); break;
        default: rc = CRect(rc.left - 2, rc.top - 2, rc.right + 2, rc.bottom + 1); break;
        }
    }
    pDC->FillSolidRect(&rc, GetBackColor());
    const COLORREF hl = SysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF face = SysColor(COLOR_BTNFACE);
    const COLORREF sh = SysColor(COLOR_BTNSHADOW);
    const COLORREF dk = SysColor(COLOR_3DDKSHADOW);
    const int L = rc.left;
    const int T = rc.top;
    const int R = rc.right;
    const int B = rc.bottom;
    const int s = bSelected ? 1 : 0;
    switch (dwOrientation) {
    case kBottom: {
        const Stroke strokes[] = {
            {'V', L, T, B - T - 2 + s, hl},
            {'V', L + 1, T, B - T - 2 + s, face},
            {'P', L + 1, B - 2 + s, 0, hl},
            {'H', L + 2, B - 1 + s, R - L - 4, dk},
            {'H', L + 2, B - 2 + s, R - L - 4, sh},
            {'V', R - 1, bSelected ? T + 1 : T - 1, bSelected ? B - T - 2 : B - T - 1, dk},
            {'V', R - 2, bSelected ? T + 1 : T - 1, bSelected ? B - T - 2 : B - T - 1, sh},
            {'P', R - 2, B - 2 + s, 0, dk},
        };
        DrawStrokes(pDC, strokes, std::size(strokes));
        break;
    }
    case kLeft: {
        const Stroke strokes[] = {
            {'H', L + 2, T, R - L - 1 - s, hl},
            {'H', L + 2, T + 1, R - L - 2, face},
            {'P', L + 1, T + 1, 0, hl},
            {'V', L, T + 2, B - T - 4 + s, hl},
            {'V', L + 1, T + 2, B - T - 4 + s, face},
            {'H', L + 1, B - 2 + s, R - L - 1 - s, sh},
            {'H', L + 2, B - 1 + s, R - L - 2 - s, dk},
            {'P', L + 1, B - 2 + s, 0, dk},
        };
        DrawStrokes(pDC, strokes, std::size(strokes));
        break;
    }
    case kRight: {
        const Stroke strokes[] = {
            {'H', L, T, R - L - 2 + s, hl},
            {'H', L, T + 1, R - L - 2, face},
            {'P', R - 2 + s, T + 1, 0, hl},
            {'V', R - 1 + s, T + 2, B - T - 4, dk},
            {'V', R - 2 + s, T + 2, B - T - 4, sh},
            {'H', L + s, B - 2, R - L - 2 + s, sh},
            {'H', L + s, B - 1, R - L - 2, dk},
            {'P', R - 2 + s, B - 2, 0, dk},
        };
        DrawStrokes(pDC, strokes, std::size(strokes));
        break;
    }
    default: {
        const Stroke strokes[] = {
            {'V', L, T + 2, B - T - 2 + s, hl},
            {'V', L + 1, T + 2, B - T - 2 + s, face},
            {'P', L + 1, T + 1, 0, hl},
            {'H', L + 2, T, R - L - 4, hl},
            {'H', L + 2, T + 1, R - L - 4, face},
            {'V', R - 1, T + 2, B - T - 2 - s, dk},
            {'V', R - 2, T + 2, B - T - 2 - s, sh},
            {'P', R - 2, T + 1, 0, dk},
        };
        DrawStrokes(pDC, strokes, std::size(strokes));
        break;
    }
    }
}

void CKitTabBaseTheme::DrawTab(CDC* pDC, CKitTabBase* pTab, int nIndex)
{
    CWnd* pWnd = pTab->GetTabWindowPtr();
    CRect rc = ItemRect(pWnd, nIndex);
    const BOOL bSelected = nIndex == CurSel(pWnd);
    DrawTabItem(pDC, pWnd, rc, bSelected);
    DrawTabIcon(pDC, pWnd, rc, nIndex);
    DrawTabText(pDC, pWnd, rc, nIndex, bSelected, pTab->IsBoldSelected());
}

void CKitTabBaseTheme::DrawTabIcon(CDC* pDC, CWnd* pTabWnd, CRect& rcItem, int nIndex)
{
    TCITEMA item = {};
    item.mask = TCIF_IMAGE;
    item.iImage = -1;
    pTabWnd->SendMessage(TCM_GETITEMA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&item));
    auto hImageList = reinterpret_cast<HIMAGELIST>(pTabWnd->SendMessage(TCM_GETIMAGELIST));
    if (hImageList == nullptr || item.iImage < 0)
        return;
    const int e = m_nEdge;
    const BOOL bOffice = m_nTheme == kThemeOfficeXP || m_nTheme == kThemeOffice2003;
    CPoint ptOffset;
    switch (Orientation(pTabWnd)) {
    case kBottom: ptOffset = bOffice ? CPoint(2 * e, e / 2) : CPoint(2 * e, 1); break;
    case kLeft: ptOffset = bOffice ? CPoint(2, 2 * e) : CPoint(e, 2 * e); break;
    case kRight: ptOffset = CPoint(1, 2 * e); break;
    default: ptOffset = bOffice ? CPoint(2 * e, e / 2) : CPoint(2 * e, e); break;
    }
    ImageList_Draw(hImageList, item.iImage, *pDC, rcItem.left + ptOffset.x, rcItem.top + ptOffset.y, ILD_TRANSPARENT);
    IMAGEINFO info = {};
    ImageList_GetImageInfo(hImageList, item.iImage, &info);
    if (Orientation(pTabWnd) & TCS_VERTICAL)
        rcItem.top += info.rcImage.bottom - info.rcImage.top + e;
    else
        rcItem.left += info.rcImage.right - info.rcImage.left + e;
}

void CKitTabBaseTheme::DrawTabText(CDC* pDC, CWnd* pTabWnd, const CRect& rcItem, int nIndex, BOOL bSelected,
                                   BOOL bBold)
{
    char szLabel[kLabelBuffer] = {};
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = szLabel;
    item.cchTextMax = kLabelBuffer;
    pTabWnd->SendMessage(TCM_GETITEMA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&item));
    if (szLabel[0] == '\0')
        return;
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(bSelected ? m_clrSelectedText : m_clrNormalText);
    CKitAuxData* pData = CKitAuxData::Instance();
    const BOOL bVertical = (pTabWnd->GetStyle() & TCS_VERTICAL) != 0;
    CFont& font = bBold && bSelected ? (bVertical ? pData->fontVertBold : pData->fontBold)
                                     : (bVertical ? pData->fontVert : pData->fontNormal);
    ScopedSelect select(*pDC, font);
    CRect rc = rcItem;
    if (!bVertical) {
        pDC->DrawText(szLabel, -1, &rc, kHorizontalText);
        return;
    }
    const CSize szText = pDC->GetTextExtent(szLabel, lstrlenA(szLabel));
    rc.left = rc.right - (rc.Width() - szText.cy + 1) / 2;
    rc.top = rc.top + (rc.Height() - szText.cx + 1) / 2;
    pDC->DrawText(szLabel, -1, &rc, kVerticalText);
}

void CKitTabBaseTheme::DrawChildFrame(CDC*, const CRect&)
{
}

// ---------------------------------------------------------------------------
// Office XP.

CKitTabBaseThemeOfficeXP::CKitTabBaseThemeOfficeXP()
{
    m_nTheme = kThemeOfficeXP;
}

void CKitTabBaseThemeOfficeXP::RefreshMetrics(CKitTabBase* pTab)
{
    CKitTabBaseTheme::RefreshMetrics(pTab);
    m_clrNormalText.SetStandardValue(KitColor(kColorXPText));
    m_clrSelectedText.SetStandardValue(SysColor(COLOR_BTNTEXT));
    m_nEdge *= 2;
}

void CKitTabBaseThemeOfficeXP::AdjustTabWindowBorders(CKitTabBase* pTab, CKitTcbItem* pItem)
{
    if (!pTab->IsHostedBorder() || pItem->pWnd == nullptr || pItem->pWnd->GetSafeHwnd() == nullptr)
        return;
    pItem->pWnd->ModifyStyle(WS_BORDER, 0);
    pItem->pWnd->ModifyStyleEx(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE, 0);
    pItem->pWnd->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
}

void CKitTabBaseThemeOfficeXP::DrawBorder(CDC*, const CRect&)
{
}

void CKitTabBaseThemeOfficeXP::DrawPaneEdge(CDC* pDC, CKitTabBase* pTab, const CRect& rcStrip)
{
    pDC->FillSolidRect(&rcStrip, KitColor(kColorXPStrip));
    const int L = rcStrip.left;
    const int T = rcStrip.top;
    const int R = rcStrip.right;
    const int B = rcStrip.bottom;
    switch (Orientation(pTab->GetTabWindowPtr())) {
    case kRight: V(pDC, L - 1, T, B - T, SysColor(COLOR_BTNHIGHLIGHT)); break;
    case kLeft: V(pDC, R, T, B - T, SysColor(COLOR_BTNHIGHLIGHT)); break;
    case kBottom: H(pDC, L, T, R - L, SysColor(COLOR_WINDOWFRAME)); break;
    default:
        H(pDC, L, B - 1, R - L, SysColor(COLOR_BTNFACE));
        H(pDC, L, B - 2, R - L, SysColor(COLOR_BTNHIGHLIGHT));
        break;
    }
}

void CKitTabBaseThemeOfficeXP::DrawTabItem(CDC* pDC, CWnd* pTabWnd, const CRect& rcItem, BOOL bSelected)
{
    const DWORD dwOrientation = Orientation(pTabWnd);
    int L = rcItem.left;
    int T = rcItem.top;
    int R = rcItem.right;
    int B = rcItem.bottom;
    if (!bSelected) {
        const COLORREF sh = SysColor(COLOR_BTNSHADOW);
        switch (dwOrientation) {
        case kBottom: V(pDC, R + 1, T + 2, B - T - 3, sh); break;
        case kLeft:
        case kRight: H(pDC, L + 2, B + 3, R - L - 4, sh); break;
        default: V(pDC, R + 2, T + 2, B - T - 3, sh); break;
        }
        return;
    }
    switch (dwOrientation) {
    case kBottom:
        L += 2;
        R += 1;
        B += 1;
        break;
    case kLeft:
        L -= 1;
        T += 3;
        R += 1;
        B += 1;
        break;
    case kRight:
        L -= 1;
        T += 3;
        R -= 1;
        B += 1;
        break;
    default:
        L += 2;
        T -= 1;
        R += 2;
        B += 2;
        break;
    }
    pDC->FillSolidRect(L, T, R - L, B - T, GetBackColor());
    const COLORREF hl = SysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF wf = SysColor(COLOR_WINDOWFRAME);
    switch (dwOrientation) {
    case kBottom:
        V(pDC, L, T + 1, B - T - 1, hl);
        H(pDC, L, B - 1, R - L, wf);
        V(pDC, R, T + 1, B - T - 1, wf);
        break;
    case kLeft:
        H(pDC, L, T, R - L, hl);
        V(pDC, L, T, B - T, hl);
        H(pDC, L, B, R - L, wf);
        break;
    case kRight:
        H(pDC, L, T, R - L, hl);
        V(pDC, R, T, B - T + 1, wf);
        H(pDC, L, B, R - L, wf);
        break;
    default:
        V(pDC, L, T + 1, B - T - 2, hl);
        H(pDC, L, T, R - L, hl);
        V(pDC, R, T, B - T - 1, wf);
        break;
    }
}

COLORREF CKitTabBaseThemeOfficeXP::DrawStripButtonsBackground(CDC* pDC, CKitTabCtrlButtons* pButtons)
{
    CRect rc;
    pButtons->GetClientRect(&rc);
    pDC->FillSolidRect(&rc, KitColor(kColorXPStrip));
    CWnd* pTabWnd = pButtons->GetParent();
    if (pTabWnd != nullptr && (pTabWnd->GetStyle() & TCS_BOTTOM) != 0)
        H(pDC, rc.left, rc.top, rc.Width(), SysColor(COLOR_BTNTEXT));
    else
        H(pDC, rc.left, rc.bottom - 1, rc.Width(), SysColor(COLOR_BTNHIGHLIGHT));
    return KitColor(kColorXPText);
}

void CKitTabBaseThemeOfficeXP::DrawStripButton(CDC* pDC, CKitTabCtrlButtons::Button* pButton, COLORREF clrGlyph)
{
    if (pDC == nullptr || pButton->rc.IsRectEmpty())
        return;
    CRect rc = pButton->rc;
    const BOOL bEnabled = pButton->IsEnabled();
    if (bEnabled) {
        if (pButton->IsPressed()) {
            pDC->Draw3dRect(&rc, RGB(0, 0, 0), ::GetSysColor(COLOR_3DLIGHT));
            rc.OffsetRect(1, 1);
        } else if (pButton->IsHot()) {
            pDC->Draw3dRect(&rc, ::GetSysColor(COLOR_3DLIGHT), RGB(0, 0, 0));
        }
    }
    CKitPenDC pen(pDC->GetSafeHdc(), clrGlyph);
    CBrush brush;
    if (bEnabled)
        brush.CreateSolidBrush(clrGlyph);
    ScopedSelect selectBrush(*pDC, bEnabled ? static_cast<HGDIOBJ>(brush.GetSafeHandle()) : ::GetStockObject(NULL_BRUSH));
    const int L = rc.left;
    const int T = rc.top;
    const int R = rc.right;
    const int B = rc.bottom;
    switch (pButton->GetKind()) {
    case CKitTabCtrlButtons::kKindClose:
        pDC->MoveTo(L + 3, T + 3);
        pDC->LineTo(R - 4, B - 5);
        pDC->MoveTo(L + 4, T + 3);
        pDC->LineTo(R - 3, B - 5);
        pDC->MoveTo(L + 3, B - 6);
        pDC->LineTo(R - 4, T + 2);
        pDC->MoveTo(L + 4, B - 6);
        pDC->LineTo(R - 3, T + 2);
        break;
    case CKitTabCtrlButtons::kKindScrollLeft: {
        const POINT points[] = {{R - 5, T + 2}, {R - 9, T + 6}, {R - 5, T + 10}};
        pDC->Polygon(points, 3);
        break;
    }
    case CKitTabCtrlButtons::kKindScrollRight: {
        const POINT points[] = {{L + 4, T + 2}, {L + 8, T + 6}, {L + 4, T + 10}};
        pDC->Polygon(points, 3);
        break;
    }
    default:
        break;
    }
}

void CKitTabBaseThemeOfficeXP::DrawChildFrame(CDC* pDC, const CRect& rc)
{
    pDC->Draw3dRect(&rc, KitColor(kColorXPFrame), KitColor(kColorXPFrame));
}

// ---------------------------------------------------------------------------
// Office 2003.

CKitTabBaseThemeOffice2003::CKitTabBaseThemeOffice2003()
{
    m_nTheme = kThemeOffice2003;
}

void CKitTabBaseThemeOffice2003::RefreshMetrics(CKitTabBase* pTab)
{
    CKitTabBaseThemeOfficeXP::RefreshMetrics(pTab);
    const COLORREF clrBack = m_clrBack;
    m_clr[0].SetStandardValue(SysColor(COLOR_BTNSHADOW));
    m_clr[1].SetStandardValue(SysColor(COLOR_BTNHIGHLIGHT));
    m_clr[2].SetStandardValue(SysColor(COLOR_3DDKSHADOW));
    m_clr[3].SetStandardValue(KitColor(kColor2003Selected));
    m_clr[4].SetStandardValue(clrBack);
    m_grcStrip.SetStandardValue(clrBack,
                                CKitColorManager::BlendColorsPercent(clrBack, SysColor(COLOR_WINDOW), kStripBlend));
    m_clrNormalText.SetStandardValue(SysColor(COLOR_BTNTEXT));
    m_clrSelectedText.SetStandardValue(SysColor(COLOR_BTNTEXT));
    m_clrBack.SetStandardValue(CKitColorManager::Instance()->GetGradient(2).clrDark);

    const SchemeColors* pScheme = nullptr;
    switch (CKitColorManager::Instance()->GetCurrentSystemTheme()) {
    case CKitColorManager::kThemeBlue:
    case CKitColorManager::kThemeRoyale:
    case CKitColorManager::kThemeAero: pScheme = &kBlueScheme; break;
    case CKitColorManager::kThemeOlive: pScheme = &kOliveScheme; break;
    case CKitColorManager::kThemeSilver: pScheme = &kSilverScheme; break;
    default: break;
    }
    if (pScheme != nullptr) {
        m_grcStrip.SetStandardValue(pScheme->gradientFrom, pScheme->gradientTo);
        m_clr[0].SetStandardValue(pScheme->c1);
        m_clr[2].SetStandardValue(pScheme->c3);
        m_clr[3].SetStandardValue(pScheme->c4);
        m_clr[4].SetStandardValue(pScheme->c5);
    }
}

CKitPaintManagerColor& CKitTabBaseThemeOffice2003::GetBackColor()
{
    return m_clrBack;
}

COLORREF CKitTabBaseThemeOffice2003::DrawStripButtonsBackground(CDC* pDC, CKitTabCtrlButtons* pButtons)
{
    CRect rc;
    pButtons->GetClientRect(&rc);
    CWnd* pTabWnd = pButtons->GetParent();
    const DWORD dwOrientation = pTabWnd != nullptr ? Orientation(pTabWnd) : kTop;
    OrientedGradient(pDC, rc, m_grcStrip.clrLight, m_grcStrip.clrDark, dwOrientation);
    return RGB(0, 0, 0);
}

void CKitTabBaseThemeOffice2003::DrawPaneEdge(CDC* pDC, CKitTabBase* pTab, const CRect& rcStrip)
{
    const DWORD dwOrientation = Orientation(pTab->GetTabWindowPtr());
    OrientedGradient(pDC, rcStrip, m_grcStrip.clrLight, m_grcStrip.clrDark, dwOrientation);
    const int L = rcStrip.left;
    const int T = rcStrip.top;
    const int R = rcStrip.right;
    const int B = rcStrip.bottom;
    const COLORREF c3 = m_clr[2];
    switch (dwOrientation) {
    case kRight: V(pDC, L - 1, T, B - T, c3); break;
    case kLeft: V(pDC, R, T, B - T, c3); break;
    case kBottom: H(pDC, L, T - 1, R - L, c3); break;
    default: H(pDC, L, B - 2, R - L, c3); break;
    }
}

COLORREF CKitTabBaseThemeOffice2003::FillTabGradient(CDC* pDC, CWnd* pTabWnd, const CRect& rc, BOOL bSelected)
{
    const COLORREF clrBase = bSelected ? m_clr[3] : m_clr[4];
    const COLORREF clrLight = CKitColorManager::BlendColorsPercent(clrBase, RGB(255, 255, 255), kTabLightBlend);
    OrientedGradient(pDC, rc, clrLight, clrBase, Orientation(pTabWnd));
    return clrBase;
}

void CKitTabBaseThemeOffice2003::DrawTabItem(CDC* pDC, CWnd* pTabWnd, const CRect& rcItem, BOOL bSelected)
{
    const int L = rcItem.left;
    const int T = rcItem.top;
    const int R = rcItem.right;
    const int B = rcItem.bottom;
    const int s = bSelected ? 1 : 0;
    CRect cl;
    pTabWnd->GetClientRect(&cl);
    const COLORREF c3 = m_clr[2];
    switch (Orientation(pTabWnd)) {
    case kBottom: {
        const COLORREF clrBase = FillTabGradient(pDC, pTabWnd, CRect(L + 1, T - s, R, B), bSelected);
        V(pDC, L, T, B - T, c3);
        P(pDC, L + 1, B, c3);
        H(pDC, L + 2, B + 1, R - L - 3, c3);
        V(pDC, R, T, B - T, c3);
        P(pDC, R - 1, B, c3);
        if (bSelected)
            H(pDC, cl.left, T - 2, cl.Width(), clrBase);
        break;
    }
    case kLeft: {
        const COLORREF clrBase = FillTabGradient(pDC, pTabWnd, CRect(L + 1, T + 1, R + s, B), bSelected);
        H(pDC, L + 2, T, R - L - 2, c3);
        P(pDC, L + 1, T + 1, c3);
        V(pDC, L, T + 2, B - T - 3, c3);
        H(pDC, L + 2, B, R - L - 1, c3);
        P(pDC, L + 1, B - 1, c3);
        if (bSelected)
            V(pDC, R + 1, cl.top, cl.Height(), clrBase);
        break;
    }
    case kRight: {
        const COLORREF clrBase = FillTabGradient(pDC, pTabWnd, CRect(L - s, T + 1, R, B), bSelected);
        H(pDC, L, T, R - L - 1, c3);
        P(pDC, R - 1, T + 1, c3);
        V(pDC, R, T + 2, B - T - 3, c3);
        H(pDC, L, B, R - L - 1, c3);
        P(pDC, R - 1, B - 1, c3);
        if (bSelected)
            V(pDC, L - 2, cl.top, cl.Height(), clrBase);
        break;
    }
    default: {
        const COLORREF clrBase = FillTabGradient(pDC, pTabWnd, CRect(L + 1, T - 1, R, B + s), bSelected);
        V(pDC, L, T, B - T, c3);
        P(pDC, L + 1, T - 1, c3);
        H(pDC, L + 2, T - 2, R - L - 3, c3);
        V(pDC, R, T, B - T, c3);
        P(pDC, R - 1, T - 1, c3);
        if (bSelected)
            H(pDC, cl.left, B + 1, cl.Width(), clrBase);
        break;
    }
    }
}

void CKitTabBaseThemeOffice2003::DrawChildFrame(CDC* pDC, const CRect& rc)
{
    const COLORREF clr = CKitColorManager::Instance()->GetVisualStyleColor(kColor2003Frame);
    pDC->Draw3dRect(&rc, clr, clr);
}

CKitTabBaseTheme* KitCreateTabTheme(int nTheme)
{
    switch (nTheme) {
    case CKitControlTheme::kThemeOfficeXP: return new CKitTabBaseThemeOfficeXP;
    case CKitControlTheme::kThemeOffice2003: return new CKitTabBaseThemeOffice2003;
    default: return new CKitTabBaseTheme;
    }
}
