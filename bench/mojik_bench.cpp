// mojik_bench: measures the conversion run, the four conversions beside the case
// against a capital run, the file list's fill, the memory held,
// the window's opening and its question on big folders, and the run on a Windows
// share and a FAT stick, each against the bare floor of the same work, and prints
// the ratios.
#include "controls/file_list.h"
#include "controls/message_box.h"
#include "conversion/engine.h"
#include "controls/folder_list.h"
#include "window/application.h"
#include "window/mojik.h"

#include "support/mounts.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <strings.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Mixed-case names, as a folder gathered from several systems holds them.
std::vector<std::string> mixedNames(int count)
{
    static const char *stems[] = {"ReadMe", "IMG_", "Report-", "data", "Photo", "NOTES", "archive", "Setup"};
    static const char *extensions[] = {".Txt", ".JPG", ".doc", ".Dat", ".tar.GZ", ""};
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        names.push_back(std::string(stems[i % 8]) + std::to_string(i) + "x" + extensions[i % 6]);
    return names;
}

void makeFiles(const fs::path &folder, const std::vector<std::string> &names)
{
    fs::create_directories(folder);
    for (const auto &name : names) {
        const int fd = ::open((folder / name).c_str(), O_CREAT | O_WRONLY, 0644);
        ::close(fd);
    }
}

std::string asciiCase(std::string name, bool upper)
{
    for (char &c : name)
        c = static_cast<char>(upper ? std::toupper(static_cast<unsigned char>(c)) : std::tolower(static_cast<unsigned char>(c)));
    return name;
}

// The floor of a run: renameat2 over the same names, nothing else.
double bareRenames(const fs::path &folder, std::vector<std::string> names, bool upper)
{
    std::sort(names.begin(), names.end(), [](const auto &a, const auto &b) { return ::strcasecmp(a.c_str(), b.c_str()) < 0; });
    std::vector<std::string> targets;
    targets.reserve(names.size());
    for (const auto &name : names)
        targets.push_back(asciiCase(name, upper));
    fs::current_path(folder);
    QElapsedTimer clock;
    clock.start();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] != targets[i])
            ::renameat2(AT_FDCWD, names[i].c_str(), AT_FDCWD, targets[i].c_str(), RENAME_NOREPLACE);
    }
    return static_cast<double>(clock.nsecsElapsed());
}

// The floor of a run on a medium that folds case: two plain renames a file,
// to a free name and then to the new name, nothing else.
double twoStepRenames(const fs::path &folder, std::vector<std::string> names, bool upper)
{
    std::sort(names.begin(), names.end(), [](const auto &a, const auto &b) { return ::strcasecmp(a.c_str(), b.c_str()) < 0; });
    std::vector<std::string> targets;
    std::vector<std::string> temporaries;
    for (std::size_t i = 0; i < names.size(); ++i) {
        targets.push_back(asciiCase(names[i], upper));
        temporaries.push_back("floor-" + std::to_string(i) + ".tmp");
    }
    fs::current_path(folder);
    QElapsedTimer clock;
    clock.start();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] != targets[i]) {
            ::rename(names[i].c_str(), temporaries[i].c_str());
            ::rename(temporaries[i].c_str(), targets[i].c_str());
        }
    }
    return static_cast<double>(clock.nsecsElapsed());
}

// The floor of a fill: readdir and a case-insensitive sort of the same names.
double bareListing(const fs::path &folder)
{
    QElapsedTimer clock;
    clock.start();
    std::vector<std::string> names;
    DIR *dir = ::opendir(folder.c_str());
    while (const dirent *entry = ::readdir(dir)) {
        if (entry->d_name[0] != '.')
            names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end(), [](const auto &a, const auto &b) { return ::strcasecmp(a.c_str(), b.c_str()) < 0; });
    return static_cast<double>(clock.nsecsElapsed());
}

controls::Services answeringYes()
{
    controls::Services services = controls::Services::native();
    services.message = [](QWidget *, const QString &, controls::Buttons buttons, const QString &) {
        return buttons == controls::Buttons::YesNo ? controls::Answer::Yes : controls::Answer::Ok;
    };
    return services;
}

// One run through the real window, the question answered Yes.
double windowRun(const fs::path &folder, bool upper)
{
    fs::current_path(folder);
    MOJIK window(answeringYes());
    window.findChild<QRadioButton *>(upper ? QStringLiteral("Option1") : QStringLiteral("Option2"))->setChecked(true);
    // The user clicks on a list already shown: its filling is measured on its own below.
    window.findChild<controls::FileList *>(QStringLiteral("File1"))->entries();
    QElapsedTimer clock;
    clock.start();
    window.Command1_Click();
    return static_cast<double>(clock.nsecsElapsed());
}

// From the click on a list already shown until the real question, its plan in its
// details, is painted; answered No.
double questionShown(const fs::path &folder)
{
    fs::current_path(folder);
    QElapsedTimer clock;
    double shown = 0;
    controls::Services services = answeringYes();
    services.message = [&](QWidget *parent, const QString &prompt, controls::Buttons buttons, const QString &details) {
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            box->repaint();
            shown = static_cast<double>(clock.nsecsElapsed());
            box->done(0);
        });
        return controls::showMessage(parent, prompt, buttons, details);
    };
    MOJIK window(services);
    window.findChild<controls::FileList *>(QStringLiteral("File1"))->entries();
    clock.start();
    window.Command1_Click();
    return shown;
}

// The floor of the question: the plan alone, on the same list.
double planAlone(const fs::path &folder)
{
    std::vector<fs::path> listed;
    conversion::listedFiles(folder, listed);
    QElapsedTimer clock;
    clock.start();
    conversion::Run run(folder, conversion::Case::Upper);
    run.plan(listed);
    return static_cast<double>(clock.nsecsElapsed());
}

void questionRow(const fs::path &root, int count)
{
    const fs::path folder = root / ("question-" + std::to_string(count));
    makeFiles(folder, mixedNames(count));
    double question = 1e300, plan = 1e300;
    for (int i = 0; i < 5; ++i) {
        question = std::min(question, questionShown(folder));
        plan = std::min(plan, planAlone(folder));
    }
    std::printf("%-8d %-28s %9.1f ms %9.1f ms %8.2f %s\n", count, "question shown (vs plan)", question / 1e6,
                plan / 1e6, question / plan, "<= 1.5, <= 150 ms");
    fs::current_path(root);
    fs::remove_all(folder);
}

// Dir1 moved onto the folder: the label, the file list and the working folder follow.
double windowFill(const fs::path &folder, const fs::path &elsewhere)
{
    fs::current_path(elsewhere);
    MOJIK window(answeringYes());
    auto *dir1 = window.findChild<controls::FolderList *>(QStringLiteral("Dir1"));
    QElapsedTimer clock;
    clock.start();
    dir1->setPath(folder);
    return static_cast<double>(clock.nsecsElapsed());
}

std::vector<std::string> namesIn(const fs::path &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

long peakKilobytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

// Runs this program again on a folder in one of its child modes; gives its output and wall time.
std::pair<QString, double> child(const char *mode, const fs::path &folder)
{
    QProcess process;
    QElapsedTimer clock;
    clock.start();
    process.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(mode), QString::fromStdString(folder.string())});
    process.waitForFinished(-1);
    return {QString::fromLatin1(process.readAllStandardOutput()).trimmed(), static_cast<double>(clock.nsecsElapsed())};
}

// Child modes: the window opened on a folder until it is first painted, or until
// its file list is filled as well.
int openWindow(const fs::path &folder, const QString &mode)
{
    fs::current_path(folder);
    MOJIK window(answeringYes());
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    if (mode == QLatin1String("--open"))
        return 0;
    // The file list fills right after its first paint.
    auto *file1 = window.findChild<controls::FileList *>(QStringLiteral("File1"));
    QApplication::processEvents();
    file1->entries();
    if (mode == QLatin1String("--memory"))
        std::printf("%ld\n", peakKilobytes());
    return 0;
}

// A whole process, start to exit, as a script runs it; with `quiet`, what it
// prints goes to /dev/null, so that no reading of it shares the cores.
double processRun(const QString &program, const QStringList &arguments, bool quiet = false)
{
    QProcess process;
    if (quiet)
        process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    process.waitForFinished(-1);
    return static_cast<double>(clock.nsecsElapsed());
}

// `mojik --upper` (or --lower) against the bare renames and against Perl's rename
// tool on the same names, and what writing the journal takes of a run.
void commandLineRows(const fs::path &root, int count)
{
    const std::vector<std::string> names = mixedNames(count);
    const fs::path mine = root / "command-line";
    const fs::path bare = root / "command-line-bare";
    const fs::path perl = root / "command-line-perl";
    for (const fs::path &folder : {mine, bare, perl})
        makeFiles(folder, names);
    const QString program = QStringLiteral(MOJIK_PROGRAM);
    const bool havePerl = QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("command -v rename >/dev/null")}) == 0;
    double run = 1e300, floor = 1e300, perlRun = 1e300, journal = 1e300;
    for (int i = 0; i < 5; ++i) {
        const bool upper = i % 2 == 0;
        ::sync();
        run = std::min(run, processRun(program, {upper ? QStringLiteral("--upper") : QStringLiteral("--lower"),
                                                 QString::fromStdString(mine.native())}));
        ::sync();
        floor = std::min(floor, bareRenames(bare, namesIn(bare), upper));
        if (havePerl)
            perlRun = std::min(perlRun, processRun(QStringLiteral("sh"),
                                                   {QStringLiteral("-c"), QStringLiteral("cd \"$1\" && exec rename \"$2\" -- *"),
                                                    QStringLiteral("sh"), QString::fromStdString(perl.native()),
                                                    upper ? QStringLiteral("y/a-z/A-Z/") : QStringLiteral("y/A-Z/a-z/")}));
        // The journal alone, of a run planned on the same names.
        std::vector<fs::path> listed;
        conversion::listedFiles(mine, listed);
        conversion::Run planned(mine, upper ? conversion::Case::Lower : conversion::Case::Upper);
        planned.plan(listed);
        QElapsedTimer clock;
        clock.start();
        planned.writeJournal(conversion::JournalStore::standard());
        journal = std::min(journal, static_cast<double>(clock.nsecsElapsed()));
    }
    std::printf("%-8d %-28s %9.1f ms %9.1f ms %8.2f %s\n", count, "mojik --upper (command line)", run / 1e6, floor / 1e6,
                run / floor, "<= 1.15");
    if (havePerl)
        std::printf("%-8d %-28s %9.1f ms %9.1f ms %8.2f %s\n", count, "...against Perl's rename", run / 1e6,
                    perlRun / 1e6, run / perlRun, "< 1");
    else
        std::printf("%-8d %-28s %s\n", count, "...against Perl's rename", "not measured: no rename tool (apt-get install rename)");
    std::printf("%-8d %-28s %9.1f ms %9.1f ms %7.1f%% %s\n", count, "journal, share of a run", journal / 1e6, run / 1e6,
                100 * journal / run, "<= 5%");
    fs::current_path(root);
    for (const fs::path &folder : {mine, bare, perl})
        fs::remove_all(folder);
}

// Names that each of the four conversions beside the case has work on, and a
// capital run too: decomposed kana from a Mac, full-width letters, half-width
// katakana, and UTF-8 once read as code page 932, each with a lower-case part.
std::vector<std::string> namesToMend(int count)
{
    static const char *kinds[][2] = {{"\u30CF\u309A\u30B9\u30DD\u30FC\u30C8img", ".jpg"},
                                     {"\uFF29\uFF2D\uFF27\uFF3F", "\uFF58.jpg"},
                                     {"\uFF7C\uFF6C\uFF7C\uFF9D", ".jpg"},
                                     {"\u7E67\uFF75\u7E5D\uFF73\u7E5D\u52B1\u039D", ".txt"}};
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        names.push_back(std::string(kinds[i % 4][0]) + std::to_string(i) + kinds[i % 4][1]);
    return names;
}

// `mojik --utf8 --compose --narrow --wide-kana` against `mojik --upper` on the
// same folder, whole processes taken in turns, each run taken back untimed
// before the next, so that both rename every name each time.
void conversionsRow(const fs::path &root, int count)
{
    const fs::path folder = root / "conversions";
    makeFiles(folder, namesToMend(count));
    const QString program = QStringLiteral(MOJIK_PROGRAM), path = QString::fromStdString(folder.native());
    const QStringList four{QStringLiteral("--utf8"), QStringLiteral("--compose"), QStringLiteral("--narrow"),
                           QStringLiteral("--wide-kana"), path};
    double conversions = 1e300, upper = 1e300;
    for (int i = 0; i < 5; ++i) {
        conversions = std::min(conversions, processRun(program, four));
        QProcess::execute(program, {QStringLiteral("--undo"), path});
        upper = std::min(upper, processRun(program, {QStringLiteral("--upper"), path}));
        QProcess::execute(program, {QStringLiteral("--undo"), path});
    }
    std::printf("%-8d %-28s %9.1f ms %9.1f ms %8.2f %s\n", count, "four conversions / --upper", conversions / 1e6,
                upper / 1e6, conversions / upper, "<= 1.2");
    fs::current_path(root);
    fs::remove_all(folder);
}

// A tree of `folders` folders, each holding `files` files of mixed-case names:
// folder 0 is the top, and folder i > 0 lies in folder (i - 1) / 10.
void makeTree(const fs::path &top, int folders, const std::vector<std::string> &files)
{
    std::vector<fs::path> paths{fs::path()};
    for (int i = 1; i < folders; ++i)
        paths.push_back(paths[static_cast<std::size_t>((i - 1) / 10)] / ("Album-" + std::to_string(i) + "x"));
    for (const fs::path &path : paths)
        makeFiles(top / path, files);
}

// The floor of a recursive run on folders, as a program of its own (this one,
// given --tree-floor): it walks the tree from `top`, opening and reading each
// folder once, then renames every entry of each folder to `upper` or lower case
// with renameat2, the deepest folders first.
int treeFloor(bool upper, const fs::path &top)
{
    struct Folder {
        int fd;
        std::vector<std::string> names;
    };
    std::vector<Folder> folders{{::open(top.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC), {}}};
    for (std::size_t i = 0; i < folders.size(); ++i) {
        const int fd = folders[i].fd;
        std::vector<std::string> subfolders;
        if (DIR *entries = ::fdopendir(::dup(fd))) {
            while (const dirent *entry = ::readdir(entries)) {
                if (entry->d_name[0] == '.')
                    continue;
                folders[i].names.emplace_back(entry->d_name);
                if (entry->d_type == DT_DIR)
                    subfolders.emplace_back(entry->d_name);
            }
            ::closedir(entries);
        }
        for (const std::string &name : subfolders)
            folders.push_back({::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW), {}});
    }
    for (std::size_t i = folders.size(); i-- > 0;) {
        for (const std::string &name : folders[i].names) {
            const std::string to = asciiCase(name, upper);
            if (to != name)
                ::renameat2(folders[i].fd, name.c_str(), folders[i].fd, to.c_str(), RENAME_NOREPLACE);
        }
        ::close(folders[i].fd);
    }
    return 0;
}

double treeFloorRun(const fs::path &top, bool upper)
{
    ::sync();
    return processRun(QApplication::applicationFilePath(),
                      {QStringLiteral("--tree-floor"), upper ? QStringLiteral("upper") : QStringLiteral("lower"),
                       QString::fromStdString(top.native())});
}

// `mojik --upper -r --folders` (or --lower) on `mine` as one process, after
// what was written before it reached the disk; its lines of renames go to
// /dev/null, as the floor prints none.
double treeRun(const fs::path &mine, bool upper)
{
    ::sync();
    return processRun(QStringLiteral(MOJIK_PROGRAM),
                      {upper ? QStringLiteral("--upper") : QStringLiteral("--lower"), QStringLiteral("-r"),
                       QStringLiteral("--folders"), QString::fromStdString(mine.native())},
                      true);
}

// The same by hand: find -depth and Perl's rename on the last part of each path.
double findAndRename(const fs::path &top, bool upper)
{
    ::sync();
    return processRun(QStringLiteral("sh"),
                      {QStringLiteral("-c"), QStringLiteral("find \"$1\" -mindepth 1 -depth -exec rename \"$2\" -- {} +"),
                       QStringLiteral("sh"), QString::fromStdString(top.native()),
                       upper ? QStringLiteral("s{[^/]+$}{\\U$&}") : QStringLiteral("s{[^/]+$}{\\L$&}")});
}

void treeLine(int folders, int files, const char *what, double run, double other, const char *goal)
{
    const std::string size = std::to_string(folders) + " x " + std::to_string(files);
    std::printf("%-8s %-28s %9.1f ms %9.1f ms %8.2f %s\n", size.c_str(), what, run / 1e6, other / 1e6, run / other, goal);
}

// `mojik -r --folders` on a tree against the bare readings and renames of the
// same folders, both after sync; with `busy`, also right after 1 GB of another
// file was written, unsynced, to the journals' file system, and against find
// and Perl's rename.
void treeRow(const fs::path &root, int folders, int files, const char *goal, bool busy)
{
    const std::vector<std::string> names = mixedNames(files);
    const fs::path mine = root / "tree";
    const fs::path bare = root / "tree-bare";
    makeTree(mine, folders, names);
    makeTree(bare, folders, names);
    double run = 1e300, floor = 1e300;
    for (int i = 0; i < 5; ++i) {
        const bool upper = i % 2 == 0;
        run = std::min(run, treeRun(mine, upper));
        floor = std::min(floor, treeFloorRun(bare, upper));
    }
    treeLine(folders, files, "mojik -r --folders (tree)", run, floor, goal);
    if (busy) {
        // The tree stands in capitals after the five runs above: lower first.
        double loaded = 1e300;
        const fs::path waiting = root / "waiting"; // beside the journals, on their file system
        for (int i = 0; i < 3; ++i) {
            ::sync();
            QProcess::execute(QStringLiteral("dd"), {QStringLiteral("if=/dev/zero"),
                                                     QStringLiteral("of=") + QString::fromStdString(waiting.native()),
                                                     QStringLiteral("bs=1M"), QStringLiteral("count=1024"),
                                                     QStringLiteral("status=none")});
            const bool upper = i % 2 == 1;
            loaded = std::min(loaded, processRun(QStringLiteral(MOJIK_PROGRAM),
                                                 {upper ? QStringLiteral("--upper") : QStringLiteral("--lower"),
                                                  QStringLiteral("-r"), QStringLiteral("--folders"),
                                                  QString::fromStdString(mine.native())},
                                                 true));
            fs::remove(waiting);
        }
        // Those three left it in small letters.
        double quiet = 1e300;
        for (int i = 0; i < 3; ++i)
            quiet = std::min(quiet, treeRun(mine, i % 2 == 0));
        treeLine(folders, files, "...with 1 GB waiting", loaded, quiet, "<= 1.2");
        const bool havePerl =
            QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("command -v rename >/dev/null")}) == 0;
        if (havePerl) {
            double byHand = 1e300;
            run = 1e300;
            for (int i = 0; i < 4; ++i) {
                const bool upper = i % 2 == 1;
                run = std::min(run, treeRun(mine, upper));
                byHand = std::min(byHand, findAndRename(bare, upper));
            }
            treeLine(folders, files, "...against find + rename", run, byHand, "<= 0.5");
        } else {
            std::printf("%-8s %-28s %s\n", "", "...against find + rename", "not measured: no rename tool");
        }
    }
    fs::current_path(root);
    fs::remove_all(mine);
    fs::remove_all(bare);
}

void treeRows(const fs::path &root)
{
    treeRow(root, 1000, 30, "<= 1.3", true);
    treeRow(root, 10000, 30, "<= 1.2", false);
}

template <typename Measure>
double best(int times, Measure measure)
{
    double least = 1e300;
    for (int i = 0; i < times; ++i)
        least = std::min(least, measure(i));
    return least;
}

// Runs on a medium against the two-step floor on the same medium, taken in turns
// as on the local disk: `made` and `seen` are the same two folders, as files
// are made in them (on a share, on the server's side) and as the program sees them.
void mediumRow(const char *medium, int count, int times, const fs::path &made, const fs::path &seen, const char *goal)
{
    const std::vector<std::string> names = mixedNames(count);
    makeFiles(made / "window", names);
    makeFiles(made / "bare", names);
    double run = 1e300, floor = 1e300;
    for (int i = 0; i < times; ++i) {
        run = std::min(run, windowRun(seen / "window", i % 2 == 0));
        floor = std::min(floor, twoStepRenames(seen / "bare", namesIn(seen / "bare"), i % 2 == 0));
    }
    std::printf("%-8d %-28s %9.2f ms %9.2f ms %8.2f %s\n", count, medium, run / count / 1e6, floor / count / 1e6,
                run / floor, goal);
    fs::current_path(made);
    fs::remove_all(made / "window");
    fs::remove_all(made / "bare");
}

void mediaRows(const fs::path &scratch)
{
    if (const auto why = testing_support::withoutFuse()) {
        std::printf("no rows on the share or on FAT: %s\n", why->c_str());
        return;
    }
    const char *share = std::getenv("MOJIK_TEST_SHARE");
    const char *served = std::getenv("MOJIK_TEST_SHARE_FOLDER");
    if (share && served) {
        for (const int count : {500, 2000})
            mediumRow("run on the share, per file", count, 2, served, share, "<= 2.0");
    } else {
        std::printf("no rows on the share: run the benchmark through scripts/with-share (scripts/bench does)\n");
    }
    const fs::path point = scratch / "fat";
    fs::create_directories(point);
    std::string why;
    if (const auto mounted = testing_support::mountImage(testing_support::Medium::Fat, scratch / "fat.img", point, 32, why)) {
        // In a subfolder: FAT16's root holds 512 entries at most.
        mediumRow("run on FAT, per file", 600, 3, point / "sub", point / "sub", "<= 1.5");
        fs::current_path(scratch); // out of the mount before it goes
    } else {
        std::printf("no row on FAT: %s\n", why.c_str());
    }
}

} // namespace

int main(int argc, char *argv[])
{
    // The floor's own program starts as a small one does, with no Qt at all.
    if (argc == 4 && std::string_view(argv[1]) == "--tree-floor")
        return treeFloor(std::string_view(argv[2]) == "upper", argv[3]);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    setUpApplication(app);
    const QStringList args = QApplication::arguments();
    if (args.size() == 3 && QStringList{"--open", "--filled", "--memory"}.contains(args[1]))
        return openWindow(args[2].toStdString(), args[1]);


    QTemporaryDir scratch;
    const fs::path root = scratch.path().toStdString();
    // The runs' journals go to the scratch folder, never the user's own.
    qputenv("XDG_STATE_HOME", QByteArray::fromStdString((root / "state").native()));
    const fs::path empty = root / "empty";
    fs::create_directories(empty);

    std::printf("%-8s %-28s %12s %12s %8s %s\n", "files", "measure", "MOJIK", "floor", "ratio", "goal");
    // --media: the rows on the share and on FAT alone; --command-line: the command
    // line's alone; --runs: the window's conversion runs alone; --question: the
    // window's question alone; --conversions: the four conversions against a
    // capital run alone.
    const bool mediaOnly = args.contains(QStringLiteral("--media"));
    const bool runsOnly = args.contains(QStringLiteral("--runs"));
    if (args.contains(QStringLiteral("--command-line"))) {
        commandLineRows(root, 32767);
        treeRows(root);
        return 0;
    }
    if (args.contains(QStringLiteral("--conversions"))) {
        conversionsRow(root, 100000);
        return 0;
    }
    if (args.contains(QStringLiteral("--question"))) {
        questionRow(root, 100000);
        return 0;
    }
    for (const int count : {1000, 32767, 100000}) {
        if (mediaOnly)
            break;
        const std::vector<std::string> names = mixedNames(count);
        const fs::path mine = root / ("window-" + std::to_string(count));
        const fs::path bare = root / ("bare-" + std::to_string(count));
        makeFiles(mine, names);
        makeFiles(bare, names);

        // Upper, then lower, and so on: each run renames every name. The best of
        // five, taken in turns with the floor, so that a busy moment of the
        // machine falls on both alike.
        double run = 1e300, floor = 1e300;
        for (int i = 0; i < 5; ++i) {
            run = std::min(run, windowRun(mine, i % 2 == 0));
            floor = std::min(floor, bareRenames(bare, namesIn(bare), i % 2 == 0));
        }
        std::printf("%-8d %-28s %9.2f us %9.2f us %8.2f %s\n", count, "conversion run, per file", run / count / 1000,
                    floor / count / 1000, run / floor, count >= 32767 ? "<= 1.2" : "");
        if (runsOnly) {
            fs::current_path(root);
            fs::remove_all(mine);
            fs::remove_all(bare);
            continue;
        }

        const double fill = best(5, [&](int) { return windowFill(mine, empty); });
        const double listing = best(5, [&](int) { return bareListing(mine); });
        std::printf("%-8d %-28s %9.2f ms %9.2f ms %8.2f %s\n", count, "file list fill", fill / 1e6, listing / 1e6,
                    fill / listing, "<= 3");

        if (count == 100000) {
            const long full = child("--memory", mine).first.toLong();
            const long none = child("--memory", empty).first.toLong();
            std::printf("%-8d %-28s %9.1f MB %9.1f MB %8s %s\n", count, "peak memory (vs empty)", full / 1024.0,
                        none / 1024.0, QByteArray::number((full - none) / 1024.0, 'f', 1).append(" MB").constData(),
                        "< 60 MB more");
            const double open = best(3, [&](int) { return child("--open", mine).second; });
            const double openEmpty = best(3, [&](int) { return child("--open", empty).second; });
            std::printf("%-8d %-28s %9.1f ms %9.1f ms %8.2f %s\n", count, "window opening (vs empty)", open / 1e6,
                        openEmpty / 1e6, open / openEmpty, "<= 2");
            const double filled = best(3, [&](int) { return child("--filled", mine).second; });
            const double filledEmpty = best(3, [&](int) { return child("--filled", empty).second; });
            std::printf("%-8d %-28s %9.1f ms %9.1f ms %8.2f\n", count, "...and its file list filled", filled / 1e6,
                        filledEmpty / 1e6, filled / filledEmpty);
            questionRow(root, count);
            conversionsRow(root, count);
        }
        fs::current_path(root);
        fs::remove_all(mine);
        fs::remove_all(bare);
        if (count == 32767) {
            commandLineRows(root, count);
            treeRows(root);
        }
    }
    mediaRows(root);
    return 0;
}
