// resolvedFolder, sameFolder and paths as bytes on POSIX systems, where the
// kernel resolves each link before a "..", names differing in case alone are
// two, and paths are bytes.
#include "system/paths.h"

namespace sys {

std::filesystem::path resolvedFolder(const std::filesystem::path &path)
{
    // The part that is there is resolved by the system, the rest taken by the
    // text; a path the system cannot resolve stays as plainFolder makes it.
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    const std::filesystem::path resolved = error ? path : std::filesystem::weakly_canonical(absolute, error);
    return plainFolder(error ? path : resolved);
}

bool sameFolder(const std::filesystem::path &a, const std::filesystem::path &b)
{
    return a == b;
}

std::string pathBytes(const std::filesystem::path &path)
{
    return path.native();
}

void appendPathBytes(std::string &out, const std::filesystem::path &path)
{
    out += path.native();
}

std::filesystem::path pathFromBytes(std::string_view bytes)
{
    return std::filesystem::path(std::string(bytes));
}

} // namespace sys
