// resolvedFolder on POSIX systems, where the kernel resolves each link before a "..".
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

} // namespace sys
