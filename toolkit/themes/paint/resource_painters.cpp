// Gallery, slider and progress drawing from the theme module's pictures.
#include "toolkit/themes/paint/resource_painters.h"

#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/themes/paint/paint_manager.h"

#include "framework/gdi.h"

#include <algorithm>
#include <vector>

namespace {

constexpr COLORREF kTransparent = RGB(255, 0, 255);
// The line under a label and between a popup's gallery and the next control.
constexpr COLORREF kSeparatorLine = RGB(197, 197, 197);
constexpr int kColorPopupFace = 41;

constexpr int kButtonStates = 5;
constexpr int kBarStates = 2;
constexpr int kArrowStates = 4;
constexpr int kThumbStates = 3;
constexpr int kSliderStates = 3;
constexpr int kGlyphCells = 16;
constexpr int kGlyphSize = 9;
constexpr int kGripperSize = 8;

// Picture names of a bar by direction and light or dark style.
struct BarPictures {
    LPCSTR background[2];
    LPCSTR arrows[2];
    LPCSTR thumb[2];
    LPCSTR gripper;
    // The first glyph cell of the first and second arrow.
    int nFirstGlyph;
    int nSecondGlyph;
    // Across the bar: the background's margins and how the thumb and buttons are inset.
    CRect rcBackgroundMargins;
    // Where the gripper's 8 x 8 goes, from the thumb's centre.
    CPoint ptGripperOffset;
};

const BarPictures kVerticalPictures = {
    {"CONTROLGALLERYSCROLLVERTICALLIGHT", "CONTROLGALLERYSCROLLVERTICALDARK"},
    {"CONTROLGALLERYSCROLLARROWSVERTICALLIGHT", "CONTROLGALLERYSCROLLARROWSVERTICALDARK"},
    {"CONTROLGALLERYSCROLLTHUMBVERTICAL", "CONTROLGALLERYSCROLLTHUMBVERTICALDARK"},
    "CONTROLGALLERYSCROLLTHUMBGRIPPERVERTICAL",
    0,
    4,
    CRect(1, 0, 1, 0),
    CPoint(-4, -4),
};

const BarPictures kHorizontalPictures = {
    {"CONTROLGALLERYSCROLLHORIZONTALLIGHT", "CONTROLGALLERYSCROLLHORIZONTALDARK"},
    {"CONTROLGALLERYSCROLLARROWSHORIZONTALLIGHT", "CONTROLGALLERYSCROLLARROWSHORIZONTALDARK"},
    {"CONTROLGALLERYSCROLLTHUMBHORIZONTAL", "CONTROLGALLERYSCROLLTHUMBHORIZONTALDARK"},
    "CONTROLGALLERYSCROLLTHUMBGRIPPERHORIZONTAL",
    8,
    12,
    CRect(0, 1, 0, 1),
    CPoint(-3, -4),
};

// The rectangle of a stretch along the bar, across it from nAcrossFrom to nAcrossTo.
CRect AlongRect(const KIT_SCROLLBARPOSINFO& spi, int nFrom, int nTo, int nAcrossFrom, int nAcrossTo)
{
    return spi.bVertical ? CRect(nAcrossFrom, nFrom, nAcrossTo, nTo) : CRect(nFrom, nAcrossFrom, nTo, nAcrossTo);
}

// A part's state of a bar or a row of buttons: nDisabled when off, 3 pressed, 2 hot, 1 while another part is
// active, else 0.
int PartPictureState(BOOL bEnabled, int nDisabled, int nPart, int nPressed, int nHot)
{
    if (!bEnabled)
        return nDisabled;
    if (nPressed == nPart)
        return 3;
    if (nHot == nPart)
        return 2;
    return nPressed != kitScrollHitNone || nHot != kitScrollHitNone ? 1 : 0;
}

} // namespace

void KitFillSolidRectIfColor(CDC* pDC, const CRect& rc, COLORREF clr)
{
    if (clr != CKitPaintManagerColor::kNone)
        pDC->FillSolidRect(rc, clr);
}

void KitDrawResourceState(CDC* pDC, CKitResourceImage* pImage, const CRect& rcDest, int nState, int nStates,
                          const CRect& rcMargins)
{
    if (pImage != nullptr && !rcDest.IsRectEmpty())
        pImage->DrawImageTransparent(pDC, rcDest, pImage->GetSource(nState, nStates), rcMargins, kTransparent);
}

void KitDrawResourceStateAt(CDC* pDC, CKitResourceImage* pImage, CPoint pt, int nState, int nStates)
{
    if (pImage != nullptr)
        KitDrawResourceState(pDC, pImage, CRect(pt, pImage->GetSource(nState, nStates).Size()), nState, nStates);
}

// ---- gallery ----

CKitControlGalleryResourceTheme::CKitControlGalleryResourceTheme(CKitPaintManager* pPaintManager,
                                                                 CKitResourceImageSource* pImages)
    : CKitControlGalleryPaintManager(pPaintManager), m_pImages(pImages)
{
}

void CKitControlGalleryResourceTheme::RefreshMetrics()
{
    CKitControlGalleryPaintManager::RefreshMetrics();
    m_cyScrollUp = kScrollUpHeight;
    m_cyScrollDown = kScrollDownHeight;
    CKitResourceImages* pImages = m_pImages->GetImages();
    m_clrSelected = pImages->GetImageColor("Toolbar", "ControlGallerySelected");
    m_clrNormal = pImages->GetImageColor("Toolbar", "ControlGalleryNormal");
    m_clrBorder = pImages->GetImageColor("Toolbar", "ControlGalleryBorder");
}

void CKitControlGalleryResourceTheme::FillGalleryControl(CDC* pDC, CKitControlGallery* pGallery)
{
    const CRect rc = pGallery->GetRect();
    CKitCommandBar* pBar = pGallery->GetParent();
    const BOOL bInPopup = pBar != nullptr && pBar->GetType() == kitBarTypePopup && pBar->GetPosition() == kitBarPopup;
    if (!pGallery->m_bTransparent) {
        COLORREF clrFace = m_clrNormal;
        if (bInPopup)
            clrFace = m_pPaintManager->GetColor(kColorPopupFace);
        else if (pGallery->GetSelected() != 0 && pGallery->IsEnabled())
            clrFace = m_clrSelected;
        KitFillSolidRectIfColor(pDC, rc, clrFace);
    }
    if (pGallery->m_bShowBorders && m_clrBorder != CKitPaintManagerColor::kNone)
        pDC->Draw3dRect(rc, m_clrBorder, m_clrBorder);
    if (pBar != nullptr && pBar->GetType() == kitBarTypePopup && pGallery->GetControls() != nullptr &&
        pGallery->GetControls()->GetNext(pGallery->GetIndex(), +1) > pGallery->GetIndex())
        pDC->FillSolidRect(rc.left, rc.bottom - 2, rc.Width(), 1, kSeparatorLine);
}

void CKitControlGalleryResourceTheme::DrawGalleryLabel(CDC* pDC, CRect rc, CKitControlGalleryEntry* pLabel)
{
    DrawLabel(pDC, rc, pLabel, kSeparatorLine);
}

void CKitControlGalleryResourceTheme::GetScrollButtonStates(CKitControlGallery* pGallery, int states[3]) const
{
    PartStates parts = GetPartStates(pGallery);
    const BOOL bEnabled = pGallery->IsEnabled();
    // Selected from the keyboard with no entry selected: the popup button counts as hot.
    const int nSelected = pGallery->GetSelected();
    if (parts.nHot == kitScrollHitNone && bEnabled && (nSelected == 2 || nSelected == 3) &&
        pGallery->GetSelectedEntry() == -1)
        parts.nHot = kitScrollHitExtra;
    const int partsInOrder[3] = {kitScrollHitUpArrow, kitScrollHitDownArrow, kitScrollHitExtra};
    for (int i = 0; i < 3; i++)
        states[i] = PartPictureState(IsScrollPartEnabled(pGallery, partsInOrder[i]), 4, partsInOrder[i],
                                     parts.nPressed, parts.nHot);
}

void CKitControlGalleryResourceTheme::DrawGalleryScrollButtons(CDC* pDC, CKitControlGallery* pGallery)
{
    CKitResourceImage* pUp = m_pImages->LoadImage("CONTROLGALLERYUP");
    if (pUp == nullptr)
        return;
    const CRect rcGallery = pGallery->GetRect();
    const CRect rcUp(rcGallery.right - kButtonColumnWidth, rcGallery.top, rcGallery.right,
                     rcGallery.top + m_cyScrollUp);
    const CRect rcDown(rcUp.left, rcUp.bottom, rcUp.right, rcUp.bottom + m_cyScrollDown);
    const CRect rcPopup(rcUp.left, rcDown.bottom, rcUp.right, rcGallery.bottom);
    int states[3] = {};
    GetScrollButtonStates(pGallery, states);
    const CRect rcMargins(3, 3, 3, 3);
    KitDrawResourceState(pDC, pUp, rcUp, states[0], kButtonStates, rcMargins);
    KitDrawResourceState(pDC, m_pImages->LoadImage("CONTROLGALLERYDOWN"), rcDown, states[1], kButtonStates, rcMargins);
    KitDrawResourceState(pDC, m_pImages->LoadImage("CONTROLGALLERYPOPUP"), rcPopup, states[2], kButtonStates,
                         rcMargins);
}

void CKitControlGalleryResourceTheme::DrawScrollBar(CDC* pDC, CKitScrollBase* pScrollBar)
{
    const int nStyle = pScrollBar->GetScrollBarVisualStyle();
    if ((nStyle != kitScrollStyleOffice && nStyle != kitScrollStyleOfficeDark) ||
        !DrawPictureBar(pDC, pScrollBar, nStyle == kitScrollStyleOfficeDark))
        CKitControlGalleryPaintManager::DrawScrollBar(pDC, pScrollBar);
}

BOOL CKitControlGalleryResourceTheme::DrawPictureBar(CDC* pDC, CKitScrollBase* pScrollBar, BOOL bDark)
{
    const KIT_SCROLLBARPOSINFO& spi = *pScrollBar->GetScrollBarPosInfo();
    const BarPictures& pictures = spi.bVertical ? kVerticalPictures : kHorizontalPictures;
    const int nDark = bDark ? 1 : 0;
    // Dark pictures fall back to the light ones where said.
    auto loadWithFallback = [this, nDark](const LPCSTR names[2]) {
        CKitResourceImage* pImage = m_pImages->LoadImage(names[nDark]);
        return pImage != nullptr ? pImage : m_pImages->LoadImage(names[0]);
    };
    if (spi.nMax - spi.nMin <= 0)
        return TRUE;
    const LPCSTR glyphNames[2] = {"CONTROLGALLERYSCROLLARROWGLYPHS", "CONTROLGALLERYSCROLLARROWGLYPHSDARK"};
    CKitResourceImage* pGlyphs = loadWithFallback(glyphNames);
    if (pGlyphs == nullptr)
        return TRUE;
    CKitResourceImage* pBackground = m_pImages->LoadImage(pictures.background[nDark]);
    if (pBackground == nullptr)
        return spi.bVertical;

    const PartStates states = GetPartStates(pScrollBar);
    const CRect& rcBar = spi.rc;
    KitDrawResourceState(pDC, pBackground, rcBar, 0, kBarStates, pictures.rcBackgroundMargins);

    // The buttons and the thumb stand one pixel inside the bar.
    const int nInnerFrom = spi.pxLeft + 1;
    const int nInnerTo = spi.pxRight - 1;
    CKitResourceImage* pArrows = m_pImages->LoadImage(pictures.arrows[nDark]);
    if (pArrows == nullptr)
        return TRUE;
    struct Button {
        CRect rc;
        int nPart;
        int nGlyph;
    };
    const Button buttons[2] = {
        {AlongRect(spi, spi.pxTop, spi.pxUpArrow, nInnerFrom, nInnerTo), kitScrollHitUpArrow, pictures.nFirstGlyph},
        {AlongRect(spi, spi.pxDownArrow, spi.pxBottom, nInnerFrom, nInnerTo), kitScrollHitDownArrow,
         pictures.nSecondGlyph},
    };
    for (const Button& button : buttons) {
        const int nState = PartPictureState(states.bEnabled, 0, button.nPart, states.nPressed, states.nHot);
        KitDrawResourceState(pDC, pArrows, button.rc, nState, kArrowStates, CRect(3, 3, 3, 3));
        // Cells: normal, active, (unused), disabled.
        const int nCell = button.nGlyph + (!states.bEnabled ? 3 : (nState != 0 ? 1 : 0));
        const CPoint ptGlyph((button.rc.left + button.rc.right - kGlyphSize) / 2,
                             (button.rc.top + button.rc.bottom - kGlyphSize) / 2);
        KitDrawResourceState(pDC, pGlyphs, CRect(ptGlyph, CSize(kGlyphSize, kGlyphSize)), nCell, kGlyphCells);
    }
    if (spi.pxDownArrow <= spi.pxUpArrow)
        return TRUE;

    const int nThumbFrom = states.bThumb ? spi.pxThumbTop : spi.pxUpArrow;
    const int nThumbTo = states.bThumb ? spi.pxThumbBottom : spi.pxUpArrow;
    const CRect rcBefore = AlongRect(spi, spi.pxUpArrow, nThumbFrom, spi.pxLeft, spi.pxRight);
    const CRect rcThumb = AlongRect(spi, nThumbFrom, nThumbTo, nInnerFrom, nInnerTo);
    const CRect rcAfter = AlongRect(spi, nThumbTo, spi.pxDownArrow, spi.pxLeft, spi.pxRight);
    auto drawPressedTrack = [&](const CRect& rc, int nPart) {
        if (states.bEnabled && states.nPressed == nPart && !rc.IsRectEmpty())
            KitDrawResourceState(pDC, pBackground, rc, 1, kBarStates, pictures.rcBackgroundMargins);
    };
    drawPressedTrack(rcBefore, kitScrollHitPageUp);
    if (!rcThumb.IsRectEmpty()) {
        CKitResourceImage* pThumb = loadWithFallback(pictures.thumb);
        if (pThumb == nullptr)
            return TRUE;
        const int nState =
            states.nPressed == kitScrollHitThumb ? 2 : (states.nHot == kitScrollHitThumb ? 1 : 0);
        KitDrawResourceState(pDC, pThumb, rcThumb, nState, kThumbStates, CRect(5, 5, 5, 5));
        if (nThumbTo - nThumbFrom >= kGripperMinThumb) {
            const CPoint ptCentre = rcThumb.CenterPoint();
            KitDrawResourceState(pDC, m_pImages->LoadImage(pictures.gripper),
                                 CRect(ptCentre + pictures.ptGripperOffset, CSize(kGripperSize, kGripperSize)),
                                 nState, kThumbStates);
        }
    }
    drawPressedTrack(rcAfter, kitScrollHitPageDown);
    return TRUE;
}

// ---- slider ----

CKitSliderResourceTheme::CKitSliderResourceTheme(CKitPaintManager* pPaintManager, CKitResourceImageSource* pImages)
    : CKitSliderPaintManager(pPaintManager), m_pImages(pImages)
{
}

void CKitSliderResourceTheme::RefreshMetrics()
{
    CKitSliderPaintManager::RefreshMetrics();
    if (CKitResourceImage* pButton = m_pImages->LoadImage("SLIDERUP")) {
        m_cxHScroll = pButton->GetExtent().cx;
        m_cyHScroll = pButton->GetSource(0, kSliderStates).Height();
    }
    m_cThumb = kChannel;
}

void CKitSliderResourceTheme::DrawScrollBar(CDC* pDC, CKitScrollBase* pScrollBar)
{
    const KIT_SCROLLBARPOSINFO& spi = *pScrollBar->GetScrollBarPosInfo();
    if (spi.bVertical || spi.nMax - spi.nMin < 1)
        return;
    CKitResourceImage* pTrack = m_pImages->LoadImage("SLIDERTRACK");
    if (pTrack == nullptr)
        return;
    const PartStates states = GetPartStates(pScrollBar);
    const CRect& rc = spi.rc;
    const int nTrackHeight = pTrack->GetHeight();
    const int yTrack = (rc.top + rc.bottom - nTrackHeight) / 2;
    const CRect rcTrack(spi.pxUpArrow, yTrack, spi.pxDownArrow, yTrack + nTrackHeight);
    KitDrawResourceState(pDC, pTrack, rcTrack, 0, 1);

    if (CKitResourceImage* pTick = m_pImages->LoadImage("SLIDERTICK")) {
        const CSize szTick = pTick->GetExtent();
        const int yTick = (rcTrack.top + rcTrack.bottom - szTick.cy) / 2;
        const std::vector<double>& ticks = pScrollBar->GetTicks();
        if (ticks.empty() || spi.nMax <= spi.nMin) {
            KitDrawResourceStateAt(pDC, pTick, CPoint((rcTrack.left + rcTrack.right - szTick.cx) / 2, yTick), 0, 1);
        } else {
            CRect rcTicks = rcTrack;
            rcTicks.DeflateRect(kTickInset, 0);
            const int nWidth = rcTicks.Width();
            // Strictly inside: a tick at either end of the range is not drawn.
            for (double dValue : ticks) {
                const double dOffset = (dValue - spi.nMin) * nWidth / (spi.nMax - spi.nMin);
                if (dOffset > 0 && dOffset < nWidth)
                    KitDrawResourceStateAt(
                        pDC, pTick, CPoint(rcTicks.left + static_cast<int>(dOffset) - szTick.cx / 2, yTick), 0, 1);
            }
        }
    }

    auto buttonState = [&states](int nPart) {
        return states.nPressed == nPart ? 2 : (states.nHot == nPart ? 1 : 0);
    };
    KitDrawResourceState(pDC, m_pImages->LoadImage("SLIDERUP"), CRect(rc.left, rc.top, spi.pxUpArrow, rc.bottom),
                         buttonState(kitScrollHitUpArrow), kSliderStates);
    KitDrawResourceState(pDC, m_pImages->LoadImage("SLIDERDOWN"),
                         CRect(spi.pxDownArrow, rc.top, rc.right, rc.bottom), buttonState(kitScrollHitDownArrow),
                         kSliderStates);

    if (!pScrollBar->IsScrollBarEnabled())
        return;
    CKitResourceImage* pThumb = m_pImages->LoadImage("SLIDERTHUMB");
    if (pThumb == nullptr)
        return;
    auto isTrackPart = [](int nPart) { return nPart == kitScrollHitPageUp || nPart == kitScrollHitPageDown; };
    int nState = 0;
    if (states.nPressed == kitScrollHitThumb)
        nState = 2;
    else if (isTrackPart(states.nPressed) || isTrackPart(states.nHot) || states.nHot == kitScrollHitThumb)
        nState = 1;
    const CSize szThumb = pThumb->GetSource(nState, kSliderStates).Size();
    const CPoint ptThumb((spi.pxThumbTop + spi.pxThumbBottom - szThumb.cx) / 2, (rc.top + rc.bottom - szThumb.cy) / 2);
    KitDrawResourceStateAt(pDC, pThumb, ptThumb, nState, kSliderStates);
}

// ---- progress ----

CKitProgressResourceTheme::CKitProgressResourceTheme(CKitPaintManager* pPaintManager, CKitResourceImageSource* pImages)
    : CKitProgressPaintManager(pPaintManager), m_pImages(pImages)
{
    m_nBarHeight = kDefaultHeight;
}

void CKitProgressResourceTheme::DrawProgress(CDC* pDC, CKitProgressBase* pProgress)
{
    CRect rc = pProgress->GetProgressRect();
    CKitResourceImage* pTrack = m_pImages->LoadImage("PROGRESSTRACK");
    if (pTrack == nullptr)
        return;
    const CRect rcMargins(2, 2, 2, 2);
    KitDrawResourceState(pDC, pTrack, rc, 0, 1, rcMargins);
    rc.DeflateRect(2, 2);
    int nLower = 0;
    int nUpper = 0;
    pProgress->GetRange(nLower, nUpper);
    // An empty range fills nothing.
    const int nFilled =
        nUpper != nLower ? std::max(0, std::min(::MulDiv(rc.Width(), pProgress->GetPos() - nLower, nUpper - nLower),
                                                static_cast<int>(rc.Width())))
                         : 0;
    CKitResourceImage* pChunk = m_pImages->LoadImage("PROGRESSCHUNK");
    if (pChunk == nullptr)
        return;
    const CRect rcChunk = pChunk->GetSource(0, 1);
    const int nBody = rcChunk.Width() - kLeadingEdge;
    if (nBody < 0)
        return;
    if (nFilled > 0) {
        CRect rcSrc(rcChunk.left, rcChunk.top, rcChunk.left + nBody, rcChunk.bottom);
        if (nFilled < nBody)
            rcSrc.left = rcSrc.right - nFilled;
        // A body narrower than its side margins is stretched whole across.
        CRect rcBodyMargins = rcMargins;
        if (rcSrc.Width() < rcBodyMargins.left + rcBodyMargins.right)
            rcBodyMargins.left = rcBodyMargins.right = 0;
        pChunk->DrawImageTransparent(pDC, CRect(rc.left, rc.top, rc.left + nFilled, rc.bottom), rcSrc, rcBodyMargins,
                                     kTransparent);
    }
    if (rc.left + nFilled < rc.right - 1) {
        const int nEdge = std::min(rc.Width() - nFilled, kLeadingEdge);
        const CRect rcSrc(rcChunk.left + nBody, rcChunk.top, rcChunk.left + nBody + nEdge, rcChunk.bottom);
        pChunk->DrawImageTransparent(pDC, CRect(rc.left + nFilled, rc.top, rc.left + nFilled + nEdge, rc.bottom),
                                     rcSrc, CRect(0, 2, 0, 2), kTransparent);
    }
}
