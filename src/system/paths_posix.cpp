// resolvedFolder and sameFolder on POSIX systems, where the kernel resolves each
// link before a ".." and names differing in case alone are two.
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

} // namespace sys
