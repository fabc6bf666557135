// namesGivenBack and undoRun: each pair of the journal judged by the names the
// folder holds now, spelt exactly.
#include "conversion/undo.h"

#include "conversion/name_set.h"
#include "system/whole_file.h"
#include "system/files.h"
#include "system/renamer.h"

namespace conversion {

namespace {

enum class PairState {
    GiveBack, // the new name is there and the old one free
    Restore,  // only the temporary name is there: a run or undo stopped between its two steps
    Back,     // the old name is there and the new one is not: nothing to do
    Changed,  // anything else: the names changed since the run
};

PairState stateOf(const NameSet &present, const Journal &journal, const std::filesystem::path &from,
                  const std::filesystem::path &to, std::filesystem::path &temporary)
{
    const bool hasOld = present.contains(from.native());
    const bool hasNew = present.contains(to.native());
    if (hasNew && !hasOld)
        return PairState::GiveBack;
    if (hasOld && !hasNew)
        return PairState::Back;
    if (!hasOld && !journal.temporaryStem.empty()) {
        temporary = sys::temporaryName(journal.temporaryStem, from, to);
        if (present.contains(temporary.native()))
            return PairState::Restore;
    }
    return PairState::Changed;
}

// The renamer of an undo goes through the run's own temporary names, so that an
// undo stopped halfway leaves only names the next undo finds.
std::string temporaryStemOf(const Journal &journal)
{
    return journal.temporaryStem.empty() ? sys::newTemporaryStem() : journal.temporaryStem;
}

} // namespace

std::optional<StoredJournal> runToUndo(const JournalStore &store, const std::filesystem::path &folder)
{
    for (;;) {
        std::optional<StoredJournal> stored = store.latest(folder);
        if (!stored || !stored->journal)
            return stored;
        std::vector<std::filesystem::path> names;
        if (sys::listAllNames(stored->journal->folder, names))
            return stored; // its undo says why the folder cannot be read
        const NameSet present(names);
        std::filesystem::path temporary;
        for (const auto &[from, to] : stored->journal->pairs) {
            if (stateOf(present, *stored->journal, from, to, temporary) != PairState::Back)
                return stored;
        }
        // A mark that cannot be written would find this run again and again.
        if (sys::appendToFile(stored->file, undoneMark()))
            return stored;
    }
}

std::error_code namesGivenBack(const Journal &journal, std::size_t &count)
{
    count = 0;
    std::vector<std::filesystem::path> names;
    if (const std::error_code error = sys::listAllNames(journal.folder, names))
        return error;
    const NameSet present(names);
    std::filesystem::path temporary;
    for (const auto &[from, to] : journal.pairs) {
        const PairState state = stateOf(present, journal, from, to, temporary);
        count += state == PairState::GiveBack || state == PairState::Restore;
    }
    return {};
}

UndoOutcome undoRun(const StoredJournal &stored)
{
    UndoOutcome outcome;
    const Journal &journal = *stored.journal;
    std::vector<std::filesystem::path> names;
    if ((outcome.unreadFolder = sys::listAllNames(journal.folder, names)))
        return outcome;
    const NameSet present(names);
    sys::Renamer renamer(journal.folder, names, temporaryStemOf(journal)); // a copy: `present` looks into `names`
    std::filesystem::path temporary;
    for (auto pair = journal.pairs.rbegin(); pair != journal.pairs.rend(); ++pair) {
        const auto &[from, to] = *pair;
        const PairState state = stateOf(present, journal, from, to, temporary);
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
        outcome.markFailure = sys::appendToFile(stored.file, undoneMark());
    return outcome;
}

} // namespace conversion
