// The markup-drawn ribbon painter: system colours and small markup templates.
#include "toolkit/themes/ribbon/ribbon_system_theme.h"

#include "toolkit/themes/paint/markup_glue.h"

IMPLEMENT_DYNAMIC(CKitRibbonSystemTheme, CKitRibbonPaintManager)

CKitRibbonSystemTheme::CKitRibbonSystemTheme(CKitPaintManager* pPaintManager)
    : CKitRibbonPaintManager(pPaintManager), m_pMarkupContext(MarkupCreateContext(nullptr))
{
}

CKitRibbonSystemTheme::~CKitRibbonSystemTheme()
{
    MarkupReleaseContext(m_pMarkupContext);
}

void CKitRibbonSystemTheme::RefreshMetrics()
{
    CKitRibbonPaintManager::RefreshMetrics();
    m_clrRibbonFace = ::GetSysColor(COLOR_3DFACE);
    m_clrMinimizedFrameEdgeShadow = ::GetSysColor(COLOR_3DSHADOW);
    m_clrMinimizedFrameEdgeHighlight = ::GetSysColor(COLOR_3DHILIGHT);
    m_clrGroupCaptionText = ::GetSysColor(COLOR_BTNTEXT);
    CKitTabPaintManagerColorSet* pColorSet = m_pTabPaintManager->GetColorSet();
    pColorSet->m_clrNormalText.SetStandardValue(m_clrGroupCaptionText);
    pColorSet->m_clrHotText.SetStandardValue(m_clrGroupCaptionText);
    pColorSet->m_clrSelectedText.SetStandardValue(m_clrGroupCaptionText);
    m_clrRecentFileListEdgeShadow = ::GetSysColor(COLOR_3DSHADOW);
    m_clrRecentFileListEdgeHighlight = ::GetSysColor(COLOR_3DHILIGHT);
    m_nGroupSpacing = 2;
    m_bFlatFrame = FALSE;
}

void CKitRibbonSystemTheme::DrawMarkup(CDC* pDC, const CRect& rc, LPCSTR lpszMarkup)
{
    if (pDC == nullptr || pDC->GetSafeHdc() == nullptr)
        return;
    CKitMarkupUIElement* pElement = MarkupParseText(m_pMarkupContext, lpszMarkup);
    MarkupRenderElement(pElement, pDC->GetSafeHdc(), rc);
    MarkupReleaseElement(pElement);
}

CString CKitRibbonSystemTheme::FormatQuickAccessPath(int nWidth, int nHeight)
{
    const int a = nHeight / 2;
    const int b = nWidth - a;
    CString str;
    str.Format("<Path Data='M0 0 S %i %i %i %i L %i %i S %i %i %i %i l 0 0 S  %i %i %i %i Z' Stroke='#22FFFFFF' "
               "StrokeThickness='2' Fill='#44FFFFFF' ></Path>",
               a, 0, a, nHeight, b, nHeight, nWidth, nHeight, nWidth, a, nWidth, 0, b, 0);
    return str;
}
