// The PNG loader: pixels as libpng reports them, the transformations, and damaged input that fails cleanly.
#include "toolkit/common/png_bitmap.h"

#include "images_test_ids.h"
#include "png_encoder.h"
#include "support/largest_allocation.h"
#include "support/paths.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The bitmap's header and its pixels as the DIB section holds them.
struct DibContents {
    LONG width = 0;
    LONG height = 0;
    WORD bitCount = 0;
    std::vector<unsigned char> bytes;
};

DibContents ReadDib(HBITMAP bitmap)
{
    DibContents contents;
    DIBSECTION section = {};
    if (::GetObjectA(bitmap, sizeof(section), &section) != sizeof(section))
        return contents;
    contents.width = section.dsBmih.biWidth;
    contents.height = section.dsBmih.biHeight;
    contents.bitCount = section.dsBmih.biBitCount;
    const auto* bits = static_cast<const unsigned char*>(section.dsBm.bmBits);
    contents.bytes.assign(bits, bits + static_cast<size_t>(section.dsBm.bmWidthBytes) * section.dsBm.bmHeight);
    return contents;
}

PngPicture RgbaGradient(int width, int height)
{
    PngPicture picture;
    picture.width = width;
    picture.height = height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.samples.push_back(static_cast<unsigned char>(x * 40));
            picture.samples.push_back(static_cast<unsigned char>(y * 60));
            picture.samples.push_back(static_cast<unsigned char>(200 - x * 10));
            picture.samples.push_back(static_cast<unsigned char>(50 + x * 30 + y));
        }
    }
    return picture;
}

bool Load(CKitGraphicBitmapPng& png, const std::string& bytes)
{
    return png.LoadFromMemory(reinterpret_cast<const BYTE*>(bytes.data()), bytes.size()) != FALSE;
}

TEST(KitPng, AlphaImageLoadsTopDownWithTheSamePixelsAsLibpngReports)
{
    const std::string bytes = EncodePng(RgbaGradient(5, 3));
    int width = 0;
    int height = 0;
    const std::vector<unsigned char> reference = DecodeBgra(bytes, width, height);
    ASSERT_EQ(5, width);

    CKitGraphicBitmapPng png;
    ASSERT_TRUE(Load(png, bytes));
    EXPECT_TRUE(png.IsAlpha());
    const DibContents dib = ReadDib(png);
    EXPECT_EQ(5, dib.width);
    EXPECT_EQ(3, std::abs(dib.height));  // the bytes above compare top row first
    EXPECT_EQ(32, dib.bitCount);
    EXPECT_EQ(reference, dib.bytes);
}

TEST(KitPng, PaletteTransparencyAndSixteenBitGreyAreExpanded)
{
    // Two palette entries, the first half transparent.
    PngPicture palette;
    palette.width = 2;
    palette.height = 1;
    palette.colorType = PNG_COLOR_TYPE_PALETTE;
    palette.palette = {{10, 20, 30}, {200, 100, 50}};
    palette.paletteAlpha = {128};
    palette.samples = {0, 1};
    CKitGraphicBitmapPng png;
    ASSERT_TRUE(Load(png, EncodePng(palette)));
    EXPECT_TRUE(png.IsAlpha());
    DibContents dib = ReadDib(png);
    ASSERT_EQ(8u, dib.bytes.size());
    EXPECT_EQ((std::vector<unsigned char>{30, 20, 10, 128, 50, 100, 200, 255}), dib.bytes);

    // A 16-bit grey image: 8-bit RGB without alpha (alpha bytes 0).
    PngPicture grey;
    grey.width = 2;
    grey.height = 1;
    grey.colorType = PNG_COLOR_TYPE_GRAY;
    grey.bitDepth = 16;
    grey.samples = {0x12, 0x34, 0xAB, 0xCD};
    ASSERT_TRUE(Load(png, EncodePng(grey)));
    EXPECT_FALSE(png.IsAlpha());
    dib = ReadDib(png);
    EXPECT_EQ((std::vector<unsigned char>{0x12, 0x12, 0x12, 0, 0xAB, 0xAB, 0xAB, 0}), dib.bytes);
}

TEST(KitPng, BackgroundChunkIsAppliedAndReported)
{
    PngPicture picture;
    picture.width = 1;
    picture.height = 1;
    picture.samples = {255, 0, 0, 0};  // fully transparent red
    picture.background = true;
    picture.backgroundColor.red = 0;
    picture.backgroundColor.green = 0;
    picture.backgroundColor.blue = 255;
    CKitGraphicBitmapPng png;
    ASSERT_TRUE(Load(png, EncodePng(picture)));
    EXPECT_EQ(RGB(0, 0, 255), png.GetBackground());
    EXPECT_FALSE(png.IsAlpha());
    EXPECT_EQ((std::vector<unsigned char>{255, 0, 0, 0}), ReadDib(png).bytes);
}

TEST(KitPng, ResourcesFilesAndMissingInput)
{
    HMODULE module = ::GetModuleHandleA(nullptr);
    CKitGraphicBitmapPng png;
    // Nine bytes are refused without decoding.
    EXPECT_FALSE(png.LoadFromResource(module, ::FindResourceA(module, MAKEINTRESOURCEA(IDR_SHORT_PNG), "PNG")));
    EXPECT_EQ(nullptr, png.GetSafeHandle());
    EXPECT_FALSE(png.LoadFromResource(module, nullptr));
    ASSERT_TRUE(png.LoadFromResource(module, ::FindResourceA(module, MAKEINTRESOURCEA(IDR_ALPHA_STRIP_PNG), "PNG")));
    EXPECT_TRUE(png.IsAlpha());
    BITMAP bm = {};
    png.GetBitmap(&bm);
    EXPECT_EQ(32, bm.bmWidth);

    TempFolder folder;
    const CString path = folder.Path() + "\\image.png";
    WriteBinaryFile(path, EncodePng(RgbaGradient(3, 2)));
    EXPECT_TRUE(png.LoadFromFile(path));
    EXPECT_FALSE(png.LoadFromFile(folder.Path() + "\\missing.png"));
    EXPECT_EQ(nullptr, png.GetSafeHandle());
    EXPECT_FALSE(png.IsAlpha());
}

// Every truncation and a sweep of byte mutations of a valid image: no crash,
// no bitmap after a failure, and never an allocation far beyond the image.
TEST(KitPng, DamagedAndTruncatedImagesFailCleanly)
{
    const std::string good = EncodePng(RgbaGradient(8, 6));
    CKitGraphicBitmapPng png;
    for (size_t length = 0; length < good.size(); ++length) {
        const bool loaded = Load(png, good.substr(0, length));
        ASSERT_FALSE(loaded) << length;
        ASSERT_EQ(nullptr, png.GetSafeHandle()) << length;
    }

    LargestAllocation largest;
    uint32_t seed = 0x2545F491;
    for (int round = 0; round < 3000; ++round) {
        std::string damaged = good;
        const int flips = 1 + round % 4;
        for (int i = 0; i < flips; ++i) {
            seed = seed * 1664525u + 1013904223u;
            const size_t at = 8 + seed % (damaged.size() - 8);
            damaged[at] = static_cast<char>(damaged[at] ^ (1 + (seed >> 24) % 255));
        }
        if (!Load(png, damaged)) {
            ASSERT_EQ(nullptr, png.GetSafeHandle()) << round;
        }
    }
    EXPECT_LT(largest.Bytes(), 64u * 1024u);
}

// A header that claims a huge image over a few bytes of data is refused before anything is allocated for it.
TEST(KitPng, ImplausibleSizesAreRefusedBeforeAllocating)
{
    std::string bytes = EncodePng(RgbaGradient(2, 2));
    // IHDR data starts at byte 16: width, then height, big-endian; the CRC is not checked before the size test.
    const unsigned char huge[8] = {0x00, 0x00, 0x3F, 0xFF, 0x00, 0x00, 0x3F, 0xFF};
    bytes.replace(16, 8, reinterpret_cast<const char*>(huge), 8);
    png_uint_32 crc = static_cast<png_uint_32>(crc32(0, reinterpret_cast<const Bytef*>(bytes.data() + 12), 17));
    const unsigned char crcBytes[4] = {static_cast<unsigned char>(crc >> 24), static_cast<unsigned char>(crc >> 16),
                                       static_cast<unsigned char>(crc >> 8), static_cast<unsigned char>(crc)};
    bytes.replace(29, 4, reinterpret_cast<const char*>(crcBytes), 4);

    LargestAllocation largest;
    CKitGraphicBitmapPng png;
    EXPECT_FALSE(Load(png, bytes));
    EXPECT_LT(largest.Bytes(), 64u * 1024u);
}

} // namespace
