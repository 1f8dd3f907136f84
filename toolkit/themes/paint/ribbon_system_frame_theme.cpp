// The system-colour frame: borders from the caption colours, the caption band and the caption buttons from markup.
#include "toolkit/themes/paint/ribbon_system_frame_theme.h"

#include "toolkit/common/color_manager.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/themes/paint/frame_hook.h"
#include "toolkit/themes/paint/markup_glue.h"

namespace {

#define KIT_STATIC_COLOR(name) "'{x:Static SystemColors." name "}'"

// The caption band of an active and of an inactive frame: a gradient with a rounded outline.
#define KIT_CAPTION_TEMPLATE(gradient, caption, brush)                                                     \
    "<Grid><Border BorderThickness='0,0,0,1'><Border.Background>"                                          \
    "<LinearGradientBrush StartPoint='0,0' EndPoint='0,1'>"                                                \
    "<GradientStop Color=" KIT_STATIC_COLOR(gradient) " Offset='0'/>"                                      \
    "<GradientStop Color=" KIT_STATIC_COLOR(caption) " Offset='0.2'/>"                                     \
    "<GradientStop Color=" KIT_STATIC_COLOR(gradient) " Offset='1.5'/>"                                    \
    "</LinearGradientBrush></Border.Background></Border>"                                                  \
    "<Border BorderThickness='1' CornerRadius='5,5,0,0' BorderBrush=" KIT_STATIC_COLOR(brush) "/></Grid>"

const char kActiveCaption[] =
    KIT_CAPTION_TEMPLATE("GradientActiveCaptionColor", "ActiveCaptionColor", "ActiveCaptionBrush");
const char kInactiveCaption[] =
    KIT_CAPTION_TEMPLATE("GradientInactiveCaptionColor", "InactiveCaptionColor", "InactiveCaptionBrush");

// The face of a hot and of a pressed caption button.
#define KIT_BUTTON_TEMPLATE(stops)                                                                         \
    "<Grid><Border Margin='1' BorderThickness='1' CornerRadius='2' BorderBrush="                           \
    KIT_STATIC_COLOR("ActiveCaptionTextBrush") "><Border.Background>"                                      \
    "<LinearGradientBrush StartPoint='0,0' EndPoint='1,1'>" stops "</LinearGradientBrush>"                 \
    "</Border.Background></Border></Grid>"

const char kHotButton[] = KIT_BUTTON_TEMPLATE(
    "<GradientStop Color=" KIT_STATIC_COLOR("ControlLightLightColor") " Offset='-0.5'/>"
    "<GradientStop Color='Transparent' Offset='0.8'/><GradientStop Color='Transparent' Offset='1'/>");
const char kPressedButton[] = KIT_BUTTON_TEMPLATE(
    "<GradientStop Color=" KIT_STATIC_COLOR("ActiveCaptionColor") " Offset='-0.5'/>"
    "<GradientStop Color='Black' Offset='2.0'/>");

#define KIT_GLYPH_STROKE " Stroke=" KIT_STATIC_COLOR("ActiveCaptionTextBrush") "/>"
#define KIT_LINE(x1, y1, x2, y2, thickness)                                                                \
    "<Line X1='" #x1 "' Y1='" #y1 "' X2='" #x2 "' Y2='" #y2 "' StrokeThickness='" #thickness "'" KIT_GLYPH_STROKE

const char kClose9[] = "<Canvas>" KIT_LINE(0, 0, 9, 9, 2) KIT_LINE(9, 0, 0, 9, 2) "</Canvas>";
const char kClose11[] = "<Canvas>" KIT_LINE(0, 0, 11, 11, 2) KIT_LINE(11, 0, 0, 11, 2) "</Canvas>";
const char kMinimize9[] = "<Canvas>" KIT_LINE(0, 8, 7, 8, 2) "</Canvas>";
const char kMinimize11[] = "<Canvas>" KIT_LINE(0, 9, 8, 9, 3) "</Canvas>";
const char kMaximize9[] = "<Canvas Margin='0,1,0,0'>" KIT_LINE(0, 0, 9, 0, 2)
    "<Rectangle Width='9' Height='8' StrokeThickness='1'" KIT_GLYPH_STROKE "</Canvas>";
const char kMaximize11[] = "<Canvas Margin='0,1,0,0'>" KIT_LINE(0, 0, 11, 0, 3)
    "<Rectangle Width='11' Height='10' StrokeThickness='1'" KIT_GLYPH_STROKE "</Canvas>";
const char kRestore9[] = "<Canvas Margin='0,1,0,0'>" KIT_LINE(2, 1, 8, 1, 2) KIT_LINE(8, 0, 8, 5, 1)
    KIT_LINE(7, 5, 8, 5, 1) KIT_LINE(0, 4, 7, 4, 2)
    "<Rectangle Canvas.Top='4' Width='7' Height='5' StrokeThickness='1'" KIT_GLYPH_STROKE "</Canvas>";
const char kRestore11[] = "<Canvas Margin='0,1,0,0'>" KIT_LINE(3, 1, 9, 1, 2) KIT_LINE(9, 0, 9, 6, 1)
    KIT_LINE(8, 6, 9, 6, 1) KIT_LINE(0, 4, 7, 4, 2)
    "<Rectangle Canvas.Top='4' Width='7' Height='6' StrokeThickness='1'" KIT_GLYPH_STROKE "</Canvas>";

#undef KIT_LINE
#undef KIT_GLYPH_STROKE
#undef KIT_BUTTON_TEMPLATE
#undef KIT_CAPTION_TEMPLATE
#undef KIT_STATIC_COLOR

} // namespace

CKitRibbonSystemFrameTheme::CKitRibbonSystemFrameTheme(CKitPaintManager* pPaintManager)
    : CKitFramePaintManager(pPaintManager), m_pMarkupContext(MarkupCreateContext(nullptr))
{
}

CKitRibbonSystemFrameTheme::~CKitRibbonSystemFrameTheme()
{
    MarkupReleaseContext(m_pMarkupContext);
}

void CKitRibbonSystemFrameTheme::RenderMarkup(CDC* pDC, const CRect& rc, LPCSTR lpszMarkup)
{
    if (m_pMarkupContext == nullptr)
        return;
    CKitMarkupUIElement* pElement = MarkupParseText(m_pMarkupContext, lpszMarkup);
    if (pElement == nullptr)
        return;
    MarkupRenderElement(pElement, pDC->GetSafeHdc(), rc);
    MarkupReleaseElement(pElement);
}

void CKitRibbonSystemFrameTheme::RefreshMetrics()
{
    CKitFramePaintManager::RefreshMetrics();
    const CKitColorManager* pColors = CKitColorManager::Instance();
    m_clrFrameBorderActive[0] = pColors->GetColor(COLOR_ACTIVECAPTION);
    m_clrFrameBorderInactive[0] = pColors->GetColor(COLOR_INACTIVECAPTION);
    for (int i = 1; i < 4; i++) {
        m_clrFrameBorderActive[i] = pColors->GetColor(COLOR_GRADIENTACTIVECAPTION);
        m_clrFrameBorderInactive[i] = pColors->GetColor(COLOR_GRADIENTINACTIVECAPTION);
    }
    m_clrFrameCaptionTextActive = pColors->GetColor(COLOR_CAPTIONTEXT);
    m_clrFrameCaptionTextActiveTitle = m_clrFrameCaptionTextActive;
    m_clrFrameCaptionTextInActive = pColors->GetColor(COLOR_INACTIVECAPTIONTEXT);
    m_nFlatFrame = 0;
}

void CKitRibbonSystemFrameTheme::DrawFrame(CDC* pDC, CKitFrameHook* pHook)
{
    const CKitFrameMeasures m(pHook);
    const int cx = m.rcWindow.Width();
    const int T = m.nCaption;
    DrawBorderColumns(pDC, pHook, m, FALSE);

    const CRect rcCaption(0, 0, cx, T);
    LPCSTR lpszCaption = m.bActive ? kActiveCaption : kInactiveCaption;
    if (!pHook->IsCaptionOwnedByFrame()) {
        // The ribbon draws inside the frame: the template shows only at the frame's top and corners.
        const int nSaved = pDC->SaveDC();
        ::ExcludeClipRect(pDC->GetSafeHdc(), m.nLeft, m.nTop, cx - m.nLeft, T);
        RenderMarkup(pDC, rcCaption, lpszCaption);
        pDC->RestoreDC(nSaved);
    } else if (cx > 0 && T > 0) {
        CKitBufferDC dcCaption(pDC->GetSafeHdc(), rcCaption);
        RenderMarkup(&dcCaption, rcCaption, lpszCaption);
        DrawCaptionContent(&dcCaption, pHook, m);
    }
}

LPCSTR CKitRibbonSystemFrameTheme::GetCaptionGlyphMarkup(int nId, int nSize)
{
    const BOOL bLarge = nSize == kLargeGlyph;
    switch (nId) {
    case SC_CLOSE:
        return bLarge ? kClose11 : kClose9;
    case SC_MINIMIZE:
        return bLarge ? kMinimize11 : kMinimize9;
    case SC_MAXIMIZE:
        return bLarge ? kMaximize11 : kMaximize9;
    case SC_RESTORE:
        return bLarge ? kRestore11 : kRestore9;
    default:
        return nullptr;
    }
}

void CKitRibbonSystemFrameTheme::DrawCaptionButton(CDC* pDC, CRect rc, int nId, BOOL bSelected, BOOL bPressed,
                                                   BOOL /*bActive*/)
{
    if (bSelected && bPressed)
        RenderMarkup(pDC, rc, kPressedButton);
    else if (bSelected || bPressed)
        RenderMarkup(pDC, rc, kHotButton);

    const int n = rc.Width() >= kLargeGlyphButton ? kLargeGlyph : kSmallGlyph;
    if (LPCSTR lpszGlyph = GetCaptionGlyphMarkup(nId, n)) {
        const int x = (rc.left + rc.right - n) / 2;
        const int y = (rc.top + rc.bottom - n) / 2;
        RenderMarkup(pDC, CRect(x, y, x + n, y + n), lpszGlyph);
    }
}
