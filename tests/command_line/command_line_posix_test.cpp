// Tests of the command line on what only POSIX systems make in a test: names in
// any bytes, names alike but for case side by side, links, a read-only and an
// immutable file, a FIFO as a journal, /dev/full as the output.
#include "command_line/run_in_process.h"

#include "support/mounts.h"
#include "support/name_sets.h"
#include "support/temp_folder.h"

#include "conversion/journal_store.h"
#include "system/files.h"

#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <fstream>
#include <tuple>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace command_line_testing;

// Each argument is its own bytes, whatever text it holds: one that is not UTF-8
// as well as one that begins with the private-use character U+E000.
TEST(CommandLine, EveryArgumentIsTakenAsItsOwnBytes)
{
    for (const std::string &folder : {std::string("\xee\x80\x80" "99999999"), std::string("\xee\x80\x80" "1"),
                                      std::string("\xee\x80\x80"), std::string("F\xff\x81")}) {
        const command_line::Options options = command_line::parseOptions({"--upper", folder});
        EXPECT_TRUE(options.error.isEmpty()) << folder;
        EXPECT_EQ(options.action, command_line::Action::Upper);
        EXPECT_EQ(options.folder.native(), folder);
    }
    EXPECT_EQ(command_line::parseOptions({"--list", "d", "--output=F\xff\x81"}).output.native(), "F\xff\x81");
}

TEST(CommandLine, ExitCodesSayWhetherEveryNameTookTheCase)
{
    TempFolder temp;
    for (const char *name : {"all/Mixed.txt", "all/LOWER.TXT", "left/x.txt", "left/X.TXT"})
        temp.file(name);
    const fs::path all = temp.path() / "all", left = temp.path() / "left";

    EXPECT_EQ(mojik({"--upper", "-n", left.native()}).exit, command_line::kLeft);
    const Result dry = mojik({"--lower", "--dry-run", all.native()});
    EXPECT_EQ(dry.exit, command_line::kDone);
    EXPECT_EQ(dry.out, "LOWER.TXT → lower.txt\nMixed.txt → mixed.txt\n");
    EXPECT_EQ(allNames(all), (Names{"Mixed.txt", "LOWER.TXT"})) << "a dry run changes nothing";

    EXPECT_EQ(mojik({"--lower", all.native()}).exit, command_line::kDone);
    EXPECT_EQ(allNames(all), (Names{"mixed.txt", "lower.txt"}));
    const Result skipped = mojik({"--upper", left.native()});
    EXPECT_EQ(skipped.exit, command_line::kLeft);
    EXPECT_EQ(skipped.out, "x.txt … X.TXT という名前が既にあります\n");
    EXPECT_EQ(mojik({"--undo", all.native()}).exit, command_line::kDone);
    EXPECT_EQ(allNames(all), (Names{"Mixed.txt", "LOWER.TXT"}));
    EXPECT_EQ(mojik({"--undo", all.native()}).exit, command_line::kLeft) << "nothing left to take back";

    // A refused rename: the medium is read-only by the time of the run.
    const fs::path point = temp.folder("readonly");
    if (::mount("mojik-test", point.c_str(), "tmpfs", 0, "size=1m") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here: needs root or CAP_SYS_ADMIN";
    testing_support::Mounted mounted(point);
    temp.file("readonly/Abc.txt");
    ASSERT_EQ(::mount(nullptr, point.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    const Result refused = mojik({"--upper", point.native()});
    EXPECT_EQ(refused.exit, command_line::kStopped);
    EXPECT_NE(refused.err.find("Abc.txt の名前を変更できなかったので、ここで止めました。"), std::string::npos) << refused.err;
}

TEST(CommandLine, ARecursiveRunEntersNoHiddenFolderOrLinkAndIsTakenBackWhole)
{
    TempFolder temp;
    for (const char *name : {"tree/Top.txt", "tree/Sub/Inner.txt", "tree/Sub/Deeper/Deep.txt", "tree/.hidden/Secret.txt",
                             "elsewhere/Outside.txt"})
        temp.file(name);
    fs::create_directory_symlink(temp.path() / "elsewhere", temp.path() / "tree" / "Link");
    const fs::path tree = temp.path() / "tree";

    const Result run = mojik({"--upper", "-r", tree.native()});
    EXPECT_EQ(run.exit, command_line::kDone) << run.err;
    EXPECT_EQ(run.out, "Top.txt → TOP.TXT\nSub/Inner.txt → Sub/INNER.TXT\nSub/Deeper/Deep.txt → Sub/Deeper/DEEP.TXT\n");
    EXPECT_EQ(allNames(tree), (Names{"TOP.TXT", "Sub", ".hidden", "Link"})) << "folders keep their names";
    EXPECT_EQ(allNames(tree / "Sub" / "Deeper"), (Names{"DEEP.TXT"}));
    EXPECT_EQ(allNames(tree / ".hidden"), (Names{"Secret.txt"}));
    EXPECT_EQ(allNames(temp.path() / "elsewhere"), (Names{"Outside.txt"}));

    // A later run of one folder below is not part of the recursive run.
    temp.file("tree/Sub/Later.txt");
    EXPECT_EQ(mojik({"--upper", (tree / "Sub").native()}).exit, command_line::kDone);
    EXPECT_EQ(mojik({"--undo", "-r", tree.native()}).exit, command_line::kDone);
    EXPECT_EQ(allNames(tree), (Names{"Top.txt", "Sub", ".hidden", "Link"}));
    EXPECT_EQ(allNames(tree / "Sub"), (Names{"Inner.txt", "LATER.TXT", "Deeper"}));
    EXPECT_EQ(allNames(tree / "Sub" / "Deeper"), (Names{"Deep.txt"}));
}

// A recursive undo renames only inside the folder it was given, whatever a
// journal's folder line says: outside it, or through a link that leads out.
TEST(CommandLine, ARecursiveUndoActsOnlyWithinItsFolder)
{
    for (const char *elsewhere : {"B", "R/Link"}) {
        TempFolder temp;
        for (const char *name : {"R/a.txt", "R/sub/b.txt", "B/B.TXT"})
            temp.file(name);
        fs::create_directory_symlink(temp.path() / "B", temp.path() / "R" / "Link");
        const fs::path root = temp.path() / "R";
        ASSERT_EQ(mojik({"--upper", "-r", root.native()}).exit, command_line::kDone);

        // R/sub's journal, its folder line pointed elsewhere.
        const std::optional<conversion::StoredJournal> stored = conversion::JournalStore::standard().latest(root / "sub");
        ASSERT_TRUE(stored && stored->journal);
        conversion::Journal edited = *stored->journal;
        edited.folder = temp.path() / elsewhere;
        std::ofstream(stored->file, std::ios::binary | std::ios::trunc) << conversion::journalBytes(edited);

        const Result undo = mojik({"--undo", "-r", root.native()});
        EXPECT_EQ(undo.exit, command_line::kStopped) << elsewhere;
        EXPECT_NE(undo.err.find("の外のフォルダー"), std::string::npos) << undo.err;
        EXPECT_EQ(allNames(temp.path() / "B"), (Names{"B.TXT"})) << elsewhere;
        EXPECT_EQ(allNames(root), (Names{"A.TXT", "sub", "Link"})) << elsewhere << ": nothing is taken back";
    }
}

// A path is taken to the folder the system resolves it to, as cd and ls take it:
// link/../victim is the victim beside what the link leads to. Undo finds the
// run's journal by any other path to that folder.
TEST(CommandLine, AFolderIsTheOneTheSystemResolvesItsPathTo)
{
    TempFolder temp;
    temp.folder("real/inner");
    temp.file("real/victim/Real.txt");
    temp.file("victim/Decoy.txt");
    fs::create_directory_symlink(temp.path() / "real" / "inner", temp.path() / "link");
    fs::create_directory_symlink(temp.path() / "real" / "victim", temp.path() / "shortcut");
    const std::string through = (temp.path() / "link" / ".." / "victim").native();

    const fs::path list = temp.path() / "list.txt";
    EXPECT_EQ(mojik({"--list", through, "--output", list.native()}).exit, command_line::kDone);
    EXPECT_NE(testing_support::contentOf(list).find("Real.txt"), std::string::npos);
    EXPECT_EQ(testing_support::contentOf(list).find("Decoy.txt"), std::string::npos);

    EXPECT_EQ(mojik({"--upper", through}).exit, command_line::kDone);
    EXPECT_EQ(allNames(temp.path() / "real" / "victim"), (Names{"REAL.TXT"}));
    EXPECT_EQ(allNames(temp.path() / "victim"), (Names{"Decoy.txt"}));
    EXPECT_EQ(mojik({"--undo", (temp.path() / "shortcut").native()}).exit, command_line::kDone);
    EXPECT_EQ(allNames(temp.path() / "real" / "victim"), (Names{"Real.txt"}));
}

// What a run prints is in the file list's order, the names left alone after the
// renames, whatever order the folder reads in; a dry run prints the same.
TEST(CommandLine, TheRenamesAndTheNamesLeftArePrintedInTheListsOrder)
{
    TempFolder temp;
    for (const char *name : {"zeta.txt", "Y.DAT", "y.dat", "Mid.txt", "m.TXT", "M.txt", "delta.txt", "Beta.txt",
                             "ALPHA.TXT", "alpha.txt"})
        temp.file(name);
    const std::string expected = "Beta.txt → BETA.TXT\n"
                                 "delta.txt → DELTA.TXT\n"
                                 "Mid.txt → MID.TXT\n"
                                 "zeta.txt → ZETA.TXT\n"
                                 "alpha.txt … ALPHA.TXT という名前が既にあります\n"
                                 "M.txt … 他のファイルも M.TXT になります\n"
                                 "m.TXT … 他のファイルも M.TXT になります\n"
                                 "y.dat … Y.DAT という名前が既にあります\n";
    for (const char *dryRun : {"-n", ""}) {
        std::vector<std::string> arguments{"--upper", temp.path().native()};
        if (*dryRun)
            arguments.emplace_back(dryRun);
        const Result result = mojik(arguments);
        EXPECT_EQ(result.exit, command_line::kLeft) << dryRun;
        EXPECT_EQ(result.out, expected) << dryRun;
    }
    EXPECT_EQ(allNames(temp.path()), (Names{"ZETA.TXT", "Y.DAT", "y.dat", "MID.TXT", "m.TXT", "M.txt", "DELTA.TXT",
                                            "BETA.TXT", "ALPHA.TXT", "alpha.txt"}));
}

// The renames go in the order the folder reads, which needs no sort before the
// first; what is printed is in the file list's order, and only what was renamed.
TEST(CommandLine, ARunStoppedHalfwayPrintsTheRenamesMadeInTheListsOrder)
{
    TempFolder temp;
    const std::vector<std::string> names = {"f.txt", "b.txt", "h.txt", "a.txt", "e.txt", "c.txt", "g.txt", "d.txt"};
    for (const std::string &name : names)
        temp.file(name);
    std::vector<fs::path> read;
    ASSERT_FALSE(sys::listAllNames(temp.path(), read));
    // The last name read cannot be renamed: every other rename comes before it.
    const fs::path last = temp.path() / read.back();
    const int fd = ::open(last.c_str(), O_RDONLY);
    int flags = 0;
    if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) != 0 || (flags |= FS_IMMUTABLE_FL, ::ioctl(fd, FS_IOC_SETFLAGS, &flags)) != 0) {
        ::close(fd);
        GTEST_SKIP() << "cannot make a file immutable here: needs root and a file system that keeps the flag";
    }
    const Result result = mojik({"--upper", temp.path().native()});
    flags &= ~FS_IMMUTABLE_FL;
    ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
    ::close(fd);

    EXPECT_EQ(result.exit, command_line::kStopped);
    std::string lines;
    Names after;
    for (const char *name : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt", "f.txt", "g.txt", "h.txt"}) {
        std::string upper = name;
        std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) { return std::toupper(c); });
        if (read.back() != name)
            lines += std::string(name) + " → " + upper + '\n';
        after.insert(read.back() == name ? name : upper);
    }
    EXPECT_EQ(result.out, lines);
    EXPECT_EQ(allNames(temp.path()), after);
}

// Output that cannot be written is a failure the exit code tells.
TEST(CommandLine, AnOutputThatCannotBeWrittenStopsWithThree)
{
    TempFolder temp;
    temp.file("Abc.txt");
    for (const QStringList &arguments : {QStringList{QStringLiteral("--upper"), QStringLiteral("-n"),
                                                     QString::fromStdString(temp.path().native())},
                                         QStringList{QStringLiteral("--version")}}) {
        QProcess program;
        program.setStandardOutputFile(QStringLiteral("/dev/full"));
        program.start(QStringLiteral(MOJIK_PROGRAM), arguments);
        EXPECT_TRUE(program.waitForFinished(30000));
        EXPECT_EQ(program.exitCode(), command_line::kStopped) << arguments.join(' ').toStdString();
        EXPECT_TRUE(QString::fromUtf8(program.readAllStandardError()).contains(QStringLiteral("標準出力に書き込めませんでした")));
    }
}

// A FIFO in place of a folder's journal: undo refuses it at once, and a later run
// of the folder, which lets its oldest journals go, does not wait on it either.
TEST(CommandLine, AJournalThatIsNoRegularFileIsRefusedWithoutWaiting)
{
    TempFolder temp;
    temp.file("Abc.txt");
    const QString folder = QString::fromStdString(temp.path().native());
    EXPECT_EQ(mojik({"--lower", temp.path().native()}).exit, command_line::kDone);
    const std::optional<conversion::StoredJournal> journal = conversion::JournalStore::standard().latest(temp.path());
    ASSERT_TRUE(journal);
    fs::remove(journal->file);
    ASSERT_EQ(::mkfifo(journal->file.c_str(), 0600), 0);

    temp.file("Later.txt");
    for (const auto &[option, exit, message] : std::vector<std::tuple<QString, int, QString>>{
             {QStringLiteral("--undo"), command_line::kStopped, QStringLiteral("通常のファイルではありません")},
             {QStringLiteral("--upper"), command_line::kDone, QString()},
         }) {
        QProcess program;
        program.start(QStringLiteral(MOJIK_PROGRAM), {option, folder});
        if (!program.waitForFinished(20000)) {
            program.kill();
            program.waitForFinished();
            ADD_FAILURE() << option.toStdString() << " waits on the FIFO";
            continue;
        }
        EXPECT_EQ(program.exitCode(), exit) << option.toStdString();
        EXPECT_TRUE(QString::fromUtf8(program.readAllStandardError()).contains(message)) << option.toStdString();
    }
    fs::remove(journal->file);
}

} // namespace
