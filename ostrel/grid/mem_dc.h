// CMemDC: an off-screen device context that copies itself to its target when it goes.
#pragma once

#include "framework/gdi.h"

// Draws into a bitmap of the target's clip box (or of the given rectangle)
// with the same coordinates; the destructor copies the bitmap to the target.
// For a printing DC it draws straight into the target.
class CMemDC : public CDC {
    DECLARE_DYNAMIC(CMemDC)
public:
    explicit CMemDC(CDC* pDC, const CRect* pRect = nullptr);
    ~CMemDC() override;
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

    BOOL IsOffScreen() const { return m_bMemDC; }

private:
    CBitmap m_bitmap;
    HGDIOBJ m_hOldBitmap = nullptr;
    CDC* m_pDC;
    CRect m_rect;
    BOOL m_bMemDC;
};
