// Loads the full model of a large generated IED and inserts its items into the tree; compares the time of each
// with a bare XmlLite read.
#include "bench_support.h"

#include "bench_generated_ied.h"
#include "support/hidden_tree_host.h"

namespace {

using BenchIed::kLDevices;
using BenchIed::kNodesPerLDevice;
constexpr int kRuns = 5;

std::string GenerateScl()
{
    return BenchIed::GenerateScl();
}

int g_messages = 0;

int CountMessage(HWND, const CString&, const CString&, UINT)
{
    ++g_messages;
    return IDOK;
}

} // namespace

int main()
{
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    SetMessageBoxHook(CountMessage);
    const CString path = TempFilePath("bench_ied_model.scd");
    const std::string text = GenerateScl();
    WriteWholeFile(path, text);
    printf("file %s, %.1f MB, %d logical devices, %d logical nodes\n", (LPCSTR)path, text.size() / 1e6, kLDevices,
           kLDevices * (kNodesPerLDevice + 1));

    double bestRead = 1e9;
    double bestModel = 1e9;
    double bestInsert = 1e9;
    double bestTotal = 1e9;
    size_t listed = 0;
    UINT items = 0;
    double domLoad = 0;
    for (int run = 0; run < kRuns; ++run) {
        double start = Seconds();
        if (ReadWithXmlLite(path) < 0) {
            printf("XmlLite read failed\n");
            return 1;
        }
        bestRead = std::min(bestRead, Seconds() - start);

        CHiddenTreeHost host;
        if (!host.IsReady()) {
            printf("no tree window\n");
            return 1;
        }
        CIEDTree& tree = host.Tree();
        // The model and its item list, without the window.
        start = Seconds();
        HRESULT result = E_FAIL;
        if (tree.LoadSclDocument(path)) {
            domLoad = Seconds() - start;
            result = tree.CIedTreeLoader::LoadIedModel("BENCH");
        }
        if (result != S_OK) {
            for (const SclLoadMessage& message : tree.GetMessages())
                printf("%s\n", (LPCSTR)message.text);
            printf("load failed (0x%08lX)\n", static_cast<unsigned long>(result));
            return 1;
        }
        const double model = Seconds() - start;
        g_messages += static_cast<int>(tree.GetMessages().size());
        listed = tree.GetItems().GetCount();
        // The list inserted into the tree control.
        const double insertStart = Seconds();
        tree.InsertLoadedItems();
        const double insert = Seconds() - insertStart;
        bestModel = std::min(bestModel, model);
        bestInsert = std::min(bestInsert, insert);
        bestTotal = std::min(bestTotal, model + insert);
        items = tree.GetCount();
    }
    ::DeleteFileA(path);
    printf("XmlLite read       %.3f s\n", bestRead);
    printf("model              %.3f s (%u items listed, %d messages)\n", bestModel, static_cast<unsigned>(listed),
           g_messages);
    printf("  of which DOM     %.3f s\n", domLoad);
    printf("tree insert        %.3f s (%u tree items)\n", bestInsert, items);
    printf("peak working set   %.1f MiB\n", PeakWorkingSetMiB());
    printf("model ratio %.2f\n", bestModel / bestRead);
    printf("tree insert ratio %.2f\n", bestInsert / bestRead);
    printf("ratio %.2f\n", bestTotal / bestRead);
    ::CoUninitialize();
    return 0;
}
