// CKitCommandBarAnimation: a bar's off-screen picture and the cross-fades of its changed rectangles.
#include "toolkit/commandbars/command_bar_animation.h"

#include "toolkit/commandbars/command_bar.h"
#include "toolkit/common/dib_section.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/upper_services.h"

#include <cstring>

namespace {

// Copies the rectangle between two device contexts that share its coordinates.
void CopyRect(CDC* pDest, CDC* pSource, const CRect& rc)
{
    pDest->BitBlt(rc.left, rc.top, rc.Width(), rc.Height(), pSource, rc.left, rc.top, SRCCOPY);
}

} // namespace

CKitCommandBarAnimation::CAnimateInfo::CAnimateInfo(HDC hDC, const CRect& rc) : m_rect(rc)
{
    m_bmpNew.Attach(Create32BitDibSection(hDC, rc.Width(), -rc.Height(), &m_pNewBits));
    m_bmpOld.Attach(Create32BitDibSection(hDC, rc.Width(), -rc.Height(), &m_pOldBits));
}

BOOL CKitCommandBarAnimation::CAnimateInfo::IsUnchanged() const
{
    ::GdiFlush();
    const size_t nBytes = static_cast<size_t>(m_rect.Width()) * static_cast<size_t>(m_rect.Height()) * 4;
    return std::memcmp(m_pNewBits, m_pOldBits, nBytes) == 0;
}

CKitCommandBarAnimation::CKitCommandBarAnimation(CKitCommandBar* pBar) : m_pBar(pBar) {}

CKitCommandBarAnimation::~CKitCommandBarAnimation()
{
    Reset();
}

BOOL CKitCommandBarAnimation::IsAnimationInForce() const
{
    if (m_bEnableAnimation)
        return TRUE;
    CKitBarPainter* pPainter = m_pBar->GetPaintManager();
    return pPainter != nullptr && pPainter->IsAnimationEnabled();
}

void CKitCommandBarAnimation::DeleteCache()
{
    m_bmpCache.DeleteObject();
    m_szCache = CSize(0, 0);
}

void CKitCommandBarAnimation::RemoveFade(int nIndex)
{
    delete m_arrFades.GetAt(nIndex);
    m_arrFades.RemoveAt(nIndex);
}

void CKitCommandBarAnimation::RemoveCoveredFades(const CRect& rc, BOOL bExclude)
{
    for (int i = GetFadeCount() - 1; i >= 0; i--) {
        CAnimateInfo* pInfo = m_arrFades.GetAt(i);
        const CRect rcMeet = pInfo->m_rect & rc;
        if (rcMeet == pInfo->m_rect)
            RemoveFade(i);
        else if (bExclude && !rcMeet.IsRectEmpty())
            pInfo->m_arrExcluded.Add(rc);
    }
}

void CKitCommandBarAnimation::Reset()
{
    while (GetFadeCount() > 0)
        RemoveFade(GetFadeCount() - 1);
    if (m_bTimerRunning) {
        if (m_pBar->GetSafeHwnd() != nullptr)
            m_pBar->KillTimer(kTimerAnimation);
        m_bTimerRunning = FALSE;
    }
}

void CKitCommandBarAnimation::OnDestroy()
{
    DeleteCache();
    Reset();
}

void CKitCommandBarAnimation::RedrawRect(LPCRECT lpRect, BOOL bAnimate)
{
    HWND hWnd = m_pBar->GetSafeHwnd();
    if (lpRect == nullptr) {
        DeleteCache();
        m_bDirty = TRUE;
        ::InvalidateRect(hWnd, nullptr, FALSE);
        return;
    }
    if (m_bmpCache.m_hObject == nullptr || !IsAnimationInForce()) {
        m_bDirty = TRUE;
        ::InvalidateRect(hWnd, lpRect, FALSE);
        return;
    }
    const CRect rc = CRect(lpRect) & CRect(0, 0, m_szCache.cx, m_szCache.cy);
    if (rc.IsRectEmpty())
        return;

    CClientDC dcWindow(m_pBar);
    CBitmap bmpDraw;
    bmpDraw.CreateCompatibleBitmap(&dcWindow, m_szCache.cx, m_szCache.cy);
    CKitSelectedBitmapDC dcDraw(&dcWindow, bmpDraw.m_hObject);
    dcDraw.IntersectClipRect(rc);
    m_pBar->DrawCommandBar(&dcDraw, rc);
    CKitSelectedBitmapDC dcCache(&dcWindow, m_bmpCache.m_hObject);

    CAnimateInfo* pInfo = bAnimate ? new CAnimateInfo(dcWindow.m_hDC, rc) : nullptr;
    if (pInfo == nullptr || !pInfo->IsValid()) {
        delete pInfo;
        RemoveCoveredFades(rc, TRUE);
        CopyRect(&dcCache, &dcDraw, rc);
        CopyRect(&dcWindow, &dcDraw, rc);
        return;
    }
    {
        CKitSelectedBitmapDC dcNew(&dcWindow, pInfo->m_bmpNew.m_hObject);
        dcNew.BitBlt(0, 0, rc.Width(), rc.Height(), &dcDraw, rc.left, rc.top, SRCCOPY);
        CKitSelectedBitmapDC dcOld(&dcWindow, pInfo->m_bmpOld.m_hObject);
        dcOld.BitBlt(0, 0, rc.Width(), rc.Height(), &dcCache, rc.left, rc.top, SRCCOPY);
    }
    CopyRect(&dcCache, &dcDraw, rc);
    if (pInfo->IsUnchanged()) {
        delete pInfo;
        return;
    }
    RemoveCoveredFades(rc, FALSE);
    m_arrFades.Add(pInfo);
    if (!m_bTimerRunning) {
        m_pBar->SetTimer(kTimerAnimation, kAnimationPeriod, nullptr);
        m_bTimerRunning = TRUE;
    }
    DrawStep(&dcWindow, pInfo);
}

void CKitCommandBarAnimation::DrawStep(CDC* pDC, CAnimateInfo* pInfo)
{
    const CRect& rc = pInfo->m_rect;
    if (pInfo->m_nStep != kLastStep) {
        LPBYTE pBits = nullptr;
        CBitmap bmpBlend;
        bmpBlend.Attach(Create32BitDibSection(pDC->m_hDC, rc.Width(), -rc.Height(), &pBits));
        if (pBits != nullptr) {
            ::GdiFlush();
            const int a = GetBlendFactor(pInfo->m_nStep);
            const size_t nBytes = static_cast<size_t>(rc.Width()) * static_cast<size_t>(rc.Height()) * 4;
            for (size_t i = 0; i < nBytes; i++)
                pBits[i] = static_cast<BYTE>((pInfo->m_pNewBits[i] * a + pInfo->m_pOldBits[i] * (255 - a)) >> 8);
            CKitSelectedBitmapDC dcBlend(pDC, bmpBlend.m_hObject);
            pDC->BitBlt(rc.left, rc.top, rc.Width(), rc.Height(), &dcBlend, 0, 0, SRCCOPY);
        }
    } else if (m_bmpCache.m_hObject != nullptr) {
        CKitSelectedBitmapDC dcCache(pDC, m_bmpCache.m_hObject);
        CopyRect(pDC, &dcCache, rc);
    }
    pInfo->m_nStep++;
}

void CKitCommandBarAnimation::OnTimer()
{
    CClientDC dc(m_pBar);
    for (int i = 0; i < GetFadeCount();) {
        CAnimateInfo* pInfo = m_arrFades.GetAt(i);
        const int nSaved = dc.SaveDC();
        for (INT_PTR j = 0; j < pInfo->m_arrExcluded.GetSize(); j++) {
            const CRect& rcExcluded = pInfo->m_arrExcluded.GetAt(j);
            ::ExcludeClipRect(dc.m_hDC, rcExcluded.left, rcExcluded.top, rcExcluded.right, rcExcluded.bottom);
        }
        DrawStep(&dc, pInfo);
        dc.RestoreDC(nSaved);
        if (pInfo->m_nStep > kLastStep)
            RemoveFade(i);
        else
            i++;
    }
    if (GetFadeCount() == 0 && m_bTimerRunning) {
        m_pBar->KillTimer(kTimerAnimation);
        m_bTimerRunning = FALSE;
    }
}

void CKitCommandBarAnimation::FillUnpainted(CDC* pDC, const CRect& rc)
{
    // What the bar's theme leaves unpainted shows the system's face, not the buffer's black.
    pDC->FillSolidRect(rc, ::GetSysColor(COLOR_BTNFACE));
}

void CKitCommandBarAnimation::Paint(CDC* pDC, CRect rcPaint)
{
    CRect rcClient;
    m_pBar->GetClientRect(&rcClient);
    if (m_bmpCache.m_hObject != nullptr && m_szCache != rcClient.Size())
        DeleteCache();
    if (!m_bKeepCache && !IsAnimationInForce()) {
        DeleteCache();
        if (!rcPaint.IsRectEmpty()) {
            CKitBufferDC dcBuffer(pDC->m_hDC, rcPaint);
            FillUnpainted(&dcBuffer, rcPaint);
            m_pBar->DrawCommandBar(&dcBuffer, rcPaint);
        }
        Reset();
        m_bDirty = FALSE;
        return;
    }
    if (rcClient.IsRectEmpty())
        return;
    if (m_bmpCache.m_hObject != nullptr && !m_bDirty) {
        CKitSelectedBitmapDC dcCache(pDC, m_bmpCache.m_hObject);
        pDC->BitBlt(0, 0, m_szCache.cx, m_szCache.cy, &dcCache, 0, 0, SRCCOPY);
        return;
    }
    if (m_bmpCache.m_hObject == nullptr) {
        m_bmpCache.Attach(Create32BitDibSection(pDC->m_hDC, rcClient.Width(), -rcClient.Height()));
        if (m_bmpCache.m_hObject == nullptr)
            return;
        m_szCache = rcClient.Size();
        rcPaint = rcClient;
    }
    {
        CKitSelectedBitmapDC dcCache(pDC, m_bmpCache.m_hObject);
        const int nSaved = dcCache.SaveDC();
        dcCache.IntersectClipRect(rcPaint);
        FillUnpainted(&dcCache, rcPaint);
        m_pBar->DrawCommandBar(&dcCache, rcPaint);
        dcCache.RestoreDC(nSaved);
        CopyRect(pDC, &dcCache, rcPaint);
    }
    Reset();
    m_bDirty = FALSE;
}
