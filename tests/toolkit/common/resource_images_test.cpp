// Theme images: values of the description text, images by name, nine-part drawing.
#include "toolkit/common/resource_images.h"

#include "support/canvas.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/common/notification.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kPaper = RGB(1, 2, 3);

class KitResourceImages : public ::testing::Test {
protected:
    KitResourceImages()
    {
        images = CKitResourceImages::Instance();
        images->SetHandle(::GetModuleHandleA(nullptr), "KIT_THEME.INI");
    }
    ~KitResourceImages() override { images->SetHandle(nullptr); }

    CKitResourceImages* images = nullptr;
};

TEST_F(KitResourceImages, ValuesAreFoundInTheirSectionWhateverTheCase)
{
    ASSERT_TRUE(images->IsValid());
    EXPECT_EQ(images, CKitResourceImages::Instance());
    EXPECT_EQ(RGB(10, 20, 30), images->GetImageColor("controls", "groupboxframe", 0));
    EXPECT_STREQ("0", images->GetImageValue("Global", "PremultiplyImages"));
    // Before any section, and in a later section, nothing is found.
    EXPECT_EQ(RGB(9, 9, 9), images->GetImageColor("Controls", "Orphan", RGB(9, 9, 9)));
    EXPECT_EQ(-1, images->GetImageInt("Global", "GroupBoxFrame", -1));
    EXPECT_EQ(CRect(1, 2, 3, 4), images->GetImageRect("Missing", "Key", CRect(1, 2, 3, 4)));

    images->SetHandle(nullptr);
    EXPECT_FALSE(images->IsValid());
    EXPECT_EQ(images, CKitResourceImages::Instance());
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

    // Alpha-keyed: the colour's pixels let the paper through, the others are opaque.
    Canvas alphaKeyed(100, 30, kPaper);
    image->DrawImageAlphaKeyed(&alphaKeyed.dc, CRect(0, 0, 100, 30), image->GetSource(), CRect(4, 4, 4, 4),
                               RGB(128, 128, 128), 1);
    EXPECT_EQ(kPaper, alphaKeyed.Pixel(50, 15));
    EXPECT_EQ(RGB(0, 0, 255), alphaKeyed.Pixel(0, 29));
}

// Into a destination smaller than the margins the corners shrink in
// proportion; the bottom band keeps the parity of the source's bottom margin.
// The colours of a row of 4 x 1 pixels drawn at the canvas's left edge, in screen order.
std::vector<COLORREF> DrawnRow(CKitResourceImage& image, DWORD dwLayout)
{
    Canvas canvas(4, 1, kPaper);
    ::SetLayout(canvas.dc, dwLayout);
    image.DrawImageWithoutMargins(&canvas.dc, CRect(0, 0, 4, 1), image.GetSource());
    std::vector<COLORREF> row;
    for (int x = 0; x < 4; ++x)
        row.push_back(canvas.Pixel(x, 0));
    return row;
}

// An alpha image that handles right-to-left contexts is mirrored to them once, and back
// for a left-to-right one; without the handling it is drawn as the context lays it out.
TEST_F(KitResourceImages, AlphaImagesFollowRightToLeftContextsWhenTheyHandleThem)
{
    const DWORD pixels[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
    CKitResourceImage image(images);
    ASSERT_TRUE(image.LoadFromBitmap(CKitImageManager::Create32BitBitmap(pixels, CSize(4, 1)), TRUE));
    const std::vector<COLORREF> leftToRight = DrawnRow(image, 0);
    EXPECT_EQ((std::vector<COLORREF>{RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255)}),
              leftToRight);
    const std::vector<COLORREF> laidOut = DrawnRow(image, LAYOUT_RTL);
    EXPECT_FALSE(image.IsMirrored());

    image.SetRTLHandling(TRUE);
    const std::vector<COLORREF> handled = DrawnRow(image, LAYOUT_RTL);
    EXPECT_TRUE(image.IsMirrored());
    EXPECT_EQ(std::vector<COLORREF>(laidOut.rbegin(), laidOut.rend()), handled);
    EXPECT_EQ(handled, DrawnRow(image, LAYOUT_RTL));
    EXPECT_EQ(leftToRight, DrawnRow(image, 0));
    EXPECT_FALSE(image.IsMirrored());
}

// The themes set the alpha flag of a picture before drawing it blended: a picture whose
// pixels carry no alpha is then drawn opaque, not added onto what lies under it.
TEST_F(KitResourceImages, SettingTheAlphaFlagOfAPictureWithoutAlphaDrawsItOpaque)
{
    const DWORD pixels[4] = {0x00C00000, 0x00C00000, 0x00C00000, 0x00C00000};
    CKitResourceImage image(images);
    ASSERT_TRUE(image.LoadFromBitmap(CKitImageManager::Create32BitBitmap(pixels, CSize(2, 2)), FALSE));
    image.SetAlpha(TRUE);
    EXPECT_TRUE(image.IsAlpha());
    Canvas canvas(2, 2, RGB(0, 100, 0));
    image.DrawImageWithoutMargins(&canvas.dc, CRect(0, 0, 2, 2), image.GetSource());
    EXPECT_EQ(RGB(0xC0, 0, 0), canvas.Pixel(1, 1));
}

TEST_F(KitResourceImages, CornersShrinkWhenTheDestinationIsSmallerThanTheMargins)
{
    CKitResourceImage* image = images->LoadImage("Test.Frame");
    ASSERT_NE(nullptr, image);
    Canvas canvas(6, 6, kPaper);
    image->DrawImage(&canvas.dc, CRect(0, 0, 6, 6), image->GetSource(), CRect(4, 4, 4, 4));
    // Rows 0-2 top corners (3 high), rows 2-5 bottom corners (4 high, drawn last); columns 0-2 and 3-5.
    struct Probe {
        int x;
        int y;
        COLORREF color;
    };
    const Probe probes[] = {
        {0, 0, RGB(255, 0, 0)}, {2, 1, RGB(255, 0, 0)},   {3, 0, RGB(0, 255, 0)},   {5, 1, RGB(0, 255, 0)},
        {0, 2, RGB(0, 0, 255)}, {2, 5, RGB(0, 0, 255)},   {3, 2, RGB(255, 255, 0)}, {5, 5, RGB(255, 255, 0)},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(p.color, canvas.Pixel(p.x, p.y)) << p.x << "," << p.y;
}

// The INI text reader on its own: lines end at CR, LF or the end of the text; sections bound the search.
TEST(KitIniText, ValuesAreFoundOnlyInsideTheirSection)
{
    struct Case {
        const char* text;
        const char* section;
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"[Window]\r\nTooltipLight = 255 255 0\r\n", "window", "tooltiplight", "255 255 0"},
        {"Key = 1\r\n[S]\r\nOther = 2\r\n", "S", "Key", ""},                // before any section
        {"[S]\r\n[T]\r\nKey = 1\r\n", "S", "Key", ""},                       // after the next section
        {"[S]\r\nKey = 1\r\n[T]\r\nKey = 2\r\n", "T", "key", "2"},
        {"[S]\r\nKey = 1\r\n[S]\r\nKey = 2\r\n", "S", "Other", ""},       // the search ends at the next section
        {"[S]\r\nKey = 1", "S", "Key", "1"},                                    // a last line without a line end
        {"[S]\nKey = 1\n[T]\nKey = 2\n", "T", "Key", "2"},                    // LF alone ends a line
        {"[S]\n\nKey = 1\r\n", "S", "Key", "1"},
        {"[S]\r\n  ; Key = 1\r\nKey=2 ; note\r\n", "S", "KEY", "2"},          // comments
        {"[s]\r\n= 5\r\nkey = a b \r\n", "S", "", ""},                         // "=" first is no key line
        {"[s]\r\nkey = a b \r\n", "S", "KEY", "A B"},                          // trimmed, upper case
        {"[S]\rKey = 1\r", "S", "Key", "1"},                                    // CR alone ends a line
        {"[S]\r\n\tKey\t= 3\r\n", "S", "Key", "3"},
        {"", "S", "Key", ""},
    };
    for (const Case& c : cases) {
        const std::string text = c.text;
        EXPECT_STREQ(c.expected, KitFindIniValue(text.data(), text.data() + text.size(), c.section, c.key))
            << c.text;
    }
}

// Every truncation and a sweep of byte changes of a description: the reader
// never reads past the end nor crashes.
TEST(KitIniText, DamagedTextsAreReadSafely)
{
    const std::string good =
        "; theme\r\n[Window]\r\nTooltipLight = 255 255 0\r\n[Global]\r\nPremultiplyImages = 1\r\n[Images]\r\nA = B\r\n";
    const char replacements[] = {'\r', '\n', '[', ']', '=', ';', ' ', '\0', static_cast<char>(0xFF)};
    int found = 0;
    for (size_t length = 0; length <= good.size(); ++length) {
        // A copy of exactly the length, so that reading past it would be caught by the allocator's guard.
        std::string text = good.substr(0, length);
        std::unique_ptr<char[]> bytes(new char[length + 1]);
        std::copy(text.begin(), text.end(), bytes.get());
        found += !KitFindIniValue(bytes.get(), bytes.get() + length, "Window", "TooltipLight").IsEmpty();
    }
    EXPECT_GT(found, 0);
    for (size_t at = 0; at < good.size(); ++at) {
        for (char replacement : replacements) {
            std::string text = good;
            text[at] = replacement;
            KitFindIniValue(text.data(), text.data() + text.size(), "Global", "PremultiplyImages");
            KitFindIniValue(text.data(), text.data() + text.size(), "Images", "A");
        }
    }
}

// A sink that counts the events it receives.
class CountingSink : public CKitNotificationSinkMT {
public:
    void OnEvent(UINT nEvent, WPARAM, LPARAM, DWORD) override
    {
        if (nEvent == CKitNotificationSourceMT::kEventResourcesReloaded)
            ++count;
    }
    int count = 0;
};

// The theme module the project builds for these tests.
class KitThemeModule : public ::testing::Test {
protected:
    KitThemeModule()
    {
        module = ::LoadLibraryA("kit_theme_module.dll");
        images = CKitResourceImages::Instance();
        images->SetHandle(module, "Theme.Ini");
    }
    ~KitThemeModule() override
    {
        images->SetHandle(nullptr);
        if (module != nullptr)
            ::FreeLibrary(module);
    }

    HMODULE module = nullptr;
    CKitResourceImages* images = nullptr;
};

TEST_F(KitThemeModule, TypedValuesComeFromTheDescription)
{
    ASSERT_NE(nullptr, module);
    ASSERT_TRUE(images->IsValid());
    EXPECT_EQ(0x00FFFFu, images->GetImageColor("window", "tooltiplight", static_cast<COLORREF>(-1)));
    EXPECT_EQ(RGB(255, 220, 120), images->GetImageColor("Window", "TooltipDark", 0));
    EXPECT_EQ(RGB(9, 9, 9), images->GetImageColor("Window", "Orphan", RGB(9, 9, 9)));
    EXPECT_EQ(CRect(1, 2, 3, 4), images->GetImageRect("Window", "Margins"));
    EXPECT_EQ(12, images->GetImageInt("Window", "Count", -1));
    EXPECT_EQ(-1, images->GetImageInt("Window", "Missing", -1));
}

TEST_F(KitThemeModule, ImagesLoadByTheirResourceNamesAndArePremultipliedWhenTheThemeSaysSo)
{
    ASSERT_TRUE(images->IsValid());
    // "a.b" has no entry in [Images]: the resource "a_b"; names in the map compare exactly.
    CKitResourceImage* dotted = images->LoadImage("a.b");
    ASSERT_NE(nullptr, dotted);
    EXPECT_EQ(CSize(2, 2), dotted->GetExtent());
    EXPECT_EQ(dotted, images->LoadImage("a.b"));
    EXPECT_NE(dotted, images->LoadImage("A.B"));
    EXPECT_NE(nullptr, images->LoadImage("a\\b"));

    // "States" maps to "Theme.States": three state rows in their own colours.
    CKitResourceImage* states = images->LoadImage("States");
    ASSERT_NE(nullptr, states);
    EXPECT_EQ(CRect(0, 4, 4, 8), states->GetSource(1, 3));
    const COLORREF rows[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
    for (int row = 0; row < 3; ++row) {
        Canvas canvas(8, 8);
        states->DrawImageWithoutMargins(&canvas.dc, CRect(0, 0, 8, 8), states->GetSource(row, 3));
        EXPECT_EQ(rows[row], canvas.Pixel(4, 4)) << row;
    }

    // "PremultiplyImages = 1": colour bytes multiplied by alpha 128 when loaded.
    CKitResourceImage* alpha = images->LoadImage("Alpha");
    ASSERT_NE(nullptr, alpha);
    EXPECT_TRUE(alpha->IsAlpha());
    EXPECT_TRUE(alpha->IsPremultiplied());
    Canvas canvas(2, 2, RGB(0, 0, 0));
    alpha->DrawImageWithoutMargins(&canvas.dc, CRect(0, 0, 2, 2), alpha->GetSource());
    EXPECT_EQ(RGB(100, 50, 25), canvas.Pixel(1, 1));
}

TEST_F(KitThemeModule, ReloadingTheDescriptionNotifiesTheConnection)
{
    CountingSink sink;
    const DWORD_PTR cookie = images->GetConnection()->Subscribe(CKitNotificationSourceMT::kEventResourcesReloaded, &sink);
    EXPECT_TRUE(images->LoadIni());
    EXPECT_EQ(1, sink.count);
    images->SetHandle(nullptr);
    EXPECT_EQ(2, sink.count);
    images->GetConnection()->Unsubscribe(cookie);
}

} // namespace
