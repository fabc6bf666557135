// The run without a window: plan, journal, renames and what came of them. The
// window's handler and the command line both drive it.
#pragma once

#include "conversion/journal_store.h"
#include "conversion/plan.h"
#include "system/open_folder.h"
#include "system/renamer.h"

#include <filesystem>
#include <deque>
#include <future>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace conversion {

// One reading of a folder: every name, whether the file list shows it, and
// whether it is a subfolder a run may enter and rename (sys::listAllNamesAndFiles).
struct FolderReading {
    std::vector<std::filesystem::path> names;
    std::vector<bool> isFile;
    std::vector<bool> isFolder;
};

// What a run did, for the user to be told.
struct Outcome {
    std::size_t renamed = 0;
    std::filesystem::path failedName; // the name whose rename was refused
    std::error_code failure;          // why; the run stopped there
    bool stopped = false;             // stopped by the user between two renames
    std::vector<Skip> skipped;
    // Renames the file system took but whose case did not change.
    std::vector<std::filesystem::path> unchanged;
};

class Run {
public:
    // `folder` is taken as the system resolves it (sys::resolvedFolder), so that
    // its journals are found again by any path to it, unless `resolved` says it
    // is already (a folder found below one resolved, through no link). `part`
    // is the part of each name converted.
    Run(const std::filesystem::path &folder, Conversions conversions, Part part = Part::All, bool resolved = false);

    // Gives the run the folder, open already (a recursive run opens each folder
    // as it walks the tree), to read and rename in instead of opening its path.
    void holdFolder(sys::OpenFolder folder) { m_open = std::move(folder); }

    // Opens the folder, reads every name of it and plans the renames of `listed`, the names
    // the file list shows, which stay as they are until the run ends. Nothing is
    // renamed yet.
    std::error_code plan(const std::vector<std::filesystem::path> &listed);
    // The same on the files the folder's file list would show, from one reading
    // of it, listed in the order of that reading rather than the file list's.
    // `withFolders` lists its subfolders too (not hidden ones, not links), after
    // the files: a file system without the no-replace flag may learn from a
    // folder that it takes no hard links, which the files still use.
    // `keep` are subfolders never listed (those that hold the journals). With
    // `reading`, the folder as the walk of a tree read it through the folder
    // held, taken instead of reading it again.
    std::error_code planFolder(bool withFolders = false, const std::vector<std::filesystem::path> &keep = {},
                               FolderReading *reading = nullptr);

    // Writes the journal before the first rename, on the disk; a run that
    // renames nothing needs none. The folder's oldest journals go while the
    // renames go on.
    std::error_code writeJournal(const JournalStore &store);
    // The same for the runs of a recursive run from `root`, in one journal, in
    // the order they are to rename.
    static std::error_code writeJournal(const JournalStore &store, const std::filesystem::path &root,
                                        std::deque<Run> &runs);

    const std::vector<std::filesystem::path> &listed() const { return *m_listed; }
    const Plan &planned() const { return m_plan; }
    std::size_t toRename() const;

    // The new name of the listed file `name` as the plan judged it; nothing where
    // the plan leaves it for its bytes.
    std::optional<std::filesystem::path> converted(const std::filesystem::path &name) const;

    // Renames the listed file `name` to `newName`, never replacing another file.
    std::error_code rename(const std::filesystem::path &name, const std::filesystem::path &newName);

    // Ends the run after its last rename, a refused one or a stop: waits for the
    // oldest journals to go, lets the folder go, and finds the
    // names the folder, as listed now, did not take (none where the renamer has
    // shown that it keeps spellings). No rename follows it.
    Outcome finish(const std::vector<std::filesystem::path> &listedNow, const std::filesystem::path &failedName = {},
                   std::error_code failure = {}, bool stopped = false);

    // The whole run at once, as the command line does it: every planned rename in
    // the list's order, stopping at a refused one, or before the next rename once
    // `stop` says so.
    Outcome renameAll(bool (*stop)() = nullptr);

private:
    // Reads the folder once; with `listFiles`, takes its files (and with
    // `withFolders` its subfolders) as the list.
    std::error_code readAndPlan(bool listFiles, bool withFolders, const std::vector<std::filesystem::path> &keep,
                                FolderReading *reading);
    JournalPart journalPart() const;

    std::filesystem::path m_folder;
    sys::OpenFolder m_open; // from the plan to the end of the run
    Conversions m_conversions;
    Part m_part;
    text::Evidence m_evidence; // what the listed names said of their encoding
    const std::vector<std::filesystem::path> *m_listed = nullptr;
    std::vector<std::filesystem::path> m_ownListed; // planFolder's list
    // Made from the names read for the plan at the first rename, so that runs
    // planned ahead hold no open folder each.
    sys::Renamer &renamer();
    std::vector<std::filesystem::path> m_names;     // the names read for the plan, until then
    std::optional<sys::Renamer> m_renamer;
    std::string m_temporaryStem = sys::newTemporaryStem(); // its temporary names, which the journal keeps
    Plan m_plan;
    std::future<void> m_pruning;     // the folder's oldest journals going, while the renames go on
    std::size_t m_renamed = 0;
};

// The files a folder's file list shows, in its order.
std::error_code listedFiles(const std::filesystem::path &folder, std::vector<std::filesystem::path> &names);

} // namespace conversion
