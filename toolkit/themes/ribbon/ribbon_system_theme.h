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
    void FillRibbonGroupsArea(CDC* pDC, CKitRibbonTab* pTab, CRect rcGroups) override;
    void FillRibbonBar(CDC* pDC, CKitRibbonBar* pRibbonBar) override;
    void DrawGroup(CDC* pDC, CKitRibbonGroup* pGroup) override;
    CSize DrawControlGroupPopup(CDC* pDC, CKitControl* pControl, BOOL bDraw) override;
    CSize DrawControlGroupOption(CDC* pDC, CKitControl* pControl, BOOL bDraw) override;
    // Context tabs keep their pictures.
    void DrawRibbonTab(CDC* pDC, CKitRibbonTab* pTab) override;
    void FillGroupPopupToolBar(CDC* pDC, CKitRibbonGroup* pGroup, CKitCommandBar* pPopupBar) override;
    // A composited frame keeps the picture drawing.
    void DrawRibbonFrameCaption(CDC* pDC, CKitRibbonBar* pRibbonBar, BOOL bActive) override;
    void DrawRibbonCaptionBar(CDC* pDC, CKitRibbonBar* pRibbonBar) override;
    void DrawRibbonSystemButton(CDC* pDC, CKitControl* pControl, CRect rc) override;
    void DrawQuickAccessButton(CDC* pDC, CKitControl* pControl) override;
    void DrawQuickAccessMoreButton(CDC* pDC, CKitControl* pControl) override;
    void DrawGroupsScrollButton(CDC* pDC, CKitControl* pControl, BOOL bScrollLeft) override;
    void FillMorePopupToolBar(CDC* pDC, CKitCommandBar* pPopupBar) override;
    void FillSystemPopupBar(CDC* pDC, CKitCommandBar* pPopupBar) override;
    void DrawSystemPopupBarButton(CDC* pDC, CKitControl* pControl) override;
    // A selected button of a joined row is left to the owner's drawing.
    BOOL DrawSpecialToolBarButton(CDC* pDC, CKitControl* pControl) override;

    // Parses the markup, draws it into the rectangle and releases it; nothing when it does not parse.
    void DrawMarkup(CDC* pDC, const CRect& rc, LPCSTR lpszMarkup);
    // The translucent shape behind a quick access toolbar of this size.
    static CString FormatQuickAccessPath(int nWidth, int nHeight);

private:
    // The translucent shape behind the quick access toolbar, in the rectangle.
    void DrawQuickAccessPath(CDC* pDC, const CRect& rc);

    CKitMarkupContext* m_pMarkupContext;
};
