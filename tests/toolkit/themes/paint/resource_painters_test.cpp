// The gallery, slider and progress painters drawing the test theme module's pictures on memory DCs.
#include "toolkit/themes/paint/resource_painters.h"

#include "painted_stand_ins.h"
#include "resource_theme_support.h"
#include "test_paint_manager.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control_action.h"
#include "toolkit/commandbars/control_gallery.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/commandbars/themed_toolbar.h"

#include "support/canvas.h"
#include "support/message_pump.h"

#include "framework/wnd.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ThemeModuleColors;

namespace {

constexpr COLORREF kPaper = RGB(1, 150, 1);

// A paint manager that owns no picture painters of its own but lends its images to the ones under test.
class CImageOwner : public CTestPaintManager, public CKitResourceImageSource {
public:
    CImageOwner() { RefreshMetrics(); }
    CKitResourceImages* GetImages() const override { return CKitResourceImages::Instance(); }
    CKitResourceImage* LoadImage(LPCSTR lpszImageName) const override
    {
        return GetImages()->LoadImage(lpszImageName);
    }
};

// The test theme module loaded and a stand-in owner for the painters under test.
class ResourcePainters : public testing::Test {
protected:
    ThemeModule m_module;
    CImageOwner m_owner;
};

// A window-free bar whose thumb length, enabled state and pointer the test sets.
class CBar : public CKitScrollBase {
public:
    CBar(CKitScrollBarPainter* pPainter, CRect rc, BOOL bVertical, int nStyle, int nPage = 10)
        : m_pPainter(pPainter), m_rc(rc)
    {
        SetVertical(bVertical);
        SetScrollBarVisualStyle(nStyle);
        m_si = {sizeof(m_si), SIF_ALL, 0, 99, static_cast<UINT>(nPage), 0};
        UpdateScrollBar();
    }
    BOOL IsScrollBarEnabled() const override { return m_bEnabled; }
    CWnd* GetParentWindow() const override { return nullptr; }
    CRect GetScrollBarRect() override { return m_rc; }
    void GetScrollInfo(SCROLLINFO* pSi) override { *pSi = m_si; }
    void DoScroll(int, int) override {}
    void RedrawScrollBar() override {}
    CKitScrollBarPainter* GetScrollBarPaintManager() const override { return m_pPainter; }
    void CalcScrollBarInfo(const CRect& rc, KIT_SCROLLBARPOSINFO* pSBInfo, const SCROLLINFO* pSi) override
    {
        CKitScrollBase::CalcScrollBarInfo(rc, pSBInfo, pSi);
        if (m_nThumbLength > 0) {
            pSBInfo->pxThumbTop = pSBInfo->pxUpArrow + 20;
            pSBInfo->pxThumbBottom = pSBInfo->pxThumbTop + m_nThumbLength;
            pSBInfo->pxThumbLength = m_nThumbLength;
        }
    }
    void SetThumbLength(int nLength)
    {
        m_nThumbLength = nLength;
        UpdateScrollBar();
    }
    // The pointer over the part; pressed runs a tracking record, bInside FALSE leaves both its state words 0.
    void Point(int nPart, BOOL bPressed, BOOL bInside = TRUE)
    {
        m_spi.nHitPart = nPart;
        m_track.bInside = bInside;
        m_pSBTrack = bPressed ? &m_track : nullptr;
    }
    void Draw(CDC* pDC) { m_pPainter->DrawScrollBar(pDC, this); }

    BOOL m_bEnabled = TRUE;

private:
    CKitScrollBarPainter* m_pPainter;
    CRect m_rc;
    SCROLLINFO m_si = {};
    int m_nThumbLength = 0;
    KIT_SCROLLBARTRACKINFO m_track;
};

// The columns that hold a colour.
std::vector<int> ColumnsWith(const Canvas& canvas, COLORREF clr)
{
    std::vector<int> columns;
    for (int x = 0; x < canvas.Width(); x++)
        if (canvas.Count(CRect(x, 0, x + 1, canvas.Height()), clr) > 0)
            columns.push_back(x);
    return columns;
}

} // namespace

TEST_F(ResourcePainters, ProgressDrawsTheFilledBodyAndALeadingEdgeOfAtMostFourColumns)
{
    CKitProgressResourceTheme painter(&m_owner, &m_owner);
    EXPECT_EQ(12, painter.GetProgressHeight());
    struct Case {
        const char* name;
        int nLower, nUpper, nPos;
        int nBody, nEdge;
    };
    // Inside its 2-pixel track the bar is 100 x 12.
    const Case cases[] = {
        {"lower limit", 0, 100, 0, 0, 4},         {"two columns", 0, 100, 2, 2, 4},
        {"middle", 0, 100, 50, 50, 4},            {"one column short of the end", 0, 100, 99, 99, 0},
        {"upper limit", 0, 100, 100, 100, 0},     {"negative range", -50, 50, 0, 50, 4},
        {"empty range", 5, 5, 5, 0, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas(110, 20, kPaper);
        CFixedProgress progress(&painter, CRect(0, 0, 104, 16));
        progress.SetRange(c.nLower, c.nUpper);
        progress.SetPos(c.nPos);
        painter.DrawProgress(&canvas.dc, &progress);
        const CRect rcAll(0, 0, 110, 20);
        EXPECT_EQ(c.nBody * 12, canvas.Count(rcAll, kProgressBody));
        EXPECT_EQ(c.nEdge * 12, canvas.Count(rcAll, kProgressEdge));
        // The body starts at the inner left edge and the edge follows it.
        if (c.nBody > 0) {
            EXPECT_EQ(kProgressBody, canvas.Pixel(2, 8));
        }
        if (c.nEdge > 0) {
            EXPECT_EQ(kProgressEdge, canvas.Pixel(2 + c.nBody, 8));
        }
        EXPECT_EQ(c.nBody == 100 ? kProgressBody : kProgressTrack, canvas.Pixel(101, 8));
        EXPECT_EQ(kPaper, canvas.Pixel(104, 8));
    }
}

TEST_F(ResourcePainters, SliderTicksStandStrictlyInsideTheRangeAndOneIsCentredWithoutAList)
{
    CKitSliderResourceTheme painter(&m_owner, &m_owner);
    painter.RefreshMetrics();
    // The button picture gives the arrow size: 13 x 13.
    EXPECT_EQ(13, painter.GetArrowSize(FALSE));
    struct Case {
        const char* name;
        std::vector<double> ticks;
        std::vector<int> columns;
    };
    // Track 13..127; the ticks' part is 19..121, 102 wide over the range 0..99 as 0..100 of the list.
    const Case cases[] = {
        {"no list: one tick in the middle", {}, {69}},
        {"the ends of the range", {0, 99}, {}},
        {"one inside", {49.5}, {70}},
        {"ends, inside and outside", {-10, 0, 24.75, 49.5, 74.25, 99, 120}, {44, 70, 95}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas(140, 20, kPaper);
        CBar slider(&painter, CRect(0, 0, 140, 20), FALSE, kitScrollStyleDefault);
        slider.m_bEnabled = FALSE;
        slider.SetTicks(c.ticks);
        slider.Draw(&canvas.dc);
        EXPECT_EQ(c.columns, ColumnsWith(canvas, kSliderTick));
        // Each tick is one column of 7 with magenta left out on both sides.
        EXPECT_EQ(static_cast<int>(c.columns.size()) * 7, canvas.Count(CRect(0, 0, 140, 20), kSliderTick));
        EXPECT_EQ(0, canvas.Count(CRect(0, 0, 140, 20), RGB(255, 0, 255)));
        EXPECT_GT(canvas.Count(CRect(0, 0, 140, 20), kSliderTrack), 0);
    }

    // Vertical sliders and empty ranges draw nothing.
    Canvas canvas(40, 140, kPaper);
    CBar vertical(&painter, CRect(0, 0, 20, 140), TRUE, kitScrollStyleDefault);
    vertical.Draw(&canvas.dc);
    EXPECT_EQ(40 * 140, canvas.Count(CRect(0, 0, 40, 140), kPaper));
}

TEST_F(ResourcePainters, SliderThumbShowsPressedOnItselfAndActiveOnTheTrack)
{
    CKitSliderResourceTheme painter(&m_owner, &m_owner);
    painter.RefreshMetrics();
    struct Case {
        const char* name;
        int nPart;
        BOOL bPressed, bInside;
        int nThumbState;
    };
    const Case cases[] = {
        {"nothing under the pointer", kitScrollHitNone, FALSE, TRUE, 0},
        {"over the left button", kitScrollHitUpArrow, FALSE, TRUE, 0},
        {"over the thumb", kitScrollHitThumb, FALSE, TRUE, 1},
        {"over the track", kitScrollHitPageDown, FALSE, TRUE, 1},
        {"pressing the track", kitScrollHitPageUp, TRUE, TRUE, 1},
        {"pressing the thumb", kitScrollHitThumb, TRUE, TRUE, 2},
        {"tracking outside the thumb", kitScrollHitThumb, TRUE, FALSE, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas(140, 20, kPaper);
        CBar slider(&painter, CRect(0, 0, 140, 20), FALSE, kitScrollStyleDefault);
        slider.Point(c.nPart, c.bPressed, c.bInside);
        slider.Draw(&canvas.dc);
        for (int nState = 0; nState < 3; nState++)
            EXPECT_EQ(nState == c.nThumbState, canvas.Count(CRect(0, 0, 140, 20), kSliderThumb[nState]) > 0)
                << nState;
    }
}

TEST_F(ResourcePainters, GalleryLightBarsComeFromPicturesOtherStylesAndMissingPicturesFromTheBase)
{
    CKitControlGalleryResourceTheme painter(&m_owner, &m_owner);
    painter.RefreshMetrics();
    struct Case {
        const char* name;
        BOOL bVertical;
        int nStyle;
        int nPage;
        BOOL bPictures, bBlank;
    };
    // The module has vertical light pictures only; the dark style falls back for glyphs and thumb alone.
    const Case cases[] = {
        {"vertical light", TRUE, kitScrollStyleOffice, 10, TRUE, FALSE},
        {"vertical dark without its background", TRUE, kitScrollStyleOfficeDark, 10, FALSE, TRUE},
        {"vertical flat", TRUE, kitScrollStyleFlat, 10, FALSE, FALSE},
        {"horizontal light without its background", FALSE, kitScrollStyleOffice, 10, FALSE, FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CRect rc = c.bVertical ? CRect(0, 0, 12, 200) : CRect(0, 0, 200, 12);
        Canvas canvas(200, 200, kPaper);
        CBar bar(&painter, rc, c.bVertical, c.nStyle, c.nPage);
        bar.Draw(&canvas.dc);
        EXPECT_EQ(c.bPictures, canvas.Count(rc, kBarBackground[0]) > 0);
        EXPECT_EQ(c.bPictures, canvas.Count(rc, kBarArrow[0]) > 0);
        EXPECT_EQ(c.bPictures, canvas.Count(rc, kGlyphNormal) > 0);
        EXPECT_EQ(c.bBlank, canvas.Count(rc, kPaper) == rc.Width() * rc.Height());
    }

    // A page over the whole range: the buttons in state 0 with the disabled glyphs, no thumb.
    Canvas canvas(12, 200, kPaper);
    CBar disabled(&painter, CRect(0, 0, 12, 200), TRUE, kitScrollStyleOffice, 100);
    disabled.Point(kitScrollHitUpArrow, FALSE);
    disabled.Draw(&canvas.dc);
    EXPECT_GT(canvas.Count(CRect(0, 0, 12, 200), kGlyphDisabled), 0);
    EXPECT_EQ(0, canvas.Count(CRect(0, 0, 12, 200), kGlyphNormal));
    EXPECT_EQ(0, canvas.Count(CRect(0, 0, 12, 200), kBarArrow[2]));
    EXPECT_EQ(0, canvas.Count(CRect(0, 0, 12, 200), kBarThumb[0]));
}

TEST_F(ResourcePainters, GalleryThumbShowsItsGripperOnlyWhenLongerThanTenPixels)
{
    CKitControlGalleryResourceTheme painter(&m_owner, &m_owner);
    painter.RefreshMetrics();
    struct Case {
        const char* name;
        int nLength;
        int nPart;
        BOOL bPressed;
        int nState;
        BOOL bGripper;
    };
    const Case cases[] = {
        {"ten pixels", 10, kitScrollHitNone, FALSE, 0, FALSE},
        {"eleven pixels", 11, kitScrollHitNone, FALSE, 0, TRUE},
        {"hot", 30, kitScrollHitThumb, FALSE, 1, TRUE},
        {"pressed", 30, kitScrollHitThumb, TRUE, 2, TRUE},
        {"page up pressed", 30, kitScrollHitPageUp, TRUE, 0, TRUE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CRect rc(0, 0, 12, 200);
        Canvas canvas(12, 200, kPaper);
        CBar bar(&painter, rc, TRUE, kitScrollStyleOffice);
        bar.SetThumbLength(c.nLength);
        bar.Point(c.nPart, c.bPressed);
        bar.Draw(&canvas.dc);
        const KIT_SCROLLBARPOSINFO& spi = *bar.GetScrollBarPosInfo();
        const CRect rcThumb(1, spi.pxThumbTop, 11, spi.pxThumbBottom);
        EXPECT_GT(canvas.Count(rcThumb, kBarThumb[c.nState]), 0);
        // Three dashes of six pixels, centred on the thumb.
        EXPECT_EQ(c.bGripper ? 18 : 0, canvas.Count(rcThumb, kBarGripper[c.nState]));
        // Only the pressed track takes the background's second state.
        const CRect rcBefore(0, spi.pxUpArrow, 12, spi.pxThumbTop);
        EXPECT_EQ(c.nPart == kitScrollHitPageUp ? rcBefore.Height() * 10 : 0,
                  canvas.Count(rcBefore, kBarBackground[1]));
    }
}

namespace {

constexpr UINT kGalleryId = 42101;

// A gallery of 30 entries on a toolbar that owns a drop-down, so that it shows scroll buttons.
class GalleryButtonsTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_site.CreateEx(0, "STATIC", "Gallery", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 40, 40, 300, 150, nullptr, 0);
        m_pBar = AddThemedToolBar(m_manager, &m_site, 280, 80);
        m_manager.EnableActions();
        auto* pEntries = new CKitControlGalleryEntryList();
        for (int i = 0; i < 30; i++)
            pEntries->AddEntry(100 + i, std::to_string(i + 1).c_str());
        m_pGallery = static_cast<CKitControlGallery*>(m_pBar->GetControls()->Add(kitControlGallery, kGalleryId));
        CKitControlAction* pAction = m_manager.GetActions()->CreateAction(kGalleryId);
        pAction->SetGalleryEntries(pEntries);
        pEntries->InternalRelease();
        m_pGallery->SetAction(pAction);
        m_pGallery->SetCommandBar(new CKitPopupBar());
        m_pGallery->SetWidth(116);
        m_pGallery->SetHeight(60);
        m_pBar->CalcLayout(280);
        m_pGallery->OnRecalcLayout();
    }
    void TearDown() override
    {
        m_manager.RemoveAll();
        m_site.DestroyWindow();
        PumpMessages();
        CKitPaintManager::Done();
    }

    CWnd m_site;
    CKitCommandBarManager m_manager;
    CKitToolBar* m_pBar = nullptr;
    CKitControlGallery* m_pGallery = nullptr;
};

} // namespace

TEST_F(GalleryButtonsTest, ButtonStatesFollowTheHotPartAndADisabledGalleryDrawsAllThreeDisabled)
{
    ThemeModule module;
    CImageOwner owner;
    CKitControlGalleryResourceTheme painter(&owner, &owner);
    painter.RefreshMetrics();
    ASSERT_GT(m_pGallery->GetTotalHeight(), m_pGallery->GetEntriesArea().Height());
    struct Case {
        const char* name;
        BOOL bEnabled;
        int nTopEntry;
        int nHot;
        int nSelected;
        int states[3];
    };
    // At the top the up button is off; a keyboard-selected gallery without a selected entry makes its popup hot.
    const Case cases[] = {
        {"disabled, down hot", FALSE, 0, kitScrollHitDownArrow, 0, {4, 4, 4}},
        {"disabled, keyboard selected", FALSE, 10, kitScrollHitNone, 2, {4, 4, 4}},
        {"at the top, down hot", TRUE, 0, kitScrollHitDownArrow, 0, {4, 2, 1}},
        {"scrolled, up hot", TRUE, 10, kitScrollHitUpArrow, 0, {2, 1, 1}},
        {"scrolled, nothing hot", TRUE, 10, kitScrollHitNone, 0, {0, 0, 0}},
        {"scrolled, keyboard selected", TRUE, 10, kitScrollHitNone, 2, {1, 1, 2}},
        {"scrolled, mouse selected", TRUE, 10, kitScrollHitNone, 1, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_pGallery->SetEnabled(c.bEnabled);
        m_pGallery->SetTopEntry(c.nTopEntry);
        m_pGallery->SetSelected(c.nSelected);
        m_pGallery->GetScrollBarPosInfo()->nHitPart = c.nHot;
        const CRect rc = m_pGallery->GetRect();
        Canvas canvas(rc.right + 10, rc.bottom + 10, kPaper);
        painter.DrawGalleryScrollButtons(&canvas.dc, m_pGallery);
        const int nLeft = rc.right - CKitControlGalleryResourceTheme::kButtonColumnWidth;
        const CRect buttons[3] = {CRect(nLeft, rc.top, rc.right, rc.top + 21),
                                  CRect(nLeft, rc.top + 21, rc.right, rc.top + 40),
                                  CRect(nLeft, rc.top + 40, rc.right, rc.bottom)};
        for (int i = 0; i < 3; i++) {
            SCOPED_TRACE(i);
            for (int nState = 0; nState < 5; nState++)
                EXPECT_EQ(nState == c.states[i], canvas.Count(buttons[i], GalleryButton(i, nState)) > 0) << nState;
        }
        EXPECT_EQ(kPaper, canvas.Pixel(nLeft - 1, rc.top + 5));
    }
}

TEST_F(GalleryButtonsTest, UnderTheResourceThemeTheButtonsHitWhereTheyAreDrawn)
{
    ThemeModule module;
    CKitPaintManager::SetTheme(5);
    m_pBar->CalcLayout(280);
    m_pGallery->OnRecalcLayout();
    m_pGallery->UpdateScrollBar();
    const CRect rc = m_pGallery->GetScrollBarRect();
    ASSERT_EQ(CKitControlGalleryPaintManager::kScrollButtonWidth, rc.Width());
    struct Case {
        int dy;
        int nPart;
    };
    // Up 21 pixels high, down 19, the popup button below.
    const Case cases[] = {{0, kitScrollHitUpArrow},   {20, kitScrollHitUpArrow},   {21, kitScrollHitDownArrow},
                          {39, kitScrollHitDownArrow}, {40, kitScrollHitExtra}, {rc.Height() - 1, kitScrollHitExtra}};
    for (const Case& c : cases)
        EXPECT_EQ(c.nPart, m_pGallery->HitTestScrollBar(CPoint(rc.left + 5, rc.top + c.dy))) << c.dy;
}

TEST_F(GalleryButtonsTest, TheFaceTakesTheSelectedColourOnlyWhenSelectedAndEnabledAndTheBorderItsOwn)
{
    ThemeModule module;
    CImageOwner owner;
    CKitControlGalleryResourceTheme painter(&owner, &owner);
    painter.RefreshMetrics();
    const COLORREF clrNormal = RGB(238, 244, 252);
    const COLORREF clrSelected = RGB(255, 255, 255);
    const COLORREF clrBorder = RGB(171, 193, 222);
    struct Case {
        const char* name;
        int nSelected;
        BOOL bEnabled, bBorder;
        COLORREF clrFace;
    };
    const Case cases[] = {
        {"idle", 0, TRUE, FALSE, clrNormal},
        {"selected", 1, TRUE, TRUE, clrSelected},
        {"selected but disabled", 2, FALSE, TRUE, clrNormal},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_pGallery->SetSelected(c.nSelected);
        m_pGallery->SetEnabled(c.bEnabled);
        m_pGallery->m_bShowBorders = c.bBorder;
        const CRect rc = m_pGallery->GetRect();
        Canvas canvas(rc.right + 4, rc.bottom + 4, kPaper);
        painter.FillGalleryControl(&canvas.dc, m_pGallery);
        EXPECT_EQ(c.clrFace, canvas.Pixel(rc.left + 5, rc.top + 5));
        EXPECT_EQ(c.bBorder ? clrBorder : c.clrFace, canvas.Pixel(rc.left, rc.top));
        // No line under a gallery on a toolbar.
        EXPECT_EQ(c.clrFace, canvas.Pixel(rc.left + 5, rc.bottom - 2));
    }

    // A label: the owner's label face, a grey line along the bottom.
    CKitControlGalleryEntry label;
    label.m_strCaption = "Protocols";
    Canvas canvas(120, 24, kPaper);
    painter.DrawGalleryLabel(&canvas.dc, CRect(0, 0, 120, 20), &label);
    EXPECT_EQ(120, canvas.Count(CRect(0, 19, 120, 20), RGB(197, 197, 197)));
    EXPECT_EQ(owner.GetColor(56), canvas.Pixel(2, 2));
}
