// run: the conversion run, its undo and the listing from the command line.
#include "command_line/command_line.h"

#include "command_line/output.h"
#include "conversion/engine.h"
#include "conversion/report.h"
#include "conversion/undo.h"
#include "listing/listing.h"
#include "system/beside.h"
#include "system/files.h"
#include "system/folder_lock.h"
#include "system/interrupt.h"
#include "system/memory.h"
#include "system/paths.h"
#include "system/whole_file.h"
#include "text/name_order.h"
#include "text/names.h"
#include "text/shift_jis_names.h"
#include "text/reason.h"

#include <deque>

namespace command_line {

namespace {

using Path = std::filesystem::path;

QString shown(const Path &path)
{
    return text::displayName(path);
}

// What leads a folder's names in what is printed: its path below the top
// folder of the run, or nothing for the top folder itself.
std::string prefixOf(const Path &folder, const Path &root)
{
    return folder == root ? std::string() : sys::pathBytes(folder.lexically_relative(root)) + '/';
}

// FOLDER as the system resolves it; nothing, after saying so, when it is no folder.
std::optional<Path> folderOf(const Options &options)
{
    const Path folder = sys::resolvedFolder(options.folder);
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        say(QStringLiteral("%1 というフォルダーはありません。").arg(shown(options.folder)));
        return std::nullopt;
    }
    return folder;
}

// A folder of a recursive run as the walk found it: held open from then on, and
// with the names of its subfolders that hold the journals, never renamed.
struct Walked {
    Path path;
    sys::OpenFolder open;
    std::vector<Path> keep;
    conversion::FolderReading reading; // what the walk read of it, for its plan
};

// The folders a run works on: `root` and, where `recursive`, every folder below
// it, but hidden folders, links to folders and the journals' own folder, which
// it does not enter. Each comes after the folder that holds it, opened through it.
std::error_code walkFrom(const Path &root, const Path &journals, bool recursive, std::deque<Walked> &folders,
                         Path &unread)
{
    folders.clear();
    folders.push_back({root, {}, {}, {}});
    // A tree of more folders than the process may hold open has the rest
    // opened again by their paths when they are planned.
    const std::size_t held = std::max<std::size_t>(sys::openFilesLimit(), 128) - 64;
    for (std::size_t next = 0; next < folders.size(); ++next) {
        Walked &walked = folders[next];
        conversion::FolderReading &read = walked.reading;
        // The top, and the folders beyond what may be held open, by their paths.
        std::error_code error = walked.open.isOpen() ? std::error_code() : walked.open.open(walked.path);
        if (error || (error = sys::listAllNamesAndFiles(walked.open, read.names, read.isFile, &read.isFolder))) {
            unread = walked.path;
            return error;
        }
        std::vector<Path> subfolders;
        for (std::size_t i = 0; i < read.names.size(); ++i) {
            if (read.isFolder[i])
                subfolders.push_back(read.names[i]);
        }
        std::sort(subfolders.begin(), subfolders.end());
        for (Path &name : subfolders) {
            const Path path = walked.path / name;
            const Path toJournals = journals.lexically_relative(path);
            if (!toJournals.empty() && *toJournals.begin() != "..")
                walked.keep.push_back(name);
            if (toJournals == "." || !recursive)
                continue;
            Walked &below = folders.emplace_back(Walked{path, {}, {}, {}});
            if (folders.size() <= held && (error = below.open.openIn(walked.open, name))) {
                unread = path;
                return error;
            }
        }
        if (next >= held)
            walked.open.close();
    }
    return {};
}

// A name as printed: its own bytes, for a script to take exactly, but a
// Shift_JIS name's text, marked, since its bytes would not show as text.
void appendName(std::string &lines, const Path &name)
{
    if (const std::optional<QString> text = text::shiftJisText(name))
        lines += (*text + QStringLiteral(" (Shift_JIS)")).toStdString();
    else
        sys::appendPathBytes(lines, name);
}

// A line `old → new` for each rename made, in the file list's order: the renames
// went in the list's own order, and the first `made` of the plan were made.
std::string renamedLines(const std::vector<Path> &listed, const conversion::Plan &plan, const std::string &prefix,
                         std::size_t made)
{
    constexpr std::string_view arrow = " → ";
    std::vector<bool> done(listed.size(), false);
    std::size_t size = 0;
    for (std::size_t i = 0; i < listed.size() && made > 0; ++i) {
        if (plan.rename[i]) {
            done[i] = true;
            --made;
            size += 2 * prefix.size() + listed[i].native().size() + plan.newNames[i].native().size() + arrow.size() + 1;
        }
    }
    std::string lines;
    lines.reserve(size);
    for (const std::size_t i : text::sortedOrder(listed)) {
        if (done[i]) {
            lines += prefix;
            appendName(lines, listed[i]);
            lines += arrow;
            lines += prefix;
            sys::appendPathBytes(lines, plan.newNames[i]);
            lines += '\n';
        }
    }
    return lines;
}

// How many renames make their lines worth a thread of their own.
constexpr std::size_t kLinesWorthAThread = 1000;

// The runs of the folders, every one planned and journalled before the first
// rename, in place of the previous call's. The last ones are never destroyed:
// the process ends with them and the system takes back their memory at once,
// where giving a big folder's names back one by one costs more than planning
// them. A deque, since a run is never moved: its list points into it.
std::deque<conversion::Run> &freshRuns()
{
    static auto &kept = *new std::deque<conversion::Run>;
    kept.clear();
    return kept;
}

// Takes the journals' lock; where another MOJIK holds it, says so and waits
// for it to end.
bool lockJournals(const conversion::JournalStore &journals, sys::FolderLock &lock, Printer *out = nullptr)
{
    std::error_code error = journals.lock(lock, false);
    if (error == std::errc::resource_unavailable_try_again) {
        say(QStringLiteral("ほかの MOJIK がファイル名を変更しています。終わるのを待っています…"));
        error = journals.lock(lock, true);
    }
    if (error) {
        const QString text = conversion::journalUnwritableText(journals.folder(), error);
        out ? void(out->stop(text)) : say(text);
    }
    return !error;
}

// The renames of one planned folder, and what is printed of them. `prefix`
// leads its names in what is printed (the folder below the top one, or
// nothing); `done` counts the renames of the whole run, which a stop tells.
int renameFolder(const Options &options, conversion::Run &run, const Path &folder, const std::string &prefix,
                 std::size_t &done, Printer &out)
{
    // The lines of the whole plan are made on the second core while this one
    // renames; a run stopped halfway makes its own.
    const std::size_t planned = run.toRename();
    std::future<std::string> lines = sys::beside(
        [&run, &prefix, planned] { return renamedLines(run.listed(), run.planned(), prefix, planned); },
        planned >= kLinesWorthAThread);
    const conversion::Outcome outcome =
        options.dryRun ? conversion::Outcome{0, {}, {}, false, run.planned().skipped, {}} : run.renameAll(sys::interrupted);
    std::string printed = lines.get();
    if (!options.dryRun && outcome.renamed != planned)
        printed = renamedLines(run.listed(), run.planned(), prefix, outcome.renamed);
    out.add(std::move(printed));

    done += outcome.renamed;
    const QString where = text::displayName(sys::pathFromBytes(prefix));
    std::vector<Path> skipped;
    for (const conversion::Skip &skip : outcome.skipped)
        skipped.push_back(skip.name);
    for (const std::size_t i : text::sortedOrder(skipped))
        out.add(where + conversion::skipText(outcome.skipped[i], text::markedName) + QLatin1Char('\n'));
    std::vector<Path> unchanged = outcome.unchanged;
    text::sortNames(unchanged);
    for (const Path &name : unchanged)
        out.add(where + shown(name) + QStringLiteral(" … 変更を受け付けられましたが、大文字と小文字が変わっていません\n"));

    if (outcome.failure)
        return out.stop(conversion::refusedText(folder / outcome.failedName, outcome.failure, done));
    if (outcome.stopped)
        return out.stop(conversion::stoppedText(done));
    return outcome.skipped.empty() && outcome.unchanged.empty() ? kDone : kLeft;
}

int convert(const Options &options)
{
    const std::optional<Path> root = folderOf(options);
    if (!root)
        return kUsage;
    const conversion::JournalStore journals = conversion::JournalStore::standard();
    // From before the folders are read to the last rename: no undo and no
    // other run acts on them meanwhile.
    sys::FolderLock lock;
    if (!options.dryRun && !lockJournals(journals, lock))
        return kStopped;
    std::deque<Walked> folders;
    Path unread;
    if (const std::error_code error =
            walkFrom(*root, sys::resolvedFolder(journals.folder()), options.recursive, folders, unread)) {
        say(QStringLiteral("%1 の内容を読めなかったので、ファイル名は変更していません。\n%2")
                .arg(shown(unread), text::reasonText(error)));
        return kStopped;
    }
    // Each folder before the one that holds it, so that renaming a folder
    // never changes the path of one still to come.
    if (options.folders)
        std::reverse(folders.begin(), folders.end());
    Printer out;
    std::deque<conversion::Run> &runs = freshRuns();
    for (Walked &walked : folders) {
        // folderOf resolved the top, and the walk enters no link.
        conversion::Run &run = runs.emplace_back(walked.path, options.conversions, options.part, true);
        if (walked.open.isOpen())
            run.holdFolder(std::move(walked.open));
        if (const std::error_code error = run.planFolder(options.folders, walked.keep, &walked.reading))
            return out.stop(QStringLiteral("%1 の内容を読めませんでした。ファイル名は変更していません。\n%2")
                                .arg(shown(walked.path), text::reasonText(error)));
    }
    if (!options.dryRun) {
        const std::error_code error =
            options.recursive ? conversion::Run::writeJournal(journals, *root, runs) : runs.front().writeJournal(journals);
        if (error)
            return out.stop(conversion::journalUnwritableText(journals.folder(), error));
    }
    // The root's oldest journals go on the second core while the renames go on.
    std::future<void> pruning;
    if (options.recursive && !options.dryRun)
        pruning = sys::beside([&journals, &root] { journals.prune(*root); });
    int exit = kDone;
    std::size_t done = 0;
    // Ctrl+C stops between two renames, as 中止 does in the window.
    sys::stopOnInterrupt();
    for (std::size_t i = 0; i < runs.size(); ++i) {
        if (sys::interrupted())
            return out.stop(conversion::stoppedText(done));
        const int code = renameFolder(options, runs[i], folders[i].path, prefixOf(folders[i].path, *root), done, out);
        if (code == kStopped)
            return code;
        exit = std::max(exit, code);
    }
    return exit;
}

// Whether `folder` is `root` or lies below it, as the system resolves both: a
// link on the way that leads elsewhere takes it outside.
bool liesWithin(const Path &folder, const Path &root)
{
    const Path relative = sys::resolvedFolder(folder).lexically_relative(sys::resolvedFolder(root));
    return !relative.empty() && *relative.begin() != "..";
}

int undo(const Options &options)
{
    const std::optional<Path> folder = folderOf(options);
    if (!folder)
        return kUsage;
    const conversion::JournalStore journals = conversion::JournalStore::standard();
    sys::FolderLock lock;
    if (!lockJournals(journals, lock))
        return kStopped;
    // A run of the folder the path led to then, which another has taken the
    // place of since (a link, say), is found by the path as given: its undo
    // then says that the folder there is not the run's.
    std::vector<Path> asks{*folder};
    if (const Path plain = sys::plainFolder(options.folder); plain != *folder)
        asks.push_back(plain);
    Path asked;
    std::vector<conversion::StoredJournal> runs;
    for (const Path &path : asks) {
        asked = path;
        if (options.recursive) {
            runs = journals.latestRecursive(path, false);
        } else if (std::optional<conversion::StoredJournal> latest = conversion::runToUndo(journals, path, false)) {
            runs.push_back(std::move(*latest));
        }
        if (!runs.empty())
            break;
    }
    if (runs.empty()) {
        say(conversion::nothingToUndoText(*folder));
        return kLeft;
    }
    // Every journal is read whole, and its folder found where it was asked for,
    // before any name goes back.
    for (const conversion::StoredJournal &stored : runs) {
        if (const QString refusal = conversion::journalRefusalText(stored); !refusal.isEmpty()) {
            say(refusal);
            return kStopped;
        }
        if (!liesWithin(stored.journal->folder, asked)) {
            say(QStringLiteral("履歴ファイル %1 は %2 の外のフォルダー %3 を指しているので、元に戻せません。")
                    .arg(shown(stored.file), shown(asked), shown(stored.journal->folder)));
            return kStopped;
        }
    }
    if (const std::error_code error = conversion::markUndoing(runs)) {
        say(conversion::journalUnwritableText(journals.folder(), error));
        return kStopped;
    }
    Printer out;
    bool left = false;
    bool refused = false;
    std::size_t given = 0; // names given back in all folders so far
    for (const conversion::StoredJournal &stored : runs) {
        const conversion::UndoOutcome outcome = conversion::undoRun(stored);
        const Path &where = stored.journal->folder;
        const QString prefix = shown(sys::pathFromBytes(prefixOf(where, asked)));
        // A folder gone or renamed since the run: the others are taken back all
        // the same. One that another folder took the place of is never entered.
        if (outcome.unreadFolder) {
            out.add(QStringLiteral("%1 … フォルダーに届かないので、元に戻せませんでした (%2)\n")
                        .arg(prefix.isEmpty() ? shown(where) : prefix, text::reasonText(outcome.unreadFolder)));
            left = true;
            refused = refused || outcome.unreadFolder == sys::WriteRefusal::notTheFolderOfTheRun;
            continue;
        }
        given += outcome.renamed;
        for (const auto &[from, to] : outcome.changed)
            out.add(prefix + conversion::changedText(from, to) + QLatin1Char('\n'));
        left = left || !outcome.changed.empty();
        if (outcome.failure)
            return out.stop(conversion::undoRefusedText(where / outcome.failedName, outcome.failure, given));
        if (outcome.markFailure)
            say(conversion::undoneUnmarkedText(stored.file, outcome.markFailure));
    }
    return refused ? kStopped : left ? kLeft : kDone;
}

// Whether --output names a file that can be made: not a folder, and in a folder
// that is there. Said at once, as a slip in the arguments.
bool outputPossible(const Path &output)
{
    std::error_code error;
    if (std::filesystem::is_directory(output, error)) {
        say(QStringLiteral("%1 はフォルダーです。--output には書き出すファイルの名前を指定してください。").arg(shown(output)));
        return false;
    }
    const Path folder = std::filesystem::absolute(output, error).parent_path();
    if (!std::filesystem::is_directory(folder, error)) {
        say(QStringLiteral("%1 というフォルダーはありません。").arg(shown(folder)));
        return false;
    }
    return true;
}

int list(const Options &options)
{
    const std::optional<Path> folder = folderOf(options);
    if (!folder || !outputPossible(options.output))
        return kUsage;
    std::vector<Path> names;
    if (const std::error_code error = conversion::listedFiles(*folder, names)) {
        say(QStringLiteral("%1 の内容を読めませんでした。\n%2").arg(shown(*folder), text::reasonText(error)));
        return kStopped;
    }
    if (const std::error_code error = listing::writeListing(options.output, *folder, names)) {
        say(QStringLiteral("%1 に書き込めませんでした。\n%2").arg(shown(options.output), text::reasonText(error)));
        return kStopped;
    }
    return kDone;
}

// What run does, before it checks that what it printed was written.
int act(const Options &options)
{
    sys::keepFreedMemory(); // as the window does: a big folder's lists are made and dropped in turn
    if (!options.error.isEmpty()) {
        say(options.error + QStringLiteral("\nmojik --help で使い方を表示します。"));
        return kUsage;
    }
    switch (options.action) {
    case Action::Help: {
        Printer out;
        out.add(helpText());
        return kDone;
    }
    case Action::Version: {
        Printer out;
        out.add(std::string("MOJIK " MOJIK_VERSION "\n"));
        return kDone;
    }
    case Action::Upper:
    case Action::Lower:
    case Action::Convert:
        return convert(options);
    case Action::Undo:
        return undo(options);
    case Action::List:
        return list(options);
    case Action::Window:
        break;
    }
    return kUsage;
}

} // namespace

int run(const Options &options)
{
    const int code = act(options);
    if (const std::error_code error = outputError()) {
        say(QStringLiteral("標準出力に書き込めませんでした。\n%1").arg(text::reasonText(error)));
        return kStopped;
    }
    return code;
}

} // namespace command_line
