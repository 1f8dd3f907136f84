#include "toolkit/markup/markup_drawing_context.h"

#include "toolkit/markup/markup_brushes.h"
#include "toolkit/markup/markup_context.h"
#include "toolkit/markup/markup_gdiplus.h"
#include "toolkit/markup/markup_thickness.h"

CKitMarkupDrawingContext::CKitMarkupDrawingContext(CKitMarkupContext* pContext, HDC hdc, HDC hAttribDC)
    : m_pMarkupContext(pContext),
      m_hdc(hdc),
      m_hAttribDC(hAttribDC != nullptr ? hAttribDC : hdc),
      m_pFont(nullptr),
      m_rcClip{0, 0, 0, 0},
      m_bOwnsDC(FALSE),
      m_pDevice(nullptr),
      m_hDeferWindowPos(nullptr)
{
    CreateBackEnd(m_hdc, m_hAttribDC);
}

CKitMarkupDrawingContext::CKitMarkupDrawingContext(CKitMarkupContext* pContext)
    : m_pMarkupContext(pContext),
      m_hdc(::CreateCompatibleDC(nullptr)),
      m_hAttribDC(m_hdc),
      m_pFont(nullptr),
      m_rcClip{0, 0, 0, 0},
      m_bOwnsDC(TRUE),
      m_pDevice(nullptr),
      m_hDeferWindowPos(nullptr)
{
    CreateBackEnd(m_hdc, m_hAttribDC);
}

CKitMarkupDrawingContext::~CKitMarkupDrawingContext()
{
    m_pDevice->SetTextFont(nullptr);
    if (m_pFont != nullptr)
        m_pFont->Release();
    delete m_pDevice;
    if (m_bOwnsDC && m_hdc != nullptr)
        ::DeleteDC(m_hdc);
}

// Plain GDI when the markup context has GDI+ rendering switched off, else GDI+.
void CKitMarkupDrawingContext::CreateBackEnd(HDC hdc, HDC hAttribDC)
{
    if (m_pMarkupContext != nullptr && !m_pMarkupContext->IsGdiPlusRendering())
        m_pDevice = new CKitMarkupDeviceContext(hdc, hAttribDC);
    else
        m_pDevice = new CKitMarkupGdiPlusDeviceContext(hdc, hAttribDC);
    RefreshClipBox();
    if (hdc != nullptr)
        ::SetBkMode(hdc, TRANSPARENT);
}

void CKitMarkupDrawingContext::RefreshClipBox()
{
    m_pDevice->GetClipBox(m_rcClip);
}

BOOL CKitMarkupDrawingContext::IsFreshLayoutRequired() const
{
    return FALSE;
}

void CKitMarkupDrawingContext::DrawTextLine(LPCWSTR lpszText, int nLength, POINT origin)
{
    m_pDevice->DrawTextLine(lpszText, nLength, origin);
}

void CKitMarkupDrawingContext::OffsetViewport(POINT point)
{
    m_pDevice->OffsetViewport(point);
    RefreshClipBox();
}

void CKitMarkupDrawingContext::IntersectClipRect(const RECT& rect)
{
    m_pDevice->IntersectClipRect(rect);
    RefreshClipBox();
}

HRGN CKitMarkupDrawingContext::GetClipRegion()
{
    return m_pDevice->GetClipRegion();
}

void CKitMarkupDrawingContext::SelectClipRegion(HRGN hRegion)
{
    if (hRegion == nullptr)
        return;
    m_pDevice->SelectClipRegion(hRegion);
    RefreshClipBox();
}

void CKitMarkupDrawingContext::FillRectangle(const RECT& rect, CKitMarkupBrush* pBrush, const double* pRadii)
{
    if (pRadii != nullptr)
        m_pDevice->FillRoundRectangle(rect, pBrush, pRadii);
    else
        m_pDevice->FillRectangle(rect, pBrush);
}

void CKitMarkupDrawingContext::DrawFrame(const RECT& rect, CKitMarkupBrush* pBrush,
                                         const CKitMarkupThickness* pThickness, const double* pRadii)
{
    if (pThickness == nullptr || pBrush == nullptr)
        return;
    if (pRadii != nullptr)
        m_pDevice->DrawRoundFrame(rect, pBrush, pThickness, pRadii);
    else
        m_pDevice->DrawFrame(rect, pBrush, pThickness);
}

void CKitMarkupDrawingContext::DrawFrame(const RECT& rect, CKitMarkupBrush* pBrush)
{
    const CKitMarkupThickness one(1);
    DrawFrame(rect, pBrush, &one);
}

void CKitMarkupDrawingContext::FillSolidRect(const RECT& rect, COLORREF clr)
{
    CKitMarkupSolidColorBrush brush(clr);
    m_pDevice->FillRectangle(rect, &brush);
}

void CKitMarkupDrawingContext::DrawLine(int x1, int y1, int x2, int y2, const CKitMarkupStrokeStyle* pStroke)
{
    if (pStroke != nullptr && pStroke->m_nThickness > 0)
        m_pDevice->DrawLine(x1, y1, x2, y2, pStroke);
}

void CKitMarkupDrawingContext::DrawEllipse(const RECT& rect, const CKitMarkupStrokeStyle* pStroke,
                                           CKitMarkupBrush* pFill)
{
    m_pDevice->DrawEllipse(rect, pStroke, pFill);
}

void CKitMarkupDrawingContext::Polyline(const POINT* pPoints, int nCount, const CKitMarkupStrokeStyle* pStroke)
{
    m_pDevice->Polyline(pPoints, nCount, pStroke);
}

void CKitMarkupDrawingContext::Polygon(const POINT* pPoints, int nCount, const CKitMarkupStrokeStyle* pStroke,
                                       CKitMarkupBrush* pFill)
{
    m_pDevice->Polygon(pPoints, nCount, pStroke, pFill);
}

void CKitMarkupDrawingContext::DrawPath(const CKitMarkupPathGeometry* pPath, const CKitMarkupStrokeStyle* pStroke,
                                        CKitMarkupBrush* pFill)
{
    m_pDevice->DrawPath(pPath, pStroke, pFill);
}

SIZE CKitMarkupDrawingContext::GetTextExtent(LPCWSTR lpszText, int nLength)
{
    return m_pDevice->GetTextExtent(lpszText, nLength);
}

TEXTMETRICW CKitMarkupDrawingContext::GetTextMetrics()
{
    TEXTMETRICW metrics;
    m_pDevice->GetTextMetrics(metrics);
    return metrics;
}

void CKitMarkupDrawingContext::SetTextColor(CKitMarkupBrush* pBrush)
{
    m_pDevice->SetTextColor(pBrush);
}

void CKitMarkupDrawingContext::SetFont(CKitMarkupFont* pFont)
{
    if (pFont == m_pFont)
        return;
    m_pDevice->SetTextFont(pFont);
    if (pFont != nullptr)
        pFont->AddRef();
    if (CKitMarkupFont* pOld = std::exchange(m_pFont, pFont))
        pOld->Release();
}

HDC CKitMarkupDrawingContext::GetDC()
{
    return m_pDevice->GetDC();
}

void CKitMarkupDrawingContext::ReleaseDC(HDC hdc)
{
    m_pDevice->ReleaseDC(hdc);
}
