// CKitRibbonSystemTheme: the ribbon painter that draws in the system's colours from small markup texts.
#pragma once

#include "toolkit/themes/ribbon/ribbon_paint_manager.h"

class CKitMarkupContext;

// The ribbon painter of every theme but the picture themes; parts it leaves alone are drawn from pictures.
class CKitRibbonSystemTheme : public CKitRibbonPaintManager {
    DECLARE_DYNAMIC(CKitRibbonSystemTheme)
public:
    explicit CKitRibbonSystemTheme(CKitPaintManager* pPaintManager);
    ~CKitRibbonSystemTheme() override;

    // The base metrics, then the system's colours in place of the theme's.
    void RefreshMetrics() override;

    // Parses the markup, draws it into the rectangle and releases it; nothing when it does not parse.
    void DrawMarkup(CDC* pDC, const CRect& rc, LPCSTR lpszMarkup);
    // The translucent shape behind a quick access toolbar of this size.
    static CString FormatQuickAccessPath(int nWidth, int nHeight);

private:
    CKitMarkupContext* m_pMarkupContext;
};
