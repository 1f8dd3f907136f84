#include "toolkit/themes/tabs/tab_paint_manager.h"

#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/system.h"
#include "toolkit/themes/tabs/tab_color_sets.h"
#include "toolkit/themes/tabs/tab_manager.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CKitTabPaintManager, CCmdTarget)

CKitTabPaintManager::CKitTabPaintManager()
{
    SetAppearance(kAppearancePropertyPage);
    RefreshMetrics();
}

CKitTabPaintManager::~CKitTabPaintManager()
{
    delete m_pAppearanceSet;
    delete m_pColorSet;
}

// ---- sets and clients -------------------------------------------------------

void CKitTabPaintManager::SetAppearance(int nStyle)
{
    m_nAppearanceStyle = nStyle;
    SetAppearanceSet(CKitTabPaintManagerAppearanceSet::Create(nStyle));
}

void CKitTabPaintManager::SetAppearanceSet(CKitTabPaintManagerAppearanceSet* pSet)
{
    if (pSet) {
        delete m_pAppearanceSet;
        m_pAppearanceSet = pSet;
        pSet->m_pPaintManager = this;
        pSet->RefreshMetrics();
        SetColor(pSet->GetDefaultColorSet());
    }
    RefreshClients();
}

void CKitTabPaintManager::SetColor(int nColorSet)
{
    m_nColorSet = nColorSet;
    CKitTabPaintManagerColorSet* pSet = nullptr;
    switch (nColorSet) {
    case kColorSetVisualStudio2003: pSet = new CColorSetVisualStudio2003; break;
    case kColorSetOffice2003: pSet = new CColorSetOffice2003; break;
    case kColorSetWinNative: pSet = new CColorSetWinNative; break;
    case kColorSetVisualStudio2005: pSet = new CColorSetVisualStudio2005; break;
    case kColorSetOffice2007: pSet = new CColorSetOffice2007; break;
    case kColorSetVisualStudio2008: pSet = new CColorSetVisualStudio2008; break;
    case kColorSetOffice2007Access: pSet = new CColorSetOffice2007Access; break;
    case kColorSetVisualStudio2010: pSet = new CColorSetVisualStudio2010(FALSE); break;
    default: pSet = new CColorSetDefault; break;
    }
    SetColorSet(pSet);
}

void CKitTabPaintManager::SetColorSet(CKitTabPaintManagerColorSet* pSet)
{
    if (pSet) {
        delete m_pColorSet;
        m_pColorSet = pSet;
        pSet->m_pPaintManager = this;
        pSet->RefreshMetrics();
    }
    RefreshClients();
}

void CKitTabPaintManager::SetPosition(int nPosition)
{
    m_nPosition = nPosition;
    RefreshClients();
}

void CKitTabPaintManager::SetLayout(int nLayout)
{
    m_nLayout = nLayout;
    RefreshClients();
}

void CKitTabPaintManager::AddClient(CKitTabManagerAtom* pClient)
{
    if (pClient && std::find(m_arrClients.begin(), m_arrClients.end(), pClient) == m_arrClients.end())
        m_arrClients.push_back(pClient);
}

void CKitTabPaintManager::RemoveClient(CKitTabManagerAtom* pClient)
{
    m_arrClients.erase(std::remove(m_arrClients.begin(), m_arrClients.end(), pClient), m_arrClients.end());
}

void CKitTabPaintManager::RefreshClients()
{
    // A client may leave while it refreshes.
    const std::vector<CKitTabManagerAtom*> arrClients = m_arrClients;
    for (CKitTabManagerAtom* pClient : arrClients)
        pClient->Refresh();
}

void CKitTabPaintManager::RefreshMetrics()
{
    if (m_bUseStandardFont) {
        LOGFONTA lf = {};
        CKitDrawHelpers::GetIconLogFont(&lf);
        SetFontIndirect(&lf, TRUE);
    }
    if (m_pColorSet)
        m_pColorSet->RefreshMetrics();
    if (m_pAppearanceSet)
        m_pAppearanceSet->RefreshMetrics();
}

// ---- fonts ------------------------------------------------------------------

void CKitTabPaintManager::SetFontIndirect(const LOGFONTA* pLogFont, BOOL bUseStandardFont)
{
    m_bUseStandardFont = bUseStandardFont;
    if (!pLogFont)
        return;
    LOGFONTA lf = *pLogFont;
    if (m_bClearType && CKitOsVersion::Instance()->IsClearTypeTextSupported())
        lf.lfQuality = CLEARTYPE_QUALITY;
    m_fntNormal.DeleteObject();
    m_fntBold.DeleteObject();
    m_fntVertical.DeleteObject();
    m_fntVerticalBold.DeleteObject();

    lf.lfWeight = m_bBoldNormal ? FW_BOLD : FW_NORMAL;
    m_fntNormal.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_fntBold.CreateFontIndirect(&lf);

    CString strFace;
    CKitDrawHelpers::GetDefaultFontFaceName(strFace, FALSE);
    lstrcpynA(lf.lfFaceName, strFace, LF_FACESIZE);
    lf.lfOrientation = 900;
    lf.lfEscapement = m_bVerticalTextTopToBottom ? 2700 : 900;
    // Small fonts do not turn well.
    if (lf.lfHeight < 0 && lf.lfHeight > -11)
        lf.lfHeight = -11;
    lf.lfWeight = m_bBoldNormal ? FW_BOLD : FW_NORMAL;
    m_fntVertical.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_fntVerticalBold.CreateFontIndirect(&lf);
}

// ---- item colours and scrolling ---------------------------------------------

COLORREF CKitTabPaintManager::GetAutoItemColor(COLORREF nIndex)
{
    static const COLORREF kColors[kAutoColorCount] = {
        RGB(138, 168, 228), RGB(255, 219, 117), RGB(189, 205, 159), RGB(240, 158, 159),
        RGB(186, 166, 225), RGB(154, 191, 180), RGB(247, 182, 131), RGB(216, 171, 192),
    };
    return kColors[(nIndex - kAutoColorFirst) % kAutoColorCount];
}

void CKitTabPaintManager::EnsureVisible(CKitTabManager* pManager, CKitTabManagerItem* pItem)
{
    const CRect& rcHeader = pManager->GetHeaderRect();
    const CRect rcItem = pItem->GetRect();
    if (rcHeader.IsRectEmpty() || rcItem.IsRectEmpty() || m_nLayout == kLayoutCompressed)
        return;
    const BOOL bHorizontal = pManager->IsHorizontalPosition();
    const int nHeaderStart = bHorizontal ? rcHeader.left : rcHeader.top;
    const int nHeaderEnd = bHorizontal ? rcHeader.right : rcHeader.bottom;
    const int nItemStart = bHorizontal ? rcItem.left : rcItem.top;
    const int nItemEnd = bHorizontal ? rcItem.right : rcItem.bottom;
    if (nItemStart < nHeaderStart)
        pManager->SetHeaderOffset(pManager->GetHeaderOffset() + nHeaderStart - nItemStart +
                                  m_pAppearanceSet->GetHeaderMargin().left);
    else if (nItemEnd > nHeaderEnd)
        pManager->SetHeaderOffset(pManager->GetHeaderOffset() - (nItemEnd - nHeaderEnd + 2));
}

int CKitTabPaintManager::ClampItemLength(int nLength, int nMin, int nMax) const
{
    nLength += m_rcButtonMargin.left + m_rcButtonMargin.right;
    if (nMin > 0 && nLength < nMin)
        nLength = nMin;
    if (nMax > 0 && nLength > nMax)
        nLength = nMax;
    return nLength;
}

void CKitTabPaintManager::DrawFocusRect(CDC* pDC, CKitTabManagerItem* /*pItem*/, CRect rc)
{
    if (!m_bDrawFocusRect)
        return;
    rc.DeflateRect(3, 3);
    pDC->SetTextColor(RGB(0, 0, 0));
    pDC->SetBkColor(RGB(255, 255, 255));
    pDC->DrawFocusRect(rc);
}

