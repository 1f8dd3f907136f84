#include "tools/scldump/scl_dump.h"

#include "corvel/model/scl_header.h"
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

void DumpItems(const CIedTreeItems& items, IedTreeItemId item, int depth, std::string& out)
{
    for (; item != kNoIedTreeItem; item = items.GetNextSiblingItem(item)) {
        CString line(' ', depth * 2);
        line.AppendFormat("%d %s", items.GetItemImage(item), (LPCSTR)items.GetItemText(item));
        if (const CTreeModelRecord* record = items.GetItemRecord(item))
            line += " | " + record->dataPath;
        AppendLine(out, line);
        DumpItems(items, items.GetChildItem(item), depth + 1, out);
    }
}

} // namespace

bool DumpSclHeader(const CString& path, std::string& out, CString& error)
{
    CString info;
    error = ScanSclFile(info, path);
    if (!error.IsEmpty())
        return false;
    AppendLine(out, info);
    CConnectedAPArray entries;
    ReadIedHeader(path, entries);
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

std::string DumpTree(const CIedTreeItems& items)
{
    std::string out;
    DumpItems(items, items.GetRootItem(), 0, out);
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
            CIedTreeLoader loader;
            loader.m_document = document;
            loader.m_iedName = CSclAttributes(ied).Required("name");
            loader.LoadLNodeTypes();
            loader.LoadDATypes();
            loader.LoadDOTypes();
            CString line;
            line.Format("IED %s\nLNodeTypes %d\nDOTypes %d\nDATypes %d", (LPCSTR)loader.m_iedName,
                        loader.m_lnodeTypes.GetObjectCount(), loader.m_doTypes.GetObjectCount(),
                        loader.m_daTypes.GetObjectCount());
            AppendLine(out, line);
            for (const SclLDevice& lDevice : loader.CollectLDevices(ied)) {
                const DomNodePtr ln0 = FindChildElement(lDevice.element, "LN0");
                if (!ln0)
                    continue;
                for (const CDataSet* dataSet : loader.LoadDataSets(ln0, loader.m_dataSets)) {
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

bool DumpIedModel(const CString& path, const CString& iedName, std::string& out, CString& error,
                  std::vector<CString>& messages)
{
    if (!::PathFileExistsA(path)) {
        error.Format("scldump: no file %s", (LPCSTR)path);
        return false;
    }
    CIedTreeLoader loader;
    HRESULT result = E_FAIL;
    if (loader.LoadSclDocument(path))
        result = loader.LoadIedModel(iedName);
    for (const SclLoadMessage& message : loader.GetMessages())
        messages.push_back(message.text);
    if (result == E_ABORT)
        error.Format("scldump: the file has no IED named %s", (LPCSTR)iedName);
    if (result != S_OK)
        return false;
    out = DumpTree(loader.GetItems());
    return true;
}
