// CKitTabPaintManagerColorSet and the tab paint manager's nine colour sets: the colours and small fills of a tab strip.
#pragma once

#include "framework/gdi.h"
#include "framework/geometry.h"
#include "toolkit/common/color_manager.h"
#include "toolkit/common/theme_wrapper.h"
#include "toolkit/themes/tabs/tab_paint_manager.h"

#include <windows.h>

#include <functional>
#include <memory>

class CDC;
class CKitTabManager;
class CKitTabManagerItem;
class CKitTabManagerNavigateButton;

// The colours a tab paint manager and its appearance set draw with. Every colour
// keeps a custom value that wins over what RefreshMetrics sets.
class CKitTabPaintManagerColorSet {
public:
    static constexpr int kGroupSize = 6;
    // A light gradient colour that stands for a checkerboard dither.
    static constexpr COLORREF kDither = static_cast<COLORREF>(-2);

    CKitTabPaintManagerColorSet() = default;
    virtual ~CKitTabPaintManagerColorSet() = default;
    CKitTabPaintManagerColorSet(const CKitTabPaintManagerColorSet&) = delete;
    CKitTabPaintManagerColorSet& operator=(const CKitTabPaintManagerColorSet&) = delete;

    virtual void RefreshMetrics();
    // The text colour of the item in its state.
    virtual void SetTextColor(CDC* pDC, CKitTabManagerItem* pItem);
    virtual void FillHeader(CDC* pDC, CRect rc, CKitTabManager* pManager);
    // Fills the page in the selected item's face; returns that colour.
    virtual COLORREF FillClient(CDC* pDC, CRect rc, CKitTabManager* pManager);
    virtual void FillStateButton(CDC* pDC, CRect rc, CKitTabManagerItem* pItem);
    // Fills an item's body; returns the colour used (-1: none).
    virtual COLORREF FillPropertyButton(CDC* pDC, CRect rc, CKitTabManagerItem* pItem);
    virtual void FillTabControlPart(CDC* /*pDC*/, CRect /*rc*/, CKitTabManager* /*pManager*/) {}
    // The button's face; leaves the glyph colour as the DC's text colour and may move rc.
    virtual void FillNavigateButton(CDC* pDC, CKitTabManagerNavigateButton* pButton, CRect& rc) = 0;
    // The item's own colour with item colours on, else the selected or the normal face.
    virtual COLORREF GetItemColor(CKitTabManagerItem* pItem);
    virtual BOOL IsAppThemed() { return FALSE; }

    // A gradient across the strip, its direction following the position (a dither for kDither).
    void FillGradientAcross(CDC* pDC, CRect rc, COLORREF clrLight, COLORREF clrDark, int nPosition);
    void FillGradientAcross(CDC* pDC, CRect rc, const CKitPaintManagerColorGradient& grc, int nPosition);
    CKitPaintManagerColor& GetSelectedGroup(int nEntry) { return m_clrSelectedGroup[nEntry - 1]; }
    CKitPaintManagerColor& GetNormalGroup(int nEntry) { return m_clrNormalGroup[nEntry - 1]; }
    // The state border's light and dark colours.
    COLORREF GetStateHighlight() const { return m_grcStateBorder.clrLight; }
    COLORREF GetHotButtonBorder() const { return m_grcStateBorder.clrDark; }

    CKitPaintManagerColorGradient m_grcHeaderFace;
    CKitPaintManagerColorGradient m_grcSecondHeaderFace;
    CKitPaintManagerColor m_clrFrameBorder;
    CKitPaintManagerColor m_clrControlFace;
    CKitPaintManagerColor m_clrThirdFace;
    CKitPaintManagerColor m_clrLightEdge;
    CKitPaintManagerColor m_clrSelectedFace;
    CKitPaintManagerColor m_clrHotFace;
    CKitPaintManagerColor m_clrPressedFace;
    CKitPaintManagerColor m_clrNormalFace;
    CKitPaintManagerColor m_clrNormalText;
    CKitPaintManagerColor m_clrInactiveText;
    CKitPaintManagerColor m_clrSelectedText;
    CKitPaintManagerColor m_clrHotText;
    CKitPaintManagerColor m_clrDisabledText;
    CKitPaintManagerColorGradient m_grcStateFace;
    CKitPaintManagerColorGradient m_grcStateBorder;
    CKitPaintManagerColor m_clr3DHighlight;
    CKitPaintManagerColor m_clr3DShadow;
    CKitPaintManagerColor m_clr3DDarkShadow;
    CKitPaintManagerColor m_clrButtonBorder;
    CKitPaintManagerColor m_clrSelectedButtonBorder;
    CKitPaintManagerColor m_clrButtonInnerLight;
    CKitPaintManagerColor m_clrButtonInnerShade;
    CKitPaintManagerColor m_clrSelectedGroup[kGroupSize];
    CKitPaintManagerColor m_clrNormalGroup[kGroupSize];
    CKitPaintManagerColor m_clrHotItemBorder;
    CKitTabPaintManager* m_pPaintManager = nullptr;

protected:
    // Colour n of the colour manager.
    static COLORREF GetXtColor(int nIndex);
    // The text colour of the item's state; bInactiveText: an inactive strip has its own.
    void SetItemTextColor(CDC* pDC, CKitTabManagerItem* pItem, BOOL bInactiveText);
    // A gradient from clrLight to clr across the item's strip, or clr alone.
    void FillItemFace(CDC* pDC, CRect rc, CKitTabManagerItem* pItem, COLORREF clrLight, COLORREF clr, BOOL bGradient);
    CKitTabManager* GetManagerOf(CKitTabManagerItem* pItem) const;
};

// Classic 3-D colours; the state buttons dither their selected face.
class CKitTabPaintManager::CColorSetDefault : public CKitTabPaintManagerColorSet {
public:
    void RefreshMetrics() override;
    void FillNavigateButton(CDC* pDC, CKitTabManagerNavigateButton* pButton, CRect& rc) override;

protected:
    // The pressed-in or raised edge of a pressed or hot enabled button, in the two colours.
    void DrawNavigateButtonEdge(CDC* pDC, CKitTabManagerNavigateButton* pButton, CRect& rc, COLORREF clrLight,
                                COLORREF clrDark);
};

class CKitTabPaintManager::CColorSetVisualStudio2003 : public CColorSetDefault {
public:
    void RefreshMetrics() override;
    void FillNavigateButton(CDC* pDC, CKitTabManagerNavigateButton* pButton, CRect& rc) override;
};

// Follows the system's visual style (XP blue, olive, silver) unless theme colours are off.
class CKitTabPaintManager::CColorSetOffice2003 : public CColorSetDefault {
public:
    void RefreshMetrics() override;
    COLORREF FillPropertyButton(CDC* pDC, CRect rc, CKitTabManagerItem* pItem) override;
    void FillNavigateButton(CDC* pDC, CKitTabManagerNavigateButton* pButton, CRect& rc) override;

    struct Office2003Scheme;

    CKitPaintManagerColor m_clrThemeFrame;
    BOOL m_bThemeColors = FALSE;

protected:
    // Theme colours are allowed: the paint manager's option is off and the colour manager's are on.
    BOOL IsThemeColorsAllowed() const;
    // The colours of one visual-style scheme.
    void ApplyScheme(const Office2003Scheme& scheme);
    // These colours, then, unless theme colours are allowed (FALSE), the flat base of the
    // Visual Studio 2005 and 2008 sets (TRUE).
    BOOL RefreshFlatVisualStudio();
};

class CKitTabPaintManager::CColorSetOffice2007 : public CColorSetOffice2003 {
public:
    void RefreshMetrics() override;
    void FillNavigateButton(CDC* pDC, CKitTabManagerNavigateButton* pButton, CRect& rc) override;

    CKitPaintManagerColor m_clrTabText;

protected:
    // The ribbon theme's pictures and colours are loaded.
    static BOOL HasResourceImages();
};

class CKitTabPaintManager::CColorSetOffice2007Access : public CColorSetOffice2007 {
public:
    void RefreshMetrics() override;
};

class CKitTabPaintManager::CColorSetVisualStudio2005 : public CColorSetOffice2003 {
public:
    void RefreshMetrics() override;
    COLORREF FillPropertyButton(CDC* pDC, CRect rc, CKitTabManagerItem* pItem) override;

    BOOL m_bThemeHeader = FALSE;
};

class CKitTabPaintManager::CColorSetVisualStudio2008 : public CColorSetOffice2003 {
public:
    void RefreshMetrics() override;
    COLORREF FillPropertyButton(CDC* pDC, CRect rc, CKitTabManagerItem* pItem) override;

    BOOL m_bThemeHeader = FALSE;
};

// Dark blue header with a woven pattern; its colours depend on whether the system is Vista or later.
class CKitTabPaintManager::CColorSetVisualStudio2010 : public CColorSetVisualStudio2008 {
public:
    // A seam in front of the system's version test.
    using VistaProvider = std::function<BOOL()>;

    explicit CColorSetVisualStudio2010(BOOL bLightSelection = FALSE);
    ~CColorSetVisualStudio2010() override;

    void RefreshMetrics() override;
    void SetTextColor(CDC* pDC, CKitTabManagerItem* pItem) override;
    void FillHeader(CDC* pDC, CRect rc, CKitTabManager* pManager) override;
    COLORREF FillPropertyButton(CDC* pDC, CRect rc, CKitTabManagerItem* pItem) override;
    void FillNavigateButton(CDC* pDC, CKitTabManagerNavigateButton* pButton, CRect& rc) override;

    // Replaces the version test for every set made afterwards and refreshed (null: the system's).
    static void SetVistaProvider(VistaProvider provider);
    BOOL IsVistaOrGreater() const { return m_bVistaOrGreater; }

protected:
    BOOL m_bLightSelection;
    BOOL m_bVistaOrGreater = FALSE;
    CBrush m_brushHeader;
};

// Draws with the system's visual styles ("TAB" and "TOOLBAR"); classic without them.
class CKitTabPaintManager::CColorSetWinNative : public CColorSetDefault {
public:
    // lpszThemeLibrary: a library in place of the system's visual-style library (null: the system's).
    explicit CColorSetWinNative(LPCSTR lpszThemeLibrary = nullptr);

    void RefreshMetrics() override;
    COLORREF FillClient(CDC* pDC, CRect rc, CKitTabManager* pManager) override;
    COLORREF FillPropertyButton(CDC* pDC, CRect rc, CKitTabManagerItem* pItem) override;
    void FillStateButton(CDC* pDC, CRect rc, CKitTabManagerItem* pItem) override;
    void FillNavigateButton(CDC* pDC, CKitTabManagerNavigateButton* pButton, CRect& rc) override;
    void FillTabControlPart(CDC* pDC, CRect rc, CKitTabManager* pManager) override;
    BOOL IsAppThemed() override;

protected:
    std::unique_ptr<CKitWinThemeWrapper> m_pThemeTab;
    std::unique_ptr<CKitWinThemeWrapper> m_pThemeToolbar;
};
