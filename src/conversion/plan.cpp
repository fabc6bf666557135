// planRun, convertedPath and unchangedNames.
#include "conversion/plan.h"

#include "text/casemap.h"
#include "text/shift_jis_names.h"
#include "text/names.h"

#include <type_traits>

namespace conversion {

namespace {

// How many names ahead of its look-ups a loop over the names prefetches.
constexpr std::size_t kAhead = 8;

QString convertedName(const QString &name, Case mode)
{
    return mode == Case::Upper ? text::upperCase(name) : text::lowerCase(name);
}

} // namespace

std::optional<std::filesystem::path> convertedPath(const std::filesystem::path &name, Case mode)
{
    // Plain ASCII, the most names, maps byte by byte with no decoding.
    auto bytes = name.native();
    bool ascii = true;
    for (auto &unit : bytes) {
        if (static_cast<std::uint32_t>(unit) >= 0x80) {
            ascii = false;
            break;
        }
        if (mode == Case::Upper && unit >= 'a' && unit <= 'z')
            unit = static_cast<std::remove_reference_t<decltype(unit)>>(unit - 'a' + 'A');
        else if (mode == Case::Lower && unit >= 'A' && unit <= 'Z')
            unit = static_cast<std::remove_reference_t<decltype(unit)>>(unit - 'A' + 'a');
    }
    if (ascii)
        return std::filesystem::path(std::move(bytes));
    const std::optional<QString> text = text::nameText(name);
    if (!text)
        return std::nullopt;
    return text::nameFromText(convertedName(*text, mode));
}

namespace {

// The entries the file list would not show: subfolders and hidden files, few in
// most folders, so that asking for every listed name costs little.
std::vector<Key> notFilesOf(const FolderNow &folder)
{
    std::vector<Key> others;
    for (std::size_t i = 0; i < folder.names.size(); ++i) {
        if (!folder.isFile[i])
            others.push_back(folder.names[i].native());
    }
    return others;
}

} // namespace

FolderChecks::FolderChecks(const FolderNow &folder)
    : present(folder.names), notFiles(notFilesOf(folder)), longestName(folder.longestName)
{
}

Plan planRun(const std::vector<std::filesystem::path> &listed, std::future<FolderChecks> checks, Case mode)
{
    Plan plan;
    plan.rename.assign(listed.size(), false);
    std::vector<std::filesystem::path> &newNames = plan.newNames;
    newNames.resize(listed.size());
    std::vector<std::optional<SkipReason>> kept(listed.size()); // a reason of the name's own to leave it
    for (std::size_t i = 0; i < listed.size(); ++i) {
        std::optional<std::filesystem::path> converted = convertedPath(listed[i], mode);
        if (!converted)
            kept[i] = SkipReason::NotText;
        else if (converted->native() != listed[i].native())
            newNames[i] = std::move(*converted);
    }
    const FolderChecks folder = checks.get();
    NameSet wanted(listed.size());
    std::vector<Key> shared; // new names wanted by more than one listed file
    for (std::size_t i = 0; i < listed.size(); ++i) {
        if (i + kAhead < listed.size())
            wanted.prefetch(newNames[i + kAhead].native());
        if (kept[i] || newNames[i].empty())
            continue;
        if (text::mayBeShiftJis(listed[i]))
            kept[i] = SkipReason::ShiftJis;
        else if (newNames[i].native().size() > folder.longestName)
            kept[i] = SkipReason::TooLong;
        else if (!wanted.insert(newNames[i].native()))
            shared.push_back(newNames[i].native());
    }
    const NameSet sharedSet(shared);
    for (std::size_t i = 0; i < listed.size(); ++i) {
        const Key key = newNames[i].native();
        if (i + kAhead < listed.size())
            folder.present.prefetch(newNames[i + kAhead].native());
        if (kept[i])
            plan.skipped.push_back({listed[i], newNames[i], *kept[i]});
        else if (key.empty())
            continue;
        else if (folder.notFiles.contains(listed[i].native()))
            plan.skipped.push_back({listed[i], newNames[i], SkipReason::NotAFile});
        else if (folder.present.contains(key))
            plan.skipped.push_back({listed[i], newNames[i], SkipReason::Taken});
        else if (!shared.empty() && sharedSet.contains(key))
            plan.skipped.push_back({listed[i], newNames[i], SkipReason::Shared});
        else
            plan.rename[i] = true;
    }
    return plan;
}

std::vector<std::filesystem::path> unchangedNames(const Plan &plan, const std::vector<std::filesystem::path> &listedNow)
{
    const NameSet now(listedNow);
    std::vector<std::filesystem::path> unchanged;
    for (std::size_t i = 0; i < plan.rename.size(); ++i) {
        if (plan.rename[i] && !now.contains(plan.newNames[i].native()))
            unchanged.push_back(plan.newNames[i]);
    }
    return unchanged;
}

} // namespace conversion
