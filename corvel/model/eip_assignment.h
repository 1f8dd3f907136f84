// CEipAssignment: places the project's tags into the EtherNet/IP connection lists by class, with a sequence
// stamp per action so that one action can be undone and every action since opening rolled back.
#pragma once
#include "corvel/model/project_records.h"
#include "corvel/model/tags_list.h"

#include <vector>

namespace Corvel::Records {

// Tag class of a module diagnostic tag (the others are kTagTypeGoose ... kTagTypeMessage).
constexpr int kTagTypeDiagnostic = 6;
// Direction codes of _TAGS::IOType.
constexpr int kDirectionRead = 1;
constexpr int kDirectionWrite = 2;
constexpr int kDirectionString = 6;
// Byte size of the string types.
constexpr int kStringTypeSize = 102;

// The connection pages: Class 1 inputs, Class 1 outputs, Class 3 messages.
enum EipTab { kEipInputTab = 0, kEipOutputTab = 1, kEipMessageTab = 2 };

// Notes of an Assign, in the order they are shown.
enum EipAssignNote {
    kNoteWriteToOutputs = 1,
    kNoteReadToInputs = 2,
    kNoteWriteToMessages = 4,
    kNoteReadToMessages = 8,
};
extern const char* const kEipAssignNotes[4];
extern const char kNothingToUndo[];

// Sets the tag's class and direction code from its path, type and access.
void ClassifyTag(_TAGS& tag);
// Clears the assigned flag and stamp of the project's tag with the same path and name; false when none.
bool ClearProjectTagAssignment(_PROJECT& project, const _TAGS& tag);

class CEipAssignment {
public:
    CEipAssignment(_PROJECT& project, CVQNTagsList& inputs, CVQNTagsList& outputs, CVQNTagsList& messages);

    CVQNTagsList& List(int tab) const;
    // The assignment stamp of the last action since opening (0: none).
    int GetSequence() const { return m_sequence; }
    void SetSequence(int sequence) { m_sequence = sequence; }

    // Classifies every project tag and returns those not assigned and in no connection list, in order.
    std::vector<_TAGS*> FillCandidates();
    // Whether a tag of that name is in one of the three lists.
    bool IsInAnyList(const CString& tagName) const;

    // Assigns the tags to the tab's kind from connection (messages from 0); a tag of the other direction goes
    // where it can. Tags that found no room are left unassigned. Returns the notes that occurred.
    int Assign(const std::vector<_TAGS*>& tags, int tab, int connection);
    // Assigns every candidate by class; unhandled receives the texts of tags of no known class.
    void AutoAssign(std::vector<CString>& unhandled);
    // The messages of the three lists since the last take, inputs' first (each action calls them in that
    // order); the window that called the action shows them.
    std::vector<CErrorReport> TakeMessages();
    // Takes back the last Assign or Auto Assign; false, and nothing shown, when there is none.
    bool UndoLast();
    // Removes the named tags from the tab's list and clears their assignment; start offsets are computed again.
    // errors receives the messages of tags that could not be found.
    void RemoveTags(int tab, const std::vector<CString>& names, std::vector<CString>& errors);
    // Whether any list holds a tag.
    bool HasAssignments() const;
    // Clears every assignment and empties the lists.
    void ResetAll();
    // OK: every assigned tag is committed (stamp 0).
    void Commit();
    // Cancel: every tag assigned since the last commit leaves its list.
    void Rollback();

private:
    // Tags stamped but placed in no list become unassigned again.
    void ReleaseUnplaced(const std::vector<_TAGS*>& tags);

    _PROJECT& m_project;
    CVQNTagsList* m_lists[3];
    int m_sequence = 0;
};

} // namespace Corvel::Records
