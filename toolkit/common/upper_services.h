// CKitThemeServices, CKitBarPainter, CKitShadowCaster, CKitCommandBarServices: what the common controls and the command bars call of the libraries above them (markup captions, turned tab images, bar drawing, popup shadows); each of those libraries registers its implementation at start-up.
#pragma once

#include "framework/wnd.h"

#include <windows.h>

class CDC;
class CFont;
class CKitCommandBar;
class CKitCommandBarKeyboardTip;
class CKitControl;
class CKitMarkupContext;
class CKitMarkupUIElement;

// The paint manager as the command bars measure and draw through it (reference counted).
class CKitBarPainter {
public:
    virtual void AddPainterReference() = 0;
    virtual void ReleasePainterReference() = 0;

    // Fills the bar's face and frame.
    virtual void FillCommandBarEntry(CDC* pDC, CKitCommandBar* pBar) = 0;
    // The gripper or floating caption: its size, drawn when bDraw.
    virtual CSize DrawFloatingBarCaption(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw) = 0;
    // The group separator before the control: its size, drawn when bDraw.
    virtual CSize DrawCommandBarSeparator(CDC* pDC, CKitCommandBar* pBar, CKitControl* pControl, BOOL bDraw) = 0;
    // Measures (bDraw FALSE) or draws a control in its rectangle.
    virtual CSize DrawControl(CDC* pDC, CKitControl* pControl, BOOL bDraw) = 0;
    // The theme's change to a control's laid-out rectangle.
    virtual void AdjustControlRect(CRect& rc, CKitControl* pControl, BOOL bVertical) = 0;
    virtual CRect GetCommandBarBorders(CKitCommandBar* pBar) = 0;
    virtual CFont* GetCommandBarFont(CKitCommandBar* pBar) = 0;
    // The font a control's caption is drawn in.
    virtual CFont* GetControlFont(CKitControl* pControl) = 0;
    // The caption colour of a control in the state, on a bar of the type and position.
    virtual COLORREF GetControlStateTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                                              BOOL bPopuped, int nBarType, int nBarPosition) = 0;
    // The background of an edit or combo box field.
    virtual COLORREF GetControlEditBackColor(CKitControl* pControl) = 0;
    // The smallest control height.
    virtual int GetControlHeight() const = 0;
    // The command part of a split button.
    virtual CRect GetSplitButtonCommandRect(CKitControl* pButton) = 0;
    // The width of a split button's drop-down part.
    virtual int GetSplitDropDownSize() const = 0;
    // With popup shadows on: the shadow of the control (screen rectangle) that joins it to its open popup.
    virtual void CastControlShadow(CWnd* pPopup, const CRect& rcControl) = 0;
    // With popup shadows on: drops the popup's shadows and casts new ones; rcExclude (screen coordinates) is the
    // control it opened from, bGroup marks a nested menu.
    virtual void CastPopupShadow(CWnd* /*pPopup*/, const CRect& /*rcExclude*/, BOOL /*bGroup*/) {}
    // Drops the popup's shadows (before it moves).
    virtual void RemovePopupShadow(CWnd* /*pPopup*/) {}
    // Plays a popup's open animation (kind 2 unfold, 3 slide, 4 fade) of the bar's off-screen picture onto the DC.
    virtual void AnimatePopupBar(CDC* /*pDestDC*/, CDC* /*pSrcDC*/, CRect /*rc*/, int /*nKind*/) {}
    // Gives a popup bar's window the region of the theme's look (nothing: the plain rectangle).
    virtual void SetCommandBarRegion(CKitCommandBar* /*pBar*/) {}
    // A toolbar's expand button (kind 0 docked, 3 floating; lpParam non-zero when controls are
    // hidden) or the close button of its floating caption (kind 2): the size, drawn when bDraw.
    virtual CSize DrawSpecialControl(CDC* /*pDC*/, int /*nKind*/, CKitControl* /*pControl*/, CKitCommandBar* /*pBar*/,
                                     BOOL /*bDraw*/, LPARAM /*lpParam*/)
    {
        return CSize(0, 0);
    }
    // An MDI frame button whose parameter holds its glyph.
    virtual void DrawControlMDIButton(CDC* /*pDC*/, CKitControl* /*pControl*/) {}
    // The face of a control in its rectangle and state (nothing for an idle one).
    virtual void DrawControlEntry(CDC* /*pDC*/, CKitControl* /*pControl*/) {}
    // The text colour of a control in its state.
    virtual COLORREF GetControlTextColor(CKitControl* /*pControl*/) { return RGB(0, 0, 0); }
    // The face of a dock bar along a frame's edge, over its client rectangle.
    virtual void FillDockBar(CDC* /*pDC*/, CWnd* /*pDockBar*/) {}
    // Draws a keyboard tip into its client rectangle (nothing but the region with bSetRegion).
    virtual void DrawKeyboardTip(CDC* pDC, CKitCommandBarKeyboardTip* pTip, BOOL bSetRegion) = 0;
    // The global option that cross-fades every bar's changes.
    virtual BOOL IsAnimationEnabled() const { return FALSE; }

protected:
    ~CKitBarPainter() = default;
};

// Filled by the themes library.
class CKitThemeServices {
public:
    // The registered implementation; null in a program that does not link the themes library.
    static CKitThemeServices* Get();
    // Called once by the themes library at start-up.
    static void Register(CKitThemeServices* pServices);

    // The markup glue: a context for the container window (may be null) with one reference.
    virtual CKitMarkupContext* CreateMarkupContext(HWND hContainer) = 0;
    // Releases the context and sets the pointer to null.
    virtual void ReleaseMarkupContext(CKitMarkupContext*& pContext) = 0;
    // Releases the element and sets the pointer to null.
    virtual void ReleaseMarkupElement(CKitMarkupUIElement*& pElement) = 0;
    // The root element parsed from the text; null on an error or without a context.
    virtual CKitMarkupUIElement* ParseMarkupText(CKitMarkupContext* pContext, LPCSTR lpszText) = 0;
    // The font (when given) and the colour (unless all bits are set) become the context's defaults.
    virtual void SetMarkupDefaultFont(CKitMarkupContext* pContext, HFONT hFont, COLORREF clrText) = 0;
    // The element's desired size; 0 x 0 for a null element.
    virtual SIZE MeasureMarkupElement(CKitMarkupUIElement* pElement, int nAvailableWidth, int nAvailableHeight) = 0;
    // Arranges the element into the rectangle and draws it.
    virtual void RenderMarkupElement(CKitMarkupUIElement* pElement, HDC hdc, LPCRECT lpRect) = 0;
    // Offers a window message to the element's tree; TRUE with *pResult when it took it.
    virtual BOOL RelayMarkupMessage(CKitMarkupUIElement* pElement, UINT message, WPARAM wParam, LPARAM lParam,
                                    LRESULT* pResult) = 0;

    // Turned tab images: destination row i is source row h - 1 - i (w x h pixels).
    virtual void ReverseImageRows(int w, int h, const DWORD* pSource, DWORD* pDestination) = 0;
    // The source holds w rows of h pixels, the destination h rows of w, turned and reversed.
    virtual void TransposeImageReversed(int w, int h, const DWORD* pSource, DWORD* pDestination) = 0;

    // The current paint manager, made with the default theme on first use.
    virtual CKitBarPainter* GetDefaultBarPainter() = 0;

protected:
    ~CKitThemeServices() = default;
};

// The shadow manager as a popup of the common controls holds it (reference counted).
class CKitShadowCaster {
public:
    // The flags: shadows are cast even when the system's drop-shadow setting is off, at half alpha; the parent
    // control's rectangle is cut out of a popup's shadow; with both, controls get shadows too.
    static constexpr int kFlagAlways = 1;
    static constexpr int kFlagCutControl = 2;
    static constexpr int kFlagControls = kFlagAlways | kFlagCutControl;

    virtual void SetFlags(int nFlags) = 0;
    // Casts the shadows of the popup; rcExclude (screen coordinates) is the control it drops from.
    virtual void SetShadow(CWnd* pPopup, const CRect& rcExclude, BOOL bGroup = FALSE) = 0;
    // Lets the holder's reference go.
    virtual void ReleaseCaster() = 0;

protected:
    ~CKitShadowCaster() = default;
};

// Filled by the command-bar library.
class CKitCommandBarServices {
public:
    // The registered implementation; null in a program that does not link the command-bar library.
    static CKitCommandBarServices* Get();
    // Called once by the command-bar library at start-up.
    static void Register(CKitCommandBarServices* pServices);

    // A new shadow manager with one reference for the caller.
    virtual CKitShadowCaster* CreateShadowCaster() = 0;
    // Shows the menu as a popup menu of the command bars, with the images of the toolbar resource, at the
    // screen point; its commands go to the receiver. FALSE when there is no bar painter to draw it.
    virtual BOOL TrackPopupMenu(HMENU hMenu, UINT nIDToolBar, UINT nFlags, CPoint ptScreen, CWnd* pReceiver) = 0;

protected:
    ~CKitCommandBarServices() = default;
};
