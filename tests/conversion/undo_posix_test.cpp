// Tests of undo against what only POSIX systems make in a test: a process
// killed mid-run, a name differing in case alone from a renamed file, and a
// journal folder that another user owns or can write to.
#include "conversion/undo_fixture.h"

#include "text/reason.h"

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace undo_testing;

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
