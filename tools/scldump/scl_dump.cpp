#include "tools/scldump/scl_dump.h"

#include "corvel/app/main_doc.h"
#include "corvel/model/scl_reading.h"

#include <shlwapi.h>

#include <memory>
#include <vector>

namespace {

void AppendLine(std::string& out, const CString& line)
{
    out += (LPCSTR)line;
    out += '\n';
}

void DumpItems(const CIEDTree& tree, HTREEITEM item, int depth, std::string& out)
{
    for (; item != nullptr; item = tree.GetNextSiblingItem(item)) {
        int image = 0;
        int selectedImage = 0;
        tree.GetItemImage(item, image, selectedImage);
        CString line(' ', depth * 2);
        line.AppendFormat("%d %s", image, (LPCSTR)tree.GetItemText(item));
        if (const CTreeModelRecord* record = tree.GetItemRecord(item))
            line += " | " + record->dataPath;
        AppendLine(out, line);
        DumpItems(tree, tree.GetChildItem(item), depth + 1, out);
    }
}

} // namespace

bool DumpSclHeader(const CString& path, std::string& out, CString& error)
{
    CString info;
    error = CMainDoc::ScanSclFile(info, path);
    if (!error.IsEmpty())
        return false;
    AppendLine(out, info);
    CMainDoc::CConnectedAPArray entries;
    CMainDoc::ReadIedHeader(path, entries);
    std::vector<std::unique_ptr<CConnectedAP>> owned;
    for (INT_PTR i = 0; i < entries.GetSize(); ++i)
        owned.emplace_back(entries[i]);
    const auto shown = [](const CString& text) { return text.IsEmpty() ? CString("-") : text; };
    for (const auto& entry : owned) {
        CString line;
        line.Format("AP %s %s %s %s", (LPCSTR)shown(entry->ied.name), (LPCSTR)shown(entry->IP),
                    (LPCSTR)shown(entry->IP_SUBNET), (LPCSTR)shown(entry->IP_GATEWAY));
        AppendLine(out, line);
    }
    return true;
}

std::string DumpTree(const CIEDTree& tree)
{
    std::string out;
    DumpItems(tree, tree.GetRootItem(), 0, out);
    return out;
}

bool DumpSclTypes(const CString& path, std::string& out, CString& error)
{
    try {
        const DomDocumentPtr document = CreateDomDocument();
        if (!LoadDomDocumentFromFile(document, path)) {
            const DomParseError parseError = GetParseError(document);
            error.Format("XML Parse Error 0x%x : %s", static_cast<unsigned>(parseError.errorCode),
                         (LPCSTR)parseError.reason);
            return false;
        }
        CSelection ieds(document, "//SCL/IED");
        for (DomNodePtr ied = ieds.Next(); ied; ied = ieds.Next()) {
            CIEDTree tree;
            tree.m_document = document;
            tree.m_iedName = CSclAttributes(ied).Required("name");
            tree.LoadLNodeTypes();
            tree.LoadDATypes();
            tree.LoadDOTypes();
            CString line;
            line.Format("IED %s\nLNodeTypes %d\nDOTypes %d\nDATypes %d", (LPCSTR)tree.m_iedName,
                        tree.m_lnodeTypes.GetObjectCount(), tree.m_doTypes.GetObjectCount(),
                        tree.m_daTypes.GetObjectCount());
            AppendLine(out, line);
            for (const SclLDevice& lDevice : tree.CollectLDevices(ied)) {
                const DomNodePtr ln0 = FindChildElement(lDevice.element, "LN0");
                if (!ln0)
                    continue;
                for (const CDataSet* dataSet : tree.LoadDataSets(ln0, tree.m_dataSets)) {
                    line.Format("DataSet %s/%s %d", (LPCSTR)lDevice.inst, (LPCSTR)dataSet->name,
                                static_cast<int>(dataSet->members.GetSize()));
                    AppendLine(out, line);
                }
            }
        }
        return true;
    } catch (const ComError& comError) {
        error = SclLoadErrorText(comError);
        return false;
    }
}

namespace {

constexpr UINT kTreeControlId = 100;
// The device number of the IED in the project that DumpIedModel makes.
constexpr int kDumpDeviceId = 1;

// Whether the tree's document was read and holds an IED named iedName (true when it could not be read: its
// error was reported already).
bool FindIedInDocument(CIEDTree& tree, const CString& iedName)
{
    try {
        if (!tree.m_document || GetParseError(tree.m_document).errorCode != 0)
            return true;
        CSelection ieds(tree.m_document, "//SCL/IED");
        for (DomNodePtr ied = ieds.Next(); ied; ied = ieds.Next()) {
            CString name;
            if (CSclAttributes(ied).Find("name", name) && name == iedName)
                return true;
        }
    } catch (const ComError&) {
        return true;
    }
    return false;
}
constexpr int kHostSize = 400;

} // namespace

CHiddenTreeHost::CHiddenTreeHost()
{
    if (!m_parent.CreateEx(0, AfxDefaultWndClass(), "", WS_POPUP, 0, 0, kHostSize, kHostSize, nullptr, nullptr))
        return;
    const CRect rect(0, 0, kHostSize, kHostSize);
    m_tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT, rect, &m_parent,
                  kTreeControlId);
}

CHiddenTreeHost::~CHiddenTreeHost()
{
    if (m_tree.m_hWnd != nullptr)
        m_tree.DestroyWindow();
    if (m_parent.m_hWnd != nullptr)
        m_parent.DestroyWindow();
}

bool DumpIedModel(const CString& path, const CString& iedName, std::string& out, CString& error)
{
    if (!::PathFileExistsA(path)) {
        error.Format("scldump: no file %s", (LPCSTR)path);
        return false;
    }
    CHiddenTreeHost host;
    if (!host.IsReady()) {
        error = "scldump: the tree window cannot be created";
        return false;
    }
    // A project holding the IED, as the mapping dialog finds it.
    CMainDoc project;
    auto device = std::make_unique<CMainDoc::_IED_DEVICE>();
    device->state = Corvel::Records::kSlotInUse;
    device->devNum = kDumpDeviceId;
    device->name = iedName;
    device->label = iedName;
    device->CIDFile = path;
    project.project.iedDevices.AddTail(device.get());
    CIEDTree& tree = host.Tree();
    tree.SetProject(&project, kDumpDeviceId);
    const bool loaded = tree.LoadIedModelFromScl(path);
    project.project.iedDevices.RemoveAll();
    if (loaded)
        out = DumpTree(tree);
    else if (tree.GetRootItem() == nullptr && !FindIedInDocument(tree, iedName))
        error.Format("scldump: the file has no IED named %s", (LPCSTR)iedName);
    return loaded;
}
