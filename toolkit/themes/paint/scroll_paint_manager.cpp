// Scroll-bar, slider and progress drawing of the paint manager.
#include "toolkit/themes/paint/scroll_paint_manager.h"

#include "toolkit/themes/paint/gallery_paint_manager.h"
#include "toolkit/themes/paint/paint_manager.h"

#include "framework/gdi.h"
#include "framework/wnd.h"

#include <algorithm>
#include <cmath>

namespace {

// Visual-style parts and properties used here.
constexpr int kPartArrow = 1;
constexpr int kPartThumbHorz = 2;
constexpr int kPartThumbVert = 3;
constexpr int kPartLowerTrackHorz = 4;
constexpr int kPartLowerTrackVert = 6;
constexpr int kPartGripperHorz = 8;
constexpr int kPartProgressBar = 1;
constexpr int kPartProgressChunk = 3;
constexpr int kPropChunkSize = 2411;
constexpr int kPropSpaceSize = 2412;
// A thumb shows its gripper from this length on.
constexpr int kGripperMinThumb = 14;

// Normal, hot, pressed or disabled: 1 to 4.
int PartState(BOOL bEnabled, BOOL bPressed, BOOL bHot)
{
    if (!bEnabled)
        return 4;
    return bPressed ? 3 : (bHot ? 2 : 1);
}

// The rectangle of a stretch along the bar.
CRect AlongRect(const KIT_SCROLLBARPOSINFO& spi, int nFrom, int nTo)
{
    return spi.bVertical ? CRect(spi.pxLeft, nFrom, spi.pxRight, nTo) : CRect(nFrom, spi.pxLeft, nTo, spi.pxRight);
}

// The themes' painters for the command bars.
class CScrollPainters final : public CKitScrollPainters {
public:
    CKitProgressPainter* GetProgressPainter(CKitBarPainter* pPaintManager) override
    {
        auto* p = dynamic_cast<CKitPaintManager*>(pPaintManager);
        return p != nullptr ? p->GetProgressPaintManager() : nullptr;
    }
    CKitScrollBarPainter* GetSliderPainter(CKitBarPainter* pPaintManager) override
    {
        auto* p = dynamic_cast<CKitPaintManager*>(pPaintManager);
        return p != nullptr ? p->GetSliderPaintManager() : nullptr;
    }
    CKitGalleryPainter* GetGalleryPainter(CKitBarPainter* pPaintManager) override
    {
        auto* p = dynamic_cast<CKitPaintManager*>(pPaintManager);
        return p != nullptr ? p->GetGalleryPaintManager() : nullptr;
    }
};

CScrollPainters g_painters;
const bool g_bRegistered = (CKitScrollPainters::Register(&g_painters), true);

} // namespace

// ---- scroll bar ----

CKitScrollBarPaintManager::CKitScrollBarPaintManager(CKitPaintManager* pPaintManager)
    : m_pPaintManager(pPaintManager)
{
    (void)g_bRegistered;
}

int CKitScrollBarPaintManager::GetThemeKind() const
{
    return m_pPaintManager->GetCurrentTheme();
}

void CKitScrollBarPaintManager::RefreshMetrics()
{
    m_cxHScroll = ::GetSystemMetrics(SM_CXHSCROLL);
    m_cyHScroll = ::GetSystemMetrics(SM_CYHSCROLL);
    m_cyVScroll = ::GetSystemMetrics(SM_CYVSCROLL);
    m_cxVScroll = ::GetSystemMetrics(SM_CXVSCROLL);
    m_themeScrollBar.OpenThemeData(nullptr, L"SCROLLBAR");
}

CKitScrollBarPaintManager::PartStates CKitScrollBarPaintManager::GetPartStates(CKitScrollBase* pScrollBar) const
{
    const KIT_SCROLLBARPOSINFO& spi = *pScrollBar->GetScrollBarPosInfo();
    PartStates states;
    states.bEnabled = pScrollBar->IsScrollBarEnabled() && spi.nMax - spi.nMin + 1 > spi.nPage;
    states.bThumb = states.bEnabled && spi.pxThumbLength > 0 && spi.pxThumbTop >= spi.pxUpArrow &&
                    spi.pxThumbBottom <= spi.pxDownArrow;
    if (pScrollBar->GetScrollBarTrackInfo() != nullptr) {
        const KIT_SCROLLBARTRACKINFO* pTrack = pScrollBar->GetScrollBarTrackInfo();
        if (pTrack->bDragging || pTrack->bInside)
            states.nPressed = spi.nHitPart;
    } else {
        states.nHot = spi.nHitPart;
    }
    return states;
}

void CKitScrollBarPaintManager::DrawScrollBar(CDC* pDC, CKitScrollBase* pScrollBar)
{
    const KIT_SCROLLBARPOSINFO& spi = *pScrollBar->GetScrollBarPosInfo();
    if (spi.pxRight <= spi.pxLeft || spi.pxBottom <= spi.pxTop)
        return;
    PartStates states = GetPartStates(pScrollBar);
    int nStyle = pScrollBar->GetScrollBarVisualStyle();
    if (nStyle == kitScrollStyleSystem && m_themeScrollBar.IsThemeHandleOpen() && m_themeScrollBar.IsAppThemed())
        DrawThemed(pDC, pScrollBar, states);
    else if (nStyle == kitScrollStyleFlat)
        DrawFlat(pDC, pScrollBar, states);
    else
        DrawClassic(pDC, pScrollBar, states);
}

void CKitScrollBarPaintManager::DrawThemed(CDC* pDC, CKitScrollBase* pScrollBar, const PartStates& states)
{
    const KIT_SCROLLBARPOSINFO& spi = *pScrollBar->GetScrollBarPosInfo();
    HDC hDC = pDC->GetSafeHdc();
    int nFirstBase = spi.bVertical ? 1 : 9;
    int nSecondBase = spi.bVertical ? 5 : 13;
    CRect rcFirst = AlongRect(spi, spi.pxTop, spi.pxUpArrow);
    CRect rcSecond = AlongRect(spi, spi.pxDownArrow, spi.pxBottom);
    m_themeScrollBar.DrawThemeBackground(
        hDC, kPartArrow,
        nFirstBase - 1 + PartState(states.bEnabled, states.nPressed == kitScrollHitUpArrow,
                                   states.nHot == kitScrollHitUpArrow), &rcFirst, nullptr);
    m_themeScrollBar.DrawThemeBackground(
        hDC, kPartArrow,
        nSecondBase - 1 + PartState(states.bEnabled, states.nPressed == kitScrollHitDownArrow,
                                    states.nHot == kitScrollHitDownArrow), &rcSecond, nullptr);
    int nLowerPart = spi.bVertical ? kPartLowerTrackVert : kPartLowerTrackHorz;
    if (!states.bThumb) {
        CRect rcTrack = AlongRect(spi, spi.pxUpArrow, spi.pxDownArrow);
        m_themeScrollBar.DrawThemeBackground(hDC, nLowerPart, states.bEnabled ? 1 : 4, &rcTrack, nullptr);
        return;
    }
    CRect rcBefore = AlongRect(spi, spi.pxUpArrow, spi.pxThumbTop);
    CRect rcAfter = AlongRect(spi, spi.pxThumbBottom, spi.pxDownArrow);
    CRect rcThumb = AlongRect(spi, spi.pxThumbTop, spi.pxThumbBottom);
    m_themeScrollBar.DrawThemeBackground(
        hDC, nLowerPart, PartState(TRUE, states.nPressed == kitScrollHitPageUp, states.nHot == kitScrollHitPageUp),
        &rcBefore, nullptr);
    m_themeScrollBar.DrawThemeBackground(
        hDC, nLowerPart + 1,
        PartState(TRUE, states.nPressed == kitScrollHitPageDown, states.nHot == kitScrollHitPageDown), &rcAfter,
        nullptr);
    int nThumbState = PartState(TRUE, states.nPressed == kitScrollHitThumb, states.nHot == kitScrollHitThumb);
    m_themeScrollBar.DrawThemeBackground(hDC, spi.bVertical ? kPartThumbVert : kPartThumbHorz, nThumbState, &rcThumb,
                                         nullptr);
    if (spi.pxThumbLength >= kGripperMinThumb)
        m_themeScrollBar.DrawThemeBackground(hDC, kPartGripperHorz + (spi.bVertical ? 1 : 0), nThumbState, &rcThumb,
                                             nullptr);
}

void CKitScrollBarPaintManager::DrawFlatArrow(CDC* pDC, CRect rc, char chGlyph, BOOL bPressed, BOOL bEnabled)
{
    pDC->FillSolidRect(rc, m_pPaintManager->GetColor(COLOR_3DFACE));
    COLORREF clrLight = m_pPaintManager->GetColor(COLOR_3DHIGHLIGHT);
    COLORREF clrDark = m_pPaintManager->GetColor(COLOR_3DSHADOW);
    if (bPressed)
        std::swap(clrLight, clrDark);
    pDC->Draw3dRect(rc, clrLight, clrDark);
    int nSide = std::min(rc.Width(), rc.Height());
    if (nSide <= 5)
        return;
    CFont font;
    font.CreateFont(nSide - 4, 0, 0, 0, FW_NORMAL, 0, 0, 0, SYMBOL_CHARSET, 0, 0, 0, 0, "MARLETT");
    ScopedSelect selectFont(*pDC, font.GetSafeHandle());
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF clrOld = pDC->SetTextColor(bEnabled ? RGB(0, 0, 0) : ::GetSysColor(COLOR_3DSHADOW));
    int nGlyph = nSide - 4;
    char sz[2] = {chGlyph, 0};
    pDC->TextOut(rc.left + (rc.Width() - nGlyph) / 2 + (bPressed ? 1 : 0),
                 rc.top + (rc.Height() - nGlyph) / 2 + (bPressed ? 1 : 0), sz, 1);
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldMode);
}

COLORREF CKitScrollBarPaintManager::FlatTrackColor() const
{
    // A shade darker than the face, so that the face-coloured thumb stands out.
    return CKitColorManager::BlendColorsPercent(m_pPaintManager->GetColor(COLOR_3DFACE),
                                                m_pPaintManager->GetColor(COLOR_3DSHADOW), 80);
}

void CKitScrollBarPaintManager::DrawFlat(CDC* pDC, CKitScrollBase* pScrollBar, const PartStates& states)
{
    const KIT_SCROLLBARPOSINFO& spi = *pScrollBar->GetScrollBarPosInfo();
    CRect rcTrack = AlongRect(spi, spi.pxUpArrow, spi.pxDownArrow);
    pDC->FillSolidRect(rcTrack, FlatTrackColor());
    DrawFlatArrow(pDC, AlongRect(spi, spi.pxTop, spi.pxUpArrow), spi.bVertical ? '5' : '3',
                  states.nPressed == kitScrollHitUpArrow, states.bEnabled);
    DrawFlatArrow(pDC, AlongRect(spi, spi.pxDownArrow, spi.pxBottom), spi.bVertical ? '6' : '4',
                  states.nPressed == kitScrollHitDownArrow, states.bEnabled);
    if (!states.bThumb)
        return;
    if (states.nPressed == kitScrollHitPageUp)
        pDC->FillSolidRect(AlongRect(spi, spi.pxUpArrow, spi.pxThumbTop), m_pPaintManager->GetColor(COLOR_3DSHADOW));
    if (states.nPressed == kitScrollHitPageDown)
        pDC->FillSolidRect(AlongRect(spi, spi.pxThumbBottom, spi.pxDownArrow),
                           m_pPaintManager->GetColor(COLOR_3DSHADOW));
    CRect rcThumb = AlongRect(spi, spi.pxThumbTop, spi.pxThumbBottom);
    pDC->FillSolidRect(rcThumb, m_pPaintManager->GetColor(COLOR_3DFACE));
    pDC->Draw3dRect(rcThumb, m_pPaintManager->GetColor(COLOR_3DHIGHLIGHT), m_pPaintManager->GetColor(COLOR_3DSHADOW));
}

void CKitScrollBarPaintManager::DrawClassic(CDC* pDC, CKitScrollBase* pScrollBar, const PartStates& states)
{
    const KIT_SCROLLBARPOSINFO& spi = *pScrollBar->GetScrollBarPosInfo();
    CRect rcFirst = AlongRect(spi, spi.pxTop, spi.pxUpArrow);
    CRect rcSecond = AlongRect(spi, spi.pxDownArrow, spi.pxBottom);
    UINT nInactive = states.bEnabled ? 0 : DFCS_INACTIVE;
    pDC->DrawFrameControl(rcFirst, DFC_SCROLL,
                          (spi.bVertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | nInactive |
                              (states.nPressed == kitScrollHitUpArrow ? DFCS_PUSHED | DFCS_FLAT : 0));
    pDC->DrawFrameControl(rcSecond, DFC_SCROLL,
                          (spi.bVertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | nInactive |
                              (states.nPressed == kitScrollHitDownArrow ? DFCS_PUSHED | DFCS_FLAT : 0));

    HBRUSH hBrush = nullptr;
    CWnd* pOwner = pScrollBar->GetParentWindow();
    if (pOwner != nullptr && pOwner->GetSafeHwnd() != nullptr)
        hBrush = reinterpret_cast<HBRUSH>(::SendMessage(pOwner->GetSafeHwnd(), WM_CTLCOLORSCROLLBAR,
                                                        reinterpret_cast<WPARAM>(pDC->GetSafeHdc()),
                                                        reinterpret_cast<LPARAM>(pOwner->GetSafeHwnd())));
    if (hBrush == nullptr)
        hBrush = ::GetSysColorBrush(COLOR_SCROLLBAR);
    CRect rcTrack = AlongRect(spi, spi.pxUpArrow, spi.pxDownArrow);
    ::FillRect(pDC->GetSafeHdc(), &rcTrack, hBrush);
    if (!states.bThumb)
        return;
    if (states.nPressed == kitScrollHitPageUp) {
        CRect rc = AlongRect(spi, spi.pxUpArrow, spi.pxThumbTop);
        ::InvertRect(pDC->GetSafeHdc(), &rc);
    }
    if (states.nPressed == kitScrollHitPageDown) {
        CRect rc = AlongRect(spi, spi.pxThumbBottom, spi.pxDownArrow);
        ::InvertRect(pDC->GetSafeHdc(), &rc);
    }
    CRect rcThumb = AlongRect(spi, spi.pxThumbTop, spi.pxThumbBottom);
    pDC->DrawEdge(rcThumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}

// ---- slider ----

CKitSliderPaintManager::CKitSliderPaintManager(CKitPaintManager* pPaintManager)
    : CKitScrollBarPaintManager(pPaintManager)
{
}

void CKitSliderPaintManager::RefreshMetrics()
{
    CKitScrollBarPaintManager::RefreshMetrics();
    m_cxHScroll = kButtonSize;
    m_cyHScroll = kButtonSize;
    m_cThumb = kThumbLength;
}

void CKitSliderPaintManager::DrawTick(CDC* pDC, int x, int y)
{
    COLORREF clrShadow = m_pPaintManager->GetColor(COLOR_3DSHADOW);
    pDC->FillSolidRect(x, y - 3, 1, 4, clrShadow);
    pDC->FillSolidRect(x, y + 2, 1, 2, clrShadow);
    pDC->FillSolidRect(x + 1, y - 2, 1, 7, m_pPaintManager->GetColor(COLOR_3DHIGHLIGHT));
}

void CKitSliderPaintManager::DrawButton(CDC* pDC, CRect rc, BOOL bPlus, BOOL bPressed, BOOL bHot)
{
    int nSide = std::min(rc.Width(), rc.Height());
    CRect rcCircle(CPoint(rc.left + (rc.Width() - nSide) / 2, rc.top + (rc.Height() - nSide) / 2),
                   CSize(nSide, nSide));
    COLORREF clrShadow = m_pPaintManager->GetColor(COLOR_3DSHADOW);
    COLORREF clrFace = m_pPaintManager->GetColor(COLOR_3DFACE);
    COLORREF clrLight = m_pPaintManager->GetColor(COLOR_3DHIGHLIGHT);
    CKitPaintManager::DrawSmoothCircle(pDC, rcCircle, clrShadow, bPressed ? clrShadow : clrFace);
    if (!bPressed) {
        CRect rcInner = rcCircle;
        rcInner.DeflateRect(1, 1);
        CKitPaintManager::DrawSmoothCircle(pDC, rcInner, bHot ? clrLight : clrFace, bHot ? clrLight : clrFace);
    }
    CPoint ptCentre = rcCircle.CenterPoint();
    COLORREF clrGlyph = bPressed ? clrLight : RGB(0, 0, 0);
    pDC->FillSolidRect(ptCentre.x - 4, ptCentre.y - 1, 8, 2, clrGlyph);
    if (bPlus)
        pDC->FillSolidRect(ptCentre.x - 1, ptCentre.y - 4, 2, 8, clrGlyph);
}

void CKitSliderPaintManager::DrawScrollBar(CDC* pDC, CKitScrollBase* pScrollBar)
{
    const KIT_SCROLLBARPOSINFO& spi = *pScrollBar->GetScrollBarPosInfo();
    if (spi.pxRight <= spi.pxLeft || spi.pxBottom <= spi.pxTop)
        return;
    PartStates states = GetPartStates(pScrollBar);
    COLORREF clrShadow = m_pPaintManager->GetColor(COLOR_3DSHADOW);
    COLORREF clrLight = m_pPaintManager->GetColor(COLOR_3DHIGHLIGHT);
    int y = (spi.pxLeft + spi.pxRight) / 2;
    int nLeft = spi.pxUpArrow;
    int nRight = spi.pxDownArrow;
    const std::vector<double>& ticks = pScrollBar->GetTicks();
    if (ticks.empty() || spi.nMax == spi.nMin) {
        pDC->FillSolidRect(nLeft, y, nRight - nLeft, 1, clrShadow);
        pDC->FillSolidRect(nLeft, y + 1, nRight - nLeft, 1, clrLight);
        DrawTick(pDC, (nLeft + nRight) / 2, y);
    } else {
        nLeft += 6;
        nRight -= 6;
        int nLength = nRight - nLeft;
        pDC->FillSolidRect(nLeft, y, nLength, 1, clrShadow);
        pDC->FillSolidRect(nLeft, y + 1, nLength, 1, clrLight);
        for (double dValue : ticks) {
            int nOffset = static_cast<int>(std::lround((dValue - spi.nMin) * nLength / (spi.nMax - spi.nMin))) - 1;
            if (nOffset >= 0 && nOffset <= nLength)
                DrawTick(pDC, nLeft + nOffset, y);
        }
    }
    DrawButton(pDC, AlongRect(spi, spi.pxTop, spi.pxUpArrow), FALSE, states.nPressed == kitScrollHitUpArrow,
               states.nHot == kitScrollHitUpArrow);
    DrawButton(pDC, AlongRect(spi, spi.pxDownArrow, spi.pxBottom), TRUE, states.nPressed == kitScrollHitDownArrow,
               states.nHot == kitScrollHitDownArrow);
    if (!states.bThumb)
        return;
    // The marker, 8 wide and 13 high, centred on the thumb's place.
    int x = (spi.pxThumbTop + spi.pxThumbBottom) / 2 - 4;
    int yTop = y - 6;
    POINT pts[5] = {{x, yTop}, {x + 8, yTop}, {x + 8, yTop + 9}, {x + 4, yTop + 13}, {x, yTop + 9}};
    BOOL bPressed = states.nPressed == kitScrollHitThumb;
    BOOL bHot = states.nHot == kitScrollHitThumb;
    CBrush brush;
    brush.CreateSolidBrush(bPressed ? clrShadow : (bHot ? clrLight : m_pPaintManager->GetColor(COLOR_3DFACE)));
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, m_pPaintManager->GetColor(COLOR_3DDKSHADOW));
    ScopedSelect selectBrush(*pDC, brush.GetSafeHandle());
    ScopedSelect selectPen(*pDC, pen.GetSafeHandle());
    pDC->Polygon(pts, 5);
}

// ---- progress ----

CKitProgressPaintManager::CKitProgressPaintManager(CKitPaintManager* pPaintManager) : m_pPaintManager(pPaintManager)
{
}

void CKitProgressPaintManager::RefreshMetrics()
{
    m_themeProgress.OpenThemeData(nullptr, L"PROGRESS");
}

void CKitProgressPaintManager::DrawProgress(CDC* pDC, CKitProgressBase* pProgress)
{
    CRect rc = pProgress->GetProgressRect();
    if (rc.IsRectEmpty())
        return;
    int nLower = 0;
    int nUpper = 0;
    pProgress->GetRange(nLower, nUpper);
    int nKind = m_pPaintManager->GetCurrentTheme();
    BOOL bThemed = nKind != 0 && nKind != 1 && m_themeProgress.IsThemeHandleOpen() && m_themeProgress.IsAppThemed();
    CRect rcInner = rc;
    if (bThemed)
        rcInner.DeflateRect(4, 3);
    else
        rcInner.DeflateRect(2, 2);
    // An empty range fills nothing.
    int nFilled = nUpper != nLower ? static_cast<int>(static_cast<long long>(rcInner.Width()) *
                                                       (pProgress->GetPos() - nLower) / (nUpper - nLower))
                                   : 0;
    nFilled = std::max(0, std::min(nFilled, rcInner.Width()));
    if (!bThemed) {
        pDC->FillSolidRect(rc, m_pPaintManager->GetColor(COLOR_3DFACE));
        COLORREF clrShadow = m_pPaintManager->GetColor(COLOR_3DSHADOW);
        pDC->Draw3dRect(rc, clrShadow, clrShadow);
        if (rcInner.Width() > 1 && nFilled > 0)
            pDC->FillSolidRect(rcInner.left, rcInner.top, nFilled, rcInner.Height(),
                               m_pPaintManager->GetColor(COLOR_HIGHLIGHT));
        return;
    }
    HDC hDC = pDC->GetSafeHdc();
    m_themeProgress.DrawThemeBackground(hDC, kPartProgressBar, 0, &rc, nullptr);
    int nChunk = 0;
    if (FAILED(m_themeProgress.GetThemeInt(kPartProgressChunk, 0, kPropChunkSize, &nChunk)) || nChunk <= 0)
        nChunk = std::max(1, rcInner.Height() * 2 / 3);
    int nSpace = 2;
    if (FAILED(m_themeProgress.GetThemeInt(kPartProgressChunk, 0, kPropSpaceSize, &nSpace)) || nSpace < 0)
        nSpace = 2;
    int nChunks = (nFilled + nChunk + nSpace - 1) / (nChunk + nSpace);
    int x = rcInner.left;
    for (int i = 0; i < nChunks && x < rcInner.right; ++i) {
        CRect rcChunk(x, rcInner.top, std::min<int>(x + nChunk, rcInner.right - 1), rcInner.bottom);
        m_themeProgress.DrawThemeBackground(hDC, kPartProgressChunk, 0, &rcChunk, nullptr);
        x += nChunk + nSpace;
    }
}
