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
    std::error_code unreadFolder; // the folder could not be read (gone, say): nothing was renamed
    std::error_code markFailure; // the journal could not be marked undone
};

// The latest run of `folder` to take back, as JournalStore::latest finds it, but
// past the runs that renamed nothing (killed before their first rename, say):
// those are marked undone on the way, so that they never stand in the way of the
// runs before them.
std::optional<StoredJournal> runToUndo(const JournalStore &store, const std::filesystem::path &folder);

// How many names undoing the journal would give back, in the folder as it is now.
std::error_code namesGivenBack(const Journal &journal, std::size_t &count);

// Takes the run back and, unless a refused rename stopped it or no name of it
// came back (all changed since), marks its journal undone. An error reading the
// folder comes back as unreadFolder, with nothing renamed.
UndoOutcome undoRun(const StoredJournal &stored);

} // namespace conversion
