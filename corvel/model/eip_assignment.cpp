#include "corvel/model/eip_assignment.h"

#include "corvel/model/iec_types.h"
#include "framework/msgbox.h"

namespace Corvel::Records {

const char* const kEipAssignNotes[4] = {
    "Some tags could not be assigned to INPUTs as they\nare of type 'write' and were assigned as OUTPUTs.",
    "Some tags could not be assigned to OUTPUTs as they\nare of type 'read' and were assigned as INPUTs.",
    "Some tags could not be assigned to INPUTs as they\nare of type 'write' and were assigned as MSGs.",
    "Some tags could not be assigned to OUTPUTs as they\nare of type 'read' and were assigned as MSGs.",
};
const char kNothingToUndo[] = "Nothing to 'Undo'";

namespace {

const char kUnhandledTag[] = "Unhandled Tag: %s of type: ";

bool Contains(const CString& text, LPCSTR part)
{
    CString upper = text;
    upper.MakeUpper();
    CString wanted = part;
    wanted.MakeUpper();
    return upper.Find(wanted) >= 0;
}

// "String" in the type name, anywhere but at its start.
bool IsStringType(const CString& dataType)
{
    CString upper = dataType;
    upper.MakeUpper();
    return upper.Find("STRING") > 0;
}

bool IsWriteAccess(const CString& access)
{
    return access == "W" || access == "w";
}

bool IsReadAccess(const CString& access)
{
    return access == "R" || access == "r";
}

} // namespace

void ClassifyTag(_TAGS& tag)
{
    if (Contains(tag.tagPath, "GOOSE"))
        tag.tagType = kTagTypeGoose;
    else if (Contains(tag.tagPath, "BR/") || Contains(tag.tagPath, "RP/"))
        tag.tagType = kTagTypeReport;
    else if (IsStringType(tag.dataType))
        tag.tagType = kTagTypeMessage;
    else if (IsWriteAccess(tag.Access))
        tag.tagType = kTagTypeMmsWrite;
    else
        tag.tagType = kTagTypeMmsRead;
    tag.IOType = IsReadAccess(tag.Access) ? kDirectionRead : kDirectionWrite;
    if (GetIecTypeSize(tag.dataType) == kStringTypeSize) {
        tag.IOType = kDirectionString;
        tag.tagType = kTagTypeMessage;
    }
}

bool ClearProjectTagAssignment(_PROJECT& project, const _TAGS& tag)
{
    for (POSITION pos = project.tags.GetHeadPosition(); pos != nullptr;) {
        _TAGS* record = project.tags.GetNext(pos);
        if (record->tagPath == tag.tagPath && record->tagName == tag.tagName) {
            record->Assigned = false;
            record->SeqNum = 0;
            return true;
        }
    }
    return false;
}

CEipAssignment::CEipAssignment(_PROJECT& project, CVQNTagsList& inputs, CVQNTagsList& outputs,
                               CVQNTagsList& messages)
    : m_project(project), m_lists{&inputs, &outputs, &messages}
{
}

CVQNTagsList& CEipAssignment::List(int tab) const
{
    return *m_lists[tab == kEipOutputTab ? 1 : (tab == kEipMessageTab ? 2 : 0)];
}

bool CEipAssignment::IsInAnyList(const CString& tagName) const
{
    for (const CVQNTagsList* list : m_lists) {
        if (list->ContainsTag(tagName))
            return true;
    }
    return false;
}

std::vector<_TAGS*> CEipAssignment::FillCandidates()
{
    std::vector<_TAGS*> candidates;
    for (POSITION pos = m_project.tags.GetHeadPosition(); pos != nullptr;) {
        _TAGS* tag = m_project.tags.GetNext(pos);
        ClassifyTag(*tag);
        if (!tag->Assigned && !IsInAnyList(tag->tagName))
            candidates.push_back(tag);
    }
    m_lists[0]->ComputeConnectionSizes();
    m_lists[1]->ComputeConnectionSizes();
    m_lists[2]->NumberTags();
    return candidates;
}

int CEipAssignment::Assign(const std::vector<_TAGS*>& tags, int tab, int connection)
{
    const int sequence = ++m_sequence;
    CVQNSortingList sorted[3];
    int notes = 0;
    for (_TAGS* tag : tags) {
        tag->SeqNum = sequence;
        tag->Assigned = true;
        int target = tab;
        if (tab == kEipInputTab && IsWriteAccess(tag->Access)) {
            target = IsStringType(tag->dataType) ? kEipMessageTab : kEipOutputTab;
            notes |= target == kEipMessageTab ? kNoteWriteToMessages : kNoteWriteToOutputs;
        } else if (tab == kEipOutputTab && IsReadAccess(tag->Access)) {
            target = IsStringType(tag->dataType) ? kEipMessageTab : kEipInputTab;
            notes |= target == kEipMessageTab ? kNoteReadToMessages : kNoteReadToInputs;
        }
        sorted[target].Add(*tag);
    }
    const int capacities[3] = {kInputConnectionSize, kOutputConnectionSize, kMessageBlockSize};
    const int firstConnections[3] = {connection, connection, 0};
    for (int kind = 0; kind < 3; ++kind) {
        if (sorted[kind].GetCount() > 0)
            m_lists[kind]->AssignTag(sorted[kind], capacities[kind], firstConnections[kind], false);
    }
    ReleaseUnplaced(tags);
    return notes;
}

void CEipAssignment::AutoAssign(std::vector<CString>& unhandled)
{
    const int sequence = ++m_sequence;
    CVQNSortingList byClass[5];
    std::vector<_TAGS*> stamped;
    for (_TAGS* tag : FillCandidates()) {
        if (tag->tagType < kTagTypeGoose || tag->tagType > kTagTypeMessage) {
            CString text;
            text.Format(kUnhandledTag, static_cast<LPCSTR>(tag->tagName));
            unhandled.push_back(text + (tag->tagType == kTagTypeDiagnostic ? "PROT_DIAGS" : "PROT_UNKNOWN"));
            continue;
        }
        tag->SeqNum = sequence;
        tag->Assigned = true;
        stamped.push_back(tag);
        byClass[tag->tagType - 1].Add(*tag);
    }
    byClass[kTagTypeGoose - 1].Sort(nullptr);
    byClass[kTagTypeReport - 1].Sort(nullptr);
    for (int tagType : {kTagTypeGoose, kTagTypeReport, kTagTypeMmsRead}) {
        if (byClass[tagType - 1].GetCount() > 0)
            m_lists[0]->AssignSortedTags(byClass[tagType - 1]);
    }
    if (byClass[kTagTypeMmsWrite - 1].GetCount() > 0)
        m_lists[1]->AssignSortedTags(byClass[kTagTypeMmsWrite - 1]);
    if (byClass[kTagTypeMessage - 1].GetCount() > 0)
        m_lists[2]->AssignSortedTags(byClass[kTagTypeMessage - 1]);
    ReleaseUnplaced(stamped);
}

void CEipAssignment::ReleaseUnplaced(const std::vector<_TAGS*>& tags)
{
    for (_TAGS* tag : tags) {
        if (!IsInAnyList(tag->tagName)) {
            tag->Assigned = false;
            tag->SeqNum = 0;
        }
    }
}

std::vector<CErrorReport> CEipAssignment::TakeMessages()
{
    std::vector<CErrorReport> messages;
    for (CVQNTagsList* list : m_lists) {
        std::vector<CErrorReport> taken = list->TakeMessages();
        messages.insert(messages.end(), taken.begin(), taken.end());
    }
    return messages;
}

bool CEipAssignment::UndoLast()
{
    if (m_sequence < 1)
        return false;
    for (CVQNTagsList* list : m_lists)
        list->RemoveTagsFromSequence(m_sequence);
    m_sequence = m_sequence - 1 > 0 ? m_sequence - 1 : 0;
    return true;
}

void CEipAssignment::RemoveTags(int tab, const std::vector<CString>& names, std::vector<CString>& errors)
{
    CVQNTagsList& list = List(tab);
    for (const CString& name : names) {
        const _TAGS* tag = list.FindTag(name);
        if (tag == nullptr || !ClearProjectTagAssignment(m_project, *tag))
            errors.push_back("ERROR: 'FindAndUnassign()' failed ...");
        if (!list.RemoveTag(name))
            errors.push_back("ERROR: 'FindAndDelete()' failed ...");
    }
    m_lists[0]->AssignStartAddresses();
    m_lists[1]->AssignStartAddresses();
}

bool CEipAssignment::HasAssignments() const
{
    for (const CVQNTagsList* list : m_lists) {
        if (list->GetCount() > 0)
            return true;
    }
    return false;
}

void CEipAssignment::ResetAll()
{
    for (CVQNTagsList* list : m_lists) {
        for (INT_PTR i = 0; i < list->GetCount(); ++i)
            ClearProjectTagAssignment(m_project, *list->GetAt(i));
        list->RemoveAll();
    }
    m_sequence = 0;
}

void CEipAssignment::Commit()
{
    for (CVQNTagsList* list : m_lists) {
        for (INT_PTR i = 0; i < list->GetCount(); ++i)
            list->GetAt(i)->SeqNum = 0;
    }
}

void CEipAssignment::Rollback()
{
    for (CVQNTagsList* list : m_lists)
        list->RemoveTagsFromSequence(1);
}

} // namespace Corvel::Records
