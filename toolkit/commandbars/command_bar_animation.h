// CKitCommandBarAnimation, CKitSelectedBitmapDC: a bar's off-screen picture and the cross-fades of its changed rectangles.
#pragma once

#include "framework/collections.h"
#include "framework/gdi.h"
#include "framework/geometry.h"

#include <windows.h>

class CKitCommandBar;

// A memory device context with a bitmap selected for its lifetime.
class CKitSelectedBitmapDC : public CDC {
public:
    CKitSelectedBitmapDC(CDC* pCompatible, HGDIOBJ hBitmap)
    {
        CreateCompatibleDC(pCompatible);
        m_hOld = ::SelectObject(m_hDC, hBitmap);
    }
    ~CKitSelectedBitmapDC() override { ::SelectObject(m_hDC, m_hOld); }
    CKitSelectedBitmapDC(const CKitSelectedBitmapDC&) = delete;
    CKitSelectedBitmapDC& operator=(const CKitSelectedBitmapDC&) = delete;

private:
    HGDIOBJ m_hOld;
};

class CKitCommandBarAnimation {
public:
    static constexpr UINT_PTR kTimerAnimation = 707907;
    static constexpr UINT kAnimationPeriod = 50;
    // The step that shows the final picture; five blended frames come before it.
    static constexpr int kLastStep = 6;

    // One running fade: the rectangle's old and new pictures (32-bit, top-down).
    class CAnimateInfo {
    public:
        // Both pictures of the rectangle's size; IsValid tells whether they were made.
        CAnimateInfo(HDC hDC, const CRect& rc);
        CAnimateInfo(const CAnimateInfo&) = delete;
        CAnimateInfo& operator=(const CAnimateInfo&) = delete;

        BOOL IsValid() const { return m_pNewBits != nullptr && m_pOldBits != nullptr; }
        // Whether old and new pictures hold the same pixels.
        BOOL IsUnchanged() const;

        CBitmap m_bmpNew;
        LPBYTE m_pNewBits = nullptr;
        CBitmap m_bmpOld;
        LPBYTE m_pOldBits = nullptr;
        CRect m_rect;
        int m_nStep = 1;
        // Rectangles of later fades this one must not paint over.
        CArray<CRect, const CRect&> m_arrExcluded;
    };

    explicit CKitCommandBarAnimation(CKitCommandBar* pBar);
    ~CKitCommandBarAnimation();
    CKitCommandBarAnimation(const CKitCommandBarAnimation&) = delete;
    CKitCommandBarAnimation& operator=(const CKitCommandBarAnimation&) = delete;

    // The bar's redraw: the whole bar (null) later, or the rectangle now, cross-faded when bAnimate.
    void RedrawRect(LPCRECT lpRect, BOOL bAnimate);
    // The bar's WM_PAINT into the device context for its paint rectangle.
    void Paint(CDC* pDC, CRect rcPaint);
    // One step of every running fade.
    void OnTimer();
    // Drops every fade and stops the timer.
    void Reset();
    // The bar's window goes: the cache and the fades with it.
    void OnDestroy();

    BOOL GetAnimationEnabled() const { return m_bEnableAnimation; }
    void SetAnimationEnabled(BOOL bEnable) { m_bEnableAnimation = bEnable; }
    BOOL GetKeepCache() const { return m_bKeepCache; }
    void SetKeepCache(BOOL bKeep) { m_bKeepCache = bKeep; }
    // The bar's own option or the paint manager's.
    BOOL IsAnimationInForce() const;

    // 255 * step / 6: the weight of the new picture at the step.
    static int GetBlendFactor(int nStep) { return nStep * 255 / kLastStep; }
    // Draws the fade's current step at its rectangle and moves to the next.
    void DrawStep(CDC* pDC, CAnimateInfo* pInfo);

    int GetFadeCount() const { return static_cast<int>(m_arrFades.GetSize()); }
    // The fade at the index; an index outside the list is an invalid-argument error.
    CAnimateInfo* GetFade(int nIndex) const { return m_arrFades.GetAt(nIndex); }
    BOOL IsTimerRunning() const { return m_bTimerRunning; }
    BOOL IsDirty() const { return m_bDirty; }
    // The bar as last drawn; null before the first cached paint.
    CBitmap* GetCache() { return m_bmpCache.m_hObject != nullptr ? &m_bmpCache : nullptr; }

private:
    // The buffer's part the bar draws on, in the system's face first.
    static void FillUnpainted(CDC* pDC, const CRect& rc);
    void DeleteCache();
    void RemoveFade(int nIndex);
    // Drops the fades the rectangle covers wholly; with bExclude the others it meets keep out of it.
    void RemoveCoveredFades(const CRect& rc, BOOL bExclude);

    CKitCommandBar* m_pBar;
    CBitmap m_bmpCache;
    CSize m_szCache;
    BOOL m_bDirty = FALSE;
    BOOL m_bTimerRunning = FALSE;
    BOOL m_bEnableAnimation = FALSE;
    BOOL m_bKeepCache = FALSE;
    CArray<CAnimateInfo*, CAnimateInfo*> m_arrFades;
};
