// planRun, convertedPath and unchangedNames.
#include "conversion/plan.h"

#include "conversion/name_set.h"
#include "text/casemap.h"
#include "text/names.h"

#include <type_traits>

namespace conversion {

namespace {

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
    const NameSet present(folder);
    NameSet wanted(listed.size());
    std::vector<Key> shared; // new names wanted by more than one listed file
    for (const auto &name : newNames) {
        if (!name.empty() && !wanted.insert(name.native()))
            shared.push_back(name.native());
    }
    const NameSet sharedSet(shared);
    for (std::size_t i = 0; i < listed.size(); ++i) {
        const Key key = newNames[i].native();
        if (notText[i])
            plan.skipped.push_back({listed[i], {}, SkipReason::NotText});
        else if (key.empty())
            continue;
        else if (present.contains(key))
            plan.skipped.push_back({listed[i], newNames[i], SkipReason::Taken});
        else if (sharedSet.contains(key))
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
