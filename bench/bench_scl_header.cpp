// Adds a large SCD made of renamed copies of the sample IEDs: times the quick scan and the IED header reader
// against a bare XmlLite read of the same file.
#include "bench_support.h"

#include "corvel/model/scl_header.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr int kMinIeds = 200;
constexpr size_t kMinBytes = 50u * 1000u * 1000u;
constexpr int kRuns = 5;
constexpr int kSubnetworks = 2;

// The folder of the shared samples: the first argument, else the one beside the source tree.
CString SampleFolder(int argc, char** argv)
{
    if (argc > 1)
        return argv[1];
    return CString(KORVANE_SOURCE_DIR) + "\\..\\shared\\testdata\\scl";
}

std::string ReadWholeFile(const CString& path)
{
    std::string bytes;
    FILE* file = fopen(path, "rb");
    if (file == nullptr)
        return bytes;
    char buffer[65536];
    size_t count = 0;
    while ((count = fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, count);
    fclose(file);
    return bytes;
}

// One IED element of a sample with its name attribute cut out: text before and after the name's value.
struct IedTemplate {
    std::string head;
    std::string tail;
};

// The IED elements of a sample whose start tag names the IED and that use no namespace prefix.
void CollectIeds(const std::string& text, std::vector<IedTemplate>& ieds)
{
    static const std::string kStart = "<IED ";
    static const std::string kEnd = "</IED>";
    static const std::string kName = " name=\"";
    for (size_t start = text.find(kStart); start != std::string::npos; start = text.find(kStart, start + 1)) {
        const size_t end = text.find(kEnd, start);
        const size_t tagEnd = text.find('>', start);
        if (end == std::string::npos || tagEnd == std::string::npos)
            return;
        const size_t name = text.find(kName, start);
        if (name == std::string::npos || name > tagEnd)
            continue;
        const size_t value = name + kName.size();
        const size_t valueEnd = text.find('"', value);
        const std::string element = text.substr(start, end + kEnd.size() - start);
        if (valueEnd == std::string::npos || element.find("<Server") == std::string::npos ||
            element.find(':') != std::string::npos)
            continue;
        ieds.push_back({text.substr(start, value - start), text.substr(valueEnd, end + kEnd.size() - valueEnd)});
    }
}

// The IED elements of every sample of the folder.
std::vector<IedTemplate> LoadTemplates(const CString& folder)
{
    std::vector<CString> names;
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA(folder + "\\*", &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const CString name = found.cFileName;
            const CString extension = name.Right(4);
            if (extension == ".scd" || extension == ".icd" || extension == ".cid")
                names.push_back(name);
        } while (::FindNextFileA(find, &found));
        ::FindClose(find);
    }
    std::sort(names.begin(), names.end(), [](const CString& a, const CString& b) { return strcmp(a, b) < 0; });
    std::vector<IedTemplate> ieds;
    for (const CString& name : names)
        CollectIeds(ReadWholeFile(folder + "\\" + name), ieds);
    return ieds;
}

// Renamed copies of the templates, in turn, until the file holds enough IEDs and bytes; each IED has one
// ConnectedAP on each subnetwork.
std::string GenerateScd(const std::vector<IedTemplate>& templates, int& iedCount)
{
    std::string ieds;
    std::string subnetworks[kSubnetworks];
    char text[256];
    iedCount = 0;
    while (iedCount < kMinIeds || ieds.size() < kMinBytes) {
        const IedTemplate& source = templates[static_cast<size_t>(iedCount) % templates.size()];
        char name[32];
        snprintf(name, sizeof name, "BENCH%05d", iedCount);
        ieds += source.head;
        ieds += name;
        ieds += source.tail;
        ieds += '\n';
        for (int net = 0; net < kSubnetworks; ++net) {
            snprintf(text, sizeof text,
                     "<ConnectedAP iedName=\"%s\" apName=\"accessPoint1\"><Address>"
                     "<P type=\"IP\">10.%d.%d.%d</P><P type=\"IP-SUBNET\">255.255.0.0</P>"
                     "<P type=\"IP-GATEWAY\">10.%d.0.1</P><P type=\"OSI-TSEL\">0001</P></Address></ConnectedAP>\n",
                     name, net, iedCount / 250, iedCount % 250 + 1, net);
            subnetworks[net] += text;
        }
        ++iedCount;
    }
    std::string scd = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<SCL xmlns=\"http://www.iec.ch/61850/2003/SCL\" version=\"2007\" revision=\"B\">\n"
                      "<Header id=\"bench\"/>\n<Communication>\n";
    for (int net = 0; net < kSubnetworks; ++net) {
        snprintf(text, sizeof text, "<SubNetwork name=\"NET%d\" type=\"8-MMS\">\n", net);
        scd += text;
        scd += subnetworks[net];
        scd += "</SubNetwork>\n";
    }
    scd += "</Communication>\n";
    scd += ieds;
    scd += "</SCL>\n";
    return scd;
}

} // namespace

int main(int argc, char** argv)
{
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    const CString folder = SampleFolder(argc, argv);
    const std::vector<IedTemplate> templates = LoadTemplates(folder);
    if (templates.empty()) {
        printf("no sample IEDs in %s\n", (LPCSTR)folder);
        return 1;
    }
    int iedCount = 0;
    const std::string scd = GenerateScd(templates, iedCount);
    const CString path = TempFilePath("bench_scl_header.scd");
    WriteWholeFile(path, scd);
    printf("file %s, %.1f MB, %d IEDs from %d sample IEDs\n", (LPCSTR)path, scd.size() / 1e6, iedCount,
           static_cast<int>(templates.size()));

    double bestRead = 1e9;
    double bestScan = 1e9;
    double bestHeader = 1e9;
    INT_PTR records = 0;
    int scannedIeds = 0;
    for (int run = 0; run < kRuns; ++run) {
        double start = Seconds();
        if (ReadWithXmlLite(path) < 0) {
            printf("XmlLite read failed\n");
            return 1;
        }
        bestRead = std::min(bestRead, Seconds() - start);

        start = Seconds();
        CString info;
        const CString error = ScanSclFile(info, path);
        bestScan = std::min(bestScan, Seconds() - start);
        if (!error.IsEmpty()) {
            printf("scan failed: %s\n", (LPCSTR)error);
            return 1;
        }
        scannedIeds = 0;
        for (int at = info.Find("ipaddress,"); at >= 0; at = info.Find("ipaddress,", at + 1))
            ++scannedIeds;

        start = Seconds();
        CConnectedAPArray entries;
        ReadIedHeader(path, entries);
        bestHeader = std::min(bestHeader, Seconds() - start);
        records = entries.GetSize();
        for (INT_PTR i = 0; i < entries.GetSize(); ++i)
            delete entries[i];
    }
    ::DeleteFileA(path);
    printf("XmlLite read       %.3f s\n", bestRead);
    printf("ScanSclFile        %.3f s (%d IEDs, %.2f x the read)\n", bestScan, scannedIeds, bestScan / bestRead);
    printf("ReadIedHeader      %.3f s (%d records)\n", bestHeader, static_cast<int>(records));
    printf("peak working set   %.1f MiB\n", PeakWorkingSetMiB());
    printf("ratio %.2f\n", bestHeader / bestRead);
    ::CoUninitialize();
    return 0;
}
