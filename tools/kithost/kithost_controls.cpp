#include "tools/kithost/kithost_controls.h"

#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control_action.h"
#include "toolkit/commandbars/control_combo.h"
#include "toolkit/commandbars/control_edit.h"
#include "toolkit/commandbars/control_gallery.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/toolbar.h"
#include "tools/kithost/res/resource.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CKitHostZoomSlider, CKitControl)
IMPLEMENT_DYNCREATE(CKitHostProgress, CKitControlProgress)

namespace {
constexpr int kSliderHeight = 22;
constexpr const char* kStyles[] = {"Normal", "Title", "Heading 1", "Heading 2", "Quote", "Emphasis", "Strong",
                                   "Caption", "Code", "List"};
constexpr const char* kFonts[] = {"Arial", "Courier New", "Tahoma", "Times New Roman", "Verdana"};
} // namespace

CKitHostZoomSlider::CKitHostZoomSlider() : CKitControl(kitControlCustom)
{
    m_nWidth = kWidth;
    SetVertical(FALSE);
}

void CKitHostZoomSlider::SetPos(int nPos)
{
    nPos = std::clamp(nPos, kMin, kMax);
    if (nPos == m_nPos)
        return;
    m_nPos = nPos;
    RedrawScrollBar();
}

CSize CKitHostZoomSlider::GetSize(CDC* /*pDC*/)
{
    return CSize(m_nWidth, kSliderHeight);
}

void CKitHostZoomSlider::Draw(CDC* pDC)
{
    CKitScrollBarPainter* pPainter = GetScrollBarPaintManager();
    if (pPainter == nullptr)
        return;
    SCROLLINFO si = {sizeof(si)};
    GetScrollInfo(&si);
    CalcScrollBarInfo(GetScrollBarRect(), &m_spi, &si);
    pPainter->DrawScrollBar(pDC, this);
}

void CKitHostZoomSlider::OnLButtonDown(CPoint pt)
{
    if (GetParent() != nullptr && IsEnabled())
        PerformTrackInit(GetParent()->GetSafeHwnd(), pt, ::GetKeyState(VK_SHIFT) < 0);
}

void CKitHostZoomSlider::Copy(const CKitControl* pSource, BOOL bRecursive)
{
    CKitControl::Copy(pSource, bRecursive);
    if (const auto* pSlider = dynamic_cast<const CKitHostZoomSlider*>(pSource))
        m_nPos = pSlider->m_nPos;
}

CWnd* CKitHostZoomSlider::GetParentWindow() const
{
    return GetParent();
}

void CKitHostZoomSlider::GetScrollInfo(SCROLLINFO* pSi)
{
    pSi->fMask = SIF_ALL;
    pSi->nMin = kMin;
    pSi->nMax = kMax;
    pSi->nPage = 0;
    pSi->nPos = m_nPos;
}

void CKitHostZoomSlider::DoScroll(int nCommand, int nPos)
{
    switch (nCommand) {
    case kitScrollLineUp:
        SetPos(m_nPos - kLine);
        break;
    case kitScrollLineDown:
        SetPos(m_nPos + kLine);
        break;
    case kitScrollPageUp:
        SetPos(m_nPos - kPage);
        break;
    case kitScrollPageDown:
        SetPos(m_nPos + kPage);
        break;
    case kitScrollThumbTrack:
    case kitScrollThumbPosition:
        SetPos(nPos);
        break;
    default:
        break;
    }
}

CKitScrollBarPainter* CKitHostZoomSlider::GetScrollBarPaintManager() const
{
    CKitScrollPainters* pPainters = CKitScrollPainters::Get();
    CKitBarPainter* pPaintManager = GetPaintManager();
    return pPainters != nullptr && pPaintManager != nullptr ? pPainters->GetSliderPainter(pPaintManager) : nullptr;
}

CRect CKitHostProgress::GetProgressRect() const
{
    CRect rc = GetRect();
    CKitProgressPainter* pPainter = GetProgressPaintManager();
    const int nHeight = pPainter != nullptr ? pPainter->GetProgressHeight() : rc.Height();
    if (nHeight < rc.Height()) {
        rc.top += (rc.Height() - nHeight) / 2;
        rc.bottom = rc.top + nHeight;
    }
    return rc;
}

CKitControlGallery* AddStylesGallery(CKitCommandBarManager* pCommandBars, CKitControls* pControls, CSize szEntry)
{
    auto* pEntries = new CKitControlGalleryEntryList();
    pEntries->m_cxEntry = szEntry.cx;
    pEntries->m_cyEntry = szEntry.cy;
    int nId = 1;
    for (const char* lpszStyle : kStyles)
        pEntries->AddEntry(nId++, lpszStyle);
    // The gallery's entries are its action's.
    if (pCommandBars->GetActions() == nullptr)
        pCommandBars->EnableActions();
    CKitControlAction* pAction = pCommandBars->GetActions()->CreateAction(ID_KIT_STYLES);
    pAction->SetGalleryEntries(pEntries);
    pEntries->InternalRelease();
    auto* pGallery = static_cast<CKitControlGallery*>(pControls->Add(kitControlGallery, ID_KIT_STYLES));
    pGallery->SetAction(pAction);
    pGallery->m_bShowBorders = TRUE;
    pGallery->SetCheckedEntryId(1);
    return pGallery;
}

CKitControlComboBox* AddFontBox(CKitControls* pControls, int nWidth)
{
    auto* pFont = static_cast<CKitControlComboBox*>(pControls->Add(new CKitControlComboBox(), ID_KIT_FONT));
    pFont->SetWidth(nWidth);
    for (const char* lpszFont : kFonts)
        pFont->AddString(lpszFont);
    pFont->SetCurSel(2);
    return pFont;
}

void FillControlsBar(CKitCommandBarManager* pCommandBars, CKitToolBar* pBar)
{
    CKitControls* pControls = pBar->GetControls();
    CKitControlGallery* pGallery = AddStylesGallery(pCommandBars, pControls, CSize(62, 20));
    pGallery->SetWidth(210);
    pGallery->SetHeight(24);

    AddFontBox(pControls, 130)->SetBeginGroup(TRUE);

    auto* pZoom = static_cast<CKitControlEdit*>(pControls->Add(new CKitControlEdit(), ID_KIT_ZOOM));
    pZoom->SetCaption("Zoom:");
    pZoom->SetStyle(kitButtonCaption);
    pZoom->SetWidth(96);
    pZoom->ShowSpinButtons(TRUE);
    pZoom->SetEditText("100");

    pControls->Add(new CKitHostZoomSlider(), ID_KIT_ZOOM_SLIDER);

    auto* pProgress = static_cast<CKitControlProgress*>(pControls->Add(new CKitHostProgress(), ID_KIT_PROGRESS));
    pProgress->SetWidth(90);
    pProgress->SetPos(60);
    pProgress->SetBeginGroup(TRUE);
}
