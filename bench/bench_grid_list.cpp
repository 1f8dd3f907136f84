// Fills a grid list of 20,000 rows and 8 columns through its own row insertion, sorts it by a
// numeric and by a text column, and prints the times; the last line is "seconds S" (all three).
// Needs a display (under Wine, a virtual one will do).
#include "bench/bench_support.h"
#include "corvel/controls/grid_list.h"
#include "support/message_pump.h"

#include <cstdio>
#include <vector>
#include <array>
#include <memory>
#include <string>

namespace {

constexpr int kRows = 20000;
constexpr int kColumns = 8;
constexpr UINT kListId = 100;

class BenchWindow : public CWnd {
public:
    BOOL CreateTop()
    {
        return CreateEx(0, AfxFrameOrViewWndClass(), "Grid list benchmark", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20,
                        900, 600, nullptr, nullptr);
    }
};

// A tag-like name that sorts differently from the row order.
std::string TagName(int row)
{
    static const char* const kNodes[] = {"XCBR", "MMXU", "PTOC", "GGIO", "LPHD", "CSWI", "MSQI", "PTRC"};
    const unsigned mixed = static_cast<unsigned>(row) * 2654435761u;
    return std::string(kNodes[mixed % 8]) + std::to_string(mixed % 97) + "_Tag" + std::to_string(mixed % 10007);
}

} // namespace

int main()
{
    ::InitCommonControls();
    BenchWindow window;
    if (!window.CreateTop()) {
        std::printf("no window: a display is needed\n");
        return 1;
    }
    CRect client;
    window.GetClientRect(&client);
    CGridList list;
    if (!list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, client, &window, kListId)) {
        std::printf("no list\n");
        return 1;
    }
    list.InsertHiddenLabelColumn();
    const char* const headings[kColumns - 1] = {"Tag Name", "Address", "Type", "Access", "Length", "Swap",
                                                "Description"};
    for (int col = 1; col < kColumns; ++col) {
        auto trait = std::make_unique<CColumnTraitText>();
        trait->SetSortNumeric(col == 2 || col == 5);
        list.InsertColumnTrait(col, headings[col - 1], LVCFMT_LEFT, 110, col, std::move(trait));
    }
    PumpMessages(PumpMode::kPreTranslate);

    // The texts are made before the clock starts.
    std::vector<std::array<std::string, kColumns>> rows(kRows);
    for (int row = 0; row < kRows; ++row) {
        const unsigned mixed = static_cast<unsigned>(row) * 40503u;
        rows[row] = {"", TagName(row), std::to_string(mixed % 65536), row % 3 ? "FLOAT32" : "BOOLEAN",
                     row % 2 ? "R" : "W/R", std::to_string(1 + mixed % 4), "No Swap",
                     "Description of tag " + std::to_string(row)};
    }

    const double start = Seconds();
    list.SetRedraw(FALSE);
    for (const auto& row : rows) {
        list.InsertRowTexts(-1, kColumns, row[0].c_str(), row[1].c_str(), row[2].c_str(), row[3].c_str(),
                            row[4].c_str(), row[5].c_str(), row[6].c_str(), row[7].c_str());
    }
    list.SetRedraw(TRUE);
    list.UpdateWindow();
    PumpMessages(PumpMode::kPreTranslate);
    const double filled = Seconds();

    list.SortColumn(2, true);
    list.SetSortArrow(2, true);
    list.UpdateWindow();
    PumpMessages(PumpMode::kPreTranslate);
    const double numeric = Seconds();

    list.SortColumn(1, true);
    list.SetSortArrow(1, true);
    list.UpdateWindow();
    PumpMessages(PumpMode::kPreTranslate);
    const double text = Seconds();

    std::printf("rows %d columns %d\n", list.GetItemCount(), kColumns);
    std::printf("fill %.3f\n", filled - start);
    std::printf("sort numeric %.3f\n", numeric - filled);
    std::printf("sort text %.3f\n", text - numeric);
    std::printf("first %s %s\n", static_cast<LPCSTR>(list.GetItemText(0, 1)), static_cast<LPCSTR>(list.GetItemText(0, 2)));
    std::printf("seconds %.3f\n", text - start);
    list.DestroyWindow();
    window.DestroyWindow();
    return 0;
}
