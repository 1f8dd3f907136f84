// Writes the Unity files of a Quantum device for a tag map of 20,000 rows (10,000 read by the PLC, 10,000
// written by it: 100 messages of 100 registers). Prints the time of each run and, last, the best as
// "seconds S".
#include "bench_support.h"

#include "corvel/gateway/unity_export.h"

#include <algorithm>

namespace {

using namespace Corvel::Records;

constexpr int kTagsEachWay = 10000;
constexpr int kRuns = 5;

} // namespace

int main()
{
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    _PROJECT project;
    project.numPorts = 2;
    project.portPLC = 1;
    project.eth0IPaddr = "192.168.0.250";
    project.startWrite = "1001";
    for (int i = 0; i < 2 * kTagsEachWay; ++i) {
        auto* row = new _TAGSMAP;
        row->tagName.Format("IED%02d_GGIO%d_AnIn%d", i % 20, i / 1000, i);
        row->dataType = i % 2 == 0 ? "FLOAT32" : "INT16";
        row->direction = i < kTagsEachWay ? kMtcpReadDirection : kMtcpWriteDirection;
        project.tagMaps.AddTail(row);
    }
    CPLC_Device device;
    device.name = "Benchmark Quantum";
    device.devType = Corvel::Gateway::kDevTypeQuantum;
    Corvel::Gateway::CUnityExporter exporter;
    exporter.Attach(project, device);

    char folder[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    const CString base = CString(folder) + "korvane-bench-unity";
    double best = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        const double start = Seconds();
        if (!exporter.ExportFiles(base))
            return 1;
        const double took = Seconds() - start;
        best = std::min(best, took);
        printf("run %d: %.3f s\n", run + 1, took);
    }
    for (const char* extension : {".xsy", ".xfm", ".csv"})
        ::DeleteFileA(base + extension);
    DeleteRecords(project.tagMaps);
    ::CoUninitialize();
    printf("peak working set %.1f MiB\nseconds %.3f\n", PeakWorkingSetMiB(), best);
    return 0;
}
