// The image manager: lookups by width, cutting strips, id lists, shared strips, icon files and resources.
#include "toolkit/common/image_manager.h"

#include "image_test_support.h"
#include "images_test_ids.h"
#include "png_encoder.h"
#include "support/canvas.h"
#include "support/largest_allocation.h"
#include "support/paths.h"
#include "support/temp_folder.h"
#include "toolkit/common/button.h"
#include "toolkit/common/image_pixels.h"
#include "toolkit/common/toolkit_ids.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kPaper = RGB(1, 2, 3);

// A 32-bit bitmap whose pixel (x, y) is pixel(x, y) (0xAARRGGBB).
HBITMAP MakeBitmap(int width, int height, const std::function<DWORD(int, int)>& pixel)
{
    std::vector<DWORD> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(pixel(x, y));
    return CKitImageManager::Create32BitBitmap(pixels.data(), CSize(width, height));
}

// A strip of opaque images, image n in colors[n].
HBITMAP MakeAlphaStrip(int width, int height, const std::vector<COLORREF>& colors)
{
    const int each = width / static_cast<int>(colors.size());
    return MakeBitmap(width, height, [&](int x, int) {
        const size_t n = std::min<size_t>(static_cast<size_t>(x / each), colors.size() - 1);
        return KitPixels::FromColorRef(colors[n], 255);
    });
}

// The colour the id's icon draws at (x, y) of a 16 x 16 image.
COLORREF DrawnColor(CKitImageManager& manager, UINT id, int x = 8, int y = 8)
{
    CKitImageManagerIcon* icon = manager.GetImage(id, 16);
    if (icon == nullptr)
        return CLR_INVALID;
    Canvas canvas(16, 16, kPaper);
    icon->DrawAtPoint(&canvas.dc, CPoint(0, 0));
    return canvas.Pixel(x, y);
}

TEST(KitImageManager, LookupTakesTheNearestWidthAndWidthZeroAndOneTakeTheNarrowestAndWidest)
{
    CKitImageManager manager;
    HICON small = MakeSolidIcon(16, 16, RGB(255, 0, 0));
    HICON large = MakeSolidIcon(32, 32, RGB(0, 0, 255));
    ASSERT_TRUE(manager.SetIcon(CKitImageManagerIconHandle(small), 100));
    ASSERT_TRUE(manager.SetIcon(CKitImageManagerIconHandle(large), 100));
    ::DestroyIcon(small);
    ::DestroyIcon(large);

    ASSERT_NE(nullptr, manager.GetImage(100, 20));
    EXPECT_EQ(16, manager.GetImage(100, 20)->GetWidth());
    EXPECT_FALSE(manager.IsImageDefined(100, 20));
    EXPECT_TRUE(manager.IsImageDefined(100, 16));
    EXPECT_TRUE(manager.IsImageDefined(100, 0));
    EXPECT_EQ(16, manager.GetImage(100, 0)->GetWidth());
    EXPECT_EQ(32, manager.GetImage(100, 1)->GetWidth());
    EXPECT_EQ(32, manager.GetImage(100, 30)->GetWidth());
    EXPECT_EQ(nullptr, manager.GetImage(101, 16));

    // Another state needs the id's set; an empty image is refused.
    HICON hot = MakeSolidIcon(16, 16, RGB(0, 255, 0));
    EXPECT_FALSE(manager.SetIcon(CKitImageManagerIconHandle(hot), 102, CSize(0, 0), CKitImageManagerIcon::kStateHot));
    EXPECT_TRUE(manager.SetIcon(CKitImageManagerIconHandle(hot), 100, CSize(0, 0), CKitImageManagerIcon::kStateHot));
    ::DestroyIcon(hot);
    EXPECT_FALSE(manager.SetIcon(CKitImageManagerIconHandle(), 103));
}

TEST(KitImageManager, AlphaStripsMustDivideIntoWholeImagesAndPlaceholdersTakeNoImage)
{
    CKitImageManager manager;
    HBITMAP uneven = MakeAlphaStrip(40, 16, {RGB(255, 0, 0), RGB(0, 255, 0)});
    EXPECT_FALSE(manager.SetIconsFromBitmap(uneven, nullptr, 0, CSize(16, 16), 0, TRUE));
    ::DeleteObject(uneven);
    EXPECT_EQ(0, manager.GetIconSetCount());

    HBITMAP strip = MakeAlphaStrip(48, 16, {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)});
    const UINT ids[] = {1, 0, 2, CKitImageManager::kPlaceholderId, 3, 4};
    ASSERT_TRUE(manager.SetIconsFromBitmap(strip, ids, 6, CSize(16, 16), 0, TRUE));
    EXPECT_EQ(RGB(255, 0, 0), DrawnColor(manager, 1));
    EXPECT_EQ(RGB(0, 255, 0), DrawnColor(manager, 2));
    EXPECT_EQ(RGB(0, 0, 255), DrawnColor(manager, 3));
    EXPECT_EQ(nullptr, manager.GetImage(4, 16));
    EXPECT_EQ(nullptr, manager.GetImage(0, 16));
    EXPECT_TRUE(manager.GetImage(1, 16)->IsAlpha());

    // Without an id list image n gets id n; a list as long as the images pairs them in order.
    CKitImageManager plain;
    ASSERT_TRUE(plain.SetIconsFromBitmap(strip, nullptr, 3, CSize(0, 0), 0, TRUE));
    EXPECT_EQ(RGB(0, 0, 255), DrawnColor(plain, 2));
    ::DeleteObject(strip);
}

TEST(KitImageManager, TwentyFourBitStripsTakeTheMaskColourOrTheTopLeftPixelAsTransparent)
{
    CKitImageManager manager;
    const UINT ids[] = {10, 11, 12};
    ASSERT_TRUE(manager.SetIconsFromResource(IDB_STRIP24, ids, 3, CSize(16, 16), 0));
    EXPECT_EQ(kPaper, DrawnColor(manager, 10, 0, 0));  // magenta, the top-left pixel
    EXPECT_EQ(RGB(255, 0, 0), DrawnColor(manager, 10, 6, 6));
    EXPECT_EQ(RGB(0, 0, 255), DrawnColor(manager, 12, 6, 6));
    EXPECT_FALSE(manager.GetImage(10, 16)->IsAlpha());

    // With a mask colour of its own the manager keys on that colour instead.
    CKitImageManager keyed;
    EXPECT_EQ(static_cast<COLORREF>(-1), keyed.SetMaskColor(RGB(255, 0, 0)));
    ASSERT_TRUE(keyed.SetIconsFromResource(IDB_STRIP24, ids, 3, CSize(16, 16), 0));
    EXPECT_EQ(RGB(255, 0, 255), DrawnColor(keyed, 10, 0, 0));
    EXPECT_EQ(kPaper, DrawnColor(keyed, 10, 6, 6));
}

TEST(KitImageManager, ToolBarResourcesDropSeparatorsAndPngResourcesKeepAlpha)
{
    CKitImageManager manager;
    ASSERT_TRUE(manager.SetIconsFromToolBar(IDR_TEST_TOOLBAR));
    EXPECT_EQ(3, manager.GetIconSetCount());
    EXPECT_EQ(RGB(0, 255, 0), DrawnColor(manager, ID_TEST_SECOND, 8, 8));
    EXPECT_EQ(RGB(0, 0, 255), DrawnColor(manager, ID_TEST_THIRD, 8, 8));
    EXPECT_EQ(15, manager.GetImage(ID_TEST_FIRST, 16)->GetHeight());

    const UINT ids[] = {20, 21};
    ASSERT_TRUE(manager.SetIconsFromResource(IDR_ALPHA_STRIP_PNG, ids, 2, CSize(16, 16), 0));
    EXPECT_TRUE(manager.GetImage(20, 16)->IsAlpha());
    // Half-transparent red over the paper.
    EXPECT_TRUE(NearColor(RGB(128, 1, 1), DrawnColor(manager, 20), 2)) << std::hex << DrawnColor(manager, 20);
    EXPECT_EQ(RGB(0, 0, 255), DrawnColor(manager, 21));
}

TEST(KitImageManager, ImagesOfOneSizeShareAStripThatGoesWithItsLastSlot)
{
    CKitImageManager manager;
    HICON red = MakeSolidIcon(16, 16, RGB(255, 0, 0));
    HICON green = MakeSolidIcon(16, 16, RGB(0, 255, 0));
    ASSERT_TRUE(manager.SetIcon(CKitImageManagerIconHandle(red), 1));
    ASSERT_TRUE(manager.SetIcon(CKitImageManagerIconHandle(green), 2));
    CKitImageManagerResource* strip = manager.FindResource(CSize(16, 16));
    ASSERT_NE(nullptr, strip);
    EXPECT_EQ(32, strip->GetStripWidth());
    EXPECT_EQ(2, strip->GetUsedCount());
    EXPECT_NE(nullptr, strip->GetStripBitmap());
    EXPECT_TRUE(manager.GetImage(1, 16)->GetNormalIcon().IsSlot());
    EXPECT_EQ(RGB(0, 255, 0), DrawnColor(manager, 2));

    // A freed slot is reused before the strip grows.
    manager.RemoveIcon(1);
    EXPECT_EQ(32, strip->GetStripWidth());
    ASSERT_TRUE(manager.SetIcon(CKitImageManagerIconHandle(red), 3));
    EXPECT_EQ(32, strip->GetStripWidth());
    EXPECT_EQ(RGB(255, 0, 0), DrawnColor(manager, 3));

    // Freeing every slot deletes both strip bitmaps; the next image starts a new strip.
    manager.RemoveAll();
    EXPECT_EQ(nullptr, strip->GetStripBitmap());
    EXPECT_EQ(nullptr, strip->GetMaskBitmap());
    EXPECT_EQ(0, strip->GetStripWidth());
    ASSERT_TRUE(manager.SetIcon(CKitImageManagerIconHandle(green), 4));
    EXPECT_EQ(16, strip->GetStripWidth());
    EXPECT_EQ(RGB(0, 255, 0), DrawnColor(manager, 4));

    // Without shared strips each image keeps handles of its own.
    manager.SetUseResources(FALSE);
    ASSERT_TRUE(manager.SetIcon(CKitImageManagerIconHandle(red), 5));
    EXPECT_FALSE(manager.GetImage(5, 16)->GetNormalIcon().IsSlot());
    EXPECT_EQ(RGB(255, 0, 0), DrawnColor(manager, 5));
    ::DestroyIcon(red);
    ::DestroyIcon(green);
}

// Loads the manager from an archive form.
void LoadManager(CKitImageManager& manager, std::vector<BYTE> bytes)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    manager.Serialize(ar);
}

// The colour an icon's normal image draws at the middle of a 16 x 16 canvas.
COLORREF DrawnNormalColor(CKitImageManagerIcon& icon)
{
    Canvas canvas(16, 16, kPaper);
    icon.DrawAtPoint(&canvas.dc, CPoint(0, 0));
    return canvas.Pixel(8, 8);
}

// An icon of no icon set keeps its images in a manager's strips: loading that manager
// from an archive, or destroying it, lets its strips go while the icon still uses a slot.
// The icon keeps drawing its own pixels (not freed memory, nor the images loaded since),
// and letting it go afterwards is clean.
TEST(KitImageManager, IconsOutsideIconSetsOutliveTheirManagersStrips)
{
    // The stored form of a manager with a blue icon of the same size, loaded over the red one's strip.
    CKitImageManager blueSource;
    HICON blue = MakeSolidIcon(16, 16, RGB(0, 0, 255));
    ASSERT_TRUE(blueSource.SetIcon(CKitImageManagerIconHandle(blue), 9001));
    ::DestroyIcon(blue);
    const std::vector<BYTE> blueStored = StoreObject(blueSource);

    // A button's SetIcon: the icon has no set, its image goes into the process-wide manager's strip.
    CKitImageManager* shared = CKitImageManager::Instance();
    const std::vector<BYTE> sharedBefore = StoreObject(*shared);
    HICON red = MakeSolidIcon(16, 16, RGB(255, 0, 0));
    {
        CKitButton button;
        ASSERT_TRUE(button.SetIcon(CSize(0, 0), red, nullptr, FALSE));
        CKitImageManagerIcon* icon = button.GetIcon();
        ASSERT_NE(nullptr, icon);
        ASSERT_TRUE(icon->GetNormalIcon().IsSlot());
        ASSERT_GT(shared->FindResource(CSize(16, 16))->GetUsedCount(), 0);

        LoadManager(*shared, blueStored);
        ASSERT_TRUE(shared->IsImageDefined(9001, 16));
        EXPECT_EQ(RGB(255, 0, 0), DrawnNormalColor(*icon));
        EXPECT_EQ(RGB(0, 0, 255), DrawnColor(*shared, 9001));
        // Made images come from the slot too.
        EXPECT_FALSE(icon->GetDisabledIcon(TRUE).IsEmpty());
    }
    LoadManager(*shared, sharedBefore);

    // A private manager destroyed while an icon of no set holds a slot of its strip.
    auto* owner = new CKitImageManager;
    CKitImageManagerIconHandle image(red);
    image.SetImageManager(owner);
    auto* icon = new CKitImageManagerIcon(0, 16, 16);
    icon->SetNormalIcon(image);
    ASSERT_TRUE(icon->GetNormalIcon().IsSlot());
    ASSERT_NE(nullptr, owner->FindResource(CSize(16, 16)));
    owner->InternalRelease();
    EXPECT_EQ(RGB(255, 0, 0), DrawnNormalColor(*icon));
    icon->InternalRelease();
    ::DestroyIcon(red);
}

TEST(KitImageManager, IconFilesLoadOnlyTheRequestedSize)
{
    CKitImageManager manager;
    const CString path = SourcePath("tests/toolkit/common/fixtures/sizes_16_32_48.ico");
    ASSERT_TRUE(manager.SetIconFromFile(path, 7, CSize(32, 32)));
    EXPECT_TRUE(manager.IsImageDefined(7, 32));
    EXPECT_FALSE(manager.IsImageDefined(7, 16));
    EXPECT_FALSE(manager.IsImageDefined(7, 48));
    // The image's left stripe is blue, the rest red.
    CKitImageManagerIcon* icon = manager.GetImage(7, 32);
    Canvas canvas(32, 32, kPaper);
    icon->DrawAtPoint(&canvas.dc, CPoint(0, 0));
    EXPECT_EQ(RGB(20, 20, 220), canvas.Pixel(1, 10));
    EXPECT_EQ(RGB(200, 30, 30), canvas.Pixel(25, 10));

    EXPECT_FALSE(manager.SetIconFromFile(path, 8, CSize(24, 24)));
    EXPECT_FALSE(manager.SetIconFromFile(SourcePath("tests/toolkit/common/fixtures/missing.ico"), 8, CSize(0, 0)));
    ASSERT_TRUE(manager.SetIconFromFile(path, 9, CSize(0, 0)));
    EXPECT_TRUE(manager.IsImageDefined(9, 16));
    EXPECT_TRUE(manager.IsImageDefined(9, 48));

    // The same icon as a program resource: the group's entry of that size.
    ASSERT_TRUE(manager.SetIconFromResource(MAKEINTRESOURCEA(IDI_SIZES), 11, CSize(16, 16)));
    EXPECT_TRUE(manager.IsImageDefined(11, 16));
    EXPECT_FALSE(manager.IsImageDefined(11, 32));
}

// The images of an icon or cursor file, in its order, as a resource holds them (a cursor's after its hot spot).
std::vector<std::string> PictureFileImages(const std::string& bytes)
{
    std::vector<std::string> images;
    WORD kind = 0;
    WORD count = 0;
    std::memcpy(&kind, bytes.data() + 2, sizeof kind);
    std::memcpy(&count, bytes.data() + 4, sizeof count);
    for (WORD index = 0; index < count; ++index) {
        const char* entry = bytes.data() + 6 + 16 * index;
        DWORD size = 0;
        DWORD offset = 0;
        std::memcpy(&size, entry + 8, sizeof size);
        std::memcpy(&offset, entry + 12, sizeof offset);
        const std::string hotSpot = kind == 2 ? std::string(entry + 4, 4) : std::string();
        images.push_back(hotSpot + bytes.substr(offset, size));
    }
    return images;
}

// The images that this program's icon or cursor group refers to, in its order.
std::vector<std::string> ResourcePictureImages(int groupId, bool cursor)
{
    std::vector<std::string> images;
    HMODULE module = ::GetModuleHandleA(nullptr);
    HRSRC group = ::FindResourceA(module, MAKEINTRESOURCEA(groupId), cursor ? RT_GROUP_CURSOR : RT_GROUP_ICON);
    if (group == nullptr)
        return images;
    const auto* directory = static_cast<const BYTE*>(::LockResource(::LoadResource(module, group)));
    WORD count = 0;
    std::memcpy(&count, directory + 4, sizeof count);
    for (WORD index = 0; index < count; ++index) {
        WORD imageId = 0;
        std::memcpy(&imageId, directory + 6 + 14 * index + 12, sizeof imageId);
        HRSRC image = ::FindResourceA(module, MAKEINTRESOURCEA(imageId), cursor ? RT_CURSOR : RT_ICON);
        if (image == nullptr)
            images.emplace_back();
        else
            images.emplace_back(static_cast<const char*>(::LockResource(::LoadResource(module, image))),
                                ::SizeofResource(module, image));
    }
    return images;
}

// The toolkit's pictures and the program's own are linked into one program: each group still shows its own
// images (icon and cursor statements of two resource scripts would both number their images from 1).
TEST(KitImageManager, ToolkitAndProgramPicturesKeepTheirOwnImages)
{
    const struct {
        int id;
        bool cursor;
        const char* file;
    } pictures[] = {{IDI_SIZES, false, "tests/toolkit/common/fixtures/sizes_16_32_48.ico"},
                    {IDI_KIT_EYEDROPPER, false, "toolkit/common/res/icon_9312.ico"},
                    {IDC_KIT_CURSOR_9308, true, "toolkit/common/res/cursor_9308.cur"},
                    {IDC_KIT_EYEDROPPER, true, "toolkit/common/res/cursor_9311.cur"},
                    {IDC_KIT_HAND, true, "toolkit/common/res/cursor_9973.cur"}};
    for (const auto& picture : pictures) {
        const std::vector<std::string> expected = PictureFileImages(ReadBinaryFile(SourcePath(picture.file)));
        ASSERT_FALSE(expected.empty()) << picture.file;
        EXPECT_EQ(expected, ResourcePictureImages(picture.id, picture.cursor)) << picture.file;
    }
    // The hand cursor keeps its hot spot.
    HCURSOR hand = ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_KIT_HAND));
    ASSERT_NE(nullptr, hand);
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(hand, &info));
    const std::string file = ReadBinaryFile(SourcePath("toolkit/common/res/cursor_9973.cur"));
    WORD hotX = 0;
    WORD hotY = 0;
    std::memcpy(&hotX, file.data() + 6 + 4, sizeof hotX);
    std::memcpy(&hotY, file.data() + 6 + 6, sizeof hotY);
    EXPECT_EQ(hotX, info.xHotspot);
    EXPECT_EQ(hotY, info.yHotspot);
    ::DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr)
        ::DeleteObject(info.hbmColor);
}

// An entry whose data size does not cover its header and pixels is skipped; the others still load.
TEST(KitImageManager, TruncatedIconFileEntriesAreSkipped)
{
    std::string bytes = ReadBinaryFile(SourcePath("tests/toolkit/common/fixtures/sizes_16_32_48.ico"));
    ASSERT_GT(bytes.size(), 6u + 3 * 16);
    // Entry 1 (32 x 32) claims only 100 bytes.
    bytes[6 + 16 + 8] = 100;
    bytes[6 + 16 + 9] = 0;
    bytes[6 + 16 + 10] = 0;
    bytes[6 + 16 + 11] = 0;
    CKitImageManager manager;
    const auto* data = reinterpret_cast<const BYTE*>(bytes.data());
    EXPECT_FALSE(manager.SetIconFromIconFileData(data, bytes.size(), 1, CSize(32, 32)));
    EXPECT_TRUE(manager.SetIconFromIconFileData(data, bytes.size(), 1, CSize(0, 0)));
    EXPECT_TRUE(manager.IsImageDefined(1, 16));
    EXPECT_TRUE(manager.IsImageDefined(1, 48));
    EXPECT_FALSE(manager.IsImageDefined(1, 32));

    // Bad headers.
    std::string wrongType = ReadBinaryFile(SourcePath("tests/toolkit/common/fixtures/sizes_16_32_48.ico"));
    wrongType[2] = 2;
    EXPECT_FALSE(manager.SetIconFromIconFileData(reinterpret_cast<const BYTE*>(wrongType.data()), wrongType.size(), 2,
                                                 CSize(0, 0)));
    EXPECT_FALSE(manager.SetIconFromIconFileData(data, 5, 2, CSize(0, 0)));
}

// Mutated and truncated icon files: no crash and no allocation beyond the images they can hold.
TEST(KitImageManager, MutatedIconFilesNeverCrashOrAllocateHugely)
{
    const std::string good = ReadBinaryFile(SourcePath("tests/toolkit/common/fixtures/sizes_16_32_48.ico"));
    ASSERT_FALSE(good.empty());
    LargestAllocation largest;
    uint32_t seed = 0x9E3779B9;
    for (int round = 0; round < 600; ++round) {
        std::string damaged = good;
        if (round % 5 == 0) {
            seed = seed * 1664525u + 1013904223u;
            damaged.resize(seed % good.size());
        }
        for (int i = 0; i < 1 + round % 6; ++i) {
            seed = seed * 1664525u + 1013904223u;
            // Mostly the header and directory, where the sizes and offsets are.
            const size_t at = (round % 2 == 0 ? seed % 60 : seed % good.size()) % std::max<size_t>(damaged.size(), 1);
            if (!damaged.empty())
                damaged[at] = static_cast<char>(seed >> 24);
        }
        CKitImageManager manager;
        manager.SetIconFromIconFileData(reinterpret_cast<const BYTE*>(damaged.data()), damaged.size(), 1, CSize(0, 0));
    }
    EXPECT_LT(largest.Bytes(), 8u * 1024u * 1024u);
}

TEST(KitImageManager, ImageListsStandForARangeOfIds)
{
    CKitImageManager manager;
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 0);
    HICON red = MakeSolidIcon(16, 16, RGB(255, 0, 0));
    HICON blue = MakeSolidIcon(16, 16, RGB(0, 0, 255));
    ImageList_AddIcon(list, red);
    ImageList_AddIcon(list, blue);
    ::DestroyIcon(red);
    ::DestroyIcon(blue);
    ASSERT_TRUE(manager.SetImageList(list, 500, TRUE));
    EXPECT_TRUE(manager.IsImageDefined(501, 0));
    EXPECT_TRUE(manager.IsImageDefined(501, 16));
    EXPECT_FALSE(manager.IsImageDefined(501, 24));
    EXPECT_FALSE(manager.IsImageDefined(502, 0));
    ASSERT_NE(nullptr, manager.GetImage(501, 16));
    EXPECT_EQ(manager.GetImage(501, 16), manager.GetImage(501, 32));
    EXPECT_EQ(RGB(0, 0, 255), DrawnColor(manager, 501));

    // An icon made for the list and held elsewhere is unlinked when the list goes: it draws nothing.
    CKitImageManagerIcon* held = manager.GetImage(500, 16);
    held->InternalAddRef();
    manager.RemoveAll();
    EXPECT_EQ(nullptr, manager.GetImage(500, 16));
    Canvas canvas(16, 16, kPaper);
    held->DrawAtPoint(&canvas.dc, CPoint(0, 0));
    EXPECT_EQ(kPaper, canvas.Pixel(8, 8));
    held->InternalRelease();
}

// A new look drops what was made from the images (here a disabled image in two colours,
// which is not made again while one exists) and the icons made from image lists; the icon
// sets, their own images and the lists stay. RemoveAll drops everything.
TEST(KitImageManager, RemovingDerivedImagesKeepsTheIconsAndRemoveAllDropsThem)
{
    CKitImageManager manager;
    HICON grey = MakeSolidIcon(16, 16, RGB(128, 128, 128));
    HICON green = MakeSolidIcon(16, 16, RGB(0, 255, 0));
    ASSERT_TRUE(manager.SetIcon(CKitImageManagerIconHandle(grey), 1));
    ASSERT_TRUE(manager.SetIcon(CKitImageManagerIconHandle(grey), 2));
    ASSERT_TRUE(manager.SetIcon(CKitImageManagerIconHandle(green), 2, CSize(0, 0), CKitImageManagerIcon::kStateDisabled));
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 0);
    ImageList_AddIcon(list, green);
    ::DestroyIcon(grey);
    ::DestroyIcon(green);
    ASSERT_TRUE(manager.SetImageList(list, 500, TRUE));

    CKitImageManagerIcon* icon = manager.GetImage(1, 16);
    auto disabledColor = [&] {
        Canvas canvas(16, 16, kPaper);
        icon->Draw(&canvas.dc, CPoint(0, 0), icon->GetDisabledIcon(FALSE));
        return canvas.Pixel(8, 8);
    };
    icon->CreateDisabledIcon(RGB(255, 255, 255), RGB(0, 0, 0));
    const COLORREF oldLook = disabledColor();
    icon->CreateDisabledIcon(RGB(255, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(oldLook, disabledColor());
    CKitImageManagerIcon* listIcon = manager.GetImage(500, 16);
    listIcon->InternalAddRef();

    manager.RemoveDerivedImages();
    EXPECT_EQ(icon, manager.GetImage(1, 16));
    EXPECT_FALSE(icon->HasDisabledIcon());
    icon->CreateDisabledIcon(RGB(255, 0, 0), RGB(0, 0, 255));
    EXPECT_NE(oldLook, disabledColor());
    EXPECT_TRUE(manager.GetImage(2, 16)->HasDisabledIcon());
    EXPECT_EQ(RGB(0, 255, 0), DrawnColor(manager, 500));
    Canvas canvas(16, 16, kPaper);
    listIcon->DrawAtPoint(&canvas.dc, CPoint(0, 0));
    EXPECT_EQ(kPaper, canvas.Pixel(8, 8));
    listIcon->InternalRelease();

    manager.RemoveAll();
    EXPECT_EQ(0, manager.GetIconSetCount());
    EXPECT_EQ(nullptr, manager.GetImage(1, 16));
    EXPECT_EQ(nullptr, manager.GetImage(500, 16));
}

TEST(KitImageManager, FilesLoadPngByTheirSignatureAndBitmapsOtherwise)
{
    TempFolder folder;
    PngPicture picture;
    picture.width = 2;
    picture.height = 1;
    picture.samples = {255, 0, 0, 255, 0, 0, 255, 64};
    WriteBinaryFile(folder.File("image.bin"), EncodePng(picture));
    BOOL alpha = FALSE;
    HBITMAP bitmap = CKitImageManagerIcon::LoadBitmapFromFile(folder.File("image.bin"), &alpha);
    ASSERT_NE(nullptr, bitmap);
    EXPECT_TRUE(alpha);
    ::DeleteObject(bitmap);

    bitmap = CKitImageManagerIcon::LoadBitmapFromFile(SourcePath("tests/toolkit/common/fixtures/strip24.bmp"), &alpha);
    ASSERT_NE(nullptr, bitmap);
    EXPECT_FALSE(alpha);
    ::DeleteObject(bitmap);
    EXPECT_FALSE(CKitImageManager::IsPngBitmapFile(SourcePath("tests/toolkit/common/fixtures/strip24.bmp")));
    EXPECT_TRUE(CKitImageManager::IsPngBitmapFile(folder.File("image.bin")));
}

} // namespace
