#include "corvel/model/ied_tree_loader.h"

#include "corvel/model/scl_reading.h"

#include <utility>

// String 143 of the program's resources.
const char kGooseLimitWarning[] =
    "Warning: Some GOOSE message Attributes exceed limitation. Those attributes will not be configurable.";
const char kReportInstanceLimitMessage[] = "Only 99 report instances are allowed";

CIedTreeLoader::CIedTreeLoader() = default;

CIedTreeLoader::~CIedTreeLoader() = default;

CString CIedTreeLoader::GetAttributeText(const DomNodePtr& node, LPCSTR name, const CString& defaultText)
{
    return ::GetAttributeText(node, name, defaultText);
}

int CIedTreeLoader::CtlModelFromText(const CString& text)
{
    return ::CtlModelFromText(text);
}

void CIedTreeLoader::Report(const CString& text, UINT type)
{
    m_messages.push_back({text, type});
}

IedTreeItemId CIedTreeLoader::InsertTreeItem(LPCSTR text, int icon, IedTreeItemId parent, CTreeModelRecord* record)
{
    return m_items.Add(parent, text, icon, std::unique_ptr<CTreeModelRecord>(record));
}

IedTreeItemId CIedTreeLoader::InsertReportItem(IedTreeItemId parent, LPCSTR text, int icon, const CString& dataPath,
                                               const CString& domain, const CString& dataType,
                                               const CString& dataSetName, const CString& reportName, int index,
                                               int count, const CReportControl& report, const CString& boundaries)
{
    auto record = std::make_unique<CTreeModelRecord>();
    record->dataPath.Format("%s", (LPCSTR)dataPath);
    record->namePrefix.Format("%s", (LPCSTR)domain);
    record->dataType.Format("%s", (LPCSTR)dataType);
    record->isControlBlock = 1;
    record->index = index;
    record->count = count;
    record->dataSetName.Format("%s", (LPCSTR)dataSetName);
    record->reportName.Format("%s", (LPCSTR)reportName);
    record->boundaries = boundaries;
    record->report = report;
    return InsertTreeItem(text, icon, parent, record.release());
}

IedTreeItemId CIedTreeLoader::InsertGooseItem(IedTreeItemId parent, LPCSTR text, int icon, const CString& dataPath,
                                              const CString& domain, const CString& dataType, int index, int count,
                                              const std::vector<_DATA_ITEM>& items, const CGooseControl& goose)
{
    auto record = std::make_unique<CTreeModelRecord>();
    record->dataPath.Format("%s", (LPCSTR)dataPath);
    record->namePrefix.Format("%s", (LPCSTR)domain);
    record->dataType.Format("%s", (LPCSTR)dataType);
    record->isControlBlock = 1;
    record->isGoose = 1;
    record->index = index;
    record->count = count;
    record->dataItems = items;
    record->goose = goose;
    record->goose.treeItem = kNoIedTreeItem;
    record->goose.linkedDataSet = nullptr;
    return InsertTreeItem(text, icon, parent, record.release());
}

bool CIedTreeLoader::LoadSclDocument(const CString& path)
{
    m_sclFilePath = path;
    try {
        m_document = CreateDomDocument();
        if (!LoadDomDocumentFromFile(m_document, path)) {
            const DomParseError error = GetParseError(m_document);
            CString message;
            message.Format("XML Parse Error 0x%x : %s", static_cast<unsigned>(error.errorCode), (LPCSTR)error.reason);
            Report(message, MB_OK);
            return false;
        }
    } catch (const ComError& error) {
        Report(SclLoadErrorText(error), MB_OK | MB_ICONERROR);
        return false;
    }
    return true;
}

HRESULT CIedTreeLoader::LoadIedModel(const CString& iedName)
{
    try {
        return BuildIedModel(iedName);
    } catch (const ComError& error) {
        Report(SclLoadErrorText(error), MB_OK | MB_ICONERROR);
        return FAILED(error.Error()) ? error.Error() : E_FAIL;
    }
}

HRESULT CIedTreeLoader::BuildIedModel(const CString& iedName)
{
    m_iedName = iedName;
    LoadLNodeTypes();
    LoadDATypes();
    LoadDOTypes();
    LoadGseAddresses();

    DomNodePtr iedNode;
    CString foundName;
    if (!FindIedNode(iedNode, foundName))
        return E_ABORT;

    const IedTreeItemId iedItem = InsertTreeItem(foundName, kImageIed, kIedTreeRoot);
    for (const SclLDevice& lDevice : CollectLDevices(iedNode)) {
        const CString& ldInst = lDevice.inst;
        CString desc;
        CString label = ldInst;
        if (CSclAttributes(lDevice.element).Find("desc", desc))
            label.Format("%s: %s", (LPCSTR)ldInst, (LPCSTR)desc);

        CLD* ld = m_iedModel.AddLD(ldInst);
        m_iedModel.iedName = m_iedName;
        const IedTreeItemId ldItem = InsertTreeItem(label, kImageLogicalDevice, iedItem);

        const CString ln0Name =
            LoadLogicalNodeZero(RequiredChildElement(lDevice.element, "LN0"), ldItem, ldInst, ld);
        LoadLogicalNodes(lDevice.element, ldItem, ln0Name, ldInst, ld);
    }
    RunReportPass();
    RunGoosePass();
    return S_OK;
}

CString CIedTreeLoader::LoadLogicalNodeZero(const DomNodePtr& ln0, IedTreeItemId ldItem, const CString& ldInst, CLD* ld)
{
    const LogicalNodeNames names = ReadLogicalNodeNames(CSclAttributes(ln0));
    const CString& ln0Name = names.name;
    CLN* ln = ld->AddLN(ln0Name);
    const IedTreeItemId ln0Item = InsertTreeItem(names.label, kImageLogicalNode, ldItem);
    AddDataObjects(names.lnType, m_iedName + ldInst, ln0Name, ln, ln0Item);

    LoadDataSets(ln0, m_dataSets);
    LoadReportControls(ln0, ln0Item, ln0Name, ldInst, m_dataSets, m_reports);
    LoadGooseControls(ln0, ln0Item, ln0Name, ldInst, m_dataSets, m_gooseControls);
    return ln0Name;
}

void CIedTreeLoader::AddDataObjects(const CString& lnType, const CString& domain, const CString& lnName, CLN* ln,
                              IedTreeItemId lnItem)
{
    auto* type = static_cast<CLNodeType*>(m_lnodeTypes.FindSclObject(lnType));
    if (type == nullptr)
        return;
    for (CLNodeTypeDO* dataObject : type->dataObjects) {
        CLnDataEntry* entry = ln->AddDataEntry(dataObject->name);
        const IedTreeItemId doItem = InsertTreeItem(dataObject->name, kImageDataObject, lnItem);
        ExpandDOType(domain, lnName, dataObject->name, m_doTypes, m_daTypes, dataObject->type, doItem, entry,
                     CString());
    }
}

void CIedTreeLoader::RunReportPass()
{
    for (const CReportControl& report : m_reports) {
        auto* dataSet = static_cast<CDataSet*>(m_dataSets.FindSclObject(report.datSet));
        if (dataSet == nullptr) {
            CString message;
            message.Format("The Report named %s\\%s ...\nis missing it's dataset and will not be available.",
                           (LPCSTR)report.rptID, (LPCSTR)report.name);
            Report(message, MB_OK);
            continue;
        }
        std::vector<_DATA_ITEM> attributes;
        CString boundaries = "0";
        for (_CFCDA* member : dataSet->members) {
            boundaries += ",";
            m_iedModel.CollectFcdaItems(attributes, member->ldInst, member->prefix, member->lnClass, member->lnInst,
                                        member->doName, member->daName, member->fc);
            boundaries.AppendFormat("%d", static_cast<int>(attributes.size()));
        }
        const int count = static_cast<int>(attributes.size());
        for (int i = 0; i < count; ++i) {
            const _DATA_ITEM& attribute = attributes[static_cast<size_t>(i)];
            InsertReportItem(report.treeItem, attribute.mmsDataPath, FcCode(attribute.FC), attribute.mmsDataPath,
                             attribute.domName, attribute.dataType, report.datSet, report.name, i, count, report,
                             boundaries);
        }
    }
}

void CIedTreeLoader::RunGoosePass()
{
    for (const CGooseControl& goose : m_gooseControls) {
        std::vector<_DATA_ITEM> attributes;
        if (goose.linkedDataSet != nullptr) {
            for (_CFCDA* member : goose.linkedDataSet->members) {
                if (member == nullptr)
                    continue;
                m_iedModel.CollectFcdaItems(attributes, member->ldInst, member->prefix, member->lnClass,
                                            member->lnInst, member->doName, member->daName, member->fc);
                member->FCDAPath.Format("%s%s%s$%s$%s", (LPCSTR)member->prefix, (LPCSTR)member->lnClass,
                                        (LPCSTR)member->lnInst, (LPCSTR)member->fc, (LPCSTR)member->doName);
                if (!member->daName.IsEmpty())
                    member->FCDAPath += "$" + member->daName;
                member->dataSet = goose.dataSetRef;
                m_gooseMembers.push_back(member);
            }
        }
        CString previous;
        int index = 0;
        for (size_t k = 0; k < attributes.size();) {
            const _DATA_ITEM attribute = attributes[k];
            const int icon = FcCode(attribute.FC);
            if (attribute.mmsDataPath == previous) {
                attributes.erase(attributes.begin() + static_cast<std::ptrdiff_t>(k));
                continue;
            }
            InsertGooseItem(goose.treeItem, attribute.mmsDataPath, icon, attribute.mmsDataPath, attribute.domName,
                            attribute.dataType, index, static_cast<int>(attributes.size()), attributes, goose);
            previous = attribute.mmsDataPath;
            ++index;
            if (index > kMaxGooseAttributes)
                Report(kGooseLimitWarning, MB_OK | MB_ICONWARNING);
            ++k;
        }
    }
}
