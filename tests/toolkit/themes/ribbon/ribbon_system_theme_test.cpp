// The markup-drawn ribbon painter on memory DCs, and a stand-in ribbon drawn by the painters.
#include "toolkit/themes/ribbon/ribbon_system_theme.h"

#include "ribbon_theme_support.h"
#include "support/canvas.h"
#include "support/window_screenshot.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/themes/paint/resource_theme_support.h"
#include "toolkit/themes/paint/test_paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_control_tab.h"
#include "toolkit/themes/ribbon/ribbon_group.h"
#include "toolkit/themes/ribbon/ribbon_quick_access.h"
#include "toolkit/themes/ribbon/ribbon_system_button.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace RibbonPictureColors;

namespace {

constexpr COLORREF kPaper = RGB(1, 150, 1);

// The system theme of a refreshed test paint manager.
class RibbonSystemTheme : public testing::Test {
protected:
    RibbonSystemTheme()
    {
        m_pOwner->RefreshMetrics();
        m_pTheme = new CKitRibbonSystemTheme(m_pOwner);
        m_pTheme->RefreshMetrics();
    }
    ~RibbonSystemTheme() override
    {
        m_pTheme->InternalRelease();
        m_pOwner->InternalRelease();
    }

    CTestPaintManager* m_pOwner = new CTestPaintManager;
    CKitRibbonSystemTheme* m_pTheme = nullptr;
};

// A ribbon bar that reports a composited frame.
class CCompositedRibbonBar : public CLaidOutRibbonBar {
public:
    BOOL IsDwmEnabled() const override { return TRUE; }
};

// A control whose selection and popped state the test sets without a bar.
template <class TBase> class CTestStateButton : public TBase {
public:
    void SetState(int nSelected, BOOL bPopped)
    {
        this->m_nSelected = nSelected;
        this->m_bPopuped = bPopped;
    }
};

// Pixels of the rectangle that are not the paper.
int Painted(const Canvas& canvas, const CRect& rc)
{
    return rc.Width() * rc.Height() - canvas.Count(rc, kPaper);
}

} // namespace

// Idle tabs stay bare; the four states give four different pictures; context tabs keep the theme's pictures.
TEST_F(RibbonSystemTheme, TabsDrawTheTemplateOfTheirStateAndContextTabsTheirPicture)
{
    ThemeModule module("Ribbon.Theme.Ini");
    auto* pBar = new CLaidOutRibbonBar;
    CKitRibbonTab* pTab = pBar->AddTab("Home", 1);
    CKitRibbonTab* pContext = pBar->AddTab("Layout", 2);
    pContext->SetContextColor(CKitRibbonTab::kContextGreen);
    pTab->SetRect(CRect(10, 10, 70, 40));
    pContext->SetRect(CRect(10, 10, 70, 40));
    CKitRibbonControlTab* pStrip = pBar->GetControlTab();

    Canvas idle(80, 50, kPaper);
    m_pTheme->DrawRibbonTab(&idle.dc, pTab);
    EXPECT_EQ(0, Painted(idle, CRect(0, 0, 80, 50)));

    std::vector<COLORREF> middles;
    struct State {
        const char* name;
        BOOL bSelected;
        BOOL bFocused;
    };
    // Selected, then selected and focused; the hot states need a hot item the strip sets on mouse moves.
    for (const State& state : {State{"selected", TRUE, FALSE}, State{"focused", TRUE, TRUE}}) {
        SCOPED_TRACE(state.name);
        pStrip->SetSelectedItem(state.bSelected ? pTab : nullptr);
        pStrip->SetFocused(state.bFocused);
        Canvas canvas(80, 50, kPaper);
        m_pTheme->DrawRibbonTab(&canvas.dc, pTab);
        EXPECT_GT(Painted(canvas, CRect(10, 10, 70, 40)), 1000);
        // Nothing outside the tab.
        EXPECT_EQ(0, Painted(canvas, CRect(0, 0, 80, 9)));
        middles.push_back(canvas.Pixel(40, 30));
    }
    EXPECT_NE(middles[0], middles[1]) << "the focused tab has its highlight fill";

    pStrip->SetFocused(FALSE);
    pStrip->SetSelectedItem(pContext);
    Canvas context(80, 50, kPaper);
    m_pTheme->DrawRibbonTab(&context.dc, pContext);
    EXPECT_EQ(kContextTabGreen[3], context.Pixel(40, 25));
    pBar->InternalRelease();
}

TEST_F(RibbonSystemTheme, GroupsAndTheirHighlightAreDrawnFromTemplatesWithTheCaption)
{
    auto* pGroups = new CKitRibbonGroups(nullptr);
    CKitRibbonGroup* pGroup = pGroups->Add("Clipboard", 10);
    pGroup->SetRect(CRect(5, 5, 105, 95));
    Canvas normal(110, 100, kPaper);
    m_pTheme->DrawGroup(&normal.dc, pGroup);
    // Frame lines at the edges, the caption band at the bottom, the inside left bare.
    EXPECT_GT(Painted(normal, CRect(5, 5, 105, 8)), 50);
    EXPECT_EQ(0, Painted(normal, CRect(20, 20, 90, 50)));
    const int nCaptionTop = 95 - m_pTheme->GetGroupCaptionHeight();
    EXPECT_GT(Painted(normal, CRect(8, nCaptionTop + 1, 102, 92)), 500);

    // A highlighted group gets its translucent white face.
    auto* pBar = new CLaidOutRibbonBar;
    pGroup->SetParent(pBar);
    pBar->SetHighlightedGroup(pGroup);
    Canvas highlighted(110, 100, kPaper);
    m_pTheme->DrawGroup(&highlighted.dc, pGroup);
    EXPECT_EQ(70 * 30, Painted(highlighted, CRect(20, 20, 90, 50)));

    // A reduced group is only its popup button.
    pGroup->SetReduced(TRUE);
    Canvas reduced(110, 100, kPaper);
    m_pTheme->DrawGroup(&reduced.dc, pGroup);
    EXPECT_EQ(0, Painted(reduced, CRect(0, 0, 110, 100)));
    pGroup->SetParent(nullptr);
    pBar->InternalRelease();
    pGroups->InternalRelease();
}

// In a joined row the unselected buttons get the row's pieces; a selected one is left to the owner.
TEST_F(RibbonSystemTheme, JoinedRowButtonsGetTheirPieceUnlessSelected)
{
    auto* pGroups = new CKitRibbonGroups(nullptr);
    CKitRibbonGroup* pGroup = pGroups->Add("Font", 20);
    pGroup->SetControlsGrouping(TRUE);
    CKitControlButton* buttons[3];
    for (int i = 0; i < 3; ++i) {
        buttons[i] = new CKitControlButton;
        buttons[i]->SetRect(CRect(10 + 22 * i, 10, 32 + 22 * i, 32));
        pGroup->Add(buttons[i]);
        buttons[i]->InternalRelease();
    }
    Canvas canvas(90, 40, kPaper);
    for (CKitControlButton* pButton : buttons)
        m_pTheme->DrawSpecialToolBarButton(&canvas.dc, pButton);
    for (int i = 0; i < 3; ++i)
        EXPECT_GT(Painted(canvas, buttons[i]->GetRect()), 300) << "button " << i;

    buttons[1]->OnSetSelected(1);
    Canvas selected(90, 40, kPaper);
    m_pTheme->DrawSpecialToolBarButton(&selected.dc, buttons[1]);
    EXPECT_EQ(0, Painted(selected, CRect(0, 0, 90, 40)));

    // Outside a joined group nothing is drawn.
    pGroup->SetControlsGrouping(FALSE);
    buttons[1]->OnSetSelected(0);
    m_pTheme->DrawSpecialToolBarButton(&selected.dc, buttons[1]);
    EXPECT_EQ(0, Painted(selected, CRect(0, 0, 90, 40)));
    pGroups->InternalRelease();
}

// On a composited frame the caption is the picture painter's: black under the glass.
TEST_F(RibbonSystemTheme, ACompositedFrameCaptionFallsBackToThePictureDrawing)
{
    auto* pPlain = new CLaidOutRibbonBar;
    auto* pComposited = new CCompositedRibbonBar;
    for (CLaidOutRibbonBar* pBar : {pPlain, static_cast<CLaidOutRibbonBar*>(pComposited)})
        pBar->SetCaptionRect(CRect(0, 0, 200, 30));
    Canvas plain(200, 40, kPaper);
    m_pTheme->DrawRibbonFrameCaption(&plain.dc, pPlain, TRUE);
    EXPECT_NE(RGB(0, 0, 0), plain.Pixel(100, 15));
    EXPECT_EQ(0, Painted(plain, CRect(0, 31, 200, 40)));

    Canvas glass(200, 40, kPaper);
    m_pTheme->DrawRibbonFrameCaption(&glass.dc, pComposited, TRUE);
    EXPECT_EQ(RGB(0, 0, 0), glass.Pixel(100, 15));
    pPlain->InternalRelease();
    pComposited->InternalRelease();
}

// The option button's launcher glyph in black over the owner's face.
TEST_F(RibbonSystemTheme, TheOptionButtonDrawsItsGlyph)
{
    auto* pButton = new CKitControlButton;
    pButton->SetRect(CRect(0, 0, 15, 14));
    Canvas canvas(15, 14, kPaper);
    EXPECT_EQ(CSize(15, 14), m_pTheme->DrawControlGroupOption(&canvas.dc, pButton, TRUE));
    EXPECT_GE(canvas.Count(CRect(0, 0, 15, 14), RGB(0, 0, 0)), 12);
    EXPECT_GE(canvas.Count(CRect(0, 0, 15, 14), RGB(255, 255, 255)), 8);
    pButton->InternalRelease();
}

// A ribbon of two tabs and a context tab, three groups (one reduced), the application button and a quick access
// toolbar, each part drawn by the current theme's ribbon painter onto one picture.
TEST(RibbonPaintersScreenshot, AStandInRibbonDrawnByThePainters)
{
    CKitPaintManager* pOwner = CKitPaintManager::Instance();
    CKitRibbonPaintManager* pPainter = pOwner->GetRibbonPaintManager();
    constexpr int kWidth = 560;
    constexpr int kHeight = 150;
    Canvas canvas(kWidth, kHeight, pPainter->GetRibbonFace());
    CDC* pDC = &canvas.dc;

    auto* pBar = new CLaidOutRibbonBar;
    const CRect rcCaption(0, 0, kWidth, 26);
    const CRect rcTabs(56, 26, kWidth, 26 + pPainter->GetTabsHeight());
    const CRect rcGroups(0, rcTabs.bottom, kWidth, kHeight - 4);
    pBar->SetCaptionRect(rcCaption);
    pBar->SetTabControlRect(rcTabs);
    pBar->SetGroupsRect(rcGroups);
    pBar->SetQuickAccessRect(CRect(64, 2, 124, 24));
    pBar->SetQuickAccessHeight(22);
    pBar->GetQuickAccessControls()->Add(kitControlButton, 1001);

    auto* pSystemButton = new CKitRibbonControlSystemButton;
    pBar->GetControls()->Add(pSystemButton, 1000);
    pBar->SetSystemButton(pSystemButton);
    pSystemButton->SetRect(CRect(4, 2, 52, 50));

    CKitRibbonTab* pHome = pBar->AddTab("Home", 1);
    pBar->AddTab("Insert", 2);
    pBar->AddTab("View", 3);
    CKitRibbonTab* pLayout = pBar->AddTab("Layout", 4);
    pLayout->SetContextColor(CKitRibbonTab::kContextGreen);
    pLayout->SetContextCaption("Table Tools");
    CKitRibbonControlTab* pStrip = pBar->GetControlTab();
    pStrip->SetSelectedItem(pHome);
    CKitTabPaintManager* pTabPainter = pPainter->GetTabPaintManager();
    pTabPainter->RepositionTabControl(pStrip, pDC, rcTabs);
    const CRect rcLayout = pLayout->GetRect();
    pBar->AddContextHeader(pLayout, CRect(rcLayout.left, 4, rcLayout.right, rcCaption.bottom));

    pPainter->DrawRibbonCaptionBar(pDC, pBar);
    pPainter->FillRibbonGroupsArea(pDC, pHome, rcGroups);
    pTabPainter->DrawTabControl(pStrip, pDC, rcTabs);
    pPainter->DrawRibbonSystemButton(pDC, pSystemButton, pSystemButton->GetRect());

    CKitRibbonGroups* pGroups = pHome->GetGroups();
    const char* captions[] = {"Clipboard", "Font", "Paragraph"};
    const int widths[] = {150, 200, 60};
    int x = rcGroups.left + 4;
    for (int i = 0; i < 3; ++i) {
        CKitRibbonGroup* pGroup = pGroups->Add(captions[i], 100 + i);
        pGroup->SetParent(pBar);
        pGroup->SetRect(CRect(x, rcGroups.top + 3, x + widths[i], rcGroups.bottom - 3));
        x += widths[i] + pPainter->GetGroupSpacing();
    }
    pGroups->GetAt(0)->ShowOptionButton(TRUE);
    pBar->SetHighlightedGroup(pGroups->GetAt(1));
    pGroups->GetAt(2)->SetReduced(TRUE);
    for (int i = 0; i < pGroups->GetCount(); ++i)
        pPainter->DrawGroup(pDC, pGroups->GetAt(i));

    CKitRibbonGroup* pClipboard = pGroups->GetAt(0);
    auto* pOption = new CKitControlButton;
    const CRect rcClipboard = pClipboard->GetRect();
    pOption->SetRect(
        CRect(rcClipboard.right - 17, rcClipboard.bottom - 16, rcClipboard.right - 2, rcClipboard.bottom - 2));
    pPainter->DrawControlGroupOption(pDC, pOption, TRUE);
    pOption->InternalRelease();

    CKitRibbonGroup* pReduced = pGroups->GetAt(2);
    auto* pGroupButton = new CKitControlPopup(kitControlButtonPopup);
    pGroupButton->SetCaption("Paragraph");
    pGroupButton->SetRibbonGroup(pReduced);
    pGroupButton->SetRect(pReduced->GetRect());
    pPainter->DrawControlGroupPopup(pDC, pGroupButton, TRUE);
    pGroupButton->SetRibbonGroup(nullptr);
    pGroupButton->InternalRelease();

    std::vector<DWORD> pixels;
    for (int y = 0; y < kHeight; ++y)
        for (int xPixel = 0; xPixel < kWidth; ++xPixel) {
            const COLORREF clr = canvas.Pixel(xPixel, y);
            pixels.push_back(static_cast<DWORD>(GetRValue(clr)) << 16 | GetGValue(clr) << 8 | GetBValue(clr));
        }
    EXPECT_EQ("", SaveScreenshot("ribbon-painters", kWidth, kHeight, pixels));
    // The selected tab, the caption band and the groups are drawn.
    EXPECT_NE(pPainter->GetRibbonFace(), canvas.Pixel(pHome->GetRect().left + 3, pHome->GetRect().CenterPoint().y));
    for (int i = 0; i < pGroups->GetCount(); ++i)
        pGroups->GetAt(i)->SetParent(nullptr);
    pBar->InternalRelease();
}

// Every template parses and draws: each part in each of its states leaves paint in its rectangle.
TEST_F(RibbonSystemTheme, EveryPartDrawsItsTemplate)
{
    const CRect rc(4, 4, 60, 56);
    auto* pBar = new CLaidOutRibbonBar;
    ASSERT_TRUE(pBar->CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 64, 60, nullptr, 0));
    pBar->SetCaptionRect(rc);
    auto* pSystemButton = new CTestStateButton<CKitRibbonControlSystemButton>;
    pBar->GetControls()->Add(pSystemButton, 1000);
    pBar->SetSystemButton(pSystemButton);
    pSystemButton->SetRect(rc);
    auto* pGroups = new CKitRibbonGroups(nullptr);
    auto* pGroupButton = new CTestStateButton<CKitControlPopup>;
    pGroupButton->SetRibbonGroup(pGroups->Add("Group", 1));
    pGroupButton->SetRect(rc);
    auto* pButton = new CTestStateButton<CKitControlButton>;
    pButton->SetRect(rc);
    auto* pStrip = new CTestControlTab;
    CKitRibbonTab* pTab = pStrip->AddTab(0);
    pTab->SetRect(rc);

    struct Part {
        const char* name;
        std::function<void(CDC*)> draw;
    };
    const Part parts[] = {
        {"groups area", [&](CDC* pDC) { m_pTheme->FillRibbonGroupsArea(pDC, nullptr, rc); }},
        {"active caption", [&](CDC* pDC) { m_pTheme->DrawRibbonCaptionBar(pDC, pBar); }},
        {"inactive caption", [&](CDC* pDC) { m_pTheme->DrawRibbonFrameCaption(pDC, pBar, FALSE); }},
        {"hot tab", [&](CDC* pDC) { pStrip->SetHot(pTab); m_pTheme->DrawRibbonTab(pDC, pTab); }},
        {"selected hot tab", [&](CDC* pDC) { pStrip->SetSelectedItem(pTab); m_pTheme->DrawRibbonTab(pDC, pTab); }},
        {"group button", [&](CDC* pDC) { m_pTheme->DrawControlGroupPopup(pDC, pGroupButton, TRUE); }},
        {"selected group button",
         [&](CDC* pDC) { pGroupButton->SetState(1, FALSE); m_pTheme->DrawControlGroupPopup(pDC, pGroupButton, TRUE); }},
        {"popped group button",
         [&](CDC* pDC) { pGroupButton->SetState(0, TRUE); m_pTheme->DrawControlGroupPopup(pDC, pGroupButton, TRUE); }},
        {"round button", [&](CDC* pDC) { m_pTheme->DrawRibbonSystemButton(pDC, pSystemButton, rc); }},
        {"selected round button",
         [&](CDC* pDC) { pSystemButton->SetState(1, FALSE); m_pTheme->DrawRibbonSystemButton(pDC, pSystemButton, rc); }},
        {"popped round button",
         [&](CDC* pDC) { pSystemButton->SetState(0, TRUE); m_pTheme->DrawRibbonSystemButton(pDC, pSystemButton, rc); }},
        {"left scroll", [&](CDC* pDC) { m_pTheme->DrawGroupsScrollButton(pDC, pButton, TRUE); }},
        {"right scroll", [&](CDC* pDC) { m_pTheme->DrawGroupsScrollButton(pDC, pButton, FALSE); }},
        {"menu button", [&](CDC* pDC) { m_pTheme->DrawSystemPopupBarButton(pDC, pButton); }},
        {"flat menu button",
         [&](CDC* pDC) { pButton->SetState(1, FALSE); m_pTheme->DrawSystemPopupBarButton(pDC, pButton); }},
        {"system menu", [&](CDC* pDC) { m_pTheme->FillSystemPopupBar(pDC, pBar); }},
    };
    for (const Part& part : parts) {
        SCOPED_TRACE(part.name);
        Canvas canvas(64, 60, kPaper);
        part.draw(&canvas.dc);
        // At least a frame around the part: a template that did not parse leaves the paper.
        EXPECT_GT(Painted(canvas, rc), 2 * (rc.Width() + rc.Height()));
    }
    pStrip->InternalRelease();
    pButton->InternalRelease();
    pGroupButton->SetRibbonGroup(nullptr);
    pGroupButton->InternalRelease();
    pGroups->InternalRelease();
    pBar->DestroyWindow();
    pBar->InternalRelease();
}
