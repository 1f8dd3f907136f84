// CKitButtonTheme, CKitButtonFlatTheme, CKitButtonUltraFlatTheme, CKitButtonOffice2000Theme, CKitButtonOfficeXPTheme, CKitButtonOffice2003Theme, CKitButtonResourceTheme: how a themed button looks.
#pragma once

#include "toolkit/common/color_manager.h"
#include "toolkit/common/control_theme.h"

#include "framework/geometry.h"

#include <memory>

class CDC;
class CKitButton;
class CKitWinThemeWrapper;

// The default theme: the three-dimensional face, or the visual style when the
// button uses one. The layout of glyph, caption and image is computed here
// for every theme alike.
class CKitButtonTheme : public CKitControlTheme {
    DECLARE_DYNAMIC(CKitButtonTheme)
public:
    // The parts CalcRect computes.
    enum Part {
        kPartCheckGlyph = 1,
        kPartRadioGlyph = 2,
        kPartCheckText = 3,
        kPartRadioText = 4,
        kPartGroupText = 5,
        kPartGroupFrame = 6,
    };
    // The gap between a glyph and its caption.
    static constexpr int kGlyphTextGap = 3;
    static constexpr int kGlyphSize = 13;

    CKitButtonTheme();
    ~CKitButtonTheme() override;

    virtual void DrawButtonBackground(CDC* pDC, CKitButton* pButton);
    virtual void DrawFocusRect(CDC* pDC, CKitButton* pButton);
    // Draws the whole button in the button's order of pieces.
    virtual void DrawButton(CDC* pDC, CKitButton* pButton);
    virtual void DrawVisualStyleBackground(CDC* pDC, CKitButton* pButton);
    virtual void RefreshMetrics(CKitButton* pButton);
    virtual void DrawButtonText(CDC* pDC, CKitButton* pButton);
    virtual COLORREF GetTextColor(CKitButton* pButton);
    virtual void DrawCheckMark(CDC* pDC, CKitButton* pButton);
    virtual void DrawRadioButton(CDC* pDC, CKitButton* pButton);
    virtual void DrawGroupBox(CDC* pDC, CKitButton* pButton);

    void CalcRect(CDC* pDC, CKitButton* pButton, LPRECT lpRect, int nPart);
    // The caption rectangle and its text flags and the icon rectangle of a push-like button (each may be null).
    void CalcTextImageRects(CDC* pDC, CKitButton* pButton, CRect* pTextRect, UINT* pFlags, CRect* pImageRect);
    void DrawButtonImage(CDC* pDC, CKitButton* pButton);
    void DrawDropDownArrow(CDC* pDC, CKitButton* pButton);
    void DrawCaptionText(CDC* pDC, CKitButton* pButton);
    BOOL UsesVisualStyles(CKitButton* pButton);
    CKitWinThemeWrapper* GetThemeWrapper() const { return m_pTheme.get(); }
    BOOL IsOffsetHiliteText() const { return m_bOffsetHiliteText; }

    CKitPaintManagerColor m_clrDisabledText;
    CKitPaintManagerColor m_clrInnerLight;
    CKitPaintManagerColor m_clrInnerShadow;
    CKitPaintManagerColor m_clrOuterLight;
    CKitPaintManagerColor m_clrOuterShadow;
    CKitPaintManagerColor m_clrFace;

protected:
    // Caption, icon and arrow of a down button move by (1, 1).
    BOOL IsPressedOffset(CKitButton* pButton);
    // The caption with its mnemonics' ampersands removed.
    static CString GetStrippedText(CKitButton* pButton);
    static BOOL IsDown(CKitButton* pButton);
    static BOOL IsUIStateHidden(CKitButton* pButton, WORD wFlag);
    // The group box's frame; its caption is excluded from the DC's clipping until the frame is drawn.
    CRect BeginGroupBox(CDC* pDC, CKitButton* pButton);
    // The frame-control flags of a classic glyph of that kind in the button's state.
    UINT FrameControlState(CKitButton* pButton, UINT nKind, int nChecked) const;

    std::unique_ptr<CKitWinThemeWrapper> m_pTheme;
    BOOL m_bOffsetHiliteText;
    int m_nFocusInset;
    BOOL m_bFlatGlyphs;
    BOOL m_bToolbarClass;
    int m_cxBorder;
    int m_cyBorder;
    int m_cyEdge;
    int m_cxEdge;
};

class CKitButtonFlatTheme : public CKitButtonTheme {
    DECLARE_DYNAMIC(CKitButtonFlatTheme)
public:
    CKitButtonFlatTheme();
    void DrawButtonBackground(CDC* pDC, CKitButton* pButton) override;
};

// Flat faces with coloured hot, pushed and checked fills; smooth round radio glyphs.
class CKitButtonUltraFlatTheme : public CKitButtonTheme {
    DECLARE_DYNAMIC(CKitButtonUltraFlatTheme)
public:
    CKitButtonUltraFlatTheme();
    void RefreshMetrics(CKitButton* pButton) override;
    void DrawButtonBackground(CDC* pDC, CKitButton* pButton) override;
    void DrawCheckMark(CDC* pDC, CKitButton* pButton) override;
    void DrawRadioButton(CDC* pDC, CKitButton* pButton) override;
    void DrawGroupBox(CDC* pDC, CKitButton* pButton) override;

    // An anti-aliased disc in the rectangle: frame ring and fill.
    static void DrawSmoothDisc(CDC* pDC, const CRect& rc, COLORREF clrFrame, COLORREF clrFill);

    CKitPaintManagerColor m_clrPushed;
    CKitPaintManagerColor m_clrHot;
    CKitPaintManagerColor m_clrChecked;

protected:
    // The fill of a check or radio glyph by the hot and pushed states.
    COLORREF GetGlyphFill(CKitButton* pButton);
    COLORREF GetGlyphFrame(CKitButton* pButton);
    // The idle face: the button's background colour, framed in the inner shadow.
    void DrawIdleFace(CDC* pDC, CKitButton* pButton, CRect rc);
    // The hot, pushed or checked fill of the face.
    COLORREF GetStateFill(CKitButton* pButton);

    BOOL m_bColoredGlyphs;
};

class CKitButtonOffice2000Theme : public CKitButtonUltraFlatTheme {
    DECLARE_DYNAMIC(CKitButtonOffice2000Theme)
public:
    CKitButtonOffice2000Theme();
    void DrawButtonBackground(CDC* pDC, CKitButton* pButton) override;
};

class CKitButtonOfficeXPTheme : public CKitButtonUltraFlatTheme {
    DECLARE_DYNAMIC(CKitButtonOfficeXPTheme)
public:
    CKitButtonOfficeXPTheme();
    void RefreshMetrics(CKitButton* pButton) override;
    void DrawButtonBackground(CDC* pDC, CKitButton* pButton) override;
};

class CKitButtonOffice2003Theme : public CKitButtonOfficeXPTheme {
    DECLARE_DYNAMIC(CKitButtonOffice2003Theme)
public:
    CKitButtonOffice2003Theme();
    void RefreshMetrics(CKitButton* pButton) override;
    void DrawButtonBackground(CDC* pDC, CKitButton* pButton) override;

protected:
    BOOL m_bLunaTheme;
};

// Faces and glyphs from the resource images when they are loaded.
class CKitButtonResourceTheme : public CKitButtonUltraFlatTheme {
    DECLARE_DYNAMIC(CKitButtonResourceTheme)
public:
    CKitButtonResourceTheme();
    void RefreshMetrics(CKitButton* pButton) override;
    void DrawButtonBackground(CDC* pDC, CKitButton* pButton) override;
    void DrawCheckMark(CDC* pDC, CKitButton* pButton) override;
    void DrawRadioButton(CDC* pDC, CKitButton* pButton) override;

private:
    // The glyph from the strip image; FALSE without the image.
    BOOL DrawGlyphImage(CDC* pDC, CKitButton* pButton, LPCSTR lpszImage, int nCount, int nPart);
};

// The button theme of an id: 1 flat, 2 ultra-flat, 3 Office 2000, 4 Office XP,
// 5 Office 2003, 7 resource images, any other the default theme.
CKitButtonTheme* KitCreateButtonTheme(int nTheme);
