// planRun, convertedPath and unchangedNames.
#include "conversion/plan.h"

#include "platform/casemap.h"
#include "platform/names.h"

#include <algorithm>
#include <string_view>
#include <type_traits>

namespace conversion {

namespace {

QString convertedName(const QString &name, Case mode)
{
    return mode == Case::Upper ? platform::upperCase(name) : platform::lowerCase(name);
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
    const std::optional<QString> text = platform::nameText(name);
    if (!text)
        return std::nullopt;
    return platform::nameFromText(convertedName(*text, mode));
}

namespace {

// Views of names, which stay where they are for the whole of a call.
using Key = std::basic_string_view<std::filesystem::path::value_type>;

// The names as a sorted list of views, to be searched many times over.
std::vector<Key> sortedKeys(const std::vector<std::filesystem::path> &names)
{
    std::vector<Key> keys;
    keys.reserve(names.size());
    for (const auto &name : names)
        keys.push_back(name.native());
    std::sort(keys.begin(), keys.end());
    return keys;
}

bool contains(const std::vector<Key> &sorted, Key key)
{
    return std::binary_search(sorted.begin(), sorted.end(), key);
}

} // namespace

Plan planRun(const std::vector<std::filesystem::path> &listed, const std::vector<std::filesystem::path> &folder, Case mode)
{
    Plan plan;
    plan.rename.assign(listed.size(), false);
    std::vector<std::filesystem::path> &newNames = plan.newNames;
    newNames.resize(listed.size());
    std::vector<bool> notText(listed.size(), false);
    for (std::size_t i = 0; i < listed.size(); ++i) {
        std::optional<std::filesystem::path> converted = convertedPath(listed[i], mode);
        if (!converted)
            notText[i] = true;
        else if (converted->native() != listed[i].native())
            newNames[i] = std::move(*converted);
    }
    // Sorted lists serve here better than hash sets: no allocation per name.
    const std::vector<Key> present = sortedKeys(folder);
    std::vector<Key> wanted = sortedKeys(newNames);
    std::vector<Key> shared; // new names wanted by more than one listed file
    for (std::size_t i = 1; i < wanted.size(); ++i) {
        if (!wanted[i].empty() && wanted[i] == wanted[i - 1] && (shared.empty() || shared.back() != wanted[i]))
            shared.push_back(wanted[i]);
    }
    for (std::size_t i = 0; i < listed.size(); ++i) {
        const Key key = newNames[i].native();
        if (notText[i])
            plan.skipped.push_back({listed[i], {}, SkipReason::NotText});
        else if (key.empty())
            continue;
        else if (contains(present, key))
            plan.skipped.push_back({listed[i], newNames[i], SkipReason::Taken});
        else if (contains(shared, key))
            plan.skipped.push_back({listed[i], newNames[i], SkipReason::Shared});
        else
            plan.rename[i] = true;
    }
    return plan;
}

std::vector<std::filesystem::path> unchangedNames(const std::vector<std::filesystem::path> &given,
                                                  const std::vector<std::filesystem::path> &listedNow)
{
    const std::vector<Key> now = sortedKeys(listedNow);
    std::vector<std::filesystem::path> unchanged;
    for (const auto &name : given) {
        if (!contains(now, name.native()))
            unchanged.push_back(name);
    }
    return unchanged;
}

} // namespace conversion
