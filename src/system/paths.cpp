// plainFolder, pathBytes and pathFromBytes.
#include "system/paths.h"

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

// A template, so that only the branch for this system's kind of path is compiled.
template <typename Char>
std::string bytesOf(const std::basic_string<Char> &native, const std::filesystem::path &path)
{
    if constexpr (std::is_same_v<Char, char>) {
        return native;
    } else {
        const std::u8string text = path.u8string();
        return {text.begin(), text.end()};
    }
}

} // namespace

std::string pathBytes(const std::filesystem::path &path)
{
    return bytesOf(path.native(), path);
}

std::filesystem::path pathFromBytes(std::string_view bytes)
{
    if constexpr (std::is_same_v<std::filesystem::path::value_type, char>)
        return std::filesystem::path(std::string(bytes));
    else
        return std::filesystem::path(std::u8string(bytes.begin(), bytes.end()));
}

} // namespace sys
