// Drawing for a composited frame, which Wine never has: the frame states and ribbon bars report glass, and the
// tests' stand-in visual-style library (kit_test_module.dll) records the composited texts it is given. Composited
// text, a control's place on the glass and its caption, caption text with a glow, the frame icon and the ribbon
// theme's caption colours.
#include "ribbon_theme_support.h"
#include "support/canvas.h"
#include "test_module.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/toolbar.h"
#include "toolkit/common/fixtures/image_test_support.h"
#include "toolkit/themes/paint/frame_hook.h"
#include "toolkit/themes/paint/resource_theme_support.h"
#include "toolkit/themes/paint/ribbon_theme.h"
#include "toolkit/themes/paint/test_paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_quick_access.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <gtest/gtest.h>

#include <string>

using namespace RibbonPictureColors;

namespace {

constexpr COLORREF kPaper = RGB(1, 150, 1);
constexpr char kStandInLibrary[] = "kit_test_module.dll";
constexpr char kMissingLibrary[] = "kit_no_such_theme.dll";
constexpr DWORD kCompositedTextOptions = DTT_COMPOSITED | DTT_TEXTCOLOR;
constexpr DWORD kGlowTextOptions = DTT_COMPOSITED | DTT_GLOWSIZE;

// The stand-in's record of calls, emptied.
KitTestThemeLog* ClearedLog(const TestModule& module)
{
    KitTestThemeLog* pLog = module.ThemeCalls();
    if (pLog != nullptr)
        *pLog = KitTestThemeLog();
    return pLog;
}

std::string TextOf(const KitTestThemeText& text)
{
    std::string str;
    for (const wchar_t* p = text.text; *p != 0; ++p)
        str += static_cast<char>(*p);
    return str;
}

int Painted(const Canvas& canvas, const CRect& rc)
{
    return rc.Width() * rc.Height() - canvas.Count(rc, kPaper);
}

// The skinned frame as a manager's bars see it.
class CFrameStateStandIn : public CKitFrameState {
public:
    BOOL IsComposited() const override { return m_bComposited; }
    BOOL IsGlassOverTopDock() const override { return m_bGlass; }

    BOOL m_bComposited = TRUE;
    BOOL m_bGlass = TRUE;
};

// A ribbon bar that reports a composited frame.
class CCompositedRibbonBar : public CLaidOutRibbonBar {
public:
    BOOL IsDwmEnabled() const override { return m_bComposited; }

    BOOL m_bComposited = TRUE;
};

// A test paint manager whose composited text goes through the stand-in library.
struct StandInOwner {
    StandInOwner()
    {
        pm->SetThemeLibrary(kStandInLibrary);
        pm->RefreshMetrics();
    }
    ~StandInOwner() { pm->InternalRelease(); }
    CTestPaintManager* pm = new CTestPaintManager();
};

} // namespace

// Composited text is drawn through the visual style, buffered, in the DC's text colour; otherwise, or without the
// library, as plain text.
TEST(KitComposedText, TheVisualStyleDrawsCompositedTextOnlyWhenAskedAndAvailable)
{
    TestModule module;
    KitTestThemeLog* pLog = ClearedLog(module);
    ASSERT_NE(nullptr, pLog);
    const struct {
        const char* name;
        BOOL bComposited;
        const char* pszLibrary;
        int nTexts;
    } cases[] = {
        {"composited over the stand-in", TRUE, kStandInLibrary, 1},
        {"not composited", FALSE, kStandInLibrary, 0},
        {"composited without the library", TRUE, kMissingLibrary, 0},
    };
    const CRect rc(2, 2, 98, 22);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        *pLog = KitTestThemeLog();
        Canvas canvas(100, 24, kPaper);
        canvas.dc.SetTextColor(RGB(10, 20, 30));
        canvas.dc.SetBkMode(TRANSPARENT);
        CKitWinThemeWrapper theme(TRUE, c.pszLibrary);
        CKitPaintManager::DrawComposedText(&canvas.dc, "Save", rc, DT_SINGLELINE | DT_VCENTER, c.bComposited,
                                           &theme);
        EXPECT_EQ(c.nTexts, pLog->textCount);
        EXPECT_GT(Painted(canvas, rc), 10) << "the text shows either way";
        if (c.nTexts == 0 || pLog->textCount == 0)
            continue;
        EXPECT_EQ("Save", TextOf(pLog->texts[0]));
        EXPECT_EQ(kCompositedTextOptions, pLog->texts[0].options);
        EXPECT_EQ(RGB(10, 20, 30), pLog->texts[0].color);
        EXPECT_EQ(static_cast<DWORD>(DT_SINGLELINE | DT_VCENTER), pLog->texts[0].format);
        EXPECT_EQ(1, pLog->buffersBegun);
        EXPECT_EQ(rc, CRect(pLog->lastBuffer));
        EXPECT_EQ(1, pLog->buffersUpdated);
    }
}

// A control stands on glass when its bar draws its caption on a composited frame there, or when its bar is docked at
// the top under glass that reaches over the top dock bar; its caption is then drawn composited.
TEST(KitComposedText, AControlOnGlassHasItsCaptionDrawnComposited)
{
    TestModule module;
    KitTestThemeLog* pLog = ClearedLog(module);
    ASSERT_NE(nullptr, pLog);
    StandInOwner owner;
    CFrameStateStandIn frame;
    CKitCommandBarManager manager;
    manager.SetFrameHook(&frame);

    enum Bar { kToolbarTop, kToolbarLeft, kRibbonComposited, kRibbonPlain, kNoBar };
    const struct {
        const char* name;
        Bar nBar;
        BOOL bFrameComposited;
        CRect rcControl;
        BOOL bOnGlass;
    } cases[] = {
        {"toolbar at the top under glass", kToolbarTop, TRUE, CRect(4, 4, 80, 26), TRUE},
        {"toolbar at the top of a frame without glass", kToolbarTop, FALSE, CRect(4, 4, 80, 26), FALSE},
        {"toolbar at the left under glass", kToolbarLeft, TRUE, CRect(4, 4, 80, 26), FALSE},
        {"ribbon control in the composited caption", kRibbonComposited, FALSE, CRect(4, 4, 80, 26), TRUE},
        {"ribbon control under the composited caption", kRibbonComposited, FALSE, CRect(4, 60, 80, 82), FALSE},
        {"ribbon control in a caption without glass", kRibbonPlain, FALSE, CRect(4, 4, 80, 26), FALSE},
        {"control of no bar", kNoBar, TRUE, CRect(4, 4, 80, 26), FALSE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        frame.m_bComposited = c.bFrameComposited;
        CKitCommandBar* pBar = nullptr;
        if (c.nBar == kToolbarTop || c.nBar == kToolbarLeft) {
            pBar = new CKitToolBar();
            pBar->SetCommandBars(&manager);
            pBar->SetPosition(c.nBar == kToolbarTop ? kitBarTop : kitBarLeft);
        } else if (c.nBar != kNoBar) {
            auto* pRibbon = new CCompositedRibbonBar();
            pRibbon->m_bComposited = c.nBar == kRibbonComposited;
            pRibbon->SetCaptionRect(CRect(0, 0, 300, 30));
            pBar = pRibbon;
        }
        CKitControl* pControl = new CKitControlButton();
        if (pBar != nullptr)
            pBar->GetControls()->AddControl(pControl);
        pControl->SetCaption("Save");
        pControl->SetStyle(kitButtonCaption);
        pControl->SetRect(c.rcControl);
        EXPECT_EQ(c.bOnGlass, pControl->IsOnCompositedFrame());

        *pLog = KitTestThemeLog();
        Canvas canvas(300, 100, kPaper);
        owner.pm->DrawControl(&canvas.dc, pControl, TRUE);
        EXPECT_EQ(c.bOnGlass ? 1 : 0, pLog->textCount);
        if (pLog->textCount > 0)
            EXPECT_EQ("Save", TextOf(pLog->texts[0]));
        if (pBar != nullptr)
            pBar->InternalRelease();
        else
            pControl->InternalRelease();
    }
}

// Caption text on glass glows through the "WINDOW" style's caption part of the frame's state, widened by five
// pixels; without the library it is plain text.
TEST(KitRibbonPaintManagerGlass, CaptionTextOnGlassGlowsInTheFramesCaptionPart)
{
    TestModule module;
    KitTestThemeLog* pLog = ClearedLog(module);
    ASSERT_NE(nullptr, pLog);
    StandInOwner owner;
    CKitRibbonPaintManager* pPainter = owner.pm->GetRibbonPaintManager();
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, "STATIC", "", WS_POPUP | WS_CAPTION, 0, 0, 300, 100, nullptr, 0));
    const struct {
        const char* name;
        BOOL bMaximized;
        BOOL bActive;
        const char* pszLibrary;
        int nPart;
        int nState;
    } cases[] = {
        {"active", FALSE, TRUE, kStandInLibrary, WP_CAPTION, CS_ACTIVE},
        {"inactive", FALSE, FALSE, kStandInLibrary, WP_CAPTION, CS_INACTIVE},
        {"maximised and active", TRUE, TRUE, kStandInLibrary, WP_MAXCAPTION, MXCS_ACTIVE},
        {"maximised and inactive", TRUE, FALSE, kStandInLibrary, WP_MAXCAPTION, MXCS_INACTIVE},
        {"without the library", FALSE, TRUE, kMissingLibrary, 0, 0},
    };
    const CRect rc(40, 4, 200, 26);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        owner.pm->SetThemeLibrary(c.pszLibrary);
        if (c.bMaximized)
            frame.ModifyStyle(0, WS_MAXIMIZE);
        else
            frame.ModifyStyle(WS_MAXIMIZE, 0);
        *pLog = KitTestThemeLog();
        Canvas canvas(300, 30, kPaper);
        canvas.dc.SetBkMode(TRANSPARENT);
        pPainter->DrawDwmCaptionText(&canvas.dc, rc, "Korvane", &frame, c.bActive);
        EXPECT_GT(Painted(canvas, CRect(0, 0, 300, 30)), 10);
        if (c.nPart == 0) {
            EXPECT_EQ(0, pLog->textCount);
            continue;
        }
        ASSERT_EQ(1, pLog->textCount);
        const KitTestThemeText& text = pLog->texts[0];
        EXPECT_EQ("Korvane", TextOf(text));
        EXPECT_EQ(c.nPart, text.part);
        EXPECT_EQ(c.nState, text.state);
        EXPECT_EQ(kGlowTextOptions, text.options);
        EXPECT_EQ(8, text.glowSize);
        EXPECT_EQ(static_cast<DWORD>(DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX), text.format);
        EXPECT_EQ(CRect(35, 4, 205, 26), CRect(text.rect));
        EXPECT_EQ(CRect(35, 4, 205, 26), CRect(pLog->lastBuffer));
        EXPECT_EQ(1, pLog->buffersUpdated);
    }
    frame.DestroyWindow();
}

// On a composited frame the title and a context header's caption glow; without glass neither goes through the
// visual style.
TEST(KitRibbonPaintManagerGlass, TheTitleAndContextHeadersGlowOnlyOnGlass)
{
    TestModule module;
    KitTestThemeLog* pLog = ClearedLog(module);
    ASSERT_NE(nullptr, pLog);
    ThemeModule pictures("Ribbon.Theme.Ini");
    StandInOwner owner;
    CKitRibbonPaintManager* pPainter = owner.pm->GetRibbonPaintManager();
    pPainter->RefreshMetrics();
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, "STATIC", "Korvane", WS_POPUP | WS_CAPTION, 0, 0, 300, 100, nullptr, 0));
    auto* pBar = new CCompositedRibbonBar();
    pBar->SetFrameHook(new CKitFrameHook(&frame, pBar, nullptr));
    pBar->SetCaptionRect(CRect(0, 0, 300, 30));
    pBar->SetTitleRect(CRect(60, 0, 300, 30));
    CKitRibbonTab* pLayout = pBar->AddTab("Layout", 7);
    pLayout->SetContextColor(CKitRibbonTab::kContextGreen);
    pLayout->SetContextCaption("Table Tools");
    pBar->AddContextHeader(pLayout, CRect(150, 4, 240, 30));
    for (BOOL bComposited : {TRUE, FALSE}) {
        SCOPED_TRACE(bComposited ? "composited" : "not composited");
        pBar->m_bComposited = bComposited;
        *pLog = KitTestThemeLog();
        Canvas canvas(300, 40, kPaper);
        pPainter->DrawRibbonFrameCaption(&canvas.dc, pBar, TRUE);
        std::vector<std::string> texts;
        for (int i = 0; i < pLog->textCount && i < KitTestThemeLog::kMaxDraws; ++i)
            texts.push_back(TextOf(pLog->texts[i]));
        if (bComposited)
            EXPECT_EQ((std::vector<std::string>{"Table Tools", "Korvane"}), texts);
        else
            EXPECT_TRUE(texts.empty());
    }
    pBar->InternalRelease();
    frame.DestroyWindow();
}

// On glass the frame icon keeps the alpha it has; one without alpha goes through a 32-bit buffer. The icon and
// whether it has alpha are kept until another icon comes; an uncomposited frame keeps nothing.
TEST(KitRibbonPaintManagerGlass, TheFrameIconIsCachedWithItsAlphaOnGlass)
{
    StandInOwner owner;
    CKitRibbonPaintManager* pPainter = owner.pm->GetRibbonPaintManager();
    auto* pBar = new CCompositedRibbonBar();
    const size_t nPixels = 16 * 16;
    HICON hAlpha = KitPixels::CreateIconFromPixels(
        std::vector<DWORD>(nPixels, KitPixels::FromColorRef(RGB(200, 30, 30), 255)), std::vector<BYTE>(nPixels, 0),
        CSize(16, 16), TRUE);
    HICON hOpaque = MakeSolidIcon(16, 16, RGB(30, 30, 200));
    const struct {
        const char* name;
        BOOL bComposited;
        HICON hIcon;
        COLORREF clr;
        HICON hCached;
        BOOL bAlpha;
    } cases[] = {
        {"not composited", FALSE, hAlpha, RGB(200, 30, 30), nullptr, FALSE},
        {"an icon with alpha on glass", TRUE, hAlpha, RGB(200, 30, 30), hAlpha, TRUE},
        {"an icon without alpha on glass", TRUE, hOpaque, RGB(30, 30, 200), hOpaque, FALSE},
        {"the first icon again", TRUE, hAlpha, RGB(200, 30, 30), hAlpha, TRUE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        pBar->m_bComposited = c.bComposited;
        Canvas canvas(40, 40, kPaper);
        pPainter->DrawFrameIcon(&canvas.dc, pBar, 10, 10, 26, 26, c.hIcon);
        EXPECT_EQ(c.clr, canvas.Pixel(18, 18));
        EXPECT_EQ(kPaper, canvas.Pixel(30, 30));
        EXPECT_EQ(c.hCached, pPainter->GetCachedFrameIcon());
        EXPECT_EQ(c.bAlpha, pPainter->IsCachedFrameIconAlpha());
    }
    pBar->InternalRelease();
    ::DestroyIcon(hAlpha);
    ::DestroyIcon(hOpaque);
}

// The ribbon theme's caption colours for controls of a ribbon outside its groups: the description's ribbon text
// and grey, the base rule while a control is hot, and black for a quick access control on glass.
TEST(KitRibbonThemeGlass, RibbonControlsTakeTheRibbonTextColours)
{
    ThemeModule pictures("Resource.Theme.Ini");
    CKitPaintManager::SetTheme(CKitRibbonTheme::kThemeNumber);
    auto* pTheme = dynamic_cast<CKitRibbonTheme*>(CKitPaintManager::Instance());
    ASSERT_NE(nullptr, pTheme);
    ASSERT_NE(CKitPaintManagerColor::kNone, pTheme->m_clrRibbonText);
    auto* pBar = new CCompositedRibbonBar();
    pBar->SetCaptionRect(CRect(0, 0, 300, 30));
    CKitControl* pQuick = pBar->GetQuickAccessControls()->Add(kitControlButton, 201);
    CKitControl* pCheck = pBar->GetControls()->Add(kitControlCheckBox, 202);
    CKitRibbonGroup* pGroup = pBar->AddTab("Home", 1)->GetGroups()->Add("Clipboard", 10);
    CKitControl* pInGroup = AddButton(pBar, pGroup, 203, "Paste");
    CKitToolBar toolbar;
    CKitControl* pOnToolbar = toolbar.GetControls()->Add(kitControlButton, 204);

    enum Expected { kRibbonText, kGray, kBase, kBlack };
    const struct {
        const char* name;
        CKitControl* pControl;
        CRect rc;
        BOOL bComposited;
        BOOL bEnabled;
        int nSelected;
        Expected nExpected;
    } cases[] = {
        {"quick access control on glass", pQuick, CRect(4, 4, 26, 26), TRUE, TRUE, 0, kBlack},
        {"quick access control below the glass", pQuick, CRect(4, 40, 26, 62), TRUE, TRUE, 0, kRibbonText},
        {"quick access control without glass", pQuick, CRect(4, 4, 26, 26), FALSE, TRUE, 0, kRibbonText},
        {"disabled quick access control", pQuick, CRect(4, 40, 26, 62), TRUE, FALSE, 0, kGray},
        {"hot quick access control", pQuick, CRect(4, 40, 26, 62), FALSE, TRUE, 1, kBase},
        {"check box of the ribbon", pCheck, CRect(40, 40, 90, 62), FALSE, TRUE, 0, kRibbonText},
        {"disabled check box", pCheck, CRect(40, 40, 90, 62), FALSE, FALSE, 0, kGray},
        {"control of a group", pInGroup, CRect(40, 60, 90, 82), FALSE, TRUE, 0, kBase},
        {"control of a toolbar", pOnToolbar, CRect(4, 4, 26, 26), FALSE, TRUE, 0, kBase},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        pBar->m_bComposited = c.bComposited;
        c.pControl->SetRect(c.rc);
        c.pControl->SetEnabled(c.bEnabled);
        c.pControl->OnSetSelected(c.nSelected);
        const COLORREF clrBase = pTheme->CKitResourceTheme::GetControlTextColor(c.pControl);
        const COLORREF expected[] = {pTheme->m_clrRibbonText, pTheme->m_clrRibbonGrayText, clrBase, RGB(0, 0, 0)};
        EXPECT_EQ(expected[c.nExpected], pTheme->GetControlTextColor(c.pControl));
        c.pControl->OnSetSelected(0);
    }
    toolbar.GetControls()->RemoveAll();
    pBar->InternalRelease();
    CKitPaintManager::Done();
}
