// The tab paint manager's layout: balanced and justified rows, compression, the
// scroll limit, rotated items, item lengths, shortened captions, fonts and the set switches.
#include "support/canvas.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/common/image_pixels.h"
#include "toolkit/themes/tabs/tab_appearance_sets.h"
#include "toolkit/themes/tabs/tab_color_sets.h"
#include "toolkit/themes/tabs/tab_manager.h"
#include "toolkit/themes/tabs/tab_paint_manager.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <typeinfo>
#include <vector>

namespace {

using PM = CKitTabPaintManager;

// A shape without margins whose items are as long as the test says, and which
// records the captions it is asked to draw.
class TestSet : public CKitTabPaintManagerAppearanceSet {
public:
    int GetButtonLength(CDC* pDC, CKitTabManagerItem* pItem) override
    {
        auto it = m_lengths.find(pItem->GetIndex());
        return it != m_lengths.end() ? it->second : CKitTabPaintManagerAppearanceSet::GetButtonLength(pDC, pItem);
    }
    void RepositionTabControl(CKitTabManager* pManager, CDC* pDC, CRect rc) override
    {
        m_pPaintManager->LayoutTabs(pManager, pDC, rc);
    }
    void DrawTabControl(CKitTabManager* pManager, CDC* pDC, CRect rc) override
    {
        m_pPaintManager->DrawTabs(pManager, pDC, rc);
    }
    void DrawText(CDC* pDC, const CString& strText, LPRECT lpRect, UINT nFormat) override
    {
        if (!(nFormat & DT_CALCRECT))
            m_drawn.push_back({std::string(strText), nFormat, *lpRect});
        CKitTabPaintManagerAppearanceSet::DrawText(pDC, strText, lpRect, nFormat);
    }
    void DrawSingleButton(CDC* pDC, CKitTabManagerItem* pItem) override
    {
        m_buttons.push_back(pItem->GetIndex());
        m_pPaintManager->DrawItemIconAndCaption(pDC, pItem, pItem->GetRect(), TRUE);
    }

    struct Drawn {
        std::string text;
        UINT nFormat;
        CRect rc;
    };
    std::map<int, int> m_lengths;
    std::vector<Drawn> m_drawn;
    std::vector<int> m_buttons;
};

// A strip that lays itself out in a fixed control rectangle.
class LayoutStrip : public CKitTabManager {
public:
    LayoutStrip(CKitTabPaintManager* pPaintManager, const CRect& rcControl)
        : m_pPaintManager(pPaintManager), m_rcArea(rcControl)
    {
    }
    void Reposition() override
    {
        ++m_nRepositions;
        if (m_bLayout)
            m_pPaintManager->RepositionTabControl(this, nullptr, m_rcArea);
    }
    CKitTabPaintManager* GetPaintManager() const override { return m_pPaintManager; }
    void RedrawControl(const RECT*, BOOL) override {}
    BOOL DrawIcon(CDC*, CPoint, CKitTabManagerItem*, BOOL, CSize&) override { return m_bIcons; }

    void TrackHot(CKitTabManagerItem* pItem) { m_pHighlighted = pItem; }

    // Adds items quietly, then lays out once.
    void AddItems(int nCount)
    {
        m_bLayout = FALSE;
        for (int i = 0; i < nCount; ++i)
            AddItem(-1)->SetCaption("Item");
        m_bLayout = TRUE;
        Reposition();
    }

    CKitTabPaintManager* m_pPaintManager;
    CRect m_rcArea;
    BOOL m_bLayout = TRUE;
    BOOL m_bIcons = FALSE;
    int m_nRepositions = 0;
};

// A paint manager with the test shape, 18-pixel rows and no icons.
struct Fixture {
    explicit Fixture(int nLayout, int nPosition = PM::kTop)
    {
        paintManager.m_bShowIcons = FALSE;
        pSet = new TestSet;
        paintManager.SetAppearanceSet(pSet);
        pSet->m_nButtonHeight = 18;
        paintManager.SetLayout(nLayout);
        paintManager.SetPosition(nPosition);
    }
    CKitTabPaintManager paintManager;
    TestSet* pSet;
};

std::vector<int> RowsOf(const CKitTabManager& strip)
{
    std::vector<int> rows;
    for (int i = 0; i < strip.GetItemCount(); ++i)
        rows.push_back(strip.GetItem(i)->GetRow());
    return rows;
}

std::vector<int> LengthsOf(const CKitTabManager& strip)
{
    std::vector<int> lengths;
    for (int i = 0; i < strip.GetItemCount(); ++i)
        lengths.push_back(strip.GetItem(i)->GetRect().Width());
    return lengths;
}

}  // namespace

TEST(KitTabPaintManager, MultiRowBalancesJustifiesAndPutsTheSelectedRowNextToThePage)
{
    Fixture f(PM::kLayoutMultiRow);
    for (int i = 0; i < 7; ++i)
        f.pSet->m_lengths[i] = 100;
    LayoutStrip strip(&f.paintManager, CRect(0, 0, 250, 200));
    strip.AddItems(7);
    strip.SetCurSel(0);

    ASSERT_EQ(4, strip.GetRowIndexer()->GetRowCount());
    EXPECT_EQ((std::vector<int>{0, 1, 1, 2, 2, 3, 3}), RowsOf(strip));
    EXPECT_EQ((std::vector<int>{250, 125, 125, 125, 125, 125, 125}), LengthsOf(strip));
    // Row 0 lies next to the page (lowest in a top strip); rows overlap by 2.
    EXPECT_EQ(CRect(0, 48, 250, 66), strip.GetItem(0)->GetRect());
    EXPECT_EQ(CRect(125, 32, 250, 50), strip.GetItem(2)->GetRect());
    EXPECT_EQ(CRect(125, 0, 250, 18), strip.GetItem(6)->GetRect());

    // Selecting an item of another row brings that row next to the page.
    strip.SetCurSel(4);
    EXPECT_EQ((std::vector<int>{2, 1, 1, 0, 0, 3, 3}), RowsOf(strip));
    EXPECT_EQ(48, strip.GetItem(4)->GetRect().top);
    EXPECT_EQ(16, strip.GetItem(0)->GetRect().top);

    // Keeping the row order leaves it where the fill put it.
    f.paintManager.m_bKeepRowOrder = TRUE;
    strip.Reposition();
    EXPECT_EQ((std::vector<int>{0, 1, 1, 2, 2, 3, 3}), RowsOf(strip));

    // Without justify the rows fill up to the room and keep their lengths.
    f.paintManager.m_bMultiRowJustify = FALSE;
    strip.Reposition();
    EXPECT_EQ((std::vector<int>{0, 0, 1, 1, 2, 2, 3}), RowsOf(strip));
    EXPECT_EQ((std::vector<int>(7, 100)), LengthsOf(strip));
}

TEST(KitTabPaintManager, MultiRowRowsGrowOutwardsFromThePageOnEverySide)
{
    struct Case {
        int nPosition;
        CRect rcRow0;  // item 0, in the row next to the page
        CRect rcRow1;  // item 1
    };
    const Case cases[] = {
        {PM::kTop, CRect(0, 16, 150, 34), CRect(0, 0, 150, 18)},
        {PM::kBottom, CRect(0, 166, 150, 184), CRect(0, 182, 150, 200)},
        {PM::kLeft, CRect(16, 0, 34, 150), CRect(0, 0, 18, 150)},
        {PM::kRight, CRect(166, 0, 184, 150), CRect(182, 0, 200, 150)},
    };
    for (const Case& c : cases) {
        Fixture f(PM::kLayoutMultiRow, c.nPosition);
        f.pSet->m_lengths = {{0, 100}, {1, 100}};
        const BOOL bHorizontal = c.nPosition == PM::kTop || c.nPosition == PM::kBottom;
        LayoutStrip strip(&f.paintManager, bHorizontal ? CRect(0, 0, 150, 200) : CRect(0, 0, 200, 150));
        strip.AddItems(2);
        strip.SetCurSel(0);
        EXPECT_EQ(c.rcRow0, strip.GetItem(0)->GetRect()) << c.nPosition;
        EXPECT_EQ(c.rcRow1, strip.GetItem(1)->GetRect()) << c.nPosition;
    }
}

TEST(KitTabPaintManager, CompressionShortensTheLongestItemsToShareTheRoom)
{
    struct Case {
        const char* name;
        std::vector<int> lengths;
        int nAvailable;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"two long items share", {50, 100, 200}, 240, {50, 95, 95}},
        {"order kept", {200, 50, 100}, 240, {95, 50, 95}},
        {"remainders go last", {100, 100, 100}, 250, {83, 83, 84}},
        {"fits already", {50, 60}, 240, {50, 60}},
        {"one item", {300}, 240, {240}},
        {"no room at all", {50, 60}, -20, {0, 0}},
    };
    for (const Case& c : cases) {
        Fixture f(PM::kLayoutCompressed);
        LayoutStrip strip(&f.paintManager, CRect(0, 0, 400, 100));
        strip.m_bLayout = FALSE;
        for (int nLength : c.lengths)
            strip.AddItem(-1)->SetLengths(nLength, nLength);
        f.paintManager.CompressItems(&strip, c.nAvailable);
        std::vector<int> lengths;
        for (int i = 0; i < strip.GetItemCount(); ++i) {
            lengths.push_back(strip.GetItem(i)->GetLength());
            EXPECT_EQ(c.lengths[i], strip.GetItem(i)->GetFullLength()) << c.name;
        }
        EXPECT_EQ(c.expected, lengths) << c.name;
    }

    // Through the layout: the strip's room is the control less the header margins, with no scroll arrows.
    Fixture f(PM::kLayoutCompressed);
    f.pSet->m_rcHeaderMargin.SetRect(5, 0, 5, 0);
    f.pSet->m_lengths = {{0, 50}, {1, 100}, {2, 200}};
    LayoutStrip strip(&f.paintManager, CRect(0, 0, 250, 100));
    strip.AddItems(3);
    EXPECT_EQ((std::vector<int>{50, 95, 95}), LengthsOf(strip));
    EXPECT_EQ(5, strip.GetItem(0)->GetRect().left);
    EXPECT_EQ(245, strip.GetItem(2)->GetRect().right);
    EXPECT_TRUE(strip.GetNavigateButtons()[0]->GetRect().IsRectEmpty());
}

TEST(KitTabPaintManager, PlainItemsFollowTheOffsetButAStripNeverStaysScrolledPastItsEnd)
{
    Fixture f(PM::kLayoutPlain);
    f.pSet->m_rcHeaderMargin.SetRect(4, 2, 0, 0);
    f.pSet->m_lengths = {{0, 80}, {1, 80}, {2, 80}};
    LayoutStrip strip(&f.paintManager, CRect(0, 0, 400, 100));
    strip.AddItems(3);
    EXPECT_EQ(CRect(4, 2, 84, 20), strip.GetItem(0)->GetRect());
    EXPECT_EQ(CRect(164, 2, 244, 20), strip.GetItem(2)->GetRect());
    EXPECT_EQ(CRect(0, 0, 400, 20), strip.GetHeaderRect());

    // Everything fits: a scrolled strip comes back to the start.
    strip.m_bLayout = FALSE;
    strip.SetHeaderOffset(-100);
    strip.m_bLayout = TRUE;
    strip.Reposition();
    EXPECT_EQ(0, strip.GetHeaderOffset());
    EXPECT_EQ(4, strip.GetItem(0)->GetRect().left);

    // Items longer than the strip: the arrows show and the offset keeps the last item at the end.
    LayoutStrip narrow(&f.paintManager, CRect(0, 0, 150, 100));
    narrow.AddItems(3);
    narrow.m_bLayout = FALSE;
    narrow.SetHeaderOffset(-300);
    narrow.m_bLayout = TRUE;
    narrow.Reposition();
    EXPECT_FALSE(narrow.GetNavigateButtons()[1]->GetRect().IsRectEmpty());
    const int nRoom = narrow.GetHeaderRect().Width() - 4;
    EXPECT_EQ(nRoom - 240, narrow.GetHeaderOffset());
    EXPECT_EQ(narrow.GetHeaderRect().right, narrow.GetItem(2)->GetRect().right);
}

TEST(KitTabPaintManager, RotatedItemsStandAcrossTheStripFromItsInnerEdge)
{
    struct Case {
        int nPosition;
        CRect rcFirst;
        CRect rcSecond;
    };
    // Header margin bottom 3; row height 18; lengths 60 and 40; the header is 60 + 3 deep.
    const Case cases[] = {
        {PM::kTop, CRect(0, 0, 18, 60), CRect(18, 20, 36, 60)},
        {PM::kBottom, CRect(0, 140, 18, 200), CRect(18, 140, 36, 180)},
        {PM::kLeft, CRect(0, 0, 60, 18), CRect(20, 18, 60, 36)},
        {PM::kRight, CRect(140, 0, 200, 18), CRect(140, 18, 180, 36)},
    };
    for (const Case& c : cases) {
        Fixture f(PM::kLayoutRotated, c.nPosition);
        f.pSet->m_rcHeaderMargin.SetRect(0, 0, 0, 3);
        f.pSet->m_lengths = {{0, 60}, {1, 40}};
        LayoutStrip strip(&f.paintManager, CRect(0, 0, 200, 200));
        strip.AddItems(2);
        EXPECT_EQ(c.rcFirst, strip.GetItem(0)->GetRect()) << c.nPosition;
        EXPECT_EQ(c.rcSecond, strip.GetItem(1)->GetRect()) << c.nPosition;
        EXPECT_EQ(63, f.pSet->GetHeaderHeight(&strip)) << c.nPosition;
    }
}

TEST(KitTabPaintManager, ItemLengthsFollowTheLayoutAndTheBounds)
{
    Fixture f(PM::kLayoutPlain);
    LayoutStrip strip(&f.paintManager, CRect(0, 0, 400, 100));
    strip.AddItems(2);
    strip.GetItem(1)->SetCaption("A much longer caption");
    strip.SetCurSel(0);
    CKitTabManagerItem* pItem = strip.GetItem(0);
    auto measure = [&](CKitTabManagerItem* p) { return f.paintManager.DrawItemIconAndCaption(nullptr, p, CRect(), FALSE); };

    const int nPlain = measure(pItem);
    EXPECT_GT(nPlain, 12);
    f.paintManager.m_bShowIcons = TRUE;
    strip.m_bIcons = TRUE;
    EXPECT_EQ(nPlain + 16, measure(pItem));

    f.paintManager.SetLayout(PM::kLayoutFixed);
    EXPECT_EQ(70, measure(pItem));
    f.paintManager.m_rcButtonMargin.SetRect(3, 0, 2, 0);
    EXPECT_EQ(75, measure(pItem));
    f.paintManager.m_rcButtonMargin.SetRectEmpty();
    f.paintManager.m_nMaxItemLength = 50;
    EXPECT_EQ(50, measure(pItem));
    f.paintManager.m_nMaxItemLength = 0;
    f.paintManager.m_nMinItemLength = 90;
    EXPECT_EQ(90, measure(pItem));
    f.paintManager.m_nMinItemLength = 0;

    // Icons only: the others are an icon wide; the selected one as wide as the widest caption.
    f.paintManager.SetLayout(PM::kLayoutIconsOnly);
    EXPECT_EQ(24, measure(strip.GetItem(1)));
    f.paintManager.SetLayout(PM::kLayoutPlain);
    const int nWidest = measure(strip.GetItem(1));
    f.paintManager.SetLayout(PM::kLayoutIconsOnly);
    EXPECT_EQ(nWidest, measure(pItem));
}

TEST(KitTabPaintManager, MiddleEllipsisKeepsBothEndsAndPathsAreLeftToTheSystem)
{
    Fixture f(PM::kLayoutPlain);
    LayoutStrip strip(&f.paintManager, CRect(0, 0, 400, 100));
    strip.AddItems(1);
    CDC dc;
    dc.Attach(::CreateCompatibleDC(nullptr));
    CFont* pOld = dc.SelectObject(f.paintManager.GetNormalFont());
    const CString strLong = "Substation configuration of bay twelve";
    const int nFull = dc.GetTextExtent(strLong).cx;

    struct Case {
        const char* name;
        CString text;
        int nWidth;
    };
    const Case cases[] = {
        {"shortened", strLong, nFull / 2},
        {"fits", strLong, nFull + 10},
        {"narrower than the dots", strLong, 3},
        {"path", "C:\\Projects\\Plant\\Substation\\main.prj", 40},
    };
    for (const Case& c : cases) {
        f.pSet->m_drawn.clear();
        f.paintManager.DrawTextMiddleEllipsis(&dc, strip.GetItem(0), c.text, CRect(0, 0, c.nWidth, 20),
                                              DT_SINGLELINE | DT_NOPREFIX);
        ASSERT_EQ(1u, f.pSet->m_drawn.size()) << c.name;
        const std::string drawn = f.pSet->m_drawn[0].text;
        const UINT nFormat = f.pSet->m_drawn[0].nFormat;
        const std::string text(c.text);
        if (std::string(c.name) == "shortened") {
            const size_t nDots = drawn.find("...");
            ASSERT_NE(std::string::npos, nDots) << drawn;
            ASSERT_GT(nDots, 0u) << drawn;
            EXPECT_EQ(text.substr(0, nDots), drawn.substr(0, nDots)) << drawn;
            const std::string end = drawn.substr(nDots + 3);
            ASSERT_FALSE(end.empty()) << drawn;
            EXPECT_EQ(text.substr(text.size() - end.size()), end) << drawn;
            EXPECT_LE(dc.GetTextExtent(drawn.c_str(), static_cast<int>(drawn.size())).cx, c.nWidth) << drawn;
            EXPECT_GT(drawn.size(), 10u) << drawn;
        } else if (std::string(c.name) == "fits") {
            EXPECT_EQ(text, drawn);
        } else if (std::string(c.name) == "narrower than the dots") {
            EXPECT_EQ("...", drawn);
        } else {
            EXPECT_EQ(text, drawn);
            EXPECT_NE(0u, nFormat & DT_PATH_ELLIPSIS);
        }
    }
    dc.SelectObject(pOld);
}

TEST(KitTabPaintManager, SmallFontsGrowForVerticalTextOnly)
{
    struct Case {
        LONG lfHeight;
        LONG lfVertical;
    };
    const Case cases[] = {{-8, -11}, {-1, -11}, {-10, -11}, {-11, -11}, {-14, -14}, {12, 12}};
    for (const Case& c : cases) {
        CKitTabPaintManager paintManager;
        LOGFONTA lf = {};
        lf.lfHeight = c.lfHeight;
        lstrcpyA(lf.lfFaceName, "Arial");
        paintManager.SetFontIndirect(&lf);
        EXPECT_FALSE(paintManager.m_bUseStandardFont);
        LOGFONTA out = {};
        paintManager.GetNormalFont()->GetLogFont(&out);
        EXPECT_EQ(c.lfHeight, out.lfHeight);
        EXPECT_EQ(FW_NORMAL, out.lfWeight);
        paintManager.GetBoldFont()->GetLogFont(&out);
        EXPECT_EQ(c.lfHeight, out.lfHeight);
        EXPECT_EQ(FW_BOLD, out.lfWeight);
        paintManager.GetVerticalFont()->GetLogFont(&out);
        EXPECT_EQ(c.lfVertical, out.lfHeight) << c.lfHeight;
        EXPECT_EQ(2700, out.lfEscapement);
        EXPECT_EQ(900, out.lfOrientation);
        paintManager.GetVerticalBoldFont()->GetLogFont(&out);
        EXPECT_EQ(c.lfVertical, out.lfHeight) << c.lfHeight;
        EXPECT_EQ(FW_BOLD, out.lfWeight);
    }

    // Upward text and bold regular fonts.
    CKitTabPaintManager paintManager;
    paintManager.m_bVerticalTextTopToBottom = FALSE;
    paintManager.m_bBoldNormal = TRUE;
    LOGFONTA lf = {};
    lf.lfHeight = -12;
    paintManager.SetFontIndirect(&lf);
    LOGFONTA out = {};
    paintManager.GetVerticalFont()->GetLogFont(&out);
    EXPECT_EQ(900, out.lfEscapement);
    paintManager.GetNormalFont()->GetLogFont(&out);
    EXPECT_EQ(FW_BOLD, out.lfWeight);
}

TEST(KitTabPaintManager, EachAppearanceStyleBringsItsSetAndItsDefaultColours)
{
    struct Case {
        int nStyle;
        const std::type_info& type;
        int nColorSet;
    };
    const Case cases[] = {
        {0, typeid(PM::CAppearanceSetPropertyPage), 1},
        {3, typeid(PM::CAppearanceSetPropertyPage2003), 4},
        {12, typeid(PM::CAppearanceSetVisualStudio2010), 256},
        {99, typeid(PM::CAppearanceSetPropertyPage), 1},
        {-1, typeid(PM::CAppearanceSetPropertyPage), 1},
    };
    for (const Case& c : cases) {
        CKitTabPaintManager paintManager;
        LayoutStrip strip(&paintManager, CRect(0, 0, 300, 100));
        paintManager.AddClient(&strip);
        strip.AddItems(2);
        paintManager.SetColor(PM::kColorSetVisualStudio2003);
        strip.m_nRepositions = 0;
        paintManager.SetAppearance(c.nStyle);
        EXPECT_EQ(c.nStyle, paintManager.GetAppearance());
        ASSERT_NE(nullptr, paintManager.GetAppearanceSet());
        EXPECT_EQ(c.type, typeid(*paintManager.GetAppearanceSet())) << c.nStyle;
        EXPECT_EQ(&paintManager, paintManager.GetAppearanceSet()->m_pPaintManager);
        EXPECT_EQ(c.nColorSet, paintManager.GetColor()) << c.nStyle;
        // The client was laid out again with the new set.
        EXPECT_GT(strip.m_nRepositions, 0) << c.nStyle;
        paintManager.RemoveClient(&strip);
        EXPECT_EQ(0, paintManager.GetClientCount());
    }
}

TEST(KitTabPaintManager, RowsAreDrawnFromTheFarRowInwardsWithTheSelectedItemOnTop)
{
    struct Case {
        const char* name;
        BOOL bBothEnds;
        int nSelected;
        CRect rcClip;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"last to first", FALSE, 2, CRect(0, 0, 400, 100), {4, 3, 1, 0, 2}},
        {"from both ends", TRUE, 2, CRect(0, 0, 400, 100), {0, 1, 4, 3, 2}},
        {"clipped", FALSE, 2, CRect(0, 0, 100, 100), {1, 0}},
        {"first selected", TRUE, 0, CRect(0, 0, 400, 100), {4, 3, 2, 1, 0}},
    };
    for (const Case& c : cases) {
        Fixture f(PM::kLayoutPlain);
        f.paintManager.m_bClipHeader = FALSE;
        f.pSet->m_bDrawFromBothEnds = c.bBothEnds;
        for (int i = 0; i < 5; ++i)
            f.pSet->m_lengths[i] = 60;
        LayoutStrip strip(&f.paintManager, CRect(0, 0, 400, 100));
        strip.AddItems(5);
        strip.SetCurSel(c.nSelected);
        f.pSet->m_buttons.clear();
        Canvas canvas(400, 100);
        canvas.dc.IntersectClipRect(c.rcClip);
        f.paintManager.DrawTabControl(&strip, &canvas.dc, CRect(0, 0, 400, 100));
        EXPECT_EQ(c.expected, f.pSet->m_buttons) << c.name;
    }

    // Multi-row: the far row first, row 0 (with the selected item) last.
    Fixture f(PM::kLayoutMultiRow);
    for (int i = 0; i < 4; ++i)
        f.pSet->m_lengths[i] = 100;
    LayoutStrip strip(&f.paintManager, CRect(0, 0, 200, 100));
    strip.AddItems(4);
    strip.SetCurSel(0);
    f.pSet->m_buttons.clear();
    Canvas canvas(200, 100);
    f.paintManager.DrawTabControl(&strip, &canvas.dc, CRect(0, 0, 200, 100));
    EXPECT_EQ((std::vector<int>{3, 2, 1, 0}), f.pSet->m_buttons);
}

TEST(KitTabPaintManager, CaptionsAreDrawnInsideTheMarginsAndCentredInLongerItems)
{
    Fixture f(PM::kLayoutPlain);
    LayoutStrip strip(&f.paintManager, CRect(0, 0, 400, 100));
    strip.AddItems(2);
    strip.GetItem(1)->SetCaption("Save && &Close");
    strip.SetCurSel(0);
    Canvas canvas(400, 100);
    CKitTabManagerItem* pItem = strip.GetItem(1);
    const int nFull = f.paintManager.DrawItemIconAndCaption(&canvas.dc, pItem, CRect(), FALSE);

    struct Case {
        const char* name;
        int nExtra;  // the item longer than its content by this much
        BOOL bStripMnemonics;
        BOOL bNoPrefix;
        const char* expectedText;
        UINT nPrefixFlag;
    };
    const Case cases[] = {
        {"as long as its content", 0, FALSE, TRUE, "Save && &Close", DT_NOPREFIX},
        {"justified: centred", 40, FALSE, TRUE, "Save && &Close", DT_NOPREFIX},
        {"mnemonics shown", 0, FALSE, FALSE, "Save && &Close", 0},
        {"mnemonics stripped", 0, TRUE, FALSE, "Save & Close", DT_NOPREFIX},
    };
    for (const Case& c : cases) {
        f.paintManager.m_bStripMnemonics = c.bStripMnemonics;
        f.paintManager.m_bNoPrefix = c.bNoPrefix;
        const CRect rcItem(100, 2, 100 + nFull + c.nExtra, 20);
        pItem->SetLengths(nFull + c.nExtra, nFull);
        f.pSet->m_drawn.clear();
        f.paintManager.DrawItemIconAndCaption(&canvas.dc, pItem, rcItem, TRUE);
        ASSERT_EQ(1u, f.pSet->m_drawn.size()) << c.name;
        const TestSet::Drawn& drawn = f.pSet->m_drawn[0];
        EXPECT_EQ(c.expectedText, drawn.text) << c.name;
        EXPECT_EQ(c.nPrefixFlag, drawn.nFormat & DT_NOPREFIX) << c.name;
        EXPECT_NE(0u, drawn.nFormat & DT_END_ELLIPSIS) << c.name;
        EXPECT_NE(0u, drawn.nFormat & DT_VCENTER) << c.name;
        // The text margins (6 each) and half of the extra length on each side.
        EXPECT_EQ(rcItem.left + c.nExtra / 2 + 6, drawn.rc.left) << c.name;
        EXPECT_EQ(rcItem.right - (c.nExtra - c.nExtra / 2) - 6, drawn.rc.right) << c.name;
        // Unselected, active: the normal text colour.
        EXPECT_EQ(static_cast<COLORREF>(f.paintManager.GetColorSet()->m_clrNormalText), canvas.dc.GetTextColor());
    }
}

TEST(KitTabPaintManager, NavigateButtonsAreFilledGlyphsWhenEnabledAndOutlinesWhenNot)
{
    Fixture f(PM::kLayoutPlain);
    LayoutStrip strip(&f.paintManager, CRect(0, 0, 100, 40));
    strip.AddItems(1);
    CKitTabManagerNavigateButton* pButton = strip.GetNavigateButtons()[1];  // scroll forward
    const COLORREF clrGlyph = CKitColorManager::Instance()->GetColor(COLOR_BTNTEXT);
    const COLORREF clrPaper = RGB(1, 2, 3);

    for (BOOL bEnabled : {TRUE, FALSE}) {
        Canvas canvas(40, 40, clrPaper);
        pButton->SetEnabled(bEnabled);
        pButton->SetRect(CRect(10, 10, 24, 25));
        pButton->Draw(&canvas.dc);
        // The triangle points right around the centre (17, 17): its inside at (16, 16), its edge at (15, 13).
        EXPECT_EQ(clrGlyph, canvas.Pixel(15, 13)) << bEnabled;
        EXPECT_EQ(bEnabled ? clrGlyph : clrPaper, canvas.Pixel(16, 16)) << bEnabled;
    }

    // A hidden button draws nothing.
    Canvas canvas(40, 40, clrPaper);
    pButton->SetRect(CRect());
    pButton->Draw(&canvas.dc);
    EXPECT_EQ(40 * 40, canvas.Count(CRect(0, 0, 40, 40), clrPaper));
}

TEST(KitTabPaintManager, ItemImagesTakeTheItemsStateAndTurnWithVerticalStripsWhenAsked)
{
    // 16 x 16: the left column red, the rest blue; the hot image all green.
    std::vector<DWORD> pixels(256, KitPixels::FromColorRef(RGB(0, 0, 255), 255));
    for (int y = 0; y < 16; ++y)
        pixels[y * 16] = KitPixels::FromColorRef(RGB(255, 0, 0), 255);
    HBITMAP hNormal = CKitImageManager::Create32BitBitmap(pixels.data(), CSize(16, 16));
    const std::vector<DWORD> green(256, KitPixels::FromColorRef(RGB(0, 255, 0), 255));
    HBITMAP hHot = CKitImageManager::Create32BitBitmap(green.data(), CSize(16, 16));
    CKitImageManagerIcon image(1, 16, 16);
    image.SetIcon(CKitImageManagerIconHandle(hNormal), CKitImageManagerIcon::kStateNormal);
    image.SetIcon(CKitImageManagerIconHandle(hHot), CKitImageManagerIcon::kStateHot);

    struct Case {
        const char* name;
        int nPosition;
        BOOL bRotate;
        BOOL bHot;
        COLORREF clrLeftEdge;  // at (0, 8) of the image
        COLORREF clrTopEdge;   // at (8, 0)
    };
    const Case cases[] = {
        {"top strip", PM::kTop, TRUE, FALSE, RGB(255, 0, 0), RGB(0, 0, 255)},
        {"left strip, turned", PM::kLeft, TRUE, FALSE, RGB(0, 0, 255), RGB(255, 0, 0)},
        {"right strip, turned", PM::kRight, TRUE, FALSE, RGB(0, 0, 255), RGB(255, 0, 0)},
        {"left strip, upright", PM::kLeft, FALSE, FALSE, RGB(255, 0, 0), RGB(0, 0, 255)},
        {"hot item", PM::kLeft, TRUE, TRUE, RGB(0, 255, 0), RGB(0, 255, 0)},
    };
    for (const Case& c : cases) {
        Fixture f(PM::kLayoutPlain, c.nPosition);
        f.paintManager.m_bRotateImages = c.bRotate;
        LayoutStrip strip(&f.paintManager, CRect(0, 0, 100, 100));
        strip.AddItems(2);
        strip.SetCurSel(1);
        CKitTabManagerItem* pItem = strip.GetItem(0);
        if (c.bHot) {
            f.paintManager.m_bHotTracking = TRUE;
            strip.TrackHot(pItem);
        }
        Canvas canvas(40, 40);
        pItem->DrawImage(&canvas.dc, CPoint(10, 10), CSize(16, 16), &image);
        EXPECT_EQ(c.clrLeftEdge, canvas.Pixel(10, 18)) << c.name;
        EXPECT_EQ(c.clrTopEdge, canvas.Pixel(18, 10)) << c.name;
        EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(9, 9)) << c.name;
    }
    ::DeleteObject(hNormal);
    ::DeleteObject(hHot);
}
