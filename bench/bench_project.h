// BenchProject: the records of a large project built in memory, without a document: 20 IEDs of 1,000 mapped
// tags each, with plain data, commands, reports and GOOSE subscriptions, the tags packed into connections
// and messages.
#pragma once

#include "bench_support.h"

#include "corvel/project/kor_exceptions.h"
#include "corvel/project/project_xml.h"

#include <algorithm>

namespace BenchData {

using namespace Corvel::Records;

constexpr int kIeds = 20;
constexpr int kPlainRows = 500;
constexpr int kCommandRows = 50;
constexpr int kReports = 5;
constexpr int kReportMembers = 100; // attributes of each report's data set, every other one mapped
constexpr int kGooseBlocks = 2;
constexpr int kGooseMembers = 120; // items of each GOOSE data set, the first 100 mapped
constexpr int kGooseMapped = 100;
constexpr int kConnectionTags = 100; // input tags per IED in its connection
constexpr int kMessageTags = 100;
constexpr int kRuns = 5;

const char* const kPlainTypes[] = {"FLOAT32", "BOOLEAN", "INT16", "Quality", "Timestamp", "INT32U"};

inline CString Text(const char* format, int a, int b = 0, int c = 0)
{
    CString text;
    text.Format(format, a, b, c);
    return text;
}

// The records a project document owns, without the document.
struct BenchProject {
    _PROJECT project;
    CVQNTagsList tagsINP;
    CVQNTagsList tagsOUT;
    CVQNTagsList tagsMSG;
    CtlModelMap ctlModels;
    CStringArray fileList;

    BenchProject()
    {
        ApplyNewProjectSettings(project);
        project.numPorts = 2;
        project.port61850 = 1;
        project.portPLC = 1;
        project.prjName = "Benchmark";
        for (int i = 0; i < kIeds; ++i) {
            auto device = MakeIedSlot(1066 + i);
            FillIed(*device, i);
            project.iedDevices.AddTail(device.release());
        }
        for (int m = 0; m < kMessageTags; ++m) {
            _TAGS tag;
            tag.tagName = Text("Message%d", m);
            tag.Access = "R";
            tag.dataType = "VisString255";
            tag.StartAddr = m + 1;
            tagsMSG.AddTag(tag);
        }
    }
    ~BenchProject()
    {
        DeleteRecords(project.iedDevices);
        DeleteRecords(project.fcdas);
    }

    ProjectXmlContent Content() { return ProjectXmlContent{project, tagsINP, tagsOUT, tagsMSG, ctlModels, fileList}; }

    void FillIed(_IED_DEVICE& ied, int index)
    {
        const CString name = Text("IED%02d", index);
        const CString domain = name + "LD0";
        ied.state = kSlotInUse;
        ied.name = ied.label = name;
        ied.IPaddr = Text("10.0.%d.%d", index / 200, index % 200 + 1);
        ied.MMSping = "10";
        for (int r = 0; r < kPlainRows; ++r) {
            const CString path = Text("LD0/GGIO%d$MX$AnIn%d$mag$f", r / 50 + 1, r % 50 + 1);
            const CString tag = name + Text("_AnIn%d_%d", r, index);
            ied.ConfiguredCache.push_back({path, tag, kPlainTypes[r % 6], "R", "analog", domain});
            if (r < kConnectionTags)
                AddAssigned(tagsINP, tag, index, r * 4, "R");
        }
        for (int c = 0; c < kCommandRows; ++c) {
            const CString object = Text("SPCSO%d", c + 1);
            const CString path = Text("CSWI%d$CO$", c / 10 + 1) + object + "$Oper$ctlVal";
            const CString tag = name + Text("_Cmd%d", c);
            ied.ConfiguredCache.push_back({path, tag, "BOOLEAN", "W", "command", domain, "Command", "1", object});
            ctlModels[CtlModelKey(domain, Text("CSWI%d$CO$", c / 10 + 1) + object)] = 1 + c % 4;
            AddAssigned(tagsOUT, tag, index, c, "W");
        }
        for (int b = 0; b < kReports; ++b) {
            ReportPathEntry entry;
            entry.isReport = true;
            entry.iCount = kReportMembers;
            entry.reportDomain = domain;
            entry.reportDataPath = Text("LLN0$BR$brcb%d01", b);
            entry.reportID = name + Text("/LLN0$BR$brcb%d", b);
            entry.reportConfRev = "1";
            entry.isBuffered = true;
            entry.iIntPd = 1000;
            entry.isDchg = entry.isGI = true;
            entry.groupOffset = "0";
            for (int k = 1; k <= kReportMembers; ++k)
                entry.groupOffset += Text(",%d", k);
            for (int k = 0; k < kReportMembers; k += 2) {
                const CString path = name + Text("LD0/BR/brcb%d01:MMXU%d$MX$A$phs%d$cVal$mag$f", b, b + 1, k);
                const CString tag = name + Text("_Rpt%d_%d", b, k);
                ied.ConfiguredCache.push_back({path, tag, "FLOAT32", "R", "report", domain, "Report"});
                entry.tagName = tag;
                entry.iIndex = k;
                ied.ReportsPath[path] = entry;
            }
        }
        for (int g = 0; g < kGooseBlocks; ++g) {
            ReportPathEntry entry;
            entry.isReport = entry.isGOOSE = true;
            entry.iCount = kGooseMembers;
            entry.appID = Text("0x%04X", 0x3000 + index * kGooseBlocks + g);
            entry.gooseGCRef = domain + Text("/LLN0$GO$gcb%d", g);
            entry.gooseDataSetRef = domain + Text("/LLN0$GooseDS%d", g);
            entry.gooseReportConfRev = "1";
            entry.gooseMulticastMacAddr = "01 0C CD 01 00 01";
            entry.gooseDataItemDomain = domain;
            for (int k = 0; k < kGooseMembers; ++k) {
                entry.dataItems.push_back(_DATA_ITEM{"ST", "BOOLEAN", "stVal", Text("GGIO%d$ST$Ind%d$stVal", g + 1, k),
                                                     domain, ""});
            }
            for (int k = 0; k < kGooseMapped; ++k) {
                const CString mmsPath = Text("GGIO%d$ST$Ind%d$stVal", g + 1, k);
                const CString path = domain + Text("/GOOSE/gcb%d:", g) + mmsPath;
                const CString tag = name + Text("_Goose%d_%d", g, k);
                ied.ConfiguredCache.push_back({path, tag, "BOOLEAN", "R", "goose", domain, "Report"});
                entry.tagName = tag;
                entry.iIndex = k;
                ied.ReportsPath[path] = entry;
                auto* fcda = new _CFCDA;
                fcda->tagName = tag;
                fcda->FCDAPath = Text("GGIO%d$ST$Ind%d", g + 1, k);
                project.fcdas.AddTail(fcda);
            }
        }
    }

    static void AddAssigned(CVQNTagsList& list, const CString& name, int conn, int start, const char* access)
    {
        _TAGS tag;
        tag.tagName = name;
        tag.Conn = conn;
        tag.StartAddr = start;
        tag.Access = access;
        list.AddTag(tag);
    }
};

// Runs write kRuns times, printing the time of each run; the best time, or -1 after the first run that failed
// (write returned false or threw, which is printed).
template <class Write>
double BestRunSeconds(Write write)
{
    double best = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        const double start = Seconds();
        try {
            if (!write())
                return -1;
        } catch (Korvane::Exceptions::CKorException& e) {
            printf("writing failed: %s\n", e.Message());
            return -1;
        }
        const double elapsed = Seconds() - start;
        best = std::min(best, elapsed);
        printf("run %d: %.3f s\n", run + 1, elapsed);
    }
    return best;
}

} // namespace BenchData
