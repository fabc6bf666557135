// plainFolder, pathBytes, pathFromBytes and pathsMark, the same on every system.
#include "system/paths.h"

#include <cstdint>
#include <cstdio>
#include <type_traits>

namespace sys {

std::filesystem::path plainFolder(const std::filesystem::path &path)
{
    std::error_code error;
    std::filesystem::path plain = std::filesystem::absolute(path, error).lexically_normal();
    if (plain.has_relative_path() && !plain.has_filename())
        plain = plain.parent_path();
    return plain;
}

namespace {

// Templates, so that each system compiles only the spelling its own paths take.
template <typename Native>
std::string bytesOf(const Native &native, const std::filesystem::path &path)
{
    if constexpr (std::is_same_v<Native, std::string>) {
        return native;
    } else {
        const std::u8string text = path.u8string();
        return {text.begin(), text.end()};
    }
}

template <typename Native>
void appendBytesOf(std::string &out, const Native &native, const std::filesystem::path &path)
{
    if constexpr (std::is_same_v<Native, std::string>)
        out += native;
    else
        out += bytesOf(native, path);
}

template <typename Unit>
std::filesystem::path pathOf(std::string_view bytes)
{
    if constexpr (std::is_same_v<Unit, char>)
        return std::filesystem::path(std::string(bytes));
    else
        return std::filesystem::path(std::u8string(bytes.begin(), bytes.end()));
}

} // namespace

std::string pathBytes(const std::filesystem::path &path)
{
    return bytesOf(path.native(), path);
}

void appendPathBytes(std::string &out, const std::filesystem::path &path)
{
    appendBytesOf(out, path.native(), path);
}

std::filesystem::path pathFromBytes(std::string_view bytes)
{
    return pathOf<std::filesystem::path::value_type>(bytes);
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
