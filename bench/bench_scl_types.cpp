// Loads the type templates of a large generated SCL file and compares the time with a bare XmlLite read.
#include "bench_support.h"

#include "corvel/model/ied_tree_loader.h"

namespace {

constexpr int kDOTypes = 4000;
constexpr int kLNodeTypes = 1000;
constexpr int kDATypes = 600;
constexpr int kDOsPerLNodeType = 12;
constexpr int kRuns = 5;

std::string GenerateScl()
{
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SCL xmlns=\"http://www.iec.ch/61850/2003/SCL\">\n"
                       "<IED name=\"BENCH\"><AccessPoint name=\"AP1\"/></IED>\n<DataTypeTemplates>\n";
    char line[512];
    for (int i = 0; i < kLNodeTypes; ++i) {
        snprintf(line, sizeof line, "<LNodeType id=\"LNT%d\" lnClass=\"GGIO\">\n", i);
        text += line;
        for (int d = 0; d < kDOsPerLNodeType; ++d) {
            snprintf(line, sizeof line, "  <DO name=\"%s%d\" type=\"DOT%d\"/>\n", d == 0 ? "Pos" : "Ind", d,
                     (i * kDOsPerLNodeType + d) % kDOTypes);
            text += line;
        }
        text += "</LNodeType>\n";
    }
    for (int i = 0; i < kDOTypes; ++i) {
        snprintf(line, sizeof line,
                 "<DOType id=\"DOT%d\" cdc=\"DPC\">\n"
                 "  <DA name=\"Oper\" bType=\"Struct\" type=\"DAT%d\" fc=\"CO\"/>\n"
                 "  <DA name=\"stVal\" bType=\"Dbpos\" fc=\"ST\" dchg=\"true\"/>\n"
                 "  <DA name=\"q\" bType=\"Quality\" fc=\"ST\" qchg=\"true\"/>\n"
                 "  <DA name=\"t\" bType=\"Timestamp\" fc=\"ST\"/>\n"
                 "  <DA name=\"ctlModel\" bType=\"Enum\" type=\"ctlModels\" fc=\"CF\"><Val>%s</Val></DA>\n"
                 "  <DA name=\"sboTimeout\" bType=\"INT32U\" fc=\"CF\"/>\n"
                 "  <DA name=\"d\" bType=\"VisString255\" fc=\"DC\"/>\n"
                 "  <SDO name=\"sub\" type=\"SUBT\"/>\n"
                 "</DOType>\n",
                 i, i % kDATypes, i % 2 ? "sbo-with-enhanced-security" : "direct-with-normal-security");
        text += line;
    }
    text += "<DOType id=\"SUBT\"><DA name=\"stVal\" bType=\"BOOLEAN\" fc=\"ST\"/></DOType>\n";
    for (int i = 0; i < kDATypes; ++i) {
        snprintf(line, sizeof line,
                 "<DAType id=\"DAT%d\">\n  <BDA name=\"ctlVal\" bType=\"BOOLEAN\"/>\n"
                 "  <BDA name=\"origin\" bType=\"Struct\" type=\"Originator\"/>\n"
                 "  <BDA name=\"ctlNum\" bType=\"INT8U\"/>\n  <BDA name=\"T\" bType=\"Timestamp\"/>\n</DAType>\n",
                 i);
        text += line;
    }
    text += "</DataTypeTemplates>\n</SCL>\n";
    return text;
}

// Time of each step: DOM load, LNodeTypes, DATypes, DOTypes.
double g_steps[4];

double LoadTypes(const CString& path, int& doTypes)
{
    const double start = Seconds();
    CIedTreeLoader tree;
    tree.m_iedName = "BENCH";
    tree.m_document = CreateDomDocument();
    if (!LoadDomDocumentFromFile(tree.m_document, path))
        return -1;
    double mark = Seconds();
    g_steps[0] = mark - start;
    tree.LoadLNodeTypes();
    g_steps[1] = Seconds() - mark;
    mark = Seconds();
    tree.LoadDATypes();
    g_steps[2] = Seconds() - mark;
    mark = Seconds();
    tree.LoadDOTypes();
    g_steps[3] = Seconds() - mark;
    doTypes = tree.m_doTypes.GetObjectCount();
    return Seconds() - start;
}

} // namespace

int main()
{
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    const CString path = TempFilePath("bench_scl_types.scd");
    const std::string text = GenerateScl();
    WriteWholeFile(path, text);
    printf("file %s, %.1f MB, %d DOTypes, %d LNodeTypes, %d DATypes\n", (LPCSTR)path, text.size() / 1e6, kDOTypes,
           kLNodeTypes, kDATypes);

    double bestRead = 1e9;
    double bestLoad = 1e9;
    int doTypes = 0;
    try {
        for (int run = 0; run < kRuns; ++run) {
            const double start = Seconds();
            if (ReadWithXmlLite(path) < 0) {
                printf("XmlLite read failed\n");
                return 1;
            }
            bestRead = std::min(bestRead, Seconds() - start);
            const double load = LoadTypes(path, doTypes);
            if (load < 0) {
                printf("load failed\n");
                return 1;
            }
            bestLoad = std::min(bestLoad, load);
        }
    } catch (const ComError& error) {
        printf("load failed: %s\n", (LPCSTR)error.Text());
        return 1;
    }
    ::DeleteFileA(path);
    printf("XmlLite read     %.3f s\n", bestRead);
    printf("type templates   %.3f s (%d DOTypes kept)\n", bestLoad, doTypes);
    printf("  last run: DOM %.3f s, LNodeTypes %.3f s, DATypes %.3f s, DOTypes %.3f s\n", g_steps[0], g_steps[1],
           g_steps[2], g_steps[3]);
    printf("ratio %.2f\n", bestLoad / bestRead);
    ::CoUninitialize();
    return 0;
}
