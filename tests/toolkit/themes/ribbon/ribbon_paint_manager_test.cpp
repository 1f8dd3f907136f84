// The ribbon painters: metrics from the owner and the theme's description, the tab strip's paint manager,
// and the pictures of tabs, context headers and option buttons on memory DCs.
#include "toolkit/themes/ribbon/ribbon_paint_manager.h"

#include "ribbon_theme_support.h"
#include "support/canvas.h"
#include "toolkit/themes/paint/frame_hook.h"
#include "toolkit/themes/paint/resource_theme.h"
#include "toolkit/themes/paint/resource_theme_support.h"
#include "toolkit/themes/paint/test_paint_manager.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/common/fixtures/image_test_support.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/themes/ribbon/ribbon_backstage_view.h"
#include "toolkit/themes/ribbon/ribbon_control_tab.h"
#include "toolkit/themes/ribbon/ribbon_group.h"
#include "toolkit/themes/ribbon/ribbon_system_button.h"
#include "toolkit/themes/ribbon/ribbon_system_theme.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace RibbonPictureColors;

namespace {

constexpr COLORREF kPaper = RGB(1, 150, 1);

// A test paint manager that owns its reference; the test sets its menu font and text height.
struct Owner {
    Owner() { pm->RefreshMetrics(); }
    ~Owner() { pm->InternalRelease(); }
    CTestPaintManager* operator->() const { return pm; }
    CTestPaintManager* pm = new CTestPaintManager();
};

// A ribbon painter of the test owner, released with the test.
template <class T> struct Painter {
    explicit Painter(CKitPaintManager* pOwner) : p(new T(pOwner)) { p->RefreshMetrics(); }
    ~Painter() { p->InternalRelease(); }
    T* operator->() const { return p; }
    T* p;
};

// A system button the test opens without a window.
class CTestSystemButton : public CKitRibbonControlSystemButton {
public:
    void SetPopped(BOOL bPopped) { m_bPopuped = bPopped; }
};

// The colour in the middle of the rectangle after the painter drew the tab there.
COLORREF DrawTabMiddle(CKitRibbonPaintManager* pPainter, CKitRibbonTab* pTab)
{
    Canvas canvas(80, 50, kPaper);
    pPainter->DrawRibbonTab(&canvas.dc, pTab);
    return canvas.Pixel(40, 25);
}

} // namespace

// Menu font or font size, and owner control height, to the group caption and tabs heights.
TEST(KitRibbonPaintManager, CaptionAndTabsHeightsFollowTheMenuFontAndTheControlHeight)
{
    struct Case {
        const char* name;
        LONG nMenuFontHeight;
        int nFontSize;
        int nTextHeight;
        int nGroupCaptionHeight;
        int nTabsHeight;
    };
    const Case cases[] = {
        {"12-pixel menu font", -12, 0, 22, 17, 23},
        {"15-pixel menu font", -15, 0, 23, 22, 25},
        {"small font below the least", -8, 0, 10, 17, 23},
        {"font size setting above 11", -12, 15, 30, 22, 32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Owner owner;
        owner->m_nMenuFontHeight = c.nMenuFontHeight;
        owner->m_nFontHeight = c.nFontSize;
        owner->RefreshMetrics();
        owner->SetTextHeight(c.nTextHeight);
        Painter<CKitRibbonPaintManager> painter(owner.pm);
        EXPECT_EQ(c.nGroupCaptionHeight, painter->GetGroupCaptionHeight());
        EXPECT_EQ(c.nTabsHeight, painter->GetTabsHeight());
        EXPECT_GE(painter->GetCaptionHeight(), 18);
        // The tab strip's items are one pixel taller than the row.
        EXPECT_EQ(c.nTabsHeight + 1,
                  painter->GetTabPaintManager()->GetAppearanceSet()->GetButtonHeight(nullptr));
    }
}

TEST(KitRibbonPaintManager, TheTabPaintManagerIsCompressedHotTrackingWithTheRibbonMargins)
{
    Owner owner;
    owner->m_bClearTypeTextQuality = TRUE;
    Painter<CKitRibbonPaintManager> painter(owner.pm);
    CKitTabPaintManager* pTabs = painter->CreateTabPaintManager();
    EXPECT_EQ(CKitTabPaintManager::kLayoutCompressed, pTabs->GetLayout());
    EXPECT_TRUE(pTabs->m_bHotTracking);
    EXPECT_EQ(CRect(0, 2, 0, 2), pTabs->m_rcButtonMargin);
    EXPECT_EQ(CRect(4, 0, 4, 0), pTabs->m_rcTextMargin);
    EXPECT_EQ(21, pTabs->m_nItemExtraLength);
    EXPECT_EQ(2, pTabs->m_nToolTipMode);
    EXPECT_EQ(CKitTabPaintManager::kClientFrameSingleLine, pTabs->m_nClientFrame);
    EXPECT_FALSE(pTabs->m_bFillBackground);
    EXPECT_FALSE(pTabs->m_bNoPrefix);
    EXPECT_FALSE(pTabs->m_bDrawFocusRect);
    EXPECT_FALSE(pTabs->m_bClipHeader);
    EXPECT_TRUE(pTabs->m_bClearType);
    auto* pSet = dynamic_cast<CKitRibbonPaintManager::CRibbonAppearanceSet*>(pTabs->GetAppearanceSet());
    ASSERT_NE(nullptr, pSet);
    EXPECT_EQ(CRect(0, 1, 0, 0), pSet->GetHeaderMargin());
    EXPECT_NE(nullptr, dynamic_cast<CKitRibbonPaintManager::CRibbonColorSet*>(pTabs->GetColorSet()));
    pTabs->InternalRelease();
}

TEST(KitRibbonPaintManager, ContextColorNamesAndPictureNames)
{
    EXPECT_STREQ("BLUE", CKitRibbonPaintManager::GetContextColorName(1));
    EXPECT_STREQ("ORANGE", CKitRibbonPaintManager::GetContextColorName(7));
    EXPECT_STREQ("", CKitRibbonPaintManager::GetContextColorName(0));
    EXPECT_STREQ("", CKitRibbonPaintManager::GetContextColorName(8));
    EXPECT_STREQ("CONTEXTTABHEADER", CKitRibbonPaintManager::FormatString(
                                         "CONTEXTTAB%sHEADER", CKitRibbonPaintManager::GetContextColorName(9)));
}

// The paint manager makes its ribbon painter once, of the kind its theme draws with, and refreshes it.
TEST(KitRibbonPaintManager, ThePaintManagerMakesItsRibbonPainterOnceAndRefreshesIt)
{
    ThemeModule module("Ribbon.Theme.Ini");
    Owner owner;
    CKitRibbonPaintManager* pRibbon = owner->GetRibbonPaintManager();
    EXPECT_EQ(pRibbon, owner->GetRibbonPaintManager());
    EXPECT_TRUE(pRibbon->IsKindOf(RUNTIME_CLASS(CKitRibbonSystemTheme)));
    EXPECT_EQ(17, pRibbon->GetGroupCaptionHeight());
    owner->m_nFontHeight = 15;
    owner->RefreshMetrics();
    EXPECT_EQ(22, pRibbon->GetGroupCaptionHeight());

    auto* pResourceTheme = new CKitResourceTheme;
    pResourceTheme->RefreshMetrics();
    CKitRibbonPaintManager* pPictures = pResourceTheme->GetRibbonPaintManager();
    EXPECT_FALSE(pPictures->IsKindOf(RUNTIME_CLASS(CKitRibbonSystemTheme)));
    EXPECT_EQ(pResourceTheme, pPictures->GetPaintManager());
    pResourceTheme->InternalRelease();
}

// The picture painter takes the description's colours; the system theme the system's, whatever the description says.
TEST(KitRibbonPaintManager, TheSystemThemeTakesTheSystemColoursOverTheDescription)
{
    ThemeModule module("Ribbon.Theme.Ini");
    Owner owner;
    Painter<CKitRibbonPaintManager> pictures(owner.pm);
    EXPECT_EQ(kRibbonFace, pictures->GetRibbonFace());
    EXPECT_EQ(kGroupSpacing, pictures->GetGroupSpacing());
    EXPECT_TRUE(pictures->IsFlatFrame());
    EXPECT_EQ(RGB(10, 40, 100),
              static_cast<COLORREF>(pictures->GetTabPaintManager()->GetColorSet()->m_clrSelectedText));

    Painter<CKitRibbonSystemTheme> system(owner.pm);
    EXPECT_EQ(::GetSysColor(COLOR_3DFACE), system->GetRibbonFace());
    EXPECT_EQ(2, system->GetGroupSpacing());
    EXPECT_FALSE(system->IsFlatFrame());
    EXPECT_EQ(::GetSysColor(COLOR_BTNTEXT),
              static_cast<COLORREF>(system->GetTabPaintManager()->GetColorSet()->m_clrSelectedText));
}

// Selected, hot and focused tabs pick their row; a context picture of 70 pixels or more holds five rows.
TEST(KitRibbonPaintManager, TabsPickTheirPictureRowByStateAndContextPictureHeight)
{
    ThemeModule module("Ribbon.Theme.Ini");
    Owner owner;
    Painter<CKitRibbonPaintManager> painter(owner.pm);
    struct Case {
        const char* name;
        int nColor;
        BOOL bSelected;
        BOOL bHot;
        BOOL bFocused;
        COLORREF clrExpected;
    };
    const Case cases[] = {
        {"plain idle: nothing", 0, FALSE, FALSE, FALSE, kPaper},
        {"plain hot", 0, FALSE, TRUE, FALSE, kRibbonTab[1]},
        {"plain selected", 0, TRUE, FALSE, FALSE, kRibbonTab[3]},
        {"plain selected and hot", 0, TRUE, TRUE, FALSE, kRibbonTab[4]},
        {"plain selected and focused", 0, TRUE, FALSE, TRUE, kRibbonTab[5]},
        {"tall context idle: nothing", CKitRibbonTab::kContextGreen, FALSE, FALSE, FALSE, kPaper},
        {"tall context hot: row 1 of 5", CKitRibbonTab::kContextGreen, FALSE, TRUE, FALSE, kContextTabGreen[1]},
        {"tall context selected: row 3 of 5", CKitRibbonTab::kContextGreen, TRUE, FALSE, FALSE, kContextTabGreen[3]},
        {"tall context selected and hot: the plain tab's row 5", CKitRibbonTab::kContextGreen, TRUE, TRUE, FALSE,
         kRibbonTab[5]},
        {"short context hot: row 0 of 3", CKitRibbonTab::kContextRed, FALSE, TRUE, FALSE, kContextTabRed[0]},
        {"short context selected: row 1 of 3", CKitRibbonTab::kContextRed, TRUE, FALSE, FALSE, kContextTabRed[1]},
        {"short context focused: row 2 of 3", CKitRibbonTab::kContextRed, TRUE, FALSE, TRUE, kContextTabRed[2]},
        {"context without a picture, selected: nothing", CKitRibbonTab::kContextPurple, TRUE, FALSE, FALSE, kPaper},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* pStrip = new CTestControlTab;
        CKitRibbonTab* pTab = pStrip->AddTab(c.nColor);
        pStrip->AddTab(0);
        if (c.bSelected)
            pStrip->SetSelectedItem(pTab);
        if (c.bHot)
            pStrip->SetHot(pTab);
        pStrip->SetFocused(c.bFocused);
        EXPECT_EQ(c.clrExpected, DrawTabMiddle(painter.p, pTab));
        pStrip->InternalRelease();
    }
}

// Headers are drawn in order until one whose colour has no header picture.
TEST(KitRibbonPaintManager, AMissingContextHeaderPictureStopsTheLaterHeaders)
{
    ThemeModule module("Ribbon.Theme.Ini");
    Owner owner;
    Painter<CKitRibbonPaintManager> painter(owner.pm);
    auto* pBar = new CLaidOutRibbonBar;
    const int colors[] = {CKitRibbonTab::kContextGreen, CKitRibbonTab::kContextRed, CKitRibbonTab::kContextBlue};
    for (int i = 0; i < 3; ++i) {
        CKitRibbonTab* pTab = pBar->AddTab("Tab", i + 1);
        pTab->SetContextColor(colors[i]);
        pBar->AddContextHeader(pTab, CRect(10 + 60 * i, 0, 60 + 60 * i, 20));
    }
    Canvas canvas(200, 30, kPaper);
    painter->DrawContextHeaders(&canvas.dc, pBar);
    EXPECT_EQ(kGreenHeader, canvas.Pixel(15, 18));
    EXPECT_EQ(kPaper, canvas.Pixel(75, 18));
    EXPECT_EQ(kPaper, canvas.Pixel(135, 18));

    // Without the red header between them, the blue one is drawn.
    pBar->GetContextHeader(1)->m_nColor = CKitRibbonTab::kContextBlue;
    painter->DrawContextHeaders(&canvas.dc, pBar);
    EXPECT_EQ(kBlueHeader, canvas.Pixel(75, 18));
    EXPECT_EQ(kBlueHeader, canvas.Pixel(135, 18));
    pBar->InternalRelease();
}

// The option button is 15 x 14 drawn or measured, with or without its picture, in either painter.
TEST(KitRibbonPaintManager, TheGroupOptionButtonMeasuresFifteenByFourteen)
{
    Owner owner;
    Painter<CKitRibbonPaintManager> pictures(owner.pm);
    Painter<CKitRibbonSystemTheme> system(owner.pm);
    auto* pButton = new CKitControlButton;
    pButton->SetRect(CRect(2, 2, 17, 16));
    Canvas canvas(20, 20, kPaper);
    for (CKitRibbonPaintManager* pPainter : {pictures.p, static_cast<CKitRibbonPaintManager*>(system.p)}) {
        EXPECT_EQ(CSize(15, 14), pPainter->DrawControlGroupOption(nullptr, pButton, FALSE));
        EXPECT_EQ(CSize(15, 14), pPainter->DrawControlGroupOption(&canvas.dc, pButton, TRUE));
    }
    {
        ThemeModule module("Ribbon.Theme.Ini");
        pButton->OnSetSelected(1);
        EXPECT_EQ(CSize(15, 14), pictures->DrawControlGroupOption(&canvas.dc, pButton, TRUE));
        EXPECT_EQ(kOptionButton[1], canvas.Pixel(9, 9));
    }
    pButton->InternalRelease();
}

TEST(KitRibbonSystemTheme, TheQuickAccessPathIsTheTemplateFilledIn)
{
    EXPECT_STREQ("<Path Data='M0 0 S 10 0 10 20 L 90 20 S 100 20 100 10 l 0 0 S  100 0 90 0 Z' Stroke='#22FFFFFF' "
                 "StrokeThickness='2' Fill='#44FFFFFF' ></Path>",
                 CKitRibbonSystemTheme::FormatQuickAccessPath(100, 20));
    // An odd height is halved downwards.
    EXPECT_STREQ("<Path Data='M0 0 S 10 0 10 21 L 40 21 S 50 21 50 10 l 0 0 S  50 0 40 0 Z' Stroke='#22FFFFFF' "
                 "StrokeThickness='2' Fill='#44FFFFFF' ></Path>",
                 CKitRibbonSystemTheme::FormatQuickAccessPath(50, 21));
}

// A ribbon that hides its groups, or the backstage view of its system button, leaves the selected tab unmarked.
TEST(KitRibbonPaintManager, AMinimizedRibbonOrAnOpenBackstageViewDrawsNoSelectedTab)
{
    ThemeModule module("Ribbon.Theme.Ini");
    Owner owner;
    Painter<CKitRibbonPaintManager> painter(owner.pm);
    auto* pBar = new CLaidOutRibbonBar;
    CKitRibbonTab* pTab = pBar->AddTab("Home", 1);
    pTab->SetRect(CRect(10, 10, 70, 40));
    pBar->GetControlTab()->SetSelectedItem(pTab);
    EXPECT_EQ(kRibbonTab[3], DrawTabMiddle(painter.p, pTab));

    pBar->SetMinimized(TRUE);
    EXPECT_EQ(kPaper, DrawTabMiddle(painter.p, pTab));
    pBar->SetMinimized(FALSE);

    auto* pButton = new CTestSystemButton;
    pBar->GetControls()->Add(pButton, 1000);
    pBar->SetSystemButton(pButton);
    pButton->SetCommandBar(new CKitRibbonBackstageView);
    pButton->SetPopped(TRUE);
    EXPECT_EQ(kPaper, DrawTabMiddle(painter.p, pTab));
    // A popup menu in place of the backstage view keeps the tab selected.
    pButton->SetCommandBar(new CKitCommandBar);
    EXPECT_EQ(kRibbonTab[3], DrawTabMiddle(painter.p, pTab));
    pButton->SetPopped(FALSE);
    pBar->InternalRelease();
}

// A group's client and caption pictures, row 1 when highlighted; a context group without pictures draws none.
TEST(KitRibbonPaintManager, GroupsDrawTheirClientAndCaptionRowsByHighlight)
{
    ThemeModule module("Ribbon.Theme.Ini");
    Owner owner;
    Painter<CKitRibbonPaintManager> painter(owner.pm);
    auto* pBar = new CLaidOutRibbonBar;
    CKitRibbonTab* pTab = pBar->AddTab("Home", 1);
    CKitRibbonGroup* pGroup = pTab->GetGroups()->Add("", 10);
    pGroup->SetParent(pBar);
    pGroup->SetRect(CRect(0, 0, 100, 90));
    const int nCaptionTop = 90 - painter->GetGroupCaptionHeight();
    for (int nHighlighted = 0; nHighlighted < 2; ++nHighlighted) {
        SCOPED_TRACE(nHighlighted);
        pBar->SetHighlightedGroup(nHighlighted ? pGroup : nullptr);
        Canvas canvas(110, 100, kPaper);
        painter->DrawGroup(&canvas.dc, pGroup);
        EXPECT_EQ(kGroupClient[nHighlighted], canvas.Pixel(50, nCaptionTop / 2));
        EXPECT_EQ(kGroupCaption[nHighlighted], canvas.Pixel(50, nCaptionTop + 3));
    }
    pTab->SetContextColor(CKitRibbonTab::kContextGreen);
    Canvas context(110, 100, kPaper);
    painter->DrawGroup(&context.dc, pGroup);
    EXPECT_EQ(kPaper, context.Pixel(50, nCaptionTop / 2));
    EXPECT_EQ(kPaper, context.Pixel(5, nCaptionTop + 3));
    pGroup->SetParent(nullptr);
    pBar->InternalRelease();
}

// A reduced group's button: at least 42 wide, wider for a long caption, three control heights tall.
TEST(KitRibbonPaintManager, AReducedGroupButtonIsThreeControlHeightsTall)
{
    Owner owner;
    Painter<CKitRibbonPaintManager> painter(owner.pm);
    auto* pGroups = new CKitRibbonGroups(nullptr);
    CKitRibbonGroup* pGroup = pGroups->Add("Editing", 30);
    auto* pButton = new CKitControlPopup(kitControlButtonPopup);
    pButton->SetRibbonGroup(pGroup);
    Canvas canvas(10, 10, kPaper);
    pButton->SetCaption("A");
    const CSize szShort = painter->DrawControlGroupPopup(&canvas.dc, pButton, FALSE);
    EXPECT_EQ(42, szShort.cx);
    EXPECT_EQ(3 * painter->GetControlHeight(), szShort.cy);
    pButton->SetCaption("Paragraph Formatting Settings");
    const CSize szLong = painter->DrawControlGroupPopup(&canvas.dc, pButton, FALSE);
    EXPECT_GT(szLong.cx, 42);
    EXPECT_EQ(szShort.cy, szLong.cy);
    pButton->SetRibbonGroup(nullptr);
    pButton->InternalRelease();
    pGroups->InternalRelease();
}

// The paint manager lets its ribbon painter draw a control of a joined row first; others keep its own face.
TEST(KitRibbonPaintManager, AJoinedRowControlIsDrawnByTheRibbonPainter)
{
    Owner owner;
    auto* pGroups = new CKitRibbonGroups(nullptr);
    CKitRibbonGroup* pGroup = pGroups->Add("Font", 20);
    pGroup->SetControlsGrouping(TRUE);
    auto* pJoined = new CKitControlButton;
    pJoined->SetRect(CRect(2, 2, 24, 24));
    pGroup->Add(pJoined);
    auto* pLoose = new CKitControlButton;
    pLoose->SetRect(CRect(2, 2, 24, 24));

    Canvas joined(26, 26, kPaper);
    owner->DrawControlEntry(&joined.dc, pJoined);
    EXPECT_GT(26 * 26 - joined.Count(CRect(0, 0, 26, 26), kPaper), 300);
    // The test paint manager's own face is empty.
    Canvas loose(26, 26, kPaper);
    owner->DrawControlEntry(&loose.dc, pLoose);
    EXPECT_EQ(26 * 26, loose.Count(CRect(0, 0, 26, 26), kPaper));
    pJoined->OnSetSelected(1);
    Canvas selected(26, 26, kPaper);
    owner->DrawControlEntry(&selected.dc, pJoined);
    EXPECT_EQ(26 * 26, selected.Count(CRect(0, 0, 26, 26), kPaper));

    pJoined->InternalRelease();
    pLoose->InternalRelease();
    pGroups->InternalRelease();
}

// A lone button of a joined row picks its picture row by state. Only an enabled value of 0 draws it disabled: 4
// and 5 mark a split control's disabled part, and a split control is left to the split drawing.
TEST(KitRibbonPaintManager, AJoinedRowButtonPicksItsRowByStateAndOnlyZeroIsDisabled)
{
    ThemeModule module("Ribbon.Theme.Ini");
    Owner owner;
    Painter<CKitRibbonPaintManager> painter(owner.pm);
    // The rows of the single-button picture: normal, highlighted, pressed, checked or popped, checked and highlighted.
    const COLORREF kSingle[5] = {RGB(100, 44, 200), RGB(120, 44, 200), RGB(140, 44, 200), RGB(160, 44, 200),
                                 RGB(180, 44, 200)};
    auto* pGroups = new CKitRibbonGroups(nullptr);
    CKitRibbonGroup* pGroup = pGroups->Add("Font", 20);
    pGroup->SetControlsGrouping(TRUE);
    auto* pButton = new CKitControlButton;
    pButton->SetBeginGroup(TRUE);
    pButton->SetRect(CRect(2, 2, 42, 24));
    pGroup->Add(pButton);
    struct Case {
        const char* name;
        int nEnabled;
        int nSelected;
        int nPressed;
        BOOL bChecked;
        BOOL bPopuped;
        int nRow;
    };
    const Case cases[] = {
        {"idle", TRUE, 0, 0, FALSE, FALSE, 0},
        {"hot", TRUE, 1, 0, FALSE, FALSE, 1},
        {"pressed", TRUE, 1, 1, FALSE, FALSE, 2},
        {"popped", TRUE, 0, 0, FALSE, TRUE, 3},
        {"checked", TRUE, 0, 0, TRUE, FALSE, 3},
        {"checked and hot", TRUE, 1, 0, TRUE, FALSE, 4},
        {"disabled, hot, pressed and checked", FALSE, 1, 1, TRUE, FALSE, 0},
        {"disabled, selected by the keyboard", FALSE, 2, 0, FALSE, FALSE, 1},
        {"enabled value 4, hot", 4, 1, 0, FALSE, FALSE, 1},
        {"enabled value 4, checked", 4, 0, 0, TRUE, FALSE, 3},
        {"enabled value 5, pressed", 5, 1, 1, FALSE, FALSE, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        pButton->SetEnabled(c.nEnabled);
        pButton->SetSelected(c.nSelected);
        pButton->SetPressed(c.nPressed);
        pButton->SetChecked(c.bChecked ? 1 : 0);
        pButton->SetPopuped(c.bPopuped);
        Canvas canvas(44, 26, kPaper);
        EXPECT_TRUE(painter->DrawSpecialToolBarButton(&canvas.dc, pButton));
        EXPECT_EQ(kSingle[c.nRow], canvas.Pixel(22, 13));
    }

    auto* pSplit = new CKitControlPopup(kitControlSplitButtonPopup);
    pSplit->SetBeginGroup(TRUE);
    pSplit->SetRect(CRect(2, 2, 42, 24));
    pGroup->Add(pSplit);
    pSplit->SetEnabled(4);
    Canvas split(44, 26, kPaper);
    EXPECT_FALSE(painter->DrawSpecialToolBarButton(&split.dc, pSplit));
    EXPECT_EQ(44 * 26, split.Count(CRect(0, 0, 44, 26), kPaper));

    pButton->InternalRelease();
    pSplit->InternalRelease();
    pGroups->InternalRelease();
}

// The bar's face below its caption; a minimized ribbon ends in the edge colours, unless its quick access
// toolbar stands below it.
TEST(KitRibbonPaintManager, TheBarIsTheRibbonFaceEndingInTheMinimizedEdges)
{
    ThemeModule module("Ribbon.Theme.Ini");
    Owner owner;
    Painter<CKitRibbonPaintManager> pictures(owner.pm);
    Painter<CKitRibbonSystemTheme> system(owner.pm);
    CLaidOutRibbonBar bar;
    ASSERT_TRUE(bar.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 120, 60, nullptr, 0));
    bar.SetTabControlRect(CRect(10, 26, 110, 50));
    bar.SetMinimized(TRUE);
    {
        Canvas canvas(120, 60, kPaper);
        pictures->FillRibbonBar(&canvas.dc, &bar);
        EXPECT_EQ(kRibbonFace, canvas.Pixel(2, 30)) << "the tab row runs across the bar";
        EXPECT_EQ(kRibbonFace, canvas.Pixel(60, 55));
        EXPECT_EQ(kMinimizedEdgeShadow, canvas.Pixel(60, 58));
        EXPECT_EQ(kMinimizedEdgeHighlight, canvas.Pixel(60, 59));
        EXPECT_EQ(kPaper, canvas.Pixel(60, 10)) << "the caption band is not the bar's";
    }
    {
        Canvas canvas(120, 60, kPaper);
        system->FillRibbonBar(&canvas.dc, &bar);
        EXPECT_EQ(::GetSysColor(COLOR_3DFACE), canvas.Pixel(60, 55));
        EXPECT_EQ(::GetSysColor(COLOR_3DSHADOW), canvas.Pixel(60, 58));
        EXPECT_EQ(::GetSysColor(COLOR_3DHILIGHT), canvas.Pixel(60, 59));
    }
    // The markup painter frames a quick access toolbar below the ribbon in the shadow colour.
    bar.SetQuickAccessBelow(TRUE);
    bar.SetQuickAccessRect(CRect(0, 50, 80, 60));
    {
        Canvas canvas(120, 60, kPaper);
        system->FillRibbonBar(&canvas.dc, &bar);
        EXPECT_EQ(::GetSysColor(COLOR_3DSHADOW), canvas.Pixel(60, 50));
        EXPECT_EQ(::GetSysColor(COLOR_3DSHADOW), canvas.Pixel(0, 55));
        EXPECT_EQ(::GetSysColor(COLOR_3DFACE), canvas.Pixel(60, 55));
    }
    bar.DestroyWindow();
}

// A skinned frame's caption band shows the frame's title centred in the title rectangle.
TEST(KitRibbonPaintManager, TheFrameCaptionShowsTheFrameTitleCentred)
{
    Owner owner;
    Painter<CKitRibbonPaintManager> pictures(owner.pm);
    Painter<CKitRibbonSystemTheme> system(owner.pm);
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, "STATIC", "", WS_POPUP | WS_CAPTION, 0, 0, 300, 100, nullptr, 0));
    auto* pBar = new CLaidOutRibbonBar;
    pBar->SetFrameHook(new CKitFrameHook(&frame, pBar, nullptr));
    const CRect rcTitle(60, 0, 300, 30);
    pBar->SetCaptionRect(CRect(0, 0, 300, 30));
    pBar->SetTitleRect(rcTitle);
    for (CKitRibbonPaintManager* pPainter : {pictures.p, static_cast<CKitRibbonPaintManager*>(system.p)}) {
        frame.SetWindowText("");
        Canvas untitled(300, 40, kPaper);
        pPainter->DrawRibbonFrameCaption(&untitled.dc, pBar, TRUE);
        frame.SetWindowText("Korvane");
        Canvas titled(300, 40, kPaper);
        pPainter->DrawRibbonFrameCaption(&titled.dc, pBar, TRUE);
        int nLeft = 300;
        int nRight = 0;
        int nChanged = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 300; ++x)
                if (untitled.Pixel(x, y) != titled.Pixel(x, y)) {
                    ++nChanged;
                    nLeft = std::min(nLeft, x);
                    nRight = std::max(nRight, x);
                }
        EXPECT_GT(nChanged, 20);
        // Centred: as much room on either side, give or take the glyphs' bearings.
        EXPECT_NEAR(nLeft - rcTitle.left, rcTitle.right - 1 - nRight, 6);
    }
    pBar->InternalRelease();
    frame.DestroyWindow();
}

// A tab shows the icon of its image id from the bar's image manager; none without an id or an icon.
TEST(KitRibbonPaintManager, TabsShowTheIconOfTheirImageId)
{
    constexpr UINT kIconId = 7771;
    const HICON hIcon = MakeSolidIcon(16, 16, RGB(200, 30, 30));
    ASSERT_TRUE(CKitImageManager::Instance()->SetIcon(CKitImageManagerIconHandle(hIcon), kIconId));
    ::DestroyIcon(hIcon);
    auto* pStrip = new CTestControlTab;
    CKitRibbonTab* pTab = pStrip->AddTab(0);
    CSize szIcon(16, 16);
    EXPECT_TRUE(pStrip->DrawIcon(nullptr, CPoint(), nullptr, FALSE, szIcon)) << "the strip shows icons";

    Canvas canvas(40, 40, kPaper);
    pTab->SetImageIndex(kIconId);
    EXPECT_TRUE(pStrip->DrawIcon(&canvas.dc, CPoint(4, 4), pTab, TRUE, szIcon));
    EXPECT_EQ(RGB(200, 30, 30), canvas.Pixel(12, 12));
    pTab->SetImageIndex(kIconId + 1);
    EXPECT_FALSE(pStrip->DrawIcon(&canvas.dc, CPoint(4, 4), pTab, FALSE, szIcon));
    pTab->SetImageIndex(-1);
    EXPECT_FALSE(pStrip->DrawIcon(&canvas.dc, CPoint(4, 4), pTab, FALSE, szIcon));
    pStrip->InternalRelease();
}
