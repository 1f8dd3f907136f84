// Image manager icons: state fallbacks, premultiplying, made images, mirrored drawing, and the stored forms.
#include "toolkit/common/image_manager.h"

#include "framework/archive.h"
#include "framework/file.h"
#include "image_test_support.h"
#include "support/canvas.h"
#include "support/largest_allocation.h"
#include "toolkit/common/image_pixels.h"
#include "toolkit/common/prop_exchange.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kPaper = RGB(1, 2, 3);

// A 16 x 16 image, one colour and alpha all over.
HBITMAP MakeAlphaImage(COLORREF color, BYTE alpha)
{
    const std::vector<DWORD> pixels(256, KitPixels::FromColorRef(color, alpha));
    return CKitImageManager::Create32BitBitmap(pixels.data(), CSize(16, 16));
}

// Sets the image for the state of id and releases the caller's handle.
void SetIcon(CKitImageManager& manager, UINT id, HICON icon, int state)
{
    ASSERT_TRUE(manager.SetIcon(CKitImageManagerIconHandle(icon), id, CSize(0, 0), state));
    ::DestroyIcon(icon);
}

COLORREF DrawnColor(CKitImageManagerIcon* icon, const CKitImageManagerIconHandle& image, int x = 8, int y = 8)
{
    Canvas canvas(16, 16, kPaper);
    icon->Draw(&canvas.dc, CPoint(0, 0), image);
    return canvas.Pixel(x, y);
}

// The 32-bit pixel at (x, y) of an image, as stored.
DWORD StoredPixel(const CKitImageManagerIconHandle& image, int x, int y)
{
    HBITMAP copy = image.CopyAlphaBitmapOut();
    CSize size;
    const std::vector<DWORD> pixels = CKitImageManager::Read32BitPixels(copy, size);
    ::DeleteObject(copy);
    return pixels.empty() ? 0 : pixels[static_cast<size_t>(y * size.cx + x)];
}

TEST(KitImageIcon, HotFallsBackToNormalAndCheckedAndPressedToHot)
{
    CKitImageManager manager;
    SetIcon(manager, 1, MakeSolidIcon(16, 16, RGB(255, 0, 0)), CKitImageManagerIcon::kStateNormal);
    CKitImageManagerIcon* icon = manager.GetImage(1, 16);
    ASSERT_NE(nullptr, icon);
    EXPECT_EQ(RGB(255, 0, 0), DrawnColor(icon, icon->GetHotIcon()));
    EXPECT_EQ(RGB(255, 0, 0), DrawnColor(icon, icon->GetCheckedIcon()));
    EXPECT_EQ(RGB(255, 0, 0), DrawnColor(icon, icon->GetPressedIcon()));

    SetIcon(manager, 1, MakeSolidIcon(16, 16, RGB(0, 255, 0)), CKitImageManagerIcon::kStateHot);
    EXPECT_EQ(RGB(0, 255, 0), DrawnColor(icon, icon->GetIcon(CKitImageManagerIcon::kStateHot)));
    EXPECT_EQ(RGB(0, 255, 0), DrawnColor(icon, icon->GetIcon(CKitImageManagerIcon::kStateChecked)));
    EXPECT_EQ(RGB(0, 255, 0), DrawnColor(icon, icon->GetIcon(CKitImageManagerIcon::kStatePressed)));

    SetIcon(manager, 1, MakeSolidIcon(16, 16, RGB(0, 0, 255)), CKitImageManagerIcon::kStatePressed);
    EXPECT_EQ(RGB(0, 0, 255), DrawnColor(icon, icon->GetPressedIcon()));
    EXPECT_EQ(RGB(0, 255, 0), DrawnColor(icon, icon->GetCheckedIcon()));

    // A new normal image empties every state image.
    SetIcon(manager, 1, MakeSolidIcon(16, 16, RGB(9, 9, 9)), CKitImageManagerIcon::kStateNormal);
    EXPECT_EQ(RGB(9, 9, 9), DrawnColor(icon, icon->GetPressedIcon()));
}

TEST(KitImageIcon, PremultiplyingScalesEachChannelByAlpha)
{
    HBITMAP source = CKitImageManager::Create32BitBitmap(nullptr, CSize(2, 1));
    const DWORD pixels[2] = {KitPixels::FromColorRef(RGB(200, 100, 50), 128), 0x00FFFFFF};
    ::DeleteObject(source);
    source = CKitImageManager::Create32BitBitmap(pixels, CSize(2, 1));
    BOOL alpha = FALSE;
    HBITMAP premultiplied = CKitImageManager::PreMultiplyAlphaBitmap(source, &alpha);
    CSize size;
    const std::vector<DWORD> result = CKitImageManager::Read32BitPixels(premultiplied, size);
    ASSERT_EQ(2u, result.size());
    EXPECT_EQ(KitPixels::FromColorRef(RGB(100, 50, 25), 128), result[0]);
    EXPECT_EQ(0u, result[1]);
    EXPECT_TRUE(alpha);
    ::DeleteObject(premultiplied);
    ::DeleteObject(source);

    const DWORD clear[1] = {0x00102030};
    source = CKitImageManager::Create32BitBitmap(clear, CSize(1, 1));
    premultiplied = CKitImageManager::PreMultiplyAlphaBitmap(source, &alpha);
    EXPECT_FALSE(alpha);
    ::DeleteObject(premultiplied);
    ::DeleteObject(source);
}

TEST(KitImageIcon, FadedShadowAndDisabledImagesArePixelWork)
{
    CKitImageManager manager;
    HBITMAP image = MakeAlphaImage(RGB(200, 100, 50), 128);
    ASSERT_TRUE(manager.SetIcon(CKitImageManagerIconHandle(image), 1));
    ::DeleteObject(image);
    CKitImageManagerIcon* icon = manager.GetImage(1, 16);

    // Premultiplied (100, 50, 25, 128): each channel 0.7 c + 0.3 a.
    const DWORD faded = StoredPixel(icon->GetFadedIcon(), 3, 3);
    EXPECT_EQ(KitPixels::FromColorRef(RGB(108, 73, 55), 128), faded) << std::hex << faded;

    // The silhouette in the shadow colour, premultiplied with the image's alpha.
    const DWORD shadow = StoredPixel(icon->GetShadowIcon(), 3, 3);
    EXPECT_EQ(128u, shadow >> 24);

    // Grey: luminance of the plain colour, square root, premultiplied again.
    EXPECT_FALSE(icon->HasDisabledIcon());
    const DWORD grey = StoredPixel(icon->GetDisabledIcon(TRUE), 3, 3);
    EXPECT_TRUE(icon->HasDisabledIcon());
    EXPECT_EQ(128u, grey >> 24);
    const int lumGrey = static_cast<int>(std::sqrt((0.299 * 200 + 0.587 * 100 + 0.114 * 50) / 255.0) * 255.0);
    EXPECT_NEAR(lumGrey * 128 / 255, static_cast<int>(grey & 0xFF), 2);

    // Setting the normal image again throws the made images away.
    HBITMAP other = MakeAlphaImage(RGB(0, 0, 0), 255);
    ASSERT_TRUE(manager.SetIcon(CKitImageManagerIconHandle(other), 1));
    ::DeleteObject(other);
    EXPECT_FALSE(icon->HasDisabledIcon());
    EXPECT_EQ(KitPixels::FromColorRef(RGB(76, 76, 76), 255), StoredPixel(icon->GetFadedIcon(), 0, 0));

    // Two-colour disabled images of an icon blend dark to light by luminance.
    SetIcon(manager, 2, MakeSolidIcon(16, 16, RGB(255, 255, 255)), CKitImageManagerIcon::kStateNormal);
    CKitImageManagerIcon* white = manager.GetImage(2, 16);
    white->CreateDisabledIcon(RGB(0, 200, 0), RGB(0, 0, 0));
    EXPECT_EQ(RGB(0, 200, 0), DrawnColor(white, white->GetDisabledIcon(FALSE)));
}

// A mirrored draw on a right-to-left memory DC puts the icon's left column at the right.
TEST(KitImageIcon, MirroredDrawingOnRightToLeftContexts)
{
    CKitImageManager manager;
    // Left column blue, the rest red.
    std::vector<DWORD> colour(256, KitPixels::FromColorRef(RGB(255, 0, 0), 0));
    for (int y = 0; y < 16; ++y)
        colour[static_cast<size_t>(y) * 16] = KitPixels::FromColorRef(RGB(0, 0, 255), 0);
    HICON icon = KitPixels::CreateIconFromPixels(colour, std::vector<BYTE>(256, 0), CSize(16, 16));
    ASSERT_TRUE(manager.SetIcon(CKitImageManagerIconHandle(icon), 1));
    ::DestroyIcon(icon);
    CKitImageManagerIcon* image = manager.GetImage(1, 16);

    Canvas ltr(16, 16, kPaper);
    image->DrawAtPoint(&ltr.dc, CPoint(0, 0));
    EXPECT_EQ(RGB(0, 0, 255), ltr.Pixel(0, 5));
    EXPECT_EQ(RGB(255, 0, 0), ltr.Pixel(15, 5));

    Canvas rtl(16, 16, kPaper);
    ::SetLayout(rtl.dc, LAYOUT_RTL);
    image->DrawAtPoint(&rtl.dc, CPoint(0, 0));
    EXPECT_EQ(RGB(0, 0, 255), rtl.Pixel(15, 5));
    EXPECT_EQ(RGB(255, 0, 0), rtl.Pixel(0, 5));

    // Mirror mode 0 never mirrors: on the right-to-left DC the image keeps its own orientation.
    manager.SetMirrorMode(CKitImageManager::kMirrorNever);
    Canvas plain(16, 16, kPaper);
    ::SetLayout(plain.dc, LAYOUT_RTL);
    image->DrawAtPoint(&plain.dc, CPoint(0, 0));
    EXPECT_EQ(RGB(0, 0, 255), plain.Pixel(0, 5));

    // Mode 1 mirrors on any DC.
    manager.SetMirrorMode(CKitImageManager::kMirrorAlways);
    Canvas always(16, 16, kPaper);
    image->DrawAtPoint(&always.dc, CPoint(0, 0));
    EXPECT_EQ(RGB(0, 0, 255), always.Pixel(15, 5));
}

void LoadIcon(CKitImageManagerIcon& icon, std::vector<BYTE> bytes)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    icon.Serialize(ar);
}

TEST(KitImageIcon, ArchiveFormKeepsFiveImagesAndOldSchemasCarryThree)
{
    CKitImageManager manager;
    SetIcon(manager, 1, MakeSolidIcon(16, 16, RGB(255, 0, 0)), CKitImageManagerIcon::kStateNormal);
    SetIcon(manager, 1, MakeSolidIcon(16, 16, RGB(0, 255, 0)), CKitImageManagerIcon::kStateDisabled);
    SetIcon(manager, 1, MakeSolidIcon(16, 16, RGB(0, 0, 255)), CKitImageManagerIcon::kStateHot);
    HBITMAP checked = MakeAlphaImage(RGB(10, 20, 30), 255);
    ASSERT_TRUE(manager.SetIcon(CKitImageManagerIconHandle(checked), 1, CSize(0, 0), CKitImageManagerIcon::kStateChecked));
    ::DeleteObject(checked);
    SetIcon(manager, 1, MakeSolidIcon(16, 16, RGB(40, 50, 60)), CKitImageManagerIcon::kStatePressed);
    const std::vector<BYTE> stored = StoreObject(*manager.GetImage(1, 16));
    ASSERT_GE(stored.size(), 4u);
    EXPECT_EQ(38, stored[0]);

    CKitImageManager target;
    SetIcon(target, 2, MakeSolidIcon(16, 16, RGB(7, 7, 7)), CKitImageManagerIcon::kStateNormal);
    CKitImageManagerIcon* loaded = target.GetImage(2, 16);
    LoadIcon(*loaded, stored);
    EXPECT_EQ(RGB(255, 0, 0), DrawnColor(loaded, loaded->GetNormalIcon()));
    EXPECT_EQ(RGB(0, 255, 0), DrawnColor(loaded, loaded->GetDisabledIcon(FALSE)));
    EXPECT_EQ(RGB(0, 0, 255), DrawnColor(loaded, loaded->GetHotIcon()));
    EXPECT_EQ(RGB(10, 20, 30), DrawnColor(loaded, loaded->GetCheckedIcon()));
    EXPECT_TRUE(loaded->GetCheckedIcon().IsAlpha());
    EXPECT_EQ(RGB(40, 50, 60), DrawnColor(loaded, loaded->GetPressedIcon()));

    // Schema 7: normal, disabled and hot only; the stream ends after them.
    std::vector<BYTE> old = stored;
    old[0] = 7;
    // Normal, disabled and hot icons are two blocks each; cut after the third image.
    CKitImageManager oldTarget;
    SetIcon(oldTarget, 3, MakeSolidIcon(16, 16, RGB(7, 7, 7)), CKitImageManagerIcon::kStateNormal);
    CKitImageManagerIcon* oldIcon = oldTarget.GetImage(3, 16);
    CMemFile file(old.data(), static_cast<UINT>(old.size()));
    CArchive ar(&file, CArchive::load);
    oldIcon->Serialize(ar);
    EXPECT_EQ(RGB(0, 0, 255), DrawnColor(oldIcon, oldIcon->GetHotIcon()));
    // Checked falls back to hot: nothing else was read.
    EXPECT_EQ(RGB(0, 0, 255), DrawnColor(oldIcon, oldIcon->GetCheckedIcon()));
    EXPECT_GT(ar.GetBytesRemaining(), 0u);
}

TEST(KitImageIcon, ManagersRoundTripAndAForeignCheckTextIsABadClass)
{
    CKitImageManager manager;
    SetIcon(manager, 70000, MakeSolidIcon(16, 16, RGB(255, 0, 0)), CKitImageManagerIcon::kStateNormal);
    SetIcon(manager, 70000, MakeSolidIcon(32, 32, RGB(0, 0, 255)), CKitImageManagerIcon::kStateNormal);
    SetIcon(manager, 5, MakeSolidIcon(16, 16, RGB(0, 255, 0)), CKitImageManagerIcon::kStateNormal);
    const std::vector<BYTE> stored = StoreObject(manager);

    CKitImageManager loaded;
    EXPECT_EQ(CKitImageManager::kInitialHighestId, loaded.GetHighestId());
    {
        std::vector<BYTE> copy = stored;
        CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
        CArchive ar(&file, CArchive::load);
        loaded.Serialize(ar);
    }
    EXPECT_EQ(2, loaded.GetIconSetCount());
    EXPECT_TRUE(loaded.IsImageDefined(70000, 32));
    EXPECT_TRUE(loaded.IsImageDefined(70000, 16));
    EXPECT_TRUE(loaded.IsImageDefined(5, 16));
    EXPECT_EQ(70000u, loaded.GetHighestId());
    EXPECT_EQ(RGB(0, 255, 0), DrawnColor(loaded.GetImage(5, 16), loaded.GetImage(5, 16)->GetNormalIcon()));

    // The check text of a set follows the set's id: change its first letter.
    std::vector<BYTE> foreign = stored;
    const std::string check = "CKitImageManagerIcons";
    auto at = std::search(foreign.begin(), foreign.end(), check.begin(), check.end());
    ASSERT_NE(foreign.end(), at);
    *at = 'X';
    CMemFile file(foreign.data(), static_cast<UINT>(foreign.size()));
    CArchive ar(&file, CArchive::load);
    CKitImageManager refused;
    try {
        refused.Serialize(ar);
        FAIL() << "no exception";
    } catch (CArchiveException* e) {
        EXPECT_EQ(CArchiveException::badClass, e->m_cause);
        e->Delete();
    }
}

// A 16 x 16 icon: the left half red and opaque, the right half transparent; with
// bAlpha an alpha icon whose left half has alpha 128 (colour already premultiplied-free).
HICON MakeHalfIcon(bool bAlpha)
{
    std::vector<DWORD> colour(256, 0);
    std::vector<BYTE> transparent(256, 1);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 8; ++x) {
            colour[static_cast<size_t>(y * 16 + x)] = KitPixels::FromColorRef(RGB(255, 0, 0), bAlpha ? 128 : 0);
            transparent[static_cast<size_t>(y * 16 + x)] = 0;
        }
    }
    return KitPixels::CreateIconFromPixels(colour, transparent, CSize(16, 16), bAlpha);
}

// Icons of another size: the same picture at the new width, the height in proportion,
// alpha kept; the same width a plain copy; nothing for sizes that make no icon.
TEST(KitImageIcon, ScaledIconsKeepTheirPictureAndAlpha)
{
    struct Case {
        bool alpha;
        int newWidth;
        CSize size;
    };
    const Case cases[] = {{false, 32, CSize(32, 32)}, {false, 8, CSize(8, 8)}, {true, 24, CSize(24, 24)},
                          {true, 16, CSize(16, 16)}};
    for (const Case& c : cases) {
        HICON source = MakeHalfIcon(c.alpha);
        HICON scaled = CKitImageManagerIcon::ScaleIcon(source, 16, 16, c.newWidth);
        ASSERT_NE(nullptr, scaled) << c.newWidth;
        EXPECT_NE(source, scaled);
        EXPECT_EQ(c.size, CKitImageManagerIcon::GetIconSize(scaled)) << c.newWidth;
        EXPECT_EQ(c.alpha, CKitImageManagerIcon::IsAlphaIconHandle(scaled) != FALSE) << c.newWidth;
        std::vector<DWORD> colour;
        std::vector<BYTE> transparent;
        CSize size;
        ASSERT_TRUE(KitPixels::ReadIconPixels(scaled, colour, transparent, size));
        const size_t left = static_cast<size_t>(size.cx / 4);
        const size_t right = static_cast<size_t>(size.cx * 3 / 4);
        EXPECT_EQ(0, transparent[left]) << c.newWidth;
        EXPECT_EQ(RGB(255, 0, 0), KitPixels::ToColorRef(colour[left])) << c.newWidth;
        EXPECT_EQ(c.alpha ? 128 : 0, KitPixels::Alpha(colour[left])) << c.newWidth;
        EXPECT_NE(0, transparent[right]) << c.newWidth;
        ::DestroyIcon(scaled);
        ::DestroyIcon(source);
    }
    HICON source = MakeHalfIcon(false);
    HICON wide = CKitImageManagerIcon::ScaleIcon(source, 16, 8, 32);
    EXPECT_EQ(CSize(32, 16), CKitImageManagerIcon::GetIconSize(wide));
    ::DestroyIcon(wide);
    EXPECT_EQ(nullptr, CKitImageManagerIcon::ScaleIcon(source, 16, 16, 0));
    EXPECT_EQ(nullptr, CKitImageManagerIcon::ScaleIcon(nullptr, 16, 16, 16));
    ::DestroyIcon(source);
}

// An icon handle drawn through a buffer: transparent pixels leave the paper, an alpha
// icon's half-transparent red is blended onto it, a plain icon's red is opaque.
TEST(KitImageIcon, IconHandlesDrawBlendedOntoTheContext)
{
    EXPECT_FALSE(CKitImageManagerIcon::IsAlphaIconHandle(nullptr));
    struct Case {
        bool alpha;
        CSize size;
        COLORREF left;
    };
    const Case cases[] = {{false, CSize(0, 0), RGB(255, 0, 0)}, {true, CSize(0, 0), RGB(255, 127, 127)},
                          {true, CSize(32, 32), RGB(255, 127, 127)}, {false, CSize(32, 32), RGB(255, 0, 0)}};
    for (const Case& c : cases) {
        HICON icon = MakeHalfIcon(c.alpha);
        EXPECT_EQ(c.alpha, CKitImageManagerIcon::IsAlphaIconHandle(icon) != FALSE);
        Canvas canvas(40, 40, RGB(255, 255, 255));
        CKitImageManagerIcon::DrawIconHandle(&canvas.dc, CPoint(2, 2), c.size, icon);
        const int width = c.size.cx == 0 ? 16 : c.size.cx;
        const COLORREF left = canvas.Pixel(2 + width / 4, 6);
        EXPECT_NEAR(GetRValue(c.left), GetRValue(left), 1) << c.alpha << " " << width;
        EXPECT_NEAR(GetGValue(c.left), GetGValue(left), 1) << c.alpha << " " << width;
        EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(2 + width * 3 / 4, 6)) << c.alpha << " " << width;
        EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(2 + width + 2, 6));
        ::DestroyIcon(icon);
    }
}

// A control's own icon as the command bars keep it: the icons of one id through a
// section, a set made for a new id on loading, an empty set for an id without icons.
TEST(KitImageIcon, OneIdsIconsTravelThroughASection)
{
    CKitImageManager source;
    SetIcon(source, 70001, MakeSolidIcon(16, 16, RGB(255, 0, 0)), CKitImageManagerIcon::kStateNormal);
    SetIcon(source, 70001, MakeSolidIcon(24, 24, RGB(0, 0, 255)), CKitImageManagerIcon::kStateNormal);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CKitPropExchangeArchive px(ar);
        CKitImageManagerIconSet::Serialize(&source, 70001, &px);
        CKitImageManagerIconSet::Serialize(&source, 70002, &px);
        ar.Close();
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));

    CKitImageManager target;
    CMemFile in(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&in, CArchive::load);
    CKitPropExchangeArchive px(ar);
    CKitImageManagerIconSet::Serialize(&target, 70001, &px);
    CKitImageManagerIconSet::Serialize(&target, 70002, &px);
    ASSERT_NE(nullptr, target.GetIconSet(70001));
    EXPECT_EQ(2, target.GetIconSet(70001)->GetIconCount());
    EXPECT_EQ(RGB(255, 0, 0), DrawnColor(target.GetImage(70001, 16), target.GetImage(70001, 16)->GetNormalIcon()));
    EXPECT_EQ(24, target.GetImage(70001, 24)->GetWidth());
    ASSERT_NE(nullptr, target.GetIconSet(70002));
    EXPECT_EQ(0, target.GetIconSet(70002)->GetIconCount());
    EXPECT_EQ(70002u, target.GetHighestId());
}

// Mutations of a stored icon set: never a crash or a huge allocation; a
// failure is an archive exception.
TEST(KitImageIcon, MutatedStoredImagesFailAsArchiveExceptions)
{
    CKitImageManager manager;
    SetIcon(manager, 1, MakeSolidIcon(16, 16, RGB(255, 0, 0)), CKitImageManagerIcon::kStateNormal);
    HBITMAP alpha = MakeAlphaImage(RGB(1, 2, 3), 200);
    ASSERT_TRUE(manager.SetIcon(CKitImageManagerIconHandle(alpha), 1, CSize(0, 0), CKitImageManagerIcon::kStateHot));
    ::DeleteObject(alpha);
    const std::vector<BYTE> stored = StoreObject(manager);

    LargestAllocation largest;
    uint32_t seed = 12345;
    int failures = 0;
    for (int round = 0; round < 800; ++round) {
        std::vector<BYTE> damaged = stored;
        for (int i = 0; i < 1 + round % 3; ++i) {
            seed = seed * 1664525u + 1013904223u;
            // The first few hundred bytes hold the counts and the headers.
            const size_t at = (round % 3 == 0 ? seed % damaged.size() : seed % std::min<size_t>(400, damaged.size()));
            damaged[at] = static_cast<BYTE>(seed >> 24);
        }
        if (round % 7 == 0) {
            seed = seed * 1664525u + 1013904223u;
            damaged.resize(seed % damaged.size());
        }
        CMemFile file(damaged.data(), static_cast<UINT>(damaged.size()));
        CArchive ar(&file, CArchive::load);
        CKitImageManager target;
        try {
            target.Serialize(ar);
        } catch (CArchiveException* e) {
            ++failures;
            e->Delete();
        }
    }
    EXPECT_GT(failures, 0);
    EXPECT_LT(largest.Bytes(), 8u * 1024u * 1024u);
}

} // namespace
