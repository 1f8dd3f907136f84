// The instance loaders of CIedTreeLoader: logical devices and nodes, data sets, report and GOOSE control blocks.
#include "corvel/model/ied_tree_loader.h"

#include "corvel/model/scl_reading.h"

#include <memory>

namespace {

// Names are compared in code rather than put into selection expressions, which must stay fixed.
const char kIeds[] = "//SCL/IED";
const char kConnectedAPs[] = "//SCL/Communication/SubNetwork/ConnectedAP";
const char kLNodeTypes[] = "//SCL/DataTypeTemplates/LNodeType";
const char kDOTypes[] = "//SCL/DataTypeTemplates/DOType";

// The child elements of node named name, in document order.
std::vector<DomNodePtr> ChildElementsNamed(const DomNodePtr& node, LPCSTR name)
{
    std::vector<DomNodePtr> found;
    CChildElements children(node);
    for (DomNodePtr child = children.Next(); child; child = children.Next()) {
        if (IsNamed(child, name))
            found.push_back(child);
    }
    return found;
}

// The first child element whose "name" attribute is name, or empty.
DomNodePtr FindChildByNameAttribute(const DomNodePtr& node, LPCSTR elementName, LPCSTR name)
{
    CChildElements children(node);
    for (DomNodePtr child = children.Next(); child; child = children.Next()) {
        if (elementName != nullptr && !IsNamed(child, elementName))
            continue;
        CString text;
        if (CSclAttributes(child).Find("name", text) && text == name)
            return child;
    }
    return DomNodePtr();
}

// The first element of the selection whose "id" is id; raises ComError naming what is missing when none is.
DomNodePtr RequiredTypeElement(const DomNodePtr& document, LPCSTR expression, LPCSTR elementName, const CString& id)
{
    CSelection types(document, expression);
    for (DomNodePtr element = types.Next(); element; element = types.Next()) {
        CString text;
        if (CSclAttributes(element).Find("id", text) && text == id)
            return element;
    }
    CString message;
    message.Format("Cannot load the SCL file: the element <%s id=\"%s\"> is missing.", elementName, (LPCSTR)id);
    throw ComError(E_POINTER, message);
}

// The first Address/P element of a GSE whose type is "MAC-Address", or empty.
DomNodePtr FindMacAddress(const DomNodePtr& gse)
{
    for (const DomNodePtr& address : ChildElementsNamed(gse, "Address")) {
        for (const DomNodePtr& p : ChildElementsNamed(address, "P")) {
            CString type;
            if (CSclAttributes(p).Find("type", type) && type == "MAC-Address")
                return p;
        }
    }
    return DomNodePtr();
}

bool IsTrue(const CString& text)
{
    return text == "true";
}

} // namespace

std::vector<SclLDevice> CIedTreeLoader::CollectLDevices(const DomNodePtr& iedNode)
{
    std::vector<SclLDevice> lDevices;
    for (const DomNodePtr& accessPoint : ChildElementsNamed(iedNode, "AccessPoint")) {
        CSclAttributes(accessPoint).Required("name");
        for (const DomNodePtr& server : ChildElementsNamed(accessPoint, "Server")) {
            for (const DomNodePtr& lDevice : ChildElementsNamed(server, "LDevice"))
                lDevices.push_back({lDevice, CSclAttributes(lDevice).Required("inst")});
        }
    }
    return lDevices;
}

std::vector<CDataSet*> CIedTreeLoader::LoadDataSets(const DomNodePtr& ln0, CSclObjectMap& dataSets)
{
    std::vector<CDataSet*> loaded;
    for (const DomNodePtr& element : ChildElementsNamed(ln0, "DataSet")) {
        const CSclAttributes attributes(element);
        auto dataSet = std::make_unique<CDataSet>();
        dataSet->name = attributes.Required("name");
        dataSet->desc = attributes.Get("desc");
        for (const DomNodePtr& fcda : ChildElementsNamed(element, "FCDA")) {
            const CSclAttributes member(fcda);
            const CString doName = member.Get("doName");
            const CString ldInst = member.Get("ldInst");
            const CString prefix = member.Get("prefix");
            const CString lnInst = member.Get("lnInst");
            const CString lnClass = member.Get("lnClass");
            const CString fc = member.Get("fc");
            const CString daName = member.Get("daName");
            dataSet->AddFCDA(doName, daName, ldInst, prefix, lnInst, lnClass, fc);
        }
        loaded.push_back(dataSets.AddDataSet(dataSet.release()));
    }
    return loaded;
}

int CIedTreeLoader::LoadReportControls(const DomNodePtr& ln0, IedTreeItemId ln0Item, const CString& ln0Name,
                                 const CString& ldName, CSclObjectMap& /*dataSets*/,
                                 std::vector<CReportControl>& reports)
{
    const std::vector<DomNodePtr> blocks = ChildElementsNamed(ln0, "ReportControl");
    if (blocks.empty())
        return 0;
    const IedTreeItemId reportsItem = InsertTreeItem("Reports", kImageReport, ln0Item);
    int appended = 0;
    for (const DomNodePtr& block : blocks) {
        const CSclAttributes attributes(block);
        const CString name = attributes.Required("name");
        CString desc;
        const bool hasDesc = attributes.Find("desc", desc);
        CString label = name;
        if (hasDesc)
            label.Format("%s : %s", (LPCSTR)name, (LPCSTR)desc);
        if (!attributes.Has("datSet"))
            continue;

        CReportControl report;
        report.intgPd = ReadDecimal(attributes.Get("intgPd", "0"));
        report.rptID = attributes.Get("rptID");
        report.bufTime = attributes.Get("bufTime");
        report.confRev = attributes.Get("confRev");
        report.datSet = attributes.Get("datSet");
        report.name = name;
        report.buffered = IsTrue(attributes.Get("buffered", "false"));
        report.reference.Format(report.buffered ? "%s$BR$%s" : "%s$RP$%s", (LPCSTR)ln0Name, (LPCSTR)name);
        report.lnName = ln0Name;
        report.domain = m_iedName + ldName;

        if (const DomNodePtr trgOps = FindChildElement(block, "TrgOps")) {
            const CSclAttributes triggers(trgOps);
            report.dchg = IsTrue(triggers.Get("dchg", "false"));
            report.qchg = IsTrue(triggers.Get("qchg", "false"));
            report.dupd = IsTrue(triggers.Get("dupd", "false"));
            report.period = IsTrue(triggers.Get("period", "false"));
            report.gi = IsTrue(triggers.Get("gi", "true"));
        } else {
            report.dchg = report.qchg = report.dupd = report.period = true;
            report.gi = false;
        }
        if (const DomNodePtr optFields = FindChildElement(block, "OptFields")) {
            const CSclAttributes fields(optFields);
            report.bufOvfl = fields.Get("bufOvfl");
            report.configRef = fields.Get("configRef");
            report.dataRef = fields.Get("dataRef");
            report.dataSet = fields.Get("dataSet");
            report.entryID = fields.Get("entryID");
            report.reasonCode = fields.Get("reasonCode");
            report.seqNum = fields.Get("seqNum");
            report.timeStamp = fields.Get("timeStamp");
            report.segmentation = fields.Get("segmentation");
        }

        int instances = -1;
        if (const DomNodePtr rptEnabled = FindChildElement(block, "RptEnabled"))
            instances = ReadDecimal(CSclAttributes(rptEnabled).Get("max", "-1"));
        if (instances == -1) {
            report.treeItem = InsertTreeItem(label, kImageReport, reportsItem);
            reports.push_back(report);
            ++appended;
            continue;
        }
        if (instances > kMaxReportInstances) {
            Report(kReportInstanceLimitMessage, MB_OK);
            instances = kMaxReportInstances;
        }
        for (int i = 1; i <= instances; ++i) {
            CReportControl instance = report;
            instance.name.Format("%s%02d", (LPCSTR)name, i);
            CString instanceLabel;
            instanceLabel.Format(i < 10 ? "%s0%d : %s" : "%s%d : %s", (LPCSTR)name, i, (LPCSTR)desc);
            instance.treeItem = InsertTreeItem(instanceLabel, kImageReport, reportsItem);
            reports.push_back(instance);
            ++appended;
        }
    }
    return appended;
}

void CIedTreeLoader::LoadGseAddresses()
{
    CSelection connectedAPs(m_document, kConnectedAPs);
    for (DomNodePtr connectedAP = connectedAPs.Next(); connectedAP; connectedAP = connectedAPs.Next()) {
        CString iedName;
        if (!CSclAttributes(connectedAP).Find("iedName", iedName) || iedName != m_iedName)
            continue;
        for (const DomNodePtr& gse : ChildElementsNamed(connectedAP, "GSE")) {
            const CSclAttributes attributes(gse);
            CString key;
            key.Format("%s_%s", (LPCSTR)attributes.Get("ldInst"), (LPCSTR)attributes.Get("cbName"));
            // The address is optional in SCL: a GSE without one gives its block no MAC address.
            const DomNodePtr mac = FindMacAddress(gse);
            if (!mac)
                continue;
            CString text = NodeText(mac);
            text.Replace('-', ' ');
            m_gseAddresses[key] = text;
        }
    }
}

DomNodePtr CIedTreeLoader::FindIedNode(DomNodePtr& node, CString& name)
{
    node = nullptr;
    CSelection ieds(m_document, kIeds);
    for (DomNodePtr ied = ieds.Next(); ied; ied = ieds.Next()) {
        CString iedName;
        if (CSclAttributes(ied).Find("name", iedName) && iedName == m_iedName) {
            node = ied;
            name = iedName;
            break;
        }
    }
    return node;
}

int CIedTreeLoader::LoadGooseControls(const DomNodePtr& ln0, IedTreeItemId ln0Item, const CString& ln0Name,
                                const CString& ldName, CSclObjectMap& dataSets,
                                std::vector<CGooseControl>& gooseControls)
{
    const std::vector<DomNodePtr> blocks = ChildElementsNamed(ln0, "GSEControl");
    if (blocks.empty())
        return 0;
    const IedTreeItemId gooseItem = InsertTreeItem("Goose", kImageGoose, ln0Item);
    int appended = 0;
    for (const DomNodePtr& block : blocks) {
        const CSclAttributes attributes(block);
        const CString name = attributes.Required("name");
        CString desc;
        CString label = name;
        if (attributes.Find("desc", desc) && !desc.IsEmpty())
            label.Format("%s : %s", (LPCSTR)name, (LPCSTR)desc);
        CString datSet;
        if (!attributes.Find("datSet", datSet))
            continue;

        CGooseControl goose;
        goose.treeItem = InsertTreeItem(label, kImageGoose, gooseItem);
        goose.linkedDataSet = static_cast<CDataSet*>(dataSets.FindSclObject(datSet));
        goose.domain = m_iedName + ldName;
        goose.datSet = datSet;
        goose.confRev = attributes.Get("confRev");
        goose.appID = attributes.Get("appID");
        goose.dataSetRef.Format("%s/%s$%s", (LPCSTR)goose.domain, (LPCSTR)ln0Name, (LPCSTR)datSet);
        goose.gocbRef.Format("%s/%s$GO$%s", (LPCSTR)goose.domain, (LPCSTR)ln0Name, (LPCSTR)name);
        CString key;
        key.Format("%s_%s", (LPCSTR)ldName, (LPCSTR)name);
        const auto address = m_gseAddresses.find(key);
        if (address != m_gseAddresses.end())
            goose.macAddress = address->second;
        gooseControls.push_back(goose);
        ++appended;
    }
    return appended;
}

void CIedTreeLoader::RecordLargerCtlModel(const CString& domain, const CString& path, int code)
{
    if (code > LookupCtlModel(*m_ctlModels, domain, path))
        StoreCtlModel(*m_ctlModels, domain, path, code);
}

void CIedTreeLoader::LoadLogicalNodes(const DomNodePtr& lDevice, IedTreeItemId ldItem, const CString& ln0Name,
                                const CString& ldName, CLD* ld)
{
    const CString domain = m_iedName + ldName;
    for (const DomNodePtr& element : ChildElementsNamed(lDevice, "LN")) {
        const LogicalNodeNames names = ReadLogicalNodeNames(CSclAttributes(element));
        const CString& lnName = names.name;
        const CString& lnType = names.lnType;
        CLN* ln = ld->AddLN(lnName);
        const IedTreeItemId lnItem = InsertTreeItem(names.label, kImageLogicalNode, ldItem);

        for (const DomNodePtr& doi : ChildElementsNamed(element, "DOI")) {
            const CString doiName = CSclAttributes(doi).Required("name");
            const DomNodePtr dai = FindChildByNameAttribute(doi, "DAI", "ctlModel");
            if (!dai)
                continue;
            CString objectPath;
            objectPath.Format("%s%s$%s$%s", (LPCSTR)m_iedName, (LPCSTR)ldName, (LPCSTR)ln0Name, (LPCSTR)doiName);
            if (const DomNodePtr value = FindChildElement(dai, "Val")) {
                const int code = CtlModelFromText(NodeText(value));
                if (code <= 0)
                    continue;
                static const LPCSTR kControlPaths[] = {"%s$CO$%s$Oper", "%s$CO$%s$Cancel", "%s$SP$%s$Oper",
                                                       "%s$SP$%s$Cancel"};
                RecordLargerCtlModel(domain, objectPath, code);
                for (LPCSTR format : kControlPaths) {
                    CString path;
                    path.Format(format, (LPCSTR)lnName, (LPCSTR)doiName);
                    RecordLargerCtlModel(domain, path, code);
                }
                continue;
            }
            // No value in the instance: the ctlModel of the type of the node's "Mod".
            const DomNodePtr lnodeType = RequiredTypeElement(m_document, kLNodeTypes, "LNodeType", lnType);
            const DomNodePtr mod = FindChildByNameAttribute(lnodeType, nullptr, "Mod");
            if (!mod)
                continue;
            const CString modType = CSclAttributes(mod).Required("type");
            const DomNodePtr doType = RequiredTypeElement(m_document, kDOTypes, "DOType", modType);
            const DomNodePtr ctlModel = FindChildByNameAttribute(doType, nullptr, "ctlModel");
            if (!ctlModel)
                continue;
            const int code = CtlModelFromText(NodeText(ctlModel));
            if (code > 0)
                StoreCtlModel(*m_ctlModels, domain, objectPath, code);
        }
        AddDataObjects(lnType, domain, lnName, ln, lnItem);
    }
}
