// CMainDoc: tag map and Modbus support, control-model map.
#include "corvel/document/main_doc.h"

#include "corvel/model/ctl_model_map.h"
#include "corvel/model/eip_assignment.h"
#include "corvel/model/iec_types.h"
#include "corvel/model/scl_header.h"
#include "corvel/document/document_frame.h"

#include <cstdio>
#include <memory>
#include <string>

namespace {

using Corvel::Records::ConfiguredRows;
using Corvel::Records::DeleteRecords;
using Corvel::Records::kColAccess;
using Corvel::Records::kColDataType;
using Corvel::Records::kColTagName;
using Corvel::Records::kColTagPath;
using Corvel::Records::kConnectionCount;
using Corvel::Records::kSlotInUse;

const char kReadDirection[] = "MTCP-->";
const char kWriteDirection[] = "MTCP<--";

CString Column(const Corvel::Records::ConfiguredRow& row, size_t column)
{
    return column < row.size() ? row[column] : CString();
}

// Gives each tag its start offset in its connection, advancing by the tag's byte size.
void AssignStartAddresses(CMainDoc::CVQNTagsList& list)
{
    int used[kConnectionCount] = {};
    for (INT_PTR i = 0; i < list.GetCount(); ++i) {
        CMainDoc::_TAGS* tag = list.GetAt(i);
        if (tag->Conn < 0 || tag->Conn >= kConnectionCount)
            continue;
        tag->StartAddr = used[tag->Conn];
        const int size = tag->GetTypeSize();
        if (size < 0)
            AfxMessageBox(tag->UnsupportedTypeText(), MB_OK);
        if (size > 0)
            used[tag->Conn] += size;
    }
    for (int conn = 0; conn < kConnectionCount; ++conn)
        list.SetUsedSize(conn, used[conn]);
}

} // namespace

void CMainDoc::RebuildTagList()
{
    DeleteRecords(project.tags);
    if (CurrentDeviceId() == 0)
        return;
    int number = 0;
    for (POSITION pos = project.iedDevices.GetHeadPosition(); pos != nullptr;) {
        const _IED_DEVICE* device = project.iedDevices.GetNext(pos);
        if (device->state != kSlotInUse)
            continue;
        for (const auto& entry : device->ConfiguredCache) {
            auto tag = std::make_unique<_TAGS>();
            tag->reserved = ++number;
            tag->tagPath = Column(entry, kColTagPath);
            tag->tagName = Column(entry, kColTagName);
            tag->dataType = Column(entry, kColDataType);
            tag->Access = Column(entry, kColAccess);
            project.tags.AddTail(tag.release());
        }
    }
}

void CMainDoc::ClearTagMap()
{
    DeleteRecords(project.tagMaps);
}

void CMainDoc::RebuildTagMap()
{
    ClearTagMap();
    if (CurrentDeviceId() == 0)
        return;
    for (POSITION pos = project.iedDevices.GetHeadPosition(); pos != nullptr;) {
        const _IED_DEVICE* device = project.iedDevices.GetNext(pos);
        if (device->state != kSlotInUse)
            continue;
        for (const auto& entry : device->ConfiguredCache) {
            auto row = std::make_unique<_TAGSMAP>();
            row->tagPath = Column(entry, kColTagPath);
            row->tagName = Column(entry, kColTagName);
            row->dataType = Column(entry, kColDataType);
            row->direction = Corvel::Records::TagMapDirection(row->tagPath);
            project.tagMaps.AddTail(row.release());
        }
    }
}

int CMainDoc::CountMappedTags(bool all)
{
    RebuildTagMap();
    const int current = CurrentDeviceId();
    int count = 0;
    for (POSITION pos = project.plcDevices.GetHeadPosition(); pos != nullptr;) {
        const CPLC_Device* device = project.plcDevices.GetNext(pos);
        if (device->state != kSlotInUse || (!all && device->devNum == current))
            continue;
        count += static_cast<int>(device->configuredRows.size());
    }
    return count;
}

int CMainDoc::CountTagMapRegisters()
{
    RebuildTagMap();
    const CIecTypeTable table;
    int registers = 0;
    for (POSITION pos = project.tagMaps.GetHeadPosition(); pos != nullptr;) {
        CString registerType;
        registers += table.GetRegisterCount(project.tagMaps.GetNext(pos)->dataType, registerType);
    }
    return registers;
}

void CMainDoc::BuildMtcpTagLists(int& readTags, int& writeTags, int& readElements, int& writeElements)
{
    Corvel::Records::BuildMtcpTagLists(project.tagMaps, readTags, writeTags, readElements, writeElements);
}

CString CMainDoc::SanitizeTagName(const CString& tagName)
{
    return Corvel::Records::SanitizeTagName(tagName);
}

void CMainDoc::RemoveFileName(const CString& name)
{
    for (INT_PTR i = 0; i < fileListB.GetSize(); ++i) {
        if (fileListB[i] == name) {
            fileListB.RemoveAt(i);
            return;
        }
    }
}

bool CMainDoc::ClearTagAssignment(const _TAGS& tag)
{
    return Corvel::Records::ClearProjectTagAssignment(project, tag);
}

bool CMainDoc::RemoveTagFromConnections(const CString& tagName)
{
    const bool inputs = tagsINP.RemoveTag(tagName);
    const bool outputs = tagsOUT.RemoveTag(tagName);
    const bool messages = tagsMSG.RemoveTag(tagName);
    return inputs || outputs || messages;
}

void CMainDoc::RemoveDeviceTagsFromConnections(const ConfiguredRows& entries)
{
    for (const auto& entry : entries) {
        const CString name = Column(entry, kColTagName);
        if (!tagsINP.RemoveTag(name) && !tagsOUT.RemoveTag(name))
            tagsMSG.RemoveTag(name);
    }
    AssignStartAddresses(tagsINP);
    AssignStartAddresses(tagsOUT);
    tagsMSG.NumberTags();
}

int CMainDoc::GetCtlModel(const CString& domain, const CString& path)
{
    return LookupCtlModel(ctlModelMap, domain, path);
}

void CMainDoc::SetCtlModel(const CString& domain, const CString& path, int ctlModel)
{
    StoreCtlModel(ctlModelMap, domain, path, ctlModel);
}

CString CMainDoc::FindCtlModelTextForTag(const CString& domain, const CString& tagText) const
{
    return ::FindCtlModelTextForTag(ctlModelMap, domain, tagText);
}

// Leaves the map as it is: its entries stay until the document's lists are emptied.
void CMainDoc::ClearCtlModelMap() {}

void CMainDoc::RemoveIedCtlModels(const CString& iedName)
{
    ::RemoveIedCtlModels(ctlModelMap, iedName);
}

CString CMainDoc::FindIedNameInFile(const CString& path)
{
    return ::FindIedNameInFile(path);
}
