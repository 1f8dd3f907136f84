// CKitPaintManagerFont, CKitPaintManager: the command-bar paint manager's fonts, metrics, colour table and theme switch.
#pragma once

#include "framework/gdi.h"
#include "framework/geometry.h"
#include "framework/msgmap.h"
#include "framework/strings.h"
#include "toolkit/common/color_manager.h"
#include "toolkit/common/theme_wrapper.h"
#include "toolkit/common/upper_services.h"

#include <windows.h>

#include <memory>

class CKitCommandBar;
class CKitCommandBarKeyboardTip;
class CKitCommandBarManager;
class CKitControl;
class CKitControlGalleryPaintManager;
class CKitControlComboBox;
class CKitControlEdit;
class CKitFramePaintManager;
class CKitImageManagerIcon;
struct CKitMessageBarButton;
struct CKitMessageBarLayout;
class CKitShadowManager;
class CKitStatusBarPane;
class CKitStatusBarSwitchPane;

// A command-bar font: while its standard flag is set (or it has no handle) UpdateFonts makes it again.
class CKitProgressPaintManager;
class CKitRibbonPaintManager;
class CKitSliderPaintManager;

// A command-bar font: while its standard flag is set (or it has no handle) UpdateFonts makes it again.
class CKitPaintManagerFont : public CFont {
public:
    CKitPaintManagerFont() = default;
    CKitPaintManagerFont(const CKitPaintManagerFont&) = delete;
    CKitPaintManagerFont& operator=(const CKitPaintManagerFont&) = delete;

    // A font set by the application: it stays until SetStandardFont(TRUE).
    void SetCustomFont(const LOGFONTA* lpLogFont);
    BOOL IsStandardFont() const { return m_bStandardFont; }
    void SetStandardFont(BOOL bStandard) { m_bStandardFont = bStandard; }
    // Makes the font from the description when it is a standard font or has no handle.
    void SetStandardFontIndirect(const LOGFONTA* lpLogFont);

private:
    BOOL m_bStandardFont = TRUE;
};

// The abstract base of the command-bar themes; one current instance serves the process.
class CKitPaintManager : public CCmdTarget, public CKitBarPainter {
    DECLARE_DYNAMIC(CKitPaintManager)
public:
    static constexpr int kColorCount = 63;
    static constexpr int kCustomTheme = 10;
    // The smallest control height and its drop-down rule.
    static constexpr int kMinControlHeight = 22;
    // The smallest height of a command bar's gripper.
    static constexpr int kGripperMinHeight = 22;

    CKitPaintManager();
    ~CKitPaintManager() override;
    CKitPaintManager(const CKitPaintManager&) = delete;
    CKitPaintManager& operator=(const CKitPaintManager&) = delete;

    // The current paint manager, or null while none is installed.
    static CKitPaintManager* GetCurrent() { return s_pCurrent; }
    // Releases the current paint manager, installs pPaintManager (taking its
    // reference) with theme number 10 and refreshes its metrics.
    static void SetCustomTheme(CKitPaintManager* pPaintManager);
    // Releases the current paint manager and clears it.
    static void Done();
    // A new theme object of that number (unknown numbers give the default theme) holding one reference.
    static CKitPaintManager* CreateTheme(int nTheme);
    // Installs a new theme of that number as the current paint manager.
    static void SetTheme(int nTheme);
    // The current paint manager; theme 0 is installed first when there is none.
    static CKitPaintManager* Instance();
    // The bar's or control's painter when it is a paint manager, else the current one.
    static CKitPaintManager* FromPainter(CKitBarPainter* pPainter);

    // Index 0..62: the entry's custom value unless -1, else its standard value; a larger value is itself a colour.
    COLORREF GetColor(int nIndex) const;
    // The standard values of the listed entries.
    void SetColors(int nCount, const int* pIndices, const COLORREF* pColors);
    CKitPaintManagerColor& GetColorEntry(int nIndex) { return m_arrColor[nIndex]; }

    // The visual style: setting 7 follows the colour manager's style in force
    // (0 when its visual-style colours are off), 6 its detected style; others stand.
    int GetCurrentSystemTheme() const;
    int GetControlHeight() const override;
    void AddPainterReference() override { InternalAddRef(); }
    void ReleasePainterReference() override { InternalRelease(); }
    int GetSplitDropDownSize() const override;
    void CastControlShadow(CWnd* pPopup, const CRect& rcControl) override;
    void CastPopupShadow(CWnd* pPopup, const CRect& rcExclude, BOOL bGroup) override;
    void RemovePopupShadow(CWnd* pPopup) override;
    void AnimatePopupBar(CDC* pDestDC, CDC* pSrcDC, CRect rc, int nKind) override
    {
        Animate(pDestDC, pSrcDC, rc, nKind);
    }
    BOOL IsAnimationEnabled() const override { return m_bEnableAnimation; }
    CSize GetAutoIconSize(BOOL bLarge) const;
    static void StripMnemonics(CString& strText);
    // Splits a caption at the space nearest its middle (the left one at equal distance).
    static void SplitString(const CString& str, CString& strFirstRow, CString& strSecondRow);
    // Makes the four command-bar fonts from the description (nothing more with a null one).
    void SetCommandBarsFontIndirect(LOGFONTA* pLogFont, BOOL bUseStandardFont);

    // Fills with the brush colour unless -1, then frames in the pen colour when it differs and is not -1.
    void Rectangle(CDC* pDC, CRect rc, int nPen, int nBrush);
    void Draw3dRect(CDC* pDC, CRect rc, int nTopLeft, int nBottomRight);
    void HorizontalLine(CDC* pDC, int x0, int y, int x1, COLORREF clr);
    void VerticalLine(CDC* pDC, int x, int y0, int y1, COLORREF clr);
    // With the pen selected in the DC.
    void Line(CDC* pDC, int x0, int y0, int x1, int y1);
    // Straight lines as filled rectangles, others with a 1-pixel pen.
    void Line(CDC* pDC, int x0, int y0, int x1, int y1, int nPen);

    // A filled triangle.
    static void DrawTriangle(CDC* pDC, CPoint pt0, CPoint pt1, CPoint pt2, COLORREF clr);
    // Each of red, green and blue as base + (pixel - base) x factor; the pixel is read from the
    // DC at (x, y) for a factor of 0 or more, else the given colour is used with the factor's size.
    static COLORREF BlendPixel(CDC* pDC, int x, int y, COLORREF clrBase, COLORREF clrPixel, double dFactor);
    // An anti-aliased filled circle in a square rectangle; nothing in another rectangle.
    static void DrawSmoothCircle(CDC* pDC, CRect rc, COLORREF clrEdge, COLORREF clrFill);
    // The pixels' blue, green and red as (first x (255 - alpha) + second x alpha) >> 8; alpha bytes stay.
    static void BlendBuffers(DWORD* pDestination, const DWORD* pFirst, int cx, int cy, const DWORD* pSecond,
                             int nAlpha);
    // A gradient clipped to the clip rectangle, through the common drawing services.
    static void GradientFill(CDC* pDC, CRect rc, COLORREF clrFrom, COLORREF clrTo, BOOL bHorz, CRect rcClip);
    // Sets the alpha of every pixel of the rectangle to 255.
    static void FillAlphaOpaque(CDC* pDC, CRect rc);
    // Fills the rectangle with the colour at alpha 255.
    static void FillSolidRectAlpha(CDC* pDC, CRect rc, COLORREF clr);
    // The icon's proportions inside the box; the box without an icon.
    static CSize GetStretchIconSize(CKitImageManagerIcon* pIcon, int cx, int cy);
    // Text through the theme's composited text when asked and possible, else plain DrawText; pTheme gives the
    // visual-style functions (null: the system's).
    static void DrawComposedText(CDC* pDC, const CString& str, CRect rc, UINT nFormat, BOOL bComposited,
                                 CKitWinThemeWrapper* pTheme = nullptr);
    // The visual-style library composited text is drawn through; empty: the system's.
    void SetThemeLibrary(LPCSTR lpszLibrary) { m_strThemeLibrary = lpszLibrary; }
    // A wrapper of that library's functions, no class open.
    std::unique_ptr<CKitWinThemeWrapper> CreateThemeWrapper() const;

    // Measures (bDraw FALSE) or draws a control: edits and combo boxes, popup items or bar controls.
    CSize DrawControl(CDC* pDC, CKitControl* pControl, BOOL bDraw) override;
    // The control's image at the width from the process-wide image store, or null.
    CKitImageManagerIcon* GetControlImage(CKitControl* pControl, int nWidth);

    // Measures or draws a control on a popup bar (the caption and shortcut part).
    virtual CSize DrawControlPopupParent(CDC* pDC, CKitControl* pControl, BOOL bDraw);
    // Measures or draws a control on a toolbar or menu bar.
    virtual CSize DrawControlToolBarParent(CDC* pDC, CKitControl* pControl, BOOL bDraw);
    // The background of one control.
    virtual void DrawControlEntry(CDC* pDC, CKitControl* pControl);
    // Measures a combo box or an edit control and draws its label; the themes add the field.
    virtual CSize DrawControlComboBox(CDC* pDC, CKitControlComboBox* pComboBox, BOOL bDraw);
    virtual CSize DrawControlEdit(CDC* pDC, CKitControlEdit* pEdit, BOOL bDraw);
    virtual COLORREF GetControlTextColor(CKitControl* pControl);
    // Check-box and radio marks; always 13 x 13.
    virtual CSize DrawControlCheckBoxMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed,
                                          int nChecked, BOOL bEnabled);
    virtual CSize DrawControlRadioButtonMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed,
                                             int nChecked, BOOL bEnabled);
    // Popup text, embossed when disabled; the height drawn or measured.
    virtual int DrawControlText2(CDC* pDC, const CString& str, CRect rc, UINT nFormat, BOOL bDraw, BOOL bSelected,
                                 BOOL bEnabled);

    // Drawing every theme supplies.
    virtual void DrawSplitButtonFrame(CDC* pDC, CKitControl* pButton, CRect rc) = 0;
    virtual CSize DrawListBoxControl(CDC* pDC, CKitControl* pButton, CRect rc, BOOL bSelected, BOOL bDraw,
                                     CKitCommandBarManager* pCommandBars) = 0;
    virtual void FillCommandBarEntry(CDC* pDC, CKitCommandBar* pBar) = 0;
    COLORREF GetControlEditBackColor(CKitControl* pControl) override;
    COLORREF GetControlStateTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped,
                                      int nBarType, int nBarPosition) override = 0;
    virtual void DrawRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                               BOOL bPopuped, int nBarType, int nBarPosition) = 0;
    // The gripper area of a bar; the base gives the caption strip of a floating bar, 0 x 0 for others.
    CSize DrawFloatingBarCaption(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw) override;
    virtual CSize DrawCommandBarSeparator(CDC* pDC, CKitCommandBar* pBar, CKitControl* pControl, BOOL bDraw) = 0;
    virtual void AdjustControlRect(CRect& rc, CKitControl* pControl, BOOL bVertical) = 0;
    virtual void RefreshMetrics();
    CRect GetCommandBarBorders(CKitCommandBar* pBar) override;
    virtual CSize DrawTearOffGripper(CDC* pDC, CRect rcGripper, BOOL bSelected, BOOL bDraw) = 0;
    virtual void DrawPopupResizeGripper(CDC* pDC, CRect rcGripper, int nFlags) = 0;
    virtual void DrawControlImage(CDC* pDC, CPoint pt, CSize sz, CKitImageManagerIcon* pImage, BOOL bSelected,
                                  BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped, BOOL bToolBarImage) = 0;
    virtual CSize DrawCommandBarGripper(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw) = 0;
    CRect GetSplitButtonCommandRect(CKitControl* pButton) override;
    virtual int GetCurrentTheme() const = 0;
    CFont* GetControlFont(CKitControl* pControl) override;
    CFont* GetCommandBarFont(CKitCommandBar* pBar) override;
    virtual int GetControlTextOrientation(CKitControl* pControl);
    virtual void UpdateFonts();
    virtual void RefreshStandardColors();
    // Expand buttons of toolbars (kind 0) and popups (1), the close button (2) and menu arrow (3) of a floating caption.
    CSize DrawSpecialControl(CDC* pDC, int nKind, CKitControl* pControl, CKitCommandBar* pBar, BOOL bDraw,
                             LPARAM lpParam) override;
    // An MDI frame button whose parameter holds its glyph.
    void DrawControlMDIButton(CDC* pDC, CKitControl* pControl) override;
    // The face of a dock bar: the theme's window face.
    void FillDockBar(CDC* pDC, CWnd* pDockBar) override { FillWindowFace(pDC, pDockBar); }
    // The opening animation of a popup: 2 unfold, 3 slide, 4 fade; other kinds draw nothing.
    virtual void Animate(CDC* pDestDC, CDC* pSrcDC, CRect rc, int nAnimationType);
    // Icon, button face, text or markup of a status-bar pane.
    virtual void DrawStatusBarPaneEntry(CDC* pDC, CRect rcItem, CKitStatusBarPane* pPane);
    // The state rectangle of a button pane that is hot, pressed or marked as a button.
    virtual void DrawStatusBarButtonFace(CDC* pDC, CRect rcItem, CKitStatusBarPane* pPane);
    // The switch buttons, 18 pixels each; without a DC their widths and the total.
    virtual int DrawStatusBarSwitches(CDC* pDC, CRect rcItem, CKitStatusBarSwitchPane* pPane);
    virtual void DrawStatusBarPaneBorder(CDC* pDC, CRect rc, CKitStatusBarPane* pPane, BOOL bGripperPane);
    virtual void DrawVerticalSeparator(CDC* pDC, CRect rc, CKitStatusBarPane* pPane);
    // The size grip in the client rectangle's bottom right corner.
    virtual void DrawStatusBarGripper(CDC* pDC, CRect rcClient);
    virtual void FillWindowFace(CDC* pDC, CWnd* pWnd);
    virtual void FillStatusBar(CDC* pDC, CWnd* pBar);
    // A message-bar button: its face and state, and the cross of the close button.
    virtual void DrawMessageBarButton(CDC* pDC, CKitMessageBarButton* pButton);
    // The bar's client in the button face, its message framed in the shadow colour on the info background.
    virtual void FillMessageBar(CDC* pDC, const CKitMessageBarLayout* pBar);
    // Paints a keyboard tip (region flag 0); nothing for the region in the base.
    void DrawKeyboardTip(CDC* pDC, CKitCommandBarKeyboardTip* pTip, BOOL bSetRegion) override;
    // Fills the rectangle with the application workspace colour.
    virtual void FillWorkspace(CDC* pDC, CRect rc, CRect rcExclude);
    // A popup showing its hidden controls: their strips grow frame by frame, from the top (direction 1) or the bottom.
    virtual void AnimateExpanding(CKitCommandBar* pBar, CDC* pDestDC, CDC* pSrcDC, BOOL bExpandDown);
    // Fills the image column of popups; empty here.
    virtual void FillExpandedColumn(CDC* pDC, CRect rc, BOOL bHiddenControl);
    // The check tick in the colour; the enabled flag is for the themes.
    virtual void DrawCheckMark(CDC* pDC, CRect rc, BOOL bEnabled, COLORREF clr);
    // A smooth dot in the 6 x 6 square centred on the rectangle.
    virtual void DrawSmoothDot(CDC* pDC, CRect rc, COLORREF clr);
    // A filled down-pointing triangle centred in the rectangle.
    virtual void DrawDownArrowGlyph(CDC* pDC, CRect rc, COLORREF clr);
    // The small arrow of a popup control at (x, y), in the state's caption colour.
    virtual void DrawDropDownArrow(CDC* pDC, CKitControl* pControl, int x, int y, BOOL bSelected, BOOL bPopuped,
                                   BOOL bEnabled, BOOL bPointLeft);
    virtual int GetPopupBarGripperWidth(CKitCommandBar* pBar);
    virtual BOOL IsFlatCommandBar(CKitCommandBar* pBar);
    virtual CSize GetPopupBarImageSize(CKitCommandBar* pBar);

    int GetTextHeight() const { return m_nTextHeight; }
    int GetThemeNumber() const { return m_nThemeNumber; }
    void SetThemeNumber(int nTheme) { m_nThemeNumber = nTheme; }
    CKitShadowManager* GetShadowManager() const { return m_pShadowManager; }
    // The painters of galleries, sliders and progress bars, owned here.
    CKitControlGalleryPaintManager* GetGalleryPaintManager() const { return m_pGalleryPaintManager.get(); }
    CKitSliderPaintManager* GetSliderPaintManager() const { return m_pSliderPaintManager.get(); }
    CKitProgressPaintManager* GetProgressPaintManager() const { return m_pProgressPaintManager.get(); }
    // The ribbon painter, made and refreshed on first request, then refreshed with this paint manager.
    CKitRibbonPaintManager* GetRibbonPaintManager();
    // The painter of skinned frames, made and refreshed on first request; owned here.
    virtual CKitFramePaintManager* GetFramePaintManager();
    CFont* GetRegularFont() { return &m_fontRegular; }
    CFont* GetRegularBoldFont() { return &m_fontBold; }
    CFont* GetVerticalFont() { return &m_fontVert; }
    CFont* GetVerticalBoldFont() { return &m_fontVertBold; }
    CKitPaintManagerFont* GetSmallCaptionFont() { return &m_fontSmCaption; }
    CKitPaintManagerFont* GetIconFont() { return &m_fontIcon; }
    CKitPaintManagerFont* GetIconBoldFont() { return &m_fontIconBold; }
    CKitPaintManagerFont* GetStatusFont() { return &m_fontStatus; }
    // The layered-window function of "USER32", or null.
    using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    SetLayeredWindowAttributesFn GetLayeredWindowFunction() const { return m_pfnSetLayeredWindowAttributes; }

    // Settings the themes and the application change; the names follow the options they hold.
    COLORREF m_clrText = 0;
    COLORREF m_clrDisabledText = 0;
    COLORREF m_clrInfoText = 0;
    CKitPaintManagerColorGradient m_clrFace;
    CKitPaintManagerColor m_clrFloatingGripper;
    CKitPaintManagerColor m_clrFloatingGripperText;
    BOOL m_bThickCheckMark = FALSE;
    BOOL m_bShowShadow = TRUE;
    BOOL m_bThemedStatusBar = FALSE;
    BOOL m_bThemedCheckBox = FALSE;
    BOOL m_bClearTypeTextQuality = FALSE;
    BOOL m_bFlatToolBar = FALSE;
    BOOL m_bFlatMenuBar = FALSE;
    int m_nPopupBarTextPadding = 4;
    BOOL m_bFullWidthMenuHighlight = FALSE;
    BOOL m_bEnableAnimation = FALSE;
    int m_nCaptionSpacing = 0;
    BOOL m_bKeepIconColumn = TRUE;
    BOOL m_bSplitTwoLineCaptions = TRUE;
    int m_nSplitButtonDropDownWidth = 11;
    int m_nSplitButtonPopupWidth = 20;
    BOOL m_bAutoResizeIcons = FALSE;
    int m_nSpareHeight = 20;
    CRect m_rcSpare;
    int m_nFixedControlSize = 0;
    int m_nFontHeight = 0;
    BOOL m_bUseStandardFont = TRUE;
    BOOL m_bEmbossedDisabledText = TRUE;
    BOOL m_bFadedIcons = FALSE;
    BOOL m_bUseDisabledIcons = FALSE;
    BOOL m_bIconsWithShadow = FALSE;
    BOOL m_bGenerateDisabledIcons = FALSE;
    int m_nAnimationSteps = 10;
    int m_nAnimationTime = 100;
    int m_nKeyboardCues = -1;
    int m_nSystemTheme = 7;

protected:
    // A control selected from the keyboard (its selected or pressed state 2 or 3).
    static bool IsKeyboardState(int nState) { return nState == 2 || nState == 3; }
    // The control's state as the state drawing reads it.
    struct ControlState {
        BOOL bSelected, bPressed, bEnabled, bChecked, bPopuped;
        int nBarType, nBarPosition;
    };
    static ControlState GetControlState(CKitControl* pControl);
    // The bar's client rectangle; empty for a bar without a window.
    static CRect GetBarClientRect(CKitCommandBar* pBar);
    // The caption beside an image box (or alone): measured size, drawn when bDraw.
    CSize DrawImageAndCaption(CDC* pDC, CKitControl* pControl, CRect rc, CSize szImageBox, BOOL bImage,
                              BOOL bVertical, BOOL bArrow, BOOL bDraw);
    // One line of caption with an optional arrow after it.
    CSize DrawSingleLineCaption(CDC* pDC, CKitControl* pControl, CRect rc, BOOL bVertical, BOOL bCentred,
                                BOOL bArrow, BOOL bDraw);
    // A large button's caption in two lines.
    CSize DrawTwoLineCaption(CDC* pDC, CKitControl* pControl, CRect rc, BOOL bVertical, BOOL bArrow, BOOL bDraw);
    // Embossing, keyboard cues and composited text of a caption.
    void DrawCaptionText(CDC* pDC, CKitControl* pControl, const CString& strCaption, const CString& strPlain,
                         CRect rc, BOOL bVertical, BOOL bCentred);
    // Whether mnemonics are underlined for the control.
    BOOL IsKeyboardCuesVisible(CKitControl* pControl) const;
    // The label part shared by combo boxes and edit controls.
    CSize DrawFieldLabel(CDC* pDC, CKitControl* pControl, int nWidth, BOOL bComboBox, BOOL bDraw);
    // The part of an edit or combo box right of its label.
    static CRect GetFieldRect(CKitControl* pControl, int nLabelWidth);
    // An edit's text in the regular font, clear of its spin buttons.
    void DrawControlEditText(CDC* pDC, CKitControlEdit* pEdit, const CRect& rcField);
    // The edit's buddy button, its icon centred (hot when the buddy is hot).
    void DrawControlEditBuddy(CDC* pDC, CKitControlEdit* pEdit);
    // A combo box's text in the font already selected, shortened with an ellipsis.
    void DrawControlComboBoxText(CDC* pDC, CKitControlComboBox* pComboBox, const CRect& rcText);
    // A switch's icon centred in its rectangle: disabled, checked or normal.
    void DrawStatusBarSwitchIcon(CDC* pDC, const CRect& rc, CKitImageManagerIcon* pIcon, BOOL bEnabled, BOOL bChecked);
    // The dots of a popup's resize grip: a row (kind 2) or a corner triangle, each with a highlight.
    void DrawResizeGripperDots(CDC* pDC, CRect rc, int nFlags, int nDotColor);
    // A check box or radio button on a toolbar.
    CSize DrawToolBarCheckControl(CDC* pDC, CKitControl* pControl, BOOL bVertical, BOOL bDraw);
    // The themed or classic mark of a check box or radio button.
    CSize DrawButtonMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed, int nChecked,
                         BOOL bEnabled, BOOL bRadio);

    // Waits between animation frames; tests count the frames here.
    virtual void WaitAnimationFrame(DWORD dwMilliseconds);
    // The "Marlett" font of caption glyphs, 8 points at 96 pixels per inch.
    static void CreateMarlettFont(CDC* pDC, CFont& font);

    // A new ribbon painter for this theme: the markup-drawn one unless a theme makes another.
    virtual CKitRibbonPaintManager* CreateRibbonPaintManager();

    // The system's non-client metrics (menu, caption and status fonts); tests give their own.
    virtual void ReadNonClientMetrics(NONCLIENTMETRICSA& ncm);
    // Whether the system draws ClearType text.
    virtual BOOL IsClearTypeSupported() const;
    // ClearType quality when the option is on and the system supports it.
    void ApplyClearType(LOGFONTA& lf) const;

    BOOL m_bUseOwnFace = FALSE;
    CString m_strOwnFaceName;
    int m_nTextHeight = 0;
    CFont m_fontRegular;
    CFont m_fontBold;
    CFont m_fontVert;
    CFont m_fontVertBold;
    CKitPaintManagerFont m_fontSmCaption;
    CKitPaintManagerFont m_fontIcon;
    CKitPaintManagerFont m_fontIconBold;
    CKitPaintManagerFont m_fontStatus;
    CKitWinThemeWrapper m_themeStatusBar;
    CKitWinThemeWrapper m_themeButton;
    CString m_strThemeLibrary;
    int m_nThemeNumber = 0;
    CKitPaintManagerColor m_arrColor[kColorCount];
    CKitShadowManager* m_pShadowManager = nullptr;
    std::unique_ptr<CKitControlGalleryPaintManager> m_pGalleryPaintManager;
    std::unique_ptr<CKitSliderPaintManager> m_pSliderPaintManager;
    std::unique_ptr<CKitProgressPaintManager> m_pProgressPaintManager;
    SetLayeredWindowAttributesFn m_pfnSetLayeredWindowAttributes = nullptr;
    std::unique_ptr<CKitFramePaintManager> m_pFramePaintManager;
    CKitRibbonPaintManager* m_pRibbonPaintManager = nullptr;

private:
    // The frame painter makes its caption font as the command-bar fonts are made.
    friend class CKitFramePaintManager;
    // The ribbon painter reads the system metrics and draws captions as this paint manager does.
    friend class CKitRibbonPaintManager;

    static CKitPaintManager* s_pCurrent;
};
