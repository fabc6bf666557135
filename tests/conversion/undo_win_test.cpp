// Tests of undo against what only a system that folds case makes: the folder
// asked in another spelling than the run's, and the old name taken since the run
// in another spelling, which the file system takes for the same name.
#include "conversion/undo_fixture.h"

#include "system/renamer.h"

namespace {

using namespace undo_testing;

// A file left under its temporary name, between the two steps of a change of
// case (where the run was killed, say), whose old name another file took since
// in another spelling: undo leaves both, and the run stays to be taken back.
TEST_F(Undo, NeverReplacesTheOldNameTakenInAnotherSpelling)
{
    temp.file("files/a.txt");
    temp.file("files/b.txt");
    upperRun(folder);
    const std::optional<conversion::StoredJournal> stored = store.latest(folder);
    ASSERT_TRUE(stored && stored->journal);
    const fs::path waiting = sys::temporaryName(stored->journal->temporaryStem, "a.txt", "A.TXT");
    fs::rename(folder / "A.TXT", folder / waiting);
    temp.file("files/A.txt", "made since");

    const conversion::UndoOutcome undone = undoLatest(folder);
    EXPECT_EQ(undone.failure, std::errc::file_exists) << undone.failure.message();
    EXPECT_EQ(undone.failedName, waiting);
    EXPECT_EQ(undone.renamed, 1u); // b.txt, taken back before
    EXPECT_EQ(allNames(folder), (Names{"A.txt", "b.txt", waiting}));
    EXPECT_EQ(contentOf(folder / "A.txt"), "made since");
    EXPECT_EQ(contentOf(folder / waiting), "a.txt");
    const std::optional<conversion::StoredJournal> still = store.latest(folder);
    EXPECT_TRUE(still && still->journal && !still->journal->undone) << "a.txt did not come back: the run is not undone";
}

// The run was asked for one spelling of the folder, the undo for another: both
// are the one folder, and the undo finds its run and takes it back.
TEST_F(Undo, FindsTheRunOfTheFolderAskedInAnotherSpelling)
{
    temp.file("files/Sub/Mixed.txt");
    upperRun(folder / "SUB");
    EXPECT_EQ(allNames(folder / "Sub"), (Names{"MIXED.TXT"}));
    const conversion::UndoOutcome undone = undoLatest(temp.path() / "FILES" / "sub");
    EXPECT_FALSE(undone.failure) << undone.failure.message();
    EXPECT_EQ(allNames(folder / "Sub"), (Names{"Mixed.txt"}));
}

} // namespace
