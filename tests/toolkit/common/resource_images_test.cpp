// Theme images: values of the description text, images by name, nine-part drawing.
#include "toolkit/common/resource_images.h"

#include "support/canvas.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kPaper = RGB(1, 2, 3);

class KitResourceImages : public ::testing::Test {
protected:
    KitResourceImages()
    {
        images = CKitResourceImages::GetSet();
        images->SetHandle(::GetModuleHandleA(nullptr), "KIT_THEME.INI");
    }
    ~KitResourceImages() override { images->SetHandle(nullptr); }

    CKitResourceImages* images = nullptr;
};

TEST_F(KitResourceImages, ValuesAreFoundInTheirSectionWhateverTheCase)
{
    ASSERT_TRUE(images->IsLoaded());
    EXPECT_EQ(images, CKitResourceImages::Instance());
    EXPECT_EQ(RGB(10, 20, 30), images->GetImageColor("controls", "groupboxframe", 0));
    EXPECT_STREQ("0", images->GetImageValue("Global", "PremultiplyImages"));
    // Before any section, and in a later section, nothing is found.
    EXPECT_EQ(RGB(9, 9, 9), images->GetImageColor("Controls", "Orphan", RGB(9, 9, 9)));
    EXPECT_EQ(-1, images->GetImageInt("Global", "GroupBoxFrame", -1));
    EXPECT_EQ(CRect(1, 2, 3, 4), images->GetImageRect("Missing", "Key", CRect(1, 2, 3, 4)));

    images->SetHandle(nullptr);
    EXPECT_FALSE(images->IsLoaded());
    EXPECT_EQ(nullptr, CKitResourceImages::Instance());
}

// A 20 x 20 image with 4 x 4 corners in their own colours keeps them unstretched.
TEST_F(KitResourceImages, NinePartDrawingKeepsTheCorners)
{
    CKitResourceImage* image = images->LoadImage("Test.Frame");
    ASSERT_NE(nullptr, image);
    EXPECT_EQ(CSize(20, 20), image->GetExtent());
    EXPECT_EQ(image, images->LoadImage("Test.Frame"));
    EXPECT_EQ(nullptr, images->LoadImage("Missing"));
    EXPECT_EQ(CRect(0, 10, 20, 20), image->GetSource(1, 2));

    Canvas canvas(100, 30, kPaper);
    image->DrawImage(&canvas.dc, CRect(0, 0, 100, 30), image->GetSource(), CRect(4, 4, 4, 4));
    struct Probe {
        int x;
        int y;
        COLORREF color;
    };
    const Probe probes[] = {
        {0, 0, RGB(255, 0, 0)},    {3, 3, RGB(255, 0, 0)},   {96, 0, RGB(0, 255, 0)}, {99, 3, RGB(0, 255, 0)},
        {0, 26, RGB(0, 0, 255)},   {3, 29, RGB(0, 0, 255)},  {96, 26, RGB(255, 255, 0)},
        {99, 29, RGB(255, 255, 0)}, {4, 4, RGB(128, 128, 128)}, {50, 15, RGB(128, 128, 128)},
        {95, 25, RGB(128, 128, 128)},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(p.color, canvas.Pixel(p.x, p.y)) << p.x << "," << p.y;

    // Drawn leaving out one colour, the paper shows there.
    Canvas keyed(100, 30, kPaper);
    image->DrawImageTransparent(&keyed.dc, CRect(0, 0, 100, 30), image->GetSource(), CRect(4, 4, 4, 4),
                                RGB(128, 128, 128));
    EXPECT_EQ(kPaper, keyed.Pixel(50, 15));
    EXPECT_EQ(RGB(255, 0, 0), keyed.Pixel(0, 0));
}

} // namespace
