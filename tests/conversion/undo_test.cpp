// Tests of taking a run back from its journal: after a whole run, a run stopped
// by a refused rename, a process killed mid-run, and names taken since.
#include "conversion/engine.h"
#include "conversion/undo.h"

#include "support/name_sets.h"
#include "support/temp_folder.h"

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using testing_support::contentOf;
using testing_support::TempFolder;
using testing_support::allNames;
using Names = testing_support::NameSet;
namespace fs = std::filesystem;

conversion::Outcome upperRun(const fs::path &folder, const conversion::JournalStore &store)
{
    std::vector<fs::path> listed;
    EXPECT_FALSE(conversion::listedFiles(folder, listed));
    conversion::Run run(folder, conversion::Case::Upper);
    EXPECT_FALSE(run.plan(listed));
    EXPECT_FALSE(run.writeJournal(store));
    return run.renameAll();
}

conversion::UndoOutcome undoLatest(const fs::path &folder, const conversion::JournalStore &store)
{
    const std::optional<conversion::StoredJournal> stored = store.latest(folder);
    EXPECT_TRUE(stored && stored->journal);
    return stored && stored->journal ? conversion::undoRun(*stored) : conversion::UndoOutcome{};
}

TEST(Undo, TakesBackARunStoppedByARefusedRename)
{
    TempFolder temp;
    const fs::path folder = temp.folder("files");
    const conversion::JournalStore store(temp.path() / "state");
    for (const char *name : {"a.txt", "b.txt", "c.txt"})
        temp.file(fs::path("files") / name);
    std::vector<fs::path> listed;
    ASSERT_FALSE(conversion::listedFiles(folder, listed));
    conversion::Run run(folder, conversion::Case::Upper);
    ASSERT_FALSE(run.plan(listed));
    ASSERT_FALSE(run.writeJournal(store));
    fs::remove(folder / "b.txt"); // gone after the plan: its rename is refused for real
    const conversion::Outcome outcome = run.renameAll();
    EXPECT_EQ(outcome.failedName, "b.txt");
    EXPECT_EQ(outcome.renamed, 1u);
    EXPECT_EQ(allNames(folder), (Names{"A.TXT", "c.txt"}));

    const conversion::UndoOutcome undone = undoLatest(folder, store);
    EXPECT_FALSE(undone.failure);
    EXPECT_EQ(undone.renamed, 1u);
    EXPECT_EQ(undone.already, 1u); // c.txt, which the run never reached
    EXPECT_EQ(undone.changed, (std::vector<std::pair<fs::path, fs::path>>{{"b.txt", "B.TXT"}}));
    EXPECT_EQ(allNames(folder), (Names{"a.txt", "c.txt"}));
    EXPECT_EQ(contentOf(folder / "a.txt"), "a.txt");
    EXPECT_FALSE(store.latest(folder)) << "an undone run is not taken back twice";
}

TEST(Undo, TakesBackWhatAProcessKilledMidRunHadDone)
{
    TempFolder temp;
    const fs::path folder = temp.folder("files");
    const conversion::JournalStore store(temp.path() / "state");
    for (const char *name : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"})
        temp.file(fs::path("files") / name);
    constexpr int kRenamed = 3;

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::vector<fs::path> listed;
        conversion::listedFiles(folder, listed);
        conversion::Run run(folder, conversion::Case::Upper);
        if (run.plan(listed) || run.writeJournal(store))
            ::_exit(1);
        for (int i = 0; i < kRenamed; ++i)
            run.rename(listed[static_cast<std::size_t>(i)], run.planned().newNames[static_cast<std::size_t>(i)]);
        ::raise(SIGKILL); // no mark of how far it got, no clean-up
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    EXPECT_EQ(allNames(folder), (Names{"A.TXT", "B.TXT", "C.TXT", "d.txt", "e.txt"}));

    const conversion::UndoOutcome undone = undoLatest(folder, store);
    EXPECT_EQ(undone.renamed, 3u);
    EXPECT_TRUE(undone.changed.empty());
    EXPECT_EQ(allNames(folder), (Names{"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"}));
    for (const char *name : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"})
        EXPECT_EQ(contentOf(folder / name), name);
}

TEST(Undo, NeverReplacesANameTakenSinceTheRun)
{
    TempFolder temp;
    const fs::path folder = temp.folder("files");
    const conversion::JournalStore store(temp.path() / "state");
    temp.file("files/a.txt");
    temp.file("files/b.txt");
    upperRun(folder, store);
    temp.file("files/a.txt", "made since"); // the old name is taken again
    fs::rename(folder / "B.TXT", folder / "moved.txt");

    const conversion::UndoOutcome undone = undoLatest(folder, store);
    EXPECT_EQ(undone.renamed, 0u);
    EXPECT_EQ(undone.changed,
              (std::vector<std::pair<fs::path, fs::path>>{{"b.txt", "B.TXT"}, {"a.txt", "A.TXT"}}));
    EXPECT_EQ(allNames(folder), (Names{"a.txt", "A.TXT", "moved.txt"}));
    EXPECT_EQ(contentOf(folder / "a.txt"), "made since");
    EXPECT_EQ(contentOf(folder / "A.TXT"), "a.txt");
}

TEST(Undo, KeepsTheLastTwentyRunsOfAFolderAndTakesThemBackInTurn)
{
    TempFolder temp;
    const fs::path folder = temp.folder("files");
    const fs::path other = temp.folder("other");
    const conversion::JournalStore store(temp.path() / "state");
    temp.file("other/o.txt");
    upperRun(other, store); // another folder's run, which must stay
    for (int run = 0; run < 22; ++run) {
        temp.file("files/run" + std::to_string(run) + ".txt");
        upperRun(folder, store);
    }
    std::vector<fs::path> journals;
    ASSERT_FALSE(sys::listAllNames(store.folder(), journals));
    EXPECT_EQ(journals.size(), 21u);

    // Each undo takes back the latest run not yet undone: one new name each.
    EXPECT_EQ(undoLatest(folder, store).renamed, 1u);
    EXPECT_TRUE(allNames(folder).count("run21.txt"));
    EXPECT_TRUE(allNames(folder).count("RUN20.TXT"));
    EXPECT_EQ(undoLatest(folder, store).renamed, 1u);
    EXPECT_TRUE(allNames(folder).count("run20.txt"));
    EXPECT_EQ(undoLatest(other, store).renamed, 1u);
}

} // namespace
