// Run: a conversion run on one folder, from its plan and journal to what came of it.
#include "conversion/engine.h"

#include "system/beside.h"
#include "system/files.h"
#include "system/whole_file.h"
#include "system/paths.h"
#include "text/name_order.h"

#include <algorithm>

namespace conversion {

namespace {

// A folder of fewer names is planned on one core: a thread costs more to start.
constexpr std::size_t kNamesWorthAThread = 1000;

} // namespace

std::error_code listedFiles(const std::filesystem::path &folder, std::vector<std::filesystem::path> &names)
{
    const std::error_code error = sys::listFiles(folder, names);
    text::sortNames(names);
    return error;
}

Run::Run(const std::filesystem::path &folder, Conversions conversions, Part part, bool resolved)
    : m_folder(resolved ? folder : sys::resolvedFolder(folder)), m_conversions(std::move(conversions)), m_part(part)
{
}

std::error_code Run::plan(const std::vector<std::filesystem::path> &listed)
{
    m_listed = &listed;
    return readAndPlan(false, false, {}, nullptr);
}

std::error_code Run::planFolder(bool withFolders, const std::vector<std::filesystem::path> &keep,
                                FolderReading *reading)
{
    m_listed = &m_ownListed;
    return readAndPlan(true, withFolders, keep, reading);
}

std::error_code Run::readAndPlan(bool listFiles, bool withFolders, const std::vector<std::filesystem::path> &keep,
                                 FolderReading *reading)
{
    if (!m_open.isOpen()) {
        if (const std::error_code error = m_open.open(m_folder))
            return error;
    }
    FolderNow now;
    std::vector<bool> isFolder;
    std::error_code readError;
    const auto read = [this, &now, &isFolder, &readError, withFolders, reading] {
        if (reading) {
            now.names = std::move(reading->names);
            now.isFile = std::move(reading->isFile);
            if (withFolders)
                isFolder = std::move(reading->isFolder);
        } else {
            readError = sys::listAllNamesAndFiles(m_open, now.names, now.isFile, withFolders ? &isFolder : nullptr);
        }
        now.longestName = sys::longestName(m_open);
    };
    // The folder's side of the plan is built on the second core while this one
    // works out the new names.
    std::future<FolderChecks> checks;
    if (listFiles) {
        read();
        if (readError)
            return readError;
        // The command line's own list stays in the order the folder was read:
        // its renames need no order, and a sort before the first one would only
        // delay it.
        m_ownListed.clear();
        for (std::size_t i = 0; i < now.names.size(); ++i) {
            if (now.isFile[i])
                m_ownListed.push_back(now.names[i]);
        }
        for (std::size_t i = 0; i < isFolder.size(); ++i) {
            if (isFolder[i] && std::find(keep.begin(), keep.end(), now.names[i]) == keep.end()) {
                m_ownListed.push_back(now.names[i]);
                now.isFile[i] = true; // listed, as a file is: the plan's checks ask that
            }
        }
        checks = sys::beside([&now] { return FolderChecks(now); }, now.names.size() >= kNamesWorthAThread);
    } else {
        // The file list's names are at hand already: the folder is read there too.
        checks = sys::beside([&read, &now] {
            read();
            return FolderChecks(now);
        });
    }
    Plan plan = planRun(*m_listed, std::move(checks), m_conversions, m_part, &m_evidence);
    if (readError)
        return readError;
    m_plan = std::move(plan);
    m_names = std::move(now.names);
    m_renamer.reset();
    return {};
}

sys::Renamer &Run::renamer()
{
    // One renamer for the whole run: it learns the medium's ways at its first rename.
    if (!m_renamer)
        m_renamer.emplace(m_open, std::move(m_names), m_temporaryStem);
    return *m_renamer;
}

std::optional<std::filesystem::path> Run::converted(const std::filesystem::path &name) const
{
    return convertedPath(name, m_conversions, m_part, m_evidence);
}

std::size_t Run::toRename() const
{
    return static_cast<std::size_t>(std::count(m_plan.rename.begin(), m_plan.rename.end(), true));
}

JournalPart Run::journalPart() const
{
    return {&m_folder, &m_open.identity(), m_listed, &m_plan.newNames, &m_plan.rename};
}

std::error_code Run::writeJournal(const JournalStore &store)
{
    if (toRename() == 0)
        return {};
    std::filesystem::path file;
    if (const std::error_code error =
            store.write(m_folder, false, runJournalBytes(m_folder, false, m_temporaryStem, {journalPart()}), file))
        return error;
    m_pruning = sys::beside([store, folder = m_folder] { store.prune(folder); });
    return {};
}

std::error_code Run::writeJournal(const JournalStore &store, const std::filesystem::path &root, std::deque<Run> &runs)
{
    std::vector<JournalPart> parts;
    for (Run &run : runs) {
        // One start for the temporary names of the whole run, which its journal keeps.
        run.m_temporaryStem = runs.front().m_temporaryStem;
        if (run.toRename() > 0)
            parts.push_back(run.journalPart());
    }
    if (parts.empty())
        return {};
    std::filesystem::path file;
    return store.write(root, true, runJournalBytes(root, true, runs.front().m_temporaryStem, parts), file);
}

std::error_code Run::rename(const std::filesystem::path &name, const std::filesystem::path &newName)
{
    const std::error_code error = renamer().rename(name, newName);
    if (!error)
        ++m_renamed;
    return error;
}

Outcome Run::finish(const std::vector<std::filesystem::path> &listedNow, const std::filesystem::path &failedName,
                    std::error_code failure, bool stopped)
{
    Outcome outcome;
    outcome.renamed = m_renamed;
    outcome.failedName = failedName;
    outcome.failure = failure;
    outcome.stopped = stopped;
    outcome.skipped = m_plan.skipped;
    if (m_pruning.valid())
        m_pruning.get();
    if (!failure && !stopped && !renamer().keepsSpellings())
        outcome.unchanged = unchangedNames(m_plan, listedNow);
    // The folder is let go: the command line holds many runs at once, and on
    // Windows a folder held open cannot be renamed in the folder holding it.
    m_renamer.reset();
    m_open.close();
    return outcome;
}

Outcome Run::renameAll(bool (*stop)())
{
    const std::vector<std::filesystem::path> &listed = *m_listed;
    for (std::size_t i = 0; i < listed.size(); ++i) {
        if (!m_plan.rename[i])
            continue;
        if (stop && stop())
            return finish({}, {}, {}, true);
        if (const std::error_code error = rename(listed[i], m_plan.newNames[i]))
            return finish({}, listed[i], error);
    }
    // The folder is read again only where the file system may have kept old
    // spellings; every name of it, since the list may hold subfolders.
    std::vector<std::filesystem::path> now;
    std::vector<bool> isFile;
    if (!renamer().keepsSpellings())
        sys::listAllNamesAndFiles(m_open, now, isFile);
    return finish(now);
}

} // namespace conversion
