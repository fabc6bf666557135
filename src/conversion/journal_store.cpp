// JournalStore: journal files named by their folder, time and run, so that a
// folder's runs are found by name without opening the others.
#include "conversion/journal_store.h"

#include "system/files.h"
#include "system/folder_lock.h"
#include "system/paths.h"
#include "system/whole_file.h"

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
// A journal's name: the mark of its folder, a '-', then the time and the run.
constexpr std::size_t kTimeAt = 17;

// A folder's mark in the names of its journals.
std::string folderMark(const std::filesystem::path &folder)
{
    return sys::pathsMark({&folder});
}

// <folder>-<time>-<run>-<root>.journal, in which the time and the run's number
// sort as written; a run of one folder has the root mark "0".
std::string fileName(const std::filesystem::path &of, bool recursive)
{
    static std::atomic<unsigned> counter{0};
    char run[64];
    std::snprintf(run, sizeof run, "-%013lld-%010lld-%06u-", static_cast<long long>(QDateTime::currentMSecsSinceEpoch()),
                  static_cast<long long>(QCoreApplication::applicationPid()), counter++);
    return folderMark(of) + run + (recursive ? folderMark(of) : "0") + std::string(kSuffix);
}

// Newest first, by the time and the run in the names.
bool newer(const std::filesystem::path &a, const std::filesystem::path &b)
{
    return a.filename().native().substr(kTimeAt) > b.filename().native().substr(kTimeAt);
}

// A journal file read whole: its parts, or why it cannot be read.
struct Loaded {
    std::filesystem::path file;
    std::optional<std::vector<Journal>> parts;
    std::error_code error;

    bool readable() const { return parts && !error; }
    StoredJournal damaged() const { return {file, std::nullopt, error}; }
    StoredJournal part(const Journal &journal) const { return {file, journal, {}}; }
};

Loaded load(const std::filesystem::path &file)
{
    Loaded loaded{file, std::nullopt, {}};
    std::string bytes;
    loaded.error = sys::readFile(file, bytes, SIZE_MAX, kJournalMost);
    if (!loaded.error)
        loaded.parts = parseJournals(bytes);
    return loaded;
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

// The part of `folder` in a journal read whole, if it has one.
const Journal *partOf(const Loaded &loaded, const std::filesystem::path &folder)
{
    for (const Journal &part : *loaded.parts) {
        if (part.folder == folder)
            return &part;
    }
    return nullptr;
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

std::error_code JournalStore::made() const
{
    std::error_code error;
    if (m_folder.has_parent_path())
        std::filesystem::create_directories(m_folder.parent_path(), error);
    if (error || (error = sys::makePrivateFolder(m_folder)))
        return error;
    return sys::privateFolder(m_folder);
}

std::error_code JournalStore::lock(sys::FolderLock &lock, bool wait) const
{
    if (const std::error_code error = made())
        return error;
    return lock.lock(m_folder, wait);
}

std::error_code JournalStore::write(const std::filesystem::path &of, bool recursive, const std::string &bytes,
                                   std::filesystem::path &file) const
{
    if (const std::error_code error = made())
        return error;
    file = m_folder / fileName(of, recursive);
    return sys::writeNewFileDurably(file, bytes);
}

void JournalStore::prune(const std::filesystem::path &of) const
{
    // Only journals that are this folder's own go, however their names were
    // come by; only those beyond the last 20 are read to tell.
    const std::vector<std::filesystem::path> older = filesOf(folderMark(of) + '-');
    std::error_code error;
    for (std::size_t i = 0; i + kRunsKept < older.size(); ++i) {
        std::string head;
        // A journal that cannot be removed is kept: it takes nothing from the runs.
        if (!sys::readFile(older[i], head, kJournalHead) && journalFolder(head) == of)
            std::filesystem::remove(older[i], error);
    }
}

std::optional<StoredJournal> JournalStore::latest(const std::filesystem::path &asked, bool resolve) const
{
    if (std::optional<StoredJournal> refused = refusedFolder())
        return refused;
    const std::filesystem::path folder = resolve ? sys::resolvedFolder(asked) : asked;
    // Its own runs, and the runs of the trees that hold it.
    std::vector<std::filesystem::path> files;
    const std::vector<std::filesystem::path> all = filesOf({});
    for (std::filesystem::path above = folder;; above = above.parent_path()) {
        const std::string mark = folderMark(above);
        const std::string tree = '-' + mark + std::string(kSuffix);
        for (const std::filesystem::path &file : all) {
            const std::filesystem::path name = file.filename();
            if (startsWith(name, mark + '-') && (above == folder || endsWith(name, tree)))
                files.push_back(file);
        }
        if (!above.has_relative_path())
            break;
    }
    std::sort(files.begin(), files.end(), newer);
    for (const std::filesystem::path &file : files) {
        const Loaded loaded = load(file);
        // A damaged journal of this folder may be its latest run: say so rather
        // than take back an older one in its place.
        if (!loaded.readable())
            return loaded.damaged();
        if (const Journal *part = partOf(loaded, folder); part && !part->undone)
            return loaded.part(*part);
    }
    return std::nullopt;
}

std::vector<StoredJournal> JournalStore::latestRecursive(const std::filesystem::path &asked, bool resolve) const
{
    if (std::optional<StoredJournal> refused = refusedFolder())
        return {std::move(*refused)};
    const std::filesystem::path root = resolve ? sys::resolvedFolder(asked) : asked;
    const std::string rootMark = '-' + folderMark(root) + std::string(kSuffix);
    std::vector<std::filesystem::path> ofRoot = filesOf({});
    std::erase_if(ofRoot, [&](const auto &file) { return !endsWith(file.filename(), rootMark); });
    std::sort(ofRoot.begin(), ofRoot.end(), newer);

    // The run's parts: a journal of a run holds them all, in the order they
    // were renamed; 1.04 wrote one file for each, tied by their group.
    std::vector<StoredJournal> found;
    std::filesystem::path runFile; // the run's newest file
    std::string group;
    for (const auto &file : ofRoot) {
        const Loaded loaded = load(file);
        // It may be the run's, or one of its folders': nothing is taken back past it.
        if (!loaded.readable())
            return {loaded.damaged()};
        const std::vector<Journal> &parts = *loaded.parts;
        if (parts.empty() || parts.front().root != root)
            continue;
        if (parts.front().format == 2) {
            if (!group.empty())
                break; // newer than any run of 1.04's, and no part of it
            for (auto part = parts.rbegin(); part != parts.rend(); ++part) {
                if (!part->undone)
                    found.push_back(loaded.part(*part));
            }
            if (found.empty())
                continue;
            runFile = file;
            break;
        }
        const Journal &part = parts.front();
        if (group.empty()) {
            if (part.undone)
                continue;
            group = part.group;
            runFile = file;
        }
        if (part.group == group && !part.undone)
            found.push_back(loaded.part(part));
    }
    // In 1.04's journals, each folder before the folders in it: a run that
    // renamed folders did them after their contents, under the paths they had
    // then, which come back as the folders above them get their names back.
    if (!group.empty()) {
        std::stable_sort(found.begin(), found.end(), [](const StoredJournal &a, const StoredJournal &b) {
            const auto depth = [](const StoredJournal &s) { return std::distance(s.journal->folder.begin(), s.journal->folder.end()); };
            return depth(a) < depth(b);
        });
    }
    // A folder's later runs that renamed what the recursive run gave (or what
    // they gave in turn) come back first, newest first: the recursive run's
    // names are theirs now. A later run of other names is no part of it.
    std::vector<StoredJournal> ordered;
    for (StoredJournal &stored : found) {
        std::set<std::filesystem::path> given;
        for (const auto &pair : stored.journal->pairs)
            given.insert(pair.second);
        std::vector<StoredJournal> later;
        std::vector<std::filesystem::path> ofFolder = filesOf(folderMark(stored.journal->folder) + '-');
        std::erase_if(ofFolder, [&](const auto &file) { return file == stored.file || !newer(file, runFile); });
        std::sort(ofFolder.begin(), ofFolder.end(), [](const auto &a, const auto &b) { return newer(b, a); });
        for (const auto &file : ofFolder) {
            const Loaded run = load(file);
            if (!run.readable())
                return {run.damaged()};
            const Journal *part = partOf(run, stored.journal->folder);
            if (!part || part->undone)
                continue;
            if (std::none_of(part->pairs.begin(), part->pairs.end(), [&](const auto &pair) { return given.count(pair.first); }))
                continue;
            for (const auto &pair : part->pairs)
                given.insert(pair.second);
            later.push_back(run.part(*part));
        }
        std::move(later.rbegin(), later.rend(), std::back_inserter(ordered));
        ordered.push_back(std::move(stored));
    }
    return ordered;
}

} // namespace conversion
