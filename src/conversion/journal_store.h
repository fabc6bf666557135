// Where journals are kept: one file per run under the user's state folder
// ($XDG_STATE_HOME/mojik, or ~/.local/state/mojik; on Windows %LOCALAPPDATA%\mojik),
// the last 20 runs per folder.
#pragma once

#include "conversion/journal.h"

#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

namespace conversion {

// One journal on disk. `journal` is empty when the file is damaged; `error` says
// when it could not be read at all.
struct StoredJournal {
    std::filesystem::path file;
    std::optional<Journal> journal;
    std::error_code error;
};

class JournalStore {
public:
    explicit JournalStore(std::filesystem::path folder) : m_folder(std::move(folder)) {}
    // The user's own store, under the folder that kHomeVariable names.
    static JournalStore standard();
    static const char *const kHomeVariable;
    // Where standard() is, as the help tells the user: the variable, then its default.
    static const char *const kWhere;

    const std::filesystem::path &folder() const { return m_folder; }

    // Writes the journal of a run about to start (`bytes`, of the run `header`
    // tells), whole and on the disk. `file` names it. A store that another user
    // owns or can write to is refused (sys::privateFolder).
    // With `sync` false it returns before the journal is on the disk: sync()
    // must then bring it there before the run's first rename.
    std::error_code write(const Journal &header, const std::string &bytes, std::filesystem::path &file,
                          bool sync = true) const;
    // Brings every journal written so far to the disk, in one wait.
    std::error_code sync() const;

    // Lets the oldest runs of each of `folders` beyond the last 20 go.
    void prune(const std::vector<std::filesystem::path> &folders) const;

    // The most recent journal of `folder` not undone yet; nothing when there is none.
    std::optional<StoredJournal> latest(const std::filesystem::path &folder) const;

    // Every journal of the most recent recursive run started from `root` that is
    // not wholly undone yet, each folder before the folders in it, each after the later runs
    // of its folder, newest first, that renamed the names it gave.
    std::vector<StoredJournal> latestRecursive(const std::filesystem::path &root) const;

    // A new name for the journals of one recursive run.
    static std::string newGroup();

private:
    std::vector<std::filesystem::path> filesOf(const std::string &prefix) const;
    // The store itself as a journal that cannot be read, when it is not the
    // user's private folder: nothing in it is then taken back.
    std::optional<StoredJournal> refusedFolder() const;

    std::filesystem::path m_folder;
};

} // namespace conversion
