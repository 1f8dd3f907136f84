// Layout and hit testing: sizes, alignment, clipping, the canvas, visibility and invalidation.
#include "markup_test_support.h"

#include "toolkit/markup/markup_drawing_context.h"
#include "toolkit/markup/markup_framework_element.h"
#include "toolkit/markup/markup_panels.h"
#include "toolkit/markup/markup_values.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A context that counts the layout notices that reach it from a root.
class CLayoutCountingContext : public CKitMarkupContext {
public:
    void OnLayoutChanged(CKitMarkupInputElement* pElement) override
    {
        ++layoutChanges;
        CKitMarkupContext::OnLayoutChanged(pElement);
    }

    int layoutChanges = 0;
};

class MarkupLayoutTest : public ::testing::Test {
protected:
    MarkupLayoutTest() : m_pContext(new CLayoutCountingContext()) {}
    ~MarkupLayoutTest() override { m_pContext->Release(); }

    // The root of a text that must build, measured and arranged in a slot of width by height.
    CKitMarkupRef<CKitMarkupUIElement> Layout(const std::string& text, int width = 200, int height = 100)
    {
        BuildResult result = BuildMarkup(m_pContext, text);
        EXPECT_TRUE(result.root) << text << ": " << result.error;
        if (result.root) {
            CKitMarkupDrawingContext dc(m_pContext);
            result.root->Measure(&dc, width, height);
            result.root->Arrange({0, 0, width, height});
        }
        return std::move(result.root);
    }

    CLayoutCountingContext* m_pContext;
};

CKitMarkupFrameworkElement* Child(CKitMarkupObject* pElement, int index = 0)
{
    return MarkupDynamicCast<CKitMarkupFrameworkElement>(
        static_cast<CKitMarkupVisual*>(pElement)->GetVisualChild(index));
}

TEST_F(MarkupLayoutTest, ExplicitMinimumAndMaximumSizes)
{
    struct Case {
        const char* text;
        int desiredWidth;
        int renderWidth;
    };
    const Case cases[] = {
        // An explicit size is limited by the maximum.
        {"<Border Width=\"100\" MaxWidth=\"50\" HorizontalAlignment=\"Left\"/>", 50, 50},
        // A minimum wins over a maximum: both bounds become 80.
        {"<Border MinWidth=\"80\" MaxWidth=\"50\" HorizontalAlignment=\"Left\"/>", 80, 80},
        {"<Border MinWidth=\"80\" MaxWidth=\"50\" HorizontalAlignment=\"Left\"><Border Width=\"100\"/></Border>", 80,
         80},
        // Margins add to the desired size, not to the render size.
        {"<Border Width=\"30\" Margin=\"1,2,3,4\" HorizontalAlignment=\"Left\"/>", 34, 30},
        // A stretched element takes its slot.
        {"<Border/>", 0, 200},
    };
    for (const Case& c : cases) {
        auto root = Layout(c.text);
        ASSERT_TRUE(root);
        EXPECT_EQ(c.desiredWidth, root->GetDesiredSize().cx) << c.text;
        EXPECT_EQ(c.renderWidth, root->GetRenderSize().cx) << c.text;
    }
}

TEST_F(MarkupLayoutTest, AlignmentInTheSlot)
{
    struct Case {
        const char* child;
        int x;
        int y;
    };
    const Case cases[] = {
        {"<Border Width=\"95\" Height=\"10\" HorizontalAlignment=\"Center\" VerticalAlignment=\"Top\"/>", 2, 0},
        {"<Border Width=\"40\" Height=\"10\" HorizontalAlignment=\"Right\" VerticalAlignment=\"Bottom\"/>", 60, 40},
        {"<Border Width=\"40\" Height=\"11\" VerticalAlignment=\"Center\" Margin=\"5,0,0,0\"/>", 32, 19},
        // A stretched element narrower than its slot is centred; one wider than its slot aligns left and top.
        {"<Border Width=\"150\" Height=\"80\"/>", 0, 0},
    };
    for (const Case& c : cases) {
        auto root = Layout(std::string("<Border Width=\"100\" Height=\"50\">") + c.child + "</Border>");
        ASSERT_TRUE(root);
        const POINT offset = Child(root.Get())->GetVisualOffset();
        EXPECT_EQ(c.x, offset.x) << c.child;
        EXPECT_EQ(c.y, offset.y) << c.child;
    }
}

TEST_F(MarkupLayoutTest, WhatDoesNotFitIsClipped)
{
    // The child asks for more than its slot: it reports the slot and clips to it.
    auto root =
        Layout("<Border Width=\"60\" Height=\"40\" Padding=\"5\"><Border Width=\"100\" Height=\"100\"/></Border>");
    ASSERT_TRUE(root);
    CKitMarkupFrameworkElement* pChild = Child(root.Get());
    EXPECT_EQ(50, pChild->GetDesiredSize().cx);
    EXPECT_EQ(30, pChild->GetDesiredSize().cy);
    EXPECT_EQ(100, pChild->GetRenderSize().cx);
    RECT clip = {};
    ASSERT_TRUE(pChild->GetLayoutClip(clip));
    EXPECT_EQ(0, clip.left);
    EXPECT_EQ(0, clip.top);
    EXPECT_EQ(50, clip.right);
    EXPECT_EQ(30, clip.bottom);

    // An element that fits does not clip, unless it clips to its bounds.
    EXPECT_FALSE(root->GetLayoutClip(clip));
    auto clipping = Layout("<Border Width=\"60\" Height=\"40\" ClipToBounds=\"True\"/>");
    ASSERT_TRUE(clipping->GetLayoutClip(clip));
    EXPECT_EQ(60, clip.right);
    EXPECT_EQ(40, clip.bottom);

    // An unbounded size less a margin stays unbounded.
    auto unbounded = Layout("<Border Margin=\"10\"><Border Width=\"30\"/></Border>", 2147483647, 2147483647);
    EXPECT_EQ(50, unbounded->GetDesiredSize().cx);
    EXPECT_FALSE(unbounded->GetLayoutClip(clip));
}

TEST_F(MarkupLayoutTest, CanvasPlacesChildrenByTheirAttachedOffsets)
{
    auto root = Layout("<Canvas>"
                       "<Border Canvas.Left=\"5\" Canvas.Right=\"10\" Canvas.Top=\"7\" Width=\"20\" Height=\"10\"/>"
                       "<Border Canvas.Right=\"10\" Canvas.Bottom=\"10\" Width=\"20\" Height=\"10\" Margin=\"1\"/>"
                       "<Border Width=\"20\" Height=\"10\"/>"
                       "</Canvas>",
                       200, 100);
    ASSERT_TRUE(root);
    EXPECT_EQ(0, root->GetDesiredSize().cx) << "a canvas asks for nothing itself";
    struct Expected {
        int x;
        int y;
    };
    // The second child's slot is 22 by 12 with its margin; its border box starts one pixel in.
    const Expected expected[] = {{5, 7}, {200 - 10 - 22 + 1, 100 - 10 - 12 + 1}, {0, 0}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(expected[i].x, Child(root.Get(), i)->GetVisualOffset().x) << i;
        EXPECT_EQ(expected[i].y, Child(root.Get(), i)->GetVisualOffset().y) << i;
    }
    // The canvas's bounds cover children placed outside it.
    auto outside = Layout("<Canvas Width=\"10\" Height=\"10\" HorizontalAlignment=\"Left\" VerticalAlignment=\"Top\">"
                          "<Border Canvas.Left=\"30\" Canvas.Top=\"40\" Width=\"5\" Height=\"5\"/></Canvas>");
    EXPECT_EQ(35, outside->GetBounds().right);
    EXPECT_EQ(45, outside->GetBounds().bottom);
}

TEST_F(MarkupLayoutTest, HitTesting)
{
    auto root = Layout("<Canvas Background=\"White\">"
                       "<Border Canvas.Left=\"10\" Canvas.Top=\"10\" Width=\"50\" Height=\"50\">"
                       "<Border Margin=\"10\" Background=\"Red\"/></Border>"
                       "<Border Canvas.Left=\"100\" Canvas.Top=\"10\" Width=\"50\" Height=\"50\" Background=\"Blue\"/>"
                       "<Border Canvas.Left=\"120\" Canvas.Top=\"10\" Width=\"50\" Height=\"50\" Background=\"Green\"/>"
                       "<Border Canvas.Left=\"10\" Canvas.Top=\"70\" Width=\"20\" Height=\"20\" Background=\"Red\""
                       " Visibility=\"Collapsed\"/>"
                       "<Border Canvas.Left=\"40\" Canvas.Top=\"70\" Width=\"20\" Height=\"20\" Background=\"Red\""
                       " Visibility=\"Hidden\"/>"
                       "</Canvas>");
    ASSERT_TRUE(root);
    CKitMarkupFrameworkElement* pFrame = Child(root.Get(), 0);
    CKitMarkupFrameworkElement* pInner = Child(pFrame);
    struct Case {
        int x;
        int y;
        CKitMarkupInputElement* expected;
        const char* why;
    };
    const Case cases[] = {
        {12, 12, root.Get(), "a border without background is not hit itself"},
        {30, 30, pInner, "its child is"},
        {110, 20, Child(root.Get(), 1), "an element alone"},
        {130, 20, Child(root.Get(), 2), "the later of two overlapping children is on top"},
        {15, 75, root.Get(), "a collapsed element is never hit"},
        {45, 75, root.Get(), "nor a hidden one"},
        {190, 90, root.Get(), "the canvas with a background"},
        {250, 200, nullptr, "outside everything"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, root->InputHitTest({c.x, c.y})) << c.why;

    // A hidden element keeps its size; a collapsed one measures nothing.
    EXPECT_EQ(0, Child(root.Get(), 3)->GetDesiredSize().cx);
    EXPECT_EQ(20, Child(root.Get(), 4)->GetDesiredSize().cx);
    RECT clip = {};
    EXPECT_TRUE(Child(root.Get(), 3)->GetLayoutClip(clip));
    EXPECT_TRUE(::IsRectEmpty(&clip));

    // A panel without background lets hits through to what lies behind.
    auto bare = Layout("<Canvas/>");
    EXPECT_EQ(nullptr, bare->InputHitTest({5, 5}));
}

TEST_F(MarkupLayoutTest, ChangesInvalidateAsFarAsTheyReach)
{
    auto root = Layout("<Border HorizontalAlignment=\"Left\"><Border Width=\"20\" Height=\"10\"/></Border>");
    ASSERT_TRUE(root);
    CKitMarkupFrameworkElement* pChild = Child(root.Get());

    // The same desired size: only the child is arranged and drawn again.
    pChild->SetValue(CKitMarkupFrameworkElement::m_pMinWidthProperty, new CKitMarkupInt(5));
    EXPECT_EQ(0, m_pContext->layoutChanges);

    // A new size climbs to the root, and the container hears of it.
    pChild->SetValue(CKitMarkupFrameworkElement::m_pWidthProperty, new CKitMarkupInt(40));
    EXPECT_EQ(1, m_pContext->layoutChanges);
    EXPECT_EQ(40, root->GetDesiredSize().cx);
    root->Arrange({0, 0, 200, 100});
    EXPECT_EQ(40, pChild->GetRenderSize().cx);

    // An alignment change arranges the element again in its slot.
    pChild->SetValue(CKitMarkupFrameworkElement::m_pHorizontalAlignmentProperty, CKitMarkupEnum::CreateValue(2));
    EXPECT_EQ(0, pChild->GetVisualOffset().x) << "its slot is as wide as it is";
    root->SetValue(CKitMarkupFrameworkElement::m_pWidthProperty, new CKitMarkupInt(100));
    EXPECT_EQ(2, m_pContext->layoutChanges);
    root->Arrange({0, 0, 200, 100});
    EXPECT_EQ(60, pChild->GetVisualOffset().x);
}

} // namespace
