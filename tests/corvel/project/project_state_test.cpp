// The project state's SCL file re-pointing: the records a changed folder or a renamed file moves.
#include "corvel/project/project_state.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using namespace Corvel::Records;

// A state with the file records "a.cid" (twice) and "b.cid", and IEDs: in use on old\a.cid, in use on
// other\a.cid, free on old\a.cid, in use on old\b.cid.
class SclFileState : public CProjectState {
public:
    SclFileState()
    {
        AddFile("a.cid", "old\\a.cid");
        AddFile("a.cid", "second\\a.cid");
        AddFile("b.cid", "old\\b.cid");
        fileListA.Add("a.cid");
        fileListA.Add("b.cid");
        ieds = {AddIed("old\\a.cid", kSlotInUse), AddIed("other\\a.cid", kSlotInUse),
                AddIed("old\\a.cid", kSlotFree), AddIed("old\\b.cid", kSlotInUse)};
    }
    _ICD_FILES* File(int i) { return project.sclFiles.GetAt(project.sclFiles.FindIndex(i)); }

    std::vector<_IED_DEVICE*> ieds;

private:
    void AddFile(const CString& name, const CString& path)
    {
        auto file = std::make_unique<_ICD_FILES>();
        file->fileName = name;
        file->filePath = path;
        project.sclFiles.AddTail(file.release());
    }
    _IED_DEVICE* AddIed(const CString& path, int state)
    {
        auto ied = MakeIedSlot(kFirstDeviceId + static_cast<int>(project.iedDevices.GetCount()));
        ied->CIDFile = path;
        ied->state = state;
        project.iedDevices.AddTail(ied.get());
        return ied.release();
    }
};

// A new folder: the first file record of the name, and every IED of exactly that path, free or not.
TEST(SclFileRepointing, ANewFolderMovesTheFirstFileRecordAndTheIedsOfThePath)
{
    SclFileState state;
    const std::vector<_IED_DEVICE*> changed = state.RepointSclFile("old\\a.cid", "new\\a.cid");
    EXPECT_EQ(std::vector<_IED_DEVICE*>({state.ieds[0], state.ieds[2]}), changed);
    EXPECT_STREQ("new\\a.cid", state.File(0)->filePath);
    EXPECT_STREQ("second\\a.cid", state.File(1)->filePath);
    EXPECT_STREQ("old\\b.cid", state.File(2)->filePath);
    EXPECT_STREQ("new\\a.cid", state.ieds[0]->CIDFile);
    EXPECT_STREQ("other\\a.cid", state.ieds[1]->CIDFile);
    EXPECT_STREQ("new\\a.cid", state.ieds[2]->CIDFile);

    EXPECT_TRUE(state.RepointSclFile("old\\c.cid", "new\\c.cid").empty());
}

// A renamed file: every file record and file name of the old name, and the IEDs in use of that file name in
// any folder; whether anything changed.
TEST(SclFileRepointing, ARenamedFileMovesEveryRecordOfItsName)
{
    SclFileState state;
    std::vector<_IED_DEVICE*> devices;
    EXPECT_TRUE(state.RenameSclFile("a.cid", "new\\z.cid", devices));
    EXPECT_EQ(std::vector<_IED_DEVICE*>({state.ieds[0], state.ieds[1]}), devices);
    for (int i : {0, 1}) {
        EXPECT_STREQ("z.cid", state.File(i)->fileName) << i;
        EXPECT_STREQ("new\\z.cid", state.File(i)->filePath) << i;
    }
    EXPECT_STREQ("b.cid", state.File(2)->fileName);
    EXPECT_STREQ("z.cid", state.fileListA[0]);
    EXPECT_STREQ("b.cid", state.fileListA[1]);
    EXPECT_STREQ("old\\a.cid", state.ieds[2]->CIDFile);

    // The same choice again changes nothing, though the IEDs are named again.
    devices.clear();
    EXPECT_FALSE(state.RenameSclFile("z.cid", "new\\z.cid", devices));
    EXPECT_EQ(2u, devices.size());
    devices.clear();
    EXPECT_FALSE(state.RenameSclFile("none.cid", "new\\none.cid", devices));
    EXPECT_TRUE(devices.empty());
}

} // namespace
