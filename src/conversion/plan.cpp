// Conversions, planRun, convertedName, convertedPath and unchangedNames.
#include "conversion/plan.h"

#include "text/casemap.h"
#include "text/composition.h"
#include "text/names.h"
#include "text/width.h"

#include <algorithm>
#include <type_traits>

namespace conversion {

Conversions::Conversions(Case mode) : m_steps{mode == Case::Upper ? Conversion::Upper : Conversion::Lower} {}

Conversions::Conversions(std::initializer_list<Conversion> steps)
{
    for (const Conversion step : steps)
        add(step);
}

void Conversions::add(Conversion step)
{
    const auto at = std::lower_bound(m_steps.begin(), m_steps.end(), step);
    if (at == m_steps.end() || *at != step)
        m_steps.insert(at, step);
}

bool Conversions::has(Conversion step) const
{
    return std::binary_search(m_steps.begin(), m_steps.end(), step);
}

namespace {

// How many names ahead of its look-ups a loop over the names prefetches.
constexpr std::size_t kAhead = 8;

QString textConverted(QString text, const Conversions &conversions)
{
    for (const Conversion step : conversions.steps()) {
        switch (step) {
        case Conversion::Utf8:
            break; // the bytes' step, made before the text's
        case Conversion::Compose:
            text = text::composed(text);
            break;
        case Conversion::Narrow:
            text = text::narrowed(text);
            break;
        case Conversion::WideKana:
            text = text::widenedKana(text);
            break;
        case Conversion::Upper:
            text = text::upperCase(text);
            break;
        case Conversion::Lower:
            text = text::lowerCase(text);
            break;
        }
    }
    return text;
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

Converted convertedName(const std::filesystem::path &name, const Conversions &conversions, Part part,
                        text::Encoding encoding)
{
    // Plain ASCII, the most names, maps byte by byte with no decoding: no step
    // but the case changes it.
    auto bytes = name.native();
    const std::size_t dot = bytes.rfind('.');
    const auto [first, last] =
        partUnits(dot == bytes.npos ? -1 : static_cast<std::ptrdiff_t>(dot), bytes.size(), part);
    const bool upper = conversions.has(Conversion::Upper), lower = conversions.has(Conversion::Lower);
    bool ascii = true;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        auto &unit = bytes[i];
        if (static_cast<std::uint32_t>(unit) >= 0x80) {
            ascii = false;
            break;
        }
        if (i < first || i >= last)
            continue;
        if (upper && unit >= 'a' && unit <= 'z')
            unit = static_cast<std::remove_reference_t<decltype(unit)>>(unit - 'a' + 'A');
        else if (lower && unit >= 'A' && unit <= 'Z')
            unit = static_cast<std::remove_reference_t<decltype(unit)>>(unit - 'A' + 'a');
    }
    if (ascii)
        return {std::filesystem::path(std::move(bytes)), std::nullopt};
    // The whole name must be text, even where only one part changes: its other
    // part is written back from the same text.
    std::optional<QString> text;
    if (conversions.has(Conversion::Utf8)) {
        text = text::utf8Name(name, encoding);
        if (!text)
            return {{}, encoding == text::Encoding::Undecided ? SkipReason::Undecided : SkipReason::NotText};
    } else if (encoding == text::Encoding::Utf8) {
        text = text::nameText(name);
    }
    if (!text) {
        const bool readsAsText = encoding != text::Encoding::Neither && text::nameText(name);
        return {{}, readsAsText ? SkipReason::ShiftJis : SkipReason::NotText};
    }
    const auto [from, to] = partUnits(text->lastIndexOf(QLatin1Char('.')), static_cast<std::size_t>(text->size()), part);
    const auto at = static_cast<qsizetype>(from), length = static_cast<qsizetype>(to - from);
    return {text::nameFromText(text->left(at) + textConverted(text->mid(at, length), conversions) + text->mid(at + length)),
            std::nullopt};
}

std::optional<std::filesystem::path> convertedPath(const std::filesystem::path &name, const Conversions &conversions,
                                                   Part part, text::Evidence evidence)
{
    Converted converted = convertedName(name, conversions, part, text::encodingOf(name, evidence));
    if (converted.left)
        return std::nullopt;
    return std::move(converted.name);
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

Plan planRun(const std::vector<std::filesystem::path> &listed, std::future<FolderChecks> checks,
             const Conversions &conversions, Part part, text::Evidence *evidence)
{
    Plan plan;
    plan.rename.assign(listed.size(), false);
    std::vector<std::filesystem::path> &newNames = plan.newNames;
    newNames.resize(listed.size());
    std::vector<std::optional<SkipReason>> kept(listed.size()); // a reason of the name's own to leave it
    text::Evidence said;
    const std::vector<text::Encoding> encodings = text::encodingsOf(listed, said);
    if (evidence)
        *evidence = said;
    for (std::size_t i = 0; i < listed.size(); ++i) {
        Converted converted = convertedName(listed[i], conversions, part, encodings[i]);
        if (converted.left == SkipReason::ShiftJis) {
            // Told only where its UTF-8 reading would change: else it is as asked already.
            const Converted asText = convertedName(listed[i], conversions, part, text::Encoding::Utf8);
            if (asText.name.native() != listed[i].native())
                kept[i] = SkipReason::ShiftJis;
        } else if (converted.left)
            kept[i] = converted.left;
        else if (converted.name.native() != listed[i].native())
            newNames[i] = std::move(converted.name);
    }
    const FolderChecks folder = checks.get();
    NameSet wanted(listed.size());
    std::vector<Key> shared; // new names wanted by more than one listed file
    for (std::size_t i = 0; i < listed.size(); ++i) {
        if (i + kAhead < listed.size())
            wanted.prefetch(newNames[i + kAhead].native());
        if (kept[i] || newNames[i].empty())
            continue;
        if (newNames[i].native().size() > folder.longestName)
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
