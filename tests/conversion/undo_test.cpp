// Tests of taking a run back from its journal: after a whole run, a run stopped
// by a refused rename, names taken since, and the last twenty runs in turn.
#include "conversion/undo_fixture.h"

namespace {

using namespace undo_testing;

TEST_F(Undo, TakesBackARunStoppedByARefusedRename)
{
    for (const char *name : {"a.txt", "b.txt", "c.txt"})
        temp.file(fs::path("files") / name);
    // Gone after the plan: its rename is refused for real.
    const conversion::Outcome outcome = upperRun(folder, [&] { fs::remove(folder / "b.txt"); });
    EXPECT_EQ(outcome.failedName, "b.txt");
    EXPECT_EQ(outcome.renamed, 1u);
    EXPECT_EQ(allNames(folder), (Names{"A.TXT", "c.txt"}));

    const conversion::UndoOutcome undone = undoLatest(folder);
    EXPECT_FALSE(undone.failure);
    EXPECT_EQ(undone.renamed, 1u);
    EXPECT_EQ(undone.already, 1u); // c.txt, which the run never reached
    EXPECT_EQ(undone.changed, (std::vector<std::pair<fs::path, fs::path>>{{"b.txt", "B.TXT"}}));
    EXPECT_EQ(allNames(folder), (Names{"a.txt", "c.txt"}));
    EXPECT_EQ(contentOf(folder / "a.txt"), "a.txt");
    EXPECT_FALSE(store.latest(folder)) << "an undone run is not taken back twice";
}

TEST_F(Undo, NeverReplacesANameTakenSinceTheRun)
{
    temp.file("files/a.txt");
    temp.file("files/b.txt");
    upperRun(folder);
    temp.file("files/a.txt", "made since"); // the old name is taken again
    fs::rename(folder / "B.TXT", folder / "moved.txt");

    const conversion::UndoOutcome undone = undoLatest(folder);
    EXPECT_EQ(undone.renamed, 0u);
    EXPECT_EQ(undone.changed, (std::vector<std::pair<fs::path, fs::path>>{{"b.txt", "B.TXT"}, {"a.txt", "A.TXT"}}));
    EXPECT_EQ(allNames(folder), (Names{"a.txt", "A.TXT", "moved.txt"}));
    EXPECT_EQ(contentOf(folder / "a.txt"), "made since");
    EXPECT_EQ(contentOf(folder / "A.TXT"), "a.txt");
    const std::optional<conversion::StoredJournal> still = store.latest(folder);
    EXPECT_TRUE(still && still->journal && !still->journal->undone) << "nothing came back: the run is not undone";
}

TEST_F(Undo, KeepsTheLastTwentyRunsOfAFolderAndTakesThemBackInTurn)
{
    const fs::path other = temp.folder("other");
    temp.file("other/o.txt");
    upperRun(other); // another folder's run, which must stay
    for (int run = 0; run < 22; ++run) {
        temp.file("files/run" + std::to_string(run) + ".txt");
        upperRun(folder);
    }
    std::vector<fs::path> journals;
    ASSERT_FALSE(sys::listAllNames(store.folder(), journals));
    EXPECT_EQ(journals.size(), 21u);

    // Each undo takes back the latest run not yet undone: one new name each.
    EXPECT_EQ(undoLatest(folder).renamed, 1u);
    EXPECT_TRUE(allNames(folder).count("run21.txt"));
    EXPECT_TRUE(allNames(folder).count("RUN20.TXT"));
    EXPECT_EQ(undoLatest(folder).renamed, 1u);
    EXPECT_TRUE(allNames(folder).count("run20.txt"));
    EXPECT_EQ(undoLatest(other).renamed, 1u);
}

} // namespace
