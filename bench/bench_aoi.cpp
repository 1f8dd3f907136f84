// Writes the AOI files of a large project built in memory (bench_project.h): each run writes its module
// configuration, then one file per IED from it, each reading all 20,000 tags of the configuration. Prints the
// time of each run and, last, the best as "seconds S".
#include "bench_project.h"

#include "corvel/gateway/aoi_export.h"
#include "corvel/gateway/device_config.h"
#include "corvel/project/path_utils.h"

using BenchData::BenchProject;

int main()
{
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    BenchProject bench;
    const CString folder = TempFilePath("bench_aoi");
    CreateFolder(folder);
    const CString configPath = JoinPath(folder, "Current.xml");
    Corvel::Gateway::DeviceConfigOptions options;
    options.withAttachments = false;

    int files = 0;
    const double best = BenchData::BestRunSeconds([&] {
        Corvel::Gateway::WriteDeviceConfigFile(bench.Content(), configPath, options);
        Corvel::Gateway::CGenAOI aoi(Corvel::Gateway::CGenAOI::GetProjectDevices(bench.project));
        aoi.SetOverwriteWithoutAsking(true);
        if (!aoi.ExportAll(configPath)) {
            printf("the configuration could not be read\n");
            return false;
        }
        files = aoi.GetFileCount();
        return true;
    });
    if (best < 0)
        return 1;
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    ::GetFileAttributesExA(JoinPath(folder, "IED00_AOI.L5X"), GetFileExInfoStandard, &data);
    printf("%d AOI files of %.2f MB each, %.0f MiB peak\n", files, data.nFileSizeLow / 1e6, PeakWorkingSetMiB());
    for (int i = 0; i < BenchData::kIeds; ++i)
        ::DeleteFileA(JoinPath(folder, BenchData::Text("IED%02d_AOI.L5X", i)));
    ::DeleteFileA(configPath);
    ::RemoveDirectoryA(folder);
    ::CoUninitialize();
    printf("seconds %.3f\n", best);
    return 0;
}
