// Tests of taking a run back from its journal: after a whole run, a run stopped
// by a refused rename, files made since, and the last twenty runs in turn.
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

// A file made since the run where the renamed file was is never taken for it,
// under the old name or under another spelling of it, which a system that
// folds case takes for the same name.
TEST_F(Undo, LeavesAFileMadeSinceWhereTheRenamedOneWas)
{
    const struct {
        const char *what;
        const char *made; // the file made since
        std::size_t already;
        std::vector<std::pair<fs::path, fs::path>> changed;
        bool undone;
    } rows[] = {
        {"under the old name", "a.txt", 1, {}, true},
        {"under another spelling of it", "A.txt", 0, {{"a.txt", "A.TXT"}}, false},
    };
    int n = 0;
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        const fs::path of = "row" + std::to_string(n++); // a folder, and journals, of its own
        const fs::path at = temp.folder(of);
        temp.file(of / "a.txt");
        upperRun(at);
        fs::rename(at / "A.TXT", at / "moved.txt");
        temp.file(of / row.made, "made since");

        const conversion::UndoOutcome undone = undoLatest(at);
        EXPECT_FALSE(undone.failure);
        EXPECT_EQ(undone.renamed, 0u);
        EXPECT_EQ(undone.already, row.already);
        EXPECT_EQ(undone.changed, row.changed);
        EXPECT_EQ(allNames(at), (Names{row.made, "moved.txt"}));
        EXPECT_EQ(contentOf(at / row.made), "made since");
        EXPECT_EQ(contentOf(at / "moved.txt"), "a.txt");
        const std::optional<conversion::StoredJournal> still = store.latest(at);
        const bool pending = still && still->journal && !still->journal->undone;
        EXPECT_EQ(pending, !row.undone);
    }
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
