#include "corvel/model/eip_assignment.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/message_box_recorder.h"

namespace {

using namespace Corvel::Records;

// Clears assignments in the project the way the document does.
class ProjectHost : public CTagPackingHost {
public:
    explicit ProjectHost(_PROJECT& project) : m_project(project) {}
    int GetConnectionLimit() const override { return m_project.numPorts == 1 ? 10 : 20; }
    bool FirstNotEnoughSpaceNotice() override { return true; }
    void ClearTagAssignment(const _TAGS& tag) override { ClearProjectTagAssignment(m_project, tag); }

private:
    _PROJECT& m_project;
};

class EipAssignmentTest : public ::testing::Test {
protected:
    EipAssignmentTest() : host(project), assignment(project, inputs, outputs, messages)
    {
        for (CVQNTagsList* list : {&inputs, &outputs, &messages})
            list->SetPackingHost(&host);
    }
    ~EipAssignmentTest() override { DeleteRecords(project.tags); }

    _TAGS* AddTag(LPCSTR name, LPCSTR dataType, LPCSTR access, LPCSTR path = nullptr)
    {
        auto tag = std::make_unique<_TAGS>();
        tag->tagName = name;
        tag->tagPath = path != nullptr ? CString(path) : CString("LD0/GGIO1$ST$") + name;
        tag->dataType = dataType;
        tag->Access = access;
        project.tags.AddTail(tag.get());
        return tag.release();
    }
    // "name@conn:start" for each tag of the list, in order.
    static std::vector<std::string> Placed(const CVQNTagsList& list)
    {
        std::vector<std::string> placed;
        for (INT_PTR i = 0; i < list.GetCount(); ++i) {
            const _TAGS& tag = *list.GetAt(i);
            placed.push_back(std::string(tag.tagName) + "@" + std::to_string(tag.Conn) + ":" +
                             std::to_string(tag.StartAddr));
        }
        return placed;
    }
    std::vector<std::string> CandidateNames()
    {
        std::vector<std::string> names;
        for (_TAGS* tag : assignment.FillCandidates())
            names.push_back(std::string(tag->tagName));
        return names;
    }

    _PROJECT project;
    CVQNTagsList inputs;
    CVQNTagsList outputs;
    CVQNTagsList messages;
    ProjectHost host;
    CEipAssignment assignment;
};

TEST(EipTagClass, ClassAndDirectionByRules)
{
    struct Case {
        const char* path;
        const char* dataType;
        const char* access;
        int tagType;
        int direction;
    };
    const Case cases[] = {
        {"LD0/LLN0$GO$gcb01/x", "BOOLEAN", "W", kTagTypeMmsWrite, kDirectionWrite},
        {"LD0/GOOSE1/x", "BOOLEAN", "W", kTagTypeGoose, kDirectionWrite},
        {"LD0/llN0$goose/x", "INT32", "r", kTagTypeGoose, kDirectionRead},
        {"LD0/LLN0$br/brcb01", "INT32", "R", kTagTypeReport, kDirectionRead},
        {"LD0/LLN0$BR$brcb01", "INT32", "R", kTagTypeMmsRead, kDirectionRead},
        {"LD0/LLN0$RP/urcb", "INT32", "R", kTagTypeReport, kDirectionRead},
        {"LD0/GGIO1$ST$a", "VisString32", "R", kTagTypeMessage, kDirectionString},
        {"LD0/GGIO1$ST$a", "MyString", "W", kTagTypeMessage, kDirectionWrite},
        {"LD0/GGIO1$ST$a", "StringLike", "W", kTagTypeMmsWrite, kDirectionWrite},
        {"LD0/GGIO1$CO$a", "BOOLEAN", "w", kTagTypeMmsWrite, kDirectionWrite},
        {"LD0/GGIO1$ST$a", "INT16", "R", kTagTypeMmsRead, kDirectionRead},
        {"LD0/GOOSE/x", "Unicode255", "R", kTagTypeMessage, kDirectionString},
    };
    for (const Case& c : cases) {
        _TAGS tag;
        tag.tagPath = c.path;
        tag.dataType = c.dataType;
        tag.Access = c.access;
        ClassifyTag(tag);
        EXPECT_EQ(c.tagType, tag.tagType) << c.path << " " << c.dataType;
        EXPECT_EQ(c.direction, tag.IOType) << c.path << " " << c.dataType;
    }
}

TEST_F(EipAssignmentTest, WriteTagsOnTheInputTabGoToOutputsWithOneNote)
{
    _TAGS* a = AddTag("cmd_a", "BOOLEAN", "W");
    _TAGS* b = AddTag("cmd_b", "INT32", "W");
    _TAGS* c = AddTag("val_c", "INT32", "R");
    _TAGS* s = AddTag("text_w", "VisString32", "W");
    MessageBoxRecorder boxes;
    const int notes = assignment.Assign({a, b, c, s}, kEipInputTab, 3);
    EXPECT_EQ(kNoteWriteToOutputs | kNoteWriteToMessages, notes);
    EXPECT_EQ((std::vector<std::string>{"val_c@3:0"}), Placed(inputs));
    EXPECT_EQ((std::vector<std::string>{"cmd_a@3:0", "cmd_b@3:1"}), Placed(outputs));
    EXPECT_EQ((std::vector<std::string>{"text_w@0:0"}), Placed(messages));
    EXPECT_EQ(1, assignment.GetSequence());
    EXPECT_TRUE(a->Assigned);
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_TRUE(CandidateNames().empty());

    _TAGS* r = AddTag("val_r", "INT16", "R");
    EXPECT_EQ(kNoteReadToInputs, assignment.Assign({r}, kEipOutputTab, 0));
    EXPECT_EQ(kNoteReadToMessages, assignment.Assign({AddTag("txt_r", "VisString64", "R")}, kEipOutputTab, 0));
    EXPECT_EQ(0, assignment.Assign({AddTag("msg_w", "INT16", "W")}, kEipMessageTab, 7));
    // Filling numbers the messages: their start field is the attribute number.
    CandidateNames();
    EXPECT_EQ((std::vector<std::string>{"text_w@0:1", "txt_r@0:2", "msg_w@0:3"}), Placed(messages));
}

TEST_F(EipAssignmentTest, UndoAndCancelTakeBackStampedActions)
{
    MessageBoxRecorder boxes;
    EXPECT_FALSE(assignment.UndoLast());
    EXPECT_EQ(0u, boxes.Count());

    // One committed tag from an earlier session.
    _TAGS* old = AddTag("old", "INT32", "R");
    assignment.Assign({old}, kEipInputTab, 0);
    assignment.Commit();
    assignment.SetSequence(0);
    const std::vector<std::string> opened = Placed(inputs);

    _TAGS* a = AddTag("a", "INT32", "R");
    _TAGS* b = AddTag("b", "INT32", "R");
    _TAGS* c = AddTag("c", "INT32", "W");
    assignment.Assign({a}, kEipInputTab, 0);
    assignment.Assign({b, c}, kEipInputTab, 1);
    EXPECT_EQ((std::vector<std::string>{"old@0:0", "a@0:4", "b@1:0"}), Placed(inputs));

    EXPECT_TRUE(assignment.UndoLast());
    EXPECT_EQ((std::vector<std::string>{"old@0:0", "a@0:4"}), Placed(inputs));
    EXPECT_EQ(0, outputs.GetCount());
    EXPECT_FALSE(b->Assigned);
    EXPECT_EQ((std::vector<std::string>{"b", "c"}), CandidateNames());

    assignment.Assign({b}, kEipInputTab, 2);
    assignment.Rollback();
    EXPECT_EQ(opened, Placed(inputs));
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), CandidateNames());
    EXPECT_TRUE(old->Assigned);
}

TEST_F(EipAssignmentTest, TagsWithoutRoomStayCandidates)
{
    // Connection 0 holds at most 500 bytes: 125 tags of 4 bytes fill it.
    std::vector<_TAGS*> tags;
    for (int i = 0; i < 130; ++i)
        tags.push_back(AddTag(CString("t") + CString(char('A' + i / 26)) + CString(char('a' + i % 26)), "INT32", "R"));
    MessageBoxRecorder boxes;
    assignment.Assign(tags, kEipInputTab, 0);
    EXPECT_EQ(0u, boxes.Count());
    const std::vector<CErrorReport> noted = assignment.TakeMessages();
    ASSERT_EQ(1u, noted.size());
    EXPECT_EQ(CString("Error: No more space this connection!"), noted.back().what);
    EXPECT_TRUE(assignment.TakeMessages().empty());
    EXPECT_EQ(125, inputs.GetCount());
    EXPECT_EQ(5u, CandidateNames().size());
    EXPECT_FALSE(tags.back()->Assigned);
    EXPECT_EQ(0, tags.back()->SeqNum);
}

TEST_F(EipAssignmentTest, RemoveTagsAndResetAll)
{
    _TAGS* a = AddTag("a", "INT32", "R");
    _TAGS* b = AddTag("b", "INT16", "R");
    _TAGS* c = AddTag("c", "INT32", "R");
    assignment.Assign({a, b, c}, kEipInputTab, 0);
    std::vector<CString> errors;
    assignment.RemoveTags(kEipInputTab, {"b"}, errors);
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ((std::vector<std::string>{"a@0:0", "c@0:4"}), Placed(inputs));
    EXPECT_FALSE(b->Assigned);
    assignment.RemoveTags(kEipInputTab, {"missing"}, errors);
    EXPECT_EQ((std::vector<CString>{"ERROR: 'FindAndUnassign()' failed ...", "ERROR: 'FindAndDelete()' failed ..."}),
              errors);

    EXPECT_TRUE(assignment.HasAssignments());
    assignment.ResetAll();
    EXPECT_FALSE(assignment.HasAssignments());
    EXPECT_EQ(0, assignment.GetSequence());
    EXPECT_EQ(0, inputs.GetUsedSize(0));
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), CandidateNames());
}

TEST_F(EipAssignmentTest, AutoAssignPacksByClass)
{
    AddTag("rd", "INT32", "R");
    AddTag("gz", "BOOLEAN", "R", "LD0/GOOSE1/z");
    AddTag("ga", "BOOLEAN", "R", "LD0/GOOSE1/a");
    AddTag("rp", "INT32", "R", "LD0/LLN0.BR/brcb/x");
    AddTag("wr", "INT32", "W");
    AddTag("st", "VisString255", "R");
    std::vector<CString> unhandled;
    MessageBoxRecorder boxes;
    assignment.AutoAssign(unhandled);
    EXPECT_TRUE(unhandled.empty());
    EXPECT_EQ((std::vector<std::string>{"ga@0:0", "gz@0:1", "rp@0:2", "rd@0:6"}), Placed(inputs));
    EXPECT_EQ((std::vector<std::string>{"wr@0:0"}), Placed(outputs));
    EXPECT_EQ((std::vector<std::string>{"st@0:0"}), Placed(messages));
    EXPECT_TRUE(CandidateNames().empty());
    EXPECT_EQ(1, assignment.GetSequence());
    EXPECT_TRUE(assignment.UndoLast());
    EXPECT_FALSE(assignment.HasAssignments());
    EXPECT_EQ(6u, CandidateNames().size());
}

} // namespace
