// markupcheck --render: documents of borders, canvases, text, a grid, panels and pictures drawn through GDI (and GDI+), probed pixel by pixel in the PNGs it writes.
#include "tools/markupcheck/markup_render.h"

#include "framework/handles.h"
#include "support/test_dirs.h"
#include "tools/common/png_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 200;

std::string BinaryPath(const char* relative)
{
    return std::string(TestBinaryDir()) + "\\" + relative;
}

// Runs markupcheck with the arguments (in the folder, when given) and returns its exit code (-1 when it cannot start).
int RunMarkupCheck(const std::string& arguments, const std::string& folder = "")
{
    std::string command = "\"" + BinaryPath("tools\\markupcheck.exe") + "\" " + arguments;
    STARTUPINFOA startup = {sizeof(STARTUPINFOA)};
    startup.dwFlags = STARTF_USESTDHANDLES;
    SECURITY_ATTRIBUTES inherit = {sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    ScopedHandle nul(::CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr));
    startup.hStdOutput = nul.Get();
    startup.hStdError = nul.Get();
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &process))
        return -1;
    ScopedHandle processHandle(process.hProcess);
    ScopedHandle threadHandle(process.hThread);
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    ::GetExitCodeProcess(process.hProcess, &code);
    return static_cast<int>(code);
}

// The PNG file as RGB() values, top row first; empty when it cannot be read.
MarkupPicture ReadPng(const std::string& path)
{
    MarkupPicture picture;
    if (!ReadPngFile(path, picture.width, picture.height, picture.pixels))
        return MarkupPicture();
    return picture;
}

std::string Hex(DWORD value)
{
    char text[16];
    std::snprintf(text, sizeof(text), "#%06lX", static_cast<unsigned long>(value));
    return text;
}

// A pixel expected at a place, as 0xRRGGBB.
struct Probe {
    int x;
    int y;
    DWORD colour;
    const char* what;
};

template <size_t N>
void ExpectProbes(const MarkupPicture& picture, const Probe (&probes)[N])
{
    for (const Probe& probe : probes)
        EXPECT_EQ(Hex(probe.colour), Hex(picture.At(probe.x, probe.y)))
            << probe.what << " at (" << probe.x << ", " << probe.y << ")";
}

TEST(MarkupRender, NestedBordersOnACanvas)
{
    const std::string screen = BinaryPath("screens\\markup-render.png");
    ::CreateDirectoryA(BinaryPath("screens").c_str(), nullptr);
    ::DeleteFileA(screen.c_str());
    const std::string fixture =
        std::string(TestSourceDir()) + "\\tests\\tools\\markupcheck\\fixtures\\render.xml";
    ASSERT_EQ(0, RunMarkupCheck("--render 300 200 \"" + screen + "\" \"" + fixture + "\""));

    const MarkupPicture picture = ReadPng(screen);
    ASSERT_EQ(kWidth, picture.width);
    ASSERT_EQ(kHeight, picture.height);

    // Pixels as 0xRRGGBB.
    constexpr DWORD black = 0x000000, white = 0xFFFFFF, grey = 0xE0E0E0, navy = 0x000080, red = 0xFF0000,
                    green = 0x008000, sky = 0x87CEFA, orange = 0xFFA500, purple = 0x800080;
    const Probe probes[] = {
        // The root: a 2-pixel black frame, 8 pixels of white padding, then the grey canvas.
        {0, 0, black, "root frame, corner"},
        {1, 100, black, "root frame, inner edge"},
        {2, 100, white, "root padding"},
        {9, 100, white, "root padding, last column"},
        {10, 100, grey, "canvas"},
        {299, 199, black, "root frame, far corner"},
        // A 120 x 80 red border at canvas (10, 10) with a 4-pixel navy frame.
        {20, 50, navy, "left frame"},
        {23, 50, navy, "left frame, inner edge"},
        {24, 50, red, "background"},
        {135, 50, red, "background, last column"},
        {136, 50, navy, "right frame"},
        {139, 50, navy, "right frame, outer edge"},
        {140, 50, grey, "beside the border"},
        {60, 99, navy, "bottom frame"},
        {60, 100, grey, "below the border"},
        // A rounded border placed from the canvas's right edge: its corners stay canvas.
        {180, 20, grey, "cut corner"},
        {230, 21, green, "rounded frame, top"},
        {230, 50, sky, "rounded background"},
        {279, 79, grey, "cut far corner"},
        // An orange border with padding 5 whose purple child asks for 100 x 100: the child is clipped.
        {31, 160, orange, "padding"},
        {35, 160, purple, "clipped child"},
        {84, 160, purple, "clipped child, last column"},
        {85, 160, orange, "padding beyond the clip"},
        {89, 160, orange, "padding, last column"},
        {90, 160, grey, "beside: nothing of the child leaks"},
        {60, 176, orange, "padding under the clip"},
        {60, 185, grey, "under the border"},
        // A horizontal gradient from yellow to blue.
        {130, 150, 0xFFFF00, "gradient start"},
        {205, 150, 0x7F7F7F, "gradient middle"},
        {279, 150, 0x0101FD, "gradient end"},
    };
    ExpectProbes(picture, probes);
}

// The longest run of pixels of exactly one colour in any row of a rectangle.
int LongestRun(const MarkupPicture& picture, DWORD colour, int left, int top, int right, int bottom)
{
    int longest = 0;
    for (int y = top; y < bottom; ++y) {
        int run = 0;
        for (int x = left; x < right; ++x) {
            run = picture.At(x, y) == colour ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    return longest;
}

// The rightmost pixel darker than mid-grey in a row, -1 for none.
int RightmostInk(const MarkupPicture& picture, int y, int left, int right)
{
    for (int x = right - 1; x >= left; --x) {
        const DWORD pixel = picture.At(x, y);
        if (((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF) < 3 * 128)
            return x;
    }
    return -1;
}

TEST(MarkupRender, TextGridAndPanels)
{
    const std::string screen = BinaryPath("screens\\markup-text.png");
    ::CreateDirectoryA(BinaryPath("screens").c_str(), nullptr);
    ::DeleteFileA(screen.c_str());
    const std::string fixture = std::string(TestSourceDir()) + "\\tests\\tools\\markupcheck\\fixtures\\text.xml";
    ASSERT_EQ(0, RunMarkupCheck("--render 520 280 \"" + screen + "\" \"" + fixture + "\""));
    const MarkupPicture picture = ReadPng(screen);
    ASSERT_EQ(520, picture.width);
    ASSERT_EQ(280, picture.height);

    // Places that hold no text: frame, title band, the grid's header row, the four status cells of the uniform grid.
    const Probe probes[] = {
        {0, 0, 0x8DA2B5, "frame"},
        {505, 15, 0xE4ECF5, "title band, right end"},
        {505, 50, 0xF3F5F8, "grid header row, right end"},
        {16, 258, 0xDFF0D8, "first status cell"},
        {140, 258, 0xDFF0D8, "second status cell"},
        {262, 258, 0xFCF3D9, "third status cell"},
        {500, 258, 0xF2DEDE, "fourth status cell"},
        {12, 240, 0xFFFFFF, "the star row below the paragraph"},
    };
    ExpectProbes(picture, probes);

    // The hyperlink is underlined in blue, the raised alarm struck through in its own red.
    EXPECT_GE(LongestRun(picture, 0x0000FF, 11, 60, 509, 110), 20) << "hyperlink underline";
    EXPECT_GE(LongestRun(picture, 0xB71C1C, 11, 60, 509, 110), 20) << "strike-through";

    // The justified paragraph reaches the right edge of its wrapped lines; its last line does not.
    int justified = 0;
    int lastLineEnd = 0;
    for (int y = 115; y < 240; ++y) {
        const int right = RightmostInk(picture, y, 15, 506);
        if (right >= 495)
            ++justified;
        if (right >= 0)
            lastLineEnd = right;
    }
    EXPECT_GT(justified, 0);
    EXPECT_LT(lastLineEnd, 400);
}

// The first column at or right of x with ink in any row, -1 when none.
int FirstInkColumn(const MarkupPicture& picture, int x)
{
    for (; x < picture.width; ++x) {
        for (int y = 0; y < picture.height; ++y) {
            if (RightmostInk(picture, y, x, x + 1) == x)
                return x;
        }
    }
    return -1;
}

// The last column with ink in any row, -1 when none.
int LastInkColumn(const MarkupPicture& picture)
{
    int last = -1;
    for (int y = 0; y < picture.height; ++y)
        last = std::max(last, RightmostInk(picture, y, 0, picture.width));
    return last;
}

// A run in the middle of a sentence starts where the sentence in one run puts its word, with a
// blank's width before it; an ellipsis follows the last letter shown.
TEST(MarkupRender, RunsAndEllipsesSitWhereTheTextPutsThem)
{
    auto render = [](const char* text, int width) {
        MarkupPicture picture;
        std::string error;
        EXPECT_EQ(0, RenderMarkupText(text, width, 16, picture, error)) << text << ": " << error;
        return picture;
    };
    const int prefixEnd = LastInkColumn(render("<TextBlock>Drawn by the</TextBlock>", 200));
    ASSERT_GT(prefixEnd, 0);
    const int plainWord = FirstInkColumn(render("<TextBlock>Drawn by the markup engine</TextBlock>", 200), prefixEnd + 1);
    ASSERT_GT(plainWord, prefixEnd + 1);
    for (const char* text : {"<TextBlock>Drawn by the <Bold>markup</Bold> engine</TextBlock>",
                             "<TextBlock>Drawn by the <Italic>markup</Italic> engine</TextBlock>",
                             "<TextBlock>Drawn by the <Hyperlink>markup</Hyperlink> engine</TextBlock>"})
        EXPECT_NEAR(plainWord, FirstInkColumn(render(text, 200), prefixEnd + 1), 1) << text;

    // The dots come right after the last letter that fits, as close as the letters stand to each other.
    const MarkupPicture trimmed =
        render("<TextBlock TextTrimming=\"CharacterEllipsis\">Time server unreachable</TextBlock>", 70);
    const MarkupPicture dots = render("<TextBlock>...</TextBlock>", 70);
    const int dotsWidth = LastInkColumn(dots) - FirstInkColumn(dots, 0) + 1;
    const int dotsStart = LastInkColumn(trimmed) - dotsWidth + 1;
    int letterEnd = -1;
    for (int y = 0; y < trimmed.height; ++y)
        letterEnd = std::max(letterEnd, RightmostInk(trimmed, y, 0, dotsStart));
    ASSERT_GT(letterEnd, 0);
    const int gap = dotsStart - letterEnd - 1;
    EXPECT_GE(gap, 0);
    EXPECT_LE(gap, 3);
}

// Image elements show the picture file (red and blue halves), at its natural
// size and stretched, drawn through GDI and through GDI+.
TEST(MarkupRender, ImagesShowTheirPicturesThroughGdiAndGdiPlus)
{
    const std::string fixtures = std::string(TestSourceDir()) + "\\tests\\tools\\markupcheck\\fixtures";
    constexpr DWORD kRed = 0xFF0000;
    constexpr DWORD kBlue = 0x0000FF;
    constexpr DWORD kWhite = 0xFFFFFF;
    const Probe probes[] = {
        {20, 10, kRed, "natural size, top-left"},   {27, 17, kRed, "natural size, left half"},
        {28, 10, kBlue, "natural size, right half"}, {35, 17, kBlue, "natural size, bottom-right"},
        {36, 12, kWhite, "right of the picture"},     {24, 18, kWhite, "below the picture"},
        {62, 12, kRed, "stretched, left half"},       {73, 23, kRed, "stretched, left half"},
        {78, 12, kBlue, "stretched, right half"},     {89, 23, kBlue, "stretched, right half"},
        {94, 18, kWhite, "right of the stretched picture"},
    };
    std::vector<MarkupPicture> circles;
    for (const char* backEnd : {"", " --gdiplus"}) {
        const std::string picture = BinaryPath("tools\\markupcheck-image.png");
        ::DeleteFileA(picture.c_str());
        const std::string arguments = "--render 120 40 \"" + picture + "\"" + backEnd + " image.xml";
        ASSERT_EQ(0, RunMarkupCheck(arguments, fixtures)) << backEnd;
        const MarkupPicture shown = ReadPng(picture);
        ASSERT_EQ(120, shown.width) << backEnd;
        SCOPED_TRACE(*backEnd != '\0' ? "GDI+" : "GDI");
        ExpectProbes(shown, probes);
        circles.push_back(shown);
    }
    // The circle's edge lies elsewhere under GDI+ (half-pixel offsets): it did draw.
    int moved = 0;
    for (int y = 8; y < 28; ++y) {
        for (int x = 98; x < 118; ++x)
            moved += circles[0].At(x, y) != circles[1].At(x, y) ? 1 : 0;
    }
    EXPECT_GT(moved, 0);
    // --gdiplus belongs to --render.
    EXPECT_EQ(2, RunMarkupCheck("--gdiplus image.xml", fixtures));
}

TEST(MarkupRender, ErrorsAndArguments)
{
    const std::string picture = BinaryPath("tools\\markupcheck-render-error.png");
    ::DeleteFileA(picture.c_str());
    const std::string faulty =
        std::string(TestSourceDir()) + "\\tests\\tools\\markupcheck\\fixtures\\unknown_tag.xml";
    EXPECT_EQ(1, RunMarkupCheck("--render 10 10 \"" + picture + "\" \"" + faulty + "\""));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(picture.c_str())) << "a faulty text writes no picture";
    EXPECT_EQ(2, RunMarkupCheck("--render 0 10 out.png x.xml"));
    EXPECT_EQ(2, RunMarkupCheck("--render 10 10"));

    std::string error;
    MarkupPicture empty;
    EXPECT_EQ(1, RenderMarkupText("<Nothing/>", 10, 10, empty, error));
    EXPECT_EQ("The tag 'Nothing' does not exist in XML namespace. Line 1, position 10", error);
}

} // namespace
