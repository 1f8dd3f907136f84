#include "ostrel/grid/mem_dc.h"

IMPLEMENT_DYNAMIC(CMemDC, CDC)

CMemDC::CMemDC(CDC* pDC, const CRect* pRect) : m_pDC(pDC), m_bMemDC(!pDC->IsPrinting())
{
    if (pRect != nullptr)
        m_rect = *pRect;
    else
        pDC->GetClipBox(&m_rect);

    if (!m_bMemDC || m_rect.IsRectEmpty() || !CreateCompatibleDC(pDC) ||
        !m_bitmap.CreateCompatibleBitmap(pDC, m_rect.Width(), m_rect.Height())) {
        // Printing, or no memory for the bitmap: draw straight into the target.
        DeleteDC();
        m_bMemDC = FALSE;
        m_hDC = pDC->m_hDC;
        m_bPrinting = pDC->m_bPrinting;
        return;
    }
    m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap.m_hObject);
    SetWindowOrg(m_rect.left, m_rect.top);
    FillSolidRect(&m_rect, pDC->GetBkColor());
}

CMemDC::~CMemDC()
{
    if (!m_bMemDC) {
        ReleaseHandle();
        return;
    }
    m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top, SRCCOPY);
    ::SelectObject(m_hDC, m_hOldBitmap);
}
