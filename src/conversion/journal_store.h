// Where journals are kept: one file per run under the user's state folder
// ($XDG_STATE_HOME/mojik, or ~/.local/state/mojik; on Windows %LOCALAPPDATA%\mojik),
// the last 20 runs per folder. 1.04 kept one file per folder of a run; those
// are read and taken back as they stand.
#pragma once

#include "conversion/journal.h"

#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

namespace sys {
class FolderLock;
}

namespace conversion {

// One folder's part of a journal on disk. `journal` is empty when the file is
// damaged; `error` says when it could not be read at all.
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

    // Makes the store when it is not there yet, for the user alone whatever the
    // umask, and takes its lock (sys::FolderLock): with `wait`, once the process
    // holding it has ended. A store that another user owns or can write to is
    // refused (sys::privateFolder).
    std::error_code lock(sys::FolderLock &lock, bool wait) const;

    // Writes the journal of a run about to start (`bytes`, of the run given
    // `of`, through the folders below it where `recursive`), whole and on the
    // disk: the file and its folder, never the whole file system. `file` names it.
    std::error_code write(const std::filesystem::path &of, bool recursive, const std::string &bytes,
                          std::filesystem::path &file) const;

    // Lets the oldest runs of `of` beyond the last 20 go.
    void prune(const std::filesystem::path &of) const;

    // The most recent part not undone yet of a journal of `folder`, whether a
    // run of it alone or of a tree that holds it; nothing when there is none.
    // `folder` is taken as the system resolves it, unless `resolve` is false.
    std::optional<StoredJournal> latest(const std::filesystem::path &folder, bool resolve = true) const;

    // Every part of the most recent recursive run started from `root` that is
    // not undone yet, in the order to take them back; before each, the later
    // runs of its folder, newest first, that renamed the names it gave. A
    // journal that cannot be read, met on the way, comes alone: nothing is
    // taken back past it. `root` is taken as latest() takes its folder.
    std::vector<StoredJournal> latestRecursive(const std::filesystem::path &root, bool resolve = true) const;

private:
    // The store, made when it is not there yet, and trusted.
    std::error_code made() const;
    std::vector<std::filesystem::path> filesOf(const std::string &prefix) const;
    // The store itself as a journal that cannot be read, when it is not the
    // user's private folder: nothing in it is then taken back.
    std::optional<StoredJournal> refusedFolder() const;

    std::filesystem::path m_folder;
};

} // namespace conversion
