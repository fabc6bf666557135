// The folder, the journal store and the run the tests of undo share.
#pragma once

#include "conversion/engine.h"
#include "conversion/undo.h"

#include "support/name_sets.h"
#include "support/temp_folder.h"

namespace undo_testing {

using testing_support::contentOf;
using testing_support::TempFolder;
using testing_support::allNames;
using Names = testing_support::NameSet;
namespace fs = std::filesystem;

// The files of a run in files/, the journals in state/.
class Undo : public testing::Test {
protected:
    // A run to capitals with its journal; `beforeRenaming` acts between the journal and the renames.
    conversion::Outcome upperRun(const fs::path &of, const std::function<void()> &beforeRenaming = {})
    {
        std::vector<fs::path> listed;
        EXPECT_FALSE(conversion::listedFiles(of, listed));
        conversion::Run run(of, conversion::Case::Upper);
        EXPECT_FALSE(run.plan(listed));
        EXPECT_FALSE(run.writeJournal(store));
        if (beforeRenaming)
            beforeRenaming();
        return run.renameAll();
    }

    conversion::UndoOutcome undoLatest(const fs::path &of)
    {
        const std::optional<conversion::StoredJournal> stored = store.latest(of);
        EXPECT_TRUE(stored && stored->journal);
        return stored && stored->journal ? conversion::undoRun(*stored) : conversion::UndoOutcome{};
    }

    TempFolder temp;
    const fs::path folder = temp.folder("files");
    const conversion::JournalStore store{temp.path() / "state"};
};

} // namespace undo_testing
