// Tests of what a crash leaves: the program killed by a real signal at a real
// system call (strace's fault injection), and what undo makes of it afterwards.
#include "command_line/traced_program.h"
#include "support/name_sets.h"
#include "support/temp_folder.h"

namespace {

using command_line_testing::kKilled;
using command_line_testing::program;

using testing_support::allNames;
using testing_support::contentOf;
using testing_support::TempFolder;
using Names = testing_support::NameSet;
namespace fs = std::filesystem;

struct Step {
    QStringList arguments; // the folder's name is added at the end
    QString killAt;
    int exit;
};

struct Row {
    const char *what;
    std::vector<const char *> files; // below the temporary folder, in d/
    std::vector<Step> steps;          // on d; each folder has its first names again after the last
};

void expectEveryNameBackAfter(const std::vector<Row> &rows)
{
    for (const Row &row : rows) {
        TempFolder temp;
        for (const char *file : row.files)
            temp.file(file);
        const fs::path d = temp.path() / "d";
        for (const Step &step : row.steps)
            EXPECT_EQ(program(step.arguments + QStringList{QString::fromStdString(d.native())}, step.killAt), step.exit)
                << row.what << ": " << step.arguments.join(' ').toStdString() << ' ' << step.killAt.toStdString();
        for (const char *file : row.files) {
            EXPECT_TRUE(fs::exists(temp.path() / file)) << row.what << ": " << file;
            EXPECT_EQ(contentOf(temp.path() / file), fs::path(file).filename().string()) << row.what;
        }
        EXPECT_EQ(allNames(d).size(), row.files.size()) << row.what << ": no temporary name is left";
    }
}

// On a file system that keeps case, the first change of case of each folder goes
// old → temporary name → NEW while the renamer learns that; a kill between the two
// steps leaves the temporary name, which undo must bring back.
TEST(Crash, UndoBringsBackANameLeftBetweenTheTwoStepsOfAChangeOfCase)
{
    expectEveryNameBackAfter({
        {"a run", {"d/a.txt", "d/b.txt"}, {{{"--upper"}, "renameat2:2", kKilled}, {{"--undo"}, {}, 0}}},
        {"an undo, then undone again",
         {"d/a.txt", "d/b.txt"},
         {{{"--upper"}, {}, 0}, {{"--undo"}, "renameat2:2", kKilled}, {{"--undo"}, {}, 0}}},
        {"a recursive run in the folder below",
         {"d/a.txt", "d/sub/b.txt"},
         {{{"--upper", "-r"}, "renameat2:4", kKilled}, {{"--undo", "-r"}, {}, 0}}},
    });
}

// A run killed before its first rename (while its journal is written, or at
// the rename itself) renamed nothing: undo takes back the run before it.
TEST(Crash, ARunThatRenamedNothingNeverStandsInTheWayOfTheRunsBeforeIt)
{
    expectEveryNameBackAfter({
        {"killed writing its journal",
         {"d/a.txt"},
         {{{"--upper"}, {}, 0}, {{"--lower"}, "write:1", kKilled}, {{"--undo"}, {}, 0}}},
        {"killed at its first rename",
         {"d/a.txt"},
         {{{"--upper"}, {}, 0}, {{"--lower"}, "renameat2:1", kKilled}, {{"--undo"}, {}, 0}}},
        {"a recursive run killed writing its first journal",
         {"d/a.txt", "d/sub/b.txt"},
         {{{"--upper", "-r"}, {}, 0}, {{"--lower", "-r"}, "write:1", kKilled}, {{"--undo", "-r"}, {}, 0}}},
    });
}

// A recursive run stopped by a refused rename in a folder below counts what it
// renamed in the folders before.
TEST(Crash, ARecursiveRunStoppedBelowCountsEveryFolder)
{
    TempFolder temp;
    for (const char *file : {"d/a.txt", "d/sub/b.txt"})
        temp.file(file);
    QString err;
    EXPECT_EQ(program({QStringLiteral("--upper"), QStringLiteral("-r"), QString::fromStdString((temp.path() / "d").native())},
                      {}, QStringLiteral("renameat2:error=EACCES:when=3"), &err),
              3);
    EXPECT_TRUE(err.contains(QStringLiteral("それまでに 1 個のファイル名を変更しました。"))) << err.toStdString();
    EXPECT_EQ(allNames(temp.path() / "d"), (Names{"A.TXT", "sub"}));
}

// Ctrl+C (here at the third rename) stops the run before the next one: what was
// done is told, the exit code says so, and undo takes it back.
TEST(Crash, AnInterruptedRunStopsBetweenTwoRenames)
{
    TempFolder temp;
    for (const char *file : {"d/a.txt", "d/b.txt", "d/c.txt", "d/e.txt"})
        temp.file(file);
    const QString d = QString::fromStdString((temp.path() / "d").native());
    QString err;
    EXPECT_EQ(program({QStringLiteral("--upper"), d}, {}, QStringLiteral("renameat2:signal=SIGINT:when=3"), &err), 3);
    EXPECT_TRUE(err.contains(QStringLiteral("中止しました。2 個のファイル名を変更しました。"))) << err.toStdString();
    EXPECT_EQ(program({QStringLiteral("--undo"), d}), 0);
    EXPECT_EQ(allNames(temp.path() / "d"), (Names{"a.txt", "b.txt", "c.txt", "e.txt"}));
}

} // namespace
