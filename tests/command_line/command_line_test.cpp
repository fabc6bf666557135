// Tests of the command line: its options and exit codes, a recursive undo over a
// small tree, and the program itself answering without a display.
#include "command_line/run_in_process.h"

#include "support/name_sets.h"
#include "support/temp_folder.h"

#include "conversion/journal_store.h"
#include "system/files.h"
#include "system/paths.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <fstream>
#include <tuple>

namespace {

using namespace command_line_testing;

TEST(CommandLine, UsageErrorsExitWithTwoAndChangeNothing)
{
    TempFolder temp;
    temp.file("Abc.txt");
    const std::string folder = sys::pathBytes(temp.path());
    for (const std::vector<std::string> &arguments : std::vector<std::vector<std::string>>{
             {"--upper"},
             {"--upper", "--lower", folder},
             {"--upper", folder, folder},
             {"--bogus", folder},
             {"--undo", "-n", folder},
             {"--list", folder},
             {"--list", "-r", folder, "--output", folder + "/out.txt"},
             {"--upper", folder, "--output", "x.txt"},
             {"-r", folder},
             {"--upper", folder + "/no such folder"},
             {"--upper", "--part", "base", folder},
             {"--upper", "--part=", folder},
             {"--undo", "--folders", folder},
             {"--list", folder, "--part", "name", "--output", folder + "/out.txt"},
         }) {
        const Result result = mojik(arguments);
        EXPECT_EQ(result.exit, command_line::kUsage) << arguments.front() << ' ' << arguments.size();
        EXPECT_FALSE(result.err.empty());
        EXPECT_TRUE(result.out.empty());
    }
    EXPECT_EQ(allNames(temp.path()), (Names{"Abc.txt"}));
}

TEST(CommandLine, UsageErrorsSayWhatIsWrong)
{
    TempFolder temp;
    const std::string folder = sys::pathBytes(temp.path());
    for (const auto &[arguments, message] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"--upper=yes", folder}, "--upper には値を付けられません。"},
             {{"--upper", "--dry-run=1", folder}, "--dry-run には値を付けられません。"},
             {{"--upper", "--output"}, "--output には書き出すファイルの名前が要ります。"},
             {{"--upper", "--\xff", folder}, "--\xef\xbf\xbd というオプションはありません。"},
             {{"--upper", "--x", folder}, "--x というオプションはありません。"},
             {{"--upper", "-x", folder}, "-x というオプションはありません。"},
             {{"--list", folder, "--output", folder + "/missing/out.txt"}, "/missing というフォルダーはありません。"},
             {{"--list", folder, "--output", folder}, "はフォルダーです。"},
             {{"--lower", folder, "--part"}, "--part には name、extension、all のどれかを指定してください。"},
             {{"--lower", "--part", "EXTENSION", folder}, "--part には name、extension、all のどれかを指定してください。"},
             {{"--undo", "--part", "name", folder}, "--part は変換 (--upper、--lower、--utf8、--compose、--narrow、--wide-kana) と一緒に使います。"},
             {{"--list", "--folders", folder}, "--folders は変換 (--upper、--lower、--utf8、--compose、--narrow、--wide-kana) と一緒に使います。"},
         }) {
        const Result result = mojik(arguments);
        EXPECT_EQ(result.exit, command_line::kUsage) << message;
        EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
    }
    EXPECT_TRUE(allNames(temp.path()).empty());
}

// A folder of a recursive run that is gone or renamed since: the rest is taken
// back, and the folder listed as a name left.
TEST(CommandLine, ARecursiveUndoTakesBackWhatItCanReachAndListsTheRest)
{
    TempFolder temp;
    for (const char *name : {"R/a.txt", "R/sub/b.txt", "R/gone/c.txt"})
        temp.file(name);
    const fs::path root = temp.path() / "R";
    ASSERT_EQ(mojik({"--upper", "-r", sys::pathBytes(root)}).exit, command_line::kDone);
    fs::rename(root / "sub", root / "moved");
    fs::remove_all(root / "gone");

    const Result undo = mojik({"--undo", "-r", sys::pathBytes(root)});
    EXPECT_EQ(undo.exit, command_line::kLeft) << undo.err;
    for (const char *folder : {"sub/", "gone/"})
        EXPECT_NE(undo.out.find(std::string(folder) + " … フォルダーに届かないので"), std::string::npos) << undo.out;
    EXPECT_EQ(allNames(root), (Names{"a.txt", "moved"}));
    EXPECT_EQ(allNames(root / "moved"), (Names{"B.TXT"}));
}

// A run of one folder after a recursive run: the recursive undo takes back the
// later run first, so every folder gets its first spelling back.
TEST(CommandLine, ARecursiveUndoTakesBackEachFoldersLaterRunsFirst)
{
    TempFolder temp;
    for (const char *name : {"R/Abc.txt", "R/sub/Def.txt"})
        temp.file(name);
    const fs::path root = temp.path() / "R";
    ASSERT_EQ(mojik({"--upper", "-r", sys::pathBytes(root)}).exit, command_line::kDone);
    ASSERT_EQ(mojik({"--lower", sys::pathBytes(root)}).exit, command_line::kDone);
    const Result undo = mojik({"--undo", "-r", sys::pathBytes(root)});
    EXPECT_EQ(undo.exit, command_line::kDone) << undo.out << undo.err;
    EXPECT_EQ(allNames(root), (Names{"Abc.txt", "sub"}));
    EXPECT_EQ(allNames(root / "sub"), (Names{"Def.txt"}));
}

// The program itself, with no display: the command line never needs one.
TEST(CommandLine, TheProgramAnswersWithoutADisplay)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    const auto output = [&](const char *option) {
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(MOJIK_PROGRAM), {QString::fromLatin1(option)});
        EXPECT_TRUE(program.waitForFinished(30000)) << option;
        EXPECT_EQ(program.exitCode(), 0) << option;
        return QString::fromUtf8(program.readAllStandardOutput());
    };
    // A line of the console's own end: CR LF on Windows.
    EXPECT_EQ(output("--version").trimmed(), QStringLiteral("MOJIK 1.04"));
    EXPECT_TRUE(output("--help").contains(QStringLiteral("ファイル名を大文字にします")));
}

// The help names the folder the journals go to, in the words of the system it runs on.
TEST(CommandLine, TheHelpNamesTheFolderTheJournalsGoTo)
{
    TempFolder temp;
    temp.file("d/Abc.txt");
    const QString variable = QString::fromLatin1(conversion::JournalStore::kHomeVariable);
    const QString home = QString::fromStdString(sys::pathBytes(temp.path() / "state"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(variable, home);
    const auto run = [&](const QStringList &arguments) {
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(MOJIK_PROGRAM), arguments);
        EXPECT_TRUE(program.waitForFinished(30000)) << arguments.join(u' ').toStdString();
        return QString::fromUtf8(program.readAllStandardOutput());
    };
    const QRegularExpressionMatch where = QRegularExpression(QStringLiteral("履歴を (\\S+)")).match(run({QStringLiteral("--help")}));
    ASSERT_TRUE(where.hasMatch());
    QString folder = where.captured(1);
    folder.replace(QStringLiteral("$") + variable, home).replace(u'%' + variable + u'%', home);
    run({QStringLiteral("--upper"), QString::fromStdString(sys::pathBytes(temp.path() / "d"))});
    EXPECT_EQ(allNames(temp.path() / "d"), Names{"ABC.TXT"});
    EXPECT_FALSE(QDir(folder).isEmpty()) << folder.toStdString() << " holds no journal";
}

} // namespace
