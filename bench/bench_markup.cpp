// Parses, measures, arranges and renders a generated markup document of nested
// borders and canvases with wrapped, trimmed and styled text into a 1024 x 768
// bitmap through the GDI back-end.
// Prints the phases of the median run, then "seconds S" (the median total).
#include "bench_support.h"

#include "framework/handles.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/markup/markup_context.h"
#include "toolkit/markup/markup_drawing_context.h"
#include "toolkit/markup/markup_visual.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int kElements = 2000;
constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kRuns = 7;
// Each card: a framed border holding a canvas with two chains of nested borders
// and two text blocks: a trimmed title (block, three runs, a bold span) and a
// wrapped body (block, two runs, a line break, a hyperlink).
constexpr int kChains = 2;
constexpr int kChainDepth = 6;
constexpr int kTextElementsPerCard = 10;
constexpr int kElementsPerCard = 2 + kChains * kChainDepth + kTextElementsPerCard;

const char* const kColors[] = {"#FF8080", "LightSkyBlue", "PaleGreen", "Khaki", "Plum", "#80C0C0C0"};

std::string Attribute(const char* name, int value)
{
    return std::string(" ") + name + "=\"" + std::to_string(value) + "\"";
}

// A document of about kElements elements: cards on a canvas, each with chains of borders and text.
std::string MakeDocument(int& elements)
{
    std::string text =
        "<Border Background=\"White\" BorderBrush=\"Black\" BorderThickness=\"1\" Padding=\"2\">\n<Canvas>\n";
    elements = 2;
    for (int card = 0; elements + kElementsPerCard <= kElements; ++card) {
        const int column = card % 11;
        const int row = card / 11;
        text += "<Border" + Attribute("Canvas.Left", column * 92) + Attribute("Canvas.Top", row * 64) +
                " Width=\"88\" Height=\"60\" BorderBrush=\"Navy\" BorderThickness=\"1\"";
        text += (card % 4 == 0) ? " CornerRadius=\"6\" Background=\"AliceBlue\">"
                                : " Background=\"#F0F0F0\">";
        text += "<Canvas>";
        for (int chain = 0; chain < kChains; ++chain) {
            text += "<Border" + Attribute("Canvas.Left", 2 + chain * 14) +
                    " Canvas.Top=\"2\" Width=\"12\" Height=\"54\"";
            if (chain == 1 && card % 3 == 0) {
                text += "><Border.Background><LinearGradientBrush StartPoint=\"0,0\" EndPoint=\"0,1\">"
                        "<GradientStop Color=\"Yellow\" Offset=\"0\"/><GradientStop Color=\"Blue\" Offset=\"1\"/>"
                        "</LinearGradientBrush></Border.Background>";
            } else {
                text += std::string(" Background=\"") + kColors[(card + chain) % 6] + "\">";
            }
            for (int depth = 1; depth < kChainDepth; ++depth)
                text += std::string("<Border Margin=\"1\" BorderThickness=\"1\" BorderBrush=\"") +
                        kColors[(card + depth) % 6] + "\">";
            for (int depth = 1; depth < kChainDepth; ++depth)
                text += "</Border>";
            text += "</Border>";
        }
        text += "<TextBlock Canvas.Left=\"30\" Canvas.Top=\"1\" Width=\"56\" FontSize=\"9\""
                " TextTrimming=\"CharacterEllipsis\">Feeder <Bold>" +
                std::to_string(card) + "</Bold> breaker</TextBlock>";
        text += "<TextBlock Canvas.Left=\"30\" Canvas.Top=\"14\" Width=\"56\" Height=\"44\" FontSize=\"9\""
                " TextWrapping=\"Wrap\">Position closed, quality good<LineBreak/><Hyperlink>Details</Hyperlink>"
                "</TextBlock>";
        text += "</Canvas></Border>\n";
        elements += kElementsPerCard;
    }
    text += "</Canvas>\n</Border>\n";
    return text;
}

struct Timing {
    double parse;
    double layout;
    double render;
    double Total() const { return parse + layout + render; }
};

// One full pass; false when the document does not build.
bool RunOnce(const std::string& text, HDC hdc, Timing& timing)
{
    CKitMarkupRef<CKitMarkupContext> context(new CKitMarkupContext(nullptr));
    const double start = Seconds();
    CKitMarkupRef<CKitMarkupUIElement> root(context->Parse(text.c_str()));
    if (!root)
        return false;
    const double parsed = Seconds();
    {
        CKitMarkupDrawingContext measure(context.Get());
        root->Measure(&measure, kWidth, kHeight);
    }
    root->Arrange({0, 0, kWidth, kHeight});
    const double laidOut = Seconds();
    {
        CKitMarkupDrawingContext dc(context.Get(), hdc);
        root->Render(&dc);
    }
    ::GdiFlush();
    const double rendered = Seconds();
    timing = {parsed - start, laidOut - parsed, rendered - laidOut};
    return true;
}

} // namespace

int main()
{
    int elements = 0;
    const std::string text = MakeDocument(elements);
    ScopedGdiObject<HBITMAP> bitmap(CKitImageManager::Create32BitDIBSection(nullptr, kWidth, kHeight));
    ScopedMemoryDC memory(::CreateCompatibleDC(nullptr));
    if (!bitmap || !memory) {
        std::printf("cannot make the %d x %d bitmap\n", kWidth, kHeight);
        return 1;
    }
    ScopedSelectObject select(memory.Get(), bitmap.Get());
    std::printf("document: %d elements, %zu bytes, %d x %d pixels\n", elements, text.size(), kWidth, kHeight);

    std::vector<Timing> runs;
    for (int i = 0; i < kRuns; ++i) {
        Timing timing = {};
        if (!RunOnce(text, memory.Get(), timing)) {
            std::printf("the document does not build\n");
            return 1;
        }
        runs.push_back(timing);
    }
    std::sort(runs.begin(), runs.end(), [](const Timing& a, const Timing& b) { return a.Total() < b.Total(); });
    const Timing& median = runs[runs.size() / 2];
    std::printf("parse %.4f\nmeasure and arrange %.4f\nrender %.4f\n", median.parse, median.layout, median.render);
    std::printf("seconds %.4f\n", median.Total());
    return 0;
}
