// The IED mapping without windows: tag names of dropped leaves, drag keys and array elements, the mapped-tag
// rows with their per-device string lists, and Save into the project's records.
#pragma once
#include "framework/core.h"
#include "corvel/model/ctl_model_map.h"
#include "corvel/model/iec_types.h"
#include "corvel/model/ied_tree_items.h"
#include "corvel/model/project_records.h"

#include <vector>

namespace Corvel::Mapping {

// Characters a tag name may hold beyond the tree's prefix text.
constexpr int kTagNameExtra = 40;
// Elements an array attribute is expanded to at most.
constexpr int kMaxArrayElements = 65535;
extern const char kArrayCappedMessage[];

// The longest tag name for a tree whose prefix text is prefixText.
int TagNameLimit(const CString& prefixText);
// namePrefix, "_" and path with every "$" made "_", cut to limit characters; a cut name loses a trailing "_".
CString MakeTagName(const CString& namePrefix, const CString& path, int limit);
// name, or name with the suffix "_001", "_002" ... one above the highest suffix of the names that contain it,
// when names holds it exactly (or, ignoring case, sameDrop does); the result stays within limit.
CString MakeUniqueTagName(CString name, const std::vector<CString>& names, const std::vector<CString>& sameDrop,
                          int limit);
// namePrefix, "_" and path with every "$" and "." made "_".
CString MakeDragKey(const CString& namePrefix, const CString& path);

// One element of an expanded array entry.
struct ArrayElement {
    CString key;
    CString path;
};
// The elements of an entry whose key holds "[" and "]": N = the number after the key's first "["; none when
// it is missing, 0 or negative. More than kMaxArrayElements are cut to that many and capped is set.
std::vector<ArrayElement> ExpandArray(const CString& key, const CString& path, bool& capped);
// The path of element index of the array whose element path is path ("%s[%d%s").
CString ArrayElementPath(const CString& path, int index);
// The number between the first "[" and the next "]" when "[" stands after the first character, else 0.
int ArrayIndexOf(const CString& tagName);

// What a mapped-tag row holds beside its texts.
struct MappedEntry {
    CString namePrefix;
    bool isCommand = false;
    bool isReport = false;
    bool isGoose = false;
    int ctlModel = 0;
    CString command;
    int arrayIndex = 0;
    // Report and GOOSE data: the project's record of the row's path.
    Records::ReportPathEntry path;
};

// A row of the mapped-tag list: the fields behind the five visible columns, and the entry.
struct MappedRow {
    CString path;
    CString tagName;
    // The attribute's IEC 61850 basic type: what Save stores and every reader of the project reads. The
    // "Type" column shows its PLC data type (TypeColumnText).
    CString type;
    CString access;
    CString description;
    MappedEntry entry;
};
using MappedRows = std::vector<MappedRow>;

// A row whose texts read "Out of Bound", handed out for an index past the end of a row table.
const MappedRow& OutOfBoundRow();

// A leaf handed to the drop: its record and, for leaves below a control block, the block's record.
struct DroppedLeaf {
    const CTreeModelRecord* record = nullptr;
    const CTreeModelRecord* block = nullptr;
    // The data path of an array element; empty: the record's path.
    CString path;
};

// What the drop needs of the tree and the project.
struct DropContext {
    int nameLimit = kTagNameExtra;
    CtlModelMap* ctlModels = nullptr;
    const std::vector<_DA_CTL>* controlObjects = nullptr;
};

// The rows a drop of leaves adds to a list that holds rows (in order); leaves without record, INT128
// leaves and GOOSE rows whose path the list holds give none.
MappedRows MakeDropRows(const std::vector<DroppedLeaf>& leaves, const MappedRows& rows, const DropContext& context);
// The description of a leaf below a report or GOOSE block; empty for other leaves.
CString MakeBlockDescription(const CTreeModelRecord& leaf, const CTreeModelRecord* block,
                             const CString& path = CString());

// The string list Save writes for a row (path, name, type, access, description, name prefix, then "Report",
// or "Command", control model and command text).
Records::ConfiguredRow MakeStoredRow(const MappedRow& row);
// The rows of a device's stored string lists (lists of fewer than 6 strings give none).
MappedRows LoadStoredRows(const Records::_IED_DEVICE& device);

// What Save reports to the user, in order.
struct SaveMessages {
    std::vector<CString> texts;
};

// Writes the rows as the IED device's share of the project: its string lists, report paths, tag records,
// tag-map records and GOOSE member records replace the ones it had (the other IEDs' records stay), then
// rebuilds the Modbus command rows. gooseMembers: the tree's data-set members; sclPath the IED's file.
void SaveIedMapping(Records::_PROJECT& project, Records::_IED_DEVICE& device, const MappedRows& rows,
                    const std::vector<_CFCDA*>& gooseMembers, const CString& sclPath, SaveMessages& messages);

// The "Type" column's text for a row of IEC type iecType: its PLC data type from the IEC type table, or the
// type itself when the table has no row for it.
CString TypeColumnText(const CIecTypeTable& types, const CString& iecType);

// The byte size of the rows' types (unknown types count 0).
int TotalDataSize(const MappedRows& rows);

} // namespace Corvel::Mapping
