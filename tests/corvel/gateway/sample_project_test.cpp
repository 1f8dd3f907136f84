// A project built from a shared SCL sample as a user builds it: the SCL file added, the IED placed, plain,
// report, GOOSE and command rows mapped from the IED's model tree, the tags packed into connections. The
// project is saved into "gateway-sample" in the build folder, its configuration written there as
// "in-process.xml" and its AOI files into "aoi-in-process", for cfggen and the XML checks that run after this
// test (cfggen_test.sh).
#include "config_test_support.h"

#include "corvel/gateway/aoi_export.h"
#include "corvel/model/ied_tree_loader.h"
#include "corvel/project/path_utils.h"
#include "support/com_apartment.h"
#include "../app/new_project_document.h"
#include "support/test_dirs.h"

#include <functional>

namespace {

using namespace ConfigTest;
using ::testing::ElementsAre;

constexpr char kSample[] = "scl/iec61850lib_examples_server_example_goose_simpleIO_direct_control_goose.cid";
constexpr char kIedName[] = "simpleIO";

// The sample's folder in the build folder, as the check after this test expects it.
CString SampleFolder()
{
    return CString(TestBinaryDir()) + "\\gateway-sample";
}

// Walks every item of the tree that carries a model record, with the texts of the items above it.
void ForEachRecord(const CIedTreeItems& tree, IedTreeItemId item, std::vector<CString>& parents,
                   const std::function<void(const std::vector<CString>&, const CTreeModelRecord&)>& visit)
{
    for (; item != kNoIedTreeItem; item = tree.GetNextSiblingItem(item)) {
        if (const CTreeModelRecord* record = tree.GetItemRecord(item))
            visit(parents, *record);
        parents.push_back(tree.GetItemText(item));
        ForEachRecord(tree, tree.GetChildItem(item), parents, visit);
        parents.pop_back();
    }
}

bool Contains(const std::vector<CString>& texts, const char* text)
{
    return std::find(texts.begin(), texts.end(), CString(text)) != texts.end();
}

// What the IED mapping dialog makes of the items the user drops: rows of the IED with their report-path
// entries and, for GOOSE members, the FCDA records.
class SampleMapper {
public:
    SampleMapper(CMainDoc& doc, _IED_DEVICE& ied, const CIedTreeLoader& loader)
        : m_doc(doc), m_ied(ied), m_loader(loader)
    {
    }

    // A leaf of a logical node: plain data, or a command row for a control leaf.
    void MapLeaf(const CTreeModelRecord& record)
    {
        const CString tagName = TagName(record, "");
        if (record.isControl) {
            // The command row names its data object: the path up to it is the command's base.
            CString path = record.dataPath;
            const CString objectName = path.Mid(path.Find("$CO$") + 4).SpanExcluding("$");
            CString model;
            model.Format("%d", record.ctlModel);
            AddRow({record.dataPath, tagName, record.dataType, "W", "", record.namePrefix, "Command", model,
                    objectName});
            return;
        }
        AddRow({"GenericIO/" + record.dataPath, tagName, record.dataType, "R", "", record.namePrefix});
    }

    // An attribute of a report control block.
    void MapReportMember(const CTreeModelRecord& record)
    {
        const CReportControl& report = record.report;
        const CString path = "GenericIO/RP/" + record.reportName + ":" + record.dataPath;
        AddRow({path, TagName(record, "_RP"), record.dataType, "R", "", record.namePrefix, "Report"});
        ReportPathEntry& entry = m_ied.ReportsPath[path];
        entry.tagName = TagName(record, "_RP");
        entry.dataType = record.dataType;
        entry.domName = record.namePrefix;
        entry.isReport = true;
        entry.iIndex = record.index;
        entry.iCount = record.count;
        entry.isBuffered = report.buffered;
        entry.groupOffset = record.boundaries;
        entry.iIntPd = report.intgPd;
        entry.isDchg = report.dchg;
        entry.isQchg = report.qchg;
        entry.isDupd = report.dupd;
        entry.isPeriod = report.period;
        entry.isGI = report.gi;
        entry.reportDomain = report.domain;
        entry.reportDataPath = report.lnName + (report.buffered ? "$BR$" : "$RP$") + report.name;
        entry.reportID = report.rptID;
        entry.reportConfRev = report.confRev;
        entry.dataSet = report.datSet;
    }

    // An attribute of a GOOSE control block.
    void MapGooseMember(const CTreeModelRecord& record)
    {
        const CGooseControl& goose = record.goose;
        const CString blockName = goose.gocbRef.Mid(goose.gocbRef.ReverseFind('$') + 1);
        const CString path = "GenericIO/GOOSE/" + blockName + ":" + record.dataPath;
        const CString tagName = TagName(record, "_GO");
        AddRow({path, tagName, record.dataType, "R", "", record.namePrefix, "Report"});
        ReportPathEntry& entry = m_ied.ReportsPath[path];
        entry.tagName = tagName;
        entry.dataType = record.dataType;
        entry.domName = record.namePrefix;
        entry.isReport = entry.isGOOSE = true;
        entry.iIndex = record.index;
        entry.iCount = record.count;
        entry.dataItems = record.dataItems;
        entry.appID = goose.appID;
        entry.gooseDataSet = goose.datSet;
        entry.gooseGCRef = goose.gocbRef;
        entry.gooseDataSetRef = goose.dataSetRef;
        entry.gooseReportDomain = goose.domain;
        entry.gooseDataItemDomain = record.namePrefix;
        entry.gooseReportConfRev = goose.confRev;
        entry.gooseMulticastMacAddr = goose.macAddress;
        // The data-set member the attribute belongs to keeps the tag's FCDA path.
        for (const _CFCDA* member : m_loader.m_gooseMembers) {
            if (record.dataPath.Find(member->FCDAPath) != 0)
                continue;
            auto* fcda = new _CFCDA;
            fcda->tagName = tagName;
            fcda->tagPath = path;
            fcda->FCDAPath = member->FCDAPath;
            fcda->dataSet = member->dataSet;
            fcda->domName = record.namePrefix;
            m_doc.project.fcdas.AddTail(fcda);
            break;
        }
    }

    // Packs the mapped tags into the input and output connections, as the EtherNet/IP mapping dialog's
    // Auto Assign does: sorted by path, inputs and outputs apart.
    void AssignTags()
    {
        CVQNSortingList inputs;
        CVQNSortingList outputs;
        for (const ConfiguredRow& row : m_ied.ConfiguredCache) {
            _TAGS tag;
            tag.tagPath = row[kColTagPath];
            tag.tagName = row[kColTagName];
            tag.dataType = row[kColDataType];
            tag.Access = row[kColAccess];
            (tag.Access == "R" ? inputs : outputs).Add(tag);
        }
        ASSERT_TRUE(inputs.Sort(nullptr));
        ASSERT_TRUE(outputs.Sort(nullptr));
        m_doc.tagsINP.AssignSortedTags(inputs);
        m_doc.tagsOUT.AssignSortedTags(outputs);
    }

private:
    static CString TagName(const CTreeModelRecord& record, const char* suffix)
    {
        CString name = record.namePrefix + "_" + record.dataPath + suffix;
        name.Replace('$', '_');
        return name;
    }
    void AddRow(std::initializer_list<CString> texts) { m_ied.ConfiguredCache.push_back(ConfiguredRow(texts)); }

    CMainDoc& m_doc;
    _IED_DEVICE& m_ied;
    const CIedTreeLoader& m_loader;
};

class SampleProject : public ComApartmentTest {};

TEST_F(SampleProject, BuildsSavesAndWritesItsConfiguration)
{
    SKIP_WITHOUT_SHARED_TESTDATA();
    MessageBoxRecorder boxes;
    const CString folder = SampleFolder();
    RemoveFolderTree(folder);
    ASSERT_TRUE(CreateFolder(folder));
    ASSERT_TRUE(CreateFolder(folder + "\\SCLFiles"));
    const CString sclPath = folder + "\\SCLFiles\\" + GetFileNameOfPath(SharedTestData(kSample));
    ASSERT_TRUE(::CopyFileA(SharedTestData(kSample), sclPath, FALSE));

    NewProjectDocument doc;
    doc.SetProjectName("Sample Substation");
    doc.AddSclFile(sclPath);
    CMainDoc::CConnectedAPArray entries;
    CMainDoc::ReadIedHeader(sclPath, entries);
    ASSERT_EQ(1, entries.GetSize());
    std::unique_ptr<CConnectedAP> header(entries[0]);
    _IED_DEVICE& ied = *doc.project.iedDevices.GetHead();
    PlaceIed(ied, sclPath, *header);
    doc.projectReady = true;
    ASSERT_STREQ(kIedName, ied.name);

    // The IED's model as the mapping dialog loads it, recording its control models into the project.
    CIedTreeLoader loader;
    loader.SetCtlModelMap(&doc.ctlModelMap);
    ASSERT_TRUE(loader.LoadSclDocument(sclPath));
    ASSERT_EQ(S_OK, loader.LoadIedModel(ied.name));
    EXPECT_TRUE(loader.GetMessages().empty());

    // The analog values and switch states as plain data, the switches' commands, the events report and
    // the magnitudes of the analog report, the switch states of the events GOOSE.
    SampleMapper mapper(doc, ied, loader);
    std::vector<CString> parents;
    const CIedTreeItems& tree = loader.GetItems();
    ForEachRecord(tree, tree.GetRootItem(), parents, [&](const std::vector<CString>& above, const CTreeModelRecord& record) {
        const bool isGgio = Contains(above, "GGIO1");
        if (record.isControlBlock && record.isGoose) {
            if (Contains(above, "gcbEvents") && record.dataPath.Find("$stVal") > 0)
                mapper.MapGooseMember(record);
        } else if (record.isControlBlock) {
            if (Contains(above, "EventsRCB01 : ") || record.dataPath.Find("$mag$f") > 0)
                mapper.MapReportMember(record);
        } else if (isGgio && record.isControl) {
            if (record.dataPath.Find("$Oper$ctlVal") > 0)
                mapper.MapLeaf(record);
        } else if (isGgio && (record.dataPath.Find("$MX$") > 0 || record.dataPath.Find("$stVal") > 0)) {
            mapper.MapLeaf(record);
        }
    });
    mapper.AssignTags();
    EXPECT_EQ(0u, boxes.Count()) << (boxes.Count() ? (LPCSTR)boxes.Last().text : "");

    // 22 plain rows (the 12 attributes of the analog values, 10 states), 4 commands, 4 + 4 report members,
    // 4 GOOSE members.
    int kinds[4] = {};
    for (const ConfiguredRow& row : ied.ConfiguredCache) {
        const CString kind = row.size() > kColTagType ? row[kColTagType] : CString();
        ++kinds[kind.IsEmpty() ? 0 : kind == "Command" ? 1 : ied.ReportsPath.at(row[kColTagPath]).isGOOSE ? 3 : 2];
    }
    EXPECT_EQ(4, kinds[1]);
    EXPECT_EQ(8, kinds[2]);
    EXPECT_EQ(4, kinds[3]);
    EXPECT_EQ(22, kinds[0]);
    EXPECT_EQ(34, doc.tagsINP.GetCount());
    EXPECT_EQ(4, doc.tagsOUT.GetCount());

    doc.SetProjectPath(folder + "\\sample.prj");
    ASSERT_TRUE(doc.SaveProject());
    int tagCount = 0;
    const auto result = doc.WriteDeviceConfig(folder + "\\in-process.xml", tagCount);
    EXPECT_TRUE(result.warnings.empty());
    EXPECT_EQ(static_cast<int>(ied.ConfiguredCache.size()), tagCount);
    EXPECT_EQ(0u, boxes.Count());

    const ParsedXml xml(folder + "\\in-process.xml");
    EXPECT_EQ(2u, Descendants(xml.Root(), "Report").size());
    EXPECT_EQ(1u, Descendants(xml.Root(), "Goose").size());
    EXPECT_THAT(AttributeOf(Children(xml.Find("Attachments"), "File"), "Type"), ElementsAre("cid", "prj", "prx"));

    // The AOI files, as Export AOI Files writes them into the folder the user chose.
    const CString aoiFolder = folder + "\\aoi-in-process";
    ASSERT_TRUE(CreateFolder(aoiFolder));
    Corvel::Gateway::CGenAOI aoi(Corvel::Gateway::CGenAOI::GetProjectDevices(doc.project));
    ASSERT_TRUE(doc.WriteAoiFiles(aoiFolder, aoi));
    EXPECT_THAT(aoi.GetWrittenFiles(), ElementsAre(aoiFolder + "\\simpleIO_AOI.L5X"));
    EXPECT_EQ(0u, boxes.Count());
}

} // namespace
