// CKitFramePaintManager: draws a skinned frame's borders, caption, caption buttons and window region from theme pictures.
#pragma once

#include "framework/gdi.h"
#include "framework/geometry.h"
#include "framework/strings.h"
#include "toolkit/themes/paint/paint_manager.h"

#include <windows.h>

class CKitFrameHook;
class CKitResourceImage;

// The frame's measures in window coordinates as both frame painters read them.
struct CKitFrameMeasures {
    CRect rcWindow;   // (0, 0, W, H)
    int nLeft = 0;    // left border width
    int nTop = 0;     // top non-client height
    int nBottom = 0;  // bottom border height
    int nCaption = 0; // the hook's caption height
    int nStatusBar = 0;
    int nSide = 0; // the height of the inner border columns
    BOOL bActive = FALSE;

    explicit CKitFrameMeasures(CKitFrameHook* pHook);
};

// The bitmap frame painter of the resource and ribbon themes; its colours come from the theme's
// "Window" section, its pictures from the process-wide image set.
class CKitFramePaintManager {
public:
    // The caption is never lower than this.
    static constexpr int kMinCaptionHeight = 17;
    // Frame pictures hold an active and an inactive row; caption glyphs five states.
    static constexpr int kFrameStates = 2;
    static constexpr int kGlyphStates = 5;
    // The caption text starts this far in, or this far right of the icon.
    static constexpr int kCaptionTextLeft = 7;
    static constexpr int kCaptionTextAfterIcon = 12;

    explicit CKitFramePaintManager(CKitPaintManager* pPaintManager);
    virtual ~CKitFramePaintManager();
    CKitFramePaintManager(const CKitFramePaintManager&) = delete;
    CKitFramePaintManager& operator=(const CKitFramePaintManager&) = delete;

    // The window's region with rounded top corners (and bottom ones when a status bar is merged or the
    // bottom is rounded); none for a maximised window. The caller owns the region.
    virtual HRGN CreateWindowRegion(CKitFrameHook* pHook, int cx, int cy);
    // The whole non-client area in window coordinates.
    virtual void DrawFrame(CDC* pDC, CKitFrameHook* pHook);
    // One caption button: its face when hot or pressed, its glyph in the state.
    virtual void DrawCaptionButton(CDC* pDC, CRect rc, int nId, BOOL bSelected, BOOL bPressed, BOOL bActive);
    // Caption height, colours, flat-frame value and caption font.
    virtual void RefreshMetrics();
    // The window's title, the application part in its own colour when the title ends with it.
    virtual void DrawCaptionText(CDC* pDC, CRect rc, CWnd* pWnd, BOOL bActive);

    // The icon of the caption: none for a tool window or one without a system menu.
    static HICON GetFrameSmallIcon(HWND hWnd);
    static HICON GetFrameLargeIcon(HWND hWnd);

    int GetCaptionHeight() const { return m_nFrameCaptionHeight; }
    CKitPaintManager* GetPaintManager() const { return m_pPaintManager; }
    CFont* GetCaptionFont() { return &m_fontFrameCaption; }
    // Border colour k (0 outermost .. 3) of an active or inactive frame.
    COLORREF GetBorderColor(int nIndex, BOOL bActive) const
    {
        return bActive ? m_clrFrameBorderActive[nIndex] : m_clrFrameBorderInactive[nIndex];
    }

    // A visible standard status bar is drawn as part of the bottom frame.
    BOOL m_bFrameStatusBar = FALSE;
    // The bottom corners are rounded even without a merged status bar.
    BOOL m_bRoundedCornersAlways = FALSE;
    CKitPaintManagerFont m_fontFrameCaption;
    int m_nFrameCaptionHeight = kMinCaptionHeight;
    COLORREF m_clrFrameBorderActive[4] = {};
    COLORREF m_clrFrameBorderInactive[4] = {};
    COLORREF m_clrFrameCaptionTextActive = 0;
    COLORREF m_clrFrameCaptionTextInActive = 0;
    COLORREF m_clrFrameCaptionTextActiveTitle = 0;
    int m_nFlatFrame = 0;

protected:
    // The named picture of the process-wide image set; null when there is none.
    virtual CKitResourceImage* LoadImage(LPCSTR lpszName) const;
    // The caption band's contents after its background: icon, caption buttons and title.
    void DrawCaptionContent(CDC* pDC, CKitFrameHook* pHook, const CKitFrameMeasures& m);
    // The border columns at the sides and the bottom edge rows, common to both frame painters.
    void DrawBorderColumns(CDC* pDC, CKitFrameHook* pHook, const CKitFrameMeasures& m, BOOL bFlat);

    CKitPaintManager* m_pPaintManager;
};
