// CKitRibbonSystemFrameTheme: the skinned frame in the system's caption colours, its caption and buttons drawn from markup.
#pragma once

#include "toolkit/themes/paint/frame_paint_manager.h"

#include <windows.h>

class CKitMarkupContext;

// The frame painter of every theme without frame pictures.
class CKitRibbonSystemFrameTheme : public CKitFramePaintManager {
public:
    // Caption buttons at least this wide get the larger glyphs.
    static constexpr int kLargeGlyphButton = 21;
    static constexpr int kLargeGlyph = 11;
    static constexpr int kSmallGlyph = 9;

    explicit CKitRibbonSystemFrameTheme(CKitPaintManager* pPaintManager);
    ~CKitRibbonSystemFrameTheme() override;

    void DrawFrame(CDC* pDC, CKitFrameHook* pHook) override;
    // A hot or pressed face and the glyph of close, minimise, maximise or restore; other ids get the face only.
    void DrawCaptionButton(CDC* pDC, CRect rc, int nId, BOOL bSelected, BOOL bPressed, BOOL bActive) override;
    // The base's metrics, then the system's caption colours; never a flat frame.
    void RefreshMetrics() override;

    // Parses the text, renders it into the rectangle and lets it go; nothing for a text that does not parse.
    void RenderMarkup(CDC* pDC, const CRect& rc, LPCSTR lpszMarkup);

    // The markup of a caption button's glyph of the size; null for an id without one.
    static LPCSTR GetCaptionGlyphMarkup(int nId, int nSize);

private:
    CKitMarkupContext* m_pMarkupContext;
};
