// planRun, convertedPath and unchangedNames.
#include "conversion/plan.h"

#include "platform/casemap.h"
#include "platform/names.h"

#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <unordered_set>

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

Plan planRun(const std::vector<std::filesystem::path> &listed, const std::vector<std::filesystem::path> &folder, Case mode)
{
    // Views of the names, which stay where they are for the whole call.
    using Key = std::basic_string_view<std::filesystem::path::value_type>;
    Plan plan;
    plan.rename.assign(listed.size(), false);
    std::vector<std::filesystem::path> &newNames = plan.newNames;
    newNames.resize(listed.size());
    std::vector<bool> notText(listed.size(), false);
    std::unordered_map<Key, int> wanted; // new name -> how many listed files want it
    wanted.reserve(listed.size());
    for (std::size_t i = 0; i < listed.size(); ++i) {
        std::optional<std::filesystem::path> converted = convertedPath(listed[i], mode);
        if (!converted) {
            notText[i] = true;
            continue;
        }
        if (converted->native() == listed[i].native())
            continue;
        newNames[i] = std::move(*converted);
        ++wanted[newNames[i].native()];
    }
    std::unordered_set<Key> present;
    present.reserve(folder.size());
    for (const auto &name : folder)
        present.insert(name.native());
    for (std::size_t i = 0; i < listed.size(); ++i) {
        if (notText[i])
            plan.skipped.push_back({listed[i], {}, SkipReason::NotText});
        else if (newNames[i].empty())
            continue;
        else if (present.count(newNames[i].native()))
            plan.skipped.push_back({listed[i], newNames[i], SkipReason::Taken});
        else if (wanted[newNames[i].native()] > 1)
            plan.skipped.push_back({listed[i], newNames[i], SkipReason::Shared});
        else
            plan.rename[i] = true;
    }
    return plan;
}

std::vector<std::filesystem::path> unchangedNames(const std::vector<std::filesystem::path> &given,
                                                  const std::vector<std::filesystem::path> &listedNow)
{
    std::unordered_set<std::basic_string_view<std::filesystem::path::value_type>> now;
    now.reserve(listedNow.size());
    for (const auto &name : listedNow)
        now.insert(name.native());
    std::vector<std::filesystem::path> unchanged;
    for (const auto &name : given) {
        if (!now.count(name.native()))
            unchanged.push_back(name);
    }
    return unchanged;
}

} // namespace conversion
