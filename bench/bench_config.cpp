// Writes the module configuration of a large project built in memory: 20 IEDs of 1,000 mapped tags each,
// with plain data, commands, reports and GOOSE subscriptions, the tags packed into connections and messages.
// Attachments are left out. Prints the time of each run and, last, the best as "seconds S".
#include "bench_project.h"

#include "corvel/gateway/device_config.h"

using BenchData::BenchProject;
using BenchData::kIeds;

int main()
{
    BenchProject bench;
    int rows = 0;
    for (POSITION pos = bench.project.iedDevices.GetHeadPosition(); pos != nullptr;)
        rows += static_cast<int>(bench.project.iedDevices.GetNext(pos)->ConfiguredCache.size());
    const CString path = TempFilePath("bench_config.xml");
    Corvel::Gateway::DeviceConfigOptions options;
    options.withAttachments = false;

    Corvel::Gateway::DeviceConfigResult result;
    const double best = BenchData::BestRunSeconds([&] {
        result = Corvel::Gateway::WriteDeviceConfigFile(bench.Content(), path, options);
        return true;
    });
    if (best < 0)
        return 1;
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    ::GetFileAttributesExA(path, GetFileExInfoStandard, &data);
    printf("%d IEDs, %d rows, %d tags written, %.1f MB, %d connection and %d message tags, %.0f MiB peak\n", kIeds,
           rows, result.tagCount, data.nFileSizeLow / 1e6, static_cast<int>(bench.tagsINP.GetCount() + bench.tagsOUT.GetCount()),
           static_cast<int>(bench.tagsMSG.GetCount()), PeakWorkingSetMiB());
    ::DeleteFileA(path);
    printf("seconds %.3f\n", best);
    return 0;
}
