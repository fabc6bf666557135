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

// The units of a name of `size` units, its last dot at `dot` (-1 for none),
// that `part` covers, as [first, last). The dot is one unit in UTF-8, UTF-16 and
// Shift_JIS alike (no unit of a longer character is a dot), so a name's bytes
// and its text split at the same place.
std::pair<std::size_t, std::size_t> partUnits(std::ptrdiff_t dot, std::size_t size, Part part)
{
    const bool hasExtension = dot > 0;
    switch (part) {
    case Part::Name:
        return {0, hasExtension ? static_cast<std::size_t>(dot) : size};
    case Part::Extension:
        return {hasExtension ? static_cast<std::size_t>(dot) + 1 : size, size};
    case Part::All:
        break;
    }
    return {0, size};
}

} // namespace

std::optional<std::filesystem::path> convertedPath(const std::filesystem::path &name, Case mode, Part part)
{
    // Plain ASCII, the most names, maps byte by byte with no decoding.
    auto bytes = name.native();
    const std::size_t dot = bytes.rfind('.');
    const auto [first, last] =
        partUnits(dot == bytes.npos ? -1 : static_cast<std::ptrdiff_t>(dot), bytes.size(), part);
    bool ascii = true;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        auto &unit = bytes[i];
        if (static_cast<std::uint32_t>(unit) >= 0x80) {
            ascii = false;
            break;
        }
        if (i < first || i >= last)
            continue;
        if (mode == Case::Upper && unit >= 'a' && unit <= 'z')
            unit = static_cast<std::remove_reference_t<decltype(unit)>>(unit - 'a' + 'A');
        else if (mode == Case::Lower && unit >= 'A' && unit <= 'Z')
            unit = static_cast<std::remove_reference_t<decltype(unit)>>(unit - 'A' + 'a');
    }
    if (ascii)
        return std::filesystem::path(std::move(bytes));
    // The whole name must be text, even where only one part changes: its other
    // part is written back from the same text.
    const std::optional<QString> text = text::nameText(name);
    if (!text)
        return std::nullopt;
    const auto [from, to] = partUnits(text->lastIndexOf(QLatin1Char('.')), static_cast<std::size_t>(text->size()), part);
    const auto at = static_cast<qsizetype>(from), length = static_cast<qsizetype>(to - from);
    return text::nameFromText(text->left(at) + convertedName(text->mid(at, length), mode) + text->mid(at + length));
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

Plan planRun(const std::vector<std::filesystem::path> &listed, std::future<FolderChecks> checks, Case mode, Part part)
{
    Plan plan;
    plan.rename.assign(listed.size(), false);
    std::vector<std::filesystem::path> &newNames = plan.newNames;
    newNames.resize(listed.size());
    std::vector<std::optional<SkipReason>> kept(listed.size()); // a reason of the name's own to leave it
    for (std::size_t i = 0; i < listed.size(); ++i) {
        std::optional<std::filesystem::path> converted = convertedPath(listed[i], mode, part);
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
