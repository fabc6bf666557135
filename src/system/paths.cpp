// plainFolder: the one spelling of a folder's path.
#include "system/paths.h"

namespace sys {

std::filesystem::path plainFolder(const std::filesystem::path &path)
{
    std::error_code error;
    std::filesystem::path plain = std::filesystem::absolute(path, error).lexically_normal();
    if (plain.has_relative_path() && !plain.has_filename())
        plain = plain.parent_path();
    return plain;
}

} // namespace sys
