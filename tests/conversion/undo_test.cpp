// Tests of taking a run back from its journal: after a whole run, a run stopped
// by a refused rename, a process killed mid-run, and names taken since.
#include "conversion/engine.h"
#include "conversion/undo.h"

#include "text/reason.h"

#include "support/name_sets.h"
#include "support/temp_folder.h"

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using testing_support::contentOf;
using testing_support::TempFolder;
using testing_support::allNames;
using Names = testing_support::NameSet;
namespace fs = std::filesystem;

// The files of a run in files/, the journals in state/.
class Undo : public testing::Test {
protected:
    // A run to capitals with its journal; `beforeRenaming` acts between the journal and the renames.
    conversion::Outcome upperRun(const fs::path &of, const std::function<void()> &beforeRenaming = {})
    {
        std::vector<fs::path> listed;
        EXPECT_FALSE(conversion::listedFiles(of, listed));
        conversion::Run run(of, conversion::Case::Upper);
        EXPECT_FALSE(run.plan(listed));
        EXPECT_FALSE(run.writeJournal(store));
        if (beforeRenaming)
            beforeRenaming();
        return run.renameAll();
    }

    conversion::UndoOutcome undoLatest(const fs::path &of)
    {
        const std::optional<conversion::StoredJournal> stored = store.latest(of);
        EXPECT_TRUE(stored && stored->journal);
        return stored && stored->journal ? conversion::undoRun(*stored) : conversion::UndoOutcome{};
    }

    TempFolder temp;
    const fs::path folder = temp.folder("files");
    const conversion::JournalStore store{temp.path() / "state"};
};

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

TEST_F(Undo, TakesBackWhatAProcessKilledMidRunHadDone)
{
    for (const char *name : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"})
        temp.file(fs::path("files") / name);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::vector<fs::path> listed;
        conversion::listedFiles(folder, listed);
        conversion::Run run(folder, conversion::Case::Upper);
        if (run.plan(listed) || run.writeJournal(store))
            ::_exit(1);
        for (std::size_t i = 0; i < 3; ++i)
            run.rename(listed[i], run.planned().newNames[i]);
        ::raise(SIGKILL); // no mark of how far it got, no clean-up
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    EXPECT_EQ(allNames(folder), (Names{"A.TXT", "B.TXT", "C.TXT", "d.txt", "e.txt"}));

    const conversion::UndoOutcome undone = undoLatest(folder);
    EXPECT_EQ(undone.renamed, 3u);
    EXPECT_TRUE(undone.changed.empty());
    EXPECT_EQ(allNames(folder), (Names{"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"}));
    for (const char *name : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"})
        EXPECT_EQ(contentOf(folder / name), name);
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

// A store another user owns or can write to may hold anything that user put
// there: a run refuses to journal in it (so renames nothing), and undo to read it.
TEST_F(Undo, AStoreThatAnotherUserCanWriteToIsNotTrusted)
{
    temp.file("files/a.txt");
    upperRun(folder);
    const struct {
        const char *what;
        mode_t mode;
        uid_t owner;
    } rows[] = {
        {"writable by its group", 0770, ::geteuid()},
        {"writable by all", 0777, ::geteuid()},
        {"another user's", 0700, ::geteuid() + 1},
    };
    for (const auto &row : rows) {
        ASSERT_EQ(::chmod(store.folder().c_str(), row.mode), 0);
        if (::chown(store.folder().c_str(), row.owner, static_cast<gid_t>(-1)) != 0)
            GTEST_SKIP() << row.what << ": cannot give the folder away here; needs root"; // the last row
        std::vector<fs::path> listed;
        ASSERT_FALSE(conversion::listedFiles(folder, listed));
        conversion::Run run(folder, conversion::Case::Lower);
        ASSERT_FALSE(run.plan(listed));
        const std::error_code error = run.writeJournal(store);
        EXPECT_TRUE(text::reasonText(error).contains(QStringLiteral("信頼できません"))) << row.what;
        const std::optional<conversion::StoredJournal> stored = store.latest(folder);
        ASSERT_TRUE(stored) << row.what;
        EXPECT_FALSE(stored->journal) << row.what;
        EXPECT_TRUE(text::reasonText(stored->error).contains(QStringLiteral("信頼できません"))) << row.what;
        ASSERT_EQ(::chown(store.folder().c_str(), ::geteuid(), static_cast<gid_t>(-1)), 0);
    }
    ASSERT_EQ(::chmod(store.folder().c_str(), 0700), 0);
    EXPECT_EQ(undoLatest(folder).renamed, 1u) << "the user's own folder is trusted again";
}

} // namespace
