// namesGivenBack and undoRun: each pair of the journal judged by the names the
// folder holds now, spelt exactly.
#include "conversion/undo.h"

#include "conversion/name_set.h"
#include "system/files.h"
#include "system/open_folder.h"
#include "system/renamer.h"
#include "system/whole_file.h"

#include <map>
#include <set>

namespace conversion {

namespace {

enum class PairState {
    GiveBack, // the new name is there and the old one free
    Restore,  // only the temporary name is there: a run or undo stopped between its two steps
    Back,     // the old name is there and the new one is not: nothing to do
    Changed,  // anything else: the names changed since the run
};

// The names of the folder now: those read, but those an undo took away since.
class Present {
public:
    explicit Present(const std::vector<std::filesystem::path> &names) : m_names(names) {}
    bool has(const std::filesystem::path &name) const { return m_names.contains(name.native()) && !m_gone.count(name); }
    void drop(const std::filesystem::path &name) { m_gone.insert(name); }

private:
    NameSet m_names;
    std::set<std::filesystem::path> m_gone;
};

PairState stateOf(const Present &present, const std::filesystem::path &from,
                  const std::filesystem::path &to, const std::filesystem::path &temporary)
{
    const bool hasOld = present.has(from);
    const bool hasNew = present.has(to);
    if (hasNew && !hasOld)
        return PairState::GiveBack;
    if (hasOld && !hasNew)
        return PairState::Back;
    if (!hasOld && !temporary.empty() && present.has(temporary))
        return PairState::Restore;
    return PairState::Changed;
}

std::filesystem::path temporaryOf(const Journal &journal, const std::filesystem::path &from,
                                  const std::filesystem::path &to)
{
    return journal.temporaryStem.empty() ? std::filesystem::path() : sys::temporaryName(journal.temporaryStem, from, to);
}

// The renamer of an undo goes through the run's own temporary names, so that an
// undo stopped halfway leaves only names the next undo finds.
std::string temporaryStemOf(const Journal &journal)
{
    return journal.temporaryStem.empty() ? sys::newTemporaryStem() : journal.temporaryStem;
}

// Opens the journal's folder where it is: where the run found it, or where the
// run's renames of the folders above it left it. Where the journal knows the
// folder's identity, only that folder will do.
std::error_code openFolderOf(const Journal &journal, sys::OpenFolder &open)
{
    std::error_code error = open.open(journal.folder);
    if (journal.identity.empty() || (!error && open.identity() == journal.identity))
        return error;
    if (journal.folderAfter != journal.folder && !open.open(journal.folderAfter) &&
        open.identity() == journal.identity)
        return {};
    open.close();
    return error && error != std::errc::not_a_directory ? error : sys::WriteRefusal::notTheFolderOfTheRun;
}

// Every name of the journal's folder, read through the folder opened.
std::error_code readFolderOf(const Journal &journal, sys::OpenFolder &open, std::vector<std::filesystem::path> &names)
{
    if (const std::error_code error = openFolderOf(journal, open))
        return error;
    std::vector<bool> isFile;
    return sys::listAllNamesAndFiles(open, names, isFile);
}

// Whether every pair of the journal has its old name alone, as it had before the run.
bool allBack(const Journal &journal, const std::vector<std::filesystem::path> &names)
{
    const Present present(names);
    for (const auto &[from, to] : journal.pairs) {
        const std::filesystem::path temporary = temporaryOf(journal, from, to);
        if (stateOf(present, from, to, temporary) != PairState::Back ||
            (!temporary.empty() && present.has(temporary)))
            return false;
    }
    return true;
}

} // namespace

std::optional<StoredJournal> runToUndo(const JournalStore &store, const std::filesystem::path &folder, bool resolve)
{
    for (;;) {
        std::optional<StoredJournal> stored = store.latest(folder, resolve);
        if (!stored || !stored->journal || stored->journal->undoing)
            return stored;
        sys::OpenFolder open;
        std::vector<std::filesystem::path> names;
        if (readFolderOf(*stored->journal, open, names) || !allBack(*stored->journal, names))
            return stored; // its undo says why the folder cannot be read, or takes it back
        // A mark that cannot be written would find this run again and again.
        if (sys::appendToFile(stored->file, undoneMark(*stored->journal)))
            return stored;
    }
}

std::error_code markUndoing(std::vector<StoredJournal> &runs)
{
    std::map<std::filesystem::path, std::string> marks;
    for (const StoredJournal &stored : runs)
        marks[stored.file] += undoingMark(*stored.journal);
    for (const auto &[file, mark] : marks) {
        if (const std::error_code error = mark.empty() ? std::error_code() : sys::appendToFile(file, mark, true))
            return error;
    }
    for (StoredJournal &stored : runs)
        stored.journal->undoing = true;
    return {};
}

std::error_code namesGivenBack(const Journal &journal, std::size_t &count)
{
    count = 0;
    sys::OpenFolder open;
    std::vector<std::filesystem::path> names;
    if (const std::error_code error = readFolderOf(journal, open, names))
        return error;
    const Present present(names);
    for (const auto &[from, to] : journal.pairs) {
        const std::filesystem::path temporary = temporaryOf(journal, from, to);
        const PairState state = stateOf(present, from, to, temporary);
        count += state == PairState::GiveBack || state == PairState::Restore;
    }
    return {};
}

UndoOutcome undoRun(const StoredJournal &stored)
{
    UndoOutcome outcome;
    const Journal &journal = *stored.journal;
    sys::OpenFolder open;
    std::vector<std::filesystem::path> names;
    if ((outcome.unreadFolder = readFolderOf(journal, open, names)))
        return outcome;
    Present present(names);
    sys::Renamer renamer(open, names, temporaryStemOf(journal)); // a copy: `present` looks into `names`
    for (auto pair = journal.pairs.rbegin(); pair != journal.pairs.rend(); ++pair) {
        const auto &[from, to] = *pair;
        const std::filesystem::path temporary = temporaryOf(journal, from, to);
        // Where a crash came between the link and the unlink of a rename through
        // a hard link, one file has two of these names: the one it is to keep
        // stays, and the other goes.
        for (const auto &[kept, extra] : {std::pair{&to, &temporary}, {&from, &temporary}, {&from, &to}}) {
            if (extra->empty() || !present.has(*kept) || !present.has(*extra))
                continue;
            if (renamer.dropSecondName(*kept, *extra, outcome.failure))
                present.drop(*extra);
            if (outcome.failure) {
                outcome.failedName = *extra;
                return outcome;
            }
        }
        const PairState state = stateOf(present, from, to, temporary);
        switch (state) {
        case PairState::GiveBack:
        case PairState::Restore: {
            const std::filesystem::path &now = state == PairState::GiveBack ? to : temporary;
            if ((outcome.failure = renamer.rename(now, from))) {
                outcome.failedName = now;
                return outcome;
            }
            ++outcome.renamed;
            break;
        }
        case PairState::Back:
            ++outcome.already;
            break;
        case PairState::Changed:
            outcome.changed.emplace_back(from, to);
            break;
        }
    }
    // The next undo of this folder takes the run before this one, unless nothing
    // of this run came back: then it is not done, whatever was in its way.
    if (outcome.renamed > 0 || outcome.changed.empty())
        outcome.markFailure = sys::appendToFile(stored.file, undoneMark(journal));
    return outcome;
}

} // namespace conversion
