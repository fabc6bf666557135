// run: the conversion run, its undo and the listing from the command line.
#include "command_line/command_line.h"

#include "command_line/output.h"
#include "conversion/engine.h"
#include "conversion/report.h"
#include "conversion/undo.h"
#include "listing/listing.h"
#include "system/beside.h"
#include "system/files.h"
#include "system/interrupt.h"
#include "system/memory.h"
#include "system/paths.h"
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

// The folders a recursive run works on: `root` and every folder below it, but
// hidden folders and links to folders, which it does not enter. Each comes
// after the folder that holds it.
std::error_code foldersFrom(const Path &root, std::vector<Path> &folders, Path &unread)
{
    folders = {root};
    for (std::size_t next = 0; next < folders.size(); ++next) {
        std::vector<Path> names;
        if (const std::error_code error = sys::listFolders(folders[next], names)) {
            unread = folders[next];
            return error;
        }
        std::sort(names.begin(), names.end());
        for (const Path &name : names) {
            std::error_code error;
            if (!std::filesystem::is_symlink(folders[next] / name, error))
                folders.push_back(folders[next] / name);
        }
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

// How many folders, and about how many names, are planned and journalled before
// their renames: their journals reach the disk in one wait, which costs about
// what a single journal's does. A run holds its folder open only while it
// renames, so the count is bounded by memory, not by the limit of open files.
constexpr std::size_t kBatchFolders = 4096;
constexpr std::size_t kBatchNames = 100000;

// How many renames make their lines worth a thread of their own.
constexpr std::size_t kLinesWorthAThread = 1000;

// The runs of a batch of folders, in place of the previous batch's. The last
// ones are never destroyed: the process ends with them and the system takes
// back their memory at once, where giving a big folder's names back one by one
// costs more than planning them. A deque, since a run is never moved: its list
// points into it.
std::deque<conversion::Run> &freshRuns()
{
    static auto &kept = *new std::deque<conversion::Run>;
    kept.clear();
    return kept;
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
    std::vector<Path> folders{*root};
    Path unread;
    if (options.recursive) {
        if (const std::error_code error = foldersFrom(*root, folders, unread)) {
            say(QStringLiteral("%1 の内容を読めなかったので、ファイル名は変更していません。\n%2")
                    .arg(shown(unread), text::reasonText(error)));
            return kStopped;
        }
        // Each folder before the one that holds it, so that renaming a folder
        // never changes the path of one still to come.
        if (options.folders)
            std::reverse(folders.begin(), folders.end());
    }
    const std::string group = options.recursive ? conversion::JournalStore::newGroup() : std::string();
    const Path journalRoot = options.recursive ? *root : Path();
    const conversion::JournalStore journals = conversion::JournalStore::standard();
    // One folder's journal is synced on its own, as the window's is; many wait
    // for the disk together.
    const bool together = folders.size() > 1 && !options.dryRun;
    Printer out;
    int exit = kDone;
    std::size_t done = 0;
    std::future<void> pruning; // waited for as it goes, whichever way the run ends
    // Ctrl+C stops between two renames, as 中止 does in the window.
    sys::stopOnInterrupt();
    for (std::size_t first = 0, end = 0; first < folders.size(); first = end) {
        std::deque<conversion::Run> &runs = freshRuns();
        for (std::size_t names = 0; end < folders.size() && end - first < kBatchFolders && names < kBatchNames; ++end) {
            // folderOf resolved the top, and foldersFrom enters no link.
            conversion::Run &run = runs.emplace_back(folders[end], options.conversions, options.part, true);
            std::error_code error = run.planFolder(options.folders);
            if (error)
                return out.stop(QStringLiteral("%1 の内容を読めませんでした。ここで止めました。\n%2")
                                    .arg(shown(folders[end]), text::reasonText(error)));
            if (!options.dryRun && (error = run.writeJournal(journals, group, journalRoot, !together)))
                return out.stop(conversion::journalUnwritableText(journals.folder(), error));
            names += run.listed().size();
        }
        if (together) {
            if (const std::error_code error = journals.sync())
                return out.stop(conversion::journalUnwritableText(journals.folder(), error));
            // The oldest journals go on the second core while the renames go on:
            // only runs older than the last 20 of a folder, never this one's.
            if (end == folders.size())
                pruning = sys::beside([&journals, &folders] { journals.prune(folders); });
        }
        for (std::size_t i = first; i < end; ++i) {
            if (sys::interrupted())
                return out.stop(conversion::stoppedText(done));
            const int code = renameFolder(options, runs[i - first], folders[i], prefixOf(folders[i], *root), done, out);
            if (code == kStopped)
                return code;
            exit = std::max(exit, code);
        }
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
    std::vector<conversion::StoredJournal> runs;
    if (options.recursive) {
        runs = journals.latestRecursive(*folder);
    } else if (std::optional<conversion::StoredJournal> latest = conversion::runToUndo(journals, *folder)) {
        runs.push_back(std::move(*latest));
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
        if (!liesWithin(stored.journal->folder, *folder)) {
            say(QStringLiteral("履歴ファイル %1 は %2 の外のフォルダー %3 を指しているので、元に戻せません。")
                    .arg(shown(stored.file), shown(*folder), shown(stored.journal->folder)));
            return kStopped;
        }
    }
    Printer out;
    bool left = false;
    for (const conversion::StoredJournal &stored : runs) {
        const conversion::UndoOutcome outcome = conversion::undoRun(stored);
        const Path &where = stored.journal->folder;
        const QString prefix = shown(sys::pathFromBytes(prefixOf(where, *folder)));
        // A folder gone or renamed since the run: the others are taken back all the same.
        if (outcome.unreadFolder) {
            out.add(QStringLiteral("%1 … フォルダーに届かないので、元に戻せませんでした (%2)\n")
                        .arg(prefix.isEmpty() ? shown(where) : prefix, text::reasonText(outcome.unreadFolder)));
            left = true;
            continue;
        }
        for (const auto &[from, to] : outcome.changed)
            out.add(prefix + conversion::changedText(from, to) + QLatin1Char('\n'));
        left = left || !outcome.changed.empty();
        if (outcome.failure)
            return out.stop(conversion::undoRefusedText(where / outcome.failedName, outcome.failure, outcome.renamed));
        if (outcome.markFailure)
            say(conversion::undoneUnmarkedText(stored.file, outcome.markFailure));
    }
    return left ? kLeft : kDone;
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
