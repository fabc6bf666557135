// Tests that an undo brings back exactly the names before the run it takes back,
// whatever came between: a kill at a real system call (strace's fault
// injection), a second process, a folder swapped for a link, a folder made since,
// a damaged journal, the journals' own folder inside the tree.
#include "command_line/traced_program.h"
#include "command_line/undo_after_kills.h"
#include "support/name_sets.h"
#include "support/temp_folder.h"

#include "conversion/journal_store.h"

#include <algorithm>
#include <map>
#include <sys/stat.h>

namespace {

using namespace command_line_testing;
using testing_support::allNames;
using testing_support::contentOf;
using testing_support::TempFolder;
using Names = testing_support::NameSet;
namespace fs = std::filesystem;

QString arg(const fs::path &path)
{
    return QString::fromStdString(path.native());
}

// The journals' folder pointed elsewhere while a test lasts.
class StateHome {
public:
    explicit StateHome(const fs::path &home) : m_old(qgetenv(conversion::JournalStore::kHomeVariable))
    {
        qputenv(conversion::JournalStore::kHomeVariable, QByteArray::fromStdString(home.native()));
    }
    ~StateHome() { qputenv(conversion::JournalStore::kHomeVariable, m_old); }

private:
    QByteArray m_old;
};

fs::path store()
{
    return conversion::JournalStore::standard().folder();
}

// Each row in a folder of its own.
void expectEachUndoTakesBackOneRunExactlyFor(const std::vector<KillRow> &rows)
{
    for (const KillRow &row : rows) {
        TempFolder temp;
        expectEachUndoTakesBackOneRunExactly(row, temp.folder("d"));
    }
}

// Killed at each of its writes (its marks before and after its renames), an
// undo made again takes back the same run, never the one before too.
TEST(Crash, AKilledUndoNeverTakesBackTheRunBeforeOnItsRetry)
{
    expectEachUndoTakesBackOneRunExactlyFor({{"write:1", true, {}}, {"write:2", true, {}}, {"write:3", true, {}}});
}

// Where renameat2 takes no RENAME_NOREPLACE (NFS) a rename is a link, then an
// unlink of the old name: killed between the two, the file has both names.
TEST(Crash, WithoutTheNoReplaceRenameAKillBetweenLinkAndUnlinkIsTakenBackExactly)
{
    std::vector<KillRow> rows;
    for (const bool inUndo : {false, true})
        for (const char *killAt : {"unlinkat:1", "unlinkat:2", "unlinkat:3", "unlinkat:4"})
            rows.push_back({killAt, inUndo, "renameat2:error=EINVAL"});
    expectEachUndoTakesBackOneRunExactlyFor(rows);
}

// Refused below after giving back three names above, the undo counts those three.
TEST(Crash, ARecursiveUndoStoppedBelowCountsTheNamesGivenBackAbove)
{
    TempFolder temp;
    for (const char *file : {"tree/a.txt", "tree/b.txt", "tree/c.txt", "tree/sub/d.txt"})
        temp.file(file);
    const fs::path tree = temp.path() / "tree";
    ASSERT_EQ(program({"--upper", "-r", arg(tree)}), 0);
    // Calls 1 and 2 are the top folder's first change of case, through a
    // temporary name; 5 is the first in sub.
    QString err;
    EXPECT_EQ(program({"--undo", "-r", arg(tree)}, {},
                      "renameat2:error=EACCES:when=5", &err),
              3);
    Names back = allNames(tree);
    back.merge(allNames(tree / "sub"));
    const auto given = std::count_if(back.begin(), back.end(), [](const fs::path &name) {
        return name.extension() == ".txt"; // given back, in whichever folder
    });
    EXPECT_GT(given, 0);
    EXPECT_TRUE(err.contains(QStringLiteral(" %1 個").arg(given))) << given << ' ' << err.toStdString();
}

// Under umask 002 the store is made open to the group: killed before it is
// closed, it must not refuse every later run.
TEST(Crash, AKillBeforeTheStoreIsMadePrivateLeavesNoStoreThatRefusesTheNextRun)
{
    TempFolder temp;
    const StateHome home(temp.folder("state"));
    temp.file("d/Ab.txt");
    const mode_t umask = ::umask(002); // the child's, as a login shell sets it
    const int killed = program({"--upper", arg(temp.path() / "d")}, "fchmodat:1");
    EXPECT_TRUE(killed == kKilled || killed == 0) << killed;
    EXPECT_EQ(program({"--upper", arg(temp.path() / "d")}), 0);
    ::umask(umask);
    EXPECT_EQ(allNames(temp.path() / "d"), (Names{"AB.TXT"}));
}

// The hidden file a journal is written under goes, by the next run at least.
TEST(Crash, AJournalKilledHalfWrittenLeavesNoHiddenFileBehind)
{
    TempFolder temp;
    const StateHome home(temp.folder("state"));
    temp.file("d/Ab.txt");
    EXPECT_EQ(program({"--upper", arg(temp.path() / "d")}, "write:1"), kKilled);
    EXPECT_EQ(program({"--upper", arg(temp.path() / "d")}), 0);
    for (const fs::path &name : allNames(store()))
        EXPECT_FALSE(name.native().starts_with(".mojik-")) << name;
}

// Whether `folder` holds any name of `before` in lower case.
bool anyLowered(const fs::path &folder, const Names &before)
{
    const Names now = allNames(folder);
    return std::any_of(before.begin(), before.end(), [&](const fs::path &name) {
        return now.contains(QString::fromStdString(name.native()).toLower().toStdString());
    });
}

// An undo started while a run renames waits for it, then takes back all of it.
TEST(Race, AnUndoDuringARunWaitsForItAndTakesBackTheWholeRun)
{
    TempFolder temp;
    Names before;
    for (int i = 0; i < 50; ++i)
        before.insert(temp.file("d/File" + std::to_string(100 + i) + ".txt").filename());
    const fs::path d = temp.path() / "d";
    QProcess run;
    // Slowed at its second file (the first went through a temporary name).
    startProgram(run, {"--lower", arg(d)}, {}, "renameat2:delay_enter=1500000:when=3");
    while (run.state() != QProcess::NotRunning && !run.waitForFinished(10) && !anyLowered(d, before)) {
    }
    QProcess undo;
    startProgram(undo, {"--undo", arg(d)});
    EXPECT_EQ(exitOf(run), 0);
    EXPECT_EQ(exitOf(undo), 0);
    EXPECT_EQ(allNames(d), before);
    EXPECT_EQ(program({"--undo", arg(d)}), 1) << "nothing of the run is left to undo";
}

// A folder swapped for a link to another while the run's journal goes to the
// disk: the run renames in the folder it planned, and undo refuses the link.
TEST(Race, ARunRenamesInTheFolderItPlannedThoughALinkTookItsPlace)
{
    for (const auto &[recursive, swapped] : {std::pair{false, "d"}, std::pair{true, "d/sub"}}) {
        SCOPED_TRACE(swapped);
        TempFolder temp;
        temp.file("d/Ab.txt");
        temp.file("d/sub/Cd.txt");
        temp.file("other/Ab.txt", "other's");
        temp.file("other/Cd.txt", "other's");
        const fs::path d = temp.path() / "d", folder = temp.path() / swapped, real = folder.native() + "-real";
        const auto on = [&](const char *option) {
            return recursive ? QStringList{option, "-r", arg(d)} : QStringList{option, arg(d)};
        };
        const Names stored = fs::exists(store()) ? allNames(store()) : Names{};
        QProcess run;
        // The journal is synced alone (the file, then its name in the store) or
        // with the disk (syncfs): each sync waits.
        startProgram(run, on("--lower"), {},
                     "fsync:delay_exit=1500000:when=1+ syncfs:delay_exit=1500000:when=1");
        // The swap comes once a new file in the store names the folder's file
        // (its journal is written), while it goes to the disk.
        const std::string planned = recursive ? "Cd.txt" : "Ab.txt";
        const auto written = [&] {
            for (const fs::path &name : fs::exists(store()) ? allNames(store()) : Names{})
                if (!stored.contains(name) && contentOf(store() / name).find(planned) != std::string::npos)
                    return true;
            return false;
        };
        while (run.state() != QProcess::NotRunning && !run.waitForFinished(5) && !written()) {
        }
        fs::rename(folder, real);
        fs::create_directory_symlink(temp.path() / "other", folder);
        EXPECT_EQ(exitOf(run), 0);
        const auto otherUntouched = [&] {
            expectHolds(temp.path() / "other", {{"Ab.txt", "other's"}, {"Cd.txt", "other's"}});
        };
        otherUntouched();
        if (recursive) {
            EXPECT_EQ(allNames(d), (Names{"ab.txt", "sub", "sub-real"}));
            EXPECT_EQ(allNames(real), (Names{"cd.txt"}));
        } else {
            EXPECT_EQ(allNames(real), (Names{"ab.txt", "sub"}));
        }

        EXPECT_EQ(program(on("--undo")), 3) << "not the run's folder";
        otherUntouched();
        fs::remove(folder);
        fs::rename(real, folder);
        EXPECT_EQ(program(on("--undo")), 0);
        EXPECT_EQ(allNames(d), (Names{"Ab.txt", "sub"}));
        EXPECT_EQ(allNames(d / "sub"), (Names{"Cd.txt"}));
    }
}

// A folder made since under the name a run's folder had is not the run's: its
// files keep their names, and the run's folder, renamed still, gets its own back.
TEST(UndoTree, AFolderMadeSinceUnderTheRunsOldNameKeepsItsNames)
{
    TempFolder temp;
    temp.file("tree/Sub/a.txt");
    temp.file("tree/top.txt");
    const fs::path tree = temp.path() / "tree";
    ASSERT_EQ(program({"--upper", "-r", "--folders", arg(tree)}), 0);
    ASSERT_EQ(allNames(tree / "SUB"), (Names{"A.TXT"}));
    temp.file("tree/Sub/A.TXT", "made since");
    EXPECT_EQ(program({"--undo", "-r", arg(tree)}), 1) << "SUB cannot be Sub again";
    EXPECT_EQ(allNames(tree), (Names{"top.txt", "Sub", "SUB"}));
    expectHolds(tree / "Sub", {{"A.TXT", "made since"}});
    expectHolds(tree / "SUB", {{"a.txt", "a.txt"}});
}

// A damaged journal of the run to take back stops its undo, which names it.
TEST(UndoTree, ADamagedJournalOfTheRunToUndoStopsItAndIsNamed)
{
    TempFolder temp;
    temp.file("tree/Ab.txt");
    temp.file("tree/s/Cd.txt");
    const fs::path tree = temp.path() / "tree";
    const Names stored = fs::exists(store()) ? allNames(store()) : Names{};
    ASSERT_EQ(program({"--upper", "-r", arg(tree)}), 0);
    std::vector<fs::path> firstRun;
    for (const fs::path &name : allNames(store()))
        if (!stored.contains(name))
            firstRun.push_back(store() / name);
    ASSERT_FALSE(firstRun.empty());
    // The run's journal; of one per folder, the top folder's, which is not the newest.
    fs::path damaged = firstRun.front();
    for (const fs::path &file : firstRun)
        if (firstRun.size() > 1 && contentOf(file).find("Ab.txt") != std::string::npos)
            damaged = file;
    ASSERT_EQ(program({"--lower", "-r", arg(tree)}), 0);
    fs::resize_file(damaged, fs::file_size(damaged) / 2);

    EXPECT_EQ(program({"--undo", "-r", arg(tree)}), 0);
    QString err;
    EXPECT_EQ(program({"--undo", "-r", arg(tree)}, {}, {}, &err), 3);
    EXPECT_TRUE(err.contains(QString::fromStdString(damaged.filename().native()))) << err.toStdString();
    EXPECT_EQ(allNames(tree), (Names{"AB.TXT", "s"})) << "nothing is taken back";
    EXPECT_EQ(allNames(tree / "s"), (Names{"CD.TXT"}));
}

// The journals kept inside the tree: a run never renames their folder or them.
TEST(UndoTree, ARunNeverRenamesTheJournalsOwnFolder)
{
    TempFolder temp;
    temp.file("tree/Sub/a.txt");
    temp.file("tree/b.txt");
    temp.file("elsewhere/Ab.txt");
    const fs::path tree = temp.path() / "tree";
    const StateHome home(tree / "state");
    ASSERT_EQ(program({"--lower", arg(temp.path() / "elsewhere")}), 0); // a journal in the store
    std::map<fs::path, std::string> journals;
    for (const fs::path &name : allNames(store()))
        journals[name] = contentOf(store() / name);

    const int run = program({"--upper", "-r", "--folders", arg(tree)});
    EXPECT_TRUE(run == 0 || run == 1) << run;
    EXPECT_EQ(allNames(tree), (Names{"state", "SUB", "B.TXT"}));
    EXPECT_EQ(allNames(tree / "state"), (Names{"mojik"}));
    for (const auto &[name, content] : journals)
        EXPECT_EQ(contentOf(store() / name), content) << name;

    EXPECT_EQ(program({"--undo", "-r", arg(tree)}), 0);
    EXPECT_EQ(allNames(tree), (Names{"state", "Sub", "b.txt"}));
    EXPECT_EQ(allNames(tree / "Sub"), (Names{"a.txt"}));
}

} // namespace
