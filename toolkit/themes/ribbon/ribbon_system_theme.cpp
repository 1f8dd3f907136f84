// The markup-drawn ribbon painter: system colours and small markup templates.
#include "toolkit/themes/ribbon/ribbon_system_theme.h"

#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/common/color_manager.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/themes/paint/frame_paint_manager.h"
#include "toolkit/themes/paint/markup_glue.h"
#include "toolkit/themes/paint/resource_painters.h"
#include "toolkit/themes/ribbon/ribbon_bar.h"
#include "toolkit/themes/ribbon/ribbon_group.h"
#include "toolkit/themes/ribbon/ribbon_tab.h"

#include "framework/wnd.h"

IMPLEMENT_DYNAMIC(CKitRibbonSystemTheme, CKitRibbonPaintManager)

// Pieces of the templates: a system colour or brush, a gradient stop, a vertical or given gradient as a property.
#define KIT_SYSTEM(name) "{x:Static SystemColors." name "}"
#define KIT_STOP(color, offset) "<GradientStop Color='" color "' Offset='" offset "'/>"
#define KIT_GRADIENT(property, start, end, stops)                                                               \
    "<" property "><LinearGradientBrush StartPoint='" start "' EndPoint='" end "'>" stops                        \
    "</LinearGradientBrush></" property ">"
#define KIT_VERTICAL(property, stops) KIT_GRADIENT(property, "0,0", "0,1", stops)
// A one-pixel frame with corners of radius 2.
#define KIT_FRAME(margin, brush)                                                                                  \
    "<Border Margin='" margin "' CornerRadius='2' BorderThickness='1' BorderBrush='" brush "'/>"

namespace {

const char* const kGroupsArea =
    "<Grid>"
    "<Border>"
    KIT_VERTICAL("Border.Background", KIT_STOP("#00FFFFFF", "0") KIT_STOP(KIT_SYSTEM("ControlDarkColor"), "1.5"))
    "</Border>"
    "<Border Margin='1,0,1,2' CornerRadius='3' BorderThickness='1'>"
    KIT_VERTICAL("Border.Background", KIT_STOP(KIT_SYSTEM("ControlLightLightColor"), "0")
                                          KIT_STOP(KIT_SYSTEM("ControlColor"), "0.2"))
    KIT_VERTICAL("Border.BorderBrush", KIT_STOP(KIT_SYSTEM("ControlDarkColor"), "0")
                                           KIT_STOP(KIT_SYSTEM("ControlDarkColor"), "0.6")
                                               KIT_STOP(KIT_SYSTEM("ControlDarkDarkColor"), "1.2"))
    "</Border>"
    "<Border Margin='2,1,2,3' CornerRadius='3' BorderThickness='1'>"
    KIT_VERTICAL("Border.BorderBrush",
                 KIT_STOP("#00FFFFFF", "0") KIT_STOP("#00FFFFFF", "0.2") KIT_STOP("#6FFFFFFF", "1"))
    "</Border>"
    "</Grid>";

const char* const kGroupFrame =
    "<Grid>" KIT_FRAME("1,1,0,0", KIT_SYSTEM("ControlLightLightBrush"))
    KIT_FRAME("0,0,1,1", KIT_SYSTEM("ControlDarkBrush")) "</Grid>";

const char* const kCaptionBand =
    "<Border Margin='1,0,2,2'>"
    KIT_GRADIENT("Border.Background", "0,-0.2", "0,1.2", KIT_STOP(KIT_SYSTEM("ControlColor"), "0")
                                                              KIT_STOP(KIT_SYSTEM("ControlDarkColor"), "1"))
    "</Border>";

const char* const kHighlightedGroupFrame =
    "<Grid>"
    KIT_FRAME("1,1,0,0", KIT_SYSTEM("ControlLightLightBrush"))
    KIT_FRAME("1,1,2,2", KIT_SYSTEM("ControlLightLightBrush"))
    "<Border Margin='0,0,1,1' CornerRadius='2' BorderThickness='1' BorderBrush='" KIT_SYSTEM("ControlDarkBrush")
    "' Background='#5FFFFFFF'/>"
    "</Grid>";

const char* const kHighlightedCaptionBand =
    "<Border Margin='1,0,2,2'>"
    KIT_GRADIENT("Border.Background", "0,-0.4", "0,1", KIT_STOP(KIT_SYSTEM("ControlColor"), "0")
                                                            KIT_STOP(KIT_SYSTEM("ControlDarkColor"), "1"))
    "</Border>";

const char* const kInnerHighlight = KIT_FRAME("1,1,2,2", KIT_SYSTEM("ControlLightLightBrush"));

// The tabs: an outer border with its fill and an inner one, in a grid that clips them at the bottom.
#define KIT_TAB(border, fillStops, inner, extra)                                                                  \
    "<Grid ClipToBounds='True'>"                                                                                  \
    "<Border Margin='2,2,2,-2' CornerRadius='3' BorderThickness='1' BorderBrush='" border "'>"                    \
    KIT_VERTICAL("Border.Background", fillStops) "</Border>"                                                      \
    "<Border Margin='3,3,3,-2' CornerRadius='2' BorderThickness='1' BorderBrush='" inner "'/>" extra "</Grid>"

const char* const kHotTab = KIT_TAB(KIT_SYSTEM("ControlDarkBrush"),
                                    KIT_STOP("Transparent", "0.2") KIT_STOP(KIT_SYSTEM("ControlDarkColor"), "1.3"),
                                    "#A0FFFFFF", "");
const char* const kSelectedTab = KIT_TAB(KIT_SYSTEM("ControlDarkBrush"),
                                         KIT_STOP(KIT_SYSTEM("ControlLightLightColor"), "0.2")
                                             KIT_STOP(KIT_SYSTEM("ControlColor"), "1.3"),
                                         KIT_SYSTEM("ControlLightLightBrush"), "");
const char* const kSelectedHotTab = KIT_TAB(
    KIT_SYSTEM("ControlDarkBrush"),
    KIT_STOP(KIT_SYSTEM("ControlLightLightColor"), "0.2") KIT_STOP(KIT_SYSTEM("ControlColor"), "1.3"),
    KIT_SYSTEM("ControlLightLightBrush"),
    "<Border Margin='1,1,1,-3' CornerRadius='3' BorderThickness='3'>"
    KIT_VERTICAL("Border.BorderBrush", KIT_STOP("Transparent", "-0.2") KIT_STOP(KIT_SYSTEM("HighlightColor"), "2"))
    "</Border>");
const char* const kFocusedTab = KIT_TAB(KIT_SYSTEM("HighlightBrush"),
                                        KIT_STOP(KIT_SYSTEM("ControlLightLightColor"), "0.2")
                                            KIT_STOP(KIT_SYSTEM("HighlightColor"), "1.3"),
                                        KIT_SYSTEM("ControlLightLightBrush"), "");

#define KIT_CAPTION(state)                                                                                        \
    "<Border BorderThickness='0,0,0,1' BorderBrush='" KIT_SYSTEM(state "CaptionBrush") "'>"                       \
    KIT_VERTICAL("Border.Background", KIT_STOP(KIT_SYSTEM("Gradient" state "CaptionColor"), "0")                   \
                                          KIT_STOP(KIT_SYSTEM(state "CaptionColor"), "0.2")                         \
                                              KIT_STOP(KIT_SYSTEM("Gradient" state "CaptionColor"), "1.5"))        \
    "</Border>"

const char* const kActiveCaption = KIT_CAPTION("Active");
const char* const kInactiveCaption = KIT_CAPTION("Inactive");

#define KIT_GROUP_BUTTON(face)                                                                                    \
    "<Grid>"                                                                                                      \
    "<Border Margin='1,1,2,2' CornerRadius='2' BorderThickness='1' BorderBrush='" KIT_SYSTEM("ControlLightLightBrush") \
    "'/>"                                                                                                         \
    "<Border Margin='0,0,1,1' CornerRadius='2' BorderThickness='1' BorderBrush='" KIT_SYSTEM("ControlDarkBrush")  \
    "'" face "</Grid>"

const char* const kGroupButtonNormal = KIT_GROUP_BUTTON("/>");
const char* const kGroupButtonSelected = KIT_GROUP_BUTTON(" Background='#5FFFFFFF'/>");
const char* const kGroupButtonPopped = KIT_GROUP_BUTTON(
    ">" KIT_VERTICAL("Border.Background", KIT_STOP(KIT_SYSTEM("ControlDarkColor"), "-0.2") KIT_STOP("Transparent", "2"))
    "</Border>");

const char* const kSystemMenu =
    "<Grid>"
    "<Border BorderThickness='1' BorderBrush='" KIT_SYSTEM("ControlDarkBrush") "' Background='"
    KIT_SYSTEM("WindowBrush") "'/>"
    "<Border Margin='1' BorderThickness='5,17,5,28' BorderBrush='" KIT_SYSTEM("ControlBrush") "'/>"
    "<Border Margin='1,1,1,0' Height='10' VerticalAlignment='Top'>"
    KIT_VERTICAL("Border.Background", KIT_STOP(KIT_SYSTEM("ControlLightLightColor"), "0")
                                          KIT_STOP(KIT_SYSTEM("ControlColor"), "1"))
    "</Border>"
    "<Border Margin='5,17,5,28' BorderThickness='1' BorderBrush='" KIT_SYSTEM("ControlDarkBrush") "'/>"
    "<Border Margin='4,16,4,27' BorderThickness='1' BorderBrush='" KIT_SYSTEM("ControlLightLightBrush") "'/>"
    "<Border Margin='1,0,1,1' Height='26' VerticalAlignment='Bottom'>"
    KIT_VERTICAL("Border.Background", KIT_STOP(KIT_SYSTEM("ControlColor"), "0")
                                          KIT_STOP(KIT_SYSTEM("ControlDarkColor"), "1"))
    "</Border>"
    "</Grid>";

#define KIT_MENU_BUTTON(top)                                                                                      \
    "<Border BorderThickness='1' CornerRadius='2' BorderBrush='" KIT_SYSTEM("ControlDarkBrush") "'>"              \
    KIT_VERTICAL("Border.Background", KIT_STOP(KIT_SYSTEM(top), "0") KIT_STOP(KIT_SYSTEM("ControlColor"), "1"))   \
    "</Border>"

const char* const kMenuButton = KIT_MENU_BUTTON("ControlLightLightColor");
const char* const kFlatMenuButton = KIT_MENU_BUTTON("ControlColor");

#define KIT_ROUND_BUTTON(body, ring)                                                                              \
    "<Grid Margin='0,2,0,0'>"                                                                                     \
    "<Ellipse Width='38' Height='38' Margin='0,0,-1,-1'>"                                                         \
    KIT_GRADIENT("Ellipse.Fill", "1,1", "0,0", KIT_STOP("#32000000", "0") KIT_STOP("#01000000", "0.95")            \
                                                   KIT_STOP("Transparent", "1"))                                    \
    "</Ellipse>"                                                                                                  \
    "<Ellipse Width='37' Height='37'>" body "</Ellipse>"                                                          \
    "<Ellipse Width='37' Height='37' StrokeThickness='1' Stroke='" KIT_SYSTEM("ControlDarkBrush") "'>"            \
    KIT_VERTICAL("Ellipse.Fill", KIT_STOP("#FEFFFFFF", "0") KIT_STOP("#AAFFFFFF", "0.25") KIT_STOP("#55FFFFFF", "0.5") \
                                     KIT_STOP("#00FFFFFF", "0.5") KIT_STOP("#66FFFFFF", "1"))                        \
    "</Ellipse>"                                                                                                  \
    "<Ellipse Width='35' Height='35' StrokeThickness='1'>" KIT_GRADIENT("Ellipse.Stroke", "0,0", "1,1", ring)      \
    "</Ellipse>"                                                                                                  \
    "</Grid>"

const char* const kRoundButtonNormal =
    KIT_ROUND_BUTTON("<Ellipse.Fill><SolidColorBrush Color='" KIT_SYSTEM("ControlDarkColor") "'/></Ellipse.Fill>",
                     KIT_STOP("#E1E7EF", "0") KIT_STOP("#BCC8DB", "0.5") KIT_STOP("#FFFFFF", "1"));
const char* const kRoundButtonSelected =
    KIT_ROUND_BUTTON(KIT_VERTICAL("Ellipse.Fill", KIT_STOP(KIT_SYSTEM("ControlDarkColor"), "0")
                                                      KIT_STOP(KIT_SYSTEM("HighlightColor"), "1")),
                     KIT_STOP("#55E1E7EF", "0") KIT_STOP("#55BCC8DB", "0.5") KIT_STOP("#55FFFFFF", "1"));
const char* const kRoundButtonPopped =
    KIT_ROUND_BUTTON("<Ellipse.Fill><SolidColorBrush Color='" KIT_SYSTEM("HighlightColor") "'/></Ellipse.Fill>",
                     KIT_STOP("#55E1E7EF", "0") KIT_STOP("#55BCC8DB", "0.5") KIT_STOP("#55FFFFFF", "1"));

#define KIT_SCROLL(margin, line)                                                                                  \
    "<Grid ClipToBounds='True' Margin='0,0,0,2' Background='" KIT_SYSTEM("ControlBrush") "'>"                     \
    "<Border Margin='" margin "' BorderThickness='1' CornerRadius='3' BorderBrush='" KIT_SYSTEM("ControlDarkBrush") \
    "' Background='" KIT_SYSTEM("ControlBrush") "'/>" line "</Grid>"

const char* const kScrollLeft = KIT_SCROLL(
    "1,0,-3,0",
    "<Border Margin='1,0,0,0' BorderThickness='0,0,1,0' BorderBrush='" KIT_SYSTEM("ControlDarkBrush") "'/>");
const char* const kScrollRight = KIT_SCROLL(
    "-3,0,1,0",
    "<Border Margin='0,0,1,0' BorderThickness='1,0,0,0' BorderBrush='" KIT_SYSTEM("ControlDarkBrush") "'/>");

#define KIT_ROW_PART(margin, line)                                                                                \
    "<Grid ClipToBounds='True'>"                                                                                  \
    "<Border Margin='" margin "' BorderThickness='1' CornerRadius='2' BorderBrush='"                             \
    KIT_SYSTEM("ControlDarkBrush") "'>"                                                                           \
    KIT_VERTICAL("Border.Background", KIT_STOP(KIT_SYSTEM("ControlLightLightColor"), "0")                          \
                                          KIT_STOP(KIT_SYSTEM("ControlColor"), "1"))                                 \
    "</Border>" line "</Grid>"
#define KIT_ROW_LINE                                                                                              \
    "<Rectangle Width='1' HorizontalAlignment='Right' Fill='" KIT_SYSTEM("ControlDarkBrush") "'/>"

const char* const kRowLeft = KIT_ROW_PART("0,0,-2,0", KIT_ROW_LINE);
const char* const kRowCenter = KIT_ROW_PART("-2,0,-2,0", KIT_ROW_LINE);
const char* const kRowRight = KIT_ROW_PART("-2,0,0,0", "");

// The system button's round face, centred in the button.
constexpr int kRoundButtonWidth = 46;
constexpr int kRoundButtonHeight = 45;

} // namespace

CKitRibbonSystemTheme::CKitRibbonSystemTheme(CKitPaintManager* pPaintManager)
    : CKitRibbonPaintManager(pPaintManager), m_pMarkupContext(MarkupCreateContext(nullptr))
{
}

CKitRibbonSystemTheme::~CKitRibbonSystemTheme()
{
    MarkupReleaseContext(m_pMarkupContext);
}

void CKitRibbonSystemTheme::RefreshMetrics()
{
    CKitRibbonPaintManager::RefreshMetrics();
    m_clrRibbonFace = ::GetSysColor(COLOR_3DFACE);
    m_clrMinimizedFrameEdgeShadow = ::GetSysColor(COLOR_3DSHADOW);
    m_clrMinimizedFrameEdgeHighlight = ::GetSysColor(COLOR_3DHILIGHT);
    m_clrGroupCaptionText = ::GetSysColor(COLOR_BTNTEXT);
    CKitTabPaintManagerColorSet* pColorSet = m_pTabPaintManager->GetColorSet();
    pColorSet->m_clrNormalText.SetStandardValue(m_clrGroupCaptionText);
    pColorSet->m_clrHotText.SetStandardValue(m_clrGroupCaptionText);
    pColorSet->m_clrSelectedText.SetStandardValue(m_clrGroupCaptionText);
    m_clrRecentFileListEdgeShadow = ::GetSysColor(COLOR_3DSHADOW);
    m_clrRecentFileListEdgeHighlight = ::GetSysColor(COLOR_3DHILIGHT);
    m_nGroupSpacing = 2;
    m_bFlatFrame = FALSE;
}

void CKitRibbonSystemTheme::DrawMarkup(CDC* pDC, const CRect& rc, LPCSTR lpszMarkup)
{
    if (pDC == nullptr || pDC->GetSafeHdc() == nullptr)
        return;
    CKitMarkupUIElement* pElement = MarkupParseText(m_pMarkupContext, lpszMarkup);
    MarkupRenderElement(pElement, pDC->GetSafeHdc(), rc);
    MarkupReleaseElement(pElement);
}

CString CKitRibbonSystemTheme::FormatQuickAccessPath(int nWidth, int nHeight)
{
    const int a = nHeight / 2;
    const int b = nWidth - a;
    CString str;
    str.Format("<Path Data='M0 0 S %i %i %i %i L %i %i S %i %i %i %i l 0 0 S  %i %i %i %i Z' Stroke='#22FFFFFF' "
               "StrokeThickness='2' Fill='#44FFFFFF' ></Path>",
               a, 0, a, nHeight, b, nHeight, nWidth, nHeight, nWidth, a, nWidth, 0, b, 0);
    return str;
}

void CKitRibbonSystemTheme::FillRibbonGroupsArea(CDC* pDC, CKitRibbonTab* /*pTab*/, CRect rcGroups)
{
    DrawMarkup(pDC, rcGroups, kGroupsArea);
}

void CKitRibbonSystemTheme::FillRibbonBar(CDC* pDC, CKitRibbonBar* pRibbonBar)
{
    const CRect rc = GetRibbonClientRect(pRibbonBar);
    FillRibbonFace(pDC, pRibbonBar, rc);
    if (pRibbonBar->IsQuickAccessBelowRibbon()) {
        const CRect rcQuickAccess = pRibbonBar->GetQuickAccessRect();
        m_pPaintManager->Draw3dRect(pDC, CRect(rc.left, rcQuickAccess.top, rc.right, rcQuickAccess.bottom),
                                    COLOR_3DSHADOW, COLOR_3DSHADOW);
    } else if (!pRibbonBar->IsGroupsVisible()) {
        DrawMinimizedEdges(pDC, rc);
    }
}

void CKitRibbonSystemTheme::FillGroupPopupToolBar(CDC* pDC, CKitRibbonGroup* /*pGroup*/, CKitCommandBar* pPopupBar)
{
    pDC->SetBkMode(TRANSPARENT);
    CRect rc;
    if (pPopupBar->GetSafeHwnd() != nullptr)
        ::GetClientRect(pPopupBar->GetSafeHwnd(), &rc);
    KitFillSolidRectIfColor(pDC, rc, m_clrRibbonFace);
}

void CKitRibbonSystemTheme::DrawGroup(CDC* pDC, CKitRibbonGroup* pGroup)
{
    if (pGroup->IsReduced())
        return;
    const CRect rcGroup = pGroup->GetRect();
    const CRect rcCaption(rcGroup.left, rcGroup.bottom - m_nGroupCaptionHeight, rcGroup.right, rcGroup.bottom);
    if (pGroup->IsHighlighted()) {
        DrawMarkup(pDC, rcGroup, kHighlightedGroupFrame);
        DrawMarkup(pDC, rcCaption, kHighlightedCaptionBand);
        DrawMarkup(pDC, rcGroup, kInnerHighlight);
    } else {
        DrawMarkup(pDC, rcGroup, kGroupFrame);
        DrawMarkup(pDC, rcCaption, kCaptionBand);
    }
    DrawGroupCaption(pDC, pGroup, rcCaption);
}

void CKitRibbonSystemTheme::DrawRibbonTab(CDC* pDC, CKitRibbonTab* pTab)
{
    if (pTab->GetContextColor() != CKitRibbonTab::kContextNone) {
        CKitRibbonPaintManager::DrawRibbonTab(pDC, pTab);
        return;
    }
    const TabState state = GetTabState(pTab);
    const char* pszTemplate = nullptr;
    if (state.bSelected && state.bFocused)
        pszTemplate = kFocusedTab;
    else if (state.bSelected && state.bHighlighted)
        pszTemplate = kSelectedHotTab;
    else if (state.bSelected)
        pszTemplate = kSelectedTab;
    else if (state.bHighlighted)
        pszTemplate = kHotTab;
    if (pszTemplate != nullptr)
        DrawMarkup(pDC, pTab->GetRect(), pszTemplate);
}

CSize CKitRibbonSystemTheme::DrawControlGroupOption(CDC* pDC, CKitControl* pControl, BOOL bDraw)
{
    if (bDraw && pDC != nullptr) {
        DrawControlFace(pDC, pControl);
        const CRect rc = pControl->GetRect();
        const int x = (rc.left + rc.right - 6) / 2;
        const int y = (rc.top + rc.bottom - 8) / 2;
        // The launcher glyph: a corner and an arrow towards the bottom right, with a white shade.
        CPen penBlack(PS_SOLID, 1, RGB(0, 0, 0));
        CPen penWhite(PS_SOLID, 1, RGB(255, 255, 255));
        CPen* pOldPen = pDC->SelectObject(&penWhite);
        for (int nPass = 0; nPass < 2; ++nPass) {
            const int d = nPass == 0 ? 1 : 0;
            pDC->SelectObject(nPass == 0 ? &penWhite : &penBlack);
            pDC->MoveTo(x + d, y + 5 + d);
            pDC->LineTo(x + d, y + d);
            pDC->LineTo(x + 6 + d, y + d);
            pDC->MoveTo(x + 3 + d, y + 3 + d);
            pDC->LineTo(x + 7 + d, y + 7 + d);
        }
        pDC->SelectObject(pOldPen);
        CKitPaintManager::DrawTriangle(pDC, CPoint(x + 7, y + 4), CPoint(x + 7, y + 7), CPoint(x + 4, y + 7),
                                       RGB(0, 0, 0));
    }
    return CSize(kOptionButtonWidth, kOptionButtonHeight);
}

CSize CKitRibbonSystemTheme::DrawControlGroupPopup(CDC* pDC, CKitControl* pControl, BOOL bDraw)
{
    if (pControl->GetRibbonGroup() == nullptr) {
        if (bDraw)
            m_pPaintManager->DrawControlEntry(pDC, pControl);
        return m_pPaintManager->DrawControlToolBarParent(pDC, pControl, bDraw);
    }
    if (bDraw) {
        const char* pszTemplate = kGroupButtonNormal;
        if (pControl->GetPopuped())
            pszTemplate = kGroupButtonPopped;
        else if (pControl->GetSelected())
            pszTemplate = kGroupButtonSelected;
        DrawMarkup(pDC, pControl->GetRect(), pszTemplate);
    }
    return DrawGroupButtonContent(pDC, pControl, bDraw, FALSE);
}

void CKitRibbonSystemTheme::DrawQuickAccessPath(CDC* pDC, const CRect& rc)
{
    DrawMarkup(pDC, rc, FormatQuickAccessPath(rc.Width(), rc.Height()));
}

void CKitRibbonSystemTheme::DrawRibbonFrameCaption(CDC* pDC, CKitRibbonBar* pRibbonBar, BOOL bActive)
{
    if (pRibbonBar->IsDwmEnabled()) {
        CKitRibbonPaintManager::DrawRibbonFrameCaption(pDC, pRibbonBar, bActive);
        return;
    }
    const CRect rcCaption = pRibbonBar->GetCaptionRect();
    DrawMarkup(pDC, rcCaption, bActive ? kActiveCaption : kInactiveCaption);
    if (IsQuickAccessInCaption(pRibbonBar)) {
        const CRect rcQuickAccess = pRibbonBar->GetQuickAccessRect();
        DrawQuickAccessPath(pDC, CRect(rcQuickAccess.left - 14, rcQuickAccess.top + 4, rcQuickAccess.right - 3,
                                       rcQuickAccess.top + pRibbonBar->GetQuickAccessHeight()));
    }
    CWnd* pFrame = GetFrameWindow(pRibbonBar);
    const HICON hIcon =
        pFrame != nullptr ? CKitFramePaintManager::GetFrameSmallIcon(pFrame->GetSafeHwnd()) : nullptr;
    if (pRibbonBar->GetSystemButton() == nullptr && hIcon != nullptr) {
        const CSize szIcon(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON));
        const int y = rcCaption.top + (rcCaption.Height() - szIcon.cy) / 2;
        DrawFrameIcon(pDC, pRibbonBar, rcCaption.left + 10, y, rcCaption.left + 10 + szIcon.cx, y + szIcon.cy, hIcon);
    }
    DrawContextHeaders(pDC, pRibbonBar);
    DrawFrameCaptionText(pDC, pRibbonBar, bActive);
}

void CKitRibbonSystemTheme::DrawRibbonCaptionBar(CDC* pDC, CKitRibbonBar* pRibbonBar)
{
    CRect rcCaption = pRibbonBar->GetCaptionRect();
    rcCaption.top -= 1;
    DrawMarkup(pDC, rcCaption, kActiveCaption);
    if (IsQuickAccessInCaption(pRibbonBar)) {
        const CRect rcQuickAccess = pRibbonBar->GetQuickAccessRect();
        DrawQuickAccessPath(pDC, CRect(rcQuickAccess.left - 14, 2, rcQuickAccess.right - 3,
                                       pRibbonBar->GetQuickAccessHeight() - 2));
    }
    if (pRibbonBar->GetContextHeaderCount() > 0)
        DrawContextHeaders(pDC, pRibbonBar);
}

void CKitRibbonSystemTheme::DrawRibbonSystemButton(CDC* pDC, CKitControl* pControl, CRect rc)
{
    auto* pRibbonBar = dynamic_cast<CKitRibbonBar*>(pControl->GetParent());
    if (pRibbonBar == nullptr || !pRibbonBar->IsCaptionVisible() || !pRibbonBar->IsTabsVisible()) {
        m_pPaintManager->DrawControlToolBarParent(pDC, pControl, TRUE);
        return;
    }
    if (rc.top < 0)
        rc.OffsetRect(0, -rc.top);
    CKitImageManagerIcon* pIcon = m_pPaintManager->GetControlImage(pControl, 32);
    if (pIcon == nullptr || pIcon->GetWidth() <= 32) {
        const char* pszTemplate = kRoundButtonNormal;
        if (pControl->GetPopuped())
            pszTemplate = kRoundButtonPopped;
        else if (pControl->GetSelected())
            pszTemplate = kRoundButtonSelected;
        DrawMarkup(pDC, CentreRect(rc, CSize(kRoundButtonWidth, kRoundButtonHeight)), pszTemplate);
    }
    DrawSystemButtonIcon(pDC, pControl, pIcon, rc);
}

void CKitRibbonSystemTheme::DrawQuickAccessButton(CDC* pDC, CKitControl* pControl)
{
    DrawControlFace(pDC, pControl);
    const CPoint ptCentre = pControl->GetRect().CenterPoint();
    const COLORREF colors[2] = {::GetSysColor(COLOR_3DHILIGHT), ::GetSysColor(COLOR_BTNTEXT)};
    for (int nPass = 0; nPass < 2; ++nPass) {
        const int cx = ptCentre.x;
        const int cy = ptCentre.y + (nPass == 0 ? 1 : 0);
        pDC->FillSolidRect(cx - 2, cy - 3, 5, 1, colors[nPass]);
        CKitPaintManager::DrawTriangle(pDC, CPoint(cx - 2, cy), CPoint(cx + 2, cy), CPoint(cx, cy + 2), colors[nPass]);
    }
}

void CKitRibbonSystemTheme::DrawQuickAccessMoreButton(CDC* pDC, CKitControl* pControl)
{
    DrawControlFace(pDC, pControl);
    const CPoint ptCentre = pControl->GetRect().CenterPoint();
    const COLORREF colors[2] = {::GetSysColor(COLOR_3DHILIGHT), ::GetSysColor(COLOR_BTNTEXT)};
    for (int nPass = 0; nPass < 2; ++nPass) {
        const int d = nPass == 0 ? 1 : 0;
        for (int nChevron = 0; nChevron < 2; ++nChevron) {
            const int x = ptCentre.x - 3 + 4 * nChevron + d;
            const int y = ptCentre.y - 2 + d;
            CKitPaintManager::DrawTriangle(pDC, CPoint(x, y), CPoint(x + 2, y + 2), CPoint(x, y + 4), colors[nPass]);
        }
    }
}

void CKitRibbonSystemTheme::DrawGroupsScrollButton(CDC* pDC, CKitControl* pControl, BOOL bScrollLeft)
{
    const CRect rc = pControl->GetRect();
    DrawMarkup(pDC, rc, bScrollLeft ? kScrollLeft : kScrollRight);
    const CPoint c = rc.CenterPoint();
    const COLORREF clr = ::GetSysColor(COLOR_BTNTEXT);
    if (bScrollLeft)
        CKitPaintManager::DrawTriangle(pDC, CPoint(c.x - 1, c.y), CPoint(c.x + 1, c.y - 2), CPoint(c.x + 1, c.y + 2),
                                       clr);
    else
        CKitPaintManager::DrawTriangle(pDC, CPoint(c.x - 1, c.y - 2), CPoint(c.x + 1, c.y), CPoint(c.x - 1, c.y + 2),
                                       clr);
}

void CKitRibbonSystemTheme::FillMorePopupToolBar(CDC* pDC, CKitCommandBar* pPopupBar)
{
    CRect rc;
    if (pPopupBar->GetSafeHwnd() != nullptr)
        ::GetClientRect(pPopupBar->GetSafeHwnd(), &rc);
    KitFillSolidRectIfColor(pDC, rc, m_clrRibbonFace);
    const COLORREF clrFrame = CKitColorManager::Instance()->GetColor(16);
    pDC->Draw3dRect(rc, clrFrame, clrFrame);
}

void CKitRibbonSystemTheme::FillSystemPopupBar(CDC* pDC, CKitCommandBar* pPopupBar)
{
    CRect rc;
    if (pPopupBar->GetSafeHwnd() != nullptr)
        ::GetClientRect(pPopupBar->GetSafeHwnd(), &rc);
    DrawMarkup(pDC, rc, kSystemMenu);
    DrawSystemButtonOverPopup(pDC, pPopupBar);
    const CRect rcBorders = pPopupBar->GetBorders();
    for (int i = 0; i < pPopupBar->GetControlCount(); ++i) {
        CKitControl* pControl = pPopupBar->GetControl(i);
        if (pControl->GetWrap()) {
            pDC->FillSolidRect(CRect(pControl->GetRect().left, rc.top + rcBorders.top, rc.right - rcBorders.right,
                                     rc.bottom - rcBorders.bottom),
                               CKitColorManager::Instance()->GetColor(30));
            break;
        }
    }
}

void CKitRibbonSystemTheme::DrawSystemPopupBarButton(CDC* pDC, CKitControl* pControl)
{
    DrawMarkup(pDC, pControl->GetRect(), pControl->GetSelected() ? kFlatMenuButton : kMenuButton);
    m_pPaintManager->DrawControlToolBarParent(pDC, pControl, TRUE);
}

BOOL CKitRibbonSystemTheme::DrawSpecialToolBarButton(CDC* pDC, CKitControl* pControl)
{
    BOOL bFirst = FALSE;
    BOOL bLast = FALSE;
    if (pControl->GetSelected() || !GetJoinedRowPosition(pControl, bFirst, bLast))
        return FALSE;
    const char* pszTemplate = kRowCenter;
    if (bFirst && bLast)
        pszTemplate = kMenuButton;
    else if (bFirst)
        pszTemplate = kRowLeft;
    else if (bLast)
        pszTemplate = kRowRight;
    DrawMarkup(pDC, pControl->GetRect(), pszTemplate);
    return TRUE;
}
