// JournalStore: journal files named by their folder, time and run, so that a
// folder's runs are found by name without opening the others.
#include "conversion/journal_store.h"

#include "system/whole_file.h"
#include "system/files.h"
#include "system/paths.h"

#include <QCoreApplication>
#include <QDateTime>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <iterator>
#include <set>

namespace conversion {

namespace {

constexpr std::size_t kRunsKept = 20;
constexpr std::string_view kSuffix = ".journal";

// A folder's mark in the names of its journals.
std::string folderMark(const std::filesystem::path &folder)
{
    return sys::pathsMark({&folder});
}

// <folder>-<time>-<run>-<root>.journal, in which the time and the run's number
// sort as written; a run of one folder has the root mark "0".
std::string fileName(const Journal &journal)
{
    static std::atomic<unsigned> counter{0};
    char run[64];
    std::snprintf(run, sizeof run, "-%013lld-%010lld-%06u-", static_cast<long long>(QDateTime::currentMSecsSinceEpoch()),
                  static_cast<long long>(QCoreApplication::applicationPid()), counter++);
    return folderMark(journal.folder) + run + (journal.root.empty() ? "0" : folderMark(journal.root)) +
           std::string(kSuffix);
}

StoredJournal load(const std::filesystem::path &file)
{
    StoredJournal stored{file, std::nullopt, {}};
    std::string bytes;
    stored.error = sys::readFile(file, bytes, SIZE_MAX, kJournalMost);
    if (!stored.error)
        stored.journal = parseJournal(bytes);
    return stored;
}

// Journal names are ASCII, so they compare in each system's own spelling of names
// (bytes here, UTF-16 on Windows) as they are.
bool startsWith(const std::filesystem::path &name, std::string_view start)
{
    return name.native().starts_with(std::filesystem::path(start).native());
}

bool endsWith(const std::filesystem::path &name, std::string_view end)
{
    return name.native().ends_with(std::filesystem::path(end).native());
}

} // namespace

std::optional<StoredJournal> JournalStore::refusedFolder() const
{
    std::error_code error;
    if (!std::filesystem::exists(m_folder, error) && !error)
        return std::nullopt; // no run has been journalled yet: nothing to trust or refuse
    if (!error)
        error = sys::privateFolder(m_folder);
    return error ? std::optional(StoredJournal{m_folder, std::nullopt, error}) : std::nullopt;
}

std::string JournalStore::newGroup()
{
    static std::atomic<unsigned> counter{0};
    return std::to_string(QDateTime::currentMSecsSinceEpoch()) + '-' +
           std::to_string(QCoreApplication::applicationPid()) + '-' + std::to_string(counter++);
}

std::vector<std::filesystem::path> JournalStore::filesOf(const std::string &prefix) const
{
    std::vector<std::filesystem::path> names;
    sys::listAllNames(m_folder, names);
    std::erase_if(names, [&](const std::filesystem::path &name) {
        return !startsWith(name, prefix) || !endsWith(name, kSuffix);
    });
    // Bare names sort as their spelling; comparing paths part by part costs far
    // more in a store of a tree's thousands of journals.
    std::sort(names.begin(), names.end(), [](const auto &a, const auto &b) { return a.native() < b.native(); });
    for (std::filesystem::path &name : names)
        name = m_folder / name;
    return names;
}

std::error_code JournalStore::write(const Journal &journal, const std::string &bytes, std::filesystem::path &file,
                                   bool sync) const
{
    std::error_code error;
    // Made for the user alone, whatever the umask: the folder must pass as private.
    if (std::filesystem::create_directories(m_folder, error))
        std::filesystem::permissions(m_folder, std::filesystem::perms::owner_all, error);
    if (error || (error = sys::privateFolder(m_folder)))
        return error;
    file = m_folder / fileName(journal);
    return sync ? sys::writeNewFileDurably(file, bytes) : sys::writeNewFile(file, bytes);
}

std::error_code JournalStore::sync() const
{
    return sys::syncFiles(m_folder);
}

void JournalStore::prune(const std::vector<std::filesystem::path> &folders) const
{
    // The store is read once for all of them: a recursive run prunes a folder's
    // worth of folders.
    const std::vector<std::filesystem::path> all = filesOf({});
    const auto before = [](const std::filesystem::path &a, const std::filesystem::path &b) { return a.native() < b.native(); };
    for (const std::filesystem::path &folder : folders) {
        // A folder's journals lie side by side in the sorted list, under its mark.
        const std::filesystem::path start = m_folder / (folderMark(folder) + '-');
        std::vector<std::filesystem::path> older;
        for (auto file = std::lower_bound(all.begin(), all.end(), start, before);
             file != all.end() && file->native().starts_with(start.native()); ++file)
            older.push_back(*file);
        // Only journals that are this folder's own go, however their names were
        // come by; only those beyond the last 20 are read to tell, since a tree's
        // folders each hold 20 and each run of it adds one.
        std::error_code error;
        for (std::size_t i = 0; i + kRunsKept < older.size(); ++i) {
            std::string head;
            // A journal that cannot be removed is kept: it takes nothing from the runs.
            if (!sys::readFile(older[i], head, kJournalHead) && journalFolder(head) == folder)
                std::filesystem::remove(older[i], error);
        }
    }
}

std::optional<StoredJournal> JournalStore::latest(const std::filesystem::path &asked) const
{
    if (std::optional<StoredJournal> refused = refusedFolder())
        return refused;
    const std::filesystem::path folder = sys::resolvedFolder(asked);
    const std::vector<std::filesystem::path> files = filesOf(folderMark(folder) + '-');
    for (auto file = files.rbegin(); file != files.rend(); ++file) {
        StoredJournal stored = load(*file);
        // A damaged journal of this folder may be its latest run: say so rather
        // than take back an older one in its place.
        if (!stored.journal || stored.error)
            return stored;
        if (stored.journal->folder == folder && !stored.journal->undone)
            return stored;
    }
    return std::nullopt;
}

std::vector<StoredJournal> JournalStore::latestRecursive(const std::filesystem::path &asked) const
{
    if (std::optional<StoredJournal> refused = refusedFolder())
        return {std::move(*refused)};
    const std::filesystem::path root = sys::resolvedFolder(asked);
    const std::string rootMark = '-' + folderMark(root) + std::string(kSuffix);
    std::vector<StoredJournal> found;
    std::string group;
    std::vector<std::filesystem::path> ofRoot = filesOf({});
    std::erase_if(ofRoot, [&](const auto &file) { return !endsWith(file.filename(), rootMark); });
    // Newest first by the time in the name, which follows the folder's mark.
    std::sort(ofRoot.begin(), ofRoot.end(), [](const auto &a, const auto &b) {
        return a.filename().native().substr(17) > b.filename().native().substr(17);
    });
    for (const auto &file : ofRoot) {
        StoredJournal stored = load(file);
        if (!stored.journal || stored.error) {
            // Newer than any run found yet: it may be the latest run's, so say so.
            if (group.empty())
                return {std::move(stored)};
            continue;
        }
        if (stored.journal->root != root)
            continue;
        if (group.empty()) {
            if (stored.journal->undone)
                continue;
            group = stored.journal->group;
        }
        if (stored.journal->group == group && !stored.journal->undone)
            found.push_back(std::move(stored));
    }
    // Each folder before the folders in it: a run that renamed folders did them
    // after their contents, under the paths they had then, which come back as
    // the folders above them get their names back.
    std::sort(found.begin(), found.end(), [](const StoredJournal &a, const StoredJournal &b) {
        const auto depth = [](const StoredJournal &s) {
            return s.journal ? std::distance(s.journal->folder.begin(), s.journal->folder.end()) : 0;
        };
        return depth(a) < depth(b);
    });
    // A folder's later runs that renamed what the recursive run gave (or what
    // they gave in turn) come back first, newest first: the recursive run's
    // names are theirs now. A later run of other names is no part of it.
    std::vector<StoredJournal> ordered;
    for (StoredJournal &stored : found) {
        std::set<std::filesystem::path> given;
        for (const auto &pair : stored.journal->pairs)
            given.insert(pair.second);
        std::vector<StoredJournal> later;
        const std::vector<std::filesystem::path> ofFolder = filesOf(folderMark(stored.journal->folder) + '-');
        const auto own = std::find(ofFolder.begin(), ofFolder.end(), stored.file);
        for (auto file = own == ofFolder.end() ? own : own + 1; file != ofFolder.end(); ++file) {
            StoredJournal run = load(*file);
            if (!run.journal || run.journal->folder != stored.journal->folder || run.journal->undone)
                continue;
            const auto &pairs = run.journal->pairs;
            if (std::none_of(pairs.begin(), pairs.end(), [&](const auto &pair) { return given.count(pair.first); }))
                continue;
            for (const auto &pair : pairs)
                given.insert(pair.second);
            later.push_back(std::move(run));
        }
        std::move(later.rbegin(), later.rend(), std::back_inserter(ordered));
        ordered.push_back(std::move(stored));
    }
    return ordered;
}

} // namespace conversion
