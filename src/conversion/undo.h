// Taking a run back from its journal: each name it gave goes back to the one it
// had, with the same care as the run (nothing replaced, a change of case alone
// through a temporary name), and only within the journal's folder.
#pragma once

#include "conversion/journal_store.h"

#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

namespace conversion {

struct UndoOutcome {
    std::size_t renamed = 0; // names given back now
    std::size_t already = 0; // names that were back already (a run stopped before them)
    // Pairs whose names changed since the run, left alone: old name, new name.
    std::vector<std::pair<std::filesystem::path, std::filesystem::path>> changed;
    std::filesystem::path failedName;
    std::error_code failure; // a refused rename, which stopped the undo there
    // The folder could not be read (gone, say), or is not the folder of the run
    // any more (WriteRefusal::notTheFolderOfTheRun): nothing was renamed.
    std::error_code unreadFolder;
    std::error_code markFailure; // the journal could not be marked undone
};

// The latest run of `folder` to take back, as JournalStore::latest finds it, but
// past the runs that renamed nothing (killed before their first rename, say):
// those are marked undone on the way, so that they never stand in the way of the
// runs before them. A run whose undo began is never passed: all of it may be
// back because that undo was stopped just before it said so.
std::optional<StoredJournal> runToUndo(const JournalStore &store, const std::filesystem::path &folder,
                                       bool resolve = true);

// Marks on the disk that the undo of each of `runs` begins (see runToUndo), and
// says so in each of them: called before the first name of any goes back, so
// that an undo stopped with all back but the mark of its end is never followed
// by one that takes back the run before.
std::error_code markUndoing(std::vector<StoredJournal> &runs);

// How many names undoing the journal would give back, in the folder as it is now.
std::error_code namesGivenBack(const Journal &journal, std::size_t &count);

// Takes the run back, in its folder as the journal knows it (the folder where
// it was, or where the run's renames of the folders above it left it, and the
// same folder still, where the journal says which), and, unless a refused rename stopped it or no name of it
// came back (all changed since), marks its journal undone. An error reading the
// folder comes back as unreadFolder, with nothing renamed.
UndoOutcome undoRun(const StoredJournal &stored);

} // namespace conversion
