// plainFolder and pathsMark, the same on every system.
#include "system/paths.h"

#include <cstdint>
#include <cstdio>

namespace sys {

std::filesystem::path plainFolder(const std::filesystem::path &path)
{
    std::error_code error;
    std::filesystem::path plain = std::filesystem::absolute(path, error).lexically_normal();
    if (plain.has_relative_path() && !plain.has_filename())
        plain = plain.parent_path();
    return plain;
}

std::string pathsMark(std::initializer_list<const std::filesystem::path *> paths)
{
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    const auto add = [&hash](std::uint64_t unit) {
        hash ^= unit;
        hash *= 0x100000001b3ULL;
    };
    bool first = true;
    for (const std::filesystem::path *path : paths) {
        if (!first)
            add(0);
        first = false;
        for (const auto unit : path->native())
            add(static_cast<std::uint64_t>(unit));
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

} // namespace sys
